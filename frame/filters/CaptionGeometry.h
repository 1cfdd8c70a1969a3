// The window-free rules of the caption buttons that message filters put into
// a window's caption: where the caption lies in window coordinates, which of
// the standard buttons (close, minimise, maximise, restore, help) a window
// shows and which of them are disabled, and the gaps between them.
#pragma once

#include <windows.h>

namespace ozwcaption {

// Identifiers of the standard buttons: each is also the button's glyph
// (DFCS_CAPTION...) and names its system command.
enum StandardButton { kClose = 0, kMinimize = 1, kMaximize = 2, kRestore = 3, kHelp = 4 };
constexpr int kLastStandardID = 4095;

inline BOOL IsStandardID(int nID)
{
    return nID >= 0 && nID <= kLastStandardID;
}
// The system command of a standard button (0 for any other identifier).
UINT SystemCommandOf(int nID);

// What the caption and the buttons of a window depend on.
struct WindowFacts
{
    BOOL bWindow = FALSE;        // the window exists
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    BOOL bIconic = FALSE;
    BOOL bZoomed = FALSE;
    int cxWindow = 0;            // width of the window rectangle
    BOOL bCloseDisabled = FALSE; // the system menu's close item is greyed or disabled
};

// The system metrics the caption depends on.
struct Metrics
{
    int cxSizeFrame = 4, cySizeFrame = 4;
    int cxFixedFrame = 3, cyFixedFrame = 3;
    int cxBorder = 1, cyBorder = 1;
    int cyCaption = 19, cySmCaption = 15;
    static Metrics FromSystem();
};

// The caption in window coordinates: inside the frame (sizing, fixed or
// plain border by the style), as high as the caption less a border; empty
// without a window, and with no height unless the style has WS_CAPTION.
RECT CaptionRect(const WindowFacts& facts, const Metrics& metrics);

// Whether the standard button nID shows on the window, and (in *pDisabled)
// whether it shows disabled. Only windows with WS_SYSMENU show any; tool
// windows only the close button.
BOOL StandardButtonVisibility(int nID, const WindowFacts& facts, BOOL* pDisabled);

// The extra space the row leaves after a button (to its left, since the row
// is laid out from the right): 2 pixels after close and minimise, and after
// restore on an iconic window.
int GapAfter(int nID, BOOL bIconic);

} // namespace ozwcaption
