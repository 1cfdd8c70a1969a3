// Docking in the toolkit's MDI frame: its dock bars and auto-hide strips,
// docking at a place, showing and hiding, bars floated in the main window
// as MDI children (their cascade, title, close and way back) and the
// frame's items of a bar's context menu.
#include <gtest/gtest.h>
#include "frame/bars/FrameBarsRes.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWDockContext.h"
#include "frame/dockmodel/OZWBarStyles.h"
#include "frame/mdi/OZWControlBarMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "tests/frame/mdi/DockingFrameFixture.h"
#include "tests/frame/mdi/MDITestRes.h"
#include "tests/support/TestSupport.h"

#include <vector>

namespace {

const UINT kBarID = 300;

class CDockingFrame : public OZWMDIFrameWnd
{
public:
    int layouts = 0;
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++layouts;
        OZWMDIFrameWnd::RecalcLayout(bNotify);
    }
};

class MDIDockingTest : public DockingFrameFixture<CDockingFrame>
{
protected:
    MDIDockingTest() : DockingFrameFixture(IDR_MDITEST_MAIN) {}

    OZWControlBar* NewBar(UINT nID, LPCTSTR lpszTitle)
    {
        OZWControlBar* pBar = DockingFrameFixture::NewBar(nID, lpszTitle, CBRS_RIGHT | CBRS_SIZE_DYNAMIC,
                                                          SCBX_MDI_FLOAT | SCBX_CONTEXT_MENU);
        pBar->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
        return pBar;
    }
    // The MDI child window a bar floats in, null when it floats in none.
    OZWControlBarMDIChildWnd* WindowOf(CControlBar* pBar)
    {
        OZWDockBar* pDockBar = DYNAMIC_DOWNCAST(OZWDockBar, pBar->m_pDockBar);
        if (pDockBar == nullptr || !pDockBar->m_bMDIChild)
            return nullptr;
        return DYNAMIC_DOWNCAST(OZWControlBarMDIChildWnd, pDockBar->GetParentFrame());
    }
    // Where an MDI child window lies in the main window's client area.
    CPoint InClient(CWnd* pWnd)
    {
        WINDOWPLACEMENT wp = { sizeof(wp) };
        pWnd->GetWindowPlacement(&wp);
        return CPoint(wp.rcNormalPosition.left, wp.rcNormalPosition.top);
    }
};

} // namespace

// One toolkit dock bar per side, each with its strip docked on it and
// hidden; asking again makes nothing new.
TEST_F(MDIDockingTest, EachSideGetsOneDockBarAndItsHiddenStrip)
{
    ExpectOneDockBarAndHiddenStripPerSide();
}

// A bar docked at a place sits on that side with its share; showing it as
// it is changes nothing and lays nothing out; hiding and showing it does.
TEST_F(MDIDockingTest, DockingAtAPlaceAndShowingOnlyWhatChanges)
{
    OZWControlBar* pBar = NewBar(kBarID, "Curves");
    m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 0.5f, 250);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), pBar->m_pDockBar);

    m_pFrame->layouts = 0;
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    EXPECT_EQ(0, m_pFrame->layouts);
    m_pFrame->ShowControlBar(pBar, FALSE, FALSE);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_LT(0, m_pFrame->layouts);
    m_pFrame->layouts = 0;
    m_pFrame->ShowControlBar(pBar, FALSE, FALSE);
    EXPECT_EQ(0, m_pFrame->layouts);
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    EXPECT_TRUE(pBar->IsWindowVisible());
}

// Bars floated in the main window without a place cascade from (30, 30) by
// 20 right and 23 down; each lives in an MDI child titled as the bar.
// Closing that window hides the bar, showing the bar brings it back, and
// the bar goes back to its dock bar from there.
TEST_F(MDIDockingTest, BarsFloatInTheMainWindowAndComeBack)
{
    OZWControlBar* pFirst = NewBar(kBarID, "Curves");
    OZWControlBar* pSecond = NewBar(kBarID + 1, "Points");
    m_pFrame->DockControlBarEx(pFirst, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
    m_pFrame->DockControlBarEx(pSecond, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 250);
    m_pFrame->RecalcLayout();

    ASSERT_TRUE(m_pFrame->FloatControlBarInMDIChild(pFirst, CPoint(-1, -1), CBRS_ALIGN_TOP));
    ASSERT_TRUE(m_pFrame->FloatControlBarInMDIChild(pSecond, CPoint(-1, -1), CBRS_ALIGN_TOP));
    kvtest::PumpMessages();
    OZWControlBarMDIChildWnd* pWindow = WindowOf(pFirst);
    ASSERT_NE(nullptr, pWindow);
    ASSERT_NE(nullptr, WindowOf(pSecond));
    EXPECT_NE(pWindow, WindowOf(pSecond));
    EXPECT_EQ(CPoint(30, 30), InClient(pWindow));
    EXPECT_EQ(CPoint(50, 53), InClient(WindowOf(pSecond)));
    EXPECT_EQ(m_pFrame->m_hWndMDIClient, ::GetParent(pWindow->m_hWnd));
    CString strTitle;
    pWindow->GetWindowText(strTitle);
    EXPECT_STREQ("Curves", strTitle);
    EXPECT_TRUE(pFirst->IsFloating());
    EXPECT_TRUE(pFirst->IsWindowVisible());

    // Closing the window hides the bar; showing the bar shows the window.
    pWindow->SendMessage(WM_CLOSE);
    kvtest::PumpMessages();
    ASSERT_EQ(pWindow, WindowOf(pFirst));
    EXPECT_FALSE(pFirst->IsVisible());
    EXPECT_FALSE(pWindow->IsWindowVisible());
    m_pFrame->ShowControlBar(pFirst, TRUE, FALSE);
    EXPECT_TRUE(pFirst->IsWindowVisible());
    EXPECT_TRUE(pWindow->IsWindowVisible());

    // Floated again to a point: the window moves there.
    CPoint pt(120, 90);
    ::ClientToScreen(m_pFrame->m_hWndMDIClient, &pt);
    ASSERT_TRUE(m_pFrame->FloatControlBarInMDIChild(pFirst, pt, CBRS_ALIGN_TOP));
    EXPECT_EQ(pWindow, WindowOf(pFirst));
    EXPECT_EQ(CPoint(120, 90), InClient(pWindow));

    // Back to where it was docked; its window goes.
    HWND hWindow = pWindow->m_hWnd;
    auto* pContext = dynamic_cast<OZWDockContext*>(pFirst->m_pDockContext);
    ASSERT_NE(nullptr, pContext);
    pContext->ToggleMDIFloat();
    kvtest::PumpMessages();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), pFirst->m_pDockBar);
    EXPECT_FALSE(::IsWindow(hWindow));
}

