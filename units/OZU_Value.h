// Quantity values: a double together with the unit it is expressed in. One
// class per quantity; a value converts itself to any unit of its list through
// the single-precision factor ratio of the unit class.
#pragma once
#include "units/OZU_Unit.h"

#include <cmath>
#include <cstddef>

// Writes x into text (size bytes, terminator included) with `digits`
// significant digits in a fixed-width field; see OZU_Value::Format. Never
// writes outside the buffer. Returns the number of characters written, or -1
// when the text had to be cut to fit.
int OZU_FormatNumber(double x, int digits, char* text, size_t size);

template <class TNumber, class XUnit, class UnitOfX>
class OZU_Value : public virtual OZU_Base
{
public:
    typedef XUnit UnitType;
    typedef UnitOfX UnitList;

    OZU_Value() : m_dValue(0.0) {}
    // The copy takes the source's own flag, then re-applies the rules of
    // SetValue to its number and unit.
    OZU_Value(const OZU_Value& other) : OZU_Base(other)
    {
        if (Set(other.m_dValue, other.m_Unit.GetUnit()))
            Validate();
    }
    OZU_Value& operator=(const OZU_Value& other)
    {
        SetValue(other.GetValue(), other.GetUnitObject().GetUnit());
        return *this;
    }

    // Stores number and unit and marks the value valid; a unit outside the
    // list gives 0.0 in the first unit of the list instead, and leaves the
    // value's own flag as it was.
    void SetValue(TNumber number, int unit)
    {
        if (Set(number, unit))
            Validate();
    }
    TNumber GetValue() const { return m_dValue; }
    // The number expressed in another unit of the list: factor ratio (single
    // precision, widened) times the number, in double precision.
    TNumber GetValueIn(int unit) const
    {
        double factor = m_Unit.GetFactor(unit);
        return factor * m_dValue;
    }
    // Converts the number into `unit` and holds it in that unit; returns the
    // unit held before.
    XUnit ConvertTo(int unit)
    {
        XUnit previous(m_Unit);
        m_dValue = GetValueIn(unit);
        m_Unit.SetUnit(unit);
        return previous;
    }
    TNumber* GetValuePtr() { return &m_dValue; }
    XUnit GetUnitObject() const { return m_Unit; }
    int GetUnit() const { return m_Unit.GetUnit(); }

    // The number as text with `digits` significant digits in a fixed-width
    // field (a number of 1 or more keeps all its integer digits).
    int Format(int digits, char* text, size_t size) const
    {
        return OZU_FormatNumber(m_dValue, digits, text, size);
    }

protected:
    // Number and unit; false (0.0 in unit 0) when the unit is outside the list.
    bool Set(TNumber number, int unit)
    {
        m_dValue = number;
        m_Unit.SetUnit(unit);
        if (m_Unit.IsValid())
            return true;
        m_dValue = 0.0;
        m_Unit.SetUnit(0);
        return false;
    }
    // Number and unit as given, the value marked valid whatever the unit.
    void SetAndValidate(TNumber number, int unit)
    {
        m_dValue = number;
        m_Unit.SetUnit(unit);
        Validate();
    }

    TNumber m_dValue;
    XUnit m_Unit;
};

// Named value classes. Each may be built from a number and a unit index, which
// is SetValue; the media-length and angle values are valid after it whatever
// the unit.
#define OZU_DECLARE_VALUE_CLASS(Name, Base)                                   \
    class Name : public Base                                                  \
    {                                                                         \
    public:                                                                   \
        Name() {}                                                             \
        Name(double number, int unit) { SetValue(number, unit); }             \
    }

