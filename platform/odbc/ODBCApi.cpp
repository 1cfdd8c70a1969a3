#include "platform/odbc/ODBCApi.h"

const OdbcApi& OdbcRealApi()
{
    static const OdbcApi real = {
        &::SQLAllocEnv,     &::SQLFreeEnv,       &::SQLAllocConnect,  &::SQLFreeConnect,
        &::SQLAllocStmt,    &::SQLFreeStmt,      &::SQLDriverConnect, &::SQLDisconnect,
        &::SQLDrivers,      &::SQLGetInfo,       &::SQLGetFunctions,  &::SQLSetConnectOption,
        &::SQLSetStmtOption, &::SQLGetStmtOption, &::SQLExecDirect,   &::SQLPrepare,
        &::SQLExecute,      &::SQLNumResultCols, &::SQLDescribeCol,   &::SQLColAttribute,
        &::SQLBindCol,      &::SQLBindParameter, &::SQLFetch,         &::SQLExtendedFetch,
        &::SQLSetPos,       &::SQLGetData,       &::SQLParamData,     &::SQLPutData,
        &::SQLRowCount,     &::SQLMoreResults,   &::SQLGetCursorName, &::SQLCancel,
        &::SQLTransact,     &::SQLError,         &::SQLSpecialColumns,
    };
    return real;
}

OdbcApi g_odbc = OdbcRealApi();
