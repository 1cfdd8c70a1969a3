// Where a colour well's cells lie, which cell a point hits, where the arrow
// keys go, and where a popup well opens beside its button.
#include "toolbars/buttons/ColorWellGeometry.h"

#include <gtest/gtest.h>

using namespace dedaride::foundation;

namespace {

ColorWellGeometry Grid(int cols, int rows, BOOL bShowOther, BOOL bCustomSet)
{
    ColorWellGeometry g;
    g.nCols = cols;
    g.nRows = rows;
    g.cxCell = 10;
    g.cyCell = 8;
    g.cxMargin = 3;
    g.cyMargin = 2;
    g.bShowOther = bShowOther;
    g.bCustomSet = bCustomSet;
    return g;
}

std::string Cell(int col, int row)
{
    return std::to_string(col) + "," + std::to_string(row);
}

} // namespace

TEST(ColorWellGeometry, SizeAndCells)
{
    ColorWellGeometry g = Grid(4, 5, FALSE, FALSE);
    // Cells with 2-pixel gaps inside the margins.
    EXPECT_EQ(CSize(4 * 10 + 2 * (3 + 4) - 2, 5 * 8 + 2 * (2 + 5) - 2), g.WindowSize());
    CRect client(CPoint(0, 0), g.WindowSize());
    EXPECT_EQ(CRect(3, 2, 13, 10), g.CellRect(0, 0, client));
    EXPECT_EQ(CRect(3 + 3 * 12, 2 + 4 * 10, 3 + 3 * 12 + 10, 2 + 4 * 10 + 8), g.CellRect(3, 4, client));
    EXPECT_EQ(client.right - 3, g.CellRect(3, 4, client).right);
    EXPECT_EQ(client.bottom - 2, g.CellRect(3, 4, client).bottom);

    // The Other row adds a row of cell height + 2 and 6 pixels, and holds the
    // custom cell in the last column, 5 pixels lower than the rhythm.
    ColorWellGeometry other = Grid(4, 5, TRUE, TRUE);
    EXPECT_EQ(g.WindowSize().cy + 8 + 2 + 6, other.WindowSize().cy);
    CRect otherClient(CPoint(0, 0), other.WindowSize());
    CRect custom = other.CellRect(other.CustomCol(), other.CustomRow(), otherClient);
    EXPECT_EQ(CRect(3 + 3 * 12, 2 + 5 * 10 + 5, 3 + 3 * 12 + 10, 2 + 5 * 10 + 5 + 8), custom);
    CRect button = other.OtherButtonRect(otherClient);
    EXPECT_TRUE(button.top < custom.top && custom.bottom <= button.bottom);
    EXPECT_EQ(20, other.CustomIndex());
    EXPECT_EQ(20, other.CellIndex(3, 5));
    EXPECT_EQ(7, other.CellIndex(3, 1));
}

TEST(ColorWellGeometry, HitTest)
{
    ColorWellGeometry g = Grid(4, 5, TRUE, FALSE);
    CRect client(CPoint(0, 0), g.WindowSize());
    int col = -1, row = -1;
    ASSERT_TRUE(g.HitTest(CPoint(5, 5), client, col, row));
    EXPECT_EQ("0,0", Cell(col, row));
    // The 2-pixel gap between columns 0 (3..12) and 1 (15..24) splits.
    ASSERT_TRUE(g.HitTest(CPoint(13, 5), client, col, row));
    EXPECT_EQ("0,0", Cell(col, row));
    ASSERT_TRUE(g.HitTest(CPoint(14, 5), client, col, row));
    EXPECT_EQ("1,0", Cell(col, row));
    EXPECT_FALSE(g.HitTest(CPoint(0, 0), client, col, row));
    // The custom cell counts only once a custom colour was set.
    CPoint customCentre = g.CellRect(3, 5, client).CenterPoint();
    EXPECT_FALSE(g.HitTest(customCentre, client, col, row));
    g.bCustomSet = TRUE;
    ASSERT_TRUE(g.HitTest(customCentre, client, col, row));
    EXPECT_EQ("3,5", Cell(col, row));
}

TEST(ColorWellGeometry, ArrowKeys)
{
    struct Case
    {
        BOOL bCustom;   // the custom cell is available
        UINT key;
        int col, row;
        const char* to;
    };
    const Case cases[] = {
        { FALSE, VK_LEFT, 2, 1, "1,1" },   { FALSE, VK_LEFT, 0, 1, "3,0" },   { FALSE, VK_LEFT, 0, 0, "3,4" },
        { TRUE, VK_LEFT, 0, 0, "3,5" },    { TRUE, VK_LEFT, 3, 5, "3,4" },    { FALSE, VK_RIGHT, 3, 1, "0,2" },
        { FALSE, VK_RIGHT, 3, 4, "0,0" },  { TRUE, VK_RIGHT, 3, 4, "3,5" },   { TRUE, VK_RIGHT, 3, 5, "0,0" },
        { FALSE, VK_UP, 2, 1, "2,0" },     { FALSE, VK_UP, 2, 0, "2,4" },     { TRUE, VK_UP, 3, 0, "3,5" },
        { TRUE, VK_UP, 2, 0, "2,4" },      { TRUE, VK_UP, 3, 5, "3,4" },      { FALSE, VK_DOWN, 1, 3, "1,4" },
        { FALSE, VK_DOWN, 3, 4, "3,0" },   { TRUE, VK_DOWN, 3, 4, "3,5" },    { TRUE, VK_DOWN, 2, 4, "2,0" },
        { TRUE, VK_DOWN, 3, 5, "3,0" },
    };
    for (const Case& c : cases) {
        ColorWellGeometry g = Grid(4, 5, TRUE, c.bCustom);
        int col = c.col, row = c.row;
        ASSERT_TRUE(g.Navigate(c.key, col, row));
        EXPECT_EQ(c.to, Cell(col, row)) << "key " << c.key << " from " << Cell(c.col, c.row) << " custom " << c.bCustom;
    }
    ColorWellGeometry g = Grid(4, 5, FALSE, FALSE);
    int col = 1, row = 1;
    EXPECT_FALSE(g.Navigate('A', col, row));
}

TEST(ColorWellGeometry, PopupPlacement)
{
    const CRect work(0, 0, 800, 600);
    const CSize size(200, 150);
    struct Case
    {
        CRect button;
        CPoint at;
    };
    const Case cases[] = {
        { CRect(100, 100, 160, 120), CPoint(100, 120) },   // below, left-aligned
        { CRect(700, 100, 760, 120), CPoint(560, 120) },   // right edge: right-aligned with the button
        { CRect(100, 500, 160, 520), CPoint(100, 350) },   // bottom: above the button
        { CRect(650, 470, 790, 490), CPoint(590, 320) },   // both
        { CRect(600, 450, 800, 451), CPoint(600, 300) },   // exactly at the edges: fits
        { CRect(-50, 100, 10, 120), CPoint(0, 120) },      // kept on the work area
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.at, PlacePopup(c.button, size, work)) << c.button.left << "," << c.button.top;
    // Too tall for either side: kept inside the work area all the same.
    EXPECT_EQ(CPoint(100, 0), PlacePopup(CRect(100, 290, 160, 310), CSize(200, 500), work));
}
