// OZWTreeCore: the tree control's programming model over the rows of a list
// model, without a window. Items are nodes (OZWTreeItemNode) addressed by
// handles; the list's rows hold only the nodes that show (every ancestor
// expanded, none hidden), in pre-order, each row pointing to its node.
// The core inserts (at a place or sorted), expands and collapses (adding
// or removing runs of rows), hides, moves and deletes items, reads and
// writes their descriptions, walks them the ways of TVGN_ codes, and keeps
// focus and selection with the rows. It reports to the owner through the
// virtual Notify operations, which do nothing here; the tree view sends
// them as the platform tree control's notifications.
#pragma once

#include "listtree/list/model/ListModel.h"
#include "listtree/tree/model/SubItemTextStorage.h"
#include "listtree/tree/model/TreeNode.h"

#include <vector>

// A row of the tree: the list record of a showing node.
class OZWTreeRowItem : public OZWListItem
{
public:
    explicit OZWTreeRowItem(OZWTreeItemNode* pNode) : m_pNode(pNode) { m_pszText = LPSTR_TEXTCALLBACKA; }
    OZWTreeItemNode* m_pNode;
};

// Insert position of a descending sort.
#define OZWTVI_SORTDESCENDING ((HTREEITEM)(ULONG_PTR)0xFFFF0010)
// TVGN_ codes past the platform's: the first selected item, the next one
// below and above.
enum : UINT
{
    OZWTVGN_FIRSTSELECTED = 0x20,
    OZWTVGN_NEXTSELECTED = 0x21,
    OZWTVGN_PREVSELECTED = 0x22,
};

// Exchange record of the item flags.
struct OZWTreeItemFlags
{
    UINT mask = 0;      // 1: flags
    UINT flags = 0;     // OZWTIF_ bits
    UINT flagsMask = 0; // which of them
};

// In a class built on both a list and the tree core, the tree's operations
// are the ones its name stands for (the list's stay reachable through the
// core's row list or by their qualified names).
#define OZW_TREE_CORE_INTERFACE() \
    using OZWTreeCore::InsertItem; \
    using OZWTreeCore::SetItem; \
    using OZWTreeCore::SetItemState; \
    using OZWTreeCore::SetItemData; \
    using OZWTreeCore::SetItemText; \
    using OZWTreeCore::GetItem; \
    using OZWTreeCore::GetItemText; \
    using OZWTreeCore::GetItemData; \
    using OZWTreeCore::GetItemState; \
    using OZWTreeCore::GetNextItem; \
    using OZWTreeCore::EnsureVisible; \
    using OZWTreeCore::DeleteAllItems; \
    using OZWTreeCore::SelectItem; \
    using OZWTreeCore::GetStyle; \
    using OZWTreeCore::ModifyStyle; \
    using OZWTreeCore::ModifyStyleEx;

class OZWTreeCore
{
public:
    explicit OZWTreeCore(OZWListModel* pRows);
    virtual ~OZWTreeCore();
    OZWTreeCore(const OZWTreeCore&) = delete;
    OZWTreeCore& operator=(const OZWTreeCore&) = delete;

    // ---- Nodes, handles and rows ------------------------------------------------
    virtual OZWTreeItemNode* NewNode();
    OZWTreeItemNode* GetRootNode() const { return m_pRoot; }
    // 0 and TVI_ROOT give the root.
    OZWTreeItemNode* NodeOf(HTREEITEM hItem) const;
    static HTREEITEM HandleOf(const OZWTreeItemNode* pNode)
    {
        return reinterpret_cast<HTREEITEM>(const_cast<OZWTreeItemNode*>(pNode));
    }
    // The row showing a node, -1 when it has none.
    int RowOf(const OZWTreeItemNode* pNode);
    OZWTreeItemNode* NodeOfRow(int nRow) const;
    // Whether a node shows: no hidden node on the way up, every ancestor expanded.
    BOOL IsNodeVisible(const OZWTreeItemNode* pNode) const;
    // Whether a node or an ancestor has a flag (OZWTIF_).
    BOOL HasInheritedFlag(const OZWTreeItemNode* pNode, UINT nFlag) const;

