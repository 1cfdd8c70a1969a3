// Resource ids of the application: the main frame, the commands, and the
// merge and clean dialogs with their texts.
#pragma once

#define IDR_MAINFRAME                   128
#define IDD_MERGE_DATABASES             214
#define IDD_CLEAN_DATABASE              202
#define IDC_MERGE_SOURCE_PATH           1440
#define IDC_MERGE_SOURCE_BROWSE         1441
#define IDC_MERGE_TARGET_PATH           1303
#define IDC_MERGE_TARGET_BROWSE         1309
#define IDC_DB_PROGRESS                 1417
#define IDC_CLEAN_PATH                  1312
#define IDC_CLEAN_BROWSE                1020
#define IDC_CLEAN_PROGRESS_GROUP        1508
#define ID_FILE_MERGE                   32793
#define ID_TOOLS_CLEAN_FIELDS           32808
#define IDS_MERGE_CLOSE                 376
#define IDS_MERGE_BUTTON                512
#define IDS_MERGE_COMPLETE              513
#define IDS_CLEAN_BACKUP_FAILED         553
#define IDS_CLEAN_PROGRESS              635
#define IDS_CLEAN_CLEANING              636
#define IDS_CLEAN_DONE                  637
#define IDS_MERGE_NOT_RUN               9804
#define IDS_MERGE_STOPPED_REPORT        9805
#define IDS_MERGE_REFUSED_REPORT        9806
#define IDS_MERGE_COMPLETE_NO_REPORT    9807
#define IDS_MERGE_STOPPED_NO_REPORT     9808
#define IDS_DB_FILE_FILTER              9809
