// CDockBar: the strip along one side of a frame (or the inside of a
// floating mini frame) that holds docked control bars in rows.
//
// m_arrBars lists the bars row after row: entry 0 is null, each row is a run
// of entries ended by a null entry, so the array always ends with null. An
// entry is a bar, or the place of a bar that left the row to float (its
// control id, a number below 0x10000, which no object address can be): the
// bar comes back to that place when it is docked again (ReDockControlBar).
// GetDockedControlBar answers null for row ends and places alike.
//
// A docked dock bar takes its room in the frame's layout like any bar: the
// thickness of its rows across, the whole side along (0 when it shows no
// bar). Its layout gives each bar the size it asks for docked on that side,
// keeps a bar where it was dropped along the row when the bars before it
// leave room, and pulls it back when it would run past the row's end.
#pragma once

#include "platform/framework/docview/ControlBar.h"
#include "platform/framework/base/Collections.h"

#include <vector>

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    BOOL m_bFloating;         // the dock bar of a floating mini frame
    CPtrArray m_arrBars;      // the rows (see above)
    BOOL m_bLayoutQuery = FALSE; // set while the layout only measures
    CRect m_rectLayout;       // the room the frame offers in the current layout

    // Creates the dock bar as a child of pParentWnd: dwStyle carries its
    // side (CBRS_ALIGN_ bit) and window styles.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Places of bars that left a row are kept as their control ids.
    static BOOL IsPlaceholder(const void* pEntry)
    {
        return pEntry != nullptr && (UINT_PTR)pEntry < 0x10000;
    }
    static void* MakePlaceholder(UINT nID) { return (void*)(UINT_PTR)(nID & 0xFFFF); }
    static UINT PlaceholderID(const void* pEntry) { return (UINT)(UINT_PTR)pEntry; }

    // Docks pBar: at the place it left here when it has one, else in the row
    // under the centre of lpRect (screen coordinates), else in a new row at
    // the end. The bar becomes a child of the dock bar, takes the dock bar's
    // side in its style, and leaves its former dock bar; leaving a docked
    // dock bar for a floating one keeps its place there. The docking frame
    // lays itself out at the next idle pass.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // As DockControlBar, but a place kept for the bar wins over lpRect.
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes pBar out (the entry at nPosExclude is left alone when searching).
    // nAddPlaceHolder 1 leaves the bar's place (once per dock bar), 0 leaves
    // none. A row left empty disappears. A floating dock bar with no bar
    // left destroys its frame and answers TRUE (this object is then gone);
    // with only hidden bars left it hides its frame.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Forgets the place kept for pBar, if any.
    void RemovePlaceHolder(CControlBar* pBar);

    // Bars held (places not counted), and those of them that are visible.
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The bar at entry nPos, null for a row end or a kept place.
    CControlBar* GetDockedControlBar(int nPos) const;
    // The entry of pBar, -1 when it is not here.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    // The entry of the place kept for the bar with control id nID, -1 when none.
    int FindPlaceholder(UINT nID, int nPosExclude = -1) const;
    // Shows or hides every bar held, through the docking frame.
    void ShowAll(BOOL bShow);
    // The docked side of pFrame that keeps the place of the bar with control
    // id nID (sides searched top, bottom, left, right), null when none.
    static CDockBar* FindKeptPlace(CFrameWnd* pFrame, UINT nID);
    // Puts pBar into m_arrBars for a drop at ptMid (client coordinates):
    // into the row whose bars span ptMid across the side, before the first
    // bar whose centre lies beyond it; before the first row or after the
    // last in a new row. Answers the entry.
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL IsDockBar() const override;
    BOOL IsFloating() const override;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcDestroy();

protected:
    // Removes the entry at nPos and a row end that is left doubled.
    void RemoveEntry(int nPos);
    // Makes sure the array starts and ends with a row end.
    void NormaliseArray();
    // Takes the bar into this dock bar's window and style, out of the dock
    // bar it leaves; lpRectClient (client coordinates) moves it there.
    void AdoptBar(CControlBar* pBar, LPCRECT lpRectClient);
    // Makes pBar a child of this dock bar (a bar that lay in its frame's own
    // layout leaves its room there; bKeepShown: a shown bar is shown again
    // in its new parent) and moves it to lpRectClient, with nMoveFlags
    // added to the move's.
    void MoveBarIn(CControlBar* pBar, LPCRECT lpRectClient, BOOL bKeepShown, UINT nMoveFlags);
    // The rows of a saved layout (pInfo->m_arrBarID), with pFrameWnd's bars;
    // ids of no bar of the frame are dropped, bars here that the layout
    // does not name stay in a last row.
    void TakeBars(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);
    friend class CControlBar;
    friend class CBarDockingSupport;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Window-free layout of the rows of a dock bar

namespace kvdock {

// One bar of a row, measured along the dock bar's side: its length along the
// row, its thickness across, and the offset along the row where it is now.
struct RowBar
{
    int nLength = 0;
    int nThickness = 0;
    int nOffset = 0;
};

// The starts of the bars of one row, in order. Each bar follows the one
// before it, or stays at its own offset when that lies further along
// (bKeepOffsets: a bar stays where it was dropped); a bar that would run past
// nRowLength is pulled back towards the start, never onto the bar before it.
std::vector<int> PlaceRow(const std::vector<RowBar>& bars, int nRowLength, bool bKeepOffsets);

} // namespace kvdock
