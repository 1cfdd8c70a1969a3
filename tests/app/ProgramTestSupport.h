// What the tests of the whole program share: its settings and profile file
// cleared, its start-up run with a command line, and its end as the
// framework brings it about.
#pragma once

#include "app/KelvaronApp.h"

#include <string>

namespace programtest {

// Dispatches the thread's waiting messages, leaving out the end-of-loop
// message that a closed main window leaves behind.
void Pump();

// Removes the program's stored settings (the sections it writes and its
// option word).
void ClearSettings();

// The profile file the program writes while the tests run.
std::string ProfilePath();

// Runs the application's start-up with the command line (which must live as
// long as the application); then its messages. TRUE when it started.
BOOL Start(CKelvaronApp& app, std::string& commandLine);

// Closes the main window (and the databases with it) and ends the
// application as the framework does.
void Stop(CKelvaronApp& app);

} // namespace programtest
