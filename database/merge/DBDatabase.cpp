#include "database/merge/DBMergeState.h"

#include "database/merge/MergeRes.h"

#include <algorithm>
#include <cstdlib>
#include <list>
#include <shlobj.h>

namespace {


// The folder of the running program, ending in a backslash ("" when the
// program has not given it).
CString& ProgramFolder()
{
    static CString folder;
    return folder;
}

// A folder of the user's own, where the report goes when the program folder
// cannot be written ("" when there is none).
CString UserReportFolder()
{
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return CString();
    CString folder = CString(path) + "\\Kelvaron";
    ::CreateDirectoryA(folder, nullptr);
    return folder + "\\";
}

const char kDashRule[] = "----------------------------";
const char kClosingRule[] = "============================";

} // namespace

CString DBExceptionText(CException* e)
{
    char message[2048] = {};
    if (!e->GetErrorMessage(message, sizeof(message)) || message[0] == 0)
        return "An unexpected error occurred.";
    return message;
}

IMPLEMENT_DYNAMIC(DBDatabase, CDatabase)

DBDatabase::DBDatabase(LPCSTR lpszPath, DWORD dwFlags)
    : m_dwFlags(dwFlags), m_strPath(lpszPath != nullptr ? lpszPath : ""), m_pMergeSource(nullptr),
      m_nOutcome(mergeNotRun), m_pReportFile(nullptr), m_bReportComplete(TRUE)
{
    if (!(dwFlags & openFile))
        return;
    // The connect string names the Access driver by the extension; where
    // that driver is missing, the connection layer picks the driver by what
    // the file holds (a SQLite file, or an Access file read only).
    CString connect = GetComponentConnectString(m_strPath);
    DWORD dwOptions = noOdbcDialog | ((dwFlags & openAsReadOnly) ? CDatabase::openReadOnly : 0);
    if (!OpenEx(connect, dwOptions))
        return;
    // A database to merge into or to clean must take writes: one that
    // cannot is refused here, with the reason, so that nothing is offered
    // on it.
    if (!(dwFlags & openAsReadOnly) && !CanUpdate()) {
        CString message;
        message.Format(IDS_MERGE_TARGET_READ_ONLY, (LPCSTR)m_strPath, (LPCSTR)GetReadOnlyReason());
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
        AfxThrowDBException(AFX_SQL_ERROR_READONLY_DATABASE, message);
    }
    OpenTables((dwFlags & openAsReadOnly) != 0);
}

DBDatabase::~DBDatabase()
{
    CloseReport();
    m_pMerge.reset();
    for (CRecordset* rs : std::initializer_list<CRecordset*>{m_pNozzles.get(), m_pAssemblies.get(),
                                                             m_pComponents.get(), m_pPipeTypes.get(),
                                                             m_pTapes.get(), m_pSuppliers.get()}) {
        if (rs == nullptr || !rs->IsOpen())
            continue;
        try {
            rs->Close();
        } catch (CException* e) {
            ShowError(e);
            e->Delete();
        }
    }
    m_pNozzles.reset();
    m_pAssemblies.reset();
    m_pComponents.reset();
    m_pPipeTypes.reset();
    m_pTapes.reset();
    m_pSuppliers.reset();
}

