// CDockContext: dragging a control bar to another side or out into a floating
// frame, resizing a floating bar, and toggling it between docked and
// floating.
#include "platform/framework/Framework.h"
#include "platform/framework/docking/BarDockingSupport.h"

#include <algorithm>
#include <windowsx.h>

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->GetDockingFrame())
{
}

CDockContext::~CDockContext()
{
    if (m_pBar != nullptr && m_pBar->m_pDockBar != nullptr && !m_pBar->IsDockBar()) {
        CDockBar* pDockBar = m_pBar->m_pDockBar;
        m_pBar->m_pDockBar = nullptr;
        pDockBar->RemoveControlBar(m_pBar);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Rectangles

void CDockContext::AdjustFrameRect(CRect& rect) const
{
    // The floating frame around a bar: small caption, sizing edges.
    CMiniFrameWnd::CalcBorders(&rect, WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW);
}

void CDockContext::EnsurePointInRect(CRect& rect, CPoint pt, int nInside)
{
    if (pt.x < rect.left)
        rect.OffsetRect(pt.x - rect.left, 0);
    else if (pt.x >= rect.right)
        rect.OffsetRect(pt.x - rect.right + nInside, 0);
    if (pt.y < rect.top)
        rect.OffsetRect(0, pt.y - rect.top);
    else if (pt.y >= rect.bottom)
        rect.OffsetRect(0, pt.y - rect.bottom + nInside);
}

void CDockContext::RememberDockPlace(CDockBar* pDockBar, const CRect& rect)
{
    const UINT nID = (UINT)pDockBar->GetDlgCtrlID();
    if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM) {
        m_uMRUDockID = nID;
        m_rectMRUDockPos = rect;
        pDockBar->ScreenToClient(&m_rectMRUDockPos);
    }
}

/////////////////////////////////////////////////////////////////////////////
// The loop

void CDockContext::InitLoop()
{
    m_pDockSite = m_pBar->GetDockingFrame();
    m_dwStyle = m_pBar->m_dwStyle;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_bFlip = FALSE;
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    m_bDitherLast = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);

    // The outline is drawn over everything on the screen.
    HWND hDesktop = ::GetDesktopWindow();
    ::LockWindowUpdate(hDesktop);
    m_pDC = new CDC;
    m_pDC->Attach(::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE));
    m_bLoop = TRUE;
}

void CDockContext::CancelLoop()
{
    if (m_bLoop)
        DrawFocusRect(TRUE);
    m_bLoop = FALSE;
    if (m_pBar->m_hWnd != nullptr && ::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    HWND hDesktop = ::GetDesktopWindow();
    ::LockWindowUpdate(nullptr);
    if (m_pDC != nullptr) {
        HDC hDC = m_pDC->Detach();
        if (hDC != nullptr)
            ::ReleaseDC(hDesktop, hDC);
        delete m_pDC;
        m_pDC = nullptr;
    }
}

BOOL CDockContext::Track()
{
    // Another window holding the mouse (a menu, a drag of its own) wins.
    if (::GetCapture() != nullptr || m_pBar->m_hWnd == nullptr) {
        CancelLoop();
        m_bDragging = FALSE;
        return FALSE;
    }
    m_pBar->SetCapture();
    MSG msg;
    while (::GetCapture() == m_pBar->m_hWnd) {
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            // The program ends: the quit goes on to the main loop.
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE: {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (m_bDragging)
                Move(pt);
            else
                Stretch(pt);
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                CancelLoop();
                m_bDragging = FALSE;
                return FALSE;
            }
            if (m_bDragging)
                OnKey((int)msg.wParam, TRUE);
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey((int)msg.wParam, FALSE);
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            m_bDragging = FALSE;
            return FALSE;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    // The capture went elsewhere: nothing changes.
    CancelLoop();
    m_bDragging = FALSE;
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Dragging

void CDockContext::StartDrag(CPoint pt)
{
    m_bDragging = TRUE;
    InitLoop();
    m_ptStart = pt;
    m_ptLast = pt;

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    InitDragRects(rect, pt);
    AdjustFrameRect(m_rectFrameDragHorz);
    AdjustFrameRect(m_rectFrameDragVert);
    for (CRect* pRect : { &m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert })
        EnsurePointInRect(*pRect, pt);

    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
    Track();
}

void CDockContext::InitDragRects(const CRect& rect, CPoint pt)
{
    if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
        // The bar arranges itself anew for each place.
        const CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        const CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        const CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeFloat);
        m_rectFrameDragVert = m_rectFrameDragHorz;
    } else if (m_dwStyle & CBRS_SIZE_FIXED) {
        const CSize sizeHorz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        const CSize sizeVert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
        m_rectDragHorz = m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = m_rectFrameDragVert = CRect(rect.TopLeft(), sizeVert);
    } else {
        // The bar keeps its rectangle in its own arrangement and takes the
        // other one's size across the cursor.
        const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
        const CSize sizeOther = CalcOtherArrangement(bHorz);
        if (bHorz) {
            m_rectDragHorz = rect;
            m_rectDragVert = CRect(CPoint(pt.x - sizeOther.cx / 2, rect.top), sizeOther);
        } else {
            m_rectDragVert = rect;
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - sizeOther.cy / 2), sizeOther);
        }
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
}

