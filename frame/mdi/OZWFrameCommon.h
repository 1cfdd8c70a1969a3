// What the toolkit's two main frames (OZWMDIFrameWnd and OZWFrameWnd) do
// alike: their auto-hide strips, docking setup, saved bar layout and the
// work after their layout.
#pragma once

#include "frame/bars/OZWAutoHideBar.h"
#include "platform/framework/Framework.h"

class OZWControlBarManager;

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
// Loads the bar layout under the profile name and applies it to the frame
// (which becomes the thread's main window when it has none yet); objects
// the layout makes are kept in pCreated for the frame to delete.
void LoadFrameBarState(CFrameWnd* pFrame, OZWControlBarManager* pManager, CPtrList* pCreated,
                       LPCTSTR lpszProfileName);
// Writes the frame's bar layout under the profile name when it can be taken.
void SaveFrameBarState(CFrameWnd* pFrame, OZWControlBarManager* pManager, LPCTSTR lpszProfileName);
// After the frame's layout: the dock bars repaint the bars that moved and
// rectLast becomes the client area left by the bars.
void AfterFrameLayout(CFrameWnd* pFrame, CRect& rectLast);
// Passes a system colour change on to the frame's bars.
void RefreshBarColors(CFrameWnd* pFrame);
// Deletes the objects in the list and empties it.
void DeleteObjects(CPtrList& list);

} // namespace ozwframe
