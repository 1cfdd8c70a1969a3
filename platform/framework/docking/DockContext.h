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
    // Moves rect so that pt lies in it, at least nInside pixels from the far
    // edges.
    static void EnsurePointInRect(CRect& rect, CPoint pt, int nInside = 1);
    // Remembers a docking on pDockBar at rect (screen) as the last, when
    // pDockBar is one of the frame's four sides.
    void RememberDockPlace(CDockBar* pDockBar, const CRect& rect);

    // Steps of the drag, in the order they run.
    // The drag rectangles of a drag from pt of the bar at rectBar (screen):
    // docked across and down, and floating (the frame's edges not yet added).
    void InitDragRects(const CRect& rectBar, CPoint pt);
    // The bar's size in the arrangement it is not in now (bHorz: it is
    // horizontal now), for a bar that neither sizes itself nor is fixed.
    virtual CSize CalcOtherArrangement(BOOL bHorz);
    // The drag is horizontal: the bar's own arrangement, or the other one
    // while Shift is held.
    BOOL IsDragHorz() const;
    // The bar floats horizontally when dropped now.
    BOOL IsFloatHorz() const;
    // The floating outline's thickness: the frame's edge.
    static CSize FloatOutlineSize();
    // Draws the outline rect of thickness size, erasing the last one, and
    // remembers it as the last (bDither: drawn with the halftone brush).
    void DrawOutline(const CRect& rect, CSize size, BOOL bDither, CBrush* pBrush, CBrush* pBrushLast);
    // Docks the bar on the dock bar under the outline, where the outline is,
    // and remembers the place; null (nothing done) when there is none.
    CDockBar* DockOnDrop();
    // Floats the bar where the outline is, remembering the place.
    void FloatOnDrop();
    // The dock bar the bar was docked on last, null when none; rect gets
    // the bar's place on it (screen).
    CDockBar* GetMRUDockBar(CRect& rect) const;
    // Floats the docked bar where it floated last (its float style's bits
    // in dwKeepStyle), the first time where it is, and at ptIfScreenGone
    // when that place lies on no screen now.
    void FloatWhereLast(DWORD dwKeepStyle, CPoint ptIfScreenGone);
    // The frame edges a resize by nHitTest moves.
    struct ResizeEdges
    {
        bool bLeft, bRight, bTop, bBottom;
    };
    static ResizeEdges EdgesOf(int nHitTest);
    // The frame rectangle r around a bar of size (borders: what the frame
    // adds round it), the edges that do not move staying where they are.
    static void AnchorFrame(CRect& r, CSize size, CSize borders, bool bLeft, bool bTop);

    // What the drag does to the frame: dock, re-dock to a kept place, float.
    virtual void DockAt(CDockBar* pDockBar, const CRect& rect);
    virtual void ReDockAt(CDockBar* pDockBar, LPCRECT lpRect);
    virtual void FloatAt(CPoint pt, DWORD dwStyle);

    BOOL m_bLoop = FALSE;        // a loop is running (outline drawn)
    CPoint m_ptStart;            // where the drag began
    CRect m_rectResizeStart;     // the floating bar's frame when a resize began
};
