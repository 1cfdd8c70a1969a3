// Resource ids of the database merge and field clean: what the merge writes
// in its report and tells the user.
#pragma once

#define IDS_MERGE_WAREHOUSE_CODE_TOO_LONG 253
#define IDS_MERGE_ADDED                 273
#define IDS_MERGE_MATCHED               511
#define IDS_MERGE_TAPE_FAILED           514
#define IDS_MERGE_NOZZLES_FAILED        515
#define IDS_MERGE_ASSEMBLY_FAILED       516
#define IDS_MERGE_ASSEMBLY_ITEM_MISSING 517
#define IDS_MERGE_ASSEMBLY_CIRCULAR     518
#define IDS_MERGE_PIPE_CONFLICT         519
#define IDS_MERGE_SUPPLIER_CONFLICT     520
#define IDS_MERGE_REPORT_FILE           521
#define IDS_MERGE_NOT_COMPONENT_DATABASE 9800
#define IDS_MERGE_TARGET_READ_ONLY      9801
#define IDS_MERGE_FAILED                9802
#define IDS_MERGE_COMPONENT_FAILED      9803
#define IDS_MERGE_ROW_FAILED            9820
#define IDS_MERGE_SECTION_FAILED        9821
#define IDS_MERGE_STOPPED_AT            9822
#define IDS_MERGE_PART_FAILED           9823
#define IDS_MERGE_MORE_FAILURES         9824
#define IDS_MERGE_STOPPED_BY_USER       9825
