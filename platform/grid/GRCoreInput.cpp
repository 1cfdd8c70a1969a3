// CGRGridCore: mouse, keyboard and scroll bar input.
#include "platform/grid/GRCore.h"
#include "platform/grid/GRApp.h"
#include "platform/grid/GRControl.h"

#include <algorithm>
#include <cstdlib>

namespace {
const UINT_PTR kAutoScrollTimer = 0x4752;   // timer id while the mouse drags beyond the edge

BOOL KeyDown(int vk)
{
    return ::GetKeyState(vk) < 0;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Mouse

void CGRGridCore::EndTracking()
{
    HWND hWnd = GetGridHwnd();
    if (m_nTracking == trackColWidth || m_nTracking == trackRowHeight)
        DrawTrackLine(-1, m_nTracking == trackColWidth);
    if (m_nTracking == trackFill)
    {
        m_rangeFillTarget.SetNull();
        Redraw(GR_INVALIDATE);
    }
    m_nTracking = trackNone;
    if (m_nAutoScrollTimer && hWnd)
        ::KillTimer(hWnd, m_nAutoScrollTimer);
    m_nAutoScrollTimer = 0;
    if (hWnd && ::GetCapture() == hWnd)
        ::ReleaseCapture();
}

// Draws (inverting) the line that shows a new column border while resizing;
// nPos -1 removes the line drawn last.
void CGRGridCore::DrawTrackLine(int nPos, BOOL bVertical)
{
    static int s_nDrawn = -1;
    HWND hWnd = GetGridHwnd();
    if (!hWnd)
        return;
    HDC hdc = ::GetDC(hWnd);
    if (!hdc)
        return;
    CRect rc = GetGridRect();
    if (s_nDrawn >= 0)
    {
        if (bVertical)
            ::PatBlt(hdc, s_nDrawn, rc.top, 1, rc.Height(), DSTINVERT);
        else
            ::PatBlt(hdc, rc.left, s_nDrawn, rc.Width(), 1, DSTINVERT);
    }
    s_nDrawn = nPos;
    if (nPos >= 0)
    {
        if (bVertical)
            ::PatBlt(hdc, nPos, rc.top, 1, rc.Height(), DSTINVERT);
        else
            ::PatBlt(hdc, rc.left, nPos, rc.Width(), 1, DSTINVERT);
    }
    ::ReleaseDC(hWnd, hdc);
}

// Gives the grid the keyboard focus unless it or its control has it; TRUE
// when the focus came to it now.
BOOL CGRGridCore::TakeFocus()
{
    HWND hWnd = GetGridHwnd();
    if (!hWnd || ::GetFocus() == hWnd)
        return FALSE;
    HWND hFocus = ::GetFocus();
    if (hFocus && ::IsChild(hWnd, hFocus))
        return FALSE;
    ::SetFocus(hWnd);
    return TRUE;
}

void CGRGridCore::DoLButtonDown(UINT nFlags, CPoint pt)
{
    HWND hWnd = GetGridHwnd();
    if (TakeFocus() && !Param()->IsFirstClickActs())
        return;
    EndTracking();
    ROWCOL row, col;
    CRect rc;
    int ht = HitTest(pt, &row, &col, &rc);
    if (ht == GR_HT_NOHIT)
        return;
    CGRGridParam* pParam = Param();
    // On a border: resizing the column (row) starts when the grid allows it.
    BOOL bVert = ht == GR_HT_VERTLINE;
    if (bVert || ht == GR_HT_HORZLINE)
    {
        BOOL bAllowed = bVert ? pParam->IsEnableTrackColWidth() && OnTrackColWidth(col)
                              : pParam->IsEnableTrackRowHeight() && OnTrackRowHeight(row);
        if (bAllowed)
        {
            TransferCurrentCell();
            m_nTracking = bVert ? trackColWidth : trackRowHeight;
            m_nHitCol = col;
            m_nHitRow = row;
            m_nTrackStartPos = bVert ? rc.left : rc.top;
            m_nTrackSize = bVert ? GetColWidthShown(col) : GetRowHeightShown(row);
            if (hWnd)
                ::SetCapture(hWnd);
            DrawTrackLine(m_nTrackStartPos + m_nTrackSize, bVert);
            return;
        }
        ht = GR_HT_HEADER;
    }
    if (ht == GR_HT_FILLHANDLE)
    {
        CGRRange source = GetFillSource();
        UINT fillFlags = 0;
        CPoint ptFill = pt;
        if (source.IsValid() && TransferCurrentCell() && OnStartAutoFillSelection(source, fillFlags, ptFill))
        {
            m_rangeFillSource = source;
            m_rangeFillTarget = source;
            m_nTracking = trackFill;
            if (hWnd)
                ::SetCapture(hWnd);
        }
        return;
    }
    m_nHitRow = m_nDragRow = row;
    m_nHitCol = m_nDragCol = col;
    m_bHitWasCurrent = IsCurrentCell(row, col) && !IsActiveCurrentCell();
    m_ptLastMouse = pt;
    m_nTracking = trackHit;
    if (!OnLButtonHitRowCol(row, col, row, col, pt, nFlags, GR_HIT_PRESS))
    {
        EndTracking();
        return;
    }
    if (m_nTracking != trackNone && hWnd)
        ::SetCapture(hWnd);
}

void CGRGridCore::TrackMouse(CPoint pt, UINT nFlags)
{
    m_ptLastMouse = pt;
    CRect rcGrid = GetGridRect();
    CPoint ptIn = pt;
    // Beyond the edges: the nearest cell, and (when asked for) scrolling.
    BOOL bBeyond = !rcGrid.PtInRect(pt);
    ptIn.x = std::max<LONG>(rcGrid.left, std::min<LONG>(pt.x, rcGrid.right - 1));
    ptIn.y = std::max<LONG>(rcGrid.top, std::min<LONG>(pt.y, rcGrid.bottom - 1));
    ROWCOL row = m_nDragRow, col = m_nDragCol;
    if (!CalcRowColFromPoint(ptIn, &row, &col))
    {
        // Below the last row or right of the last column.
        if (pt.y >= rcGrid.top)
            row = std::max(m_nDragRow, (ROWCOL)std::min(GetLastVisibleRow(), GetRowCount()));
        if (pt.x >= rcGrid.left)
            col = std::max(m_nDragCol, (ROWCOL)std::min(GetLastVisibleCol(), GetColCount()));
    }
    if (bBeyond && (m_bAutoScroll || m_nTracking == trackSelect || m_nTracking == trackFill))
    {
        if (pt.y >= rcGrid.bottom && row < GetRowCount())
        {
            SetTopRow(m_nTopRow + 1, GR_UPDATENOW);
            row = std::min<ROWCOL>(GetLastVisibleRow(), GetRowCount());
        }
        else if (pt.y < rcGrid.top + FrozenHeight() && m_nTopRow > FirstScrollRow())
        {
            SetTopRow(m_nTopRow - 1, GR_UPDATENOW);
            row = m_nTopRow;
        }
        HWND hWnd = GetGridHwnd();
        if (hWnd && !m_nAutoScrollTimer)
            m_nAutoScrollTimer = ::SetTimer(hWnd, kAutoScrollTimer, 60, nullptr);
    }
    if (m_nTracking == trackFill)
    {
        // The fill extends the source down or to the right, the way the
        // pointer moved further.
        CGRRange target = m_rangeFillSource;
        ROWCOL dr = row > m_rangeFillSource.bottom ? row - m_rangeFillSource.bottom : 0;
        ROWCOL dc = col > m_rangeFillSource.right ? col - m_rangeFillSource.right : 0;
        if (dr >= dc)
            target.bottom = std::max(m_rangeFillSource.bottom, row);
        else
            target.right = std::max(m_rangeFillSource.right, col);
        if (target != m_rangeFillTarget)
        {
            m_rangeFillTarget = target;
            Redraw(GR_INVALIDATE);
        }
        m_nDragRow = row;
        m_nDragCol = col;
        return;
    }
    if (row == m_nDragRow && col == m_nDragCol && m_nTracking != trackSelect)
        return;
    m_nDragRow = row;
    m_nDragCol = col;
    WORD state = GR_HIT_MOVE | GR_HIT_LEFT;
    if (row == m_nHitRow && col == m_nHitCol)
        state |= GR_HIT_INCELL;
    if (!OnLButtonHitRowCol(m_nHitRow, m_nHitCol, row, col, pt, nFlags, state))
        EndTracking();
}

void CGRGridCore::DoMouseMove(UINT nFlags, CPoint pt)
{
    switch (m_nTracking)
    {
    case trackColWidth:
    {
        int w = std::max(0, (int)pt.x - m_nTrackStartPos);
        if (OnTrackColWidthMove(m_nHitCol, w))
        {
            m_nTrackSize = w;
            DrawTrackLine(m_nTrackStartPos + w, TRUE);
        }
        return;
    }
    case trackRowHeight:
    {
        int h = std::max(1, (int)pt.y - m_nTrackStartPos);
        m_nTrackSize = h;
        DrawTrackLine(m_nTrackStartPos + h, FALSE);
        return;
    }
    case trackHit:
    case trackSelect:
    case trackFill:
        if (!(nFlags & MK_LBUTTON) && GetGridHwnd())
        {
            // The release was missed (capture lost): end as a release.
            DoLButtonUp(nFlags, pt);
            return;
        }
        TrackMouse(pt, nFlags);
        return;
    default:
        return;
    }
}

void CGRGridCore::DoTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kAutoScrollTimer)
        return;
    if (m_nTracking == trackSelect || m_nTracking == trackFill || (m_nTracking == trackHit && m_bAutoScroll))
    {
        CRect rc = GetGridRect();
        if (!rc.PtInRect(m_ptLastMouse))
        {
            TrackMouse(m_ptLastMouse, MK_LBUTTON);
            return;
        }
    }
    HWND hWnd = GetGridHwnd();
    if (hWnd && m_nAutoScrollTimer)
        ::KillTimer(hWnd, m_nAutoScrollTimer);
    m_nAutoScrollTimer = 0;
}

