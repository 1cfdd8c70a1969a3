#include "platform/grid/GRRange.h"

#include <algorithm>
#include <iterator>

CGRRange& CGRRange::SetCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    top = std::min(nTop, nBottom);
    bottom = std::max(nTop, nBottom);
    left = std::min(nLeft, nRight);
    right = std::max(nLeft, nRight);
    m_bValid = TRUE;
    m_bRows = m_bCols = FALSE;
    return *this;
}

CGRRange& CGRRange::SetRows(ROWCOL nTop, ROWCOL nBottom)
{
    SetCells(nTop, 0, nBottom, GR_MAXROWCOL);
    m_bRows = TRUE;
    return *this;
}

CGRRange& CGRRange::SetCols(ROWCOL nLeft, ROWCOL nRight)
{
    SetCells(0, nLeft, GR_MAXROWCOL, nRight);
    m_bCols = TRUE;
    return *this;
}

CGRRange& CGRRange::SetTable()
{
    top = left = 0;
    bottom = right = GR_MAXROWCOL;
    m_bValid = TRUE;
    m_bRows = m_bCols = TRUE;
    return *this;
}

CGRRange& CGRRange::ExpandRange(ROWCOL nFirstRow, ROWCOL nFirstCol, ROWCOL nLastRow, ROWCOL nLastCol)
{
    if (!m_bValid)
        return *this;
    ROWCOL t = top, l = left, b = bottom, r = right;
    if (m_bRows && m_bCols) { t = nFirstRow; b = nLastRow; l = nFirstCol; r = nLastCol; }
    else if (m_bRows) { l = nFirstCol; r = nLastCol; }
    else if (m_bCols) { t = nFirstRow; b = nLastRow; }
    t = std::max(t, nFirstRow);
    l = std::max(l, nFirstCol);
    b = std::min(b, nLastRow);
    r = std::min(r, nLastCol);
    if (t > b || l > r || nLastRow == GR_INVALID || nLastCol == GR_INVALID)
    {
        SetNull();
        return *this;
    }
    top = t; left = l; bottom = b; right = r;
    m_bRows = m_bCols = FALSE;
    return *this;
}

BOOL CGRRange::IsCellInRange(ROWCOL nRow, ROWCOL nCol) const
{
    return m_bValid && nRow >= top && nRow <= bottom && nCol >= left && nCol <= right;
}

BOOL CGRRange::IsRowInRange(ROWCOL nRow) const
{
    return m_bValid && nRow >= top && nRow <= bottom;
}

BOOL CGRRange::IsColInRange(ROWCOL nCol) const
{
    return m_bValid && nCol >= left && nCol <= right;
}

BOOL CGRRange::Intersects(const CGRRange& r) const
{
    return m_bValid && r.m_bValid && !(r.left > right || r.right < left || r.top > bottom || r.bottom < top);
}

CGRRange CGRRange::Intersect(const CGRRange& r) const
{
    CGRRange res;
    if (!Intersects(r))
    {
        res.SetNull();
        return res;
    }
    res.SetCells(std::max(top, r.top), std::max(left, r.left), std::min(bottom, r.bottom),
                 std::min(right, r.right));
    return res;
}

CGRRange& CGRRange::UnionRange(const CGRRange& r)
{
    if (!r.m_bValid)
        return *this;
    if (!m_bValid)
        return *this = r;
    top = std::min(top, r.top);
    left = std::min(left, r.left);
    bottom = std::max(bottom, r.bottom);
    right = std::max(right, r.right);
    m_bRows = m_bRows && r.m_bRows;
    m_bCols = m_bCols && r.m_bCols;
    return *this;
}

BOOL CGRRange::operator==(const CGRRange& r) const
{
    if (!m_bValid || !r.m_bValid)
        return m_bValid == r.m_bValid;
    return top == r.top && left == r.left && bottom == r.bottom && right == r.right &&
           m_bRows == r.m_bRows && m_bCols == r.m_bCols;
}

