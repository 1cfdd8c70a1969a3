// Where each curve type's coefficients live in a component: the fields the
// bar shows and the fields "->" writes, by curve type and kind, and the
// column each field number names.
#include "editors/curvefit/CurveFitFields.h"
#include "database/records/ComponentRecords.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "R3 R4 R5", "T1 T2" (a tape's Tapes row) or "-" for none.
std::string Describe(BOOL bFound, const CurveFitFields& fields)
{
    if (!bFound)
        return "-";
    std::string s;
    for (int n : fields.nReals)
        if (n != 0)
            s += (s.empty() ? "" : " ") + std::string(fields.bTape ? "T" : "R") + std::to_string(n);
    return s;
}

struct Case
{
    int type;
    int dbNumber;
    long flags;
    const char* shown;
    const char* copied;
};

TEST(CurveFitFields, ShownAndCopiedByCurveTypeAndKind)
{
    const Case cases[] = {
        // Pump head: a pump's A, B, C; the pressure curves of valves and
        // hydraulic items show too, but only a pump takes the copy.
        { 1, DBNUM_PUMP, 0, "R3 R4 R5", "R3 R4 R5" },
        { 1, DBNUM_VALVE, 0, "R3 R4 R5", "-" },
        // Valve loss without intercept: K, n only; the intercept stays.
        { 4, DBNUM_VALVE, 0, "R3 R4", "R3 R4" },
        { 4, DBNUM_PUMP, 0, "R3 R4", "-" },
        { 5, DBNUM_VALVE, 0, "R3 R4 R5", "R3 R4 R5" },
        { 5, DBNUM_HYDRAULIC, 0, "R3 R4 R5", "-" },
        { 6, DBNUM_HYDRAULIC, 0, "R3 R4 R5", "R3 R4 R5" },
        { 6, DBNUM_VALVE, 0, "R3 R4 R5", "-" },
        // Outlet flow: a nozzle's flow K, n; a tape's Tapes row.
        { 2, DBNUM_NOZZLE, 0, "R4 R5", "R4 R5" },
        { 2, DBNUM_PIPE, COMPONENT_FLAG_TAPE, "T1 T2", "T1 T2" },
        { 2, DBNUM_PIPE, 0, "-", "-" },
        // Wetted radius: a nozzle's radius K, n.
        { 3, DBNUM_NOZZLE, 0, "R1 R2", "R1 R2" },
        // Outlets keep their inlet diameter in R1 and carry no curve.
        { 2, DBNUM_OUTLET, 0, "-", "-" },
        { 3, DBNUM_OUTLET, 0, "-", "-" },
        // Kinds without curves, and no curve type.
        { 1, DBNUM_TEE, 0, "-", "-" },
        { 0, DBNUM_PUMP, 0, "-", "-" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("type " + std::to_string(c.type) + ", database number " + std::to_string(c.dbNumber));
        CurveFitFields fields;
        BOOL bShown = GetCurveFitShownFields(c.type, c.dbNumber, c.flags, fields);
        EXPECT_EQ(c.shown, Describe(bShown, fields));
        BOOL bCopied = GetCurveFitCopyFields(c.type, c.dbNumber, c.flags, fields);
        EXPECT_EQ(c.copied, Describe(bCopied, fields));
    }
}

// A field number names its own [Reals] column of the row, and a number
// outside 1 to 5 names none.
TEST(CurveFitFields, FieldNumbersNameTheirRealsColumns)
{
    ComponentFields record;
    TapeFields tape;
    const float* components[] = { &record.m_fReals1, &record.m_fReals2, &record.m_fReals3, &record.m_fReals4,
                                  &record.m_fReals5 };
    const float* tapes[] = { &tape.m_fTapeReals1, &tape.m_fTapeReals2, &tape.m_fTapeReals3, &tape.m_fTapeReals4,
                             &tape.m_fTapeReals5 };
    for (int n = 1; n <= 5; n++)
    {
        SCOPED_TRACE("field " + std::to_string(n));
        EXPECT_EQ(components[n - 1], GetCurveFitField(record, n));
        EXPECT_EQ(tapes[n - 1], GetCurveFitField(tape, n));
        EXPECT_EQ(components[n - 1], GetCurveFitField(static_cast<const ComponentFields&>(record), n));
        EXPECT_EQ(tapes[n - 1], GetCurveFitField(static_cast<const TapeFields&>(tape), n));
    }
    for (int n : { -1, 0, 6 })
    {
        EXPECT_EQ(nullptr, GetCurveFitField(record, n)) << n;
        EXPECT_EQ(nullptr, GetCurveFitField(tape, n)) << n;
    }
}

} // namespace
