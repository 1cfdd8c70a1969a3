// OZWControlBar's auto-hide: the pin, the slide window that carries an
// unpinned bar out over the frame and back, and showing and hiding.
#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/bars/OZWMiniDockFrameWnd.h"


void OZWControlBar::SetAutoHideMode(BOOL bAutoHide)
{
    m_bAutoHideMode = bAutoHide;
    EnterAutoHide();
}

BOOL OZWControlBar::EnterAutoHide()
{
    if (m_bAutoHideEntered)
        return TRUE;
    if (!m_bAutoHideMode)
        return FALSE;
    if (m_dwAutoHideSide != 0) {
        if (OZWAutoHideBar* pStrip = GetSideStrip())
            pStrip->AddBar(this);
    }
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, TRUE, FALSE);
    m_bAutoHideEntered = TRUE;
    m_bPinned = TRUE;
    return TRUE;
}

void OZWControlBar::SetPinned(BOOL bPinned)
{
    if (GetToolkitFrame() == nullptr || GetDockingFrame() == nullptr || m_hWnd == nullptr || !m_bAutoHideMode)
        return;
    if (!bPinned) {
        if (!m_bPinned)
            return;
        // The side of the dock bar it leaves; a floating bar has none.
        const UINT nDockID = m_pDockBar != nullptr && m_pDockBar->m_hWnd != nullptr && !m_pDockBar->IsFloating()
                                 ? (UINT)m_pDockBar->GetDlgCtrlID()
                                 : 0;
        const DWORD dwSide = ozwbar::DockBarIDToSide(nDockID);
        if (dwSide != 0)
            UnpinToSide(dwSide);
        return;
    }
    if (!m_bPinned)
        PinBackOnSide(m_dwAutoHideSide);
}

void OZWControlBar::UnpinToSide(DWORD dwSide)
{
    IOZWDockingFrame* pToolkit = GetToolkitFrame();
    CFrameWnd* pFrame = GetDockingFrame();
    if (pToolkit == nullptr || pFrame == nullptr)
        return;
    m_dwAutoHideSide = dwSide;
    if (OZWAutoHideBar* pStrip = pToolkit->GetAutoHideBar(dwSide)) {
        if (!pStrip->HasBar(this))
            pStrip->AddBar(this);
        pToolkit->DockControlBar(pStrip, ozwbar::SideToDockBarID(dwSide), nullptr);
    }
    pFrame->ShowControlBar(this, FALSE, FALSE);
    pFrame->FloatControlBar(this, CPoint(400, 400), CBRS_ALIGN_TOP);
    // The floating frame is the slide window: no caption of its own.
    if (CFrameWnd* pSlide = GetParentFrame(); pSlide != nullptr && pSlide != pFrame)
        pSlide->ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    m_bPinned = FALSE;
}

void OZWControlBar::PinBackOnSide(DWORD dwSide)
{
    IOZWDockingFrame* pToolkit = GetToolkitFrame();
    CFrameWnd* pFrame = GetDockingFrame();
    if (pToolkit == nullptr || pFrame == nullptr)
        return;
    if (OZWAutoHideBar* pStrip = pToolkit->GetAutoHideBar(dwSide))
        pStrip->RemoveBar(this);
    // A bar pinned without a side is docked where it is already.
    if (dwSide != 0) {
        CDockBar* pDockBar = OZWFrameDocking::GetDockBar(pFrame, ozwbar::SideToDockBarID(dwSide));
        pToolkit->ReDockControlBar(this, pDockBar, nullptr);
        if (OZWDockBar* pOZWDockBar = GetOZWDockBar())
            pOZWDockBar->ExpandBar(this, m_bExpandRequest ? 1 : 2);
    }
    pFrame->ShowControlBar(this, TRUE, TRUE);
    m_dwAutoHideSide = 0;
    m_bPinned = TRUE;
}

void OZWControlBar::SlideWindow(BOOL bHide)
{
    CFrameWnd* pFrame = GetDockingFrame();
    CFrameWnd* pSlide = GetParentFrame();
    if (pFrame == nullptr || pSlide == nullptr || pSlide == pFrame || m_dwAutoHideSide == 0)
        return;
    // A bare window: no caption, edges or snapping to its bars' size.
    pSlide->ModifyStyle(0x00C42A00, 0, SWP_FRAMECHANGED);
    pSlide->ModifyStyleEx(0x00020301, 0, SWP_FRAMECHANGED);

    // Against the strip of its side (or the dock bar when there is none).
    CRect rectStrip;
    OZWAutoHideBar* pStrip = GetSideStrip();
    if (pStrip != nullptr && pStrip->m_hWnd != nullptr) {
        pStrip->GetWindowRect(&rectStrip);
    } else if (CControlBar* pDock = pFrame->GetControlBar(ozwbar::SideToDockBarID(m_dwAutoHideSide))) {
        pDock->GetWindowRect(&rectStrip);
    } else {
        return;
    }
    const CSize size = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    const CRect rectFull = ozwbar::SlideRect(m_dwAutoHideSide, rectStrip, size);
    OZWMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(OZWMiniDockFrameWnd, pSlide);

    if (m_nSlideTime <= 0) {
        pSlide->SetWindowPos(nullptr, rectFull.left, rectFull.top, rectFull.Width(), rectFull.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
        if (pMini != nullptr)
            pMini->PositionFrame(rectFull.left, rectFull.top);
        pSlide->ShowWindow(bHide ? SW_HIDE : SW_SHOWNA);
        pSlide->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    } else {
        const int nStepTime = m_nSlideTime / ozwbar::kSlideSteps;
        for (int nStep = 1; nStep <= ozwbar::kSlideSteps; ++nStep) {
            ::Sleep((DWORD)nStepTime);
            const CRect r = ozwbar::SlideStepRect(m_dwAutoHideSide, rectFull, nStep, bHide);
            if (r.IsRectEmpty()) {
                pSlide->ShowWindow(SW_HIDE);
            } else {
                pSlide->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
                if (pMini != nullptr)
                    pMini->PositionFrame(r.left, r.top);
            }
            pSlide->UpdateWindow();
            if (bHide) {
                pFrame->RecalcLayout();
                pFrame->UpdateWindow();
            }
        }
    }
    m_szFloat = rectFull.Size();
}

void OZWControlBar::SlideOut()
{
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return;
    pFrame->ShowControlBar(this, TRUE, TRUE);
    SlideWindow(FALSE);
    SetFocus();
}

void OZWControlBar::SlideIn()
{
    // While a splitter is dragged the bar only takes the focus back.
    if (GetOZWDockBar() != nullptr && OZWDockBar::IsSplitterDragging()) {
        SetFocus();
        return;
    }
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return;
    pFrame->ShowControlBar(this, FALSE, TRUE);
    SlideWindow(TRUE);
}

BOOL OZWControlBar::ToggleVisible()
{
    // Visible counts a show or hide that waits for the next layout.
    const BOOL bVisible = m_hWnd != nullptr && IsVisible();
    if (m_bAutoHideMode && !m_bPinned) {
        if (bVisible)
            SlideIn();
        else
            SlideOut();
        return !bVisible;
    }
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, !bVisible, FALSE);
    return !bVisible;
}
