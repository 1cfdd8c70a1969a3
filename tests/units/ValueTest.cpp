#include <gtest/gtest.h>

#include "units/OZU_Value.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
}

TEST(OZU_Unit, SetUnitValidityFollowsIndex)
{
    struct Case { int index; int valid; };
    const Case cases[] = {{-1, 0}, {0, 1}, {6, 1}, {7, 0}, {1000, 0}};
    for (const Case& c : cases) {
        OZU_LengthUnit unit;
        EXPECT_EQ(0, unit.IsValid());
        unit.SetUnit(c.index);
        EXPECT_EQ(c.valid, unit.IsValid()) << c.index;
        EXPECT_EQ(c.index, unit.GetUnit());
    }
    OZU_AngleUnit angle;
    angle.SetUnit(2);
    EXPECT_EQ(0, angle.IsValid());
    angle.SetUnit(1);
    EXPECT_EQ(1, angle.IsValid());
}

// A copy works its flag out again from the index, whatever the source's flag.
TEST(OZU_Unit, CopyRederivesValidityFromIndex)
{
    OZU_LengthUnit outOfRange;
    outOfRange.SetUnit(9);
    outOfRange.Validate();
    ASSERT_EQ(1, outOfRange.IsValid());
    OZU_LengthUnit copy(outOfRange);
    EXPECT_EQ(0, copy.IsValid());
    EXPECT_EQ(9, copy.GetUnit());

    OZU_FlowUnit unset; // index 0, never set: invalid
    ASSERT_EQ(0, unset.IsValid());
    OZU_FlowUnit assigned;
    assigned = unset;
    EXPECT_EQ(1, assigned.IsValid());

    OZU_DiameterUnit diameter;
    diameter.SetUnit(LENGTH_IN);
    OZU_LengthUnit asLength;
    asLength = diameter;
    EXPECT_EQ(LENGTH_IN, asLength.GetUnit());
    EXPECT_TRUE(asLength == diameter);
}

// An index outside the list converts nothing instead of reading past the
// factor table.
TEST(OZU_Unit, FactorOutsideListIsOne)
{
    OZU_LengthUnit unit;
    unit.SetUnit(LENGTH_IN);
    EXPECT_EQ(1.0f, unit.GetFactor(7));
    EXPECT_EQ(1.0f, unit.GetFactor(-1));
    unit.SetUnit(1000000);
    EXPECT_EQ(1.0f, unit.GetFactor(LENGTH_M));
}

TEST(OZU_Value, SetValueFallsBackToFirstUnit)
{
    OZU_LengthValue fresh;
    fresh.SetValue(5.0, 7);
    EXPECT_EQ(0.0, fresh.GetValue());
    EXPECT_EQ(LENGTH_MM, fresh.GetUnit());
    EXPECT_EQ(1, fresh.GetUnitObject().IsValid());
    EXPECT_EQ(0, fresh.IsValid());

    OZU_LengthValue valid(2.0, LENGTH_M);
    ASSERT_EQ(1, valid.IsValid());
    valid.SetValue(5.0, -1);
    EXPECT_EQ(0.0, valid.GetValue());
    EXPECT_EQ(LENGTH_MM, valid.GetUnit());
    EXPECT_EQ(1, valid.IsValid());
}

TEST(OZU_Value, ConvertToKeepsNumberInNewUnitAndReturnsOldUnit)
{
    OZU_LengthValue v;
    v.SetValue(2.5, LENGTH_FT);
    ASSERT_EQ(1, v.IsValid());
    EXPECT_EQ(0.7620000094175339, v.GetValueIn(LENGTH_M));
    EXPECT_EQ(2.5, v.GetValue()); // GetValueIn changes nothing

    OZU_LengthUnit previous = v.ConvertTo(LENGTH_M);
    EXPECT_EQ(LENGTH_FT, previous.GetUnit());
    EXPECT_EQ(LENGTH_M, v.GetUnit());
    EXPECT_EQ(0.7620000094175339, v.GetValue());
    *v.GetValuePtr() = 4.0;
    EXPECT_EQ(4.0, v.GetValue());
}

