// The rectangle tracker's modal loop, driven by mouse and key messages posted
// to the thread before the loop starts.
#include "tests/platform/framework/window/WindowTestSupport.h"

#include <gtest/gtest.h>

using wndtest::TestApp;

namespace {

class CCountingTracker : public CRectTracker
{
public:
    using CRectTracker::CRectTracker;
    int nChanges = 0;
    void OnChangedRect(const CRect&) override { ++nChanges; }
};

struct TrackerWindow
{
    TestApp app;
    CWnd wnd;
    TrackerWindow()
    {
        wnd.CreateEx(0, AfxRegisterWndClass(0), "tracker", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
    }
    ~TrackerWindow() { wnd.DestroyWindow(); }
    void Post(UINT message, WPARAM wParam, int x, int y)
    {
        ::PostMessage(wnd.m_hWnd, message, wParam, MAKELPARAM(x, y));
    }
};

} // namespace

TEST(RectTracker, MovingKeepsTheSizeAndFollowsTheGrabOffset)
{
    TrackerWindow w;
    ASSERT_NE(nullptr, w.wnd.m_hWnd);
    CCountingTracker tracker(CRect(10, 10, 60, 40), CRectTracker::hatchedBorder);
    w.Post(WM_MOUSEMOVE, MK_LBUTTON, 30, 25);
    w.Post(WM_MOUSEMOVE, MK_LBUTTON, 35, 30);
    w.Post(WM_LBUTTONUP, 0, 35, 30);

    EXPECT_TRUE(tracker.TrackHandle(CRectTracker::hitMiddle, &w.wnd, CPoint(20, 20), nullptr));
    EXPECT_EQ(CRect(25, 20, 75, 50), tracker.m_rect);
    EXPECT_EQ(3, tracker.nChanges); // two moves and the release
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(RectTracker, CancelOrNoMovementRestoresTheRectangleAndReportsNoChange)
{
    struct Case
    {
        const char* name;
        UINT message;  // what follows one move
        WPARAM wParam;
        bool bMove;
    };
    const Case cases[] = {
        { "escape", WM_KEYDOWN, VK_ESCAPE, true },
        { "right button", WM_RBUTTONDOWN, MK_RBUTTON, true },
        { "release without moving", WM_LBUTTONUP, 0, false },
    };
    for (const Case& c : cases) {
        TrackerWindow w;
        CCountingTracker tracker(CRect(10, 10, 60, 40), CRectTracker::solidLine);
        if (c.bMove)
            w.Post(WM_MOUSEMOVE, MK_LBUTTON, 50, 50);
        w.Post(c.message, c.wParam, 20, 20);
        EXPECT_FALSE(tracker.TrackHandle(CRectTracker::hitMiddle, &w.wnd, CPoint(20, 20), nullptr)) << c.name;
        EXPECT_EQ(CRect(10, 10, 60, 40), tracker.m_rect) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
    }
}

TEST(RectTracker, ResizingAnEdgeStopsAtTheMinimumSize)
{
    TrackerWindow w;
    CCountingTracker tracker(CRect(10, 10, 60, 40), CRectTracker::solidLine);
    tracker.m_sizeMin = CSize(20, 20);
    // Grabbed 2 pixels left of the right edge and dragged past the left edge.
    w.Post(WM_MOUSEMOVE, MK_LBUTTON, 5, 90);
    w.Post(WM_LBUTTONUP, 0, 5, 90);
    EXPECT_TRUE(tracker.TrackHandle(CRectTracker::hitRight, &w.wnd, CPoint(58, 20), nullptr));
    EXPECT_EQ(CRect(10, 10, 30, 40), tracker.m_rect); // only the right edge moved

    // Dragging the left edge right: the left edge stops short of the right.
    CCountingTracker left(CRect(10, 10, 60, 40), CRectTracker::solidLine);
    left.m_sizeMin = CSize(20, 20);
    w.Post(WM_MOUSEMOVE, MK_LBUTTON, 100, 20);
    w.Post(WM_LBUTTONUP, 0, 100, 20);
    EXPECT_TRUE(left.TrackHandle(CRectTracker::hitLeft, &w.wnd, CPoint(10, 20), nullptr));
    EXPECT_EQ(CRect(40, 10, 60, 40), left.m_rect);
}

TEST(RectTracker, RefusesWhileAnotherWindowHoldsTheCapture)
{
    TrackerWindow w;
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    other.SetCapture();
    ASSERT_EQ(other.m_hWnd, ::GetCapture());

    CCountingTracker tracker(CRect(10, 10, 60, 40), CRectTracker::solidLine);
    EXPECT_FALSE(tracker.TrackHandle(CRectTracker::hitMiddle, &w.wnd, CPoint(20, 20), nullptr));
    EXPECT_EQ(CRect(10, 10, 60, 40), tracker.m_rect);
    EXPECT_EQ(0, tracker.nChanges);
    EXPECT_EQ(other.m_hWnd, ::GetCapture());
    ::ReleaseCapture();
    other.DestroyWindow();
}
