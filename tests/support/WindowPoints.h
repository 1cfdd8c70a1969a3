// Where windows are, for the window tests: rectangles on the screen and in
// the parent's client area, points of a client area on the screen, mouse
// messages posted for points on the screen, and rectangles, sizes and
// points written out in failure messages.
#pragma once
#include "platform/framework/Framework.h"

#include <ostream>

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os)
{
    *os << s.cx << "x" << s.cy;
}
inline void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}

namespace kvtest {

// A window's rectangle on the screen, and in its parent's client area.
CRect ScreenRect(HWND hWnd);
CRect ChildRect(HWND hWnd);
inline CRect ScreenRect(const CWnd* pWnd)
{
    return ScreenRect(pWnd->m_hWnd);
}
inline CRect ChildRect(const CWnd* pWnd)
{
    return ChildRect(pWnd->m_hWnd);
}

// The work area of the screen nearest to the window.
CRect WorkAreaOf(HWND hWnd);
// rectInner lies wholly in rectOuter.
inline bool LiesWithin(const CRect& rectInner, const CRect& rectOuter)
{
    return rectInner.left >= rectOuter.left && rectInner.top >= rectOuter.top && rectInner.right <= rectOuter.right &&
           rectInner.bottom <= rectOuter.bottom;
}

// hWnd lies above hOther among the top-level windows (hOther comes after it
// in the z-order).
bool LiesAbove(HWND hWnd, HWND hOther);

// The point (x, y) of a window's client area, on the screen.
CPoint ScreenPoint(CWnd* pWnd, int x, int y);

// Posts a mouse message to pWnd for a point on the screen. The key state is
// nFlags; by default the left button held, and nothing held for its release.
inline constexpr UINT kLeftButtonUnlessReleased = (UINT)-1;
void PostMouse(CWnd* pWnd, UINT nMsg, CPoint ptScreen, UINT nFlags = kLeftButtonUnlessReleased);

} // namespace kvtest
