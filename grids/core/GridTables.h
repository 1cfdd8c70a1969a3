// The fixed tables of the component grid: the table types (one per tab),
// their titles, filters and default sort orders, the registry names of the
// sort orders, and which table types have a two-part Label column.
//
// Grid columns: column 0 is the row header; grid column c (1 to 36) shows
// column c of "Components"; on the Tape table grid columns 37 to 48 show the
// joined "Tapes" columns.
#pragma once

#include "platform/framework/Framework.h"
#include "grids/core/TableType.h"

namespace kvgrid {

// Grid columns.
enum GridColumn
{
    COL_COMPONENT_KEY = 1,
    COL_DATABASE_NUMBER = 5,
    COL_DESCRIPTION = 6,
    COL_WAREHOUSE_CODE = 7,
    COL_SUPPLIER_CODE = 8,
    COL_USAGE = 9,
    COL_MAJOR1 = 10,
    COL_MINOR1 = 11,
    COL_MAJOR2 = 12,   // the Label: [Major2] and [Minor2] shown as one text
    COL_MINOR2 = 13,
    COL_REALS1 = 14,
    COL_LINETYPE = 27,
    COL_COLOUR1 = 31,
    COL_ITEM_TYPE = 34,
    COL_FLAGS = 35,
    COL_ORDER = 36,
    COL_PIPE_KEY = 37,       // first column of the joined "Tapes" row
    COL_LAST_TAPE = 48,
};

// The components' columns, and all columns of the Tape table.
const int ComponentColumnCount = 36;
const int MaxGridColumn = 48;

// Minimum width of a visible column of a component table (device units).
const int MinColumnWidth = 75;

// TRUE for 0 .. 17.
inline bool IsComponentTable(int nTableType)
{
    return nTableType >= 0 && nTableType < ComponentTableCount;
}

// The string id of a table type's title (the tab, the record beam and the
// registry key of its columns); 0 for a type outside 0 .. 18.
UINT GetTableTitleId(int nTableType);
// The title itself; empty for a type outside 0 .. 18.
CString GetTableTitle(int nTableType);

// The [Database Number] of a component table type (0 for the Query table
// and any other type).
int GetTableDatabaseNumber(int nTableType);

// The [Database Number] and [Flags] of a new component of a table type (a
// tab): Tape gives 1 and 2; Outlet keeps a [Flags] value of 4 and clears any
// other; Query and any other type give 0 and 0; every other type its number
// and 0.
void TabToComponentType(int nTableType, BYTE& nDatabaseNumber, long& nFlags);
// The table type (the tab) of a component: [Database Number] 1 gives the
// Tape table when [Flags] has the tape bit, else the Pipe table; the other
// numbers their table; any other number -1.
int ComponentToTab(int nDatabaseNumber, long nFlags);

// The filter of the component recordset for a table type: "[Database Number]
// = 1 AND ([Flags] = 0 OR [Flags] IS NULL)" for the Pipe table (a NULL
// [Flags] is taken as its default, 0), "[Database Number] = %d" for the
// others; empty for the Tape table (its join selects the tapes), the Query
// table and any other type.
CString GetTableFilter(int nTableType);

// The registry value name of a table type's sort order ("\Pipes", ...; empty
// for 18 and any other type), and the default sort order.
CString GetSortOrderValueName(int nTableType);
CString GetDefaultSortOrder(int nTableType);
// The order in which the sort orders are read and written.
int GetSortOrderTableAt(int nIndex);

// Prefixes every column name of a sort order that is not qualified yet with
// "C.", so that it names the Components side of the tape join:
// "[Order],T.[Reals4]" gives "C.[Order],T.[Reals4]".
CString QualifyTapeSortOrder(const CString& strSort);

// TRUE when a stored sort order is a plain list of bracketed column names,
// each optionally qualified ("C." or "T.") and followed by ASC or DESC,
// separated by commas. Anything else (a damaged value) is not used.
bool IsValidSortOrder(const CString& strSort);

// Table types whose grid column 12 is the Label ([Major2] and [Minor2] edited
// as one text): 0 to 3, 9 to 15 and 17.
bool HasLabelColumn(int nTableType);

} // namespace kvgrid