CSize CDockContext::CalcOtherArrangement(BOOL bHorz)
{
    return m_pBar->CalcFixedLayout(FALSE, !bHorz);
}

BOOL CDockContext::IsDragHorz() const
{
    return ((m_dwStyle & CBRS_ORIENT_HORZ) != 0) != (m_bFlip != 0);
}

BOOL CDockContext::IsFloatHorz() const
{
    return (m_dwStyle & CBRS_SIZE_DYNAMIC) || IsDragHorz();
}

CSize CDockContext::FloatOutlineSize()
{
    return CSize(std::max(1, ::GetSystemMetrics(SM_CXFRAME) - 1), std::max(1, ::GetSystemMetrics(SM_CYFRAME) - 1));
}

void CDockContext::DrawOutline(const CRect& rect, CSize size, BOOL bDither, CBrush* pBrush, CBrush* pBrushLast)
{
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, pBrush, pBrushLast);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = bDither;
}

CDockBar* CDockContext::DockOnDrop()
{
    CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
    if (pDockBar == nullptr)
        return nullptr;
    const CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
    RememberDockPlace(pDockBar, rect);
    DockAt(pDockBar, rect);
    return pDockBar;
}

void CDockContext::FloatOnDrop()
{
    const BOOL bHorz = IsFloatHorz();
    m_dwMRUFloatStyle = (bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = bHorz ? m_rectFrameDragHorz.TopLeft() : m_rectFrameDragVert.TopLeft();
    FloatAt(m_ptMRUFloatPos, m_dwMRUFloatStyle);
    m_pDockSite->RecalcLayout();
}

void CDockContext::DockAt(CDockBar* pDockBar, const CRect& rect)
{
    m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
}

void CDockContext::ReDockAt(CDockBar* pDockBar, LPCRECT lpRect)
{
    m_pDockSite->ReDockControlBar(m_pBar, pDockBar, lpRect);
}

void CDockContext::FloatAt(CPoint pt, DWORD dwStyle)
{
    m_pDockSite->FloatControlBar(m_pBar, pt, dwStyle);
}

void CDockContext::Move(CPoint pt)
{
    const CPoint ptOffset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(ptOffset);
    m_rectDragVert.OffsetRect(ptOffset);
    m_rectFrameDragHorz.OffsetRect(ptOffset);
    m_rectFrameDragVert.OffsetRect(ptOffset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    BOOL* pFlag = nullptr;
    if (nChar == VK_CONTROL)
        pFlag = &m_bForceFrame;
    else if (nChar == VK_SHIFT)
        pFlag = &m_bFlip;
    if (pFlag == nullptr || (*pFlag != 0) == (bDown != 0))
        return;
    *pFlag = bDown;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

DWORD CDockContext::CanDock()
{
    if (m_pDockSite == nullptr)
        return 0;
    const BOOL bHorz = IsDragHorz();
    auto overHorz = [this]() -> DWORD {
        if (!(m_dwDockStyle & CBRS_ORIENT_HORZ))
            return 0;
        return m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    };
    auto overVert = [this]() -> DWORD {
        if (!(m_dwDockStyle & CBRS_ORIENT_VERT))
            return 0;
        return m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
    };
    // The bar's own arrangement first; without Shift the other one too.
    DWORD dwDock = bHorz ? overHorz() : overVert();
    if (dwDock == 0 && !m_bFlip)
        dwDock = bHorz ? overVert() : overHorz();
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* pDockBar = nullptr;
    if (m_pDockSite == nullptr || dwOverDockStyle == 0)
        return nullptr;
    if (dwOverDockStyle & CBRS_ORIENT_HORZ)
        m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle, &pDockBar);
    else
        m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle, &pDockBar);
    return pDockBar;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == nullptr || m_pDC->GetSafeHdc() == nullptr)
        return;
    CRect rect;
    CSize size(0, 0);
    if (!bRemoveRect) {
        if (m_dwOverDockStyle != 0) {
            // Over a side: the bar's docked rectangle, a thin outline.
            rect = (m_dwOverDockStyle & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
            size = CSize(2, 2);
        } else {
            // Floating: the floating frame's outline, frame-thick.
            rect = IsFloatHorz() ? m_rectFrameDragHorz : m_rectFrameDragVert;
            size = FloatOutlineSize();
        }
    }
    CBrush* pBrush = CDC::GetHalftoneBrush();
    DrawOutline(rect, size, m_dwOverDockStyle == 0, pBrush, pBrush);
}

void CDockContext::EndDrag()
{
    CancelLoop();
    m_bDragging = FALSE;
    if (m_pDockSite == nullptr)
        return;

    if (m_dwOverDockStyle != 0 && DockOnDrop() != nullptr) {
        m_pDockSite->RecalcLayout();
        return;
    }
    // Not over a side: the bar floats where the outline was.
    FloatOnDrop();
}

/////////////////////////////////////////////////////////////////////////////
// Resizing a floating bar

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_bDragging = FALSE;
    InitLoop();
    m_nHitTest = nHitTest;
    m_ptStart = pt;
    m_ptLast = pt;
    m_pBar->GetWindowRect(&m_rectDragHorz);
    m_rectFrameDragHorz = m_rectDragHorz;
    AdjustFrameRect(m_rectFrameDragHorz);
    m_rectResizeStart = m_rectFrameDragHorz;
    m_rectDragVert = m_rectDragHorz;
    m_rectFrameDragVert = m_rectFrameDragHorz;
    m_dwOverDockStyle = 0;
    DrawFocusRect();
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    m_ptLast = pt;
    const CPoint ptDelta = pt - m_ptStart;
    CRect rectFrame = m_rectResizeStart;
    const auto [bLeft, bRight, bTop, bBottom] = EdgesOf(m_nHitTest);

    // The frame's edges around the bar.
    CRect rectBorder(0, 0, 0, 0);
    AdjustFrameRect(rectBorder);
    const int cxBorder = rectBorder.Width(), cyBorder = rectBorder.Height();

    // The bar answers with the size it can take for the length asked.
    CSize size = m_rectDragHorz.Size();
    if (bLeft || bRight) {
        const int nWidth = m_rectResizeStart.Width() + (bLeft ? -ptDelta.x : ptDelta.x) - cxBorder;
        size = m_pBar->CalcDynamicLayout(std::max(0, nWidth), LM_HORZ);
    } else if (bTop || bBottom) {
        const int nHeight = m_rectResizeStart.Height() + (bTop ? -ptDelta.y : ptDelta.y) - cyBorder;
        size = m_pBar->CalcDynamicLayout(std::max(0, nHeight), LM_HORZ | LM_LENGTHY);
    }
    AnchorFrame(rectFrame, size, CSize(cxBorder, cyBorder), bLeft, bTop);
    m_rectFrameDragHorz = rectFrame;
    m_rectFrameDragVert = rectFrame;
    m_rectDragHorz = CRect(CPoint(rectFrame.left - rectBorder.left, rectFrame.top - rectBorder.top), size);
    m_rectDragVert = m_rectDragHorz;
    DrawFocusRect();
}

