// The window-free part of the colour wells: where the cells lie, which cell a
// point hits, where the arrow keys move the selection, and where a popup well
// goes beside the button that drops it.
//
// The cells form a grid of columns x rows with 2-pixel gaps inside margins.
// With the "Other" row a custom-colour cell sits in the last column of an
// extra row below the grid, 5 pixels lower than the grid's rhythm (below a
// separator line); it counts only once a custom colour was set.
#pragma once

#include "platform/framework/base/Geometry.h"

namespace dedaride {
namespace foundation {

struct ColorWellGeometry
{
    int nCols = 4;
    int nRows = 5;
    int cxCell = 0;
    int cyCell = 0;
    int cxMargin = 2;
    int cyMargin = 2;
    BOOL bShowOther = FALSE;   // the Other row exists
    BOOL bCustomSet = FALSE;   // a custom colour was stored

    int CustomCol() const { return nCols - 1; }
    int CustomRow() const { return nRows; }
    int CustomIndex() const { return nRows * nCols; }
    BOOL IsCustom(int col, int row) const { return col == CustomCol() && row == CustomRow(); }
    // The custom cell can be hit and reached by the keyboard.
    BOOL CustomAvailable() const { return bShowOther && bCustomSet; }
    // The palette index of a cell.
    int CellIndex(int col, int row) const { return IsCustom(col, row) ? CustomIndex() : nCols * row + col; }
    // Height of the Other row.
    int OtherRowHeight() const { return cyCell + 2; }

    // The window's size for these cells (and the Other row when shown).
    CSize WindowSize() const;
    // A cell's rectangle in a client area laid out as WindowSize says.
    CRect CellRect(int col, int row, const CRect& client) const;
    // The cell under a point: every cell grown by 1 pixel (a gap splits
    // between its neighbours), columns first, the first hit winning; then
    // the custom cell when available. FALSE when no cell is hit.
    BOOL HitTest(CPoint point, const CRect& client, int& col, int& row) const;
    // The selection after an arrow key (VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN);
    // FALSE for other keys.
    BOOL Navigate(UINT nKey, int& col, int& row) const;
    // The separator line above the Other row (2 pixels high).
    CRect SeparatorRect(const CRect& client) const;
    // The Other button, full width (before the custom cell narrows it).
    CRect OtherButtonRect(const CRect& client) const;
};

// Where a popup of the given size goes for a button (screen coordinates):
// under the button, left-aligned, when it fits in the work area; otherwise
// above it, or right-aligned with it; and kept inside the work area.
CPoint PlacePopup(const CRect& rcButton, CSize size, const CRect& rcWork);

} // namespace foundation
} // namespace dedaride
