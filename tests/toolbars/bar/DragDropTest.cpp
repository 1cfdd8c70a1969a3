// Customising toolbars by drag and drop: buttons moved and copied between
// toolbars, dropped on empty space, dragged off, dropped on the customise
// dialog; and the drag itself, driven by the mouse.
#include "tests/support/KeysDown.h"
#include "tests/toolbars/bar/ToolBarTestSupport.h"
#include "toolbars/buttons/ComboBtn.h"
#include "toolbars/model/ToolBarIds.h"

using namespace toolbartest;

namespace {

// A button-sized rectangle whose left edge is at a screen point.
CRect DropAt(CPoint point)
{
    return CRect(point.x, point.y - 11, point.x + 23, point.y + 12);
}

} // namespace

class DragDropTest : public ToolBarTest
{
protected:
    OZWCustomToolBar* first = nullptr;
    OZWCustomToolBar* second = nullptr;
    void SetUp() override
    {
        ToolBarTest::SetUp();
        MakeFrameWithToolBars();
        first = Bar(IDW_TEST_BAR1);
        second = Bar(IDW_TEST_BAR2);
        manager->EnableConfigMode(TRUE);
    }
    // Drops button nIndex of pSource at the screen rectangle, as a drag that
    // was released there does.
    BOOL Drop(OZWCustomToolBar* pSource, int nIndex, CRect rect, BOOL bCopy)
    {
        pSource->SelectButton(nIndex);
        return OZWCustomToolBar::DropButtonAt(manager, pSource->GetButton(nIndex), nIndex, rect, pSource, bCopy);
    }
};

TEST_F(DragDropTest, AButtonMovedAlongItsToolBar)
{
    // A B | C D: A dropped with its left edge inside D lands after D.
    EXPECT_TRUE(Drop(first, 0, DropAt(ScreenCentre(first, 4) - CSize(8, 0)), FALSE));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_B, 0, ID_TEST_C, ID_TEST_D, ID_TEST_A}), Ids(first));
    EXPECT_EQ(4, first->GetSelectedIndex());
}

TEST_F(DragDropTest, CopiedAndMovedToAnotherToolBar)
{
    // Copied: the source keeps it.
    EXPECT_TRUE(Drop(first, 3, DropAt(ScreenCentre(second, 0)), TRUE));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_C, ID_TEST_D}), Ids(second));
    EXPECT_EQ(5, first->GetButtonCount());
    EXPECT_EQ(second, manager->GetSelectionOwner());
    EXPECT_EQ(1, second->GetSelectedIndex());
    // Moved: it leaves the source.
    EXPECT_TRUE(Drop(first, 1, DropAt(ScreenCentre(second, 2)), FALSE));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_C, ID_TEST_D, ID_TEST_B}), Ids(second));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, 0, ID_TEST_C, ID_TEST_D}), Ids(first));
}

TEST_F(DragDropTest, DraggedOffEveryToolBar)
{
    const CRect nowhere(600, 400, 623, 423);
    // A move deletes it.
    EXPECT_TRUE(Drop(first, 3, nowhere, FALSE));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_B, 0, ID_TEST_D}), Ids(first));
    // A copy makes a floating user toolbar with it, where it was dropped.
    EXPECT_TRUE(Drop(first, 0, nowhere, TRUE));
    OZWCustomToolBar* pNew = Bar(ozwtb::kFirstUserBarId);
    ASSERT_NE(nullptr, pNew);
    EXPECT_TRUE(pNew->IsFloating());
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A}), Ids(pNew));
    CString title;
    pNew->GetWindowText(title);
    EXPECT_EQ(CString("ToolBar1"), title);
    CRect button;
    pNew->GetButtonRect(0, &button);
    pNew->ClientToScreen(&button);
    EXPECT_LE(std::abs(button.left - nowhere.left), 4);
    EXPECT_LE(std::abs(button.top - nowhere.top), 4);
    EXPECT_EQ(4, first->GetButtonCount());
}

TEST_F(DragDropTest, DroppedOnTheCustomiseDialogItStays)
{
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 600, 400, 200, 150, nullptr,
                                nullptr));
    manager->SetCustomizeDlg(&dialog);
    EXPECT_TRUE(Drop(first, 3, CRect(650, 450, 673, 473), FALSE));
    EXPECT_TRUE(Drop(first, 3, CRect(650, 450, 673, 473), TRUE));
    EXPECT_EQ(5, first->GetButtonCount());
    EXPECT_EQ(nullptr, Bar(ozwtb::kFirstUserBarId));
    manager->SetCustomizeDlg(nullptr);
    dialog.DestroyWindow();
}

