// CMiniFrameWnd and CMiniDockFrameWnd: small tool-window frames, and the
// floating frame of control bars.
#include "platform/framework/Framework.h"

#include <algorithm>
#include <vector>

/////////////////////////////////////////////////////////////////////////////
// CMiniFrameWnd

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCHITTEST()
    ON_WM_NCACTIVATE()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;
CMiniFrameWnd::~CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    // The system menu blocker is ours; the bit means something else to Windows.
    m_dwMiniStyle = dwStyle & (MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU);
    dwStyle &= ~MFS_BLOCKSYSMENU;
    // Edges that size the frame.
    if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME))
        dwStyle |= WS_THICKFRAME;
    m_strTitle = lpWindowName;
    return CWnd::CreateEx(WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                          (HMENU)(UINT_PTR)nID, nullptr);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // A small frame has no sunken client edge and no document in its title.
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.style &= ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    return TRUE;
}

void PASCAL CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME))
        dwStyle |= WS_THICKFRAME;
    dwStyle &= WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME | WS_POPUP | WS_SYSMENU;
    ::AdjustWindowRectEx(lpClientRect, dwStyle, FALSE, (dwExStyle | WS_EX_TOOLWINDOW) & ~WS_EX_CLIENTEDGE);
}

void CMiniFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    CalcBorders(lpClientRect, GetStyle(), GetExStyle());
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint point)
{
    LRESULT nHit = (LRESULT)Default();
    const DWORD dwStyle = GetStyle();
    const bool bSizingEdge = nHit >= HTSIZEFIRST && nHit <= HTSIZELAST;
    if (bSizingEdge && (dwStyle & MFS_MOVEFRAME))
        return HTCAPTION; // the edges move the frame
    if (bSizingEdge && (dwStyle & MFS_4THICKFRAME) && !(dwStyle & MFS_THICKFRAME)) {
        // Edges only: a corner sizes along its nearer side.
        switch (nHit) {
        case HTTOPLEFT:
        case HTBOTTOMLEFT:
            return HTLEFT;
        case HTTOPRIGHT:
        case HTBOTTOMRIGHT:
            return HTRIGHT;
        default:
            break;
        }
    }
    (void)point;
    return nHit;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    // A frame that goes with its owner shows active while the owner is.
    if (GetStyle() & MFS_SYNCACTIVE) {
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        HWND hActive = ::GetActiveWindow();
        if (hActive == m_hWnd || (hOwner != nullptr && (hActive == hOwner || ::GetWindow(hActive, GW_OWNER) == hOwner)))
            bActive = TRUE;
    }
    m_bActive = bActive;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    // The owner asks whether activating this frame keeps it active.
    if (wParam & FS_SYNCACTIVE)
        return (GetStyle() & MFS_SYNCACTIVE) ? 1 : 0;
    if ((GetStyle() & MFS_SYNCACTIVE) && (wParam & (FS_ACTIVATE | FS_DEACTIVATE))) {
        m_bActive = (wParam & FS_ACTIVATE) != 0;
        DefWindowProc(WM_NCACTIVATE, m_bActive, 0);
    }
    // It stays above the frame it belongs to when that comes to the top.
    if ((wParam & FS_ACTIVATE) && (GetStyle() & WS_VISIBLE))
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 1;
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    // Its edges and caption, nothing more.
    CRect rect(0, 0, 0, 0);
    CalcWindowRect(&rect);
    lpMMI->ptMinTrackSize.x = rect.Width();
    lpMMI->ptMinTrackSize.y = rect.Height();
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    const UINT nCmd = nID & 0xFFF0;
    if ((m_dwMiniStyle & MFS_BLOCKSYSMENU) && (nCmd == SC_MOUSEMENU || nCmd == SC_KEYMENU))
        return;
    CFrameWnd::OnSysCommand(nID, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// CMiniDockFrameWnd

namespace {
UINT g_msgDestroyIfEmpty = ::RegisterWindowMessageA("KvMiniDockFrameDestroyIfEmpty");
}

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_REGISTERED_MESSAGE(g_msgDestroyIfEmpty, OnDestroyIfEmpty)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
    // The dock bar lives and dies with this object.
    m_wndDockBar.m_bAutoDelete = FALSE;
}

CMiniDockFrameWnd::~CMiniDockFrameWnd() = default;

UINT CMiniDockFrameWnd::MessageDestroyIfEmpty()
{
    return g_msgDestroyIfEmpty;
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_4THICKFRAME | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU |
                    FWS_SNAPTOBARS;
    // A bar that does not size itself moves its frame by the edges.
    if (!(dwBarStyle & CBRS_SIZE_DYNAMIC))
        dwStyle |= MFS_MOVEFRAME;
    DWORD dwDockStyle = WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_FLOAT_MULTI);
    dwDockStyle |= (dwBarStyle & CBRS_ORIENT_VERT) && !(dwBarStyle & CBRS_ORIENT_HORZ) ? CBRS_ALIGN_LEFT
                                                                                        : CBRS_ALIGN_TOP;
    return CreateFrame(pParent, dwStyle, dwDockStyle);
}

