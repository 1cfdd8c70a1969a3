// Geometry of control bars, their caption buttons, the slide of an
// auto-hidden bar and the tabs of an auto-hide strip.
#include "frame/dockmodel/OZWBarGeometry.h"
#include "platform/framework/base/AfxRes.h"
#include "platform/framework/docview/ControlBar.h"

#include <gtest/gtest.h>

using namespace ozwbar;

TEST(BarGeometry, InsideRectTable)
{
    const struct
    {
        const char* name;
        DWORD dwStyle;
        DWORD dwExStyle;
        BOOL bHorz, bForLayout, bAutoHide;
        CRect expected;
    } cases[] = {
        { "horizontal, gripper, borders", CBRS_ALIGN_TOP | CBRS_BORDER_ANY, SCBX_BORDERS | SCBX_GRIPPER, TRUE, TRUE,
          FALSE, CRect(1 + 17, 1 + 2, 99 - 3, 99 - 4) },
        { "horizontal floating: no gripper", CBRS_FLOATING | CBRS_BORDER_ANY, SCBX_BORDERS | SCBX_GRIPPER, TRUE,
          TRUE, FALSE, CRect(1 + 1, 1 + 2, 99 - 3, 99 - 4) },
        { "vertical for layout: gripper on top", CBRS_ALIGN_LEFT | CBRS_BORDER_ANY, SCBX_BORDERS | SCBX_GRIPPER,
          FALSE, TRUE, FALSE, CRect(1 + 2, 1 + 17, 99 - 4, 99 - 3) },
        { "vertical, not for layout", CBRS_ALIGN_LEFT | CBRS_BORDER_ANY, SCBX_BORDERS | SCBX_GRIPPER, FALSE, FALSE,
          FALSE, CRect(1 + 2, 1 + 1, 99 - 4, 99 - 3) },
        { "auto-hide: no border lines", CBRS_ALIGN_LEFT | CBRS_BORDER_ANY, SCBX_BORDERS, FALSE, TRUE, TRUE,
          CRect(2, 1, 96, 97) },
        { "no border bits", CBRS_ALIGN_TOP, SCBX_BORDERS, TRUE, TRUE, FALSE, CRect(1, 2, 97, 96) },
    };
    for (const auto& c : cases) {
        BarFrame bar;
        bar.dwStyle = c.dwStyle;
        bar.dwExStyle = c.dwExStyle;
        bar.cxLeftBorder = 1;
        bar.cyTopBorder = 2;
        bar.cxRightBorder = 3;
        bar.cyBottomBorder = 4;
        bar.bAutoHideMode = c.bAutoHide;
        CRect rect(0, 0, 100, 100);
        CalcInsideRect(bar, rect, c.bHorz, c.bForLayout);
        EXPECT_EQ(c.expected, rect) << c.name;
    }
    // Slid out of its tab, an auto-hide bar floats (aligned to the top) but
    // keeps its gripper across its top: its content starts below it. Pinned
    // and floating, it has none.
    BarFrame bar;
    bar.dwStyle = CBRS_FLOATING | CBRS_ALIGN_TOP | CBRS_BORDER_ANY;
    bar.dwExStyle = SCBX_BORDERS | SCBX_GRIPPER;
    bar.cxLeftBorder = 1;
    bar.cyTopBorder = 2;
    bar.cxRightBorder = 3;
    bar.cyBottomBorder = 4;
    bar.bAutoHideMode = TRUE;
    CRect rect(0, 0, 100, 100);
    CalcInsideRect(bar, rect, TRUE, TRUE);
    EXPECT_EQ(CRect(2, 17, 96, 97), rect);
    bar.bPinned = TRUE;
    rect = CRect(0, 0, 100, 100);
    CalcInsideRect(bar, rect, TRUE, TRUE);
    EXPECT_EQ(CRect(1, 2, 97, 96), rect);
}

