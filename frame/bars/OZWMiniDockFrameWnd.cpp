// OZWMiniDockFrameWnd: the floating frame of the toolkit's bars.
#include "frame/bars/OZWMiniDockFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(OZWMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(OZWMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCLBUTTONDOWN()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

OZWMiniDockFrameWnd::OZWMiniDockFrameWnd() : m_wndOZWDockBar(TRUE, FALSE)
{
    // The dock bar lives and dies with this object.
    m_wndOZWDockBar.m_bAutoDelete = FALSE;
}

OZWMiniDockFrameWnd::~OZWMiniDockFrameWnd() = default;

BOOL OZWMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    const DWORD dwStyle = (dwBarStyle & CBRS_SIZE_DYNAMIC) ? 0x80C83300 : 0x80C83B00;
    DWORD dwDockStyle = WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_FLOAT_MULTI);
    dwDockStyle |= (dwBarStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    return CreateFrame(pParent, dwStyle, dwDockStyle);
}

void OZWMiniDockFrameWnd::PositionFrame(int x, int y, BOOL)
{
    // m_dwReserved keeps a positioning from starting another.
    if (m_dwReserved != 0 || m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    m_dwReserved = 1;
    // A frame that takes its bars' size gets it from its layout; any other
    // lays its bars out in its client area.
    RecalcLayout(TRUE);
    if (GetStyle() & FWS_SNAPTOBARS) {
        y = std::max(y, ::GetSystemMetrics(SM_YVIRTUALSCREEN));
        SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_dwReserved = 0;
}

void OZWMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    const bool bOneBar = !(m_wndOZWDockBar.m_dwStyle & CBRS_FLOAT_MULTI);
    if (nHitTest == HTCAPTION || (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)) {
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (CWnd* pTop = GetTopLevelParent(); pTop != nullptr && pTop->m_hWnd != nullptr)
            pTop->SetActiveWindow();
        if (pBar != nullptr && pBar->m_pDockContext != nullptr) {
            if (nHitTest == HTCAPTION) {
                if (bOneBar)
                    pBar->m_pDockContext->StartDrag(point);
            } else {
                pBar->m_pDockContext->StartResize((int)nHitTest, point);
            }
            return;
        }
    }
    Default();
}

void OZWMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if (LOWORD(message) == WM_LBUTTONDOWN || LOWORD(message) == WM_RBUTTONDOWN)
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CMiniDockFrameWnd::OnParentNotify(message, lParam);
}
