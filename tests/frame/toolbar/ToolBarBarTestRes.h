// Test-only resources and commands of the common-control toolbar's tests.
#pragma once

#define IDR_TEST_CCBAR          31950  // 16 x 16 images of ID_TEST_CC_A and ID_TEST_CC_B, a separator between
#define ID_TEST_CC_A            31951  // handled, checked by its update handler
#define ID_TEST_CC_B            31952  // handled, disabled by its update handler
#define ID_TEST_CC_C            31953  // no handler
#define IDW_TEST_CCBAR          59500
