#include "listtree/tree/model/TreeCore.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

// The marker that splits a label into a single-line part and a wrapped part.
const char kSplitMarker[] = "{HI}";

} // namespace

OZWTreeCore::OZWTreeCore(OZWListModel* pRows) : m_pRows(pRows)
{
    // A tree is a report list whose image lists belong to its owner.
    m_pRows->m_dwListStyle |= OZWLS_REPORT | OZWLS_SHAREIMAGELISTS;
    MakeRoot();
}

OZWTreeCore::~OZWTreeCore()
{
    delete m_pStore;
    delete m_pRoot;
}

OZWTreeItemNode* OZWTreeCore::NewNode()
{
    return new OZWTreeItemNode;
}

void OZWTreeCore::MakeRoot()
{
    m_pRoot = NewNode();
    m_pRoot->m_item.hItem = HandleOf(m_pRoot);
    m_pRoot->SetExpanded(TRUE);
}

OZWTreeItemNode* OZWTreeCore::NodeOf(HTREEITEM hItem) const
{
    if (hItem == nullptr || hItem == TVI_ROOT)
        return m_pRoot;
    return reinterpret_cast<OZWTreeItemNode*>(hItem);
}

OZWTreeItemNode* OZWTreeCore::NodeOfRow(int nRow) const
{
    auto* pRow = static_cast<OZWTreeRowItem*>(m_pRows->GetItemRecord(nRow));
    return pRow != nullptr ? pRow->m_pNode : nullptr;
}

int OZWTreeCore::RowOf(const OZWTreeItemNode* pNode)
{
    if (pNode == nullptr || pNode == m_pRoot)
        return -1;
    // Expanding, painting and notifying ask for consecutive rows.
    for (int nRow : { m_nRowCache, m_nRowCache + 1 })
        if (NodeOfRow(nRow) == pNode)
            return m_nRowCache = nRow;
    const int nCount = m_pRows->GetItemCount();
    for (int nRow = 0; nRow < nCount; ++nRow)
        if (NodeOfRow(nRow) == pNode)
            return m_nRowCache = nRow;
    return -1;
}

BOOL OZWTreeCore::IsNodeVisible(const OZWTreeItemNode* pNode) const
{
    for (const OZWTreeItemNode* p = pNode; p != m_pRoot; p = p->Parent()) {
        if (p == nullptr || (p->m_nItemFlags & OZWTIF_HIDDEN))
            return FALSE;
        const OZWTreeItemNode* pParent = p->Parent();
        if (pParent == nullptr || !pParent->IsExpanded())
            return FALSE;
    }
    return TRUE;
}

BOOL OZWTreeCore::HasInheritedFlag(const OZWTreeItemNode* pNode, UINT nFlag) const
{
    for (const OZWTreeItemNode* p = pNode; p != nullptr && p != m_pRoot; p = p->Parent())
        if (p->m_nItemFlags & nFlag)
            return TRUE;
    return FALSE;
}

BOOL OZWTreeCore::HasVisibleChild(const OZWTreeItemNode* pNode) const
{
    for (const OZWTreeItemNode* p = pNode->FirstChild(); p != nullptr; p = p->NextSibling())
        if (!(p->m_nItemFlags & OZWTIF_HIDDEN))
            return TRUE;
    return FALSE;
}

int OZWTreeCore::ChildrenCount(OZWTreeItemNode* pNode)
{
    if (pNode->m_item.cChildren != I_CHILDRENCALLBACK)
        return pNode->m_item.cChildren;
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = HandleOf(pNode);
    item.lParam = pNode->m_item.lParam;
    item.cChildren = I_CHILDRENCALLBACK;
    NotifyTreeGetDispInfo(&item);
    return item.cChildren;
}

/////////////////////////////////////////////////////////////////////////////
// Item descriptions

UINT OZWTreeCore::SetNodeItem(OZWTreeItemNode* pNode, const TVITEMA* pItem)
{
    TVITEMA& node = pNode->m_item;
    const UINT nMask = pItem->mask;
    UINT nReport = 0, nChanged = 0;
    if (nMask & TVIF_CHILDREN) {
        if (node.cChildren == I_CHILDRENCALLBACK)
            nReport |= TVIF_CHILDREN;
        else
            node.cChildren = pItem->cChildren;
    }
    if (nMask & TVIF_IMAGE) {
        if (node.iImage == -1)
            nReport |= TVIF_IMAGE;
        else if (node.iImage != pItem->iImage) {
            node.iImage = pItem->iImage;
            nChanged |= TVIF_IMAGE;
        }
    }
    if (nMask & TVIF_SELECTEDIMAGE) {
        if (node.iSelectedImage == -1)
            nReport |= TVIF_SELECTEDIMAGE;
        else if (node.iSelectedImage != pItem->iSelectedImage) {
            node.iSelectedImage = pItem->iSelectedImage;
            nChanged |= TVIF_SELECTEDIMAGE;
        }
    }
    if (nMask & TVIF_PARAM)
        node.lParam = pItem->lParam;
    if (nMask & TVIF_STATE) {
        const UINT nState = (node.state & ~pItem->stateMask) | (pItem->state & pItem->stateMask);
        if (nState != node.state) {
            node.state = nState;
            nChanged |= TVIF_STATE;
        }
    }
    if (nMask & TVIF_TEXT) {
        if (ozwlist::IsCallback(pItem->pszText))
            ozwlist::StoreText(node.pszText, LPSTR_TEXTCALLBACKA);
        if (ozwlist::IsCallback(node.pszText)) {
            nReport |= TVIF_TEXT;
        } else {
            ozwlist::StoreText(node.pszText, pItem->pszText);
            // A label with the marker is drawn as a single-line part and a
            // wrapped part.
            const char* psz = node.pszText != nullptr ? node.pszText : "";
            const char* pMark = std::strstr(psz, kSplitMarker);
            pNode->m_bSplit = pMark != nullptr;
            pNode->m_strFirstPart = pMark != nullptr ? CString(psz, (int)(pMark - psz)) : CString();
            pNode->m_strSecondPart = pMark != nullptr ? CString(pMark + sizeof(kSplitMarker) - 1) : CString();
        }
        nChanged |= TVIF_TEXT;
    }
    if (nReport != 0) {
        TVITEMA copy = *pItem;
        copy.mask = nReport;
        copy.hItem = HandleOf(pNode);
        NotifyTreeSetDispInfo(&copy);
    }
    return nChanged;
}

