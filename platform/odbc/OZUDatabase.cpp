// The connection half of the ODBC layer.
#include "platform/odbc/ODBCInternal.h"
#include "platform/odbc/ODBCConnect.h"
#include "platform/odbc/ODBCRes.h"
#include "platform/odbc/SqlTranslate.h"

#include <cstring>

IMPLEMENT_DYNAMIC(OZUDatabase, CObject)
CRuntimeClass& OZUDatabase::classCDatabase = OZUDatabase::classOZUDatabase;

namespace kvodbc {

std::mutex& GlobalLock()
{
    static std::mutex lock;
    return lock;
}

CString FirstWord(const CString& strSQL)
{
    CString s = strSQL;
    s.TrimLeft();
    int i = 0;
    while (i < s.GetLength() && (isalpha((unsigned char)s[i]) || s[i] == '{'))
        ++i;
    CString w = s.Left(i);
    w.MakeUpper();
    return w;
}

void ThrowAndFree(RETCODE nRetCode, OZUDatabase* pdb, HSTMT hstmt)
{
    CDBException* e = new CDBException(nRetCode);
    e->BuildErrorString(pdb, hstmt);
    if (hstmt != SQL_NULL_HSTMT) {
        g_odbc.Cancel(hstmt);
        g_odbc.FreeStmt(hstmt, SQL_DROP);
    }
    throw e;
}

void ExecStatement(OZUDatabase* pdb, HSTMT hstmt, const CString& strSQL)
{
    SQLRETURN r = Retry([&] { return g_odbc.ExecDirect(hstmt, (SQLCHAR*)(LPCSTR)strSQL, SQL_NTS); }, hstmt,
                        pdb->m_dwQueryTimeout);
    if (!pdb->Check(r))
        AfxThrowDBException(r, pdb, hstmt);
    g_odbc.FreeStmt(hstmt, SQL_CLOSE);
}

bool QueryText(OZUDatabase* pdb, const CString& strSQL, CString& value)
{
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(pdb->m_hdbc, &hstmt);
    if (!pdb->Check(r))
        pdb->ThrowDBException(r);
    r = Retry([&] { return g_odbc.ExecDirect(hstmt, (SQLCHAR*)(LPCSTR)strSQL, SQL_NTS); }, hstmt,
              pdb->m_dwQueryTimeout);
    if (!pdb->Check(r))
        ThrowAndFree(r, pdb, hstmt);
    r = g_odbc.Fetch(hstmt);
    bool found = false;
    if (r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO) {
        std::string text;
        char buf[4096];
        SQLLEN ind = 0;
        for (;;) {
            r = g_odbc.GetData(hstmt, 1, SQL_C_CHAR, buf, sizeof(buf), &ind);
            if (r == SQL_NO_DATA || !pdb->Check(r) || ind == SQL_NULL_DATA)
                break;
            size_t got = (ind == SQL_NO_TOTAL || ind >= (SQLLEN)sizeof(buf)) ? sizeof(buf) - 1 : (size_t)ind;
            text.append(buf, got);
            if (r == SQL_SUCCESS)
                break;
        }
        if (r < 0)
            ThrowAndFree(r, pdb, hstmt);
        value = CString(text);
        found = true;
    } else if (r != SQL_NO_DATA)
        ThrowAndFree(r, pdb, hstmt);
    g_odbc.FreeStmt(hstmt, SQL_DROP);
    return found;
}

} // namespace kvodbc

_AFX_DB_STATE* AFXAPI AfxGetDbState()
{
    static _AFX_DB_STATE state;
    return &state;
}

namespace {

// The drivers the driver manager knows, read once.
const std::vector<std::string>& InstalledDrivers(HENV henv)
{
    static std::vector<std::string> drivers;
    static bool read = false;
    if (!read && henv != SQL_NULL_HENV) {
        read = true;
        SQLCHAR name[256];
        SQLCHAR attrs[2048];
        SQLSMALLINT nameLen = 0, attrLen = 0;
        SQLUSMALLINT direction = SQL_FETCH_FIRST;
        for (int guard = 0; guard < 256; ++guard) {
            SQLRETURN r = g_odbc.Drivers(henv, direction, name, sizeof(name), &nameLen, attrs, sizeof(attrs), &attrLen);
            if (r != SQL_SUCCESS && r != SQL_SUCCESS_WITH_INFO)
                break;
            drivers.push_back((const char*)name);
            direction = SQL_FETCH_NEXT;
        }
    }
    return drivers;
}

} // namespace

OZUDatabase::OZUDatabase()
    : m_hdbc(SQL_NULL_HDBC), m_bStripTrailingSpaces(FALSE), m_bIncRecordCountOnAdd(FALSE), m_bAddForUpdate(FALSE),
      m_chIDQuote('"'), nRefCount(0), m_bUpdatable(FALSE), m_bTransactions(FALSE), m_nTransactionCapable(0),
      m_nCursorCommitBehavior(0), m_nCursorRollbackBehavior(0), m_dwUpdateOptions(0), m_dwBookmarkAttributes(0),
      m_dwLoginTimeout(15), m_hstmt(SQL_NULL_HSTMT), m_dwQueryTimeout(15), m_dwChangeCount(0), m_bCursorLib(FALSE), m_bSQLite(FALSE),
      m_bReadOnlyDriver(FALSE), m_bPlannedByContent(FALSE), m_nFileKind(0), m_bScrollOptionsKnown(FALSE), m_dwScrollOptions(0),
      m_lRowsAffected(-1), m_dwLockTimeout(GetDefaultLockTimeout())
{
}

