// Choosing the driver for a database file, the connect string, identifier
// quoting and the matching of diagnostic states.
#include "platform/odbc/ODBCConnect.h"
#include "tests/support/ScratchDatabase.h"

#include <windows.h>

using namespace odbctest;
using kvtest::ConnectStringFor;
using kvodbc::FileKind;

namespace {

std::string PutFile(const std::string& dir, const char* name, const std::string& bytes)
{
    std::string path = dir + "\\" + name;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(h);
    return path;
}

} // namespace

TEST(OdbcConnect, DriverIsChosenByFileContent)
{
    std::string dir = kvtest::ScratchDir("odbc_plan");
    std::string sqlite = PutFile(dir, "a.mdb", std::string("SQLite format 3\0rest", 20));
    std::string jet = PutFile(dir, "b.sqlite", std::string("\0\1\0\0Standard Jet DB\0", 20));
    std::string ace = PutFile(dir, "c.accdb", std::string("\0\1\0\0Standard ACE DB\0", 20));
    std::string junk = PutFile(dir, "d.mdb", "just some text, not a database");
    std::string missing = dir + "\\none.mdb";
    EXPECT_EQ(FileKind::SQLite, kvodbc::DetectFileKind(sqlite));
    EXPECT_EQ(FileKind::Access, kvodbc::DetectFileKind(jet));
    EXPECT_EQ(FileKind::Access, kvodbc::DetectFileKind(ace));
    EXPECT_EQ(FileKind::Other, kvodbc::DetectFileKind(junk));
    EXPECT_EQ(FileKind::Missing, kvodbc::DetectFileKind(missing));
    EXPECT_EQ(FileKind::Access, kvodbc::DetectFileKind(kvtest::DataPath("access/nwind.mdb")));

    const std::vector<std::string> unixDrivers = {"SQLite", "SQLite3", "MDBTools"};
    const std::vector<std::string> windows = {"Microsoft Access Driver (*.mdb, *.accdb)", "SQLite3 ODBC Driver"};
    struct Case
    {
        const std::vector<std::string>* installed;
        std::string connect;
        const char* driverWanted;  // text the planned connect string must hold
        bool readOnly;
        bool sqlite;
    } cases[] = {
        // No Access driver: the content decides, with the driver's own path.
        {&unixDrivers, ConnectStringFor(sqlite), "Driver={SQLite3};Database=", false, true},
        {&unixDrivers, ConnectStringFor(jet), "Driver={MDBTools};DBQ=", true, false},
        {&unixDrivers, ConnectStringFor(ace), "Driver={MDBTools};DBQ=", true, false},
        {&unixDrivers, ConnectStringFor(junk), "Driver={SQLite3};Database=", false, true},
        {&unixDrivers, ConnectStringFor(missing), "NoCreat=1", false, true},
        // The SQLite driver named directly is told never to create a file.
        {&unixDrivers, "Driver={SQLite3};Database=" + missing + ";", "NoCreat=1", false, true},
        // An installed Access driver takes Access files as they stand.
        {&windows, ConnectStringFor(jet), "Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=", false, false},
        {&windows, ConnectStringFor(sqlite), "Driver={SQLite3 ODBC Driver};Database=", false, true},
        // No file: passed unchanged.
        {&unixDrivers, "DSN=Components;UID=x", "DSN=Components;UID=x", false, false},
    };
    for (const Case& c : cases) {
        kvodbc::ConnectPlan plan;
        std::string error;
        ASSERT_TRUE(kvodbc::PlanConnection(c.connect, *c.installed, 5000, plan, error)) << c.connect << error;
        EXPECT_NE(std::string::npos, plan.connect.find(c.driverWanted)) << c.connect << " -> " << plan.connect;
        EXPECT_EQ(c.readOnly, plan.readOnly) << c.connect;
        EXPECT_EQ(c.readOnly, plan.useCursorLib) << c.connect;
        EXPECT_EQ(c.sqlite, plan.sqlite) << c.connect;
        // Under Wine the Linux drivers get the file's Linux path.
        if (kvodbc::RunningUnderWine() && c.installed == &unixDrivers && !plan.file.empty()) {
            EXPECT_NE(std::string::npos, plan.connect.find("=/")) << plan.connect;
        }
    }

    kvodbc::ConnectPlan plan;
    std::string error;
    EXPECT_FALSE(kvodbc::PlanConnection(ConnectStringFor(jet), {"SQLite3"}, 5000, plan, error));
    EXPECT_NE(std::string::npos, error.find("b.sqlite")) << error;
}

