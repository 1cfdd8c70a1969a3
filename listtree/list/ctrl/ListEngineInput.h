// The list engine's message handlers: painting and sizing, scrolling,
// keyboard, mouse (clicks, divider and header drags, auto-scroll, wheel),
// focus, timers and in-place label editing. Included with ListEngineImpl.h
// by the two files that build the engine's forms.
#pragma once

#include "listtree/list/ctrl/ListEngineImpl.h"

/////////////////////////////////////////////////////////////////////////////
// Painting, sizing, scrolling

template<class TBase>
void OZWListEngine<TBase>::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

template<class TBase>
BOOL OZWListEngine<TBase>::OnEraseBkgnd(CDC*)
{
    return TRUE; // painting covers everything
}

template<class TBase>
void OZWListEngine<TBase>::OnSize(UINT nType, int cx, int cy)
{
    TBase::OnSize(nType, cx, cy);
    LayoutScrollBars();
    if (GetColumnCount() > 0) {
        FitLastColumn();
        RecalcLayout();
    }
    InvalidateList(FALSE);
}

template<class TBase>
int OZWListEngine<TBase>::TrackPosition(CScrollBar* pBar, UINT nPos)
{
    // The message carries 16 bits of the position; while the thumb is
    // dragged the bar has all of it.
    if (pBar != nullptr && pBar->m_hWnd != nullptr) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        if (pBar->GetScrollInfo(&si, SIF_TRACKPOS | SIF_POS) && si.nTrackPos != si.nPos)
            return si.nTrackPos;
    }
    return (int)nPos;
}

template<class TBase>
void OZWListEngine<TBase>::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    VScroll(nSBCode, TrackPosition(m_pScrollBars[1], nPos));
}

template<class TBase>
void OZWListEngine<TBase>::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    HScroll(nSBCode, TrackPosition(m_pScrollBars[0], nPos));
}

template<class TBase>
BOOL OZWListEngine<TBase>::OnMouseWheel(UINT, short zDelta, CPoint)
{
    return MouseWheel(zDelta);
}

template<class TBase>
void OZWListEngine<TBase>::OnSysColorChange()
{
    TBase::OnSysColorChange();
    if (!m_bTrackSysColors)
        return;
    ReadSysColors();
    ReadSharedValues(TRUE);
    InvalidateList();
}

template<class TBase>
void OZWListEngine<TBase>::OnEnable(BOOL bEnable)
{
    if (!bEnable)
        HideTip();
    InvalidateList();
}

template<class TBase>
UINT OZWListEngine<TBase>::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
}

/////////////////////////////////////////////////////////////////////////////
// Timers

template<class TBase>
void OZWListEngine<TBase>::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case OZWTIMER_LABELEDIT: LabelEditTick(); break;
    case OZWTIMER_AUTOSCROLL: AutoScrollTick(); break;
    case OZWTIMER_TYPEAHEAD: TypeAheadTick(); break;
    default: TBase::OnTimer(nIDEvent); break;
    }
}

template<class TBase>
void OZWListEngine<TBase>::LabelEditTick()
{
    KillEditTimer();
    if (m_nPendingEditItem >= 0 && m_nPendingEditItem == m_nFocusItem)
        BeginLabelEdit(m_nPendingEditItem, m_nCurColumn);
}

template<class TBase>
void OZWListEngine<TBase>::AutoScrollTick()
{
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(TBase::m_hWnd, &pt);
    UINT nFlags = 0;
    const int nItem = HitTest(pt.x, pt.y, &nFlags, nullptr);
    if (nItem < 0 || GetItemCount() < 3)
        return;
    const int nLast = GetLastFullyVisible();
    if (m_nTopIndex > 0 && nItem == m_nTopIndex) {
        SetDropHilite(-1);
        ScrollRows(-1);
    } else if (nItem >= nLast && nLast < GetItemCount() - 1) {
        SetDropHilite(-1);
        ScrollRows(1);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Keyboard and focus

template<class TBase>
void OZWListEngine<TBase>::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    NotifyKeyDown(nChar);
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    DispatchKey(nChar, bShift, bCtrl, nRepCnt, nFlags);
    TBase::OnKeyDown(nChar, nRepCnt, nFlags);
}

template<class TBase>
void OZWListEngine<TBase>::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    NotifyKeyDown(nChar);
    TBase::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

template<class TBase>
void OZWListEngine<TBase>::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!TypeAheadChar(nChar))
        TBase::OnChar(nChar, nRepCnt, nFlags);
}

