// The layout of a customisable toolbar without its window: its buttons as
// rectangles with style bits, wrapped into rows for a width, balanced, fitted
// to a docked length, placed row by row, and hit-tested. The toolbar copies
// its buttons into a Layout, lets these functions work on it, and takes the
// positions and row ends back.
//
// A button that ends a row carries TBB_WRAPPED. A row may end at a
// separator (it is "broken at a separator"): that separator does not count
// in its row's width; a horizontal bar leaves a band of two thirds of the
// separator size below such a row, a vertical bar puts the separator across
// the bar at the start of the next row and moves on by its width.
// Hidden buttons (TBB_HIDDEN) take no room and are never hit.
#pragma once

#include <windows.h>

#include <vector>

// Style and state bits of a toolbar button.
#define TBB_SEPARATOR       0x00000001UL // narrow gap; no image; never pressed
#define TBB_CHECKBOX        0x00000002UL // releasing the press toggles checked
#define TBB_DROPDOWN        0x00000008UL // pressing notifies a drop-down instead of tracking
#define TBB_CHECKED         0x00010000UL
#define TBB_PRESSED         0x00020000UL
#define TBB_DISABLED        0x00040000UL
#define TBB_HIDDEN          0x00080000UL
#define TBB_INDETERMINATE   0x00100000UL
#define TBB_WRAPPED         0x00200000UL // the row ends after this button
#define TBB_SELECTED        0x01000000UL // the customise selection
#define TBB_HOT             0x02000000UL // under the mouse (or keyboard focus)
#define TBB_TEXTWIDE1       0x04000000UL // widen a text button's themed background
#define TBB_TEXTWIDE2       0x08000000UL
#define TBB_KEEPENABLED     0x10000000UL // stays enabled when no command handler exists
#define TBB_CENTERVERT      0x20000000UL // centred vertically in its row

namespace ozwtb {

// One button as the layout sees it.
struct LayoutButton
{
    int x = -1;
    int y = -1;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;

    bool IsSeparator() const { return (style & TBB_SEPARATOR) != 0; }
    bool IsHidden() const { return (style & TBB_HIDDEN) != 0; }
    bool Wraps() const { return (style & TBB_WRAPPED) != 0; }
    RECT Rect() const { return RECT{x, y, x + cx, y + cy}; }
};

// One row of a wrapped layout.
struct RowInfo
{
    int nLast = -1;       // index of the row's last button
    BOOL bSepBreak = 0;   // the row ends at a separator
    int cx = 0;           // width (a breaking separator left out)
    int cy = 0;           // height: the tallest button that is not a separator
};

// The sizes a toolbar's buttons are measured by.
struct Metrics
{
    int cxButton = 23;    // standard button width: image width + 7
    int cyButton = 22;    // standard button height: image height + 7
    int nSepSize = 8;     // the separator size

    // Standard sizes for an image size.
    static Metrics ForImage(int cxImage, int cyImage);
    // The band below a horizontal row broken at a separator.
    int SepBand() const { return nSepSize * 2 / 3; }
};

// The width of a separator for an image width: (width + 8) / 3.
inline int SeparatorWidth(int cxImage)
{
    return (cxImage + 8) / 3;
}

using Layout = std::vector<LayoutButton>;

// Breaks the visible buttons into rows no wider than nWidth (+ 2): a row
// that would run over ends at its last separator, else before the button
// that runs over (a button alone in its row stays there, however wide).
// Fills rows and answers their number. Row-end flags are not touched.
int WrapButtons(const Layout& buttons, int nWidth, std::vector<RowInfo>& rows);

// Evens out the widths of wrapped rows by moving buttons from the widest row
// down into the next, as long as that row stays narrower.
void BalanceRows(const Layout& buttons, std::vector<RowInfo>& rows);

// Sets TBB_WRAPPED on the last button of every row but the last and clears
// it everywhere else.
void SetRowEnds(Layout& buttons, const std::vector<RowInfo>& rows);

// The size of the rows: the widest by the sum of the heights, with the band
// (horizontal) or the separator's width (vertical) for each row broken at a
// separator.
SIZE MeasureRows(const Layout& buttons, const std::vector<RowInfo>& rows, const Metrics& metrics, BOOL bVert);

// Wraps the buttons for a length: horizontally nLength is the width
// available; vertically (bVert) it is the height to fill, and the width
// grows or shrinks by whole button widths until the rows fit it. Balances
// the rows (bBalance), sets the row ends and answers the size of the rows,
// measured as a vertical bar lays them out (bVertLayout; by default bVert).
SIZE SizeToolBar(Layout& buttons, int nLength, BOOL bVert, const Metrics& metrics, BOOL bBalance = TRUE);
SIZE SizeToolBar(Layout& buttons, int nLength, BOOL bVert, const Metrics& metrics, BOOL bBalance,
                 BOOL bVertLayout);

// Places the wrapped buttons row by row from (xLeft, yTop): a row is as high
// as its tallest button, and a button marked TBB_CENTERVERT that is lower
// moves down by half the difference. Answers the size taken.
SIZE PositionButtons(Layout& buttons, int xLeft, int yTop, BOOL bVert, const Metrics& metrics);

// The visible button that is not a separator under (x, y) of a laid-out
// toolbar; -1 for a separator or nothing.
int HitTest(const Layout& buttons, int x, int y);

// The first and last index of the row that holds button nIndex (by the
// row-end flags).
void RowOf(const Layout& buttons, int nIndex, int& nFirst, int& nLast);
// The height of the tallest visible button of that row that is not a
// separator (0 when there is none), leaving out button nExclude.
int TallestInRow(const Layout& buttons, int nFirst, int nLast, int nExclude = -1);

// After the button at nRemoved was taken out of buttons: the separators that
// go with it (one left at the end or at the start, one doubled at the
// removal point), as indexes of buttons, highest first.
std::vector<int> SeparatorsToDrop(const Layout& buttons, int nRemoved);

// An index into the button list after a button was inserted at nAt, or
// removed from nAt (-1 when it was the removed one).
inline int IndexAfterInsert(int nIndex, int nAt)
{
    return nIndex >= nAt && nIndex >= 0 ? nIndex + 1 : nIndex;
}
inline int IndexAfterRemove(int nIndex, int nAt)
{
    if (nIndex < 0 || nIndex < nAt)
        return nIndex;
    return nIndex == nAt ? -1 : nIndex - 1;
}

} // namespace ozwtb
