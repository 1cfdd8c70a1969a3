// The parameter object of a grid: its cells, sizes, base styles, selection,
// undo lists and every behaviour switch. A grid works on one parameter object
// (CGRGridCore::SetParam); a browser grid's object (CGRDbParam) also holds the
// browse state of the record being edited.
#pragma once

#include "platform/grid/GRDefs.h"
#include "platform/grid/GRRange.h"
#include "platform/grid/GRStyle.h"

#include <list>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

// One entry of a sort: the column (or row), the sort type (GR_SORT_...) and
// the order.
struct CGRSortInfo
{
    ROWCOL nRC = 0;
    int sortType = GR_SORT_AUTO;
    BOOL bAscending = TRUE;
    enum { ascending = TRUE, descending = FALSE };
};

class CGRSortInfoArray
{
public:
    INT_PTR GetSize() const { return (INT_PTR)m_a.size(); }
    void SetSize(INT_PTR n) { m_a.resize((size_t)n); }
    CGRSortInfo& operator[](INT_PTR i) { return m_a[(size_t)i]; }
    const CGRSortInfo& operator[](INT_PTR i) const { return m_a[(size_t)i]; }
    void Add(const CGRSortInfo& s) { m_a.push_back(s); }
    void RemoveAll() { m_a.clear(); }

private:
    std::vector<CGRSortInfo> m_a;
};

// The cells and sizes of a grid.
class CGRData
{
public:
    ROWCOL m_nRows = 0;          // rows 1..m_nRows (row 0 is the header row)
    ROWCOL m_nCols = 0;          // columns 1..m_nCols
    ROWCOL m_nFrozenRows = 0;    // rows 1..m_nFrozenRows stay in view
    ROWCOL m_nFrozenCols = 0;
    ROWCOL m_nHeaderRows = 0;    // of the frozen rows, those drawn as headers
    ROWCOL m_nHeaderCols = 0;
    int m_nDefaultRowHeight = 19;
    int m_nDefaultColWidth = 64;

    std::unordered_map<unsigned long long, CGRStyle> m_cells;
    std::map<ROWCOL, CGRStyle> m_rowStyles;
    std::map<ROWCOL, CGRStyle> m_colStyles;
    std::map<ROWCOL, int> m_rowHeights;
    std::map<ROWCOL, int> m_colWidths;
    std::set<ROWCOL> m_hiddenRows;
    std::set<ROWCOL> m_hiddenCols;

    static unsigned long long Key(ROWCOL nRow, ROWCOL nCol)
    {
        return ((unsigned long long)nRow << 32) | nCol;
    }
    CGRStyle* FindCell(ROWCOL nRow, ROWCOL nCol);
    const CGRStyle* FindCell(ROWCOL nRow, ROWCOL nCol) const;
    CGRStyle& Cell(ROWCOL nRow, ROWCOL nCol) { return m_cells[Key(nRow, nCol)]; }
    void RemoveCell(ROWCOL nRow, ROWCOL nCol) { m_cells.erase(Key(nRow, nCol)); }

    // Moves every row-bound item (cells, row styles, heights, hidden marks)
    // for rows to insert (nCount > 0 at nRow) or remove (rows nRow..nRow-nCount-1).
    void ShiftRows(ROWCOL nRow, long nCount);
    void ShiftCols(ROWCOL nCol, long nCount);
    // Reorders data rows: row aOrder[i] goes to row nFirst + i.
    void PermuteRows(ROWCOL nFirst, const std::vector<ROWCOL>& aOrder);
};

// One step of the undo or redo list: the previous styles of the cells a
// change touched.
struct CGRUndoEntry
{
    struct Cell
    {
        ROWCOL nRow, nCol;
        BOOL bHadStyle;
        CGRStyle style;
    };
    std::vector<Cell> cells;
};

class CGRUndoList
{
public:
    INT_PTR GetCount() const { return (INT_PTR)m_list.size(); }
    BOOL IsEmpty() const { return m_list.empty(); }
    void RemoveAll() { m_list.clear(); }
    void Empty() { m_list.clear(); }
    void Push(CGRUndoEntry&& e) { m_list.push_back(std::move(e)); }
    CGRUndoEntry Pop()
    {
        CGRUndoEntry e = std::move(m_list.back());
        m_list.pop_back();
        return e;
    }
    void Limit(INT_PTR n)
    {
        while ((INT_PTR)m_list.size() > n)
            m_list.pop_front();
    }

private:
    std::list<CGRUndoEntry> m_list;
};

class CGRGridParam
{
public:
    CGRGridParam();
    virtual ~CGRGridParam();
    CGRGridParam(const CGRGridParam&) = delete;
    CGRGridParam& operator=(const CGRGridParam&) = delete;