template<class TBase>
void OZWListEngine<TBase>::OnSetFocus(CWnd* pOldWnd)
{
    TBase::OnSetFocus(pOldWnd);
    RedrawForFocusChange();
    NotifyCode(NM_SETFOCUS);
}

template<class TBase>
void OZWListEngine<TBase>::OnKillFocus(CWnd* pNewWnd)
{
    TBase::OnKillFocus(pNewWnd);
    if (pNewWnd != nullptr && pNewWnd->m_hWnd != nullptr && pNewWnd->m_hWnd == m_pEdit->m_hWnd)
        return;
    HideTip();
    EndLabelEdit(TRUE);
    RedrawForFocusChange();
    NotifyCode(NM_KILLFOCUS);
}

template<class TBase>
void OZWListEngine<TBase>::RedrawForFocusChange()
{
    // With a single selection only the focus row changes its look.
    if (!IsMultiSelect() && m_nFocusItem >= 0)
        RedrawItem(m_nFocusItem);
    else
        InvalidateList(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

template<class TBase>
BOOL OZWListEngine<TBase>::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT && m_bOnDivider && m_hDividerCursor != nullptr) {
        ::SetCursor(m_hDividerCursor);
        return TRUE;
    }
    return TBase::OnSetCursor(pWnd, nHitTest, message);
}

template<class TBase>
void OZWListEngine<TBase>::OnCancelMode()
{
    HideTip();
    TBase::OnCancelMode();
}

template<class TBase>
void OZWListEngine<TBase>::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (::GetFocus() != TBase::m_hWnd)
        ::SetFocus(TBase::m_hWnd);
    UINT nHit = 0;
    int nColumn = -1;
    const int nItem = HitTest(point.x, point.y, &nHit, &nColumn);
    if (nColumn >= 0)
        m_nCurColumn = nColumn;
    m_bClickPending = FALSE;
    if ((nHit & OZWHT_ONDIVIDER) && IsResizableColumn(nItem)) {
        const int nDelta = TrackColumnDivider(point.x, point.y, nItem);
        ResizeColumnBy(nItem, nDelta);
    } else {
        BOOL bPending = FALSE, bSelect = FALSE;
        OnClickDecision(point, nItem, nHit, &bPending, &bSelect);
        m_bClickPending = bPending;
        if ((nHit & OZWHT_ONHEADER) && !(m_dwListStyle & OZWLS_NOSORTHEADER)) {
            m_nPressedColumn = nItem;
            DrawHeaderItem(nItem, TRUE);
            ::SetCapture(TBase::m_hWnd);
        }
        if (bSelect) {
            SelectItemByInput(nItem, nHit, nFlags, TRUE);
            AfterSelectByInput(nItem, TRUE);
        }
    }
    m_ptMouseDown = point;
    m_pTip->RefreshTip();
    m_bItemDrag = FALSE;
    m_bHeaderDrag = FALSE;
    m_nClickMarker = -1;
}

