#include "toolbars/bar/OZWToolBarManager.h"

#include "frame/settings/OZWPersistentTreeNode.h"
#include "toolbars/bar/OZWCustomToolBar.h"
#include "toolbars/bar/OZWCustomToolBarInfoEx.h"
#include "toolbars/bar/ToolBarRes.h"
#include "toolbars/model/ToolBarIds.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

const char kToolTips[] = "ToolTips";
const char kCoolLook[] = "CoolLook";
const char kLargeButtons[] = "LargeButtons";
const char kTreeNode[] = "ToolBarMgr";

// The window styles of every toolbar the manager makes.
const DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_SIZE_DYNAMIC;
const DWORD kCoolLookStyle = 0x300;

} // namespace

UINT OZWGetBarNotifyMessage()
{
    static const UINT s_nMessage = ::RegisterWindowMessageA("WM_BARNOTIFY");
    return s_nMessage;
}

UINT OZWGetToolBarStyleChangingMessage()
{
    static const UINT s_nMessage = ::RegisterWindowMessageA("WM_TOOLBARSTYLECHANGING");
    return s_nMessage;
}

IMPLEMENT_DYNAMIC(OZWToolBarManager, OZWControlBarManager)

OZWToolBarManager::OZWToolBarManager(CFrameWnd* pFrame, CWnd* pOwner)
    : OZWControlBarManager(pFrame), m_pCurrentCommand(new OZWCurrentCommand), m_pBmpMgr(new OZWBmpMgr),
      m_pDrawData(new OZWBtnDrawData), m_pOwner(pOwner), m_pToolBarClass(RUNTIME_CLASS(OZWCustomToolBar))
{
    m_pBmpMgr->SetSmallMode(!m_bLargeButtons);
}

OZWToolBarManager::~OZWToolBarManager()
{
    // Toolbars that outlive the manager forget it.
    for (OZWCustomToolBar* pBar : GetToolBars())
        if (pBar->GetManager() == this)
            pBar->SetManager(nullptr);
    for (DefaultToolBar* pDefault : m_defaults) {
        if (pDefault->bOwnIDs)
            delete[] pDefault->pIDs;
        delete pDefault;
    }
    delete[] m_pMenuBarIDs;
    delete[] m_pMenuBarButtonMap;
    delete m_pDrawData;
    m_pCurrentCommand->Release();
    m_pBmpMgr->Release();
}

/////////////////////////////////////////////////////////////////////////////
// Settings

std::vector<OZWCustomToolBar*> OZWToolBarManager::GetToolBars() const
{
    std::vector<OZWCustomToolBar*> bars;
    if (m_pFrameWnd == nullptr)
        return bars;
    for (POSITION pos = m_pFrameWnd->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pFrameWnd->m_listControlBars.GetNext(pos));
        if (OZWCustomToolBar* pToolBar = dynamic_cast<OZWCustomToolBar*>(pBar))
            bars.push_back(pToolBar);
    }
    return bars;
}

void OZWToolBarManager::EnableCoolLook(BOOL bEnable, DWORD dwExStyle)
{
    bEnable = bEnable ? TRUE : FALSE;
    if (bEnable == m_bCoolLook)
        return;
    m_bCoolLook = bEnable;
    for (OZWCustomToolBar* pBar : GetToolBars()) {
        pBar->ModifyExBarStyle(bEnable ? 0 : dwExStyle, bEnable ? dwExStyle : 0, FALSE);
        if ((dwExStyle & TBX_COOLLOOK) && pBar->GetSafeHwnd() != nullptr)
            pBar->Invalidate();
    }
    if (m_pFrameWnd != nullptr)
        m_pFrameWnd->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
}

void OZWToolBarManager::EnableToolTips(BOOL bEnable)
{
    bEnable = bEnable ? TRUE : FALSE;
    if (bEnable == m_bToolTips)
        return;
    m_bToolTips = bEnable;
    for (OZWCustomToolBar* pBar : GetToolBars())
        pBar->SetBarStyle(bEnable ? (pBar->GetBarStyle() | CBRS_TOOLTIPS) : (pBar->GetBarStyle() & ~CBRS_TOOLTIPS));
}

void OZWToolBarManager::EnableFlyBy(BOOL bEnable)
{
    bEnable = bEnable ? TRUE : FALSE;
    if (bEnable == m_bFlyBy)
        return;
    m_bFlyBy = bEnable;
    for (OZWCustomToolBar* pBar : GetToolBars())
        pBar->SetBarStyle(bEnable ? (pBar->GetBarStyle() | CBRS_FLYBY) : (pBar->GetBarStyle() & ~CBRS_FLYBY));
}

