// CGridWindow: fonts, column widths, titles, and the values and drawing of
// cells.
#include "grids/window/GridWindow.h"
#include "database/records/ComponentTexts.h"
#include "grids/core/CellConversion.h"
#include "grids/core/ColumnFit.h"
#include "grids/core/ColumnTitles.h"
#include "units/OZU_DisplaySettings.h"
#include "pickers/core/LineTypes.h"

#include <algorithm>

using namespace kvgrid;

namespace {
const COLORREF kReadOnlyGrey = RGB(208, 208, 208);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kConvertedText = RGB(0, 0, 255);
const COLORREF kAssemblyHeader = RGB(143, 188, 143);
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Fonts and colours

void CGridWindow::LoadStandardFont(BYTE nCharSet)
{
    m_bRightToLeft = FALSE;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    {
        LOGFONTA lf = {};
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        metrics.lfMessageFont = lf;
    }
    LOGFONT lf = {};
    lf.lfCharSet = nCharSet;
    lstrcpynA(lf.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE);
    CGRFont font;
    font.SetFaceName(lf.lfFaceName).SetCharSet(nCharSet).SetSize(8);
    CGRStyle style;
    style.SetFont(font);
    ChangeStandardStyle(style, grOverride, 0);
    if (nCharSet == HEBREW_CHARSET || nCharSet == ARABIC_CHARSET)
        m_bRightToLeft = TRUE;

    CGRRecordInfoBeam* pBeam = GetBeam();
    if (nCharSet != 0 && pBeam && pBeam->GetSafeHwnd() && m_pBeamFont)
    {
        HFONT hBeamFont = (HFONT)pBeam->SendMessage(WM_GETFONT);
        if (hBeamFont)
        {
            LOGFONTA beam = {};
            ::GetObjectA(hBeamFont, sizeof(beam), &beam);
            lstrcpynA(beam.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE);
            beam.lfHeight = metrics.lfMessageFont.lfHeight;
            beam.lfCharSet = nCharSet;
            if (hBeamFont == (HFONT)m_pBeamFont->GetSafeHandle())
                pBeam->SendMessage(WM_SETFONT, 0, FALSE);
            m_pBeamFont->DeleteObject();
            if (m_pBeamFont->CreateFontIndirect(&beam))
                pBeam->SendMessage(WM_SETFONT, (WPARAM)m_pBeamFont->GetSafeHandle(), TRUE);
        }
    }
    Redraw(GR_INVALIDATE);
}

void CGridWindow::SetReadOnlyColours(BOOL bReadOnly, BOOL bRedraw)
{
    CGRStyle style;
    style.SetInterior(bReadOnly ? kReadOnlyGrey : kWhite);
    ChangeStandardStyle(style, grOverride, 0);
    if (bRedraw)
        Redraw(GR_INVALIDATE);
}

void CGridWindow::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    SetStyleReadOnly(bReadOnly);
    SetReadOnlyColours(bReadOnly, TRUE);
}

void CGridWindow::SetStyleReadOnly(BOOL bReadOnly)
{
    // Cells take it from the standard style: no pasting or replacing either.
    CGRStyle style;
    style.SetReadOnly(bReadOnly);
    ChangeStandardStyle(style, grOverride, 0);
}

/////////////////////////////////////////////////////////////////////////////
// Column widths

int CGridWindow::GetStoredColWidth(ROWCOL nCol)
{
    if (IsPrinting() || m_nTableType == TABLE_QUERY)
        return 0;
    const GridColumnEntry* e = m_settings.FindEntry(m_nTableType, (int)nCol);
    return e ? e->width : 0;
}

