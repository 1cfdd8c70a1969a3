#include "toolbars/menubar/OZWMenuBarFeature.h"

#include "frame/mdi/OZWFrameWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "toolbars/menubar/OZWMDIMenuBar.h"
#include "toolbars/menubar/OZWMenuBar.h"
#include "toolbars/menus/MenuRules.h"
#include "toolbars/menus/OZWTBMenuBtn.h"

#include <memory>

IMPLEMENT_DYNCREATE(OZWMenuBarFeature, OZWBmpMenuPlugIn)

namespace {
// Registered once when the program starts (the message map needs a variable).
const UINT s_nMenuProdMessage = ::RegisterWindowMessageA("WM_OZW_MENUPROD");
}

UINT OZWGetMenuProdMessage()
{
    return s_nMenuProdMessage;
}

namespace {

UINT GetMenuMessage()
{
    static const UINT s_message = ::RegisterWindowMessageA("WM_OZWGETMENU");
    return s_message;
}

// The one menu loop of the program.
struct MenuLoopState
{
    HWND hTrackedBar = nullptr;
    OZWMenuBarMessages* pTracker = nullptr;   // the feature whose menu is open
    OZWMenuBarMessages* pKeyboard = nullptr;  // the feature in keyboard-selection mode
    HHOOK hMsgFilter = nullptr;
    HHOOK hKeyboard = nullptr;
    HHOOK hMouse = nullptr;
    BOOL bTrackingSysMenu = FALSE;
    POINT ptLast = {0, 0};
    std::unique_ptr<NMTOOLBARA> pPending;     // a drop asked for while a menu was open
};
MenuLoopState g_loop;

OZWMenuBar* TrackedBar()
{
    return g_loop.pTracker != nullptr ? g_loop.pTracker->m_pMenuBar : nullptr;
}

LRESULT CALLBACK MessageFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    auto* pMsg = reinterpret_cast<MSG*>(lParam);
    if (nCode == MSGF_MENU && pMsg != nullptr && g_loop.pTracker != nullptr) {
        OZWMenuBarMessages* pTracker = g_loop.pTracker;
        switch (pMsg->message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (g_loop.bTrackingSysMenu && pTracker->OnSysMenuClick(pMsg))
                return TRUE;
            if (pMsg->message == WM_LBUTTONDBLCLK)
                break;
            [[fallthrough]];
        case WM_MOUSEMOVE: {
            POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
            ::ClientToScreen(pMsg->hwnd, &pt);
            if (pMsg->message == WM_MOUSEMOVE && pt.x == g_loop.ptLast.x && pt.y == g_loop.ptLast.y)
                return TRUE; // no move, or the first after the hook went in
            g_loop.ptLast = pt;
            OZWMenuBar* pBar = TrackedBar();
            if (pBar != nullptr && ::WindowFromPoint(pt) == g_loop.hTrackedBar) {
                MSG barMsg = *pMsg;
                POINT client = pt;
                ::ScreenToClient(g_loop.hTrackedBar, &client);
                barMsg.hwnd = g_loop.hTrackedBar;
                barMsg.lParam = MAKELPARAM(client.x, client.y);
                if (pBar->FilterMenuLoopMouse(&barMsg))
                    return TRUE;
            }
            break;
        }
        case WM_KEYDOWN:
            if (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT)
                pTracker->MoveToAdjacentMenu(pMsg->wParam == VK_RIGHT);
            break;
        case WM_SYSKEYDOWN:
            if (pMsg->wParam == VK_MENU)
                pTracker->SetIgnoreAltUp();
            break;
        default:
            break;
        }
    }
    return ::CallNextHookEx(g_loop.hMsgFilter, nCode, wParam, lParam);
}

