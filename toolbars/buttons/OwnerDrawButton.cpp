#include "toolbars/buttons/OwnerDrawButton.h"
#include "toolbars/buttons/ButtonTheme.h"

namespace dedaride {
namespace foundation {

IMPLEMENT_DYNAMIC(OZWOwnerDrawButton, CButton)

BEGIN_MESSAGE_MAP(OZWOwnerDrawButton, CButton)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_KEYUP()
    ON_WM_GETDLGCODE()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
END_MESSAGE_MAP()

OZWOwnerDrawButton::Colours OZWOwnerDrawButton::s_colours = {};

void OZWOwnerDrawButton::RefreshColours()
{
    s_colours.shadow = ::GetSysColor(COLOR_BTNSHADOW);
    s_colours.highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    s_colours.face = ::GetSysColor(COLOR_BTNFACE);
    s_colours.shadow2 = ::GetSysColor(COLOR_BTNSHADOW);
    s_colours.frame = ::GetSysColor(COLOR_WINDOWFRAME);
}

OZWOwnerDrawButton::OZWOwnerDrawButton()
{
    m_bNewLook = LOBYTE(LOWORD(::GetVersion())) >= 4;
    RefreshColours();
}

OZWOwnerDrawButton::~OZWOwnerDrawButton() = default;

BOOL OZWOwnerDrawButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                                DWORD dwExtraStyle)
{
    m_dwExtraStyle = dwExtraStyle;
    return CButton::Create(lpszCaption, dwStyle | BS_OWNERDRAW, rect, pParent, nID);
}

BOOL OZWOwnerDrawButton::SubclassDlgItem(UINT nID, CWnd* pParent, DWORD dwExtraStyle)
{
    m_dwExtraStyle = dwExtraStyle;
    if (!CWnd::SubclassDlgItem(nID, pParent))
        return FALSE;
    // The template's button becomes owner-drawn. Its background is never
    // erased (the drawing covers all of it); that is this window's own
    // WM_ERASEBKGND, so other buttons of the class keep theirs.
    if ((GetButtonStyle() & BS_TYPEMASK) != BS_OWNERDRAW)
        SetButtonStyle(GetButtonStyle(), TRUE);
    return TRUE;
}

void OZWOwnerDrawButton::OnClicked()
{
}

LRESULT OZWOwnerDrawButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    DWORD before = GetStyle();
    CWnd::DefWindowProc(BM_SETSTYLE, (WPARAM)((nStyle & ~BS_TYPEMASK) | BS_OWNERDRAW), FALSE);
    if (GetStyle() != before && bRedraw)
        Invalidate(TRUE);
    return 0;
}

LRESULT OZWOwnerDrawButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    return SetButtonStyle((UINT)wParam, (BOOL)lParam);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void OZWOwnerDrawButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pScreenDC = CDC::FromHandle(lpDIS->hDC);
    CRect rcItem(lpDIS->rcItem);
    int cx = rcItem.Width(), cy = rcItem.Height();
    CDC memDC;
    CBitmap bitmap;
    if (cx > 0 && cy > 0 && memDC.CreateCompatibleDC(pScreenDC) && bitmap.CreateCompatibleBitmap(pScreenDC, cx, cy)) {
        CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
        PreDrawItem(pScreenDC, &memDC);
        CRect rc;
        DrawFrame(rc, &memDC, lpDIS);
        DrawContent(&memDC, lpDIS, rc);
        if (lpDIS->itemState & ODS_DISABLED)
            DrawDisabled(&memDC, cx, cy);
        pScreenDC->BitBlt(0, 0, cx, cy, &memDC, 0, 0, SRCCOPY);
        PostDrawItem(pScreenDC, &memDC);
        memDC.SelectObject(pOldBitmap);
        DrawFocus(pScreenDC, lpDIS);
    }
    else {
        // No memory for the off-screen copy: straight onto the screen,
        // without the disabled emboss.
        PreDrawItem(pScreenDC, pScreenDC);
        CRect rc;
        DrawFrame(rc, pScreenDC, lpDIS);
        DrawContent(pScreenDC, lpDIS, rc);
        PostDrawItem(pScreenDC, pScreenDC);
        DrawFocus(pScreenDC, lpDIS);
    }
}

void OZWOwnerDrawButton::PreDrawItem(CDC*, CDC*)
{
}

void OZWOwnerDrawButton::PostDrawItem(CDC*, CDC*)
{
}

void OZWOwnerDrawButton::DrawRoundedFrame(CDC* pDC, const CRect& rc)
{
    CPen pen(PS_SOLID, 1, s_colours.frame);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rc.left + 1, rc.top);
    pDC->LineTo(rc.right - 1, rc.top);
    pDC->MoveTo(rc.left + 1, rc.bottom - 1);
    pDC->LineTo(rc.right - 1, rc.bottom - 1);
    pDC->MoveTo(rc.left, rc.top + 1);
    pDC->LineTo(rc.left, rc.bottom - 1);
    pDC->MoveTo(rc.right - 1, rc.top + 1);
    pDC->LineTo(rc.right - 1, rc.bottom - 1);
    pDC->SelectObject(pOldPen);
}

