// CGridWindow: the main grid of the main view. It shows one table of the
// component database at a time (table types 0 to 17 over a filtered
// Components recordset or the tape join, 18 over the user's query), with
// titles and values in the user's display units, per-table column sets,
// widths and sort orders kept in the registry, in-place editing with
// validation, and the mouse actions of the component grid. It keeps the
// side grids (assembly items, nozzles of an outlet, outlets of a nozzle) in
// step with its current row.
#pragma once

#include "platform/grid/GridLib.h"
#include "database/records/ComponentRecords.h"
#include "database/records/TapeRecords.h"
#include "grids/core/CellConversion.h"
#include "grids/core/GridSettings.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridView.h"

#include <vector>

class CAssemWnd;
class CNozzleWnd;
class COutletWnd;
class CQueryWnd;

class CGridWindow : public CGRRecordWnd
{
    DECLARE_DYNAMIC(CGridWindow)
public:
    // Builds the recordsets on the view's database, the default column map
    // and the sort orders. The window is created afterwards (Create) and set
    // up once with InitGrid. A grid without a view keeps its state itself.
    explicit CGridWindow(CGridView* pView);
    // Closes and deletes the recordsets and saves the column map and fit type.
    ~CGridWindow() override;

    // Edit states.
    enum
    {
        editExisting = 0,   // a cell edit, or an existing component in an editor
        editAdding = 1,     // a component is being added in an editor
        editNone = 2,
    };

    /////////////////////////////////////////////////////////////////////////
    // Tables and recordsets

    // Once after the window exists: parameters, styles, fonts, the column
    // map from the registry, and table 0.
    void InitGrid();
    // Shows another table type: closes the open recordsets, gives the grid
    // the table's recordset (opened with its filter and sort) and, unless
    // bNoSetUp, shows the table's columns and title. The caller then opens
    // it in the grid (OpenRecordset) and fits the columns.
    void SetTable(int nTableType, BOOL bNoSetUp);
    void SetTable(int nTableType) { SetTable(nTableType, FALSE); }
    int GetTableType() const { return m_nTableType; }
    // The shown table's recordset, moved to the grid's current row.
    CRecordset* GetRecordset();
    // The second Components record of the grid (not bound to a row).
    CRecords* GetRecords() { return m_pWorkRecord; }
    // The tape extras on the Tapes row of a pipe; null when they are closed
    // or have no row for it.
    CTapeExtras* FindTapeExtras(long nPipeKey);
    // Remembers the current row of the shown table and its component's key
    // (before a tab change).
    void SaveCurrentRow();
    // The grid's part of a tab change: remembers the row of the table left,
    // shows the new table (read-only while the view builds an assembly or
    // edits nozzles, or an editor is open), opens its recordset, fits the
    // columns and returns to the row remembered for the table.
    void SwitchTable(int nTableType);
    // The row remembered for a table type (0 none).
    long GetRememberedRow(int nTableType) const;
    // [Component Key] of the shown table's current record; -1 when there is
    // none (no record, or the Query table).
    long GetCurrentKey();

    void SetAssemWnd(CAssemWnd* pWnd) { m_pAssemWnd = pWnd; }
    void SetNozzleWnd(CNozzleWnd* pWnd) { m_pNozzleWnd = pWnd; }
    void SetOutletWnd(COutletWnd* pWnd) { m_pOutletWnd = pWnd; }
    void SetQueryWnd(CQueryWnd* pWnd) { m_pQueryWnd = pWnd; }

    // The "~" form of a description for a copy, at the width of [Description].
    CString MakeUniqueDescription(const CString& text);
    static CString PadToLength(const CString& text, int nLength);

    // Unhooks and deletes the record beam's font (before the window goes).
    void DetachRecordBeam();

    CGRDynamicRecordsetEx* GetQueryRecordset() { return m_pQueryRecordset; }
    CRecords* GetComponentRecordset() { return m_pComponentRecordset; }
    CTapeRecords* GetTapeRecordset() { return m_pTapeRecordset; }

    /////////////////////////////////////////////////////////////////////////
    // Settings: sort orders, column map, fit type

