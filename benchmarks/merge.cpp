// The database merge and the field clean on generated databases: a source
// of 1,000, 10,000 and 100,000 components merged into a target of the same
// size that holds half of them already, against SQLite matching and
// inserting the same components by itself (one INSERT ... SELECT ... WHERE
// NOT EXISTS); and a clean of 10,000 and 100,000 components, against a
// prepared UPDATE by key per row in one transaction. Each run on a fresh copy
// of the databases, in turns with its anchor. Prints the rows per second, the
// ratios, and a digest of the merge report and of the target's rows
// afterwards, so that two builds can be seen to give the same result.
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
#include "benchmarks/support/BenchDatabase.h"
#include "platform/odbc/ODBCConnect.h"

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

// A fresh copy of a database made before.
std::string FreshCopy(const std::string& file, const char* name)
{
    std::string copy = DataFile(name, true);
    CopyFileA(file.c_str(), copy.c_str(), FALSE);
    return copy;
}

// Runs one statement, prepared, for each row of `values` (one text per
// marker), all in one transaction: what SQLite does when told row by row.
void RunPrepared(CDatabase& db, const char* sql, const std::vector<std::vector<std::string>>& rows)
{
    HSTMT h = SQL_NULL_HSTMT;
    SQLAllocStmt(db.m_hdbc, &h);
    SQLPrepare(h, (SQLCHAR*)sql, SQL_NTS);
    db.BeginTrans();
    SQLLEN nts = SQL_NTS;
    for (const std::vector<std::string>& row : rows) {
        for (size_t i = 0; i < row.size(); ++i)
            SQLBindParameter(h, (SQLUSMALLINT)(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 255, 0,
                             (SQLPOINTER)row[i].c_str(), 0, &nts);
        SQLExecute(h);
    }
    db.CommitTrans();
    SQLFreeStmt(h, SQL_DROP);
}

// SQLite matching the source's components against the target's (the
// columns the merge compares, within the kind, through an index it makes
// for them) and inserting the new ones, in one statement and one
// transaction.
double SqlMerge(const std::string& source, const std::string& target, long& added)
{
    std::string copy = FreshCopy(target, "merge_anchor.sqlite");
    CDatabase db;
    db.OpenEx(Connect(copy).c_str(), CDatabase::noOdbcDialog);
    long before = QueryNumber(db, "SELECT COUNT(*) FROM Components");
    double ms = TimeMs([&] {
        db.ExecuteSQL(("ATTACH DATABASE '" + kvodbc::DriverPath(source) + "' AS src").c_str());
        db.BeginTrans();
        // What it finds the target's candidates by.
        db.ExecuteSQL("CREATE INDEX [Merge match] ON Components ([Database Number], [Description], [Warehouse Code])");
        db.ExecuteSQL(
            "INSERT INTO Components ([Old id1], [Old id2], [Old id3], [Database Number], [Description], "
            "[Warehouse Code], [Supplier Code], [Usage], [Major1], [Minor1], [Major2], [Minor2], [Reals1], [Reals2], "
            "[Reals3], [Reals4], [Reals5], [Reals6], [Reals7], [Reals8], [Rextra1], [Rextra2], [Rextra3], "
            "[Rextra4], [Document Index], [Linetype], [Symbol], [Symbol Size], [Symbol File], [Colour1], "
            "[Colour2], [Default Nozzle], [Item Type], [Flags], [Order]) "
            "SELECT s.[Old id1], s.[Old id2], s.[Old id3], s.[Database Number], s.[Description], "
            "s.[Warehouse Code], s.[Supplier Code], s.[Usage], s.[Major1], s.[Minor1], s.[Major2], s.[Minor2], "
            "s.[Reals1], s.[Reals2], s.[Reals3], s.[Reals4], s.[Reals5], s.[Reals6], s.[Reals7], s.[Reals8], "
            "s.[Rextra1], s.[Rextra2], s.[Rextra3], s.[Rextra4], s.[Document Index], s.[Linetype], s.[Symbol], "
            "s.[Symbol Size], s.[Symbol File], s.[Colour1], s.[Colour2], s.[Default Nozzle], s.[Item Type], "
            "s.[Flags], s.[Order] FROM src.Components s WHERE NOT EXISTS (SELECT 1 FROM main.Components t "
            "WHERE t.[Database Number] = s.[Database Number] AND t.[Description] = s.[Description] AND "
            "t.[Warehouse Code] = s.[Warehouse Code] AND t.[Major1] = s.[Major1] AND t.[Minor1] = s.[Minor1] AND "
            "t.[Reals1] = s.[Reals1] AND t.[Reals2] = s.[Reals2] AND t.[Reals3] = s.[Reals3] AND "
            "t.[Reals4] = s.[Reals4] AND t.[Reals5] = s.[Reals5] AND t.[Reals6] = s.[Reals6] AND "
            "t.[Item Type] = s.[Item Type] AND t.[Flags] = s.[Flags]) ORDER BY s.[Component Key]");
        db.CommitTrans();
        db.ExecuteSQL("DETACH DATABASE src");
    });
    added = QueryNumber(db, "SELECT COUNT(*) FROM Components") - before;
    db.Close();
    return ms;
}

void BenchMerge(long n, int runs)
{
    // The target holds the upper half of the source's components already
    // and as many others.
    std::string source = MakeDatabase("merge_source_" + std::to_string(n) + ".sqlite", 1, n, false);
    std::string target = MakeDatabase("merge_target_" + std::to_string(n) + ".sqlite", n / 2 + 1, n + n / 2, true);
    if (source.empty() || target.empty())
        return;
    std::uint64_t reportDigest = 0, targetDigest = 0;
    long added = 0, anchorAdded = 0;
    Paired p = Interleave(
        runs,
        [&] {
            std::string copy = FreshCopy(target, "merge_target.sqlite");
            double ms = 0;
            std::string report, sourceName, targetName;
            DBDatabase::MergeOutcome outcome = DBDatabase::mergeNotRun;
            {
                DBDatabase to(copy.c_str(), DBDatabase::openFile);
                DBDatabase from(source.c_str(), DBDatabase::openFile | DBDatabase::openAsReadOnly);
                sourceName = from.GetDatabaseName().str();
                targetName = to.GetDatabaseName().str();
                long before = to.GetComponentCount();
                ms = TimeMs([&] { to.Merge(&from); });
                outcome = to.GetMergeOutcome();
                report = to.GetReportPath().str();
                added = to.GetComponentCount() - before;
            }
            Expect(outcome == DBDatabase::mergeCompleted, "the merge of %ld did not complete", n);
            reportDigest = ReportDigest(report, sourceName, targetName);
            targetDigest = TargetDigest(copy);
            return ms;
        },
        [&] { return SqlMerge(source, target, anchorAdded); });
    Expect(added > 0, "the merge of %ld added no component", n);
    std::string name = "merge " + std::to_string(n) + " into " + std::to_string(n) + " (" +
                       std::to_string((long)(n / (p.a.Median() / 1000))) + " components/s)";
    PrintRatio(name.c_str(), "SQLite matching and inserting", p, 3);
    Print("      added %ld components (SQLite alone %ld); report %016llx, target %016llx", added, anchorAdded,
          (unsigned long long)reportDigest, (unsigned long long)targetDigest);
}

// The clean's anchor: every row's codes read, then written back by key with
// one prepared UPDATE per row, in one transaction.
double SqlClean(const std::string& file, long& rowsWritten)
{
    std::string copy = FreshCopy(file, "clean_anchor.sqlite");
    CDatabase db;
    db.OpenEx(Connect(copy).c_str(), CDatabase::noOdbcDialog);
    double ms = TimeMs([&] {
        std::vector<std::vector<std::string>> rows;
        CRecordset rs(&db);
        rs.Open(CRecordset::forwardOnly,
                "SELECT [Warehouse Code], [Supplier Code], [Usage], [Major1], [Minor1], [Component Key] "
                "FROM Components",
                CRecordset::readOnly);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            std::vector<std::string> row(6);
            for (short i = 0; i < 6; ++i) {
                CString value;
                rs.GetFieldValue(i, value);
                row[(size_t)i] = value.str();
            }
            rows.push_back(std::move(row));
        }
        rs.Close();
        RunPrepared(db,
                    "UPDATE Components SET [Warehouse Code] = ?, [Supplier Code] = ?, [Usage] = ?, [Major1] = ?, "
                    "[Minor1] = ? WHERE [Component Key] = ?",
                    rows);
        rowsWritten = (long)rows.size();
    });
    db.Close();
    return ms;
}

