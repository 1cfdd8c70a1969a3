#include "toolbars/menus/OZWBmpMenuPlugIn.h"

#include "platform/theme/ThemeLib.h"
#include "toolbars/buttons/BmpMgr.h"
#include "toolbars/buttons/SysColorBitmap.h"
#include "toolbars/menus/MenuRules.h"
#include "toolbars/menus/MenusRes.h"

#include <algorithm>
#include <string>

using dedaride::foundation::OZWWndPlugIn;

IMPLEMENT_DYNAMIC(OZWBmpMenuItemInfo, CObject)
IMPLEMENT_DYNCREATE(OZWBmpMenuPlugIn, OZWWndPlugIn)

BEGIN_MESSAGE_MAP(OZWBmpMenuPlugIn, OZWWndPlugIn)
    ON_MESSAGE(WM_MEASUREITEM, OnMeasureItem)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
    ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
END_MESSAGE_MAP()

namespace {

// The system colours every bitmap menu draws with, refreshed on a colour
// change.
struct MenuColours
{
    COLORREF face, highlight, shadow, selection, menu, greyText, selectedText, menuText;
    void Refresh()
    {
        face = ::GetSysColor(COLOR_BTNFACE);
        highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        shadow = ::GetSysColor(COLOR_BTNSHADOW);
        selection = ::GetSysColor(COLOR_HIGHLIGHT);
        menu = ::GetSysColor(COLOR_MENU);
        greyText = ::GetSysColor(COLOR_GRAYTEXT);
        selectedText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        menuText = ::GetSysColor(COLOR_MENUTEXT);
    }
};
MenuColours g_colours;

void FillSolid(HDC hdc, const RECT& rect, COLORREF clr)
{
    const COLORREF old = ::SetBkColor(hdc, clr);
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

// An item's text, whatever its length.
std::string MenuItemText(HMENU hMenu, UINT nPos)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    if (!::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii) || mii.cch == 0)
        return std::string();
    std::string text(mii.cch + 1, '\0');
    mii.dwTypeData = text.data();
    mii.cch += 1;
    if (!::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii))
        return std::string();
    text.resize(mii.cch);
    return text;
}

BOOL GetItem(HMENU hMenu, UINT nPos, MENUITEMINFOA& mii)
{
    mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_DATA;
    return ::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii);
}

void SetOwnerDrawn(HMENU hMenu, UINT nPos, UINT fType, OZWBmpMenuItemInfo* pItem)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    mii.fType = fType | MFT_OWNERDRAW;
    mii.dwItemData = (ULONG_PTR)pItem;
    ::SetMenuItemInfoA(hMenu, nPos, TRUE, &mii);
}

void SetPlain(HMENU hMenu, UINT nPos, UINT fType, const char* lpszText)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA | ((fType & MFT_SEPARATOR) ? 0 : MIIM_STRING);
    mii.fType = fType & ~(UINT)MFT_OWNERDRAW;
    mii.dwItemData = 0;
    mii.dwTypeData = const_cast<char*>(lpszText);
    ::SetMenuItemInfoA(hMenu, nPos, TRUE, &mii);
}

// Calls fn(position, type, record) for each item of a menu that still
// exists and is owner-drawn with one of the menu's records.
template <class Fn>
void ForEachOwnItem(OZWBmpMenuInfo* pInfo, Fn fn)
{
    if (!::IsMenu(pInfo->m_hMenu))
        return;
    const int nCount = ::GetMenuItemCount(pInfo->m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOA mii;
        if (!GetItem(pInfo->m_hMenu, (UINT)i, mii) || (mii.fType & MFT_OWNERDRAW) == 0)
            continue;
        auto* pItem = reinterpret_cast<OZWBmpMenuItemInfo*>(mii.dwItemData);
        if (pInfo->Holds(pItem))
            fn((UINT)i, mii.fType, pItem);
    }
}

} // namespace

// ---- OZWBmpMenuInfo

OZWBmpMenuInfo::~OZWBmpMenuInfo()
{
    for (OZWBmpMenuItemInfo* p : m_items)
        delete p;
}

