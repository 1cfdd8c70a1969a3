// Where a window goes so that it covers none of some rectangles (the docked
// toolbars a customise dialog edits), without windows.
#pragma once

#include <windows.h>

#include <vector>

namespace ozwtb {

// The place for rectWindow nearest to where it is that lies inside rectWork
// (as far as it fits) and overlaps none of the obstacles: the window where
// it is, or moved just past an obstacle's edge (below, above, right or
// left of it). When no such place exists, the window where it is, pulled
// into rectWork.
RECT PlaceClearOf(const RECT& rectWindow, const std::vector<RECT>& obstacles, const RECT& rectWork);

} // namespace ozwtb
