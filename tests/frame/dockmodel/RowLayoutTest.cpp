// The layout of a dock bar's rows, drops at a point, the drag outline and
// the splitters.
#include "RowsNotation.h"

#include <gtest/gtest.h>

using namespace dockrowstest;

namespace {

const DWORD kTop = 0x2000, kBottom = 0x8000, kLeft = 0x1000;

// Rows whose bars all ask for size (cx, cy) with equal valid shares, laid
// out once so that each bar has its rectangle.
OZWDockRows LaidOut(const std::string& text, DWORD dwAlign, CSize size, int nRowLength = 400)
{
    OZWDockRows rows = Rows(text, dwAlign);
    for (OZWDockEntry& e : rows.m_entries) {
        if (e.IsBar())
            e.size = size;
    }
    const OZWDockLayout layout = rows.Layout(nRowLength, 0, 0, nullptr);
    for (int i = 0; i < rows.GetSize(); ++i)
        rows.m_entries[i].rect = layout.rects[i];
    return rows;
}

CRect RectOf(const OZWDockRows& rows, const OZWDockLayout& layout, char c)
{
    return layout.rects[rows.FindBar(BarPtr(c))];
}

} // namespace

TEST(DockRowLayout, TopRowOfSizedBars)
{
    OZWDockRows rows = Rows("A B |", kTop);
    for (char c : { 'A', 'B' })
        Entry(rows, c).size = CSize(300, 100);
    const OZWDockLayout layout = rows.Layout(400, 0, 0, nullptr);

    // Client edge at the frame's edge, the bars, the row splitter towards the client.
    ASSERT_EQ(1u, layout.edges.size());
    EXPECT_EQ(CRect(0, 0, 400, 3), layout.edges[0].rect);
    EXPECT_EQ(0, layout.edges[0].nOrientation);
    EXPECT_EQ(CRect(0, 3, 197, 103), RectOf(rows, layout, 'A'));
    EXPECT_EQ(CRect(203, 3, 400, 103), RectOf(rows, layout, 'B')); // the last reaches the row's end
    EXPECT_EQ(197, layout.lengths[rows.FindBar(BarPtr('A'))]);
    ASSERT_EQ(2u, layout.splitters.size());
    const OZWDockSplitterInfo& inRow = layout.splitters[0];
    EXPECT_EQ(OZWDockSplitterInfo::InRowSplitter, inRow.nKind);
    EXPECT_EQ(1, inRow.nOrientation);
    EXPECT_EQ(rows.FindBar(BarPtr('A')), inRow.nIndex);
    EXPECT_EQ(CRect(197, 3, 203, 103), inRow.rect);
    const OZWDockSplitterInfo& row = layout.splitters[1];
    EXPECT_EQ(OZWDockSplitterInfo::RowSplitter, row.nKind);
    EXPECT_EQ(0, row.nOrientation);
    EXPECT_EQ(CRect(0, 103, 400, 109), row.rect);
    EXPECT_EQ(109 + 2, layout.nAcross);
    EXPECT_EQ(0u, Entry(rows, 'A').dwExStyle & SCBX_PLAIN_ROW);
}

TEST(DockRowLayout, BottomAndLeftDockBarsMirrorTheRow)
{
    OZWDockRows bottom = Rows("A |", kBottom);
    Entry(bottom, 'A').size = CSize(300, 100);
    OZWDockLayout layout = bottom.Layout(400, 0, 0, nullptr);
    ASSERT_EQ(1u, layout.splitters.size());
    EXPECT_EQ(CRect(0, 0, 400, 6), layout.splitters[0].rect);
    EXPECT_EQ(CRect(0, 6, 400, 106), RectOf(bottom, layout, 'A'));
    ASSERT_EQ(1u, layout.edges.size());
    EXPECT_EQ(CRect(0, 106, 400, 109), layout.edges[0].rect);

    OZWDockRows left = Rows("A B |", kLeft);
    for (char c : { 'A', 'B' })
        Entry(left, c).size = CSize(150, 300);
    layout = left.Layout(400, 0, 0, nullptr);
    EXPECT_EQ(CRect(0, 0, 3, 400), layout.edges[0].rect);
    EXPECT_EQ(1, layout.edges[0].nOrientation);
    EXPECT_EQ(CRect(3, 0, 153, 197), RectOf(left, layout, 'A'));
    EXPECT_EQ(0, layout.splitters[0].nOrientation); // in-row splitters lie across a column
    EXPECT_EQ(CRect(3, 197, 153, 203), layout.splitters[0].rect);
    EXPECT_EQ(CRect(153, 0, 159, 400), layout.splitters[1].rect);
    EXPECT_EQ(1, layout.splitters[1].nOrientation);
}

