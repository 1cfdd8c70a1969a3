// The rows of a dock bar: entries, row queries, shares, insertion and
// removal, and the drop place.
#include "frame/dockmodel/OZWDockRows.h"

#include <algorithm>

namespace {
const DWORD kAlignLeft = 0x1000;
const DWORD kAlignTop = 0x2000;
const DWORD kAlignRight = 0x4000;
const DWORD kAlignBottom = 0x8000;
} // namespace

OZWDockRows::OZWDockRows(DWORD dwAlign, BOOL bFloating) : m_dwAlign(dwAlign), m_bFloating(bFloating)
{
    m_entries.push_back(OZWDockEntry::MakeRowEnd());
}

bool OZWDockRows::IsHorz() const
{
    return (m_dwAlign & (kAlignTop | kAlignBottom)) != 0;
}

bool OZWDockRows::IsNearSide() const
{
    return (m_dwAlign & (kAlignLeft | kAlignTop)) != 0;
}

/////////////////////////////////////////////////////////////////////////////
// Entries and rows

int OZWDockRows::FindBar(const void* pBar) const
{
    if (pBar == nullptr)
        return -1;
    for (int i = 0; i < GetSize(); ++i) {
        if (m_entries[i].IsBar() && m_entries[i].pBar == pBar)
            return i;
    }
    return -1;
}

int OZWDockRows::FindPlaceholder(UINT nID, int nExclude) const
{
    nID &= 0xFFFF;
    if (nID == 0)
        return -1;
    for (int i = 0; i < GetSize(); ++i) {
        if (i != nExclude && m_entries[i].kind == OZWDockEntry::Placeholder && m_entries[i].nID == nID)
            return i;
    }
    return -1;
}

bool OZWDockRows::HasBars() const
{
    for (const OZWDockEntry& e : m_entries) {
        if (e.IsBar())
            return true;
    }
    return false;
}

int OZWDockRows::GetVisibleBarCount() const
{
    int n = 0;
    for (const OZWDockEntry& e : m_entries) {
        if (e.IsBar() && e.bVisible)
            ++n;
    }
    return n;
}

int OZWDockRows::RowStart(int i) const
{
    // Entry 0 belongs to no row; a row end belongs to the row it ends (an
    // empty row starts at its own row end).
    int j = std::clamp(i, 1, std::max(GetSize() - 1, 1));
    while (j > 1 && !m_entries[j - 1].IsRowEnd())
        --j;
    return j;
}

int OZWDockRows::RowEnd(int i) const
{
    int j = RowStart(i);
    while (j < GetSize() && !m_entries[j].IsRowEnd())
        ++j;
    return j;
}

int OZWDockRows::GetRowCount() const
{
    int n = 0;
    for (int i = 1; i < GetSize(); ++i) {
        if (m_entries[i].IsRowEnd())
            ++n;
    }
    return n;
}

int OZWDockRows::RowStartByNumber(int n) const
{
    if (n < 0)
        return -1;
    int nStart = 1;
    for (int row = 0; nStart < GetSize(); ++row) {
        if (row == n)
            return nStart;
        nStart = RowEnd(nStart) + 1;
    }
    return -1;
}

std::vector<void*> OZWDockRows::GetRowBars(int i) const
{
    std::vector<void*> bars;
    if (!IsBar(i))
        return bars;
    const int nStart = RowStart(i), nEnd = RowEnd(i);
    for (int j = i - 1; j >= nStart; --j) {
        if (m_entries[j].IsBar())
            bars.push_back(m_entries[j].pBar);
    }
    for (int j = i; j < nEnd; ++j) {
        if (m_entries[j].IsBar())
            bars.push_back(m_entries[j].pBar);
    }
    return bars;
}

