// CFrameWnd: creation from resources, the active view, command routing,
// layout of control bars, captions, status prompts and closing.
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
#include "platform/framework/docview/BarDocking.h"
#include "platform/framework/docview/DocViewUtil.h"

/////////////////////////////////////////////////////////////////////////////
// Frames of a window

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* pParent = GetParent(); pParent != nullptr; pParent = pParent->GetParent()) {
        if (pParent->IsFrameWnd())
            return static_cast<CFrameWnd*>(pParent);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    if (pFrame != nullptr) {
        while (CFrameWnd* pParentFrame = pFrame->GetParentFrame())
            pFrame = pParentFrame;
    }
    return pFrame;
}

/////////////////////////////////////////////////////////////////////////////
// The routing frame of the thread

namespace {
thread_local CFrameWnd* t_pRoutingFrame = nullptr;
}

CPushRoutingFrame::CPushRoutingFrame(CFrameWnd* pNewFrame) : m_pOldRoutingFrame(t_pRoutingFrame)
{
    t_pRoutingFrame = pNewFrame;
}

CPushRoutingFrame::~CPushRoutingFrame()
{
    t_pRoutingFrame = m_pOldRoutingFrame;
}

CFrameWnd* AFXAPI AfxGetRoutingFrame()
{
    return t_pRoutingFrame;
}

/////////////////////////////////////////////////////////////////////////////
// CFrameWnd

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
    : m_pFloatingFrameClass(AfxGetBarDocking() != nullptr ? AfxGetBarDocking()->GetFloatingFrameClass() : nullptr)
{
}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        if (!AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG))
            return FALSE;
        cs.lpszClass = AFX_WNDFRAMEORVIEW;
    }
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
        if (hMenu == nullptr) {
            PostNcDestroy(); // the frame goes as it would with its window
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;

    // rectDefault lets the system choose the place and size.
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) {
        x = y = cx = cy = CW_USEDEFAULT;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(),
                  hMenu, (LPVOID)pContext)) {
        if (hMenu != nullptr && ::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

LPCTSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource)
{
    LPCTSTR lpszIcon = MAKEINTRESOURCE(nIDResource);
    if (!kvdoc::HasResource(lpszIcon, RT_GROUP_ICON))
        return nullptr;
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon);
    if (hIcon == nullptr)
        return nullptr;
    // The class the frame would use, with this icon.
    CREATESTRUCT cs = {};
    cs.style = dwDefaultStyle;
    PreCreateWindow(cs);
    WNDCLASS wndcls = {};
    if (cs.lpszClass != nullptr && ::GetClassInfoA(AfxGetInstanceHandle(), cs.lpszClass, &wndcls) &&
        wndcls.hIcon != hIcon)
        return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
    return nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFullString, 0, '\n');

    LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    LPCTSTR lpszMenu = MAKEINTRESOURCE(nIDResource);
    if (!kvdoc::HasResource(lpszMenu, RT_MENU))
        lpszMenu = nullptr; // a frame without a menu of its own
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0L, pContext))
        return FALSE; // the frame has deleted itself

    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != nullptr || !kvdoc::HasResource(lpszResourceName, RT_ACCELERATOR))
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR), lpszResourceName);
    return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    // The idle prompt once the message loop runs.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pObject) : nullptr;
    if (pView == nullptr) {
        delete pObject;
        return nullptr;
    }
    // A view that fails to be created deletes itself.
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    // The view's sunken edge replaces the frame's.
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

void CFrameWnd::PostNcDestroy()
{
    delete this; // frames live as long as their windows
}

