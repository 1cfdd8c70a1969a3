// Geometry of control bars and auto-hide strips.
#include "frame/dockmodel/OZWBarGeometry.h"
#include "platform/framework/base/AfxRes.h"
#include "platform/framework/docview/ControlBar.h"

#include <algorithm>

namespace ozwbar {

void CalcInsideRect(const BarFrame& bar, CRect& rect, BOOL bHorz, BOOL bForLayout)
{
    // An auto-hidden bar shows no border lines.
    if (!bar.bAutoHideMode) {
        if (bar.dwStyle & CBRS_BORDER_LEFT)
            rect.left += 1;
        if (bar.dwStyle & CBRS_BORDER_TOP)
            rect.top += 1;
        if (bar.dwStyle & CBRS_BORDER_RIGHT)
            rect.right -= 1;
        if (bar.dwStyle & CBRS_BORDER_BOTTOM)
            rect.bottom -= 1;
    }
    // An unpinned auto-hide bar floats in its slide window but keeps its
    // gripper (title, pin and close) across its top, as a docked column.
    const bool bSlidOut = bar.bAutoHideMode && !bar.bPinned;
    const bool bDockedGripper = (!(bar.dwStyle & CBRS_FLOATING) || bSlidOut) && (bar.dwExStyle & SCBX_GRIPPER);
    if (bHorz && !bSlidOut) {
        rect.left += bDockedGripper ? bar.nGripperWidth : bar.cxLeftBorder;
        rect.top += bar.cyTopBorder;
        rect.right -= bar.cxRightBorder;
        rect.bottom -= bar.cyBottomBorder;
    } else {
        // The border widths are taken across the bar.
        rect.left += bar.cyTopBorder;
        rect.top += (bForLayout && bDockedGripper) ? bar.nGripperHeight : bar.cxLeftBorder;
        rect.right -= bar.cyBottomBorder;
        rect.bottom -= bar.cxRightBorder;
    }
}

CRect GetBarClientRect(const BarFrame& bar, const CRect& rectClient, BOOL bHorz)
{
    CRect rect = rectClient;
    if ((bar.dwExStyle & SCBX_GRIPPER) && !bar.bFloating) {
        if (bHorz) {
            rect.left += bar.nGripperWidth;
            rect.top += bar.nMargin;
        } else {
            rect.top += bar.nGripperHeight;
            rect.left += bar.nMargin;
        }
        rect.right -= bar.nMargin;
        rect.bottom -= bar.nMargin;
    } else if (bar.dwExStyle & SCBX_INSET_MARGINS) {
        if (!bar.bAutoHideMode || bar.bPinned) {
            rect.left += bar.rectInset.left;
            rect.top += bar.rectInset.top;
            rect.right -= bar.rectInset.right;
            rect.bottom -= bar.rectInset.bottom;
        } else {
            // Slid out: the title runs across the top.
            rect.top += bar.nGripperHeight;
            rect.left += bar.nMargin;
            rect.right -= bar.nMargin;
            rect.bottom -= bar.nMargin;
        }
    }
    return rect;
}

BOOL CalcChildPlacement(const BarFrame& bar, int cx, int cy, BOOL bHorz, CRect& rectChild)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    int x = 0, y = 0;
    if (bar.dwExStyle & SCBX_GRIPPER) {
        if (bHorz) {
            x = bar.nGripperWidth;
            y = bar.nMargin;
            cx -= bar.nGripperWidth + bar.nMargin;
            cy -= 2 * bar.nMargin;
        } else {
            x = bar.nMargin;
            y = bar.nGripperHeight;
            cx -= 2 * bar.nMargin;
            cy -= bar.nGripperHeight + bar.nMargin;
        }
        // A floating bar shows no gripper: a child that fills the bar takes
        // its room back.
        if (bar.bFloating && (bar.dwExStyle & SCBX_FILL_CHILD) && !bar.bAutoHideMode) {
            if (bHorz) {
                x -= bar.nGripperWidth - bar.nMargin;
                cx += bar.nGripperWidth - bar.nMargin;
            } else {
                y -= bar.nGripperHeight - bar.nMargin;
                cy += bar.nGripperHeight - bar.nMargin;
            }
        }
    } else if (bar.dwExStyle & SCBX_INSET_MARGINS) {
        x = bar.rectInset.left;
        y = bar.rectInset.top;
        cx -= bar.rectInset.left + bar.rectInset.right;
        cy -= bar.rectInset.top + bar.rectInset.bottom;
    }
    rectChild.SetRect(x, y, x + std::max(cx, 0), y + std::max(cy, 0));
    return TRUE;
}

