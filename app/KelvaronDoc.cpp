#include "app/KelvaronDoc.h"
#include "app/AppRes.h"
#include "app/ChildFrm.h"
#include "app/KelvaronApp.h"
#include "app/MainFrm.h"
#include "app/OptionsDlg.h"
#include "app/Utilities.h"
#include "platform/odbc/ODBCApi.h"
#include "database/records/ComponentRecords.h"
#include "platform/grid/GRODBCGrid.h"

#include <vector>

IMPLEMENT_DYNCREATE(CKelvaronDoc, CDocument)

BEGIN_MESSAGE_MAP(CKelvaronDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE_COPY_AS, OnFileSaveCopyAs)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

const char* const CKelvaronDoc::kCopiedTables[9] = {
    "Assemblies", "Components", "Documents", "[Nominal Conversions]", "Nozzles",
    "PipeTable",  "Suppliers",  "Symbols",   "Tapes",
};

namespace {

// The width [Warehouse Code] is given when it is narrower.
const SQLULEN kWarehouseCodeWidth = 32;

BOOL FileExists(LPCSTR path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString FullPathOf(LPCSTR path)
{
    char full[MAX_PATH * 4] = {};
    const DWORD n = ::GetFullPathNameA(path, (DWORD)sizeof(full), full, nullptr);
    return n > 0 && n < sizeof(full) ? CString(full) : CString(path);
}

// The system's text for an error code.
CString SystemErrorText(DWORD error)
{
    char text[512] = {};
    if (::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                         (DWORD)sizeof(text), nullptr) == 0)
        return CString();
    CString result(text);
    result.TrimRight();
    return result;
}

// A copied file is a database of its own: it is not left read-only because
// its source was (a skeleton installed read-only, an Access file).
void MakeWritable(LPCSTR path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

// A name beside lpszTarget for building a file that will replace it: "~copy"
// + n + "~" + the target's name (the extension kept, so that the file is
// connected as what it will be), the first that does not exist.
CString WorkFileBeside(LPCSTR lpszTarget)
{
    CString folder(lpszTarget), name(lpszTarget);
    if (CKelvaronApp::StripToFolder(folder) < 0 || CKelvaronApp::StripToFileName(name) < 0)
        return CString();
    for (int n = 1; n < 10000; n++) {
        CString candidate;
        candidate.Format("%s~copy%d~%s", folder.GetString(), n, name.GetString());
        if (::GetFileAttributesA(candidate) == INVALID_FILE_ATTRIBUTES)
            return candidate;
    }
    return CString();
}

// Replaces lpszTarget with lpszWork in one step; the work file goes either
// way. FALSE (with the system's error kept) when the target could not be
// replaced; it is then as it was.
BOOL ReplaceFileWith(LPCSTR lpszWork, LPCSTR lpszTarget)
{
    if (::MoveFileExA(lpszWork, lpszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    const DWORD error = ::GetLastError();
    ::DeleteFileA(lpszWork);
    ::SetLastError(error);
    return FALSE;
}

// Copies a file over another whole or not at all: the copy is written beside
// the target first, and replaces it only once it is complete.
BOOL CopyFileWhole(LPCSTR lpszFrom, LPCSTR lpszTo)
{
    const CString work = WorkFileBeside(lpszTo);
    if (work.IsEmpty())
        return FALSE;
    if (!::CopyFileA(lpszFrom, work, TRUE)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileA(work);
        ::SetLastError(error);
        return FALSE;
    }
    MakeWritable(work);
    return ReplaceFileWith(work, lpszTo);
}

// The documents of the program's templates.
template <class F> void ForEachDocument(F f)
{
    CWinApp* pApp = AfxGetApp();
    for (POSITION tpos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; tpos != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(tpos);
        for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos != nullptr;)
            f(pTemplate->GetNextDoc(dpos));
    }
}

BOOL SameFile(LPCSTR a, LPCSTR b)
{
    return *a != '\0' && *b != '\0' && FullPathOf(a).CompareNoCase(FullPathOf(b)) == 0;
}

} // namespace

CKelvaronDoc::CKelvaronDoc() = default;

CKelvaronDoc::~CKelvaronDoc()
{
    CloseDatabase();
}

BOOL CKelvaronDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    CKelvaronApp* pApp = CKelvaronApp::Get();
    if (pApp != nullptr && pApp->IsStartingUp())
        return OpenStartupDatabase();
    return OpenDatabase("", TRUE);
}

BOOL CKelvaronDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    return OpenDatabase(lpszPathName, FALSE) ? TRUE : FALSE;
}

