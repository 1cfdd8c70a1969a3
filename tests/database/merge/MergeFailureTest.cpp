// Merges that go wrong part-way, merges of a whole database, and files that
// are not component databases.
#include "tests/support/MergeFixture.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace mergetest;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

int CountOf(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Row counts of every merged table.
std::string TableCounts(const std::string& path)
{
    return QueryRows(path, "SELECT (SELECT COUNT(*) FROM Components), (SELECT COUNT(*) FROM Tapes), "
                           "(SELECT COUNT(*) FROM Nozzles), (SELECT COUNT(*) FROM Assemblies), "
                           "(SELECT COUNT(*) FROM Symbols), (SELECT COUNT(*) FROM PipeTable), "
                           "(SELECT COUNT(*) FROM Suppliers)");
}

const char kKitSource[] =
    "INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (1, 2, 'First');\n"
    "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (2, 14, 'Kit2', 1);\n"
    "INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (3, 2, 'Good item');\n"
    "INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (4, 2, 'Broken item');\n"
    "INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (5, 2, 'Last');\n"
    "INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (2, 3, 1);\n"
    "INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (2, 4, 1);\n";

const char kTapeAndEmitterSource[] =
    "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (1, 1, 'Drip', 2);\n"
    "INSERT INTO [Tapes] ([Pipe Key], [Flow Calc Type]) VALUES (1, 'EQ');\n"
    "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (2, 12, 'Rotor', 4);\n"
    "INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (3, 15, 'Jet');\n"
    "INSERT INTO [Nozzles] ([Emitter Key], [Nozzle Key]) VALUES (2, 3);\n";

// A trigger that refuses a write of the target with a message, as a full
// disk or a locked file would.
std::string Refuse(const std::string& name, const std::string& event, const std::string& message)
{
    return "CREATE TRIGGER " + name + " " + event + "\nBEGIN\nSELECT RAISE(ABORT, '" + message + "');\nEND;\n";
}

} // namespace

TEST_F(MergeTest, SampleMergedTwiceAddsNothingTheSecondTime)
{
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_source));
    std::string first = Merge();
    EXPECT_EQ(DBDatabase::mergeCompleted, m_outcome);
    EXPECT_TRUE(Contains(first, "Added:   ["));
    EXPECT_FALSE(Contains(first, "Database Error"));
    // Every tape came with its tape row, every nozzle and item row points
    // at a component of the target.
    EXPECT_EQ(QueryRows(m_source, "SELECT COUNT(*) FROM Tapes"), QueryRows(m_target, "SELECT COUNT(*) FROM Tapes"));
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Components C WHERE C.[Database Number] = 1 AND "
                                       "C.[Flags] = 2 AND NOT EXISTS (SELECT 1 FROM Tapes T WHERE "
                                       "T.[Pipe Key] = C.[Component Key])"));
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Nozzles N WHERE NOT EXISTS (SELECT 1 FROM "
                                       "Components C WHERE C.[Component Key] = N.[Nozzle Key]) OR NOT EXISTS "
                                       "(SELECT 1 FROM Components C WHERE C.[Component Key] = N.[Emitter Key])"));
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Assemblies A WHERE NOT EXISTS (SELECT 1 FROM "
                                       "Components C WHERE C.[Component Key] = A.[Item Key]) OR NOT EXISTS "
                                       "(SELECT 1 FROM Components C WHERE C.[Component Key] = A.[Assembly Key])"));
    EXPECT_EQ(QueryRows(m_source, "SELECT COUNT(*) FROM Assemblies"),
              QueryRows(m_target, "SELECT COUNT(*) FROM Assemblies"));
    std::string counts = TableCounts(m_target);

    std::string second = Merge();
    EXPECT_EQ(DBDatabase::mergeCompleted, m_outcome);
    EXPECT_FALSE(Contains(second, "Added"));
    EXPECT_FALSE(Contains(second, "Updated"));
    EXPECT_FALSE(Contains(second, "Database Error"));
    EXPECT_EQ(counts, TableCounts(m_target));
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(MergeTest, DatabaseMergedIntoItsOwnCopyIsMatchedThroughout)
{
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_source));
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_target));
    std::string counts = TableCounts(m_target);
    std::string report = Merge();
    EXPECT_EQ(DBDatabase::mergeCompleted, m_outcome);
    EXPECT_FALSE(Contains(report, "Added"));
    EXPECT_FALSE(Contains(report, "Database Error"));
    EXPECT_EQ(counts, TableCounts(m_target));
    // One "Matched" line per row of every matched table.
    EXPECT_EQ(QueryRows(m_source, "SELECT (SELECT COUNT(*) FROM Components) + (SELECT COUNT(*) FROM PipeTable) + "
                                  "(SELECT COUNT(*) FROM Suppliers) + (SELECT COUNT(*) FROM Symbols)"),
              std::to_string(CountOf(report, "Matched: [")));
}

