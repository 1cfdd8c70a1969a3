#include "editors/components/core/ComponentValues.h"
#include "editors/base/core/EditorText.h"
#include "database/records/ComponentTexts.h"

namespace kvcomponents {

const char kIterationFlowCalc[] = "ITER";
const char kArcFixed[] = "FIX";
const char kArcVariable[] = "VAR";
const char kArcMatched[] = "MAT";
const char kArcDemandPoint[] = "DEM";
const char kNozzleUsage[] = "Y  ";

namespace {

CString Fit(const CString& text, int nWidth)
{
    return kveditors::FitToWidth(text, nWidth);
}

// Fitted to a column's width when the width is known, else as it is.
CString FitToColumn(const CString& text, CComponentColumns& columns, int nColumn)
{
    int nWidth = columns.GetFieldLength(nColumn);
    return nWidth > 0 ? Fit(text, nWidth) : text;
}

CString Trimmed(const CString& text)
{
    CString result = text;
    result.Trim(' ');
    return result;
}

CString TrimmedRight(const CString& text)
{
    CString result = text;
    result.TrimRight(' ');
    return result;
}

float Stored(double value)
{
    return (float)value;
}

} // namespace

OZU_DiameterValue LoadNominalDiameter(CComponentColumns& columns, float fStoredMM, int nDisplayUnit)
{
    OZU_DiameterValue stored(fStoredMM, LENGTH_MM);
    OZU_DiameterValue shown = columns.ConvertNominal(stored, nDisplayUnit);
    if (!shown.IsValid() || shown.GetUnit() != nDisplayUnit)
        shown = OZU_DiameterValue(stored.GetValueIn(nDisplayUnit), nDisplayUnit);
    return shown;
}

float StoreNominalDiameter(CComponentColumns& columns, const OZU_DiameterValue& diameter)
{
    if (diameter.GetUnit() == LENGTH_MM)
        return Stored(diameter.GetValue());
    OZU_DiameterValue stored = columns.ConvertNominal(diameter, LENGTH_MM);
    if (!stored.IsValid() || stored.GetUnit() != LENGTH_MM)
        return Stored(diameter.GetValueIn(LENGTH_MM));
    return Stored(stored.GetValue());
}

/////////////////////////////////////////////////////////////////////////////
// Connections

ConnectionParts ConnectionParts::Split(const CString& column)
{
    ConnectionParts parts;
    if (column.IsEmpty())
        return parts;
    parts.code = Trimmed(kvrecords::TextLeft(column, CONNECTION_CODE_WIDTH));
    parts.gender = TrimmedRight(kvrecords::TextMid(column, CONNECTION_CODE_WIDTH, CONNECTION_GENDER_WIDTH));
    parts.suffix = TrimmedRight(
        kvrecords::TextMid(column, CONNECTION_CODE_WIDTH + CONNECTION_GENDER_WIDTH, CONNECTION_SUFFIX_WIDTH));
    return parts;
}

void ConnectionParts::FitTexts()
{
    code = Fit(code, CONNECTION_CODE_WIDTH);
    gender = Fit(gender, CONNECTION_GENDER_WIDTH);
    suffix = Fit(suffix, CONNECTION_SUFFIX_WIDTH);
}

CString ConnectionParts::Join() const
{
    ConnectionParts fitted = *this;
    fitted.FitTexts();
    return fitted.code + fitted.gender + fitted.suffix;
}

/////////////////////////////////////////////////////////////////////////////
// Common, line and symbol values

void StoreCommon(const CommonValues& values, int nDatabaseNumber, CComponentColumns& columns,
                 ComponentFields& record)
{
    record.m_nOldId1 = values.nOldId1;
    record.m_nOldId2 = values.nOldId2;
    record.m_nOldId3 = values.nOldId3;
    record.m_nDatabaseNumber = (BYTE)nDatabaseNumber;
    record.m_strDescription = FitToColumn(values.description, columns, COLUMN_DESCRIPTION);
    record.m_strWarehouseCode = FitToColumn(values.warehouseCode, columns, COLUMN_WAREHOUSE_CODE);
    record.m_strSupplierCode = FitToColumn(values.supplierCode, columns, COLUMN_SUPPLIER_CODE);
    record.m_strUsage = nDatabaseNumber == DBNUM_NOZZLE ? CString(kNozzleUsage)
                                                        : FitToColumn(values.usage, columns, COLUMN_USAGE);
    record.m_fReals7 = values.fWholesaleCost;
    record.m_fReals8 = values.fRetailPrice;
    record.m_nFlags = values.nFlags;
    if (kveditors::KindHasLabel(nDatabaseNumber))
        kveditors::SplitLabel(values.label, columns.GetFieldLength(COLUMN_MAJOR2),
                              columns.GetFieldLength(COLUMN_MINOR2), record.m_strMajor2, record.m_strMinor2);
}

void StoreLine(long nLineType, long nColour, ComponentFields& record)
{
    record.m_nLinetype = nLineType;
    record.m_nColour1 = nColour;
}

void StoreSymbol(long nSymbol, float fSymbolSize, long nSymbolFile, long nColour, ComponentFields& record)
{
    record.m_nSymbol = nSymbol;
    record.m_fSymbolSize = fSymbolSize;
    record.m_nSymbolFile = nSymbolFile;
    record.m_nColour1 = nColour;
}

/////////////////////////////////////////////////////////////////////////////
// Fittings

void JoinValues::Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit)
{
    majorDiameter = LoadNominalDiameter(columns, record.m_fReals1, nDiameterUnit);
    minorDiameter = LoadNominalDiameter(columns, record.m_fReals2, nDiameterUnit);
    majorConnection = ConnectionParts::Split(record.m_strMajor1);
    minorConnection = ConnectionParts::Split(record.m_strMinor1);
}

