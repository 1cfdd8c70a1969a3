// The toolbar manager: default toolbars, user toolbars, settings, events.
#include "tests/toolbars/bar/ToolBarTestSupport.h"
#include "toolbars/model/ToolBarIds.h"

using namespace toolbartest;

TEST_F(ToolBarTest, DefaultToolBarsDockInOneRowAtTheTopInTheirOrder)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* bars[3] = {Bar(IDW_TEST_BAR1), Bar(IDW_TEST_BAR2), Bar(IDW_TEST_BAR3)};
    for (OZWCustomToolBar* pBar : bars) {
        ASSERT_NE(nullptr, pBar);
        ASSERT_NE(nullptr, pBar->GetParent());
        EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, pBar->GetParent()->GetDlgCtrlID());
    }
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_B, 0, ID_TEST_C, ID_TEST_D}), Ids(bars[0]));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_D}), Ids(bars[1]));
    CString title;
    bars[1]->GetWindowText(title);
    EXPECT_EQ(CString("Second"), title);
    EXPECT_TRUE(bars[0]->IsWindowVisible());
    EXPECT_TRUE(bars[1]->IsWindowVisible());
    EXPECT_FALSE(bars[2]->IsWindowVisible());
    CRect first, second;
    bars[0]->GetWindowRect(&first);
    bars[1]->GetWindowRect(&second);
    EXPECT_EQ(first.top, second.top);
    EXPECT_LE(first.right, second.left);
    // Standard buttons for 16 x 16 images.
    CRect button;
    bars[0]->GetButtonRect(0, &button);
    EXPECT_EQ(CSize(23, 23), button.Size());
    // The manager's styles: cool look with its gripper, tool tips, dynamic size.
    EXPECT_EQ(0x300u | TBX_ALWAYS, bars[0]->GetExBarStyle() & (0x300u | TBX_ALWAYS));
    EXPECT_TRUE(bars[0]->GetBarStyle() & CBRS_TOOLTIPS);
    EXPECT_TRUE(bars[0]->GetBarStyle() & CBRS_SIZE_DYNAMIC);
}

TEST_F(ToolBarTest, UserToolBarsTakeTheFirstFreeIdAndItsNumber)
{
    MakeFrame();
    OZWCustomToolBar* pFirst = manager->CreateUserToolBar(nullptr);
    OZWCustomToolBar* pSecond = manager->CreateUserToolBar(nullptr);
    OZWCustomToolBar* pNamed = manager->CreateUserToolBar("Mine");
    ASSERT_TRUE(pFirst && pSecond && pNamed);
    EXPECT_EQ((int)ozwtb::kFirstUserBarId, pFirst->GetDlgCtrlID());
    EXPECT_EQ((int)ozwtb::kFirstUserBarId + 1, pSecond->GetDlgCtrlID());
    CString title;
    pFirst->GetWindowText(title);
    EXPECT_EQ(CString("ToolBar1"), title);
    pSecond->GetWindowText(title);
    EXPECT_EQ(CString("ToolBar2"), title);
    pNamed->GetWindowText(title);
    EXPECT_EQ(CString("Mine"), title);

    // After the first two went, the next one is number 1 again.
    pFirst->DestroyWindow();
    pSecond->DestroyWindow();
    OZWCustomToolBar* pAgain = manager->CreateUserToolBar(nullptr);
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ((int)ozwtb::kFirstUserBarId, pAgain->GetDlgCtrlID());
    pAgain->GetWindowText(title);
    EXPECT_EQ(CString("ToolBar1"), title);
}

TEST_F(ToolBarTest, UserToolBarsNeverTakeTheMenuBarsId)
{
    MakeFrame();
    int nMade = 0;
    while (OZWCustomToolBar* pBar = manager->CreateUserToolBar("x")) {
        EXPECT_NE((int)ozwtb::kMenuBarId, pBar->GetDlgCtrlID());
        if (++nMade > 300)
            break;
    }
    EXPECT_EQ((int)(ozwtb::kLastUserBarId - ozwtb::kFirstUserBarId + 1), nMade);
}

TEST_F(ToolBarTest, LargeButtonsShowTheLargeImages)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    manager->EnableLargeBtns(TRUE);
    frame->RecalcLayout();
    CRect button;
    pBar->GetButtonRect(0, &button);
    EXPECT_EQ(CSize(39, 39), button.Size());
    pBar->GetButtonRect(2, &button);
    EXPECT_EQ((32 + 8) / 3, button.Width());
    manager->EnableLargeBtns(FALSE);
    frame->RecalcLayout();
    pBar->GetButtonRect(0, &button);
    EXPECT_EQ(CSize(23, 23), button.Size());
}