std::vector<int> OZWDockRows::VisibleBarsOfRow(int i) const
{
    std::vector<int> bars;
    const int nStart = RowStart(i), nEnd = RowEnd(i);
    for (int j = nStart; j < nEnd; ++j) {
        if (m_entries[j].IsBar() && m_entries[j].bVisible)
            bars.push_back(j);
    }
    return bars;
}

bool OZWDockRows::IsLastResizableInRow(int i) const
{
    if (!IsBar(i) || !(m_entries[i].fShare > m_fMinShare))
        return false;
    for (int j : VisibleBarsOfRow(i)) {
        if (j != i && m_entries[j].IsSized() && m_entries[j].fShare > m_fMinShare)
            return false;
    }
    return true;
}

bool OZWDockRows::IsAloneInRow(int i) const
{
    if (!IsBar(i))
        return false;
    const int nStart = RowStart(i), nEnd = RowEnd(i);
    if (nEnd - nStart == 1)
        return true;
    if (!m_entries[i].bVisible)
        return false;
    for (int j : VisibleBarsOfRow(i)) {
        if (j != i)
            return false;
    }
    return true;
}

int OZWDockRows::RowThickness(int i) const
{
    const bool bHorz = IsHorz();
    int nThick = 0;
    for (int j : VisibleBarsOfRow(i))
        nThick = std::max(nThick, AcrossEnd(m_entries[j].rect, bHorz) - AcrossStart(m_entries[j].rect, bHorz));
    return nThick;
}

/////////////////////////////////////////////////////////////////////////////
// Shares

void OZWDockRows::UpdateMinShare(int nLength)
{
    float fMin = nLength > 0 ? (float)ozwdock::kMinBarLength / (float)nLength : ozwdock::kDefaultMinShare;
    m_fMinShare = std::clamp(fMin, 0.0f, 1.0f);
}

float OZWDockRows::AdjustBarShare(float fDelta, int i)
{
    if (!IsBar(i))
        return fDelta;
    OZWDockEntry& e = m_entries[i];
    e.fShare += fDelta;
    if (e.fShare < m_fMinShare) {
        const float fShort = e.fShare - m_fMinShare;
        e.fShare = m_fMinShare;
        return fShort;
    }
    return 0.0f;
}

void OZWDockRows::CalcRowShares(int nRowStart, const void* pActive, int& nSized, int& nFixed)
{
    nSized = nFixed = 0;
    const int nStart = RowStart(nRowStart), nEnd = RowEnd(nRowStart);
    // A bar that would take (nearly) the whole row is no reason to squeeze
    // the others: it is treated like them.
    for (int j = nStart; j < nEnd; ++j) {
        const OZWDockEntry& e = m_entries[j];
        if (e.IsBar() && e.pBar == pActive && e.bVisible && e.fShare >= ozwdock::kMaxShare)
            pActive = nullptr;
    }

    // Pass 1: F, the shares the settled bars hold; N, what the active bar and
    // the bars without a share ask for.
    float fSettled = 0.0f, fAsked = 0.0f;
    for (int j = nStart; j < nEnd; ++j) {
        OZWDockEntry& e = m_entries[j];
        if (!e.IsBar())
            continue;
        if (!e.bVisible) {
            e.bShareValid = FALSE;
            continue;
        }
        if (e.IsFixedSize()) {
            ++nFixed;
            continue;
        }
        ++nSized;
        if (e.pBar != pActive && e.bShareValid) {
            fSettled += e.fShare;
        } else {
            e.fShare = std::min(std::max(e.fShare, m_fMinShare), ozwdock::kMaxShare);
            fAsked += e.fShare;
        }
    }

    // The asking bars end with what they asked for (N of the row, at most
    // 0.95); the settled ones share the rest (1 - N) in their proportions:
    // scaling the asked shares by F / (1 - N) makes N of the new total F + N.
    if (fAsked > 0.0f) {
        float fScale = 1.0f;
        if (fSettled > 0.0f) {
            fAsked = std::min(fAsked, ozwdock::kMaxShare);
            fScale = fSettled / (1.0f - fAsked);
        } else {
            fScale = 1.0f / fAsked;
        }
        // Pass 2
        for (int j = nStart; j < nEnd; ++j) {
            OZWDockEntry& e = m_entries[j];
            if (!e.IsSized())
                continue;
            if (e.pBar == pActive || !e.bShareValid) {
                e.fShare = std::max(e.fShare * fScale, m_fMinShare);
                e.bShareValid = TRUE;
                fSettled += e.fShare;
            }
        }
    }

    // Pass 3: the shares of the row add up to 1.
    if (fSettled > 0.0f) {
        for (int j = nStart; j < nEnd; ++j) {
            OZWDockEntry& e = m_entries[j];
            if (e.IsSized())
                e.fShare = std::max(e.fShare / fSettled, m_fMinShare);
        }
    }
}

