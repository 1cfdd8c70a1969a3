// The list model's geometry: where rows, cells and the header lie, walks over
// rows of individual heights (each measured when first reached), column
// fitting, scrolling and hit testing.
#include "listtree/list/model/ListModel.h"

#include <algorithm>

/////////////////////////////////////////////////////////////////////////////
// Rows

void OZWListModel::MeasureIfNeeded(int nItem)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem != nullptr && (pItem->m_bNeedsMeasure || pItem->m_nHeight < 0))
        MeasureRow(nItem, TRUE);
}

int OZWListModel::GetRowPitch(int nItem)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr)
        return 0;
    MeasureIfNeeded(nItem);
    return std::max(0, pItem->m_nHeight) + GetRowSpacing();
}

void OZWListModel::GetRowsArea(CRect& rc)
{
    GetInsideRect(&rc);
    if (IsHeaderShown())
        rc.top += m_nHeaderHeight;
    if (m_dwScrollState & OZWSB_VERTSHOWN)
        rc.right -= GetVScrollWidth() - 1;
    if (m_dwScrollState & OZWSB_HORZSHOWN)
        rc.bottom -= GetHScrollHeight() - 1;
    rc.bottom += 1;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

void OZWListModel::GetItemsRect(RECT* pRect)
{
    CRect rc;
    GetRowsArea(rc);
    *pRect = rc;
}

BOOL OZWListModel::SetTopIndex(int nTop)
{
    nTop = std::clamp(nTop, 0, std::max(0, GetItemCount() - 1));
    if (nTop != m_nTopIndex) {
        m_nTopIndex = nTop;
        SetScrollBarPos(SB_VERT, nTop);
        InvalidateList(FALSE);
    }
    return TRUE;
}

int OZWListModel::FindRowPastHeight(int nStart, int nStep)
{
    CRect rc;
    GetRowsArea(rc);
    const int nHeight = rc.Height();
    int nSum = 0;
    for (int i = nStart; i >= 0 && i < GetItemCount(); i += nStep) {
        nSum += GetRowPitch(i);
        if (nSum > nHeight)
            return i;
    }
    return -1;
}

int OZWListModel::GetBottomIndex(BOOL)
{
    const int nRow = FindRowPastHeight(m_nTopIndex, 1);
    return nRow < 0 ? GetItemCount() : nRow;
}

int OZWListModel::GetLastFullyVisible()
{
    return GetBottomIndex(TRUE) - 1;
}

int OZWListModel::GetRowsFromTop()
{
    return GetBottomIndex(TRUE) - m_nTopIndex;
}

int OZWListModel::GetPageUpIndex()
{
    const int nRow = FindRowPastHeight(m_nTopIndex - 1, -1);
    return nRow < 0 ? 0 : nRow + 1;
}

int OZWListModel::GetRowsAboveTop()
{
    return m_nTopIndex - GetPageUpIndex();
}

int OZWListModel::GetMaxTopIndex()
{
    const int nRow = FindRowPastHeight(GetItemCount() - 1, -1);
    return nRow < 0 ? 0 : std::min(nRow + 1, GetItemCount() - 1);
}

int OZWListModel::GetFirstFullPage()
{
    const int nRow = FindRowPastHeight(0, 1);
    return nRow < 0 ? GetItemCount() : nRow;
}

int OZWListModel::GetRowAtY(int y)
{
    CRect rc;
    GetRowsArea(rc);
    if (y < rc.top || y >= rc.bottom)
        return -1;
    const int nSpacing = GetRowSpacing();
    int nTop = rc.top;
    for (int i = m_nTopIndex; i < GetItemCount() && nTop < rc.bottom; ++i) {
        const int nPitch = GetRowPitch(i);
        if (y >= nTop + nSpacing && y < nTop + nPitch)
            return i;
        nTop += nPitch;
    }
    return -1;
}

int OZWListModel::GetRowAtPoint(POINT pt)
{
    return GetRowAtY(pt.y);
}

BOOL OZWListModel::SetRowHeight(int nItem, int nHeight)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr)
        return FALSE;
    pItem->m_nHeight = nHeight;
    pItem->m_bNeedsMeasure = FALSE;
    return TRUE;
}

