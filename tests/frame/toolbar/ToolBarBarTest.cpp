// The common-control toolbar bar in a docking frame: its buttons from a
// toolbar resource, their styles in the framework's form, their command
// state, the rows it lays them out in where it docks, and its tool tips.
#include "frame/toolbar/OZWToolBar.h"
#include "tests/frame/toolbar/ToolBarBarTestRes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class CTestFrame : public CFrameWnd
{
protected:
    afx_msg void OnCommand() {}
    afx_msg void OnUpdateA(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateB(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_CC_A, OnCommand)
    ON_COMMAND(ID_TEST_CC_B, OnCommand)
    ON_UPDATE_COMMAND_UI(ID_TEST_CC_A, OnUpdateA)
    ON_UPDATE_COMMAND_UI(ID_TEST_CC_B, OnUpdateB)
END_MESSAGE_MAP()

class ToolBarBarTest : public ::testing::Test
{
protected:
    CTestFrame* frame = nullptr;
    OZWToolBar bar;

    void SetUp() override
    {
        frame = new CTestFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Toolbar test", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
        frame->EnableDocking(CBRS_ALIGN_ANY);
    }
    void TearDown() override
    {
        if (bar.m_hWnd != nullptr)
            bar.DestroyWindow();
        frame->DestroyWindow();   // the frame deletes itself
    }
    // The bar made by CreateEx (flat) or Create, with the test resource.
    void MakeBar(bool bFlat)
    {
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC;
        if (bFlat)
            ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, dwStyle, CRect(0, 0, 0, 0), IDW_TEST_CCBAR));
        else
            ASSERT_TRUE(bar.Create(frame, "Bar", dwStyle, 0, IDW_TEST_CCBAR));
        ASSERT_TRUE(bar.LoadToolBar(IDR_TEST_CCBAR));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
        frame->RecalcLayout();
        kvtest::PumpMessages();
    }
    int SeparatorWidth()
    {
        UINT nID, nStyle;
        int iImage;
        bar.GetButtonInfo(1, nID, nStyle, iImage);
        return iImage;
    }
};

} // namespace

// A resource of {A, 0, B} gives A and B the images 0 and 1 and a separator
// of 8 between them, 6 on a flat control; buttons are the images plus 7.
TEST_F(ToolBarBarTest, AToolBarResourceGivesTheButtonsImagesAndSeparator)
{
    for (bool bFlat : { false, true }) {
        SCOPED_TRACE(bFlat ? "flat" : "plain");
        if (bar.m_hWnd != nullptr)
            bar.DestroyWindow();
        MakeBar(bFlat);
        ASSERT_EQ(3, bar.GetCount());
        UINT nID, nStyle;
        int iImage;
        bar.GetButtonInfo(0, nID, nStyle, iImage);
        EXPECT_EQ((UINT)ID_TEST_CC_A, nID);
        EXPECT_EQ(0, iImage);
        bar.GetButtonInfo(2, nID, nStyle, iImage);
        EXPECT_EQ((UINT)ID_TEST_CC_B, nID);
        EXPECT_EQ(1, iImage);
        bar.GetButtonInfo(1, nID, nStyle, iImage);
        EXPECT_EQ(0u, nID);
        EXPECT_EQ((UINT)TBSTYLE_SEP, nStyle & 0xFF);
        EXPECT_EQ(bFlat ? 6 : 8, iImage);
        EXPECT_EQ(CSize(23, 23), bar.GetButtonSize());
        EXPECT_EQ(CSize(16, 16), bar.GetImageSize());
    }
    // A missing resource changes nothing.
    EXPECT_FALSE(bar.LoadToolBar(31999));
    EXPECT_EQ(3, bar.GetCount());
}

// Styles are read and written as style | state << 16 with "disabled" for
// the control's "enabled"; the frame's update handlers check and disable.
TEST_F(ToolBarBarTest, ButtonStylesFollowTheFramesCommandState)
{
    MakeBar(true);
    EXPECT_EQ(0u, bar.GetButtonStyle(0) & 0x40000);
    bar.SetButtonStyle(0, bar.GetButtonStyle(0) | 0x40000);
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TEST_CC_A));
    EXPECT_NE(0u, bar.GetButtonStyle(0) & 0x40000);

    bar.OnUpdateCmdUI(frame, TRUE);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TEST_CC_A));
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONCHECKED, ID_TEST_CC_A));
    EXPECT_NE(0u, bar.GetButtonStyle(0) & TBSTYLE_CHECK);
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TEST_CC_B));

    // A command nobody handles is disabled only when asked to.
    bar.SetButtonInfo(2, ID_TEST_CC_C, TBSTYLE_BUTTON, 1);
    bar.OnUpdateCmdUI(frame, FALSE);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TEST_CC_C));
    bar.OnUpdateCmdUI(frame, TRUE);
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TEST_CC_C));
}

// Docked at the top the buttons stand in one row; on the left in one
// column, the separator a gap between them.
TEST_F(ToolBarBarTest, TheButtonsStandInARowOrAColumnWhereTheBarDocks)
{
    MakeBar(true);
    CRect a, b;
    bar.GetItemRect(0, &a);
    bar.GetItemRect(2, &b);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.right + 6, b.left);
    CRect inside(0, 0, 0, 0);
    bar.CalcInsideRect(inside, TRUE);
    const CSize horz = bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
    EXPECT_EQ(CSize(23 + 6 + 23 - inside.Width(), 23 - inside.Height()), horz);

    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    frame->RecalcLayout();
    kvtest::PumpMessages();
    bar.GetItemRect(0, &a);
    bar.GetItemRect(2, &b);
    EXPECT_EQ(a.left, b.left);
    EXPECT_GT(b.top, a.bottom);
    EXPECT_FALSE(bar.m_bDelayedButtonLayout);
}

// A button's tool is its command; a separator has none.
TEST_F(ToolBarBarTest, ToolTipsNameTheButtonsCommand)
{
    MakeBar(true);
    CRect a, sep;
    bar.GetItemRect(0, &a);
    bar.GetItemRect(1, &sep);
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ((INT_PTR)ID_TEST_CC_A, bar.OnToolHitTest(a.CenterPoint(), &ti));
    EXPECT_EQ((UINT_PTR)ID_TEST_CC_A, ti.uId);
    EXPECT_EQ(bar.m_hWnd, ti.hwnd);
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, ti.lpszText);
    EXPECT_EQ(-1, bar.OnToolHitTest(sep.CenterPoint(), nullptr));
}
