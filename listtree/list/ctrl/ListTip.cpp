#include "listtree/list/ctrl/ListTip.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(OZWListTip, CWnd)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_TIMER()
END_MESSAGE_MAP()

OZWListTip::OZWListTip(OZWListClient* pClient) : m_pClient(pClient) {}

OZWListTip::~OZWListTip()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL OZWListTip::IsCutOff(const RECT& rcCell, const RECT& rcText, const RECT& rcInside)
{
    const int nLimit = std::min<int>(rcCell.right, rcInside.right - rcInside.left);
    if (rcText.right > nLimit)
        return TRUE;
    return rcText.left < rcInside.left && rcText.right > rcInside.left;
}

CString OZWListTip::FirstLine(const CString& strText)
{
    int n = strText.Find('\n');
    if (n < 0)
        n = strText.GetLength();
    // At most MaxChars characters, counted as characters, not bytes.
    int nBytes = 0, nChars = 0;
    while (nBytes < n && nChars < MaxChars) {
        ++nBytes;
        while (nBytes < n && ((unsigned char)strText[nBytes] & 0xC0) == 0x80)
            ++nBytes;
        ++nChars;
    }
    return strText.Left(nBytes);
}

BOOL OZWListTip::ShowTip(UINT nHitFlags, int nItem, int nColumn, int, int)
{
    if (m_pClient == nullptr)
        return FALSE;
    const HWND hList = m_pClient->GetHwnd();
    if (m_hWnd == nullptr) {
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS,
                                                ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
        if (!CreateEx(0, lpszClass, nullptr, WS_POPUP | WS_BORDER, 0, 0, 0, 0, hList, nullptr, nullptr))
            return FALSE;
    }
    const int nSubItem = nColumn != -1 ? m_pClient->GetColumnSubItem(nColumn) : -1;
    CRect inside;
    m_pClient->GetItemsRect(&inside);
    const BOOL bOnCell = (nHitFlags & 0x0004) || ((nHitFlags & 0x2000) && nSubItem > 0);
    if (!bOnCell || nItem == -1 || nColumn == -1 || ::GetActiveWindow() == nullptr) {
        HideTip();
        return FALSE;
    }
    CRect rcCell, rcText;
    if (!m_pClient->GetSubItemRect(nItem, nColumn, &rcCell, 0))
        return FALSE;
    rcCell.right -= 5;
    if (!m_pClient->GetSubItemRect(nItem, nColumn, &rcText, 2))
        return FALSE;
    POINT ptOffset = {};
    m_pClient->GetScrollOffset(&ptOffset);
    if (!IsCutOff(rcCell, rcText, inside)) {
        HideTip();
        return FALSE;
    }
    if (nItem == m_nItem && nSubItem == m_nSubItem)
        return TRUE;
    HideTip();
    rcText.left -= 2;
    rcText.right += 2;
    rcText.bottom += 2;
    m_nItem = nItem;
    m_rcItem = rcCell;
    m_nSubItem = nSubItem;
    const CString strText = m_pClient->GetItemText(nItem, nSubItem);
    if (strText.IsEmpty())
        return FALSE;
    m_strText = strText;
    m_pClient->ClientToScreenRect(&rcText);
    SetWindowPos(&wndTop, rcText.left - 1, rcText.top, rcText.Width() + 3, rcCell.Height(), SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNOACTIVATE);
    SetTimer(TimerId, TimerInterval, nullptr);
    m_pClient->CaptureMouse(TRUE);
    Invalidate(FALSE);
    UpdateWindow();
    return TRUE;
}

void OZWListTip::HideTip()
{
    const HWND hList = m_pClient != nullptr ? m_pClient->GetHwnd() : nullptr;
    if (m_hWnd != nullptr && ::IsWindowVisible(m_hWnd)) {
        ShowWindow(SW_HIDE);
        if (hList != nullptr)
            ::RedrawWindow(hList, &m_rcItem, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        KillTimer(TimerId);
    }
    m_nItem = m_nSubItem = -1;
    m_rcItem.SetRectEmpty();
    if (hList != nullptr && ::GetCapture() == hList)
        ::ReleaseCapture();
}

void OZWListTip::RefreshTip()
{
    if (m_hWnd != nullptr && ::IsWindowVisible(m_hWnd)) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void OZWListTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TimerId || m_pClient == nullptr)
        return;
    const HWND hList = m_pClient->GetHwnd();
    if (hList == nullptr)
        return;
    CRect rc;
    ::GetClientRect(hList, &rc);
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(hList, &pt);
    if (!rc.PtInRect(pt))
        HideTip();
}

void OZWListTip::OnPaint()
{
    CPaintDC dc(this);
    if (m_nItem == -1 || m_pClient == nullptr)
        return;
    if (m_pClient->IsItemSelected(m_nItem)) {
        dc.SetTextColor(m_pClient->GetSelTextColor());
        dc.SetBkColor(m_pClient->GetSelBkColor());
    } else {
        dc.SetTextColor(m_pClient->GetTipTextColor());
        dc.SetBkColor(m_pClient->GetTipBkColor());
    }
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, dc.GetBkColor());
    CFont bold;
    HGDIOBJ hOldFont = nullptr;
    if (CFont* pFont = m_pClient->GetItemFont()) {
        HFONT hFont = *pFont;
        if (m_pClient->GetClientItemState(m_nItem, 0x18) & 0x10) {
            LOGFONT lf = {};
            pFont->GetLogFont(&lf);
            lf.lfWeight = FW_BOLD;
            if (bold.CreateFontIndirect(&lf))
                hFont = bold;
        }
        hOldFont = ::SelectObject(dc.m_hDC, hFont);
    }
    rc.left += 2;
    const CString strLine = FirstLine(m_strText);
    dc.DrawText(strLine, strLine.GetLength(), &rc, DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    if (hOldFont != nullptr)
        ::SelectObject(dc.m_hDC, hOldFont);
}

void OZWListTip::OnDestroy()
{
    CWnd::OnDestroy();
    m_nItem = -1;
}

BOOL OZWListTip::PreTranslateMessage(MSG* pMsg)
{
    const HWND hList = m_pClient != nullptr ? m_pClient->GetHwnd() : nullptr;
    const UINT nMsg = pMsg->message;
    const BOOL bClient = nMsg == WM_MOUSEMOVE || (nMsg >= WM_LBUTTONDOWN && nMsg <= WM_MBUTTONDBLCLK);
    const BOOL bNonClient = nMsg >= WM_NCLBUTTONDOWN && nMsg <= WM_NCMBUTTONDBLCLK;
    if (hList == nullptr || pMsg->hwnd != m_hWnd || (!bClient && !bNonClient))
        return CWnd::PreTranslateMessage(pMsg);
    POINT pt = { (short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam) };
    MSG msg = *pMsg;
    if (bClient) {
        ::ClientToScreen(pMsg->hwnd, &pt);
    } else {
        // The client message with the real key state: the list's selection
        // rule reads Shift, Ctrl and the buttons from it.
        msg.message = ClientMessageOf(nMsg);
        WPARAM keys = 0;
        if (::GetKeyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
        if (::GetKeyState(VK_RBUTTON) < 0) keys |= MK_RBUTTON;
        if (::GetKeyState(VK_MBUTTON) < 0) keys |= MK_MBUTTON;
        if (::GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
        if (::GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
        msg.wParam = keys;
    }
    ::ScreenToClient(hList, &pt);
    msg.lParam = MAKELPARAM(pt.x, pt.y);
    msg.hwnd = hList;
    ::DispatchMessage(&msg);
    return TRUE;
}