int OZWListModel::GetHeightBetween(int nFirst, int nLast, BOOL bInclusive)
{
    if (nFirst > nLast)
        return -GetHeightBetween(nLast, nFirst, bInclusive);
    int nSum = 0;
    const int nEnd = bInclusive ? nLast : nLast - 1;
    for (int i = std::max(0, nFirst); i <= nEnd && i < GetItemCount(); ++i)
        nSum += GetRowPitch(i);
    return nSum;
}

int OZWListModel::GetRowsInHeight(int nHeight, int nStart, BOOL bDownward)
{
    int nRows = 0, nSum = 0;
    for (int i = nStart; i >= 0 && i < GetItemCount() && nSum < nHeight; i += bDownward ? 1 : -1) {
        nSum += GetRowPitch(i);
        ++nRows;
    }
    return nRows;
}

void OZWListModel::RemeasureItem(int nItem)
{
    if (OZWListItem* pItem = GetItemRecord(nItem)) {
        pItem->m_bNeedsMeasure = TRUE;
        RedrawItem(nItem);
    }
}

void OZWListModel::RemeasureAll()
{
    MarkAllForMeasure();
}

int OZWListModel::GetTotalWidth()
{
    int nWidth = 0;
    for (OZWListColumn* pColumn : m_columns)
        nWidth += pColumn->m_nWidth;
    return nWidth;
}

CPoint OZWListModel::GetTotalSize()
{
    return CPoint(GetTotalWidth(), GetItemCount());
}

int OZWListModel::GetRowTop(int nItem)
{
    CRect rc;
    GetRowsArea(rc);
    if (nItem >= m_nTopIndex)
        return rc.top + GetHeightBetween(m_nTopIndex, nItem, FALSE);
    return rc.top - GetHeightBetween(nItem, m_nTopIndex, FALSE);
}

BOOL OZWListModel::GetItemRect(int nItem, RECT* pRect, int nPart)
{
    const int nMain = GetMainColumn();
    return GetSubItemRect(nItem, nMain < 0 ? 0 : nMain, pRect, nPart);
}

