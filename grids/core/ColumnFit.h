// The arithmetic of the component grid's column widths: the minimum width,
// fit to window and stretch to fit.
#pragma once

#include <vector>

namespace kvgrid {

// The width a column is shown with: a visible column at least the minimum
// width (75); a hidden one keeps what it has.
int ShownColumnWidth(int nStoredWidth, bool bHidden);

// Fit to window: every visible column gets the same share of the available
// width (integer division), every hidden one 0. visible[i] tells column i;
// the result has one width per entry. With no visible column, or no width
// available, every width is 0.
std::vector<int> FitWidthsToWindow(int nAvailable, const std::vector<bool>& visible);

// Stretch to fit: the description column takes the rest of the grid's width
// W when the other visible columns take S < W (W - S - 1); otherwise it keeps
// its width.
int StretchedWidth(int nGridWidth, int nOthersWidth, int nCurrentWidth);

} // namespace kvgrid
