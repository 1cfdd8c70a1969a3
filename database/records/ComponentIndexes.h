// The indexes of "Components" that serve the grids' tabs and the duplicate
// test: one for each tab's filter and sort order (the rows of a tab are read
// in the index's order instead of being sorted first), and one for the
// description and warehouse code as the duplicate test compares them
// (trailing blanks removed, without regard to case). The skeleton database
// carries them; a database opened without them gets them.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"

#include <vector>

// The statements that make the indexes (CREATE INDEX, each with its name),
// as the skeleton's schema writes them.
const std::vector<CString>& GetComponentIndexStatements();

// Makes the indexes a SQLite component database lacks (a database of
// another kind is left alone). FALSE when one could not be made; the
// database works without it, only slower.
BOOL EnsureComponentIndexes(CDatabase* pDatabase);
