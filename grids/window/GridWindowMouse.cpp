// CGridWindow: clicks, presses and double clicks, and the header sort.
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"

using namespace kvgrid;

BOOL CGridWindow::OnLButtonClickedRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt)
{
    if (nCol == 0 && nRow >= 1 && m_nTableType != TABLE_QUERY)
    {
        // A row header selects the component's Description. The rows the
        // click selected stay selected: a click selects its row, Ctrl adds
        // the row to the rows selected before, and Shift selects the rows
        // from the current one to the row clicked, the current cell staying
        // where the range starts (unless the click adds the row's component
        // to an assembly or emitter, which takes the row clicked).
        const BOOL bAdding = State().bAssemblyMode || (State().bNozzleMode && m_nTableType == TABLE_NOZZLE);
        if (!(nFlags & MK_SHIFT) || bAdding)
        {
            m_bExtendingSelection = TRUE;
            SetCurrentCell(nRow, COL_DESCRIPTION, GR_SCROLLINVIEW | GR_UPDATENOW | GR_NOSELCHANGE);
            m_bExtendingSelection = FALSE;
        }
        if (State().bAssemblyMode)
            AddToAssembly(-1);
        else if (State().bNozzleMode && m_nTableType == TABLE_NOZZLE)
            AddNozzleToEmitter();
    }
    return CGRODBCGrid::OnLButtonClickedRowCol(nRow, nCol, nFlags, pt);
}

BOOL CGridWindow::OnLButtonHitRowCol(ROWCOL nHitRow, ROWCOL nHitCol, ROWCOL nDragRow, ROWCOL nDragCol,
                                     CPoint point, UINT flags, WORD nHitState)
{
    // Lets go of the picker cells that are pressed.
    auto letGo = [this] {
        if (m_nColourRow != -1)
        {
            RedrawRowCol((ROWCOL)m_nColourRow, COL_COLOUR1);
            m_nColourRow = -1;
        }
        if (m_nLineTypeRow != -1)
        {
            RedrawRowCol((ROWCOL)m_nLineTypeRow, COL_LINETYPE);
            m_nLineTypeRow = -1;
        }
    };
    BOOL bColour = nHitCol > 0 && IsColourColumn(nHitCol);
    BOOL bLineType = nHitCol > 0 && !bColour && IsLineTypeColumn(nHitCol);
    if (!bColour && !bLineType)
    {
        // A press elsewhere lets go of a pressed picker cell.
        letGo();
        return CGRODBCGrid::OnLButtonHitRowCol(nHitRow, nHitCol, nDragRow, nDragCol, point, flags, nHitState);
    }
    if (!IsRecordRow(nHitRow))
        return CGRODBCGrid::OnLButtonHitRowCol(nHitRow, nHitCol, nDragRow, nDragCol, point, flags, nHitState);

    long& pressedRow = bColour ? m_nColourRow : m_nLineTypeRow;
    if (nHitState == GR_HIT_PRESS)
    {
        if (m_bReadOnly)
            return TRUE;
        pressedRow = (long)nHitRow;
        RedrawRowCol(nHitRow, nHitCol, GR_UPDATENOW);
        CRect rect = CalcRectFromRowCol(nHitRow, nHitCol);
        if (HWND hWnd = GetGridHwnd())
        {
            POINT corners[2] = { { rect.left, rect.top }, { rect.right, rect.bottom } };
            ::MapWindowPoints(hWnd, nullptr, corners, 2);
            rect = CRect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        }
        long value = std::atol(GetValueRowCol(nHitRow, nHitCol));
        if (m_pView)
        {
            if (bColour)
                m_pView->ShowColourPopup(rect, value);
            else
                m_pView->ShowLineTypePopup(rect, value, (long)nHitRow);
        }
        // The picker has run, and has written its choice into the pressed
        // cell: the cell is let go, and the grid does not follow the button,
        // which the picker had.
        if (pressedRow == (long)nHitRow)
        {
            pressedRow = -1;
            RedrawRowCol(nHitRow, nHitCol);
        }
        return FALSE;
    }
    else if (nHitState == GR_HIT_RELEASE)
    {
        pressedRow = -1;
        RedrawRowCol(nHitRow, nHitCol);
    }
    else if (nHitState & GR_HIT_END)
        letGo();
    return TRUE;
}

