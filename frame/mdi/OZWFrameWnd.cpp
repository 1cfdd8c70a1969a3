#include "frame/mdi/OZWFrameWnd.h"
#include "frame/mdi/OZWFrameMenuBar.h"
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "frame/msgfilter/OZWMsgFilter.h"
#include "frame/support/OZWWndPlugIn.h"
#include "platform/framework/docview/PrintPreview.h"
#include "platform/theme/ThemeLib.h"

#include <uxtheme.h>

namespace {
const UINT s_nMenuRequestMessage = OZWGetMenuRequestMessage();
}

IMPLEMENT_DYNCREATE(OZWFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(OZWFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_NCHITTEST()
    ON_WM_ENABLE()
    ON_WM_ENTERIDLE()
    ON_REGISTERED_MESSAGE(s_nMenuRequestMessage, OnGetMenuRequest)
    ON_COMMAND(OZWFrameWnd::kContextHelpCommand, OnContextHelp)
    OZW_ON_WORKSPACE_COMMANDS()
END_MESSAGE_MAP()

OZWFrameWnd::OZWFrameWnd()
{
    m_bWindows4 = LOBYTE(LOWORD(::GetVersion())) >= 4;
    if (OZW_AUX_DATA* pData = UXGetSysData())
        pData->UpdateSysColors();
}

OZWFrameWnd::~OZWFrameWnd()
{
    DeleteMenuBarObject();
    ozwframe::DeletePlugIn(m_pPlugIn);
    if (m_hMenuBarMenu != nullptr)
        ::DestroyMenu(m_hMenuBarMenu);
    ozwframe::DeleteObjects(m_loadedObjects);
}

BOOL OZWFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nMenuID = nIDResource;
    if (m_pMenuBarClass == nullptr)
        return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);

    // The framework's loading, but the menu goes to the menu bar (made while
    // the window is created) instead of the window.
    m_nIDHelp = nIDResource;
    CString strFull;
    if (strFull.LoadString(nIDResource)) {
        CString strTitle;
        AfxExtractSubString(strTitle, strFull, 0, '\n');
        SetTitle(strTitle);
    }
    LPCTSTR lpszMenu = MAKEINTRESOURCE(nIDResource);
    if (m_hMenuBarMenu != nullptr)
        ::DestroyMenu(m_hMenuBarMenu);
    m_hMenuBarMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenu, RT_MENU), lpszMenu);
    m_nMenuBarMenuID = nIDResource;
    LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    const CString strTitle = GetTitle();
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0L, pContext))
        return FALSE; // the frame has deleted itself
    m_hMenuDefault = nullptr;
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int OZWFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_pMenuBarClass != nullptr)
        CreateMenuBarObject(0, 0, m_pMenuBarClass, 0);
    else if (m_bBmpMenus)
        m_pPlugIn = ozwframe::PlugInBmpMenus(this);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Docking and layout

OZWAutoHideBar* OZWFrameWnd::GetAutoHideBar(DWORD dwSide)
{
    return ozwframe::AutoHideStripOfSide(m_autoHideBars, dwSide);
}

void OZWFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    ozwframe::EnableFrameDocking(this, m_autoHideBars, dwDockStyle);
}

void OZWFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    OZWFrameDocking::FloatControlBar(this, pBar, point, dwStyle);
}

void OZWFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    OZWFrameDocking::ShowControlBar(this, pBar, bShow, bDelay);
}

void OZWFrameWnd::ApplyDockState(OZWDockState& state)
{
    state.SetState(this);
}

BOOL OZWFrameWnd::TakeDockState(OZWDockState& state)
{
    return state.GetState(this);
}

void OZWFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    OZWDockState state(m_pControlBarManager);
    ozwframe::ReadFrameBarState(this, state, &m_loadedObjects, lpszProfileName);
    ApplyDockState(state);
}

void OZWFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    OZWDockState state(m_pControlBarManager);
    if (const_cast<OZWFrameWnd*>(this)->TakeDockState(state))
        state.SaveState(lpszProfileName);
}

void OZWFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    if (m_hWnd == nullptr)
        return;
    if (m_rectLastClient.IsRectEmpty())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ozwframe::AfterFrameLayout(this, m_rectLastClient);
}

void OZWFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (!bPreview && m_hWnd != nullptr) {
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        SendMessage(WM_NCPAINT, 1);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Menu bar and menus

IOZWFrameMenuBar* OZWFrameWnd::CreateMenuBarObject(int x, int y, CRuntimeClass* pClass, DWORD_PTR dwValue)
{
    if (pClass == nullptr)
        return nullptr;
    DeleteMenuBarObject();
    m_pMenuBarObject = ozwframe::CreateMenuBarObject(this, x, y, pClass, dwValue);
    return m_pMenuBarObject;
}

void OZWFrameWnd::DeleteMenuBarObject()
{
    IOZWFrameMenuBar* pMenuBar = m_pMenuBarObject;
    m_pMenuBarObject = nullptr;
    delete pMenuBar;
}

CControlBar* OZWFrameWnd::GetMenuBar() const
{
    return m_pMenuBarObject != nullptr ? m_pMenuBarObject->GetMenuBarWindow() : nullptr;
}

CMenu* OZWFrameWnd::GetMenu() const
{
    if (m_hMenuBarMenu != nullptr)
        return CMenu::FromHandle(m_hMenuBarMenu);
    return CFrameWnd::GetMenu();
}

HMENU OZWFrameWnd::GetMenuForID(UINT nID)
{
    return m_hMenuBarMenu != nullptr && m_nMenuBarMenuID == nID ? m_hMenuBarMenu : nullptr;
}

UINT OZWFrameWnd::GetMenuIDInUse() const
{
    return m_pMenuBarObject != nullptr ? m_nMenuBarMenuID : m_nIDHelp;
}

LRESULT OZWFrameWnd::OnGetMenuRequest(WPARAM wParam, LPARAM lParam)
{
    HMENU hMenu = GetMenuForID((UINT)wParam);
    return hMenu != nullptr ? (LRESULT)::GetSubMenu(hMenu, (int)lParam) : 0;
}

void OZWFrameWnd::EnableBmpMenus(BOOL bEnable, BOOL bSecond)
{
    m_bBmpMenus = bEnable;
    m_bBmpMenus2 = bSecond;
}

void OZWFrameWnd::SetMenuBarColor(COLORREF clr, BOOL bUse)
{
    m_clrMenuBar = clr;
    m_bUseMenuBarColor = bUse;
}

void OZWFrameWnd::OnUpdateFrameMenu(BOOL bActive, CWnd*, HMENU hMenuAlt)
{
    if (bActive)
        CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
}

BOOL OZWFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The menu bar first: the frame's own, else the top-level frame's.
    IOZWFrameMenuBar* pMenuBar = m_pMenuBarObject;
    if (pMenuBar == nullptr && m_hWnd != nullptr) {
        CFrameWnd* pTop = GetTopLevelFrame();
        if (auto* pTopSDI = dynamic_cast<OZWFrameWnd*>(pTop); pTopSDI != nullptr && pTopSDI != this)
            pMenuBar = pTopSDI->GetMenuBarObject();
        else if (auto* pTopMDI = dynamic_cast<OZWMDIFrameWnd*>(pTop))
            pMenuBar = pTopMDI->GetMenuBarObject();
    }
    BOOL bResult = FALSE;
    if (ozwframe::RouteCommandToMenuBar(pMenuBar, nID, nCode, pExtra, pHandlerInfo, &bResult))
        return bResult;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL OZWFrameWnd::PreTranslateForMenuBar(MSG* pMsg)
{
    if (ozwframe::PlugInPreTranslate(this, m_pPlugIn, pMsg))
        return TRUE;
    if (m_pMenuBarObject == nullptr)
        return FALSE;
    CView* pView = GetActiveView();
    if ((pView == nullptr || !pView->IsKindOf(RUNTIME_CLASS(CPreviewView))) &&
        m_pMenuBarObject->PreTranslateFrameMessage(pMsg))
        return TRUE;
    // A menu of the bar is open or its keyboard mode is on: the frame stays.
    return m_pMenuBarObject != nullptr && m_pMenuBarObject->IsMenuBarActive() && ozwframe::IsSysClose(pMsg);
}

BOOL OZWFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (PreTranslateForMenuBar(pMsg))
        return TRUE;
    if (IsCustomizeMode() && ozwframe::IsSysClose(pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// Window procedure

BOOL OZWFrameWnd::OfferToMenuBar(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ozwframe::PlugInWindowProc(m_pPlugIn, message, wParam, lParam, pResult))
        return TRUE;
    return m_pMenuBarObject != nullptr && m_pMenuBarObject->OnFrameMessage(message, wParam, lParam, pResult);
}

LRESULT OZWFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT lResult = 0; OfferToMenuBar(message, wParam, lParam, &lResult))
        return lResult;
    return FrameWindowProc(message, wParam, lParam);
}