void JoinValues::FitTexts()
{
    majorConnection.FitTexts();
    minorConnection.FitTexts();
}

void JoinValues::Store(CComponentColumns& columns, ComponentFields& record) const
{
    record.m_strMajor1 = majorConnection.Join();
    record.m_strMinor1 = minorConnection.Join();
    record.m_fReals1 = StoreNominalDiameter(columns, majorDiameter);
    record.m_fReals2 = StoreNominalDiameter(columns, minorDiameter);
}

void BendValues::Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit)
{
    majorDiameter = LoadNominalDiameter(columns, record.m_fReals1, nDiameterUnit);
    angle = OZU_AngleValue(record.m_fReals2, ANGLE_DEGREES);
    minorDiameter = LoadNominalDiameter(columns, record.m_fReals3, nDiameterUnit);
    majorConnection = ConnectionParts::Split(record.m_strMajor1);
    minorConnection = ConnectionParts::Split(record.m_strMinor1);
}

void BendValues::FitTexts()
{
    majorConnection.FitTexts();
    minorConnection.FitTexts();
}

void BendValues::Store(CComponentColumns& columns, ComponentFields& record) const
{
    record.m_strMajor1 = majorConnection.Join();
    record.m_strMinor1 = minorConnection.Join();
    record.m_fReals1 = StoreNominalDiameter(columns, majorDiameter);
    record.m_fReals2 = Stored(angle.GetValueIn(ANGLE_DEGREES));
    record.m_fReals3 = StoreNominalDiameter(columns, minorDiameter);
}

void TakeOffValues::Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit)
{
    // The whole type as the column holds it: a type longer than four
    // characters is kept, not cut.
    pipeType = Trimmed(record.m_strMajor1);
    submainDiameter = LoadNominalDiameter(columns, record.m_fReals1, nDiameterUnit);
    lateralDiameter = LoadNominalDiameter(columns, record.m_fReals2, nDiameterUnit);
    minorConnection = ConnectionParts::Split(record.m_strMinor1);
}

void TakeOffValues::FitTexts(CComponentColumns& columns)
{
    pipeType = FitToColumn(pipeType, columns, COLUMN_MAJOR1);
    minorConnection.FitTexts();
}

void TakeOffValues::Store(CComponentColumns& columns, ComponentFields& record) const
{
    record.m_strMajor1 = FitToColumn(pipeType, columns, COLUMN_MAJOR1);
    record.m_strMinor1 = minorConnection.Join();
    record.m_fReals1 = StoreNominalDiameter(columns, submainDiameter);
    record.m_fReals2 = StoreNominalDiameter(columns, lateralDiameter);
}

void MiscValues::Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit)
{
    size1 = LoadNominalDiameter(columns, record.m_fReals1, nDiameterUnit);
    size2 = LoadNominalDiameter(columns, record.m_fReals2, nDiameterUnit);
}

