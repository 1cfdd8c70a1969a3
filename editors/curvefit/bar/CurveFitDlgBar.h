// The "Curve Fit" bar of the main frame: the user types up to ten measured
// points of a component's curve into a grid, picks one of six curve types
// and the units of the points, and presses "Fit Curve"; the bar fits the
// curve (CCurveFitCalc), shows the coefficients and the fit, plots points
// and fitted curve, and shows the coefficients the selected component holds.
// "->" copies the calculated coefficients into the component and sends them
// to the open editor dialog with WM_DETAILDLGNOTIFY.
//
// The frame makes the bar from template IDD_CURVEFIT (Create), hands it the
// program's options (SetHost), and tells it the curve type of the active
// table (FillGrids), the selected component (SetCurrentRecord) and the open
// editor (SetDetailDialog).
#pragma once

#include "editors/curvefit/CurveFitCalc.h"
#include "editors/curvefit/bar/CurveFitBarRes.h"
#include "grids/window/OZU_GridWnd.h"
#include "platform/chart/Chart.h"
#include "frame/stdbars/OZWDialogBar.h"
#include "platform/framework/Framework.h"

#include <memory>

class CCurveFitHost;
class CRecords;
class CTapeExtras;

// The bar base the curve-fit bar stands on: the toolkit's dialog bar, so
// that it docks, floats and auto-hides with the toolkit's frames.
using CCurveFitBarBase = OZWDialogBar;
// The grid windows of the bar: the program's grids, which the bar makes
// itself and puts over the template's controls.
using CCurveFitGridWnd = OZU_GridWnd;

class CCurveFitDlgBar : public CCurveFitBarBase
{
    DECLARE_DYNCREATE(CCurveFitDlgBar)
public:
    // The window class of the template's grid controls, which the bar's
    // grids take over.
    static const char GridClassName[];

    CCurveFitDlgBar();
    ~CCurveFitDlgBar() override;

    // Registers the window classes of the template's controls (grids,
    // chart, rich text); TRUE when all are there. Create calls it.
    static BOOL RegisterControlClasses();

