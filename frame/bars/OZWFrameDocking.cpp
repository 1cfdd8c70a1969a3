// The frame docking operations of the toolkit, for any frame.
#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/bars/OZWMiniDockFrameWnd.h"

namespace {

// The frame's dock bars in the order they are made and searched.
struct DockBarEntry
{
    UINT nID;
    DWORD dwStyle;
};
const DockBarEntry g_dockBars[] = {
    { AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM },
    { AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP },
    { AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT },
    { AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT },
};

OZWControlBar* ToolkitBar(CControlBar* pBar)
{
    return DYNAMIC_DOWNCAST(OZWControlBar, pBar);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// IOZWDockingFrame's defaults

void IOZWDockingFrame::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    OZWFrameDocking::DockControlBar(GetFrame(), pBar, nDockBarID, lpRect);
}

void IOZWDockingFrame::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    OZWFrameDocking::DockControlBar(GetFrame(), pBar, pDockBar, lpRect);
}

void IOZWDockingFrame::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    OZWFrameDocking::ReDockControlBar(GetFrame(), pBar, pDockBar, lpRect);
}

void IOZWDockingFrame::DockControlBarEx(CControlBar* pBar, UINT nDockBarID, int nColumn, int nRow, float fShare,
                                        int nSize)
{
    OZWFrameDocking::DockControlBarEx(GetFrame(), pBar, nDockBarID, nColumn, nRow, fShare, nSize);
}

BOOL IOZWDockingFrame::FloatControlBarInMDIChild(CControlBar*, CPoint, DWORD)
{
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// OZWFrameDocking

CDockBar* OZWFrameDocking::GetDockBar(CFrameWnd* pFrame, UINT nDockBarID)
{
    if (pFrame == nullptr || nDockBarID == 0)
        return nullptr;
    CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(nDockBarID));
    return pDockBar != nullptr && !pDockBar->m_bFloating ? pDockBar : nullptr;
}

CDockBar* OZWFrameDocking::GetDockBarByAlignment(CFrameWnd* pFrame, DWORD dwStyle)
{
    for (const DockBarEntry& entry : g_dockBars) {
        if (dwStyle & entry.dwStyle & CBRS_ALIGN_ANY) {
            if (CDockBar* pDockBar = GetDockBar(pFrame, entry.nID))
                return pDockBar;
        }
    }
    return nullptr;
}

void OZWFrameDocking::EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, OZWAutoHideBar* const* ppStrips)
{
    pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(OZWMiniDockFrameWnd);
    for (const DockBarEntry& entry : g_dockBars) {
        if (!(dwDockStyle & entry.dwStyle & CBRS_ALIGN_ANY))
            continue;
        if (pFrame->GetControlBar(entry.nID) == nullptr) {
            OZWDockBar* pDockBar = new OZWDockBar(FALSE, FALSE);
            pDockBar->m_bAutoDelete = TRUE;
            if (!pDockBar->CreateInFrame(pFrame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | entry.dwStyle,
                                         entry.nID)) {
                delete pDockBar;
                AfxThrowResourceException();
            }
        }
        if (ppStrips == nullptr)
            continue;
        // The side's strip: first on its dock bar, hidden until it has a tab.
        const DWORD dwSide = entry.dwStyle & CBRS_ALIGN_ANY;
        const int nSlot = dwSide == CBRS_ALIGN_LEFT ? 0 : dwSide == CBRS_ALIGN_TOP ? 1 : dwSide == CBRS_ALIGN_RIGHT ? 2 : 3;
        OZWAutoHideBar* pStrip = ppStrips[nSlot];
        if (pStrip == nullptr || pStrip->m_hWnd != nullptr)
            continue;
        if (!pStrip->CreateStrip(pFrame, dwSide))
            continue;
        pStrip->EnableDocking(dwSide);
        DockControlBarEx(pFrame, pStrip, entry.nID, 0, 0, 1.0f, 150);
        ShowControlBar(pFrame, pStrip, FALSE, FALSE);
    }
}

