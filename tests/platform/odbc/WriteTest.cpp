// Adding, editing and deleting rows: through the driver's SQLSetPos on a
// snapshot and by key on a dynaset.
#include "tests/support/ScratchDatabase.h"
#include "platform/odbc/ODBCApi.h"

#include <cstring>

using namespace odbctest;
using kvtest::ConnectStringFor;

namespace {

class Write : public ::testing::TestWithParam<UINT>
{
protected:
    void SetUp() override
    {
        path = MakeDatabase("odbc_write", PartsTable());
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
    }
    // Moves to the row of a key by scrolling.
    static void MoveToKey(CPartRecords& rs, long key)
    {
        rs.MoveFirst();
        while (!rs.IsEOF() && rs.m_nKey != key)
            rs.MoveNext();
        ASSERT_FALSE(rs.IsEOF()) << key;
    }
    std::string path;
    CDatabase db;
};

} // namespace

TEST_P(Write, EditWritesOnlyTheChangedColumns)
{
    Guarded([&] {
        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(GetParam()));
        MoveToKey(rs, 3);
        rs.Edit();
        // Someone changes another column of the row meanwhile.
        db.ExecuteSQL("UPDATE Parts SET [Count] = 999 WHERE [Part Key] = 3");
        rs.m_strDescription = "Changed";
        EXPECT_TRUE(rs.Update());
        EXPECT_STREQ("Changed", Scalar(db, "SELECT Description FROM Parts WHERE [Part Key] = 3"));
        EXPECT_STREQ("999", Scalar(db, "SELECT [Count] FROM Parts WHERE [Part Key] = 3"));
        EXPECT_STREQ("Item 4", Scalar(db, "SELECT Description FROM Parts WHERE [Part Key] = 4"));

        // An edit that changes nothing writes nothing.
        rs.Edit();
        db.ExecuteSQL("UPDATE Parts SET [Description] = 'Other' WHERE [Part Key] = 3");
        EXPECT_FALSE(rs.Update());
        EXPECT_STREQ("Other", Scalar(db, "SELECT Description FROM Parts WHERE [Part Key] = 3"));
        // ... and stays in the edit; once that ends, Update is refused.
        EXPECT_EQ(CRecordset::edit, rs.GetEditMode());
        rs.CancelUpdate();
        EXPECT_EQ(AFX_SQL_ERROR_ILLEGAL_MODE, CatchDB([&] { rs.Update(); }).code);

        // A field set null is written as NULL.
        rs.Edit();
        rs.SetFieldNull(&rs.m_fSize);
        EXPECT_TRUE(rs.Update());
        EXPECT_STREQ("NULL", Scalar(db, "SELECT Size FROM Parts WHERE [Part Key] = 3"));
    });
}

TEST_P(Write, AddNewInsertsAndStaysOnTheRowBefore)
{
    Guarded([&] {
        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(GetParam()));
        MoveToKey(rs, 2);
        rs.AddNew();
        EXPECT_TRUE(rs.IsFieldNull(&rs.m_strDescription));
        rs.m_strDescription = "New part";
        rs.m_nCount = 0;  // a value equal to zero is still a value
        EXPECT_TRUE(rs.Update());
        // Back on the row it was on.
        EXPECT_EQ(2, rs.m_nKey);
        EXPECT_STREQ("Item 2", rs.m_strDescription);
        EXPECT_STREQ("11", Scalar(db, "SELECT count(*) FROM Parts"));
        EXPECT_STREQ("0", Scalar(db, "SELECT [Count] FROM Parts WHERE Description = 'New part'"));
        EXPECT_STREQ("NULL", Scalar(db, "SELECT [Size] FROM Parts WHERE Description = 'New part'"));
        EXPECT_STREQ("11", Scalar(db, "SELECT [Part Key] FROM Parts WHERE Description = 'New part'"));

        // AddNew then a move abandons the addition.
        rs.AddNew();
        rs.m_strDescription = "Abandoned";
        rs.MoveNext();
        EXPECT_EQ(CRecordset::noMode, rs.GetEditMode());
        EXPECT_STREQ("0", Scalar(db, "SELECT count(*) FROM Parts WHERE Description = 'Abandoned'"));
    });
}

