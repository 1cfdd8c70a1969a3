#include <gtest/gtest.h>

#include "units/OZU_UnitSettings.h"
#include "tests/support/RegistryHelpers.h"

#include <functional>
#include <string>
#include <vector>

using kvtest::StoredText;
using kvtest::StoreText;

namespace {

const char* const kSlots[18] = {
    "Length", "Distance", "Diameter", "Elevation", "Depth", "MediaLength", "Area", "Volume",
    "Velocity", "Flow", "SmallFlow", "LargeFlow", "FlowPerLength", "Pressure", "PrecipRate",
    "Angle", "Import", "DecPlaces",
};
// The preset columns in the order above.
const int kMetric[18] = {2, 2, 0, 2, 0, 0, 2, 2, 0, 1, 1, 7, 0, 0, 0, 0, 2, 2};
const int kUS[18] = {3, 3, 1, 3, 1, 1, 3, 3, 1, 3, 3, 4, 2, 6, 1, 0, 3, 2};

// The 18 entries of a unit set in stored order.
std::vector<int> Entries(const OZU_UnitSet& s)
{
    return {s.m_Length.GetUnit(), s.m_Distance.GetUnit(), s.m_Diameter.GetUnit(),
            s.m_Elevation.GetUnit(), s.m_Depth.GetUnit(), s.m_MediaLength.GetUnit(),
            s.m_Area.GetUnit(), s.m_Volume.GetUnit(), s.m_Velocity.GetUnit(),
            s.m_Flow.GetUnit(), s.m_SmallFlow.GetUnit(), s.m_LargeFlow.GetUnit(),
            s.m_FlowPerLength.GetUnit(), s.m_Pressure.GetUnit(), s.m_PrecipRate.GetUnit(),
            s.m_Angle.GetUnit(), s.m_Import.GetUnit(), s.m_nDecPlaces};
}

std::vector<int> Column(const int (&column)[18])
{
    return std::vector<int>(column, column + 18);
}

// What the registry holds under "Units", as numbers (-1000 for a missing or
// non-numeric value).
std::vector<int> StoredEntries()
{
    std::vector<int> values;
    for (const char* slot : kSlots) {
        std::string text = StoredText("Units", slot);
        values.push_back(text.empty() || text[0] == '<' ? -1000 : std::stoi(text));
    }
    return values;
}

class UnitSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { kvtest::DeleteProductSubKey("Units"); }
    void TearDown() override { kvtest::DeleteProductSubKey("Units"); }
};

} // namespace

// Nothing stored: the metric preset; leaving writes every entry.
TEST_F(UnitSettingsTest, FirstRunUsesMetricAndSavesEverythingOnExit)
{
    {
        OZU_UnitSettings settings;
        settings.Load();
        EXPECT_EQ(Column(kMetric), Entries(*settings.GetUnits()));
        EXPECT_EQ(2, settings.GetDecPlaces());
        EXPECT_EQ("<none>", StoredText("Units", "Length"));
    }
    EXPECT_EQ(Column(kMetric), StoredEntries());
    EXPECT_EQ("7", StoredText("Units", "LargeFlow"));
}

TEST_F(UnitSettingsTest, PresetsAndValidate)
{
    OZU_UnitSettings settings;
    EXPECT_EQ(Column(kMetric), Entries(*settings.GetMetricUnits()));
    EXPECT_EQ(Column(kUS), Entries(*settings.GetUSUnits()));
    EXPECT_EQ(1, settings.IsValid());

    OZU_UnitSet us(0);
    EXPECT_EQ(Column(kUS), Entries(us));
    us.m_nDecPlaces = 4;
    settings.SetUnits(us);
    EXPECT_EQ(4, settings.GetDecPlaces());
    OZU_PressureUnit pressure;
    EXPECT_EQ(PRESSURE_PSI, settings.GetPressureUnit(pressure).GetUnit());

    settings.Validate();
    EXPECT_EQ(Column(kMetric), Entries(*settings.GetUnits()));
    EXPECT_EQ(2, settings.GetDecPlaces());
}

