// Bad input is reported, never fatal: files that cannot be opened, bad SQL,
// a locked database, a driver that never finishes, a driver that refuses
// the concurrency or the time-out.
#include "platform/odbc/ODBCApi.h"
#include "tests/support/ScratchDatabase.h"

#include <windows.h>

using namespace odbctest;
using kvtest::ConnectStringFor;

TEST(OdbcFaults, BadInputGivesTheDriversMessage)
{
    Guarded([] {
        std::string dir = kvtest::ScratchDir("odbc_bad");
        std::string good = MakeDatabase("odbc_bad_good", PartsTable());
        std::string junk = dir + "\\junk.mdb";
        {
            HANDLE h = CreateFileA(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            std::string bytes(4096, 'x');
            DWORD written = 0;
            WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
            CloseHandle(h);
        }
        std::string missing = dir + "\\missing.mdb";

        // A database with a write transaction open elsewhere.
        CDatabase holder;
        holder.OpenEx(ConnectStringFor(good).c_str(), CDatabase::noOdbcDialog);
        ASSERT_TRUE(holder.BeginTrans());
        holder.ExecuteSQL("UPDATE Parts SET [Count] = 1");

        struct Case
        {
            const char* what;
            std::string file;
            const char* sql;
            const char* mustSay;
        } cases[] = {
            {"missing file", missing, nullptr, "missing.mdb"},
            {"not a database", junk, nullptr, "file is not a database"},
            {"syntax error", good, "SELECT FROM WHERE Parts", "syntax error"},
            {"unknown table", good, "SELECT * FROM NoSuchTable", "no such table"},
            {"locked database", good, "UPDATE Parts SET [Count] = 2", "database is locked"},
        };
        for (const Case& c : cases) {
            DbError e = CatchDB([&] {
                CDatabase db;
                db.SetQueryTimeout(1);
                db.SetLockTimeout(1);
                db.OpenEx(ConnectStringFor(c.file).c_str(), CDatabase::noOdbcDialog);
                db.ExecuteSQL(c.sql);
            });
            EXPECT_NE(0, e.code) << c.what;
            EXPECT_NE(-1, e.message.Find(c.mustSay)) << c.what << ": " << (LPCSTR)e.message;
        }
        // The missing file was not created by the attempt.
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(missing.c_str()));
        holder.Rollback();
        EXPECT_STREQ("10", Scalar(holder, "SELECT [Count] FROM Parts WHERE [Part Key] = 1"));
        // A failed open leaves no connection behind.
        holder.Close();
        EXPECT_EQ(0, AfxGetDbState()->m_nAllocatedConnections);
    });
}

namespace {

int g_cancels = 0;
SQLRETURN SQL_API ForeverExecuting(SQLHSTMT, SQLCHAR*, SQLINTEGER)
{
    return SQL_STILL_EXECUTING;
}
SQLRETURN SQL_API CountingCancel(SQLHSTMT)
{
    ++g_cancels;
    return SQL_SUCCESS;
}

} // namespace

TEST(OdbcFaults, DriverStillExecutingForeverCannotHang)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_hang", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        db.SetQueryTimeout(1);
        {
            OdbcApiOverride restore;
            g_odbc.ExecDirect = &ForeverExecuting;
            g_odbc.Prepare = &ForeverExecuting;
            g_odbc.Cancel = &CountingCancel;
            g_cancels = 0;
            ULONGLONG start = GetTickCount64();
            DbError e = CatchDB([&] { db.ExecuteSQL("DELETE FROM Parts"); });
            EXPECT_EQ(AFX_SQL_ERROR_STILL_EXECUTING, e.code);
            EXPECT_NE(-1, e.message.Find("still executing")) << (LPCSTR)e.message;
            CPartRecords rs(&db);
            EXPECT_EQ(AFX_SQL_ERROR_STILL_EXECUTING, CatchDB([&] { rs.Open(CRecordset::snapshot); }).code);
            EXPECT_FALSE(rs.IsOpen());
            EXPECT_LT(GetTickCount64() - start, 20000u);
            EXPECT_EQ(2, g_cancels);
        }
        // The connection works on, and nothing was deleted.
        EXPECT_STREQ("10", Scalar(db, "SELECT count(*) FROM Parts"));
        CPartRecords rs(&db);
        EXPECT_TRUE(rs.Open());
    });
}

