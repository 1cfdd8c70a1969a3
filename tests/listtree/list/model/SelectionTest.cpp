// Focus and selection of the list model: the selection rule with Shift, Ctrl
// and the right button, the veto of the changing hook, GetNextItem, the key
// map and type-ahead search.
#include "tests/listtree/list/model/ListModelFixture.h"

#include <gtest/gtest.h>

using lmtest::TestModel;

namespace {

void Prepare(TestModel& m, int nCount, int nFocus, int nAnchor, const std::vector<int>& selection)
{
    m.AddColumn("Name");
    m.Fill(nCount);
    m.DeselectAllExcept(-1);
    m.SetFocusItem(nFocus);
    for (int s : selection)
        m.SelectItem(s, TRUE);
    m.m_nAnchorItem = nAnchor;
    m.RecalcLayout();
}

} // namespace

TEST(ListSelection, SelectionRuleTable)
{
    const UINT S = OZWKEY_SHIFT, C = OZWKEY_CONTROL, R = OZWKEY_RBUTTON;
    struct Case
    {
        const char* name;
        bool multi;
        int focus, anchor;
        std::vector<int> selection;
        int item;
        UINT keys;
        bool mouse;
        int wantFocus, wantAnchor;
        std::vector<int> wantSelection;
    };
    const Case cases[] = {
        { "plain click", true, 2, 2, { 2 }, 5, 0, true, 5, 5, { 5 } },
        { "ctrl click adds", true, 2, 2, { 2 }, 5, C, true, 5, 5, { 2, 5 } },
        { "ctrl click toggles off", true, 2, 2, { 2, 5 }, 2, C, true, 2, 2, { 5 } },
        { "shift click extends from the anchor", true, 2, 2, { 2 }, 5, S, true, 5, 2, { 2, 3, 4, 5 } },
        { "shift click backwards", true, 5, 2, { 2, 3, 4, 5 }, 1, S, true, 1, 2, { 1, 2 } },
        { "ctrl key moves only the focus", true, 2, 2, { 2 }, 5, C, false, 5, 2, { 2 } },
        { "ctrl space toggles", true, 2, 2, { 2 }, 2, C, false, 2, 2, {} },
        { "single selection ignores ctrl", false, 2, 2, { 2 }, 5, C, true, 5, 5, { 5 } },
        { "single selection ignores shift", false, 2, 2, { 2 }, 5, S, true, 5, 5, { 5 } },
        { "press inside a multiple selection keeps it", true, 2, 2, { 2, 3, 4 }, 3, 0, true, 2, 2, { 2, 3, 4 } },
        { "key inside a multiple selection selects one", true, 2, 2, { 2, 3, 4 }, 3, 0, false, 3, 3, { 3 } },
        { "right button inside a multiple selection", true, 2, 2, { 2, 3, 4 }, 4, R, true, 2, 2, { 2, 3, 4 } },
        { "right button on a selected item moves the focus", true, 2, 2, { 4 }, 4, R, true, 4, 2, { 4 } },
        { "right button on an unselected item selects it", true, 2, 2, { 2, 3 }, 6, R, true, 6, 6, { 6 } },
        { "focus clicked again", true, 2, 2, { 2, 5 }, 2, 0, true, 2, 2, { 2, 5 } },
    };
    for (const Case& c : cases) {
        TestModel m;
        Prepare(m, 10, c.focus, c.anchor, c.selection);
        if (!c.multi)
            m.ModifyListStyle(0, OZWLS_SINGLESEL, FALSE);
        EXPECT_TRUE(m.SelectItemByInput(c.item, 0, c.keys, c.mouse)) << c.name;
        EXPECT_EQ(c.wantFocus, m.GetFocusItem()) << c.name;
        EXPECT_EQ(c.wantAnchor, m.GetAnchorItem()) << c.name;
        EXPECT_EQ(c.wantSelection, m.GetSelection()) << c.name;
    }
}

TEST(ListSelection, AVetoBlocksShiftAndCtrlUntilAPlainSelectionIsAllowed)
{
    TestModel m;
    Prepare(m, 10, 2, 2, { 2 });
    m.changingAnswer = 1;
    EXPECT_FALSE(m.SelectItemByInput(5, 0, 0, true));
    EXPECT_EQ(std::vector<int>{ 2 }, m.GetSelection());
    m.changingAnswer = 0;
    // The veto stays pending for Shift and Ctrl.
    EXPECT_TRUE(m.SelectItemByInput(5, 0, OZWKEY_SHIFT, true));
    EXPECT_TRUE(m.SelectItemByInput(6, 0, OZWKEY_CONTROL, true));
    EXPECT_EQ(std::vector<int>{ 2 }, m.GetSelection());
    // A plain selection asks again and clears it.
    EXPECT_TRUE(m.SelectItemByInput(4, 0, 0, true));
    EXPECT_TRUE(m.SelectItemByInput(6, 0, OZWKEY_SHIFT, true));
    EXPECT_EQ((std::vector<int>{ 4, 5, 6 }), m.GetSelection());
}