BOOL OZWTreeCore::SetItem(TVITEMA* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    OZWTreeItemNode* pNode = NodeOf(pItem->hItem);
    if (pNode == m_pRoot)
        return FALSE;
    const UINT nOldState = pNode->m_item.state;
    const UINT nChanged = SetNodeItem(pNode, pItem);
    // The row shows the state and image too.
    UINT nStateBits = 0;
    if (nChanged & TVIF_STATE) {
        const UINT nDiff = nOldState ^ pNode->m_item.state;
        nStateBits = nDiff & (TVIS_SELECTED | TVIS_CUT | TVIS_DROPHILITED | TVIS_STATEIMAGEMASK);
        if (nDiff & TVIS_OVERLAYMASK)
            nStateBits |= TVIS_OVERLAYMASK;
    }
    const int nRow = RowOf(pNode);
    if (nRow >= 0) {
        if (nStateBits != 0)
            MirrorStateToRow(pNode, nStateBits);
        if (nChanged & (TVIF_IMAGE | TVIF_SELECTEDIMAGE))
            m_pRows->GetItemRecord(nRow)->m_nImage = pNode->m_item.iImage;
        // A new label, or a bold one, takes other room.
        if ((nChanged & TVIF_TEXT) || ((nChanged & TVIF_STATE) && ((nOldState ^ pNode->m_item.state) & TVIS_BOLD)))
            m_pRows->GetItemRecord(nRow)->m_bNeedsMeasure = TRUE;
        if ((nChanged & (TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_TEXT)) ||
            (nStateBits & (TVIS_OVERLAYMASK | TVIS_DROPHILITED | TVIS_STATEIMAGEMASK)) ||
            ((nChanged & TVIF_STATE) && ((nOldState ^ pNode->m_item.state) & TVIS_BOLD))) {
            if (nRow != m_pRows->m_nEditItem)
                m_pRows->RedrawItem(nRow, FALSE, FALSE, FALSE, (nStateBits & TVIS_DROPHILITED) != 0);
        }
    }
    return TRUE;
}

void OZWTreeCore::MirrorStateToRow(OZWTreeItemNode* pNode, UINT nStateMask)
{
    const int nRow = RowOf(pNode);
    if (nRow < 0)
        return;
    LVITEMA info = {};
    info.mask = LVIF_STATE;
    info.iItem = nRow;
    info.stateMask = nStateMask;
    info.state = pNode->m_item.state & nStateMask;
    m_pRows->SetItem(&info, FALSE);
}

BOOL OZWTreeCore::SetItem(HTREEITEM hItem, UINT nMask, LPCSTR lpszText, int nImage, int nSelectedImage, UINT nState,
                          UINT nStateMask, LPARAM lParam)
{
    TVITEMA item = {};
    item.mask = nMask | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL OZWTreeCore::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0, 0);
}

BOOL OZWTreeCore::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}

BOOL OZWTreeCore::SetItemData(HTREEITEM hItem, LPARAM lParam)
{
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, lParam);
}

BOOL OZWTreeCore::SetItemText(HTREEITEM hItem, LPCSTR lpszText)
{
    return SetItem(hItem, TVIF_TEXT, lpszText, 0, 0, 0, 0, 0);
}

BOOL OZWTreeCore::SetItemText(HTREEITEM hItem, int nColumn, LPCSTR lpszText)
{
    if (nColumn == 0)
        return SetItemText(hItem, lpszText);
    OZWTreeItemNode* pNode = NodeOf(hItem);
    if (pNode == m_pRoot || nColumn < 0)
        return FALSE;
    const int nRow = RowOf(pNode);
    if (m_pStore != nullptr) {
        if (nColumn >= m_pRows->GetColumnCount())
            return FALSE;
        const int nSubItem = m_pRows->GetColumnSubItem(nColumn);
        m_pStore->SetText(hItem, nSubItem, lpszText);
        if (nRow >= 0) {
            m_pRows->GetItemRecord(nRow)->m_bNeedsMeasure = TRUE;
            m_pRows->RedrawItem(nRow);
        }
        return TRUE;
    }
    if (nRow < 0)
        return FALSE;
    return m_pRows->SetItem(nRow, m_pRows->GetColumnSubItem(nColumn), LVIF_TEXT | OZWLIF_STOREALWAYS, lpszText, 0,
                            0, 0, 0);
}

BOOL OZWTreeCore::GetItem(TVITEMA* pItem, BOOL bCopyText, BOOL bNotify)
{
    if (pItem == nullptr)
        return FALSE;
    OZWTreeItemNode* pNode = NodeOf(pItem->hItem);
    const TVITEMA& node = pNode->m_item;
    const UINT nMask = pItem->mask;
    UINT nReport = 0;
    if (nMask & TVIF_CHILDREN) {
        pItem->cChildren = node.cChildren;
        if (node.cChildren == I_CHILDRENCALLBACK)
            nReport |= TVIF_CHILDREN;
    }
    if (nMask & TVIF_IMAGE) {
        pItem->iImage = node.iImage;
        if (node.iImage == -1)
            nReport |= TVIF_IMAGE;
    }
    if (nMask & TVIF_SELECTEDIMAGE) {
        pItem->iSelectedImage = node.iSelectedImage;
        if (node.iSelectedImage == -1)
            nReport |= TVIF_SELECTEDIMAGE;
    }
    if (nMask & TVIF_PARAM)
        pItem->lParam = node.lParam;
    if (nMask & TVIF_STATE)
        pItem->state = node.state & pItem->stateMask;
    if (nMask & TVIF_TEXT) {
        if (ozwlist::IsCallback(node.pszText)) {
            nReport |= TVIF_TEXT;
            if (!bNotify)
                pItem->pszText = LPSTR_TEXTCALLBACKA;
            else if (ozwlist::IsOwned(pItem->pszText) && pItem->cchTextMax > 0)
                pItem->pszText[0] = '\0';
        } else if (bCopyText) {
            ozwlist::CopyText(pItem->pszText, pItem->cchTextMax, node.pszText != nullptr ? node.pszText : "");
        } else {
            pItem->pszText = node.pszText;
        }
    }
    if (bNotify && nReport != 0) {
        pItem->lParam = node.lParam;
        pItem->mask = nReport;
        pItem->hItem = HandleOf(pNode);
        NotifyTreeGetDispInfo(pItem);
    }
    return TRUE;
}

