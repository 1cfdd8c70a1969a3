// A docked bar's caption buttons, context menu and commands through real
// messages: close hides it unless the press leaves the button or CanClose
// refuses; expand takes the whole column and contract shares it again; the
// menu ("Allow Docking", "Hide") opens at a quarter of the bar from the
// keyboard; tips name the buttons; a bar without caption buttons (a
// toolbar's bits) answers none of it.
#include "tests/frame/bars/BarsFixture.h"
#include "tests/support/TimerScript.h"

#include <string>

using barstest::ScreenRect;

namespace {

const DWORD kCaptionBar =
    SCBX_CONTEXT_MENU | SCBX_GRIPPER | SCBX_CLOSE_BUTTON | SCBX_EXPAND_BUTTON | SCBX_CAPTION | SCBX_BORDERS;

void LayOutButtons(OZWControlBar* pBar)
{
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    pBar->SendMessage(WM_NCPAINT);
}

struct MenuSeen
{
    std::string items;  // texts, a check mark as "*"
    CRect rect;         // the popup on the screen
};

// Opens the bar's context menu by a message, reads it and closes it.
MenuSeen OpenContextMenu(OZWControlBar* pBar, CPoint ptScreen)
{
    MenuSeen seen;
    kvtest::TimerScript script([] { ::EndMenu(); });
    script.Add([&] {
        HWND hPopup = ::FindWindowA("#32768", nullptr);
        HMENU hMenu = hPopup != nullptr ? (HMENU)::SendMessage(hPopup, MN_GETHMENU, 0, 0) : nullptr;
        if (hMenu != nullptr) {
            ::GetWindowRect(hPopup, &seen.rect);
            for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
                char text[64] = {};
                ::GetMenuStringA(hMenu, (UINT)i, text, sizeof(text), MF_BYPOSITION);
                if (!seen.items.empty())
                    seen.items += ",";
                seen.items += text;
                if (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_CHECKED)
                    seen.items += "*";
            }
        }
        ::EndMenu();
    });
    script.Start();
    pBar->SendMessage(WM_CONTEXTMENU, (WPARAM)pBar->m_hWnd, MAKELPARAM(ptScreen.x, ptScreen.y));
    kvtest::PumpMessages();
    EXPECT_FALSE(script.Overran());
    return seen;
}

} // namespace

class CaptionButtonsTest : public BarsTest
{
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        m_pA = NewBar(100, "A", kCaptionBar);
        m_pB = NewBar(101, "B", kCaptionBar);
        m_pFrame->DockControlBarEx(m_pA, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
        Layout();
        m_pFrame->DockControlBarEx(m_pB, AFX_IDW_DOCKBAR_RIGHT, 1, 0, 0.5f, 200);
        Layout();
        LayOutButtons(m_pA);
    }
    CTestBar* m_pA = nullptr;
    CTestBar* m_pB = nullptr;
};

TEST_F(CaptionButtonsTest, TheCloseButtonHidesTheBarOnlyWhenReleasedOnIt)
{
    const CPoint ptClose = m_pA->m_rectCloseButton.CenterPoint();
    // Pressed, then released elsewhere: shown, and the button flat again.
    m_pA->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_TRUE(m_pA->m_bClosePressed);
    EXPECT_EQ(m_pA->m_hWnd, ::GetCapture());
    m_pA->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClose.x - 60, ptClose.y + 40));
    Layout();
    EXPECT_TRUE(m_pA->IsVisible());
    EXPECT_FALSE(m_pA->m_bClosePressed);
    EXPECT_EQ(nullptr, ::GetCapture());

    // Refused by the bar: not even pressed.
    m_pA->m_bCanClose = FALSE;
    barstest::Click(m_pA, ptClose);
    Layout();
    EXPECT_TRUE(m_pA->IsVisible());
    m_pA->m_bCanClose = TRUE;

    barstest::Click(m_pA, ptClose);
    Layout();
    EXPECT_FALSE(m_pA->IsVisible());
    // B has the column to itself now.
    EXPECT_EQ(ScreenRect(DockBar(AFX_IDW_DOCKBAR_RIGHT)).top, ScreenRect(m_pB).top);
}

TEST_F(CaptionButtonsTest, ExpandTakesTheWholeColumnAndContractSharesItAgain)
{
    ASSERT_TRUE(m_pA->m_bExpandEnabled);
    ASSERT_TRUE(m_pA->m_bNotExpanded);
    barstest::Click(m_pA, m_pA->m_rectExpandButton.CenterPoint());
    Layout();
    EXPECT_GT(m_pA->m_fShare, 0.9f);
    EXPECT_LT(ScreenRect(m_pB).Height(), 30);
    LayOutButtons(m_pA);
    EXPECT_FALSE(m_pA->m_bNotExpanded); // the contract glyph now
    barstest::Click(m_pA, m_pA->m_rectExpandButton.CenterPoint());
    Layout();
    EXPECT_NEAR(0.5f, m_pA->m_fShare, 0.01);
    EXPECT_NEAR(ScreenRect(m_pA).Height(), ScreenRect(m_pB).Height(), 2);
}

