// The rectangle tracker of the toolbars: drags a button's rectangle across
// the whole screen (drawn on the desktop), or drags only its right edge (a
// window button made wider or narrower), in a modal loop. Escape or the
// right button cancels.
#pragma once

#include "platform/framework/Framework.h"

class OZWToolBarRectTracker : public CRectTracker
{
public:
    explicit OZWToolBarRectTracker(LPCRECT lpRect) : CRectTracker(lpRect, hatchedBorder) {}

    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;
    // Moves the rectangle (pWnd's client coordinates) with the mouse from
    // point; TRUE when it was released somewhere else.
    BOOL Track(CPoint point, CWnd* pWnd);
    // Moves only the right edge; TRUE when it was released at another width.
    BOOL TrackLoop(CWnd* pWnd, CPoint point);
};
