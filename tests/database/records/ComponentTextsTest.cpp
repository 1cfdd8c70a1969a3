// The texts of the fixed-width Components columns: widths counted in
// characters, the widths a database reports, and a record's texts padded to
// them as every store writes them.
#include "tests/database/records/RecordsFixture.h"

#include "database/records/ComponentTexts.h"

using namespace kvrecords;

namespace kvtest {
namespace {

TEST(ComponentTexts, PaddingAndCuttingCountCharacters)
{
    EXPECT_EQ(CString("AB  "), PadToLength("AB", 4));
    EXPECT_EQ(CString("ABC"), PadToLength("ABCDEF", 3));
    EXPECT_EQ(CString(""), PadToLength("ABC", -1));
    EXPECT_EQ(CString("ØÅ  "), PadToLength("ØÅ", 4));
    EXPECT_EQ(CString("ØÅ"), PadToLength("ØÅÆ", 2));
    EXPECT_EQ(3, TextLength("ØÅB"));
    EXPECT_EQ(CString("ÅB"), TextMid("ØÅB", 1, 5));
}

class ComponentTextsTest : public SkeletonTest
{
};

TEST_F(ComponentTextsTest, WidthsAreTheDatabasesForTheTableAndTheTapeJoin)
{
    const int expected[kFixedWidthColumnCount] = {50, 32, 4, 3, 6, 6, 6, 6, 10, 3};
    CRecords table(&m_db);
    table.Open(CRecordset::snapshot, "SELECT * FROM Components", CRecordset::readOnly);
    CRecords join(&m_db);
    join.m_strFilter = CRecords::TapeFilter();
    join.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    for (CRecords* pSet : {&table, &join}) {
        const ComponentTextWidths widths(*pSet);
        for (int i = 0; i < kFixedWidthColumnCount; i++)
            EXPECT_EQ(expected[i], widths.Of(kFixedWidthColumns[i])) << kFixedWidthColumns[i];
        // Columns that hold no fixed-width text have no width.
        EXPECT_EQ(0, widths.Of(COLUMN_COMPONENT_KEY));
        EXPECT_EQ(0, widths.Of(COLUMN_REALS1));
    }
    table.Close();
    join.Close();
}

TEST_F(ComponentTextsTest, ARecordsTextsArePaddedAndALongerTextStaysWhole)
{
    CRecords rs(&m_db);
    rs.Open(CRecordset::snapshot, "SELECT * FROM Components", CRecordset::readOnly);
    const ComponentTextWidths widths(rs);
    rs.Close();

    ComponentFields record;
    record.m_strDescription = "Gate valve Ø 20";
    record.m_strWarehouseCode = "";
    record.m_strSupplierCode = "AB";
    record.m_strUsage = "Y";
    record.m_strMajor1 = "BSPTF";
    record.m_strMinor1 = "BSPTF1";
    record.m_strMajor2 = "VM 20";
    record.m_strMinor2 = "";
    record.m_strDefaultNozzle = "A nozzle name longer than ten";
    record.m_strItemType = "FIX";
    widths.Pad(record);
    EXPECT_EQ(CString("Gate valve Ø 20") + CString(' ', 35), record.m_strDescription);
    EXPECT_EQ(CString(' ', 32), record.m_strWarehouseCode);
    EXPECT_EQ(CString("AB  "), record.m_strSupplierCode);
    EXPECT_EQ(CString("Y  "), record.m_strUsage);
    EXPECT_EQ(CString("BSPTF "), record.m_strMajor1);
    EXPECT_EQ(CString("BSPTF1"), record.m_strMinor1);
    EXPECT_EQ(CString("VM 20 "), record.m_strMajor2);
    EXPECT_EQ(CString("      "), record.m_strMinor2);
    EXPECT_EQ(CString("A nozzle name longer than ten"), record.m_strDefaultNozzle);
    EXPECT_EQ(CString("FIX"), record.m_strItemType);

    // With no width known nothing changes.
    ComponentFields unknown;
    unknown.m_strDescription = "Gate";
    ComponentTextWidths().Pad(unknown);
    EXPECT_EQ(CString("Gate"), unknown.m_strDescription);
}

} // namespace
} // namespace kvtest
