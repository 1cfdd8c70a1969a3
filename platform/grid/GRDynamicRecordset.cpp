#include "platform/grid/GRDynamicRecordset.h"

IMPLEMENT_DYNAMIC(CGRDynamicRecordsetEx, OZURecordset)

CGRDynamicRecordsetEx::CGRDynamicRecordsetEx(OZUDatabase* pDatabase)
    : OZURecordset(pDatabase), m_nColumns(0), m_pFieldDescs(nullptr)
{
}

CGRDynamicRecordsetEx::~CGRDynamicRecordsetEx()
{
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    }
    FreeDescriptions();
}

void CGRDynamicRecordsetEx::FreeDescriptions()
{
    delete[] m_pFieldDescs;
    m_pFieldDescs = nullptr;
}

void CGRDynamicRecordsetEx::SetSqlQuery(LPCSTR lpszSQL)
{
    m_strSqlQuery = lpszSQL ? lpszSQL : "";
}

const CString& CGRDynamicRecordsetEx::GetSqlQuery() const
{
    return m_strSqlQuery;
}

void CGRDynamicRecordsetEx::SetConnectString(LPCSTR lpszConnect)
{
    m_strConnectString = lpszConnect ? lpszConnect : "";
}

const CString& CGRDynamicRecordsetEx::GetConnectString() const
{
    return m_strConnectString;
}

int CGRDynamicRecordsetEx::GetColumnCount() const
{
    return m_nColumns;
}

CString CGRDynamicRecordsetEx::GetDefaultSQL()
{
    return m_strSqlQuery;
}

CString CGRDynamicRecordsetEx::GetDefaultConnect()
{
    return m_strConnectString.IsEmpty() ? CString("ODBC;") : m_strConnectString;
}

int CGRDynamicRecordsetEx::ValueKindForSQLType(int nSQLType)
{
    switch (nSQLType) {
    case SQL_GUID:
    case SQL_WLONGVARCHAR:
    case SQL_WVARCHAR:
    case SQL_WCHAR:
    case SQL_BIGINT:
    case SQL_LONGVARCHAR:
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        return AFX_RFX_TEXT;
    case SQL_BIT:
        return AFX_RFX_BOOL;
    case SQL_TINYINT:
        return AFX_RFX_BYTE;
    case SQL_SMALLINT:
        return AFX_RFX_INT;
    case SQL_INTEGER:
        return AFX_RFX_LONG;
    case SQL_REAL:
        return AFX_RFX_SINGLE;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return AFX_RFX_DOUBLE;
    case SQL_DATE:
    case SQL_TIME:
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP:
        return AFX_RFX_TIMESTAMP;
    case SQL_VARBINARY:
    case SQL_BINARY:
        return AFX_RFX_BINARY;
    case SQL_LONGVARBINARY:
        return AFX_RFX_LONGBINARY;
    default:
        return AFX_RFX_NO_TYPE;
    }
}

void CGRDynamicRecordsetEx::PreBindFields()
{
    // The columns were described when the statement was prepared (the same
    // SQLNumResultCols and SQLDescribeCol answers).
    FreeDescriptions();
    m_nColumns = GetODBCFieldCount();
    if (m_nColumns > 0) {
        m_pFieldDescs = new CGRFieldDesc[(size_t)m_nColumns];
        for (int i = 0; i < m_nColumns; ++i) {
            const CODBCFieldInfo& info = m_rgODBCFieldInfos[(size_t)i];
            CGRFieldDesc& desc = m_pFieldDescs[i];
            desc.m_strName = "[" + info.m_strName + "]";
            desc.m_nSQLType = info.m_nSQLType;
            desc.m_nPrecision = (DWORD)info.m_nPrecision;
            if (info.m_nSQLType == SQL_NUMERIC || info.m_nSQLType == SQL_DECIMAL)
                desc.m_nPrecision += 2;
            desc.m_nScale = info.m_nScale;
            desc.m_nNullable = info.m_nNullability;
            desc.AllocValue(ValueKindForSQLType(info.m_nSQLType));
        }
    }
    m_nFields = (UINT)m_nColumns;
    AllocStatus();
}

