// The sample database the build makes: it opens, every table has rows, and
// its rows hang together the way the program relies on.
#include "tests/database/records/RecordsFixture.h"

#include "database/records/ComponentTexts.h"
#include "database/records/NominalTable.h"
#include "tests/support/TestSupport.h"

#include <set>

namespace kvtest {
namespace {

class SampleDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A copy, so that the tests never change the built file.
        std::string dir = ScratchDir("SampleDatabaseTest");
        std::string path = dir + "\\Sample.sqlite";
        ASSERT_TRUE(CopyFileTo(BinaryPath("bin/Database/Sample.sqlite"), path));
        ASSERT_TRUE(m_db.OpenEx(ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog));
    }
    void TearDown() override
    {
        if (m_db.IsOpen())
            m_db.Close();
    }
    CDatabase m_db;
    MessageBoxWatcher m_boxes;
};

TEST_F(SampleDatabaseTest, EveryTableHasRows)
{
    for (const char* table : {"Components", "Tapes", "Nozzles", "Assemblies", "Suppliers", "Symbols",
                              "PipeTable", "[Nominal Conversions]", "Documents"}) {
        SCOPED_TRACE(table);
        EXPECT_GT(QueryLong(m_db, std::string("SELECT COUNT(*) FROM ") + table), 0);
    }
    EXPECT_GE(QueryLong(m_db, "SELECT COUNT(*) FROM Components"), 200);
}

TEST_F(SampleDatabaseTest, HoldsComponentsOfEveryKind)
{
    for (int number : {1, 2, 3, 4, 6, 7, 8, 9, 11, 12, 13, 14, 15, 21, 22, 23, 24}) {
        SCOPED_TRACE(number);
        EXPECT_GE(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Database Number] = " +
                                      std::to_string(number)),
                  3);
    }
    // Pipes and tapes are told apart by [Flags]; no row of number 1 is
    // anything else, or no grid would show it.
    EXPECT_GT(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Database Number] = 1 AND [Flags] = 0"), 0);
    EXPECT_GT(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Database Number] = 1 AND [Flags] = 2"), 0);
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Database Number] = 1 AND "
                              "[Flags] <> 0 AND [Flags] <> 2"),
              0);
}

TEST_F(SampleDatabaseTest, DependentRowsNameExistingComponents)
{
    // Every tape has its Tapes row, and every Tapes row belongs to a tape.
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Flags] = 2 AND [Component Key] NOT IN "
                              "(SELECT [Pipe Key] FROM Tapes)"),
              0);
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Tapes WHERE [Pipe Key] NOT IN "
                              "(SELECT [Component Key] FROM Components WHERE [Flags] = 2)"),
              0);
    // Nozzle sets: outlets to nozzles; an outlet has the nozzle bit exactly
    // when it has a nozzle set.
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Nozzles WHERE [Emitter Key] NOT IN (SELECT "
                              "[Component Key] FROM Components WHERE [Database Number] = 12) OR [Nozzle Key] "
                              "NOT IN (SELECT [Component Key] FROM Components WHERE [Database Number] = 15)"),
              0);
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Database Number] = 12 AND "
                              "[Flags] = 4 AND [Component Key] NOT IN (SELECT [Emitter Key] FROM Nozzles)"),
              0);
    EXPECT_GT(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Database Number] = 12 AND [Flags] = 4"), 3);
    // Assemblies: items exist, assemblies are flagged.
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Assemblies WHERE [Item Key] NOT IN (SELECT [Component Key] "
                              "FROM Components) OR [Assembly Key] NOT IN (SELECT [Component Key] FROM "
                              "Components WHERE [Flags] IN (1, 5))"),
              0);
    // Suppliers and pipe types named by components exist.
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Supplier Code] NOT IN (SELECT [Code] "
                              "FROM Suppliers)"),
              0);
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Database Number] = 1 AND "
                              "RTRIM([Major1]) NOT IN (SELECT [Type] FROM PipeTable)"),
              0);
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Symbol] = 1 AND [Symbol File] NOT IN "
                              "(SELECT [Key] FROM Symbols)"),
              0);
}

