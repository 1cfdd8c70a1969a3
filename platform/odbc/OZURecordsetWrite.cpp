// How a recordset changes its data source: AddNew, Edit, Update, Delete, the
// dirty-field tracking, and the two write methods of the driver (SQLSetPos
// on the current row, or built SQL on a second statement). Keyed dynasets
// write by key (ODBCKeyset.cpp).
#include "platform/odbc/ODBCInternal.h"

#include <algorithm>

void OZURecordset::ThrowReadOnly(RETCODE nCode)
{
    AfxThrowDBException(nCode, m_pDatabase, SQL_NULL_HSTMT);
}

void OZURecordset::StoreFields()
{
    RunPass(CFieldExchange::StoreField);
}

void OZURecordset::LoadFields()
{
    RunPass(CFieldExchange::LoadField);
}

void OZURecordset::ClearDirtyFlags()
{
    for (BYTE& f : m_rgFieldFlags)
        f &= ~AFX_SQL_FIELD_FLAG_DIRTY;
}

void OZURecordset::AddNew()
{
    if (!m_bAppendable)
        ThrowReadOnly(AFX_SQL_ERROR_RECORDSET_READONLY);
    if (m_dwOptions & useMultiRowFetch)
        return;
    if (m_bCheckCacheForDirtyFields && m_nFieldsBound > 0) {
        if (m_nEditMode != noMode)
            LoadFields();
        StoreFields();
    }
    if (m_nFieldsBound > 0) {
        RunPass(CFieldExchange::SetFieldNull, nullptr, TRUE);
        ClearDirtyFlags();
    }
    m_nEditMode = addnew;
}

void OZURecordset::Edit()
{
    if (!m_bUpdatable)
        ThrowReadOnly(AFX_SQL_ERROR_RECORDSET_READONLY);
    if (m_dwOptions & useMultiRowFetch)
        return;
    if (m_bBOF || m_bEOF || m_bDeleted)
        ThrowDBException(AFX_SQL_ERROR_NO_CURRENT_RECORD);
    if ((m_nOpenType == dynaset || m_nOpenType == dynamic) && m_nLockMode == pessimistic && !m_pKeyset) {
        SQLRETURN r = kvodbc::Retry([&] { return g_odbc.SetPos(m_hstmt, 1, SQL_POSITION, SQL_LOCK_EXCLUSIVE); },
                                    m_hstmt, RetrySeconds());
        if (!Check(r))
            ThrowDBException(r);
    }
    if (m_bCheckCacheForDirtyFields && m_nFieldsBound > 0) {
        if (m_nEditMode != noMode)
            LoadFields();
        StoreFields();
    }
    m_nEditMode = edit;
}

BOOL OZURecordset::IsFieldDirty(void* pv)
{
    if (m_nFieldsBound <= 0 || m_nEditMode == noMode)
        return FALSE;
    if (m_bCheckCacheForDirtyFields)
        RunPass(m_nEditMode == edit ? CFieldExchange::MarkForUpdate : CFieldExchange::MarkForAddNew);
    if (pv) {
        int i = FieldIndexOf(pv);
        return i >= 0 && (m_rgFieldFlags[(size_t)i] & AFX_SQL_FIELD_FLAG_DIRTY);
    }
    return std::any_of(m_rgFieldFlags.begin(), m_rgFieldFlags.end(),
                       [](BYTE f) { return (f & AFX_SQL_FIELD_FLAG_DIRTY) != 0; });
}

void OZURecordset::SetFieldDirty(void* pv, BOOL bDirty)
{
    auto apply = [bDirty](BYTE& f) {
        if (bDirty)
            f |= AFX_SQL_FIELD_FLAG_DIRTY;
        else
            f &= ~AFX_SQL_FIELD_FLAG_DIRTY;
    };
    if (!pv) {
        for (BYTE& f : m_rgFieldFlags)
            apply(f);
        return;
    }
    int i = FieldIndexOf(pv);
    if (i >= 0 && (size_t)i < m_rgFieldFlags.size())
        apply(m_rgFieldFlags[(size_t)i]);
}

void OZURecordset::SetFieldNull(void* pv, BOOL bNull)
{
    auto param = pv ? m_mapParamIndex.find(pv) : m_mapParamIndex.end();
    if (param != m_mapParamIndex.end()) {
        size_t i = (size_t)param->second - 1;
        if (i < m_rgParamFlags.size()) {
            if (bNull)
                m_rgParamFlags[i] |= AFX_SQL_FIELD_FLAG_NULL;
            else
                m_rgParamFlags[i] &= ~AFX_SQL_FIELD_FLAG_NULL;
        }
        return;
    }
    if (m_nFieldsBound <= 0)
        return;
    if (pv && FieldIndexOf(pv) < 0)
        return;
    RunPass(CFieldExchange::SetFieldNull, pv, bNull);
}

