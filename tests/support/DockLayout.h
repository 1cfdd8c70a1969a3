// What a frame's dock bars hold, for the tests of saved bar layouts.
#pragma once
#include "platform/framework/Framework.h"

#include <vector>

namespace kvtest {

// For each dock bar of the frame (floating ones included) that lists the
// bar: how often it lists it.
std::vector<int> DockBarListings(CFrameWnd* pFrame, CControlBar* pBar);

// For each floating frame of the frame: how many bars its dock bar holds.
std::vector<int> FloatingFrameBars(CFrameWnd* pFrame);

} // namespace kvtest
