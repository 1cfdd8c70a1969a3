// OZWDockContext: drag, resize and toggles of a toolkit bar.
#include "frame/bars/OZWDockContext.h"
#include "frame/bars/BarHelpers.h"
#include "frame/bars/FrameBarsRes.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>
#include <cstdlib>

namespace {

void SetPrompt(UINT nID)
{
    if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain->m_hWnd != nullptr)
        pMain->SendMessage(WM_SETMESSAGESTRING, nID);
}

OZWControlBar* ToolkitBar(CControlBar* pBar)
{
    return DYNAMIC_DOWNCAST(OZWControlBar, pBar);
}

// The width and height the bar's floating frame adds round the bar.
CSize FloatingFrameBorders(CControlBar* pBar)
{
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return CSize(0, 0);
    CRect rw, rc;
    pFrame->GetWindowRect(&rw);
    pFrame->GetClientRect(&rc);
    return CSize(rw.Width() - rc.Width(), rw.Height() - rc.Height());
}

} // namespace

OZWDockContext::OZWDockContext(CControlBar* pBar) : CDockContext(pBar)
{
    m_sizeMinFloat.cx = ::GetSystemMetrics(SM_CXMENUSIZE) +
                        2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER));
    m_sizeMinFloat.cy = ::GetSystemMetrics(SM_CYSMCAPTION) +
                        2 * (::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYBORDER));
    m_sizeMaxFloat.cx = ::GetSystemMetrics(SM_CXFULLSCREEN);
    m_sizeMaxFloat.cy = ::GetSystemMetrics(SM_CYFULLSCREEN);
}

OZWDockContext::~OZWDockContext()
{
    // Out of a toolkit dock bar through its own removal (no place kept).
    if (m_pBar != nullptr && !m_pBar->IsDockBar()) {
        if (OZWDockBar* pDockBar = DYNAMIC_DOWNCAST(OZWDockBar, m_pBar->m_pDockBar)) {
            m_pBar->m_pDockBar = nullptr;
            pDockBar->RemoveControlBar(m_pBar, -1, 0);
        }
    }
}

IOZWDockingFrame* OZWDockContext::ToolkitFrame() const
{
    return dynamic_cast<IOZWDockingFrame*>(m_pDockSite);
}

CSize OZWDockContext::CalcOtherArrangement(BOOL bHorz)
{
    return m_pBar->CalcDynamicLayout(-1, bHorz ? LM_VERTDOCK : (LM_HORZ | LM_HORZDOCK));
}

BOOL OZWDockContext::MovedEnough() const
{
    return std::abs(m_ptLast.x - m_ptDragStart.x) + std::abs(m_ptLast.y - m_ptDragStart.y) >= kDockThreshold;
}

/////////////////////////////////////////////////////////////////////////////
// Dragging

void OZWDockContext::StartDrag(CPoint pt)
{
    m_feedback.nRow = -1;
    m_ptDragStart = pt;
    m_bDragging = TRUE;
    SetPrompt(IDS_OZW_PREVENT_DOCKING);
    InitLoop();
    m_ptLast = pt;

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    InitDragRects(rect, pt);
    if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
        // The floating outline reaches a pixel further up and left.
        m_rectFrameDragHorz.left -= 1;
        m_rectFrameDragHorz.top -= 1;
        m_rectFrameDragVert = m_rectFrameDragHorz;
    }

    // The floating outlines get the floating frame's edges, except for a
    // sizing bar floating in a frame without a full caption.
    CFrameWnd* pParentFrame = m_pBar->GetParentFrame();
    const bool bBareFrame = m_pBar->IsFloating() && pParentFrame != nullptr &&
                            (pParentFrame->GetStyle() & WS_CAPTION) != WS_CAPTION;
    if (!((m_dwStyle & CBRS_SIZE_DYNAMIC) && bBareFrame)) {
        CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, WS_THICKFRAME | WS_CAPTION);
        CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert, WS_THICKFRAME | WS_CAPTION);
    }
    const OZW_AUX_DATA* pData = UXGetSysData();
    m_rectFrameDragHorz.DeflateRect(pData->cxBorder, pData->cyBorder);
    m_rectFrameDragVert.DeflateRect(pData->cxBorder, pData->cyBorder);
    for (CRect* pRect : { &m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert })
        EnsurePointInRect(*pRect, pt, pData->cxBorder);

    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    Move(pt);
    Track();
}

