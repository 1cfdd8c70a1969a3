// Window buttons on a toolbar: the combo box of the find box, its width in
// both orientations and in the saved layout, its notifications, and the
// input it hands the toolbar while it is customised.
#include "frame/support/SupportRes.h"
#include "tests/support/KeysDown.h"
#include "tests/toolbars/buttons/ToolBarButtonTestSupport.h"
#include "toolbars/buttons/ComboBtn.h"

#include <gtest/gtest.h>

using namespace buttontest;

namespace {

// The find box's entry of the main frame's button map.
const UINT_PTR kFindBoxParams[5] = {1267, CBS_DROPDOWN, 0x2800C8, 0xC8, 0};

// The toolbar's owner, recording the window buttons' notifications.
class OwnerWnd : public kvtest::CHostWnd
{
public:
    std::vector<Notice> wndNotices;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == OZWGetToolBarWndNotifyMessage()) {
            wndNotices.push_back({message, wParam, lParam});
            return 0;
        }
        return kvtest::CHostWnd::WindowProc(message, wParam, lParam);
    }
};

class WndBtnTest : public ::testing::Test
{
protected:
    OwnerWnd host;
    FakeToolBar bar;
    OZWComboBtn* pCombo = nullptr;
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(bar.CreateBar(&host, 400, 40));
        bar.Add(57600, 0, 0, 0);
        pCombo = static_cast<OZWComboBtn*>(static_cast<OZWWndBtn*>(
            bar.Add(32795, TBB_KEEPENABLED | TBB_CENTERVERT, 23, 0, OZWBTN_CLASS(OZWComboBtn), kFindBoxParams)));
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        host.DestroyWindow();
        kvtest::PumpMessages();
    }
    std::vector<kvtest::CHostWnd::Notice> Notices() { return host.wndNotices; }
    CRect WndRect()
    {
        CRect rc;
        pCombo->GetWindowRect(&rc);
        bar.ScreenToClient(&rc);
        return rc;
    }
};

} // namespace

TEST_F(WndBtnTest, TheButtonMapsParametersMakeTheComboBox)
{
    ASSERT_NE(nullptr, pCombo->GetSafeHwnd());
    EXPECT_EQ(1267, pCombo->GetDlgCtrlID());
    EXPECT_EQ((DWORD)CBS_DROPDOWN, pCombo->CWnd::GetStyle() & 3);
    EXPECT_TRUE(pCombo->CWnd::GetStyle() & WS_CHILD);
    EXPECT_EQ(200, pCombo->GetWndWidth());
    EXPECT_EQ(40, pCombo->GetMinWidth());
    EXPECT_EQ(200, pCombo->GetWndHeight());
    EXPECT_EQ(OZWStdBtn::typeCombo, pCombo->m_nType);
    // Created: the toolbar's owner is told once.
    auto notices = Notices();
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(MAKEWPARAM(1267, OZWWNDNOTIFY_CREATED), notices[0].wParam);
    EXPECT_EQ((LPARAM)pCombo->GetSafeHwnd(), notices[0].lParam);
    // On a horizontal toolbar the box stands at the button's place, centred
    // in the standard height.
    EXPECT_TRUE(pCombo->IsWndMode());
    EXPECT_TRUE(pCombo->IsWindowVisible());
    EXPECT_EQ(200, pCombo->m_cx);
    EXPECT_EQ(22, pCombo->m_cy);
    const CRect rc = WndRect();
    EXPECT_EQ(23, rc.left);
    EXPECT_EQ(200, rc.Width());
    EXPECT_EQ((22 - rc.Height()) / 2, rc.top);
}

TEST_F(WndBtnTest, AComboBoxWithoutATypeIsADropDownList)
{
    const UINT_PTR params[5] = {1300, 0, 0x2800C8, 0xC8, 0};
    OZWStdBtn* pButton = bar.Add(40000, 0, 250, 0, OZWBTN_CLASS(OZWComboBtn), params);
    OZWComboBtn* pList = static_cast<OZWComboBtn*>(static_cast<OZWWndBtn*>(pButton));
    EXPECT_EQ((DWORD)CBS_DROPDOWNLIST, pList->CWnd::GetStyle() & 3);
    EXPECT_EQ(nullptr, pList->m_edit.GetSafeHwnd());
    EXPECT_NE(nullptr, pCombo->m_edit.GetSafeHwnd());
}