template<class TBase>
void OZWListEngine<TBase>::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bItemDrag && !m_bHeaderDrag) {
        if (nFlags & MK_LBUTTON)
            OnBeginDrag(m_nFocusItem, m_ptMouseDown.x, m_ptMouseDown.y);
        else
            OnBeginRightDrag(m_nFocusItem, m_ptMouseDown.x, m_ptMouseDown.y);
        return;
    }
    UINT nHit = 0;
    int nColumn = -1;
    const int nItem = HitTest(point.x, point.y, &nHit, &nColumn);
    m_bOnDivider = (nHit & OZWHT_ONDIVIDER) && IsResizableColumn(nItem);
    // The hot header button (drawn hot by the themed header) until the
    // mouse leaves it.
    const int nHot = (nHit & OZWHT_ONHEADER) ? nItem : -1;
    if (nHot != m_nHotColumn && m_nPressedColumn < 0) {
        const int nOld = m_nHotColumn;
        m_nHotColumn = nHot;
        if (nOld >= 0)
            DrawHeaderItem(nOld, FALSE);
        if (nHot >= 0) {
            DrawHeaderItem(nHot, FALSE);
            TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, TBase::m_hWnd, 0 };
            ::TrackMouseEvent(&tme);
        }
    }
    if (m_nPressedColumn >= 0 && !(m_dwListStyle & OZWLS_NOSORTHEADER) && !(nHit & OZWHT_ONHEADER) && !m_bHeaderDrag) {
        if (::GetCapture() == TBase::m_hWnd)
            ::ReleaseCapture();
        DrawHeaderItem(m_nPressedColumn, FALSE);
        m_bClickPending = FALSE;
        m_nPressedColumn = -1;
    }
    const int dx = std::abs(point.x - m_ptMouseDown.x), dy = std::abs(point.y - m_ptMouseDown.y);
    if (m_nFocusItem >= 0 && m_bClickPending && !(nHit & (OZWHT_ONHEADER | OZWHT_ONDIVIDER)) &&
        (nFlags & (MK_LBUTTON | MK_RBUTTON)) && (dx > 3 || dy > 3)) {
        m_bItemDrag = TRUE;
        m_bClickPending = FALSE;
    }
    if (m_nPressedColumn > 0 && m_bClickPending && (nFlags & MK_LBUTTON) && (dx > 1 || dy > 1)) {
        m_bHeaderDrag = TRUE;
        m_bClickPending = FALSE;
        if (m_pHeaderDragImage == nullptr) {
            m_pHeaderDragImage = CreateColumnDragImage(m_nPressedColumn);
            if (m_pHeaderDragImage != nullptr) {
                CRect inside;
                GetInsideRect(&inside);
                ImageList_DragShowNolock(FALSE);
                m_pHeaderDragImage->BeginDrag(
                    0, CPoint(point.x - (inside.left + GetColumnLeft(m_nPressedColumn)), point.y - inside.top));
            }
        }
    }
    if (m_bHeaderDrag && (nFlags & MK_LBUTTON)) {
        CRect inside;
        GetInsideRect(&inside);
        const CRect zone(inside.left, inside.top, inside.right, inside.top + m_nHeaderHeight + 30);
        if (zone.PtInRect(point)) {
            if (m_pHeaderDragImage != nullptr) {
                CImageList::DragEnter(this, point);
                CImageList::DragMove(point);
            }
            DrawInsertMark(point.x, point.y, nColumn);
        } else {
            if (m_pHeaderDragImage != nullptr)
                CImageList::DragLeave(this);
            EraseInsertMark(m_nInsertMarkTarget);
            m_nHeaderDropTarget = -1;
        }
    }
    if ((m_dwListStyleEx & OZWLS_EX_HOVERTIPS) && (m_dwListStyle & OZWLS_NOLABELWRAP) && !m_bItemDrag &&
        !m_bHeaderDrag && m_nPressedColumn < 0) {
        if (nItem >= 0 && (nHit & OZWHT_ONROW) && nItem != m_nEditItem)
            m_pTip->ShowTip(nHit, nItem, nColumn, point.x, point.y);
        else
            HideTip();
    }
    if (m_bItemDrag) {
        if (nFlags & MK_LBUTTON)
            OnBeginDrag(m_nFocusItem, m_ptMouseDown.x, m_ptMouseDown.y);
        else
            OnBeginRightDrag(m_nFocusItem, m_ptMouseDown.x, m_ptMouseDown.y);
    }
}