void CGRGridCore::DoLButtonUp(UINT nFlags, CPoint pt)
{
    Tracking tracking = m_nTracking;
    if (tracking == trackNone)
        return;
    if (tracking == trackColWidth || tracking == trackRowHeight)
    {
        BOOL bVert = tracking == trackColWidth;
        ROWCOL line = bVert ? m_nHitCol : m_nHitRow;
        int size = m_nTrackSize;
        EndTracking();
        if (bVert ? OnTrackColWidthEnd(line, size) : OnTrackRowHeightEnd(line, size))
            SetLineSize(!bVert, line, line, size, nullptr, GR_INVALIDATE);
        Redraw(GR_INVALIDATE);
        return;
    }
    if (tracking == trackFill)
    {
        // The fill first: ending the tracking forgets the target.
        m_nTracking = trackNone;
        DoAutoFill();
        EndTracking();
        return;
    }
    ROWCOL row = GR_INVALID, col = GR_INVALID;
    BOOL bOnCell = CalcRowColFromPoint(pt, &row, &col);
    BOOL bSame = bOnCell && row == m_nHitRow && col == m_nHitCol;
    ROWCOL hitRow = m_nHitRow, hitCol = m_nHitCol;
    BOOL bWasCurrent = m_bHitWasCurrent;
    WORD state = bSame ? (WORD)GR_HIT_RELEASE : (WORD)(GR_HIT_END | GR_HIT_LEFT);
    OnLButtonHitRowCol(hitRow, hitCol, bOnCell ? row : m_nDragRow, bOnCell ? col : m_nDragCol, pt, nFlags, state);
    EndTracking();
    if (!bSame)
        return;
    // A click: the cell's control first (a check box toggles), then the hook.
    CGRData& d = Param()->GetData();
    BOOL bDataCell = row > d.m_nHeaderRows && col > d.m_nHeaderCols;
    if (bDataCell)
    {
        CGRControl* pControl = GetControl(row, col);
        if (pControl && IsCurrentCell(row, col))
        {
            if (!pControl->IsInit(row, col))
                pControl->Init(row, col);
            if (pControl->LButtonUp(nFlags, pt, state))
                bWasCurrent = FALSE;
        }
    }
    OnLButtonClickedRowCol(row, col, nFlags, pt);
    if (bDataCell && bWasCurrent && IsCurrentCell(row, col) &&
        (Param()->GetActivateCellFlags() & GR_ACTIVATE_CLICKONCELL) && !(nFlags & (MK_SHIFT | MK_CONTROL)))
    {
        // The click is remembered: a second one in the editor soon after
        // is the second click of a double click on the cell.
        m_dwActivateClickTime = (DWORD)::GetMessageTime();
        m_ptActivateClick = pt;
        HWND hWnd = GetGridHwnd();
        if (hWnd)
            ::PostMessageA(hWnd, GRM_ACTIVATECELL, 0, 0);
        else
            ActivateCurrentCellByClick();
    }
}