BOOL CMiniDockFrameWnd::CreateFrame(CWnd* pParent, DWORD dwStyle, DWORD dwDockStyle)
{
    // No layout while the frame is only half made.
    m_bInRecalcLayout = TRUE;
    const CRect rect(0, 0, 0, 0);
    if (!CMiniFrameWnd::Create(nullptr, "", dwStyle, rect, pParent)) {
        // The frame object went with its window.
        return FALSE;
    }

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
    CDockBar& dockBar = GetDockBar();
    if (!dockBar.Create(pParent != nullptr ? pParent : this, dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow(); // this object goes with its window
        return FALSE;
    }
    if (::GetParent(dockBar.m_hWnd) != m_hWnd)
        dockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFirstBar()
{
    CDockBar& dockBar = GetDockBar();
    for (INT_PTR i = 1; i < dockBar.m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = dockBar.GetDockedControlBar((int)i))
            return pBar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::KeepOnWorkArea()
{
    if (m_hWnd == nullptr)
        return;
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (!::GetMonitorInfo(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi))
        return;
    const CRect rectWork(mi.rcWork);

    // A frame larger than the area has its bar laid out to fit. The system
    // holds a window to about the screen's size, so a frame around a bar
    // larger than that is smaller than the bar: the first pass reckons with
    // the frame's own edges only, the second with all it adds round the bar.
    CControlBar* pBar = GetDockBar().GetDockedCount() == 1 ? GetFirstBar() : nullptr;
    const bool bSizing = pBar != nullptr && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    CRect rect;
    GetWindowRect(&rect);
    for (int nPass = 0; bSizing && nPass < 2; ++nPass) {
        const bool bTooWide = rect.Width() > rectWork.Width();
        const bool bTooHigh = rect.Height() > rectWork.Height();
        if (!bTooWide && !bTooHigh)
            break;
        CRect rectClient, rectBar;
        GetClientRect(&rectClient);
        pBar->GetWindowRect(&rectBar);
        const int cxEdges = std::max(rect.Width() - rectClient.Width(), rect.Width() - rectBar.Width());
        const int cyEdges = std::max(rect.Height() - rectClient.Height(), rect.Height() - rectBar.Height());
        if (bTooWide)
            pBar->CalcDynamicLayout(std::max(0, rectWork.Width() - cxEdges), LM_HORZ | LM_COMMIT);
        if (bTooHigh)
            pBar->CalcDynamicLayout(std::max(0, rectWork.Height() - cyEdges), LM_HORZ | LM_LENGTHY | LM_COMMIT);
        RecalcLayout(TRUE);
        GetWindowRect(&rect);
    }

    // Then the whole frame onto the area; one still larger keeps its caption
    // on it.
    const int x = std::max((int)rectWork.left, std::min((int)rect.left, (int)rectWork.right - rect.Width()));
    const int y = std::max((int)rectWork.top, std::min((int)rect.top, (int)rectWork.bottom - rect.Height()));
    if (x != rect.left || y != rect.top)
        SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    CMiniFrameWnd::RecalcLayout(bNotify);
    // The caption shows the dock bar's title (the bar's own).
    CDockBar& dockBar = GetDockBar();
    if (dockBar.m_hWnd != nullptr) {
        CString strTitle;
        dockBar.GetWindowText(strTitle);
        AfxSetWindowText(m_hWnd, strTitle);
    }
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing hides the bars; the frame stays for when they show again.
    GetDockBar().ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    const bool bOneBar = !(GetDockBar().m_dwStyle & CBRS_FLOAT_MULTI);
    if (nHitTest == HTCAPTION && bOneBar && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pBar->m_pDockContext->StartDrag(point);
        return;
    }
    if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && pBar != nullptr && pBar->m_pDockContext != nullptr &&
        (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pBar->m_pDockContext->StartResize((int)nHitTest, point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    const bool bOneBar = !(GetDockBar().m_dwStyle & CBRS_FLOAT_MULTI);
    if (nHitTest == HTCAPTION && bOneBar && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // A click on a floating bar leaves the focus where it was (in the
    // docking frame); the frame only comes to the top.
    if (nHitTest == HTCLIENT) {
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return MA_NOACTIVATE;
    }
    return CMiniFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

LRESULT CMiniDockFrameWnd::OnDestroyIfEmpty(WPARAM, LPARAM)
{
    if (GetDockBar().GetDockedCount() == 0)
        DestroyWindow();
    return 0;
}
