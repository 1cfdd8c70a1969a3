#include "database/records/ComponentSchema.h"
#include "platform/odbc/ODBCApi.h"
#include "database/records/ComponentRecords.h"
#include "database/records/NominalTable.h"

#include <memory>

namespace {

CString WithoutBrackets(CString name)
{
    name.Trim();
    if (name.GetLength() >= 2 && name[0] == '[' && name[name.GetLength() - 1] == ']')
        name = name.Mid(1, name.GetLength() - 2);
    return name;
}

// The columns a record class binds, in its order (a name pass of its field
// exchange: nothing is opened).
std::vector<CString> BoundColumns(CRecordset& rs)
{
    CString names;
    CFieldExchange fx(CFieldExchange::Name, &rs);
    fx.m_pstr = &names;
    fx.m_lpszSeparator = "\n";
    rs.DoFieldExchange(&fx);
    std::vector<CString> columns;
    for (int start = 0; start < names.GetLength();) {
        int end = names.Find('\n', start);
        if (end < 0)
            end = names.GetLength();
        if (end > start)
            columns.push_back(WithoutBrackets(names.Mid(start, end - start)));
        start = end + 1;
    }
    return columns;
}

// The columns of a table as the driver describes "SELECT * FROM" it; FALSE
// when the table is not there. The statement is only prepared where the
// driver describes a prepared statement; executed (no row is fetched) where
// it does not.
BOOL TableColumns(CDatabase* pDatabase, const CString& strTable, std::vector<CString>& columns)
{
    columns.clear();
    CString sql = pDatabase->TranslateSQL("SELECT * FROM [" + strTable + "]");
    pDatabase->ReplaceBrackets(sql);
    HSTMT hstmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(g_odbc.AllocStmt(pDatabase->m_hdbc, &hstmt)))
        AfxThrowDBException(AFX_SQL_ERROR, "The database connection cannot run a statement.");
    SQLSMALLINT count = 0;
    BOOL bFound = SQL_SUCCEEDED(g_odbc.Prepare(hstmt, (SQLCHAR*)(LPCSTR)sql, SQL_NTS)) &&
                  SQL_SUCCEEDED(g_odbc.NumResultCols(hstmt, &count));
    if (bFound && count == 0)
        bFound = SQL_SUCCEEDED(g_odbc.Execute(hstmt)) && SQL_SUCCEEDED(g_odbc.NumResultCols(hstmt, &count));
    for (SQLSMALLINT i = 1; bFound && i <= count; i++) {
        SQLCHAR name[256] = {};
        SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        if (SQL_SUCCEEDED(g_odbc.DescribeCol(hstmt, (SQLUSMALLINT)i, name, (SQLSMALLINT)sizeof(name), &length, &type,
                                             &size, &digits, &nullable)))
            columns.push_back(CString((LPCSTR)name));
    }
    g_odbc.FreeStmt(hstmt, SQL_DROP);
    return bFound && count > 0;
}

} // namespace

std::vector<MissingSchemaPart> FindMissingSchema(CDatabase* pDatabase)
{
    std::vector<MissingSchemaPart> missing;
    if (pDatabase == nullptr || !pDatabase->IsOpen())
        AfxThrowDBException(AFX_SQL_ERROR_CONNECT_FAIL, "The database is not open.");
    std::unique_ptr<CRecordset> tables[] = {
        std::make_unique<CRecords>(pDatabase),     std::make_unique<CTapeExtras>(pDatabase),
        std::make_unique<CNozzleRecs>(pDatabase),  std::make_unique<CAssemRecords>(pDatabase),
        std::make_unique<CSupplierRecs>(pDatabase), std::make_unique<CSymbolRecords>(pDatabase),
        std::make_unique<CTypeRecords>(pDatabase), std::make_unique<CNominalTable>(pDatabase),
    };
    for (const std::unique_ptr<CRecordset>& rs : tables) {
        const CString table = WithoutBrackets(rs->GetDefaultSQL());
        std::vector<CString> present;
        if (!TableColumns(pDatabase, table, present)) {
            missing.push_back({table, CString()});
            continue;
        }
        for (const CString& column : BoundColumns(*rs)) {
            BOOL bFound = FALSE;
            for (const CString& name : present)
                bFound = bFound || name.CompareNoCase(column) == 0;
            if (!bFound)
                missing.push_back({table, column});
        }
    }
    return missing;
}
