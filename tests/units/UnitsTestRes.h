// Resource ids of the units tests' own dialog.
#pragma once

#define IDD_UNITS_EXCHANGE_TEST         31200
#define IDC_UNITS_TEST_VALUE            31201
#define IDC_UNITS_TEST_TEXT             31202