OZWBmpMenuItemInfo* OZWBmpMenuInfo::Find(int nID) const
{
    for (OZWBmpMenuItemInfo* p : m_items)
        if (p->m_nID == nID)
            return p;
    return nullptr;
}

BOOL OZWBmpMenuInfo::Holds(const OZWBmpMenuItemInfo* pItem) const
{
    return pItem != nullptr && std::find(m_items.begin(), m_items.end(), pItem) != m_items.end();
}

void OZWBmpMenuInfo::KeepOnly(const std::vector<const OZWBmpMenuItemInfo*>& keep)
{
    std::vector<OZWBmpMenuItemInfo*> kept;
    for (OZWBmpMenuItemInfo* p : m_items) {
        if (std::find(keep.begin(), keep.end(), p) != keep.end())
            kept.push_back(p);
        else
            delete p;
    }
    m_items.swap(kept);
}

// ---- OZWBmpMenuPlugIn

OZWBmpMenuPlugIn::OZWBmpMenuPlugIn(BOOL bUseCheckBitmap) : m_bUseCheckBitmap(bUseCheckBitmap)
{
    g_colours.Refresh();
    if (m_bUseCheckBitmap) {
        WORD rows[15];
        ozwmenu::RadioDotRows(rows);
        BYTE bits[30];
        for (int y = 0; y < 15; ++y) {
            bits[2 * y] = (BYTE)(rows[y] >> 8);
            bits[2 * y + 1] = (BYTE)(rows[y] & 0xFF);
        }
        m_hRadioDot = ::CreateBitmap(16, 15, 1, 1, bits);
        m_bOwnRadioDot = m_hRadioDot != nullptr;
        if (m_hRadioDot == nullptr)
            m_hRadioDot = ::LoadBitmap(nullptr, MAKEINTRESOURCE(32739)); // OBM_MNARROW
    }
    m_pBmpMgr = new OZWBmpMgr;
    m_pBmpMgr->SetKeepBoth(TRUE);
}

OZWBmpMenuPlugIn::~OZWBmpMenuPlugIn()
{
    for (auto& entry : m_mapMenus) {
        OZWBmpMenuInfo* pInfo = entry.second;
        ForEachOwnItem(pInfo, [pInfo](UINT nPos, UINT fType, OZWBmpMenuItemInfo* pItem) {
            SetPlain(pInfo->m_hMenu, nPos, fType, pItem->m_strText);
        });
        delete pInfo;
    }
    m_mapMenus.clear();
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->Release();
    m_pBmpMgr = nullptr;
    if (m_hDitherBrush != nullptr)
        ::DeleteObject(m_hDitherBrush);
    if (m_hRadioDot != nullptr && m_bOwnRadioDot)
        ::DeleteObject(m_hRadioDot);
    if (m_hThemeMenu != nullptr)
        UXCloseThemeData((HTHEME)m_hThemeMenu);
    DeleteFonts();
}

void OZWBmpMenuPlugIn::SetBmpMgr(OZWBmpMgr* pBmpMgr)
{
    if (pBmpMgr == nullptr || pBmpMgr == m_pBmpMgr)
        return;
    pBmpMgr->AddRef();
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->Release();
    m_pBmpMgr = pBmpMgr;
    m_pBmpMgr->SetKeepBoth(TRUE);
}

void OZWBmpMenuPlugIn::SetTransparentColor(COLORREF clr, BOOL bUse)
{
    m_crTransparent = clr;
    m_bUseTransparent = bUse;
}

HMENU OZWBmpMenuPlugIn::GetSystemMenuWithDefault(HWND hWnd)
{
    HMENU hMenu = ::GetSystemMenu(hWnd, FALSE);
    if (hMenu != nullptr && ::GetMenuDefaultItem(hMenu, FALSE, GMDI_GOINTOPOPUPS) == (UINT)-1)
        ::SetMenuDefaultItem(hMenu, SC_CLOSE, FALSE);
    return hMenu;
}

