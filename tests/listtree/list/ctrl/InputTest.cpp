// The list control driven by real keyboard and mouse messages: selection by
// clicks with Shift and Ctrl, keys and type-ahead, the header's column
// click, divider and column drags, scrolling a long list, and the
// notifications the parent gets, in order.
#include "tests/listtree/list/ctrl/ListWindowFixture.h"

#include <algorithm>

using namespace lctest;

TEST_F(ListWindowTest, ClicksSelectWithShiftAndCtrl)
{
    MakeList();
    Fill(20);
    Click(LabelPoint(3));
    EXPECT_EQ(std::vector<int>{ 3 }, list->GetSelection());
    EXPECT_EQ(3, list->GetFocusItem());
    Click(LabelPoint(6), MK_SHIFT);
    EXPECT_EQ((std::vector<int>{ 3, 4, 5, 6 }), list->GetSelection());
    // Ctrl toggles at button-up.
    const CPoint pt = LabelPoint(4);
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((std::vector<int>{ 3, 4, 5, 6 }), list->GetSelection());
    list->SendMessage(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((std::vector<int>{ 3, 5, 6 }), list->GetSelection());
    // A plain press on one of several selected items keeps them (they may
    // be dragged); the release leaves that item alone selected.
    const CPoint p5 = LabelPoint(5);
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p5.x, p5.y));
    EXPECT_EQ((std::vector<int>{ 3, 5, 6 }), list->GetSelection());
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p5.x, p5.y));
    EXPECT_EQ(std::vector<int>{ 5 }, list->GetSelection());
    EXPECT_EQ(GetFocus(), list->m_hWnd);
}

TEST_F(ListWindowTest, ClickOnASubItemSelectsOnlyWithFullRowSelection)
{
    MakeList();
    Fill(5);
    Click(CellPoint(2, 1, 30));
    EXPECT_EQ(std::vector<int>{ 0 }, list->GetSelection());
    list->ModifyListStyleEx(0, OZWLS_EX_FULLROWSELECT, TRUE);
    Click(CellPoint(2, 1, 30));
    EXPECT_EQ(std::vector<int>{ 2 }, list->GetSelection());
}

TEST_F(ListWindowTest, KeyDownIsReportedBeforeTheKeyTakesEffect)
{
    MakeList();
    Fill(10);
    parent.notices.clear();
    Key(VK_DOWN);
    ASSERT_FALSE(parent.notices.empty());
    EXPECT_EQ((UINT)LVN_KEYDOWN, parent.notices[0].code);
    EXPECT_EQ(VK_DOWN, parent.notices[0].item);
    EXPECT_EQ(0, parent.notices[0].focusAtTime) << "the focus had not moved yet";
    EXPECT_EQ(1, list->GetFocusItem());
    Key(VK_DOWN, true);
    Key(VK_DOWN, true);
    EXPECT_EQ((std::vector<int>{ 1, 2, 3 }), list->GetSelection());
    Key(VK_RETURN);
    EXPECT_EQ((UINT)NM_RETURN, parent.notices.back().code);
    Key(VK_TAB, true);
    Key(VK_ESCAPE);
    kvtest::PumpMessages();
    ASSERT_EQ(2u, parent.messages.size());
    EXPECT_EQ((UINT)WM_NEXTDLGCTL, parent.messages[0].first);
    EXPECT_EQ(1u, parent.messages[0].second);
    EXPECT_EQ((UINT)WM_COMMAND, parent.messages[1].first);
    EXPECT_EQ((WPARAM)IDCANCEL, LOWORD(parent.messages[1].second));
    EXPECT_EQ(0x87, (int)list->SendMessage(WM_GETDLGCODE));
}

TEST_F(ListWindowTest, TypedLettersFindItems)
{
    MakeList();
    list->InsertItem(0, "Apple");
    list->InsertItem(1, "apricot");
    list->InsertItem(2, "Banana");
    list->SendMessage(WM_CHAR, 'b', 1);
    EXPECT_EQ(2, list->GetFocusItem());
    // The search ends at the first idle tick of its timer.
    list->SendMessage(WM_TIMER, OZWTIMER_TYPEAHEAD);
    list->SendMessage(WM_TIMER, OZWTIMER_TYPEAHEAD);
    list->SendMessage(WM_CHAR, 'a', 1);
    EXPECT_EQ(0, list->GetFocusItem());
    list->SendMessage(WM_CHAR, 'a', 1);
    EXPECT_EQ(1, list->GetFocusItem());
}