CRect GetGripperStrip(const BarFrame& bar, const CRect& rect, BOOL bLeftStrip)
{
    CRect r = rect;
    r.DeflateRect(1, 1);
    if (bLeftStrip)
        return CRect(r.left, r.top + bar.nMargin, r.left + bar.nGripperWidth, r.bottom - bar.nMargin);
    return CRect(r.left + bar.nMargin, r.top, r.right - bar.nMargin, r.top + bar.nGripperHeight);
}

CRect GetCaptionRect(const CRect& rectStrip, const CRect& rectBar, BOOL bLeftStrip)
{
    CRect r = rectStrip;
    if (bLeftStrip) {
        r.top = rectBar.top + 1;
        r.bottom = rectBar.bottom - 1;
    } else {
        r.left = rectBar.left + 1;
        r.right = rectBar.right - 1;
    }
    return r;
}

CRect CutButton(CRect& rectStrip, BOOL bLeftStrip, const GripperMetrics& metrics)
{
    CRect button;
    if (!bLeftStrip) {
        button.top = std::max(rectStrip.top + metrics.nLead - 2, 0L);
        button.bottom = std::min(rectStrip.bottom - metrics.nTrail + 2, rectStrip.bottom);
        button.right = rectStrip.right;
        button.left = button.right - button.Height();
        rectStrip.right = button.left - 2;
    } else {
        button.left = std::max(rectStrip.left + metrics.nLead - 2, 0L);
        button.right = std::min(rectStrip.right - metrics.nTrail + 2, rectStrip.right);
        button.top = rectStrip.top;
        button.bottom = button.top + button.Width();
        rectStrip.top = button.bottom + 2;
    }
    return button;
}

CRect CutPinButton(CRect& rectStrip, BOOL bLeftStrip)
{
    CRect button;
    if (!bLeftStrip) {
        const int nSide = std::max(rectStrip.Height() - 4, 0);
        button.SetRect(rectStrip.right - nSide, rectStrip.top + 2, rectStrip.right, rectStrip.top + 2 + nSide);
        rectStrip.right = button.left - 2;
    } else {
        const int nSide = std::max(rectStrip.Width() - 4, 0);
        button.SetRect(rectStrip.left + 2, rectStrip.top + 2, rectStrip.left + 2 + nSide, rectStrip.top + 2 + nSide);
        rectStrip.top = button.bottom + 2;
    }
    return button;
}

std::vector<Segment> PinGlyph(const CRect& rectButton, BOOL bLeftStrip, BOOL bPinned)
{
    const int nSide = bLeftStrip ? rectButton.Width() : rectButton.Height();
    const int q = nSide / 4, e = nSide / 8;
    const int cx = (rectButton.left + rectButton.right) / 2, cy = (rectButton.top + rectButton.bottom) / 2;
    std::vector<Segment> s;
    if (!bPinned) {
        // A pin lying on its side, point to the left.
        s.push_back({ CPoint(cx + q, cy - e), CPoint(cx + q, cy + e) });
        s.push_back({ CPoint(cx + q, cy + e), CPoint(cx - e, cy + e) });
        s.push_back({ CPoint(cx - e, cy + q), CPoint(cx - e, cy - q) });
        s.push_back({ CPoint(cx - e, cy - e), CPoint(cx + q, cy - e) });
        s.push_back({ CPoint(cx - e, cy), CPoint(cx - e - q, cy) });
    } else {
        // Standing, point down.
        s.push_back({ CPoint(cx - e, cy - q), CPoint(cx + e, cy - q) });
        s.push_back({ CPoint(cx + e, cy - q), CPoint(cx + e, cy + e) });
        s.push_back({ CPoint(cx + q, cy + e), CPoint(cx - q, cy + e) });
        s.push_back({ CPoint(cx - e, cy + e), CPoint(cx - e, cy - q) });
        s.push_back({ CPoint(cx, cy + e), CPoint(cx, cy + e + q) });
    }
    return s;
}

