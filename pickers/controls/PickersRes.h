// Resource ids of the pickers.
#pragma once

#define IDD_LINESTYLE_POPUP     212     // the line-style popup under a grid cell
#define IDC_LINESTYLE_LIST      1357    // its list of line types

#define IDD_NUMLEN              217     // "Add To Assembly": the number or length of an item
#define IDC_NUMLEN_MESSAGE      1343    // its three lines of text
#define IDC_NUMLEN_UNIT         1350    // the unit of a length
#define IDC_NUMLEN_VALUE        1379    // the number or length typed

#define IDS_PIPE_TYPE_ADDED     287     // a default pipe type was added (%s: the type)
#define IDS_SUPPLIER_ADDED      288     // a default supplier was added (%s: the code)
#define IDS_PICKER_NOT_ADDED    1290    // a row could not be added (%s: its text)
#define IDS_NUMLEN_LENGTH_OF    465     // the number/length dialog's first line, for a length
#define IDS_NUMLEN_NUMBER_OF    466     // ... for a number
#define IDS_NUMLEN_TO_ADD       615     // its last line
