// The floating frame of the toolkit's bars: its styles and system menu,
// closing it hides its bar and keeps it for the next show, its edges resize
// the bar (never below the smallest floating size), its caption drags the
// bar and a double click docks it back, and it stays below the top of the
// screen and wholly on the work area.
#include "tests/frame/bars/BarsFixture.h"

#include "frame/dockstate/OZWDockState.h"

using barstest::PostMouse;
using barstest::ScreenRect;

class MiniFrameTest : public BarsTest
{
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        m_pBar = NewBar(100, "Floating", SCBX_GRIPPER | SCBX_BORDERS);
        m_pFrame->DockControlBarEx(m_pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
        Layout();
        m_pFrame->FloatControlBar(m_pBar, CPoint(200, 150), CBRS_ALIGN_TOP);
        Layout();
        m_pMini = DYNAMIC_DOWNCAST(OZWMiniDockFrameWnd, m_pBar->GetParentFrame());
    }
    OZWControlBar* m_pBar = nullptr;
    OZWMiniDockFrameWnd* m_pMini = nullptr;
};

TEST_F(MiniFrameTest, ItIsAToolWindowWithAHideItemInPlaceOfClose)
{
    ASSERT_NE(nullptr, m_pMini);
    EXPECT_EQ((DWORD)AFX_IDW_DOCKBAR_FLOAT, (DWORD)m_pMini->GetDockBar().GetDlgCtrlID());
    // Made as 0x80C83300 for a bar that sizes itself; a bar that takes a
    // share of its row (no SCBX_FIXED_SIZE) floats in the sizing frame.
    EXPECT_EQ((0x80C83300u & ~0x200u) | 0x40400u, m_pMini->GetStyle() & 0xFFFFFF00u & ~WS_VISIBLE & ~WS_CLIPSIBLINGS);
    HMENU hSysMenu = ::GetSystemMenu(m_pMini->m_hWnd, FALSE);
    ASSERT_NE(nullptr, hSysMenu);
    for (UINT nID : { (UINT)SC_SIZE, (UINT)SC_MINIMIZE, (UINT)SC_MAXIMIZE, (UINT)SC_RESTORE })
        EXPECT_EQ((UINT)-1, ::GetMenuState(hSysMenu, nID, MF_BYCOMMAND)) << nID;
    char text[32] = {};
    ::GetMenuStringA(hSysMenu, SC_CLOSE, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ("&Hide", text);
    // Its title is the bar's.
    CString title;
    m_pMini->GetWindowText(title);
    EXPECT_EQ(CString("Floating"), title);
}

TEST_F(MiniFrameTest, ClosingHidesTheBarAndKeepsTheFrameForTheNextShow)
{
    const HWND hMini = m_pMini->m_hWnd;
    m_pMini->SendMessage(WM_CLOSE);
    Layout();
    EXPECT_TRUE(::IsWindow(hMini));
    EXPECT_FALSE(::IsWindowVisible(hMini));
    EXPECT_FALSE(m_pBar->IsVisible());
    m_pFrame->ShowControlBar(m_pBar, TRUE, FALSE);
    Layout();
    EXPECT_EQ(hMini, m_pBar->GetParentFrame()->m_hWnd);
    EXPECT_TRUE(::IsWindowVisible(hMini));
}

TEST_F(MiniFrameTest, ItsRightEdgeResizesTheBarButNotBelowTheSmallestWidth)
{
    const CRect rect = ScreenRect(m_pMini);
    const CPoint ptEdge(rect.right - 1, rect.CenterPoint().y);
    // Wider by 60.
    PostMouse(m_pBar, WM_MOUSEMOVE, ptEdge + CSize(60, 0));
    PostMouse(m_pBar, WM_LBUTTONUP, ptEdge + CSize(60, 0), 0);
    m_pMini->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge.x, ptEdge.y));
    Layout();
    CFrameWnd* pMini = m_pBar->GetParentFrame();
    EXPECT_NEAR(rect.Width() + 60, ScreenRect(pMini).Width(), 2);
    const int nWidth = m_pBar->m_szFloat.cx;

    // Far narrower than a floating frame may be: the width stays.
    const CRect rect2 = ScreenRect(pMini);
    const CPoint ptEdge2(rect2.right - 1, rect2.CenterPoint().y);
    PostMouse(m_pBar, WM_MOUSEMOVE, CPoint(rect2.left + 5, ptEdge2.y));
    PostMouse(m_pBar, WM_LBUTTONUP, CPoint(rect2.left + 5, ptEdge2.y), 0);
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge2.x, ptEdge2.y));
    Layout();
    EXPECT_EQ(nWidth, m_pBar->m_szFloat.cx);
}