CDockContext::ResizeEdges CDockContext::EdgesOf(int nHitTest)
{
    ResizeEdges edges;
    edges.bLeft = nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT;
    edges.bRight = nHitTest == HTRIGHT || nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMRIGHT;
    edges.bTop = nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT;
    edges.bBottom = nHitTest == HTBOTTOM || nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT;
    return edges;
}

void CDockContext::AnchorFrame(CRect& r, CSize size, CSize borders, bool bLeft, bool bTop)
{
    if (bLeft)
        r.left = r.right - (size.cx + borders.cx);
    else
        r.right = r.left + size.cx + borders.cx;
    if (bTop)
        r.top = r.bottom - (size.cy + borders.cy);
    else
        r.bottom = r.top + size.cy + borders.cy;
}

void CDockContext::EndResize()
{
    CancelLoop();
    if (m_pDockSite == nullptr)
        return;
    // The bar keeps the size the outline showed.
    const bool bHeight = m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM;
    if (bHeight)
        m_pBar->CalcDynamicLayout(m_rectDragHorz.Height(), LM_HORZ | LM_LENGTHY | LM_COMMIT);
    else
        m_pBar->CalcDynamicLayout(m_rectDragHorz.Width(), LM_HORZ | LM_COMMIT);
    m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
    m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle | CBRS_SIZE_DYNAMIC);
}

