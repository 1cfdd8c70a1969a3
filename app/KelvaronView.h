// The main view of a component-database document: one tab per kind of
// component (and the Query tab when the options ask for it) over the main
// grid, which shows the table of the selected tab, and below it the side tab
// window with the side grids (the items of the current assembly, the nozzles
// of an outlet, the outlets of a nozzle, the query text).
//
// The view keeps the form, the tabs and the child grids. Its working state
// (the tab, the mode, the open editor, the command rule) is a CViewState,
// which the frames ask too; three parts of the view do the rest, each with
// its own data: the query pane (CQueryPane, ViewQueries.cpp), the copy and
// paste of rows and components (CRowClipboard, ViewClipboard.cpp) and the
// component editors (CEditorHost, ViewEditors.cpp and ViewSaveComponent.cpp).
// The view's members that the editors, grids and frames call stay here and
// hand over to them.
//
// Here too are the view's services the grids call (CGridView).
#pragma once

#include "platform/framework/Framework.h"
#include "app/ViewClipboard.h"
#include "app/ViewEditors.h"
#include "app/ViewQueries.h"
#include "app/state/ViewState.h"
#include "database/records/ComponentTexts.h"
#include "editors/base/window/ComponentDialog.h"
#include "pickers/controls/ColorStatic.h"
#include "grids/window/GridView.h"
#include "platform/grid/GRGridWnd.h"

class CKelvaronDoc;
class CGridWindow;
class CAssemWnd;
class CHeadGridWnd;
class CNozzleWnd;
class COutletWnd;
class CTabWnd;
class CRecords;
class OZU_PopupColorWell;
struct ComponentFields;

class CKelvaronView : public CFormView, public CEditorView
{
    DECLARE_DYNCREATE(CKelvaronView)
public:
    enum { IDD = 208 };

    CKelvaronView();
    ~CKelvaronView() override;

    CKelvaronDoc* GetDocument() const;
    // The document's open connection; null without one.
    CDatabase* GetDatabase() const override;

