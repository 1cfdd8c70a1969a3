// What the merge and the field clean need of the program that runs them. The
// engine shows no window of its own: it reports progress and hands every
// message for the user to these two, which the merge and clean dialogs
// implement and give the databases they open (DBDatabase::SetSinks). A
// database without them shows nothing and steps nothing.
#pragma once

#include "platform/framework/Framework.h"

class DBProgressSink
{
public:
    virtual ~DBProgressSink() = default;
    // One step: the merge steps once per source pipe type, supplier and
    // component, the clean once per Components row.
    virtual void StepProgress() = 0;
};

class DBMessageSink
{
public:
    virtual ~DBMessageSink() = default;
    // A message for the user, with the buttons and icon of nType (MB_...);
    // returns the button chosen.
    virtual int ShowMessage(LPCSTR lpszText, UINT nType) = 0;
    // A failure, told the user by its exception (which stays the caller's).
    virtual void ShowError(CException* e) = 0;
};
