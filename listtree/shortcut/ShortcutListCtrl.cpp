#include "listtree/shortcut/ShortcutListCtrl.h"

#include "listtree/shortcut/ShortcutRes.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

IMPLEMENT_DYNCREATE(OZWShortcutListCtrl, OZWListCtrl)

BEGIN_MESSAGE_MAP(OZWShortcutListCtrl, OZWListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_KILLFOCUS()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_OZWSHORTCUT_LARGEICON, OnLargeIcons)
    ON_COMMAND(ID_OZWSHORTCUT_SMALLICON, OnSmallIcons)
END_MESSAGE_MAP()

namespace {

// The text of the item being dragged: the payload points to it while the
// drag runs.
std::string g_dragText;

} // namespace

CLIPFORMAT OZWShortcutListCtrl::GetClipboardFormat()
{
    static const CLIPFORMAT cf = (CLIPFORMAT)::RegisterClipboardFormatA("OZW_CF_LISTCTRL");
    return cf;
}

const GUID& OZWShortcutListCtrl::GetProcessGuid()
{
    static GUID guid = [] {
        GUID g = {};
        ::CoCreateGuid(&g);
        return g;
    }();
    return guid;
}

OZWShortcutListCtrl::OZWShortcutListCtrl() = default;

OZWShortcutListCtrl::~OZWShortcutListCtrl()
{
    delete m_pDropTarget;
    delete m_pUpButton;
    delete m_pDownButton;
}

OZWShortcutListCtrl::ListDropTarget* OZWShortcutListCtrl::NewDropTarget()
{
    return new ListDropTarget;
}

OZWShortcutListCtrl::ScrollButton* OZWShortcutListCtrl::NewUpButton()
{
    return new ScrollButton(1);
}

OZWShortcutListCtrl::ScrollButton* OZWShortcutListCtrl::NewDownButton()
{
    return new ScrollButton(0);
}

int OZWShortcutListCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (OZWListCtrl::OnCreate(lpcs) == -1)
        return -1;
    m_pDropTarget = NewDropTarget();
    m_pUpButton = NewUpButton();
    m_pDownButton = NewDownButton();
    ApplyColors();
    if (GetClipboardFormat() != 0) {
        m_pDropTarget->m_pOwner = this;
        m_pDropTarget->Register(this);
        GetProcessGuid();
    }
    ModifyListStyle(0, OZWLS_NOSCROLL | OZWLS_SHAREIMAGELISTS, FALSE);
    ModifyListStyleEx(0, OZWLS_EX_LASTCOLFILLS, FALSE);
    return 0;
}

void OZWShortcutListCtrl::OnDestroy()
{
    if (m_pDropTarget != nullptr) {
        m_pDropTarget->m_pOwner = nullptr;
        m_pDropTarget->Revoke();
    }
    StopTimer(m_nHoverTimer, HoverTimerId);
    KillEditTimer();
    OZWListCtrl::OnDestroy();
}

void OZWShortcutListCtrl::ApplyColors()
{
    if (m_bThemedColors) {
        const COLORREF c1 = UXGetDNETColor(2);
        const COLORREF c0 = UXIsOfc2003StyleEnabled() ? UXGetO2K3Color(2) : UXGetDNETColor(0);
        SetBkColor(c0);
        OZWListModel::SetTextColor(c1);
        SetTextBkColor(c0);
        SetSelTextColor(c1);
        SetSelBkColor(RGB(255, 0, 0));
    } else {
        SetBkColor(::GetSysColor(COLOR_BTNSHADOW));
        OZWListModel::SetTextColor(RGB(255, 255, 255));
        SetTextBkColor(::GetSysColor(COLOR_INACTIVECAPTION));
        SetSelTextColor(RGB(255, 255, 255));
        SetSelBkColor(::GetSysColor(COLOR_INACTIVECAPTION));
    }
}

void OZWShortcutListCtrl::OnSysColorChange()
{
    OZWListCtrl::OnSysColorChange();
    ApplyColors();
    Invalidate();
}

BOOL OZWShortcutListCtrl::SetTextColor(COLORREF cr)
{
    OZWListModel::SetTextColor(cr);
    return SetSelTextColor(cr);
}

void OZWShortcutListCtrl::RemeasureAll()
{
    for (int i = 0; i < GetItemCount(); ++i) {
        GetItemRecord(i)->m_nHeight = -1;
        GetItemRecord(i)->m_bNeedsMeasure = TRUE;
    }
}

BOOL OZWShortcutListCtrl::DeleteItems(int nIndex, int nCount)
{
    m_nHotItem = -1;
    return OZWListCtrl::DeleteItems(nIndex, nCount);
}