void MiscValues::Store(CComponentColumns& columns, ComponentFields& record) const
{
    record.m_fReals1 = StoreNominalDiameter(columns, size1);
    record.m_fReals2 = StoreNominalDiameter(columns, size2);
}

/////////////////////////////////////////////////////////////////////////////
// Line components

void PipeValues::Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit)
{
    pipeType = Trimmed(record.m_strMajor1);
    nominalDiameter = LoadNominalDiameter(columns, record.m_fReals1, nDiameterUnit);
    actualDiameter = OZU_DiameterValue(record.m_fReals2, LENGTH_MM);
    fRoughness = record.m_fReals3;
    allowablePressure = OZU_PressureValue(record.m_fReals4, PRESSURE_M);
}

void PipeValues::FitTexts()
{
    pipeType = Fit(pipeType, PIPE_TYPE_WIDTH);
}

void PipeValues::Store(CComponentColumns& columns, ComponentFields& record) const
{
    record.m_strMajor1 = Fit(pipeType, PIPE_TYPE_WIDTH);
    record.m_fReals1 = StoreNominalDiameter(columns, nominalDiameter);
    record.m_fReals2 = Stored(actualDiameter.GetValueIn(LENGTH_MM));
    record.m_fReals3 = fRoughness;
    record.m_fReals4 = Stored(allowablePressure.GetValueIn(PRESSURE_M));
}

void TapeValues::Load(const ComponentFields& record, const TapeFields& tape, CComponentColumns& columns,
                      int nDiameterUnit)
{
    pipe.Load(record, columns, nDiameterUnit);
    fCOV = record.m_fRextra3;
    minimumPCPressure = OZU_PressureValue(record.m_fRextra4, PRESSURE_M);
    bIteration = TrimmedRight(tape.m_strFlowCalcType) == kIterationFlowCalc;
    fCoefficient1 = tape.m_fTapeReals1;
    fCoefficient2 = tape.m_fTapeReals2;
    fCoefficient3 = tape.m_fTapeReals3;
    fSlopeFactor = tape.m_fTapeReals4;
    spacing = OZU_LengthValue(tape.m_fTapeReals4, LENGTH_M);
    defaultPressure = OZU_PressureValue(tape.m_fTapeReals5, PRESSURE_M);
    dischargeRate = OZU_FlowPerLengthValue(tape.m_fTapeReals6, FLOWPERLENGTH_LPHM);
    minimumPressure = OZU_PressureValue(tape.m_fTapeRextra1, PRESSURE_M);
    maximumPressure = OZU_PressureValue(tape.m_fTapeRextra2, PRESSURE_M);
    fZoneAbove = tape.m_fTapeRextra3;
    fZoneBelow = tape.m_fTapeRextra4;
}

void TapeValues::FitTexts()
{
    pipe.FitTexts();
}

void TapeValues::Store(CComponentColumns& columns, ComponentFields& record, TapeFields& tape) const
{
    pipe.Store(columns, record);
    record.m_fRextra3 = fCOV;
    record.m_fRextra4 = Stored(minimumPCPressure.GetValueIn(PRESSURE_M));
    record.m_nFlags |= COMPONENT_FLAG_TAPE;
    tape.m_strFlowCalcType = Fit(bIteration ? CString(kIterationFlowCalc) : CString(), FLOW_CALC_TYPE_WIDTH);
    tape.m_fTapeReals1 = fCoefficient1;
    tape.m_fTapeReals2 = fCoefficient2;
    tape.m_fTapeReals3 = fCoefficient3;
    tape.m_fTapeReals4 = bIteration ? Stored(spacing.GetValueIn(LENGTH_M)) : fSlopeFactor;
    tape.m_fTapeReals5 = Stored(defaultPressure.GetValueIn(PRESSURE_M));
    tape.m_fTapeReals6 = Stored(dischargeRate.GetValueIn(FLOWPERLENGTH_LPHM));
    tape.m_fTapeRextra1 = Stored(minimumPressure.GetValueIn(PRESSURE_M));
    tape.m_fTapeRextra2 = Stored(maximumPressure.GetValueIn(PRESSURE_M));
    tape.m_fTapeRextra3 = fZoneAbove;
    tape.m_fTapeRextra4 = fZoneBelow;
}

