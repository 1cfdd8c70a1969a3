// Auto-hide through real windows: the pin button puts a bar into a tab of its
// side's strip and back; the tab slides the bar out while the mouse rests on
// it or on the bar and back once it has left both; one bar is out at a time;
// a bar that goes while it is a tab leaves no tab behind.
#include "tests/frame/bars/BarsFixture.h"

#include "frame/support/OZWAutoHideBarDockContext.h"

#include <string>

using barstest::ScreenRect;

namespace {

const DWORD kCaptionBar = SCBX_GRIPPER | SCBX_CLOSE_BUTTON | SCBX_EXPAND_BUTTON | SCBX_CAPTION | SCBX_BORDERS;

// Moves the cursor to a point of the screen and tells the window under it.
void HoverOver(CWnd* pWnd, CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    CPoint pt = ptScreen;
    pWnd->ScreenToClient(&pt);
    pWnd->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
}

// The pin button, pressed and released (the gripper is drawn first, which
// lays the buttons out).
void ClickPin(OZWControlBar* pBar)
{
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    pBar->SendMessage(WM_NCPAINT);
    ASSERT_FALSE(pBar->m_rectPinButton.IsRectEmpty());
    barstest::Click(pBar, pBar->m_rectPinButton.CenterPoint());
}

} // namespace

class AutoHideTest : public BarsTest
{
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        m_pFrame->SetActiveWindow();
        m_pBar = NewBar(100, "Curve Fit", kCaptionBar);
        m_pFrame->DockControlBarEx(m_pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
        Layout();
        m_pBar->SetAutoHideMode(TRUE);
        Layout();
    }
    OZWAutoHideBar& RightStrip() { return m_pFrame->m_strips[2]; }

    OZWControlBar* m_pBar = nullptr;
};

TEST_F(AutoHideTest, ThePinPutsTheBarIntoATabOfItsSideAndBack)
{
    EXPECT_TRUE(m_pBar->IsPinned());
    EXPECT_FALSE(::IsWindowVisible(RightStrip().m_hWnd)); // no tab yet
    ClickPin(m_pBar);
    Layout();
    EXPECT_FALSE(m_pBar->IsPinned());
    EXPECT_TRUE(m_pBar->IsAutoHideRight());
    ASSERT_EQ(1, RightStrip().GetTabCount());
    EXPECT_EQ(CString("Curve Fit"), RightStrip().GetTab(0)->GetText());
    EXPECT_TRUE(::IsWindowVisible(RightStrip().m_hWnd));
    EXPECT_EQ(24, ScreenRect(&RightStrip()).Width());
    EXPECT_FALSE(::IsWindowVisible(m_pBar->m_hWnd));
    EXPECT_TRUE(m_pBar->IsFloating());
    // The client area takes the room the bar left; the strip keeps its 24.
    EXPECT_LE(ScreenRect(&RightStrip()).left - ScreenRect(m_pClient).right, 2);

    // Out by its tab, then pinned again by its pin: docked where it was.
    ASSERT_TRUE(m_pBar->ToggleVisible());
    ClickPin(m_pBar);
    Layout();
    EXPECT_TRUE(m_pBar->IsPinned());
    EXPECT_EQ(0, RightStrip().GetTabCount());
    EXPECT_FALSE(::IsWindowVisible(RightStrip().m_hWnd));
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), m_pBar->m_pDockBar);
    EXPECT_TRUE(::IsWindowVisible(m_pBar->m_hWnd));
    EXPECT_EQ(250, ScreenRect(m_pBar).Width());
}

// Slid out of its tab, the bar shows its gripper with the pin and close
// buttons across its top, where its content does not reach (a dialog bar
// lays its controls out in the inside rectangle): the pin stays there to be
// clicked, and docks the bar back.
TEST_F(AutoHideTest, ASlidOutBarKeepsItsGripperAboveItsContent)
{
    ClickPin(m_pBar);
    Layout();
    ASSERT_TRUE(m_pBar->ToggleVisible());
    m_pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    m_pBar->SendMessage(WM_NCPAINT);
    CRect inside;
    m_pBar->GetClientRect(&inside);
    m_pBar->CalcInsideRect(inside, (m_pBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0);
    ASSERT_FALSE(m_pBar->m_rectPinButton.IsRectEmpty());
    ASSERT_FALSE(m_pBar->m_rectCloseButton.IsRectEmpty());
    EXPECT_LE(m_pBar->m_rectPinButton.bottom, inside.top);
    EXPECT_LE(m_pBar->m_rectCloseButton.bottom, inside.top);
    EXPECT_GT(inside.Height(), 0);

    ClickPin(m_pBar);
    Layout();
    EXPECT_TRUE(m_pBar->IsPinned());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), m_pBar->m_pDockBar);
    EXPECT_TRUE(::IsWindowVisible(m_pBar->m_hWnd));
}

