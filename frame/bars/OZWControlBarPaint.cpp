// How an OZWControlBar paints itself: borders, background, the gripper
// (two bars, the theme's gripper, or a title bar with the window text) and
// the close, expand and pin buttons, in the Office 2003, themed or classic
// look.
#include "frame/bars/BarHelpers.h"
#include "frame/bars/OZWControlBar.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>

namespace {

enum class Look
{
    Office2003,
    Themed,
    Classic
};

Look CurrentLook()
{
    if (UXIsOfc2003StyleEnabled())
        return Look::Office2003;
    if (UXIsVistaClassicStyleEnabled())
        return Look::Themed;
    return Look::Classic;
}

// Fonts made for one paint and released with it.
class PaintFont
{
public:
    PaintFont(HDC hdc, LPCSTR lpszFace, int nTenthsAt96, int nEscapement)
    {
        const int nDpiX = std::max(1, ::GetDeviceCaps(hdc, LOGPIXELSX));
        const int nDpiY = std::max(1, ::GetDeviceCaps(hdc, LOGPIXELSY));
        // The same pixel size at every resolution.
        const int nTenths = ::MulDiv(nTenthsAt96, 96, nEscapement == 0 ? nDpiX : nDpiY);
        LOGFONTA lf = {};
        POINT pt = { 0, ::MulDiv(nTenths, nDpiY, 720) };
        POINT ptOrg = { 0, 0 };
        ::DPtoLP(hdc, &pt, 1);
        ::DPtoLP(hdc, &ptOrg, 1);
        lf.lfHeight = -std::abs(pt.y - ptOrg.y);
        lf.lfEscapement = lf.lfOrientation = nEscapement;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfOutPrecision = OUT_OUTLINE_PRECIS;
        lf.lfQuality = PROOF_QUALITY;
        lstrcpynA(lf.lfFaceName, lpszFace, LF_FACESIZE);
        m_hFont = ::CreateFontIndirectA(&lf);
    }
    ~PaintFont()
    {
        if (m_hFont != nullptr)
            ::DeleteObject(m_hFont);
    }
    PaintFont(const PaintFont&) = delete;
    PaintFont& operator=(const PaintFont&) = delete;
    HFONT Get() const { return m_hFont; }

private:
    HFONT m_hFont = nullptr;
};

// Text drawn with a font, colour and transparent background; the DC's own
// are given back afterwards.
void DrawGlyph(HDC hdc, HFONT hFont, COLORREF clr, int x, int y, LPCSTR lpsz, int n, const RECT* pClip)
{
    HGDIOBJ hOldFont = ::SelectObject(hdc, hFont);
    const COLORREF clrOld = ::SetTextColor(hdc, clr);
    const int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
    // Through the device context's wrapper, which reads the program's UTF-8.
    CDC::FromHandle(hdc)->ExtTextOut(x, y, pClip != nullptr ? ETO_CLIPPED : 0, pClip, lpsz, (UINT)n, nullptr);
    ::SetBkMode(hdc, nOldMode);
    ::SetTextColor(hdc, clrOld);
    ::SelectObject(hdc, hOldFont);
}

void Frame3d(HDC hdc, const RECT& r, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    ozwbars::FillColour(hdc, CRect(r.left, r.top, r.right - 1, r.top + 1), clrTopLeft);
    ozwbars::FillColour(hdc, CRect(r.left, r.top, r.left + 1, r.bottom - 1), clrTopLeft);
    ozwbars::FillColour(hdc, CRect(r.right - 1, r.top, r.right, r.bottom), clrBottomRight);
    ozwbars::FillColour(hdc, CRect(r.left, r.bottom - 1, r.right, r.bottom), clrBottomRight);
}

// The "Rebar" theme's background part over rect; FALSE when it cannot.
BOOL DrawRebarBackground(HTHEME hTheme, HWND hWnd, HDC hdc, const RECT& rect)
{
    if (hTheme == nullptr || UXIsThemePartDefined(hTheme, 6, 0) < 0)
        return FALSE;
    if (UXIsThemeBackgroundPartiallyTransparent(hTheme, 6, 0))
        return UXDrawThemeParentBackground(hWnd, hdc, &rect) >= 0;
    return UXDrawThemeBackground(hTheme, hdc, 6, 0, &rect, nullptr) >= 0;
}

} // namespace

void OZWControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
}

void OZWControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectClient, rectWindow;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    GetWindowRect(&rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    ::ExcludeClipRect(dc.GetSafeHdc(), rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    CRect rect(0, 0, rectWindow.Width(), rectWindow.Height());
    DrawBorders(&dc, rect);
    ::IntersectClipRect(dc.GetSafeHdc(), 0, 0, rectWindow.Width(), rectWindow.Height());
    SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc());
}

void OZWControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const HDC hdc = pDC->GetSafeHdc();
    const DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;

    if (m_dwExStyle & SCBX_BORDERS) {
        if (!m_bAutoHideMode)
            DeflateBorderLines(rect, dwStyle);
        if (CurrentLook() == Look::Themed) {
            if (!DrawRebarBackground(OpenBarTheme(), m_hWnd, hdc, rect))
                ozwbars::FillColour(hdc, rect, ::GetBkColor(hdc));
        }
        if (m_dwExStyle & SCBX_GRIPPER)
            DrawGripper(pDC, rect);
        return;
    }

    // One-pixel lines in the shared colours.
    const OZW_AUX_DATA* pData = UXGetSysData();
    const bool bPlain = (m_dwExStyle & SCBX_PLAIN_ROW) != 0;
    const COLORREF clr = bPlain ? (pData->bFlatLook ? pData->clrBtnShadow : pData->clrBtnDkShadow) : pData->clrBtnFace;
    const COLORREF clr2 = bPlain ? pData->clrBtnHilite : pData->clrBtnFace;
    const bool b3d = (dwStyle & CBRS_BORDER_3D) != 0;
    const int cx = pData->cxBorder, cy = pData->cyBorder;
    const int nIn = b3d ? 1 : 0;
    const int yTop = rect.top + ((dwStyle & CBRS_BORDER_TOP) ? cy : 0);
    const int yBottom = rect.bottom - ((dwStyle & CBRS_BORDER_BOTTOM) ? cy : 0);
    auto line = [&](int x, int y, int w, int h, COLORREF c) {
        if (w > 0 && h > 0)
            ozwbars::FillColour(hdc, CRect(x, y, x + w, y + h), c);
    };
    if (IsHorzBar()) {
        if (dwStyle & CBRS_BORDER_LEFT) {
            line(rect.left, yTop, 1, yBottom - yTop, clr);
            if (b3d)
                line(rect.left + 1, yTop, 1, yBottom - yTop, clr2);
        }
        if (dwStyle & CBRS_BORDER_TOP) {
            line(rect.left, rect.top, rect.Width(), 1, clr);
            if (b3d)
                line(rect.left, rect.top + 1, rect.Width(), 1, clr2);
        }
        if (dwStyle & CBRS_BORDER_RIGHT) {
            line(rect.right - 1 - nIn, yTop, 1, yBottom - yTop, clr);
            if (b3d)
                line(rect.right - 1, yTop, 1, yBottom - yTop, clr2);
        }
        if (dwStyle & CBRS_BORDER_BOTTOM) {
            line(rect.left, rect.bottom - 1 - nIn, rect.Width(), 1, clr);
            if (b3d)
                line(rect.left, rect.bottom - 1, rect.Width(), 1, clr2);
        }
    } else {
        if (dwStyle & CBRS_BORDER_LEFT) {
            line(rect.left, rect.top - 2, 1, rect.Height() + 6, clr);
            if (b3d)
                line(rect.left + 1, rect.top - 2, 1, rect.Height() + 3, clr2);
        }
        if (dwStyle & CBRS_BORDER_TOP) {
            line(2, rect.top, rect.right - 1 - 2, 1, clr);
            if (b3d)
                line(2, rect.top + 1, rect.right - 1 - 2, 1, clr2);
        }
        if (dwStyle & CBRS_BORDER_RIGHT) {
            line(rect.right - 1 - nIn, yTop, 1, yBottom - yTop, clr);
            if (b3d)
                line(rect.right - 1, yTop, 1, yBottom - yTop, clr2);
        }
        if (dwStyle & CBRS_BORDER_BOTTOM) {
            line(2, rect.bottom - 1 - nIn, rect.right - 1 - 2, 1, clr);
            if (b3d)
                line(2, rect.bottom - 1, rect.right - 1 - 2, 1, clr2);
        }
    }
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += cx;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += cy;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cx;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cy;
}

