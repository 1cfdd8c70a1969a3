// The grid library's ODBC values: a description of a result column with a
// value buffer of its own, and the conversion of a bound value to and from
// the text a grid cell shows.
//
// Text forms (platform/odbc/ODBCValueText.h): numbers with '.', reals with the
// shortest text that reads back as the same value, timestamps
// "YYYY-MM-DD HH:MM:SS", binary values as hexadecimal digits, yes/no values
// as 1 and 0. A null value is empty text.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"

// A result column and its value buffer. The description owns the buffer and
// frees it when it is destroyed (or given another kind).
class CGRFieldDesc
{
public:
    CGRFieldDesc() = default;
    ~CGRFieldDesc();
    CGRFieldDesc(const CGRFieldDesc&) = delete;
    CGRFieldDesc& operator=(const CGRFieldDesc&) = delete;

    // Makes the value buffer for a value kind (AFX_RFX_...): CString for the
    // text kinds, BOOL, BYTE, int, long, float, double, TIMESTAMP_STRUCT,
    // CByteArray, CLongBinary; no buffer for kinds without one.
    void AllocValue(int nValueKind);
    void FreeValue();

    CString m_strName;        // column name in brackets
    SWORD m_nSQLType = 0;
    DWORD m_nPrecision = 0;
    SWORD m_nScale = 0;
    SWORD m_nNullable = 0;
    void* m_pValue = nullptr;
    int m_nValueKind = AFX_RFX_NO_TYPE;
};

// The text of a bound value of recordset `prs` (its member at pValue, of
// kind nKind). nDigits and nFlags are accepted for the callers' sake: reals
// are always written exactly, whatever the digits asked. Returns 1 when the
// field holds a value, 0 when it is null (text empty).
int AFXAPI GRGetODBCValueString(CString& strText, OZURecordset* prs, void* pValue, int nKind, int nDigits,
                                int nFlags);

// Stores text into a bound value of recordset `prs` and marks the field
// changed. Empty text makes a field that is not text null. Returns 1 on
// success; 0 when the text is not a value of that kind, with a message in
// *pstrError (when given) and the field unchanged.
int AFXAPI GRWriteODBCValueString(LPCSTR lpszValue, OZURecordset* prs, void* pValue, int nKind, int nDigits,
                                  CString* pstrError, int nFlags);