namespace {

DWORD& DefaultLockTimeout()
{
    static DWORD milliseconds = 3000;
    return milliseconds;
}

} // namespace

void OZUDatabase::SetDefaultLockTimeout(DWORD dwMilliseconds)
{
    DefaultLockTimeout() = dwMilliseconds;
}

DWORD OZUDatabase::GetDefaultLockTimeout()
{
    return DefaultLockTimeout();
}

OZUDatabase::~OZUDatabase()
{
    try {
        Free();
    } catch (CException* e) {
        char message[600] = {};
        CString text;
        if (e->GetErrorMessage(message, sizeof(message)) && std::strlen(message) <= 512)
            text.Format("%s (%s:%d)\n%s", "Exception thrown in destructor", "OZU_DB_RS", 74, message);
        else
            text.Format("%s (%s:%d)", "Exception thrown in destructor", "OZU_DB_RS", 74);
        MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
        e->Delete();
    }
}

BOOL OZUDatabase::Open(LPCSTR lpszDSN, BOOL bExclusive, BOOL bReadOnly, LPCSTR lpszConnect, BOOL bUseCursorLib)
{
    if ((lpszDSN && !AfxIsValidString(lpszDSN)) || (lpszConnect && !AfxIsValidString(lpszConnect)))
        AfxThrowInvalidArgException();
    CString connect = lpszConnect ? lpszConnect : "";
    if (connect.Left(5).CompareNoCase("ODBC;") == 0)
        connect = connect.Mid(5);
    if (lpszDSN && *lpszDSN) {
        connect += ";DSN=";
        connect += lpszDSN;
    }
    DWORD options = 0;
    if (bExclusive)
        options |= openExclusive;
    if (bReadOnly)
        options |= openReadOnly;
    if (bUseCursorLib)
        options |= useCursorLib;
    return OpenEx(connect, options);
}

BOOL OZUDatabase::OpenEx(LPCSTR lpszConnectString, DWORD dwOptions)
{
    if ((dwOptions & noOdbcDialog) && (dwOptions & forceOdbcDialog))
        AfxThrowInvalidArgException();
    if (lpszConnectString && !AfxIsValidString(lpszConnectString))
        AfxThrowInvalidArgException();
    m_bUpdatable = !(dwOptions & openReadOnly);
    m_strConnect = lpszConnectString ? lpszConnectString : "";
    if (m_strConnect.Left(5).CompareNoCase("ODBC;") == 0)
        m_strConnect = m_strConnect.Mid(5);
    m_strReadOnlyReason.Empty();
    m_bSQLite = FALSE;
    m_bReadOnlyDriver = FALSE;
    m_bScrollOptionsKnown = FALSE;
    m_mapRowKeys.clear();
    try {
        AllocConnect(dwOptions);
        if (!Connect(dwOptions)) {
            Free();
            return FALSE;
        }
        VerifyConnect();
        GetConnectInfo();
        if (m_bSQLite)
            CheckSQLiteFile();
    } catch (...) {
        Free();
        throw;
    }
    return TRUE;
}

void OZUDatabase::AllocConnect(DWORD dwOptions)
{
    _AFX_DB_STATE* state = AfxGetDbState();
    HENV henv;
    {
        std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
        if (state->m_henvAtfx == SQL_NULL_HENV) {
            if (!Check(g_odbc.AllocEnv(&state->m_henvAtfx))) {
                state->m_henvAtfx = SQL_NULL_HENV;
                AfxThrowMemoryException();
            }
        }
        SQLRETURN r = g_odbc.AllocConnect(state->m_henvAtfx, &m_hdbc);
        if (!Check(r)) {
            m_hdbc = SQL_NULL_HDBC;
            CDBException* e = new CDBException(r);
            kvodbc::CollectDiagnostics(state->m_henvAtfx, SQL_NULL_HDBC, SQL_NULL_HSTMT, e->m_strError,
                                       e->m_strStateNativeOrigin);
            if (e->m_strError.IsEmpty())
                e->m_strError = "Could not allocate an ODBC connection.";
            throw e;
        }
        state->m_nAllocatedConnections++;
        henv = state->m_henvAtfx;
    }

    // Which driver, and how: by the file named in the connect string.
    kvodbc::ConnectPlan plan;
    std::string error;
    // The SQLite driver waits its time twice over before it gives up on a
    // write (and takes a wait of 0 as its own default of 100 s).
    unsigned lockWait = m_dwLockTimeout < 2 ? 1u : (unsigned)(m_dwLockTimeout / 2);
    if (!kvodbc::PlanConnection(m_strConnect.str(), InstalledDrivers(henv), lockWait, plan, error))
        AfxThrowDBException(AFX_SQL_ERROR_CONNECT_FAIL, error.c_str());
    m_strPlannedConnect = CString(plan.connect);
    m_strFile = CString(plan.file);
    m_nFileKind = (int)plan.kind;
    m_bSQLite = plan.sqlite;
    m_bPlannedByContent = plan.byContent;
    if (plan.readOnly) {
        m_bReadOnlyDriver = TRUE;
        m_bUpdatable = FALSE;
        m_strReadOnlyReason.Format(IDS_ODBC_ACCESS_READ_ONLY, (LPCSTR)m_strFile);
    }
    if (plan.sqlite && m_bUpdatable && plan.kind == kvodbc::FileKind::SQLite)
        CheckFileWritable();
    if (plan.useCursorLib)
        dwOptions |= useCursorLib;
    // The SQLite driver has static cursors of its own; the cursor library in
    // front of it breaks its positioned writes.
    if (plan.sqlite)
        dwOptions &= ~useCursorLib;
    m_bCursorLib = (dwOptions & useCursorLib) != 0;

    g_odbc.SetConnectOption(m_hdbc, SQL_LOGIN_TIMEOUT, m_dwLoginTimeout);
    if (!m_bUpdatable)
        g_odbc.SetConnectOption(m_hdbc, SQL_ACCESS_MODE, SQL_MODE_READ_ONLY);
    if (dwOptions & useCursorLib) {
        g_odbc.SetConnectOption(m_hdbc, SQL_ODBC_CURSORS, SQL_CUR_USE_ODBC);
        m_bIncRecordCountOnAdd = TRUE;
    }
}

