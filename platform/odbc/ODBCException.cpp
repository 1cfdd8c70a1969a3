// The database exception, the diagnostics it carries, and the bounded
// repetition of calls that answer "still executing".
#include "platform/odbc/OZU_DB_RS.h"
#include "platform/odbc/ODBCConnect.h"
#include "platform/odbc/ODBCRes.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CDBException, CException)

namespace kvodbc {

LPCSTR ErrorCodeText(RETCODE nCode)
{
    switch (nCode) {
    case AFX_SQL_ERROR_CONNECT_FAIL:
        return "Could not connect to the data source.";
    case AFX_SQL_ERROR_RECORDSET_FORWARD_ONLY:
        return "The recordset can only move forward.";
    case AFX_SQL_ERROR_EMPTY_COLUMN_LIST:
        return "The recordset names a table but binds no columns to select.";
    case AFX_SQL_ERROR_FIELD_SCHEMA_MISMATCH:
        return "The bound columns do not match the columns of the result.";
    case AFX_SQL_ERROR_ILLEGAL_MODE:
        return "The recordset is not in the right mode for this operation (Update without Edit or AddNew, "
               "or Delete during an edit).";
    case AFX_SQL_ERROR_MULTIPLE_ROWS_AFFECTED:
        return "The change affected more than one row.";
    case AFX_SQL_ERROR_NO_CURRENT_RECORD:
        return "There is no current record (the recordset is before the first row, after the last, or on a "
               "deleted row).";
    case AFX_SQL_ERROR_NO_ROWS_AFFECTED:
        return "The change affected no row: the record may have been deleted or changed by someone else.";
    case AFX_SQL_ERROR_RECORDSET_READONLY:
        return "The recordset is read-only.";
    case AFX_SQL_ERROR_ODBC_LOAD_FAILED:
        return "The ODBC driver manager could not be loaded.";
    case AFX_SQL_ERROR_DYNASET_NOT_SUPPORTED:
        return "The ODBC driver does not support dynasets (keyset-driven cursors).";
    case AFX_SQL_ERROR_SNAPSHOT_NOT_SUPPORTED:
        return "The ODBC driver does not support snapshots (static cursors).";
    case AFX_SQL_ERROR_API_CONFORMANCE:
        return "The ODBC driver does not conform to ODBC API level 1.";
    case AFX_SQL_ERROR_SQL_CONFORMANCE:
        return "The ODBC driver does not conform to the minimum SQL grammar.";
    case AFX_SQL_ERROR_NO_DATA_FOUND:
        return "Attempt to move past the end or before the beginning of the recordset, or the recordset is "
               "empty.";
    case AFX_SQL_ERROR_ROW_UPDATE_NOT_SUPPORTED:
        return "The ODBC driver cannot update rows of this recordset.";
    case AFX_SQL_ERROR_ODBC_V2_REQUIRED:
        return "Scrolling needs an ODBC driver of version 2 or later.";
    case AFX_SQL_ERROR_NO_POSITIONED_UPDATES:
        return "The ODBC driver does not support positioned updates.";
    case AFX_SQL_ERROR_LOCK_MODE_NOT_SUPPORTED:
        return "The requested locking mode is not supported.";
    case AFX_SQL_ERROR_DATA_TRUNCATED:
        return "Data was truncated while reading a row.";
    case AFX_SQL_ERROR_ROW_FETCH:
        return "The ODBC driver reported an error while reading a row.";
    case AFX_SQL_ERROR_INCORRECT_ODBC:
        return "The ODBC driver gave an answer that cannot be used.";
    case AFX_SQL_ERROR_UPDATE_DELETE_FAILED:
        return "The row could not be updated or deleted.";
    case AFX_SQL_ERROR_DYNAMIC_CURSOR_NOT_SUPPORTED:
        return "The ODBC driver does not support dynamic cursors.";
    case AFX_SQL_ERROR_FIELD_NOT_FOUND:
        return "The field is not in the recordset.";
    case AFX_SQL_ERROR_BOOKMARKS_NOT_SUPPORTED:
        return "The ODBC driver does not support bookmarks.";
    case AFX_SQL_ERROR_BOOKMARKS_NOT_ENABLED:
        return "Bookmarks were not enabled when the recordset was opened.";
    case AFX_SQL_ERROR_STILL_EXECUTING:
        return "The ODBC driver did not finish the operation in the time allowed (it kept answering "
               "\"still executing\"). The operation was cancelled.";
    case AFX_SQL_ERROR_READONLY_DATABASE:
        return "The database is open read-only; nothing was changed.";
    default:
        return "";
    }
}

CString NormaliseState(LPCSTR lpszState)
{
    CString s(lpszState ? lpszState : "");
    if (s.GetLength() == 5) {
        if (s[0] == 'S' && s[1] == '1')
            return CString("HY") + s.Mid(2);
        if (s[0] == 'S' && s[1] == '0' && s[2] == '0')
            return CString("42S") + s.Mid(3);
    }
    return s;
}

BOOL StateInText(const CString& stateNativeOrigin, LPCSTR lpszState)
{
    CString wanted = NormaliseState(lpszState);
    int pos = 0;
    while ((pos = stateNativeOrigin.Find("State:", pos)) >= 0) {
        pos += 6;
        CString state = stateNativeOrigin.Mid(pos, 5);
        if (NormaliseState(state) == wanted)
            return TRUE;
    }
    return FALSE;
}

void CollectDiagnostics(HENV henv, HDBC hdbc, HSTMT hstmt, CString& strError, CString& strStateNativeOrigin)
{
    strError.Empty();
    strStateNativeOrigin.Empty();
    for (int guard = 0; guard < 64; ++guard) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        SQLCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        SQLRETURN r = g_odbc.Error(henv, hdbc, hstmt, state, &native, message, sizeof(message), &length);
        if (r != SQL_SUCCESS && r != SQL_SUCCESS_WITH_INFO)
            break;
        CString text((LPCSTR)message);
        // Leading "[vendor][component]" groups are the origin of the message.
        int cut = 0;
        while (cut < text.GetLength() && text[cut] == '[') {
            int close = text.Find(']', cut);
            if (close < 0)
                break;
            cut = close + 1;
        }
        CString origin = text.Left(cut);
        CString body = text.Mid(cut);
        body.TrimRight();
        if (!body.IsEmpty()) {
            if (!strError.IsEmpty())
                strError += "\n";
            strError += body;
        }
        CString line;
        line.Format("State:%s,Native:%ld,Origin:%s\n", (LPCSTR)state, (long)native, (LPCSTR)origin);
        strStateNativeOrigin += line;
    }
}

