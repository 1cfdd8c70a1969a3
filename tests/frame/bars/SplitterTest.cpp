// Splitters of a dock bar dragged through its own modal loop: the row
// splitter thickens the row, the splitter between two bars moves length from
// one to the other, neither goes past its limits, and Escape, the right
// button or a lost capture leave everything as it was.
#include "tests/frame/bars/BarsFixture.h"

using barstest::ChildRect;
using barstest::ScreenRect;

namespace {

// Drags the splitter from its centre by (dx, dy) and releases there; or
// ends with nEnd (WM_KEYDOWN for Escape, WM_RBUTTONDOWN) before the release.
int DragSplitter(OZWDockBar* pDockBar, OZWDockBar::Splitter* pSplitter, int dx, int dy, UINT nEnd = 0)
{
    const CPoint ptStart = pSplitter->m_rect.CenterPoint();
    const CPoint ptEnd(ptStart.x + dx, ptStart.y + dy);
    ::PostMessageA(pDockBar->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptEnd.x, ptEnd.y));
    if (nEnd == WM_KEYDOWN)
        ::PostMessageA(pDockBar->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    else if (nEnd != 0)
        ::PostMessageA(pDockBar->m_hWnd, nEnd, MK_RBUTTON, MAKELPARAM(ptEnd.x, ptEnd.y));
    ::PostMessageA(pDockBar->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(ptEnd.x, ptEnd.y));
    const int nMoved = pDockBar->TrackSplitter(pSplitter, ptStart);
    barstest::Pump();
    return nMoved;
}

OZWDockBar::Splitter* FindSplitter(OZWDockBar* pDockBar, int nKind)
{
    for (OZWDockBar::Splitter* p : pDockBar->GetSplitters())
        if (p->m_nKind == nKind)
            return p;
    return nullptr;
}

} // namespace

class SplitterTest : public BarsTest
{
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        m_pA = NewBar(100, "A", SCBX_BORDERS);
        m_pB = NewBar(101, "B", SCBX_BORDERS);
        m_pFrame->DockControlBarEx(m_pA, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
        Layout();
        m_pFrame->DockControlBarEx(m_pB, AFX_IDW_DOCKBAR_RIGHT, 1, 0, 0.5f, 200);
        Layout();
        m_pRight = DockBar(AFX_IDW_DOCKBAR_RIGHT);
    }
    OZWControlBar* m_pA = nullptr;
    OZWControlBar* m_pB = nullptr;
    OZWDockBar* m_pRight = nullptr;
};

TEST_F(SplitterTest, TheRowSplitterThickensTheRowAwayFromTheFrameEdge)
{
    OZWDockBar::Splitter* pRow = FindSplitter(m_pRight, OZWDockSplitterInfo::RowSplitter);
    ASSERT_NE(nullptr, pRow);
    EXPECT_EQ(1, pRow->m_nOrientation);
    EXPECT_EQ(-50, DragSplitter(m_pRight, pRow, -50, 0));
    Layout();
    EXPECT_EQ(250, ScreenRect(m_pA).Width());
    EXPECT_EQ(250, ScreenRect(m_pB).Width());
    EXPECT_EQ(ScreenRect(m_pRight).left, ScreenRect(m_pClient).right);
    EXPECT_FALSE(OZWDockBar::IsSplitterDragging());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(SplitterTest, TheSplitterBetweenTwoBarsMovesLengthFromOneToTheOther)
{
    const int nA = ScreenRect(m_pA).Height();
    const int nB = ScreenRect(m_pB).Height();
    OZWDockBar::Splitter* pIn = FindSplitter(m_pRight, OZWDockSplitterInfo::InRowSplitter);
    ASSERT_NE(nullptr, pIn);
    EXPECT_EQ(0, pIn->m_nOrientation);
    EXPECT_EQ(40, DragSplitter(m_pRight, pIn, 0, 40));
    Layout();
    EXPECT_NEAR(nA + 40, ScreenRect(m_pA).Height(), 1);
    EXPECT_NEAR(nB - 40, ScreenRect(m_pB).Height(), 1);
    EXPECT_EQ(ScreenRect(m_pA).bottom + 6, ScreenRect(m_pB).top);
    // The shares follow the lengths.
    EXPECT_NEAR(1.0f, m_pA->m_fShare + m_pB->m_fShare, 1e-3);

    // Far past the second bar: it keeps its 24 pixels.
    pIn = FindSplitter(m_pRight, OZWDockSplitterInfo::InRowSplitter);
    DragSplitter(m_pRight, pIn, 0, 2000);
    Layout();
    EXPECT_EQ(ChildRect(m_pRight).Height() - 24, FindSplitter(m_pRight, OZWDockSplitterInfo::InRowSplitter)->m_rect.bottom);
}

TEST_F(SplitterTest, EscapeTheRightButtonAndALostCaptureChangeNothing)
{
    const CRect rectA = ScreenRect(m_pA);
    const CRect rectB = ScreenRect(m_pB);
    for (UINT nEnd : { (UINT)WM_KEYDOWN, (UINT)WM_RBUTTONDOWN }) {
        OZWDockBar::Splitter* pIn = FindSplitter(m_pRight, OZWDockSplitterInfo::InRowSplitter);
        EXPECT_EQ(0, DragSplitter(m_pRight, pIn, 0, 40, nEnd)) << nEnd;
        Layout();
        EXPECT_EQ(rectA, ScreenRect(m_pA)) << nEnd;
        EXPECT_EQ(rectB, ScreenRect(m_pB)) << nEnd;
        EXPECT_EQ(nullptr, ::GetCapture());
    }
    // Another window holds the mouse: no drag at all.
    ::SetCapture(m_pClient->m_hWnd);
    EXPECT_EQ(0, m_pRight->TrackSplitter(FindSplitter(m_pRight, OZWDockSplitterInfo::InRowSplitter), CPoint(5, 5)));
    EXPECT_EQ(m_pClient->m_hWnd, ::GetCapture());
    ::ReleaseCapture();
}

TEST_F(SplitterTest, APressOnASplitterStartsTheDragThere)
{
    OZWDockBar::Splitter* pRow = FindSplitter(m_pRight, OZWDockSplitterInfo::RowSplitter);
    const CPoint pt = pRow->m_rect.CenterPoint();
    ::PostMessageA(m_pRight->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x - 30, pt.y));
    ::PostMessageA(m_pRight->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x - 30, pt.y));
    m_pRight->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Layout();
    EXPECT_EQ(230, ScreenRect(m_pA).Width());
}
