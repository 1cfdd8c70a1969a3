// The database merge and the field clean on generated databases: a source
// of 1,000 and of 10,000 components (a tenth of them tapes with their tape
// rows, some assemblies) merged into a target of the same size that holds
// half of them already, and a clean of 10,000 components. Prints the time
// and the rows per second of each, so that growth with size shows.
//
// The databases are made in bench_data beside this program from the
// skeleton the build makes.
#include "database/merge/DBDatabase.h"
#include "benchmarks/BenchSupport.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using namespace bench;

// Components numbered first..last: kinds in turn, every tenth a tape with
// its tape row, every fiftieth an assembly of the two components before it.
void AddComponents(CDatabase& db, int first, int last)
{
    char sql[1024];
    std::snprintf(sql, sizeof(sql),
                  "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code], "
                  "[Reals1], [Reals2], [Flags]) "
                  "WITH RECURSIVE n(i) AS (SELECT %d UNION ALL SELECT i + 1 FROM n WHERE i < %d) "
                  "SELECT i, CASE WHEN i %% 10 = 0 THEN 1 ELSE 2 + i %% 13 END, 'Part ' || i, 'W' || i, i, i / 4.0, "
                  "CASE WHEN i %% 10 = 0 THEN 2 WHEN i %% 50 = 7 THEN 1 ELSE 0 END FROM n",
                  first, last);
    db.ExecuteSQL(sql);
    std::snprintf(sql, sizeof(sql),
                  "INSERT INTO [Tapes] ([Pipe Key], [Flow Calc Type], [Reals1]) SELECT [Component Key], 'EQ', 0.5 "
                  "FROM [Components] WHERE [Flags] = 2 AND [Component Key] BETWEEN %d AND %d",
                  first, last);
    db.ExecuteSQL(sql);
    std::snprintf(sql, sizeof(sql),
                  "INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) "
                  "SELECT [Component Key], [Component Key] - 1, 2 FROM [Components] WHERE [Flags] = 1 AND "
                  "[Component Key] BETWEEN %d AND %d UNION ALL "
                  "SELECT [Component Key], [Component Key] - 2, 1 FROM [Components] WHERE [Flags] = 1 AND "
                  "[Component Key] BETWEEN %d AND %d",
                  first, last, first, last);
    db.ExecuteSQL(sql);
}

std::string MakeDatabase(const std::string& name, int first, int last)
{
    std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string file = folder + "\\" + name;
    std::string skeleton = HereFolder() + "\\..\\bin\\Database\\Skeleton.sqlite";
    if (!CopyFileA(skeleton.c_str(), file.c_str(), FALSE)) {
        std::printf("cannot copy %s\n", skeleton.c_str());
        return std::string();
    }
    CDatabase db;
    db.OpenEx(Connect(file).c_str(), CDatabase::noOdbcDialog);
    AddComponents(db, first, last);
    db.Close();
    return file;
}

void BenchMerge(int n)
{
    // The target holds the upper half of the source's components already
    // and as many others.
    std::string source = MakeDatabase("merge_source_" + std::to_string(n) + ".sqlite", 1, n);
    std::string target = MakeDatabase("merge_target_" + std::to_string(n) + ".sqlite", n / 2 + 1, n + n / 2);
    if (source.empty() || target.empty())
        return;
    DBDatabase to(target.c_str(), DBDatabase::openFile);
    DBDatabase from(source.c_str(), DBDatabase::openFile | DBDatabase::openAsReadOnly);
    Clock::time_point start = Clock::now();
    to.Merge(&from);
    double s = Seconds(start, Clock::now());
    std::printf("merge %6d components into %6d: %7.2f s, %8.0f source rows/s%s\n", n, n, s, n / s,
                to.GetMergeOutcome() == DBDatabase::mergeCompleted ? "" : " (did not complete)");
}

void BenchClean(int n)
{
    std::string file = MakeDatabase("clean_" + std::to_string(n) + ".sqlite", 1, n);
    if (file.empty())
        return;
    DBDatabase db(file.c_str(), DBDatabase::openFile);
    Clock::time_point start = Clock::now();
    db.Clean();
    double s = Seconds(start, Clock::now());
    std::printf("clean %6d components: %7.2f s, %8.0f rows/s\n", n, s, n / s);
}

} // namespace

int main()
{
    try {
        BenchMerge(1000);
        BenchMerge(10000);
        BenchClean(10000);
    } catch (CException* e) {
        char message[1024] = {};
        e->GetErrorMessage(message, sizeof(message));
        std::printf("failed: %s\n", message);
        e->Delete();
        return 1;
    }
    return 0;
}
