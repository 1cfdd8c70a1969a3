// Conversion of component-grid cells between the unit the database stores a
// quantity in and the user's display unit. Diameters are stored in
// millimetres, pressures in metres of head, valve, hydraulic and pump flows
// in m³/h, outlet flows in lph, angles in degrees, outlet-connection heights
// and lengths in metres, prices per metre.
#pragma once

#include "platform/framework/Framework.h"
#include "units/OZU_UnitSettings.h"

#include <functional>

namespace kvgrid {

enum CellQuantity
{
    QTY_NONE,
    QTY_DIAMETER,
    QTY_PRESSURE,
    QTY_LARGE_FLOW,
    QTY_SMALL_FLOW,
    QTY_ANGLE,
    QTY_DISTANCE,
    QTY_PRICE,       // a price per length: per metre stored, per 100 ft shown
};

enum CellConversionKind
{
    CONVERT_NONE,
    CONVERT_PLAIN,     // the unit factor
    CONVERT_NOMINAL,   // through the nominal-size table
    CONVERT_PRICE,     // per metre <-> per 100 ft
};

// One cell of the converted-cell set.
struct ConvertedCell
{
    CellQuantity quantity = QTY_NONE;
    CellConversionKind kind = CONVERT_NONE;
    bool always = false;   // converted even when the display unit is the stored one
};

// The entry of (table type, grid column); kind CONVERT_NONE for a cell that
// is never converted. itemType is the row's [Item Type]: an Outlet's column
// 23 is a small flow for "DEM" (ignoring case and blanks), else an angle.
ConvertedCell FindConvertedCell(int nTableType, int nColumn, const CString& itemType);

// TRUE when the entry's condition holds for the display units: the display
// unit differs from the stored one (or the entry is always converted).
bool ConversionApplies(const ConvertedCell& cell, const OZU_UnitSet& units);

// Converts a diameter into a length unit through the nominal-size table (the
// table's counterpart when the size is listed, else the plain conversion):
// the number in the target unit. FALSE when there is no table; the plain
// conversion is used instead.
typedef std::function<bool(const OZU_DiameterValue& value, int nTargetUnit, double& result)> NominalConverter;

struct CellConversionContext
{
    const OZU_UnitSet* pUnits = nullptr;
    int nSignificantDigits = 5;
    NominalConverter convertNominal;
};

// Price factors, single precision, as stored data expects: per metre to per
// 100 ft, and back.
const float PricePerMetreToPer100Feet = 30.4878f;
const float PricePer100FeetToPerMetre = 0.0328f;

enum
{
    CONVERT_TO_STORED = 0,    // typed text (display unit) to stored text
    CONVERT_TO_DISPLAY = 1,   // stored text to display text
};

// Converts one cell's text. Returns 1 when the cell is in the converted-cell
// set and its condition holds; then out holds the converted value rounded to
// the significant digits. Otherwise 0 and out is empty. Row 0 (the header
// row) is never converted. The input is read as a number the way atof reads
// it; a text that is not a number reads as 0 (see ParseNumber to test first).
// A nominal diameter goes through the nominal table in both directions: to
// the display unit when shown, to millimetres when typed.
int ConvertCellValue(int nTableType, int nDirection, unsigned long nRow, int nColumn, const CString& itemType,
                     const CString& in, CString& out, const CellConversionContext& context);

// TRUE when the whole text (blanks around it allowed) is one decimal number.
bool ParseNumber(const CString& text, double& value);

} // namespace kvgrid