CSize OZWBmpMenuPlugIn::GetImageSize() const
{
    return m_pBmpMgr != nullptr ? m_pBmpMgr->GetSmallSize() : CSize(16, 15);
}

BOOL OZWBmpMenuPlugIn::IsStyledLook()
{
    return UXIsDotNetStyleEnabled() || UXIsOfc2003StyleEnabled() || UXIsVistaClassicStyleEnabled();
}

OZWBmpMenuInfo* OZWBmpMenuPlugIn::FindMenu(HMENU hMenu) const
{
    auto it = m_mapMenus.find(hMenu);
    return it != m_mapMenus.end() ? it->second : nullptr;
}

void OZWBmpMenuPlugIn::HandleInitMenuPopup(HMENU hMenu, LPARAM lParam)
{
    ConvertPopup(hMenu, HIWORD(lParam));
}

void OZWBmpMenuPlugIn::ConvertPopup(HMENU hMenu, BOOL bSysMenu)
{
    if (bSysMenu || !::IsMenu(hMenu))
        return;
    OZWBmpMenuInfo* pInfo = FindMenu(hMenu);
    if (pInfo == nullptr) {
        pInfo = new OZWBmpMenuInfo(hMenu);
        m_mapMenus[hMenu] = pInfo;
    }
    const bool bStyled = IsStyledLook() != FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    ozwmenu::ItemFacts previous;
    bool bHavePrevious = false;
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOA mii;
        if (!GetItem(hMenu, (UINT)i, mii))
            continue;
        ozwmenu::ItemFacts facts;
        facts.fType = mii.fType;
        facts.nID = mii.hSubMenu != nullptr ? 0 : mii.wID;
        facts.bForeign = IsForeign(facts.nID);
        auto* pData = reinterpret_cast<OZWBmpMenuItemInfo*>(mii.dwItemData);
        const BOOL bOwnData = pInfo->Holds(pData);
        facts.bRecorded = bOwnData || (facts.nID != 0 && pInfo->Find((int)facts.nID) != nullptr);
        switch (ozwmenu::ClassifyItem(facts, bHavePrevious ? &previous : nullptr, bStyled)) {
        case ozwmenu::Conversion::ConvertItem: {
            OZWBmpMenuItemInfo* pItem = bOwnData ? pData : nullptr;
            if (pItem == nullptr && facts.nID != 0)
                pItem = pInfo->Find((int)facts.nID);
            if (pItem == nullptr) {
                pItem = new OZWBmpMenuItemInfo;
                pInfo->m_items.push_back(pItem);
            }
            const std::string text = MenuItemText(hMenu, (UINT)i);
            pItem->m_nID = (int)facts.nID;
            pItem->m_strText = text.c_str();
            pItem->m_chMnemonic = ozwmenu::ExtractMnemonic(text.c_str());
            pItem->m_bDefault = (mii.fState & MFS_DEFAULT) != 0;
            SetOwnerDrawn(hMenu, (UINT)i, mii.fType, pItem);
            break;
        }
        case ozwmenu::Conversion::ConvertSeparator: {
            OZWBmpMenuItemInfo* pItem = bOwnData ? pData : nullptr;
            if (pItem == nullptr) {
                pItem = new OZWBmpMenuItemInfo;
                pInfo->m_items.push_back(pItem);
            }
            pItem->m_nID = -1;
            pItem->m_strText.Empty();
            SetOwnerDrawn(hMenu, (UINT)i, mii.fType, pItem);
            break;
        }
        case ozwmenu::Conversion::MarkForeign:
            m_mapForeign[facts.nID] = facts.nID;
            break;
        case ozwmenu::Conversion::Leave:
            break;
        }
        previous = facts;
        bHavePrevious = true;
    }
}