TEST(DockRowLayout, RowsWithoutSizedBarsLieAsDropped)
{
    OZWDockRows rows = Rows("S! T! | U!* | V- |", kTop);
    Entry(rows, 'S').size = CSize(100, 26);
    Entry(rows, 'T').size = CSize(80, 26);
    Entry(rows, 'T').rect = CRect(150, 0, 230, 26); // dropped further along
    Entry(rows, 'U').size = CSize(60, 30);
    Entry(rows, 'V').size = CSize(60, 30);
    const OZWDockLayout layout = rows.Layout(400, 0, 0, nullptr);
    EXPECT_TRUE(layout.splitters.empty());
    EXPECT_TRUE(layout.edges.empty());
    EXPECT_EQ(CRect(0, 0, 100, 26), RectOf(rows, layout, 'S'));
    EXPECT_EQ(CRect(150, 0, 230, 26), RectOf(rows, layout, 'T'));
    EXPECT_EQ(CRect(0, 26, 400, 56), RectOf(rows, layout, 'U')); // its own row, all of it
    EXPECT_TRUE(RectOf(rows, layout, 'V').IsRectNull());         // hidden: no room
    EXPECT_EQ(56 + 2, layout.nAcross);
    EXPECT_NE(0u, Entry(rows, 'S').dwExStyle & SCBX_PLAIN_ROW);
}

TEST(DockRowLayout, NothingShownTakesNoRoom)
{
    OZWDockRows rows = Rows("A- | #3 |", kTop);
    const OZWDockLayout layout = rows.Layout(400, 0, 0, nullptr);
    EXPECT_FALSE(layout.bAnyBar);
    EXPECT_EQ(0, layout.nAcross);
}

TEST(DockRowLayout, FloatingDockBarPlacesBarsAtTheirSize)
{
    OZWDockRows rows = Rows("A |", kTop);
    rows.m_bFloating = TRUE;
    Entry(rows, 'A').size = CSize(300, 180);
    const OZWDockLayout layout = rows.Layout(32767, 0, 0, nullptr);
    EXPECT_TRUE(layout.splitters.empty());
    EXPECT_EQ(CRect(0, 0, 300, 180), RectOf(rows, layout, 'A'));
    EXPECT_EQ(180, layout.nAcross);
}

TEST(DockRowLayout, TheBarDockedLastKeepsItsShare)
{
    OZWDockRows rows = Rows("A B |", kTop);
    for (char c : { 'A', 'B' })
        Entry(rows, c).size = CSize(300, 100);
    Entry(rows, 'A').fShare = 0.25f;
    Entry(rows, 'B').fShare = 0.5f;
    const OZWDockLayout layout = rows.Layout(400, 0, 0, BarPtr('A'));
    EXPECT_NEAR(0.25f, Share(rows, 'A'), 1e-6);
    EXPECT_EQ((int)(0.25f * 394), RectOf(rows, layout, 'A').Width());
}

TEST(DockRowDrop, InsertionAtAPointTable)
{
    // Row 0 (A, B) spans y 3..103, row 1 (C) 112..212 after the splitter and edge.
    const struct
    {
        CPoint pt;
        const char* after;
    } cases[] = {
        { CPoint(50, 50), "X A B | C |" },
        { CPoint(150, 50), "A X B | C |" },
        { CPoint(390, 50), "A B X | C |" },
        { CPoint(50, 1), "X | A B | C |" },   // before the first row
        { CPoint(50, 105), "A B | X | C |" }, // between the rows
        { CPoint(50, 150), "A B | X C |" },
        { CPoint(50, 300), "A B | C | X | |" },
    };
    for (const auto& c : cases) {
        OZWDockRows rows = LaidOut("A B | C |", kTop, CSize(300, 100));
        rows.InsertBarAtPoint(Bar('X'), c.pt);
        EXPECT_EQ(c.after, Text(rows)) << c.pt.x << "," << c.pt.y;
    }
}

