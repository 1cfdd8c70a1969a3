#include "editors/curvefit/bar/CurveFitDlgBar.h"
#include "database/records/ComponentRecords.h"
#include "database/records/TapeRecords.h"
#include "editors/curvefit/CurveFitFields.h"
#include "editors/curvefit/CurveFitNotify.h"
#include "editors/curvefit/CurveFitRes.h"
#include "editors/curvefit/bar/CurveFitHost.h"
#include "pickers/controls/PickerScale.h"
#include "platform/theme/ThemeLib.h"
#include "units/OZU_Unit.h"
#include "units/RegistrySettings.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Colours of the result grids.
const COLORREF kStoredColour = RGB(0, 0, 255);  // the component's coefficients
const COLORREF kPoorFitColour = RGB(255, 0, 0);
// The plot: grey axes, black points, a red fitted curve.
const COLORREF kAxisColour = RGB(127, 127, 127);
const COLORREF kPointColour = RGB(0, 0, 0);
const COLORREF kFitColour = RGB(255, 0, 0);

// Rows of the data grid and of the result grids.
const ROWCOL kDataRows = 10;
const ROWCOL kResultRows = 4;
const ROWCOL kFitRow = 4;
// Coefficients are shown with 8 decimals, the fit with 2 ("100.00").
const int kCoefficientDecimals = 8;
const int kFitDecimals = 2;
// A calculated coefficient closer to 0 than this is copied as 0.
const double kZeroCoefficient = 1e-10;
// Items a unit or curve-type combo shows when it drops down.
const int kComboDropItems = 8;
// The header column of the grids, in pixels.
const int kHeaderColumnWidth = 30;

// The equation of each curve type, exponent raised, in 14-point Arial,
// centred.
const char* const kEquations[] = {
    "H = AQ{\\super 2} + BQ + C",
    "Q = KH{\\super n}",
    "R = KH{\\super n}",
    "H = KQ{\\super n}",
    "H = KQ{\\super n} + C",
    "H = KQ{\\super n} + C",
};

struct StreamSource
{
    const char* p;
    LONG remaining;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    LONG n = std::min(cb, source->remaining);
    memcpy(buffer, source->p, (size_t)n);
    source->p += n;
    source->remaining -= n;
    *pcb = n;
    return 0;
}

CSize WindowSize(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect.Size();
}

// The room a window's frame takes across and down (its edges; not its
// scroll bars, which come and go).
CSize FrameSize(const CWnd& wnd)
{
    CRect window, client;
    wnd.GetWindowRect(&window);
    wnd.GetClientRect(&client);
    const DWORD dwStyle = wnd.GetStyle();
    return CSize(window.Width() - client.Width() - ((dwStyle & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0),
                 window.Height() - client.Height() - ((dwStyle & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0));
}

// Puts a control at a place in the bar and shows it. A control already
// there is not moved (the framework's repositioning leaves it): the bar is
// laid out again at every size it is given, and a move to where a window is
// costs as much as any other.
void Place(CWnd& wnd, int x, int y, int cx, int cy)
{
    const CRect target(x, y, x + std::max(cx, 0), y + std::max(cy, 0));
    AfxRepositionWindow(nullptr, wnd.m_hWnd, &target);
    if (!(wnd.GetStyle() & WS_VISIBLE))
        wnd.ShowWindow(SW_SHOWNA);
}

// A combo box's window is as high as its selection field; the height it is
// given also sizes the list it drops.
void PlaceCombo(CComboBox& combo, int x, int y, int cx)
{
    const int nItem = std::max((int)combo.GetItemHeight(0), 1);
    Place(combo, x, y, cx, WindowSize(combo).cy + kComboDropItems * nItem + 2);
}

// A copy of a record that belongs to no connection: the bar keeps its
// values only, never opens it, and outlives the connection it came from.
std::unique_ptr<CRecords> DetachedCopy(const CRecords& record)
{
    auto copy = std::make_unique<CRecords>(record);
    copy->m_pDatabase = nullptr;
    return copy;
}

std::unique_ptr<CTapeExtras> DetachedCopy(const CTapeExtras& tape)
{
    auto copy = std::make_unique<CTapeExtras>(tape);
    copy->m_pDatabase = nullptr;
    return copy;
}

// Whether two records are the same component: the same key and kind (a
// record given again after its row was stored or requeried).
bool IsSameComponent(const CRecords* pHeld, const CRecords* pGiven)
{
    if (pHeld == nullptr || pGiven == nullptr)
        return false;
    return pHeld->m_nComponentKey == pGiven->m_nComponentKey &&
           pHeld->m_nDatabaseNumber == pGiven->m_nDatabaseNumber;
}

// The width a text takes in a font.
int TextWidth(HWND hWnd, HFONT hFont, const CString& text)
{
    HDC hdc = ::GetDC(hWnd);
    if (hdc == nullptr)
        return 0;
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, text, text.GetLength(), &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(hWnd, hdc);
    return size.cx;
}

} // namespace

const char CCurveFitDlgBar::GridClassName[] = "KelvaronCurveFitGrid";

IMPLEMENT_DYNCREATE(CCurveFitDlgBar, OZWDialogBar)

BEGIN_MESSAGE_MAP(CCurveFitDlgBar, CCurveFitBarBase)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_WM_SIZE()
    ON_WM_CTLCOLOR()
    ON_CBN_SELCHANGE(IDC_CURVEFIT_TYPE, OnCurveTypeChange)
    ON_CBN_SELCHANGE(IDC_CURVEFIT_PRESSURE_UNIT, OnUnitChange)
    ON_CBN_SELCHANGE(IDC_CURVEFIT_FLOW_UNIT, OnUnitChange)
    ON_BN_CLICKED(IDC_CURVEFIT_FIT, OnFitCurve)
    ON_UPDATE_COMMAND_UI(IDC_CURVEFIT_FIT, OnUpdateFitCurve)
    ON_BN_CLICKED(IDC_CURVEFIT_COPY, OnCopyToRecord)
    ON_UPDATE_COMMAND_UI(IDC_CURVEFIT_COPY, OnUpdateCopyToRecord)
    ON_COMMAND(ID_CURVEFIT_COPY_CELLS, OnCopy)
    ON_COMMAND(ID_CURVEFIT_PASTE_CELLS, OnPaste)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

CCurveFitDlgBar::CCurveFitDlgBar() = default;

CCurveFitDlgBar::~CCurveFitDlgBar()
{
    // The window (and with it the grids' windows) goes first, while the
    // grid objects are still there.
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_pDataGrid;
    delete m_pResultsGrid;
    delete m_pCurrentGrid;
    if (m_hBackground != nullptr)
        ::DeleteObject(m_hBackground);
}

BOOL CCurveFitDlgBar::RegisterControlClasses()
{
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = GridClassName;
    BOOL bGrid = AfxRegisterClass(&wc);
    BOOL bChart = CTChart::RegisterClass();
    BOOL bRichEdit = AfxInitRichEdit2();
    return bGrid && bChart && bRichEdit;
}

BOOL CCurveFitDlgBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID)
{
    if (!RegisterControlClasses())
        return FALSE;
    if (!CCurveFitBarBase::Create(pParentWnd, lpszTemplateName, nStyle, dwExStyle, nID))
        return FALSE;
    // Lays the controls out for the size the bar was made with; the frame's
    // layout sizes it again.
    CRect rect;
    GetClientRect(&rect);
    OnSize(SIZE_RESTORED, rect.Width(), rect.Height());
    return TRUE;
}

