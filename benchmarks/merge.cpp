// The database merge and the field clean on generated databases: a source
// of 1,000, 10,000 and 100,000 components merged into a target of the same
// size that holds half of them already, and a clean of 10,000 and 100,000
// components. Prints the time and the rows per second of each, so that
// growth with size shows, and a digest of the merge report and of the
// target's rows afterwards, so that two builds can be seen to give the same
// result.
//
// Every matching path is timed: the databases carry pipe types, suppliers
// and symbols (matched, added, in conflict, and known under another key),
// tapes with their tape rows, emitters with nozzles, assemblies, and a group
// of components of one kind that share their numbers, so that a match is
// decided by the texts among many candidates.
//
// The databases are made in bench_data beside this program from the
// skeleton the build makes.
#include "database/merge/DBDatabase.h"
#include "benchmarks/BenchSupport.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace bench;

void Run(CDatabase& db, const char* format, long a = 0, long b = 0, long c = 0, long d = 0)
{
    char sql[2048];
    std::snprintf(sql, sizeof(sql), format, a, b, c, d);
    db.ExecuteSQL(sql);
}

// Components numbered first..last: kinds in turn, every tenth a tape with
// its tape row, every fiftieth an assembly of the two components before it,
// every fiftieth an emitter with the two nozzles before it; kind 3 shares
// its numbers (Reals1 7, Reals2 1.75) and differs only in the texts. Every
// seventh points at one of the first 20 symbols.
void AddComponents(CDatabase& db, long first, long last)
{
    Run(db,
        "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code], "
        "[Major1], [Reals1], [Reals2], [Flags], [Symbol File]) "
        "WITH RECURSIVE n(i) AS (SELECT %ld UNION ALL SELECT i + 1 FROM n WHERE i < %ld), "
        "k(i, kind) AS (SELECT i, CASE WHEN i %% 10 = 0 THEN 1 WHEN i %% 50 = 23 THEN 12 "
        "WHEN i %% 50 IN (21, 22) THEN 15 ELSE 2 + i %% 13 END FROM n) "
        "SELECT i, kind, 'Part ' || i, 'W' || i, CASE WHEN i %% 3 = 0 THEN ' 25mm' ELSE '' END, "
        "CASE WHEN kind = 3 THEN 7 ELSE i END, CASE WHEN kind = 3 THEN 1.75 ELSE i / 4.0 END, "
        "CASE WHEN kind = 1 THEN 2 WHEN kind = 12 THEN 4 WHEN i %% 50 = 7 THEN 1 ELSE 0 END, "
        "CASE WHEN i %% 7 = 0 THEN 1 + i %% 20 ELSE 0 END FROM k",
        first, last);
    Run(db,
        "INSERT INTO [Tapes] ([Pipe Key], [Flow Calc Type], [Reals1]) SELECT [Component Key], 'EQ', 0.5 "
        "FROM [Components] WHERE [Flags] = 2 AND [Component Key] BETWEEN %ld AND %ld",
        first, last);
    Run(db,
        "INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) "
        "SELECT [Component Key], [Component Key] - 1, 2 FROM [Components] WHERE [Flags] = 1 AND "
        "[Component Key] BETWEEN %ld AND %ld UNION ALL "
        "SELECT [Component Key], [Component Key] - 2, 1 FROM [Components] WHERE [Flags] = 1 AND "
        "[Component Key] BETWEEN %ld AND %ld",
        first, last, first, last);
    Run(db,
        "INSERT INTO [Nozzles] ([Emitter Key], [Nozzle Key]) "
        "SELECT [Component Key], [Component Key] - 2 FROM [Components] WHERE [Flags] = 4 AND "
        "[Component Key] BETWEEN %ld AND %ld UNION ALL "
        "SELECT [Component Key], [Component Key] - 1 FROM [Components] WHERE [Flags] = 4 AND "
        "[Component Key] BETWEEN %ld AND %ld",
        first, last, first, last);
}

