// The auto-hide strips of a frame's edges and their tabs.
#include "frame/bars/OZWAutoHideBar.h"
#include "frame/support/OZWAutoHideBarDockContext.h"
#include "frame/bars/BarHelpers.h"
#include "frame/bars/OZWDockingFrame.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>

namespace {

bool IsThemedLook()
{
    return !UXIsOfc2003StyleEnabled() && UXIsVistaClassicStyleEnabled();
}

COLORREF StripColour()
{
    return UXIsOfc2003StyleEnabled() ? UXGetO2K3Color(2) : UXGetDNETColor(3);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// OZWAutoHideBarBtn

IMPLEMENT_DYNAMIC(OZWAutoHideBarBtn, CWnd)

BEGIN_MESSAGE_MAP(OZWAutoHideBarBtn, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

OZWAutoHideBarBtn::OZWAutoHideBarBtn() = default;

OZWAutoHideBarBtn::~OZWAutoHideBarBtn()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL OZWAutoHideBarBtn::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, OZWAutoHideBar* pStrip,
                               UINT nSideID, HWND hBar, UINT nID)
{
    m_strText = lpszText != nullptr ? lpszText : "";
    m_nSideID = nSideID;
    m_hBar = hBar;
    m_pStrip = pStrip;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(lpszClass, m_strText, dwStyle | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pStrip,
                        nID);
}

void OZWAutoHideBarBtn::SetIcon(HICON hIcon)
{
    if (hIcon == nullptr)
        return;
    // The copies of the icon's bitmaps that GetIconInfo makes are not kept.
    ICONINFO info = {};
    if (::GetIconInfo(hIcon, &info)) {
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr)
            ::DeleteObject(info.hbmMask);
    }
    m_icon.SetIcon(hIcon);
    m_cxIcon = m_cyIcon = 16;
}

OZWControlBar* OZWAutoHideBarBtn::FindBar() const
{
    if (m_pStrip == nullptr || m_hBar == nullptr || !::IsWindow(m_hBar))
        return nullptr;
    CFrameWnd* pFrame = m_pStrip->m_pFrameWnd != nullptr ? m_pStrip->m_pFrameWnd : m_pStrip->GetDockingFrame();
    if (pFrame == nullptr)
        return nullptr;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == m_hBar)
            return DYNAMIC_DOWNCAST(OZWControlBar, pBar);
    }
    return nullptr;
}

void OZWAutoHideBarBtn::StopTracking()
{
    m_bTimerRunning = FALSE;
    m_bHot = FALSE;
    if (m_hWnd != nullptr) {
        KillTimer(1);
        Invalidate();
    }
}

void OZWAutoHideBarBtn::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd* pTop = GetTopLevelParent();
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    CRect rect;
    GetClientRect(&rect);
    // The frame counts as active also while one of its own floating
    // windows is (the slide window of the bar out now takes the focus).
    HWND hActive = ::GetActiveWindow();
    while (hActive != nullptr && pTop != nullptr && hActive != pTop->m_hWnd)
        hActive = ::GetWindow(hActive, GW_OWNER);
    const bool bActive = pTop != nullptr && hActive != nullptr && pTop->IsWindowEnabled();
    if (!m_bTimerRunning && bActive && rect.PtInRect(ptCursor) && m_pStrip != nullptr) {
        m_pStrip->SelectTab(this);
        OZWControlBar* pBar = FindBar();
        CFrameWnd* pFrame = pBar != nullptr ? pBar->GetDockingFrame() : nullptr;
        if (pBar == nullptr || pFrame == nullptr) {
            StopTracking(); // its bar is gone
        } else if (!pBar->IsWindowVisible()) {
            m_bHot = TRUE;
            Invalidate();
            // One bar out at a time.
            if (OZWControlBar* pOther = m_pStrip->FindOtherVisibleBar(pBar))
                pFrame->ShowControlBar(pOther, FALSE, TRUE);
            pBar->SlideOut();
            m_bTimerRunning = TRUE;
            SetTimer(1, 500, nullptr);
        } else if (pBar->GetAutoHideMode()) {
            m_bHot = FALSE;
            Invalidate();
            pBar->SlideIn();
            pFrame->ShowControlBar(pBar, FALSE, FALSE);
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void OZWAutoHideBarBtn::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != 1) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    OZWControlBar* pBar = FindBar();
    if (pBar == nullptr) {
        StopTracking();
        return;
    }
    // The tab reaches over to the bar, so that the way between them counts.
    CRect rectTab, rectBar;
    GetWindowRect(&rectTab);
    pBar->GetWindowRect(&rectBar);
    switch (m_nSideID) {
    case AFX_IDW_DOCKBAR_LEFT:
        rectTab.right = rectBar.left;
        break;
    case AFX_IDW_DOCKBAR_TOP:
        rectTab.bottom = rectBar.top;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        rectTab.left = rectBar.right;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        rectTab.top = rectBar.bottom;
        break;
    default:
        break;
    }
    rectTab.NormalizeRect();
    CPoint pt;
    ::GetCursorPos(&pt);
    if (!rectBar.PtInRect(pt) && !rectTab.PtInRect(pt)) {
        m_bTimerRunning = FALSE;
        if (m_pStrip == nullptr || m_pStrip->FindOtherVisibleBar(pBar) == nullptr)
            pBar->SlideIn();
        StopTracking();
    }
}