/////////////////////////////////////////////////////////////////////////////
// Views and documents

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    // No active view while the old one is told; it may choose another.
    m_pViewActive = nullptr;
    if (pViewOld != nullptr)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (m_pViewActive != nullptr)
        return;
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = nullptr;
    if (GetActiveView() == nullptr) {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = static_cast<CView*>(pWnd);
            SetActiveView(pView, FALSE);
        }
    }

    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != nullptr)
            pView->OnActivateFrame(WA_INACTIVE, this);

        // The main window shows as the program was asked to start; any other
        // frame shows as ActivateFrame decides, so that a child frame that
        // its view maximised (while the main window is still hidden) stays
        // maximised.
        int nCmdShow = -1;
        if (!IsWindowVisible()) {
            CWinApp* pApp = AfxGetApp();
            if (pApp != nullptr && pApp->m_pMainWnd == this) {
                nCmdShow = pApp->m_nCmdShow;
                pApp->m_nCmdShow = -1;
            }
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }

    if (pDoc != nullptr)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::BringToTop(int nCmdShow)
{
    if (nCmdShow == SW_HIDE || nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINNOACTIVE ||
        nCmdShow == SW_SHOWNA || nCmdShow == SW_SHOWNOACTIVATE)
        return;
    CWnd* pWnd = GetLastActivePopup();
    if (pWnd != nullptr && pWnd->IsWindowVisible())
        ::BringWindowToTop(pWnd->m_hWnd);
    else
        ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    BringToTop(nCmdShow);
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        BringToTop(nCmdShow);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Title and menu

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != nullptr)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    CString strDoc;
    if (lpszDocName != nullptr) {
        strDoc = lpszDocName;
        if (m_nWindow > 0) {
            CString strNumber;
            strNumber.Format(":%d", m_nWindow);
            strDoc += strNumber;
        }
    }
    if (GetStyle() & FWS_PREFIXTITLE) {
        if (lpszDocName != nullptr) {
            strText = strDoc;
            if (!m_strTitle.IsEmpty())
                strText += " - ";
        }
        strText += m_strTitle;
    } else {
        strText = m_strTitle;
        if (lpszDocName != nullptr) {
            if (!strText.IsEmpty())
                strText += " - ";
            strText += strDoc;
        }
    }
    AfxSetWindowText(m_hWnd, strText);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == nullptr) {
        if (CDocument* pDoc = GetActiveDocument())
            hMenuAlt = pDoc->GetDefaultMenu();
        if (hMenuAlt == nullptr)
            hMenuAlt = m_hMenuDefault;
    }
    ::SetMenu(m_hWnd, hMenuAlt);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    HACCEL hAccel = nullptr;
    if (CDocument* pDoc = GetActiveDocument())
        hAccel = pDoc->GetDefaultAccelerator();
    return hAccel != nullptr ? hAccel : m_hAccelTable;
}

