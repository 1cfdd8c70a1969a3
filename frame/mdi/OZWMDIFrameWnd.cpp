#include "frame/mdi/OZWMDIFrameWnd.h"

#include "frame/bars/OZWControlBar.h"

#include "frame/framemodel/OZWFrameModel.h"
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWFrameCommon.h"
#include "frame/mdi/OZWFrameMenuBar.h"
#include "frame/support/OZWWndPlugIn.h"
#include "platform/framework/docview/PrintPreview.h"
#include "platform/theme/ThemeLib.h"

#include <uxtheme.h>

#include <algorithm>
#include <vector>

using dedaride::foundation::OZWWndPlugIn;

namespace {

BOOL IsWindows4OrLater()
{
    // Every system this program runs on is; the test stays for the rule.
    return (LOBYTE(LOWORD(::GetVersion()))) >= 4;
}

// The display of X11 without a window manager puts a top-level window above
// all others, its owned windows too, each time the keyboard focus moves to
// it or into it, and once more when a window holding the focus is mapped;
// the window system's own order stays as it was and no message tells the
// frame of it. A click on a docked bar's grid would so hide an open editor
// behind the frame, and the focus the frame gives its view at start-up the
// floating bars. A hook of the thread sees each change of focus: the frame
// that takes it restacks its owned windows once the change is over (one
// message queued at a time), and again at the next idle time, when the
// display's own events (the mapping of the frame) have been handled.
const UINT g_msgAfterFocus = ::RegisterWindowMessageA("OZWMDIFrameWnd AfterFocus");

struct FrameRestack
{
    HWND hFrame;
    bool bQueued;
    bool bAtIdle;
};

struct FocusWatch
{
    HHOOK hHook = nullptr;
    std::vector<FrameRestack> frames;
};
thread_local FocusWatch t_focusWatch;

FrameRestack* FindRestack(HWND hFrame)
{
    for (FrameRestack& frame : t_focusWatch.frames) {
        if (frame.hFrame == hFrame)
            return &frame;
    }
    return nullptr;
}

LRESULT CALLBACK FocusHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_SETFOCUS && wParam != 0) {
        if (FrameRestack* pFrame = FindRestack(::GetAncestor(reinterpret_cast<HWND>(wParam), GA_ROOT))) {
            pFrame->bAtIdle = true;
            if (!pFrame->bQueued)
                pFrame->bQueued = ::PostMessageA(pFrame->hFrame, g_msgAfterFocus, 0, 0) != FALSE;
        }
    }
    return ::CallNextHookEx(t_focusWatch.hHook, nCode, wParam, lParam);
}

void WatchFocus(HWND hFrame)
{
    if (g_msgAfterFocus == 0)
        return;
    if (t_focusWatch.hHook == nullptr)
        t_focusWatch.hHook = ::SetWindowsHookExA(WH_CBT, FocusHook, nullptr, ::GetCurrentThreadId());
    t_focusWatch.frames.push_back({ hFrame, false, false });
}

void StopWatchingFocus(HWND hFrame)
{
    std::erase_if(t_focusWatch.frames, [hFrame](const FrameRestack& frame) { return frame.hFrame == hFrame; });
    if (t_focusWatch.frames.empty() && t_focusWatch.hHook != nullptr) {
        ::UnhookWindowsHookEx(t_focusWatch.hHook);
        t_focusWatch.hHook = nullptr;
    }
}

} // namespace

namespace {
const UINT s_nMenuRequestMessage = OZWGetMenuRequestMessage();
}

IMPLEMENT_DYNCREATE(OZWMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(OZWMDIFrameWnd, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_NCHITTEST()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_ENTERIDLE()
    ON_REGISTERED_MESSAGE(s_nMenuRequestMessage, OnGetMenuRequest)
    ON_MESSAGE(WM_OZW_BARCONTEXTMENU, OnBarContextMenu)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelpEx)
    ON_COMMAND(OZWMDIFrameWnd::kContextHelpCommand, OnContextHelp)
    OZW_ON_WORKSPACE_COMMANDS()
END_MESSAGE_MAP()

OZWMDIFrameWnd::OZWMDIFrameWnd()
{
    m_pMsgFilter = new OZWMsgFilter(this, -1);
    using ozwframe::FilterClass;
    m_filterDescriptors.Add({kSysCommand, -1, FilterClass("nsSysCommandEx::ScxMsgFilter"), 0});
    m_pCaptionControlsDescriptor =
        m_filterDescriptors.Add({kCaptionControls, -1, FilterClass("OZWCapConLstMDIMaxChildMsgFilter"), 0});
    m_filterDescriptors.Add(
        {kMaxChildButton, kCaptionControls, FilterClass("nsSysCommandEx::ScxButtonMDIMaxChildMsgFilter"), 0});
    m_filterDescriptors.Add(
        {kMaxChildNCRDblClk, -1, FilterClass("nsSysCommandEx::ScxNCRDBLClkMDIMaxChildMsgFilter"), 0});
    m_dockingPlaces = ozwframe::DockingPlaceRotation();
    m_bWindows4 = IsWindows4OrLater();

    // The extended system commands are for frames with docking document
    // templates.
    BOOL bDockingTemplate = FALSE;
    CRuntimeClass* pDockingTemplate = CRuntimeClass::FromName("OZWMultiDocTemplate");
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pDockingTemplate != nullptr) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
            if (pApp->GetNextDocTemplate(pos)->IsKindOf(pDockingTemplate))
                bDockingTemplate = TRUE;
    }
    EnableSysCommandEx(bDockingTemplate ? 1 : 0);
    if (OZW_AUX_DATA* pData = UXGetSysData())
        pData->UpdateSysColors();
}

