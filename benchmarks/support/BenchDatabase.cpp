#include "benchmarks/support/BenchDatabase.h"
#include "database/records/ComponentRecords.h"

#include <vector>

namespace bench {

namespace {

// (Database Number, Flags) of the 18 component tabs, Pipe first.
const char kKinds[] = "(1,0),(1,2),(2,0),(3,0),(4,0),(6,0),(7,0),(8,0),(9,0),(11,0),(12,0),(13,0),(21,0),"
                      "(22,0),(24,0),(23,0),(14,0),(15,0)";

// Inserts `count` components numbered from `first`; component i is of kind
// (i % kinds) of the list when `kindOf` is "n.i % 18", or of the kind the
// expression gives.
void InsertComponents(CDatabase& db, int first, int count, const std::string& kindOf)
{
    std::string sql =
        "WITH RECURSIVE n(i) AS (SELECT " + std::to_string(first) + " UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(first + count - 1) +
        "), k(idx, num, flags) AS (SELECT row_number() OVER () - 1, column1, column2 FROM (VALUES " + kKinds +
        ")) INSERT INTO Components ([Database Number], [Flags], [Description], [Warehouse Code], "
        "[Supplier Code], [Usage], [Major1], [Reals1], [Reals2], [Reals4], [Reals7], [Reals8], [Rextra1], [Rextra2], "
        "[Colour1], [Linetype]) "
        "SELECT k.num, k.flags, 'Component ' || n.i, 'WH-' || n.i, 'SUP ', 'M  ', 'PE' || (n.i % 7), "
        "20 + (n.i % 30) * 5, 21 + (n.i % 30) * 5, 60 + n.i % 40, 1.5 + (n.i % 100) / 10.0, "
        "2.5 + (n.i % 100) / 10.0, n.i % 50, 50 + n.i % 50, 255 * (n.i % 3), n.i % 4 FROM n JOIN k ON k.idx = " +
        kindOf;
    db.ExecuteSQL(sql.c_str());
}

template <class F>
bool Make(const std::string& file, F&& fill)
{
    if (IsCurrentDataFile(file))
        return true;
    DataFile(file.substr(file.find_last_of('\\') + 1), true);
    if (!CopySkeleton(file, true))
        return false;
    try {
        CDatabase db;
        db.OpenEx(GetComponentConnectString(file.c_str()), CDatabase::noOdbcDialog);
        db.BeginTrans();
        fill(db);
        db.ExecuteSQL("INSERT INTO Tapes ([Pipe Key], [Flow Calc Type], [Reals1], [Reals2], [Reals4]) "
                      "SELECT [Component Key], 'PC  ', 1.2, 0.5, 0.3 FROM Components WHERE [Flags] = 2");
        db.CommitTrans();
        db.Close();
    } catch (CException* e) {
        char text[512] = {};
        e->GetErrorMessage(text, sizeof(text));
        Print("cannot make the database %s: %s", file.c_str(), text);
        e->Delete();
        DeleteFileA(file.c_str());
        return false;
    }
    return true;
}

} // namespace

bool MakeComponentDatabase(const std::string& file, int count)
{
    return Make(file, [&](CDatabase& db) { InsertComponents(db, 0, count, "n.i % 18"); });
}

bool MakeOneTabDatabase(const std::string& file, int pipes, int othersEach)
{
    return Make(file, [&](CDatabase& db) {
        InsertComponents(db, 0, pipes, "0");
        if (othersEach > 0)
            InsertComponents(db, pipes, othersEach * 17, "1 + n.i % 17");
    });
}

long QueryNumber(CDatabase& db, const char* sql)
{
    std::vector<long> values = QueryKeys(&db, sql);
    return values.empty() ? 0 : values.front();
}

} // namespace bench
