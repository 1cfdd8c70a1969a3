// Where each kind's values are kept in the Components and Tapes columns, and
// in which unit: the connection texts, the nominal diameters through the
// nominal-size table, each kind's values stored from units other than the
// stored ones, the columns every kind shares, and the columns a kind does
// not use left alone.
#include "editors/components/core/ComponentValues.h"
#include "tests/support/FilledRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>

using namespace kvcomponents;

namespace {

// A nominal-size table of two sizes whose inches are not 25.4 mm, the
// widths of the sample database's text columns, and an answer that is not
// valid when there is no table to ask.
class CFakeColumns : public CComponentColumns
{
public:
    BOOL bTable = TRUE;
    OZU_DiameterValue ConvertNominal(const OZU_DiameterValue& diameter, int nUnit) override
    {
        if (!bTable)
            return OZU_DiameterValue();
        const double mm = diameter.GetValueIn(LENGTH_MM);
        // Listed sizes: 25 mm is 1 in, 50 mm is 2 in.
        for (auto [listedMM, listedIn] : { std::pair{ 25.0, 1.0 }, std::pair{ 50.0, 2.0 } }) {
            const bool bMatch = diameter.GetUnit() == LENGTH_IN ? std::fabs(diameter.GetValue() - listedIn) < 1e-4
                                                                 : std::fabs(mm - listedMM) < 1e-4;
            if (bMatch && (nUnit == LENGTH_MM || nUnit == LENGTH_IN))
                return OZU_DiameterValue(nUnit == LENGTH_MM ? listedMM : listedIn, nUnit);
        }
        return OZU_DiameterValue(diameter.GetValueIn(nUnit), nUnit);
    }
    int GetFieldLength(int nColumn) const override
    {
        static const std::map<int, int> widths = { { 6, 50 }, { 7, 32 }, { 8, 4 },  { 9, 3 },   { 10, 6 },
                                                    { 11, 6 }, { 12, 6 }, { 13, 6 }, { 33, 10 }, { 34, 3 } };
        auto it = widths.find(nColumn);
        return it != widths.end() ? it->second : 0;
    }
};

// A record whose every column holds a value of its own, so that a column
// written by mistake shows.
ComponentFields MarkedRecord()
{
    ComponentFields r;
    kvtest::FillEveryColumn(r);
    r.m_nComponentKey = 77;
    return r;
}

// The columns of a record by name, as text, to compare what changed.
std::map<std::string, std::string> Columns(const ComponentFields& r)
{
    auto f = [](float v) { return std::to_string(v); };
    return {
        { "Key", std::to_string(r.m_nComponentKey) },
        { "Old id1", std::to_string(r.m_nOldId1) },
        { "Old id2", std::to_string(r.m_nOldId2) },
        { "Old id3", std::to_string(r.m_nOldId3) },
        { "Database Number", std::to_string(r.m_nDatabaseNumber) },
        { "Description", r.m_strDescription.str() },
        { "Warehouse Code", r.m_strWarehouseCode.str() },
        { "Supplier Code", r.m_strSupplierCode.str() },
        { "Usage", r.m_strUsage.str() },
        { "Major1", r.m_strMajor1.str() },
        { "Minor1", r.m_strMinor1.str() },
        { "Major2", r.m_strMajor2.str() },
        { "Minor2", r.m_strMinor2.str() },
        { "Reals1", f(r.m_fReals1) },
        { "Reals2", f(r.m_fReals2) },
        { "Reals3", f(r.m_fReals3) },
        { "Reals4", f(r.m_fReals4) },
        { "Reals5", f(r.m_fReals5) },
        { "Reals6", f(r.m_fReals6) },
        { "Reals7", f(r.m_fReals7) },
        { "Reals8", f(r.m_fReals8) },
        { "Rextra1", f(r.m_fRextra1) },
        { "Rextra2", f(r.m_fRextra2) },
        { "Rextra3", f(r.m_fRextra3) },
        { "Rextra4", f(r.m_fRextra4) },
        { "Document Index", std::to_string(r.m_nDocumentIndex) },
        { "Linetype", std::to_string(r.m_nLinetype) },
        { "Symbol", std::to_string(r.m_nSymbol) },
        { "Symbol Size", f(r.m_fSymbolSize) },
        { "Symbol File", std::to_string(r.m_nSymbolFile) },
        { "Colour1", std::to_string(r.m_nColour1) },
        { "Colour2", std::to_string(r.m_nColour2) },
        { "Default Nozzle", r.m_strDefaultNozzle.str() },
        { "Item Type", r.m_strItemType.str() },
        { "Flags", std::to_string(r.m_nFlags) },
        { "Order", std::to_string(r.m_nOrder) },
    };
}

// The names of the columns that differ between two records.
std::set<std::string> Changed(const ComponentFields& before, const ComponentFields& after)
{
    std::set<std::string> changed;
    auto a = Columns(before), b = Columns(after);
    for (auto& [name, value] : a)
        if (b[name] != value)
            changed.insert(name);
    return changed;
}

} // namespace

