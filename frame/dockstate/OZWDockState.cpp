// The layout of a frame's bars: captured, applied, and kept in the profile,
// a settings tree or an archive.
#include "frame/dockstate/OZWDockState.h"
#include "frame/dockstate/OZWControlBarManager.h"
#include "frame/settings/OZWPersistentTreeNode.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(OZWDockState, CDockState)

namespace {

using ozwdockstate::kMaxBars;

IOZWDockStateBar* StateBar(CWnd* pWnd)
{
    return dynamic_cast<IOZWDockStateBar*>(pWnd);
}

// A bar hosting a frame that floats in a mini frame (or a floating dock
// bar holding one) is not part of the layout: its frame keeps itself.
bool IsFloatingFrameHost(CControlBar* pBar)
{
    CFrameWnd* pParentFrame = pBar->GetParentFrame();
    if (pParentFrame == nullptr || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        return false;
    CWnd* pWnd = pBar;
    if (pBar->IsDockBar())
        pWnd = CWnd::FromHandlePermanent(::GetWindow(pBar->m_hWnd, GW_CHILD));
    IOZWDockStateBar* pStateBar = StateBar(pWnd);
    return pStateBar != nullptr && pStateBar->IsFrameHost();
}

} // namespace

OZWDockState::OZWDockState(OZWControlBarManager* pManager) : m_pManager(pManager) {}

OZWControlBarInfo* OZWDockState::CreateBarInfo(OZWControlBarManager* pManager)
{
    return new OZWControlBarInfo(pManager);
}

CControlBarInfo* OZWDockState::NewBarInfo()
{
    return CreateBarInfo(m_pManager);
}

void OZWDockState::TakeManagerFrom(CFrameWnd* pFrame)
{
    if (m_pManager != nullptr)
        return;
    if (IOZWDockStateFrame* pStateFrame = dynamic_cast<IOZWDockStateFrame*>(pFrame))
        m_pManager = pStateFrame->GetControlBarManager();
}

/////////////////////////////////////////////////////////////////////////////
// Tree form

BOOL OZWDockState::SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent)
{
    if (pFactory == nullptr || pParent == nullptr)
        return FALSE;
    OZWPersistentTreeNode* pNode = pFactory->CreateNode("DockState", pParent);
    if (pNode == nullptr)
        return FALSE;
    int n = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        if (GetBarInfo(i)->SaveState(pFactory, pNode, n))
            ++n;
    }
    const CSize size = GetScreenSize();
    pNode->SetInt("Bars", n, TRUE);
    pNode->SetInt("ScreenCX", size.cx, TRUE);
    pNode->SetInt("ScreenCY", size.cy, TRUE);
    return TRUE;
}

BOOL OZWDockState::LoadState(OZWPersistentTreeNode* pParent)
{
    OZWPersistentTreeNode* pNode = pParent != nullptr ? pParent->FindChild("DockState") : nullptr;
    if (pNode == nullptr)
        return FALSE;
    int nBars = 0;
    long cx = 0, cy = 0;
    pNode->GetInt("Bars", &nBars, 0);
    pNode->GetLong("ScreenCX", &cx, 0);
    pNode->GetLong("ScreenCY", &cy, 0);
    CSize size(cx, cy);
    SetScreenSize(size);
    nBars = std::clamp(nBars, 0, kMaxBars);
    for (int i = 0; i < nBars; ++i) {
        CString name;
        name.Format("Bar-%d", i);
        OZWPersistentTreeNode* pChild = pNode->FindChild(name);
        if (pChild == nullptr)
            continue;
        OZWControlBarInfo* pInfo = CreateBarInfo(m_pManager);
        m_arrBarInfo.Add(pInfo);
        pInfo->LoadState(pChild, this);
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Capture and apply

BOOL OZWDockState::GetState(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    Clear();
    TakeManagerFrom(pFrame);
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == nullptr || IsFloatingFrameHost(pBar))
            continue;
        IOZWDockStateBar* pStateBar = StateBar(pBar);
        // The toolkit's bars and the dock bars; no other bar is captured.
        if (pStateBar == nullptr && !pBar->IsDockBar())
            continue;
        OZWControlBarInfo* pInfo = CreateBarInfo(m_pManager);
        if (pStateBar != nullptr)
            pStateBar->GetBarInfoEx(pInfo);
        else
            pBar->GetBarInfo(pInfo);
        m_arrBarInfo.Add(pInfo);
    }
    return TRUE;
}