void WireValues::Load(const ComponentFields& record)
{
    fResistance = record.m_fReals3;
    fNominalSize = record.m_fReals1;
    wireType = Trimmed(record.m_strMajor1);
    fVoltage = record.m_fReals4;
}

void WireValues::FitTexts()
{
    wireType = Fit(wireType, PIPE_TYPE_WIDTH);
}

void WireValues::Store(ComponentFields& record) const
{
    record.m_strMajor1 = Fit(wireType, PIPE_TYPE_WIDTH);
    record.m_fReals1 = fNominalSize;
    record.m_fReals3 = fResistance;
    record.m_fReals4 = fVoltage;
}

/////////////////////////////////////////////////////////////////////////////
// Components with a performance curve

void CurveValues::Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit,
                       BOOL bFittingType)
{
    inletDiameter = LoadNominalDiameter(columns, record.m_fReals1, nDiameterUnit);
    outletDiameter = LoadNominalDiameter(columns, record.m_fReals2, nDiameterUnit);
    fCoefficient1 = record.m_fReals3;
    fCoefficient2 = record.m_fReals4;
    fCoefficient3 = record.m_fReals5;
    minimumFlow = OZU_LargeFlowValue(record.m_fRextra1, FLOW_M3H);
    maximumFlow = OZU_LargeFlowValue(record.m_fRextra2, FLOW_M3H);
    fittingType = bFittingType ? Trimmed(record.m_strItemType) : CString();
    inletConnection = ConnectionParts::Split(record.m_strMajor1);
    outletConnection = ConnectionParts::Split(record.m_strMinor1);
}

void CurveValues::FitTexts(BOOL bFittingType)
{
    inletConnection.FitTexts();
    outletConnection.FitTexts();
    if (bFittingType) {
        fittingType.MakeUpper();
        fittingType = Fit(fittingType, FITTING_TYPE_WIDTH);
    }
}

void CurveValues::Store(CComponentColumns& columns, ComponentFields& record, BOOL bFittingType) const
{
    record.m_strMajor1 = inletConnection.Join();
    record.m_strMinor1 = outletConnection.Join();
    record.m_fReals1 = StoreNominalDiameter(columns, inletDiameter);
    record.m_fReals2 = StoreNominalDiameter(columns, outletDiameter);
    record.m_fReals3 = fCoefficient1;
    record.m_fReals4 = fCoefficient2;
    record.m_fReals5 = fCoefficient3;
    record.m_fRextra1 = Stored(minimumFlow.GetValueIn(FLOW_M3H));
    record.m_fRextra2 = Stored(maximumFlow.GetValueIn(FLOW_M3H));
    if (bFittingType) {
        CString type = fittingType;
        type.MakeUpper();
        record.m_strItemType = Fit(type, FITTING_TYPE_WIDTH);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Outlets, nozzles and outlet connections

BOOL OutletValues::IsDemandPoint() const
{
    return Trimmed(arcCode) == kArcDemandPoint;
}

void OutletValues::Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit)
{
    defaultNozzle = TrimmedRight(record.m_strDefaultNozzle);
    defaultPressure = OZU_PressureValue(record.m_fRextra1, PRESSURE_M);
    defaultArc = OZU_AngleValue(record.m_fRextra2, ANGLE_DEGREES);
    defaultFlow = OZU_FlowValue(record.m_fRextra2, FLOW_LPH);
    fToleranceAbove = record.m_fRextra3;
    fToleranceBelow = record.m_fRextra4;
    inletDiameter = LoadNominalDiameter(columns, record.m_fReals1, nDiameterUnit);
    inletConnection = ConnectionParts::Split(record.m_strMajor1);
    arcCode = Trimmed(record.m_strItemType);
}

void OutletValues::FitTexts()
{
    defaultNozzle = Fit(kvrecords::TextLeft(defaultNozzle, DEFAULT_NOZZLE_WIDTH), DEFAULT_NOZZLE_WIDTH);
    inletConnection.FitTexts();
    arcCode = Fit(arcCode, ARC_CODE_WIDTH);
}

void OutletValues::Store(CComponentColumns& columns, ComponentFields& record) const
{
    record.m_strMajor1 = inletConnection.Join();
    record.m_fReals1 = StoreNominalDiameter(columns, inletDiameter);
    record.m_fRextra1 = Stored(defaultPressure.GetValueIn(PRESSURE_M));
    record.m_fRextra2 = IsDemandPoint() ? Stored(defaultFlow.GetValueIn(FLOW_LPH))
                                        : Stored(defaultArc.GetValueIn(ANGLE_DEGREES));
    record.m_fRextra3 = fToleranceAbove;
    record.m_fRextra4 = fToleranceBelow;
    record.m_strDefaultNozzle = Fit(defaultNozzle, DEFAULT_NOZZLE_WIDTH);
    record.m_strItemType = Fit(arcCode, ARC_CODE_WIDTH);
}

void NozzleValues::Load(const ComponentFields& record)
{
    arc = OZU_AngleValue(record.m_fReals3, ANGLE_DEGREES);
    fFlowConstant = record.m_fReals4;
    fFlowIndex = record.m_fReals5;
    fRadiusConstant = record.m_fReals1;
    fRadiusIndex = record.m_fReals2;
    maximumPressure = OZU_PressureValue(record.m_fRextra2, PRESSURE_M);
    minimumPressure = OZU_PressureValue(record.m_fRextra1, PRESSURE_M);
    fCOV = record.m_fRextra3;
}

void NozzleValues::Store(ComponentFields& record) const
{
    record.m_fReals1 = fRadiusConstant;
    record.m_fReals2 = fRadiusIndex;
    record.m_fReals3 = Stored(arc.GetValueIn(ANGLE_DEGREES));
    record.m_fReals4 = fFlowConstant;
    record.m_fReals5 = fFlowIndex;
    record.m_fRextra1 = Stored(minimumPressure.GetValueIn(PRESSURE_M));
    record.m_fRextra2 = Stored(maximumPressure.GetValueIn(PRESSURE_M));
    record.m_fRextra3 = fCOV;
}

void OutletConnectionValues::Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit)
{
    equivalentDiameter = OZU_DiameterValue(record.m_fReals4, LENGTH_MM);
    height = OZU_LengthValue(record.m_fReals3, LENGTH_M);
    equivalentLength = OZU_LengthValue(record.m_fReals5, LENGTH_M);
    inletDiameter = LoadNominalDiameter(columns, record.m_fReals1, nDiameterUnit);
    outletDiameter = LoadNominalDiameter(columns, record.m_fReals2, nDiameterUnit);
    inletConnection = ConnectionParts::Split(record.m_strMajor1);
    outletConnection = ConnectionParts::Split(record.m_strMinor1);
}

