#pragma once
#define IDR_MENUTEST_TOOLBAR  7400
#define IDR_MENUTEST_MENU     7401
