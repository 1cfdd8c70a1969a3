// The list engine's members: creation, the window hooks of the model,
// attributes, measuring and painting. Included by the two files that build
// the engine's forms (ListCtrl.cpp for the control, ListView.cpp for the
// view); nothing else includes it.
#pragma once

#include "frame/support/OZWMemDC.h"
#include "frame/support/SupportRes.h"
#include "listtree/list/ctrl/ListEngine.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>
#include <cstring>
#include <memory>

template<class TBase>
typename OZWListEngine<TBase>::Shared OZWListEngine<TBase>::s_shared;

/////////////////////////////////////////////////////////////////////////////
// Construction and creation

template<class TBase>
OZWListEngine<TBase>::OZWListEngine()
{
    m_pTip = new OZWListTip(this);
    m_pEdit = new OZWListEdit(this);
    ReadSharedValues(FALSE);
}

template<class TBase>
OZWListEngine<TBase>::~OZWListEngine()
{
    delete m_pTip;
    delete m_pEdit;
    for (int i = 0; i < 2; ++i)
        delete m_pScrollBars[i];
    for (int i = 0; i < 4; ++i)
        if (m_bOwnsImageLists[i])
            delete m_pImageLists[i];
    delete m_pHeaderDragImage;
}

template<class TBase>
void OZWListEngine<TBase>::ReadSharedValues(BOOL bForce)
{
    Shared& s = s_shared;
    if (s.bRead && !bForce)
        return;
    s.bRead = TRUE;
    s.crDisabledBk = ::GetSysColor(COLOR_3DLIGHT);
    s.crNoFocusSelText = ::GetSysColor(COLOR_MENUTEXT);
    s.crCorner = ::GetSysColor(COLOR_BTNFACE);
    s.cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    s.cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    // The drawing objects are made once per process and form.
    if (s.pHorzGridPen == nullptr) {
        s.pHorzGridPen = new CPen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        s.pVertGridPen = new CPen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        s.pHeaderBrush = new CBrush(::GetSysColor(COLOR_BTNFACE));
    }
}

template<class TBase>
void OZWListEngine<TBase>::SplitCreateStyles(DWORD& dwStyle, DWORD& dwExStyle)
{
    const DWORD dwList = dwStyle & OZWLS_WINDOWMASK;
    const DWORD dwListEx = dwExStyle & OZWLS_EX_WINDOWMASK;
    dwStyle &= ~(DWORD)OZWLS_WINDOWMASK;
    dwExStyle &= ~(DWORD)OZWLS_EX_WINDOWMASK;
    ModifyListStyle(0, dwList, FALSE);
    ModifyListStyleEx(0, dwListEx, FALSE);
}

template<class TBase>
BOOL OZWListEngine<TBase>::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

template<class TBase>
BOOL OZWListEngine<TBase>::Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(dwExStyle, dwStyle, rect, pParentWnd, nID);
}

template<class TBase>
BOOL OZWListEngine<TBase>::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
    return TBase::CreateEx(dwExStyle, lpszClass, nullptr, dwStyle, rect, pParentWnd, nID, nullptr);
}

template<class TBase>
BOOL OZWListEngine<TBase>::AttachDlgItem(UINT nID, CWnd* pParent)
{
    HWND hParent = pParent != nullptr ? pParent->m_hWnd : nullptr;
    HWND hItem = hParent != nullptr ? ::GetDlgItem(hParent, (int)nID) : nullptr;
    if (hItem == nullptr)
        return FALSE;
    const DWORD dwStyle = (DWORD)::GetWindowLongPtr(hItem, GWL_STYLE) | WS_BORDER;
    const DWORD dwExStyle = (DWORD)::GetWindowLongPtr(hItem, GWL_EXSTYLE);
    CRect rc;
    ::GetWindowRect(hItem, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    ::DestroyWindow(hItem);
    return CreateEx(dwExStyle, dwStyle, rc, pParent, nID);
}

template<class TBase>
int OZWListEngine<TBase>::BaseCreate(LPCREATESTRUCT lpcs)
{
    return TBase::OnCreate(lpcs);
}

template<class TBase>
void OZWListEngine<TBase>::BaseDestroy()
{
    TBase::OnDestroy();
}

template<class TBase>
BOOL OZWListEngine<TBase>::PreCreateWindow(CREATESTRUCT& cs)
{
    // Every way of creating the window (Create, CreateEx, a frame making
    // its view) comes here: the list's bits never reach the window, whose
    // extended style would read some of them as its own (mirrored layout,
    // composited painting, no activation).
    DWORD dwStyle = (DWORD)cs.style, dwExStyle = cs.dwExStyle;
    SplitCreateStyles(dwStyle, dwExStyle);
    cs.style = (LONG)dwStyle;
    cs.dwExStyle = dwExStyle;
    return TBase::PreCreateWindow(cs);
}

template<class TBase>
int OZWListEngine<TBase>::OnCreate(LPCREATESTRUCT lpcs)
{
    if (BaseCreate(lpcs) == -1)
        return -1;
    m_hDividerCursor = ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(IDC_OZW_SIZE_WE), RT_GROUP_CURSOR),
                                    MAKEINTRESOURCE(IDC_OZW_SIZE_WE));
    if (m_hDividerCursor == nullptr)
        m_hDividerCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
    if ((lpcs->style & OZWLS_VIEWMASK) != OZWLS_REPORT && GetViewMode() != OZWLS_REPORT) {
        ModifyListStyle(0, OZWLS_NOCOLUMNHEADER, FALSE);
        InsertColumn(0, "", LVCFMT_LEFT, 20, -1, 0, FALSE);
    }
    return 0;
}