OZWMDIFrameWnd::~OZWMDIFrameWnd()
{
    if (m_hMenuBarMenu != nullptr)
        ::DestroyMenu(m_hMenuBarMenu);
    delete m_pPlugIn;
    m_pPlugIn = nullptr;
    delete m_pMenuBarObject;
    m_pMenuBarObject = nullptr;
    ozwframe::DeleteObjects(m_loadedObjects);
    for (auto& entry : m_menuMap)
        ::DestroyMenu(entry.second);
    m_menuMap.clear();
    delete m_pMsgFilter;
    m_pMsgFilter = nullptr;
}

void OZWMDIFrameWnd::EnableSysCommandEx(DWORD dwFlags)
{
    BOOL values[4];
    ozwframe::FrameFilterEnables(dwFlags, values);
    m_pMsgFilter->ApplyDescriptors(m_filterDescriptors, values);
    InstallCaptionControlList(m_pMsgFilter, kCaptionControls);
}

void OZWMDIFrameWnd::InstallCaptionControlList(OZWMsgFilter* pRoot, int nKind)
{
    // The caption-control list keeps a table of its own buttons; it is
    // reached through a virtual of the list's class (a library above this
    // one), so the request goes as its ApplyDescriptorsAll on its own table,
    // which the class answers for itself when asked with an empty table.
    OZWMsgFilter* pFilter = pRoot != nullptr ? pRoot->FindFilter(nKind, nullptr, -1) : nullptr;
    CRuntimeClass* pListClass = ozwframe::FilterClass("OZWCaptionControlListMsgFilter");
    if (pFilter == nullptr || pListClass == nullptr || !pFilter->IsKindOf(pListClass))
        return;
    OZWMsgFilter::DescriptorTable none;
    pFilter->ApplyDescriptorsAll(none, FALSE);
}

BOOL OZWMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nMenuID = nIDResource;
    return CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

BOOL OZWMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    return CMDIFrameWnd::OnCreateClient(lpcs, pContext);
}

int OZWMDIFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_pMenuBar == nullptr && m_bBmpMenus)
        m_pPlugIn = ozwframe::PlugInBmpMenus(this);
    WatchFocus(m_hWnd);
    return 0;
}

IOZWFrameMenuBar* OZWMDIFrameWnd::CreateMenuBarObject(int x, int y, CRuntimeClass* pClass, DWORD_PTR dwValue)
{
    if (pClass == nullptr)
        return nullptr;
    delete m_pMenuBarObject;
    m_pMenuBarObject = ozwframe::CreateMenuBarObject(this, x, y, pClass, dwValue);
    return m_pMenuBarObject;
}

void OZWMDIFrameWnd::EnableBmpMenus(BOOL bEnable, BOOL bSecond)
{
    m_bBmpMenus = bEnable;
    m_bBmpMenus2 = bSecond;
}

void OZWMDIFrameWnd::SetBmpMenuColors(COLORREF clr, BOOL bUse)
{
    m_clrBmpMenu = clr;
    m_bUseBmpMenuColor = bUse;
}

BOOL OZWMDIFrameWnd::RegisterMenus(int nCount, const UINT* pIDs)
{
    for (int i = 0; i < nCount; ++i) {
        HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(pIDs[i]));
        if (hMenu == nullptr)
            return FALSE;
        auto it = m_menuMap.find(pIDs[i]);
        if (it != m_menuMap.end())
            ::DestroyMenu(it->second);
        m_menuMap[pIDs[i]] = hMenu;
    }
    return TRUE;
}

