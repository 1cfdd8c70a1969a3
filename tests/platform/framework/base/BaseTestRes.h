// Resource ids of the framework base tests' own strings.
#pragma once

#define IDS_TEST_NON_ASCII              31100