// Only Pressure stored: psi, every other slot metric.
TEST_F(UnitSettingsTest, OnlyStoredEntriesChange)
{
    StoreText("Units", "Pressure", "6");
    OZU_UnitSettings settings;
    settings.Load();
    std::vector<int> expected = Column(kMetric);
    expected[13] = 6;
    EXPECT_EQ(expected, Entries(*settings.GetUnits()));
}

// The units dialog's US choice confirmed: SetUnits then Save stores the US
// column, and a later start reads it.
TEST_F(UnitSettingsTest, SavedSetIsLoadedAgain)
{
    {
        OZU_UnitSettings settings;
        settings.SetUnits(*settings.GetUSUnits());
        settings.Save();
        EXPECT_EQ(Column(kUS), StoredEntries());
    }
    OZU_UnitSettings next;
    next.Load();
    EXPECT_EQ(Column(kUS), Entries(*next.GetUnits()));
    OZU_FlowUnit flow;
    EXPECT_EQ(FLOW_USGPH, next.GetFlowUnit(flow).GetUnit());
    OZU_LengthUnit import;
    EXPECT_EQ(LENGTH_FT, next.GetImportUnit(import).GetUnit());
}

// Stored values the program cannot use keep the choice held before, so no
// conversion or name look-up ever goes past a unit list.
TEST_F(UnitSettingsTest, BadStoredValuesKeepCurrentChoice)
{
    struct Case { const char* slot; const char* stored; };
    const Case cases[] = {
        {"Length", "7"},      {"Distance", "-1"},   {"Diameter", "abc"}, {"Elevation", ""},
        {"Depth", "0mm"},     {"MediaLength", "5"}, {"Area", "9"},       {"Volume", "99999999999"},
        {"Velocity", "4"},    {"Flow", "8"},        {"SmallFlow", "-8"}, {"LargeFlow", " 8 "},
        {"FlowPerLength", "4"}, {"Pressure", "7"},  {"PrecipRate", "2"}, {"Angle", "2"},
        {"Import", "100"},    {"DecPlaces", "-3"},
    };
    for (const Case& c : cases)
        StoreText("Units", c.slot, c.stored);

    OZU_UnitSettings settings;
    OZU_UnitSet us(0);
    settings.SetUnits(us);
    settings.Load();
    std::vector<int> expected = Column(kUS);
    expected[4] = 0; // "0mm" reads as 0, as "%d" reads it
    EXPECT_EQ(expected, Entries(*settings.GetUnits()));

    OZU_LengthUnit length;
    settings.GetLengthUnit(length);
    EXPECT_EQ(1, length.IsValid());
    EXPECT_STREQ("ft", length.GetName().GetString());
    OZU_LengthValue metre(1.0, LENGTH_M);
    EXPECT_EQ(3.2808399200439453, metre.GetValueIn(length.GetUnit()));

    for (const char* decPlaces : {"1000", "-1", "17"}) {
        StoreText("Units", "DecPlaces", decPlaces);
        settings.Load();
        EXPECT_EQ(2, settings.GetDecPlaces()) << decPlaces;
    }
    StoreText("Units", "DecPlaces", "16");
    settings.Load();
    EXPECT_EQ(16, settings.GetDecPlaces());
}

