#include <gtest/gtest.h>

#include "units/OZU_UnitSettings.h"

#include <string>
#include <vector>

namespace {

template <class Unit>
std::string NameOf(int index)
{
    Unit unit;
    unit.SetUnit(index);
    return unit.GetName().GetString();
}

} // namespace

// Every unit of every list, in stored order, with its name from the string
// table (UTF-8 text), and one index past the end giving an empty name.
TEST(OZU_UnitNames, EveryListInStoredOrder)
{
    struct List { const char* what; std::string (*name)(int); std::vector<std::string> names; };
    const List lists[] = {
        {"length", NameOf<OZU_LengthUnit>, {"mm", "in", "m", "ft", "miles", "km", "cm"}},
        {"diameter", NameOf<OZU_DiameterUnit>, {"mm", "in", "m", "ft", "miles", "km", "cm"}},
        {"media length", NameOf<OZU_MediaLengthUnit>, {"mm", "in", "Points", "mm/100", "\"/1000"}},
        {"area", NameOf<OZU_AreaUnit>,
         {"m\xC2\xB2", "ft\xC2\xB2", "hectares", "acres", "Dunam", "Dekar", "Mu", "Rai", "Feddan"}},
        {"volume", NameOf<OZU_VolumeUnit>, {"m\xC2\xB3", "ft\xC2\xB3", "litres", "US gal", "I gal"}},
        {"velocity", NameOf<OZU_VelocityUnit>, {"m/s", "ft/s", "kph", "mph"}},
        {"flow", NameOf<OZU_FlowUnit>,
         {"lph", "lpm", "lps", "US gph", "US gpm", "I gph", "I gpm", "m\xC2\xB3/h"}},
        {"large flow", NameOf<OZU_LargeFlowUnit>,
         {"lph", "lpm", "lps", "US gph", "US gpm", "I gph", "I gpm", "m\xC2\xB3/h"}},
        {"flow per length", NameOf<OZU_FlowPerLengthUnit>,
         {"lph/100m", "lph/m", "US gpm/100ft", "US gpm/ft"}},
        {"pressure", NameOf<OZU_PressureUnit>,
         {"m", "ft", "bar", "kPa", "kg/cm\xC2\xB2", "atm", "psi"}},
        {"precipitation rate", NameOf<OZU_PrecipRateUnit>, {"mm/h", "in/h"}},
        {"angle", NameOf<OZU_AngleUnit>, {"\xC2\xB0", "rad"}},
    };
    for (const List& list : lists) {
        for (size_t i = 0; i < list.names.size(); ++i)
            EXPECT_EQ(list.names[i], list.name((int)i)) << list.what << " " << i;
        EXPECT_EQ("", list.name((int)list.names.size())) << list.what;
        EXPECT_EQ("", list.name(-1)) << list.what;
    }
}

TEST(OZU_UnitNames, SettingsNameGetters)
{
    OZU_UnitSettings settings;
    CString name("old");
    EXPECT_STREQ("rad", settings.GetAngleUnitName(name, ANGLE_RADIANS).GetString());
    EXPECT_STREQ("m\xC2\xB3/h", settings.GetFlowUnitName(name, FLOW_M3H).GetString());
    EXPECT_STREQ("", settings.GetLengthUnitName(name, 7).GetString());
    EXPECT_STREQ("", name.GetString());
    EXPECT_STREQ("psi", settings.GetPressureUnitName(PRESSURE_PSI).GetString());
    EXPECT_STREQ("acres", settings.GetAreaUnitName(AREA_ACRES).GetString());
}

TEST(OZU_UnitNames, MetricLengthUnits)
{
    const bool metric[] = {true, false, true, false, false, true, true};
    OZU_LengthUnit unit;
    for (int i = 0; i < 7; ++i) {
        unit.SetUnit(i);
        EXPECT_EQ(metric[i], unit.IsMetric() != FALSE) << i;
        EXPECT_EQ(i == 0, unit.IsMillimetres() != FALSE) << i;
    }
    unit.SetUnit(7);
    EXPECT_FALSE(unit.IsMetric());
    unit.SetUnit(-1);
    EXPECT_FALSE(unit.IsMetric());
    EXPECT_FALSE(unit.IsMillimetres());
}
