// The statement half of the ODBC layer: opening, the SQL, scrolling and
// currency. Writes are in OZURecordsetWrite.cpp, the keyed dynaset in
// ODBCKeyset.cpp.
#include "platform/odbc/ODBCInternal.h"
#include "platform/odbc/ODBCValueText.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(OZURecordset, CObject)
CRuntimeClass& OZURecordset::classCRecordset = OZURecordset::classOZURecordset;

namespace kvodbc {

int FindSQLToken(const CString& strSQL, LPCSTR lpszToken, int nStart)
{
    CString upper = strSQL;
    upper.MakeUpper();
    CString token = lpszToken;
    token.MakeUpper();
    const std::string& s = upper.str();
    const std::string& t = token.str();
    bool quoted = false;
    int brackets = 0;
    for (size_t i = (size_t)std::max(nStart, 0); i < s.size(); ++i) {
        char c = s[i];
        if (quoted) {
            if (c == '\'') {
                if (i + 1 < s.size() && s[i + 1] == '\'')
                    ++i;
                else
                    quoted = false;
            }
            continue;
        }
        if (c == '\'' && brackets == 0) {
            quoted = true;
            continue;
        }
        if (c == '[') {
            if (i + 1 < s.size() && s[i + 1] == '[') {
                ++i;
                continue;
            }
            ++brackets;
            continue;
        }
        if (c == ']') {
            if (i + 1 < s.size() && s[i + 1] == ']') {
                ++i;
                continue;
            }
            if (brackets > 0)
                --brackets;
            continue;
        }
        if (brackets == 0 && s.compare(i, t.size(), t) == 0)
            return (int)i;
    }
    return -1;
}

} // namespace kvodbc

OZURecordset::OZURecordset(OZUDatabase* pDatabase)
    : m_hstmt(SQL_NULL_HSTMT), m_pDatabase(pDatabase), m_nFields(0), m_nParams(0), m_bCheckCacheForDirtyFields(TRUE),
      m_bLongBinaryColumns(FALSE), m_bUseUpdateSQL(FALSE), m_dwOptions(0), m_nResultCols(-1),
      m_bUseODBCCursorLib(FALSE), m_nOpenType(snapshot), m_nDefaultType(snapshot), m_nOpen(-1), m_nEditMode(noMode),
      m_bEOFSeen(FALSE), m_lRecordCount(0), m_lCurrentRecord(AFX_CURRENT_RECORD_BOF), m_nLockMode(optimistic),
      m_dwDriverConcurrency(0), m_dwConcurrency(SQL_CONCUR_READ_ONLY), m_hstmtUpdate(SQL_NULL_HSTMT),
      m_bRecordsetDb(FALSE), m_bBOF(TRUE), m_bEOF(TRUE), m_bUpdatable(FALSE), m_bAppendable(FALSE),
      m_bScrollable(FALSE), m_bDeleted(FALSE), m_nFieldsBound(0), m_dwInitialGetDataLen(0), m_dwRowsetSize(25),
      m_dwAllocatedRowsetSize(0), m_bKeyedCandidate(FALSE), m_bRebindParams(FALSE), m_bEOFBeforeMove(FALSE)
{
    if (pDatabase && !AfxIsValidAddress(pDatabase, sizeof(OZUDatabase), FALSE))
        AfxThrowInvalidArgException();
    if (pDatabase && pDatabase->IsOpen()) {
        try {
            HSTMT hstmt = SQL_NULL_HSTMT;
            if (pDatabase->Check(g_odbc.AllocStmt(pDatabase->m_hdbc, &hstmt))) {
                m_hstmt = hstmt;
                std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
                pDatabase->m_listRecordsets.insert(pDatabase->m_listRecordsets.begin(), this);
                m_bListed = true;
            }
        } catch (CException* e) {
            e->Delete();
        }
    }
}

OZURecordset::~OZURecordset()
{
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    }
    if (m_bRecordsetDb) {
        delete m_pDatabase;
        m_pDatabase = nullptr;
    }
}

DWORD OZURecordset::RetrySeconds() const
{
    return m_pDatabase ? m_pDatabase->m_dwQueryTimeout : 0;
}

BOOL OZURecordset::Open(UINT nOpenType, LPCSTR lpszSQL, DWORD dwOptions)
{
    if (IsOpen())
        AfxThrowInvalidArgException();
    if (lpszSQL && !AfxIsValidString(lpszSQL))
        AfxThrowInvalidArgException();
    if (nOpenType != AFX_DB_USE_DEFAULT_TYPE && nOpenType > dynamic)
        AfxThrowInvalidArgException();
    if ((dwOptions & readOnly) && (dwOptions & appendOnly))
        AfxThrowInvalidArgException();
    if ((dwOptions & optimizeBulkAdd) && !(dwOptions & appendOnly))
        AfxThrowInvalidArgException();
    UINT type = nOpenType == AFX_DB_USE_DEFAULT_TYPE ? m_nDefaultType : nOpenType;
    if (type == forwardOnly && (dwOptions & skipDeletedRecords))
        AfxThrowInvalidArgException();

    m_nOpenType = type;
    if (type == forwardOnly) {
        dwOptions |= readOnly;
        if (dwOptions & useMultiRowFetch)
            dwOptions |= useExtendedFetch;
    }
    m_bAppendable = (dwOptions & appendOnly) || !(dwOptions & readOnly);
    m_bUpdatable = !(dwOptions & readOnly) && !(dwOptions & appendOnly);
    if ((dwOptions & noDirtyFieldCheck) || (dwOptions & useMultiRowFetch))
        m_bCheckCacheForDirtyFields = FALSE;
    m_dwOptions = dwOptions;
    m_strRequerySQL = lpszSQL ? lpszSQL : "";
    m_strRequeryFilter = m_strFilter;
    m_strRequerySort = m_strSort;
    m_bKeyedCandidate = FALSE;

    if (m_hstmt == SQL_NULL_HSTMT) {
        if (!AllocHstmtFor())
            return FALSE;
    }
    try {
        // A database that cannot be written makes every set on it read-only.
        if (m_pDatabase && !m_pDatabase->m_bUpdatable)
            m_bUpdatable = m_bAppendable = FALSE;
        OnSetOptions(m_hstmt);
        if (m_nFields || m_nParams)
            AllocStatus();
        BuildSQL(lpszSQL);
        PrepareAndExecute();
        if (!m_pKeyset)
            CacheColumnInfo(m_hstmt, -1);
        AllocRowset();
        if (m_rgFieldFlags.size() < m_nFields || m_rgParamFlags.size() < m_nParams)
            AllocStatus();
        PreBindFields();
        MoveNext();
        m_bBOF = m_bEOF;
    } catch (...) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
        throw;
    }
    return TRUE;
}

