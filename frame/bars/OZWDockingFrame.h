// What the toolkit's bars need of the frame that docks them, and the frame
// docking operations of the toolkit.
//
// The toolkit's frames (the MDI frame and the SDI frame) implement
// IOZWDockingFrame. Its docking operations have the framework's names; their
// defaults run the toolkit's rules (OZWFrameDocking), which use nothing of
// the frame but its control-bar lookup by id, so a frame needs to override
// them only to add to them. A frame also overrides CFrameWnd's
// FloatControlBar, ShowControlBar, EnableDocking and RecalcLayout to call
// the OZWFrameDocking operations of the same names.
#pragma once

#include "platform/framework/Framework.h"

class OZWAutoHideBar;
class OZWDockBar;

class IOZWDockingFrame
{
public:
    virtual ~IOZWDockingFrame() = default;

    // The auto-hide strip of a side (CBRS_ALIGN_LEFT, _TOP, _RIGHT, _BOTTOM);
    // null when the frame has none there.
    virtual OZWAutoHideBar* GetAutoHideBar(DWORD dwSide) = 0;

    // Docks the bar on the dock bar nDockBarID (0: the one of the bar's
    // alignment) or pDockBar (null: likewise) at lpRect (screen; null: a new
    // row at the end, or the place kept for it).
    virtual void DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect);
    virtual void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
    // Docks the bar back at the place it left (pDockBar null: the frame's
    // dock bar that kept a place for it, else the one of its alignment).
    virtual void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
    // Docks the bar at a row and column of the dock bar (0: by alignment),
    // with its share of the row and its thickness.
    virtual void DockControlBarEx(CControlBar* pBar, UINT nDockBarID, int nColumn, int nRow, float fShare,
                                  int nSize);
    // Floats the bar as an MDI child window of the main frame at point with
    // the float style; FALSE when the frame cannot (only the MDI frame can).
    virtual BOOL FloatControlBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle);

    CFrameWnd* GetFrame() { return dynamic_cast<CFrameWnd*>(this); }
};

// The frame docking operations of the toolkit, for any frame.
namespace OZWFrameDocking {

// The frame's dock bar of that id (not floating), null when none.
CDockBar* GetDockBar(CFrameWnd* pFrame, UINT nDockBarID);
// The first dock bar (top, bottom, left, right) whose side the bar's
// alignment names.
CDockBar* GetDockBarByAlignment(CFrameWnd* pFrame, DWORD dwStyle);

// Gives the frame a toolkit dock bar on each side dwDockStyle names (made in
// the order top, bottom, left, right; none twice) and floating frames of the
// toolkit. With ppStrips (left, top, right, bottom), a frame that has the
// strips gets each side's strip created, docked first on its side, hidden.
// A dock bar that cannot be made raises the resource exception.
void EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, OZWAutoHideBar* const* ppStrips = nullptr);

void DockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
void DockControlBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect);
void ReDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
void DockControlBarEx(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, int nColumn, int nRow, float fShare,
                      int nSize);
// Floats the bar in a floating frame of the toolkit with its top-left at
// point (kept so that 10 pixels of the bar stay on the work area).
void FloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint point, DWORD dwStyle);
// Shows or hides the bar (bDelay: at the next layout); its floating frame
// follows; its dock bar takes it as the bar docked or shown last.
void ShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow, BOOL bDelay);
// After the frame's layout: the dock bars repaint the bars that moved.
void RedrawDockBars(CFrameWnd* pFrame);

} // namespace OZWFrameDocking
