#include "frame/workbook/OZWWorkbookWnd.h"

#include "frame/workbook/OZWControlBarWorksheet.h"
#include "frame/workbook/OZWWorksheetWnd.h"
#include "platform/theme/ColorSpace.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>
#include <memory>

using ozwframe::TabMetrics;

/////////////////////////////////////////////////////////////////////////////
// OZWWorkbookClientWnd

IMPLEMENT_DYNAMIC(OZWWorkbookClientWnd, CWnd)

BEGIN_MESSAGE_MAP(OZWWorkbookClientWnd, CWnd)
    ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
    ON_MESSAGE(OZWWM_WORKBOOK_SHEETMENU, OnMDISetMenu)
END_MESSAGE_MAP()

void OZWWorkbookClientWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
    lpClientRect->left += m_nInsetLeft;
    lpClientRect->top += m_nInsetTop;
    lpClientRect->right -= m_nInsetRight;
    lpClientRect->bottom -= m_nInsetBottom;
    // Never turned inside out by a frame smaller than the insets.
    lpClientRect->right = std::max(lpClientRect->right, lpClientRect->left);
    lpClientRect->bottom = std::max(lpClientRect->bottom, lpClientRect->top);
}

LRESULT OZWWorkbookClientWnd::OnMDISetMenu(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg->message == WM_MDISETMENU && wParam != (WPARAM)-1 && lParam != (LPARAM)-1)
        lResult = Default();
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(OZWWM_WORKBOOK_ACTIVECHANGED);
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// OZWWorkbookWnd

BOOL OZWWorkbookWnd::s_bClassicTabs = FALSE;

IMPLEMENT_DYNCREATE(OZWWorkbookWnd, OZWMDIFrameWnd)

BEGIN_MESSAGE_MAP(OZWWorkbookWnd, OZWMDIFrameWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(OZWWM_WORKBOOK_ACTIVECHANGED, OnActiveChanged)
    ON_WM_DESTROY()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {
// The resource and style of the worksheets that hold floated bars.
const UINT kMDIFloatResource = 20514;
const DWORD kMDIFloatStyle = 0x42CFA000;
} // namespace

OZWWorkbookWnd::OZWWorkbookWnd() : m_pMDIFloatClass(RUNTIME_CLASS(OZWControlBarWorksheet)) {}

CFrameWnd* OZWWorkbookWnd::CreateMDIFloatingFrame(DWORD)
{
    CObject* pObject = m_pMDIFloatClass != nullptr ? m_pMDIFloatClass->CreateObject() : nullptr;
    auto* pSheet = dynamic_cast<CMDIChildWnd*>(pObject);
    if (pSheet == nullptr) {
        delete pObject;
        return nullptr;
    }
    // A frame that cannot be loaded has deleted itself.
    if (!pSheet->LoadFrame(kMDIFloatResource, kMDIFloatStyle, this))
        return nullptr;
    return pSheet;
}

OZWWorkbookWnd::~OZWWorkbookWnd()
{
    delete m_pToolTip;
    m_pToolTip = nullptr;
    if (m_pClientWnd != nullptr) {
        if (m_pClientWnd->m_hWnd != nullptr)
            m_pClientWnd->UnsubclassWindow();
        delete m_pClientWnd;
        m_pClientWnd = nullptr;
    }
    if (m_hTabTheme != nullptr)
        UXCloseThemeData(m_hTabTheme);
}

BOOL OZWWorkbookWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    if (!OZWMDIFrameWnd::CreateClient(lpCreateStruct, pWindowMenu))
        return FALSE;
    m_pClientWnd = new OZWWorkbookClientWnd;
    if (!m_pClientWnd->SubclassWindow(m_hWndMDIClient)) {
        delete m_pClientWnd;
        m_pClientWnd = nullptr;
        return FALSE;
    }
    if (m_font.GetSafeHandle() == nullptr) {
        HGDIOBJ hStock = ::GetStockObject(DEFAULT_GUI_FONT);
        if (hStock == nullptr)
            hStock = ::GetStockObject(SYSTEM_FONT);
        LOGFONT lf = {};
        if (hStock != nullptr && ::GetObject(hStock, sizeof(lf), &lf) != 0)
            m_font.CreateFontIndirect(&lf);
    }
    MakePens();
    return TRUE;
}