void OZWAutoHideBarBtn::OnPaint()
{
    CPaintDC dc(this);
    const HDC hdc = dc.GetSafeHdc();
    CRect rect;
    GetClientRect(&rect);
    const COLORREF clrLine = UXGetDNETColor(30);
    bool bFramed = false;
    if (UXIsOfc2003StyleEnabled()) {
        UXPaintGradientRect(hdc, rect.left, rect.top, rect.Width(), rect.Height(), UXGetO2K3Color(0),
                            UXGetO2K3Color(1), m_nSideID == AFX_IDW_DOCKBAR_LEFT || m_nSideID == AFX_IDW_DOCKBAR_RIGHT);
    } else if (IsThemedLook()) {
        if (m_hTheme == nullptr)
            m_hTheme = UXOpenThemeData(UXGetSafeHwnd(), "Button");
        if (m_hTheme != nullptr && UXIsThemePartDefined(m_hTheme, 6, 2) >= 0) {
            if (UXIsThemeBackgroundPartiallyTransparent(m_hTheme, 6, 2))
                UXDrawThemeParentBackground(m_hWnd, hdc, &rect);
            bFramed = UXDrawThemeBackground(m_hTheme, hdc, 6, 2, &rect, nullptr) >= 0;
        }
        if (!bFramed)
            ozwbars::FillColour(hdc, rect, ::GetSysColor(COLOR_BTNFACE));
    } else {
        ozwbars::FillColour(hdc, rect, ::GetSysColor(COLOR_BTNFACE));
    }
    if (!bFramed) {
        HBRUSH hBrush = ::CreateSolidBrush(clrLine);
        ::FrameRect(hdc, &rect, hBrush);
        ::DeleteObject(hBrush);
    }
    if (m_icon.GetIcon() != nullptr)
        m_icon.Draw(&dc, rect.left + 2, rect.top + 2, 16, 16, nullptr);
    // The edge on the strip's outer side.
    switch (m_nSideID) {
    case AFX_IDW_DOCKBAR_TOP:
        ozwbars::FillColour(hdc, CRect(rect.left, rect.top, rect.right, rect.top + 1), clrLine);
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        ozwbars::FillColour(hdc, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), clrLine);
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        ozwbars::FillColour(hdc, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), clrLine);
        break;
    default:
        ozwbars::FillColour(hdc, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), clrLine);
        break;
    }
    if (!(m_bHot || m_bSelected || m_icon.GetIcon() == nullptr) || m_pStrip == nullptr)
        return;
    const bool bAcross = m_nSideID == AFX_IDW_DOCKBAR_TOP || m_nSideID == AFX_IDW_DOCKBAR_BOTTOM;
    const int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
    const COLORREF clrOld = ::SetTextColor(hdc, ::GetSysColor(COLOR_MENUTEXT));
    if (bAcross) {
        HGDIOBJ hOld = ::SelectObject(hdc, m_pStrip->GetHorzFont());
        CRect rText = rect;
        if (m_cxIcon > 0)
            rText.left += m_cxIcon + 4;
        dc.DrawText(m_strText, &rText, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        ::SelectObject(hdc, hOld);
    } else {
        HGDIOBJ hOld = ::SelectObject(hdc, m_pStrip->GetVertFont());
        const int nOldGraphics = ::SetGraphicsMode(hdc, GM_ADVANCED);
        // Text running downwards: its top lies at the tab's right.
        const int nStart = rect.top + (m_cyIcon > 0 ? m_cyIcon + 4 : 0) + 5;
        dc.TextOut(rect.right - m_pStrip->m_nTextOffset, nStart, m_strText);
        ::SetGraphicsMode(hdc, nOldGraphics);
        ::SelectObject(hdc, hOld);
    }
    ::SetTextColor(hdc, clrOld);
    ::SetBkMode(hdc, nOldMode);
}

