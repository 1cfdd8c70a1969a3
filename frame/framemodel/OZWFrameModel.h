// The window-free rules of the toolkit's frame windows: the caption
// rectangle and its gradient, the default docking places of docked document
// frames, the places of bars floated inside the main window, the enable
// values of the frames' message filters, and the help contexts of the
// context-help mode.
#pragma once

#include <windows.h>

#include <vector>

namespace ozwframe {

// ---- Caption

// What the caption rectangle depends on.
struct CaptionFacts
{
    int cxWindow = 0;          // window width
    BOOL bThickFrame = FALSE;  // WS_THICKFRAME
    BOOL bSysMenu = FALSE;     // WS_SYSMENU
    BOOL bMinimizeBox = FALSE; // WS_MINIMIZEBOX
    BOOL bMaximizeBox = FALSE; // WS_MAXIMIZEBOX
    BOOL bCloseEnabled = FALSE;// the system menu's close item neither disabled nor greyed
    BOOL bWindows4 = TRUE;     // Windows 4 or later: the caption buttons are taken off
    // System metrics.
    int cxFrame = 4, cyFrame = 4, cxBorder = 1, cyBorder = 1, cxSize = 18, cySize = 18;
};

// The caption in window coordinates: inset by the frame (or border)
// metrics, SM_CYSIZE high, less one button width per caption button.
RECT CaptionRect(const CaptionFacts& facts);

// One step of a horizontal gradient: [left, right] filled with colour.
struct GradientStep
{
    int left;
    int right;
    COLORREF colour;
};
// The steps of a gradient over [left, right) from start towards end: at
// most nSteps (never more than the width), channels in 8.8 fixed point,
// each channel kept from passing the end colour in its direction of travel
// (a falling channel is not drawn at its end value from the first step);
// the last step reaches the right edge.
std::vector<GradientStep> GradientSteps(int left, int right, int nSteps, COLORREF start, COLORREF end);

// ---- Message filters

// The enable values of the MDI frame's four filters (kinds 257, 256, 260,
// 261) for the frame's flag: bit 0 for the first, on for the other three.
void FrameFilterEnables(DWORD dwFlags, BOOL values[4]);
// The enable values of the MDI child's five filters (kinds 257, 256, 258,
// 259, 262) for its option bits.
void ChildFilterEnables(DWORD dwFlags, BOOL values[5]);

// ---- Help

// The help context of a hit code on the menu bar (8 minimise, 9 restore,
// 20 close; others a non-client area).
DWORD MenuBarHelpContext(int nHitCode);

// ---- Default places of docked document frames

// The rotation of dock-bar ids (0 between runs) that the MDI frame walks to
// dock new document frames: 26 entries.
std::vector<UINT> DockingPlaceRotation();

struct DockingPlace
{
    UINT nDockBarID = 0;
    int placement[3] = {0, 0, 0};
    float fShare = 1.0f;
    int nHeight = 150;
};
// The next place, read from the rotation at *pCursor (moved past the entry
// chosen).
DockingPlace NextDockingPlace(const std::vector<UINT>& rotation, int* pCursor);

// ---- Bars floated inside the main window

// The next cascade position (taken from *pNext, which moves on by 20 and 23,
// each coordinate wrapping to 30 once it passes the client size less 30).
POINT NextCascadePosition(POINT* pNext, SIZE client);
// A position in the client area kept inside it (y at most the height less
// 30; values below 1 become 0).
POINT ClampMDIFloatPosition(POINT pt, SIZE client);
// A screen position kept so that the bar (of size bar) stays on the work
// area by 10 pixels.
POINT ClampFloatPosition(POINT pt, SIZE bar, const RECT& workArea);

// ---- Status bar

// One pane of the status bar: its text width and whether it stretches.
struct StatusPane
{
    int width;
    BOOL bStretch;
};
// The right edges of the panes from insideLeft: each pane is its width plus
// 6 wide, gap apart; what the inside width leaves over is shared by the
// stretching panes in turn (each gets what is left over divided by the
// stretching panes left).
std::vector<int> StatusPaneEdges(int insideLeft, int insideWidth, int gap, const std::vector<StatusPane>& panes);

} // namespace ozwframe