void DBDatabase::OpenTables(BOOL bReadOnly)
{
    DWORD dwOptions = bReadOnly ? CRecordset::readOnly : CRecordset::none;
    m_pNozzles = std::make_unique<DBNozzleTable>(this);
    m_pAssemblies = std::make_unique<DBAssemblyTable>(this);
    m_pComponents = std::make_unique<DBComponentTable>(this);
    m_pPipeTypes = std::make_unique<DBPipeTable>(this);
    m_pTapes = std::make_unique<DBTapeTable>(this);
    m_pSuppliers = std::make_unique<DBSupplierTable>(this);
    // Components are taken in the order they were made.
    m_pComponents->m_strSort = "[Component Key]";
    DBRecordBase* tables[] = {m_pNozzles.get(),  m_pAssemblies.get(), m_pComponents.get(),
                              m_pPipeTypes.get(), m_pTapes.get(),    m_pSuppliers.get()};
    for (DBRecordBase* rs : tables) {
        try {
            rs->Open(CRecordset::dynaset, nullptr, dwOptions);
        } catch (CException* e) {
            // A file without the tables of a component database: say so,
            // and leave nothing open on it.
            CString detail = DBExceptionText(e);
            e->Delete();
            CString table = rs->GetDefaultSQL();
            CString message;
            message.Format(IDS_MERGE_NOT_COMPONENT_DATABASE, (LPCSTR)m_strPath, (LPCSTR)table, (LPCSTR)detail);
            for (DBRecordBase* other : tables)
                other->CloseQuietly();
            try {
                Close();
            } catch (CException* e2) {
                e2->Delete();
            }
            AfxThrowDBException(AFX_SQL_ERROR, message);
        }
    }
}

// ---------------------------------------------------------------------------
// Counts

long DBDatabase::CountRows(DBRecordBase* pTable)
{
    if (pTable == nullptr || !pTable->IsOpen())
        return 0;
    // The number of rows as the database counts them; where it cannot,
    // by moving through them.
    try {
        CRecordset count(this);
        count.Open(CRecordset::forwardOnly, "SELECT COUNT(*) FROM " + pTable->GetDefaultSQL(), CRecordset::readOnly);
        CString value;
        if (!count.IsEOF())
            count.GetFieldValue((short)0, value);
        count.Close();
        if (!value.IsEmpty())
            return std::atol(value);
    } catch (CException* e) {
        e->Delete();
    }
    if (!pTable->m_strFilter.IsEmpty()) {
        pTable->m_strFilter.Empty();
        pTable->Requery();
    }
    if (pTable->IsBOF() && pTable->IsEOF())
        return 0;
    long n = 0;
    pTable->MoveFirst();
    for (; !pTable->IsEOF(); pTable->MoveNext())
        if (!pTable->IsDeleted())
            ++n;
    return n;
}

long DBDatabase::GetComponentCount()
{
    return CountRows(m_pComponents.get());
}

long DBDatabase::GetPipeTableCount()
{
    return CountRows(m_pPipeTypes.get());
}

long DBDatabase::GetSupplierCount()
{
    return CountRows(m_pSuppliers.get());
}

long DBDatabase::CountComponentRows()
{
    return CountRows(m_pComponents.get());
}

long DBDatabase::GetWarehouseCodeSize()
{
    CODBCFieldInfo info;
    m_pComponents->GetODBCFieldInfo((short)6, info);
    return info.m_nPrecision > 0x7FFFFFFF ? 0x7FFFFFFF : (long)info.m_nPrecision;
}

void DBDatabase::SetSinks(DBProgressSink* pProgress, DBMessageSink* pMessages)
{
    m_pProgress = pProgress;
    m_pMessages = pMessages;
}

void DBDatabase::SetProgramFolder(LPCSTR lpszFolder)
{
    ProgramFolder() = lpszFolder != nullptr ? lpszFolder : "";
}

void DBDatabase::StepProgress()
{
    if (m_pProgress != nullptr)
        m_pProgress->StepProgress();
}

int DBDatabase::ShowMessage(LPCSTR lpszText, UINT nType)
{
    return m_pMessages != nullptr ? m_pMessages->ShowMessage(lpszText, nType) : IDOK;
}

void DBDatabase::ShowError(CException* e)
{
    if (m_pMessages != nullptr)
        m_pMessages->ShowError(e);
}

// ---------------------------------------------------------------------------
// Report

CString DBDatabase::ReportFileName()
{
    return LoadText(IDS_MERGE_REPORT_FILE, "DBMergeReport.txt");
}