    BOOL LoadSortOrders();
    void SetDefaultSortOrders() { m_settings.SetDefaultSortOrders(); }
    CString GetSortOrder(int nTableType) const { return m_settings.GetSortOrder(nTableType); }
    static CString GetDefaultSortOrder(int nTableType) { return kvgrid::GetDefaultSortOrder(nTableType); }
    void BuildColumnMap();
    BOOL LoadColumnMap();
    BOOL SaveColumnMap();
    CString GetColumnMapTitle(int nTableType, int nColumn) const
    {
        return m_settings.GetColumnMapTitle(nTableType, nColumn);
    }
    kvgrid::CGridSettings& GetSettings() { return m_settings; }

    /////////////////////////////////////////////////////////////////////////
    // Set-up, fonts and column widths

    void LoadStandardFont(BYTE nCharSet);
    void SetReadOnlyColours(BOOL bReadOnly, BOOL bRedraw);
    // Applies the fit type to the shown table.
    void FitColumnWidths();
    int GetFitType() const { return m_settings.GetFitType(); }
    void SetFitType(int nFitType) { m_settings.SetFitType(nFitType); }
    void StoreColWidths();
    int GetStoredColWidth(ROWCOL nCol);
    void FitToGridWidth();
    // In stretch mode, the Description takes the width the other columns
    // leave of the grid's.
    void StretchDescription();
    BOOL IsRightToLeft() const { return m_bRightToLeft; }

    int GetColWidth(ROWCOL nCol) override;
    BOOL OnTrackColWidth(ROWCOL nCol) override;
    BOOL OnTrackColWidthMove(ROWCOL nCol, int nWidth) override;
    BOOL OnTrackColWidthEnd(ROWCOL nCol, int nWidth) override;

    /////////////////////////////////////////////////////////////////////////
    // Column titles with units

    CString GetFieldTitle(int nTableType, int nColumn);
    CString GetColumnTitle(int nTableType, int nColumn);
    // After a change of units: every non-empty new header text of tables
    // 0 .. 17 replaces the title in the column map; widths and visibility
    // stay. The shown headers follow.
    void UpdateColumnTitles();

    /////////////////////////////////////////////////////////////////////////
    // Cell values

    // Converts a cell of the shown table between stored text and display
    // text (kvgrid::CONVERT_TO_DISPLAY / CONVERT_TO_STORED); 1 when converted.
    int ConvertCellValue(int nDirection, ROWCOL nRow, ROWCOL nCol, const CString& in, CString& out);
    // The same with the row's [Item Type] given (the outlets' arc column
    // converts by it).
    int ConvertCellText(int nDirection, ROWCOL nRow, ROWCOL nCol, const CString& itemType, const CString& in,
                        CString& out);
    // A record's cell as OnLoadCellStyle shows it, from its fields' texts;
    // for Find, without the blanks a stored text is padded with.
    CString GetRecordCellText(ROWCOL nCol, const std::function<CString(ROWCOL)>& valueOf) override;
    // The text of a cell that Find searches, Replace changes and Copy puts
    // on the clipboard: without the blanks a stored text is padded with.
    CString GetFindTextRowCol(ROWCOL nRow, ROWCOL nCol) override;
    CString GetCopyTextRowCol(ROWCOL nRow, ROWCOL nCol) override;
    void GetRecordCellColumns(ROWCOL nCol, std::vector<ROWCOL>& cols) override;
    // The text of a cell of a row: the value typed and not stored yet, else
    // the record's value as stored.
    CString GetRowValue(ROWCOL nRow, ROWCOL nCol);

    BOOL OnLoadCellStyle(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, LPCTSTR pszExistingValue) override;
    void OnDrawItem(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rectItem, const CGRStyle& style) override;

    // The line types cells are drawn with: the count and the dash and gap
    // lengths of an entry (thousandths of the cell width), from the
    // program's line types (LineTypeList).
    virtual int GetLineTypeCount();
    virtual BOOL GetLineTypePattern(int nIndex, std::vector<int>& pattern);

    /////////////////////////////////////////////////////////////////////////
    // Editing

    int GetEditState() const { return m_nEditState; }
    void SetEditState(int nState) { m_nEditState = nState; }
    // Read-only while an editor dialog is open or an assembly is built.
    void SetReadOnly(BOOL bReadOnly);
    BOOL IsReadOnly() const { return m_bReadOnly; }
    // Checks (and corrects) one cell text; bInEditor when it comes from the
    // cell's in-place editor, whose text the corrections go back into.
    BOOL ValidateCellText(CString& text, ROWCOL nRow, ROWCOL nCol, BOOL bInEditor);
    // Nonzero when no other component of the database number has this
    // description and warehouse code (other than nExcludeKey; -1 none).
    BOOL CheckDuplicate(long nExcludeKey, LPCTSTR lpszDescription, LPCTSTR lpszWarehouseCode,
                        long nDatabaseNumber);

