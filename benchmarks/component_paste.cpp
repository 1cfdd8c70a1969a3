// Paste Component between two databases: 1,000 and 10,000 components of a
// generated database (every kind, tapes with their Tapes rows, every
// twentieth an assembly of the two components before it, every outlet with
// two nozzles) pasted one by one, as the main frame does, into an empty
// database, and then again into the same one, where each finds its equal.
// Prints the components per second of each, so that growth with size shows.
//
// The databases are made in bench_data beside this program from the
// skeleton the build makes.
#include "benchmarks/support/BenchDatabase.h"
#include "benchmarks/support/Bench.h"
#include "database/records/ComponentRecords.h"
#include "grids/core/ComponentPaste.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace bench;

// The source: every kind in turn, with assemblies and nozzle sets.
bool MakeSource(const std::string& file, int count)
{
    if (!MakeComponentDatabase(file, count))
        return false;
    CDatabase db;
    db.OpenEx(GetComponentConnectString(file.c_str()), CDatabase::noOdbcDialog);
    db.ExecuteSQL("UPDATE Components SET [Flags] = 1 WHERE [Component Key] % 20 = 0 AND [Flags] = 0");
    db.ExecuteSQL("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) "
                  "SELECT [Component Key], [Component Key] - 1, 2 FROM Components WHERE [Flags] = 1 "
                  "UNION ALL SELECT [Component Key], [Component Key] - 2, 1 FROM Components WHERE [Flags] = 1");
    // Outlet r of the outlets in key order carries nozzles r and r + 1.
    db.ExecuteSQL("INSERT INTO Nozzles ([Emitter Key], [Nozzle Key]) SELECT o.k, n.k FROM "
                  "(SELECT [Component Key] AS k, row_number() OVER (ORDER BY [Component Key]) AS r FROM Components "
                  "WHERE [Database Number] = 12) o JOIN "
                  "(SELECT [Component Key] AS k, row_number() OVER (ORDER BY [Component Key]) AS r FROM Components "
                  "WHERE [Database Number] = 15) n ON n.r IN (o.r, o.r + 1)");
    db.Close();
    return true;
}

long Count(CDatabase& db, const char* table)
{
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, CString("SELECT count(*) FROM ") + table, CRecordset::readOnly);
    CString value;
    rs.GetFieldValue((short)0, value);
    rs.Close();
    return std::atol(value);
}

void BenchPaste(int n)
{
    const std::string sourceFile = DataFile("paste_source_" + std::to_string(n) + ".sqlite", true);
    const std::string targetFile = DataFile("paste_target_" + std::to_string(n) + ".sqlite", true);
    if (!MakeSource(sourceFile, n) || !CopySkeleton(targetFile, true))
        return;
    try {
        CDatabase source, target;
        source.OpenEx(GetComponentConnectString(sourceFile.c_str()), CDatabase::noOdbcDialog);
        target.OpenEx(GetComponentConnectString(targetFile.c_str()), CDatabase::noOdbcDialog);
        const std::vector<long> keys = QueryKeys(&source, "SELECT [Component Key] FROM Components ORDER BY 1");
        bool bFirst = true;
        for (const char* pass : { "into an empty database", "again (each finds its equal)" }) {
            kvgrid::CComponentPaste paste(&source, &target);
            Clock::time_point start = Clock::now();
            for (long key : keys)
                paste.Paste(key);
            const double seconds = Seconds(start, Clock::now());
            std::printf("paste %6d components %-30s %8.2f s %9.0f components/s  (added %d, matched %d; "
                        "target: %ld components, %ld assembly rows, %ld nozzle rows)\n",
                        n, pass, seconds, keys.size() / seconds, paste.GetAddedCount(), paste.GetMatchedCount(),
                        Count(target, "Components"), Count(target, "Assemblies"), Count(target, "Nozzles"));
            std::fflush(stdout);
            if (bFirst)
                Expect(Count(target, "Components") == (long)keys.size(), "the first paste of %d left %ld components",
                       n, Count(target, "Components"));
            else
                Expect(paste.GetAddedCount() == 0, "the second paste of %d added %d components", n,
                       paste.GetAddedCount());
            bFirst = false;
        }
        target.Close();
        source.Close();
    }
    catch (CException* e) {
        PrintException(e, "the paste");
    }
}

} // namespace

int main()
{
    for (int n : { 1000, 10000 })
        BenchPaste(n);
    return ExitStatus();
}
