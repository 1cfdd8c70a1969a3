// OZWListModel: the window-free core of the owner-drawn list engine.
//
// It keeps the items, cells and columns, the focus, drop-highlight, anchor
// and selection (as indices, never in the item records), the styles and
// colours, the scroll position, and it carries the rules on them: item and
// column storage with callback routing, row walks over rows of individual
// heights, column fitting, the selection rule, the keyboard map, type-ahead
// search, hit testing and the notifications to the parent.
//
// Whatever needs a window (painting, measuring text, scroll-bar windows,
// timers, capture, the tip and the editor, sending messages) is reached
// through the virtual operations of the "window hooks" section below. The
// model's own versions do nothing (or keep only the model's state), so the
// model can be driven and tested without a window; the list control and the
// list view (OZWListEngine) implement them over their window.
#pragma once

#include "listtree/list/model/ListClient.h"
#include "listtree/list/model/ListDefs.h"
#include "listtree/list/model/ListPaintContext.h"
#include "listtree/list/model/ListRecords.h"

#include <vector>

class OZWListModel : public OZWListClient
{
public:
    OZWListModel();
    virtual ~OZWListModel();
    OZWListModel(const OZWListModel&) = delete;
    OZWListModel& operator=(const OZWListModel&) = delete;

    // ---- Styles -------------------------------------------------------------
    DWORD GetListStyle() const { return m_dwListStyle; }
    DWORD GetListStyleEx() const { return m_dwListStyleEx; }
    BOOL HasListStyle(DWORD dwBits) const { return (m_dwListStyle & dwBits) == dwBits; }
    BOOL HasListStyleEx(DWORD dwBits) const { return (m_dwListStyleEx & dwBits) == dwBits; }
    void GetListStyles(DWORD& dwStyle, DWORD& dwStyleEx) const;
    virtual void SetListStyles(DWORD dwStyle, DWORD dwStyleEx);
    // Ends label editing (commit) and hides the tip; a change of the
    // no-label-wrap bit marks every row for measuring.
    virtual BOOL SetListStyle(DWORD dwStyle, BOOL bRedraw);
    // Ends label editing and hides the tip; switching on "last column
    // fills" fits the last column at once.
    virtual BOOL SetListStyleEx(DWORD dwStyleEx, BOOL bRedraw);
    BOOL ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw);
    BOOL ModifyListStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw);
    BOOL ModifyListStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw);
    virtual void SetLabelWrap(BOOL bOn);
    virtual void SetHeader(BOOL bShow, BOOL bPushButtons);
    BOOL HasHeader() const { return (m_dwListStyle & OZWLS_NOCOLUMNHEADER) == 0; }
    virtual void SetMultiSelect(BOOL bOn);
    BOOL IsMultiSelect() const { return (m_dwListStyle & OZWLS_SINGLESEL) == 0; }
    virtual void SetHoverTips(BOOL bOn);
    BOOL HasHoverTips() const { return (m_dwListStyleEx & OZWLS_EX_HOVERTIPS) != 0; }
    void SetAutoUpdate(BOOL bOn) { m_bAutoUpdate = bOn; }
    BOOL GetAutoUpdate() const { return m_bAutoUpdate; }
    int GetViewMode() const { return (int)(m_dwListStyle & OZWLS_VIEWMASK); }
    // Report view with its header shown (the header band takes room).
    BOOL IsHeaderShown() const { return GetViewMode() == 1 && HasHeader(); }

    // ---- Colours ------------------------------------------------------------
    // The window background; the disabled background while disabled.
    virtual COLORREF GetBkColor();
    virtual COLORREF GetTextColor() { return m_crText; }
    virtual COLORREF GetTextBkColor() { return m_crTextBk; }
    virtual COLORREF GetGrayTextColor() { return m_crGrayText; }
    virtual COLORREF GetRowBkColor() { return m_crRowBk; }
    virtual COLORREF GetSelRowBkColor() { return m_crSelRowBk; }
    // Sets the window background and the text background.
    virtual BOOL SetBkColor(COLORREF cr);
    virtual BOOL SetTextColor(COLORREF cr) { m_crText = cr; return TRUE; }
    virtual BOOL SetTextBkColor(COLORREF cr) { m_crTextBk = cr; return TRUE; }
    virtual BOOL SetSelTextColor(COLORREF cr) { m_crSelText = cr; return TRUE; }
    virtual BOOL SetSelBkColor(COLORREF cr) { m_crSelBk = cr; return TRUE; }
    virtual BOOL SetGrayTextColor(COLORREF cr) { m_crGrayText = cr; return TRUE; }
    virtual BOOL SetRowBkColor(COLORREF cr) { m_crRowBk = cr; return TRUE; }
    virtual BOOL SetSelRowBkColor(COLORREF cr) { m_crSelRowBk = cr; return TRUE; }
    virtual BOOL SetTipBkColor(COLORREF cr) { m_crTipBk = cr; return TRUE; }
    virtual BOOL SetTipTextColor(COLORREF cr) { m_crTipText = cr; return TRUE; }
    virtual BOOL SetTrackSysColors(BOOL bOn) { m_bTrackSysColors = bOn; return TRUE; }
    virtual BOOL GetTrackSysColors() { return m_bTrackSysColors; }
    // Re-reads the ten colours from the system, only while tracking.
    void ReadSysColors();
    // The colours shared by the lists of one form: 0 the disabled
    // background, 1 the text of a selection shown without focus, 2 the
    // scroll-bar corner.
    enum SharedColor { sharedDisabledBk = 0, sharedNoFocusSelText = 1, sharedCorner = 2 };
    virtual COLORREF GetSharedColor(int nWhich);

    // ---- Columns ------------------------------------------------------------
    virtual BOOL DeleteColumn(LPCSTR lpszTitle);
    virtual BOOL DeleteColumn(int nIndex);
    virtual BOOL DeleteAllColumns();
    virtual int AddColumn(const LVCOLUMNA* pInfo);
    virtual int AddColumn(LPCSTR lpszTitle, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                          int nSubItem = -1, int nImage = -1);
    virtual int AddColumnRecord(OZWListColumn* pColumn);
    virtual int InsertColumn(int nIndex, const LVCOLUMNA* pInfo, BOOL bRedraw = TRUE);
    virtual int InsertColumn(int nIndex, LPCSTR lpszTitle, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                             int nSubItem = -1, int nImage = -1, BOOL bRedraw = TRUE);
    // Takes ownership of pColumn. Returns the index, or -1.
    virtual int InsertColumnRecord(int nIndex, OZWListColumn* pColumn, BOOL bRedraw = TRUE);
    virtual BOOL MoveColumn(int nFrom, int nTo, BOOL bRedraw = TRUE);
    virtual BOOL GetColumn(int nIndex, LVCOLUMNA* pInfo);
    virtual BOOL SetColumn(int nIndex, const LVCOLUMNA* pInfo);
    virtual int GetColumnLeft(int nIndex);
    virtual int GetColumnRight(int nIndex);
    virtual BOOL SetColumnWidth(int nIndex, int nWidth, BOOL bRemeasure = TRUE);
    virtual int GetColumnWidth(int nIndex);
    virtual BOOL SetColumnFormat(int nIndex, int nFormat);
    virtual int GetColumnFormat(int nIndex);
    virtual BOOL SetColumnTitle(int nIndex, LPCSTR lpszTitle);
    virtual CString GetColumnTitle(int nIndex);
    // -1 when no column has the title.
    virtual int FindColumnIndex(LPCSTR lpszTitle);
    virtual int GetColumnCount() { return (int)m_columns.size(); }
    virtual BOOL FindColumn(LPCSTR lpszTitle, int* pnIndex, int* pnSubItem);
    virtual OZWListColumn* GetColumnAt(int nIndex);
    virtual int GetSubItemCount() { return m_nSubItemCount; }
    // The first column that shows the main text (sub-item 0), or -1.
    int GetMainColumn();

    // ---- Items --------------------------------------------------------------
    virtual int GetItemCount() { return (int)m_items.size(); }
    OZWListItem* GetItemRecord(int nItem) const
    {
        return nItem >= 0 && nItem < (int)m_items.size() ? m_items[(size_t)nItem] : nullptr;
    }
    virtual LPARAM GetItemDataOf(OZWListItem* pItem) { return pItem ? pItem->m_lParam : 0; }
    virtual BOOL SetItem(LVITEMA* pInfo, BOOL bRedraw = TRUE);
    virtual BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszText, int nImage,
                         UINT nState, UINT nStateMask, LPARAM lParam);
    virtual BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    // bCopyText: copy the text into the caller's buffer; bAskParent: ask the
    // parent for the fields it supplies (LVN_GETDISPINFO).
    virtual BOOL GetItem(LVITEMA* pInfo, BOOL bCopyText = TRUE, BOOL bAskParent = TRUE);
    // Returns the bytes copied.
    virtual int GetItemText(int nItem, int nSubItem, LPSTR lpszBuffer, int nSize);
    virtual BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    virtual UINT GetItemState(int nItem, UINT nMask);
    virtual BOOL SetItemData(int nItem, LPARAM lParam);
    virtual LPARAM GetItemData(int nItem);
    virtual BOOL SetItemExState(LVITEMA* pInfo, BOOL bRedraw = TRUE);
    virtual BOOL GetItemExState(LVITEMA* pInfo, BOOL bAskParent = TRUE);
    virtual int InsertItem(const LVITEMA* pInfo);
    virtual int InsertItem(UINT nMask, int nItem, LPCSTR lpszText, UINT nState, UINT nStateMask,
                           int nImage, LPARAM lParam);
    virtual int InsertItem(int nItem, LPCSTR lpszText, int nImage);
    virtual int InsertItem(int nItem, LPCSTR lpszText);
    virtual int InsertItemAfter(OZWListItem* pRecord, const LVITEMA* pInfo);
    virtual int InsertItemBefore(OZWListItem* pRecord, const LVITEMA* pInfo);
    // Takes ownership of pRecord. Returns the index.
    virtual int InsertItemRecord(int nIndex, OZWListItem* pRecord);
    // Inserts a run of records at once (as InsertItemRecord each, in order,
    // at nIndex, nIndex + 1...), moving the indices behind them once.
    virtual int InsertItemRecords(int nIndex, const std::vector<OZWListItem*>& records);
    virtual BOOL DeleteItems(int nIndex, int nCount);
    virtual BOOL DeleteItemRecord(OZWListItem* pRecord);
    virtual BOOL DeleteAllItems();
    virtual UINT GetCallbackMask() { return m_dwCallbackMask; }
    virtual BOOL SetCallbackMask(UINT nMask) { m_dwCallbackMask = nMask; return TRUE; }
    virtual DWORD GetStateHook() { return m_dwStateHook; }
    virtual BOOL SetStateHook(DWORD dw) { m_dwStateHook = dw; return TRUE; }
    // Record factory; also gives the new record its cells.
    virtual OZWListItem* NewItem();
    virtual void PrepareNewItem(OZWListItem* pItem);
    // Appends or removes cells so that the record has nCount.
    virtual void AddSubItems(OZWListItem* pItem, int nCount);
    virtual void RemoveSubItems(OZWListItem* pItem, int nSubItem);
    // Whether any field of the row comes from the parent.
    virtual BOOL RowHasCallbacks(int nItem);

    // ---- Selection and focus --------------------------------------------------
    virtual int GetSelectedCount() { return (int)m_selection.size(); }
    const std::vector<int>& GetSelection() const { return m_selection; }
    virtual void SetFocusAndSelect(int nItem, BOOL bSelect);
    virtual void SetFocusItem(int nItem);
    virtual void DeselectAllExcept(int nItem);
    virtual void SelectRange(int nFirst, int nLast, BOOL bSelect);
    virtual int GetFocusItem() { return m_nFocusItem; }
    int GetAnchorItem() const { return m_nAnchorItem; }
    virtual BOOL SelectItem(int nItem, BOOL bSelect);
    virtual int GetNextItem(int nStart, UINT nFlags);
    virtual void SetDropHilite(int nItem);
    virtual int GetDropHilite() { return m_nDropItem; }
    // The selection rule for a click or key (keys: OZWKEY_ bits).
    virtual BOOL SelectItemByInput(int nItem, UINT nHitFlags, UINT nKeys, BOOL bFromMouse);
    virtual int OnSelectionChanging(int nItem, int nOldFocus, BOOL bFromMouse);
    virtual void OnSelectionChanged(int nItem, int nOldFocus, BOOL bFromMouse);
    virtual void AfterSelectByInput(int nItem, BOOL bFromMouse);
    // Position of a value in the selection array (first entry not below it).
    int FindSelectionSlot(int nItem) const;
    BOOL IsInSelection(int nItem) const;

    // ---- Keyboard -------------------------------------------------------------
    // Dispatches a key (after LVN_KEYDOWN was sent); TRUE when it was one of
    // the engine's keys.
    BOOL DispatchKey(UINT nChar, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeySpace(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyDown(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyF2(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyReturn(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyHome(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyEnd(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyLeft(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyBack(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyRight(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyMultiply(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyPageUp(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyPageDown(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    // Type-ahead: a typed character (TRUE when the search took it) and the
    // tick of its timer.
    BOOL TypeAheadChar(UINT nChar);
    void TypeAheadTick();
    UINT GetTypeAheadFlags() const { return m_nTypeAheadFlags; }
    const CString& GetTypeAheadText() const { return m_strTypeAhead; }
    // Switches type-ahead search off or on.
    void EnableTypeAhead(BOOL bOn);

    // ---- Geometry and scrolling ------------------------------------------------
    virtual int GetTopIndex() { return m_nTopIndex; }
    virtual BOOL SetTopIndex(int nTop);
    // The first row that does not fit completely from the top (the last,
    // possibly partial, visible row), or the item count.
    virtual int GetBottomIndex(BOOL bMeasure = TRUE);
    // The last row that fits completely from the top (top - 1 when none).
    int GetLastFullyVisible();
    virtual int GetPageUpIndex();
    virtual int GetMaxTopIndex();
    // Rows that fit completely from the top.
    virtual int GetRowsFromTop();
    // Rows that fit completely above the top (one page up).
    virtual int GetRowsAboveTop();
    // Rows that fit completely from row 0.
    virtual int GetFirstFullPage();
    // The row at client y (walking from the top index), or -1.
    virtual int GetRowAtY(int y);
    virtual int GetRowAtPoint(POINT pt);
    virtual int HitTestRow(POINT pt) { return GetRowAtPoint(pt); }
    virtual BOOL SetRowHeight(int nItem, int nHeight);
    // Sum of row pitches first..last (without last unless bInclusive);
    // negative when first > last.
    virtual int GetHeightBetween(int nFirst, int nLast, BOOL bInclusive);
    // Number of rows from nStart (downward or upward) whose pitches reach nHeight.
    virtual int GetRowsInHeight(int nHeight, int nStart, BOOL bDownward);
    virtual void RemeasureItem(int nItem);
    virtual void RemeasureAll();
    // x: total width of the columns; y: row count.
    virtual CPoint GetTotalSize();
    virtual int GetTotalWidth();
    virtual int GetTotalRows() { return GetItemCount(); }
    // The pitch of a row (its height plus the row spacing), measured first
    // when needed.
    int GetRowPitch(int nItem);
    // The rows area (client rectangle less header, scroll bars).
    void GetRowsArea(CRect& rc);
    virtual void GetItemsRect(RECT* pRect) override;
    // The top of a row in client coordinates (rows at or after the top index).
    int GetRowTop(int nItem);
    virtual BOOL GetItemRect(int nItem, RECT* pRect, int nPart);
    virtual BOOL GetSubItemRect(int nItem, int nColumn, RECT* pRect, int nPart) override;
    virtual void FitLastColumn();
    virtual void FitColumns();
    virtual BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    virtual BOOL EnsureRangeVisible(int nFirst, int nLast, BOOL bPartialOK);
    virtual void ScrollRows(int nDelta, BOOL bAlignBottom = FALSE);
    virtual void ScrollHorz(int nDelta);
    virtual void UpdateVertScroll(int nRows);
    virtual void UpdateHorzScroll(int nWidth);
    virtual void RecalcLayout();
    virtual void UpdateLayout() { RecalcLayout(); }
    // Scroll commands of the vertical and horizontal bar (SB_ codes).
    virtual void VScroll(UINT nCode, int nTrackPos = 0);
    virtual void HScroll(UINT nCode, int nTrackPos = 0);
    // Accumulates a wheel delta; TRUE.
    BOOL MouseWheel(short zDelta);
    int GetHorzOffset() const { return m_nHorzOffset; }
    DWORD GetScrollState() const { return m_dwScrollState; }
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    void SetHeaderHeight(int n) { m_nHeaderHeight = n; }

    // ---- Hit testing -----------------------------------------------------------
    virtual int HitTest(int x, int y, UINT* pFlags, int* pnColumn);
    // Whether a press selects (and starts a pending click).
    virtual void OnClickDecision(POINT pt, int nItem, UINT nFlags, BOOL* pbClickPending, BOOL* pbSelect);
    // The column whose divider can be dragged (the last one is not when it
    // fills the width).
    BOOL IsResizableColumn(int nColumn);
    // Applies a divider drag of nDelta pixels to the column's right edge.
    void ResizeColumnBy(int nColumn, int nDelta);

    // ---- Painting rules --------------------------------------------------------
    virtual void ComputeTextColors(OZWListPaintContext* pCtx);
    virtual void ComputeRowBackground(OZWListPaintContext* pCtx);
    virtual void SetCellFillColor(OZWListPaintContext* pCtx);

    // ---- Notifications -----------------------------------------------------------
    virtual LRESULT NotifyCode(int nCode);
    // LRESULT of the parent (1 refuses).
    virtual LRESULT NotifyBeginLabelEdit(int nItem, int nSubItem);
    // Whether the parent accepted; rText receives the (possibly changed) text.
    virtual BOOL NotifyEndLabelEdit(int nItem, int nSubItem, CString& rText, BOOL bCommit);
    virtual void NotifyDeleteItem(int nItem);
    virtual void NotifyInsertItem(int nItem);
    virtual LRESULT NotifyGetDispInfo(LVITEMA* pInfo);
    virtual void NotifyKeyDown(UINT nKey);
    virtual void NotifyColumnClick(int nColumn);
    LRESULT GetLastNotifyResult() const { return m_lLastNotifyResult; }
    // Hooks that the tree layer and final classes override.
    virtual void OnSetDispInfo(LVITEMA* pInfo);
    virtual void OnGetExState(LVITEMA* pInfo);
    virtual void OnItemNotifyHook(int nItem);
    virtual void OnLabelChanged(int nItem, int nSubItem);

    // ---- OZWListClient (window-free part) -------------------------------------
    BOOL IsLabelWrap() override { return (m_dwListStyle & OZWLS_NOLABELWRAP) == 0; }
    int GetColumnSubItem(int nColumn) override;
    void GetScrollOffset(POINT* pPoint) override;
    CString GetItemText(int nItem, int nSubItem) override;
    BOOL IsItemSelected(int nItem) override;
    COLORREF GetSelTextColor() override { return m_crSelText; }
    COLORREF GetSelBkColor() override { return m_crSelBk; }
    COLORREF GetTipTextColor() override { return m_crTipText; }
    COLORREF GetTipBkColor() override { return m_crTipBk; }

    // ---- Label edit bookkeeping -------------------------------------------------
    int GetEditItem() const { return m_nEditItem; }
    int GetPendingEditItem() const { return m_nPendingEditItem; }
    int GetCurColumn() const { return m_nCurColumn; }
    void SetCurColumn(int n) { m_nCurColumn = n; }

    // ---- Window hooks ------------------------------------------------------------
    // The model's versions keep only the model's state.
    virtual UINT GetCtrlId() { return 0; }
    // Sends a notification to the target; the answer.
    virtual LRESULT SendNotify(NMHDR* pHdr);
    virtual void PostToParent(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // The client rectangle (the page while a view prints).
    virtual void GetInsideRect(RECT* pRect);
    virtual BOOL IsWindowFocused() { return FALSE; }
    virtual BOOL IsWindowEnabledState() { return TRUE; }
    virtual BOOL IsEditorOpen() { return m_nEditItem != -1; }
    virtual int GetRowSpacing() { return 0; }
    // Measures the row when it needs it (the model keeps the height it has).
    virtual void MeasureRow(int nItem, BOOL bMeasure);
    virtual void RedrawItem(int nItem, BOOL bLabelOnly = FALSE, BOOL bErase = FALSE,
                            BOOL bToBottom = FALSE, BOOL bUpdate = FALSE);
    virtual void RedrawItems(int nFirst, int nLast);
    virtual void InvalidateList(BOOL bErase = TRUE);
    virtual void HideTip();
    virtual void KillEditTimer();
    virtual BOOL BeginLabelEdit(int nItem, int nColumn);
    virtual void SetScrollBarPos(int nBar, int nPos);
    // Shows or hides a bar (which: 0 horizontal, 1 vertical, 3 both); the
    // model keeps the state bits.
    virtual void ShowScrollBar(int nWhich, BOOL bShow, SCROLLINFO* pInfo);
    virtual void LayoutScrollBars();
    virtual void StartTypeAheadTimer();
    virtual void KillTypeAheadTimer();
    virtual void Beep();
    // Widths of the vertical bar and heights of the horizontal bar.
    virtual int GetVScrollWidth() { return ::GetSystemMetrics(SM_CXVSCROLL); }
    virtual int GetHScrollHeight() { return ::GetSystemMetrics(SM_CYHSCROLL); }
    // A column was inserted at nIndex, or a column showing nSubItem
    // deleted (the tree keeps its column texts in step).
    virtual void OnColumnInserted(int nIndex);
    virtual void OnColumnDeleted(int nSubItem);

protected:
    // Index checks.
    BOOL IsValidItem(int nItem) const { return nItem >= 0 && nItem < (int)m_items.size(); }
    BOOL IsValidColumn(int nColumn) const { return nColumn >= 0 && nColumn < (int)m_columns.size(); }
    void MeasureIfNeeded(int nItem);
    // The first row from nStart (walking by nStep) at which the sum of the
    // pitches passes the rows area's height; -1 when none does.
    int FindRowPastHeight(int nStart, int nStep);
    BOOL AddToSelection(int nItem);
    BOOL RemoveFromSelection(int nItem);
    void MarkAllForMeasure();
    void SetFocusIndex(int nItem, BOOL bKeepAnchor);
    // Selects by the rule from the keyboard (and makes the item visible).
    void SelectByKey(int nItem, BOOL bShift, BOOL bCtrl, BOOL bMakeVisible = TRUE);
    // Fills an NMHDR for a notification code.
    void FillHeader(NMHDR& hdr, int nCode);

public:
    // ---- Members ---------------------------------------------------------------
    int m_nTypeAheadInterval = 250;
    int m_nWheelDelta = 0;
    int m_nTopIndex = 0;
    int m_nHeaderHeight = 20;
    int m_nClickMarker = -1;
    int m_nPendingEditItem = -1;
    int m_nCurColumn = 0;
    int m_nEditItem = -1;
    int m_nSubItemCount = 0;
    int m_nFocusItem = -1;
    int m_nDropItem = -1;
    int m_nAnchorItem = -1;
    int m_nHotColumn = -1;
    LRESULT m_lLastNotifyResult = 0;
    UINT m_dwCallbackMask = 0;
    DWORD m_dwStateHook = 0;
    UINT_PTR m_nEditTimer = 0;
    UINT_PTR m_nAutoScrollTimer = 0;
    UINT_PTR m_nTypeAheadTimer = 0;
    UINT m_nTypeAheadFlags = 0;
    DWORD m_dwListStyle = 0;
    DWORD m_dwListStyleEx = 0;
    DWORD m_dwScrollState = 0;
    COLORREF m_crText = 0;
    COLORREF m_crTextBk = 0;
    COLORREF m_crSelText = 0;
    COLORREF m_crSelBk = 0;
    COLORREF m_crGrayText = 0;
    COLORREF m_crRowBk = 0;
    COLORREF m_crSelRowBk = 0;
    COLORREF m_crTipBk = 0;
    COLORREF m_crTipText = 0;
    COLORREF m_crBk = 0;
    BOOL m_bOnDivider = FALSE;
    int m_nSelectionVeto = 0;
    BOOL m_bEditEnded = FALSE;
    BOOL m_bAutoUpdate = FALSE;
    BOOL m_bItemDrag = FALSE;
    BOOL m_bHeaderDrag = FALSE;
    BOOL m_bClickPending = FALSE;
    BOOL m_bTrackSysColors = FALSE;
    char* m_pTextBuffer = nullptr; // OZWLIST_TEXTBUFFER bytes
    int m_nHorzOffset = 0;
    int m_nVertOffset = 0;
    CPoint m_ptMouseDown;
    CString m_strEditOriginal;
    CString m_strTypeAhead;
    std::vector<OZWListColumn*> m_columns;
    std::vector<OZWListItem*> m_items;
    std::vector<int> m_selection; // ascending, no duplicates
    int m_nPressedColumn = -1;
    int m_nHeaderDropTarget = -1;
};