void OZWDockRows::ExpandBar(int i, int nMode)
{
    if (!IsBar(i))
        return;
    const int nStart = RowStart(i), nEnd = RowEnd(i);
    for (int j = nStart; j < nEnd; ++j) {
        OZWDockEntry& e = m_entries[j];
        if (!e.IsBar())
            continue;
        if (nMode == 1)
            e.fShare = j == i ? 1.0f : 0.0f;
        else
            e.fShare = 0.1f;
        e.bShareValid = TRUE;
    }
    int nSized = 0, nFixed = 0;
    CalcRowShares(nStart, nullptr, nSized, nFixed);
    for (int j = 1; j < GetSize(); ++j) {
        if (m_entries[j].IsBar())
            Queue(m_entries[j].pBar);
    }
}

int OZWDockRows::SharedRowLength(int i, int nRowLength) const
{
    const bool bHorz = IsHorz();
    const std::vector<int> visible = VisibleBarsOfRow(i);
    int nLength = nRowLength - ozwdock::kSplitterSize * std::max(0, (int)visible.size() - 1);
    for (int j : visible) {
        const OZWDockEntry& e = m_entries[j];
        if (e.IsFixedSize())
            nLength -= bHorz ? e.size.cx : e.size.cy;
    }
    return std::max(nLength, 0);
}

/////////////////////////////////////////////////////////////////////////////
// Inserting and removing

void OZWDockRows::CollapseAt(int i)
{
    if (i > 0 && i < GetSize() && m_entries[i].IsRowEnd() && m_entries[i - 1].IsRowEnd())
        m_entries.erase(m_entries.begin() + i);
}

int OZWDockRows::SeparateOwnRow(int i)
{
    const bool bOwnRow = m_entries[i].IsOwnRow();
    // After it: a row end when the next entry is an own-row bar, or when
    // this bar is one and anything follows in the row.
    if (i + 1 < GetSize()) {
        const OZWDockEntry& next = m_entries[i + 1];
        if (!next.IsRowEnd() && (bOwnRow || (next.IsBar() && next.IsOwnRow())))
            m_entries.insert(m_entries.begin() + i + 1, OZWDockEntry::MakeRowEnd());
    }
    // Likewise before it.
    const OZWDockEntry& prev = m_entries[i - 1];
    if (!prev.IsRowEnd() && (bOwnRow || (prev.IsBar() && prev.IsOwnRow()))) {
        m_entries.insert(m_entries.begin() + i, OZWDockEntry::MakeRowEnd());
        ++i;
    }
    if (!m_entries.back().IsRowEnd())
        m_entries.push_back(OZWDockEntry::MakeRowEnd());
    return i;
}

int OZWDockRows::InsertBarAtIndex(int nIndex, const OZWDockEntry& bar)
{
    nIndex = std::clamp(nIndex, 1, GetSize());
    m_entries.insert(m_entries.begin() + nIndex, bar);
    const int i = SeparateOwnRow(nIndex);
    if (m_entries.back().kind != OZWDockEntry::RowEnd)
        m_entries.push_back(OZWDockEntry::MakeRowEnd());
    return i;
}

