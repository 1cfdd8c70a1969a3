// CGRODBCGrid: a browser grid over a recordset. Grid column c shows the
// recordset's bound field c - 1; row r its record r. The grid reads only the
// records it shows (and counts the rest only when asked for the end), stores
// an edited record through Edit or AddNew and Update of the recordset, and
// deletes through Delete. CGRRecordWnd is its window, framed by a record
// information window.
//
// The recordset is the one SetRecordset gave, or the one the hook
// OnGetRecordset returns. When a program requeries or re-sorts the recordset
// itself it calls the grid's Requery, so that the grid forgets what it read.
#pragma once

#include "platform/grid/GRBrowse.h"
#include "platform/grid/GRGridWnd.h"
#include "platform/grid/GRODBCValue.h"
#include "platform/grid/GRDynamicRecordset.h"

#include <functional>
#include <list>
#include <unordered_map>
#include <vector>

class CGRODBCGrid : public CGRBrowserGrid
{
public:
    CGRODBCGrid();
    ~CGRODBCGrid() override;

    // The recordset the grid browses (not owned); OpenRecordset shows it.
    void SetRecordset(CRecordset* pRecordset);
    // The recordset of the grid; a program's grid may pick one by its state.
    virtual CRecordset* OnGetRecordset();
    // Opens the recordset when it is closed, then shows it: one column per
    // bound field with the field's name as header, the first record current.
    virtual void OpenRecordset();
    // Requeries the recordset and shows it again from its first record.
    virtual BOOL Requery();
    // Hook called just before the recordset's Update writes a record.
    virtual void PreUpdateRecordset();

    // The name of the field of a grid column (brackets and table
    // qualifiers removed: "Description").
    CString GetFieldName(ROWCOL nCol);
    int GetFieldCount();

    BOOL MoveTo(ROWCOL nRow) override;
    long OnGetRecordCount() override;
    void OnTestGridDimension(ROWCOL nLastRow, ROWCOL nLastCol) override;
    void ResetRecordState() override;
    BOOL OnLoadCellStyle(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, LPCTSTR pszExistingValue) override;
    BOOL OnFlushRecord(ROWCOL nRow, CString* pErrorText) override;
    void OnAddedNewRecord() override;
    BOOL CanAppend() override;
    BOOL CanUpdate() override;
    void DeleteRows(const CRowColArray& awRowStart, const CRowColArray& awRowEnd) override;
    using CGRBrowserGrid::DeleteRows;
    void OnMovedCurrentCell(ROWCOL nRow, ROWCOL nCol) override;
    void OnReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bCase) override;
    // Sorts by the recordset: its sort clause becomes the column's field.
    void SortRows(CGRRange sortRange, CGRSortInfoArray& sortInfo, UINT flags = GR_UPDATENOW) override;
    void OnGridDraw(CDC* pDC) override;

    // The text a grid column shows for a record, made from the texts of its
    // fields as the grid reads them (valueOf(c): the text of column c's
    // field): the column's own text by default. A grid that shows fields
    // otherwise (joined, converted) says how; the search of the data source
    // makes each cell's text through it.
    virtual CString GetRecordCellText(ROWCOL nCol, const std::function<CString(ROWCOL)>& valueOf);
    // The columns whose fields GetRecordCellText reads for a column: the
    // column itself by default.
    virtual void GetRecordCellColumns(ROWCOL nCol, std::vector<ROWCOL>& cols);

    // Statistics of the reading, for tests and measurements: records read
    // into the grid, and recordset moves made.
    long m_nRecordsRead = 0;
    long m_nMoves = 0;

protected:
    // Searches a recordset that keeps its keys in the database: every record
    // read once per search text (the cells it shows made as the grid makes
    // them) and the records then walked in the grid's order. The record
    // being edited and the rows after the records are searched by their
    // cells. The records that hold the text are kept for the next search of
    // the same text until anything changes.
    int FindInSource(ROWCOL& nRow, ROWCOL& nCol, CGRLongOperation& op) override;
    // Counts every record without reading them (probing positions).
    void CountAllRecords();
    // The texts of every field of the current record.
    void ReadCurrentRecord(std::vector<CString>& values);
    void ForgetReadRows();
    const std::vector<CString>* FindReadRow(ROWCOL nRow);
    // Positions the recordset on record nRecord (1-based); FALSE past the end.
    BOOL PositionRecordset(CRecordset* prs, long nRecord);

    CRecordset* m_pRecordset = nullptr;
    std::unordered_map<ROWCOL, std::vector<CString>> m_readRows;
    std::list<ROWCOL> m_readOrder;

    // The records found holding a search text: for each record (by place),
    // one bit per searched column that holds it; and what they were found
    // for.
    struct FoundRecords
    {
        CString strFind;
        BOOL bCase = FALSE;
        std::vector<ROWCOL> cols;
        CRecordset* pRecordset = nullptr;
        long nRecords = -1;
        DWORD dwChangeCount = 0;
        long long nDataVersion = -1;
        std::vector<unsigned long long> masks;
        std::vector<bool> read;   // the record was among the rows read
    };
    FoundRecords m_found;
};

// The window of a grid over records (framed by a CGRRecordInfoWnd).
class CGRRecordWnd : public CGRGridWndBase, public CGRODBCGrid
{
    DECLARE_DYNAMIC(CGRRecordWnd)
public:
    CGRRecordWnd();
    ~CGRRecordWnd() override;

protected:
    DECLARE_MESSAGE_MAP()
};

// A recordset whose columns are found when it opens (the grid library's name
// of the program's dynamic recordset).
class CGRDynamicRecordset : public CGRDynamicRecordsetEx
{
public:
    explicit CGRDynamicRecordset(CDatabase* pDatabase) : CGRDynamicRecordsetEx(pDatabase) {}
};