LRESULT CALLBACK KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    OZWMenuBarMessages* pFeature = g_loop.pKeyboard;
    if (nCode != HC_ACTION || pFeature == nullptr || pFeature->m_pMenuBar == nullptr)
        return ::CallNextHookEx(g_loop.hKeyboard, nCode, wParam, lParam);
    const BOOL bUp = (lParam & 0x80000000) != 0;
    const WORD vk = (WORD)wParam;
    if (bUp)
        return vk == VK_MENU ? ::CallNextHookEx(g_loop.hKeyboard, nCode, wParam, lParam) : TRUE;
    switch (ozwmenu::ClassifySelectionKey(vk)) {
    case ozwmenu::SelectionKey::DropSelected: pFeature->DropSelected(); return TRUE;
    case ozwmenu::SelectionKey::Cancel: pFeature->CancelMenu(); return TRUE;
    case ozwmenu::SelectionKey::Previous: pFeature->MoveToAdjacentMenu(FALSE); return TRUE;
    case ozwmenu::SelectionKey::Next: pFeature->MoveToAdjacentMenu(TRUE); return TRUE;
    case ozwmenu::SelectionKey::PassOn: return ::CallNextHookEx(g_loop.hKeyboard, nCode, wParam, lParam);
    case ozwmenu::SelectionKey::Mnemonic: {
        MSG msg = {};
        msg.hwnd = pFeature->GetFrame() != nullptr ? pFeature->GetFrame()->m_hWnd : nullptr;
        msg.message = WM_SYSCOMMAND;
        msg.wParam = SC_KEYMENU;
        msg.lParam = (LPARAM)::MapVirtualKeyA(vk, MAPVK_VK_TO_CHAR);
        pFeature->PreTranslateMessage(&msg);
        return TRUE;
    }
    }
    return TRUE;
}

LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    OZWMenuBarMessages* pFeature = g_loop.pKeyboard;
    auto* pInfo = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pFeature != nullptr && pInfo != nullptr) {
        switch (wParam) {
        case WM_MOUSEMOVE:
            if (pInfo->pt.x != g_loop.ptLast.x || pInfo->pt.y != g_loop.ptLast.y) {
                g_loop.ptLast = pInfo->pt;
                if (OZWMenuBar* pBar = pFeature->m_pMenuBar) {
                    POINT pt = pInfo->pt;
                    ::ScreenToClient(pBar->m_hWnd, &pt);
                    pFeature->OnHookMouseMove(pt);
                }
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            pFeature->CancelMenu();
            break;
        default:
            break;
        }
    }
    return ::CallNextHookEx(g_loop.hMouse, nCode, wParam, lParam);
}

} // namespace

// ---- OZWMenuBarMessages

OZWMenuBarMessages::~OZWMenuBarMessages()
{
    if (g_loop.pKeyboard == this)
        HookKeyboardAndMouse(FALSE);
    if (g_loop.pTracker == this)
        g_loop.pTracker = nullptr;
}

BOOL OZWMenuBarMessages::IsTrackingSysMenu()
{
    return g_loop.bTrackingSysMenu;
}

BOOL OZWMenuBarMessages::IsTrackingMenu()
{
    return g_loop.pTracker != nullptr;
}

void OZWMenuBarMessages::HookMessageFilter(BOOL bHook)
{
    if (bHook && g_loop.hMsgFilter == nullptr) {
        g_loop.ptLast = POINT {0, 0};
        g_loop.hMsgFilter = ::SetWindowsHookExA(WH_MSGFILTER, MessageFilterHook, nullptr, ::GetCurrentThreadId());
    } else if (!bHook && g_loop.hMsgFilter != nullptr) {
        ::UnhookWindowsHookEx(g_loop.hMsgFilter);
        g_loop.hMsgFilter = nullptr;
    }
}

