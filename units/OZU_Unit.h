// Units of measure: one enumeration per quantity (enumerator value = unit
// index, which is what value objects and the stored settings hold), the unit
// class template and the named unit classes with their names and factors.
#pragma once
#include "units/OZU_Array.h"
#include "platform/framework/base/String.h"

// The unit lists. Their order is stored data and never changes.
enum UnitOfLength
{
    LENGTH_MM = 0, LENGTH_IN, LENGTH_M, LENGTH_FT, LENGTH_MILES, LENGTH_KM, LENGTH_CM
};
enum UnitOfMediaLength
{
    MEDIA_MM = 0, MEDIA_IN, MEDIA_POINTS, MEDIA_MM100, MEDIA_THOU
};
enum UnitOfArea
{
    AREA_M2 = 0, AREA_FT2, AREA_HECTARES, AREA_ACRES, AREA_DUNAM, AREA_DEKAR, AREA_MU,
    AREA_RAI, AREA_FEDDAN
};
enum UnitOfVolume
{
    VOLUME_M3 = 0, VOLUME_FT3, VOLUME_LITRES, VOLUME_USGAL, VOLUME_IGAL
};
enum UnitOfVelocity
{
    VELOCITY_MPS = 0, VELOCITY_FTPS, VELOCITY_KPH, VELOCITY_MPH
};
enum UnitOfFlow
{
    FLOW_LPH = 0, FLOW_LPM, FLOW_LPS, FLOW_USGPH, FLOW_USGPM, FLOW_IGPH, FLOW_IGPM, FLOW_M3H
};
enum UnitOfFlowPerLength
{
    FLOWPERLENGTH_LPH100M = 0, FLOWPERLENGTH_LPHM, FLOWPERLENGTH_USGPM100FT, FLOWPERLENGTH_USGPMFT
};
enum UnitOfPressure
{
    PRESSURE_M = 0, PRESSURE_FT, PRESSURE_BAR, PRESSURE_KPA, PRESSURE_KGCM2, PRESSURE_ATM,
    PRESSURE_PSI
};
enum UnitOfPrecipRate
{
    PRECIPRATE_MMH = 0, PRECIPRATE_INH
};
enum UnitOfAngle
{
    ANGLE_DEGREES = 0, ANGLE_RADIANS
};

// Degrees to radians (pi / 180).
extern const double OZU_DegToRad;

// The conversion factors of one unit list: entry i is the size of unit i in
// the list's reference unit, in single precision. Built on first use (before
// any conversion) and read-only afterwards.
const OZU_Array<float>& OZU_FactorTable(UnitOfLength);
const OZU_Array<float>& OZU_FactorTable(UnitOfMediaLength);
const OZU_Array<float>& OZU_FactorTable(UnitOfArea);
const OZU_Array<float>& OZU_FactorTable(UnitOfVolume);
const OZU_Array<float>& OZU_FactorTable(UnitOfVelocity);
const OZU_Array<float>& OZU_FactorTable(UnitOfFlow);
const OZU_Array<float>& OZU_FactorTable(UnitOfFlowPerLength);
const OZU_Array<float>& OZU_FactorTable(UnitOfPressure);
const OZU_Array<float>& OZU_FactorTable(UnitOfPrecipRate);
const OZU_Array<float>& OZU_FactorTable(UnitOfAngle);

// The string-table id of the name of unit `index` of a list; 0 outside it.
UINT OZU_UnitNameId(UnitOfLength, int index);
UINT OZU_UnitNameId(UnitOfMediaLength, int index);
UINT OZU_UnitNameId(UnitOfArea, int index);
UINT OZU_UnitNameId(UnitOfVolume, int index);
UINT OZU_UnitNameId(UnitOfVelocity, int index);
UINT OZU_UnitNameId(UnitOfFlow, int index);
UINT OZU_UnitNameId(UnitOfFlowPerLength, int index);
UINT OZU_UnitNameId(UnitOfPressure, int index);
UINT OZU_UnitNameId(UnitOfPrecipRate, int index);
UINT OZU_UnitNameId(UnitOfAngle, int index);