TEST(OdbcConnect, ConnectStringPrefixAndCompletion)
{
    Guarded([&] {
        std::string path = MakeDatabase("odbc_prefix", PartsTable(1));
        for (const char* prefix : {"ODBC;", "odbc;", "oDbC;", ""}) {
            CDatabase db;
            ASSERT_TRUE(db.Open(nullptr, FALSE, FALSE, (prefix + ConnectStringFor(path)).c_str(), FALSE)) << prefix;
            EXPECT_TRUE(db.IsOpen());
            // The completed connect string the driver returned, after "ODBC;".
            EXPECT_EQ(0, db.GetConnect().Find("ODBC;")) << (LPCSTR)db.GetConnect();
            EXPECT_TRUE(db.IsSQLite());
            EXPECT_TRUE(db.CanUpdate());
            EXPECT_EQ('"', db.m_chIDQuote);
            EXPECT_FALSE(db.GetDatabaseName().IsEmpty());
        }
        EXPECT_EQ(0, AfxGetDbState()->m_nAllocatedConnections);
        EXPECT_EQ(SQL_NULL_HENV, AfxGetDbState()->m_henvAtfx);
    });
}

TEST(OdbcConnect, ReplaceBracketsOutsideLiterals)
{
    CDatabase db;  // not connected: the quote character is '"'
    struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"SELECT [Component Key] FROM [Components]", "SELECT \"Component Key\" FROM \"Components\""},
        {"[A] = 'x[y]z'", "\"A\" = 'x[y]z'"},
        {"[A] = 'it''s [b]' AND [C] = 1", "\"A\" = 'it''s [b]' AND \"C\" = 1"},
        {"[[A]] = 1", "[A] = 1"},
        {"no brackets", "no brackets"},
    };
    for (auto& c : cases) {
        CString sql = c.in;
        db.ReplaceBrackets(sql);
        EXPECT_STREQ(c.out, sql) << c.in;
    }
    db.m_chIDQuote = '`';
    CString sql = "[A] = '['";
    db.ReplaceBrackets(sql);
    EXPECT_STREQ("`A` = '['", sql);
}

TEST(OdbcConnect, DiagnosticStatesMatchInBothForms)
{
    const CString text = "State:S1010,Native:0,Origin:[unixODBC][Driver Manager]\n"
                         "State:01004,Native:0,Origin:[x]\n"
                         "State:HYC00,Native:0,Origin:[x]\n"
                         "State:42S02,Native:0,Origin:[x]\n";
    struct
    {
        const char* state;
        bool found;
    } cases[] = {{"S1010", true}, {"HY010", true}, {"S1C00", true}, {"HYC00", true}, {"01004", true},
                 {"S0002", true}, {"42S02", true}, {"01S01", false}, {"S1000", false}, {"HY000", false}};
    for (auto& c : cases)
        EXPECT_EQ(c.found, kvodbc::StateInText(text, c.state) != FALSE) << c.state;
}

// The driver manager reports a function sequence error as S1010 to an ODBC 2
// application and as HY010 to an ODBC 3 one; the layer recognises both.
TEST(OdbcConnect, SequenceErrorFromTheDriverManagerInBothVersions)
{
    std::string path = MakeDatabase("odbc_states", PartsTable(1));
    std::string connect = "Driver={SQLite3};Database=" + kvodbc::DriverPath(path) + ";NoCreat=1;";
    for (int version : {2, 3}) {
        SQLHENV env = SQL_NULL_HENV;
        SQLHDBC dbc = SQL_NULL_HDBC;
        SQLHSTMT st = SQL_NULL_HSTMT;
        ASSERT_EQ(SQL_SUCCESS, SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env));
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)(INT_PTR)(version == 2 ? SQL_OV_ODBC2 : SQL_OV_ODBC3), 0);
        ASSERT_EQ(SQL_SUCCESS, SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc));
        SQLCHAR out[1024];
        SQLSMALLINT outLength = 0;
        ASSERT_TRUE(SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, (SQLCHAR*)connect.c_str(), SQL_NTS, out, sizeof(out),
                                                   &outLength, SQL_DRIVER_NOPROMPT)));
        ASSERT_EQ(SQL_SUCCESS, SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st));
        EXPECT_EQ(SQL_ERROR, SQLFetch(st));  // nothing executed
        CString error, states;
        kvodbc::CollectDiagnostics(env, dbc, st, error, states);
        EXPECT_NE(-1, states.Find(version == 2 ? "State:S1010" : "State:HY010")) << (LPCSTR)states;
        EXPECT_TRUE(kvodbc::StateInText(states, "S1010")) << version;
        EXPECT_TRUE(kvodbc::StateInText(states, "HY010")) << version;
        EXPECT_FALSE(error.IsEmpty());
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        SQLDisconnect(dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
    }
}