void OZWMenuBarMessages::HookKeyboardAndMouse(BOOL bHook)
{
    if (bHook) {
        g_loop.pKeyboard = this;
        if (g_loop.hKeyboard == nullptr)
            g_loop.hKeyboard = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, ::GetCurrentThreadId());
        if (g_loop.hMouse == nullptr) {
            ::GetCursorPos(&g_loop.ptLast);
            g_loop.hMouse = ::SetWindowsHookExA(WH_MOUSE, MouseHook, nullptr, ::GetCurrentThreadId());
        }
        return;
    }
    if (g_loop.pKeyboard != this)
        return;
    g_loop.pKeyboard = nullptr;
    if (g_loop.hKeyboard != nullptr)
        ::UnhookWindowsHookEx(g_loop.hKeyboard);
    if (g_loop.hMouse != nullptr)
        ::UnhookWindowsHookEx(g_loop.hMouse);
    g_loop.hKeyboard = g_loop.hMouse = nullptr;
}

BOOL OZWMenuBarMessages::OnNotify(WPARAM, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (m_pMenuBar == nullptr || pNMHDR == nullptr || pNMHDR->hwndFrom != m_pMenuBar->m_hWnd)
        return FALSE;
    switch (pNMHDR->code) {
    case OZWNM_MENU_KEYBOARD_ON:
        HookKeyboardAndMouse(TRUE);
        break;
    case OZWNM_MENU_KEYBOARD_OFF:
        HookKeyboardAndMouse(FALSE);
        break;
    case OZWNM_MENU_DROP:
    case OZWNM_MENU_CLOSE:
        RunDrop(*reinterpret_cast<const NMTOOLBARA*>(pNMHDR), pNMHDR->code == OZWNM_MENU_CLOSE);
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

void OZWMenuBarMessages::RunDrop(const NMTOOLBARA& first, BOOL bClose)
{
    CWnd* pFrame = GetFrame();
    if (pFrame == nullptr)
        return;
    NMTOOLBARA record = first;
    BOOL bCloseRequest = bClose;
    for (;;) {
        // The popup: the frame's for a menu and position, the frame's system
        // menu, or a menu handed over whole (a child's system menu).
        HMENU hMenu = nullptr;
        BOOL bSysMenu = FALSE;
        const LONG p1 = record.rcButton.top, p2 = record.rcButton.right;
        if (!bCloseRequest) {
            if (p1 != 0 && p2 >= 0) {
                hMenu = (HMENU)pFrame->SendMessage(GetMenuMessage(), (WPARAM)(UINT)p1, p2);
            } else if (p1 == 0 && p2 == -1) {
                hMenu = OZWBmpMenuPlugIn::GetSystemMenuWithDefault(pFrame->m_hWnd);
                bSysMenu = TRUE;
            } else if (p1 != 0 && p2 == -1) {
                hMenu = (HMENU)(LONG_PTR)p1; // menu handles are 32-bit values
            }
        }
        if (g_loop.pTracker != nullptr) {
            // A menu is open: it closes, and the running loop takes the request.
            if (hMenu != nullptr) {
                g_loop.pPending = std::make_unique<NMTOOLBARA>(record);
                if (bCloseRequest)
                    g_loop.pPending.reset();
            }
            pFrame->SendMessage(WM_CANCELMODE);
            return;
        }
        if (hMenu == nullptr) {
            if (m_pMenuBar != nullptr)
                m_pMenuBar->EndDrop();
            return;
        }
        g_loop.hTrackedBar = m_pMenuBar != nullptr ? m_pMenuBar->m_hWnd : nullptr;
        g_loop.pTracker = this;
        if (bSysMenu)
            TrackSysMenu(m_pMenuBar, hMenu, &record);
        else
            TrackMenu(m_pMenuBar, hMenu, &record);
        g_loop.pTracker = nullptr;
        g_loop.hTrackedBar = nullptr;
        if (!g_loop.pPending) {
            // Whatever opens next is not one of this sequence.
            m_bOpenFirstItem = FALSE;
            if (m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->m_hWnd))
                m_pMenuBar->EndDrop();
            return;
        }
        record = *g_loop.pPending;
        g_loop.pPending.reset();
        bCloseRequest = FALSE;
    }
}

void OZWMenuBarMessages::TrackMenu(OZWMenuBar* pBar, HMENU hMenu, const NMTOOLBARA* pRecord)
{
    CWnd* pFrame = GetFrame();
    RECT rect = {0, 0, 0, 0};
    if (pBar != nullptr && pRecord != nullptr) {
        pBar->GetButtonRect(pRecord->rcButton.left, &rect);
        ::MapWindowPoints(pBar->m_hWnd, nullptr, (POINT*)&rect, 2);
    }
    // A menu handed over whole is an MDI child's system menu. The child owns
    // the popup (its items then show the child's state) and the command
    // chosen goes to the child: as the popup's owner the frame would take it
    // for a system command of its own, and Close would close the program.
    CWnd* pChild = nullptr;
    if (pRecord != nullptr && pRecord->rcButton.right == -1) {
        auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(GetHostFrame());
        pChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActive() : nullptr;
        if (pChild != nullptr && ::GetSystemMenu(pChild->m_hWnd, FALSE) != hMenu)
            pChild = nullptr;
    }
    const HWND hChild = pChild != nullptr ? pChild->m_hWnd : nullptr;
    // The child's popup is set up by the child, not the frame: its first
    // item is selected from here.
    if (hChild != nullptr)
        OnInitMenuPopup();
    HookMessageFilter(TRUE);
    const UINT nCommand = ShowPopupMenu(hMenu, hChild != nullptr ? TPM_RETURNCMD : 0, POINT {rect.left, rect.bottom},
                                        rect, hChild != nullptr ? hChild : pFrame->m_hWnd);
    HookMessageFilter(FALSE);
    if (hChild != nullptr && nCommand != 0 && ::IsWindow(hChild))
        ::PostMessage(hChild, WM_SYSCOMMAND, nCommand, 0);
}

UINT OZWMenuBarMessages::ShowPopupMenu(HMENU hMenu, UINT nFlags, POINT pt, const RECT& rcExclude, HWND hOwner)
{
    TPMPARAMS params = {sizeof(TPMPARAMS), rcExclude};
    return (UINT)::TrackPopupMenuEx(hMenu, nFlags, pt.x, pt.y, hOwner, &params);
}

void OZWMenuBarMessages::TrackSysMenu(OZWMenuBar*, HMENU hMenu, const NMTOOLBARA*)
{
    CWnd* pFrame = GetFrame();
    RECT window;
    ::GetWindowRect(pFrame->m_hWnd, &window);
    RECT rect = {window.left + ::GetSystemMetrics(SM_CXFRAME), window.top + ::GetSystemMetrics(SM_CYFRAME), 0, 0};
    rect.right = rect.left + ::GetSystemMetrics(SM_CXMENUSIZE);
    rect.bottom = rect.top + ::GetSystemMetrics(SM_CYMENUSIZE);
    HookMessageFilter(TRUE);
    g_loop.bTrackingSysMenu = TRUE;
    const UINT nCommand = ShowPopupMenu(hMenu, TPM_RETURNCMD, POINT {rect.left, rect.bottom}, rect, pFrame->m_hWnd);
    g_loop.bTrackingSysMenu = FALSE;
    if (nCommand != 0)
        pFrame->PostMessage(WM_SYSCOMMAND, nCommand, 0);
    HookMessageFilter(FALSE);
}

BOOL OZWMenuBarMessages::OnSysMenuClick(const MSG* pMsg)
{
    CWnd* pFrame = GetFrame();
    if (pFrame == nullptr || pMsg == nullptr)
        return FALSE;
    RECT window;
    ::GetWindowRect(pFrame->m_hWnd, &window);
    RECT icon = window;
    if (pFrame->GetStyle() & WS_THICKFRAME)
        ::InflateRect(&icon, -::GetSystemMetrics(SM_CXFRAME), -::GetSystemMetrics(SM_CYFRAME));
    icon.right = icon.left + ::GetSystemMetrics(SM_CXMENUSIZE) - 1;
    icon.bottom = icon.top + ::GetSystemMetrics(SM_CYMENUSIZE);
    POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
    ::ClientToScreen(pMsg->hwnd, &pt);
    if (!::PtInRect(&icon, pt))
        return FALSE;
    pFrame->PostMessage(WM_CANCELMODE);
    if (pMsg->message == WM_LBUTTONDBLCLK) {
        HMENU hSysMenu = ::GetSystemMenu(pFrame->m_hWnd, FALSE);
        const UINT nDefault = hSysMenu != nullptr ? ::GetMenuDefaultItem(hSysMenu, FALSE, GMDI_GOINTOPOPUPS) : (UINT)-1;
        if (nDefault != (UINT)-1)
            pFrame->PostMessage(WM_SYSCOMMAND, nDefault, 0);
    }
    return TRUE;
}

CFrameWnd* OZWMenuBarMessages::GetHostFrame()
{
    // A plug-in borrows its host's handle: the frame is the window the
    // handle belongs to.
    CWnd* pWnd = GetFrame();
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return nullptr;
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(pWnd))
        return pFrame;
    return dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(pWnd->m_hWnd));
}