CString OZWTreeCore::GetItemText(HTREEITEM hItem)
{
    char buffer[OZWLIST_TEXTBUFFER] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    GetItem(&item, TRUE, TRUE);
    if (item.pszText != buffer)
        return CString(ozwlist::IsOwned(item.pszText) ? item.pszText : "");
    buffer[sizeof buffer - 1] = '\0';
    return CString(buffer);
}

LPARAM OZWTreeCore::GetItemData(HTREEITEM hItem)
{
    return NodeOf(hItem)->m_item.lParam;
}

UINT OZWTreeCore::GetItemState(HTREEITEM hItem, UINT nStateMask)
{
    return NodeOf(hItem)->m_item.state & nStateMask;
}

BOOL OZWTreeCore::GetItemFlags(HTREEITEM hItem, OZWTreeItemFlags* pFlags, BOOL bNotify)
{
    if (pFlags == nullptr)
        return FALSE;
    if (m_pRows->m_dwStateHook != 0) {
        if (bNotify)
            OnGetItemFlags(pFlags);
        return TRUE;
    }
    if (pFlags->mask & 1) {
        const OZWTreeItemNode* pNode = NodeOf(hItem);
        UINT nFlags = 0;
        for (UINT nFlag : { (UINT)OZWTIF_GRAYED, (UINT)OZWTIF_HIDDEN })
            if ((pFlags->flagsMask & nFlag) && HasInheritedFlag(pNode, nFlag))
                nFlags |= nFlag;
        pFlags->flags = nFlags;
    }
    return TRUE;
}

void OZWTreeCore::SetItemFlags(HTREEITEM hItem, OZWTreeItemFlags* pFlags)
{
    if (pFlags == nullptr || !(pFlags->mask & 1))
        return;
    OZWTreeItemNode* pNode = NodeOf(hItem);
    const UINT nMask = pFlags->flagsMask & (OZWTIF_GRAYED | OZWTIF_HIDDEN);
    pNode->m_nItemFlags = (pNode->m_nItemFlags & ~nMask) | (pFlags->flags & nMask);
    const int nRow = RowOf(pNode);
    if (nRow >= 0)
        m_pRows->SetItemState(nRow, pFlags->flags & nMask, nMask);
}

int OZWTreeCore::CompareItems(HTREEITEM hItem1, HTREEITEM hItem2)
{
    return GetItemText(hItem1).CompareNoCase(GetItemText(hItem2));
}

/////////////////////////////////////////////////////////////////////////////
// Inserting

OZWTreeNode* OZWTreeCore::ResolvePosition(OZWTreeItemNode* pParent, OZWTreeItemNode* pNode, HTREEITEM hInsertAfter)
{
    if (hInsertAfter == nullptr || hInsertAfter == TVI_ROOT || hInsertAfter == TVI_LAST)
        return OZWTreeNode::AddLast;
    if (hInsertAfter == TVI_FIRST)
        return OZWTreeNode::AddFirst;
    if (hInsertAfter == TVI_SORT || hInsertAfter == OZWTVI_SORTDESCENDING) {
        const BOOL bDescending = hInsertAfter == OZWTVI_SORTDESCENDING;
        for (OZWTreeItemNode* pChild = pParent->FirstChild(); pChild != nullptr; pChild = pChild->NextSibling()) {
            if (pChild == pNode)
                continue;
            const int nOrder = CompareItems(HandleOf(pChild), HandleOf(pNode));
            if (bDescending ? nOrder < 0 : nOrder > 0) {
                OZWTreeItemNode* pPrev = pChild->PrevSibling();
                return pPrev != nullptr ? pPrev : OZWTreeNode::AddFirst;
            }
        }
        return OZWTreeNode::AddLast;
    }
    if (pParent->GetFirstChild() == nullptr)
        return OZWTreeNode::AddLast;
    return reinterpret_cast<OZWTreeItemNode*>(hInsertAfter);
}

int OZWTreeCore::CountDescendantRows(int nRow, const OZWTreeItemNode* pNode)
{
    const int nCount = m_pRows->GetItemCount();
    int n = 0;
    for (int r = nRow + 1; r < nCount && pNode->IsAncestorOf(NodeOfRow(r)); ++r)
        ++n;
    return n;
}

int OZWTreeCore::RowForNewNode(OZWTreeItemNode* pNode)
{
    if (!IsNodeVisible(pNode))
        return -1;
    OZWTreeItemNode* pPrev = pNode->PrevSibling();
    while (pPrev != nullptr && (pPrev->m_nItemFlags & OZWTIF_HIDDEN))
        pPrev = pPrev->PrevSibling();
    if (pPrev != nullptr) {
        const int nRow = RowOf(pPrev);
        if (nRow >= 0)
            return nRow + 1 + CountDescendantRows(nRow, pPrev);
    }
    OZWTreeItemNode* pParent = pNode->Parent();
    if (pParent == nullptr || pParent == m_pRoot)
        return 0;
    const int nParentRow = RowOf(pParent);
    return nParentRow < 0 ? -1 : nParentRow + 1;
}

HTREEITEM OZWTreeCore::InsertItem(const TVINSERTSTRUCTA* pInsert)
{
    if (pInsert == nullptr)
        return nullptr;
    if (m_pRoot == nullptr)
        MakeRoot();
    OZWTreeItemNode* pParent = NodeOf(pInsert->hParent);
    // A sibling to insert after must be a child of the parent: checked before
    // anything is made or reported.
    const HTREEITEM hAfter = pInsert->hInsertAfter;
    const BOOL bSpecial = hAfter == nullptr || hAfter == TVI_ROOT || hAfter == TVI_LAST || hAfter == TVI_FIRST ||
                          hAfter == TVI_SORT || hAfter == OZWTVI_SORTDESCENDING;
    if (!bSpecial && pParent->GetFirstChild() != nullptr && NodeOf(hAfter)->Parent() != pParent)
        return nullptr;
    OZWTreeItemNode* pNode = NewNode();
    pNode->m_item.hItem = HandleOf(pNode);
    TVITEMA item = pInsert->item;
    item.mask |= TVIF_HANDLE;
    item.hItem = HandleOf(pNode);
    SetNodeItem(pNode, &item);
    const BOOL bExpanded = (item.mask & TVIF_STATE) && (item.stateMask & TVIS_EXPANDED) && (item.state & TVIS_EXPANDED);
    pNode->SetExpanded(bExpanded);
    if (!pParent->AddChild(pNode, ResolvePosition(pParent, pNode, hAfter))) {
        delete pNode;
        return nullptr;
    }
    const int nRow = RowForNewNode(pNode);
    if (nRow >= 0) {
        std::vector<OZWListItem*> rows{ new OZWTreeRowItem(pNode) };
        if (bExpanded)
            CollectVisibleDescendants(pNode, rows);
        m_pRows->InsertItemRecords(nRow, rows);
        m_nRowCache = nRow;
    }
    if (m_pRows->m_bAutoUpdate) {
        m_pRows->RecalcLayout();
        m_pRows->InvalidateList();
    }
    return HandleOf(pNode);
}

