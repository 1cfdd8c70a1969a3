// The tree core over the rows of a list model, without a window: inserting
// (sorted, after siblings), expanding and collapsing, hidden and greyed
// subtrees, moving and deleting, walking, styles, and what the owner hears.
#include "listtree/tree/model/TreeCore.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

int g_liveNodes = 0;

class CountedNode : public OZWTreeItemNode
{
public:
    CountedNode() { ++g_liveNodes; }
    ~CountedNode() override { --g_liveNodes; }
};

struct Event
{
    std::string what;
    std::string item;
    int a = -1, b = -1;
};

// A list model with a tree on its rows; rows measure 10 pixels.
class TestTree : public OZWListModel, public OZWTreeCore
{
public:
    OZW_TREE_CORE_INTERFACE()
    TestTree() : OZWTreeCore(this) { DeleteItem(TVI_ROOT); }
    ~TestTree() override { DeleteItem(TVI_ROOT); }

    std::vector<Event> events;
    std::function<LRESULT(const char*, OZWTreeItemNode*)> answer;
    std::function<void(OZWTreeItemNode*)> onDelete;
    CRect client{ 0, 0, 200, 100 };

    OZWTreeItemNode* NewNode() override { return new CountedNode; }
    void OnColumnInserted(int nIndex) override { ColumnInserted(nIndex); }
    void OnColumnDeleted(int nSubItem) override { ColumnDeleted(nSubItem); }
    void GetInsideRect(RECT* pRect) override { *pRect = client; }
    void MeasureRow(int nItem, BOOL) override
    {
        GetItemRecord(nItem)->m_nHeight = 10;
        GetItemRecord(nItem)->m_bNeedsMeasure = FALSE;
    }
    std::string Label(const OZWTreeItemNode* p) { return p ? std::string(GetItemText(HandleOf(p))) : "-"; }
    std::string Label(HTREEITEM h) { return h ? std::string(GetItemText(h)) : "-"; }
    // The labels of the rows, separated by spaces.
    std::string Rows()
    {
        std::string s;
        for (int i = 0; i < GetItemCount(); ++i)
            s += (i ? " " : "") + Label(NodeOfRow(i));
        return s;
    }
    LRESULT Answer(const char* what, OZWTreeItemNode* p) { return answer ? answer(what, p) : 0; }
    LRESULT NotifyItemExpanding(OZWTreeItemNode* p, UINT nCode) override
    {
        events.push_back({ "expanding", Label(p), (int)nCode });
        return Answer("expanding", p);
    }
    void NotifyItemExpanded(OZWTreeItemNode* p, UINT nCode) override
    {
        events.push_back({ "expanded", Label(p), (int)nCode });
    }
    LRESULT NotifySelChanging(int nNew, int nOld, UINT) override
    {
        events.push_back({ "selchanging", Label(NodeOfRow(nNew)), nNew, nOld });
        return Answer("selchanging", NodeOfRow(nNew));
    }
    void NotifySelChanged(int nNew, int nOld, UINT) override
    {
        events.push_back({ "selchanged", Label(NodeOfRow(nNew)), nNew, nOld });
    }
    void NotifyTreeDeleteItem(OZWTreeItemNode* p) override
    {
        events.push_back({ "delete", Label(p) });
        if (onDelete)
            onDelete(p);
    }
    LRESULT NotifyTreeGetDispInfo(TVITEMA* pItem) override
    {
        events.push_back({ "getdispinfo", "", (int)pItem->mask });
        if (pItem->mask & TVIF_CHILDREN)
            pItem->cChildren = (int)Answer("children", NodeOf(pItem->hItem));
        if ((pItem->mask & TVIF_TEXT) && pItem->pszText)
            lstrcpynA(pItem->pszText, "owner's", pItem->cchTextMax);
        return 0;
    }
    std::vector<std::string> What() const
    {
        std::vector<std::string> w;
        for (const Event& e : events)
            w.push_back(e.what + " " + e.item);
        return w;
    }
};

// root: A (a1, a2 (x)), B (b1), C
struct Sample
{
    TestTree t;
    HTREEITEM A, a1, a2, x, B, b1, C;
    Sample()
    {
        A = t.InsertItem("A");
        a1 = t.InsertItem("a1", A);
        a2 = t.InsertItem("a2", A);
        x = t.InsertItem("x", a2);
        B = t.InsertItem("B");
        b1 = t.InsertItem("b1", B);
        C = t.InsertItem("C");
        t.events.clear();
    }
};

} // namespace