BOOL OZURecordset::IsFieldNull(void* pv)
{
    auto param = pv ? m_mapParamIndex.find(pv) : m_mapParamIndex.end();
    if (param != m_mapParamIndex.end()) {
        size_t i = (size_t)param->second - 1;
        return i < m_rgParamFlags.size() && (m_rgParamFlags[i] & AFX_SQL_FIELD_FLAG_NULL);
    }
    int i = FieldIndexOf(pv);
    if (i < 0)
        ThrowDBException(AFX_SQL_ERROR_FIELD_NOT_FOUND);
    return (m_rgFieldFlags[(size_t)i] & AFX_SQL_FIELD_FLAG_NULL) != 0;
}

BOOL OZURecordset::IsFieldNullable(void* pv)
{
    int i = FieldIndexOf(pv);
    if (i < 0)
        ThrowDBException(AFX_SQL_ERROR_FIELD_NOT_FOUND);
    if ((size_t)i >= m_rgODBCFieldInfos.size())
        return TRUE;
    return m_rgODBCFieldInfos[(size_t)i].m_nNullability != SQL_NO_NULLS;
}

void OZURecordset::CancelUpdate()
{
    if (m_nEditMode == noMode)
        return;
    if (m_bCheckCacheForDirtyFields && m_nFieldsBound > 0)
        LoadFields();
    m_nEditMode = noMode;
    ClearDirtyFlags();
}

void OZURecordset::SetLockingMode(UINT nMode)
{
    if (nMode == pessimistic && m_nOpen == 1 && !(m_dwDriverConcurrency & SQL_SCCO_LOCK))
        ThrowDBException(AFX_SQL_ERROR_LOCK_MODE_NOT_SUPPORTED);
    m_nLockMode = nMode;
}

BOOL OZURecordset::Update()
{
    if (m_nEditMode != edit && m_nEditMode != addnew)
        ThrowDBException(AFX_SQL_ERROR_ILLEGAL_MODE);
    if (m_dwOptions & useMultiRowFetch)
        return FALSE;
    if (m_nEditMode == addnew) {
        if (!m_bAppendable)
            ThrowReadOnly(AFX_SQL_ERROR_RECORDSET_READONLY);
    } else {
        if (!m_bUpdatable)
            ThrowReadOnly(AFX_SQL_ERROR_RECORDSET_READONLY);
        if (m_bBOF || m_bEOF || m_bDeleted)
            ThrowDBException(AFX_SQL_ERROR_NO_CURRENT_RECORD);
    }
    if (!IsFieldDirty(nullptr))
        return FALSE;

    ExecuteUpdate();

    if (m_nEditMode == addnew) {
        m_bBOF = m_bEOF = FALSE;
        if (m_pDatabase->m_bIncRecordCountOnAdd && m_lCurrentRecord >= 0) {
            if (m_lRecordCount != -1)
                m_lRecordCount++;
            m_lCurrentRecord++;
        }
        if (m_bCheckCacheForDirtyFields && m_nFieldsBound > 0)
            LoadFields();
    }
    m_nEditMode = noMode;
    if (m_bCheckCacheForDirtyFields && !(m_dwOptions & optimizeBulkAdd))
        ClearDirtyFlags();
    return TRUE;
}

void OZURecordset::Delete()
{
    if (m_nEditMode != noMode)
        ThrowDBException(AFX_SQL_ERROR_ILLEGAL_MODE);
    if (m_dwOptions & useMultiRowFetch)
        return;
    if (!m_bUpdatable)
        ThrowReadOnly(AFX_SQL_ERROR_RECORDSET_READONLY);
    if (m_bBOF || m_bEOF || m_bDeleted)
        ThrowDBException(AFX_SQL_ERROR_NO_CURRENT_RECORD);

    ExecuteUpdate();

    if (m_lCurrentRecord >= 0) {
        if (m_lRecordCount > 0)
            m_lRecordCount--;
        m_lCurrentRecord--;
    }
    m_bDeleted = TRUE;
    if (m_nFieldsBound > 0)
        RunPass(CFieldExchange::SetFieldNull, nullptr, TRUE);
}

