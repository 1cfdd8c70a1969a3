// Docking of the toolkit's MDI frame: dock bars and auto-hide strips on its
// sides, floating bars, bars floated as MDI children of the main window,
// the bar context menu's frame items and the saved bar layout.
#include "frame/bars/FrameBarsRes.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/dockmodel/OZWBarStyles.h"
#include "frame/framemodel/OZWFrameModel.h"
#include "frame/mdi/OZWControlBarMDIChildWnd.h"
#include "frame/mdi/OZWFrameCommon.h"
#include "frame/mdi/OZWMDIFrameWnd.h"

namespace {

// The MDI child float window's resource (its icon) and style: a child with
// a caption, system menu, sizing border and the boxes, titled by its bar.
const UINT kMDIFloatResource = 20514;
const DWORD kMDIFloatStyle = 0x42CFA000;

OZWControlBar* ToolkitBar(CControlBar* pBar)
{
    return DYNAMIC_DOWNCAST(OZWControlBar, pBar);
}

// A bar that sizes itself floats horizontally.
DWORD FloatStyleFor(CControlBar* pBar, DWORD dwStyle)
{
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    return dwStyle;
}

} // namespace

OZWAutoHideBar* OZWMDIFrameWnd::GetAutoHideBar(DWORD dwSide)
{
    return ozwframe::AutoHideStripOfSide(m_autoHideBars, dwSide);
}

void OZWMDIFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    if (m_pMDIFloatClass == nullptr)
        m_pMDIFloatClass = RUNTIME_CLASS(OZWControlBarMDIChildWnd);
    ozwframe::EnableFrameDocking(this, m_autoHideBars, dwDockStyle);
}

void OZWMDIFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    OZWFrameDocking::FloatControlBar(this, pBar, point, dwStyle);
}

void OZWMDIFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    if ((pBar->IsVisible() != FALSE) == (bShow != FALSE))
        return;
    // A bar in an MDI child window shows and hides with its window.
    OZWDockBar* pDockBar = DYNAMIC_DOWNCAST(OZWDockBar, pBar->m_pDockBar);
    CFrameWnd* pChild = pDockBar != nullptr && pDockBar->m_bMDIChild ? pDockBar->GetParentFrame() : nullptr;
    OZWFrameDocking::ShowControlBar(this, pBar, bShow, bDelay);
    if (pChild != nullptr && ::IsWindow(pChild->m_hWnd)) {
        if (bShow && !pChild->IsWindowVisible()) {
            pChild->ShowWindow(SW_SHOW);
            pChild->RecalcLayout();
        } else if (!bShow && pChild->IsWindowVisible()) {
            pChild->ShowWindow(SW_HIDE);
        }
    }
}

CFrameWnd* OZWMDIFrameWnd::CreateMDIFloatFrame()
{
    CRuntimeClass* pClass = m_pMDIFloatClass != nullptr ? m_pMDIFloatClass : RUNTIME_CLASS(OZWControlBarMDIChildWnd);
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr)
        AfxThrowMemoryException();
    CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pObject);
    if (pChild == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (!pChild->LoadFrame(kMDIFloatResource, kMDIFloatStyle, this)) {
        // A frame whose window failed deletes itself when the window was
        // made at all; one without any window is deleted here.
        if (pChild->m_hWnd == nullptr)
            delete pChild;
        return nullptr;
    }
    return pChild;
}

CFrameWnd* OZWMDIFrameWnd::CreateMDIFloatingFrame(DWORD)
{
    return CreateMDIFloatFrame();
}

