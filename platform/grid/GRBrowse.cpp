#include "platform/grid/GRBrowse.h"
#include "platform/grid/GRApp.h"
#include "platform/grid/GRControl.h"

#include <algorithm>
#include <climits>

CGRBrowserGrid::CGRBrowserGrid() = default;

CGRBrowserGrid::~CGRBrowserGrid() = default;

CGRGridParam* CGRBrowserGrid::CreateDefaultParam()
{
    return new CGRDbParam;
}

CGRBrowseParam* CGRBrowserGrid::GetBrowseParam()
{
    CGRDbParam* pDb = dynamic_cast<CGRDbParam*>(Param());
    if (!pDb)
    {
        // A plain parameter object was given: the browse state lives in a
        // parameter object of the browser's own kind that takes its place.
        CGRDbParam* pNew = new CGRDbParam;
        CGRGridParam* pOld = Param();
        pNew->GetData() = pOld->GetData();
        pNew->GetStandardStyle() = pOld->GetStandardStyle();
        pNew->GetColHeaderStyle() = pOld->GetColHeaderStyle();
        pNew->GetRowHeaderStyle() = pOld->GetRowHeaderStyle();
        SetParam(pNew, TRUE);
        pDb = pNew;
    }
    return pDb->GetBrowseParam();
}

/////////////////////////////////////////////////////////////////////////////
// Records and rows

long CGRBrowserGrid::OnGetRecordCount()
{
    CGRBrowseParam* bp = GetBrowseParam();
    return bp->m_bRecordCountFinal ? bp->m_nRecordCount : LONG_MAX;
}

ROWCOL CGRBrowserGrid::GetRowCount()
{
    CGRBrowseParam* bp = GetBrowseParam();
    long n = OnGetRecordCount();
    if (n != LONG_MAX)
    {
        bp->m_nRecordCount = n;
        bp->m_bRecordCountFinal = TRUE;
    }
    ROWCOL rows = (ROWCOL)bp->m_nRecordCount;
    if (!bp->m_bRecordCountFinal)
        return rows + 1;   // one more row than known: reading it counts on
    if (CanAppend())
        rows++;
    return rows;
}

void CGRBrowserGrid::OnTestGridDimension(ROWCOL, ROWCOL)
{
}

ROWCOL CGRBrowserGrid::GetAppendRow()
{
    if (!CanAppend())
        return GR_INVALID;
    CGRBrowseParam* bp = GetBrowseParam();
    if (!bp->m_bRecordCountFinal)
        OnTestGridDimension(GR_MAXROWCOL, 0);
    GetRowCount();
    if (!bp->m_bRecordCountFinal)
        return GR_INVALID;
    return RowOfRecord(bp->m_nRecordCount);
}

BOOL CGRBrowserGrid::IsOnLastRecord()
{
    ROWCOL row, col;
    if (!GetCurrentCell(row, col))
        return FALSE;
    CGRBrowseParam* bp = GetBrowseParam();
    if (!bp->m_bRecordCountFinal && row <= (ROWCOL)bp->m_nRecordCount)
        return FALSE;
    return row == GetAppendRow();
}

BOOL CGRBrowserGrid::IsDataRow(ROWCOL nRow)
{
    if (nRow < 1)
        return FALSE;
    CGRBrowseParam* bp = GetBrowseParam();
    if (nRow <= (ROWCOL)bp->m_nRecordCount)
        return TRUE;
    if (!bp->m_bRecordCountFinal && nRow > GetRowCount())
        OnTestGridDimension(nRow, 0);
    return nRow <= GetRowCount();
}

BOOL CGRBrowserGrid::MoveTo(ROWCOL nRow)
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (nRow < 1)
        return FALSE;
    GetRowCount();
    if (bp->m_bRecordCountFinal && nRow > (ROWCOL)bp->m_nRecordCount)
        return FALSE;
    bp->m_nCurrentRow = nRow;
    return TRUE;
}

void CGRBrowserGrid::ResetRecordState()
{
    CGRBrowseParam* bp = GetBrowseParam();
    bp->ClearEdit();
    bp->m_nRecordCount = 0;
    bp->m_bRecordCountFinal = FALSE;
    bp->m_nCurrentRow = 0;
    Param()->GetUndoList().RemoveAll();
    Param()->GetRedoList().RemoveAll();
}

