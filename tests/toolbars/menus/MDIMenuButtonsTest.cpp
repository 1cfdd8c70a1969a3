// The maximised MDI child's buttons on a menu bar: the caption button's
// parts, what a press on them posts to the child, their tool codes, and the
// icon button that drops the child's system menu.
#include <gtest/gtest.h>
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "tests/support/TestSupport.h"
#include "tests/toolbars/buttons/ToolBarButtonTestSupport.h"
#include "tests/toolbars/menus/MenusTestRes.h"
#include "toolbars/menus/OZWMDIMenuButtons.h"
#include "toolbars/model/ToolBarLayout.h"

#include <vector>

namespace {

class MenuToolBar : public buttontest::FakeToolBar
{
public:
    void DropButtonMenu(OZWStdBtn* pButton) override { dropped.push_back(pButton); }
    std::vector<OZWStdBtn*> dropped;
};

class MDIMenuButtonsTest : public ::testing::Test
{
protected:
    OZWMDIFrameWnd* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    OZWMDIChildWnd* m_pChild = nullptr;
    MenuToolBar bar;

    void SetUp() override
    {
        m_pFrame = new OZWMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MENUTEST_MENU));
        m_hFrame = m_pFrame->m_hWnd;
        m_pFrame->ShowWindow(SW_SHOW);
        m_pChild = new OZWMDIChildWnd;
        ASSERT_TRUE(m_pChild->LoadFrame(IDR_MENUTEST_MENU, WS_OVERLAPPEDWINDOW | WS_VISIBLE, m_pFrame));
        m_pChild->ShowWindow(SW_SHOWMAXIMIZED);
        ASSERT_TRUE(bar.CreateBar(m_pFrame));
        kvtest::PumpMessages();
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        if (::IsWindow(m_hFrame))
            ::DestroyWindow(m_hFrame);
        kvtest::PumpMessages();
    }
    OZWBtnCaption* AddCaption(int x = 40, int y = 2)
    {
        return static_cast<OZWBtnCaption*>(bar.Add(0x80000000, 0, x, y, OZWBTN_CLASS(OZWBtnCaption)));
    }
    std::vector<MSG> TakeSysCommands()
    {
        std::vector<MSG> found;
        MSG msg;
        while (::PeekMessage(&msg, m_pChild->m_hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
            found.push_back(msg);
        return found;
    }
};

} // namespace

TEST_F(MDIMenuButtonsTest, TheCaptionButtonsPartsFollowTheChildsStyle)
{
    OZWBtnCaption* pButton = AddCaption();
    const int cx = pButton->m_cxPart, cy = pButton->m_cyPart;
    EXPECT_EQ(pButton->m_cx, 3 * cx + 2);
    EXPECT_EQ(pButton->m_cy, cy);
    EXPECT_FALSE(pButton->IsCustomizable());
    const int x = pButton->m_x, y = pButton->m_y + cy / 2;
    struct Case
    {
        DWORD style;
        int parts[5]; // at the middle of part 0, part 1, the gap, part 2, and past it
    } cases[] = {
        {WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, {0, 1, -1, 2, -1}},
        {WS_SYSMENU | WS_MAXIMIZEBOX, {-1, -1, -1, 2, -1}},
        {WS_MINIMIZEBOX | WS_MAXIMIZEBOX, {-1, -1, -1, -1, -1}},
    };
    const int xs[5] = {x + cx / 2, x + cx + cx / 2, x + 2 * cx + 1, x + 2 * cx + 2 + cx / 2, x + 3 * cx + 3};
    for (const Case& c : cases) {
        pButton->m_dwWndStyle = c.style;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(pButton->HitPart(CPoint(xs[i], y)), c.parts[i]) << std::hex << c.style << " point " << i;
    }
    // Tool codes: minimise, restore (the maximise code), close.
    pButton->m_dwWndStyle = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    const int codes[5] = {HTMINBUTTON, HTMAXBUTTON, 0, HTCLOSE, 0};
    for (int i = 0; i < 5; ++i) {
        TOOLINFO ti = {};
        ti.cbSize = sizeof(ti);
        pButton->OnToolHitTest(CPoint(xs[i], y), &ti);
        EXPECT_EQ((int)ti.uFlags, codes[i]) << i;
    }
}

TEST_F(MDIMenuButtonsTest, AReleaseOverThePressedPartPostsItsCommandToTheActiveChild)
{
    OZWBtnCaption* pButton = AddCaption();
    const int cx = pButton->m_cxPart, y = pButton->m_y + 2;
    const CPoint close(pButton->m_x + 2 * cx + 2 + 1, y), minimise(pButton->m_x + 1, y);
    ASSERT_EQ(m_pFrame->MDIGetActive(), m_pChild);
    EXPECT_TRUE(pButton->BtnPressDown(close));
    EXPECT_NE(pButton->GetStyle() & TBB_PRESSED, 0u);
    pButton->BtnPressMouseMove(minimise); // off the pressed part: the pressed look goes
    EXPECT_EQ(pButton->GetStyle() & TBB_PRESSED, 0u);
    pButton->BtnPressMouseMove(close);
    EXPECT_EQ(pButton->BtnPressUp(close), 0u);
    std::vector<MSG> posted = TakeSysCommands();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, (WPARAM)SC_CLOSE);
    EXPECT_EQ(pButton->m_nPressedPart, (int)OZWBtnCaption::kNoPart);

    // Released over another part: nothing.
    EXPECT_TRUE(pButton->BtnPressDown(minimise));
    pButton->BtnPressUp(close);
    EXPECT_TRUE(TakeSysCommands().empty());
    // A child without a minimise box: its minimise and restore parts take no press.
    pButton->m_dwWndStyle = WS_SYSMENU | WS_MAXIMIZEBOX;
    EXPECT_FALSE(pButton->BtnPressDown(minimise));
    EXPECT_TRUE(pButton->BtnPressDown(close));
    pButton->BtnPressUp(close);
    EXPECT_EQ(TakeSysCommands().size(), 1u);
}

TEST_F(MDIMenuButtonsTest, TheIconButtonDropsTheChildsSystemMenu)
{
    auto* pIcon = static_cast<OZWCapMenuBtn*>(bar.Add(0x80000000, 0, 0, 0, OZWBTN_CLASS(OZWCapMenuBtn)));
    EXPECT_EQ(pIcon->m_nType, (int)OZWStdBtn::typeSysMenu);
    EXPECT_EQ(pIcon->m_cx, 16);
    EXPECT_EQ(pIcon->m_cy, 16);
    pIcon->BtnPressDown(CPoint(4, 4));
    ASSERT_EQ(bar.dropped.size(), 1u);
    EXPECT_EQ((HMENU)pIcon->m_nMenuParam1, ::GetSystemMenu(m_pChild->m_hWnd, FALSE));
    EXPECT_EQ(pIcon->m_nMenuParam2, (UINT_PTR)-1);
}
