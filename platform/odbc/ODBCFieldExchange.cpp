// Field exchange: the RFX_ functions carry each pass of a recordset over one
// bound member (bind, fix up after a fetch, dirty tests, SQL text, parameter
// binding, null handling, stored copies).
#include "platform/odbc/ODBCInternal.h"

#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CLongBinary, CObject)

CLongBinary::~CLongBinary()
{
    if (m_hData)
        GlobalFree(m_hData);
}

CFieldExchange::CFieldExchange(UINT nOperation, OZURecordset* prs, void* pvField)
    : m_nOperation(nOperation), m_prs(prs), m_nFieldType(outputColumn), m_nFields(0), m_nParams(0),
      m_pvField(pvField), m_bNull(FALSE), m_pstr(nullptr), m_lpszSeparator(","),
      m_hstmt(prs ? prs->m_hstmt : SQL_NULL_HSTMT), m_nParamNumber(1), m_bDirtyOnly(FALSE), m_bAnyDirty(FALSE),
      m_pFieldMask(nullptr)
{
}

BOOL CFieldExchange::IsFieldType(UINT* pnField)
{
    if (m_nFieldType == outputColumn) {
        *pnField = ++m_nFields;
        return m_nOperation != BindParam && m_nOperation != RebindParam;
    }
    *pnField = ++m_nParams;
    return m_nOperation == BindParam || m_nOperation == RebindParam || m_nOperation == SetFieldNull;
}

