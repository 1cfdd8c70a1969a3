#pragma once
#define IDR_MENUBAR_MAIN  7460
#define IDR_MENUBAR_DOC   7461
