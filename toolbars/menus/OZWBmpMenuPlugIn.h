// Bitmap menus: a window plug-in that turns its host frame's popup menus into
// owner-drawn menus showing, beside each command, the toolbar image that the
// shared toolbar image store holds for the same command id (items without
// one show their check mark the same way). It measures and draws the items,
// answers mnemonic keys, follows colour and setting changes, and forgets the
// records of menus that no longer exist. Items that other code draws itself
// and the system menu's commands are never touched.
#pragma once

#include "frame/support/OZWWndPlugIn.h"
#include "platform/framework/Framework.h"

#include <map>
#include <vector>

class OZWBmpMgr;

// One converted menu item.
class OZWBmpMenuItemInfo : public CObject
{
    DECLARE_DYNAMIC(OZWBmpMenuItemInfo)
public:
    int m_nID = 0;           // command id; 0 opens a submenu; -1 a separator
    CString m_strText;       // the text as it was, "&" marks and tab with accelerator included
    char m_chMnemonic = 0;   // upper-cased, 0 when none
    BOOL m_bDefault = FALSE; // the menu's default item: measured and drawn bold
};

// The converted items of one popup menu (owned).
class OZWBmpMenuInfo
{
public:
    explicit OZWBmpMenuInfo(HMENU hMenu) : m_hMenu(hMenu) {}
    ~OZWBmpMenuInfo();
    OZWBmpMenuInfo(const OZWBmpMenuInfo&) = delete;
    OZWBmpMenuInfo& operator=(const OZWBmpMenuInfo&) = delete;

    // The record of command nID (-1: a separator record), null when none.
    OZWBmpMenuItemInfo* Find(int nID) const;
    BOOL Holds(const OZWBmpMenuItemInfo* pItem) const;
    // Deletes the records not in keep.
    void KeepOnly(const std::vector<const OZWBmpMenuItemInfo*>& keep);

    HMENU m_hMenu;
    std::vector<OZWBmpMenuItemInfo*> m_items;
};

class OZWBmpMenuPlugIn : public dedaride::foundation::OZWWndPlugIn
{
    DECLARE_DYNCREATE(OZWBmpMenuPlugIn)
public:
    // bUseCheckBitmap: checked items without an image of their own use the
    // toolkit's check bitmap (and radio items its radio dot).
    explicit OZWBmpMenuPlugIn(BOOL bUseCheckBitmap = TRUE);
    // Gives every menu that still exists its texts back as plain items.
    ~OZWBmpMenuPlugIn() override;

    // The store the images come from (shared and counted; the frame hands
    // over its toolbar manager's).
    void SetBmpMgr(OZWBmpMgr* pBmpMgr);
    OZWBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
    // The frame's second pass over a popup, after its own command updates.
    void HandleInitMenuPopup(HMENU hMenu, LPARAM lParam) override;
    // The window's system menu with a default item (close when it has none).
    static HMENU GetSystemMenuWithDefault(HWND hWnd);

    virtual void SetTransparentColor(COLORREF clr, BOOL bUse);
    virtual COLORREF GetTransparentColor() const { return m_crTransparent; }
    // Drops the records of menus that are gone and of items no longer there.
    virtual void PurgeMenus();
    virtual HFONT CreateMenuFont();
    virtual HFONT CreateBoldMenuFont();
    virtual void CreateImageMask(CDC* pSrc, CDC* pMaskDC, CBitmap* pMask, CBitmap** ppOld, int cx, int cy,
                                 int xSrc);
    virtual void DrawCheckedBackground(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrc, int xSrc);
    virtual void DrawDisabledImage(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrc, int xSrc);
    virtual void DrawItemImage(LPDRAWITEMSTRUCT pDIS, CDC* pDC, CRect* prcImage, HBITMAP hStrip, int nIndex, int cx,
                               int cy);

    // Converts a popup (nothing for a system menu).
    void ConvertPopup(HMENU hMenu, BOOL bSysMenu);
    // The record of a menu, null when it has none.
    OZWBmpMenuInfo* FindMenu(HMENU hMenu) const;
    BOOL IsForeign(UINT nID) const { return m_mapForeign.count(nID) != 0; }
    int GetMenuCount() const { return (int)m_mapMenus.size(); }
    HBITMAP GetRadioDotBitmap() const { return m_hRadioDot; }
    // The size of the images in the menus (the store's small images).
    CSize GetImageSize() const;

    COLORREF m_crTransparent = 0xC0C0C0;
    BOOL m_bUseTransparent = FALSE;

protected:
    afx_msg LRESULT OnMeasureItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);

    // Deletes both fonts.
    void DeleteFonts();
    // Whether a styled look (.NET, Office 2003, Vista classic) holds.
    static BOOL IsStyledLook();
    // Draws the check mark of an item without an image into its image box.
    void DrawCheckMark(LPDRAWITEMSTRUCT pDIS, CDC* pDC, const CRect& rcBox);

    std::map<HMENU, OZWBmpMenuInfo*> m_mapMenus;
    std::map<UINT, UINT> m_mapForeign;
    BOOL m_bUseCheckBitmap;
    OZWBmpMgr* m_pBmpMgr = nullptr;
    HFONT m_hFontMenu = nullptr;
    HFONT m_hFontMenuBold = nullptr;
    HBRUSH m_hDitherBrush = nullptr;
    HANDLE m_hThemeMenu = nullptr;
    HBITMAP m_hRadioDot = nullptr;
    BOOL m_bOwnRadioDot = FALSE;

    DECLARE_MESSAGE_MAP()
};
