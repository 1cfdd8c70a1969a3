// Resource ids of the component grid window's messages.
#pragma once

#define IDS_COMPONENT_EXISTS            381
#define IDS_SUPPLIER_NOT_MATCHED        385
#define IDS_TEXT_TOO_LONG               626
#define IDS_DESCRIPTION_BLANK           627
#define IDS_GRID_NOT_A_NUMBER           9700
