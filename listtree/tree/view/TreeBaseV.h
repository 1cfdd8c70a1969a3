// OZWTreeBaseV: the tree control, with the programming model of the
// platform's tree view, on the list engine's view form. The tree core
// (OZWTreeCore) keeps the nodes and the rows of the showing nodes; this
// class lays out, paints and hit-tests column 0 (indent, lines, buttons,
// state and normal images, the label), answers the keyboard and the mouse
// the way a tree does, edits labels through the list's editor, makes drag
// images, and sends the tree notifications (TVN_) to its owner.
// OZWTreeView is the concrete, dynamically creatable tree view.
#pragma once

#include "listtree/list/ctrl/ListView.h"
#include "listtree/tree/model/TreeCore.h"

#include <uxtheme.h>

// The paint record of a tree row.
class OZWTreePaintContext : public OZWListPaintContext
{
public:
    explicit OZWTreePaintContext(CDC* pDC) : OZWListPaintContext(pDC) {}
    TVITEMA m_treeItem = {};
    UINT m_nFlagsMask = 0;
    UINT m_nFlags = 0;
    UINT m_nFlagsFlagsMask = 0;
    OZWTreeItemNode* m_pNode = nullptr;
};

// Hit-test flags of a tree row beside the platform's TVHT_ values.
enum : UINT
{
    OZWTVHT_ONROW = 0x4000,     // on a row (alone: outside its label, images and indent)
    OZWTVHT_ONHEADER = 0x1000,  // on a header button
    OZWTVHT_ONDIVIDER = 0x2000, // on a header divider
};

// The hover-expand timer.
enum : UINT { OZWTIMER_HOVEREXPAND = 4 };

// The message sent to the notification window after a label edit of
// column 0: wParam the control id, lParam the item.
UINT OZWTreeEndLabelEditMessage();

class OZWTreeBaseV : public OZWListView, public OZWTreeCore
{
public:
    OZW_TREE_CORE_INTERFACE()

    OZWTreeBaseV();
    ~OZWTreeBaseV() override;

    // Replaces a dialog control by the tree (same id, style, place, Z order).
    BOOL AttachToDlgItem(UINT nID, CWnd* pParent);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- Tree operations with a window --------------------------------------
    // Point in client coordinates; TVHT_ flags.
    HTREEITEM HitTest(CPoint pt, UINT* pFlags);
    BOOL SelectDropTarget(HTREEITEM hItem, BOOL bEnsureVisible = TRUE) override;
    virtual CImageList* CreateDragImage(HTREEITEM hItem);
    virtual CBitmap* CreateTextBitmap(CDC* pDC, LPCSTR lpszText);
    virtual CImageList* CreateTextDragImage(CDC* pDC, LPCSTR lpszText);
    virtual CImageList* CreateIconDragImage(CImageList* pList, int nImage);
    virtual CImageList* MergeDragImages(CImageList* pIcon, CImageList* pText);
    virtual void RedrawTreeItem(HTREEITEM hItem);
    // The button square of a row (rcRow: the row's rectangle).
    virtual BOOL GetButtonRect(RECT* pRect, int nRow, const RECT& rcRow);
    virtual int MeasureLabel(CDC* pDC, OZWTreeItemNode* pNode, LPCSTR lpszText, CRect& rc);
    virtual void DrawLines(OZWTreePaintContext* pCtx);
    virtual void DrawButton(OZWTreePaintContext* pCtx);
    virtual void DrawHorzDots(CDC* pDC, int x1, int x2, int y);
    virtual void DrawVertDots(CDC* pDC, int x, int y1, int y2);
    // Whether a node shows a button (a child that is not hidden, or a
    // children count of at least one).
    BOOL HasButton(OZWTreeItemNode* pNode);

