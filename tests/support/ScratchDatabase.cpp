#include "tests/support/ScratchDatabase.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

namespace kvtest {

std::string CopySkeleton(const std::string& scratchName)
{
    std::string dir = ScratchDir(scratchName);
    std::string path = dir + "\\Test.sqlite";
    if (!CopyFileTo(BinaryPath("bin/Database/Skeleton.sqlite"), path))
        ADD_FAILURE() << "cannot copy the skeleton database to " << path;
    return path;
}

void RunSql(CDatabase& db, const std::string& sql)
{
    std::istringstream in(sql);
    std::string line, statement;
    bool inTrigger = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (statement.empty() && (line.empty() || line.rfind("--", 0) == 0))
            continue;
        statement += line + "\n";
        if (line.rfind("CREATE TRIGGER", 0) == 0)
            inTrigger = true;
        bool ends = !line.empty() && line.back() == ';';
        if (inTrigger)
            ends = line.size() >= 4 && line.compare(line.size() - 4, 4, "END;") == 0;
        if (ends) {
            statement.pop_back();
            statement.pop_back();  // the ";"
            db.ExecuteSQL(statement.c_str());
            statement.clear();
            inTrigger = false;
        }
    }
    // A statement left without its end would otherwise be dropped without a word.
    if (statement.find_first_not_of(" \t\n") != std::string::npos)
        ADD_FAILURE() << "fixture SQL without its closing ';': " << statement;
}

void RunSqlOn(const std::string& path, const std::string& sql)
{
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog));
    try {
        RunSql(db, sql);
    } catch (CException* e) {
        char message[1024] = {};
        e->GetErrorMessage(message, sizeof(message));
        e->Delete();
        ADD_FAILURE() << "fixture SQL failed: " << message;
    }
    db.Close();
}

void InsertRow(CDatabase& db, const std::string& table,
               const std::vector<std::pair<std::string, std::string>>& columns)
{
    std::string names, values;
    for (const auto& c : columns) {
        if (!names.empty()) {
            names += ", ";
            values += ", ";
        }
        names += c.first;
        values += c.second;
    }
    db.ExecuteSQL(("INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")").c_str());
}

std::string QueryText(CDatabase& db, const std::string& sql)
{
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, sql.c_str(), CRecordset::readOnly);
    CString value;
    if (!rs.IsEOF())
        rs.GetFieldValue((short)0, value);
    rs.Close();
    return value.str();
}

long QueryLong(CDatabase& db, const std::string& sql)
{
    return std::atol(QueryText(db, sql).c_str());
}

long CountDanglingComponentLinks(CDatabase& db)
{
    const char* const queries[] = {
        "SELECT count(*) FROM Assemblies WHERE [Item Key] NOT IN (SELECT [Component Key] FROM Components) OR "
        "[Assembly Key] NOT IN (SELECT [Component Key] FROM Components)",
        "SELECT count(*) FROM Nozzles WHERE [Emitter Key] NOT IN (SELECT [Component Key] FROM Components) OR "
        "[Nozzle Key] NOT IN (SELECT [Component Key] FROM Components)",
        "SELECT count(*) FROM Tapes WHERE [Pipe Key] NOT IN (SELECT [Component Key] FROM Components)",
    };
    long n = 0;
    for (const char* sql : queries)
        n += QueryLong(db, sql);
    return n;
}

std::string QueryRows(const std::string& path, const std::string& sql)
{
    CDatabase db;
    if (!db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog))
        return "<cannot open>";
    std::string rows;
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, sql.c_str(), CRecordset::readOnly);
    for (bool first = true; !rs.IsEOF(); rs.MoveNext(), first = false) {
        if (!first)
            rows += ";";
        for (short i = 0; i < rs.GetODBCFieldCount(); ++i) {
            CString value;
            rs.GetFieldValue(i, value);
            rows += (i ? "," : "") + value.str();
        }
    }
    rs.Close();
    db.Close();
    return rows;
}

std::string QueryPlan(CDatabase& db, const std::string& sql)
{
    std::string plan;
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLAllocStmt(db.m_hdbc, &hstmt);
    std::string explain = "EXPLAIN QUERY PLAN " + db.TranslateSQL(sql.c_str()).str();
    if (SQL_SUCCEEDED(SQLExecDirect(hstmt, (SQLCHAR*)explain.c_str(), SQL_NTS)))
        while (SQLFetch(hstmt) == SQL_SUCCESS) {
            char detail[512] = {};
            SQLLEN length = 0;
            SQLGetData(hstmt, 4, SQL_C_CHAR, detail, sizeof(detail), &length);
            plan += std::string(detail) + ";";
        }
    else
        ADD_FAILURE() << "no plan for " << explain;
    SQLFreeStmt(hstmt, SQL_DROP);
    return plan;
}

} // namespace kvtest

namespace odbctest {

std::string MakeDatabase(const std::string& folder, const std::vector<std::string>& statements,
                         const std::string& fileName)
{
    std::string path = kvtest::ScratchDir(folder) + "\\" + fileName;
    // An empty file is an empty SQLite database.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(h);
    OZUDatabase db;
    db.OpenEx(kvtest::ConnectStringFor(path).c_str(), OZUDatabase::noOdbcDialog);
    // One transaction: one write to disk, not one per row.
    db.ExecuteSQL("BEGIN");
    for (auto& s : statements)
        db.ExecuteSQL(s.c_str());
    db.ExecuteSQL("COMMIT");
    db.Close();
    return path;
}

std::vector<std::string> PartsTable(int rows)
{
    std::vector<std::string> s;
    s.push_back("CREATE TABLE Parts ([Part Key] INTEGER PRIMARY KEY, [Description] VARCHAR(64), [Count] INTEGER, "
                "[Size] REAL, [Code] TINYINT)");
    for (int n = 1; n <= rows; ++n) {
        char buf[200];
        snprintf(buf, sizeof(buf), "INSERT INTO Parts VALUES (%d, 'Item %d', %d, %g, %d)", n, n, n * 10, n / 4.0, n);
        s.push_back(buf);
    }
    return s;
}

CString Scalar(OZUDatabase& db, const char* sql)
{
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLAllocStmt(db.m_hdbc, &hstmt);
    CString value;
    if (SQLExecDirect(hstmt, (SQLCHAR*)sql, SQL_NTS) >= 0 && SQLFetch(hstmt) == SQL_SUCCESS) {
        char buf[1024] = {};
        SQLLEN ind = 0;
        SQLGetData(hstmt, 1, SQL_C_CHAR, buf, sizeof(buf), &ind);
        value = ind == SQL_NULL_DATA ? "NULL" : buf;
    } else
        value = "<no row>";
    SQLFreeStmt(hstmt, SQL_DROP);
    return value;
}

} // namespace odbctest
