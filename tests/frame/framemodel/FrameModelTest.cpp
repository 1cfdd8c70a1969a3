// The frames' window-free rules: caption rectangle, gradient, filter enable
// values, help contexts, default docking places and float positions.
#include <gtest/gtest.h>
#include "frame/framemodel/OZWFrameModel.h"

using namespace ozwframe;

TEST(FrameModel, CaptionRectangle)
{
    struct Case
    {
        BOOL thick, sysMenu, minBox, maxBox, close;
        RECT expected;
    } cases[] = {
        // frame metrics 4, border 1, buttons 18 wide, window 400 wide
        {TRUE, TRUE, TRUE, TRUE, TRUE, {4, 4, 400 - 4 - 3 * 18 - 1, 22}},
        {TRUE, TRUE, FALSE, FALSE, TRUE, {4, 4, 400 - 4 - 18, 22}},
        // Without a system menu the boxes and close count for nothing.
        {TRUE, FALSE, TRUE, TRUE, TRUE, {4, 4, 396, 22}},
        // A greyed close item and no boxes keep the full width.
        {FALSE, TRUE, FALSE, FALSE, FALSE, {1, 2, 399, 20}},
    };
    for (const Case& c : cases) {
        CaptionFacts f;
        f.cxWindow = 400;
        f.bThickFrame = c.thick;
        f.bSysMenu = c.sysMenu;
        f.bMinimizeBox = c.minBox;
        f.bMaximizeBox = c.maxBox;
        f.bCloseEnabled = c.close;
        const RECT r = CaptionRect(f);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
    }
}

TEST(FrameModel, GradientSteps)
{
    // Narrower than the step count: one step per pixel column, the last one
    // at the right edge.
    auto steps = GradientSteps(10, 20, 120, RGB(0, 0, 0), RGB(100, 200, 50));
    ASSERT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps.front().left, 10);
    EXPECT_EQ(steps.back().right, 20);
    EXPECT_EQ(steps.front().colour, RGB(0, 0, 0));
    EXPECT_EQ(steps[1].colour, RGB(10, 20, 5));

    // Wider: 120 steps of 3 pixels, the last taking the rest.
    steps = GradientSteps(0, 365, 120, RGB(0, 0, 0), RGB(240, 0, 0));
    ASSERT_EQ(steps.size(), 120u);
    EXPECT_EQ(steps[0].right, 3);
    EXPECT_EQ(steps[119].left, 357);
    EXPECT_EQ(steps[119].right, 365);
    EXPECT_EQ(GetRValue(steps[119].colour), 238);

    // A falling channel runs from its start colour down, not at its end
    // value from the first step.
    steps = GradientSteps(0, 100, 10, RGB(200, 0, 0), RGB(100, 0, 0));
    EXPECT_EQ(GetRValue(steps[0].colour), 200);
    EXPECT_EQ(GetRValue(steps[9].colour), 110);
    for (const GradientStep& s : steps)
        EXPECT_GE(GetRValue(s.colour), 100);

    EXPECT_TRUE(GradientSteps(5, 5, 10, 0, 0).empty());
}

