// The arithmetic of column widths: minimum width, fit to window, stretch.
#include "grids/core/ColumnFit.h"

#include <gtest/gtest.h>

using namespace kvgrid;

TEST(ColumnFit, VisibleColumnsAreAtLeastTheMinimum)
{
    EXPECT_EQ(75, ShownColumnWidth(0, false));
    EXPECT_EQ(75, ShownColumnWidth(75, false));
    EXPECT_EQ(120, ShownColumnWidth(120, false));
    EXPECT_EQ(0, ShownColumnWidth(0, true));
    EXPECT_EQ(40, ShownColumnWidth(40, true));
}

TEST(ColumnFit, FitToWindowSharesTheWidthAmongVisibleColumns)
{
    EXPECT_EQ((std::vector<int>{ 333, 0, 333, 333 }), FitWidthsToWindow(1000, { true, false, true, true }));
    EXPECT_EQ((std::vector<int>{ 0, 0 }), FitWidthsToWindow(1000, { false, false }));
    EXPECT_EQ((std::vector<int>{ 0 }), FitWidthsToWindow(-20, { true }));
    EXPECT_TRUE(FitWidthsToWindow(500, {}).empty());
}

TEST(ColumnFit, StretchGivesTheDescriptionTheRest)
{
    EXPECT_EQ(399, StretchedWidth(1000, 600, 120));
    EXPECT_EQ(120, StretchedWidth(600, 600, 120));
    EXPECT_EQ(120, StretchedWidth(500, 600, 120));
}
