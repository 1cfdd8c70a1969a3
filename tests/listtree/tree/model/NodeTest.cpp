// The tree's node links, the tree with a level left out, walks in order,
// deleting leaves first, and the store of column texts.
#include "listtree/tree/model/SubItemTextStorage.h"
#include "listtree/tree/model/TreeNode.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A node with a name that records its deletion.
std::vector<std::string> g_deleted;

class NamedNode : public OZWTreeNodeX
{
public:
    explicit NamedNode(std::string name) : m_name(std::move(name)) {}
    ~NamedNode() override
    {
        DeleteChildren();
        g_deleted.push_back(m_name);
    }
    std::string m_name;
};

std::string Name(const OZWTreeNode* p)
{
    return p != nullptr ? static_cast<const NamedNode*>(p)->m_name : "-";
}

std::string Children(const OZWTreeNode* p)
{
    std::string s;
    for (const OZWTreeNode* c = p->GetFirstChild(); c != nullptr; c = c->GetNextSibling())
        s += Name(c);
    return s;
}

// root
//   A: a1 a2
//   B: b1
//   C
struct SmallTree
{
    NamedNode* root = new NamedNode("R");
    NamedNode *A = new NamedNode("A"), *B = new NamedNode("B"), *C = new NamedNode("C");
    NamedNode *a1 = new NamedNode("1"), *a2 = new NamedNode("2"), *b1 = new NamedNode("3");
    SmallTree()
    {
        root->AddChild(A, OZWTreeNode::AddLast);
        root->AddChild(B, OZWTreeNode::AddLast);
        root->AddChild(C, OZWTreeNode::AddLast);
        A->AddChild(a1, OZWTreeNode::AddLast);
        A->AddChild(a2, OZWTreeNode::AddLast);
        B->AddChild(b1, OZWTreeNode::AddLast);
    }
    ~SmallTree() { delete root; }
};

} // namespace

TEST(TreeNode, AddChildPositions)
{
    struct Case
    {
        const char* name;
        int after; // -1 AddFirst, -2 AddLast, -3 AddLastToo, else index of the child
        std::string want;
        bool ok;
    };
    const Case cases[] = {
        { "first", -1, "xABC", true },
        { "last", -2, "ABCx", true },
        { "last, the other code", -3, "ABCx", true },
        { "after A", 0, "AxBC", true },
        { "after the last child", 2, "ABCx", true },
    };
    for (const Case& c : cases) {
        SmallTree t;
        auto* x = new NamedNode("x");
        OZWTreeNode* kids[] = { t.A, t.B, t.C };
        OZWTreeNode* after = c.after == -1 ? OZWTreeNode::AddFirst
                             : c.after == -2 ? OZWTreeNode::AddLast
                             : c.after == -3 ? OZWTreeNode::AddLastToo
                                             : kids[c.after];
        EXPECT_EQ(c.ok, (bool)t.root->AddChild(x, after)) << c.name;
        EXPECT_EQ(c.want, Children(t.root)) << c.name;
        EXPECT_EQ(t.root, x->GetParent()) << c.name;
        // The links run both ways.
        std::string back;
        for (const OZWTreeNode* p = t.root->GetLastChild(); p != nullptr; p = p->GetPrevSibling())
            back = Name(p) + back;
        EXPECT_EQ(c.want, back) << c.name;
    }
    SmallTree t;
    auto* stray = new NamedNode("s");
    EXPECT_FALSE(t.root->AddChild(stray, t.a1)) << "a1 is no child of the root";
    EXPECT_EQ("ABC", Children(t.root));
    delete stray;
    // Into an empty child list the position does not matter.
    auto* only = new NamedNode("o");
    EXPECT_TRUE(t.C->AddChild(only, t.A));
    EXPECT_EQ("o", Children(t.C));
}

TEST(TreeNode, WalksInOrderAndAncestry)
{
    SmallTree t;
    std::string forward;
    for (const OZWTreeNode* p = t.root; p != nullptr; p = p->GetNextInOrder())
        forward += Name(p);
    EXPECT_EQ("RA12B3C", forward);
    std::string backward;
    for (const OZWTreeNode* p = t.C; p != nullptr; p = p->GetPrevInOrder())
        backward += Name(p);
    EXPECT_EQ("C3B21AR", backward);
    EXPECT_EQ(2, t.a2->GetLevel());
    EXPECT_EQ(2, t.a2->GetDepth());
    EXPECT_EQ(t.a2, t.A->GetLastChild());
    EXPECT_EQ(t.C, t.root->GetLastDescendant());
    EXPECT_EQ(t.a2, t.A->GetLastDescendant());
    EXPECT_TRUE(t.root->IsAncestorOf(t.a1));
    EXPECT_TRUE(t.A->IsAncestorOf(t.a1));
    EXPECT_FALSE(t.a1->IsAncestorOf(t.a1)) << "a node is not its own ancestor";
    EXPECT_FALSE(t.B->IsAncestorOf(t.a1));
    EXPECT_FALSE(t.A->IsAncestorOf(nullptr));
}