// Every conversion multiplies by the factor ratio rounded to single
// precision; the expected numbers are exact doubles.
TEST(OZU_Value, ConversionsUseSinglePrecisionRatio)
{
    struct Case { const char* what; double got; double expected; };
    const Case cases[] = {
        {"1 in in mm", OZU_LengthValue(1, LENGTH_IN).GetValueIn(LENGTH_MM), 25.39999771118164},
        {"2.5 ft in m", OZU_DistanceValue(2.5, LENGTH_FT).GetValueIn(LENGTH_M), 0.7620000094175339},
        {"1 mile in km", OZU_LengthValue(1, LENGTH_MILES).GetValueIn(LENGTH_KM), 1.6089999675750732},
        {"1 m in in", OZU_DiameterValue(1, LENGTH_M).GetValueIn(LENGTH_IN), 39.370079040527344},
        {"12 in in ft", OZU_LengthValue(12, LENGTH_IN).GetValueIn(LENGTH_FT), 0.9999999403953552},
        {"1 km in m", OZU_LengthValue(1, LENGTH_KM).GetValueIn(LENGTH_M), 1000.0},
        {"1 m in mm", OZU_LengthValue(1, LENGTH_M).GetValueIn(LENGTH_MM), 999.9999389648438},
        {"100 cm in m", OZU_ElevationValue(100, LENGTH_CM).GetValueIn(LENGTH_M), 0.9999999776482582},
        {"1 m in cm", OZU_DepthValue(1, LENGTH_M).GetValueIn(LENGTH_CM), 100.0},
        {"3.3 m in m", OZU_LengthValue(3.3, LENGTH_M).GetValueIn(LENGTH_M), 3.3},
        {"10 points in mm", OZU_MediaLengthValue(10, MEDIA_POINTS).GetValueIn(MEDIA_MM), 3.527800142765045},
        {"1000 thou in in", OZU_MediaLengthValue(1000, MEDIA_THOU).GetValueIn(MEDIA_IN), 1.0000000474974513},
        {"1 acre in ha", OZU_AreaValue(1, AREA_ACRES).GetValueIn(AREA_HECTARES), 0.4046870172023773},
        {"100 ft2 in m2", OZU_AreaValue(100, AREA_FT2).GetValueIn(AREA_M2), 9.290000051259995},
        {"1 mu in m2", OZU_AreaValue(1, AREA_MU).GetValueIn(AREA_M2), 666.7000122070312},
        {"1 US gal in l", OZU_VolumeValue(1, VOLUME_USGAL).GetValueIn(VOLUME_LITRES), 3.7854297161102295},
        {"1 I gal in US gal", OZU_VolumeValue(1, VOLUME_IGAL).GetValueIn(VOLUME_USGAL), 1.200944185256958},
        {"60 mph in kph", OZU_VelocityValue(60, VELOCITY_MPH).GetValueIn(VELOCITY_KPH), 96.55986785888672},
        {"1 ft/s in m/s", OZU_VelocityValue(1, VELOCITY_FTPS).GetValueIn(VELOCITY_MPS), 0.30480000376701355},
        {"1 US gpm in lpm", OZU_FlowValue(1, FLOW_USGPM).GetValueIn(FLOW_LPM), 3.785433530807495},
        {"1 m3/h in lps", OZU_LargeFlowValue(1, FLOW_M3H).GetValueIn(FLOW_LPS), 0.2777777910232544},
        {"100 lph in US gph", OZU_SmallFlowValue(100, FLOW_LPH).GetValueIn(FLOW_USGPH), 26.41707956790924},
        {"1 US gpm/ft in lph/m", OZU_FlowPerLengthValue(1, FLOWPERLENGTH_USGPMFT).GetValueIn(FLOWPERLENGTH_LPHM), 745.160400390625},
        {"1 bar in atm", OZU_PressureValue(1, PRESSURE_BAR).GetValueIn(PRESSURE_ATM), 1.0},
        {"1 atm in kPa", OZU_PressureValue(1, PRESSURE_ATM).GetValueIn(PRESSURE_KPA), 100.0},
        {"30 psi in m", OZU_PressureValue(30, PRESSURE_PSI).GetValueIn(PRESSURE_M), 21.09209954738617},
        {"1 kg/cm2 in bar", OZU_PressureValue(1, PRESSURE_KGCM2).GetValueIn(PRESSURE_BAR), 0.9806613922119141},
        {"1 in/h in mm/h", OZU_PrecipRateValue(1, PRECIPRATE_INH).GetValueIn(PRECIPRATE_MMH), 25.399999618530273},
        {"1 rad in degrees", OZU_AngleValue(1, ANGLE_RADIANS).GetValueIn(ANGLE_DEGREES), 57.295780181884766},
        {"180 degrees in rad", OZU_AngleValue(180, ANGLE_DEGREES).GetValueIn(ANGLE_RADIANS), 3.1415926292538643},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.what;
    EXPECT_EQ(0.017453292519943295, OZU_DegToRad);
}

TEST(OZU_Value, CopyAndAssignmentReapplySetValueRules)
{
    OZU_LengthValue valid(3.0, LENGTH_FT);
    OZU_LengthValue copy(valid);
    EXPECT_EQ(1, copy.IsValid());
    EXPECT_EQ(3.0, copy.GetValue());
    EXPECT_EQ(LENGTH_FT, copy.GetUnit());

    // A media length is valid even with a unit outside its list; copying or
    // assigning it brings 0.0 in unit 0.
    OZU_MediaLengthValue odd(7.0, 9);
    ASSERT_EQ(1, odd.IsValid());
    ASSERT_EQ(9, odd.GetUnit());
    OZU_MediaLengthValue copied(odd);
    EXPECT_EQ(0.0, copied.GetValue());
    EXPECT_EQ(MEDIA_MM, copied.GetUnit());
    EXPECT_EQ(1, copied.IsValid()); // the source's own flag

    OZU_MediaLengthValue fresh;
    fresh = odd;
    EXPECT_EQ(0.0, fresh.GetValue());
    EXPECT_EQ(MEDIA_MM, fresh.GetUnit());
    EXPECT_EQ(0, fresh.IsValid()); // assignment keeps the target's flag

    OZU_DistanceValue target;
    target = OZU_DistanceValue(12.0, LENGTH_KM);
    EXPECT_EQ(1, target.IsValid());
    EXPECT_EQ(12.0, target.GetValue());
    EXPECT_EQ(LENGTH_KM, target.GetUnit());

    OZU_AngleValue angle(45.0, 5);
    EXPECT_EQ(1, angle.IsValid());
    EXPECT_EQ(5, angle.GetUnit());
}

// Equality converts the right operand into the left one's unit with the
// single-precision ratio, so it is not symmetric.
TEST(OZU_Value, EqualityWithinToleranceInLeftUnit)
{
    struct Case { OZU_LengthValue a, b; bool equal; };
    const Case cases[] = {
        {{1, LENGTH_M}, {1000, LENGTH_MM}, true},
        {{1000, LENGTH_MM}, {1, LENGTH_M}, false},
        {{100, LENGTH_CM}, {1, LENGTH_M}, true},
        {{1, LENGTH_M}, {1.000009, LENGTH_M}, true},
        {{1, LENGTH_M}, {1.00002, LENGTH_M}, false},
        {{kNaN, LENGTH_M}, {kNaN, LENGTH_M}, false},
        {{1, LENGTH_M}, {kNaN, LENGTH_FT}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.equal, c.a == c.b) << c.a.GetValue() << " " << c.b.GetValue();
        EXPECT_EQ(!c.equal, c.a != c.b);
    }
    EXPECT_TRUE(OZU_AngleValue(180, ANGLE_DEGREES) == OZU_AngleValue(3.14159265, ANGLE_RADIANS));
    EXPECT_TRUE(OZU_MediaLengthValue(25.4, MEDIA_MM) == OZU_MediaLengthValue(1, MEDIA_IN));
}

TEST(OZU_Value, DistanceAndFlowArithmeticKeepLeftUnit)
{
    OZU_DistanceValue a(2.0, LENGTH_M), b(50.0, LENGTH_CM);
    struct Case { const char* what; OZU_DistanceValue got; double expected; };
    const double bInM = b.GetValueIn(LENGTH_M);
    const Case cases[] = {
        {"a+b", a + b, 2.0 + bInM},   {"a-b", a - b, 2.0 - bInM},
        {"a*b", a * b, 2.0 * bInM},   {"a/b", a / b, 2.0 / bInM},
        {"a+d", a + 3.0, 5.0},        {"a-d", a - 3.0, -1.0},
        {"a*d", a * 3.0, 6.0},        {"a/d", a / 4.0, 0.5},
        {"-a", -a, -2.0},             {"+a", +a, 2.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, c.got.GetValue()) << c.what;
        EXPECT_EQ(LENGTH_M, c.got.GetUnit()) << c.what;
        EXPECT_EQ(1, c.got.IsValid()) << c.what;
    }

    OZU_FlowValue f(10.0, FLOW_LPM), g(10.0, FLOW_LPM);
    EXPECT_EQ(20.0, (f + g).GetValue()); // same unit: no conversion at all
    OZU_FlowValue h = f - OZU_FlowValue(60.0, FLOW_LPH);
    EXPECT_EQ(FLOW_LPM, h.GetUnit());
    EXPECT_NEAR(9.0, h.GetValue(), 1e-6);
}

TEST(OZU_Value, AngleSumAndComparisons)
{
    OZU_AngleValue right(90, ANGLE_DEGREES), halfPi(1.5707963267948966, ANGLE_RADIANS);
    OZU_AngleValue sum = right + halfPi;
    EXPECT_EQ(ANGLE_DEGREES, sum.GetUnit());
    EXPECT_NEAR(180.0, sum.GetValue(), 1e-4);
    EXPECT_EQ(-90.0, (-right).GetValue());

    OZU_AngleValue small(10, ANGLE_DEGREES), nan(kNaN, ANGLE_DEGREES);
    EXPECT_TRUE(small < right);
    EXPECT_TRUE(small <= right);
    EXPECT_FALSE(small > right);
    EXPECT_TRUE(right >= small);
    EXPECT_TRUE(right <= OZU_AngleValue(90, ANGLE_DEGREES));
    EXPECT_FALSE(nan < small);
    EXPECT_FALSE(nan > small);
    EXPECT_FALSE(small <= nan);
    EXPECT_FALSE(small >= nan);
}

TEST(OZU_Value, CrossQuantityOperators)
{
    // 2 m3/h over 1000 m2: 2 mm/h.
    OZU_PrecipRateValue rate = OZU_FlowValue(2.0, FLOW_M3H) / OZU_AreaValue(0.1, AREA_HECTARES);
    EXPECT_EQ(PRECIPRATE_MMH, rate.GetUnit());
    EXPECT_DOUBLE_EQ(2.0, rate.GetValue());

    // 4 lph/m over 25 m: 100 lph; a rate in lph/100m is converted first.
    OZU_FlowValue flow = OZU_FlowPerLengthValue(4.0, FLOWPERLENGTH_LPHM) * OZU_LengthValue(25.0, LENGTH_M);
    EXPECT_EQ(FLOW_LPH, flow.GetUnit());
    EXPECT_EQ(100.0, flow.GetValue());
    OZU_FlowValue fromPer100 = OZU_FlowPerLengthValue(400.0, FLOWPERLENGTH_LPH100M) *
                               OZU_LengthValue(2500.0, LENGTH_CM);
    EXPECT_NEAR(100.0, fromPer100.GetValue(), 1e-4);
}

namespace {

// factor[i] / factor[reference] of every unit of a list: the factor itself,
// since the reference unit's factor is 1.
template <class Unit>
std::vector<float> FactorsOf(int reference)
{
    std::vector<float> factors;
    for (int i = 0; i < Unit::Count; ++i) {
        Unit unit;
        unit.SetUnit(i);
        factors.push_back(unit.GetFactor(reference));
    }
    return factors;
}

} // namespace

// Every conversion factor, in stored order, as single-precision constants.
TEST(OZU_Unit, EveryFactorInStoredOrder)
{
    struct List { const char* what; std::vector<float> got, expected; };
    const List lists[] = {
        {"length", FactorsOf<OZU_LengthUnit>(LENGTH_M), {0.001f, 0.0254f, 1.0f, 0.3048f, 1609.0f, 1000.0f, 0.01f}},
        {"depth", FactorsOf<OZU_DepthUnit>(LENGTH_M), {0.001f, 0.0254f, 1.0f, 0.3048f, 1609.0f, 1000.0f, 0.01f}},
        {"media length", FactorsOf<OZU_MediaLengthUnit>(MEDIA_MM), {1.0f, 25.4f, 0.35278f, 0.01f, 0.0254f}},
        {"area", FactorsOf<OZU_AreaUnit>(AREA_M2),
         {1.0f, 0.0929f, 10000.0f, 4046.87f, 1000.0f, 1000.0f, 666.7f, 1600.0f, 4193.0f}},
        {"volume", FactorsOf<OZU_VolumeUnit>(VOLUME_M3), {1.0f, 0.028317f, 0.001f, 0.00378543f, 0.00454609f}},
        {"velocity", FactorsOf<OZU_VelocityUnit>(VELOCITY_MPS), {1.0f, 0.3048f, 0.27778f, 0.44704f}},
        {"flow", FactorsOf<OZU_FlowUnit>(FLOW_LPH),
         {1.0f, 60.0f, 3600.0f, 3.78543f, 227.126f, 4.54609f, 272.765f, 1000.0f}},
        {"small flow", FactorsOf<OZU_SmallFlowUnit>(FLOW_LPH),
         {1.0f, 60.0f, 3600.0f, 3.78543f, 227.126f, 4.54609f, 272.765f, 1000.0f}},
        {"flow per length", FactorsOf<OZU_FlowPerLengthUnit>(FLOWPERLENGTH_LPH100M), {1.0f, 100.0f, 745.1604f, 74516.04f}},
        {"pressure", FactorsOf<OZU_PressureUnit>(PRESSURE_M),
         {1.0f, 0.3048f, 10.1972f, 0.101972f, 10.0f, 10.1972f, 0.70307f}},
        {"precipitation rate", FactorsOf<OZU_PrecipRateUnit>(PRECIPRATE_MMH), {1.0f, 25.4f}},
        {"angle", FactorsOf<OZU_AngleUnit>(ANGLE_DEGREES), {1.0f, 57.29578f}},
    };
    for (const List& list : lists)
        EXPECT_EQ(list.expected, list.got) << list.what;
}