int OZWDockRows::InsertBarAsFirstRow(const OZWDockEntry& bar)
{
    int nFirst = -1;
    for (int i = 1; i < GetSize(); ++i) {
        if (!m_entries[i].IsRowEnd()) {
            nFirst = i;
            break;
        }
    }
    if (nFirst < 0) {
        // Nothing here yet: the bar is the only row.
        while (GetSize() > 1 && m_entries.back().IsRowEnd() && m_entries[GetSize() - 2].IsRowEnd())
            m_entries.pop_back();
        if (!m_entries.back().IsRowEnd())
            m_entries.push_back(OZWDockEntry::MakeRowEnd());
        m_entries.push_back(bar);
        m_entries.push_back(OZWDockEntry::MakeRowEnd());
        m_bRowsChanged = TRUE;
        return GetSize() - 2;
    }
    m_entries.insert(m_entries.begin() + nFirst, OZWDockEntry::MakeRowEnd());
    m_entries.insert(m_entries.begin() + nFirst, bar);
    m_bRowsChanged = TRUE;
    return nFirst;
}

int OZWDockRows::AppendAsLastRow(const OZWDockEntry& bar)
{
    // Row ends after the last bar or kept place go; places kept at the end
    // stay, so that their bars find their way back.
    while (GetSize() > 1 && m_entries.back().IsRowEnd())
        m_entries.pop_back();
    if (GetSize() > 1)
        m_entries.push_back(OZWDockEntry::MakeRowEnd());
    m_entries.push_back(bar);
    m_entries.push_back(OZWDockEntry::MakeRowEnd());
    m_bRowsChanged = TRUE;
    return GetSize() - 2;
}

int OZWDockRows::InsertBarAtPos(const OZWDockEntry& bar, const OZWDockPos& pos)
{
    Queue(bar.pBar);
    // 1. Nothing here yet.
    if (GetSize() <= 1) {
        m_entries.push_back(bar);
        m_entries.push_back(OZWDockEntry::MakeRowEnd());
        m_bRowsChanged = TRUE;
        return 1;
    }
    if (!m_entries.back().IsRowEnd())
        m_entries.push_back(OZWDockEntry::MakeRowEnd());
    const int nRows = GetRowCount();

    int nRowStart = -1;
    if (!(pos.dwFlags & OZWDockPos::RowsFromEnd)) {
        // 2. Rows counted from the start; a negative row opens a new first
        // row followed by -1 - row empty rows.
        if (pos.nRow < 0) {
            const int i = InsertBarAsFirstRow(bar);
            for (int k = 0; k < -1 - pos.nRow; ++k)
                m_entries.insert(m_entries.begin() + i + 2, OZWDockEntry::MakeRowEnd());
            return i;
        }
        if (pos.nRow >= nRows) {
            // 4. Beyond the last row: new rows after it.
            OZWDockPos again = pos;
            again.dwFlags |= OZWDockPos::RowsFromEnd;
            again.nRow = pos.nRow - nRows + 1;
            return InsertBarAtPos(bar, again);
        }
        nRowStart = RowStartByNumber(pos.nRow);
    } else {
        // 3. Rows counted from the end; a positive row appends row - 1
        // empty rows and the bar in a new last row.
        if (pos.nRow > 0) {
            for (int k = 0; k < pos.nRow - 1; ++k)
                m_entries.push_back(OZWDockEntry::MakeRowEnd());
            m_entries.push_back(bar);
            m_entries.push_back(OZWDockEntry::MakeRowEnd());
            m_bRowsChanged = TRUE;
            return GetSize() - 2;
        }
        const int nBack = -pos.nRow;
        if (nBack >= nRows) {
            // 4. Before the first row: new rows before it.
            OZWDockPos again = pos;
            again.dwFlags &= ~OZWDockPos::RowsFromEnd;
            again.nRow = -1 - (nBack - nRows);
            return InsertBarAtPos(bar, again);
        }
        nRowStart = RowStartByNumber(nRows - 1 - nBack);
    }

    // 5. Within an existing row.
    const int nRowEnd = RowEnd(nRowStart);
    if (pos.dwFlags & OZWDockPos::NewRow) {
        m_entries.insert(m_entries.begin() + nRowStart, OZWDockEntry::MakeRowEnd());
        m_entries.insert(m_entries.begin() + nRowStart, bar);
        m_bRowsChanged = TRUE;
        return SeparateOwnRow(nRowStart);
    }
    int nIndex = nRowStart;
    if (nRowEnd > nRowStart) {
        std::vector<int> visible;
        for (int j = nRowStart; j < nRowEnd; ++j) {
            if (m_entries[j].IsBar() && m_entries[j].bVisible)
                visible.push_back(j);
        }
        if (!(pos.dwFlags & OZWDockPos::ColumnsFromEnd)) {
            if (pos.nColumn < 1)
                nIndex = nRowStart;
            else if (pos.nColumn > (int)visible.size())
                nIndex = nRowEnd;
            else
                nIndex = visible[pos.nColumn - 1] + 1;
        } else {
            if (pos.nColumn > 0) {
                nIndex = nRowEnd;
            } else {
                const int n = -pos.nColumn; // before the (n+1)-th from the end
                if (n >= (int)visible.size())
                    nIndex = nRowStart;
                else
                    nIndex = visible[visible.size() - 1 - n];
            }
        }
    }
    if (IsBar(nIndex))
        Queue(m_entries[nIndex].pBar); // the bar it displaces
    return InsertBarAtIndex(nIndex, bar);
}