TEST_F(AutoHideTest, TheTabSlidesTheBarOutWhileTheMouseIsOnTabOrBar)
{
    ClickPin(m_pBar);
    Layout();
    OZWAutoHideBarBtn* pTab = RightStrip().GetTab(0);
    const CRect rectTab = ScreenRect(pTab);
    HoverOver(pTab, rectTab.CenterPoint());
    CFrameWnd* pSlide = m_pBar->GetParentFrame();
    ASSERT_TRUE(::IsWindowVisible(m_pBar->m_hWnd));
    EXPECT_TRUE(pTab->m_bHot);
    EXPECT_TRUE(pTab->m_bTimerRunning);
    // Against the strip, with no gap between them; 2 below its top.
    const CRect rectStrip = ScreenRect(&RightStrip());
    const CRect rectSlide = ScreenRect(pSlide);
    EXPECT_EQ(rectStrip.left, rectSlide.right);
    EXPECT_EQ(rectStrip.top + 2, rectSlide.top);
    EXPECT_EQ(rectStrip.bottom, rectSlide.bottom);

    // The mouse on the bar keeps it out at the timer's tick.
    ::SetCursorPos(rectSlide.CenterPoint().x, rectSlide.CenterPoint().y);
    pTab->SendMessage(WM_TIMER, 1);
    EXPECT_TRUE(::IsWindowVisible(m_pBar->m_hWnd));
    // Left both: in at the next tick, the tab idle again.
    ::SetCursorPos(ScreenRect(m_pClient).left + 5, ScreenRect(m_pClient).top + 5);
    pTab->SendMessage(WM_TIMER, 1);
    barstest::Pump();
    EXPECT_FALSE(::IsWindowVisible(m_pBar->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(pSlide->m_hWnd));
    EXPECT_FALSE(pTab->m_bHot);
    EXPECT_FALSE(pTab->m_bTimerRunning);
}

TEST_F(AutoHideTest, HoveringASecondTabHidesTheFirstBar)
{
    OZWControlBar* pOther = NewBar(101, "Other", kCaptionBar);
    m_pFrame->DockControlBarEx(pOther, AFX_IDW_DOCKBAR_RIGHT, 1, 0, 0.5f, 250);
    Layout();
    pOther->SetAutoHideMode(TRUE);
    ClickPin(m_pBar);
    Layout();
    ClickPin(pOther);
    Layout();
    ASSERT_EQ(2, RightStrip().GetTabCount());
    // The selected tab shows its text, the other only its icon (when it has one).
    EXPECT_TRUE(RightStrip().GetTab(0)->m_bSelected);
    // The first 24 pixels below the strip's top, the second where it ends.
    EXPECT_EQ(ScreenRect(&RightStrip()).top + 24, ScreenRect(RightStrip().GetTab(0)).top);
    EXPECT_EQ(ScreenRect(RightStrip().GetTab(0)).bottom, ScreenRect(RightStrip().GetTab(1)).top);

    HoverOver(RightStrip().GetTab(0), ScreenRect(RightStrip().GetTab(0)).CenterPoint());
    ASSERT_TRUE(::IsWindowVisible(m_pBar->m_hWnd));
    HoverOver(RightStrip().GetTab(1), ScreenRect(RightStrip().GetTab(1)).CenterPoint());
    Layout();
    EXPECT_FALSE(m_pBar->IsVisible());
    EXPECT_TRUE(::IsWindowVisible(pOther->m_hWnd));
    EXPECT_TRUE(RightStrip().GetTab(1)->m_bSelected);
}

TEST_F(AutoHideTest, ABarThatGoesWhileATabLeavesNoTabBehind)
{
    ClickPin(m_pBar);
    Layout();
    ASSERT_EQ(1, RightStrip().GetTabCount());
    const HWND hTab = RightStrip().GetTab(0)->m_hWnd;
    m_pBar->DestroyWindow();
    Layout();
    EXPECT_EQ(0, RightStrip().GetTabCount());
    EXPECT_FALSE(::IsWindow(hTab));
    EXPECT_FALSE(::IsWindowVisible(RightStrip().m_hWnd));
    // No dock bar or floating frame lists it.
    for (UINT nID : { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM })
        EXPECT_EQ(-1, DockBar(nID)->FindBar(m_pBar)) << nID;
}

TEST_F(AutoHideTest, TheCloseButtonOfAnUnpinnedBarDocksItBackHidden)
{
    ClickPin(m_pBar);
    Layout();
    ASSERT_TRUE(m_pBar->ToggleVisible());
    m_pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    ASSERT_FALSE(m_pBar->m_rectCloseButton.IsRectEmpty());
    // The close button lies outermost, the pin after the expand button.
    EXPECT_LT(m_pBar->m_rectPinButton.right, m_pBar->m_rectExpandButton.left);
    EXPECT_LT(m_pBar->m_rectExpandButton.right, m_pBar->m_rectCloseButton.left);
    barstest::Click(m_pBar, m_pBar->m_rectCloseButton.CenterPoint());
    Layout();
    EXPECT_EQ(0, RightStrip().GetTabCount());
    EXPECT_TRUE(m_pBar->IsPinned());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), m_pBar->m_pDockBar);
    EXPECT_FALSE(m_pBar->IsVisible());
}