    // A parameter object from the program's resources: the resource of type
    // "GRIDPARAM" with that name, a text of "key=value" lines (Rows, Cols,
    // DefaultRowHeight, DefaultColWidth, FrozenRows, FrozenCols, ReadOnly,
    // Cell(r,c)=text, ColWidth(c)=width). Null when there is no such resource.
    static CGRGridParam* CreateFromResource(LPCTSTR lpszResourceName);
    // The same from the text itself.
    static CGRGridParam* CreateFromText(LPCTSTR lpszText);

    CGRData& GetData() { return m_data; }
    const CGRData& GetData() const { return m_data; }

    // Base styles.
    CGRStyle& GetStandardStyle() { return m_styleStandard; }
    CGRStyle& GetColHeaderStyle() { return m_styleColHeader; }
    CGRStyle& GetRowHeaderStyle() { return m_styleRowHeader; }

    // Selection.
    CGRRangeList* GetRangeList() { return &m_selection; }
    void EnableSelection(WORD wFlags) { m_wSelection = wFlags; }
    WORD GetEnableSelection() const { return m_wSelection; }
    void SetActivateCellFlags(WORD w) { m_wActivate = w; }
    WORD GetActivateCellFlags() const { return m_wActivate; }

    // Scrolling and sizing by the user.
    void EnableThumbTrack(BOOL b) { m_bThumbTrack = b; }
    BOOL IsEnableThumbTrack() const { return m_bThumbTrack; }
    void EnableTrackColWidth(WORD w) { m_wTrackColWidth = w; }
    WORD IsEnableTrackColWidth() const { return m_wTrackColWidth; }
    void EnableTrackRowHeight(WORD w) { m_wTrackRowHeight = w; }
    WORD IsEnableTrackRowHeight() const { return m_wTrackRowHeight; }
    // When the grid's window is resized, only the area it gained is drawn
    // again (not the whole grid), unless the view scrolled.
    void SetSmartResize(BOOL b) { m_bSmartResize = b; }
    BOOL IsSmartResize() const { return m_bSmartResize; }
    void EnableMoveCols(BOOL b) { m_bMoveCols = b; }
    void EnableMoveRows(BOOL b) { m_bMoveRows = b; }

    // Sorting by a double click on a column header.
    void SetSortRowsOnDblClk(BOOL b) { m_bSortOnDblClk = b; }
    BOOL GetSortRowsOnDblClk() const { return m_bSortOnDblClk; }
    void SetLastSort(ROWCOL nCol, BOOL bAscending) { m_nLastSortCol = nCol; m_bLastSortAscending = bAscending; }
    ROWCOL GetLastSortedCol() const { return m_nLastSortCol; }
    BOOL IsLastSortAscending() const { return m_bLastSortAscending; }

    // Look.
    // Grid lines as thin light-grey solid lines (otherwise dotted grey).
    void SetNewGridLineMode(BOOL b) { m_bNewGridLines = b; }
    BOOL GetNewGridLineMode() const { return m_bNewGridLines; }
    void SetNumberedColHeaders(BOOL b) { m_bNumberedColHeaders = b; }
    void SetNumberedRowHeaders(BOOL b) { m_bNumberedRowHeaders = b; }
    BOOL IsNumberedColHeaders() const { return m_bNumberedColHeaders; }
    BOOL IsNumberedRowHeaders() const { return m_bNumberedRowHeaders; }
    // The headers of the current row and column drawn highlighted.
    void SetMarkColHeader(BOOL b) { m_bMarkColHeader = b; }
    void SetMarkRowHeader(BOOL b) { m_bMarkRowHeader = b; }
    BOOL GetMarkColHeader() const { return m_bMarkColHeader; }
    BOOL GetMarkRowHeader() const { return m_bMarkRowHeader; }
    // Header cells drawn as raised buttons (otherwise flat).
    void Set3dHeaders(BOOL b) { m_b3dHeaders = b; }
    BOOL Get3dHeaders() const { return m_b3dHeaders; }
    // 0: the current cell's frame always shows; 1: not while the grid has no
    // focus; 2: never.
    void SetHideCurrentCell(int n) { m_nHideCurrentCell = n; }
    int GetHideCurrentCell() const { return m_nHideCurrentCell; }

    // Editing.
    void SetExcelLikeFillFlags(WORD w) { m_wFill = w; }
    WORD GetExcelLikeFillFlags() const { return m_wFill; }
    // While on, the program cannot change read-only cells either.
    void SetLockReadOnly(BOOL b) { m_bLockReadOnly = b; }
    BOOL IsLockReadOnly() const { return m_bLockReadOnly; }
    // Enter: 0 stores and stays, 1 stores and moves down, 2 moves right,
    // 3 moves right and on to the next row at the row's end.
    void SetEnterKeyAction(WORD w) { m_wEnterKeyAction = w; }
    WORD GetEnterKeyAction() const { return m_wEnterKeyAction; }
    // A click that gives the grid the keyboard focus also acts on the cell
    // clicked (otherwise it only gives the grid the focus).
    BOOL IsFirstClickActs() const { return m_bFirstClickActs; }

