// The user's SQL without windows: the kind of a statement, the statements of
// a text, and the query file, read and written, whole or damaged.
#include "grids/core/UserQueries.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace kvgrid;

TEST(UserQueries, AStatementIsKnownByItsFirstWordWhateverComesBeforeIt)
{
    struct Case
    {
        const char* text;
        int kind;
    };
    const Case cases[] = {
        { "SELECT * FROM Components", QUERY_SELECT },
        { "select [Description] from Components where [Flags] = 1", QUERY_SELECT },
        { "SELECT*FROM Components", QUERY_SELECT },
        { "select a INTO b from c", QUERY_SELECT_INTO },
        { "SELECT *\r\nINTO Copy\r\nFROM Components", QUERY_SELECT_INTO },
        { "SELECT * FROM Intolerance", QUERY_SELECT },
        { "DELETE FROM Components", QUERY_DELETE },
        { "delete from Components", QUERY_DELETE },
        { "DELETE\tFROM Components", QUERY_DELETE },
        { "DELETE\r\nFROM Components", QUERY_DELETE },
        { "DELETE\nFROM Components", QUERY_DELETE },
        { "   \t\r\n  DELETE FROM Components", QUERY_DELETE },
        { "-- tidy up\r\nDELETE FROM Nozzles", QUERY_DELETE },
        { "/* old rows */ delete FROM Nozzles", QUERY_DELETE },
        { "/* a\r\nlong\r\ncomment */\r\n-- and one more\r\n  UpDaTe Components SET [Order] = 1", QUERY_UPDATE },
        { "UPDATE Components SET [Order] = 2", QUERY_UPDATE },
        { "INSERT INTO Symbols VALUES (1, 'x')", QUERY_INSERT },
        { "ALTER TABLE Components ADD COLUMN Extra TEXT", QUERY_ALTER },
        { "alter\ttable x", QUERY_ALTER },
        { "DROP TABLE Components", QUERY_OTHER },
        { "CREATE TABLE T (a INTEGER)", QUERY_OTHER },
        { "SELECTX", QUERY_OTHER },
        { "DELETED", QUERY_OTHER },
        { "-- only a comment", QUERY_OTHER },
        { "/* unfinished comment SELECT", QUERY_OTHER },
        { "", QUERY_OTHER },
        { "(SELECT 1)", QUERY_OTHER },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.kind, ClassifyQuery(c.text));
    }
    EXPECT_EQ(CString("DELETE "), QueryVerb(QUERY_DELETE));
    EXPECT_EQ(CString("ALTER "), QueryVerb(QUERY_ALTER));
    EXPECT_EQ(CString(""), QueryVerb(QUERY_OTHER));
    EXPECT_EQ(CString("DROP"), QueryFirstWord("  -- x\r\n drop table T"));
}

