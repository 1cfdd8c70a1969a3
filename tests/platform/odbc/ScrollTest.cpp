// Opening and scrolling: the current row, BOF, EOF, the current record and
// the record count, the same for a dynaset (keys kept by the layer on the
// SQLite driver) and a snapshot (the driver's static cursor).
#include "tests/support/ScratchDatabase.h"

using namespace odbctest;
using kvtest::ConnectStringFor;

namespace {

// Dynaset: the layer keeps the keys. Read-only snapshot: the driver's own
// static cursor scrolls.
class Scroll : public ::testing::TestWithParam<UINT>
{
protected:
    bool Open(CRecordset& rs)
    {
        return rs.Open(GetParam(), nullptr, GetParam() == CRecordset::snapshot ? CRecordset::readOnly : 0) != FALSE;
    }
};

enum Op
{
    Next,
    Prev,
    First,
    Last,
    Absolute,
    Relative
};

struct Step
{
    Op op;
    long arg;
    long key;  // 0: no current row
    BOOL bof;
    BOOL eof;
    long current;
    long count;
};

} // namespace

TEST_P(Scroll, MovesAndCurrencyFollowTheRules)
{
    Guarded([&] {
        std::string path = MakeDatabase("odbc_scroll", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CPartRecords rs(&db);
        ASSERT_TRUE(Open(rs));
        EXPECT_EQ(GetParam() == CRecordset::dynaset, rs.IsKeyed() != FALSE);
        EXPECT_EQ(1, rs.m_nKey);
        EXPECT_EQ(0, rs.GetAbsolutePosition());
        EXPECT_EQ(1, rs.GetRecordCount());

        const long U = AFX_CURRENT_RECORD_UNDEFINED;
        const Step steps[] = {
            {Next, 0, 2, FALSE, FALSE, 1, 2},
            {Next, 0, 3, FALSE, FALSE, 2, 3},
            {Prev, 0, 2, FALSE, FALSE, 1, 3},
            {Last, 0, 10, FALSE, FALSE, U, 3},        // end not seen yet: position unknown
            {Next, 0, 0, FALSE, TRUE, U, 3},          // past the end
            {Prev, 0, 10, FALSE, FALSE, U, 3},        // back from EOF
            {First, 0, 1, FALSE, FALSE, 0, 3},
            {Absolute, 5, 5, FALSE, FALSE, 4, 3},
            {Relative, 2, 7, FALSE, FALSE, 6, 7},
            {Relative, -3, 4, FALSE, FALSE, 3, 7},
            {Next, 0, 5, FALSE, FALSE, 4, 7},
            {Next, 0, 6, FALSE, FALSE, 5, 7},
            {Next, 0, 7, FALSE, FALSE, 6, 7},
            {Next, 0, 8, FALSE, FALSE, 7, 8},
            {Next, 0, 9, FALSE, FALSE, 8, 9},
            {Next, 0, 10, FALSE, FALSE, 9, 10},
            {Next, 0, 0, FALSE, TRUE, 9, 10},         // the end is now seen
            {Last, 0, 10, FALSE, FALSE, 9, 10},
            {Absolute, -2, 9, FALSE, FALSE, 8, 10},
            {First, 0, 1, FALSE, FALSE, 0, 10},
            {Prev, 0, 0, TRUE, FALSE, 0, 10},         // before the start
            {Absolute, 11, 0, FALSE, TRUE, U, 10},    // beyond the last row
        };
        int i = 0;
        for (const Step& s : steps) {
            switch (s.op) {
            case Next: rs.MoveNext(); break;
            case Prev: rs.MovePrev(); break;
            case First: rs.MoveFirst(); break;
            case Last: rs.MoveLast(); break;
            case Absolute: rs.SetAbsolutePosition(s.arg); break;
            case Relative: rs.Move(s.arg); break;
            }
            SCOPED_TRACE("step " + std::to_string(i++));
            EXPECT_EQ(s.bof, rs.IsBOF());
            EXPECT_EQ(s.eof, rs.IsEOF());
            if (s.key) {
                EXPECT_EQ(s.key, rs.m_nKey);
                CString expected;
                expected.Format("Item %ld", s.key);
                EXPECT_STREQ(expected, rs.m_strDescription);
                EXPECT_EQ(s.key * 10, rs.m_nCount);
                EXPECT_FLOAT_EQ(s.key / 4.0f, rs.m_fSize);
                EXPECT_EQ(s.key, rs.m_nCode);
            }
            EXPECT_EQ(s.current, rs.GetAbsolutePosition());
            EXPECT_EQ(s.count, rs.GetRecordCount());
        }
        // Past the end: moving on is refused, moving back is not.
        EXPECT_EQ(AFX_SQL_ERROR_NO_DATA_FOUND, CatchDB([&] { rs.MoveNext(); }).code);
        rs.MoveFirst();
        rs.MovePrev();
        EXPECT_EQ(AFX_SQL_ERROR_NO_DATA_FOUND, CatchDB([&] { rs.MovePrev(); }).code);
    });
}

TEST_P(Scroll, EmptyResultIsBothBofAndEof)
{
    Guarded([&] {
        std::string path = MakeDatabase("odbc_empty", PartsTable(0));
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CPartRecords rs(&db);
        ASSERT_TRUE(Open(rs));
        EXPECT_TRUE(rs.IsBOF());
        EXPECT_TRUE(rs.IsEOF());
        EXPECT_EQ(0, rs.GetRecordCount());
        EXPECT_EQ(AFX_SQL_ERROR_NO_DATA_FOUND, CatchDB([&] { rs.MoveNext(); }).code);
        EXPECT_EQ(AFX_SQL_ERROR_NO_DATA_FOUND, CatchDB([&] { rs.MoveFirst(); }).code);
        // Nothing to edit on an empty set.
        if (rs.CanUpdate()) {
            EXPECT_EQ(AFX_SQL_ERROR_NO_CURRENT_RECORD, CatchDB([&] { rs.Edit(); }).code);
        }
    });
}

TEST_P(Scroll, FilterSortAndRequery)
{
    Guarded([&] {
        std::string path = MakeDatabase("odbc_filter", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CPartRecords rs(&db);
        // A filter whose quoted text holds " ORDER BY " does not cut the
        // table name.
        rs.m_strFilter = "[Description] <> ' ORDER BY ' AND [Count] >= Val('50')";
        rs.m_strSort = "[Part Key] DESC";
        ASSERT_TRUE(Open(rs));
        // (The table name is taken only for a set that can be written.)
        EXPECT_STREQ(GetParam() == CRecordset::dynaset ? "[Parts]" : "", rs.GetTableName());
        EXPECT_EQ(GetParam() == CRecordset::dynaset, rs.CanUpdate() != FALSE);
        std::vector<long> keys;
        while (!rs.IsEOF()) {
            keys.push_back(rs.m_nKey);
            rs.MoveNext();
        }
        EXPECT_EQ((std::vector<long>{10, 9, 8, 7, 6, 5}), keys);

        // A changed filter reopens the set with it.
        rs.m_strFilter = "[Part Key] = 3";
        ASSERT_TRUE(rs.Requery());
        EXPECT_EQ(3, rs.m_nKey);
        EXPECT_EQ(1, rs.GetRecordCount());
        rs.MoveNext();
        EXPECT_TRUE(rs.IsEOF());

        // The same filter: executed again, and a row added since is a member.
        db.ExecuteSQL("INSERT INTO Parts VALUES (11, 'Item 3', 110, 2.75, 11)");
        rs.m_strFilter = "[Description] = 'Item 3'";
        rs.m_strSort = "[Part Key]";
        ASSERT_TRUE(rs.Requery());
        db.ExecuteSQL("INSERT INTO Parts VALUES (12, 'Item 3', 120, 3, 12)");
        ASSERT_TRUE(rs.Requery());
        keys.clear();
        while (!rs.IsEOF()) {
            keys.push_back(rs.m_nKey);
            rs.MoveNext();
        }
        EXPECT_EQ((std::vector<long>{3, 11, 12}), keys);
    });
}

INSTANTIATE_TEST_SUITE_P(OpenTypes, Scroll, ::testing::Values(CRecordset::dynaset, CRecordset::snapshot),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                             return info.param == CRecordset::dynaset ? std::string("Dynaset")
                                                                      : std::string("ReadOnlySnapshot");
                         });

TEST(OdbcOpen, UpdatabilityFollowsTheSQL)
{
    Guarded([&] {
        std::string path = MakeDatabase("odbc_updatable", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        struct
        {
            const char* sql;
            DWORD options;
            bool updatable;
            bool appendable;
        } cases[] = {
            {"SELECT * FROM [Parts]", 0, true, true},
            {"SELECT [Code], count(*) FROM Parts GROUP BY [Code]", 0, false, false},
            {"SELECT [Part Key] FROM Parts UNION SELECT [Code] FROM Parts", 0, false, false},
            {"SELECT * FROM [Parts]", CRecordset::readOnly, false, false},
            {"SELECT * FROM [Parts]", CRecordset::appendOnly, false, true},
        };
        for (auto& c : cases) {
            CRecordset rs(&db);
            ASSERT_TRUE(rs.Open(CRecordset::snapshot, c.sql, c.options)) << c.sql;
            EXPECT_EQ(c.updatable, rs.CanUpdate() != FALSE) << c.sql;
            EXPECT_EQ(c.appendable, rs.CanAppend() != FALSE) << c.sql;
        }
        // A bare table name needs bound fields to select.
        CRecordset plain(&db);
        EXPECT_EQ(AFX_SQL_ERROR_EMPTY_COLUMN_LIST, CatchDB([&] { plain.Open(CRecordset::snapshot, "Parts"); }).code);
        EXPECT_FALSE(plain.IsOpen());
        // ... and with them selects exactly those columns, in order.
        CPartRecords parts(&db);
        ASSERT_TRUE(parts.Open(CRecordset::snapshot, "Parts"));
        EXPECT_STREQ("SELECT \"Part Key\",\"Description\",\"Count\",\"Size\",\"Code\"  FROM Parts", parts.GetSQL());
        // Conflicting options are refused.
        CPartRecords bad(&db);
        EXPECT_THROW(bad.Open(CRecordset::dynaset, nullptr, CRecordset::readOnly | CRecordset::appendOnly),
                     CInvalidArgException*);
    });
}

TEST(OdbcOpen, ClosingTheConnectionClosesItsRecordsets)
{
    Guarded([&] {
        std::string path = MakeDatabase("odbc_close", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CPartRecords a(&db), b(&db);
        // Made on an open connection, with a statement, but not open yet.
        EXPECT_TRUE(a.m_hstmt != SQL_NULL_HSTMT);
        EXPECT_FALSE(a.IsOpen());
        ASSERT_TRUE(a.Open());
        ASSERT_TRUE(b.Open(CRecordset::snapshot));
        db.Close();
        EXPECT_FALSE(a.IsOpen());
        EXPECT_FALSE(b.IsOpen());
        EXPECT_EQ(nullptr, a.m_pDatabase);
        EXPECT_TRUE(db.m_listRecordsets.empty());
    });
}

TEST(OdbcOpen, TopOneReadsTheHighestKeyAsText)
{
    Guarded([&] {
        std::string path = MakeDatabase("odbc_top", PartsTable());
        CDatabase db;
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CRecordset rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::snapshot,
                            "SELECT TOP 1 Parts.[Part Key] FROM Parts ORDER BY Parts.[Part Key] DESC;",
                            CRecordset::readOnly));
        CString key;
        rs.GetFieldValue((short)0, key);
        EXPECT_STREQ("10", key);
        rs.MoveNext();
        EXPECT_TRUE(rs.IsEOF());
        // The symbol pickers' statement.
        db.ExecuteSQL("CREATE TABLE Symbols ([Key] INTEGER, [Name] VARCHAR(32))");
        db.ExecuteSQL("INSERT INTO Symbols VALUES (2, 'b')");
        db.ExecuteSQL("INSERT INTO Symbols VALUES (1, 'a')");
        CRecordset symbols(&db);
        ASSERT_TRUE(symbols.Open(CRecordset::snapshot, "SELECT * FROM Symbols ORDER BY Key"));
        CString name;
        symbols.GetFieldValue("Name", name);
        EXPECT_STREQ("a", name);
    });
}
