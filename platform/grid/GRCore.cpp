// CGRGridCore: parameters, counts, sizes, styles, the current cell, the
// selection and the layout. Input, drawing, find and the clipboard are in the
// other GRCore*.cpp files.
#include "platform/grid/GRCore.h"
#include "platform/grid/GRApp.h"
#include "platform/grid/GRControl.h"
#include "platform/grid/GRGridWnd.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <functional>

CGRGridCore::CGRGridCore() = default;

CGRGridCore::~CGRGridCore()
{
    m_controls.clear();
    if (m_bOwnParam)
        delete m_pParam;
    m_pParam = nullptr;
    GR_APP_STATE* pState = GRGetAppState();
    if (pState->m_findReplace.m_pActiveGrid == this)
        pState->m_findReplace.m_pActiveGrid = nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Parameters and set-up

void CGRGridCore::SetParam(CGRGridParam* pParam, BOOL bMustDelete)
{
    if (pParam == m_pParam)
    {
        m_bOwnParam = bMustDelete;
        return;
    }
    if (m_bOwnParam)
        delete m_pParam;
    m_pParam = pParam;
    m_bOwnParam = bMustDelete;
    m_bCurCell = FALSE;
    m_nTopRow = m_nLeftCol = 1;
    if (m_pParam && m_bInitDone)
    {
        UpdateScrollbars();
        Redraw(GR_INVALIDATE);
    }
}

CGRGridParam* CGRGridCore::Param()
{
    if (!m_pParam)
    {
        m_pParam = CreateDefaultParam();
        m_bOwnParam = TRUE;
    }
    return m_pParam;
}

CGRGridParam* CGRGridCore::CreateDefaultParam()
{
    return new CGRGridParam;
}

void CGRGridCore::OnGridInitialUpdate()
{
    Param();
    if (!GetRegisteredControl(GR_IDS_CTRL_EDIT))
        RegisterControl(GR_IDS_CTRL_EDIT, new CGREditControl(this));
    if (!GetRegisteredControl(GR_IDS_CTRL_STATIC))
        RegisterControl(GR_IDS_CTRL_STATIC, new CGRStatic(this));
    if (!GetRegisteredControl(GR_IDS_CTRL_HEADER))
        RegisterControl(GR_IDS_CTRL_HEADER, new CGRHeader(this));
    if (!GetRegisteredControl(GR_IDS_CTRL_CHECKBOX))
        RegisterControl(GR_IDS_CTRL_CHECKBOX, new CGRCheckBox(this));
    if (!GetRegisteredControl(GR_IDS_CTRL_COMBOBOX))
        RegisterControl(GR_IDS_CTRL_COMBOBOX, new CGRComboBox(this, FALSE));
    if (!GetRegisteredControl(GR_IDS_CTRL_CBS_DROPDOWNLIST))
        RegisterControl(GR_IDS_CTRL_CBS_DROPDOWNLIST, new CGRComboBox(this, TRUE));
    EnsureDefaultSizes();
    m_bInitDone = TRUE;
    UpdateScrollbars();
}

// Row height and logical units from the standard font.
void CGRGridCore::EnsureDefaultSizes()
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    if (!hdc)
        return;
    HFONT hFont = GetStyleFont(StandardStyle());
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    TEXTMETRIC tm = {};
    if (::GetTextMetrics(hdc, &tm))
    {
        m_nAveCharWidth = std::max(1, (int)tm.tmAveCharWidth);
        m_nLineHeight = std::max(1, (int)tm.tmHeight);
        CGRData& d = Param()->GetData();
        int h = tm.tmHeight + tm.tmExternalLeading + 5;
        if (d.m_nDefaultRowHeight < h)
            d.m_nDefaultRowHeight = h;
    }
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
}

HWND CGRGridCore::GetGridHwnd() const
{
    return m_pGridWnd ? m_pGridWnd->GetSafeHwnd() : nullptr;
}

void CGRGridCore::SetGridRect(BOOL bSet, const RECT* pRect)
{
    m_bRectSet = bSet && pRect;
    if (m_bRectSet)
        m_rectGrid = *pRect;
    UpdateScrollbars();
}

CRect CGRGridCore::GetGridRect() const
{
    if (m_bRectSet)
        return m_rectGrid;
    CRect rc(0, 0, 0, 0);
    HWND hWnd = GetGridHwnd();
    if (hWnd)
        ::GetClientRect(hWnd, &rc);
    return rc;
}

void CGRGridCore::SetScrollBarMode(int nBar, int nMode)
{
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        m_nScrollModeH = nMode;
    if (nBar == SB_VERT || nBar == SB_BOTH)
        m_nScrollModeV = nMode;
    UpdateScrollbars();
}

/////////////////////////////////////////////////////////////////////////////
// Rows and columns

ROWCOL CGRGridCore::GetRowCount()
{
    return Param()->GetData().m_nRows;
}

ROWCOL CGRGridCore::GetColCount()
{
    return Param()->GetData().m_nCols;
}

// One axis of the grid, rows or columns: its counts, sizes and hidden
// lines, and the core's current and first shown line on it.
struct CGRGridCore::Axis
{
    ROWCOL& count;
    ROWCOL& frozen;
    ROWCOL& header;
    int& defaultSize;
    std::map<ROWCOL, int>& sizes;
    std::set<ROWCOL>& hidden;
    void (CGRData::*shift)(ROWCOL, long);
    ROWCOL& cur;
    ROWCOL& first;
};

CGRGridCore::Axis CGRGridCore::AxisOf(BOOL bRows)
{
    CGRData& d = Param()->GetData();
    if (bRows)
        return { d.m_nRows, d.m_nFrozenRows, d.m_nHeaderRows, d.m_nDefaultRowHeight, d.m_rowHeights,
                 d.m_hiddenRows, &CGRData::ShiftRows, m_nCurRow, m_nTopRow };
    return { d.m_nCols, d.m_nFrozenCols, d.m_nHeaderCols, d.m_nDefaultColWidth, d.m_colWidths,
             d.m_hiddenCols, &CGRData::ShiftCols, m_nCurCol, m_nLeftCol };
}

// After lines went, the first shown line stays within the lines left.
static void ClampFirst(ROWCOL& first, ROWCOL count, ROWCOL firstScroll)
{
    if (first > std::max<ROWCOL>(count, 1))
        first = std::max<ROWCOL>(firstScroll, std::max<ROWCOL>(count, 1));
}

BOOL CGRGridCore::SetLineCount(BOOL bRows, ROWCOL n, UINT flags)
{
    Axis ax = AxisOf(bRows);
    if (n == ax.count)
        return TRUE;
    if (n < ax.count)
    {
        if (m_bCurCell && ax.cur > n)
            ResetCurrentCell(FALSE);
        (Param()->GetData().*ax.shift)(n + 1, -(long)(ax.count - n));
    }
    ax.count = n;
    ClampFirst(ax.first, n, ax.frozen + 1);
    UpdateScrollbars();
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::InsertLines(BOOL bRows, ROWCOL nAt, ROWCOL nCount, UINT flags)
{
    Axis ax = AxisOf(bRows);
    if (nAt == 0 || nAt > ax.count + 1 || nCount == 0)
        return FALSE;
    (Param()->GetData().*ax.shift)(nAt, (long)nCount);
    ax.count += nCount;
    if (m_bCurCell && ax.cur >= nAt)
        ax.cur += nCount;
    Param()->GetRangeList()->DeleteAll();
    UpdateScrollbars();
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::RemoveLines(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, UINT flags)
{
    Axis ax = AxisOf(bRows);
    if (nFrom > nTo)
        std::swap(nFrom, nTo);
    if (nFrom == 0 || nTo > ax.count)
        return FALSE;
    ROWCOL n = nTo - nFrom + 1;
    if (m_bCurCell && ax.cur >= nFrom && ax.cur <= nTo)
        ResetCurrentCell(FALSE);
    else if (m_bCurCell && ax.cur > nTo)
        ax.cur -= n;
    (Param()->GetData().*ax.shift)(nFrom, -(long)n);
    ax.count -= n;
    Param()->GetRangeList()->DeleteAll();
    ClampFirst(ax.first, ax.count, ax.frozen + 1);
    UpdateScrollbars();
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::SetFrozenLines(BOOL bRows, ROWCOL nFrozen, ROWCOL nHeader, UINT flags)
{
    Axis ax = AxisOf(bRows);
    ax.frozen = nFrozen;
    ax.header = std::min(nHeader, nFrozen);
    if (ax.first <= nFrozen)
        ax.first = nFrozen + 1;
    UpdateScrollbars();
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::SetRowCount(ROWCOL nRows, UINT flags)
{
    return SetLineCount(TRUE, nRows, flags);
}

BOOL CGRGridCore::SetColCount(ROWCOL nCols, UINT flags)
{
    return SetLineCount(FALSE, nCols, flags);
}

BOOL CGRGridCore::InsertRows(ROWCOL nRow, ROWCOL nCount, UINT flags)
{
    return InsertLines(TRUE, nRow, nCount, flags);
}

BOOL CGRGridCore::RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT flags)
{
    return RemoveLines(TRUE, nFromRow, nToRow, flags);
}

BOOL CGRGridCore::InsertCols(ROWCOL nCol, ROWCOL nCount, UINT flags)
{
    return InsertLines(FALSE, nCol, nCount, flags);
}

BOOL CGRGridCore::RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT flags)
{
    return RemoveLines(FALSE, nFromCol, nToCol, flags);
}

BOOL CGRGridCore::SetFrozenRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows, UINT flags)
{
    return SetFrozenLines(TRUE, nFrozenRows, nHeaderRows, flags);
}

BOOL CGRGridCore::SetFrozenCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols, UINT flags)
{
    return SetFrozenLines(FALSE, nFrozenCols, nHeaderCols, flags);
}

void CGRGridCore::OnTestGridDimension(ROWCOL, ROWCOL)
{
}

