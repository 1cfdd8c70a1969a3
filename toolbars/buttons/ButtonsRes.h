// Resource ids of the owner-drawn buttons and colour wells.
#pragma once

#define IDS_OZW_OTHER_COLOR     23100   // "&Other..." button of a colour well
#define IDB_OZW_ARROW_DOWN      23000   // menu button arrow, menu below
#define IDB_OZW_ARROW_RIGHT     23001   // menu button arrow, menu to the right

// The "Other..." button inside a colour well.
#define IDC_OZW_OTHER_BUTTON    59953
