#pragma once
#define IDR_WB_MAIN   7300
#define IDR_WB_SHEET  7301
#define IDR_WB_PLAIN  7302
#define IDR_WB_MENU_A 7303
#define IDR_WB_MENU_B 7304
#define IDR_DF_FRAME  7305