OZWDockDropPlace OZWDockRows::FindDropPlace(CPoint pt, const void* pBar) const
{
    const bool bHorz = IsHorz();
    const int nAcross = Across(pt, bHorz), nAlong = Along(pt, bHorz);
    OZWDockDropPlace place;
    for (int nStart = 1; nStart < GetSize();) {
        const int nEnd = RowEnd(nStart);
        // The row's extent across, from its visible bars (the dragged bar
        // counts when it is alone there, so that it stays put).
        int nLow = INT_MAX, nHigh = INT_MIN;
        bool bOthers = false;
        for (int j = nStart; j < nEnd; ++j) {
            const OZWDockEntry& e = m_entries[j];
            if (!e.IsBar() || !e.bVisible)
                continue;
            nLow = std::min(nLow, AcrossStart(e.rect, bHorz));
            nHigh = std::max(nHigh, AcrossEnd(e.rect, bHorz));
            if (e.pBar != pBar)
                bOthers = true;
        }
        if (nLow <= nHigh) {
            if (nAcross < nLow) {
                // Before this row: a new row in front of it.
                place.kind = OZWDockDropPlace::NewRowAt;
                place.nIndex = nStart;
                place.nRowStart = nStart;
                return place;
            }
            if (nAcross < nHigh) {
                place.kind = OZWDockDropPlace::InRow;
                place.nRowStart = nStart;
                place.nIndex = nEnd;
                if (!bOthers) {
                    // The dragged bar alone in its row: it stays where it is.
                    place.nIndex = FindBar(pBar) >= 0 ? FindBar(pBar) : nStart;
                    return place;
                }
                // Before the first other bar whose middle lies beyond the point.
                for (int j = nStart; j < nEnd; ++j) {
                    const OZWDockEntry& e = m_entries[j];
                    if (!e.IsBar() || !e.bVisible || e.pBar == pBar)
                        continue;
                    const int nMid = (AlongStart(e.rect, bHorz) + AlongEnd(e.rect, bHorz)) / 2;
                    if (nAlong < nMid) {
                        place.nIndex = j;
                        return place;
                    }
                    place.nIndex = j + 1;
                }
                return place;
            }
        }
        nStart = nEnd + 1;
    }
    place.kind = OZWDockDropPlace::NewLastRow;
    place.nIndex = GetSize();
    return place;
}

