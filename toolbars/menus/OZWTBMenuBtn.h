// The menu button of a menu bar: a text button that drops a popup menu when
// pressed. It shows its caption with the mnemonic underlined, sizes itself
// from the caption, and draws the menu-item look of each look (with a drop
// shadow while its menu is open in the .NET and Office 2003 looks).
#pragma once

#include "toolbars/buttons/ToolBarButton.h"

#include <uxtheme.h>

// Notifications of menu buttons and menu bars to their owner (WM_NOTIFY
// codes, the record of OZWStdBtn::SendNotify).
enum : UINT {
    OZWNM_MENU_DROP = (UINT)-2120,        // drop the menu: p1 the menu id, p2 the item position
    OZWNM_MENU_CLOSE = (UINT)-2121,       // close the menu being tracked
    OZWNM_MENU_KEYBOARD_ON = (UINT)-2122, // keyboard-selection mode begins
    OZWNM_MENU_KEYBOARD_OFF = (UINT)-2123,
};

class OZWTBMenuBtn : public OZWStdBtn
{
    DECLARE_OZWBTN_CLASS(OZWTBMenuBtn)
public:
    OZWTBMenuBtn();
    ~OZWTBMenuBtn() override;

    // Params: {menu id, item position, caption (const char*), menu bits}.
    void Init(OZWBtnHost* pToolBar, const UINT_PTR* pParams) override;
    // The caption's size plus 10 by 6.
    void AdjustSize() override;
    // Drops the menu (no press tracking: the menu loop takes over).
    BOOL BtnPressDown(CPoint point) override;
    void DrawButton(OZWBtnDrawData& drawData, CRect rect, CDC* pDC) override;
    BOOL DrawFace(OZWBtnDrawData& drawData, BOOL bCustomizing, CRect& rect, int& ix, int& iy, int nImageWidth,
                  CDC* pDC) override;
    void SelectImage(OZWBtnDrawData&) override {}

    // Asks the toolbar to drop this button's menu.
    virtual void DropMenu();
    // The upper-cased character after the caption's first single "&".
    virtual void ExtractMnemonic();

    // The font the caption is measured and drawn with.
    HFONT GetCaptionFont() const;

    CString m_strText;
    UINT_PTR m_nMenuParam1 = 0; // the menu resource id (or a menu handle for a system-menu button)
    UINT_PTR m_nMenuParam2 = 0; // the position of the item in the menu
    char m_cMnemonic = 0;
    DWORD m_nMenuParam4 = 0;    // the bits of the menus the button belongs to

protected:
    HTHEME m_hThemeToolbar = nullptr;
    HTHEME m_hThemeTaskband = nullptr;
};

// Fills a rectangle in 255 bands from one colour to another (left to right
// when bHorizontal, else top to bottom).
void FillGradient(CDC* pDC, const RECT& rect, COLORREF clrTo, COLORREF clrFrom, BOOL bHorizontal);