    // A diameter converted into a length unit through the document's
    // nominal-size table (the table's counterpart, else the plain
    // conversion); without a document the result is left as given, so a new
    // (not valid) value stays not valid.
    OZU_DiameterValue& ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter,
                                      int nUnit) override;

    // The [Database Number] and [Flags] of a new component of a tab: Tape
    // gives 1 and 2; Outlet keeps a [Flags] value of 4 and clears any other;
    // Query and any other tab give 0 and 0; every other tab its number and 0.
    static void TabToComponentType(int nTab, BYTE& nDatabaseNumber, long& nFlags);
    // The tab of a component: [Database Number] 1 gives Tapes when [Flags]
    // has the tape bit, else Pipes; the other numbers their tab; any other
    // number -1.
    static int ComponentToTab(const ComponentFields& record);

    // Reads the text widths of Components columns 6 to 13, 33 and 34 from
    // the database.
    void ReadFieldLengths();
    // The text width of a 1-based Components column; 0 for other columns.
    int GetFieldLength(int nColumn) const override;
    // TRUE while the application object is starting up.
    BOOL IsStartingUp() const override;
    // The application's option word (0 without the application object).
    DWORD GetOptions() const override;
    CGridState& GetGridState() override { return m_gridState; }
    CGridFrame* GetGridFrame() override;
    CString GetTableSortOrder(int nTableType) override;

    // The working state: the tab, the mode, the open editor, the popup.
    const CViewState& GetViewState() const { return m_viewState; }
    // The parts of the view: the query pane, the copy and paste of rows and
    // components, the component editors.
    CQueryPane& GetQueryPane() { return m_queryPane; }
    CViewClipboard& GetClipboard() { return m_clipboard; }
    CEditorHost& GetEditorHost() { return m_editors; }

    /////////////////////////////////////////////////////////////////////////
    // Windows

    CGridWindow* GetGrid() const { return m_pGrid; }
    CAssemWnd* GetAssemWnd() const { return m_pAssemWnd; }

    // A grid made by somebody else, who keeps it (the view deletes only the
    // grid it makes itself); for a grid outside the view's own windows.
    void SetGrid(CGridWindow* pGrid)
    {
        m_pGrid = pGrid;
        m_bOwnsGrid = FALSE;
    }

    /////////////////////////////////////////////////////////////////////////
    // Tabs

    int GetCurrentTab() const { return m_viewState.GetCurrentTab(); }
    // Selects a tab as a click does (the tab change runs; refusals do not).
    void SelectTab(int nTab);
    // The Query tab (with the option that shows it) after the eighteen tabs
    // of the component tables, and away again (tab 0 selected first when it
    // was selected).
    void AddQueryTab();
    void RemoveQueryTab();
    // The main grid's part of a tab change: remembers the row of the table
    // left, shows the new table, opens its recordset, fits the columns and
    // returns to the row remembered for it.
    void SwitchGridTable(int nTab);

    /////////////////////////////////////////////////////////////////////////
    // Commands

    // Whether a component command may run now (the state's rule, with the
    // main grid's record).
    BOOL IsCommandEnabled(UINT nID);
    BOOL IsEditorOpen() const { return m_viewState.IsEditorOpen(); }

    // Commands the grid's double click starts.
    void OnAddComponent() override;
    void OnEditComponent() override;
    void OnAddToAssembly() override;
    void OnAddNozzle() override;
    // Adds a component (-1: the main grid's current row) to the assembly
    // being built.
    void AddToAssembly(long nKey) override;
    void EditComponentByKey(long nKey) override;
    // Shows a component in the curve-fit bar (after the main grid's changed
    // record is settled).
    void ShowComponentInCurveFit(long nKey) override;
    // Removes the nozzle grid's selected nozzles from the outlet whose
    // nozzles are edited (on the Nozzles tab), or from the current outlet.
    void OnRemoveNozzle() override;
    // The pickers of a colour cell and of a line-type cell (screen rectangle
    // of the cell, its value, and its row).
    void ShowColourPopup(const CRect& rect, long nColour) override;
    void ShowLineTypePopup(const CRect& rect, long nLineType, long nRow) override;

    /////////////////////////////////////////////////////////////////////////
    // The component editors (CEditorHost)

    // Opens the editor of a component's kind on a record (read while the
    // editor opens), unless an editor is open already. bFromGridRow: the
    // record is the main grid's row (the edit belongs to the current tab);
    // bEditExisting: an existing component is edited (else one is added).
    virtual void OpenComponentDialog(CRecords& record, BOOL bFromGridRow, BOOL bEditExisting);
    // The window the editors are made in: the main frame, which owns them.
    CWnd* GetEditorParent() override;
    // Stores the component the open editor holds, converted into the units
    // the database keeps; FALSE when nothing was stored (the user has been
    // told why), the edit then going on as it was.
    BOOL SaveComponent(OZU_ComponentDialog* pEditor) override;
    // The open editor was cancelled: the edit of the grid's row ends.
    void EndEdit() override;
    // The open editor is going: no open editor, no edited tab.
    void ClearCurrentDialog(OZU_ComponentDialog* pEditor) override;
    CString GetSymbolFolder() const override;

    // The context menu a right click on a window shows: the popup of the
    // grid context menus for it, its texts and states set. FALSE when the
    // window has none.
    BOOL PrepareContextMenu(CWnd* pWnd, CMenu& menu, CMenu*& pPopup);

    /////////////////////////////////////////////////////////////////////////
    // The view's life

    void OnDraw(CDC* pDC) override;
    // Once the document has its database: the tabs, the main grid and the
    // side tab window, laid out in the view; the database window maximised
    // or sized as the options say. Without a database the view stays empty.
    void OnInitialUpdate() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The document's database changed under the view (a merge into it): the
    // shown table is read again and its columns fitted, on the component
    // the user was on, in the user's order. The Query tab's statement is
    // not run again.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // After a change of display units: the grid's column titles name the new
    // units, and the current table is shown again in them.
    void OnUnitsChanged();
    // After Setup Options: the Query tab shown or taken away as the option
    // now says, and with bCharSetChanged every grid and the side tabs in
    // the character set nCharSet.
    void OnOptionsChanged(BOOL bCharSetChanged, int nCharSet);
    // Leaves the assembly and nozzle modes, and destroys the grids, the
    // query pane and the side tab window.
    void ReleaseGrids();
    // The database window was activated: the curve-fit bar follows the table
    // shown (no outlet curve is preset here) and the main grid's record.
    void OnFrameActivated();

    // Places the view's windows in a client area of cx x cy.
    void LayOut(int cx, int cy);

    // The tool tip of a tab.
    CString GetTabToolTip(int nTab);

    afx_msg void OnNewAssembly();
    afx_msg void OnEditAssembly();
    afx_msg void OnRemoveFromAssembly();
    afx_msg void OnFinishAssembly();
    afx_msg void OnEditNozzles();
    afx_msg void OnEditItem();
    afx_msg void OnDeleteComponent();

    // Closing (the child frame's close routine and the main frame's close
    // call these; each ends with the document and its window closed).
    // The main grid's changed record before a close that keeps the changes:
    // stored unasked with OPTION_NO_UPDATE_WARNING, else asked (Yes stores,
    // No drops the changes). FALSE when the user cancels or the record
    // cannot be stored: the close stops and everything stays open.
    BOOL SettleChangedRecord();
    // Close keeping the changes: settles the changed record, releases the
    // grids, the document closes its database and deletes its backup, then
    // the window closes. FALSE (nothing closed) when the record was not
    // settled.
    BOOL CloseKeeping();
    // Close without saving: the grids go with any unstored changes, the
    // document closes its database and puts its backup back (telling the
    // user when it cannot), then the window closes.
    void CloseRestoring();
    // TRUE while an assembly is being built or edited.
    BOOL IsEditingAssembly() const { return m_viewState.IsAssemblyMode(); }

    /////////////////////////////////////////////////////////////////////////
    // The user's queries on the Query tab (CQueryPane)

    // The file of the saved queries: the program folder's "Queries.kvq".
    static CString GetQueryFilePath() { return CQueryPane::GetQueryFilePath(); }
    void FillQueryCombo() { m_queryPane.FillQueryCombo(); }
    void LoadQuery(BOOL bFromCombo) { m_queryPane.LoadQuery(bFromCombo); }
    // Runs the pane's statements; a change that removed what the program
    // needs is told once (CheckSchema).
    afx_msg void OnExecuteQuery();
    // After a change the user's query kept: when the database lacks what
    // the program needs, the user is told once, naming it, and the view
    // keeps to the Query tab until it is back.
    void CheckSchema();
    afx_msg void OnSaveQuery() { m_queryPane.OnSaveQuery(); }
    afx_msg void OnDeleteQuery() { m_queryPane.OnDeleteQuery(); }
    afx_msg void OnReloadQueries() { m_queryPane.OnReloadQueries(); }
    // Shows a failure's own message in the application's message box, and
    // deletes the exception.
    static void ReportFailure(CException* e);

    /////////////////////////////////////////////////////////////////////////
    // Clipboard, find, undo, the Columns menu and orphan nozzles
    // (KelvaronViewEdit.cpp; the rows' copy and paste in CViewClipboard)

    // The grid of the focus window (or of its parent): the main grid or a
    // side grid; null when none.
    CGRGridCore* GetFocusedGrid();
    // The text searched by Find next and Find previous (the main frame's
    // find box sets it).
    void SetFindText(LPCTSTR lpszText);
    // Searches the text again in the grid clicked last, downwards or upwards;
    // with no text yet, the newest of the main frame's find list.
    BOOL FindNextPrev(BOOL bDown);
    // The entries of the shown table's columns appended to the Columns menu.
    void AppendColumnEntries(CMenu& popup);
    afx_msg void OnDeleteOrphanNozzles();

