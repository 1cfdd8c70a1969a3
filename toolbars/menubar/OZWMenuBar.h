// OZWMenuBar: a dockable customisable toolbar in place of a frame's menu.
// Its buttons are menu buttons, one per top-level item of the menus it is
// given; each menu resource gets a bit, each button carries the bits of the
// menus it belongs to, and switching the frame's menu shows the buttons of
// one menu and hides the others. A press asks the frame, through the menu
// bar feature, for the popup to drop ("WM_OZWGETMENU").
#pragma once

#include "toolbars/bar/OZWCustomToolBar.h"

#include <deque>
#include <map>
#include <vector>

class OZWMenuBar : public OZWCustomToolBar
{
    DECLARE_DYNCREATE(OZWMenuBar)
public:
    OZWMenuBar();
    ~OZWMenuBar() override;

    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                CCreateContext* pContext = nullptr) override;

    // The buttons of the menus nCount ids name (each id gets the next bit; a
    // menu that cannot be loaded gets none). FALSE when no button was made.
    virtual BOOL SetMenuInfo(int nCount, const UINT* pMenuIDs);
    // One menu's buttons made directly (each popup checked by building it).
    BOOL LoadMenuBar(UINT nMenuID);
    // Makes the buttons again and shows those of the current bits.
    virtual void ResetButtons(BOOL bNoRedraw);
    // Shows the buttons of the menus in dwBits, hides the others.
    virtual void SetMenuBits(DWORD dwBits, BOOL bRedraw);
    // Shows the menu of a resource id; 20514 (the frame's default menu) with
    // no bit of its own takes the frame's template menu. FALSE for an id
    // without a bit (the bar stays as it is).
    BOOL SwitchMenu(UINT nMenuID);
    // Replaces the menu bits by (menu id, bit) pairs.
    void SetMenuBitMap(const std::vector<std::pair<UINT, DWORD>>& pairs);
    // The first shown menu button with mnemonic ch; -1 when none.
    int FindMnemonic(char ch) const;
    DWORD GetMenuBits() const { return m_nMenuBits; }
    DWORD GetMenuBit(UINT nMenuID) const;
    UINT GetCurMenuID() const { return m_nCurMenuID; }

    // ---- Dropping menus
    // The button whose menu is open (or asked for); -1 when none.
    int GetDroppedIndex() const { return m_nDropped; }
    // The drop is over: the button is no longer shown pressed.
    virtual void EndDrop();
    // Drops the system menu (ends a running drop first).
    void ShowSystemMenu();
    // Opens the menu of the keyboard selection (the system menu when none).
    void DropHighlighted();
    // Drops a button's menu (-1: the system menu); in keyboard-selection
    // mode moves the selection instead.
    void DropByIndex(int nIndex);
    // The menu next to the dropped one (or to the selection), round the bar.
    int AdjacentIndex(BOOL bNext) const;
    // A mouse message on the bar while a menu is open; TRUE when taken.
    virtual BOOL FilterMenuLoopMouse(const MSG* pMsg);

    // ---- OZWBtnHost and looks
    HFONT GetMenuFont() const override { return m_hMenuFont; }
    void DropButtonMenu(OZWStdBtn* pButton) override;
    BOOL IsCoolLook() const override { return TRUE; }
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    BOOL m_bWrapFill = FALSE;    // the bar takes the width of its monitor when not docked
    BOOL m_bBorderSpace = FALSE; // set by the MDI frame

protected:
    // The width of the monitor nearest the bar.
    int MonitorWidth() const;
    void CreateMenuFont();
    void RecalcDockingFrame();

    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    std::map<UINT, DWORD> m_mapMenuBits;
    std::deque<CString> m_arrTexts; // the captions the generated entries point to
    BOOL m_bBarStyleFloatChange = FALSE;
    HFONT m_hMenuFont = nullptr;
    UINT m_nCurMenuID = 0;
    DWORD m_nMenuBits = 0;
    int m_nDropped = -1;
    std::vector<UINT> m_generatedIDs;

    DECLARE_MESSAGE_MAP()
};
