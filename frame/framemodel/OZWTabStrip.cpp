#include "frame/framemodel/OZWTabStrip.h"

#include "platform/framework/Framework.h"

#include <algorithm>
#include <vector>

namespace ozwframe {

TabInsets TabStripInsets(BOOL bShowTabs, BOOL bFlat)
{
    if (!bShowTabs)
        return {};
    return bFlat ? TabInsets{3, 3, 5, 30} : TabInsets{13, 13, 13, 33};
}

int TabWidth(int cxClient, int nSheets, int nMaxWidth)
{
    if (nSheets <= 0)
        return nMaxWidth;
    return std::min((cxClient + 5) / nSheets, nMaxWidth);
}

void TabPolygon(const TabMetrics& m, int nSlot, BOOL bActive, const RECT& client, POINT pts[7])
{
    const int a = bActive ? 1 : 0;
    const int c = m.nCorner;
    const int x0 = nSlot * m.nWidth - (m.bFlat ? 0 : (m.nActiveExtraWidth / 2) * a) + client.left;
    const int y0 = client.bottom + 4;
    pts[0] = {x0, y0};
    pts[1] = {x0, y0 + m.nHeight - c};
    pts[2] = {pts[1].x + c, pts[1].y + m.nActiveExtraHeight * a + c};
    pts[3] = {pts[2].x - 2 * c + m.nWidth + (m.bFlat ? 0 : m.nActiveExtraWidth * a), pts[2].y};
    pts[4] = {pts[3].x + c, pts[1].y};
    pts[5] = {pts[4].x, y0};
    pts[6] = pts[0];
}

RECT TabTextRect(const POINT* pts, int nIconWidth)
{
    return RECT{pts[2].x + nIconWidth + 3, pts[0].y, pts[4].x - 2, pts[3].y};
}

RECT TabInvalidRect(const TabMetrics& m, int nSlot, const RECT& client, int cxFrame, BOOL bToRightEnd)
{
    RECT rect;
    rect.left = nSlot * m.nWidth + client.left - 2;
    rect.top = client.bottom + (m.bFlat ? 3 : 4);
    rect.right = bToRightEnd ? cxFrame : rect.left + m.nWidth + 4;
    rect.bottom = rect.top + m.nHeight + 4;
    return rect;
}

RECT TabStripInvalidRect(const TabMetrics& m, const RECT& client, int cxFrame)
{
    return RECT{0, client.bottom + 4, cxFrame, client.bottom + 4 + m.nHeight + 4};
}

std::string FitTabText(const std::string& text, int cxAvailable,
                       const std::function<int(const std::string&)>& measure)
{
    // The start of each character, so that a cut never splits one.
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); i += kvutf::CharLength(text, i))
        starts.push_back(i);
    const size_t nChars = starts.size();
    std::string shown = text;
    size_t nShownChars = nChars;
    for (size_t nDropped = 1; nShownChars >= 4 && measure(shown) > cxAvailable; ++nDropped) {
        const size_t nKept = nDropped < nChars ? nChars - nDropped : 0;
        shown = text.substr(0, nKept < nChars ? starts[nKept] : text.size()) + "...";
        nShownChars = nKept + 3;
    }
    return shown;
}

} // namespace ozwframe