// Writes the current edit mode's change (noMode: delete the current row).
void OZURecordset::ExecuteUpdate()
{
    m_pDatabase->BeforeWrite();
    // A keyed set that edits its current row and was up to date before
    // keeps its window with the row as written: moving on need not read
    // the rows again (other sets on the connection still do).
    bool keep = m_pKeyset && m_nEditMode == edit && m_pKeyset->cacheValid &&
                m_pKeyset->cacheChange == m_pDatabase->m_dwChangeCount;
    if (m_pKeyset) {
        if (m_nEditMode == noMode)
            DeleteKeyed();
        else
            UpdateKeyed();
    } else if (!m_bUseUpdateSQL)
        ExecuteSetPosUpdate();
    else
        ExecuteUpdateSQL();
    m_pDatabase->m_dwChangeCount++;
    if (keep)
        KeepWrittenRow();
}

void OZURecordset::ExecuteSetPosUpdate()
{
    SQLUSMALLINT op = m_nEditMode == noMode ? SQL_DELETE : m_nEditMode == edit ? SQL_UPDATE : SQL_ADD;
    WORD expected = m_nEditMode == noMode ? SQL_ROW_DELETED : m_nEditMode == edit ? SQL_ROW_UPDATED : SQL_ROW_ADDED;
    // Clean fields are left out of the operation: marked to be ignored, and
    // unbound for the call (some drivers write every bound column whatever
    // its indicator says).
    std::vector<size_t> unbound;
    if (m_nEditMode != noMode) {
        RunPass(CFieldExchange::BindFieldForUpdate);
        for (size_t f = 0; f < m_rgFieldInfos.size(); ++f)
            if (m_rgFieldInfos[f].m_pvBind && !(m_rgFieldFlags[f] & AFX_SQL_FIELD_FLAG_DIRTY)) {
                g_odbc.BindCol(m_hstmt, (SQLUSMALLINT)(f + 1), m_rgFieldInfos[f].m_nCType, nullptr, 0, nullptr);
                unbound.push_back(f);
            }
    }
    auto restore = [&] {
        for (size_t f : unbound) {
            CFieldInfo& info = m_rgFieldInfos[f];
            g_odbc.BindCol(m_hstmt, (SQLUSMALLINT)(f + 1), info.m_nCType, info.m_pvBind, info.m_cbBind,
                           &info.m_nLength);
        }
        if (m_nEditMode != noMode)
            RunPass(CFieldExchange::UnbindFieldForUpdate);
    };
    SQLRETURN r;
    try {
        r = kvodbc::Retry([&] { return g_odbc.SetPos(m_hstmt, 1, op, SQL_LOCK_NO_CHANGE); }, m_hstmt,
                          RetrySeconds());
        if (!Check(r)) {
            CDBException* e = new CDBException(r);
            e->BuildErrorString(m_pDatabase, m_hstmt);
            throw e;
        }
        if (r == SQL_NEED_DATA)
            SendLongBinaryData(m_hstmt);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    if (r == SQL_SUCCESS_WITH_INFO && !m_rgRowStatus.empty() && m_rgRowStatus[0] != expected)
        ThrowDBException(AFX_SQL_ERROR_UPDATE_DELETE_FAILED);
}

HSTMT OZURecordset::UpdateStatement()
{
    if (m_hstmtUpdate == SQL_NULL_HSTMT) {
        SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &m_hstmtUpdate);
        if (!Check(r)) {
            m_hstmtUpdate = SQL_NULL_HSTMT;
            ThrowDBException(r, SQL_NULL_HSTMT);
        }
        OnSetUpdateOptions(m_hstmtUpdate);
        return m_hstmtUpdate;
    }
    SQLRETURN r = g_odbc.FreeStmt(m_hstmtUpdate, SQL_CLOSE);
    if (Check(r) && !(m_dwOptions & optimizeBulkAdd))
        r = g_odbc.FreeStmt(m_hstmtUpdate, SQL_RESET_PARAMS);
    if (!Check(r)) {
        g_odbc.FreeStmt(m_hstmtUpdate, SQL_DROP);
        m_hstmtUpdate = SQL_NULL_HSTMT;
        return UpdateStatement();
    }
    return m_hstmtUpdate;
}

