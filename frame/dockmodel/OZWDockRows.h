// The rows of a dock bar without its window: which bars lie in which row, the
// places kept for bars that left, how the bars of a row share its length,
// where a dropped or newly docked bar goes, how the rows are laid out with
// their splitters and client edges, and what dragging a splitter does.
//
// The dock bar window (OZWDockBar) copies its bar array and the state of its
// bars into an OZWDockRows, runs the operation, and copies the order, the
// shares and the sizes back. The model knows each bar only as an opaque
// pointer with the few facts it needs (OZWDockEntry).
//
// The entries run like the framework's bar array: entry 0 is a row end, each
// row is a run of entries ended by a row end, so the array always ends with
// one. An entry is a bar, or the place kept for a bar that left the row to
// float (its control id), to which the bar comes back when it docks again.
//
// Coordinates are the dock bar's client coordinates. "Along" is the
// direction the rows run (x on a top or bottom dock bar, y on a left or right
// one), "across" the other. Rows are numbered from the dock bar's origin: on
// a left or top dock bar the first row lies at the frame's edge, on a right
// or bottom one the first row lies next to the client area.
#pragma once

#include "frame/dockmodel/OZWBarStyles.h"
#include "platform/framework/base/Geometry.h"

#include <vector>

struct OZWDockEntry
{
    enum Kind
    {
        RowEnd,
        Bar,
        Placeholder
    };

    Kind kind = RowEnd;
    void* pBar = nullptr;     // the bar (Bar)
    UINT nID = 0;             // its control id (Bar), the id whose place is kept (Placeholder)
    BOOL bVisible = TRUE;     // shown, counting a pending show or hide
    BOOL bToolBar = FALSE;    // a toolbar (repainted with its row)
    DWORD dwExStyle = 0;      // SCBX_ bits
    float fShare = 1.0f;      // fraction of the row's length (sized bars)
    BOOL bShareValid = TRUE;  // the share holds a computed value
    CRect rect;               // where the bar lies now
    CSize size;               // the size it asks for docked on this side (window cx, cy)

    static OZWDockEntry MakeRowEnd() { return OZWDockEntry(); }
    static OZWDockEntry MakePlaceholder(UINT nID)
    {
        OZWDockEntry e;
        e.kind = Placeholder;
        e.nID = nID & 0xFFFF;
        return e;
    }
    static OZWDockEntry MakeBar(void* pBar, UINT nID, DWORD dwExStyle = 0, float fShare = 1.0f)
    {
        OZWDockEntry e;
        e.kind = Bar;
        e.pBar = pBar;
        e.nID = nID;
        e.dwExStyle = dwExStyle;
        e.fShare = fShare;
        return e;
    }

    bool IsBar() const { return kind == Bar; }
    bool IsRowEnd() const { return kind == RowEnd; }
    bool IsFixedSize() const { return (dwExStyle & SCBX_FIXED_SIZE) != 0; }
    bool IsOwnRow() const { return (dwExStyle & SCBX_OWN_ROW) != 0; }
    // A visible bar that takes a share of its row.
    bool IsSized() const { return IsBar() && bVisible && !IsFixedSize(); }
};

// Where InsertBarAtPos puts a bar: a signed row and column and flags.
struct OZWDockPos
{
    enum Flags
    {
        RowsFromEnd = 1,    // rows counted back from the last row
        ColumnsFromEnd = 2, // columns counted back from the row end
        NewRow = 4,         // open a new row before the row named
    };
    int nRow = 0;
    int nColumn = 0;
    DWORD dwFlags = 0;
};

// A splitter of the last layout: between two rows (kind 0, it changes the
// thickness of the row), or between two bars of a row (kind 1, it moves
// length from one bar to the next).
struct OZWDockSplitterInfo
{
    enum Kind
    {
        RowSplitter = 0,
        InRowSplitter = 1
    };
    int nKind = RowSplitter;
    int nOrientation = 0; // 1: a vertical strip dragged along x; 0: horizontal, dragged along y
    int nIndex = 0;       // the entry it belongs to (the bar before it, or the row start)
    CRect rect;
};

// The client edge drawn on the client side of a row of sized bars.
struct OZWDockEdgeInfo
{
    int nOrientation = 0; // 0 horizontal edge, 1 vertical edge
    CRect rect;
};

// The result of laying the rows out.
struct OZWDockLayout
{
    std::vector<CRect> rects;       // per entry: where the bar goes (empty when none)
    std::vector<int> lengths;       // per entry: the length a sized bar commits (-1 none)
    std::vector<int> thickness;     // per entry: the thickness a bar of a sized row takes (-1 none)
    std::vector<OZWDockSplitterInfo> splitters;
    std::vector<OZWDockEdgeInfo> edges;
    int nAcross = 0;                // thickness of all rows (0 when no bar shows)
    int nAlongMax = 0;              // the longest row
    bool bAnyBar = false;
};

