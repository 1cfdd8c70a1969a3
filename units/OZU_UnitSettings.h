// The user's display unit of every quantity, the metric and US presets, the
// hard and recommended limits of every quantity, and significant-digit
// rounding and text. One instance lives in the application object.
#pragma once
#include "units/OZU_Value.h"

// One display unit per quantity and the decimal places kept for large values.
class OZU_UnitSet
{
public:
    // Starts from the metric (non-zero) or the US (zero) preset.
    explicit OZU_UnitSet(int metric = 1);
    OZU_UnitSet(const OZU_UnitSet& other) { *this = other; }
    OZU_UnitSet& operator=(const OZU_UnitSet& other);

    // Every unit to the metric (non-zero) or US (zero) preset, DecPlaces 2.
    void SetDefaults(int metric);

    // Reads and writes the 18 entries under "Units" in the application's
    // settings. A missing entry, a text that is not a number and a unit index
    // outside its list all keep the choice held now; the last two are marked
    // in *pUnreadable (bit n: the n-th entry in stored order, DecPlaces last).
    void Load(unsigned* pUnreadable = nullptr);
    // Writes every entry except those marked in keep that still hold the
    // choice they have in *pLoaded (a stored value the design program may
    // understand and this program does not stays as it is); returns the
    // entries left unwritten.
    unsigned Save(unsigned keep = 0, const OZU_UnitSet* pLoaded = nullptr) const;

    OZU_LengthUnit m_Length;
    OZU_DistanceUnit m_Distance;
    OZU_DiameterUnit m_Diameter;
    OZU_ElevationUnit m_Elevation;
    OZU_DepthUnit m_Depth;
    OZU_MediaLengthUnit m_MediaLength;
    OZU_AreaUnit m_Area;
    OZU_VolumeUnit m_Volume;
    OZU_VelocityUnit m_Velocity;
    OZU_FlowUnit m_Flow;
    OZU_SmallFlowUnit m_SmallFlow;
    OZU_LargeFlowUnit m_LargeFlow;
    OZU_FlowPerLengthUnit m_FlowPerLength;
    OZU_PressureUnit m_Pressure;
    OZU_PrecipRateUnit m_PrecipRate;
    OZU_AngleUnit m_Angle;
    OZU_LengthUnit m_Import;
    int32_t m_nDecPlaces;
};

// Indexes of the four limits of a quantity.
enum OZU_LimitIndex
{
    OZU_HARD_MIN = 0, OZU_HARD_MAX = 1, OZU_RECOMMENDED_MIN = 2, OZU_RECOMMENDED_MAX = 3
};

// Hard minimum, hard maximum, recommended minimum and recommended maximum of
// every quantity, each in a unit of its own.
class OZU_UnitLimits
{
public:
    OZU_UnitLimits() { SetDefaults(); }
    void SetDefaults();

    OZU_LengthValue m_Length[4];
    OZU_DistanceValue m_Distance[4];
    OZU_DiameterValue m_Diameter[4];
    OZU_ElevationValue m_Elevation[4];
    OZU_DepthValue m_Depth[4];
    OZU_MediaLengthValue m_MediaLength[4];
    OZU_AreaValue m_Area[4];
    OZU_VolumeValue m_Volume[4];
    OZU_VelocityValue m_Velocity[4];
    OZU_FlowValue m_Flow[4];
    OZU_SmallFlowValue m_SmallFlow[4];
    OZU_LargeFlowValue m_LargeFlow[4];
    OZU_FlowPerLengthValue m_FlowPerLength[4];
    OZU_PressureValue m_Pressure[4];
    OZU_PrecipRateValue m_PrecipRate[4];
    OZU_AngleValue m_Angle[4];
};

class OZU_UnitSettings : public virtual OZU_Base
{
public:
    // Current units metric, presets and limits at their defaults.
    OZU_UnitSettings();
    // Saves the current units.
    ~OZU_UnitSettings() override;
    OZU_UnitSettings(const OZU_UnitSettings&) = delete;
    OZU_UnitSettings& operator=(const OZU_UnitSettings&) = delete;

    // Marks the object valid and restores every default: presets, current
    // units (metric, DecPlaces 2) and limits.
    OZU_Base& Validate() override;

    // Reads the current units from the settings. Save writes them, except
    // entries whose stored value Load could not use and whose choice has not
    // changed since: those stay as they are stored.
    void Load();
    void Save();

