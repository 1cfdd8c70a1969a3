#include "frame/mdi/OZWFrameCommon.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/dockstate/OZWDockState.h"

namespace ozwframe {

OZWAutoHideBar* AutoHideStripOfSide(OZWAutoHideBar (&strips)[4], DWORD dwSide)
{
    switch (dwSide) {
    case CBRS_ALIGN_LEFT:
        return &strips[0];
    case CBRS_ALIGN_TOP:
        return &strips[1];
    case CBRS_ALIGN_BOTTOM:
        return &strips[2];
    case CBRS_ALIGN_RIGHT:
        return &strips[3];
    default:
        return nullptr;
    }
}

void EnableFrameDocking(CFrameWnd* pFrame, OZWAutoHideBar (&strips)[4], DWORD dwDockStyle)
{
    // OZWFrameDocking takes them left, top, right, bottom.
    OZWAutoHideBar* ordered[4] = { &strips[0], &strips[1], &strips[3], &strips[2] };
    OZWFrameDocking::EnableDocking(pFrame, dwDockStyle, ordered);
}

void LoadFrameBarState(CFrameWnd* pFrame, OZWControlBarManager* pManager, CPtrList* pCreated,
                       LPCTSTR lpszProfileName)
{
    OZWDockState state(pManager);
    state.m_pCreatedBars = pCreated;
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == nullptr)
        pThread->m_pMainWnd = pFrame;
    state.LoadState(lpszProfileName);
    state.SetState(pFrame);
}

void SaveFrameBarState(CFrameWnd* pFrame, OZWControlBarManager* pManager, LPCTSTR lpszProfileName)
{
    OZWDockState state(pManager);
    if (state.GetState(pFrame))
        state.SaveState(lpszProfileName);
}

void AfterFrameLayout(CFrameWnd* pFrame, CRect& rectLast)
{
    OZWFrameDocking::RedrawDockBars(pFrame);
    CRect rect;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rect);
    rectLast = rect;
}

void RefreshBarColors(CFrameWnd* pFrame)
{
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar != nullptr && pBar->m_hWnd != nullptr)
            pBar->SendMessage(WM_SYSCOLORCHANGE);
    }
}

void DeleteObjects(CPtrList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        delete static_cast<CObject*>(list.GetNext(pos));
    list.RemoveAll();
}

} // namespace ozwframe