TEST(TreeCore, SortedInsertKeepsEqualLabelsInTheirOrder)
{
    TestTree t;
    for (const char* label : { "b", "A", "c", "a", "B" })
        t.InsertItem(label, TVI_ROOT, TVI_SORT);
    EXPECT_EQ("A a b B c", t.Rows()) << "case-insensitive; an equal label goes after the existing one";
    TestTree d;
    for (const char* label : { "b", "A", "c" })
        d.InsertItem(label, TVI_ROOT, OZWTVI_SORTDESCENDING);
    EXPECT_EQ("c b A", d.Rows());
}

TEST(TreeCore, InsertPositions)
{
    Sample s;
    s.t.InsertItem("first", TVI_ROOT, TVI_FIRST);
    s.t.InsertItem("afterA", TVI_ROOT, s.A);
    EXPECT_EQ("first A afterA B C", s.t.Rows());
    const int nLive = g_liveNodes;
    EXPECT_EQ(nullptr, s.t.InsertItem("stray", TVI_ROOT, s.a1)) << "a1 is not a child of the root";
    EXPECT_EQ(nLive, g_liveNodes) << "nothing is left behind";
    EXPECT_EQ("first A afterA B C", s.t.Rows());
    // Under a collapsed parent an item gets no row; expanded, it shows.
    s.t.Expand(s.A, TVE_EXPAND);
    EXPECT_EQ("first A a1 a2 afterA B C", s.t.Rows());
    s.t.InsertItem("a3", s.A);
    EXPECT_EQ("first A a1 a2 a3 afterA B C", s.t.Rows());
    // The first inserted row got the focus and the selection.
    EXPECT_EQ(s.A, s.t.GetSelectedItem());
}

TEST(TreeCore, ExpandAndCollapseInsertAndRemoveRunsOfRows)
{
    Sample s;
    EXPECT_EQ("A B C", s.t.Rows());
    s.t.Expand(s.a2, TVE_EXPAND); // not showing yet: only its flag
    EXPECT_EQ("A B C", s.t.Rows());
    s.t.Expand(s.A, TVE_EXPAND);
    EXPECT_EQ("A a1 a2 x B C", s.t.Rows()) << "expanded children are descended into";
    s.t.SetItemHidden(s.a1, TRUE);
    EXPECT_EQ("A a2 x B C", s.t.Rows());
    s.t.Expand(s.A, TVE_TOGGLE);
    EXPECT_EQ("B C", std::string(s.t.Rows()).substr(2));
    s.t.Expand(s.A, TVE_TOGGLE);
    EXPECT_EQ("A a2 x B C", s.t.Rows()) << "hidden subtrees are skipped";
    s.t.SetItemHidden(s.a1, FALSE);
    EXPECT_EQ("A a1 a2 x B C", s.t.Rows());
    EXPECT_EQ((std::vector<std::string>{ "expanding a2", "expanded a2", "expanding A", "expanded A", "expanding A",
                                         "expanded A", "expanding A", "expanded A" }),
              s.t.What());
}

TEST(TreeCore, CollapsingAroundTheFocusMovesItToTheItem)
{
    Sample s;
    s.t.Expand(s.A, TVE_EXPAND);
    s.t.Select(s.x, TVGN_CARET);
    s.t.events.clear();
    s.t.Expand(s.a2, TVE_COLLAPSE);
    EXPECT_EQ(s.a2, s.t.GetSelectedItem());
    EXPECT_EQ(std::vector<int>{ 2 }, s.t.GetSelection());
    EXPECT_EQ((std::vector<std::string>{ "expanding a2", "selchanging a2", "selchanged a2", "expanded a2" }), s.t.What());
    // An owner that refuses the selection keeps the item expanded.
    s.t.Expand(s.a2, TVE_EXPAND);
    s.t.Select(s.x, TVGN_CARET);
    s.t.answer = [](const char* what, OZWTreeItemNode*) -> LRESULT { return std::string(what) == "selchanging"; };
    EXPECT_FALSE(s.t.Expand(s.A, TVE_COLLAPSE));
    EXPECT_TRUE(s.t.IsExpanded(s.A));
    EXPECT_EQ(s.x, s.t.GetSelectedItem());
}