int OZWDockRows::InsertBarAtPoint(const OZWDockEntry& bar, CPoint pt)
{
    Queue(bar.pBar);
    const OZWDockDropPlace place = FindDropPlace(pt, bar.pBar);
    int i = 0;
    switch (place.kind) {
    case OZWDockDropPlace::InRow:
        i = InsertBarAtIndex(place.nIndex, bar);
        break;
    case OZWDockDropPlace::NewRowAt:
        m_entries.insert(m_entries.begin() + place.nIndex, OZWDockEntry::MakeRowEnd());
        m_entries.insert(m_entries.begin() + place.nIndex, bar);
        m_bRowsChanged = TRUE;
        i = place.nIndex;
        break;
    case OZWDockDropPlace::NewLastRow:
        // A new last row; an empty row after it stays until a removal.
        i = AppendAsLastRow(bar);
        m_entries.push_back(OZWDockEntry::MakeRowEnd());
        break;
    }
    QueueFrom(i);
    return i;
}

int OZWDockRows::ReplacePlaceholder(const OZWDockEntry& bar)
{
    const int i = FindPlaceholder(bar.nID);
    if (i < 0)
        return -1;
    m_entries[i] = bar;
    Queue(bar.pBar);
    return SeparateOwnRow(i);
}

bool OZWDockRows::RemoveEntry(int i, bool bAddPlaceholder)
{
    if (i <= 0 || i >= GetSize() || m_entries[i].IsRowEnd())
        return false;
    const bool bAlone = IsBar(i) && IsAloneInRow(i);
    void* pBar = m_entries[i].pBar;
    const UINT nID = m_entries[i].nID & 0xFFFF;
    if (bAlone) {
        QueueFrom(i);
        m_bRowsChanged = TRUE;
    }
    if (bAddPlaceholder && m_entries[i].IsBar() && nID != 0) {
        m_entries[i] = OZWDockEntry::MakePlaceholder(nID);
        // One place per bar: a place kept already wins.
        if (FindPlaceholder(nID, i) >= 0) {
            m_entries.erase(m_entries.begin() + i);
            CollapseAt(i);
        }
    } else {
        m_entries.erase(m_entries.begin() + i);
        CollapseAt(i);
    }
    if (m_entries.empty() || !m_entries.front().IsRowEnd())
        m_entries.insert(m_entries.begin(), OZWDockEntry::MakeRowEnd());
    if (!m_entries.back().IsRowEnd())
        m_entries.push_back(OZWDockEntry::MakeRowEnd());
    Dequeue(pBar);
    return bAlone;
}

void OZWDockRows::RemovePlaceholder(UINT nID)
{
    const int i = FindPlaceholder(nID);
    if (i > 0) {
        m_entries.erase(m_entries.begin() + i);
        CollapseAt(i);
        if (!m_entries.back().IsRowEnd())
            m_entries.push_back(OZWDockEntry::MakeRowEnd());
    }
}

float OZWDockRows::DropShare(const OZWDockEntry& bar, const OZWDockDropPlace& place) const
{
    if (place.kind != OZWDockDropPlace::InRow || bar.IsFixedSize())
        return bar.fShare;
    float fOthers = 0.0f;
    const int nEnd = RowEnd(place.nRowStart);
    for (int j = place.nRowStart; j < nEnd; ++j) {
        const OZWDockEntry& e = m_entries[j];
        if (e.IsSized() && e.pBar != bar.pBar)
            fOthers += e.fShare;
    }
    if (fOthers <= 0.0f)
        return bar.fShare;
    const float fOwn = std::max(bar.fShare, m_fMinShare);
    return fOwn / (fOthers + fOwn);
}

