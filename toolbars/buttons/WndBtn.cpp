#include "toolbars/buttons/WndBtn.h"

#include "frame/support/SupportRes.h"

UINT OZWGetToolBarWndNotifyMessage()
{
    static const UINT s_nMessage = ::RegisterWindowMessageA("WM_OZWTOOLBARWNDNOTIFY");
    return s_nMessage;
}

namespace {

// The size cursor of the resizable edge, loaded once.
HCURSOR SizeCursor()
{
    static HCURSOR s_hCursor = nullptr;
    if (s_hCursor == nullptr) {
        LPCTSTR lpszName = MAKEINTRESOURCE(IDC_OZW_SIZE_WE);
        s_hCursor = ::LoadCursorA(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
        if (s_hCursor == nullptr)
            s_hCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
    }
    return s_hCursor;
}

int WindowHeight(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc.Height();
}

} // namespace

OZWWndBtn::OZWWndBtn() : m_bWndMode(FALSE), m_nWndWidth(0), m_nMinWidth(0), m_nWndHeight(0), m_nWndActualHeight(0)
{
    m_nType = typeWnd;
}

OZWWndBtn::~OZWWndBtn() = default;

BOOL OZWWndBtn::IsConfigMode() const
{
    return m_pToolBar != nullptr && m_pToolBar->IsConfigMode();
}

void OZWWndBtn::Init(OZWBtnHost* pToolBar, const UINT_PTR* pParams)
{
    OZWStdBtn::Init(pToolBar, pParams);
    if (pParams == nullptr || pToolBar == nullptr)
        return;
    const UINT nID = (UINT)pParams[0];
    const DWORD dwStyle = (DWORD)pParams[1];
    m_nWndWidth = LOWORD(pParams[2]);
    m_nMinWidth = HIWORD(pParams[2]);
    m_nWndHeight = LOWORD(pParams[3]);
    CreateWnd(pToolBar->GetHostWnd(), dwStyle | WS_CHILD, CRect(0, 0, 0, 0), nID);
    NotifyOwner(OZWWNDNOTIFY_CREATED);
}

void OZWWndBtn::NotifyOwner(WORD nCode)
{
    CWnd* pWnd = GetWnd();
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || m_pToolBar == nullptr)
        return;
    CWnd* pOwner = m_pToolBar->GetNotifyOwner();
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    const WPARAM wParam = MAKEWPARAM((WORD)(pWnd->GetDlgCtrlID() & 0xFFFF), nCode);
    pOwner->SendMessage(OZWGetToolBarWndNotifyMessage(), wParam, (LPARAM)pWnd->GetSafeHwnd());
}