// The design program shares these values: a stored value this program does
// not understand stays as it is stored when the settings are saved, until
// the user chooses another unit for it; every other entry is written.
TEST_F(UnitSettingsTest, SavingLeavesValuesItCannotReadAsStored)
{
    StoreText("Units", "Diameter", "abc");
    StoreText("Units", "Pressure", "9");
    StoreText("Units", "DecPlaces", "40");
    {
        OZU_UnitSettings settings;
        settings.Load();
        EXPECT_EQ(0, settings.GetUnits()->m_Pressure.GetUnit());
        settings.Save();
    }
    EXPECT_EQ("abc", StoredText("Units", "Diameter"));
    EXPECT_EQ("9", StoredText("Units", "Pressure"));
    EXPECT_EQ("40", StoredText("Units", "DecPlaces"));
    EXPECT_EQ("2", StoredText("Units", "Length"));

    // Choosing a unit for one of them stores that choice; the others stay.
    {
        OZU_UnitSettings settings;
        settings.Load();
        OZU_UnitSet units = *settings.GetUnits();
        units.m_Pressure.SetUnit(PRESSURE_PSI);
        settings.SetUnits(units);
    }
    EXPECT_EQ("6", StoredText("Units", "Pressure"));
    EXPECT_EQ("abc", StoredText("Units", "Diameter"));
    EXPECT_EQ("40", StoredText("Units", "DecPlaces"));
}

TEST_F(UnitSettingsTest, DefaultLimits)
{
    OZU_UnitSettings settings;
    struct Case { const char* what; double value; int unit; double expectedValue; int expectedUnit; };
    OZU_LargeFlowValue largeFlow;
    OZU_DiameterValue diameter;
    OZU_VolumeValue volume;
    OZU_VelocityValue velocity;
    OZU_PrecipRateValue precip;
    OZU_AreaValue area;
    OZU_AngleValue angle;
    OZU_PressureValue pressure;
    OZU_DistanceValue distance;
    const Case cases[] = {
        {"large flow rec max", settings.GetLargeFlowLimit(3, largeFlow).GetValue(), largeFlow.GetUnit(), 5000, FLOW_M3H},
        {"large flow hard max", settings.GetLargeFlowLimit(1, largeFlow).GetValue(), largeFlow.GetUnit(), 1e10, FLOW_LPH},
        {"diameter hard min", settings.GetDiameterLimit(0, diameter).GetValue(), diameter.GetUnit(), 0.1, LENGTH_MM},
        {"diameter hard max", settings.GetDiameterLimit(1, diameter).GetValue(), diameter.GetUnit(), 10, LENGTH_M},
        {"volume hard min", settings.GetVolumeLimit(0, volume).GetValue(), volume.GetUnit(), 0.009999999776482582, VOLUME_LITRES},
        {"velocity rec min", settings.GetVelocityLimit(2, velocity).GetValue(), velocity.GetUnit(), 0.10000000149011612, VELOCITY_MPS},
        {"precip hard min", settings.GetPrecipRateLimit(0, precip).GetValue(), precip.GetUnit(), 0.10000000149011612, PRECIPRATE_MMH},
        {"area rec max", settings.GetAreaLimit(3, area).GetValue(), area.GetUnit(), 10000, AREA_HECTARES},
        {"angle hard min", settings.GetAngleLimit(0, angle).GetValue(), angle.GetUnit(), -360, ANGLE_DEGREES},
        {"pressure rec max", settings.GetPressureLimit(3, pressure).GetValue(), pressure.GetUnit(), 200, PRESSURE_M},
        {"distance rec max", settings.GetDistanceLimit(3, distance).GetValue(), distance.GetUnit(), 100000, LENGTH_M},
        // An index past the row gives the hard minimum instead of reading past it.
        {"diameter n=9", settings.GetDiameterLimit(9, diameter).GetValue(), diameter.GetUnit(), 0.1, LENGTH_MM},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expectedValue, c.value) << c.what;
        EXPECT_EQ(c.expectedUnit, c.unit) << c.what;
    }
    EXPECT_EQ(1, largeFlow.IsValid());

    OZU_UnitLimits limits;
    limits.m_Diameter[OZU_HARD_MAX] = OZU_DiameterValue(2, LENGTH_M);
    settings.SetLimits(limits);
    EXPECT_EQ(2.0, settings.GetDiameterLimit(1, diameter).GetValue());
    settings.Validate();
    EXPECT_EQ(10.0, settings.GetDiameterLimit(1, diameter).GetValue());
}