BOOL CKelvaronDoc::OpenStartupDatabase()
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    if (pApp == nullptr)
        return FALSE;
    pApp->LoadSettings();
    CString path;
    const DWORD options = pApp->GetOptions();
    if (options & OPTION_OPEN_DEFAULT) {
        path = pApp->GetDefaultDatabasePath();
    } else if (options & OPTION_OPEN_LAST) {
        CRecentFileList* pRecent = pApp->GetRecentFileList();
        if (pRecent != nullptr && pRecent->GetSize() > 0)
            path = (*pRecent)[0];
    }
    if (!OpenDatabase(path, FALSE))
        return FALSE;
    SetPathName(path);
    SetTitle(GetPathName());
    return TRUE;
}

CString CKelvaronDoc::GetProgramFolder() const
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    if (pApp != nullptr && !pApp->GetRootPath().IsEmpty())
        return pApp->GetRootPath();
    return GetModuleFolder(nullptr);
}

CString CKelvaronDoc::GetNewDatabaseFolder() const
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    CString folder = pApp != nullptr ? pApp->GetDefaultDatabasePath() : CString();
    if (folder.IsEmpty() || CKelvaronApp::StripToFolder(folder) < 0)
        folder = GetProgramFolder() + "Database\\";
    return folder;
}

CString CKelvaronDoc::FindNewDatabaseSkeleton() const
{
    const CString root = GetProgramFolder();
    for (const char* name : {"Database\\Skeleton.sqlite", "Skeleton.accdb", "Skeleton.mdb"}) {
        CString skeleton = root + name;
        if (FileExists(skeleton))
            return skeleton;
    }
    return CString();
}

CString CKelvaronDoc::NextNewDatabasePath(const CString& strFolder, LPCTSTR lpszExtension)
{
    for (int n = 1;; n++) {
        CString path;
        path.Format("%s%s%d%s", strFolder.GetString(), "NewDatabase", n, lpszExtension);
        if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            return path;
    }
}

CString CKelvaronDoc::CreateNewDatabase()
{
    const CString skeleton = FindNewDatabaseSkeleton();
    if (skeleton.IsEmpty()) {
        AfxMessageBox(IDS_NO_SKELETON, MB_ICONERROR);
        return CString();
    }
    const CString path = NextNewDatabasePath(GetNewDatabaseFolder(), GetFileExtension(skeleton));
    if (!::CopyFileA(skeleton, path, FALSE)) {
        CString message;
        message.Format(IDS_NEW_DATABASE_FAILED, path.GetString(), SystemErrorText(::GetLastError()).GetString());
        AfxMessageBox(message, MB_ICONERROR);
        return CString();
    }
    MakeWritable(path);
    return path;
}

CString CKelvaronDoc::UniqueSavedBackupPath(LPCTSTR lpszDatabasePath)
{
    const CString first = CKelvaronApp::MakePrefixedPath("BACKUP_", lpszDatabasePath);
    if (first.IsEmpty() || ::GetFileAttributesA(first) == INVALID_FILE_ATTRIBUTES)
        return first;
    const CString stem = StripFileExtension(first), extension = GetFileExtension(first);
    for (int n = 2; n < 10000; n++) {
        CString candidate;
        candidate.Format("%s (%d)%s", stem.GetString(), n, extension.GetString());
        if (::GetFileAttributesA(candidate) == INVALID_FILE_ATTRIBUTES)
            return candidate;
    }
    return CString();
}

