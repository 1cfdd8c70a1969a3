#include "tests/support/ScratchDatabase.h"

#include <windows.h>

namespace odbctest {

std::string AccessConnect(const std::string& path)
{
    return "Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=" + path + ";";
}

std::string MakeDatabase(const std::string& folder, const std::vector<std::string>& statements,
                         const std::string& fileName)
{
    std::string path = kvtest::ScratchDir(folder) + "\\" + fileName;
    // An empty file is an empty SQLite database.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(h);
    OZUDatabase db;
    db.OpenEx(AccessConnect(path).c_str(), OZUDatabase::noOdbcDialog);
    for (auto& s : statements)
        db.ExecuteSQL(s.c_str());
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

std::string FileBytes(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string out;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof(buf), &got, nullptr) && got)
        out.append(buf, got);
    CloseHandle(h);
    return out;
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