BOOL OZWControlBar::OnEraseBkgnd(CDC* pDC)
{
    const HDC hdc = pDC->GetSafeHdc();
    CRect rect;
    GetClientRect(&rect);
    switch (CurrentLook()) {
    case Look::Office2003:
        ozwbars::FillColour(hdc, rect, UXGetO2K3Color(2));
        if (!IsHorzBar()) {
            rect.top += 1;
            rect.bottom -= 2;
            HBRUSH hBrush = ::CreateSolidBrush(UXGetDNETColor(0x1A));
            ::FrameRect(hdc, &rect, hBrush);
            ::DeleteObject(hBrush);
        }
        return TRUE;
    case Look::Themed:
        if (DrawRebarBackground(OpenBarTheme(), m_hWnd, hdc, rect))
            return TRUE;
        return CControlBar::OnEraseBkgnd(pDC);
    case Look::Classic:
        break;
    }
    CControlBar::OnEraseBkgnd(pDC);
    if (m_dwExStyle & SCBX_INSET_MARGINS) {
        CRect inside;
        GetBarClientRect(inside);
        HBRUSH hBrush = ::GetSysColorBrush(COLOR_BTNFACE);
        HGDIOBJ hOld = ::SelectObject(hdc, hBrush);
        ::PatBlt(hdc, rect.left, rect.top, rect.Width(), inside.top - rect.top, PATCOPY);
        ::PatBlt(hdc, rect.left, inside.bottom, rect.Width(), rect.bottom - inside.bottom, PATCOPY);
        ::PatBlt(hdc, rect.left, inside.top, inside.left - rect.left, inside.Height(), PATCOPY);
        ::PatBlt(hdc, inside.right, inside.top, rect.right - inside.right, inside.Height(), PATCOPY);
        ::SelectObject(hdc, hOld);
    }
    return TRUE;
}

void OZWControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    const HDC hdc = pDC->GetSafeHdc();
    const BOOL bSlidOut = m_bAutoHideMode && !m_bPinned;
    if (IsFloating() && !bSlidOut)
        return;
    // A slid-out bar has its title across its top, like a docked column.
    const BOOL bLeftStrip = IsHorzBar() && !bSlidOut;
    const ozwbar::BarFrame bar = GetBarFrame();
    CRect strip = ozwbar::GetGripperStrip(bar, rect, bLeftStrip);
    const Look look = CurrentLook();
    const OZW_AUX_DATA* pData = UXGetSysData();

    auto drawButtons = [&](CRect& r) {
        if (HasCloseButton())
            LayoutCloseButton(pDC, r, bLeftStrip);
        else
            m_rectCloseButton.SetRectEmpty();
        if (HasExpandButton())
            LayoutExpandButton(pDC, r, bLeftStrip);
        else
            m_rectExpandButton.SetRectEmpty();
        if (HasPinButton())
            DrawPinButton(pDC, r, bLeftStrip);
        else
            m_rectPinButton.SetRectEmpty();
    };
    auto twoBars = [&](const CRect& r) {
        const ozwbar::GripperMetrics& m = bLeftStrip ? m_gripperInfo.m_horz : m_gripperInfo.m_vert;
        for (int nAt : { m.nLead, m.nLead + m.nBar1 + m.nGap }) {
            const int nWidth = nAt == m.nLead ? m.nBar1 : m.nBar2;
            const CRect bar3d = bLeftStrip ? CRect(r.left + nAt, r.top, r.left + nAt + nWidth, r.bottom)
                                           : CRect(r.left, r.top + nAt, r.right, r.top + nAt + nWidth);
            Frame3d(hdc, bar3d, pData->clrBtnHilite, pData->clrBtnShadow);
        }
    };

    if (m_dwExStyle & SCBX_THEMED_GRIPPER) {
        CRect r = strip;
        drawButtons(r);
        bool bDone = false;
        if (UXIsAppThemed() && UXIsThemeActive()) {
            if (HTHEME hTheme = UXOpenThemeData(UXGetSafeHwnd(), "Rebar")) {
                bDone = UXDrawThemeBackground(hTheme, hdc, 1, 1, &r, nullptr) >= 0;
                UXCloseThemeData(hTheme);
            }
        }
        if (!bDone)
            twoBars(r);
        return;
    }

    if (m_dwExStyle & SCBX_CAPTION) {
        CRect title = ozwbar::GetCaptionRect(strip, rect, bLeftStrip);
        if (look == Look::Office2003) {
            CRect g = title;
            if (bLeftStrip)
                g.InflateRect(0, 2);
            else
                g.InflateRect(2, 0);
            UXPaintGradientRect(hdc, g.left, g.top, g.Width(), g.Height(), UXGetO2K3Color(0), UXGetO2K3Color(1),
                                bLeftStrip);
            // A grip of dots at the title's start.
            const int nFar = bLeftStrip ? g.right - 5 : g.bottom - 5;
            for (int n = bLeftStrip ? g.left + 3 : g.top + 3; n + 4 <= nFar; n += 4) {
                const int x = bLeftStrip ? n : g.left + 2;
                const int y = bLeftStrip ? g.bottom - 5 : n;
                ozwbars::FillColour(hdc, CRect(x + 1, y + 1, x + 3, y + 3), RGB(0xC0, 0xC0, 0xC0));
                ozwbars::FillColour(hdc, CRect(x, y, x + 2, y + 2), RGB(0, 0, 0));
            }
        } else if (look == Look::Classic) {
            CRect r = title;
            r.DeflateRect(1, 1);
            ozwbars::FillColour(hdc, r, ::GetSysColor(COLOR_BTNFACE));
            HPEN hPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
            HGDIOBJ hOld = ::SelectObject(hdc, hPen);
            // The outline with its corners cut.
            ::MoveToEx(hdc, r.left + 1, r.top, nullptr);
            ::LineTo(hdc, r.right - 1, r.top);
            ::MoveToEx(hdc, r.right - 1, r.top + 1, nullptr);
            ::LineTo(hdc, r.right - 1, r.bottom - 1);
            ::MoveToEx(hdc, r.right - 2, r.bottom - 1, nullptr);
            ::LineTo(hdc, r.left, r.bottom - 1);
            ::MoveToEx(hdc, r.left, r.bottom - 2, nullptr);
            ::LineTo(hdc, r.left, r.top);
            ::SelectObject(hdc, hOld);
            ::DeleteObject(hPen);
        }
        CRect r = strip;
        drawButtons(r);
        // The window text in what is left of the strip.
        CString text;
        GetWindowText(text);
        if (!text.IsEmpty()) {
            const int nFree = m_bAutoHideMode ? 15 : 0;
            if (!bLeftStrip) {
                PaintFont font(hdc, "Tahoma", 80, 0);
                CRect clip(r.left, r.top, r.right - nFree, r.bottom);
                const int x = strip.left + (look == Look::Office2003 ? 8 : 1);
                DrawGlyph(hdc, font.Get(), ::GetSysColor(COLOR_BTNTEXT), x, strip.top, text, text.GetLength(), &clip);
            } else {
                PaintFont font(hdc, "Tahoma", 80, 900);
                CRect clip(r.left, r.top + nFree, r.right, r.bottom);
                const int y = strip.bottom - (look == Look::Office2003 ? 8 : 1);
                DrawGlyph(hdc, font.Get(), ::GetSysColor(COLOR_BTNTEXT), strip.left - 1, y, text, text.GetLength(),
                          &clip);
            }
        }
        return;
    }

    // Neither: two bars, or the Office 2003 gradient.
    if (look == Look::Office2003)
        UXPaintGradientRect(hdc, strip.left, strip.top, strip.Width(), strip.Height(), UXGetO2K3Color(0),
                            UXGetO2K3Color(1), bLeftStrip);
    CRect r = strip;
    drawButtons(r);
    if (look == Look::Office2003)
        return;
    twoBars(r);
}

void OZWControlBar::LayoutCloseButton(CDC* pDC, CRect& rectCaption, BOOL bLeftStrip)
{
    m_rectCloseButton = ozwbar::CutButton(rectCaption, bLeftStrip, bLeftStrip ? m_gripperInfo.m_horz : m_gripperInfo.m_vert);
    if (m_bClosePressed)
        DrawCloseButtonPressed(pDC);
    else
        DrawCloseButtonFlat(pDC);
}

void OZWControlBar::LayoutExpandButton(CDC* pDC, CRect& rectCaption, BOOL bLeftStrip)
{
    UpdateExpandState(bLeftStrip);
    m_rectExpandButton = ozwbar::CutButton(rectCaption, bLeftStrip, bLeftStrip ? m_gripperInfo.m_horz : m_gripperInfo.m_vert);
    if (m_bExpandPressed)
        DrawExpandButtonPressed(pDC);
    else
        DrawExpandButtonFlat(pDC);
}

