// The toolkit's single-document frame: its dock bars and strips, docking
// by alignment and back to the place a bar left, floating kept on the work
// area, showing a floating bar, and the saved bar layout.
#include <gtest/gtest.h>
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWMiniDockFrameWnd.h"
#include "frame/dockmodel/OZWBarStyles.h"
#include "frame/mdi/OZWFrameWnd.h"
#include "tests/frame/mdi/DockingFrameFixture.h"
#include "tests/frame/mdi/MDITestRes.h"

namespace {

const UINT kBarID = 310;

class SDIFrameTest : public DockingFrameFixture<OZWFrameWnd>
{
protected:
    SDIFrameTest() : DockingFrameFixture(IDR_SDITEST_MAIN) {}

    OZWControlBar* NewBar(UINT nID, DWORD dwAlign)
    {
        OZWControlBar* pBar =
            DockingFrameFixture::NewBar(nID, "Curves", dwAlign | CBRS_SIZE_DYNAMIC, SCBX_CONTEXT_MENU);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }
    CFrameWnd* FloatingFrameOf(CControlBar* pBar)
    {
        if (!pBar->IsFloating())
            return nullptr;
        return DYNAMIC_DOWNCAST(OZWMiniDockFrameWnd, pBar->GetParentFrame());
    }
};

} // namespace

// One toolkit dock bar per side, each holding its hidden strip; a second
// call makes nothing new.
TEST_F(SDIFrameTest, EachSideGetsOneDockBarAndItsHiddenStrip)
{
    ExpectOneDockBarAndHiddenStripPerSide();
    EXPECT_FALSE(m_pFrame->HasMenuBar());
}

// Without a dock bar id a bar docks on the side its alignment names.
TEST_F(SDIFrameTest, DockingWithoutAnIdFollowsTheBarsAlignment)
{
    const struct
    {
        DWORD dwAlign;
        UINT nDockBar;
    } cases[] = { { CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT },
                  { CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM },
                  { CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT } };
    UINT nID = kBarID;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nDockBar);
        OZWControlBar* pBar = NewBar(nID++, c.dwAlign);
        m_pFrame->DockControlBarEx(pBar, 0, 0, 0, 1.0f, 200);
        EXPECT_EQ(DockBar(c.nDockBar), pBar->m_pDockBar);
    }
    OZWControlBar* pBar = NewBar(nID, CBRS_ALIGN_TOP);
    m_pFrame->DockControlBar(pBar);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), pBar->m_pDockBar);
}

// Floated far off the screen, a bar keeps 10 pixels on the work area; its
// floating frame hides and shows with it; docked back, it returns to the
// dock bar it left even when its alignment now names another side.
TEST_F(SDIFrameTest, FloatingKeepsTheBarReachableAndItDocksBackWhereItWas)
{
    OZWControlBar* pBar = NewBar(kBarID, CBRS_ALIGN_LEFT);
    m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 200);
    m_pFrame->RecalcLayout();
    ASSERT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), pBar->m_pDockBar);

    MONITORINFO mi = { sizeof(mi) };
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi));
    const CRect work(mi.rcWork);
    const CPoint points[] = { CPoint(work.left - 5000, work.top + 100), CPoint(work.left + 100, work.bottom + 5000),
                              CPoint(work.right + 5000, work.top - 5000) };
    for (const CPoint& pt : points) {
        SCOPED_TRACE(testing::Message() << pt.x << "," << pt.y);
        m_pFrame->FloatControlBar(pBar, pt, CBRS_ALIGN_TOP);
        kvtest::PumpMessages();
        CFrameWnd* pFloat = FloatingFrameOf(pBar);
        ASSERT_NE(nullptr, pFloat);
        CRect rect;
        pFloat->GetWindowRect(&rect);
        CRect onWork;
        onWork.IntersectRect(rect, work);
        EXPECT_LE(10, onWork.Width());
        EXPECT_LE(10, onWork.Height());
        EXPECT_TRUE(pFloat->IsWindowVisible());
    }

    CFrameWnd* pFloat = FloatingFrameOf(pBar);
    m_pFrame->ShowControlBar(pBar, FALSE, FALSE);
    EXPECT_FALSE(pFloat->IsWindowVisible());
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    EXPECT_TRUE(pFloat->IsWindowVisible());
    EXPECT_TRUE(pBar->IsWindowVisible());

    pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    m_pFrame->ReDockControlBar(pBar, nullptr);
    m_pFrame->RecalcLayout();
    kvtest::PumpMessages();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), pBar->m_pDockBar);
    EXPECT_FALSE(pBar->IsFloating());
}

// The saved layout brings a bar back where it was left, docked on another
// side or floating, at the next start whose bar starts docked on the right.
TEST_F(SDIFrameTest, TheSavedLayoutBringsBarsBackWhereTheyWere)
{
    UseProfile("sdi_frame_layout");
    for (bool floating : { false, true }) {
        SCOPED_TRACE(floating);
        NewFrame();
        OZWControlBar* pBar = NewBar(kBarID, CBRS_ALIGN_LEFT);
        m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 200);
        if (floating)
            m_pFrame->FloatControlBar(pBar, CPoint(200, 150), CBRS_ALIGN_TOP);
        m_pFrame->RecalcLayout();
        kvtest::PumpMessages();
        m_pFrame->SaveBarState("SDIFrameTest");

        NewFrame();
        pBar = NewBar(kBarID, CBRS_ALIGN_RIGHT);
        m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
        m_pFrame->LoadBarState("SDIFrameTest");
        m_pFrame->RecalcLayout();
        kvtest::PumpMessages();
        if (floating) {
            ASSERT_NE(nullptr, FloatingFrameOf(pBar));
            EXPECT_TRUE(FloatingFrameOf(pBar)->IsWindowVisible());
        } else {
            EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), pBar->m_pDockBar);
        }
        EXPECT_TRUE(pBar->IsWindowVisible());
    }
}