void OZWAutoHideBarBtn::OnDestroy()
{
    KillTimer(1);
    if (m_hTheme != nullptr) {
        UXCloseThemeData(m_hTheme);
        m_hTheme = nullptr;
    }
    m_icon.SetIcon(nullptr);
    CWnd::OnDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// OZWAutoHideBar

IMPLEMENT_DYNCREATE(OZWAutoHideBar, OZWControlBar)

BEGIN_MESSAGE_MAP(OZWAutoHideBar, OZWControlBar)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

OZWAutoHideBar::OZWAutoHideBar() = default;

OZWAutoHideBar::~OZWAutoHideBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    DeleteTabs();
    if (m_hFontHorz != nullptr)
        ::DeleteObject(m_hFontHorz);
    if (m_hFontVert != nullptr)
        ::DeleteObject(m_hFontVert);
}

BOOL OZWAutoHideBar::CreateStrip(CFrameWnd* pFrame, DWORD dwBarStyle)
{
    if (pFrame == nullptr)
        return FALSE;
    DWORD dwStyle = 0x50000000 | (dwBarStyle & CBRS_ALL);
    const CRect rect(0, 0, 0, 0);
    const UINT nID = GetUniqueBarID(pFrame, 32768);
    // A row of its own along the whole side, 24 pixels deep: it takes no
    // share of a row of sized bars (nor their thickness).
    if (!CreateEx(nullptr, "", nID, dwStyle, SCBX_FIXED_SIZE | SCBX_OWN_ROW, rect, pFrame))
        return FALSE;
    m_dwStyle = dwBarStyle & CBRS_ALL;
    return TRUE;
}

void OZWAutoHideBar::CreateFonts()
{
    if (m_hFontHorz != nullptr && m_hFontVert != nullptr)
        return;
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(ncm.lfMenuFont), &ncm.lfMenuFont);
    }
    m_hFontHorz = ::CreateFontIndirectA(&ncm.lfMenuFont);
    LOGFONTA lf = ncm.lfMenuFont;
    lf.lfEscapement = lf.lfOrientation = -900;
    lstrcpynA(lf.lfFaceName, "verdana", LF_FACESIZE);
    m_hFontVert = ::CreateFontIndirectA(&lf);
    m_nTextHeight = std::abs((int)ncm.lfMenuFont.lfHeight);
    m_nLineHeight = std::max(m_nTextHeight, ::GetSystemMetrics(SM_CYSMICON));
    m_nTextOffset = (m_nLineHeight - m_nTextHeight) / 2;
}

int OZWAutoHideBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (OZWControlBar::OnCreate(lpcs) == -1)
        return -1;
    CreateFonts();
    EnableDocking(CBRS_ALIGN_ANY);
    return 0;
}

void OZWAutoHideBar::EnableDocking(DWORD dwDockStyle)
{
    OZWControlBar::EnableDocking(dwDockStyle);
}

