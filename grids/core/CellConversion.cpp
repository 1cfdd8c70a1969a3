#include "grids/core/CellConversion.h"
#include "grids/core/GridTables.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace kvgrid {

namespace {

ConvertedCell Cell(CellQuantity q, CellConversionKind k, bool always = false)
{
    ConvertedCell c;
    c.quantity = q;
    c.kind = k;
    c.always = always;
    return c;
}

// Stored units.
const int kStoredDiameter = LENGTH_MM;
const int kStoredPressure = PRESSURE_M;
const int kStoredLargeFlow = FLOW_M3H;
const int kStoredSmallFlow = FLOW_LPH;
const int kStoredAngle = ANGLE_DEGREES;
const int kStoredDistance = LENGTH_M;

template <class V>
double Convert(double number, int from, int to)
{
    V value(number, from);
    return value.GetValueIn(to);
}

} // namespace

ConvertedCell FindConvertedCell(int nTableType, int nColumn, const CString& itemType)
{
    const int c = nColumn;
    switch (nTableType)
    {
    case TABLE_PIPE:
        if (c == 14)
            return Cell(QTY_DIAMETER, CONVERT_NOMINAL);
        if (c == 15)
            return Cell(QTY_DIAMETER, CONVERT_PLAIN);
        if (c == 17)
            return Cell(QTY_PRESSURE, CONVERT_PLAIN);
        if (c == 20 || c == 21)
            return Cell(QTY_PRICE, CONVERT_PRICE);
        break;
    case TABLE_WIRE:
        if (c == 20 || c == 21)
            return Cell(QTY_PRICE, CONVERT_PRICE);
        break;
    case TABLE_VALVE:
    case TABLE_HYDRAULIC:
    case TABLE_PUMP:
        if (c == 14 || c == 15)
            return Cell(QTY_DIAMETER, CONVERT_NOMINAL);
        if (c == 22 || c == 23)
            return Cell(QTY_LARGE_FLOW, CONVERT_PLAIN);
        break;
    case TABLE_TAKE_OFF:
    case TABLE_COUPLER:
    case TABLE_TEE:
    case TABLE_CROSS:
        if (c == 14 || c == 15)
            return Cell(QTY_DIAMETER, CONVERT_NOMINAL, true);
        break;
    case TABLE_ELBOW:
        if (c == 14)
            return Cell(QTY_DIAMETER, CONVERT_NOMINAL, true);
        if (c == 15)
            return Cell(QTY_ANGLE, CONVERT_PLAIN);
        if (c == 16)
            return Cell(QTY_DIAMETER, CONVERT_NOMINAL);
        break;
    case TABLE_OUTLET:
        if (c == 14)
            return Cell(QTY_DIAMETER, CONVERT_NOMINAL);
        if (c == 22)
            return Cell(QTY_PRESSURE, CONVERT_PLAIN);
        if (c == 23)
        {
            CString type = itemType;
            type.Trim();
            return Cell(type.CompareNoCase("DEM") == 0 ? QTY_SMALL_FLOW : QTY_ANGLE, CONVERT_PLAIN);
        }
        break;
    case TABLE_OUTLET_CONNECTION:
        if (c == 14 || c == 15)
            return Cell(QTY_DIAMETER, CONVERT_NOMINAL);
        if (c == 16 || c == 18)
            return Cell(QTY_DISTANCE, CONVERT_PLAIN);
        if (c == 17)
            return Cell(QTY_DIAMETER, CONVERT_PLAIN);
        break;
    case TABLE_COMPONENT:
        if (c == 14 || c == 15)
            return Cell(QTY_DIAMETER, CONVERT_NOMINAL);
        break;
    case TABLE_NOZZLE:
        if (c == 16)
            return Cell(QTY_ANGLE, CONVERT_PLAIN);
        if (c == 22 || c == 23)
            return Cell(QTY_PRESSURE, CONVERT_PLAIN);
        break;
    default:
        break;
    }
    return ConvertedCell();
}