TEST(UserQueries, ATextIsCutIntoStatementsAtTildesOutsideQuotedText)
{
    struct Case
    {
        const char* text;
        std::vector<const char*> statements;
    };
    const Case cases[] = {
        { "SELECT * FROM Components~DELETE FROM Nozzles", { "SELECT * FROM Components", "DELETE FROM Nozzles" } },
        { "  SELECT 1 \r\n~\r\n~  ~ SELECT 2\r\n", { "SELECT 1", "SELECT 2" } },
        { "SELECT *\r\nFROM Components", { "SELECT *\r\nFROM Components" } },
        // Copies are named with "~": a text holding one is no cut.
        { "SELECT * FROM Components WHERE [Description] LIKE '~%'~DELETE FROM T WHERE a = \"~\"",
          { "SELECT * FROM Components WHERE [Description] LIKE '~%'", "DELETE FROM T WHERE a = \"~\"" } },
        { "SELECT [odd~name] FROM T", { "SELECT [odd~name] FROM T" } },
        { "SELECT 'it''s ~ here'", { "SELECT 'it''s ~ here'" } },
        { "~~", {} },
        { "", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<CString> statements = SplitQueryStatements(c.text);
        ASSERT_EQ(c.statements.size(), statements.size());
        for (size_t i = 0; i < statements.size(); i++)
            EXPECT_EQ(CString(c.statements[i]), statements[i]);
    }
}

namespace {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::pair<std::string, std::string>> Read(CQueryFile& file)
{
    std::vector<std::pair<std::string, std::string>> queries;
    for (const SavedQuery& q : file.GetQueries())
        queries.emplace_back((LPCTSTR)q.title, (LPCTSTR)q.sql);
    return queries;
}

} // namespace

TEST(UserQueries, TheQueryFileKeepsTitlesAndMultiLineStatementsAcrossARestart)
{
    const std::string path = kvtest::ScratchDir(kvtest::TestName()) + "\\Queries.kvq";
    {
        CQueryFile file(path.c_str());
        EXPECT_FALSE(file.Exists());
        EXPECT_TRUE(file.Load());
        EXPECT_EQ(0, file.GetCount());
        file.Add({ "Valves", "SELECT *\r\nFROM Components\r\nWHERE [Database Number] = 2" });
        file.Add({ "Tidy = yes; 50%", "DELETE FROM Nozzles WHERE [Emitter Key] = 0" });
        file.Add({ "Empty", "" });
        ASSERT_TRUE(file.Save());
    }
    EXPECT_EQ("[Query1]\r\nTitle=Valves\r\nSQL=SELECT *\\r\\nFROM Components\\r\\nWHERE [Database Number] = 2\r\n"
              "[Query2]\r\nTitle=Tidy = yes; 50%\r\nSQL=DELETE FROM Nozzles WHERE [Emitter Key] = 0\r\n"
              "[Query3]\r\nTitle=Empty\r\nSQL=\r\n",
              kvtest::FileBytes(path));

    CQueryFile file(path.c_str());
    EXPECT_TRUE(file.Exists());
    ASSERT_TRUE(file.Load());
    EXPECT_FALSE(file.IsDamaged());
    using Q = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ((Q{ { "Valves", "SELECT *\r\nFROM Components\r\nWHERE [Database Number] = 2" },
                   { "Tidy = yes; 50%", "DELETE FROM Nozzles WHERE [Emitter Key] = 0" },
                   { "Empty", "" } }),
              Read(file));
    EXPECT_EQ(1, file.Find("Tidy = yes; 50%"));
    EXPECT_EQ(-1, file.Find("tidy = yes; 50%"));

    // Deleting query 2 of 4 leaves 1 to 3, the later ones a number down.
    file.Add({ "Fourth", "SELECT 4" });
    file.Remove(1);
    ASSERT_TRUE(file.Save());
    ASSERT_TRUE(file.Load());
    EXPECT_EQ((Q{ { "Valves", "SELECT *\r\nFROM Components\r\nWHERE [Database Number] = 2" },
                   { "Empty", "" },
                   { "Fourth", "SELECT 4" } }),
              Read(file));
    EXPECT_EQ(std::string::npos, kvtest::FileBytes(path).find("[Query4]"));
    // No file of the write is left behind.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((path + ".new").c_str()));
}

TEST(UserQueries, ADamagedQueryFileIsReportedAndEveryQueryThatCanBeReadIsKept)
{
    const std::string dir = kvtest::ScratchDir(kvtest::TestName());
    const std::string path = dir + "\\Queries.kvq";
    // Query 2 missing (3 and 5 follow), a line that is no value, a value
    // before any section, a query without a title, a section of another
    // program, and lower-case keys.
    const std::string damaged = "stray=1\r\n"
                                "[Query1]\r\nTitle=First\r\nSQL=SELECT 1\r\n"
                                "[Query3]\r\n  title = Third  \r\nsql=SELECT 3\\r\\nFROM T\r\n"
                                "garbage line\r\n"
                                "[Query5]\r\nSQL=SELECT 5\r\n"
                                "[Other]\r\nKey=kept\r\n"
                                "[Query6\r\nTitle=Lost header\r\n";
    WriteFile(path, damaged);

    CQueryFile file(path.c_str());
    EXPECT_FALSE(file.Load());
    EXPECT_TRUE(file.IsDamaged());
    EXPECT_EQ(1, file.GetFirstDamagedLine());
    EXPECT_GE(file.GetProblemCount(), 4);
    using Q = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ((Q{ { "First", "SELECT 1" }, { "Third", "SELECT 3\r\nFROM T" }, { "Query5", "SELECT 5" } }), Read(file));

    // Written again: the damaged file is kept beside it, the queries are
    // numbered from 1 and the other program's section stays.
    file.Add({ "New", "SELECT 7" });
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(dir + "\\Queries.kvq.damaged", std::string(file.GetDamagedCopyPath()));
    EXPECT_EQ(damaged, kvtest::FileBytes(dir + "\\Queries.kvq.damaged"));
    CQueryFile again(path.c_str());
    EXPECT_TRUE(again.Load());
    EXPECT_EQ((Q{ { "First", "SELECT 1" },
                  { "Third", "SELECT 3\r\nFROM T" },
                  { "Query5", "SELECT 5" },
                  { "New", "SELECT 7" } }),
              Read(again));
    EXPECT_NE(std::string::npos, kvtest::FileBytes(path).find("[Other]\r\nKey=kept\r\n"));

    // A second damaged file does not replace the first one kept.
    WriteFile(path, "[Query2]\r\nTitle=Only\r\nSQL=x\r\n");
    CQueryFile third(path.c_str());
    EXPECT_FALSE(third.Load());
    ASSERT_TRUE(third.Save());
    EXPECT_EQ(dir + "\\Queries.kvq.damaged2", std::string(third.GetDamagedCopyPath()));
    EXPECT_EQ(damaged, kvtest::FileBytes(dir + "\\Queries.kvq.damaged"));
}

TEST(UserQueries, AQueryFileThatCannotBeWrittenStaysAsItWas)
{
    const std::string path = kvtest::ScratchDir(kvtest::TestName()) + "\\Queries.kvq";
    WriteFile(path, "[Query1]\r\nTitle=Kept\r\nSQL=SELECT 1\r\n");
    CQueryFile file(path.c_str());
    ASSERT_TRUE(file.Load());
    file.Add({ "Lost", "SELECT 2" });
    {
        kvtest::UnwritableFile lock(path, kvtest::UnwritableFile::heldByAnotherProgram);
        EXPECT_FALSE(file.Save());
    }
    EXPECT_EQ("[Query1]\r\nTitle=Kept\r\nSQL=SELECT 1\r\n", kvtest::FileBytes(path));
}