// The name of a unit from the string table (so that a language library can
// replace it); empty for id 0.
CString OZU_LoadUnitName(UINT nameId);

// One unit choice of a quantity: an index into the quantity's list of N units,
// valid when it lies in 0 .. N-1.
template <class UnitOfX, int N>
class OZU_Unit : public virtual OZU_Base
{
public:
    typedef UnitOfX UnitList;
    static constexpr int Count = N;

    OZU_Unit() : m_nUnit(0) {}
    // A copy works its validity out again from the index.
    OZU_Unit(const OZU_Unit& other) : OZU_Base() { SetUnit(other.GetUnit()); }
    OZU_Unit& operator=(const OZU_Unit& other)
    {
        SetUnit(other.GetUnit());
        return *this;
    }

    int IsValid() const override { return m_nValid != 0 ? 1 : 0; }

    // Stores the index; valid exactly when it lies in the list.
    void SetUnit(int index)
    {
        m_nUnit = index;
        m_nValid = (index >= 0 && index < N) ? 1 : 0;
    }
    int GetUnit() const { return m_nUnit; }

    // factor[this unit] / factor[target], the quotient of two single-precision
    // factors rounded to single precision. An index outside the list converts
    // nothing (1.0) rather than read past the table.
    float GetFactor(int target) const
    {
        if (m_nUnit < 0 || m_nUnit >= N || target < 0 || target >= N)
            return 1.0f;
        const OZU_Array<float>& factors = OZU_FactorTable(UnitOfX(0));
        float ratio = factors[(uint32_t)m_nUnit] / factors[(uint32_t)target];
        return ratio;
    }

    // Name of the current unit from the string table; empty outside the list.
    CString GetName() const { return OZU_LoadUnitName(OZU_UnitNameId(UnitOfX(0), m_nUnit)); }

    bool operator==(const OZU_Unit& other) const { return m_nUnit == other.m_nUnit; }
    bool operator!=(const OZU_Unit& other) const { return m_nUnit != other.m_nUnit; }

protected:
    int32_t m_nUnit;
};

class OZU_LengthUnit : public OZU_Unit<UnitOfLength, 7>
{
public:
    // TRUE for mm, m, km and cm.
    BOOL IsMetric() const
    {
        return m_nUnit == LENGTH_MM || m_nUnit == LENGTH_M || m_nUnit == LENGTH_KM ||
               m_nUnit == LENGTH_CM;
    }
    BOOL IsMillimetres() const { return m_nUnit == LENGTH_MM; }
};
class OZU_DistanceUnit : public OZU_LengthUnit {};
class OZU_DiameterUnit : public OZU_LengthUnit {};
class OZU_ElevationUnit : public OZU_LengthUnit {};
class OZU_DepthUnit : public OZU_LengthUnit {};

class OZU_MediaLengthUnit : public OZU_Unit<UnitOfMediaLength, 5> {};
class OZU_AreaUnit : public OZU_Unit<UnitOfArea, 9> {};
class OZU_VolumeUnit : public OZU_Unit<UnitOfVolume, 5> {};
class OZU_VelocityUnit : public OZU_Unit<UnitOfVelocity, 4> {};

class OZU_FlowUnit : public OZU_Unit<UnitOfFlow, 8> {};
class OZU_SmallFlowUnit : public OZU_FlowUnit {};
class OZU_LargeFlowUnit : public OZU_FlowUnit {};

class OZU_FlowPerLengthUnit : public OZU_Unit<UnitOfFlowPerLength, 4> {};
class OZU_PressureUnit : public OZU_Unit<UnitOfPressure, 7> {};
class OZU_PrecipRateUnit : public OZU_Unit<UnitOfPrecipRate, 2> {};
class OZU_AngleUnit : public OZU_Unit<UnitOfAngle, 2> {};