// Every default limit of every quantity: value and the unit it is held in.
TEST_F(UnitSettingsTest, EveryDefaultLimit)
{
    OZU_UnitSettings settings;
    struct Limit { double value; int unit; };
    struct Row { const char* what; Limit limits[4]; std::function<Limit(unsigned)> get; };
    auto getter = [&settings](auto method, auto value) {
        return [&settings, method, value](unsigned n) mutable {
            (settings.*method)(n, value);
            return Limit{value.GetValue(), value.GetUnit()};
        };
    };
    const double f01 = 0.009999999776482582, f1 = 0.10000000149011612;
    const Row rows[] = {
        {"length", {{0, 2}, {1e10, 2}, {0, 2}, {1e10, 2}}, getter(&OZU_UnitSettings::GetLengthLimit, OZU_LengthValue())},
        {"distance", {{0, 2}, {1e10, 2}, {0, 2}, {100000, 2}}, getter(&OZU_UnitSettings::GetDistanceLimit, OZU_DistanceValue())},
        {"diameter", {{0.1, 0}, {10, 2}, {0.5, 0}, {1, 2}}, getter(&OZU_UnitSettings::GetDiameterLimit, OZU_DiameterValue())},
        {"elevation", {{-10000, 2}, {10000, 2}, {-500, 2}, {5000, 2}}, getter(&OZU_UnitSettings::GetElevationLimit, OZU_ElevationValue())},
        {"depth", {{-50, 2}, {500, 2}, {-1, 2}, {5, 2}}, getter(&OZU_UnitSettings::GetDepthLimit, OZU_DepthValue())},
        {"media length", {{0.01, 0}, {1200, 0}, {0.1, 0}, {5, 0}}, getter(&OZU_UnitSettings::GetMediaLengthLimit, OZU_MediaLengthValue())},
        {"area", {{0, 0}, {1e10, 0}, {1, 0}, {10000, 2}}, getter(&OZU_UnitSettings::GetAreaLimit, OZU_AreaValue())},
        {"volume", {{f01, 2}, {1e10, 2}, {1, 2}, {10000, 2}}, getter(&OZU_UnitSettings::GetVolumeLimit, OZU_VolumeValue())},
        {"velocity", {{0.001, 0}, {313, 0}, {f1, 0}, {10, 0}}, getter(&OZU_UnitSettings::GetVelocityLimit, OZU_VelocityValue())},
        {"flow", {{0, 0}, {1e10, 0}, {0, 0}, {1e10, 0}}, getter(&OZU_UnitSettings::GetFlowLimit, OZU_FlowValue())},
        {"small flow", {{0, 0}, {1e10, 0}, {1, 0}, {1000, 0}}, getter(&OZU_UnitSettings::GetSmallFlowLimit, OZU_SmallFlowValue())},
        {"large flow", {{0, 0}, {1e10, 0}, {0, 0}, {5000, 7}}, getter(&OZU_UnitSettings::GetLargeFlowLimit, OZU_LargeFlowValue())},
        {"flow per length", {{0, 0}, {1e10, 0}, {50, 0}, {5000, 0}}, getter(&OZU_UnitSettings::GetFlowPerLengthLimit, OZU_FlowPerLengthValue())},
        {"pressure", {{-1000, 0}, {1e10, 0}, {-100, 0}, {200, 0}}, getter(&OZU_UnitSettings::GetPressureLimit, OZU_PressureValue())},
        {"precipitation rate", {{f1, 0}, {9999, 0}, {1, 0}, {300, 0}}, getter(&OZU_UnitSettings::GetPrecipRateLimit, OZU_PrecipRateValue())},
        {"angle", {{-360, 0}, {360, 0}, {0, 0}, {360, 0}}, getter(&OZU_UnitSettings::GetAngleLimit, OZU_AngleValue())},
    };
    for (const Row& row : rows) {
        for (unsigned n = 0; n < 4; ++n) {
            Limit got = row.get(n);
            EXPECT_EQ(row.limits[n].value, got.value) << row.what << " " << n;
            EXPECT_EQ(row.limits[n].unit, got.unit) << row.what << " " << n;
        }
    }
}
