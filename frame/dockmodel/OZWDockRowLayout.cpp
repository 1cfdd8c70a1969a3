// The layout of a dock bar's rows, and what its splitters may do.
#include "frame/dockmodel/OZWDockRows.h"
#include "platform/framework/docking/DockBar.h"

#include <algorithm>

using ozwdock::kClientEdgeSize;
using ozwdock::kSplitterSize;

OZWDockLayout OZWDockRows::Layout(int nRowLength, int nAlong0, int nAcross0, const void* pActive)
{
    const bool bHorz = IsHorz();
    const bool bNear = IsNearSide();
    const int nCount = GetSize();
    nRowLength = std::max(nRowLength, 0);

    OZWDockLayout layout;
    layout.rects.assign(nCount, CRect());
    layout.lengths.assign(nCount, -1);
    layout.thickness.assign(nCount, -1);

    int nAcross = nAcross0;
    for (int nStart = 1; nStart < nCount;) {
        const int nEnd = RowEnd(nStart);
        int nSized = 0, nFixed = 0;
        CalcRowShares(nStart, pActive, nSized, nFixed);
        const std::vector<int> visible = VisibleBarsOfRow(nStart);
        nStart = nEnd + 1;
        if (visible.empty())
            continue;
        layout.bAnyBar = true;

        int nThick = 0;
        for (int j : visible)
            nThick = std::max(nThick, (int)(bHorz ? m_entries[j].size.cy : m_entries[j].size.cx));

        if (nSized == 0 || m_bFloating) {
            // Bars one after another at the size they ask for, each staying
            // where it was dropped while there is room before it.
            std::vector<kvdock::RowBar> row;
            for (int j : visible) {
                OZWDockEntry& e = m_entries[j];
                e.dwExStyle |= SCBX_PLAIN_ROW;
                kvdock::RowBar rowBar;
                rowBar.nLength = e.IsOwnRow() ? nRowLength : (bHorz ? e.size.cx : e.size.cy);
                rowBar.nThickness = bHorz ? e.size.cy : e.size.cx;
                rowBar.nOffset = AlongStart(e.rect, bHorz) - nAlong0;
                row.push_back(rowBar);
            }
            const std::vector<int> starts = kvdock::PlaceRow(row, nRowLength, !m_bFloating);
            for (size_t k = 0; k < visible.size(); ++k) {
                const int nBegin = nAlong0 + starts[k];
                layout.rects[visible[k]] =
                    MakeRect(nBegin, nBegin + row[k].nLength, nAcross, nAcross + row[k].nThickness, bHorz);
                layout.nAlongMax = std::max(layout.nAlongMax, starts[k] + row[k].nLength);
            }
            nAcross += nThick;
            continue;
        }

        // A row of sized bars: its client edge and row splitter, the bars
        // sharing the row's length, in-row splitters between them.
        const int nFull0 = nAlong0, nFull1 = nAlong0 + nRowLength;
        auto addEdge = [&]() {
            OZWDockEdgeInfo edge;
            edge.nOrientation = bHorz ? 0 : 1;
            edge.rect = MakeRect(nFull0, nFull1, nAcross, nAcross + kClientEdgeSize, bHorz);
            layout.edges.push_back(edge);
            nAcross += kClientEdgeSize;
        };
        auto addRowSplitter = [&](int nIndex) {
            OZWDockSplitterInfo splitter;
            splitter.nKind = OZWDockSplitterInfo::RowSplitter;
            splitter.nOrientation = bHorz ? 0 : 1;
            splitter.nIndex = nIndex;
            splitter.rect = MakeRect(nFull0, nFull1, nAcross, nAcross + kSplitterSize, bHorz);
            layout.splitters.push_back(splitter);
            nAcross += kSplitterSize;
        };
        const int nRowStart = visible.front() > 0 ? RowStart(visible.front()) : 1;
        if (bNear)
            addEdge();
        else
            addRowSplitter(nRowStart);

        const int nShared = SharedRowLength(visible.front(), nRowLength);
        int nAlong = nAlong0;
        for (size_t k = 0; k < visible.size(); ++k) {
            const int j = visible[k];
            OZWDockEntry& e = m_entries[j];
            e.dwExStyle &= ~SCBX_PLAIN_ROW;
            const bool bLast = k + 1 == visible.size();
            int nLength = 0;
            if (e.IsFixedSize()) {
                nLength = bHorz ? e.size.cx : e.size.cy;
            } else {
                nLength = (int)(e.fShare * (float)nShared);
                layout.lengths[j] = nLength;
                // The last bar reaches the row's end.
                if (bLast)
                    nLength = std::max(nAlong0 + nRowLength - nAlong, 0);
            }
            layout.thickness[j] = nThick;
            layout.rects[j] = MakeRect(nAlong, nAlong + nLength, nAcross, nAcross + nThick, bHorz);
            nAlong += nLength;
            if (!bLast) {
                OZWDockSplitterInfo splitter;
                splitter.nKind = OZWDockSplitterInfo::InRowSplitter;
                splitter.nOrientation = bHorz ? 1 : 0;
                splitter.nIndex = j;
                splitter.rect = MakeRect(nAlong, nAlong + kSplitterSize, nAcross, nAcross + nThick, bHorz);
                layout.splitters.push_back(splitter);
                nAlong += kSplitterSize;
            }
        }
        layout.nAlongMax = std::max(layout.nAlongMax, std::max(nRowLength, nAlong - nAlong0));
        nAcross += nThick;
        if (bNear)
            addRowSplitter(nRowStart);
        else
            addEdge();
    }
    if (layout.bAnyBar)
        layout.nAcross = nAcross - nAcross0 + ((m_bFloating && bHorz) ? 0 : 2);
    return layout;
}