void OutletConnectionValues::FitTexts()
{
    inletConnection.FitTexts();
    outletConnection.FitTexts();
}

void OutletConnectionValues::Store(CComponentColumns& columns, ComponentFields& record) const
{
    record.m_strMajor1 = inletConnection.Join();
    record.m_strMinor1 = outletConnection.Join();
    record.m_fReals1 = StoreNominalDiameter(columns, inletDiameter);
    record.m_fReals2 = StoreNominalDiameter(columns, outletDiameter);
    record.m_fReals3 = Stored(height.GetValueIn(LENGTH_M));
    record.m_fReals4 = Stored(equivalentDiameter.GetValueIn(LENGTH_MM));
    record.m_fReals5 = Stored(equivalentLength.GetValueIn(LENGTH_M));
}

/////////////////////////////////////////////////////////////////////////////
// Electric components

void ElectricValues::Load(const ComponentFields& record)
{
    fRating = record.m_fReals1;
    fVoltage = record.m_fReals2;
}

void ElectricValues::Store(ComponentFields& record) const
{
    record.m_fReals1 = fRating;
    record.m_fReals2 = fVoltage;
}

void LightValues::Load(const ComponentFields& record)
{
    fRating = record.m_fReals1;
    fVoltage = record.m_fReals2;
    fToleranceAbove = record.m_fRextra1;
    fToleranceBelow = record.m_fRextra2;
}

void LightValues::Store(ComponentFields& record) const
{
    record.m_fReals1 = fRating;
    record.m_fReals2 = fVoltage;
    record.m_fRextra1 = fToleranceAbove;
    record.m_fRextra2 = fToleranceBelow;
}

void ControllerValues::Load(const ComponentFields& record)
{
    fStations = record.m_fReals1;
}

void ControllerValues::Store(ComponentFields& record) const
{
    record.m_fReals1 = fStations;
}

} // namespace kvcomponents
