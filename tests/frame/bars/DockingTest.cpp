// Bars of the toolkit docked, shared in rows, floated and docked back.
#include "tests/frame/bars/BarsFixture.h"

#include <string>

using barstest::RowsOf;
using barstest::ScreenRect;

TEST_F(BarsTest, NewBarKeepsTheDefaultSizeInEveryPlacement)
{
    OZWControlBar* pBar = NewBar(100, "Fit", 0);
    EXPECT_EQ(CSize(300, 180), pBar->m_szHorzDock);
    EXPECT_EQ(CSize(300, 180), pBar->m_szVertDock);
    EXPECT_EQ(CSize(300, 180), pBar->m_szFloat);
    EXPECT_EQ(m_pFrame, pBar->m_pFrameWnd);
}

TEST_F(BarsTest, UniqueBarIDs)
{
    NewBar(100, "A", 0);
    NewBar(101, "B", 0);
    EXPECT_EQ(102u, OZWControlBar::GetUniqueBarID(m_pFrame, 100));
    EXPECT_EQ(0u, OZWControlBar::GetUniqueBarID(nullptr, 100));
    EXPECT_FALSE(OZWControlBar::IsBarIDFree(m_pFrame, 101));
    EXPECT_TRUE(OZWControlBar::IsBarIDFree(m_pFrame, 102));
    EXPECT_FALSE(OZWControlBar::IsBarIDFree(m_pFrame, 0));
    // Dock bars do not count.
    EXPECT_TRUE(OZWControlBar::IsBarIDFree(m_pFrame, AFX_IDW_DOCKBAR_TOP));
}