/////////////////////////////////////////////////////////////////////////////
// Editing a record

BOOL CGRBrowserGrid::IsRecordDirty()
{
    CGRBrowseParam* bp = GetBrowseParam();
    return bp->m_nEditMode != GR_EDITMODE_NONE && (bp->m_bModified || IsCurrentCellModified());
}

BOOL CGRBrowserGrid::Edit(ROWCOL nRow)
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (!IsDataRow(nRow))
        return FALSE;
    if (bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_nEditRow == nRow)
        return TRUE;
    if (bp->m_nEditMode != GR_EDITMODE_NONE)
    {
        CString err;
        if (!Update(&err))
            return FALSE;
    }
    BOOL bNew = FALSE;
    if (!bp->m_bRecordCountFinal && nRow <= (ROWCOL)bp->m_nRecordCount)
        bNew = FALSE;
    else
        bNew = nRow == GetAppendRow();
    if (bNew ? !CanAppend() : !CanUpdate())
        return FALSE;
    if (!bNew && !MoveTo(nRow))
        return FALSE;
    bp->m_nEditMode = bNew ? GR_EDITMODE_ADDNEW : GR_EDITMODE_EDIT;
    bp->m_nEditRow = nRow;
    bp->m_mapEdited.clear();
    bp->m_bModified = FALSE;
    RedrawRowCol(CGRRange(nRow, 0, nRow, GetColCount()));
    UpdateRecordInfoWnd();
    return TRUE;
}

BOOL CGRBrowserGrid::Update(CString* pErrorText)
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (m_bInUpdate)
        return FALSE;
    if (!TransferCurrentCell())
    {
        if (pErrorText && pErrorText->IsEmpty())
            pErrorText->LoadString(GR_IDS_FLUSH_FAILED);
        return FALSE;
    }
    if (bp->m_nEditMode == GR_EDITMODE_NONE)
        return TRUE;
    ROWCOL row = bp->m_nEditRow;
    BOOL bNew = bp->m_nEditMode == GR_EDITMODE_ADDNEW;
    CString err;
    m_bInUpdate = TRUE;
    BOOL bOk = OnFlushRecord(row, pErrorText ? pErrorText : &err);
    m_bInUpdate = FALSE;
    if (!bOk)
        return FALSE;
    bp->ClearEdit();
    if (bNew)
    {
        if (bp->m_bRecordCountFinal)
            bp->m_nRecordCount++;
        OnAddedNewRecord();
    }
    Param()->GetUndoList().RemoveAll();
    Param()->GetRedoList().RemoveAll();
    CGRControl* pControl = GetCurrentCellControl();
    if (pControl && pControl->IsInit() && !pControl->IsActive())
        pControl->Reset();
    UpdateScrollbars();
    Redraw(GR_INVALIDATE);
    UpdateRecordInfoWnd();
    return TRUE;
}

void CGRBrowserGrid::CancelRecord()
{
    CGRBrowseParam* bp = GetBrowseParam();
    TransferCurrentCell(FALSE);
    if (bp->m_nEditMode == GR_EDITMODE_NONE)
        return;
    bp->ClearEdit();
    Param()->GetUndoList().RemoveAll();
    Param()->GetRedoList().RemoveAll();
    CGRControl* pControl = GetCurrentCellControl();
    if (pControl && pControl->IsInit() && !pControl->IsActive())
        pControl->Reset();
    Redraw(GR_INVALIDATE);
    UpdateRecordInfoWnd();
}

void CGRBrowserGrid::UndoRecord()
{
    CancelRecord();
    Param()->GetUndoList().RemoveAll();
    Param()->GetRedoList().RemoveAll();
}

void CGRBrowserGrid::ReportFlushError(const CString& strError)
{
    CString msg = strError;
    if (msg.IsEmpty() && !msg.LoadString(GR_IDS_FLUSH_FAILED))
        msg = "The record could not be stored.";
    GridMessageBox(msg, MB_OK | MB_ICONEXCLAMATION);
}

BOOL CGRBrowserGrid::OnLoadCellStyle(ROWCOL, ROWCOL, CGRStyle& style, LPCTSTR pszExistingValue)
{
    if (pszExistingValue)
    {
        style.SetValue(pszExistingValue);
        return TRUE;
    }
    return FALSE;
}

