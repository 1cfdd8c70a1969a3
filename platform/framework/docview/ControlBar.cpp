// CControlBar: a child of a frame that takes its room along one side of the
// frame when the frame lays itself out, updates its items at idle time, and
// with docking enabled can be dragged to another side or out into a
// floating frame.
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

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {
CBarDocking* g_pBarDocking = nullptr;
}

CBarDocking* AFXAPI AfxGetBarDocking()
{
    return g_pBarDocking;
}

void AFXAPI AfxSetBarDocking(CBarDocking* pDocking)
{
    g_pBarDocking = pDocking;
}

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    if (m_pDockContext != nullptr)
        AfxGetBarDocking()->DeleteDockContext(m_pDockContext);
    m_pDockContext = nullptr;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        if (!AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG))
            return FALSE;
        cs.lpszClass = AFX_WNDCONTROLBAR;
    }
    // Bars overlap siblings while the frame lays them out.
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips();
    // The frame the bar is made in keeps it in its list of bars; it stays
    // the bar's docking frame wherever the bar goes.
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    // No dock bar keeps an entry for a bar that is gone.
    if (m_pDockBar != nullptr && !IsDockBar())
        AfxGetBarDocking()->RemoveFromDockBar(this);
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        // The frame's layout leaves the room of the bar free again.
        m_pDockSite->DelayRecalcLayout();
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        LRESULT lResult = 0;
        if (OnWndMsg(nMsg, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetCommandOwner();
        if (pOwner != nullptr && pOwner->m_hWnd != nullptr && pOwner->m_hWnd != m_hWnd)
            return pOwner->SendMessage(nMsg, wParam, lParam);
        return DefWindowProc(nMsg, wParam, lParam);
    }
    default:
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
}

CWnd* CControlBar::GetCommandOwner() const
{
    if (m_hWnd != nullptr) {
        if (HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER))
            return CWnd::FromHandle(hOwner);
    }
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return GetParentFrame();
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    DWORD dwOldStyle = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOldStyle, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBorders(LPCRECT lpRect)
{
    SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return GetParentFrame();
}

BOOL CControlBar::IsFloating() const
{
    if (m_pDockBar != nullptr)
        return AfxGetBarDocking()->IsFloating(m_pDockBar);
    return (m_dwStyle & CBRS_FLOATING) != 0;
}

BOOL CControlBar::IsDockBar() const
{
    return FALSE;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    CBarDocking* pDocking = AfxGetBarDocking();
    if (m_pDockContext == nullptr && pDocking != nullptr)
        m_pDockContext = pDocking->CreateDockContext(this);
}

void CControlBar::DeflateBorderLines(CRect& rect, DWORD dwStyle)
{
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += 1;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += 1;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= 1;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= 1;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DeflateBorderLines(rect, m_dwStyle);
    // The inner borders run along the bar's length.
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    // The borders alone (the inside rectangle of an empty bar is negative).
    size.cx += -rect.Width() > 0 ? -rect.Width() : 0;
    size.cy += -rect.Height() > 0 ? -rect.Height() : 0;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
    if (m_nStateFlags & (delayHide | delayShow)) {
        UINT swpFlags = 0;
        if (m_nStateFlags & delayHide) {
            dwStyle &= ~WS_VISIBLE;
            if (GetStyle() & WS_VISIBLE)
                swpFlags = SWP_HIDEWINDOW;
        } else {
            dwStyle |= WS_VISIBLE;
            if (!(GetStyle() & WS_VISIBLE))
                swpFlags = SWP_SHOWWINDOW;
        }
        // Only a real layout carries it out; a query only looks.
        if (lpLayout->hDWP != nullptr) {
            m_nStateFlags &= ~(delayHide | delayShow);
            if (swpFlags != 0)
                SetWindowPos(nullptr, 0, 0, 0, 0,
                             swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return dwStyle;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if (!(dwStyle & WS_VISIBLE) || (dwStyle & CBRS_ALIGN_ANY) == 0)
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::min(size.cx, std::max(0L, (long)sizeAvail.cx));
    size.cy = std::min(size.cy, std::max(0L, (long)sizeAvail.cy));

    if (dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (dwStyle & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (dwStyle & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != nullptr)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // A pending show or hide that no layout has carried out yet.
    const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    UINT swpFlags = 0;
    if ((m_nStateFlags & delayHide) && bVisible)
        swpFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVisible)
        swpFlags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayShow | delayHide);
    if (swpFlags != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Only a bar that can be seen (its holder too) updates its items, for
    // the frame that owns it (the docking frame also while it floats).
    CWnd* pParent = GetParent();
    if ((GetStyle() & WS_VISIBLE) && (pParent == nullptr || (pParent->GetStyle() & WS_VISIBLE))) {
        CWnd* pOwner = GetCommandOwner();
        CFrameWnd* pTarget = pOwner != nullptr && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner)
                                                                      : GetParentFrame();
        if (pTarget != nullptr)
            OnUpdateCmdUI(pTarget, (BOOL)wParam);
    }
    return 0;
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A press beside the bar's tools drags a dockable bar.
    if (m_pDockContext != nullptr && m_pDockBar != nullptr && OnToolHitTest(point, nullptr) == -1) {
        ClientToScreen(&point);
        AfxGetBarDocking()->StartDrag(m_pDockContext, point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext != nullptr && m_pDockBar != nullptr && OnToolHitTest(point, nullptr) == -1) {
        AfxGetBarDocking()->ToggleDocking(m_pDockContext);
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    // A single line on each side that has a border; rect shrinks by it.
    const DWORD dwStyle = m_dwStyle;
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrShadow);
        rect.left += 1;
    }
    if (dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrShadow);
        rect.top += 1;
    }
    if (dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrShadow);
        rect.right -= 1;
    }
    if (dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrShadow);
        rect.bottom -= 1;
    }
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    if (CBarDocking* pDocking = AfxGetBarDocking())
        pDocking->GetBarInfo(this, pInfo);
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    if (CBarDocking* pDocking = AfxGetBarDocking())
        pDocking->SetBarInfo(this, pInfo, pFrameWnd);
}
