// Conversion of cells between stored and display units, both directions.
#include "grids/core/CellConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace kvgrid;

namespace {

// A nominal table that knows one size: 25 mm is 1 inch.
bool FakeNominal(const OZU_DiameterValue& value, int nUnit, double& result)
{
    if (value.GetUnit() == LENGTH_MM && std::fabs(value.GetValue() - 25.0) < 1e-4 && nUnit == LENGTH_IN)
        result = 1.0;
    else if (value.GetUnit() == LENGTH_IN && std::fabs(value.GetValue() - 1.0) < 1e-4 && nUnit == LENGTH_MM)
        result = 25.0;
    else
        result = value.GetValueIn(nUnit);
    return true;
}

struct Units
{
    OZU_UnitSet set;
    explicit Units(int metric) : set(metric) {}
    Units& Diameter(int u) { set.m_Diameter.SetUnit(u); return *this; }
    Units& Distance(int u) { set.m_Distance.SetUnit(u); return *this; }
    Units& Pressure(int u) { set.m_Pressure.SetUnit(u); return *this; }
    Units& Angle(int u) { set.m_Angle.SetUnit(u); return *this; }
    Units& SmallFlow(int u) { set.m_SmallFlow.SetUnit(u); return *this; }
    Units& LargeFlow(int u) { set.m_LargeFlow.SetUnit(u); return *this; }
};

} // namespace

TEST(CellConversion, ConvertsTheCellsOfTheSetInBothDirections)
{
    struct Case
    {
        int type, direction, column;
        const char* itemType;
        OZU_UnitSet units;
        const char* in;
        int flag;
        const char* exact;   // the text expected, or null to compare numbers
        double number;
    };
    const int D = CONVERT_TO_DISPLAY, S = CONVERT_TO_STORED;
    const Case cases[] = {
        // Pipe actual diameter: plain.
        { 0, D, 15, "", Units(1).Diameter(LENGTH_IN).set, "20", 1, "0.7874", 0 },
        { 0, S, 15, "", Units(1).Diameter(LENGTH_IN).set, "2", 1, "50.8", 0 },
        { 0, D, 15, "", Units(1).set, "20", 0, "", 0 },
        // Pipe nominal diameter through the table, both ways.
        { 0, D, 14, "", Units(1).Diameter(LENGTH_IN).set, "25", 1, "1", 0 },
        { 0, S, 14, "", Units(1).Diameter(LENGTH_IN).set, "1", 1, "25", 0 },
        { 0, D, 14, "", Units(1).Diameter(LENGTH_IN).set, "40", 1, nullptr, 40 / 25.4 },
        // Pressures, distances, flows, angles.
        { 0, D, 17, "", Units(1).Pressure(PRESSURE_PSI).set, "10", 1, nullptr, 14.2233 },
        { 17, D, 22, "", Units(1).Pressure(PRESSURE_BAR).set, "10", 1, nullptr, 0.980665 },
        { 17, D, 22, "", Units(1).set, "10", 0, "", 0 },
        { 11, D, 16, "", Units(1).Distance(LENGTH_FT).set, "10", 1, nullptr, 32.8084 },
        { 11, S, 18, "", Units(1).Distance(LENGTH_FT).set, "32.8084", 1, nullptr, 10.0 },
        { 2, D, 22, "", Units(1).LargeFlow(FLOW_USGPM).set, "1", 1, nullptr, 4.40287 },
        { 9, D, 23, "", Units(1).set, "1", 0, "", 0 },
        { 6, D, 15, "", Units(1).Angle(ANGLE_RADIANS).set, "90", 1, nullptr, 1.5708 },
        { 6, D, 15, "", Units(1).set, "90", 0, "", 0 },
        // Outlets: DEM (in any case) makes column 23 a small flow.
        { 10, D, 23, "dem", Units(1).SmallFlow(FLOW_LPM).set, "120", 1, "2", 0 },
        { 10, D, 23, "ROT", Units(1).SmallFlow(FLOW_LPM).set, "120", 0, "", 0 },
        { 10, D, 23, "ROT", Units(1).Angle(ANGLE_RADIANS).set, "180", 1, nullptr, 3.14159 },
        // Prices per metre and per 100 ft.
        { 0, D, 20, "", Units(0).set, "10", 1, "304.88", 0 },
        { 0, D, 21, "", Units(0).set, "0.59", 1, "17.988", 0 },
        { 12, D, 20, "", Units(0).set, "0.0123", 1, "0.375", 0 },
        { 12, S, 21, "", Units(0).set, "100", 1, "3.28", 0 },
        { 0, D, 20, "", Units(1).set, "10", 0, "", 0 },
        // Couplers and the like go through the table even in millimetres.
        { 5, D, 14, "", Units(1).set, "25.000001", 1, "25", 0 },
        { 6, D, 14, "", Units(1).set, "32", 1, "32", 0 },
        { 6, D, 16, "", Units(1).set, "32", 0, "", 0 },
        // Never converted.
        { 1, D, 14, "", Units(0).set, "25", 0, "", 0 },
        { 14, D, 14, "", Units(0).set, "25", 0, "", 0 },
        { 18, D, 15, "", Units(0).set, "25", 0, "", 0 },
        { 0, D, 16, "", Units(0).set, "25", 0, "", 0 },
        // Text that is not a number reads as 0.
        { 0, S, 15, "", Units(1).Diameter(LENGTH_IN).set, "abc", 1, "0", 0 },
    };
    CellConversionContext context;
    context.nSignificantDigits = 5;
    context.convertNominal = FakeNominal;
    for (const Case& c : cases)
    {
        context.pUnits = &c.units;
        CString out = "unchanged";
        int flag = ConvertCellValue(c.type, c.direction, 3, c.column, c.itemType, c.in, out, context);
        SCOPED_TRACE(::testing::Message() << c.type << "/" << c.column << " dir " << c.direction << " in " << c.in);
        EXPECT_EQ(c.flag, flag);
        if (c.exact)
            EXPECT_EQ(CString(c.exact), out);
        else
            EXPECT_NEAR(c.number, std::atof(out), std::fabs(c.number) * 1e-4);
    }
}

TEST(CellConversion, TheHeaderRowIsNeverConverted)
{
    OZU_UnitSet units(0);
    CellConversionContext context;
    context.pUnits = &units;
    CString out = "x";
    EXPECT_EQ(0, ConvertCellValue(0, CONVERT_TO_DISPLAY, 0, 15, "", "20", out, context));
    EXPECT_EQ(CString(), out);
}

TEST(CellConversion, WithoutANominalTableDiametersConvertByTheirFactor)
{
    OZU_UnitSet units(0);
    CellConversionContext context;
    context.pUnits = &units;
    context.convertNominal = [](const OZU_DiameterValue&, int, double&) { return false; };
    CString out;
    EXPECT_EQ(1, ConvertCellValue(0, CONVERT_TO_STORED, 1, 14, "", "1", out, context));
    EXPECT_NEAR(25.4, std::atof(out), 1e-3);
}

TEST(CellConversion, OnlyWholeNumbersParse)
{
    const char* numbers[] = { "12", " 1.5 ", "-2", "1e3", "+0.25", ".5" };
    const char* others[] = { "", "  ", "1,5", "abc", "12abc", "0x10", "inf", "nan", "1 2" };
    double v = 0;
    for (const char* s : numbers)
        EXPECT_TRUE(ParseNumber(s, v)) << s;
    for (const char* s : others)
        EXPECT_FALSE(ParseNumber(s, v)) << s;
    ASSERT_TRUE(ParseNumber(" 1.5 ", v));
    EXPECT_EQ(1.5, v);
}
