// The extended style word of the toolkit's control bars (SCBX_ bits), and the
// sizes the docking code shares between the model and the windows.
//
// The bits are the control bar's (OZWControlBar). A toolbar gives some of
// them meanings of its own (its stretch, cool look and gripper bits); the
// control bar draws and answers its caption buttons only on bars that have
// caption buttons (OZWControlBar::HasCaptionButtons), so a toolbar's bits are
// never read as close or expand buttons.
#pragma once

#include <windows.h>

#define SCBX_CONTEXT_MENU           0x00001UL // right click shows the bar's context menu
#define SCBX_PROPORTIONAL_CHILDREN  0x00002UL // children scale with the bar
#define SCBX_FIXED_SIZE             0x00004UL // keeps its own length in a row (no share)
#define SCBX_PLAIN_ROW              0x00008UL // set while the bar sits in a row without splitters
#define SCBX_INSET_MARGINS          0x00010UL // margins kept round the child
#define SCBX_MDI_FLOAT              0x00020UL // "Float In Main Window" is offered
#define SCBX_FILL_CHILD             0x00040UL // the first child fills the inside
#define SCBX_OWN_ROW                0x00080UL // always a row of its own, spanning it
#define SCBX_BORDERS                0x00100UL // the bar draws and computes its own borders
#define SCBX_GRIPPER                0x00200UL // gripper while docked
#define SCBX_CLOSE_BUTTON           0x00400UL // close button on the gripper
#define SCBX_EXPAND_BUTTON          0x00800UL // expand/contract button on the gripper
#define SCBX_CAPTION                0x10000UL // the gripper is a title bar with the window text
#define SCBX_THEMED_GRIPPER         0x20000UL // the theme's gripper; survives every change

namespace ozwdock {

// Splitters between rows and between the bars of a row are this thick; the
// client edge on the client side of a row of sized bars this thick.
const int kSplitterSize = 6;
const int kClientEdgeSize = 3;
// A bar keeps at least this much of its row while a splitter moves.
const int kMinBarLength = 18;
// An in-row splitter leaves each bar of the row this much.
const int kSplitterBarRoom = 24;
// A row splitter leaves the row, and the frame's client area, this much.
const int kRowSplitterRoom = 19;
// Shares: the smallest by default, the largest a new or active bar takes.
const float kDefaultMinShare = 0.05f;
const float kMaxShare = 0.95f;

} // namespace ozwdock