BOOL OZWShortcutListCtrl::DeleteAllItems()
{
    m_nHotItem = -1;
    return OZWListCtrl::DeleteAllItems();
}

void OZWShortcutListCtrl::RedrawItem(int nItem, BOOL, BOOL bA, BOOL bB)
{
    OZWListCtrl::RedrawItem(nItem, FALSE, bA, bB, FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Layout, hit test and drawing

void OZWShortcutListCtrl::LayoutScrollBars()
{
    OZWListCtrl::LayoutScrollBars();
    if (m_pUpButton == nullptr || m_hWnd == nullptr)
        return;
    static const int w = ::GetSystemMetrics(SM_CXVSCROLL), h = ::GetSystemMetrics(SM_CYVSCROLL);
    CRect rc;
    GetClientRect(&rc);
    m_pUpButton->m_rect.SetRect(rc.right - w - 5, rc.top + 5, rc.right - 5, rc.top + 5 + h);
    m_pDownButton->m_rect.SetRect(rc.right - w - 5, rc.bottom - h - 5, rc.right - 5, rc.bottom - 5);
}

BOOL OZWShortcutListCtrl::IsUpButtonShown()
{
    return GetItemCount() > 0 && m_nTopIndex > 0;
}

BOOL OZWShortcutListCtrl::IsDownButtonShown()
{
    return GetItemCount() > 0 && GetLastFullyVisible() < GetItemCount() - 1;
}

void OZWShortcutListCtrl::GetItemParts(int nItem, const CRect& rcBand, CRect& rcIcon, CRect& rcLabel)
{
    const OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr) {
        rcIcon.SetRectEmpty();
        rcLabel.SetRectEmpty();
        return;
    }
    const int nTop = rcBand.top + GetRowSpacing();
    const int wIcon = pItem->m_rcIcon.Width(), hIcon = pItem->m_rcIcon.Height();
    const int xIcon = rcBand.left + (rcBand.Width() - wIcon) / 2;
    rcIcon.SetRect(xIcon, nTop + pItem->m_rcIcon.top, xIcon + wIcon, nTop + pItem->m_rcIcon.top + hIcon);
    const int wLabel = std::min<int>(pItem->m_rcLabel.Width(), std::max(0, rcBand.Width() - 11));
    const int xLabel = rcBand.left + (rcBand.Width() - wLabel) / 2;
    rcLabel.SetRect(xLabel, nTop + pItem->m_rcLabel.top, xLabel + wLabel, nTop + pItem->m_rcLabel.bottom);
}

int OZWShortcutListCtrl::HitTest(int x, int y, UINT* pFlags, int* pnColumn)
{
    const CPoint pt(x, y);
    if (pnColumn != nullptr)
        *pnColumn = 0;
    if (m_pUpButton != nullptr && IsUpButtonShown() && m_pUpButton->m_rect.PtInRect(pt)) {
        if (pFlags)
            *pFlags = OZWHT_NOWHERE;
        return OZWSLHT_UPBUTTON;
    }
    if (m_pDownButton != nullptr && IsDownButtonShown() && m_pDownButton->m_rect.PtInRect(pt)) {
        if (pFlags)
            *pFlags = OZWHT_NOWHERE;
        return OZWSLHT_DOWNBUTTON;
    }
    if (GetViewMode() != OZWLS_ICON)
        return OZWListCtrl::HitTest(x, y, pFlags, pnColumn);
    CRect inside;
    GetInsideRect(&inside);
    UINT nFlags = 0;
    if (x >= inside.right)
        nFlags = OZWHT_TORIGHT;
    else if (x < inside.left)
        nFlags = OZWHT_TOLEFT;
    else if (y < inside.top)
        nFlags = OZWHT_ABOVE;
    else if (y >= inside.bottom)
        nFlags = OZWHT_BELOW;
    if (nFlags != 0) {
        if (pFlags)
            *pFlags = nFlags;
        return -1;
    }
    int nTop = inside.top;
    for (int i = m_nTopIndex; i < GetItemCount() && nTop < inside.bottom; ++i) {
        const int nPitch = GetRowPitch(i);
        const CRect band(inside.left - m_nHorzOffset, nTop, inside.right - m_nHorzOffset, nTop + nPitch);
        if (band.PtInRect(pt)) {
            CRect icon, label;
            GetItemParts(i, band, icon, label);
            if (label.PtInRect(pt))
                nFlags = OZWHT_ONLABEL;
            else if (icon.PtInRect(pt))
                nFlags = OZWHT_ONICON;
            else if (y >= label.top && y < label.bottom && x < label.left)
                nFlags = OZWHT_LEFTOFLABEL;
            else if (y >= label.top && y < label.bottom && x >= label.right)
                nFlags = OZWHT_RIGHTOFLABEL;
            if (pFlags)
                *pFlags = nFlags != 0 ? nFlags : OZWHT_NOWHERE;
            return i;
        }
        nTop += nPitch;
    }
    if (pFlags)
        *pFlags = OZWHT_NOWHERE;
    return -1;
}

void OZWShortcutListCtrl::DrawItems(OZWListPaintContext* pCtx)
{
    OZWListCtrl::DrawItems(pCtx);
    if (GetItemCount() > 0)
        DrawScrollButtons(pCtx, m_nTopIndex);
}

void OZWShortcutListCtrl::DrawSubItemImage(OZWListPaintContext* pCtx)
{
    const BOOL bLarge = pCtx->m_nViewMode == OZWLS_ICON;
    CImageList* pList = m_pImageLists[bLarge ? LVSIL_NORMAL : LVSIL_SMALL];
    if (pList == nullptr || pList->m_hImageList == nullptr || pCtx->m_item.iImage < 0)
        return;
    const CRect& icon = pCtx->m_pItem->m_rcIcon;
    const CRect& cell = pCtx->m_rcCell;
    const int x = bLarge ? cell.left + (cell.Width() - icon.Width()) / 2 : cell.left + icon.left;
    const int y = cell.top + icon.top;
    CDC* pDC = pCtx->m_pDC;
    const UINT nHot = GetItemRecord(pCtx->m_item.iItem)->m_nState & OZWSLIS_HOTMASK;
    COLORREF crTopLeft = GetBkColor(), crBottomRight = GetBkColor();
    if (m_bThemedColors) {
        if (nHot & OZWSLIS_HOT)
            crTopLeft = crBottomRight = UXGetDNETColor(6);
        else if (nHot & OZWSLIS_PRESSED)
            crTopLeft = crBottomRight = UXGetDNETColor(8);
    } else if (nHot & OZWSLIS_HOT) {
        crTopLeft = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        crBottomRight = RGB(0, 0, 0);
    } else if (nHot & OZWSLIS_PRESSED) {
        crTopLeft = RGB(0, 0, 0);
        crBottomRight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    }
    const int nShrink = m_bThemedColors ? 1 : 0;
    pDC->Draw3dRect(x - 1, y - 1, icon.Width() + 3 - nShrink, icon.Height() + 3 - nShrink, crTopLeft, crBottomRight);
    COLORREF crOldBk = CLR_NONE;
    if (m_bThemedColors && nHot != 0) {
        COLORREF crBk = UXIsOfc2003StyleEnabled() ? UXGetO2K3Color(3) : UXGetDNETColor(5);
        if (nHot & OZWSLIS_PRESSED)
            crBk = UXIsOfc2003StyleEnabled() ? UXAdjustHSL(UXGetO2K3Color(3), 0.0f, 0.45f, -0.3f) : UXGetDNETColor(7);
        crOldBk = pList->SetBkColor(crBk);
    }
    pList->Draw(pDC, pCtx->m_item.iImage, CPoint(x, y), ILD_NORMAL);
    if (m_bThemedColors && nHot != 0)
        pList->SetBkColor(crOldBk);
}

void OZWShortcutListCtrl::MeasureText(OZWListPaintContext* pCtx, CRect& rc)
{
    if (pCtx->m_nViewMode != OZWLS_ICON || pCtx->m_item.iSubItem != 0) {
        OZWListCtrl::MeasureText(pCtx, rc);
        return;
    }
    const int nWidth = std::max(1, (pCtx->m_pColumn != nullptr ? pCtx->m_pColumn->m_nWidth : 0) - 11);
    LPCSTR psz = ozwlist::IsOwned(pCtx->m_item.pszText) ? pCtx->m_item.pszText : "";
    const int n = (int)std::strlen(psz);
    CRect calc(0, 0, nWidth, 0);
    HGDIOBJ hOld = pCtx->m_pFont != nullptr ? ::SelectObject(pCtx->m_pDC->m_hDC, pCtx->m_pFont->m_hObject) : nullptr;
    pCtx->m_pDC->DrawText(n > 0 ? psz : " ", n > 0 ? n : 1, &calc,
                DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_CENTER);
    if (hOld != nullptr)
        ::SelectObject(pCtx->m_pDC->m_hDC, hOld);
    const int nTop = pCtx->m_pItem->m_rcIcon.IsRectEmpty() ? 2 : pCtx->m_pItem->m_rcIcon.bottom + 2;
    rc.SetRect(6, nTop, 6 + (n > 0 ? calc.Width() : 0), nTop + calc.Height());
}

void OZWShortcutListCtrl::DrawSubItemText(OZWListPaintContext* pCtx)
{
    CDC* pDC = pCtx->m_pDC;
    const CRect& cell = pCtx->m_rcCell;
    const CRect& icon = pCtx->m_pItem->m_rcIcon;
    const CRect& label = pCtx->m_pItem->m_rcLabel;
    LPCSTR psz = ozwlist::IsOwned(pCtx->m_item.pszText) ? pCtx->m_item.pszText : "";
    int nLength = (int)std::strlen(psz);
    CRect text;
    UINT nFormat;
    if (pCtx->m_nViewMode == OZWLS_ICON) {
        text.SetRect(cell.left + 6, cell.top + label.top, cell.right - 5, cell.bottom);
        nFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
        if (label.Width() > text.Width()) {
            nFormat |= DT_SINGLELINE | DT_END_ELLIPSIS;
            text.right = std::min(text.right, cell.right);
        }
    } else {
        CRect client;
        GetClientRect(&client);
        text.SetRect(cell.left + icon.right + 4, cell.top + 3, 0, cell.bottom + 3);
        text.right = (m_dwListStyle & OZWLS_NOLABELWRAP) ? client.right : text.left + label.Width();
        nFormat = DT_WORDBREAK | DT_NOPREFIX;
        nFormat |= OZWListColumn::AlignFlags(pCtx->m_pColumn);
    }
    if (m_dwListStyle & OZWLS_NOLABELWRAP) {
        if (const char* pLF = std::strchr(psz, '\n'))
            nLength = (int)(pLF - psz) + 1;
        nFormat |= DT_SINGLELINE | DT_END_ELLIPSIS;
    }
    HGDIOBJ hOld = pCtx->m_pFont != nullptr ? ::SelectObject(pDC->m_hDC, pCtx->m_pFont->m_hObject) : nullptr;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pCtx->m_crText);
    const BOOL bEdited = pCtx->m_item.iItem == m_nEditItem && pCtx->m_nColumn == m_nEditColumn;
    if (!bEdited)
        pDC->DrawText(psz, nLength, &text, nFormat);
    if (hOld != nullptr)
        ::SelectObject(pDC->m_hDC, hOld);
}

