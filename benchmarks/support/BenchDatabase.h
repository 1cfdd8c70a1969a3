// Component databases of a chosen size for the benchmarks, made from the
// skeleton database of the build, and small queries on them.
#pragma once

#include "benchmarks/support/Bench.h"
#include "platform/odbc/OZU_DB_RS.h"

#include <string>

namespace bench {

// Makes `file` (unless a current one is there) with `count` components of
// every kind in turn, each tape with its Tapes row. False, having said why,
// when it cannot be made.
bool MakeComponentDatabase(const std::string& file, int count);

// Makes `file` (unless a current one is there) with `pipes` components on
// the Pipe tab and `othersEach` of every other kind: a database whose tabs
// hold most of it in one.
bool MakeOneTabDatabase(const std::string& file, int pipes, int othersEach);

// The first column of the first row of a query, as a number (0 without a row).
long QueryNumber(CDatabase& db, const char* sql);

} // namespace bench