bool ConversionApplies(const ConvertedCell& cell, const OZU_UnitSet& units)
{
    if (cell.kind == CONVERT_NONE)
        return false;
    if (cell.always)
        return true;
    switch (cell.quantity)
    {
    case QTY_DIAMETER:
        return units.m_Diameter.GetUnit() != kStoredDiameter;
    case QTY_PRESSURE:
        return units.m_Pressure.GetUnit() != kStoredPressure;
    case QTY_LARGE_FLOW:
        return units.m_LargeFlow.GetUnit() != kStoredLargeFlow;
    case QTY_SMALL_FLOW:
        return units.m_SmallFlow.GetUnit() != kStoredSmallFlow;
    case QTY_ANGLE:
        return units.m_Angle.GetUnit() != kStoredAngle;
    case QTY_DISTANCE:
        return units.m_Distance.GetUnit() != kStoredDistance;
    case QTY_PRICE:
        return !units.m_Distance.IsMetric();
    default:
        return false;
    }
}

int ConvertCellValue(int nTableType, int nDirection, unsigned long nRow, int nColumn, const CString& itemType,
                     const CString& in, CString& out, const CellConversionContext& context)
{
    out.Empty();
    if (nRow == 0 || !context.pUnits)
        return 0;
    const OZU_UnitSet& units = *context.pUnits;
    double number = std::atof(in);
    ConvertedCell cell = FindConvertedCell(nTableType, nColumn, itemType);
    if (!ConversionApplies(cell, units))
        return 0;
    const bool toDisplay = nDirection == CONVERT_TO_DISPLAY;
    double result = 0.0;
    switch (cell.quantity)
    {
    case QTY_DIAMETER:
    {
        int display = units.m_Diameter.GetUnit();
        int from = toDisplay ? kStoredDiameter : display;
        int to = toDisplay ? display : kStoredDiameter;
        bool done = cell.kind == CONVERT_NOMINAL && context.convertNominal &&
                    context.convertNominal(OZU_DiameterValue(number, from), to, result);
        if (!done)
            result = Convert<OZU_DiameterValue>(number, from, to);
        break;
    }
    case QTY_PRESSURE:
    {
        int display = units.m_Pressure.GetUnit();
        result = toDisplay ? Convert<OZU_PressureValue>(number, kStoredPressure, display)
                           : Convert<OZU_PressureValue>(number, display, kStoredPressure);
        break;
    }
    case QTY_LARGE_FLOW:
    {
        int display = units.m_LargeFlow.GetUnit();
        result = toDisplay ? Convert<OZU_LargeFlowValue>(number, kStoredLargeFlow, display)
                           : Convert<OZU_LargeFlowValue>(number, display, kStoredLargeFlow);
        break;
    }
    case QTY_SMALL_FLOW:
    {
        int display = units.m_SmallFlow.GetUnit();
        result = toDisplay ? Convert<OZU_SmallFlowValue>(number, kStoredSmallFlow, display)
                           : Convert<OZU_SmallFlowValue>(number, display, kStoredSmallFlow);
        break;
    }
    case QTY_ANGLE:
    {
        int display = units.m_Angle.GetUnit();
        result = toDisplay ? Convert<OZU_AngleValue>(number, kStoredAngle, display)
                           : Convert<OZU_AngleValue>(number, display, kStoredAngle);
        break;
    }
    case QTY_DISTANCE:
    {
        int display = units.m_Distance.GetUnit();
        result = toDisplay ? Convert<OZU_DistanceValue>(number, kStoredDistance, display)
                           : Convert<OZU_DistanceValue>(number, display, kStoredDistance);
        break;
    }
    case QTY_PRICE:
        result = number * (double)(toDisplay ? PricePerMetreToPer100Feet : PricePer100FeetToPerMetre);
        break;
    default:
        return 0;
    }
    out = OZU_UnitSettings::FormatSignificantDigits(result, context.nSignificantDigits);
    return 1;
}

bool ParseNumber(const CString& text, double& value)
{
    CString t = text;
    t.Trim();
    if (t.IsEmpty())
        return false;
    const char* begin = t;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(v))
        return false;
    // Hexadecimal and the words strtod knows are not numbers to a user.
    for (const char* p = begin; *p; p++)
        if (!(std::isdigit((unsigned char)*p) || *p == '.' || *p == '-' || *p == '+' || *p == 'e' || *p == 'E'))
            return false;
    value = v;
    return true;
}

} // namespace kvgrid
