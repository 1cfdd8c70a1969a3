// The nodes of the tree: OZWTreeNode links a node to its parent, siblings
// and first child; OZWTreeNodeX can present the tree with one level left
// out; OZWTreeItemNode is the item of the tree control, with its item
// description (the platform's TVITEM), label parts and flags. A node is
// owned by its parent and deletes its descendants with it. No windows here.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/String.h"
#include <commctrl.h>

class OZWTreeNode
{
public:
    OZWTreeNode() = default;
    // Deletes every descendant (DeleteChildren), then the node.
    virtual ~OZWTreeNode();
    OZWTreeNode(const OZWTreeNode&) = delete;
    OZWTreeNode& operator=(const OZWTreeNode&) = delete;

    virtual OZWTreeNode* GetParent() const { return m_pParent; }
    virtual OZWTreeNode* GetNextSibling() const { return m_pNext; }
    virtual OZWTreeNode* GetPrevSibling() const { return m_pPrev; }
    virtual OZWTreeNode* GetFirstChild() const { return m_pFirstChild; }
    virtual OZWTreeNode* SetParent(OZWTreeNode* p) { return m_pParent = p; }
    virtual OZWTreeNode* SetNextSibling(OZWTreeNode* p) { return m_pNext = p; }
    virtual OZWTreeNode* SetPrevSibling(OZWTreeNode* p) { return m_pPrev = p; }
    virtual OZWTreeNode* SetFirstChild(OZWTreeNode* p) { return m_pFirstChild = p; }
    virtual int ReservedHook(DWORD, DWORD) { return 0; }
    virtual BOOL IsExpanded() const { return FALSE; }
    virtual void SetExpanded(BOOL) {}

    // Insert positions of AddChild besides a child to insert after.
    static OZWTreeNode* const AddFirst;
    static OZWTreeNode* const AddLast;
    static OZWTreeNode* const AddLastToo;

    // GetParent steps to the top (the left-out level is not counted).
    WORD GetLevel() const;
    // Raw parent links to the top.
    int GetDepth() const;
    OZWTreeNode* GetLastSibling() const;
    OZWTreeNode* GetLastChild() const;
    OZWTreeNode* GetLastDescendant() const;
    OZWTreeNode* GetNextInOrder() const;
    OZWTreeNode* GetPrevInOrder() const;
    // Whether this node is met walking up from pNode (pNode itself not counted).
    BOOL IsAncestorOf(const OZWTreeNode* pNode) const;
    // Links pNode as a child: first (AddFirst), last (AddLast, AddLastToo)
    // or right after the child pAfter. FALSE when pAfter is not a child;
    // the child list is then unchanged.
    BOOL AddChild(OZWTreeNode* pNode, OZWTreeNode* pAfter);
    // Unlinks the node from its parent and siblings.
    void Detach();
    // Deletes the descendants, leaves first.
    void DeleteChildren();

protected:
    OZWTreeNode* m_pParent = nullptr;
    OZWTreeNode* m_pNext = nullptr;
    OZWTreeNode* m_pPrev = nullptr;
    OZWTreeNode* m_pFirstChild = nullptr;
};

// A node whose tree can leave out one level: with a skipped level N > 0
// (held by the root), the nodes at depth N are hidden from the getters and
// their children stand in their place.
class OZWTreeNodeX : public OZWTreeNode
{
public:
    OZWTreeNode* GetParent() const override;
    OZWTreeNode* GetNextSibling() const override;
    OZWTreeNode* GetPrevSibling() const override;
    OZWTreeNode* GetFirstChild() const override;

    // The skipped level of the node's tree (the root's value).
    WORD GetSkipLevel() const;
    void SetSkipLevel(WORD n) { m_nSkipLevel = n; }

protected:
    WORD m_nSkipLevel = 0;
};

// Inherited item flags of a tree item.
enum : UINT
{
    OZWTIF_GRAYED = 0x100, // drawn greyed
    OZWTIF_HIDDEN = 0x200, // not shown (with its subtree)
};

// The item of the tree control. Its handle (HTREEITEM) is its address.
class OZWTreeItemNode : public OZWTreeNodeX
{
public:
    OZWTreeItemNode();
    ~OZWTreeItemNode() override;

    BOOL IsExpanded() const override { return (m_item.state & TVIS_EXPANDED) != 0; }
    void SetExpanded(BOOL bExpanded) override;
    virtual int ReservedHook2(DWORD, DWORD) { return 0; }

    HTREEITEM GetHandle() const { return reinterpret_cast<HTREEITEM>(const_cast<OZWTreeItemNode*>(this)); }
    OZWTreeItemNode* Parent() const { return static_cast<OZWTreeItemNode*>(GetParent()); }
    OZWTreeItemNode* FirstChild() const { return static_cast<OZWTreeItemNode*>(GetFirstChild()); }
    OZWTreeItemNode* NextSibling() const { return static_cast<OZWTreeItemNode*>(GetNextSibling()); }
    OZWTreeItemNode* PrevSibling() const { return static_cast<OZWTreeItemNode*>(GetPrevSibling()); }

    // The "no image" value of the image fields.
    enum { NoImage = -12 };

    TVITEMA m_item = {};       // text owned, the callback marker or null
    BOOL m_bSplit = FALSE;     // the label holds the split marker
    CString m_strFirstPart;    // the label before the marker
    CString m_strSecondPart;   // the label after it
    int m_nFirstPartWidth = 0;
    UINT m_nItemFlags = 0;     // OZWTIF_ bits
    COLORREF m_crItem = 0;     // 0: none
};