BOOL OZURecordset::AllocHstmtFor()
{
    if (!m_pDatabase) {
        m_pDatabase = new OZUDatabase;
        m_bRecordsetDb = TRUE;
    }
    if (!m_pDatabase->IsOpen()) {
        BOOL cursorLib = m_bUseODBCCursorLib || (m_nOpenType == snapshot && !(m_dwOptions & readOnly));
        if (!m_pDatabase->Open(nullptr, FALSE, FALSE, GetDefaultConnect(), cursorLib))
            return FALSE;
        if (m_nOpenType == snapshot && !cursorLib && !(m_pDatabase->GetScrollOptions() & SQL_SO_STATIC)) {
            m_pDatabase->Close();
            if (!m_pDatabase->Open(nullptr, FALSE, FALSE, GetDefaultConnect(), TRUE))
                return FALSE;
        }
    }
    AllocHstmt();
    return TRUE;
}

void OZURecordset::AllocHstmt()
{
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &hstmt);
    if (!Check(r))
        ThrowDBException(SQL_INVALID_HANDLE);
    m_hstmt = hstmt;
    std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
    auto& list = m_pDatabase->m_listRecordsets;
    if (std::find(list.begin(), list.end(), this) == list.end())
        list.insert(list.begin(), this);
    m_bListed = true;
}

void OZURecordset::AllocStatus()
{
    if (m_rgFieldFlags.size() < m_nFields)
        m_rgFieldFlags.resize(m_nFields, 0);
    if (m_rgParamFlags.size() < m_nParams)
        m_rgParamFlags.resize(m_nParams, 0);
}

void OZURecordset::OnSetOptions(HSTMT hstmt)
{
    m_pDatabase->OnSetOptions(hstmt);
    bool forwardNoExtended = m_nOpenType == forwardOnly && !(m_dwOptions & useExtendedFetch);
    if (!forwardNoExtended && (m_dwOptions & useBookmarks) &&
        (m_pDatabase->GetBookmarkPersistence() & SQL_BP_SCROLL))
        g_odbc.SetStmtOption(hstmt, SQL_USE_BOOKMARKS, SQL_UB_ON);
    if (m_nOpenType == forwardOnly) {
        m_bScrollable = FALSE;
        return;
    }

    SQLUSMALLINT exists = 0;
    m_bScrollable = m_pDatabase->Check(g_odbc.GetFunctions(m_pDatabase->m_hdbc, SQL_API_SQLEXTENDEDFETCH, &exists)) &&
                    exists;
    if (!m_bScrollable)
        m_bUpdatable = FALSE;
    else {
        char version[16] = {};
        SQLSMALLINT len = 0;
        // A driver that does not say its version is taken as new enough.
        if (m_pDatabase->Check(g_odbc.GetInfo(m_pDatabase->m_hdbc, SQL_DRIVER_ODBC_VER, version, sizeof(version), &len)) &&
            len > 0 && version[0] == '0' && version[1] < '2')
            ThrowDBException(AFX_SQL_ERROR_ODBC_V2_REQUIRED);
    }

    DWORD scroll = m_pDatabase->GetScrollOptions();
    switch (m_nOpenType) {
    case dynaset:
        if (!(scroll & SQL_SO_KEYSET_DRIVEN))
            m_bKeyedCandidate = TRUE;
        break;
    case snapshot:
        if (!(scroll & SQL_SO_STATIC))
            ThrowDBException(AFX_SQL_ERROR_SNAPSHOT_NOT_SUPPORTED);
        // A snapshot to be written on a driver that cannot write through its
        // cursor keeps its keys like a dynaset and writes by key.
        if ((m_bUpdatable || m_bAppendable) && m_pDatabase->m_bUpdatable &&
            !(m_pDatabase->m_dwUpdateOptions & (OZUDatabase::updateSetPos | OZUDatabase::updatePositioned)))
            m_bKeyedCandidate = TRUE;
        break;
    case dynamic:
        if (!(scroll & SQL_SO_DYNAMIC))
            m_bKeyedCandidate = TRUE;
        break;
    }

    if (m_pDatabase->m_dwUpdateOptions & OZUDatabase::updateSetPos)
        m_bUseUpdateSQL = FALSE;
    else if (m_pDatabase->m_dwUpdateOptions & OZUDatabase::updatePositioned)
        m_bUseUpdateSQL = TRUE;
    else if (!m_bKeyedCandidate)
        m_bUpdatable = m_bAppendable = FALSE;

    m_dwConcurrency = SQL_CONCUR_READ_ONLY;
    if ((m_bUpdatable || m_bAppendable) && m_pDatabase->m_bUpdatable) {
        SQLUINTEGER mask = 0;
        SQLSMALLINT len = 0;
        SQLRETURN r = g_odbc.GetInfo(m_pDatabase->m_hdbc, SQL_SCROLL_CONCURRENCY, &mask, sizeof(mask), &len);
        if (!Check(r))
            ThrowDBException(r);
        m_dwDriverConcurrency = mask;
        if (m_nLockMode == pessimistic) {
            if (mask & SQL_SCCO_LOCK)
                m_dwConcurrency = SQL_CONCUR_LOCK;
        } else if (mask & SQL_SCCO_OPT_ROWVER)
            m_dwConcurrency = SQL_CONCUR_ROWVER;
        else if (mask & SQL_SCCO_OPT_VALUES)
            m_dwConcurrency = SQL_CONCUR_VALUES;
        else if (mask & SQL_SCCO_LOCK)
            m_dwConcurrency = SQL_CONCUR_LOCK;
    }
    // A keyed set reads its rows with a plain statement; the cursor options
    // apply only if it has to fall back to the driver's own cursor.
    if (!m_bKeyedCandidate)
        ApplyStatementOptions(hstmt, m_nOpenType);
}

