#include "tests/support/HostWindow.h"

namespace kvtest {

BOOL CHostWnd::CreateHost(int x, int y, int cx, int cy)
{
    return CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, cx, cy,
                    nullptr, nullptr);
}

std::vector<CHostWnd::Notice> CHostWnd::Received(UINT message) const
{
    std::vector<Notice> result;
    for (const Notice& n : notices)
        if (n.message == message)
            result.push_back(n);
    return result;
}

LRESULT CHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || (message >= WM_USER && message < 0xC000) ||
        (nRegisteredMessage != 0 && message == nRegisteredMessage)) {
        notices.push_back({ message, wParam, lParam });
        if (message != WM_COMMAND)
            return 0;
    }
    if (message == WM_LBUTTONDOWN)
        clicksSeen++;
    return CWnd::WindowProc(message, wParam, lParam);
}

} // namespace kvtest