    // ---- Owner notifications -------------------------------------------------
    LRESULT NotifyItemExpanding(OZWTreeItemNode* pNode, UINT nCode) override;
    void NotifyItemExpanded(OZWTreeItemNode* pNode, UINT nCode) override;
    LRESULT NotifySelChanging(int nNewRow, int nOldRow, UINT nAction) override;
    void NotifySelChanged(int nNewRow, int nOldRow, UINT nAction) override;
    void NotifyTreeDeleteItem(OZWTreeItemNode* pNode) override;
    LRESULT NotifyTreeGetDispInfo(TVITEMA* pItem) override;
    void NotifyTreeSetDispInfo(TVITEMA* pItem) override;

    // ---- The list engine's operations the tree overrides ------------------------
    OZWListPaintContext* NewPaintContext(CDC* pDC) override;
    void PrepareCell(OZWListPaintContext* pCtx) override;
    void MeasureCell(OZWListPaintContext* pCtx, int* pnHeight) override;
    void DrawSubItem(OZWListPaintContext* pCtx) override;
    LRESULT NotifyGetDispInfo(LVITEMA* pInfo) override;
    void OnSetDispInfo(LVITEMA* pInfo) override;
    void NotifyDeleteItem(int nItem) override;
    void NotifyKeyDown(UINT nKey) override;
    LRESULT NotifyBeginLabelEdit(int nItem, int nSubItem) override;
    BOOL NotifyEndLabelEdit(int nItem, int nSubItem, CString& rText, BOOL bCommit) override;
    int OnSelectionChanging(int nItem, int nOldFocus, BOOL bFromMouse) override;
    void OnSelectionChanged(int nItem, int nOldFocus, BOOL bFromMouse) override;
    void OnKeyLeft(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
    void OnKeyBack(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
    void OnKeyRight(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
    void OnKeyMultiply(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
    void OnBeginDrag(int nFocus, int x, int y) override;
    void OnBeginRightDrag(int nFocus, int x, int y) override;
    UINT GetClientItemState(int nItem, UINT nMask) override;
    BOOL RowHasCallbacks(int nItem) override;
    int InsertColumnRecord(int nIndex, OZWListColumn* pColumn, BOOL bRedraw = TRUE) override;
    void OnColumnInserted(int nIndex) override;
    void OnColumnDeleted(int nSubItem) override;
    void SetLabelWrap(BOOL bOn) override;
    void SetHeader(BOOL bShow, BOOL bPushButtons) override;
    void SetMultiSelect(BOOL bOn) override;
    void SetHoverTips(BOOL bOn) override;
    CImageList* SetImageList(CImageList* pList, int nWhich) override;
    LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam) override;

    // ---- Message handlers (OZWTreeView's map) -------------------------------------
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnThemeChangedMessage(WPARAM wParam, LPARAM lParam);

    UINT_PTR m_nHoverTimer = 0;
    int m_nHoverDelay = 1000;
    HTHEME m_hTheme = nullptr;

protected:
    // The description of a node as the owner gets it.
    TVITEMA ItemOf(const OZWTreeItemNode* pNode) const;
    void FillTreeView(NMTREEVIEWA& nm, int nCode);
    // The row, column-0 rectangles of a node's layout: x0 (indent start),
    // state image, image, label start.
    int IndentOf(const OZWTreeItemNode* pNode);
    // The font of a row's label (bold when the item is).
    CFont* LabelFont(OZWTreeItemNode* pNode);
    void SendDragNotify(int nCode, int nFocus, int x, int y);
    LRESULT SendSelectionNotify(int nCode, int nNewRow, int nOldRow, UINT nAction);
    // Dots every other pixel from (x, y), n pixels in the direction (dx, dy).
    void DrawDots(CDC* pDC, int x, int y, int dx, int dy, int n);

    DECLARE_MESSAGE_MAP()
};

class OZWTreeView : public OZWTreeBaseV
{
    DECLARE_DYNCREATE(OZWTreeView)
public:
    OZWTreeView() = default;
    ~OZWTreeView() override = default;

protected:
    DECLARE_MESSAGE_MAP()
};
