// CGRGridCore: the grid itself, apart from any window. It keeps the current
// cell and the selection, composes cell styles, lays out rows and columns,
// draws into a device context, and turns mouse and keyboard input into
// selections, edits and moves; every step offers a virtual hook that a
// program's grid overrides. The core works without a window (for tests and
// for computing layouts): then nothing is drawn and its client area is the
// rectangle given to SetGridRect. A grid window (CGRGridWnd) hands it its
// window and forwards its messages.
#pragma once

#include "platform/grid/GRDefs.h"
#include "platform/grid/GRParam.h"
#include "platform/grid/GRRange.h"
#include "platform/grid/GRStyle.h"

#include <functional>
#include <map>
#include <memory>

class CWnd;
class CDC;
class CFile;
class CFindReplaceDialog;
class CGRLongOperation;

class CGRGridCore
{
public:
    CGRGridCore();
    virtual ~CGRGridCore();
    CGRGridCore(const CGRGridCore&) = delete;
    CGRGridCore& operator=(const CGRGridCore&) = delete;

    /////////////////////////////////////////////////////////////////////////
    // Parameters and set-up

    // The grid works on pParam from now on; with bMustDelete the grid owns it.
    // A grid has no parameter object until one is set or it is initialised.
    void SetParam(CGRGridParam* pParam, BOOL bMustDelete = TRUE);
    CGRGridParam* GetParam() const { return m_pParam; }
    // The parameter object, made (CreateDefaultParam) when there is none yet.
    CGRGridParam* Param();
    const CGRGridParam* Param() const { return const_cast<CGRGridCore*>(this)->Param(); }
    // The parameter object a grid makes for itself.
    virtual CGRGridParam* CreateDefaultParam();
    // Called once when the grid is set up (CGRGridWnd::Initialize): makes a
    // parameter object when there is none, registers the standard controls
    // and sizes rows from the standard font. Overrides call the base first.
    virtual void OnGridInitialUpdate();
    BOOL IsInitialized() const { return m_bInitDone; }

    // The window the grid draws in (null: none).
    void SetGridWnd(CWnd* pWnd) { m_pGridWnd = pWnd; }
    CWnd* GridWnd() const { return m_pGridWnd; }
    HWND GetGridHwnd() const;
    // The grid's area in client coordinates: the window's client area, or the
    // rectangle set here when bSet is TRUE (a window-free grid).
    void SetGridRect(BOOL bSet, const RECT* pRect = nullptr);
    CRect GetGridRect() const;

    void EnableGridToolTips(BOOL bEnable = TRUE) { m_bToolTips = bEnable; }
    BOOL IsGridToolTips() const { return m_bToolTips; }
    void EnableMouseWheel(BOOL bEnable = TRUE) { m_bMouseWheel = bEnable; }
    // nBar SB_HORZ, SB_VERT or SB_BOTH; nMode 0 scroll bars as needed,
    // 1 always shown, 2 never.
    void SetScrollBarMode(int nBar, int nMode);
    // TRUE while the grid draws onto a printer's device context (OnGridDraw
    // with a DC that is printing): cells are then drawn for paper, with no
    // in-place windows over them.
    BOOL IsPrinting() const { return m_bPrinting; }

    /////////////////////////////////////////////////////////////////////////
    // Rows and columns. The row count is the number of the last row (rows
    // 1..count; row 0 is the header row), likewise for columns.