void OZWToolBarManager::EnableLargeBtns(BOOL bEnable)
{
    bEnable = bEnable ? TRUE : FALSE;
    if (bEnable == m_bLargeButtons)
        return;
    m_bLargeButtons = bEnable;
    OnLargeBtnsChanged();
}

BOOL OZWToolBarManager::OnLargeBtnsChanged()
{
    m_pBmpMgr->SetSmallMode(!m_bLargeButtons);
    const CSize size = GetImageSize();
    const std::vector<OZWCustomToolBar*> bars = GetToolBars();
    for (OZWCustomToolBar* pBar : bars) {
        pBar->UpdateButtonSize(size.cx, size.cy);
        if (pBar->IsFloating())
            if (CFrameWnd* pFloatFrame = pBar->GetParentFrame())
                pFloatFrame->RecalcLayout();
    }
    if (!bars.empty() && m_pFrameWnd != nullptr) {
        m_pFrameWnd->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
        // The frame lays its bars out at once: while the modal customise
        // sheet runs, the frame's idle time (the delayed layout) never comes,
        // and the bars would draw the new images in their old rows.
        if (m_pFrameWnd->GetSafeHwnd() != nullptr)
            m_pFrameWnd->RecalcLayout();
    }
    return TRUE;
}

CSize OZWToolBarManager::GetImageSize() const
{
    return m_pBmpMgr->GetImageSize();
}

DWORD OZWToolBarManager::GetToolBarStyle() const
{
    return kToolBarStyle | (m_bFlyBy ? CBRS_FLYBY : 0) | (m_bToolTips ? CBRS_TOOLTIPS : 0);
}

DWORD OZWToolBarManager::GetToolBarExStyle() const
{
    return m_bCoolLook ? kCoolLookStyle : 0;
}

/////////////////////////////////////////////////////////////////////////////
// Images and default toolbars

BOOL OZWToolBarManager::LoadToolBarResource(UINT nSmallID, UINT nLargeID)
{
    return m_pBmpMgr->AddToolBarResource(nSmallID, nLargeID, TRUE) > 0;
}

void OZWToolBarManager::DefineDefaultToolBar(UINT nID, LPCTSTR lpszTitle, int nCount, UINT* pIDs, DWORD dwDockStyle,
                                             UINT nDockBarID, UINT nDockNextToID, BOOL bDocked, BOOL bVisible)
{
    m_defaults.push_back(new DefaultToolBar{nID, lpszTitle, nCount, pIDs, FALSE, dwDockStyle, nDockBarID,
                                            nDockNextToID, bDocked, bVisible});
}

BOOL OZWToolBarManager::DefineDefaultToolBar(UINT nID, LPCTSTR lpszTitle, UINT nResourceID, DWORD dwDockStyle,
                                             UINT nDockBarID, UINT nDockNextToID, BOOL bDocked, BOOL bVisible)
{
    UINT* pIDs = nullptr;
    int nCount = 0;
    if (!OZWBmpMgr::ReadToolBarResource(nResourceID, &pIDs, &nCount, nullptr, nullptr, TRUE))
        return FALSE;
    m_defaults.push_back(new DefaultToolBar{nID, lpszTitle, nCount, pIDs, TRUE, dwDockStyle, nDockBarID,
                                            nDockNextToID, bDocked, bVisible});
    return TRUE;
}

const OZWToolBarManager::DefaultToolBar* OZWToolBarManager::FindDefault(UINT nID) const
{
    for (const DefaultToolBar* pDefault : m_defaults)
        if (pDefault->nID == nID)
            return pDefault;
    return nullptr;
}