void OZURecordset::ApplyStatementOptions(HSTMT hstmt, UINT nOpenType)
{
    SQLULEN cursor = nOpenType == dynaset ? SQL_CURSOR_KEYSET_DRIVEN
                     : nOpenType == dynamic ? SQL_CURSOR_DYNAMIC
                                            : SQL_CURSOR_STATIC;
    SQLRETURN r = g_odbc.SetStmtOption(hstmt, SQL_CURSOR_TYPE, cursor);
    if (!Check(r))
        ThrowDBException(r, hstmt);
    r = g_odbc.SetStmtOption(hstmt, SQL_CONCURRENCY, m_dwConcurrency);
    if (!Check(r))
        ThrowDBException(r, hstmt);
}

void OZURecordset::BuildSQL(LPCSTR lpszSQL)
{
    m_strSQL = lpszSQL ? CString(lpszSQL) : GetDefaultSQL();
    if (m_nParams) {
        CFieldExchange fx(CFieldExchange::BindParam, this);
        fx.m_hstmt = m_hstmt;
        DoFieldExchange(&fx);
    }
    // Count the fields (and find long binary columns).
    if (m_nFields) {
        CFieldExchange fx(CFieldExchange::Name, this);
        DoFieldExchange(&fx);
    }
    CString head = m_strSQL;
    head.TrimLeft();
    CString upper = head.Left(6);
    upper.MakeUpper();
    bool statement = upper.Left(5) == "{CALL" || upper.Left(2) == "{?" || upper == "SELECT";
    if (!statement) {
        CString table = m_strSQL;
        CString names;
        CFieldExchange fx(CFieldExchange::Name, this);
        fx.m_pstr = &names;
        fx.m_lpszSeparator = ",";
        DoFieldExchange(&fx);
        if (names.IsEmpty())
            ThrowDBException(AFX_SQL_ERROR_EMPTY_COLUMN_LIST);
        names.SetAt(names.GetLength() - 1, ' ');
        m_strSQL = "SELECT " + names + " FROM " + table;
    }
    if (!m_strFilter.IsEmpty())
        m_strSQL += " WHERE " + m_strFilter;
    if (!m_strSort.IsEmpty())
        m_strSQL += " ORDER BY " + m_strSort;
    if ((m_bUpdatable || m_bAppendable) && !IsSQLUpdatable(m_strSQL))
        m_bUpdatable = m_bAppendable = FALSE;
    if (!m_pDatabase)
        AfxThrowInvalidArgException();
    if (m_bUpdatable && m_bUseUpdateSQL && m_pDatabase->m_bAddForUpdate)
        m_strSQL += " FOR UPDATE ";
    m_strSQL = m_pDatabase->TranslateSQL(m_strSQL);
    m_pDatabase->ReplaceBrackets(m_strSQL);
}

BOOL OZURecordset::IsSQLUpdatable(const CString& strSQL)
{
    CString head = strSQL;
    head.TrimLeft();
    CString upper = head.Left(5);
    upper.MakeUpper();
    if (upper == "{CALL" || upper.Left(2) == "{?")
        return FALSE;
    return IsSelectQueryUpdatable(strSQL);
}

BOOL OZURecordset::IsSelectQueryUpdatable(const CString& strSQL)
{
    int from = kvodbc::FindSQLToken(strSQL, " FROM ");
    if (from < 0)
        return FALSE;
    if (kvodbc::FindSQLToken(strSQL, " GROUP BY ") >= 0 || kvodbc::FindSQLToken(strSQL, " UNION ") >= 0)
        return FALSE;
    int start = from + 6;
    int where = kvodbc::FindSQLToken(strSQL, " WHERE ", start);
    int order = kvodbc::FindSQLToken(strSQL, " ORDER BY ", start);
    int end = strSQL.GetLength();
    if (where >= 0)
        end = where;
    if (order >= 0 && order < end)
        end = order;
    m_strTableName = strSQL.Mid(start, end - start);
    m_strTableName.Trim();
    if (!m_bLongBinaryColumns || m_bUseUpdateSQL)
        return TRUE;
    if (m_pDatabase->m_dwUpdateOptions & OZUDatabase::updateGetDataBound)
        return TRUE;
    if (m_pDatabase->m_dwUpdateOptions & OZUDatabase::updatePositioned) {
        m_bUseUpdateSQL = TRUE;
        return TRUE;
    }
    return FALSE;
}

