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

// Where the records announce a store that created a component. Without a
// sink the notice above is sent; the program (or a test) that wants the
// announcement elsewhere gives a sink of its own (not owned; null puts the
// notice back).
class CDatabaseChangeSink
{
public:
    virtual ~CDatabaseChangeSink() = default;
    virtual void DatabaseChanged() = 0;
};
void SetDatabaseChangeSink(CDatabaseChangeSink* pSink);
// Announces the change: to the sink when there is one, else by the notice.
void AnnounceDatabaseChange();