namespace {

struct Kind
{
    SQLSMALLINT cType;
    SQLSMALLINT sqlType;
    size_t size;      // bytes of a fixed-size value; 0 for text and binary
    SQLULEN columnSize;
};

Kind KindOf(int nDataType)
{
    switch (nDataType) {
    case AFX_RFX_BOOL:
        return {SQL_C_SLONG, SQL_BIT, sizeof(BOOL), 1};
    case AFX_RFX_BYTE:
        return {SQL_C_UTINYINT, SQL_TINYINT, sizeof(BYTE), 3};
    case AFX_RFX_INT:
        return {SQL_C_SLONG, SQL_INTEGER, sizeof(int), 10};
    case AFX_RFX_LONG:
        return {SQL_C_SLONG, SQL_INTEGER, sizeof(long), 10};
    case AFX_RFX_SINGLE:
        return {SQL_C_FLOAT, SQL_REAL, sizeof(float), 7};
    case AFX_RFX_DOUBLE:
        return {SQL_C_DOUBLE, SQL_DOUBLE, sizeof(double), 15};
    case AFX_RFX_DATE:
    case AFX_RFX_TIMESTAMP:
        return {SQL_C_TIMESTAMP, SQL_TIMESTAMP, sizeof(TIMESTAMP_STRUCT), 19};
    case AFX_RFX_BINARY:
        return {SQL_C_BINARY, SQL_VARBINARY, 0, 255};
    case AFX_RFX_LONGBINARY:
        return {SQL_C_BINARY, SQL_LONGVARBINARY, 0, 0};
    default:
        return {SQL_C_CHAR, SQL_VARCHAR, 0, 255};
    }
}

bool IsText(int k)
{
    return k == AFX_RFX_TEXT || k == AFX_RFX_LPTSTR || k == AFX_RFX_WTEXT;
}

// The member's value as bytes (for copies and comparisons).
std::string RawValue(int kind, void* pv)
{
    if (IsText(kind))
        return static_cast<CString*>(pv)->str();
    if (kind == AFX_RFX_BINARY) {
        CByteArray* a = static_cast<CByteArray*>(pv);
        return a->GetSize() ? std::string((const char*)a->GetData(), (size_t)a->GetSize()) : std::string();
    }
    if (kind == AFX_RFX_LONGBINARY) {
        CLongBinary* lb = static_cast<CLongBinary*>(pv);
        if (!lb->m_hData || !lb->m_dwDataLength)
            return std::string();
        const char* p = (const char*)GlobalLock(lb->m_hData);
        std::string out = p ? std::string(p, (size_t)lb->m_dwDataLength) : std::string();
        GlobalUnlock(lb->m_hData);
        return out;
    }
    Kind k = KindOf(kind);
    return std::string((const char*)pv, k.size);
}

void SetLongBinary(CLongBinary* lb, const char* data, size_t size)
{
    if (lb->m_hData && GlobalSize(lb->m_hData) < size) {
        GlobalFree(lb->m_hData);
        lb->m_hData = nullptr;
    }
    if (!lb->m_hData && size)
        lb->m_hData = GlobalAlloc(GMEM_MOVEABLE, size);
    if (size && !lb->m_hData)
        AfxThrowMemoryException();
    if (size) {
        void* p = GlobalLock(lb->m_hData);
        std::memcpy(p, data, size);
        GlobalUnlock(lb->m_hData);
    }
    lb->m_dwDataLength = size;
}

void SetRawValue(int kind, void* pv, const std::string& raw)
{
    if (IsText(kind)) {
        *static_cast<CString*>(pv) = CString(raw);
        return;
    }
    if (kind == AFX_RFX_BINARY) {
        CByteArray* a = static_cast<CByteArray*>(pv);
        a->SetSize((INT_PTR)raw.size());
        if (!raw.empty())
            std::memcpy(a->GetData(), raw.data(), raw.size());
        return;
    }
    if (kind == AFX_RFX_LONGBINARY) {
        SetLongBinary(static_cast<CLongBinary*>(pv), raw.data(), raw.size());
        return;
    }
    Kind k = KindOf(kind);
    if (raw.size() == k.size)
        std::memcpy(pv, raw.data(), k.size);
}

// The value a member holds while it is null after AddNew or SetFieldNull: a
// value assigned afterwards is told apart from it, so that the dirty test
// of an addition finds every field that was given a value.
std::string NullFormRaw(int kind)
{
    switch (kind) {
    case AFX_RFX_BOOL: {
        BOOL b = 2;
        return std::string((const char*)&b, sizeof(b));
    }
    case AFX_RFX_BYTE: {
        BYTE b = 0xFF;
        return std::string((const char*)&b, 1);
    }
    case AFX_RFX_INT:
    case AFX_RFX_LONG: {
        int32_t v = std::numeric_limits<int32_t>::min();
        return std::string((const char*)&v, 4);
    }
    case AFX_RFX_SINGLE: {
        uint32_t bits = 0x7FC0ABCDu;
        return std::string((const char*)&bits, 4);
    }
    case AFX_RFX_DOUBLE: {
        uint64_t bits = 0x7FF8ABCDABCDABCDull;
        return std::string((const char*)&bits, 8);
    }
    case AFX_RFX_DATE:
    case AFX_RFX_TIMESTAMP:
        return std::string(sizeof(TIMESTAMP_STRUCT), '\0');
    default:
        return std::string();
    }
}

// The value a member gets for a NULL read from the database: zero or empty,
// which code that does not test IsFieldNull can use safely.
void SetFetchedNull(int kind, void* pv)
{
    if (IsText(kind) || kind == AFX_RFX_BINARY || kind == AFX_RFX_LONGBINARY) {
        SetRawValue(kind, pv, std::string());
        return;
    }
    Kind k = KindOf(kind);
    std::memset(pv, 0, k.size);
}

bool Selected(CFieldExchange* pFX, UINT nField)
{
    return !pFX->m_pFieldMask || (nField - 1 < pFX->m_pFieldMask->size() && (*pFX->m_pFieldMask)[nField - 1]);
}

void AppendText(CFieldExchange* pFX, LPCSTR text)
{
    if (pFX->m_pstr) {
        *pFX->m_pstr += text;
        *pFX->m_pstr += pFX->m_lpszSeparator;
    }
}

// Binds the value of a field or parameter as an input parameter.
void BindValueParameter(CFieldExchange* pFX, CFieldInfo& info, BYTE flags, UINT nNumber)
{
    OZURecordset* prs = pFX->m_prs;
    Kind k = KindOf(info.m_nDataType);
    bool isNull = (flags & AFX_SQL_FIELD_FLAG_NULL) != 0;
    SQLSMALLINT sqlType = k.sqlType;
    SQLULEN columnSize = k.columnSize;
    SQLPOINTER value = info.m_pv;
    SQLLEN bufferLength = 0;
    if (IsText(info.m_nDataType)) {
        info.m_param = static_cast<CString*>(info.m_pv)->str();
        sqlType = info.m_nSQLType ? info.m_nSQLType : SQL_VARCHAR;
        if (sqlType == SQL_GUID || sqlType == SQL_WCHAR || sqlType == SQL_WVARCHAR || sqlType == SQL_WLONGVARCHAR)
            sqlType = SQL_VARCHAR;
        columnSize = info.m_param.empty() ? 1 : info.m_param.size();
        value = (SQLPOINTER)info.m_param.c_str();
        bufferLength = (SQLLEN)info.m_param.size() + 1;
        info.m_nParamLength = isNull ? SQL_NULL_DATA : (SQLLEN)info.m_param.size();
    } else if (info.m_nDataType == AFX_RFX_BINARY) {
        info.m_param = RawValue(info.m_nDataType, info.m_pv);
        columnSize = info.m_param.empty() ? 1 : info.m_param.size();
        value = (SQLPOINTER)info.m_param.data();
        bufferLength = (SQLLEN)info.m_param.size();
        info.m_nParamLength = isNull ? SQL_NULL_DATA : (SQLLEN)info.m_param.size();
    } else if (info.m_nDataType == AFX_RFX_LONGBINARY) {
        CLongBinary* lb = static_cast<CLongBinary*>(info.m_pv);
        columnSize = lb->m_dwDataLength ? lb->m_dwDataLength : 1;
        // The member's address is the token SQLParamData hands back.
        value = info.m_pv;
        info.m_nParamLength = isNull ? SQL_NULL_DATA : SQL_LEN_DATA_AT_EXEC((SQLLEN)lb->m_dwDataLength);
    } else {
        info.m_nParamLength = isNull ? SQL_NULL_DATA : (SQLLEN)k.size;
        if (info.m_nDataType == AFX_RFX_DATE || info.m_nDataType == AFX_RFX_TIMESTAMP)
            columnSize = 19;
    }
    SQLRETURN r = g_odbc.BindParameter(pFX->m_hstmt, (SQLUSMALLINT)nNumber, SQL_PARAM_INPUT, k.cType, sqlType,
                                       columnSize, info.m_nScale, value, bufferLength, &info.m_nParamLength);
    if (!prs->Check(r))
        prs->ThrowDBException(r, pFX->m_hstmt);
}

void RFX_Generic(CFieldExchange* pFX, LPCSTR szName, void* pv, int kind, int nMaxLength = 0,
                 int nColumnType = 0, short nScale = 0)
{
    OZURecordset* prs = pFX->m_prs;
    UINT nField = 0;
    if (!pFX->IsFieldType(&nField))
        return;

    if (pFX->m_nFieldType != CFieldExchange::outputColumn) {
        // Parameters: bound before execution, and null flags.
        if (prs->m_rgParamInfos.size() < nField)
            prs->m_rgParamInfos.resize(prs->m_nParams > nField ? prs->m_nParams : nField);
        if (prs->m_rgParamFlags.size() < nField)
            prs->m_rgParamFlags.resize(prs->m_rgParamInfos.size(), 0);
        CFieldInfo& info = prs->m_rgParamInfos[nField - 1];
        info.m_pv = pv;
        info.m_nDataType = kind;
        info.m_strName = szName;
        info.m_nMaxLength = nMaxLength;
        info.m_nSQLType = (SWORD)nColumnType;
        info.m_nScale = nScale;
        prs->m_mapParamIndex[pv] = (int)nField;
        BYTE& flags = prs->m_rgParamFlags[nField - 1];
        if (pFX->m_nOperation == CFieldExchange::SetFieldNull) {
            if (!pFX->m_pvField || pFX->m_pvField == pv) {
                if (pFX->m_bNull)
                    flags |= AFX_SQL_FIELD_FLAG_NULL;
                else
                    flags &= ~AFX_SQL_FIELD_FLAG_NULL;
            }
            return;
        }
        BindValueParameter(pFX, info, flags, nField);
        return;
    }

    // Before the fields are bound only the name pass applies (counting the
    // fields, or the select list of a table name).
    if (nField > prs->m_rgFieldInfos.size() && pFX->m_nOperation != CFieldExchange::Name &&
        pFX->m_nOperation != CFieldExchange::BindFieldToColumn)
        return;
    CFieldInfo* info = nField <= prs->m_rgFieldInfos.size() ? &prs->m_rgFieldInfos[nField - 1] : nullptr;
    BYTE dummy = 0;
    BYTE& flags = nField <= prs->m_rgFieldFlags.size() ? prs->m_rgFieldFlags[nField - 1] : dummy;

    switch (pFX->m_nOperation) {
    case CFieldExchange::BindFieldToColumn: {
        if (!info)
            prs->ThrowDBException(AFX_SQL_ERROR_FIELD_SCHEMA_MISMATCH);
        info->m_pv = pv;
        info->m_nDataType = kind;
        info->m_strName = szName;
        info->m_nMaxLength = nMaxLength;
        info->m_nSQLType = (SWORD)(nColumnType ? nColumnType : KindOf(kind).sqlType);
        info->m_nScale = nScale;
        prs->m_mapFieldIndex[pv] = (int)nField;
        if (kind == AFX_RFX_LONGBINARY) {
            prs->m_bLongBinaryColumns = TRUE;
            info->m_pvBind = nullptr;
            info->m_cbBind = 0;
            return;
        }
        Kind k = KindOf(kind);
        if (IsText(kind)) {
            // Text is UTF-8: room for the longest characters.
            size_t bytes = (size_t)(nMaxLength > 0 ? nMaxLength : 255) * 4 + 1;
            info->m_bind.assign(bytes, 0);
            info->m_pvBind = info->m_bind.data();
            info->m_cbBind = (SQLLEN)bytes;
        } else if (kind == AFX_RFX_BINARY) {
            size_t bytes = (size_t)(nMaxLength > 0 ? nMaxLength : 255);
            info->m_bind.assign(bytes, 0);
            info->m_pvBind = info->m_bind.data();
            info->m_cbBind = (SQLLEN)bytes;
        } else {
            info->m_pvBind = pv;
            info->m_cbBind = (SQLLEN)k.size;
        }
        info->m_nCType = k.cType;
        SQLRETURN r = g_odbc.BindCol(pFX->m_hstmt, (SQLUSMALLINT)nField, k.cType, info->m_pvBind, info->m_cbBind,
                                     &info->m_nLength);
        if (!prs->Check(r))
            prs->ThrowDBException(r, pFX->m_hstmt);
        return;
    }
    case CFieldExchange::BindFieldForUpdate: {
        if (kind == AFX_RFX_LONGBINARY)
            return;
        if (!(flags & AFX_SQL_FIELD_FLAG_DIRTY)) {
            info->m_nLength = SQL_IGNORE;
        } else if (flags & AFX_SQL_FIELD_FLAG_NULL) {
            info->m_nLength = SQL_NULL_DATA;
        } else if (IsText(kind) || kind == AFX_RFX_BINARY) {
            std::string raw = RawValue(kind, pv);
            size_t room = info->m_bind.size() - (IsText(kind) ? 1 : 0);
            if (raw.size() > room)
                raw.resize(room);
            std::memcpy(info->m_bind.data(), raw.data(), raw.size());
            if (IsText(kind))
                info->m_bind[raw.size()] = '\0';
            info->m_nLength = (SQLLEN)raw.size();
        } else {
            info->m_nLength = (SQLLEN)KindOf(kind).size;
        }
        flags |= AFX_SQL_FIELD_FLAG_BOUND_FOR_UPDATE;
        return;
    }
    case CFieldExchange::UnbindFieldForUpdate:
        flags &= ~AFX_SQL_FIELD_FLAG_BOUND_FOR_UPDATE;
        return;
    case CFieldExchange::Fixup: {
        // The cursor library in front of the MDB Tools driver gives a
        // null's indicator as a 32-bit -1.
        if (info->m_nLength == kvodbc::kNullIndicator32)
            info->m_nLength = SQL_NULL_DATA;
        if (kind == AFX_RFX_LONGBINARY) {
            prs->FetchLongBinary((int)nField - 1, *static_cast<CLongBinary*>(pv));
            if (static_cast<CLongBinary*>(pv)->m_dwDataLength == 0 && info->m_nLength == SQL_NULL_DATA)
                flags |= AFX_SQL_FIELD_FLAG_NULL;
            else
                flags &= ~AFX_SQL_FIELD_FLAG_NULL;
            return;
        }
        if (info->m_nLength == SQL_NULL_DATA) {
            flags |= AFX_SQL_FIELD_FLAG_NULL;
            SetFetchedNull(kind, pv);
            return;
        }
        flags &= ~AFX_SQL_FIELD_FLAG_NULL;
        if (IsText(kind)) {
            size_t room = info->m_bind.size() - 1;
            size_t n = (info->m_nLength == SQL_NO_TOTAL || info->m_nLength < 0 || (size_t)info->m_nLength > room)
                           ? strnlen(info->m_bind.data(), room)
                           : (size_t)info->m_nLength;
            std::string text(info->m_bind.data(), n);
            if (prs->m_pDatabase && prs->m_pDatabase->m_bStripTrailingSpaces)
                while (!text.empty() && text.back() == ' ')
                    text.pop_back();
            *static_cast<CString*>(pv) = CString(std::move(text));
        } else if (kind == AFX_RFX_BINARY) {
            size_t n = (info->m_nLength < 0 || (size_t)info->m_nLength > info->m_bind.size()) ? info->m_bind.size()
                                                                                              : (size_t)info->m_nLength;
            SetRawValue(kind, pv, std::string(info->m_bind.data(), n));
        } else if (kind == AFX_RFX_BOOL) {
            BOOL& b = *static_cast<BOOL*>(pv);
            b = b ? TRUE : FALSE;
        }
        return;
    }
    case CFieldExchange::MarkForAddNew:
        if (!(flags & AFX_SQL_FIELD_FLAG_DIRTY) && RawValue(kind, pv) != NullFormRaw(kind)) {
            flags |= AFX_SQL_FIELD_FLAG_DIRTY;
            flags &= ~AFX_SQL_FIELD_FLAG_NULL;
        }
        if (flags & AFX_SQL_FIELD_FLAG_DIRTY)
            pFX->m_bAnyDirty = TRUE;
        return;
    case CFieldExchange::MarkForUpdate:
        if (!(flags & AFX_SQL_FIELD_FLAG_DIRTY)) {
            if (RawValue(kind, pv) != info->m_cache) {
                flags |= AFX_SQL_FIELD_FLAG_DIRTY;
                flags &= ~AFX_SQL_FIELD_FLAG_NULL;
            } else if (((flags & AFX_SQL_FIELD_FLAG_NULL) != 0) != info->m_bCacheNull)
                flags |= AFX_SQL_FIELD_FLAG_DIRTY;
        }
        if (flags & AFX_SQL_FIELD_FLAG_DIRTY)
            pFX->m_bAnyDirty = TRUE;
        return;
    case CFieldExchange::Name:
        if (kind == AFX_RFX_LONGBINARY)
            prs->m_bLongBinaryColumns = TRUE;
        if (pFX->m_bDirtyOnly && !(flags & AFX_SQL_FIELD_FLAG_DIRTY))
            return;
        if (!Selected(pFX, nField))
            return;
        AppendText(pFX, szName);
        return;
    case CFieldExchange::NameValue:
        if (!(flags & AFX_SQL_FIELD_FLAG_DIRTY) || !Selected(pFX, nField))
            return;
        if (pFX->m_pstr) {
            *pFX->m_pstr += szName;
            *pFX->m_pstr += "=?";
            *pFX->m_pstr += pFX->m_lpszSeparator;
        }
        return;
    case CFieldExchange::Value:
        if (!(flags & AFX_SQL_FIELD_FLAG_DIRTY) || !Selected(pFX, nField))
            return;
        AppendText(pFX, "?");
        BindValueParameter(pFX, *info, flags, pFX->m_nParamNumber++);
        return;
    case CFieldExchange::SetFieldNull:
        if (pFX->m_pvField && pFX->m_pvField != pv)
            return;
        if (pFX->m_bNull) {
            flags |= AFX_SQL_FIELD_FLAG_NULL;
            SetRawValue(kind, pv, NullFormRaw(kind));
        } else
            flags &= ~AFX_SQL_FIELD_FLAG_NULL;
        return;
    case CFieldExchange::StoreField:
        info->m_cache = RawValue(kind, pv);
        info->m_bCacheNull = (flags & AFX_SQL_FIELD_FLAG_NULL) != 0;
        return;
    case CFieldExchange::LoadField:
        SetRawValue(kind, pv, info->m_cache);
        if (info->m_bCacheNull)
            flags |= AFX_SQL_FIELD_FLAG_NULL;
        else
            flags &= ~AFX_SQL_FIELD_FLAG_NULL;
        return;
    default:
        // The copy store grows as needed; multi-row buffers are not used.
        return;
    }
}

} // namespace

