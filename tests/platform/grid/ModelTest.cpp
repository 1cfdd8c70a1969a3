// The window-free grid: ranges, styles, counts, sizes, hidden columns and the
// layout of rows and columns in the grid's area.
#include "GridTestSupport.h"

using namespace gridtest;

namespace {

// A plain grid without a window, laid out in a 400 x 300 area.
struct PlainGrid : CGRGridCore
{
    PlainGrid(ROWCOL nRows, ROWCOL nCols) { LayOut(*this, nRows, nCols); }
};

} // namespace

TEST(GridRange, ExpandsRowsColumnsAndTableAgainstTheCounts)
{
    struct Case
    {
        CGRRange range;
        ROWCOL top, left, bottom, right;
    } cases[] = {
        { CGRRange().SetRows(3, 5), 3, 1, 5, 8 },
        { CGRRange().SetCols(2), 1, 2, 10, 2 },
        { CGRRange().SetTable(), 1, 1, 10, 8 },
        { CGRRange(9, 7, 20, 20), 9, 7, 10, 8 },     // clipped to the counts
        { CGRRange(5, 6, 2, 3), 2, 3, 5, 6 },        // corners in any order
    };
    for (auto& c : cases)
    {
        CGRRange r = c.range;
        r.ExpandRange(1, 1, 10, 8);
        ASSERT_TRUE(r.IsValid());
        EXPECT_TRUE(r.IsCells());
        EXPECT_EQ(c.top, r.top);
        EXPECT_EQ(c.left, r.left);
        EXPECT_EQ(c.bottom, r.bottom);
        EXPECT_EQ(c.right, r.right);
    }
    CGRRange outside(20, 20, 30, 30);
    outside.ExpandRange(1, 1, 10, 8);
    EXPECT_FALSE(outside.IsValid());
}

TEST(GridRange, RowArrayMergesOverlappingAndTouchingRangesInOrder)
{
    CGRRangeList list;
    list.AddTail(CGRRange(7, 1, 9, 2));
    list.AddTail(CGRRange(2, 1, 3, 1));
    list.AddTail(CGRRange(4, 3, 4, 3));      // touches 2..3
    list.AddTail(CGRRange().SetRows(8, 12)); // overlaps 7..9
    CRowColArray top, bottom;
    list.GetRowArray(11, top, bottom);
    ASSERT_EQ(2, top.GetSize());
    EXPECT_EQ(2u, top[0]);
    EXPECT_EQ(4u, bottom[0]);
    EXPECT_EQ(7u, top[1]);
    EXPECT_EQ(11u, bottom[1]);   // clipped to the row count
    CRowColArray left, right;
    list.GetColArray(5, left, right);
    ASSERT_EQ(1, left.GetSize());
    EXPECT_EQ(1u, left[0]);
    EXPECT_EQ(5u, right[0]);     // the rows range covers every column
}

TEST(GridStyle, ModifyTypesCombineAttributes)
{
    CGRStyle base;
    base.SetValue("old").SetTextColor(RGB(1, 2, 3)).SetReadOnly(TRUE);
    base.SetFont(CGRFont().SetBold(TRUE).SetSize(8));
    CGRStyle change;
    change.SetValue("new").SetInterior(RGB(9, 9, 9));
    change.SetFont(CGRFont().SetSize(12));

    CGRStyle over = base;
    over.ChangeStyle(change, grOverride);
    EXPECT_EQ(CString("new"), over.GetValue());
    EXPECT_EQ(RGB(1, 2, 3), over.GetTextColor());
    EXPECT_EQ(RGB(9, 9, 9), over.GetInterior());
    EXPECT_TRUE(over.GetFont().GetBold());
    EXPECT_EQ(12.0, over.GetFont().GetSize());

    CGRStyle applyNew = base;
    applyNew.ChangeStyle(change, grApplyNew);
    EXPECT_EQ(CString("old"), applyNew.GetValue());
    EXPECT_EQ(RGB(9, 9, 9), applyNew.GetInterior());
    EXPECT_EQ(8.0, applyNew.GetFont().GetSize());

    CGRStyle excl = base;
    excl.ChangeStyle(change, grExclude);
    EXPECT_FALSE(excl.GetIncludeValue());
    EXPECT_TRUE(excl.GetIncludeReadOnly());
    EXPECT_FALSE(excl.GetFont().GetIncludeSize());

    CGRStyle copy = base;
    copy.ChangeStyle(change, grCopy);
    EXPECT_EQ(change, copy);
}

