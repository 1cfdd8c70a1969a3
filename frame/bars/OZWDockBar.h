// OZWDockBar: the toolkit's dock bar, along one side of a frame or inside a
// floating frame.
//
// It keeps the framework's bar array (rows ended by null entries, places of
// bars that left as their ids) and adds what the framework's dock bar
// lacks: the bars of a row share its length by a fraction kept in each bar
// (OZWControlBar::m_fShare); splitters 6 pixels thick between rows and
// between the bars of a row can be dragged to resize them; a row of sized
// bars gets a client edge on its outer side; bars can be docked at a point,
// at a row and column, or in a new row. Rows without sized bars (toolbars)
// are laid out as the framework's dock bar does.
//
// The rows' logic is window-free (OZWDockRows, frame/dockmodel): each
// operation copies the array and the bars' state into the model, runs it and
// copies the result back.
//
// A bar destroyed while it is listed leaves every list of the dock bar (its
// entry, the repaint list, the bar docked last, the context menu's map);
// the repaint list keeps window handles, never pointers.
#pragma once

#include "frame/dockmodel/OZWDockRows.h"
#include "frame/dockstate/OZWDockState.h"
#include "platform/framework/Framework.h"

#include <map>
#include <uxtheme.h>
#include <vector>

class OZWControlBar;
class OZWControlBarInfo;

class OZWDockBar : public CDockBar, public IOZWDockStateBar
{
    DECLARE_DYNCREATE(OZWDockBar)
public:
    OZWDockBar();
    OZWDockBar(BOOL bFloating, BOOL bMDIChild);
    ~OZWDockBar() override;

    // A splitter of the last layout, in dock-bar client coordinates.
    class Splitter : public CObject
    {
    public:
        int m_nMin = 0;          // lowest start while dragging
        int m_nMax = 0;          // highest end while dragging
        int m_nIndex = 0;        // entry of the bar before it, or the row start
        int m_nOrientation = 0;  // 1: vertical strip dragged along x; 0: horizontal
        int m_nKind = 0;         // 0: between rows; 1: between two bars of a row
        CRect m_rect;
        BOOL m_bSeen = FALSE;    // made by the current layout
        CRect m_rectLast;        // drag feedback drawn last
        CSize m_sizeLast;
        BOOL m_bErase = FALSE;
        BOOL m_bFinal = FALSE;
        OZWDockSplitterInfo Info() const;
    };
    // The client edge on the outer side of a row of sized bars.
    class ClientEdge : public CObject
    {
    public:
        int m_nOrientation = 0;  // 0 horizontal, 1 vertical
        CRect m_rect;
        BOOL m_bSeen = FALSE;
    };

