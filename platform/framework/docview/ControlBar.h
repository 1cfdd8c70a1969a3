// CControlBar: the base of bars (tool bars, status bar, dialog bars, dock
// bars) that take their room along a side of their frame.
//
// A bar is a child of its frame, or of a dock bar (CDockBar) of the frame
// once it is docked, or of the dock bar inside a floating mini frame
// (CMiniDockFrameWnd) while it floats. The frame lays its direct children
// out with WM_SIZEPARENT (RecalcLayout); a dock bar lays out the bars it
// holds in rows. EnableDocking gives a bar a dock context (CDockContext),
// which runs the mouse operations: dragging it to another side or out into a
// floating frame, and the double-click toggle between docked and floating.
//
// The layout modes of CalcDynamicLayout (LM_) say which size is asked for:
// docked along a horizontal side (LM_HORZDOCK), along a vertical side
// (LM_VERTDOCK), floating (neither, with LM_HORZ for a horizontal
// arrangement and LM_MRUWIDTH for the width used when it last floated);
// LM_LENGTHY makes nLength a height; LM_COMMIT keeps the answer as the bar's
// size; LM_STRETCH asks for the whole length of the side.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Wnd.h"

class CFrameWnd;
class CDockBar;
class CDockContext;
class CControlBarInfo;
class CDC;

/////////////////////////////////////////////////////////////////////////////
// Control bar styles (CControlBar::m_dwStyle) and layout modes

#ifndef CBRS_ALIGN_LEFT
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L
#define CBRS_GRIPPER        0x00400000L
#define CBRS_ORIENT_HORZ    (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT    (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY     (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL            0x0040FFFFL
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#endif

// Modes of CControlBar::CalcDynamicLayout.
#ifndef LM_STRETCH
#define LM_STRETCH   0x01 // stretch to the whole length of the side
#define LM_HORZ      0x02 // lay out horizontally
#define LM_MRUWIDTH  0x04 // the last width used while floating
#define LM_HORZDOCK  0x08 // docked on the top or bottom side
#define LM_VERTDOCK  0x10 // docked on the left or right side
#define LM_LENGTHY   0x20 // nLength is a height, not a width
#define LM_COMMIT    0x40 // keep the result as the bar's size
#endif

/////////////////////////////////////////////////////////////////////////////
// CControlBar

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();
public:
    // Destroys the window, leaves the frame's list of bars and deletes the
    // dock context.
    ~CControlBar() override;

    // The CBRS_ bits (alignment, borders, floating, tool tips).
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect);
    CRect GetBorders() const;

    // The frame the bar belongs to (the one that docks and floats it), even
    // while it floats in a mini frame.
    CFrameWnd* GetDockingFrame() const;
    // TRUE while the bar floats (it sits in a floating dock bar); a dock bar
    // answers for itself.
    virtual BOOL IsFloating() const;
    // Visible, counting a show or hide that waits for the next layout.
    BOOL IsVisible() const;
    // Shows or hides the bar at the next layout.
    virtual void DelayShow(BOOL bShow);
    virtual BOOL IsDockBar() const;
    // Number of items of the bar (status panes, buttons); 0 by default.
    int GetCount() const { return m_nCount; }

    // Docking. dwDockStyle: the CBRS_ALIGN_ sides the bar may dock on (0: it
    // never docks again), plus CBRS_FLOAT_MULTI to float with other bars in
    // one frame. The first call makes the dock context.
    virtual void EnableDocking(DWORD dwDockStyle);

    // The size the bar wants: bStretch across the whole side; bHorz along a
    // horizontal side. The base takes its borders only.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The same with the LM_ modes; the base calls CalcFixedLayout.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Shrinks rect by the bar's borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Updates the bar's items through pTarget's command route (idle time).
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    // The CBRS_ style changed from dwOldStyle to dwNewStyle.
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    // The bar's place for the saved layout of its frame (CDockState), and
    // back. A dock bar records the bars it holds in their order, a bar its
    // visibility, position and the remembered places of its dock context.
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // Commands, notifications and owner-draw questions that the bar leaves
    // unhandled go on to its owner (the frame), so that the controls on a
    // bar reach the frame's command handlers.
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // A click on the bar outside its tools starts dragging it; a double
    // click toggles it between docked and floating.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    // The window that gets what the bar passes on (commands, idle updates):
    // its owner when it has one, else its docking frame.
    CWnd* GetCommandOwner() const;

    // Attributes used by the frames and bars built on this base.
    DWORD m_dwStyle = 0;              // CBRS_ bits
    DWORD m_dwDockStyle = 0;          // the sides it may dock on
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 1;
    int m_cyBottomBorder = 1;
    int m_cxDefaultGap = 2;
    int m_nMRUWidth = 32767;          // width when last floating
    BOOL m_bAutoDelete = FALSE;       // delete the object with its window
    CFrameWnd* m_pDockSite = nullptr; // the frame that docks and floats it
    CDockBar* m_pDockBar = nullptr;   // the dock bar holding it, if any
    CDockContext* m_pDockContext = nullptr;
    int m_nCount = 0;

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags = 0;

    // Applies a pending show or hide during a layout (only when lpLayout
    // carries a deferred-position batch; a query only looks); answers the
    // style the layout should go by (alignment, borders and WS_VISIBLE).
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

protected:
    // Shrinks rect by the one-pixel line of each side dwStyle gives a
    // border (CBRS_BORDER_ bits).
    static void DeflateBorderLines(CRect& rect, DWORD dwStyle);

    DECLARE_MESSAGE_MAP()
};