CDockContext* OZWAutoHideBar::CreateDockContext()
{
    // The strip is never dragged off its side.
    return new OZWAutoHideBarDockContext(this);
}

BOOL OZWAutoHideBar::HasCaptionButtons() const
{
    return FALSE;
}

void OZWAutoHideBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

UINT OZWAutoHideBar::SideID() const
{
    return ozwbar::SideToDockBarID(m_dwStyle & CBRS_ALIGN_ANY);
}

CSize OZWAutoHideBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    CRect rect(0, 0, 0, 0);
    if (CFrameWnd* pFrame = GetDockingFrame(); pFrame != nullptr && pFrame->m_hWnd != nullptr)
        pFrame->GetWindowRect(&rect);
    return bHorz ? CSize(rect.Width(), m_nThickness) : CSize(m_nThickness, rect.Height());
}

CSize OZWAutoHideBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    // A strip never auto-hides: the control bar's bookkeeping as it is.
    return OZWControlBar::CalcDynamicLayout(nLength, dwMode);
}

BOOL OZWAutoHideBar::HasBar(CControlBar* pBar) const
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return FALSE;
    for (OZWAutoHideBarBtn* pTab : m_tabs) {
        if (pTab->GetBarHandle() == pBar->m_hWnd)
            return TRUE;
    }
    return FALSE;
}

void OZWAutoHideBar::AddBar(OZWControlBar* pBar)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || m_hWnd == nullptr || HasBar(pBar))
        return;
    CString text;
    pBar->GetWindowText(text);
    const UINT nSideID = ozwbar::SideToDockBarID(pBar->m_dwAutoHideSide);
    OZWAutoHideBarBtn* pTab = new OZWAutoHideBarBtn;
    const CRect rect(0, 0, 0, 0);
    if (!pTab->Create(text, WS_VISIBLE, rect, this, nSideID, pBar->m_hWnd, m_nNextTabID++)) {
        delete pTab; // a tab that cannot be made is not kept
        return;
    }
    pTab->SetIcon((HICON)pBar->SendMessage(WM_GETICON, ICON_SMALL));
    pTab->SetOwner(this);
    m_tabs.push_back(pTab);
    if (m_tabs.size() == 1)
        SelectTab(pTab);
    LayoutTabs();
    ShowIfNotEmpty();
    Invalidate();
    UpdateWindow();
}

void OZWAutoHideBar::RemoveBar(CControlBar* pBar)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    auto it = std::find_if(m_tabs.begin(), m_tabs.end(),
                           [pBar](OZWAutoHideBarBtn* p) { return p->GetBarHandle() == pBar->m_hWnd; });
    // A bar without a tab here changes nothing.
    if (it == m_tabs.end())
        return;
    OZWAutoHideBarBtn* pTab = *it;
    m_tabs.erase(it);
    delete pTab;
    if (m_tabs.size() == 1)
        SelectTab(m_tabs.front());
    if (m_hWnd == nullptr)
        return;
    ShowIfNotEmpty();
    LayoutTabs();
    Invalidate();
    UpdateWindow();
}

void OZWAutoHideBar::SelectTab(OZWAutoHideBarBtn* pTab)
{
    for (OZWAutoHideBarBtn* p : m_tabs) {
        p->m_bSelected = p == pTab;
        if (p->m_hWnd != nullptr)
            p->Invalidate();
    }
    LayoutTabs();
}