HTREEITEM OZWTreeCore::InsertItem(UINT nMask, LPCSTR lpszText, int nImage, int nSelectedImage, UINT nState,
                                  UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = const_cast<LPSTR>(lpszText);
    if (lpszText != nullptr && !ozwlist::IsCallback(lpszText))
        insert.item.cchTextMax = (int)std::strlen(lpszText) + 1;
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

HTREEITEM OZWTreeCore::InsertItem(LPCSTR lpszText, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszText, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM OZWTreeCore::InsertItem(LPCSTR lpszText, int nImage, int nSelectedImage, HTREEITEM hParent,
                                  HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszText, nImage, nSelectedImage, 0, 0, 0, hParent,
                      hInsertAfter);
}

void OZWTreeCore::InsertItems(TVITEMA** ppItems, int nCount, HTREEITEM hParent, BOOL bRedraw)
{
    if (ppItems == nullptr || nCount < 1)
        return;
    OZWTreeItemNode* pParent = NodeOf(hParent);
    std::vector<OZWListItem*> rows;
    OZWTreeItemNode* pFirst = nullptr;
    for (int i = 0; i < nCount; ++i) {
        TVITEMA* pItem = ppItems[i];
        if (pItem == nullptr)
            continue;
        OZWTreeItemNode* pNode = NewNode();
        pNode->m_item.hItem = HandleOf(pNode);
        pItem->mask |= TVIF_HANDLE;
        pItem->hItem = HandleOf(pNode);
        SetNodeItem(pNode, pItem);
        pNode->SetExpanded(FALSE);
        pParent->AddChild(pNode, OZWTreeNode::AddLast);
        if (pFirst == nullptr)
            pFirst = pNode;
        if (!(pNode->m_nItemFlags & OZWTIF_HIDDEN))
            rows.push_back(new OZWTreeRowItem(pNode));
    }
    const int nRow = pFirst != nullptr ? RowForNewNode(pFirst) : -1;
    if (nRow >= 0)
        m_pRows->InsertItemRecords(nRow, rows);
    else
        for (OZWListItem* pRow : rows)
            delete pRow;
    if (bRedraw) {
        m_pRows->RecalcLayout();
        m_pRows->InvalidateList();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Walking

BOOL OZWTreeCore::ItemHasChildren(HTREEITEM hItem)
{
    return NodeOf(hItem)->GetFirstChild() != nullptr;
}

BOOL OZWTreeCore::IsExpanded(HTREEITEM hItem)
{
    return NodeOf(hItem)->IsExpanded();
}

int OZWTreeCore::NearestVisibleRow(OZWTreeItemNode* pNode)
{
    for (OZWTreeNode* p = pNode; p != nullptr; p = p->GetNextInOrder()) {
        const int nRow = RowOf(static_cast<OZWTreeItemNode*>(p));
        if (nRow >= 0)
            return nRow;
    }
    return -1;
}

HTREEITEM OZWTreeCore::GetNextItem(HTREEITEM hItem, UINT nCode)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    auto handle = [this](OZWTreeNode* p) -> HTREEITEM {
        return p == nullptr || p == m_pRoot ? nullptr : HandleOf(static_cast<OZWTreeItemNode*>(p));
    };
    switch (nCode) {
    case TVGN_ROOT: {
        if (pNode == m_pRoot)
            return handle(m_pRoot->GetFirstChild());
        OZWTreeNode* p = pNode;
        while (p->GetParent() != nullptr && p->GetParent() != m_pRoot)
            p = p->GetParent();
        return handle(p);
    }
    case TVGN_NEXT: return handle(pNode->GetNextSibling());
    case TVGN_PREVIOUS: return handle(pNode->GetPrevSibling());
    case TVGN_PARENT: return handle(pNode->GetParent());
    case TVGN_CHILD: return handle(pNode->GetFirstChild());
    case TVGN_FIRSTVISIBLE: return handle(NodeOfRow(m_pRows->GetTopIndex()));
    case TVGN_NEXTVISIBLE: {
        const int nRow = RowOf(pNode);
        if (nRow >= 0)
            return handle(NodeOfRow(nRow + 1));
        for (OZWTreeNode* p = pNode->GetNextInOrder(); p != nullptr; p = p->GetNextInOrder())
            if (IsNodeVisible(static_cast<OZWTreeItemNode*>(p)))
                return handle(p);
        return nullptr;
    }
    case TVGN_PREVIOUSVISIBLE: {
        if (pNode == m_pRoot)
            return nullptr;
        const int nRow = RowOf(pNode);
        if (nRow >= 0)
            return handle(NodeOfRow(nRow - 1));
        for (OZWTreeNode* p = pNode->GetPrevInOrder(); p != nullptr && p != m_pRoot; p = p->GetPrevInOrder())
            if (IsNodeVisible(static_cast<OZWTreeItemNode*>(p)))
                return handle(p);
        return nullptr;
    }
    case TVGN_DROPHILITE: return handle(NodeOfRow(m_pRows->GetDropHilite()));
    case TVGN_CARET: return handle(NodeOfRow(m_pRows->GetFocusItem()));
    case OZWTVGN_FIRSTSELECTED: return handle(NodeOfRow(m_pRows->GetNextItem(-1, LVNI_SELECTED)));
    case OZWTVGN_NEXTSELECTED:
    case OZWTVGN_PREVSELECTED: {
        const int nRow = pNode == m_pRoot ? -1 : NearestVisibleRow(pNode);
        const UINT nDirection = nCode == OZWTVGN_NEXTSELECTED ? LVNI_BELOW : LVNI_ABOVE;
        return handle(NodeOfRow(m_pRows->GetNextItem(nRow, LVNI_SELECTED | nDirection)));
    }
    default: return nullptr;
    }
}

int OZWTreeCore::GetCount(HTREEITEM hParent, BOOL bRecurse, BOOL bExpandedOnly)
{
    int n = 0;
    for (OZWTreeItemNode* p = NodeOf(hParent)->FirstChild(); p != nullptr; p = p->NextSibling()) {
        ++n;
        if (bRecurse && (!bExpandedOnly || p->IsExpanded()))
            n += GetCount(HandleOf(p), TRUE, bExpandedOnly);
    }
    return n;
}

/////////////////////////////////////////////////////////////////////////////
// Expanding and collapsing

void OZWTreeCore::CollectVisibleDescendants(OZWTreeItemNode* pNode, std::vector<OZWListItem*>& rows)
{
    if (!pNode->IsExpanded())
        return;
    for (OZWTreeItemNode* p = pNode->FirstChild(); p != nullptr; p = p->NextSibling()) {
        if (p->m_nItemFlags & OZWTIF_HIDDEN)
            continue;
        rows.push_back(new OZWTreeRowItem(p));
        CollectVisibleDescendants(p, rows);
    }
}

void OZWTreeCore::RemoveDescendantRows(OZWTreeItemNode* pNode)
{
    int nFirst = 0, nCount = 0;
    if (pNode == m_pRoot) {
        nCount = m_pRows->GetItemCount();
    } else {
        const int nRow = RowOf(pNode);
        if (nRow < 0)
            return;
        nFirst = nRow + 1;
        nCount = CountDescendantRows(nRow, pNode);
    }
    if (nCount <= 0)
        return;
    // Rows that go are deselected first.
    const std::vector<int> selection = m_pRows->GetSelection();
    for (int nSelected : selection)
        if (nSelected >= nFirst && nSelected < nFirst + nCount)
            m_pRows->SetItemState(nSelected, 0, LVIS_SELECTED);
    if (!(m_dwTreeStyleEx & 0x1000000)) {
        m_pRows->DeleteItems(nFirst, nCount);
        return;
    }
    // Animated: one row at a time, the window brought up to date as they go.
    const int nStep = std::max(1, nCount / 5);
    for (int i = nCount; i > 0; --i) {
        m_pRows->DeleteItems(nFirst + i - 1, 1);
        if ((nCount - i + 1) % nStep == 0)
            m_pRows->RedrawItem(std::max(0, nFirst - 1), FALSE, FALSE, TRUE, TRUE);
    }
    m_pRows->RedrawItem(std::max(0, nFirst - 1), FALSE, FALSE, TRUE, TRUE);
}

BOOL OZWTreeCore::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    if (pNode == m_pRoot)
        return FALSE;
    if (!bForce && pNode->GetFirstChild() == nullptr && ChildrenCount(pNode) < 1)
        return FALSE;
    const int nRow = RowOf(pNode);
    UINT nAction = nCode & ~(UINT)TVE_COLLAPSERESET;
    if (nAction == TVE_TOGGLE)
        nAction = pNode->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND;
    if (nAction != TVE_COLLAPSE && nAction != TVE_EXPAND)
        return FALSE;
    const UINT nNotifyCode = nAction | (nCode & TVE_COLLAPSERESET);
    if (NotifyItemExpanding(pNode, nNotifyCode) == 1)
        return FALSE;
    if (nAction == TVE_COLLAPSE) {
        if (!pNode->IsExpanded())
            return FALSE;
        const int nFocus = m_pRows->GetFocusItem();
        const BOOL bFocusInside = nRow >= 0 && nFocus > nRow && pNode->IsAncestorOf(NodeOfRow(nFocus));
        if (bFocusInside) {
            // The owner may refuse the move of the selection; then nothing
            // collapses either.
            if (NotifySelChanging(nRow, nFocus, 0) == 1)
                return FALSE;
        }
        pNode->SetExpanded(FALSE);
        RemoveDescendantRows(pNode);
        if (bFocusInside) {
            m_pRows->DeselectAllExcept(nRow);
            m_pRows->SetFocusAndSelect(nRow, TRUE);
            NotifySelChanged(nRow, nFocus, 0);
        }
        if (nCode & TVE_COLLAPSERESET)
            while (OZWTreeItemNode* pChild = pNode->FirstChild())
                DeleteItem(HandleOf(pChild));
    } else {
        if (pNode->IsExpanded() || pNode->GetFirstChild() == nullptr)
            return FALSE;
        pNode->SetExpanded(TRUE);
        if (m_dwTreeStyleEx & 0x1000000)
            m_nAnimCounter = 0;
        if (nRow >= 0) {
            std::vector<OZWListItem*> rows;
            CollectVisibleDescendants(pNode, rows);
            m_pRows->InsertItemRecords(nRow + 1, rows);
            if (m_dwTreeStyleEx & 0x1000000)
                for (int i = 0; i < (int)rows.size() && i < m_nAnimQuota; ++i, ++m_nAnimCounter)
                    m_pRows->RedrawItem(nRow + 1 + i, FALSE, FALSE, FALSE, TRUE);
        }
    }
    NotifyItemExpanded(pNode, nNotifyCode);
    if (bRedraw) {
        if (nAction == TVE_EXPAND && m_bShowExpandedChildren && nRow >= 0) {
            OZWTreeItemNode* pLast = static_cast<OZWTreeItemNode*>(pNode->GetLastChild());
            while (pLast != nullptr && RowOf(pLast) < 0)
                pLast = pLast->PrevSibling();
            if (pLast != nullptr) {
                m_pRows->EnsureVisible(RowOf(pLast), FALSE);
                if (nRow < m_pRows->GetTopIndex()) {
                    m_pRows->SetTopIndex(nRow);
                    m_pRows->DeselectAllExcept(nRow);
                    m_pRows->SetFocusAndSelect(nRow, TRUE);
                }
            }
        }
        m_pRows->RecalcLayout();
        m_pRows->InvalidateList();
    }
    return TRUE;
}

void OZWTreeCore::ExpandAll(HTREEITEM hItem)
{
    OZWTreeItemNode* pTop = NodeOf(hItem);
    // Every node of the subtree expanded first, the rows synchronised once.
    for (OZWTreeNode* p = pTop; p != nullptr; p = p->GetNextInOrder()) {
        auto* pNode = static_cast<OZWTreeItemNode*>(p);
        if (p != pTop && !pTop->IsAncestorOf(p))
            break;
        if (pNode != m_pRoot && !pNode->IsExpanded() && pNode->GetFirstChild() != nullptr &&
            NotifyItemExpanding(pNode, TVE_EXPAND) != 1) {
            pNode->SetExpanded(TRUE);
            NotifyItemExpanded(pNode, TVE_EXPAND);
        }
    }
    SyncRows();
    m_pRows->RecalcLayout();
    m_pRows->InvalidateList();
}

void OZWTreeCore::SyncRows()
{
    std::vector<OZWTreeItemNode*> want;
    for (OZWTreeNode* p = m_pRoot->GetFirstChild(); p != nullptr;) {
        auto* pNode = static_cast<OZWTreeItemNode*>(p);
        if (pNode->m_nItemFlags & OZWTIF_HIDDEN) {
            // Skip the subtree.
            OZWTreeNode* pNext = nullptr;
            for (OZWTreeNode* q = p; q != nullptr && pNext == nullptr; q = q->GetParent())
                pNext = q->GetNextSibling();
            p = pNext;
            continue;
        }
        want.push_back(pNode);
        if (pNode->IsExpanded() && pNode->GetFirstChild() != nullptr) {
            p = pNode->GetFirstChild();
            continue;
        }
        OZWTreeNode* pNext = nullptr;
        for (OZWTreeNode* q = p; q != nullptr && q != m_pRoot && pNext == nullptr; q = q->GetParent())
            pNext = q->GetNextSibling();
        p = pNext;
    }
    const std::unordered_set<const OZWTreeItemNode*> wanted(want.begin(), want.end());
    // Rows of nodes that no longer show go, deselected first, a run at a time.
    for (int r = m_pRows->GetItemCount() - 1; r >= 0;) {
        if (wanted.count(NodeOfRow(r))) {
            --r;
            continue;
        }
        int nFirst = r;
        while (nFirst > 0 && !wanted.count(NodeOfRow(nFirst - 1)))
            --nFirst;
        for (int k = nFirst; k <= r; ++k)
            if (m_pRows->IsInSelection(k))
                m_pRows->SetItemState(k, 0, LVIS_SELECTED);
        m_pRows->DeleteItems(nFirst, r - nFirst + 1);
        r = nFirst - 1;
    }
    // The rows left are in the order wanted: the missing ones go in between.
    int nRow = 0;
    for (size_t i = 0; i < want.size();) {
        if (NodeOfRow(nRow) == want[i]) {
            ++nRow;
            ++i;
            continue;
        }
        std::vector<OZWListItem*> run;
        while (i < want.size() && NodeOfRow(nRow) != want[i])
            run.push_back(new OZWTreeRowItem(want[i++]));
        m_pRows->InsertItemRecords(nRow, run);
        nRow += (int)run.size();
    }
}

BOOL OZWTreeCore::EnsureVisible(HTREEITEM hItem, BOOL bWithParent)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    if (pNode == m_pRoot || HasInheritedFlag(pNode, OZWTIF_HIDDEN))
        return FALSE;
    if (RowOf(pNode) < 0) {
        for (OZWTreeItemNode* p = pNode->Parent(); p != nullptr && p != m_pRoot; p = p->Parent())
            if (!p->IsExpanded() && !Expand(HandleOf(p), TVE_EXPAND, FALSE))
                if (!p->IsExpanded())
                    return FALSE;
        SyncRows();
        m_pRows->RecalcLayout();
        m_pRows->InvalidateList();
    }
    const int nRow = RowOf(pNode);
    if (nRow < 0)
        return FALSE;
    const int nParentRow = RowOf(pNode->Parent());
    if (bWithParent && nParentRow >= 0)
        m_pRows->EnsureRangeVisible(nParentRow, nRow, FALSE);
    else
        m_pRows->EnsureVisible(nRow, FALSE);
    return TRUE;
}