BOOL OZWDockState::SetState(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    TakeManagerFrom(pFrame);
    const BOOL bMDI = pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
    CreateBars(pFrame, bMDI);
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        OZWControlBarInfo* pInfo = GetBarInfo(i);
        CControlBar* pBar = pInfo->m_pBar;
        if (pBar == nullptr)
            continue;
        if (IOZWDockStateBar* pStateBar = StateBar(pBar))
            pStateBar->SetBarInfoEx(pInfo, pFrame);
        else
            pBar->SetBarInfo(pInfo, pFrame);
    }
    DestroyEmptyFloatingFrames(pFrame);
    PositionBars();
    pFrame->RecalcLayout(TRUE);
    if (bMDI) {
        RestoreMDIChildPlacements(pFrame);
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    }
    return TRUE;
}

void OZWDockState::DestroyEmptyFloatingFrames(CFrameWnd* pFrame)
{
    // A floating frame can be left without a bar: an unpinned auto-hide bar
    // floats into a new slide window when its record is applied and the
    // record of its saved slide window then takes it; a floating frame's
    // record named twice makes two frames for one bar. Kept, such a frame
    // would stay hidden for good, and be saved and made again at every
    // start, one more each time.
    std::vector<HWND> emptyFrames;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == nullptr || !pBar->IsDockBar() || !static_cast<CDockBar*>(pBar)->m_bFloating ||
            static_cast<CDockBar*>(pBar)->GetDockedCount() != 0)
            continue;
        CFrameWnd* pFloating = pBar->GetParentFrame();
        if (pFloating == nullptr || pFloating == pFrame)
            continue;
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize();) {
            OZWControlBarInfo* pInfo = GetBarInfo(i);
            if (pInfo->m_pBar != pBar) {
                ++i;
                continue;
            }
            m_arrBarInfo.RemoveAt(i);
            delete pInfo;
        }
        emptyFrames.push_back(pFloating->m_hWnd);
    }
    for (HWND hFloating : emptyFrames) {
        if (!::IsWindow(hFloating))
            continue;
        // Through the frame object, so that an MDI child goes the MDI way.
        if (CWnd* pFloating = CWnd::FromHandlePermanent(hFloating))
            pFloating->DestroyWindow();
        else
            ::DestroyWindow(hFloating);
    }
}

void OZWDockState::CreateBars(CFrameWnd* pFrame, BOOL bMDI)
{
    IOZWDockStateFrame* pStateFrame = dynamic_cast<IOZWDockStateFrame*>(pFrame);
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize();) {
        OZWControlBarInfo* pInfo = GetBarInfo(i);
        pInfo->m_pBar = nullptr;
        // A floating dock bar's record makes a floating frame; a bar's own
        // record (floating or not) names a bar of the frame.
        if (pInfo->m_bFloating && pInfo->m_bDockBar) {
            const DWORD dwStyle = pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
            CFrameWnd* pFloating = nullptr;
            if (pInfo->m_bMDIChild && bMDI && pStateFrame != nullptr) {
                pFloating = pStateFrame->CreateMDIFloatingFrame(dwStyle);
            } else {
                try {
                    pFloating = pFrame->CreateFloatingFrame(dwStyle);
                } catch (CException* e) {
                    e->Delete();
                }
            }
            CControlBar* pDockBar = pFloating != nullptr
                                        ? DYNAMIC_DOWNCAST(CControlBar, pFloating->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT))
                                        : nullptr;
            if (pDockBar != nullptr) {
                pInfo->m_pBar = pDockBar;
                pDockBar->m_pDockBar = nullptr;
            }
        } else {
            CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID);
            if (pBar == nullptr && m_pManager != nullptr)
                pBar = m_pManager->CreateControlBar(pInfo);
            if (pBar == nullptr)
                pBar = CreateControlBar(pInfo->m_strClassName, pFrame, pInfo);
            pInfo->m_pBar = pBar;
        }
        if (pInfo->m_pBar == nullptr) {
            // No bar for the record (nor a floating frame for it): it leaves
            // the layout, and the next record takes its place.
            m_arrBarInfo.RemoveAt(i);
            delete pInfo;
            continue;
        }
        ++i;
    }
}

