// What the toolkit's two main frames (OZWMDIFrameWnd and OZWFrameWnd) do
// alike: their auto-hide strips, docking setup, saved bar layout and the
// work after their layout; their menu-bar object and bitmap-menu plug-in;
// their custom caption; their context-help mode.
#pragma once

#include "frame/bars/OZWAutoHideBar.h"
#include "platform/framework/Framework.h"

#include <functional>

class OZWControlBarManager;
class OZWDockState;
class IOZWFrameMenuBar;

namespace dedaride {
namespace foundation {
class OZWWndPlugIn;
}
} // namespace dedaride

// The toolkit's request for a menu by resource id ("WM_OZWGETMENU"):
// wParam the id, lParam the position of the popup wanted.
UINT OZWGetMenuRequestMessage();

// The message-map entries of the workspace commands, which the main frames
// take and do nothing with (43007 to 43009 and 43012 to 43014, each with an
// enabler that leaves it as it is, and the range 43031 to 43039 reported as
// handled). The frame has OnWorkspaceCommand, OnUpdateWorkspaceCommand and
// OnWorkspaceRange.
#define OZW_ON_WORKSPACE_COMMANDS()                        \
    ON_COMMAND(43007, OnWorkspaceCommand)                  \
    ON_COMMAND(43008, OnWorkspaceCommand)                  \
    ON_COMMAND(43009, OnWorkspaceCommand)                  \
    ON_COMMAND(43012, OnWorkspaceCommand)                  \
    ON_COMMAND(43013, OnWorkspaceCommand)                  \
    ON_COMMAND(43014, OnWorkspaceCommand)                  \
    ON_UPDATE_COMMAND_UI(43007, OnUpdateWorkspaceCommand)  \
    ON_UPDATE_COMMAND_UI(43008, OnUpdateWorkspaceCommand)  \
    ON_UPDATE_COMMAND_UI(43009, OnUpdateWorkspaceCommand)  \
    ON_UPDATE_COMMAND_UI(43012, OnUpdateWorkspaceCommand)  \
    ON_UPDATE_COMMAND_UI(43013, OnUpdateWorkspaceCommand)  \
    ON_UPDATE_COMMAND_UI(43014, OnUpdateWorkspaceCommand)  \
    ON_COMMAND_EX_RANGE(43031, 43039, OnWorkspaceRange)