DWORD OZWDockContext::CanDock()
{
    if (m_pDockSite == nullptr)
        return 0;
    const BOOL bHorz = IsDragHorz();
    auto over = [this](const CRect& rect, DWORD dwAllowed, CDockBar** ppDockBar) -> DWORD {
        if (!(m_dwDockStyle & dwAllowed))
            return 0;
        return m_pDockSite->CanDock(rect, (m_dwDockStyle & ~CBRS_ALIGN_ANY) | (m_dwDockStyle & dwAllowed), ppDockBar);
    };
    // The cursor must lie in a side dock bar that shows bars; an empty side
    // takes the bar on the rectangle alone.
    auto cursorIn = [this](CDockBar* pDockBar) {
        if (pDockBar == nullptr)
            return false;
        CRect rect;
        pDockBar->GetWindowRect(&rect);
        return rect.Width() == 0 || rect.Height() == 0 || rect.PtInRect(m_ptLast) != FALSE;
    };

    CDockBar* pDockBar = nullptr;
    DWORD dwDock = 0;
    if (bHorz && (m_dwDockStyle & CBRS_ORIENT_HORZ)) {
        dwDock = over(m_rectDragHorz, CBRS_ORIENT_HORZ, &pDockBar);
    } else if (m_dwDockStyle & CBRS_ORIENT_VERT) {
        dwDock = over(m_rectDragVert, CBRS_ORIENT_VERT, &pDockBar);
        if (dwDock != 0 && !cursorIn(pDockBar))
            dwDock = 0;
    }
    if (dwDock == 0 && !m_bFlip) {
        // The other arrangement: both rectangles must name the same dock bar.
        for (DWORD dwSides : { (DWORD)CBRS_ORIENT_HORZ, (DWORD)CBRS_ORIENT_VERT }) {
            CDockBar* pA = nullptr;
            CDockBar* pB = nullptr;
            const DWORD dwA = over(m_rectDragHorz, dwSides, &pA);
            const DWORD dwB = over(m_rectDragVert, dwSides, &pB);
            if (dwA != 0 && dwA == dwB && pA == pB) {
                dwDock = dwA;
                break;
            }
        }
    }
    return dwDock;
}

void OZWDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == nullptr || m_pDC->GetSafeHdc() == nullptr)
        return;
    const OZW_AUX_DATA* pData = UXGetSysData();
    // A floating bar not yet moved 5 pixels stays floating.
    const BOOL bOver = m_dwOverDockStyle != 0 && !(m_pBar->IsFloating() && !MovedEnough());
    CRect rect;
    CSize size(0, 0);
    BOOL bDither = FALSE;
    if (!bRemoveRect) {
        if (bOver) {
            const bool bVertDock = (m_dwOverDockStyle & CBRS_ORIENT_VERT) != 0;
            rect = bVertDock ? m_rectDragVert : m_rectDragHorz;
            if (OZWDockBar* pDockBar = DYNAMIC_DOWNCAST(OZWDockBar, GetDockBar(m_dwOverDockStyle)))
                pDockBar->CalcDockFeedbackRect(rect, m_pBar, rect, m_ptLast, m_feedback);
            if (pData->bFlatLook)
                rect.DeflateRect(1, 1);
            size = CSize(1, 1);
        } else {
            rect = IsFloatHorz() ? m_rectFrameDragHorz : m_rectFrameDragVert;
            size = FloatOutlineSize();
            m_feedback.nRow = -1;
            bDither = TRUE;
        }
    }
    CBrush* pHalftone = CDC::GetHalftoneBrush();
    CBrush* pSolid = CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH));
    DrawOutline(rect, size, bDither, bDither ? pHalftone : pSolid, m_bDitherLast ? pHalftone : pSolid);
}

void OZWDockContext::CancelLoop()
{
    const BOOL bWasLooping = m_bLoop;
    CDockContext::CancelLoop();
    if (bWasLooping)
        SetPrompt(AFX_IDS_IDLEMESSAGE);
}

void OZWDockContext::DockAt(CDockBar* pDockBar, const CRect& rect)
{
    if (IOZWDockingFrame* pToolkit = ToolkitFrame())
        pToolkit->DockControlBar(m_pBar, pDockBar, &rect);
    else
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
}

