// Where a window goes so that it covers no docked toolbar.
#include "toolbars/model/ClearPlace.h"

#include <gtest/gtest.h>

using ozwtb::PlaceClearOf;

namespace {

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(ClearPlace, TheWindowMovesTheLeastWayOffTheObstaclesAndStaysOnTheWorkArea)
{
    const RECT work{0, 0, 1000, 800};
    // Toolbars docked in a row at the top, one on the left.
    const RECT top1{0, 40, 400, 70}, top2{400, 40, 700, 70}, left{0, 70, 30, 600};
    struct Case
    {
        const char* what;
        RECT window;
        std::vector<RECT> obstacles;
        RECT expected;
    };
    const Case cases[] = {
        {"clear where it is", {300, 200, 700, 500}, {top1, top2, left}, {300, 200, 700, 500}},
        {"over the top row: just below it", {10, 30, 410, 330}, {top1, top2}, {10, 70, 410, 370}},
        {"over the row and the left bar: below the row, right of the bar", {5, 50, 405, 350}, {top1, top2, left},
         {30, 70, 430, 370}},
        {"off the screen: pulled onto it first", {-200, 900, 200, 1200}, {}, {0, 500, 400, 800}},
        {"just room below a wide obstacle", {0, 0, 400, 300}, {{0, 0, 1000, 500}}, {0, 500, 400, 800}},
        {"nowhere clear: where it was, on the work area", {100, 100, 500, 400}, {{0, 0, 1000, 800}},
         {100, 100, 500, 400}},
    };
    for (const Case& c : cases) {
        const RECT placed = PlaceClearOf(c.window, c.obstacles, work);
        EXPECT_TRUE(placed == c.expected) << c.what << ": " << placed.left << "," << placed.top << " "
                                          << placed.right << "," << placed.bottom;
    }
}
