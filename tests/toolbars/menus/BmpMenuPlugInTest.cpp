// Bitmap menus on real menus: which items become owner-drawn, their sizes,
// the menu characters, the records of menus that go, drawing with the
// toolbar images, and the frame that plugs the bitmap menus in.
#include <gtest/gtest.h>
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "platform/theme/ThemeLib.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/TestSupport.h"
#include "tests/toolbars/menus/MenusTestRes.h"
#include "toolbars/buttons/BmpMgr.h"
#include "toolbars/menus/OZWBmpMenuPlugIn.h"

#include <memory>
#include <string>

namespace {

class CMenusTestApp : public CWinApp
{
public:
    CMenusTestApp() : CWinApp("Menus Test") {}
};
CMenusTestApp theApp;

const UINT kForeignID = 500;
const ULONG_PTR kForeignData = 0x1234;

MENUITEMINFOA ItemInfo(HMENU hMenu, UINT nPos)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE | MIIM_SUBMENU;
    ::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii);
    return mii;
}

std::string ItemText(HMENU hMenu, UINT nPos)
{
    char text[128] = {};
    ::GetMenuStringA(hMenu, nPos, text, sizeof(text), MF_BYPOSITION);
    return text;
}

class BmpMenuTest : public ::testing::Test
{
protected:
    CWnd host;
    std::unique_ptr<OZWBmpMenuPlugIn> plugIn;
    HMENU hMenu = nullptr;
    HMENU hSub = nullptr;

    void SetUp() override
    {
        UXSetVisualStyle(UX_STYLE_PLATFORM);
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "Host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                  nullptr));
        plugIn = std::make_unique<OZWBmpMenuPlugIn>(TRUE);
        ASSERT_TRUE(plugIn->PlugInTo(&host));
        // New (image), separator, Recent (submenu), Exit (default), Close
        // (a system command), and an item someone else draws.
        hMenu = ::CreatePopupMenu();
        hSub = ::CreatePopupMenu();
        ::AppendMenuA(hSub, MF_STRING, 300, "One");
        ::AppendMenuA(hMenu, MF_STRING, 57600, "&New\tCtrl+N");
        ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "&Recent");
        ::AppendMenuA(hMenu, MF_STRING, 57665, "E&xit");
        ::SetMenuDefaultItem(hMenu, 57665, FALSE);
        ::AppendMenuA(hMenu, MF_STRING, SC_CLOSE, "&Close");
        ::AppendMenuA(hMenu, MF_OWNERDRAW, kForeignID, (LPCSTR)kForeignData);
    }
    void TearDown() override
    {
        plugIn.reset();
        if (::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
        if (host.m_hWnd != nullptr)
            host.DestroyWindow();
        UXSetVisualStyle(UX_STYLE_PLATFORM);
        kvtest::PumpMessages();
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, BOOL* pExitHost = nullptr)
    {
        LRESULT lResult = 0;
        plugIn->OnWndMsg(message, wParam, lParam, &lResult);
        if (pExitHost != nullptr)
            *pExitHost = plugIn->m_bExitHost;
        return lResult;
    }
    void InitPopup(HMENU h) { Send(WM_INITMENUPOPUP, (WPARAM)h, 0); }
    OZWBmpMenuItemInfo* Record(UINT nPos)
    {
        return reinterpret_cast<OZWBmpMenuItemInfo*>(ItemInfo(hMenu, nPos).dwItemData);
    }
    bool OwnerDrawn(UINT nPos) { return (ItemInfo(hMenu, nPos).fType & MFT_OWNERDRAW) != 0; }
};

} // namespace

