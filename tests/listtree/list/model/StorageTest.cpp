// Items, cells and columns of the list model: state composition, callback
// routing, column insert and delete keeping every column on its own texts,
// and deletes keeping focus, drop-highlight and selection consistent.
#include "tests/listtree/list/model/ListModelFixture.h"

#include <gtest/gtest.h>
#include <cstring>

using lmtest::TestModel;

TEST(ListStorage, StateIsComposedFromFocusSelectionAndDropIndices)
{
    TestModel m;
    m.AddColumn("Name");
    m.Fill(5);
    m.SetFocusAndSelect(3, TRUE);
    EXPECT_EQ(0u, m.GetItemRecord(3)->m_nState);
    EXPECT_EQ(0x0003u, m.GetItemState(3, 0xFFFF));
    m.SetDropHilite(3);
    EXPECT_EQ(0x000Bu, m.GetItemState(3, 0xFFFF));
    EXPECT_EQ(0u, m.GetItemState(2, 0xFFFF));
    // Other bits are stored in the record.
    m.SetItemState(2, LVIS_CUT | 0x100, LVIS_CUT | 0x100);
    EXPECT_EQ((UINT)(LVIS_CUT | 0x100), m.GetItemState(2, 0xFFFF));
    EXPECT_EQ((UINT)LVIS_CUT, m.GetItemState(2, LVIS_CUT));
}

TEST(ListStorage, FirstInsertFocusesAndSelectsItemZero)
{
    TestModel m;
    m.AddColumn("Name");
    EXPECT_EQ(-1, m.GetFocusItem());
    m.InsertItem(0, "a");
    EXPECT_EQ(0, m.GetFocusItem());
    EXPECT_EQ(std::vector<int>{ 0 }, m.GetSelection());
    // Inserting in front moves focus and selection with their item.
    m.InsertItem(0, "b");
    EXPECT_EQ(1, m.GetFocusItem());
    EXPECT_EQ(std::vector<int>{ 1 }, m.GetSelection());
    EXPECT_EQ("a", m.Text(1));
}

TEST(ListStorage, CallbackFieldsAreRoutedToTheParentUnlessStoredExplicitly)
{
    struct Case
    {
        int subItem;
        bool targetIsCallback;
        UINT extraMask;
        bool stored;
    };
    const Case cases[] = {
        { 0, false, 0, true },
        { 0, true, 0, false },
        { 0, true, OZWLIF_STOREALWAYS, true },
        { 1, true, 0, false },  // a new cell holds the callback marker
        { 1, true, OZWLIF_STOREALWAYS, true },
        { 1, false, 0, true },
    };
    for (const Case& c : cases) {
        TestModel m;
        m.AddColumn("Name");
        m.AddColumn("Size");
        m.InsertItem(0, "old");
        if (c.subItem == 0 && c.targetIsCallback)
            m.SetItemText(0, 0, LPSTR_TEXTCALLBACKA);
        if (c.subItem == 1 && !c.targetIsCallback)
            m.SetItem(0, 1, LVIF_TEXT | OZWLIF_STOREALWAYS, "old", 0, 0, 0, 0);
        m.setDispInfo.clear();
        m.SetItem(0, c.subItem, LVIF_TEXT | c.extraMask, "new", 0, 0, 0, 0);
        LVITEMA info = {};
        info.mask = LVIF_TEXT;
        info.iSubItem = c.subItem;
        ASSERT_TRUE(m.GetItem(&info, FALSE, FALSE));
        if (c.stored) {
            EXPECT_STREQ("new", info.pszText) << "sub-item " << c.subItem;
            EXPECT_TRUE(m.setDispInfo.empty());
        } else {
            EXPECT_EQ(LPSTR_TEXTCALLBACKA, info.pszText) << "sub-item " << c.subItem;
            ASSERT_EQ(1u, m.setDispInfo.size());
            EXPECT_EQ((UINT)LVIF_TEXT, m.setDispInfo[0].mask);
            EXPECT_STREQ("new", m.setDispInfo[0].pszText);
        }
    }
}

