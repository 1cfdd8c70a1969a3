// Resource ids of the component grid window's messages and of the side
// grids' titles and messages.
#pragma once

#define IDS_COMPONENT_EXISTS            381
#define IDS_SUPPLIER_NOT_MATCHED        385
#define IDS_TEXT_TOO_LONG               626
#define IDS_DESCRIPTION_BLANK           627
#define IDS_GRID_NOT_A_NUMBER           9700
#define IDS_DELETE_SELECTED             9701
#define IDS_DELETE_ONE                  9702
#define IDS_DELETE_EDITED               9703
#define IDS_NOZZLE_USED_BY              9704
#define IDS_COMPONENT_USED_BY           9705
#define IDS_ONE_EMITTER_PER_ASSEMBLY    9706
#define IDS_EMITTERS_IN_ASSEMBLY        9707
#define IDS_ASSEMBLY_IN_ITSELF          9708

// The side grids.
#define IDS_SIDE_ASSEMBLY_ITEM_NAME     282
#define IDS_SIDE_MISSING_ITEMS          284
#define IDS_SIDE_ONE_MISSING_ITEM       285
#define IDS_SIDE_NUMBER_LENGTH          560
#define IDS_SIDE_MISSING_NOZZLES        570
#define IDS_SIDE_ONE_MISSING_NOZZLE     571
#define IDS_SIDE_SUPPLIER_CODE          608
#define IDS_SIDE_USAGE                  622
#define IDS_SIDE_WAREHOUSE_CODE         631
#define IDS_SIDE_ITEM_DELETED           9709
#define IDS_SIDE_NOZZLE_DELETED         9710