void OZWBmpMenuPlugIn::PurgeMenus()
{
    for (auto it = m_mapMenus.begin(); it != m_mapMenus.end();) {
        OZWBmpMenuInfo* pInfo = it->second;
        if (!::IsMenu(pInfo->m_hMenu)) {
            delete pInfo;
            it = m_mapMenus.erase(it);
            continue;
        }
        std::vector<const OZWBmpMenuItemInfo*> used;
        const int nCount = ::GetMenuItemCount(pInfo->m_hMenu);
        for (int i = 0; i < nCount; ++i) {
            MENUITEMINFOA mii;
            if (GetItem(pInfo->m_hMenu, (UINT)i, mii) && (mii.fType & MFT_OWNERDRAW) &&
                !IsForeign(mii.hSubMenu != nullptr ? 0 : mii.wID))
                used.push_back(reinterpret_cast<const OZWBmpMenuItemInfo*>(mii.dwItemData));
        }
        pInfo->KeepOnly(used);
        ++it;
    }
}

void OZWBmpMenuPlugIn::DeleteFonts()
{
    if (m_hFontMenu != nullptr)
        ::DeleteObject(m_hFontMenu);
    if (m_hFontMenuBold != nullptr)
        ::DeleteObject(m_hFontMenuBold);
    m_hFontMenu = m_hFontMenuBold = nullptr;
}

HFONT OZWBmpMenuPlugIn::CreateMenuFont()
{
    if (m_hFontMenu == nullptr) {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof(ncm);
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
            m_hFontMenu = ::CreateFontIndirectA(&ncm.lfMenuFont);
    }
    return m_hFontMenu;
}

HFONT OZWBmpMenuPlugIn::CreateBoldMenuFont()
{
    if (m_hFontMenuBold == nullptr) {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof(ncm);
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
            ncm.lfMenuFont.lfWeight = FW_BOLD;
            m_hFontMenuBold = ::CreateFontIndirectA(&ncm.lfMenuFont);
        }
    }
    return m_hFontMenuBold;
}