void OZWDockContext::ReDockAt(CDockBar* pDockBar, LPCRECT lpRect)
{
    if (IOZWDockingFrame* pToolkit = ToolkitFrame())
        pToolkit->ReDockControlBar(m_pBar, pDockBar, lpRect);
    else
        m_pDockSite->ReDockControlBar(m_pBar, pDockBar, lpRect);
}

void OZWDockContext::EndDrag()
{
    CancelLoop();
    m_bDragging = FALSE;
    if (m_pDockSite == nullptr)
        return;
    OZWControlBar* pOZW = ToolkitBar(m_pBar);
    const BOOL bWasFloating = m_pBar->IsFloating();

    if (m_dwOverDockStyle != 0 && !(bWasFloating && !MovedEnough())) {
        if (CDockBar* pDockBar = DockOnDrop()) {
            if (OZWDockBar* pOZWDock = DYNAMIC_DOWNCAST(OZWDockBar, pDockBar); pOZWDock != nullptr && bWasFloating)
                pOZWDock->SetLastDockedBar(m_pBar);
            m_pDockSite->RecalcLayout();
            return;
        }
    }

    // The bar floats where the outline was; a docked bar keeps its share.
    if (pOZW != nullptr && !bWasFloating)
        pOZW->m_fSavedShare = pOZW->m_fShare;
    FloatOnDrop();
}

/////////////////////////////////////////////////////////////////////////////
// Resizing a floating bar

void OZWDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_bDragging = FALSE;
    InitLoop();
    m_ptLast = pt;
    m_nHitTest = nHitTest;
    const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_rectDragHorz = m_rectDragVert = CRect(rect.TopLeft(), size);
    // The floating frame around it, edges included, as it is on the screen.
    if (CFrameWnd* pFrame = m_pBar->GetParentFrame())
        pFrame->GetWindowRect(&m_rectFrameDragHorz);
    else
        m_rectFrameDragHorz = m_rectDragHorz;
    m_rectResizeFrame = m_rectFrameDragHorz;
    m_rectFrameDragVert = m_rectFrameDragHorz;
    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void OZWDockContext::Stretch(CPoint pt)
{
    const auto [bLeft, bRight, bTop, bBottom] = EdgesOf(m_nHitTest);
    const CSize borders = FloatingFrameBorders(m_pBar);
    const int cxBorder = borders.cx, cyBorder = borders.cy;
    const CPoint ptOffset = pt - m_ptLast;
    CRect r = m_rectFrameDragHorz;
    OZWControlBar* pOZW = ToolkitBar(m_pBar);

    if (pOZW != nullptr && !(pOZW->m_dwExStyle & SCBX_FIXED_SIZE)) {
        if (bLeft)
            r.left += ptOffset.x;
        if (bRight)
            r.right += ptOffset.x;
        if (bTop)
            r.top += ptOffset.y;
        if (bBottom)
            r.bottom += ptOffset.y;
        // Outside the floating sizes an axis stays as it was.
        if (r.Width() < m_sizeMinFloat.cx || r.Width() > m_sizeMaxFloat.cx) {
            r.left = m_rectFrameDragHorz.left;
            r.right = m_rectFrameDragHorz.right;
            pt.x = m_ptLast.x;
        }
        if (r.Height() < m_sizeMinFloat.cy || r.Height() > m_sizeMaxFloat.cy) {
            r.top = m_rectFrameDragHorz.top;
            r.bottom = m_rectFrameDragHorz.bottom;
            pt.y = m_ptLast.y;
        }
        m_pBar->CalcDynamicLayout(std::max(0, r.Width() - cxBorder), LM_COMMIT | LM_HORZ);
        const CSize size = m_pBar->CalcDynamicLayout(std::max(0, r.Height() - cyBorder), LM_COMMIT | LM_HORZ | LM_LENGTHY);
        // The bar's answer places the edge the cursor moved.
        AnchorFrame(r, size, borders, bLeft, bTop);
    } else {
        CSize size;
        if (bLeft || bRight) {
            const int nWidth = (bLeft ? r.right - (r.left + ptOffset.x) : (r.right + ptOffset.x) - r.left) - cxBorder;
            size = m_pBar->CalcDynamicLayout(std::max(0, nWidth), LM_COMMIT | LM_HORZ);
        } else {
            const int nHeight = (bTop ? r.bottom - (r.top + ptOffset.y) : (r.bottom + ptOffset.y) - r.top) - cyBorder;
            size = m_pBar->CalcDynamicLayout(std::max(0, nHeight), LM_COMMIT | LM_HORZ | LM_LENGTHY);
        }
        AnchorFrame(r, size, borders, bLeft, bTop);
    }
    m_rectFrameDragHorz = m_rectFrameDragVert = r;
    m_ptLast = pt;
    DrawFocusRect();
}

