#include "toolbars/buttons/ColorWellGeometry.h"

#include <algorithm>

namespace dedaride {
namespace foundation {

CSize ColorWellGeometry::WindowSize() const
{
    int cx = nCols * cxCell + 2 * (cxMargin + nCols) - 2;
    int cy = nRows * cyCell + 2 * (cyMargin + nRows) - 2;
    if (bShowOther)
        cy += OtherRowHeight() + 6;
    return CSize(cx, cy);
}

CRect ColorWellGeometry::CellRect(int col, int row, const CRect& client) const
{
    int left = client.left + cxMargin + col * (cxCell + 2);
    int top = client.top + cyMargin + row * (cyCell + 2);
    if (IsCustom(col, row))
        top += 5;
    return CRect(left, top, left + cxCell, top + cyCell);
}

BOOL ColorWellGeometry::HitTest(CPoint point, const CRect& client, int& col, int& row) const
{
    for (int c = 0; c < nCols; ++c) {
        for (int r = 0; r < nRows; ++r) {
            CRect rc = CellRect(c, r, client);
            rc.InflateRect(1, 1);
            if (rc.PtInRect(point)) {
                col = c;
                row = r;
                return TRUE;
            }
        }
    }
    if (CustomAvailable()) {
        CRect rc = CellRect(CustomCol(), CustomRow(), client);
        rc.InflateRect(1, 1);
        if (rc.PtInRect(point)) {
            col = CustomCol();
            row = CustomRow();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ColorWellGeometry::Navigate(UINT nKey, int& col, int& row) const
{
    int lastCol = nCols - 1, lastRow = nRows - 1;
    BOOL bCustom = IsCustom(col, row);
    BOOL bAvailable = CustomAvailable();
    switch (nKey) {
    case VK_LEFT:
        if (bCustom) {
            col = lastCol;
            row = lastRow;
        }
        else if (col > 0) {
            col--;
        }
        else if (row > 0) {
            col = lastCol;
            row--;
        }
        else if (bAvailable) {
            col = CustomCol();
            row = CustomRow();
        }
        else {
            col = lastCol;
            row = lastRow;
        }
        return TRUE;
    case VK_UP:
        if (row > 0)
            row--;
        else if (bAvailable && col == CustomCol())
            row = CustomRow();
        else
            row = lastRow;
        return TRUE;
    case VK_RIGHT:
        if (bCustom) {
            col = 0;
            row = 0;
        }
        else if (col < lastCol) {
            col++;
        }
        else if (row < lastRow) {
            col = 0;
            row++;
        }
        else if (bAvailable) {
            col = CustomCol();
            row = CustomRow();
        }
        else {
            col = 0;
            row = 0;
        }
        return TRUE;
    case VK_DOWN:
        if (row < lastRow)
            row++;
        else if (!bCustom && bAvailable && col == CustomCol())
            row = CustomRow();
        else
            row = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

CRect ColorWellGeometry::SeparatorRect(const CRect& client) const
{
    int top = client.top + cyMargin + nRows * (cyCell + 2) + 1;
    return CRect(client.left + cxMargin, top, client.right - cxMargin, top + 2);
}

CRect ColorWellGeometry::OtherButtonRect(const CRect& client) const
{
    return CRect(client.left + cxMargin, client.bottom - cyMargin - OtherRowHeight(), client.right - cxMargin,
                 client.bottom - cyMargin);
}

CPoint PlacePopup(const CRect& rcButton, CSize size, const CRect& rcWork)
{
    int x = rcButton.left + size.cx <= rcWork.right ? rcButton.left : rcButton.right - size.cx;
    int y = rcButton.bottom + size.cy <= rcWork.bottom ? rcButton.bottom : rcButton.top - size.cy;
    // Where neither side fits, the popup stays on the work area all the same.
    x = std::max((int)rcWork.left, std::min(x, (int)rcWork.right - (int)size.cx));
    y = std::max((int)rcWork.top, std::min(y, (int)rcWork.bottom - (int)size.cy));
    return CPoint(x, y);
}

} // namespace foundation
} // namespace dedaride
