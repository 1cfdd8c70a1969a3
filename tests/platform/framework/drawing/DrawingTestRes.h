// Resource ids of the drawing, controls and menu tests' own menu.
#pragma once

#define IDR_DRAWING_TEST_MENU           31300
#define ID_DRAWING_TEST_OPEN            31301
#define ID_DRAWING_TEST_EXIT            31302
#define ID_DRAWING_TEST_HELP            31303