TEST_F(MiniFrameTest, ADoubleClickOnItsCaptionDocksTheBarBack)
{
    const CRect rect = ScreenRect(m_pMini);
    const HWND hMini = m_pMini->m_hWnd;
    m_pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rect.left + 20, rect.top + 5));
    Layout();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), m_pBar->m_pDockBar);
    EXPECT_FALSE(::IsWindow(hMini)); // its last bar left it
}

TEST_F(MiniFrameTest, AFrameAboveTheScreenComesDownToItsTop)
{
    m_pMini->PositionFrame(100, -500);
    EXPECT_EQ(::GetSystemMetrics(SM_YVIRTUALSCREEN), ScreenRect(m_pMini).top);
    EXPECT_EQ(100, ScreenRect(m_pMini).left);
}

TEST_F(MiniFrameTest, AFloatedBarLandsWhollyOnTheWorkArea)
{
    const CRect work = kvtest::WorkAreaOf(m_hWndFrame);
    struct Case
    {
        const char* what;
        bool bDockedFirst; // floated from its dock bar (a new frame), else the frame moves
        CPoint pt;
        CSize sizeFloat;
    };
    const Case cases[] = {
        { "left of the area", false, CPoint(work.left - 150, work.top + 50), CSize(200, 150) },
        { "past the right edge", true, CPoint(work.right - 30, work.top + 50), CSize(200, 150) },
        { "past the bottom edge", false, CPoint(work.left + 50, work.bottom - 20), CSize(200, 150) },
        { "taller than the area", true, CPoint(work.left + 40, work.top + 40), CSize(314, work.Height() + 250) },
        { "taller, its frame moved", false, CPoint(work.left + 40, work.top + 40), CSize(314, work.Height() + 250) },
        { "wider than the area", true, CPoint(work.left + 40, work.top + 40), CSize(work.Width() + 250, 150) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.bDockedFirst) {
            m_pFrame->DockControlBarEx(m_pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
            Layout();
        }
        m_pBar->CalcDynamicLayout(c.sizeFloat.cx, LM_HORZ | LM_COMMIT);
        m_pBar->CalcDynamicLayout(c.sizeFloat.cy, LM_HORZ | LM_LENGTHY | LM_COMMIT);
        m_pFrame->FloatControlBar(m_pBar, c.pt, CBRS_ALIGN_TOP);
        Layout();
        CFrameWnd* pMini = m_pBar->GetParentFrame();
        ASSERT_NE(nullptr, pMini);
        EXPECT_TRUE(kvtest::LiesWithin(ScreenRect(pMini), work)) << ::testing::PrintToString(ScreenRect(pMini));
        // A bar larger than the area was sized down to it.
        EXPECT_LE(m_pBar->m_szFloat.cy, work.Height());
        EXPECT_LE(m_pBar->m_szFloat.cx, work.Width());
    }
}

TEST_F(MiniFrameTest, ARestoredFloatingFrameLandsWhollyOnTheWorkArea)
{
    const CRect work = kvtest::WorkAreaOf(m_hWndFrame);
    OZWDockState state;
    ASSERT_TRUE(state.GetState(m_pFrame));
    // The floating frame as saved on a larger screen: below this one's bottom.
    bool bMoved = false;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        OZWControlBarInfo* pInfo = state.GetBarInfo(i);
        if (pInfo->m_bFloating && pInfo->m_bDockBar) {
            pInfo->m_pointPos = CPoint(work.right - 40, work.bottom + 300);
            bMoved = true;
        }
    }
    ASSERT_TRUE(bMoved);
    m_pFrame->DockControlBarEx(m_pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
    Layout();
    ASSERT_TRUE(state.SetState(m_pFrame));
    Layout();
    ASSERT_TRUE(m_pBar->IsFloating());
    const CRect rectMini = ScreenRect(m_pBar->GetParentFrame());
    EXPECT_TRUE(kvtest::LiesWithin(rectMini, work)) << ::testing::PrintToString(rectMini);
}