template<class TBase>
void OZWListEngine<TBase>::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bClickPending = FALSE;
    if (m_bItemDrag) {
        m_bItemDrag = FALSE;
        return;
    }
    if (m_bHeaderDrag) {
        m_bHeaderDrag = FALSE;
        const int nColumn = m_nPressedColumn;
        const int nTarget = m_nHeaderDropTarget;
        if (m_pHeaderDragImage != nullptr) {
            CImageList::DragLeave(this);
            CImageList::EndDrag();
            delete m_pHeaderDragImage;
            m_pHeaderDragImage = nullptr;
        }
        EraseInsertMark(m_nInsertMarkTarget);
        if (::GetCapture() == TBase::m_hWnd)
            ::ReleaseCapture();
        m_nPressedColumn = -1;
        DrawHeaderItem(nColumn, FALSE);
        m_nHeaderDropTarget = -1;
        if (nTarget >= 0 && nTarget != nColumn && nTarget != nColumn + 1)
            // The target is the gap before column nTarget; once the column
            // is out of the array, a gap behind it is one place further left.
            MoveColumn(nColumn, nTarget > nColumn ? nTarget - 1 : nTarget, TRUE);
    } else if (m_nPressedColumn >= 0 && !(m_dwListStyle & OZWLS_NOSORTHEADER)) {
        const int nColumn = m_nPressedColumn;
        if (::GetCapture() == TBase::m_hWnd)
            ::ReleaseCapture();
        m_nPressedColumn = -1;
        DrawHeaderItem(nColumn, FALSE);
        NotifyColumnClick(nColumn);
    }
    UINT nHit = 0;
    int nColumn = -1;
    const int nItem = HitTest(point.x, point.y, &nHit, &nColumn);
    const BOOL bShift = (nFlags & MK_SHIFT) != 0, bCtrl = (nFlags & MK_CONTROL) != 0;
    if (nItem >= 0 && (nHit & OZWHT_ONROW)) {
        if (IsInSelection(nItem) && GetSelectedCount() > 1 && !bShift && !bCtrl) {
            DeselectAllExcept(-1);
            SelectItemByInput(nItem, nHit, 0, TRUE);
            AfterSelectByInput(nItem, TRUE);
        } else if (bCtrl && !bShift) {
            SelectItemByInput(nItem, nHit, nFlags, TRUE);
            AfterSelectByInput(nItem, TRUE);
        }
    }
    BOOL bOnLabel = (nHit & (OZWHT_ONICON | OZWHT_ONLABEL)) != 0;
    if (!bOnLabel && (nHit & OZWHT_ONROW) && (m_dwListStyleEx & OZWLS_EX_FULLROWSELECT))
        bOnLabel = TRUE;
    if (!bOnLabel && (nHit & OZWHT_LEFTOFLABEL)) {
        BOOL bPending = FALSE, bSelect = FALSE;
        OnClickDecision(point, nItem, nHit, &bPending, &bSelect);
        bOnLabel = bSelect;
    }
    if (bOnLabel && nItem >= 0 && m_nPendingEditItem == nItem) {
        KillEditTimer();
        m_nEditTimer = TBase::SetTimer(OZWTIMER_LABELEDIT, 500, nullptr);
    }
    const BOOL bArm = (m_dwListStyle & OZWLS_EDITLABELS) && nItem >= 0 && IsInSelection(nItem) &&
                      ((nHit & OZWHT_ONLABEL) || ((m_dwListStyleEx & OZWLS_EX_FULLROWSELECT) && (nHit & OZWHT_ONROW) &&
                                                  m_nCurColumn > 0 && nColumn > 0));
    m_nPendingEditItem = bArm ? nItem : -1;
    TBase::OnLButtonUp(nFlags, point);
    NotifyCode(NM_CLICK);
}

template<class TBase>
void OZWListEngine<TBase>::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    m_nPendingEditItem = -1;
    KillEditTimer();
    TBase::OnLButtonDblClk(nFlags, point);
    NotifyCode(NM_DBLCLK);
}

template<class TBase>
void OZWListEngine<TBase>::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_pTip->m_hWnd != nullptr && ::IsWindowVisible(m_pTip->m_hWnd)) {
        if (CFrameWnd* pFrame = TBase::GetParentFrame())
            pFrame->SendMessage(WM_SETCURSOR, (WPARAM)pFrame->m_hWnd, MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN));
    }
    if (::GetFocus() != TBase::m_hWnd)
        ::SetFocus(TBase::m_hWnd);
    UINT nHit = 0;
    int nColumn = -1;
    const int nItem = HitTest(point.x, point.y, &nHit, &nColumn);
    if (!(nHit & OZWHT_ONDIVIDER)) {
        BOOL bPending = FALSE, bSelect = FALSE;
        OnClickDecision(point, nItem, nHit, &bPending, &bSelect);
        m_bClickPending = bPending;
        if (bSelect) {
            SelectItemByInput(nItem, nHit, nFlags | OZWKEY_RBUTTON, TRUE);
            AfterSelectByInput(nItem, TRUE);
        }
    }
    m_ptMouseDown = point;
    m_pTip->RefreshTip();
    m_bItemDrag = FALSE;
}

template<class TBase>
void OZWListEngine<TBase>::OnRButtonUp(UINT nFlags, CPoint point)
{
    m_bClickPending = FALSE;
    if (m_bItemDrag) {
        m_bItemDrag = FALSE;
        return;
    }
    m_pTip->RefreshTip();
    TBase::OnRButtonUp(nFlags, point);
    NotifyCode(NM_RCLICK);
}

template<class TBase>
void OZWListEngine<TBase>::OnBeginDrag(int, int, int) {}

template<class TBase>
void OZWListEngine<TBase>::OnBeginRightDrag(int, int, int) {}