void OZURecordset::PrepareAndExecute()
{
    if (m_bKeyedCandidate) {
        if (SetupKeyset()) {
            m_nOpen = 1;
            return;
        }
        // Not a query whose rows can be found by key: the driver's static
        // cursor gives the rows instead.
        m_bKeyedCandidate = FALSE;
        if (!(m_pDatabase->m_dwUpdateOptions & (OZUDatabase::updateSetPos | OZUDatabase::updatePositioned)))
            m_bUpdatable = m_bAppendable = FALSE;
        if (!(m_pDatabase->GetScrollOptions() & SQL_SO_STATIC))
            ThrowDBException(AFX_SQL_ERROR_DYNASET_NOT_SUPPORTED);
        ApplyStatementOptions(m_hstmt, snapshot);
    }

    SQLRETURN r = SQL_ERROR;
    bool direct = (m_dwOptions & executeDirect) != 0;
    for (int attempt = 0;; ++attempt) {
        r = kvodbc::Retry(
            [&] {
                return direct ? g_odbc.ExecDirect(m_hstmt, (SQLCHAR*)(LPCSTR)m_strSQL, SQL_NTS)
                              : g_odbc.Prepare(m_hstmt, (SQLCHAR*)(LPCSTR)m_strSQL, SQL_NTS);
            },
            m_hstmt, RetrySeconds());
        if (Check(r))
            break;
        CDBException* e = new CDBException(r);
        e->BuildErrorString(m_pDatabase, m_hstmt);
        if (attempt == 0 && m_dwConcurrency != SQL_CONCUR_READ_ONLY && e->HasState("S1C00")) {
            e->Delete();
            if ((m_dwConcurrency == SQL_CONCUR_ROWVER || m_dwConcurrency == SQL_CONCUR_VALUES) &&
                (m_dwDriverConcurrency & SQL_SCCO_LOCK))
                m_dwConcurrency = SQL_CONCUR_LOCK;
            else {
                m_dwConcurrency = SQL_CONCUR_READ_ONLY;
                m_bUpdatable = m_bAppendable = FALSE;
            }
            SQLRETURN rc = g_odbc.SetStmtOption(m_hstmt, SQL_CONCURRENCY, m_dwConcurrency);
            if (!Check(rc))
                ThrowDBException(rc);
            continue;
        }
        throw e;
    }
    if (!direct) {
        r = kvodbc::Retry([&] { return g_odbc.Execute(m_hstmt); }, m_hstmt, RetrySeconds());
        if (!Check(r))
            ThrowDBException(r);
    }
    m_nOpen = 1;
    if (r == SQL_SUCCESS_WITH_INFO) {
        SQLULEN concurrency = m_dwConcurrency;
        if (Check(g_odbc.GetStmtOption(m_hstmt, SQL_CONCURRENCY, &concurrency)))
            m_dwConcurrency = (DWORD)concurrency;
        if (m_dwConcurrency == SQL_CONCUR_READ_ONLY)
            m_bUpdatable = m_bAppendable = FALSE;
    }
}

void OZURecordset::CacheColumnInfo(HSTMT hstmt, int nColumns)
{
    SQLSMALLINT count = (SQLSMALLINT)nColumns;
    if (nColumns < 0) {
        SQLRETURN r = g_odbc.NumResultCols(hstmt, &count);
        if (!Check(r))
            ThrowDBException(r, hstmt);
    }
    m_nResultCols = count;
    m_rgODBCFieldInfos.assign((size_t)std::max<SQLSMALLINT>(count, 0), CODBCFieldInfo());
    for (SQLSMALLINT c = 0; c < count; ++c) {
        SQLCHAR name[257] = {};
        SQLSMALLINT nameLength = 0, type = 0, scale = 0, nullable = 0;
        SQLULEN precision = 0;
        SQLRETURN r = g_odbc.DescribeCol(hstmt, (SQLUSMALLINT)(c + 1), name, sizeof(name), &nameLength, &type,
                                         &precision, &scale, &nullable);
        if (!Check(r))
            ThrowDBException(r, hstmt);
        CODBCFieldInfo& info = m_rgODBCFieldInfos[(size_t)c];
        info.m_strName = (LPCSTR)name;
        // A driver that describes a 4-byte float as FLOAT or DOUBLE (the MDB
        // Tools driver does so for Access "Single" columns) writes 4 bytes
        // whatever type is asked for: it is read as the single it is.
        if ((type == SQL_FLOAT || type == SQL_DOUBLE) && precision == 4) {
            type = SQL_REAL;
            precision = 7;
        }
        info.m_nSQLType = type;
        info.m_nPrecision = precision;
        info.m_nScale = scale;
        info.m_nNullability = nullable;
    }
}

void OZURecordset::AllocRowset()
{
    if (m_dwOptions & useMultiRowFetch)
        SetRowsetSize(m_dwRowsetSize);
    else {
        m_rgRowStatus.assign(1, 0);
        m_dwRowsetSize = 1;
        m_dwAllocatedRowsetSize = 1;
    }
}

