// What the docking document template needs of the toolkit's frames, which
// lie in a higher layer: the main frame hands it docking places, and the
// frames with extended system commands take the template's option flags.
#pragma once

#include "platform/framework/Framework.h"

// The main frame as the place where docking frames live, each in a control
// bar of its own. The template finds it as the application's main window.
class IOZWDockingSite
{
public:
    virtual ~IOZWDockingSite() = default;
    // Where a docking frame goes when nothing else is said: the dock bar
    // (AFX_IDW_DOCKBAR_TOP...), the bar's size (height 150 by default) and
    // its share of the row (1.0 by default).
    virtual void GetDefaultDockingInfo(UINT& nDockBarID, CSize& size, float& fRowShare) = 0;
    // Whether no control bar of the frame has the id; the first free id
    // from nFirst.
    virtual BOOL IsBarIDFree(UINT nID) = 0;
    virtual UINT GetNextFreeBarID(UINT nFirst) = 0;
    // Creates the host bar's window as a child of the frame (window name,
    // bar style, the bar's extended style 0x40, the id), lets it dock on
    // every side and docks it on the dock bar with the size and share.
    // FALSE when the window cannot be made.
    virtual BOOL CreateAndDockHostBar(CControlBar* pBar, LPCTSTR lpszTitle, DWORD dwStyle, UINT nID,
                                      UINT nDockBarID, const CSize& size, float fRowShare) = 0;
    // Lets every dock bar of the frame lay its bars out again.
    virtual void RelayoutDockBars() = 0;
};

// A frame with extended system commands (the MDI child and the dockable
// frame): bit 0 enables them, bits 1 to 3 switch off the caption buttons,
// the caption's right double-click and the context menu.
class IOZWSysCommandExFrame
{
public:
    virtual ~IOZWSysCommandExFrame() = default;
    virtual void EnableSysCommandEx(DWORD dwFlags) = 0;
};
