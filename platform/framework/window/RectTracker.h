// The rectangle tracker: a window's modal loop that drags a rectangle, or
// one of its edges or corners, drawing its frame into the window's DC.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/window/Gdi.h"

class CWnd;

/////////////////////////////////////////////////////////////////////////////
// Rectangle tracker: drags a rectangle, or one of its edges or corners, with
// the mouse in a modal loop, drawing an inverted frame as it goes. Derived
// trackers change the feedback (DrawTrackerRect) and the limits (AdjustRect).

class CRectTracker
{
public:
    enum StyleFlags
    {
        solidLine = 1, dottedLine = 2, hatchedBorder = 4,
        resizeInside = 8, resizeOutside = 16, hatchInside = 32,
    };
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0, hitTopRight = 1, hitBottomRight = 2, hitBottomLeft = 3,
        hitTop = 4, hitRight = 5, hitBottom = 6, hitLeft = 7, hitMiddle = 8,
    };

    UINT m_nStyle = 0;
    CRect m_rect;
    CSize m_sizeMin;        // smallest size AdjustRect lets a resize reach
    int m_nHandleSize = 0;  // width of the resize handles, in pixels

    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() = default;

    // Draws (or, during m_bErase, erases) the drag frame for lpRect, given in
    // pWnd's client coordinates, into pDC, which belongs to pWndClipTo when
    // that is given and to pWnd otherwise.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // Keeps a resized rectangle at least m_sizeMin; stops it turning inside
    // out unless m_bAllowInvert.
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    // Called after each change of m_rect during tracking, with the old one.
    virtual void OnChangedRect(const CRect& rectOld);

    // Runs the loop for one handle from point (pWnd's client coordinates) on,
    // with pWnd holding the capture. Returns TRUE when the left button was
    // released on a changed rectangle; FALSE when cancelled (Escape, right
    // button, capture lost; m_rect is restored), unchanged, or when another
    // window already holds the capture.
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

protected:
    BOOL m_bAllowInvert = FALSE;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase = FALSE;      // the next DrawTrackerRect erases
    BOOL m_bFinalErase = FALSE; // ... and it is the last one

    // The coordinates of m_rect that handle nHandle moves (null when it moves
    // none in that direction), and their current values in *px, *py.
    void GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, int* px, int* py);

private:
    void Construct();
};