void OZURecordset::FreeRowset()
{
    m_rgRowStatus.clear();
    m_dwAllocatedRowsetSize = 0;
}

void OZURecordset::SetRowsetSize(DWORD dwNewRowsetSize)
{
    if (dwNewRowsetSize == 0)
        AfxThrowInvalidArgException();
    m_dwRowsetSize = dwNewRowsetSize;
    if (m_nOpen != 1 || !(m_dwOptions & useMultiRowFetch))
        return;
    if (dwNewRowsetSize > m_dwAllocatedRowsetSize) {
        m_rgRowStatus.resize(dwNewRowsetSize, 0);
        m_dwAllocatedRowsetSize = dwNewRowsetSize;
    }
    if (!m_pKeyset) {
        SQLRETURN r = g_odbc.SetStmtOption(m_hstmt, SQL_ROWSET_SIZE, dwNewRowsetSize);
        if (!Check(r))
            ThrowDBException(r);
    }
}

void OZURecordset::RunPass(UINT nOperation, void* pv, BOOL bNull)
{
    CFieldExchange fx(nOperation, this, pv);
    fx.m_bNull = bNull;
    DoFieldExchange(&fx);
}

void OZURecordset::BindFieldsToColumns()
{
    // Count the fields the exchange describes; their buffers are bound by
    // address, so the field table is sized once, before binding.
    CFieldExchange count(CFieldExchange::Name, this);
    DoFieldExchange(&count);
    UINT n = count.m_nFields;
    if (n == 0) {
        m_nFieldsBound = -1;
        if (m_pDatabase && m_pDatabase->m_bCursorLib && !m_pKeyset)
            BindTextColumns();
        return;
    }
    m_nFields = n;
    m_rgFieldInfos.clear();
    m_rgFieldInfos.resize(n);
    m_rgFieldFlags.assign(n, 0);
    m_mapFieldIndex.clear();
    CFieldExchange fx(CFieldExchange::BindFieldToColumn, this);
    fx.m_hstmt = m_hstmt;
    DoFieldExchange(&fx);
    m_nFieldsBound = (int)n;
    if (m_bCheckCacheForDirtyFields)
        RunPass(CFieldExchange::AllocCache);
}

void OZURecordset::BindTextColumns()
{
    m_textColumns.clear();
    m_textLengths.assign(m_rgODBCFieldInfos.size(), SQL_NULL_DATA);
    for (size_t i = 0; i < m_rgODBCFieldInfos.size(); ++i) {
        // Room for the column's characters in UTF-8 (a long text is cut).
        SQLULEN chars = m_rgODBCFieldInfos[i].m_nPrecision;
        size_t bytes = (chars == 0 || chars > 16383) ? 65536 : (size_t)chars * 4 + 32;
        m_textColumns.emplace_back(bytes, '\0');
        SQLRETURN r = g_odbc.BindCol(m_hstmt, (SQLUSMALLINT)(i + 1), SQL_C_CHAR, m_textColumns[i].data(),
                                     (SQLLEN)bytes, &m_textLengths[i]);
        if (!Check(r))
            ThrowDBException(r);
    }
}

void OZURecordset::ResetCursor()
{
    m_bBOF = m_bEOF = FALSE;
    m_bEOFSeen = FALSE;
    m_bDeleted = FALSE;
    m_lCurrentRecord = AFX_CURRENT_RECORD_BOF;
    m_lRecordCount = 0;
    if (m_pKeyset)
        m_pKeyset->pos = -1;
}

void OZURecordset::CheckCurrencyForMove(long nRows, WORD wFetchType)
{
    if (!m_bScrollable && wFetchType != SQL_FETCH_NEXT)
        ThrowDBException(AFX_SQL_ERROR_RECORDSET_FORWARD_ONLY);
    if (m_bBOF && m_bEOF)
        ThrowDBException(AFX_SQL_ERROR_NO_DATA_FOUND);
    if (m_nOpenType != dynamic) {
        bool forward = wFetchType == SQL_FETCH_NEXT || (wFetchType == SQL_FETCH_RELATIVE && nRows > 0);
        bool backward = wFetchType == SQL_FETCH_PRIOR || (wFetchType == SQL_FETCH_RELATIVE && nRows < 0);
        if ((forward && m_bEOF) || (backward && m_bBOF))
            ThrowDBException(AFX_SQL_ERROR_NO_DATA_FOUND);
    }
}

void OZURecordset::Move(long nRows, WORD wFetchType)
{
    if (m_nOpen != 1 && !IsOpen())
        ThrowDBException(AFX_SQL_ERROR_NO_CURRENT_RECORD);
    if (m_nFieldsBound == 0) {
        BindFieldsToColumns();
        ResetCursor();
    }
    if (m_nFieldsBound > 0) {
        std::fill(m_rgFieldFlags.begin(), m_rgFieldFlags.end(), 0);
        m_nEditMode = noMode;
    }
    CheckCurrencyForMove(nRows, wFetchType);

    m_bEOFBeforeMove = m_bEOF;
    SQLULEN fetched = 0;
    RETCODE r = FetchData(wFetchType, nRows, fetched);
    if ((m_dwOptions & skipDeletedRecords) &&
        (wFetchType == SQL_FETCH_FIRST || wFetchType == SQL_FETCH_LAST || wFetchType == SQL_FETCH_NEXT ||
         wFetchType == SQL_FETCH_PRIOR || wFetchType == SQL_FETCH_RELATIVE))
        SkipDeletedRecords(wFetchType, nRows, fetched, r);
    SetRowsetCurrencyStatus(r, wFetchType, nRows, (DWORD)fetched);
    if (m_nFieldsBound > 0 && !m_bBOF && !m_bEOF && !(m_dwOptions & useMultiRowFetch))
        RunPass(CFieldExchange::Fixup);
}