BOOL CGRGridCore::ActivateCurrentCellByClick()
{
    if (!ActivateCurrentCell())
        return FALSE;
    // The whole text selected: typing replaces it, as typing over a cell
    // that is not being edited does; a click in the text places the caret.
    if (CGRControl* pControl = GetCurrentCellControl())
        pControl->SelectAllText();
    m_bClickActivated = TRUE;
    return TRUE;
}

BOOL CGRGridCore::OnEditorButtonDown(UINT nFlags, CPoint pt, DWORD dwTime)
{
    if (!m_bClickActivated)
        return FALSE;
    m_bClickActivated = FALSE;
    CGRControl* pControl = GetCurrentCellControl();
    if (!pControl || !pControl->IsActive() || pControl->GetModify())
        return FALSE;
    if (dwTime - m_dwActivateClickTime > ::GetDoubleClickTime() ||
        std::abs(pt.x - m_ptActivateClick.x) > ::GetSystemMetrics(SM_CXDOUBLECLK) / 2 ||
        std::abs(pt.y - m_ptActivateClick.y) > ::GetSystemMetrics(SM_CYDOUBLECLK) / 2)
        return FALSE;
    // The editor the first click opened goes, untouched, and the grid takes
    // the double click as on any other cell.
    CancelCurrentCell();
    DoLButtonDblClk(nFlags, pt);
    return TRUE;
}

