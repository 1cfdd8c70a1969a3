// Component databases of a chosen size for the benchmarks, made from the
// skeleton database of the build.
#pragma once

#include "benchmarks/BenchSupport.h"
#include "database/records/ComponentRecords.h"

#include <cstdio>
#include <string>

namespace bench {

// Makes `file` (unless it exists already) with `count` components of every
// kind in turn, each tape with its Tapes row. FALSE, having said why, when it
// cannot be made.
inline bool MakeComponentDatabase(const std::string& file, int count)
{
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    if (!CopySkeleton(file))
        return false;
    try {
        CDatabase db;
        db.OpenEx(GetComponentConnectString(file.c_str()), CDatabase::noOdbcDialog);
        // (Database Number, Flags) of the 18 component tables.
        const char* kinds = "(1,0),(1,2),(2,0),(3,0),(4,0),(6,0),(7,0),(8,0),(9,0),(11,0),(12,0),(13,0),(21,0),"
                            "(22,0),(24,0),(23,0),(14,0),(15,0)";
        std::string sql =
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(count - 1) +
            "), k(idx, num, flags) AS (SELECT row_number() OVER () - 1, column1, column2 FROM (VALUES " + kinds +
            ")) INSERT INTO Components ([Database Number], [Flags], [Description], [Warehouse Code], "
            "[Supplier Code], [Usage], [Reals1], [Reals2], [Reals4], [Reals7], [Reals8], [Rextra1], [Rextra2], "
            "[Colour1], [Linetype]) "
            "SELECT k.num, k.flags, 'Component ' || n.i, 'WH-' || n.i, 'SUP ', 'M  ', 20 + (n.i % 30) * 5, "
            "21 + (n.i % 30) * 5, 60 + n.i % 40, 1.5 + (n.i % 100) / 10.0, 2.5 + (n.i % 100) / 10.0, n.i % 50, "
            "50 + n.i % 50, 255 * (n.i % 3), n.i % 4 FROM n JOIN k ON k.idx = n.i % 18";
        db.ExecuteSQL(sql.c_str());
        db.ExecuteSQL("INSERT INTO Tapes ([Pipe Key], [Flow Calc Type], [Reals1], [Reals2], [Reals4]) "
                      "SELECT [Component Key], 'PC  ', 1.2, 0.5, 0.3 FROM Components WHERE [Flags] = 2");
        db.Close();
    } catch (CException* e) {
        char text[512] = {};
        e->GetErrorMessage(text, sizeof(text));
        std::printf("cannot make the database: %s\n", text);
        e->Delete();
        DeleteFileA(file.c_str());
        return false;
    }
    return true;
}

} // namespace bench