BOOL CGRBrowserGrid::OnFlushRecord(ROWCOL, CString*)
{
    return TRUE;
}

void CGRBrowserGrid::OnAddedNewRecord()
{
}

BOOL CGRBrowserGrid::CanAppend()
{
    return GetBrowseParam()->m_bCanAppend;
}

BOOL CGRBrowserGrid::CanUpdate()
{
    return GetBrowseParam()->m_bCanUpdate;
}

void CGRBrowserGrid::DeleteRows(const CRowColArray& awRowStart, const CRowColArray& awRowEnd)
{
    CGRBrowseParam* bp = GetBrowseParam();
    for (INT_PTR i = 0; i < awRowStart.GetSize() && i < awRowEnd.GetSize(); i++)
        if (bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_nEditRow >= awRowStart[i] && bp->m_nEditRow <= awRowEnd[i])
            CancelRecord();
    SetSelection(nullptr);
    Redraw(GR_INVALIDATE);
}

void CGRBrowserGrid::DeleteRows(ROWCOL nFromRow, ROWCOL nToRow)
{
    CRowColArray a, b;
    a.Add(std::min(nFromRow, nToRow));
    b.Add(std::max(nFromRow, nToRow));
    DeleteRows(a, b);
}

/////////////////////////////////////////////////////////////////////////////
// Overrides of the grid

BOOL CGRBrowserGrid::GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, GRModifyType mt, int nType)
{
    if (nCol >= 1 && IsDataRow(nRow))
    {
        CGRBrowseParam* bp = GetBrowseParam();
        CString value;
        if (bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_nEditRow == nRow && bp->GetEditedValue(nCol, value))
        {
            CGRStyle s;
            s.SetValue(value);
            style.ChangeStyle(s, mt);
            return TRUE;
        }
        return FALSE;
    }
    return CGRGridCore::GetStyleRowCol(nRow, nCol, style, mt, nType);
}

BOOL CGRBrowserGrid::StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGRStyle* pStyle, GRModifyType mt, int nType)
{
    if (!(nCol >= 1 && IsDataRow(nRow)))
        return CGRGridCore::StoreStyleRowCol(nRow, nCol, pStyle, mt, nType);
    CGRBrowseParam* bp = GetBrowseParam();
    if (!pStyle)
    {
        if (bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_nEditRow == nRow)
            bp->m_mapEdited.erase(nCol);
        return TRUE;
    }
    // Only values of record cells are kept (until the record is stored).
    if (!pStyle->GetIncludeValue())
        return TRUE;
    if (bp->m_nEditMode == GR_EDITMODE_NONE || bp->m_nEditRow != nRow)
    {
        if (!Edit(nRow))
            return FALSE;
    }
    bp->m_mapEdited[nCol] = pStyle->GetValue();
    bp->m_bModified = TRUE;
    return TRUE;
}

BOOL CGRBrowserGrid::SetStyleRange(const CGRRange& range, const CGRStyle& style, GRModifyType mt, int nType,
                                   UINT flags)
{
    BOOL bOk = CGRGridCore::SetStyleRange(range, style, mt, nType, flags);
    CGRBrowseParam* bp = GetBrowseParam();
    if (bp->m_nEditMode != GR_EDITMODE_NONE)
        RedrawRowCol(bp->m_nEditRow, 0, flags);
    return bOk;
}

void CGRBrowserGrid::ComposeStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGRStyle* pStyle)
{
    if (nRow >= 1 && IsDataRow(nRow))
    {
        CGRBrowseParam* bp = GetBrowseParam();
        CString existing;
        BOOL bEdited = nCol >= 1 && bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_nEditRow == nRow &&
                       bp->GetEditedValue(nCol, existing);
        OnLoadCellStyle(nRow, nCol, *pStyle, bEdited ? (LPCTSTR)existing : nullptr);
        if (nCol == 0 && !pStyle->GetIncludeValue())
        {
            // The row header shows the state of its record.
            if (bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_nEditRow == nRow)
                pStyle->SetValue(">");
            else if (bp->m_bRecordCountFinal && CanAppend() && nRow == RowOfRecord(bp->m_nRecordCount))
                pStyle->SetValue("*");
        }
    }
    CGRGridCore::ComposeStyleRowCol(nRow, nCol, pStyle);
}