TEST(ComponentValuesTest, AConnectionIsACodeAGenderAndASuffix)
{
    struct Case
    {
        const char* column;
        const char* code;
        const char* gender;
        const char* suffix;
        const char* joined;
    } cases[] = {
        { "ABC M1", "ABC", "M", "1", "ABC M1" },
        { "", "", "", "", "      " },
        { "      ", "", "", "", "      " },
        { "ABCDEF", "ABCD", "E", "F", "ABCDEF" },
        { " AB F ", "AB", "F", "", "AB  F " },
        { "BSP", "BSP", "", "", "BSP   " },
        // Positions count characters, not bytes.
        { "ÄBCDMÖ", "ÄBCD", "M", "Ö", "ÄBCDMÖ" },
    };
    for (const Case& c : cases) {
        ConnectionParts parts = ConnectionParts::Split(c.column);
        EXPECT_EQ(CString(c.code), parts.code) << c.column;
        EXPECT_EQ(CString(c.gender), parts.gender) << c.column;
        EXPECT_EQ(CString(c.suffix), parts.suffix) << c.column;
        EXPECT_EQ(CString(c.joined), parts.Join()) << c.column;
    }
    // Parts typed too long are cut to their widths.
    ConnectionParts typed{ "ABCDE", "MF", "12" };
    EXPECT_EQ(CString("ABCDM1"), typed.Join());
}

TEST(ComponentValuesTest, NominalDiametersGoThroughTheTableElseThePlainConversion)
{
    CFakeColumns columns;
    // Listed: the table's counterpart, not 25 / 25.4.
    EXPECT_DOUBLE_EQ(1.0, LoadNominalDiameter(columns, 25.0f, LENGTH_IN).GetValue());
    EXPECT_EQ(LENGTH_IN, LoadNominalDiameter(columns, 25.0f, LENGTH_IN).GetUnit());
    EXPECT_FLOAT_EQ(50.0f, StoreNominalDiameter(columns, OZU_DiameterValue(2.0, LENGTH_IN)));
    // Not listed: arithmetic.
    EXPECT_NEAR(1.5, LoadNominalDiameter(columns, 38.1f, LENGTH_IN).GetValue(), 1e-5);
    EXPECT_NEAR(38.1f, StoreNominalDiameter(columns, OZU_DiameterValue(1.5, LENGTH_IN)), 1e-4);
    // Held in millimetres: stored as it is.
    EXPECT_FLOAT_EQ(23.5f, StoreNominalDiameter(columns, OZU_DiameterValue(23.5, LENGTH_MM)));
    // No table to ask: a value is converted all the same, never lost.
    columns.bTable = FALSE;
    EXPECT_NEAR(1.0 / 0.0254 * 0.025, LoadNominalDiameter(columns, 25.0f, LENGTH_IN).GetValue(), 1e-5);
    EXPECT_NEAR(50.8f, StoreNominalDiameter(columns, OZU_DiameterValue(2.0, LENGTH_IN)), 1e-4);
}