TEST_F(AutoHideTest, ASlidOutBarThatLosesTheFocusSlidesBackAndTheStripNeverDrags)
{
    ClickPin(m_pBar);
    Layout();
    ASSERT_TRUE(m_pBar->ToggleVisible());
    ASSERT_TRUE(::IsWindowVisible(m_pBar->m_hWnd));
    m_pBar->SendMessage(WM_KILLFOCUS, (WPARAM)m_pClient->m_hWnd);
    Layout();
    EXPECT_FALSE(::IsWindowVisible(m_pBar->m_hWnd));
    EXPECT_FALSE(m_pBar->IsPinned());

    // The strip's dock context starts no drag.
    ASSERT_NE(nullptr, dynamic_cast<OZWAutoHideBarDockContext*>(RightStrip().m_pDockContext));
    RightStrip().m_pDockContext->StartDrag(ScreenRect(&RightStrip()).CenterPoint());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), RightStrip().m_pDockBar);
}

TEST_F(AutoHideTest, TheStripRunsAlongTheWholeSideBesideThePinnedBars)
{
    // Two bars in one column; one of them becomes a tab.
    OZWControlBar* pOther = NewBar(101, "Other", kCaptionBar);
    m_pFrame->DockControlBarEx(pOther, AFX_IDW_DOCKBAR_RIGHT, 1, 0, 0.5f, 250);
    Layout();
    pOther->SetAutoHideMode(TRUE);
    ClickPin(pOther);
    Layout();
    OZWDockBar* pRight = DockBar(AFX_IDW_DOCKBAR_RIGHT);
    const CRect rectStrip = ScreenRect(&RightStrip());
    EXPECT_EQ(24, rectStrip.Width());
    EXPECT_LE(ScreenRect(pRight).right - rectStrip.right, 2); // at the frame's edge
    EXPECT_GE(rectStrip.Height(), ScreenRect(m_pBar).Height());
    // The pinned bar keeps its width and now has the column to itself.
    EXPECT_EQ(250, ScreenRect(m_pBar).Width());
    EXPECT_EQ(ScreenRect(pRight).top, ScreenRect(m_pBar).top);
    EXPECT_LE(ScreenRect(m_pBar).right, rectStrip.left);
}

TEST_F(AutoHideTest, TheCloseButtonOfAPinnedBarHidesItWhereItIs)
{
    // Pinned (as at start-up) the bar has no side: it is hidden in its row,
    // not docked anew.
    const std::string rows = barstest::RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT));
    m_pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    barstest::Click(m_pBar, m_pBar->m_rectCloseButton.CenterPoint());
    Layout();
    EXPECT_FALSE(m_pBar->IsVisible());
    EXPECT_TRUE(m_pBar->IsPinned());
    EXPECT_EQ(rows, barstest::RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT)));
    EXPECT_EQ(0, RightStrip().GetTabCount());
    // Shown again, it is where it was.
    m_pFrame->ShowControlBar(m_pBar, TRUE, FALSE);
    Layout();
    EXPECT_EQ(250, ScreenRect(m_pBar).Width());
}