void OZWAutoHideBar::LayoutTabs()
{
    if (m_hWnd == nullptr || m_tabs.empty())
        return;
    const UINT nSideID = SideID();
    const bool bAcross = nSideID == AFX_IDW_DOCKBAR_TOP || nSideID == AFX_IDW_DOCKBAR_BOTTOM;
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), bAcross ? m_hFontHorz : m_hFontVert);
    std::vector<ozwbar::TabInfo> infos;
    for (OZWAutoHideBarBtn* pTab : m_tabs) {
        ozwbar::TabInfo info;
        info.bSelected = pTab->m_bSelected;
        info.sizeIcon = pTab->GetIconSize();
        const CString text = pTab->GetText();
        info.nTextWidth = dc.GetTextExtent(text).cx;
        infos.push_back(info);
    }
    ::SelectObject(dc.GetSafeHdc(), hOld);
    CRect client;
    GetClientRect(&client);
    const BOOL bInOwn = ::GetDlgCtrlID(::GetParent(m_hWnd)) == (int)nSideID;
    const std::vector<CRect> rects = ozwbar::LayoutTabs(infos, nSideID, client, bInOwn);
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        CRect old;
        m_tabs[i]->GetWindowRect(&old);
        ScreenToClient(&old);
        if (old != rects[i]) {
            m_tabs[i]->SetWindowPos(nullptr, rects[i].left, rects[i].top, rects[i].Width(), rects[i].Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
            m_tabs[i]->UpdateWindow();
        }
    }
}

void OZWAutoHideBar::ShowIfNotEmpty()
{
    if (m_hWnd == nullptr)
        return;
    const BOOL bShow = !m_tabs.empty();
    if (bShow == IsVisible())
        return;
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, bShow, FALSE);
}

OZWControlBar* OZWAutoHideBar::FindOtherVisibleBar(CControlBar* pBar)
{
    IOZWDockingFrame* pToolkit = GetToolkitFrame();
    if (pToolkit == nullptr)
        return nullptr;
    for (DWORD dwSide : { CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP }) {
        OZWAutoHideBar* pStrip = pToolkit->GetAutoHideBar(dwSide);
        if (pStrip == nullptr)
            continue;
        for (int i = 0; i < pStrip->GetTabCount(); ++i) {
            OZWControlBar* pOther = pStrip->GetTab(i)->FindBar();
            if (pOther != nullptr && pOther != pBar && pOther->IsWindowVisible())
                return pOther;
        }
    }
    return nullptr;
}

void OZWAutoHideBar::DeleteTabs()
{
    for (OZWAutoHideBarBtn* pTab : m_tabs)
        delete pTab;
    m_tabs.clear();
}

BOOL OZWAutoHideBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    if (IsThemedLook()) {
        if (m_hTheme == nullptr)
            m_hTheme = UXOpenThemeData(UXGetSafeHwnd(), "Rebar");
        if (m_hTheme != nullptr && UXIsThemePartDefined(m_hTheme, 6, 0) >= 0) {
            if (UXIsThemeBackgroundPartiallyTransparent(m_hTheme, 6, 0))
                UXDrawThemeParentBackground(m_hWnd, pDC->GetSafeHdc(), &rect);
            if (UXDrawThemeBackground(m_hTheme, pDC->GetSafeHdc(), 6, 0, &rect, nullptr) >= 0)
                return TRUE;
        }
    }
    ozwbars::FillColour(pDC->GetSafeHdc(), rect, StripColour());
    return TRUE;
}

void OZWAutoHideBar::OnPaint()
{
    if (IsThemedLook()) {
        CControlBar::OnPaint();
    } else {
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(&rect);
        m_clrBackground = StripColour();
        ozwbars::FillColour(dc.GetSafeHdc(), rect, m_clrBackground);
    }
    LayoutTabs();
}

void OZWAutoHideBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    // A strip that gains or loses its last tab shows or hides at the next
    // layout (not from inside this size calculation).
    if (m_hWnd != nullptr && (!m_tabs.empty()) != (IsVisible() != FALSE))
        DelayShow(!m_tabs.empty());
    OZWControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void OZWAutoHideBar::OnDestroy()
{
    DeleteTabs();
    if (m_hTheme != nullptr) {
        UXCloseThemeData(m_hTheme);
        m_hTheme = nullptr;
    }
    OZWControlBar::OnDestroy();
}

void OZWAutoHideBar::OnLButtonDown(UINT, CPoint) {}

void OZWAutoHideBar::OnLButtonDblClk(UINT, CPoint) {}

void OZWAutoHideBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
}