BOOL OZWMDIFrameWnd::SetMenuBar(CControlBar* pMenuBar, OZWWndPlugIn* pFeature)
{
    if (m_hWnd == nullptr || pMenuBar == nullptr) {
        delete pFeature;
        return FALSE;
    }
    if (pFeature == nullptr) {
        // The feature belongs to the toolbar library; the frame makes it by
        // its class name when the program has it.
        CObject* pObject = CRuntimeClass::CreateObject("OZWMenuBarFeature");
        pFeature = dynamic_cast<OZWWndPlugIn*>(pObject);
        if (pFeature == nullptr) {
            delete pObject;
            return FALSE;
        }
    }
    ozwframe::DeletePlugIn(m_pPlugIn);
    m_pMenuBar = pMenuBar;
    HMENU hMenu = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, nullptr);
    if (hMenu == nullptr && m_nMenuID != 0)
        hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nMenuID));
    if (m_hMenuBarMenu != nullptr && m_hMenuBarMenu != hMenu)
        ::DestroyMenu(m_hMenuBarMenu);
    m_hMenuBarMenu = hMenu;
    // Kept by the frame now: no menu of the window to come back to.
    if (m_hMenuDefault == hMenu)
        m_hMenuDefault = nullptr;
    m_pPlugIn = pFeature;
    m_pPlugIn->PlugInTo(this);
    // The bar shows the maximised child's icon and caption buttons itself,
    // so the frame's caption row for them goes quiet.
    if (m_pCaptionControlsDescriptor != nullptr)
        m_pMsgFilter->ApplyDescriptor(*m_pCaptionControlsDescriptor, FALSE);
    SwitchMenuBarMenu((UINT)-1);
    return TRUE;
}

HMENU OZWMDIFrameWnd::GetMenuForID(UINT nID)
{
    // The frame's own menu, kept for the menu bar under the frame's id
    // (whatever menu the bar shows at the moment).
    if (m_hMenuBarMenu != nullptr && m_nMenuID == nID)
        return m_hMenuBarMenu;
    if (CWinApp* pApp = AfxGetApp()) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
            CMultiDocTemplate* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
            if (pTemplate != nullptr && pTemplate->m_nIDResource == nID && pTemplate->m_hMenuShared != nullptr)
                return pTemplate->m_hMenuShared;
        }
    }
    auto it = m_menuMap.find(nID);
    return it != m_menuMap.end() ? it->second : nullptr;
}

LRESULT OZWMDIFrameWnd::OnGetMenuRequest(WPARAM wParam, LPARAM lParam)
{
    HMENU hMenu = GetMenuForID((UINT)wParam);
    return hMenu != nullptr ? (LRESULT)::GetSubMenu(hMenu, (int)lParam) : 0;
}

void OZWMDIFrameWnd::SwitchMenuBarMenu(UINT nMenuID)
{
    // Without a menu bar there is nothing to switch; the framework's menu
    // switching of the MDI children shows the right menu.
    if (m_pMenuBar == nullptr || m_pPlugIn == nullptr)
        return;
    if (nMenuID == 0)
        nMenuID = (UINT)-1;
    m_nMenuBarMenuID = nMenuID == (UINT)-1 ? m_nMenuID : nMenuID;
    m_pPlugIn->SwitchHostMenu(m_nMenuBarMenuID);
    // The frame's own menu: no child is active, its buttons go.
    BOOL bChanged = nMenuID != (UINT)-1;
    if (nMenuID == (UINT)-1 && m_pPlugIn->UpdateHostChildButtons(TRUE))
        bChanged = TRUE;
    if (bChanged) {
        m_pMenuBar->Invalidate();
        if (CFrameWnd* pFrame = m_pMenuBar->GetParentFrame())
            pFrame->RecalcLayout();
    }
    LinkWindowMenu();
}

void OZWMDIFrameWnd::UpdateMenuBarChildButtons()
{
    if (m_pMenuBar == nullptr || m_pPlugIn == nullptr)
        return;
    if (!m_pPlugIn->UpdateHostChildButtons(FALSE))
        return;
    m_pMenuBar->Invalidate();
    if (CFrameWnd* pFrame = m_pMenuBar->GetParentFrame())
        pFrame->RecalcLayout();
}

void OZWMDIFrameWnd::LinkWindowMenu()
{
    if (m_pMenuBar == nullptr || m_nMenuBarMenuID == 0)
        return;
    HMENU hMenu = GetMenuForID(m_nMenuBarMenuID);
    HMENU hWindowMenu = hMenu != nullptr ? GetWindowMenuPopup(hMenu) : nullptr;
    if (hWindowMenu != nullptr && ::GetMenu(m_hWnd) == nullptr)
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, 0, (LPARAM)hWindowMenu);
}

