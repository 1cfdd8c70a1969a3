// CPoint, CSize and CRect arithmetic.
#include "FrameworkTestHelpers.h"

namespace {

TEST(Geometry, RectangleSetOperationsAndHitTests)
{
    CRect r(10, 20, 30, 60);
    EXPECT_EQ(20, r.Width());
    EXPECT_EQ(40, r.Height());
    EXPECT_EQ(CPoint(20, 40), r.CenterPoint());
    // Left and top edges are inside, right and bottom ones outside.
    struct Hit { int x, y; bool inside; };
    for (Hit h : {Hit{10, 20, true}, Hit{29, 59, true}, Hit{30, 40, false}, Hit{20, 60, false}, Hit{9, 40, false}})
        EXPECT_EQ(h.inside, r.PtInRect(CPoint(h.x, h.y)) != FALSE) << h.x << "," << h.y;

    CRect overlap;
    EXPECT_TRUE(overlap.IntersectRect(r, CRect(25, 0, 100, 30)));
    EXPECT_EQ(CRect(25, 20, 30, 30), overlap);
    EXPECT_FALSE(overlap.IntersectRect(r, CRect(30, 20, 40, 60))); // only touching
    EXPECT_TRUE(overlap.IsRectEmpty());
    EXPECT_EQ(CRect(0, 0, 30, 60), r | CRect(0, 0, 5, 5));
    EXPECT_EQ(CRect(10, 20, 30, 60), r & CRect(0, 0, 100, 100));

    CRect flipped(30, 60, 10, 20);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(r, flipped);
    EXPECT_FALSE(flipped.IsRectNull());
    EXPECT_TRUE(CRect().IsRectNull());
}

TEST(Geometry, OffsetsInflationAndCorners)
{
    CRect r(0, 0, 10, 10);
    r.InflateRect(2, 3);
    EXPECT_EQ(CRect(-2, -3, 12, 13), r);
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(-1, -1, 9, 9), r);
    r.OffsetRect(1, 1);
    EXPECT_EQ(CRect(0, 0, 10, 10), r);
    r += CPoint(5, 5);
    EXPECT_EQ(CRect(5, 5, 15, 15), r);
    r -= CSize(5, 0);
    EXPECT_EQ(CRect(0, 5, 10, 15), r);
    r.MoveToXY(100, 200);
    EXPECT_EQ(CRect(100, 200, 110, 210), r);
    r.TopLeft() = CPoint(0, 0);
    r.BottomRight().x = 50;
    EXPECT_EQ(CRect(0, 0, 50, 210), r);

    EXPECT_EQ(CSize(3, -4), CPoint(5, 1) - CPoint(2, 5));
    EXPECT_EQ(CPoint(7, 6), CPoint(5, 1) + CSize(2, 5));
    EXPECT_EQ(CPoint(-1, -2), -CPoint(1, 2));
    // Mouse-message coordinates are signed 16-bit halves.
    EXPECT_EQ(CPoint(-5, 7), CPoint((LPARAM)MAKELPARAM(-5, 7)));
    EXPECT_EQ(CRect(1, 2, 4, 6), CRect(CPoint(1, 2), CSize(3, 4)));
    EXPECT_EQ(CSize(3, 4), CRect(CPoint(1, 2), CSize(3, 4)).Size());
}

} // namespace
