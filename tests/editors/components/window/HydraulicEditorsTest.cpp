// The editors of the valves, hydraulic items, pumps, outlets, nozzles and
// outlet connections over a copy of the sample database: the editor each
// kind opens, every field surviving an open, OK and reopen in metric and US
// units, what each field typed is stored as (column and unit), what each
// editor refuses (with the focus on the field), an outlet's arc types and
// demand points, and the coefficients the curve-fit bar hands them.
#include "tests/editors/components/window/ComponentEditorTest.h"
#include "database/records/TapeRecords.h"
#include "editors/base/window/EditorBaseRes.h"
#include "editors/components/window/HydraDialog.h"
#include "editors/components/window/NozzleDialog.h"
#include "editors/components/window/OutConDialog.h"
#include "editors/components/window/OutletDialog.h"
#include "editors/components/window/PumpDialog.h"
#include "editors/components/window/ValveDialog.h"
#include "editors/curvefit/CurveFitNotify.h"
#include "grids/window/GridWindow.h"

#include <cmath>
#include <functional>

using namespace componenttest;

namespace {

// Sample components: a solenoid valve, a gate valve (no intercept), a disc
// filter, a centrifugal pump, outlets of each arc type (the fixed one with
// 16 nozzles), two outlet connections and a spray nozzle.
const long kValve = 75, kGateValve = 80, kFilter = 95, kPump = 171;
const long kFixedOutlet = 215, kVariableOutlet = 219, kMatchedOutlet = 227, kDemandPoint = 228;
const long kRiser = 235, kSteelRiser = 239, kNozzle = 182;

const double kPsi = 0.703070;        // metres of head
const double kUSGpm = 0.2271247;     // m³/h
const double kUSGph = 3.785412;      // lph

class HydraulicEditorsTest : public ComponentEditorTest
{
protected:
    // The outlet's arc type chosen in its list.
    void ChooseArcType(OZU_ComponentDialog* pEditor, const char* text) { Enter(pEditor, IDC_OUTLET_ARC_TYPE, text); }
};

/////////////////////////////////////////////////////////////////////////////
// The editor of each kind

TEST_F(HydraulicEditorsTest, EachKindOpensItsOwnEditorOnItsTemplate)
{
    struct Case
    {
        long nKey;
        int nKind;
        const char* caption;
        std::function<bool(OZU_ComponentDialog*)> isClass;
    } cases[] = {
        { kValve, 2, "Edit Control Valve", [](auto* p) { return dynamic_cast<CValveDialog*>(p) != nullptr; } },
        { kFilter, 3, "Edit Hydraulic Item", [](auto* p) { return dynamic_cast<CHydraDialog*>(p) != nullptr; } },
        { kPump, 9, "Edit Pump", [](auto* p) { return dynamic_cast<CPumpDialog*>(p) != nullptr; } },
        { kFixedOutlet, 10, "Edit Outlet", [](auto* p) { return dynamic_cast<COutletDialog*>(p) != nullptr; } },
        { kRiser, 11, "Edit Outlet Connector", [](auto* p) { return dynamic_cast<COutConDialog*>(p) != nullptr; } },
        { kNozzle, 17, "Edit Nozzle", [](auto* p) { return dynamic_cast<CNozzleDialog*>(p) != nullptr; } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        OZU_ComponentDialog* pEditor = OpenKey(c.nKey);
        EXPECT_EQ(c.nKind, m_nOpenKind);
        ASSERT_NE(nullptr, pEditor);
        EXPECT_TRUE(c.isClass(pEditor));
        EXPECT_EQ(c.caption, Caption(pEditor));
        EXPECT_EQ((std::vector<std::string>{ " ", "Y", "N" }), Items(pEditor, IDC_USAGE));
        pEditor->DestroyWindow();
        EXPECT_EQ(nullptr, m_view.pOpen);
    }
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(HydraulicEditorsTest, WhileAnAssemblyIsBuiltTheTitleSaysWhichOne)
{
    const AssemblyTitle cases[] = {
        { DBNUM_VALVE, 0, "Creating a new valve assembly..." },
        { DBNUM_HYDRAULIC, 0, "Creating a new hydraulic item assembly..." },
        { DBNUM_PUMP, 0, "Creating a new pump assembly..." },
        { DBNUM_OUTLET, 0, "Creating a new outlet assembly..." },
        { DBNUM_OUTLET_CONNECTION, 0, "Creating a new outlet connection assembly..." },
        // The nozzle has no assembly title: its own stays.
        { DBNUM_NOZZLE, 0, "Add Nozzle" },
    };
    for (const AssemblyTitle& c : cases)
        ASSERT_NO_FATAL_FAILURE(ExpectAssemblyTitle(c));
}

/////////////////////////////////////////////////////////////////////////////
// Round trips

// Open, OK, reopen: every column of the component is as it was (its texts
// made as wide as their columns), and the editor shows what it showed, in
// both unit systems.
TEST_F(HydraulicEditorsTest, EveryFieldSurvivesOpenOKAndReopen)
{
    auto trimmed = [](std::vector<std::string> row) {
        for (std::string& cell : row)
            cell.erase(cell.find_last_not_of(' ') + 1);
        return row;
    };
    const long keys[] = { kValve,        kGateValve,   kFilter, kPump,       kFixedOutlet, kVariableOutlet,
                          kMatchedOutlet, kDemandPoint, kRiser,  kSteelRiser, kNozzle };
    for (bool bMetric : { true, false }) {
        UseUnits(bMetric);
        for (long nKey : keys) {
            SCOPED_TRACE(std::to_string(nKey) + (bMetric ? " metric" : " US"));
            ASSERT_NO_FATAL_FAILURE(ExpectRoundTrip(nKey, trimmed));
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// What each field is stored as

TEST_F(HydraulicEditorsTest, EachFieldIsStoredInItsColumnInTheStoredUnit)
{
    // A nozzle of the fixed outlet, named shorter than [Default Nozzle].
    Run("UPDATE Components SET Description = 'Mist 1' WHERE [Component Key] = 190;");
    const TypedFields cases[] = {
        { "valve", false, kValve,
          { { IDC_VALVE_CONSTANT, "0.25" }, { IDC_VALVE_INDEX, "1.9" }, { IDC_VALVE_INTERCEPT, "-0.5" },
            { IDC_VALVE_INLET_DIAMETER, "1" }, { IDC_VALVE_OUTLET_DIAMETER, "1.25" },
            { IDC_VALVE_INLET_CODE, "NPT" }, { IDC_VALVE_INLET_GENDER, "M" }, { IDC_VALVE_INLET_SUFFIX, "2" },
            { IDC_VALVE_OUTLET_CODE, "FLNG" }, { IDC_VALVE_OUTLET_GENDER, "F" }, { IDC_VALVE_OUTLET_SUFFIX, "" },
            { IDC_VALVE_MAXIMUM_FLOW, "20" }, { IDC_VALVE_MINIMUM_FLOW, "1" }, { IDC_LABEL, "SV-X 025" } },
          { { "Reals3", 0.25 }, { "Reals4", 1.9 }, { "Reals5", -0.5 }, { "Reals1", 25 }, { "Reals2", 32 },
            { "Rextra2", 20 * kUSGpm }, { "Rextra1", kUSGpm } },
          { { "Major1", "NPT M2" }, { "Minor1", "FLNGF " }, { "Major2", "SV-X 0" }, { "Minor2", "25    " } } },
        { "hydraulic item", true, kFilter,
          { { IDC_HYDRAULIC_FITTING_TYPE, "mtr" }, { IDC_HYDRAULIC_CONSTANT, "0.05" }, { IDC_HYDRAULIC_INDEX, "1.8" },
            { IDC_HYDRAULIC_INTERCEPT, "0.25" }, { IDC_HYDRAULIC_INLET_DIAMETER, "40" },
            { IDC_HYDRAULIC_OUTLET_DIAMETER, "0" }, { IDC_HYDRAULIC_INLET_CODE, "BSPT" },
            { IDC_HYDRAULIC_INLET_GENDER, " " }, { IDC_HYDRAULIC_OUTLET_SUFFIX, "X" },
            { IDC_HYDRAULIC_MAXIMUM_FLOW, "15" }, { IDC_HYDRAULIC_MINIMUM_FLOW, "2" } },
          { { "Reals3", 0.05 }, { "Reals4", 1.8 }, { "Reals5", 0.25 }, { "Reals1", 40 }, { "Reals2", 0 },
            { "Rextra2", 15 }, { "Rextra1", 2 } },
          { { "[Item Type]", "MTR" }, { "Major1", "BSPT  " }, { "Minor1", "BSPTFX" } } },
        { "pump", false, kPump,
          { { IDC_PUMP_A, "-0.3" }, { IDC_PUMP_B, "0.4" }, { IDC_PUMP_C, "40" }, { IDC_PUMP_INLET_DIAMETER, "1.5" },
            { IDC_PUMP_OUTLET_DIAMETER, "1" }, { IDC_PUMP_OUTLET_CODE, "GRV" }, { IDC_PUMP_OUTLET_GENDER, "M" },
            { IDC_PUMP_MAXIMUM_FLOW, "50" }, { IDC_PUMP_MINIMUM_FLOW, "5" } },
          { { "Reals3", -0.3 }, { "Reals4", 0.4 }, { "Reals5", 40 }, { "Reals1", 40 }, { "Reals2", 25 },
            { "Rextra2", 50 * kUSGpm }, { "Rextra1", 5 * kUSGpm } },
          { { "Major1", "BSPTF " }, { "Minor1", "GRV M " }, { "[Item Type]", "   " } } },
        { "outlet", false, kFixedOutlet,
          { { IDC_OUTLET_ARC_TYPE, "Variable" }, { IDC_OUTLET_DEFAULT_NOZZLE, "Mist 1" },
            { IDC_OUTLET_DEFAULT_PRESSURE, "30" }, { IDC_OUTLET_DEFAULT_ARC, "270" },
            { IDC_OUTLET_TOLERANCE_ABOVE, "15" }, { IDC_OUTLET_TOLERANCE_BELOW, "5" },
            { IDC_OUTLET_INLET_DIAMETER, "0.75" }, { IDC_OUTLET_INLET_CODE, "NPT" }, { IDC_OUTLET_INLET_GENDER, "F" },
            { IDC_OUTLET_INLET_SUFFIX, "" } },
          { { "Rextra1", 30 * kPsi }, { "Rextra2", 270 }, { "Rextra3", 15 }, { "Rextra4", 5 }, { "Reals1", 20 },
            { "Flags", 4 } },
          { { "[Item Type]", "VAR" }, { "[Default Nozzle]", "Mist 1    " }, { "Major1", "NPT F " } } },
        { "demand point", false, kDemandPoint,
          { { IDC_OUTLET_DEFAULT_ARC, "2" }, { IDC_OUTLET_TOLERANCE_ABOVE, "20" } },
          { { "Rextra2", 2 * kUSGph }, { "Rextra3", 20 }, { "Flags", 0 } },
          { { "[Item Type]", "DEM" } } },
        { "outlet connection", false, kSteelRiser,
          { { IDC_OUTCON_HEIGHT, "2" }, { IDC_OUTCON_EQUIVALENT_LENGTH, "3" }, { IDC_OUTCON_EQUIVALENT_DIAMETER, "1" },
            { IDC_OUTCON_INLET_DIAMETER, "1" }, { IDC_OUTCON_OUTLET_DIAMETER, "0.75" },
            { IDC_OUTCON_INLET_CODE, "NPT" }, { IDC_OUTCON_OUTLET_CODE, "BARB" }, { IDC_OUTCON_OUTLET_GENDER, "F" },
            { IDC_OUTCON_OUTLET_SUFFIX, "3" } },
          // The equivalent-length diameter is no nominal size: 1 in is 25.4 mm.
          { { "Reals3", 0.6096 }, { "Reals5", 0.9144 }, { "Reals4", 25.4 }, { "Reals1", 25 }, { "Reals2", 20 } },
          { { "Major1", "NPT M " }, { "Minor1", "BARBF3" } } },
        { "nozzle", false, kNozzle,
          { { IDC_NOZZLE_ARC, "180" }, { IDC_NOZZLE_FLOW_CONSTANT, "25.1" }, { IDC_NOZZLE_FLOW_INDEX, "0.48" },
            { IDC_NOZZLE_RADIUS_CONSTANT, "1.8" }, { IDC_NOZZLE_RADIUS_INDEX, "0.12" }, { IDC_NOZZLE_COV, "0.07" },
            { IDC_NOZZLE_MAXIMUM_PRESSURE, "50" }, { IDC_NOZZLE_MINIMUM_PRESSURE, "20" }, { IDC_USAGE, "N" } },
          { { "Reals3", 180 }, { "Reals4", 25.1 }, { "Reals5", 0.48 }, { "Reals1", 1.8 }, { "Reals2", 0.12 },
            { "Rextra3", 0.07 }, { "Rextra2", 50 * kPsi }, { "Rextra1", 20 * kPsi } },
          // A nozzle is always selectable.
          { { "Usage", "Y  " } } },
    };
    for (const TypedFields& c : cases)
        ASSERT_NO_FATAL_FAILURE(ExpectTypedFieldsStored(c));
}

TEST_F(HydraulicEditorsTest, CaptionsNameTheDisplayUnits)
{
    const UnitCaptions cases[] = {
        { kValve, true, { { IDC_DIAMETER_UNIT, "mm" }, { IDC_DIAMETER_UNIT2, "mm" }, { IDC_LARGE_FLOW_UNIT, "m³/h" },
                          { IDC_LARGE_FLOW_UNIT2, "m³/h" } } },
        { kPump, false, { { IDC_DIAMETER_UNIT, "in" }, { IDC_DIAMETER_UNIT2, "in" }, { IDC_LARGE_FLOW_UNIT, "US gpm" } } },
        { kRiser, true, { { IDC_DIAMETER_UNIT3, "mm" }, { IDC_LENGTH_UNIT2, "m" }, { IDC_LENGTH_UNIT3, "m" } } },
        { kRiser, false, { { IDC_DIAMETER_UNIT3, "in" }, { IDC_LENGTH_UNIT2, "ft" } } },
        { kNozzle, false, { { IDC_ANGLE_UNIT, "°" }, { IDC_PRESSURE_UNIT, "psi" }, { IDC_PRESSURE_UNIT2, "psi" } } },
        { kFixedOutlet, true, { { IDC_PRESSURE_UNIT, "m" }, { IDC_OUTLET_ARC_UNIT, "°" } } },
        { kDemandPoint, false, { { IDC_PRESSURE_UNIT, "psi" }, { IDC_OUTLET_ARC_UNIT, "US gph" } } },
    };
    for (const UnitCaptions& c : cases)
        ASSERT_NO_FATAL_FAILURE(ExpectUnitCaptions(c));
}

/////////////////////////////////////////////////////////////////////////////
// Refusals

// A value out of its range is refused with a message: the editor stays
// open with the focus on the field (or on the minimum a range check
// refuses), and nothing is stored.
TEST_F(HydraulicEditorsTest, EachEditorRefusesValuesOutOfRange)
{
    const Refusal cases[] = {
        { kValve, IDC_VALVE_CONSTANT, "10", "from -9.99 to 9.99" },
        { kValve, IDC_VALVE_CONSTANT, "-10", "from -9.99 to 9.99" },
        { kValve, IDC_VALVE_INDEX, "-0.1", "from 0 to 10" },
        { kValve, IDC_VALVE_INDEX, "10.5", "from 0 to 10" },
        { kValve, IDC_VALVE_INTERCEPT, "1000", "from -999.9 to 999.9" },
        { kValve, IDC_VALVE_INLET_DIAMETER, "0", "Range is" },
        { kValve, IDC_VALVE_OUTLET_DIAMETER, "0", "Range is" },
        { kValve, IDC_VALVE_INLET_CODE, "BSPTF", "no more than 4 characters" },
        { kValve, IDC_VALVE_OUTLET_SUFFIX, "12", "no more than 1 characters" },
        { kValve, IDC_VALVE_MAXIMUM_FLOW, "-1", "Range is" },
        { kValve, IDC_VALVE_MINIMUM_FLOW, "5", "The minimum flow must not exceed the maximum" },
        { kValve, IDC_VALVE_MAXIMUM_FLOW, "0.05", "The minimum flow must not exceed the maximum",
          IDC_VALVE_MINIMUM_FLOW },
        { kFilter, IDC_HYDRAULIC_FITTING_TYPE, "FLTR", "no more than 3 characters" },
        { kFilter, IDC_HYDRAULIC_CONSTANT, "100", "from -99.99 to 99.99" },
        { kFilter, IDC_HYDRAULIC_INDEX, "101", "from 0 to 100" },
        { kFilter, IDC_HYDRAULIC_INTERCEPT, "-10000", "from -9999.9 to 9999.9" },
        { kFilter, IDC_HYDRAULIC_INLET_DIAMETER, "0", "Range is" },
        { kFilter, IDC_HYDRAULIC_OUTLET_DIAMETER, "-1", "Range is" },
        { kFilter, IDC_HYDRAULIC_MINIMUM_FLOW, "7", "The minimum flow must not exceed the maximum" },
        { kPump, IDC_PUMP_A, "11", "from -100 to 10" },
        { kPump, IDC_PUMP_A, "-101", "from -100 to 10" },
        { kPump, IDC_PUMP_B, "101", "from -100 to 100" },
        { kPump, IDC_PUMP_C, "-1", "from 0 to 999.9" },
        { kPump, IDC_PUMP_C, "1000", "from 0 to 999.9" },
        { kPump, IDC_PUMP_OUTLET_DIAMETER, "0", "Range is" },
        { kPump, IDC_PUMP_MINIMUM_FLOW, "10", "The minimum flow must not exceed the maximum" },
        { kFixedOutlet, IDC_OUTLET_DEFAULT_PRESSURE, "x", "Please enter a number" },
        { kFixedOutlet, IDC_OUTLET_DEFAULT_ARC, "400", "Range is" },
        { kFixedOutlet, IDC_OUTLET_TOLERANCE_ABOVE, "2001", "from 0 to 2000" },
        { kFixedOutlet, IDC_OUTLET_TOLERANCE_BELOW, "101", "from 0 to 100" },
        { kFixedOutlet, IDC_OUTLET_INLET_DIAMETER, "0", "Range is" },
        { kFixedOutlet, IDC_OUTLET_INLET_CODE, "BSPTF", "no more than 4 characters" },
        { kDemandPoint, IDC_OUTLET_DEFAULT_ARC, "-1", "Range is" },
        { kSteelRiser, IDC_OUTCON_HEIGHT, "-1", "Range is" },
        { kSteelRiser, IDC_OUTCON_EQUIVALENT_LENGTH, "-5", "Range is" },
        { kSteelRiser, IDC_OUTCON_EQUIVALENT_DIAMETER, "0", "Range is" },
        { kSteelRiser, IDC_OUTCON_INLET_DIAMETER, "0", "Range is" },
        { kSteelRiser, IDC_OUTCON_OUTLET_DIAMETER, "20000", "Range is" },
        { kSteelRiser, IDC_OUTCON_OUTLET_SUFFIX, "12", "no more than 1 characters" },
        { kNozzle, IDC_NOZZLE_ARC, "361", "Range is" },
        { kNozzle, IDC_NOZZLE_FLOW_CONSTANT, "1000000", "from 0 to 999999.9" },
        { kNozzle, IDC_NOZZLE_FLOW_INDEX, "10", "from 0 to 9.9" },
        { kNozzle, IDC_NOZZLE_RADIUS_CONSTANT, "1000", "from 0 to 999.9" },
        { kNozzle, IDC_NOZZLE_RADIUS_INDEX, "100", "from 0 to 99.9" },
        { kNozzle, IDC_NOZZLE_COV, "1", "from 0 to 0.99" },
        { kNozzle, IDC_NOZZLE_MINIMUM_PRESSURE, "40", "The minimum pressure must not exceed the maximum" },
        { kNozzle, IDC_NOZZLE_MAXIMUM_PRESSURE, "5", "The minimum pressure must not exceed the maximum",
          IDC_NOZZLE_MINIMUM_PRESSURE },
    };
    for (const Refusal& c : cases)
        ASSERT_NO_FATAL_FAILURE(ExpectRefused(c));
}

// A stored component that breaks a range rule says so when it is opened,
// and is not stored until the rule holds.
TEST_F(HydraulicEditorsTest, AStoredMinimumAboveItsMaximumIsToldAndRefused)
{
    struct Case
    {
        long nKey;
        const char* update;
        const char* message;
        int nMinimum;
        const char* mended;
    } cases[] = {
        { kValve, "Rextra1 = 10", "The minimum flow must not exceed the maximum", IDC_VALVE_MINIMUM_FLOW, "1" },
        { kPump, "Rextra1 = 10", "The minimum flow must not exceed the maximum", IDC_PUMP_MINIMUM_FLOW, "1" },
        { kNozzle, "Rextra1 = 40", "The minimum pressure must not exceed the maximum", IDC_NOZZLE_MINIMUM_PRESSURE,
          "20" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nKey);
        Run(std::string("UPDATE Components SET ") + c.update + " WHERE [Component Key] = " + std::to_string(c.nKey) + ";");
        m_boxes.clear();
        OZU_ComponentDialog* pEditor = OpenKey(c.nKey);
        ASSERT_NE(nullptr, pEditor);
        ASSERT_EQ(1u, m_boxes.size());
        EXPECT_NE(std::string::npos, m_boxes[0].text.find(c.message));
        EXPECT_TRUE(pEditor->IsOpen());

        Press(pEditor, IDOK);
        EXPECT_TRUE(pEditor->IsOpen());
        EXPECT_EQ(2u, m_boxes.size());
        EXPECT_EQ(0, m_view.Count("save"));

        Type(pEditor, c.nMinimum, c.mended);
        Press(pEditor, IDOK);
        EXPECT_EQ(nullptr, m_view.pOpen);
        EXPECT_EQ(1, m_view.Count("save"));
        m_view.calls.clear();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Outlets

TEST_F(HydraulicEditorsTest, ArcTypesHaveTheirCodes)
{
    const std::pair<int, const char*> codes[] = { { 0, "FIX" }, { 1, "VAR" }, { 2, "MAT" }, { 3, "DEM" },
                                                  { -1, "FIX" }, { 4, "FIX" } };
    for (auto& [nIndex, code] : codes)
        EXPECT_EQ(code, COutletDialog::ArcCodeOfIndex(nIndex).str()) << nIndex;
    const std::pair<const char*, int> indexes[] = { { "FIX", 0 }, { "VAR", 1 }, { "MAT", 2 }, { "DEM", 3 },
                                                    { "DEM ", 3 }, { "dem", -1 }, { "XYZ", -1 }, { "", -1 } };
    for (auto& [code, nIndex] : indexes)
        EXPECT_EQ(nIndex, COutletDialog::ArcIndexOfCode(code)) << code;

    // Each type shows its text; a code that is none of them shows none and
    // is stored as a fixed arc.
    const std::pair<long, const char*> shown[] = { { kFixedOutlet, "Fixed" }, { kVariableOutlet, "Variable" },
                                                   { kMatchedOutlet, "Matched" }, { kDemandPoint, "Demand Point" } };
    for (auto& [nKey, text] : shown) {
        OZU_ComponentDialog* pEditor = OpenKey(nKey);
        ASSERT_NE(nullptr, pEditor);
        EXPECT_EQ((std::vector<std::string>{ "Fixed", "Variable", "Matched", "Demand Point" }),
                  Items(pEditor, IDC_OUTLET_ARC_TYPE));
        EXPECT_EQ(text, Selected(pEditor, IDC_OUTLET_ARC_TYPE));
        pEditor->DestroyWindow();
    }
    Run("UPDATE Components SET [Item Type] = 'XYZ' WHERE [Component Key] = 219;");
    OZU_ComponentDialog* pEditor = OpenKey(kVariableOutlet);
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ("<none>", Selected(pEditor, IDC_OUTLET_ARC_TYPE));
    Press(pEditor, IDOK);
    EXPECT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ("FIX", Text(kVariableOutlet, "[Item Type]"));
    EXPECT_EQ(360.0, Number(kVariableOutlet, "Rextra2"));
}

TEST_F(HydraulicEditorsTest, ADemandPointShowsAFlowAndPressureTolerancesWithoutNozzles)
{
    OZU_ComponentDialog* pEditor = OpenKey(kDemandPoint);
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ("Default Flow", Text(pEditor, IDC_OUTLET_ARC_CAPTION));
    EXPECT_EQ("Pressure Tolerance", Text(pEditor, IDC_OUTLET_TOLERANCE_CAPTION));
    EXPECT_EQ("Pressure Tolerance", Text(pEditor, IDC_OUTLET_TOLERANCE_CAPTION2));
    EXPECT_EQ("lpm", Text(pEditor, IDC_OUTLET_ARC_UNIT));
    // 2 lph.
    EXPECT_NEAR(2.0 / 60, std::atof(Text(pEditor, IDC_OUTLET_DEFAULT_ARC).c_str()), 1e-5);
    EXPECT_FALSE(::IsWindowEnabled(Control(pEditor, IDC_OUTLET_DEFAULT_NOZZLE)));
    pEditor->DestroyWindow();

    pEditor = OpenKey(kFixedOutlet);
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ("Default Watering Arc", Text(pEditor, IDC_OUTLET_ARC_CAPTION));
    EXPECT_EQ("Flow Tolerance", Text(pEditor, IDC_OUTLET_TOLERANCE_CAPTION));
    EXPECT_EQ("Flow Tolerance", Text(pEditor, IDC_OUTLET_TOLERANCE_CAPTION2));
    EXPECT_EQ("°", Text(pEditor, IDC_OUTLET_ARC_UNIT));
    EXPECT_EQ("360", Text(pEditor, IDC_OUTLET_DEFAULT_ARC));
    EXPECT_TRUE(::IsWindowEnabled(Control(pEditor, IDC_OUTLET_DEFAULT_NOZZLE)));
    // The outlet's own nozzles, its default one chosen.
    EXPECT_EQ(16u, Items(pEditor, IDC_OUTLET_DEFAULT_NOZZLE).size());
    EXPECT_EQ(0u, Selected(pEditor, IDC_OUTLET_DEFAULT_NOZZLE).find("Spray nozz"));
}

TEST_F(HydraulicEditorsTest, ADemandPointIsAskedForWhenTheOutletHasNozzles)
{
    OZU_ComponentDialog* pEditor = OpenKey(kFixedOutlet);
    ASSERT_NE(nullptr, pEditor);
    Type(pEditor, IDC_OUTLET_DEFAULT_ARC, "90");

    // No: the fixed arc comes back, and nothing else changes.
    m_answers.push_back(IDNO);
    ChooseArcType(pEditor, "Demand Point");
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].text.find("will remove its associated nozzles"));
    EXPECT_EQ((UINT)MB_YESNO, m_boxes[0].type & MB_TYPEMASK);
    EXPECT_EQ("Fixed", Selected(pEditor, IDC_OUTLET_ARC_TYPE));
    EXPECT_EQ("Default Watering Arc", Text(pEditor, IDC_OUTLET_ARC_CAPTION));
    EXPECT_TRUE(::IsWindowEnabled(Control(pEditor, IDC_OUTLET_DEFAULT_NOZZLE)));

    // Yes: a demand point; the field's number is now a flow.
    ChooseArcType(pEditor, "Demand Point");
    ASSERT_EQ(2u, m_boxes.size());
    EXPECT_EQ("Demand Point", Selected(pEditor, IDC_OUTLET_ARC_TYPE));
    EXPECT_EQ("Default Flow", Text(pEditor, IDC_OUTLET_ARC_CAPTION));
    EXPECT_EQ("lpm", Text(pEditor, IDC_OUTLET_ARC_UNIT));
    EXPECT_FALSE(::IsWindowEnabled(Control(pEditor, IDC_OUTLET_DEFAULT_NOZZLE)));
    EXPECT_EQ("90", Text(pEditor, IDC_OUTLET_DEFAULT_ARC));
    Press(pEditor, IDOK);
    ASSERT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ("DEM", Text(kFixedOutlet, "[Item Type]"));
    EXPECT_NEAR(90 * 60.0, Number(kFixedOutlet, "Rextra2"), 1e-3);
    // A demand point keeps no mark of nozzles.
    EXPECT_EQ(0, QueryLong("SELECT Flags FROM Components WHERE [Component Key] = 215"));
}

TEST_F(HydraulicEditorsTest, AnOutletWithoutNozzlesBecomesADemandPointUnasked)
{
    Run("DELETE FROM Nozzles WHERE [Emitter Key] = 227;");
    OZU_ComponentDialog* pEditor = OpenKey(kMatchedOutlet);
    ASSERT_NE(nullptr, pEditor);
    ChooseArcType(pEditor, "Demand Point");
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ("Default Flow", Text(pEditor, IDC_OUTLET_ARC_CAPTION));
    pEditor->DestroyWindow();

    // And a demand point becomes an outlet again unasked, its field an arc.
    pEditor = OpenKey(kDemandPoint);
    ASSERT_NE(nullptr, pEditor);
    ChooseArcType(pEditor, "Variable");
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ("Default Watering Arc", Text(pEditor, IDC_OUTLET_ARC_CAPTION));
    EXPECT_TRUE(::IsWindowEnabled(Control(pEditor, IDC_OUTLET_DEFAULT_NOZZLE)));
    Type(pEditor, IDC_OUTLET_DEFAULT_ARC, "270");
    Press(pEditor, IDOK);
    ASSERT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ("VAR", Text(kDemandPoint, "[Item Type]"));
    EXPECT_EQ(270.0, Number(kDemandPoint, "Rextra2"));
}

// The mark of an outlet's nozzles is cleared only for a demand point that
// is stored: an OK whose store fails, followed by another arc type, keeps it.
TEST_F(HydraulicEditorsTest, AnOutletKeepsItsNozzleMarkUnlessStoredAsADemandPoint)
{
    OZU_ComponentDialog* pEditor = OpenKey(kFixedOutlet);
    ASSERT_NE(nullptr, pEditor);
    ChooseArcType(pEditor, "Demand Point");
    m_view.onSave = [](OZU_ComponentDialog*) {};
    m_view.storeAnswers.push_back(FALSE);
    Press(pEditor, IDOK);
    ASSERT_TRUE(pEditor->IsOpen());
    EXPECT_EQ(0, pEditor->m_nFlags & COMPONENT_FLAG_HAS_NOZZLES);

    ChooseArcType(pEditor, "Fixed");
    Press(pEditor, IDOK);
    EXPECT_EQ(nullptr, m_view.pOpen);
    ASSERT_EQ(2u, m_view.stored.size());
    EXPECT_EQ(COMPONENT_FLAG_HAS_NOZZLES, m_view.stored.back().flags);
}

/////////////////////////////////////////////////////////////////////////////
// The curve-fit bar's coefficients

TEST_F(HydraulicEditorsTest, EachEditorTakesTheFittedCoefficientsOfItsOwnCurves)
{
    // What the bar sends: a component (or a tape's Tapes row) holding the
    // fitted values in the fields of its curve type.
    struct Sent
    {
        BYTE nDatabaseNumber;
        long nFlags = 0;
        bool bTapeRow = false;
    };
    struct Case
    {
        const char* what;
        long nKey;
        int nCurveType;
        Sent sent;
        std::vector<std::pair<int, const char*>> shown;   // the edits afterwards
    } cases[] = {
        { "valve, no intercept", kValve, 4, { DBNUM_VALVE },
          { { IDC_VALVE_CONSTANT, "1e-05" }, { IDC_VALVE_INDEX, "1.95" }, { IDC_VALVE_INTERCEPT, "0.8" } } },
        { "valve, intercept", kValve, 5, { DBNUM_VALVE },
          { { IDC_VALVE_CONSTANT, "1e-05" }, { IDC_VALVE_INDEX, "1.95" }, { IDC_VALVE_INTERCEPT, "2.5" } } },
        { "valve, a pump's curve", kValve, 1, { DBNUM_PUMP },
          { { IDC_VALVE_CONSTANT, "0.197" }, { IDC_VALVE_INDEX, "1.85" }, { IDC_VALVE_INTERCEPT, "0.8" } } },
        { "hydraulic item", kFilter, 6, { DBNUM_HYDRAULIC },
          { { IDC_HYDRAULIC_CONSTANT, "1e-05" }, { IDC_HYDRAULIC_INDEX, "1.95" }, { IDC_HYDRAULIC_INTERCEPT, "2.5" } } },
        { "hydraulic item, a valve's curve", kFilter, 5, { DBNUM_VALVE },
          { { IDC_HYDRAULIC_CONSTANT, "0.045" }, { IDC_HYDRAULIC_INTERCEPT, "0.2" } } },
        { "pump", kPump, 1, { DBNUM_PUMP },
          { { IDC_PUMP_A, "1e-05" }, { IDC_PUMP_B, "1.95" }, { IDC_PUMP_C, "2.5" } } },
        { "pump, a valve's curve", kPump, 4, { DBNUM_VALVE },
          { { IDC_PUMP_A, "-0.32" }, { IDC_PUMP_B, "0.35" }, { IDC_PUMP_C, "38" } } },
        { "nozzle, flow", kNozzle, 2, { DBNUM_NOZZLE },
          { { IDC_NOZZLE_FLOW_CONSTANT, "1.95" }, { IDC_NOZZLE_FLOW_INDEX, "2.5" },
            { IDC_NOZZLE_RADIUS_CONSTANT, "1.77" }, { IDC_NOZZLE_RADIUS_INDEX, "0.1" } } },
        { "nozzle, radius", kNozzle, 3, { DBNUM_NOZZLE },
          { { IDC_NOZZLE_FLOW_CONSTANT, "12.569" }, { IDC_NOZZLE_FLOW_INDEX, "0.5" },
            { IDC_NOZZLE_RADIUS_CONSTANT, "7" }, { IDC_NOZZLE_RADIUS_INDEX, "8" } } },
        // The bar showing a tape sends the tape's Tapes row.
        { "nozzle, a tape's flow", kNozzle, 2, { DBNUM_PIPE, COMPONENT_FLAG_TAPE, true },
          { { IDC_NOZZLE_FLOW_CONSTANT, "0.8" }, { IDC_NOZZLE_FLOW_INDEX, "0.47" },
            { IDC_NOZZLE_RADIUS_CONSTANT, "1.77" } } },
        // An outlet keeps no curve.
        { "outlet", kFixedOutlet, 2, { DBNUM_OUTLET },
          { { IDC_OUTLET_DEFAULT_PRESSURE, "21" }, { IDC_OUTLET_DEFAULT_ARC, "360" },
            { IDC_OUTLET_INLET_DIAMETER, "15" } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OZU_ComponentDialog* pEditor = OpenKey(c.nKey);
        ASSERT_NE(nullptr, pEditor);
        CRecords component(nullptr);
        component.m_nDatabaseNumber = c.sent.nDatabaseNumber;
        component.m_nFlags = c.sent.nFlags;
        component.m_fReals1 = 7.0f;
        component.m_fReals2 = 8.0f;
        component.m_fReals3 = 0.00001f;
        component.m_fReals4 = 1.95f;
        component.m_fReals5 = 2.5f;
        CTapeExtras tape(nullptr);
        tape.m_fTapeReals1 = 0.8f;
        tape.m_fTapeReals2 = 0.47f;
        tape.m_fTapeReals3 = 9.0f;
        const LPARAM lParam = c.sent.bTapeRow ? (LPARAM)&tape : (LPARAM)&component;

        // Nothing sent: nothing changes.
        const std::map<int, std::string> before = Shown(pEditor);
        EXPECT_EQ(0, pEditor->SendMessage(WM_DETAILDLGNOTIFY, c.nCurveType, 0));
        EXPECT_EQ(before, Shown(pEditor));

        EXPECT_EQ(0, pEditor->SendMessage(WM_DETAILDLGNOTIFY, c.nCurveType, lParam));
        for (auto& [nID, text] : c.shown)
            EXPECT_EQ(text, Text(pEditor, nID)) << nID;
        // Nothing is stored before OK.
        EXPECT_EQ(0, m_view.Count("save"));
        pEditor->DestroyWindow();
    }
}

TEST_F(HydraulicEditorsTest, AFitWithoutInterceptSaysTheValveKeepsItsIntercept)
{
    OZU_ComponentDialog* pEditor = OpenKey(kValve);
    ASSERT_NE(nullptr, pEditor);
    CRecords fitted(nullptr);
    fitted.m_nDatabaseNumber = DBNUM_VALVE;
    fitted.m_fReals3 = 0.5f;
    fitted.m_fReals4 = 1.8f;
    fitted.m_fReals5 = 0.0f;
    // The stored curve would lie C above every measured point: the user is
    // told, and C stays.
    pEditor->SendMessage(WM_DETAILDLGNOTIFY, 4, (LPARAM)&fitted);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].text.find("Intercept (C) stays 0.8")) << m_boxes[0].text;
    EXPECT_EQ("0.8", Text(pEditor, IDC_VALVE_INTERCEPT));
    // An intercept of 0 keeps the fitted curve: nothing to say. Nor is
    // there with the intercept fitted.
    Type(pEditor, IDC_VALVE_INTERCEPT, "0");
    pEditor->SendMessage(WM_DETAILDLGNOTIFY, 4, (LPARAM)&fitted);
    Type(pEditor, IDC_VALVE_INTERCEPT, "0.8");
    pEditor->SendMessage(WM_DETAILDLGNOTIFY, 5, (LPARAM)&fitted);
    EXPECT_EQ(1u, m_boxes.size());
    pEditor->DestroyWindow();
}

TEST_F(HydraulicEditorsTest, FittedCoefficientsAreStoredAtOK)
{
    OZU_ComponentDialog* pEditor = OpenKey(kValve);
    ASSERT_NE(nullptr, pEditor);
    CRecords fitted(nullptr);
    fitted.m_nDatabaseNumber = DBNUM_VALVE;
    fitted.m_fReals3 = 0.123456f;
    fitted.m_fReals4 = 1.75f;
    fitted.m_fReals5 = 0.3f;
    pEditor->SendMessage(WM_DETAILDLGNOTIFY, 5, (LPARAM)&fitted);
    EXPECT_EQ("0.123456", Text(pEditor, IDC_VALVE_CONSTANT));
    EXPECT_NEAR(0.197, Number(kValve, "Reals3"), 1e-6);
    Press(pEditor, IDOK);
    ASSERT_EQ(nullptr, m_view.pOpen);
    EXPECT_NEAR(0.123456, Number(kValve, "Reals3"), 1e-7);
    EXPECT_NEAR(1.75, Number(kValve, "Reals4"), 1e-7);
    EXPECT_NEAR(0.3, Number(kValve, "Reals5"), 1e-7);
}

} // namespace