TEST_P(Write, DeleteRemovesTheRowAndNullsTheFields)
{
    Guarded([&] {
        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(GetParam()));
        MoveToKey(rs, 4);
        long before = rs.GetAbsolutePosition();
        rs.Delete();
        EXPECT_TRUE(rs.IsDeleted());
        EXPECT_TRUE(rs.IsFieldNull(&rs.m_strDescription));
        EXPECT_TRUE(rs.IsFieldNull(&rs.m_nCount));
        EXPECT_EQ(before - 1, rs.GetAbsolutePosition());
        EXPECT_EQ(AFX_SQL_ERROR_NO_CURRENT_RECORD, CatchDB([&] { rs.Edit(); }).code);
        EXPECT_EQ(AFX_SQL_ERROR_NO_CURRENT_RECORD, CatchDB([&] { rs.Delete(); }).code);
        EXPECT_STREQ("9", Scalar(db, "SELECT count(*) FROM Parts"));
        EXPECT_STREQ("0", Scalar(db, "SELECT count(*) FROM Parts WHERE [Part Key] = 4"));
        rs.MoveNext();
        EXPECT_EQ(5, rs.m_nKey);
        EXPECT_FALSE(rs.IsDeleted());
        // Delete during an edit is refused.
        rs.Edit();
        EXPECT_EQ(AFX_SQL_ERROR_ILLEGAL_MODE, CatchDB([&] { rs.Delete(); }).code);
    });
}

INSTANTIATE_TEST_SUITE_P(OpenTypes, Write, ::testing::Values(CRecordset::dynaset, CRecordset::snapshot),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                             return info.param == CRecordset::dynaset ? std::string("Dynaset") : std::string("Snapshot");
                         });

// A dynaset's membership is fixed when it opens; its rows are read again
// when moved to.
TEST(OdbcDynaset, SeesChangesOfOthersWhenMovedTo)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_dynaset", PartsTable(300));
        CDatabase db, other;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        other.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        ASSERT_TRUE(rs.IsKeyed());

        // Changes through this connection: seen when moved to.
        db.ExecuteSQL("UPDATE Parts SET [Description] = 'Renamed' WHERE [Part Key] = 2");
        db.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] = 3");
        db.ExecuteSQL("INSERT INTO Parts VALUES (1000, 'Newcomer', 0, 0, 0)");
        rs.MoveNext();
        EXPECT_STREQ("Renamed", rs.m_strDescription);
        rs.MoveNext();
        EXPECT_TRUE(rs.IsDeleted());
        rs.MoveLast();
        EXPECT_EQ(300, rs.m_nKey);  // not a member until Requery

        // Changes through another connection: seen once the row is read
        // again (here: a row outside the window read last).
        other.ExecuteSQL("UPDATE Parts SET [Count] = -7 WHERE [Part Key] = 5");
        rs.MoveFirst();
        rs.SetAbsolutePosition(5);
        EXPECT_EQ(-7, rs.m_nCount);

        // With skipDeletedRecords the deleted row is stepped over.
        CPartRecords skipping(&db);
        ASSERT_TRUE(skipping.Open(CRecordset::dynaset, nullptr, CRecordset::skipDeletedRecords));
        skipping.MoveNext();
        db.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] = 4");
        skipping.MoveNext();
        EXPECT_EQ(5, skipping.m_nKey);
        skipping.MovePrev();
        EXPECT_EQ(2, skipping.m_nKey);

        ASSERT_TRUE(rs.Requery());
        rs.MoveLast();
        EXPECT_EQ(1000, rs.m_nKey);
        EXPECT_STREQ("Newcomer", rs.m_strDescription);
    });
}

