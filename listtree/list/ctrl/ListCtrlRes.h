// Resource ids of the list control. Kept free of C++ so that the resource
// script can include it.
#pragma once

// The cursor over a column divider of the header.
#define IDC_OZWLIST_DIVIDER 20692
