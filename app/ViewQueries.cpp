// CQueryPane: the Query tab's query file, combo, statements and results.
#include "app/ViewQueries.h"
#include "app/AppRes.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "app/OptionsDlg.h"
#include "app/QueriesAndPasteRes.h"
#include "app/Utilities.h"
#include "database/records/ComponentSchema.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "grids/core/UserQueries.h"
#include "grids/window/GridWindow.h"
#include "grids/window/TabWnd.h"

using namespace kvgrid;

namespace {

// The statement's first word shows in the question of a statement that is
// not one of the four verbs.
CString Described(const CString& statement)
{
    CString word = QueryFirstWord(statement);
    return word.IsEmpty() ? CString("?") : word;
}

} // namespace

void CKelvaronView::ReportFailure(CException* e)
{
    if (e != nullptr)
        AfxMessageBox(TakeExceptionText(e), MB_OK | MB_ICONEXCLAMATION);
}

void CKelvaronView::OnExecuteQuery()
{
    if (m_queryPane.OnExecuteQuery())
        CheckSchema();
}

void CKelvaronView::CheckSchema()
{
    std::vector<MissingSchemaPart> missing;
    try {
        missing = FindMissingSchema(GetDatabase());
    }
    catch (CException* e) {
        // A connection that fails says so at the next step that needs it.
        e->Delete();
        return;
    }
    const BOOL bWasLost = m_viewState.IsSchemaLost();
    m_viewState.SetSchemaLost(!missing.empty());
    if (missing.empty() || bWasLost)
        return;
    CString message;
    message.Format(IDS_QUERY_REMOVED_SCHEMA, (LPCTSTR)CKelvaronDoc::ListMissingSchema(missing));
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

CQueryPane::CQueryPane(CGridView& view, CComboBox& combo) : m_view(view), m_combo(combo)
{
}

CQueryPane::~CQueryPane()
{
    Release();
}

/////////////////////////////////////////////////////////////////////////////
// The pane

void CQueryPane::Attach(CGridWindow* pGrid)
{
    m_pGrid = pGrid;
    if (m_pWnd == nullptr)
        m_pWnd = new CQueryWnd(this);
    m_bShown = FALSE;
}

void CQueryPane::Release()
{
    delete m_pWnd;
    m_pWnd = nullptr;
    m_pGrid = nullptr;
    m_bShown = FALSE;
}

void CQueryPane::Show(CTabWnd& tabs)
{
    if (m_pWnd == nullptr)
        return;
    if (!m_bShown) {
        if (m_pWnd->GetSafeHwnd() == nullptr) {
            // A place to type, and it looks like one: the sunken edge and
            // the window colour of an edit field, scrolling a long query.
            m_pWnd->CreateEx(WS_EX_CLIENTEDGE, "EDIT", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                             CRect(0, 0, 1, 1), &tabs, IDC_VIEW_QUERY_PANE);
            m_pWnd->SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
        }
        tabs.AttachWnd(m_pWnd, GetTableTitle(TABLE_QUERY));
        if (m_pGrid != nullptr)
            m_pGrid->SetQueryWnd(m_pWnd);
        m_bShown = TRUE;
    }
    tabs.SwitchTab(tabs.FindTab(m_pWnd));
}

void CQueryPane::Hide(CTabWnd& tabs)
{
    if (m_pWnd != nullptr) {
        int nTab = tabs.FindTab(m_pWnd);
        if (nTab >= 0)
            tabs.RemoveTab(nTab);
    }
    m_bShown = FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// The query file and the combo

CString CQueryPane::GetQueryFilePath()
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    return (pApp != nullptr ? pApp->GetRootPath() : CString()) + "Queries.kvq";
}

void CQueryPane::FillQueryCombo()
{
    if (m_combo.GetSafeHwnd() == nullptr)
        return;
    m_state.SetTitlesRead();
    CQueryFile file(GetQueryFilePath());
    if (!file.Load()) {
        CString message;
        if (!file.IsDamaged())
            message.Format(IDS_QUERY_FILE_UNREADABLE, (LPCTSTR)file.GetPath());
        else if (file.GetFirstDamagedLine() > 0)
            message.Format(IDS_QUERY_FILE_DAMAGED_AT, (LPCTSTR)file.GetPath(), file.GetFirstDamagedLine());
        else
            message.Format(IDS_QUERY_FILE_DAMAGED, (LPCTSTR)file.GetPath());
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    }
    ShowQueryTitles(file);
}

void CQueryPane::ShowQueryTitles(const CQueryFile& file)
{
    CString text;
    m_combo.GetWindowText(text);
    m_combo.ResetContent();
    for (int i = 0; i < file.GetCount(); i++) {
        int nItem = m_combo.AddString(file.GetQueries()[(size_t)i].title);
        m_combo.SetItemData(nItem, (DWORD_PTR)(i + 1));
    }
    m_combo.SetWindowText(text);
}

int CQueryPane::FindQueryItem(const CString& title)
{
    if (m_combo.GetSafeHwnd() == nullptr)
        return -1;
    // Titles are told apart by case too.
    for (int i = 0; i < m_combo.GetCount(); i++) {
        CString item;
        m_combo.GetLBText(i, item);
        if (item == title)
            return i;
    }
    return -1;
}

void CQueryPane::OnTabShown()
{
    if (m_pWnd == nullptr)
        return;
    m_pWnd->RestoreText();
    if (!m_state.AreTitlesRead())
        FillQueryCombo();
    LoadQuery(FALSE);
}

CString CQueryPane::QueryNameInCombo()
{
    CString text;
    if (m_combo.GetSafeHwnd() != nullptr)
        m_combo.GetWindowText(text);
    return m_state.NameInCombo(text);
}

void CQueryPane::OnSelChange()
{
    LoadQuery(TRUE);
}

void CQueryPane::OnEditChange()
{
    // A name typed is the name the query is saved under.
    CString name;
    m_combo.GetWindowText(name);
    m_state.SetTypedName(name);
}

void CQueryPane::LoadQuery(BOOL bFromCombo)
{
    if (!m_bShown || m_pWnd == nullptr || m_pWnd->GetSafeHwnd() == nullptr)
        return;
    if (bFromCombo) {
        CString chosen;
        int nItem = m_combo.GetCurSel();
        if (nItem >= 0)
            m_combo.GetLBText(nItem, chosen);
        // The changes to the query loaded before are saved under its own
        // title (or the name typed for it), not under the one just chosen.
        if (m_state.IsModified() && AfxMessageBox(IDS_QUERY_MODIFIED, MB_YESNO | MB_ICONQUESTION) == IDYES)
            SaveQueryAs(m_state.GetSaveName());
        CString title = m_state.GetTitle();
        if (nItem >= 0) {
            CQueryFile file(GetQueryFilePath());
            file.Load();
            int nIndex = file.Find(chosen);
            if (nIndex >= 0 && !file.GetQueries()[(size_t)nIndex].sql.IsEmpty()) {
                g_QueryText = file.GetQueries()[(size_t)nIndex].sql;
                m_pWnd->RestoreText();
            }
            title = chosen;
            m_combo.SetCurSel(FindQueryItem(chosen));
        }
        m_state.SetLoaded(title);
    }
    CString text;
    m_pWnd->GetWindowText(text);
    if (!text.IsEmpty() && (m_view.GetOptions() & OPTION_EXECUTE_SELECT) && ClassifyQuery(text) == QUERY_SELECT)
        OnExecuteQuery();
}

/////////////////////////////////////////////////////////////////////////////
// Running statements

void CQueryPane::OnUpdateExecuteQuery(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bShown && m_pWnd != nullptr && m_pWnd->GetSafeHwnd() != nullptr &&
                   m_pWnd->GetWindowTextLength() > 0);
}

