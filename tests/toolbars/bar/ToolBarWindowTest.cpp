// The customisable toolbar in a frame: commands, their state, layout in
// every place, tool tips, and its buttons added and taken away.
#include "tests/support/MemoryBitmap.h"
#include "tests/toolbars/bar/ToolBarTestSupport.h"
#include "platform/theme/ThemeLib.h"
#include "toolbars/buttons/ComboBtn.h"

using namespace toolbartest;

namespace {
const UINT_PTR kBoxParams[5] = {IDC_TEST_BOX, CBS_DROPDOWN, 0x2800C8, 0xC8, 0};
const OZWBtnMapEntry kButtonMap[] = {
    {OZWBTN_CLASS(OZWComboBtn), ID_TEST_BOX, TBB_KEEPENABLED | TBB_CENTERVERT,
     {kBoxParams[0], kBoxParams[1], kBoxParams[2], kBoxParams[3], kBoxParams[4]}},
    {nullptr, 0, 0, {0, 0, 0, 0, 0}},
};
} // namespace

TEST_F(ToolBarTest, AClickSendsTheCommandOnlyForAnEnabledButton)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    pBar->OnUpdateCmdUI(frame, TRUE);
    Click(pBar, 0);   // A: handled
    Click(pBar, 1);   // B: its update handler disables it
    Click(pBar, 3);   // C: no handler, so disabled
    Click(pBar, 4);   // D
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_D}), frame->commands);

    // A release away from the button sends nothing.
    const CPoint centre = ClientCentre(pBar, 0);
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    EXPECT_TRUE(pBar->GetButtonStyle(0) & TBB_PRESSED);
    pBar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(centre.x, centre.y + 100));
    EXPECT_FALSE(pBar->GetButtonStyle(0) & TBB_PRESSED);
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y + 100));
    EXPECT_EQ(2u, frame->commands.size());
}

TEST_F(ToolBarTest, TheCurrentCommandHoldsTheButtonWhileItsCommandRuns)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    OZWCurrentCommand* pCurrent = manager->GetCurrentCommand();
    // The command's handler looks where the button is.
    struct Probe : CWnd
    {
        OZWCurrentCommand* pCurrent = nullptr;
        CRect seen;
        BOOL bActive = FALSE;
        BOOL OnCommand(WPARAM, LPARAM) override
        {
            seen = pCurrent->m_rectButton;
            bActive = pCurrent->m_bActive;
            return TRUE;
        }
    } probe;
    probe.pCurrent = pCurrent;
    ASSERT_TRUE(probe.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    pBar->SetOwner(&probe);
    Click(pBar, 0);
    CRect expected;
    pBar->GetButtonRect(0, &expected);
    pBar->ClientToScreen(&expected);
    EXPECT_TRUE(probe.bActive);
    EXPECT_EQ(expected, probe.seen);
    EXPECT_FALSE(pCurrent->m_bActive);
    pBar->SetOwner(frame);
    probe.DestroyWindow();
    pCurrent->Release();
}

TEST_F(ToolBarTest, CommandStateFollowsTheFramesHandlers)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    pBar->OnUpdateCmdUI(frame, TRUE);
    EXPECT_FALSE(pBar->GetButtonStyle(0) & TBB_DISABLED);   // A: a handler
    EXPECT_TRUE(pBar->GetButtonStyle(1) & TBB_DISABLED);    // B: disabled by its handler
    EXPECT_TRUE(pBar->GetButtonStyle(3) & TBB_DISABLED);    // C: none
    EXPECT_TRUE(pBar->GetButtonStyle(4) & TBB_CHECKED);     // D: checked
    EXPECT_TRUE(pBar->GetButtonStyle(4) & TBB_CHECKBOX);
    // A button that keeps itself enabled without a handler.
    pBar->SetButtonStyle(3, pBar->GetButtonStyle(3) | TBB_KEEPENABLED);
    pBar->SetButtonStyle(3, pBar->GetButtonStyle(3) & ~TBB_DISABLED);
    pBar->OnUpdateCmdUI(frame, TRUE);
    EXPECT_FALSE(pBar->GetButtonStyle(3) & TBB_DISABLED);
    // Idle time updates the bars through the frame.
    pBar->SetButtonStyle(1, pBar->GetButtonStyle(1) & ~TBB_DISABLED);
    frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_TRUE(pBar->GetButtonStyle(1) & TBB_DISABLED);
}

