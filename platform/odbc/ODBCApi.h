// The ODBC calls the database engine makes, reached through one table of
// function pointers. In the program every entry is the real odbc32 function;
// tests replace single entries to play a driver that misbehaves (one that
// answers "still executing" for ever, refuses an option, ...), which no real
// driver on the test machine does on demand.
#pragma once

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

struct OdbcApi
{
    SQLRETURN (SQL_API* AllocEnv)(SQLHENV*);
    SQLRETURN (SQL_API* FreeEnv)(SQLHENV);
    SQLRETURN (SQL_API* AllocConnect)(SQLHENV, SQLHDBC*);
    SQLRETURN (SQL_API* FreeConnect)(SQLHDBC);
    SQLRETURN (SQL_API* AllocStmt)(SQLHDBC, SQLHSTMT*);
    SQLRETURN (SQL_API* FreeStmt)(SQLHSTMT, SQLUSMALLINT);
    SQLRETURN (SQL_API* DriverConnect)(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                       SQLSMALLINT*, SQLUSMALLINT);
    SQLRETURN (SQL_API* Disconnect)(SQLHDBC);
    SQLRETURN (SQL_API* Drivers)(SQLHENV, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*, SQLCHAR*,
                                 SQLSMALLINT, SQLSMALLINT*);
    SQLRETURN (SQL_API* GetInfo)(SQLHDBC, SQLUSMALLINT, SQLPOINTER, SQLSMALLINT, SQLSMALLINT*);
    SQLRETURN (SQL_API* GetFunctions)(SQLHDBC, SQLUSMALLINT, SQLUSMALLINT*);
    SQLRETURN (SQL_API* SetConnectOption)(SQLHDBC, SQLUSMALLINT, SQLULEN);
    SQLRETURN (SQL_API* SetStmtOption)(SQLHSTMT, SQLUSMALLINT, SQLULEN);
    SQLRETURN (SQL_API* GetStmtOption)(SQLHSTMT, SQLUSMALLINT, SQLPOINTER);
    SQLRETURN (SQL_API* ExecDirect)(SQLHSTMT, SQLCHAR*, SQLINTEGER);
    SQLRETURN (SQL_API* Prepare)(SQLHSTMT, SQLCHAR*, SQLINTEGER);
    SQLRETURN (SQL_API* Execute)(SQLHSTMT);
    SQLRETURN (SQL_API* NumResultCols)(SQLHSTMT, SQLSMALLINT*);
    SQLRETURN (SQL_API* DescribeCol)(SQLHSTMT, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*,
                                     SQLSMALLINT*, SQLULEN*, SQLSMALLINT*, SQLSMALLINT*);
    SQLRETURN (SQL_API* ColAttribute)(SQLHSTMT, SQLUSMALLINT, SQLUSMALLINT, SQLPOINTER, SQLSMALLINT,
                                      SQLSMALLINT*, SQLLEN*);
    SQLRETURN (SQL_API* BindCol)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
    SQLRETURN (SQL_API* BindParameter)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLSMALLINT, SQLSMALLINT,
                                       SQLULEN, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
    SQLRETURN (SQL_API* Fetch)(SQLHSTMT);
    SQLRETURN (SQL_API* ExtendedFetch)(SQLHSTMT, SQLUSMALLINT, SQLLEN, SQLULEN*, SQLUSMALLINT*);
    SQLRETURN (SQL_API* SetPos)(SQLHSTMT, SQLSETPOSIROW, SQLUSMALLINT, SQLUSMALLINT);
    SQLRETURN (SQL_API* GetData)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
    SQLRETURN (SQL_API* ParamData)(SQLHSTMT, SQLPOINTER*);
    SQLRETURN (SQL_API* PutData)(SQLHSTMT, SQLPOINTER, SQLLEN);
    SQLRETURN (SQL_API* RowCount)(SQLHSTMT, SQLLEN*);
    SQLRETURN (SQL_API* MoreResults)(SQLHSTMT);
    SQLRETURN (SQL_API* GetCursorName)(SQLHSTMT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*);
    SQLRETURN (SQL_API* Cancel)(SQLHSTMT);
    SQLRETURN (SQL_API* Transact)(SQLHENV, SQLHDBC, SQLUSMALLINT);
    SQLRETURN (SQL_API* Error)(SQLHENV, SQLHDBC, SQLHSTMT, SQLCHAR*, SQLINTEGER*, SQLCHAR*, SQLSMALLINT,
                               SQLSMALLINT*);
    SQLRETURN (SQL_API* SpecialColumns)(SQLHSTMT, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                        SQLCHAR*, SQLSMALLINT, SQLUSMALLINT, SQLUSMALLINT);
};

// The table every call of the engine goes through.
extern OdbcApi g_odbc;

// The table with every entry the real odbc32 function.
const OdbcApi& OdbcRealApi();

// Replaces the table for the lifetime of the object and puts the previous
// one back afterwards (tests).
class OdbcApiOverride
{
public:
    OdbcApiOverride() : m_saved(g_odbc) {}
    ~OdbcApiOverride() { g_odbc = m_saved; }
    OdbcApiOverride(const OdbcApiOverride&) = delete;
    OdbcApiOverride& operator=(const OdbcApiOverride&) = delete;

private:
    OdbcApi m_saved;
};