TEST_F(CaptionButtonsTest, TheContextMenuOffersAllowDockingAndHide)
{
    const MenuSeen seen = OpenContextMenu(m_pA, CPoint(-1, -1));
    EXPECT_EQ("Allow Docking*,Hide", seen.items);
    // From the keyboard: a quarter across the bar, 10 pixels below its top.
    CRect client;
    m_pA->GetClientRect(&client);
    CPoint pt(client.Width() / 4, 10);
    m_pA->ClientToScreen(&pt);
    EXPECT_EQ(pt, seen.rect.TopLeft());

    // Without its bit, or in auto-hide mode, no menu.
    m_pA->ModifyExBarStyle(SCBX_CONTEXT_MENU, 0, FALSE);
    EXPECT_EQ("", OpenContextMenu(m_pA, CPoint(-1, -1)).items);
}

TEST_F(CaptionButtonsTest, AllowDockingFloatsTheBarAndHideHidesIt)
{
    m_pA->SendMessage(WM_COMMAND, ID_OZW_ALLOW_DOCKING);
    Layout();
    EXPECT_TRUE(m_pA->IsFloating());
    EXPECT_EQ(0u, m_pA->m_dwDockStyle & CBRS_ALIGN_ANY);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, m_pA->m_dwSavedDockStyle);
    // Docking allowed again: the same sides as before.
    m_pA->SendMessage(WM_COMMAND, ID_OZW_ALLOW_DOCKING);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, m_pA->m_dwDockStyle & CBRS_ALIGN_ANY);

    m_pB->SendMessage(WM_COMMAND, ID_OZW_HIDE_BAR);
    Layout();
    EXPECT_FALSE(m_pB->IsVisible());
}

TEST_F(CaptionButtonsTest, TipsNameTheButtons)
{
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(OZW_TOOL_CLOSE_BUTTON, m_pA->OnToolHitTest(m_pA->m_rectCloseButton.CenterPoint(), &ti));
    EXPECT_STREQ("Hide docked window", ti.lpszText);
    EXPECT_EQ(m_pA->m_rectCloseButton, CRect(ti.rect));
    EXPECT_EQ(OZW_TOOL_EXPAND_BUTTON, m_pA->OnToolHitTest(m_pA->m_rectExpandButton.CenterPoint(), &ti));
    EXPECT_STREQ("Expand docked window", ti.lpszText);
    EXPECT_EQ(-1, m_pA->OnToolHitTest(CPoint(60, 60), &ti));
}

TEST_F(CaptionButtonsTest, ABarWithoutCaptionButtonsAnswersNoneOfThem)
{
    CNoButtonsBar* pBar = NewBar<CNoButtonsBar>(102, "C", SCBX_GRIPPER | SCBX_CLOSE_BUTTON | SCBX_EXPAND_BUTTON);
    m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 150);
    Layout();
    LayOutButtons(pBar);
    EXPECT_TRUE(pBar->m_rectCloseButton.IsRectEmpty());
    EXPECT_TRUE(pBar->m_rectExpandButton.IsRectEmpty());
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, pBar->OnToolHitTest(CPoint(130, 8), &ti));
}

TEST_F(CaptionButtonsTest, TheDockBarsMenuListsTheFramesBarsOnlyWhenSwitchedOn)
{
    OZWDockBar* pRight = DockBar(AFX_IDW_DOCKBAR_RIGHT);
    auto rightClick = [&](bool bChooseSecond) {
        std::string items;
        kvtest::TimerScript script([] { ::EndMenu(); });
        script.Add([&] {
            HWND hPopup = ::FindWindowA("#32768", nullptr);
            HMENU hMenu = hPopup != nullptr ? (HMENU)::SendMessage(hPopup, MN_GETHMENU, 0, 0) : nullptr;
            for (int i = 0; hMenu != nullptr && i < ::GetMenuItemCount(hMenu); ++i) {
                char text[64] = {};
                ::GetMenuStringA(hMenu, (UINT)i, text, sizeof(text), MF_BYPOSITION);
                items += std::string(items.empty() ? "" : ",") + text;
                if (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_CHECKED)
                    items += "*";
            }
            if (hPopup != nullptr && bChooseSecond) {
                ::PostMessage(hPopup, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessage(hPopup, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessage(hPopup, WM_KEYDOWN, VK_RETURN, 0);
            } else {
                ::EndMenu();
            }
        });
        script.Start();
        const CPoint pt = ScreenRect(pRight).TopLeft() + CSize(2, 2);
        pRight->SendMessage(WM_CONTEXTMENU, (WPARAM)pRight->m_hWnd, MAKELPARAM(pt.x, pt.y));
        kvtest::PumpMessages();
        EXPECT_FALSE(script.Overran());
        return items;
    };
    ASSERT_FALSE(OZWDockBar::GetContextMenuEnabled());
    EXPECT_EQ("", rightClick(false));

    OZWDockBar::SetContextMenuEnabled(TRUE);
    m_pFrame->ShowControlBar(m_pB, FALSE, FALSE);
    // The bars with a title (not the untitled strips), checked when shown.
    EXPECT_EQ("A*,B", rightClick(true));
    Layout();
    EXPECT_TRUE(m_pB->IsVisible()); // chosen: shown again
    OZWDockBar::SetContextMenuEnabled(FALSE);
}