void CCurveFitDlgBar::DoDataExchange(CDataExchange* pDX)
{
    CCurveFitBarBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CURVEFIT_CURRENT_LABEL, m_wndCurrentLabel);
    DDX_Control(pDX, IDC_CURVEFIT_CALCULATED_LABEL, m_wndCalculatedLabel);
    DDX_Control(pDX, IDC_CURVEFIT_COPY, m_btnCopy);
    DDX_Control(pDX, IDC_CURVEFIT_FIT, m_btnFit);
    DDX_Control(pDX, IDC_CURVEFIT_EQUATION, m_wndEquation);
    DDX_Control(pDX, IDC_CURVEFIT_EQUATION_FRAME, m_wndEquationFrame);
    DDX_Control(pDX, IDC_CURVEFIT_PRESSURE_LABEL, m_wndPressureLabel);
    DDX_Control(pDX, IDC_CURVEFIT_FLOW_LABEL, m_wndFlowLabel);
    DDX_Control(pDX, IDC_CURVEFIT_PRESSURE_UNIT, m_cboPressureUnit);
    DDX_Control(pDX, IDC_CURVEFIT_FLOW_UNIT, m_cboFlowUnit);
    DDX_Control(pDX, IDC_CURVEFIT_TYPE, m_cboCurveType);
    DDX_Control(pDX, IDC_CURVEFIT_CHART, m_chart);
    // The unit combos list the units in their order, so a selection is a
    // unit index; the flow combo holds the radius unit for radius curves.
    DDX_CBIndex(pDX, IDC_CURVEFIT_PRESSURE_UNIT, m_calc.m_nPressureUnit);
    DDX_CBIndex(pDX, IDC_CURVEFIT_FLOW_UNIT,
                GetCurveType() == CURVE_OUTLET_RADIUS ? m_calc.m_nRadiusUnit : m_calc.m_nFlowUnit);
    for (CCurveFitGridWnd* pGrid : { m_pDataGrid, m_pResultsGrid, m_pCurrentGrid })
        if (pGrid != nullptr)
            DDV_GRGridWnd(pDX, pGrid);
}

LRESULT CCurveFitDlgBar::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    OnInitDialog();
    // A bar takes no focus when it is made: the system would give it to the
    // bar's first control in a frame not shown yet, which costs the start a
    // round of activation and painting, and the frame chooses the focus
    // once it is shown.
    return FALSE;
}

BOOL CCurveFitDlgBar::OnInitDialog()
{
    m_calc.SetCurveType(CURVE_PUMP_HEAD, TRUE);
    UpdateData(FALSE);
    EnableToolTips(TRUE);
    m_wndEquation.SetBackgroundColor(
        FALSE, UXIsOfc2003StyleEnabled() ? UXGetO2K3Color(2) : ::GetSysColor(COLOR_BTNFACE));

    m_fScale = kvpickers::ReadScreenScale();
    m_nRowHeight = (int)(18.0f * m_fScale);

    const UINT ids[3] = { IDC_CURVEFIT_DATA, IDC_CURVEFIT_RESULTS, IDC_CURVEFIT_CURRENT };
    CCurveFitGridWnd** grids[3] = { &m_pDataGrid, &m_pResultsGrid, &m_pCurrentGrid };
    for (int i = 0; i < 3; i++)
    {
        auto* pGrid = new CCurveFitGridWnd;
        if (!pGrid->SubclassDlgItem(ids[i], this))
        {
            delete pGrid;
            return FALSE;
        }
        pGrid->Initialize();
        *grids[i] = pGrid;
    }
    SetupGrid(m_pDataGrid, kDataRows, 2);
    SetupGrid(m_pResultsGrid, kResultRows, 1);
    SetupGrid(m_pCurrentGrid, kResultRows, 1);

    m_pDataGrid->Param()->SetNumberedRowHeaders(TRUE);
    m_pDataGrid->SetValueRange(CGRRange(1, 1, kDataRows, 2), 0L, grOverride, 0, 0);
    for (CCurveFitGridWnd* pGrid : { m_pResultsGrid, m_pCurrentGrid })
    {
        pGrid->Param()->SetNumberedRowHeaders(FALSE);
        pGrid->HideRows(0, 0, TRUE, nullptr, 0);
        CGRStyle face;
        face.SetInterior(::GetSysColor(COLOR_BTNFACE)).SetReadOnly(TRUE);
        pGrid->ChangeStandardStyle(face, grOverride, 0);
        pGrid->Param()->SetLockReadOnly(TRUE);
    }
    for (CCurveFitGridWnd* pGrid : { m_pDataGrid, m_pResultsGrid, m_pCurrentGrid })
        FitGridHeight(pGrid);

    const UINT typeNames[] = { IDS_CURVE_PUMP_HEAD, IDS_CURVE_OUTLET_FLOW, IDS_CURVE_OUTLET_RADIUS,
                               IDS_CURVE_VALVE_LOSS, IDS_CURVE_VALVE_LOSS_INTERCEPT, IDS_CURVE_MISC_LOSS };
    for (UINT id : typeNames)
        m_cboCurveType.AddString(LoadText(id));

    FillGrids(CURVE_PUMP_HEAD);

    HICON hArrow = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_CURVEFIT_COPY), IMAGE_ICON,
                                       16, 16, LR_SHARED);
    if (hArrow != nullptr)
        m_btnCopy.SetIcon(hArrow);

    SetupChart();
    UpdateAxisTitles();
    m_bInitialised = TRUE;
    return TRUE;
}

