// Command targets: command routing through message maps, CCmdUI updates of
// menu items and controls, and the wait cursor.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

// The map entry (key) of a command route request.
void SplitCommandCode(int nCode, UINT& nMsg, UINT& nKey)
{
    if (nCode == CN_UPDATE_COMMAND_UI) {
        nMsg = WM_COMMAND;
        nKey = (UINT)CN_UPDATE_COMMAND_UI;
        return;
    }
    nMsg = HIWORD((DWORD)nCode);
    nKey = LOWORD((DWORD)nCode);
    if (nMsg == 0)
        nMsg = WM_COMMAND;
}

} // namespace

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {
        { 0, 0, 0, 0, AfxSig_end, nullptr, nullptr }
    };
    static const AFX_MSGMAP messageMap = { nullptr, &entries[0] };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
            if (p->nMessage == nMsg && p->nCode == 0 && p->nID == 0 && p->pnRegMsg == nullptr)
                return p;
        }
    }
    return nullptr;
}

BOOL PASCAL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn,
                                       void* pExtra, UINT nSig, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    (void)nCode;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }

    LRESULT lDummy = 0;
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    LRESULT* pResult = (pNotify && pNotify->pResult) ? pNotify->pResult : &lDummy;
    NMHDR* pNMHDR = pNotify ? pNotify->pNMHDR : nullptr;

    switch (nSig) {
    case AfxSig_cmd:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSig_cmdEx:
        return (pTarget->*AfxHandlerAs<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSig_cmdRange:
        (pTarget->*AfxHandlerAs<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSig_cmdUI: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (pCmdUI == nullptr)
            return FALSE;
        BOOL bOld = pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*AfxHandlerAs<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        BOOL bHandled = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = bOld;
        return bHandled;
    }
    case AfxSig_ctlReflectEx:
        return (pTarget->*AfxHandlerAs<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSig_notify:
        (pTarget->*AfxHandlerAs<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNMHDR, pResult);
        return TRUE;
    case AfxSig_notifyEx:
        return (pTarget->*AfxHandlerAs<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNMHDR, pResult);
    case AfxSig_notifyRange:
        (pTarget->*AfxHandlerAs<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNMHDR, pResult);
        return TRUE;
    case AfxSig_notifyReflectEx:
        return (pTarget->*AfxHandlerAs<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNMHDR, pResult);
    default:
        return FALSE;
    }
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0, nKey = 0;
    SplitCommandCode(nCode, nMsg, nKey);

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
            if (p->nMessage == nMsg && p->nCode == nKey && nID >= p->nID && nID <= p->nLastID &&
                p->pnRegMsg == nullptr)
                return DispatchCmdMsg(this, nID, nCode, p->pfn, pExtra, p->nSig, pHandlerInfo);
        }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(1);
    else
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(-1);
    else
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(0);
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(0);
}

/////////////////////////////////////////////////////////////////////////////
// CCmdUI

CCmdUI::CCmdUI() = default;

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        // A popup is asked through the command of its first item; what that
        // item's update handler says is for the item, not for the popup.
        if (m_pSubMenu != nullptr) {
            m_bEnableChanged = TRUE;
            return;
        }
        if (HMENU hMenu = m_pMenu->GetSafeHmenu())
            ::EnableMenuItem(hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        // A control about to be disabled gives the focus to the next one.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != nullptr)
                ::SendMessage(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return; // a popup item cannot be checked
        if (HMENU hMenu = m_pMenu->GetSafeHmenu())
            ::CheckMenuItem(hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        if (::SendMessage(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessage(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
        HMENU hMenu = m_pMenu->GetSafeHmenu();
        if (hMenu != nullptr && bOn)
            ::CheckMenuRadioItem(hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        else if (hMenu != nullptr)
            ::CheckMenuItem(hMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (lpszText == nullptr)
        lpszText = "";
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;
        HMENU hMenu = m_pMenu->GetSafeHmenu();
        if (hMenu == nullptr)
            return;
        UINT nState = ::GetMenuState(hMenu, m_nIndex, MF_BYPOSITION);
        if (nState == (UINT)-1)
            return;
        nState &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | 0xFF00);
        ::ModifyMenu(hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        AfxSetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF || pTarget == nullptr)
        return TRUE; // ignore separators and invalid commands

    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = { nullptr, nullptr };
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}

void AFXAPI AfxUpdateMenuCmdUI(CCmdTarget* pTarget, HMENU hMenu, BOOL bDisableIfNoHndler)
{
    if (pTarget == nullptr || hMenu == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = CMenu::FromHandle(hMenu);
    state.m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = ::GetMenuItemID(hMenu, state.m_nIndex);
        if (state.m_nID == 0)
            continue; // separator
        if (state.m_nID == (UINT)-1) {
            // A popup: updated by the command of its first item, never
            // disabled for lack of a handler.
            HMENU hSub = ::GetSubMenu(hMenu, state.m_nIndex);
            if (hSub == nullptr)
                continue;
            state.m_nID = ::GetMenuItemID(hSub, 0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.m_pSubMenu = CMenu::FromHandle(hSub);
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(pTarget, bDisableIfNoHndler && state.m_nID < 0xF000);
        }
        // An update may add or remove items (the recent-file list does).
        UINT nCount = (UINT)::GetMenuItemCount(hMenu);
        if (nCount < state.m_nIndexMax) {
            UINT nRemoved = state.m_nIndexMax - nCount;
            state.m_nIndex = state.m_nIndex >= nRemoved ? state.m_nIndex - nRemoved : 0;
            while (state.m_nIndex < nCount && ::GetMenuItemID(hMenu, state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}