namespace {

// A driver that refuses the first statement's concurrency as not capable.
int g_refusals = 0;
// The state the next diagnostic reports (none: the real driver's).
const char* g_pendingState = nullptr;
SQLRETURN SQL_API RefusingPrepare(SQLHSTMT hstmt, SQLCHAR* sql, SQLINTEGER length)
{
    if (g_refusals++ == 0) {
        g_pendingState = "HYC00";
        return SQL_ERROR;
    }
    return OdbcRealApi().Prepare(hstmt, sql, length);
}
SQLRETURN SQL_API PendingStateError(SQLHENV henv, SQLHDBC hdbc, SQLHSTMT hstmt, SQLCHAR* state, SQLINTEGER* native,
                                    SQLCHAR* message, SQLSMALLINT size, SQLSMALLINT* length)
{
    if (!g_pendingState)
        return OdbcRealApi().Error(henv, hdbc, hstmt, state, native, message, size, length);
    strcpy((char*)state, g_pendingState);
    g_pendingState = nullptr;
    *native = 0;
    strcpy((char*)message, "[Test]Diagnostic of the test driver");
    *length = (SQLSMALLINT)strlen((char*)message);
    return SQL_SUCCESS;
}

int g_timeoutRequests = 0;
SQLRETURN SQL_API RefusingTimeout(SQLHSTMT hstmt, SQLUSMALLINT option, SQLULEN value)
{
    if (option == SQL_QUERY_TIMEOUT) {
        ++g_timeoutRequests;
        return SQL_ERROR;
    }
    return OdbcRealApi().SetStmtOption(hstmt, option, value);
}

} // namespace

TEST(OdbcFaults, RefusedConcurrencyStillOpensReadOnly)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_concurrency", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        // Writes through the driver's cursor, so that the snapshot uses it.
        db.m_dwUpdateOptions |= CDatabase::updateSetPos;
        OdbcApiOverride restore;
        g_odbc.Prepare = &RefusingPrepare;
        g_odbc.Error = &PendingStateError;
        g_refusals = 0;
        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::snapshot));
        EXPECT_FALSE(rs.IsKeyed());
        EXPECT_EQ(2, g_refusals);
        EXPECT_EQ(1, rs.m_nKey);
        // The driver offers only locking, which it refused: read-only.
        EXPECT_FALSE(rs.CanUpdate());
        EXPECT_FALSE(rs.CanAppend());
        EXPECT_EQ((DWORD)SQL_CONCUR_READ_ONLY, rs.m_dwConcurrency);
    });
}

TEST(OdbcFaults, RefusedTimeOutIsAskedOncePerConnection)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_timeout", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        OdbcApiOverride restore;
        g_odbc.SetStmtOption = &RefusingTimeout;
        g_timeoutRequests = 0;
        CPartRecords a(&db), b(&db);
        ASSERT_TRUE(a.Open(CRecordset::snapshot));
        ASSERT_TRUE(b.Open(CRecordset::dynaset));
        db.ExecuteSQL("UPDATE Parts SET [Count] = 0 WHERE [Part Key] = 1");
        EXPECT_EQ(1, g_timeoutRequests);
        EXPECT_EQ(0xFFFFFFFFu, db.m_dwQueryTimeout);
    });
}

