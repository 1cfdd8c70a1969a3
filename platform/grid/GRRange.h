// Ranges of cells and lists of ranges: the selection, the cells an operation
// works on, the rows a copy takes.
#pragma once

#include "platform/grid/GRDefs.h"

#include <list>

// A rectangle of cells. Besides plain cells a range can stand for whole rows
// (every column of rows top..bottom), whole columns, or the whole table; such
// a range is made concrete against the grid's counts with ExpandRange.
class CGRRange
{
public:
    ROWCOL top = 0, left = 0, bottom = 0, right = 0;

    CGRRange() = default;
    // One cell.
    CGRRange(ROWCOL nRow, ROWCOL nCol) { SetCells(nRow, nCol); }
    // The cells of rows top..bottom and columns left..right (ordered here).
    CGRRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
    {
        SetCells(nTop, nLeft, nBottom, nRight);
    }
    explicit CGRRange(const RECT& rc)
    {
        SetCells((ROWCOL)rc.top, (ROWCOL)rc.left, (ROWCOL)rc.bottom, (ROWCOL)rc.right);
    }

    CGRRange& SetCells(ROWCOL nRow, ROWCOL nCol) { return SetCells(nRow, nCol, nRow, nCol); }
    CGRRange& SetCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    CGRRange& SetRows(ROWCOL nTop, ROWCOL nBottom);
    CGRRange& SetRows(ROWCOL nRow) { return SetRows(nRow, nRow); }
    CGRRange& SetCols(ROWCOL nLeft, ROWCOL nRight);
    CGRRange& SetCols(ROWCOL nCol) { return SetCols(nCol, nCol); }
    CGRRange& SetTable();
    void SetNull() { *this = CGRRange(); m_bValid = FALSE; }

    BOOL IsValid() const { return m_bValid; }
    BOOL IsCells() const { return m_bValid && !m_bRows && !m_bCols; }
    BOOL IsRows() const { return m_bValid && m_bRows && !m_bCols; }
    BOOL IsCols() const { return m_bValid && m_bCols && !m_bRows; }
    BOOL IsTable() const { return m_bValid && m_bRows && m_bCols; }

    ROWCOL GetHeight() const { return bottom - top + 1; }
    ROWCOL GetWidth() const { return right - left + 1; }

    // A plain cell range with the rows, columns or table replaced by the
    // cells nFirstRow..nLastRow by nFirstCol..nLastCol. A cell range is
    // clipped to the same bounds. The result may be empty (not valid).
    CGRRange& ExpandRange(ROWCOL nFirstRow, ROWCOL nFirstCol, ROWCOL nLastRow, ROWCOL nLastCol);

    BOOL IsCellInRange(ROWCOL nRow, ROWCOL nCol) const;
    BOOL IsRowInRange(ROWCOL nRow) const;
    BOOL IsColInRange(ROWCOL nCol) const;
    BOOL Intersects(const CGRRange& r) const;
    // The common part of two cell ranges; not valid when they do not meet.
    CGRRange Intersect(const CGRRange& r) const;
    CGRRange& UnionRange(const CGRRange& r);

    BOOL operator==(const CGRRange& r) const;
    BOOL operator!=(const CGRRange& r) const { return !(*this == r); }

private:
    BOOL m_bValid = TRUE;
    BOOL m_bRows = FALSE;
    BOOL m_bCols = FALSE;
};

// An ordered list of ranges: the selection of a grid, or the cells handed to
// an operation. The last range added is the active one.
class CGRRangeList
{
public:
    CGRRangeList() = default;

    INT_PTR GetCount() const { return (INT_PTR)m_list.size(); }
    BOOL IsEmpty() const { return m_list.empty(); }
    void DeleteAll() { m_list.clear(); }
    void RemoveAll() { m_list.clear(); }
    void AddTail(const CGRRange& r) { m_list.push_back(r); }
    void AddHead(const CGRRange& r) { m_list.push_front(r); }
    CGRRange& GetHead() { return m_list.front(); }
    CGRRange& GetTail() { return m_list.back(); }
    const CGRRange& GetHead() const { return m_list.front(); }
    const CGRRange& GetTail() const { return m_list.back(); }
    void RemoveTail() { if (!m_list.empty()) m_list.pop_back(); }
    // The range at index i (0-based), in the list's order.
    const CGRRange& GetAt(INT_PTR i) const;
    CGRRange& GetAt(INT_PTR i);

    // Positions, as the framework's lists hand them out.
    POSITION GetHeadPosition() const;
    CGRRange& GetNext(POSITION& pos);
    const CGRRange& GetNext(POSITION& pos) const;

    BOOL IsCellInList(ROWCOL nRow, ROWCOL nCol) const;
    BOOL IsAnyCellFromRow(ROWCOL nRow) const;
    BOOL IsAnyCellFromCol(ROWCOL nCol) const;

    // Every row any range touches, as ranges of consecutive rows (first rows
    // in awTop, last rows in awBottom), ascending and merged, with rows and
    // tables taken over rows 1..nRowCount (header rows left out unless a
    // cell range names them).
    void GetRowArray(ROWCOL nRowCount, CRowColArray& awTop, CRowColArray& awBottom) const;
    // The same for columns over 1..nColCount.
    void GetColArray(ROWCOL nColCount, CRowColArray& awLeft, CRowColArray& awRight) const;

    std::list<CGRRange>& List() { return m_list; }
    const std::list<CGRRange>& List() const { return m_list; }

private:
    std::list<CGRRange> m_list;
};
