// Column header texts: the title by table type and column, and the unit line
// that follows the display units.
#include "grids/core/ColumnTitles.h"

#include <gtest/gtest.h>

using namespace kvgrid;

namespace {

OZU_UnitSet Metric()
{
    return OZU_UnitSet(1);
}

OZU_UnitSet US()
{
    return OZU_UnitSet(0);
}

// Degrees and litres per hour for outlets.
OZU_UnitSet OutletUnits()
{
    OZU_UnitSet u(1);
    u.m_Angle.SetUnit(ANGLE_DEGREES);
    u.m_SmallFlow.SetUnit(FLOW_LPH);
    return u;
}

// Distances metric, diameters in inches: the Component table follows the
// Distance unit.
OZU_UnitSet MetricDistanceInchDiameter()
{
    OZU_UnitSet u(1);
    u.m_Diameter.SetUnit(LENGTH_IN);
    return u;
}

OZU_UnitSet FeetDistanceMillimetreDiameter()
{
    OZU_UnitSet u(0);
    u.m_Diameter.SetUnit(LENGTH_MM);
    return u;
}

} // namespace

TEST(ColumnTitles, HeaderTextsByTableColumnAndUnits)
{
    struct Case
    {
        int type;
        int column;
        OZU_UnitSet units;
        const char* header;
    };
    const Case cases[] = {
        // Common titles, the Query table too, never with a unit line.
        { 18, 6, Metric(), "Description" },
        { 18, 36, US(), "Order" },
        { 18, 14, Metric(), "" },
        { 18, 20, US(), "Wholesale Cost" },
        // Untitled columns.
        { 0, 1, Metric(), "" },
        { 0, 5, US(), "" },
        { 0, 35, Metric(), "" },
        // Pipe diameters: the nominal one only in metric units.
        { 0, 14, Metric(), "Nominal Diameter\r\n(mm)" },
        { 0, 14, US(), "Nominal Diameter" },
        { 0, 15, US(), "Actual Diameter\r\n(in)" },
        { 0, 17, US(), "Allowable Pressure\r\n(psi)" },
        { 0, 20, Metric(), "Wholesale Cost\r\n(per meter)" },
        { 12, 21, US(), "Retail Price\r\n(per 100 ft)" },
        { 12, 16, US(), "Resistance\r\n(ohm/1000ft)" },
        { 12, 16, Metric(), "Resistance\r\n(ohm/100m)" },
        { 12, 17, US(), "Voltage\r\n(volts)" },
        // Tape and Controller: one line whatever the units.
        { 1, 14, Metric(), "Nominal Diameter" },
        { 1, 20, US(), "Wholesale Cost" },
        { 1, 24, Metric(), "COV" },
        { 1, 42, Metric(), "Emitter Spacing" },
        { 1, 48, Metric(), "Zone Pressure Low" },
        { 13, 15, Metric(), "Outlet Diameter" },
        // Outlets.
        { 10, 23, OutletUnits(), "Default Arc / Flow\r\n(° / lph)" },
        { 10, 24, Metric(), "High Flow Tolerance\r\n(%)" },
        { 10, 22, US(), "Default Pressure\r\n(psi)" },
        { 10, 34, Metric(), "Arc Type" },
        // Lights and other electrics.
        { 14, 14, Metric(), "Rating\r\n(watts)" },
        { 15, 15, US(), "Nominal Voltage\r\n(volts)" },
        { 14, 22, Metric(), "High Voltage Tolerance\r\n(%)" },
        { 15, 22, Metric(), "" },
        // Component: the Distance unit decides.
        { 16, 14, MetricDistanceInchDiameter(), "Size / Diameter 1\r\n(in)" },
        { 16, 15, FeetDistanceMillimetreDiameter(), "Size / Diameter 2" },
        // Fittings, valves, pumps.
        { 6, 15, Metric(), "Bend Angle\r\n(°)" },
        { 6, 16, Metric(), "Minor Diameter\r\n(mm)" },
        { 5, 15, US(), "Minor Diameter" },
        { 2, 22, US(), "Minimum Flow\r\n(US gpm)" },
        { 2, 16, Metric(), "Headloss Equation Constant" },
        { 9, 16, Metric(), "Pump Curve A" },
        { 3, 34, Metric(), "Fitting Type" },
        { 2, 34, Metric(), "" },
        { 11, 16, US(), "Height Above Ground\r\n(ft)" },
        { 11, 17, US(), "Equivalent Length Diameter\r\n(in)" },
        { 17, 16, Metric(), "Arc\r\n(°)" },
        { 17, 22, US(), "Minimum Pressure\r\n(psi)" },
        { 4, 15, Metric(), "Lateral Diameter\r\n(mm)" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.header), GetColumnTitle(c.type, c.column, c.units)) << c.type << "/" << c.column;
}
