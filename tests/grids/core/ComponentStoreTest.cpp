// The component grid's database work without a window, on copies of the
// sample database: the store by key, assembly containment, and the delete
// with the rows that belong to a component, all or nothing.
#include "grids/core/ComponentStore.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kvgrid;

namespace {

class ComponentStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = kvtest::ScratchDir(kvtest::TestName()) + "\\Sample.sqlite";
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_path));
        ASSERT_TRUE(m_db.OpenEx(kvtest::ConnectStringFor(m_path).c_str(), CDatabase::noOdbcDialog));
    }
    void TearDown() override
    {
        if (m_db.IsOpen())
            m_db.Close();
    }

    long Count(const std::string& sql) { return kvtest::QueryLong(m_db, "SELECT count(*) FROM " + sql); }
    std::string Text(const std::string& sql) { return kvtest::QueryText(m_db, sql); }
    void Run(const std::string& sql) { m_db.ExecuteSQL(sql.c_str()); }
    ComponentFields Read(long nKey)
    {
        ComponentFields record;
        EXPECT_TRUE(ReadComponent(&m_db, nKey, record));
        return record;
    }
    TapeFields Tapes(long nKey)
    {
        TapeFields tape;
        CTapeExtras rs(&m_db);
        if (rs.OpenByPipeKey(nKey))
            tape = rs;
        rs.CloseQuietly();
        return tape;
    }
    long Dangling() { return kvtest::CountDanglingComponentLinks(m_db); }

    std::string m_path;
    CDatabase m_db;
};

} // namespace

TEST_F(ComponentStoreTest, StoreByKeyChangesOrAddsOneRowAndSaysWhenToTellTheDesignProgram)
{
    struct Case
    {
        const char* name;
        long key;
        const char* prepare;    // SQL run first ("" none)
        ComponentStoreResult::Outcome outcome;
        bool announce;
    };
    const Case cases[] = {
        { "existing valve", 75, "", ComponentStoreResult::updated, false },
        { "existing pipe", 35, "", ComponentStoreResult::updated, true },
        { "existing tape with its Tapes row", 59, "", ComponentStoreResult::updated, false },
        { "existing tape without a Tapes row", 60, "DELETE FROM Tapes WHERE [Pipe Key] = 60",
          ComponentStoreResult::updated, true },
        { "a key that has gone", 59, "DELETE FROM Components WHERE [Component Key] = 59",
          ComponentStoreResult::added, true },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ComponentFields record = Read(c.key);
        TapeFields tape = Tapes(c.key);
        if (*c.prepare)
            Run(c.prepare);
        long before = Count("Components");
        Run("UPDATE Components SET [Order] = 7 WHERE [Component Key] = " + std::to_string(c.key));
        record.m_strDescription += " (changed)";
        record.m_fReals3 = 2.5f;
        record.m_nOrder = 123;
        tape.m_fTapeReals4 = 0.45f;
        ComponentStoreResult result = StoreComponentByKey(&m_db, record, tape);
        EXPECT_EQ(c.outcome, result.outcome);
        EXPECT_EQ(c.announce, result.bAnnounce != FALSE);
        bool added = c.outcome == ComponentStoreResult::added;
        EXPECT_EQ(before + (added ? 1 : 0), Count("Components"));
        if (added)
            EXPECT_GT(result.nKey, c.key);
        else
            EXPECT_EQ(c.key, result.nKey);
        ComponentFields stored = Read(result.nKey);
        EXPECT_EQ(record.m_strDescription, stored.m_strDescription);
        EXPECT_FLOAT_EQ(2.5f, stored.m_fReals3);
        // The order is not the record's: an existing row keeps its own, a new
        // one gets the default.
        EXPECT_EQ(added ? COMPONENT_DEFAULT_ORDER : 7, stored.m_nOrder);
        if (record.m_nFlags & COMPONENT_FLAG_TAPE)
        {
            EXPECT_EQ(1, Count("Tapes WHERE [Pipe Key] = " + std::to_string(result.nKey)));
            EXPECT_FLOAT_EQ(0.45f, Tapes(result.nKey).m_fTapeReals4);
        }
    }
    // Only the Tapes row of the tape deleted behind the store's back names
    // nothing: the new tape was not given it.
    EXPECT_EQ(1, Count("Tapes WHERE [Pipe Key] = 59"));
    EXPECT_EQ(1, Dangling());
}