    BOOL OnStartEditing(ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnValidateCell(ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnEndEditing(ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnCancelEditing(ROWCOL nRow, ROWCOL nCol) override;
    BOOL SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& str, UINT flags = GR_UPDATENOW,
                              const CGRStyle* pOldStyle = nullptr) override;
    BOOL OnFlushRecord(ROWCOL nRow, CString* pErrorText) override;
    BOOL OnStartAutoFillSelection(CGRRange& range, UINT& nFlags, CPoint& point) override;
    BOOL Paste() override;
    BOOL CanPaste() override;

    /////////////////////////////////////////////////////////////////////////
    // Records

    CRecordset* OnGetRecordset() override;
    void OpenRecordset() override;
    void PreUpdateRecordset() override;
    BOOL Edit(ROWCOL nRow) override;
    BOOL Update(CString* pErrorText = nullptr) override;
    void OnAddedNewRecord() override;
    BOOL SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags = GR_SCROLLINVIEW | GR_UPDATENOW) override;
    void OnMovedCurrentCell(ROWCOL nRow, ROWCOL nCol) override;
    BOOL ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt = 1, UINT flags = 0) override;
    void OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase) override;

    /////////////////////////////////////////////////////////////////////////
    // Mouse

    BOOL OnLButtonClickedRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt) override;
    BOOL OnLButtonHitRowCol(ROWCOL nHitRow, ROWCOL nHitCol, ROWCOL nDragRow, ROWCOL nDragCol, CPoint point,
                            UINT flags, WORD nHitState) override;
    BOOL OnRButtonHitRowCol(ROWCOL nHitRow, ROWCOL nHitCol, ROWCOL nDragRow, ROWCOL nDragCol, CPoint point,
                            UINT flags, WORD nHitState) override;
    BOOL OnLButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt) override;
    // The header double-click sort: ascending, or descending when the same
    // column was last sorted ascending.
    BOOL SortOnHeaderDblClk(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt);
    // Sorts the shown recordset by the first entry's column and shows it again.
    void SortRecordset(const CGRRange& range, CGRSortInfoArray& sortInfo, UINT flags);
    long GetColourRow() const { return m_nColourRow; }
    long GetLineTypeRow() const { return m_nLineTypeRow; }

    /////////////////////////////////////////////////////////////////////////
    // Storing a component from its editor

    // The bracket around an editor dialog: the edit state (editAdding or
    // editExisting), the grid read-only and the current row remembered; then
    // writable again, no row remembered, edit state none.
    void BeginDialogEdit(int nEditState);
    void EndDialogEdit();
    long GetRememberedRow() const { return m_nRememberedRow; }
    // Before the pending row of the grid is left: stores it unasked when the
    // application's options say so, else asks lpszText (Yes, No and, unless
    // bNoCancel, Cancel). FALSE when the user cancels or the row cannot be
    // stored (the user has been told why); TRUE once the row is stored or its
    // changes are dropped.
    BOOL PromptSaveRecord(LPCTSTR lpszText, BOOL bNoCancel);

    // Stores a component through the grid's row: a new one (edit state
    // adding, or a paste) into the append row, an edited one into its own
    // row. A new component whose description and warehouse code another of
    // its kind has gets "~" in front of its description (the record's
    // description changes with it); an edited one is refused with a message
    // instead. Afterwards the stored row is current and the copy flags take
    // the source's Assemblies and Nozzles rows along. FALSE when nothing was
    // stored (the user has been told why): the editor stays open.
    BOOL DuplicateComponent(CRecords& record, const CTapeRecords* pTape);
    // Stores a component through a recordset of its own, by the record's
    // [Component Key] (a new row when none has it), with its Tapes row for a
    // tape, and tells the design program as the kind of change asks. A twin
    // of another component is refused with a message. FALSE when nothing was
    // stored (the user has been told why).
    BOOL SaveComponent(const CRecords& record, const CTapeRecords& tape);
    // Stores a copy of a component (with its Tapes values; null: none) as a
    // new component through DuplicateComponent; the grid is on its append row.
    BOOL CopyComponent(CRecords& record, const CTapeExtras* pTapeExtras);
    // TRUE when no other component of the record's kind has its description
    // and warehouse code (CheckDuplicate with the record's key).
    BOOL CheckDuplicateRecord(const CRecords& record);
    // The key of a component of the grid's database with the record's
    // description, warehouse code and database number; -1 when none.
    long IsDuplicateComponent(const CRecords& record);

    // The copy flags, in the state shared with the view.
    void SetCopyAssemblyItems(BOOL bCopy) { State().bCopyAssemblyItems = bCopy; }
    void SetCopyNozzles(BOOL bCopy) { State().bCopyNozzles = bCopy; }

    /////////////////////////////////////////////////////////////////////////
    // Deleting components

    // Deletes the selected rows' components after asking (unless the
    // application's options say not to), with a second warning naming the
    // assemblies or outlets that use a component.
    virtual void DeleteSelected();
    // Deletes the component of one row, warning first when others use it.
    void DeleteRow(ROWCOL nRow);
    // Deletes the components of row ranges with the rows that belong to them
    // (DeleteComponents).
    void DeleteRows(const CRowColArray& awRowStart, const CRowColArray& awRowEnd) override;
    using CGRODBCGrid::DeleteRows;

    /////////////////////////////////////////////////////////////////////////
    // Assembly building and nozzle assignment

    // The view's assembly and nozzle modes (CGridState); the grid is
    // read-only while an assembly is built.
    void SetAssemblyMode(BOOL bAssemblyMode);
    void SetNozzleMode(BOOL bNozzleMode) { State().bNozzleMode = bNozzleMode; }
    // Adds a component (-1: the current row's) to the assembly being built,
    // asking its count or length; adding it again changes its quantity.
    virtual void AddToAssembly(long nKey);
    // Adds the current row's nozzle to the outlet whose nozzles are edited.
    virtual void AddNozzleToEmitter();

    /////////////////////////////////////////////////////////////////////////
    // Find

    // Makes the row of a component current (with bSetCell) and returns it;
    // the current row when the shown table has no such component.
    ROWCOL FindKey(long nKey, BOOL bSetCell = TRUE);
    // Writes a value picked in the colour or line-type picker into the cell
    // that was pressed, and stores its row.
    void SetColourCell(long nColour);
    void SetLineTypeCell(long nLineType);

