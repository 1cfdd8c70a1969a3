// Toolkit bars dragged by their dock context through its modal loop: onto
// another side, out to float and back by a double click with their share,
// kept floating by Ctrl or by a move of less than 5 pixels, and left where
// they were by Escape or the right button.
#include "tests/frame/bars/BarsFixture.h"
#include "tests/support/KeysDown.h"

using barstest::PostMouse;
using barstest::RowsOf;
using barstest::ScreenRect;
using kvtest::ScreenPoint;

class DragTest : public BarsTest
{
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        m_pA = NewBar(100, "A", SCBX_GRIPPER | SCBX_BORDERS);
        m_pB = NewBar(101, "B", SCBX_GRIPPER | SCBX_BORDERS);
        m_pFrame->DockControlBarEx(m_pA, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
        Layout();
        m_pFrame->DockControlBarEx(m_pB, AFX_IDW_DOCKBAR_RIGHT, 1, 0, 0.3f, 200);
        Layout();
    }
    // Drags the bar from a point of it through the points, releasing at the
    // last (or ending with nEnd first).
    void Drag(CControlBar* pBar, CPoint ptStart, std::initializer_list<CPoint> points, UINT nEnd = 0)
    {
        CPoint ptLast = ptStart;
        for (CPoint pt : points) {
            PostMouse(pBar, WM_MOUSEMOVE, pt);
            ptLast = pt;
        }
        if (nEnd == WM_KEYDOWN)
            ::PostMessageA(pBar->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        else if (nEnd != 0)
            PostMouse(pBar, nEnd, ptLast, MK_RBUTTON);
        PostMouse(pBar, WM_LBUTTONUP, ptLast, 0);
        pBar->m_pDockContext->StartDrag(ptStart);
        Layout();
    }
    CPoint Grip(CControlBar* pBar) { return ScreenRect(pBar).TopLeft() + CSize(40, 8); }

    OZWControlBar* m_pA = nullptr;
    OZWControlBar* m_pB = nullptr;
};

TEST_F(DragTest, DroppedOnTheLeftSideTheBarDocksThereAndTheOtherTakesTheRow)
{
    Drag(m_pB, Grip(m_pB), { ScreenPoint(m_pFrame, 300, 300), ScreenPoint(m_pFrame, 10, 300) });
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), m_pB->m_pDockBar);
    EXPECT_TRUE(m_pB->IsDockedLeft());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, m_pB->m_pDockContext->m_uMRUDockID);
    // A lone bar of its row takes the row's whole length.
    OZWDockBar* pRight = DockBar(AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_EQ(ScreenRect(pRight).bottom, ScreenRect(m_pA).bottom);
    EXPECT_EQ(-1, pRight->FindBar(m_pB));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(DragTest, FloatedAndDockedBackByADoubleClickWithItsShare)
{
    const float fShare = m_pB->m_fShare;
    const std::string rows = RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT));
    Drag(m_pB, Grip(m_pB), { ScreenPoint(m_pFrame, 300, 300) });
    ASSERT_TRUE(m_pB->IsFloating());
    EXPECT_TRUE(::IsWindowVisible(m_pB->GetParentFrame()->m_hWnd));
    // Its place in the row is kept for it.
    EXPECT_NE(std::string::npos, RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT)).find("#101"));
    EXPECT_NEAR(1.0f, m_pA->m_fShare, 1e-4);

    m_pB->m_pDockContext->ToggleDocking();
    Layout();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), m_pB->m_pDockBar);
    EXPECT_EQ(rows, RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT)));
    EXPECT_NEAR(fShare, m_pB->m_fShare, 0.02);
}

TEST_F(DragTest, CtrlOrAMoveOfUnderFivePixelsKeepsItFloating)
{
    {
        kvtest::KeysDown ctrl({ VK_CONTROL });
        ::PostMessageA(m_pB->m_hWnd, WM_KEYDOWN, VK_CONTROL, 0);
        Drag(m_pB, Grip(m_pB), { ScreenPoint(m_pFrame, 10, 300) });
    }
    ASSERT_TRUE(m_pB->IsFloating());
    EXPECT_EQ(-1, DockBar(AFX_IDW_DOCKBAR_LEFT)->FindBar(m_pB));

    // A floating bar over the right side, nudged by 2 + 1 pixels: it stays.
    m_pFrame->FloatControlBar(m_pB, ScreenRect(m_pA).TopLeft() + CSize(20, 60), CBRS_ALIGN_TOP);
    Layout();
    const CRect rectMini = ScreenRect(m_pB->GetParentFrame());
    const CPoint ptStart = ScreenRect(m_pB).TopLeft() + CSize(10, 5);
    ASSERT_TRUE(ScreenRect(DockBar(AFX_IDW_DOCKBAR_RIGHT)).PtInRect(ptStart));
    Drag(m_pB, ptStart, { ptStart + CSize(2, 1) });
    EXPECT_TRUE(m_pB->IsFloating());
    EXPECT_EQ(rectMini.TopLeft() + CSize(2, 1), ScreenRect(m_pB->GetParentFrame()).TopLeft());
    // Moved further over the same place, it docks there.
    Drag(m_pB, ptStart, { ptStart + CSize(5, 5), ptStart + CSize(8, 8) });
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), m_pB->m_pDockBar);
}

TEST_F(DragTest, EscapeOrTheRightButtonLeaveTheBarWhereItWas)
{
    const std::string rows = RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT));
    const CRect rect = ScreenRect(m_pB);
    for (UINT nEnd : { (UINT)WM_KEYDOWN, (UINT)WM_RBUTTONDOWN }) {
        Drag(m_pB, Grip(m_pB), { ScreenPoint(m_pFrame, 10, 300) }, nEnd);
        EXPECT_EQ(rows, RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT))) << nEnd;
        EXPECT_EQ(rect, ScreenRect(m_pB)) << nEnd;
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST_F(DragTest, APressOnTheGripperDragsTheBar)
{
    const CPoint ptGrip = Grip(m_pB);
    PostMouse(m_pB, WM_MOUSEMOVE, ScreenPoint(m_pFrame, 300, 300));
    PostMouse(m_pB, WM_LBUTTONUP, ScreenPoint(m_pFrame, 300, 300), 0);
    CPoint pt = ptGrip;
    m_pB->ScreenToClient(&pt);
    m_pB->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Layout();
    EXPECT_TRUE(m_pB->IsFloating());
}