void OZWWorkbookWnd::MakePens()
{
    for (CPen* pPen : {&m_penHilight, &m_penBlack, &m_penShadow, &m_penFace})
        pPen->DeleteObject();
    m_penHilight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DHILIGHT));
    m_penBlack.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DFACE));
}

void OZWWorkbookWnd::OnSysColorChange()
{
    OZWMDIFrameWnd::OnSysColorChange();
    MakePens();
    Invalidate();
}

OZWWorksheetWnd* OZWWorkbookWnd::GetSheet(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_sheets.GetSize())
        return nullptr;
    return static_cast<OZWWorksheetWnd*>(m_sheets.GetAt(nIndex));
}

TabMetrics OZWWorkbookWnd::Metrics() const
{
    TabMetrics m;
    m.nWidth = m_nTabWidth;
    m.nHeight = m_nTabHeight;
    m.nCorner = m_nTabCorner;
    m.nActiveExtraWidth = m_nActiveExtraWidth;
    m.nActiveExtraHeight = m_nActiveExtraHeight;
    m.bFlat = m_bFlatTabs;
    return m;
}

CRect OZWWorkbookWnd::GetMDIClientRect() const
{
    CRect rect(0, 0, 0, 0);
    if (m_hWndMDIClient == nullptr || m_hWnd == nullptr)
        return rect;
    ::GetWindowRect(m_hWndMDIClient, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int OZWWorkbookWnd::HiddenBefore(OZWWorksheetWnd* pSheet) const
{
    int nHidden = 0;
    for (int i = 0; i < m_sheets.GetSize(); ++i) {
        OZWWorksheetWnd* pOther = GetSheet(i);
        if (pOther == pSheet)
            break;
        if (pOther->m_hWnd == nullptr || (pOther->GetStyle() & WS_VISIBLE) == 0)
            ++nHidden;
    }
    return nHidden;
}

BOOL OZWWorkbookWnd::IsTabActive(OZWWorksheetWnd* pSheet)
{
    return pSheet->m_bPressed || MDIGetActive() == pSheet;
}

int OZWWorkbookWnd::CalcTabWidth() const
{
    return ozwframe::TabWidth(GetMDIClientRect().Width(), (int)m_sheets.GetSize(), m_nMaxTabWidth);
}

void OZWWorkbookWnd::GetTabStripRect(RECT* pRect)
{
    CRect rect = GetMDIClientRect();
    if (m_pClientWnd != nullptr) {
        rect.left -= m_pClientWnd->m_nInsetLeft;
        rect.top -= m_pClientWnd->m_nInsetTop;
        rect.right += m_pClientWnd->m_nInsetRight;
        rect.bottom += m_pClientWnd->m_nInsetBottom;
    }
    *pRect = rect;
}

BOOL OZWWorkbookWnd::CanActivateSheet(OZWWorksheetWnd*)
{
    return TRUE;
}

CRect OZWWorkbookWnd::GetTabInvalidRect(OZWWorksheetWnd* pSheet, BOOL bToRightEnd)
{
    CRect rectFrame(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rectFrame);
    const int nSlot = pSheet->m_nIndex - HiddenBefore(pSheet);
    return CRect(ozwframe::TabInvalidRect(Metrics(), nSlot, GetMDIClientRect(), rectFrame.right, bToRightEnd));
}

CRect OZWWorkbookWnd::GetStripInvalidRect()
{
    CRect rectFrame(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rectFrame);
    return CRect(ozwframe::TabStripInvalidRect(Metrics(), GetMDIClientRect(), rectFrame.right));
}

void OZWWorkbookWnd::InvalidateTab(OZWWorksheetWnd* pSheet, BOOL bToRightEnd)
{
    // Only a sheet of the list has a tab.
    if (m_hWnd == nullptr || pSheet == nullptr || GetSheet(pSheet->m_nIndex) != pSheet)
        return;
    const CRect rect = GetTabInvalidRect(pSheet, bToRightEnd);
    InvalidateRect(&rect, TRUE);
}

void OZWWorkbookWnd::InvalidateStrip()
{
    if (m_hWnd == nullptr)
        return;
    const CRect rect = GetStripInvalidRect();
    InvalidateRect(&rect, TRUE);
}

void OZWWorkbookWnd::AddSheet(OZWWorksheetWnd* pSheet)
{
    if (pSheet == nullptr)
        return;
    pSheet->m_nIndex = (int)m_sheets.Add(pSheet);
    // The sheet may have become the active one before it joined.
    if (MDIGetActive() == pSheet)
        m_nLastActiveSheet = pSheet->m_nIndex;
    const int nWidth = CalcTabWidth();
    if (nWidth != m_nTabWidth) {
        m_nTabWidth = nWidth;
        if (m_bShowTabs)
            InvalidateStrip();
    } else if (m_bShowTabs && m_hWnd != nullptr) {
        if (m_sheets.GetSize() == 1)
            Invalidate();
        else
            InvalidateTab(pSheet);
    }
    if (m_pToolTip == nullptr && m_hWnd != nullptr) {
        m_pToolTip = new CToolTipCtrl;
        if (m_pToolTip->Create(this)) {
            m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
            EnableToolTips(TRUE);
        } else {
            delete m_pToolTip;
            m_pToolTip = nullptr;
        }
    }
}

void OZWWorkbookWnd::RemoveSheet(OZWWorksheetWnd* pSheet)
{
    int nIndex = -1;
    for (int i = 0; i < m_sheets.GetSize(); ++i)
        if (GetSheet(i) == pSheet)
            nIndex = i;
    if (nIndex < 0)
        return;
    // Where its tab was, before the others move up.
    const CRect rectGone = GetTabInvalidRect(pSheet, TRUE);
    m_sheets.RemoveAt(nIndex);
    for (int i = nIndex; i < m_sheets.GetSize(); ++i)
        GetSheet(i)->m_nIndex = i;
    if (m_nLastActiveSheet > nIndex)
        --m_nLastActiveSheet;
    if (m_hWnd == nullptr)
        return;
    if (m_sheets.GetSize() > 0) {
        const int nWidth = CalcTabWidth();
        if (nWidth != m_nTabWidth) {
            m_nTabWidth = nWidth;
            InvalidateStrip();
            return;
        }
        InvalidateRect(&rectGone, TRUE);
        return;
    }
    Invalidate();
}

BOOL OZWWorkbookWnd::IsTabTextFit(OZWWorksheetWnd* pSheet)
{
    if (pSheet == nullptr || m_hWnd == nullptr)
        return FALSE;
    const CString strText = GetTabText(pSheet);
    if (strText.IsEmpty())
        return FALSE;
    POINT* pts = nullptr;
    int nCount = 0;
    GetTabPolygon(pSheet, &pts, &nCount);
    std::unique_ptr<POINT[]> points(pts);
    CRect rectText;
    GetTabTextRect(pts, m_bShowIcons ? 16 : 0, &rectText);
    CClientDC dc(this);
    CFont* pOldFont = m_font.GetSafeHandle() != nullptr ? dc.SelectObject(&m_font) : nullptr;
    const CSize size = dc.GetTextExtent(strText);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    return size.cx <= rectText.Width();
}

void OZWWorkbookWnd::GetTabPolygon(OZWWorksheetWnd* pSheet, POINT** ppPoints, int* pCount)
{
    POINT* pts = new POINT[7];
    const int nSlot = pSheet->m_nIndex - HiddenBefore(pSheet);
    ozwframe::TabPolygon(Metrics(), nSlot, IsTabActive(pSheet), GetMDIClientRect(), pts);
    *ppPoints = pts;
    *pCount = 7;
}

CString OZWWorkbookWnd::GetTabText(OZWWorksheetWnd* pSheet)
{
    CString strText;
    if (pSheet == nullptr || pSheet->m_hWnd == nullptr)
        return strText;
    if (CDocument* pDoc = pSheet->GetActiveDocument())
        return pDoc->GetTitle();
    pSheet->GetWindowText(strText);
    return strText;
}

void OZWWorkbookWnd::GetTabTextRect(const POINT* pts, int nIconWidth, RECT* pRect)
{
    *pRect = ozwframe::TabTextRect(pts, nIconWidth);
}

HICON OZWWorkbookWnd::GetSheetIcon(OZWWorksheetWnd* pSheet)
{
    return m_bShowIcons && pSheet != nullptr ? pSheet->m_hIcon : nullptr;
}

void OZWWorkbookWnd::SetSheetIcon(OZWWorksheetWnd* pSheet, HICON hIcon, BOOL bRedraw)
{
    if (pSheet == nullptr)
        return;
    pSheet->SetTabIcon(hIcon);
    if (bRedraw)
        InvalidateTab(pSheet);
}

void OZWWorkbookWnd::ShowTabs(BOOL bShow)
{
    m_bShowTabs = bShow;
    SetTabStyle(m_bFlatTabs);
}

void OZWWorkbookWnd::ShowIcons(BOOL bShow)
{
    m_bShowIcons = bShow;
    InvalidateStrip();
}

void OZWWorkbookWnd::SetTabStyle(BOOL bFlat)
{
    m_bFlatTabs = bFlat;
    const ozwframe::TabInsets insets = ozwframe::TabStripInsets(m_bShowTabs, bFlat);
    if (m_pClientWnd != nullptr) {
        m_pClientWnd->m_nInsetLeft = insets.left;
        m_pClientWnd->m_nInsetTop = insets.top;
        m_pClientWnd->m_nInsetRight = insets.right;
        m_pClientWnd->m_nInsetBottom = insets.bottom;
    }
    s_bClassicTabs = m_bShowTabs && !bFlat;
    if (m_hWnd != nullptr) {
        RecalcLayout();
        // The client's width changed with the insets (also when the free
        // area did not).
        if (m_sheets.GetSize() > 0)
            m_nTabWidth = CalcTabWidth();
        Invalidate();
    }
}

void OZWWorkbookWnd::RecalcLayout(BOOL bNotify)
{
    OZWMDIFrameWnd::RecalcLayout(bNotify);
    if (!m_bShowTabs || m_hWnd == nullptr)
        return;
    CRect rectFree;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectFree);
    if (rectFree == m_rectLastFree)
        return;
    if (m_sheets.GetSize() > 0)
        m_nTabWidth = CalcTabWidth();
    Invalidate();
    m_rectLastFree = rectFree;
}

OZWWorksheetWnd* OZWWorkbookWnd::SheetFromPoint(CPoint point, BOOL bSkipActive)
{
    CMDIChildWnd* pActive = MDIGetActive();
    for (int i = 0; i < m_sheets.GetSize(); ++i) {
        OZWWorksheetWnd* pSheet = GetSheet(i);
        if (pSheet->m_hWnd == nullptr || (pSheet->GetStyle() & WS_VISIBLE) == 0)
            continue;
        if (bSkipActive && pSheet == pActive)
            continue;
        POINT* pts = nullptr;
        int nCount = 0;
        GetTabPolygon(pSheet, &pts, &nCount);
        std::unique_ptr<POINT[]> points(pts);
        CRgn region;
        if (region.CreatePolygonRgn(pts, nCount, WINDING) && region.PtInRegion(point))
            return pSheet;
    }
    return nullptr;
}

INT_PTR OZWWorkbookWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    auto* pThis = const_cast<OZWWorkbookWnd*>(this);
    if (!m_bShowTabs)
        return -1;
    OZWWorksheetWnd* pSheet = pThis->SheetFromPoint(point, FALSE);
    if (pSheet == nullptr || pThis->IsTabTextFit(pSheet))
        return -1;
    const INT_PTR nTool = pSheet->m_nIndex + 1;
    if (pTI != nullptr) {
        POINT* pts = nullptr;
        int nCount = 0;
        pThis->GetTabPolygon(pSheet, &pts, &nCount);
        std::unique_ptr<POINT[]> points(pts);
        CRgn region;
        CRect rectBox(0, 0, 0, 0);
        if (region.CreatePolygonRgn(pts, nCount, WINDING))
            region.GetRgnBox(&rectBox);
        // The tip control copies the text when the tool is added; the
        // frame keeps the last one until then.
        m_strTipText = pThis->GetTabText(pSheet);
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)nTool;
        pTI->rect = rectBox;
        pTI->lpszText = const_cast<LPSTR>((LPCSTR)m_strTipText);
    }
    return nTool;
}

