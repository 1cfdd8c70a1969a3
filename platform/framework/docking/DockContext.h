// CDockContext: the mouse operations on a dockable control bar.
//
// A bar gets its dock context from EnableDocking. The context drags the bar
// (StartDrag: a press on the bar or on its floating frame's caption),
// resizes a floating bar by its frame's edges (StartResize), and toggles it
// between docked and floating (ToggleDocking: a double click). While it
// drags, an outline follows the mouse: the bar's docked rectangle over a
// side the bar may dock on, else its floating frame's. The drag ends with
// the left button up (the bar docks where the outline was, or floats
// there); Escape, the right button, or losing the mouse capture leave
// everything as it was. Ctrl held during the drag keeps the bar from
// docking; Shift tries the other orientation first.
//
// The context remembers where the bar was docked last (the dock bar's id and
// the rectangle in its client coordinates) and where it floated last (the
// frame's top-left corner and the float style), for the toggle and for the
// saved layout.
#pragma once

#include "platform/framework/docview/ControlBar.h"

class CDockBar;

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    // Takes the bar out of its dock bar (keeping no place for it).
    virtual ~CDockContext();

    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Drag: the loop runs until the button goes up or the drag is cancelled.
    virtual void StartDrag(CPoint pt);
    // Resize of a floating bar by the frame edge nHitTest (HTLEFT...).
    virtual void StartResize(int nHitTest, CPoint pt);
    // Docked: floats the bar where it floated last; floating: docks it
    // where it was docked last.
    virtual void ToggleDocking();

    // Pieces of the loops, in the order they run.
    virtual void InitLoop();
    virtual BOOL Track();
    virtual void Move(CPoint pt);
    virtual void Stretch(CPoint pt);
    virtual void OnKey(int nChar, BOOL bDown);
    virtual void EndDrag();
    virtual void EndResize();
    virtual void CancelLoop();
    // Draws the outline for the current state (bRemoveRect: erases it).
    virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // The side the drag rectangles may dock on now, 0 when none.
    virtual DWORD CanDock();
    // The frame's dock bar of that side under the drag rectangle.
    CDockBar* GetDockBar(DWORD dwOverDockStyle);

    // The bar and its frame
    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle = 0;     // the bar's m_dwDockStyle when the loop began
    DWORD m_dwOverDockStyle = 0; // the side under the outline, 0 when floating
    DWORD m_dwStyle = 0;         // the bar's m_dwStyle when the loop began
    BOOL m_bFlip = FALSE;        // Shift: the other orientation first
    BOOL m_bForceFrame = FALSE;  // Ctrl: never dock
    BOOL m_bDragging = FALSE;    // dragging (else resizing)
    int m_nHitTest = 0;          // the frame edge being resized

    // Rectangles of the loop (screen): the bar docked on a horizontal and on
    // a vertical side, and its floating frame in either arrangement.
    CRect m_rectDragHorz;
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;
    CRect m_rectFrameDragVert;
    // The outline drawn last, and where the mouse was.
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CDC* m_pDC = nullptr;        // the screen while the loop runs

    // Remembered places
    UINT m_uMRUDockID = 0;       // the dock bar it was docked on last (0: none)
    CRect m_rectMRUDockPos;      // its rectangle there (dock bar client coordinates)
    DWORD m_dwMRUFloatStyle = 0; // float style used last (0: never floated)
    CPoint m_ptMRUFloatPos;      // floating frame's top-left used last (screen)

protected:
    // Grows a bar rectangle to the floating frame around it.
    void AdjustFrameRect(CRect& rect) const;
    // Moves rect so that pt lies in it.
    static void EnsurePointInRect(CRect& rect, CPoint pt);
    // Remembers a docking on pDockBar at rect (screen) as the last, when
    // pDockBar is one of the frame's four sides.
    void RememberDockPlace(CDockBar* pDockBar, const CRect& rect);
    BOOL m_bLoop = FALSE;        // a loop is running (outline drawn)
    CPoint m_ptStart;            // where the drag began
    CRect m_rectResizeStart;     // the floating bar's frame when a resize began
};
