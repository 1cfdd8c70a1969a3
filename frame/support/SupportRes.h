// Resource ids of the toolkit's support classes. Kept free of C++ so that the
// resource script can include it.
#pragma once

// The horizontal-size cursor, shared by the toolkit: shown over a list
// header's column divider and over the resizable edge of a toolbar window
// button.
#define IDC_OZW_SIZE_WE 20692