Arrow ExpandArrow(BOOL bRowOrientation, BOOL bNotExpanded)
{
    if (bRowOrientation)
        return bNotExpanded ? Arrow{ '3', DFCS_SCROLLLEFT } : Arrow{ '4', DFCS_SCROLLRIGHT };
    return bNotExpanded ? Arrow{ '5', DFCS_SCROLLUP } : Arrow{ '6', DFCS_SCROLLDOWN };
}

CSize CommitLayout(BarSizes& sizes, int nLength, DWORD dwMode)
{
    if (dwMode & LM_COMMIT) {
        const int nStore = (dwMode & LM_STRETCH) ? (int)(sizes.fShare * (float)nLength) : nLength;
        const bool bLengthY = (dwMode & LM_LENGTHY) != 0;
        if (dwMode & LM_HORZDOCK) {
            (bLengthY ? sizes.sizeHorzDock.cy : sizes.sizeHorzDock.cx) = nStore;
        } else if (dwMode & LM_VERTDOCK) {
            (bLengthY ? sizes.sizeVertDock.cy : sizes.sizeVertDock.cx) = nStore;
        } else if (bLengthY) {
            sizes.sizeFloat.cy = nStore;
        } else {
            sizes.sizeFloat.cx = nStore;
            sizes.nMRUWidth = nStore;
        }
    }
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
        return (dwMode & LM_HORZ) ? sizes.sizeHorzDock : sizes.sizeVertDock;
    return sizes.sizeFloat;
}

CSize AutoHideFloatSize(const BarSizes& sizes, DWORD dwSide, int nDockCX, int nDockCY)
{
    CSize size = sizes.sizeFloat;
    if (dwSide & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) {
        size.cy = nDockCY - 2;
        size.cx = std::max(sizes.sizeVertDock.cx - kStripThickness, 0L);
    } else if (dwSide & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) {
        size.cy = sizes.sizeHorzDock.cy;
        size.cx = nDockCX - 2;
    }
    size.cx = std::max(size.cx, 0L);
    size.cy = std::max(size.cy, 0L);
    return size;
}

CRect SlideRect(DWORD dwSide, const CRect& rectStrip, CSize sizeFloat)
{
    // Against the strip's inner edge: a gap there would show what lies
    // beneath (the MDI client's edge and background) between bar and strip.
    CRect r;
    if (dwSide & CBRS_ALIGN_LEFT) {
        r.top = rectStrip.top + 2;
        r.bottom = rectStrip.bottom - 2;
        r.left = rectStrip.right;
        r.right = r.left + sizeFloat.cx;
    } else if (dwSide & CBRS_ALIGN_TOP) {
        r.left = rectStrip.left;
        r.right = rectStrip.right;
        r.top = rectStrip.bottom;
        r.bottom = r.top + sizeFloat.cy;
    } else if (dwSide & CBRS_ALIGN_RIGHT) {
        r.top = rectStrip.top + 2;
        r.bottom = rectStrip.bottom;
        r.right = rectStrip.left;
        r.left = r.right - sizeFloat.cx;
    } else {
        r.left = rectStrip.left;
        r.right = rectStrip.right;
        r.bottom = rectStrip.top;
        r.top = r.bottom - sizeFloat.cy;
    }
    return r;
}

