// The editors of the fittings, the line components and the electric
// components over a copy of the sample database: the editor each kind
// opens, every field surviving an open, OK and reopen in metric and US
// units, what each field typed is stored as (column and unit), what each
// editor refuses (with the focus on the field), and the tape's two modes
// and the coefficients the curve-fit bar hands it.
#include "tests/editors/components/window/ComponentEditorTest.h"
#include "database/records/TapeRecords.h"
#include "editors/base/window/EditorBaseRes.h"
#include "editors/components/window/BendDialog.h"
#include "editors/components/window/ControlDialog.h"
#include "editors/components/window/CouplerDialog.h"
#include "editors/components/window/CrossDialog.h"
#include "editors/components/window/ElectricDialog.h"
#include "editors/components/window/LTODialog.h"
#include "editors/components/window/LightDialog.h"
#include "editors/components/window/MiscDialog.h"
#include "editors/components/window/PipeDialog.h"
#include "editors/components/window/TapeDialog.h"
#include "editors/components/window/TeeDialog.h"
#include "editors/components/window/WireDialog.h"
#include "editors/curvefit/CurveFitNotify.h"
#include "grids/window/GridWindow.h"

#include <cmath>
#include <functional>

using namespace componenttest;

namespace {

// The kinds these editors edit: [Database Number], [Flags] and the sample
// component they are tried on.
struct Kind
{
    const char* name;
    int nDatabaseNumber;
    long nFlags;
    long nSampleKey;
};
const Kind kKinds[] = {
    { "pipe", 1, 0, 1 },         { "tape", 1, 2, 59 },        { "formula tape", 1, 2, 61 },
    { "lateral take-off", 4, 0, 111 }, { "coupler", 6, 0, 120 }, { "bend", 7, 0, 136 },
    { "tee", 8, 0, 152 },        { "cross", 9, 0, 166 },      { "miscellaneous", 14, 0, 246 },
    { "wire", 21, 0, 254 },      { "controller", 22, 0, 262 }, { "electric item", 23, 0, 268 },
    { "light", 24, 0, 275 },
};

class ComponentEditorsTest : public ComponentEditorTest
{
protected:
    // A row with its description and warehouse code as typed: the editors
    // keep them as wide as their columns.
    static std::vector<std::string> WithoutPadding(std::vector<std::string> row)
    {
        for (size_t c : { 6, 7 })
            if (c < row.size())
                row[c].erase(row[c].find_last_not_of(' ') + 1);
        return row;
    }
    BOOL Visible(OZU_ComponentDialog* pEditor, int nID) { return ::IsWindowVisible(Control(pEditor, nID)); }
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// The editor of each kind

TEST_F(ComponentEditorsTest, EachKindOpensItsOwnEditorOnItsTemplate)
{
    struct Case
    {
        int nDatabaseNumber;
        long nFlags;
        int nKind;
        const char* caption;
        std::function<bool(OZU_ComponentDialog*)> isClass;
    } cases[] = {
        { 1, 0, 0, "Edit Pipe", [](auto* p) { return dynamic_cast<CPipeDialog*>(p) != nullptr; } },
        { 1, 2, 1, "Edit Tape", [](auto* p) { return dynamic_cast<CTapeDialog*>(p) != nullptr; } },
        { 4, 0, 4, "Edit Lateral Take Off", [](auto* p) { return dynamic_cast<CLTODialog*>(p) != nullptr; } },
        { 6, 0, 5, "Edit Coupler", [](auto* p) { return dynamic_cast<CCouplerDialog*>(p) != nullptr; } },
        { 7, 0, 6, "Edit Elbow and Bend", [](auto* p) { return dynamic_cast<CBendDialog*>(p) != nullptr; } },
        { 8, 0, 7, "Edit Tee Junction", [](auto* p) { return dynamic_cast<CTeeDialog*>(p) != nullptr; } },
        { 9, 0, 8, "Edit Cross Junction", [](auto* p) { return dynamic_cast<CCrossDialog*>(p) != nullptr; } },
        { 21, 0, 12, "Edit Wire", [](auto* p) { return dynamic_cast<CWireDialog*>(p) != nullptr; } },
        { 22, 0, 13, "Edit Controller", [](auto* p) { return dynamic_cast<CControlDialog*>(p) != nullptr; } },
        { 24, 0, 14, "Edit Light", [](auto* p) { return dynamic_cast<CLightDialog*>(p) != nullptr; } },
        { 23, 0, 15, "Edit Electric Item", [](auto* p) { return dynamic_cast<CElectricDialog*>(p) != nullptr; } },
        { 14, 0, 16, "Edit Miscellaneous Item", [](auto* p) { return dynamic_cast<CMiscDialog*>(p) != nullptr; } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        OZU_ComponentDialog* pEditor = OpenKey(FirstOf(c.nDatabaseNumber, c.nFlags));
        EXPECT_EQ(c.nKind, m_nOpenKind);
        ASSERT_NE(nullptr, pEditor);
        EXPECT_TRUE(c.isClass(pEditor));
        EXPECT_EQ(c.caption, Caption(pEditor));
        pEditor->DestroyWindow();
        EXPECT_EQ(nullptr, m_view.pOpen);
    }
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ComponentEditorsTest, TheKindOfAnEditorIsTheTabOfTheComponent)
{
    struct Case
    {
        int nDatabaseNumber;
        long nFlags;
        int nKind;
    } cases[] = {
        { 1, 0, 0 },   { 1, 2, 1 },   { 1, 3, 1 },   { 2, 0, 2 },   { 3, 0, 3 },   { 4, 0, 4 },
        { 6, 0, 5 },   { 7, 0, 6 },   { 8, 0, 7 },   { 9, 0, 8 },   { 11, 0, 9 },  { 12, 4, 10 },
        { 13, 0, 11 }, { 21, 0, 12 }, { 22, 0, 13 }, { 24, 0, 14 }, { 23, 0, 15 }, { 14, 0, 16 },
        { 15, 0, 17 }, { 0, 0, -1 },  { 5, 0, -1 },  { 10, 0, -1 }, { 16, 0, -1 }, { 20, 0, -1 },
        { 25, 0, -1 },
    };
    for (const Case& c : cases) {
        ComponentFields record;
        record.m_nDatabaseNumber = (BYTE)c.nDatabaseNumber;
        record.m_nFlags = c.nFlags;
        EXPECT_EQ(c.nKind, kvcomponents::GetEditorKind(record)) << c.nDatabaseNumber << "/" << c.nFlags;
    }
    // A kind without an editor opens none.
    EXPECT_EQ(nullptr, kvcomponents::CreateComponentEditor(-1, m_pGrid, &Record(1), nullptr, &m_units, &m_view));
    EXPECT_EQ(nullptr, kvcomponents::CreateComponentEditor(18, m_pGrid, &Record(1), nullptr, &m_units, &m_view));
}

/////////////////////////////////////////////////////////////////////////////
// Round trips

// Open, OK, reopen: every column of the component (and of a tape's Tapes
// row) is as it was, and the editor shows what it showed, in both unit
// systems. Values shown rounded are not read back from their rounded text.
TEST_F(ComponentEditorsTest, EveryFieldSurvivesOpenOKAndReopen)
{
    for (bool bMetric : { true, false }) {
        UseUnits(bMetric);
        for (const Kind& kind : kKinds) {
            SCOPED_TRACE(std::string(kind.name) + (bMetric ? " metric" : " US"));
            ASSERT_NO_FATAL_FAILURE(ExpectRoundTrip(kind.nSampleKey, WithoutPadding));
        }
    }
}

// The sample's components pass the editors' own checks as they are stored:
// each, opened in either unit system and confirmed unchanged, is neither
// refused nor warned about (New Assembly on a row copies its values into an
// editor, whose Continue runs these checks).
TEST_F(ComponentEditorsTest, EverySampleComponentPassesItsEditorsChecks)
{
    const std::string next = "SELECT MIN([Component Key]) FROM Components WHERE [Component Key] > ";
    for (bool bMetric : { true, false }) {
        UseUnits(bMetric);
        for (long nKey = QueryLong(next + "0"); nKey > 0; nKey = QueryLong(next + std::to_string(nKey))) {
            SCOPED_TRACE(std::to_string(nKey) + (bMetric ? " metric" : " US"));
            OZU_ComponentDialog* pEditor = OpenKey(nKey);
            ASSERT_NE(nullptr, pEditor);
            m_boxes.clear();
            EXPECT_TRUE(pEditor->UpdateData(TRUE));
            EXPECT_TRUE(m_boxes.empty()) << m_boxes[0].text;
            pEditor->DestroyWindow();
        }
    }
}

// A new component of each kind, stored and opened again, shows what was
// typed.
TEST_F(ComponentEditorsTest, ANewComponentShowsWhatWasTypedWhenOpenedAgain)
{
    UseUnits(false);
    OZU_ComponentDialog* pEditor = OpenNew(DBNUM_ELBOW);
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ("", Text(pEditor, IDC_COMPONENT_NUMBER));
    Type(pEditor, IDC_DESCRIPTION, "Elbow 45 deg 1 in");
    Enter(pEditor, IDC_BEND_ANGLE, "45");
    Enter(pEditor, IDC_BEND_MAJOR_DIAMETER, "1");
    Enter(pEditor, IDC_BEND_MINOR_DIAMETER, "0.8");
    Enter(pEditor, IDC_BEND_MAJOR_CODE, "BSP");
    Enter(pEditor, IDC_BEND_MAJOR_GENDER, "M");
    Enter(pEditor, IDC_BEND_MAJOR_SUFFIX, "2");
    const std::map<int, std::string> typed = Shown(pEditor);
    Press(pEditor, IDOK);
    ASSERT_EQ(nullptr, m_view.pOpen);
    ASSERT_GT(m_nStoredKey, 0);
    EXPECT_EQ("BSP M2", Text(m_nStoredKey, "Major1"));
    EXPECT_EQ("      ", Text(m_nStoredKey, "Minor1"));
    // 1 in is a listed size; 0.8 in is not.
    EXPECT_DOUBLE_EQ(25.0, Number(m_nStoredKey, "Reals1"));
    EXPECT_NEAR(20.32, Number(m_nStoredKey, "Reals3"), 1e-4);

    pEditor = OpenKey(m_nStoredKey);
    ASSERT_NE(nullptr, pEditor);
    std::map<int, std::string> shown = Shown(pEditor);
    EXPECT_EQ(typed, shown);
}

/////////////////////////////////////////////////////////////////////////////
// What each field is stored as

TEST_F(ComponentEditorsTest, EachFieldIsStoredInItsColumnInTheStoredUnit)
{
    const double kPsi = 0.703070;   // metres of head
    const TypedFields cases[] = {
        { "pipe", true, 1,
          { { IDC_PIPE_NOMINAL_DIAMETER, "50" }, { IDC_PIPE_ACTUAL_DIAMETER, "54.3" },
            { IDC_PIPE_ROUGHNESS, "140" }, { IDC_PIPE_ALLOWABLE_PRESSURE, "60" } },
          { { "Reals1", 50 }, { "Reals2", 54.3 }, { "Reals3", 140 }, { "Reals4", 60 } },
          { { "Major1", "PVC9  " } } },
        { "pipe", false, 1,
          { { IDC_PIPE_NOMINAL_DIAMETER, "2" }, { IDC_PIPE_ACTUAL_DIAMETER, "2.5" },
            { IDC_PIPE_ROUGHNESS, "130" }, { IDC_PIPE_ALLOWABLE_PRESSURE, "100" } },
          { { "Reals1", 50 }, { "Reals2", 63.5 }, { "Reals3", 130 }, { "Reals4", 100 * kPsi } } },
        { "tape", false, 59,
          { { IDC_TAPE_NOMINAL_DIAMETER, "0.75" }, { IDC_TAPE_ACTUAL_DIAMETER, "0.62" },
            { IDC_TAPE_ROUGHNESS, "135" }, { IDC_TAPE_ALLOWABLE_PRESSURE, "15" }, { IDC_TAPE_COV, "0.05" },
            { IDC_TAPE_MINIMUM_PC_PRESSURE, "7" }, { IDC_TAPE_DEFAULT_PRESSURE, "10" },
            { IDC_TAPE_MINIMUM_PRESSURE, "5" }, { IDC_TAPE_MAXIMUM_PRESSURE, "15" },
            { IDC_TAPE_DISCHARGE_RATE, "0.5" }, { IDC_TAPE_ZONE_ABOVE, "15" }, { IDC_TAPE_ZONE_BELOW, "5" },
            { IDC_TAPE_COEFFICIENT1, "0.8" }, { IDC_TAPE_COEFFICIENT2, "0.47" }, { IDC_TAPE_COEFFICIENT3, "0.1" },
            { IDC_TAPE_COEFFICIENT4, "1" } },
          { { "Reals1", 20 }, { "Reals2", 15.748 }, { "Reals3", 135 }, { "Reals4", 15 * kPsi },
            { "Rextra3", 0.05 }, { "Rextra4", 7 * kPsi } },
          {},
          { { "[Reals1]", 0.8 }, { "[Reals2]", 0.47 }, { "[Reals3]", 0.1 }, { "[Reals4]", 0.3048 },
            { "[Reals5]", 10 * kPsi }, { "[Reals6]", 0.5 * 227.1247 / 30.48 }, { "[Rextra1]", 5 * kPsi },
            { "[Rextra2]", 15 * kPsi }, { "[Rextra3]", 15 }, { "[Rextra4]", 5 } } },
        { "tape", true, 61,
          { { IDC_TAPE_DISCHARGE_RATE, "450" }, { IDC_TAPE_COEFFICIENT4, "2.5" } },
          { { "Reals1", 16 } },
          {},
          { { "[Reals4]", 2.5 }, { "[Reals6]", 4.5 } } },
        { "wire", true, 254,
          { { IDC_WIRE_TYPE, "TC" }, { IDC_WIRE_NOMINAL_SIZE, "2.5" }, { IDC_WIRE_RESISTANCE, "0.74" },
            { IDC_WIRE_VOLTAGE, "30" } },
          { { "Reals1", 2.5 }, { "Reals2", 0 }, { "Reals3", 0.74 }, { "Reals4", 30 } },
          { { "Major1", "TC    " } } },
        { "bend", false, 136,
          { { IDC_BEND_ANGLE, "45" }, { IDC_BEND_MAJOR_DIAMETER, "1" }, { IDC_BEND_MINOR_DIAMETER, "0.75" },
            { IDC_BEND_MAJOR_CODE, "BSP" }, { IDC_BEND_MAJOR_GENDER, "F" }, { IDC_BEND_MAJOR_SUFFIX, "2" },
            { IDC_BEND_MINOR_CODE, "" }, { IDC_BEND_MINOR_GENDER, " " }, { IDC_BEND_MINOR_SUFFIX, "" } },
          { { "Reals1", 25 }, { "Reals2", 45 }, { "Reals3", 20 } },
          { { "Major1", "BSP F2" }, { "Minor1", "      " } } },
        { "coupler", true, 120,
          { { IDC_COUPLER_MAJOR_DIAMETER, "32" }, { IDC_COUPLER_MINOR_DIAMETER, "0" },
            { IDC_COUPLER_MINOR_CODE, "PUSH" }, { IDC_COUPLER_MINOR_GENDER, "M" } },
          { { "Reals1", 32 }, { "Reals2", 0 } },
          { { "Major1", "COMPF " }, { "Minor1", "PUSHM " } } },
        { "tee", true, 152,
          { { IDC_TEE_MAJOR_DIAMETER, "40" }, { IDC_TEE_MINOR_DIAMETER, "25" }, { IDC_TEE_MAJOR_SUFFIX, "1" } },
          { { "Reals1", 40 }, { "Reals2", 25 } },
          { { "Major1", "COMPF1" }, { "Minor1", "COMPF " } } },
        { "cross", false, 166,
          { { IDC_CROSS_MAJOR_DIAMETER, "1.5" }, { IDC_CROSS_MINOR_DIAMETER, "1.25" } },
          { { "Reals1", 40 }, { "Reals2", 32 } } },
        { "lateral take-off", false, 111,
          { { IDC_TAKE_OFF_SUBMAIN, "2" }, { IDC_TAKE_OFF_LATERAL, "0.5" }, { IDC_TAKE_OFF_MINOR_CODE, "BARB" },
            { IDC_TAKE_OFF_MINOR_GENDER, "F" } },
          { { "Reals1", 50 }, { "Reals2", 15 } },
          { { "Major1", "PE10  " }, { "Minor1", "BARBF " } } },
        { "miscellaneous", false, 246,
          { { IDC_MISC_SIZE1, "4" }, { IDC_MISC_SIZE2, "2.6" } },
          { { "Reals1", 100 }, { "Reals2", 66.04 } } },
        { "electric item", true, 268,
          { { IDC_ELECTRIC_RATING, "100" }, { IDC_ELECTRIC_VOLTAGE, "24" } },
          { { "Reals1", 100 }, { "Reals2", 24 } } },
        { "light", true, 275,
          { { IDC_LIGHT_RATING, "7" }, { IDC_LIGHT_VOLTAGE, "12.5" }, { IDC_LIGHT_TOLERANCE_ABOVE, "10" },
            { IDC_LIGHT_TOLERANCE_BELOW, "20" } },
          { { "Reals1", 7 }, { "Reals2", 12.5 }, { "Rextra1", 10 }, { "Rextra2", 20 } } },
        { "controller", true, 262,
          { { IDC_CONTROLLER_STATIONS, "12" } },
          { { "Reals1", 12 } } },
    };
    for (const TypedFields& c : cases)
        ASSERT_NO_FATAL_FAILURE(ExpectTypedFieldsStored(c));
}

TEST_F(ComponentEditorsTest, DiameterCaptionsNameTheDisplayUnit)
{
    // Nominal diameters too, in inches as in millimetres.
    for (bool bMetric : { true, false }) {
        UseUnits(bMetric);
        OZU_ComponentDialog* pEditor = OpenKey(136);
        ASSERT_NE(nullptr, pEditor);
        EXPECT_EQ(bMetric ? "mm" : "in", Text(pEditor, IDC_DIAMETER_UNIT));
        EXPECT_EQ(bMetric ? "mm" : "in", Text(pEditor, IDC_DIAMETER_UNIT2));
        EXPECT_EQ(bMetric ? "20" : "0.75", Text(pEditor, IDC_BEND_MAJOR_DIAMETER));
        pEditor->DestroyWindow();

        pEditor = OpenKey(1);
        ASSERT_NE(nullptr, pEditor);
        EXPECT_EQ(bMetric ? "mm" : "in", Text(pEditor, IDC_DIAMETER_UNIT));
        EXPECT_EQ(bMetric ? "mm" : "in", Text(pEditor, IDC_DIAMETER_UNIT2));
        EXPECT_EQ(bMetric ? "per meter" : "per 100 ft", Text(pEditor, IDC_WHOLESALE_PER));
        pEditor->DestroyWindow();

        pEditor = OpenKey(254);
        ASSERT_NE(nullptr, pEditor);
        EXPECT_EQ(bMetric ? "ohm/100m" : "ohm/1000ft", Text(pEditor, IDC_WIRE_RESISTANCE_UNIT));
        pEditor->DestroyWindow();
    }
}

TEST_F(ComponentEditorsTest, CaptionsNameTheDisplayUnits)
{
    const UnitCaptions cases[] = {
        { 59, false, { { IDC_DIAMETER_UNIT, "in" }, { IDC_DIAMETER_UNIT2, "in" }, { IDC_PRESSURE_UNIT, "psi" },
                       { IDC_PRESSURE_UNIT2, "psi" }, { IDC_PRESSURE_UNIT3, "psi" }, { IDC_PRESSURE_UNIT4, "psi" },
                       { IDC_PRESSURE_UNIT5, "psi" }, { IDC_FLOW_PER_LENGTH_UNIT, "US gpm/100ft" },
                       { IDC_LENGTH_UNIT, "ft" } } },
        { 1, true, { { IDC_PRESSURE_UNIT, "m" } } },
        { 111, false, { { IDC_DIAMETER_UNIT, "in" }, { IDC_DIAMETER_UNIT2, "in" } } },
        { 120, true, { { IDC_DIAMETER_UNIT, "mm" }, { IDC_DIAMETER_UNIT2, "mm" } } },
        { 136, false, { { IDC_ANGLE_UNIT, "°" } } },
        { 152, false, { { IDC_DIAMETER_UNIT, "in" }, { IDC_DIAMETER_UNIT2, "in" } } },
        { 166, true, { { IDC_DIAMETER_UNIT, "mm" }, { IDC_DIAMETER_UNIT2, "mm" } } },
        { 246, false, { { IDC_DIAMETER_UNIT, "in" }, { IDC_DIAMETER_UNIT2, "in" } } },
    };
    for (const UnitCaptions& c : cases)
        ASSERT_NO_FATAL_FAILURE(ExpectUnitCaptions(c));
}

TEST_F(ComponentEditorsTest, WhileAnAssemblyIsBuiltTheTitleSaysWhichOne)
{
    const AssemblyTitle cases[] = {
        { DBNUM_LATERAL_TAKE_OFF, 0, "Creating a new LTO assembly..." },
        { DBNUM_COUPLER, 0, "Creating a new coupler assembly..." },
        { DBNUM_ELBOW, 0, "Creating a new bend assembly..." },
        { DBNUM_TEE, 0, "Creating a new tee assembly..." },
        { DBNUM_CROSS, 0, "Creating a new cross assembly..." },
        { DBNUM_MISCELLANEOUS, 0, "Creating a new assembly..." },
        { DBNUM_CONTROLLER, 0, "Creating a new control assembly..." },
        { DBNUM_ELECTRIC, 0, "Creating a new electrical item assembly..." },
        { DBNUM_LIGHT, 0, "Creating a new light assembly..." },
        // The line components have no assembly title: theirs stays.
        { DBNUM_PIPE, 0, "Add Pipe" },
        { DBNUM_PIPE, COMPONENT_FLAG_TAPE, "Add Tape" },
        { DBNUM_WIRE, 0, "Add Wire" },
    };
    for (const AssemblyTitle& c : cases)
        ASSERT_NO_FATAL_FAILURE(ExpectAssemblyTitle(c));
}

/////////////////////////////////////////////////////////////////////////////
// Refusals

// A value out of its range is refused with a message: the editor stays
// open with the focus on the field, and nothing is stored.
TEST_F(ComponentEditorsTest, EachEditorRefusesValuesOutOfRange)
{
    const Refusal cases[] = {
        { 1, IDC_PIPE_ROUGHNESS, "10", "from 20 to 200" },
        { 1, IDC_PIPE_ROUGHNESS, "201", "from 20 to 200" },
        { 1, IDC_PIPE_NOMINAL_DIAMETER, "0", "Range is" },
        { 1, IDC_PIPE_ACTUAL_DIAMETER, "20000", "Range is" },
        { 1, IDC_PIPE_ALLOWABLE_PRESSURE, "x", "Please enter a number" },
        { 59, IDC_TAPE_COV, "1", "from 0 to 0.99" },
        { 59, IDC_TAPE_ZONE_ABOVE, "1001", "from 0 to 1000" },
        { 59, IDC_TAPE_ZONE_BELOW, "101", "from 0 to 100" },
        { 59, IDC_TAPE_COEFFICIENT1, "0", "from 0.001 to 999.999" },
        { 59, IDC_TAPE_COEFFICIENT2, "10", "from 0 to 9.999" },
        { 59, IDC_TAPE_COEFFICIENT3, "10", "from 0 to 9.999" },
        { 61, IDC_TAPE_COEFFICIENT4, "20", "from 0 to 19.999" },
        { 59, IDC_TAPE_COEFFICIENT4, "-1", "Range is" },
        { 59, IDC_TAPE_ROUGHNESS, "19", "from 20 to 200" },
        { 59, IDC_TAPE_MINIMUM_PRESSURE, "12", "The minimum pressure must not exceed the maximum" },
        { 59, IDC_TAPE_DEFAULT_PRESSURE, "11", "Default pressure must not be outside the specified range" },
        { 59, IDC_TAPE_DEFAULT_PRESSURE, "1", "Default pressure must not be outside the specified range" },
        { 254, IDC_WIRE_TYPE, "ABCDE", "no more than 4 characters" },
        { 254, IDC_WIRE_NOMINAL_SIZE, "0.01", "from 0.03 to 1000" },
        { 254, IDC_WIRE_RESISTANCE, "101", "from 0 to 100" },
        { 254, IDC_WIRE_VOLTAGE, "0", "from 0.1 to 1000" },
        { 136, IDC_BEND_ANGLE, "400", "Range is" },
        { 136, IDC_BEND_MAJOR_CODE, "ABCDE", "no more than 4 characters" },
        { 136, IDC_BEND_MINOR_SUFFIX, "12", "no more than 1 characters" },
        { 152, IDC_TEE_MINOR_DIAMETER, "0", "Range is" },
        { 166, IDC_CROSS_MINOR_DIAMETER, "0", "Range is" },
        { 120, IDC_COUPLER_MINOR_DIAMETER, "-1", "Range is" },
        { 111, IDC_TAKE_OFF_LATERAL, "20000", "Range is" },
        { 111, IDC_TAKE_OFF_MINOR_CODE, "BARBS", "no more than 4 characters" },
        { 246, IDC_MISC_SIZE1, "0", "Range is" },
        { 268, IDC_ELECTRIC_RATING, "0.05", "from 0.1 to 5000" },
        { 268, IDC_ELECTRIC_VOLTAGE, "1001", "from 0.1 to 1000" },
        { 275, IDC_LIGHT_RATING, "5001", "from 0.1 to 5000" },
        { 275, IDC_LIGHT_TOLERANCE_ABOVE, "150", "from 0 to 100" },
        { 275, IDC_LIGHT_TOLERANCE_BELOW, "101", "from 0 to 100" },
        { 275, IDC_LIGHT_VOLTAGE, "0", "from 0.1 to 1000" },
        { 262, IDC_CONTROLLER_STATIONS, "0", "from 1 to 1000" },
    };
    for (const Refusal& c : cases)
        ASSERT_NO_FATAL_FAILURE(ExpectRefused(c));
}

TEST_F(ComponentEditorsTest, ACouplerAloneTakesAMinorDiameterOfNothing)
{
    OZU_ComponentDialog* pEditor = OpenKey(120);
    ASSERT_NE(nullptr, pEditor);
    Type(pEditor, IDC_COUPLER_MINOR_DIAMETER, "0");
    Press(pEditor, IDOK);
    EXPECT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ(0.0, Number(120, "Reals2"));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ComponentEditorsTest, AWireTypeOfFourLettersIsStoredSixWide)
{
    OZU_ComponentDialog* pEditor = OpenKey(254);
    ASSERT_NE(nullptr, pEditor);
    Type(pEditor, IDC_WIRE_TYPE, "ABCD");
    Press(pEditor, IDOK);
    EXPECT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ("ABCD  ", Text(254, "Major1"));
}

/////////////////////////////////////////////////////////////////////////////
// Connections and pipe types

TEST_F(ComponentEditorsTest, AConnectionShowsItsPartsAndAGenderTheListLacksIsKept)
{
    Run("UPDATE Components SET Major1 = 'ABC M1', Minor1 = 'XYZ Q ' WHERE [Component Key] = 136;");
    OZU_ComponentDialog* pEditor = OpenKey(136);
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ("ABC", Text(pEditor, IDC_BEND_MAJOR_CODE));
    EXPECT_EQ("M", Selected(pEditor, IDC_BEND_MAJOR_GENDER));
    EXPECT_EQ("1", Text(pEditor, IDC_BEND_MAJOR_SUFFIX));
    EXPECT_EQ((std::vector<std::string>{ " ", "F", "M" }), Items(pEditor, IDC_BEND_MAJOR_GENDER));
    EXPECT_EQ("XYZ", Text(pEditor, IDC_BEND_MINOR_CODE));
    EXPECT_EQ("Q", Selected(pEditor, IDC_BEND_MINOR_GENDER));
    Press(pEditor, IDOK);
    EXPECT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ("ABC M1", Text(136, "Major1"));
    EXPECT_EQ("XYZ Q ", Text(136, "Minor1"));
}

TEST_F(ComponentEditorsTest, APipeTypeTheTableLacksIsAddedAndKeptWhole)
{
    Run("UPDATE Components SET Major1 = 'HDPE80' WHERE [Component Key] = 111;");
    OZU_ComponentDialog* pEditor = OpenKey(111);
    ASSERT_NE(nullptr, pEditor);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].text.find("HDPE80"));
    EXPECT_EQ("HDPE80", Selected(pEditor, IDC_TAKE_OFF_PIPE_TYPE));
    EXPECT_EQ(1, QueryLong("SELECT COUNT(*) FROM PipeTable WHERE Type = 'HDPE80'"));
    Press(pEditor, IDOK);
    EXPECT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ("HDPE80", Text(111, "Major1"));
}

/////////////////////////////////////////////////////////////////////////////
// The tape

TEST_F(ComponentEditorsTest, ATapeShowsTheCoefficientsOfItsModeAndStoresTheMode)
{
    OZU_ComponentDialog* pEditor = OpenKey(59);   // iterated
    ASSERT_NE(nullptr, pEditor);
    auto captions = [&] {
        return Text(pEditor, IDC_TAPE_CAPTION1) + "|" + Text(pEditor, IDC_TAPE_CAPTION2) + "|" +
               Text(pEditor, IDC_TAPE_CAPTION3) + "|" + Text(pEditor, IDC_TAPE_CAPTION4);
    };
    EXPECT_EQ("Emitter Constant|Emitter Index|Emitter Barb Factor|Spacing", captions());
    EXPECT_TRUE(Visible(pEditor, IDC_LENGTH_UNIT));
    EXPECT_EQ("m", Text(pEditor, IDC_LENGTH_UNIT));
    EXPECT_EQ("0.2", Text(pEditor, IDC_TAPE_COEFFICIENT4));

    // Unchecked: the formula's captions; the values typed stay.
    Type(pEditor, IDC_TAPE_COEFFICIENT1, "0.4");
    ::SendMessageA(Control(pEditor, IDC_TAPE_ITERATION), BM_SETCHECK, BST_UNCHECKED, 0);
    Press(pEditor, IDC_TAPE_ITERATION);
    EXPECT_EQ("Constant|Length Factor|Pressure Factor|Slope Factor", captions());
    EXPECT_FALSE(Visible(pEditor, IDC_LENGTH_UNIT));
    EXPECT_EQ("0.4", Text(pEditor, IDC_TAPE_COEFFICIENT1));
    EXPECT_EQ("0.2", Text(pEditor, IDC_TAPE_COEFFICIENT4));
    Press(pEditor, IDOK);
    ASSERT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ("    ", Query("SELECT [Flow Calc Type] FROM Tapes WHERE [Pipe Key] = 59"));
    EXPECT_NEAR(0.2, std::atof(Query("SELECT Reals4 FROM Tapes WHERE [Pipe Key] = 59").c_str()), 1e-6);
    EXPECT_NEAR(0.4, std::atof(Query("SELECT Reals1 FROM Tapes WHERE [Pipe Key] = 59").c_str()), 1e-6);

    // Checked again, in feet: the shown 0.2 is now a spacing of 0.2 ft.
    UseUnits(false);
    pEditor = OpenKey(59);
    ASSERT_NE(nullptr, pEditor);
    ::SendMessageA(Control(pEditor, IDC_TAPE_ITERATION), BM_SETCHECK, BST_CHECKED, 0);
    Press(pEditor, IDC_TAPE_ITERATION);
    EXPECT_EQ("Emitter Constant|Emitter Index|Emitter Barb Factor|Spacing", captions());
    EXPECT_EQ("ft", Text(pEditor, IDC_LENGTH_UNIT));
    Press(pEditor, IDOK);
    ASSERT_EQ(nullptr, m_view.pOpen);
    EXPECT_EQ("ITER", Query("SELECT [Flow Calc Type] FROM Tapes WHERE [Pipe Key] = 59"));
    EXPECT_NEAR(0.2 * 0.3048, std::atof(Query("SELECT Reals4 FROM Tapes WHERE [Pipe Key] = 59").c_str()), 1e-6);
    EXPECT_EQ(2, QueryLong("SELECT Flags FROM Components WHERE [Component Key] = 59"));
}

TEST_F(ComponentEditorsTest, ATapeTakesTheFittedEmitterConstantAndIndex)
{
    OZU_ComponentDialog* pEditor = OpenKey(59);
    ASSERT_NE(nullptr, pEditor);
    Type(pEditor, IDC_TAPE_ZONE_ABOVE, "12");
    const std::string coefficient3 = Text(pEditor, IDC_TAPE_COEFFICIENT3);

    // Nothing sent: nothing changes.
    EXPECT_EQ(0, pEditor->SendMessage(WM_DETAILDLGNOTIFY, 2, 0));
    EXPECT_EQ("0.3162", Text(pEditor, IDC_TAPE_COEFFICIENT1));

    CTapeExtras fitted(nullptr);
    fitted.m_fTapeReals1 = 0.00001f;
    fitted.m_fTapeReals2 = 0.52f;
    fitted.m_fTapeReals3 = 9.0f;
    EXPECT_EQ(0, pEditor->SendMessage(WM_DETAILDLGNOTIFY, 2, (LPARAM)&fitted));
    EXPECT_EQ("1e-05", Text(pEditor, IDC_TAPE_COEFFICIENT1));
    EXPECT_EQ("0.52", Text(pEditor, IDC_TAPE_COEFFICIENT2));
    // The rest is as the user left it, and nothing is stored before OK.
    EXPECT_EQ(coefficient3, Text(pEditor, IDC_TAPE_COEFFICIENT3));
    EXPECT_EQ("12", Text(pEditor, IDC_TAPE_ZONE_ABOVE));
    EXPECT_NEAR(0.3162, std::atof(Query("SELECT Reals1 FROM Tapes WHERE [Pipe Key] = 59").c_str()), 1e-6);
    EXPECT_EQ(0, m_view.Count("save"));
}

TEST_F(ComponentEditorsTest, ANewTapeMarksTheGridToMakeItsTapesRow)
{
    m_view.GetGridState().bTapeExtrasReady = FALSE;
    OZU_ComponentDialog* pEditor = OpenNew(DBNUM_PIPE, COMPONENT_FLAG_TAPE);
    ASSERT_NE(nullptr, pEditor);
    EXPECT_NE(nullptr, dynamic_cast<CTapeDialog*>(pEditor));
    EXPECT_TRUE(m_view.GetGridState().bTapeExtrasReady);
    EXPECT_EQ((std::vector<std::string>{ " ", "L" }), Items(pEditor, IDC_USAGE));
}
