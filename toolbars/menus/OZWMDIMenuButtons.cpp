#include "toolbars/menus/OZWMDIMenuButtons.h"

#include "platform/theme/ThemeLib.h"
#include "toolbars/buttons/ButtonTheme.h"
#include "toolbars/model/ToolBarLayout.h"

#include <algorithm>

IMPLEMENT_OZWBTN_CLASS(OZWBtnCaption)
IMPLEMENT_OZWBTN_CLASS(OZWCapMenuBtn)

UINT CaptionPartCommand(int nPart)
{
    switch (nPart) {
    case OZWBtnCaption::kMinimize: return SC_MINIMIZE;
    case OZWBtnCaption::kRestore: return SC_RESTORE;
    case OZWBtnCaption::kClose: return SC_CLOSE;
    default: return 0;
    }
}

int CaptionPartHitCode(int nPart)
{
    switch (nPart) {
    case OZWBtnCaption::kMinimize: return HTMINBUTTON;
    case OZWBtnCaption::kRestore: return HTMAXBUTTON;
    case OZWBtnCaption::kClose: return HTCLOSE;
    default: return 0;
    }
}

// ---- OZWBtnCaption

OZWBtnCaption::OZWBtnCaption()
{
    m_nType = typeCaption;
    if (dedaride::foundation::IsThemedDrawing()) {
        m_cxPart = ::GetSystemMetrics(SM_CXMENUSIZE);
        m_cyPart = ::GetSystemMetrics(SM_CYMENUSIZE);
    } else {
        m_cxPart = ::GetSystemMetrics(SM_CXSIZE) - 2;
        m_cyPart = ::GetSystemMetrics(SM_CYSIZE) - 4;
    }
}

OZWBtnCaption::~OZWBtnCaption()
{
    if (m_hThemeWindow != nullptr)
        UXCloseThemeData(m_hThemeWindow);
}

void OZWBtnCaption::AdjustSize()
{
    m_cx = 3 * m_cxPart + 2;
    m_cy = m_cyPart;
    if (m_pToolBar != nullptr)
        m_pToolBar->RaiseMaxButtonSize(m_cx, m_cy);
}

int OZWBtnCaption::HitPart(CPoint point) const
{
    if ((m_dwWndStyle & WS_SYSMENU) == 0)
        return kNoPart;
    const BOOL bMinBox = (m_dwWndStyle & WS_MINIMIZEBOX) != 0;
    auto inside = [&](int left) {
        return point.x >= left && point.x < left + m_cxPart && point.y >= m_y && point.y < m_y + m_cyPart;
    };
    if (inside(m_x))
        return bMinBox ? kMinimize : kNoPart;
    if (inside(m_x + m_cxPart))
        return bMinBox ? kRestore : kNoPart;
    if (inside(m_x + 2 * m_cxPart + 2))
        return kClose;
    return kNoPart;
}

CMDIChildWnd* OZWBtnCaption::GetActiveChild() const
{
    CWnd* pBar = m_pToolBar != nullptr ? m_pToolBar->GetHostWnd() : nullptr;
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return nullptr;
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetAncestor(pBar->m_hWnd, GA_ROOT)));
    return pFrame != nullptr && pFrame->m_hWndMDIClient != nullptr ? pFrame->MDIGetActive() : nullptr;
}

BOOL OZWBtnCaption::BtnPressDown(CPoint point)
{
    const int nPart = HitPart(point);
    if ((m_nStyle & TBB_DISABLED) || nPart == kNoPart)
        return FALSE;
    m_nStyle |= TBB_PRESSED;
    m_nPressedPart = nPart;
    Invalidate();
    return TRUE;
}

void OZWBtnCaption::BtnPressMouseMove(CPoint point)
{
    const BOOL bOver = m_nPressedPart != kNoPart && HitPart(point) == m_nPressedPart;
    const BOOL bPressed = (m_nStyle & TBB_PRESSED) != 0;
    if (bOver == bPressed)
        return;
    if (bOver)
        m_nStyle |= TBB_PRESSED;
    else
        m_nStyle &= ~TBB_PRESSED;
    Invalidate();
}

void OZWBtnCaption::BtnPressCancel()
{
    m_nPressedPart = kNoPart;
    m_nStyle &= ~TBB_PRESSED;
    Invalidate();
}

UINT OZWBtnCaption::BtnPressUp(CPoint point)
{
    const int nPart = m_nPressedPart;
    if (nPart != kNoPart && HitPart(point) == nPart) {
        if (CMDIChildWnd* pChild = GetActiveChild()) {
            POINT screen = point;
            if (CWnd* pBar = m_pToolBar->GetHostWnd())
                ::ClientToScreen(pBar->m_hWnd, &screen);
            ::PostMessage(pChild->m_hWnd, WM_SYSCOMMAND, CaptionPartCommand(nPart), MAKELPARAM(screen.x, screen.y));
        }
    }
    BtnPressCancel();
    return 0;
}

INT_PTR OZWBtnCaption::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = OZWStdBtn::OnToolHitTest(point, pTI);
    if (pTI != nullptr)
        pTI->uFlags = (UINT)CaptionPartHitCode(HitPart(point));
    return nHit;
}