TEST_F(BmpMenuTest, APopupsCommandsBecomeOwnerDrawnAndTheRestIsLeftAlone)
{
    InitPopup(hMenu);
    OZWBmpMenuInfo* pInfo = plugIn->FindMenu(hMenu);
    ASSERT_NE(pInfo, nullptr);
    struct Case
    {
        UINT nPos;
        bool bOwnerDrawn;
        int nID;
        const char* text;
        char mnemonic;
        BOOL bDefault;
    } cases[] = {
        {0, true, 57600, "&New\tCtrl+N", 'N', FALSE},
        {1, false, 0, nullptr, 0, FALSE},            // a separator stays in the classic look
        {2, true, 0, "&Recent", 'R', FALSE},          // a submenu item counts with id 0
        {3, true, 57665, "E&xit", 'X', TRUE},
        {4, false, 0, nullptr, 0, FALSE},            // the system command
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OwnerDrawn(c.nPos), c.bOwnerDrawn) << c.nPos;
        if (!c.bOwnerDrawn)
            continue;
        OZWBmpMenuItemInfo* pItem = Record(c.nPos);
        ASSERT_TRUE(pInfo->Holds(pItem)) << c.nPos;
        EXPECT_EQ(pItem->m_nID, c.nID);
        EXPECT_STREQ((LPCSTR)pItem->m_strText, c.text);
        EXPECT_EQ(pItem->m_chMnemonic, c.mnemonic);
        EXPECT_EQ(pItem->m_bDefault, c.bDefault);
    }
    EXPECT_EQ(::GetSubMenu(hMenu, 2), hSub);
    // The other's item: kept as it was and remembered as foreign.
    EXPECT_EQ(ItemInfo(hMenu, 5).dwItemData, kForeignData);
    EXPECT_TRUE(plugIn->IsForeign(kForeignID));
    // The second pass after the frame's updates adds nothing.
    const size_t nRecords = pInfo->m_items.size();
    EXPECT_EQ(nRecords, 3u);
    plugIn->HandleInitMenuPopup(hMenu, 0);
    EXPECT_EQ(pInfo->m_items.size(), nRecords);
    // A command update that made an item plain again reuses its record.
    ::ModifyMenuA(hMenu, 0, MF_BYPOSITION | MF_STRING, 57600, "&New again");
    plugIn->HandleInitMenuPopup(hMenu, 0);
    EXPECT_EQ(pInfo->m_items.size(), nRecords);
    EXPECT_STREQ((LPCSTR)Record(0)->m_strText, "&New again");
    // The system menu is never converted.
    HMENU hOther = ::CreatePopupMenu();
    ::AppendMenuA(hOther, MF_STRING, 100, "&Item");
    Send(WM_INITMENUPOPUP, (WPARAM)hOther, MAKELPARAM(0, 1));
    EXPECT_EQ(plugIn->FindMenu(hOther), nullptr);
    ::DestroyMenu(hOther);
}

TEST_F(BmpMenuTest, TheStyledLooksDrawSeparatorsTooExceptAfterASystemCommand)
{
    UXSetVisualStyle(UX_STYLE_DOTNET);
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr); // after the other's item: converted
    ::InsertMenuA(hMenu, 5, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr); // after Close: left
    InitPopup(hMenu);
    EXPECT_TRUE(OwnerDrawn(1));
    EXPECT_EQ(Record(1)->m_nID, -1);
    EXPECT_FALSE(OwnerDrawn(5));
    EXPECT_TRUE(OwnerDrawn(7));
    const size_t nRecords = plugIn->FindMenu(hMenu)->m_items.size();
    InitPopup(hMenu);
    EXPECT_EQ(plugIn->FindMenu(hMenu)->m_items.size(), nRecords);
}

TEST_F(BmpMenuTest, ItemsAreMeasuredFromTheirTextAndTheImageColumn)
{
    InitPopup(hMenu);
    const CSize image = plugIn->GetImageSize();
    auto measure = [&](UINT nPos, BOOL* pExit) {
        MEASUREITEMSTRUCT mis = {};
        mis.CtlType = ODT_MENU;
        mis.itemID = ItemInfo(hMenu, nPos).wID;
        mis.itemData = ItemInfo(hMenu, nPos).dwItemData;
        Send(WM_MEASUREITEM, 0, (LPARAM)&mis, pExit);
        return mis;
    };
    BOOL bExit = FALSE;
    const MEASUREITEMSTRUCT mNew = measure(0, &bExit);
    EXPECT_TRUE(bExit); // the frame must not measure it again
    EXPECT_GT((int)mNew.itemWidth, image.cx + 30);
    EXPECT_GE((int)mNew.itemHeight, std::max(::GetSystemMetrics(SM_CYMENU), (int)image.cy + 4));
    // The same text measured bold is at least as wide.
    Record(3)->m_strText = "E&xit";
    Record(0)->m_strText = "E&xit";
    const MEASUREITEMSTRUCT mPlain = measure(0, nullptr);
    const MEASUREITEMSTRUCT mBold = measure(3, nullptr);
    EXPECT_GE(mBold.itemWidth, mPlain.itemWidth);
    // The other's item is not measured here.
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = kForeignID;
    mis.itemData = kForeignData;
    Send(WM_MEASUREITEM, 0, (LPARAM)&mis, &bExit);
    EXPECT_FALSE(bExit);
    EXPECT_EQ(mis.itemWidth, 0u);
}