protected:
    // The state shared with the view (the grid's own without a view).
    CGridState& State() const { return m_pView ? m_pView->GetGridState() : m_ownState; }
    const OZU_UnitSet* DisplayUnits() const;
    int SignificantDigits() const;
    kvgrid::CGridSettingsStore& Store();
    // The table set-up: columns shown or hidden and the beam's title.
    void SetUpTable(int nTableType);
    // Rows of records (not the header, not the append row).
    BOOL IsRecordRow(ROWCOL nRow);
    // The recordset's field of a grid column is a colour or a line type.
    BOOL IsColourColumn(ROWCOL nCol);
    BOOL IsLineTypeColumn(ROWCOL nCol);
    // Width of a text column as the database reports it (0 none).
    int GetTextColumnWidth(ROWCOL nCol);
    // A cell's text without the blanks that pad a stored text of a
    // fixed-width column (the Label's two halves included); any other text
    // as it is.
    CString WithoutPadding(ROWCOL nCol, const CString& text) const;
    // The fixed-width texts of the row being written, padded to their
    // columns' widths; with bNewRow those the user left untouched too.
    void PadRowTexts(BOOL bNewRow);
    BOOL CheckSupplierCode(CString& text);
    // -1: the test failed; 0: a duplicate; 1: none.
    int TestDuplicate(long nExcludeKey, const CString& description, const CString& warehouseCode,
                      long nDatabaseNumber);
    void SetEditorText(ROWCOL nRow, ROWCOL nCol, const CString& text);
    void StoreHeader(ROWCOL nCol, const CString& text);
    // The order a table is shown in: the user's by a header, else the stored.
    CString ShownSortOrder(int nTableType) const;
    // The shown table keeps the order the user chose by a header.
    void KeepUserSort(const CString& sort, ROWCOL nCol, BOOL bAscending);
    // Refills the side grids for the current record.
    void RefreshSideGrids(ROWCOL nRow);
    // Hands the shown table's record to the main frame (the curve-fit bar).
    virtual void NotifyComponentChanged(CRecordset* pRecordset);
    // Asks the count (or, with bLength, the length in metres) of an assembly
    // item; FALSE when the user cancels.
    virtual BOOL AskItemQuantity(BOOL bLength, const CString& description, float& fQuantity);
    // The database of the view; null without one.
    CDatabase* Database() const;
    // The read-only attribute of the standard style (cells refuse edits).
    void SetStyleReadOnly(BOOL bReadOnly);
    // The row of a component in the shown table; 0 when it has none.
    ROWCOL FindRowOfKey(long nKey);
    // Writes a record's columns into a row (and a tape's Tapes columns).
    BOOL WriteRecordToRow(ROWCOL nRow, const CRecords& record, const CTapeRecords* pTape);
    // Writes a value into the cell of a remembered row and stores the row.
    void SetPickedCell(long nRow, ROWCOL nCol, long nValue);
    // The rows of the selection, or the current cell's row, highest first.
    std::vector<ROWCOL> SelectedRowsDescending();

    // Puts a searched text at the top of the main frame's find list.
    virtual void AddFindText(LPCTSTR lpszFind);
    void DrawColourCell(CDC* pDC, ROWCOL nRow, const CRect& rect, const CGRStyle& style);
    void DrawLineTypeCell(CDC* pDC, ROWCOL nRow, const CRect& rect, const CGRStyle& style);
    // A typed row of a new tape: its Tapes values wait until its key is known.
    void HoldNewTapeValues();
    void CreateNewTapeRow();

    CGridView* m_pView;
    mutable CGridState m_ownState;
    int m_nEditState = editNone;
    CGRDynamicRecordsetEx* m_pQueryRecordset = nullptr;
    CRecords* m_pComponentRecordset = nullptr;
    CTapeRecords* m_pTapeRecordset = nullptr;
    CTapeExtras* m_pTapeExtras = nullptr;
    BOOL m_bReadOnly = FALSE;
    int m_nTableType = kvgrid::TABLE_PIPE;
    ROWCOL m_nLastRow = 0;
    // One entry per table type, the Query table included: the row left and
    // the key of its component (0 none), which finds the row again when the
    // table comes back in another order or with rows added.
    long m_aCurrentRows[kvgrid::TableTypeCount] = {};
    long m_aCurrentKeys[kvgrid::TableTypeCount] = {};
    // The order the user chose for a table by its header (empty: the stored
    // order), with the column and direction its header arrow shows; kept
    // while the grid lives, so that the table comes back in it.
    struct UserSort
    {
        CString sort;
        ROWCOL nCol = 0;
        BOOL bAscending = TRUE;
    };
    UserSort m_aUserSorts[kvgrid::TableTypeCount];
    kvgrid::CGridSettings m_settings;
    kvgrid::CRegistryGridSettingsStore m_registryStore;
    BOOL m_bRightToLeft = FALSE;
    CFont* m_pBeamFont = nullptr;
    CGRDbParam* m_pParam = nullptr;
    BOOL m_bParamGiven = FALSE;
    CAssemWnd* m_pAssemWnd = nullptr;
    CNozzleWnd* m_pNozzleWnd = nullptr;
    COutletWnd* m_pOutletWnd = nullptr;
    CQueryWnd* m_pQueryWnd = nullptr;
    CAssemRecords* m_pAssemRecords = nullptr;
    CNozzleRecs* m_pNozzleRecs = nullptr;
    CRecords* m_pWorkRecord = nullptr;
    long m_nRememberedRow = 0;   // row of the dialog-edit bracket; 0 none
    BOOL m_bDeleting = FALSE;    // DeleteSelected is deleting its rows
    long m_nStoredKey = 0;       // key of the row the last record flush wrote
    BOOL m_bRestoreRow = FALSE;
    BOOL m_bSkipFirstMove = TRUE;
    long m_nColourRow = -1;
    long m_nLineTypeRow = -1;
    BOOL m_bFirstOpen = TRUE;
    // The grid's first table, opened by InitGrid and not touched since: the
    // first switch to it keeps it open instead of running its queries again.
    BOOL m_bInitTableOpen = FALSE;
    CString m_strTextBeforeEdit;
    BOOL m_bStoringText = FALSE;
    // A new tape typed into the grid: the Tapes values typed with it, and
    // the key its Components row got.
    BOOL m_bNewTapeHeld = FALSE;
    TapeFields m_newTapeValues;
    std::vector<int> m_newTapeColumns;
    long m_nNewTapeKey = 0;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