SQLRETURN RetryLoop(SQLRETURN first, HSTMT hstmtToCancel, DWORD dwSeconds, SQLRETURN (*again)(void*),
                    void* context)
{
    DWORD limit = (dwSeconds == 0 || dwSeconds > 24 * 3600) ? 60 : dwSeconds;
    ULONGLONG start = GetTickCount64();
    DWORD wait = 0;
    SQLRETURN r = first;
    while (r == SQL_STILL_EXECUTING) {
        if (GetTickCount64() - start >= (ULONGLONG)limit * 1000) {
            if (hstmtToCancel != SQL_NULL_HSTMT)
                g_odbc.Cancel(hstmtToCancel);
            AfxThrowDBException(AFX_SQL_ERROR_STILL_EXECUTING, ErrorCodeText(AFX_SQL_ERROR_STILL_EXECUTING));
        }
        Sleep(wait);
        wait = std::min<DWORD>(wait ? wait * 2 : 1, 50);
        r = again(context);
    }
    return r;
}

} // namespace kvodbc

CDBException::CDBException(RETCODE nRetCode) : m_nRetCode(nRetCode)
{
}

CDBException::~CDBException() = default;

void CDBException::BuildErrorString(OZUDatabase* pdb, HSTMT hstmt, BOOL /*bTrace*/)
{
    LPCSTR own = kvodbc::ErrorCodeText(m_nRetCode);
    if (own && *own) {
        m_strError = own;
        m_strStateNativeOrigin.Empty();
        // A refusal on a read-only database says why it is read-only.
        if ((m_nRetCode == AFX_SQL_ERROR_RECORDSET_READONLY || m_nRetCode == AFX_SQL_ERROR_READONLY_DATABASE) &&
            pdb && !pdb->GetReadOnlyReason().IsEmpty())
            m_strError += CString("\n") + pdb->GetReadOnlyReason();
        return;
    }
    HENV henv = AfxGetDbState()->m_henvAtfx;
    HDBC hdbc = pdb ? pdb->m_hdbc : SQL_NULL_HDBC;
    kvodbc::CollectDiagnostics(henv, hdbc, hstmt, m_strError, m_strStateNativeOrigin);
    if (m_strError.IsEmpty())
        m_strError.Format("The ODBC driver reported a failure without a message (return code %d).", (int)m_nRetCode);
    // The SQLite driver's terse text ("database is locked (5)") gets the
    // file and what it means first.
    if (pdb && pdb->IsSQLite() && !pdb->GetFileName().IsEmpty()) {
        UINT nMeaning = 0;
        switch (GetEngineCode()) {
        case 5:  // busy
        case 6:  // locked
            nMeaning = IDS_ODBC_DATABASE_LOCKED;
            break;
        case 8:  // read-only
            nMeaning = IDS_ODBC_WRITE_REFUSED;
            break;
        case 13:  // full
            nMeaning = IDS_ODBC_DISK_FULL;
            break;
        }
        // A file deleted or moved away while open cannot be written either;
        // the user is told that it is gone, not that it refuses changes.
        if ((nMeaning == IDS_ODBC_WRITE_REFUSED || GetEngineCode() == 10 || GetEngineCode() == 14) &&
            ::GetFileAttributesA(kvodbc::LocalPath(pdb->GetFileName().str()).c_str()) == INVALID_FILE_ATTRIBUTES)
            nMeaning = IDS_ODBC_FILE_GONE;
        if (nMeaning != 0) {
            CString meaning;
            meaning.Format(nMeaning, (LPCSTR)pdb->GetFileName());
            m_strError = meaning + "\n" + m_strError;
        }
    }
}