TEST(BarGeometry, ClientRectForTheChild)
{
    const CRect client(0, 0, 200, 100);
    BarFrame bar;
    bar.dwExStyle = SCBX_GRIPPER | SCBX_INSET_MARGINS;
    EXPECT_EQ(CRect(17, 3, 197, 97), GetBarClientRect(bar, client, TRUE));
    EXPECT_EQ(CRect(3, 17, 197, 97), GetBarClientRect(bar, client, FALSE));
    bar.bFloating = TRUE;
    EXPECT_EQ(CRect(10, 10, 190, 90), GetBarClientRect(bar, client, FALSE));
    bar.bAutoHideMode = TRUE; // unpinned, slid out: its title on top
    EXPECT_EQ(CRect(3, 17, 197, 97), GetBarClientRect(bar, client, FALSE));
    bar.bPinned = TRUE;
    EXPECT_EQ(CRect(10, 10, 190, 90), GetBarClientRect(bar, client, FALSE));
}

TEST(BarGeometry, ChildPlacementOnResize)
{
    BarFrame bar;
    bar.dwExStyle = SCBX_GRIPPER;
    CRect child;
    ASSERT_TRUE(CalcChildPlacement(bar, 200, 100, TRUE, child));
    EXPECT_EQ(CRect(17, 3, 17 + 180, 3 + 94), child);
    ASSERT_TRUE(CalcChildPlacement(bar, 200, 100, FALSE, child));
    EXPECT_EQ(CRect(3, 17, 3 + 194, 17 + 80), child);
    EXPECT_FALSE(CalcChildPlacement(bar, 0, 100, TRUE, child));
    EXPECT_FALSE(CalcChildPlacement(bar, 200, -1, TRUE, child));
    // Too small for the gripper: nothing negative.
    ASSERT_TRUE(CalcChildPlacement(bar, 10, 4, TRUE, child));
    EXPECT_EQ(0, child.Width());
    EXPECT_EQ(0, child.Height());
    // A floating bar that fills its child gets the gripper's room back.
    bar.dwExStyle |= SCBX_FILL_CHILD;
    bar.bFloating = TRUE;
    ASSERT_TRUE(CalcChildPlacement(bar, 200, 100, FALSE, child));
    EXPECT_EQ(CRect(3, 3, 197, 97), child);
}

TEST(BarGeometry, CaptionButtonsOnAVerticalBar)
{
    // A docked vertical bar with gripper, close and expand buttons: a 17
    // pixel strip across its top, the close button 11 pixels square at its
    // right end, the expand button 2 pixels to its left.
    BarFrame bar;
    const CRect rectBar(0, 0, 120, 300);
    CRect strip = GetGripperStrip(bar, rectBar, FALSE);
    EXPECT_EQ(CRect(4, 1, 116, 18), strip);
    GripperMetrics metrics;
    const CRect close = CutButton(strip, FALSE, metrics);
    EXPECT_EQ(CRect(105, 3, 116, 14), close);
    const CRect expand = CutButton(strip, FALSE, metrics);
    EXPECT_EQ(CRect(92, 3, 103, 14), expand);
    EXPECT_EQ(90, strip.right);
    // The pin follows, inside the strip.
    const CRect pin = CutPinButton(strip, FALSE);
    EXPECT_GE(pin.top, 1);
    EXPECT_LE(pin.bottom, 18);
    EXPECT_EQ(90, pin.right);
    EXPECT_EQ(pin.Width(), pin.Height());
}

TEST(BarGeometry, CaptionButtonsOnAHorizontalBar)
{
    BarFrame bar;
    const CRect rectBar(0, 0, 300, 60);
    CRect strip = GetGripperStrip(bar, rectBar, TRUE);
    EXPECT_EQ(CRect(1, 4, 18, 56), strip);
    GripperMetrics metrics;
    const CRect close = CutButton(strip, TRUE, metrics);
    EXPECT_EQ(CRect(3, 4, 14, 15), close);
    const CRect expand = CutButton(strip, TRUE, metrics);
    EXPECT_EQ(CRect(3, 17, 14, 28), expand);
    // Buttons never start left of 0 on a strip at the window's edge.
    CRect edge(-5, 0, 12, 40);
    EXPECT_EQ(0, CutButton(edge, TRUE, metrics).left);
}