void OZWTreeCore::SetFlagRecursive(OZWTreeItemNode* pNode, UINT nFlag, BOOL bOn)
{
    if (bOn)
        pNode->m_nItemFlags |= nFlag;
    else
        pNode->m_nItemFlags &= ~nFlag;
    for (OZWTreeItemNode* p = pNode->FirstChild(); p != nullptr; p = p->NextSibling())
        SetFlagRecursive(p, nFlag, bOn);
}

void OZWTreeCore::SetItemHidden(HTREEITEM hItem, BOOL bHide)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    if (pNode == m_pRoot)
        return;
    SetFlagRecursive(pNode, OZWTIF_HIDDEN, bHide);
    SyncRows();
    m_pRows->RecalcLayout();
    m_pRows->InvalidateList();
}

void OZWTreeCore::SetItemFlag100(HTREEITEM hItem, BOOL bOn)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    if (pNode == m_pRoot)
        return;
    SetFlagRecursive(pNode, OZWTIF_GRAYED, bOn);
    if (m_bHideFlagged) {
        SetFlagRecursive(pNode, OZWTIF_HIDDEN, bOn || HasInheritedFlag(pNode, OZWTIF_GRAYED));
        SyncRows();
        m_pRows->RecalcLayout();
    }
    m_pRows->InvalidateList();
}