void OZWFrameDocking::DockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == nullptr || pBar->IsDockBar())
        return;
    OZWControlBar* pOZW = ToolkitBar(pBar);
    if (pOZW != nullptr)
        pOZW->BeforeDock();
    if (pDockBar == nullptr) {
        pDockBar = GetDockBarByAlignment(pFrame, pBar->m_dwStyle);
        if (pDockBar == nullptr)
            pDockBar = GetDockBarByAlignment(pFrame, pBar->m_dwDockStyle);
    }
    if (OZWDockBar* pOZWDock = DYNAMIC_DOWNCAST(OZWDockBar, pDockBar))
        pOZWDock->DockControlBarAtRect(pBar, lpRect);
    else if (pDockBar != nullptr)
        pDockBar->CDockBar::DockControlBar(pBar, lpRect);
    if (pOZW != nullptr)
        pOZW->AfterDock();
}

void OZWFrameDocking::DockControlBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    DockControlBar(pFrame, pBar, nDockBarID != 0 ? GetDockBar(pFrame, nDockBarID) : nullptr, lpRect);
}

void OZWFrameDocking::ReDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == nullptr || pBar->IsDockBar())
        return;
    OZWControlBar* pOZW = ToolkitBar(pBar);
    if (pOZW != nullptr)
        pOZW->BeforeDock();
    if (pDockBar == nullptr) {
        // The dock bar that kept the bar's place, else the last one of its side.
        pDockBar = CDockBar::FindKeptPlace(pFrame, (UINT)pBar->GetDlgCtrlID());
        if (pDockBar == nullptr) {
            for (const DockBarEntry& entry : g_dockBars) {
                if (pBar->m_dwStyle & entry.dwStyle & CBRS_ALIGN_ANY) {
                    if (CDockBar* pCandidate = GetDockBar(pFrame, entry.nID))
                        pDockBar = pCandidate;
                }
            }
        }
        if (pDockBar == nullptr)
            pDockBar = GetDockBarByAlignment(pFrame, pBar->m_dwDockStyle);
    }
    if (OZWDockBar* pOZWDock = DYNAMIC_DOWNCAST(OZWDockBar, pDockBar))
        pOZWDock->DockControlBar(pBar, lpRect);
    else if (pDockBar != nullptr)
        pDockBar->CDockBar::ReDockControlBar(pBar, lpRect);
    if (pOZW != nullptr)
        pOZW->AfterDock();
}

void OZWFrameDocking::DockControlBarEx(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, int nColumn, int nRow,
                                       float fShare, int nSize)
{
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == nullptr || pBar->IsDockBar())
        return;
    OZWControlBar* pOZW = ToolkitBar(pBar);
    if (pOZW != nullptr)
        pOZW->BeforeDock();
    CDockBar* pDockBar = GetDockBar(pFrame, nDockBarID);
    if (pDockBar == nullptr)
        pDockBar = GetDockBarByAlignment(pFrame, pBar->m_dwStyle);
    if (pDockBar == nullptr)
        pDockBar = GetDockBarByAlignment(pFrame, pBar->m_dwDockStyle);
    if (pDockBar != nullptr) {
        if (pOZW != nullptr)
            pOZW->m_fShare = fShare;
        // The bar's thickness on that side.
        DWORD dwMode = LM_COMMIT;
        if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
            dwMode |= LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
        else if (pDockBar->m_dwStyle & CBRS_ORIENT_HORZ)
            dwMode |= LM_HORZ | LM_HORZDOCK | LM_LENGTHY;
        else
            dwMode |= LM_VERTDOCK;
        pBar->CalcDynamicLayout(nSize, dwMode);
        if (OZWDockBar* pOZWDock = DYNAMIC_DOWNCAST(OZWDockBar, pDockBar))
            pOZWDock->DockControlBarEx(pBar, nColumn, nRow);
        else
            pDockBar->CDockBar::DockControlBar(pBar, nullptr);
    }
    if (pOZW != nullptr)
        pOZW->AfterDock();
}