RETCODE OZURecordset::FetchData(WORD wFetchType, long nRows, SQLULEN& nRowsFetched)
{
    RETCODE r;
    if (m_pKeyset) {
        r = FetchKeyed(wFetchType, nRows);
        nRowsFetched = r == SQL_NO_DATA ? 0 : 1;
        return r;
    }
    if ((m_nOpenType == forwardOnly && !(m_dwOptions & useExtendedFetch)) || !m_bScrollable) {
        r = kvodbc::Retry([&] { return g_odbc.Fetch(m_hstmt); }, m_hstmt, RetrySeconds());
        m_bDeleted = FALSE;
        nRowsFetched = (r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO) ? 1 : 0;
    } else {
        if (m_rgRowStatus.empty())
            m_rgRowStatus.assign(1, 0);
        // The driver manager's cursor library answers a "prior" fetch with the
        // row it is on; one row back is asked as a relative move instead (and
        // from after the end as the last row).
        WORD type = wFetchType;
        SQLLEN rows = nRows;
        if (type == SQL_FETCH_PRIOR && m_pDatabase->m_bCursorLib) {
            type = m_bEOF ? SQL_FETCH_LAST : SQL_FETCH_RELATIVE;
            rows = -1;
        }
        r = kvodbc::Retry(
            [&] { return g_odbc.ExtendedFetch(m_hstmt, type, rows, &nRowsFetched, m_rgRowStatus.data()); },
            m_hstmt, RetrySeconds());
        m_bDeleted = (r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO) && m_rgRowStatus[0] == SQL_ROW_DELETED;
    }
    CheckRowsetError(r);
    return r;
}

void OZURecordset::SkipDeletedRecords(WORD wFetchType, long nRows, SQLULEN& nRowsFetched, RETCODE& nRetCode)
{
    WORD step = SQL_FETCH_NEXT;
    if (wFetchType == SQL_FETCH_LAST || wFetchType == SQL_FETCH_PRIOR ||
        (wFetchType == SQL_FETCH_RELATIVE && nRows < 0))
        step = SQL_FETCH_PRIOR;
    while (nRetCode != SQL_NO_DATA && m_bDeleted) {
        // Each step counts as a move of its own for the current record.
        SetRowsetCurrencyStatus(nRetCode, wFetchType, nRows, (DWORD)nRowsFetched);
        wFetchType = step;
        nRows = step == SQL_FETCH_NEXT ? 1 : -1;
        m_bEOFBeforeMove = m_bEOF;
        nRetCode = FetchData(step, 1, nRowsFetched);
    }
}

void OZURecordset::CheckRowsetError(RETCODE nRetCode)
{
    if (nRetCode == SQL_SUCCESS_WITH_INFO) {
        CDBException e(nRetCode);
        e.m_bAutoDelete = FALSE;
        e.BuildErrorString(m_pDatabase, m_hstmt);
        if (e.HasState("01004")) {
            // (A text bound here for reading is cut where it must be.)
            if (!((m_pDatabase->m_dwUpdateOptions & OZUDatabase::updateSetPos) && m_bLongBinaryColumns) &&
                m_textColumns.empty())
                ThrowDBException(AFX_SQL_ERROR_DATA_TRUNCATED);
        } else if (e.HasState("01S01"))
            ThrowDBException(AFX_SQL_ERROR_ROW_FETCH);
        return;
    }
    if (!Check(nRetCode))
        ThrowDBException(nRetCode);
}

void OZURecordset::SetRowsetCurrencyStatus(RETCODE nRetCode, UINT nFetchType, long nRows, DWORD)
{
    bool noData = nRetCode == SQL_NO_DATA;
    long direction = nFetchType == SQL_FETCH_NEXT    ? 1
                     : nFetchType == SQL_FETCH_PRIOR ? -1
                     : (nFetchType == SQL_FETCH_ABSOLUTE || nFetchType == SQL_FETCH_RELATIVE) ? nRows
                                                                                               : 0;
    if (noData) {
        if (nFetchType == SQL_FETCH_FIRST || nFetchType == SQL_FETCH_LAST || nFetchType == SQL_FETCH_BOOKMARK) {
            m_bBOF = m_bEOF = TRUE;
        } else {
            m_bEOF = direction >= 0;
            m_bBOF = !m_bEOF;
        }
    } else
        m_bBOF = m_bEOF = FALSE;

    auto growCount = [&] {
        if (!m_bEOFSeen && !noData && m_lCurrentRecord >= 0)
            m_lRecordCount = std::max(m_lRecordCount, m_lCurrentRecord + 1);
    };
    switch (nFetchType) {
    case SQL_FETCH_NEXT:
        if (m_lCurrentRecord != AFX_CURRENT_RECORD_UNDEFINED && !noData)
            m_lCurrentRecord += 1;
        growCount();
        if (noData && m_lRecordCount == m_lCurrentRecord + 1)
            m_bEOFSeen = TRUE;
        break;
    case SQL_FETCH_FIRST:
        if (noData) {
            m_lCurrentRecord = AFX_CURRENT_RECORD_UNDEFINED;
            m_lRecordCount = 0;
        } else
            m_lCurrentRecord = 0;
        break;
    case SQL_FETCH_LAST:
        if (noData) {
            m_lCurrentRecord = AFX_CURRENT_RECORD_UNDEFINED;
            m_lRecordCount = 0;
        } else
            m_lCurrentRecord = m_bEOFSeen ? m_lRecordCount - 1 : AFX_CURRENT_RECORD_UNDEFINED;
        break;
    case SQL_FETCH_PRIOR:
        if (!m_bEOFBeforeMove && m_lCurrentRecord != AFX_CURRENT_RECORD_UNDEFINED && !noData)
            m_lCurrentRecord -= 1;
        break;
    case SQL_FETCH_ABSOLUTE:
        if (noData)
            m_lCurrentRecord = AFX_CURRENT_RECORD_UNDEFINED;
        else if (nRows > 0)
            m_lCurrentRecord = nRows - 1;
        else
            m_lCurrentRecord = m_bEOFSeen ? m_lRecordCount + nRows : AFX_CURRENT_RECORD_UNDEFINED;
        break;
    case SQL_FETCH_RELATIVE:
        if (m_lCurrentRecord != AFX_CURRENT_RECORD_UNDEFINED && !noData)
            m_lCurrentRecord += nRows;
        growCount();
        break;
    case SQL_FETCH_BOOKMARK:
        m_lCurrentRecord = AFX_CURRENT_RECORD_UNDEFINED;
        break;
    }
}