void AFXAPI RFX_Bool(CFieldExchange* pFX, LPCSTR szName, BOOL& value)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_BOOL);
}

void AFXAPI RFX_Byte(CFieldExchange* pFX, LPCSTR szName, BYTE& value)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_BYTE);
}

void AFXAPI RFX_Int(CFieldExchange* pFX, LPCSTR szName, int& value)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_INT);
}

void AFXAPI RFX_Long(CFieldExchange* pFX, LPCSTR szName, long& value)
{
    static_assert(sizeof(long) == 4, "RFX_Long binds a 32-bit long");
    RFX_Generic(pFX, szName, &value, AFX_RFX_LONG);
}

void AFXAPI RFX_Single(CFieldExchange* pFX, LPCSTR szName, float& value)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_SINGLE);
}

void AFXAPI RFX_Double(CFieldExchange* pFX, LPCSTR szName, double& value)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_DOUBLE);
}

void AFXAPI RFX_Date(CFieldExchange* pFX, LPCSTR szName, TIMESTAMP_STRUCT& value)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_TIMESTAMP);
}

void AFXAPI RFX_Text(CFieldExchange* pFX, LPCSTR szName, CString& value, int nMaxLength, int nColumnType,
                     short nScale)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_TEXT, nMaxLength, nColumnType, nScale);
}

void AFXAPI RFX_Binary(CFieldExchange* pFX, LPCSTR szName, CByteArray& value, int nMaxLength)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_BINARY, nMaxLength);
}

void AFXAPI RFX_LongBinary(CFieldExchange* pFX, LPCSTR szName, CLongBinary& value)
{
    RFX_Generic(pFX, szName, &value, AFX_RFX_LONGBINARY);
}

namespace kvodbc {

// Copies of a field's member value for code outside the exchange (the
// keyed set and the value texts).
std::string FieldRawValue(int kind, void* pv)
{
    return RawValue(kind, pv);
}

void SetFieldRawValue(int kind, void* pv, const std::string& raw)
{
    SetRawValue(kind, pv, raw);
}

void SetLongBinaryValue(CLongBinary& value, const std::string& data)
{
    SetLongBinary(&value, data.data(), data.size());
}

} // namespace kvodbc