/////////////////////////////////////////////////////////////////////////////
// Painting

COLORREF OZWWorkbookWnd::LightHighlight()
{
    WORD wHue = 0, wLightness = 0, wSaturation = 0;
    RGBtoHLS(::GetSysColor(COLOR_3DHILIGHT), &wHue, &wLightness, &wSaturation);
    wLightness = (WORD)std::min(240, wLightness + 100);
    return HLStoRGB(wHue, wLightness, wSaturation);
}

HTHEME OZWWorkbookWnd::TabTheme()
{
    if (m_hTabTheme == nullptr)
        m_hTabTheme = UXOpenThemeData(m_hWnd, "Tab");
    return m_hTabTheme;
}

BOOL OZWWorkbookWnd::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void OZWWorkbookWnd::OnPaint()
{
    CPaintDC dc(this);
    PaintStrip(&dc);
}

void OZWWorkbookWnd::PaintStrip(CDC* pDC)
{
    CDC& dc = *pDC;
    CRect rectFree;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectFree);
    if (rectFree.IsRectEmpty())
        return;
    CRect rectStrip;
    GetTabStripRect(&rectStrip);
    const CRect rectClient = GetMDIClientRect();
    const CRect rectBelow(rectStrip.left, rectClient.bottom, rectStrip.right, rectStrip.bottom);
    const CRect rectAbove(rectStrip.left, rectStrip.top, rectStrip.right, rectClient.bottom);
    // The MDI client paints itself (the frame does not clip its children).
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&rectClient);

    // The strip's background.
    if (!m_bFlatTabs) {
        dc.FillSolidRect(&rectStrip, ::GetSysColor(COLOR_3DFACE));
    } else if (UXIsOfc2003StyleEnabled()) {
        const COLORREF clr1 = UXGetO2K3Color(1), clr2 = UXGetO2K3Color(2);
        const int cxHalf = rectBelow.Width() / 2;
        UXPaintGradientRect(dc.m_hDC, rectBelow.left, rectBelow.top, cxHalf, rectBelow.Height(), clr1, clr2, TRUE);
        UXPaintGradientRect(dc.m_hDC, rectBelow.left + cxHalf, rectBelow.top, rectBelow.Width() - cxHalf,
                            rectBelow.Height(), clr2, clr1, TRUE);
        dc.FillSolidRect(&rectAbove, clr2);
    } else {
        bool bDone = false;
        if (UXIsVistaClassicStyleEnabled()) {
            if (HTHEME hTheme = TabTheme())
                bDone = SUCCEEDED(UXDrawThemeBackground(hTheme, dc.m_hDC, 1, 1, &rectBelow, nullptr));
        }
        if (!bDone)
            dc.FillSolidRect(&rectBelow, UXIsVistaClassicStyleEnabled() ? ::GetSysColor(COLOR_3DFACE) : LightHighlight());
        dc.FillSolidRect(&rectAbove, ::GetSysColor(COLOR_3DFACE));
    }

    // The edge of the free area.
    dc.FillSolidRect(rectFree.left, rectFree.bottom - 1, rectFree.Width(), 1, ::GetSysColor(COLOR_3DHILIGHT));
    dc.FillSolidRect(rectFree.right - 1, rectFree.top, 1, rectFree.Height(), ::GetSysColor(COLOR_3DHILIGHT));
    dc.FillSolidRect(rectFree.left, rectFree.bottom - 2, rectFree.Width() - 1, 1, ::GetSysColor(COLOR_3DSHADOW));
    dc.FillSolidRect(rectFree.right - 2, rectFree.top, 1, rectFree.Height() - 1, ::GetSysColor(COLOR_3DSHADOW));

    if (!m_bShowTabs) {
        dc.RestoreDC(nSaved);
        return;
    }
    if (m_bFlatTabs)
        dc.FillSolidRect(rectStrip.left, rectClient.bottom + 3, rectStrip.Width(), 1,
                         ::GetSysColor(COLOR_WINDOWFRAME));
    CRect rectInside;
    ::GetClientRect(m_hWndMDIClient, &rectInside);
    if (rectInside.IsRectEmpty()) {
        dc.RestoreDC(nSaved);
        return;
    }
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    for (int i = 0; i < m_sheets.GetSize(); ++i) {
        OZWWorksheetWnd* pSheet = GetSheet(i);
        if (pSheet->m_hWnd == nullptr || (pSheet->GetStyle() & WS_VISIBLE) == 0)
            continue;
        DrawTab(&dc, pSheet);
        DrawTabContent(&dc, pSheet, nFormat);
    }
    DrawClientBorder(&dc);
    OZWWorksheetWnd* pActive = dynamic_cast<OZWWorksheetWnd*>(MDIGetActive());
    if (pActive != nullptr && GetSheet(pActive->m_nIndex) == pActive && (pActive->GetStyle() & WS_VISIBLE)) {
        DrawTab(&dc, pActive);
        DrawTabContent(&dc, pActive, nFormat);
    }
    dc.SetBkMode(nOldMode);
    dc.RestoreDC(nSaved);
}