BOOL CKelvaronDoc::MakeBackup(const CString& strPath, const CString& strBackup)
{
    // The backup of a file marked read-only is not: it must be deleted at
    // close.
    if (::CopyFileA(strPath, strBackup, TRUE)) {
        MakeWritable(strBackup);
        return TRUE;
    }
    const CString prompt = LoadText(IDS_BACKUP_FAILED) + strBackup + LoadText(IDS_BACKUP_FAILED_END);
    if (AfxMessageBox(prompt, MB_OKCANCEL) != IDOK)
        return FALSE;
    // A backup left by a run that did not close the database: it holds the
    // database as it was before that run's changes, so it is kept under a
    // name of its own (an earlier one is not replaced) ...
    if (!FileExists(strBackup))
        return FALSE;  // nothing there to keep: the backup cannot be made at all
    const CString saved = UniqueSavedBackupPath(strPath);
    if (saved.IsEmpty() || !::CopyFileA(strBackup, saved, TRUE))
        return FALSE;
    AfxMessageBox(LoadText(IDS_BACKUP_SAVED) + saved + LoadText(IDS_BACKUP_SAVED_END), MB_OK);
    // ... and the backup of this open is taken afresh, so that closing
    // without saving returns the database to what it is now, not to what it
    // was before the earlier run.
    if (CopyFileWhole(strPath, strBackup))
        return TRUE;
    AfxMessageBox(LoadText(IDS_BACKUP_FAILED) + strBackup + "\n\n" + SystemErrorText(::GetLastError()),
                  MB_ICONERROR);
    return FALSE;
}

BOOL CKelvaronDoc::OpenDatabase(LPCTSTR lpszPath, BOOL bNew)
{
    CString path = lpszPath != nullptr ? lpszPath : "";
    if (bNew) {
        path = CreateNewDatabase();
        if (path.IsEmpty())
            return FALSE;
        SetPathName(path);
        SetTitle(GetPathName());
    }
    m_strDatabasePath.Empty();
    m_strBackupPath.Empty();
    if (path.IsEmpty())
        return FALSE;
    path = FullPathOf(path);
    if (!FileExists(path)) {
        CString message;
        message.Format(IDS_DATABASE_NOT_FOUND, path.GetString());
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        return FALSE;
    }
    const CString backup = CKelvaronApp::MakePrefixedPath("~", path);
    if (backup.IsEmpty() || !MakeBackup(path, backup))
        return FALSE;
    m_strDatabasePath = path;
    m_strBackupPath = backup;
    if (bNew)
        AfxMessageBox(IDS_NEW_DATABASE_TABLES, MB_OK);
    if (ConnectDatabase(path))
        return TRUE;
    // Nothing was changed: the copy taken for this open goes with it.
    ::DeleteFileA(backup);
    m_strDatabasePath.Empty();
    m_strBackupPath.Empty();
    return FALSE;
}

CString CKelvaronDoc::GetConnectString(LPCTSTR lpszPath)
{
    return GetComponentConnectString(lpszPath);
}

BOOL CKelvaronDoc::ConnectDatabase(LPCTSTR lpszPath)
{
    CloseDatabase();
    m_bReadOnly = FALSE;
    try {
        m_pDatabase = new CDatabase;
        const CString extension = GetFileExtension(lpszPath);
        if (extension.CompareNoCase(".mdb") == 0)
            m_nDriverFlag = 1;
        else if (extension.CompareNoCase(".accdb") == 0)
            m_nDriverFlag = 0;
        m_pDatabase->OpenEx(GetConnectString(lpszPath), CDatabase::noOdbcDialog);
        try {
            m_pNominalTable = new CNominalTable(m_pDatabase);
            m_pNominalTable->Open(CRecordset::dynaset, nullptr, CRecordset::useBookmarks);
        } catch (CException* e) {
            ReportDatabaseException(e);
            delete m_pNominalTable;
            m_pNominalTable = nullptr;
        }
        if (!m_pDatabase->CanUpdate()) {
            // Nothing is altered in a database that cannot be written; the
            // user learns why it is open read-only.
            m_bReadOnly = TRUE;
            if (!m_pDatabase->GetReadOnlyReason().IsEmpty())
                AfxMessageBox(m_pDatabase->GetReadOnlyReason(), MB_ICONINFORMATION);
        } else if (!WidenWarehouseCode()) {
            AfxMessageBox(IDS_WAREHOUSE_CODE_WIDEN_FAILED, MB_ICONEXCLAMATION);
        }
    } catch (CException* e) {
        ReportDatabaseException(e);
        CloseDatabase();
        return FALSE;
    }
    return TRUE;
}