BOOL OZURecordset::IsOpen() const
{
    if (m_hstmt == SQL_NULL_HSTMT)
        return FALSE;
    if (m_nOpen == 1)
        return TRUE;
    SQLSMALLINT columns = 0;
    SQLRETURN r = g_odbc.NumResultCols(m_hstmt, &columns);
    if (!Check(r)) {
        CDBException e(r);
        e.m_bAutoDelete = FALSE;
        e.BuildErrorString(m_pDatabase, m_hstmt);
        if (e.HasState("S1010"))
            return FALSE;
        const_cast<OZURecordset*>(this)->ThrowDBException(r);
    }
    return columns > 0;
}

BOOL OZURecordset::Requery()
{
    if (m_dwOptions & executeDirect)
        return FALSE;
    if (m_strFilter == m_strRequeryFilter && m_strSort == m_strRequerySort && m_nOpen == 1) {
        if (m_pKeyset) {
            ReadKeys();
        } else {
            g_odbc.FreeStmt(m_hstmt, SQL_CLOSE);
            m_nOpen = 0;
            if (m_nParams) {
                CFieldExchange fx(CFieldExchange::RebindParam, this);
                fx.m_hstmt = m_hstmt;
                DoFieldExchange(&fx);
            }
            SQLRETURN r = kvodbc::Retry([&] { return g_odbc.Execute(m_hstmt); }, m_hstmt, RetrySeconds());
            if (!Check(r))
                ThrowDBException(r);
        }
        m_nOpen = 1;
        ResetCursor();
        if (m_nFieldsBound > 0) {
            std::fill(m_rgFieldFlags.begin(), m_rgFieldFlags.end(), 0);
            m_nEditMode = noMode;
        }
        MoveNext();
        m_bBOF = m_bEOF;
        return TRUE;
    }
    m_strRequeryFilter = m_strFilter;
    m_strRequerySort = m_strSort;
    UINT type = m_nOpenType;
    DWORD options = m_dwOptions & ~firstBulkAdd;
    CString sql = m_strRequerySQL;
    Close();
    return Open(type, sql.IsEmpty() ? nullptr : (LPCSTR)sql, options);
}

void OZURecordset::FreeStatements()
{
    if (m_hstmt != SQL_NULL_HSTMT) {
        g_odbc.FreeStmt(m_hstmt, SQL_DROP);
        m_hstmt = SQL_NULL_HSTMT;
    }
    if (m_hstmtUpdate != SQL_NULL_HSTMT) {
        g_odbc.FreeStmt(m_hstmtUpdate, SQL_DROP);
        m_hstmtUpdate = SQL_NULL_HSTMT;
    }
}

void OZURecordset::Close()
{
    m_strCursorName.Empty();
    m_nEditMode = noMode;
    FreeKeyset();
    FreeRowset();
    m_rgFieldInfos.clear();
    m_rgODBCFieldInfos.clear();
    m_rgFieldFlags.clear();
    m_rgParamFlags.clear();
    m_rgParamInfos.clear();
    m_mapFieldIndex.clear();
    m_nFieldsBound = 0;
    m_textColumns.clear();
    m_textLengths.clear();
    m_nResultCols = -1;
    FreeStatements();
    if (m_pDatabase && m_bListed) {
        std::lock_guard<std::mutex> lock(kvodbc::GlobalLock());
        auto& list = m_pDatabase->m_listRecordsets;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        m_bListed = false;
    }
    m_nOpen = 0;
    m_bBOF = m_bEOF = TRUE;
    m_bDeleted = FALSE;
    m_bAppendable = m_bUpdatable = FALSE;
}

CString OZURecordset::GetDefaultConnect()
{
    return CString("ODBC;");
}

CString OZURecordset::GetDefaultSQL()
{
    return CString();
}

void OZURecordset::OnSetUpdateOptions(HSTMT)
{
}

void OZURecordset::DoFieldExchange(CFieldExchange*)
{
}

void OZURecordset::DoBulkFieldExchange(CFieldExchange*)
{
}

void OZURecordset::PreBindFields()
{
}