namespace {

void Line(CDC* pDC, std::initializer_list<POINT> points)
{
    auto it = points.begin();
    pDC->MoveTo(*it);
    for (++it; it != points.end(); ++it)
        pDC->LineTo(*it);
}

void LineIn(CDC* pDC, COLORREF clr, std::initializer_list<POINT> points)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    Line(pDC, points);
    pDC->SelectObject(pOld);
}

} // namespace

void OZWWorkbookWnd::DrawTab(CDC* pDC, OZWWorksheetWnd* pSheet)
{
    POINT* pts = nullptr;
    int nCount = 0;
    GetTabPolygon(pSheet, &pts, &nCount);
    std::unique_ptr<POINT[]> points(pts);
    const POINT* p = pts;

    if (!m_bFlatTabs) {
        CBrush brushFace(::GetSysColor(COLOR_3DFACE));
        CBrush* pOldBrush = pDC->SelectObject(&brushFace);
        CPen* pOldPen = pDC->SelectObject(&m_penFace);
        pDC->Polygon(pts, nCount);
        pDC->SelectObject(&m_penShadow);
        Line(pDC, {{p[1].x + 1, p[1].y - 1}, {p[2].x, p[2].y - 2}, {p[3].x, p[3].y - 2}, {p[4].x - 2, p[4].y - 1},
                   {p[5].x - 2, p[5].y}, p[5]});
        pDC->SelectObject(&m_penHilight);
        Line(pDC, {{p[0].x, p[0].y + 1}, {p[1].x, p[1].y - 1}});
        pDC->SelectObject(&m_penBlack);
        Line(pDC, {{p[2].x + 1, p[2].y - 1}, {p[3].x, p[3].y - 1}, {p[4].x - 1, p[4].y - 1}, {p[5].x - 1, p[5].y}});
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
        return;
    }

    if (!IsTabActive(pSheet)) {
        LineIn(pDC, ::GetSysColor(COLOR_3DSHADOW), {{p[4].x - 1, p[0].y + 3}, {p[4].x - 1, p[4].y - 3}});
        return;
    }
    const bool bVista = UXIsVistaClassicStyleEnabled() != FALSE;
    const bool bOffice = UXIsOfc2003StyleEnabled() != FALSE;
    const CRect rectFill(p[0].x, p[0].y - 1, bVista ? p[4].x : p[4].x - 1, p[4].y);
    bool bFilled = false;
    if (bOffice) {
        UXPaintGradientRect(pDC->m_hDC, rectFill.left, rectFill.top, rectFill.Width(), rectFill.Height(),
                            UXGetO2K3Color(1), UXGetO2K3Color(2), FALSE);
        bFilled = true;
    } else if (bVista) {
        HTHEME hTheme = TabTheme();
        if (hTheme != nullptr && SUCCEEDED(UXIsThemePartDefined(hTheme, 5, 3)))
            bFilled = SUCCEEDED(UXDrawThemeBackground(hTheme, pDC->m_hDC, 5, 3, &rectFill, nullptr));
    }
    if (!bFilled)
        pDC->FillSolidRect(&rectFill, ::GetSysColor(COLOR_3DFACE));

    const COLORREF clrFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    if (bOffice || bVista) {
        LineIn(pDC, clrFrame, {{p[0].x, p[0].y - 1}, {p[0].x, p[4].y + 1}});
    } else {
        LineIn(pDC, ::GetSysColor(COLOR_3DHILIGHT), {{p[0].x, p[0].y - 1}, {p[0].x, p[4].y + 1}});
        LineIn(pDC, LightHighlight(), {{p[0].x - 1, p[0].y + 3}, {p[0].x - 1, p[4].y - 3}});
    }
    LineIn(pDC, clrFrame, {{p[0].x + 1, p[4].y}, {p[4].x - 1, p[4].y}, {p[4].x - 1, p[0].y - 2}});
}