void OZWControlBar::DrawPinButton(CDC* pDC, CRect& rectCaption, BOOL bLeftStrip)
{
    const HDC hdc = pDC->GetSafeHdc();
    m_rectPinButton = ozwbar::CutPinButton(rectCaption, bLeftStrip);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ hOld = ::SelectObject(hdc, hPen);
    for (const ozwbar::Segment& s : ozwbar::PinGlyph(m_rectPinButton, bLeftStrip, m_bPinned)) {
        ::MoveToEx(hdc, s.from.x, s.from.y, nullptr);
        ::LineTo(hdc, s.to.x, s.to.y);
        ::SetPixel(hdc, s.to.x, s.to.y, ::GetSysColor(COLOR_BTNTEXT));
    }
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hPen);
}

namespace {

enum class ButtonState
{
    Pressed,
    Raised,
    Flat
};

} // namespace

// The steps every caption button's drawing shares.
static void DrawCaptionButton(OZWControlBar* pBar, HDC hdc, const CRect& rect, ButtonState state, char chGlyph,
                              UINT nFrameType, UINT nFrameState, BOOL bDisabled, COLORREF clrGlyph)
{
    if (rect.IsRectEmpty())
        return;
    if (pBar->m_dwExStyle & SCBX_CAPTION) {
        const Look look = CurrentLook();
        const bool bSkipFill = state != ButtonState::Raised && look != Look::Classic;
        if (!bSkipFill)
            ozwbars::FillColour(hdc, rect, ::GetSysColor(COLOR_BTNFACE));
        const OZW_AUX_DATA* pData = UXGetSysData();
        if (state == ButtonState::Raised)
            Frame3d(hdc, rect, pData->clrBtnHilite, pData->clrBtnShadow);
        else if (state == ButtonState::Pressed)
            Frame3d(hdc, rect, pData->clrBtnShadow, pData->clrBtnHilite);
        PaintFont font(hdc, "Marlett", 60, 0);
        DrawGlyph(hdc, font.Get(), clrGlyph, rect.left + 2, rect.top + 2, &chGlyph, 1, nullptr);
        return;
    }
    CRect r = rect;
    UINT nState = nFrameState;
    if (nFrameType == DFC_SCROLL) {
        r.left -= 1;
        r.top -= 1;
        if (bDisabled)
            nState |= DFCS_INACTIVE;
    }
    if (state == ButtonState::Pressed && !bDisabled)
        nState |= DFCS_PUSHED;
    ::DrawFrameControl(hdc, &r, nFrameType, nState);
}

void OZWControlBar::DrawCloseButtonPressed(CDC* pDC)
{
    DrawCaptionButton(this, pDC->GetSafeHdc(), m_rectCloseButton, ButtonState::Pressed, 'r', DFC_CAPTION,
                      DFCS_CAPTIONCLOSE, FALSE, ::GetSysColor(COLOR_BTNTEXT));
}

void OZWControlBar::DrawCloseButtonRaised(CDC* pDC)
{
    DrawCaptionButton(this, pDC->GetSafeHdc(), m_rectCloseButton, ButtonState::Raised, 'r', DFC_CAPTION,
                      DFCS_CAPTIONCLOSE, FALSE, ::GetSysColor(COLOR_BTNTEXT));
}

void OZWControlBar::DrawCloseButtonFlat(CDC* pDC)
{
    const COLORREF clr = ::GetSysColor(m_bAutoHideMode && !m_bPinned ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    DrawCaptionButton(this, pDC->GetSafeHdc(), m_rectCloseButton, ButtonState::Flat, 'r', DFC_CAPTION,
                      DFCS_CAPTIONCLOSE, FALSE, clr);
}

// The expand button in one of its states.
static void DrawExpandButton(OZWControlBar* pBar, CDC* pDC, ButtonState state)
{
    const ozwbar::Arrow arrow = ozwbar::ExpandArrow(pBar->m_bRowOrientation, pBar->m_bNotExpanded);
    DrawCaptionButton(pBar, pDC->GetSafeHdc(), pBar->m_rectExpandButton, state, arrow.chGlyph, DFC_SCROLL,
                      arrow.nState, !pBar->m_bExpandEnabled,
                      ::GetSysColor(pBar->m_bExpandEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}

void OZWControlBar::DrawExpandButtonPressed(CDC* pDC)
{
    DrawExpandButton(this, pDC, ButtonState::Pressed);
}

void OZWControlBar::DrawExpandButtonRaised(CDC* pDC)
{
    DrawExpandButton(this, pDC, ButtonState::Raised);
}

void OZWControlBar::DrawExpandButtonFlat(CDC* pDC)
{
    DrawExpandButton(this, pDC, ButtonState::Flat);
}