HMENU OZWMDIFrameWnd::GetDefaultMenu()
{
    if (m_pMenuBar != nullptr)
        return GetMenuForID(m_nMenuBarMenuID);
    return m_hMenuDefault;
}

void OZWMDIFrameWnd::DeactivateDockedChild(BOOL bActivateClient)
{
    if (m_pActiveDockedChild == nullptr)
        return;
    CFrameWnd* pChild = m_pActiveDockedChild;
    m_pActiveDockedChild = nullptr;
    if (pChild->m_hWnd != nullptr)
        pChild->SendMessage(WM_NCACTIVATE, FALSE);
    if (bActivateClient) {
        if (CMDIChildWnd* pActive = MDIGetActive())
            MDIActivate(pActive);
    }
}

namespace {

// The window and each parent up to the top are visible (a control bar by
// its own test, which knows about delayed showing).
BOOL IsVisibleUpwards(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    const HWND hDesktop = ::GetDesktopWindow();
    for (HWND hWnd = pWnd->m_hWnd; hWnd != nullptr && hWnd != hDesktop; hWnd = ::GetAncestor(hWnd, GA_PARENT)) {
        auto* pBar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(hWnd));
        const BOOL bVisible =
            pBar != nullptr ? pBar->IsVisible() : (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (!bVisible)
            return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL OZWMDIFrameWnd::ActivateOtherDockedFrame(CFrameWnd* pSkip)
{
    // Docked document frames are the toolkit's dockable frames (a class of
    // a library above this one, found by its name).
    CRuntimeClass* pDockableClass = CRuntimeClass::FromName("OZWDockableFrame");
    if (pDockableClass == nullptr)
        return FALSE;
    CFrameWnd* pActive = m_pActiveDockedChild;
    if (pActive != nullptr && pActive != pSkip && pActive->IsKindOf(pDockableClass) && IsVisibleUpwards(pActive)) {
        ActivateDockedFrame(pActive, TRUE);
        return TRUE;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    for (POSITION posTemplate = pApp->GetFirstDocTemplatePosition(); posTemplate != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;) {
            CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
            for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;) {
                CFrameWnd* pFrame = pDoc->GetNextView(posView)->GetParentFrame();
                if (pFrame != nullptr && pFrame != pSkip && pFrame->IsKindOf(pDockableClass) &&
                    IsVisibleUpwards(pFrame)) {
                    ActivateDockedFrame(pFrame, FALSE);
                    return TRUE;
                }
            }
        }
    }
    return FALSE;
}

void OZWMDIFrameWnd::ActivateDockedFrame(CFrameWnd* pFrame, BOOL bForce)
{
    CFrameWnd* pOld = m_pActiveDockedChild;
    if (pFrame == pOld && !bForce)
        return;
    // The frame that loses the activation: the docked one, else the MDI
    // child (only when a docked frame takes its place).
    CFrameWnd* pLosing = pOld;
    if (pLosing == nullptr && pFrame != nullptr)
        pLosing = MDIGetActive();
    if (pLosing != nullptr && pLosing != pFrame && pLosing->m_hWnd != nullptr) {
        if (CView* pView = pLosing->GetActiveView())
            pView->OnActivateView(FALSE, pView, pView);
        pLosing->SendMessage(WM_NCACTIVATE, FALSE);
    }
    m_pActiveDockedChild = pFrame;
    if (pFrame != nullptr) {
        if (CView* pView = pFrame->GetActiveView())
            pView->OnActivateView(TRUE, pView, pView);
        pFrame->SendMessage(WM_NCACTIVATE, TRUE);
        pFrame->OnUpdateFrameMenu(nullptr);
    } else if (CMDIChildWnd* pChild = MDIGetActive(); pChild != nullptr && pOld != nullptr) {
        pChild->SendMessage(WM_NCACTIVATE, TRUE);
        pChild->OnUpdateFrameMenu(TRUE, pChild, nullptr);
    }
    OnUpdateFrameTitle(TRUE);
}

void OZWMDIFrameWnd::GetNextDockingPlace(UINT& nDockBarID, int placement[3], float& fShare, int& nHeight)
{
    const ozwframe::DockingPlace place = ozwframe::NextDockingPlace(m_dockingPlaces, &m_nDockingPlace);
    nDockBarID = place.nDockBarID;
    for (int i = 0; i < 3; ++i)
        placement[i] = place.placement[i];
    fShare = place.fShare;
    nHeight = place.nHeight;
}

CFrameWnd* OZWMDIFrameWnd::GetActiveFrame()
{
    if (m_pActiveDockedChild != nullptr)
        return m_pActiveDockedChild;
    return CMDIFrameWnd::GetActiveFrame();
}

void OZWMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CFrameWnd* pActiveFrame = GetActiveFrame();
    BOOL bMaximized = FALSE;
    MDIGetActive(&bMaximized);
    CDocument* pDoc = GetActiveDocument();
    if (pDoc == nullptr && pActiveFrame != nullptr && pActiveFrame != this)
        pDoc = pActiveFrame->GetActiveDocument();
    if (bAddToTitle && pActiveFrame != nullptr && pActiveFrame != this && !bMaximized && pDoc != nullptr) {
        UpdateFrameTitleForDocument(pDoc->GetTitle());
        return;
    }
    CString strTitle;
    if (pActiveFrame != nullptr && pActiveFrame != this && pActiveFrame->m_hWnd != nullptr)
        pActiveFrame->GetWindowText(strTitle);
    UpdateFrameTitleForDocument(strTitle.IsEmpty() ? nullptr : (LPCTSTR)strTitle);
}

void OZWMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_pActiveDockedChild != nullptr) {
        m_pActiveDockedChild->OnUpdateFrameMenu(hMenuAlt);
        return;
    }
    if (CMDIChildWnd* pChild = MDIGetActive()) {
        pChild->OnUpdateFrameMenu(TRUE, pChild, hMenuAlt);
        return;
    }
    if (m_pMenuBar != nullptr) {
        // The menu bar shows the menus; the window gets none.
        LinkWindowMenu();
        UpdateMenuBarChildButtons();
        return;
    }
    HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : GetDefaultMenu();
    if (m_hWndMDIClient != nullptr)
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, (LPARAM)GetWindowMenuPopup(hMenu));
}

