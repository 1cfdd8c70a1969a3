// Merges that go wrong part-way, merges of a whole database, and files that
// are not component databases.
#include "tests/support/MergeFixture.h"

#include "tests/support/TestSupport.h"

#include "platform/odbc/ODBCApi.h"

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

TEST_F(MergeTest, RowsThatFailAreUndoneAndReportedAndTheMergeGoesOn)
{
    RunSqlOn(m_target, Refuse("fail_item", "BEFORE INSERT ON Components WHEN RTRIM(NEW.[Description]) = 'Broken item'",
                              "item refused") +
                           Refuse("fail_type", "BEFORE INSERT ON PipeTable WHEN NEW.[Type] = 'PVC'", "type refused"));
    RunSqlOn(m_source, std::string(kKitSource) + "INSERT INTO [PipeTable] ([Type]) VALUES ('PVC');\n"
                                                 "INSERT INTO [PipeTable] ([Type]) VALUES ('PE');\n");
    std::string report = Merge();

    EXPECT_EQ(DBDatabase::mergeCompleted, m_outcome);
    // The kit and its good item were written before its broken item
    // failed: both are gone again. The components after it are merged, the
    // good item too as a component of its own; the broken one fails again.
    EXPECT_EQ("First;Good item;Last", QueryRows(m_target, "SELECT RTRIM([Description]) FROM Components ORDER BY 1"));
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Assemblies"));
    EXPECT_TRUE(Contains(report, "Added:   [First]\r\nAdded:   [Kit2]\r\n  Added:   [Good item]\r\n  "
                                 "----------------------------\r\nDatabase Error: [Kit2] was not merged, nor "
                                 "anything it brings in: item refused"))
        << report;
    EXPECT_TRUE(Contains(report, "Added:   [Good item]\r\n----------------------------\r\nDatabase Error: "
                                 "[Broken item] was not merged, nor anything it brings in: item refused"))
        << report;
    EXPECT_TRUE(Contains(report, "----------------------------\r\nAdded:   [Last]\r\n")) << report;
    // A pipe type that fails is left out alone.
    EXPECT_EQ("PE", QueryRows(m_target, "SELECT [Type] FROM PipeTable"));
    EXPECT_TRUE(Contains(report, "Database Error: [PVC] was not merged: type refused")) << report;
    EXPECT_TRUE(Contains(report, "----------------------------\r\nAdded:   [PE]\r\n")) << report;
    // The report ends properly.
    EXPECT_TRUE(Contains(report, "Updating Symbol Table\r\n----------------------------\r\n"
                                 "============================\r\n"));
    // Each failure is told with the name of what failed.
    ASSERT_EQ(3u, m_app.prompts.size());
    EXPECT_EQ(0u, m_app.prompts[0].find("[PVC] was not merged: type refused")) << m_app.prompts[0];
    EXPECT_EQ(0u, m_app.prompts[1].find("[Kit2] was not merged, nor anything it brings in: item refused"))
        << m_app.prompts[1];
    EXPECT_EQ(0u, m_app.prompts[2].find("[Broken item] was not merged, nor anything it brings in: item refused"))
        << m_app.prompts[2];
    EXPECT_EQ(3, m_failures);
    EXPECT_TRUE(m_boxes.Texts().empty());
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
    EXPECT_EQ("Jet,0;Rotor,0", QueryRows(m_target, "SELECT RTRIM([Description]), [Flags] FROM Components ORDER BY 1"));
    long rotor = std::atol(QueryRows(m_target, "SELECT [Component Key] FROM Components WHERE RTRIM([Description]) = 'Rotor'").c_str());
    EXPECT_TRUE(Contains(report, "Added:   [Drip]\r\n----------------------------\r\nDatabase Error: ")) << report;
    EXPECT_TRUE(Contains(report, "tape row refused")) << report;
    EXPECT_TRUE(Contains(report, "Database Error: Tape extra information failed to merge - previous tape removed"));
    EXPECT_TRUE(Contains(report, "nozzle row refused")) << report;
    EXPECT_TRUE(Contains(report, "Database Error: Problem adding nozzles for merged emitter with number [" +
                                     std::to_string(rotor) + "]"))
        << report;
    ASSERT_EQ(2u, m_app.prompts.size());
    EXPECT_TRUE(Contains(m_app.prompts[0], "[Drip]")) << m_app.prompts[0];
    EXPECT_TRUE(Contains(m_app.prompts[0], "tape row refused")) << m_app.prompts[0];
    EXPECT_TRUE(Contains(m_app.prompts[1], "[Rotor]")) << m_app.prompts[1];
    EXPECT_TRUE(Contains(m_app.prompts[1], "nozzle row refused")) << m_app.prompts[1];
}