void CCurveFitDlgBar::SetupGrid(CCurveFitGridWnd* pGrid, ROWCOL nRows, ROWCOL nCols)
{
    pGrid->EnableGridToolTips(TRUE);
    BOOL bLocked = pGrid->LockUpdate(TRUE);
    pGrid->SetRowCount(nRows, 0);
    pGrid->SetColCount(nCols, 0);
    pGrid->SetDefaultRowHeight(m_nRowHeight, 0);
    pGrid->SetRowHeight(0, 0, m_nRowHeight + 4, nullptr, 0);
    pGrid->SetColWidth(0, 0, m_nRowHeight + 4, nullptr, 0);
    pGrid->SetScrollBarMode(SB_BOTH, 0);

    CGRGridParam* pParam = pGrid->Param();
    pParam->EnableMoveRows(FALSE);
    pParam->EnableMoveCols(FALSE);
    pParam->EnableTrackRowHeight(0);
    pParam->EnableTrackColWidth(0);
    pParam->SetHideCurrentCell(0);
    pParam->Set3dHeaders(FALSE);
    pParam->SetNewGridLineMode(TRUE);
    pParam->SetMarkColHeader(FALSE);
    pParam->SetMarkRowHeader(FALSE);
    pParam->SetEnterKeyAction(3);

    CGRStyle centred;
    centred.SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER);
    int nCharSet = 0;
    if (CRegistrySettings().ReadSetting("AppSettings\\Misc\\CharSet", &nCharSet, CRegistrySettings::typeInt32,
                                        sizeof(nCharSet)) &&
        nCharSet != 0)
    {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof(metrics);
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        {
            CGRFont font;
            font.SetFaceName(metrics.lfMessageFont.lfFaceName).SetCharSet((BYTE)nCharSet).SetSize(8);
            centred.SetFont(font);
        }
    }
    pGrid->ChangeStandardStyle(centred, grOverride, 0);
    CGRStyle header;
    header.SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER).SetReadOnly(TRUE);
    pGrid->ChangeRowHeaderStyle(header, grOverride, 0);
    pGrid->ChangeColHeaderStyle(header, grOverride, 0);
    pGrid->LockUpdate(bLocked);
    pGrid->Redraw();
}