/////////////////////////////////////////////////////////////////////////////
// Messages and commands

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != nullptr && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CPushRoutingFrame push(this);
    // The active view (and its document) first, then the frame, then the
    // application.
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (bSysMenu || pPopupMenu == nullptr)
        return;
    AfxUpdateMenuCmdUI(this, pPopupMenu->GetSafeHmenu(), m_bAutoMenuEnable);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    // The floating frames of its bars go with it.
    if (GetParent() == nullptr || !(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
    // The active view of the frame (or of its active child frame) hears of it.
    CView* pActiveView = GetActiveView();
    if (pActiveView == nullptr) {
        CFrameWnd* pActiveFrame = GetActiveFrame();
        if (pActiveFrame != nullptr)
            pActiveView = pActiveFrame->GetActiveView();
    }
    if (pActiveView == nullptr)
        return;
    if (nState != WA_INACTIVE && !bMinimized)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
    pActiveView->OnActivateFrame(nState, this);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // A view that covers the frame paints everything itself.
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnDestroy()
{
    // A shared menu is not the frame's to destroy with the window.
    if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && !pDocument->CanCloseFrame(this))
        return; // the document keeps the frame open

    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        // The main window: every document is asked first, then all close.
        if (pDocument == nullptr && !pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        if (pApp->m_pMainWnd != this || m_hWnd == nullptr)
            return; // closing the documents took the main window with it
        DestroyWindow();
        return;
    }

    if (pDocument != nullptr && pDocument->m_bAutoDelete) {
        // The last frame of the document closes the document (which
        // destroys this frame); otherwise only this frame goes.
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != nullptr) {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this) {
                bOtherFrame = TRUE;
                break;
            }
        }
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Layout

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    if (GetStyle() & FWS_SNAPTOBARS) {
        // The frame takes the size its bars ask for, then lays them out in it.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    } else {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    CRect rectBorder, rectRequest;
    switch (nBorderCmd) {
    case borderGet:
        // The client area left by the control bars.
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectBorder);
        *lpRectBorder = rectBorder;
        return TRUE;
    case borderRequest:
        return TRUE;
    case borderSet:
        if (lpRectBorder == nullptr) {
            m_rectBorder.SetRectEmpty();
        } else if (!::EqualRect(&m_rectBorder, lpRectBorder)) {
            m_rectBorder = *lpRectBorder;
            RecalcLayout();
        }
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu) {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(nullptr);
    }
    if (m_nIdleFlags & idleTitle) {
        m_nIdleFlags &= ~idleTitle;
        OnUpdateFrameTitle(TRUE);
    }
    if (m_nIdleFlags & idleLayout) {
        const BOOL bNotify = (m_nIdleFlags & idleNotify) != 0;
        m_nIdleFlags &= ~(idleLayout | idleNotify);
        RecalcLayout(bNotify);
        UpdateWindow();
    }
    // The prompt chosen while a menu was tracked.
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Control bars

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar != nullptr && m_listControlBars.Find(pBar) == nullptr)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && (UINT)::GetDlgCtrlID(pBar->m_hWnd) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    // The frame whose layout holds the bar: its floating frame while it floats.
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pFrame == nullptr)
        pFrame = this;
    if (bDelay) {
        pBar->DelayShow(bShow);
        pFrame->DelayRecalcLayout();
    } else {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow); // clears a contrary pending request
        if (bShow || !pBar->IsFloating())
            pFrame->RecalcLayout(FALSE);
    }
    // A floating frame shows while it holds a visible bar.
    if (pBar->IsFloating() && pBar->m_pDockBar != nullptr) {
        if (AfxGetBarDocking()->GetDockedVisibleCount(pBar->m_pDockBar) > 0) {
            if (!pFrame->IsWindowVisible()) {
                pFrame->RecalcLayout(FALSE);
                pFrame->ShowWindow(SW_SHOWNA);
            }
        } else if (pFrame->IsWindowVisible()) {
            pFrame->ShowWindow(SW_HIDE);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Docking: the docking library's (see BarDocking.h); without it a frame
// makes no dock bars and floats no bar.

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    if (CBarDocking* pDocking = AfxGetBarDocking())
        pDocking->EnableDocking(this, dwDockStyle);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (CBarDocking* pDocking = AfxGetBarDocking())
        pDocking->FloatControlBar(this, pBar, point, dwStyle);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CBarDocking* pDocking = AfxGetBarDocking();
    if (pDocking == nullptr)
        AfxThrowResourceException();
    return pDocking->CreateFloatingFrame(this, dwStyle);
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    if (CBarDocking* pDocking = AfxGetBarDocking())
        pDocking->LoadBarState(this, lpszProfileName);
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    if (CBarDocking* pDocking = AfxGetBarDocking())
        pDocking->SaveBarState(this, lpszProfileName);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar != nullptr) {
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVK = 0;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS:
        nVK = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVK = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVK = VK_SCROLL;
        break;
    case ID_INDICATOR_KANA:
        nVK = VK_KANA;
        break;
    default:
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->Enable((::GetKeyState(nVK) & 1) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == nullptr)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Status line prompts

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString strFull;
    if (nID != 0 && strFull.LoadString(nID))
        AfxExtractSubString(rMessage, strFull, 0, '\n');
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;

    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr) {
        CString strMessage;
        LPCTSTR lpsz = nullptr;
        if (lParam != 0) {
            lpsz = (LPCTSTR)lParam;
        } else if (wParam != 0) {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz != nullptr ? lpsz : "");

        // The frame that owns the bar keeps the same state.
        CFrameWnd* pBarFrame = pMessageBar->GetParentFrame();
        if (pBarFrame != nullptr && pBarFrame != this) {
            pBarFrame->m_nIDLastMessage = (UINT)wParam;
            pBarFrame->m_nIDTracking = (UINT)wParam;
        }
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    CFrameWnd* pTopFrame = GetTopLevelFrame();
    if (pTopFrame == nullptr)
        pTopFrame = this;
    if (nFlags == 0xFFFF && hSysMenu == nullptr) {
        // The menu closed: back to the idle prompt now.
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = pTopFrame->m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
    } else {
        if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)) || nItemID >= 0xF000)
            m_nIDTracking = 0; // separators, popups, system and window-list items have no prompt
        else
            m_nIDTracking = nItemID;
        pTopFrame->m_nFlags |= WF_NOPOPMSG;
    }
    // The prompt is shown when the menu loop goes idle.
    if (m_nIDTracking != m_nIDLastMessage && GetParent() != nullptr)
        PostMessage(WM_KICKIDLE);
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CWnd::OnEnterIdle(nWhy, pWho);
    if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
}

