// Test-only resources and commands of the toolbar tests.
#pragma once

#define IDR_TEST_BAR_IMAGES     31900  // 16 x 16: ID_TEST_A..D (red, blue, green, yellow)

// Commands of the test frame.
#define ID_TEST_A               31901  // handled, enabled
#define ID_TEST_B               31902  // handled, disabled by its update handler
#define ID_TEST_C               31903  // no handler at all
#define ID_TEST_D               31904  // handled, checked by its update handler
#define ID_TEST_BOX             31905  // a combo box button (control id 31906)
#define IDC_TEST_BOX            31906

// Toolbar ids of the test frame's default toolbars.
#define IDW_TEST_BAR1           59397
#define IDW_TEST_BAR2           59398
#define IDW_TEST_BAR3           59399