void OZUDatabase::ThrowWithPlan(RETCODE nRetCode, HSTMT hstmt, LPCSTR lpszPrefix)
{
    CDBException* e = new CDBException(nRetCode);
    e->BuildErrorString(this, hstmt);
    if (lpszPrefix && *lpszPrefix) {
        CString text = lpszPrefix;
        if (!e->m_strError.IsEmpty() && e->m_strError.Find("without a message") < 0)
            text += "\n" + e->m_strError;
        e->m_strError = text;
    }
    throw e;
}

BOOL OZUDatabase::Connect(DWORD dwOptions)
{
    HWND hwnd = GetDesktopWindow();
    SQLUSMALLINT completion = SQL_DRIVER_COMPLETE;
    if (dwOptions & noOdbcDialog)
        completion = SQL_DRIVER_NOPROMPT;
    else if (dwOptions & forceOdbcDialog)
        completion = SQL_DRIVER_PROMPT;
    // The Linux drivers reached through Wine show no dialogs, and a connect
    // string made here is complete.
    if (kvodbc::RunningUnderWine() || m_bPlannedByContent)
        completion = SQL_DRIVER_NOPROMPT;

    SQLCHAR out[1024] = {};
    SQLSMALLINT outLength = 0;
    HWND hwndTop = GetForegroundWindow();
    SQLRETURN r = kvodbc::Retry(
        [&] {
            return g_odbc.DriverConnect(m_hdbc, hwnd, (SQLCHAR*)(LPCSTR)m_strPlannedConnect, SQL_NTS, out,
                                        sizeof(out), &outLength, completion);
        },
        SQL_NULL_HSTMT, m_dwLoginTimeout);
    if (hwndTop && IsWindow(hwndTop))
        EnableWindow(hwndTop, TRUE);
    if (r == SQL_NO_DATA)
        return FALSE;
    if (!Check(r)) {
        CString prefix;
        switch ((kvodbc::FileKind)m_nFileKind) {
        case kvodbc::FileKind::Missing:
            if (!m_strFile.IsEmpty())
                prefix.Format("Could not find the database file '%s'.", (LPCSTR)m_strFile);
            break;
        case kvodbc::FileKind::Access:
            prefix.Format("Could not open the Access database '%s'.", (LPCSTR)m_strFile);
            break;
        default:
            if (!m_strFile.IsEmpty())
                prefix.Format("Could not open the database '%s'.", (LPCSTR)m_strFile);
            break;
        }
        ThrowWithPlan(r, SQL_NULL_HSTMT, prefix);
    }
    CString completed((LPCSTR)out);
    // A driver that gives no usable completed string keeps the one sent.
    if (completed.Find('=') < 0)
        completed = m_strPlannedConnect;
    m_strConnect = "ODBC;" + completed;
    return TRUE;
}

void OZUDatabase::VerifyConnect()
{
    SQLUSMALLINT api = 0;
    SQLSMALLINT len = 0;
    SQLRETURN r = g_odbc.GetInfo(m_hdbc, SQL_ODBC_API_CONFORMANCE, &api, sizeof(api), &len);
    if (Check(r)) {
        if (api < SQL_OAC_LEVEL1)
            AfxThrowDBException(AFX_SQL_ERROR_API_CONFORMANCE, this, SQL_NULL_HSTMT);
    } else if (!m_bReadOnlyDriver)
        ThrowDBException(r);
    SQLUSMALLINT sql = 0;
    r = g_odbc.GetInfo(m_hdbc, SQL_ODBC_SQL_CONFORMANCE, &sql, sizeof(sql), &len);
    if (Check(r)) {
        if ((SQLSMALLINT)sql < SQL_OSC_MINIMUM)
            AfxThrowDBException(AFX_SQL_ERROR_SQL_CONFORMANCE, this, SQL_NULL_HSTMT);
    } else if (!m_bReadOnlyDriver)
        ThrowDBException(r);
}