void CGRGridCore::DoLButtonDblClk(UINT nFlags, CPoint pt)
{
    EndTracking();
    ROWCOL row, col;
    int ht = HitTest(pt, &row, &col);
    if (ht == GR_HT_NOHIT)
        return;
    if (ht == GR_HT_VERTLINE)
    {
        // A double click on a column border fits the column to its contents.
        if (Param()->IsEnableTrackColWidth() && OnTrackColWidth(col))
        {
            int w = CalcFitColWidth(col);
            if (w > 0 && OnTrackColWidthEnd(col, w))
                SetColWidth(col, col, w);
            Redraw(GR_INVALIDATE);
        }
        return;
    }
    if (ht == GR_HT_HORZLINE)
    {
        ResizeRowHeightsToFit(CGRRange().SetRows(row));
        return;
    }
    CGRControl* pControl = GetControl(row, col);
    if (pControl && IsCurrentCell(row, col) && pControl->IsInit(row, col) && pControl->LButtonDblClk(nFlags, pt))
        return;
    OnLButtonDblClkRowCol(row, col, nFlags, pt);
}

int CGRGridCore::CalcFitColWidth(ROWCOL nCol)
{
    CGRData& d = Param()->GetData();
    auto it = d.m_colWidths.find(nCol);
    BOOL bHad = it != d.m_colWidths.end();
    int old = bHad ? it->second : 0;
    ResizeColWidthsToFit(CGRRange().SetCols(nCol), TRUE, 0);
    auto it2 = d.m_colWidths.find(nCol);
    int w = it2 != d.m_colWidths.end() ? it2->second : 0;
    if (bHad)
        d.m_colWidths[nCol] = old;
    else
        d.m_colWidths.erase(nCol);
    return w;
}

void CGRGridCore::DoRButtonDown(UINT nFlags, CPoint pt)
{
    TakeFocus();
    EndTracking();
    ROWCOL row, col;
    if (!CalcRowColFromPoint(pt, &row, &col))
        return;
    m_nHitRow = m_nDragRow = row;
    m_nHitCol = m_nDragCol = col;
    if (OnRButtonHitRowCol(row, col, row, col, pt, nFlags,
                           GR_HIT_INCELL | GR_HIT_DOWN | GR_HIT_START | GR_HIT_RIGHT))
        m_nTracking = trackRHit;
}

void CGRGridCore::DoRButtonUp(UINT nFlags, CPoint pt)
{
    if (m_nTracking != trackRHit)
        return;
    m_nTracking = trackNone;
    ROWCOL row = GR_INVALID, col = GR_INVALID;
    BOOL bOnCell = CalcRowColFromPoint(pt, &row, &col);
    BOOL bSame = bOnCell && row == m_nHitRow && col == m_nHitCol;
    WORD state = (WORD)(GR_HIT_END | GR_HIT_RIGHT | (bSame ? GR_HIT_INCELL : 0));
    OnRButtonHitRowCol(m_nHitRow, m_nHitCol, bOnCell ? row : m_nHitRow, bOnCell ? col : m_nHitCol, pt, nFlags,
                       state);
    if (bSame)
        OnRButtonClickedRowCol(row, col, nFlags, pt);
}

void CGRGridCore::DoCancelMode()
{
    EndTracking();
}

BOOL CGRGridCore::DoMouseWheel(UINT, short zDelta, CPoint)
{
    if (!m_bMouseWheel)
        return FALSE;
    int notches = zDelta / WHEEL_DELTA;
    if (notches == 0)
        notches = zDelta > 0 ? 1 : -1;
    long step = -3L * notches;
    long top = (long)m_nTopRow + step;
    if (top < (long)FirstScrollRow())
        top = (long)FirstScrollRow();
    SetTopRow((ROWCOL)top, GR_UPDATENOW);
    return TRUE;
}

