// The change notice that tells the irrigation-design program a component
// database has changed: the registered window message "Quorvex database
// changed", sent with both parameters 0 to every descendant window of the
// design program's main window (top-level, window class "Quorvex").
#pragma once

#include <windows.h>

// The registered message number. It is registered once, while the program's
// global objects are initialised, and kept for the life of the process.
UINT GetDatabaseChangedMessage();

// Sends the notice synchronously: to each child of the "Quorvex" window in the
// system's order of child windows, a window before its own children, through
// all levels; the top window itself does not receive it. Returns the number
// of windows it was sent to; 0 (and nothing sent) when the design program is
// not running.
int SendDatabaseChangedNotice();
