// Resource ids of the toolkit's menus.
#pragma once

// The check mark of checked bitmap-menu items without an image of their own.
#define IDB_OZW_MENU_CHECK      20525