TEST(TreeNode, DetachJoinsTheNeighbours)
{
    SmallTree t;
    t.A->Detach();
    EXPECT_EQ("BC", Children(t.root));
    EXPECT_EQ(nullptr, t.A->GetParent());
    t.C->Detach();
    EXPECT_EQ("B", Children(t.root));
    t.root->AddChild(t.A, OZWTreeNode::AddFirst);
    t.root->AddChild(t.C, OZWTreeNode::AddLast);
    EXPECT_EQ("ABC", Children(t.root));
}

TEST(TreeNode, DeletingDeletesLeavesFirst)
{
    g_deleted.clear();
    {
        SmallTree t;
        t.A->DeleteChildren();
        EXPECT_EQ((std::vector<std::string>{ "1", "2" }), g_deleted);
        EXPECT_EQ(nullptr, t.A->GetFirstChild());
        g_deleted.clear();
    }
    EXPECT_EQ((std::vector<std::string>{ "A", "3", "B", "C", "R" }), g_deleted);
}

TEST(TreeNode, ALevelLeftOut)
{
    SmallTree t;
    t.root->SetSkipLevel(1);
    EXPECT_EQ(1, t.b1->GetSkipLevel());
    EXPECT_EQ(t.a1, t.root->GetFirstChild()) << "the first grandchild stands for the first child";
    EXPECT_EQ(t.root, t.a1->GetParent());
    EXPECT_EQ(t.root, t.b1->GetParent());
    std::string siblings;
    for (const OZWTreeNode* p = t.root->GetFirstChild(); p != nullptr; p = p->GetNextSibling())
        siblings += Name(p);
    EXPECT_EQ("123", siblings) << "across the children of A and then of B";
    EXPECT_EQ(t.a2, t.b1->GetPrevSibling());
    EXPECT_EQ(nullptr, t.a1->GetPrevSibling());
    EXPECT_EQ(1, t.b1->GetLevel());
    EXPECT_EQ(2, t.b1->GetDepth());
    // Deleting still reaches every node.
    g_deleted.clear();
    t.root->DeleteChildren();
    EXPECT_EQ(6u, g_deleted.size());
}

TEST(TreeItemNode, StartsWithoutImagesAndKeepsItsExpandedBit)
{
    OZWTreeItemNode node;
    EXPECT_EQ(OZWTreeItemNode::NoImage, node.m_item.iImage);
    EXPECT_EQ(OZWTreeItemNode::NoImage, node.m_item.iSelectedImage);
    EXPECT_FALSE(node.IsExpanded());
    node.SetExpanded(TRUE);
    EXPECT_EQ((UINT)TVIS_EXPANDED, node.m_item.state);
    node.SetExpanded(FALSE);
    EXPECT_EQ(0u, node.m_item.state);
    EXPECT_EQ(node.GetHandle(), (HTREEITEM)&node);
}

TEST(SubItemTextStorage, TextsByColumn)
{
    OZWSubItemTextStorage store;
    const HTREEITEM h = (HTREEITEM)0x1000, other = (HTREEITEM)0x2000;
    EXPECT_TRUE(store.SetText(h, 1, "A"));
    EXPECT_TRUE(store.SetText(h, 2, "B"));
    char buffer[16] = "junk";
    EXPECT_FALSE(store.GetText(h, 3, buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_FALSE(store.GetText(other, 1, buffer, sizeof buffer));
    EXPECT_TRUE(store.GetText(h, 2, buffer, sizeof buffer));
    EXPECT_STREQ("B", buffer);
    store.SetText(h, 3, "C");
    EXPECT_TRUE(store.MoveColumn(h, 1, 3));
    EXPECT_EQ("B", std::string(store.GetText(h, 1)));
    EXPECT_EQ("C", std::string(store.GetText(h, 2)));
    EXPECT_EQ("A", std::string(store.GetText(h, 3)));
    EXPECT_FALSE(store.MoveColumn(other, 1, 2));
    EXPECT_TRUE(store.InsertColumn(2));
    EXPECT_EQ("B", std::string(store.GetText(h, 1)));
    EXPECT_EQ("", std::string(store.GetText(h, 2)));
    EXPECT_EQ("C", std::string(store.GetText(h, 3)));
    EXPECT_TRUE(store.RemoveColumn(2));
    EXPECT_EQ("C", std::string(store.GetText(h, 2)));
    EXPECT_TRUE(store.Remove(h));
    EXPECT_FALSE(store.Remove(h));
    EXPECT_TRUE(OZWSubItemTextStorage().InsertColumn(1)) << "also when empty";
}

TEST(SubItemTextStorage, CopiesStayInTheBuffer)
{
    OZWSubItemTextStorage store;
    const HTREEITEM h = (HTREEITEM)0x1000;
    store.SetText(h, 1, "Düsenträger");
    char buffer[5];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(store.GetText(h, 1, buffer, 4));
    EXPECT_STREQ("D\xc3\xbc", buffer) << "whole characters, terminated";
    EXPECT_EQ('x', buffer[4]);
}