TEST_F(ToolBarTest, ButtonsGiveTheirCommandAsToolTip)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ((INT_PTR)ID_TEST_B, pBar->OnToolHitTest(ClientCentre(pBar, 1), &ti));
    EXPECT_EQ((UINT_PTR)ID_TEST_B, ti.uId);
    EXPECT_EQ(-1, pBar->OnToolHitTest(ClientCentre(pBar, 2), &ti));   // the separator
}

TEST_F(ToolBarTest, LayoutDockedAlongEachSideAndFloating)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    // Docked at the top: one row.
    CRect b0, b1, b3;
    pBar->GetButtonRect(0, &b0);
    pBar->GetButtonRect(1, &b1);
    pBar->GetButtonRect(3, &b3);
    EXPECT_EQ(b0.top, b3.top);
    EXPECT_EQ(b0.right, b1.left);
    EXPECT_EQ(b1.right + 8, b3.left);
    CRect window;
    pBar->GetWindowRect(&window);
    const CSize horz = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
    EXPECT_EQ(horz, window.Size());

    // Docked on the left: one column, the separator across it.
    frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    frame->RecalcLayout();
    pBar->GetButtonRect(0, &b0);
    pBar->GetButtonRect(1, &b1);
    pBar->GetButtonRect(3, &b3);
    EXPECT_TRUE(pBar->IsVertical());
    EXPECT_EQ(b0.left, b1.left);
    EXPECT_EQ(b0.bottom, b1.top);
    EXPECT_EQ(b1.bottom + 8, b3.top);

    // Floating: one row again, in a frame of its own.
    frame->FloatControlBar(pBar, CPoint(300, 300));
    frame->RecalcLayout();
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_FALSE(pBar->IsVertical());
    pBar->GetButtonRect(0, &b0);
    pBar->GetButtonRect(4, &b1);
    EXPECT_EQ(b0.top, b1.top);
}

TEST_F(ToolBarTest, ADockedBarTooShortForItsButtonsWidensByWholeButtons)
{
    MakeFrame();
    static UINT many[13] = {ID_TEST_A, ID_TEST_B, ID_TEST_C, 0, ID_TEST_D, ID_TEST_A, ID_TEST_B,
                            ID_TEST_C, ID_TEST_D, 0, ID_TEST_A, ID_TEST_B, ID_TEST_C};
    OZWCustomToolBar* pBar = manager->CreateUserToolBar("Tall");
    pBar->SetButtons(many, 13);
    frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    frame->SetWindowPos(nullptr, 0, 0, 400, 160, SWP_NOMOVE | SWP_NOZORDER);
    frame->RecalcLayout();
    CRect window;
    pBar->GetWindowRect(&window);
    CRect dock;
    pBar->GetParent()->GetClientRect(&dock);
    // Several columns of whole buttons, no taller than the side.
    CRect first, second;
    pBar->GetButtonRect(0, &first);
    pBar->GetButtonRect(1, &second);
    EXPECT_EQ(first.right, second.left);
    EXPECT_LE(window.Height(), dock.Height());
}

TEST_F(ToolBarTest, AHiddenButtonTakesNoRoomAndIsNeverHit)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    const CPoint at = ClientCentre(pBar, 1);
    pBar->HideButton(0, TRUE);
    frame->RecalcLayout();
    CRect b1;
    pBar->GetButtonRect(1, &b1);
    EXPECT_TRUE(b1.PtInRect(CPoint(at.x - 23, at.y)));
    EXPECT_EQ(1, pBar->HitTest(at.x - 23, at.y));
    pBar->OnUpdateCmdUI(frame, TRUE);
    frame->commands.clear();
    Click(pBar, 0);
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(ToolBarTest, RemovingButtonsTakesStrandedSeparatorsAlong)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    // A B | C D: without C and D the separator would end the bar.
    EXPECT_TRUE(pBar->RemoveButton(3));
    EXPECT_TRUE(pBar->RemoveButton(3));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_B}), Ids(pBar));
    EXPECT_FALSE(pBar->RemoveButton(7));
    // A default toolbar stays, empty.
    EXPECT_TRUE(pBar->RemoveButton(0));
    EXPECT_TRUE(pBar->RemoveButton(0));
    EXPECT_EQ(0, pBar->GetButtonCount());
    EXPECT_EQ(pBar, Bar(IDW_TEST_BAR1));
    // Inserting clamps the index.
    pBar->InsertButton(10, ID_TEST_D);
    pBar->InsertButton(0, 0, TRUE);
    pBar->InsertButton(0, ID_TEST_A);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, 0, ID_TEST_D}), Ids(pBar));
}

