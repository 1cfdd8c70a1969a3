// The system-colour bitmap loader, the bitmap button's layout, and the menu
// button: its arrow, its menu, and what it leaves behind.
#include "ButtonTestSupport.h"
#include "tests/support/MemoryBitmap.h"
#include "toolbars/buttons/BitmapButton.h"
#include "toolbars/buttons/ButtonsRes.h"
#include "toolbars/buttons/SysColorBitmap.h"

#include <gtest/gtest.h>

using namespace dedaride::foundation;
using namespace buttontest;

namespace {

COLORREF PixelOf(CBitmap& bitmap, int x, int y)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    COLORREF c = dc.GetPixel(x, y);
    dc.SelectObject(pOld);
    return c;
}

} // namespace

TEST(SysColorBitmap, StandardGreysFollowTheSystemColours)
{
    CBitmap arrow;
    ASSERT_TRUE(LoadSysColorBitmap(&arrow, IDB_OZW_ARROW_DOWN));
    BITMAP bm = {};
    arrow.GetBitmap(&bm);
    EXPECT_EQ(7, bm.bmWidth);
    EXPECT_EQ(6, bm.bmHeight);
    // The arrow is black in the resource, its ground the standard light grey.
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), PixelOf(arrow, 3, 2));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelOf(arrow, 0, 0));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelOf(arrow, 6, 4));

    CBitmap missing;
    EXPECT_FALSE(LoadSysColorBitmap(&missing, 4711));
    EXPECT_EQ(nullptr, missing.GetSafeHandle());
    // A failed load leaves a loaded bitmap alone.
    EXPECT_FALSE(LoadSysColorBitmap(&arrow, 4711));
    EXPECT_NE(nullptr, arrow.GetSafeHandle());
}

namespace {

class BitmapButtonTest : public HostedTest
{
};

} // namespace

TEST_F(BitmapButtonTest, TheBitmapAndCaptionAreLaidOutByAlignment)
{
    // Client 100 x 40, less 3 on the right and at the bottom: 97 x 37; the
    // arrow is 7 x 6; margins 5.
    struct Case
    {
        UINT align;
        CRect bitmap, text;
    };
    const Case cases[] = {
        { BBA_LEFT, CRect(5, 15, 12, 21), CRect(13, 0, 97, 37) },
        { BBA_RIGHT, CRect(85, 15, 92, 21), CRect(0, 0, 84, 37) },
        { BBA_TOP, CRect(45, 5, 52, 11), CRect(0, 12, 97, 37) },
        { BBA_BOTTOM, CRect(45, 26, 52, 32), CRect(0, 0, 97, 25) },
        { BBA_ONLY, CRect(45, 15, 52, 21), CRect(0, 0, 0, 0) },
    };
    for (const Case& c : cases) {
        OZWBitmapButton button;
        ASSERT_TRUE(button.Create("Text", WS_CHILD | WS_VISIBLE, c.align, IDB_OZW_ARROW_DOWN, CRect(0, 0, 100, 40),
                                  &host, 200));
        EXPECT_EQ((UINT)BS_OWNERDRAW, button.GetButtonStyle() & BS_TYPEMASK);
        EXPECT_EQ(c.bitmap, button.GetBitmapRect()) << "alignment " << c.align;
        EXPECT_EQ(c.text, button.GetTextRect()) << "alignment " << c.align;
        button.DestroyWindow();
    }
    // A missing bitmap: no button.
    OZWBitmapButton none;
    EXPECT_FALSE(none.Create("x", WS_CHILD, BBA_LEFT, 4711, CRect(0, 0, 10, 10), &host, 201));
    EXPECT_EQ(nullptr, none.GetSafeHwnd());
}

