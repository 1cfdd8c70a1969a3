// CQueryPane: the main view's Query tab. The user's SQL, typed in the query
// pane under the main grid, runs against the database: a SELECT shows its
// rows in the main grid, any other statement runs in a transaction that is
// kept only when the user says yes. Named queries are kept in the program's
// query file and chosen in the combo of the line above the grid. The pane is
// the query edit's CQueryView: the edit tells it of the user's changes.
#pragma once

#include "app/state/QueryState.h"
#include "pickers/controls/QueryWnd.h"
#include "platform/framework/Framework.h"

class CGridView;
class CGridWindow;
class CTabWnd;
namespace kvgrid {
class CQueryFile;
}

class CQueryPane : public CQueryView
{
public:
    // view: the database and the options; combo: the view's combo of the
    // saved queries.
    CQueryPane(CGridView& view, CComboBox& combo);
    ~CQueryPane() override;
    CQueryPane(const CQueryPane&) = delete;
    CQueryPane& operator=(const CQueryPane&) = delete;

    // The file of the saved queries: the program folder's "Queries.kvq".
    static CString GetQueryFilePath();

    // The view made its grids: the results go into this main grid.
    void Attach(CGridWindow* pGrid);
    // The view lets go of its grids: the pane's window goes too.
    void Release();
    // The pane as the page of the side tab window: made, attached and shown
    // (the main grid told of it); or detached, its window destroyed.
    void Show(CTabWnd& tabs);
    void Hide(CTabWnd& tabs);
    BOOL IsShown() const { return m_bShown; }
    // The query edit (null before the grids are made).
    CQueryWnd* GetWindow() const { return m_pWnd; }
    const CQueryState& GetState() const { return m_state; }

    // CQueryView: the combo, and the user's change of the text.
    CComboBox* GetSavedQueryCombo() override { return &m_combo; }
    void SetQueryModified() override { m_state.SetModified(); }

    // The Query tab was shown: the pane gets its text back, the saved
    // queries are read the first time, and the pane's query runs when the
    // options say so.
    void OnTabShown();
    // The saved queries' titles into the combo (item data: the number of
    // the query in the file); a damaged file is reported.
    void FillQueryCombo();
    // Loads the query chosen in the combo into the pane (bFromCombo), or
    // takes the pane's text (entering the Query tab); a plain SELECT runs at
    // once when the options say so.
    void LoadQuery(BOOL bFromCombo);

    // The commands of the Query tab and their enabling. Execute runs the
    // pane's statements in turn; TRUE when a change of the database was
    // kept.
    BOOL OnExecuteQuery();
    void OnSaveQuery();
    void OnDeleteQuery();
    void OnReloadQueries();
    void OnUpdateExecuteQuery(CCmdUI* pCmdUI);
    void OnUpdateSaveQuery(CCmdUI* pCmdUI);
    void OnUpdateDeleteQuery(CCmdUI* pCmdUI);
    void OnUpdateReloadQueries(CCmdUI* pCmdUI);
    // The combo: a query chosen, a name typed.
    void OnSelChange();
    void OnEditChange();

private:
    void ShowQueryTitles(const kvgrid::CQueryFile& file);
    // The combo's entry of exactly this title; -1 when none.
    int FindQueryItem(const CString& title);
    // The query's title the combo's text names (CQueryState::NameInCombo).
    CString QueryNameInCombo();
    // Saves the pane's text as the query of this title; FALSE when nothing
    // was saved (the user said no, or the file could not be written).
    BOOL SaveQueryAs(const CString& title);
    // A SELECT's rows in the grid; FALSE (reported) when it cannot run.
    BOOL ShowQueryResult(const CString& statement);
    // The Query table's grid without rows or columns.
    void ClearQueryResult();
    // Runs a statement that is not a plain SELECT; FALSE when the statements
    // after it are not to run (it failed, and is no DROP). bKept is set when
    // its change was kept.
    BOOL RunChangingStatement(const CString& statement, int nKind, BOOL& bKept);

    CGridView& m_view;
    CComboBox& m_combo;
    CGridWindow* m_pGrid = nullptr;
    CQueryWnd* m_pWnd = nullptr;
    BOOL m_bShown = FALSE;
    CQueryState m_state;
};
