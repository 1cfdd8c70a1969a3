#include "frame/mdi/OZWControlBarMDIChildWnd.h"

#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockContext.h"
#include "frame/bars/OZWDockingFrame.h"

IMPLEMENT_DYNCREATE(OZWControlBarMDIChildWnd, OZWMDIChildWnd)

BEGIN_MESSAGE_MAP(OZWControlBarMDIChildWnd, OZWMDIChildWnd)
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

// The dock bar floats (the bar counts as floating and the window goes when
// the bar leaves it) and says that it lives in an MDI child.
OZWControlBarMDIChildWnd::OZWControlBarMDIChildWnd() : m_wndDockBar(TRUE, TRUE)
{
    m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL OZWControlBarMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!OZWMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~(DWORD)WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL OZWControlBarMDIChildWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    // Made in the main frame, which keeps it among its bars, then moved in.
    CWnd* pFrame = GetMDIFrame();
    if (!m_wndDockBar.Create(pFrame != nullptr ? pFrame : this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT,
                             AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    if (::GetParent(m_wndDockBar.m_hWnd) != m_hWnd)
        m_wndDockBar.SetParent(this);
    return TRUE;
}

CControlBar* OZWControlBarMDIChildWnd::GetDockedBar()
{
    if (m_wndDockBar.m_hWnd == nullptr)
        return nullptr;
    for (INT_PTR i = 1; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar((int)i))
            return pBar;
    }
    return nullptr;
}

LRESULT OZWControlBarMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CMiniDockFrameWnd::MessageDestroyIfEmpty()) {
        if (m_wndDockBar.m_hWnd == nullptr || m_wndDockBar.GetDockedCount() == 0)
            DestroyWindow();
        return 0;
    }
    return OZWMDIChildWnd::WindowProc(message, wParam, lParam);
}

void OZWControlBarMDIChildWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInLayout)
        return;
    m_bInLayout = TRUE;
    OZWMDIChildWnd::RecalcLayout(bNotify);
    if (m_wndDockBar.m_hWnd != nullptr) {
        CString strTitle;
        if (CControlBar* pBar = GetDockedBar())
            pBar->GetWindowText(strTitle);
        CString strNow;
        GetWindowText(strNow);
        if (strNow != strTitle)
            SetWindowText(strTitle);
    }
    m_bInLayout = FALSE;
}

void OZWControlBarMDIChildWnd::OnUpdateFrameTitle(BOOL)
{
}

void OZWControlBarMDIChildWnd::OnClose()
{
    CControlBar* pBar = GetDockedBar();
    if ((m_dwBarFlags & kPlainWindow) || pBar == nullptr) {
        OZWMDIChildWnd::OnClose();
        return;
    }
    // The window goes away with the bar: the bar is hidden and can be shown
    // again later, which brings the window back.
    if (CWnd* pClient = GetParent())
        pClient->SendMessage(WM_MDINEXT, (WPARAM)m_hWnd, 0);
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (pFrame == nullptr || pFrame == this)
        pFrame = GetMDIFrame();
    if (pFrame != nullptr)
        pFrame->ShowControlBar(pBar, FALSE, FALSE);
    else
        ShowWindow(SW_HIDE);
}

void OZWControlBarMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    if (!(m_dwBarFlags & kPlainWindow) && nType != SIZE_MINIMIZED) {
        CControlBar* pBar = GetDockedBar();
        if (pBar != nullptr && pBar->IsVisible()) {
            // The bar fills the window: its width, then its height.
            const int cxBorder = ::GetSystemMetrics(SM_CXBORDER);
            const int cyBorder = ::GetSystemMetrics(SM_CYBORDER);
            pBar->CalcDynamicLayout(cx + 2 * cxBorder, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
            pBar->CalcDynamicLayout(cy + 2 * cyBorder, LM_HORZ | LM_LENGTHY | LM_COMMIT);
        }
    }
    OZWMDIChildWnd::OnSize(nType, cx, cy);
}

void OZWControlBarMDIChildWnd::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    if (!(m_dwBarFlags & kPlainWindow)) {
        // Where the window is, for the next time the bar floats in the main
        // window.
        CControlBar* pBar = GetDockedBar();
        OZWDockContext* pContext = pBar != nullptr ? dynamic_cast<OZWDockContext*>(pBar->m_pDockContext) : nullptr;
        if (pContext != nullptr && !IsIconic()) {
            CRect rect;
            GetWindowRect(&rect);
            pContext->m_ptMDIFloatPos = rect.TopLeft();
        }
    }
    OZWMDIChildWnd::OnWindowPosChanged(lpWndPos);
}

void OZWControlBarMDIChildWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    OZWMDIChildWnd::OnShowWindow(bShow, nStatus);
    CWnd* pClient = GetParent();
    if (pClient == nullptr)
        return;
    if (bShow)
        pClient->SendMessage(WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
    // The Window menu lists the change.
    pClient->PostMessage(WM_MDIREFRESHMENU);
}