// The frame's items of a bar's context menu: "Float In Main Window" for a
// bar that may float there, checked while it does, when "Allow Docking" is
// greyed.
TEST_F(MDIDockingTest, TheBarMenuOffersFloatingInTheMainWindow)
{
    OZWControlBar* pBar = NewBar(kBarID, "Curves");
    m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
    for (bool inMain : { false, true }) {
        SCOPED_TRACE(inMain);
        if (inMain)
            ASSERT_TRUE(m_pFrame->FloatControlBarInMDIChild(pBar, CPoint(-1, -1), CBRS_ALIGN_TOP));
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendMenu(MF_STRING, ID_OZW_ALLOW_DOCKING, "Allow Docking");
        m_pFrame->SendMessage(WM_OZW_BARCONTEXTMENU, (WPARAM)pBar, (LPARAM)&menu);
        ASSERT_EQ(3, ::GetMenuItemCount(menu.m_hMenu));
        EXPECT_EQ((UINT)ID_OZW_FLOAT_IN_MAIN_WINDOW, ::GetMenuItemID(menu.m_hMenu, 2));
        const UINT state = ::GetMenuState(menu.m_hMenu, ID_OZW_FLOAT_IN_MAIN_WINDOW, MF_BYCOMMAND);
        EXPECT_EQ(inMain, (state & MF_CHECKED) != 0);
        const UINT allow = ::GetMenuState(menu.m_hMenu, ID_OZW_ALLOW_DOCKING, MF_BYCOMMAND);
        EXPECT_EQ(inMain, (allow & MF_GRAYED) != 0);
        char text[64] = {};
        ::GetMenuStringA(menu.m_hMenu, ID_OZW_FLOAT_IN_MAIN_WINDOW, text, sizeof(text), MF_BYCOMMAND);
        EXPECT_STRNE("", text);
    }
    // A bar without the style gets nothing added.
    pBar->ModifyExBarStyle(SCBX_MDI_FLOAT, 0, FALSE);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_OZW_ALLOW_DOCKING, "Allow Docking");
    m_pFrame->SendMessage(WM_OZW_BARCONTEXTMENU, (WPARAM)pBar, (LPARAM)&menu);
    EXPECT_EQ(1, ::GetMenuItemCount(menu.m_hMenu));
}

// The saved layout keeps a bar as it was: docked and pinned, or unpinned as
// a tab of its side's strip; the next frame, whose bar starts docked and
// pinned, gets it back so.
TEST_F(MDIDockingTest, TheSavedLayoutBringsABarBackPinnedOrAsATab)
{
    UseProfile("mdi_docking_layout");
    for (bool unpinned : { true, false }) {
        SCOPED_TRACE(unpinned);
        NewFrame();
        OZWControlBar* pBar = NewBar(kBarID, "Curves");
        m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
        pBar->SetAutoHideMode(TRUE);
        if (unpinned)
            pBar->SetPinned(FALSE);
        kvtest::PumpMessages();
        ASSERT_EQ(!unpinned, pBar->IsPinned() != FALSE);
        m_pFrame->SaveBarState("MDIDockingTest");

        // The next start: a new frame and its bar, docked and pinned.
        NewFrame();
        pBar = NewBar(kBarID, "Curves");
        m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
        pBar->SetAutoHideMode(TRUE);
        ASSERT_TRUE(pBar->IsPinned());
        m_pFrame->LoadBarState("MDIDockingTest");
        m_pFrame->RecalcLayout();
        kvtest::PumpMessages();
        EXPECT_TRUE(pBar->GetAutoHideMode());
        EXPECT_EQ(!unpinned, pBar->IsPinned() != FALSE);
        OZWAutoHideBar* pStrip = m_pFrame->GetAutoHideBar(CBRS_ALIGN_RIGHT);
        EXPECT_EQ(unpinned, pStrip->IsWindowVisible() != FALSE);
        if (unpinned) {
            EXPECT_TRUE(pBar->IsAutoHideRight());
            EXPECT_FALSE(pBar->IsWindowVisible());
        } else {
            EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), pBar->m_pDockBar);
            EXPECT_TRUE(pBar->IsWindowVisible());
        }
    }
}
