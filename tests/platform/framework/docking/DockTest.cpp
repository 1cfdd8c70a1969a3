// Docking bars on the sides of a frame, in rows; floating them into floating
// frames and docking them back; the frame's layout around its dock bars.
#include "tests/platform/framework/docking/DockingFixture.h"

#include <algorithm>

using docktest::ChildRect;
using docktest::Pump;
using docktest::RowsOf;
using docktest::ScreenRect;

namespace {
constexpr UINT PLACE = AFX_DOCKSTATE_PLACEHOLDER;
}

TEST_F(DockingTest, BarsDockOnTheirSidesInRowsAndTheClientGetsTheRest)
{
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    CDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(pTop, nullptr);
    ASSERT_NE(pLeft, nullptr);
    ASSERT_NE(DockBar(AFX_IDW_DOCKBAR_BOTTOM), nullptr);
    ASSERT_NE(DockBar(AFX_IDW_DOCKBAR_RIGHT), nullptr);

    // Two bars in one row along the top, the second where it was dropped.
    EXPECT_EQ(RowsOf(pTop), (std::vector<std::vector<UINT>>{ { ID_BAR_TOP1, ID_BAR_TOP2 } }));
    EXPECT_EQ(ChildRect(m_pTop1->m_hWnd), CRect(0, 0, 120, 24));
    EXPECT_EQ(ChildRect(m_pTop2->m_hWnd), CRect(125, 0, 205, 30));
    EXPECT_EQ(m_pTop1->m_pDockBar, pTop);
    EXPECT_EQ(m_pTop1->GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_TOP);
    EXPECT_FALSE(m_pTop1->IsFloating());

    // The top row spans the frame (its border line below the bars); the
    // left column lies under it, with its vertical size.
    EXPECT_EQ(ChildRect(pTop->m_hWnd), CRect(0, 0, rectFrame.right, 31));
    EXPECT_EQ(ChildRect(pLeft->m_hWnd), CRect(0, 31, 41, rectFrame.bottom));
    EXPECT_EQ(ChildRect(m_pLeft->m_hWnd), CRect(0, 0, 40, 200));
    EXPECT_EQ(m_pLeft->GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_LEFT);
    EXPECT_EQ(ClientArea(), CRect(41, 31, rectFrame.right, rectFrame.bottom));

    // Another side, and the layout follows.
    m_pFrame->DockControlBar(m_pTop2, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(RowsOf(pTop), (std::vector<std::vector<UINT>>{ { ID_BAR_TOP1 } }));
    EXPECT_EQ(m_pTop2->GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(ClientArea(), CRect(41, 25, rectFrame.right, rectFrame.bottom - 31));

    // Dropped below the first row: a row of its own.
    CRect rectDrop(CPoint(0, 0), CSize(80, 30));
    const CRect rectFirst = ScreenRect(m_pTop1->m_hWnd);
    rectDrop.OffsetRect(rectFirst.left + 10, rectFirst.bottom + 5);
    m_pFrame->DockControlBar(m_pTop2, pTop, &rectDrop);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(RowsOf(pTop), (std::vector<std::vector<UINT>>{ { ID_BAR_TOP1 }, { ID_BAR_TOP2 } }));
    EXPECT_EQ(ChildRect(m_pTop2->m_hWnd).top, 24);
    EXPECT_EQ(ClientArea().top, 24 + 30 + 1);
    ExpectConsistent();
}

TEST_F(DockingTest, DockingWithoutADockBarTakesTheFirstSideTheBarAllows)
{
    CBlockBar* pBar = NewBar(ID_BAR_EXTRA, "Extra", CSize(60, 20), CSize(20, 60));
    pBar->EnableDocking(CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM);
    m_pFrame->DockControlBar(pBar);
    EXPECT_EQ(pBar->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_BOTTOM));
    pBar->EnableDocking(CBRS_ALIGN_RIGHT);
    m_pFrame->DockControlBar(pBar);
    EXPECT_EQ(pBar->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_BOTTOM)), std::vector<std::vector<UINT>>{});
    // Enabling docking again makes no second dock bar.
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    int nDockBars = 0;
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos != nullptr)
        nDockBars += static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos))->IsDockBar() ? 1 : 0;
    EXPECT_EQ(nDockBars, 4);
    pBar->DestroyWindow();
    delete pBar;
    ExpectConsistent();
}