TEST(OdbcDynaset, RowsItWritesItselfAreShownAsWrittenAndOthersChangesStillSeen)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_own_edits", PartsTable(250));
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CPartRecords rs(&db), other(&db);
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        ASSERT_TRUE(other.Open(CRecordset::dynaset));
        // Every row edited in turn (a text longer than before, a number,
        // a null), and one row changed meanwhile by a statement.
        ASSERT_TRUE(db.BeginTrans());
        for (int n = 1; !rs.IsEOF(); rs.MoveNext(), ++n) {
            if (n == 20)
                db.ExecuteSQL("UPDATE Parts SET [Count] = -1 WHERE [Part Key] = 150");
            rs.Edit();
            rs.m_strDescription.Format("Part number %d, renamed", n);
            rs.m_nCount += 1;
            if (n % 7 == 0)
                rs.SetFieldNull(&rs.m_fSize);
            rs.Update();
        }
        ASSERT_TRUE(db.CommitTrans());
        rs.MoveFirst();
        for (int n = 1; !rs.IsEOF(); rs.MoveNext(), ++n) {
            CString expected;
            expected.Format("Part number %d, renamed", n);
            EXPECT_STREQ(expected, rs.m_strDescription) << n;
            EXPECT_EQ(n == 150 ? 0 : n * 10 + 1, rs.m_nCount) << n;
            EXPECT_EQ(n % 7 == 0, rs.IsFieldNull(&rs.m_fSize) != FALSE) << n;
        }
        // Another set on the connection reads them again.
        other.SetAbsolutePosition(150);
        EXPECT_STREQ("Part number 150, renamed", other.m_strDescription);
        EXPECT_EQ(0, other.m_nCount);
        EXPECT_STREQ("0", Scalar(db, "SELECT [Count] FROM Parts WHERE [Part Key] = 150"));
        EXPECT_STREQ("Part number 3, renamed", Scalar(db, "SELECT [Description] FROM Parts WHERE [Part Key] = 3"));
    });
}

TEST(OdbcDynaset, UpdateOfARowDeletedMeanwhileAffectsNoRow)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_gone", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        rs.Edit();
        rs.m_strDescription = "Too late";
        db.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] = 1");
        EXPECT_EQ(AFX_SQL_ERROR_NO_ROWS_AFFECTED, CatchDB([&] { rs.Update(); }).code);
        // The edit stays, so the caller may move away.
        EXPECT_EQ(CRecordset::edit, rs.GetEditMode());
        rs.MoveNext();
        EXPECT_EQ(2, rs.m_nKey);
    });
}

TEST(OdbcDynaset, AddedRowJoinsTheSetAtItsEnd)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_append", PartsTable(3));
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        while (!rs.IsEOF())
            rs.MoveNext();
        EXPECT_EQ(3, rs.GetRecordCount());
        rs.AddNew();
        rs.m_strDescription = "Fourth";
        rs.m_nCode = 4;
        ASSERT_TRUE(rs.Update());
        EXPECT_EQ(4, rs.GetRecordCount());
        rs.MoveLast();
        EXPECT_STREQ("Fourth", rs.m_strDescription);
        EXPECT_EQ(4, rs.m_nKey);  // the key the database gave it
        EXPECT_EQ(4, rs.m_nCode);
        // The key of this connection's last insert, in the Access form.
        CRecordset identity(&db);
        ASSERT_TRUE(identity.Open(CRecordset::forwardOnly, "SELECT @@IDENTITY", CRecordset::readOnly));
        CString key;
        identity.GetFieldValue((short)0, key);
        EXPECT_STREQ("4", key);
    });
}

namespace {

// A join of two tables in the shape of the tape records.
class CTapeJoin : public CRecordset
{
public:
    explicit CTapeJoin(CDatabase* pdb) : CRecordset(pdb)
    {
        m_nFields = 4;
        m_nDefaultType = dynaset;
    }
    long m_nKey = 0;
    CString m_strDescription;
    long m_nPipeKey = 0;
    float m_fSpacing = 0;
    CString GetDefaultSQL() override
    {
        return "SELECT C.[Component Key], C.[Description], T.* FROM `Tapes` T INNER JOIN Components C ON "
               "T.`Pipe Key` = C.`Component Key` WHERE C.[Flags] = 2";
    }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "C.[Component Key]", m_nKey);
        RFX_Text(pFX, "C.[Description]", m_strDescription);
        RFX_Long(pFX, "T.[Pipe Key]", m_nPipeKey);
        RFX_Single(pFX, "T.[Reals4]", m_fSpacing);
    }
};

} // namespace

