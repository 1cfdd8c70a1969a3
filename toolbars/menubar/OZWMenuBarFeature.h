// The menu-bar feature: the window plug-in a frame attaches when it uses a
// menu bar in place of its menu. Beside the bitmap menus it gives the bar
// keyboard access (Alt, F10, mnemonics), drops popup menus under the menu
// buttons and moves from one to the next while a menu is open, tracks the
// system menu, and switches the bar's visible menu. The frame answers
// "WM_OZWGETMENU" with the popup to show; "WM_OZW_MENUPROD" is posted by the
// feature to itself to move to the next menu once the open one has closed.
#pragma once

#include "toolbars/menus/OZWBmpMenuPlugIn.h"

class OZWMenuBar;

// The registered messages of menu bars.
UINT OZWGetMenuProdMessage();

class OZWMenuBarMessages
{
public:
    virtual ~OZWMenuBarMessages();

    virtual void MoveToAdjacentMenu(BOOL bNext);
    // Leaves keyboard-selection mode and closes a tracked menu.
    virtual void CancelMenu();
    virtual void SwitchMenu(UINT nMenuID);
    virtual void DropSelected();
    // The mouse moved to a point (bar client coordinates) in keyboard mode.
    virtual void OnHookMouseMove(POINT pt);
    virtual void SetIgnoreAltUp();
    // A click while the system menu is tracked; TRUE when taken.
    virtual BOOL OnSysMenuClick(const MSG* pMsg);
    virtual CWnd* GetFrame() = 0;
    virtual void TrackMenu(OZWMenuBar* pBar, HMENU hMenu, const NMTOOLBARA* pRecord);
    virtual void TrackSysMenu(OZWMenuBar* pBar, HMENU hMenu, const NMTOOLBARA* pRecord);
    // Shows a popup menu and runs its modal loop (TrackPopupMenuEx with the
    // owner, keeping clear of rcExclude); returns what that returns.
    virtual UINT ShowPopupMenu(HMENU hMenu, UINT nFlags, POINT pt, const RECT& rcExclude, HWND hOwner);
    virtual void HookMessageFilter(BOOL bHook);
    virtual void HookKeyboardAndMouse(BOOL bHook);
    // Keyboard access; TRUE when the message was taken.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnMenuSelect();
    virtual void OnMenuProd();
    virtual BOOL OnNotify(WPARAM wParam, NMHDR* pNMHDR, LRESULT* pResult);
    virtual void OnInitMenuPopup();
    virtual BOOL OnSysCommand(UINT nID, LPARAM lParam);
    virtual void OnNcActivate(BOOL bActive);

    void SetMenuBar(OZWMenuBar* pMenuBar) { m_pMenuBar = pMenuBar; }
    // The frame window itself (GetFrame may be a plug-in borrowing its handle).
    CFrameWnd* GetHostFrame();
    OZWMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // The system menu is being tracked (program-wide).
    static BOOL IsTrackingSysMenu();
    // A menu of a menu bar is being tracked (program-wide).
    static BOOL IsTrackingMenu();

    OZWMenuBar* m_pMenuBar = nullptr;
    BOOL m_bOpenFirstItem = FALSE;
    BOOL m_bMenuSelectSeen = FALSE;
    int m_nPendingDirection = 0;
    BOOL m_bIgnoreAltUp = FALSE;

protected:
    // Runs the menu loop of a drop or close request.
    void RunDrop(const NMTOOLBARA& record, BOOL bClose);
};

class OZWMenuBarFeature : public OZWBmpMenuPlugIn, public OZWMenuBarMessages
{
    DECLARE_DYNCREATE(OZWMenuBarFeature)
public:
    OZWMenuBarFeature();

    CWnd* GetFrame() override { return IsPlugged() ? this : nullptr; }
    // Plugged into a toolkit frame with a menu bar, the feature takes that bar.
    BOOL PlugInTo(CWnd* pHost) override;
    BOOL PreTranslateHostMessage(MSG* pMsg) override;
    void SwitchHostMenu(UINT nMenuID) override { SwitchMenu(nMenuID); }
    BOOL UpdateHostChildButtons(BOOL bHide) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg LRESULT OnMenuSelectMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuProdMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysCommandMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcActivateMsg(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