void OZUDatabase::GetConnectInfo()
{
    SQLSMALLINT len = 0;
    m_dwUpdateOptions = 0;
    SQLUINTEGER mask = 0;
    if (Check(g_odbc.GetInfo(m_hdbc, SQL_POS_OPERATIONS, &mask, sizeof(mask), &len)) &&
        (mask & (SQL_POS_UPDATE | SQL_POS_DELETE | SQL_POS_ADD)) == (SQL_POS_UPDATE | SQL_POS_DELETE | SQL_POS_ADD))
        m_dwUpdateOptions |= updateSetPos;
    mask = 0;
    if (Check(g_odbc.GetInfo(m_hdbc, SQL_POSITIONED_STATEMENTS, &mask, sizeof(mask), &len)) &&
        (mask & (SQL_PS_POSITIONED_DELETE | SQL_PS_POSITIONED_UPDATE)) ==
            (SQL_PS_POSITIONED_DELETE | SQL_PS_POSITIONED_UPDATE))
        m_dwUpdateOptions |= updatePositioned;
    SQLUSMALLINT txn = 0;
    m_bTransactions = Check(g_odbc.GetInfo(m_hdbc, SQL_TXN_CAPABLE, &txn, sizeof(txn), &len)) && txn != 0;
    SQLUSMALLINT behaviour = 0;
    m_nCursorCommitBehavior = Check(g_odbc.GetInfo(m_hdbc, SQL_CURSOR_COMMIT_BEHAVIOR, &behaviour, sizeof(behaviour), &len))
                                  ? (SWORD)behaviour
                                  : (SWORD)-1;
    behaviour = 0;
    m_nCursorRollbackBehavior =
        Check(g_odbc.GetInfo(m_hdbc, SQL_CURSOR_ROLLBACK_BEHAVIOR, &behaviour, sizeof(behaviour), &len))
            ? (SWORD)behaviour
            : (SWORD)-1;
    SQLUINTEGER bookmarks = 0;
    if (Check(g_odbc.GetInfo(m_hdbc, SQL_BOOKMARK_PERSISTENCE, &bookmarks, sizeof(bookmarks), &len)))
        m_dwBookmarkAttributes = bookmarks;
    // The SQLite driver's SQLSetPos writes every bound column and refuses
    // unbound ones, so it cannot write only the changed fields: its rows are
    // written by key instead (keyed recordsets).
    if (m_bSQLite)
        m_dwUpdateOptions &= ~updateSetPos;
    SQLUINTEGER getData = 0;
    if (Check(g_odbc.GetInfo(m_hdbc, SQL_GETDATA_EXTENSIONS, &getData, sizeof(getData), &len)) &&
        (getData & SQL_GD_BOUND))
        m_dwUpdateOptions |= updateGetDataBound;

    if (!m_bUpdatable)
        g_odbc.SetConnectOption(m_hdbc, SQL_ACCESS_MODE, SQL_MODE_READ_ONLY);
    else {
        char readOnly[8] = {};
        len = 0;
        SQLRETURN r = g_odbc.GetInfo(m_hdbc, SQL_DATA_SOURCE_READ_ONLY, readOnly, sizeof(readOnly), &len);
        m_bUpdatable = Check(r) && len == 1 && readOnly[0] == 'N';
        if (!m_bUpdatable && m_strReadOnlyReason.IsEmpty())
            m_strReadOnlyReason = LoadText(IDS_ODBC_DRIVER_READ_ONLY);
    }
    char quote[8] = {};
    len = 0;
    SQLRETURN r = g_odbc.GetInfo(m_hdbc, SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof(quote), &len);
    m_chIDQuote = (Check(r) && len == 1 && quote[0] != ' ') ? quote[0] : '"';
}

void OZUDatabase::CheckFileWritable()
{
    // The SQLite driver opens a file it cannot write for reading and fails
    // only at the first write, with its own terse message; and under Wine
    // it does not see a Windows program's sharing or the read-only
    // attribute at all. So the file is tried for writing here, as Windows
    // sees it (nothing is written).
    std::string local = kvodbc::LocalPath(m_strFile.str());
    int n = ::MultiByteToWideChar(CP_UTF8, 0, local.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? (size_t)n : 1, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, local.c_str(), -1, &wide[0], n);
    DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;  // missing or unreadable: the driver says what is wrong
    UINT nReason = 0;
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        nReason = IDS_ODBC_FILE_MARKED_READ_ONLY;
    } else {
        HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            return;
        }
        DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        nReason = IDS_ODBC_FILE_HELD;
        else if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT)
            nReason = IDS_ODBC_FILE_NOT_WRITABLE;
        else
            return;
    }
    m_bUpdatable = FALSE;
    m_strReadOnlyReason.Format(nReason, (LPCSTR)m_strFile);
}

void OZUDatabase::CheckSQLiteFile()
{
    // The SQLite driver opens any file; the first statement shows whether it
    // is a database (and whether it is locked).
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_hdbc, &hstmt);
    if (!Check(r))
        ThrowDBException(r);
    r = kvodbc::Retry(
        [&] { return g_odbc.ExecDirect(hstmt, (SQLCHAR*)"SELECT count(*) FROM sqlite_master", SQL_NTS); }, hstmt,
        m_dwQueryTimeout);
    if (!Check(r)) {
        CDBException* e = new CDBException(r);
        e->BuildErrorString(this, hstmt);
        g_odbc.FreeStmt(hstmt, SQL_DROP);
        CString prefix;
        if ((kvodbc::FileKind)m_nFileKind == kvodbc::FileKind::Other)
            prefix.Format("'%s' is neither a SQLite nor an Access database.", (LPCSTR)m_strFile);
        else
            prefix.Format("Could not read the database '%s'.", (LPCSTR)m_strFile);
        e->m_strError = prefix + "\n" + e->m_strError;
        throw e;
    }
    g_odbc.FreeStmt(hstmt, SQL_DROP);
}

