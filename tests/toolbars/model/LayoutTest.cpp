// Row layout of a customisable toolbar without windows.
#include "tests/toolbars/model/ModelFixture.h"

#include <gtest/gtest.h>

using namespace ozwtb;
using modeltest::Bar;
using modeltest::RowEnds;

TEST(ToolBarMetrics, StandardSizesFollowTheImageSize)
{
    struct Case
    {
        int cxImage, cyImage, cxButton, cyButton, cxSeparator;
    } cases[] = {
        {16, 15, 23, 22, 8},
        {16, 16, 23, 23, 8},
        {32, 32, 39, 39, 13},
    };
    for (const Case& c : cases) {
        Metrics m = Metrics::ForImage(c.cxImage, c.cyImage);
        EXPECT_EQ(c.cxButton, m.cxButton) << c.cxImage;
        EXPECT_EQ(c.cyButton, m.cyButton) << c.cyImage;
        EXPECT_EQ(c.cxSeparator, SeparatorWidth(c.cxImage)) << c.cxImage;
        EXPECT_EQ(5, m.SepBand());
    }
}

TEST(ToolBarLayout, WrapButtonsBreaksRowsAtSeparatorsOrBeforeTheButtonThatRunsOver)
{
    struct Case
    {
        const char* bar;
        int width;
        const char* rows;
        std::vector<int> widths;
    } cases[] = {
        {"BBBB", 200, "3", {92}},
        // The row ends at its separator, which does not count in its width.
        {"BB|BB", 60, "2s 4", {46, 46}},
        {"B|BB|BB", 70, "1s 4s 6", {23, 46, 46}},
        // No separator: the row ends before the button that runs over.
        {"BBBB", 50, "1 3", {46, 46}},
        // A separator that runs over ends its row itself.
        {"BB|B", 44, "2s 3", {46, 23}},
        // A button wider than the bar stays alone in its row.
        {"W", 50, "0", {100}},
        {"BWB", 50, "0 1 2", {23, 100, 23}},
        // Hidden buttons take no room.
        {"BHB", 50, "2", {46}},
    };
    for (const Case& c : cases) {
        Layout layout = Bar(c.bar);
        std::vector<RowInfo> rows;
        WrapButtons(layout, c.width, rows);
        EXPECT_EQ(c.rows, RowEnds(rows)) << c.bar << " at " << c.width;
        std::vector<int> widths;
        for (const RowInfo& row : rows)
            widths.push_back(row.cx);
        EXPECT_EQ(c.widths, widths) << c.bar << " at " << c.width;
    }
}

TEST(ToolBarLayout, BalanceRowsMovesButtonsDownWhileTheNextRowStaysNarrower)
{
    struct Case
    {
        const char* bar;
        int width;
        const char* balanced;
    } cases[] = {
        {"BBBBB", 100, "2 4"},
        // A row broken at a separator hands down the group after its
        // previous separator.
        {"BB|BB|B", 110, "2s 6"},
        // A row that would keep fewer than two buttons keeps them.
        {"BBB", 50, "1 2"},
        {"BBBB", 200, "3"},
    };
    for (const Case& c : cases) {
        Layout layout = Bar(c.bar);
        std::vector<RowInfo> rows;
        WrapButtons(layout, c.width, rows);
        BalanceRows(layout, rows);
        EXPECT_EQ(c.balanced, RowEnds(rows)) << c.bar << " at " << c.width;
    }
}

TEST(ToolBarLayout, SizeToolBarHorizontallyWrapsAtTheLengthOrTheWidestButton)
{
    Metrics m;
    Layout four = Bar("BBBB");
    SIZE size = SizeToolBar(four, 50, FALSE, m);
    EXPECT_EQ(46, size.cx);
    EXPECT_EQ(44, size.cy);
    EXPECT_TRUE(four[1].Wraps());
    EXPECT_FALSE(four[3].Wraps());

    Layout wide = Bar("WB");
    size = SizeToolBar(wide, 50, FALSE, m);
    EXPECT_EQ(100, size.cx);
    EXPECT_EQ(44, size.cy);
}