TEST(BarGeometry, PinGlyphAndArrows)
{
    const CRect button(0, 0, 16, 16);
    const std::vector<Segment> lying = PinGlyph(button, FALSE, FALSE);
    ASSERT_EQ(5u, lying.size());
    // q = 4, e = 2 about the centre (8, 8): the head's right edge, the point to the left.
    EXPECT_EQ(CPoint(12, 6), lying[0].from);
    EXPECT_EQ(CPoint(12, 10), lying[0].to);
    EXPECT_EQ(CPoint(2, 8), lying[4].to);
    const std::vector<Segment> standing = PinGlyph(button, FALSE, TRUE);
    EXPECT_EQ(CPoint(8, 14), standing[4].to); // the point goes down

    const struct
    {
        BOOL bRow, bNotExpanded;
        char ch;
        UINT nState;
    } arrows[] = { { TRUE, TRUE, '3', DFCS_SCROLLLEFT },
                   { TRUE, FALSE, '4', DFCS_SCROLLRIGHT },
                   { FALSE, TRUE, '5', DFCS_SCROLLUP },
                   { FALSE, FALSE, '6', DFCS_SCROLLDOWN } };
    for (const auto& a : arrows) {
        EXPECT_EQ(a.ch, ExpandArrow(a.bRow, a.bNotExpanded).chGlyph);
        EXPECT_EQ(a.nState, ExpandArrow(a.bRow, a.bNotExpanded).nState);
    }
}

TEST(BarGeometry, CommittedLengthsTable)
{
    const struct
    {
        DWORD dwMode;
        int nLength;
        CSize horz, vert, flt;
        int nMRU;
        CSize result;
    } cases[] = {
        { LM_COMMIT | LM_HORZDOCK | LM_HORZ | LM_LENGTHY, 50, CSize(300, 50), CSize(300, 180), CSize(300, 180), 32767,
          CSize(300, 50) },
        { LM_COMMIT | LM_STRETCH | LM_HORZDOCK | LM_HORZ, 400, CSize(200, 180), CSize(300, 180), CSize(300, 180),
          32767, CSize(200, 180) },
        { LM_COMMIT | LM_VERTDOCK, 90, CSize(300, 180), CSize(90, 180), CSize(300, 180), 32767, CSize(90, 180) },
        { LM_COMMIT, 120, CSize(300, 180), CSize(300, 180), CSize(120, 180), 120, CSize(120, 180) },
        { LM_COMMIT | LM_LENGTHY, 70, CSize(300, 180), CSize(300, 180), CSize(300, 70), 32767, CSize(300, 70) },
        { LM_HORZDOCK | LM_HORZ, 5, CSize(300, 180), CSize(300, 180), CSize(300, 180), 32767, CSize(300, 180) },
    };
    for (const auto& c : cases) {
        BarSizes sizes;
        sizes.sizeHorzDock = sizes.sizeVertDock = sizes.sizeFloat = CSize(300, 180);
        sizes.fShare = 0.5f;
        const CSize result = CommitLayout(sizes, c.nLength, c.dwMode);
        EXPECT_EQ(c.horz, sizes.sizeHorzDock) << c.dwMode;
        EXPECT_EQ(c.vert, sizes.sizeVertDock) << c.dwMode;
        EXPECT_EQ(c.flt, sizes.sizeFloat) << c.dwMode;
        EXPECT_EQ(c.nMRU, sizes.nMRUWidth) << c.dwMode;
        EXPECT_EQ(c.result, result) << c.dwMode;
    }
}

TEST(BarGeometry, SlidOutSize)
{
    BarSizes sizes;
    sizes.sizeVertDock = CSize(250, 400);
    sizes.sizeHorzDock = CSize(500, 120);
    // Docked right: 24 narrower than its docked width, 2 shorter than the dock bar.
    EXPECT_EQ(CSize(226, 598), AutoHideFloatSize(sizes, CBRS_ALIGN_RIGHT, 30, 600));
    EXPECT_EQ(CSize(798, 120), AutoHideFloatSize(sizes, CBRS_ALIGN_BOTTOM, 800, 30));
    // A bar narrower than the strip does not get a negative width.
    sizes.sizeVertDock.cx = 10;
    EXPECT_EQ(0, AutoHideFloatSize(sizes, CBRS_ALIGN_LEFT, 30, 600).cx);
}