TEST(GridStyle, FormatsNumbersAsTheStyleSays)
{
    struct Case
    {
        const char* value;
        int format, places;
        const char* shown;
    } cases[] = {
        { "3.14159", GR_FMT_FIXED, 2, "3.14" },
        { "0.000123456", GR_FMT_SIGNIFICANT, 3, "0.000123" },
        { "12345", GR_FMT_SCIENTIFIC, 1, "1.2e+04" },
        { "abc", GR_FMT_FIXED, 2, "abc" },       // not a number: as it is
        { "2.5", GR_FMT_GENERAL, 9, "2.5" },
    };
    for (auto& c : cases)
    {
        CGRStyle s;
        s.SetValue(c.value).SetFormat(c.format).SetPlaces(c.places);
        EXPECT_EQ(CString(c.shown), s.GetDisplayText()) << c.value;
    }
    CGRStyle d;
    d.SetValue(0.1);
    EXPECT_EQ(CString("0.1"), d.GetValue());
    EXPECT_EQ(0.1, d.GetDoubleValue());
}

TEST(GridModel, ComposesCellOverRowColumnHeaderAndStandard)
{
    PlainGrid g(5, 5);
    g.ChangeStandardStyle(CGRStyle().SetInterior(RGB(1, 1, 1)).SetTextColor(RGB(2, 2, 2)));
    g.SetStyleRange(CGRRange().SetCols(2), CGRStyle().SetInterior(RGB(3, 3, 3)));
    g.SetStyleRange(CGRRange().SetRows(3), CGRStyle().SetTextColor(RGB(4, 4, 4)));
    g.SetStyleRange(CGRRange(3, 2), CGRStyle().SetValue("x").SetInterior(RGB(5, 5, 5)));

    CGRStyle cell = g.LookupStyleRowCol(3, 2);
    EXPECT_EQ(RGB(5, 5, 5), cell.GetInterior());
    EXPECT_EQ(RGB(4, 4, 4), cell.GetTextColor());
    EXPECT_EQ(CString("x"), cell.GetValue());
    CGRStyle col = g.LookupStyleRowCol(1, 2);
    EXPECT_EQ(RGB(3, 3, 3), col.GetInterior());
    EXPECT_EQ(RGB(2, 2, 2), col.GetTextColor());
    // Headers take the header styles, not the data row and column styles.
    CGRStyle header = g.LookupStyleRowCol(0, 2);
    EXPECT_EQ(g.ColHeaderStyle().GetInterior(), header.GetInterior());
    EXPECT_EQ((WORD)GR_IDS_CTRL_HEADER, header.GetControl());
}

TEST(GridModel, NumberedHeadersWhenAskedAndNothingSet)
{
    PlainGrid g(30, 30);
    g.Param()->SetNumberedColHeaders(TRUE);
    g.Param()->SetNumberedRowHeaders(TRUE);
    g.SetValueRange(CGRRange(0, 3), "Title");
    EXPECT_EQ(CString("A"), g.GetValueRowCol(0, 1));
    EXPECT_EQ(CString("Z"), g.GetValueRowCol(0, 26));
    EXPECT_EQ(CString("AA"), g.GetValueRowCol(0, 27));
    EXPECT_EQ(CString("Title"), g.GetValueRowCol(0, 3));
    EXPECT_EQ(CString("12"), g.GetValueRowCol(12, 0));
}

TEST(GridModel, InsertAndRemoveRowsMoveCellsHeightsAndHiddenMarks)
{
    PlainGrid g(5, 2);
    for (ROWCOL r = 1; r <= 5; r++)
        g.SetValueRange(CGRRange(r, 1), (long)r);
    g.SetRowHeight(4, 4, 33);
    g.HideRows(5, 5);
    g.InsertRows(2, 2);
    EXPECT_EQ(7u, g.GetRowCount());
    EXPECT_EQ(CString("1"), g.GetValueRowCol(1, 1));
    EXPECT_EQ(CString(""), g.GetValueRowCol(2, 1));
    EXPECT_EQ(CString("2"), g.GetValueRowCol(4, 1));
    EXPECT_EQ(33, g.GetRowHeight(6));
    EXPECT_TRUE(g.IsRowHidden(7));
    g.RemoveRows(1, 3);
    EXPECT_EQ(4u, g.GetRowCount());
    EXPECT_EQ(CString("2"), g.GetValueRowCol(1, 1));
    EXPECT_EQ(33, g.GetRowHeight(3));
    EXPECT_TRUE(g.IsRowHidden(4));
    g.SetRowCount(2);
    EXPECT_EQ(CString(""), g.GetValueRowCol(3, 1));
}