TEST_F(DockingTest, AFloatingBarLivesInAFloatingFrameAndDocksBackInItsPlace)
{
    const CRect rectClientBefore = ClientArea();
    m_pFrame->FloatControlBar(m_pTop1, CPoint(300, 250));
    m_pFrame->RecalcLayout();

    CMiniDockFrameWnd* pMini = FloatingFrameOf(m_pTop1);
    ASSERT_NE(pMini, nullptr);
    EXPECT_TRUE(m_pTop1->IsFloating());
    EXPECT_TRUE(m_pTop1->GetBarStyle() & CBRS_FLOATING);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(ScreenRect(pMini->m_hWnd).TopLeft(), CPoint(300, 250));
    // The floating frame holds the bar at its own size, titled with its name.
    CRect rectMiniClient;
    pMini->GetClientRect(&rectMiniClient);
    EXPECT_EQ(rectMiniClient.Size(), CSize(120, 24));
    CString strTitle;
    pMini->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, "First");
    // The docked dock bar keeps its place; the other bar of the row stays.
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP)),
              (std::vector<std::vector<UINT>>{ { ID_BAR_TOP1 | PLACE, ID_BAR_TOP2 } }));
    EXPECT_EQ(ClientArea(), rectClientBefore);

    // Toggling docks it back into its place; the floating frame goes.
    const HWND hMini = pMini->m_hWnd;
    m_pTop1->m_pDockContext->ToggleDocking();
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP)), (std::vector<std::vector<UINT>>{ { ID_BAR_TOP1, ID_BAR_TOP2 } }));
    EXPECT_EQ(ChildRect(m_pTop1->m_hWnd), CRect(0, 0, 120, 24));
    EXPECT_FALSE(m_pTop1->GetBarStyle() & CBRS_FLOATING);

    // And again: it floats where it floated before.
    m_pTop1->m_pDockContext->ToggleDocking();
    pMini = FloatingFrameOf(m_pTop1);
    ASSERT_NE(pMini, nullptr);
    EXPECT_EQ(ScreenRect(pMini->m_hWnd).TopLeft(), CPoint(300, 250));
    ExpectConsistent();
}

TEST_F(DockingTest, TheFloatingFramesCaptionDragsToggledAndClosesHidingItsBar)
{
    m_pFrame->FloatControlBar(m_pLeft, CPoint(350, 200), CBRS_ALIGN_LEFT);
    CMiniDockFrameWnd* pMini = FloatingFrameOf(m_pLeft);
    ASSERT_NE(pMini, nullptr);
    const HWND hMini = pMini->m_hWnd;
    // Arranged vertically, as the bar lay.
    CRect rectMiniClient;
    pMini->GetClientRect(&rectMiniClient);
    EXPECT_EQ(rectMiniClient.Size(), CSize(40, 200));

    // Closing hides the bar and keeps the frame for when it shows again.
    ::SendMessageA(hMini, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(hMini));
    EXPECT_FALSE(::IsWindowVisible(hMini));
    EXPECT_FALSE(m_pLeft->IsVisible());
    m_pFrame->ShowControlBar(m_pLeft, TRUE, FALSE);
    EXPECT_TRUE(::IsWindowVisible(hMini));
    EXPECT_EQ(FloatingFrameOf(m_pLeft), pMini);

    // A double click on its caption docks the bar where it was.
    const CRect rectMini = ScreenRect(hMini);
    ::SendMessageA(hMini, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rectMini.left + 10, rectMini.top + 5));
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(m_pLeft->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_LEFT)), (std::vector<std::vector<UINT>>{ { ID_BAR_LEFT } }));
    ExpectConsistent();
}

namespace {

// A bar that floats at the size it is given (down to a smallest height), as
// a bar that sizes itself does.
class CSizingBar : public CBlockBar
{
public:
    CSizingBar(CSize sizeFloat, int cyMin) : CBlockBar(sizeFloat, sizeFloat), m_sizeFloat(sizeFloat), m_cyMin(cyMin) {}
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
            return CalcFixedLayout(FALSE, (dwMode & LM_HORZ) != 0);
        if ((dwMode & LM_COMMIT) && (dwMode & LM_LENGTHY))
            m_sizeFloat.cy = std::max(nLength, m_cyMin);
        else if (dwMode & LM_COMMIT)
            m_sizeFloat.cx = nLength;
        return m_sizeFloat;
    }
    CSize m_sizeFloat;
    int m_cyMin;
};

} // namespace

