// Where a button dragged onto a toolbar lands, without windows: the drop
// rectangle, the target bar's laid-out buttons and the customise selection
// give the steps the bar then carries out (remove the dragged button from
// its place, add or take away a separator, insert the button's command).
//
// The rules, in order:
// - an empty bar takes the button at 0;
// - a bar whose only button is moved within itself stays as it is;
// - a drop entirely above the inside area puts a separator first and the
//   button before it; entirely below, a separator and then the button last
//   (the source keeps its button in both cases);
// - otherwise the row is the first whose bottom reaches the drop's centre;
// - a selected button moved sideways within its own row by 2 pixels or more
//   while still overlapping itself gains or loses a separator beside it
//   (right: a separator before it, or the one after it goes; left: the one
//   before it goes, or a separator after it); by less, nothing happens;
// - else the button goes after the first button of the row whose right edge
//   passes the drop's left edge (first in the row when the drop starts left
//   of the inside area); a move takes it out of its old place first, and a
//   separator it is dropped over gives up its place to it.
#pragma once

#include "toolbars/model/ToolBarLayout.h"

namespace ozwtb {

struct DropInput
{
    Layout buttons;              // the target bar's buttons as last laid out
    RECT rcInside = {};          // the inside of its client area
    RECT rcDrop = {};            // the dragged button, in its client coordinates
    BOOL bCopy = FALSE;          // the source keeps its button
    int nSelected = -1;          // the selected button, when this bar owns the selection
    BOOL bOtherSelection = FALSE; // another bar owns the selection (the source of a move)
    Metrics metrics;
};

struct DropStep
{
    enum Kind
    {
        removeHere,       // RemoveButton(nIndex, bNoRecalc) on the target bar
        removeOther,      // the other bar's selected button is removed
        insertSeparator,  // a separator at nIndex
        insertButton,     // the dragged command at nIndex (the last step)
    };
    Kind kind;
    int nIndex;
    BOOL bNoRecalc;
};

// The steps, in order; none when the drop changes nothing.
std::vector<DropStep> PlanDrop(const DropInput& input);

} // namespace ozwtb
