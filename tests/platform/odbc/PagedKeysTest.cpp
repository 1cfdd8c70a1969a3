// A sorted dynaset on SQLite reads its keys a page at a time: it counts its
// rows when it opens and reads the keys of later rows as it moves to them.
// Membership stays what it was at open (writes through the connection wait
// for the keys), rows of equal sort values keep one order across pages, and
// the set tells its row count and a key's place without moving, and its
// fields can be read for every row at once.
#include "tests/support/ScratchDatabase.h"
#include "platform/odbc/OZUStatement.h"

#include <set>

using namespace odbctest;
using kvtest::ConnectStringFor;

namespace {

// More rows than the first page of keys.
const int kRows = 2500;

class PagedKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = MakeDatabase("odbc_paged", PartsTable(kRows));
        db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
    }
    // Opens a dynaset of Parts sorted by the given order.
    void Open(CPartRecords& rs, const char* sort)
    {
        rs.m_strSort = sort;
        ASSERT_TRUE(rs.Open(CRecordset::dynaset));
        ASSERT_TRUE(rs.IsKeyed());
    }
    // The keys of the set from its first row to its end; a deleted row as 0.
    static std::vector<long> Walk(CPartRecords& rs)
    {
        std::vector<long> keys;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            keys.push_back(rs.IsDeleted() ? 0 : rs.m_nKey);
        return keys;
    }
    std::string path;
    CDatabase db;
};

} // namespace

TEST_F(PagedKeys, ASortedSetKnowsItsRowsAndReadsThemAllInOrder)
{
    Guarded([&] {
        CPartRecords rs(&db);
        Open(rs, "[Count] DESC");
        EXPECT_EQ(kRows, rs.GetKeyedRowCount());
        EXPECT_EQ(kRows, rs.m_nKey);
        rs.MoveLast();
        EXPECT_EQ(1, rs.m_nKey);
        rs.SetAbsolutePosition(1800);
        EXPECT_EQ(kRows - 1799, rs.m_nKey);
        std::vector<long> keys = Walk(rs);
        ASSERT_EQ((size_t)kRows, keys.size());
        for (int i = 0; i < kRows; ++i)
            EXPECT_EQ(kRows - i, keys[(size_t)i]) << i;
        EXPECT_EQ(kRows - 1, rs.FindKeyedRow("Parts", 1));
        EXPECT_EQ(-1, rs.FindKeyedRow("Parts", kRows + 1));
        EXPECT_EQ(-1, rs.FindKeyedRow("Other", 1));
    });
}

TEST_F(PagedKeys, AKeysPlaceIsToldWhetherItsPageIsReadOrNot)
{
    Guarded([&] {
        CPartRecords rs(&db);
        Open(rs, "[Count] DESC");
        // Fresh: a key of the first page, then one of the last, then the
        // first again and one in between once every key is read.
        EXPECT_EQ(5, rs.FindKeyedRow("Parts", kRows - 5));
        EXPECT_EQ(kRows - 1, rs.FindKeyedRow("Parts", 1));
        EXPECT_EQ(5, rs.FindKeyedRow("Parts", kRows - 5));
        EXPECT_EQ(1500, rs.FindKeyedRow("Parts", kRows - 1500));
        EXPECT_EQ(-1, rs.FindKeyedRow("Parts", kRows + 1));
    });
}

TEST_F(PagedKeys, RowsOfEqualSortValuesComeInOneOrderAcrossPages)
{
    Guarded([&] {
        // Three sort values over every row: each page boundary falls among
        // rows of equal values.
        db.ExecuteSQL("UPDATE Parts SET [Code] = [Part Key] % 3");
        CPartRecords rs(&db);
        Open(rs, "[Code]");
        std::vector<long> keys = Walk(rs);
        ASSERT_EQ((size_t)kRows, keys.size());
        EXPECT_EQ((size_t)kRows, std::set<long>(keys.begin(), keys.end()).size());
        for (size_t i = 1; i < keys.size(); ++i) {
            if (keys[i - 1] % 3 == keys[i] % 3) {
                EXPECT_LT(keys[i - 1], keys[i]) << i;
            }
        }
    });
}

TEST_F(PagedKeys, AWriteThroughTheConnectionLeavesTheMembershipAsItWasAtOpen)
{
    Guarded([&] {
        CPartRecords rs(&db);
        Open(rs, "[Description]");
        std::vector<long> before;
        {
            CPartRecords all(&db);
            all.m_strSort = "[Description]";
            all.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
            for (; !all.IsEOF(); all.MoveNext())
                before.push_back(all.m_nKey);
        }
        // Written before the set read the keys of its later pages: a row
        // that sorts among them, by a statement and by a prepared one, and a
        // row of them deleted.
        db.ExecuteSQL("INSERT INTO Parts VALUES (9001, 'Item 2000a', 0, 0, 0)");
        OZUStatement insert(&db, "INSERT INTO Parts ([Part Key], [Description]) VALUES (?, ?)");
        insert.SetLong(1, 9002);
        insert.SetText(2, "Item 1999a");
        EXPECT_EQ(1, insert.Execute());
        db.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] = 2400");
        std::vector<long> keys = Walk(rs);
        ASSERT_EQ(before.size(), keys.size());
        for (size_t i = 0; i < keys.size(); ++i)
            EXPECT_EQ(before[i] == 2400 ? 0 : before[i], keys[i]) << i;
        EXPECT_EQ(kRows, rs.GetKeyedRowCount());
        // The new rows join at the next Requery.
        ASSERT_TRUE(rs.Requery());
        EXPECT_EQ(kRows + 1, rs.GetKeyedRowCount());
        EXPECT_GE(rs.FindKeyedRow("Parts", 9001), 0);
    });
}