void OZWBtnCaption::DrawButton(OZWBtnDrawData& drawData, CRect rect, CDC* pDC)
{
    int ix = 0, iy = 0;
    DrawFace(drawData, FALSE, rect, ix, iy, -1, pDC);
}

BOOL OZWBtnCaption::DrawFace(OZWBtnDrawData&, BOOL, CRect& rc, int& ix, int& iy, int, CDC* pDC)
{
    ix = rc.left;
    iy = rc.top;
    const BOOL bOffice = UXIsOfc2003StyleEnabled();
    if (!bOffice && !UXIsVistaClassicStyleEnabled())
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    if ((m_dwWndStyle & WS_SYSMENU) == 0)
        return TRUE;
    const BOOL bMinBox = (m_dwWndStyle & WS_MINIMIZEBOX) != 0;
    const BOOL bPushed = (m_nStyle & TBB_PRESSED) != 0;
    if (!bOffice && m_hThemeWindow == nullptr && dedaride::foundation::IsThemedDrawing())
        m_hThemeWindow = UXOpenThemeData(UXGetSafeHwnd(), "Window");
    HFONT hMarlett = nullptr;
    if (bOffice) {
        const int nHeight = -::MulDiv(8, 96, std::max(1, pDC->GetDeviceCaps(LOGPIXELSY)));
        hMarlett = ::CreateFontA(nHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Marlett");
    }
    static const int themeParts[3] = {16, 22, 20};
    static const UINT glyphs[3] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
    static const char marlett[3] = {'0', '2', 'r'};
    for (int nPart = 0; nPart < 3; ++nPart) {
        const int left = rc.left + nPart * m_cxPart + (nPart == kClose ? 2 : 0);
        CRect part(left, rc.top, left + m_cxPart, rc.top + m_cyPart);
        const BOOL bInactive = nPart != kClose && !bMinBox;
        const BOOL bPartPushed = bPushed && m_nPressedPart == nPart;
        if (bOffice) {
            HGDIOBJ hOld = hMarlett != nullptr ? ::SelectObject(pDC->m_hDC, hMarlett) : nullptr;
            const int nOldMode = pDC->SetBkMode(TRANSPARENT);
            const COLORREF oldText = pDC->SetTextColor(::GetSysColor(bInactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
            ::DrawTextA(pDC->m_hDC, &marlett[nPart], 1, &part, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            pDC->SetTextColor(oldText);
            pDC->SetBkMode(nOldMode);
            if (hOld != nullptr)
                ::SelectObject(pDC->m_hDC, hOld);
            if (bPartPushed)
                pDC->Draw3dRect(&part, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
            continue;
        }
        const int nThemeState = bInactive ? 4 : bPartPushed ? 3 : 1;
        if (m_hThemeWindow != nullptr && UXIsThemePartDefined(m_hThemeWindow, themeParts[nPart], 0) >= 0 &&
            UXDrawThemeBackground(m_hThemeWindow, pDC->m_hDC, themeParts[nPart], nThemeState, &part, nullptr) >= 0)
            continue;
        const UINT nState = glyphs[nPart] | (bInactive ? DFCS_INACTIVE : 0) | (bPartPushed ? DFCS_PUSHED : 0);
        ::DrawFrameControl(pDC->m_hDC, &part, DFC_CAPTION, nState);
    }
    if (hMarlett != nullptr)
        ::DeleteObject(hMarlett);
    return TRUE;
}

// ---- OZWCapMenuBtn

OZWCapMenuBtn::OZWCapMenuBtn()
{
    m_nType = typeSysMenu;
}

void OZWCapMenuBtn::AdjustSize()
{
    m_cx = 16;
    m_cy = 16;
    if (m_pToolBar != nullptr)
        m_pToolBar->RaiseMaxButtonSize(16, 0);
}

BOOL OZWCapMenuBtn::DrawFace(OZWBtnDrawData&, BOOL, CRect& rc, int& ix, int& iy, int, CDC* pDC)
{
    ix = rc.left;
    iy = rc.top;
    const BOOL bFlatLooks = UXIsOfc2003StyleEnabled() || UXIsVistaClassicStyleEnabled();
    if (!bFlatLooks)
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    if (m_hIcon != nullptr)
        ::DrawIconEx(pDC->m_hDC, rc.left, rc.top, m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    return TRUE;
}

void OZWCapMenuBtn::DropMenu()
{
    CWnd* pBar = m_pToolBar != nullptr ? m_pToolBar->GetHostWnd() : nullptr;
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetAncestor(pBar->m_hWnd, GA_ROOT)));
    CMDIChildWnd* pChild = pFrame != nullptr && pFrame->m_hWndMDIClient != nullptr ? pFrame->MDIGetActive() : nullptr;
    HMENU hSysMenu = pChild != nullptr ? ::GetSystemMenu(pChild->m_hWnd, FALSE) : nullptr;
    if (hSysMenu == nullptr)
        return;
    m_nMenuParam1 = (UINT_PTR)hSysMenu;
    m_nMenuParam2 = (UINT_PTR)-1;
    m_pToolBar->DropButtonMenu(this);
}
