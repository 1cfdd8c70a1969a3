#include "pickers/controls/LineStylePickers.h"
#include "pickers/controls/PickerItem.h"
#include "pickers/controls/PickerScale.h"
#include "pickers/controls/PickersRes.h"

#include <algorithm>

/////////////////////////////////////////////////////////////////////////////
// Drawing an item

void DrawLineStyleItem(LPDRAWITEMSTRUCT lpDIS, const CString& text, int nSampleWidth, const LineTypeArray& list)
{
    kvpickers::PickerItem item(lpDIS);
    HDC hdc = item.Hdc();
    RECT rc = item.WorkRect();
    HGDIOBJ hOldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    long nData = (long)(LONG_PTR)lpDIS->itemData;
    if (!IsKnownLineType(list, nData)) {
        RECT rcText = { rc.left, rc.top, rc.left + nSampleWidth, rc.bottom };
        CDC::FromHandle(hdc)->DrawText(text, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    else {
        std::vector<DWORD> dashes = LineTypeDashes(list[(size_t)nData].pattern, nSampleWidth);
        HPEN hPen = nullptr;
        if (!dashes.empty())
            hPen = item.MakePen(PS_USERSTYLE, 1, (DWORD)dashes.size(), dashes.data());
        if (hPen == nullptr)
            hPen = item.MakePen(PS_SOLID, 1);
        HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
        int y = (rc.top + rc.bottom) / 2;
        ::MoveToEx(hdc, rc.left + 2, y, nullptr);
        ::LineTo(hdc, rc.left + nSampleWidth, y);
        ::SelectObject(hdc, hOldPen);
        ::DeleteObject(hPen);
        RECT rcText = rc;
        rcText.left += nSampleWidth + 6;
        CDC::FromHandle(hdc)->DrawText(text, &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    ::SelectObject(hdc, hOldBrush);
}

/////////////////////////////////////////////////////////////////////////////
// CLineStyleCombo

IMPLEMENT_DYNAMIC(CLineStyleCombo, CComboBox)

BEGIN_MESSAGE_MAP(CLineStyleCombo, CComboBox)
    ON_WM_CREATE()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropDown)
END_MESSAGE_MAP()

namespace {
const UINT_PTR kTipTimer = 1;
}

CLineStyleCombo::CLineStyleCombo()
{
    m_fScale = kvpickers::ReadScreenScale();
    m_nItemHeight = kvpickers::ItemHeightForScale(m_fScale);
}

CLineStyleCombo::~CLineStyleCombo()
{
    if (m_hToolTip != nullptr && ::IsWindow(m_hToolTip))
        ::DestroyWindow(m_hToolTip);
}

void CLineStyleCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    Setup();
}

int CLineStyleCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Made by Create, the combo was subclassed before it existed as one.
    Setup();
    return 0;
}

void CLineStyleCombo::Setup()
{
    if (m_hToolTip == nullptr)
        m_hToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, AfxGetInstanceHandle(), nullptr);
    if (m_hToolTip != nullptr && m_toolInfo.cbSize == 0) {
        m_toolInfo.cbSize = sizeof(m_toolInfo);
        m_toolInfo.uFlags = TTF_TRANSPARENT | TTF_TRACK | TTF_ABSOLUTE;
        m_toolInfo.hwnd = m_hWnd;
        m_toolInfo.uId = 0;
        m_toolInfo.hinst = AfxGetInstanceHandle();
        m_toolInfo.lpszText = const_cast<LPSTR>(m_strTip.c_str());
        ::GetClientRect(m_hWnd, &m_toolInfo.rect);
        ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, (LPARAM)&m_toolInfo);
        ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 32767);
        ::SendMessageA(m_hToolTip, TTM_SETTIPBKCOLOR, ::GetSysColor(COLOR_HIGHLIGHT), 0);
        ::SendMessageA(m_hToolTip, TTM_SETTIPTEXTCOLOR, ::GetSysColor(COLOR_HIGHLIGHTTEXT), 0);
        RECT margin = { 0, -1, 0, -1 };
        ::SendMessageA(m_hToolTip, TTM_SETMARGIN, 0, (LPARAM)&margin);
        ::SendMessageA(m_hToolTip, WM_SETFONT, SendMessage(WM_GETFONT), FALSE);
    }
    SetItemHeight(-1, (UINT)m_nItemHeight);
}

void CLineStyleCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    lpMIS->itemHeight = (UINT)m_nItemHeight;
}

int CLineStyleCombo::SelectByData(long nData)
{
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if ((long)(LONG_PTR)GetItemData(i) == nData) {
            SetCurSel(i);
            return i;
        }
    }
    return -1;
}

long CLineStyleCombo::GetSelectedData() const
{
    int sel = GetCurSel();
    return sel < 0 ? -1 : (long)(LONG_PTR)GetItemData(sel);
}

int CLineStyleCombo::GetSampleWidth() const
{
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    return client.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - (2 * ::GetSystemMetrics(SM_CXEDGE) + 6);
}

void CLineStyleCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    int count = GetCount();
    if (count <= 0 || (int)lpDIS->itemID < 0 || (int)lpDIS->itemID >= count)
        return;
    CString text;
    GetLBText((int)lpDIS->itemID, text);
    DrawLineStyleItem(lpDIS, text, GetSampleWidth());
}

CRect CLineStyleCombo::HotRect() const
{
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    rc.right -= ::GetSystemMetrics(SM_CXHTHUMB) + 2;
    return rc;
}

void CLineStyleCombo::HideTip()
{
    if (m_hToolTip != nullptr)
        ::SendMessageA(m_hToolTip, TTM_TRACKACTIVATE, FALSE, (LPARAM)&m_toolInfo);
    m_bTipShowing = FALSE;
}

void CLineStyleCombo::OnMouseMove(UINT, CPoint point)
{
    CRect hot = HotRect();
    if (m_hToolTip != nullptr && hot.PtInRect(point)) {
        CString text;
        GetWindowText(text);
        m_strTip = (LPCSTR)text;
        m_toolInfo.lpszText = const_cast<LPSTR>(m_strTip.c_str());
        if (!m_bTipShowing) {
            ::SendMessageA(m_hToolTip, TTM_SETTIPBKCOLOR, ::GetSysColor(COLOR_WINDOW), 0);
            ::SendMessageA(m_hToolTip, TTM_SETTIPTEXTCOLOR, ::GetSysColor(COLOR_WINDOWTEXT), 0);
            ::SendMessageA(m_hToolTip, TTM_UPDATETIPTEXTA, 0, (LPARAM)&m_toolInfo);
            CRect window = hot;
            ClientToScreen(&window);
            CRect combo;
            GetWindowRect(&combo);
            ::SendMessageA(m_hToolTip, TTM_TRACKPOSITION, 0, MAKELPARAM(window.left + 1, combo.bottom));
            ::SendMessageA(m_hToolTip, TTM_TRACKACTIVATE, TRUE, (LPARAM)&m_toolInfo);
            SetTimer(kTipTimer, 80, nullptr);
            m_bTipShowing = TRUE;
        }
    }
    else {
        HideTip();
    }
    Default();
}

void CLineStyleCombo::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTipTimer) {
        Default();
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (!HotRect().PtInRect(cursor)) {
        KillTimer(kTipTimer);
        HideTip();
    }
}

void CLineStyleCombo::OnDropDown()
{
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetFont());
    int widest = 0;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        CString text;
        GetLBText(i, text);
        widest = std::max(widest, (int)dc.GetTextExtent(text).cx);
    }
    dc.SelectObject(pOldFont);
    CRect client;
    GetClientRect(&client);
    SetDroppedWidth((UINT)(widest + client.Width()));
}

void CLineStyleCombo::OnDestroy()
{
    KillTimer(kTipTimer);
    if (m_hToolTip != nullptr && ::IsWindow(m_hToolTip))
        ::DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
    m_bTipShowing = FALSE;
    Default();
}

/////////////////////////////////////////////////////////////////////////////
// CPopupLineStyleList

IMPLEMENT_DYNAMIC(CPopupLineStyleList, CListBox)

void CPopupLineStyleList::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    int count = GetCount();
    if (count <= 0 || (int)lpDIS->itemID < 0 || (int)lpDIS->itemID >= count)
        return;
    CString text;
    GetText((int)lpDIS->itemID, text);
    DrawLineStyleItem(lpDIS, text, m_nSampleWidth);
}

void CPopupLineStyleList::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    lpMIS->itemHeight = (UINT)kvpickers::ItemHeightForScale(kvpickers::ReadScreenScale());
}

/////////////////////////////////////////////////////////////////////////////
// CLineStylePopup