CRect SlideStepRect(DWORD dwSide, const CRect& rectFull, int nStep, BOOL bHide)
{
    nStep = std::clamp(nStep, 1, kSlideSteps);
    const int nParts = bHide ? kSlideSteps - nStep : nStep;
    CRect r = rectFull;
    if (dwSide & CBRS_ALIGN_LEFT)
        r.right = r.left + rectFull.Width() * nParts / kSlideSteps;
    else if (dwSide & CBRS_ALIGN_RIGHT)
        r.left = r.right - rectFull.Width() * nParts / kSlideSteps;
    else if (dwSide & CBRS_ALIGN_TOP)
        r.bottom = r.top + rectFull.Height() * nParts / kSlideSteps;
    else
        r.top = r.bottom - rectFull.Height() * nParts / kSlideSteps;
    return r;
}

UINT SideToDockBarID(DWORD dwSide)
{
    if (dwSide & CBRS_ALIGN_LEFT)
        return AFX_IDW_DOCKBAR_LEFT;
    if (dwSide & CBRS_ALIGN_TOP)
        return AFX_IDW_DOCKBAR_TOP;
    if (dwSide & CBRS_ALIGN_RIGHT)
        return AFX_IDW_DOCKBAR_RIGHT;
    if (dwSide & CBRS_ALIGN_BOTTOM)
        return AFX_IDW_DOCKBAR_BOTTOM;
    return 0;
}

DWORD DockBarIDToSide(UINT nDockBarID)
{
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_LEFT:
        return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_TOP:
        return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_RIGHT:
        return CBRS_ALIGN_RIGHT;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return CBRS_ALIGN_BOTTOM;
    default:
        return 0;
    }
}

std::vector<CRect> LayoutTabs(const std::vector<TabInfo>& tabs, UINT nSideID, const CRect& rectClient,
                              BOOL bInOwnDockBar)
{
    int nFull = 0;
    for (const TabInfo& tab : tabs)
        nFull = std::max(nFull, tab.nTextWidth + (int)tab.sizeIcon.cx + (int)tab.sizeIcon.cy + 6);

    std::vector<CRect> rects;
    const bool bAcross = nSideID == AFX_IDW_DOCKBAR_TOP || nSideID == AFX_IDW_DOCKBAR_BOTTOM;
    int nPos = 20;
    for (const TabInfo& tab : tabs) {
        const bool bIconOnly = !tab.bSelected && tab.sizeIcon.cx > 0;
        const int nLength = bIconOnly ? tab.sizeIcon.cx : nFull;
        CRect r;
        if (bAcross) {
            r.left = nPos + 4;
            r.right = r.left + nLength + 6;
            // The tab touches the strip's outer edge, the frame's edge.
            if (nSideID == AFX_IDW_DOCKBAR_TOP) {
                r.top = rectClient.top + (bInOwnDockBar ? 0 : 4);
                r.bottom = rectClient.bottom - 2;
            } else {
                r.top = rectClient.top + 2;
                r.bottom = rectClient.bottom - (bInOwnDockBar ? 0 : 4);
            }
            nPos += r.Width();
        } else {
            r.top = nPos + 4;
            r.bottom = r.top + nLength + 6;
            if (nSideID == AFX_IDW_DOCKBAR_LEFT && bInOwnDockBar) {
                r.left = 0;
                r.right = rectClient.left + 20;
            } else {
                r.left = rectClient.right - 20;
                r.right = rectClient.right;
            }
            nPos += r.Height();
        }
        rects.push_back(r);
    }
    return rects;
}

UINT FirstFreeID(const std::set<UINT>& used, UINT nBase)
{
    for (UINT n = 0; n < 1000; ++n) {
        if (used.find(nBase + n) == used.end())
            return nBase + n;
    }
    return 0;
}

} // namespace ozwbar