void OZUDatabase::Close()
{
    // A transaction still open is undone (the database would undo it).
    if (m_nTransactionDepth > 0 && m_hdbc != SQL_NULL_HDBC)
        EndTransaction(FALSE);
    m_nTransactionDepth = 0;
    m_bTransactionDoomed = FALSE;
    for (;;) {
        OZURecordset* prs = nullptr;
        {
            std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
            if (m_listRecordsets.empty())
                break;
            prs = m_listRecordsets.front();
        }
        prs->Close();
        {
            std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
            for (auto it = m_listRecordsets.begin(); it != m_listRecordsets.end(); ++it)
                if (*it == prs) {
                    m_listRecordsets.erase(it);
                    break;
                }
        }
        prs->m_bListed = false;
        prs->m_pDatabase = nullptr;
    }
    if (m_hdbc != SQL_NULL_HDBC) {
        g_odbc.Disconnect(m_hdbc);
        g_odbc.FreeConnect(m_hdbc);
        m_hdbc = SQL_NULL_HDBC;
        std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
        AfxGetDbState()->m_nAllocatedConnections--;
    }
}

void OZUDatabase::Free()
{
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    }
    std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
    _AFX_DB_STATE* state = AfxGetDbState();
    if (state->m_henvAtfx != SQL_NULL_HENV && state->m_nAllocatedConnections == 0) {
        g_odbc.FreeEnv(state->m_henvAtfx);
        state->m_henvAtfx = SQL_NULL_HENV;
    }
}

void OZUDatabase::OnSetOptions(HSTMT hstmt)
{
    if (m_dwQueryTimeout != 0xFFFFFFFF) {
        SQLRETURN r = g_odbc.SetStmtOption(hstmt, SQL_QUERY_TIMEOUT, m_dwQueryTimeout);
        if (!Check(r))
            m_dwQueryTimeout = 0xFFFFFFFF;
    }
}

void OZUDatabase::BindParameters(HSTMT)
{
}

BOOL OZUDatabase::Check(RETCODE nRetCode) const
{
    return nRetCode == SQL_SUCCESS || nRetCode == SQL_SUCCESS_WITH_INFO || nRetCode == SQL_NO_DATA;
}

BOOL OZUDatabase::CheckHstmt(RETCODE nRetCode, HSTMT) const
{
    return nRetCode == SQL_SUCCESS || nRetCode == SQL_SUCCESS_WITH_INFO || nRetCode == SQL_NO_DATA;
}

void OZUDatabase::ThrowDBException(RETCODE nRetCode)
{
    AfxThrowDBException(nRetCode, this, SQL_NULL_HSTMT);
}

CString OZUDatabase::GetDatabaseName() const
{
    if (!IsOpen())
        return CString();
    SQLSMALLINT len = 0;
    char probe[1] = {};
    SQLRETURN r = g_odbc.GetInfo(m_hdbc, SQL_DATABASE_NAME, probe, 0, &len);
    if (!Check(r) || len <= 0) {
        // Drivers that cannot say (the MDB Tools driver) are named by their file.
        return m_strFile;
    }
    std::vector<char> buf((size_t)len + 1, 0);
    r = g_odbc.GetInfo(m_hdbc, SQL_DATABASE_NAME, buf.data(), (SQLSMALLINT)buf.size(), &len);
    if (!Check(r))
        return m_strFile;
    return CString(buf.data());
}

void OZUDatabase::ReplaceBrackets(LPSTR lpchSQL)
{
    if (!lpchSQL)
        return;
    bool inLiteral = false;
    char* out = lpchSQL;
    for (char* in = lpchSQL; *in; ++in) {
        char c = *in;
        if (c == '\'') {
            if (inLiteral && in[1] == '\'') {
                *out++ = c;
                *out++ = *++in;
                continue;
            }
            inLiteral = !inLiteral;
            *out++ = c;
            continue;
        }
        if (!inLiteral && (c == '[' || c == ']')) {
            if (in[1] == c) {
                *out++ = c;
                ++in;
            } else
                *out++ = m_chIDQuote;
            continue;
        }
        *out++ = c;
    }
    *out = '\0';
}

void OZUDatabase::ReplaceBrackets(CString& strSQL)
{
    LPSTR p = strSQL.GetBuffer(strSQL.GetLength());
    ReplaceBrackets(p);
    strSQL.ReleaseBuffer();
}

CString OZUDatabase::TranslateSQL(const CString& strSQL) const
{
    if (!m_bSQLite)
        return strSQL;
    return CString(kvsql::TranslateForSQLite(strSQL.str()));
}

DWORD OZUDatabase::GetScrollOptions()
{
    if (!m_bScrollOptionsKnown && IsOpen()) {
        SQLUINTEGER options = 0;
        SQLSMALLINT len = 0;
        if (Check(g_odbc.GetInfo(m_hdbc, SQL_SCROLL_OPTIONS, &options, sizeof(options), &len)))
            m_dwScrollOptions = options;
        else
            m_dwScrollOptions = 0;
        m_bScrollOptionsKnown = TRUE;
    }
    return m_dwScrollOptions;
}