    virtual ROWCOL GetRowCount();
    virtual ROWCOL GetColCount();
    virtual BOOL SetRowCount(ROWCOL nRows, UINT flags = GR_UPDATENOW);
    virtual BOOL SetColCount(ROWCOL nCols, UINT flags = GR_UPDATENOW);
    virtual BOOL InsertRows(ROWCOL nRow, ROWCOL nCount, UINT flags = GR_UPDATENOW);
    virtual BOOL RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT flags = GR_UPDATENOW);
    virtual BOOL InsertCols(ROWCOL nCol, ROWCOL nCount, UINT flags = GR_UPDATENOW);
    virtual BOOL RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT flags = GR_UPDATENOW);
    // Rows 1..nFrozenRows stay in view while the rest scrolls; the first
    // nHeaderRows of them are drawn as headers.
    BOOL SetFrozenRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows = 0, UINT flags = GR_UPDATENOW);
    BOOL SetFrozenCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols = 0, UINT flags = GR_UPDATENOW);
    ROWCOL GetFrozenRows() const { return Param()->GetData().m_nFrozenRows; }
    ROWCOL GetFrozenCols() const { return Param()->GetData().m_nFrozenCols; }
    // Called before the grid works with rows up to nLastRow (GR_MAXROWCOL:
    // every row); a grid over a data source counts its records there.
    virtual void OnTestGridDimension(ROWCOL nLastRow, ROWCOL nLastCol);

    /////////////////////////////////////////////////////////////////////////
    // Sizes (pixels)

    virtual int GetRowHeight(ROWCOL nRow);
    virtual int GetColWidth(ROWCOL nCol);
    virtual BOOL SetRowHeight(ROWCOL nFromRow, ROWCOL nToRow, int nHeight, int* pOldHeights = nullptr,
                              UINT flags = GR_UPDATENOW);
    virtual BOOL SetColWidth(ROWCOL nFromCol, ROWCOL nToCol, int nWidth, int* pOldWidths = nullptr,
                             UINT flags = GR_UPDATENOW);
    void SetDefaultRowHeight(int nHeight, UINT flags = GR_UPDATENOW);
    void SetDefaultColWidth(int nWidth, UINT flags = GR_UPDATENOW);
    int GetDefaultRowHeight() const { return Param()->GetData().m_nDefaultRowHeight; }
    virtual BOOL HideCols(ROWCOL nFromCol, ROWCOL nToCol, BOOL bHide = TRUE, BOOL* pOldHidden = nullptr,
                          UINT flags = GR_UPDATENOW);
    virtual BOOL HideRows(ROWCOL nFromRow, ROWCOL nToRow, BOOL bHide = TRUE, BOOL* pOldHidden = nullptr,
                          UINT flags = GR_UPDATENOW);
    virtual BOOL IsColHidden(ROWCOL nCol);
    virtual BOOL IsRowHidden(ROWCOL nRow);
    // The width and height as laid out: 0 for a hidden column or row.
    int GetColWidthShown(ROWCOL nCol);
    int GetRowHeightShown(ROWCOL nRow);
    // Columns (rows) of the range sized to their contents, headers included.
    virtual BOOL ResizeColWidthsToFit(const CGRRange& range, BOOL bResizeCoveredCells = TRUE,
                                      UINT flags = GR_UPDATENOW);
    virtual BOOL ResizeRowHeightsToFit(const CGRRange& range, UINT flags = GR_UPDATENOW);
    // Logical units: a thousandth of the standard font's average character
    // width (heights: of its line height).
    int Width_LPtoDP(int nLP);
    int Width_DPtoLP(int nDP);
    int Height_LPtoDP(int nLP);

    /////////////////////////////////////////////////////////////////////////
    // Styles and values

    // The style stored for the cell (its own attributes only). For row 0 or
    // column 0 in a header position the stored header cell.
    virtual BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, GRModifyType mt = grCopy,
                                int nType = 0);
    // Stores a style for one cell (the range operations end here). FALSE
    // when the cell refuses the change (read-only under the read-only lock).
    virtual BOOL StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGRStyle* pStyle, GRModifyType mt,
                                  int nType = 0);
    // The full style of a cell: its own, then its row's and column's, the
    // header styles and the standard style.
    virtual void ComposeStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGRStyle* pStyle);
    CGRStyle LookupStyleRowCol(ROWCOL nRow, ROWCOL nCol);

    // Whole rows or columns (CGRRange::SetRows/SetCols) set the row's or
    // column's base style, the table range the standard style.
    virtual BOOL SetStyleRange(const CGRRange& range, const CGRStyle& style, GRModifyType mt = grOverride,
                               int nType = 0, UINT flags = GR_UPDATENOW);
    BOOL SetValueRange(const CGRRange& range, LPCTSTR lpszValue, GRModifyType mt = grOverride,
                       int nType = 0, UINT flags = GR_UPDATENOW);
    BOOL SetValueRange(const CGRRange& range, double d, GRModifyType mt = grOverride, int nType = 0,
                       UINT flags = GR_UPDATENOW);
    BOOL SetValueRange(const CGRRange& range, long n, GRModifyType mt = grOverride, int nType = 0,
                       UINT flags = GR_UPDATENOW);
    BOOL SetValueRange(const CGRRange& range, int n, GRModifyType mt = grOverride, int nType = 0,
                       UINT flags = GR_UPDATENOW)
    {
        return SetValueRange(range, (long)n, mt, nType, flags);
    }
    // The value shown in the cell (its composed style's value).
    virtual CString GetValueRowCol(ROWCOL nRow, ROWCOL nCol);
    // Empties the cells of every range: their values only, or with
    // bStyleOrValue FALSE their whole styles.
    virtual BOOL ClearCells(const CGRRangeList& list, BOOL bStyleOrValue = TRUE, UINT flags = GR_UPDATENOW);
    BOOL ClearCells(const CGRRange& range, BOOL bStyleOrValue = TRUE, UINT flags = GR_UPDATENOW);

    BOOL ChangeStandardStyle(const CGRStyle& style, GRModifyType mt = grOverride, UINT flags = GR_UPDATENOW);
    BOOL ChangeColHeaderStyle(const CGRStyle& style, GRModifyType mt = grOverride, UINT flags = GR_UPDATENOW);
    BOOL ChangeRowHeaderStyle(const CGRStyle& style, GRModifyType mt = grOverride, UINT flags = GR_UPDATENOW);
    const CGRStyle& StandardStyle() { return Param()->GetStandardStyle(); }
    const CGRStyle& ColHeaderStyle() { return Param()->GetColHeaderStyle(); }
    const CGRStyle& RowHeaderStyle() { return Param()->GetRowHeaderStyle(); }

    /////////////////////////////////////////////////////////////////////////
    // Updating the window

    // Locks (TRUE) or unlocks drawing; returns the previous state. While
    // locked nothing is painted and the scroll bars wait: unlocking sets
    // them once when the counts changed meanwhile, but does not repaint.
    BOOL LockUpdate(BOOL bLock = TRUE);
    BOOL IsLockUpdate() const { return m_bLockUpdate; }
    void Redraw(UINT flags = GR_INVALIDATE, BOOL bOnlyChanged = FALSE);
    void RedrawRowCol(ROWCOL nRow, ROWCOL nCol, UINT flags = GR_INVALIDATE);
    void RedrawRowCol(const CGRRange& range, UINT flags = GR_INVALIDATE);
    // Recomputes the scroll bars after the counts or sizes changed (while
    // drawing is locked, when it is unlocked).
    void UpdateScrollbars();

    /////////////////////////////////////////////////////////////////////////
    // Current cell

    // Moves the current cell (ending any edit of the old one). FALSE when the
    // move is refused (the old cell's value is not valid, or the grid refuses
    // to leave its row). A row or column of GR_INVALID, or one beyond the
    // counts, is refused.
    virtual BOOL SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags = GR_SCROLLINVIEW | GR_UPDATENOW);
    BOOL GetCurrentCell(ROWCOL& nRow, ROWCOL& nCol) const;
    BOOL GetCurrentCell(ROWCOL* pRow, ROWCOL* pCol) const;
    BOOL IsCurrentCell(ROWCOL nRow, ROWCOL nCol) const;
    BOOL IsCurrentCell() const { return m_bCurCell; }
    // Forgets the current cell (ending its edit as TransferCurrentCell does).
    void ResetCurrentCell(BOOL bStoreEdit = TRUE);
    // Moves by nCell cells (or pages) in a direction, skipping hidden rows and
    // columns and disabled cells; with bCanSelectRange the selection follows
    // when Shift is held.
    virtual BOOL MoveCurrentCell(int direction, UINT nCell = 1, BOOL bCanSelectRange = TRUE);
    // From (nRow, nCol) itself onwards in the direction, the first cell that
    // can be current; FALSE when there is none. The cell is returned in the
    // arguments.
    virtual BOOL FindNextCell(int direction, ROWCOL& nRow, ROWCOL& nCol);
    // From row nRow on, downwards (bForward) or upwards, the first row with
    // a cell that can be current, and in it the leftmost (bForward) or
    // rightmost such cell, whichever columns are hidden. FALSE when there is
    // none; the cell is returned in the arguments.
    BOOL FindCellInRows(BOOL bForward, ROWCOL& nRow, ROWCOL& nCol);
    BOOL ScrollCellInView(ROWCOL nRow, ROWCOL nCol, UINT flags = GR_UPDATENOW);
    BOOL IsCellVisible(ROWCOL nRow, ROWCOL nCol);

    // Editing of the current cell.
    // Stores (bSaveAndValidate) or discards the current cell's pending edit
    // and closes its control. FALSE when the edit is not valid; the control
    // then stays open.
    virtual BOOL TransferCurrentCell(BOOL bSaveAndValidate = TRUE, UINT flags = GR_UPDATENOW,
                                     BOOL bCreateHint = TRUE);
    // Opens the current cell's in-place control; a first character replaces
    // the text. FALSE when the cell cannot be edited.
    BOOL ActivateCurrentCell(UINT nFirstChar = 0);
    // Opens the current cell's control for a click on the cell, its text
    // selected whole.
    BOOL ActivateCurrentCellByClick();
    // A button press in the current cell's editor (pt in the grid's client
    // coordinates, dwTime the message's time): TRUE when it was taken as
    // the second click of a double click on the cell whose first click
    // opened the editor.
    BOOL OnEditorButtonDown(UINT nFlags, CPoint pt, DWORD dwTime);
    // Ends the edit of the current cell as the Escape key does.
    void CancelCurrentCell();
    BOOL IsActiveCurrentCell();
    BOOL IsCurrentCellModified();
    CGRControl* GetCurrentCellControl();
    CGRControl* GetControl(ROWCOL nRow, ROWCOL nCol);
    // The grid owns pControl from now on.
    void RegisterControl(WORD nID, CGRControl* pControl);
    CGRControl* GetRegisteredControl(WORD nID);

    /////////////////////////////////////////////////////////////////////////
    // Selection

    CGRRangeList* GetSelectionList() { return Param()->GetRangeList(); }
    // Selects or deselects a range.
    void SelectRange(const CGRRange& range, BOOL bSelect = TRUE, UINT flags = GR_UPDATENOW);
    // With pos null clears the selection; otherwise replaces the range at pos
    // (a position of the selection list) by the cells given.
    void SetSelection(POSITION pos, ROWCOL nTop = 0, ROWCOL nLeft = 0, ROWCOL nBottom = 0,
                      ROWCOL nRight = 0);
    // TRUE while the user drags a selection with the mouse or extends it
    // with Shift (or adds to it with Ctrl).
    BOOL IsSelectingCells() const { return m_nTracking == trackSelect || m_bExtendingSelection; }
    // Every row a selected range touches (rows and table ranges over every
    // row), ascending; with bRangeRowsOnly only whole-row ranges count; with
    // bCanUseCurrentCell the current cell's row stands for an empty selection.
    // FALSE when the array is empty.
    BOOL GetSelectedRows(CRowColArray& awRows, BOOL bRangeRowsOnly = FALSE, BOOL bCanUseCurrentCell = TRUE);
    BOOL GetSelectedCols(CRowColArray& awCols, BOOL bRangeColsOnly = FALSE, BOOL bCanUseCurrentCell = TRUE);
    // A copy of the selection (or of the current cell when it is empty and
    // bCanUseCurrentCell), ranges made concrete against the counts.
    BOOL CopyRangeList(CGRRangeList& list, BOOL bCanUseCurrentCell = TRUE);

    /////////////////////////////////////////////////////////////////////////
    // Layout and hit testing (client coordinates)

    ROWCOL GetTopRow() const { return m_nTopRow; }
    ROWCOL GetLeftCol() const { return m_nLeftCol; }
    BOOL SetTopRow(ROWCOL nRow, UINT flags = GR_UPDATENOW);
    BOOL SetLeftCol(ROWCOL nCol, UINT flags = GR_UPDATENOW);
    // The last row (column) at least partly in view.
    ROWCOL GetLastVisibleRow();
    ROWCOL GetLastVisibleCol();
    // The rectangle of a cell; empty when it is not laid out in view.
    CRect CalcRectFromRowCol(ROWCOL nRow, ROWCOL nCol);
    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol) { return CalcRectFromRowCol(nRow, nCol); }
    // What lies at a point (GR_HT_...); the cell in the arguments.
    int HitTest(CPoint pt, ROWCOL* pRow = nullptr, ROWCOL* pCol = nullptr, CRect* pRectHit = nullptr);
    // The row and column under a point; FALSE outside the cells.
    BOOL CalcRowColFromPoint(CPoint pt, ROWCOL* pRow, ROWCOL* pCol);

    /////////////////////////////////////////////////////////////////////////
    // Hooks of editing and moving

    virtual BOOL OnStartEditing(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnValidateCell(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnEndEditing(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnCancelEditing(ROWCOL nRow, ROWCOL nCol);
    // Called when the control's text changes.
    virtual void OnModifyCell(ROWCOL nRow, ROWCOL nCol);
    // FALSE refuses to move the current cell off (nRow, nCol).
    virtual BOOL OnLeftCell(ROWCOL nRow, ROWCOL nCol, ROWCOL nNewRow, ROWCOL nNewCol);
    virtual void OnMovedCurrentCell(ROWCOL nRow, ROWCOL nCol);
    // Whether a cell may become current (disabled cells may not).
    virtual BOOL CanSelectCurrentCell(BOOL bSelect, ROWCOL nRow, ROWCOL nCol, ROWCOL nOldRow,
                                      ROWCOL nOldCol);
    // The path by which text reaches a cell from outside the cell's own
    // control: pasted text, and the program's own stores. The in-place
    // control's store does not come here.
    virtual BOOL SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& str,
                                      UINT flags = GR_UPDATENOW, const CGRStyle* pOldStyle = nullptr);
    // The dragging of the fill handle starts over range; FALSE refuses it.
    virtual BOOL OnStartAutoFillSelection(CGRRange& range, UINT& nFlags, CPoint& point);

    /////////////////////////////////////////////////////////////////////////
    // Hooks of the mouse

    // A press, a move with the button held, and the release (nHitState,
    // GR_HIT_...) on the cell first pressed; the default selects and moves
    // the current cell. FALSE stops following the mouse.
    virtual BOOL OnLButtonHitRowCol(ROWCOL nHitRow, ROWCOL nHitCol, ROWCOL nDragRow, ROWCOL nDragCol,
                                    CPoint point, UINT flags, WORD nHitState);
    virtual BOOL OnRButtonHitRowCol(ROWCOL nHitRow, ROWCOL nHitCol, ROWCOL nDragRow, ROWCOL nDragCol,
                                    CPoint point, UINT flags, WORD nHitState);
    // A click: the button went down and up on the same cell.
    virtual BOOL OnLButtonClickedRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt);
    virtual BOOL OnRButtonClickedRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt);
    virtual BOOL OnLButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt);
    // Column resizing: whether the column may be resized at all, whether a
    // width during the drag is allowed, and the final width (TRUE applies it).
    virtual BOOL OnTrackColWidth(ROWCOL nCol);
    virtual BOOL OnTrackColWidthMove(ROWCOL nCol, int nWidth);
    virtual BOOL OnTrackColWidthEnd(ROWCOL nCol, int nWidth);
    virtual BOOL OnTrackRowHeight(ROWCOL nRow);
    virtual BOOL OnTrackRowHeightEnd(ROWCOL nRow, int nHeight);

    /////////////////////////////////////////////////////////////////////////
    // Keyboard

    // Every key message for the grid or its in-place control (pSender) comes
    // here first; TRUE when handled. The default sends WM_KEYDOWN to
    // OnGridKeyDown and WM_CHAR to OnGridChar.
    virtual BOOL ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt = 1, UINT flags = 0);
    virtual BOOL OnGridKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnGridChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    /////////////////////////////////////////////////////////////////////////
    // Drawing

    // Draws the whole grid area into pDC (the window's paint calls it).
    virtual void OnGridDraw(CDC* pDC);
    // Draws one cell (headers too) with its composed style.
    virtual void OnDrawItem(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rectItem,
                            const CGRStyle& style);
    // Draws a cell's background, text and borders: the library's drawing.
    void DrawCell(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rectItem, const CGRStyle& style);
    // The font for a style on pDC's device (kept by the library).
    HFONT GetStyleFont(const CGRStyle& style, CDC* pDC = nullptr);
    // Where a cell's text goes: the rectangle inside the cell's margins, and
    // the top of a single line nLineHeight high in it, as the style aligns
    // it. The in-place editors put their text at the same place.
    static CRect CalcTextRect(const CRect& rectCell);
    static int CalcLineTop(const CRect& rectText, const CGRStyle& style, int nLineHeight);

    /////////////////////////////////////////////////////////////////////////
    // Find and replace (the shared find state is GRGetAppState()->m_findReplace)

    virtual void OnShowFindReplaceDialog(BOOL bFindOnly);
    virtual void OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase);
    virtual void OnReplaceSel(LPCTSTR lpszFind, BOOL bNext, BOOL bCase, LPCTSTR lpszReplace);
    virtual void OnReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bCase);
    // Handles the registered find message of the find dialog.
    virtual void OnFindReplace(CFindReplaceDialog* pDialog);
    // Searches the shared find state's text from the cell after the current
    // one (in the state's direction, row by row, visible columns); with
    // bSetCell the found cell becomes current. FALSE when nothing is found.
    virtual BOOL FindText(BOOL bSetCell = TRUE);
    BOOL FindText(ROWCOL& nRow, ROWCOL& nCol, BOOL bSetCell = TRUE);
    // FindText(TRUE), and when nothing is found (and the user did not stop
    // the search) the user is told so ("Cannot find ..."). What the find
    // dialog and the Find Next command run.
    BOOL FindNextAndReport();
    // TRUE when the last search was stopped by the user (Escape).
    BOOL IsFindCanceled() const { return m_bFindCanceled; }
    // Moves the open find or replace dialog off a cell (the one just found,
    // or the current one when it opens), so that it hides no match.
    void MoveFindDialogOffCell(ROWCOL nRow, ROWCOL nCol);

    /////////////////////////////////////////////////////////////////////////
    // Clipboard and undo

    virtual BOOL CanCopy();
    virtual BOOL CanCut();
    virtual BOOL CanPaste();
    virtual BOOL Copy();
    virtual BOOL Cut();
    virtual BOOL Paste();
    // The text of the selected cells (tab between cells, CR LF between rows).
    virtual BOOL CopyTextToFile(CFile& file, const CGRRangeList& selList);
    BOOL CopyTextToString(CString& text, const CGRRangeList& selList);
    virtual CString GetCopyTextRowCol(ROWCOL nRow, ROWCOL nCol);
    // Pastes tab/CR LF text starting at (nRow, nCol) through
    // SetControlTextRowCol; returns the number of cells changed.
    int PasteTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& text);
    // Rows and columns of the block last copied.
    ROWCOL m_nClipRows = 0;
    ROWCOL m_nClipCols = 0;

    virtual BOOL CanUndo();
    virtual BOOL CanRedo();
    virtual BOOL Undo();
    virtual BOOL Redo();

    /////////////////////////////////////////////////////////////////////////
    // Sorting (of the stored cells; a browser grid sorts its data source)

    virtual void SortRows(CGRRange sortRange, CGRSortInfoArray& sortInfo, UINT flags = GR_UPDATENOW);

    /////////////////////////////////////////////////////////////////////////
    // Record information beam

    CGRRecordInfoWnd* GetRecordInfoWnd();
    CGRRecordInfoBeam* GetBeam();
    // A move asked for by the beam (GR_MOVE_...), nRecord the row for
    // GR_MOVE_RECORD.
    virtual BOOL OnInfoWndMoveRecord(int nDirection, long nRecord);
    // The record number and count the beam shows.
    virtual void UpdateRecordInfoWnd();

    /////////////////////////////////////////////////////////////////////////
    // Input from the window (CGRGridWnd forwards its messages here)

    void DoPaint(CDC* pDC);
    void DoSize(int cx, int cy);
    void DoLButtonDown(UINT nFlags, CPoint pt);
    void DoLButtonUp(UINT nFlags, CPoint pt);
    void DoLButtonDblClk(UINT nFlags, CPoint pt);
    void DoRButtonDown(UINT nFlags, CPoint pt);
    void DoRButtonUp(UINT nFlags, CPoint pt);
    void DoMouseMove(UINT nFlags, CPoint pt);
    BOOL DoMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void DoVScroll(UINT nSBCode, UINT nPos);
    void DoHScroll(UINT nSBCode, UINT nPos);
    void DoScroll(BOOL bRows, UINT nSBCode);
    void DoTimer(UINT_PTR nIDEvent);
    void DoSetFocus();
    void DoKillFocus(HWND hNewWnd);
    BOOL DoSetCursor(CPoint ptClient);
    void DoCancelMode();
    CString GetToolTipText(CPoint ptClient);

