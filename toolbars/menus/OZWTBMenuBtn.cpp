#include "toolbars/menus/OZWTBMenuBtn.h"

#include "platform/theme/ColorSpace.h"
#include "platform/theme/ThemeLib.h"
#include "toolbars/buttons/ButtonTheme.h"
#include "toolbars/menus/MenuRules.h"
#include "toolbars/model/ToolBarLayout.h"

#include <algorithm>

IMPLEMENT_OZWBTN_CLASS(OZWTBMenuBtn)

namespace {

// A colour made darker by lowering its lightness (on the 0-240 scale).
COLORREF Darker(COLORREF clr, int nBy)
{
    WORD h = 0, l = 0, s = 0;
    RGBtoHLS(clr, &h, &l, &s);
    const int nLight = std::max(0, (int)l - nBy);
    return HLStoRGB(h, (WORD)nLight, s);
}

void FrameOpenBottom(CDC* pDC, const CRect& rc, COLORREF clr)
{
    pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clr);
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clr);
    pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clr);
}

} // namespace

OZWTBMenuBtn::OZWTBMenuBtn()
{
    m_nType = typeMenu;
}

OZWTBMenuBtn::~OZWTBMenuBtn()
{
    if (m_hThemeToolbar != nullptr)
        UXCloseThemeData(m_hThemeToolbar);
    if (m_hThemeTaskband != nullptr)
        UXCloseThemeData(m_hThemeTaskband);
}

void OZWTBMenuBtn::Init(OZWBtnHost* pToolBar, const UINT_PTR* pParams)
{
    SetToolBar(pToolBar);
    if (pParams != nullptr) {
        m_nMenuParam1 = pParams[0];
        m_nMenuParam2 = pParams[1];
        m_strText = pParams[2] != 0 ? reinterpret_cast<LPCSTR>(pParams[2]) : "";
        m_nMenuParam4 = (DWORD)pParams[3];
        ExtractMnemonic();
    }
    AdjustSize();
}

void OZWTBMenuBtn::ExtractMnemonic()
{
    m_cMnemonic = ozwmenu::ExtractMnemonic(m_strText);
}

HFONT OZWTBMenuBtn::GetCaptionFont() const
{
    if (m_pToolBar == nullptr)
        return nullptr;
    if (HFONT hFont = m_pToolBar->GetMenuFont())
        return hFont;
    CWnd* pWnd = m_pToolBar->GetHostWnd();
    return pWnd != nullptr && pWnd->m_hWnd != nullptr ? (HFONT)pWnd->SendMessage(WM_GETFONT) : nullptr;
}