void OZWWndBtn::SetMode(BOOL bVertical)
{
    CWnd* pWnd = GetWnd();
    const BOOL bHasWnd = pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr;
    if (bVertical) {
        if (m_bWndMode) {
            if (bHasWnd)
                pWnd->ShowWindow(SW_HIDE);
            m_nWndWidth = m_cx;
            if (m_pToolBar != nullptr)
                m_cx = m_pToolBar->GetStdButtonWidth();
            m_bWndMode = FALSE;
        }
    }
    else if (!m_bWndMode) {
        m_cx = m_nWndWidth;
        m_bWndMode = TRUE;
        if (bHasWnd) {
            pWnd->SetWindowPos(nullptr, m_x, m_y, m_nWndWidth, m_nWndHeight,
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
            m_nWndActualHeight = WindowHeight(pWnd);
            UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
            if (!IsHidden())
                nFlags |= SWP_SHOWWINDOW;
            pWnd->SetWindowPos(nullptr, m_x, m_y + (m_cy - m_nWndActualHeight) / 2, 0, 0, nFlags);
        }
    }
    OZWStdBtn::SetMode(bVertical);
}

void OZWWndBtn::SetPos(int x, int y)
{
    OZWStdBtn::SetPos(x, y);
    CWnd* pWnd = GetWnd();
    if (!m_bWndMode || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    const int yOffset = m_nWndActualHeight != 0 ? (m_cy - m_nWndActualHeight) / 2 : 0;
    pWnd->SetWindowPos(nullptr, x, y + yOffset, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OZWWndBtn::AdjustSize()
{
    if (m_pToolBar == nullptr)
        return;
    m_cx = m_bWndMode ? m_nWndWidth : m_pToolBar->GetStdButtonWidth();
    m_cy = m_pToolBar->GetStdButtonHeight();
}

void OZWWndBtn::SetStyle(DWORD dwStyle)
{
    OZWStdBtn::SetStyle(dwStyle);
    CWnd* pWnd = GetWnd();
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    const BOOL bEnable = (dwStyle & TBB_DISABLED) == 0;
    if ((pWnd->IsWindowEnabled() != FALSE) != (bEnable != FALSE))
        pWnd->EnableWindow(bEnable);
}

void OZWWndBtn::UpdateShow()
{
    CWnd* pWnd = GetWnd();
    if (m_bWndMode && pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->ShowWindow(IsHidden() ? SW_HIDE : SW_SHOW);
}

void OZWWndBtn::Invalidate(BOOL bErase)
{
    if (!m_bWndMode)
        OZWStdBtn::Invalidate(bErase);
}

INT_PTR OZWWndBtn::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_bWndMode)
        return -1;
    return OZWStdBtn::OnToolHitTest(point, pTI);
}

void OZWWndBtn::Draw(CDC* pDC, OZWBtnDrawData& drawData)
{
    if (!m_bWndMode) {
        OZWStdBtn::Draw(pDC, drawData);
        return;
    }
    CWnd* pWnd = GetWnd();
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->UpdateWindow();
}

void OZWWndBtn::InformBtn(int nCode, void* pData)
{
    if (nCode != OZWINFORM_WNDMSG) {
        OZWStdBtn::InformBtn(nCode, pData);
        return;
    }
    CWnd* pWnd = GetWnd();
    if (pData == nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    const OZWInformMsg* pMsg = static_cast<const OZWInformMsg*>(pData);
    pWnd->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
}

void OZWWndBtn::GetBtnData(BYTE& nSize, BYTE*& pData) const
{
    nSize = 2;
    pData = new BYTE[2];
    pData[0] = (BYTE)(m_nWndWidth & 0xFF);
    pData[1] = (BYTE)((m_nWndWidth >> 8) & 0xFF);
}

void OZWWndBtn::SetBtnData(BYTE nSize, const BYTE* pData)
{
    if (nSize != 2 || pData == nullptr)
        return;
    m_nWndWidth = (int)((WORD)pData[0] | ((WORD)pData[1] << 8));
    if (!m_bWndMode)
        return;
    m_cx = m_nWndWidth;
    CWnd* pWnd = GetWnd();
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->SetWindowPos(nullptr, 0, 0, m_nWndWidth, m_nWndHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL OZWWndBtn::LButtonDown(UINT nFlags, int x, int y)
{
    if (!IsConfigMode() && !IsAltDown())
        return FALSE;
    CWnd* pWnd = GetWnd();
    if (pWnd == nullptr || m_pToolBar == nullptr)
        return FALSE;
    if (m_bWndMode && m_nMinWidth != 0 && IsSelected() && !m_pToolBar->IsCustomizePalette() && !IsAltDown() &&
        InResizeZone(x)) {
        // The right edge follows the mouse.
        CRect rect(0, 0, m_cx, WindowHeight(pWnd));
        if (!m_pToolBar->TrackButtonWidth(pWnd, rect, m_nMinWidth))
            return TRUE;
        m_cx = m_nWndWidth = rect.Width();
        m_pToolBar->RecalcHostLayout();
        pWnd->SetWindowPos(nullptr, 0, 0, m_cx, m_nWndHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    // The toolbar takes the press (and starts dragging the button).
    CWnd* pToolBarWnd = m_pToolBar->GetHostWnd();
    if (pToolBarWnd == nullptr || pToolBarWnd->GetSafeHwnd() == nullptr)
        return TRUE;
    CPoint pt(x, y);
    pWnd->MapWindowPoints(pToolBarWnd, &pt, 1);
    pToolBarWnd->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(pt.x, pt.y));
    return TRUE;
}

BOOL OZWWndBtn::MouseHook(UINT nMsg, UINT nFlags, int x, int y)
{
    switch (nMsg) {
    case WM_LBUTTONDOWN:
        return LButtonDown(nFlags, x, y);
    case WM_LBUTTONUP:
        return LButtonUp(nFlags, x, y);
    case WM_LBUTTONDBLCLK:
        return LButtonDblClk(nFlags, x, y);
    case WM_RBUTTONDOWN:
        return RButtonDown(nFlags, x, y);
    case WM_RBUTTONUP:
        return RButtonUp(nFlags, x, y);
    case WM_RBUTTONDBLCLK:
        return RButtonDblClk(nFlags, x, y);
    default:
        return FALSE;
    }
}

BOOL OZWWndBtn::LButtonUp(UINT, int, int)
{
    return IsConfigMode();
}

BOOL OZWWndBtn::LButtonDblClk(UINT, int, int)
{
    return IsConfigMode();
}

BOOL OZWWndBtn::RButtonDown(UINT, int, int)
{
    return IsConfigMode();
}

BOOL OZWWndBtn::RButtonUp(UINT, int, int)
{
    return IsConfigMode();
}

BOOL OZWWndBtn::RButtonDblClk(UINT, int, int)
{
    return IsConfigMode();
}

BOOL OZWWndBtn::SetCursor()
{
    CWnd* pWnd = GetWnd();
    if (!m_bWndMode || pWnd == nullptr || m_pToolBar == nullptr)
        return FALSE;
    const DWORD pos = ::GetMessagePos();
    CPoint pt((short)LOWORD(pos), (short)HIWORD(pos));
    pWnd->ScreenToClient(&pt);
    if (IsSelected() && !m_pToolBar->IsCustomizePalette() && m_nMinWidth != 0 && InResizeZone(pt.x)) {
        ::SetCursor(SizeCursor());
        return TRUE;
    }
    if (IsConfigMode()) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    }
    return FALSE;
}

void OZWWndBtn::PrePaint()
{
    CWnd* pWnd = GetWnd();
    if (IsSelected() && pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->Invalidate(FALSE);
}

void OZWWndBtn::PostPaint()
{
    CWnd* pWnd = GetWnd();
    if (!IsSelected() || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    CWindowDC dc(pWnd);
    DrawDragFrame(&dc, CRect(0, 0, m_cx, WindowHeight(pWnd)));
}
