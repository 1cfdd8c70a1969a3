// A statement prepared once and run many times with new values: the writes
// of many rows of one shape (a merge's inserts, a clean's updates, the
// links of an outlet), without a recordset per row.
//
// The SQL is the program's (the Access dialect, bracketed names, "?" for
// each value), translated for the database as every statement is. Values
// are given by number (1-based) before each Execute and stay until changed.
// A write refused by a read-only database, and every ODBC failure, throws the
// layer's CDBException; before it writes, the connection's keyed sets read
// the keys they have not read yet (OZUDatabase::BeforeWrite).
#pragma once

#include "platform/odbc/OZU_DB_RS.h"

#include <string>
#include <vector>

class OZUStatement
{
public:
    OZUStatement(OZUDatabase* pDatabase, LPCSTR lpszSQL);
    ~OZUStatement();
    OZUStatement(const OZUStatement&) = delete;
    OZUStatement& operator=(const OZUStatement&) = delete;

    void SetLong(int nParam, long nValue);
    void SetByte(int nParam, BYTE nValue);
    void SetSingle(int nParam, float fValue);
    void SetText(int nParam, const CString& strValue);
    // The value null (for a column of the kind of the value last set, or a
    // text column when none was).
    void SetNull(int nParam);

    // Runs the statement with the values set; the number of rows it
    // changed (-1 when the driver cannot say).
    long Execute();

private:
    struct Param
    {
        SQLSMALLINT cType = SQL_C_CHAR;
        SQLSMALLINT sqlType = SQL_VARCHAR;
        long nLong = 0;
        BYTE nByte = 0;
        float fSingle = 0;
        std::string text;
        SQLLEN indicator = SQL_NULL_DATA;
    };
    Param& At(int nParam);

    OZUDatabase* m_pDatabase;
    HSTMT m_hstmt = SQL_NULL_HSTMT;
    BOOL m_bWrites = FALSE;
    std::vector<Param> m_params;
};
