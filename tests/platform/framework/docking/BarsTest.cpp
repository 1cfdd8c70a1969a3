// The ready-made bars: the status bar's panes, a dialog bar made from a
// template, and the rebar.
#include "tests/platform/framework/docking/DockingFixture.h"

using docktest::ChildRect;

namespace {

std::string PartText(CWnd* pStatus, int nPart)
{
    char szText[256] = {};
    const LRESULT lResult = ::SendMessageA(pStatus->m_hWnd, SB_GETTEXTLENGTHA, (WPARAM)nPart, 0);
    if (LOWORD(lResult) >= sizeof(szText))
        return "<too long>";
    ::SendMessageA(pStatus->m_hWnd, SB_GETTEXTA, (WPARAM)nPart, (LPARAM)szText);
    return szText;
}

} // namespace

TEST_F(DockingTest, TheStatusBarShowsItsPanesAndTheFramesPrompts)
{
    CStatusBar status;
    ASSERT_TRUE(status.Create(m_pFrame));
    const UINT ids[] = { ID_SEPARATOR, IDS_DOCKTEST_PANE, 0x7ABC };
    // The pane without a string is made all the same, and the call says so.
    EXPECT_FALSE(status.SetIndicators(ids, 3));
    ASSERT_EQ(status.GetCount(), 3);
    EXPECT_EQ(status.CommandToIndex(IDS_DOCKTEST_PANE), 1);
    EXPECT_EQ(status.CommandToIndex(0x1234), -1);
    EXPECT_STREQ(status.GetPaneText(1), "Pane");
    EXPECT_STREQ(status.GetPaneText(2), "");
    EXPECT_TRUE(status.GetPaneStyle(0) & SBPS_STRETCH);
    EXPECT_EQ((int)::SendMessageA(status.m_hWnd, SB_GETPARTS, 0, 0), 3);

    // Along the bottom, under the client area.
    m_pFrame->RecalcLayout();
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    const CRect rectStatus = ChildRect(status.m_hWnd);
    // (made after the dock bars, it lies beside the left one)
    EXPECT_EQ(rectStatus.bottom, rectFrame.bottom);
    EXPECT_EQ(rectStatus.right, rectFrame.right);
    EXPECT_EQ(rectStatus.left, ClientArea().left);
    EXPECT_GT(rectStatus.Height(), 10);
    EXPECT_EQ(ClientArea().bottom, rectStatus.top);
    // The message pane takes what the indicators leave.
    int rights[3] = {};
    ::SendMessageA(status.m_hWnd, SB_GETPARTS, 3, (LPARAM)rights);
    EXPECT_GT(rights[0], rectStatus.Width() / 2);
    EXPECT_LT(rights[0], rights[1]);
    EXPECT_EQ(PartText(&status, 1), "Pane");

    // The frame's prompts land in the message pane.
    m_pFrame->SetMessageText("Working");
    EXPECT_EQ(PartText(&status, 0), "Working");
    CString strText;
    status.GetWindowText(strText);
    EXPECT_STREQ(strText, "Working");
    EXPECT_EQ(status.GetWindowTextLength(), 7);
    status.SetPaneText(0, "Later", FALSE);
    EXPECT_EQ(PartText(&status, 0), "Working") << "not updated yet";
    EXPECT_STREQ(status.GetPaneText(0), "Later");

    // Idle updates: a pane its handler disables shows nothing; pending texts go out.
    m_pFrame->m_bPaneOn = FALSE;
    theApp.OnIdle(0);
    EXPECT_TRUE(status.GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_EQ(PartText(&status, 1), "");
    EXPECT_EQ(PartText(&status, 0), "Later");
    m_pFrame->m_bPaneOn = TRUE;
    theApp.OnIdle(0);
    EXPECT_EQ(PartText(&status, 1), "Pane");
    status.DestroyWindow();
}

TEST_F(DockingTest, ADialogBarTakesItsTemplatesSizeAndItsButtonsReachTheFrame)
{
    CDialogBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, IDD_DOCKTEST_BAR, CBRS_LEFT | WS_VISIBLE, ID_BAR_EXTRA));
    EXPECT_EQ(bar.GetDlgCtrlID(), (int)ID_BAR_EXTRA);
    EXPECT_FALSE(bar.GetStyle() & WS_CAPTION);
    CRect rectBar;
    bar.GetWindowRect(&rectBar);
    EXPECT_EQ(bar.m_sizeDefault, rectBar.Size());
    EXPECT_GT(bar.m_sizeDefault.cx, bar.m_sizeDefault.cy);
    EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE), CSize(32767, bar.m_sizeDefault.cy));
    EXPECT_EQ(bar.CalcFixedLayout(FALSE, FALSE), bar.m_sizeDefault);

    // Docked on the right, at its size.
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(ChildRect(bar.m_hWnd).Size(), bar.m_sizeDefault);

    // Its buttons' commands reach the frame; idle updates follow the
    // frame's update handlers.
    CWnd* pApply = bar.GetDlgItem(IDC_DOCKTEST_APPLY);
    ASSERT_NE(pApply, nullptr);
    ::SendMessageA(bar.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_DOCKTEST_APPLY, BN_CLICKED), (LPARAM)pApply->m_hWnd);
    EXPECT_EQ(m_pFrame->m_nApplied, 1);
    theApp.OnIdle(0);
    EXPECT_TRUE(::IsWindowEnabled(pApply->m_hWnd));
    EXPECT_FALSE(::IsWindowEnabled(bar.GetDlgItem(IDC_DOCKTEST_LOCKED)->m_hWnd));
    bar.DestroyWindow();
    ExpectConsistent();

    // A template that does not exist makes no bar.
    CDialogBar missing;
    EXPECT_FALSE(missing.Create(m_pFrame, 0x7ABC, CBRS_TOP, ID_BAR_EXTRA));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

TEST_F(DockingTest, TheRebarHoldsBarsInBandsAndTakesTheirHeight)
{
    CReBar rebar;
    ASSERT_TRUE(rebar.Create(m_pFrame));
    CDialogBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, IDD_DOCKTEST_BAR, CBRS_TOP | WS_VISIBLE, ID_BAR_EXTRA));
    ASSERT_TRUE(rebar.AddBar(&bar, "Tools"));
    EXPECT_EQ(rebar.GetBandCount(), 1u);
    EXPECT_EQ(::GetParent(bar.m_hWnd), rebar.m_hWnd);
    m_pFrame->RecalcLayout();
    const CRect rectRebar = ChildRect(rebar.m_hWnd);
    EXPECT_GE(rectRebar.Height(), bar.m_sizeDefault.cy);
    // Below the top dock bar (made first), above the client area.
    EXPECT_EQ(ClientArea().top, rectRebar.bottom);
    bar.DestroyWindow();
    rebar.DestroyWindow();
}