    // ---- Items --------------------------------------------------------------
    HTREEITEM InsertItem(const TVINSERTSTRUCTA* pInsert);
    HTREEITEM InsertItem(UINT nMask, LPCSTR lpszText, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCSTR lpszText, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszText, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    // Appends the items as last children of hParent, in order, collapsed;
    // each record gets TVIF_HANDLE and its new handle.
    void InsertItems(TVITEMA** ppItems, int nCount, HTREEITEM hParent, BOOL bRedraw);
    BOOL SetItem(TVITEMA* pItem);
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCSTR lpszText, int nImage, int nSelectedImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL SetItemData(HTREEITEM hItem, LPARAM lParam);
    virtual BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszText);
    virtual BOOL SetItemText(HTREEITEM hItem, int nColumn, LPCSTR lpszText);
    // bCopyText: copy the label into the caller's buffer; bNotify: ask the
    // owner for what it supplies.
    virtual BOOL GetItem(TVITEMA* pItem, BOOL bCopyText = TRUE, BOOL bNotify = TRUE);
    CString GetItemText(HTREEITEM hItem);
    LPARAM GetItemData(HTREEITEM hItem);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask);
    virtual BOOL GetItemFlags(HTREEITEM hItem, OZWTreeItemFlags* pFlags, BOOL bNotify = TRUE);
    virtual void SetItemFlags(HTREEITEM hItem, OZWTreeItemFlags* pFlags);
    // Label comparison of TVI_SORT.
    virtual int CompareItems(HTREEITEM hItem1, HTREEITEM hItem2);

    // ---- Walking -------------------------------------------------------------
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode);
    HTREEITEM GetRootItem() { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetSelectedItem() { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    BOOL ItemHasChildren(HTREEITEM hItem);
    BOOL IsExpanded(HTREEITEM hItem);
    // Children of hParent (with bRecurse their descendants too, with
    // bExpandedOnly only below expanded items).
    int GetCount(HTREEITEM hParent = TVI_ROOT, BOOL bRecurse = TRUE, BOOL bExpandedOnly = FALSE);

    // ---- Expanding, showing, moving, deleting ---------------------------------
    // nCode: TVE_COLLAPSE, TVE_EXPAND, TVE_TOGGLE, plus TVE_COLLAPSERESET.
    virtual BOOL Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw = TRUE, BOOL bForce = FALSE);
    // Expands the item and all below it.
    void ExpandAll(HTREEITEM hItem);
    virtual BOOL EnsureVisible(HTREEITEM hItem, BOOL bWithParent = FALSE);
    void SetItemHidden(HTREEITEM hItem, BOOL bHide);
    void SetItemFlag100(HTREEITEM hItem, BOOL bOn);
    BOOL MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, BOOL bRedraw = TRUE, HTREEITEM hInsertAfter = TVI_LAST);
    virtual BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    // Gives every showing node a row and takes it from every other node.
    void SyncRows();

    // ---- Selection ------------------------------------------------------------
    // TVGN_CARET (with notifications), TVGN_FIRSTVISIBLE, TVGN_DROPHILITE.
    virtual BOOL Select(HTREEITEM hItem, UINT nCode);
    virtual BOOL SelectItem(HTREEITEM hItem);
    virtual BOOL SelectDropTarget(HTREEITEM hItem, BOOL bEnsureVisible = TRUE);
    BOOL SetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }

    // ---- Styles ----------------------------------------------------------------
    // The tree style (TVS_ bits 0x417 kept; TVS_EDITLABELS and
    // TVS_SHOWSELALWAYS live in the list style) and the tree extended style
    // (bits 20-27), each mapped onto the list's styles.
    virtual DWORD GetStyle();
    virtual DWORD GetStyleEx() { return m_dwTreeStyleEx; }
    BOOL GetStyles(DWORD& dwStyle, DWORD& dwStyleEx);
    virtual BOOL SetStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetStyleEx(DWORD dwStyleEx, BOOL bRedraw = TRUE);
    BOOL SetStyles(DWORD dwStyle, DWORD dwStyleEx, BOOL bRedraw = TRUE);
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    BOOL ModifyStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw = TRUE);
    // Follows a change of the list's own styles into the tree's bits.
    void SyncStylesFromList();
    void SetIndent(int nIndent);
    int GetIndent() const { return m_nIndent; }

    // ---- Column texts -----------------------------------------------------------
    virtual BOOL EnableSubItemTextStorage(BOOL bEnable);
    virtual BOOL HasSubItemTextStorage() { return m_pStore != nullptr; }
    OZWSubItemTextStorage* GetSubItemTextStorage() const { return m_pStore; }
    // Fills a row's description for the list (the label of column 0 from
    // the node, other columns from the store when it is on); FALSE when the
    // list should ask the owner itself.
    BOOL FillRowText(LVITEMA* pInfo);
    // Takes a text the list wrote into a row: the label, or a stored column.
    BOOL StoreRowText(const LVITEMA* pInfo);
    // A column was inserted into the list at nIndex.
    void ColumnInserted(int nIndex);
    // A column showing nSubItem was deleted from the list.
    void ColumnDeleted(int nSubItem);

    // ---- Owner notifications (nothing here) ---------------------------------------
    // 1 cancels.
    virtual LRESULT NotifyItemExpanding(OZWTreeItemNode* pNode, UINT nCode);
    virtual void NotifyItemExpanded(OZWTreeItemNode* pNode, UINT nCode);
    // 1 cancels. nAction: TVC_ code.
    virtual LRESULT NotifySelChanging(int nNewRow, int nOldRow, UINT nAction);
    virtual void NotifySelChanged(int nNewRow, int nOldRow, UINT nAction);
    virtual void NotifyTreeDeleteItem(OZWTreeItemNode* pNode);
    // The owner fills what it supplies (mask: the fields asked for).
    virtual LRESULT NotifyTreeGetDispInfo(TVITEMA* pItem);
    virtual void NotifyTreeSetDispInfo(TVITEMA* pItem);
    virtual void OnGetItemFlags(OZWTreeItemFlags* pFlags);
    virtual void OnSetItemFlags(OZWTreeItemFlags* pFlags);
    // A node is deleted: the owner is told, its stored texts go.
    virtual void OnDeleteItem(OZWTreeItemNode* pNode);

    // ---- Members ---------------------------------------------------------------
    OZWListModel* m_pRows;
    OZWSubItemTextStorage* m_pStore = nullptr;
    OZWTreeItemNode* m_pRoot = nullptr;
    int m_nIndent = 20;
    BOOL m_bHideFlagged = FALSE;
    DWORD m_dwTreeStyle = 0;
    DWORD m_dwTreeStyleEx = 0;
    int m_nAnimQuota = 5;
    int m_nAnimCounter = 0;
    BOOL m_bShowExpandedChildren = TRUE;
    int m_nRowCache = 0;