template<class TBase>
int OZWListEngine<TBase>::TrackColumnDivider(int, int, int nColumn)
{
    HWND hWnd = TBase::m_hWnd;
    if (!IsValidColumn(nColumn) || (::GetCapture() != nullptr && ::GetCapture() != hWnd))
        return 0;
    ::SetCapture(hWnd);
    TBase::UpdateWindow();
    AfxLockTempMaps();
    CRect rows;
    GetRowsArea(rows);
    const int nLeft = rows.left + GetColumnLeft(nColumn);
    const int nStart = nLeft + m_columns[(size_t)nColumn]->m_nWidth;
    const int nMin = nLeft + 10;
    int nX = nStart;
    {
        CClientDC dc(this);
        const CSize size(1, 1);
        CRect fixed(nLeft, 0, nLeft + 2, rows.bottom);
        if (nColumn > 0)
            dc.DrawDragRect(&fixed, size, nullptr, size);
        CRect tracker(nX, 0, nX + 2, rows.bottom);
        dc.DrawDragRect(&tracker, size, nullptr, size);
        for (;;) {
            MSG msg;
            const BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
            if (bGot == 0) {
                // A quit asked for meanwhile is for the loop outside.
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (bGot == -1)
                break;
            if (::GetCapture() != hWnd)
                break;
            BOOL bDone = FALSE;
            switch (msg.message) {
            case WM_KEYDOWN:
                if (msg.wParam == VK_ESCAPE) {
                    nX = nStart;
                    bDone = TRUE;
                }
                break;
            case WM_MOUSEMOVE: {
                const int x = std::max((int)(short)LOWORD(msg.lParam), nMin);
                CRect moved(x, 0, x + 2, rows.bottom);
                dc.DrawDragRect(&moved, size, &tracker, size);
                tracker = moved;
                nX = x;
                break;
            }
            case WM_LBUTTONUP:
                nX = std::max((int)(short)LOWORD(msg.lParam), nMin);
                bDone = TRUE;
                break;
            case WM_RBUTTONDOWN:
                nX = nStart;
                bDone = TRUE;
                break;
            default:
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
                // Capture taken away: the last position stands.
                if (::GetCapture() != hWnd)
                    bDone = TRUE;
                break;
            }
            if (bDone)
                break;
        }
        dc.DrawDragRect(&tracker, CSize(0, 0), &tracker, size);
        if (nColumn > 0)
            dc.DrawDragRect(&fixed, CSize(0, 0), &fixed, size);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    AfxUnlockTempMaps();
    return std::max(nX, nMin) - nStart;
}

/////////////////////////////////////////////////////////////////////////////
// In-place label editing

template<class TBase>
BOOL OZWListEngine<TBase>::BeginLabelEdit(int nItem, int nColumn)
{
    if (TBase::m_hWnd == nullptr || m_pEdit->m_hWnd != nullptr || !IsValidItem(nItem))
        return FALSE;
    HideTip();
    if (m_nEditItem != -1)
        EndLabelEdit(TRUE);
    int nSubItem = GetColumnSubItem(nColumn);
    if (nSubItem < 0) {
        nSubItem = 0;
        nColumn = std::max(0, GetMainColumn());
    }
    m_nPendingEditItem = -1;
    m_nEditItem = nItem;
    m_nEditColumn = nColumn;
    m_nCurColumn = nColumn;
    CRect label;
    if (!GetSubItemRect(nItem, nColumn, &label, 2)) {
        EnsureVisible(nItem, FALSE);
        if (!GetSubItemRect(nItem, nColumn, &label, 2)) {
            m_nEditItem = -1;
            return FALSE;
        }
    }
    CRect rows;
    GetRowsArea(rows);
    CRect rc = label;
    rc.left = std::max(0, (int)label.left - 4);
    rc.top -= 1;
    rc.bottom += 1;
    rc.right = std::min<int>(rc.left + label.Width() + 4 + 10, rows.right);
    const DWORD dwStyle = WS_CHILD | WS_BORDER | ES_MULTILINE |
                          (IsLabelWrap() ? ES_AUTOVSCROLL : ES_AUTOHSCROLL | ES_WANTRETURN);
    if (!m_pEdit->Create(dwStyle, rc, this, OZWLIST_EDIT_ID)) {
        m_nEditItem = -1;
        return FALSE;
    }
    m_pEdit->SendMessage(EM_SETTABSTOPS, 0, 0);
    // The parent gets the edited text in a buffer of fixed size.
    m_pEdit->SendMessage(EM_LIMITTEXT, OZWLIST_TEXTBUFFER - 1, 0);
    {
        BOOL bOwned = FALSE;
        CDC* pDC = GetMeasureDC(&bOwned);
        std::unique_ptr<OZWListPaintContext> ctx(NewPaintContext(pDC));
        ctx->m_item.iItem = nItem;
        ctx->m_item.iSubItem = nSubItem;
        ctx->m_nColumn = nColumn;
        ctx->m_pColumn = GetColumnAt(nColumn);
        ctx->m_pItem = GetItemRecord(nItem);
        ctx->m_pCell = ctx->m_pItem->GetCell(nSubItem);
        PrepareCell(ctx.get());
        if (ctx->m_pFont != nullptr)
            m_pEdit->SendMessage(WM_SETFONT, (WPARAM)ctx->m_pFont->m_hObject, FALSE);
        ctx.reset();
        if (bOwned)
            delete pDC;
    }
    const CString strText = GetItemText(nItem, nSubItem);
    m_pEdit->SetWindowText(strText);
    m_pEdit->SendMessage(EM_SETSEL, 0, -1);
    m_pEdit->SendMessage(EM_SCROLLCARET, 0, 0);
    if (NotifyBeginLabelEdit(nItem, nSubItem) == 1) {
        m_pEdit->DestroyWindow();
        m_nEditItem = -1;
        m_nPendingEditItem = -1;
        m_bEditEnded = FALSE;
        return FALSE;
    }
    m_pEdit->ShowWindow(SW_SHOW);
    m_pEdit->SetFocus();
    m_strEditOriginal = strText;
    RedrawItem(nItem);
    m_bEditEnded = FALSE;
    return TRUE;
}

template<class TBase>
BOOL OZWListEngine<TBase>::EndLabelEdit(BOOL bCommit)
{
    if (m_pEdit->m_hWnd == nullptr || m_bEditEnded)
        return FALSE;
    m_bEditEnded = TRUE;
    CString strText;
    m_pEdit->GetWindowText(strText);
    const int nItem = m_nEditItem;
    const int nSubItem = std::max(0, GetColumnSubItem(m_nEditColumn));
    const BOOL bAccepted = NotifyEndLabelEdit(nItem, nSubItem, strText, bCommit);
    if (bAccepted) {
        SetItemText(nItem, nSubItem, strText);
        OnLabelChanged(nItem, nSubItem);
    } else {
        SetItemText(nItem, nSubItem, m_strEditOriginal);
    }
    // The list takes the focus back from the editor before it goes (unless
    // the edit ends because the focus went elsewhere).
    if (!m_bEditLosingFocus && ::GetFocus() == m_pEdit->m_hWnd)
        ::SetFocus(TBase::m_hWnd);
    if (m_pEdit->m_hWnd != nullptr)
        m_pEdit->DestroyWindow();
    m_nEditItem = -1;
    if (IsValidItem(nItem))
        GetItemRecord(nItem)->m_bNeedsMeasure = TRUE;
    RecalcLayout();
    InvalidateList();
    return TRUE;
}

template<class TBase>
void OZWListEngine<TBase>::OnEditKillFocus()
{
    m_bEditLosingFocus = TRUE;
    EndLabelEdit(TRUE);
    m_bEditLosingFocus = FALSE;
}

template<class TBase>
void OZWListEngine<TBase>::OnEditUpdate()
{
    if (m_nEditItem < 0 || m_pEdit->m_hWnd == nullptr || m_bEditEnded)
        return;
    CString strText;
    m_pEdit->GetWindowText(strText);
    const int nItem = m_nEditItem;
    const int nSubItem = std::max(0, GetColumnSubItem(m_nEditColumn));
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr)
        return;
    const int nOldHeight = pItem->m_nHeight;
    SetItemText(nItem, nSubItem, strText);
    MeasureRow(nItem, TRUE);
    if (pItem->m_nHeight != nOldHeight) {
        RecalcLayout();
        RedrawItem(nItem, FALSE, FALSE, TRUE);
    }
    CRect label;
    if (!GetSubItemRect(nItem, m_nEditColumn, &label, 2))
        return;
    CRect rows;
    GetRowsArea(rows);
    const int nLeft = std::max(0, (int)label.left - 4);
    int nRight = label.right + 4 + 10;
    if (GetColumnCount() == 1)
        nRight = std::min<int>(nRight, rows.right);
    else
        nRight = std::min<int>(nRight, rows.left + GetColumnRight(m_nEditColumn));
    m_pEdit->SetWindowPos(nullptr, 0, 0, std::max(1, nRight - nLeft), label.Height() + 2,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