TEST_F(ToolBarTest, SettingsAreKeptUnderTheProfileName)
{
    MakeFrameWithToolBars();
    manager->EnableLargeBtns(TRUE);
    manager->EnableToolTips(FALSE);
    ASSERT_TRUE(manager->SaveState("TestMDI"));
    EXPECT_EQ("1", Ini("TestMDI-ToolBarManager", "LargeButtons"));
    EXPECT_EQ("0", Ini("TestMDI-ToolBarManager", "ToolTips"));
    EXPECT_EQ("1", Ini("TestMDI-ToolBarManager", "CoolLook"));
    DestroyFrame();

    MakeFrameWithToolBars();
    EXPECT_FALSE(manager->IsLargeBtnsEnabled());
    manager->LoadState("TestMDI");
    EXPECT_TRUE(manager->IsLargeBtnsEnabled());
    EXPECT_FALSE(manager->IsToolTipsEnabled());
    EXPECT_FALSE(Bar(IDW_TEST_BAR1)->GetBarStyle() & CBRS_TOOLTIPS);
    frame->RecalcLayout();
    CRect button;
    Bar(IDW_TEST_BAR2)->GetButtonRect(0, &button);
    EXPECT_EQ(CSize(39, 39), button.Size());
}

TEST_F(ToolBarTest, CoolLookChangesEveryToolBarsStyle)
{
    MakeFrameWithToolBars();
    manager->EnableCoolLook(FALSE, 0x300);
    for (UINT nID : {IDW_TEST_BAR1, IDW_TEST_BAR2, IDW_TEST_BAR3})
        EXPECT_EQ(0u, Bar(nID)->GetExBarStyle() & 0x300) << nID;
    manager->EnableCoolLook(TRUE, 0x300);
    for (UINT nID : {IDW_TEST_BAR1, IDW_TEST_BAR2, IDW_TEST_BAR3})
        EXPECT_EQ(0x300u, Bar(nID)->GetExBarStyle() & 0x300) << nID;
}

TEST_F(ToolBarTest, NotifyWindowsHearOfToolBarEvents)
{
    MakeFrame();
    CNotifyWnd watcher;
    ASSERT_TRUE(watcher.CreateWnd());
    manager->AddNotifyWnd(&watcher);
    manager->AddNotifyWnd(&watcher);
    OZWCustomToolBar* pBar = manager->CreateUserToolBar(nullptr);
    ASSERT_NE(nullptr, pBar);
    const WPARAM nID = (WPARAM)pBar->GetDlgCtrlID();
    ASSERT_FALSE(watcher.notices.empty());
    EXPECT_EQ(std::make_pair(nID, (LPARAM)OZWBAR_CREATED), watcher.notices.front());
    watcher.notices.clear();
    pBar->InsertButton(0, ID_TEST_A);
    pBar->SelectButton(0);
    EXPECT_EQ(std::make_pair(nID, (LPARAM)OZWBAR_SELCHANGED), watcher.notices.back());
    pBar->ShowWindow(SW_HIDE);
    EXPECT_EQ(std::make_pair(nID, (LPARAM)OZWBAR_HIDDEN), watcher.notices.back());
    // The last button of a user toolbar takes it with it.
    EXPECT_FALSE(pBar->RemoveButton(0));
    EXPECT_EQ(std::make_pair(nID, (LPARAM)OZWBAR_DESTROYED), watcher.notices.back());
    EXPECT_EQ(nullptr, manager->ToolBarFromID((UINT)nID));
    // A window that is gone is not told.
    manager->RemoveNotifyWnd(&watcher);
    watcher.notices.clear();
    manager->CreateUserToolBar(nullptr);
    EXPECT_TRUE(watcher.notices.empty());
    watcher.DestroyWindow();
}

TEST_F(ToolBarTest, CustomiseModeLeavesOnlyTheDockBarsEnabled)
{
    MakeFrameWithToolBars();
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, 123));
    frame->EnableWindow(FALSE);   // as a modal customise dialog does
    manager->EnterCustomizeMode();
    EXPECT_TRUE(manager->IsInCustomizeMode());
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_FALSE(child.IsWindowEnabled());
    EXPECT_TRUE(Bar(IDW_TEST_BAR1)->GetParent()->IsWindowEnabled());
    manager->ExitCustomizeMode();
    EXPECT_FALSE(manager->IsInCustomizeMode());
    EXPECT_TRUE(child.IsWindowEnabled());
    EXPECT_FALSE(frame->IsWindowEnabled());
    frame->EnableWindow(TRUE);
    child.DestroyWindow();
}

TEST_F(ToolBarTest, InformBtnReachesEveryButtonOfTheCommand)
{
    MakeFrameWithToolBars();
    const DWORD bits[2] = {TBB_INDETERMINATE, 0};
    manager->InformBtn(ID_TEST_A, OZWINFORM_STYLE, (void*)bits);
    EXPECT_TRUE(Bar(IDW_TEST_BAR1)->GetButtonStyle(0) & TBB_INDETERMINATE);
    EXPECT_TRUE(Bar(IDW_TEST_BAR2)->GetButtonStyle(0) & TBB_INDETERMINATE);
    EXPECT_FALSE(Bar(IDW_TEST_BAR2)->GetButtonStyle(1) & TBB_INDETERMINATE);
}