BOOL CKelvaronDoc::WidenWarehouseCode()
{
    // The column's width as the driver describes the statement's result
    // (prepared only: no row is read).
    HSTMT hstmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(g_odbc.AllocStmt(m_pDatabase->m_hdbc, &hstmt)))
        return FALSE;
    const CString sql = m_pDatabase->TranslateSQL("SELECT [Warehouse Code] FROM Components");
    SQLSMALLINT columns = 0, nameLength = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN width = 0;
    SQLCHAR name[256] = {};
    const BOOL bDescribed =
        SQL_SUCCEEDED(g_odbc.Prepare(hstmt, (SQLCHAR*)sql.GetString(), SQL_NTS)) &&
        SQL_SUCCEEDED(g_odbc.NumResultCols(hstmt, &columns)) && columns >= 1 &&
        SQL_SUCCEEDED(g_odbc.DescribeCol(hstmt, 1, name, (SQLSMALLINT)sizeof(name), &nameLength, &type, &width,
                                         &digits, &nullable));
    g_odbc.FreeStmt(hstmt, SQL_DROP);
    if (!bDescribed)
        return FALSE;
    if (width >= kWarehouseCodeWidth)
        return TRUE;  // a wider column is left: shrinking it would cut codes
    try {
        m_pDatabase->ExecuteSQL("ALTER TABLE Components ALTER COLUMN [Warehouse Code] Text(32)");
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CKelvaronDoc::CloseDatabase()
{
    if (m_pNominalTable) {
        m_pNominalTable->CloseQuietly();
        delete m_pNominalTable;
        m_pNominalTable = nullptr;
    }
    if (m_pDatabase) {
        try {
            if (m_pDatabase->IsOpen())
                m_pDatabase->Close();
        } catch (CException* e) {
            ReportDatabaseException(e);
        }
        delete m_pDatabase;
        m_pDatabase = nullptr;
    }
}

BOOL CKelvaronDoc::RestoreBackup()
{
    if (m_strBackupPath.IsEmpty() || m_strDatabasePath.IsEmpty())
        return FALSE;
    if (m_bReadOnly)
        return DeleteBackup();
    if (!CopyFileWhole(m_strBackupPath, m_strDatabasePath))
        return FALSE;
    return DeleteBackup();
}

BOOL CKelvaronDoc::DeleteBackup()
{
    if (m_strBackupPath.IsEmpty())
        return FALSE;
    return ::DeleteFileA(m_strBackupPath) ? TRUE : FALSE;
}

BOOL CKelvaronDoc::CloseKeepingChanges()
{
    CloseDatabase();
    return DeleteBackup();
}

BOOL CKelvaronDoc::CloseRestoringBackup()
{
    CloseDatabase();
    if (RestoreBackup())
        return TRUE;
    if (FileExists(m_strBackupPath)) {
        AfxMessageBox(LoadText(IDS_RESTORE_FAILED) + m_strBackupPath + LoadText(IDS_RESTORE_FAILED_END), MB_OK);
    }
    return FALSE;
}

OZU_DiameterValue CKelvaronDoc::ConvertDiameter(const OZU_DiameterValue& value, int nUnit)
{
    if (m_pNominalTable && m_pNominalTable->IsOpen())
        return m_pNominalTable->ConvertDiameter(value, nUnit);
    OZU_DiameterValue result(value.GetValueIn(nUnit), nUnit);
    return result;
}

/////////////////////////////////////////////////////////////////////////////
// Save Copy As

BOOL CKelvaronDoc::ChooseCopyPath(CString& strPath)
{
    // The database's own format is proposed; for a database this machine
    // cannot write, the format it can.
    CString extension = GetFileExtension(m_strDatabasePath);
    if (extension.IsEmpty() || (m_pDatabase != nullptr && !m_pDatabase->CanUpdate()))
        extension = ".sqlite";
    CFileDialog dialog(FALSE, extension, StripFileExtension(m_strDatabasePath),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadText(IDS_DB_FILE_FILTER), AfxGetMainWnd(), 0,
                       TRUE);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    strPath = dialog.GetPathName();
    return TRUE;
}

void CKelvaronDoc::OnFileSaveCopyAs()
{
    CString target;
    if (!ChooseCopyPath(target))
        return;
    SaveCopyAs(target);
}

BOOL CKelvaronDoc::IsInUse(LPCTSTR lpszPath)
{
    BOOL bInUse = FALSE;
    ForEachDocument([&](CDocument* pDocument) {
        if (CKelvaronDoc* pDoc = dynamic_cast<CKelvaronDoc*>(pDocument))
            bInUse = bInUse || SameFile(lpszPath, pDoc->GetDatabasePath()) ||
                     SameFile(lpszPath, pDoc->GetBackupPath());
    });
    return bInUse;
}

BOOL CKelvaronDoc::SaveCopyAs(LPCTSTR lpszTarget)
{
    if (m_pDatabase == nullptr || m_strDatabasePath.IsEmpty() || lpszTarget == nullptr || *lpszTarget == '\0')
        return FALSE;
    const CString target = FullPathOf(lpszTarget);
    const CString from = GetFileExtension(m_strDatabasePath), to = GetFileExtension(target);
    if (from.CompareNoCase(".mdb") == 0 && to.CompareNoCase(".accdb") == 0) {
        AfxMessageBox(IDS_SAVE_COPY_NO_ACCDB);
        return FALSE;
    }
    // The overwrite the dialog asked about never reaches a database open
    // here, nor the backup a close would restore.
    if (SameFile(target, m_strDatabasePath) || SameFile(target, m_strBackupPath) || IsInUse(target)) {
        AfxMessageBox(IDS_SAVE_COPY_FAILED);
        return FALSE;
    }

    if (from.CompareNoCase(to) == 0) {
        CWaitCursor wait;
        if (!CopyFileWhole(m_strDatabasePath, target)) {
            AfxMessageBox(IDS_SAVE_COPY_FAILED);
            return FALSE;
        }
        return TRUE;
    }

    CString skeletonName = "Skeleton.mdb";
    if (to.CompareNoCase(".accdb") == 0)
        skeletonName = "Skeleton.accdb";
    else if (to.CompareNoCase(".sqlite") == 0)
        skeletonName = "Skeleton.sqlite";
    const CString skeleton = GetProgramFolder() + "Database\\" + skeletonName;
    if (!FileExists(skeleton)) {
        AfxMessageBox(IDS_SAVE_COPY_NO_SKELETON);
        return FALSE;
    }
    CWaitCursor wait;
    const CString work = WorkFileBeside(target);
    if (work.IsEmpty() || !::CopyFileA(skeleton, work, TRUE)) {
        AfxMessageBox(IDS_SAVE_COPY_FAILED);
        return FALSE;
    }
    MakeWritable(work);
    BOOL bConnected = FALSE;
    const BOOL bAllTables = CopyTablesTo(work, bConnected);
    if (!bConnected) {
        ::DeleteFileA(work);
        return FALSE;
    }
    if (!ReplaceFileWith(work, target)) {
        AfxMessageBox(IDS_SAVE_COPY_FAILED);
        return FALSE;
    }
    return bAllTables;
}

BOOL CKelvaronDoc::CopyTablesTo(LPCTSTR lpszTarget, BOOL& bConnected)
{
    bConnected = FALSE;
    BOOL bAllTables = TRUE;
    CDatabase* pTarget = new CDatabase;
    try {
        pTarget->OpenEx(GetConnectString(lpszTarget), CDatabase::noOdbcDialog);
        bConnected = TRUE;
        for (const char* table : kCopiedTables)
            if (!CopyTable(m_pDatabase, pTarget, table))
                bAllTables = FALSE;
        pTarget->Close();
    } catch (CException* e) {
        ReportDatabaseException(e);
        bConnected = FALSE;
        bAllTables = FALSE;
    }
    delete pTarget;
    return bAllTables;
}

BOOL CKelvaronDoc::CopyTable(CDatabase* pSource, CDatabase* pTarget, LPCTSTR lpszTable)
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    if (pApp != nullptr) {
        CString status;
        status.Format("%s %s...", LoadText(IDS_COPYING).GetString(), lpszTable);
        pApp->SetStatusText(status);
    }
    CGRDynamicRecordset* pFrom = new CGRDynamicRecordset(pSource);
    CGRDynamicRecordset* pTo = new CGRDynamicRecordset(pTarget);
    BOOL bCopied = TRUE;
    // Each table is copied whole or not at all.
    BOOL bTransaction = FALSE;
    try {
        bTransaction = pTarget->CanTransact() && pTarget->BeginTrans();
        CString sql;
        sql.Format("DELETE FROM %s", lpszTable);
        pTarget->ExecuteSQL(sql);
        sql.Format("SELECT * FROM %s", lpszTable);
        pFrom->SetSqlQuery(sql);
        pFrom->Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
        pTo->SetSqlQuery(sql);
        pTo->Open(CRecordset::dynaset, sql, CRecordset::useBookmarks);

        // The source's column of each target column, by name. A source
        // column the target does not have would be lost: the table is not
        // copied.
        std::vector<int> sourceColumn((size_t)pTo->GetColumnCount(), -1);
        for (int j = 0; j < pFrom->GetColumnCount(); j++) {
            const CString& name = pFrom->GetField((UINT)j).m_strName;
            int found = -1;
            for (int i = 0; i < pTo->GetColumnCount() && found < 0; i++)
                if (pTo->GetField((UINT)i).m_strName.CompareNoCase(name) == 0)
                    found = i;
            if (found < 0) {
                CString message;
                message.Format(IDS_COPY_COLUMN_MISSING, lpszTable, name.GetString());
                AfxThrowDBException(AFX_SQL_ERROR_FIELD_NOT_FOUND, message);
            }
            sourceColumn[(size_t)found] = j;
        }

        for (; !pFrom->IsEOF(); pFrom->MoveNext()) {
            pTo->AddNew();
            for (int i = 0; i < pTo->GetColumnCount(); i++) {
                const int j = sourceColumn[(size_t)i];
                if (j < 0)
                    continue;
                void* pValue = pTo->GetField((UINT)i).m_pValue;
                if (pFrom->IsFieldNull(pFrom->GetField((UINT)j).m_pValue)) {
                    pTo->SetFieldNull(pValue, TRUE);
                    pTo->SetFieldDirty(pValue, TRUE);
                    continue;
                }
                // The value's text is exact: numbers in their shortest form
                // that reads back as the same value, with '.' whatever the
                // user's locale.
                CString text, error;
                pFrom->GetFieldData(j, text, 0);
                if (!pTo->SetFieldData(i, text, &error, 0))
                    AfxThrowDBException(AFX_SQL_ERROR_DATA_TRUNCATED, error.GetString());
            }
            pTo->Update();
        }
        pTo->Close();
        pFrom->Close();
        if (bTransaction)
            pTarget->CommitTrans();
    } catch (CException* e) {
        ReportDatabaseException(e);
        bCopied = FALSE;
        for (CGRDynamicRecordset* pSet : {pTo, pFrom}) {
            try {
                pSet->Close();
            } catch (CException* e2) {
                e2->Delete();
            }
        }
        if (bTransaction) {
            try {
                pTarget->Rollback();
            } catch (CException* e2) {
                e2->Delete();
            }
        }
    }
    delete pTo;
    delete pFrom;
    if (pApp != nullptr)
        pApp->SetStatusText(LoadText(AFX_IDS_IDLEMESSAGE, "Ready"));
    return bCopied;
}

void CKelvaronDoc::OnFileClose()
{
    CMDIFrameWnd* pMainFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    CMDIChildWnd* pChild = pMainFrame != nullptr ? pMainFrame->MDIGetActive() : nullptr;
    if (pChild != nullptr)
        pChild->SendMessage(WM_CLOSE);
}