void OZWMenuBarMessages::MoveToAdjacentMenu(BOOL bNext)
{
    m_bMenuSelectSeen = FALSE;
    m_nPendingDirection = bNext ? 1 : -1;
    if (CWnd* pFrame = GetFrame())
        pFrame->PostMessage(OZWGetMenuProdMessage(), 0, 0);
}

void OZWMenuBarMessages::OnMenuProd()
{
    if (m_pMenuBar == nullptr || m_bMenuSelectSeen)
        return;
    m_bOpenFirstItem = TRUE;
    m_pMenuBar->DropByIndex(m_pMenuBar->AdjacentIndex(m_nPendingDirection > 0));
}

void OZWMenuBarMessages::OnInitMenuPopup()
{
    if (!m_bOpenFirstItem)
        return;
    m_bOpenFirstItem = FALSE;
    if (CWnd* pFrame = GetFrame())
        pFrame->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
}

void OZWMenuBarMessages::OnMenuSelect()
{
    m_bMenuSelectSeen = TRUE;
}

void OZWMenuBarMessages::CancelMenu()
{
    if (m_pMenuBar == nullptr)
        return;
    if (m_pMenuBar->IsKeyboardMode())
        m_pMenuBar->EndKeyboardMode();
    if (g_loop.pTracker != nullptr)
        if (CWnd* pFrame = GetFrame())
            pFrame->SendMessage(WM_CANCELMODE);
}