CRect PlaceLineStylePopup(const CRect& rcAnchor, int nWidth, int nHeight, CSize screen)
{
    int top = rcAnchor.bottom + nHeight < screen.cy ? rcAnchor.bottom : rcAnchor.top - nHeight;
    int left = rcAnchor.left + nWidth < screen.cx ? rcAnchor.left : rcAnchor.right - nWidth;
    return CRect(left, top, left + nWidth, top + nHeight);
}

IMPLEMENT_DYNAMIC(CLineStylePopup, CDialog)

BEGIN_MESSAGE_MAP(CLineStylePopup, CDialog)
    ON_LBN_SELCHANGE(IDC_LINESTYLE_LIST, OnSelChange)
    ON_WM_NCACTIVATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CLineStylePopup::CLineStylePopup(int left, int top, int right, int bottom, CWnd* pParent)
    : CDialog(IDD_LINESTYLE_POPUP, pParent), m_rcAnchor(left, top, right, bottom)
{
}

CLineStylePopup::~CLineStylePopup() = default;

void CLineStylePopup::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINESTYLE_LIST, m_list);
}

BOOL CLineStylePopup::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nOriginal = m_nChosen;
    const LineTypeArray& lineTypes = LineTypeList();
    for (size_t i = 0; i < lineTypes.size(); ++i) {
        int item = m_list.AddString(lineTypes[i].name.c_str());
        if (item >= 0)
            m_list.SetItemData(item, (DWORD_PTR)i);
    }
    m_list.ModifyStyle(WS_BORDER, 0);
    m_list.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);

    int widest = 0;
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetFont());
        for (const LineTypeEntry& entry : lineTypes)
            widest = std::max(widest, (int)dc.GetTextExtent(entry.name.c_str(), (int)entry.name.size()).cx);
        dc.SelectObject(pOldFont);
    }
    if (widest == 0)
        widest = 160;
    m_list.SetSampleWidth(m_rcAnchor.Width() - 4);
    int width = ::GetSystemMetrics(SM_CXVSCROLL) + widest + m_rcAnchor.Width() + 6;
    CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    m_rcPopup = PlaceLineStylePopup(m_rcAnchor, width, kHeight, screen);
    SetWindowPos(&wndTop, m_rcPopup.left, m_rcPopup.top, m_rcPopup.Width(), m_rcPopup.Height(), SWP_SHOWWINDOW);
    m_list.SetFocus();
    m_list.SetCurSel(m_nChosen);
    return FALSE;
}

void CLineStylePopup::Commit()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    int sel = m_list.GetCurSel();
    if (sel >= 0)
        m_nChosen = (int)(LONG_PTR)m_list.GetItemData(sel);
    EndDialog(IDOK);
}

void CLineStylePopup::OnOK()
{
    Commit();
}

void CLineStylePopup::OnCancel()
{
    // Escape, or a click elsewhere: the line type stays as it was, also
    // after the arrow keys moved through the list.
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    m_nChosen = m_nOriginal;
    EndDialog(IDCANCEL);
}

BOOL CLineStylePopup::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE && pMsg->hwnd == m_list.GetSafeHwnd()) {
        // The item under the pointer follows the mouse.
        BOOL bOutside = TRUE;
        UINT item = m_list.ItemFromPoint(CPoint(pMsg->lParam), bOutside);
        if (!bOutside && (int)item != m_list.GetCurSel())
            m_list.SetCurSel((int)item);
    }
    else if (pMsg->message == WM_LBUTTONDOWN) {
        m_bKeyboard = FALSE;
    }
    else if (pMsg->message == WM_KEYDOWN) {
        switch (pMsg->wParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            m_bKeyboard = TRUE;
            break;
        case VK_RETURN:
            m_bKeyboard = FALSE;
            Commit();
            return TRUE;
        case VK_ESCAPE:
            OnCancel();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CLineStylePopup::OnSelChange()
{
    // A pick with the mouse closes the popup; the arrow keys only move.
    if (!m_bKeyboard)
        Commit();
}

BOOL CLineStylePopup::OnNcActivate(BOOL bActive)
{
    BOOL result = CDialog::OnNcActivate(bActive);
    if (!bActive && m_hWnd != nullptr && ::IsWindowVisible(m_hWnd))
        OnCancel();
    return result;
}

void CLineStylePopup::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.MoveWindow(0, 0, cx, cy);
}
