// The drag loop of a bar, driven by the messages it reads: docking on
// another side, floating, Ctrl to keep it from docking, and the ways it is
// cancelled with nothing changed.
#include "tests/platform/framework/docking/DockingFixture.h"

using docktest::PostKey;
using docktest::PostMouse;
using docktest::RowsOf;
using docktest::ScreenRect;
using kvtest::ScreenPoint;

class DragTest : public DockingTest
{
protected:
    // Drags the bar from its centre through the points, releasing at the last.
    void Drag(CControlBar* pBar, std::initializer_list<CPoint> points)
    {
        const CPoint ptStart = ScreenRect(pBar->m_hWnd).CenterPoint();
        CPoint ptLast = ptStart;
        for (CPoint pt : points) {
            PostMouse(pBar, WM_MOUSEMOVE, pt);
            ptLast = pt;
        }
        PostMouse(pBar, WM_LBUTTONUP, ptLast);
        pBar->m_pDockContext->StartDrag(ptStart);
    }
};

TEST_F(DragTest, DroppedOverAnotherSideTheBarDocksThere)
{
    const CPoint ptLeft = ScreenPoint(m_pFrame, 20, 400);
    Drag(m_pTop2, { ScreenPoint(m_pFrame, 300, 300), ptLeft });
    EXPECT_EQ(m_pTop2->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(m_pTop2->GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_LEFT);
    // Below the bar already there: a column of its own after it.
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_LEFT)), (std::vector<std::vector<UINT>>{ { ID_BAR_LEFT, ID_BAR_TOP2 } }));
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP)), (std::vector<std::vector<UINT>>{ { ID_BAR_TOP1 } }));
    // It remembers where it docked, for docking back after floating.
    EXPECT_EQ(m_pTop2->m_pDockContext->m_uMRUDockID, (UINT)AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(::GetCapture(), nullptr);
    ExpectConsistent();
}

TEST_F(DragTest, DroppedAwayFromTheSidesTheBarFloatsUnderTheOutline)
{
    const CRect rectBefore = ScreenRect(m_pTop2->m_hWnd);
    const CPoint ptStart = rectBefore.CenterPoint();
    const CPoint ptDrop = ScreenPoint(m_pFrame, 400, 300);
    Drag(m_pTop2, { ptDrop });

    CDockContext* pContext = m_pTop2->m_pDockContext;
    // The outline followed the mouse.
    CRect rectExpected = rectBefore;
    rectExpected.OffsetRect(ptDrop - ptStart);
    EXPECT_EQ(pContext->m_rectDragHorz, rectExpected);
    CMiniDockFrameWnd* pMini = FloatingFrameOf(m_pTop2);
    ASSERT_NE(pMini, nullptr);
    const CRect rectMini = ScreenRect(pMini->m_hWnd);
    EXPECT_EQ(rectMini.TopLeft(), pContext->m_ptMRUFloatPos);
    EXPECT_TRUE(rectMini.PtInRect(ptDrop));
    EXPECT_EQ(pContext->m_dwMRUFloatStyle & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_TOP);
    ExpectConsistent();

    // Dragged by its floating frame's caption back over the top: docked.
    const CPoint ptCaption(rectMini.left + 10, rectMini.top + 4);
    PostMouse(m_pTop2, WM_MOUSEMOVE, ScreenPoint(m_pFrame, 500, 10));
    PostMouse(m_pTop2, WM_LBUTTONUP, ScreenPoint(m_pFrame, 500, 10));
    const HWND hMini = pMini->m_hWnd;
    ::SendMessageA(hMini, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(m_pTop2->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_TOP));
    ExpectConsistent();
}

TEST_F(DragTest, CtrlKeepsTheBarFromDocking)
{
    const CPoint ptLeft = ScreenPoint(m_pFrame, 20, 400);
    PostKey(m_pTop2, WM_KEYDOWN, VK_CONTROL);
    Drag(m_pTop2, { ptLeft });
    EXPECT_TRUE(m_pTop2->IsFloating());
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_LEFT)), (std::vector<std::vector<UINT>>{ { ID_BAR_LEFT } }));
    ExpectConsistent();
}

TEST_F(DragTest, EscapeTheRightButtonOrAnotherCaptureLeaveEverythingAsItWas)
{
    const auto rowsBefore = RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP));
    const CRect rectBefore = ScreenRect(m_pTop2->m_hWnd);
    const CPoint ptStart = rectBefore.CenterPoint();
    const CPoint ptLeft = ScreenPoint(m_pFrame, 20, 400);

    struct Ending
    {
        const char* what;
        UINT nMsg;
        UINT nKey;
    };
    const Ending endings[] = {
        { "Escape", WM_KEYDOWN, VK_ESCAPE },
        { "right button", WM_RBUTTONDOWN, 0 },
    };
    for (const Ending& ending : endings) {
        PostMouse(m_pTop2, WM_MOUSEMOVE, ptLeft);
        if (ending.nMsg == WM_KEYDOWN)
            PostKey(m_pTop2, ending.nMsg, ending.nKey);
        else
            PostMouse(m_pTop2, ending.nMsg, ptLeft);
        // A release that follows belongs to no drag any more.
        PostMouse(m_pTop2, WM_LBUTTONUP, ptLeft);
        m_pTop2->m_pDockContext->StartDrag(ptStart);
        docktest::Pump();
        EXPECT_EQ(m_pTop2->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_TOP)) << ending.what;
        EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP)), rowsBefore) << ending.what;
        EXPECT_EQ(ScreenRect(m_pTop2->m_hWnd), rectBefore) << ending.what;
        EXPECT_EQ(::GetCapture(), nullptr) << ending.what;
    }

    // While another window holds the mouse the drag does not start.
    m_pClient->SetCapture();
    PostMouse(m_pTop2, WM_MOUSEMOVE, ptLeft);
    PostMouse(m_pTop2, WM_LBUTTONUP, ptLeft);
    m_pTop2->m_pDockContext->StartDrag(ptStart);
    EXPECT_EQ(::GetCapture(), m_pClient->m_hWnd);
    ::ReleaseCapture();
    docktest::Pump();
    EXPECT_EQ(m_pTop2->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_TOP));
    ExpectConsistent();
}

TEST_F(DragTest, APressOnTheBarStartsTheDragAndADoubleClickFloatsIt)
{
    // The press itself runs the loop.
    const CPoint ptLeft = ScreenPoint(m_pFrame, 20, 400);
    PostMouse(m_pTop2, WM_MOUSEMOVE, ptLeft);
    PostMouse(m_pTop2, WM_LBUTTONUP, ptLeft);
    ::SendMessageA(m_pTop2->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(m_pTop2->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));

    ::SendMessageA(m_pTop2->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(m_pTop2->IsFloating());
    ::SendMessageA(m_pTop2->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(m_pTop2->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
    ExpectConsistent();
}