void CGRDynamicRecordsetEx::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    for (int i = 0; i < m_nColumns; ++i) {
        CGRFieldDesc& desc = m_pFieldDescs[i];
        LPCSTR name = desc.m_strName;
        switch (desc.m_nValueKind) {
        case AFX_RFX_BOOL:
            RFX_Bool(pFX, name, *static_cast<BOOL*>(desc.m_pValue));
            break;
        case AFX_RFX_BYTE:
            RFX_Byte(pFX, name, *static_cast<BYTE*>(desc.m_pValue));
            break;
        case AFX_RFX_INT:
            RFX_Int(pFX, name, *static_cast<int*>(desc.m_pValue));
            break;
        case AFX_RFX_LONG:
            RFX_Long(pFX, name, *static_cast<long*>(desc.m_pValue));
            break;
        case AFX_RFX_SINGLE:
            RFX_Single(pFX, name, *static_cast<float*>(desc.m_pValue));
            break;
        case AFX_RFX_DOUBLE:
            RFX_Double(pFX, name, *static_cast<double*>(desc.m_pValue));
            break;
        case AFX_RFX_DATE:
        case AFX_RFX_TIMESTAMP:
            RFX_Date(pFX, name, *static_cast<TIMESTAMP_STRUCT*>(desc.m_pValue));
            break;
        case AFX_RFX_BINARY:
            RFX_Binary(pFX, name, *static_cast<CByteArray*>(desc.m_pValue), 255);
            break;
        case AFX_RFX_TEXT:
        case AFX_RFX_LPTSTR:
        case AFX_RFX_WTEXT: {
            if (desc.m_nSQLType == SQL_GUID) {
                desc.m_nSQLType = SQL_VARCHAR;
                if ((size_t)i < m_rgODBCFieldInfos.size())
                    m_rgODBCFieldInfos[(size_t)i].m_nSQLType = SQL_VARCHAR;
            }
            int maxLength = desc.m_nPrecision < 32768 ? (int)desc.m_nPrecision : 32767;
            RFX_Text(pFX, name, *static_cast<CString*>(desc.m_pValue), maxLength, SQL_VARCHAR, 0);
            break;
        }
        case AFX_RFX_LONGBINARY:
            RFX_LongBinary(pFX, name, *static_cast<CLongBinary*>(desc.m_pValue));
            break;
        default:
            break;
        }
    }
}

void CGRDynamicRecordsetEx::Close()
{
    OZURecordset::Close();
    FreeDescriptions();
    m_mapFieldIndex.clear();
    m_nFields = 0;
    m_nColumns = 0;
}

CGRFieldDesc& CGRDynamicRecordsetEx::GetField(UINT n)
{
    if (n >= (UINT)m_nColumns || !m_pFieldDescs)
        ThrowDBException(AFX_SQL_ERROR_FIELD_NOT_FOUND);
    return m_pFieldDescs[n];
}

int CGRDynamicRecordsetEx::GetFieldData(int n, CString& strText, int nFlag)
{
    CGRFieldDesc& desc = GetField((UINT)n);
    return GRGetODBCValueString(strText, this, desc.m_pValue, desc.m_nValueKind, 16, nFlag);
}

int CGRDynamicRecordsetEx::SetFieldData(int n, LPCSTR lpszValue, CString* pstrError, int nFlag)
{
    CGRFieldDesc& desc = GetField((UINT)n);
    return GRWriteODBCValueString(lpszValue, this, desc.m_pValue, desc.m_nValueKind, 16, pstrError, nFlag);
}

void CGRDynamicRecordsetEx::FillChoiceList(CString& strList, int bWithHeaders)
{
    strList.Empty();
    if (bWithHeaders) {
        for (int i = 0; i < m_nColumns; ++i) {
            CString name = m_pFieldDescs[i].m_strName;
            if (name.GetLength() >= 2 && name[0] == '[')
                name = name.Mid(1, name.GetLength() - 2);
            if (i)
                strList += "\t";
            strList += name;
        }
        strList += "\n";
    }
    // An empty result has no first row to move to.
    if (IsBOF() && IsEOF())
        return;
    MoveFirst();
    while (!IsEOF()) {
        for (int i = 0; i < m_nColumns; ++i) {
            CString text;
            GetFieldData(i, text, 1);
            if (i)
                strList += "\t";
            strList += text;
        }
        strList += "\n";
        MoveNext();
    }
}