BOOL OZURecordset::Check(RETCODE nRetCode) const
{
    return nRetCode == SQL_SUCCESS || nRetCode == SQL_SUCCESS_WITH_INFO || nRetCode == SQL_NEED_DATA ||
           nRetCode == SQL_NO_DATA;
}

void OZURecordset::ThrowDBException(RETCODE nRetCode, HSTMT hstmt)
{
    AfxThrowDBException(nRetCode, m_pDatabase, hstmt ? hstmt : m_hstmt);
}

int OZURecordset::GetLBFetchSize(int nOldSize)
{
    return nOldSize * 2;
}

int OZURecordset::GetLBReallocSize(int nOldSize)
{
    return nOldSize * 2;
}

int OZURecordset::FieldIndexOf(void* pv) const
{
    auto it = m_mapFieldIndex.find(pv);
    if (it == m_mapFieldIndex.end())
        return -1;
    int index = it->second - 1;
    return index < (int)m_rgFieldInfos.size() ? index : -1;
}

void* OZURecordset::GetBoundFieldAddress(int nField) const
{
    return (nField >= 0 && nField < (int)m_rgFieldInfos.size()) ? m_rgFieldInfos[(size_t)nField].m_pv : nullptr;
}

int OZURecordset::GetBoundFieldKind(int nField) const
{
    return (nField >= 0 && nField < (int)m_rgFieldInfos.size()) ? m_rgFieldInfos[(size_t)nField].m_nDataType
                                                                 : AFX_RFX_NO_TYPE;
}

CString OZURecordset::GetBoundFieldName(int nField) const
{
    return (nField >= 0 && nField < (int)m_rgFieldInfos.size()) ? m_rgFieldInfos[(size_t)nField].m_strName
                                                                 : CString();
}

void OZURecordset::GetODBCFieldInfo(short nIndex, CODBCFieldInfo& fieldinfo)
{
    if (nIndex < 0 || nIndex >= (short)m_rgODBCFieldInfos.size())
        ThrowDBException(AFX_SQL_ERROR_FIELD_NOT_FOUND);
    fieldinfo = m_rgODBCFieldInfos[(size_t)nIndex];
}

void OZURecordset::GetODBCFieldInfo(LPCSTR lpszName, CODBCFieldInfo& fieldinfo)
{
    GetODBCFieldInfo(GetFieldIndexByName(lpszName), fieldinfo);
}

short OZURecordset::GetFieldIndexByName(LPCSTR lpszFieldName)
{
    CString name = lpszFieldName ? lpszFieldName : "";
    if (name.GetLength() >= 2 && name[0] == '[' && name[name.GetLength() - 1] == ']')
        name = name.Mid(1, name.GetLength() - 2);
    for (size_t i = 0; i < m_rgODBCFieldInfos.size(); ++i)
        if (m_rgODBCFieldInfos[i].m_strName.CompareNoCase(name) == 0)
            return (short)i;
    ThrowDBException(AFX_SQL_ERROR_FIELD_NOT_FOUND);
    return -1;
}

void OZURecordset::GetFieldValue(LPCSTR lpszName, CString& strValue)
{
    GetFieldValue(GetFieldIndexByName(lpszName), strValue);
}

void OZURecordset::GetFieldValue(short nIndex, CString& strValue)
{
    if (nIndex < 0 || nIndex >= GetODBCFieldCount())
        ThrowDBException(AFX_SQL_ERROR_FIELD_NOT_FOUND);
    if (m_bBOF || m_bEOF || m_bDeleted)
        ThrowDBException(AFX_SQL_ERROR_NO_CURRENT_RECORD);
    // A bound column is read from its member.
    if ((size_t)nIndex < m_rgFieldInfos.size() && m_rgFieldInfos[(size_t)nIndex].m_pv) {
        const CFieldInfo& info = m_rgFieldInfos[(size_t)nIndex];
        if (m_rgFieldFlags[(size_t)nIndex] & AFX_SQL_FIELD_FLAG_NULL)
            strValue.Empty();
        else
            strValue = kvodbc::ValueToText(info.m_nDataType, info.m_pv);
        return;
    }
    if ((size_t)nIndex < m_textColumns.size()) {
        SQLLEN length = m_textLengths[(size_t)nIndex];
        const std::vector<char>& buffer = m_textColumns[(size_t)nIndex];
        size_t n = strnlen(buffer.data(), buffer.size());
        if (length == SQL_NULL_DATA || length == kvodbc::kNullIndicator32 || length < 0)
            n = length == SQL_NO_TOTAL ? n : 0;
        else if ((size_t)length < n)
            n = (size_t)length;
        strValue = CString(std::string(buffer.data(), n));
        return;
    }
    HSTMT hstmt = m_pKeyset ? KeyedValueStatement() : m_hstmt;
    std::string text;
    char buf[4096];
    for (;;) {
        SQLLEN ind = 0;
        SQLRETURN r = g_odbc.GetData(hstmt, (SQLUSMALLINT)(nIndex + 1), SQL_C_CHAR, buf, sizeof(buf), &ind);
        if (r == SQL_NO_DATA || ind == SQL_NULL_DATA)
            break;
        if (!Check(r))
            ThrowDBException(r, hstmt);
        size_t got = (ind == SQL_NO_TOTAL || ind >= (SQLLEN)sizeof(buf)) ? sizeof(buf) - 1 : (size_t)ind;
        text.append(buf, got);
        if (r == SQL_SUCCESS)
            break;
    }
    strValue = CString(text);
}
