// Resource ids of the pickers.
#pragma once

#define IDD_LINESTYLE_POPUP     212     // the line-style popup under a grid cell
#define IDC_LINESTYLE_LIST      1357    // its list of line types
