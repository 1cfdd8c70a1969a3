// Menus built in code and from the resource script, queried and changed.
#include <gtest/gtest.h>
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/RectTracker.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"
#include "tests/platform/framework/drawing/DrawingTestRes.h"

TEST(Menu, ABuiltMenuAnswersForItsItemsAndPopups)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    ASSERT_TRUE(sub.AppendMenu(MF_STRING, 200, "Inner"));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 100, "&First"));
    ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.m_hMenu), "Sub"));
    ASSERT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 99, "Zeroth"));
    HMENU hSub = sub.Detach();   // the outer menu owns the popup now

    EXPECT_EQ(menu.GetMenuItemCount(), 4u);
    struct { int pos; UINT id; } ids[] = { { 0, 99 }, { 1, 100 }, { 2, 0 }, { 3, (UINT)-1 } };
    for (auto& t : ids)
        EXPECT_EQ(menu.GetMenuItemID(t.pos), t.id) << t.pos;

    CString text;
    EXPECT_EQ(menu.GetMenuString(100, text, MF_BYCOMMAND), 6);
    EXPECT_EQ(text, "&First");
    EXPECT_EQ(menu.GetMenuString(12345, text, MF_BYCOMMAND), 0);
    EXPECT_TRUE(text.IsEmpty());

    CMenu* pSub = menu.GetSubMenu(3);
    ASSERT_NE(pSub, nullptr);
    EXPECT_EQ(pSub->m_hMenu, hSub);
    EXPECT_EQ(pSub->GetMenuItemID(0), 200u);
    EXPECT_EQ(menu.GetSubMenu(1), nullptr);   // a plain item opens nothing

    // Check, enable, radio and default states, with the previous state returned.
    EXPECT_EQ(menu.CheckMenuItem(100, MF_CHECKED), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_EQ(menu.CheckMenuItem(100, MF_UNCHECKED), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(menu.CheckMenuItem(4242, MF_CHECKED), static_cast<UINT>(-1));
    EXPECT_EQ(menu.EnableMenuItem(99, MF_GRAYED), static_cast<UINT>(MF_ENABLED));
    EXPECT_TRUE(menu.GetMenuState(99, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.CheckMenuRadioItem(0, 1, 1, MF_BYPOSITION));
    EXPECT_TRUE(menu.GetMenuState(100, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(menu.GetMenuState(99, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(menu.SetDefaultItem(100));
    EXPECT_EQ(menu.GetDefaultItem(0), 100u);

    ASSERT_TRUE(menu.ModifyMenu(99, MF_BYCOMMAND | MF_STRING, 98, "Renamed"));
    EXPECT_EQ(menu.GetMenuItemID(0), 98u);
    menu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, "Renamed");

    // RemoveMenu keeps the popup alive, DeleteMenu destroys it.
    ASSERT_TRUE(menu.RemoveMenu(3, MF_BYPOSITION));
    EXPECT_TRUE(::IsMenu(hSub));
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "Sub again"));
    ASSERT_TRUE(menu.DeleteMenu(3, MF_BYPOSITION));
    EXPECT_FALSE(::IsMenu(hSub));
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
    CMenu::DeleteTempMap();
}

TEST(Menu, TheWrapperOwnsItsMenuAndFromHandleFindsIt)
{
    HMENU hMenu = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreateMenu());
        hMenu = menu.m_hMenu;
        EXPECT_EQ(CMenu::FromHandle(hMenu), &menu);
        EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), &menu);
        EXPECT_EQ(static_cast<HMENU>(menu), hMenu);
    }
    EXPECT_FALSE(::IsMenu(hMenu));

    // A menu that belongs to someone else: wrapped for a while, then let go.
    HMENU foreign = ::CreatePopupMenu();
    CMenu* temp = CMenu::FromHandle(foreign);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->GetSafeHmenu(), foreign);
    EXPECT_EQ(CMenu::FromHandlePermanent(foreign), nullptr);
    CMenu::DeleteTempMap();
    EXPECT_TRUE(::IsMenu(foreign));
    {
        CMenu borrowed;
        ASSERT_TRUE(borrowed.Attach(foreign));
        EXPECT_EQ(borrowed.Detach(), foreign);
    }
    EXPECT_TRUE(::IsMenu(foreign));
    ::DestroyMenu(foreign);

    CMenu* none = nullptr;
    EXPECT_EQ(none->GetSafeHmenu(), nullptr);
    EXPECT_EQ(CMenu::FromHandle(nullptr), nullptr);
}

TEST(Menu, LoadedFromTheResourceScript)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_DRAWING_TEST_MENU));
    ASSERT_EQ(bar.GetMenuItemCount(), 2u);
    CMenu* file = bar.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetMenuItemCount(), 3u);
    EXPECT_EQ(file->GetMenuItemID(0), static_cast<UINT>(ID_DRAWING_TEST_OPEN));
    EXPECT_EQ(file->GetMenuItemID(2), static_cast<UINT>(ID_DRAWING_TEST_EXIT));
    EXPECT_EQ(bar.GetMenuItemID(1), static_cast<UINT>(ID_DRAWING_TEST_HELP));
    CString text;
    bar.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, "&File");

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(9999));
    EXPECT_EQ(missing.m_hMenu, nullptr);
    CMenu::DeleteTempMap();
}

namespace {

// Picks the first item of whatever popup menu is open, from a timer.
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    HWND popup = ::FindWindowA("#32768", nullptr);
    if (popup == nullptr) {
        ::EndMenu();
        return;
    }
    ::PostMessage(popup, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessage(popup, WM_KEYDOWN, VK_RETURN, 0);
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

} // namespace

TEST(Menu, TrackPopupMenuReturnsTheChosenCommand)
{
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr) << ::GetLastError();
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 501, "One");
    menu.AppendMenu(MF_STRING, 502, "Two");

    ::SetTimer(nullptr, 0, 50, ChooseFirstItem);
    int chosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, CWnd::FromHandle(owner));
    EXPECT_EQ(chosen, 501);

    ::SetTimer(nullptr, 0, 50, CloseMenu);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, CWnd::FromHandle(owner)), 0);
    ::DestroyWindow(owner);
    CWnd::DeleteTempMap();
}