template<class TBase>
void OZWListEngine<TBase>::OnDestroy()
{
    KillAutoScrollTimer();
    if (!(m_dwListStyle & OZWLS_SHAREIMAGELISTS)) {
        for (int i = 0; i < 4; ++i) {
            if (m_bOwnsImageLists[i])
                delete m_pImageLists[i];
            m_pImageLists[i] = nullptr;
            m_bOwnsImageLists[i] = FALSE;
        }
    }
    if (m_pTip->m_hWnd != nullptr)
        m_pTip->DestroyWindow();
    if (m_pEdit->m_hWnd != nullptr)
        m_pEdit->DestroyWindow();
    m_nEditItem = -1;
    DeleteAllItems();
    DeleteAllColumns();
    for (int i = 0; i < 2; ++i) {
        if (m_pScrollBars[i] != nullptr && m_pScrollBars[i]->m_hWnd != nullptr)
            m_pScrollBars[i]->DestroyWindow();
        delete m_pScrollBars[i];
        m_pScrollBars[i] = nullptr;
    }
    m_dwScrollState = 0;
    BaseDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// Attributes

template<class TBase>
CFont* OZWListEngine<TBase>::GetHeaderFont()
{
    return m_pHeaderFont != nullptr ? m_pHeaderFont : CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

template<class TBase>
CFont* OZWListEngine<TBase>::GetItemFont()
{
    return m_pItemFont != nullptr ? m_pItemFont : CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

template<class TBase>
CImageList* OZWListEngine<TBase>::GetImageList(int nWhich)
{
    return nWhich >= 0 && nWhich < 4 ? m_pImageLists[nWhich] : nullptr;
}

template<class TBase>
CImageList* OZWListEngine<TBase>::CopyImageList(CImageList* pList)
{
    if (pList == nullptr || pList->m_hImageList == nullptr)
        return nullptr;
    auto copy = std::make_unique<CImageList>();
    {
        CMemFile file(1024);
        {
            CArchive ar(&file, CArchive::store, 4096);
            pList->Write(&ar);
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, 4096);
        if (!copy->Read(&ar))
            copy->DeleteImageList();
    }
    // Where the stream round trip is not available, a duplicate does.
    if (copy->m_hImageList == nullptr && !copy->Create(pList))
        return nullptr;
    return copy.release();
}

template<class TBase>
CImageList* OZWListEngine<TBase>::SetImageList(CImageList* pList, int nWhich)
{
    if (nWhich < 0 || nWhich >= 4)
        return nullptr;
    CImageList* pPrevious = m_pImageLists[nWhich];
    if (m_dwListStyle & OZWLS_SHAREIMAGELISTS) {
        m_pImageLists[nWhich] = pList;
        m_bOwnsImageLists[nWhich] = FALSE;
    } else {
        m_pImageLists[nWhich] = CopyImageList(pList);
        m_bOwnsImageLists[nWhich] = m_pImageLists[nWhich] != nullptr;
    }
    RemeasureAll();
    InvalidateList();
    return pPrevious;
}

template<class TBase>
CScrollBar* OZWListEngine<TBase>::GetScrollBarCtrl(int nBar) const
{
    if (nBar == SB_HORZ)
        return m_pScrollBars[0];
    if (nBar == SB_VERT)
        return m_pScrollBars[1];
    return nullptr;
}

template<class TBase>
BOOL OZWListEngine<TBase>::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_MOUSELEAVE) {
        const int nHot = m_nHotColumn;
        m_nHotColumn = -1;
        if (nHot >= 0 && nHot < GetColumnCount() && IsHeaderShown())
            DrawHeaderItem(nHot, nHot == m_nPressedColumn);
    } else if (message == WM_THEMECHANGED) {
        OnThemeChanged(wParam, lParam);
    }
    return TBase::OnWndMsg(message, wParam, lParam, pResult);
}

template<class TBase>
LRESULT OZWListEngine<TBase>::OnThemeChanged(WPARAM, LPARAM)
{
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Window hooks of the model

template<class TBase>
UINT OZWListEngine<TBase>::GetCtrlId()
{
    return TBase::m_hWnd != nullptr ? (UINT)::GetDlgCtrlID(TBase::m_hWnd) : 0;
}

template<class TBase>
LRESULT OZWListEngine<TBase>::SendNotify(NMHDR* pHdr)
{
    if (TBase::m_hWnd == nullptr)
        return 0;
    HWND hTarget = m_pNotifyWnd != nullptr ? m_pNotifyWnd->m_hWnd : ::GetParent(TBase::m_hWnd);
    if (hTarget == nullptr)
        return 0;
    return ::SendMessage(hTarget, WM_NOTIFY, (WPARAM)pHdr->idFrom, (LPARAM)pHdr);
}

template<class TBase>
void OZWListEngine<TBase>::PostToParent(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (HWND hParent = TBase::m_hWnd != nullptr ? ::GetParent(TBase::m_hWnd) : nullptr)
        ::PostMessage(hParent, nMsg, wParam, lParam);
}

template<class TBase>
void OZWListEngine<TBase>::GetInsideRect(RECT* pRect)
{
    if (TBase::m_hWnd != nullptr)
        ::GetClientRect(TBase::m_hWnd, pRect);
    else
        ::SetRectEmpty(pRect);
}

template<class TBase>
BOOL OZWListEngine<TBase>::IsWindowFocused()
{
    return TBase::m_hWnd != nullptr && ::GetFocus() == TBase::m_hWnd;
}

template<class TBase>
BOOL OZWListEngine<TBase>::IsWindowEnabledState()
{
    return TBase::m_hWnd == nullptr || ::IsWindowEnabled(TBase::m_hWnd);
}

template<class TBase>
void OZWListEngine<TBase>::HideTip()
{
    m_pTip->HideTip();
}

template<class TBase>
void OZWListEngine<TBase>::StopTimer(UINT_PTR& nTimer, UINT nID)
{
    if (nTimer != 0 && TBase::m_hWnd != nullptr)
        TBase::KillTimer(nID);
    nTimer = 0;
}

template<class TBase>
void OZWListEngine<TBase>::KillEditTimer()
{
    StopTimer(m_nEditTimer, OZWTIMER_LABELEDIT);
}

template<class TBase>
void OZWListEngine<TBase>::StartTypeAheadTimer()
{
    if (TBase::m_hWnd != nullptr)
        m_nTypeAheadTimer = TBase::SetTimer(OZWTIMER_TYPEAHEAD, (UINT)m_nTypeAheadInterval, nullptr);
}

template<class TBase>
void OZWListEngine<TBase>::KillTypeAheadTimer()
{
    StopTimer(m_nTypeAheadTimer, OZWTIMER_TYPEAHEAD);
}

template<class TBase>
void OZWListEngine<TBase>::SetAutoScrollTimer(UINT nInterval)
{
    KillAutoScrollTimer();
    if (nInterval != 0 && TBase::m_hWnd != nullptr)
        m_nAutoScrollTimer = TBase::SetTimer(OZWTIMER_AUTOSCROLL, nInterval, nullptr);
}

template<class TBase>
void OZWListEngine<TBase>::KillAutoScrollTimer()
{
    StopTimer(m_nAutoScrollTimer, OZWTIMER_AUTOSCROLL);
}

template<class TBase>
void OZWListEngine<TBase>::Beep()
{
    ::MessageBeep((UINT)-1);
}

template<class TBase>
int OZWListEngine<TBase>::GetVScrollWidth()
{
    ReadSharedValues(FALSE);
    return s_shared.cxVScroll;
}

template<class TBase>
int OZWListEngine<TBase>::GetHScrollHeight()
{
    ReadSharedValues(FALSE);
    return s_shared.cyHScroll;
}

template<class TBase>
COLORREF OZWListEngine<TBase>::GetSharedColor(int nWhich)
{
    ReadSharedValues(FALSE);
    switch (nWhich) {
    case sharedDisabledBk: return s_shared.crDisabledBk;
    case sharedNoFocusSelText: return s_shared.crNoFocusSelText;
    default: return s_shared.crCorner;
    }
}

template<class TBase>
BOOL OZWListEngine<TBase>::GetRowBand(int nItem, CRect& rc)
{
    if (TBase::m_hWnd == nullptr || !IsValidItem(nItem) || nItem < m_nTopIndex)
        return FALSE;
    CRect rows;
    GetRowsArea(rows);
    int y = rows.top;
    // Walk no further than the bottom of the rows area.
    for (int i = m_nTopIndex; i < nItem; ++i) {
        y += GetRowPitch(i);
        if (y > rows.bottom)
            return FALSE;
    }
    rc.SetRect(rows.left, y, rows.left + std::max(rows.Width(), GetTotalWidth()), y + GetRowPitch(nItem));
    return TRUE;
}

template<class TBase>
void OZWListEngine<TBase>::RedrawItem(int nItem, BOOL bLabelOnly, BOOL bErase, BOOL bToBottom, BOOL bUpdate)
{
    CRect rc;
    if (!GetRowBand(nItem, rc))
        return;
    CRect rows;
    GetRowsArea(rows);
    if (bToBottom) {
        rc.bottom = std::max(rc.bottom, rows.bottom);
        if (!bErase) {
            CClientDC dc(this);
            CRect fill = rc;
            fill.IntersectRect(&fill, &rows);
            dc.FillSolidRect(&fill, GetBkColor());
        }
    } else if (bLabelOnly && !(m_dwListStyleEx & OZWLS_EX_FULLROWSELECT)) {
        CRect label;
        if (GetItemRect(nItem, &label, 2)) {
            label.InflateRect(3, 0);
            rc.left = label.left;
            rc.right = label.right;
        }
    }
    if (bUpdate)
        ::RedrawWindow(TBase::m_hWnd, &rc, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (bErase ? RDW_ERASE : 0));
    else
        ::InvalidateRect(TBase::m_hWnd, &rc, bErase);
}

template<class TBase>
void OZWListEngine<TBase>::RedrawItems(int nFirst, int nLast)
{
    if (TBase::m_hWnd == nullptr)
        return;
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    nFirst = std::max(nFirst, m_nTopIndex);
    CRect first, last;
    if (!GetRowBand(nFirst, first))
        return;
    CRect rows;
    GetRowsArea(rows);
    if (!GetRowBand(nLast, last))
        last.bottom = rows.bottom;
    first.bottom = std::min(last.bottom, rows.bottom);
    ::InvalidateRect(TBase::m_hWnd, &first, FALSE);
}

template<class TBase>
void OZWListEngine<TBase>::InvalidateList(BOOL bErase)
{
    if (TBase::m_hWnd != nullptr)
        ::InvalidateRect(TBase::m_hWnd, nullptr, bErase);
}

template<class TBase>
void OZWListEngine<TBase>::SetScrollBarPos(int nBar, int nPos)
{
    CScrollBar* pBar = m_pScrollBars[nBar == SB_VERT ? 1 : 0];
    if (pBar != nullptr && pBar->m_hWnd != nullptr)
        pBar->SetScrollPos(nPos, TRUE);
}

template<class TBase>
void OZWListEngine<TBase>::ShowScrollBar(int nWhich, BOOL bShow, SCROLLINFO* pInfo)
{
    if (m_dwListStyle & OZWLS_NOSCROLL)
        bShow = FALSE;
    for (int b = 0; b < 2; ++b) {
        if (!(nWhich == SB_BOTH || nWhich == b))
            continue;
        CScrollBar*& pBar = m_pScrollBars[b];
        if (pBar == nullptr && bShow && TBase::m_hWnd != nullptr) {
            pBar = new CScrollBar;
            if (!pBar->Create(WS_CHILD | WS_VISIBLE | (b == 1 ? SBS_VERT : SBS_HORZ), CRect(0, 0, 1, 1), this,
                              b == 1 ? OZWLIST_VSCROLL_ID : OZWLIST_HSCROLL_ID)) {
                delete pBar;
                pBar = nullptr;
                AfxThrowResourceException();
            }
            // A new bar is shown below, once its state says so.
            ::ShowWindow(pBar->m_hWnd, SW_HIDE);
        }
        if (pInfo != nullptr && pBar != nullptr)
            pBar->SetScrollInfo(pInfo, FALSE);
        const DWORD dwBit = b == 1 ? OZWSB_VERTSHOWN : OZWSB_HORZSHOWN;
        const BOOL bWasShown = (m_dwScrollState & dwBit) != 0;
        if (bShow)
            m_dwScrollState |= dwBit;
        else
            m_dwScrollState &= ~dwBit;
        if (pBar != nullptr && (bWasShown != bShow || ::IsWindowVisible(pBar->m_hWnd) != bShow)) {
            ::ShowScrollBar(pBar->m_hWnd, SB_CTL, bShow);
            pBar->Invalidate();
            pBar->UpdateWindow();
        }
    }
}

template<class TBase>
void OZWListEngine<TBase>::LayoutScrollBars()
{
    if (TBase::m_hWnd == nullptr)
        return;
    CRect rows, inside;
    GetRowsArea(rows);
    GetInsideRect(&inside);
    CRect want[2];
    want[0].SetRect(rows.left, rows.bottom - 1, rows.left + rows.Width() + 1, rows.bottom - 1 + GetHScrollHeight());
    const int nHeader = IsHeaderShown() ? m_nHeaderHeight : 0;
    want[1].SetRect(rows.right, inside.top, rows.right + GetVScrollWidth(), inside.top + rows.Height() + 1 + nHeader);
    HDWP hDwp = ::BeginDeferWindowPos(2);
    for (int b = 0; b < 2; ++b) {
        CScrollBar* pBar = m_pScrollBars[b];
        if (pBar == nullptr || pBar->m_hWnd == nullptr)
            continue;
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof(wp);
        ::GetWindowPlacement(pBar->m_hWnd, &wp);
        if (CRect(wp.rcNormalPosition) == want[b])
            continue;
        if (hDwp != nullptr)
            hDwp = ::DeferWindowPos(hDwp, pBar->m_hWnd, nullptr, want[b].left, want[b].top, want[b].Width(),
                                    want[b].Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->Invalidate();
    }
    if (hDwp != nullptr)
        ::EndDeferWindowPos(hDwp);
}

/////////////////////////////////////////////////////////////////////////////
// OZWListClient (window part)

template<class TBase>
void OZWListEngine<TBase>::ClientToScreenRect(RECT* pRect)
{
    if (TBase::m_hWnd != nullptr)
        ::MapWindowPoints(TBase::m_hWnd, nullptr, reinterpret_cast<POINT*>(pRect), 2);
}

template<class TBase>
BOOL OZWListEngine<TBase>::CaptureMouse(BOOL bOn)
{
    if (TBase::m_hWnd == nullptr)
        return FALSE;
    if (bOn)
        ::SetCapture(TBase::m_hWnd);
    else if (::GetCapture() == TBase::m_hWnd)
        ::ReleaseCapture();
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Measuring

template<class TBase>
CDC* OZWListEngine<TBase>::GetMeasureDC(BOOL* pbOwned)
{
    *pbOwned = FALSE;
    if (TBase::m_hWnd == nullptr)
        return nullptr;
    // A paint pass measures its rows on one DC.
    if (m_pPassMeasureDC != nullptr)
        return m_pPassMeasureDC;
    *pbOwned = TRUE;
    return new CClientDC(this);
}

template<class TBase>
CImageList* OZWListEngine<TBase>::GetViewImageList()
{
    return m_pImageLists[GetViewMode() == OZWLS_ICON ? LVSIL_NORMAL : LVSIL_SMALL];
}

template<class TBase>
void OZWListEngine<TBase>::MeasureRow(int nItem, BOOL)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr)
        return;
    BOOL bOwned = FALSE;
    CDC* pDC = GetMeasureDC(&bOwned);
    if (pDC == nullptr) {
        OZWListModel::MeasureRow(nItem, TRUE);
        return;
    }
    std::unique_ptr<OZWListPaintContext> ctx(NewPaintContext(pDC));
    ctx->m_nViewMode = GetViewMode();
    ctx->m_item.iItem = nItem;
    ctx->m_pItem = pItem;
    pItem->m_bNeedsMeasure = TRUE;
    MeasureItem(ctx.get());
    ctx.reset();
    if (bOwned)
        delete pDC;
}

template<class TBase>
void OZWListEngine<TBase>::MeasureItem(OZWListPaintContext* pCtx)
{
    OZWListItem* pItem = pCtx->m_pItem;
    if (pItem == nullptr || (!pItem->m_bNeedsMeasure && pItem->m_nHeight >= 0))
        return;
    // Measured afresh: a row whose text got shorter gets lower again.
    int nHeight = 0;
    const int nCount = std::max(1, GetColumnCount());
    for (int c = 0; c < nCount && c < GetColumnCount(); ++c) {
        pCtx->m_nColumn = c;
        pCtx->m_pColumn = m_columns[(size_t)c];
        pCtx->m_item.iSubItem = pCtx->m_pColumn->m_nSubItem;
        pCtx->m_pCell = pItem->GetCell(pCtx->m_item.iSubItem);
        PrepareCell(pCtx);
        int nCell = 0;
        MeasureCell(pCtx, &nCell);
        nHeight = std::max(nHeight, nCell);
    }
    pItem->m_nHeight = nHeight;
    pItem->m_bNeedsMeasure = FALSE;
}

template<class TBase>
void OZWListEngine<TBase>::MeasureCell(OZWListPaintContext* pCtx, int* pnHeight)
{
    *pnHeight = 0;
    const BOOL bMain = pCtx->m_item.iSubItem == 0;
    if (!bMain && pCtx->m_pCell == nullptr)
        return;
    CRect icon;
    if (bMain) {
        MeasureIcon(pCtx, icon);
        pCtx->m_pItem->m_rcIcon = icon;
    }
    CRect text;
    MeasureText(pCtx, text);
    if (bMain)
        pCtx->m_pItem->m_rcLabel = text;
    else
        pCtx->m_pCell->m_rcText = text;
    if (pCtx->m_nViewMode == OZWLS_ICON)
        *pnHeight = icon.Height() + text.Height() + 5;
    else
        *pnHeight = std::max(icon.bottom, text.bottom) + 2;
}

template<class TBase>
void OZWListEngine<TBase>::MeasureIcon(OZWListPaintContext* pCtx, CRect& rc)
{
    rc.SetRectEmpty();
    CImageList* pList = GetViewImageList();
    if (pList == nullptr || pList->m_hImageList == nullptr)
        return;
    const int nImage = pCtx->m_item.iImage;
    IMAGEINFO info = {};
    if (nImage < 0 || !pList->GetImageInfo(nImage, &info))
        return;
    const CRect image(info.rcImage);
    rc.SetRect(2, 2, 2 + image.Width(), 2 + image.Height());
}

template<class TBase>
void OZWListEngine<TBase>::MeasureText(OZWListPaintContext* pCtx, CRect& rc)
{
    CDC* pDC = pCtx->m_pDC;
    const BOOL bMain = pCtx->m_item.iSubItem == 0;
    const CRect icon = bMain ? pCtx->m_pItem->m_rcIcon : CRect();
    const int nColumnWidth = pCtx->m_pColumn != nullptr ? pCtx->m_pColumn->m_nWidth : 0;
    const int nAvail = std::max(1, nColumnWidth - icon.Width() - 11);
    UINT nFormat = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
    nFormat |= OZWListColumn::AlignFlags(pCtx->m_pColumn);
    LPCSTR pszText = ozwlist::IsOwned(pCtx->m_item.pszText) ? pCtx->m_item.pszText : "";
    int nLength = (int)std::strlen(pszText);
    if (m_dwListStyle & OZWLS_NOLABELWRAP) {
        nFormat |= DT_SINGLELINE;
        if (const char* pLF = std::strchr(pszText, '\n'))
            nLength = (int)(pLF - pszText) + 1;
    }
    CRect calc(0, 0, nAvail, 0);
    HGDIOBJ hOld = pCtx->m_pFont != nullptr ? ::SelectObject(pDC->m_hDC, pCtx->m_pFont->m_hObject) : nullptr;
    if (nLength > 0) {
        pDC->DrawText(pszText, nLength, &calc, nFormat);
    } else {
        // An empty text still takes a line, so that the row can be seen.
        pDC->DrawText(" ", 1, &calc, nFormat);
        calc.right = calc.left;
    }
    if (hOld != nullptr)
        ::SelectObject(pDC->m_hDC, hOld);
    int nLeft = 6, nTop = 2;
    if (bMain && !icon.IsRectEmpty()) {
        if (pCtx->m_nViewMode == OZWLS_ICON) {
            nLeft = 8;
            nTop = icon.bottom + 2;
        } else {
            nLeft = icon.right + 5;
            nTop = std::max<int>(2, (icon.Height() - calc.Height()) / 2 + icon.top);
        }
    }
    rc.SetRect(nLeft, nTop, nLeft + calc.Width(), nTop + calc.Height());
}

/////////////////////////////////////////////////////////////////////////////
// Painting

template<class TBase>
OZWListPaintContext* OZWListEngine<TBase>::NewPaintContext(CDC* pDC)
{
    return new OZWListPaintContext(pDC);
}

template<class TBase>
BOOL OZWListEngine<TBase>::CreateMemDC(CDC* pDC, CDC*& pMemDC, const CRect& rc)
{
    pMemDC = pDC;
    // While dragging, the drag image and the insertion mark are drawn on the
    // window itself: painting goes straight to it.
    if (m_bItemDrag || m_bHeaderDrag || rc.IsRectEmpty())
        return FALSE;
    try {
        pMemDC = new dedaride::foundation::OZWMemDC(pDC, rc.left, rc.top, rc.right, rc.bottom, TRUE, TRUE);
    } catch (CException* e) {
        e->Delete();
        pMemDC = pDC;
        return FALSE;
    }
    return TRUE;
}

template<class TBase>
void OZWListEngine<TBase>::DoPaint(CDC* pDC)
{
    CRect rows, inside;
    GetRowsArea(rows);
    GetInsideRect(&inside);
    if (pDC->IsPrinting()) {
        std::unique_ptr<OZWListPaintContext> ctx(NewPaintContext(pDC));
        ctx->m_nViewMode = GetViewMode();
        if (IsHeaderShown())
            DrawHeader(ctx.get());
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&rows);
        DrawItems(ctx.get());
        pDC->RestoreDC(nSaved);
        return;
    }
    CRect paint(rows.left, inside.top, rows.right, rows.bottom);
    if (!(m_dwScrollState & OZWSB_HORZSHOWN))
        paint.bottom = inside.bottom;
    if (!(m_dwScrollState & OZWSB_VERTSHOWN))
        paint.right = inside.right;
    CRect corner;
    if ((m_dwScrollState & OZWSB_HORZSHOWN) && (m_dwScrollState & OZWSB_VERTSHOWN))
        corner.SetRect(rows.right, rows.bottom, inside.right, inside.bottom);
    // The rows reached are measured on one client DC for the whole pass.
    std::unique_ptr<CClientDC> measure;
    if (m_pPassMeasureDC == nullptr && TBase::m_hWnd != nullptr) {
        measure = std::make_unique<CClientDC>(this);
        m_pPassMeasureDC = measure.get();
    }
    CDC* pMemDC = nullptr;
    const BOOL bMem = CreateMemDC(pDC, pMemDC, paint);
    pMemDC->FillSolidRect(&paint, GetBkColor());
    {
        std::unique_ptr<OZWListPaintContext> ctx(NewPaintContext(pMemDC));
        ctx->m_nViewMode = GetViewMode();
        if (IsHeaderShown())
            DrawHeader(ctx.get());
        const int nSaved = pMemDC->SaveDC();
        pMemDC->IntersectClipRect(&rows);
        DrawItems(ctx.get());
        pMemDC->RestoreDC(nSaved);
    }
    if (bMem)
        delete pMemDC;
    if (!corner.IsRectEmpty())
        pDC->FillSolidRect(&corner, GetSharedColor(sharedCorner));
    if (measure != nullptr)
        m_pPassMeasureDC = nullptr;
}

template<class TBase>
void OZWListEngine<TBase>::PrepareCell(OZWListPaintContext* pCtx)
{
    LVITEMA& item = pCtx->m_item;
    item.mask = LVIF_TEXT | LVIF_STATE | (item.iSubItem == 0 ? LVIF_IMAGE : 0);
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED;
    item.state = 0;
    item.pszText = m_pTextBuffer;
    item.cchTextMax = OZWLIST_TEXTBUFFER;
    item.iImage = 0;
    m_pTextBuffer[0] = '\0';
    GetItem(&item, TRUE, TRUE);
    if (!ozwlist::IsOwned(item.pszText))
        item.pszText = m_pTextBuffer;
    pCtx->m_nViewMode = GetViewMode();
    SetCellFillColor(pCtx);
    ComputeRowBackground(pCtx);
    ComputeTextColors(pCtx);
    SetCellFont(pCtx);
}

template<class TBase>
void OZWListEngine<TBase>::SetCellFont(OZWListPaintContext* pCtx)
{
    pCtx->m_pFont = GetItemFont();
}

template<class TBase>
HTHEME OZWListEngine<TBase>::OpenHeaderTheme(HWND hWnd)
{
    if (!UXIsThemeActive() || !UXIsAppThemed())
        return nullptr;
    if (hWnd == nullptr)
        hWnd = ::GetDesktopWindow();
    return UXOpenThemeData(hWnd, "HEADER");
}

namespace ozwlistdraw {

// The title of a header item (with its image) in rc.
template<class TEngine>
void DrawHeaderTitle(TEngine* pEngine, CDC* pDC, int nColumn, CRect rcItem)
{
    OZWListColumn* pColumn = pEngine->GetColumnAt(nColumn);
    if (pColumn == nullptr)
        return;
    CRect rc = rcItem;
    rc.left += 6;
    rc.right -= 1 + 5;
    UINT nFormat = OZWListColumn::AlignFlags(pColumn);
    CImageList* pImages = pEngine->GetImageList(3);
    if (pImages != nullptr && pColumn->m_nImage >= 0 && rcItem.Width() > 22)
        pEngine->DrawHeaderImage(pDC, nColumn, rc, nFormat);
    const CString& title = pColumn->m_strTitle;
    if (pDC->GetTextExtent(title).cx > rc.Width())
        nFormat |= DT_END_ELLIPSIS;
    pDC->DrawText(title, title.GetLength(), &rc, nFormat | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
}

} // namespace ozwlistdraw

template<class TBase>
void OZWListEngine<TBase>::DrawHeader(OZWListPaintContext* pCtx)
{
    CDC* pDC = pCtx->m_pDC;
    CRect inside;
    GetInsideRect(&inside);
    const int nLeft = inside.left - m_nHorzOffset;
    CRect header(nLeft, inside.top, nLeft + std::max(GetTotalWidth(), inside.Width() + 1), inside.top + m_nHeaderHeight);
    if (!pDC->RectVisible(&header))
        return;
    ReadSharedValues(FALSE);
    CFont* pOldFont = pDC->SelectObject(GetHeaderFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->FillRect(&header, s_shared.pHeaderBrush);
    const COLORREF crOldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    HWND hMain = AfxGetMainWnd() != nullptr ? AfxGetMainWnd()->m_hWnd : nullptr;
    HTHEME hTheme = pDC->IsPrinting() ? nullptr : OpenHeaderTheme(hMain);
    int x = nLeft;
    for (int c = 0; c < GetColumnCount(); ++c) {
        CRect rc(x, header.top, x + m_columns[(size_t)c]->m_nWidth, header.bottom);
        x = rc.right;
        if (rc.IsRectEmpty())
            continue;
        const BOOL bPressed = c == m_nPressedColumn && !m_bHeaderDrag;
        if (hTheme == nullptr ||
            FAILED(UXDrawThemeBackground(hTheme, pDC->m_hDC, 1,
                                         bPressed ? 3 : c == m_nHotColumn ? 2 : 1, &rc, nullptr)))
            pDC->DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONPUSH | (bPressed ? DFCS_PUSHED | DFCS_FLAT : 0));
    }
    CRect rest(x, header.top, x < inside.right ? inside.right + 2 : x + 2, header.bottom);
    if (hTheme == nullptr || FAILED(UXDrawThemeBackground(hTheme, pDC->m_hDC, 3, 1, &rest, nullptr)))
        pDC->DrawFrameControl(&rest, DFC_BUTTON, DFCS_BUTTONPUSH);
    if (hTheme != nullptr)
        UXCloseThemeData(hTheme);
    x = nLeft;
    for (int c = 0; c < GetColumnCount(); ++c) {
        CRect rc(x, header.top, x + m_columns[(size_t)c]->m_nWidth, header.bottom);
        x = rc.right;
        if (c == m_nPressedColumn && !m_bHeaderDrag)
            rc.OffsetRect(1, 1);
        ozwlistdraw::DrawHeaderTitle(this, pDC, c, rc);
    }
    pDC->SetTextColor(crOldText);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

template<class TBase>
void OZWListEngine<TBase>::DrawHeaderItem(int nColumn, BOOL bPressed)
{
    if (TBase::m_hWnd == nullptr || !IsValidColumn(nColumn) || !IsHeaderShown())
        return;
    CClientDC dc(this);
    if (m_dwScrollState & OZWSB_VERTSHOWN) {
        CRect rows;
        GetRowsArea(rows);
        CRect inside;
        GetInsideRect(&inside);
        dc.ExcludeClipRect(rows.right, inside.top, inside.right, inside.bottom);
    }
    CRect inside;
    GetInsideRect(&inside);
    const int nLeft = inside.left + GetColumnLeft(nColumn);
    CRect rc(nLeft, inside.top, nLeft + m_columns[(size_t)nColumn]->m_nWidth, inside.top + m_nHeaderHeight);
    ImageList_DragShowNolock(FALSE);
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    HTHEME hTheme = OpenHeaderTheme(::WindowFromDC(dc.m_hDC));
    if (hTheme == nullptr ||
        FAILED(UXDrawThemeBackground(hTheme, dc.m_hDC, 1,
                                     bPressed ? 3 : nColumn == m_nHotColumn ? 2 : 1, &rc, nullptr)))
        dc.DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONPUSH | (bPressed ? DFCS_PUSHED | DFCS_FLAT : 0));
    if (hTheme != nullptr)
        UXCloseThemeData(hTheme);
    CFont* pOldFont = dc.SelectObject(GetHeaderFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CRect title = rc;
    if (bPressed)
        title.OffsetRect(1, 1);
    ozwlistdraw::DrawHeaderTitle(this, &dc, nColumn, title);
    dc.SelectObject(pOldFont);
    if (m_bHeaderDrag)
        ImageList_DragShowNolock(TRUE);
}

template<class TBase>
void OZWListEngine<TBase>::DrawHeaderImage(CDC* pDC, int nColumn, CRect& rc, UINT& nFormat)
{
    OZWListColumn* pColumn = GetColumnAt(nColumn);
    CImageList* pImages = m_pImageLists[3];
    if (pColumn == nullptr || pImages == nullptr)
        return;
    HICON hIcon = ImageList_GetIcon(pImages->m_hImageList, pColumn->m_nImage, ILD_NORMAL);
    const int nTitle = pDC->GetTextExtent(pColumn->m_strTitle).cx;
    const BOOL bRight = (pColumn->m_nFormat & OZWLVCFMT_IMAGE_RIGHT) != 0;
    int x = rc.left;
    if (nFormat & DT_RIGHT)
        x = rc.right - nTitle - 26;
    else if (nFormat & DT_CENTER)
        x = rc.left + (rc.Width() - nTitle - 26) / 2;
    if (bRight)
        x = std::min(x + nTitle + 10, (int)rc.right - 16);
    x = std::max(x, (int)rc.left);
    if (hIcon != nullptr) {
        ::DrawIconEx(pDC->m_hDC, x, rc.top + 1 + (rc.Height() - 18) / 2, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(hIcon);
    }
    if (bRight) {
        rc.right = x - 10;
        nFormat = (nFormat & ~(UINT)(DT_CENTER | DT_LEFT)) | DT_RIGHT;
    } else {
        rc.left = x + 26;
        nFormat &= ~(UINT)(DT_CENTER | DT_RIGHT);
    }
}

template<class TBase>
CImageList* OZWListEngine<TBase>::CreateColumnDragImage(int nColumn)
{
    OZWListColumn* pColumn = GetColumnAt(nColumn);
    if (pColumn == nullptr || pColumn->m_nWidth <= 0)
        return nullptr;
    const int cx = pColumn->m_nWidth, cy = m_nHeaderHeight + 1;
    CClientDC screen(this);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, cx, cy);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    CRect rc(0, 0, cx, cy);
    dc.FillSolidRect(&rc, RGB(110, 110, 110));
    CFont* pOldFont = dc.SelectObject(GetHeaderFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    rc.bottom = m_nHeaderHeight;
    ozwlistdraw::DrawHeaderTitle(this, &dc, nColumn, rc);
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOld);
    auto* pList = new CImageList;
    if (!pList->Create(cx, cy, ILC_MASK | ILC_COLOR24, 1, 1) || pList->Add(&bitmap, ::GetSysColor(COLOR_BTNFACE)) < 0) {
        delete pList;
        return nullptr;
    }
    return pList;
}

template<class TBase>
void OZWListEngine<TBase>::DrawInsertMark(int x, int, int nColumn)
{
    const int nCount = GetColumnCount();
    if (nCount == 0)
        return;
    if (nColumn < 0 || nColumn >= nCount)
        nColumn = nCount - 1;
    if (nColumn == 0)
        nColumn = 1;
    if (nColumn >= nCount)
        return;
    CRect inside;
    GetInsideRect(&inside);
    const int nLeft = inside.left + GetColumnLeft(nColumn);
    const int nRight = nLeft + m_columns[(size_t)nColumn]->m_nWidth;
    int nTarget, nX;
    if (x < (nLeft + nRight) / 2) {
        if (x < inside.left + GetColumnLeft(0) + m_columns[0]->m_nWidth / 2)
            return;
        nTarget = nColumn;
        nX = nLeft;
    } else {
        nTarget = nColumn + 1;
        nX = nRight;
    }
    if (nTarget != m_nInsertMarkTarget && m_nInsertMarkTarget >= 0)
        EraseInsertMark(m_nInsertMarkTarget);
    m_nInsertMarkTarget = nTarget;
    m_nHeaderDropTarget = nTarget;
    CClientDC dc(this);
    ImageList_DragShowNolock(FALSE);
    dc.FillSolidRect(nX, inside.top, 1, m_nHeaderHeight, RGB(0, 0, 255));
    ImageList_DragShowNolock(TRUE);
}

template<class TBase>
void OZWListEngine<TBase>::EraseInsertMark(int nTarget)
{
    if (nTarget < 0)
        return;
    if (nTarget < GetColumnCount()) {
        DrawHeaderItem(nTarget, nTarget == m_nPressedColumn);
        // The mark of a target sits on its left edge, the right edge of
        // the column before it.
        if (nTarget > 0)
            DrawHeaderItem(nTarget - 1, nTarget - 1 == m_nPressedColumn);
    } else if (TBase::m_hWnd != nullptr) {
        CRect inside;
        GetInsideRect(&inside);
        const int x = inside.left + GetColumnLeft(GetColumnCount());
        CRect rest(x - 1, inside.top, std::max<int>(inside.right + 2, x + 2), inside.top + m_nHeaderHeight);
        ImageList_DragShowNolock(FALSE);
        CClientDC dc(this);
        dc.FillSolidRect(&rest, ::GetSysColor(COLOR_BTNFACE));
        rest.left += 1;
        dc.DrawFrameControl(&rest, DFC_BUTTON, DFCS_BUTTONPUSH);
        if (GetColumnCount() > 0)
            DrawHeaderItem(GetColumnCount() - 1, GetColumnCount() - 1 == m_nPressedColumn);
        if (m_bHeaderDrag)
            ImageList_DragShowNolock(TRUE);
    }
    if (m_nInsertMarkTarget == nTarget)
        m_nInsertMarkTarget = -1;
}

template<class TBase>
void OZWListEngine<TBase>::DrawBackgroundHook(CDC*, OZWListPaintContext*) {}

template<class TBase>
void OZWListEngine<TBase>::DrawItems(OZWListPaintContext* pCtx)
{
    CDC* pDC = pCtx->m_pDC;
    const BOOL bPrinting = pDC->IsPrinting();
    CRect rows;
    GetRowsArea(rows);
    const int nCount = GetItemCount();
    const int nSpacing = GetRowSpacing();
    const int nTotal = GetTotalWidth();
    const int nLeft = rows.left - m_nHorzOffset;
    int nDrawn = 0;
    if (pCtx->m_nViewMode != OZWLS_ICON) {
        int y = rows.top;
        for (int i = m_nTopIndex; i < nCount && y <= rows.bottom; ++i) {
            MeasureIfNeeded(i);
            OZWListItem* pItem = m_items[(size_t)i];
            const int nHeight = std::max(0, pItem->m_nHeight);
            CRect rc(nLeft, y + nSpacing, nLeft + nTotal, y + nSpacing + nHeight);
            // A printed page ends with its last whole row (the next page
            // starts with the row cut here); only a row taller than the page
            // is printed cut.
            if (bPrinting && rc.bottom > rows.bottom && i > m_nTopIndex)
                break;
            if (bPrinting || pDC->RectVisible(&rc)) {
                pCtx->m_item.iItem = i;
                pCtx->m_pItem = pItem;
                pCtx->m_rcCell = rc;
                DrawRow(pCtx);
            }
            ++nDrawn;
            y += nSpacing + nHeight;
        }
    } else {
        // Icon view: cells of column 0's width, left to right, a new line
        // when a cell would pass the right edge; a line is as high as its
        // highest row.
        const int nCell = std::max(1, GetColumnWidth(0));
        int x = nLeft, y = rows.top, nLine = 0;
        for (int i = m_nTopIndex; i < nCount && y <= rows.bottom; ++i) {
            MeasureIfNeeded(i);
            OZWListItem* pItem = m_items[(size_t)i];
            if (x > nLeft && x + nCell > rows.right) {
                x = nLeft;
                y += nLine;
                nLine = 0;
                if (y > rows.bottom)
                    break;
            }
            const int nPitch = std::max(0, pItem->m_nHeight) + nSpacing;
            CRect rc(x, y + nSpacing, x + nCell, y + nPitch);
            if (bPrinting || pDC->RectVisible(&rc)) {
                pCtx->m_item.iItem = i;
                pCtx->m_pItem = pItem;
                pCtx->m_rcCell = rc;
                DrawRow(pCtx);
            }
            nLine = std::max(nLine, nPitch);
            x += nCell;
            ++nDrawn;
        }
    }
    if (!bPrinting && m_pScrollBars[1] != nullptr && (m_dwScrollState & OZWSB_VERTSHOWN)) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS | SIF_PAGE;
        si.nPos = m_nTopIndex;
        si.nPage = (UINT)std::max(1, nDrawn);
        m_pScrollBars[1]->SetScrollInfo(&si, TRUE);
    }
}

template<class TBase>
void OZWListEngine<TBase>::DrawRow(OZWListPaintContext* pCtx)
{
    const int nItem = pCtx->m_item.iItem;
    OZWListItem* pItem = pCtx->m_pItem;
    CDC* pDC = pCtx->m_pDC;
    if (RowHasCallbacks(nItem)) {
        pItem->m_bNeedsMeasure = TRUE;
        MeasureRow(nItem, TRUE);
    }
    const CRect rcRow = pCtx->m_rcCell;
    DrawBackgroundHook(pDC, pCtx);
    int x = rcRow.left;
    const int nColumns = GetColumnCount();
    for (int c = 0; c < nColumns; ++c) {
        OZWListColumn* pColumn = m_columns[(size_t)c];
        int nWidth = pColumn->m_nWidth;
        if (nColumns == 1)
            nWidth = std::max<int>(nWidth, pItem->m_rcLabel.right);
        CRect cell(x, rcRow.top, x + nWidth, rcRow.bottom);
        x += nWidth;
        if (cell.IsRectEmpty() || (!pDC->IsPrinting() && !pDC->RectVisible(&cell)))
            continue;
        pCtx->m_nColumn = c;
        pCtx->m_pColumn = pColumn;
        pCtx->m_item.iItem = nItem;
        pCtx->m_item.iSubItem = pColumn->m_nSubItem;
        pCtx->m_pCell = pItem->GetCell(pColumn->m_nSubItem);
        pCtx->m_rcCell = cell;
        PrepareCell(pCtx);
        DrawSubItem(pCtx);
        if (pCtx->m_item.mask & OZWLIF_STOREALWAYS) {
            // The parent asked to keep what it answered.
            LVITEMA info = pCtx->m_item;
            info.iItem = nItem;
            SetItem(&info, FALSE);
        }
    }
    pCtx->m_rcCell = rcRow;
    if (pCtx->m_nViewMode == OZWLS_ICON)
        return;
    if ((m_dwListStyleEx & OZWLS_EX_FULLROWSELECT) && nItem == m_nFocusItem && IsWindowFocused() && nColumns >= 2) {
        CRect focus(rcRow.left + pItem->m_rcLabel.left - 3, rcRow.top, rcRow.right, rcRow.bottom);
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->DrawFocusRect(&focus);
    }
    if (m_dwListStyleEx & OZWLS_EX_VERTGRID)
        DrawVertGridLines(pDC, nItem, rcRow);
    if (m_dwListStyleEx & OZWLS_EX_HORZGRID)
        DrawHorzGridLine(pDC, nItem, rcRow);
}

template<class TBase>
void OZWListEngine<TBase>::DrawSubItem(OZWListPaintContext* pCtx)
{
    pCtx->m_pDC->FillSolidRect(&pCtx->m_rcCell, pCtx->m_crCellFill);
    if (pCtx->m_item.iSubItem == 0)
        DrawSubItemImage(pCtx);
    // An empty cell is filled like any other (a selected row shows whole).
    DrawSubItemText(pCtx);
}

template<class TBase>
void OZWListEngine<TBase>::DrawSubItemImage(OZWListPaintContext* pCtx)
{
    CImageList* pList = GetViewImageList();
    if (pList == nullptr || pList->m_hImageList == nullptr || pCtx->m_item.iImage < 0)
        return;
    const CRect& icon = pCtx->m_pItem->m_rcIcon;
    CPoint pt(pCtx->m_rcCell.left + icon.left, pCtx->m_rcCell.top + icon.top);
    if (pCtx->m_nViewMode == OZWLS_ICON)
        pt.x = pCtx->m_rcCell.left + std::max(0, (pCtx->m_rcCell.Width() - icon.Width()) / 2);
    pList->Draw(pCtx->m_pDC, pCtx->m_item.iImage, pt, ILD_NORMAL);
}

template<class TBase>
void OZWListEngine<TBase>::DrawSubItemText(OZWListPaintContext* pCtx)
{
    CDC* pDC = pCtx->m_pDC;
    const CRect& cell = pCtx->m_rcCell;
    CRect text(cell.left + 6, cell.top, cell.right - 5, cell.bottom);
    CRect fill = cell;
    const BOOL bMain = pCtx->m_item.iSubItem == 0;
    const CRect& icon = pCtx->m_pItem->m_rcIcon;
    const CRect& label = pCtx->m_pItem->m_rcLabel;
    if (bMain && !icon.IsRectEmpty()) {
        if (pCtx->m_nViewMode == OZWLS_ICON) {
            text = label;
            text.OffsetRect(cell.left, cell.top);
        } else {
            text.left = cell.left + icon.right + 4;
            text.right = std::min<int>(text.left + label.Width() + 2, cell.right - 5);
            fill.left = text.left - 2;
        }
    }
    if (bMain)
        text.top = cell.top + label.top;
    else if (pCtx->m_pCell != nullptr)
        text.top = cell.top + pCtx->m_pCell->m_rcText.top;
    UINT nFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
    nFormat |= OZWListColumn::AlignFlags(pCtx->m_pColumn);
    if (m_dwListStyle & OZWLS_NOLABELWRAP) {
        nFormat |= DT_END_ELLIPSIS | DT_SINGLELINE;
        text.top = cell.top;
    }
    HGDIOBJ hOldFont = pCtx->m_pFont != nullptr ? ::SelectObject(pDC->m_hDC, pCtx->m_pFont->m_hObject) : nullptr;
    pDC->SetTextColor(pCtx->m_crText);
    pDC->SetBkColor(pCtx->m_crTextBk);
    pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(&fill, pCtx->m_crTextBk);
    // The cell under the editor is left to the editor.
    const BOOL bEdited = pCtx->m_item.iItem == m_nEditItem && pCtx->m_nColumn == m_nEditColumn;
    if (!bEdited && ozwlist::IsOwned(pCtx->m_item.pszText)) {
        LPCSTR psz = pCtx->m_item.pszText;
        int nLength = (int)std::strlen(psz);
        if (m_dwListStyle & OZWLS_NOLABELWRAP) {
            if (const char* pLF = std::strchr(psz, '\n'))
                nLength = (int)(pLF - psz);
        }
        pDC->DrawText(psz, nLength, &text, nFormat);
    }
    if (hOldFont != nullptr)
        ::SelectObject(pDC->m_hDC, hOldFont);
}

template<class TBase>
CPen* OZWListEngine<TBase>::GetHorzGridPen()
{
    ReadSharedValues(FALSE);
    return s_shared.pHorzGridPen;
}

template<class TBase>
CPen* OZWListEngine<TBase>::GetVertGridPen()
{
    ReadSharedValues(FALSE);
    return s_shared.pVertGridPen;
}

template<class TBase>
void OZWListEngine<TBase>::DrawVertGridLines(CDC* pDC, int nItem, const CRect& rcRow)
{
    CPen* pOld = pDC->SelectObject(GetVertGridPen());
    const int nCount = GetColumnCount();
    const int nLines = (m_dwListStyleEx & OZWLS_EX_LASTCOLFILLS) ? nCount - 1 : nCount;
    int x = rcRow.left;
    for (int c = 0; c < nCount; ++c) {
        x += m_columns[(size_t)c]->m_nWidth;
        if (c < nLines) {
            pDC->MoveTo(x - 1, rcRow.top);
            pDC->LineTo(x - 1, rcRow.bottom);
        }
    }
    if (nItem == GetItemCount() - 1) {
        pDC->SelectObject(GetHorzGridPen());
        pDC->MoveTo(rcRow.left, rcRow.bottom - 1);
        pDC->LineTo(rcRow.right, rcRow.bottom - 1);
        pDC->SelectObject(GetVertGridPen());
    }
    const int nMain = GetMainColumn();
    if (nMain >= 0) {
        const int xMain = rcRow.left + m_nHorzOffset + GetColumnRight(nMain) - 1;
        pDC->MoveTo(xMain, rcRow.top);
        pDC->LineTo(xMain, rcRow.bottom);
    }
    if (nLines == nCount && nCount > 0) {
        pDC->MoveTo(x - 1, rcRow.top);
        pDC->LineTo(x - 1, rcRow.bottom);
    }
    pDC->SelectObject(pOld);
}

template<class TBase>
void OZWListEngine<TBase>::DrawHorzGridLine(CDC* pDC, int, const CRect& rcRow)
{
    CPen* pOld = pDC->SelectObject(GetHorzGridPen());
    pDC->MoveTo(rcRow.left, rcRow.bottom - 1);
    pDC->LineTo(rcRow.right, rcRow.bottom - 1);
    pDC->SelectObject(pOld);
}
