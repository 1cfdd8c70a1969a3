#include "toolbars/model/ToolBarLayout.h"

#include <algorithm>
#include <climits>

namespace ozwtb {

Metrics Metrics::ForImage(int cxImage, int cyImage)
{
    Metrics m;
    m.cxButton = cxImage + 7;
    m.cyButton = cyImage + 7;
    return m;
}

namespace {

// The next visible button after nIndex, or -1.
int NextVisible(const Layout& b, int nIndex)
{
    for (int i = nIndex + 1; i < (int)b.size(); ++i)
        if (!b[i].IsHidden())
            return i;
    return -1;
}

int PrevVisible(const Layout& b, int nIndex)
{
    for (int i = nIndex - 1; i >= 0; --i)
        if (!b[i].IsHidden())
            return i;
    return -1;
}

// Width and height of the row from nFirst to row.nLast.
void MeasureRow(const Layout& b, int nFirst, RowInfo& row)
{
    row.cx = 0;
    row.cy = 0;
    int cyAny = 0;
    for (int i = nFirst; i <= row.nLast && i < (int)b.size(); ++i) {
        if (b[i].IsHidden())
            continue;
        if (i == row.nLast && row.bSepBreak)
            continue;
        row.cx += b[i].cx;
        cyAny = std::max(cyAny, b[i].cy);
        if (!b[i].IsSeparator())
            row.cy = std::max(row.cy, b[i].cy);
    }
    // A row of separators only is as high as they are.
    if (row.cy == 0)
        row.cy = cyAny;
}

int RowFirst(const Layout& b, const std::vector<RowInfo>& rows, int r)
{
    return r == 0 ? NextVisible(b, -1) : NextVisible(b, rows[r - 1].nLast);
}

void MeasureAll(const Layout& b, std::vector<RowInfo>& rows)
{
    for (int r = 0; r < (int)rows.size(); ++r)
        MeasureRow(b, RowFirst(b, rows, r), rows[r]);
}

int CountVisible(const Layout& b, int nFirst, int nLast)
{
    int n = 0;
    for (int i = nFirst; i >= 0 && i <= nLast; ++i)
        if (!b[i].IsHidden())
            n++;
    return n;
}

} // namespace

int WrapButtons(const Layout& b, int nWidth, std::vector<RowInfo>& rows)
{
    rows.clear();
    auto endRow = [&rows](int nLast, BOOL bSep) {
        RowInfo row;
        row.nLast = nLast;
        row.bSepBreak = bSep;
        rows.push_back(row);
    };
    int rowStart = -1;  // first visible button of the row being filled
    int lastSep = -1;   // its last separator after its first button
    int x = 0;
    int prev = -1;      // the visible button before the current one
    for (int i = 0; i < (int)b.size(); ++i) {
        if (b[i].IsHidden())
            continue;
        if (rowStart < 0) {
            rowStart = i;
            x = 0;
            lastSep = -1;
        }
        bool consumed = false;
        while (i != rowStart && x + b[i].cx > nWidth + 2) {
            if (b[i].IsSeparator()) {
                // The separator that runs over ends its row itself.
                endRow(i, TRUE);
                rowStart = -1;
                consumed = true;
                break;
            }
            if (lastSep > rowStart) {
                // The row ends at its last separator; what followed it
                // starts the next row.
                endRow(lastSep, TRUE);
                rowStart = NextVisible(b, lastSep);
                x = 0;
                lastSep = -1;
                for (int k = rowStart; k >= 0 && k < i; ++k) {
                    if (b[k].IsHidden())
                        continue;
                    x += b[k].cx;
                    if (b[k].IsSeparator() && k != rowStart)
                        lastSep = k;
                }
                continue;
            }
            endRow(prev, FALSE);
            rowStart = i;
            x = 0;
            lastSep = -1;
        }
        prev = i;
        if (consumed)
            continue;
        x += b[i].cx;
        if (b[i].IsSeparator() && i != rowStart)
            lastSep = i;
    }
    if (prev >= 0 && (rows.empty() || rows.back().nLast != prev))
        endRow(prev, FALSE);
    MeasureAll(b, rows);
    return (int)rows.size();
}

void BalanceRows(const Layout& b, std::vector<RowInfo>& rows)
{
    if (rows.size() <= 1)
        return;
    // Each move makes the widest row narrower and never a later row as wide,
    // so this ends; the bound only guards against a mistake.
    for (int guard = 0; guard < 4096; ++guard) {
        int w = 0;
        for (int r = 1; r < (int)rows.size(); ++r)
            if (rows[r].cx >= rows[w].cx)
                w = r;
        if (w == (int)rows.size() - 1)
            return;
        const int first = RowFirst(b, rows, w);
        RowInfo& row = rows[w];
        RowInfo& next = rows[w + 1];
        bool moved = false;
        if (!row.bSepBreak) {
            // The row's last button moves to the start of the next row.
            const int last = row.nLast;
            if (CountVisible(b, first, last) - 1 >= 2 && next.cx + b[last].cx < row.cx) {
                row.nLast = PrevVisible(b, last);
                row.bSepBreak = b[row.nLast].IsSeparator();
                moved = true;
            }
        }
        else {
            // The group after the row's previous separator moves down with
            // the separator that ended the row.
            int sep = -1;
            for (int i = row.nLast - 1; i > first; --i) {
                if (!b[i].IsHidden() && b[i].IsSeparator()) {
                    sep = i;
                    break;
                }
            }
            if (sep > first) {
                int group = 0;
                for (int i = sep + 1; i <= row.nLast; ++i)
                    if (!b[i].IsHidden())
                        group += b[i].cx;
                if (next.cx + group < row.cx) {
                    row.nLast = sep;
                    row.bSepBreak = TRUE;
                    moved = true;
                }
            }
        }
        if (!moved)
            return;
        MeasureAll(b, rows);
    }
}

void SetRowEnds(Layout& b, const std::vector<RowInfo>& rows)
{
    for (LayoutButton& button : b)
        button.style &= ~TBB_WRAPPED;
    for (size_t r = 0; r + 1 < rows.size(); ++r)
        if (rows[r].nLast >= 0)
            b[rows[r].nLast].style |= TBB_WRAPPED;
}

SIZE MeasureRows(const Layout& b, const std::vector<RowInfo>& rows, const Metrics& metrics, BOOL bVert)
{
    SIZE size = {0, 0};
    for (size_t r = 0; r < rows.size(); ++r) {
        size.cx = std::max(size.cx, (LONG)rows[r].cx);
        size.cy += rows[r].cy;
        if (rows[r].bSepBreak && r + 1 < rows.size())
            size.cy += bVert ? b[rows[r].nLast].cx : metrics.SepBand();
    }
    return size;
}

SIZE SizeToolBar(Layout& b, int nLength, BOOL bVert, const Metrics& metrics, BOOL bBalance)
{
    return SizeToolBar(b, nLength, bVert, metrics, bBalance, bVert);
}

SIZE SizeToolBar(Layout& b, int nLength, BOOL bVert, const Metrics& metrics, BOOL bBalance, BOOL bVertLayout)
{
    int widest = 0;
    int narrowest = 0;
    int count = 0;
    int total = 0;
    for (const LayoutButton& button : b) {
        if (button.IsHidden())
            continue;
        total += button.cx;
        if (button.IsSeparator())
            continue;
        widest = count == 0 ? button.cx : std::max(widest, button.cx);
        narrowest = count == 0 ? button.cx : std::min(narrowest, button.cx);
        count++;
    }
    if (count == 0)
        narrowest = widest = metrics.cxButton;

    std::vector<RowInfo> rows;
    if (!bVert) {
        WrapButtons(b, std::max(nLength, widest), rows);
    }
    else {
        // A length shorter than one button still asks for one row.
        const int rowsWanted = std::max(1, nLength / std::max(1, metrics.cyButton));
        int width = metrics.cxButton * std::max(count, 1) / rowsWanted;
        if (width <= narrowest)
            width = narrowest;
        WrapButtons(b, width, rows);
        int height = MeasureRows(b, rows, metrics, bVertLayout).cy;
        // Wider by whole buttons until the rows fit the length (or all
        // buttons stand in one row).
        while (height > nLength && height > metrics.cyButton && width < total) {
            width += metrics.cxButton;
            WrapButtons(b, width, rows);
            height = MeasureRows(b, rows, metrics, bVertLayout).cy;
        }
        // Narrower by whole buttons while they still fit.
        if (height < nLength) {
            for (;;) {
                const int narrower = width - metrics.cxButton;
                if (narrower < narrowest)
                    break;
                WrapButtons(b, narrower, rows);
                const int h = MeasureRows(b, rows, metrics, bVertLayout).cy;
                if (h > nLength) {
                    WrapButtons(b, width, rows);
                    break;
                }
                width = narrower;
                if (h == nLength)
                    break;
            }
        }
    }
    if (bBalance)
        BalanceRows(b, rows);
    SetRowEnds(b, rows);
    return MeasureRows(b, rows, metrics, bVertLayout);
}

SIZE PositionButtons(Layout& b, int xLeft, int yTop, BOOL bVert, const Metrics& metrics)
{
    int x = xLeft;
    int y = yTop;
    int rowHeight = 0;
    int rowFirst = 0;
    int cxMax = 0;
    auto finishRow = [&](int nLast) {
        for (int k = rowFirst; k <= nLast; ++k) {
            LayoutButton& button = b[k];
            if (!button.IsHidden() && (button.style & TBB_CENTERVERT) && button.cy < rowHeight)
                button.y += (rowHeight - button.cy) / 2;
        }
    };
    const int n = (int)b.size();
    for (int i = 0; i < n; ++i) {
        LayoutButton& button = b[i];
        if (button.IsHidden())
            continue;
        button.x = x;
        button.y = y;
        rowHeight = std::max(rowHeight, button.cy);
        const bool endsRow = button.Wraps();
        if (!(endsRow && button.IsSeparator()))
            cxMax = std::max(cxMax, x + button.cx - xLeft);
        if (!endsRow) {
            x += button.cx;
            continue;
        }
        finishRow(i);
        y += rowHeight;
        x = xLeft;
        if (button.IsSeparator()) {
            if (!bVert) {
                y += metrics.SepBand();
            }
            else {
                // Across the bar, where the next row would start.
                button.x = x;
                button.y = y;
                y += button.cx;
            }
        }
        rowHeight = 0;
        rowFirst = i + 1;
    }
    finishRow(n - 1);
    y += rowHeight;
    return SIZE{cxMax, y - yTop};
}

int HitTest(const Layout& b, int x, int y)
{
    const int n = (int)b.size();
    int first = 0;
    while (first < n) {
        // The row: up to the next button that ends one.
        int last = first;
        while (last < n - 1 && !(b[last].Wraps() && !b[last].IsHidden()))
            last++;
        int top = INT_MAX;
        int bottom = INT_MIN;
        for (int i = first; i <= last; ++i) {
            if (b[i].IsHidden())
                continue;
            top = std::min(top, b[i].y);
            bottom = std::max(bottom, b[i].y + b[i].cy);
        }
        if (top != INT_MAX) {
            if (y < top)
                return -1;
            if (y < bottom) {
                for (int i = first; i <= last; ++i) {
                    const LayoutButton& button = b[i];
                    if (button.IsHidden())
                        continue;
                    if (x >= button.x && x < button.x + button.cx && y >= button.y && y < button.y + button.cy)
                        return button.IsSeparator() ? -1 : i;
                }
                return -1;
            }
        }
        first = last + 1;
    }
    return -1;
}

void RowOf(const Layout& b, int nIndex, int& nFirst, int& nLast)
{
    const int n = (int)b.size();
    nFirst = 0;
    for (int i = std::min(nIndex, n) - 1; i >= 0; --i) {
        if (!b[i].IsHidden() && b[i].Wraps()) {
            nFirst = i + 1;
            break;
        }
    }
    nLast = n - 1;
    for (int i = std::max(nIndex, 0); i < n; ++i) {
        if (!b[i].IsHidden() && b[i].Wraps()) {
            nLast = i;
            break;
        }
    }
}

int TallestInRow(const Layout& b, int nFirst, int nLast, int nExclude)
{
    int cy = 0;
    for (int i = std::max(nFirst, 0); i <= nLast && i < (int)b.size(); ++i)
        if (i != nExclude && !b[i].IsHidden() && !b[i].IsSeparator())
            cy = std::max(cy, b[i].cy);
    return cy;
}

std::vector<int> SeparatorsToDrop(const Layout& b, int nRemoved)
{
    std::vector<int> drop;
    const int n = (int)b.size();
    if (n == 0)
        return drop;
    if (b[n - 1].IsSeparator())
        drop.push_back(n - 1);
    if (b[0].IsSeparator())
        drop.push_back(0);
    if (nRemoved > 0 && nRemoved < n && b[nRemoved - 1].IsSeparator() && b[nRemoved].IsSeparator())
        drop.push_back(nRemoved);
    std::sort(drop.begin(), drop.end(), [](int a, int c) { return a > c; });
    drop.erase(std::unique(drop.begin(), drop.end()), drop.end());
    return drop;
}

} // namespace ozwtb