typedef OZU_Value<double, OZU_LengthUnit, UnitOfLength> OZU_LengthValueBase;
typedef OZU_Value<double, OZU_AreaUnit, UnitOfArea> OZU_AreaValueBase;
typedef OZU_Value<double, OZU_VolumeUnit, UnitOfVolume> OZU_VolumeValueBase;
typedef OZU_Value<double, OZU_VelocityUnit, UnitOfVelocity> OZU_VelocityValueBase;
typedef OZU_Value<double, OZU_FlowUnit, UnitOfFlow> OZU_FlowValueBase;
typedef OZU_Value<double, OZU_FlowPerLengthUnit, UnitOfFlowPerLength> OZU_FlowPerLengthValueBase;
typedef OZU_Value<double, OZU_PressureUnit, UnitOfPressure> OZU_PressureValueBase;
typedef OZU_Value<double, OZU_PrecipRateUnit, UnitOfPrecipRate> OZU_PrecipRateValueBase;
typedef OZU_Value<double, OZU_MediaLengthUnit, UnitOfMediaLength> OZU_MediaLengthValueBase;
typedef OZU_Value<double, OZU_AngleUnit, UnitOfAngle> OZU_AngleValueBase;

OZU_DECLARE_VALUE_CLASS(OZU_LengthValue, OZU_LengthValueBase);
OZU_DECLARE_VALUE_CLASS(OZU_DistanceValue, OZU_LengthValue);
OZU_DECLARE_VALUE_CLASS(OZU_DiameterValue, OZU_LengthValue);
OZU_DECLARE_VALUE_CLASS(OZU_ElevationValue, OZU_LengthValue);
OZU_DECLARE_VALUE_CLASS(OZU_DepthValue, OZU_LengthValue);
OZU_DECLARE_VALUE_CLASS(OZU_AreaValue, OZU_AreaValueBase);
OZU_DECLARE_VALUE_CLASS(OZU_VolumeValue, OZU_VolumeValueBase);
OZU_DECLARE_VALUE_CLASS(OZU_VelocityValue, OZU_VelocityValueBase);
OZU_DECLARE_VALUE_CLASS(OZU_FlowValue, OZU_FlowValueBase);
OZU_DECLARE_VALUE_CLASS(OZU_SmallFlowValue, OZU_FlowValue);
OZU_DECLARE_VALUE_CLASS(OZU_LargeFlowValue, OZU_FlowValue);
OZU_DECLARE_VALUE_CLASS(OZU_FlowPerLengthValue, OZU_FlowPerLengthValueBase);
OZU_DECLARE_VALUE_CLASS(OZU_PressureValue, OZU_PressureValueBase);
OZU_DECLARE_VALUE_CLASS(OZU_PrecipRateValue, OZU_PrecipRateValueBase);
#undef OZU_DECLARE_VALUE_CLASS

class OZU_MediaLengthValue : public OZU_MediaLengthValueBase
{
public:
    OZU_MediaLengthValue() {}
    OZU_MediaLengthValue(double number, int unit) { SetAndValidate(number, unit); }
};

class OZU_AngleValue : public OZU_AngleValueBase
{
public:
    OZU_AngleValue() {}
    OZU_AngleValue(double number, int unit) { SetAndValidate(number, unit); }
};

// b's number in a's unit: unchanged when both hold the same unit index, else
// converted with b's factor ratio.
template <class V>
inline double OZU_InUnitOf(const V& a, const V& b)
{
    return a.GetUnit() == b.GetUnit() ? b.GetValue() : b.GetValueIn(a.GetUnit());
}

// Equality within 1e-5 in a's unit (b converted into a's unit, so the test is
// not symmetric); false when the difference is not a number.
template <class V>
inline bool OZU_NearlyEqual(const V& a, const V& b)
{
    return std::fabs(a.GetValue() - OZU_InUnitOf(a, b)) < 1e-5;
}

inline bool operator==(const OZU_LengthValue& a, const OZU_LengthValue& b) { return OZU_NearlyEqual(a, b); }
inline bool operator!=(const OZU_LengthValue& a, const OZU_LengthValue& b) { return !(a == b); }
inline bool operator==(const OZU_MediaLengthValue& a, const OZU_MediaLengthValue& b) { return OZU_NearlyEqual(a, b); }
inline bool operator!=(const OZU_MediaLengthValue& a, const OZU_MediaLengthValue& b) { return !(a == b); }
inline bool operator==(const OZU_AngleValue& a, const OZU_AngleValue& b) { return OZU_NearlyEqual(a, b); }
inline bool operator!=(const OZU_AngleValue& a, const OZU_AngleValue& b) { return !(a == b); }

