// Ids of the support classes' test resources.
#pragma once
#define IDI_SUPPORT_TEST 31001