void OZWDockContext::EndResize()
{
    CancelLoop();
    if (m_pDockSite == nullptr)
        return;
    const CSize borders = FloatingFrameBorders(m_pBar);
    m_pBar->CalcDynamicLayout(std::max(0, m_rectFrameDragHorz.Width() - (int)borders.cx), LM_COMMIT | LM_HORZ);
    OZWControlBar* pOZW = ToolkitBar(m_pBar);
    if (pOZW != nullptr && !(pOZW->m_dwExStyle & SCBX_FIXED_SIZE))
        m_pBar->CalcDynamicLayout(std::max(0, m_rectFrameDragHorz.Height() - (int)borders.cy),
                                  LM_COMMIT | LM_HORZ | LM_LENGTHY);
    FloatAt(m_rectFrameDragHorz.TopLeft(), (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
}

/////////////////////////////////////////////////////////////////////////////
// Toggles

void OZWDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->GetDockingFrame();
    if (m_pDockSite == nullptr)
        return;
    OZWControlBar* pOZW = ToolkitBar(m_pBar);
    if (m_pBar->IsFloating()) {
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        if (pOZW != nullptr)
            pOZW->m_fShare = pOZW->m_fSavedShare;
        CRect rect;
        CDockBar* pDockBar = GetMRUDockBar(rect);
        if (pDockBar != nullptr && (m_pBar->m_dwStyle & CBRS_BORDER_TOP))
            rect.right += 1;
        ReDockAt(pDockBar, pDockBar != nullptr ? &rect : nullptr);
        m_pDockSite->RecalcLayout();
        return;
    }

    // Docked: it floats where it floated last; when that screen is gone,
    // where it was docked.
    if (pOZW != nullptr)
        pOZW->m_fSavedShare = pOZW->m_fShare;
    CPoint ptDocked = m_rectMRUDockPos.TopLeft();
    if (CWnd* pParent = m_pBar->GetParent())
        pParent->ClientToScreen(&ptDocked);
    FloatWhereLast((DWORD)-1, ptDocked);
}

void OZWDockContext::ToggleMDIFloat()
{
    m_pDockSite = m_pBar->GetDockingFrame();
    IOZWDockingFrame* pToolkit = ToolkitFrame();
    if (m_pDockSite == nullptr || pToolkit == nullptr)
        return;
    OZWControlBar* pOZW = ToolkitBar(m_pBar);
    OZWDockBar* pDockBar = DYNAMIC_DOWNCAST(OZWDockBar, m_pBar->m_pDockBar);
    const BOOL bInMDIChild = pDockBar != nullptr && pDockBar->m_bMDIChild;
    if (!bInMDIChild) {
        if (pOZW != nullptr && !m_pBar->IsFloating())
            pOZW->m_fSavedShare = pOZW->m_fShare;
        m_bWasFloating = m_pBar->IsFloating();
        const CPoint pt = m_ptMDIFloatPos.x >= 0 ? m_ptMDIFloatPos : m_ptMRUFloatPos;
        pToolkit->FloatControlBarInMDIChild(m_pBar, pt, m_dwMRUFloatStyle);
        return;
    }
    if (m_bWasFloating) {
        if (pOZW != nullptr)
            pOZW->m_fShare = pOZW->m_fSavedShare;
        FloatAt(m_ptMRUFloatPos, m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
    } else if (m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) {
        if (pOZW != nullptr)
            pOZW->m_fShare = pOZW->m_fSavedShare;
        CRect rect;
        CDockBar* pTarget = GetMRUDockBar(rect);
        ReDockAt(pTarget, pTarget != nullptr ? &rect : nullptr);
        m_pDockSite->RecalcLayout();
    }
}
