// The fixed tables of the component grid: the table types (one per tab),
// their titles, filters and default sort orders, the registry names of the
// sort orders, and which table types have a two-part Label column.
//
// Grid columns: column 0 is the row header; grid column c (1 to 36) shows
// column c of "Components"; on the Tape table grid columns 37 to 48 show the
// joined "Tapes" columns.
#pragma once

#include "database/records/ComponentColumns.h"
#include "platform/framework/Framework.h"
#include "grids/core/TableType.h"

namespace kvgrid {

// Grid columns.
enum GridColumn
{
    COL_COMPONENT_KEY = COLUMN_COMPONENT_KEY,
    COL_DATABASE_NUMBER = COLUMN_DATABASE_NUMBER,
    COL_DESCRIPTION = COLUMN_DESCRIPTION,
    COL_WAREHOUSE_CODE = COLUMN_WAREHOUSE_CODE,
    COL_SUPPLIER_CODE = COLUMN_SUPPLIER_CODE,
    COL_USAGE = COLUMN_USAGE,
    COL_MAJOR1 = COLUMN_MAJOR1,
    COL_MINOR1 = COLUMN_MINOR1,
    COL_MAJOR2 = COLUMN_MAJOR2,   // the Label: [Major2] and [Minor2] shown as one text
    COL_MINOR2 = COLUMN_MINOR2,
    COL_REALS1 = COLUMN_REALS1,
    COL_LINETYPE = COLUMN_LINETYPE,
    COL_COLOUR1 = COLUMN_COLOUR1,
    COL_ITEM_TYPE = COLUMN_ITEM_TYPE,
    COL_FLAGS = COLUMN_FLAGS,
    COL_ORDER = COLUMN_ORDER,
    COL_PIPE_KEY = COMPONENT_COLUMN_COUNT + 1, // first column of the joined "Tapes" row
    COL_LAST_TAPE = COMPONENT_COLUMN_COUNT + 12,
};

// The components' columns, and all columns of the Tape table.
const int ComponentColumnCount = COMPONENT_COLUMN_COUNT;
const int MaxGridColumn = COL_LAST_TAPE;

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