TEST(ListStorage, ImageCallbackIsRoutedAndAskedOfTheParent)
{
    TestModel m;
    m.AddColumn("Name");
    m.InsertItem(LVIF_TEXT | LVIF_IMAGE, 0, "a", 0, 0, -1, 0);
    m.SetItem(0, 0, LVIF_IMAGE, nullptr, 4, 0, 0, 0);
    ASSERT_EQ(1u, m.setDispInfo.size());
    EXPECT_EQ((UINT)LVIF_IMAGE, m.setDispInfo[0].mask);
    m.answer = [](NMHDR* pHdr) {
        auto* p = reinterpret_cast<NMLVDISPINFOA*>(pHdr);
        if (pHdr->code == LVN_GETDISPINFOA && (p->item.mask & LVIF_IMAGE))
            p->item.iImage = 7;
        return 0;
    };
    LVITEMA info = {};
    info.mask = LVIF_IMAGE;
    ASSERT_TRUE(m.GetItem(&info));
    EXPECT_EQ(7, info.iImage);
    ASSERT_EQ(1u, m.notices.size());
    EXPECT_EQ((UINT)LVN_GETDISPINFOA, m.notices[0].code);
    EXPECT_EQ((UINT)LVIF_IMAGE, m.notices[0].mask);
}

TEST(ListStorage, CallbackTextIsAskedOfTheParentIntoTheCallersBuffer)
{
    TestModel m;
    m.AddColumn("Name");
    m.InsertItem(0, LPSTR_TEXTCALLBACKA);
    m.answer = [](NMHDR* pHdr) {
        auto* p = reinterpret_cast<NMLVDISPINFOA*>(pHdr);
        if (pHdr->code == LVN_GETDISPINFOA)
            lstrcpynA(p->item.pszText, "from parent", p->item.cchTextMax);
        return 0;
    };
    EXPECT_EQ("from parent", m.Text(0));
    char small[5];
    EXPECT_EQ(4, m.GetItemText(0, 0, small, sizeof small));
    EXPECT_STREQ("from", small);
}

TEST(ListStorage, CallbackMaskMakesStateReadsAskTheParent)
{
    TestModel m;
    m.AddColumn("Name");
    m.Fill(2);
    m.SetCallbackMask(LVIS_CUT);
    m.answer = [](NMHDR* pHdr) {
        auto* p = reinterpret_cast<NMLVDISPINFOA*>(pHdr);
        if (pHdr->code == LVN_GETDISPINFOA && (p->item.mask & LVIF_STATE))
            p->item.state |= LVIS_CUT;
        return 0;
    };
    EXPECT_EQ((UINT)(LVIS_CUT | LVIS_FOCUSED | LVIS_SELECTED), m.GetItemState(0, 0xF));
    EXPECT_EQ((UINT)LVN_GETDISPINFOA, m.notices.back().code);
}

// Every column shows its own texts after columns are inserted anywhere.
TEST(ListStorage, InsertingColumnsKeepsEveryColumnOnItsOwnTexts)
{
    TestModel m;
    m.AddColumn("A");
    m.AddColumn("C");
    m.Fill(3);
    for (int i = 0; i < 3; ++i)
        m.SetItem(i, 1, LVIF_TEXT | OZWLIF_STOREALWAYS, ("c" + std::to_string(i)).c_str(), 0, 0, 0, 0);
    EXPECT_EQ(1, m.InsertColumn(1, "B"));      // in the middle
    EXPECT_EQ(3, m.InsertColumn(3, "D"));      // at the end
    ASSERT_EQ(4, m.GetColumnCount());
    EXPECT_EQ(3, m.GetSubItemCount());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(3u, m.GetItemRecord(i)->m_cells.size());
        EXPECT_EQ(std::to_string(i), m.Text(i, m.GetColumnSubItem(0)));
        EXPECT_EQ("c" + std::to_string(i), m.Text(i, m.GetColumnSubItem(2))) << "column C, item " << i;
        LVITEMA info = {};
        info.mask = LVIF_TEXT;
        info.iItem = i;
        info.iSubItem = m.GetColumnSubItem(1);
        m.GetItem(&info, FALSE, FALSE);
        EXPECT_EQ(LPSTR_TEXTCALLBACKA, info.pszText) << "the new column B asks the parent";
    }
    // Sub-item numbers stay distinct.
    std::vector<int> subs;
    for (int c = 0; c < 4; ++c)
        subs.push_back(m.GetColumnSubItem(c));
    EXPECT_EQ((std::vector<int>{ 0, 1, 2, 3 }), subs);
    // An item inserted now gets all its cells.
    m.InsertItem(3, "new");
    EXPECT_EQ(3u, m.GetItemRecord(3)->m_cells.size());
}