TEST(TreeCore, ExpandingNeedsChildrenAndTheOwnersConsent)
{
    Sample s;
    EXPECT_FALSE(s.t.Expand(s.C, TVE_EXPAND));
    EXPECT_TRUE(s.t.events.empty()) << "no children, none reported: nothing said";
    // An owner-supplied children count.
    s.t.SetItem(s.C, TVIF_CHILDREN, nullptr, 0, 0, 0, 0, 0);
    s.t.GetItemState(s.C, 0);
    TVITEMA callback = {};
    callback.mask = TVIF_CHILDREN | TVIF_HANDLE;
    callback.hItem = s.C;
    callback.cChildren = I_CHILDRENCALLBACK;
    s.t.SetItem(&callback);
    s.t.answer = [&](const char* what, OZWTreeItemNode* p) -> LRESULT {
        if (std::string(what) == "children")
            return 1;
        // The owner fills the children as the item expands.
        if (std::string(what) == "expanding" && p->GetFirstChild() == nullptr)
            s.t.InsertItem("c1", s.C);
        return 0;
    };
    EXPECT_TRUE(s.t.Expand(s.C, TVE_EXPAND));
    EXPECT_EQ("A B C c1", s.t.Rows());
    s.t.answer = [](const char* what, OZWTreeItemNode*) -> LRESULT { return std::string(what) == "expanding"; };
    EXPECT_FALSE(s.t.Expand(s.A, TVE_EXPAND)) << "1 cancels";
    EXPECT_FALSE(s.t.IsExpanded(s.A));
}

TEST(TreeCore, CollapseResetDeletesTheChildren)
{
    Sample s;
    s.t.Expand(s.B, TVE_EXPAND);
    s.t.Expand(s.B, TVE_COLLAPSE | TVE_COLLAPSERESET);
    EXPECT_FALSE(s.t.ItemHasChildren(s.B));
    EXPECT_EQ("A B C", s.t.Rows());
}

TEST(TreeCore, GetNextItemCodes)
{
    Sample s;
    s.t.Expand(s.A, TVE_EXPAND);
    s.t.Select(s.a2, TVGN_CARET);
    struct Case
    {
        HTREEITEM item;
        UINT code;
        HTREEITEM want;
    };
    const Case cases[] = {
        { nullptr, TVGN_ROOT, s.A },
        { s.x, TVGN_ROOT, s.A },
        { s.A, TVGN_NEXT, s.B },
        { s.B, TVGN_PREVIOUS, s.A },
        { s.a1, TVGN_PARENT, s.A },
        { s.A, TVGN_PARENT, nullptr },
        { s.A, TVGN_CHILD, s.a1 },
        { nullptr, TVGN_FIRSTVISIBLE, s.A },
        { s.a2, TVGN_NEXTVISIBLE, s.B },
        { s.x, TVGN_NEXTVISIBLE, s.B },
        { s.B, TVGN_PREVIOUSVISIBLE, s.a2 },
        { s.b1, TVGN_PREVIOUSVISIBLE, s.B },
        { nullptr, TVGN_PREVIOUSVISIBLE, nullptr },
        { nullptr, TVGN_CARET, s.a2 },
        { nullptr, OZWTVGN_FIRSTSELECTED, s.a2 },
        { s.A, OZWTVGN_NEXTSELECTED, s.a2 },
        { s.B, OZWTVGN_PREVSELECTED, s.a2 },
        { s.A, 0x33, nullptr },
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.t.Label(c.want), s.t.Label(s.t.GetNextItem(c.item, c.code)))
            << s.t.Label(c.item) << " code " << c.code;
    EXPECT_EQ(7, s.t.GetCount());
    EXPECT_EQ(3, s.t.GetCount(TVI_ROOT, FALSE));
    EXPECT_EQ(5, s.t.GetCount(TVI_ROOT, TRUE, TRUE));
}

TEST(TreeCore, HiddenAndGreyedFlagsAreInherited)
{
    Sample s;
    s.t.Expand(s.A, TVE_EXPAND);
    s.t.Expand(s.a2, TVE_EXPAND);
    s.t.Select(s.x, TVGN_CARET);
    s.t.SetItemHidden(s.a2, TRUE);
    EXPECT_EQ("A a1 B C", s.t.Rows());
    EXPECT_TRUE(s.t.GetSelection().empty() || s.t.NodeOfRow(s.t.GetSelection()[0]) != s.t.NodeOf(s.x));
    OZWTreeItemFlags flags;
    flags.mask = 1;
    flags.flagsMask = OZWTIF_HIDDEN | OZWTIF_GRAYED;
    s.t.GetItemFlags(s.x, &flags);
    EXPECT_EQ((UINT)OZWTIF_HIDDEN, flags.flags);
    s.t.SetItemFlag100(s.A, TRUE);
    s.t.GetItemFlags(s.a1, &flags);
    EXPECT_EQ((UINT)OZWTIF_GRAYED, flags.flags);
    s.t.SetItemHidden(TVI_ROOT, TRUE);
    EXPECT_EQ("A a1 B C", s.t.Rows()) << "the root cannot be hidden";
    EXPECT_FALSE(s.t.EnsureVisible(s.x)) << "a hidden item cannot be shown";
    // The hide-greyed option hides what is greyed.
    s.t.m_bHideFlagged = TRUE;
    s.t.SetItemFlag100(s.B, TRUE);
    EXPECT_EQ("A a1 C", s.t.Rows());
}

