// The columns of "Components", numbered from 1 in table order. The grids
// show column c of the table in their column c, the view reports text widths
// by these numbers, and the editors ask for them by these names.
#pragma once

enum ComponentColumn
{
    COLUMN_COMPONENT_KEY = 1,
    COLUMN_OLD_ID1 = 2,
    COLUMN_OLD_ID2 = 3,
    COLUMN_OLD_ID3 = 4,
    COLUMN_DATABASE_NUMBER = 5,
    COLUMN_DESCRIPTION = 6,
    COLUMN_WAREHOUSE_CODE = 7,
    COLUMN_SUPPLIER_CODE = 8,
    COLUMN_USAGE = 9,
    COLUMN_MAJOR1 = 10,
    COLUMN_MINOR1 = 11,
    COLUMN_MAJOR2 = 12,
    COLUMN_MINOR2 = 13,
    COLUMN_REALS1 = 14,         // [Reals1] to [Reals8] are 14 to 21
    COLUMN_REALS7 = 20,         // wholesale cost
    COLUMN_REALS8 = 21,         // retail price
    COLUMN_REXTRA1 = 22,        // [Rextra1] to [Rextra4] are 22 to 25
    COLUMN_DOCUMENT_INDEX = 26,
    COLUMN_LINETYPE = 27,
    COLUMN_SYMBOL = 28,
    COLUMN_SYMBOL_SIZE = 29,
    COLUMN_SYMBOL_FILE = 30,
    COLUMN_COLOUR1 = 31,
    COLUMN_COLOUR2 = 32,
    COLUMN_DEFAULT_NOZZLE = 33,
    COLUMN_ITEM_TYPE = 34,
    COLUMN_FLAGS = 35,
    COLUMN_ORDER = 36,

    COMPONENT_COLUMN_COUNT = 36,
};