TEST(ListStorage, NewColumnWidthAndIndexRules)
{
    TestModel m;
    EXPECT_EQ(0, m.InsertColumn(5, "first", LVCFMT_RIGHT, -1));
    EXPECT_EQ(10, m.GetColumnWidth(0));
    EXPECT_EQ(LVCFMT_LEFT, m.GetColumnFormat(0)); // column 0 is always left-aligned
    EXPECT_EQ(0, m.GetColumnSubItem(0));
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.pszText = const_cast<char*>("Size");
    col.cx = 55;
    col.fmt = LVCFMT_RIGHT;
    EXPECT_EQ(1, m.AddColumn(&col));
    EXPECT_EQ(55, m.GetColumnWidth(1));
    EXPECT_EQ(LVCFMT_RIGHT, m.GetColumnFormat(1));
    EXPECT_EQ(1, m.FindColumnIndex("Size"));
    EXPECT_EQ(-1, m.FindColumnIndex("size")); // case-sensitive
    EXPECT_EQ(-1, m.FindColumnIndex("none"));
}

TEST(ListStorage, GetColumnCopiesTheTitleBoundedAndTerminated)
{
    TestModel m;
    m.AddColumn("Größe der Düse");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = buffer;
    col.cchTextMax = 6;
    ASSERT_TRUE(m.GetColumn(0, &col));
    // "Gr" + "ö" (2 bytes) + "ß" would split at 5: the character is left whole.
    EXPECT_STREQ("Grö", buffer);
    EXPECT_EQ('x', buffer[6]);
}

TEST(ListStorage, DeletingColumns)
{
    TestModel m;
    m.AddColumn("A", LVCFMT_LEFT, 50);
    m.AddColumn("B", LVCFMT_LEFT, 30);
    m.AddColumn("C", LVCFMT_LEFT, 20);
    m.Fill(2);
    m.SetItem(0, 2, LVIF_TEXT | OZWLIF_STOREALWAYS, "c0", 0, 0, 0, 0);
    EXPECT_FALSE(m.DeleteColumn(0)) << "column 0 stays while others exist";
    EXPECT_FALSE(m.DeleteColumn(7));
    EXPECT_TRUE(m.DeleteColumn("B"));
    EXPECT_EQ(80, m.GetColumnWidth(0)) << "the width goes to the main column";
    EXPECT_EQ(1, m.GetColumnSubItem(1));
    EXPECT_EQ("c0", m.Text(0, m.GetColumnSubItem(1)));
    EXPECT_EQ(1u, m.GetItemRecord(0)->m_cells.size());

    m.ModifyListStyleEx(0, OZWLS_EX_KEEPDELWIDTH, FALSE);
    EXPECT_TRUE(m.DeleteColumn(1));
    EXPECT_EQ(80, m.GetColumnWidth(0));
    EXPECT_EQ(2, m.GetItemCount());
    EXPECT_TRUE(m.DeleteColumn(0));
    EXPECT_EQ(0, m.GetItemCount()) << "deleting the only column deletes every item";
}

TEST(ListStorage, MoveColumnKeepsColumnZeroInPlace)
{
    TestModel m;
    m.AddColumn("A");
    m.AddColumn("B");
    m.AddColumn("C");
    EXPECT_FALSE(m.MoveColumn(0, 2));
    EXPECT_FALSE(m.MoveColumn(2, 0));
    EXPECT_TRUE(m.MoveColumn(1, 9));
    EXPECT_EQ("C", std::string(m.GetColumnTitle(1)));
    EXPECT_EQ("B", std::string(m.GetColumnTitle(2)));
}

// Deleting runs of items: where focus, drop-highlight, selection and top go.
TEST(ListStorage, DeleteItemsTable)
{
    struct Case
    {
        const char* name;
        int count, focus, drop;
        std::vector<int> selection;
        int top, index, n;
        int wantFocus, wantDrop;
        std::vector<int> wantSelection;
    };
    const Case cases[] = {
        { "focused middle item", 5, 2, -1, { 2 }, 0, 2, 1, 2, -1, { 2 } },
        { "focused last item", 5, 4, -1, { 4 }, 0, 4, 1, 3, -1, { 3 } },
        { "sole item", 1, 0, -1, { 0 }, 0, 0, 1, -1, -1, {} },
        { "run before focus and selection", 8, 6, 7, { 1, 3, 6 }, 0, 2, 3, 3, 4, { 1, 3 } },
        { "focus inside the run", 8, 3, -1, { 3 }, 0, 2, 3, 1, -1, { 1 } },
        { "focus inside a run from 0", 8, 1, -1, { 1 }, 0, 0, 3, -1, -1, {} },
        { "focus after the run", 8, 7, 2, { 0, 7 }, 0, 2, 3, 4, 2, { 0, 4 } },
    };
    for (const Case& c : cases) {
        TestModel m;
        m.AddColumn("Name");
        m.Fill(c.count);
        m.DeselectAllExcept(-1);
        m.SetFocusItem(c.focus);
        for (int s : c.selection)
            m.SelectItem(s, TRUE);
        if (c.drop >= 0)
            m.SetDropHilite(c.drop);
        m.m_nTopIndex = c.top;
        m.notices.clear();
        ASSERT_TRUE(m.DeleteItems(c.index, c.n)) << c.name;
        EXPECT_EQ(c.count - c.n, m.GetItemCount()) << c.name;
        EXPECT_EQ(c.wantFocus, m.GetFocusItem()) << c.name;
        EXPECT_EQ(c.wantDrop, m.GetDropHilite()) << c.name;
        EXPECT_EQ(c.wantSelection, m.GetSelection()) << c.name;
        // One delete notice per item, each with the item's index and data
        // while it still exists.
        ASSERT_EQ((size_t)c.n, m.notices.size()) << c.name;
        for (int k = 0; k < c.n; ++k) {
            EXPECT_EQ((UINT)LVN_DELETEITEM, m.notices[(size_t)k].code);
            EXPECT_EQ(c.index + k, m.notices[(size_t)k].item);
            EXPECT_EQ(100 + c.index + k, m.notices[(size_t)k].lParam);
        }
    }
}

