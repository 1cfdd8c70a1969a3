#include "grids/core/ColumnTitles.h"
#include "grids/core/GridTables.h"
#include "grids/core/GridsCoreRes.h"

namespace kvgrid {

namespace {

struct TitleEntry
{
    int column;
    UINT id;
};

// Titles every table type shares.
const TitleEntry kCommon[] = {
    { 6, IDS_COL_DESCRIPTION }, { 7, IDS_COL_WAREHOUSE_CODE }, { 8, IDS_COL_SUPPLIER_CODE },
    { 9, IDS_COL_USAGE },       { 20, IDS_COL_WHOLESALE_COST }, { 21, IDS_COL_RETAIL_PRICE },
    { 36, IDS_COL_ORDER },
};

const TitleEntry kPipe[] = {
    { 10, IDS_COL_PIPE_TYPE },        { 12, IDS_COL_LABEL },          { 14, IDS_COL_NOMINAL_DIAMETER },
    { 15, IDS_COL_ACTUAL_DIAMETER },  { 16, IDS_COL_PIPE_ROUGHNESS }, { 17, IDS_COL_ALLOWABLE_PRESSURE },
    { 27, IDS_COL_LINE_TYPE },        { 31, IDS_COL_COLOR },
};

const TitleEntry kTapeOnly[] = {
    { 24, IDS_COL_COV },
    { 25, IDS_COL_MINIMUM_PC_PRESSURE },
    { 38, IDS_COL_FLOW_CALC },
    { 39, IDS_COL_EMITTER_CONSTANT },
    { 40, IDS_COL_EMITTER_INDEX },
    { 41, IDS_COL_EMITTER_BARB_FACTOR },
    { 42, IDS_COL_EMITTER_SPACING },
    { 43, IDS_COL_TAPE_DEFAULT_PRESSURE },
    { 44, IDS_COL_SPECIFIC_DISCHARGE },
    { 45, IDS_COL_TAPE_MINIMUM_PRESSURE },
    { 46, IDS_COL_TAPE_MAXIMUM_PRESSURE },
    { 47, IDS_COL_ZONE_PRESSURE_HIGH },
    { 48, IDS_COL_ZONE_PRESSURE_LOW },
};

// Valve, Hydraulic and Pump.
const TitleEntry kValveLike[] = {
    { 10, IDS_COL_INLET_CONNECTION }, { 11, IDS_COL_OUTLET_CONNECTION }, { 12, IDS_COL_LABEL },
    { 14, IDS_COL_INLET_DIAMETER },   { 15, IDS_COL_OUTLET_DIAMETER },   { 22, IDS_COL_MINIMUM_FLOW },
    { 23, IDS_COL_MAXIMUM_FLOW },     { 28, IDS_COL_SYMBOL },            { 29, IDS_COL_SYMBOL_SIZE },
    { 31, IDS_COL_COLOR },
};
const TitleEntry kHeadloss[] = {
    { 16, IDS_COL_HEADLOSS_CONSTANT }, { 17, IDS_COL_HEADLOSS_INDEX }, { 18, IDS_COL_HEADLOSS_INTERCEPT },
};
const TitleEntry kHydraulicOnly[] = { { 34, IDS_COL_FITTING_TYPE } };
const TitleEntry kPumpOnly[] = {
    { 16, IDS_COL_PUMP_CURVE_A }, { 17, IDS_COL_PUMP_CURVE_B }, { 18, IDS_COL_PUMP_CURVE_C },
};
const TitleEntry kTakeOff[] = {
    { 10, IDS_COL_MAJOR_PIPE_TYPE }, { 11, IDS_COL_MINOR_CONNECTION_TYPE },
    { 14, IDS_COL_MIN_SUBMAIN_DIAMETER }, { 15, IDS_COL_LATERAL_DIAMETER },
};
// Coupler, Tee and Cross.
const TitleEntry kFitting[] = {
    { 10, IDS_COL_MAJOR_CONNECTION }, { 11, IDS_COL_MINOR_CONNECTION },
    { 14, IDS_COL_MAJOR_DIAMETER },   { 15, IDS_COL_MINOR_DIAMETER },
};
const TitleEntry kElbow[] = {
    { 10, IDS_COL_MAJOR_CONNECTION }, { 11, IDS_COL_MINOR_CONNECTION }, { 14, IDS_COL_MAJOR_DIAMETER },
    { 15, IDS_COL_BEND_ANGLE },       { 16, IDS_COL_MINOR_DIAMETER },
};
const TitleEntry kOutlet[] = {
    { 10, IDS_COL_INLET_CONNECTION },    { 12, IDS_COL_LABEL },              { 14, IDS_COL_INLET_DIAMETER },
    { 22, IDS_COL_DEFAULT_PRESSURE },    { 23, IDS_COL_DEFAULT_ARC_FLOW },   { 24, IDS_COL_HIGH_FLOW_TOLERANCE },
    { 25, IDS_COL_LOW_FLOW_TOLERANCE },  { 28, IDS_COL_SYMBOL },             { 29, IDS_COL_SYMBOL_SIZE },
    { 31, IDS_COL_COLOR },               { 33, IDS_COL_DEFAULT_NOZZLE },     { 34, IDS_COL_ARC_TYPE },
};
const TitleEntry kOutletConnection[] = {
    { 10, IDS_COL_INLET_CONNECTION },     { 11, IDS_COL_OUTLET_CONNECTION },
    { 12, IDS_COL_LABEL },                { 14, IDS_COL_INLET_DIAMETER },
    { 15, IDS_COL_OUTLET_DIAMETER },      { 16, IDS_COL_HEIGHT_ABOVE_GROUND },
    { 17, IDS_COL_EQUIV_LENGTH_DIAMETER }, { 18, IDS_COL_EQUIV_LENGTH },
    { 28, IDS_COL_SYMBOL },               { 29, IDS_COL_SYMBOL_SIZE },
    { 31, IDS_COL_COLOR },
};
const TitleEntry kWire[] = {
    { 10, IDS_COL_WIRE_TYPE }, { 12, IDS_COL_LABEL },     { 14, IDS_COL_NOMINAL_SIZE }, { 16, IDS_COL_RESISTANCE },
    { 17, IDS_COL_VOLTAGE },   { 27, IDS_COL_LINE_TYPE }, { 31, IDS_COL_COLOR },
};
const TitleEntry kController[] = {
    { 12, IDS_COL_LABEL },  { 14, IDS_COL_NUMBER_OF_STATIONS }, { 15, IDS_COL_OUTLET_DIAMETER },
    { 28, IDS_COL_SYMBOL }, { 29, IDS_COL_SYMBOL_SIZE },        { 31, IDS_COL_COLOR },
};
const TitleEntry kLightOnly[] = { { 22, IDS_COL_HIGH_VOLTAGE_TOLERANCE }, { 23, IDS_COL_LOW_VOLTAGE_TOLERANCE } };
// Light and Electric.
const TitleEntry kElectric[] = {
    { 12, IDS_COL_LABEL },  { 14, IDS_COL_RATING },      { 15, IDS_COL_NOMINAL_VOLTAGE },
    { 28, IDS_COL_SYMBOL }, { 29, IDS_COL_SYMBOL_SIZE }, { 31, IDS_COL_COLOR },
};
const TitleEntry kComponent[] = { { 14, IDS_COL_SIZE_DIAMETER1 }, { 15, IDS_COL_SIZE_DIAMETER2 } };
const TitleEntry kNozzle[] = {
    { 12, IDS_COL_LABEL },          { 14, IDS_COL_RADIUS_EQ_CONSTANT }, { 15, IDS_COL_RADIUS_EQ_INDEX },
    { 16, IDS_COL_ARC },            { 17, IDS_COL_FLOW_EQ_CONSTANT },   { 18, IDS_COL_FLOW_EQ_INDEX },
    { 22, IDS_COL_MINIMUM_PRESSURE }, { 23, IDS_COL_MAXIMUM_PRESSURE }, { 24, IDS_COL_COV },
    { 28, IDS_COL_SYMBOL },         { 29, IDS_COL_SYMBOL_SIZE },        { 31, IDS_COL_COLOR },
};

template <size_t N>
UINT Lookup(const TitleEntry (&table)[N], int nColumn)
{
    for (const TitleEntry& e : table)
        if (e.column == nColumn)
            return e.id;
    return 0;
}

UINT LookupByType(int nTableType, int nColumn)
{
    UINT id = 0;
    switch (nTableType)
    {
    case TABLE_PIPE:
        return Lookup(kPipe, nColumn);
    case TABLE_TAPE:
        id = Lookup(kPipe, nColumn);
        return id ? id : Lookup(kTapeOnly, nColumn);
    case TABLE_VALVE:
        id = Lookup(kValveLike, nColumn);
        return id ? id : Lookup(kHeadloss, nColumn);
    case TABLE_HYDRAULIC:
        id = Lookup(kValveLike, nColumn);
        if (!id)
            id = Lookup(kHeadloss, nColumn);
        return id ? id : Lookup(kHydraulicOnly, nColumn);
    case TABLE_PUMP:
        id = Lookup(kValveLike, nColumn);
        return id ? id : Lookup(kPumpOnly, nColumn);
    case TABLE_TAKE_OFF:
        return Lookup(kTakeOff, nColumn);
    case TABLE_COUPLER:
    case TABLE_TEE:
    case TABLE_CROSS:
        return Lookup(kFitting, nColumn);
    case TABLE_ELBOW:
        return Lookup(kElbow, nColumn);
    case TABLE_OUTLET:
        return Lookup(kOutlet, nColumn);
    case TABLE_OUTLET_CONNECTION:
        return Lookup(kOutletConnection, nColumn);
    case TABLE_WIRE:
        return Lookup(kWire, nColumn);
    case TABLE_CONTROLLER:
        return Lookup(kController, nColumn);
    case TABLE_LIGHT:
        id = Lookup(kElectric, nColumn);
        return id ? id : Lookup(kLightOnly, nColumn);
    case TABLE_ELECTRIC:
        return Lookup(kElectric, nColumn);
    case TABLE_COMPONENT:
        return Lookup(kComponent, nColumn);
    case TABLE_NOZZLE:
        return Lookup(kNozzle, nColumn);
    default:
        return 0;
    }
}

// The unit name when the Diameter unit is metric, else nothing.
CString DiameterIfMetric(const OZU_UnitSet& units)
{
    return units.m_Diameter.IsMetric() ? units.m_Diameter.GetName() : CString();
}

CString PricePerLength(const OZU_UnitSet& units)
{
    return LoadText(units.m_Distance.IsMetric() ? IDS_UNIT_PER_METER : IDS_UNIT_PER_100FT);
}

} // namespace

UINT GetFieldTitleId(int nTableType, int nColumn)
{
    if (nTableType < 0 || nTableType >= TableTypeCount)
        return 0;
    UINT id = Lookup(kCommon, nColumn);
    return id ? id : LookupByType(nTableType, nColumn);
}

CString GetFieldTitle(int nTableType, int nColumn)
{
    UINT id = GetFieldTitleId(nTableType, nColumn);
    return id ? LoadText(id) : CString();
}

CString GetUnitLine(int nTableType, int nColumn, const OZU_UnitSet& units)
{
    const int c = nColumn;
    switch (nTableType)
    {
    case TABLE_PIPE:
        if (c == 14)
            return DiameterIfMetric(units);
        if (c == 15)
            return units.m_Diameter.GetName();
        if (c == 17)
            return units.m_Pressure.GetName();
        if (c == 20 || c == 21)
            return PricePerLength(units);
        break;
    case TABLE_VALVE:
    case TABLE_HYDRAULIC:
    case TABLE_PUMP:
        if (c == 14 || c == 15)
            return DiameterIfMetric(units);
        if (c == 22 || c == 23)
            return units.m_LargeFlow.GetName();
        break;
    case TABLE_TAKE_OFF:
    case TABLE_COUPLER:
    case TABLE_TEE:
    case TABLE_CROSS:
        if (c == 14 || c == 15)
            return DiameterIfMetric(units);
        break;
    case TABLE_ELBOW:
        if (c == 14 || c == 16)
            return DiameterIfMetric(units);
        if (c == 15)
            return units.m_Angle.GetName();
        break;
    case TABLE_OUTLET:
        if (c == 14)
            return DiameterIfMetric(units);
        if (c == 22)
            return units.m_Pressure.GetName();
        if (c == 23)
        {
            CString s;
            s.Format("%s / %s", (LPCTSTR)units.m_Angle.GetName(), (LPCTSTR)units.m_SmallFlow.GetName());
            return s;
        }
        if (c == 24 || c == 25)
            return "%";
        break;
    case TABLE_OUTLET_CONNECTION:
        if (c == 14 || c == 15)
            return DiameterIfMetric(units);
        if (c == 16 || c == 18)
            return units.m_Distance.GetName();
        if (c == 17)
            return units.m_Diameter.GetName();
        break;
    case TABLE_WIRE:
        if (c == 16)
            return LoadText(units.m_Distance.IsMetric() ? IDS_UNIT_OHM_PER_100M : IDS_UNIT_OHM_PER_1000FT);
        if (c == 17)
            return "volts";
        if (c == 20 || c == 21)
            return PricePerLength(units);
        break;
    case TABLE_LIGHT:
        if (c == 22 || c == 23)
            return "%";
        [[fallthrough]];
    case TABLE_ELECTRIC:
        if (c == 14)
            return "watts";
        if (c == 15)
            return "volts";
        break;
    case TABLE_COMPONENT:
        // The Distance unit decides here, not the Diameter unit.
        if ((c == 14 || c == 15) && units.m_Distance.IsMetric())
            return units.m_Diameter.GetName();
        break;
    case TABLE_NOZZLE:
        if (c == 16)
            return units.m_Angle.GetName();
        if (c == 22 || c == 23)
            return units.m_Pressure.GetName();
        break;
    default:
        break;
    }
    return CString();
}

CString GetColumnTitle(int nTableType, int nColumn, const OZU_UnitSet& units)
{
    CString title = GetFieldTitle(nTableType, nColumn);
    if (title.IsEmpty())
        return title;
    CString unit = GetUnitLine(nTableType, nColumn, units);
    if (!unit.IsEmpty())
        title += "\r\n(" + unit + ")";
    return title;
}

} // namespace kvgrid