// Where a bar dropped at a point would go.
struct OZWDockDropPlace
{
    enum Kind
    {
        InRow,      // into an existing row, at nIndex
        NewRowAt,   // a new row starting at nIndex (before the row starting there)
        NewLastRow  // a new row after the last
    };
    Kind kind = NewLastRow;
    int nIndex = 0;     // entry index the bar is inserted at
    int nRowStart = -1; // the row concerned (InRow, NewRowAt)
};

// What the dock bar remembers between two feedback rectangles of one drag.
struct OZWDockFeedbackCache
{
    int nRow = -1;      // row start of the last feedback, -1 none
    CRect rect;
    CPoint point;
};

class OZWDockRows
{
public:
    explicit OZWDockRows(DWORD dwAlign = 0x2000 /* CBRS_ALIGN_TOP */, BOOL bFloating = FALSE);

    std::vector<OZWDockEntry> m_entries;
    DWORD m_dwAlign;            // CBRS_ALIGN_ bit of the dock bar's side
    BOOL m_bFloating;           // the dock bar of a floating frame
    float m_fMinShare = ozwdock::kDefaultMinShare;
    BOOL m_bRowsChanged = FALSE;
    // Bars to be repainted after the next layout, in the order queued.
    std::vector<void*> m_queued;

    // Orientation: rows run along x on a top or bottom dock bar.
    bool IsHorz() const;
    // A left or top dock bar (its first row at the frame's edge).
    bool IsNearSide() const;
    static int Along(CPoint pt, bool bHorz) { return bHorz ? pt.x : pt.y; }
    static int Across(CPoint pt, bool bHorz) { return bHorz ? pt.y : pt.x; }
    static int AlongStart(const CRect& r, bool bHorz) { return bHorz ? r.left : r.top; }
    static int AlongEnd(const CRect& r, bool bHorz) { return bHorz ? r.right : r.bottom; }
    static int AcrossStart(const CRect& r, bool bHorz) { return bHorz ? r.top : r.left; }
    static int AcrossEnd(const CRect& r, bool bHorz) { return bHorz ? r.bottom : r.right; }
    static CRect MakeRect(int nAlong0, int nAlong1, int nAcross0, int nAcross1, bool bHorz)
    {
        return bHorz ? CRect(nAlong0, nAcross0, nAlong1, nAcross1) : CRect(nAcross0, nAlong0, nAcross1, nAlong1);
    }

    // ---- Entries and rows
    int GetSize() const { return (int)m_entries.size(); }
    bool IsBar(int i) const { return i >= 0 && i < GetSize() && m_entries[i].IsBar(); }
    int FindBar(const void* pBar) const;
    int FindPlaceholder(UINT nID, int nExclude = -1) const;
    bool HasBars() const;
    int GetVisibleBarCount() const;
    // The first entry of the row that holds entry i, and the row end after it.
    int RowStart(int i) const;
    int RowEnd(int i) const;
    int GetRowCount() const;
    // Start of row n (0 the first), -1 when there are fewer rows.
    int RowStartByNumber(int n) const;
    // The bars of entry i's row: those before it from the nearest back to
    // the row start, then it and those after it.
    std::vector<void*> GetRowBars(int i) const;
    // Among the visible bars of i's row only i has more than the minimum share.
    bool IsLastResizableInRow(int i) const;
    // i is the row's only entry, or its only visible bar.
    bool IsAloneInRow(int i) const;
    // Thickness of i's row now: the widest extent across of its visible bars.
    int RowThickness(int i) const;

    // ---- Shares
    // Minimum share for a dock bar nLength long: 18 pixels of it, 0.05 when
    // the length is not known, at most the whole row.
    void UpdateMinShare(int nLength);
    // Adds fDelta to the share of bar i; a share that falls below the
    // minimum is set to it and the shortfall (negative) returned. A missing
    // bar (i < 0) returns fDelta.
    float AdjustBarShare(float fDelta, int i);
    // Recomputes the shares of the row starting at nRowStart. The active bar
    // (the one docked or shown last) and bars without a valid share keep
    // their shares as fractions of the row (clamped to the minimum and to
    // 0.95); the others share what is left in their old proportions. Hidden
    // bars lose their valid share. Counts the visible sized and fixed bars.
    void CalcRowShares(int nRowStart, const void* pActive, int& nSized, int& nFixed);
    // Mode 1: bar i takes the whole row (the others keep the minimum);
    // other modes: every bar of the row gets an equal share.
    void ExpandBar(int i, int nMode);
    // The length of i's row shared by its sized bars: the row length less
    // the in-row splitters and the lengths of fixed-size bars.
    int SharedRowLength(int i, int nRowLength) const;