LRESULT OZWBmpMenuPlugIn::OnMeasureItem(WPARAM, LPARAM lParam)
{
    auto* pMIS = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
    if (pMIS == nullptr || pMIS->CtlType != ODT_MENU || IsForeign(pMIS->itemID))
        return 0;
    auto* pItem = reinterpret_cast<OZWBmpMenuItemInfo*>(pMIS->itemData);
    bool bOurs = false;
    for (auto& entry : m_mapMenus)
        bOurs = bOurs || entry.second->Holds(pItem);
    if (!bOurs)
        return 0;
    HDC hdc = ::GetDC(nullptr);
    HFONT hFont = pItem->m_bDefault ? CreateBoldMenuFont() : CreateMenuFont();
    HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(hdc, hFont) : nullptr;
    RECT rect = {0, 0, 0, 0};
    CString text = pItem->m_strText;
    if (text.IsEmpty())
        text = " ";
    ::DrawTextA(hdc, text, text.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    if (hOld != nullptr)
        ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    const CSize image = GetImageSize();
    const SIZE size = ozwmenu::MeasureItem(SIZE {rect.right - rect.left, rect.bottom - rect.top},
                                           SIZE {image.cx, image.cy}, ::GetSystemMetrics(SM_CYMENU),
                                           pItem->m_nID == -1 && IsStyledLook());
    pMIS->itemWidth = (UINT)size.cx;
    pMIS->itemHeight = (UINT)size.cy;
    m_bExitHost = TRUE;
    SetReturn(1);
    return TRUE;
}

void OZWBmpMenuPlugIn::CreateImageMask(CDC* pSrc, CDC* pMaskDC, CBitmap* pMask, CBitmap** ppOld, int cx, int cy,
                                       int xSrc)
{
    pMaskDC->CreateCompatibleDC(pSrc);
    pMask->CreateBitmap(cx, cy, 1, 1, nullptr);
    *ppOld = pMaskDC->SelectObject(pMask);
    pMaskDC->PatBlt(0, 0, cx, cy, WHITENESS);
    const COLORREF old = pSrc->SetBkColor(g_colours.face);
    pMaskDC->BitBlt(0, 0, cx, cy, pSrc, xSrc, 0, SRCCOPY);
    pSrc->SetBkColor(g_colours.highlight);
    pMaskDC->BitBlt(0, 0, cx, cy, pSrc, xSrc, 0, SRCPAINT);
    pSrc->SetBkColor(old);
}

void OZWBmpMenuPlugIn::DrawDisabledImage(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrc, int xSrc)
{
    CDC maskDC;
    CBitmap mask;
    CBitmap* pOld = nullptr;
    CreateImageMask(pSrc, &maskDC, &mask, &pOld, cx, cy, xSrc);
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    HBRUSH hHighlight = ::CreateSolidBrush(g_colours.highlight);
    HBRUSH hShadow = ::CreateSolidBrush(g_colours.shadow);
    HGDIOBJ hOldBrush = ::SelectObject(pDC->m_hDC, hHighlight);
    ::BitBlt(pDC->m_hDC, x + 1, y + 1, cx, cy, maskDC.m_hDC, 0, 0, 0x00B8074A);
    ::SelectObject(pDC->m_hDC, hShadow);
    ::BitBlt(pDC->m_hDC, x, y, cx, cy, maskDC.m_hDC, 0, 0, 0x00B8074A);
    ::SelectObject(pDC->m_hDC, hOldBrush);
    ::DeleteObject(hHighlight);
    ::DeleteObject(hShadow);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
    maskDC.SelectObject(pOld);
}

void OZWBmpMenuPlugIn::DrawCheckedBackground(CDC* pDC, int x, int y, int cx, int cy, CDC* pSrc, int xSrc)
{
    if (IsStyledLook() || UXIsThemeActive())
        return;
    if (m_hDitherBrush == nullptr) {
        static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, pattern);
        if (hPattern != nullptr) {
            m_hDitherBrush = ::CreatePatternBrush(hPattern);
            ::DeleteObject(hPattern);
        }
    }
    if (m_hDitherBrush == nullptr)
        return;
    CDC maskDC;
    CBitmap mask;
    CBitmap* pOld = nullptr;
    CreateImageMask(pSrc, &maskDC, &mask, &pOld, cx, cy, xSrc);
    const COLORREF oldBk = pDC->SetBkColor(g_colours.highlight);
    const COLORREF oldText = pDC->SetTextColor(g_colours.face);
    HGDIOBJ hOldBrush = ::SelectObject(pDC->m_hDC, m_hDitherBrush);
    ::BitBlt(pDC->m_hDC, x, y, cx, cy, maskDC.m_hDC, 0, 0, 0x00E20746);
    ::SelectObject(pDC->m_hDC, hOldBrush);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
    maskDC.SelectObject(pOld);
}

