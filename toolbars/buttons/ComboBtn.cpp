#include "toolbars/buttons/ComboBtn.h"

#include <new>

/////////////////////////////////////////////////////////////////////////////
// OZWComboBtnEdit

IMPLEMENT_DYNAMIC(OZWComboBtnEdit, CEdit)

BEGIN_MESSAGE_MAP(OZWComboBtnEdit, CEdit)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
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

void OZWComboBtnEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!OfferToButton(WM_LBUTTONDOWN, nFlags, point))
        Default();
}

void OZWComboBtnEdit::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!OfferToButton(WM_LBUTTONUP, nFlags, point))
        Default();
}

void OZWComboBtnEdit::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!OfferToButton(WM_LBUTTONDBLCLK, nFlags, point))
        Default();
}

void OZWComboBtnEdit::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!OfferToButton(WM_RBUTTONDOWN, nFlags, point))
        Default();
}

void OZWComboBtnEdit::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (!OfferToButton(WM_RBUTTONUP, nFlags, point))
        Default();
}

void OZWComboBtnEdit::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    if (!OfferToButton(WM_RBUTTONDBLCLK, nFlags, point))
        Default();
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
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
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

void OZWComboBtn::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!LButtonDown(nFlags, point.x, point.y))
        Default();
}

void OZWComboBtn::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!LButtonUp(nFlags, point.x, point.y))
        Default();
}

void OZWComboBtn::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!LButtonDblClk(nFlags, point.x, point.y))
        Default();
}

void OZWComboBtn::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!RButtonDown(nFlags, point.x, point.y))
        Default();
}

void OZWComboBtn::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (!RButtonUp(nFlags, point.x, point.y))
        Default();
}

void OZWComboBtn::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    if (!RButtonDblClk(nFlags, point.x, point.y))
        Default();
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