long long OZUDatabase::GetDataVersion()
{
    CString text;
    if (!m_bSQLite || !IsOpen() || !kvodbc::QueryText(this, "PRAGMA data_version", text))
        return -1;
    return _atoi64(text);
}

void OZUDatabase::BeforeWrite()
{
    std::vector<OZURecordset*> sets;
    {
        std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
        sets = m_listRecordsets;
    }
    for (OZURecordset* pSet : sets)
        pSet->CompleteKeys();
}

std::string OZUDatabase::GetRowKeyColumn(const std::string& table)
{
    auto found = m_mapRowKeys.find(table);
    if (found != m_mapRowKeys.end())
        return found->second;
    std::string key;
    HSTMT hstmt = SQL_NULL_HSTMT;
    if (IsOpen() && Check(g_odbc.AllocStmt(m_hdbc, &hstmt))) {
        SQLRETURN r = g_odbc.SpecialColumns(hstmt, SQL_BEST_ROWID, nullptr, 0, nullptr, 0, (SQLCHAR*)table.c_str(),
                                            (SQLSMALLINT)table.size(), SQL_SCOPE_SESSION, SQL_NULLABLE);
        int rows = 0;
        if (Check(r)) {
            while ((r = g_odbc.Fetch(hstmt)) == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO) {
                char name[256] = {};
                SQLLEN ind = 0;
                g_odbc.GetData(hstmt, 2, SQL_C_CHAR, name, sizeof(name), &ind);
                if (ind > 0)
                    key = name;
                ++rows;
            }
        }
        if (rows != 1)
            key.clear();
        g_odbc.FreeStmt(hstmt, SQL_DROP);
    }
    m_mapRowKeys[table] = key;
    return key;
}

void OZUDatabase::ExecuteDirect(HSTMT hstmt, const CString& strSQL)
{
    kvodbc::ExecStatement(this, hstmt, strSQL);
}

void OZUDatabase::ExecuteSQL(LPCSTR lpszSQL)
{
    if (!lpszSQL || !AfxIsValidString(lpszSQL))
        AfxThrowInvalidArgException();
    if (!IsOpen())
        AfxThrowDBException(AFX_SQL_ERROR_CONNECT_FAIL, "The database is not open.");
    CString sql = lpszSQL;
    CString verb = kvodbc::FirstWord(sql);
    bool select = verb == "SELECT" && sql.Find(" INTO ") < 0;
    if (!m_bUpdatable && !select)
        AfxThrowDBException(AFX_SQL_ERROR_READONLY_DATABASE, this, SQL_NULL_HSTMT);

    m_lRowsAffected = -1;
    if (!select)
        BeforeWrite();
    kvsql::AlterColumn alter;
    if (m_bSQLite && kvsql::ParseAlterColumn(sql.str(), alter)) {
        AlterColumnSQLite(sql);
        m_dwChangeCount++;
        return;
    }
    sql = TranslateSQL(sql);
    ReplaceBrackets(sql);

    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_hdbc, &hstmt);
    if (!Check(r))
        ThrowDBException(r);
    try {
        OnSetOptions(hstmt);
        BindParameters(hstmt);
    } catch (...) {
        g_odbc.FreeStmt(hstmt, SQL_DROP);
        throw;
    }
    r = kvodbc::Retry([&] { return g_odbc.ExecDirect(hstmt, (SQLCHAR*)(LPCSTR)sql, SQL_NTS); }, hstmt,
                      m_dwQueryTimeout);
    if (!Check(r))
        kvodbc::ThrowAndFree(r, this, hstmt);
    if (!select)
        m_dwChangeCount++;
    SQLLEN count = -1;
    if (Check(g_odbc.RowCount(hstmt, &count)))
        m_lRowsAffected = (long)count;
    for (int guard = 0; guard < 1000; ++guard) {
        SQLSMALLINT columns = 0;
        r = g_odbc.NumResultCols(hstmt, &columns);
        if (!Check(r))
            kvodbc::ThrowAndFree(r, this, hstmt);
        // (The cursor library fetches only into bound columns; its rows are
        // simply dropped.)
        if (columns > 0 && !m_bCursorLib) {
            while ((r = kvodbc::Retry([&] { return g_odbc.Fetch(hstmt); }, hstmt, m_dwQueryTimeout)) != SQL_NO_DATA)
                if (!Check(r))
                    kvodbc::ThrowAndFree(r, this, hstmt);
        }
        r = g_odbc.MoreResults(hstmt);
        if (r == SQL_NO_DATA)
            break;
        if (!Check(r)) {
            // A driver without SQLMoreResults has no further results.
            CString error, states;
            kvodbc::CollectDiagnostics(AfxGetDbState()->m_henvAtfx, m_hdbc, hstmt, error, states);
            if (kvodbc::StateInText(states, "IM001"))
                break;
            kvodbc::ThrowAndFree(r, this, hstmt);
        }
    }
    g_odbc.FreeStmt(hstmt, SQL_DROP);
}