TEST_F(DragDropTest, TheLastButtonOfAUserToolBarTakesItAlong)
{
    OZWCustomToolBar* pUser = manager->CreateUserToolBar(nullptr);
    pUser->InsertButton(0, ID_TEST_C);
    frame->DockControlBar(pUser, AFX_IDW_DOCKBAR_BOTTOM);
    frame->RecalcLayout();
    EXPECT_FALSE(Drop(pUser, 0, DropAt(ScreenCentre(second, 0)), FALSE));
    EXPECT_EQ(nullptr, Bar(ozwtb::kFirstUserBarId));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_C, ID_TEST_D}), Ids(second));
}

TEST_F(DragDropTest, ABarThatKeepsItsButtonsLetsNoneGo)
{
    first->SetDropFlags(TBDROP_NOTOOTHERS);
    EXPECT_TRUE(Drop(first, 0, DropAt(ScreenCentre(second, 0)), FALSE));
    EXPECT_EQ(5, first->GetButtonCount());
    EXPECT_EQ(2, second->GetButtonCount());
    // Within itself it still moves them.
    EXPECT_TRUE(Drop(first, 0, DropAt(ScreenCentre(first, 4) - CSize(8, 0)), FALSE));
    EXPECT_EQ(ID_TEST_A, first->GetButtonID(4));
}

TEST_F(DragDropTest, AMovedComboBoxKeepsItsWidth)
{
    static const OZWBtnMapEntry map[] = {
        {OZWBTN_CLASS(OZWComboBtn), ID_TEST_BOX, TBB_KEEPENABLED, {IDC_TEST_BOX, CBS_DROPDOWN, 0x2800C8, 0xC8, 0}},
        {nullptr, 0, 0, {0, 0, 0, 0, 0}},
    };
    manager->SetButtonMap(map);
    first->InsertButton(5, ID_TEST_BOX);
    const BYTE width[2] = {120, 0};
    first->GetButton(5)->SetBtnData(2, width);
    frame->RecalcLayout();
    EXPECT_TRUE(Drop(first, 5, DropAt(ScreenCentre(second, 1)), FALSE));
    ASSERT_EQ(ID_TEST_BOX, second->GetButtonID(2));
    EXPECT_EQ(120, static_cast<OZWWndBtn*>(second->GetButton(2))->GetWndWidth());
    EXPECT_EQ(5, first->GetButtonCount());
}

TEST_F(DragDropTest, APressInConfigModeDragsTheButton)
{
    // The mouse: pressed on A, moved 60 pixels right (onto D's place),
    // released there.
    const CPoint start = ClientCentre(first, 0);
    const CPoint end(ClientCentre(first, 4).x + 2, start.y);
    first->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
    first->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
    first->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_B, 0, ID_TEST_C, ID_TEST_D, ID_TEST_A}), Ids(first));
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(DragDropTest, EscapeCancelsTheDragAndAClickOnlySelects)
{
    const CPoint start = ClientCentre(first, 0);
    first->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 40, start.y));
    first->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    first->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_B, 0, ID_TEST_C, ID_TEST_D}), Ids(first));
    EXPECT_EQ(0, first->GetSelectedIndex());
    // A click without moving selects the button and changes nothing.
    const CPoint other = ClientCentre(first, 3);
    first->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(other.x, other.y));
    first->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(other.x, other.y));
    EXPECT_EQ(3, first->GetSelectedIndex());
    EXPECT_EQ(5, first->GetButtonCount());
}

TEST_F(DragDropTest, WithAltButtonsAreDraggedOutsideConfigModeAndNotLeftSelected)
{
    manager->EnableConfigMode(FALSE);
    const CPoint start = ClientCentre(first, 0);
    const CPoint end(ClientCentre(first, 4).x + 2, start.y);
    {
        kvtest::KeysDown alt({VK_MENU});
        first->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
        first->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
        first->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    }
    EXPECT_EQ(ID_TEST_A, first->GetButtonID(4));
    EXPECT_EQ(nullptr, manager->GetSelectionOwner());
    EXPECT_FALSE(first->GetButtonStyle(4) & TBB_SELECTED);
    EXPECT_TRUE(frame->commands.empty());
}