BOOL CQueryPane::OnExecuteQuery()
{
    if (!m_bShown || m_pGrid == nullptr || m_pWnd == nullptr || m_pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    CString text;
    m_pWnd->GetWindowText(text);
    if (text.IsEmpty())
        return FALSE;
    BOOL bKept = FALSE;
    for (const CString& statement : SplitQueryStatements(text)) {
        const int nKind = ClassifyQuery(statement);
        BOOL bGoOn =
            nKind == QUERY_SELECT ? ShowQueryResult(statement) : RunChangingStatement(statement, nKind, bKept);
        if (!bGoOn)
            break;
    }
    if (m_pGrid->GetTableType() == TABLE_QUERY)
        m_pGrid->FitColumnWidths();
    return bKept;
}

void CQueryPane::ClearQueryResult()
{
    if (m_pGrid == nullptr)
        return;
    CGRDynamicRecordsetEx* pQuery = m_pGrid->GetQueryRecordset();
    try {
        if (pQuery->IsOpen())
            pQuery->Close();
    }
    catch (CException* e) {
        e->Delete();
    }
    pQuery->SetSqlQuery("");
    if (m_pGrid->GetTableType() == TABLE_QUERY && m_pGrid->GetSafeHwnd() != nullptr)
        m_pGrid->OpenRecordset();
}

BOOL CQueryPane::ShowQueryResult(const CString& statement)
{
    if (m_pGrid->GetTableType() != TABLE_QUERY)
        return TRUE;
    CWaitCursor wait;
    ClearQueryResult();
    CGRDynamicRecordsetEx* pQuery = m_pGrid->GetQueryRecordset();
    pQuery->SetSqlQuery(statement);
    try {
        pQuery->Open(AFX_DB_USE_DEFAULT_TYPE, nullptr, CRecordset::none);
    }
    catch (CException* e) {
        // The driver's own words say what is wrong with the statement.
        CKelvaronView::ReportFailure(e);
        pQuery->SetSqlQuery("");
        m_pGrid->OpenRecordset();
        return FALSE;
    }
    m_pGrid->SetRecordset(pQuery);
    m_pGrid->OpenRecordset();
    // The result starts on its first row, which the record beam names at
    // once, as a table does when its tab is chosen.
    m_pGrid->SetCurrentCell(1, 1);
    return TRUE;
}

BOOL CQueryPane::RunChangingStatement(const CString& statement, int nKind, BOOL& bKept)
{
    CDatabase* pDatabase = m_view.GetDatabase();
    if (pDatabase == nullptr || !pDatabase->IsOpen())
        return FALSE;
    const BOOL bDrop = QueryFirstWord(statement) == "DROP";
    CString question;
    question.Format(IDS_QUERY_CHANGES_DATABASE, (LPCTSTR)Described(statement));
    // Where the change cannot be taken back afterwards, the question comes
    // before it runs.
    const BOOL bCanUndo = pDatabase->CanTransact();
    if (!bCanUndo && AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return FALSE;
    try {
        CChangeTransaction transaction(pDatabase);
        {
            CWaitCursor wait;
            pDatabase->ExecuteSQL(statement);
        }
        if (bCanUndo) {
            // Nothing is kept unless the user says yes, whatever the kind.
            if (!QueryVerb(nKind).IsEmpty())
                question.Format(IDS_QUERY_AFFECTS, (LPCTSTR)QueryVerb(nKind), (int)pDatabase->GetRowsAffected());
            if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                return TRUE;
        }
        transaction.Commit();
        bKept = TRUE;
    }
    catch (CException* e) {
        // A DROP of something that is not there is no reason to stop.
        if (bDrop) {
            e->Delete();
            return TRUE;
        }
        CKelvaronView::ReportFailure(e);
        return FALSE;
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Saving, deleting and reloading

void CQueryPane::OnUpdateSaveQuery(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_state.IsModified());
}

void CQueryPane::OnSaveQuery()
{
    SaveQueryAs(QueryNameInCombo());
}

BOOL CQueryPane::SaveQueryAs(const CString& titleIn)
{
    CString title = titleIn;
    title.Trim();
    if (title.IsEmpty()) {
        AfxMessageBox(IDS_QUERY_NEEDS_NAME, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    CQueryFile file(GetQueryFilePath());
    file.Load();
    SavedQuery query;
    query.title = title;
    if (m_pWnd != nullptr && m_pWnd->GetSafeHwnd() != nullptr)
        m_pWnd->GetWindowText(query.sql);
    else
        query.sql = g_QueryText;
    int nIndex = file.Find(title);
    // Saving the query loaded changes it; another query of that name is
    // replaced only when the user says so (never a second one of one name).
    if (nIndex >= 0 && title != m_state.GetTitle() &&
        AfxMessageBox(IDS_QUERY_EXISTS, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return FALSE;
    if (nIndex >= 0)
        file.Set(nIndex, query);
    else
        file.Add(query);
    if (!file.Save()) {
        CString message;
        message.Format(IDS_QUERY_FILE_NOT_WRITTEN, (LPCTSTR)file.GetPath());
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!file.GetDamagedCopyPath().IsEmpty()) {
        CString message;
        message.Format(IDS_QUERY_DAMAGED_FILE_KEPT, (LPCTSTR)file.GetDamagedCopyPath());
        AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
    }
    m_state.SetLoaded(title);
    g_QueryText = query.sql;
    if (m_combo.GetSafeHwnd() != nullptr) {
        m_state.SetTitlesRead();
        ShowQueryTitles(file);
        m_combo.SetCurSel(FindQueryItem(title));
        m_combo.SetWindowText(title);
    }
    return TRUE;
}

void CQueryPane::OnUpdateDeleteQuery(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bShown && FindQueryItem(QueryNameInCombo()) >= 0);
}

void CQueryPane::OnDeleteQuery()
{
    if (!m_bShown || AfxMessageBox(IDS_DELETE_QUERY, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    const CString title = QueryNameInCombo();
    CQueryFile file(GetQueryFilePath());
    file.Load();
    int nIndex = file.Find(title);
    if (nIndex < 0)
        return;
    // The grid does not go on showing the rows of a query that has gone.
    if (m_pGrid != nullptr && m_pGrid->GetQueryRecordset()->GetSqlQuery() == file.GetQueries()[(size_t)nIndex].sql)
        ClearQueryResult();
    file.Remove(nIndex);
    if (!file.Save()) {
        CString message;
        message.Format(IDS_QUERY_FILE_NOT_WRITTEN, (LPCTSTR)file.GetPath());
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_state.SetLoaded("");
    g_QueryText.Empty();
    if (m_pWnd != nullptr)
        m_pWnd->RestoreText();
    m_combo.SetWindowText("");
    FillQueryCombo();
}

void CQueryPane::OnUpdateReloadQueries(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bShown && CQueryFile(GetQueryFilePath()).Exists());
}

void CQueryPane::OnReloadQueries()
{
    if (!m_bShown || m_combo.GetSafeHwnd() == nullptr)
        return;
    const CString kept = QueryNameInCombo();
    m_combo.ResetContent();
    m_combo.SetWindowText("");
    g_QueryText.Empty();
    if (m_pWnd != nullptr)
        m_pWnd->RestoreText();
    m_state.SetLoaded("");
    ClearQueryResult();
    FillQueryCombo();
    m_combo.SetWindowText(kept);
    int nItem = FindQueryItem(kept);
    if (nItem >= 0) {
        m_combo.SetCurSel(nItem);
        LoadQuery(TRUE);
    }
    else {
        LoadQuery(FALSE);
    }
}