int CGridWindow::GetColWidth(ROWCOL nCol)
{
    if (nCol == 0 || m_nTableType == TABLE_QUERY)
        return CGRODBCGrid::GetColWidth(nCol);
    int w = GetStoredColWidth(nCol);
    BOOL bHidden = IsColHidden(nCol);
    int fit = m_settings.GetFitType();
    if (nCol == COL_MAJOR2 && (fit == CGridSettings::fitToContent || fit == CGridSettings::stretchToFit) &&
        HasLabelColumn(m_nTableType))
    {
        if (bHidden)
        {
            w = 0;
        }
        else
        {
            // The Label shows [Major2] and [Minor2] together: twice the width
            // of the field, in characters.
            CRecordset* prs = OnGetRecordset();
            if (prs && prs->IsOpen() && !prs->IsEOF() && prs->GetODBCFieldCount() > COL_MAJOR2 - 1)
            {
                CODBCFieldInfo info;
                prs->GetODBCFieldInfo((short)(COL_MAJOR2 - 1), info);
                w = Width_LPtoDP(2000 * (int)info.m_nPrecision);
            }
        }
        m_settings.Entry(m_nTableType, COL_MAJOR2).width = w;
    }
    return ShownColumnWidth(w, bHidden != FALSE);
}

BOOL CGridWindow::OnTrackColWidth(ROWCOL nCol)
{
    return !IsColHidden(nCol);
}

BOOL CGridWindow::OnTrackColWidthMove(ROWCOL, int nWidth)
{
    return nWidth >= MinColumnWidth;
}

BOOL CGridWindow::OnTrackColWidthEnd(ROWCOL nCol, int nWidth)
{
    if (IsComponentTable(m_nTableType) && nCol >= 1)
        m_settings.Entry(m_nTableType, (int)nCol).width = std::max(nWidth, MinColumnWidth);
    m_settings.SetFitType(CGridSettings::fitNone);
    return TRUE;
}

void CGridWindow::StoreColWidths()
{
    if (!IsComponentTable(m_nTableType))
        return;
    for (ROWCOL c = 1; c <= GetColCount(); c++)
        if (!IsColHidden(c))
            m_settings.Entry(m_nTableType, (int)c).width = CGRODBCGrid::GetColWidth(c);
}

void CGridWindow::FitToGridWidth()
{
    if (!IsComponentTable(m_nTableType))
        return;
    int available = GetGridRect().Width() - ::GetSystemMetrics(SM_CXVSCROLL) - ::GetSystemMetrics(SM_CXSIZEFRAME);
    ROWCOL nCols = GetColCount();
    std::vector<bool> visible;
    for (ROWCOL c = 1; c <= nCols; c++)
        visible.push_back(!IsColHidden(c));
    std::vector<int> widths = FitWidthsToWindow(available, visible);
    for (ROWCOL c = 1; c <= nCols; c++)
        m_settings.Entry(m_nTableType, (int)c).width = widths[c - 1];
}

void CGridWindow::StretchDescription()
{
    if (!IsComponentTable(m_nTableType) || IsColHidden(COL_DESCRIPTION))
        return;
    int others = 0;
    for (ROWCOL c = 0; c <= GetColCount(); c++)
        if (c != COL_DESCRIPTION && !IsColHidden(c))
            others += GetColWidth(c);
    GridColumnEntry& e = m_settings.Entry(m_nTableType, COL_DESCRIPTION);
    e.width = StretchedWidth(GetGridRect().Width(), others, e.width);
}

void CGridWindow::OnSize(UINT nType, int cx, int cy)
{
    CGRRecordWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cx <= 0 || m_nTableType == TABLE_QUERY)
        return;
    // The columns of the modes that fill the window follow its width at
    // once, whatever changed it (its frame sized, a bar beside it hidden,
    // floated or docked), so that no empty band opens before the scroll
    // bar. Fitting measures the rows in view only, so it keeps up with a
    // frame being dragged.
    const int fit = m_settings.GetFitType();
    if (fit == CGridSettings::stretchToFit || fit == CGridSettings::fitToWindow)
        FitColumnWidths();
}

void CGridWindow::FitColumnWidths()
{
    BOOL bLock = LockUpdate(TRUE);
    int fit = m_settings.GetFitType();
    if (m_nTableType == TABLE_QUERY)
    {
        ResizeColWidthsToFit(CGRRange().SetTable(), TRUE, 0);
    }
    else if (fit == CGridSettings::fitToContent || fit == CGridSettings::stretchToFit)
    {
        StoreColWidths();
        ResizeColWidthsToFit(CGRRange().SetCols(1, GetColCount()), TRUE, 0);
        StoreColWidths();
        if (fit == CGridSettings::stretchToFit)
            StretchDescription();
    }
    else if (fit == CGridSettings::fitToWindow)
    {
        FitToGridWidth();
    }
    LockUpdate(bLock);
    UpdateScrollbars();
    Redraw(GR_INVALIDATE);
}

