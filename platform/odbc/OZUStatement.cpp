#include "platform/odbc/OZUStatement.h"
#include "platform/odbc/ODBCInternal.h"

OZUStatement::OZUStatement(OZUDatabase* pDatabase, LPCSTR lpszSQL) : m_pDatabase(pDatabase)
{
    if (!m_pDatabase || !m_pDatabase->IsOpen() || !lpszSQL)
        AfxThrowDBException(AFX_SQL_ERROR_CONNECT_FAIL, "The database is not open.");
    CString sql = lpszSQL;
    CString verb = kvodbc::FirstWord(sql);
    m_bWrites = verb != "SELECT";
    if (m_bWrites && !m_pDatabase->CanUpdate())
        AfxThrowDBException(AFX_SQL_ERROR_READONLY_DATABASE, m_pDatabase, SQL_NULL_HSTMT);
    sql = m_pDatabase->TranslateSQL(sql);
    m_pDatabase->ReplaceBrackets(sql);
    SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &m_hstmt);
    if (!m_pDatabase->Check(r)) {
        m_hstmt = SQL_NULL_HSTMT;
        m_pDatabase->ThrowDBException(r);
    }
    m_pDatabase->OnSetOptions(m_hstmt);
    r = g_odbc.Prepare(m_hstmt, (SQLCHAR*)sql.GetString(), SQL_NTS);
    if (!m_pDatabase->Check(r)) {
        HSTMT hstmt = m_hstmt;
        m_hstmt = SQL_NULL_HSTMT;
        kvodbc::ThrowAndFree(r, m_pDatabase, hstmt);
    }
}

OZUStatement::~OZUStatement()
{
    if (m_hstmt != SQL_NULL_HSTMT)
        g_odbc.FreeStmt(m_hstmt, SQL_DROP);
}

OZUStatement::Param& OZUStatement::At(int nParam)
{
    if (nParam < 1)
        AfxThrowInvalidArgException();
    if ((size_t)nParam > m_params.size())
        m_params.resize((size_t)nParam);
    return m_params[(size_t)nParam - 1];
}

void OZUStatement::SetLong(int nParam, long nValue)
{
    Param& p = At(nParam);
    p.cType = SQL_C_SLONG;
    p.sqlType = SQL_INTEGER;
    p.nLong = nValue;
    p.indicator = 0;
}

void OZUStatement::SetByte(int nParam, BYTE nValue)
{
    Param& p = At(nParam);
    p.cType = SQL_C_UTINYINT;
    p.sqlType = SQL_TINYINT;
    p.nByte = nValue;
    p.indicator = 0;
}

void OZUStatement::SetSingle(int nParam, float fValue)
{
    Param& p = At(nParam);
    p.cType = SQL_C_FLOAT;
    p.sqlType = SQL_REAL;
    p.fSingle = fValue;
    p.indicator = 0;
}

void OZUStatement::SetText(int nParam, const CString& strValue)
{
    Param& p = At(nParam);
    p.cType = SQL_C_CHAR;
    p.sqlType = SQL_VARCHAR;
    p.text = strValue.str();
    p.indicator = (SQLLEN)p.text.size();
}

void OZUStatement::SetNull(int nParam)
{
    At(nParam).indicator = SQL_NULL_DATA;
}

long OZUStatement::Execute()
{
    if (m_bWrites)
        m_pDatabase->BeforeWrite();
    for (size_t i = 0; i < m_params.size(); ++i) {
        Param& p = m_params[i];
        void* value = p.cType == SQL_C_SLONG     ? (void*)&p.nLong
                      : p.cType == SQL_C_UTINYINT ? (void*)&p.nByte
                      : p.cType == SQL_C_FLOAT    ? (void*)&p.fSingle
                                                  : (void*)p.text.data();
        SQLULEN size = p.cType == SQL_C_CHAR ? (SQLULEN)std::max<size_t>(p.text.size(), 1) : 0;
        SQLRETURN r = g_odbc.BindParameter(m_hstmt, (SQLUSMALLINT)(i + 1), SQL_PARAM_INPUT, p.cType, p.sqlType, size, 0,
                                           value, (SQLLEN)p.text.size(), &p.indicator);
        if (!m_pDatabase->Check(r))
            AfxThrowDBException(r, m_pDatabase, m_hstmt);
    }
    SQLRETURN r = kvodbc::Retry([&] { return g_odbc.Execute(m_hstmt); }, m_hstmt, m_pDatabase->m_dwQueryTimeout);
    if (m_bWrites)
        m_pDatabase->m_dwChangeCount++;
    if (!m_pDatabase->Check(r))
        AfxThrowDBException(r, m_pDatabase, m_hstmt);
    SQLLEN rows = -1;
    if (!m_pDatabase->Check(g_odbc.RowCount(m_hstmt, &rows)))
        rows = -1;
    g_odbc.FreeStmt(m_hstmt, SQL_CLOSE);
    return (long)rows;
}
