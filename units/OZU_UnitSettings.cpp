#include "units/OZU_UnitSettings.h"
#include "units/OZU_SettingsStore.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

// ---- OZU_UnitSet ------------------------------------------------------------

OZU_UnitSet::OZU_UnitSet(int metric)
{
    SetDefaults(metric);
}

OZU_UnitSet& OZU_UnitSet::operator=(const OZU_UnitSet& other)
{
    m_Length = other.m_Length;
    m_Distance = other.m_Distance;
    m_Diameter = other.m_Diameter;
    m_Elevation = other.m_Elevation;
    m_Depth = other.m_Depth;
    m_MediaLength = other.m_MediaLength;
    m_Area = other.m_Area;
    m_Volume = other.m_Volume;
    m_Velocity = other.m_Velocity;
    m_Flow = other.m_Flow;
    m_SmallFlow = other.m_SmallFlow;
    m_LargeFlow = other.m_LargeFlow;
    m_FlowPerLength = other.m_FlowPerLength;
    m_Pressure = other.m_Pressure;
    m_PrecipRate = other.m_PrecipRate;
    m_Angle = other.m_Angle;
    m_Import = other.m_Import;
    m_nDecPlaces = other.m_nDecPlaces;
    return *this;
}

void OZU_UnitSet::SetDefaults(int metric)
{
    const bool m = metric != 0;
    m_Length.SetUnit(m ? LENGTH_M : LENGTH_FT);
    m_Distance.SetUnit(m ? LENGTH_M : LENGTH_FT);
    m_Diameter.SetUnit(m ? LENGTH_MM : LENGTH_IN);
    m_Elevation.SetUnit(m ? LENGTH_M : LENGTH_FT);
    m_Depth.SetUnit(m ? LENGTH_MM : LENGTH_IN);
    m_MediaLength.SetUnit(m ? MEDIA_MM : MEDIA_IN);
    m_Area.SetUnit(m ? AREA_HECTARES : AREA_ACRES);
    m_Volume.SetUnit(m ? VOLUME_LITRES : VOLUME_USGAL);
    m_Velocity.SetUnit(m ? VELOCITY_MPS : VELOCITY_FTPS);
    m_Flow.SetUnit(m ? FLOW_LPM : FLOW_USGPH);
    m_SmallFlow.SetUnit(m ? FLOW_LPM : FLOW_USGPH);
    m_LargeFlow.SetUnit(m ? FLOW_M3H : FLOW_USGPM);
    m_FlowPerLength.SetUnit(m ? FLOWPERLENGTH_LPH100M : FLOWPERLENGTH_USGPM100FT);
    m_Pressure.SetUnit(m ? PRESSURE_M : PRESSURE_PSI);
    m_PrecipRate.SetUnit(m ? PRECIPRATE_MMH : PRECIPRATE_INH);
    m_Angle.SetUnit(ANGLE_DEGREES);
    m_Import.SetUnit(m ? LENGTH_M : LENGTH_FT);
    m_nDecPlaces = 2;
}

namespace {

// Decimal places that rounding can work with; a stored value outside is
// ignored.
const int kMaxDecPlaces = 16;

// Calls f(path, unit) for each of the 17 unit slots, in stored order.
template <class Set, class F>
void ForEachUnit(Set& set, F f)
{
    f("Units\\Length", set.m_Length);
    f("Units\\Distance", set.m_Distance);
    f("Units\\Diameter", set.m_Diameter);
    f("Units\\Elevation", set.m_Elevation);
    f("Units\\Depth", set.m_Depth);
    f("Units\\MediaLength", set.m_MediaLength);
    f("Units\\Area", set.m_Area);
    f("Units\\Volume", set.m_Volume);
    f("Units\\Velocity", set.m_Velocity);
    f("Units\\Flow", set.m_Flow);
    f("Units\\SmallFlow", set.m_SmallFlow);
    f("Units\\LargeFlow", set.m_LargeFlow);
    f("Units\\FlowPerLength", set.m_FlowPerLength);
    f("Units\\Pressure", set.m_Pressure);
    f("Units\\PrecipRate", set.m_PrecipRate);
    f("Units\\Angle", set.m_Angle);
    f("Units\\Import", set.m_Import);
}

const char kDecPlacesPath[] = "Units\\DecPlaces";

} // namespace