TEST_F(ComponentStoreTest, StoreByKeyRefusesATwinAndWritesNothingWhenItFailsPartWay)
{
    // Valve 76 made into a twin of valve 75, whose description has a quote.
    Run("UPDATE Components SET [Description] = 'O''Brien valve' WHERE [Component Key] = 75");
    ComponentFields record = Read(76);
    record.m_strDescription = "O'Brien valve";
    record.m_strWarehouseCode = Read(75).m_strWarehouseCode;
    EXPECT_EQ(ComponentStoreResult::duplicate, StoreComponentByKey(&m_db, record, TapeFields()).outcome);
    EXPECT_EQ("Solenoid valve 25 mm", Text("SELECT RTRIM([Description]) FROM Components WHERE [Component Key] = 76"));
    // Its own description is no twin of itself.
    record = Read(76);
    EXPECT_EQ(ComponentStoreResult::updated, StoreComponentByKey(&m_db, record, TapeFields()).outcome);

    // The Tapes row of a tape cannot be written: its Components row keeps
    // its old values as well.
    Run("DELETE FROM Tapes WHERE [Pipe Key] = 60");
    Run("CREATE TRIGGER refuse BEFORE INSERT ON Tapes BEGIN SELECT RAISE(ABORT, 'refused'); END");
    ComponentFields tape = Read(60);
    tape.m_strDescription = "Drip line renamed";
    bool thrown = false;
    try
    {
        StoreComponentByKey(&m_db, tape, TapeFields());
    }
    catch (CException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_NE("Drip line renamed", Text("SELECT RTRIM([Description]) FROM Components WHERE [Component Key] = 60"));
}

TEST_F(ComponentStoreTest, AnAssemblyContainsTheItemsOfItsItemsAtAnyDepth)
{
    // The sample's zone kit 288 holds manifold 281, which holds valve 76.
    // Added: 282 holds the head works 287 (which holds 76 too), and a loop
    // stored already between 283 and 289.
    Run("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) VALUES (282, 287, 1)");
    Run("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) VALUES (283, 289, 1)");
    Run("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) VALUES (289, 283, 1)");
    struct Case
    {
        long assembly, key;
        bool contains;
    };
    const Case cases[] = {
        { 281, 76, true },    // a direct item
        { 288, 76, true },    // an item of an item
        { 282, 76, true },
        { 288, 281, true },
        { 281, 288, false },  // the other way round
        { 287, 282, false },
        { 289, 283, true },   // a stored loop ends the walk
        { 283, 76, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.contains, AssemblyContains(&m_db, c.assembly, c.key) != FALSE) << c.assembly << " " << c.key;
}

TEST_F(ComponentStoreTest, DeletingRemovesTheRowsOfTheComponentOrNothing)
{
    // Outlet 228 lists only nozzle 182 (and has the nozzle bit); 215 lists
    // 182 among others.
    Run("INSERT INTO Nozzles ([Emitter Key], [Nozzle Key]) VALUES (228, 182)");
    Run("UPDATE Components SET Flags = 4 WHERE [Component Key] = 228");
    // An Assemblies row whose assembly has gone.
    Run("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) VALUES (9999, 121, 1)");
    long components = Count("Components");

    // A failure part-way: the nozzle's own row cannot go.
    Run("CREATE TRIGGER refuse BEFORE DELETE ON Components WHEN old.[Component Key] = 182 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    long links = Count("Nozzles"), rows = Count("Assemblies");
    bool thrown = false;
    try
    {
        DeleteComponents(&m_db, { 281, 182 });
    }
    catch (CException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(components, Count("Components"));
    EXPECT_EQ(links, Count("Nozzles"));
    EXPECT_EQ(rows, Count("Assemblies"));
    Run("DROP TRIGGER refuse");

    // Assembly 281 with its items, nozzle 182, outlet 216 with its nozzle
    // list, tape 59 with its Tapes row, coupler 121 held by assembly 281 and
    // by the assembly that has gone.
    const long nozzleLinks = Count("Nozzles WHERE [Nozzle Key] = 182 AND [Emitter Key] <> 216");
    DeleteComponents(&m_db, { 281, 182, 216, 59, 121 });
    EXPECT_EQ(components - 5, Count("Components"));
    EXPECT_EQ(0, Count("Assemblies WHERE [Assembly Key] = 281 OR [Item Key] = 121"));
    EXPECT_EQ(0, Count("Nozzles WHERE [Emitter Key] = 216"));
    EXPECT_EQ(0, Count("Tapes WHERE [Pipe Key] = 59"));
    // The outlets that listed the nozzle still do, and still have nozzles;
    // those links are the only ones left naming a component that has gone.
    EXPECT_LE(2, nozzleLinks);
    EXPECT_EQ(nozzleLinks, Count("Nozzles WHERE [Nozzle Key] = 182"));
    EXPECT_EQ(1, Count("Nozzles WHERE [Nozzle Key] = 182 AND [Emitter Key] = 228"));
    EXPECT_EQ(nozzleLinks, Dangling());
    EXPECT_EQ(4, kvtest::QueryLong(m_db, "SELECT Flags FROM Components WHERE [Component Key] = 228"));
    EXPECT_EQ(4, kvtest::QueryLong(m_db, "SELECT Flags FROM Components WHERE [Component Key] = 215"));
}

TEST_F(ComponentStoreTest, CopiesOfAssemblyAndNozzleRowsKeepTheirOrderAndQuantities)
{
    EXPECT_EQ(7, CopyAssemblyRows(&m_db, 281, 75));
    EXPECT_EQ(kvtest::QueryRows(m_path, "SELECT [Item Key], [Number/Length] FROM Assemblies WHERE [Assembly Key] = 281"),
              kvtest::QueryRows(m_path, "SELECT [Item Key], [Number/Length] FROM Assemblies WHERE [Assembly Key] = 75"));
    EXPECT_EQ(16, CopyNozzleRows(&m_db, 215, 228));
    EXPECT_EQ(kvtest::QueryRows(m_path, "SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = 215"),
              kvtest::QueryRows(m_path, "SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = 228"));
    EXPECT_EQ(0, CopyAssemblyRows(&m_db, 76, 75));
}

// After a change failed and the database undid its whole transaction (as it
// may on a full disk; a trigger makes it do so here), the next change is
// still all or nothing: one left uncommitted (the query's No) changes nothing
// on the disk, one the database refuses to commit throws, saying why, and
// keeps nothing either.
TEST_F(ComponentStoreTest, AChangeAfterAFailureIsStillAllOrNothing)
{
    odbctest::Guarded([&] {
        Run("CREATE TRIGGER full BEFORE UPDATE OF [Reals1] ON Components "
            "BEGIN SELECT RAISE(ROLLBACK, 'database or disk is full'); END");
        m_db.Close();
        const std::string original = kvtest::FileBytes(m_path);
        ASSERT_TRUE(m_db.OpenEx(kvtest::ConnectStringFor(m_path).c_str(), CDatabase::noOdbcDialog));
        const long components = Count("Components");
        CString failure;
        try
        {
            CChangeTransaction transaction(&m_db);
            Run("UPDATE Components SET [Reals1] = 0");
            transaction.Commit();
        }
        catch (CDBException* e)
        {
            failure = e->m_strError;
            e->Delete();
        }
        EXPECT_NE(-1, failure.Find("full")) << (LPCSTR)failure;
        {
            CChangeTransaction transaction(&m_db);
            Run("DELETE FROM Components WHERE [Component Key] < 20");
            EXPECT_GT(m_db.GetRowsAffected(), 0);
        }
        EXPECT_EQ(components, Count("Components"));
        EXPECT_TRUE(original == kvtest::FileBytes(m_path));

        // Another program reads the file and keeps it: the commit is refused.
        const DWORD wait = OZUDatabase::GetDefaultLockTimeout();
        OZUDatabase::SetDefaultLockTimeout(0);
        CDatabase reader, writer;
        reader.OpenEx(kvtest::ConnectStringFor(m_path).c_str(), CDatabase::noOdbcDialog);
        writer.OpenEx(kvtest::ConnectStringFor(m_path).c_str(), CDatabase::noOdbcDialog);
        OZUDatabase::SetDefaultLockTimeout(wait);
        ASSERT_TRUE(reader.BeginTrans());
        EXPECT_EQ(components, kvtest::QueryLong(reader, "SELECT count(*) FROM Components"));
        failure.Empty();
        try
        {
            CChangeTransaction transaction(&writer);
            writer.ExecuteSQL("DELETE FROM Components WHERE [Component Key] < 20");
            transaction.Commit();
        }
        catch (CDBException* e)
        {
            failure = e->m_strError;
            e->Delete();
        }
        EXPECT_EQ(0, failure.Find("The changes could not be saved in the database: ")) << (LPCSTR)failure;
        EXPECT_NE(-1, failure.Find("locked")) << (LPCSTR)failure;
        EXPECT_NE(-1, failure.Find("None of them were kept.")) << (LPCSTR)failure;
        EXPECT_TRUE(reader.CommitTrans());
        EXPECT_EQ(0, writer.GetTransactionDepth());
        EXPECT_EQ(components, kvtest::QueryLong(writer, "SELECT count(*) FROM Components"));
        writer.Close();
        reader.Close();
        m_db.Close();
        EXPECT_TRUE(original == kvtest::FileBytes(m_path));
    });
}

// A twin has the database number and the description and warehouse code
// without their trailing blanks, compared without regard to case; the last
// of several twins is named, and the component itself can be left out.
TEST_F(ComponentStoreTest, ADuplicateHasTheSameNumberAndTextsUpToTheirTrailingBlanks)
{
    Run("INSERT INTO Components ([Component Key], [Database Number], [Description], [Warehouse Code]) VALUES "
        "(9001, 2, 'Twin valve  ', 'TW-1'), (9002, 2, 'Twin valve', 'TW-1   '), (9003, 3, 'Twin valve', 'TW-1'), "
        "(9004, 2, ' Twin valve', 'TW-1')");
    struct Case
    {
        const char* description;
        const char* code;
        long number;
        long exclude;
        long twin;
    };
    const Case cases[] = {
        { "Twin valve", "TW-1", 2, -1, 9002 },
        { "Twin valve    ", "TW-1 ", 2, -1, 9002 },
        { "Twin valve", "TW-1", 2, 9002, 9001 },
        { "Twin valve", "TW-1", 3, -1, 9003 },
        { "Twin valve", "TW-1", 3, 9003, -1 },
        { "TWIN VALVE", "TW-1", 2, -1, 9002 },
        { "Twin valve", "tw-1", 2, -1, 9002 },
        { " Twin valve", "TW-1", 2, -1, 9004 },
        { "Twin valv", "TW-1", 2, -1, -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.twin, FindDuplicateComponent(&m_db, c.description, c.code, c.number, c.exclude))
            << "'" << c.description << "' '" << c.code << "' " << c.number << " without " << c.exclude;
}