TEST_F(SampleDatabaseTest, AssemblyCostsAreTheSumsOfTheirItems)
{
    CRecords assemblies(&m_db);
    assemblies.Open(CRecordset::snapshot, "SELECT * FROM Components WHERE [Flags] IN (1, 5)",
                    CRecordset::readOnly);
    int count = 0;
    for (; !assemblies.IsEOF(); assemblies.MoveNext()) {
        SCOPED_TRACE(assemblies.m_strDescription.str());
        CRecords assembly(assemblies);
        EXPECT_EQ(assembly.GetAssemblyReal(20), assemblies.m_fReals7);
        EXPECT_EQ(assembly.GetAssemblyReal(21), assemblies.m_fReals8);
        ++count;
    }
    assemblies.Close();
    EXPECT_GE(count, 5);
    EXPECT_TRUE(m_boxes.Texts().empty());
}

// The sample is stored as the program stores a component: every text padded
// with blanks to its column's width, so that a row found by its text before
// an edit is found by it after one.
TEST_F(SampleDatabaseTest, EveryTextIsStoredAsTheProgramStoresIt)
{
    CRecords rs(&m_db);
    rs.Open(CRecordset::snapshot, "SELECT * FROM Components", CRecordset::readOnly);
    const kvrecords::ComponentTextWidths widths(rs);
    long rows = 0;
    for (; !rs.IsEOF(); rs.MoveNext(), ++rows) {
        SCOPED_TRACE(rs.m_strDescription.str());
        ComponentFields stored = rs;
        widths.Pad(stored);
        for (int nColumn : kvrecords::kFixedWidthColumns) {
            const CString& text = *kvrecords::FixedWidthText(rs, nColumn);
            EXPECT_EQ(*kvrecords::FixedWidthText(stored, nColumn), text) << "column " << nColumn;
            EXPECT_EQ(widths.Of(nColumn), kvrecords::TextLength(text)) << "column " << nColumn;
        }
    }
    rs.Close();
    EXPECT_GE(rows, 200);
    EXPECT_EQ(1, QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Description] = 'Poly PN10 20 mm" +
                                     std::string(35, ' ') + "'"));
}

TEST_F(SampleDatabaseTest, TapeJoinListsEveryTape)
{
    long tapes = QueryLong(m_db, "SELECT COUNT(*) FROM Components WHERE [Flags] = 2");
    CRecords join(&m_db);
    join.m_strFilter = CRecords::TapeFilter();
    join.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    long rows = 0;
    for (; !join.IsEOF(); join.MoveNext())
        ++rows;
    join.Close();
    EXPECT_EQ(rows, tapes);
}

TEST_F(SampleDatabaseTest, EveryNominalSizeConvertsThroughTheTableFromEachUnit)
{
    // Each row's value in any of the four units finds the row, so a size shown
    // in metres or feet converts back to the table's millimetres, not to an
    // arithmetic neighbour of it.
    CNominalTable rows(&m_db);
    rows.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    std::vector<std::vector<float>> sizes;
    for (; !rows.IsEOF(); rows.MoveNext())
        sizes.push_back({rows.m_fNominalMM, rows.m_fNominalInches, rows.m_fNominalMetres, rows.m_fNominalFeet});
    rows.Close();
    ASSERT_GE(sizes.size(), 10u);

    CNominalTable table(&m_db);
    table.Open(CRecordset::dynaset, nullptr, CRecordset::useBookmarks);
    // Unit by unit, size after size, so that each look-up starts on another
    // row and must find its own.
    for (int from = 0; from < 4; ++from) {
        for (const std::vector<float>& size : sizes) {
            for (int to = 0; to < 4; ++to) {
                SCOPED_TRACE(::testing::Message() << size[0] << " mm given in unit " << from << " into " << to);
                OZU_DiameterValue result = table.ConvertDiameter(OZU_DiameterValue(size[from], from), to);
                EXPECT_EQ(result.GetValue(), (double)size[to]);
            }
        }
    }
    table.Close();
    EXPECT_TRUE(m_boxes.Texts().empty());
}

} // namespace
} // namespace kvtest