// A stored index outside its unit list would make the display unit invalid
// and every later conversion into it meaningless, so it is ignored like a
// missing value; the same for decimal places rounding cannot use. Such an
// entry is marked in *pUnreadable (bit n for the n-th entry in stored order,
// DecPlaces last): the design program shares these values, so Save leaves a
// value it does not understand as it is unless the choice was changed.
void OZU_UnitSet::Load(unsigned* pUnreadable)
{
    unsigned unreadable = 0;
    unsigned bit = 1;
    // A text that is not a number leaves the value read as it was: INT_MIN,
    // which lies in no list either.
    ForEachUnit(*this, [&](const char* path, auto& unit) {
        int index = INT_MIN;
        if (OZU_ReadIntSetting(path, index)) {
            if (index >= 0 && index < unit.Count)
                unit.SetUnit(index);
            else
                unreadable |= bit;
        }
        bit <<= 1;
    });
    int decPlaces = INT_MIN;
    if (OZU_ReadIntSetting(kDecPlacesPath, decPlaces)) {
        if (decPlaces >= 0 && decPlaces <= kMaxDecPlaces)
            m_nDecPlaces = decPlaces;
        else
            unreadable |= bit;
    }
    if (pUnreadable != nullptr)
        *pUnreadable = unreadable;
}

unsigned OZU_UnitSet::Save(unsigned keep, const OZU_UnitSet* pLoaded) const
{
    // The loaded choice of each entry, in stored order.
    int loaded[18] = {};
    if (pLoaded != nullptr) {
        int n = 0;
        ForEachUnit(*pLoaded, [&](const char*, const auto& unit) { loaded[n++] = unit.GetUnit(); });
        loaded[n] = pLoaded->m_nDecPlaces;
    } else {
        keep = 0;
    }
    unsigned kept = 0;
    int n = 0;
    auto write = [&](const char* path, int value) {
        const unsigned bit = 1u << n;
        if ((keep & bit) && loaded[n] == value)
            kept |= bit;
        else
            OZU_WriteIntSetting(path, value);
        n++;
    };
    ForEachUnit(*this, [&](const char* path, const auto& unit) { write(path, unit.GetUnit()); });
    write(kDecPlacesPath, m_nDecPlaces);
    return kept;
}

// ---- OZU_UnitLimits ---------------------------------------------------------

namespace {

template <class V>
void SetRow(V (&row)[4], double hardMin, int hardMinUnit, double hardMax, int hardMaxUnit,
            double recMin, int recMinUnit, double recMax, int recMaxUnit)
{
    row[OZU_HARD_MIN] = V(hardMin, hardMinUnit);
    row[OZU_HARD_MAX] = V(hardMax, hardMaxUnit);
    row[OZU_RECOMMENDED_MIN] = V(recMin, recMinUnit);
    row[OZU_RECOMMENDED_MAX] = V(recMax, recMaxUnit);
}

} // namespace

