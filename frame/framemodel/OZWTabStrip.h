// The window-free rules of the workbook's tab strip: the insets the MDI
// client gives up for it, the width of one tab, the outline of a tab, the
// rectangle its text goes in, the rectangles to repaint, and the shortening
// of a tab text that does not fit.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ozwframe {

// What the MDI client gives up on each side for the strip and its border.
struct TabInsets
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// Classic tabs 13, 13, 13, 33; flat tabs 3, 3, 5, 30; none while the tabs
// are hidden.
TabInsets TabStripInsets(BOOL bShowTabs, BOOL bFlat);

// The sizes a tab is drawn with.
struct TabMetrics
{
    int nWidth = 100;          // one tab
    int nHeight = 23;
    int nCorner = 2;           // the cut lower corners
    int nActiveExtraWidth = 4; // the active tab is wider (classic tabs only)
    int nActiveExtraHeight = 2;
    BOOL bFlat = FALSE;
};

// The width of each of nSheets tabs under an MDI client cxClient wide:
// the client's width (plus 5) shared out, at most nMaxWidth; nMaxWidth when
// there are no sheets.
int TabWidth(int cxClient, int nSheets, int nMaxWidth);

// The outline of the tab at place nSlot (its index less the hidden sheets
// before it), hanging below the client rectangle (frame client
// coordinates): seven points, the last the first again. The active (or
// pressed) tab is deeper and, in classic style, wider and further left.
void TabPolygon(const TabMetrics& m, int nSlot, BOOL bActive, const RECT& client, POINT pts[7]);

// Where a tab's text goes, right of an icon nIconWidth wide.
RECT TabTextRect(const POINT* pts, int nIconWidth);

// The part of the frame to repaint for the tab at nSlot: the tab and its
// surroundings, or with bToRightEnd everything right of it to cxFrame.
RECT TabInvalidRect(const TabMetrics& m, int nSlot, const RECT& client, int cxFrame, BOOL bToRightEnd);
// The whole strip across the frame.
RECT TabStripInvalidRect(const TabMetrics& m, const RECT& client, int cxFrame);

// The text to draw in cxAvailable pixels (text in UTF-8, measured by
// measure): a text of 4 characters or more that is too wide loses one
// character after another from its end and ends in "..." until it fits or
// only the dots are left; a shorter text stays as it is.
std::string FitTabText(const std::string& text, int cxAvailable,
                       const std::function<int(const std::string&)>& measure);

} // namespace ozwframe
