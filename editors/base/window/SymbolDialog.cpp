#include "editors/base/window/SymbolDialog.h"
#include "editors/base/window/EditorBaseRes.h"
#include "pickers/controls/ColourWells.h"

#include <dlgs.h>

using dedaride::foundation::DDX_WellButtonColor;

/////////////////////////////////////////////////////////////////////////////
// OZU_SymbolDialog

IMPLEMENT_DYNAMIC(OZU_SymbolDialog, OZU_ComponentDialog)

BEGIN_MESSAGE_MAP(OZU_SymbolDialog, OZU_ComponentDialog)
    ON_BN_CLICKED(IDC_BROWSE_SYMBOL, OnBrowseSymbol)
    ON_BN_CLICKED(IDC_USE_SYMBOL_COLOURS, OnUseSymbolColours)
END_MESSAGE_MAP()

OZU_SymbolDialog::OZU_SymbolDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                                   CEditorView* pView)
    : OZU_ComponentDialog(pGrid, pRecord, pUnitSettings, pView)
{
}

OZU_SymbolDialog::~OZU_SymbolDialog() = default;

BOOL OZU_SymbolDialog::OnInitDialog()
{
    m_crSymbolColour = (COLORREF)m_pRecord->m_nColour1;
    m_fSymbolSize = m_pRecord->m_fSymbolSize;
    m_nSymbol = m_pRecord->m_nSymbol;
    m_nSymbolFile = m_pRecord->m_nSymbolFile;
    m_cbSymbol.SetView(m_pView);

    // The well exists before the fields are exchanged with the controls.
    m_wellSymbolColour.SubclassDlgItem(IDC_SYMBOL_COLOUR, this);
    m_wellSymbolColour.SetPopupWell(new OZU_PopupColorWell);
    m_wellSymbolColour.SetPaletteMode(TRUE);
    m_wellSymbolColour.SetShowOther(FALSE);

    if (!OZU_ComponentDialog::OnInitDialog())
        return FALSE;

    const BOOL bOwnColours = m_crSymbolColour == USE_SYMBOL_COLOURS;
    m_wellSymbolColour.SetColor(bOwnColours ? 0 : m_crSymbolColour);
    if (bOwnColours) {
        m_btnUseSymbolColours.SetCheck(BST_CHECKED);
        m_wellSymbolColour.EnableWindow(FALSE);
    }

    if (m_cbSymbol.GetSafeHwnd() != nullptr) {
        int nItem = m_cbSymbol.IndexOfKey(m_nSymbolFile);
        if (nItem < 0)
            nItem = m_cbSymbol.FindString(-1, LoadText(IDS_SYMBOL_BLANK, "Blank"));
        m_cbSymbol.SetCurSel(nItem >= 0 ? nItem : 0);
    }
    return TRUE;
}

void OZU_SymbolDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_ComponentDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYMBOL, m_cbSymbol);
    DDX_Text(pDX, IDC_SYMBOL_SIZE, m_fSymbolSize);
    DDV_MinMaxFloat(pDX, m_fSymbolSize, 0.01f, 100.0f);
    DDX_Control(pDX, IDC_USE_SYMBOL_COLOURS, m_btnUseSymbolColours);
    if (!pDX->m_bSaveAndValidate) {
        if (m_crSymbolColour != USE_SYMBOL_COLOURS)
            DDX_WellButtonColor(pDX, m_wellSymbolColour, m_crSymbolColour);
        return;
    }
    // A checked box keeps USE_SYMBOL_COLOURS.
    if (m_btnUseSymbolColours.GetCheck() != BST_CHECKED)
        DDX_WellButtonColor(pDX, m_wellSymbolColour, m_crSymbolColour);

    CString symbol;
    m_cbSymbol.GetWindowText(symbol);
    if (symbol.CompareNoCase(LoadText(IDS_SYMBOL_BLANK, "Blank")) == 0) {
        pDX->PrepareCtrl(IDC_SYMBOL);
        BOOL bStillOpen = TRUE;
        int nAnswer = MessageBox(LoadText(IDS_BLANK_SYMBOL_WARNING), MB_YESNO | MB_ICONQUESTION, &bStillOpen);
        if (nAnswer != IDYES || !bStillOpen)
            pDX->Fail();
    }
}

void OZU_SymbolDialog::OnOK()
{
    OZU_ComponentDialog::OnOK();
    int nSelected = m_cbSymbol.GetSafeHwnd() != nullptr ? m_cbSymbol.GetCurSel() : -1;
    if (nSelected >= 0 && nSelected < (int)m_cbSymbol.GetKeys().size()) {
        m_nSymbol = 1;
        m_nSymbolFile = m_cbSymbol.GetKeys()[(size_t)nSelected];
    }
}

void OZU_SymbolDialog::OnUseSymbolColours()
{
    if (m_btnUseSymbolColours.GetCheck() != BST_CHECKED) {
        m_wellSymbolColour.EnableWindow(TRUE);
        m_crSymbolColour = m_wellSymbolColour.GetColor();
    }
    else {
        m_wellSymbolColour.EnableWindow(FALSE);
        m_crSymbolColour = USE_SYMBOL_COLOURS;
    }
}

BOOL OZU_SymbolDialog::AskSymbolFile(const CString& folder, CString& title)
{
    CSymbolSelectDlg dialog(TRUE, nullptr, nullptr,
                            OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON,
                            LoadText(IDS_SYMBOL_FILTER, "Symbols (*.dwg)|*.dwg||"), this);
    CString caption = LoadText(IDS_SELECT_SYMBOL, "Select Symbol");
    dialog.m_ofn.lpstrInitialDir = folder;
    dialog.m_ofn.lpstrTitle = caption;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    title = dialog.GetFileTitle();
    return TRUE;
}

void OZU_SymbolDialog::OnBrowseSymbol()
{
    CString folder = m_pView != nullptr ? m_pView->GetSymbolFolder() : CString();
    if (folder.IsEmpty())
        return;
    CString title;
    if (!AskSymbolFile(folder, title) || !IsOpen() || m_cbSymbol.GetSafeHwnd() == nullptr)
        return;
    if (!m_cbSymbol.SelectByName(title))
        m_cbSymbol.AddSymbol(title);
}

/////////////////////////////////////////////////////////////////////////////
// CSymbolSelectDlg

IMPLEMENT_DYNAMIC(CSymbolSelectDlg, CFileDialog)

CSymbolSelectDlg::CSymbolSelectDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                                   LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd)
{
}

CSymbolSelectDlg::~CSymbolSelectDlg() = default;

BOOL CSymbolSelectDlg::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    // The system's dialog is the parent of the hooked one.
    HWND hFileDialog = ::GetParent(m_hWnd);
    if (HWND hFolders = ::GetDlgItem(hFileDialog, cmb2))
        ::EnableWindow(hFolders, FALSE);
    if (HWND hBar = ::FindWindowEx(hFileDialog, nullptr, TOOLBARCLASSNAME, nullptr)) {
        ::EnableWindow(hBar, FALSE);
        ::ShowWindow(hBar, SW_HIDE);
    }
    return TRUE;
}
