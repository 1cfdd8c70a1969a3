// A statement prepared once and run with new values each time.
#include "tests/support/ScratchDatabase.h"
#include "platform/odbc/OZUStatement.h"

using namespace odbctest;
using kvtest::ConnectStringFor;

TEST(OdbcStatement, WritesWithItsValuesAndIsRefusedOnAReadOnlyDatabase)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_statement", PartsTable(2));
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        OZUStatement update(&db, "UPDATE [Parts] SET [Description] = ?, [Size] = ?, [Code] = ? WHERE [Part Key] = ?");
        update.SetText(1, "It's new");
        update.SetSingle(2, 0.1f);
        update.SetByte(3, 200);
        update.SetLong(4, 2);
        EXPECT_EQ(1, update.Execute());
        update.SetNull(2);
        update.SetLong(4, 99);
        EXPECT_EQ(0, update.Execute());
        EXPECT_STREQ("It's new", Scalar(db, "SELECT [Description] FROM Parts WHERE [Part Key] = 2"));
        EXPECT_STREQ("200", Scalar(db, "SELECT [Code] FROM Parts WHERE [Part Key] = 2"));
        CPartRecords rs(&db);
        rs.Open(CRecordset::snapshot, "SELECT * FROM Parts WHERE [Part Key] = 2", CRecordset::readOnly);
        EXPECT_EQ(0.1f, rs.m_fSize);
        rs.Close();
        db.Close();

        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog | CDatabase::openReadOnly);
        EXPECT_EQ(AFX_SQL_ERROR_READONLY_DATABASE,
                  CatchDB([&] { OZUStatement refused(&db, "DELETE FROM [Parts]"); }).code);
        EXPECT_STREQ("2", Scalar(db, "SELECT COUNT(*) FROM Parts"));
    });
}
