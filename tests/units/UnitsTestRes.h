// Resource ids of the units tests' own dialog.
#pragma once

#define IDD_UNITS_EXCHANGE_TEST         9300
#define IDC_UNITS_TEST_VALUE            9301
#define IDC_UNITS_TEST_TEXT             9302