TEST(ToolBarLayout, VerticalBarWidensByWholeButtonsUntilItsHeightFitsTheDockLength)
{
    Metrics m;
    const char* component = "BBB|BBBBB|BBB";
    struct Case
    {
        int length, cx, cy;
    } exact[] = {
        // Room for every button in one column.
        {700, 23, 11 * 22 + 2 * 8},
        {100, 100, 3 * 22 + 8},
    };
    for (const Case& c : exact) {
        Layout layout = Bar(component);
        SIZE size = SizeToolBar(layout, c.length, TRUE, m);
        EXPECT_EQ(c.cx, size.cx) << c.length;
        EXPECT_EQ(c.cy, size.cy) << c.length;
    }
    // For any length: the rows fit it, or the buttons stand in one row.
    for (int length : {0, 10, 44, 60, 90, 150, 200, 300}) {
        Layout layout = Bar(component);
        SIZE size = SizeToolBar(layout, length, TRUE, m);
        int rows = 1;
        for (size_t i = 0; i + 1 < layout.size(); ++i)
            rows += layout[i].Wraps() ? 1 : 0;
        EXPECT_TRUE(size.cy <= length || rows == 1) << length << ": " << size.cx << " x " << size.cy;
    }
}

TEST(ToolBarLayout, PositionButtonsPlacesRowsWithTheSeparatorBandOrAcrossTheBar)
{
    Metrics m;
    // Horizontal: the row broken at the separator leaves a band below it.
    Layout horz = Bar("BB|BB");
    std::vector<RowInfo> rows;
    WrapButtons(horz, 60, rows);
    SetRowEnds(horz, rows);
    SIZE size = PositionButtons(horz, 2, 3, FALSE, m);
    EXPECT_EQ(2, horz[3].x);
    EXPECT_EQ(3 + 22 + 5, horz[3].y);
    EXPECT_EQ(25, horz[4].x);
    EXPECT_EQ(46, size.cx);
    EXPECT_EQ(22 + 5 + 22, size.cy);

    // Vertical: the separator lies across the bar where the next row starts.
    Layout vert = Bar("BB|BB");
    WrapButtons(vert, 60, rows);
    SetRowEnds(vert, rows);
    size = PositionButtons(vert, 2, 3, TRUE, m);
    EXPECT_EQ(2, vert[2].x);
    EXPECT_EQ(3 + 22, vert[2].y);
    EXPECT_EQ(3 + 22 + 8, vert[3].y);
    EXPECT_EQ(22 + 8 + 22, size.cy);

    // A lower button centred in its row moves down by half the difference.
    Layout centred = Bar("Tc");
    SizeToolBar(centred, 32767, FALSE, m);
    PositionButtons(centred, 0, 0, FALSE, m);
    EXPECT_EQ(0, centred[0].y);
    EXPECT_EQ(7, centred[1].y);
}

TEST(ToolBarLayout, HitTestFindsVisibleButtonsButNotSeparatorsOrGaps)
{
    Metrics m;
    Layout layout = Bar("BB|BB");
    std::vector<RowInfo> rows;
    WrapButtons(layout, 60, rows);
    SetRowEnds(layout, rows);
    PositionButtons(layout, 0, 0, FALSE, m);
    struct Case
    {
        int x, y, index;
    } cases[] = {
        {5, 5, 0}, {30, 10, 1}, {50, 10, -1}, {10, 24, -1}, {10, 30, 3}, {40, 40, 4}, {60, 30, -1}, {10, 60, -1},
        {22, 21, 0}, {23, 21, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.index, HitTest(layout, c.x, c.y)) << c.x << "," << c.y;

    Layout hidden = modeltest::LaidOut("BHB");
    EXPECT_EQ(2, HitTest(hidden, 30, 5));
    EXPECT_EQ(0, HitTest(hidden, 5, 5));
}

TEST(ToolBarLayout, SeparatorsLeftStrandedByARemovalGoWithIt)
{
    struct Case
    {
        const char* after;
        int removedAt;
        std::vector<int> drop;
    } cases[] = {
        {"|B", 0, {0}},
        {"B|", 2, {1}},
        {"B||B", 2, {2}},
        {"|", 0, {0}},
        {"B|B", 1, {}},
        {"|B|", 1, {2, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.drop, SeparatorsToDrop(Bar(c.after), c.removedAt)) << c.after;
}

TEST(ToolBarLayout, RowOfAndTallestInRowFollowTheRowEnds)
{
    Layout layout = Bar("BT|BB");
    std::vector<RowInfo> rows;
    WrapButtons(layout, 60, rows);
    SetRowEnds(layout, rows);
    int first = 0, last = 0;
    RowOf(layout, 1, first, last);
    EXPECT_EQ(0, first);
    EXPECT_EQ(2, last);
    EXPECT_EQ(30, TallestInRow(layout, first, last));
    EXPECT_EQ(22, TallestInRow(layout, first, last, 1));
    RowOf(layout, 4, first, last);
    EXPECT_EQ(3, first);
    EXPECT_EQ(4, last);
}