TEST_F(PagedKeys, AnotherConnectionsChangesBeforeTheLaterPagesLoseAndRepeatNoRow)
{
    Guarded([&] {
        CPartRecords rs(&db);
        Open(rs, "[Size]");
        // Another program deletes a row of the later pages and adds one
        // that sorts before them: the rows read so far keep their places,
        // every other row of the set is still found once, and the count
        // stays (a place no row is left for reads as a deleted row).
        CDatabase other;
        other.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        rs.SetAbsolutePosition(10);
        other.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] = 2000");
        other.ExecuteSQL("DELETE FROM Parts WHERE [Part Key] = 2001");
        other.ExecuteSQL("INSERT INTO Parts VALUES (9100, 'Late', 0, 300.1, 0)");
        other.Close();
        std::vector<long> keys = Walk(rs);
        ASSERT_EQ((size_t)kRows, keys.size());
        for (int i = 0; i < 1000; ++i)
            EXPECT_EQ(i + 1, keys[(size_t)i]);
        std::set<long> seen;
        int deleted = 0;
        for (long key : keys) {
            if (key == 0) {
                ++deleted;
            } else {
                EXPECT_TRUE(seen.insert(key).second) << key << " twice";
            }
        }
        EXPECT_EQ(1, deleted);
        for (long key = 1; key <= kRows; ++key)
            EXPECT_EQ(key != 2000 && key != 2001, seen.count(key) == 1) << key;
        EXPECT_EQ(1u, seen.count(9100));
    });
}

TEST_F(PagedKeys, AnEditedRowOfALaterPageIsWrittenAndTheOthersStay)
{
    Guarded([&] {
        CPartRecords rs(&db);
        Open(rs, "[Part Key]");
        rs.SetAbsolutePosition(2200);
        rs.Edit();
        rs.m_strDescription = "Edited";
        ASSERT_TRUE(rs.Update());
        rs.AddNew();
        rs.m_strDescription = "Added";
        ASSERT_TRUE(rs.Update());
        EXPECT_EQ(kRows + 1, rs.GetKeyedRowCount());
        rs.MoveLast();
        EXPECT_STREQ("Added", rs.m_strDescription);
        rs.SetAbsolutePosition(2200);
        EXPECT_STREQ("Edited", rs.m_strDescription);
        EXPECT_STREQ("Edited", Scalar(db, "SELECT [Description] FROM Parts WHERE [Part Key] = 2200"));
        EXPECT_EQ((size_t)kRows + 1, Walk(rs).size());
    });
}

TEST_F(PagedKeys, AScanGivesEveryRowsFieldsAsTheSetReadsThem)
{
    Guarded([&] {
        db.ExecuteSQL("UPDATE Parts SET [Size] = NULL WHERE [Part Key] = 7");
        CPartRecords rs(&db);
        rs.m_strFilter = "[Count] > 0";
        Open(rs, "[Count] DESC");
        // A row that no longer meets the set's query is not given.
        db.ExecuteSQL("UPDATE Parts SET [Count] = -1 WHERE [Part Key] = 100");
        std::map<long, std::vector<CString>> rows;
        ASSERT_TRUE(rs.ScanKeyedRows({1, 3}, [&](long nPlace, const std::vector<CString>& values) {
            rows[nPlace] = values;
            return true;
        }));
        ASSERT_EQ((size_t)kRows - 1, rows.size());
        EXPECT_EQ(0u, rows.count(kRows - 100));
        // Place 0 is the largest count: key kRows.
        EXPECT_EQ(CString("Item 2500"), rows[0][1]);
        EXPECT_EQ(CString("625"), rows[0][3]);
        EXPECT_EQ(CString(""), rows[0][0]);  // not asked for
        EXPECT_EQ(CString(""), rows[kRows - 7][3]);  // null
        EXPECT_EQ(CString("2.25"), rows[kRows - 9][3]);
        int nVisited = 0;
        EXPECT_FALSE(rs.ScanKeyedRows({1}, [&](long, const std::vector<CString>&) { return ++nVisited < 10; }));
        EXPECT_EQ(10, nVisited);

        CPartRecords snapshot(&db);
        snapshot.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
        EXPECT_FALSE(snapshot.ScanKeyedRows({1}, [](long, const std::vector<CString>&) { return true; }));
    });
}