TEST_F(WndBtnTest, VerticalToolbarsShowAPlainButtonAndKeepTheWidth)
{
    pCombo->SetMode(TRUE);
    EXPECT_FALSE(pCombo->IsWndMode());
    EXPECT_FALSE(pCombo->IsWindowVisible());
    EXPECT_EQ(23, pCombo->m_cx);
    // A plain button gives its command's tool tip.
    EXPECT_EQ(32795, pCombo->OZWWndBtn::OnToolHitTest(CPoint(30, 5), nullptr));
    pCombo->SetMode(FALSE);
    EXPECT_TRUE(pCombo->IsWndMode());
    EXPECT_TRUE(pCombo->IsWindowVisible());
    EXPECT_EQ(200, pCombo->m_cx);
    EXPECT_EQ(200, WndRect().Width());
    // In window mode the toolbar gives no tool tip for it.
    EXPECT_EQ(-1, pCombo->OZWWndBtn::OnToolHitTest(CPoint(30, 5), nullptr));
}

TEST_F(WndBtnTest, TheSavedLayoutKeepsTheWidthInTwoBytes)
{
    BYTE nSize = 0;
    BYTE* pData = nullptr;
    pCombo->GetBtnData(nSize, pData);
    ASSERT_EQ(2, nSize);
    EXPECT_EQ(0xC8, pData[0]);
    EXPECT_EQ(0x00, pData[1]);
    delete[] pData;

    const BYTE width300[2] = {0x2C, 0x01};
    pCombo->SetBtnData(2, width300);
    EXPECT_EQ(300, pCombo->GetWndWidth());
    EXPECT_EQ(300, pCombo->m_cx);
    EXPECT_EQ(300, WndRect().Width());
    // Data of another length leaves the width.
    const BYTE three[3] = {1, 2, 3};
    pCombo->SetBtnData(3, three);
    pCombo->SetBtnData(1, three);
    pCombo->SetBtnData(2, nullptr);
    EXPECT_EQ(300, pCombo->GetWndWidth());
}

TEST_F(WndBtnTest, InformCode257SendsTheMessageToTheBox)
{
    OZWInformMsg msg = {0, CB_ADDSTRING, 0, (LPARAM) "pipe"};
    pCombo->InformBtn(OZWINFORM_WNDMSG, &msg);
    msg.lParam = (LPARAM) "valve";
    pCombo->InformBtn(OZWINFORM_WNDMSG, &msg);
    ASSERT_EQ(2, pCombo->GetCount());
    CString text;
    pCombo->GetLBText(1, text);
    EXPECT_EQ(CString("valve"), text);
}

TEST_F(WndBtnTest, EnterInTheBoxIsOneNotificationAndGoesNoFurther)
{
    const size_t before = Notices().size();
    MSG msg = {};
    msg.hwnd = pCombo->m_edit.GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_RETURN;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    auto notices = Notices();
    ASSERT_EQ(before + 1, notices.size());
    EXPECT_EQ(MAKEWPARAM(1267, OZWWNDNOTIFY_RETURN), notices.back().wParam);
    EXPECT_EQ((LPARAM)pCombo->GetSafeHwnd(), notices.back().lParam);
    // Other keys are the box's own.
    msg.wParam = 'A';
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    EXPECT_EQ(before + 1, Notices().size());
}

TEST_F(WndBtnTest, PressesGoToTheToolbarWhileItIsCustomisedOrWithAlt)
{
    // Normal use: the box takes its own presses.
    EXPECT_FALSE(pCombo->LButtonDown(MK_LBUTTON, 5, 5));
    EXPECT_FALSE(pCombo->LButtonUp(MK_LBUTTON, 5, 5));
    EXPECT_TRUE(bar.presses.empty());

    bar.config = TRUE;
    const int yBox = WndRect().top;
    EXPECT_TRUE(pCombo->LButtonDown(MK_LBUTTON, 5, 5));
    ASSERT_EQ(1u, bar.presses.size());
    EXPECT_EQ(CPoint(28, yBox + 5), bar.presses[0]);
    EXPECT_TRUE(pCombo->LButtonUp(MK_LBUTTON, 5, 5));
    EXPECT_TRUE(pCombo->RButtonDown(MK_RBUTTON, 5, 5));

    bar.config = FALSE;
    kvtest::KeysDown alt({VK_MENU});
    EXPECT_TRUE(pCombo->LButtonDown(MK_LBUTTON, 5, 5));
    EXPECT_EQ(2u, bar.presses.size());
}