TEST_F(MergeTest, TapeThatCannotBeRemovedAgainLeavesNothingBehind)
{
    RunSqlOn(m_target, Refuse("fail_tape", "BEFORE INSERT ON Tapes", "tape row refused") +
                           Refuse("keep_components", "BEFORE DELETE ON Components", "delete refused"));
    RunSqlOn(m_source, kTapeAndEmitterSource);
    std::string report = Merge();

    EXPECT_EQ(DBDatabase::mergeCompleted, m_outcome);
    EXPECT_EQ("Jet;Rotor", QueryRows(m_target, "SELECT RTRIM([Description]) FROM Components ORDER BY 1"));
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Tapes"));
    EXPECT_TRUE(Contains(report, "Database Error: [Drip] was not merged")) << report;
    EXPECT_TRUE(Contains(report, "delete refused")) << report;
}

namespace {

// Another program that starts reading the target while the merge runs
// (after the given number of progress steps) and keeps its read open, so
// that the merge cannot commit.
class ReaderArrives : public DBProgressSink
{
public:
    ReaderArrives(const std::string& path, int nAfterSteps) : m_nAfter(nAfterSteps)
    {
        m_db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
    }
    ~ReaderArrives() override
    {
        if (m_bReading)
            m_db.ExecuteSQL("ROLLBACK");
        m_db.Close();
    }
    void StepProgress() override
    {
        if (++m_nSteps != m_nAfter)
            return;
        m_db.ExecuteSQL("BEGIN");
        m_bReading = true;
        CRecordset rs(&m_db);
        rs.Open(CRecordset::forwardOnly, "SELECT COUNT(*) FROM Symbols", CRecordset::readOnly);
        rs.Close();
    }

private:
    CDatabase m_db;
    int m_nAfter;
    int m_nSteps = 0;
    bool m_bReading = false;
};

} // namespace

TEST_F(MergeTest, TargetLockedByAnotherProgramStopsTheMergeAndSaysWhatWasNotMerged)
{
    RunSqlOn(m_source, "INSERT INTO [PipeTable] ([Type]) VALUES ('PE');\n"
                       "INSERT INTO [Components] ([Database Number], [Description]) VALUES (2, 'Valve');\n"
                       "INSERT INTO [Components] ([Database Number], [Description]) VALUES (3, 'Filter');\n"
                       "INSERT INTO [Components] ([Database Number], [Description]) VALUES (2, 'Gate');\n");
    std::string report;
    DWORD wait = OZUDatabase::GetDefaultLockTimeout();
    OZUDatabase::SetDefaultLockTimeout(0);  // fail at once rather than wait
    {
        // The other program arrives once the pipe type and the first
        // component are merged.
        ReaderArrives reader(m_target, 2);
        report = Merge(&reader);
    }
    OZUDatabase::SetDefaultLockTimeout(wait);

    EXPECT_EQ(DBDatabase::mergeStopped, m_outcome);
    // The pipe type was committed with its section; the components were
    // not, and none of them is in the target or listed as merged.
    EXPECT_EQ("PE", QueryRows(m_target, "SELECT [Type] FROM PipeTable"));
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Components"));
    EXPECT_TRUE(Contains(report, "Added:   [PE]\r\n")) << report;
    EXPECT_FALSE(Contains(report, "[Valve]\r\n")) << report;
    std::string stopped = "Database Error: The merge stopped here: The database '" + m_target +
                          "' is in use: another program holds it locked";
    EXPECT_TRUE(Contains(report, "Merging Component Table\r\n----------------------------\r\n"
                                 "----------------------------\r\n" + stopped))
        << report;
    EXPECT_TRUE(Contains(report, "Nothing from [Valve] on was merged; everything listed before this was.")) << report;
    // The same is said at once.
    ASSERT_EQ(1u, m_app.prompts.size());
    EXPECT_TRUE(Contains(m_app.prompts[0], m_target)) << m_app.prompts[0];
    EXPECT_TRUE(Contains(m_app.prompts[0], "another program holds it locked")) << m_app.prompts[0];
    EXPECT_TRUE(Contains(m_app.prompts[0], "Nothing from [Valve] on was merged")) << m_app.prompts[0];
    EXPECT_TRUE(m_boxes.Texts().empty());
}

namespace {

// The driver's Prepare, failing for the query that reads the key of a row
// just inserted.
SQLRETURN SQL_API RefuseKeyRead(SQLHSTMT hstmt, SQLCHAR* sql, SQLINTEGER length)
{
    if (std::string((const char*)sql).find("last_insert_rowid") != std::string::npos)
        return SQL_ERROR;
    return OdbcRealApi().Prepare(hstmt, sql, length);
}

} // namespace