LRESULT OZWFrameWnd::FrameWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
        LRESULT lResult = 0;
        if (OZWFilterFirst(GetMsgFilter(), message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_NCPAINT:
        return PaintNonClient(wParam, lParam);
    case WM_NCACTIVATE:
        return NcActivateWithCaption(wParam, lParam);
    case WM_SETTEXT:
        return SetTextWithCaption(wParam, lParam);
    case WM_INITMENUPOPUP: {
        // The bitmap menus see the popup again after the frame's command
        // updates, which may have changed its items.
        const LRESULT lResult = CFrameWnd::WindowProc(message, wParam, lParam);
        if (m_bBmpMenus && m_pPlugIn != nullptr && m_pPlugIn->IsPlugged())
            m_pPlugIn->HandleInitMenuPopup((HMENU)wParam, lParam);
        return lResult;
    }
    default:
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void OZWFrameWnd::OnDestroy()
{
    // The menu bar goes while the frame still has its window.
    DeleteMenuBarObject();
    ozwframe::DestroyFrameBars(this);
    ozwframe::DeletePlugIn(m_pPlugIn);
    CFrameWnd::OnDestroy();
}

void OZWFrameWnd::OnSysColorChange()
{
    if (OZW_AUX_DATA* pData = UXGetSysData())
        pData->UpdateSysColors();
    CFrameWnd::OnSysColorChange();
    // The bars (the toolbars refresh their button images) follow.
    ozwframe::RefreshBarColors(this);
}

LRESULT OZWFrameWnd::OnNcHitTest(CPoint point)
{
    if (IsCustomizeMode())
        return HTERROR;
    return CFrameWnd::OnNcHitTest(point);
}

void OZWFrameWnd::OnEnable(BOOL bEnable)
{
    // While the toolbars are customised the frame does not stay shown
    // active for its popups.
    if (IsCustomizeMode())
        m_nFlags &= ~0x20u;
    CFrameWnd::OnEnable(bEnable);
}

void OZWFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    if (IsCustomizeMode())
        ozwframe::LayOutPendingOnIdle(this, nWhy);
    CFrameWnd::OnEnterIdle(nWhy, pWho);
}

void OZWFrameWnd::OnContextHelp()
{
    ozwframe::RunContextHelpMode(this, kContextHelpCommand, kDefaultHelpCommand, [this](MSG& msg, DWORD* pContext) {
        return ozwframe::ProcessFrameHelpMessage(this, GetMenuBar(), msg, pContext);
    });
}

void OZWFrameWnd::OnWorkspaceCommand()
{
}

void OZWFrameWnd::OnUpdateWorkspaceCommand(CCmdUI*)
{
}

BOOL OZWFrameWnd::OnWorkspaceRange(UINT)
{
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Custom caption

BOOL OZWFrameWnd::IsVisualThemeActive() const
{
    return ::IsThemeActive();
}

BOOL OZWFrameWnd::EnableCustomCaption(BOOL bEnable)
{
    if (bEnable && (!m_bWindows4 || IsVisualThemeActive()))
        return FALSE;
    m_bCustomCaption = bEnable;
    if (m_hWnd != nullptr) {
        PostMessage(WM_NCPAINT, 1);
        PostMessage(WM_NCACTIVATE, ::GetActiveWindow() == m_hWnd);
    }
    return TRUE;
}

HFONT OZWFrameWnd::CreateCaptionFont()
{
    return ozwframe::CreateSystemCaptionFont(FALSE);
}

HFONT OZWFrameWnd::CreateAltCaptionFont()
{
    return ozwframe::CreateSystemCaptionFont(TRUE);
}

CRect OZWFrameWnd::GetCaptionRect() const
{
    return ozwframe::FrameCaptionRect(m_hWnd, m_bWindows4);
}

void OZWFrameWnd::DrawCaption()
{
    if (!m_bCustomCaption || m_hWnd == nullptr)
        return;
    const ozwframe::CaptionLook look{m_bCaptionActive, m_nCaptionAlign, CreateCaptionFont(), CreateAltCaptionFont()};
    // No surface to draw on: the system draws the caption again.
    if (!ozwframe::DrawFrameCaption(this, GetCaptionRect(), look))
        m_bCustomCaption = FALSE;
}

LRESULT OZWFrameWnd::PaintNonClient(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (m_bCustomCaption) {
        ozwframe::PaintNonClientBesideCaption(m_hWnd, GetCaptionRect(), wParam, lParam, [this](WPARAM w, LPARAM l) {
            return DefWindowProc(WM_NCPAINT, w, l);
        });
        DrawCaption();
    } else {
        lResult = CFrameWnd::WindowProc(WM_NCPAINT, wParam, lParam);
    }
    OZWFilterInform(GetMsgFilter(), WM_NCPAINT, wParam, lParam);
    return lResult;
}

LRESULT OZWFrameWnd::NcActivateWithCaption(WPARAM wParam, LPARAM lParam)
{
    if (!m_bCustomCaption)
        return CFrameWnd::WindowProc(WM_NCACTIVATE, wParam, lParam);
    m_bCaptionActive = wParam != 0 && IsWindowEnabled();
    ozwframe::WithoutVisibleStyle(m_hWnd, [&] { return DefWindowProc(WM_NCACTIVATE, m_bCaptionActive, 0); });
    DrawCaption();
    return TRUE;
}

LRESULT OZWFrameWnd::SetTextWithCaption(WPARAM wParam, LPARAM lParam)
{
    if (m_bCustomCaption) {
        ozwframe::WithoutVisibleStyle(m_hWnd, [&] { return CFrameWnd::WindowProc(WM_SETTEXT, wParam, lParam); });
        DrawCaption();
        return TRUE;
    }
    const LRESULT lResult = CFrameWnd::WindowProc(WM_SETTEXT, wParam, lParam);
    OZWFilterInform(GetMsgFilter(), WM_SETTEXT, wParam, lParam);
    return lResult;
}