void OZWDockRows::GetSplitterLimits(const OZWDockSplitterInfo& splitter, int nClientStart, int nClientEnd,
                                    int nFree, int& nMin, int& nMax) const
{
    const bool bHorz = IsHorz();
    if (splitter.nKind == OZWDockSplitterInfo::InRowSplitter) {
        // Every bar of the row keeps room on its side of the splitter.
        const int nStart = RowStart(splitter.nIndex), nEnd = RowEnd(splitter.nIndex);
        int nBefore = 0, nAfter = 0;
        for (int j = nStart; j < nEnd; ++j) {
            if (!m_entries[j].IsBar())
                continue;
            if (j <= splitter.nIndex)
                ++nBefore;
            else
                ++nAfter;
        }
        nMin = nClientStart + ozwdock::kSplitterBarRoom * nBefore;
        nMax = nClientEnd - ozwdock::kSplitterBarRoom * nAfter;
        return;
    }

    // A row splitter: the row keeps 19 pixels, and so does the frame's
    // client area; the splitter may always stay where it is.
    const int nThick = RowThickness(splitter.nIndex);
    const int nRoom = std::max(nFree - ozwdock::kRowSplitterRoom, 0);
    const int nTop = AcrossStart(splitter.rect, bHorz), nBottom = AcrossEnd(splitter.rect, bHorz);
    if (IsNearSide()) {
        // The row lies before the splitter, the client area after it.
        nMin = nTop - nThick + ozwdock::kRowSplitterRoom;
        nMax = nTop + nRoom;
    } else {
        // The client area lies before the splitter, the row after it.
        nMin = nTop - nRoom;
        nMax = nTop + nThick - ozwdock::kRowSplitterRoom;
    }
    nMin = std::min(nMin, nTop);
    nMax = std::max(nMax, nBottom);
}

void OZWDockRows::ResizeBySplitter(const OZWDockSplitterInfo& splitter, int nDelta, int nRowLength,
                                   std::vector<int>& newLength, std::vector<int>& newThickness)
{
    const bool bHorz = IsHorz();
    newLength.assign(GetSize(), -1);
    newThickness.assign(GetSize(), -1);
    m_bRowsChanged = TRUE;
    if (splitter.nIndex <= 0 || splitter.nIndex >= GetSize() || nDelta == 0)
        return;
    const std::vector<int> visible = VisibleBarsOfRow(splitter.nIndex);

    if (splitter.nKind == OZWDockSplitterInfo::RowSplitter) {
        // Away from the frame's edge thickens the row: down or right on a
        // top or left dock bar, up or left on a bottom or right one.
        const int nGrow = IsNearSide() ? nDelta : -nDelta;
        const int nThick = std::max(RowThickness(splitter.nIndex) + nGrow, 1);
        for (int j : visible) {
            newThickness[j] = nThick;
            Queue(m_entries[j].pBar);
        }
        QueueRowToolBars(splitter.nIndex);
        return;
    }

    // An in-row splitter moves length between the bars on its two sides.
    const int nShared = std::max(SharedRowLength(splitter.nIndex, nRowLength), 1);
    auto length = [&](int j) {
        return newLength[j] >= 0 ? newLength[j] : AlongEnd(m_entries[j].rect, bHorz) - AlongStart(m_entries[j].rect, bHorz);
    };
    auto setLength = [&](int j, int nLength) {
        OZWDockEntry& e = m_entries[j];
        e.fShare = (float)nLength / (float)nShared;
        if (e.fShare < m_fMinShare) {
            e.fShare = m_fMinShare;
            nLength = (int)(m_fMinShare * (float)nShared);
        }
        e.bShareValid = TRUE;
        newLength[j] = nLength;
        Queue(e.pBar);
        return nLength;
    };
    // Shrinks bar j by up to nWant pixels; returns what it gave.
    auto shrink = [&](int j, int nWant) {
        if (m_entries[j].IsFixedSize())
            return 0;
        const int nOld = length(j);
        const int nNew = setLength(j, std::max(nOld - nWant, ozwdock::kMinBarLength));
        const int nGiven = nOld - nNew;
        if (nGiven < 0) {
            setLength(j, nOld); // already below the minimum: it keeps what it has
            return 0;
        }
        return nGiven;
    };

    const auto it = std::find(visible.begin(), visible.end(), splitter.nIndex);
    if (it == visible.end() || it + 1 == visible.end())
        return;
    const size_t k = (size_t)(it - visible.begin());
    int nLeft = std::abs(nDelta);
    int nGiven = 0;
    size_t nGrow = 0;
    if (nDelta > 0) {
        // The bar before the splitter grows; the bars after it give, in order.
        for (size_t m = k + 1; m < visible.size() && nLeft > 0; ++m) {
            const int n = shrink(visible[m], nLeft);
            nGiven += n;
            nLeft -= n;
        }
        nGrow = k;
    } else {
        // The bar after the splitter grows; the bars before it give, backwards.
        for (size_t m = k + 1; m-- > 0 && nLeft > 0;) {
            const int n = shrink(visible[m], nLeft);
            nGiven += n;
            nLeft -= n;
        }
        nGrow = k + 1;
    }
    if (nGiven > 0 && !m_entries[visible[nGrow]].IsFixedSize())
        setLength(visible[nGrow], length(visible[nGrow]) + nGiven);
    QueueRowToolBars(splitter.nIndex);
}