ROWCOL CGRGridCore::FirstScrollRow() const
{
    return Param()->GetData().m_nFrozenRows + 1;
}

ROWCOL CGRGridCore::FirstScrollCol() const
{
    return Param()->GetData().m_nFrozenCols + 1;
}

/////////////////////////////////////////////////////////////////////////////
// Sizes

int CGRGridCore::StoredLineSize(BOOL bRows, ROWCOL n)
{
    Axis ax = AxisOf(bRows);
    if (ax.hidden.count(n))
        return 0;
    auto it = ax.sizes.find(n);
    return it == ax.sizes.end() ? ax.defaultSize : it->second;
}

int CGRGridCore::GetRowHeight(ROWCOL nRow)
{
    return StoredLineSize(TRUE, nRow);
}

int CGRGridCore::GetColWidth(ROWCOL nCol)
{
    return StoredLineSize(FALSE, nCol);
}

int CGRGridCore::GetColWidthShown(ROWCOL nCol)
{
    if (IsColHidden(nCol))
        return 0;
    return std::max(0, GetColWidth(nCol));
}

int CGRGridCore::GetRowHeightShown(ROWCOL nRow)
{
    if (IsRowHidden(nRow))
        return 0;
    return std::max(0, GetRowHeight(nRow));
}

BOOL CGRGridCore::SetLineSize(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, int nSize, int* pOld, UINT flags)
{
    Axis ax = AxisOf(bRows);
    if (nFrom > nTo)
        std::swap(nFrom, nTo);
    for (ROWCOL n = nFrom; n <= nTo; n++)
    {
        if (pOld)
            pOld[n - nFrom] = bRows ? GetRowHeight(n) : GetColWidth(n);
        ax.sizes[n] = std::max(0, nSize);
        if (n == GR_MAXROWCOL)
            break;
    }
    UpdateScrollbars();
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::SetRowHeight(ROWCOL nFromRow, ROWCOL nToRow, int nHeight, int* pOldHeights, UINT flags)
{
    return SetLineSize(TRUE, nFromRow, nToRow, nHeight, pOldHeights, flags);
}

BOOL CGRGridCore::SetColWidth(ROWCOL nFromCol, ROWCOL nToCol, int nWidth, int* pOldWidths, UINT flags)
{
    return SetLineSize(FALSE, nFromCol, nToCol, nWidth, pOldWidths, flags);
}

void CGRGridCore::SetDefaultRowHeight(int nHeight, UINT flags)
{
    Param()->GetData().m_nDefaultRowHeight = std::max(1, nHeight);
    UpdateScrollbars();
    Redraw(flags);
}

void CGRGridCore::SetDefaultColWidth(int nWidth, UINT flags)
{
    Param()->GetData().m_nDefaultColWidth = std::max(1, nWidth);
    UpdateScrollbars();
    Redraw(flags);
}

BOOL CGRGridCore::HideLines(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, BOOL* pOld, UINT flags)
{
    Axis ax = AxisOf(bRows);
    if (nFrom > nTo)
        std::swap(nFrom, nTo);
    for (ROWCOL n = nFrom; n <= nTo; n++)
    {
        if (pOld)
            pOld[n - nFrom] = ax.hidden.count(n) != 0;
        if (bHide)
            ax.hidden.insert(n);
        else
            ax.hidden.erase(n);
        if (n == GR_MAXROWCOL)
            break;
    }
    // The current cell does not stay in a hidden line: it moves on, or back.
    if (bHide && m_bCurCell && ax.cur >= nFrom && ax.cur <= nTo)
    {
        int forward = bRows ? GR_DOWN : GR_RIGHT, backward = bRows ? GR_UP : GR_LEFT;
        ROWCOL r = m_nCurRow, c = m_nCurCol;
        if (FindNextCell(forward, r, c) || (r = m_nCurRow, c = m_nCurCol, FindNextCell(backward, r, c)))
        {
            TransferCurrentCell(TRUE, 0);
            SetCurrentCellDirect(r, c);
        }
    }
    UpdateScrollbars();
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::HideCols(ROWCOL nFromCol, ROWCOL nToCol, BOOL bHide, BOOL* pOldHidden, UINT flags)
{
    return HideLines(FALSE, nFromCol, nToCol, bHide, pOldHidden, flags);
}

BOOL CGRGridCore::HideRows(ROWCOL nFromRow, ROWCOL nToRow, BOOL bHide, BOOL* pOldHidden, UINT flags)
{
    return HideLines(TRUE, nFromRow, nToRow, bHide, pOldHidden, flags);
}

BOOL CGRGridCore::IsColHidden(ROWCOL nCol)
{
    return Param()->GetData().m_hiddenCols.count(nCol) != 0;
}

BOOL CGRGridCore::IsRowHidden(ROWCOL nRow)
{
    return Param()->GetData().m_hiddenRows.count(nRow) != 0;
}

int CGRGridCore::Width_LPtoDP(int nLP)
{
    if (!m_nAveCharWidth)
        EnsureDefaultSizes();
    int w = m_nAveCharWidth ? m_nAveCharWidth : 6;
    return (int)(((long long)nLP * w + 500) / 1000);
}

int CGRGridCore::Width_DPtoLP(int nDP)
{
    if (!m_nAveCharWidth)
        EnsureDefaultSizes();
    int w = m_nAveCharWidth ? m_nAveCharWidth : 6;
    return (int)((long long)nDP * 1000 / w);
}

int CGRGridCore::Height_LPtoDP(int nLP)
{
    if (!m_nLineHeight)
        EnsureDefaultSizes();
    int h = m_nLineHeight ? m_nLineHeight : 13;
    return (int)(((long long)nLP * h + 500) / 1000);
}

namespace {
// Measures the text of a style as drawn in a cell (one line, or wrapped to
// nWrapWidth when positive).
CSize MeasureCellText(HDC hdc, HFONT hFont, const CString& text, int nWrapWidth)
{
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    RECT rc = { 0, 0, nWrapWidth > 0 ? nWrapWidth : 0, 0 };
    UINT fmt = DT_CALCRECT | DT_NOPREFIX | (nWrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    if (!text.IsEmpty())
        CDC::FromHandle(hdc)->DrawText(text, &rc, fmt);
    ::SelectObject(hdc, hOld);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}
} // namespace

BOOL CGRGridCore::ResizeColWidthsToFit(const CGRRange& rangeIn, BOOL, UINT flags)
{
    ROWCOL nCols = GetColCount();
    CGRRange range = rangeIn;
    range.ExpandRange(0, 0, GetRowCount(), nCols);
    if (!range.IsValid())
        return FALSE;
    HDC hdc = ::CreateCompatibleDC(nullptr);
    if (!hdc)
        return FALSE;
    // Only the header and the rows in view are measured, so that a grid over
    // a large data source does not read every row.
    std::vector<ROWCOL> rows;
    for (ROWCOL r = 0; r <= std::min(Param()->GetData().m_nFrozenRows, GetRowCount()); r++)
        rows.push_back(r);
    ROWCOL last = GetLastVisibleRow();
    for (ROWCOL r = std::max(m_nTopRow, FirstScrollRow()); r <= last && r <= GetRowCount(); r++)
        rows.push_back(r);
    BOOL bLock = LockUpdate(TRUE);
    for (ROWCOL c = range.left; c <= range.right; c++)
    {
        if (IsColHidden(c))
            continue;
        int w = 0;
        for (ROWCOL r : rows)
        {
            if (r < range.top && r != 0)
                continue;
            if (r > range.bottom && r != 0)
                continue;
            CGRStyle style;
            ComposeStyleRowCol(r, c, &style);
            CString text = style.GetDisplayText();
            if (text.IsEmpty())
                continue;
            int wrap = 0;
            CSize sz = MeasureCellText(hdc, GetStyleFont(style), text, wrap);
            if (style.GetWrapText() && sz.cx > 0)
            {
                // Wrapped text: its longest word decides.
                int longest = 0;
                int start = 0;
                while (start >= 0 && start < text.GetLength())
                {
                    CString word = text.Tokenize(" \r\n\t", start);
                    if (word.IsEmpty())
                        break;
                    longest = std::max<int>(longest, (int)MeasureCellText(hdc, GetStyleFont(style), word, 0).cx);
                }
                sz.cx = longest;
            }
            w = std::max<int>(w, (int)sz.cx + 8);
        }
        if (w > 0)
            Param()->GetData().m_colWidths[c] = w;
    }
    LockUpdate(bLock);
    ::DeleteDC(hdc);
    UpdateScrollbars();
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::ResizeRowHeightsToFit(const CGRRange& rangeIn, UINT flags)
{
    CGRRange range = rangeIn;
    range.ExpandRange(0, 0, GetRowCount(), GetColCount());
    if (!range.IsValid())
        return FALSE;
    HDC hdc = ::CreateCompatibleDC(nullptr);
    if (!hdc)
        return FALSE;
    ROWCOL lastRow = std::min(range.bottom, range.top + 1000);
    for (ROWCOL r = range.top; r <= lastRow; r++)
    {
        int h = 0;
        for (ROWCOL c = range.left; c <= range.right; c++)
        {
            if (IsColHidden(c))
                continue;
            CGRStyle style;
            ComposeStyleRowCol(r, c, &style);
            CString text = style.GetDisplayText();
            if (text.IsEmpty())
                continue;
            int wrap = style.GetWrapText() ? std::max(1, GetColWidthShown(c) - 6) : 0;
            h = std::max<int>(h, (int)MeasureCellText(hdc, GetStyleFont(style), text, wrap).cy + 5);
        }
        if (h > 0)
            Param()->GetData().m_rowHeights[r] = std::max(h, GetDefaultRowHeight());
    }
    ::DeleteDC(hdc);
    UpdateScrollbars();
    Redraw(flags);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Styles and values

BOOL CGRGridCore::GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, GRModifyType mt, int)
{
    const CGRStyle* p = Param()->GetData().FindCell(nRow, nCol);
    if (!p)
        return FALSE;
    style.ChangeStyle(*p, mt);
    return TRUE;
}

BOOL CGRGridCore::StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGRStyle* pStyle, GRModifyType mt, int)
{
    CGRData& d = Param()->GetData();
    if (!pStyle)
    {
        d.RemoveCell(nRow, nCol);
        return TRUE;
    }
    CGRStyle& cell = d.Cell(nRow, nCol);
    cell.ChangeStyle(*pStyle, mt);
    if (cell.IsEmpty())
        d.RemoveCell(nRow, nCol);
    return TRUE;
}

void CGRGridCore::ComposeStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGRStyle* pStyle)
{
    CGRGridParam* pParam = Param();
    CGRData& d = pParam->GetData();
    GetStyleRowCol(nRow, nCol, *pStyle, grApplyNew);
    BOOL bColHeader = nRow <= d.m_nHeaderRows;
    BOOL bRowHeader = nCol <= d.m_nHeaderCols;
    if (!bColHeader && !bRowHeader)
    {
        auto itRow = d.m_rowStyles.find(nRow);
        if (itRow != d.m_rowStyles.end())
            pStyle->ChangeStyle(itRow->second, grApplyNew);
        auto itCol = d.m_colStyles.find(nCol);
        if (itCol != d.m_colStyles.end())
            pStyle->ChangeStyle(itCol->second, grApplyNew);
    }
    if (bColHeader)
        pStyle->ChangeStyle(pParam->GetColHeaderStyle(), grApplyNew);
    else if (bRowHeader)
        pStyle->ChangeStyle(pParam->GetRowHeaderStyle(), grApplyNew);
    pStyle->ChangeStyle(pParam->GetStandardStyle(), grApplyNew);

    // Numbered headers where the parameters ask for them and nothing is set.
    if (nRow == 0 && nCol > 0 && pParam->IsNumberedColHeaders() && pStyle->GetValue().IsEmpty())
    {
        char letters[16];
        int n = 0;
        ROWCOL c = nCol;
        while (c > 0 && n < 9)
        {
            c--;
            letters[n++] = (char)('A' + c % 26);
            c /= 26;
        }
        CString s;
        while (n > 0)
            s += letters[--n];
        pStyle->SetValue(s);
    }
    else if (nCol == 0 && nRow > 0 && pParam->IsNumberedRowHeaders() && pStyle->GetValue().IsEmpty())
    {
        pStyle->SetValue((long)nRow);
    }
    if (nRow == 0 && nCol == 0 && !pStyle->GetIncludeValue())
        pStyle->SetValue("");
}

CGRStyle CGRGridCore::LookupStyleRowCol(ROWCOL nRow, ROWCOL nCol)
{
    CGRStyle style;
    ComposeStyleRowCol(nRow, nCol, &style);
    return style;
}

BOOL CGRGridCore::SetStyleRange(const CGRRange& rangeIn, const CGRStyle& style, GRModifyType mt, int nType,
                                UINT flags)
{
    CGRGridParam* pParam = Param();
    CGRData& d = pParam->GetData();
    if (!rangeIn.IsValid())
        return FALSE;
    if (rangeIn.IsTable())
    {
        pParam->GetStandardStyle().ChangeStyle(style, mt);
        Redraw(flags);
        return TRUE;
    }
    if (rangeIn.IsRows())
    {
        for (ROWCOL r = rangeIn.top; r <= std::min(rangeIn.bottom, d.m_nRows); r++)
            d.m_rowStyles[r].ChangeStyle(style, mt);
        Redraw(flags);
        return TRUE;
    }
    if (rangeIn.IsCols())
    {
        for (ROWCOL c = rangeIn.left; c <= std::min(rangeIn.right, d.m_nCols); c++)
            d.m_colStyles[c].ChangeStyle(style, mt);
        Redraw(flags);
        return TRUE;
    }
    CGRRange range = rangeIn;
    range.ExpandRange(0, 0, GetRowCount(), GetColCount());
    if (!range.IsValid())
        return FALSE;
    RecordUndo(range, nType);
    BOOL bAll = TRUE;
    BOOL bLock = pParam->IsLockReadOnly();
    for (ROWCOL r = range.top; r <= range.bottom; r++)
    {
        for (ROWCOL c = range.left; c <= range.right; c++)
        {
            if (bLock && LookupStyleRowCol(r, c).GetReadOnly())
            {
                bAll = FALSE;
                continue;
            }
            if (!StoreStyleRowCol(r, c, &style, mt, nType))
                bAll = FALSE;
            // A header that sizes itself to its text.
            if (r <= d.m_nHeaderRows && style.GetIncludeValue())
            {
                CGRStyle composed = LookupStyleRowCol(r, c);
                if (composed.GetAutoSize() && composed.GetWrapText())
                {
                    int h = GetRowHeight(r);
                    ResizeRowHeightsToFit(CGRRange(r, c), 0);
                    if (GetRowHeight(r) < h)
                        d.m_rowHeights[r] = h;
                }
            }
        }
    }
    if (m_bCurCell && range.IsCellInRange(m_nCurRow, m_nCurCol))
    {
        CGRControl* pControl = GetCurrentCellControl();
        if (pControl && pControl->IsInit() && !pControl->IsActive())
            pControl->Reset();
    }
    UpdateCellArea(range, flags);
    return bAll;
}

BOOL CGRGridCore::SetValueRange(const CGRRange& range, LPCTSTR lpszValue, GRModifyType mt, int nType, UINT flags)
{
    CGRStyle style;
    style.SetValue(lpszValue);
    return SetStyleRange(range, style, mt, nType, flags);
}

BOOL CGRGridCore::SetValueRange(const CGRRange& range, double dValue, GRModifyType mt, int nType, UINT flags)
{
    CGRStyle style;
    style.SetValue(dValue);
    return SetStyleRange(range, style, mt, nType, flags);
}

BOOL CGRGridCore::SetValueRange(const CGRRange& range, long nValue, GRModifyType mt, int nType, UINT flags)
{
    CGRStyle style;
    style.SetValue(nValue);
    return SetStyleRange(range, style, mt, nType, flags);
}

CString CGRGridCore::GetValueRowCol(ROWCOL nRow, ROWCOL nCol)
{
    CGRStyle style;
    ComposeStyleRowCol(nRow, nCol, &style);
    return style.GetValue();
}

BOOL CGRGridCore::ClearCells(const CGRRangeList& list, BOOL bStyleOrValue, UINT flags)
{
    CGRGridParam* pParam = Param();
    BOOL bLock = pParam->IsLockReadOnly();
    BOOL bAll = TRUE;
    for (const CGRRange& r0 : list.List())
    {
        CGRRange range = r0;
        range.ExpandRange(0, 0, GetRowCount(), GetColCount());
        if (!range.IsValid())
            continue;
        RecordUndo(range, grDo);
        for (ROWCOL r = range.top; r <= range.bottom; r++)
        {
            for (ROWCOL c = range.left; c <= range.right; c++)
            {
                if (bLock && LookupStyleRowCol(r, c).GetReadOnly())
                {
                    bAll = FALSE;
                    continue;
                }
                if (bStyleOrValue)
                {
                    CGRStyle empty;
                    empty.SetValue("");
                    StoreStyleRowCol(r, c, &empty, grOverride, grDo);
                }
                else
                    StoreStyleRowCol(r, c, nullptr, grCopy, grDo);
            }
        }
        UpdateCellArea(range, flags);
    }
    return bAll;
}

BOOL CGRGridCore::ClearCells(const CGRRange& range, BOOL bStyleOrValue, UINT flags)
{
    CGRRangeList list;
    list.AddTail(range);
    return ClearCells(list, bStyleOrValue, flags);
}

BOOL CGRGridCore::ChangeStandardStyle(const CGRStyle& style, GRModifyType mt, UINT flags)
{
    Param()->GetStandardStyle().ChangeStyle(style, mt);
    if (style.GetIncludeFont())
    {
        m_nAveCharWidth = m_nLineHeight = 0;
        EnsureDefaultSizes();
        UpdateScrollbars();
    }
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::ChangeColHeaderStyle(const CGRStyle& style, GRModifyType mt, UINT flags)
{
    Param()->GetColHeaderStyle().ChangeStyle(style, mt);
    Redraw(flags);
    return TRUE;
}

BOOL CGRGridCore::ChangeRowHeaderStyle(const CGRStyle& style, GRModifyType mt, UINT flags)
{
    Param()->GetRowHeaderStyle().ChangeStyle(style, mt);
    Redraw(flags);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Undo

void CGRGridCore::RecordUndo(const CGRRange& range, int nType)
{
    CGRGridParam* pParam = Param();
    if (nType != grDo || !pParam->IsEnableUndo() || !range.IsCells())
        return;
    unsigned long long n = (unsigned long long)range.GetWidth() * range.GetHeight();
    if (n > 10000)
        return;
    CGRUndoEntry entry;
    for (ROWCOL r = range.top; r <= range.bottom; r++)
        for (ROWCOL c = range.left; c <= range.right; c++)
        {
            CGRUndoEntry::Cell cell{ r, c, FALSE, CGRStyle() };
            cell.bHadStyle = GetStyleRowCol(r, c, cell.style, grCopy);
            entry.cells.push_back(std::move(cell));
        }
    pParam->GetUndoList().Push(std::move(entry));
    pParam->GetUndoList().Limit(100);
    pParam->GetRedoList().RemoveAll();
}

BOOL CGRGridCore::CanUndo()
{
    return !Param()->GetUndoList().IsEmpty();
}

BOOL CGRGridCore::CanRedo()
{
    return !Param()->GetRedoList().IsEmpty();
}

namespace {
// Restores the cells of an entry and returns the entry that undoes that.
CGRUndoEntry ApplyUndoEntry(CGRGridCore* pGrid, CGRUndoEntry& entry, int nType)
{
    CGRUndoEntry reverse;
    for (auto& cell : entry.cells)
    {
        CGRUndoEntry::Cell now{ cell.nRow, cell.nCol, FALSE, CGRStyle() };
        now.bHadStyle = pGrid->GetStyleRowCol(cell.nRow, cell.nCol, now.style, grCopy);
        reverse.cells.push_back(std::move(now));
        pGrid->StoreStyleRowCol(cell.nRow, cell.nCol, cell.bHadStyle ? &cell.style : nullptr, grCopy, nType);
        pGrid->RedrawRowCol(cell.nRow, cell.nCol);
    }
    return reverse;
}
} // namespace

BOOL CGRGridCore::Undo()
{
    CGRGridParam* pParam = Param();
    if (!TransferCurrentCell(FALSE))
        return FALSE;
    if (pParam->GetUndoList().IsEmpty())
        return FALSE;
    CGRUndoEntry entry = pParam->GetUndoList().Pop();
    pParam->GetRedoList().Push(ApplyUndoEntry(this, entry, grUndo));
    return TRUE;
}

BOOL CGRGridCore::Redo()
{
    CGRGridParam* pParam = Param();
    if (!TransferCurrentCell(FALSE))
        return FALSE;
    if (pParam->GetRedoList().IsEmpty())
        return FALSE;
    CGRUndoEntry entry = pParam->GetRedoList().Pop();
    pParam->GetUndoList().Push(ApplyUndoEntry(this, entry, grRedo));
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Sorting

void CGRGridCore::SortRows(CGRRange sortRange, CGRSortInfoArray& sortInfo, UINT flags)
{
    if (!TransferCurrentCell())
        return;
    ROWCOL nRows = GetRowCount();
    ROWCOL first = std::max<ROWCOL>(Param()->GetData().m_nHeaderRows + 1, 1);
    sortRange.ExpandRange(first, 0, nRows, GetColCount());
    if (!sortRange.IsValid() || sortInfo.GetSize() == 0)
        return;
    struct Key
    {
        ROWCOL row;
        std::vector<CString> values;
    };
    std::vector<Key> keys;
    for (ROWCOL r = sortRange.top; r <= sortRange.bottom; r++)
    {
        Key k{ r, {} };
        for (INT_PTR i = 0; i < sortInfo.GetSize(); i++)
            k.values.push_back(GetValueRowCol(r, sortInfo[i].nRC));
        keys.push_back(std::move(k));
    }
    auto compare = [&](const Key& a, const Key& b) {
        for (INT_PTR i = 0; i < sortInfo.GetSize(); i++)
        {
            const CString& va = a.values[(size_t)i];
            const CString& vb = b.values[(size_t)i];
            int cmp = 0;
            int type = sortInfo[i].sortType;
            char* ea = nullptr;
            char* eb = nullptr;
            double da = strtod(va, &ea), db = strtod(vb, &eb);
            bool na = !va.IsEmpty() && ea && *ea == 0, nb = !vb.IsEmpty() && eb && *eb == 0;
            if (type == GR_SORT_NUMERIC || (type == GR_SORT_AUTO && na && nb))
                cmp = da < db ? -1 : (da > db ? 1 : 0);
            else if (type == GR_SORT_CASE)
                cmp = va.Compare(vb);
            else
                cmp = va.CompareNoCase(vb);
            if (cmp != 0)
                return sortInfo[i].bAscending ? cmp < 0 : cmp > 0;
        }
        return false;
    };
    std::stable_sort(keys.begin(), keys.end(), compare);
    std::vector<ROWCOL> order;
    for (const Key& k : keys)
        order.push_back(k.row);
    Param()->GetData().PermuteRows(sortRange.top, order);
    if (sortInfo.GetSize() > 0)
        Param()->SetLastSort(sortInfo[0].nRC, sortInfo[0].bAscending);
    Param()->GetUndoList().RemoveAll();
    Param()->GetRedoList().RemoveAll();
    Redraw(flags);
}

/////////////////////////////////////////////////////////////////////////////
// Updating the window

BOOL CGRGridCore::LockUpdate(BOOL bLock)
{
    BOOL bOld = m_bLockUpdate;
    m_bLockUpdate = bLock;
    if (!bLock && m_bScrollbarsWaiting)
        UpdateScrollbars();
    return bOld;
}

void CGRGridCore::Redraw(UINT flags, BOOL)
{
    HWND hWnd = GetGridHwnd();
    if (!hWnd || m_bLockUpdate || !flags)
        return;
    ::InvalidateRect(hWnd, nullptr, FALSE);
    if (flags & GR_UPDATENOW)
        ::UpdateWindow(hWnd);
}

void CGRGridCore::RedrawRowCol(ROWCOL nRow, ROWCOL nCol, UINT flags)
{
    RedrawRowCol(CGRRange(nRow, nCol), flags);
}

void CGRGridCore::RedrawRowCol(const CGRRange& range, UINT flags)
{
    UpdateCellArea(range, flags ? flags : GR_INVALIDATE);
}

void CGRGridCore::UpdateCellArea(const CGRRange& rangeIn, UINT flags)
{
    HWND hWnd = GetGridHwnd();
    if (!hWnd || m_bLockUpdate || !flags)
        return;
    CGRRange range = rangeIn;
    range.ExpandRange(0, 0, GetRowCount(), GetColCount());
    if (!range.IsValid())
        return;
    // The union of the cells' rectangles that are in view (clipped to it).
    CRect rcGrid = GetGridRect();
    ROWCOL lastRow = std::min(range.bottom, GetLastVisibleRow());
    ROWCOL lastCol = std::min(range.right, GetLastVisibleCol());
    CRect rcUnion(0, 0, 0, 0);
    BOOL bAny = FALSE;
    auto addCell = [&](ROWCOL r, ROWCOL c) {
        CRect rc = CalcRectFromRowCol(r, c);
        if (rc.IsRectEmpty())
            return;
        if (!bAny)
            rcUnion = rc;
        else
            rcUnion.UnionRect(rcUnion, rc);
        bAny = TRUE;
    };
    // Corners of the part in view decide the union.
    std::vector<ROWCOL> rows, cols;
    for (ROWCOL r = range.top; r <= std::min(range.bottom, GetFrozenRows()); r++)
        rows.push_back(r);
    ROWCOL firstScrollRow = std::max(range.top, std::max(m_nTopRow, FirstScrollRow()));
    if (firstScrollRow <= lastRow)
    {
        rows.push_back(firstScrollRow);
        rows.push_back(lastRow);
    }
    for (ROWCOL c = range.left; c <= std::min(range.right, GetFrozenCols()); c++)
        cols.push_back(c);
    ROWCOL firstScrollCol = std::max(range.left, std::max(m_nLeftCol, FirstScrollCol()));
    if (firstScrollCol <= lastCol)
    {
        cols.push_back(firstScrollCol);
        cols.push_back(lastCol);
    }
    for (ROWCOL r : rows)
        for (ROWCOL c : cols)
            addCell(r, c);
    if (!bAny)
        return;
    rcUnion.InflateRect(1, 1);
    rcUnion.IntersectRect(rcUnion, rcGrid);
    ::InvalidateRect(hWnd, &rcUnion, FALSE);
    if (flags & GR_UPDATENOW)
        ::UpdateWindow(hWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Layout

int CGRGridCore::FrozenExtent(BOOL bRows)
{
    int total = 0;
    ROWCOL nFrozen = bRows ? std::min(GetFrozenRows(), GetRowCount()) : std::min(GetFrozenCols(), GetColCount());
    for (ROWCOL n = 0; n <= nFrozen; n++)
        total += bRows ? GetRowHeightShown(n) : GetColWidthShown(n);
    return total;
}

int CGRGridCore::FrozenHeight()
{
    return FrozenExtent(TRUE);
}

int CGRGridCore::FrozenWidth()
{
    return FrozenExtent(FALSE);
}

void CGRGridCore::ForEachLineInView(BOOL bRows, const std::function<bool(ROWCOL, int, int)>& f)
{
    CRect rc = GetGridRect();
    int pos = bRows ? rc.top : rc.left;
    int end = bRows ? rc.bottom : rc.right;
    ROWCOL count = bRows ? GetRowCount() : GetColCount();
    ROWCOL frozen = std::min(bRows ? GetFrozenRows() : GetFrozenCols(), count);
    for (ROWCOL n = 0; n <= frozen && pos < end; n++)
    {
        int size = LineSize(bRows, n);
        if (size > 0 && !f(n, pos, pos + size))
            return;
        pos += size;
    }
    ROWCOL first = bRows ? std::max(m_nTopRow, FirstScrollRow()) : std::max(m_nLeftCol, FirstScrollCol());
    for (ROWCOL n = first; pos < end; n++)
    {
        if (n > count)
        {
            // Rows of a data source are counted as they come into view.
            if (bRows)
            {
                OnTestGridDimension(n, 0);
                count = GetRowCount();
            }
            if (n > count)
                break;
        }
        int size = LineSize(bRows, n);
        if (size > 0 && !f(n, pos, pos + size))
            return;
        pos += size;
    }
}

ROWCOL CGRGridCore::LastVisibleLine(BOOL bRows)
{
    ROWCOL last = 0;
    ForEachLineInView(bRows, [&](ROWCOL n, int, int) {
        last = n;
        return true;
    });
    return last;
}

ROWCOL CGRGridCore::GetLastVisibleRow()
{
    return LastVisibleLine(TRUE);
}

ROWCOL CGRGridCore::GetLastVisibleCol()
{
    return LastVisibleLine(FALSE);
}

CRect CGRGridCore::CalcRectFromRowCol(ROWCOL nRow, ROWCOL nCol)
{
    if (nRow > GetRowCount() || nCol > GetColCount())
        return CRect(0, 0, 0, 0);
    int span[2][2] = { { 0, 0 }, { 0, 0 } };
    for (int axis = 0; axis < 2; axis++)
    {
        BOOL bRows = axis == 0;
        ROWCOL target = bRows ? nRow : nCol;
        ROWCOL frozen = bRows ? GetFrozenRows() : GetFrozenCols();
        ROWCOL first = bRows ? m_nTopRow : m_nLeftCol;
        if (target > frozen && target < first)
            return CRect(0, 0, 0, 0);
        BOOL bFound = FALSE;
        ForEachLineInView(bRows, [&](ROWCOL n, int from, int to) {
            if (n != target)
                return !(n > target && n > frozen);
            span[axis][0] = from;
            span[axis][1] = to;
            bFound = TRUE;
            return false;
        });
        if (!bFound)
            return CRect(0, 0, 0, 0);
    }
    return CRect(span[1][0], span[0][0], span[1][1], span[0][1]);
}

BOOL CGRGridCore::CalcRowColFromPoint(CPoint pt, ROWCOL* pRow, ROWCOL* pCol)
{
    CRect rcGrid = GetGridRect();
    if (!rcGrid.PtInRect(pt))
        return FALSE;
    ROWCOL found[2] = { GR_INVALID, GR_INVALID };
    for (int axis = 0; axis < 2; axis++)
    {
        int pos = axis == 0 ? pt.y : pt.x;
        ForEachLineInView(axis == 0, [&](ROWCOL n, int from, int to) {
            if (pos >= from && pos < to)
            {
                found[axis] = n;
                return false;
            }
            return true;
        });
        if (found[axis] == GR_INVALID)
            return FALSE;
    }
    if (pRow)
        *pRow = found[0];
    if (pCol)
        *pCol = found[1];
    return TRUE;
}

int CGRGridCore::HitTest(CPoint pt, ROWCOL* pRow, ROWCOL* pCol, CRect* pRectHit)
{
    ROWCOL row, col;
    CGRData& d = Param()->GetData();
    // Borders of column headers and row headers first (resizing).
    CRect rcGrid = GetGridRect();
    if (pt.y >= rcGrid.top && CalcRowColFromPoint(pt, &row, &col))
    {
        CRect rc = CalcRectFromRowCol(row, col);
        if (row <= d.m_nHeaderRows)
        {
            // Near the right border of this column, or the left border of it
            // (then the previous shown column is resized).
            if (pt.x >= rc.right - 3)
            {
                if (pRow) *pRow = row;
                if (pCol) *pCol = col;
                if (pRectHit) *pRectHit = rc;
                return GR_HT_VERTLINE;
            }
            if (pt.x < rc.left + 3 && col > 0)
            {
                ROWCOL prev = col - 1;
                while (prev > 0 && GetColWidthShown(prev) == 0)
                    prev--;
                CRect rcPrev = CalcRectFromRowCol(row, prev);
                if (!rcPrev.IsRectEmpty())
                {
                    if (pRow) *pRow = row;
                    if (pCol) *pCol = prev;
                    if (pRectHit) *pRectHit = rcPrev;
                    return GR_HT_VERTLINE;
                }
            }
        }
        if (col <= d.m_nHeaderCols && row > d.m_nHeaderRows && pt.y >= rc.bottom - 3)
        {
            if (pRow) *pRow = row;
            if (pCol) *pCol = col;
            if (pRectHit) *pRectHit = rc;
            return GR_HT_HORZLINE;
        }
        if (pRow) *pRow = row;
        if (pCol) *pCol = col;
        if (pRectHit) *pRectHit = rc;
        if (row <= d.m_nHeaderRows || col <= d.m_nHeaderCols)
            return GR_HT_HEADER;
        // The fill handle at the bottom-right of the selection (or current cell).
        if (Param()->GetExcelLikeFillFlags() & GR_FILL_COPY)
        {
            CGRRange rg = GetFillSource();
            if (rg.IsValid() && row == rg.bottom && col == rg.right && pt.x >= rc.right - 5 &&
                pt.y >= rc.bottom - 5)
                return GR_HT_FILLHANDLE;
        }
        return GR_HT_CELL;
    }
    return GR_HT_NOHIT;
}

CGRRange CGRGridCore::GetFillSource()
{
    CGRRange rg;
    CGRRangeList* pSel = Param()->GetRangeList();
    if (!pSel->IsEmpty())
        rg = pSel->GetTail();
    else if (m_bCurCell)
        rg.SetCells(m_nCurRow, m_nCurCol);
    else
        rg.SetNull();
    rg.ExpandRange(1, 1, GetRowCount(), GetColCount());
    return rg;
}

BOOL CGRGridCore::SetTopRow(ROWCOL nRow, UINT flags)
{
    ROWCOL first = FirstScrollRow();
    if (nRow < first)
        nRow = first;
    OnTestGridDimension(nRow, 0);
    ROWCOL nRows = GetRowCount();
    if (nRow > std::max(nRows, first))
        nRow = std::max(nRows, first);
    if (nRow == m_nTopRow)
        return TRUE;
    int dy = 0;
    HWND hWnd = GetGridHwnd();
    // Scroll the window's bits when the move is small; repaint otherwise.
    if (hWnd && !m_bLockUpdate && flags && std::max(nRow, m_nTopRow) - std::min(nRow, m_nTopRow) < 50)
    {
        if (nRow > m_nTopRow)
            for (ROWCOL r = m_nTopRow; r < nRow; r++)
                dy -= GetRowHeightShown(r);
        else
            for (ROWCOL r = nRow; r < m_nTopRow; r++)
                dy += GetRowHeightShown(r);
    }
    m_nTopRow = nRow;
    UpdateScrollbars();
    if (hWnd && !m_bLockUpdate && flags)
    {
        CRect rc = GetGridRect();
        rc.top += FrozenHeight();
        if (dy != 0 && std::abs(dy) < rc.Height() && !IsActiveCurrentCell())
            ::ScrollWindowEx(hWnd, 0, dy, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
        else
            ::InvalidateRect(hWnd, nullptr, FALSE);
        // Row headers of frozen columns and the marks move with the rows.
        if (flags & GR_UPDATENOW)
            ::UpdateWindow(hWnd);
    }
    CGRControl* pControl = GetCurrentCellControl();
    if (pControl && pControl->IsActive())
        pControl->SetActive(TRUE);
    return TRUE;
}

BOOL CGRGridCore::SetLeftCol(ROWCOL nCol, UINT flags)
{
    ROWCOL first = FirstScrollCol();
    if (nCol < first)
        nCol = first;
    ROWCOL nCols = GetColCount();
    if (nCol > std::max(nCols, first))
        nCol = std::max(nCols, first);
    if (nCol == m_nLeftCol)
        return TRUE;
    m_nLeftCol = nCol;
    UpdateScrollbars();
    Redraw(flags ? flags : GR_INVALIDATE);
    CGRControl* pControl = GetCurrentCellControl();
    if (pControl && pControl->IsActive())
        pControl->SetActive(TRUE);
    return TRUE;
}

BOOL CGRGridCore::IsCellVisible(ROWCOL nRow, ROWCOL nCol)
{
    CRect rc = CalcRectFromRowCol(nRow, nCol);
    if (rc.IsRectEmpty())
        return FALSE;
    CRect rcGrid = GetGridRect();
    return rc.bottom <= rcGrid.bottom && rc.right <= rcGrid.right;
}

int CGRGridCore::LineSize(BOOL bRows, ROWCOL n)
{
    return bRows ? GetRowHeightShown(n) : GetColWidthShown(n);
}

ROWCOL CGRGridCore::FirstLineFitting(BOOL bRows, ROWCOL nLast)
{
    CRect rc = GetGridRect();
    int avail = std::max(1, bRows ? rc.Height() - FrozenHeight() : rc.Width() - FrozenWidth());
    ROWCOL first = bRows ? FirstScrollRow() : FirstScrollCol();
    ROWCOL top = std::max(nLast, first);
    int sum = LineSize(bRows, top);
    while (top > first && sum + LineSize(bRows, top - 1) <= avail)
    {
        top--;
        sum += LineSize(bRows, top);
    }
    return top;
}

BOOL CGRGridCore::ScrollCellInView(ROWCOL nRow, ROWCOL nCol, UINT flags)
{
    CRect rcGrid = GetGridRect();
    if (rcGrid.IsRectEmpty())
        return FALSE;
    for (BOOL bRows : { TRUE, FALSE })
    {
        ROWCOL n = bRows ? nRow : nCol;
        ROWCOL first = bRows ? m_nTopRow : m_nLeftCol;
        if (n <= (bRows ? GetFrozenRows() : GetFrozenCols()) || n > (bRows ? GetRowCount() : GetColCount()))
            continue;
        ROWCOL target = first;
        if (n < first)
            target = n;
        else
        {
            int avail = bRows ? rcGrid.Height() - FrozenHeight() : rcGrid.Width() - FrozenWidth();
            int extent = 0;
            for (ROWCOL k = first; k <= n && extent <= avail; k++)
                extent += LineSize(bRows, k);
            if (extent > avail)
                target = FirstLineFitting(bRows, n);
        }
        if (target != first)
        {
            if (bRows)
                SetTopRow(target, flags);
            else
                SetLeftCol(target, flags);
        }
    }
    return TRUE;
}

namespace {

// Sets a scroll bar's range, page and position unless it has them already:
// setting them costs the window a recalculation of its frame and a repaint,
// which grids that change their row count often (the side grids) feel.
void SetScrollInfoIfChanged(HWND hWnd, int nBar, const SCROLLINFO& si)
{
    SCROLLINFO old = { sizeof(old) };
    old.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (::GetScrollInfo(hWnd, nBar, &old) && old.nMin == si.nMin && old.nMax == si.nMax && old.nPage == si.nPage &&
        old.nPos == si.nPos)
        return;
    ::SetScrollInfo(hWnd, nBar, const_cast<SCROLLINFO*>(&si), TRUE);
}

} // namespace

void CGRGridCore::UpdateScrollbars()
{
    HWND hWnd = GetGridHwnd();
    if (!hWnd || !m_pParam)
        return;
    // A long change under a lock (a paste of many rows) sets them once, at
    // its end, instead of after every row it stores.
    m_bScrollbarsWaiting = m_bLockUpdate;
    if (m_bLockUpdate)
        return;
    CRect rc = GetGridRect();
    // Vertical: positions are scrollable rows counted from the first one.
    ROWCOL first = FirstScrollRow();
    ROWCOL nRows = GetRowCount();
    SCROLLINFO si = { sizeof(si) };
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (m_nScrollModeV == 1)
        si.fMask |= SIF_DISABLENOSCROLL;
    int avail = rc.Height() - FrozenHeight();
    int page = 0;
    {
        int h = 0;
        for (ROWCOL r = std::max(m_nTopRow, first); r <= nRows && h < avail; r++)
        {
            int rh = GetRowHeightShown(r);
            if (h + rh > avail)
                break;
            h += rh;
            page++;
        }
    }
    si.nMin = 0;
    si.nMax = nRows >= first ? (int)std::min<ROWCOL>(nRows - first, 0x7FFFFFF0) : 0;
    si.nPage = (UINT)std::max(1, page);
    si.nPos = (int)(m_nTopRow >= first ? m_nTopRow - first : 0);
    if (m_nScrollModeV == 2)
        ::ShowScrollBar(hWnd, SB_VERT, FALSE);
    else
    {
        if (nRows < first || (m_nTopRow <= first && (ROWCOL)page > nRows - first))
        {
            si.nMax = 0;
            si.nPage = 1;
        }
        SetScrollInfoIfChanged(hWnd, SB_VERT, si);
    }
    // Horizontal.
    ROWCOL firstCol = FirstScrollCol();
    ROWCOL nCols = GetColCount();
    int availW = rc.Width() - FrozenWidth();
    int pageCols = 0;
    int totalW = 0;
    for (ROWCOL c = firstCol; c <= nCols; c++)
        totalW += GetColWidthShown(c);
    {
        int w = 0;
        for (ROWCOL c = std::max(m_nLeftCol, firstCol); c <= nCols; c++)
        {
            int cw = GetColWidthShown(c);
            if (w + cw > availW)
                break;
            w += cw;
            pageCols++;
        }
    }
    SCROLLINFO sh = { sizeof(sh) };
    sh.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (m_nScrollModeH == 1)
        sh.fMask |= SIF_DISABLENOSCROLL;
    sh.nMin = 0;
    sh.nMax = nCols >= firstCol ? (int)(nCols - firstCol) : 0;
    sh.nPage = (UINT)std::max(1, pageCols);
    sh.nPos = (int)(m_nLeftCol >= firstCol ? m_nLeftCol - firstCol : 0);
    if (m_nScrollModeH == 2)
        ::ShowScrollBar(hWnd, SB_HORZ, FALSE);
    else
    {
        if (totalW <= availW && m_nLeftCol <= firstCol)
        {
            sh.nMax = 0;
            sh.nPage = 1;
        }
        SetScrollInfoIfChanged(hWnd, SB_HORZ, sh);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Current cell

BOOL CGRGridCore::GetCurrentCell(ROWCOL& nRow, ROWCOL& nCol) const
{
    if (!m_bCurCell)
        return FALSE;
    nRow = m_nCurRow;
    nCol = m_nCurCol;
    return TRUE;
}

BOOL CGRGridCore::GetCurrentCell(ROWCOL* pRow, ROWCOL* pCol) const
{
    if (!m_bCurCell)
        return FALSE;
    if (pRow)
        *pRow = m_nCurRow;
    if (pCol)
        *pCol = m_nCurCol;
    return TRUE;
}

BOOL CGRGridCore::IsCurrentCell(ROWCOL nRow, ROWCOL nCol) const
{
    return m_bCurCell && m_nCurRow == nRow && m_nCurCol == nCol;
}

BOOL CGRGridCore::CanSelectCurrentCell(BOOL, ROWCOL nRow, ROWCOL nCol, ROWCOL, ROWCOL)
{
    if (IsRowHidden(nRow) || IsColHidden(nCol))
        return FALSE;
    return LookupStyleRowCol(nRow, nCol).GetEnabled();
}

void CGRGridCore::SetCurrentCellDirect(ROWCOL nRow, ROWCOL nCol)
{
    CGRData& d = Param()->GetData();
    BOOL bMark = Param()->GetMarkRowHeader() || Param()->GetMarkColHeader();
    if (m_bCurCell)
    {
        RedrawRowCol(m_nCurRow, m_nCurCol);
        if (bMark)
        {
            RedrawRowCol(CGRRange(m_nCurRow, 0, m_nCurRow, d.m_nHeaderCols));
            RedrawRowCol(CGRRange(0, m_nCurCol, d.m_nHeaderRows, m_nCurCol));
        }
        CGRControl* pOld = GetCurrentCellControl();
        if (pOld)
        {
            if (pOld->IsActive())
                pOld->SetActive(FALSE);
            pOld->Detach();
        }
    }
    m_nCurRow = nRow;
    m_nCurCol = nCol;
    m_bCurCell = TRUE;
    RedrawRowCol(nRow, nCol);
    if (bMark)
    {
        RedrawRowCol(CGRRange(nRow, 0, nRow, d.m_nHeaderCols));
        RedrawRowCol(CGRRange(0, nCol, d.m_nHeaderRows, nCol));
    }
}

BOOL CGRGridCore::SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags)
{
    if (nRow == GR_INVALID || nCol == GR_INVALID)
        return FALSE;
    CGRData& d = Param()->GetData();
    if (nRow <= d.m_nHeaderRows || nCol <= d.m_nHeaderCols)
        return FALSE;
    OnTestGridDimension(nRow, nCol);
    if (nRow > GetRowCount() || nCol > GetColCount())
        return FALSE;
    if (IsCurrentCell(nRow, nCol))
    {
        if (flags & GR_SCROLLINVIEW)
            ScrollCellInView(nRow, nCol, flags);
        return TRUE;
    }
    if (m_bInSetCurrentCell)
        return FALSE;
    m_bInSetCurrentCell = TRUE;
    ROWCOL oldRow = m_bCurCell ? m_nCurRow : GR_INVALID;
    ROWCOL oldCol = m_bCurCell ? m_nCurCol : GR_INVALID;
    BOOL bOk = CanSelectCurrentCell(TRUE, nRow, nCol, oldRow, oldCol);
    if (bOk && m_bCurCell)
    {
        bOk = TransferCurrentCell(TRUE, flags);
        if (bOk)
            bOk = OnLeftCell(oldRow, oldCol, nRow, nCol);
    }
    if (!bOk)
    {
        m_bInSetCurrentCell = FALSE;
        return FALSE;
    }
    SetCurrentCellDirect(nRow, nCol);
    if (flags & GR_SCROLLINVIEW)
        ScrollCellInView(nRow, nCol, flags);
    m_bInSetCurrentCell = FALSE;
    OnMovedCurrentCell(nRow, nCol);
    if ((Param()->GetActivateCellFlags() & GR_ACTIVATE_ALWAYS) && IsCurrentCell(nRow, nCol))
        ActivateCurrentCell();
    UpdateRecordInfoWnd();
    if (!(flags & GR_NOSETFOCUS) && IsActiveCurrentCell())
    {
        CGRControl* pControl = GetCurrentCellControl();
        if (pControl)
            pControl->SetControlFocus();
    }
    return TRUE;
}

void CGRGridCore::ResetCurrentCell(BOOL bStoreEdit)
{
    if (!m_bCurCell)
        return;
    if (bStoreEdit)
        TransferCurrentCell(TRUE);
    CGRControl* pControl = GetCurrentCellControl();
    if (pControl)
    {
        if (pControl->IsActive())
            pControl->SetActive(FALSE);
        pControl->Detach();
    }
    RedrawRowCol(m_nCurRow, m_nCurCol);
    m_bCurCell = FALSE;
    m_nCurRow = m_nCurCol = 0;
}

BOOL CGRGridCore::FindNextCell(int direction, ROWCOL& nRow, ROWCOL& nCol)
{
    CGRData& d = Param()->GetData();
    ROWCOL firstRow = d.m_nHeaderRows + 1, firstCol = d.m_nHeaderCols + 1;
    auto ok = [&](ROWCOL r, ROWCOL c) {
        return r >= firstRow && c >= firstCol && !IsRowHidden(r) && !IsColHidden(c) &&
               CanSelectCurrentCell(FALSE, r, c, m_nCurRow, m_nCurCol);
    };
    switch (direction)
    {
    case GR_DOWN:
    case GR_PAGEDOWN:
        for (ROWCOL r = std::max(nRow, firstRow);; r++)
        {
            if (r > GetRowCount())
            {
                OnTestGridDimension(r, 0);
                if (r > GetRowCount())
                    return FALSE;
            }
            if (ok(r, nCol)) { nRow = r; return TRUE; }
        }
    case GR_UP:
    case GR_PAGEUP:
        if (nRow > GetRowCount())
            nRow = GetRowCount();
        for (ROWCOL r = nRow; r >= firstRow && r != GR_INVALID; r--)
            if (ok(r, nCol)) { nRow = r; return TRUE; }
        return FALSE;
    case GR_RIGHT:
        for (ROWCOL c = std::max(nCol, firstCol); c <= GetColCount(); c++)
            if (ok(nRow, c)) { nCol = c; return TRUE; }
        return FALSE;
    case GR_LEFT:
        if (nCol > GetColCount())
            nCol = GetColCount();
        for (ROWCOL c = nCol; c >= firstCol && c != GR_INVALID; c--)
            if (ok(nRow, c)) { nCol = c; return TRUE; }
        return FALSE;
    case GR_TOP:
        nRow = firstRow;
        return FindNextCell(GR_DOWN, nRow, nCol);
    case GR_BOTTOM:
        OnTestGridDimension(GR_MAXROWCOL, 0);
        nRow = GetRowCount();
        return FindNextCell(GR_UP, nRow, nCol);
    case GR_MOSTLEFT:
        nCol = firstCol;
        return FindNextCell(GR_RIGHT, nRow, nCol);
    case GR_MOSTRIGHT:
        nCol = GetColCount();
        return FindNextCell(GR_LEFT, nRow, nCol);
    case GR_TOPLEFT:
        nRow = firstRow;
        return FindCellInRows(TRUE, nRow, nCol);
    case GR_BOTTOMRIGHT:
        OnTestGridDimension(GR_MAXROWCOL, 0);
        nRow = GetRowCount();
        return FindCellInRows(FALSE, nRow, nCol);
    }
    return FALSE;
}

// A row is searched as a whole: whichever of its columns are hidden, its
// first (or last) cell that can be current is found.
BOOL CGRGridCore::FindCellInRows(BOOL bForward, ROWCOL& nRow, ROWCOL& nCol)
{
    CGRData& d = Param()->GetData();
    ROWCOL firstRow = d.m_nHeaderRows + 1, firstCol = d.m_nHeaderCols + 1;
    if (bForward)
    {
        for (ROWCOL r = std::max(nRow, firstRow);; r++)
        {
            if (r > GetRowCount())
            {
                OnTestGridDimension(r, 0);
                if (r > GetRowCount())
                    return FALSE;
            }
            ROWCOL c = firstCol;
            if (!IsRowHidden(r) && FindNextCell(GR_RIGHT, r, c))
            {
                nRow = r;
                nCol = c;
                return TRUE;
            }
        }
    }
    if (nRow > GetRowCount())
        nRow = GetRowCount();
    for (ROWCOL r = nRow; r >= firstRow && r != GR_INVALID; r--)
    {
        ROWCOL c = GetColCount();
        if (!IsRowHidden(r) && FindNextCell(GR_LEFT, r, c))
        {
            nRow = r;
            nCol = c;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CGRGridCore::MoveCurrentCell(int direction, UINT nCell, BOOL bCanSelectRange)
{
    CGRData& d = Param()->GetData();
    ROWCOL firstRow = d.m_nHeaderRows + 1, firstCol = d.m_nHeaderCols + 1;
    ROWCOL row = m_bCurCell ? m_nCurRow : firstRow;
    ROWCOL col = m_bCurCell ? m_nCurCol : firstCol;
    if (nCell == 0)
        nCell = 1;
    BOOL bShift = bCanSelectRange && (::GetKeyState(VK_SHIFT) < 0) &&
                  (Param()->GetEnableSelection() & GR_SELKEYBOARD);
    ROWCOL oldRow = row, oldCol = col;
    BOOL bFound = FALSE;
    switch (direction)
    {
    case GR_DOWN:
    case GR_UP:
    case GR_RIGHT:
    case GR_LEFT:
    {
        // One step at a time over hidden and disabled cells.
        BOOL bRows = direction == GR_DOWN || direction == GR_UP;
        BOOL bBack = direction == GR_UP || direction == GR_LEFT;
        ROWCOL& line = bRows ? row : col;
        ROWCOL firstLine = bRows ? firstRow : firstCol;
        for (UINT i = 0; i < nCell && !(bBack && line <= firstLine); i++)
        {
            ROWCOL r = row, c = col;
            (bRows ? r : c) = bBack ? line - 1 : line + 1;
            if (!FindNextCell(direction, r, c))
                break;
            row = r;
            col = c;
            bFound = TRUE;
        }
        break;
    }
    case GR_PAGEDOWN:
    case GR_PAGEUP:
    {
        CRect rc = GetGridRect();
        int avail = std::max(1, rc.Height() - FrozenHeight());
        int h = 0;
        ROWCOL r = row;
        while (true)
        {
            ROWCOL next = direction == GR_PAGEDOWN ? r + 1 : r - 1;
            if (direction == GR_PAGEUP && r <= firstRow)
                break;
            if (!FindNextCell(direction, next, col))
                break;
            h += GetRowHeightShown(next);
            if (h > avail && r != row)
                break;
            r = next;
        }
        bFound = r != row;
        if (bFound)
        {
            // The view moves by the same page.
            ROWCOL top = m_nTopRow;
            if (direction == GR_PAGEDOWN)
                top = m_nTopRow + (r - row);
            else
                top = m_nTopRow > (row - r) ? m_nTopRow - (row - r) : FirstScrollRow();
            LockUpdate(LockUpdate(TRUE));
            SetTopRow(top, GR_INVALIDATE);
            row = r;
        }
        break;
    }
    default:
        bFound = FindNextCell(direction, row, col);
        break;
    }
    if (!bFound || (row == oldRow && col == oldCol && m_bCurCell))
        return FALSE;
    if (bShift)
    {
        if (!m_bCurCell)
            return SetCurrentCell(row, col);
        if (Param()->GetRangeList()->IsEmpty() || !m_bSelectionAdded)
        {
            m_nAnchorRow = m_nCurRow;
            m_nAnchorCol = m_nCurCol;
        }
        m_bExtendingSelection = TRUE;
        BOOL bMoved = SetCurrentCell(row, col, GR_SCROLLINVIEW | GR_UPDATENOW | GR_NOSELCHANGE);
        m_bExtendingSelection = FALSE;
        if (!bMoved)
            return FALSE;
        ExtendSelectionTo(row, col);
        return TRUE;
    }
    if (!SetCurrentCell(row, col))
        return FALSE;
    if (!Param()->GetRangeList()->IsEmpty())
        SetSelection(nullptr);
    return TRUE;
}

BOOL CGRGridCore::IsCellEditable(ROWCOL nRow, ROWCOL nCol)
{
    CGRStyle style = LookupStyleRowCol(nRow, nCol);
    return !style.GetReadOnly() && style.GetEnabled();
}

/////////////////////////////////////////////////////////////////////////////
// Controls and editing

void CGRGridCore::RegisterControl(WORD nID, CGRControl* pControl)
{
    if (!pControl)
    {
        m_controls.erase(nID);
        return;
    }
    pControl->SetGrid(this);
    m_controls[nID].reset(pControl);
}

CGRControl* CGRGridCore::GetRegisteredControl(WORD nID)
{
    auto it = m_controls.find(nID);
    return it == m_controls.end() ? nullptr : it->second.get();
}

CGRControl* CGRGridCore::GetControl(ROWCOL nRow, ROWCOL nCol)
{
    if (m_controls.empty())
        OnGridInitialUpdate();
    CGRStyle style = LookupStyleRowCol(nRow, nCol);
    CGRControl* p = GetRegisteredControl(style.GetControl());
    return p ? p : GetRegisteredControl(GR_IDS_CTRL_EDIT);
}

CGRControl* CGRGridCore::GetCurrentCellControl()
{
    if (!m_bCurCell)
        return nullptr;
    return GetControl(m_nCurRow, m_nCurCol);
}

BOOL CGRGridCore::IsActiveCurrentCell()
{
    CGRControl* p = GetCurrentCellControl();
    return p && p->IsActive() && p->IsInit(m_nCurRow, m_nCurCol);
}

BOOL CGRGridCore::IsCurrentCellModified()
{
    CGRControl* p = GetCurrentCellControl();
    return p && p->IsActive() && p->GetModify();
}

BOOL CGRGridCore::ActivateCurrentCell(UINT nFirstChar)
{
    m_bClickActivated = FALSE;
    if (!m_bCurCell)
        return FALSE;
    ROWCOL row = m_nCurRow, col = m_nCurCol;
    CGRControl* pControl = GetControl(row, col);
    if (!pControl || !pControl->CanActivate())
        return FALSE;
    if (!pControl->IsActive() || !pControl->IsInit(row, col))
    {
        if (!IsCellEditable(row, col))
            return FALSE;
        pControl->Init(row, col);
        if (!OnStartEditing(row, col))
        {
            pControl->Detach();
            return FALSE;
        }
        if (!IsCurrentCell(row, col))
            return FALSE;
        pControl->SetActive(TRUE);
    }
    if (nFirstChar)
    {
        if (pControl->GetWnd() && pControl->GetWnd()->GetSafeHwnd())
        {
            // The control types the character itself, so any character of
            // the keyboard's code page arrives as typed.
            pControl->SetCurrentText(CString());
            ::SendMessageA(pControl->GetWnd()->GetSafeHwnd(), WM_CHAR, nFirstChar, 1);
        }
        else
        {
            pControl->SetCurrentText(CString((char)nFirstChar));
        }
        pControl->SetModify(TRUE);
        OnModifyCell(row, col);
    }
    pControl->SetControlFocus();
    return TRUE;
}

BOOL CGRGridCore::TransferCurrentCell(BOOL bSaveAndValidate, UINT flags, BOOL)
{
    if (!m_bCurCell)
        return TRUE;
    CGRControl* pControl = GetCurrentCellControl();
    if (!pControl || !pControl->IsActive() || !pControl->IsInit(m_nCurRow, m_nCurCol))
        return TRUE;
    ROWCOL row = m_nCurRow, col = m_nCurCol;
    if (bSaveAndValidate)
    {
        if (pControl->GetModify())
        {
            if (!OnValidateCell(row, col))
            {
                pControl->SetControlFocus();
                return FALSE;
            }
            if (!pControl->Store())
            {
                pControl->SetControlFocus();
                return FALSE;
            }
        }
        OnEndEditing(row, col);
    }
    else
    {
        // A cancelled edit ends too.
        OnCancelEditing(row, col);
        OnEndEditing(row, col);
    }
    pControl->SetActive(FALSE);
    pControl->SetModify(FALSE);
    if (IsCurrentCell(row, col))
        pControl->Reset();
    RedrawRowCol(row, col, flags ? flags : GR_INVALIDATE);
    return TRUE;
}

void CGRGridCore::CancelCurrentCell()
{
    TransferCurrentCell(FALSE);
}

BOOL CGRGridCore::OnStartEditing(ROWCOL, ROWCOL)
{
    return TRUE;
}

BOOL CGRGridCore::OnValidateCell(ROWCOL nRow, ROWCOL nCol)
{
    CGRControl* pControl = GetControl(nRow, nCol);
    return !pControl || !pControl->IsInit(nRow, nCol) || pControl->OnValidate();
}

BOOL CGRGridCore::OnEndEditing(ROWCOL, ROWCOL)
{
    return TRUE;
}

BOOL CGRGridCore::OnCancelEditing(ROWCOL, ROWCOL)
{
    return TRUE;
}

void CGRGridCore::OnModifyCell(ROWCOL, ROWCOL)
{
}

BOOL CGRGridCore::OnLeftCell(ROWCOL, ROWCOL, ROWCOL, ROWCOL)
{
    return TRUE;
}

void CGRGridCore::OnMovedCurrentCell(ROWCOL, ROWCOL)
{
}

BOOL CGRGridCore::SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& str, UINT flags,
                                       const CGRStyle*)
{
    if (nRow > GetRowCount() || nCol > GetColCount())
        return FALSE;
    if (!IsCellEditable(nRow, nCol))
        return FALSE;
    CGRControl* pControl = GetControl(nRow, nCol);
    if (pControl && pControl->IsActive() && pControl->IsInit(nRow, nCol))
    {
        pControl->SetCurrentText(str);
        pControl->SetModify(TRUE);
        return TRUE;
    }
    return SetValueRange(CGRRange(nRow, nCol), str, grOverride, grDo, flags);
}

BOOL CGRGridCore::OnStartAutoFillSelection(CGRRange&, UINT&, CPoint&)
{
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Selection

void CGRGridCore::SelectRange(const CGRRange& range, BOOL bSelect, UINT flags)
{
    CGRRangeList* pList = Param()->GetRangeList();
    if (bSelect)
    {
        pList->AddTail(range);
        m_bSelectionAdded = TRUE;
    }
    else
    {
        auto& l = pList->List();
        for (auto it = l.begin(); it != l.end();)
        {
            if (*it == range)
                it = l.erase(it);
            else
                ++it;
        }
    }
    if (flags)
        Redraw(flags);
}

void CGRGridCore::SetSelection(POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    CGRRangeList* pList = Param()->GetRangeList();
    if (!pos)
    {
        BOOL bHad = !pList->IsEmpty();
        pList->DeleteAll();
        m_bSelectionAdded = FALSE;
        if (bHad)
            Redraw(GR_INVALIDATE);
        return;
    }
    POSITION p = pos;
    CGRRange& r = pList->GetNext(p);
    r.SetCells(nTop, nLeft, nBottom, nRight);
    Redraw(GR_INVALIDATE);
}

void CGRGridCore::StartSelection(ROWCOL nRow, ROWCOL nCol, UINT nFlags)
{
    CGRRangeList* pList = Param()->GetRangeList();
    WORD wSel = Param()->GetEnableSelection();
    if (!((nFlags & MK_CONTROL) && (wSel & GR_SELMULTIPLE)))
    {
        if (!pList->IsEmpty())
            SetSelection(nullptr);
    }
    m_nAnchorRow = nRow;
    m_nAnchorCol = nCol;
    m_bSelectionAdded = FALSE;
}

// The active range becomes anchor..(nRow, nCol), of the kind the anchor
// started (rows from a row header, columns from a column header).
void CGRGridCore::ExtendSelectionTo(ROWCOL nRow, ROWCOL nCol)
{
    CGRRangeList* pList = Param()->GetRangeList();
    CGRData& d = Param()->GetData();
    CGRRange range;
    if (m_nAnchorRow <= d.m_nHeaderRows && m_nAnchorCol <= d.m_nHeaderCols)
        range.SetTable();
    else if (m_nAnchorCol <= d.m_nHeaderCols)
        range.SetRows(m_nAnchorRow, std::max(nRow, d.m_nHeaderRows + 1));
    else if (m_nAnchorRow <= d.m_nHeaderRows)
        range.SetCols(m_nAnchorCol, std::max(nCol, d.m_nHeaderCols + 1));
    else
        range.SetCells(m_nAnchorRow, m_nAnchorCol, std::max(nRow, d.m_nHeaderRows + 1),
                       std::max(nCol, d.m_nHeaderCols + 1));
    if (m_bSelectionAdded && !pList->IsEmpty())
    {
        if (pList->GetTail() == range)
            return;
        pList->GetTail() = range;
    }
    else
    {
        pList->AddTail(range);
        m_bSelectionAdded = TRUE;
    }
    Redraw(GR_INVALIDATE);
}

BOOL CGRGridCore::GetSelectedLines(BOOL bRows, CRowColArray& aw, BOOL bWholeOnly, BOOL bCanUseCurrentCell)
{
    aw.RemoveAll();
    CGRRangeList chosen;
    BOOL bAllRows = FALSE;
    for (const CGRRange& r : Param()->GetRangeList()->List())
    {
        if (bWholeOnly && !(bRows ? r.IsRows() : r.IsCols()) && !r.IsTable())
            continue;
        chosen.AddTail(r);
        bAllRows = bAllRows || (bRows && (r.IsCols() || r.IsTable()));
    }
    // Whole columns take in every row: the rows of a data source are counted.
    if (bAllRows)
        OnTestGridDimension(GR_MAXROWCOL, 0);
    CRowColArray awFirst, awLast;
    if (bRows)
        chosen.GetRowArray(GetRowCount(), awFirst, awLast);
    else
        chosen.GetColArray(GetColCount(), awFirst, awLast);
    for (INT_PTR i = 0; i < awFirst.GetSize(); i++)
        for (ROWCOL n = awFirst[i]; n <= awLast[i]; n++)
            aw.Add(n);
    if (aw.IsEmpty() && bCanUseCurrentCell && m_bCurCell)
        aw.Add(bRows ? m_nCurRow : m_nCurCol);
    return !aw.IsEmpty();
}

BOOL CGRGridCore::GetSelectedRows(CRowColArray& awRows, BOOL bRangeRowsOnly, BOOL bCanUseCurrentCell)
{
    return GetSelectedLines(TRUE, awRows, bRangeRowsOnly, bCanUseCurrentCell);
}

BOOL CGRGridCore::GetSelectedCols(CRowColArray& awCols, BOOL bRangeColsOnly, BOOL bCanUseCurrentCell)
{
    return GetSelectedLines(FALSE, awCols, bRangeColsOnly, bCanUseCurrentCell);
}

BOOL CGRGridCore::CopyRangeList(CGRRangeList& list, BOOL bCanUseCurrentCell)
{
    list.DeleteAll();
    CGRRangeList* pList = Param()->GetRangeList();
    BOOL bNeedAll = FALSE;
    for (const CGRRange& r : pList->List())
        if (!r.IsCells())
            bNeedAll = TRUE;
    if (bNeedAll)
        OnTestGridDimension(GR_MAXROWCOL, 0);
    for (CGRRange r : pList->List())
    {
        r.ExpandRange(1, 1, GetRowCount(), GetColCount());
        if (r.IsValid())
            list.AddTail(r);
    }
    if (list.IsEmpty() && bCanUseCurrentCell && m_bCurCell)
        list.AddTail(CGRRange(m_nCurRow, m_nCurCol));
    return !list.IsEmpty();
}

/////////////////////////////////////////////////////////////////////////////
// Record information beam

CGRRecordInfoWnd* CGRGridCore::GetRecordInfoWnd()
{
    HWND hWnd = GetGridHwnd();
    if (!hWnd)
        return nullptr;
    HWND hParent = ::GetParent(hWnd);
    if (!hParent)
        return nullptr;
    CWnd* pParent = CWnd::FromHandlePermanent(hParent);
    return pParent ? dynamic_cast<CGRRecordInfoWnd*>(pParent) : nullptr;
}

CGRRecordInfoBeam* CGRGridCore::GetBeam()
{
    CGRRecordInfoWnd* pInfo = GetRecordInfoWnd();
    return pInfo ? pInfo->GetBeam() : nullptr;
}

BOOL CGRGridCore::OnInfoWndMoveRecord(int nDirection, long nRecord)
{
    CGRData& d = Param()->GetData();
    ROWCOL col = m_bCurCell ? m_nCurCol : d.m_nHeaderCols + 1;
    // Rows are searched in a shown column (the first column may be hidden).
    while (col <= GetColCount() && IsColHidden(col))
        col++;
    ROWCOL firstRow = d.m_nHeaderRows + 1;
    ROWCOL row = 0;
    switch (nDirection)
    {
    case GR_MOVE_FIRST:
        row = firstRow;
        if (!FindNextCell(GR_DOWN, row, col))
            return FALSE;
        break;
    case GR_MOVE_PREV:
        return MoveCurrentCell(GR_UP, 1, FALSE);
    case GR_MOVE_NEXT:
        return MoveCurrentCell(GR_DOWN, 1, FALSE);
    case GR_MOVE_NEW:
    case GR_MOVE_LAST:
        OnTestGridDimension(GR_MAXROWCOL, 0);
        row = GetRowCount();
        if (!FindNextCell(GR_UP, row, col))
            return FALSE;
        break;
    case GR_MOVE_RECORD:
        if (nRecord < (long)firstRow)
            return FALSE;
        row = (ROWCOL)nRecord;
        break;
    default:
        return FALSE;
    }
    if (IsColHidden(col))
    {
        ROWCOL c = col;
        if (FindNextCell(GR_RIGHT, row, c) || (c = col, FindNextCell(GR_LEFT, row, c)))
            col = c;
    }
    return SetCurrentCell(row, col);
}

void CGRGridCore::UpdateRecordInfoWnd()
{
    CGRRecordInfoWnd* pInfo = GetRecordInfoWnd();
    if (pInfo)
        pInfo->UpdateRecordInfo();
}

int CGRGridCore::GridMessageBox(LPCTSTR lpszText, UINT nType)
{
    return GRMessageBox(GetGridHwnd(), lpszText, nType);
}
