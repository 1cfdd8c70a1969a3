// Per-thread state of the window classes: handle maps, the message being
// handled, the window being created, tool tips. Internal to the framework's
// window, application and dialog code.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include <unordered_map>

class CWnd;
struct AFX_CMDHANDLERINFO;

namespace kvwnd {

struct ThreadState
{
    int nTempMapLock = 0;

    MSG msgCur = {};               // message being handled by AfxCallWndProc
    CWnd* pWndInit = nullptr;      // window being created (AfxHookWindowCreate)
    HHOOK hHookCbt = nullptr;
    HWND hLockoutNotifyWindow = nullptr; // UpdateData in progress: no control notifications

    // Tool tips
    HWND hToolTip = nullptr;
    HWND hToolOwner = nullptr;     // the window whose tool is current
    HWND hToolWnd = nullptr;       // TOOLINFO.hwnd of the current tool
    UINT_PTR uToolId = 0;
    INT_PTR nLastHit = -1;
};

// The calling thread's state (made on first use, kept for the thread's life
// so that objects destroyed late still find it).
ThreadState& State();

// The rest of a dialog's or property sheet's command route: commands (not
// control notifications) go on to the window pWnd belongs to (its owner, or
// for a page its sheet), then to the application object.
BOOL RouteCommandToOwner(CWnd* pWnd, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

} // namespace kvwnd