TEST_F(BitmapButtonTest, AnotherBitmapOrMarginsChangeTheLayout)
{
    OZWBitmapButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, BBA_LEFT, IDB_OZW_ARROW_DOWN, CRect(0, 0, 100, 40), &host, 200));
    EXPECT_TRUE(button.SetBitmap(IDB_OZW_ARROW_RIGHT));
    EXPECT_EQ(6, button.GetBitmapRect().Width());
    EXPECT_FALSE(button.SetBitmap(4711));
    EXPECT_EQ(6, button.GetBitmapRect().Width());   // the previous bitmap again
    EXPECT_NE(nullptr, button.GetBitmap()->GetSafeHandle());
    button.SetMargins(10, 2);
    EXPECT_EQ(10, button.GetBitmapRect().left);

    // Sized to its bitmap alone: bitmap + twice the margins + 3.
    OZWBitmapButton only;
    ASSERT_TRUE(only.Create("", WS_CHILD | WS_VISIBLE, BBA_ONLY, IDB_OZW_ARROW_DOWN, CRect(0, 0, 100, 40), &host, 201));
    only.SizeToContent();
    CRect rc;
    only.GetWindowRect(&rc);
    EXPECT_EQ(7 + 10 + 3, rc.Width());
    EXPECT_EQ(6 + 5 + 10 + 3, rc.Height());
}

TEST_F(BitmapButtonTest, AMenuButtonWithoutCaptionShowsTheArrowAlone)
{
    OZWMenuButton button;
    UINT nBitmap = 0;
    EXPECT_EQ((UINT)BBA_ONLY, button.PrepareMenu("", nullptr, FALSE, &nBitmap));
    EXPECT_EQ((UINT)IDB_OZW_ARROW_DOWN, nBitmap);
    EXPECT_EQ((UINT)BBA_RIGHT, button.PrepareMenu("Go", nullptr, TRUE, &nBitmap));
    EXPECT_EQ((UINT)IDB_OZW_ARROW_RIGHT, nBitmap);
    EXPECT_TRUE(button.IsRight());

    // The focus mark surrounds the arrow, grown by 3.
    ASSERT_TRUE(button.Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 30), &host, 300, nullptr, FALSE));
    EXPECT_EQ((UINT)BBA_ONLY, button.GetAlign());
    kvtest::MemoryBitmap canvas(40, 30);
    canvas.Fill(RGB(255, 255, 255));
    CRect rc(0, 0, 40, 30);
    button.DrawFocusIndicator(canvas.DC(), rc);
    CRect focus = button.GetBitmapRect();
    focus.InflateRect(3, 3);
    EXPECT_NE(RGB(255, 255, 255), canvas.At(focus.left, focus.top));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(focus.left - 1, focus.top - 1));
    button.DestroyWindow();
}

TEST_F(BitmapButtonTest, TheMenuButtonsMenuStaysTheCallersAndLeavesNoStrayClick)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, 4001, "First");
    ::AppendMenuA(hMenu, MF_STRING, 4002, "Second");
    {
        OZWMenuButton button;
        ASSERT_TRUE(button.Create("Menu", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 34), &host, 300, hMenu, FALSE));
        EXPECT_EQ(hMenu, button.GetMenuHandle());

        // Chosen with the keyboard: the command goes to the parent.
        ::PostMessageA(button.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageA(button.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
        button.OnClicked();
        Pump();
        bool commanded = false;
        for (const Notice& n : host.notices)
            commanded |= n.message == WM_COMMAND && LOWORD(n.wParam) == 4001;
        EXPECT_TRUE(commanded);
        EXPECT_FALSE(button.IsTracking());

        // Closed by a click on the button itself: the click does not drop
        // the menu again.
        ::PostMessageA(button.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageA(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(5, 5)));
        button.OnClicked();
        MSG msg;
        EXPECT_FALSE(::PeekMessageA(&msg, button.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
        EXPECT_FALSE(button.IsTracking());

        // Dismissed without a choice, Space still clicks it later.
        MSG down = { button.m_hWnd, WM_KEYDOWN, VK_SPACE, 0 };
        EXPECT_FALSE(button.PreTranslateMessage(&down));
        MSG up = { button.m_hWnd, WM_KEYUP, VK_SPACE, 0 };
        EXPECT_FALSE(button.PreTranslateMessage(&up));
        button.DestroyWindow();
    }
    // The button never destroyed the menu.
    EXPECT_TRUE(::IsMenu(hMenu));
    ::DestroyMenu(hMenu);
}
