#include "toolbars/model/ClearPlace.h"

#include <algorithm>

namespace {

// rect moved (not sized) into rectWork as far as it fits; a rectangle
// larger than the work area keeps its top-left corner on it.
RECT PullInto(RECT rect, const RECT& rectWork)
{
    const LONG cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    const LONG x = std::max(rectWork.left, std::min(rect.left, rectWork.right - cx));
    const LONG y = std::max(rectWork.top, std::min(rect.top, rectWork.bottom - cy));
    return RECT{x, y, x + cx, y + cy};
}

bool Overlaps(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

RECT ozwtb::PlaceClearOf(const RECT& rectWindow, const std::vector<RECT>& obstacles, const RECT& rectWork)
{
    const LONG cx = rectWindow.right - rectWindow.left, cy = rectWindow.bottom - rectWindow.top;
    const RECT rectHome = PullInto(rectWindow, rectWork);
    auto isClear = [&](const RECT& r) {
        return std::none_of(obstacles.begin(), obstacles.end(), [&](const RECT& o) { return Overlaps(r, o); });
    };
    // Where the window is; then, a few times over, each place moved just
    // past a side of an obstacle it covers (the other coordinate kept) and
    // pulled into the work area: moves past two toolbars (a row at the top,
    // a bar on the left) are found in two steps.
    std::vector<RECT> candidates{rectHome};
    size_t nFirst = 0;
    for (int nRound = 0; nRound < 3; ++nRound) {
        const size_t nEnd = candidates.size();
        for (size_t i = nFirst; i < nEnd; ++i) {
            const RECT c = candidates[i];
            for (const RECT& o : obstacles) {
                if (!Overlaps(c, o))
                    continue;
                for (const RECT& moved : {RECT{c.left, o.bottom, c.right, o.bottom + cy},
                                          RECT{c.left, o.top - cy, c.right, o.top},
                                          RECT{o.right, c.top, o.right + cx, c.bottom},
                                          RECT{o.left - cx, c.top, o.left, c.bottom}})
                    candidates.push_back(PullInto(moved, rectWork));
            }
        }
        nFirst = nEnd;
    }
    const RECT* pBest = nullptr;
    long long nBest = 0;
    for (const RECT& c : candidates) {
        if (!isClear(c))
            continue;
        const long long dx = c.left - rectHome.left, dy = c.top - rectHome.top;
        const long long nDistance = dx * dx + dy * dy;
        if (pBest == nullptr || nDistance < nBest) {
            pBest = &c;
            nBest = nDistance;
        }
    }
    return pBest != nullptr ? *pBest : rectHome;
}
