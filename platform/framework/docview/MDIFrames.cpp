// CMDIFrameWnd and CMDIChildWnd: the main window of a multiple-document
// program, its MDI client, and the child frames inside it.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"
#include "platform/framework/docview/ControlBar.h"
#include "platform/framework/docview/DocView.h"
#include "platform/framework/docview/DocViewUtil.h"

/////////////////////////////////////////////////////////////////////////////
// CMDIFrameWnd

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The menu shown while no child is active.
    m_hMenuDefault = ::GetMenu(m_hWnd);
    if (m_hMenuDefault != nullptr && m_hWndMDIClient != nullptr) {
        HMENU hWindowMenu = GetWindowMenuPopup(m_hMenuDefault);
        if (hWindowMenu != nullptr)
            ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)m_hMenuDefault, (LPARAM)hWindowMenu);
    }
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    CMenu* pWindowMenu = nullptr;
    if (HMENU hMenu = ::GetMenu(m_hWnd)) {
        if (HMENU hWindowMenu = GetWindowMenuPopup(hMenu))
            pWindowMenu = CMenu::FromHandle(hWindowMenu);
    }
    return CreateClient(lpcs, pWindowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu != nullptr ? pWindowMenu->GetSafeHmenu() : nullptr;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;

    // Children may be created hidden; the client has the sunken edge.
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    const DWORD dwExStyle = WS_EX_CLIENTEDGE;
    if (lpCreateStruct != nullptr) {
        // Scroll bars asked of the frame belong to the client.
        dwStyle |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
        if (GetStyle() & (WS_HSCROLL | WS_VSCROLL))
            ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    m_hWndMDIClient = ::CreateWindowExA(dwExStyle, "MDICLIENT", nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                        (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    if (m_hWndMDIClient == nullptr)
        return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

void CMDIFrameWnd::SettleClientScrollBars()
{
    if (m_hWndMDIClient == nullptr)
        return;
    // Only what was posted to the client itself: no input, no paint.
    MSG msg;
    while (::PeekMessageA(&msg, m_hWndMDIClient, 0, 0, PM_REMOVE | PM_NOYIELD | PM_QS_POSTMESSAGE))
        ::DispatchMessageA(&msg);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr)
        return nullptr;
    // The last popup that holds one of the Window commands.
    for (int iItem = ::GetMenuItemCount(hMenuBar) - 1; iItem >= 0; iItem--) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, iItem);
        if (hPopup == nullptr)
            continue;
        const int nItems = ::GetMenuItemCount(hPopup);
        for (int i = 0; i < nItems; i++) {
            UINT nID = ::GetMenuItemID(hPopup, i);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hPopup;
        }
    }
    return nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, nMsg, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == nullptr) {
        if (pbMaximized != nullptr)
            *pbMaximized = FALSE;
        return nullptr;
    }
    HWND hWnd = (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)pbMaximized);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(pWnd)
                                                                          : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld = (HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrameMenu->GetSafeHmenu(),
                                      (LPARAM)pWindowMenu->GetSafeHmenu());
    ::DrawMenuBar(m_hWnd);
    return CMenu::FromHandle(hOld);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive != nullptr ? static_cast<CFrameWnd*>(pActive) : this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveChild = MDIGetActive(&bMaximized);
    // A maximised child's title is added to the frame's by the system.
    const bool bShowChild = pActiveChild != nullptr && (pActiveChild->GetStyle() & WS_MAXIMIZE) == 0;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && bShowChild && pDocument == nullptr)
        pDocument = pActiveChild->GetActiveDocument();
    if (bAddToTitle && bShowChild && pDocument != nullptr) {
        // The child's number among the frames of its document shows too.
        const int nWindowOld = m_nWindow;
        m_nWindow = pActiveChild->m_nWindow;
        UpdateFrameTitleForDocument(pDocument->GetTitle());
        m_nWindow = nWindowOld;
        return;
    }
    CString strTitle;
    LPCTSTR lpszTitle = nullptr;
    if (bShowChild) {
        strTitle = pActiveChild->GetTitle();
        if (!strTitle.IsEmpty())
            lpszTitle = strTitle;
    }
    UpdateFrameTitleForDocument(lpszTitle);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr) {
        pActiveChild->OnUpdateFrameMenu(TRUE, pActiveChild, hMenuAlt);
        return;
    }
    if (hMenuAlt == nullptr)
        hMenuAlt = m_hMenuDefault;
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, (LPARAM)GetWindowMenuPopup(hMenuAlt));
    ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // The layout places the MDI client; the default sizing would cover the bars.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CMDIFrameWnd::OnDestroy()
{
    // The client goes with the frame; it must not be used any more.
    CFrameWnd::OnDestroy();
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The active child (its accelerators) first.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr && pActiveChild->PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        if (m_hAccelTable != nullptr && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
            return TRUE;
        // Ctrl+F4, Ctrl+F6 and the like of the MDI client.
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && m_hWndMDIClient != nullptr &&
            ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (its view and document) first.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr) {
        CPushRoutingFrame push(this);
        if (pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != nullptr ? pActiveChild->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDocument != nullptr ? pDocument->GetDocTemplate() : nullptr;
    if (pTemplate == nullptr) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActiveChild);
    if (pFrame == nullptr) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

/////////////////////////////////////////////////////////////////////////////
// CMDIChildWnd

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;
CMDIChildWnd::~CMDIChildWnd() = default;

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    // The parent is the MDI client; its parent the frame.
    HWND hWndClient = ::GetParent(m_hWnd);
    CWnd* pFrame = CWnd::FromHandlePermanent(hWndClient != nullptr ? ::GetParent(hWndClient) : nullptr);
    return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(pFrame)
                                                                              : nullptr;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr) {
        CWinThread* pThread = AfxGetThread();
        CWnd* pMainWnd = pThread != nullptr ? pThread->m_pMainWnd : nullptr;
        if (pMainWnd != nullptr && pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pParentWnd = static_cast<CMDIFrameWnd*>(pMainWnd);
    }
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr) {
        PostNcDestroy(); // no MDI frame to live in
        return FALSE;
    }
    // The client's place must be settled before the child takes its size.
    pParentWnd->RecalcLayout();

    CREATESTRUCT cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    if (rect.left == CW_USEDEFAULT) {
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    } else {
        cs.x = rect.left;
        cs.y = rect.top;
        cs.cx = rect.right - rect.left;
        cs.cy = rect.bottom - rect.top;
    }
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = (LPVOID)pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    // The child is made hidden and shown below, so that it is complete
    // (view included) before it first shows and activates.
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate()) {
        if (hWnd != nullptr)
            ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)hWnd, 0);
        PostNcDestroy(); // never attached: the object goes
        return FALSE;
    }
    if (hWnd == nullptr)
        return FALSE; // the object went with the window

    if (cs.style & WS_VISIBLE) {
        ::BringWindowToTop(hWnd);
        if (cs.style & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (cs.style & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        pParentWnd->MDIActivate(this);
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    // The document name part of the template's string is the first title.
    CString strFullString, strTitle;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(strTitle, strFullString, CDocTemplate::docName, '\n');

    // The template's menu shows on the main frame while this child is active.
    if (pContext != nullptr && pContext->m_pNewDocTemplate != nullptr &&
        pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
        CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate);
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }

    CMDIFrameWnd* pFrame = nullptr;
    if (pParentWnd != nullptr) {
        if (!pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
            PostNcDestroy();
            return FALSE;
        }
        pFrame = static_cast<CMDIFrameWnd*>(pParentWnd);
    }
    return Create(GetIconWndClass(dwDefaultStyle | WS_CHILD, nIDResource), strTitle,
                  dwDefaultStyle | WS_CHILD, rectDefault, pFrame, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // The creation context travels in the MDI creation structure.
    const MDICREATESTRUCTA* lpmcs = static_cast<const MDICREATESTRUCTA*>(lpcs->lpCreateParams);
    CCreateContext* pContext = lpmcs != nullptr ? reinterpret_cast<CCreateContext*>(lpmcs->lParam) : nullptr;
    return OnCreateHelper(lpcs, pContext);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, nMsg, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    // The frame's caption is not rebuilt for every step of the destruction.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    HWND hWndFrame = pFrame != nullptr ? pFrame->m_hWnd : nullptr;
    LONG_PTR dwStyle = 0;
    if (hWndFrame != nullptr) {
        dwStyle = ::GetWindowLongPtr(hWndFrame, GWL_STYLE);
        ::SetWindowLongPtr(hWndFrame, GWL_STYLE, dwStyle & ~(LONG_PTR)FWS_ADDTOTITLE);
    }
    MDIDestroy(); // this object is gone now
    if (hWndFrame != nullptr && ::IsWindow(hWndFrame)) {
        ::SetWindowLongPtr(hWndFrame, GWL_STYLE, dwStyle);
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndFrame)) {
            if (pWnd->IsFrameWnd())
                static_cast<CFrameWnd*>(pWnd)->OnUpdateFrameTitle(TRUE);
        }
    }
    return TRUE;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (nCmdShow == -1 && pFrame != nullptr) {
        // A new child opens maximised when the one before it was.
        BOOL bMaximized = FALSE;
        CMDIChildWnd* pActive = pFrame->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if ((bMaximized && pActive != this) || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    if (pFrame == nullptr)
        return;
    // Shown means active for a child frame.
    if (IsWindowVisible() && pFrame->MDIGetActive() != this)
        MDIActivate();
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    ::DrawMenuBar(pFrame->m_hWnd);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // The main frame's caption follows the active child.
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (!bAddToTitle || pDocument == nullptr)
        return;
    CString strText = pDocument->GetTitle();
    if (m_nWindow > 0) {
        CString strNumber;
        strNumber.Format(":%d", m_nWindow);
        strText += strNumber;
    }
    AfxSetWindowText(m_hWnd, strText);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    if (hMenuAlt == nullptr && bActive) {
        if (CDocument* pDoc = GetActiveDocument())
            hMenuAlt = pDoc->GetDefaultMenu();
    }
    if (hMenuAlt == nullptr)
        hMenuAlt = m_hMenuShared;

    if (bActive && hMenuAlt != nullptr) {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
                      (LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
    } else if (!bActive && pActivateWnd == nullptr) {
        // The last child goes: the main frame's own menu again.
        HMENU hMenuDefault = pFrame->m_hMenuDefault;
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuDefault,
                      (LPARAM)pFrame->GetWindowMenuPopup(hMenuDefault));
    }
}

void CMDIChildWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    OnUpdateFrameMenu(TRUE, this, hMenuAlt);
}

HACCEL CMDIChildWnd::GetDefaultAccelerator()
{
    HACCEL hAccel = nullptr;
    if (CDocument* pDoc = GetActiveDocument())
        hAccel = pDoc->GetDefaultAccelerator();
    return hAccel != nullptr ? hAccel : m_hAccelTable;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The child's accelerators act for the main frame, which has the menu.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        CMDIFrameWnd* pFrame = GetMDIFrame();
        return hAccel != nullptr && pFrame != nullptr && ::TranslateAcceleratorA(pFrame->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CView* pActiveView = GetActiveView();

    // The view of the child that loses the activation is told first.
    if (!bActivate && pActiveView != nullptr)
        pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);

    OnUpdateFrameTitle(bActivate || pActivateWnd != nullptr);

    // The view of the new active child: active (and focused) when the main
    // frame itself is the active window.
    if (bActivate && pActiveView != nullptr && pFrame != nullptr && ::GetActiveWindow() == pFrame->m_hWnd)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);

    OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (pFrame != nullptr)
        ::DrawMenuBar(pFrame->m_hWnd);
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && pFrame->MDIGetActive() != this)
        MDIActivate();
    return nResult;
}