TEST(DockRowDrop, PointLeftOfAColumnOpensARowThere)
{
    OZWDockRows rows = LaidOut("A | B |", kLeft, CSize(150, 300));
    rows.InsertBarAtPoint(Bar('X'), CPoint(1, 50));
    EXPECT_EQ("X | A | B |", Text(rows));
    OZWDockRows between = LaidOut("A | B |", kLeft, CSize(150, 300));
    between.InsertBarAtPoint(Bar('X'), CPoint(157, 50));
    EXPECT_EQ("A | X | B |", Text(between));
}

TEST(DockRowDrop, ANewLastRowKeepsThePlacesBeforeIt)
{
    OZWDockRows rows = LaidOut("A | #5 |", kTop, CSize(300, 100));
    rows.InsertBarAtPoint(Bar('X'), CPoint(10, 300));
    EXPECT_EQ("A | #5 | X | |", Text(rows));
    EXPECT_TRUE(rows.m_bRowsChanged);
}

TEST(DockRowDrop, ABarDroppedOnItselfStays)
{
    OZWDockRows rows = LaidOut("A B |", kTop, CSize(300, 100));
    const int a = rows.FindBar(BarPtr('A'));
    OZWDockDropPlace place = rows.FindDropPlace(Entry(rows, 'A').rect.CenterPoint(), BarPtr('A'));
    EXPECT_EQ(OZWDockDropPlace::InRow, place.kind);
    EXPECT_TRUE(place.nIndex == a || place.nIndex == a + 1);

    OZWDockRows alone = LaidOut("A | B |", kTop, CSize(300, 100));
    place = alone.FindDropPlace(Entry(alone, 'B').rect.CenterPoint(), BarPtr('B'));
    EXPECT_EQ(OZWDockDropPlace::InRow, place.kind);
    EXPECT_EQ(alone.FindBar(BarPtr('B')), place.nIndex);
}

TEST(DockRowDrop, OutlineShowsTheShareTheBarWillTake)
{
    OZWDockRows rows = LaidOut("A |", kTop, CSize(300, 100));
    OZWDockEntry x = Bar('X');
    OZWDockFeedbackCache cache;
    const CRect rectDrag(100, 40, 300, 90);
    const CRect rect = rows.CalcFeedbackRect(x, rectDrag, CPoint(150, 60), 400, cache);
    // Half the dock bar (its share 1 against A's 1), the row's thickness,
    // the cursor at the same relative place.
    EXPECT_EQ(CRect(100, 20, 300, 120), rect);
    // In the same row the outline follows the cursor.
    const CRect moved = rows.CalcFeedbackRect(x, rectDrag + CPoint(10, 5), CPoint(160, 65), 400, cache);
    EXPECT_EQ(rect + CPoint(10, 5), moved);

    // Dropped there, the bar takes that share of the row.
    OZWDockDropPlace place = rows.FindDropPlace(rectDrag.CenterPoint(), x.pBar);
    x.fShare = rows.DropShare(x, place);
    rows.InsertBarAtPoint(x, rectDrag.CenterPoint());
    Entry(rows, 'X').size = CSize(300, 100);
    rows.Layout(400, 0, 0, BarPtr('X'));
    EXPECT_NEAR(0.5f, Share(rows, 'X'), 1e-6);
    EXPECT_NEAR(0.5f, Share(rows, 'A'), 1e-6);
}

TEST(DockRowDrop, OutlineOverANewRowSpansTheDockBar)
{
    OZWDockRows rows = LaidOut("A |", kTop, CSize(300, 100));
    OZWDockFeedbackCache cache;
    EXPECT_EQ(CRect(0, 150, 400, 200), rows.CalcFeedbackRect(Bar('X'), CRect(100, 150, 300, 200), CPoint(150, 160),
                                                             400, cache));
    const CRect fixedDrag(100, 40, 300, 90);
    EXPECT_EQ(fixedDrag, rows.CalcFeedbackRect(Bar('X', 1.0f, SCBX_FIXED_SIZE), fixedDrag, CPoint(150, 60), 400,
                                               cache));
}