TEST(OdbcConnect, FileThatCannotBeWrittenOpensReadOnlyAndSaysWhy)
{
    Guarded([] {
        using kvtest::UnwritableFile;
        for (UnwritableFile::How how : UnwritableFile::ways) {
            SCOPED_TRACE(UnwritableFile::Name(how));
            std::string path = MakeDatabase("odbc_readonly_" + std::to_string((int)how), PartsTable(3));
            std::string before = FileBytes(path);
            {
                UnwritableFile unwritable(path, how);
                CDatabase db;
                ASSERT_TRUE(db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog));
                EXPECT_FALSE(db.CanUpdate());
                CString reason = db.GetReadOnlyReason();
                EXPECT_NE(-1, reason.Find(UnwritableFile::Reason(how))) << (LPCSTR)reason;
                EXPECT_NE(-1, reason.Find(path.c_str())) << (LPCSTR)reason;
                // It reads; every write is refused before it reaches the file.
                EXPECT_STREQ("3", Scalar(db, "SELECT count(*) FROM Parts"));
                DbError e = CatchDB([&] { db.ExecuteSQL("DELETE FROM Parts"); });
                EXPECT_EQ(AFX_SQL_ERROR_READONLY_DATABASE, e.code);
                EXPECT_NE(-1, e.message.Find(UnwritableFile::Reason(how))) << (LPCSTR)e.message;
                CPartRecords rs(&db);
                rs.Open();
                EXPECT_FALSE(rs.CanUpdate());
                EXPECT_EQ(AFX_SQL_ERROR_RECORDSET_READONLY, CatchDB([&] { rs.AddNew(); }).code);
                rs.Close();
            }
            EXPECT_TRUE(before == FileBytes(path));
        }
    });
}

TEST(OdbcConnect, LockedDatabaseSaysWhichFileAndThatAnotherProgramHoldsIt)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_locked", PartsTable(3));
        DWORD wait = OZUDatabase::GetDefaultLockTimeout();
        OZUDatabase::SetDefaultLockTimeout(0);  // fail at once rather than wait
        CDatabase other, db;
        other.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        OZUDatabase::SetDefaultLockTimeout(wait);
        EXPECT_TRUE(db.CanUpdate());
        // The other connection writes and keeps its transaction open.
        ASSERT_TRUE(other.BeginTrans());
        other.ExecuteSQL("UPDATE Parts SET [Count] = 0 WHERE [Part Key] = 1");

        DbError e = CatchDB([&] { db.ExecuteSQL("UPDATE Parts SET [Count] = 5 WHERE [Part Key] = 2"); });
        EXPECT_NE(0, e.code);
        EXPECT_NE(-1, e.message.Find("test.sqlite")) << (LPCSTR)e.message;
        EXPECT_NE(-1, e.message.Find("another program holds it locked")) << (LPCSTR)e.message;
        CDBException locked(e.code);
        locked.m_strStateNativeOrigin = e.states;
        EXPECT_TRUE(locked.IsDatabaseLocked()) << (LPCSTR)e.states;
        EXPECT_TRUE(locked.StopsEveryWrite());

        // Once the other program is done, the write goes through.
        other.Rollback();
        db.ExecuteSQL("UPDATE Parts SET [Count] = 5 WHERE [Part Key] = 2");
        EXPECT_STREQ("5", Scalar(db, "SELECT [Count] FROM Parts WHERE [Part Key] = 2"));
        other.Close();
        db.Close();
    });
}
