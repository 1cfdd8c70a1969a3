#include "app/KelvaronDoc.h"
#include "app/AppRes.h"
#include "app/FileFailuresRes.h"
#include "app/ChildFrm.h"
#include "app/KelvaronApp.h"
#include "app/MainFrm.h"
#include "app/OptionsDlg.h"
#include "app/Utilities.h"
#include "platform/odbc/ODBCApi.h"
#include "database/records/ComponentIndexes.h"
#include "database/records/ComponentRecords.h"
#include "database/records/ComponentSchema.h"
#include "platform/grid/GRODBCGrid.h"

#include <cstring>
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

// Puts lpszWork in lpszTarget's place in one step (replacing it only with
// bReplace); the work file goes either way. FALSE (with the system's error
// kept) when the target could not be replaced; it is then as it was.
BOOL MoveWorkFileTo(LPCSTR lpszWork, LPCSTR lpszTarget, BOOL bReplace)
{
    if (::MoveFileExA(lpszWork, lpszTarget, MOVEFILE_WRITE_THROUGH | (bReplace ? MOVEFILE_REPLACE_EXISTING : 0)))
        return TRUE;
    DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED && bReplace) {
        // A target another program holds open is refused as if it could
        // not be written: the user is told that it is held.
        HANDLE hFile = ::CreateFileA(lpszTarget, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(hFile);
        else if (::GetLastError() == ERROR_SHARING_VIOLATION)
            error = ERROR_SHARING_VIOLATION;
    }
    ::DeleteFileA(lpszWork);
    ::SetLastError(error);
    return FALSE;
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

/////////////////////////////////////////////////////////////////////////////
// Files

BOOL CKelvaronDoc::CopyFileBytes(LPCSTR lpszFrom, LPCSTR lpszTo)
{
    return ::CopyFileA(lpszFrom, lpszTo, TRUE) ? TRUE : FALSE;
}

BOOL CKelvaronDoc::CopyWhole(LPCSTR lpszFrom, LPCSTR lpszTo, BOOL bReplace)
{
    const CString work = WorkFileBeside(lpszTo);
    if (work.IsEmpty()) {
        ::SetLastError(ERROR_FILE_EXISTS);
        return FALSE;
    }
    if (!CopyFileBytes(lpszFrom, work)) {
        // A copy cut short leaves nothing behind.
        const DWORD error = ::GetLastError();
        ::SetFileAttributesA(work, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(work);
        ::SetLastError(error);
        return FALSE;
    }
    MakeWritable(work);
    return MoveWorkFileTo(work, lpszTo, bReplace);
}

CString CKelvaronDoc::FileErrorText(DWORD dwError)
{
    switch (dwError) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return LoadText(IDS_FILE_ERROR_DISK_FULL);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
        return LoadText(IDS_FILE_ERROR_NOT_WRITABLE);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return LoadText(IDS_FILE_ERROR_HELD);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return LoadText(IDS_FILE_ERROR_MISSING);
    default:
        break;
    }
    char text[512] = {};
    if (::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError, 0, text,
                         (DWORD)sizeof(text), nullptr) != 0) {
        CString result(text);
        result.TrimRight();
        if (!result.IsEmpty())
            return result;
    }
    CString code;
    code.Format(IDS_FILE_ERROR_CODE, (unsigned long)dwError);
    return code;
}

BOOL CKelvaronDoc::IsWholeDatabaseFile(LPCTSTR lpszPath)
{
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    BYTE header[100] = {};
    DWORD got = 0;
    const BOOL bRead = ::GetFileSizeEx(hFile, &size) && ::ReadFile(hFile, header, sizeof(header), &got, nullptr);
    ::CloseHandle(hFile);
    if (!bRead || got < sizeof(header))
        return FALSE;
    const ULONGLONG length = (ULONGLONG)size.QuadPart;
    auto bigEndian = [&](int at) {
        return ((DWORD)header[at] << 24) | ((DWORD)header[at + 1] << 16) | ((DWORD)header[at + 2] << 8) | header[at + 3];
    };
    if (std::memcmp(header, "SQLite format 3", 16) == 0) {
        // Its page size, and (where the header's count is valid) how many
        // pages the database has: a copy cut short has fewer.
        ULONGLONG page = ((DWORD)header[16] << 8) | header[17];
        if (page == 1)
            page = 65536;
        if (page < 512 || (page & (page - 1)) != 0 || length < page || length % page != 0)
            return FALSE;
        const DWORD pages = bigEndian(28);
        if (pages != 0 && bigEndian(24) == bigEndian(92))
            return length >= page * pages;
        return TRUE;
    }
    if (std::memcmp(header + 4, "Standard Jet DB", 15) == 0 || std::memcmp(header + 4, "Standard ACE DB", 15) == 0) {
        // Pages of 2 KB in the oldest format, 4 KB since.
        const ULONGLONG page = header[0x14] == 0 ? 2048 : 4096;
        return length >= page && length % page == 0;
    }
    return FALSE;
}

