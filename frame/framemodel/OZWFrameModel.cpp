#include "frame/framemodel/OZWFrameModel.h"

#include <algorithm>

namespace ozwframe {

RECT CaptionRect(const CaptionFacts& f)
{
    const int cx = f.bThickFrame ? f.cxFrame : f.cxBorder;
    const int cy = f.bThickFrame ? f.cyFrame : f.cyBorder + 1;
    RECT rect {cx, cy, f.cxWindow - cx, cy + f.cySize};
    if (!f.bWindows4)
        return rect;
    int nButtons = 0;
    const BOOL bMax = f.bMaximizeBox && f.bSysMenu;
    const BOOL bMin = f.bMinimizeBox && f.bSysMenu;
    nButtons += bMax ? 1 : 0;
    nButtons += bMin ? 1 : 0;
    if (f.bSysMenu && f.bCloseEnabled)
        ++nButtons;
    rect.right -= f.cxSize * nButtons;
    if (bMin || bMax)
        rect.right -= f.cxBorder;
    return rect;
}

std::vector<GradientStep> GradientSteps(int left, int right, int nSteps, COLORREF start, COLORREF end)
{
    std::vector<GradientStep> steps;
    const int width = right - left;
    if (width <= 0 || nSteps <= 0)
        return steps;
    nSteps = std::min(nSteps, width);
    const int startC[3] = {GetRValue(start), GetGValue(start), GetBValue(start)};
    const int endC[3] = {GetRValue(end), GetGValue(end), GetBValue(end)};
    int value[3], inc[3];
    for (int c = 0; c < 3; ++c) {
        value[c] = startC[c] << 8;
        inc[c] = (endC[c] - startC[c]) * 256 / nSteps;
    }
    const int stepWidth = width / nSteps;
    int x = left;
    for (int i = 0; i < nSteps; ++i) {
        int channel[3];
        for (int c = 0; c < 3; ++c) {
            channel[c] = value[c] >> 8;
            if (inc[c] >= 0)
                channel[c] = std::min(channel[c], endC[c]);
            else
                channel[c] = std::max(channel[c], endC[c]);
        }
        const int stepRight = i == nSteps - 1 ? right : x + stepWidth;
        steps.push_back({x, stepRight, RGB(channel[0], channel[1], channel[2])});
        x = stepRight;
        for (int c = 0; c < 3; ++c)
            value[c] += inc[c];
    }
    return steps;
}

void FrameFilterEnables(DWORD dwFlags, BOOL values[4])
{
    values[0] = (dwFlags & 1) != 0;
    values[1] = values[2] = values[3] = TRUE;
}

void ChildFilterEnables(DWORD dwFlags, BOOL values[5])
{
    const BOOL b0 = (dwFlags & 1) != 0;
    values[0] = b0;
    values[1] = b0 && (dwFlags & 2) == 0;
    values[2] = b0 && (dwFlags & 2) == 0;
    values[3] = b0 && (dwFlags & 4) == 0;
    values[4] = b0 && (dwFlags & 8) == 0;
}

DWORD MenuBarHelpContext(int nHitCode)
{
    switch (nHitCode) {
    case 8:
        return 0x1EF02;
    case 9:
        return 0x1EF12;
    case 20:
        return 0x1EF06;
    default:
        return 0x40000 + (DWORD)nHitCode;
    }
}

std::vector<UINT> DockingPlaceRotation()
{
    std::vector<UINT> rotation;
    for (int pass = 0; pass < 6; ++pass) {
        if (pass % 3 == 0)
            rotation.push_back(0);
        rotation.push_back(59422);
        if (pass % 2 == 0)
            rotation.push_back(0);
        rotation.push_back(59420);
        if (pass % 2 == 0)
            rotation.push_back(0);
        rotation.push_back(59421);
    }
    return rotation;
}

DockingPlace NextDockingPlace(const std::vector<UINT>& rotation, int* pCursor)
{
    DockingPlace place;
    const int n = (int)rotation.size();
    int cursor = n > 0 ? ((*pCursor % n) + n) % n : 0;
    for (int read = 0; read < n; ++read) {
        const int i = cursor;
        cursor = (cursor + 1) % n;
        if (rotation[(size_t)i] == 0)
            continue;
        place.nDockBarID = rotation[(size_t)i];
        place.placement[0] = 0;
        place.placement[1] = 1;
        place.placement[2] = (place.nDockBarID == 59419 || place.nDockBarID == 59420) ? 3 : 2;
        if (n > 1 && rotation[(size_t)((i + n - 1) % n)] == 0) {
            place.placement[2] += 4;
            if (place.placement[2] & 1)
                place.placement[0] = 1;
        }
        *pCursor = cursor;
        return place;
    }
    *pCursor = cursor;
    place.nDockBarID = 59422;
    place.placement[0] = 0;
    place.placement[1] = 0;
    place.placement[2] = 4;
    return place;
}

POINT NextCascadePosition(POINT* pNext, SIZE client)
{
    const POINT pt = *pNext;
    pNext->x += 20;
    pNext->y += 23;
    if (pNext->x > client.cx - 30)
        pNext->x = 30;
    if (pNext->y > client.cy - 30)
        pNext->y = 30;
    return pt;
}

POINT ClampMDIFloatPosition(POINT pt, SIZE client)
{
    pt.x = std::min<LONG>(pt.x, client.cx);
    pt.y = std::min<LONG>(pt.y, client.cy - 30);
    if (pt.x < 1)
        pt.x = 0;
    if (pt.y < 1)
        pt.y = 0;
    return pt;
}

POINT ClampFloatPosition(POINT pt, SIZE bar, const RECT& work)
{
    pt.x = std::min<LONG>(pt.x, work.right - 10);
    pt.y = std::min<LONG>(pt.y, work.bottom - 10);
    if (pt.x + bar.cx < work.left + 10)
        pt.x = work.left + 10 - bar.cx;
    if (pt.y + bar.cy < work.top + 10)
        pt.y = work.top + 10 - bar.cy;
    return pt;
}

std::vector<int> StatusPaneEdges(int insideLeft, int insideWidth, int gap, const std::vector<StatusPane>& panes)
{
    int extra = insideWidth + gap;
    int nStretch = 0;
    for (const StatusPane& pane : panes) {
        extra -= pane.width + 6 + gap;
        if (pane.bStretch)
            ++nStretch;
    }
    std::vector<int> edges;
    int left = insideLeft;
    for (const StatusPane& pane : panes) {
        int right = left + pane.width + 6;
        if (pane.bStretch && nStretch > 0) {
            if (extra > 0) {
                const int share = extra / nStretch;
                right += share;
                extra -= share;
            }
            --nStretch;
        }
        edges.push_back(right);
        left = right + gap;
    }
    return edges;
}

} // namespace ozwframe