TEST(GridModel, HiddenColumnsTakeNoRoomWhateverWidthTheyReport)
{
    // A grid whose width hook reports a width for every column, hidden or not.
    struct StoredWidths : PlainGrid
    {
        StoredWidths() : PlainGrid(3, 5) {}
        int GetColWidth(ROWCOL nCol) override { return nCol == 0 ? 30 : 80; }
    } g;
    g.HideCols(2, 3);
    EXPECT_EQ(0, g.GetColWidthShown(2));
    EXPECT_EQ(80, g.GetColWidthShown(4));
    // Column 4 follows column 1 directly.
    EXPECT_EQ(CRect(110, 20, 190, 40), g.CalcRectFromRowCol(1, 4));
    EXPECT_TRUE(g.CalcRectFromRowCol(1, 2).IsRectEmpty());
    g.HideCols(2, 2, FALSE);
    EXPECT_EQ(CRect(190, 20, 270, 40), g.CalcRectFromRowCol(1, 4));
}

TEST(GridModel, HitTestFindsCellsHeadersAndColumnBorders)
{
    PlainGrid g(20, 10);
    ROWCOL r = 0, c = 0;
    struct Case
    {
        int x, y, ht;
        ROWCOL row, col;
    } cases[] = {
        { 35, 25, GR_HT_CELL, 1, 1 },
        { 10, 10, GR_HT_HEADER, 0, 0 },
        { 60, 10, GR_HT_HEADER, 0, 1 },
        { 78, 10, GR_HT_VERTLINE, 0, 1 },    // right edge of column 1
        { 81, 10, GR_HT_VERTLINE, 0, 1 },    // left edge of column 2 resizes column 1
        { 100, 45, GR_HT_CELL, 2, 2 },
    };
    for (auto& cs : cases)
    {
        EXPECT_EQ(cs.ht, g.HitTest(CPoint(cs.x, cs.y), &r, &c)) << cs.x << "," << cs.y;
        EXPECT_EQ(cs.row, r);
        EXPECT_EQ(cs.col, c);
    }
    // Below the last row nothing is hit.
    PlainGrid small(2, 2);
    EXPECT_EQ(GR_HT_NOHIT, small.HitTest(CPoint(40, 200)));
}

TEST(GridModel, FrozenRowsStayWhileTheRestScrolls)
{
    PlainGrid g(100, 3);
    g.SetFrozenRows(2);
    g.SetTopRow(50);
    EXPECT_EQ(50u, g.GetTopRow());
    EXPECT_EQ(CRect(30, 20, 80, 40), g.CalcRectFromRowCol(1, 1));
    EXPECT_EQ(CRect(30, 60, 80, 80), g.CalcRectFromRowCol(50, 1));
    EXPECT_TRUE(g.CalcRectFromRowCol(10, 1).IsRectEmpty());
    // 300 pixels: header and two frozen rows (60), then 12 rows.
    EXPECT_EQ(61u, g.GetLastVisibleRow());
    // A frozen row cannot be the top row.
    g.SetTopRow(1);
    EXPECT_EQ(3u, g.GetTopRow());
}

TEST(GridModel, ScrollCellInViewShowsTheWholeCell)
{
    PlainGrid g(100, 20);
    g.ScrollCellInView(40, 1);
    // 300 - 20 header = 280 = 14 rows: row 40 is the last whole one.
    EXPECT_EQ(27u, g.GetTopRow());
    EXPECT_TRUE(g.IsCellVisible(40, 1));
    g.ScrollCellInView(5, 1);
    EXPECT_EQ(5u, g.GetTopRow());
    g.ScrollCellInView(5, 15);
    EXPECT_TRUE(g.IsCellVisible(5, 15));
    EXPECT_GT(g.GetLeftCol(), 1u);
}