TEST(OdbcFaults, TransactionsCommitAndRollBack)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_txn", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        ASSERT_TRUE(db.CanTransact());
        ASSERT_TRUE(db.BeginTrans());
        db.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] > 7");
        EXPECT_EQ(3, db.GetRowsAffected());
        ASSERT_TRUE(db.Rollback());
        EXPECT_STREQ("10", Scalar(db, "SELECT count(*) FROM Parts"));
        ASSERT_TRUE(db.BeginTrans());
        db.ExecuteSQL("UPDATE Parts SET [Count] = 5 WHERE [Part Key] <= 2");
        EXPECT_EQ(2, db.GetRowsAffected());
        ASSERT_TRUE(db.CommitTrans());
        db.Close();
        CDatabase again;
        again.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        EXPECT_STREQ("2", Scalar(again, "SELECT count(*) FROM Parts WHERE [Count] = 5"));
    });
}

namespace {

SQLRETURN SQL_API CancelledDialog(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*,
                                  SQLUSMALLINT)
{
    return SQL_NO_DATA;
}

} // namespace

TEST(OdbcFaults, CancelledConnectLeavesNothingBehind)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_cancel", PartsTable(1));
        OdbcApiOverride restore;
        g_odbc.DriverConnect = &CancelledDialog;
        CDatabase db;
        EXPECT_FALSE(db.OpenEx(ConnectStringFor(path).c_str()));
        EXPECT_FALSE(db.IsOpen());
        EXPECT_EQ(0, AfxGetDbState()->m_nAllocatedConnections);
        EXPECT_EQ(SQL_NULL_HENV, AfxGetDbState()->m_henvAtfx);
        // Both dialog options at once are refused.
        EXPECT_THROW(db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog | CDatabase::forceOdbcDialog),
                     CInvalidArgException*);
    });
}

namespace {

// A driver whose fetches succeed with a warning of the given state.
const char* g_fetchWarning = nullptr;
SQLRETURN SQL_API WarningFetch(SQLHSTMT hstmt, SQLUSMALLINT type, SQLLEN rows, SQLULEN* fetched,
                               SQLUSMALLINT* status)
{
    SQLRETURN r = OdbcRealApi().ExtendedFetch(hstmt, type, rows, fetched, status);
    if (r != SQL_SUCCESS || !g_fetchWarning)
        return r;
    g_pendingState = g_fetchWarning;
    return SQL_SUCCESS_WITH_INFO;
}

} // namespace

// A fetch that succeeds with a warning: truncated data and an error in a row
// are refused, any other warning passes.
TEST(OdbcFaults, FetchWarningsByState)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_fetch_warning", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        struct
        {
            const char* state;
            long code;
        } cases[] = {{"01004", AFX_SQL_ERROR_DATA_TRUNCATED}, {"01S01", AFX_SQL_ERROR_ROW_FETCH}, {"01S07", 0}};
        for (auto& c : cases) {
            CPartRecords rs(&db);
            ASSERT_TRUE(rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly));
            OdbcApiOverride restore;
            g_odbc.ExtendedFetch = &WarningFetch;
            g_odbc.Error = &PendingStateError;
            g_fetchWarning = c.state;
            DbError e = CatchDB([&] { rs.MoveNext(); });
            g_fetchWarning = nullptr;
            EXPECT_EQ(c.code, e.code) << c.state;
            if (!c.code)
                EXPECT_EQ(2, rs.m_nKey) << c.state;
        }
    });
}

// A database file deleted while it is open: a write says that the file is
// gone, not that it refuses changes.
TEST(OdbcFaults, AWriteToADeletedFileSaysItIsGone)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_deleted", PartsTable(3));
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        EXPECT_STREQ("3", Scalar(db, "SELECT count(*) FROM Parts"));
        ASSERT_TRUE(DeleteFileA(path.c_str()));
        DbError e = CatchDB([&] { db.ExecuteSQL("UPDATE Parts SET [Count] = 5 WHERE [Part Key] = 2"); });
        EXPECT_NE(0, e.code);
        EXPECT_NE(-1, e.message.Find("is no longer there")) << (LPCSTR)e.message;
        EXPECT_EQ(-1, e.message.Find("refuses changes")) << (LPCSTR)e.message;
        db.Close();
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    });
}