void OZURecordset::ExecuteUpdateSQL()
{
    bool existed = m_hstmtUpdate != SQL_NULL_HSTMT;
    HSTMT hstmt = UpdateStatement();
    bool bulk = (m_dwOptions & optimizeBulkAdd) && m_nEditMode == addnew;
    if (bulk && existed && !(m_dwOptions & firstBulkAdd)) {
        CFieldExchange fx(CFieldExchange::Value, this);
        fx.m_hstmt = hstmt;
        DoFieldExchange(&fx);
    } else {
        if (bulk)
            m_dwOptions |= firstBulkAdd;
        BuildUpdateSQL();
        if (bulk) {
            SQLRETURN r = g_odbc.Prepare(hstmt, (SQLCHAR*)(LPCSTR)m_strUpdateSQL, SQL_NTS);
            if (!Check(r))
                ThrowDBException(r, hstmt);
        }
    }
    SQLRETURN r = kvodbc::Retry(
        [&] {
            return bulk ? g_odbc.Execute(hstmt) : g_odbc.ExecDirect(hstmt, (SQLCHAR*)(LPCSTR)m_strUpdateSQL, SQL_NTS);
        },
        hstmt, RetrySeconds());
    if (!Check(r))
        ThrowDBException(r, hstmt);
    if (r == SQL_NEED_DATA)
        SendLongBinaryData(hstmt);
    SQLLEN rows = -1;
    if (Check(g_odbc.RowCount(hstmt, &rows)) && rows != -1) {
        if (rows == 0)
            ThrowDBException(AFX_SQL_ERROR_NO_ROWS_AFFECTED);
        if (rows > 1)
            ThrowDBException(AFX_SQL_ERROR_MULTIPLE_ROWS_AFFECTED);
    }
    if (bulk)
        m_dwOptions &= ~firstBulkAdd;
    m_strUpdateSQL.Empty();
}

void OZURecordset::BuildUpdateSQL()
{
    HSTMT hstmt = m_hstmtUpdate;
    switch (m_nEditMode) {
    case noMode:
        m_strUpdateSQL = "DELETE FROM " + m_strTableName;
        break;
    case edit: {
        CString pairs;
        CFieldExchange names(CFieldExchange::NameValue, this);
        names.m_pstr = &pairs;
        names.m_lpszSeparator = ",";
        DoFieldExchange(&names);
        if (!pairs.IsEmpty())
            pairs.SetAt(pairs.GetLength() - 1, ' ');
        m_strUpdateSQL = "UPDATE " + m_strTableName + " SET " + pairs;
        CFieldExchange values(CFieldExchange::Value, this);
        values.m_hstmt = hstmt;
        DoFieldExchange(&values);
        break;
    }
    default: {
        CString columns, markers;
        CFieldExchange names(CFieldExchange::Name, this);
        names.m_pstr = &columns;
        names.m_bDirtyOnly = TRUE;
        DoFieldExchange(&names);
        if (!columns.IsEmpty())
            columns.SetAt(columns.GetLength() - 1, ')');
        CFieldExchange values(CFieldExchange::Value, this);
        values.m_pstr = &markers;
        values.m_hstmt = hstmt;
        DoFieldExchange(&values);
        if (!markers.IsEmpty())
            markers.SetAt(markers.GetLength() - 1, ')');
        m_strUpdateSQL = "INSERT INTO " + m_strTableName + " (" + columns + " VALUES (" + markers;
        break;
    }
    }
    if (m_nEditMode != addnew) {
        GetCursorNameFromDriver();
        m_strUpdateSQL += " WHERE CURRENT OF " + m_strCursorName;
    }
    m_pDatabase->ReplaceBrackets(m_strUpdateSQL);
}

void OZURecordset::GetCursorNameFromDriver()
{
    if (!m_strCursorName.IsEmpty())
        return;
    SQLCHAR small[19] = {};
    SQLSMALLINT length = 0;
    SQLRETURN r = g_odbc.GetCursorName(m_hstmt, small, sizeof(small), &length);
    if (!Check(r))
        ThrowDBException(r);
    if (r == SQL_SUCCESS_WITH_INFO && length > 18) {
        std::vector<SQLCHAR> big((size_t)length + 1, 0);
        r = g_odbc.GetCursorName(m_hstmt, big.data(), (SQLSMALLINT)big.size(), &length);
        if (!Check(r))
            ThrowDBException(r);
        m_strCursorName = (LPCSTR)big.data();
    } else
        m_strCursorName = (LPCSTR)small;
}

void OZURecordset::SendLongBinaryData(HSTMT hstmt)
{
    SQLPOINTER token = nullptr;
    SQLRETURN r = g_odbc.ParamData(hstmt, &token);
    while (r == SQL_NEED_DATA) {
        CLongBinary* value = static_cast<CLongBinary*>(token);
        void* data = value && value->m_hData ? GlobalLock(value->m_hData) : nullptr;
        SQLLEN length = value ? (SQLLEN)value->m_dwDataLength : 0;
        SQLRETURN put;
        try {
            put = kvodbc::Retry([&] { return g_odbc.PutData(hstmt, data, data ? length : 0); }, hstmt,
                                RetrySeconds());
        } catch (...) {
            if (data)
                GlobalUnlock(value->m_hData);
            throw;
        }
        if (data)
            GlobalUnlock(value->m_hData);
        if (!Check(put))
            ThrowDBException(put, hstmt);
        r = g_odbc.ParamData(hstmt, &token);
    }
    if (!Check(r))
        ThrowDBException(r, hstmt);
}