/////////////////////////////////////////////////////////////////////////////
// Moving and deleting

BOOL OZWTreeCore::MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, BOOL bRedraw, HTREEITEM hInsertAfter)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    OZWTreeItemNode* pNewParent = NodeOf(hNewParent);
    if (pNode == m_pRoot || pNode == pNewParent || pNode->IsAncestorOf(pNewParent))
        return FALSE;
    OZWTreeItemNode* pFocus = NodeOfRow(m_pRows->GetFocusItem());
    const int nRow = RowOf(pNode);
    if (nRow >= 0) {
        m_pRows->SetItemState(nRow, 0, LVIS_SELECTED);
        m_pRows->m_nAnchorItem = -1;
        RemoveDescendantRows(pNode);
        m_pRows->DeleteItems(nRow, 1);
    }
    pNode->Detach();
    OZWTreeNode* pAfter = ResolvePosition(pNewParent, pNode, hInsertAfter);
    if (!pNewParent->AddChild(pNode, pAfter))
        pNewParent->AddChild(pNode, OZWTreeNode::AddLast);
    SyncRows();
    if (bRedraw) {
        m_pRows->RecalcLayout();
        m_pRows->InvalidateList();
    }
    int nFocusRow = RowOf(pFocus);
    if (nFocusRow < 0)
        nFocusRow = RowOf(pNewParent);
    if (nFocusRow >= 0) {
        m_pRows->EnsureVisible(nFocusRow, FALSE);
        m_pRows->DeselectAllExcept(nFocusRow);
        m_pRows->SetFocusAndSelect(nFocusRow, TRUE);
    }
    return TRUE;
}

