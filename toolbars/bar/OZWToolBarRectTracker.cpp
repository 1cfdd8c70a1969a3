#include "toolbars/bar/OZWToolBarRectTracker.h"

#include <algorithm>

void OZWToolBarRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect(lpRect);
    rect.NormalizeRect();
    if (pWndClipTo != nullptr && pWnd != nullptr) {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        const int border = std::max(1, m_nHandleSize - 1);
        size = CSize(border, border);
    }
    if (m_bFinalErase || !m_bErase)
        pDC->DrawDragRect(rect, size, m_rectLast, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
}

BOOL OZWToolBarRectTracker::Track(CPoint point, CWnd* pWnd)
{
    m_bAllowInvert = FALSE;
    return TrackHandle(hitMiddle, pWnd, point, CWnd::GetDesktopWindow());
}

BOOL OZWToolBarRectTracker::TrackLoop(CWnd* pWnd, CPoint point)
{
    m_bAllowInvert = FALSE;
    return TrackHandle(hitRight, pWnd, point, CWnd::GetDesktopWindow());
}
