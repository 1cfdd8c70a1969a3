// Nominal sizes: converting a diameter through the "Nominal Conversions"
// table, and by arithmetic when the size or unit is not in it.
#include "tests/database/records/RecordsFixture.h"

#include "database/records/NominalTable.h"

namespace kvtest {
namespace {

const int kMm = 0, kIn = 1, kM = 2, kFt = 3, kMiles = 4, kKm = 5, kCm = 6;

class NominalTableTest : public SkeletonTest
{
protected:
    void SetUp() override
    {
        SkeletonTest::SetUp();
        // Nominal values that are not arithmetic conversions of each other.
        AddRow("20", "0.75", "0.02", "0.0625");
        AddRow("25", "1", "0.025", "0.083333336");
        AddRow("50", "2", "0.05", "0.16666667");
        m_table = std::make_unique<CNominalTable>(&m_db);
        m_table->Open(CRecordset::dynaset, nullptr, CRecordset::useBookmarks);
    }
    void TearDown() override
    {
        if (m_table && m_table->IsOpen())
            m_table->Close();
        m_table.reset();
        SkeletonTest::TearDown();
    }
    void AddRow(const char* mm, const char* in, const char* m, const char* ft)
    {
        InsertRow(m_db, "[Nominal Conversions]",
                  {{"[NominalMM]", mm}, {"[NominalInches]", in}, {"[NominalMetres]", m}, {"[NominalFeet]", ft}});
    }
    std::unique_ptr<CNominalTable> m_table;
};

TEST_F(NominalTableTest, ConvertsThroughTheTableOrByArithmetic)
{
    struct Case
    {
        double value;
        int unit;
        int target;
        double expected;
        const char* why;
    } cases[] = {
        {25.0, kMm, kIn, 1.0, "a size in the table takes the table's value, not 0.984"},
        {25.0, kMm, kMm, 25.0, "the same unit"},
        {25.0, kMm, kM, (double)0.025f, "metres column"},
        {25.0, kMm, kFt, (double)0.083333336f, "feet column"},
        {2.0, kIn, kMm, 50.0, "from inches"},
        {0.0625, kFt, kMm, 20.0, "from feet"},
        {0.02, kM, kIn, 0.75, "from metres"},
        {25.00004, kMm, kIn, 1.0, "matched to four decimals"},
        {32.0, kMm, kIn, OZU_DiameterValue(32.0, kMm).GetValueIn(kIn), "between sizes: arithmetic"},
        {0.025, kKm, kMm, OZU_DiameterValue(0.025, kKm).GetValueIn(kMm), "km has no column"},
        {2.5, kCm, kIn, OZU_DiameterValue(2.5, kCm).GetValueIn(kIn), "cm has no column"},
        {1.0, kMiles, kFt, OZU_DiameterValue(1.0, kMiles).GetValueIn(kFt), "miles have no column"},
        {25.0, kMm, kCm, OZU_DiameterValue(25.0, kMm).GetValueIn(kCm), "a found size into cm"},
        {25.0, kMm, kKm, OZU_DiameterValue(25.0, kMm).GetValueIn(kKm), "a found size into km"},
        {25.0, kMm, kMiles, OZU_DiameterValue(25.0, kMm).GetValueIn(kMiles), "a found size into miles"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        OZU_DiameterValue result = m_table->ConvertDiameter(OZU_DiameterValue(c.value, c.unit), c.target);
        EXPECT_TRUE(result.IsValid());
        EXPECT_EQ(result.GetUnit(), c.target);
        EXPECT_EQ(result.GetValue(), c.expected);
    }
    EXPECT_FALSE(m_table->ConvertDiameter(OZU_DiameterValue(25.0, kMm), 7).IsValid());
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(NominalTableTest, FindsTheRowOrSaysThereIsNone)
{
    ASSERT_TRUE(m_table->FindDiameter(OZU_DiameterValue(50.0, kMm)));
    EXPECT_EQ(m_table->m_fNominalInches, 2.0f);
    EXPECT_EQ(m_table->m_strFilter, "[NominalMM] = CDbl('50.0000')");

    // The current row already holds 2 inches: found without a new query, so
    // the filter is the one of the last query.
    EXPECT_TRUE(m_table->FindDiameter(OZU_DiameterValue(2.0, kIn)));
    EXPECT_EQ(m_table->m_strFilter, "[NominalMM] = CDbl('50.0000')");

    EXPECT_FALSE(m_table->FindDiameter(OZU_DiameterValue(33.0, kMm)));
    EXPECT_FALSE(m_table->FindDiameter(OZU_DiameterValue(0.05, kKm)));
    EXPECT_TRUE(m_table->FindDiameter(OZU_DiameterValue(0.75, kIn)));
    EXPECT_EQ(m_table->m_fNominalMM, 20.0f);
    EXPECT_EQ(m_table->m_strFilter, "[NominalInches] = CDbl('0.7500')");
}

TEST_F(NominalTableTest, DatabaseFailureFallsBackToArithmetic)
{
    // The table goes away under the open recordset: the next look-up fails.
    m_db.ExecuteSQL("DROP TABLE [Nominal Conversions]");
    OZU_DiameterValue result = m_table->ConvertDiameter(OZU_DiameterValue(25.0, kMm), kIn);
    EXPECT_EQ(result.GetValue(), OZU_DiameterValue(25.0, kMm).GetValueIn(kIn));
    EXPECT_EQ(result.GetUnit(), kIn);
    ASSERT_EQ(m_boxes.Texts().size(), 1u) << "the failure reports itself";
    EXPECT_NE(m_boxes.Texts()[0].find("Nominal Conversions"), std::string::npos) << m_boxes.Texts()[0];
}

TEST(NominalFilterTest, FourDecimalsInEachUnitsColumn)
{
    EXPECT_EQ(CNominalTable::MakeFilter(0, 25.0), "[NominalMM] = CDbl('25.0000')");
    EXPECT_EQ(CNominalTable::MakeFilter(1, 0.75), "[NominalInches] = CDbl('0.7500')");
    EXPECT_EQ(CNominalTable::MakeFilter(2, 0.025000004), "[NominalMetres] = CDbl('0.0250')");
    EXPECT_EQ(CNominalTable::MakeFilter(3, 12.34567), "[NominalFeet] = CDbl('12.3457')");
    EXPECT_EQ(CNominalTable::MakeFilter(4, 1.0), "");
}

} // namespace
} // namespace kvtest