CKelvaronDoc::FileIdentity CKelvaronDoc::ReadFileIdentity(LPCTSTR lpszPath)
{
    FileIdentity identity;
    HANDLE hFile = ::CreateFileA(lpszPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return identity;
    BY_HANDLE_FILE_INFORMATION info = {};
    if (::GetFileInformationByHandle(hFile, &info)) {
        identity.bKnown = TRUE;
        identity.dwVolume = info.dwVolumeSerialNumber;
        identity.dwIndexHigh = info.nFileIndexHigh;
        identity.dwIndexLow = info.nFileIndexLow;
    }
    ::CloseHandle(hFile);
    return identity;
}

CString CKelvaronDoc::ListMissingSchema(const std::vector<MissingSchemaPart>& missing)
{
    // Each missing table or column on a line of its own; a long list is cut.
    const size_t kMostLines = 12;
    CString lines;
    for (size_t i = 0; i < missing.size() && i < kMostLines; i++) {
        CString line;
        if (missing[i].strColumn.IsEmpty())
            line.Format(IDS_SCHEMA_MISSING_TABLE, missing[i].strTable.GetString());
        else
            line.Format(IDS_SCHEMA_MISSING_COLUMN, missing[i].strColumn.GetString(), missing[i].strTable.GetString());
        lines += line + "\n";
    }
    if (missing.size() > kMostLines) {
        CString more;
        more.Format(IDS_SCHEMA_MISSING_MORE, (int)(missing.size() - kMostLines));
        lines += more + "\n";
    }
    return lines;
}

CString CKelvaronDoc::DescribeMissingSchema(LPCTSTR lpszPath, const std::vector<MissingSchemaPart>& missing)
{
    CString message;
    message.Format(IDS_DATABASE_LACKS_SCHEMA, lpszPath, ListMissingSchema(missing).GetString());
    return message;
}

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

void CKelvaronDoc::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    CDocument::SetPathName(lpszPathName, bAddToMRU);
    SetTitle(GetPathName());
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
    if (!CopyWhole(skeleton, path, FALSE)) {
        CString message;
        message.Format(IDS_NEW_DATABASE_FAILED, path.GetString(), FileErrorText(::GetLastError()).GetString());
        AfxMessageBox(message, MB_ICONERROR);
        return CString();
    }
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

CKelvaronDoc::BackupOutcome CKelvaronDoc::MakeBackup(const CString& strPath, const CString& strBackup)
{
    const DWORD attributes = ::GetFileAttributesA(strBackup);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !IsWholeDatabaseFile(strBackup)) {
        // A copy cut short (a full disk, a run ended while copying) holds no
        // database to go back to: it is not offered as one, and the fresh
        // backup takes its place.
        ::SetFileAttributesA(strBackup, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(strBackup);
    }
    if (::GetFileAttributesA(strBackup) == INVALID_FILE_ATTRIBUTES) {
        if (CopyWhole(strPath, strBackup, FALSE))
            return backupMade;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            // The folder or its disk takes no copy (it cannot be written, it
            // is full): the database is opened read-only, so that nothing is
            // changed that could not be put back.
            CString message;
            message.Format(IDS_BACKUP_READ_ONLY, strBackup.GetString(), FileErrorText(error).GetString());
            AfxMessageBox(message, MB_ICONINFORMATION);
            return backupNone;
        }
    }
    const CString prompt = LoadText(IDS_BACKUP_FAILED) + strBackup + LoadText(IDS_BACKUP_FAILED_END);
    if (AfxMessageBox(prompt, MB_OKCANCEL) != IDOK)
        return backupRefused;
    // A backup left by a run that did not close the database: it holds the
    // database as it was before that run's changes, so it is kept under a
    // name of its own (an earlier one is not replaced) ...
    if (!FileExists(strBackup))
        return backupRefused;  // something else is in the way: the backup cannot be made at all
    const CString saved = UniqueSavedBackupPath(strPath);
    if (saved.IsEmpty() || !::MoveFileA(strBackup, saved)) {
        CString message;
        message.Format(IDS_STALE_BACKUP_NOT_SAVED, strBackup.GetString(), FileErrorText(::GetLastError()).GetString());
        AfxMessageBox(message, MB_ICONERROR);
        return backupRefused;
    }
    AfxMessageBox(LoadText(IDS_BACKUP_SAVED) + saved + LoadText(IDS_BACKUP_SAVED_END), MB_OK);
    // ... and the backup of this open is taken afresh, so that closing
    // without saving returns the database to what it is now, not to what it
    // was before the earlier run.
    if (CopyWhole(strPath, strBackup, FALSE))
        return backupMade;
    CString message;
    message.Format(IDS_BACKUP_READ_ONLY, strBackup.GetString(), FileErrorText(::GetLastError()).GetString());
    AfxMessageBox(message, MB_ICONINFORMATION);
    return backupNone;
}

