// CGRGridCore: drawing the grid into a device context.
#include "platform/grid/GRCore.h"
#include "platform/grid/GRApp.h"
#include "platform/grid/GRControl.h"

#include <algorithm>

namespace {
const COLORREF kSelectionColor = RGB(192, 192, 192);
const COLORREF kNewGridLineColor = RGB(192, 192, 192);
const COLORREF kOldGridLineColor = RGB(128, 128, 128);

void FillSolid(HDC hdc, const RECT& rc, COLORREF color)
{
    COLORREF old = ::SetBkColor(hdc, color);
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

void Line(HDC hdc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(hdc, x1, y1, nullptr);
    ::LineTo(hdc, x2, y2);
}
} // namespace

HFONT CGRGridCore::GetStyleFont(const CGRStyle& style, CDC* pDC)
{
    int dpi = 96;
    HDC hdc = pDC ? pDC->GetSafeHdc() : nullptr;
    if (hdc)
        dpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    if (dpi <= 0)
        dpi = 96;
    CGRFont font = StandardStyle().GetFont();
    font.ChangeFont(style.GetFont(), grOverride);
    LOGFONT lf;
    font.GetLogFont(lf, dpi);
    if (!GRGetAppState()->m_bUseStyleCharSet && !font.GetIncludeCharSet())
        lf.lfCharSet = DEFAULT_CHARSET;
    return GRGetAppState()->GetFont(lf);
}

void CGRGridCore::DoPaint(CDC* pDC)
{
    CRect rcClient = GetGridRect();
    if (rcClient.IsRectEmpty() || m_bLockUpdate)
        return;
    HDC hdc = pDC->GetSafeHdc();
    // Drawn into a bitmap first, then copied: no flicker.
    HDC hMem = ::CreateCompatibleDC(hdc);
    HBITMAP hBmp = hMem ? ::CreateCompatibleBitmap(hdc, rcClient.right, rcClient.bottom) : nullptr;
    if (!hMem || !hBmp)
    {
        if (hMem)
            ::DeleteDC(hMem);
        OnGridDraw(pDC);
        return;
    }
    HGDIOBJ hOldBmp = ::SelectObject(hMem, hBmp);
    RECT rcClip;
    if (::GetClipBox(hdc, &rcClip) == NULLREGION)
        rcClip = rcClient;
    ::IntersectClipRect(hMem, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    CDC* pMemDC = CDC::FromHandle(hMem);
    OnGridDraw(pMemDC);
    ::BitBlt(hdc, rcClip.left, rcClip.top, rcClip.right - rcClip.left, rcClip.bottom - rcClip.top, hMem,
             rcClip.left, rcClip.top, SRCCOPY);
    ::SelectObject(hMem, hOldBmp);
    ::DeleteObject(hBmp);
    ::DeleteDC(hMem);
}

void CGRGridCore::OnGridDraw(CDC* pDC)
{
    struct PrintingScope
    {
        BOOL& flag;
        BOOL saved;
        PrintingScope(BOOL& f, BOOL printing) : flag(f), saved(f) { flag = printing; }
        ~PrintingScope() { flag = saved; }
    } printing(m_bPrinting, pDC->IsPrinting());
    HDC hdc = pDC->GetSafeHdc();
    CRect rcGrid = GetGridRect();
    CGRGridParam* pParam = Param();
    CGRData& d = pParam->GetData();
    int saved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, rcGrid.left, rcGrid.top, rcGrid.right, rcGrid.bottom);
    RECT rcClip;
    if (::GetClipBox(hdc, &rcClip) == NULLREGION)
    {
        ::RestoreDC(hdc, saved);
        return;
    }
    FillSolid(hdc, rcGrid, ::GetSysColor(COLOR_WINDOW));

    // The rows and columns in view, with their positions.
    struct Span
    {
        ROWCOL n;
        int from, to;
    };
    std::vector<Span> rows, cols;
    ForEachLineInView(TRUE, [&](ROWCOL n, int from, int to) {
        rows.push_back({ n, from, to });
        return true;
    });
    ForEachLineInView(FALSE, [&](ROWCOL n, int from, int to) {
        cols.push_back({ n, from, to });
        return true;
    });

    CGRRangeList* pSel = pParam->GetRangeList();
    BOOL bFocus = GetGridHwnd() && (::GetFocus() == GetGridHwnd() || ::IsChild(GetGridHwnd(), ::GetFocus()));
    BOOL bCurrentShown = m_bCurCell && !m_bPrinting && (pParam->GetHideCurrentCell() == 0 ||
                                        (pParam->GetHideCurrentCell() == 1 && (bFocus || !GetGridHwnd())));
    for (const Span& rs : rows)
    {
        if (rs.to <= rcClip.top || rs.from >= rcClip.bottom)
            continue;
        for (const Span& cs : cols)
        {
            if (cs.to <= rcClip.left || cs.from >= rcClip.right)
                continue;
            CRect rc(cs.from, rs.from, cs.to, rs.to);
            CGRStyle style;
            ComposeStyleRowCol(rs.n, cs.n, &style);
            BOOL bHeader = rs.n <= d.m_nHeaderRows || cs.n <= d.m_nHeaderCols;
            if (!bHeader && pSel->IsCellInList(rs.n, cs.n) && !IsCurrentCell(rs.n, cs.n))
            {
                style.SetInterior(kSelectionColor);
                style.SetInteriorPattern(TRUE);
            }
            else if (bHeader && m_bCurCell &&
                     ((cs.n <= d.m_nHeaderCols && rs.n == m_nCurRow && pParam->GetMarkRowHeader()) ||
                      (rs.n <= d.m_nHeaderRows && cs.n == m_nCurCol && pParam->GetMarkColHeader())))
            {
                // The headers of the current row and column are marked.
                COLORREF c = style.GetInterior();
                style.SetInterior(RGB(GetRValue(c) * 7 / 8, GetGValue(c) * 7 / 8, GetBValue(c) * 7 / 8));
            }
            OnDrawItem(pDC, rs.n, cs.n, rc, style);
        }
    }

    // The current cell's frame, the fill handle and the fill target.
    if (bCurrentShown && !IsActiveCurrentCell())
    {
        CRect rc = CalcRectFromRowCol(m_nCurRow, m_nCurCol);
        if (!rc.IsRectEmpty())
        {
            HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 0, 0));
            CRect r = rc;
            r.right -= 1;
            r.bottom -= 1;
            ::FrameRect(hdc, &r, hBrush);
            r.DeflateRect(1, 1);
            ::FrameRect(hdc, &r, hBrush);
            ::DeleteObject(hBrush);
        }
    }
    if (pParam->GetExcelLikeFillFlags() & GR_FILL_COPY)
    {
        CGRRange rg = GetFillSource();
        if (rg.IsValid())
        {
            CRect rc = CalcRectFromRowCol(rg.bottom, rg.right);
            if (!rc.IsRectEmpty())
                FillSolid(hdc, CRect(rc.right - 5, rc.bottom - 5, rc.right, rc.bottom), RGB(0, 0, 0));
        }
    }
    if (m_nTracking == trackFill && m_rangeFillTarget.IsValid())
    {
        CRect a = CalcRectFromRowCol(m_rangeFillTarget.top, m_rangeFillTarget.left);
        CRect b = CalcRectFromRowCol(std::min(m_rangeFillTarget.bottom, GetLastVisibleRow()),
                                     std::min(m_rangeFillTarget.right, GetLastVisibleCol()));
        if (!a.IsRectEmpty() && !b.IsRectEmpty())
        {
            CRect r(a.left, a.top, b.right - 1, b.bottom - 1);
            ::DrawFocusRect(hdc, &r);
        }
    }
    ::RestoreDC(hdc, saved);
}