TEST_F(WndBtnTest, TheSelectedBoxIsResizedByItsRightEdge)
{
    bar.config = TRUE;
    pCombo->OZWWndBtn::SetStyle(pCombo->OZWStdBtn::GetStyle() | TBB_SELECTED);
    bar.trackTo = 150;
    EXPECT_TRUE(pCombo->LButtonDown(MK_LBUTTON, 199, 5));
    EXPECT_EQ(40, bar.trackedMinWidth);
    EXPECT_EQ(150, pCombo->GetWndWidth());
    EXPECT_EQ(150, pCombo->m_cx);
    EXPECT_EQ(150, WndRect().Width());
    EXPECT_EQ(1, bar.layouts);
    EXPECT_TRUE(bar.presses.empty());

    // A cancelled drag changes nothing.
    bar.trackTo = -1;
    EXPECT_TRUE(pCombo->LButtonDown(MK_LBUTTON, 148, 5));
    EXPECT_EQ(150, pCombo->GetWndWidth());
    EXPECT_EQ(1, bar.layouts);

    // Away from the edge, or on the customise palette, the press drags the
    // button instead.
    EXPECT_TRUE(pCombo->LButtonDown(MK_LBUTTON, 100, 5));
    bar.palette = TRUE;
    bar.trackTo = 120;
    EXPECT_TRUE(pCombo->LButtonDown(MK_LBUTTON, 149, 5));
    EXPECT_EQ(2u, bar.presses.size());
    EXPECT_EQ(150, pCombo->GetWndWidth());
}

// Over the resizable edge the box shows the toolkit's horizontal-size cursor
// (the one the list control shows over a column divider); elsewhere, while
// the toolbar is customised, the arrow.
TEST_F(WndBtnTest, TheResizableEdgeShowsTheSharedSizeCursor)
{
    const HCURSOR hSize = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_OZW_SIZE_WE));
    ASSERT_NE(nullptr, hSize);
    bar.config = TRUE;
    pCombo->OZWWndBtn::SetStyle(pCombo->OZWStdBtn::GetStyle() | TBB_SELECTED);
    // The button reads the mouse from the last message taken from the queue.
    const auto cursorAt = [&](int x) {
        CPoint pt(x, 5);
        pCombo->ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        ::PostMessage(host.GetSafeHwnd(), WM_NULL, 0, 0);
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_NULL) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::SetCursor(nullptr);
        EXPECT_TRUE(pCombo->OZWWndBtn::SetCursor());
        return ::GetCursor();
    };
    EXPECT_EQ(hSize, cursorAt(pCombo->m_cx - 1));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), cursorAt(pCombo->m_cx / 2));
}

TEST_F(WndBtnTest, ABoxWithoutAMinimumWidthCannotBeResized)
{
    const UINT_PTR params[5] = {1300, CBS_DROPDOWN, 100, 0xC8, 0};
    OZWWndBtn* pFixed = static_cast<OZWWndBtn*>(bar.Add(40000, 0, 250, 0, OZWBTN_CLASS(OZWComboBtn), params));
    bar.config = TRUE;
    pFixed->SetStyle(pFixed->GetStyle() | TBB_SELECTED);
    bar.trackTo = 150;
    EXPECT_TRUE(pFixed->LButtonDown(MK_LBUTTON, 99, 5));
    EXPECT_EQ(-1, bar.trackedMinWidth);
    EXPECT_EQ(100, pFixed->GetWndWidth());
    EXPECT_EQ(1u, bar.presses.size());
}

TEST_F(WndBtnTest, TheBoxFollowsTheDisabledBit)
{
    pCombo->OZWWndBtn::SetStyle(pCombo->OZWStdBtn::GetStyle() | TBB_DISABLED);
    EXPECT_FALSE(pCombo->IsWindowEnabled());
    pCombo->OZWWndBtn::SetStyle(pCombo->OZWStdBtn::GetStyle() & ~TBB_DISABLED);
    EXPECT_TRUE(pCombo->IsWindowEnabled());
}