BOOL CKelvaronDoc::OpenDatabase(LPCTSTR lpszPath, BOOL bNew)
{
    CString path = lpszPath != nullptr ? lpszPath : "";
    if (bNew) {
        path = CreateNewDatabase();
        if (path.IsEmpty())
            return FALSE;
        SetPathName(path);
    }
    m_strDatabasePath.Empty();
    m_strBackupPath.Empty();
    m_bOpenReadOnly = FALSE;
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
    if (backup.IsEmpty())
        return FALSE;
    const BackupOutcome outcome = MakeBackup(path, backup);
    if (outcome == backupRefused)
        return FALSE;
    m_strDatabasePath = path;
    if (outcome == backupMade)
        m_strBackupPath = backup;
    m_bOpenReadOnly = outcome == backupNone;
    // What the close sequences check before they touch the backup: that the
    // file there is still this one.
    m_identity = ReadFileIdentity(path);
    if (bNew)
        AfxMessageBox(IDS_NEW_DATABASE_TABLES, MB_OK);
    if (ConnectDatabase(path))
        return TRUE;
    // Nothing was changed: the copy taken for this open goes with it.
    if (!m_strBackupPath.IsEmpty())
        ::DeleteFileA(m_strBackupPath);
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
        m_pDatabase->OpenEx(GetConnectString(lpszPath),
                            CDatabase::noOdbcDialog | (m_bOpenReadOnly ? CDatabase::openReadOnly : 0));
        // A database without the tables and columns the program reads and
        // writes is refused before anything is read from it or changed in it.
        const std::vector<MissingSchemaPart> missing = FindMissingSchema(m_pDatabase);
        if (!missing.empty()) {
            AfxMessageBox(DescribeMissingSchema(lpszPath, missing), MB_ICONEXCLAMATION);
            CloseDatabase();
            return FALSE;
        }
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
            // user learns why it is open read-only (when the program chose
            // it, the user has been told already).
            m_bReadOnly = TRUE;
            if (!m_pDatabase->GetReadOnlyReason().IsEmpty())
                AfxMessageBox(m_pDatabase->GetReadOnlyReason(), MB_ICONINFORMATION);
        } else {
            if (!WidenWarehouseCode())
                AfxMessageBox(IDS_WAREHOUSE_CODE_WIDEN_FAILED, MB_ICONEXCLAMATION);
            // The indexes the tabs read their rows by; a database made
            // without them works without them, only slower.
            EnsureComponentIndexes(m_pDatabase);
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

CKelvaronDoc::FilePlace CKelvaronDoc::CheckOpenedFile() const
{
    if (!FileExists(m_strDatabasePath))
        return fileGone;
    const FileIdentity now = ReadFileIdentity(m_strDatabasePath);
    // A file whose identity cannot be read (another program holds it
    // closed to all) is taken to be the one opened.
    if (m_identity.bKnown && now.bKnown &&
        (now.dwVolume != m_identity.dwVolume || now.dwIndexHigh != m_identity.dwIndexHigh ||
         now.dwIndexLow != m_identity.dwIndexLow))
        return fileReplaced;
    return fileInPlace;
}

BOOL CKelvaronDoc::RestoreBackup()
{
    if (m_strBackupPath.IsEmpty() || m_strDatabasePath.IsEmpty())
        return FALSE;
    if (m_bReadOnly)
        return DeleteBackup();
    // Only the file that was opened is put back: another program's file
    // in its place, or none, is never overwritten.
    if (CheckOpenedFile() != fileInPlace) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (!CopyWhole(m_strBackupPath, m_strDatabasePath, TRUE))
        return FALSE;
    return ::DeleteFileA(m_strBackupPath) ? TRUE : FALSE;
}

BOOL CKelvaronDoc::DeleteBackup()
{
    if (m_strBackupPath.IsEmpty())
        return m_bOpenReadOnly;
    // The backup is the only copy left when the database file is no longer
    // the one opened.
    if (CheckOpenedFile() != fileInPlace)
        return FALSE;
    return ::DeleteFileA(m_strBackupPath) ? TRUE : FALSE;
}

void CKelvaronDoc::KeepBackupAside(FilePlace place, BOOL bKeeping)
{
    // The backup takes a "BACKUP_" name, as one left by an earlier run
    // would: the "~" name belongs to the next open.
    CString kept = m_strBackupPath;
    const CString saved = UniqueSavedBackupPath(m_strDatabasePath);
    if (!saved.IsEmpty() && ::MoveFileA(m_strBackupPath, saved))
        kept = saved;
    UINT nText = 0;
    if (place == fileGone)
        nText = bKeeping ? IDS_KEEP_DATABASE_GONE : IDS_RESTORE_DATABASE_GONE;
    else
        nText = bKeeping ? IDS_KEEP_DATABASE_REPLACED : IDS_RESTORE_DATABASE_REPLACED;
    CString message;
    message.Format(nText, m_strDatabasePath.GetString(), kept.GetString());
    AfxMessageBox(message, MB_ICONEXCLAMATION);
}

BOOL CKelvaronDoc::CloseLeavesBackup(BOOL bKeeping, BOOL& bResult)
{
    CloseDatabase();
    bResult = m_bOpenReadOnly;
    if (m_strBackupPath.IsEmpty())
        return TRUE;
    const FilePlace place = CheckOpenedFile();
    if (place == fileInPlace)
        return FALSE;
    KeepBackupAside(place, bKeeping);
    bResult = FALSE;
    return TRUE;
}

BOOL CKelvaronDoc::CloseKeepingChanges()
{
    BOOL bResult = FALSE;
    if (CloseLeavesBackup(TRUE, bResult))
        return bResult;
    return DeleteBackup();
}

BOOL CKelvaronDoc::CloseRestoringBackup()
{
    BOOL bResult = FALSE;
    if (CloseLeavesBackup(FALSE, bResult))
        return bResult;
    if (RestoreBackup())
        return TRUE;
    const DWORD error = ::GetLastError();
    if (FileExists(m_strBackupPath)) {
        CString cause;
        cause.Format(IDS_RESTORE_FAILED_CAUSE, m_strDatabasePath.GetString(), FileErrorText(error).GetString());
        AfxMessageBox(cause + "\n" + LoadText(IDS_RESTORE_FAILED) + m_strBackupPath + LoadText(IDS_RESTORE_FAILED_END),
                      MB_OK | MB_ICONEXCLAMATION);
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
        if (!CopyWhole(m_strDatabasePath, target, TRUE)) {
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
    if (work.IsEmpty() || !CopyFileBytes(skeleton, work)) {
        if (!work.IsEmpty())
            ::DeleteFileA(work);
        AfxMessageBox(IDS_SAVE_COPY_FAILED);
        return FALSE;
    }
    MakeWritable(work);
    BOOL bConnected = FALSE;
    const BOOL bAllTables = CopyTablesTo(work, bConnected);
    // Only a complete copy replaces the target; each table that failed has
    // been told.
    if (!bAllTables) {
        ::DeleteFileA(work);
        if (bConnected) {
            CString message;
            message.Format(IDS_SAVE_COPY_INCOMPLETE, target.GetString());
            AfxMessageBox(message, MB_ICONEXCLAMATION);
        }
        return FALSE;
    }
    if (!MoveWorkFileTo(work, target, TRUE)) {
        AfxMessageBox(IDS_SAVE_COPY_FAILED);
        return FALSE;
    }
    return TRUE;
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
