// Window-free geometry of the toolkit's control bars and auto-hide strips:
// the inside and client rectangles, the gripper strip and its caption
// buttons, the sizes a bar keeps for its three placements, the rectangle an
// auto-hidden bar slides out to, and the tabs of an auto-hide strip.
#pragma once

#include "frame/dockmodel/OZWBarStyles.h"
#include "platform/framework/base/Geometry.h"

#include <set>
#include <vector>

namespace ozwbar {

// The five lengths across a gripper strip (lead, first bar, gap, second bar,
// trail); 17 pixels by default.
struct GripperMetrics
{
    int nLead = 4;
    int nBar1 = 3;
    int nGap = 1;
    int nBar2 = 3;
    int nTrail = 6;
    int Sum() const { return nLead + nBar1 + nGap + nBar2 + nTrail; }
};

// What the rectangle computations need to know of a bar.
struct BarFrame
{
    DWORD dwStyle = 0;       // CBRS_ bits (borders, CBRS_FLOATING)
    DWORD dwExStyle = 0;     // SCBX_ bits
    int cxLeftBorder = 0;
    int cyTopBorder = 0;
    int cxRightBorder = 0;
    int cyBottomBorder = 0;
    int nGripperWidth = 17;  // gripper along the left (horizontal bars)
    int nGripperHeight = 17; // gripper along the top (vertical and floating bars)
    int nMargin = 3;         // border margin kept beside the gripper
    CRect rectInset = CRect(10, 10, 10, 10); // SCBX_INSET_MARGINS gaps
    BOOL bFloating = FALSE;
    BOOL bAutoHideMode = FALSE;
    BOOL bPinned = FALSE;
    BOOL bHasGripperCaption = TRUE; // the bar has caption buttons (not a toolbar)
};

// The inside rectangle of a bar that draws its own borders (SCBX_BORDERS).
void CalcInsideRect(const BarFrame& bar, CRect& rect, BOOL bHorz, BOOL bForLayout);
// The room for the bar's child: the client rectangle less gripper, margins
// or insets.
CRect GetBarClientRect(const BarFrame& bar, const CRect& rectClient, BOOL bHorz);
// Where the child goes on WM_SIZE (origin and size); FALSE when nothing moves
// (minimised, or no width or height).
BOOL CalcChildPlacement(const BarFrame& bar, int cx, int cy, BOOL bHorz, CRect& rectChild);

// The gripper strip of rect: along the left of a horizontal bar, along the
// top of any other (bLeftStrip says which).
CRect GetGripperStrip(const BarFrame& bar, const CRect& rect, BOOL bLeftStrip);
// With SCBX_CAPTION: the title rectangle, the strip reaching the full bar
// edge less one pixel.
CRect GetCaptionRect(const CRect& rectStrip, const CRect& rectBar, BOOL bLeftStrip);
// Cuts a square button off the far end of the strip (the right end of a top
// strip, the top of a left strip) and leaves 2 pixels before it. The first
// cut is the close button, then the expand button.
CRect CutButton(CRect& rectStrip, BOOL bLeftStrip, const GripperMetrics& metrics);
// The pin button of an auto-hide bar, cut off likewise.
CRect CutPinButton(CRect& rectStrip, BOOL bLeftStrip);

// The pin's glyph as line segments (from, to) about the square's centre.
struct Segment
{
    CPoint from;
    CPoint to;
};
std::vector<Segment> PinGlyph(const CRect& rectButton, BOOL bLeftStrip, BOOL bPinned);

// The arrow of the expand button: the Marlett glyph and the frame-control
// state. A row orientation of TRUE points left or right.
struct Arrow
{
    char chGlyph;
    UINT nState;
};
Arrow ExpandArrow(BOOL bRowOrientation, BOOL bNotExpanded);

// The three sizes a bar keeps, and the width it had when it floated last.
struct BarSizes
{
    CSize sizeHorzDock = CSize(0, 0);
    CSize sizeVertDock = CSize(0, 0);
    CSize sizeFloat = CSize(0, 0);
    int nMRUWidth = 32767;
    float fShare = 1.0f;
};
// CalcDynamicLayout's bookkeeping: with LM_COMMIT the length (or the share of
// it, LM_STRETCH) becomes the size named by the mode; returns the docked size
// of the mode, or the floating size.
CSize CommitLayout(BarSizes& sizes, int nLength, DWORD dwMode);
// The slid-out size of an auto-hidden bar on side dwSide (CBRS_ALIGN_ bit):
// from the dock bar of that side, nDockCX by nDockCY.
CSize AutoHideFloatSize(const BarSizes& sizes, DWORD dwSide, int nDockCX, int nDockCY);

// The rectangle an auto-hidden bar slides out to, against the strip (or dock
// bar) of its side, and the rectangle of step nStep (1..5) of the slide;
// sliding in runs the steps with bHide, the last one of no extent.
CRect SlideRect(DWORD dwSide, const CRect& rectStrip, CSize sizeFloat);
CRect SlideStepRect(DWORD dwSide, const CRect& rectFull, int nStep, BOOL bHide);
const int kSlideSteps = 5;

// The dock bar id of a side (CBRS_ALIGN_ bit), 0 for none, and back.
UINT SideToDockBarID(DWORD dwSide);
DWORD DockBarIDToSide(UINT nDockBarID);

// One tab of an auto-hide strip, for the layout.
struct TabInfo
{
    BOOL bSelected = FALSE;
    CSize sizeIcon = CSize(0, 0); // (0, 0) without an icon
    int nTextWidth = 0;
};
// Places the tabs of a strip on side nSideID (dock bar id) in its client
// rectangle; bInOwnDockBar: the strip is docked on its own side's dock bar.
std::vector<CRect> LayoutTabs(const std::vector<TabInfo>& tabs, UINT nSideID, const CRect& rectClient,
                              BOOL bInOwnDockBar);
// The strip's depth across its edge.
const int kStripThickness = 24;

// The first id from nBase on that no bar uses, trying 1000; 0 when none.
UINT FirstFreeID(const std::set<UINT>& used, UINT nBase);

} // namespace ozwbar
