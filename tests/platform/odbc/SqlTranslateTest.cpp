// The translation of the program's Access SQL for SQLite, and the SQL text
// helpers around it (window-free).
#include "platform/odbc/SqlTranslate.h"
#include "platform/odbc/OZU_DB_RS.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace kvsql;

TEST(SqlTranslate, AccessFormsBecomeSQLite)
{
    struct Case
    {
        const char* in;
        const char* out;
    } cases[] = {
        // TOP n -> LIMIT n at the end of its SELECT
        {"SELECT TOP 1 * FROM Components", "SELECT * FROM Components LIMIT 1"},
        {"SELECT TOP 1 Components.[Component Key] FROM Components ORDER BY Components.[Component Key] DESC;",
         "SELECT Components.[Component Key] FROM Components ORDER BY Components.[Component Key] DESC LIMIT 1;"},
        {"select distinct top 5 [A] from T", "select distinct [A] from T LIMIT 5"},
        {"SELECT * FROM T WHERE K IN (SELECT TOP 2 K FROM U ORDER BY K) AND X = 1",
         "SELECT * FROM T WHERE K IN (SELECT K FROM U ORDER BY K LIMIT 2) AND X = 1"},
        {"SELECT TOP 10 PERCENT * FROM T", "SELECT TOP 10 PERCENT * FROM T"},
        {"SELECT [TOP] FROM T WHERE A = 'SELECT TOP 1'", "SELECT [TOP] FROM T WHERE A = 'SELECT TOP 1' COLLATE NOCASE"},
        // Val / CDbl / CSng of literals
        {"[Pipe Key] = Val('42')", "[Pipe Key] = 42"},
        {"[Key] = Val(' 1 2')", "[Key] = 12"},
        {"[Key] = Val('7abc')", "[Key] = 7"},
        {"[Key] = Val('abc')", "[Key] = 0"},
        {"[Key] = Val('-5')", "[Key] = (-5)"},
        {"[Key] = Val('&H1F')", "[Key] = 31"},
        {"[NominalMM] = CDbl('25.4000')", "[NominalMM] = 25.4000"},
        {"[Reals1] = CSng('0.1000000000')", "[Reals1] = 0.10000000149011612"},
        {"[Reals1] = CSng('2.5000000000')", "[Reals1] = 2.5"},
        {"[Reals1] = csng( '1.0000000000' )", "[Reals1] = 1"},
        {"[A] = CDbl('x') AND [B] = CSng('1e99')", "[A] = CDbl('x') AND [B] = CSng('1e99')"},
        {"[Name] = 'Val(''1'')'", "[Name] = 'Val(''1'')' COLLATE NOCASE"},
        {"SELECT @@IDENTITY", "SELECT last_insert_rowid()"},
        {"SELECT [@@IDENTITY] FROM T WHERE A = '@@IDENTITY'",
         "SELECT [@@IDENTITY] FROM T WHERE A = '@@IDENTITY' COLLATE NOCASE"},
        // brackets and back-quotes stay
        {"SELECT C.*, T.* FROM `Tapes` T INNER JOIN Components C ON T.`Pipe Key` = C.`Component Key`",
         "SELECT C.*, T.* FROM `Tapes` T INNER JOIN Components C ON T.`Pipe Key` = C.`Component Key`"},
        {"SELECT * FROM Symbols ORDER BY Key", "SELECT * FROM Symbols ORDER BY Key"},
        // compared text literals with a letter compare without regard to case
        {"[Name] = 'gate valve'", "[Name] = 'gate valve' COLLATE NOCASE"},
        {"RTRIM([A])='x' AND 'Y'<>[B]", "RTRIM([A])='x' COLLATE NOCASE AND 'Y' COLLATE NOCASE<>[B]"},
        {"[A] >= 'm' OR [A] != 'q'", "[A] >= 'm' COLLATE NOCASE OR [A] != 'q' COLLATE NOCASE"},
        {"[A] = '12' AND [B] = ' - '", "[A] = '12' AND [B] = ' - '"},
        {"[A] = 'x' COLLATE BINARY", "[A] = 'x' COLLATE BINARY"},
        {"[A] LIKE 'x%' AND [B] IN ('y')", "[A] LIKE 'x%' AND [B] IN ('y')"},
        {"INSERT INTO T VALUES ('abc')", "INSERT INTO T VALUES ('abc')"},
        {"PRAGMA journal_mode = 'delete'", "PRAGMA journal_mode = 'delete'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.out, TranslateForSQLite(c.in)) << c.in;
}

TEST(SqlTranslate, SingleLiteralEqualsTheStoredSingle)
{
    // What a single-precision column holds is the float widened to double;
    // the literal must read back as exactly that double.
    for (const char* text : {"0.1000000000", "3.3333333333", "1234.5678000000", "-0.0000012300"}) {
        std::string literal;
        ASSERT_TRUE(SingleLiteral(text, literal)) << text;
        EXPECT_EQ((double)(float)std::strtod(text, nullptr), std::strtod(literal.c_str(), nullptr)) << text;
    }
    std::string literal;
    EXPECT_FALSE(SingleLiteral("1e40", literal));
    EXPECT_FALSE(SingleLiteral("12abc", literal));
}

TEST(SqlTranslate, AlterColumnIsRecognisedAndRetyped)
{
    AlterColumn a;
    ASSERT_TRUE(ParseAlterColumn("ALTER TABLE Components ALTER COLUMN [Warehouse Code] Text(32)", a));
    EXPECT_EQ("Components", a.table);
    EXPECT_EQ("Warehouse Code", a.column);
    EXPECT_EQ("Text(32)", a.type);
    EXPECT_FALSE(ParseAlterColumn("ALTER TABLE Components ADD COLUMN [X] Text(32)", a));
    EXPECT_FALSE(ParseAlterColumn("SELECT * FROM Components", a));

    struct
    {
        const char* access;
        const char* sqlite;
    } types[] = {{"Text(32)", "VARCHAR(32)"}, {"TEXT", "VARCHAR(255)"}, {"Long", "INTEGER"},
                 {"Single", "REAL"},          {"Double", "DOUBLE"},     {"Byte", "TINYINT"},
                 {"Memo", "TEXT"},            {"DateTime", "TIMESTAMP"}};
    for (auto& t : types)
        EXPECT_EQ(t.sqlite, SQLiteColumnType(t.access)) << t.access;

    std::string out;
    ASSERT_TRUE(RewriteCreateTable(
        "CREATE TABLE Components ([Component Key] INTEGER PRIMARY KEY, [Warehouse Code] VARCHAR(50) NOT NULL "
        "DEFAULT 'x', [Price] NUMERIC(10, 2))",
        "warehouse code", "VARCHAR(32)", "Tmp", out));
    EXPECT_EQ("CREATE TABLE \"Tmp\" ([Component Key] INTEGER PRIMARY KEY, [Warehouse Code] VARCHAR(32) NOT NULL "
              "DEFAULT 'x', [Price] NUMERIC(10, 2))",
              out);
    EXPECT_FALSE(RewriteCreateTable("CREATE TABLE T (A INTEGER)", "B", "VARCHAR(32)", "Tmp", out));
}

TEST(SqlText, QuotesAreDoubled)
{
    EXPECT_STREQ("O''Neil", QuoteSqlString("O'Neil"));
    EXPECT_STREQ("a''''b", QuoteSqlString("a''b"));
    EXPECT_STREQ("plain text", QuoteSqlString("plain text"));
    EXPECT_STREQ("", QuoteSqlString(nullptr));
}

TEST(SqlTranslate, TextColumnsOfARebuiltTableCompareWithoutCase)
{
    struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"CREATE TABLE \"T\" ([K] INTEGER PRIMARY KEY AUTOINCREMENT, [Name] VARCHAR(50) DEFAULT '', [N] REAL, "
         "[Memo] TEXT, \"C\" CHAR(3) NOT NULL)",
         "CREATE TABLE \"T\" ([K] INTEGER PRIMARY KEY AUTOINCREMENT, [Name] VARCHAR(50) COLLATE NOCASE DEFAULT '', "
         "[N] REAL, [Memo] TEXT COLLATE NOCASE, \"C\" CHAR(3) COLLATE NOCASE NOT NULL)"},
        {"CREATE TABLE T (A VARCHAR(6) COLLATE BINARY, B VARCHAR(6) DEFAULT 'x' COLLATE NOCASE, C, "
         "PRIMARY KEY (A))",
         "CREATE TABLE T (A VARCHAR(6) COLLATE BINARY, B VARCHAR(6) DEFAULT 'x' COLLATE NOCASE, C, "
         "PRIMARY KEY (A))"},
        {"CREATE INDEX I ON T (A)", "CREATE INDEX I ON T (A)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, TextColumnsNoCase(c.in)) << c.in;
}