TEST_F(DockingTest, AFloatingFrameLandsWhollyOnTheWorkArea)
{
    const CRect work = kvtest::WorkAreaOf(m_hWndFrame);
    struct Case
    {
        const char* what;
        CPoint pt;
        CSize sizeFloat; // 0 x 0: the fixed bar
        int cyMin;
    };
    const Case cases[] = {
        { "far above and left", CPoint(work.left - 5000, work.top - 5000), CSize(0, 0), 0 },
        { "past the right edge", CPoint(work.right - 20, work.top + 40), CSize(0, 0), 0 },
        { "past the bottom edge", CPoint(work.left + 40, work.bottom - 5), CSize(0, 0), 0 },
        { "taller than the area", CPoint(work.left + 30, work.top + 30), CSize(200, work.Height() + 300), 50 },
        { "wider than the area", CPoint(work.left + 30, work.top + 30), CSize(work.Width() + 300, 120), 50 },
        { "never lower than the area", CPoint(work.left + 30, work.top + 60), CSize(200, 100), work.Height() + 100 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CControlBar* pBar = m_pTop2;
        CSizingBar* pSizing = nullptr;
        if (c.sizeFloat != CSize(0, 0)) {
            pSizing = new CSizingBar(c.sizeFloat, c.cyMin);
            ASSERT_TRUE(pSizing->Create(m_pFrame, ID_BAR_EXTRA, "Sizing", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
            pSizing->EnableDocking(CBRS_ALIGN_ANY);
            pSizing->CalcDynamicLayout(c.sizeFloat.cy, LM_HORZ | LM_LENGTHY | LM_COMMIT);
            pBar = pSizing;
        }
        m_pFrame->FloatControlBar(pBar, c.pt);
        CMiniDockFrameWnd* pMini = FloatingFrameOf(pBar);
        ASSERT_NE(pMini, nullptr);
        const CRect rectMini = ScreenRect(pMini->m_hWnd);
        if (c.cyMin > work.Height()) {
            // The bar goes no lower: its caption stays at the top of the area.
            EXPECT_EQ(rectMini.top, work.top);
            EXPECT_EQ(pSizing->m_sizeFloat.cy, c.cyMin);
        } else {
            EXPECT_TRUE(kvtest::LiesWithin(rectMini, work)) << ::testing::PrintToString(rectMini);
        }
        // Toggled back to floating, it comes back there.
        EXPECT_EQ(pBar->m_pDockContext->m_ptMRUFloatPos, rectMini.TopLeft());
        if (pSizing != nullptr) {
            pSizing->DestroyWindow();
            delete pSizing;
        } else {
            m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        }
        m_pFrame->RecalcLayout();
        Pump();
    }
}

TEST_F(DockingTest, ABarThatGoesLeavesNoEntryBehind)
{
    // Docked: its row closes up and its room goes back to the client.
    m_pTop2->DestroyWindow();
    m_pFrame->RecalcLayout();
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP)), (std::vector<std::vector<UINT>>{ { ID_BAR_TOP1 } }));
    EXPECT_EQ(ClientArea().top, 25);
    EXPECT_EQ(m_pFrame->GetControlBar(ID_BAR_TOP2), nullptr);
    ExpectConsistent();

    // Floating: its floating frame goes with it.
    m_pFrame->FloatControlBar(m_pLeft, CPoint(300, 300), CBRS_ALIGN_LEFT);
    CMiniDockFrameWnd* pMini = FloatingFrameOf(m_pLeft);
    ASSERT_NE(pMini, nullptr);
    const HWND hMini = pMini->m_hWnd;
    m_pLeft->DestroyWindow();
    Pump();
    EXPECT_FALSE(::IsWindow(hMini));
    ExpectConsistent();
    // Its place in the left dock bar stays for a bar of its id.
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_LEFT)), (std::vector<std::vector<UINT>>{ { ID_BAR_LEFT | PLACE } }));
}

TEST_F(DockingTest, FloatingBarsGoWithTheirFrame)
{
    m_pFrame->FloatControlBar(m_pTop1, CPoint(300, 300));
    CMiniDockFrameWnd* pMini = FloatingFrameOf(m_pTop1);
    ASSERT_NE(pMini, nullptr);
    const HWND hMini = pMini->m_hWnd, hBar = m_pTop1->m_hWnd;
    ::DestroyWindow(m_hWndFrame);
    Pump();
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_EQ(m_pTop1->m_pDockBar, nullptr);
    EXPECT_EQ(m_pTop1->m_pDockSite, nullptr);
}

TEST_F(DockingTest, ABarFloatedFromTheFramesOwnLayoutGivesItsRoomBack)
{
    // A bar laid out by the frame itself, never docked.
    const int nTop = ClientArea().top;
    CBlockBar* pBar = NewBar(ID_BAR_EXTRA, "Extra", CSize(60, 22), CSize(22, 60));
    m_pFrame->RecalcLayout();
    EXPECT_EQ(ClientArea().top, nTop + 22);
    m_pFrame->FloatControlBar(pBar, CPoint(300, 300));
    ASSERT_TRUE(pBar->IsFloating());
    theApp.OnIdle(0);
    EXPECT_EQ(ClientArea().top, nTop);
    pBar->DestroyWindow();
    delete pBar;
}
