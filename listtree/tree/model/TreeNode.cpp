#include "listtree/tree/model/TreeNode.h"

#include "listtree/list/model/ListRecords.h"

OZWTreeNode* const OZWTreeNode::AddFirst = nullptr;
OZWTreeNode* const OZWTreeNode::AddLast = reinterpret_cast<OZWTreeNode*>(1);
OZWTreeNode* const OZWTreeNode::AddLastToo = reinterpret_cast<OZWTreeNode*>(2);

OZWTreeNode::~OZWTreeNode()
{
    DeleteChildren();
}

WORD OZWTreeNode::GetLevel() const
{
    WORD n = 0;
    for (const OZWTreeNode* p = GetParent(); p != nullptr; p = p->GetParent())
        ++n;
    return n;
}

int OZWTreeNode::GetDepth() const
{
    int n = 0;
    for (const OZWTreeNode* p = m_pParent; p != nullptr; p = p->m_pParent)
        ++n;
    return n;
}

OZWTreeNode* OZWTreeNode::GetLastSibling() const
{
    const OZWTreeNode* p = this;
    while (OZWTreeNode* pNext = p->GetNextSibling())
        p = pNext;
    return const_cast<OZWTreeNode*>(p);
}

OZWTreeNode* OZWTreeNode::GetLastChild() const
{
    OZWTreeNode* pChild = GetFirstChild();
    return pChild != nullptr ? pChild->GetLastSibling() : nullptr;
}

OZWTreeNode* OZWTreeNode::GetLastDescendant() const
{
    const OZWTreeNode* p = this;
    while (OZWTreeNode* pLast = p->GetLastChild())
        p = pLast;
    return const_cast<OZWTreeNode*>(p);
}

OZWTreeNode* OZWTreeNode::GetNextInOrder() const
{
    if (OZWTreeNode* pChild = GetFirstChild())
        return pChild;
    for (const OZWTreeNode* p = this; p != nullptr; p = p->GetParent())
        if (OZWTreeNode* pNext = p->GetNextSibling())
            return pNext;
    return nullptr;
}

OZWTreeNode* OZWTreeNode::GetPrevInOrder() const
{
    if (OZWTreeNode* pPrev = GetPrevSibling())
        return pPrev->GetLastDescendant();
    return GetParent();
}

BOOL OZWTreeNode::IsAncestorOf(const OZWTreeNode* pNode) const
{
    if (pNode == nullptr)
        return FALSE;
    for (const OZWTreeNode* p = pNode->GetParent(); p != nullptr; p = p->GetParent())
        if (p == this)
            return TRUE;
    return FALSE;
}

BOOL OZWTreeNode::AddChild(OZWTreeNode* pNode, OZWTreeNode* pAfter)
{
    pNode->m_pParent = this;
    if (m_pFirstChild == nullptr) {
        pNode->m_pNext = pNode->m_pPrev = nullptr;
        m_pFirstChild = pNode;
        return TRUE;
    }
    if (pAfter == AddFirst) {
        pNode->m_pPrev = nullptr;
        pNode->m_pNext = m_pFirstChild;
        m_pFirstChild->m_pPrev = pNode;
        m_pFirstChild = pNode;
        return TRUE;
    }
    OZWTreeNode* pPrev = nullptr;
    if (pAfter == AddLast || pAfter == AddLastToo) {
        pPrev = m_pFirstChild;
        while (pPrev->m_pNext != nullptr)
            pPrev = pPrev->m_pNext;
    } else {
        for (OZWTreeNode* p = m_pFirstChild; p != nullptr; p = p->m_pNext)
            if (p == pAfter)
                pPrev = p;
        if (pPrev == nullptr)
            return FALSE;
    }
    pNode->m_pPrev = pPrev;
    pNode->m_pNext = pPrev->m_pNext;
    if (pPrev->m_pNext != nullptr)
        pPrev->m_pNext->m_pPrev = pNode;
    pPrev->m_pNext = pNode;
    return TRUE;
}

