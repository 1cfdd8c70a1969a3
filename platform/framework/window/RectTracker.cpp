#include "platform/framework/window/RectTracker.h"
#include "platform/framework/window/Wnd.h"

#include <windowsx.h>

CRectTracker::CRectTracker()
{
    Construct();
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle)
{
    Construct();
    m_rect.CopyRect(lpSrcRect);
    m_nStyle = nStyle;
}

void CRectTracker::Construct()
{
    m_rect.SetRectEmpty();
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_nHandleSize = 6;
    m_sizeMin = CSize(m_nHandleSize * 2, m_nHandleSize * 2);
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect(lpRect);
    rect.NormalizeRect();
    if (pWndClipTo != nullptr && pWnd != nullptr) {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        int border = (m_nStyle & hatchedBorder) ? m_nHandleSize - 1 : 1;
        if (border < 1)
            border = 1;
        size = CSize(border, border);
    }
    // A pending erase is done by the next draw (DrawDragRect undoes the last
    // frame itself), except for the final one, which only removes it.
    if (m_bFinalErase || !m_bErase)
        pDC->DrawDragRect(rect, size, m_rectLast, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
}

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    if (nHandle == hitMiddle)
        return;
    LONG *px, *py;
    int x, y;
    GetModifyPointers(nHandle, &px, &py, &x, &y);
    // The moved edge may not come closer to the opposite edge than the minimum.
    auto keepMinimum = [this](bool bMovesLow, LONG& low, LONG& high, LONG minimum) {
        if (!m_bAllowInvert && high - low < minimum) {
            if (bMovesLow)
                low = high - minimum;
            else
                high = low + minimum;
        }
    };
    if (px != nullptr)
        keepMinimum(px == &m_rect.left, lpRect->left, lpRect->right, m_sizeMin.cx);
    if (py != nullptr)
        keepMinimum(py == &m_rect.top, lpRect->top, lpRect->bottom, m_sizeMin.cy);
}

void CRectTracker::OnChangedRect(const CRect&)
{
}

void CRectTracker::GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, int* px, int* py)
{
    LONG* xs[] = { &m_rect.left, &m_rect.right, &m_rect.right, &m_rect.left,
                  nullptr, &m_rect.right, nullptr, &m_rect.left, &m_rect.left };
    LONG* ys[] = { &m_rect.top, &m_rect.top, &m_rect.bottom, &m_rect.bottom,
                  &m_rect.top, nullptr, &m_rect.bottom, nullptr, &m_rect.top };
    if (nHandle < hitTopLeft || nHandle > hitMiddle) {
        *ppx = *ppy = nullptr;
        if (px != nullptr) *px = 0;
        if (py != nullptr) *py = 0;
        return;
    }
    *ppx = xs[nHandle];
    *ppy = ys[nHandle];
    if (px != nullptr) *px = *ppx != nullptr ? **ppx : 0;
    if (py != nullptr) *py = *ppy != nullptr ? **ppy : 0;
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    if (pWnd == nullptr || ::GetCapture() != nullptr)
        return FALSE;

    AfxLockTempMaps();
    pWnd->SetCapture();
    pWnd->UpdateWindow();
    if (pWndClipTo != nullptr)
        pWndClipTo->UpdateWindow();

    const CRect rectSave = m_rect;
    const CSize sizeSave(m_rect.Width(), m_rect.Height());
    LONG *px, *py;
    int xStart, yStart;
    GetModifyPointers(nHandle, &px, &py, &xStart, &yStart);
    // Offset of the grab point from the edges it moves, kept while dragging.
    const int xDiff = point.x - xStart;
    const int yDiff = point.y - yStart;

    CWnd* pDrawWnd = pWndClipTo != nullptr ? pWndClipTo : pWnd;
    CDC* pDC = pDrawWnd->GetDCEx(nullptr, DCX_CACHE);

    BOOL bMoved = FALSE;
    BOOL bReleased = FALSE;
    BOOL bCancelled = FALSE;
    MSG msg;
    for (;;) {
        if (::GetMessage(&msg, nullptr, 0, 0) <= 0) {
            if (msg.message == WM_QUIT)
                ::PostQuitMessage((int)msg.wParam);
            bCancelled = TRUE;
            break;
        }
        if (::GetCapture() != pWnd->m_hWnd) {
            bCancelled = TRUE;
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            const CRect rectOld = m_rect;
            if (px != nullptr)
                *px = GET_X_LPARAM(msg.lParam) - xDiff;
            if (py != nullptr)
                *py = GET_Y_LPARAM(msg.lParam) - yDiff;
            if (nHandle == hitMiddle) {
                m_rect.right = m_rect.left + sizeSave.cx;
                m_rect.bottom = m_rect.top + sizeSave.cy;
            }
            AdjustRect(nHandle, &m_rect);
            const BOOL bUp = msg.message == WM_LBUTTONUP;
            if (bUp || !rectOld.EqualRect(&m_rect)) {
                if (bMoved) {
                    m_bErase = TRUE;
                    m_bFinalErase = bUp;
                    DrawTrackerRect(&rectOld, pWndClipTo, pDC, pWnd);
                }
                OnChangedRect(rectOld);
                if (!bUp)
                    bMoved = TRUE;
            }
            if (bUp) {
                bReleased = TRUE;
                break;
            }
            if (!rectOld.EqualRect(&m_rect)) {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, pWndClipTo, pDC, pWnd);
            }
        } else if (msg.message == WM_KEYDOWN) {
            if (msg.wParam == VK_ESCAPE) {
                bCancelled = TRUE;
                break;
            }
        } else if (msg.message == WM_RBUTTONDOWN) {
            bCancelled = TRUE;
            break;
        } else {
            ::DispatchMessage(&msg);
        }
    }

    if (bCancelled) {
        if (bMoved) {
            m_bErase = m_bFinalErase = TRUE;
            DrawTrackerRect(&m_rect, pWndClipTo, pDC, pWnd);
        }
        m_rect = rectSave;
    }
    pDrawWnd->ReleaseDC(pDC);
    if (::GetCapture() == pWnd->m_hWnd)
        ::ReleaseCapture();
    AfxUnlockTempMaps(FALSE);
    m_bErase = m_bFinalErase = FALSE;
    return bReleased && !rectSave.EqualRect(&m_rect);
}
