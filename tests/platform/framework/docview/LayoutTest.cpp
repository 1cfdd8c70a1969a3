// Frame layout: control bars take their sides, the MDI client the rest; a
// delayed show or hide waits for the idle pass; the status line shows the
// prompts of commands.
#include "tests/platform/framework/docview/DocViewFixture.h"
#include "tests/support/WindowPoints.h"

using dvtest::Pump;
using kvtest::ChildRect;

class LayoutTest : public DocViewTest
{
protected:
    void SetUp() override
    {
        DocViewTest::SetUp();
        m_pTop = new CTestBar(20);
        m_pBottom = new CTestBar(15);
        m_pLeft = new CTestBar(30);
        for (CTestBar* pBar : { m_pTop, m_pBottom, m_pLeft })
            pBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(m_pTop->Create(m_pMain, CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(m_pBottom->Create(m_pMain, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(m_pLeft->Create(m_pMain, CBRS_LEFT, AFX_IDW_CONTROLBAR_FIRST + 0x20));
        m_pMain->RecalcLayout();
        m_pMain->GetClientRect(&m_rectClient);
    }

    CTestBar* m_pTop = nullptr;
    CTestBar* m_pBottom = nullptr;
    CTestBar* m_pLeft = nullptr;
    CRect m_rectClient;
};

TEST_F(LayoutTest, BarsTakeTheirSidesAndTheClientGetsTheRest)
{
    const int cx = m_rectClient.Width(), cy = m_rectClient.Height();
    ASSERT_GT(cx, 100);
    ASSERT_GT(cy, 100);
    EXPECT_EQ(ChildRect(m_pMain->m_hWndMDIClient), CRect(30, 20, cx, cy - 15));

    CRect rectTop = ChildRect(m_pTop->m_hWnd), rectBottom = ChildRect(m_pBottom->m_hWnd);
    CRect rectLeft = ChildRect(m_pLeft->m_hWnd);
    EXPECT_EQ(rectTop.Height(), 20);
    EXPECT_EQ(rectTop.top, 0);
    EXPECT_EQ(rectTop.right, cx);
    EXPECT_EQ(rectBottom.Height(), 15);
    EXPECT_EQ(rectBottom.bottom, cy);
    EXPECT_EQ(rectBottom.right, cx);
    EXPECT_EQ(rectLeft.Width(), 30);
    EXPECT_EQ(rectLeft.left, 0);
    // No two of them overlap.
    CRect rectOverlap;
    EXPECT_FALSE(rectOverlap.IntersectRect(&rectTop, &rectBottom));
    EXPECT_FALSE(rectOverlap.IntersectRect(&rectTop, &rectLeft));
    EXPECT_FALSE(rectOverlap.IntersectRect(&rectLeft, &rectBottom));

    // Resizing the frame lays it out again.
    m_pMain->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOMOVE);
    CRect rectClient;
    m_pMain->GetClientRect(&rectClient);
    EXPECT_EQ(ChildRect(m_pMain->m_hWndMDIClient), CRect(30, 20, rectClient.right, rectClient.bottom - 15));

    EXPECT_EQ(m_pMain->GetControlBar(AFX_IDW_STATUS_BAR), m_pBottom);
    EXPECT_EQ(m_pMain->GetControlBar(AFX_IDW_TOOLBAR), m_pTop);
    m_pLeft->DestroyWindow();
    EXPECT_EQ(m_pMain->GetControlBar(AFX_IDW_CONTROLBAR_FIRST + 0x20), nullptr);
    m_pMain->RecalcLayout();
    EXPECT_EQ(ChildRect(m_pMain->m_hWndMDIClient).left, 0);
}

TEST_F(LayoutTest, DelayedHideWaitsForTheIdlePass)
{
    m_pMain->ShowControlBar(m_pTop, FALSE, TRUE);
    EXPECT_TRUE(m_pTop->IsWindowVisible());
    EXPECT_FALSE(m_pTop->IsVisible());
    EXPECT_EQ(ChildRect(m_pMain->m_hWndMDIClient).top, 20);

    theApp.OnIdle(0);
    EXPECT_FALSE(m_pTop->IsWindowVisible());
    EXPECT_EQ(ChildRect(m_pMain->m_hWndMDIClient).top, 0);

    // The View command of the bar's id shows it again at once, and its
    // menu item is checked by the bar's state.
    SendMessageA(m_hWndMain, WM_COMMAND, ID_VIEW_TOOLBAR, 0);
    EXPECT_TRUE(m_pTop->IsWindowVisible());
    EXPECT_EQ(ChildRect(m_pMain->m_hWndMDIClient).top, 20);

    class CCheckProbe : public CCmdUI
    {
    public:
        int m_nCheck = -1;
        void SetCheck(int nCheck) override { m_nCheck = nCheck; }
    } probe;
    probe.m_nID = ID_VIEW_TOOLBAR;
    probe.DoUpdate(m_pMain, TRUE);
    EXPECT_EQ(probe.m_nCheck, 1);
}

TEST_F(LayoutTest, VisibleBarsUpdateForTheirFrameWhenIdle)
{
    m_pMain->ShowControlBar(m_pLeft, FALSE, FALSE);
    theApp.OnIdle(0);
    EXPECT_GT(m_pTop->m_nUpdates, 0);
    EXPECT_EQ(m_pTop->m_pLastTarget, m_pMain);
    EXPECT_EQ(m_pLeft->m_nUpdates, 0) << "a hidden bar has nothing to update";
}

TEST_F(LayoutTest, StatusLineShowsCommandPrompts)
{
    Pump(); // the idle prompt posted at creation
    m_pBottom->SetWindowText("");
    LRESULT nLast = SendMessageA(m_hWndMain, WM_SETMESSAGESTRING, IDS_TEST_PROMPT, 0);
    char szText[256] = {};
    m_pBottom->GetWindowText(szText, (int)sizeof(szText));
    EXPECT_STREQ(szText, "Shows who handles it") << "the prompt without its tool tip part";
    EXPECT_EQ(m_pMain->m_nIDLastMessage, (UINT)IDS_TEST_PROMPT);

    // An explicit text, and the previous prompt's id as the result.
    nLast = SendMessageA(m_hWndMain, WM_SETMESSAGESTRING, 0, (LPARAM) "plain text");
    EXPECT_EQ(nLast, (LRESULT)IDS_TEST_PROMPT);
    m_pBottom->GetWindowText(szText, (int)sizeof(szText));
    EXPECT_STREQ(szText, "plain text");
}