void OZU_UnitLimits::SetDefaults()
{
    // Three limits are the single-precision values nearest 0.01 and 0.1.
    const double oneHundredth = (double)0.01f;
    const double oneTenth = (double)0.1f;
    SetRow(m_Length, 0, LENGTH_M, 1e10, LENGTH_M, 0, LENGTH_M, 1e10, LENGTH_M);
    SetRow(m_Distance, 0, LENGTH_M, 1e10, LENGTH_M, 0, LENGTH_M, 100000, LENGTH_M);
    SetRow(m_Diameter, 0.1, LENGTH_MM, 10, LENGTH_M, 0.5, LENGTH_MM, 1, LENGTH_M);
    SetRow(m_Elevation, -10000, LENGTH_M, 10000, LENGTH_M, -500, LENGTH_M, 5000, LENGTH_M);
    SetRow(m_Depth, -50, LENGTH_M, 500, LENGTH_M, -1, LENGTH_M, 5, LENGTH_M);
    SetRow(m_MediaLength, 0.01, MEDIA_MM, 1200, MEDIA_MM, 0.1, MEDIA_MM, 5, MEDIA_MM);
    SetRow(m_Area, 0, AREA_M2, 1e10, AREA_M2, 1, AREA_M2, 10000, AREA_HECTARES);
    SetRow(m_Volume, oneHundredth, VOLUME_LITRES, 1e10, VOLUME_LITRES, 1, VOLUME_LITRES, 10000,
           VOLUME_LITRES);
    SetRow(m_Velocity, 0.001, VELOCITY_MPS, 313, VELOCITY_MPS, oneTenth, VELOCITY_MPS, 10,
           VELOCITY_MPS);
    SetRow(m_Flow, 0, FLOW_LPH, 1e10, FLOW_LPH, 0, FLOW_LPH, 1e10, FLOW_LPH);
    SetRow(m_SmallFlow, 0, FLOW_LPH, 1e10, FLOW_LPH, 1, FLOW_LPH, 1000, FLOW_LPH);
    SetRow(m_LargeFlow, 0, FLOW_LPH, 1e10, FLOW_LPH, 0, FLOW_LPH, 5000, FLOW_M3H);
    SetRow(m_FlowPerLength, 0, FLOWPERLENGTH_LPH100M, 1e10, FLOWPERLENGTH_LPH100M, 50,
           FLOWPERLENGTH_LPH100M, 5000, FLOWPERLENGTH_LPH100M);
    SetRow(m_Pressure, -1000, PRESSURE_M, 1e10, PRESSURE_M, -100, PRESSURE_M, 200, PRESSURE_M);
    SetRow(m_PrecipRate, oneTenth, PRECIPRATE_MMH, 9999, PRECIPRATE_MMH, 1, PRECIPRATE_MMH, 300,
           PRECIPRATE_MMH);
    SetRow(m_Angle, -360, ANGLE_DEGREES, 360, ANGLE_DEGREES, 0, ANGLE_DEGREES, 360, ANGLE_DEGREES);
}

// ---- OZU_UnitSettings -------------------------------------------------------

OZU_UnitSettings::OZU_UnitSettings()
    : m_Units(1), m_USUnits(1), m_MetricUnits(1)
{
    Validate();
}

OZU_UnitSettings::~OZU_UnitSettings()
{
    Save();
}

void OZU_UnitSettings::Load()
{
    m_Units.Load(&m_nUnreadable);
    m_LoadedUnits = m_Units;
}

void OZU_UnitSettings::Save()
{
    m_nUnreadable = m_Units.Save(m_nUnreadable, &m_LoadedUnits);
}

OZU_Base& OZU_UnitSettings::Validate()
{
    OZU_Base::Validate();
    m_USUnits.SetDefaults(0);
    m_MetricUnits.SetDefaults(1);
    m_Units = m_MetricUnits;
    m_Limits.SetDefaults();
    return *this;
}

#define OZU_UNIT_NAME_GETTER(Getter, UnitClass)                        \
    CString& OZU_UnitSettings::Getter(CString& out, int index) const   \
    {                                                                  \
        UnitClass unit;                                                \
        unit.SetUnit(index);                                           \
        out = unit.GetName();                                          \
        return out;                                                    \
    }

OZU_UNIT_NAME_GETTER(GetLengthUnitName, OZU_LengthUnit)
OZU_UNIT_NAME_GETTER(GetMediaLengthUnitName, OZU_MediaLengthUnit)
OZU_UNIT_NAME_GETTER(GetAreaUnitName, OZU_AreaUnit)
OZU_UNIT_NAME_GETTER(GetVolumeUnitName, OZU_VolumeUnit)
OZU_UNIT_NAME_GETTER(GetVelocityUnitName, OZU_VelocityUnit)
OZU_UNIT_NAME_GETTER(GetFlowUnitName, OZU_FlowUnit)
OZU_UNIT_NAME_GETTER(GetFlowPerLengthUnitName, OZU_FlowPerLengthUnit)
OZU_UNIT_NAME_GETTER(GetPressureUnitName, OZU_PressureUnit)
OZU_UNIT_NAME_GETTER(GetPrecipRateUnitName, OZU_PrecipRateUnit)
OZU_UNIT_NAME_GETTER(GetAngleUnitName, OZU_AngleUnit)
#undef OZU_UNIT_NAME_GETTER

// ---- Rounding and text ------------------------------------------------------

