// Property sheets over the common controls' property sheet, with each page
// and the sheet itself attached to its framework object as it is created.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/window/WndState.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
END_MESSAGE_MAP()

namespace {

// The sheet whose window is about to be created on this thread.
thread_local CPropertySheet* t_pSheetInit = nullptr;

UINT CALLBACK PropPageCallback(HWND, UINT message, LPPROPSHEETPAGE ppsp)
{
    // The page's dialog window is created right after this call.
    if (message == PSPCB_CREATE && ppsp != nullptr && ppsp->lParam != 0)
        AfxHookWindowCreate(reinterpret_cast<CPropertyPage*>(ppsp->lParam));
    return TRUE;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CPropertyPage

CPropertyPage::CPropertyPage()
{
    memset(&m_psp, 0, sizeof(m_psp));
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption, DWORD)
{
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption, DWORD)
{
    Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = &PropPageCallback;
    m_lpszTemplateName = lpszTemplateName;
    if (nIDCaption != 0) {
        m_strCaption.LoadString(nIDCaption);
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != nullptr)
        ::SendMessage(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != nullptr)
        ::SendMessage(hSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    HWND hSheet = ::GetParent(m_hWnd);
    return hSheet ? ::SendMessage(hSheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE; // OnInitDialog has just filled the controls
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;

    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->hwndFrom != m_hWnd && pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return FALSE;

    LRESULT lResult = 0;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = !OnKillActive();
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = !OnQueryCancel();
        break;
    case PSN_WIZNEXT:
        lResult = OnWizardNext();
        break;
    case PSN_WIZBACK:
        lResult = OnWizardBack();
        break;
    case PSN_WIZFINISH:
        lResult = !OnWizardFinish();
        break;
    case PSN_HELP:
        SendMessage(WM_COMMAND, ID_HELP);
        break;
    default:
        return FALSE;
    }
    // The sheet reads the answer from the message result and, for dialog
    // windows, from the dialog's result field.
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // The sheet does the dialog keyboard handling for all its pages.
    return CWnd::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// CPropertySheet

CPropertySheet::CPropertySheet()
{
    CommonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    delete[] m_pPageArray;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        return;
    m_pages.push_back(pPage);
    if (m_hWnd != nullptr) {
        pPage->m_bFirstSetActive = TRUE;
        if (!pPage->m_strCaption.IsEmpty())
            pPage->m_psp.pszTitle = pPage->m_strCaption;
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&pPage->m_psp);
        if (hPage != nullptr)
            ::SendMessage(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage);
    }
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.size())
        return;
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

int CPropertySheet::GetPageCount() const
{
    return (int)m_pages.size();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= (int)m_pages.size())
        return nullptr;
    return m_pages[(size_t)nPage];
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage)
{
    for (size_t i = 0; i < m_pages.size(); i++) {
        if (m_pages[i] == pPage)
            return (int)i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return (int)m_psh.nStartPage;
    HWND hPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    for (size_t i = 0; i < m_pages.size(); i++) {
        if (m_pages[i]->m_hWnd != nullptr && m_pages[i]->m_hWnd == hPage)
            return (int)i;
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.size())
        return FALSE;
    if (m_hWnd == nullptr) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessage(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, (LPARAM)lpszText);
}

CWnd* CPropertySheet::GetTabControl() const
{
    return m_hWnd ? CWnd::FromHandle((HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0)) : nullptr;
}

void CPropertySheet::SetWizardMode()
{
    m_psh.dwFlags |= PSH_WIZARD;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd != nullptr)
        ::PostMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, (LPARAM)dwFlags);
}

void CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd != nullptr)
        ::PostMessage(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResult = nEndID;
    if (m_bModeless)
        DestroyWindow();
    else
        PressButton(nEndID == IDOK ? PSBTN_OK : PSBTN_CANCEL);
}

void CPropertySheet::BuildPropPageArray()
{
    delete[] m_pPageArray;
    m_pPageArray = new PROPSHEETPAGE[m_pages.size() ? m_pages.size() : 1];
    for (size_t i = 0; i < m_pages.size(); i++) {
        CPropertyPage* pPage = m_pages[i];
        pPage->m_bFirstSetActive = TRUE;
        if (!pPage->m_strCaption.IsEmpty())
            pPage->m_psp.pszTitle = pPage->m_strCaption;
        m_pPageArray[i] = pPage->m_psp;
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.ppsp = m_pPageArray;
    m_psh.nPages = (UINT)m_pages.size();
    m_psh.pfnCallback = &SheetCallback;
    m_psh.pszCaption = m_strCaption;
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message == PSCB_PRECREATE && t_pSheetInit != nullptr) {
        AfxHookWindowCreate(t_pSheetInit); // the sheet's window is next
        t_pSheetInit = nullptr;
    } else if (message == PSCB_INITIALIZED) {
        if (CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(hWnd)))
            pSheet->OnInitDialog();
    }
    return 0;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    if (nID == IDOK || nID == IDCANCEL)
        m_nLastButton = (int)nID;
    return CWnd::OnCommand(wParam, lParam);
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_pages.empty())
        return -1;
    BuildPropPageArray();
    m_bModeless = FALSE;
    m_nLastButton = IDCANCEL;
    m_psh.dwFlags &= ~PSH_MODELESS;
    HWND hWndTop = nullptr;
    m_psh.hwndParent = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop)->GetSafeHwnd();

    t_pSheetInit = this;
    INT_PTR nResult = ::PropertySheet(&m_psh);
    t_pSheetInit = nullptr;
    AfxUnhookWindowCreate();

    if (nResult < 0)
        return -1;
    // The sheet reports changes applied; OK without changes counts as OK.
    return (nResult > 0 || m_nLastButton == IDOK) ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    (void)dwStyle;
    (void)dwExStyle;
    if (m_pages.empty())
        return FALSE;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    BuildPropPageArray();
    m_bModeless = TRUE;
    m_psh.dwFlags |= PSH_MODELESS;
    m_psh.hwndParent = m_pParentWnd->GetSafeHwnd();

    t_pSheetInit = this;
    HWND hWnd = (HWND)::PropertySheet(&m_psh);
    t_pSheetInit = nullptr;
    AfxUnhookWindowCreate();
    return hWnd != nullptr && hWnd != (HWND)(INT_PTR)-1;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (!m_bModeless || m_hWnd == nullptr)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return (BOOL)::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           kvwnd::RouteCommandToOwner(this, nID, nCode, pExtra, pHandlerInfo);
}