TEST_F(ListWindowTest, NotificationsOfAClickAndADoubleClickInOrder)
{
    MakeList();
    Fill(5);
    Click(LabelPoint(1));
    const CPoint pt = LabelPoint(1);
    list->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    list->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((std::vector<UINT>{ (UINT)NM_CLICK, (UINT)NM_DBLCLK, (UINT)NM_RCLICK }), parent.CodesWithoutFocus());
    list->DeleteItems(1, 2);
    EXPECT_EQ((UINT)LVN_DELETEITEM, parent.notices.back().code);
    EXPECT_EQ(2, parent.notices.back().item);
}

TEST_F(ListWindowTest, AHeaderClickIsAColumnClick)
{
    MakeList();
    Fill(3);
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 8));
    EXPECT_EQ(1, list->m_nPressedColumn);
    EXPECT_EQ(list->m_hWnd, ::GetCapture());
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 8));
    ASSERT_FALSE(parent.CodesWithoutFocus().empty());
    const Notice& click = parent.notices[parent.notices.size() - 2];
    EXPECT_EQ((UINT)LVN_COLUMNCLICK, click.code);
    EXPECT_EQ(-1, click.item);
    EXPECT_EQ(1, click.subItem);
    EXPECT_EQ((UINT)NM_CLICK, parent.notices.back().code);
    EXPECT_EQ(nullptr, ::GetCapture());
    // Without push buttons there is no column click.
    list->SetHeader(TRUE, FALSE);
    parent.notices.clear();
    Click(CPoint(200, 8));
    EXPECT_EQ(std::vector<UINT>{ (UINT)NM_CLICK }, parent.CodesWithoutFocus());
}

TEST_F(ListWindowTest, DraggingADividerResizesTheColumn)
{
    MakeList();
    Fill(3);
    struct Case
    {
        const char* name;
        int downX;
        std::vector<std::pair<UINT, int>> queued; // message, x
        int wantWidth;
    };
    const Case cases[] = {
        { "drag right", 153, { { WM_MOUSEMOVE, 170 }, { WM_LBUTTONUP, 190 } }, 190 },
        { "no narrower than 10", 150, { { WM_MOUSEMOVE, 30 }, { WM_LBUTTONUP, 2 } }, 10 },
        { "escape restores", 150, { { WM_MOUSEMOVE, 250 }, { WM_KEYDOWN, VK_ESCAPE } }, 150 },
        { "right button restores", 150, { { WM_MOUSEMOVE, 250 }, { WM_RBUTTONDOWN, 250 } }, 150 },
    };
    for (const Case& c : cases) {
        list->SetColumnWidth(0, 150);
        for (const auto& q : c.queued) {
            const LPARAM lParam = q.first == WM_KEYDOWN ? 1 : MAKELPARAM(q.second, 8);
            const WPARAM wParam = q.first == WM_KEYDOWN ? (WPARAM)q.second : (q.first == WM_MOUSEMOVE ? MK_LBUTTON : 0);
            list->PostMessage(q.first, wParam, lParam);
        }
        list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.downX, 8));
        EXPECT_EQ(c.wantWidth, list->GetColumnWidth(0)) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
    }
    // Five pixels from the divider the header item is pressed instead.
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(155, 8));
    EXPECT_EQ(1, list->m_nPressedColumn);
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(155, 8));
}

TEST_F(ListWindowTest, DraggingAHeaderButtonMovesTheColumn)
{
    MakeList();
    list->ModifyListStyleEx(0, OZWLS_EX_HEADERDRAGDROP, TRUE);
    list->AddColumn("Date", LVCFMT_LEFT, 80);
    Fill(3);
    // Column 2 ("Date", 250..330) dropped on the left half of column 1.
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(290, 8));
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(280, 9));
    EXPECT_TRUE(list->m_bHeaderDrag);
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(170, 9));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(170, 9));
    EXPECT_EQ("Name", std::string(list->GetColumnTitle(0)));
    EXPECT_EQ("Date", std::string(list->GetColumnTitle(1)));
    EXPECT_EQ("Size", std::string(list->GetColumnTitle(2)));
    EXPECT_EQ("0", std::string(list->GetItemText(0, list->GetColumnSubItem(2))));
    for (UINT code : parent.Codes())
        EXPECT_NE((UINT)LVN_COLUMNCLICK, code) << "a drag is no click";
    // Dropped right behind itself: nothing moves. Column 0 cannot be dragged.
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 8));
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 9));
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(225, 9));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(225, 9));
    EXPECT_EQ("Date", std::string(list->GetColumnTitle(1)));
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 8));
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 9));
    EXPECT_FALSE(list->m_bHeaderDrag);
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 9));
    EXPECT_EQ("Name", std::string(list->GetColumnTitle(0)));
}