/////////////////////////////////////////////////////////////////////////////
// Toggling

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->GetDockingFrame();
    if (m_pDockSite == nullptr)
        return;
    if (m_pBar->IsFloating()) {
        // Back to where it was docked last, when it may dock at all.
        if ((m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
            return;
        CRect rect;
        CDockBar* pDockBar = GetMRUDockBar(rect);
        ReDockAt(pDockBar, pDockBar != nullptr ? &rect : nullptr);
        m_pDockSite->RecalcLayout();
        return;
    }
    // Docked: it floats where it floated last; the first time, or when
    // that screen is gone, where it is.
    CRect rectBar;
    m_pBar->GetWindowRect(&rectBar);
    FloatWhereLast(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI, rectBar.TopLeft());
}

CDockBar* CDockContext::GetMRUDockBar(CRect& rect) const
{
    CDockBar* pDockBar = nullptr;
    if (m_uMRUDockID != 0 && m_pDockSite != nullptr) {
        CControlBar* pFound = m_pDockSite->GetControlBar(m_uMRUDockID);
        if (pFound != nullptr && pFound->IsDockBar() && !pFound->IsFloating())
            pDockBar = static_cast<CDockBar*>(pFound);
    }
    rect = m_rectMRUDockPos;
    if (pDockBar != nullptr)
        pDockBar->ClientToScreen(&rect);
    return pDockBar;
}

void CDockContext::FloatWhereLast(DWORD dwKeepStyle, CPoint ptIfScreenGone)
{
    CPoint pt = m_ptMRUFloatPos;
    DWORD dwStyle = m_dwMRUFloatStyle & dwKeepStyle;
    if (m_dwMRUFloatStyle == 0) {
        CRect rectBar;
        m_pBar->GetWindowRect(&rectBar);
        pt = rectBar.TopLeft();
        const BOOL bHorz = (m_pBar->m_dwStyle & (CBRS_ORIENT_HORZ | CBRS_SIZE_DYNAMIC)) != 0;
        dwStyle = bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
    } else if (::MonitorFromPoint(pt, MONITOR_DEFAULTTONULL) == nullptr) {
        pt = ptIfScreenGone;
    }
    dwStyle |= m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI;
    m_ptMRUFloatPos = pt;
    m_dwMRUFloatStyle = dwStyle;
    FloatAt(pt, dwStyle);
    m_pDockSite->RecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// The dock contexts of the control bars below this library

CDockContext* CBarDockingSupport::CreateDockContext(CControlBar* pBar)
{
    return new CDockContext(pBar);
}

void CBarDockingSupport::DeleteDockContext(CDockContext* pContext)
{
    delete pContext;
}

void CBarDockingSupport::StartDrag(CDockContext* pContext, CPoint point)
{
    pContext->StartDrag(point);
}

void CBarDockingSupport::ToggleDocking(CDockContext* pContext)
{
    pContext->ToggleDocking();
}
