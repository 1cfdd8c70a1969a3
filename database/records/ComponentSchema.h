// What the program needs of a component database: the tables its record
// classes read and write, each with the columns they bind. A database that
// lacks any of them cannot be shown or edited (a missing table fails every
// read of it; a missing column would show its name as its value and be
// dropped from every store), so it is told before anything is read from it
// or changed in it.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"

#include <vector>

struct MissingSchemaPart
{
    CString strTable;   // as the program names it, without brackets
    CString strColumn;  // empty: the whole table is missing
};

// The tables and columns the program needs that the database lacks, in the
// order of the tables and of their columns; empty when it has them all.
// Nothing is read from the tables but their columns' names, and nothing is
// changed. Throws the database layer's exception only when the connection
// itself fails.
std::vector<MissingSchemaPart> FindMissingSchema(CDatabase* pDatabase);
