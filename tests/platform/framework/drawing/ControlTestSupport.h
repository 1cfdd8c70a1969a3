// A framework window to host controls in the control and dialog tests; it
// records the notifications it receives.
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
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"

#include <functional>
#include <string>
#include <vector>

namespace kvctl {

const UINT ID_CHECKLIST = 301;

class CHostWnd : public CWnd
{
public:
    std::vector<std::string> log;
    int paints = 0;
    CRect paintClip;

    BOOL CreateHost()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                        0, 0, 400, 300, nullptr, nullptr);
    }

    afx_msg void OnCheckChange() { log.push_back("chkchange"); }
    afx_msg LRESULT OnFindReplace(WPARAM, LPARAM lParam);
    afx_msg void OnPaint();

    // What the find dialog reported, one entry per message.
    struct FindReport
    {
        CFindReplaceDialog* pDialog;
        CString text;
        bool findNext, down, matchCase, terminating;
    };
    std::vector<FindReport> finds;

    DECLARE_MESSAGE_MAP()
};

// Calls step once from a timer tick of whatever message loop runs next
// (a modal dialog's, say); gives up after a few seconds.
void RunSoon(std::function<void()> step);

} // namespace kvctl
