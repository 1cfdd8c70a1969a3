// The floating frame of the toolkit's bars: its styles and system menu,
// closing it hides its bar and keeps it for the next show, its edges resize
// the bar (never below the smallest floating size), its caption drags the
// bar and a double click docks it back, and it stays below the top of the
// screen.
#include "tests/frame/bars/BarsFixture.h"

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