TEST_F(ToolBarTest, TheSelectionFollowsInsertsAndRemovals)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    pBar->SelectButton(3);
    EXPECT_TRUE(pBar->GetButtonStyle(3) & TBB_SELECTED);
    pBar->InsertButton(1, ID_TEST_C);
    EXPECT_EQ(4, pBar->GetSelectedIndex());
    pBar->RemoveButton(0);
    EXPECT_EQ(3, pBar->GetSelectedIndex());
    EXPECT_EQ(pBar, manager->GetSelectionOwner());
    pBar->RemoveButton(3);
    EXPECT_EQ(-1, pBar->GetSelectedIndex());
    EXPECT_EQ(nullptr, manager->GetSelectionOwner());
    // One selection for all the manager's toolbars.
    pBar->SelectButton(0);
    Bar(IDW_TEST_BAR2)->SelectButton(1);
    EXPECT_EQ(-1, pBar->GetSelectedIndex());
    EXPECT_FALSE(pBar->GetButtonStyle(0) & TBB_SELECTED);
    EXPECT_EQ(Bar(IDW_TEST_BAR2), manager->GetSelectionOwner());
}

TEST_F(ToolBarTest, AButtonMapPutsAComboBoxOnTheToolBar)
{
    MakeFrame();
    manager->SetButtonMap(kButtonMap);
    static UINT ids[2] = {ID_TEST_A, ID_TEST_BOX};
    manager->DefineDefaultToolBar(IDW_TEST_BAR1, "Find", 2, ids, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
    ASSERT_TRUE(manager->SetupDefaultToolBars());
    frame->RecalcLayout();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    OZWComboBtn* pBox = dynamic_cast<OZWComboBtn*>(pBar->GetButton(1));
    ASSERT_NE(nullptr, pBox);
    ASSERT_TRUE(pBox->IsWindowVisible());
    EXPECT_EQ(IDC_TEST_BOX, pBox->GetDlgCtrlID());
    CRect rect;
    pBar->GetButtonRect(1, &rect);
    EXPECT_EQ(200, rect.Width());
    // It keeps itself enabled though the frame has no handler for it.
    pBar->OnUpdateCmdUI(frame, TRUE);
    EXPECT_TRUE(pBox->IsWindowEnabled());
    // On the left side it is a plain button.
    frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    frame->RecalcLayout();
    EXPECT_FALSE(pBox->IsWindowVisible());
    pBar->GetButtonRect(1, &rect);
    EXPECT_EQ(23, rect.Width());
}

TEST_F(ToolBarTest, TheBarPaintsItsButtonsInTheOffice2003Look)
{
    MakeFrameWithToolBars();
    UXSetVisualStyle(UX_STYLE_OFFICE2003);
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    CRect client;
    pBar->GetClientRect(&client);
    kvtest::MemoryBitmap target(client.Width(), client.Height());
    target.Fill(RGB(255, 0, 255));
    pBar->DoPaint(target.DC());
    UXSetVisualStyle(UX_STYLE_PLATFORM);
    // The first image's red square at the middle of the first button.
    CRect button;
    pBar->GetButtonRect(0, &button);
    const CPoint centre = button.CenterPoint();
    EXPECT_EQ(RGB(255, 0, 0), target.At(centre.x, centre.y));
    // The gradient behind the buttons, the dot gripper at the left.
    EXPECT_NE(RGB(255, 0, 255), target.At(client.Width() / 2, 1));
    EXPECT_EQ(RGB(0, 0, 0), target.At(client.left + 1 + 3, client.top + 5));
}