void OZWMenuBarMessages::DropSelected()
{
    if (m_pMenuBar != nullptr)
        m_pMenuBar->DropHighlighted();
}

void OZWMenuBarMessages::OnHookMouseMove(POINT pt)
{
    if (m_pMenuBar != nullptr)
        m_pMenuBar->FocusButtonAtPoint(&pt);
}

void OZWMenuBarMessages::SetIgnoreAltUp()
{
    m_bIgnoreAltUp = TRUE;
}

void OZWMenuBarMessages::OnNcActivate(BOOL bActive)
{
    if (!bActive)
        CancelMenu();
}

BOOL OZWMenuBarMessages::OnSysCommand(UINT nID, LPARAM)
{
    if (m_pMenuBar == nullptr || nID != 0xF093) // SC_MOUSEMENU on the system-menu icon
        return FALSE;
    m_pMenuBar->ShowSystemMenu();
    return TRUE;
}

void OZWMenuBarMessages::SwitchMenu(UINT nMenuID)
{
    if (m_pMenuBar == nullptr)
        return;
    m_pMenuBar->SwitchMenu(nMenuID);
    // The active child may have changed with the menu: its buttons follow.
    if (auto* pMDIBar = dynamic_cast<OZWMDIMenuBar*>(m_pMenuBar))
        pMDIBar->UpdateCaptionButtons(FALSE);
    CFrameWnd* pFrame = GetHostFrame();
    if (pFrame == nullptr)
        return;
    // A layout already waiting for idle time takes the change along.
    if (pFrame->m_nIdleFlags & CFrameWnd::idleLayout) {
        m_pMenuBar->Invalidate();
        pFrame->DelayRecalcLayout();
        return;
    }
    pFrame->RecalcLayout();
    m_pMenuBar->Invalidate();
}