/////////////////////////////////////////////////////////////////////////////
// Titles

CString CGridWindow::GetFieldTitle(int nTableType, int nColumn)
{
    return kvgrid::GetFieldTitle(nTableType, nColumn);
}

CString CGridWindow::GetColumnTitle(int nTableType, int nColumn)
{
    const OZU_UnitSet* pUnits = DisplayUnits();
    if (!pUnits)
    {
        static const OZU_UnitSet metric(1);
        pUnits = &metric;
    }
    return kvgrid::GetColumnTitle(nTableType, nColumn, *pUnits);
}

void CGridWindow::UpdateColumnTitles()
{
    for (int t = 0; t < ComponentTableCount; t++)
    {
        for (int c = 1; c <= MaxGridColumn; c++)
        {
            CString title = GetColumnTitle(t, c);
            if (title.IsEmpty())
                continue;
            GridColumnEntry* e = m_settings.FindEntry(t, c);
            if (e)
                e->title = title;
            else
                m_settings.Entry(t, c).title = title;
        }
    }
    if (m_nTableType != TABLE_QUERY)
        for (ROWCOL c = 1; c <= GetColCount(); c++)
        {
            CString title = GetColumnMapTitle(m_nTableType, (int)c);
            if (!title.IsEmpty())
                StoreHeader(c, title);
        }
    Redraw(GR_INVALIDATE);
}

/////////////////////////////////////////////////////////////////////////////
// Cell values

const OZU_UnitSet* CGridWindow::DisplayUnits() const
{
    OZU_DisplaySettings* pSettings = OZU_DisplaySettings::Current();
    return pSettings ? pSettings->GetUnitSettings()->GetUnits() : nullptr;
}

int CGridWindow::SignificantDigits() const
{
    return OZU_DisplaySettings::CurrentSignificantDigits();
}

CString CGridWindow::GetRowValue(ROWCOL nRow, ROWCOL nCol)
{
    CGRBrowseParam* bp = GetBrowseParam();
    CString value;
    if (bp->m_nEditMode != GR_EDITMODE_NONE && bp->m_nEditRow == nRow && bp->GetEditedValue(nCol, value))
        return value;
    CGRStyle style;
    if (CGRODBCGrid::OnLoadCellStyle(nRow, nCol, style, nullptr))
        return style.GetValue();
    return CString();
}

int CGridWindow::ConvertCellValue(int nDirection, ROWCOL nRow, ROWCOL nCol, const CString& in, CString& out)
{
    CString itemType;
    if (nRow != 0 && m_nTableType == TABLE_OUTLET && nCol == 23)
        itemType = GetRowValue(nRow, COL_ITEM_TYPE);
    return ConvertCellText(nDirection, nRow, nCol, itemType, in, out);
}

int CGridWindow::ConvertCellText(int nDirection, ROWCOL nRow, ROWCOL nCol, const CString& itemType, const CString& in,
                                 CString& out)
{
    out.Empty();
    if (nRow == 0)
        return 0;
    CellConversionContext context;
    const OZU_UnitSet* pUnits = DisplayUnits();
    if (!pUnits)
        return 0;
    context.pUnits = pUnits;
    context.nSignificantDigits = SignificantDigits();
    if (m_pView)
    {
        CGridView* pView = m_pView;
        context.convertNominal = [pView](const OZU_DiameterValue& value, int nUnit, double& number) {
            OZU_DiameterValue result;
            pView->ConvertNominal(result, value, nUnit);
            if (!result.IsValid())
                return false;
            number = result.GetValueIn(nUnit);
            return true;
        };
    }
    return kvgrid::ConvertCellValue(m_nTableType, nDirection, nRow, (int)nCol, itemType, in, out, context);
}