    // The toolkit's bar style of the curve-fit bar: its context menu, inset
    // margins, own borders, a gripper captioned with its title and the close
    // and expand buttons, and "Float In Main Window".
    static const DWORD DefaultExBarStyle = 0x10F31;
    // Makes the bar from its template (IDD_CURVEFIT) as a child of the frame.
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID) override;
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
    {
        return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, DefaultExBarStyle, nID);
    }
    using CCurveFitBarBase::Create;

    // The program's options; null: the units follow the curve type.
    void SetHost(CCurveFitHost* pHost) { m_pHost = pHost; }

    // Takes a curve type (1 to 6; another value is 1), lays the combos,
    // grids and equation out for it, then fits and plots afresh.
    void FillGrids(int nType);
    // The selected component (the bar keeps a copy of it, and of the tape's
    // Tapes row when one is given), and shows its coefficients; null
    // clears it. A null related row keeps the one given before, which is
    // used only while it belongs to the component.
    void SetCurrentRecord(CRecords* pRecord, CTapeExtras* pRelated);
    // The same for the record a grid announces as current: a Components
    // record, or the tape join (whose Tapes fields become the tape's row);
    // an open recordset that is on no row clears it.
    void SetCurrentRecord(CRecordset* pRecordset);
    // The editor dialog that receives copied coefficients; null: none.
    void SetDetailDialog(CWnd* pDialog);
    HWND GetDetailDialog() const { return m_hDetailDialog; }

    short GetCurveType() const { return m_calc.GetCurveType(); }
    const CCurveFitCalc& GetCalc() const { return m_calc; }
    CCurveFitGridWnd* GetDataGrid() const { return m_pDataGrid; }
    CCurveFitGridWnd* GetResultsGrid() const { return m_pResultsGrid; }
    CCurveFitGridWnd* GetCurrentGrid() const { return m_pCurrentGrid; }
    CTChart& GetChart() { return m_chart; }
    long GetDataSeries() const { return m_nDataSeries; }
    long GetFitSeries() const { return m_nFitSeries; }
    // The bar's copy of the selected component and of its Tapes row.
    CRecords* GetCurrentRecord() const { return m_pRecord.get(); }
    CTapeExtras* GetRelatedRecord() const { return m_pRelated.get(); }
    // Whether "->" may copy now: a component and an editor dialog are there,
    // and the curve type is one of the component's.
    BOOL CanCopyToRecord() const;

    // Ctrl+C and Ctrl+V, Backspace and Delete, and the grids' context menu.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnInitDialog();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnCurveTypeChange();
    afx_msg void OnUnitChange();
    afx_msg void OnFitCurve();
    afx_msg void OnUpdateFitCurve(CCmdUI* pCmdUI);
    afx_msg void OnCopyToRecord();
    afx_msg void OnUpdateCopyToRecord(CCmdUI* pCmdUI);
    afx_msg void OnCopy();
    afx_msg void OnPaste();
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The part of the bar the controls are laid out in.
    CRect GetLayoutRect() const;
    // The width a caption's text takes.
    static int LabelWidth(CStatic& label);
    // Lays the controls out again in the bar's present size.
    void LayOutAgain();
    void SetupGrid(CCurveFitGridWnd* pGrid, ROWCOL nRows, ROWCOL nCols);
    void FitGridHeight(CCurveFitGridWnd* pGrid);
    void SetupChart();
    void SizeGridColumns();
    void ShowEquation();
    void FillUnitCombos();
    void UpdateAxisTitles();
    // The steps of a fit: the points of the data grid, the fit, the
    // calculated grid and the plot.
    BOOL ReadPoints(CurveFitPoints& points);
    BOOL FitCurve(const CurveFitPoints& points, CurveFitResult& result);
    void ShowResults(BOOL bFailed, CurveFitResult& result);
    void PlotCurves(const CurveFitPoints& points, const CurveFitResult& result, BOOL bFitted);
    // Writes a coefficient (or empties the cell) in row 1..3 of a result grid.
    void ShowCoefficient(CCurveFitGridWnd* pGrid, ROWCOL nRow, const double* pValue, BOOL bStored);
    // Shows a result cell's value with as many decimals as the cell's width
    // holds (8 at most).
    void FitShownDecimals(CCurveFitGridWnd* pGrid, ROWCOL nRow);
    // Empties the calculated coefficients and the fitted curve: they belong
    // to the curve type and component they were fitted for.
    void ClearResults();
    // The component's stored coefficients into the current grid.
    void ShowCurrentValues();
    // The Tapes row remembered for the current component, null when the
    // component is no tape or none of its row is known.
    CTapeExtras* CurrentTapeRow() const;
    // Which of the bar's grids has the focus (itself or its cell editor).
    CCurveFitGridWnd* FocusGrid() const;
    void ShowContextMenu(const MSG* pMsg, CCurveFitGridWnd* pGrid);
    CString ToolTipText(UINT nID) const;

    BOOL m_bInitialised = FALSE;
    CStatic m_wndCurrentLabel;
    CStatic m_wndCalculatedLabel;
    CButton m_btnCopy;
    CButton m_btnFit;
    CRichEditCtrl m_wndEquation;
    CButton m_wndEquationFrame;
    CStatic m_wndPressureLabel;
    CStatic m_wndFlowLabel;
    CComboBox m_cboPressureUnit;
    CComboBox m_cboFlowUnit;
    CComboBox m_cboCurveType;
    CTChart m_chart;
    CCurveFitGridWnd* m_pDataGrid = nullptr;
    CCurveFitGridWnd* m_pResultsGrid = nullptr;
    CCurveFitGridWnd* m_pCurrentGrid = nullptr;
    // The curve type, the display units and the fit units, and the fitting.
    CCurveFitCalc m_calc;
    std::unique_ptr<CRecords> m_pRecord;
    std::unique_ptr<CTapeExtras> m_pRelated;
    HWND m_hDetailDialog = nullptr;
    CCurveFitHost* m_pHost = nullptr;
    int m_nRowHeight = 18;
    float m_fScale = 1.0f;
    long m_nDataSeries = -1;
    long m_nFitSeries = -1;
    // The brush of the bar's background under its captions.
    HBRUSH m_hBackground = nullptr;
    COLORREF m_clrBackground = CLR_INVALID;
    char m_szTipText[2048] = {};
    wchar_t m_wszTipText[2048] = {};
};
