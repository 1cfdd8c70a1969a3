// Resource ids of what the application tells when its files go wrong:
// palette and line-type files that could not be read.
// Kept to preprocessor definitions so that the resource script can include
// this file.
#pragma once

#define IDS_PALETTE_FILE_DAMAGED        9987
#define IDS_LINETYPE_FILE_DAMAGED       9988
