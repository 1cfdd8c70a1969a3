// Resource ids of the drawing, controls and menu tests' own menu.
#pragma once

#define IDR_DRAWING_TEST_MENU           9400
#define ID_DRAWING_TEST_OPEN            9401
#define ID_DRAWING_TEST_EXIT            9402
#define ID_DRAWING_TEST_HELP            9403