BOOL OZWToolBarManager::GetDefaultToolBarButtons(UINT nID, int* pnCount, UINT** ppIDs) const
{
    const DefaultToolBar* pDefault = FindDefault(nID);
    if (pDefault == nullptr)
        return FALSE;
    if (pnCount != nullptr)
        *pnCount = pDefault->nCount;
    if (ppIDs != nullptr)
        *ppIDs = pDefault->pIDs;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Toolbars

OZWCustomToolBar* OZWToolBarManager::NewToolBar(UINT nID, LPCTSTR lpszTitle)
{
    if (m_pFrameWnd == nullptr || m_pToolBarClass == nullptr)
        return nullptr;
    CObject* pObject = m_pToolBarClass->CreateObject();
    OZWCustomToolBar* pBar = dynamic_cast<OZWCustomToolBar*>(pObject);
    if (pBar == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (m_pOwner != nullptr)
        pBar->SetOwner(m_pOwner);
    pBar->SetManager(this);
    pBar->SetBmpMgr(m_pBmpMgr);
    const CSize size = GetImageSize();
    pBar->UpdateButtonSize(size.cx, size.cy);
    if (!pBar->CreateEx(GetToolBarExStyle(), m_pFrameWnd, GetToolBarStyle(), nID, lpszTitle)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetConfigMode(m_bConfigMode);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pBar->m_bAutoDelete = TRUE;
    return pBar;
}

BOOL OZWToolBarManager::SetupDefaultToolBars()
{
    if (m_pFrameWnd == nullptr)
        return FALSE;
    std::vector<OZWCustomToolBar*> made;
    for (const DefaultToolBar* pDefault : m_defaults) {
        OZWCustomToolBar* pBar = NewToolBar(pDefault->nID, pDefault->strTitle);
        if (pBar == nullptr)
            return FALSE;
        made.push_back(pBar);
        pBar->SetButtons(pDefault->pIDs, pDefault->nCount);
        pBar->EnableDocking(pDefault->dwDockStyle);
        // Beside the toolbar named (defined before it), else on its own.
        OZWCustomToolBar* pNextTo = nullptr;
        for (size_t i = 0; i + 1 < made.size() && pDefault->nDockNextToID != 0; ++i)
            if ((UINT)made[i]->GetDlgCtrlID() == pDefault->nDockNextToID)
                pNextTo = made[i];
        if (pNextTo == nullptr) {
            m_pFrameWnd->DockControlBar(pBar, pDefault->nDockBarID);
            continue;
        }
        m_pFrameWnd->RecalcLayout();
        CRect rect;
        pNextTo->GetWindowRect(&rect);
        if (pDefault->nDockBarID == AFX_IDW_DOCKBAR_TOP || pDefault->nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
            rect.OffsetRect(1, 0);
        else
            rect.OffsetRect(0, 1);
        m_pFrameWnd->DockControlBar(pBar, pDefault->nDockBarID, &rect);
    }
    m_pFrameWnd->RecalcLayout();
    for (size_t i = 0; i < made.size(); ++i) {
        const DefaultToolBar* pDefault = m_defaults[i];
        if (!pDefault->bVisible)
            m_pFrameWnd->ShowControlBar(made[i], FALSE, FALSE);
        if (!pDefault->bDocked && made[i]->m_pDockContext != nullptr)
            made[i]->m_pDockContext->ToggleDocking();
    }
    return TRUE;
}

OZWCustomToolBar* OZWToolBarManager::CreateUserToolBar(LPCTSTR lpszTitle)
{
    if (m_pFrameWnd == nullptr)
        return nullptr;
    std::set<UINT> used;
    for (POSITION pos = m_pFrameWnd->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pFrameWnd->m_listControlBars.GetNext(pos));
        if (pBar->GetSafeHwnd() != nullptr)
            used.insert((UINT)pBar->GetDlgCtrlID());
    }
    const UINT nID = ozwtb::FirstFreeUserBarId(used);
    if (nID == 0)
        return nullptr;
    CString strTitle;
    if (lpszTitle != nullptr) {
        strTitle = lpszTitle;
    }
    else {
        CString strFormat;
        if (!strFormat.LoadString(IDS_OZW_USER_TOOLBAR))
            strFormat = "ToolBar%d";
        strTitle.Format(strFormat, (int)(nID - ozwtb::kFirstUserBarId + 1));
    }
    return NewToolBar(nID, strTitle);
}

OZWCustomToolBar* OZWToolBarManager::ToolBarFromID(UINT nID)
{
    for (OZWCustomToolBar* pBar : GetToolBars())
        if (pBar->GetSafeHwnd() != nullptr && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    return nullptr;
}

OZWCustomToolBar* OZWToolBarManager::ToolBarUnderRect(LPCRECT lpRectScreen)
{
    struct Candidate
    {
        OZWCustomToolBar* pBar;
        BOOL bFloating;
        HWND hTop;
    };
    std::vector<Candidate> candidates;
    for (OZWCustomToolBar* pBar : GetToolBars()) {
        if (pBar->GetSafeHwnd() == nullptr || !pBar->IsWindowVisible())
            continue;
        const BOOL bFloating = pBar->IsFloating();
        CRect rect;
        CWnd* pFloatFrame = bFloating ? pBar->GetParentFrame() : nullptr;
        if (pFloatFrame != nullptr)
            pFloatFrame->GetWindowRect(&rect);
        else
            pBar->GetWindowRect(&rect);
        CRect rectCommon;
        if (rectCommon.IntersectRect(&rect, lpRectScreen))
            candidates.push_back({pBar, bFloating, ::GetAncestor(pBar->m_hWnd, GA_ROOT)});
    }
    if (candidates.empty())
        return nullptr;
    if (candidates.size() == 1)
        return candidates.front().pBar;
    // A floating toolbar lies above the docked ones.
    for (size_t i = 0; i < candidates.size() && candidates.size() > 1;) {
        if (!candidates[i].bFloating)
            candidates.erase(candidates.begin() + (ptrdiff_t)i);
        else
            ++i;
    }
    if (candidates.size() == 1)
        return candidates.front().pBar;
    for (HWND h = ::GetTopWindow(nullptr); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        for (const Candidate& c : candidates)
            if (c.hTop == h)
                return c.pBar;
    return nullptr;
}

void OZWToolBarManager::AttachToolBars()
{
    const std::vector<OZWCustomToolBar*> bars = GetToolBars();
    for (OZWCustomToolBar* pBar : bars) {
        pBar->SetManager(this);
        pBar->SetBmpMgr(m_pBmpMgr);
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->Invalidate();
    }
    if (bars.empty())
        SetupDefaultToolBars();
}

void OZWToolBarManager::InformBtn(UINT nID, int nCode, void* pData)
{
    for (OZWCustomToolBar* pBar : GetToolBars())
        for (int i = 0; i < pBar->GetButtonCount(); ++i) {
            OZWStdBtn* pButton = pBar->GetButton(i);
            if (pButton->m_nID == nID && !pButton->IsSeparator())
                pButton->InformBtn(nCode, pData);
        }
}

/////////////////////////////////////////////////////////////////////////////
// Customise mode

void OZWToolBarManager::EnterCustomizeMode()
{
    if (m_bCustomizeMode || m_pFrameWnd == nullptr || m_pFrameWnd->GetSafeHwnd() == nullptr)
        return;
    m_bCustomizeMode = TRUE;
    m_pFrameWnd->EnableWindow(TRUE);
    // Only the dock bars (and the toolbars in them) take the mouse.
    for (HWND h = ::GetWindow(m_pFrameWnd->m_hWnd, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!::IsWindowEnabled(h))
            continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        CControlBar* pBar = dynamic_cast<CControlBar*>(pWnd);
        if (pBar != nullptr && pBar->IsDockBar())
            continue;
        ::EnableWindow(h, FALSE);
        m_disabledWindows.push_back(h);
    }
}

void OZWToolBarManager::ExitCustomizeMode()
{
    if (!m_bCustomizeMode)
        return;
    m_bCustomizeMode = FALSE;
    if (m_pFrameWnd != nullptr && m_pFrameWnd->GetSafeHwnd() != nullptr)
        m_pFrameWnd->EnableWindow(FALSE);
    for (HWND h : m_disabledWindows)
        if (::IsWindow(h))
            ::EnableWindow(h, TRUE);
    m_disabledWindows.clear();
}

void OZWToolBarManager::EnableConfigMode(BOOL bEnable)
{
    bEnable = bEnable ? TRUE : FALSE;
    if (bEnable == m_bConfigMode)
        return;
    m_bConfigMode = bEnable;
    for (OZWCustomToolBar* pBar : GetToolBars())
        pBar->SetConfigMode(bEnable);
}

void OZWToolBarManager::GetCustomizeDlgRect(LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (m_pCustomizeDlg != nullptr && m_pCustomizeDlg->GetSafeHwnd() != nullptr)
        m_pCustomizeDlg->GetWindowRect(lpRect);
}

void OZWToolBarManager::AddNotifyWnd(CWnd* pWnd)
{
    if (pWnd != nullptr && std::find(m_notifyWindows.begin(), m_notifyWindows.end(), pWnd) == m_notifyWindows.end())
        m_notifyWindows.push_back(pWnd);
}

void OZWToolBarManager::RemoveNotifyWnd(CWnd* pWnd)
{
    m_notifyWindows.erase(std::remove(m_notifyWindows.begin(), m_notifyWindows.end(), pWnd), m_notifyWindows.end());
}

void OZWToolBarManager::BroadcastBarNotify(UINT nBarID, LPARAM nCode)
{
    // A window may leave the list while it is told.
    const std::vector<CWnd*> windows = m_notifyWindows;
    for (CWnd* pWnd : windows) {
        if (std::find(m_notifyWindows.begin(), m_notifyWindows.end(), pWnd) == m_notifyWindows.end())
            continue;
        if (pWnd->GetSafeHwnd() != nullptr && ::IsWindow(pWnd->m_hWnd))
            pWnd->SendMessage(OZWGetBarNotifyMessage(), nBarID, nCode);
    }
}

OZWCurrentCommand* OZWToolBarManager::GetCurrentCommand()
{
    m_pCurrentCommand->AddRef();
    return m_pCurrentCommand;
}

/////////////////////////////////////////////////////////////////////////////
// Saved settings and the saved layout

void OZWToolBarManager::ApplySettings(BOOL bToolTips, BOOL bCoolLook, BOOL bLargeButtons)
{
    EnableToolTips(bToolTips);
    EnableCoolLook(bCoolLook, kCoolLookStyle);
    EnableLargeBtns(bLargeButtons);
}

BOOL OZWToolBarManager::LoadState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && lpszProfileName != nullptr) {
        CString section;
        section.Format("%s-ToolBarManager", lpszProfileName);
        ApplySettings(pApp->GetProfileInt(section, kToolTips, m_bToolTips) != 0,
                      pApp->GetProfileInt(section, kCoolLook, m_bCoolLook) != 0,
                      pApp->GetProfileInt(section, kLargeButtons, m_bLargeButtons) != 0);
    }
    AttachToolBars();
    return TRUE;
}

BOOL OZWToolBarManager::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszProfileName == nullptr)
        return FALSE;
    CString section;
    section.Format("%s-ToolBarManager", lpszProfileName);
    return pApp->WriteProfileInt(section, kToolTips, m_bToolTips) &&
           pApp->WriteProfileInt(section, kCoolLook, m_bCoolLook) &&
           pApp->WriteProfileInt(section, kLargeButtons, m_bLargeButtons);
}

BOOL OZWToolBarManager::LoadState(OZWPersistentTreeNode* pParent)
{
    const BOOL bBase = OZWControlBarManager::LoadState(pParent);
    OZWPersistentTreeNode* pNode = bBase ? pParent->FindChild(kTreeNode) : nullptr;
    if (pNode != nullptr) {
        int nToolTips = m_bToolTips, nCoolLook = m_bCoolLook, nLarge = m_bLargeButtons;
        pNode->GetInt(kToolTips, &nToolTips, m_bToolTips);
        pNode->GetInt(kCoolLook, &nCoolLook, m_bCoolLook);
        pNode->GetInt(kLargeButtons, &nLarge, m_bLargeButtons);
        ApplySettings(nToolTips != 0, nCoolLook != 0, nLarge != 0);
    }
    else {
        // No saved settings: tool tips and cool look on, small buttons, on
        // every toolbar alike.
        ApplySettings(TRUE, TRUE, FALSE);
    }
    AttachToolBars();
    return bBase;
}

BOOL OZWToolBarManager::SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent)
{
    if (!OZWControlBarManager::SaveState(pFactory, pParent) || pFactory == nullptr)
        return FALSE;
    OZWPersistentTreeNode* pNode = pFactory->CreateNode(kTreeNode, pParent);
    if (pNode == nullptr)
        return FALSE;
    pNode->SetInt(kToolTips, m_bToolTips, TRUE);
    pNode->SetInt(kCoolLook, m_bCoolLook, TRUE);
    pNode->SetInt(kLargeButtons, m_bLargeButtons, TRUE);
    return TRUE;
}

