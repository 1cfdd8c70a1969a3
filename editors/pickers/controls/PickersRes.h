// Resource ids of the pickers.
#pragma once

#define IDD_LINESTYLE_POPUP     212     // the line-style popup under a grid cell
#define IDC_LINESTYLE_LIST      1357    // its list of line types

#define IDS_PIPE_TYPE_ADDED     287     // a default pipe type was added (%s: the type)
#define IDS_SUPPLIER_ADDED      288     // a default supplier was added (%s: the code)
#define IDS_PICKER_NOT_ADDED    1290    // a row could not be added (%s: its text)