BOOL OZWListModel::GetSubItemRect(int nItem, int nColumn, RECT* pRect, int nPart)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    OZWListColumn* pColumn = GetColumnAt(nColumn);
    if (pItem == nullptr || pColumn == nullptr || pRect == nullptr || nItem < m_nTopIndex)
        return FALSE;
    MeasureIfNeeded(nItem);
    CRect rows;
    GetRowsArea(rows);
    const int y = GetRowTop(nItem) + GetRowSpacing();
    const int x = rows.left + GetColumnLeft(nColumn);
    CRect rc(x, y, x + pColumn->m_nWidth, y + std::max(0, pItem->m_nHeight));
    switch (nPart) {
    case 0:
        if (GetColumnCount() == 1)
            rc.right = std::max(rc.right, rows.right);
        break;
    case 1:
        rc = pItem->m_rcIcon;
        rc.OffsetRect(x, y);
        break;
    case 2:
        if (pColumn->m_nSubItem == 0) {
            rc = pItem->m_rcLabel;
            rc.OffsetRect(x, y);
        } else {
            OZWListSubItem* pCell = pItem->GetCell(pColumn->m_nSubItem);
            if (pCell == nullptr)
                return FALSE;
            // Where the painter puts the text: 6 pixels in from the left,
            // 5 from the right, aligned by the column's format.
            CRect text = pCell->m_rcText;
            const int nWidth = text.Width();
            const int nAvail = pColumn->m_nWidth - 11;
            int nLeft = 6;
            if ((pColumn->m_nFormat & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT)
                nLeft = 6 + std::max(0, nAvail - nWidth);
            else if ((pColumn->m_nFormat & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
                nLeft = 6 + std::max(0, (nAvail - nWidth) / 2);
            rc.SetRect(x + nLeft, y + text.top, x + nLeft + nWidth, y + text.bottom);
        }
        break;
    default:
        return FALSE;
    }
    *pRect = rc;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Column fitting

void OZWListModel::FitLastColumn()
{
    const int nCount = GetColumnCount();
    if (nCount == 0)
        return;
    if (nCount != 1 && !(m_dwListStyleEx & OZWLS_EX_LASTCOLFILLS))
        return;
    CRect rows;
    GetRowsArea(rows);
    int nOthers = 0;
    for (int i = 0; i < nCount - 1; ++i)
        nOthers += m_columns[(size_t)i]->m_nWidth;
    const int nWidth = std::max(5, rows.Width() - nOthers);
    if (nWidth != m_columns.back()->m_nWidth) {
        m_columns.back()->m_nWidth = nWidth;
        if (IsLabelWrap())
            MarkAllForMeasure();
    }
}

void OZWListModel::FitColumns()
{
    const int nCount = GetColumnCount();
    if (nCount == 0)
        return;
    HideTip();
    int nMain = -1;
    for (int i = 0; i < nCount; ++i)
        if (m_columns[(size_t)i]->m_nSubItem == 0)
            nMain = i;
    if (nMain < 0)
        return;
    CRect rows;
    GetRowsArea(rows);
    const int nRowsWidth = rows.Width();
    int nSum = 0;
    for (int i = 0; i < nCount; ++i)
        if (i != nMain)
            nSum += m_columns[(size_t)i]->m_nWidth;
    m_columns[(size_t)nMain]->m_nWidth = nRowsWidth - nSum;
    if (nRowsWidth > nCount + 19 && m_columns[(size_t)nMain]->m_nWidth < 20) {
        m_columns[(size_t)nMain]->m_nWidth = 20;
        const int nRest = nRowsWidth - 20;
        int nGiven = 0;
        if (nSum > 0) {
            for (int i = 1; i < nCount - 1; ++i) {
                if (i == nMain)
                    continue;
                const int w = (int)((long long)m_columns[(size_t)i]->m_nWidth * nRest / nSum);
                m_columns[(size_t)i]->m_nWidth = w;
                nGiven += w;
            }
        }
        if (nCount - 1 != nMain)
            m_columns.back()->m_nWidth = nRest - nGiven;
    }
    for (OZWListColumn* pColumn : m_columns)
        pColumn->m_nWidth = std::max(0, pColumn->m_nWidth);
    MarkAllForMeasure();
    RecalcLayout();
    InvalidateList();
}

BOOL OZWListModel::IsResizableColumn(int nColumn)
{
    if (!IsValidColumn(nColumn))
        return FALSE;
    if ((m_dwListStyleEx & OZWLS_EX_LASTCOLFILLS) && nColumn == GetColumnCount() - 1)
        return FALSE;
    return TRUE;
}

void OZWListModel::ResizeColumnBy(int nColumn, int nDelta)
{
    if (!IsValidColumn(nColumn))
        return;
    std::vector<int> widths;
    for (OZWListColumn* pColumn : m_columns)
        widths.push_back(pColumn->m_nWidth);
    widths[(size_t)nColumn] += nDelta;
    if (m_dwListStyleEx & OZWLS_EX_LASTCOLFILLS) {
        if (nColumn + 1 < (int)widths.size())
            widths[(size_t)nColumn + 1] -= nDelta;
        for (int& w : widths)
            if (w < 6)
                w = 5;
        CRect rows;
        GetRowsArea(rows);
        int nTotal = 0;
        for (int w : widths)
            nTotal += w;
        int nExcess = nTotal - rows.Width();
        if (nExcess > 0) {
            // Column 0 gives up the excess down to 5 pixels; what it cannot
            // give limits the drag itself, so no column goes below 5.
            const int nFromFirst = std::min(nExcess, std::max(0, widths[0] - 5));
            widths[0] -= nFromFirst;
            nExcess -= nFromFirst;
            if (nExcess > 0 && nColumn != 0)
                widths[(size_t)nColumn] = std::max(5, widths[(size_t)nColumn] - nExcess);
        }
    }
    for (size_t i = 0; i < widths.size(); ++i)
        m_columns[i]->m_nWidth = std::max(0, widths[i]);
    if (IsLabelWrap())
        MarkAllForMeasure();
    RecalcLayout();
    InvalidateList();
}

/////////////////////////////////////////////////////////////////////////////
// Scrolling

BOOL OZWListModel::EnsureVisible(int nItem, BOOL)
{
    if (!IsValidItem(nItem))
        return FALSE;
    const int nLast = GetLastFullyVisible();
    if (nItem == nLast && nItem == GetItemCount() - 1)
        return TRUE;
    if (nItem >= nLast && nItem > m_nTopIndex)
        ScrollRows(nItem - nLast, TRUE);
    else if (nItem > m_nTopIndex)
        return TRUE;
    else
        ScrollRows(nItem - m_nTopIndex - 1, FALSE);
    return TRUE;
}

BOOL OZWListModel::EnsureRangeVisible(int nFirst, int nLast, BOOL bPartialOK)
{
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    EnsureVisible(nLast, bPartialOK);
    if (nFirst < m_nTopIndex || nFirst > GetLastFullyVisible())
        EnsureVisible(nFirst, bPartialOK);
    return TRUE;
}

void OZWListModel::ScrollRows(int nDelta, BOOL bAlignBottom)
{
    if (bAlignBottom) {
        // The height of the rows below the last visible one, in rows from the top.
        const int nLast = GetLastFullyVisible();
        const int nHeight = nDelta > 0 ? GetHeightBetween(nLast + 1, nLast + nDelta, TRUE) : 0;
        nDelta = nHeight > 0 ? GetRowsInHeight(nHeight, m_nTopIndex, TRUE) : 0;
    }
    const int nTop = std::clamp(m_nTopIndex + nDelta, 0, std::max(0, GetItemCount() - 1));
    if (nTop != m_nTopIndex) {
        m_nTopIndex = nTop;
        SetScrollBarPos(SB_VERT, nTop);
        InvalidateList(FALSE);
    }
}

void OZWListModel::ScrollHorz(int nDelta)
{
    CRect rows;
    GetRowsArea(rows);
    const int nMax = std::max(0, GetTotalWidth() - rows.Width());
    const int nOffset = std::clamp(m_nHorzOffset - nDelta, 0, nMax);
    if (nOffset != m_nHorzOffset) {
        m_nHorzOffset = nOffset;
        SetScrollBarPos(SB_HORZ, nOffset);
        InvalidateList(FALSE);
    }
}

void OZWListModel::UpdateVertScroll(int nRows)
{
    if (GetFirstFullPage() >= nRows) {
        // Everything fits: back to the top, no bar.
        if (m_nTopIndex != 0) {
            m_nTopIndex = 0;
            InvalidateList(FALSE);
        }
        ShowScrollBar(SB_VERT, FALSE, nullptr);
        return;
    }
    const int nMaxTop = GetMaxTopIndex();
    if (m_nTopIndex > nMaxTop) {
        m_nTopIndex = nMaxTop;
        InvalidateList(FALSE);
    }
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = nRows - 1;
    si.nPage = (UINT)std::max(1, GetRowsFromTop());
    si.nPos = m_nTopIndex;
    ShowScrollBar(SB_VERT, TRUE, &si);
}

void OZWListModel::UpdateHorzScroll(int nWidth)
{
    CRect rows;
    GetRowsArea(rows);
    if (nWidth <= rows.Width()) {
        if (m_nHorzOffset != 0) {
            m_nHorzOffset = 0;
            InvalidateList(FALSE);
        }
        ShowScrollBar(SB_HORZ, FALSE, nullptr);
        return;
    }
    m_nHorzOffset = std::min(m_nHorzOffset, nWidth - rows.Width());
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = nWidth - 1;
    si.nPage = (UINT)rows.Width();
    si.nPos = m_nHorzOffset;
    ShowScrollBar(SB_HORZ, TRUE, &si);
}

void OZWListModel::RecalcLayout()
{
    UpdateVertScroll(GetItemCount());
    if (IsLabelWrap())
        MarkAllForMeasure();
    UpdateHorzScroll(GetTotalWidth());
    UpdateVertScroll(GetItemCount());
    LayoutScrollBars();
}

void OZWListModel::VScroll(UINT nCode, int nTrackPos)
{
    EndLabelEdit(TRUE);
    HideTip();
    const int nCount = GetItemCount();
    const int nMax = nCount - 1;
    const int nPage = GetRowsFromTop();
    switch (nCode) {
    case SB_LINEUP:
        if (m_nTopIndex > 0)
            ScrollRows(-1);
        break;
    case SB_LINEDOWN:
        if (m_nTopIndex + nPage <= nMax)
            ScrollRows(1);
        break;
    case SB_PAGEUP:
        SetTopIndex(GetPageUpIndex());
        break;
    case SB_PAGEDOWN:
        SetTopIndex(std::min(m_nTopIndex + std::max(1, nPage), GetMaxTopIndex()));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetTopIndex(std::min(nTrackPos, GetMaxTopIndex()));
        break;
    case SB_TOP:
        SetTopIndex(0);
        break;
    case SB_BOTTOM:
        SetTopIndex(GetMaxTopIndex());
        break;
    default:
        break;
    }
}

void OZWListModel::HScroll(UINT nCode, int nTrackPos)
{
    EndLabelEdit(TRUE);
    HideTip();
    CRect rows;
    GetRowsArea(rows);
    switch (nCode) {
    case SB_LINELEFT: ScrollHorz(15); break;
    case SB_LINERIGHT: ScrollHorz(-15); break;
    case SB_PAGELEFT: ScrollHorz(rows.Width()); break;
    case SB_PAGERIGHT: ScrollHorz(-rows.Width()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: ScrollHorz(m_nHorzOffset - nTrackPos); break;
    case SB_LEFT: ScrollHorz(m_nHorzOffset); break;
    case SB_RIGHT: ScrollHorz(m_nHorzOffset - GetTotalWidth()); break;
    default: break;
    }
}

BOOL OZWListModel::MouseWheel(short zDelta)
{
    m_nWheelDelta += zDelta;
    const int nLines = m_nWheelDelta / WHEEL_DELTA;
    if (nLines != 0) {
        HideTip();
        if (m_dwScrollState & OZWSB_VERTSHOWN) {
            const BOOL bAtBottom = m_nTopIndex + GetRowsFromTop() >= GetItemCount();
            if ((nLines > 0 && m_nTopIndex > 0) || (nLines < 0 && !bAtBottom))
                ScrollRows(-nLines);
        } else if (m_dwScrollState & OZWSB_HORZSHOWN) {
            ScrollHorz(nLines * 15);
        }
        m_nWheelDelta = 0;
    }
    return TRUE;
}

void OZWListModel::GetScrollOffset(POINT* pPoint)
{
    if (pPoint != nullptr) {
        pPoint->x = m_nHorzOffset;
        pPoint->y = m_nVertOffset;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Hit testing

int OZWListModel::HitTest(int x, int y, UINT* pFlags, int* pnColumn)
{
    UINT nFlags = 0;
    int nColumn = -1;
    int nResult = -1;
    CRect inside, rows;
    GetInsideRect(&inside);
    GetRowsArea(rows);
    if (y < inside.top)
        nFlags |= OZWHT_ABOVE;
    else if (y >= inside.bottom)
        nFlags |= OZWHT_BELOW;
    if (x < inside.left)
        nFlags |= OZWHT_TOLEFT;
    else if (x >= inside.right)
        nFlags |= OZWHT_TORIGHT;
    if (nFlags != 0)
        goto done;
    if (m_columns.empty()) {
        nFlags = OZWHT_NOWHERE;
        goto done;
    }
    if (GetColumnCount() == 1) {
        nColumn = 0;
    } else {
        int nRight = inside.left - m_nHorzOffset;
        for (int i = 0; i < GetColumnCount(); ++i) {
            nRight += m_columns[(size_t)i]->m_nWidth;
            if (nRight > x) {
                nColumn = i;
                break;
            }
        }
    }
    if (y >= rows.top) {
        const int nSpacing = GetRowSpacing();
        int nTop = rows.top;
        for (int i = m_nTopIndex; i < GetItemCount() && nTop < rows.bottom; ++i) {
            const int nPitch = GetRowPitch(i);
            if (y >= nTop + nSpacing && y < nTop + nPitch && x < rows.right) {
                nResult = i;
                nFlags = OZWHT_ONROW;
                if (nColumn >= 0 && m_columns[(size_t)nColumn]->m_nSubItem == 0) {
                    OZWListItem* pItem = m_items[(size_t)i];
                    const int nLeft = rows.left + GetColumnLeft(nColumn);
                    const int nRowTop = nTop + nSpacing;
                    CRect label = pItem->m_rcLabel, icon = pItem->m_rcIcon, state = pItem->m_rcStateIcon;
                    label.OffsetRect(nLeft, nRowTop);
                    icon.OffsetRect(nLeft, nRowTop);
                    state.OffsetRect(nLeft, nRowTop);
                    const CPoint pt(x, y);
                    if (label.PtInRect(pt))
                        nFlags |= OZWHT_ONLABEL;
                    else if (icon.PtInRect(pt))
                        nFlags |= OZWHT_ONICON;
                    else if (state.PtInRect(pt))
                        nFlags |= OZWHT_ONSTATEICON;
                    else if (x < label.left)
                        nFlags |= OZWHT_LEFTOFLABEL;
                    else
                        nFlags |= OZWHT_RIGHTOFLABEL;
                }
                break;
            }
            nTop += nPitch;
        }
    } else if (IsHeaderShown()) {
        int nLeft = inside.left - m_nHorzOffset;
        for (int i = 0; i < GetColumnCount(); ++i) {
            const int nRight = nLeft + m_columns[(size_t)i]->m_nWidth;
            // Every header item can be pressed; the last column's divider
            // cannot be dragged when that column fills the width.
            if (IsResizableColumn(i) && x >= nRight - 4 && x <= nRight + 4) {
                nFlags = OZWHT_ONDIVIDER;
                nResult = i;
                break;
            }
            if (x >= nLeft && x < nRight) {
                nFlags = OZWHT_ONHEADER;
                nResult = i;
                break;
            }
            nLeft = nRight;
        }
    }
    if (nFlags == 0)
        nFlags = OZWHT_NOWHERE;
done:
    if (pFlags)
        *pFlags = nFlags;
    if (pnColumn)
        *pnColumn = nColumn;
    return nResult;
}

void OZWListModel::OnClickDecision(POINT pt, int nItem, UINT nFlags, BOOL* pbClickPending, BOOL* pbSelect)
{
    BOOL bSelect = FALSE, bPending = FALSE;
    if (nFlags & (OZWHT_ONICON | OZWHT_ONLABEL)) {
        bSelect = bPending = TRUE;
    } else if ((nFlags & OZWHT_ONHEADER) && (m_dwListStyleEx & OZWLS_EX_HEADERDRAGDROP) && nItem > 0) {
        bPending = TRUE;
    } else if ((nFlags & OZWHT_ONROW) && !(nFlags & OZWHT_ONSTATEICON)) {
        if (m_dwListStyleEx & OZWLS_EX_FULLROWSELECT) {
            bSelect = TRUE;
        } else if (nFlags & OZWHT_LEFTOFLABEL) {
            OZWListItem* pItem = GetItemRecord(nItem);
            const int nMain = GetMainColumn();
            if (pItem != nullptr && nMain >= 0) {
                CRect rows;
                GetRowsArea(rows);
                bSelect = pt.x >= rows.left + GetColumnLeft(nMain) + pItem->m_rcIcon.right;
            }
        }
        bPending = bSelect;
    }
    if (pbClickPending)
        *pbClickPending = bPending;
    if (pbSelect)
        *pbSelect = bSelect;
}