BOOL OZWMDIFrameWnd::FloatControlBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar->IsDockBar() || m_hWndMDIClient == nullptr)
        return FALSE;
    OZWControlBar* pOZW = ToolkitBar(pBar);
    if (pOZW != nullptr)
        pOZW->BeforeMDIFloat();

    CRect rectClient;
    ::GetClientRect(m_hWndMDIClient, &rectClient);
    const SIZE client = { rectClient.Width(), rectClient.Height() };
    POINT pt;
    if (point.x < 0 || point.y < 0) {
        POINT next = m_ptNextMDIFloat;
        pt = ozwframe::NextCascadePosition(&next, client);
        m_ptNextMDIFloat = next;
    } else {
        pt = point;
        ::ScreenToClient(m_hWndMDIClient, &pt);
    }
    pt = ozwframe::ClampMDIFloatPosition(pt, client);

    // Alone in such a window already: the window moves.
    OZWDockBar* pOld = DYNAMIC_DOWNCAST(OZWDockBar, pBar->m_pDockBar);
    if (pOld != nullptr && pOld->m_bMDIChild && pOld->GetDockedCount() == 1) {
        if (CFrameWnd* pChild = pOld->GetParentFrame()) {
            pChild->SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pChild->RecalcLayout();
            pChild->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
            return TRUE;
        }
    }

    dwStyle = FloatStyleFor(pBar, dwStyle);
    CFrameWnd* pChild = CreateMDIFloatFrame();
    OZWControlBarMDIChildWnd* pBarChild = DYNAMIC_DOWNCAST(OZWControlBarMDIChildWnd, pChild);
    if (pBarChild == nullptr) {
        if (pChild != nullptr)
            pChild->DestroyWindow();
        return FALSE;
    }
    pBarChild->GetDockBar().DockControlBarAtRect(pBar, nullptr);
    pBarChild->RecalcLayout();
    // The window wraps the bar as it was last seen.
    CSize size = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    CRect rect(CPoint(0, 0), size);
    ::AdjustWindowRectEx(&rect, (DWORD)pBarChild->GetStyle(), FALSE, (DWORD)pBarChild->GetExStyle());
    pBarChild->SetWindowPos(nullptr, pt.x, pt.y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pBarChild->ShowWindow(SW_SHOWNA);
    pBarChild->UpdateWindow();
    if (HICON hIcon = (HICON)pBar->SendMessage(WM_GETICON, ICON_BIG))
        pBarChild->SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    RecalcLayout();
    if (pOZW != nullptr)
        pOZW->AfterMDIFloat();
    return TRUE;
}

LRESULT OZWMDIFrameWnd::OnBarContextMenu(WPARAM wParam, LPARAM lParam)
{
    CControlBar* pBar = reinterpret_cast<CControlBar*>(wParam);
    CMenu* pMenu = reinterpret_cast<CMenu*>(lParam);
    if (pBar == nullptr || pMenu == nullptr)
        return 0;
    OZWDockBar* pDockBar = DYNAMIC_DOWNCAST(OZWDockBar, pBar->m_pDockBar);
    const BOOL bInMDIChild = pDockBar != nullptr && pDockBar->m_bMDIChild;
    if (bInMDIChild)
        pMenu->EnableMenuItem(ID_OZW_ALLOW_DOCKING, MF_BYCOMMAND | MF_GRAYED);
    OZWControlBar* pOZW = ToolkitBar(pBar);
    if (pOZW != nullptr && (pOZW->GetExBarStyle() & SCBX_MDI_FLOAT)) {
        CString strText;
        strText.LoadString(ID_OZW_FLOAT_IN_MAIN_WINDOW);
        pMenu->AppendMenu(MF_SEPARATOR);
        pMenu->AppendMenu(MF_STRING | (bInMDIChild ? MF_CHECKED : 0), ID_OZW_FLOAT_IN_MAIN_WINDOW, strText);
    }
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// The saved bar layout

void OZWMDIFrameWnd::ApplyDockState(OZWDockState& state)
{
    state.SetState(this);
}

BOOL OZWMDIFrameWnd::TakeDockState(OZWDockState& state)
{
    return state.GetState(this);
}

void OZWMDIFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    OZWDockState state(m_pControlBarManager);
    ozwframe::ReadFrameBarState(this, state, &m_loadedObjects, lpszProfileName);
    ApplyDockState(state);
}

void OZWMDIFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    OZWDockState state(m_pControlBarManager);
    if (const_cast<OZWMDIFrameWnd*>(this)->TakeDockState(state))
        state.SaveState(lpszProfileName);
}