BOOL OZWMenuBarMessages::PreTranslateMessage(MSG* pMsg)
{
    if (m_pMenuBar == nullptr || pMsg == nullptr)
        return FALSE;
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    const UINT msg = pMsg->message;
    // 1. Alt and a key that a control of the focused window takes.
    if (bAlt && (msg == WM_SYSKEYDOWN || msg == WM_SYSCHAR)) {
        const WORD key = (WORD)pMsg->wParam;
        if (key < 0x3A || (key >= 0x41 && key <= 0x7A)) {
            HWND hFocus = ::GetFocus();
            HWND hParent = hFocus != nullptr ? ::GetParent(hFocus) : nullptr;
            for (HWND hChild = hParent != nullptr ? ::GetWindow(hParent, GW_CHILD) : nullptr; hChild != nullptr;
                 hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
                char text[256] = {};
                ::GetWindowTextA(hChild, text, sizeof(text));
                if (ozwmenu::HasMnemonic(text, (char)key))
                    return FALSE;
            }
        }
    }
    const BOOL bMenuKey = pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10;
    // 2. Alt or F10 down ends keyboard-selection mode.
    if (msg == WM_SYSKEYDOWN && bMenuKey && m_pMenuBar->IsKeyboardMode()) {
        m_pMenuBar->EndKeyboardMode();
        m_bIgnoreAltUp = TRUE;
        return TRUE;
    }
    // 3. Alt or F10 up toggles keyboard-selection mode.
    if (msg == WM_SYSKEYUP && bMenuKey) {
        BOOL bTaken = FALSE;
        if (!m_bIgnoreAltUp) {
            if (m_pMenuBar->IsKeyboardMode()) {
                m_pMenuBar->EndKeyboardMode();
                bTaken = TRUE;
            } else {
                BOOL bFrameKey = FALSE;
                if (pMsg->wParam == VK_F10) {
                    CFrameWnd* pFrame = GetHostFrame();
                    HACCEL hAccel = pFrame != nullptr ? pFrame->m_hAccelTable : nullptr;
                    const int n = hAccel != nullptr ? ::CopyAcceleratorTableA(hAccel, nullptr, 0) : 0;
                    if (n > 0) {
                        std::vector<ACCEL> table((size_t)n);
                        ::CopyAcceleratorTableA(hAccel, table.data(), n);
                        bFrameKey = ozwmenu::IsAcceleratorKey(table.data(), n, VK_F10, ::GetKeyState(VK_SHIFT) < 0,
                                                              ::GetKeyState(VK_CONTROL) < 0, bAlt);
                    }
                }
                const int nFirst = m_pMenuBar->FirstFocusable();
                if (!bFrameKey && nFirst >= 0) {
                    m_pMenuBar->SetFocusButton(nFirst);
                    bTaken = TRUE;
                }
            }
        }
        // The release of an Alt that ended the mode is taken too: left to
        // the system it would start the system's own menu mode on the
        // window's system menu, which then takes every key unseen.
        if (m_bIgnoreAltUp)
            bTaken = TRUE;
        m_bIgnoreAltUp = FALSE;
        return bTaken;
    }
    // 4. Alt with a character: the system menu or a menu button's mnemonic.
    const BOOL bKeyMenu = msg == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_KEYMENU;
    if (bKeyMenu || (msg == WM_SYSCHAR && bAlt)) {
        const char ch = bKeyMenu ? (char)pMsg->lParam : (char)pMsg->wParam;
        if (ch == ' ' || ch == '-') {
            if (m_pMenuBar->IsKeyboardMode())
                m_pMenuBar->EndKeyboardMode();
            m_bOpenFirstItem = TRUE;
            return FALSE;
        }
        const int nIndex = m_pMenuBar->FindMnemonic(ch);
        if (nIndex < 0)
            return FALSE;
        if (m_pMenuBar->IsKeyboardMode())
            m_pMenuBar->EndKeyboardMode();
        m_bOpenFirstItem = TRUE;
        m_pMenuBar->DropByIndex(nIndex);
        return TRUE;
    }
    return FALSE;
}