BOOL CGridWindow::OnRButtonHitRowCol(ROWCOL nHitRow, ROWCOL nHitCol, ROWCOL nDragRow, ROWCOL nDragCol,
                                     CPoint point, UINT flags, WORD nHitState)
{
    State().bColumnMenu = nHitRow == 0;
    return CGRODBCGrid::OnRButtonHitRowCol(nHitRow, nHitCol, nDragRow, nDragCol, point, flags, nHitState);
}

BOOL CGridWindow::OnLButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt)
{
    if (m_nTableType == TABLE_QUERY)
    {
        SortOnHeaderDblClk(nRow, nCol, nFlags, pt);
        return TRUE;
    }
    if (nRow >= 1 && m_pView)
    {
        if (State().bAssemblyMode)
            m_pView->OnAddToAssembly();
        else if (State().bNozzleMode)
            m_pView->OnAddNozzle();
        else if (nRow == GetAppendRow())
            m_pView->OnAddComponent();
        else
            m_pView->OnEditComponent();
        return TRUE;
    }
    SortOnHeaderDblClk(nRow, nCol, nFlags, pt);
    if (nRow == 0)
    {
        CRecordset* prs = GetRecordset();
        long key = GetCurrentKey();
        if (m_pAssemWnd)
            m_pAssemWnd->Refresh(prs);
        if (m_pNozzleWnd)
            m_pNozzleWnd->FillNozzles(key);
        if (m_pOutletWnd)
            m_pOutletWnd->FillOutlets(key);
    }
    return TRUE;
}

BOOL CGridWindow::SortOnHeaderDblClk(ROWCOL nRow, ROWCOL nCol, UINT, CPoint)
{
    if (nRow != 0 || nCol == 0 || !Param()->GetSortRowsOnDblClk())
        return FALSE;
    CGRSortInfoArray info;
    CGRSortInfo entry;
    entry.nRC = nCol;
    entry.sortType = GR_SORT_DATASOURCE;
    entry.bAscending = !(Param()->GetLastSortedCol() == nCol && Param()->IsLastSortAscending());
    info.Add(entry);
    SortRecordset(CGRRange().SetTable(), info, GR_UPDATENOW);
    return TRUE;
}

void CGridWindow::SortRecordset(const CGRRange&, CGRSortInfoArray& sortInfo, UINT flags)
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen() || sortInfo.GetSize() == 0)
        return;
    // Whatever is being typed is stored first.
    if (!TransferCurrentCell())
        return;
    if (GetBrowseParam()->m_nEditMode != GR_EDITMODE_NONE)
    {
        CString error;
        if (!Update(&error))
        {
            ReportFlushError(error);
            return;
        }
    }
    Param()->GetUndoList().RemoveAll();
    Param()->GetRedoList().RemoveAll();

    ROWCOL nCol = sortInfo[0].nRC;
    CString name = GetFieldName(nCol);
    if (name.IsEmpty())
        return;
    CString sort;
    if (m_nTableType == TABLE_TAPE)
        sort.Format(nCol <= (ROWCOL)ComponentColumnCount ? "C.[%s]" : "T.[%s]", (LPCTSTR)name);
    else
        sort.Format("[%s]", (LPCTSTR)name);
    if (!sortInfo[0].bAscending)
        sort += " DESC";
    prs->m_strSort = sort;
    KeepUserSort(sort, nCol, sortInfo[0].bAscending);
    SetSelection(nullptr);
    Requery();
    Param()->SetLastSort(nCol, sortInfo[0].bAscending);
    Redraw(flags ? flags : GR_INVALIDATE);
    // Back to the top left.
    m_bRestoreRow = FALSE;
    ROWCOL row = 1, col = 1;
    if (FindNextCell(GR_RIGHT, row, col))
        SetCurrentCell(row, col);
}