TEST(ListSelection, GetNextItemTable)
{
    TestModel m;
    Prepare(m, 6, 3, 3, { 1, 3, 4 });
    m.SetItemState(5, LVIS_CUT, LVIS_CUT);
    struct Case
    {
        int start;
        UINT flags;
        int want;
    };
    const Case cases[] = {
        { -1, LVNI_ALL, 0 },
        { 2, LVNI_ALL, 3 },
        { 5, LVNI_ALL, -1 },
        { 2, LVNI_ABOVE, 1 },
        { 0, LVNI_ABOVE, -1 },
        { 2, LVNI_BELOW, 3 },
        { -1, LVNI_SELECTED, 1 },
        { 1, LVNI_SELECTED, 3 },
        { 4, LVNI_SELECTED, -1 },
        { 4, LVNI_SELECTED | LVNI_ABOVE, 3 },
        { 1, LVNI_SELECTED | LVNI_ABOVE, -1 },
        { 6, LVNI_SELECTED | LVNI_TOLEFT, 4 },
        { -1, LVNI_FOCUSED, 3 },
        { -1, LVNI_CUT, 5 },
        { -1, LVNI_FOCUSED | LVNI_SELECTED, 1 },
        { 0, LVNI_ABOVE | LVNI_BELOW, -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.want, m.GetNextItem(c.start, c.flags)) << "start " << c.start << " flags " << std::hex << c.flags;
}

TEST(ListSelection, ShiftArrowsExtendFromAFixedAnchorAndCtrlArrowsMoveOnlyTheFocus)
{
    TestModel m;
    Prepare(m, 10, 2, 2, { 2 });
    m.DispatchKey(VK_DOWN, TRUE, FALSE, 1, 0);
    m.DispatchKey(VK_DOWN, TRUE, FALSE, 1, 0);
    EXPECT_EQ((std::vector<int>{ 2, 3, 4 }), m.GetSelection());
    EXPECT_EQ(2, m.GetAnchorItem());
    m.DispatchKey(VK_UP, FALSE, TRUE, 1, 0);
    m.DispatchKey(VK_UP, FALSE, TRUE, 1, 0);
    EXPECT_EQ(2, m.GetFocusItem());
    EXPECT_EQ((std::vector<int>{ 2, 3, 4 }), m.GetSelection());
    m.DispatchKey(VK_DOWN, FALSE, FALSE, 1, 0);
    EXPECT_EQ(std::vector<int>{ 3 }, m.GetSelection());
    // Ctrl+Space toggles the focus item.
    m.DispatchKey(VK_SPACE, FALSE, TRUE, 1, 0);
    EXPECT_TRUE(m.GetSelection().empty());
    m.DispatchKey(VK_SPACE, FALSE, TRUE, 1, 0);
    EXPECT_EQ(std::vector<int>{ 3 }, m.GetSelection());
}

TEST(ListSelection, PagingHomeAndEnd)
{
    // 30 rows of 10 pixels; the rows area is 101 pixels high: 10 rows fit.
    TestModel m;
    Prepare(m, 30, 0, 0, { 0 });
    ASSERT_TRUE(m.GetScrollState() & OZWSB_VERTSHOWN);
    ASSERT_EQ(9, m.GetLastFullyVisible());
    m.DispatchKey(VK_NEXT, FALSE, FALSE, 1, 0);
    EXPECT_EQ(9, m.GetFocusItem()) << "first to the last visible row";
    EXPECT_EQ(0, m.GetTopIndex());
    m.DispatchKey(VK_NEXT, FALSE, FALSE, 1, 0);
    EXPECT_EQ(10, m.GetTopIndex()) << "then a page down";
    EXPECT_EQ(19, m.GetFocusItem());
    EXPECT_EQ(std::vector<int>{ 19 }, m.GetSelection());
    m.DispatchKey(VK_PRIOR, FALSE, FALSE, 1, 0);
    EXPECT_EQ(10, m.GetFocusItem());
    m.DispatchKey(VK_PRIOR, FALSE, FALSE, 1, 0);
    EXPECT_EQ(0, m.GetTopIndex());
    EXPECT_EQ(0, m.GetFocusItem());
    m.DispatchKey(VK_END, FALSE, FALSE, 1, 0);
    EXPECT_EQ(29, m.GetFocusItem());
    EXPECT_EQ(20, m.GetTopIndex());
    m.DispatchKey(VK_HOME, TRUE, FALSE, 1, 0);
    EXPECT_EQ(0, m.GetTopIndex());
    EXPECT_EQ(30, m.GetSelectedCount()) << "Shift+Home selects from the anchor";
}

TEST(ListSelection, KeysReportedToTheParent)
{
    TestModel m;
    Prepare(m, 3, 0, 0, { 0 });
    m.DispatchKey(VK_TAB, TRUE, FALSE, 1, 0);
    m.DispatchKey(VK_ESCAPE, FALSE, FALSE, 1, 0);
    ASSERT_EQ(2u, m.posted.size());
    EXPECT_EQ((UINT)WM_NEXTDLGCTL, m.posted[0].first);
    EXPECT_EQ(1u, m.posted[0].second);
    EXPECT_EQ((UINT)WM_COMMAND, m.posted[1].first);
    EXPECT_EQ((WPARAM)IDCANCEL, m.posted[1].second);
    m.notices.clear();
    m.DispatchKey(VK_RETURN, FALSE, FALSE, 1, 0);
    EXPECT_EQ(std::vector<UINT>{ (UINT)NM_RETURN }, m.Codes());
    EXPECT_FALSE(m.DispatchKey('A', FALSE, FALSE, 1, 0));
}

namespace {

void PrepareFruit(TestModel& m)
{
    m.AddColumn("Name");
    m.InsertItem(0, "Apple");
    m.InsertItem(1, "apricot");
    m.InsertItem(2, "Banana");
    m.RecalcLayout();
}

} // namespace

TEST(ListTypeAhead, TheSameLetterStepsThroughTheMatchesAndWraps)
{
    TestModel m;
    PrepareFruit(m);
    ASSERT_EQ(0, m.GetFocusItem());
    m.TypeAheadChar('a');
    EXPECT_EQ(1, m.GetFocusItem());
    m.TypeAheadChar('a');
    EXPECT_EQ(0, m.GetFocusItem()) << "wraps to Apple";
    m.TypeAheadChar('a');
    EXPECT_EQ(1, m.GetFocusItem());
    EXPECT_EQ(std::vector<int>{ 1 }, m.GetSelection());
    EXPECT_EQ(0, m.beeps);
}

TEST(ListTypeAhead, MoreLettersNarrowFromTheFocusItem)
{
    TestModel m;
    PrepareFruit(m);
    m.TypeAheadChar('a');
    m.TypeAheadChar('p');
    EXPECT_EQ(1, m.GetFocusItem()) << "apricot starts with \"ap\" and has the focus";
    m.TypeAheadChar('p');
    EXPECT_EQ(0, m.GetFocusItem()) << "\"app\" wraps to Apple";
    EXPECT_EQ("app", std::string(m.GetTypeAheadText()));
}

TEST(ListTypeAhead, AFailedSearchBeepsAndSwallowsKeysUntilItEnds)
{
    TestModel m;
    PrepareFruit(m);
    m.TypeAheadChar('z');
    EXPECT_EQ(1, m.beeps);
    EXPECT_TRUE(m.GetTypeAheadFlags() & OZWTA_FAILED);
    m.TypeAheadChar('b');
    EXPECT_EQ(0, m.GetFocusItem()) << "swallowed";
    EXPECT_EQ(1, m.beeps);
    m.TypeAheadTick(); // the key kept the search alive
    EXPECT_TRUE(m.GetTypeAheadFlags() & OZWTA_RUNNING);
    m.TypeAheadTick(); // an idle tick ends it
    EXPECT_EQ(0u, m.GetTypeAheadFlags());
    EXPECT_EQ(0u, m.m_nTypeAheadTimer);
    m.TypeAheadChar('b');
    EXPECT_EQ(2, m.GetFocusItem());
}

TEST(ListTypeAhead, IgnoredKeysAndTheOffSwitch)
{
    TestModel m;
    PrepareFruit(m);
    EXPECT_FALSE(m.TypeAheadChar(27));
    EXPECT_FALSE(m.TypeAheadChar(13));
    EXPECT_FALSE(m.TypeAheadChar(' '));
    m.EnableTypeAhead(FALSE);
    EXPECT_FALSE(m.TypeAheadChar('b'));
    EXPECT_EQ(0, m.GetFocusItem());
    m.EnableTypeAhead(TRUE);
    m.TypeAheadChar('b');
    m.EnableTypeAhead(FALSE); // switched off while a search runs
    m.TypeAheadTick();
    m.TypeAheadTick();
    EXPECT_TRUE(m.GetTypeAheadFlags() & OZWTA_OFF) << "ending the search keeps the switch";
}

TEST(ListTypeAhead, MatchesCallbackTextsAndNonAsciiLetters)
{
    TestModel m;
    m.AddColumn("Name");
    m.InsertItem(0, "Zebra");
    m.InsertItem(1, LPSTR_TEXTCALLBACKA);
    m.InsertItem(2, "Ölfilter");
    m.answer = [](NMHDR* pHdr) {
        auto* p = reinterpret_cast<NMLVDISPINFOA*>(pHdr);
        if (pHdr->code == LVN_GETDISPINFOA && (p->item.mask & LVIF_TEXT))
            lstrcpynA(p->item.pszText, "Kamel", p->item.cchTextMax);
        return 0;
    };
    m.TypeAheadChar('k');
    EXPECT_EQ(1, m.GetFocusItem());
    m.TypeAheadTick();
    m.TypeAheadTick();
    // "ö" arrives as two bytes; the search waits for the whole character.
    const char* oe = "ö";
    m.TypeAheadChar((unsigned char)oe[0]);
    EXPECT_EQ(1, m.GetFocusItem());
    m.TypeAheadChar((unsigned char)oe[1]);
    EXPECT_EQ(2, m.GetFocusItem());
    EXPECT_EQ(0, m.beeps);
}