TEST(BarGeometry, SlideRectanglesTable)
{
    const CRect strip(100, 50, 124, 650);
    const CSize size(226, 598);
    // Against the strip's inner edge, with no gap: 2 pixels in from its ends
    // (the right one down to the strip's bottom).
    EXPECT_EQ(CRect(124, 52, 350, 648), SlideRect(CBRS_ALIGN_LEFT, strip, size));
    EXPECT_EQ(CRect(100 - 226, 52, 100, 650), SlideRect(CBRS_ALIGN_RIGHT, strip, size));
    const CRect top(0, 0, 800, 24);
    EXPECT_EQ(CRect(0, 24, 800, 144), SlideRect(CBRS_ALIGN_TOP, top, CSize(798, 120)));
    EXPECT_EQ(CRect(0, -120, 800, 0), SlideRect(CBRS_ALIGN_BOTTOM, top, CSize(798, 120)));

    const CRect full(0, 0, 200, 100);
    EXPECT_EQ(CRect(0, 0, 40, 100), SlideStepRect(CBRS_ALIGN_LEFT, full, 1, FALSE));
    EXPECT_EQ(full, SlideStepRect(CBRS_ALIGN_LEFT, full, 5, FALSE));
    EXPECT_EQ(CRect(40, 0, 200, 100), SlideStepRect(CBRS_ALIGN_RIGHT, full, 1, TRUE));
    EXPECT_TRUE(SlideStepRect(CBRS_ALIGN_RIGHT, full, 5, TRUE).IsRectEmpty());
    EXPECT_EQ(CRect(0, 80, 200, 100), SlideStepRect(CBRS_ALIGN_BOTTOM, full, 1, FALSE));
}

TEST(BarGeometry, SidesAndDockBars)
{
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, SideToDockBarID(CBRS_ALIGN_LEFT));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, SideToDockBarID(CBRS_ALIGN_TOP));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, SideToDockBarID(CBRS_ALIGN_RIGHT));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_BOTTOM, SideToDockBarID(CBRS_ALIGN_BOTTOM));
    EXPECT_EQ(0u, SideToDockBarID(0));
    for (DWORD side : { CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM })
        EXPECT_EQ(side, DockBarIDToSide(SideToDockBarID(side)));
    EXPECT_EQ(0u, DockBarIDToSide(AFX_IDW_DOCKBAR_FLOAT));
}

TEST(BarGeometry, TabsOfALeftStrip)
{
    // Two tabs on a left strip: the one not selected shows its icon only
    // (16 + 6 long), the selected one its text too; the first begins 24
    // pixels down and the second where the first ends.
    std::vector<TabInfo> tabs(2);
    tabs[0].sizeIcon = CSize(16, 16);
    tabs[0].nTextWidth = 50;
    tabs[1].bSelected = TRUE;
    tabs[1].sizeIcon = CSize(16, 16);
    tabs[1].nTextWidth = 70;
    const std::vector<CRect> rects = LayoutTabs(tabs, AFX_IDW_DOCKBAR_LEFT, CRect(0, 0, 24, 600), TRUE);
    ASSERT_EQ(2u, rects.size());
    EXPECT_EQ(CRect(0, 24, 20, 46), rects[0]);
    EXPECT_EQ(46, rects[1].top);
    EXPECT_EQ(70 + 16 + 16 + 6 + 6, rects[1].Height());

    // On a right strip the tabs hug the right edge; across the top they run along x.
    const std::vector<CRect> right = LayoutTabs(tabs, AFX_IDW_DOCKBAR_RIGHT, CRect(0, 0, 24, 600), TRUE);
    EXPECT_EQ(CRect(4, 24, 24, 46), right[0]);
    const std::vector<CRect> top = LayoutTabs(tabs, AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 800, 24), TRUE);
    EXPECT_EQ(CRect(24, 0, 46, 22), top[0]);
    const std::vector<CRect> bottom = LayoutTabs(tabs, AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 800, 24), TRUE);
    EXPECT_EQ(CRect(24, 2, 46, 24), bottom[0]); // touching the frame's bottom edge
}

TEST(BarGeometry, FirstFreeID)
{
    EXPECT_EQ(102u, FirstFreeID({ 100, 101, 105 }, 100));
    EXPECT_EQ(99u, FirstFreeID({ 100 }, 99));
    std::set<UINT> all;
    for (UINT n = 0; n < 1000; ++n)
        all.insert(500 + n);
    EXPECT_EQ(0u, FirstFreeID(all, 500));
}
