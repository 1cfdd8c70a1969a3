// CGRBrowserGrid: a grid whose data rows are the records of a data source.
// Row 1 shows the first record; after the last record comes the append row,
// where a new record is typed. A record being changed is held in the browse
// parameters (edit mode, edited values) until the grid stores it - when the
// current cell leaves its row, on Enter, or when the program calls Update -
// through OnFlushRecord. A store that fails keeps the typed values and the
// row, so nothing the user typed is lost.
//
// A data source plugs in by overriding the record hooks: OnGetRecordCount
// (or counting in OnTestGridDimension), MoveTo, OnLoadCellStyle,
// OnFlushRecord, OnAddedNewRecord, DeleteRows and CanAppend/CanUpdate.
#pragma once

#include "platform/grid/GRCore.h"

class CGRBrowserGrid : public CGRGridCore
{
public:
    CGRBrowserGrid();
    ~CGRBrowserGrid() override;

    CGRGridParam* CreateDefaultParam() override;
    // The browse state (the parameter object is made a CGRDbParam if needed).
    CGRBrowseParam* GetBrowseParam();

    /////////////////////////////////////////////////////////////////////////
    // Records and rows

    // Rows: the header row, one row per record, then the append row when
    // records can be added.
    ROWCOL GetRowCount() override;
    // The number of records, or LONG_MAX while it is not known yet.
    virtual long OnGetRecordCount();
    // The row of the append row (it counts every record first); GR_INVALID
    // when records cannot be added.
    ROWCOL GetAppendRow();
    // TRUE when the current cell is on the append row.
    BOOL IsOnLastRecord();
    // Makes the data source's current record the one of nRow; FALSE when
    // there is no such record.
    virtual BOOL MoveTo(ROWCOL nRow);
    // Record counting for rows up to nLastRow (all: GR_MAXROWCOL).
    void OnTestGridDimension(ROWCOL nLastRow, ROWCOL nLastCol) override;
    // The data changed outside the grid: forget counts and read rows.
    virtual void ResetRecordState();

    /////////////////////////////////////////////////////////////////////////
    // Editing a record

    // Starts editing the record of nRow (the append row: a new record).
    virtual BOOL Edit(ROWCOL nRow);
    // Stores the record being edited. FALSE when it is refused; then the
    // message (when pErrorText is given) says why, and the edit stays as it
    // was. TRUE when nothing was being edited.
    virtual BOOL Update(CString* pErrorText = nullptr);
    // Drops the changes of the record being edited (a new record goes).
    virtual void CancelRecord();
    // Drops the changes of the current record and the undo steps with them.
    virtual void UndoRecord();
    BOOL IsRecordDirty();
    int GetEditMode() { return GetBrowseParam()->m_nEditMode; }

    // Hooks of the data source.
    // Loads the cell's value from the data source into style. With
    // pszExistingValue (the value typed and not stored) that value is shown.
    // Returns TRUE when the cell holds data of a record.
    virtual BOOL OnLoadCellStyle(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, LPCTSTR pszExistingValue);
    // Writes the edited values of nRow to the data source; FALSE refuses.
    virtual BOOL OnFlushRecord(ROWCOL nRow, CString* pErrorText);
    // Called after a new record was stored.
    virtual void OnAddedNewRecord();
    virtual BOOL CanAppend();
    virtual BOOL CanUpdate();
    // Deletes the records of the row ranges; the default removes nothing
    // but the grid's own state. Overrides delete from the data source.
    virtual void DeleteRows(const CRowColArray& awRowStart, const CRowColArray& awRowEnd);
    void DeleteRows(ROWCOL nFromRow, ROWCOL nToRow);

    /////////////////////////////////////////////////////////////////////////
    // Overrides of the grid

    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, GRModifyType mt = grCopy,
                        int nType = 0) override;
    BOOL StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGRStyle* pStyle, GRModifyType mt,
                          int nType = 0) override;
    BOOL SetStyleRange(const CGRRange& range, const CGRStyle& style, GRModifyType mt = grOverride, int nType = 0,
                       UINT flags = GR_UPDATENOW) override;
    void ComposeStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGRStyle* pStyle) override;
    BOOL SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags = GR_SCROLLINVIEW | GR_UPDATENOW) override;
    BOOL OnLeftCell(ROWCOL nRow, ROWCOL nCol, ROWCOL nNewRow, ROWCOL nNewCol) override;
    void OnModifyCell(ROWCOL nRow, ROWCOL nCol) override;
    BOOL ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt = 1, UINT flags = 0) override;
    BOOL OnInfoWndMoveRecord(int nDirection, long nRecord) override;
    BOOL InsertRows(ROWCOL nRow, ROWCOL nCount, UINT flags = GR_UPDATENOW) override;
    BOOL RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT flags = GR_UPDATENOW) override;
    BOOL SetRowCount(ROWCOL nRows, UINT flags = GR_UPDATENOW) override;

    // The record number, the record count (and whether it is final) and
    // whether the current row is the append row, for the record beam.
    virtual void GetRecordInfo(long& nRecord, long& nCount, BOOL& bCountFinal, BOOL& bNewRecord);

protected:
    // The row of a record number (0-based) and back.
    ROWCOL RowOfRecord(long nRecord) const { return (ROWCOL)(nRecord + 1); }
    long RecordOfRow(ROWCOL nRow) const { return (long)nRow - 1; }
    // Shows a refused store to the user.
    void ReportFlushError(const CString& strError);
    BOOL IsDataRow(ROWCOL nRow);

    BOOL m_bInUpdate = FALSE;
};