TEST(FrameModel, FilterEnableValues)
{
    BOOL frame[4];
    FrameFilterEnables(0, frame);
    EXPECT_EQ(frame[0], FALSE);
    EXPECT_EQ(frame[1] && frame[2] && frame[3], TRUE);
    FrameFilterEnables(1, frame);
    EXPECT_EQ(frame[0], TRUE);

    struct Case
    {
        DWORD flags;
        BOOL expected[5];
    } cases[] = {
        {0, {0, 0, 0, 0, 0}},   {1, {1, 1, 1, 1, 1}},   {3, {1, 0, 0, 1, 1}},
        {5, {1, 1, 1, 0, 1}},   {9, {1, 1, 1, 1, 0}},   {15, {1, 0, 0, 0, 0}},
        {14, {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        BOOL child[5];
        ChildFilterEnables(c.flags, child);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(child[i], c.expected[i]) << "flags " << c.flags << " value " << i;
    }
}

TEST(FrameModel, MenuBarHelpContexts)
{
    EXPECT_EQ(MenuBarHelpContext(8), 0x1EF02u);
    EXPECT_EQ(MenuBarHelpContext(9), 0x1EF12u);
    EXPECT_EQ(MenuBarHelpContext(20), 0x1EF06u);
    EXPECT_EQ(MenuBarHelpContext(3), 0x40003u);
}

TEST(FrameModel, DefaultDockingPlaces)
{
    const std::vector<UINT> rotation = DockingPlaceRotation();
    ASSERT_EQ(rotation.size(), 26u);
    int cursor = 0;
    struct Expected
    {
        UINT id;
        int p0, p1, p2;
    } expected[] = {{59422, 0, 1, 6}, {59420, 1, 1, 7}, {59421, 0, 1, 6}, {59422, 0, 1, 2}};
    for (const Expected& e : expected) {
        const DockingPlace place = NextDockingPlace(rotation, &cursor);
        EXPECT_EQ(place.nDockBarID, e.id);
        EXPECT_EQ(place.placement[0], e.p0);
        EXPECT_EQ(place.placement[1], e.p1);
        EXPECT_EQ(place.placement[2], e.p2);
        EXPECT_EQ(place.fShare, 1.0f);
        EXPECT_EQ(place.nHeight, 150);
    }
    EXPECT_EQ(cursor, 7);
    // A rotation with no dock bar gives the bottom with (0, 0, 4).
    cursor = 0;
    const DockingPlace none = NextDockingPlace({0, 0}, &cursor);
    EXPECT_EQ(none.nDockBarID, 59422u);
    EXPECT_EQ(none.placement[2], 4);
}

TEST(FrameModel, CascadeOfBarsFloatedInTheMainWindow)
{
    POINT next {30, 30};
    const SIZE client {200, 150};
    std::vector<POINT> got;
    for (int i = 0; i < 10; ++i)
        got.push_back(NextCascadePosition(&next, client));
    EXPECT_EQ(got[0].x, 30);
    EXPECT_EQ(got[0].y, 30);
    EXPECT_EQ(got[1].x, 50);
    EXPECT_EQ(got[1].y, 53);
    // y passes 150 - 30 after 30, 53, 76, 99: 30 again.
    EXPECT_EQ(got[4].y, 30);
    EXPECT_EQ(got[5].y, 53);
    EXPECT_EQ(got[5].x, 130);
    // x passes 170 after 170.
    EXPECT_EQ(got[7].x, 170);
    EXPECT_EQ(got[8].x, 30);
}

TEST(FrameModel, FloatPositionsAreClamped)
{
    POINT pt = ClampMDIFloatPosition({500, 500}, {300, 200});
    EXPECT_EQ(pt.x, 300);
    EXPECT_EQ(pt.y, 170);
    pt = ClampMDIFloatPosition({-5, 0}, {300, 200});
    EXPECT_EQ(pt.x, 0);
    EXPECT_EQ(pt.y, 0);

    const RECT work {0, 0, 1280, 1000};
    pt = ClampFloatPosition({-900, -900}, {200, 100}, work);
    EXPECT_EQ(pt.x, 10 - 200);
    EXPECT_EQ(pt.y, 10 - 100);
    pt = ClampFloatPosition({5000, 5000}, {200, 100}, work);
    EXPECT_EQ(pt.x, 1270);
    EXPECT_EQ(pt.y, 990);
}

TEST(FrameModel, StatusPaneEdges)
{
    // A first stretching pane takes what the others leave.
    std::vector<int> edges = StatusPaneEdges(0, 500, 2, {{100, TRUE}, {30, FALSE}, {30, FALSE}});
    ASSERT_EQ(edges.size(), 3u);
    EXPECT_EQ(edges[2], 500);
    EXPECT_EQ(edges[1], 500 - 2 - 36);
    // Two stretching panes: the first gets extra / 2, the second the rest.
    edges = StatusPaneEdges(0, 101, 2, {{10, TRUE}, {10, TRUE}, {10, FALSE}});
    // extra = 101 + 2 - 3 * 18 = 49: first +24, second +25.
    EXPECT_EQ(edges[0], 16 + 24);
    EXPECT_EQ(edges[1], edges[0] + 2 + 16 + 25);
    EXPECT_EQ(edges[2], edges[1] + 2 + 16);
    // No room left over: nothing stretches.
    edges = StatusPaneEdges(5, 10, 2, {{40, TRUE}});
    EXPECT_EQ(edges[0], 5 + 46);
}