void CGRGridCore::OnDrawItem(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rectItem, const CGRStyle& style)
{
    CGRControl* pControl = GetRegisteredControl(style.GetControl());
    if (!pControl)
    {
        CGRData& d = Param()->GetData();
        pControl = GetRegisteredControl((nRow <= d.m_nHeaderRows || nCol <= d.m_nHeaderCols)
                                            ? (WORD)GR_IDS_CTRL_HEADER
                                            : (WORD)GR_IDS_CTRL_EDIT);
    }
    if (pControl)
        pControl->Draw(pDC, rectItem, nRow, nCol, style, &StandardStyle());
    else
        DrawCell(pDC, nRow, nCol, rectItem, style);
}

void CGRGridCore::DrawCell(CDC* pDC, ROWCOL, ROWCOL, const CRect& rectItem, const CGRStyle& style)
{
    HDC hdc = pDC->GetSafeHdc();
    CRect rc = rectItem;
    FillSolid(hdc, rc, style.GetInterior());
    if (style.GetInteriorPattern())
    {
        // Highlighted cells get a light dotted pattern over the grey.
        HBRUSH hHatch = ::CreateHatchBrush(HS_DIAGCROSS, RGB(208, 208, 208));
        int oldMode = ::SetBkMode(hdc, TRANSPARENT);
        ::FillRect(hdc, &rc, hHatch);
        ::SetBkMode(hdc, oldMode);
        ::DeleteObject(hHatch);
        FillSolid(hdc, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), style.GetInterior());
    }
    DrawCellText(pDC, rc, style, style.GetDisplayText());
    DrawCellBorders(pDC, rc, style);
}

