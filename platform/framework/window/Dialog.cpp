// CDialog: modal and modeless dialogs from templates of the resource script.
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

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    // A CDialog gets WM_INITDIALOG through its message map before the dialog
    // manager's procedure could see it; any other window made from a template
    // lets the system put the focus on its first control.
    return message == WM_INITDIALOG;
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == nullptr)
        return FALSE;
    if (hInst == nullptr)
        hInst = AfxGetResourceHandle();
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy(); // never attached
    return hWnd != nullptr;
}

namespace {
// A dialog template of the resources (a language library first), or null.
LPCDLGTEMPLATE FindDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst)
{
    if (lpszTemplateName == nullptr)
        return nullptr;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    if (hTemplate == nullptr)
        return nullptr;
    *phInst = hInst;
    return static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate));
}
} // namespace

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = FindDialogTemplate(lpszTemplateName, &hInst);
    return lpTemplate != nullptr && CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

CDialog::CDialog() = default;

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((ULONG_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd), m_nIDHelp(nIDTemplate)
{
}

CDialog::~CDialog() = default;

void CDialog::NoteTemplatePosition(LPCDLGTEMPLATE lpDialogTemplate)
{
    // Extended templates start with version 1 and the 0xFFFF signature.
    const WORD* pw = reinterpret_cast<const WORD*>(lpDialogTemplate);
    DWORD dwStyle;
    short x, y;
    if (pw[0] == 1 && pw[1] == 0xFFFF) {
        const BYTE* p = reinterpret_cast<const BYTE*>(lpDialogTemplate);
        memcpy(&dwStyle, p + 12, sizeof(DWORD));
        memcpy(&x, p + 18, sizeof(short));
        memcpy(&y, p + 20, sizeof(short));
    } else {
        dwStyle = lpDialogTemplate->style;
        x = lpDialogTemplate->x;
        y = lpDialogTemplate->y;
    }
    m_bAutoCenter = !(dwStyle & (WS_CHILD | DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) && x == 0 && y == 0;
}

LPCDLGTEMPLATE CDialog::LoadDialogTemplate(HINSTANCE* phInst) const
{
    *phInst = AfxGetResourceHandle();
    if (m_lpDialogTemplate != nullptr)
        return m_lpDialogTemplate;
    return FindDialogTemplate(m_lpszTemplateName, phInst);
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == nullptr)
        return FALSE;
    NoteTemplatePosition(lpDialogTemplate);
    return CWnd::CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_lpDialogTemplate = nullptr;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((ULONG_PTR)lpszTemplateName);
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(&hInst);
    if (lpTemplate == nullptr)
        return FALSE;
    return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogInit = lpDialogInit;
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, nullptr);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

HWND CDialog::PreModal()
{
    CancelToolTips();
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop);
    return pOwner->GetSafeHwnd();
}

void CDialog::PostModal()
{
    m_hWndTop = nullptr;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(&hInst);
    if (lpTemplate == nullptr)
        return -1;

    HWND hWndParent = PreModal();
    bool bEnableParent = false;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = true;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != nullptr)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);

    DestroyWindow();
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    if (m_hWnd != nullptr)
        ::EndDialog(m_hWnd, nResult);
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl != nullptr && pWndCtrl->m_hWnd != nullptr)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1L);
}
void CDialog::SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0); }
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

BOOL CDialog::CheckAutoCenter()
{
    return m_bAutoCenter;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    if (CheckAutoCenter())
        CenterWindow();
    return OnInitDialog();
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

void CDialog::OnSetFont(CFont*) {}

BOOL CDialog::OnInitDialog()
{
    if (m_lpDialogInit != nullptr)
        ExecuteDlgInit(m_lpDialogInit);
    else
        ExecuteDlgInit(m_lpszTemplateName);

    if (!UpdateData(FALSE)) {
        // The controls could not be filled: a modal dialog ends at once.
        if (m_nFlags & WF_CONTINUEMODAL)
            EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return; // the user was told; the dialog stays open
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keyboard and mouse input to the dialog or its controls goes through
    // the dialog manager (Tab, Enter, Escape, mnemonics).
    const UINT message = pMsg->message;
    if ((message < WM_KEYFIRST || message > WM_KEYLAST) && (message < WM_MOUSEFIRST || message > WM_MOUSELAST))
        return FALSE;
    if (m_hWnd == nullptr || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           kvwnd::RouteCommandToOwner(this, nID, nCode, pExtra, pHandlerInfo);
}

namespace kvwnd {
BOOL RouteCommandToOwner(CWnd* pWnd, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Commands (not control notifications) go on to the window the dialog
    // belongs to (its owner, or the sheet of a page), then to the application.
    if ((nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI) || !IS_COMMAND_ID(nID) || nID >= 0xF000)
        return FALSE;
    if (pWnd != nullptr && pWnd->m_hWnd != nullptr) {
        HWND hOwner = ::GetParent(pWnd->m_hWnd);
        CWnd* pOwner = hOwner != nullptr ? CWnd::FromHandlePermanent(hOwner) : nullptr;
        if (pOwner != nullptr && pOwner != pWnd && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
} // namespace kvwnd
