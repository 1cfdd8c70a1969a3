// Resource ids of the shortcut list. Kept free of C++ so that the resource
// script can include it.
#pragma once

#define IDR_OZWSHORTCUTLIST_MENU 20620
#define ID_OZWSHORTCUT_LARGEICON 43054
#define ID_OZWSHORTCUT_SMALLICON 43055