// Pipe types, suppliers and symbols numbered first..last (a fiftieth of the
// components, at least 20); every ninth row of the target is in conflict
// with the source's row of the same name; every other symbol of the target
// stands under a key of its own, every fifth is written in capitals.
void AddSideTables(CDatabase& db, long first, long last, bool target)
{
    Run(db,
        "INSERT INTO [PipeTable] ([Type], [Gender], [Connection], [Bend Angle]) "
        "WITH RECURSIVE n(i) AS (SELECT %ld UNION ALL SELECT i + 1 FROM n WHERE i < %ld) "
        "SELECT 'P' || i, 'M', 'TH', CASE WHEN %ld AND i %% 9 = 0 THEN 45 ELSE 90 END FROM n",
        first, last, target ? 1 : 0);
    Run(db,
        "INSERT INTO [Suppliers] ([Description], [Code], [Multiplier A]) "
        "WITH RECURSIVE n(i) AS (SELECT %ld UNION ALL SELECT i + 1 FROM n WHERE i < %ld) "
        "SELECT 'Supplier ' || i, 'S' || i, CASE WHEN %ld AND i %% 9 = 0 THEN 2 ELSE 1 END FROM n",
        first, last, target ? 1 : 0);
    Run(db,
        "INSERT INTO [Symbols] ([Key], [Name]) "
        "WITH RECURSIVE n(i) AS (SELECT %ld UNION ALL SELECT i + 1 FROM n WHERE i < %ld) "
        "SELECT CASE WHEN %ld AND i %% 2 = 1 THEN i + 1000 ELSE i END, "
        "CASE WHEN %ld AND i %% 5 = 0 THEN 'SYMBOL ' || i ELSE 'Symbol ' || i END FROM n",
        first, last, target ? 1 : 0, target ? 1 : 0);
}

std::string MakeDatabase(const std::string& name, long first, long last, bool target)
{
    std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string file = folder + "\\" + name;
    // A journal left by a run that was stopped would be played back into
    // the new copy.
    for (const char* leftover : {"-journal", "-wal", "-shm"})
        DeleteFileA((file + leftover).c_str());
    if (!CopySkeleton(file, true))
        return std::string();
    CDatabase db;
    db.OpenEx(Connect(file).c_str(), CDatabase::noOdbcDialog);
    db.BeginTrans();
    AddComponents(db, first, last);
    long side = (last - first + 1) / 50 < 20 ? 20 : (last - first + 1) / 50;
    if (target) {
        // Half of the source's side rows, and as many of its own.
        AddSideTables(db, side / 2 + 1, side + side / 2, true);
        // The group of one kind sharing its numbers with the source's.
        Run(db,
            "INSERT INTO [Components] ([Database Number], [Description], [Warehouse Code], [Reals1], [Reals2]) "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %ld) "
            "SELECT 3, 'Other ' || i, 'X' || i, 7, 1.75 FROM n",
            (last - first + 1) / 10);
    } else {
        AddSideTables(db, 1, side, false);
    }
    db.CommitTrans();
    db.Close();
    return file;
}

// FNV-1a over bytes.
struct Digest
{
    std::uint64_t h = 1469598103934665603ull;
    void Add(const std::string& s)
    {
        for (unsigned char c : s) {
            h ^= c;
            h *= 1099511628211ull;
        }
        h ^= 0xFF;
        h *= 1099511628211ull;
    }
};

