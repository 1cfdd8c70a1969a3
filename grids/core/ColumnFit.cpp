#include "grids/core/ColumnFit.h"
#include "grids/core/GridTables.h"

#include <algorithm>

namespace kvgrid {

int ShownColumnWidth(int nStoredWidth, bool bHidden)
{
    if (bHidden)
        return nStoredWidth;
    return std::max(nStoredWidth, MinColumnWidth);
}

std::vector<int> FitWidthsToWindow(int nAvailable, const std::vector<bool>& visible)
{
    std::vector<int> widths(visible.size(), 0);
    int count = (int)std::count(visible.begin(), visible.end(), true);
    if (count == 0 || nAvailable <= 0)
        return widths;
    int share = nAvailable / count;
    for (size_t i = 0; i < visible.size(); i++)
        if (visible[i])
            widths[i] = share;
    return widths;
}

int StretchedWidth(int nGridWidth, int nOthersWidth, int nCurrentWidth)
{
    if (nGridWidth > nOthersWidth)
        return nGridWidth - nOthersWidth - 1;
    return nCurrentWidth;
}

} // namespace kvgrid