UINT OZWToolBarManager::GetBarTypeID(CControlBar* pBar)
{
    if (dynamic_cast<OZWCustomToolBar*>(pBar) != nullptr)
        return ozwtb::kToolBarTypeId;
    return OZWControlBarManager::GetBarTypeID(pBar);
}

OZWControlBarInfoEx* OZWToolBarManager::CreateBarInfoEx(OZWControlBarInfo* pInfo)
{
    if (pInfo != nullptr && (pInfo->m_dwTypeID == ozwtb::kToolBarTypeId || pInfo->m_dwTypeID == ozwtb::kMenuBarTypeId))
        return new OZWCustomToolBarInfoEx;
    return OZWControlBarManager::CreateBarInfoEx(pInfo);
}

CControlBar* OZWToolBarManager::CreateControlBar(OZWControlBarInfo* pInfo)
{
    if (pInfo == nullptr)
        return nullptr;
    if (pInfo->m_dwTypeID == ozwtb::kToolBarTypeId) {
        // Only an id the toolbars may have: the saved layout is the user's file.
        if (pInfo->m_nBarID == 0 || pInfo->m_nBarID > 0xFFFF)
            return nullptr;
        OZWCustomToolBar* pBar = NewToolBar(pInfo->m_nBarID, nullptr);
        if (pBar != nullptr)
            pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }
    if (pInfo->m_dwTypeID == ozwtb::kMenuBarTypeId)
        return nullptr;   // this frame has no menu bar
    return OZWControlBarManager::CreateControlBar(pInfo);
}