// Every row of every merged table, in a fixed order.
std::uint64_t TargetDigest(const std::string& file)
{
    CDatabase db;
    db.OpenEx(Connect(file).c_str(), CDatabase::noOdbcDialog);
    Digest d;
    for (const char* sql :
         {"SELECT * FROM Components ORDER BY [Component Key]",
          "SELECT * FROM Tapes ORDER BY [Pipe Key], [Flow Calc Type], [Reals1]",
          "SELECT * FROM Nozzles ORDER BY [Emitter Key], [Nozzle Key]",
          "SELECT * FROM Assemblies ORDER BY [Assembly Key], [Item Key], [Number/Length]",
          "SELECT * FROM Symbols ORDER BY [Key], [Name]", "SELECT * FROM PipeTable ORDER BY [Type], [Bend Angle]",
          "SELECT * FROM Suppliers ORDER BY [Code], [Multiplier A]"}) {
        CRecordset rs(&db);
        rs.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
        short columns = rs.GetODBCFieldCount();
        for (; !rs.IsEOF(); rs.MoveNext())
            for (short i = 0; i < columns; ++i) {
                CString value;
                rs.GetFieldValue(i, value);
                d.Add(value.str());
            }
        rs.Close();
    }
    db.Close();
    return d.h;
}

// The report with the two database names taken out (they hold the paths).
std::uint64_t ReportDigest(const std::string& path, const std::string& source, const std::string& target)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string report = text.str();
    for (const std::string& name : {source, target}) {
        size_t at = report.find(name);
        if (!name.empty() && at != std::string::npos)
            report.erase(at, name.size());
    }
    Digest d;
    d.Add(report);
    return d.h;
}

void BenchMerge(long n)
{
    // The target holds the upper half of the source's components already
    // and as many others.
    std::string source = MakeDatabase("merge_source_" + std::to_string(n) + ".sqlite", 1, n, false);
    std::string target = MakeDatabase("merge_target_" + std::to_string(n) + ".sqlite", n / 2 + 1, n + n / 2, true);
    if (source.empty() || target.empty())
        return;
    double s = 0;
    std::string report, sourceName, targetName;
    DBDatabase::MergeOutcome outcome = DBDatabase::mergeNotRun;
    {
        DBDatabase to(target.c_str(), DBDatabase::openFile);
        DBDatabase from(source.c_str(), DBDatabase::openFile | DBDatabase::openAsReadOnly);
        sourceName = from.GetDatabaseName().str();
        targetName = to.GetDatabaseName().str();
        Clock::time_point start = Clock::now();
        to.Merge(&from);
        s = Seconds(start, Clock::now());
        outcome = to.GetMergeOutcome();
        report = to.GetReportPath().str();
    }
    std::printf("merge %6ld components into %6ld: %7.2f s, %8.0f source rows/s%s\n", n, n, s, n / s,
                outcome == DBDatabase::mergeCompleted ? "" : " (did not complete)");
    std::printf("      report %016llx, target %016llx\n",
                (unsigned long long)ReportDigest(report, sourceName, targetName),
                (unsigned long long)TargetDigest(target));
    std::fflush(stdout);
}

void BenchClean(long n)
{
    std::string file = MakeDatabase("clean_" + std::to_string(n) + ".sqlite", 1, n, false);
    if (file.empty())
        return;
    double s = 0;
    {
        DBDatabase db(file.c_str(), DBDatabase::openFile);
        Clock::time_point start = Clock::now();
        db.Clean();
        s = Seconds(start, Clock::now());
    }
    std::printf("clean %6ld components: %7.2f s, %8.0f rows/s\n", n, s, n / s);
    std::printf("      result %016llx\n", (unsigned long long)TargetDigest(file));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    // With an argument, only the sizes up to it (e.g. 10000).
    long largest = argc > 1 ? std::atol(argv[1]) : 100000;
    try {
        for (long n : {1000L, 10000L, 100000L})
            if (n <= largest)
                BenchMerge(n);
        for (long n : {10000L, 100000L})
            if (n <= largest)
                BenchClean(n);
    } catch (CException* e) {
        char message[1024] = {};
        e->GetErrorMessage(message, sizeof(message));
        std::printf("failed: %s\n", message);
        e->Delete();
        return 1;
    }
    return 0;
}
