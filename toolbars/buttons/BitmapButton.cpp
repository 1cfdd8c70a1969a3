#include "toolbars/buttons/BitmapButton.h"
#include "toolbars/buttons/ButtonTheme.h"
#include "toolbars/buttons/ButtonsRes.h"
#include "toolbars/buttons/SysColorBitmap.h"

#include <algorithm>

namespace dedaride {
namespace foundation {

/////////////////////////////////////////////////////////////////////////////
// OZWBitmapButton

IMPLEMENT_DYNAMIC(OZWBitmapButton, OZWOwnerDrawButton)

BEGIN_MESSAGE_MAP(OZWBitmapButton, OZWOwnerDrawButton)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

OZWBitmapButton::OZWBitmapButton() = default;
OZWBitmapButton::~OZWBitmapButton() = default;

void OZWBitmapButton::RememberBitmap(LPCTSTR lpszBitmap)
{
    if (IS_INTRESOURCE(lpszBitmap)) {
        m_nBitmapId = (UINT_PTR)lpszBitmap;
        m_strBitmapName.clear();
    }
    else {
        m_nBitmapId = 0;
        m_strBitmapName = lpszBitmap;
    }
}

LPCTSTR OZWBitmapButton::BitmapName() const
{
    return m_nBitmapId != 0 ? MAKEINTRESOURCE(m_nBitmapId) : m_strBitmapName.c_str();
}

BOOL OZWBitmapButton::LoadBitmapResource(LPCTSTR lpszBitmap)
{
    return LoadSysColorBitmap(&m_bitmap, lpszBitmap);
}

BOOL OZWBitmapButton::AttachButton(UINT nID, UINT nAlign, LPCTSTR lpszBitmap, CWnd* pParent, DWORD dwExtraStyle)
{
    if (!LoadBitmapResource(lpszBitmap))
        return FALSE;
    RememberBitmap(lpszBitmap);
    m_nAlign = nAlign;
    if (!OZWOwnerDrawButton::SubclassDlgItem(nID, pParent, dwExtraStyle))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

BOOL OZWBitmapButton::AttachButton(UINT nID, UINT nAlign, UINT nBitmapID, CWnd* pParent, DWORD dwExtraStyle)
{
    return AttachButton(nID, nAlign, MAKEINTRESOURCE(nBitmapID), pParent, dwExtraStyle);
}

BOOL OZWBitmapButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, UINT nAlign, LPCTSTR lpszBitmap, const RECT& rect,
                             CWnd* pParent, UINT nID, DWORD dwExtraStyle)
{
    if (!LoadBitmapResource(lpszBitmap))
        return FALSE;
    RememberBitmap(lpszBitmap);
    m_nAlign = nAlign;
    if (!OZWOwnerDrawButton::Create(lpszCaption, dwStyle, rect, pParent, nID, dwExtraStyle))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

BOOL OZWBitmapButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, UINT nAlign, UINT nBitmapID, const RECT& rect,
                             CWnd* pParent, UINT nID, DWORD dwExtraStyle)
{
    return Create(lpszCaption, dwStyle, nAlign, MAKEINTRESOURCE(nBitmapID), rect, pParent, nID, dwExtraStyle);
}

BOOL OZWBitmapButton::SetBitmap(LPCTSTR lpszBitmap)
{
    m_bitmap.DeleteObject();
    if (!LoadBitmapResource(lpszBitmap)) {
        LoadBitmapResource(BitmapName());
        return FALSE;
    }
    RememberBitmap(lpszBitmap);
    if (m_hWnd != nullptr) {
        RecalcLayout();
        Invalidate();
    }
    return TRUE;
}

void OZWBitmapButton::SetMargins(int cx, int cy)
{
    m_cxMargin = cx;
    m_cyMargin = cy;
    if (m_hWnd != nullptr) {
        RecalcLayout();
        Invalidate();
    }
}

CFont* OZWBitmapButton::ButtonFont()
{
    CFont* pFont = m_hWnd != nullptr ? GetFont() : nullptr;
    if (pFont == nullptr || pFont->GetSafeHandle() == nullptr)
        pFont = CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
    return pFont;
}

void OZWBitmapButton::RecalcLayout()
{
    BITMAP bm = {};
    if (m_bitmap.GetSafeHandle() != nullptr)
        m_bitmap.GetBitmap(&bm);
    int w = bm.bmWidth, h = bm.bmHeight;
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    client.right -= 3;
    client.bottom -= 3;
    int W = client.Width(), H = client.Height();
    m_rcBitmap.SetRect(0, 0, w, h);
    m_rcText.SetRect(0, 0, W, H);
    switch (m_nAlign) {
    case BBA_LEFT:
        m_rcBitmap.OffsetRect(m_cxMargin, (H - h) / 2);
        m_rcText.left = m_rcBitmap.right + 1;
        break;
    case BBA_RIGHT:
        m_rcBitmap.OffsetRect(W - m_cxMargin - w, (H - h) / 2);
        m_rcText.right = m_rcBitmap.left - 1;
        break;
    case BBA_TOP:
        m_rcBitmap.OffsetRect((W - w) / 2, m_cyMargin);
        m_rcText.top = m_rcBitmap.bottom + 1;
        break;
    case BBA_BOTTOM:
        m_rcBitmap.OffsetRect((W - w) / 2, H - m_cyMargin - h);
        m_rcText.bottom = m_rcBitmap.top - 1;
        break;
    case BBA_ONLY:
        m_rcBitmap.OffsetRect((W - w) / 2, (H - h) / 2);
        m_rcText.SetRectEmpty();
        break;
    default:
        break;
    }
    CRect bounds(0, 0, W, H);
    m_rcBitmap.IntersectRect(&m_rcBitmap, &bounds);
    if (!m_rcText.IsRectEmpty())
        m_rcText.IntersectRect(&m_rcText, &bounds);
}

void OZWBitmapButton::SizeToContent()
{
    BITMAP bm = {};
    if (m_bitmap.GetSafeHandle() != nullptr)
        m_bitmap.GetBitmap(&bm);
    CSize text(0, 0);
    if (m_nAlign != BBA_ONLY && m_hWnd != nullptr) {
        CString caption;
        GetWindowText(caption);
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(ButtonFont());
        CRect rc(0, 0, 0, 0);
        dc.DrawText(caption, &rc, DT_CALCRECT | DT_SINGLELINE);
        dc.SelectObject(pOldFont);
        text = rc.Size();
    }
    int cx, cy;
    if (m_nAlign == BBA_LEFT || m_nAlign == BBA_RIGHT) {
        cx = bm.bmWidth + text.cx + 5;
        cy = std::max((int)bm.bmHeight, (int)text.cy);
    }
    else {
        cy = bm.bmHeight + text.cy + 5;
        cx = std::max((int)bm.bmWidth, (int)text.cx);
    }
    cx += 2 * m_cxMargin + 3;
    cy += 2 * m_cyMargin + 3;
    SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OZWBitmapButton::DrawTriangle(CDC* pDC, int x, int y, int w, int h, CPen* pPen, CBrush* pBrush)
{
    POINT corners[3] = { { x, y }, { x + w - 1, y }, { x + (w - 1) / 2, y + h - 1 } };
    CPen* pOldPen = pDC->SelectObject(pPen);
    CBrush* pOldBrush = pDC->SelectObject(pBrush);
    int oldFill = pDC->SetPolyFillMode(WINDING);
    pDC->Polygon(corners, 3);
    pDC->SetPolyFillMode(oldFill);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void OZWBitmapButton::DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, CRect& rc)
{
    if (m_bitmap.GetSafeHandle() == nullptr || m_rcBitmap.IsRectEmpty())
        return;
    BOOL bThemed = IsThemedDrawing();
    BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    BOOL bShift = (lpDIS->itemState & ODS_FOCUS) && !m_bFlat && !bThemed;
    CPoint at(rc.left + m_rcBitmap.left, rc.top + m_rcBitmap.top);
    if (bShift)
        at.Offset(-1, -1);
    const Colours& colours = GetColours();
    CDC memDC;
    if (memDC.CreateCompatibleDC(pDC)) {
        CBitmap* pOld = memDC.SelectObject(&m_bitmap);
        int w = m_rcBitmap.Width(), h = m_rcBitmap.Height();
        if (!bThemed)
            pDC->BitBlt(at.x, at.y, w, h, &memDC, 0, 0, SRCCOPY);
        else if (!bDisabled)
            UXDrawDCImage(pDC->GetSafeHdc(), at.x, at.y, w, h, memDC.GetSafeHdc(), 0, 0, colours.face);
        else
            UXDrawDCFullImageShadow(pDC->GetSafeHdc(), at.x, at.y, w, h, memDC.GetSafeHdc(), 0, 0, colours.face,
                                    colours.shadow);
        memDC.SelectObject(pOld);
    }
    if (m_nAlign == BBA_ONLY)
        return;
    CString caption;
    GetWindowText(caption);
    CRect rcText = m_rcText;
    rcText.OffsetRect(rc.left, rc.top);
    if (bShift)
        rcText.OffsetRect(-1, -1);
    CFont* pOldFont = pDC->SelectObject(ButtonFont());
    pDC->SetBkColor(colours.face);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldText =
        pDC->SetTextColor(bThemed && bDisabled ? colours.shadow : ::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(caption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(pOldFont);
}

void OZWBitmapButton::DrawFocusIndicator(CDC* pDC, CRect& rc)
{
    CRect focus;
    if (m_nAlign == BBA_ONLY) {
        focus = m_rcBitmap;
        focus.OffsetRect(rc.left, rc.top);
        focus.InflateRect(3, 3);
    }
    else {
        CString caption;
        GetWindowText(caption);
        CFont* pOldFont = pDC->SelectObject(ButtonFont());
        CRect extent(0, 0, 0, 0);
        pDC->DrawText(caption, &extent, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        pDC->SelectObject(pOldFont);
        CRect rcText = m_rcText;
        rcText.OffsetRect(rc.left, rc.top);
        int left = rcText.left + (rcText.Width() - extent.Width()) / 2;
        int top = rcText.top + (rcText.Height() - extent.Height()) / 2;
        focus.SetRect(left, top, left + extent.Width(), top + extent.Height());
    }
    pDC->DrawFocusRect(&focus);
}

void OZWBitmapButton::OnSysColorChange()
{
    // Reloaded, so that its greys follow the new colours.
    LoadBitmapResource(BitmapName());
    OZWOwnerDrawButton::OnSysColorChange();
}

void OZWBitmapButton::OnSize(UINT, int, int)
{
    Default();
    RecalcLayout();
}

void OZWBitmapButton::OnDestroy()
{
    m_bitmap.DeleteObject();
    Default();
}

/////////////////////////////////////////////////////////////////////////////
// OZWMenuButton

IMPLEMENT_DYNAMIC(OZWMenuButton, OZWBitmapButton)

OZWMenuButton::OZWMenuButton() = default;

OZWMenuButton::~OZWMenuButton()
{
    m_menu.Detach();
}

UINT OZWMenuButton::PrepareMenu(LPCTSTR lpszCaption, HMENU hMenu, BOOL bRight, UINT* pnBitmapID)
{
    SetMenu(hMenu);
    m_bRight = bRight;
    if (pnBitmapID != nullptr)
        *pnBitmapID = bRight ? IDB_OZW_ARROW_RIGHT : IDB_OZW_ARROW_DOWN;
    return (lpszCaption == nullptr || *lpszCaption == '\0') ? BBA_ONLY : BBA_RIGHT;
}

BOOL OZWMenuButton::AttachButton(UINT nID, CWnd* pParent, HMENU hMenu, BOOL bRight, DWORD dwExtraStyle)
{
    char caption[101] = {};
    if (pParent != nullptr)
        ::GetDlgItemTextA(pParent->GetSafeHwnd(), (int)nID, caption, sizeof(caption));
    UINT nBitmapID = 0;
    UINT nAlign = PrepareMenu(caption, hMenu, bRight, &nBitmapID);
    return OZWBitmapButton::AttachButton(nID, nAlign, nBitmapID, pParent, dwExtraStyle);
}

BOOL OZWMenuButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                           HMENU hMenu, BOOL bRight, DWORD dwExtraStyle)
{
    UINT nBitmapID = 0;
    UINT nAlign = PrepareMenu(lpszCaption, hMenu, bRight, &nBitmapID);
    return OZWBitmapButton::Create(lpszCaption, dwStyle, nAlign, nBitmapID, rect, pParent, nID, dwExtraStyle);
}

void OZWMenuButton::SetMenu(HMENU hMenu)
{
    m_menu.Detach();
    if (hMenu != nullptr)
        m_menu.Attach(hMenu);
}

void OZWMenuButton::OnClicked()
{
    if (m_menu.GetSafeHmenu() == nullptr)
        return;
    CRect rc;
    GetWindowRect(&rc);
    CPoint at = m_bRight ? CPoint(rc.right, rc.top) : CPoint(rc.left, rc.bottom);
    m_bPaintEnabled = FALSE;
    CWnd* pOwner = GetParent();
    if (pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CView)) && pOwner->GetParentFrame() != nullptr)
        pOwner = pOwner->GetParentFrame();
    m_bTracking = TRUE;
    m_bKeyClick = FALSE;
    ::TrackPopupMenu(m_menu.GetSafeHmenu(), 0, at.x, at.y, 0, pOwner ? pOwner->GetSafeHwnd() : m_hWnd, nullptr);
    // However the menu ended: a click on this button that closed it stays
    // in the queue and would drop the menu again.
    MSG msg;
    while (::PeekMessageA(&msg, m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) {
    }
    m_bTracking = FALSE;
    m_bPaintEnabled = TRUE;
    m_bHot = FALSE;
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

void OZWMenuButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (m_bPaintEnabled)
        OZWBitmapButton::DrawItem(lpDIS);
}

BOOL OZWMenuButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd) {
        if (pMsg->message == WM_KEYDOWN)
            m_bKeyClick = !m_bTracking;
        else if (pMsg->message == WM_KEYUP && !m_bKeyClick)
            return TRUE;   // the key that ended the menu does not click again
    }
    return OZWBitmapButton::PreTranslateMessage(pMsg);
}

void OZWMenuButton::PostNcDestroy()
{
    m_menu.Detach();
    OZWBitmapButton::PostNcDestroy();
}

} // namespace foundation
} // namespace dedaride