TEST_F(BarsTest, DockedAtAWidthWithItsSplitterAndEdge)
{
    OZWControlBar* pBar = NewBar(100, "Fit", SCBX_GRIPPER | SCBX_BORDERS);
    m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
    Layout();
    OZWDockBar* pRight = DockBar(AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_NE(nullptr, pRight);
    EXPECT_EQ(pRight, pBar->m_pDockBar);
    // Before the side's auto-hide strip, which waits hidden in a row of its
    // own at the frame's edge.
    const std::string strip = std::to_string(m_pFrame->m_strips[2].GetDlgCtrlID());
    EXPECT_EQ("100 | " + strip + " |", RowsOf(pRight));
    EXPECT_EQ(250, ScreenRect(pBar).Width());
    EXPECT_TRUE(pBar->IsDockedRight());
    // Inside the dock bar's border line on the client side: the row
    // splitter, the bar, the client edge at the frame's edge.
    ASSERT_EQ(1u, pRight->GetSplitters().size());
    EXPECT_EQ(CRect(1, 0, 7, barstest::ChildRect(pRight).Height()), pRight->GetSplitters()[0]->m_rect);
    EXPECT_EQ(7, barstest::ChildRect(pBar).left);
    ASSERT_EQ(1u, pRight->GetClientEdges().size());
    EXPECT_EQ(257, pRight->GetClientEdges()[0]->m_rect.left);
    EXPECT_EQ(1 + 6 + 250 + 3 + 2, barstest::ChildRect(pRight).Width());
    // The client window gets what is left.
    EXPECT_EQ(ScreenRect(pRight).left, ScreenRect(m_pClient).right);
}

TEST_F(BarsTest, BarsOfARowShareItsLength)
{
    OZWControlBar* pA = NewBar(100, "A", 0);
    OZWControlBar* pB = NewBar(101, "B", 0);
    m_pFrame->DockControlBarEx(pA, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
    Layout();
    m_pFrame->DockControlBarEx(pB, AFX_IDW_DOCKBAR_RIGHT, 1, 0, 0.25f, 200);
    Layout();
    OZWDockBar* pRight = DockBar(AFX_IDW_DOCKBAR_RIGHT);
    const std::string strip = std::to_string(m_pFrame->m_strips[2].GetDlgCtrlID());
    EXPECT_EQ("100 101 | " + strip + " |", RowsOf(pRight));
    // B, docked last, keeps its quarter; A takes the rest.
    EXPECT_NEAR(0.25f, pB->m_fShare, 1e-4);
    EXPECT_NEAR(0.75f, pA->m_fShare, 1e-4);
    const int nRow = barstest::ChildRect(pRight).Height() - 6;
    EXPECT_NEAR(nRow * 0.75, ScreenRect(pA).Height(), 1.0);
    EXPECT_EQ(ScreenRect(pA).bottom + 6, ScreenRect(pB).top);
    EXPECT_EQ(ScreenRect(pRight).bottom, ScreenRect(pB).bottom);
}

TEST_F(BarsTest, ABarThatGoesDockedOrHiddenLeavesNoEntryBehind)
{
    OZWControlBar* pA = NewBar(100, "A", 0);
    OZWControlBar* pB = NewBar(101, "B", 0);
    OZWControlBar* pC = NewBar(102, "C", 0);
    m_pFrame->DockControlBarEx(pA, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
    m_pFrame->DockControlBarEx(pB, AFX_IDW_DOCKBAR_RIGHT, 1, 0, 0.5f, 200);
    m_pFrame->DockControlBarEx(pC, AFX_IDW_DOCKBAR_RIGHT, 0, 1, 1.0f, 150);
    Layout();
    m_pFrame->ShowControlBar(pB, FALSE, FALSE);
    OZWDockBar* pRight = DockBar(AFX_IDW_DOCKBAR_RIGHT);
    // B, hidden, was shown or hidden last; C goes while docked.
    ASSERT_EQ(pB, pRight->GetLastDockedBar());
    pB->DestroyWindow();
    pC->DestroyWindow();
    Layout();
    const std::string strip = std::to_string(m_pFrame->m_strips[2].GetDlgCtrlID());
    EXPECT_EQ("100 | " + strip + " |", RowsOf(pRight));
    EXPECT_EQ(nullptr, pRight->GetLastDockedBar());
    EXPECT_EQ(nullptr, pB->m_pDockBar);
    // The one left has the column and the layout runs on.
    EXPECT_EQ(ScreenRect(pRight).bottom, ScreenRect(pA).bottom);
    EXPECT_EQ(1u, pRight->GetSplitters().size());
}

TEST_F(BarsTest, ABarWhoseFloatingPlaceIsOffEveryScreenFloatsWhereItWasDocked)
{
    OZWControlBar* pBar = NewBar(100, "A", 0);
    m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
    Layout();
    const CPoint ptDocked = ScreenRect(pBar).TopLeft();
    pBar->m_pDockContext->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    pBar->m_pDockContext->m_ptMRUFloatPos = CPoint(-40000, -40000);
    pBar->m_pDockContext->m_rectMRUDockPos = barstest::ChildRect(pBar);
    pBar->m_pDockContext->ToggleDocking();
    Layout();
    ASSERT_TRUE(pBar->IsFloating());
    EXPECT_EQ(ptDocked, pBar->m_pDockContext->m_ptMRUFloatPos);
    EXPECT_TRUE(::MonitorFromPoint(ScreenRect(pBar->GetParentFrame()).TopLeft(), MONITOR_DEFAULTTONULL) != nullptr);
}

TEST_F(BarsTest, TheExtendedStyleKeepsTheThemedGripperAndSetsTheFloatingFramesBorder)
{
    OZWControlBar* pBar = NewBar(100, "A", SCBX_THEMED_GRIPPER | SCBX_GRIPPER);
    pBar->SetExBarStyle(0, FALSE);
    EXPECT_EQ((DWORD)SCBX_THEMED_GRIPPER, pBar->GetExBarStyle());

    m_pFrame->FloatControlBar(pBar, CPoint(200, 200), CBRS_ALIGN_TOP);
    Layout();
    CFrameWnd* pMini = pBar->GetParentFrame();
    ASSERT_TRUE(pBar->IsFloating());
    // A bar that keeps its size floats in the thin frame, any other sizes.
    pBar->ModifyExBarStyle(0, SCBX_FIXED_SIZE);
    EXPECT_EQ((DWORD)MFS_4THICKFRAME, pMini->GetStyle() & (MFS_4THICKFRAME | WS_THICKFRAME));
    pBar->ModifyExBarStyle(SCBX_FIXED_SIZE, 0);
    EXPECT_EQ((DWORD)WS_THICKFRAME, pMini->GetStyle() & (MFS_4THICKFRAME | WS_THICKFRAME));
}