void CCurveFitDlgBar::FitGridHeight(CCurveFitGridWnd* pGrid)
{
    // As high as its rows, so that no rows hide behind a scroll bar at any
    // screen scale.
    int nRows = 0;
    for (ROWCOL r = 0; r <= pGrid->GetRowCount(); r++)
        nRows += pGrid->GetRowHeightShown(r);
    pGrid->SetWindowPos(nullptr, 0, 0, WindowSize(*pGrid).cx, nRows + FrameSize(*pGrid).cy + 1,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCurveFitDlgBar::SetupChart()
{
    m_chart.RemoveAllSeries();
    for (CChartAxis* pAxis : { &m_chart.GetLeftAxis(), &m_chart.GetBottomAxis() })
    {
        pAxis->SetGridColour(kAxisColour);
        pAxis->SetTitleFont(TRUE, 8);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Curve type, units and the current component

void CCurveFitDlgBar::FillGrids(int nType)
{
    const BOOL bKeepUnits = m_pHost != nullptr && m_pHost->KeepCurveFitUnits();
    const short previous = m_calc.GetCurveType();
    const short type = m_calc.SetCurveType(nType, bKeepUnits);
    if (m_hWnd == nullptr || m_pDataGrid == nullptr)
        return;
    const CurveTypeInfo& info = m_calc.GetTypeInfo();

    m_cboCurveType.SetCurSel(type - 1);
    ShowEquation();
    FillUnitCombos();

    // The headings of the points: column 1 the flow or radius, column 2
    // the pressure or pressure loss, whichever way the curve is fitted.
    CGRGridParam* pData = m_pDataGrid->Param();
    BOOL bLocked = m_pDataGrid->LockUpdate(TRUE);
    pData->SetLockReadOnly(FALSE);
    m_pDataGrid->SetValueRange(CGRRange(0, 1), LoadText(info.nFlowHeadingId), grOverride, 0, 0);
    m_pDataGrid->SetValueRange(CGRRange(0, 2), LoadText(info.nPressureHeadingId), grOverride, 0, 0);
    pData->SetLockReadOnly(TRUE);
    m_pDataGrid->LockUpdate(bLocked);
    m_pDataGrid->Redraw();

    // The calculated values of another curve are gone; the row headings
    // name this curve's coefficients.
    CGRFont bold;
    bold.SetBold(TRUE);
    for (CCurveFitGridWnd* pGrid : { m_pResultsGrid, m_pCurrentGrid })
    {
        pGrid->Param()->SetLockReadOnly(FALSE);
        for (ROWCOL r = 1; r <= kResultRows; r++)
        {
            CGRStyle heading;
            heading.SetValue(info.rowNames[r - 1]).SetFont(bold);
            heading.SetTextColor(pGrid == m_pCurrentGrid && type == CURVE_PUMP_HEAD ? kStoredColour
                                                                                    : ::GetSysColor(COLOR_WINDOWTEXT));
            pGrid->SetStyleRange(CGRRange(r, 0), heading, grOverride, 0, 0);
        }
        pGrid->Param()->SetLockReadOnly(TRUE);
        pGrid->Redraw();
    }
    // A fit belongs to the curve it was made as: when the type changes, the
    // points stay for the user to fit as this curve, and the last curve's
    // coefficients and plot go.
    if (type != previous || !m_bInitialised)
    {
        ClearResults();
        m_chart.RemoveAllSeries();
        m_nDataSeries = m_nFitSeries = -1;
    }

    SizeGridColumns();
    UpdateData(FALSE);
    UpdateAxisTitles();
}

void CCurveFitDlgBar::ClearResults()
{
    if (m_pResultsGrid != nullptr)
    {
        m_pResultsGrid->Param()->SetLockReadOnly(FALSE);
        m_pResultsGrid->SetValueRange(CGRRange(1, 1, kResultRows, 1), "", grOverride, 0, 0);
        m_pResultsGrid->Param()->SetLockReadOnly(TRUE);
        m_pResultsGrid->Redraw();
    }
    if (CChartSeries* pFit = m_nFitSeries >= 0 ? m_chart.GetSeries(m_nFitSeries) : nullptr)
        pFit->Clear();
}

void CCurveFitDlgBar::ShowEquation()
{
    CString rtf;
    rtf.Format("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
               "\\pard\\qc\\f0\\fs28 %s}",
               kEquations[GetCurveType() - 1]);
    StreamSource source = { rtf.GetString(), rtf.GetLength() };
    EDITSTREAM stream = {};
    stream.dwCookie = (DWORD_PTR)&source;
    stream.pfnCallback = ReadStream;
    m_wndEquation.StreamIn(SF_RTF, stream);
}

void CCurveFitDlgBar::FillUnitCombos()
{
    // Each name goes in at the position of its unit's index, so that the
    // selection of a combo is a unit index.
    m_cboPressureUnit.ResetContent();
    for (int i = 0; i < OZU_PressureUnit::Count; i++)
        m_cboPressureUnit.InsertString(i, OZU_LoadUnitName(OZU_UnitNameId(PRESSURE_M, i)));

    m_cboFlowUnit.ResetContent();
    if (GetCurveType() == CURVE_OUTLET_RADIUS)
    {
        // Radii in mm, in, m or ft.
        for (int i = 0; i <= LENGTH_FT; i++)
            m_cboFlowUnit.InsertString(i, OZU_LoadUnitName(OZU_UnitNameId(LENGTH_MM, i)));
        m_wndFlowLabel.SetWindowText(LoadText(IDS_QUANTITY_RADIUS));
    }
    else
    {
        for (int i = 0; i < OZU_FlowUnit::Count; i++)
            m_cboFlowUnit.InsertString(i, OZU_LoadUnitName(OZU_UnitNameId(FLOW_LPH, i)));
        m_wndFlowLabel.SetWindowText(LoadText(IDS_QUANTITY_FLOW));
    }
    // The caption's new text takes its own width.
    LayOutAgain();
}

void CCurveFitDlgBar::SetCurrentRecord(CRecords* pRecord, CTapeExtras* pRelated)
{
    // A fit made while another component (or none) was shown is not this
    // component's: "->" must not put it there.
    if (!IsSameComponent(m_pRecord.get(), pRecord))
        ClearResults();
    if (pRecord == nullptr)
    {
        m_pRecord.reset();
        ShowCurrentValues();
        return;
    }
    m_pRecord = DetachedCopy(*pRecord);
    if (pRelated != nullptr)
        m_pRelated = DetachedCopy(*pRelated);
    ShowCurrentValues();
}

void CCurveFitDlgBar::SetCurrentRecord(CRecordset* pRecordset)
{
    if (pRecordset == nullptr ||
        (pRecordset->IsOpen() && (pRecordset->IsEOF() || pRecordset->IsBOF() || pRecordset->IsDeleted())))
    {
        SetCurrentRecord(nullptr, nullptr);
        return;
    }
    if (auto* pRecord = dynamic_cast<CRecords*>(pRecordset))
    {
        SetCurrentRecord(pRecord, nullptr);
        return;
    }
    if (auto* pJoin = dynamic_cast<CTapeRecords*>(pRecordset))
    {
        CRecords record;
        static_cast<ComponentFields&>(record) = *pJoin;
        CTapeExtras tape;
        static_cast<TapeFields&>(tape) = *pJoin;
        SetCurrentRecord(&record, &tape);
        return;
    }
    SetCurrentRecord(nullptr, nullptr);
}

void CCurveFitDlgBar::SetDetailDialog(CWnd* pDialog)
{
    m_hDetailDialog = pDialog != nullptr ? pDialog->GetSafeHwnd() : nullptr;
}

CTapeExtras* CCurveFitDlgBar::CurrentTapeRow() const
{
    if (!m_pRecord || !m_pRelated)
        return nullptr;
    const bool bTape = m_pRecord->m_nDatabaseNumber == DBNUM_PIPE && (m_pRecord->m_nFlags & COMPONENT_FLAG_TAPE);
    return bTape && m_pRelated->m_nPipeKey == m_pRecord->m_nComponentKey ? m_pRelated.get() : nullptr;
}

void CCurveFitDlgBar::ShowCoefficient(CCurveFitGridWnd* pGrid, ROWCOL nRow, const double* pValue, BOOL bStored)
{
    CGRRange cell(nRow, 1);
    if (pValue == nullptr)
    {
        pGrid->SetValueRange(cell, "", grOverride, 0, 0);
        return;
    }
    CGRFont font;
    font.SetBold(bStored);
    CGRStyle style;
    style.SetValue(*pValue).SetFormat(GR_FMT_FIXED).SetPlaces(kCoefficientDecimals).SetFont(font);
    style.SetTextColor(bStored ? kStoredColour : ::GetSysColor(COLOR_WINDOWTEXT));
    pGrid->SetStyleRange(cell, style, grOverride, 0, 0);
    FitShownDecimals(pGrid, nRow);
}

void CCurveFitDlgBar::FitShownDecimals(CCurveFitGridWnd* pGrid, ROWCOL nRow)
{
    // The cell keeps the whole value (which "->" copies); it shows it with
    // as many of the 8 decimals as its width holds, so that no sign or
    // leading digit is ever cut off.
    if (pGrid->GetValueRowCol(nRow, 1).IsEmpty())
        return;
    const CRect text = CCurveFitGridWnd::CalcTextRect(pGrid->CalcRectFromRowCol(nRow, 1));
    if (text.IsRectEmpty())
        return;
    for (int nPlaces = kCoefficientDecimals;; nPlaces--)
    {
        CGRStyle places;
        places.SetPlaces(nPlaces);
        pGrid->SetStyleRange(CGRRange(nRow, 1), places, grOverride, 0, 0);
        const CGRStyle shown = pGrid->LookupStyleRowCol(nRow, 1);
        if (nPlaces == 0 || TextWidth(pGrid->m_hWnd, pGrid->GetStyleFont(shown), shown.GetDisplayText()) <= text.Width())
            break;
    }
}

void CCurveFitDlgBar::ShowCurrentValues()
{
    if (m_pCurrentGrid == nullptr)
        return;
    m_pCurrentGrid->Param()->SetLockReadOnly(FALSE);
    for (ROWCOL r = 1; r <= 3; r++)
        ShowCoefficient(m_pCurrentGrid, r, nullptr, TRUE);

    CurveFitFields fields;
    if (m_pRecord && GetCurveFitShownFields(GetCurveType(), m_pRecord->m_nDatabaseNumber, m_pRecord->m_nFlags,
                                            fields))
    {
        CTapeExtras* pTape = fields.bTape ? CurrentTapeRow() : nullptr;
        for (int i = 0; i < 3; i++)
        {
            const float* pField = nullptr;
            if (fields.nReals[i] != 0)
                pField = fields.bTape ? (pTape ? GetCurveFitField(*pTape, fields.nReals[i]) : nullptr)
                                      : GetCurveFitField(*m_pRecord, fields.nReals[i]);
            if (pField != nullptr)
            {
                // A stored value to the digits a single-precision column
                // holds: 50.5, not 50.49999999.
                char text[32];
                snprintf(text, sizeof(text), "%.7g", *pField);
                const double value = atof(text);
                ShowCoefficient(m_pCurrentGrid, (ROWCOL)i + 1, &value, TRUE);
            }
        }
    }
    m_pCurrentGrid->Param()->SetLockReadOnly(TRUE);
    m_pCurrentGrid->Redraw();
}

void CCurveFitDlgBar::OnCurveTypeChange()
{
    FillGrids(m_cboCurveType.GetCurSel() + 1);
    ShowCurrentValues();
}

void CCurveFitDlgBar::OnUnitChange()
{
    OnFitCurve();
    UpdateAxisTitles();
}

/////////////////////////////////////////////////////////////////////////////
// Fitting

void CCurveFitDlgBar::OnFitCurve()
{
    if (!UpdateData(TRUE))
        return;
    // A combo without a selection leaves its unit as the curve is fitted in.
    if (m_calc.m_nPressureUnit < 0)
        m_calc.m_nPressureUnit = m_calc.m_nFitPressureUnit;
    if (m_calc.m_nFlowUnit < 0)
        m_calc.m_nFlowUnit = m_calc.m_nFitFlowUnit;
    if (m_calc.m_nRadiusUnit < 0)
        m_calc.m_nRadiusUnit = m_calc.m_nFitRadiusUnit;
    if (!m_bInitialised)
        return;

    CurveFitPoints points;
    if (!ReadPoints(points))
        return;
    CurveFitResult result;
    BOOL bFitted = FitCurve(points, result);
    // The results first: they turn a power law's logarithm into its
    // factor, which the plot uses.
    ShowResults(!bFitted, result);
    PlotCurves(points, result, bFitted);
}

void CCurveFitDlgBar::OnUpdateFitCurve(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

BOOL CCurveFitDlgBar::ReadPoints(CurveFitPoints& points)
{
    CString flows[kDataRows], pressures[kDataRows];
    for (ROWCOL r = 1; r <= kDataRows; r++)
    {
        flows[r - 1] = m_pDataGrid->GetValueRowCol(r, 1);
        pressures[r - 1] = m_pDataGrid->GetValueRowCol(r, 2);
    }
    UINT nMessage = 0;
    if (m_calc.ReadPoints(flows, pressures, (int)kDataRows, points, &nMessage))
        return TRUE;
    if (nMessage != 0)
        AfxMessageBox(nMessage, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

BOOL CCurveFitDlgBar::FitCurve(const CurveFitPoints& points, CurveFitResult& result)
{
    UINT nMessage = 0;
    if (m_calc.FitCurve(points, result, &nMessage))
        return TRUE;
    AfxMessageBox(nMessage, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

void CCurveFitDlgBar::ShowResults(BOOL bFailed, CurveFitResult& result)
{
    const CurveFitShown shown = m_calc.ShowResults(bFailed, result);
    m_pResultsGrid->Param()->SetLockReadOnly(FALSE);
    for (int i = 0; i < 3; i++)
        ShowCoefficient(m_pResultsGrid, (ROWCOL)i + 1, shown.bHasValue[i] ? &shown.value[i] : nullptr, FALSE);
    if (shown.bHasFit)
    {
        CGRFont font;
        font.SetBold(shown.bPoorFit);
        CGRStyle fit;
        fit.SetValue(shown.fit).SetFormat(GR_FMT_FIXED).SetPlaces(kFitDecimals).SetFont(font);
        fit.SetTextColor(shown.bPoorFit ? kPoorFitColour : ::GetSysColor(COLOR_WINDOWTEXT));
        m_pResultsGrid->SetStyleRange(CGRRange(kFitRow, 1), fit, grOverride, 0, 0);
    }
    else
        m_pResultsGrid->SetValueRange(CGRRange(kFitRow, 1), "", grOverride, 0, 0);
    m_pResultsGrid->Param()->SetLockReadOnly(TRUE);
    m_pResultsGrid->Redraw();
}

void CCurveFitDlgBar::PlotCurves(const CurveFitPoints& points, const CurveFitResult& result, BOOL bFitted)
{
    const CurveFitPlot plot = m_calc.PlotCurves(points, result, bFitted);
    m_chart.RemoveAllSeries();
    // The fitted curve goes under the points, so that its line never hides
    // a typed point: a red line without markers, and black dots on top.
    m_nFitSeries = m_chart.AddSeries(chartSeriesPoints);
    m_nDataSeries = m_chart.AddSeries(chartSeriesPoints);
    CChartSeries* pFit = m_chart.GetSeries(m_nFitSeries);
    CChartSeries* pData = m_chart.GetSeries(m_nDataSeries);
    pFit->SetColour(kFitColour);
    pFit->SetMarker(chartMarkerNone, 0);
    pFit->SetLine(TRUE, 2);
    pData->SetColour(kPointColour);
    pData->SetMarker(chartMarkerCircle, 3);
    pData->SetLine(FALSE, 1);
    for (const CurveFitPlotPoint& p : plot.points)
        pData->AddXY(p.x, p.y, "", kPointColour);
    for (const CurveFitPlotPoint& p : plot.fitted)
        pFit->AddXY(p.x, p.y, "", kFitColour);
}

void CCurveFitDlgBar::UpdateAxisTitles()
{
    if (m_cboFlowUnit.m_hWnd == nullptr)
        return;
    CString flowUnit, pressureUnit;
    if (m_cboFlowUnit.GetCurSel() >= 0)
        m_cboFlowUnit.GetLBText(m_cboFlowUnit.GetCurSel(), flowUnit);
    if (m_cboPressureUnit.GetCurSel() >= 0)
        m_cboPressureUnit.GetLBText(m_cboPressureUnit.GetCurSel(), pressureUnit);
    CString horizontal, vertical;
    m_calc.GetAxisTitles(flowUnit, pressureUnit, horizontal, vertical);
    m_chart.GetBottomAxis().SetTitle(horizontal);
    m_chart.GetLeftAxis().SetTitle(vertical);
}

/////////////////////////////////////////////////////////////////////////////
// "->": the calculated coefficients into the component and the editor

BOOL CCurveFitDlgBar::CanCopyToRecord() const
{
    if (!m_pRecord || !::IsWindow(m_hDetailDialog) || m_pResultsGrid == nullptr)
        return FALSE;
    CurveFitFields fields;
    if (!GetCurveFitCopyFields(GetCurveType(), m_pRecord->m_nDatabaseNumber, m_pRecord->m_nFlags, fields))
        return FALSE;
    if (fields.bTape && CurrentTapeRow() == nullptr)
        return FALSE;
    // Nothing calculated (no fit yet, or a failed one): nothing to copy.
    return !m_pResultsGrid->GetValueRowCol(1, 1).IsEmpty();
}

void CCurveFitDlgBar::OnUpdateCopyToRecord(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCopyToRecord());
}

void CCurveFitDlgBar::OnCopyToRecord()
{
    if (!m_pRecord || m_pResultsGrid == nullptr)
        return;
    CurveFitFields fields;
    if (!GetCurveFitCopyFields(GetCurveType(), m_pRecord->m_nDatabaseNumber, m_pRecord->m_nFlags, fields))
        return;
    CTapeExtras* pTape = fields.bTape ? CurrentTapeRow() : nullptr;
    if (fields.bTape && pTape == nullptr)
        return;
    if (m_pResultsGrid->GetValueRowCol(1, 1).IsEmpty())
        return;

    for (int i = 0; i < 3; i++)
    {
        if (fields.nReals[i] == 0)
            continue;
        double value = atof(m_pResultsGrid->GetValueRowCol((ROWCOL)i + 1, 1));
        if (std::fabs(value) < kZeroCoefficient)
            value = 0.0;
        float* pField = fields.bTape ? GetCurveFitField(*pTape, fields.nReals[i])
                                     : GetCurveFitField(*m_pRecord, fields.nReals[i]);
        *pField = (float)value;
    }
    ShowCurrentValues();

    if (::IsWindow(m_hDetailDialog))
    {
        ::SendMessage(m_hDetailDialog, WM_DETAILDLGNOTIFY, (WPARAM)GetCurveType(),
                      fields.bTape ? (LPARAM)pTape : (LPARAM)m_pRecord.get());
        // The click on the bar made the main window active: the editor that
        // took the coefficients comes back in front of it, where the user
        // goes on with it (and must, the grid being locked while it is open).
        if (::IsWindow(m_hDetailDialog) && ::IsWindowVisible(m_hDetailDialog))
        {
            ::SetWindowPos(m_hDetailDialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            ::SetActiveWindow(m_hDetailDialog);
        }
    }
}

void CCurveFitDlgBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The bar's own handlers decide; a control without one is left as it is.
    UpdateDialogControls(this, FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Layout

void CCurveFitDlgBar::OnSize(UINT nType, int cx, int cy)
{
    CCurveFitBarBase::OnSize(nType, cx, cy);
    if (!m_bInitialised)
        return;
    SetRedraw(FALSE);

    const CRect rc = GetLayoutRect();
    const int L = rc.left, R = rc.right, B = rc.bottom;
    const int W = R - L, H = W / 2, M = L + H;
    int y = rc.top + 2;

    // The curve type and the equation across the whole width.
    const int nTypeHeight = WindowSize(m_cboCurveType).cy;
    PlaceCombo(m_cboCurveType, L, y, W);
    y += nTypeHeight + 8;
    const int nFrameHeight = WindowSize(m_wndEquationFrame).cy;
    Place(m_wndEquationFrame, L, y, W, nFrameHeight);
    Place(m_wndEquation, L + 4, y + 16, W - 12, nFrameHeight - 24);
    y += nFrameHeight + 8;

    // The units: flow (or radius) in the left half, pressure in the right;
    // each caption as wide as its text ("Flow" or "Radius").
    const CSize flowLabel(LabelWidth(m_wndFlowLabel), WindowSize(m_wndFlowLabel).cy);
    const CSize pressureLabel(LabelWidth(m_wndPressureLabel), WindowSize(m_wndPressureLabel).cy);
    Place(m_wndFlowLabel, L, y, flowLabel.cx, flowLabel.cy);
    PlaceCombo(m_cboFlowUnit, L + flowLabel.cx + 4, y, H - flowLabel.cx - 8);
    Place(m_wndPressureLabel, M + 4, y, pressureLabel.cx, pressureLabel.cy);
    PlaceCombo(m_cboPressureUnit, M + pressureLabel.cx + 8, y, R - (M + pressureLabel.cx + 8));
    y += std::max({ pressureLabel.cy, flowLabel.cy, WindowSize(m_cboPressureUnit).cy }) + 8;

    // The points and the fit button.
    const int nDataHeight = WindowSize(*m_pDataGrid).cy;
    Place(*m_pDataGrid, L, y, W, nDataHeight);
    y += nDataHeight + 8;
    const int nFitHeight = WindowSize(m_btnFit).cy;
    Place(m_btnFit, L, y, W, nFitHeight);
    y += nFitHeight + 8;

    // Calculated and current coefficients side by side, "->" between them.
    const CSize button = WindowSize(m_btnCopy);
    const int nHalf = H - (button.cx / 2 + 8);
    const int X = M + button.cx / 2 + 8;
    const int nLabelHeight = WindowSize(m_wndCalculatedLabel).cy;
    Place(m_wndCalculatedLabel, L, y, nHalf, nLabelHeight);
    Place(m_wndCurrentLabel, X, y, R - X, WindowSize(m_wndCurrentLabel).cy);
    y += nLabelHeight;
    const int g = WindowSize(*m_pResultsGrid).cy;
    Place(*m_pResultsGrid, L, y, nHalf, g);
    Place(m_btnCopy, M - button.cx / 2, y + g / 2 - button.cy / 2, button.cx, button.cy);
    Place(*m_pCurrentGrid, X, y, R - X, g);
    y += g + 8;

    // The plot: square, or what room is left below.
    Place(m_chart, L, y, W, std::min(W, B - y));

    SizeGridColumns();
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

HBRUSH CCurveFitDlgBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The captions and the equation's frame stand on the bar's own colour
    // when the bar paints one (the Office 2003 look), not on grey patches.
    if (nCtlColor == CTLCOLOR_STATIC && UXIsOfc2003StyleEnabled())
    {
        const COLORREF clr = UXGetO2K3Color(2);
        if (m_hBackground == nullptr || clr != m_clrBackground)
        {
            if (m_hBackground != nullptr)
                ::DeleteObject(m_hBackground);
            m_hBackground = ::CreateSolidBrush(clr);
            m_clrBackground = clr;
        }
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(clr);
        return m_hBackground;
    }
    return CCurveFitBarBase::OnCtlColor(pDC, pWnd, nCtlColor);
}

int CCurveFitDlgBar::LabelWidth(CStatic& label)
{
    CString text;
    label.GetWindowText(text);
    HFONT hFont = (HFONT)label.SendMessage(WM_GETFONT, 0, 0);
    return TextWidth(label.m_hWnd, hFont, text) + 2;
}

void CCurveFitDlgBar::LayOutAgain()
{
    if (!m_bInitialised)
        return;
    CRect rect;
    GetClientRect(&rect);
    OnSize(SIZE_RESTORED, rect.Width(), rect.Height());
}

CRect CCurveFitDlgBar::GetLayoutRect() const
{
    // The client area inside the bar's borders: what a bar base leaves for
    // the content (a docking bar with a caption takes its caption off here).
    CRect rect;
    GetClientRect(&rect);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    return rect;
}

void CCurveFitDlgBar::SizeGridColumns()
{
    for (CCurveFitGridWnd* pGrid : { m_pDataGrid, m_pResultsGrid, m_pCurrentGrid })
    {
        if (pGrid == nullptr)
            continue;
        // Within the grid's frame, so that no scroll bar is needed.
        const int w = WindowSize(*pGrid).cx - FrameSize(*pGrid).cx - kHeaderColumnWidth;
        pGrid->SetColWidth(0, 0, kHeaderColumnWidth, nullptr, 0);
        if (pGrid == m_pDataGrid)
            pGrid->SetColWidth(1, 2, std::max((w - 4) / 2, 1), nullptr, 0);
        else
            pGrid->SetColWidth(1, 1, std::max(w - 4, 1), nullptr, 0);
        // Scroll bars the old widths called for go, and come back only when
        // the grid is too small for its cells (each bar alone would keep the
        // other).
        pGrid->SetScrollBarMode(SB_BOTH, 2);
        pGrid->UpdateScrollbars();
        pGrid->SetScrollBarMode(SB_BOTH, 0);
        pGrid->UpdateScrollbars();
        if (pGrid != m_pDataGrid)
        {
            const BOOL bLocked = pGrid->Param()->IsLockReadOnly();
            pGrid->Param()->SetLockReadOnly(FALSE);
            for (ROWCOL r = 1; r < kFitRow; r++)
                FitShownDecimals(pGrid, r);
            pGrid->Param()->SetLockReadOnly(bLocked);
        }
        pGrid->Redraw();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Keyboard, context menu, clipboard and tool tips

CCurveFitGridWnd* CCurveFitDlgBar::FocusGrid() const
{
    HWND hFocus = ::GetFocus();
    if (hFocus == nullptr)
        return nullptr;
    for (CCurveFitGridWnd* pGrid : { m_pDataGrid, m_pResultsGrid, m_pCurrentGrid })
        if (pGrid != nullptr && (hFocus == pGrid->m_hWnd || ::GetParent(hFocus) == pGrid->m_hWnd))
            return pGrid;
    return nullptr;
}

BOOL CCurveFitDlgBar::PreTranslateMessage(MSG* pMsg)
{
    const bool bOurs = m_hWnd != nullptr && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd));
    if (bOurs && m_bInitialised)
    {
        if (pMsg->message == WM_KEYDOWN)
        {
            const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
            const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
            const bool bAlt = ::GetKeyState(VK_MENU) < 0;
            if (bCtrl && !bShift && !bAlt)
            {
                if (pMsg->wParam == 'C')
                    OnCopy();
                else if (pMsg->wParam == 'V')
                    OnPaste();
            }
            if (pMsg->wParam == VK_BACK || pMsg->wParam == VK_DELETE)
            {
                // Kept from the frame's accelerators (Delete would delete
                // the selected component): they go to the points only.
                HWND hFocus = ::GetFocus();
                if (m_pDataGrid != nullptr && hFocus != nullptr)
                {
                    if (::GetParent(hFocus) == m_pDataGrid->m_hWnd)
                    {
                        // The cell editor: Backspace as the character it
                        // makes, Delete as the key.
                        if (pMsg->wParam == VK_BACK)
                            ::SendMessage(hFocus, WM_CHAR, VK_BACK, pMsg->lParam);
                        else
                            ::SendMessage(hFocus, WM_KEYDOWN, VK_DELETE, pMsg->lParam);
                    }
                    else if (hFocus == m_pDataGrid->m_hWnd)
                        ::SendMessage(hFocus, WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
                }
                return TRUE;
            }
        }
        else if (pMsg->message == WM_RBUTTONUP)
        {
            if (CCurveFitGridWnd* pGrid = FocusGrid())
                ShowContextMenu(pMsg, pGrid);
        }
    }
    return CCurveFitBarBase::PreTranslateMessage(pMsg);
}

void CCurveFitDlgBar::ShowContextMenu(const MSG* pMsg, CCurveFitGridWnd* pGrid)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_CURVEFIT_CONTEXT))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    if (pGrid != m_pDataGrid)
        pPopup->EnableMenuItem(ID_CURVEFIT_PASTE_CELLS, MF_BYCOMMAND | MF_GRAYED);
    POINT pt = { GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam) };
    ::ClientToScreen(pMsg->hwnd, &pt);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, this);
}

void CCurveFitDlgBar::OnCopy()
{
    CCurveFitGridWnd* pGrid = FocusGrid();
    if (pGrid != nullptr && pGrid->CanCopy())
        pGrid->Copy();
}

void CCurveFitDlgBar::OnPaste()
{
    if (FocusGrid() == m_pDataGrid && m_pDataGrid != nullptr && m_pDataGrid->CanPaste())
        m_pDataGrid->Paste();
}

CString CCurveFitDlgBar::ToolTipText(UINT nID) const
{
    // The unit combos take the tips of their units; a radius curve's flow
    // units are radius units.
    if (nID == IDC_CURVEFIT_FLOW_UNIT)
        nID = IDS_CURVEFIT_TIP_FLOW_UNITS;
    else if (nID == IDC_CURVEFIT_PRESSURE_UNIT)
        nID = IDC_CURVEFIT_PRESSURE_LABEL;
    if (GetCurveType() == CURVE_OUTLET_RADIUS &&
        (nID == IDC_CURVEFIT_FLOW_LABEL || nID == IDS_CURVEFIT_TIP_FLOW_UNITS))
        nID = IDS_CURVEFIT_TIP_RADIUS_UNITS;
    return LoadText(nID, "");
}

BOOL CCurveFitDlgBar::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    const BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
    const UINT uFlags = bWide ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags
                              : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
    UINT_PTR nID = pNMHDR->idFrom;
    if (uFlags & TTF_IDISHWND)
        nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    const CString text = ToolTipText((UINT)nID);
    lstrcpynA(m_szTipText, text, (int)sizeof(m_szTipText));
    if (bWide)
    {
        if (::MultiByteToWideChar(CP_ACP, 0, m_szTipText, -1, m_wszTipText, (int)std::size(m_wszTipText)) == 0)
            m_wszTipText[0] = L'\0';
        reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->lpszText = m_wszTipText;
    }
    else
        reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->lpszText = m_szTipText;
    *pResult = 0;
    return TRUE;
}
