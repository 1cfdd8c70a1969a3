#include "frame/mdi/OZWMDIChildWnd.h"

#include "frame/framemodel/OZWFrameModel.h"
#include "frame/mdi/OZWMDIFrameWnd.h"

#include <vector>

namespace ozwframe {

CRuntimeClass* FilterClass(LPCSTR lpszName)
{
    if (CRuntimeClass* pClass = CRuntimeClass::FromName(lpszName))
        return pClass;
    // A class declared in a namespace may be registered by its own name.
    LPCSTR lpszShort = strrchr(lpszName, ':');
    return lpszShort != nullptr ? CRuntimeClass::FromName(lpszShort + 1) : nullptr;
}

void DestroyFrameBars(CFrameWnd* pFrame)
{
    // Handles first: destroying one bar may destroy others (a floating
    // frame takes its bars along), so nothing is touched twice.
    std::vector<HWND> dockBars, otherBars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar == nullptr || pBar->m_hWnd == nullptr)
            continue;
        (pBar->IsDockBar() ? dockBars : otherBars).push_back(pBar->m_hWnd);
    }
    for (HWND hWnd : dockBars) {
        if (!::IsWindow(hWnd))
            continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        CDockBar* pDockBar = dynamic_cast<CDockBar*>(pWnd);
        if (pDockBar != nullptr && pDockBar->m_bFloating) {
            if (CWnd* pParentFrame = pDockBar->GetParentFrame())
                pParentFrame->DestroyWindow();
        } else {
            ::DestroyWindow(hWnd);
        }
    }
    for (HWND hWnd : otherBars)
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
}

BOOL HasOtherVisibleMDIChild(CWnd* pChild)
{
    CMDIFrameWnd* pFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (pFrame == nullptr || pFrame->m_hWndMDIClient == nullptr)
        return FALSE;
    for (HWND h = ::GetWindow(pFrame->m_hWndMDIClient, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if ((pChild != nullptr && h == pChild->m_hWnd) || !::IsWindowVisible(h))
            continue;
        if (dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(h)) != nullptr)
            return TRUE;
    }
    return FALSE;
}

void AddDocumentFrameFilters(OZWMsgFilter::DescriptorTable& table, LPCSTR lpszButtonClass)
{
    table.Add({OZWMDIChildWnd::kSysCommand, -1, FilterClass("nsSysCommandEx::ScxMsgFilter"), 0});
    table.Add({OZWMDIChildWnd::kCaptionControls, -1, FilterClass("OZWCaptionControlListMsgFilter"), 1});
    table.Add({OZWMDIChildWnd::kCaptionButton, OZWMDIChildWnd::kCaptionControls, FilterClass(lpszButtonClass), 0});
    table.Add({OZWMDIChildWnd::kCaptionNCRDblClk, -1, FilterClass("nsSysCommandEx::ScxCaptionNCRDBLClkFilter"), 0});
    table.Add({OZWMDIChildWnd::kContextMenu, -1, FilterClass("nsSysCommandEx::ScxContextMenuFilter"), 0});
}

void EnableDocumentFrameFilters(OZWMsgFilter* pRoot, const OZWMsgFilter::DescriptorTable& table, DWORD dwFlags)
{
    BOOL values[5];
    ChildFilterEnables(dwFlags, values);
    pRoot->ApplyDescriptors(table, values);
    OZWMDIFrameWnd::InstallCaptionControlList(pRoot, OZWMDIChildWnd::kCaptionControls);
}

} // namespace ozwframe

