#include "frame/toolbarmodel/OZWToolBarRows.h"

#include <algorithm>

namespace ozwccbar {

namespace {

bool IsHidden(const TBBUTTON& b)
{
    return (b.fsState & TBSTATE_HIDDEN) != 0;
}

bool IsSeparator(const TBBUTTON& b)
{
    return (b.fsStyle & TBSTYLE_SEP) != 0;
}

bool Wraps(const TBBUTTON& b)
{
    return (b.fsState & TBSTATE_WRAP) != 0;
}

// The gap a wrapping separator leaves below its row.
int SeparatorGap(const TBBUTTON& b, const Metrics& metrics)
{
    if (metrics.bFlat || metrics.dwComCtlVersion == 0x40047)
        return b.iBitmap;
    return b.iBitmap * 2 / 3;
}

bool operator==(const SIZE& a, const SIZE& b)
{
    return a.cx == b.cx && a.cy == b.cy;
}

} // namespace

int WrapToolBar(TBBUTTON* pButtons, int nCount, int nWidth, const Metrics& metrics)
{
    for (int i = 0; i < nCount; i++)
        pButtons[i].fsState &= ~TBSTATE_WRAP;
    int nRows = 1;
    int x = 0;
    for (int i = 0; i < nCount; i++) {
        if (IsHidden(pButtons[i]))
            continue;
        const int dx = IsSeparator(pButtons[i]) ? pButtons[i].iBitmap : metrics.sizeButton.cx;
        if (x + dx > nWidth) {
            // The row ends at the last plain separator of it...
            int nBreak = -1;
            for (int j = i; j >= 0 && !Wraps(pButtons[j]); j--) {
                if (IsSeparator(pButtons[j]) && pButtons[j].idCommand == 0 && !IsHidden(pButtons[j])) {
                    nBreak = j;
                    break;
                }
            }
            // ... else before the button that runs over.
            if (nBreak < 0) {
                for (int j = i - 1; j >= 0 && !Wraps(pButtons[j]); j--) {
                    if (IsHidden(pButtons[j]) || (IsSeparator(pButtons[j]) && pButtons[j].idCommand != 0))
                        continue;
                    nBreak = j;
                    break;
                }
            }
            if (nBreak >= 0) {
                pButtons[nBreak].fsState |= TBSTATE_WRAP;
                nRows++;
                i = nBreak;
                x = 0;
                continue;
            }
        }
        x += dx;
    }
    return nRows;
}

SIZE CalcSize(const TBBUTTON* pButtons, int nCount, const Metrics& metrics)
{
    SIZE size = { 0, 0 };
    int x = 0, y = 0;
    for (int i = 0; i < nCount; i++) {
        const TBBUTTON& b = pButtons[i];
        if (IsHidden(b))
            continue;
        int cx = metrics.sizeButton.cx;
        int cyGap = 0;
        if (IsSeparator(b)) {
            cx = b.iBitmap;
            cyGap = SeparatorGap(b, metrics);
            if (Wraps(b))
                size.cy = std::max(size.cy, (LONG)(y + metrics.sizeButton.cy + cyGap));
            else
                size.cx = std::max(size.cx, (LONG)(x + cx));
        } else {
            if ((b.fsStyle & BTNS_DROPDOWN) && metrics.bDrawDropArrows)
                cx += metrics.cxDropArrow;
            size.cx = std::max(size.cx, (LONG)(x + cx));
            size.cy = std::max(size.cy, (LONG)(y + metrics.sizeButton.cy));
        }
        x += cx;
        if (Wraps(b)) {
            y += metrics.sizeButton.cy + cyGap;
            x = 0;
        }
    }
    return size;
}

void SizeToolBar(TBBUTTON* pButtons, int nCount, int nLength, BOOL bVert, const Metrics& metrics)
{
    if (!bVert) {
        const int nTarget = WrapToolBar(pButtons, nCount, nLength, metrics);
        if (WrapToolBar(pButtons, nCount, 0, metrics) != nTarget) {
            int nMin = 0, nMax = nLength;
            while (nMin < nMax) {
                const int nMid = (nMin + nMax) / 2;
                if (WrapToolBar(pButtons, nCount, nMid, metrics) == nTarget) {
                    nMax = nMid;
                } else {
                    if (nMin == nMid) {
                        WrapToolBar(pButtons, nCount, nMax, metrics);
                        break;
                    }
                    nMin = nMid;
                }
            }
        }
        const SIZE size = CalcSize(pButtons, nCount, metrics);
        WrapToolBar(pButtons, nCount, size.cx, metrics);
        return;
    }
    WrapToolBar(pButtons, nCount, 0, metrics);
    SIZE sizeMin = CalcSize(pButtons, nCount, metrics);
    WrapToolBar(pButtons, nCount, 32767, metrics);
    SIZE sizeMax = CalcSize(pButtons, nCount, metrics);
    while (sizeMin.cx < sizeMax.cx) {
        const int nMid = (sizeMin.cx + sizeMax.cx) / 2;
        WrapToolBar(pButtons, nCount, nMid, metrics);
        const SIZE size = CalcSize(pButtons, nCount, metrics);
        if (nLength < size.cy) {
            if (sizeMin == size) {
                WrapToolBar(pButtons, nCount, sizeMax.cx, metrics);
                break;
            }
            sizeMin = size;
        } else if (nLength > size.cy) {
            if (sizeMax == size)
                break;
            sizeMax = size;
        } else {
            break;
        }
    }
}

} // namespace ozwccbar
