// The rows of a common-control toolbar ("ToolbarWindow32") without a
// window: where its button list wraps for a width, the size the wrapped
// buttons take, and the width that fits a length. The buttons are the
// control's own records (TBBUTTON); a row ends after a button whose state
// has TBSTATE_WRAP. A separator's width is its iBitmap field; a separator
// with a command id holds a control and is never a place to wrap.
#pragma once

#include "platform/framework/Framework.h"

#include <commctrl.h>

namespace ozwccbar {

// What the layout needs of the control.
struct Metrics
{
    SIZE sizeButton = { 23, 22 };
    BOOL bFlat = FALSE;             // TBSTYLE_FLAT
    DWORD dwComCtlVersion = 0x40000; // (major << 16) | minor
    int cxDropArrow = 0;            // the width a drop-down arrow adds
    BOOL bDrawDropArrows = FALSE;   // TBSTYLE_EX_DRAWDDARROWS
};

// Wraps the buttons for nWidth: a row that runs over ends at its last
// visible plain separator, else before the last visible button that is no
// control; hidden buttons take no room. Answers the number of rows.
int WrapToolBar(TBBUTTON* pButtons, int nCount, int nWidth, const Metrics& metrics);

// The size of the wrapped buttons. A wrapping separator adds a gap below
// its row: its width, two thirds of it unless the control is flat or of
// version 4.71.
SIZE CalcSize(const TBBUTTON* pButtons, int nCount, const Metrics& metrics);

// Wraps the buttons for a length: horizontally the narrowest width (up to
// nLength) that keeps the rows nLength gives; vertically the width whose
// height comes nearest nLength from below.
void SizeToolBar(TBBUTTON* pButtons, int nCount, int nLength, BOOL bVert, const Metrics& metrics);

} // namespace ozwccbar
