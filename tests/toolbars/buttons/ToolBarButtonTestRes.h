// Test-only resources of the toolbar button tests.
#pragma once

#define IDR_TEST_TOOLBAR        31800  // 16 x 15: 57600, separator, 57601 (red, blue)
#define IDR_TEST_TOOLBAR_B      31801  // 16 x 15: 57600 again, 57602 (green, yellow)
#define IDR_TEST_TOOLBAR_LARGE  31802  // 32 x 32 images of 31800's commands (dark green, teal)
#define IDR_TEST_NO_BITMAP      31803  // a toolbar resource without its bitmap