// Arithmetic of distances and flows: the result holds a's unit.
#define OZU_DEFINE_ARITHMETIC(V)                                                              \
    inline V operator+(const V& a, const V& b) { return V(a.GetValue() + OZU_InUnitOf(a, b), a.GetUnit()); } \
    inline V operator-(const V& a, const V& b) { return V(a.GetValue() - OZU_InUnitOf(a, b), a.GetUnit()); } \
    inline V operator*(const V& a, const V& b) { return V(a.GetValue() * OZU_InUnitOf(a, b), a.GetUnit()); } \
    inline V operator/(const V& a, const V& b) { return V(a.GetValue() / OZU_InUnitOf(a, b), a.GetUnit()); } \
    inline V operator+(const V& a, double d) { return V(a.GetValue() + d, a.GetUnit()); }                   \
    inline V operator-(const V& a, double d) { return V(a.GetValue() - d, a.GetUnit()); }                   \
    inline V operator*(const V& a, double d) { return V(a.GetValue() * d, a.GetUnit()); }                   \
    inline V operator/(const V& a, double d) { return V(a.GetValue() / d, a.GetUnit()); }                   \
    inline V operator-(const V& a) { return V(-a.GetValue(), a.GetUnit()); }                                \
    inline V operator+(const V& a) { return V(a.GetValue(), a.GetUnit()); }

OZU_DEFINE_ARITHMETIC(OZU_DistanceValue)
OZU_DEFINE_ARITHMETIC(OZU_FlowValue)
#undef OZU_DEFINE_ARITHMETIC

// Angles add, negate and compare (any comparison with a not-a-number is false).
// The result is made with SetValue, as for the other quantities.
inline OZU_AngleValue OZU_MakeAngle(double number, int unit)
{
    OZU_AngleValue v;
    v.SetValue(number, unit);
    return v;
}
inline OZU_AngleValue operator+(const OZU_AngleValue& a, const OZU_AngleValue& b) { return OZU_MakeAngle(a.GetValue() + OZU_InUnitOf(a, b), a.GetUnit()); }
inline OZU_AngleValue operator-(const OZU_AngleValue& a) { return OZU_MakeAngle(-a.GetValue(), a.GetUnit()); }
inline OZU_AngleValue operator+(const OZU_AngleValue& a) { return OZU_MakeAngle(a.GetValue(), a.GetUnit()); }
inline bool operator<(const OZU_AngleValue& a, const OZU_AngleValue& b) { return a.GetValue() < OZU_InUnitOf(a, b); }
inline bool operator<=(const OZU_AngleValue& a, const OZU_AngleValue& b) { return a.GetValue() <= OZU_InUnitOf(a, b); }
inline bool operator>(const OZU_AngleValue& a, const OZU_AngleValue& b) { return a.GetValue() > OZU_InUnitOf(a, b); }
inline bool operator>=(const OZU_AngleValue& a, const OZU_AngleValue& b) { return a.GetValue() >= OZU_InUnitOf(a, b); }

// Precipitation rate of a flow over an area: (m3/h) / m2 * 1000, in mm/h.
inline OZU_PrecipRateValue operator/(const OZU_FlowValue& flow, const OZU_AreaValue& area)
{
    return OZU_PrecipRateValue(flow.GetValueIn(FLOW_M3H) / area.GetValueIn(AREA_M2) * 1000.0,
                               PRECIPRATE_MMH);
}

// Flow of a length of dripline: (lph/m) * m, in lph.
inline OZU_FlowValue operator*(const OZU_FlowPerLengthValue& rate, const OZU_LengthValue& length)
{
    return OZU_FlowValue(rate.GetValueIn(FLOWPERLENGTH_LPHM) * length.GetValueIn(LENGTH_M), FLOW_LPH);
}