TEST_F(MergeTest, WriteFailingInsideAComponentUndoesItAndStopsTheMerge)
{
    RunSqlOn(m_target, Refuse("fail_item", "BEFORE INSERT ON Components WHEN NEW.[Description] = 'Broken item'",
                              "disk full"));
    RunSqlOn(m_source, kKitSource);
    std::string report = Merge();

    EXPECT_EQ(DBDatabase::mergeStopped, m_outcome);
    // The kit and its good item were written before the failure: both are
    // gone again, and nothing after the failure was merged.
    EXPECT_EQ("First", QueryRows(m_target, "SELECT [Description] FROM Components ORDER BY 1"));
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Assemblies"));
    EXPECT_TRUE(Contains(report, "Added:   [First]\r\nAdded:   [Kit2]\r\n  Added:   [Good item]\r\n  "
                                 "----------------------------\r\nDatabase Error: [Kit2] was not merged"))
        << report;
    EXPECT_TRUE(Contains(report, "disk full")) << report;
    EXPECT_FALSE(Contains(report, "[Last]"));
    // The report still ends properly.
    EXPECT_TRUE(Contains(report, "Updating Symbol Table\r\n----------------------------\r\n"
                                 "============================\r\n"));
    ASSERT_EQ(1u, m_boxes.Texts().size());
    EXPECT_TRUE(Contains(m_boxes.Texts()[0], "disk full"));
}

TEST_F(MergeTest, DependentRowsThatCannotBeWrittenAreReportedAndTheirOwnerMended)
{
    RunSqlOn(m_target, Refuse("fail_tape", "BEFORE INSERT ON Tapes", "tape row refused") +
                           Refuse("fail_nozzle", "BEFORE INSERT ON Nozzles", "nozzle row refused"));
    RunSqlOn(m_source, kTapeAndEmitterSource);
    std::string report = Merge();

    EXPECT_EQ(DBDatabase::mergeCompleted, m_outcome);
    // The tape is removed again; the emitter stays, no longer claiming
    // nozzles it does not have; its nozzle is a component of its own.
    EXPECT_EQ("Jet,0;Rotor,0", QueryRows(m_target, "SELECT [Description], [Flags] FROM Components ORDER BY 1"));
    long rotor = std::atol(QueryRows(m_target, "SELECT [Component Key] FROM Components WHERE [Description] = 'Rotor'").c_str());
    EXPECT_TRUE(Contains(report, "Added:   [Drip]\r\n----------------------------\r\nDatabase Error: ")) << report;
    EXPECT_TRUE(Contains(report, "tape row refused")) << report;
    EXPECT_TRUE(Contains(report, "Database Error: Tape extra information failed to merge - previous tape removed"));
    EXPECT_TRUE(Contains(report, "nozzle row refused")) << report;
    EXPECT_TRUE(Contains(report, "Database Error: Problem adding nozzles for merged emitter with number [" +
                                     std::to_string(rotor) + "]"))
        << report;
    EXPECT_EQ(2u, m_boxes.Texts().size());
}

TEST_F(MergeTest, TapeThatCannotBeRemovedAgainLeavesNothingBehind)
{
    RunSqlOn(m_target, Refuse("fail_tape", "BEFORE INSERT ON Tapes", "tape row refused") +
                           Refuse("keep_components", "BEFORE DELETE ON Components", "delete refused"));
    RunSqlOn(m_source, kTapeAndEmitterSource);
    std::string report = Merge();

    EXPECT_EQ(DBDatabase::mergeStopped, m_outcome);
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Components"));
    EXPECT_TRUE(Contains(report, "Database Error: [Drip] was not merged")) << report;
    EXPECT_TRUE(Contains(report, "delete refused")) << report;
}

TEST_F(MergeTest, AccessFileWithoutComponentTablesIsRefusedWithAClearMessage)
{
    std::string nwind = kvtest::DataPath("access/nwind.mdb");
    std::string before = FileBytes(nwind);
    ASSERT_FALSE(before.empty());
    std::string message;
    try {
        DBDatabase source(nwind.c_str(), DBDatabase::openFile | DBDatabase::openAsReadOnly);
        ADD_FAILURE() << "opened as a component database";
    } catch (CDBException* e) {
        message = e->m_strError.str();
        e->Delete();
    }
    EXPECT_TRUE(Contains(message, "not a component database")) << message;
    EXPECT_TRUE(Contains(message, "nwind.mdb")) << message;
    EXPECT_EQ(before, FileBytes(nwind));
}
