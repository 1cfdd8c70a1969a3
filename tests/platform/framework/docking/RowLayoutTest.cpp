// The placement of the bars of one dock bar row, without windows.
#include "platform/framework/Framework.h"

#include <gtest/gtest.h>

using kvdock::PlaceRow;
using kvdock::RowBar;

namespace {

RowBar Bar(int nLength, int nOffset)
{
    RowBar bar;
    bar.nLength = nLength;
    bar.nThickness = 20;
    bar.nOffset = nOffset;
    return bar;
}

struct RowCase
{
    const char* what;
    std::vector<RowBar> bars;
    int nRowLength;
    bool bKeepOffsets;
    std::vector<int> starts;
};

} // namespace

TEST(RowLayout, BarsKeepTheirPlaceWhenThereIsRoomAndArePulledBackAtTheEnd)
{
    const RowCase cases[] = {
        { "packed from the start", { Bar(100, 0), Bar(50, 0) }, 500, true, { 0, 100 } },
        { "a dropped bar stays where it was dropped", { Bar(100, 0), Bar(50, 300) }, 500, true, { 0, 300 } },
        { "never onto the bar before it", { Bar(100, 40), Bar(50, 60) }, 500, true, { 40, 140 } },
        { "pulled back to end in the row", { Bar(100, 0), Bar(50, 480) }, 500, true, { 0, 450 } },
        { "pulled back no further than the bar before", { Bar(100, 0), Bar(450, 200) }, 500, true, { 0, 100 } },
        { "a floating row packs", { Bar(100, 40), Bar(50, 300) }, 500, false, { 0, 100 } },
        { "a row too short for its bars runs on", { Bar(300, 0), Bar(300, 0) }, 400, true, { 0, 300 } },
        { "no bars", {}, 500, true, {} },
    };
    for (const RowCase& c : cases)
        EXPECT_EQ(PlaceRow(c.bars, c.nRowLength, c.bKeepOffsets), c.starts) << c.what;
}