TEST(GridModel, ReadOnlyLockKeepsReadOnlyCellsFromTheProgramToo)
{
    PlainGrid g(3, 3);
    g.SetStyleRange(CGRRange(1, 1), CGRStyle().SetValue("keep").SetReadOnly(TRUE));
    g.Param()->SetLockReadOnly(TRUE);
    EXPECT_FALSE(g.SetValueRange(CGRRange(1, 1, 1, 2), "x"));
    EXPECT_EQ(CString("keep"), g.GetValueRowCol(1, 1));
    EXPECT_EQ(CString("x"), g.GetValueRowCol(1, 2));
    g.Param()->SetLockReadOnly(FALSE);
    EXPECT_TRUE(g.SetValueRange(CGRRange(1, 1), "changed"));
    EXPECT_EQ(CString("changed"), g.GetValueRowCol(1, 1));
}

TEST(GridModel, ClearCellsEmptiesValuesOrWholeStyles)
{
    PlainGrid g(3, 3);
    g.SetStyleRange(CGRRange(1, 1, 2, 2), CGRStyle().SetValue("v").SetInterior(RGB(7, 7, 7)));
    g.ClearCells(CGRRange(1, 1));
    EXPECT_EQ(CString(""), g.GetValueRowCol(1, 1));
    EXPECT_EQ(RGB(7, 7, 7), g.LookupStyleRowCol(1, 1).GetInterior());
    CGRRangeList list;
    list.AddTail(CGRRange(2, 1, 2, 2));
    g.ClearCells(list, FALSE);
    EXPECT_EQ(g.StandardStyle().GetInterior(), g.LookupStyleRowCol(2, 2).GetInterior());
    EXPECT_EQ(CString("v"), g.GetValueRowCol(1, 2));
}

TEST(GridModel, LogicalUnitsFollowTheStandardFont)
{
    PlainGrid g(1, 1);
    int w1 = g.Width_LPtoDP(12000);
    EXPECT_GT(w1, 0);
    EXPECT_NEAR(12000, g.Width_DPtoLP(w1), 1000);
    g.ChangeStandardStyle(CGRStyle().SetFont(CGRFont().SetSize(20)));
    EXPECT_GT(g.Width_LPtoDP(12000), w1);
}

TEST(GridModel, ParametersReadFromText)
{
    std::unique_ptr<CGRGridParam> p(CGRGridParam::CreateFromText(
        "Rows=4\nCols=2\n; a comment\nCell(1,2)=hello\nColWidth(2)=77\nReadOnly=1\n"));
    ASSERT_TRUE(p);
    PlainGrid g(1, 1);
    g.SetParam(p.release());
    EXPECT_EQ(4u, g.GetRowCount());
    EXPECT_EQ(2u, g.GetColCount());
    EXPECT_EQ(CString("hello"), g.GetValueRowCol(1, 2));
    EXPECT_EQ(77, g.GetColWidth(2));
    EXPECT_TRUE(g.LookupStyleRowCol(1, 1).GetReadOnly());
    EXPECT_EQ(nullptr, CGRGridParam::CreateFromResource("NoSuchGridParam"));
}

TEST(GridModel, CopiedTextFlattensOrEscapesLineBreaksAndUsesTheSeparator)
{
    struct Case
    {
        DWORD clipFlags;
        const char* separator;
        CGRRange range;
        const char* text;
    } cases[] = {
        { GR_CLIP_TEXT, "", CGRRange(1, 1, 1, 2), "a\tb c\r\n" },
        { GR_CLIP_TEXT | GR_CLIP_ESCAPE, "", CGRRange(1, 1, 1, 2), "a\tb\\r\\nc\r\n" },
        { GR_CLIP_TEXT, ";", CGRRange(1, 1, 2, 2), "a;b c\r\nx;\r\n" },
        { GR_CLIP_TEXT, "", CGRRange(1, 2), "b c" },    // one cell: no line end
    };
    for (auto& c : cases)
    {
        PlainGrid g(3, 3);
        g.SetValueRange(CGRRange(1, 1), "a");
        g.SetValueRange(CGRRange(1, 2), "b\r\nc");
        g.SetValueRange(CGRRange(2, 1), "x");
        g.Param()->SetClipboardFlags(c.clipFlags);
        g.Param()->SetCopySeparator(c.separator);
        CGRRangeList list;
        list.AddTail(c.range);
        CString text;
        EXPECT_TRUE(g.CopyTextToString(text, list));
        EXPECT_EQ(CString(c.text), text);
    }
}