IMPLEMENT_DYNCREATE(OZWMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(OZWMDIChildWnd, CMDIChildWnd)
    ON_WM_NCACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_PARENTNOTIFY()
    ON_WM_CHILDACTIVATE()
    ON_WM_MDIACTIVATE()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

OZWMDIChildWnd::OZWMDIChildWnd()
{
    m_pMsgFilter = new OZWMsgFilter(this, -1);
    ozwframe::AddDocumentFrameFilters(m_filterDescriptors, "nsSysCommandEx::ScxButtonMDIChildMsgFilter");
}

OZWMDIChildWnd::~OZWMDIChildWnd()
{
    delete m_pMsgFilter;
    m_pMsgFilter = nullptr;
}

OZWMDIFrameWnd* OZWMDIChildWnd::GetOZWMDIFrame() const
{
    return dynamic_cast<OZWMDIFrameWnd*>(GetMDIFrame());
}

void OZWMDIChildWnd::EnableSysCommandEx(DWORD dwFlags)
{
    ozwframe::EnableDocumentFrameFilters(m_pMsgFilter, m_filterDescriptors, dwFlags);
}

BOOL OZWMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    const DWORD dwStyle = dwDefaultStyle | WS_CHILD;
    m_nIDHelp = nIDResource;
    OZWMDIFrameWnd* pMain = dynamic_cast<OZWMDIFrameWnd*>(AfxGetMainWnd());
    const BOOL bMenuBar = pMain != nullptr && pMain->HasMenuBar();

    CMultiDocTemplate* pTemplate = nullptr;
    if (pContext != nullptr && pContext->m_pNewDocTemplate != nullptr)
        pTemplate = dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate);
    if (pTemplate != nullptr) {
        m_hAccelTable = pTemplate->m_hAccelTable;
        if (bMenuBar) {
            m_nMenuID = pTemplate->m_nIDResource;
            m_bUseMenuID = TRUE;
        } else {
            m_bUseMenuID = FALSE;
            m_hMenuShared = pTemplate->m_hMenuShared;
        }
    } else if (nIDResource != 0 && bMenuBar) {
        m_nMenuID = nIDResource;
        m_bUseMenuID = TRUE;
    }

    CString strFullString, strTitle;
    if (nIDResource != 0 && strFullString.LoadString(nIDResource))
        AfxExtractSubString(strTitle, strFullString, 0, '\n');

    CMDIFrameWnd* pFrame = nullptr;
    if (pParentWnd != nullptr) {
        pFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd);
        if (pFrame == nullptr) {
            PostNcDestroy();
            return FALSE;
        }
    }
    return Create(GetIconWndClass(dwStyle, nIDResource), strTitle, dwStyle, rectDefault, pFrame, pContext);
}

void OZWMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    m_hMenuAlt = hMenuAlt;
    CMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
    OZWMDIFrameWnd* pFrame = GetOZWMDIFrame();
    if (pFrame == nullptr || !pFrame->HasMenuBar())
        return;
    if (bActive && hMenuAlt == nullptr) {
        ::SetMenu(pFrame->m_hWnd, nullptr);
        ::DrawMenuBar(pFrame->m_hWnd);
    }
    pFrame->LinkWindowMenu();
}

void OZWMDIChildWnd::RefreshFrameMenu(CWnd* pWnd)
{
    OnUpdateFrameMenu(TRUE, pWnd, m_hMenuAlt);
}

LRESULT OZWMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: {
        LRESULT lResult = 0;
        if (OZWFilterFirst(m_pMsgFilter, message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_NCPAINT:
    case WM_SETTEXT: {
        const LRESULT lResult = CMDIChildWnd::WindowProc(message, wParam, lParam);
        OZWFilterInform(m_pMsgFilter, message, wParam, lParam);
        return lResult;
    }
    default:
        break;
    }
    return CMDIChildWnd::WindowProc(message, wParam, lParam);
}

LRESULT OZWMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == OZWGetSysCommandExMessage()) {
        LRESULT lResult = 0;
        if (m_pMsgFilter != nullptr)
            m_pMsgFilter->FilterMessage(message, wParam, lParam, &lResult);
        return lResult;
    }
    return CMDIChildWnd::DefWindowProc(message, wParam, lParam);
}

BOOL OZWMDIChildWnd::OnNcActivate(BOOL bActive)
{
    BOOL bShowActive = bActive;
    if (bShowActive) {
        // A docked child frame of another kind that holds the activation
        // keeps this caption inactive.
        if (OZWMDIFrameWnd* pFrame = GetOZWMDIFrame()) {
            CFrameWnd* pActive = pFrame->GetActiveFrame();
            if (pActive != nullptr && pActive != pFrame && dynamic_cast<OZWMDIChildWnd*>(pActive) == nullptr)
                bShowActive = FALSE;
        }
    }
    const LRESULT lResult = CMDIChildWnd::DefWindowProc(WM_NCACTIVATE, (WPARAM)bShowActive, 0);
    if (m_pMsgFilter != nullptr)
        m_pMsgFilter->FilterMessage(WM_NCACTIVATE, (WPARAM)bShowActive, 0, nullptr);
    return (BOOL)lResult;
}

void OZWMDIChildWnd::ReactivateFromClick(BOOL bSwitchMenu)
{
    OZWMDIFrameWnd* pFrame = GetOZWMDIFrame();
    CView* pView = GetActiveView();
    if (pView != nullptr) {
        HWND hFocus = ::GetFocus();
        if (hFocus != pView->m_hWnd && !::IsChild(pView->m_hWnd, hFocus))
            pView->OnActivateView(TRUE, pView, pView);
    }
    SendMessage(WM_NCACTIVATE, TRUE);
    OnUpdateFrameTitle(TRUE);
    RefreshFrameMenu(this);
    if (pFrame != nullptr) {
        ::DrawMenuBar(pFrame->m_hWnd);
        if (bSwitchMenu)
            pFrame->SwitchMenuBarMenu(m_nMenuID);
    }
}

int OZWMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    OZWMDIFrameWnd* pFrame = GetOZWMDIFrame();
    if (pFrame != nullptr)
        pFrame->DeactivateDockedChild(FALSE);
    const int nResult = CMDIChildWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (pFrame != nullptr && pFrame->MDIGetActive() != this)
        MDIActivate();
    ReactivateFromClick(TRUE);
    return nResult;
}

void OZWMDIChildWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    CMDIChildWnd::OnParentNotify(message, lParam);
    const UINT event = LOWORD(message);
    if (event != WM_LBUTTONDOWN && event != WM_RBUTTONDOWN)
        return;
    CView* pView = GetActiveView();
    if (pView == nullptr || ::GetFocus() == pView->m_hWnd)
        return;
    OZWMDIFrameWnd* pFrame = GetOZWMDIFrame();
    if (pFrame != nullptr)
        pFrame->DeactivateDockedChild(FALSE);
    if (pFrame != nullptr && pFrame->MDIGetActive() != this)
        MDIActivate();
    ReactivateFromClick(FALSE);
}

void OZWMDIChildWnd::OnChildActivate()
{
    OZWMDIFrameWnd* pFrame = GetOZWMDIFrame();
    if (pFrame != nullptr)
        pFrame->DeactivateDockedChild(FALSE);
    Default();
    SendMessage(WM_NCACTIVATE, TRUE);
    if (CMDIFrameWnd* pMDIFrame = GetMDIFrame())
        pMDIFrame->SendMessageToDescendants(WM_NCPAINT, 1, 0, TRUE, TRUE);
}

void OZWMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CMDIFrameWnd* pMDIFrame = GetMDIFrame();
    OZWMDIFrameWnd* pFrame = GetOZWMDIFrame();
    const BOOL bThisActivated = bActivate && pActivateWnd == this;
    if (bThisActivated && pMDIFrame != nullptr && ::GetActiveWindow() != pMDIFrame->m_hWnd &&
        ::IsWindowVisible(pMDIFrame->m_hWnd))
        pMDIFrame->SetFocus();

    // The in-place test of OLE documents: this program has none, so a
    // maximised child is never restored around the activation.
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);

    if (pFrame != nullptr && pFrame->HasMenuBar() && m_bUseMenuID && m_nMenuID != 0) {
        if (bThisActivated)
            pFrame->SwitchMenuBarMenu(m_nMenuID);
        else if (!bActivate && pActivateWnd == nullptr)
            pFrame->SwitchMenuBarMenu((UINT)-1);
    }
    if (pActivateWnd == nullptr) {
        if (ozwframe::HasOtherVisibleMDIChild(this))
            return;
        if (pFrame != nullptr && !pFrame->ActivateOtherDockedFrame(nullptr))
            pFrame->SwitchMenuBarMenu((UINT)-1);
    }
}

void OZWMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    if (nType == SIZE_RESTORED || nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED) {
        if (OZWMDIFrameWnd* pFrame = GetOZWMDIFrame(); pFrame != nullptr && pFrame->HasMenuBar())
            pFrame->UpdateMenuBarChildButtons();
    }
    CMDIChildWnd::OnSize(nType, cx, cy);
}

BOOL OZWMDIChildWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    const BOOL bResult = CMDIChildWnd::OnSetCursor(pWnd, nHitTest, message);
    if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT && m_pMsgFilter != nullptr) {
        const MSG* pMsg = GetCurrentMessage();
        m_pMsgFilter->FilterMessage(WM_SETCURSOR, pMsg->wParam, pMsg->lParam, nullptr);
    }
    return bResult;
}

void OZWMDIChildWnd::OnDestroy()
{
    BOOL bMaximized = FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr)
        pFrame->MDIGetActive(&bMaximized);
    const BOOL bThisMaximized = (GetStyle() & WS_MAXIMIZE) != 0 || (bMaximized && pFrame->MDIGetActive() == this);
    if (bThisMaximized) {
        if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain->m_hWnd != nullptr)
            ::SetWindowPos(pMain->m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                               SWP_NOOWNERZORDER);
    }
    ozwframe::DestroyFrameBars(this);
    CMDIChildWnd::OnDestroy();
}