void OZWTreeCore::DeleteLeaf(OZWTreeItemNode* pNode)
{
    pNode->Detach();
    OnDeleteItem(pNode);
    delete pNode;
}

BOOL OZWTreeCore::DeleteItem(HTREEITEM hItem)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    if (pNode == m_pRoot) {
        // The rows go first, so that no row points to a node being deleted
        // while the owner hears of it.
        m_pRows->DeleteAllItems();
        m_nRowCache = 0;
        while (OZWTreeNode* pLeaf = m_pRoot->GetFirstChild()) {
            while (OZWTreeNode* pChild = pLeaf->GetFirstChild())
                pLeaf = pChild;
            DeleteLeaf(static_cast<OZWTreeItemNode*>(pLeaf));
        }
        delete m_pRoot;
        MakeRoot();
        return TRUE;
    }
    // The rows of the item and its subtree go at once; then the nodes,
    // leaves first, each told to the owner.
    const int nRow = RowOf(pNode);
    if (nRow >= 0) {
        const int nCount = 1 + CountDescendantRows(nRow, pNode);
        const std::vector<int> selection = m_pRows->GetSelection();
        for (int nSelected : selection)
            if (nSelected >= nRow && nSelected < nRow + nCount)
                m_pRows->SetItemState(nSelected, 0, LVIS_SELECTED);
        m_pRows->DeleteItems(nRow, nCount);
        m_nRowCache = 0;
    }
    while (OZWTreeNode* pLeaf = pNode->GetFirstChild()) {
        while (OZWTreeNode* pChild = pLeaf->GetFirstChild())
            pLeaf = pChild;
        DeleteLeaf(static_cast<OZWTreeItemNode*>(pLeaf));
    }
    DeleteLeaf(pNode);
    return TRUE;
}

BOOL OZWTreeCore::DeleteAllItems()
{
    DeleteItem(TVI_ROOT);
    if (m_pRows->m_bAutoUpdate) {
        m_pRows->RecalcLayout();
        m_pRows->InvalidateList();
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Selection

BOOL OZWTreeCore::Select(HTREEITEM hItem, UINT nCode)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    if (nCode == TVGN_DROPHILITE)
        return SelectDropTarget(hItem, TRUE);
    if (pNode == m_pRoot || !EnsureVisible(hItem, FALSE))
        return FALSE;
    const int nRow = RowOf(pNode);
    if (nCode == TVGN_FIRSTVISIBLE) {
        m_pRows->SetTopIndex(std::min(nRow, m_pRows->GetMaxTopIndex()));
        return TRUE;
    }
    if (nCode != TVGN_CARET)
        return FALSE;
    const int nOld = m_pRows->GetFocusItem();
    if (NotifySelChanging(nRow, nOld, 0) == 1)
        return FALSE;
    m_pRows->DeselectAllExcept(nRow);
    m_pRows->SetFocusAndSelect(nRow, TRUE);
    NotifySelChanged(nRow, nOld, 0);
    return TRUE;
}

BOOL OZWTreeCore::SelectItem(HTREEITEM hItem)
{
    OZWTreeItemNode* pNode = NodeOf(hItem);
    if (pNode == m_pRoot || !EnsureVisible(hItem, FALSE))
        return FALSE;
    const int nRow = RowOf(pNode);
    const int nOld = m_pRows->GetFocusItem();
    if (NotifySelChanging(nRow, nOld, 0) == 1)
        return FALSE;
    m_pRows->SelectItem(nRow, TRUE);
    NotifySelChanged(nRow, nOld, 0);
    if (!(m_dwTreeStyleEx & 0x100000))
        Select(hItem, TVGN_CARET);
    return TRUE;
}

BOOL OZWTreeCore::SelectDropTarget(HTREEITEM hItem, BOOL bEnsureVisible)
{
    if (hItem == nullptr) {
        m_pRows->SetDropHilite(-1);
        return TRUE;
    }
    if (bEnsureVisible && !EnsureVisible(hItem, FALSE))
        return FALSE;
    const int nRow = RowOf(NodeOf(hItem));
    if (nRow != m_pRows->GetDropHilite()) {
        if (m_pRows->HasHoverTips())
            m_pRows->HideTip();
        m_pRows->SetDropHilite(nRow);
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Styles

DWORD OZWTreeCore::GetStyle()
{
    DWORD dwStyle = m_dwTreeStyle;
    if (m_pRows->GetListStyle() & OZWLS_EDITLABELS)
        dwStyle |= TVS_EDITLABELS;
    if (m_pRows->GetListStyle() & OZWLS_SHOWSELALWAYS)
        dwStyle |= TVS_SHOWSELALWAYS;
    return dwStyle;
}

BOOL OZWTreeCore::GetStyles(DWORD& dwStyle, DWORD& dwStyleEx)
{
    dwStyle = GetStyle();
    dwStyleEx = GetStyleEx();
    return TRUE;
}

BOOL OZWTreeCore::SetStyle(DWORD dwStyle, BOOL bRedraw)
{
    m_dwTreeStyle = dwStyle & 0x417;
    DWORD dwList = m_pRows->GetListStyle() & ~(DWORD)(OZWLS_EDITLABELS | OZWLS_SHOWSELALWAYS);
    if (dwStyle & TVS_EDITLABELS)
        dwList |= OZWLS_EDITLABELS;
    if (dwStyle & TVS_SHOWSELALWAYS)
        dwList |= OZWLS_SHOWSELALWAYS;
    if (dwList != m_pRows->GetListStyle())
        m_pRows->SetListStyle(dwList, bRedraw);
    else if (bRedraw)
        m_pRows->InvalidateList();
    return TRUE;
}

BOOL OZWTreeCore::SetStyleEx(DWORD dwStyleEx, BOOL bRedraw)
{
    m_dwTreeStyleEx = dwStyleEx & 0x0FF00000;
    DWORD dwList = m_pRows->GetListStyle(), dwListEx = m_pRows->GetListStyleEx();
    auto set = [](DWORD& dw, DWORD bits, bool on) { dw = on ? (dw | bits) : (dw & ~bits); };
    const bool b20 = dwStyleEx & 0x100000, b21 = dwStyleEx & 0x200000, b22 = dwStyleEx & 0x400000;
    const bool b23 = dwStyleEx & 0x800000, b26 = dwStyleEx & 0x4000000, b27 = dwStyleEx & 0x8000000;
    set(dwList, OZWLS_SINGLESEL, !b20);
    set(dwList, OZWLS_NOLABELWRAP, !b21);
    if (b22) {
        if (b26) {
            set(dwList, OZWLS_NOCOLUMNHEADER | OZWLS_NOSORTHEADER, false);
        } else {
            set(dwList, OZWLS_NOCOLUMNHEADER, false);
            set(dwList, OZWLS_NOSORTHEADER, true);
        }
    } else {
        set(dwList, OZWLS_NOCOLUMNHEADER | OZWLS_NOSORTHEADER, true);
    }
    set(dwListEx, OZWLS_EX_HOVERTIPS, b23);
    set(dwListEx, OZWLS_EX_HEADERDRAGDROP, b26 && b27);
    m_pRows->SetListStyle(dwList, FALSE);
    m_pRows->SetListStyleEx(dwListEx, bRedraw);
    return TRUE;
}

BOOL OZWTreeCore::SetStyles(DWORD dwStyle, DWORD dwStyleEx, BOOL bRedraw)
{
    SetStyle(dwStyle, FALSE);
    return SetStyleEx(dwStyleEx, bRedraw);
}

BOOL OZWTreeCore::ModifyStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetStyle((GetStyle() & ~dwRemove) | dwAdd, bRedraw);
}

BOOL OZWTreeCore::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetStyleEx((GetStyleEx() & ~dwRemove) | dwAdd, bRedraw);
}

BOOL OZWTreeCore::ModifyStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw)
{
    SetStyle((GetStyle() & ~dwRemove) | dwAdd, FALSE);
    return SetStyleEx((GetStyleEx() & ~dwRemoveEx) | dwAddEx, bRedraw);
}

