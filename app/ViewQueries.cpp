// CKelvaronView: the Query tab. The user's SQL runs against the database: a
// SELECT shows its rows in the main grid, any other statement runs in a
// transaction that is kept only when the user says yes. Named queries are
// kept in the program's query file and chosen in the combo above the grid.
#include "app/AppRes.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "app/OptionsDlg.h"
#include "app/QueriesAndPasteRes.h"
#include "app/Utilities.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "grids/core/UserQueries.h"
#include "grids/window/GridWindow.h"

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

/////////////////////////////////////////////////////////////////////////////
// The query file and the combo

CString CKelvaronView::GetQueryFilePath()
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    return (pApp != nullptr ? pApp->GetRootPath() : CString()) + "Queries.kvq";
}

void CKelvaronView::FillQueryCombo()
{
    if (m_queryCombo.GetSafeHwnd() == nullptr)
        return;
    m_bQueriesRead = TRUE;
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

void CKelvaronView::ShowQueryTitles(const CQueryFile& file)
{
    CString text;
    m_queryCombo.GetWindowText(text);
    m_queryCombo.ResetContent();
    for (int i = 0; i < file.GetCount(); i++) {
        int nItem = m_queryCombo.AddString(file.GetQueries()[(size_t)i].title);
        m_queryCombo.SetItemData(nItem, (DWORD_PTR)(i + 1));
    }
    m_queryCombo.SetWindowText(text);
}

int CKelvaronView::FindQueryItem(const CString& title)
{
    if (m_queryCombo.GetSafeHwnd() == nullptr)
        return -1;
    // Titles are told apart by case too.
    for (int i = 0; i < m_queryCombo.GetCount(); i++) {
        CString item;
        m_queryCombo.GetLBText(i, item);
        if (item == title)
            return i;
    }
    return -1;
}

void CKelvaronView::OnQueryTabShown()
{
    if (!m_bQueriesRead)
        FillQueryCombo();
    LoadQuery(FALSE);
}

CString CKelvaronView::QueryNameInCombo()
{
    CString text;
    if (m_queryCombo.GetSafeHwnd() != nullptr)
        m_queryCombo.GetWindowText(text);
    // The query edit marks the title of the query it changes with "*".
    if (!m_strQueryTitle.IsEmpty() && text == m_strQueryTitle + "*")
        return m_strQueryTitle;
    return text;
}

void CKelvaronView::OnQuerySelChange()
{
    LoadQuery(TRUE);
}

void CKelvaronView::OnQueryEditChange()
{
    // A name typed is the name the query is saved under.
    m_bQueryModified = TRUE;
    m_queryCombo.GetWindowText(m_strTypedName);
}

void CKelvaronView::LoadQuery(BOOL bFromCombo)
{
    if (!m_bQueryPaneShown || m_pQueryWnd == nullptr || m_pQueryWnd->GetSafeHwnd() == nullptr)
        return;
    if (bFromCombo) {
        CString chosen;
        int nItem = m_queryCombo.GetCurSel();
        if (nItem >= 0)
            m_queryCombo.GetLBText(nItem, chosen);
        // The changes to the query loaded before are saved under its own
        // title (or the name typed for it), not under the one just chosen.
        if (m_bQueryModified && AfxMessageBox(IDS_QUERY_MODIFIED, MB_YESNO | MB_ICONQUESTION) == IDYES)
            SaveQueryAs(m_strTypedName.IsEmpty() ? m_strQueryTitle : m_strTypedName);
        if (nItem >= 0) {
            CQueryFile file(GetQueryFilePath());
            file.Load();
            int nIndex = file.Find(chosen);
            if (nIndex >= 0 && !file.GetQueries()[(size_t)nIndex].sql.IsEmpty()) {
                g_QueryText = file.GetQueries()[(size_t)nIndex].sql;
                m_pQueryWnd->RestoreText();
            }
            m_strQueryTitle = chosen;
            m_queryCombo.SetCurSel(FindQueryItem(chosen));
        }
        m_strTypedName.Empty();
        m_bQueryModified = FALSE;
    }
    CString text;
    m_pQueryWnd->GetWindowText(text);
    if (!text.IsEmpty() && (GetOptions() & OPTION_EXECUTE_SELECT) && ClassifyQuery(text) == QUERY_SELECT)
        OnExecuteQuery();
}

/////////////////////////////////////////////////////////////////////////////
// Running statements

void CKelvaronView::OnUpdateExecuteQuery(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bQueryPaneShown && m_pQueryWnd != nullptr && m_pQueryWnd->GetSafeHwnd() != nullptr &&
                   m_pQueryWnd->GetWindowTextLength() > 0);
}