void OZWTBMenuBtn::AdjustSize()
{
    HDC hdc = ::GetDC(nullptr);
    HFONT hFont = GetCaptionFont();
    HGDIOBJ hOld = ::SelectObject(hdc, hFont != nullptr ? (HGDIOBJ)hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT rect = {0, 0, 0, 0};
    ::DrawTextA(hdc, m_strText, m_strText.GetLength(), &rect, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    m_cx = rect.right - rect.left + 10;
    m_cy = rect.bottom - rect.top + 6;
    if (m_pToolBar != nullptr)
        m_pToolBar->RaiseMaxButtonSize(m_cx, m_cy);
}

BOOL OZWTBMenuBtn::BtnPressDown(CPoint)
{
    if (m_nStyle & TBB_DISABLED)
        return FALSE;
    m_nStyle |= TBB_PRESSED;
    Invalidate();
    DropMenu();
    return FALSE;
}

void OZWTBMenuBtn::DropMenu()
{
    if (m_pToolBar != nullptr)
        m_pToolBar->DropButtonMenu(this);
}

void OZWTBMenuBtn::DrawButton(OZWBtnDrawData& drawData, CRect rect, CDC* pDC)
{
    int ix = 0, iy = 0;
    DrawFace(drawData, m_pToolBar != nullptr && m_pToolBar->IsConfigMode(), rect, ix, iy, -1, pDC);
}

BOOL OZWTBMenuBtn::DrawFace(OZWBtnDrawData&, BOOL bCustomizing, CRect& rc, int& ix, int& iy, int, CDC* pDC)
{
    ix = rc.left;
    iy = rc.top;
    const BOOL bThemed = dedaride::foundation::IsThemedDrawing();
    if (bThemed && m_hThemeTaskband == nullptr)
        m_hThemeTaskband = UXOpenThemeData(UXGetSafeHwnd(), "TASKBAND");
    if (bThemed && m_hThemeToolbar == nullptr)
        m_hThemeToolbar = UXOpenThemeData(UXGetSafeHwnd(), "Toolbar");
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    COLORREF clrLight = clrFace, clrDark = clrFace, clrMiddle = clrFace;
    if (m_hThemeTaskband != nullptr && UXGetThemeColor(m_hThemeTaskband, 2, 0, 3821, &clrLight) >= 0 &&
        UXGetThemeColor(m_hThemeTaskband, 2, 0, 3808, &clrDark) >= 0) {
        clrMiddle = RGB((GetRValue(clrLight) + GetRValue(clrDark)) / 2, (GetGValue(clrLight) + GetGValue(clrDark)) / 2,
                        (GetBValue(clrLight) + GetBValue(clrDark)) / 2);
    }
    const BOOL bDotNet = UXIsDotNetStyleEnabled();
    const BOOL bOffice = UXIsOfc2003StyleEnabled();
    const BOOL bVista = UXIsVistaClassicStyleEnabled();
    const BOOL bHot = (m_nStyle & TBB_HOT) != 0;
    const BOOL bOpen = (m_nStyle & (TBB_PRESSED | TBB_CHECKED)) != 0;
    OZW_AUX_DATA* pSys = UXGetSysData();
    if (!bOffice && !bVista)
        pDC->FillSolidRect(&rc, clrFace);
    int nTextShift = 0;
    if (!bOpen || bCustomizing) {
        if (!IsCoolLook()) {
            pDC->Draw3dRect(&rc, pSys->clrBtnHilite, pSys->clrBtnDkShadow);
            CRect inner = rc;
            inner.DeflateRect(1, 1);
            pDC->Draw3dRect(&inner, clrFace, pSys->clrBtnShadow);
            rc.DeflateRect(2, 2);
        } else if (bHot && !bCustomizing) {
            CRect fill = rc;
            fill.right -= 3;
            if (bDotNet) {
                pDC->FillSolidRect(&fill, UXGetDNETColor(5));
                pDC->Draw3dRect(&fill, ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHT));
                rc.DeflateRect(1, 1);
            } else if (bOffice) {
                UXPaintGradientRect(pDC->m_hDC, fill.left, fill.top, fill.Width(), fill.Height(), UXGetO2K3Color(1),
                                    UXGetO2K3Color(3), FALSE);
                pDC->Draw3dRect(&fill, RGB(0, 0, 0), RGB(0, 0, 0));
                rc.DeflateRect(1, 1);
            } else {
                if (!(bVista && m_hThemeToolbar != nullptr &&
                      UXDrawThemeBackground(m_hThemeToolbar, pDC->m_hDC, 1, 2, &rc, nullptr) >= 0))
                    pDC->Draw3dRect(&rc, pSys->clrBtnHilite, pSys->clrBtnShadow);
                rc.DeflateRect(2, 2);
            }
        } else {
            rc.DeflateRect(2, 2);
        }
    } else if (bDotNet || bOffice) {
        // The open menu: a frame open at the bottom, and a shadow at its right.
        CRect body = rc;
        body.right -= 4;
        if (bDotNet)
            pDC->FillSolidRect(&body, UXGetDNETColor(0));
        else
            UXPaintGradientRect(pDC->m_hDC, body.left, body.top, body.Width(), body.Height(), UXGetO2K3Color(1),
                                UXGetO2K3Color(0), FALSE);
        FrameOpenBottom(pDC, body, UXGetDNETColor(26));
        const COLORREF clrBase = bOffice ? clrMiddle : clrFace;
        const int lowered[3] = {80, 50, 20};
        for (int i = 0; i < 3; ++i) {
            const int x = rc.left + rc.Width() - 3 + i;
            pDC->FillSolidRect(x, rc.top + 4 + (i == 0 ? 1 : 0), 1, rc.Height() - 4, Darker(clrBase, lowered[i]));
        }
        rc.DeflateRect(1, 1);
    } else if (bVista && m_hThemeToolbar != nullptr &&
               UXDrawThemeBackground(m_hThemeToolbar, pDC->m_hDC, 1, (m_nStyle & TBB_PRESSED) ? 3 : 5, &rc,
                                     nullptr) >= 0) {
        nTextShift = 1;
    } else {
        pDC->Draw3dRect(&rc, pSys->clrBtnShadow, pSys->clrBtnHilite);
        rc.DeflateRect(2, 2);
        nTextShift = 1;
    }

    // The caption.
    HFONT hFont = GetCaptionFont();
    HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(pDC->m_hDC, hFont) : nullptr;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrText = (bDotNet || bOffice || bVista) ? UXGetDNETColor(29) : ::GetSysColor(COLOR_BTNTEXT);
    const COLORREF oldText = pDC->SetTextColor((m_nStyle & TBB_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT) : clrText);
    const CRect full = GetBtnRect();
    CRect text(rc.left - 2 + 4 + nTextShift, rc.top - 2 + 3 + nTextShift, rc.left - 2 + full.Width(),
               rc.top - 2 + full.Height());
    ::DrawTextA(pDC->m_hDC, m_strText, m_strText.GetLength(), &text, DT_SINGLELINE);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(nOldMode);
    if (hOld != nullptr)
        ::SelectObject(pDC->m_hDC, hOld);
    return TRUE;
}

void FillGradient(CDC* pDC, const RECT& rect, COLORREF clrTo, COLORREF clrFrom, BOOL bHorizontal)
{
    const int nExtent = bHorizontal ? rect.right - rect.left : rect.bottom - rect.top;
    for (int t = 0; t < 255; ++t) {
        const int b0 = nExtent * t / 255, b1 = nExtent * (t + 1) / 255;
        if (b1 <= b0)
            continue;
        const COLORREF clr = RGB(GetRValue(clrFrom) + (GetRValue(clrTo) - GetRValue(clrFrom)) * t / 255,
                                 GetGValue(clrFrom) + (GetGValue(clrTo) - GetGValue(clrFrom)) * t / 255,
                                 GetBValue(clrFrom) + (GetBValue(clrTo) - GetBValue(clrFrom)) * t / 255);
        if (bHorizontal)
            pDC->FillSolidRect(rect.left + b0, rect.top, b1 - b0, rect.bottom - rect.top, clr);
        else
            pDC->FillSolidRect(rect.left, rect.top + b0, rect.right - rect.left, b1 - b0, clr);
    }
}