    // ---- Inserting and removing
    // Inserts the bar at index, adding row ends so that a bar with
    // SCBX_OWN_ROW is alone in its row. Returns the bar's index.
    int InsertBarAtIndex(int nIndex, const OZWDockEntry& bar);
    // As a new first row.
    int InsertBarAsFirstRow(const OZWDockEntry& bar);
    // By row and column (OZWDockPos).
    int InsertBarAtPos(const OZWDockEntry& bar, const OZWDockPos& pos);
    // At a drop point: into the row under it, or a new row before the row it
    // lies before, or a new last row (places kept at the end stay).
    int InsertBarAtPoint(const OZWDockEntry& bar, CPoint pt);
    // A new last row, after everything (places kept at the end stay).
    int AppendAsLastRow(const OZWDockEntry& bar);
    // Puts the bar into the place kept for its id; -1 when there is none.
    int ReplacePlaceholder(const OZWDockEntry& bar);
    // Takes entry i out: with bAddPlaceholder its place is kept (unless a
    // place for the id is already kept), else the entry goes; a row left
    // empty goes with it. Returns whether i was alone in its row.
    bool RemoveEntry(int i, bool bAddPlaceholder);
    // Removes the place kept for nID, if any.
    void RemovePlaceholder(UINT nID);

    // Where a bar dropped with its centre at pt goes (pBar itself is not
    // counted as a neighbour).
    OZWDockDropPlace FindDropPlace(CPoint pt, const void* pBar) const;
    // The share a bar dropped at the place takes: its share in proportion to
    // the shares of the row's other sized bars; its own share when the row
    // has none.
    float DropShare(const OZWDockEntry& bar, const OZWDockDropPlace& place) const;
    // The outline shown while the bar is dragged over the dock bar with the
    // drag rectangle rectDrag (client coordinates) and the cursor at pt: in a
    // row with other sized bars, the length the bar will take and the row's
    // thickness, placed so the cursor keeps its place in it; in a new row,
    // the dock bar's whole length; a fixed-size bar keeps its rectangle.
    CRect CalcFeedbackRect(const OZWDockEntry& bar, const CRect& rectDrag, CPoint pt, int nDockLength,
                           OZWDockFeedbackCache& cache) const;

    // ---- Repainting
    void Queue(void* pBar);
    void Dequeue(const void* pBar);
    // The bars on the far side of entry i: from i to the end on a left or
    // top dock bar, before i on a right or bottom one.
    void QueueFrom(int i);
    // The toolbars of i's row.
    void QueueRowToolBars(int i);

    // ---- Layout
    // Lays the rows out: nRowLength along, starting at (nAlong0, nAcross0).
    // Rows of sized bars get their client edge and row splitter and the
    // in-row splitters; rows without sized bars (and every row of a floating
    // dock bar) place their bars one after another as asked, keeping each
    // where it was dropped while there is room. Shares are recomputed per
    // row with pActive first; SCBX_PLAIN_ROW is set or cleared.
    OZWDockLayout Layout(int nRowLength, int nAlong0, int nAcross0, const void* pActive);

    // ---- Splitters
    // The range a splitter may be dragged in: nMin is the lowest start, nMax
    // the highest end, along its drag axis. nClientStart/nClientEnd: the dock
    // bar's client extent along the row (in-row splitters); nFree: the room
    // the frame's client area has across the rows (row splitters).
    void GetSplitterLimits(const OZWDockSplitterInfo& splitter, int nClientStart, int nClientEnd, int nFree,
                           int& nMin, int& nMax) const;
    // Applies a drag of nDelta pixels. A row splitter thickens (or thins)
    // every bar of its row, away from the frame's edge thickening it; an
    // in-row splitter moves length from the bars on one side to the bar on
    // the other, never below 18 pixels or the minimum share. The new lengths
    // (along) and thicknesses (across) go into newLength/newThickness (per
    // entry, -1 unchanged) and the shares into the entries.
    void ResizeBySplitter(const OZWDockSplitterInfo& splitter, int nDelta, int nRowLength,
                          std::vector<int>& newLength, std::vector<int>& newThickness);

private:
    // Adds row ends round entry i so that an own-row bar has its row alone.
    int SeparateOwnRow(int i);
    // Collapses a doubled row end at i-1, i.
    void CollapseAt(int i);
    std::vector<int> VisibleBarsOfRow(int i) const;
};