    OZU_UnitSet* GetUnits() { return &m_Units; }
    OZU_UnitSet* GetMetricUnits() { return &m_MetricUnits; }
    OZU_UnitSet* GetUSUnits() { return &m_USUnits; }
    void SetUnits(const OZU_UnitSet& units) { m_Units = units; }
    int GetDecPlaces() const { return m_Units.m_nDecPlaces; }

    // The current display unit of a quantity, assigned to `unit` and returned.
    OZU_LengthUnit& GetLengthUnit(OZU_LengthUnit& unit) const { return unit = m_Units.m_Length; }
    OZU_DistanceUnit& GetDistanceUnit(OZU_DistanceUnit& unit) const { return unit = m_Units.m_Distance; }
    OZU_DiameterUnit& GetDiameterUnit(OZU_DiameterUnit& unit) const { return unit = m_Units.m_Diameter; }
    OZU_ElevationUnit& GetElevationUnit(OZU_ElevationUnit& unit) const { return unit = m_Units.m_Elevation; }
    OZU_DepthUnit& GetDepthUnit(OZU_DepthUnit& unit) const { return unit = m_Units.m_Depth; }
    OZU_MediaLengthUnit& GetMediaLengthUnit(OZU_MediaLengthUnit& unit) const { return unit = m_Units.m_MediaLength; }
    OZU_AreaUnit& GetAreaUnit(OZU_AreaUnit& unit) const { return unit = m_Units.m_Area; }
    OZU_VolumeUnit& GetVolumeUnit(OZU_VolumeUnit& unit) const { return unit = m_Units.m_Volume; }
    OZU_VelocityUnit& GetVelocityUnit(OZU_VelocityUnit& unit) const { return unit = m_Units.m_Velocity; }
    OZU_FlowUnit& GetFlowUnit(OZU_FlowUnit& unit) const { return unit = m_Units.m_Flow; }
    OZU_SmallFlowUnit& GetSmallFlowUnit(OZU_SmallFlowUnit& unit) const { return unit = m_Units.m_SmallFlow; }
    OZU_LargeFlowUnit& GetLargeFlowUnit(OZU_LargeFlowUnit& unit) const { return unit = m_Units.m_LargeFlow; }
    OZU_FlowPerLengthUnit& GetFlowPerLengthUnit(OZU_FlowPerLengthUnit& unit) const { return unit = m_Units.m_FlowPerLength; }
    OZU_PressureUnit& GetPressureUnit(OZU_PressureUnit& unit) const { return unit = m_Units.m_Pressure; }
    OZU_PrecipRateUnit& GetPrecipRateUnit(OZU_PrecipRateUnit& unit) const { return unit = m_Units.m_PrecipRate; }
    OZU_AngleUnit& GetAngleUnit(OZU_AngleUnit& unit) const { return unit = m_Units.m_Angle; }
    OZU_LengthUnit& GetImportUnit(OZU_LengthUnit& unit) const { return unit = m_Units.m_Import; }