CString CGridWindow::GetRecordCellText(ROWCOL nCol, const std::function<CString(ROWCOL)>& valueOf)
{
    // As OnLoadCellStyle shows a record's cell: the label joined from its
    // two halves, numbers in the display units.
    CString value = valueOf(nCol);
    if (m_nTableType == TABLE_QUERY)
        return value;
    if (nCol == COL_MAJOR2 && HasLabelColumn(m_nTableType))
        value += valueOf(COL_MINOR2);
    if (kvrecords::IsFixedWidthColumn((int)nCol))
        return WithoutPadding(nCol, value);
    CString itemType, converted;
    if (m_nTableType == TABLE_OUTLET && nCol == 23)
        itemType = valueOf(COL_ITEM_TYPE);
    if (ConvertCellText(CONVERT_TO_DISPLAY, 1, nCol, itemType, value, converted))
        return converted;
    return value;
}

CString CGridWindow::WithoutPadding(ROWCOL nCol, const CString& text) const
{
    CString result = text;
    if (m_nTableType != TABLE_QUERY && kvrecords::IsFixedWidthColumn((int)nCol))
        result.TrimRight(' ');
    return result;
}

CString CGridWindow::GetFindTextRowCol(ROWCOL nRow, ROWCOL nCol)
{
    // Blanks that only pad a text are neither found nor replaced: a Replace
    // of a blank would turn them into the replacement.
    return nRow >= 1 ? WithoutPadding(nCol, CGRODBCGrid::GetFindTextRowCol(nRow, nCol))
                     : CGRODBCGrid::GetFindTextRowCol(nRow, nCol);
}

CString CGridWindow::GetCopyTextRowCol(ROWCOL nRow, ROWCOL nCol)
{
    return nRow >= 1 ? WithoutPadding(nCol, CGRODBCGrid::GetCopyTextRowCol(nRow, nCol))
                     : CGRODBCGrid::GetCopyTextRowCol(nRow, nCol);
}

void CGridWindow::GetRecordCellColumns(ROWCOL nCol, std::vector<ROWCOL>& cols)
{
    cols.assign(1, nCol);
    if (m_nTableType == TABLE_QUERY)
        return;
    if (nCol == COL_MAJOR2 && HasLabelColumn(m_nTableType))
        cols.push_back(COL_MINOR2);
    if (m_nTableType == TABLE_OUTLET && nCol == 23)
        cols.push_back(COL_ITEM_TYPE);
}