protected:
    // Cell interior, text and borders of the library's drawing.
    void DrawCellText(CDC* pDC, const CRect& rect, const CGRStyle& style, const CString& text);
    void DrawCellBorders(CDC* pDC, const CRect& rect, const CGRStyle& style);
    void DrawHeaderFrame(CDC* pDC, const CRect& rect, BOOL bMarked);

    // Records the cells' old styles for Undo (when undo is on and the change
    // is an ordinary one).
    void RecordUndo(const CGRRange& range, int nType);
    // Paints the cell range at once or marks it invalid, as flags say.
    void UpdateCellArea(const CGRRange& range, UINT flags);
    void SetCurrentCellDirect(ROWCOL nRow, ROWCOL nCol);
    void ExtendSelectionTo(ROWCOL nRow, ROWCOL nCol);
    void StartSelection(ROWCOL nRow, ROWCOL nCol, UINT nFlags);
    BOOL IsCellEditable(ROWCOL nRow, ROWCOL nCol);
    ROWCOL FirstScrollRow() const;
    ROWCOL FirstScrollCol() const;
    int FrozenHeight();
    int FrozenWidth();
    // Rows and columns alike (bRows chooses).
    struct Axis;
    Axis AxisOf(BOOL bRows);
    BOOL SetLineCount(BOOL bRows, ROWCOL n, UINT flags);
    BOOL InsertLines(BOOL bRows, ROWCOL nAt, ROWCOL nCount, UINT flags);
    BOOL RemoveLines(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, UINT flags);
    BOOL SetFrozenLines(BOOL bRows, ROWCOL nFrozen, ROWCOL nHeader, UINT flags);
    int StoredLineSize(BOOL bRows, ROWCOL n);
    BOOL SetLineSize(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, int nSize, int* pOld, UINT flags);
    BOOL HideLines(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, BOOL* pOld, UINT flags);
    int FrozenExtent(BOOL bRows);
    int LineSize(BOOL bRows, ROWCOL n);
    // Calls f(line, from, to) for the lines of an axis in view, frozen ones
    // first, while it returns true; rows are counted as they come into view.
    void ForEachLineInView(BOOL bRows, const std::function<bool(ROWCOL, int, int)>& f);
    ROWCOL LastVisibleLine(BOOL bRows);
    BOOL GetSelectedLines(BOOL bRows, CRowColArray& aw, BOOL bWholeOnly, BOOL bCanUseCurrentCell);
    // The first scrollable line from which the lines up to nLast fit in the
    // grid's area (nLast at the least).
    ROWCOL FirstLineFitting(BOOL bRows, ROWCOL nLast);
    void EnsureDefaultSizes();
    BOOL HandleEnterKey(BOOL bShift);
    BOOL MoveByTab(BOOL bBack);
    BOOL TakeFocus();
    // The range the fill handle belongs to: the last selected range, or the
    // current cell; not valid when there is neither.
    CGRRange GetFillSource();
    void EndTracking();
    void TrackMouse(CPoint pt, UINT nFlags);
    void DrawTrackLine(int nPos, BOOL bVertical);
    int CalcFitColWidth(ROWCOL nCol);
    void DoAutoFill();
    int GridMessageBox(LPCTSTR lpszText, UINT nType);
    // The search of FindText from the cell after (nRow, nCol) in the find
    // state's direction over the visible columns, made by a grid that can
    // search its data source instead of its cells: 1 found (the cell in
    // nRow, nCol), 0 nothing found, -1 the grid cannot (its cells are
    // searched one by one). The base cannot.
    virtual int FindInSource(ROWCOL& nRow, ROWCOL& nCol, CGRLongOperation& op);
    // TRUE when the find state's text is in the text of the cell.
    BOOL CellHoldsFindText(ROWCOL nRow, ROWCOL nCol);
    // The text of a cell that Find searches and Replace changes: its value.
    virtual CString GetFindTextRowCol(ROWCOL nRow, ROWCOL nCol);

    CGRGridParam* m_pParam = nullptr;
    BOOL m_bOwnParam = FALSE;
    CWnd* m_pGridWnd = nullptr;
    BOOL m_bInitDone = FALSE;
    BOOL m_bRectSet = FALSE;
    CRect m_rectGrid;
    ROWCOL m_nTopRow = 1;
    ROWCOL m_nLeftCol = 1;
    ROWCOL m_nCurRow = 0;
    ROWCOL m_nCurCol = 0;
    BOOL m_bCurCell = FALSE;
    BOOL m_bFindCanceled = FALSE;
    BOOL m_bLockUpdate = FALSE;
    BOOL m_bScrollbarsWaiting = FALSE;
    BOOL m_bToolTips = FALSE;
    BOOL m_bPrinting = FALSE;
    BOOL m_bMouseWheel = TRUE;
    BOOL m_bAutoScroll = FALSE;
    int m_nScrollModeH = 0;
    int m_nScrollModeV = 0;
    BOOL m_bInSetCurrentCell = FALSE;
    std::map<WORD, std::unique_ptr<CGRControl>> m_controls;

    // Mouse tracking.
    enum Tracking { trackNone, trackSelect, trackHit, trackColWidth, trackRowHeight, trackFill, trackRHit };
    Tracking m_nTracking = trackNone;
    ROWCOL m_nHitRow = 0, m_nHitCol = 0;       // the cell first pressed
    ROWCOL m_nDragRow = 0, m_nDragCol = 0;     // the cell under the pointer
    ROWCOL m_nAnchorRow = 0, m_nAnchorCol = 0; // the fixed corner of the range being selected
    BOOL m_bHitWasCurrent = FALSE;             // the pressed cell was already current
    int m_nTrackStartPos = 0;                  // column (row) border position when resizing began
    int m_nTrackSize = 0;                      // accepted width (height) while resizing
    CGRRange m_rangeFillSource;
    CGRRange m_rangeFillTarget;
    BOOL m_bSelectionAdded = FALSE;
    BOOL m_bExtendingSelection = FALSE;
    // The click that opened the current cell's editor: when, where, and
    // whether the editor is still as that click opened it.
    BOOL m_bClickActivated = FALSE;
    DWORD m_dwActivateClickTime = 0;
    CPoint m_ptActivateClick;
    UINT_PTR m_nAutoScrollTimer = 0;
    CPoint m_ptLastMouse;

    // Logical-unit metrics of the standard font (0 until measured).
    int m_nAveCharWidth = 0;
    int m_nLineHeight = 0;
};

// Where a window goes so that it does not cover a rectangle (all in screen
// coordinates): where it is when it does not; else just below the
// rectangle, above it, right of it or left of it, the first of those that
// lies inside the work area (the window's other coordinate kept, moved in
// only as far as the work area needs); where it is when none does.
CRect GRPlaceOffRect(const CRect& window, const CRect& avoid, const CRect& workArea);
