// Resource ids of the ODBC engine: why a database is open read-only, and
// what a refused write means.
#pragma once

#define IDS_ODBC_ACCESS_READ_ONLY       9840
#define IDS_ODBC_DRIVER_READ_ONLY       9841
#define IDS_ODBC_FILE_MARKED_READ_ONLY  9842
#define IDS_ODBC_FILE_NOT_WRITABLE      9843
#define IDS_ODBC_FILE_HELD              9844
#define IDS_ODBC_DATABASE_LOCKED        9845
#define IDS_ODBC_DISK_FULL              9846
#define IDS_ODBC_WRITE_REFUSED          9847
#define IDS_ODBC_FILE_GONE              9848