// Each kind's values, given in units other than the stored ones, land in
// their columns converted; every other column keeps what it held.
TEST(ComponentValuesTest, EachKindStoresItsValuesInItsColumnsAndUnits)
{
    CFakeColumns columns;
    struct Case
    {
        const char* kind;
        std::function<void(ComponentFields&, TapeFields&)> store;
        std::map<std::string, double> numbers;          // changed real columns and their values
        std::map<std::string, std::string> texts;        // changed text columns
        std::map<std::string, double> tapeNumbers;       // Tapes columns
    };
    auto psi = [](double v) { return OZU_PressureValue(v, PRESSURE_PSI); };
    const double kPsiInM = 0.70307;
    const Case cases[] = {
        { "pipe",
          [&](ComponentFields& r, TapeFields&) {
              PipeValues v;
              v.pipeType = "PE";
              v.nominalDiameter = OZU_DiameterValue(1.0, LENGTH_IN);
              v.actualDiameter = OZU_DiameterValue(1.05, LENGTH_IN);
              v.fRoughness = 150.0f;
              v.allowablePressure = psi(100.0);
              v.Store(columns, r);
          },
          { { "Reals1", 25.0 }, { "Reals2", 26.67 }, { "Reals3", 150.0 }, { "Reals4", 100 * kPsiInM } },
          { { "Major1", "PE    " } } },
        { "bend",
          [&](ComponentFields& r, TapeFields&) {
              BendValues v;
              v.angle = OZU_AngleValue(std::atan(1.0), ANGLE_RADIANS);
              v.majorDiameter = OZU_DiameterValue(2.0, LENGTH_IN);
              v.minorDiameter = OZU_DiameterValue(1.0, LENGTH_IN);
              v.majorConnection = { "BSP", "M", "1" };
              v.minorConnection = { "SW", "F", "" };
              v.Store(columns, r);
          },
          { { "Reals1", 50.0 }, { "Reals2", 45.0 }, { "Reals3", 25.0 } },
          { { "Major1", "BSP M1" }, { "Minor1", "SW  F " } } },
        { "coupler",
          [&](ComponentFields& r, TapeFields&) {
              JoinValues v;
              v.majorDiameter = OZU_DiameterValue(2.0, LENGTH_IN);
              v.minorDiameter = OZU_DiameterValue(0.0, LENGTH_IN);
              v.majorConnection = { "PUSH", "F", "2" };
              v.Store(columns, r);
          },
          { { "Reals1", 50.0 }, { "Reals2", 0.0 } },
          { { "Major1", "PUSHF2" }, { "Minor1", "      " } } },
        { "lateral take-off",
          [&](ComponentFields& r, TapeFields&) {
              TakeOffValues v;
              v.pipeType = "LDPE6";
              v.submainDiameter = OZU_DiameterValue(2.0, LENGTH_IN);
              v.lateralDiameter = OZU_DiameterValue(16.0, LENGTH_MM);
              v.minorConnection = { "BARB", " ", "" };
              v.Store(columns, r);
          },
          { { "Reals1", 50.0 }, { "Reals2", 16.0 } },
          { { "Major1", "LDPE6 " }, { "Minor1", "BARB  " } } },
        { "miscellaneous",
          [&](ComponentFields& r, TapeFields&) {
              MiscValues v;
              v.size1 = OZU_DiameterValue(1.0, LENGTH_IN);
              v.size2 = OZU_DiameterValue(1.5, LENGTH_IN);
              v.Store(columns, r);
          },
          { { "Reals1", 25.0 }, { "Reals2", 38.1 } } },
        { "wire",
          [&](ComponentFields& r, TapeFields&) {
              WireValues v;
              v.wireType = "awg";
              v.fNominalSize = 2.5f;
              v.fResistance = 0.75f;
              v.fVoltage = 24.0f;
              v.Store(r);
          },
          { { "Reals1", 2.5 }, { "Reals3", 0.75 }, { "Reals4", 24.0 } },
          { { "Major1", "awg   " } } },
        { "valve",
          [&](ComponentFields& r, TapeFields&) {
              CurveValues v;
              v.inletDiameter = OZU_DiameterValue(2.0, LENGTH_IN);
              v.outletDiameter = OZU_DiameterValue(1.0, LENGTH_IN);
              v.fCoefficient1 = 0.5f;
              v.fCoefficient2 = 1.85f;
              v.fCoefficient3 = -2.0f;
              v.minimumFlow = OZU_LargeFlowValue(1.0, FLOW_LPS);
              v.maximumFlow = OZU_LargeFlowValue(100.0, FLOW_USGPM);
              v.inletConnection = { "BSP", "F", "" };
              v.outletConnection = { "BSP", "M", "" };
              v.fittingType = "elb";
              v.Store(columns, r, FALSE);
          },
          { { "Reals1", 50.0 }, { "Reals2", 25.0 }, { "Reals3", 0.5 }, { "Reals4", 1.85 }, { "Reals5", -2.0 },
            { "Rextra1", 3.6 }, { "Rextra2", 22.7125 } },
          { { "Major1", "BSP F " }, { "Minor1", "BSP M " } } },
        { "hydraulic item",
          [&](ComponentFields& r, TapeFields&) {
              CurveValues v;
              v.inletDiameter = OZU_DiameterValue(25.0, LENGTH_MM);
              v.outletDiameter = OZU_DiameterValue(0.0, LENGTH_MM);
              v.fittingType = "elb";
              v.minimumFlow = OZU_LargeFlowValue(0.0, FLOW_M3H);
              v.maximumFlow = OZU_LargeFlowValue(10.0, FLOW_M3H);
              v.Store(columns, r, TRUE);
          },
          { { "Reals1", 25.0 }, { "Reals2", 0.0 }, { "Reals3", 0.0 }, { "Reals4", 0.0 }, { "Reals5", 0.0 },
            { "Rextra1", 0.0 }, { "Rextra2", 10.0 } },
          { { "Major1", "      " }, { "Minor1", "      " }, { "Item Type", "ELB" } } },
        { "outlet, demand point",
          [&](ComponentFields& r, TapeFields&) {
              OutletValues v;
              v.arcCode = kArcDemandPoint;
              v.defaultNozzle = "ROTOR 3.0 BLUE";
              v.defaultPressure = psi(30.0);
              v.defaultArc = OZU_AngleValue(90.0, ANGLE_DEGREES);
              v.defaultFlow = OZU_FlowValue(2.0, FLOW_LPM);
              v.fToleranceAbove = 20.0f;
              v.fToleranceBelow = 10.0f;
              v.inletDiameter = OZU_DiameterValue(1.0, LENGTH_IN);
              v.inletConnection = { "BSP", "M", "" };
              v.Store(columns, r);
          },
          { { "Reals1", 25.0 }, { "Rextra1", 30 * kPsiInM }, { "Rextra2", 120.0 }, { "Rextra3", 20.0 },
            { "Rextra4", 10.0 } },
          { { "Major1", "BSP M " }, { "Default Nozzle", "ROTOR 3.0 " }, { "Item Type", "DEM" } } },
        { "outlet, fixed arc",
          [&](ComponentFields& r, TapeFields&) {
              OutletValues v;
              v.arcCode = kArcFixed;
              v.defaultArc = OZU_AngleValue(std::atan(1.0) * 2, ANGLE_RADIANS);
              v.defaultFlow = OZU_FlowValue(2.0, FLOW_LPM);
              v.inletDiameter = OZU_DiameterValue(1.0, LENGTH_IN);
              v.Store(columns, r);
          },
          { { "Reals1", 25.0 }, { "Rextra1", 0.0 }, { "Rextra2", 90.0 }, { "Rextra3", 0.0 }, { "Rextra4", 0.0 } },
          { { "Major1", "      " }, { "Default Nozzle", "          " }, { "Item Type", "FIX" } } },
        { "nozzle",
          [&](ComponentFields& r, TapeFields&) {
              NozzleValues v;
              v.arc = OZU_AngleValue(360.0, ANGLE_DEGREES);
              v.fFlowConstant = 120.0f;
              v.fFlowIndex = 0.5f;
              v.fRadiusConstant = 4.0f;
              v.fRadiusIndex = 0.2f;
              v.fCOV = 0.05f;
              v.maximumPressure = psi(60.0);
              v.minimumPressure = OZU_PressureValue(1.0, PRESSURE_BAR);
              v.Store(r);
          },
          { { "Reals1", 4.0 }, { "Reals2", 0.2 }, { "Reals3", 360.0 }, { "Reals4", 120.0 }, { "Reals5", 0.5 },
            { "Rextra1", 10.1972 }, { "Rextra2", 60 * kPsiInM }, { "Rextra3", 0.05 } } },
        { "outlet connection",
          [&](ComponentFields& r, TapeFields&) {
              OutletConnectionValues v;
              v.equivalentDiameter = OZU_DiameterValue(1.0, LENGTH_IN);
              v.height = OZU_LengthValue(1.0, LENGTH_FT);
              v.equivalentLength = OZU_LengthValue(250.0, LENGTH_MM);
              v.inletDiameter = OZU_DiameterValue(1.0, LENGTH_IN);
              v.outletDiameter = OZU_DiameterValue(2.0, LENGTH_IN);
              v.Store(columns, r);
          },
          { { "Reals1", 25.0 }, { "Reals2", 50.0 }, { "Reals3", 0.3048 }, { "Reals4", 25.4 }, { "Reals5", 0.25 } },
          { { "Major1", "      " }, { "Minor1", "      " } } },
        { "electric item",
          [&](ComponentFields& r, TapeFields&) { ElectricValues{ 60.0f, 24.0f }.Store(r); },
          { { "Reals1", 60.0 }, { "Reals2", 24.0 } } },
        { "light",
          [&](ComponentFields& r, TapeFields&) { LightValues{ 20.0f, 12.0f, 10.0f, 15.0f }.Store(r); },
          { { "Reals1", 20.0 }, { "Reals2", 12.0 }, { "Rextra1", 10.0 }, { "Rextra2", 15.0 } } },
        { "controller",
          [&](ComponentFields& r, TapeFields&) { ControllerValues{ 12.0f }.Store(r); },
          { { "Reals1", 12.0 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const ComponentFields before = MarkedRecord();
        ComponentFields after = before;
        TapeFields tape;
        c.store(after, tape);
        std::set<std::string> expected;
        for (auto& [name, value] : c.numbers)
            expected.insert(name);
        for (auto& [name, value] : c.texts)
            expected.insert(name);
        // A column changed that the kind does not use, or one it uses kept.
        std::set<std::string> changed = Changed(before, after);
        for (const std::string& name : expected)
            changed.insert(name);
        EXPECT_EQ(expected, changed);
        auto columnsAfter = Columns(after);
        for (auto& [name, value] : c.numbers)
            EXPECT_NEAR(value, std::stod(columnsAfter[name]), std::max(1e-4, std::fabs(value) * 1e-4)) << name;
        for (auto& [name, text] : c.texts)
            EXPECT_EQ(text, columnsAfter[name]) << name;
    }
}

TEST(ComponentValuesTest, ATapeStoresItsTapesRowByItsMode)
{
    CFakeColumns columns;
    TapeValues v;
    v.pipe.pipeType = "DRIP";
    v.pipe.nominalDiameter = OZU_DiameterValue(16.0, LENGTH_MM);
    v.pipe.actualDiameter = OZU_DiameterValue(0.6, LENGTH_IN);
    v.pipe.fRoughness = 140.0f;
    v.pipe.allowablePressure = OZU_PressureValue(1.0, PRESSURE_BAR);
    v.fCOV = 0.03f;
    v.minimumPCPressure = OZU_PressureValue(7.0, PRESSURE_PSI);
    v.fCoefficient1 = 0.9f;
    v.fCoefficient2 = 0.5f;
    v.fCoefficient3 = 0.2f;
    v.fSlopeFactor = 0.7f;
    v.spacing = OZU_LengthValue(1.0, LENGTH_FT);
    v.defaultPressure = OZU_PressureValue(10.0, PRESSURE_PSI);
    v.dischargeRate = OZU_FlowPerLengthValue(1.0, FLOWPERLENGTH_USGPM100FT);
    v.minimumPressure = OZU_PressureValue(5.0, PRESSURE_PSI);
    v.maximumPressure = OZU_PressureValue(15.0, PRESSURE_PSI);
    v.fZoneAbove = 20.0f;
    v.fZoneBelow = 10.0f;

    for (BOOL bIteration : { TRUE, FALSE }) {
        SCOPED_TRACE(bIteration ? "iterated" : "formula");
        v.bIteration = bIteration;
        ComponentFields record = MarkedRecord();
        record.m_nFlags = COMPONENT_FLAG_ASSEMBLY;
        TapeFields tape;
        v.Store(columns, record, tape);
        EXPECT_EQ(CString("DRIP  "), record.m_strMajor1);
        EXPECT_FLOAT_EQ(16.0f, record.m_fReals1);
        EXPECT_NEAR(15.24, record.m_fReals2, 1e-4);
        EXPECT_FLOAT_EQ(140.0f, record.m_fReals3);
        EXPECT_NEAR(10.1972, record.m_fReals4, 1e-3);
        EXPECT_FLOAT_EQ(0.03f, record.m_fRextra3);
        EXPECT_NEAR(7 * 0.70307, record.m_fRextra4, 1e-3);
        // A tape is a pipe row with the tape bit; other bits stay.
        EXPECT_EQ(COMPONENT_FLAG_ASSEMBLY | COMPONENT_FLAG_TAPE, record.m_nFlags);

        EXPECT_EQ(CString(bIteration ? "ITER" : "    "), tape.m_strFlowCalcType);
        EXPECT_FLOAT_EQ(0.9f, tape.m_fTapeReals1);
        EXPECT_FLOAT_EQ(0.5f, tape.m_fTapeReals2);
        EXPECT_FLOAT_EQ(0.2f, tape.m_fTapeReals3);
        // The spacing in metres, else the slope factor as it is.
        EXPECT_NEAR(bIteration ? 0.3048 : 0.7, tape.m_fTapeReals4, 1e-5);
        EXPECT_NEAR(10 * 0.70307, tape.m_fTapeReals5, 1e-3);
        EXPECT_NEAR(2.27125 / 0.3048, tape.m_fTapeReals6, 1e-3);   // 1 US gpm per 100 ft in lph/m
        EXPECT_NEAR(5 * 0.70307, tape.m_fTapeRextra1, 1e-3);
        EXPECT_NEAR(15 * 0.70307, tape.m_fTapeRextra2, 1e-3);
        EXPECT_FLOAT_EQ(20.0f, tape.m_fTapeRextra3);
        EXPECT_FLOAT_EQ(10.0f, tape.m_fTapeRextra4);
    }
}

TEST(ComponentValuesTest, EveryKindSharesItsCommonColumns)
{
    CFakeColumns columns;
    CommonValues v;
    v.nComponentKey = 5;
    v.nOldId1 = 11;
    v.nOldId2 = 12;
    v.nOldId3 = 13;
    v.description = "Elbow 90";
    v.warehouseCode = "W-1";
    v.supplierCode = "AB";
    v.usage = "Y";
    v.label = "ABCDEFGH";
    v.fWholesaleCost = 1.5f;
    v.fRetailPrice = 2.5f;
    v.nFlags = 0x41;

    ComponentFields elbow = MarkedRecord();
    StoreCommon(v, DBNUM_ELBOW, columns, elbow);
    EXPECT_EQ(77, elbow.m_nComponentKey);
    EXPECT_EQ(DBNUM_ELBOW, elbow.m_nDatabaseNumber);
    EXPECT_EQ(11, elbow.m_nOldId1);
    EXPECT_EQ(13, elbow.m_nOldId3);
    EXPECT_EQ(50, elbow.m_strDescription.GetLength());
    EXPECT_EQ(CString("Elbow 90"), elbow.m_strDescription.Left(8));
    EXPECT_EQ(CString("AB  "), elbow.m_strSupplierCode);
    EXPECT_EQ(CString("Y  "), elbow.m_strUsage);
    EXPECT_FLOAT_EQ(1.5f, elbow.m_fReals7);
    EXPECT_FLOAT_EQ(2.5f, elbow.m_fReals8);
    EXPECT_EQ(0x41, elbow.m_nFlags);
    // An elbow has no label: its columns stay.
    EXPECT_EQ(CString("MAJ2  "), elbow.m_strMajor2);
    EXPECT_EQ(CString("MIN2  "), elbow.m_strMinor2);

    ComponentFields valve = MarkedRecord();
    StoreCommon(v, DBNUM_VALVE, columns, valve);
    EXPECT_EQ(CString("ABCDEF"), valve.m_strMajor2);
    EXPECT_EQ(CString("GH    "), valve.m_strMinor2);

    // A nozzle's usage is always the same, whatever the editor showed.
    ComponentFields nozzle = MarkedRecord();
    StoreCommon(v, DBNUM_NOZZLE, columns, nozzle);
    EXPECT_EQ(CString("Y  "), nozzle.m_strUsage);
    v.usage = "N";
    StoreCommon(v, DBNUM_NOZZLE, columns, nozzle);
    EXPECT_EQ(CString("Y  "), nozzle.m_strUsage);

    ComponentFields line = MarkedRecord();
    StoreLine(4, 0x00FF00, line);
    EXPECT_EQ(4, line.m_nLinetype);
    EXPECT_EQ(0x00FF00, line.m_nColour1);
    ComponentFields symbol = MarkedRecord();
    StoreSymbol(1, 2.5f, 9, 0x2000000, symbol);
    EXPECT_EQ(1, symbol.m_nSymbol);
    EXPECT_FLOAT_EQ(2.5f, symbol.m_fSymbolSize);
    EXPECT_EQ(9, symbol.m_nSymbolFile);
    EXPECT_EQ(0x2000000, symbol.m_nColour1);
    EXPECT_EQ(32, symbol.m_nColour2);
}

// What a kind loads it stores again unchanged, in any display unit.
TEST(ComponentValuesTest, LoadedValuesStoreBackUnchanged)
{
    CFakeColumns columns;
    ComponentFields stored = MarkedRecord();
    stored.m_strMajor1 = "ABC M1";
    stored.m_strMinor1 = "XY  F ";
    stored.m_fReals1 = 25.0f;      // listed in the nominal table
    stored.m_fReals2 = 37.3f;      // not listed
    stored.m_fReals3 = 16.0f;
    stored.m_strItemType = "DEM";
    stored.m_strDefaultNozzle = "NOZZLE 1  ";
    TapeFields tapeStored;
    tapeStored.m_strFlowCalcType = "ITER";
    tapeStored.m_fTapeReals4 = 0.45f;
    tapeStored.m_fTapeReals6 = 3.3f;

    for (int nUnit : { (int)LENGTH_MM, (int)LENGTH_IN, (int)LENGTH_CM }) {
        SCOPED_TRACE(nUnit);
        auto check = [&](const char* kind, auto&& loadStore) {
            ComponentFields again = stored;
            TapeFields tapeAgain = tapeStored;
            loadStore(again, tapeAgain);
            for (auto& [name, value] : Columns(stored)) {
                const std::string after = Columns(again)[name];
                if (after != value) {
                    EXPECT_NEAR(std::stod(value), std::stod(after), std::fabs(std::stod(value)) * 1e-6)
                        << kind << " " << name;
                }
            }
            EXPECT_EQ(tapeStored.m_fTapeReals4, tapeAgain.m_fTapeReals4) << kind;
        };
        check("bend", [&](ComponentFields& r, TapeFields&) {
            BendValues v;
            v.Load(r, columns, nUnit);
            v.Store(columns, r);
        });
        check("join", [&](ComponentFields& r, TapeFields&) {
            JoinValues v;
            v.Load(r, columns, nUnit);
            v.Store(columns, r);
        });
        check("misc", [&](ComponentFields& r, TapeFields&) {
            MiscValues v;
            v.Load(r, columns, nUnit);
            v.Store(columns, r);
        });
        check("curve", [&](ComponentFields& r, TapeFields&) {
            CurveValues v;
            v.Load(r, columns, nUnit, FALSE);
            v.Store(columns, r, FALSE);
        });
        check("outlet", [&](ComponentFields& r, TapeFields&) {
            OutletValues v;
            v.Load(r, columns, nUnit);
            v.Store(columns, r);
        });
        check("outlet connection", [&](ComponentFields& r, TapeFields&) {
            OutletConnectionValues v;
            v.Load(r, columns, nUnit);
            v.Store(columns, r);
        });
        check("pipe", [&](ComponentFields& r, TapeFields&) {
            PipeValues v;
            v.Load(r, columns, nUnit);
            v.Store(columns, r);
        });
        check("lateral take-off", [&](ComponentFields& r, TapeFields&) {
            TakeOffValues v;
            v.Load(r, columns, nUnit);
            v.Store(columns, r);
        });
        check("wire", [&](ComponentFields& r, TapeFields&) {
            WireValues v;
            v.Load(r);
            v.Store(r);
        });
        check("nozzle", [&](ComponentFields& r, TapeFields&) {
            NozzleValues v;
            v.Load(r);
            v.Store(r);
        });
        check("tape", [&](ComponentFields& r, TapeFields& t) {
            TapeValues v;
            v.Load(r, t, columns, nUnit);
            ComponentFields flagsBefore = r;
            v.Store(columns, r, t);
            r.m_nFlags = flagsBefore.m_nFlags;   // the tape bit is the tape's
        });
    }
}