namespace {

// The double nearest to x written with `decimals` decimals. The step
// arithmetic leaves x a few units of the last place away from the decimal it
// stands for (25 comes out as 25.000000000000014); shown with every digit
// that reads back to it, that noise would reach the user, and a limit would
// differ from the same number typed. Outside 0 .. 400 decimals x stays.
double NearestDecimal(double x, long long decimals)
{
    if (decimals < 0 || decimals > 400)
        return x;
    char text[800];
    std::to_chars_result written =
        std::to_chars(text, text + sizeof(text), x, std::chars_format::fixed, (int)decimals);
    if (written.ec != std::errc())
        return x;
    double nearest = x;
    std::from_chars_result read = std::from_chars(text, written.ptr, nearest);
    return read.ec == std::errc() ? nearest : x;
}

} // namespace

// The step is 10^(e - n) below 10^n and 10^(-DecPlaces) above, worked out
// with pow on doubles; its remainder decides the direction. Digit counts
// and decimal places far outside any sensible range are held to where pow
// still gives a step; a step that underflows or overflows leaves x as it is.
// The result is the double nearest to the decimal number rounded to.
double OZU_UnitSettings::RoundToSignificant(double x, int n) const
{
    if (x == 0.0 || !std::isfinite(x))
        return 0.0;
    const bool negative = x < 0;
    if (negative)
        x = -x;
    n = std::clamp(n, -1000, 1000);
    const int decPlaces = std::clamp((int)m_Units.m_nDecPlaces, -1000, 1000);
    const double exponent = std::floor(std::log10(x));
    const int e = (int)exponent;
    if (e >= n)
        n = e + decPlaces;
    const double step = std::pow(10.0, exponent) * std::pow(10.0, -n);
    if (step > 0.0 && std::isfinite(step)) {
        const double r = std::fmod(x, step);
        if (r / step >= 0.5)
            x = step - r + x;
        else
            x = x - r;
        x = NearestDecimal(x, (long long)n - e);
    }
    return negative ? -x : x;
}

int OZU_UnitSettings::RoundToInt(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = x >= 0 ? x + 0.5 : x - 0.5;
    if (r >= 2147483647.0)
        return INT_MAX;
    if (r <= -2147483648.0)
        return INT_MIN;
    return (int)r;
}

namespace {

// 10 raised to an integer power by repeated squaring; a negative power is 1
// over the positive one.
double PowerOfTen(long long power)
{
    const bool inverse = power < 0;
    unsigned long long p = inverse ? -(unsigned long long)power : (unsigned long long)power;
    double result = 1.0;
    double base = 10.0;
    while (p != 0) {
        if (p & 1)
            result *= base;
        p >>= 1;
        if (p != 0)
            base *= base;
    }
    return inverse ? 1.0 / result : result;
}

std::ostringstream ClassicStream()
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    return stream;
}

} // namespace

// x times 10^(n - k), where k counts the integer digits, rounded to an
// integer (halves away from zero) and divided back, then written in fixed
// notation with n - k decimals and its trailing zeros trimmed. The integer
// is held in 64 bits, which holds every digit count up to 18; beyond that
// (or when the power of ten leaves the double range) the number is written
// with n significant digits in the shortest notation instead.
CString OZU_UnitSettings::FormatSignificantDigits(double x, int n)
{
    if (x == 0.0)
        return CString("0");
    if (!std::isfinite(x))
        return CString();
    const long long k = (long long)std::ceil(std::log10(std::fabs(x)));
    const long long power = (long long)n - k;
    const double m = PowerOfTen(power);
    const double scaled = x * m;
    std::ostringstream stream = ClassicStream();
    if (m == 0.0 || !std::isfinite(m) || !std::isfinite(scaled) || std::fabs(scaled) >= 9.0e18) {
        stream << std::setprecision(std::clamp(n, 1, 17)) << x;
        return CString(stream.str());
    }
    const long long rounded = (long long)(scaled >= 0 ? scaled + 0.5 : scaled - 0.5);
    const double v = (double)rounded / m;
    const long long decimals = power > 0 ? power : 0;
    stream << std::fixed << std::setprecision((int)decimals) << v;
    std::string text = stream.str();
    if (decimals > 0) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        while (!text.empty() && text.back() == '.')
            text.pop_back();
        while (!text.empty() && text.back() == ',')
            text.pop_back();
    }
    return CString(text);
}