void OZWFrameDocking::FloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == nullptr || pBar->IsDockBar())
        return;
    // Floating alone in a frame of the same arrangement: only the frame moves.
    OZWDockBar* pOld = DYNAMIC_DOWNCAST(OZWDockBar, pBar->m_pDockBar);
    if (pOld != nullptr && pOld->m_bFloating && pOld->GetDockedCount() == 1 &&
        (pOld->m_dwStyle & CBRS_ALIGN_ANY) == (dwStyle & CBRS_ALIGN_ANY)) {
        if (OZWMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(OZWMiniDockFrameWnd, pOld->GetParentFrame())) {
            pMini->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pMini->PositionFrame(point.x, point.y);
            pMini->KeepOnWorkArea();
            pMini->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
            return;
        }
    }

    OZWControlBar* pOZW = ToolkitBar(pBar);
    if (pOZW != nullptr)
        pOZW->BeforeFloat();
    // A bar that arranges itself floats horizontally.
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pFloat = pFrame->CreateFloatingFrame(dwStyle);
    OZWMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(OZWMiniDockFrameWnd, pFloat);
    if (pMini != nullptr)
        pMini->GetDockBar().DockControlBarAtRect(pBar, nullptr);
    else
        pFloat->m_wndDockBar.DockControlBar(pBar);
    if (pOZW != nullptr && !(pOZW->m_dwExStyle & SCBX_FIXED_SIZE))
        pFloat->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME, SWP_FRAMECHANGED);
    pFloat->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pMini != nullptr)
        pMini->PositionFrame(point.x, point.y);
    else
        pFloat->RecalcLayout(TRUE);
    // The whole frame on the work area, so that the bar can be seen and taken.
    pFloat->KeepOnWorkArea();
    if (pBar->IsWindowVisible() || pBar->IsVisible()) {
        pFloat->ShowWindow(SW_SHOWNA);
        pFloat->UpdateWindow();
    }
    if (pOZW != nullptr)
        pOZW->AfterFloat();
}

void OZWFrameDocking::ShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    // The frame whose layout holds the bar: its floating frame while it floats.
    CFrameWnd* pLayoutFrame = pBar->GetParentFrame();
    if (pLayoutFrame == nullptr)
        pLayoutFrame = pFrame;
    if (bDelay) {
        pBar->DelayShow(bShow);
        pLayoutFrame->DelayRecalcLayout();
    } else {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow);
        if (bShow || !pBar->IsFloating())
            pLayoutFrame->RecalcLayout(FALSE);
    }
    // A floating frame shows while it holds a visible bar.
    if (pBar->IsFloating() && pBar->m_pDockBar != nullptr && pLayoutFrame != pFrame) {
        const int nVisible = pBar->m_pDockBar->GetDockedVisibleCount();
        if (nVisible > 0 && bShow) {
            if (!pLayoutFrame->IsWindowVisible()) {
                pLayoutFrame->RecalcLayout(FALSE);
                pLayoutFrame->ShowWindow(SW_SHOWNA);
            }
        } else if (nVisible == 0) {
            if (pLayoutFrame->IsWindowVisible())
                pLayoutFrame->ShowWindow(SW_HIDE);
        } else if (!bDelay) {
            pLayoutFrame->RecalcLayout(FALSE);
        }
    }
    if (OZWDockBar* pDockBar = DYNAMIC_DOWNCAST(OZWDockBar, pBar->m_pDockBar))
        pDockBar->SetLastDockedBar(pBar);
}

void OZWFrameDocking::RedrawDockBars(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (OZWDockBar* pDockBar = DYNAMIC_DOWNCAST(OZWDockBar, pBar); pDockBar != nullptr && pDockBar->m_hWnd != nullptr)
            pDockBar->RedrawMovedBars();
    }
}