BOOL CGRGridCore::OnLButtonHitRowCol(ROWCOL nHitRow, ROWCOL nHitCol, ROWCOL nDragRow, ROWCOL nDragCol, CPoint,
                                     UINT flags, WORD nHitState)
{
    CGRGridParam* pParam = Param();
    CGRData& d = pParam->GetData();
    WORD wSel = pParam->GetEnableSelection();
    BOOL bColHeader = nHitRow <= d.m_nHeaderRows;
    BOOL bRowHeader = nHitCol <= d.m_nHeaderCols;
    if (nHitState & GR_HIT_START)
    {
        BOOL bShift = (flags & MK_SHIFT) && (wSel & GR_SELSHIFT);
        BOOL bCtrl = (flags & MK_CONTROL) && (wSel & GR_SELMULTIPLE);
        if (bColHeader && bRowHeader)
        {
            if (wSel & GR_SELTABLE)
            {
                TransferCurrentCell();
                SetSelection(nullptr);
                SelectRange(CGRRange().SetTable());
            }
            return TRUE;
        }
        if (bRowHeader)
        {
            if (!(wSel & GR_SELROW))
                return TRUE;
            // The current cell goes to the row (same column), and the row is
            // selected; dragging over row headers extends it.
            ROWCOL col = m_bCurCell ? m_nCurCol : d.m_nHeaderCols + 1;
            if (IsColHidden(col))
            {
                ROWCOL c = d.m_nHeaderCols + 1;
                if (FindNextCell(GR_RIGHT, nHitRow, c))
                    col = c;
            }
            m_bExtendingSelection = bShift || bCtrl;
            if (bShift && m_bCurCell)
            {
                m_nAnchorRow = m_nCurRow;
                m_nAnchorCol = 0;
            }
            else
            {
                StartSelection(nHitRow, 0, flags);
                m_bExtendingSelection = TRUE;
                BOOL bMoved = SetCurrentCell(nHitRow, col, GR_SCROLLINVIEW | GR_UPDATENOW | GR_NOSELCHANGE);
                m_bExtendingSelection = FALSE;
                if (!bMoved)
                    return FALSE;
            }
            m_bExtendingSelection = FALSE;
            ExtendSelectionTo(nHitRow, col);
            m_nTracking = trackSelect;
            return TRUE;
        }
        if (bColHeader)
        {
            if (!(wSel & GR_SELCOL))
                return TRUE;
            if (!TransferCurrentCell())
                return FALSE;
            StartSelection(0, nHitCol, flags);
            ExtendSelectionTo(d.m_nHeaderRows + 1, nHitCol);
            m_nTracking = trackSelect;
            return TRUE;
        }
        // A data cell.
        if (bShift && m_bCurCell && (wSel & GR_SELCELL))
        {
            m_nAnchorRow = m_nCurRow;
            m_nAnchorCol = m_nCurCol;
            if (!m_bSelectionAdded)
                SetSelection(nullptr);
            ExtendSelectionTo(nHitRow, nHitCol);
            m_nTracking = trackSelect;
            return TRUE;
        }
        m_bExtendingSelection = bCtrl;
        BOOL bMoved = SetCurrentCell(nHitRow, nHitCol, GR_SCROLLINVIEW | GR_UPDATENOW | GR_NOSELCHANGE);
        m_bExtendingSelection = FALSE;
        if (!bMoved)
            return FALSE;
        if (wSel & GR_SELCELL)
        {
            StartSelection(nHitRow, nHitCol, bCtrl ? MK_CONTROL : 0);
            m_nTracking = trackSelect;
        }
        else if (!pParam->GetRangeList()->IsEmpty())
            SetSelection(nullptr);
        return TRUE;
    }
    if (nHitState & GR_HIT_MOVE)
    {
        if (m_nTracking != trackSelect)
            return TRUE;
        // Only drags that leave the first cell make a range of cells.
        if (!m_bSelectionAdded && nDragRow == m_nAnchorRow && nDragCol == m_nAnchorCol)
            return TRUE;
        ROWCOL r = std::max(nDragRow, d.m_nHeaderRows + 1);
        ROWCOL c = std::max(nDragCol, d.m_nHeaderCols + 1);
        ExtendSelectionTo(r, c);
        return TRUE;
    }
    return TRUE;
}

BOOL CGRGridCore::OnRButtonHitRowCol(ROWCOL nHitRow, ROWCOL nHitCol, ROWCOL, ROWCOL, CPoint, UINT, WORD nHitState)
{
    CGRData& d = Param()->GetData();
    if ((nHitState & GR_HIT_START) && nHitRow > d.m_nHeaderRows && nHitCol > d.m_nHeaderCols)
    {
        // A right click outside the selection makes the cell current.
        if (!Param()->GetRangeList()->IsCellInList(nHitRow, nHitCol) && !IsCurrentCell(nHitRow, nHitCol))
        {
            if (!Param()->GetRangeList()->IsAnyCellFromRow(nHitRow))
                SetSelection(nullptr);
            SetCurrentCell(nHitRow, nHitCol);
        }
    }
    return TRUE;
}

BOOL CGRGridCore::OnLButtonClickedRowCol(ROWCOL, ROWCOL, UINT, CPoint)
{
    return TRUE;
}

BOOL CGRGridCore::OnRButtonClickedRowCol(ROWCOL, ROWCOL, UINT, CPoint)
{
    return TRUE;
}