TEST(TreeCore, EnsureVisibleExpandsTheAncestors)
{
    Sample s;
    EXPECT_TRUE(s.t.EnsureVisible(s.x));
    EXPECT_EQ("A a1 a2 x B C", s.t.Rows());
    EXPECT_TRUE(s.t.IsExpanded(s.A));
    EXPECT_TRUE(s.t.IsExpanded(s.a2));
}

TEST(TreeCore, MovingAnItem)
{
    Sample s;
    s.t.Expand(s.A, TVE_EXPAND);
    s.t.Expand(s.a2, TVE_EXPAND);
    s.t.Select(s.x, TVGN_CARET);
    EXPECT_FALSE(s.t.MoveItem(s.A, s.x)) << "not into its own subtree";
    EXPECT_FALSE(s.t.MoveItem(s.A, s.A));
    EXPECT_TRUE(s.t.MoveItem(s.a2, s.C));
    EXPECT_EQ("A a1 B C", s.t.Rows()) << "C is collapsed";
    EXPECT_EQ(s.C, s.t.GetParentItem(s.a2));
    EXPECT_EQ(s.C, s.t.GetSelectedItem()) << "the focus item lost its row: the new parent takes it";
    s.t.Expand(s.C, TVE_EXPAND);
    EXPECT_EQ("A a1 B C a2 x", s.t.Rows()) << "the moved item keeps its expansion";
    EXPECT_TRUE(s.t.MoveItem(s.x, TVI_ROOT, TRUE, TVI_FIRST));
    EXPECT_EQ("x A a1 B C a2", s.t.Rows());
}

TEST(TreeCore, DeletingAnItemTellsTheOwnerOfEachLeafFirst)
{
    Sample s;
    s.t.Expand(s.A, TVE_EXPAND);
    s.t.Expand(s.a2, TVE_EXPAND);
    const int nLive = g_liveNodes;
    s.t.events.clear();
    s.t.DeleteItem(s.A);
    EXPECT_EQ((std::vector<std::string>{ "delete a1", "delete x", "delete a2", "delete A" }), s.t.What());
    EXPECT_EQ("B C", s.t.Rows());
    EXPECT_EQ(nLive - 4, g_liveNodes);
}

TEST(TreeCore, DeletingEverythingLeavesNoRowOnAFreedNode)
{
    Sample s;
    s.t.EnsureVisible(s.x);
    s.t.EnsureVisible(s.b1);
    // The owner looks at the tree while it hears of each deletion.
    int nRowsSeen = -1;
    s.t.onDelete = [&](OZWTreeItemNode*) {
        nRowsSeen = std::max(nRowsSeen, s.t.GetItemCount());
        s.t.GetNextItem(nullptr, TVGN_CARET);
        s.t.GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
    };
    s.t.events.clear();
    s.t.DeleteAllItems();
    EXPECT_EQ(0, nRowsSeen) << "the rows went first";
    EXPECT_EQ(7u, s.t.events.size());
    EXPECT_EQ(0, s.t.GetItemCount());
    EXPECT_EQ(nullptr, s.t.GetRootItem());
    // The tree works on with a new root.
    s.t.InsertItem("again");
    EXPECT_EQ("again", s.t.Rows());
}

