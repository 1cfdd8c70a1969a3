// The skeleton database the build makes: its tables and columns as the
// program and the design program read them, the defaults of a new row, and
// how keys are given.
#include "tests/database/records/RecordsFixture.h"

#include "database/records/ComponentIndexes.h"
#include "database/records/TapeRecords.h"

namespace kvtest {
namespace {

struct ExpectedColumn
{
    const char* name;
    SWORD sqlType;
    int width;  // text width; 0 for numbers
};

const SWORD L = SQL_INTEGER;   // long integer
const SWORD B = SQL_TINYINT;   // byte
const SWORD F = SQL_DOUBLE;    // single, kept by SQLite as a real
const SWORD T = SQL_VARCHAR;   // text

struct ExpectedTable
{
    const char* table;
    std::vector<ExpectedColumn> columns;
};

const std::vector<ExpectedTable>& ExpectedTables()
{
    static const std::vector<ExpectedTable> tables = {
        {"[Components]",
         {{"Component Key", L, 0}, {"Old id1", L, 0}, {"Old id2", L, 0}, {"Old id3", L, 0},
          {"Database Number", B, 0}, {"Description", T, 50}, {"Warehouse Code", T, 32},
          {"Supplier Code", T, 4}, {"Usage", T, 3}, {"Major1", T, 6}, {"Minor1", T, 6},
          {"Major2", T, 6}, {"Minor2", T, 6}, {"Reals1", F, 0}, {"Reals2", F, 0}, {"Reals3", F, 0},
          {"Reals4", F, 0}, {"Reals5", F, 0}, {"Reals6", F, 0}, {"Reals7", F, 0}, {"Reals8", F, 0},
          {"Rextra1", F, 0}, {"Rextra2", F, 0}, {"Rextra3", F, 0}, {"Rextra4", F, 0},
          {"Document Index", L, 0}, {"Linetype", L, 0}, {"Symbol", L, 0}, {"Symbol Size", F, 0},
          {"Symbol File", L, 0}, {"Colour1", L, 0}, {"Colour2", L, 0}, {"Default Nozzle", T, 10},
          {"Item Type", T, 3}, {"Flags", L, 0}, {"Order", L, 0}}},
        {"[Tapes]",
         {{"Pipe Key", L, 0}, {"Flow Calc Type", T, 4}, {"Reals1", F, 0}, {"Reals2", F, 0},
          {"Reals3", F, 0}, {"Reals4", F, 0}, {"Reals5", F, 0}, {"Reals6", F, 0},
          {"Rextra1", F, 0}, {"Rextra2", F, 0}, {"Rextra3", F, 0}, {"Rextra4", F, 0}}},
        {"[Nozzles]", {{"Emitter Key", L, 0}, {"Nozzle Key", L, 0}}},
        {"[Assemblies]", {{"Assembly Key", L, 0}, {"Item Key", L, 0}, {"Number/Length", F, 0}}},
        {"[Suppliers]",
         {{"Description", T, 50}, {"Code", T, 4}, {"Base Price", T, 1}, {"Multiplier A", F, 0},
          {"Multiplier B", F, 0}, {"Multiplier C", F, 0}, {"Multiplier D", F, 0}}},
        {"[Symbols]", {{"Key", L, 0}, {"Name", T, 50}}},
        {"[PipeTable]",
         {{"Type", T, 6}, {"Gender", T, 1}, {"Connection", T, 4}, {"Fitting1", T, 6},
          {"Fitting2", T, 6}, {"Fitting3", T, 6}, {"Fitting4", T, 6}, {"Fitting5", T, 6},
          {"Bend Angle", F, 0}, {"Extra Allowance", F, 0}, {"Rounding", F, 0}, {"Roll Length", F, 0}}},
        {"[Nominal Conversions]",
         {{"NominalMM", F, 0}, {"NominalInches", F, 0}, {"NominalMetres", F, 0}, {"NominalFeet", F, 0}}},
        {"[Documents]", {{"Document Index", L, 0}, {"Title", T, 100}, {"File Name", T, 255}}},
    };
    return tables;
}

class SchemaTest : public SkeletonTest {};

TEST_F(SchemaTest, EveryTableHasItsColumnsInOrderWithTypeAndWidth)
{
    for (const ExpectedTable& expected : ExpectedTables()) {
        SCOPED_TRACE(expected.table);
        CRecordset rs(&m_db);
        rs.Open(CRecordset::snapshot, (std::string("SELECT * FROM ") + expected.table).c_str(),
                CRecordset::readOnly);
        EXPECT_TRUE(rs.IsBOF() && rs.IsEOF()) << "the skeleton holds no rows";
        ASSERT_EQ(rs.GetODBCFieldCount(), (short)expected.columns.size());
        for (short i = 0; i < rs.GetODBCFieldCount(); ++i) {
            const ExpectedColumn& column = expected.columns[i];
            CODBCFieldInfo info;
            rs.GetODBCFieldInfo(i, info);
            EXPECT_EQ(info.m_strName.str(), column.name);
            EXPECT_EQ(info.m_nSQLType, column.sqlType) << column.name;
            if (column.width != 0) {
                EXPECT_EQ(info.m_nPrecision, (SQLULEN)column.width) << column.name;
            }
        }
        rs.Close();
    }
}

TEST_F(SchemaTest, NewRowTakesTheDefaultsOfANewRecord)
{
    // A row inserted with nothing but its description holds what a new
    // record holds, so that a record saved unedited and a row another
    // program adds look alike.
    m_db.ExecuteSQL("INSERT INTO [Components] ([Description]) VALUES ('Bare')");
    CRecords stored(&m_db);
    ASSERT_TRUE(stored.OpenByKey(QueryLong(m_db, "SELECT [Component Key] FROM Components")));
    CRecords fresh(&m_db);
    EXPECT_EQ(stored.m_strMajor1, "      ");
    EXPECT_EQ(stored.m_strMinor1, fresh.m_strMinor1);
    EXPECT_EQ(stored.m_strMajor2, fresh.m_strMajor2);
    EXPECT_EQ(stored.m_strMinor2, fresh.m_strMinor2);
    EXPECT_EQ(stored.m_strDefaultNozzle, "          ");
    EXPECT_EQ(stored.m_strItemType, "   ");
    EXPECT_EQ(stored.m_nColour1, 16777215);
    EXPECT_EQ(stored.m_nColour2, 16777215);
    EXPECT_EQ(stored.m_nOrder, 10000);
    EXPECT_EQ(stored.m_nFlags, 0);
    EXPECT_EQ(stored.m_nDatabaseNumber, 0);
    EXPECT_EQ(stored.m_fReals7, 0.0f);
    EXPECT_EQ(stored.m_strWarehouseCode, "");
    stored.Close();

    CTapeExtras tape(&m_db);
    m_db.ExecuteSQL("INSERT INTO [Tapes] ([Pipe Key]) VALUES (5)");
    ASSERT_TRUE(tape.OpenByPipeKey(5));
    EXPECT_EQ(tape.m_strFlowCalcType, "");
    EXPECT_EQ(tape.m_fTapeRextra4, 0.0f);
    tape.Close();
}

TEST_F(SchemaTest, KeysAreGivenByTheDatabaseAndNeverReused)
{
    m_db.ExecuteSQL("INSERT INTO [Components] ([Description]) VALUES ('First')");
    m_db.ExecuteSQL("INSERT INTO [Components] ([Description]) VALUES ('Second')");
    long second = QueryLong(m_db, "SELECT [Component Key] FROM Components WHERE [Description] = 'Second'");
    long first = QueryLong(m_db, "SELECT [Component Key] FROM Components WHERE [Description] = 'First'");
    EXPECT_GT(first, 0);
    EXPECT_GT(second, first);
    // The key of a deleted component may still be named by rows of other
    // tables; a new component never takes it.
    m_db.ExecuteSQL("DELETE FROM [Components] WHERE [Description] = 'Second'");
    m_db.ExecuteSQL("INSERT INTO [Components] ([Description]) VALUES ('Third')");
    EXPECT_GT(QueryLong(m_db, "SELECT [Component Key] FROM Components WHERE [Description] = 'Third'"), second);
}

// The rows of Tapes, Nozzles and Assemblies are looked up by either key they
// hold (an outlet's nozzles, the outlets of a nozzle, the assemblies using
// an item): each of these keys leads an index.
TEST_F(SchemaTest, EveryKeyOfTheJoiningTablesIsIndexed)
{
    const std::pair<const char*, const char*> keys[] = {
        {"Tapes", "Pipe Key"},           {"Nozzles", "Emitter Key"},   {"Nozzles", "Nozzle Key"},
        {"Assemblies", "Assembly Key"}, {"Assemblies", "Item Key"},
    };
    for (const auto& key : keys) {
        std::string sql = std::string("SELECT COUNT(*) FROM pragma_index_list('") + key.first +
                          "') AS l, pragma_index_info(l.name) AS i WHERE i.seqno = 0 AND i.name = '" + key.second +
                          "'";
        EXPECT_EQ(1, QueryLong(m_db, sql.c_str())) << key.first << " [" << key.second << "]";
    }
}

// The indexes the tabs read their rows by and the duplicate test finds its
// candidates by: the skeleton carries every one the program makes, as the
// program writes it; a database made without them gets them when it is
// opened, and one that has them is left alone.
TEST_F(SchemaTest, TheSkeletonCarriesTheIndexesThatADatabaseWithoutThemGets)
{
    const std::vector<CString>& statements = GetComponentIndexStatements();
    ASSERT_FALSE(statements.empty());
    for (const CString& sql : statements)
        EXPECT_EQ(1, QueryLong(m_db, ("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND sql = '" +
                                      QuoteSqlString(sql).str() + "'")
                                         .c_str()))
            << sql.str();

    for (const CString& sql : statements) {
        std::string name = sql.str().substr(sql.Find('[') + 1);
        m_db.ExecuteSQL(("DROP INDEX [" + name.substr(0, name.find(']')) + "]").c_str());
    }
    const long indexes = QueryLong(m_db, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index'");
    EXPECT_TRUE(EnsureComponentIndexes(&m_db));
    EXPECT_EQ(indexes + (long)statements.size(),
              QueryLong(m_db, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index'"));
    EXPECT_TRUE(EnsureComponentIndexes(&m_db));
    EXPECT_EQ(indexes + (long)statements.size(),
              QueryLong(m_db, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index'"));
    // The duplicate test's comparison finds its rows through its index.
    EXPECT_NE(std::string::npos,
              QueryPlan(m_db, "SELECT [Component Key] FROM Components WHERE RTRIM([Description]) = 'A' AND "
                              "RTRIM([Warehouse Code]) = 'B' AND [Database Number] = 2")
                  .find("INDEX Components by Name"));
}

TEST_F(SchemaTest, TextComparesWithoutRegardToCase)
{
    m_db.ExecuteSQL("INSERT INTO [Components] ([Database Number], [Description], [Warehouse Code]) "
                    "VALUES (2, 'Gate Valve', 'GV-1  ')");
    m_db.ExecuteSQL("INSERT INTO [Components] ([Database Number], [Description]) VALUES (2, 'ball valve')");
    m_db.ExecuteSQL("INSERT INTO [Symbols] ([Key], [Name]) VALUES (4, 'Gate')");
    // A plain comparison, the duplicate test's comparison of trimmed texts,
    // a comparison of two columns, and the order of the rows.
    EXPECT_EQ(1, QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Description] = 'gate valve'"));
    EXPECT_EQ(1, QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE RTRIM([Description]) = 'GATE VALVE' "
                                 "AND RTRIM([Warehouse Code]) = 'gv-1' AND [Database Number] = 2"));
    EXPECT_EQ(1, QueryLong(m_db, "SELECT COUNT(*) FROM Components C, Symbols S WHERE C.[Description] = "
                                 "S.[Name] || ' valve'"));
    EXPECT_EQ("ball valve", QueryText(m_db, "SELECT [Description] FROM Components ORDER BY [Description]"));
    EXPECT_EQ(4, QueryLong(m_db, "SELECT [Key] FROM Symbols WHERE [Name] IN ('GATE')"));
}

TEST_F(SchemaTest, RebuiltComponentsTableKeepsItsKeysIndexesDefaultsAndCaseRule)
{
    m_db.ExecuteSQL("INSERT INTO [Components] ([Description]) VALUES ('First')");
    m_db.ExecuteSQL("INSERT INTO [Components] ([Description]) VALUES ('Second')");
    long second = QueryLong(m_db, "SELECT [Component Key] FROM Components WHERE [Description] = 'Second'");
    m_db.ExecuteSQL("DELETE FROM [Components] WHERE [Description] = 'Second'");
    // Widening [Warehouse Code] rebuilds the table.
    m_db.ExecuteSQL("ALTER TABLE Components ALTER COLUMN [Warehouse Code] Text(40)");
    CRecordset rs(&m_db);
    rs.Open(CRecordset::snapshot, "SELECT [Warehouse Code] FROM Components", CRecordset::readOnly);
    CODBCFieldInfo info;
    rs.GetODBCFieldInfo((short)0, info);
    EXPECT_EQ(40u, info.m_nPrecision);
    rs.Close();

    // The deleted component's key does not come back.
    m_db.ExecuteSQL("INSERT INTO [Components] ([Description]) VALUES ('Third')");
    EXPECT_GT(QueryLong(m_db, "SELECT [Component Key] FROM Components WHERE [Description] = 'Third'"), second);
    // Defaults, the index, and text compared without regard to case (the
    // rebuilt column too).
    EXPECT_EQ("      ", QueryText(m_db, "SELECT [Major1] FROM Components WHERE [Description] = 'third'"));
    EXPECT_EQ(10000, QueryLong(m_db, "SELECT [Order] FROM Components WHERE [Description] = 'Third'"));
    EXPECT_EQ(1, QueryLong(m_db, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND "
                                 "name = 'Components by Database Number'"));
    m_db.ExecuteSQL("UPDATE [Components] SET [Warehouse Code] = 'Ab-1' WHERE [Description] = 'First'");
    EXPECT_EQ(1, QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Warehouse Code] = 'AB-1'"));
    EXPECT_EQ(1, QueryLong(m_db, "SELECT COUNT(*) FROM Components C1, Components C2 WHERE "
                                 "C1.[Warehouse Code] = UPPER(C2.[Warehouse Code]) AND C1.[Order] = 10000 AND "
                                 "C1.[Description] = 'first'"));
}

} // namespace
} // namespace kvtest
