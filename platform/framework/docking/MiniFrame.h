// Small frames: CMiniFrameWnd, a tool window with a small caption, and
// CMiniDockFrameWnd, the floating frame that holds control bars while they
// float.
//
// The MFS_ bits of a mini frame's style: MFS_THICKFRAME sizes by every edge
// and corner, MFS_4THICKFRAME by the four edges only, MFS_MOVEFRAME moves
// the frame by its edges instead of sizing it, MFS_SYNCACTIVE shows the
// caption active while the frame's owner is active, MFS_BLOCKSYSMENU keeps
// the system menu from opening. FWS_SNAPTOBARS makes the frame take the size
// its bars ask for at every layout.
//
// A floating frame holds one dock bar (id AFX_IDW_DOCKBAR_FLOAT) whose bars
// float together. The dock bar belongs to the docking frame's list of bars,
// so the docking frame's saved layout covers the floating bars. A press on
// the caption drags the first bar (unless the frame takes several bars,
// CBRS_FLOAT_MULTI), a press on an edge resizes a bar that sizes itself
// (CBRS_SIZE_DYNAMIC), a double click on the caption docks it again; closing
// the frame hides its bars and keeps the frame for when they show again.
#pragma once

#include "platform/framework/docview/DocView.h"
#include "platform/framework/docking/DockBar.h"

#ifndef MFS_SYNCACTIVE
#define MFS_SYNCACTIVE     0x00000100L
#define MFS_4THICKFRAME    0x00000200L
#define MFS_THICKFRAME     0x00000400L
#define MFS_MOVEFRAME      0x00000800L
#define MFS_BLOCKSYSMENU   0x00010000L
#endif

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    ~CMiniFrameWnd() override;

    // A popup tool window with a small caption (dwStyle with WS_CAPTION) and
    // the MFS_ behaviour of its style; pParentWnd owns it.
    virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd = nullptr, UINT nID = 0);

    // Grows a client rectangle to the window rectangle of a mini frame of
    // dwStyle (its caption and edges).
    static void PASCAL CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                                   DWORD dwExStyle = 0);
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    // A small frame may be as small as what it holds.
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

protected:
    DWORD m_dwMiniStyle = 0;   // the MFS_ bits it was made with
    BOOL m_bActive = FALSE;    // caption shown active

    DECLARE_MESSAGE_MAP()
};

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    ~CMiniDockFrameWnd() override;

    // Creates the frame for bars of dwBarStyle (CBRS_ALIGN_TOP: horizontal,
    // CBRS_ALIGN_LEFT: vertical; CBRS_SIZE_DYNAMIC: sizable by its edges;
    // CBRS_FLOAT_MULTI: several bars), owned by pParent, the docking frame.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    using CMiniFrameWnd::Create;
    // The frame's layout; its title follows the dock bar's (the bar's).
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // The dock bar the frame holds: m_wndDockBar, or in a derived frame that
    // holds a dock bar of its own kind, that one.
    virtual CDockBar& GetDockBar() { return m_wndDockBar; }
    // The first bar held, null when none.
    CControlBar* GetFirstBar();
    // Puts the frame wholly on the work area of the screen nearest to it. A
    // frame larger than the area first has its bar (when it holds one bar
    // that sizes itself) laid out to fit, as far down as the bar goes; a
    // frame still too large keeps its caption on the area (top-left corner
    // at the area's).
    void KeepOnWorkArea();

    CDockBar m_wndDockBar;

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnDestroyIfEmpty(WPARAM wParam, LPARAM lParam);

    // Posted to a floating frame whose last bar went while being destroyed:
    // the frame goes too unless a bar joined it meanwhile.
    static UINT MessageDestroyIfEmpty();

protected:
    // Makes the frame of dwStyle, owned by pParent, and its dock bar
    // (GetDockBar()) of dwDockStyle: made in pParent, which keeps it among
    // its bars, and moved in here. On a failure the object is gone.
    BOOL CreateFrame(CWnd* pParent, DWORD dwStyle, DWORD dwDockStyle);

    DECLARE_MESSAGE_MAP()
};