TEST(DockRowSplitters, LimitsTable)
{
    OZWDockRows rows = LaidOut("A B C |", kTop, CSize(300, 100));
    int nMin = 0, nMax = 0;
    OZWDockSplitterInfo split;
    split.nKind = OZWDockSplitterInfo::InRowSplitter;
    split.nIndex = rows.FindBar(BarPtr('A'));
    rows.GetSplitterLimits(split, 0, 400, 0, nMin, nMax);
    EXPECT_EQ(24, nMin);
    EXPECT_EQ(400 - 48, nMax);
    split.nIndex = rows.FindBar(BarPtr('B'));
    rows.GetSplitterLimits(split, 0, 400, 0, nMin, nMax);
    EXPECT_EQ(48, nMin);
    EXPECT_EQ(376, nMax);

    // A top dock bar's row splitter below a row 100 thick, 200 pixels of client area free.
    OZWDockSplitterInfo row;
    row.nKind = OZWDockSplitterInfo::RowSplitter;
    row.nIndex = 1;
    row.rect = CRect(0, 103, 400, 109);
    rows.GetSplitterLimits(row, 0, 400, 200, nMin, nMax);
    EXPECT_EQ(103 - 100 + 19, nMin);
    EXPECT_EQ(103 + 181, nMax);
    // No client area to give: the splitter can stay but not go further.
    rows.GetSplitterLimits(row, 0, 400, 10, nMin, nMax);
    EXPECT_EQ(109, nMax);

    OZWDockRows bottom = LaidOut("A |", kBottom, CSize(300, 100));
    row.rect = CRect(0, 0, 400, 6);
    bottom.GetSplitterLimits(row, 0, 400, 200, nMin, nMax);
    EXPECT_EQ(0 - 181, nMin);
    EXPECT_EQ(0 + 100 - 19, nMax);
}

TEST(DockRowSplitters, InRowDragMovesLengthBetweenNeighbours)
{
    // A, B, C share 388 pixels: 129, 129, 130 (the last stretched).
    const struct
    {
        char chSplitter;
        int nDelta;
        int nA, nB, nC; // new lengths, -1 unchanged
    } cases[] = {
        { 'A', 20, 149, 109, -1 },
        { 'A', 200, 329, 19, 40 }, // B stops at its minimum (0.05 of the row), C gives the rest
        { 'B', -50, -1, 79, 180 },
        { 'B', -300, 19, 19, 350 }, // both before it give down to their minimum
    };
    for (const auto& c : cases) {
        OZWDockRows rows = LaidOut("A B C |", kTop, CSize(300, 100));
        OZWDockSplitterInfo split;
        split.nKind = OZWDockSplitterInfo::InRowSplitter;
        split.nIndex = rows.FindBar(BarPtr(c.chSplitter));
        std::vector<int> lengths, thickness;
        rows.ResizeBySplitter(split, c.nDelta, 400, lengths, thickness);
        const int expected[3] = { c.nA, c.nB, c.nC };
        int nSum = 0;
        for (int k = 0; k < 3; ++k) {
            const int i = rows.FindBar(BarPtr((char)('A' + k)));
            EXPECT_EQ(expected[k], lengths[i]) << c.chSplitter << " " << c.nDelta << " bar " << k;
            nSum += lengths[i] >= 0 ? lengths[i] : rows.m_entries[i].rect.Width();
            if (lengths[i] >= 0) {
                EXPECT_NEAR((float)lengths[i] / 388.0f, rows.m_entries[i].fShare, 0.003f);
            }
        }
        EXPECT_EQ(388, nSum) << "the row keeps its length";
        EXPECT_TRUE(rows.m_bRowsChanged);
    }
}

TEST(DockRowSplitters, RowDragAwayFromTheEdgeThickensTheRow)
{
    OZWDockSplitterInfo split;
    split.nKind = OZWDockSplitterInfo::RowSplitter;
    split.nIndex = 1;
    std::vector<int> lengths, thickness;

    OZWDockRows top = LaidOut("A B |", kTop, CSize(300, 100));
    top.ResizeBySplitter(split, 20, 400, lengths, thickness);
    EXPECT_EQ(120, thickness[top.FindBar(BarPtr('A'))]);
    EXPECT_EQ(120, thickness[top.FindBar(BarPtr('B'))]);

    OZWDockRows bottom = LaidOut("A |", kBottom, CSize(300, 100));
    bottom.ResizeBySplitter(split, 20, 400, lengths, thickness);
    EXPECT_EQ(80, thickness[bottom.FindBar(BarPtr('A'))]);
    bottom.ResizeBySplitter(split, -30, 400, lengths, thickness);
    EXPECT_EQ(130, thickness[bottom.FindBar(BarPtr('A'))]);
}