BOOL CGridWindow::OnLoadCellStyle(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, LPCTSTR pszExistingValue)
{
    BOOL bResult = CGRODBCGrid::OnLoadCellStyle(nRow, nCol, style, pszExistingValue);
    if (nRow < 1)
        return bResult;
    if (nCol == 0)
    {
        if (m_nTableType != TABLE_QUERY)
            style.SetUserAttribute(GR_IDS_UA_TOOLTIPTEXT, GetRowValue(nRow, COL_COMPONENT_KEY));
        return bResult;
    }
    if (m_nTableType == TABLE_QUERY)
        return bResult;
    if (nCol == COL_MAJOR2 && HasLabelColumn(m_nTableType))
    {
        if (bResult)
        {
            CString label;
            label.Format("%s%s", (LPCTSTR)style.GetValue(), (LPCTSTR)GetRowValue(nRow, COL_MINOR2));
            style.SetValue(label);
        }
        style.SetMaxLength(2 * std::max(GetTextColumnWidth(COL_MAJOR2), 6));
        return bResult;
    }
    if (bResult)
    {
        CString converted;
        if (ConvertCellValue(CONVERT_TO_DISPLAY, nRow, nCol, style.GetValue(), converted))
            style.SetValue(converted).SetTextColor(kConvertedText);
    }
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

BOOL CGridWindow::IsColourColumn(ROWCOL nCol)
{
    CString name = GetFieldName(nCol);
    return name.Find("Colour") >= 0 || name.Find("Color") >= 0;
}

BOOL CGridWindow::IsLineTypeColumn(ROWCOL nCol)
{
    CString name = GetFieldName(nCol);
    return name.Find("Linetype") >= 0 || name.Find("Line type") >= 0 || name.Find("Line Type") >= 0;
}

int CGridWindow::GetLineTypeCount()
{
    return (int)LineTypeList().size();
}

BOOL CGridWindow::GetLineTypePattern(int nIndex, std::vector<int>& pattern)
{
    const LineTypeArray& lineTypes = LineTypeList();
    if (!IsKnownLineType(lineTypes, nIndex))
        return FALSE;
    const std::vector<int32_t>& entry = lineTypes[(size_t)nIndex].pattern;
    pattern.assign(entry.begin(), entry.end());
    return TRUE;
}

void CGridWindow::OnDrawItem(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rectItem, const CGRStyle& style)
{
    // Colour and line-type cells are known by their field's name, on the
    // Query table too; there grid column 35 is [Flags] only when the query
    // puts it there.
    if (IsRecordRow(nRow))
    {
        if (nCol >= 1)
        {
            if (IsLineTypeColumn(nCol))
            {
                DrawLineTypeCell(pDC, nRow, rectItem, style);
                return;
            }
            if (IsColourColumn(nCol))
            {
                DrawColourCell(pDC, nRow, rectItem, style);
                return;
            }
        }
        else if ((m_nTableType != TABLE_QUERY || GetFieldName(COL_FLAGS).CompareNoCase("Flags") == 0) &&
                 (std::atol(GetRowValue(nRow, COL_FLAGS)) & 1))
        {
            // Assemblies stand out in green.
            CGRStyle green(style);
            green.SetInterior(kAssemblyHeader);
            CGRODBCGrid::OnDrawItem(pDC, nRow, nCol, rectItem, green);
            return;
        }
    }
    CGRODBCGrid::OnDrawItem(pDC, nRow, nCol, rectItem, style);
}

void CGridWindow::DrawColourCell(CDC* pDC, ROWCOL nRow, const CRect& rect, const CGRStyle& style)
{
    HDC hdc = pDC->GetSafeHdc();
    RECT rc = rect;
    COLORREF face = m_bReadOnly ? kReadOnlyGrey : ::GetSysColor(COLOR_3DFACE);
    HBRUSH hFace = ::CreateSolidBrush(face);
    ::FillRect(hdc, &rc, hFace);
    ::DeleteObject(hFace);
    ::DrawEdge(hdc, &rc, (long)nRow == m_nColourRow ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    ::InflateRect(&rc, -4, -4);
    ::FrameRect(hdc, &rc, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    ::InflateRect(&rc, -1, -1);
    COLORREF colour = (COLORREF)std::atol(style.GetValue()) & 0xFFFFFF;
    HBRUSH hColour = ::CreateSolidBrush(colour);
    ::FillRect(hdc, &rc, hColour);
    ::DeleteObject(hColour);
}

void CGridWindow::DrawLineTypeCell(CDC* pDC, ROWCOL nRow, const CRect& rect, const CGRStyle& style)
{
    HDC hdc = pDC->GetSafeHdc();
    RECT rc = rect;
    HBRUSH hBack = ::CreateSolidBrush(m_bReadOnly ? kReadOnlyGrey : ::GetSysColor(COLOR_WINDOW));
    ::FillRect(hdc, &rc, hBack);
    ::DeleteObject(hBack);
    long index = std::atol(style.GetValue());
    std::vector<int> pattern;
    int width = rc.right - rc.left;
    if (index >= 0 && index < GetLineTypeCount() && GetLineTypePattern((int)index, pattern))
    {
        std::vector<DWORD> segments = LineTypeDashes(std::vector<int32_t>(pattern.begin(), pattern.end()), width);
        LOGBRUSH lb = {};
        lb.lbStyle = BS_SOLID;
        lb.lbColor = ::GetSysColor((long)nRow == m_nLineTypeRow ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
        HPEN hPen = segments.empty()
                        ? ::CreatePen(PS_SOLID, 1, lb.lbColor)
                        : ::ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, &lb, (DWORD)segments.size(), segments.data());
        HGDIOBJ hOld = ::SelectObject(hdc, hPen);
        int y = (rc.top + rc.bottom) / 2;
        ::MoveToEx(hdc, rc.left + 2, y, nullptr);
        ::LineTo(hdc, rc.right - 4, y);
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hPen);
    }
    else
    {
        int oldMode = ::SetBkMode(hdc, TRANSPARENT);
        COLORREF oldColour = ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
        HGDIOBJ hOldFont = ::SelectObject(hdc, GetStyleFont(style, pDC));
        pDC->DrawText("<Unknown>", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(hdc, hOldFont);
        ::SetTextColor(hdc, oldColour);
        ::SetBkMode(hdc, oldMode);
    }
}