void OZWBmpMenuPlugIn::DrawItemImage(LPDRAWITEMSTRUCT pDIS, CDC* pDC, CRect* prcImage, HBITMAP hStrip, int nIndex,
                                     int cx, int cy)
{
    const CRect& item = pDIS->rcItem;
    CRect box(item.left, item.top + (item.Height() - (cy + 4)) / 2, item.left + cx + 4,
              item.top + (item.Height() - (cy + 4)) / 2 + cy + 4);
    prcImage->left = box.right;
    const BOOL bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    const BOOL bDisabled = (pDIS->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const BOOL bChecked = (pDIS->itemState & ODS_CHECKED) != 0;
    const BOOL bStyled = IsStyledLook();
    if (nIndex < 0 || hStrip == nullptr) {
        if (!bStyled)
            FillSolid(pDC->m_hDC, box, bSelected ? g_colours.selection : g_colours.menu);
        return;
    }
    if (!bStyled) {
        FillSolid(pDC->m_hDC, box, g_colours.menu);
        if (bChecked)
            ::DrawEdge(pDC->m_hDC, &box, BDR_SUNKENOUTER, BF_RECT);
        else if (bSelected && !bDisabled)
            ::DrawEdge(pDC->m_hDC, &box, BDR_RAISEDINNER, BF_RECT);
    }
    CDC src;
    src.CreateCompatibleDC(pDC);
    HGDIOBJ hOld = ::SelectObject(src.m_hDC, hStrip);
    const COLORREF clrTransparent = m_bUseTransparent ? m_crTransparent : ::GetPixel(src.m_hDC, 0, 0);
    const int x = box.left + 2, y = box.top + 2, xSrc = nIndex * cx;
    if (bStyled) {
        if (bDisabled)
            UXDrawDCFullImageShadow(pDC->m_hDC, x, y, cx, cy, src.m_hDC, xSrc, 0, clrTransparent,
                                    UXGetDNETColor(31));
        else
            UXDrawDCImage(pDC->m_hDC, x, y, cx, cy, src.m_hDC, xSrc, 0, clrTransparent);
    } else if (!bDisabled) {
        UXTransparentBlt(pDC->m_hDC, x, y, cx, cy, src.m_hDC, xSrc, 0, cx, cy, clrTransparent);
        if (bChecked && !bSelected)
            DrawCheckedBackground(pDC, x, y, cx, cy, &src, xSrc);
    } else {
        DrawDisabledImage(pDC, x, y, cx, cy, &src, xSrc);
    }
    ::SelectObject(src.m_hDC, hOld);
}

void OZWBmpMenuPlugIn::DrawCheckMark(LPDRAWITEMSTRUCT pDIS, CDC* pDC, const CRect& rcBox)
{
    const BOOL bChecked = (pDIS->itemState & ODS_CHECKED) != 0;
    HMENU hMenu = (HMENU)pDIS->hwndItem;
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS | MIIM_FTYPE;
    ::GetMenuItemInfoA(hMenu, pDIS->itemID, FALSE, &mii);
    HBITMAP hCheck = bChecked ? mii.hbmpChecked : mii.hbmpUnchecked;
    HBITMAP hLoaded = nullptr;
    if (hCheck == nullptr && bChecked) {
        if ((mii.fType & MFT_RADIOCHECK) && m_hRadioDot != nullptr) {
            hCheck = m_hRadioDot;
        } else if (m_bUseCheckBitmap) {
            if (UXIsDotNetStyleEnabled()) {
                hLoaded = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_OZW_MENU_CHECK));
            } else {
                CBitmap bitmap;
                if (dedaride::foundation::LoadSysColorBitmap(&bitmap, IDB_OZW_MENU_CHECK))
                    hLoaded = (HBITMAP)bitmap.Detach();
            }
            hCheck = hLoaded;
        } else {
            hLoaded = ::LoadBitmap(nullptr, MAKEINTRESOURCE(32760)); // OBM_CHECK
            hCheck = hLoaded;
        }
    }
    if (hCheck == nullptr)
        return;
    BITMAP bm = {};
    ::GetObject(hCheck, sizeof(bm), &bm);
    CDC src;
    src.CreateCompatibleDC(pDC);
    HGDIOBJ hOld = ::SelectObject(src.m_hDC, hCheck);
    const int x = rcBox.left + (rcBox.Width() - bm.bmWidth) / 2;
    const int y = rcBox.top + (rcBox.Height() - bm.bmHeight) / 2;
    if (bm.bmBitsPixel == 1) {
        // Monochrome marks: black on the item's colours.
        const COLORREF oldText = pDC->SetTextColor((pDIS->itemState & ODS_SELECTED) ? g_colours.selectedText
                                                                                     : g_colours.menuText);
        const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
        ::BitBlt(pDC->m_hDC, x, y, bm.bmWidth, bm.bmHeight, src.m_hDC, 0, 0, SRCAND);
        pDC->SetTextColor(oldText);
        pDC->SetBkColor(oldBk);
    } else {
        UXTransparentBlt(pDC->m_hDC, x, y, bm.bmWidth, bm.bmHeight, src.m_hDC, 0, 0, bm.bmWidth, bm.bmHeight,
                         ::GetPixel(src.m_hDC, 0, 0));
    }
    ::SelectObject(src.m_hDC, hOld);
    if (hLoaded != nullptr)
        ::DeleteObject(hLoaded);
}