BOOL CGRGridCore::OnLButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT, CPoint)
{
    CGRGridParam* pParam = Param();
    CGRData& d = pParam->GetData();
    if (nRow <= d.m_nHeaderRows && nCol > d.m_nHeaderCols)
    {
        if (pParam->GetSortRowsOnDblClk())
        {
            CGRSortInfoArray info;
            info.SetSize(1);
            info[0].nRC = nCol;
            info[0].sortType = GR_SORT_AUTO;
            info[0].bAscending = !(pParam->GetLastSortedCol() == nCol && pParam->IsLastSortAscending());
            SortRows(CGRRange().SetTable(), info);
        }
        return TRUE;
    }
    if (nRow > d.m_nHeaderRows && nCol > d.m_nHeaderCols && IsCurrentCell(nRow, nCol) &&
        (pParam->GetActivateCellFlags() & GR_ACTIVATE_DBLCLK))
        ActivateCurrentCell();
    return TRUE;
}

BOOL CGRGridCore::OnTrackColWidth(ROWCOL)
{
    return TRUE;
}

BOOL CGRGridCore::OnTrackColWidthMove(ROWCOL, int)
{
    return TRUE;
}

BOOL CGRGridCore::OnTrackColWidthEnd(ROWCOL, int)
{
    return TRUE;
}

BOOL CGRGridCore::OnTrackRowHeight(ROWCOL)
{
    return TRUE;
}

BOOL CGRGridCore::OnTrackRowHeightEnd(ROWCOL, int)
{
    return TRUE;
}

// Copies the values of the fill source over the target, repeating them.
void CGRGridCore::DoAutoFill()
{
    CGRRange src = m_rangeFillSource, dst = m_rangeFillTarget;
    m_rangeFillTarget.SetNull();
    if (!src.IsValid() || !dst.IsValid() || src == dst)
    {
        Redraw(GR_INVALIDATE);
        return;
    }
    BOOL bLock = LockUpdate(TRUE);
    if (dst.bottom > src.bottom)
    {
        for (ROWCOL r = src.bottom + 1; r <= dst.bottom; r++)
        {
            ROWCOL srcRow = src.top + (r - src.bottom - 1) % src.GetHeight();
            for (ROWCOL c = src.left; c <= src.right; c++)
                SetControlTextRowCol(r, c, GetValueRowCol(srcRow, c), 0);
        }
    }
    else if (dst.right > src.right)
    {
        for (ROWCOL c = src.right + 1; c <= dst.right; c++)
        {
            ROWCOL srcCol = src.left + (c - src.right - 1) % src.GetWidth();
            for (ROWCOL r = src.top; r <= src.bottom; r++)
                SetControlTextRowCol(r, c, GetValueRowCol(r, srcCol), 0);
        }
    }
    LockUpdate(bLock);
    SetSelection(nullptr);
    SelectRange(dst, TRUE, 0);
    Redraw(GR_INVALIDATE);
}

/////////////////////////////////////////////////////////////////////////////
// Scroll bars

void CGRGridCore::DoVScroll(UINT nSBCode, UINT)
{
    DoScroll(TRUE, nSBCode);
}

void CGRGridCore::DoHScroll(UINT nSBCode, UINT)
{
    DoScroll(FALSE, nSBCode);
}

void CGRGridCore::DoScroll(BOOL bRows, UINT nSBCode)
{
    ROWCOL first = bRows ? FirstScrollRow() : FirstScrollCol();
    ROWCOL current = bRows ? m_nTopRow : m_nLeftCol;
    auto count = [&] { return bRows ? GetRowCount() : GetColCount(); };
    auto scrollTo = [&](ROWCOL n) { return bRows ? SetTopRow(n) : SetLeftCol(n); };
    // The next shown line after (bForward) or before the current first one.
    auto step = [&](BOOL bForward) {
        for (ROWCOL n = current; bForward ? n < count() : n > first;)
        {
            n = bForward ? n + 1 : n - 1;
            if (LineSize(bRows, n) > 0 || n == first)
                return scrollTo(n);
        }
        return FALSE;
    };
    switch (nSBCode)
    {
    case SB_LINEUP:
        step(FALSE);
        break;
    case SB_LINEDOWN:
        step(TRUE);
        break;
    case SB_PAGEUP:
        if (current > first)
            scrollTo(FirstLineFitting(bRows, current - 1));
        break;
    case SB_PAGEDOWN:
    {
        ROWCOL last = LastVisibleLine(bRows);
        scrollTo(last > current ? last : current + 1);
        break;
    }
    case SB_TOP:
        scrollTo(first);
        break;
    case SB_BOTTOM:
        if (bRows)
            OnTestGridDimension(GR_MAXROWCOL, 0);
        scrollTo(FirstLineFitting(bRows, count()));
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
    {
        HWND hWnd = GetGridHwnd();
        if (nSBCode == SB_THUMBTRACK && !Param()->IsEnableThumbTrack())
            break;
        SCROLLINFO si = { sizeof(si) };
        si.fMask = SIF_TRACKPOS | SIF_RANGE | SIF_PAGE;
        if (!hWnd || !::GetScrollInfo(hWnd, bRows ? SB_VERT : SB_HORZ, &si))
            break;
        ROWCOL n = first + (ROWCOL)std::max(0, si.nTrackPos);
        // Reaching the end of the rows known counts the rest.
        if (bRows && si.nTrackPos + (int)si.nPage > si.nMax)
            OnTestGridDimension(n + si.nPage + 1, 0);
        scrollTo(n);
        break;
    }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Focus and cursor

void CGRGridCore::DoSetFocus()
{
    if (IsActiveCurrentCell())
    {
        CGRControl* pControl = GetCurrentCellControl();
        if (pControl)
            pControl->SetControlFocus();
    }
    if (m_bCurCell)
        RedrawRowCol(m_nCurRow, m_nCurCol);
}

void CGRGridCore::DoKillFocus(HWND)
{
    if (m_bCurCell)
        RedrawRowCol(m_nCurRow, m_nCurCol);
}

BOOL CGRGridCore::DoSetCursor(CPoint ptClient)
{
    if (m_nTracking == trackColWidth)
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    ROWCOL row, col;
    int ht = HitTest(ptClient, &row, &col);
    if (ht == GR_HT_VERTLINE && Param()->IsEnableTrackColWidth() && OnTrackColWidth(col))
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    if (ht == GR_HT_HORZLINE && Param()->IsEnableTrackRowHeight())
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
        return TRUE;
    }
    if (ht == GR_HT_FILLHANDLE)
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
        return TRUE;
    }
    return FALSE;
}

