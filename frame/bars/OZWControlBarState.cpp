// OZWControlBar's record in the saved layout of its frame (OZWDockState):
// what the bar fills in when the layout is taken, and how it comes back
// when the layout is applied, auto-hidden as a tab or pinned in its dock bar.
#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWDockContext.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/dockstate/OZWControlBarManager.h"
#include "frame/dockstate/OZWDockState.h"

BOOL OZWControlBar::GetBarInfo(OZWControlBarInfo* pInfo)
{
    if (pInfo == nullptr || m_hWnd == nullptr)
        return FALSE;
    // The framework's part: id, visibility, the width it floated at, its
    // place in its dock bar and the dock context's remembered places.
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_nBarID &= 0xFFFF;
    pInfo->m_szMRUFloat = m_szFloat;
    pInfo->m_szMRUHorzDock = m_szHorzDock;
    pInfo->m_szMRUVertDock = m_szVertDock;
    pInfo->m_dwMRUDockingState = m_dwSavedDockStyle;
    pInfo->m_dwDockingStyle = m_dwDockStyle;
    pInfo->m_fPctWidth = m_fShare;
    pInfo->m_dwStyle = m_dwStyle;
    pInfo->m_dwExStyle = m_dwExStyle;
    pInfo->m_bAutoHide = m_bAutoHideMode;
    pInfo->m_bAutoHidePinned = m_bPinned;
    pInfo->m_nLastAlignedDocking = m_dwAutoHideSide;
    if (m_pControlBarManager != nullptr)
        pInfo->m_dwTypeID = m_pControlBarManager->GetBarTypeID(this);
    if (const OZWDockContext* pContext = dynamic_cast<const OZWDockContext*>(m_pDockContext))
        pInfo->m_bPrevFloating = pContext->m_bWasFloating;
    pInfo->m_strClassName = GetRuntimeClass()->m_lpszClassName;
    GetWindowText(pInfo->m_strWindowName);
    return SaveExtraInfo(pInfo);
}

void OZWControlBar::SetBarInfo(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    if (pInfo == nullptr || m_hWnd == nullptr)
        return;
    m_nMRUWidth = pInfo->m_nMRUWidth > 0 ? pInfo->m_nMRUWidth : 32767;
    m_szFloat = pInfo->m_szMRUFloat;
    m_szHorzDock = pInfo->m_szMRUHorzDock;
    m_szVertDock = pInfo->m_szMRUVertDock;
    m_dwSavedDockStyle = pInfo->m_dwMRUDockingState;
    m_dwDockStyle = pInfo->m_dwDockingStyle;
    m_fShare = pInfo->m_fPctWidth;
    // The bar's side and floating bit are its dock bar's to give: only the
    // kept bits come from the record.
    SetBarStyle((pInfo->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_FLOATING)));

    if (pInfo->m_bAutoHide) {
        m_bAutoHideMode = TRUE;
        EnterAutoHide();
        const BOOL bPinned = pInfo->m_bAutoHidePinned;
        const DWORD dwSide = ozwbar::DockBarIDToSide(ozwbar::SideToDockBarID(pInfo->m_nLastAlignedDocking));
        if (GetToolkitFrame() != nullptr) {
            if (!bPinned && dwSide != 0) {
                // As a tab of its side, hidden in its slide window. Pinned
                // as it is now, so that unpinning finds it docked.
                m_bPinned = TRUE;
                UnpinToSide(dwSide);
            } else if (!m_bPinned) {
                PinBackOnSide(m_dwAutoHideSide);
            } else {
                m_bPinned = TRUE;
                m_dwAutoHideSide = 0;
            }
            if (CFrameWnd* pFrame = GetDockingFrame())
                pFrame->RecalcLayout();
        } else {
            m_bPinned = bPinned;
            m_dwAutoHideSide = dwSide;
        }
    }

    if (m_pDockContext != nullptr && pInfo->m_bDocking) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
        if (OZWDockContext* pContext = dynamic_cast<OZWDockContext*>(m_pDockContext))
            pContext->m_bWasFloating = pInfo->m_bPrevFloating;
    }
    if (pInfo->m_pBarInfoEx != nullptr)
        LoadExtraInfo(pInfo, pFrameWnd);

    // Last its place along its row and whether it shows. An unpinned
    // auto-hide bar stays hidden in its slide window whatever the record
    // says: it shows when its tab is touched.
    const bool bTab = m_bAutoHideMode && !m_bPinned;
    if (m_pDockBar != nullptr && !IsFloating() && pInfo->m_pointPos.x != -1 && pInfo->m_pointPos.y != -1)
        SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DelayShow(bTab ? FALSE : pInfo->m_bVisible);
}

void OZWControlBar::GetBarInfoEx(OZWControlBarInfo* pInfo)
{
    GetBarInfo(pInfo);
}

void OZWControlBar::SetBarInfoEx(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    SetBarInfo(pInfo, pFrameWnd);
}

BOOL OZWControlBar::CreateFromInfo(CFrameWnd* pParent, OZWControlBarInfo* pInfo)
{
    if (pParent == nullptr || pInfo == nullptr || pInfo->m_nBarID == 0)
        return FALSE;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | (pInfo->m_dwStyle & CBRS_ALL);
    return Create(pParent, pInfo->m_strWindowName, dwStyle, pInfo->m_dwExStyle, pInfo->m_nBarID);
}
