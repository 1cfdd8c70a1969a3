// CGridWindow: deleting components, after asking, with the rows that belong
// to them.
#include "grids/window/GridWindow.h"
#include "grids/core/ComponentStore.h"
#include "grids/window/GridsWindowRes.h"
#include "grids/window/SideGrids.h"

#include <algorithm>

using namespace kvgrid;

std::vector<ROWCOL> CGridWindow::SelectedRowsDescending()
{
    CRowColArray selected;
    GetSelectedRows(selected, FALSE, TRUE);
    std::vector<ROWCOL> rows;
    for (INT_PTR i = 0; i < selected.GetSize(); i++)
        if (IsRecordRow(selected[i]))
            rows.push_back(selected[i]);
    // The highest first: deleting a row moves only the rows below it.
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void CGridWindow::DeleteSelected()
{
    CWnd* pGridWnd = GridWnd();
    if (IsOnLastRecord() || m_nTableType == TABLE_QUERY)
    {
        if (pGridWnd)
            pGridWnd->SetFocus();
        return;
    }
    std::vector<ROWCOL> rows = SelectedRowsDescending();
    CGRBrowseParam* bp = GetBrowseParam();
    const BOOL bEditing = bp->m_nEditMode != GR_EDITMODE_NONE;
    BOOL bConfirmed = (m_pView ? m_pView->GetOptions() : 0) & GRID_OPTION_DELETE_WITHOUT_ASKING;
    if (!bConfirmed && !rows.empty())
    {
        CString question;
        if (rows.size() >= 2)
        {
            question.Format(IDS_DELETE_SELECTED, (long)rows.size());
        }
        else if (!bEditing)
        {
            // The row that is deleted names itself.
            CString description = GetRowValue(rows[0], COL_DESCRIPTION);
            description.TrimRight();
            question.Format(IDS_DELETE_ONE, (LPCTSTR)description);
        }
        else
        {
            question.LoadString(IDS_DELETE_EDITED);
        }
        bConfirmed = GridMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    if (bConfirmed && bp->m_nEditMode == GR_EDITMODE_ADDNEW)
    {
        // The record being added is dropped, and nothing else.
        CancelRecord();
        bConfirmed = FALSE;
    }
    if (bConfirmed && !rows.empty())
    {
        m_bDeleting = TRUE;
        for (ROWCOL row : rows)
            DeleteRow(row);
        m_bDeleting = FALSE;
        ROWCOL row = 0, col = 0;
        if (GetCurrentCell(row, col))
            RefreshSideGrids(row);
    }
    if (pGridWnd)
        pGridWnd->SetFocus();
}

void CGridWindow::DeleteRow(ROWCOL nRow)
{
    if (nRow == 0 || !IsRecordRow(nRow) || !MoveTo(nRow))
        return;
    const long nKey = ComponentKeyOf(OnGetRecordset());
    CDatabase* pDb = Database();
    if (nKey < 0 || !pDb)
        return;
    const BOOL bNozzle = m_nTableType == TABLE_NOZZLE;
    std::vector<ComponentName> users;
    try
    {
        users = bNozzle ? FindOutletsUsingNozzle(pDb, nKey) : FindHoldingAssemblies(pDb, nKey);
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        return;
    }
    if (!users.empty())
    {
        CString message;
        message.LoadString(bNozzle ? IDS_NOZZLE_USED_BY : IDS_COMPONENT_USED_BY);
        for (const ComponentName& user : users)
            message.AppendFormat("%ld:\t%s\n", user.nKey, (LPCTSTR)user.strDescription);
        message += "\n";
        if (GridMessageBox(message, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
            return;
    }
    // Asked already: the range delete does not ask again.
    BOOL bDeleting = m_bDeleting;
    m_bDeleting = TRUE;
    DeleteRows(nRow, nRow);
    m_bDeleting = bDeleting;
    if (bNozzle && State().bNozzleMode && m_pNozzleWnd)
        m_pNozzleWnd->FillNozzles(State().nEmitterKey);
}

void CGridWindow::DeleteRows(const CRowColArray& awRowStart, const CRowColArray& awRowEnd)
{
    if (m_nTableType == TABLE_QUERY)
    {
        CGRODBCGrid::DeleteRows(awRowStart, awRowEnd);
        return;
    }
    CDatabase* pDb = Database();
    if (!pDb)
        return;
    TransferCurrentCell();
    // A record being changed inside the ranges goes with them; one outside
    // is stored first.
    CGRBrowseParam* bp = GetBrowseParam();
    std::vector<ROWCOL> rows;
    for (INT_PTR i = 0; i < awRowStart.GetSize() && i < awRowEnd.GetSize(); i++)
        for (ROWCOL r = std::min(awRowStart[i], awRowEnd[i]); r <= std::max(awRowStart[i], awRowEnd[i]); r++)
            if (IsRecordRow(r))
                rows.push_back(r);
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (bp->m_nEditMode != GR_EDITMODE_NONE &&
        std::find(rows.begin(), rows.end(), bp->m_nEditRow) != rows.end())
        CancelRecord();
    if (bp->m_nEditMode != GR_EDITMODE_NONE)
    {
        CString error;
        if (!Update(&error))
        {
            ReportFlushError(error);
            return;
        }
    }
    if (rows.empty())
        return;
    const DWORD options = m_pView ? m_pView->GetOptions() : 0;
    if (!(options & GRID_OPTION_DELETE_WITHOUT_ASKING) && !m_bDeleting)
    {
        CString question;
        question.Format(IDS_DELETE_SELECTED, (long)rows.size());
        if (GridMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
            return;
    }

    std::vector<long> keys;
    for (ROWCOL r : rows)
    {
        long nKey = MoveTo(r) ? ComponentKeyOf(OnGetRecordset()) : -1;
        if (nKey >= 0)
            keys.push_back(nKey);
    }
    try
    {
        DeleteComponents(pDb, keys);
    }
    catch (CException* e)
    {
        // Nothing was deleted.
        ReportDatabaseException(e);
        return;
    }

    // The rows below the deleted ones move up; the current row stays where
    // it was, or moves to the last record when that row is gone.
    ROWCOL row = 0, col = 0;
    const BOOL bCurrent = GetCurrentCell(row, col);
    BOOL bLock = LockUpdate(TRUE);
    SetSelection(nullptr);
    Requery();
    OnTestGridDimension(GR_MAXROWCOL, 0);
    LockUpdate(bLock);
    if (bCurrent)
    {
        ROWCOL last = GetAppendRow() != GR_INVALID ? GetAppendRow() - 1 : GetRowCount();
        if (row > last)
            row = last;
        if (row >= 1)
        {
            m_nLastRow = 0;
            SetCurrentCell(row, col);
        }
    }
    Redraw(GR_INVALIDATE);
}