void OZUDatabase::AlterColumnSQLite(const CString& strSQL)
{
    kvsql::AlterColumn alter;
    kvsql::ParseAlterColumn(strSQL.str(), alter);
    std::string newType = kvsql::SQLiteColumnType(alter.type);

    auto literal = [](const std::string& s) { return kvsql::QuoteLiteral(s); };
    CString create;
    if (!kvodbc::QueryText(this,
                           CString("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = " +
                                   literal(alter.table) + " COLLATE NOCASE"),
                           create)) {
        CString message;
        message.Format("no such table: %s", alter.table.c_str());
        AfxThrowDBException(SQL_ERROR, message);
    }
    std::string tableName = alter.table;
    {
        CString exact;
        if (kvodbc::QueryText(this,
                              CString("SELECT name FROM sqlite_master WHERE type = 'table' AND name = " +
                                      literal(alter.table) + " COLLATE NOCASE"),
                              exact))
            tableName = exact.str();
    }
    std::string temp = tableName + "_kv_rebuild";
    std::string rebuilt;
    if (!kvsql::RewriteCreateTable(create.str(), alter.column, newType, temp, rebuilt)) {
        CString message;
        message.Format("no such column: %s", alter.column.c_str());
        AfxThrowDBException(SQL_ERROR, message);
    }
    // The rebuilt table's text compares without regard to case, as the
    // Access engine's does.
    rebuilt = kvsql::TextColumnsNoCase(rebuilt);
    // The highest key the table ever gave (AUTOINCREMENT): the copy would
    // know only the highest key it holds, so a deleted row's key could
    // come back for a new row that rows of other tables still name.
    CString sequence;
    {
        CString hasSequence;
        if (kvodbc::QueryText(this, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'sqlite_sequence'",
                              hasSequence) &&
            hasSequence == "1")
            kvodbc::QueryText(this, CString("SELECT seq FROM sqlite_sequence WHERE name = " + literal(tableName)),
                              sequence);
    }
    // Indexes and triggers go with the old table; they are made again.
    std::vector<std::string> extras;
    {
        HSTMT hstmt = SQL_NULL_HSTMT;
        SQLRETURN r = g_odbc.AllocStmt(m_hdbc, &hstmt);
        if (!Check(r))
            ThrowDBException(r);
        std::string q = "SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND tbl_name = " +
                        literal(tableName) + " AND sql IS NOT NULL";
        r = g_odbc.ExecDirect(hstmt, (SQLCHAR*)q.c_str(), SQL_NTS);
        if (!Check(r))
            kvodbc::ThrowAndFree(r, this, hstmt);
        while ((r = g_odbc.Fetch(hstmt)) == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO) {
            char buf[8192] = {};
            SQLLEN ind = 0;
            g_odbc.GetData(hstmt, 1, SQL_C_CHAR, buf, sizeof(buf), &ind);
            if (ind > 0)
                extras.push_back(buf);
        }
        g_odbc.FreeStmt(hstmt, SQL_DROP);
    }

    std::vector<std::string> steps;
    steps.push_back(rebuilt);
    steps.push_back("INSERT INTO " + kvsql::QuoteName(temp) + " SELECT * FROM " + kvsql::QuoteName(tableName));
    steps.push_back("DROP TABLE " + kvsql::QuoteName(tableName));
    steps.push_back("ALTER TABLE " + kvsql::QuoteName(temp) + " RENAME TO " + kvsql::QuoteName(tableName));
    for (auto& e : extras)
        steps.push_back(e);
    if (!sequence.IsEmpty()) {
        std::string seq = std::to_string(_atoi64(sequence));
        steps.push_back("UPDATE sqlite_sequence SET seq = " + seq + " WHERE name = " + literal(tableName) +
                        " AND seq < " + seq);
        steps.push_back("INSERT INTO sqlite_sequence (name, seq) SELECT " + literal(tableName) + ", " + seq +
                        " WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = " + literal(tableName) + ")");
    }

    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_hdbc, &hstmt);
    if (!Check(r))
        ThrowDBException(r);
    try {
        kvodbc::ExecStatement(this, hstmt, "SAVEPOINT kv_alter_column");
    } catch (...) {
        g_odbc.FreeStmt(hstmt, SQL_DROP);
        throw;
    }
    try {
        for (auto& s : steps)
            kvodbc::ExecStatement(this, hstmt, CString(s));
        kvodbc::ExecStatement(this, hstmt, "RELEASE kv_alter_column");
    } catch (CException*) {
        // Leave the table as it was.
        g_odbc.FreeStmt(hstmt, SQL_CLOSE);
        g_odbc.ExecDirect(hstmt, (SQLCHAR*)"ROLLBACK TO kv_alter_column", SQL_NTS);
        g_odbc.FreeStmt(hstmt, SQL_CLOSE);
        g_odbc.ExecDirect(hstmt, (SQLCHAR*)"RELEASE kv_alter_column", SQL_NTS);
        g_odbc.FreeStmt(hstmt, SQL_DROP);
        throw;
    }
    g_odbc.FreeStmt(hstmt, SQL_DROP);
    m_mapRowKeys.clear();
}

void OZUDatabase::Cancel()
{
    if (m_hstmt != SQL_NULL_HSTMT)
        g_odbc.Cancel(m_hstmt);
}