// A component that brings nothing with it is written without a savepoint of
// its own: when it cannot be finished after its row was written, only the
// transaction can undo that row, so the merge stops, and nothing from the
// transaction's first item on stays or is listed as merged.
TEST_F(MergeTest, ComponentWhoseKeyCannotBeReadStopsTheMergeAndLeavesNothingOfIt)
{
    RunSqlOn(m_source, "INSERT INTO [PipeTable] ([Type]) VALUES ('PE');\n"
                       "INSERT INTO [Components] ([Database Number], [Description]) VALUES (2, 'Valve');\n"
                       "INSERT INTO [Components] ([Database Number], [Description]) VALUES (3, 'Filter');\n");
    std::string report;
    {
        OdbcApiOverride restore;
        g_odbc.Prepare = &RefuseKeyRead;
        report = Merge();
    }

    EXPECT_EQ(DBDatabase::mergeStopped, m_outcome);
    EXPECT_EQ("PE", QueryRows(m_target, "SELECT [Type] FROM PipeTable"));
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Components"));
    EXPECT_FALSE(Contains(report, "[Valve]\r\n")) << report;
    EXPECT_FALSE(Contains(report, "[Filter]")) << report;
    EXPECT_TRUE(Contains(report, "Nothing from [Valve] on was merged")) << report;
    ASSERT_EQ(1u, m_app.prompts.size());
    EXPECT_TRUE(Contains(m_app.prompts[0], "Nothing from [Valve] on was merged")) << m_app.prompts[0];
}

namespace {

// Progress that fails once the given number of steps were made.
class FailingProgress : public DBProgressSink
{
public:
    explicit FailingProgress(int nAfterSteps) : m_nAfter(nAfterSteps) {}
    void StepProgress() override
    {
        if (++m_nSteps == m_nAfter)
            AfxThrowUserException();
    }

private:
    int m_nAfter;
    int m_nSteps = 0;
};

} // namespace

TEST_F(MergeTest, SectionCutShortKeepsWhatItMergedAndTheMergeGoesOn)
{
    RunSqlOn(m_source, "INSERT INTO [Components] ([Database Number], [Description]) VALUES (2, 'Valve');\n"
                       "INSERT INTO [Components] ([Database Number], [Description]) VALUES (3, 'Filter');\n"
                       "INSERT INTO [Components] ([Database Number], [Description]) VALUES (2, 'Gate');\n"
                       "INSERT INTO [Symbols] ([Key], [Name]) VALUES (4, 'Tap');\n");
    FailingProgress progress(2);
    std::string report = Merge(&progress);

    EXPECT_EQ(DBDatabase::mergeCompleted, m_outcome);
    EXPECT_EQ("Filter;Valve", QueryRows(m_target, "SELECT RTRIM([Description]) FROM Components ORDER BY 1"));
    EXPECT_TRUE(Contains(report, "Added:   [Valve]\r\nAdded:   [Filter]\r\n----------------------------\r\n"
                                 "Database Error: The rest of this table was not merged"))
        << report;
    EXPECT_FALSE(Contains(report, "[Gate]")) << report;
    EXPECT_TRUE(Contains(report, "Updating Symbol Table")) << report;
}

