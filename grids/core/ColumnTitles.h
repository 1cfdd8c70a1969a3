// Column header texts of the component grid: a title from the string table by
// table type and grid column, and for columns holding a quantity a second
// line naming the unit the values are shown in, e.g. "Nominal Diameter",
// CR LF, "(mm)".
#pragma once

#include "platform/framework/Framework.h"
#include "units/OZU_UnitSettings.h"

namespace kvgrid {

// The string id of a column's title: the titles common to every table type
// first (Query included), then those of the table type; 0 for none.
UINT GetFieldTitleId(int nTableType, int nColumn);
// The title itself; empty for none.
CString GetFieldTitle(int nTableType, int nColumn);

// The unit text of a column for the display units given (without the
// parentheses); empty when the column has no unit line. Tape, Controller and
// Query columns never have one.
CString GetUnitLine(int nTableType, int nColumn, const OZU_UnitSet& units);

// The header text: the title, and when the column has a unit line, CR LF and
// the unit text in parentheses. Empty when the column has no title.
CString GetColumnTitle(int nTableType, int nColumn, const OZU_UnitSet& units);

} // namespace kvgrid