/////////////////////////////////////////////////////////////////////////////
// Print preview mode

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (pState == nullptr || !pState->m_bActive == !bPreview)
        return;
    if (bPreview) {
        pState->hiddenBars.clear();
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
            auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (pBar->m_hWnd != nullptr && pBar->IsVisible()) {
                pState->hiddenBars.push_back(pBar);
                ShowControlBar(pBar, FALSE, FALSE);
            }
        }
        pState->hWndFocus = ::GetFocus();
        pState->hMenu = ::GetMenu(m_hWnd);
        if (pState->hMenu != nullptr)
            ::SetMenu(m_hWnd, nullptr);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = nullptr;
        pState->m_bActive = TRUE;
    } else {
        if (pState->hMenu != nullptr)
            ::SetMenu(m_hWnd, pState->hMenu);
        m_hAccelTable = pState->hAccelTable;
        // Bars destroyed while the preview was up are no longer in the list.
        for (CControlBar* pBar : pState->hiddenBars) {
            if (m_listControlBars.Find(pBar) != nullptr && pBar->m_hWnd != nullptr)
                ShowControlBar(pBar, TRUE, FALSE);
        }
        if (pState->hWndFocus != nullptr && ::IsWindow(pState->hWndFocus))
            ::SetFocus(pState->hWndFocus);
        pState->hiddenBars.clear();
        pState->hMenu = nullptr;
        pState->hAccelTable = nullptr;
        pState->hWndFocus = nullptr;
        pState->m_bActive = FALSE;
        RecalcLayout();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Context help

BOOL CFrameWnd::CanEnterHelpMode()
{
    if (m_bHelpMode != HELP_INACTIVE || m_hWnd == nullptr)
        return FALSE;
    if (!::IsWindowEnabled(m_hWnd))
        return FALSE;
    return ::GetCapture() == nullptr;
}

BOOL CFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext)
{
    if (pContext != nullptr)
        *pContext = 0;
    MSG removed;
    if (msg.message == WM_EXITHELPMODE || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
        ::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE);
        return FALSE;
    }
    const bool bMouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
    const bool bNcMouse = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK;
    if (!bMouse && !bNcMouse) {
        if (::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE)) {
            ::TranslateMessage(&removed);
            ::DispatchMessage(&removed);
        }
        return TRUE;
    }
    ::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE);
    if (msg.message != WM_LBUTTONDOWN && msg.message != WM_NCLBUTTONDOWN)
        return TRUE;

    // The window clicked: the one under the point, else the message's own.
    HWND hWndHit = ::WindowFromPoint(msg.pt);
    if (hWndHit == nullptr || (hWndHit != m_hWnd && !::IsChild(m_hWnd, hWndHit)))
        hWndHit = msg.hwnd;
    if (hWndHit == nullptr)
        return TRUE;
    const LRESULT nHit = ::SendMessage(hWndHit, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
    if (nHit != HTCLIENT && nHit != HTNOWHERE && nHit != HTERROR && nHit != HTTRANSPARENT) {
        if (pContext != nullptr)
            *pContext = HID_BASE_NCAREAS + (DWORD)nHit;
        return FALSE;
    }
    DWORD dwContext = 0;
    for (HWND hWnd = hWndHit; hWnd != nullptr && dwContext == 0; hWnd = ::GetParent(hWnd)) {
        POINT pt = msg.pt;
        ::ScreenToClient(hWnd, &pt);
        dwContext = (DWORD)::SendMessage(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (hWnd == m_hWnd)
            break;
    }
    if (dwContext == 0) {
        const int nID = ::GetDlgCtrlID(hWndHit);
        if (hWndHit != m_hWnd && (::GetWindowLong(hWndHit, GWL_STYLE) & WS_CHILD) && nID != 0 && nID != -1)
            dwContext = HID_BASE_CONTROL + (DWORD)(UINT)nID;
    }
    if (pContext != nullptr)
        *pContext = dwContext;
    return FALSE;
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0 && m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE &&
        m_nIDTracking != AFX_IDS_HELPMODEMESSAGE)
        lParam = HID_BASE_COMMAND + m_nIDTracking;
    if (lParam == 0)
        return FALSE;
    WinHelp((DWORD_PTR)lParam);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Floating windows owned by the frame

namespace {

struct FloatNotify
{
    HWND hWndOwner;
    DWORD dwFlags;
};

BOOL CALLBACK NotifyOwnedPopup(HWND hWnd, LPARAM lParam)
{
    const auto* pNotify = reinterpret_cast<const FloatNotify*>(lParam);
    if (::GetWindow(hWnd, GW_OWNER) == pNotify->hWndOwner && (::GetWindowLong(hWnd, GWL_STYLE) & WS_POPUP))
        ::SendMessage(hWnd, WM_FLOATSTATUS, (WPARAM)pNotify->dwFlags, 0);
    return TRUE;
}

} // namespace

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    if (m_hWnd == nullptr)
        return;
    CFrameWnd* pTop = GetTopLevelFrame();
    FloatNotify notify = { pTop != nullptr ? pTop->m_hWnd : m_hWnd, dwFlags };
    ::EnumThreadWindows(::GetCurrentThreadId(), NotifyOwnedPopup, reinterpret_cast<LPARAM>(&notify));
}