TEST(OdbcDynaset, JoinWritesEachTableByItsKey)
{
    Guarded([] {
        std::string path = MakeDatabase(
            "odbc_join", {"CREATE TABLE Components ([Component Key] INTEGER PRIMARY KEY, [Description] VARCHAR(64), "
                          "[Flags] INTEGER)",
                          "CREATE TABLE Tapes ([Pipe Key] INTEGER, [Reals4] REAL)",
                          "INSERT INTO Components VALUES (1, 'Pipe', 0)", "INSERT INTO Components VALUES (2, 'Tape A', 2)",
                          "INSERT INTO Components VALUES (3, 'Tape B', 2)",
                          "INSERT INTO Components VALUES (4, 'Tape without row', 2)",
                          "INSERT INTO Tapes VALUES (2, 0.3)", "INSERT INTO Tapes VALUES (3, 0.5)"});
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CTapeJoin rs(&db);
        ASSERT_TRUE(rs.Open());
        ASSERT_TRUE(rs.IsKeyed());
        EXPECT_EQ(2, rs.m_nKey);
        EXPECT_EQ(2, rs.m_nPipeKey);
        rs.Edit();
        rs.m_strDescription = "Tape A2";
        rs.m_fSpacing = 0.25f;
        ASSERT_TRUE(rs.Update());
        EXPECT_STREQ("Tape A2", Scalar(db, "SELECT Description FROM Components WHERE [Component Key] = 2"));
        EXPECT_STREQ("0.25", Scalar(db, "SELECT Reals4 FROM Tapes WHERE [Pipe Key] = 2"));
        EXPECT_STREQ("Tape B", Scalar(db, "SELECT Description FROM Components WHERE [Component Key] = 3"));
        EXPECT_STREQ("0.5", Scalar(db, "SELECT Reals4 FROM Tapes WHERE [Pipe Key] = 3"));

        rs.MoveNext();
        EXPECT_EQ(3, rs.m_nKey);
        rs.Delete();
        EXPECT_STREQ("0", Scalar(db, "SELECT count(*) FROM Components WHERE [Component Key] = 3"));
        EXPECT_STREQ("0", Scalar(db, "SELECT count(*) FROM Tapes WHERE [Pipe Key] = 3"));
        rs.MoveNext();
        EXPECT_TRUE(rs.IsEOF());  // the tape without a Tapes row is not in the join
    });
}

// The write path through the driver's cursor (SQLSetPos), used where the
// driver writes only the columns given; the SQLite driver writes every bound
// column, so here every field is marked changed.
TEST(OdbcSetPos, WritesThroughTheDriversCursor)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_setpos", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        db.m_dwUpdateOptions |= CDatabase::updateSetPos;
        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::snapshot));
        ASSERT_FALSE(rs.IsKeyed());
        ASSERT_TRUE(rs.CanUpdate());
        rs.MoveNext();
        rs.MoveNext();
        rs.Edit();
        rs.m_strDescription = "Through the cursor";
        rs.SetFieldDirty(nullptr);
        ASSERT_TRUE(rs.Update());
        EXPECT_STREQ("Through the cursor", Scalar(db, "SELECT Description FROM Parts WHERE [Part Key] = 3"));
        EXPECT_STREQ("30", Scalar(db, "SELECT [Count] FROM Parts WHERE [Part Key] = 3"));

        rs.AddNew();
        rs.m_nKey = 50;
        rs.m_strDescription = "Fifty";
        rs.m_nCount = 500;
        rs.m_fSize = 12.5f;
        rs.m_nCode = 5;
        ASSERT_TRUE(rs.Update());
        EXPECT_EQ(3, rs.m_nKey);
        EXPECT_STREQ("Fifty", Scalar(db, "SELECT Description FROM Parts WHERE [Part Key] = 50"));

        rs.Delete();
        EXPECT_TRUE(rs.IsDeleted());
        EXPECT_STREQ("0", Scalar(db, "SELECT count(*) FROM Parts WHERE [Part Key] = 3"));
        EXPECT_STREQ("10", Scalar(db, "SELECT count(*) FROM Parts"));
    });
}

namespace {

// A driver with positioned statements: UPDATE and DELETE ... WHERE CURRENT
// OF are recorded and answered with a chosen row count; everything else
// (the INSERT included) reaches the real driver.
std::vector<std::string> g_positioned;
SQLLEN g_positionedRows = 1;
bool g_lastWasPositioned = false;
std::vector<int> g_cursorNameBuffers;
const char kLongCursorName[] = "KV_POSITIONED_CURSOR_1";  // longer than 18 characters

bool IsPositioned(const std::string& sql)
{
    return sql.find("WHERE CURRENT OF") != std::string::npos;
}
SQLRETURN SQL_API PositionedExec(SQLHSTMT hstmt, SQLCHAR* sql, SQLINTEGER length)
{
    std::string text = (const char*)sql;
    g_lastWasPositioned = IsPositioned(text);
    if (!g_lastWasPositioned)
        return OdbcRealApi().ExecDirect(hstmt, sql, length);
    g_positioned.push_back(text);
    return SQL_SUCCESS;
}
SQLRETURN SQL_API PositionedRowCount(SQLHSTMT hstmt, SQLLEN* rows)
{
    if (!g_lastWasPositioned)
        return OdbcRealApi().RowCount(hstmt, rows);
    *rows = g_positionedRows;
    return SQL_SUCCESS;
}
SQLRETURN SQL_API LongCursorName(SQLHSTMT, SQLCHAR* name, SQLSMALLINT size, SQLSMALLINT* length)
{
    g_cursorNameBuffers.push_back(size);
    const SQLSMALLINT full = (SQLSMALLINT)(sizeof(kLongCursorName) - 1);
    *length = full;
    if (size > full) {
        strcpy((char*)name, kLongCursorName);
        return SQL_SUCCESS;
    }
    memcpy(name, kLongCursorName, (size_t)size - 1);
    name[size - 1] = '\0';
    return SQL_SUCCESS_WITH_INFO;
}

} // namespace