protected:
    friend class CQueryPane;
    friend class CViewClipboard;
    friend class CEditorHost;

    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUndoRecord();
    afx_msg void OnEditFind();
    afx_msg void OnEditReplace();
    afx_msg void OnFindNext();
    afx_msg void OnFindPrevious();
    afx_msg void OnColumnMenu(UINT nID);
    afx_msg void OnFitToContent();
    afx_msg void OnFitToWindow();
    afx_msg void OnStretchToFit();
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateUndoRecord(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedsNoDialog(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFit(CCmdUI* pCmdUI);
    afx_msg void OnUpdateExecuteQuery(CCmdUI* pCmdUI) { m_queryPane.OnUpdateExecuteQuery(pCmdUI); }
    afx_msg void OnUpdateSaveQuery(CCmdUI* pCmdUI) { m_queryPane.OnUpdateSaveQuery(pCmdUI); }
    afx_msg void OnUpdateDeleteQuery(CCmdUI* pCmdUI) { m_queryPane.OnUpdateDeleteQuery(pCmdUI); }
    afx_msg void OnUpdateReloadQueries(CCmdUI* pCmdUI) { m_queryPane.OnUpdateReloadQueries(pCmdUI); }
    afx_msg void OnQuerySelChange() { m_queryPane.OnSelChange(); }
    afx_msg void OnQueryEditChange() { m_queryPane.OnEditChange(); }
    void SetFitType(int nFitType);

protected:
    afx_msg void OnCloseKeeping() { CloseKeeping(); }
    afx_msg void OnCloseRestoring() { CloseRestoring(); }
    // Closes the document and with it this view and its frame.
    void CloseDocumentWindow();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnDestroy();
    afx_msg void OnTabSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnTabToolTip(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnColourChosen(WPARAM wParam, LPARAM lParam);
    afx_msg void OnAddComponentCommand() { OnAddComponent(); }
    afx_msg void OnEditComponentCommand() { OnEditComponent(); }
    afx_msg void OnAddToAssemblyCommand() { OnAddToAssembly(); }
    afx_msg void OnAddNozzleCommand() { OnAddNozzle(); }
    afx_msg void OnRemoveNozzleCommand() { OnRemoveNozzle(); }
    afx_msg void OnUpdateComponentCommand(CCmdUI* pCmdUI);

    // The side panes of tab 1 of the side tab window: made, attached and
    // shown, or detached (their windows destroyed).
    void ShowGridPane(CHeadGridWnd* pPane, BOOL& bShown, UINT nLabelId, BOOL bSwitch);
    void HidePane(CWnd* pPane, BOOL& bShown);

    // The line above the grid, which names what the view works on: the
    // assembly being made or edited (red), the outlet whose nozzles are
    // edited (blue), the saved query on the Query tab (the combo in place of
    // the name); off otherwise. All its looks are set here.
    enum class ModeLine
    {
        off,
        creatingAssembly,
        editingAssembly,
        addingNozzles,
        query,
    };
    void SetModeLine(ModeLine line, const CString& name = CString());

    // The grids follow the state's mode (the main grid is read-only in the
    // assembly mode).
    void ShowMode();
    // Leaves assembly mode: back to the assembly's tab and row.
    void EndAssembly();
    // Deletes the assembly being built (it has no items) after leaving
    // assembly mode.
    void DeleteEmptyAssembly();
    // What the main grid is on, for the command rule.
    CGridRow CurrentGridRow();
    // The main grid's current record when it is a component (the row's
    // number in *pRow); null on the append row, the Query or Tapes table.
    CRecords* CurrentComponent(ROWCOL* pRow = nullptr);
    // Settles the main grid's changed record (stores it, or asks); FALSE
    // when it could not be stored.
    BOOL SettleRecord(UINT nPromptId);
    // Which grid a window is (or lies in); null for others.
    CWnd* GridOfWindow(HWND hWnd);
    void MakeBeamFonts(int nCharSet);
    // The width the caption needs for the longest of its texts.
    int CaptionWidth();

    CComboBox m_queryCombo;
    CColorStatic m_nameStatic;
    CColorStatic m_captionStatic;
    CTabCtrl m_tabCtrl;
    CString m_strCaption;
    CString m_strName;
    CGridWindow* m_pGrid = nullptr;
    BOOL m_bOwnsGrid = FALSE;
    CAssemWnd* m_pAssemWnd = nullptr;
    CNozzleWnd* m_pNozzleWnd = nullptr;
    COutletWnd* m_pOutletWnd = nullptr;
    CTabWnd* m_pTabWnd = nullptr;
    CGRRecordInfoWnd m_recordInfo;
    CViewState m_viewState;
    CGridState m_gridState;
    kvrecords::ComponentTextWidths m_fieldWidths;
    BOOL m_bNozzlePaneShown = FALSE;
    BOOL m_bOutletPaneShown = FALSE;
    BOOL m_bInitialising = TRUE;
    BOOL m_bExchangeFailed = FALSE;
    OZU_PopupColorWell* m_pColourPopup = nullptr;
    CWnd* m_pClickTarget = nullptr;
    double m_dSplit = 0.333;
    HFONT m_hBoldFont = nullptr;
    CFont* m_pBeamFonts[2] = { nullptr, nullptr };
    char m_szTipText[2048] = {};

    CQueryPane m_queryPane;
    CViewClipboard m_clipboard;
    CEditorHost m_editors;

    DECLARE_MESSAGE_MAP()
};