void OZWOwnerDrawButton::DrawFrame(CRect& rc, CDC* pDC, LPDRAWITEMSTRUCT lpDIS)
{
    rc = lpDIS->rcItem;
    pDC->FillSolidRect(&rc, s_colours.face);
    ScopedTheme theme(m_hWnd, "Button");
    BOOL bFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) != 0;

    if (bFocused && !m_bFlat && !theme) {
        CPen pen(PS_SOLID, 1, s_colours.frame);
        CPen* pOldPen = pDC->SelectObject(&pen);
        CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(&rc);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
        rc.DeflateRect(1, 1);
    }

    if (bPressed) {
        if (!theme) {
            if (m_bNewLook) {
                pDC->Draw3dRect(&rc, s_colours.frame, s_colours.highlight);
                rc.DeflateRect(1, 1);
                pDC->Draw3dRect(&rc, s_colours.shadow, s_colours.face);
            }
            else {
                DrawRoundedFrame(pDC, rc);
                rc.DeflateRect(1, 1);
                pDC->Draw3dRect(&rc, s_colours.shadow, s_colours.highlight);
                rc.DeflateRect(1, 1);
                pDC->Draw3dRect(&rc, s_colours.shadow, s_colours.highlight);
            }
            // Pressed content sits one pixel lower right.
            rc.left += 1;
            rc.top += 1;
            return;
        }
        theme.DrawBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, PBS_PRESSED, rc);
    }
    else if (!m_bNewLook) {
        DrawRoundedFrame(pDC, rc);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, s_colours.highlight, s_colours.shadow);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, s_colours.highlight, s_colours.shadow);
        rc.right -= 1;
        rc.bottom -= 1;
        return;
    }
    else if (m_bFlat) {
        if (!theme)
            return;
        if (m_bHot)
            theme.DrawBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, PBS_HOT, rc);
    }
    else if (!theme) {
        pDC->Draw3dRect(&rc, s_colours.highlight, s_colours.frame);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, s_colours.face, s_colours.shadow);
        rc.right -= 1;
        rc.bottom -= 1;
        return;
    }
    else {
        int nState = m_bHot ? PBS_HOT : bFocused ? PBS_DEFAULTED : PBS_NORMAL;
        theme.DrawBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, nState, rc);
    }
    rc.DeflateRect(2, 2);
}

void OZWOwnerDrawButton::DrawFocus(CDC* pDC, LPDRAWITEMSTRUCT lpDIS)
{
    if (!(lpDIS->itemState & ODS_FOCUS))
        return;
    CRect rc(lpDIS->rcItem);
    int inset = m_bNewLook ? 1 : 2;
    rc.DeflateRect(inset, inset);
    if (lpDIS->itemState & ODS_SELECTED) {
        rc.left += 1;
        rc.top += 1;
    }
    else {
        rc.right -= 1;
        rc.bottom -= 1;
    }
    pDC->SetBkColor(s_colours.face);
    DrawFocusIndicator(pDC, rc);
}

void OZWOwnerDrawButton::DrawDisabled(CDC* pDC, int cx, int cy)
{
    if (IsThemedDrawing() || cx < 4 || cy < 4)
        return;
    CDC monoDC;
    CBitmap mask;
    if (!monoDC.CreateCompatibleDC(pDC) || !mask.CreateBitmap(cx, cy, 1, 1, nullptr))
        return;
    CBitmap* pOldMask = monoDC.SelectObject(&mask);
    monoDC.PatBlt(0, 0, cx, cy, WHITENESS);
    // Face and highlight pixels become white in the mask, the rest black.
    COLORREF oldBk = pDC->SetBkColor(s_colours.face);
    monoDC.BitBlt(0, 0, cx - 3, cy - 3, pDC, 1, 1, SRCCOPY);
    pDC->SetBkColor(s_colours.highlight);
    monoDC.BitBlt(0, 0, cx - 3, cy - 3, pDC, 1, 1, SRCPAINT);

    // The brush lands where the mask is black: highlight one pixel lower
    // right, shadow over it.
    const DWORD ropBrushWhereBlack = 0x00B8074A;
    pDC->SetBkColor(RGB(255, 255, 255));
    COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    CBrush highlight(s_colours.highlight);
    CBrush* pOldBrush = pDC->SelectObject(&highlight);
    pDC->BitBlt(2, 2, cx - 4, cy - 4, &monoDC, 0, 0, ropBrushWhereBlack);
    CBrush shadow(s_colours.shadow);
    pDC->SelectObject(&shadow);
    pDC->BitBlt(1, 1, cx - 3, cy - 3, &monoDC, 0, 0, ropBrushWhereBlack);
    pDC->SelectObject(pOldBrush);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
    monoDC.SelectObject(pOldMask);
}