CString CGRGridCore::GetToolTipText(CPoint ptClient)
{
    if (!m_bToolTips)
        return CString();
    ROWCOL row, col;
    if (!CalcRowColFromPoint(ptClient, &row, &col))
        return CString();
    return LookupStyleRowCol(row, col).GetUserAttribute(GR_IDS_UA_TOOLTIPTEXT);
}

/////////////////////////////////////////////////////////////////////////////
// Keyboard

BOOL CGRGridCore::ProcessKeys(CWnd*, UINT nMessage, UINT nChar, UINT nRepCnt, UINT flags)
{
    switch (nMessage)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return OnGridKeyDown(nChar, nRepCnt, flags);
    case WM_CHAR:
        return OnGridChar(nChar, nRepCnt, flags);
    }
    return FALSE;
}

BOOL CGRGridCore::MoveByTab(BOOL bBack)
{
    CGRData& d = Param()->GetData();
    ROWCOL row = m_bCurCell ? m_nCurRow : d.m_nHeaderRows + 1;
    ROWCOL col = m_bCurCell ? m_nCurCol : d.m_nHeaderCols + 1;
    if (!bBack)
    {
        ROWCOL c = col + 1;
        if (FindNextCell(GR_RIGHT, row, c))
            return SetCurrentCell(row, c);
        ROWCOL r = row + 1;
        if (FindCellInRows(TRUE, r, c))
            return SetCurrentCell(r, c);
        return FALSE;
    }
    if (col > d.m_nHeaderCols + 1)
    {
        ROWCOL c = col - 1;
        if (FindNextCell(GR_LEFT, row, c))
            return SetCurrentCell(row, c);
    }
    if (row > d.m_nHeaderRows + 1)
    {
        ROWCOL r = row - 1, c = col;
        if (FindCellInRows(FALSE, r, c))
            return SetCurrentCell(r, c);
    }
    return FALSE;
}

BOOL CGRGridCore::HandleEnterKey(BOOL bShift)
{
    if (!IsActiveCurrentCell())
        return ActivateCurrentCell();
    if (!TransferCurrentCell())
        return TRUE;
    switch (Param()->GetEnterKeyAction())
    {
    case 1:
        MoveCurrentCell(bShift ? GR_UP : GR_DOWN, 1, FALSE);
        break;
    case 2:
        MoveCurrentCell(bShift ? GR_LEFT : GR_RIGHT, 1, FALSE);
        break;
    case 3:
        MoveByTab(bShift);
        break;
    }
    return TRUE;
}