namespace ozwframe {

// The strip of a side out of a frame's four (left, top, bottom, right);
// null for anything but one side.
OZWAutoHideBar* AutoHideStripOfSide(OZWAutoHideBar (&strips)[4], DWORD dwSide);
// The toolkit's dock bars on the sides the style names, each with its
// hidden strip.
void EnableFrameDocking(CFrameWnd* pFrame, OZWAutoHideBar (&strips)[4], DWORD dwDockStyle);
// Reads the bar layout under the profile name into the state for the frame
// (which becomes the thread's main window when it has none yet); objects
// the layout makes when it is applied are kept in pCreated for the frame to
// delete.
void ReadFrameBarState(CFrameWnd* pFrame, OZWDockState& state, CPtrList* pCreated, LPCTSTR lpszProfileName);
// After the frame's layout: the dock bars repaint the bars that moved and
// rectLast becomes the client area left by the bars.
void AfterFrameLayout(CFrameWnd* pFrame, CRect& rectLast);
// Passes a system colour change on to the frame's bars.
void RefreshBarColors(CFrameWnd* pFrame);
// Deletes the objects in the list and empties it.
void DeleteObjects(CPtrList& list);

// ---- Menu-bar object and plug-ins
// A menu-bar object of the class, initialised (x, y, the frames' style,
// dwValue) and attached to the frame; null without a class, for a class
// that is no IOZWFrameMenuBar, or when attaching fails (the object is
// deleted then).
IOZWFrameMenuBar* CreateMenuBarObject(CFrameWnd* pFrame, int x, int y, CRuntimeClass* pClass, DWORD_PTR dwValue);
// Offers a command to the menu-bar object: TRUE when the object took it
// (its flag is cleared), with its answer in *pResult.
BOOL RouteCommandToMenuBar(IOZWFrameMenuBar* pMenuBar, UINT nID, int nCode, void* pExtra,
                           AFX_CMDHANDLERINFO* pHandlerInfo, BOOL* pResult);
// The bitmap-menu plug-in (a class of the toolbar library, made by its
// name) plugged into the frame; null when the program has none.
dedaride::foundation::OZWWndPlugIn* PlugInBmpMenus(CFrameWnd* pFrame);
// Unplugs and deletes the plug-in; the pointer becomes null.
void DeletePlugIn(dedaride::foundation::OZWWndPlugIn*& pPlugIn);
// A message the thread is about to dispatch, offered to the frame's
// plug-in unless the frame shows a print preview: TRUE when it took it.
BOOL PlugInPreTranslate(CFrameWnd* pFrame, dedaride::foundation::OZWWndPlugIn* pPlugIn, MSG* pMsg);
// A message of the frame's window procedure, offered to the plug-in
// first: TRUE when the frame must answer *pResult at once.
BOOL PlugInWindowProc(dedaride::foundation::OZWWndPlugIn* pPlugIn, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT* pResult);
// The close command from the system menu (or Alt+F4).
BOOL IsSysClose(const MSG* pMsg);
// Idle time while the toolbars are customised in a dialog: a pending layout
// of the frame is done at once and the frame repainted.
void LayOutPendingOnIdle(CFrameWnd* pFrame, UINT nWhy);

// ---- Custom caption
// The caption rectangle of a frame in window coordinates (inset by the
// frame or border metrics, less its caption buttons on Windows 4 or later).
CRect FrameCaptionRect(HWND hWnd, BOOL bWindows4);
// The system caption font; italic with bItalic.
HFONT CreateSystemCaptionFont(BOOL bItalic);
// The caption's look besides its rectangle.
struct CaptionLook
{
    BOOL bActive = FALSE;
    int nAlign = 0;           // 0 left, 1 centred, other right
    HFONT hFont = nullptr;    // the title up to its first '-'
    HFONT hAltFont = nullptr; // the title from its first '-' on
};
// Draws the frame's caption off-screen (icon with a system menu, gradient
// from the caption colour to its gradient colour, the title in two pieces)
// and copies it onto the window at rect (window coordinates); an empty
// rectangle draws nothing. The look's fonts are deleted after. FALSE, with
// nothing drawn, when the off-screen surface cannot be made.
BOOL DrawFrameCaption(CWnd* pWnd, const CRect& rect, const CaptionLook& look);
// The caption's painting itself, onto hDC at (0, 0) in the given size (the
// look's fonts stay the caller's).
void PaintCaption(HDC hDC, SIZE size, CWnd* pWnd, const CaptionLook& look);
// Non-client painting with a custom caption: defaultPaint paints with an
// update region that leaves out the caption (rectCaption, window
// coordinates); the caller then draws the caption. A message whose update
// region misses the caption is painted as it is.
LRESULT PaintNonClientBesideCaption(HWND hWnd, const CRect& rectCaption, WPARAM wParam, LPARAM lParam,
                                    const std::function<LRESULT(WPARAM, LPARAM)>& defaultPaint);
// Runs defaultHandling with WS_VISIBLE taken off the window's style (so the
// system draws no caption meanwhile) and puts the style back.
LRESULT WithoutVisibleStyle(HWND hWnd, const std::function<LRESULT()>& defaultHandling);

// ---- Context help
// The frame's context-help mode (the framework's help-mode states): the
// first command posts itself again and marks the mode as entering; the
// second runs the mode, taking queued messages one at a time through
// processMessage until it ends, then shows the help of the context found.
void RunContextHelpMode(CFrameWnd* pFrame, UINT nCommand, UINT nDefaultHelpCommand,
                        const std::function<BOOL(MSG&, DWORD*)>& processMessage);
// One queued message of the help mode: the framework's processing, except
// that a press on the menu bar's client area goes to the bar (a menu item
// opens as with a click) or ends the mode with the help context of the
// bar's caption button.
BOOL ProcessFrameHelpMessage(CFrameWnd* pFrame, CControlBar* pMenuBar, MSG& msg, DWORD* pContext);

} // namespace ozwframe