BOOL OZWOwnerDrawButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Input

void OZWOwnerDrawButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    RefreshColours();
    Invalidate();
}

void OZWOwnerDrawButton::OnKeyUp(UINT nChar, UINT, UINT)
{
    Default();
    if (nChar == VK_SPACE || nChar == VK_RETURN)
        OnClicked();
}

UINT OZWOwnerDrawButton::OnGetDlgCode()
{
    if (GetFocus() != this)
        return DLGC_BUTTON;
    return (m_dwExtraStyle & ODBS_DEFPUSHBUTTON) ? (DLGC_BUTTON | DLGC_DEFPUSHBUTTON) : DLGC_BUTTON;
}

void OZWOwnerDrawButton::OnLButtonUp(UINT, CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    BOOL bClick = rc.PtInRect(point) && (GetState() & BST_PUSHED) && GetCapture() == this;
    // The button's own handling first: it lets the button up and gives up
    // the mouse, so that whatever the click opens (a popup) can take it.
    Default();
    if (bClick && m_hWnd != nullptr) {
        m_bHot = FALSE;
        OnClicked();
    }
}

void OZWOwnerDrawButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    BOOL bInside = rc.PtInRect(point);
    BOOL bPushed = (GetState() & BST_PUSHED) != 0;
    BOOL bChanged = FALSE;
    if (bInside && !m_bHot) {
        m_bHot = TRUE;
        bChanged = TRUE;
    }
    else if (!bInside && m_bHot && !bPushed) {
        m_bHot = FALSE;
        bChanged = TRUE;
    }
    BOOL bThemed = IsThemedDrawing();
    if (bChanged && bThemed) {
        Invalidate();
        UpdateWindow();
    }

    if (m_bFlat) {
        if (bInside && !bPushed) {
            if (GetCapture() != this)
                SetCapture();
            if (!bThemed) {
                CWindowDC dc(this);
                dc.Draw3dRect(&rc, s_colours.highlight, s_colours.shadow);
            }
        }
        else if (!bInside && !bPushed) {
            if (!bThemed) {
                CWindowDC dc(this);
                dc.Draw3dRect(&rc, s_colours.face, s_colours.face);
            }
            if (GetCapture() == this)
                ::ReleaseCapture();
        }
        Default();
        return;
    }
    if (!(nFlags & MK_LBUTTON)) {
        if (bInside) {
            if (GetCapture() != this)
                SetCapture();
        }
        else if (GetCapture() == this) {
            ::ReleaseCapture();
        }
    }
    Default();
}

void OZWOwnerDrawButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click is a second press.
    SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void OZWOwnerDrawButton::OnSetFocus(CWnd* pOldWnd)
{
    m_dwSavedDefId = 0;
    CWnd* pParent = GetParent();
    if (pParent != nullptr) {
        DWORD dwDefId = (DWORD)pParent->SendMessage(DM_GETDEFID);
        if (HIWORD(dwDefId) == DC_HASDEFID) {
            // The old default button must exist and be another window.
            HWND hOldDefault = ::GetDlgItem(pParent->m_hWnd, LOWORD(dwDefId));
            if (hOldDefault != nullptr && hOldDefault != m_hWnd) {
                m_dwSavedDefId = dwDefId;
                // Its style as it was: the dialog takes the default look
                // from it as soon as it hears of the new default id.
                m_dwOldDefStyle = (DWORD)::GetWindowLong(hOldDefault, GWL_STYLE);
                pParent->SendMessage(DM_SETDEFID, (WPARAM)GetDlgCtrlID());
                ::SendMessage(hOldDefault, BM_SETSTYLE, (WPARAM)(m_dwOldDefStyle & 0xFFFF & ~BS_DEFPUSHBUTTON), TRUE);
                ::InvalidateRect(hOldDefault, nullptr, TRUE);
                ::UpdateWindow(hOldDefault);
            }
        }
    }
    CButton::OnSetFocus(pOldWnd);
}

void OZWOwnerDrawButton::OnKillFocus(CWnd* pNewWnd)
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr && HIWORD(m_dwSavedDefId) == DC_HASDEFID) {
        pParent->SendMessage(DM_SETDEFID, LOWORD(m_dwSavedDefId));
        HWND hOldDefault = ::GetDlgItem(pParent->m_hWnd, LOWORD(m_dwSavedDefId));
        if (hOldDefault != nullptr) {
            ::SendMessage(hOldDefault, BM_SETSTYLE, (WPARAM)(m_dwOldDefStyle & 0xFFFF), TRUE);
            ::InvalidateRect(hOldDefault, nullptr, TRUE);
            ::UpdateWindow(hOldDefault);
        }
    }
    m_dwSavedDefId = 0;
    CButton::OnKillFocus(pNewWnd);
}

} // namespace foundation
} // namespace dedaride