void OZWTreeNode::Detach()
{
    if (m_pPrev != nullptr)
        m_pPrev->m_pNext = m_pNext;
    else if (m_pParent != nullptr && m_pParent->m_pFirstChild == this)
        m_pParent->m_pFirstChild = m_pNext;
    if (m_pNext != nullptr)
        m_pNext->m_pPrev = m_pPrev;
    m_pParent = nullptr;
}

void OZWTreeNode::DeleteChildren()
{
    while (m_pFirstChild != nullptr) {
        OZWTreeNode* pLeaf = m_pFirstChild;
        while (OZWTreeNode* pChild = pLeaf->GetFirstChild())
            pLeaf = pChild;
        // A left-out level may hide a node's children from the getter: go
        // down the raw links to a real leaf.
        while (pLeaf->m_pFirstChild != nullptr)
            pLeaf = pLeaf->m_pFirstChild;
        pLeaf->Detach();
        delete pLeaf;
    }
}

/////////////////////////////////////////////////////////////////////////////
// OZWTreeNodeX

WORD OZWTreeNodeX::GetSkipLevel() const
{
    const OZWTreeNode* p = this;
    while (p->OZWTreeNode::GetParent() != nullptr)
        p = p->OZWTreeNode::GetParent();
    const auto* pRoot = dynamic_cast<const OZWTreeNodeX*>(p);
    return pRoot != nullptr ? pRoot->m_nSkipLevel : 0;
}

OZWTreeNode* OZWTreeNodeX::GetParent() const
{
    const WORD n = GetSkipLevel();
    if (n == 0 || m_pParent == nullptr)
        return m_pParent;
    if (GetDepth() == n + 1)
        return m_pParent->OZWTreeNode::GetParent();
    return m_pParent;
}

OZWTreeNode* OZWTreeNodeX::GetFirstChild() const
{
    const WORD n = GetSkipLevel();
    if (n == 0 || m_pFirstChild == nullptr)
        return m_pFirstChild;
    if (GetDepth() == n - 1)
        return m_pFirstChild->OZWTreeNode::GetFirstChild();
    return m_pFirstChild;
}

OZWTreeNode* OZWTreeNodeX::GetNextSibling() const
{
    const WORD n = GetSkipLevel();
    if (n == 0 || GetDepth() != n + 1 || m_pNext != nullptr)
        return m_pNext;
    if (m_pParent == nullptr)
        return nullptr;
    // The children of the next node of the left-out level follow on.
    OZWTreeNode* pUncle = m_pParent->OZWTreeNode::GetNextSibling();
    return pUncle != nullptr ? pUncle->OZWTreeNode::GetFirstChild() : nullptr;
}

OZWTreeNode* OZWTreeNodeX::GetPrevSibling() const
{
    const WORD n = GetSkipLevel();
    if (n == 0 || GetDepth() != n + 1 || m_pPrev != nullptr || m_pParent == nullptr)
        return m_pPrev;
    OZWTreeNode* pUncle = m_pParent->OZWTreeNode::GetPrevSibling();
    OZWTreeNode* pLast = pUncle != nullptr ? pUncle->OZWTreeNode::GetFirstChild() : nullptr;
    while (pLast != nullptr && pLast->OZWTreeNode::GetNextSibling() != nullptr)
        pLast = pLast->OZWTreeNode::GetNextSibling();
    return pLast;
}

/////////////////////////////////////////////////////////////////////////////
// OZWTreeItemNode

OZWTreeItemNode::OZWTreeItemNode()
{
    m_item.iImage = NoImage;
    m_item.iSelectedImage = NoImage;
}

OZWTreeItemNode::~OZWTreeItemNode()
{
    // The children go first (with the node's text still there for them).
    DeleteChildren();
    ozwlist::FreeText(m_item.pszText);
}

void OZWTreeItemNode::SetExpanded(BOOL bExpanded)
{
    if (bExpanded)
        m_item.state |= TVIS_EXPANDED;
    else
        m_item.state &= ~(UINT)TVIS_EXPANDED;
}