void OZWShortcutListCtrl::ScrollButton::Draw(CDC* pDC)
{
    if (UXIsAppThemed() && UXIsThemeActive()) {
        if (HTHEME hTheme = UXOpenThemeData(UXGetSafeHwnd(), "scrollbar")) {
            const int nState = m_nDirection == 1 ? (IsPressed() ? 3 : 1) : (IsPressed() ? 7 : 5);
            const HRESULT hr = UXDrawThemeBackground(hTheme, pDC->m_hDC, 1, nState, &m_rect, nullptr);
            UXCloseThemeData(hTheme);
            if (SUCCEEDED(hr))
                return;
        }
    }
    CRect rc = m_rect;
    pDC->DrawFrameControl(&rc, DFC_SCROLL,
                          (m_nDirection == 1 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | (IsPressed() ? DFCS_PUSHED : 0));
}

void OZWShortcutListCtrl::DrawScrollButtons(OZWListPaintContext* pCtx, int nScrollPos)
{
    CDC* pDC = pCtx->m_pDC;
    // The rows are clipped to their area; the buttons draw over it all.
    const int nSaved = pDC->SaveDC();
    pDC->SelectClipRgn(nullptr);
    if (nScrollPos > 0 && m_pUpButton != nullptr && pDC->RectVisible(&m_pUpButton->m_rect))
        m_pUpButton->Draw(pDC);
    if (IsDownButtonShown() && m_pDownButton != nullptr && pDC->RectVisible(&m_pDownButton->m_rect))
        m_pDownButton->Draw(pDC);
    pDC->RestoreDC(nSaved);
}

/////////////////////////////////////////////////////////////////////////////
// Hot and pressed items

UINT OZWShortcutListCtrl::GetHotState(int nItem)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    return pItem != nullptr ? pItem->m_nState & OZWSLIS_HOTMASK : 0;
}