/////////////////////////////////////////////////////////////////////////////

const CGRRange& CGRRangeList::GetAt(INT_PTR i) const
{
    auto it = m_list.begin();
    std::advance(it, i);
    return *it;
}

CGRRange& CGRRangeList::GetAt(INT_PTR i)
{
    auto it = m_list.begin();
    std::advance(it, i);
    return *it;
}

// A position is the 1-based index of the next range, so that 0 ends the walk.
POSITION CGRRangeList::GetHeadPosition() const
{
    return m_list.empty() ? nullptr : (POSITION)(INT_PTR)1;
}

CGRRange& CGRRangeList::GetNext(POSITION& pos)
{
    INT_PTR i = (INT_PTR)pos;
    CGRRange& r = GetAt(i - 1);
    pos = (i < (INT_PTR)m_list.size()) ? (POSITION)(i + 1) : nullptr;
    return r;
}

const CGRRange& CGRRangeList::GetNext(POSITION& pos) const
{
    return const_cast<CGRRangeList*>(this)->GetNext(pos);
}

BOOL CGRRangeList::IsCellInList(ROWCOL nRow, ROWCOL nCol) const
{
    for (const CGRRange& r : m_list)
        if (r.IsCellInRange(nRow, nCol))
            return TRUE;
    return FALSE;
}

BOOL CGRRangeList::IsAnyCellFromRow(ROWCOL nRow) const
{
    for (const CGRRange& r : m_list)
        if (r.IsRowInRange(nRow))
            return TRUE;
    return FALSE;
}

BOOL CGRRangeList::IsAnyCellFromCol(ROWCOL nCol) const
{
    for (const CGRRange& r : m_list)
        if (r.IsColInRange(nCol))
            return TRUE;
    return FALSE;
}

namespace {
// Sorts spans and merges those that overlap or touch.
void MergeSpans(std::vector<std::pair<ROWCOL, ROWCOL>>& spans, CRowColArray& awFirst,
                CRowColArray& awLast)
{
    awFirst.RemoveAll();
    awLast.RemoveAll();
    std::sort(spans.begin(), spans.end());
    for (const auto& s : spans)
    {
        if (!awLast.IsEmpty() && s.first <= awLast[awLast.GetUpperBound()] + 1)
        {
            ROWCOL& last = awLast[awLast.GetUpperBound()];
            last = std::max(last, s.second);
        }
        else
        {
            awFirst.Add(s.first);
            awLast.Add(s.second);
        }
    }
}
} // namespace

namespace {
// The rows (bRows) or columns of the ranges as merged spans within 1..nCount.
void CollectSpans(const std::list<CGRRange>& ranges, ROWCOL nCount, bool bRows, CRowColArray& awFirst,
                  CRowColArray& awLast)
{
    std::vector<std::pair<ROWCOL, ROWCOL>> spans;
    for (CGRRange r : ranges)
    {
        if (nCount == 0)
            break;
        if (!r.IsCells())
            r.ExpandRange(1, 1, bRows ? nCount : GR_MAXROWCOL, bRows ? GR_MAXROWCOL : nCount);
        ROWCOL& first = bRows ? r.top : r.left;
        ROWCOL& last = bRows ? r.bottom : r.right;
        if (last > nCount)
            last = nCount;
        if (r.IsValid() && first <= last)
            spans.emplace_back(first, last);
    }
    MergeSpans(spans, awFirst, awLast);
}
} // namespace

void CGRRangeList::GetRowArray(ROWCOL nRowCount, CRowColArray& awTop, CRowColArray& awBottom) const
{
    CollectSpans(m_list, nRowCount, true, awTop, awBottom);
}

void CGRRangeList::GetColArray(ROWCOL nColCount, CRowColArray& awLeft, CRowColArray& awRight) const
{
    CollectSpans(m_list, nColCount, false, awLeft, awRight);
}
