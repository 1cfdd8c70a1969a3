// Ids of the test editors' templates.
#pragma once

#define IDD_TEST_EDITOR          31700   // the fields every component has
#define IDD_TEST_LINE_EDITOR     31701   // ... and a line component's
#define IDD_TEST_SYMBOL_EDITOR   31702   // ... and a symbol component's
#define IDD_TEST_NO_TEMPLATE     31799   // no such template
