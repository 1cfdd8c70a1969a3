// What a frame's dock bars hold, for the tests of saved bar layouts.
#pragma once
#include "platform/framework/Framework.h"

#include <string>
#include <vector>

namespace kvtest {

// The rows of a dock bar: the ids of its entries, a kept place as its id
// plus AFX_DOCKSTATE_PLACEHOLDER.
std::vector<std::vector<UINT>> DockRows(const CDockBar* pDockBar);
// The same as text, apart by spaces: the ids, "#id" for a kept place, "|"
// at the end of each row.
std::string DockRowsText(const CDockBar* pDockBar);

// For each dock bar of the frame (floating ones included) that lists the
// bar: how often it lists it.
std::vector<int> DockBarListings(CFrameWnd* pFrame, CControlBar* pBar);

// For each floating frame of the frame: how many bars its dock bar holds.
std::vector<int> FloatingFrameBars(CFrameWnd* pFrame);

} // namespace kvtest
