#include "toolbars/buttons/ComboBtn.h"

#include <new>

namespace {

// WM_LBUTTONDOWN ... WM_RBUTTONDBLCLK: the messages the button's mouse hook takes.
bool IsMouseButtonMessage(UINT message)
{
    return message >= WM_LBUTTONDOWN && message <= WM_RBUTTONDBLCLK;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// OZWComboBtnEdit

IMPLEMENT_DYNAMIC(OZWComboBtnEdit, CEdit)

BEGIN_MESSAGE_MAP(OZWComboBtnEdit, CEdit)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

OZWComboBtnEdit::~OZWComboBtnEdit() = default;

BOOL OZWComboBtnEdit::OfferToButton(UINT nMsg, UINT nFlags, CPoint point)
{
    if (m_pButton == nullptr)
        return FALSE;
    // The hooks count in the combo box's client coordinates.
    if (CWnd* pCombo = m_pButton->GetWnd())
        MapWindowPoints(pCombo, &point, 1);
    return m_pButton->MouseHook(nMsg, nFlags, point.x, point.y);
}

LRESULT OZWComboBtnEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsMouseButtonMessage(message) && OfferToButton(message, (UINT)wParam, CPoint(lParam)))
        return 0;
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL OZWComboBtnEdit::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_pButton != nullptr && m_pButton->SetCursor())
        return TRUE;
    return (BOOL)Default();
}

/////////////////////////////////////////////////////////////////////////////
// OZWComboBtn

IMPLEMENT_DYNAMIC(OZWComboBtn, CComboBox)
IMPLEMENT_OZWBTN_CLASS(OZWComboBtn)

BEGIN_MESSAGE_MAP(OZWComboBtn, CComboBox)
    ON_WM_SETCURSOR()
    ON_WM_PAINT()
END_MESSAGE_MAP()

OZWComboBtn::OZWComboBtn()
{
    m_nType = typeCombo;
}

OZWComboBtn::~OZWComboBtn()
{
    if (m_edit.GetSafeHwnd() != nullptr)
        m_edit.UnsubclassWindow();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL OZWComboBtn::CreateWnd(CWnd* pParent, DWORD dwStyle, const RECT& rect, UINT nID)
{
    if ((dwStyle & 3) == 0)
        dwStyle |= CBS_DROPDOWNLIST;
    const BOOL bCreated = Create(dwStyle, rect, pParent, nID);
    if (bCreated && (dwStyle & 2)) {
        if (CWnd* pChild = GetWindow(GW_CHILD)) {
            if (m_edit.SubclassWindow(pChild->GetSafeHwnd()))
                m_edit.m_pButton = this;
        }
    }
    if (bCreated)
        SetupFont();
    AdjustSize();
    return bCreated;
}

void OZWComboBtn::SetupFont()
{
    m_font.DeleteObject();
    if (m_font.CreateFont(8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                          CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0, "MS Sans Serif"))
        SetFont(&m_font, TRUE);
}

void OZWComboBtn::AdjustSize()
{
    OZWWndBtn::AdjustSize();
    if (m_pToolBar != nullptr)
        m_cy = m_pToolBar->GetStdButtonHeight();
}

void OZWComboBtn::SetMode(BOOL bVertical)
{
    OZWWndBtn::SetMode(bVertical);
    if (m_pToolBar != nullptr)
        m_cy = m_pToolBar->GetStdButtonHeight();
}

BOOL OZWComboBtn::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        NotifyOwner(OZWWNDNOTIFY_RETURN);
        return TRUE;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

LRESULT OZWComboBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsMouseButtonMessage(message)) {
        const CPoint point(lParam);
        if (MouseHook(message, (UINT)wParam, point.x, point.y))
            return 0;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

BOOL OZWComboBtn::OnSetCursor(CWnd*, UINT, UINT)
{
    if (OZWWndBtn::SetCursor())
        return TRUE;
    return (BOOL)Default();
}

void OZWComboBtn::OnPaint()
{
    PrePaint();
    Default();
    PostPaint();
}