// The write path by built SQL on a second statement, used where the driver
// offers positioned UPDATE and DELETE: the statement names only the changed
// columns, in field order and in the driver's quotes, and the row count it
// reports decides success.
TEST(OdbcPositioned, WritesByBuiltStatements)
{
    Guarded([] {
        std::string path = MakeDatabase("odbc_positioned", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        db.m_dwUpdateOptions = CDatabase::updatePositioned;
        OdbcApiOverride restore;
        g_odbc.ExecDirect = &PositionedExec;
        g_odbc.RowCount = &PositionedRowCount;
        g_odbc.GetCursorName = &LongCursorName;
        g_positioned.clear();
        g_cursorNameBuffers.clear();
        g_positionedRows = 1;

        CPartRecords rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::snapshot));
        ASSERT_FALSE(rs.IsKeyed());
        ASSERT_TRUE(rs.CanUpdate());
        rs.MoveNext();
        rs.Edit();
        rs.m_nCount = 7;
        rs.m_strDescription = "Changed";
        ASSERT_TRUE(rs.Update());
        ASSERT_EQ(1u, g_positioned.size());
        EXPECT_EQ("UPDATE \"Parts\" SET \"Description\"=?,\"Count\"=?  WHERE CURRENT OF KV_POSITIONED_CURSOR_1",
                  g_positioned[0]);
        // The cursor name is asked once: a 19-byte buffer, then one that fits.
        EXPECT_EQ((std::vector<int>{19, (int)sizeof(kLongCursorName)}), g_cursorNameBuffers);

        // The count of rows written decides; a failed write keeps the edit.
        struct
        {
            SQLLEN rows;
            long code;
        } counts[] = {{0, AFX_SQL_ERROR_NO_ROWS_AFFECTED}, {2, AFX_SQL_ERROR_MULTIPLE_ROWS_AFFECTED}, {-1, 0}};
        for (auto& c : counts) {
            rs.Edit();
            rs.m_nCode = (BYTE)(40 + c.rows);
            g_positionedRows = c.rows;
            EXPECT_EQ(c.code, CatchDB([&] { rs.Update(); }).code) << c.rows;
            if (c.code) {
                EXPECT_EQ(CRecordset::edit, rs.GetEditMode()) << c.rows;
                EXPECT_TRUE(rs.IsFieldDirty(&rs.m_nCode)) << c.rows;
                rs.CancelUpdate();
            } else
                EXPECT_EQ(CRecordset::noMode, rs.GetEditMode());
        }
        EXPECT_EQ(2u, g_cursorNameBuffers.size());
        g_positionedRows = 1;

        // An addition inserts only the fields given, with parameter markers.
        rs.AddNew();
        rs.m_nKey = 60;
        rs.m_strDescription = "Sixty";
        ASSERT_TRUE(rs.Update());
        EXPECT_EQ(2, rs.m_nKey);
        EXPECT_STREQ("Sixty", Scalar(db, "SELECT Description FROM Parts WHERE [Part Key] = 60"));
        EXPECT_STREQ("NULL", Scalar(db, "SELECT [Count] FROM Parts WHERE [Part Key] = 60"));

        size_t before = g_positioned.size();
        rs.Delete();
        ASSERT_EQ(before + 1, g_positioned.size());
        EXPECT_EQ("DELETE FROM \"Parts\" WHERE CURRENT OF KV_POSITIONED_CURSOR_1", g_positioned.back());
        EXPECT_TRUE(rs.IsDeleted());
        EXPECT_TRUE(rs.IsFieldNull(&rs.m_nCount));
    });
}