    // Undo.
    void EnableUndo(BOOL b) { m_bUndo = b; }
    BOOL IsEnableUndo() const { return m_bUndo; }
    CGRUndoList& GetUndoList() { return m_undo; }
    CGRUndoList& GetRedoList() { return m_redo; }

    // Clipboard.
    void SetClipboardFlags(DWORD dw) { m_dwClipboardFlags = dw; }
    DWORD GetClipboardFlags() const { return m_dwClipboardFlags; }
    void SetCopySeparator(LPCTSTR lpsz) { m_strCopySeparator = lpsz ? lpsz : ""; }
    const CString& GetCopySeparator() const { return m_strCopySeparator; }

private:
    CGRData m_data;
    CGRStyle m_styleStandard;
    CGRStyle m_styleColHeader;
    CGRStyle m_styleRowHeader;
    CGRRangeList m_selection;
    CGRUndoList m_undo;
    CGRUndoList m_redo;
    WORD m_wSelection = GR_SELROW | GR_SELCOL | GR_SELTABLE | GR_SELCELL | GR_SELKEYBOARD |
                        GR_SELMULTIPLE | GR_SELSHIFT;
    WORD m_wActivate = GR_ACTIVATE_CLICKONCELL | GR_ACTIVATE_DBLCLK;
    BOOL m_bThumbTrack = TRUE;
    WORD m_wTrackColWidth = 1;
    WORD m_wTrackRowHeight = 1;
    BOOL m_bSmartResize = FALSE;
    BOOL m_bMoveCols = FALSE;
    BOOL m_bMoveRows = FALSE;
    BOOL m_bSortOnDblClk = FALSE;
    ROWCOL m_nLastSortCol = GR_INVALID;
    BOOL m_bLastSortAscending = FALSE;
    BOOL m_bNewGridLines = FALSE;
    BOOL m_bNumberedColHeaders = FALSE;
    BOOL m_bNumberedRowHeaders = FALSE;
    BOOL m_bMarkColHeader = TRUE;
    BOOL m_bMarkRowHeader = TRUE;
    BOOL m_b3dHeaders = TRUE;
    int m_nHideCurrentCell = 0;
    WORD m_wFill = 0;
    BOOL m_bLockReadOnly = FALSE;
    WORD m_wEnterKeyAction = 1;
    BOOL m_bFirstClickActs = TRUE;
    BOOL m_bUndo = TRUE;
    DWORD m_dwClipboardFlags = GR_CLIP_TEXT;
    CString m_strCopySeparator;
};

// The browse state of a browser grid: which record is current, whether and
// how it is being edited, and the values typed into it that are not stored yet.
class CGRBrowseParam
{
public:
    ROWCOL m_nCurrentRow = 0;        // row of the data source's current record; 0 none
    int m_nEditMode = GR_EDITMODE_NONE;
    ROWCOL m_nEditRow = 0;           // the row being edited (edit or add-new)
    BOOL m_bModified = FALSE;        // the edited values differ from the stored ones
    long m_nRecordCount = 0;         // records known so far
    BOOL m_bRecordCountFinal = FALSE;// every record has been counted
    BOOL m_bCanAppend = TRUE;
    BOOL m_bCanUpdate = TRUE;
    std::map<ROWCOL, CString> m_mapEdited;   // column -> value to store

    BOOL IsFieldEdited(ROWCOL nCol) const { return m_mapEdited.count(nCol) != 0; }
    BOOL GetEditedValue(ROWCOL nCol, CString& s) const
    {
        auto it = m_mapEdited.find(nCol);
        if (it == m_mapEdited.end())
            return FALSE;
        s = it->second;
        return TRUE;
    }
    void ClearEdit()
    {
        m_nEditMode = GR_EDITMODE_NONE;
        m_nEditRow = 0;
        m_bModified = FALSE;
        m_mapEdited.clear();
    }
};

class CGRDbParam : public CGRGridParam
{
public:
    CGRDbParam();

    CGRBrowseParam* GetBrowseParam() { return &m_browse; }

    // 1: records are counted without reading them (by probing positions)
    // where the data source scrolls, else as the grid scrolls over them, so
    // that opening never reads every record; 0: every record is counted
    // when the grid opens.
    void SetRecordCountMode(int n) { m_nRecordCountMode = n; }
    int GetRecordCountMode() const { return m_nRecordCountMode; }
    // The most rows whose texts the grid keeps read from the data source.
    void SetMaxCachedRows(long n) { m_nMaxCachedRows = n; }
    long GetMaxCachedRows() const { return m_nMaxCachedRows; }

private:
    CGRBrowseParam m_browse;
    int m_nRecordCountMode = 1;
    long m_nMaxCachedRows = 2000;
};