CRect OZWDockRows::CalcFeedbackRect(const OZWDockEntry& bar, const CRect& rectDrag, CPoint pt, int nDockLength,
                                    OZWDockFeedbackCache& cache) const
{
    const bool bHorz = IsHorz();
    const OZWDockDropPlace place = FindDropPlace(rectDrag.CenterPoint(), bar.pBar);
    const int nRow = place.kind == OZWDockDropPlace::InRow ? place.nRowStart : -1;
    bool bOthers = false;
    if (nRow >= 0) {
        const int nEnd = RowEnd(nRow);
        for (int j = nRow; j < nEnd; ++j) {
            if (m_entries[j].IsBar() && m_entries[j].bVisible && m_entries[j].pBar != bar.pBar)
                bOthers = true;
        }
    }

    CRect rect = rectDrag;
    if (bOthers && nRow == cache.nRow) {
        // The same row as before: the outline follows the cursor.
        rect = cache.rect;
        rect.OffsetRect(pt.x - cache.point.x, pt.y - cache.point.y);
    } else if (!bar.IsFixedSize()) {
        const float fShare = DropShare(bar, place);
        int nLength = AlongEnd(rect, bHorz) - AlongStart(rect, bHorz);
        int nThick = AcrossEnd(rect, bHorz) - AcrossStart(rect, bHorz);
        int nAlong0 = AlongStart(rect, bHorz), nAcross0 = AcrossStart(rect, bHorz);
        if (!bOthers) {
            // A row of its own: the whole length of the dock bar.
            nAlong0 = 0;
            nLength = nDockLength;
        } else {
            // Its share of the row, as thick as the row; the cursor keeps its
            // relative place in the outline.
            const int nNewLength = (int)(fShare * (float)nDockLength);
            const int nNewThick = RowThickness(nRow);
            const int nCurAlong = Along(pt, bHorz), nCurAcross = Across(pt, bHorz);
            if (nLength > 0)
                nAlong0 = nCurAlong - (int)((long long)(nCurAlong - nAlong0) * nNewLength / nLength);
            if (nThick > 0 && nNewThick > 0)
                nAcross0 = nCurAcross - (int)((long long)(nCurAcross - nAcross0) * nNewThick / nThick);
            nLength = nNewLength;
            if (nNewThick > 0)
                nThick = nNewThick;
        }
        rect = MakeRect(nAlong0, nAlong0 + nLength, nAcross0, nAcross0 + nThick, bHorz);
    }
    cache.nRow = bOthers ? nRow : -2; // a new row is never "the same row"
    cache.rect = rect;
    cache.point = pt;
    return rect;
}

/////////////////////////////////////////////////////////////////////////////
// Repainting

void OZWDockRows::Queue(void* pBar)
{
    if (pBar != nullptr && std::find(m_queued.begin(), m_queued.end(), pBar) == m_queued.end())
        m_queued.push_back(pBar);
}

void OZWDockRows::Dequeue(const void* pBar)
{
    m_queued.erase(std::remove(m_queued.begin(), m_queued.end(), pBar), m_queued.end());
}

void OZWDockRows::QueueFrom(int i)
{
    if (IsNearSide()) {
        for (int j = std::max(i, 0); j < GetSize(); ++j) {
            if (m_entries[j].IsBar())
                Queue(m_entries[j].pBar);
        }
    } else {
        for (int j = 0; j < std::min(i, GetSize()); ++j) {
            if (m_entries[j].IsBar())
                Queue(m_entries[j].pBar);
        }
    }
}

void OZWDockRows::QueueRowToolBars(int i)
{
    if (i <= 0 || i >= GetSize())
        return;
    const int nStart = RowStart(i), nEnd = RowEnd(i);
    for (int j = nStart; j < nEnd; ++j) {
        if (m_entries[j].IsBar() && m_entries[j].bToolBar)
            Queue(m_entries[j].pBar);
    }
}
