// Creating the list control: styles taken out of the window's, the main
// column of lists outside report view, replacing a dialog control, image
// lists kept or copied, and the shared values each form keeps apart.
#include "frame/support/SupportRes.h"
#include "listtree/list/ctrl/ListView.h"
#include "tests/listtree/list/ctrl/ListWindowFixture.h"

#include <algorithm>
#include <map>

using namespace lctest;

namespace {

// The styles every window of the thread was created with.
std::map<HWND, std::pair<DWORD, DWORD>> g_created;
LRESULT CALLBACK RecordCreation(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND) {
        const CREATESTRUCTA* pcs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        g_created[(HWND)wParam] = { (DWORD)pcs->style, pcs->dwExStyle };
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

} // namespace

TEST_F(ListWindowTest, ListStyleBitsLeaveTheWindowStyle)
{
    ASSERT_TRUE(parent.Make());
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, RecordCreation, nullptr, ::GetCurrentThreadId());
    list = new OZWListCtrl;
    ASSERT_TRUE(list->CreateEx(OZWLS_EX_FULLROWSELECT | OZWLS_EX_HOVERTIPS,
                               WS_CHILD | WS_VISIBLE | OZWLS_REPORT | OZWLS_SINGLESEL | OZWLS_NOLABELWRAP,
                               CRect(0, 0, 200, 100), &parent, 5));
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(0u, list->GetStyle() & OZWLS_WINDOWMASK);
    EXPECT_EQ(0u, list->GetExStyle() & OZWLS_EX_WINDOWMASK);
    ASSERT_TRUE(g_created.count(list->m_hWnd));
    EXPECT_EQ(0u, g_created[list->m_hWnd].first & OZWLS_WINDOWMASK) << "not even while the window was made";
    EXPECT_EQ(0u, g_created[list->m_hWnd].second & OZWLS_EX_WINDOWMASK);
    EXPECT_EQ((DWORD)(OZWLS_REPORT | OZWLS_SINGLESEL | OZWLS_NOLABELWRAP), list->GetListStyle());
    EXPECT_EQ((DWORD)(OZWLS_EX_FULLROWSELECT | OZWLS_EX_HOVERTIPS), list->GetListStyleEx());
    EXPECT_EQ(0, list->GetColumnCount()) << "a report list starts without columns";
    EXPECT_EQ(5, (int)list->GetCtrlId());
}

TEST_F(ListWindowTest, AListOutsideReportViewHasOneMainColumnAndNoHeader)
{
    ASSERT_TRUE(parent.Make());
    list = new OZWListCtrl;
    ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | OZWLS_ICON, CRect(0, 0, 200, 100), &parent, 5));
    ASSERT_EQ(1, list->GetColumnCount());
    // Made 20 pixels wide; a single column fills the width once sized.
    CRect rows;
    list->GetItemsRect(&rows);
    EXPECT_EQ(rows.Width(), list->GetColumnWidth(0));
    EXPECT_EQ("", std::string(list->GetColumnTitle(0)));
    EXPECT_EQ(0, list->GetColumnAt(0)->m_nImage);
    EXPECT_FALSE(list->HasHeader());
    EXPECT_EQ(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_OZW_SIZE_WE)), list->m_hDividerCursor)
        << "the list's own divider cursor";
    EXPECT_NE(nullptr, list->m_hDividerCursor);
}

TEST_F(ListWindowTest, AttachDlgItemTakesTheControlsPlaceAndId)
{
    ASSERT_TRUE(parent.Make());
    HWND hOld = ::CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE | OZWLS_REPORT, 10, 20, 150, 90, parent.m_hWnd,
                                (HMENU)123, ::GetModuleHandle(nullptr), nullptr);
    ASSERT_NE(nullptr, hOld);
    list = new OZWListCtrl;
    ASSERT_TRUE(list->AttachDlgItem(123, &parent));
    EXPECT_FALSE(::IsWindow(hOld));
    EXPECT_EQ(list->m_hWnd, ::GetDlgItem(parent.m_hWnd, 123));
    CRect rc;
    list->GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    EXPECT_EQ(CRect(10, 20, 160, 110), rc);
    EXPECT_TRUE(list->GetStyle() & WS_BORDER);
    EXPECT_EQ((DWORD)OZWLS_REPORT, list->GetListStyle() & OZWLS_VIEWMASK);
    EXPECT_FALSE(list->AttachDlgItem(999, &parent));
}

TEST_F(ListWindowTest, ImageListsAreCopiesUnlessShared)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    CBitmap bitmap;
    {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, 32, 16);
    }
    images.Add(&bitmap, RGB(255, 0, 255));
    MakeList();
    EXPECT_EQ(nullptr, list->SetImageList(&images, LVSIL_SMALL));
    CImageList* pCopy = list->GetImageList(LVSIL_SMALL);
    ASSERT_NE(nullptr, pCopy);
    EXPECT_NE(&images, pCopy);
    EXPECT_EQ(2, pCopy->GetImageCount());
    EXPECT_EQ(nullptr, list->SetImageList(&images, 7));
    // The previous list goes back to the caller.
    CImageList* pPrevious = list->SetImageList(nullptr, LVSIL_SMALL);
    EXPECT_EQ(pCopy, pPrevious);
    delete pPrevious;

    // Shared lists are the caller's and survive the window.
    list->ModifyListStyle(0, OZWLS_SHAREIMAGELISTS, FALSE);
    list->SetImageList(&images, LVSIL_NORMAL);
    EXPECT_EQ(&images, list->GetImageList(LVSIL_NORMAL));
    list->DestroyWindow();
    EXPECT_NE(nullptr, images.m_hImageList);
    EXPECT_EQ(2, images.GetImageCount());
}

TEST_F(ListWindowTest, EachFormKeepsItsOwnSharedColours)
{
    MakeList();
    list->SetTrackSysColors(TRUE);
    // Both forms have read the system's colours once.
    const COLORREF crView = OZWListBaseV::s_shared.bRead ? OZWListBaseV::s_shared.crDisabledBk : ::GetSysColor(COLOR_3DLIGHT);
    OZWListBaseV::s_shared.bRead = TRUE;
    OZWListBaseV::s_shared.crDisabledBk = crView;
    const int element = COLOR_3DLIGHT;
    const COLORREF crOld = ::GetSysColor(element);
    const COLORREF crNew = crOld == RGB(10, 20, 30) ? RGB(30, 20, 10) : RGB(10, 20, 30);
    ::SetSysColors(1, &element, &crNew);
    list->SendMessage(WM_SYSCOLORCHANGE);
    ::SetSysColors(1, &element, &crOld);
    EXPECT_EQ(crNew, list->GetSharedColor(OZWListModel::sharedDisabledBk));
    EXPECT_EQ(crView, OZWListBaseV::s_shared.crDisabledBk) << "the view form keeps what it read";
    // Without tracking, a colour change is not read.
    list->SetTrackSysColors(FALSE);
    list->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(crNew, list->GetSharedColor(OZWListModel::sharedDisabledBk));
    list->SetTrackSysColors(TRUE);
    list->SendMessage(WM_SYSCOLORCHANGE);
}

TEST_F(ListWindowTest, DestroyingTheWindowTellsTheParentOfEveryItem)
{
    MakeList();
    Fill(3);
    parent.notices.clear();
    list->DestroyWindow();
    const std::vector<UINT> codes = parent.Codes();
    EXPECT_EQ(3, std::count(codes.begin(), codes.end(), (UINT)LVN_DELETEITEM));
    EXPECT_EQ(0, list->GetItemCount());
}