TEST_F(ListWindowTest, AHundredThousandItemsScrollAndSelect)
{
    MakeList();
    Fill(100000);
    ASSERT_TRUE(list->GetScrollState() & OZWSB_VERTSHOWN);
    CScrollBar* pBar = list->GetScrollBarCtrl(SB_VERT);
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(pBar->IsWindowVisible());
    const int nPage = list->GetRowsFromTop();
    ASSERT_GT(nPage, 5);
    list->SendMessage(WM_VSCROLL, SB_PAGEDOWN, (LPARAM)pBar->m_hWnd);
    EXPECT_EQ(nPage, list->GetTopIndex());
    list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-240), 0);
    EXPECT_EQ(nPage + 2, list->GetTopIndex());
    Key(VK_END);
    EXPECT_EQ(99999, list->GetFocusItem());
    EXPECT_EQ(list->GetMaxTopIndex(), list->GetTopIndex());
    Key(VK_HOME, true);
    EXPECT_EQ(100000, list->GetSelectedCount());
    EXPECT_EQ(0, list->GetTopIndex());
    Click(LabelPoint(2));
    EXPECT_EQ(1, list->GetSelectedCount());
    // Scroll bar thumb dragged to the middle.
    list->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50000), (LPARAM)pBar->m_hWnd);
    EXPECT_EQ(50000, list->GetTopIndex());
    // A typed search from the last item wraps to the first.
    Key(VK_END);
    list->SendMessage(WM_CHAR, 'i', 1);
    EXPECT_EQ(0, list->GetFocusItem());
}

TEST_F(ListWindowTest, TheDividerCursorShowsOverADivider)
{
    MakeList();
    list->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(151, 8));
    EXPECT_TRUE(list->m_bOnDivider);
    EXPECT_TRUE(list->SendMessage(WM_SETCURSOR, (WPARAM)list->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(list->m_hDividerCursor, ::GetCursor());
    list->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(100, 8));
    EXPECT_FALSE(list->m_bOnDivider);
}

TEST_F(ListWindowTest, AParentSortsAHundredThousandItemsOnAColumnClick)
{
    MakeList();
    list->SetAutoUpdate(FALSE);
    for (int i = 0; i < 100000; ++i)
        list->InsertItem(LVIF_TEXT | LVIF_PARAM, i, std::to_string((i * 7919) % 100000 + 100000).c_str(), 0, 0, 0, i);
    list->RecalcLayout();
    // The parent sorts by the clicked column: it reads the rows, sorts them
    // and writes them back.
    parent.answer = [this](NMHDR* pHdr) -> LRESULT {
        if (pHdr->code != (UINT)LVN_COLUMNCLICK)
            return 0;
        std::vector<std::pair<std::string, LPARAM>> rows;
        for (int i = 0; i < list->GetItemCount(); ++i)
            rows.emplace_back(std::string(list->GetItemText(i, 0)), list->GetItemData(i));
        std::sort(rows.begin(), rows.end());
        for (int i = 0; i < (int)rows.size(); ++i)
            list->SetItem(i, 0, LVIF_TEXT | LVIF_PARAM, rows[(size_t)i].first.c_str(), 0, 0, 0, rows[(size_t)i].second);
        return 0;
    };
    Click(CPoint(60, 8));
    EXPECT_EQ("100000", std::string(list->GetItemText(0, 0)));
    EXPECT_EQ("199999", std::string(list->GetItemText(99999, 0)));
    EXPECT_EQ(0, (int)list->GetItemData(0));
    for (int i = 1; i < 100000; i += 997)
        EXPECT_LT(std::string(list->GetItemText(i - 1, 0)), std::string(list->GetItemText(i, 0)));
}

TEST_F(ListWindowTest, DraggingItemsAndScrollingWhileOverTheEdges)
{
    MakeList();
    Fill(200);
    list->SetTopIndex(20);
    // A press on a selected label and a move of more than 3 pixels: a drag.
    const CPoint pt = LabelPoint(22);
    Click(pt);
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y + 2));
    EXPECT_FALSE(list->m_bItemDrag);
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y + 5));
    EXPECT_TRUE(list->m_bItemDrag);
    // While the cursor is over the top row, each tick scrolls up one row.
    list->SetAutoScrollTimer(50);
    CPoint top = LabelPoint(20);
    list->ClientToScreen(&top);
    ::SetCursorPos(top.x, top.y);
    list->SendMessage(WM_TIMER, OZWTIMER_AUTOSCROLL);
    EXPECT_EQ(19, list->GetTopIndex());
    CPoint bottom = LabelPoint(list->GetLastFullyVisible());
    list->ClientToScreen(&bottom);
    ::SetCursorPos(bottom.x, bottom.y);
    list->SendMessage(WM_TIMER, OZWTIMER_AUTOSCROLL);
    EXPECT_EQ(20, list->GetTopIndex());
    list->KillAutoScrollTimer();
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y + 5));
    EXPECT_FALSE(list->m_bItemDrag);
    EXPECT_EQ(std::vector<int>{ 22 }, list->GetSelection());
}