TEST(GridModel, HeaderDoubleClickSortsAscendingThenDescending)
{
    PlainGrid g(4, 2);
    const char* values[] = { "10", "9", "banana", "Apple" };
    for (ROWCOL r = 1; r <= 4; r++)
    {
        g.SetValueRange(CGRRange(r, 1), values[r - 1]);
        g.SetValueRange(CGRRange(r, 2), (long)r);
    }
    g.Param()->SetSortRowsOnDblClk(TRUE);
    g.OnLButtonDblClkRowCol(0, 1, 0, CPoint());
    std::vector<std::string> order;
    for (ROWCOL r = 1; r <= 4; r++)
        order.push_back(g.GetValueRowCol(r, 1).GetString());
    EXPECT_EQ((std::vector<std::string>{ "9", "10", "Apple", "banana" }), order);
    EXPECT_EQ(CString("2"), g.GetValueRowCol(1, 2));    // rows move whole
    g.OnLButtonDblClkRowCol(0, 1, 0, CPoint());
    EXPECT_EQ(CString("banana"), g.GetValueRowCol(1, 1));
    EXPECT_EQ(CString("9"), g.GetValueRowCol(4, 1));
    g.Param()->SetSortRowsOnDblClk(FALSE);
    g.OnLButtonDblClkRowCol(0, 2, 0, CPoint());
    EXPECT_EQ(CString("banana"), g.GetValueRowCol(1, 1));
}

TEST(GridModel, ToolTipsShowTheCellsTipAttribute)
{
    PlainGrid g(3, 3);
    g.SetStyleRange(CGRRange(2, 0), CGRStyle().SetUserAttribute(GR_IDS_UA_TOOLTIPTEXT, "Key 42"));
    CPoint pt = g.CalcRectFromRowCol(2, 0).CenterPoint();
    EXPECT_EQ(CString(""), g.GetToolTipText(pt));        // tips off
    g.EnableGridToolTips();
    EXPECT_EQ(CString("Key 42"), g.GetToolTipText(pt));
    EXPECT_EQ(CString(""), g.GetToolTipText(g.CalcRectFromRowCol(1, 0).CenterPoint()));
}

TEST(GridLibrary, StartsForTheVersionsItServesAndKeepsOneState)
{
    EXPECT_TRUE(GRInit(0xA00, nullptr, nullptr));
    EXPECT_FALSE(GRInit(0xB00, nullptr, nullptr));
    GR_APP_STATE* pState = GRGetAppState();
    ASSERT_TRUE(pState);
    EXPECT_EQ(pState, GRGetAppState());
    ASSERT_TRUE(pState->m_pWindowMap);
    int marker = 0;
    pState->m_pWindowMap->SetAt(&marker, 1);
    WORD value = 0;
    EXPECT_TRUE(pState->m_pWindowMap->Lookup(&marker, value));
    EXPECT_EQ(1, value);
    pState->m_pWindowMap->RemoveKey(&marker);
    EXPECT_NE(0u, pState->m_nFindReplaceMsg);
    GRTerminate(nullptr);
    EXPECT_TRUE(GRInit());
}

// A window over a rectangle goes below it, else above, right, left, the
// first place inside the work area; a window clear of it, or with nowhere
// to go, stays.
TEST(GridFindDialog, PlacedOffTheRectangleInsideTheWorkArea)
{
    const CRect work(0, 0, 1000, 800);
    const CRect cell(100, 600, 200, 620);
    struct Case
    {
        const char* name;
        CRect window;
        CRect expected;
    };
    const Case cases[] = {
        { "clear of the cell", CRect(400, 100, 700, 250), CRect(400, 100, 700, 250) },
        { "over it: below", CRect(50, 550, 350, 700), CRect(50, 624, 350, 774) },
        { "no room below: above", CRect(50, 500, 350, 750), CRect(50, 346, 350, 596) },
        { "no room below or above: right", CRect(50, 0, 350, 800), CRect(204, 0, 504, 800) },
        { "over the work area's edge: moved in", CRect(-50, 550, 250, 700), CRect(0, 624, 300, 774) },
        { "nowhere to go", CRect(0, 0, 1000, 800), CRect(0, 0, 1000, 800) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CRect placed = GRPlaceOffRect(c.window, cell, work);
        EXPECT_EQ(c.expected.left, placed.left);
        EXPECT_EQ(c.expected.top, placed.top);
        EXPECT_EQ(c.expected.Width(), placed.Width());
        EXPECT_EQ(c.expected.Height(), placed.Height());
    }
}