void CGRGridCore::DrawCellText(CDC* pDC, const CRect& rect, const CGRStyle& style, const CString& text)
{
    if (text.IsEmpty())
        return;
    HDC hdc = pDC->GetSafeHdc();
    CRect rc = CalcTextRect(rect);
    if (rc.IsRectEmpty())
        return;
    HGDIOBJ hOldFont = ::SelectObject(hdc, GetStyleFont(style, pDC));
    COLORREF color = style.GetTextColor();
    if (style.GetIncludeTextColorNA() && style.IsNegativeValue())
        color = style.GetTextColorNA();
    if (!style.GetEnabled() && style.GetControl() != GR_IDS_CTRL_HEADER)
        color = ::GetSysColor(COLOR_GRAYTEXT);
    COLORREF oldColor = ::SetTextColor(hdc, color);
    int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    UINT fmt = DT_NOPREFIX | style.GetHorizontalAlignment();
    if (style.GetWrapText())
    {
        fmt |= DT_WORDBREAK;
        // Vertical alignment of wrapped text by measuring it.
        CRect rcCalc = rc;
        pDC->DrawText(text, &rcCalc, fmt | DT_CALCRECT);
        int h = rcCalc.Height();
        if (h < rc.Height())
        {
            UINT v = style.GetVerticalAlignment();
            if (v == DT_VCENTER)
                rc.top += (rc.Height() - h) / 2;
            else if (v == DT_BOTTOM)
                rc.top = rc.bottom - h;
        }
    }
    else
    {
        TEXTMETRICA tm;
        if (::GetTextMetricsA(hdc, &tm))
        {
            rc.top = CalcLineTop(rc, style, tm.tmHeight);
            fmt |= DT_SINGLELINE | DT_TOP;
        }
        else
            fmt |= DT_SINGLELINE | style.GetVerticalAlignment();
    }
    // Clipped to the cell, not to the text's margins: a bold glyph at the end
    // of a right-aligned text reaches a pixel past its advance, which the
    // text rectangle would cut off.
    const int nSaved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    pDC->DrawText(text, &rc, fmt | DT_NOCLIP);
    ::RestoreDC(hdc, nSaved);
    ::SetBkMode(hdc, oldMode);
    ::SetTextColor(hdc, oldColor);
    ::SelectObject(hdc, hOldFont);
}

CRect CGRGridCore::CalcTextRect(const CRect& rectCell)
{
    CRect rc = rectCell;
    rc.DeflateRect(3, 1, 4, 2);
    return rc;
}

// A line taller than the rectangle starts at its top.
int CGRGridCore::CalcLineTop(const CRect& rectText, const CGRStyle& style, int nLineHeight)
{
    int room = std::max(0, rectText.Height() - nLineHeight);
    switch (style.GetVerticalAlignment())
    {
    case DT_VCENTER: return rectText.top + room / 2;
    case DT_BOTTOM: return rectText.top + room;
    default: return rectText.top;
    }
}

void CGRGridCore::DrawCellBorders(CDC* pDC, const CRect& rc, const CGRStyle& style)
{
    HDC hdc = pDC->GetSafeHdc();
    BOOL bNewLines = Param()->GetNewGridLineMode();
    // Right and bottom edges carry the grid lines; a border set in the style
    // replaces them (the null pen removes them).
    struct Edge
    {
        GRBorderType type;
        int x1, y1, x2, y2;
        BOOL bGridLine;
    } edges[] = {
        { grBorderRight, rc.right - 1, rc.top, rc.right - 1, rc.bottom, TRUE },
        { grBorderBottom, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, TRUE },
        { grBorderLeft, rc.left, rc.top, rc.left, rc.bottom, FALSE },
        { grBorderTop, rc.left, rc.top, rc.right, rc.top, FALSE },
    };
    for (const Edge& e : edges)
    {
        HPEN hPen = nullptr;
        if (style.GetIncludeBorders(e.type))
        {
            const CGRPen& pen = style.GetBorders(e.type);
            if (pen.GetStyle() == PS_NULL)
                continue;
            hPen = ::CreatePen((int)pen.GetStyle(), pen.GetWidth(), pen.GetColor());
        }
        else if (e.bGridLine)
        {
            if (style.GetControl() == GR_IDS_CTRL_HEADER && Param()->Get3dHeaders())
                continue;
            if (bNewLines)
                hPen = ::CreatePen(PS_SOLID, 1, kNewGridLineColor);
            else
                hPen = ::CreatePen(PS_DOT, 1, kOldGridLineColor);
        }
        if (!hPen)
            continue;
        HGDIOBJ hOld = ::SelectObject(hdc, hPen);
        Line(hdc, e.x1, e.y1, e.x2, e.y2);
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hPen);
    }
}

void CGRGridCore::DrawHeaderFrame(CDC* pDC, const CRect& rect, BOOL)
{
    HDC hdc = pDC->GetSafeHdc();
    if (!Param()->Get3dHeaders())
        return;
    CRect rc = rect;
    ::DrawEdge(hdc, &rc, BDR_RAISEDINNER, BF_RECT);
}
