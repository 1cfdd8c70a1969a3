#include "database/merge/DBPragmaScope.h"
#include "database/merge/DBDatabase.h"
#include "tests/support/MergeFixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace mergetest;

namespace {

// The value of a pragma on this connection (pragmas belong to the
// connection, not to the file).
std::string PragmaOf(CDatabase& db, const char* name)
{
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, CString("SELECT * FROM pragma_") + name, CRecordset::readOnly);
    CString value;
    if (!rs.IsEOF())
        rs.GetFieldValue((short)0, value);
    rs.Close();
    return value.str();
}

class PragmaScopeTest : public MergeTest
{
};

} // namespace

// The setting holds while the scope lives and is put back as it was after;
// a setting SQLite does not know, and no database, change nothing.
TEST_F(PragmaScopeTest, SetsTheValueForItsLifeAndPutsTheOldOneBack)
{
    DBDatabase db(m_target.c_str(), DBDatabase::openFile);
    ASSERT_TRUE(db.IsOpen());
    const std::string cache = PragmaOf(db, "cache_size");
    const std::string store = PragmaOf(db, "temp_store");
    ASSERT_NE("", cache);
    {
        DBPragmaScope scope(&db, "cache_size", -4096);
        DBPragmaScope memory(&db, "temp_store", 2);
        EXPECT_EQ("-4096", PragmaOf(db, "cache_size"));
        EXPECT_EQ("2", PragmaOf(db, "temp_store"));
    }
    EXPECT_EQ(cache, PragmaOf(db, "cache_size"));
    EXPECT_EQ(store, PragmaOf(db, "temp_store"));

    { DBPragmaScope unknown(&db, "no_such_setting", 1); }
    { DBPragmaScope none(nullptr, "cache_size", 1); }
    EXPECT_EQ(cache, PragmaOf(db, "cache_size"));
    EXPECT_TRUE(m_boxes.Texts().empty());
}

// The clean works with a larger page cache and leaves the connection's as
// it found it.
TEST_F(PragmaScopeTest, TheCleanLeavesTheCacheSizeAsItWas)
{
    RunSqlOn(m_target, "INSERT INTO [Components] ([Component Key], [Database Number], [Description], "
                       "[Warehouse Code]) VALUES (1, 1, 'Pipe', 'ab');\n");
    DBDatabase db(m_target.c_str(), DBDatabase::openFile);
    Attach(db);
    ASSERT_TRUE(db.IsOpen());
    const std::string cache = PragmaOf(db, "cache_size");
    db.Clean();
    EXPECT_EQ(cache, PragmaOf(db, "cache_size"));
    EXPECT_EQ("AB" + std::string(19, ' '), QueryRows(m_target, "SELECT [Warehouse Code] FROM Components"));
}
