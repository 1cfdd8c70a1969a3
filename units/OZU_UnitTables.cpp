// Conversion factors and string-table ids of the names of every unit list.
#include "units/OZU_Unit.h"
#include "units/UnitsRes.h"

#include <iterator>

namespace {
// Worked out at compile time, so that every table below is constant data.
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
}

const double OZU_DegToRad = kDegToRad;

namespace {

struct UnitEntry
{
    UINT nameId;
    float factor;
};

// A factor table sized to its list, entry i being the factor of unit i.
template <size_t N>
OZU_Array<float> MakeTable(const UnitEntry (&entries)[N])
{
    OZU_Array<float> table(0, 10);
    table.SetSize((uint32_t)N);
    for (uint32_t i = 0; i < N; ++i)
        table[i] = entries[i].factor;
    return table;
}

template <size_t N>
UINT NameId(const UnitEntry (&entries)[N], int index)
{
    return (index >= 0 && index < (int)N) ? entries[index].nameId : 0;
}

// Reference unit: metre.
const UnitEntry kLength[] = {
    {IDS_UNIT_MM, 0.001f}, {IDS_UNIT_IN, 0.0254f}, {IDS_UNIT_M, 1.0f}, {IDS_UNIT_FT, 0.3048f},
    {IDS_UNIT_MILES, 1609.0f}, {IDS_UNIT_KM, 1000.0f}, {IDS_UNIT_CM, 0.01f},
};
// Reference unit: millimetre.
const UnitEntry kMediaLength[] = {
    {IDS_UNIT_MM, 1.0f}, {IDS_UNIT_IN, 25.4f}, {IDS_UNIT_POINTS, 0.35278f},
    {IDS_UNIT_MM_100, 0.01f}, {IDS_UNIT_THOU, 0.0254f},
};
// Reference unit: square metre.
const UnitEntry kArea[] = {
    {IDS_UNIT_M2, 1.0f}, {IDS_UNIT_FT2, 0.0929f}, {IDS_UNIT_HECTARES, 10000.0f},
    {IDS_UNIT_ACRES, 4046.87f}, {IDS_UNIT_DUNAM, 1000.0f}, {IDS_UNIT_DEKAR, 1000.0f},
    {IDS_UNIT_MU, 666.7f}, {IDS_UNIT_RAI, 1600.0f}, {IDS_UNIT_FEDDAN, 4193.0f},
};
// Reference unit: cubic metre.
const UnitEntry kVolume[] = {
    {IDS_UNIT_M3, 1.0f}, {IDS_UNIT_FT3, 0.028317f}, {IDS_UNIT_LITRES, 0.001f},
    {IDS_UNIT_US_GAL, 0.00378543f}, {IDS_UNIT_I_GAL, 0.00454609f},
};
// Reference unit: metre per second.
const UnitEntry kVelocity[] = {
    {IDS_UNIT_M_PER_S, 1.0f}, {IDS_UNIT_FT_PER_S, 0.3048f}, {IDS_UNIT_KPH, 0.27778f},
    {IDS_UNIT_MPH, 0.44704f},
};
// Reference unit: litre per hour.
const UnitEntry kFlow[] = {
    {IDS_UNIT_LPH, 1.0f}, {IDS_UNIT_LPM, 60.0f}, {IDS_UNIT_LPS, 3600.0f},
    {IDS_UNIT_US_GPH, 3.78543f}, {IDS_UNIT_US_GPM, 227.126f}, {IDS_UNIT_I_GPH, 4.54609f},
    {IDS_UNIT_I_GPM, 272.765f}, {IDS_UNIT_M3_PER_H, 1000.0f},
};
// Reference unit: litre per hour per 100 m.
const UnitEntry kFlowPerLength[] = {
    {IDS_UNIT_LPH_100M, 1.0f}, {IDS_UNIT_LPH_M, 100.0f}, {IDS_UNIT_US_GPM_100FT, 745.1604f},
    {IDS_UNIT_US_GPM_FT, 74516.04f},
};
// Reference unit: metre of water head.
const UnitEntry kPressure[] = {
    {IDS_UNIT_PRESSURE_M, 1.0f}, {IDS_UNIT_PRESSURE_FT, 0.3048f}, {IDS_UNIT_BAR, 10.1972f},
    {IDS_UNIT_KPA, 0.101972f}, {IDS_UNIT_KG_PER_CM2, 10.0f}, {IDS_UNIT_ATM, 10.1972f},
    {IDS_UNIT_PSI, 0.70307f},
};
// Reference unit: millimetre per hour.
const UnitEntry kPrecipRate[] = {
    {IDS_UNIT_MM_PER_H, 1.0f}, {IDS_UNIT_IN_PER_H, 25.4f},
};
// Reference unit: degree. The radian factor is worked out in double precision
// and then rounded to single precision.
const UnitEntry kAngle[] = {
    {IDS_UNIT_DEGREES, 1.0f}, {IDS_UNIT_RAD, (float)(1.0 / kDegToRad)},
};

} // namespace

#define OZU_UNIT_LIST(UnitOfX, entries)                                        \
    const OZU_Array<float>& OZU_FactorTable(UnitOfX)                           \
    {                                                                          \
        static const OZU_Array<float> table = MakeTable(entries);             \
        return table;                                                          \
    }                                                                          \
    UINT OZU_UnitNameId(UnitOfX, int index) { return NameId(entries, index); }

OZU_UNIT_LIST(UnitOfLength, kLength)
OZU_UNIT_LIST(UnitOfMediaLength, kMediaLength)
OZU_UNIT_LIST(UnitOfArea, kArea)
OZU_UNIT_LIST(UnitOfVolume, kVolume)
OZU_UNIT_LIST(UnitOfVelocity, kVelocity)
OZU_UNIT_LIST(UnitOfFlow, kFlow)
OZU_UNIT_LIST(UnitOfFlowPerLength, kFlowPerLength)
OZU_UNIT_LIST(UnitOfPressure, kPressure)
OZU_UNIT_LIST(UnitOfPrecipRate, kPrecipRate)
OZU_UNIT_LIST(UnitOfAngle, kAngle)
#undef OZU_UNIT_LIST

CString OZU_LoadUnitName(UINT nameId)
{
    CString name;
    if (nameId != 0)
        name.LoadString(nameId);
    return name;
}
