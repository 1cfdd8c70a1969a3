// OZU_SymbolDialog: the base of the editors of components a design draws as
// a symbol (valves, pumps, outlets, nozzles, electric items...). It adds the
// plotting symbol (a row of the Symbols table), its size and its colour, or
// the choice to draw the symbol in its own colours. CSymbolSelectDlg picks
// a symbol drawing from the symbol folder to add to the list.
#pragma once

#include "editors/base/window/ComponentDialog.h"
#include "toolbars/buttons/WellButton.h"

// [Colour1] of a symbol drawn in its own colours.
const COLORREF USE_SYMBOL_COLOURS = 0x2000000;

class OZU_SymbolDialog : public OZU_ComponentDialog
{
    DECLARE_DYNAMIC(OZU_SymbolDialog)
public:
    OZU_SymbolDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~OZU_SymbolDialog() override;

    float m_fSymbolSize = 1.0f;       // [Symbol Size]
    COLORREF m_crSymbolColour = 0;    // [Colour1]; USE_SYMBOL_COLOURS or a colour
    long m_nSymbol = 0;               // [Symbol]: 1 once a symbol is chosen
    long m_nSymbolFile = 0;           // [Symbol File]: [Key] of the Symbols row
    dedaride::foundation::OZWWellButton m_wellSymbolColour;
    CSymbolCombo m_cbSymbol;
    CButton m_btnUseSymbolColours;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // "...": a symbol drawing of the symbol folder joins the list (once)
    // and is selected.
    afx_msg void OnBrowseSymbol();
    // "Use symbol color(s)" clicked.
    afx_msg void OnUseSymbolColours();

    // The file dialog of OnBrowseSymbol: runs it and gives the chosen file's
    // name without folder and extension; FALSE when the user cancelled.
    BOOL AskSymbolFile(const CString& folder, CString& title);

    DECLARE_MESSAGE_MAP()
};

// The file dialog for a symbol drawing: the user can only choose a file of
// the folder it opens in (the folder list and the navigation bar are
// disabled).
class CSymbolSelectDlg : public CFileDialog
{
    DECLARE_DYNAMIC(CSymbolSelectDlg)
public:
    CSymbolSelectDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                     DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                     CWnd* pParentWnd = nullptr);
    ~CSymbolSelectDlg() override;

protected:
    BOOL OnInitDialog() override;
};