CRuntimeClass* OZWDockState::FindRuntimeClass(LPCTSTR lpszClassName)
{
    if (lpszClassName == nullptr || lpszClassName[0] == '\0')
        return nullptr;
    return CRuntimeClass::FromName(lpszClassName);
}

CControlBar* OZWDockState::CreateControlBar(LPCTSTR lpszClassName, CFrameWnd* pParent, OZWControlBarInfo* pInfo)
{
    CRuntimeClass* pClass = FindRuntimeClass(lpszClassName);
    if (pClass == nullptr || pClass->m_pfnCreateObject == nullptr
        || !pClass->IsDerivedFrom(RUNTIME_CLASS(CControlBar)))
        return nullptr;
    CObject* pObject = pClass->CreateObject();
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, pObject);
    IOZWDockStateBar* pStateBar = StateBar(pBar);
    // Only the toolkit's bars know how to come back from a record.
    if (pStateBar == nullptr || !pStateBar->CreateFromInfo(pParent, pInfo)) {
        if (pBar != nullptr && pBar->m_hWnd != nullptr)
            pBar->DestroyWindow();
        delete pObject;
        return nullptr;
    }
    if (m_pCreatedBars != nullptr)
        m_pCreatedBars->AddTail(pBar);
    pBar->SetWindowText(pInfo->m_strWindowName);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

void OZWDockState::PositionBars()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        OZWControlBarInfo* pInfo = GetBarInfo(i);
        CControlBar* pBar = pInfo->m_pBar;
        if (pBar == nullptr)
            continue;
        if (IOZWDockStateBar* pStateBar = StateBar(pBar))
            pStateBar->SetExtendedStyle(pInfo->m_dwExStyle);
        if (!pInfo->m_bFloating || !pInfo->m_bDockBar)
            continue;
        CFrameWnd* pFloating = pBar->GetParentFrame();
        if (pFloating == nullptr)
            continue;
        CRect rect(pInfo->m_pointPos, CSize(10, 10));
        pFloating->CalcWindowRect(&rect, 0);
        pFloating->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pBar);
        const bool bShown = pDockBar != nullptr && pDockBar->GetDockedVisibleCount() > 0;
        if (bShown)
            pFloating->RecalcLayout(TRUE);
        // The whole frame on the work area, wherever it was saved.
        if (CMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pFloating))
            pMini->KeepOnWorkArea();
        if (bShown)
            pFloating->ShowWindow(SW_SHOWNA);
        if (pBar->m_pDockBar != nullptr) {
            if (IOZWDockStateBar* pOwner = StateBar(pBar->m_pDockBar))
                pOwner->AddPendingBar(pBar);
        }
    }
}

void OZWDockState::RestoreMDIChildPlacements(CFrameWnd*)
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        OZWControlBarInfo* pInfo = GetBarInfo(i);
        if (!pInfo->m_bMDIChild || pInfo->m_pBar == nullptr)
            continue;
        CFrameWnd* pChild = pInfo->m_pBar->GetParentFrame();
        if (pChild != nullptr && pInfo->m_wpMDIChild.length == sizeof(WINDOWPLACEMENT))
            pChild->SetWindowPlacement(&pInfo->m_wpMDIChild);
    }
}
