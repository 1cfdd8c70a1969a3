// OZWDockContext: dragging, resizing and toggling a bar of the toolkit.
//
// As the framework's dock context, with these differences: over a toolkit
// dock bar the outline shows the share of the row the bar will take (and the
// bar takes that share when dropped); a floating bar moved less than 5
// pixels does not dock; the status line says "Press the Ctrl key to prevent
// docking." while dragging; the bar's docked share is kept while it floats;
// and the docking goes through the frame's toolkit operations
// (IOZWDockingFrame), the framework's in any other frame.
#pragma once

#include "frame/dockmodel/OZWDockRows.h"
#include "platform/framework/Framework.h"

class OZWDockContext : public CDockContext
{
public:
    explicit OZWDockContext(CControlBar* pBar);
    // Takes the bar out of its dock bar (no place kept).
    ~OZWDockContext() override;

    void StartDrag(CPoint pt) override;
    void StartResize(int nHitTest, CPoint pt) override;
    void ToggleDocking() override;
    // Floats the bar as an MDI child of the main frame, or back to where it
    // was before.
    virtual void ToggleMDIFloat();
    void DrawFocusRect(BOOL bRemoveRect = FALSE) override;
    void EndDrag() override;
    void Stretch(CPoint pt) override;
    void EndResize() override;
    void CancelLoop() override;
    DWORD CanDock() override;

    // The last feedback of the dock bar under the drag.
    OZWDockFeedbackCache m_feedback;
    CPoint m_ptDragStart;
    BOOL m_bWasFloating = FALSE;   // it floated before it became an MDI child
    CSize m_sizeMinFloat;
    CSize m_sizeMaxFloat;
    // Where the bar's MDI-child window was last (screen), for floating it
    // there again.
    CPoint m_ptMDIFloatPos = CPoint(-1, -1);

protected:
    // A floating bar moved less than this does not dock.
    static const int kDockThreshold = 5;
    BOOL MovedEnough() const;
    // The frame's toolkit docking operations, null in any other frame.
    class IOZWDockingFrame* ToolkitFrame() const;
    // Dragged across, a bar takes the size it has docked on the other side.
    CSize CalcOtherArrangement(BOOL bHorz) override;
    void DockAt(CDockBar* pDockBar, const CRect& rect) override;
    void ReDockAt(CDockBar* pDockBar, LPCRECT lpRect) override;
    CRect m_rectResizeFrame; // the floating frame when the resize began
};
