// OZWMiniDockFrameWnd: the floating frame of the toolkit's bars.
#include "frame/bars/OZWMiniDockFrameWnd.h"

#include <algorithm>

namespace {
// The framework's "destroy when empty" message, read when the first frame
// is made (after the framework has registered it).
UINT g_msgDestroyIfEmpty = 0xFFFFFFFF;
} // namespace

IMPLEMENT_DYNCREATE(OZWMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(OZWMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_PARENTNOTIFY()
    ON_REGISTERED_MESSAGE(g_msgDestroyIfEmpty, OnDestroyIfEmpty)
END_MESSAGE_MAP()

OZWMiniDockFrameWnd::OZWMiniDockFrameWnd() : m_wndOZWDockBar(TRUE, FALSE)
{
    g_msgDestroyIfEmpty = CMiniDockFrameWnd::MessageDestroyIfEmpty();
    // The dock bar lives and dies with this object.
    m_wndOZWDockBar.m_bAutoDelete = FALSE;
}

OZWMiniDockFrameWnd::~OZWMiniDockFrameWnd() = default;

BOOL OZWMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    m_bInRecalcLayout = TRUE;
    const DWORD dwStyle = (dwBarStyle & CBRS_SIZE_DYNAMIC) ? 0x80C83300 : 0x80C83B00;
    const CRect rect(0, 0, 0, 0);
    if (!CMiniFrameWnd::Create(nullptr, "", dwStyle, rect, pParent))
        return FALSE; // the object went with its window

    // The system menu moves and hides the frame, nothing more.
    if (HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        ::DeleteMenu(hSysMenu, SC_SIZE, MF_BYCOMMAND);
        ::DeleteMenu(hSysMenu, SC_MINIMIZE, MF_BYCOMMAND);
        ::DeleteMenu(hSysMenu, SC_MAXIMIZE, MF_BYCOMMAND);
        ::DeleteMenu(hSysMenu, SC_RESTORE, MF_BYCOMMAND);
        CString strHide;
        if (strHide.LoadString(AFX_IDS_HIDE)) {
            ::DeleteMenu(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
            ::AppendMenuA(hSysMenu, MF_STRING, SC_CLOSE, strHide);
        }
    }

    // The dock bar is made in the docking frame, which keeps it among its
    // bars, and then moved in here.
    DWORD dwDockStyle = WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_FLOAT_MULTI);
    dwDockStyle |= (dwBarStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    if (!m_wndOZWDockBar.Create(pParent != nullptr ? pParent : this, dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    if (::GetParent(m_wndOZWDockBar.m_hWnd) != m_hWnd)
        m_wndOZWDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

CControlBar* OZWMiniDockFrameWnd::GetFirstOZWBar() const
{
    for (INT_PTR i = 1; i < m_wndOZWDockBar.m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = m_wndOZWDockBar.GetDockedControlBar((int)i))
            return pBar;
    }
    return nullptr;
}

void OZWMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    CMiniFrameWnd::RecalcLayout(bNotify);
    if (m_wndOZWDockBar.m_hWnd != nullptr) {
        CString title;
        m_wndOZWDockBar.GetWindowText(title);
        AfxSetWindowText(m_hWnd, title);
    }
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

void OZWMiniDockFrameWnd::OnClose()
{
    // Closing hides the bars; the frame stays for when they show again.
    m_wndOZWDockBar.ShowAll(FALSE);
}

void OZWMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstOZWBar();
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

void OZWMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstOZWBar();
    const bool bOneBar = !(m_wndOZWDockBar.m_dwStyle & CBRS_FLOAT_MULTI);
    if (nHitTest == HTCAPTION && bOneBar && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    (void)point;
    Default();
}

void OZWMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if (LOWORD(message) == WM_LBUTTONDOWN || LOWORD(message) == WM_RBUTTONDOWN)
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CMiniDockFrameWnd::OnParentNotify(message, lParam);
}

LRESULT OZWMiniDockFrameWnd::OnDestroyIfEmpty(WPARAM, LPARAM)
{
    if (m_wndOZWDockBar.GetDockedCount() == 0)
        DestroyWindow();
    return 0;
}