// ---- OZWMenuBarFeature

BEGIN_MESSAGE_MAP(OZWMenuBarFeature, OZWBmpMenuPlugIn)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMsg)
    ON_REGISTERED_MESSAGE(s_nMenuProdMessage, OnMenuProdMsg)
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopupMsg)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommandMsg)
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMsg)
END_MESSAGE_MAP()

OZWMenuBarFeature::OZWMenuBarFeature() : OZWBmpMenuPlugIn(TRUE)
{
}

BOOL OZWMenuBarFeature::PlugInTo(CWnd* pHost)
{
    if (!OZWBmpMenuPlugIn::PlugInTo(pHost))
        return FALSE;
    CControlBar* pBar = nullptr;
    if (auto* pMDIFrame = dynamic_cast<OZWMDIFrameWnd*>(pHost))
        pBar = pMDIFrame->GetMenuBar();
    else if (auto* pFrame = dynamic_cast<OZWFrameWnd*>(pHost))
        pBar = pFrame->GetMenuBar();
    if (auto* pMenuBar = dynamic_cast<OZWMenuBar*>(pBar))
        SetMenuBar(pMenuBar);
    return TRUE;
}

BOOL OZWMenuBarFeature::UpdateHostChildButtons(BOOL bHide)
{
    auto* pBar = dynamic_cast<OZWMDIMenuBar*>(m_pMenuBar);
    return pBar != nullptr && pBar->GetSafeHwnd() != nullptr ? pBar->UpdateCaptionButtons(bHide) : FALSE;
}

BOOL OZWMenuBarFeature::PreTranslateHostMessage(MSG* pMsg)
{
    return OZWMenuBarMessages::PreTranslateMessage(pMsg);
}

BOOL OZWMenuBarFeature::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OZWMenuBarMessages::OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam), pResult)) {
        m_bExitHost = TRUE;
        return TRUE;
    }
    return FALSE;
}

LRESULT OZWMenuBarFeature::OnMenuSelectMsg(WPARAM, LPARAM)
{
    OZWMenuBarMessages::OnMenuSelect();
    return 0;
}

LRESULT OZWMenuBarFeature::OnMenuProdMsg(WPARAM, LPARAM)
{
    OnMenuProd();
    m_bExitHost = TRUE;
    return 0;
}

LRESULT OZWMenuBarFeature::OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam)
{
    // A popup opened from the keyboard gets its first item selected; then
    // the bitmap menus convert it.
    OZWMenuBarMessages::OnInitMenuPopup();
    return OZWBmpMenuPlugIn::OnInitMenuPopup(wParam, lParam);
}

LRESULT OZWMenuBarFeature::OnSysCommandMsg(WPARAM wParam, LPARAM lParam)
{
    if (OZWMenuBarMessages::OnSysCommand((UINT)(wParam & 0xFFF0) | (UINT)(wParam & 0xF), lParam))
        m_bExitHost = TRUE;
    return 0;
}

LRESULT OZWMenuBarFeature::OnNcActivateMsg(WPARAM wParam, LPARAM)
{
    OZWMenuBarMessages::OnNcActivate((BOOL)wParam);
    return 0;
}