TEST(TreeCore, StylesMapOntoTheListsStyles)
{
    TestTree t;
    t.SetStyle(TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS | TVS_SHOWSELALWAYS | 0x8000);
    EXPECT_EQ((DWORD)(TVS_HASBUTTONS | TVS_HASLINES), t.m_dwTreeStyle);
    EXPECT_TRUE(t.GetListStyle() & OZWLS_EDITLABELS);
    EXPECT_TRUE(t.GetListStyle() & OZWLS_SHOWSELALWAYS);
    EXPECT_EQ((DWORD)(TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS | TVS_SHOWSELALWAYS), t.GetStyle());
    struct Case
    {
        DWORD ex;
        DWORD listOn, listOff, exOn, exOff;
    };
    const Case cases[] = {
        { 0, OZWLS_SINGLESEL | OZWLS_NOLABELWRAP | OZWLS_NOCOLUMNHEADER | OZWLS_NOSORTHEADER, 0, 0,
          OZWLS_EX_HOVERTIPS | OZWLS_EX_HEADERDRAGDROP },
        { 0x100000 | 0x200000, 0, OZWLS_SINGLESEL | OZWLS_NOLABELWRAP, 0, 0 },
        { 0x400000, OZWLS_NOSORTHEADER, OZWLS_NOCOLUMNHEADER, 0, 0 },
        { 0x400000 | 0x4000000, 0, OZWLS_NOCOLUMNHEADER | OZWLS_NOSORTHEADER, 0, OZWLS_EX_HEADERDRAGDROP },
        { 0x400000 | 0x4000000 | 0x8000000, 0, OZWLS_NOCOLUMNHEADER | OZWLS_NOSORTHEADER, OZWLS_EX_HEADERDRAGDROP, 0 },
        { 0x800000, 0, 0, OZWLS_EX_HOVERTIPS, 0 },
    };
    for (const Case& c : cases) {
        t.SetStyleEx(c.ex, FALSE);
        EXPECT_EQ(c.listOn, t.GetListStyle() & c.listOn) << std::hex << c.ex;
        EXPECT_EQ(0u, t.GetListStyle() & c.listOff) << std::hex << c.ex;
        EXPECT_EQ(c.exOn, t.GetListStyleEx() & c.exOn) << std::hex << c.ex;
        EXPECT_EQ(0u, t.GetListStyleEx() & c.exOff) << std::hex << c.ex;
    }
    t.SetIndent(15);
    EXPECT_EQ(16, t.GetIndent());
    EXPECT_TRUE(t.GetListStyle() & OZWLS_REPORT);
    EXPECT_TRUE(t.GetListStyle() & OZWLS_SHAREIMAGELISTS);
}

TEST(TreeCore, LabelsAndColumnTextsForTheRows)
{
    Sample s;
    s.t.AddColumn("Name");
    s.t.AddColumn("Size");
    s.t.EnableSubItemTextStorage(TRUE);
    EXPECT_TRUE(s.t.SetItemText(s.B, 1, "12 mm"));
    char buffer[32];
    LVITEMA info = {};
    info.mask = LVIF_TEXT;
    info.iItem = s.t.RowOf(s.t.NodeOf(s.B));
    info.iSubItem = 1;
    info.pszText = buffer;
    info.cchTextMax = sizeof buffer;
    EXPECT_TRUE(s.t.FillRowText(&info));
    EXPECT_STREQ("12 mm", buffer);
    info.iSubItem = 0;
    EXPECT_TRUE(s.t.FillRowText(&info));
    EXPECT_STREQ("B", buffer);
    // A label the owner supplies.
    s.t.SetItemText(s.C, LPSTR_TEXTCALLBACKA);
    EXPECT_EQ("owner's", std::string(s.t.GetItemText(s.C)));
    // A column inserted in front keeps the stored texts with their column.
    s.t.InsertColumn(1, "Code");
    EXPECT_EQ("12 mm", std::string(s.t.GetSubItemTextStorage()->GetText(s.B, s.t.GetColumnSubItem(2))));
    s.t.DeleteColumn(1);
    EXPECT_EQ("12 mm", std::string(s.t.GetSubItemTextStorage()->GetText(s.B, s.t.GetColumnSubItem(1))));
    // The split marker cuts a label in two.
    s.t.SetItemText(s.A, "Pipes{HI}and fittings");
    EXPECT_TRUE(s.t.NodeOf(s.A)->m_bSplit);
    EXPECT_EQ("Pipes", std::string(s.t.NodeOf(s.A)->m_strFirstPart));
    EXPECT_EQ("and fittings", std::string(s.t.NodeOf(s.A)->m_strSecondPart));
}

TEST(TreeCore, TenThousandNodesExpandAndCollapse)
{
    TestTree t;
    HTREEITEM hTop = t.InsertItem("top");
    for (int i = 0; i < 100; ++i) {
        HTREEITEM h = t.InsertItem(("group " + std::to_string(i)).c_str(), hTop);
        for (int k = 0; k < 99; ++k)
            t.InsertItem(("leaf " + std::to_string(k)).c_str(), h);
    }
    EXPECT_EQ(1, t.GetItemCount());
    t.ExpandAll(hTop);
    EXPECT_EQ(10001, t.GetItemCount());
    t.Expand(hTop, TVE_COLLAPSE);
    EXPECT_EQ(1, t.GetItemCount());
    t.Expand(hTop, TVE_EXPAND);
    EXPECT_EQ(10001, t.GetItemCount());
    EXPECT_EQ("leaf 98", t.Label(t.NodeOfRow(10000)));
}
