// The connection's transactions after failures: a statement that fails on a
// full disk, a commit the database refuses, inner transactions. Whatever
// failed, the next transaction's rollback undoes its changes, its commit
// keeps them, and outside a transaction each statement is kept at once.
#include "tests/support/ScratchDatabase.h"

#include <windows.h>

using namespace odbctest;
using kvtest::ConnectStringFor;

namespace {

// Limits the database to the pages it has now, as a full disk would: a
// statement that needs one more page fails.
void FillDisk(CDatabase& db)
{
    const CString pages = Scalar(db, "PRAGMA page_count");
    db.ExecuteSQL("PRAGMA max_page_count = " + pages);
}

// A statement that needs many more pages than the database has.
const char kGrowingUpdate[] = "UPDATE Parts SET [Description] = [Description] || hex(zeroblob(200000))";

} // namespace

// After a statement failed, whether the database undid the statement alone
// (a full disk by the database's own page limit) or, as it may after a full
// disk, the whole transaction (as a trigger's ROLLBACK makes it do), a
// refused DELETE is rolled back and a confirmed one kept; the file holds
// exactly what was kept.
TEST(OdbcTransactionState, AFailureLeavesNoTransactionBehind)
{
    struct Case
    {
        const char* name;
        const char* setup;    // run outside the transaction
        const char* failing;  // fails inside it
        const char* says;
    };
    const Case cases[] = {
        {"statement undone", nullptr,
         "UPDATE Parts SET [Description] = [Description] || hex(zeroblob(200000))", "full"},
        {"transaction undone",
         "CREATE TRIGGER undo_all BEFORE UPDATE OF [Size] ON Parts BEGIN SELECT RAISE(ROLLBACK, 'disk I/O error'); END",
         "UPDATE Parts SET [Size] = 0", "disk I/O error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Guarded([&] {
            const std::string path = MakeDatabase(std::string("odbc_txn_failure_") + c.name, PartsTable());
            CDatabase db;
            db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
            if (c.setup != nullptr)
                db.ExecuteSQL(c.setup);
            db.Close();
            const std::string original = FileBytes(path);
            for (bool confirmed : {false, true}) {
                db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
                if (c.setup == nullptr)
                    FillDisk(db);
                ASSERT_TRUE(db.BeginTrans());
                DbError failure = CatchDB([&] { db.ExecuteSQL(c.failing); });
                EXPECT_NE(-1, failure.message.Find(c.says)) << (LPCSTR)failure.message;
                db.Rollback();
                EXPECT_EQ(0, db.GetTransactionDepth());

                ASSERT_TRUE(db.BeginTrans());
                db.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] < 5");
                EXPECT_EQ(4, db.GetRowsAffected());
                if (confirmed)
                    EXPECT_TRUE(db.CommitTrans()) << (LPCSTR)db.GetTransactionError();
                else
                    EXPECT_TRUE(db.Rollback());
                EXPECT_STREQ(confirmed ? "6" : "10", Scalar(db, "SELECT count(*) FROM Parts"));
                db.Close();
                if (!confirmed)
                    EXPECT_TRUE(original == FileBytes(path)) << "the refused delete reached the file";
            }
            CDatabase check;
            check.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
            EXPECT_STREQ("6", Scalar(check, "SELECT count(*) FROM Parts"));
            EXPECT_STREQ("Item 5", Scalar(check, "SELECT [Description] FROM Parts WHERE [Part Key] = 5"));
        });
    }
}

// A commit the database refuses (another program reads the file and holds
// it) undoes the transaction and says why; nothing of it reaches the file,
// and the connection afterwards keeps each statement at once.
TEST(OdbcTransactionState, ARefusedCommitUndoesEverything)
{
    Guarded([] {
        const std::string path = MakeDatabase("odbc_txn_refused", PartsTable());
        const DWORD wait = OZUDatabase::GetDefaultLockTimeout();
        OZUDatabase::SetDefaultLockTimeout(0);
        CDatabase reader, db;
        reader.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        OZUDatabase::SetDefaultLockTimeout(wait);
        // The reader's transaction has read the file and keeps it shared.
        ASSERT_TRUE(reader.BeginTrans());
        EXPECT_STREQ("10", Scalar(reader, "SELECT count(*) FROM Parts"));

        ASSERT_TRUE(db.BeginTrans());
        db.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] < 5");
        EXPECT_FALSE(db.CommitTrans());
        EXPECT_NE(-1, db.GetTransactionError().Find("locked")) << (LPCSTR)db.GetTransactionError();
        EXPECT_EQ(0, db.GetTransactionDepth());
        EXPECT_STREQ("10", Scalar(db, "SELECT count(*) FROM Parts"));
        EXPECT_TRUE(reader.CommitTrans());

        // No transaction is left: a statement is kept at once, where the
        // other connection sees it.
        db.ExecuteSQL("UPDATE Parts SET [Count] = 0 WHERE [Part Key] = 1");
        EXPECT_STREQ("0", Scalar(reader, "SELECT [Count] FROM Parts WHERE [Part Key] = 1"));
        EXPECT_STREQ("10", Scalar(reader, "SELECT count(*) FROM Parts"));
    });
}

// An inner transaction ends before the outer one: its rollback undoes only
// its own changes, its commit hands them to the outer one, which decides.
TEST(OdbcTransactionState, InnerTransactionsEndFirst)
{
    Guarded([] {
        const std::string path = MakeDatabase("odbc_txn_inner", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        auto count = [&](int key) {
            CString sql;
            sql.Format("SELECT [Count] FROM Parts WHERE [Part Key] = %d", key);
            return CString(Scalar(db, sql));
        };

        ASSERT_TRUE(db.BeginTrans());
        db.ExecuteSQL("UPDATE Parts SET [Count] = 1 WHERE [Part Key] = 1");
        ASSERT_TRUE(db.BeginTrans());
        EXPECT_EQ(2, db.GetTransactionDepth());
        db.ExecuteSQL("UPDATE Parts SET [Count] = 2 WHERE [Part Key] = 2");
        EXPECT_TRUE(db.Rollback());
        ASSERT_TRUE(db.BeginTrans());
        db.ExecuteSQL("UPDATE Parts SET [Count] = 3 WHERE [Part Key] = 3");
        EXPECT_TRUE(db.CommitTrans());
        EXPECT_TRUE(db.CommitTrans());
        EXPECT_EQ(0, db.GetTransactionDepth());
        EXPECT_STREQ("1", count(1));
        EXPECT_STREQ("20", count(2));
        EXPECT_STREQ("3", count(3));

        // The outer rollback takes what the inner one committed with it.
        ASSERT_TRUE(db.BeginTrans());
        ASSERT_TRUE(db.BeginTrans());
        db.ExecuteSQL("UPDATE Parts SET [Count] = 4 WHERE [Part Key] = 4");
        EXPECT_TRUE(db.CommitTrans());
        EXPECT_TRUE(db.Rollback());
        EXPECT_STREQ("40", count(4));
        // Nothing open, nothing to end.
        EXPECT_FALSE(db.CommitTrans());
        EXPECT_FALSE(db.Rollback());
    });
}