    // ---- Operations
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) override;
    // Bars with a window that are visible.
    virtual int GetVisibleBarCount();
    virtual BOOL IsLastResizableInRow(CControlBar* pBar);
    virtual BOOL IsAloneInRow(CControlBar* pBar);
    // Docks the bar at a row and column (OZWDockPos); the shares of its row
    // are recomputed and the frame lays out at the next idle pass.
    virtual void DockControlBarAtPos(CControlBar* pBar, const OZWDockPos& pos);
    virtual void DockControlBarEx(CControlBar* pBar, int nColumn, int nRow);
    // The bars of pBar's row: those before it from the nearest back, then it
    // and those after it.
    virtual void GetRowBars(CPtrList& list, CControlBar* pBar);
    // Mode 1: the bar takes the whole row; otherwise equal shares.
    virtual void ExpandBar(CControlBar* pBar, int nMode);
    // The bar docked or shown last: its share counts first at the next layout.
    virtual void SetLastDockedBar(CControlBar* pBar);
    // Repaints the bars that moved in the last layout.
    virtual void RedrawMovedBars();
    // Drags a splitter (modal; Escape, a right click or losing the mouse
    // cancel); returns the movement applied, 0 when none.
    virtual int TrackSplitter(Splitter* pSplitter, CPoint point);
    virtual Splitter* AddSplitter(int nKind, int nOrientation, const CRect& rect, int nIndex);
    virtual void GetSplitterLimits(Splitter* pSplitter);
    virtual ClientEdge* AddClientEdge(int nOrientation, const CRect& rect);
    virtual void QueueRowToolBars(CControlBar* pBar);
    // The outline shown while pBar is dragged over this dock bar (rectDrag
    // and point in screen coordinates; the result likewise).
    virtual void CalcDockFeedbackRect(CRect& rectResult, CControlBar* pBar, const CRect& rectDrag, CPoint point,
                                      OZWDockFeedbackCache& cache);
    // Docks the bar here: into the place it left when it has one, else at
    // lpRect (screen; null: a new last row).
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out (nAddPlaceHolder 1: its place is kept). Returns 1
    // when this dock bar's floating frame was destroyed (nothing left), else 0.
    virtual int RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Applies a splitter drag of nDelta pixels; returns nDelta.
    virtual int ResizeBySplitter(Splitter* pSplitter, int nDelta);
    virtual void CalcRowShares(int nRowStart, CControlBar* pActive, int& nSized, int& nFixed);
    virtual void UpdateMinShare();
    virtual float AdjustBarShare(float fDelta, CControlBar* pBar);
    virtual int InsertBarAtPoint(CControlBar* pBar, const CRect& rect, CPoint point);
    virtual int InsertBarAtPos(CControlBar* pBar, const OZWDockPos& pos);
    virtual int InsertBarAt(CControlBar* pBar, int nColumn, int nRow);
    virtual int InsertBarAsFirstRow(CControlBar* pBar);
    virtual int InsertBarAtIndex(int nIndex, CControlBar* pBar);

    // Docks at a drop rectangle (screen; null: a new last row); nothing
    // happens when the bar would stay where it is.
    void DockControlBarAtRect(CControlBar* pBar, LPCRECT lpRect);
    // The framework's record, with the hosted-in-MDI-child flag (and then
    // the parent frame's placement instead of a float position).
    void GetBarInfo(CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
    // For the saved layout (OZWDockState).
    void GetBarInfoEx(OZWControlBarInfo* pInfo) override;
    void SetBarInfoEx(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
    void SetExtendedStyle(DWORD dwExStyle) override;
    BOOL CreateFromInfo(CFrameWnd* pParent, OZWControlBarInfo* pInfo) override;
    // The layout's pending bars (a floating dock bar placed by the saved
    // layout): repainted with the next layout.
    void AddPendingBar(CControlBar* pBar) override;
    // The dock bar of a frame's side: keeps the style's bar bits, creates a
    // child of the framework's control-bar class.
    BOOL CreateInFrame(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The bar docked or shown last, null when none (or gone).
    CControlBar* GetLastDockedBar() const;
    const std::vector<Splitter*>& GetSplitters() const { return m_splitters; }
    const std::vector<ClientEdge*>& GetClientEdges() const { return m_edges; }
    float GetMinShare() const { return m_fMinShare; }
    BOOL IsMDIChildHost() const { return m_bMDIChild; }

    // The dock-bar context menu lists the frame's bars (off by default).
    static BOOL GetContextMenuEnabled();
    static void SetContextMenuEnabled(BOOL bEnable);
    // Windows move with SWP_NOCOPYBITS only after rows changed (on by default).
    static BOOL GetNoCopyBitsOnRowChange();
    static void SetNoCopyBitsOnRowChange(BOOL bOn);
    // A splitter of some dock bar is being dragged.
    static BOOL IsSplitterDragging();

    // ---- State
    BOOL m_bMDIChild = FALSE;                // hosted in an MDI-child float window
    AFX_SIZEPARENTPARAMS* m_pLayoutParams = nullptr; // during a size-parent call
    BOOL m_bRedrawPending = FALSE;
    BOOL m_bRowsChanged = FALSE;

protected:
    // The model of the rows, with the bars' state (and their sizes on this
    // side when bSizes).
    OZWDockRows Snapshot(bool bSizes = false, AFX_SIZEPARENTPARAMS* pLayout = nullptr);
    // The model's order, shares and repaints back into the dock bar.
    void Apply(const OZWDockRows& rows);
    // Adds windows to the repaint list.
    void QueueWindow(CWnd* pWnd);
    void QueueBars(const std::vector<void*>& bars);
    // A bar going away: out of every list, no frame destroyed here.
    void ForgetBar(CControlBar* pBar);
    // The row length: the room the layout offers, else the parent's client size.
    int GetRowLength(BOOL bHorz) const;
    // The frame's client area free of other bars, across the rows.
    int GetFreeClientLength();
    CFrameWnd* GetDockingFrameOf() const;
    // Puts the bar into this dock bar's window and style, out of the one it
    // leaves (keeping its place there when it goes from docked to floating).
    void AdoptBar(CControlBar* pBar, LPCRECT lpRectClient, bool bLeavePlaceholder);
    // The last step of docking a bar placed in the rows: adopts it (keeping
    // its place in a docked dock bar it floats out of), has the frames lay
    // out again and remembers it as the bar docked last.
    void FinishDocking(CControlBar* pBar, LPCRECT lpRectClient);
    Splitter* SplitterAt(CPoint point);
    void DrawSplitterBand(CDC* pDC, const CRect& rect, const CRect& rectLast);

    std::vector<HWND> m_redraw;               // bars to repaint after the next layout
    std::vector<ClientEdge*> m_edges;
    std::vector<Splitter*> m_splitters;
    CControlBar* m_pLastDockedBar = nullptr;  // valid only while listed
    float m_fMinShare = ozwdock::kDefaultMinShare;
    HTHEME m_hTheme = nullptr;
    std::map<UINT, HWND> m_mapCommands;       // the context menu's bars
    static BOOL s_bContextMenu;
    static BOOL s_bNoCopyBits;
    static BOOL s_bSplitterDragging;

    friend class OZWControlBar;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged();
    afx_msg void OnBarCommand(UINT nID);
    DECLARE_MESSAGE_MAP()
};