BOOL DBDatabase::OpenReport(LPCSTR lpszFileName)
{
    CloseReport();
    m_strReportPath.Empty();
    m_bReportComplete = TRUE;
    CFileException error;
    BOOL bError = FALSE;
    for (const CString& folder : {ProgramFolder(), UserReportFolder()}) {
        if (folder.IsEmpty())
            continue;
        CString path = folder + lpszFileName;
        auto* pFile = new CStdioFile;
        CFileException fe;
        if (pFile->Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText, &fe)) {
            m_pReportFile = pFile;
            m_strReportPath = path;
            return TRUE;
        }
        delete pFile;
        if (!bError) {
            error.m_cause = fe.m_cause;
            error.m_lOsError = fe.m_lOsError;
            error.m_strFileName = fe.m_strFileName;
            bError = TRUE;
        }
    }
    m_bReportComplete = FALSE;
    ShowError(&error);
    return FALSE;
}

void DBDatabase::WriteReport(LPCSTR lpszText)
{
    if (m_pReportFile == nullptr || lpszText == nullptr)
        return;
    if (m_bHoldReport) {
        m_strPendingReport += lpszText;
        return;
    }
    try {
        m_pReportFile->WriteString(lpszText);
    } catch (CException* e) {
        NoteReportFailure(e);
    }
}

CString DBDatabase::ReportName(const CString& name)
{
    CString shown = name;
    shown.TrimRight(' ');
    return shown;
}

void DBDatabase::WriteItemLine(const CString& prefix, const CString& name)
{
    WriteReport(prefix + "[" + ReportName(name) + "]\n");
}

void DBDatabase::NoteReportFailure(CException* e)
{
    // Shown once; the report is then known to be incomplete.
    if (m_bReportComplete)
        ShowError(e);
    m_bReportComplete = FALSE;
    e->Delete();
}

void DBDatabase::FlushReport()
{
    std::string pending;
    pending.swap(m_strPendingReport);
    if (!pending.empty())
        WriteReport(pending.c_str());
    if (m_pReportFile == nullptr)
        return;
    // What is committed is on the disk with its lines, not in a buffer that
    // a program killed now would lose.
    try {
        m_pReportFile->Flush();
    } catch (CException* e) {
        NoteReportFailure(e);
    }
}

void DBDatabase::WriteReportHeader(DBDatabase* pSource)
{
    WriteReport("Database Merge Report\n=====================\n");
    WriteReport("New items taken from: " + pSource->GetDatabaseName() + "\n");
    WriteReport("and added to: " + GetDatabaseName() + "\n\n");
}

void DBDatabase::WriteSectionHeader(ReportSection nSection)
{
    static const struct
    {
        LPCSTR lead;
        LPCSTR title;
    } sections[] = {
        {"\n\n", "Merging Pipe Type Table"}, {"\n", "Merging Supplier Code Table"}, {"\n", "Merging Symbol Table"},
        {"\n\n", "Merging Component Table"}, {"\n", "Updating Symbol Table"},
    };
    const auto& s = sections[nSection];
    CString text;
    text.Format("%s%s\n%s\n%s\n", s.lead, kDashRule, s.title, kDashRule);
    WriteReport(text);
}

void DBDatabase::WriteDatabaseError(LPCSTR lpszText)
{
    CString text;
    text.Format("%s\nDatabase Error: %s\n%s\n", kDashRule, lpszText != nullptr ? lpszText : "", kDashRule);
    WriteReport(text);
}

void DBDatabase::CloseReport()
{
    if (m_pReportFile == nullptr)
        return;
    m_bHoldReport = FALSE;
    FlushReport();
    WriteReport(CString(kClosingRule) + "\n");
    try {
        m_pReportFile->Close();
    } catch (CException* e) {
        NoteReportFailure(e);
    }
    delete m_pReportFile;
    m_pReportFile = nullptr;
}