void BenchClean(long n, int runs)
{
    std::string file = MakeDatabase("clean_" + std::to_string(n) + ".sqlite", 1, n, false);
    if (file.empty())
        return;
    std::uint64_t digest = 0;
    long anchorRows = 0;
    Paired p = Interleave(
        runs,
        [&] {
            std::string copy = FreshCopy(file, "clean_copy.sqlite");
            double ms = 0;
            {
                DBDatabase db(copy.c_str(), DBDatabase::openFile);
                ms = TimeMs([&] { db.Clean(); });
            }
            CDatabase check;
            check.OpenEx(Connect(copy).c_str(), CDatabase::noOdbcDialog);
            Expect(QueryNumber(check, "SELECT COUNT(*) FROM Components WHERE LENGTH([Supplier Code]) <> 4") == 0,
                   "the clean of %ld left supplier codes unpadded", n);
            check.Close();
            digest = TargetDigest(copy);
            return ms;
        },
        [&] { return SqlClean(file, anchorRows); });
    Expect(anchorRows == n, "the anchor wrote %ld rows of %ld", anchorRows, n);
    std::string name = "clean " + std::to_string(n) + " (" + std::to_string((long)(n / (p.a.Median() / 1000))) +
                       " rows/s)";
    PrintRatio(name.c_str(), "prepared UPDATE by key per row", p, 1.5);
    Print("      result %016llx", (unsigned long long)digest);
}

} // namespace

int main(int argc, char** argv)
{
    // With an argument, only the sizes up to it (e.g. 10000).
    long largest = argc > 1 ? std::atol(argv[1]) : 100000;
    try {
        Print("The merge, against SQLite matching and inserting the same components in one statement");
        for (long n : {1000L, 10000L, 100000L})
            if (n <= largest)
                BenchMerge(n, n >= 100000 ? 3 : 5);
        Print("The clean, against a prepared UPDATE by key per row in one transaction");
        for (long n : {10000L, 100000L})
            if (n <= largest)
                BenchClean(n, n >= 100000 ? 3 : 5);
    } catch (CException* e) {
        PrintException(e, "the benchmark");
    }
    return ExitStatus();
}
