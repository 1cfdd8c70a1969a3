#include "tests/support/WindowPoints.h"

namespace kvtest {

CRect ScreenRect(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

CRect ChildRect(HWND hWnd)
{
    CRect rect = ScreenRect(hWnd);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), (LPPOINT)&rect, 2);
    return rect;
}

CRect WorkAreaOf(HWND hWnd)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    return CRect(mi.rcWork);
}

bool LiesAbove(HWND hWnd, HWND hOther)
{
    for (HWND h = ::GetWindow(hWnd, GW_HWNDNEXT); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        if (h == hOther)
            return true;
    return false;
}

CPoint ScreenPoint(CWnd* pWnd, int x, int y)
{
    CPoint pt(x, y);
    ::ClientToScreen(pWnd->m_hWnd, &pt);
    return pt;
}

void PostMouse(CWnd* pWnd, UINT nMsg, CPoint ptScreen, UINT nFlags)
{
    if (nFlags == kLeftButtonUnlessReleased)
        nFlags = nMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    CPoint pt = ptScreen;
    ::ScreenToClient(pWnd->m_hWnd, &pt);
    ::PostMessageA(pWnd->m_hWnd, nMsg, nFlags, MAKELPARAM(pt.x, pt.y));
}

} // namespace kvtest