void OZWShortcutListCtrl::SetHotState(int nItem, UINT nBits)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr)
        return;
    const UINT nNow = pItem->m_nState & OZWSLIS_HOTMASK;
    if (nBits != 0 ? nNow == nBits : nNow == 0)
        return;
    SetItemState(nItem, nBits, OZWSLIS_HOTMASK);
    Invalidate(FALSE);
}

LRESULT OZWShortcutListCtrl::NotifyItem(UINT nCode, const LVITEMA* pItem)
{
    OZWSLNOTIFY nm = {};
    FillHeader(nm.hdr, (int)nCode);
    nm.iItem = pItem != nullptr ? pItem->iItem : -1;
    m_lLastNotifyResult = SendNotify(&nm.hdr);
    return m_lLastNotifyResult;
}

/////////////////////////////////////////////////////////////////////////////
// Scrolling

void OZWShortcutListCtrl::RestartHoverTimer()
{
    StopTimer(m_nHoverTimer, HoverTimerId);
    if (m_hWnd != nullptr)
        m_nHoverTimer = SetTimer(HoverTimerId, HoverInterval, nullptr);
}

void OZWShortcutListCtrl::ScrollUp()
{
    CScrollBar* pBar = GetScrollBarCtrl(SB_VERT);
    SendMessage(WM_VSCROLL, SB_LINEUP, (LPARAM)(pBar != nullptr ? pBar->m_hWnd : nullptr));
    Invalidate();
    RestartHoverTimer();
}

