// Resource ids of the main view's queries, clipboard and column commands and
// of the copy of components between databases: their messages. Kept to
// preprocessor definitions so that the resource script can include this
// file.
#pragma once

// The Columns menu: one entry per column of the shown table, the command of
// field n being ID_COLUMN_FIRST + n.
#define ID_COLUMN_FIRST                 35000
#define ID_COLUMN_LAST                  35048

// Statements the user runs on the Query tab and the query file.
#define IDS_QUERY_CHANGES_DATABASE      9950
#define IDS_QUERY_NEEDS_NAME            9951
#define IDS_QUERY_FILE_DAMAGED          9952
#define IDS_QUERY_FILE_DAMAGED_AT       9953
#define IDS_QUERY_FILE_UNREADABLE       9954
#define IDS_QUERY_FILE_NOT_WRITTEN      9955
#define IDS_QUERY_DAMAGED_FILE_KEPT     9956
#define IDS_QUERY_REMOVED_SCHEMA        9957
#define IDS_QUERY_TAB_ONLY              9958

// Copy and paste of components between databases.
#define IDS_PASTE_FAILED                9960
#define IDS_PASTING_COMPONENTS          9961

// The paste of text rows into the main grid.
#define IDS_PASTING_ROWS                9962
#define IDS_PASTE_REPLACES              9963
#define IDS_PASTE_REPLACES_AND_ADDS     9964
#define IDS_PASTE_STOPPED               9965
#define IDS_PASTE_ROW_REFUSED           9966
