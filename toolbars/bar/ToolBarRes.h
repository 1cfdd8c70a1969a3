// Resource ids of the customisable toolbars.
#pragma once

#define IDS_OZW_MENU_BAR        20619   // "Menu bar"
#define IDS_OZW_USER_TOOLBAR    20674   // "ToolBar%d": a new user toolbar's title
#define IDC_OZW_DRAG_COPY       20691   // the cursor of a button being copied