protected:
    void MakeRoot();
    // Stores a description into a node; the bits the owner keeps are
    // handed to it. Returns the bits that changed the row's look.
    UINT SetNodeItem(OZWTreeItemNode* pNode, const TVITEMA* pItem);
    // The row index a showing node gets.
    int RowForNewNode(OZWTreeItemNode* pNode);
    // The showing nodes below pNode (not pNode), in pre-order.
    void CollectVisibleDescendants(OZWTreeItemNode* pNode, std::vector<OZWListItem*>& rows);
    // The rows after nRow whose nodes descend from pNode.
    int CountDescendantRows(int nRow, const OZWTreeItemNode* pNode);
    // Removes the rows of pNode's descendants (deselected first).
    void RemoveDescendantRows(OZWTreeItemNode* pNode);
    // Resolves an insert position: the child to insert after, AddFirst or AddLast.
    OZWTreeNode* ResolvePosition(OZWTreeItemNode* pParent, OZWTreeItemNode* pNode, HTREEITEM hInsertAfter);
    // Deletes a node that has no children (its row first).
    void DeleteLeaf(OZWTreeItemNode* pNode);
    // The children count of a node (the owner answers for the callback marker).
    int ChildrenCount(OZWTreeItemNode* pNode);
    // Whether a node has a child that is not hidden.
    BOOL HasVisibleChild(const OZWTreeItemNode* pNode) const;
    void SetFlagRecursive(OZWTreeItemNode* pNode, UINT nFlag, BOOL bOn);
    // Mirrors the node's state into its row (selected, cut, drop-highlighted...).
    void MirrorStateToRow(OZWTreeItemNode* pNode, UINT nStateMask);
    // The row nearest to pNode going down (pre-order) that shows.
    int NearestVisibleRow(OZWTreeItemNode* pNode);
};