void OZWShortcutListCtrl::ScrollDown()
{
    CScrollBar* pBar = GetScrollBarCtrl(SB_VERT);
    SendMessage(WM_VSCROLL, SB_LINEDOWN, (LPARAM)(pBar != nullptr ? pBar->m_hWnd : nullptr));
    Invalidate();
    RestartHoverTimer();
}

BOOL OZWShortcutListCtrl::OnMouseWheel(UINT, short zDelta, CPoint pt)
{
    CRect rc;
    GetWindowRect(&rc);
    if (rc.PtInRect(pt)) {
        if (zDelta >= 0)
            ScrollUp();
        else
            ScrollDown();
    }
    m_nLastWheelDelta = zDelta;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

void OZWShortcutListCtrl::OnLButtonDown(UINT, CPoint point)
{
    m_ptDown = point;
    UINT nFlags = 0;
    const int nHit = HitTest(point.x, point.y, &nFlags, nullptr);
    if (nHit == OZWSLHT_UPBUTTON || nHit == OZWSLHT_DOWNBUTTON) {
        ScrollButton* pButton = nHit == OZWSLHT_UPBUTTON ? m_pUpButton : m_pDownButton;
        pButton->m_nFlags |= 1;
        InvalidateRect(&pButton->m_rect, FALSE);
        if (nHit == OZWSLHT_UPBUTTON)
            ScrollUp();
        else
            ScrollDown();
        return;
    }
    if (nHit >= 0) {
        if (m_nHotItem >= 0)
            SetHotState(m_nHotItem, 0);
        SetHotState(nHit, (nFlags & (OZWHT_ONICON | OZWHT_ONLABEL)) ? OZWSLIS_PRESSED : 0);
    }
}

void OZWShortcutListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (nFlags & MK_LBUTTON)
        OnLButtonDown(nFlags, point);
}

void OZWShortcutListCtrl::OnLButtonUp(UINT, CPoint point)
{
    if (m_ptDown == CPoint(-1, -1))
        return;
    m_ptDown = CPoint(-1, -1);
    for (ScrollButton* pButton : { m_pUpButton, m_pDownButton }) {
        if (pButton != nullptr && pButton->IsPressed() && pButton->m_rect.PtInRect(point)) {
            pButton->m_nFlags &= ~1u;
            InvalidateRect(&pButton->m_rect, FALSE);
            return;
        }
    }
    UINT nFlags = 0;
    const int nHit = HitTest(point.x, point.y, &nFlags, nullptr);
    if (nHit < 0)
        return;
    const BOOL bOnItem = (nFlags & (OZWHT_ONICON | OZWHT_ONLABEL)) != 0;
    SetHotState(nHit, bOnItem ? OZWSLIS_HOT : 0);
    if (bOnItem)
        m_nHotItem = nHit;
    NotifyCode(NM_CLICK);
    if (bOnItem) {
        LVITEMA item = {};
        item.iItem = nHit;
        NotifyItem(OZWSLN_ITEMCLICK, &item);
    }
}

void OZWShortcutListCtrl::OnMButtonDown(UINT, CPoint)
{
    SetFocus();
}

void OZWShortcutListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    UINT nHit = 0;
    const int nItem = HitTest(point.x, point.y, &nHit, nullptr);
    const BOOL bOnItem = nItem >= 0 && (nHit & (OZWHT_ONICON | OZWHT_ONLABEL));
    if (!bOnItem) {
        for (int i = 0; i < GetItemCount(); ++i)
            if (GetItemRecord(i)->m_nState & OZWSLIS_HOTMASK)
                SetItemState(i, 0, OZWSLIS_HOTMASK);
        Invalidate(FALSE);
    }
    if (nFlags & MK_LBUTTON) {
        for (ScrollButton* pButton : { m_pUpButton, m_pDownButton })
            if (pButton != nullptr && !pButton->m_rect.PtInRect(point))
                pButton->m_nFlags &= ~1u;
        if (m_pUpButton != nullptr) {
            InvalidateRect(&m_pUpButton->m_rect, FALSE);
            InvalidateRect(&m_pDownButton->m_rect, FALSE);
        }
    }
    if (nItem < 0) {
        m_nHotItem = -1;
        return;
    }
    if (!(nFlags & MK_LBUTTON) || !bOnItem) {
        if (nItem != m_nHotItem) {
            if (m_nHotItem >= 0)
                SetHotState(m_nHotItem, 0);
            m_nHotItem = nItem;
            RestartHoverTimer();
        }
        SetHotState(nItem, bOnItem ? OZWSLIS_HOT : 0);
        return;
    }
    // The button is held on an icon or label: a drag once the point leaves
    // the 10 x 10 square around where it was pressed.
    if (m_ptDown != CPoint(-1, -1) && point != m_ptDown &&
        (std::abs(point.x - m_ptDown.x) > 5 || std::abs(point.y - m_ptDown.y) > 5))
        StartDrag(nItem);
}

void OZWShortcutListCtrl::StartDrag(int nItem)
{
    if (GetClipboardFormat() == 0)
        return;
    OZWListItem* pRecord = GetItemRecord(nItem);
    if (pRecord == nullptr)
        return;
    COleDataSource source;
    LVITEMA item = {};
    item.iItem = nItem;
    if (!PrepareDragData(&source, &item))
        return;
    m_ptDown = CPoint(-1, -1);
    const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_MOVE);
    if (effect == DROPEFFECT_MOVE) {
        m_nHotItem = -1;
        // The dragged record goes, wherever the drop put the copy (a drop
        // into this list in front of it moves it down).
        DeleteItemRecord(pRecord);
        RecalcLayout();
        Invalidate();
    }
}

BOOL OZWShortcutListCtrl::PrepareDragData(COleDataSource* pSource, LVITEMA* pItem)
{
    char buffer[OZWLIST_TEXTBUFFER] = {};
    pItem->mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    pItem->pszText = buffer;
    pItem->cchTextMax = sizeof buffer;
    GetItem(pItem, TRUE, TRUE);
    g_dragText = ozwlist::IsOwned(pItem->pszText) ? pItem->pszText : "";
    pItem->pszText = const_cast<char*>(g_dragText.c_str());
    pItem->cchTextMax = (int)g_dragText.size() + 1;
    SetItemState(pItem->iItem, 0, OZWSLIS_HOTMASK);
    Invalidate(FALSE);
    HGLOBAL hPayload = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, PayloadSize);
    if (hPayload == nullptr)
        return FALSE;
    auto* p = static_cast<BYTE*>(::GlobalLock(hPayload));
    std::memcpy(p, &GetProcessGuid(), sizeof(GUID));
    std::memcpy(p + sizeof(GUID), pItem, sizeof(LVITEMA));
    ::GlobalUnlock(hPayload);
    pSource->CacheGlobalData(GetClipboardFormat(), hPayload);
    return TRUE;
}

void OZWShortcutListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != HoverTimerId) {
        OZWListCtrl::OnTimer(nIDEvent);
        return;
    }
    StopTimer(m_nHoverTimer, HoverTimerId);
    POINT pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    if (!rc.PtInRect(pt)) {
        if (m_nHotItem >= 0)
            SetHotState(m_nHotItem, 0);
        Invalidate(FALSE);
        return;
    }
    ScreenToClient(&pt);
    // A held scroll button scrolls on (and restarts the timer).
    if (m_pUpButton != nullptr && m_pUpButton->IsPressed() && m_pUpButton->m_rect.PtInRect(pt))
        ScrollUp();
    else if (m_pDownButton != nullptr && m_pDownButton->IsPressed() && m_pDownButton->m_rect.PtInRect(pt))
        ScrollDown();
}

