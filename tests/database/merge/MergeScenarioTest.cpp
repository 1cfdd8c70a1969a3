// Merges of small source databases into small targets, one scenario per
// case that matters: the report must equal its golden copy byte for byte,
// and the target must hold what the checks say.
#include "tests/support/MergeFixture.h"

#include <gtest/gtest.h>

using namespace mergetest;

namespace {

struct Check
{
    const char* sql;       // run on the target after the merge
    const char* expected;  // columns joined by ",", rows by ";"
};

struct Scenario
{
    const char* name;  // scenarios/<name>.sql (its "-- target" and "-- source" parts) and <name>.report
    std::vector<Check> checks;
};

void PrintTo(const Scenario& s, std::ostream* os)
{
    *os << s.name;
}

// The part of a scenario file below "-- <part>" up to the next part.
std::string ScenarioPart(const std::string& text, const std::string& part)
{
    std::string marker = "-- " + part + "\n";
    size_t at = text.find(marker);
    if (at == std::string::npos)
        return std::string();
    at += marker.size();
    size_t end = text.find("\n-- ", at);
    while (end != std::string::npos && text.compare(end + 4, 6, "target") != 0 &&
           text.compare(end + 4, 6, "source") != 0)
        end = text.find("\n-- ", end + 1);
    return text.substr(at, end == std::string::npos ? std::string::npos : end + 1 - at);
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

class MergeScenario : public MergeTest, public ::testing::WithParamInterface<Scenario>
{
};

} // namespace

TEST_P(MergeScenario, ReportAndTargetAreAsExpected)
{
    const Scenario& s = GetParam();
    std::string sql = FixtureText(std::string("scenarios/") + s.name + ".sql");
    RunSqlOn(m_target, ScenarioPart(sql, "target"));
    RunSqlOn(m_source, ScenarioPart(sql, "source"));
    std::string sourceBefore = FileBytes(m_source);

    std::string report = Merge();
    // The one report, in the program folder.
    EXPECT_EQ((m_app.GetRootPath() + "DBMergeReport.txt").str(), m_reportPath);
    EXPECT_EQ(WithCrLf(FixtureText(std::string("scenarios/") + s.name + ".report")), report);
    for (const Check& c : s.checks)
        EXPECT_EQ(c.expected, QueryRows(m_target, c.sql)) << c.sql;
    EXPECT_EQ(sourceBefore, FileBytes(m_source)) << "the source must not change";
    EXPECT_TRUE(m_boxes.Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Merge, MergeScenario,
    ::testing::Values(
        Scenario{"empty_source",
                 {{"SELECT [Component Key], RTRIM([Description]) FROM Components", "100,Existing"},
                  {"SELECT COUNT(*) FROM PipeTable", "1"}}},
        Scenario{"pipe_types",
                 {{"SELECT [Type], [Gender], [Rounding] FROM PipeTable ORDER BY [Type]",
                   "LDPE,F,0.0;PE,M,0.5;PVC,M,2.0"}}},
        Scenario{"supplier_case",
                 {{"SELECT [Code], [Description] FROM Suppliers ORDER BY [Code]", "AB,Acme;BR,Brown"}}},
        Scenario{"tapes",
                 {{"SELECT [Component Key], RTRIM([Description]), [Flags] FROM Components ORDER BY 1",
                   "100,Existing,0;101,Tape with row,2;103,Plain pipe,0"},
                  {"SELECT [Pipe Key], [Flow Calc Type], [Reals1], [Reals2] IS NULL, [Reals3] FROM Tapes",
                   "101,EQ,0.5,1,0.0"}}},
        Scenario{"emitter_nozzles",
                 {{"SELECT [Component Key], RTRIM([Description]), [Flags] FROM Components ORDER BY 1",
                   "5,Nozzle A,0;50,Other,0;51,Rotor,4;52,Nozzle B,0;53,Bare rotor,4"},
                  {"SELECT [Emitter Key], [Nozzle Key] FROM Nozzles ORDER BY 1, 2", "51,5;51,52"}}},
        Scenario{"assembly_items",
                 {{"SELECT [Component Key], RTRIM([Description]) FROM Components ORDER BY 1",
                   "100,Existing;101,Kit;102,Valve V"},
                  {"SELECT [Assembly Key], [Item Key], [Number/Length] FROM Assemblies", "101,102,2.0"}}},
        Scenario{"nested_assembly",
                 {{"SELECT [Component Key], RTRIM([Description]), [Flags] FROM Components ORDER BY 1",
                   "100,Existing,0;101,Outer kit,1;102,Inner kit,1;103,Drip tape,2"},
                  {"SELECT [Assembly Key], [Item Key], [Number/Length] FROM Assemblies ORDER BY 1",
                   "101,102,1.0;102,103,25.0"},
                  {"SELECT [Pipe Key], [Flow Calc Type] FROM Tapes", "103,EQ"}}},
        Scenario{"indirect_cycle",
                 {{"SELECT [Component Key], RTRIM([Description]) FROM Components ORDER BY 1",
                   "100,Existing;101,Cycle A;102,Cycle B"},
                  {"SELECT [Assembly Key], [Item Key] FROM Assemblies ORDER BY 1", "101,102;102,101"}}},
        Scenario{"warehouse_wider",
                 {{"SELECT COUNT(*) FROM Components", "1"}, {"SELECT COUNT(*) FROM PipeTable", "0"}}},
        Scenario{"symbols",
                 {{"SELECT [Key], [Name] FROM Symbols ORDER BY 1", "1,Valve;2,Sprinkler;3,Pump"},
                  {"SELECT RTRIM([Description]), [Symbol File] FROM Components ORDER BY [Component Key]",
                   "Uses sprinkler,2;Uses pump,3;Uses valve,1;Uses nothing,0"}}},
        Scenario{"padded_texts",
                 {{"SELECT RTRIM([Description]), LENGTH([Description]), LENGTH([Warehouse Code]), LENGTH([Supplier "
                   "Code]), LENGTH([Usage]), LENGTH([Major1]), LENGTH([Default Nozzle]), LENGTH([Item Type]) FROM "
                   "Components ORDER BY [Component Key]",
                   "Gate valve,10,2,0,0,6,10,3;Ball valve,50,32,4,3,6,10,3;Check valve,50,32,4,3,6,10,3"}}},
        Scenario{"null_values",
                 {{"SELECT [Type], [Gender] IS NULL, [Connection] IS NULL, [Fitting1] IS NULL, [Bend Angle] IS NULL "
                   "FROM PipeTable",
                   "PE,1,0,1,1"},
                  {"SELECT [Code], [Base Price] IS NULL, [Multiplier A] IS NULL, [Multiplier B] FROM Suppliers",
                   "AC,1,1,0.0"},
                  {"SELECT RTRIM([Description]), [Reals7] IS NULL, [Symbol File] IS NULL, [Order] IS NULL FROM "
                   "Components WHERE [Component Key] > 100 ORDER BY 1",
                   "Drip,1,1,1;Kit,0,0,0"},
                  {"SELECT RTRIM(C.[Description]), T.[Flow Calc Type] IS NULL, T.[Reals1], T.[Reals2] IS NULL FROM Tapes T "
                   "JOIN Components C ON C.[Component Key] = T.[Pipe Key]",
                   "Drip,1,0.5,1"},
                  {"SELECT RTRIM(A.[Description]), RTRIM(I.[Description]), S.[Number/Length] IS NULL FROM Assemblies S JOIN "
                   "Components A ON A.[Component Key] = S.[Assembly Key] JOIN Components I ON I.[Component Key] = "
                   "S.[Item Key]",
                   "Kit,Drip,1"}}},
        Scenario{"component_matching",
                 {{"SELECT [Component Key], RTRIM([Description]) FROM Components WHERE [Component Key] > 100 ORDER BY 1",
                   "101,Gate valve;102,Fitting"}}}));