void CKelvaronView::OnExecuteQuery()
{
    if (!m_bQueryPaneShown || m_pGrid == nullptr || m_pQueryWnd == nullptr || m_pQueryWnd->GetSafeHwnd() == nullptr)
        return;
    CString text;
    m_pQueryWnd->GetWindowText(text);
    if (text.IsEmpty())
        return;
    for (const CString& statement : SplitQueryStatements(text)) {
        const int nKind = ClassifyQuery(statement);
        BOOL bGoOn = nKind == QUERY_SELECT ? ShowQueryResult(statement) : RunChangingStatement(statement, nKind);
        if (!bGoOn)
            break;
    }
    if (m_pGrid->GetTableType() == TABLE_QUERY)
        m_pGrid->FitColumnWidths();
}

void CKelvaronView::ClearQueryResult()
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

BOOL CKelvaronView::ShowQueryResult(const CString& statement)
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
        ReportFailure(e);
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

BOOL CKelvaronView::RunChangingStatement(const CString& statement, int nKind)
{
    CDatabase* pDatabase = GetDatabase();
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
    }
    catch (CException* e) {
        // A DROP of something that is not there is no reason to stop.
        if (bDrop) {
            e->Delete();
            return TRUE;
        }
        ReportFailure(e);
        return FALSE;
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Saving, deleting and reloading

void CKelvaronView::OnUpdateSaveQuery(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bQueryModified);
}

void CKelvaronView::OnSaveQuery()
{
    SaveQueryAs(QueryNameInCombo());
}

BOOL CKelvaronView::SaveQueryAs(const CString& titleIn)
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
    if (m_pQueryWnd != nullptr && m_pQueryWnd->GetSafeHwnd() != nullptr)
        m_pQueryWnd->GetWindowText(query.sql);
    else
        query.sql = g_QueryText;
    int nIndex = file.Find(title);
    // Saving the query loaded changes it; another query of that name is
    // replaced only when the user says so (never a second one of one name).
    if (nIndex >= 0 && title != m_strQueryTitle && AfxMessageBox(IDS_QUERY_EXISTS, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
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
    m_strQueryTitle = title;
    m_strTypedName.Empty();
    m_bQueryModified = FALSE;
    g_QueryText = query.sql;
    if (m_queryCombo.GetSafeHwnd() != nullptr) {
        m_bQueriesRead = TRUE;
        ShowQueryTitles(file);
        m_queryCombo.SetCurSel(FindQueryItem(title));
        m_queryCombo.SetWindowText(title);
    }
    return TRUE;
}

void CKelvaronView::OnUpdateDeleteQuery(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bQueryPaneShown && FindQueryItem(QueryNameInCombo()) >= 0);
}

void CKelvaronView::OnDeleteQuery()
{
    if (!m_bQueryPaneShown || AfxMessageBox(IDS_DELETE_QUERY, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
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
    m_strQueryTitle.Empty();
    m_strTypedName.Empty();
    m_bQueryModified = FALSE;
    g_QueryText.Empty();
    if (m_pQueryWnd != nullptr)
        m_pQueryWnd->RestoreText();
    m_queryCombo.SetWindowText("");
    FillQueryCombo();
}

void CKelvaronView::OnUpdateReloadQueries(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bQueryPaneShown && CQueryFile(GetQueryFilePath()).Exists());
}

void CKelvaronView::OnReloadQueries()
{
    if (!m_bQueryPaneShown || m_queryCombo.GetSafeHwnd() == nullptr)
        return;
    const CString kept = QueryNameInCombo();
    m_queryCombo.ResetContent();
    m_queryCombo.SetWindowText("");
    g_QueryText.Empty();
    if (m_pQueryWnd != nullptr)
        m_pQueryWnd->RestoreText();
    m_strQueryTitle.Empty();
    m_strTypedName.Empty();
    m_bQueryModified = FALSE;
    ClearQueryResult();
    FillQueryCombo();
    m_queryCombo.SetWindowText(kept);
    int nItem = FindQueryItem(kept);
    if (nItem >= 0) {
        m_queryCombo.SetCurSel(nItem);
        LoadQuery(TRUE);
    }
    else {
        LoadQuery(FALSE);
    }
}