TEST_F(BmpMenuTest, MenuCharactersExecuteOrSelectConvertedItems)
{
    ::AppendMenuA(hMenu, MF_STRING, 57666, "Ne&xt");
    InitPopup(hMenu);
    BOOL bExit = FALSE;
    EXPECT_EQ(Send(WM_MENUCHAR, MAKEWPARAM('n', MF_POPUP), (LPARAM)hMenu, &bExit), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_TRUE(bExit);
    // Two items with X: the first, then the next after the highlighted one.
    EXPECT_EQ(Send(WM_MENUCHAR, MAKEWPARAM('x', MF_POPUP), (LPARAM)hMenu), MAKELRESULT(3, MNC_SELECT));
    MENUITEMINFOA hilite = {};
    hilite.cbSize = sizeof(hilite);
    hilite.fMask = MIIM_STATE;
    hilite.fState = MFS_HILITE | MFS_DEFAULT;
    ::SetMenuItemInfoA(hMenu, 3, TRUE, &hilite);
    EXPECT_EQ(Send(WM_MENUCHAR, MAKEWPARAM('x', MF_POPUP), (LPARAM)hMenu), MAKELRESULT(6, MNC_SELECT));
    // Close is a system command, never converted: its C is not answered.
    EXPECT_EQ(Send(WM_MENUCHAR, MAKEWPARAM('c', MF_POPUP), (LPARAM)hMenu, &bExit), 0);
    EXPECT_FALSE(bExit);
}

TEST_F(BmpMenuTest, RecordsOfGoneMenusAndItemsArePurged)
{
    InitPopup(hMenu);
    InitPopup(hSub);
    EXPECT_EQ(plugIn->GetMenuCount(), 2);
    ::DeleteMenu(hMenu, 57600, MF_BYCOMMAND);
    Send(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(plugIn->FindMenu(hMenu)->m_items.size(), 2u);
    EXPECT_EQ(plugIn->FindMenu(hMenu)->Find(57600), nullptr);
    ::DestroyMenu(hMenu); // the submenu goes with it
    Send(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(plugIn->GetMenuCount(), 0);
}

TEST_F(BmpMenuTest, ASettingChangeKeepsTheItemsAndTheEndGivesTheirTextsBack)
{
    InitPopup(hMenu);
    Send(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_TRUE(OwnerDrawn(0));
    EXPECT_TRUE(plugIn->FindMenu(hMenu)->Holds(Record(0)));
    plugIn.reset();
    for (UINT nPos : {0u, 2u, 3u}) {
        EXPECT_FALSE(OwnerDrawn(nPos)) << nPos;
        EXPECT_EQ(ItemInfo(hMenu, nPos).dwItemData, 0u);
    }
    EXPECT_EQ(ItemText(hMenu, 0), "&New\tCtrl+N");
    EXPECT_EQ(ItemText(hMenu, 2), "&Recent");
    EXPECT_EQ(::GetSubMenu(hMenu, 2), hSub);
    EXPECT_EQ(ItemInfo(hMenu, 5).dwItemData, kForeignData);
}

TEST_F(BmpMenuTest, ALongItemTextComesBackWhole)
{
    const std::string longText = "&" + std::string(400, 'w') + "\tCtrl+W";
    ::AppendMenuA(hMenu, MF_STRING, 700, longText.c_str());
    InitPopup(hMenu);
    EXPECT_EQ(std::string((LPCSTR)Record(6)->m_strText), longText);
    plugIn.reset();
    char text[600] = {};
    ::GetMenuStringA(hMenu, 6, text, sizeof(text), MF_BYPOSITION);
    EXPECT_EQ(std::string(text), longText);
}

TEST_F(BmpMenuTest, TheImageStoreIsSharedAndCounted)
{
    auto* pStore = new OZWBmpMgr;
    plugIn->SetBmpMgr(pStore);
    EXPECT_EQ(pStore->GetRefCount(), 2);
    EXPECT_TRUE(pStore->IsKeepBoth());
    plugIn.reset();
    EXPECT_EQ(pStore->GetRefCount(), 1);
    pStore->Release();
}

TEST_F(BmpMenuTest, ItemsDrawTheirToolbarImageAndTheirState)
{
    auto* pStore = new OZWBmpMgr;
    ASSERT_EQ(pStore->AddToolBarResource(IDR_MENUTEST_TOOLBAR, 0, FALSE), 2);
    plugIn->SetBmpMgr(pStore);
    pStore->Release();
    ::CheckMenuItem(hMenu, 57665, MF_CHECKED);
    InitPopup(hMenu);
    const CSize image = plugIn->GetImageSize();
    kvtest::MemoryBitmap bitmap(200, 24);
    auto draw = [&](UINT nPos, UINT state) {
        bitmap.Fill(RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = ItemInfo(hMenu, nPos).wID;
        dis.itemData = ItemInfo(hMenu, nPos).dwItemData;
        dis.itemState = state;
        dis.hwndItem = (HWND)hMenu;
        dis.hDC = bitmap.hdc();
        dis.rcItem = {0, 0, 200, 24};
        BOOL bExit = TRUE;
        Send(WM_DRAWITEM, 0, (LPARAM)&dis, &bExit);
        EXPECT_FALSE(bExit); // the frame's own drawing still runs
    };
    // New: the red image in the middle of its box; the text area in the menu colour.
    const int yBox = (24 - (image.cy + 4)) / 2;
    draw(0, 0);
    EXPECT_EQ(::GetPixel(bitmap.hdc(), 2 + 8, yBox + 2 + 7), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(bitmap.hdc(), 190, 2), ::GetSysColor(COLOR_MENU));
    // Selected: the text area in the selection colour.
    draw(0, ODS_SELECTED);
    EXPECT_EQ(::GetPixel(bitmap.hdc(), 190, 2), ::GetSysColor(COLOR_HIGHLIGHT));
    // Exit has no image: checked, it shows a check mark in the column.
    draw(3, ODS_CHECKED);
    bool bMark = false;
    for (int x = 0; x < image.cx + 4; ++x)
        for (int y = 0; y < 24; ++y)
            bMark = bMark || ::GetPixel(bitmap.hdc(), x, y) == ::GetSysColor(COLOR_MENUTEXT);
    EXPECT_TRUE(bMark);
    // The other's item is not drawn here.
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = kForeignID;
    dis.itemData = kForeignData;
    dis.hwndItem = (HWND)hMenu;
    dis.hDC = bitmap.hdc();
    dis.rcItem = {0, 0, 200, 24};
    bitmap.Fill(RGB(1, 2, 3));
    Send(WM_DRAWITEM, 0, (LPARAM)&dis);
    EXPECT_EQ(::GetPixel(bitmap.hdc(), 190, 2), RGB(1, 2, 3));
}

TEST_F(BmpMenuTest, TheSystemMenuGetsCloseAsItsDefaultWhenItHasNone)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                               nullptr));
    HMENU hSysMenu = ::GetSystemMenu(frame.m_hWnd, FALSE);
    ASSERT_NE(hSysMenu, nullptr);
    ::SetMenuDefaultItem(hSysMenu, (UINT)-1, FALSE);
    EXPECT_EQ(OZWBmpMenuPlugIn::GetSystemMenuWithDefault(frame.m_hWnd), hSysMenu);
    EXPECT_EQ(::GetMenuDefaultItem(hSysMenu, FALSE, 0), (UINT)SC_CLOSE);
    frame.DestroyWindow();
}

TEST(BmpMenuFrame, TheToolkitsFrameMakesTheBitmapMenusByNameAndConvertsItsPopupsTwice)
{
    auto* pFrame = new OZWMDIFrameWnd;
    pFrame->EnableBmpMenus(TRUE, TRUE);
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MENUTEST_MENU, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    const HWND hFrame = pFrame->m_hWnd;
    auto* pPlugIn = dynamic_cast<OZWBmpMenuPlugIn*>(pFrame->GetPlugIn());
    ASSERT_NE(pPlugIn, nullptr);
    HMENU hFile = ::GetSubMenu(::GetMenu(hFrame), 0);
    ASSERT_NE(hFile, nullptr);
    ::SendMessage(hFrame, WM_INITMENUPOPUP, (WPARAM)hFile, 0);
    OZWBmpMenuInfo* pInfo = pPlugIn->FindMenu(hFile);
    ASSERT_NE(pInfo, nullptr);
    EXPECT_EQ(pInfo->m_items.size(), 3u); // New, Recent, Exit
    EXPECT_NE(pInfo->Find(57600), nullptr);
    ::DestroyWindow(hFrame);
    kvtest::PumpMessages();
}
