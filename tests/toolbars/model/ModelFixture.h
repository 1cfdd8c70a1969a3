// Toolbars written as short strings for the model tests: 'B' a standard
// button (23 x 22), '|' a separator (8 x 22), 'W' a wide button (100 x 22),
// 'T' a tall button (23 x 30), 'c' a button centred in its row (23 x 16),
// 'H' a hidden wide button.
#pragma once

#include "toolbars/model/ToolBarLayout.h"

#include <string>

namespace modeltest {

inline ozwtb::Layout Bar(const std::string& text)
{
    ozwtb::Layout layout;
    for (char c : text) {
        ozwtb::LayoutButton b;
        b.cx = 23;
        b.cy = 22;
        switch (c) {
        case '|':
            b.cx = 8;
            b.style = TBB_SEPARATOR;
            break;
        case 'W':
            b.cx = 100;
            break;
        case 'T':
            b.cy = 30;
            break;
        case 'c':
            b.cy = 16;
            b.style = TBB_CENTERVERT;
            break;
        case 'H':
            b.cx = 100;
            b.style = TBB_HIDDEN;
            break;
        default:
            break;
        }
        layout.push_back(b);
    }
    return layout;
}

// The row ends of a wrapped layout as text: the index of each row's last
// button, with 's' after it when the row ends at a separator ("2s 4").
inline std::string RowEnds(const std::vector<ozwtb::RowInfo>& rows)
{
    std::string text;
    for (const ozwtb::RowInfo& row : rows) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(row.nLast);
        if (row.bSepBreak)
            text += 's';
    }
    return text;
}

// Lays a bar out in one row from (xLeft, yTop).
inline ozwtb::Layout LaidOut(const std::string& text, int xLeft = 0, int yTop = 0)
{
    ozwtb::Layout layout = Bar(text);
    ozwtb::Metrics metrics;
    ozwtb::SizeToolBar(layout, 32767, FALSE, metrics);
    ozwtb::PositionButtons(layout, xLeft, yTop, FALSE, metrics);
    return layout;
}

} // namespace modeltest