void OZWTreeCore::SyncStylesFromList()
{
    const DWORD dwList = m_pRows->GetListStyle(), dwListEx = m_pRows->GetListStyleEx();
    auto set = [this](DWORD bits, bool on) { m_dwTreeStyleEx = on ? (m_dwTreeStyleEx | bits) : (m_dwTreeStyleEx & ~bits); };
    set(0x100000, !(dwList & OZWLS_SINGLESEL));
    set(0x200000, !(dwList & OZWLS_NOLABELWRAP));
    set(0x400000, !(dwList & OZWLS_NOCOLUMNHEADER));
    set(0x4000000, !(dwList & OZWLS_NOSORTHEADER));
    set(0x800000, (dwListEx & OZWLS_EX_HOVERTIPS) != 0);
}

void OZWTreeCore::SetIndent(int nIndent)
{
    nIndent = std::max(0, nIndent);
    m_nIndent = (nIndent & 1) ? nIndent + 1 : nIndent;
    m_pRows->RemeasureAll();
    m_pRows->InvalidateList();
}

/////////////////////////////////////////////////////////////////////////////
// Column texts

BOOL OZWTreeCore::EnableSubItemTextStorage(BOOL bEnable)
{
    if (bEnable && m_pStore == nullptr)
        m_pStore = new OZWSubItemTextStorage;
    else if (!bEnable) {
        delete m_pStore;
        m_pStore = nullptr;
    }
    return TRUE;
}

BOOL OZWTreeCore::FillRowText(LVITEMA* pInfo)
{
    OZWTreeItemNode* pNode = NodeOfRow(pInfo->iItem);
    if (pNode == nullptr)
        return FALSE;
    if (pInfo->iSubItem == 0) {
        if (pInfo->mask & LVIF_TEXT) {
            TVITEMA item = {};
            item.mask = TVIF_TEXT | TVIF_HANDLE;
            item.hItem = HandleOf(pNode);
            item.pszText = pInfo->pszText;
            item.cchTextMax = pInfo->cchTextMax;
            GetItem(&item, TRUE, TRUE);
            if (item.pszText != pInfo->pszText)
                ozwlist::CopyText(pInfo->pszText, pInfo->cchTextMax, ozwlist::IsOwned(item.pszText) ? item.pszText : "");
        }
        if (pInfo->mask & LVIF_IMAGE)
            pInfo->iImage = pNode->m_item.iImage;
        return TRUE;
    }
    if ((pInfo->mask & LVIF_TEXT) && m_pStore != nullptr) {
        m_pStore->GetText(HandleOf(pNode), pInfo->iSubItem, pInfo->pszText, pInfo->cchTextMax);
        return TRUE;
    }
    return FALSE;
}

BOOL OZWTreeCore::StoreRowText(const LVITEMA* pInfo)
{
    OZWTreeItemNode* pNode = NodeOfRow(pInfo->iItem);
    if (pNode == nullptr || !(pInfo->mask & LVIF_TEXT))
        return FALSE;
    if (pInfo->iSubItem == 0)
        return SetItemText(HandleOf(pNode), pInfo->pszText);
    if (m_pStore == nullptr)
        return FALSE;
    return m_pStore->SetText(HandleOf(pNode), pInfo->iSubItem, pInfo->pszText);
}

void OZWTreeCore::ColumnInserted(int nIndex)
{
    if (m_pStore != nullptr)
        m_pStore->InsertColumn(m_pRows->GetColumnSubItem(nIndex));
}

void OZWTreeCore::ColumnDeleted(int nSubItem)
{
    if (m_pStore != nullptr && nSubItem >= 1)
        m_pStore->RemoveColumn(nSubItem);
}

/////////////////////////////////////////////////////////////////////////////
// Owner notifications: nothing without an owner

LRESULT OZWTreeCore::NotifyItemExpanding(OZWTreeItemNode*, UINT) { return 0; }
void OZWTreeCore::NotifyItemExpanded(OZWTreeItemNode*, UINT) {}
LRESULT OZWTreeCore::NotifySelChanging(int, int, UINT) { return 0; }
void OZWTreeCore::NotifySelChanged(int, int, UINT) {}
void OZWTreeCore::NotifyTreeDeleteItem(OZWTreeItemNode*) {}
LRESULT OZWTreeCore::NotifyTreeGetDispInfo(TVITEMA*) { return 0; }
void OZWTreeCore::NotifyTreeSetDispInfo(TVITEMA*) {}
void OZWTreeCore::OnGetItemFlags(OZWTreeItemFlags*) {}
void OZWTreeCore::OnSetItemFlags(OZWTreeItemFlags*) {}

void OZWTreeCore::OnDeleteItem(OZWTreeItemNode* pNode)
{
    NotifyTreeDeleteItem(pNode);
    if (m_pStore != nullptr)
        m_pStore->Remove(HandleOf(pNode));
}