void OZWShortcutListCtrl::OnKillFocus(CWnd* pNewWnd)
{
    OZWListCtrl::OnKillFocus(pNewWnd);
    if (m_nHotItem >= 0 && GetItemRecord(m_nHotItem) != nullptr)
        SetItemState(m_nHotItem, 0, OZWSLIS_HOTMASK);
    Invalidate(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Context menu

void OZWShortcutListCtrl::OnContextMenuPrepare(CMenu*) {}

void OZWShortcutListCtrl::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_OZWSHORTCUTLIST_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    const int nView = GetViewMode();
    pPopup->CheckMenuItem(ID_OZWSHORTCUT_LARGEICON, MF_BYCOMMAND | (nView == 0 ? MF_CHECKED : MF_UNCHECKED));
    pPopup->CheckMenuItem(ID_OZWSHORTCUT_SMALLICON, MF_BYCOMMAND | (nView == 1 ? MF_CHECKED : MF_UNCHECKED));
    OnContextMenuPrepare(pPopup);
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
    menu.DestroyMenu();
}

void OZWShortcutListCtrl::OnLargeIcons()
{
    ModifyListStyle(OZWLS_VIEWMASK, OZWLS_ICON, TRUE);
    RemeasureAll();
}

void OZWShortcutListCtrl::OnSmallIcons()
{
    ModifyListStyle(OZWLS_VIEWMASK, OZWLS_REPORT, TRUE);
    RemeasureAll();
}

/////////////////////////////////////////////////////////////////////////////
// Dropping

BOOL OZWShortcutListCtrl::GetGapAt(CPoint point, int* pnPosition, CRect* pBand, int* pnItemAbove)
{
    CRect inside;
    GetInsideRect(&inside);
    const int nGap = GetRowSpacing();
    int nTop = inside.top;
    int nPosition = -1, nAbove = -1;
    CRect band(inside.left, inside.top, inside.right, inside.top + nGap);
    BOOL bFound = GetItemCount() == 0;
    for (int i = m_nTopIndex; !bFound && i < GetItemCount(); ++i) {
        const int nPitch = GetRowPitch(i);
        if (point.y >= nTop && point.y < nTop + nGap) {
            // The gap above item i.
            band.SetRect(inside.left, nTop, inside.right, nTop + nGap);
            nPosition = i == 0 ? -1 : i;
            nAbove = i - 1;
            bFound = TRUE;
            break;
        }
        if (point.y >= nTop + nGap && point.y < nTop + nPitch)
            return FALSE; // over the item
        nTop += nPitch;
        if (i == GetItemCount() - 1 && point.y >= nTop) {
            band.SetRect(inside.left, nTop, inside.right, nTop + nGap);
            nPosition = -2;
            nAbove = i;
            bFound = TRUE;
        }
    }
    if (!bFound)
        return FALSE;
    if (pnPosition)
        *pnPosition = nPosition;
    if (pBand)
        *pBand = band;
    if (pnItemAbove)
        *pnItemAbove = nAbove;
    return TRUE;
}

BOOL OZWShortcutListCtrl::DropPayload(HGLOBAL hPayload, CPoint point)
{
    int nAbove = -1;
    if (hPayload == nullptr || ::GlobalSize(hPayload) < (SIZE_T)PayloadSize || !GetGapAt(point, nullptr, nullptr, &nAbove))
        return FALSE;
    const auto* p = static_cast<const BYTE*>(::GlobalLock(hPayload));
    if (p == nullptr)
        return FALSE;
    if (std::memcmp(p, &GetProcessGuid(), sizeof(GUID)) != 0) {
        ::GlobalUnlock(hPayload);
        return FALSE;
    }
    LVITEMA item;
    std::memcpy(&item, p + sizeof(GUID), sizeof(LVITEMA));
    item.mask &= LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    CImageList* pList = m_pImageLists[GetViewMode() == OZWLS_ICON ? LVSIL_NORMAL : LVSIL_SMALL];
    const int nImages = pList != nullptr ? pList->GetImageCount() : 0;
    if (item.iImage >= nImages || item.iImage < -1)
        item.iImage = 0;
    InsertItemAfter(GetItemRecord(nAbove), &item);
    ::GlobalUnlock(hPayload);
    RecalcLayout();
    Invalidate();
    NotifyCode(OZWSLN_DROPPED);
    return TRUE;
}

POINT* OZWShortcutListCtrl::GetLeftArrow(const CRect& rc, int nPosition)
{
    auto* p = new POINT[3];
    const int L = rc.left, T = rc.top, B = rc.bottom, M = (rc.top + rc.bottom) / 2;
    if (nPosition == -1) {
        p[0] = { L, B - 9 }; p[1] = { L + 8, B - 9 }; p[2] = { L, B - 1 };
    } else if (nPosition == -2) {
        p[0] = { L, T + 9 }; p[1] = { L + 8, T + 9 }; p[2] = { L, T + 1 };
    } else {
        p[0] = { L, M + 4 }; p[1] = { L + 8, M }; p[2] = { L, M - 4 };
    }
    return p;
}

POINT* OZWShortcutListCtrl::GetRightArrow(const CRect& rc, int nPosition)
{
    auto* p = new POINT[3];
    const int R = rc.right, T = rc.top, B = rc.bottom, M = (rc.top + rc.bottom) / 2;
    if (nPosition == -1) {
        p[0] = { R - 1, B - 9 }; p[1] = { R - 9, B - 9 }; p[2] = { R - 1, B - 1 };
    } else if (nPosition == -2) {
        p[0] = { R - 1, T + 9 }; p[1] = { R - 9, T + 9 }; p[2] = { R - 1, T + 1 };
    } else {
        p[0] = { R - 1, M + 4 }; p[1] = { R - 9, M }; p[2] = { R - 1, M - 4 };
    }
    return p;
}

void OZWShortcutListCtrl::DrawInsertMark(CDC* pDC, const CRect& rc, int nPosition)
{
    static CPen s_pen(PS_SOLID, 1, RGB(0, 0, 0));
    static CBrush s_brush(RGB(0, 0, 0));
    std::unique_ptr<POINT[]> left(GetLeftArrow(rc, nPosition));
    std::unique_ptr<POINT[]> right(GetRightArrow(rc, nPosition));
    CPen* pOldPen = pDC->SelectObject(&s_pen);
    CBrush* pOldBrush = pDC->SelectObject(&s_brush);
    pDC->Polygon(left.get(), 3);
    pDC->Polygon(right.get(), 3);
    const int y = left[1].y;
    pDC->MoveTo(left[1].x - 1, y);
    pDC->LineTo(right[1].x + 1, y);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void OZWShortcutListCtrl::ListDropTarget::EraseMark()
{
    if (m_pOwner != nullptr && m_pOwner->m_hWnd != nullptr && !m_rcLastMark.IsRectEmpty()) {
        CClientDC dc(m_pOwner);
        dc.FillSolidRect(&m_rcLastMark, m_pOwner->GetBkColor());
    }
    m_rcLastMark.SetRectEmpty();
}

DROPEFFECT OZWShortcutListCtrl::ListDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD, CPoint)
{
    std::memset(&m_guid, 0, sizeof m_guid);
    const CLIPFORMAT cf = GetClipboardFormat();
    if (pDataObject == nullptr || !pDataObject->IsDataAvailable(cf))
        return DROPEFFECT_NONE;
    if (HGLOBAL h = pDataObject->GetGlobalData(cf)) {
        if (::GlobalSize(h) >= sizeof(GUID)) {
            const void* p = ::GlobalLock(h);
            std::memcpy(&m_guid, p, sizeof(GUID));
            ::GlobalUnlock(h);
        }
        ::GlobalFree(h);
    }
    return m_guid == GetProcessGuid() ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
}

DROPEFFECT OZWShortcutListCtrl::ListDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD, CPoint point)
{
    if (m_pOwner == nullptr || !(m_guid == GetProcessGuid()))
        return DROPEFFECT_NONE;
    EraseMark();
    int nPosition = -1;
    CRect band;
    if (!m_pOwner->GetGapAt(point, &nPosition, &band, nullptr))
        return DROPEFFECT_NONE;
    if (pDataObject == nullptr || !pDataObject->IsDataAvailable(GetClipboardFormat()))
        return DROPEFFECT_NONE;
    CClientDC dc(m_pOwner);
    m_pOwner->DrawInsertMark(&dc, band, nPosition);
    m_rcLastMark = band;
    return DROPEFFECT_MOVE;
}

void OZWShortcutListCtrl::ListDropTarget::OnDragLeave(CWnd*)
{
    EraseMark();
}

BOOL OZWShortcutListCtrl::ListDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT, CPoint point)
{
    if (m_pOwner == nullptr || pDataObject == nullptr || !pDataObject->IsDataAvailable(GetClipboardFormat()))
        return FALSE;
    HGLOBAL h = pDataObject->GetGlobalData(GetClipboardFormat());
    const BOOL bDropped = m_pOwner->DropPayload(h, point);
    if (h != nullptr)
        ::GlobalFree(h);
    m_rcLastMark.SetRectEmpty();
    std::memset(&m_guid, 0, sizeof m_guid);
    return bDropped;
}