BOOL CGRGridCore::OnGridKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    BOOL bCtrl = KeyDown(VK_CONTROL);
    BOOL bShift = KeyDown(VK_SHIFT);
    BOOL bActive = IsActiveCurrentCell();
    CGRControl* pControl = GetCurrentCellControl();
    if (pControl && m_bCurCell)
    {
        if (!pControl->IsInit(m_nCurRow, m_nCurCol))
            pControl->Init(m_nCurRow, m_nCurCol);
        if (pControl->KeyPressed(WM_KEYDOWN, nChar, nRepCnt, nFlags))
            return TRUE;
    }
    UINT n = nRepCnt ? nRepCnt : 1;
    switch (nChar)
    {
    case VK_UP:
        if (bActive && !TransferCurrentCell())
            return TRUE;
        MoveCurrentCell(bCtrl ? GR_TOP : GR_UP, n);
        return TRUE;
    case VK_DOWN:
        if (bActive && !TransferCurrentCell())
            return TRUE;
        MoveCurrentCell(bCtrl ? GR_BOTTOM : GR_DOWN, n);
        return TRUE;
    case VK_LEFT:
        if (bActive)
            return FALSE;
        MoveCurrentCell(bCtrl ? GR_MOSTLEFT : GR_LEFT, n);
        return TRUE;
    case VK_RIGHT:
        if (bActive)
            return FALSE;
        MoveCurrentCell(bCtrl ? GR_MOSTRIGHT : GR_RIGHT, n);
        return TRUE;
    case VK_HOME:
        if (bActive)
            return FALSE;
        MoveCurrentCell(bCtrl ? GR_TOPLEFT : GR_MOSTLEFT);
        return TRUE;
    case VK_END:
        if (bActive)
            return FALSE;
        MoveCurrentCell(bCtrl ? GR_BOTTOMRIGHT : GR_MOSTRIGHT);
        return TRUE;
    case VK_PRIOR:
        if (bActive && !TransferCurrentCell())
            return TRUE;
        MoveCurrentCell(GR_PAGEUP);
        return TRUE;
    case VK_NEXT:
        if (bActive && !TransferCurrentCell())
            return TRUE;
        MoveCurrentCell(GR_PAGEDOWN);
        return TRUE;
    case VK_TAB:
        if (bCtrl)
            return FALSE;
        if (bActive && !TransferCurrentCell())
            return TRUE;
        MoveByTab(bShift);
        return TRUE;
    case VK_RETURN:
        return HandleEnterKey(bShift);
    case VK_ESCAPE:
        if (bActive)
        {
            CancelCurrentCell();
            return TRUE;
        }
        return FALSE;
    case VK_F2:
        if (!bActive)
            ActivateCurrentCell();
        return TRUE;
    case VK_DELETE:
    {
        if (bActive)
            return FALSE;
        CGRRangeList list;
        if (!CopyRangeList(list, TRUE))
            return TRUE;
        BOOL bLock = LockUpdate(TRUE);
        int nCells = 0;
        for (const CGRRange& r : list.List())
            for (ROWCOL row = r.top; row <= r.bottom && nCells < 100000; row++)
                for (ROWCOL col = r.left; col <= r.right; col++, nCells++)
                    if (!IsRowHidden(row) && !IsColHidden(col) && IsCellEditable(row, col) &&
                        !GetValueRowCol(row, col).IsEmpty())
                        SetControlTextRowCol(row, col, CString(), 0);
        LockUpdate(bLock);
        Redraw(GR_INVALIDATE);
        return TRUE;
    }
    case VK_BACK:
        if (bActive)
            return FALSE;
        if (ActivateCurrentCell())
        {
            CGRControl* p = GetCurrentCellControl();
            if (p)
            {
                p->SetCurrentText(CString());
                p->SetModify(TRUE);
                OnModifyCell(m_nCurRow, m_nCurCol);
            }
        }
        return TRUE;
    case VK_INSERT:
        if (bActive)
            return FALSE;
        if (bCtrl)
            return Copy();
        if (bShift)
            return Paste();
        return FALSE;
    }
    if (bCtrl && !KeyDown(VK_MENU))
    {
        if (bActive)
            return FALSE;
        switch (nChar)
        {
        case 'C': Copy(); return TRUE;
        case 'X': Cut(); return TRUE;
        case 'V': Paste(); return TRUE;
        case 'Z': Undo(); return TRUE;
        case 'Y': Redo(); return TRUE;
        case 'A':
            if (Param()->GetEnableSelection() & GR_SELTABLE)
            {
                SetSelection(nullptr);
                SelectRange(CGRRange().SetTable());
            }
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CGRGridCore::OnGridChar(UINT nChar, UINT, UINT)
{
    // Enter, Tab and Escape were handled as keys.
    if (nChar == '\r' || nChar == '\t' || nChar == 27 || nChar == '\n')
        return TRUE;
    if (IsActiveCurrentCell())
        return FALSE;
    if (nChar < 32 || nChar == 127 || KeyDown(VK_CONTROL))
        return FALSE;
    if (!m_bCurCell)
        return FALSE;
    CGRControl* pControl = GetCurrentCellControl();
    if (pControl && !pControl->IsInit(m_nCurRow, m_nCurCol))
        pControl->Init(m_nCurRow, m_nCurCol);
    if (pControl && pControl->KeyPressed(WM_CHAR, nChar))
        return TRUE;
    ActivateCurrentCell(nChar);
    return TRUE;
}