LRESULT OZWBmpMenuPlugIn::OnDrawItem(WPARAM, LPARAM lParam)
{
    auto* pDIS = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
    if (pDIS == nullptr || pDIS->CtlType != ODT_MENU || IsForeign(pDIS->itemID))
        return 0;
    OZWBmpMenuInfo* pInfo = FindMenu((HMENU)pDIS->hwndItem);
    auto* pItem = reinterpret_cast<OZWBmpMenuItemInfo*>(pDIS->itemData);
    if (pInfo == nullptr || !pInfo->Holds(pItem))
        return 0;
    CDC* pDC = CDC::FromHandle(pDIS->hDC);
    const CRect rcItem(pDIS->rcItem);
    const CSize image = GetImageSize();
    const BOOL bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    const BOOL bDisabled = (pDIS->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const BOOL bDotNet = UXIsDotNetStyleEnabled(), bOffice = UXIsOfc2003StyleEnabled();
    const BOOL bStyled = IsStyledLook();
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    std::string label, accelerator;
    ozwmenu::SplitAtTab(std::string((LPCSTR)pItem->m_strText), label, accelerator);
    HBITMAP hStrip = nullptr;
    int nIndex = -1;
    if (m_pBmpMgr == nullptr || pItem->m_nID <= 0 ||
        !m_pBmpMgr->GetImage((UINT)pItem->m_nID, &hStrip, &nIndex, TRUE) || hStrip == nullptr)
        nIndex = -1;
    HFONT hFont = (pDIS->itemState & ODS_DEFAULT) || pItem->m_bDefault ? CreateBoldMenuFont() : CreateMenuFont();
    HGDIOBJ hOldFont = hFont != nullptr ? ::SelectObject(pDIS->hDC, hFont) : nullptr;

    // The image column of the styled looks.
    const CRect rcColumn(rcItem.left, rcItem.top, rcItem.left + image.cx + 4, rcItem.bottom);
    if (bStyled) {
        if (bOffice)
            UXPaintGradientRect(pDIS->hDC, rcColumn.left, rcColumn.top, rcColumn.Width(), rcColumn.Height(),
                                UXGetO2K3Color(0), UXGetO2K3Color(1), TRUE);
        else
            FillSolid(pDIS->hDC, rcColumn, UXGetDNETColor(25));
        FillSolid(pDIS->hDC, CRect(rcColumn.right, rcItem.top, rcItem.right, rcItem.bottom), UXGetDNETColor(15));
    }
    if (pItem->m_nID == -1) {
        if (bStyled) {
            const int y = (rcItem.top + rcItem.bottom) / 2;
            FillSolid(pDIS->hDC, CRect(rcItem.left + image.cx + 8, y, rcItem.right, y + 1), UXGetDNETColor(27));
        }
    } else {
        // The text area first, so an image box drawn over it stays.
        CRect rcText(rcColumn.right, rcItem.top, rcItem.right, rcItem.bottom);
        if (!bStyled) {
            FillSolid(pDIS->hDC, rcText, bSelected ? g_colours.selection : g_colours.menu);
        } else if (bSelected && !bDisabled) {
            if (bDotNet || bOffice)
                FillSolid(pDIS->hDC, rcItem, bOffice ? UXGetO2K3Color(3) : UXGetDNETColor(19));
            else
                FillSolid(pDIS->hDC, rcText, g_colours.selection);
        }
        CRect rcImage(rcItem);
        if (nIndex >= 0) {
            DrawItemImage(pDIS, pDC, &rcImage, hStrip, nIndex, image.cx, image.cy);
        } else {
            const CRect box(rcItem.left, rcItem.top, rcItem.left + image.cx + 4, rcItem.bottom);
            if (!bStyled)
                FillSolid(pDIS->hDC, box, bSelected ? g_colours.selection : g_colours.menu);
            DrawCheckMark(pDIS, pDC, box);
        }
        rcText.left = rcColumn.right + 1 + ((bDotNet || bOffice) ? 4 : 0);
        rcText.right = rcItem.right - 23;
        COLORREF clrText;
        if (!bDisabled)
            clrText = bStyled ? (bSelected ? UXGetDNETColor(21) : UXGetDNETColor(16))
                              : (bSelected ? g_colours.selectedText : g_colours.menuText);
        else if (bSelected || bStyled)
            clrText = bStyled ? UXGetDNETColor(18) : g_colours.greyText;
        else
            clrText = g_colours.shadow;
        auto drawTexts = [&](const CRect& r) {
            CRect a = r;
            ::DrawTextA(pDIS->hDC, label.c_str(), (int)label.size(), &a, DT_SINGLELINE | DT_VCENTER);
            a = r;
            ::DrawTextA(pDIS->hDC, accelerator.c_str(), (int)accelerator.size(), &a,
                        DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        };
        if (bDisabled && !bSelected && !bStyled) {
            // Embossed: a highlight copy one pixel down and right first.
            pDC->SetTextColor(g_colours.highlight);
            CRect moved = rcText;
            moved.OffsetRect(1, 1);
            drawTexts(moved);
        }
        pDC->SetTextColor(clrText);
        drawTexts(rcText);
        if (bSelected && (bDotNet || bOffice)) {
            HBRUSH hFrame = ::CreateSolidBrush(UXGetDNETColor(20));
            ::FrameRect(pDIS->hDC, &rcItem, hFrame);
            ::DeleteObject(hFrame);
        }
    }
    if (hOldFont != nullptr)
        ::SelectObject(pDIS->hDC, hOldFont);
    pDC->SetBkMode(nOldMode);
    return TRUE;
}

LRESULT OZWBmpMenuPlugIn::OnMenuChar(WPARAM wParam, LPARAM lParam)
{
    HMENU hMenu = (HMENU)lParam;
    OZWBmpMenuInfo* pInfo = FindMenu(hMenu);
    if (pInfo == nullptr)
        return 0;
    std::vector<ozwmenu::MnemonicItem> items;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        ozwmenu::MnemonicItem item;
        MENUITEMINFOA mii;
        if (GetItem(hMenu, (UINT)i, mii)) {
            auto* pItem = reinterpret_cast<OZWBmpMenuItemInfo*>(mii.dwItemData);
            item.bEligible = (mii.fType & MFT_OWNERDRAW) && pInfo->Holds(pItem) &&
                             !IsForeign(mii.hSubMenu != nullptr ? 0 : mii.wID);
            item.chMnemonic = item.bEligible ? pItem->m_chMnemonic : 0;
            item.bHighlighted = (mii.fState & MFS_HILITE) != 0;
        }
        items.push_back(item);
    }
    const LRESULT lAnswer = ozwmenu::MenuCharAnswer((char)LOWORD(wParam), items);
    if (lAnswer != 0)
        m_bExitHost = TRUE;
    return lAnswer;
}

LRESULT OZWBmpMenuPlugIn::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    ConvertPopup((HMENU)wParam, HIWORD(lParam));
    return 0;
}

LRESULT OZWBmpMenuPlugIn::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    PurgeMenus();
    return 0;
}

LRESULT OZWBmpMenuPlugIn::OnSettingChange(WPARAM, LPARAM)
{
    DeleteFonts();
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->ReloadAll(TRUE);
    PurgeMenus();
    // Each item is set once as a plain item and back, so the platform asks
    // for its size again.
    for (auto& entry : m_mapMenus) {
        OZWBmpMenuInfo* pInfo = entry.second;
        ForEachOwnItem(pInfo, [pInfo](UINT nPos, UINT fType, OZWBmpMenuItemInfo* pItem) {
            SetPlain(pInfo->m_hMenu, nPos, fType, "");
            SetOwnerDrawn(pInfo->m_hMenu, nPos, fType, pItem);
        });
    }
    return 0;
}

LRESULT OZWBmpMenuPlugIn::OnSysColorChange(WPARAM, LPARAM)
{
    g_colours.Refresh();
    if (m_hDitherBrush != nullptr)
        ::DeleteObject(m_hDitherBrush);
    m_hDitherBrush = nullptr;
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->ReloadAll(TRUE);
    return 0;
}