TEST(ListStorage, DeleteItemsLimitsTheTopIndexAndRefusesMissingItems)
{
    TestModel m;
    m.AddColumn("Name");
    m.Fill(10);
    m.m_nTopIndex = 8;
    EXPECT_FALSE(m.DeleteItems(10, 1));
    EXPECT_FALSE(m.DeleteItems(-1, 1));
    EXPECT_TRUE(m.DeleteItems(5, 100));
    EXPECT_EQ(5, m.GetItemCount());
    EXPECT_LE(m.GetTopIndex(), 4);
}

TEST(ListStorage, DeleteAllItemsTellsTheParentOfEveryItem)
{
    TestModel m;
    m.AddColumn("Name");
    m.Fill(4);
    m.notices.clear();
    m.DeleteAllItems();
    EXPECT_EQ(0, m.GetItemCount());
    EXPECT_EQ(-1, m.GetFocusItem());
    EXPECT_TRUE(m.GetSelection().empty());
    ASSERT_EQ(4u, m.notices.size());
    EXPECT_EQ(103, m.notices[3].lParam);
}

TEST(ListStorage, InsertItemBeforeAndAfterARecord)
{
    TestModel m;
    m.AddColumn("Name");
    m.Fill(3);
    LVITEMA info = {};
    info.mask = LVIF_TEXT;
    info.pszText = const_cast<char*>("x");
    EXPECT_EQ(0, m.InsertItemBefore(m.GetItemRecord(0), &info)) << "before the first record is index 0";
    EXPECT_EQ("x", m.Text(0));
    EXPECT_EQ(2, m.InsertItemBefore(m.GetItemRecord(2), &info));
    EXPECT_EQ("1", m.Text(3));
    EXPECT_EQ(5, m.InsertItemAfter(m.GetItemRecord(4), &info));
    EXPECT_EQ(0, m.InsertItemAfter(nullptr, &info));
    EXPECT_EQ(7, m.GetItemCount());
}

TEST(ListStorage, ARecordWithSomeCellsGetsTheMissingOnes)
{
    TestModel m;
    m.AddColumn("A");
    m.AddColumn("B");
    m.AddColumn("C");
    auto* pRecord = new OZWListItem;
    pRecord->m_cells.push_back(new OZWListSubItem);
    m.InsertItemRecord(0, pRecord);
    EXPECT_EQ(2u, pRecord->m_cells.size());
}

TEST(ListStorage, SetItemOnMissingItemsFails)
{
    TestModel m;
    m.AddColumn("A");
    EXPECT_FALSE(m.SetItemText(0, 0, "x"));
    EXPECT_EQ(0, m.GetItemData(3));
    LVITEMA info = {};
    info.iItem = -1;
    EXPECT_FALSE(m.GetItem(&info));
}

TEST(ListText, CopyTextStopsOnCharacterBoundaries)
{
    char buffer[4];
    EXPECT_EQ(3, ozwlist::CopyText(buffer, 4, "abcdef"));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ(1, ozwlist::CopyText(buffer, 4, "a€"));  // the euro sign is 3 bytes
    EXPECT_STREQ("a", buffer);
    EXPECT_EQ(0, ozwlist::CopyText(buffer, 4, LPSTR_TEXTCALLBACKA));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(0, ozwlist::CopyText(buffer, 0, "abc"));
}