int CDBException::GetEngineCode() const
{
    // The first diagnostic's native error ("Native:<n>"), when it comes
    // from SQLite (other engines number their errors otherwise).
    int at = m_strStateNativeOrigin.Find("Native:");
    int end = m_strStateNativeOrigin.Find('\n');
    CString first = end < 0 ? m_strStateNativeOrigin : m_strStateNativeOrigin.Left(end);
    first.MakeUpper();
    if (at < 0 || first.Find("SQLITE") < 0)
        return 0;
    long native = std::atol((LPCSTR)m_strStateNativeOrigin + at + 7);
    // SQLite's extended codes keep the primary code in the low byte.
    return native > 0 ? (int)(native & 0xFF) : 0;
}

BOOL CDBException::IsDatabaseLocked() const
{
    int code = GetEngineCode();
    return code == 5 || code == 6;
}

BOOL CDBException::StopsEveryWrite() const
{
    if (m_nRetCode == AFX_SQL_ERROR_READONLY_DATABASE || m_nRetCode == AFX_SQL_ERROR_RECORDSET_READONLY)
        return TRUE;
    switch (GetEngineCode()) {
    case 3:   // no permission
    case 5:   // busy
    case 6:   // locked
    case 7:   // out of memory
    case 8:   // read-only
    case 10:  // input or output error
    case 11:  // damaged file
    case 13:  // full
    case 14:  // cannot open the file
    case 26:  // not a database
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDBException::HasState(LPCSTR lpszState) const
{
    return kvodbc::StateInText(m_strStateNativeOrigin, lpszState);
}

BOOL CDBException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    CString text = m_strError;
    if (text.IsEmpty())
        text = m_strStateNativeOrigin;
    return CopyErrorText(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowDBException(RETCODE nRetCode, OZUDatabase* pdb, HSTMT hstmt)
{
    CDBException* e = new CDBException(nRetCode);
    e->BuildErrorString(pdb, hstmt);
    throw e;
}

void AFXAPI AfxThrowDBException(RETCODE nRetCode, LPCSTR lpszMessage)
{
    CDBException* e = new CDBException(nRetCode);
    e->m_strError = lpszMessage ? lpszMessage : kvodbc::ErrorCodeText(nRetCode);
    throw e;
}