void OZWWorkbookWnd::DrawClientBorder(CDC* pDC)
{
    CRect rect = GetMDIClientRect();
    if (m_bFlatTabs) {
        rect.InflateRect(1, 1);
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DSHADOW));
        return;
    }
    // A sunken frame around the client, and the edge along the top of the
    // strip's area.
    rect.InflateRect(5, 5);
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_3DHILIGHT), RGB(0, 0, 0));
    CRect rectStrip;
    GetTabStripRect(&rectStrip);
    pDC->FillSolidRect(rectStrip.left, rectStrip.top, rectStrip.Width(), 1, ::GetSysColor(COLOR_3DSHADOW));
    pDC->FillSolidRect(rectStrip.left, rectStrip.top + 1, rectStrip.Width(), 1, ::GetSysColor(COLOR_3DHILIGHT));
}

void OZWWorkbookWnd::DrawTabContent(CDC* pDC, OZWWorksheetWnd* pSheet, UINT nFormat)
{
    POINT* pts = nullptr;
    int nCount = 0;
    GetTabPolygon(pSheet, &pts, &nCount);
    std::unique_ptr<POINT[]> points(pts);
    HICON hIcon = GetSheetIcon(pSheet);
    if (hIcon != nullptr)
        ::DrawIconEx(pDC->m_hDC, pts[2].x + 1, pts[0].y + 4, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    CRect rectText;
    GetTabTextRect(pts, m_bShowIcons ? 16 : 0, &rectText);
    CFont* pOldFont = m_font.GetSafeHandle() != nullptr ? pDC->SelectObject(&m_font) : nullptr;
    const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const std::string strText =
        ozwframe::FitTabText((LPCSTR)GetTabText(pSheet), rectText.Width(),
                             [pDC](const std::string& s) { return pDC->GetTextExtent(CString(s.c_str())).cx; });
    if (!strText.empty())
        pDC->DrawText(CString(strText.c_str()), &rectText, nFormat);
    pDC->SetTextColor(clrOld);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

/////////////////////////////////////////////////////////////////////////////
// Input and notices

void OZWWorkbookWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bShowTabs) {
        OZWWorksheetWnd* pSheet = SheetFromPoint(point, TRUE);
        if (pSheet != nullptr && CanActivateSheet(pSheet)) {
            pSheet->m_bPressed = TRUE;
            InvalidateTab(pSheet);
            UpdateWindow();
            pSheet->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        }
    }
    OZWMDIFrameWnd::OnLButtonDown(nFlags, point);
}

void OZWWorkbookWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    for (int i = 0; i < m_sheets.GetSize(); ++i) {
        OZWWorksheetWnd* pSheet = GetSheet(i);
        if (pSheet->m_bPressed) {
            pSheet->m_bPressed = FALSE;
            InvalidateTab(pSheet);
        }
    }
    OZWMDIFrameWnd::OnLButtonUp(nFlags, point);
}

LRESULT OZWWorkbookWnd::OnActiveChanged(WPARAM, LPARAM)
{
    if (OZWWorksheetWnd* pLast = GetSheet(m_nLastActiveSheet))
        InvalidateTab(pLast);
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
    OZWWorksheetWnd* pSheet = dynamic_cast<OZWWorksheetWnd*>(pActive);
    if (pSheet != nullptr && GetSheet(pSheet->m_nIndex) == pSheet) {
        InvalidateTab(pSheet);
        m_nLastActiveSheet = pSheet->m_nIndex;
    } else {
        m_nLastActiveSheet = 0;
    }
    if (!bMaximized && m_hWnd != nullptr)
        UpdateWindow();
    return 0;
}

void OZWWorkbookWnd::OnDestroy()
{
    OZWMDIFrameWnd::OnDestroy();
    if (m_pClientWnd != nullptr) {
        if (m_pClientWnd->m_hWnd != nullptr)
            m_pClientWnd->UnsubclassWindow();
        delete m_pClientWnd;
        m_pClientWnd = nullptr;
    }
    if (m_hTabTheme != nullptr) {
        UXCloseThemeData(m_hTabTheme);
        m_hTabTheme = nullptr;
    }
}