TEST_F(MergeTest, TargetThatCannotBeWrittenIsRefusedWithTheReason)
{
    using kvtest::UnwritableFile;
    for (UnwritableFile::How how : UnwritableFile::ways) {
        SCOPED_TRACE(UnwritableFile::Name(how));
        std::string before = FileBytes(m_target);
        UnwritableFile unwritable(m_target, how);
        // Neither a merge nor a clean takes it (both open it so).
        std::string message;
        try {
            DBDatabase db(m_target.c_str(), DBDatabase::openFile);
            ADD_FAILURE() << "opened for writing";
        } catch (CDBException* e) {
            message = e->m_strError.str();
            e->Delete();
        }
        EXPECT_TRUE(Contains(message, m_target)) << message;
        EXPECT_TRUE(Contains(message, UnwritableFile::Reason(how))) << message;
        // As a merge's source it is read.
        DBDatabase source(m_target.c_str(), DBDatabase::openFile | DBDatabase::openAsReadOnly);
        EXPECT_TRUE(source.IsOpen());
        EXPECT_EQ(0, source.GetComponentCount());
        EXPECT_EQ(before, FileBytes(m_target));
    }
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

namespace {

// Reads the report as it is on the disk at each step of the merge, with the
// rows another connection sees committed in the target then.
class ReportOnDisk : public DBProgressSink
{
public:
    ReportOnDisk(const std::string& target, const std::string& report) : m_report(report)
    {
        m_db.OpenEx(ConnectStringFor(target).c_str(), CDatabase::noOdbcDialog);
    }
    void StepProgress() override
    {
        // The report is open for writing: read it beside its writer.
        std::string text;
        HANDLE h = ::CreateFileA(m_report.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            char buffer[65536];
            DWORD got = 0;
            while (::ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0)
                text.append(buffer, got);
            ::CloseHandle(h);
        }
        steps.push_back({CountOf(text, "Added:   ["),
                         (int)kvtest::QueryLong(m_db, "SELECT (SELECT COUNT(*) FROM Components) + "
                                                      "(SELECT COUNT(*) FROM PipeTable)")});
    }
    struct Step
    {
        int reported;
        int committed;
    };
    std::vector<Step> steps;

private:
    std::string m_report;
    CDatabase m_db;
};

std::string SourceOf(const char* kind, int count, int databaseNumber)
{
    std::string sql;
    for (int n = 1; n <= count; ++n)
        sql += std::string("INSERT INTO [Components] ([Database Number], [Description]) VALUES (") +
               std::to_string(databaseNumber) + ", '" + kind + " " + std::to_string(n) + "');\n";
    return sql;
}

} // namespace

// The report is on the disk with what is committed, at every step: a merge
// killed at any moment leaves a report that lists every row it committed.
TEST_F(MergeTest, ReportReachesTheDiskWithEachCommit)
{
    RunSqlOn(m_source, "INSERT INTO [PipeTable] ([Type]) VALUES ('PE');\n"
                       "INSERT INTO [PipeTable] ([Type]) VALUES ('PVC');\n" +
                           SourceOf("Valve", 40, 2));
    ReportOnDisk disk(m_target, m_app.GetRootPath().str() + DBDatabase::ReportFileName().str());
    const std::string report = Merge(&disk);
    EXPECT_EQ(DBDatabase::mergeCompleted, m_outcome);
    EXPECT_EQ(42, CountOf(report, "Added:   ["));
    ASSERT_FALSE(disk.steps.empty());
    for (size_t i = 0; i < disk.steps.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GE(disk.steps[i].reported, disk.steps[i].committed);
    }
    // The pipe types were committed with their section, before the first
    // component's step.
    EXPECT_EQ(2, disk.steps[2].committed);
}

// When every component fails for one cause, the first few failures are told
// one by one, each naming its component; then the user answers once for
// the rest: go on without more messages, or stop, keeping what was merged
// before (also in the transaction that was open).
TEST_F(MergeTest, ManyFailuresAreToldOnceForTheRest)
{
    struct Case
    {
        int answer;
        DBDatabase::MergeOutcome outcome;
        int failures;
        const char* merged;
    };
    for (const Case& c : {Case{IDYES, DBDatabase::mergeCompleted, 8, "Filter 1;Filter 2;Filter 3"},
                          Case{IDNO, DBDatabase::mergeStoppedByUser, 4, "Filter 1;Filter 2"}}) {
        SCOPED_TRACE(c.answer);
        for (const std::string& path : {m_source, m_target})
            ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Skeleton.sqlite"), path));
        RunSqlOn(m_target, Refuse("full", "BEFORE INSERT ON Components WHEN NEW.[Database Number] = 2",
                                  "database or disk is full"));
        RunSqlOn(m_source, "INSERT INTO [PipeTable] ([Type]) VALUES ('PE');\n" + SourceOf("Filter", 2, 3) +
                               SourceOf("Valve", 8, 2) +
                               "INSERT INTO [Components] ([Database Number], [Description]) VALUES (3, 'Filter 3');\n");
        m_app.prompts.clear();
        m_app.answers = {IDOK, IDOK, IDOK, c.answer};
        const std::string report = Merge();

        EXPECT_EQ(c.outcome, m_outcome);
        EXPECT_EQ(c.failures, m_failures);
        ASSERT_EQ(4u, m_app.prompts.size());
        for (int n = 0; n < 4; ++n)
            EXPECT_TRUE(Contains(m_app.prompts[n], "[Valve " + std::to_string(n + 1) + "] was not merged"))
                << m_app.prompts[n];
        EXPECT_TRUE(Contains(m_app.prompts[3], "More items could not be merged")) << m_app.prompts[3];
        EXPECT_EQ(c.failures, CountOf(report, "] was not merged, nor anything it brings in: database or disk is full"))
            << report;
        EXPECT_EQ("PE", QueryRows(m_target, "SELECT [Type] FROM PipeTable"));
        EXPECT_EQ(c.merged, QueryRows(m_target, "SELECT RTRIM([Description]) FROM Components ORDER BY 1"));
        EXPECT_EQ(c.answer == IDNO, Contains(report, "stopped here at the user's request")) << report;
    }
}