BOOL CGRBrowserGrid::SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags)
{
    if (!CGRGridCore::SetCurrentCell(nRow, nCol, flags))
        return FALSE;
    GetBrowseParam()->m_nCurrentRow = nRow;
    return TRUE;
}

BOOL CGRBrowserGrid::OnLeftCell(ROWCOL nRow, ROWCOL nCol, ROWCOL nNewRow, ROWCOL nNewCol)
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (bp->m_nEditMode != GR_EDITMODE_NONE && nNewRow != bp->m_nEditRow)
    {
        if (!bp->m_bModified && bp->m_mapEdited.empty())
        {
            // Nothing was changed: leaving the row ends its edit.
            BOOL bNew = bp->m_nEditMode == GR_EDITMODE_ADDNEW;
            bp->ClearEdit();
            if (bNew)
                Redraw(GR_INVALIDATE);
        }
        else
        {
            CString err;
            if (!Update(&err))
            {
                ReportFlushError(err);
                return FALSE;
            }
        }
    }
    return CGRGridCore::OnLeftCell(nRow, nCol, nNewRow, nNewCol);
}

void CGRBrowserGrid::OnModifyCell(ROWCOL nRow, ROWCOL nCol)
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (nRow >= 1 && (bp->m_nEditMode == GR_EDITMODE_NONE || bp->m_nEditRow != nRow))
        Edit(nRow);
    if (bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_nEditRow == nRow)
        bp->m_bModified = TRUE;
    CGRGridCore::OnModifyCell(nRow, nCol);
}

BOOL CGRBrowserGrid::ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT flags)
{
    if (nMessage == WM_KEYDOWN && !IsActiveCurrentCell())
    {
        CGRBrowseParam* bp = GetBrowseParam();
        if (nChar == VK_ESCAPE && bp->m_nEditMode != GR_EDITMODE_NONE)
        {
            CancelRecord();
            return TRUE;
        }
        if (nChar == VK_RETURN && bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_bModified)
        {
            CString err;
            if (!Update(&err))
                ReportFlushError(err);
            return TRUE;
        }
    }
    return CGRGridCore::ProcessKeys(pSender, nMessage, nChar, nRepCnt, flags);
}

BOOL CGRBrowserGrid::OnInfoWndMoveRecord(int nDirection, long nRecord)
{
    if (nDirection == GR_MOVE_NEW)
    {
        ROWCOL row = GetAppendRow();
        if (row == GR_INVALID)
            return FALSE;
        ROWCOL col = 1, curRow;
        if (!GetCurrentCell(curRow, col))
            col = 1;
        if (IsColHidden(col))
        {
            ROWCOL c = 1;
            if (FindNextCell(GR_RIGHT, row, c))
                col = c;
        }
        return SetCurrentCell(row, col);
    }
    if (nDirection == GR_MOVE_LAST)
    {
        OnTestGridDimension(GR_MAXROWCOL, 0);
        long n = GetBrowseParam()->m_nRecordCount;
        if (n <= 0)
            return FALSE;
        return CGRGridCore::OnInfoWndMoveRecord(GR_MOVE_RECORD, (long)RowOfRecord(n - 1));
    }
    return CGRGridCore::OnInfoWndMoveRecord(nDirection, nRecord);
}

BOOL CGRBrowserGrid::InsertRows(ROWCOL, ROWCOL, UINT)
{
    return FALSE;
}

BOOL CGRBrowserGrid::RemoveRows(ROWCOL, ROWCOL, UINT)
{
    return FALSE;
}

BOOL CGRBrowserGrid::SetRowCount(ROWCOL, UINT)
{
    return FALSE;
}

void CGRBrowserGrid::GetRecordInfo(long& nRecord, long& nCount, BOOL& bCountFinal, BOOL& bNewRecord)
{
    CGRBrowseParam* bp = GetBrowseParam();
    GetRowCount();
    nCount = bp->m_nRecordCount;
    bCountFinal = bp->m_bRecordCountFinal;
    ROWCOL row, col;
    nRecord = 0;
    bNewRecord = FALSE;
    if (GetCurrentCell(row, col))
    {
        if (bp->m_bRecordCountFinal && CanAppend() && row == RowOfRecord(bp->m_nRecordCount))
            bNewRecord = TRUE;
        else
            nRecord = RecordOfRow(row) + 1;
    }
}
