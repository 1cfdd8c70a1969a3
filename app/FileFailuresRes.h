// Resource ids of what the application tells when its files go wrong: a
// backup that cannot be made, a database file deleted or replaced while
// open, why a copy failed, a database that lacks what the program needs, a
// copy not saved, palette and line-type files that could not be read.
// Kept to preprocessor definitions so that the resource script can include
// this file.
#pragma once

#define IDS_BACKUP_READ_ONLY            9970
#define IDS_STALE_BACKUP_NOT_SAVED      9971
#define IDS_KEEP_DATABASE_GONE          9972
#define IDS_RESTORE_DATABASE_GONE       9973
#define IDS_KEEP_DATABASE_REPLACED      9974
#define IDS_RESTORE_DATABASE_REPLACED   9975
#define IDS_RESTORE_FAILED_CAUSE        9976
#define IDS_FILE_ERROR_DISK_FULL        9977
#define IDS_FILE_ERROR_NOT_WRITABLE     9978
#define IDS_FILE_ERROR_HELD             9979
#define IDS_FILE_ERROR_MISSING          9980
#define IDS_FILE_ERROR_CODE             9981
#define IDS_DATABASE_LACKS_SCHEMA       9982
#define IDS_SCHEMA_MISSING_TABLE        9983
#define IDS_SCHEMA_MISSING_COLUMN       9984
#define IDS_SCHEMA_MISSING_MORE         9985
#define IDS_SAVE_COPY_INCOMPLETE        9986
#define IDS_PALETTE_FILE_DAMAGED        9987
#define IDS_LINETYPE_FILE_DAMAGED       9988