    // Limit n (OZU_LimitIndex) of a quantity, value and unit, assigned to
    // `value` and returned. Callers pass 0 to 3; any other n gives the hard
    // minimum rather than read outside the row.
    OZU_LengthValue& GetLengthLimit(unsigned n, OZU_LengthValue& value) const { return value = m_Limits.m_Length[Row(n)]; }
    OZU_DistanceValue& GetDistanceLimit(unsigned n, OZU_DistanceValue& value) const { return value = m_Limits.m_Distance[Row(n)]; }
    OZU_DiameterValue& GetDiameterLimit(unsigned n, OZU_DiameterValue& value) const { return value = m_Limits.m_Diameter[Row(n)]; }
    OZU_ElevationValue& GetElevationLimit(unsigned n, OZU_ElevationValue& value) const { return value = m_Limits.m_Elevation[Row(n)]; }
    OZU_DepthValue& GetDepthLimit(unsigned n, OZU_DepthValue& value) const { return value = m_Limits.m_Depth[Row(n)]; }
    OZU_MediaLengthValue& GetMediaLengthLimit(unsigned n, OZU_MediaLengthValue& value) const { return value = m_Limits.m_MediaLength[Row(n)]; }
    OZU_AreaValue& GetAreaLimit(unsigned n, OZU_AreaValue& value) const { return value = m_Limits.m_Area[Row(n)]; }
    OZU_VolumeValue& GetVolumeLimit(unsigned n, OZU_VolumeValue& value) const { return value = m_Limits.m_Volume[Row(n)]; }
    OZU_VelocityValue& GetVelocityLimit(unsigned n, OZU_VelocityValue& value) const { return value = m_Limits.m_Velocity[Row(n)]; }
    OZU_FlowValue& GetFlowLimit(unsigned n, OZU_FlowValue& value) const { return value = m_Limits.m_Flow[Row(n)]; }
    OZU_SmallFlowValue& GetSmallFlowLimit(unsigned n, OZU_SmallFlowValue& value) const { return value = m_Limits.m_SmallFlow[Row(n)]; }
    OZU_LargeFlowValue& GetLargeFlowLimit(unsigned n, OZU_LargeFlowValue& value) const { return value = m_Limits.m_LargeFlow[Row(n)]; }
    OZU_FlowPerLengthValue& GetFlowPerLengthLimit(unsigned n, OZU_FlowPerLengthValue& value) const { return value = m_Limits.m_FlowPerLength[Row(n)]; }
    OZU_PressureValue& GetPressureLimit(unsigned n, OZU_PressureValue& value) const { return value = m_Limits.m_Pressure[Row(n)]; }
    OZU_PrecipRateValue& GetPrecipRateLimit(unsigned n, OZU_PrecipRateValue& value) const { return value = m_Limits.m_PrecipRate[Row(n)]; }
    OZU_AngleValue& GetAngleLimit(unsigned n, OZU_AngleValue& value) const { return value = m_Limits.m_Angle[Row(n)]; }
    void SetLimits(const OZU_UnitLimits& limits) { m_Limits = limits; }

    // The name of unit `index` of a unit list, into `out` (empty outside the
    // list). The five length slots and Import use the length list, the three
    // flow slots the flow list.
    CString& GetLengthUnitName(CString& out, int index) const;
    CString& GetMediaLengthUnitName(CString& out, int index) const;
    CString& GetAreaUnitName(CString& out, int index) const;
    CString& GetVolumeUnitName(CString& out, int index) const;
    CString& GetVelocityUnitName(CString& out, int index) const;
    CString& GetFlowUnitName(CString& out, int index) const;
    CString& GetFlowPerLengthUnitName(CString& out, int index) const;
    CString& GetPressureUnitName(CString& out, int index) const;
    CString& GetPrecipRateUnitName(CString& out, int index) const;
    CString& GetAngleUnitName(CString& out, int index) const;
    CString GetLengthUnitName(int index) const { CString s; return GetLengthUnitName(s, index); }
    CString GetMediaLengthUnitName(int index) const { CString s; return GetMediaLengthUnitName(s, index); }
    CString GetAreaUnitName(int index) const { CString s; return GetAreaUnitName(s, index); }
    CString GetVolumeUnitName(int index) const { CString s; return GetVolumeUnitName(s, index); }
    CString GetVelocityUnitName(int index) const { CString s; return GetVelocityUnitName(s, index); }
    CString GetFlowUnitName(int index) const { CString s; return GetFlowUnitName(s, index); }
    CString GetFlowPerLengthUnitName(int index) const { CString s; return GetFlowPerLengthUnitName(s, index); }
    CString GetPressureUnitName(int index) const { CString s; return GetPressureUnitName(s, index); }
    CString GetPrecipRateUnitName(int index) const { CString s; return GetPrecipRateUnitName(s, index); }
    CString GetAngleUnitName(int index) const { CString s; return GetAngleUnitName(s, index); }

    // x rounded to n digits after its leading digit; a number of 10^n or more
    // keeps its integer digits and DecPlaces decimals. Half a step rounds away
    // from zero. 0, not-a-number and infinity give 0.0.
    double RoundToSignificant(double x, int n) const;
    // Nearest integer, halves away from zero; saturates at the int range, and
    // not-a-number gives 0.
    static int RoundToInt(double x);
    // x with n significant digits and no trailing zeros after the point, '.'
    // as the decimal point whatever the locale ("0" for zero, empty for
    // not-a-number and infinity).
    static CString FormatSignificantDigits(double x, int n);

private:
    static unsigned Row(unsigned n) { return n < 4 ? n : 0; }

    OZU_UnitSet m_Units;
    OZU_UnitSet m_LoadedUnits;      // the current units as Load left them
    unsigned m_nUnreadable = 0;     // stored entries Load could not use
    OZU_UnitLimits m_Limits;
    OZU_UnitSet m_USUnits;
    OZU_UnitSet m_MetricUnits;
};
