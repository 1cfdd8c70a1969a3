// The docking side of CFrameWnd: its dock bars, docking, re-docking and
// floating bars, and the saved layout of its bars.
#include "platform/framework/Framework.h"
#include "platform/framework/docking/BarDockingSupport.h"


namespace {

// The frame's dock bars, in the order they are made and searched.
struct DockBarEntry
{
    UINT nID;
    DWORD dwStyle;
};
const DockBarEntry g_dockBars[] = {
    { AFX_IDW_DOCKBAR_TOP, CBRS_TOP },
    { AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM },
    { AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT },
    { AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT },
};

CDockBar* DockBarOf(CFrameWnd* pFrame, UINT nID)
{
    CControlBar* pBar = pFrame->GetControlBar(nID);
    if (pBar == nullptr || !pBar->IsDockBar() || pBar->IsFloating())
        return nullptr;
    return static_cast<CDockBar*>(pBar);
}

} // namespace

CDockBar* CDockBar::FindKeptPlace(CFrameWnd* pFrame, UINT nID)
{
    for (const DockBarEntry& entry : g_dockBars) {
        CDockBar* pDockBar = DockBarOf(pFrame, entry.nID);
        if (pDockBar != nullptr && pDockBar->FindPlaceholder(nID) > 0)
            return pDockBar;
    }
    return nullptr;
}

CRuntimeClass* CBarDockingSupport::GetFloatingFrameClass()
{
    return RUNTIME_CLASS(CMiniDockFrameWnd);
}

void CBarDockingSupport::EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle)
{
    for (const DockBarEntry& entry : g_dockBars) {
        if (!(dwDockStyle & entry.dwStyle & CBRS_ALIGN_ANY) || pFrame->GetControlBar(entry.nID) != nullptr)
            continue;
        CDockBar* pDockBar = new CDockBar(FALSE);
        pDockBar->m_bAutoDelete = TRUE;
        // A dock bar that cannot be made has deleted itself.
        if (!pDockBar->Create(pFrame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | entry.dwStyle,
                              entry.nID))
            AfxThrowResourceException();
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nullptr;
    if (nDockBarID != 0) {
        pDockBar = DockBarOf(this, nDockBarID);
        if (pDockBar == nullptr)
            return; // no such side
    }
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar->IsDockBar())
        return;
    if (pDockBar == nullptr && lpRect != nullptr)
        CanDock(*lpRect, pBar->m_dwDockStyle, &pDockBar);
    if (pDockBar == nullptr) {
        // The first side the bar may dock on.
        for (const DockBarEntry& entry : g_dockBars) {
            if (pBar->m_dwDockStyle & entry.dwStyle & CBRS_ALIGN_ANY) {
                pDockBar = DockBarOf(this, entry.nID);
                break;
            }
        }
    }
    if (pDockBar == nullptr)
        return;
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar->IsDockBar())
        return;
    if (pDockBar == nullptr)
        pDockBar = CDockBar::FindKeptPlace(this, (UINT)pBar->GetDlgCtrlID());
    if (pDockBar == nullptr) {
        DockControlBar(pBar, (CDockBar*)nullptr, lpRect);
        return;
    }
    pDockBar->ReDockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CBarDockingSupport::CreateFloatingFrame(CFrameWnd* pParent, DWORD dwStyle)
{
    CObject* pObject = pParent->m_pFloatingFrameClass != nullptr ? pParent->m_pFloatingFrameClass->CreateObject() : nullptr;
    CMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pObject);
    if (pFrame == nullptr) {
        delete pObject;
        AfxThrowResourceException();
    }
    // A frame that cannot be made has deleted itself.
    if (!pFrame->Create(pParent, dwStyle))
        AfxThrowResourceException();
    return pFrame;
}

void CBarDockingSupport::FloatControlBar(CFrameWnd* pDockSite, CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar->IsDockBar())
        return;

    // A bar that arranges itself floats horizontally.
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT) {
            dwStyle &= ~CBRS_ALIGN_ANY;
            dwStyle |= CBRS_ALIGN_TOP;
        }
    }

    // Floating alone in a frame of the same arrangement: only the frame
    // moves. Else a new frame takes the bar.
    CMiniDockFrameWnd* pDockFrame = nullptr;
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar != nullptr && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1 &&
        (pOldDockBar->m_dwStyle & CBRS_ALIGN_ANY) == (dwStyle & CBRS_ALIGN_ANY))
        pDockFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pOldDockBar->GetParentFrame());
    const bool bNewFrame = pDockFrame == nullptr;
    if (bNewFrame)
        pDockFrame = pDockSite->CreateFloatingFrame(dwStyle);
    pDockFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (bNewFrame)
        pDockFrame->m_wndDockBar.DockControlBar(pBar);
    pDockFrame->RecalcLayout(TRUE);
    // The whole frame on the work area, so that the bar can be seen and taken.
    pDockFrame->KeepOnWorkArea();

    // The bar floats there again when it is toggled back to floating.
    if (pBar->m_pDockContext != nullptr) {
        CRect rectFrame;
        pDockFrame->GetWindowRect(&rectFrame);
        pBar->m_pDockContext->m_ptMRUFloatPos = rectFrame.TopLeft();
        pBar->m_pDockContext->m_dwMRUFloatStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    }
    if (bNewFrame && pBar->IsVisible())
        pDockFrame->ShowWindow(SW_SHOWNA);
    if (!bNewFrame || pBar->IsVisible())
        pDockFrame->UpdateWindow();
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    if (ppDockBar != nullptr)
        *ppDockBar = nullptr;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar() || pBar->IsFloating() || pBar->m_hWnd == nullptr || !pBar->IsWindowVisible())
            continue;
        if (!(pBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        // An empty side still takes a bar along its edge.
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        if (rectBar.Width() == 0)
            rectBar.right++;
        if (rectBar.Height() == 0)
            rectBar.bottom++;
        CRect rectHit;
        if (rectHit.IntersectRect(&rectBar, &rect)) {
            if (ppDockBar != nullptr)
                *ppDockBar = static_cast<CDockBar*>(pBar);
            return pBar->m_dwStyle & CBRS_ALIGN_ANY;
        }
    }
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Saved layout

void CBarDockingSupport::LoadBarState(CFrameWnd* pFrame, LPCTSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    pFrame->SetDockState(state);
}

void CBarDockingSupport::SaveBarState(const CFrameWnd* pFrame, LPCTSTR lpszProfileName)
{
    CDockState state;
    pFrame->GetDockState(state);
    state.SaveState(lpszProfileName);
}

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == nullptr)
            continue;
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}