void OZWMDIFrameWnd::RecalcLayout(BOOL bNotify)
{

    CMDIFrameWnd::RecalcLayout(bNotify);
    if (m_hWnd == nullptr)
        return;
    if (m_rectLastClient.Width() <= 0 || m_rectLastClient.Height() <= 0) {
        if (m_hWndMDIClient != nullptr)
            ::RedrawWindow(m_hWndMDIClient, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    ozwframe::AfterFrameLayout(this, m_rectLastClient);
}

BOOL OZWMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    return CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
}

void OZWMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (!bPreview && m_hWnd != nullptr)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL OZWMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (ozwframe::PlugInPreTranslate(this, m_pPlugIn, pMsg))
        return TRUE;
    if (IsCustomizeMode() && ozwframe::IsSysClose(pMsg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

BOOL OZWMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CFrameWnd* pChild = m_pActiveDockedChild;
    if (pChild == nullptr)
        pChild = MDIGetActive();
    if (pChild != nullptr) {
        CPushRoutingFrame push(this);
        if (pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    // Then the menu-bar object made from a run-time class, then the frame's
    // own routing.
    BOOL bResult = FALSE;
    if (ozwframe::RouteCommandToMenuBar(m_pMenuBarObject, nID, nCode, pExtra, pHandlerInfo, &bResult))
        return bResult;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL OZWMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The command route (OnCmdMsg) offers the command to the active docked
    // child, else the active MDI child, first.
    if (CMDIFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // A system command from a menu or accelerator that nobody handled.
    const UINT nID = LOWORD(wParam);
    if (lParam == 0 && nID >= 0xF000) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

LRESULT OZWMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == OZWGetSysCommandExMessage()) {
        LRESULT lResult = 0;
        if (m_pMsgFilter != nullptr)
            m_pMsgFilter->FilterMessage(message, wParam, lParam, &lResult);
        return lResult;
    }
    return CMDIFrameWnd::DefWindowProc(message, wParam, lParam);
}

namespace {

void KeepOwnedWindowsAbove(HWND hFrame)
{
    // The window system keeps owned windows above their owner, but a display
    // driver may raise the frame alone (a click on a docked bar under X11
    // did): an open editor would then hide behind the frame while it still
    // holds the grid. The visible owned windows below the frame go back just
    // above it, in the order they had.
    std::vector<HWND> below;
    bool bPastFrame = false;
    for (HWND h = ::GetWindow(hFrame, GW_HWNDFIRST); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h == hFrame)
            bPastFrame = true;
        else if (bPastFrame && ::GetWindow(h, GW_OWNER) == hFrame && ::IsWindowVisible(h))
            below.push_back(h);
    }
    // Each goes between the frame and the window above it: the topmost first,
    // so that the next one lands below it.
    for (HWND hOwned : below) {
        HWND hAbove = ::GetWindow(hFrame, GW_HWNDPREV);
        ::SetWindowPos(hOwned, hAbove != nullptr ? hAbove : HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

// Restacks the frame's visible owned windows on top, keeping their order.
// The display may have raised the frame alone while the window system's own
// order still has them above it, so that a floating bar or an editor hid
// behind the frame. A window that is made the top one of the window system
// is restacked on top by the display too, but one that is already the top
// one is not moved: each goes just below the frame first (the window system
// keeps an owned window above its owner, so that it stays above it), then
// to the top. A window kept on top of all (WS_EX_TOPMOST) is left alone.
void RaiseOwnedWindows(HWND hFrame)
{
    std::vector<HWND> owned;
    for (HWND h = ::GetWindow(hFrame, GW_HWNDFIRST); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != hFrame && ::GetWindow(h, GW_OWNER) == hFrame && ::IsWindowVisible(h) &&
            !(::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST))
            owned.push_back(h);
    }
    // The lowest first, so that each next one lands above it.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        ::SetWindowPos(*it, hFrame, 0, 0, 0, 0, flags);
        ::SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, flags);
    }
}

// Restacks the owned windows of the frame when it is the active window (a
// restack asked for may arrive once another window has taken over).
void RaiseOwnedWindowsOfActive(HWND hFrame)
{
    if (::GetActiveWindow() == hFrame)
        RaiseOwnedWindows(hFrame);
}

// Posted at each change of activation, handled once it is over.
const UINT g_msgAfterActivation = ::RegisterWindowMessageA("OZWMDIFrameWnd AfterActivation");

} // namespace

LRESULT OZWMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_msgAfterActivation && g_msgAfterActivation != 0) {
        // The caption is drawn for the window now active (the foreground
        // window is not the new one while the activation runs); active, the
        // frame has its floating bars and owned windows back above it.
        const BOOL bActive = ::GetActiveWindow() == m_hWnd;
        // Inactive, whether the caption stays active is the window in
        // front's to tell (a floating bar, an owned window) again.
        if (!bActive)
            m_bStayActive = FALSE;
        SendMessage(WM_NCACTIVATE, bActive);
        if (bActive) {
            RaiseOwnedWindows(m_hWnd);
            if (FrameRestack* pRestack = FindRestack(m_hWnd))
                pRestack->bAtIdle = true;
        }
        return 0;
    }
    if (message == g_msgAfterFocus && g_msgAfterFocus != 0) {
        if (FrameRestack* pRestack = FindRestack(m_hWnd))
            pRestack->bQueued = false;
        RaiseOwnedWindowsOfActive(m_hWnd);
        return 0;
    }
    if (message == WM_IDLEUPDATECMDUI) {
        if (FrameRestack* pRestack = FindRestack(m_hWnd); pRestack != nullptr && pRestack->bAtIdle) {
            pRestack->bAtIdle = false;
            RaiseOwnedWindowsOfActive(m_hWnd);
        }
    }
    if (LRESULT lResult = 0; ozwframe::PlugInWindowProc(m_pPlugIn, message, wParam, lParam, &lResult))
        return lResult;
    switch (message) {
    case WM_WINDOWPOSCHANGED: {
        // The frame's owned windows (an open editor, a floating bar) stay
        // above it whatever raised it.
        const LRESULT lResult = CMDIFrameWnd::WindowProc(message, wParam, lParam);
        if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER))
            KeepOwnedWindowsAbove(m_hWnd);
        return lResult;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: {
        LRESULT lResult = 0;
        if (OZWFilterFirst(m_pMsgFilter, message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_NCPAINT: {
        if (m_bCustomCaption)
            return OnNcPaintCustom(wParam, lParam);
        CMDIFrameWnd::WindowProc(message, wParam, lParam);
        return m_pMsgFilter != nullptr ? (LRESULT)m_pMsgFilter->FilterMessage(message, wParam, lParam, nullptr) : 0;
    }
    case WM_SETTEXT: {
        if (m_bCustomCaption) {
            ozwframe::WithoutVisibleStyle(m_hWnd, [&] { return CMDIFrameWnd::WindowProc(message, wParam, lParam); });
            DrawCaption();
            return TRUE;
        }
        const LRESULT lResult = CMDIFrameWnd::WindowProc(message, wParam, lParam);
        OZWFilterInform(m_pMsgFilter, message, wParam, lParam);
        return lResult;
    }
    case WM_INITMENUPOPUP: {
        // The bitmap menus see the popup again after the frame's command
        // updates, which may have changed its items.
        const LRESULT lResult = CMDIFrameWnd::WindowProc(message, wParam, lParam);
        if (m_bBmpMenus && m_pPlugIn != nullptr && m_pPlugIn->IsPlugged())
            m_pPlugIn->HandleInitMenuPopup((HMENU)wParam, lParam);
        return lResult;
    }
    default:
        break;
    }
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

void OZWMDIFrameWnd::OnDestroy()
{
    StopWatchingFocus(m_hWnd);
    ozwframe::DestroyFrameBars(this);
    ozwframe::DeletePlugIn(m_pPlugIn);
    CMDIFrameWnd::OnDestroy();
}

void OZWMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CFrameWnd* pTop = GetTopLevelFrame();
    if (pTop == nullptr)
        pTop = this;
    BOOL bStay = FALSE;
    if (nState != WA_INACTIVE) {
        bStay = TRUE;
    } else if (pWndOther != nullptr && pWndOther->m_hWnd != nullptr) {
        // A window of this frame (a floating bar, a popup) that asks to
        // keep the frame active.
        CFrameWnd* pOtherTop = pWndOther->GetTopLevelFrame();
        if (pOtherTop == pTop && pWndOther->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0)
            bStay = TRUE;
    }
    m_bStayActive = bStay;
    if (GetParent() == nullptr || !(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(bStay ? FS_ACTIVATE : FS_DEACTIVATE);
    // The caption was drawn for the deactivation before it was known which
    // window takes over, and the display may raise the frame alone: both
    // are seen to once the activation is over.
    if (g_msgAfterActivation != 0)
        PostMessage(g_msgAfterActivation);
    OnFrameActivation(nState != WA_INACTIVE, bMinimized);
}

void OZWMDIFrameWnd::OnFrameActivation(BOOL bActive, BOOL bMinimized)
{
    if (m_bInActivation)
        return;
    m_bInActivation = TRUE;
    CView* pView = GetActiveView();
    if (pView == nullptr) {
        if (CFrameWnd* pFrame = GetActiveFrame(); pFrame != nullptr && pFrame != this)
            pView = pFrame->GetActiveView();
    }
    if (pView != nullptr) {
        HWND hForeground = ::GetForegroundWindow();
        if (bActive && !bMinimized)
            pView->OnActivateView(TRUE, pView, pView);
        if (::GetForegroundWindow() != hForeground && hForeground != nullptr)
            ::SetForegroundWindow(hForeground);
        pView->OnActivateFrame(bActive ? WA_ACTIVE : WA_INACTIVE, this);
    }
    m_bInActivation = FALSE;
}

BOOL OZWMDIFrameWnd::OnNcActivate(BOOL bActive)
{
    if (IsCustomizeMode())
        m_bStayActive = FALSE;
    HWND hForeground = ::GetForegroundWindow();
    if (hForeground != nullptr && m_bKeepActive) {
        HWND hTop = hForeground;
        for (HWND h = ::GetWindow(hTop, GW_OWNER); h != nullptr; h = ::GetWindow(h, GW_OWNER))
            hTop = h;
        if (hForeground == m_hWnd || hTop == m_hWnd)
            m_bStayActive = TRUE;
    }
    if (!m_bCustomCaption) {
        // The framework's caption: active while the frame or a window that
        // keeps it active (a floating bar, its own editor) is, but never
        // while the frame is disabled.
        const MSG* pMsg = GetCurrentMessage();
        const BOOL bShowActive = (bActive || m_bStayActive) && IsWindowEnabled();
        const BOOL bResult = (BOOL)DefWindowProc(WM_NCACTIVATE, bShowActive, pMsg->lParam);
        if (m_pMsgFilter != nullptr)
            m_pMsgFilter->FilterMessage(WM_NCACTIVATE, pMsg->wParam, pMsg->lParam, nullptr);
        return bResult;
    }
    m_bCaptionActive = (m_bStayActive || bActive) && IsWindowEnabled();
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild != nullptr && pChild != static_cast<CWnd*>(this)) {
        pChild->SendMessage(WM_NCACTIVATE, m_bCaptionActive);
        pChild->SendMessage(WM_NCPAINT, 1);
    }
    ozwframe::WithoutVisibleStyle(m_hWnd,
                                  [&] { return CMDIFrameWnd::DefWindowProc(WM_NCACTIVATE, m_bCaptionActive, 0); });
    SendMessage(WM_NCPAINT, 1);
    return TRUE;
}

void OZWMDIFrameWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    if (m_pActiveDockedChild != nullptr && m_hWndMDIClient != nullptr) {
        ::PostMessage(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
        ::PostMessage(m_hWndMDIClient, WM_NCACTIVATE, 0, 0);
        m_pActiveDockedChild->PostMessage(WM_NCACTIVATE, bActive, 0);
    }
    CMDIFrameWnd::OnActivateApp(bActive, dwThreadID);
}

LRESULT OZWMDIFrameWnd::OnNcHitTest(CPoint point)
{
    if (IsCustomizeMode())
        return HTERROR;
    return CMDIFrameWnd::OnNcHitTest(point);
}

void OZWMDIFrameWnd::OnEnable(BOOL bEnable)
{
    if (IsCustomizeMode())
        m_bStayActive = FALSE;
    CMDIFrameWnd::OnEnable(bEnable);
}

void OZWMDIFrameWnd::OnSysColorChange()
{
    if (OZW_AUX_DATA* pData = UXGetSysData())
        pData->UpdateSysColors();
    CMDIFrameWnd::OnSysColorChange();
    // The bars (the toolbars refresh their button images) follow.
    ozwframe::RefreshBarColors(this);
}

void OZWMDIFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    if (IsCustomizeMode())
        ozwframe::LayOutPendingOnIdle(this, nWhy);
    CMDIFrameWnd::OnEnterIdle(nWhy, pWho);
}

void OZWMDIFrameWnd::OnWorkspaceCommand()
{
}

void OZWMDIFrameWnd::OnUpdateWorkspaceCommand(CCmdUI*)
{
}

BOOL OZWMDIFrameWnd::OnWorkspaceRange(UINT)
{
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Custom caption

BOOL OZWMDIFrameWnd::EnableCustomCaption(BOOL bEnable)
{
    if (bEnable && (!m_bWindows4 || ::IsThemeActive()))
        return FALSE;
    if (m_bCustomCaption == bEnable)
        return TRUE;
    m_bCustomCaption = bEnable;
    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        PostMessage(WM_NCACTIVATE, ::GetActiveWindow() == m_hWnd);
    }
    return TRUE;
}

HFONT OZWMDIFrameWnd::CreateCaptionFont()
{
    return ozwframe::CreateSystemCaptionFont(FALSE);
}

HFONT OZWMDIFrameWnd::CreateAltCaptionFont()
{
    return ozwframe::CreateSystemCaptionFont(TRUE);
}

CRect OZWMDIFrameWnd::GetCaptionRect() const
{
    return ozwframe::FrameCaptionRect(m_hWnd, m_bWindows4);
}

LRESULT OZWMDIFrameWnd::OnNcPaintCustom(WPARAM wParam, LPARAM lParam)
{
    ozwframe::PaintNonClientBesideCaption(m_hWnd, GetCaptionRect(), wParam, lParam, [this](WPARAM w, LPARAM l) {
        return CMDIFrameWnd::DefWindowProc(WM_NCPAINT, w, l);
    });
    DrawCaption();
    return 0;
}

void OZWMDIFrameWnd::DrawCaption()
{
    if (!m_bCustomCaption || m_hWnd == nullptr)
        return;
    const ozwframe::CaptionLook look{m_bCaptionActive, m_nCaptionAlign, CreateCaptionFont(), CreateAltCaptionFont()};
    // No surface to draw on: the system draws the caption again.
    if (!ozwframe::DrawFrameCaption(this, GetCaptionRect(), look))
        m_bCustomCaption = FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Context help

void OZWMDIFrameWnd::OnContextHelp()
{
    ozwframe::RunContextHelpMode(this, kContextHelpCommand, kDefaultHelpCommand,
                                 [this](MSG& msg, DWORD* pContext) { return ProcessHelpMessage(msg, pContext); });
}

BOOL OZWMDIFrameWnd::ProcessHelpMessage(MSG& msg, DWORD* pContext)
{
    return ozwframe::ProcessFrameHelpMessage(this, m_pMenuBar, msg, pContext);
}

LRESULT OZWMDIFrameWnd::OnCommandHelpEx(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && m_nIDTracking != 0 && ::GetCapture() == nullptr && m_nIDTracking != AFX_IDS_IDLEMESSAGE &&
        m_nIDTracking != AFX_IDS_HELPMODEMESSAGE && (m_nIdleFlags & idleMenu) != 0)
        lParam = HID_BASE_COMMAND + m_nIDTracking;
    CFrameWnd* pActive = GetActiveFrame();
    if (pActive != nullptr && pActive != this && pActive->m_hWnd != nullptr &&
        pActive->SendMessage(WM_COMMANDHELP, wParam, lParam) != 0)
        return TRUE;
    if (CFrameWnd::OnCommandHelp(wParam, lParam))
        return TRUE;
    if (lParam != 0) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->WinHelp((DWORD_PTR)lParam);
        return TRUE;
    }
    return FALSE;
}
