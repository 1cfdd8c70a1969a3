// Helpers shared by the window, dialog and application tests.
#pragma once

#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/RectTracker.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "tests/platform/framework/window/WindowTestRes.h"
#include "tests/support/TimerScript.h"

#include <functional>
#include <string>
#include <vector>

namespace wndtest {

using kvtest::TimerScript;

// The application object of one test. Message boxes are recorded instead of
// shown, so a test can check what the user would have been told.
class TestApp : public CWinApp
{
public:
    TestApp() : CWinApp("Window Tests") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        messages.push_back(lpszPrompt ? lpszPrompt : "");
        return IDOK;
    }
    std::vector<std::string> messages;
};

// Dispatches every message waiting in the thread's queue (through the
// application's pre-translation when there is an application object).
void PumpPending();

// Text of a dialog item.
std::string ItemText(CWnd* pDlg, int nID);

} // namespace wndtest