BOOL OZUDatabase::ExecuteTransactionControl(const CString& strSQL)
{
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_hdbc, &hstmt);
    if (!Check(r)) {
        m_strTransactionError = "The database connection cannot run a statement.";
        return FALSE;
    }
    BOOL ok = TRUE;
    try {
        kvodbc::ExecStatement(this, hstmt, strSQL);
    } catch (CException* e) {
        char text[1024] = {};
        e->GetErrorMessage(text, sizeof(text));
        m_strTransactionError = text;
        m_strTransactionError.TrimRight();
        e->Delete();
        ok = FALSE;
    }
    g_odbc.FreeStmt(hstmt, SQL_DROP);
    return ok;
}

BOOL OZUDatabase::BeginTrans()
{
    if (!m_bTransactions || !IsOpen())
        return FALSE;
    m_strTransactionError.Empty();
    if (m_bSQLite) {
        // The driver is left committing each statement: the transaction is
        // the database's, so a failure the database ends it with (a full
        // disk, say) cannot leave the driver believing one is open.
        CString sql = "BEGIN";
        if (m_nTransactionDepth > 0)
            sql.Format("SAVEPOINT kv_inner_%d", m_nTransactionDepth);
        if (!ExecuteTransactionControl(sql))
            return FALSE;
    } else if (m_nTransactionDepth == 0) {
        SQLRETURN r = g_odbc.SetConnectOption(m_hdbc, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF);
        if (!Check(r)) {
            m_strTransactionError = "The database refused to begin a transaction.";
            g_odbc.SetConnectOption(m_hdbc, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_ON);
            return FALSE;
        }
        m_bTransactionDoomed = FALSE;
    }
    m_nTransactionDepth++;
    return TRUE;
}

BOOL OZUDatabase::EndTransaction(BOOL bCommit)
{
    m_nTransactionDepth = 0;
    const BOOL bDoomed = m_bTransactionDoomed;
    m_bTransactionDoomed = FALSE;
    BOOL ok = TRUE;
    if (m_bSQLite) {
        if (bCommit && !bDoomed) {
            if (ExecuteTransactionControl("COMMIT"))
                return TRUE;
            // What the database could not keep is undone, so that no
            // transaction stays open behind the failure (the database may
            // have undone it already).
            const CString reason = m_strTransactionError;
            ExecuteTransactionControl("ROLLBACK");
            m_strTransactionError = reason;
            ok = FALSE;
        } else {
            // A transaction the database has already undone (after a full
            // disk) has nothing left to roll back: that is no failure.
            ExecuteTransactionControl("ROLLBACK");
            m_strTransactionError.Empty();
            ok = !bCommit;
        }
    } else {
        HENV henv = AfxGetDbState()->m_henvAtfx;
        if (bCommit && !bDoomed) {
            ok = Check(g_odbc.Transact(henv, m_hdbc, SQL_COMMIT));
            if (!ok) {
                m_strTransactionError = "The database could not keep the changes.";
                g_odbc.Transact(henv, m_hdbc, SQL_ROLLBACK);
            }
        } else {
            const BOOL bUndone = Check(g_odbc.Transact(henv, m_hdbc, SQL_ROLLBACK));
            if (!bUndone)
                m_strTransactionError = "The database could not undo the changes.";
            ok = bUndone && !bCommit;
        }
        if (!Check(g_odbc.SetConnectOption(m_hdbc, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_ON))) {
            m_strTransactionError = "The database connection could not go back to keeping each change.";
            ok = FALSE;
        }
    }
    if (bDoomed && bCommit)
        m_strTransactionError = "A part of the changes failed: none of them were kept.";
    return ok;
}

BOOL OZUDatabase::CommitTrans()
{
    if (m_nTransactionDepth == 0 || !IsOpen()) {
        m_strTransactionError = "No transaction is open.";
        return FALSE;
    }
    m_strTransactionError.Empty();
    if (m_nTransactionDepth == 1)
        return EndTransaction(TRUE);
    m_nTransactionDepth--;
    if (!m_bSQLite)
        return TRUE;
    CString sql;
    sql.Format("RELEASE kv_inner_%d", m_nTransactionDepth);
    if (ExecuteTransactionControl(sql))
        return TRUE;
    // The savepoint is gone with the whole transaction, which the database
    // undid: the outer one has nothing left to keep.
    m_bTransactionDoomed = TRUE;
    return FALSE;
}

BOOL OZUDatabase::Rollback()
{
    m_dwChangeCount++;
    if (m_nTransactionDepth == 0 || !IsOpen()) {
        m_strTransactionError = "No transaction is open.";
        return FALSE;
    }
    m_strTransactionError.Empty();
    if (m_nTransactionDepth == 1)
        return EndTransaction(FALSE);
    m_nTransactionDepth--;
    if (!m_bSQLite) {
        // Without savepoints the inner changes cannot be undone alone.
        m_bTransactionDoomed = TRUE;
        return TRUE;
    }
    CString sql;
    sql.Format("ROLLBACK TO kv_inner_%d", m_nTransactionDepth);
    if (ExecuteTransactionControl(sql)) {
        sql.Format("RELEASE kv_inner_%d", m_nTransactionDepth);
        ExecuteTransactionControl(sql);
        return TRUE;
    }
    m_bTransactionDoomed = TRUE;
    return FALSE;
}

CString QuoteSqlString(LPCSTR text)
{
    CString quoted(text != nullptr ? text : "");
    quoted.Replace("'", "''");
    return quoted;
}
