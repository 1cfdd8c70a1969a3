// OZWControlBar: the base of the toolkit's dockable bars (dialog bars, the
// status bar, the auto-hide strips, the toolbars).
//
// Beyond the framework's control bar it keeps:
// - three sizes, one per placement: docked along a horizontal side (cx is
//   the length along the row), docked along a vertical side (cy is the
//   length), and floating; each is 300 x 180 once the window exists;
// - its share of the row it is docked in (the dock bar, OZWDockBar, keeps
//   the shares of a row adding up to 1);
// - an extended style word (SCBX_ bits, frame/dockmodel/OZWBarStyles.h) that
//   switches its features: a gripper, drawn as two bars, the theme's gripper
//   or a title bar with the window text; close and expand/contract buttons
//   on it; borders and margins; a context menu ("Allow Docking", "Hide",
//   "Float In Main Window");
// - auto-hide: a bar in auto-hide mode carries a pin button. Pinned, it is
//   docked like any bar; unpinned, it waits as a tab on the auto-hide strip
//   of its side (OZWAutoHideBar) and slides out over the frame while the
//   mouse rests on the tab;
// - the fields the saved layout keeps for it (OZWControlBarInfo).
//
// It draws in the look the theme services name (platform/theme): Office
// 2003, the themed look through the "Rebar" theme class, or the classic
// look with the system colours.
//
// The frame that docks it is asked through IOZWDockingFrame (the toolkit's
// frames implement it; see OZWDockingFrame.h). In any other frame the bar
// docks and floats by the framework's rules and has no auto-hide.
#pragma once

#include "frame/bars/FrameBarsRes.h"
#include "frame/dockmodel/OZWBarGeometry.h"
#include "frame/dockmodel/OZWBarStyles.h"
#include "frame/dockstate/OZWDockState.h"
#include "platform/framework/Framework.h"

#include <uxtheme.h>
#include <vector>

class OZWAutoHideBar;
class OZWControlBarInfo;
class OZWControlBarManager;
class OZWDockBar;
class IOZWDockingFrame;

// Message sent to the docking frame before the bar's context menu shows:
// wParam the bar (OZWControlBar*), lParam the menu (CMenu*).
#define WM_OZW_BARCONTEXTMENU 0x38FF

// Tool ids of the caption buttons' tips.
#define OZW_TOOL_CLOSE_BUTTON  0x400
#define OZW_TOOL_EXPAND_BUTTON 0x800

/////////////////////////////////////////////////////////////////////////////
// OZWGripperInfo: the gripper's lengths and the caption buttons' tips

class OZWGripperInfo : public CObject
{
    DECLARE_DYNAMIC(OZWGripperInfo)
public:
    OZWGripperInfo();

    // The strip along the left of a horizontal bar, and along the top of a
    // vertical or floating one: the sum of the five lengths of its set.
    virtual int GetGripperWidth() const;
    virtual int GetGripperHeight() const;

    ozwbar::GripperMetrics m_horz; // the left strip (horizontal bars)
    ozwbar::GripperMetrics m_vert; // the top strip (vertical and floating bars)
    int m_nMargin = 3;             // kept on the other three sides
    CString m_strHideTip;          // "Hide docked window"
    CString m_strExpandTip;        // "Expand docked window"
    CString m_strContractTip;      // "Contract docked window"
};

/////////////////////////////////////////////////////////////////////////////
// OZWControlBar

class OZWControlBar : public CControlBar, public IOZWDockStateBar
{
    DECLARE_DYNCREATE(OZWControlBar)
public:
    OZWControlBar();
    // Destroys the window (leaving its dock bar, strip and frame), the dock
    // context and the theme handle.
    ~OZWControlBar() override;

    // ---- Creation
    // CreateEx with the framework's control-bar class and an empty rectangle.
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                        CCreateContext* pContext = nullptr);
    // Keeps dwStyle & CBRS_ALL as the bar style and dwExStyle as the extended
    // style, creates the window, sets the three sizes to 300 x 180 and
    // remembers pParentWnd as the frame whose strips it uses. FALSE when the
    // window cannot be made (the sizes are then left alone).
    virtual BOOL CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                          const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext = nullptr);

    // The client rectangle less the gripper and margins: the room of the
    // bar's child.
    virtual void GetBarClientRect(CRect& rect);
    // As the framework's; the dock context made is CreateDockContext's, and
    // the owner becomes the parent when the bar has none.
    void EnableDocking(DWORD dwDockStyle) override;
    virtual CDockContext* CreateDockContext();

    // The extended style. A floating bar's frame takes the sizing border
    // unless SCBX_FIXED_SIZE; SCBX_THEMED_GRIPPER, once set, stays.
    virtual void SetExBarStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual void ModifyExBarStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    DWORD GetExBarStyle() const { return m_dwExStyle; }

    // The record of the saved layout: the framework's part and the
    // toolkit's fields; returns SaveExtraInfo's answer.
    using CControlBar::GetBarInfo;
    virtual BOOL GetBarInfo(OZWControlBarInfo* pInfo);
    // Applies a record: sizes, styles, share, the dock context's remembered
    // places, auto-hide (as a tab or pinned), position and visibility. The
    // extended style, the type id, class name and window text are the
    // layout's to apply.
    using CControlBar::SetBarInfo;
    void SetBarInfo(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd);
    // The same for the saved layout (OZWDockState), which hands the toolkit's
    // records over through these.
    void GetBarInfoEx(OZWControlBarInfo* pInfo) override;
    void SetBarInfoEx(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
    void SetExtendedStyle(DWORD dwExStyle) override;
    // A bar made by class name from a record: created with the record's
    // window name, styles, extended style and id.
    BOOL CreateFromInfo(CFrameWnd* pParent, OZWControlBarInfo* pInfo) override;

    // With SCBX_BORDERS the bar's own borders and gripper (bForLayout: the
    // gripper of a vertical bar counts); else the framework's rule.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bForLayout) const;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;

    // Notifications around changes of placement (the frames call them).
    virtual void BeforeDock();
    virtual void DockNotify();
    virtual void AfterDock();
    virtual void BeforeFloat();
    virtual void FloatNotify();
    virtual void AfterFloat();
    virtual void BeforeMDIFloat();
    virtual void MDIFloatNotify();
    virtual void AfterMDIFloat();
    // Extra settings of a derived bar in its record (TRUE by default).
    virtual BOOL SaveExtraInfo(OZWControlBarInfo* pInfo);
    virtual BOOL LoadExtraInfo(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    virtual void DrawPinButton(CDC* pDC, CRect& rectCaption, BOOL bLeftStrip);
    // Shows or hides the bar (an unpinned auto-hide bar slides out or in);
    // returns whether it is visible now.
    virtual BOOL ToggleVisible();
    // Derived bars add their own items to the context menu.
    virtual void AddContextMenuItems(CMenu* pMenu);
    // FALSE refuses a press of the close or the expand button.
    virtual BOOL CanClose();
    virtual BOOL CanExpand();
    // Adds the gripper's room to size (width of a horizontal bar, else
    // height); returns the amount added.
    virtual int AdjustSizeForGripper(CSize& size, BOOL bHorz);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    virtual void LayoutCloseButton(CDC* pDC, CRect& rectCaption, BOOL bLeftStrip);
    virtual void DrawCloseButtonPressed(CDC* pDC);
    virtual void DrawCloseButtonRaised(CDC* pDC);
    virtual void DrawCloseButtonFlat(CDC* pDC);
    virtual void LayoutExpandButton(CDC* pDC, CRect& rectCaption, BOOL bLeftStrip);
    virtual void DrawExpandButtonPressed(CDC* pDC);
    virtual void DrawExpandButtonRaised(CDC* pDC);
    virtual void DrawExpandButtonFlat(CDC* pDC);
    // Asks the dock bar whether the bar alone has more than the minimum
    // share of its row (contract glyph) and whether it is alone there
    // (button disabled).
    virtual void UpdateExpandState(BOOL bRowOrientation);
    // Whether the gripper carries caption buttons at all. A toolbar, whose
    // extended style bits mean other things, answers FALSE: it then gets no
    // close, expand or pin buttons, tips or clicks on them.
    virtual BOOL HasCaptionButtons() const;

    // ---- Overrides of the framework's bar
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;

    // ---- Auto-hide
    // Switches auto-hide mode and enters it (EnterAutoHide).
    void SetAutoHideMode(BOOL bAutoHide);
    // Once per bar: a bar whose side is set gets its tab; the bar is shown,
    // pinned. FALSE when auto-hide mode is off.
    BOOL EnterAutoHide();
    BOOL GetAutoHideMode() const { return m_bAutoHideMode; }
    BOOL IsPinned() const { return m_bPinned; }
    // Pins (back into its dock bar) or unpins (into a tab on its side's
    // strip); what the pin button does.
    void SetPinned(BOOL bPinned);
    // Unpins into a tab on the strip of dwSide: the strip is docked on that
    // side, the bar hidden and floated into its caption-less slide window.
    void UnpinToSide(DWORD dwSide);
    // Pins back: the tab of dwSide goes, the bar docks again on that side
    // (the place it left wins) and shows at the next layout.
    void PinBackOnSide(DWORD dwSide);
    // Moves the slide window of an unpinned bar out (bHide FALSE) or back.
    void SlideWindow(BOOL bHide);
    void SlideOut();
    void SlideIn();
    BOOL IsAutoHideLeft() const { return m_dwAutoHideSide == CBRS_ALIGN_LEFT; }
    BOOL IsAutoHideTop() const { return m_dwAutoHideSide == CBRS_ALIGN_TOP; }
    BOOL IsAutoHideRight() const { return m_dwAutoHideSide == CBRS_ALIGN_RIGHT; }
    BOOL IsAutoHideBottom() const { return m_dwAutoHideSide == CBRS_ALIGN_BOTTOM; }

    // ---- Where it is
    // The dock bar holding it floats as an MDI child of the main frame.
    BOOL IsMDIFloating() const;
    // Its parent is the frame's dock bar of that side.
    BOOL IsDockedLeft() const;
    BOOL IsDockedRight() const;
    BOOL IsDockedTop() const;
    BOOL IsDockedBottom() const;
    // The toolkit's dock bar holding it, null when none (or a framework one).
    OZWDockBar* GetOZWDockBar() const;
    // The docking frame as a toolkit frame (auto-hide strips, docking by the
    // toolkit's rules); null in any other frame.
    IOZWDockingFrame* GetToolkitFrame() const;

    // The first control id from nBaseID on that no bar of pFrame uses
    // (1000 tried); 0 when none is free or there is no frame.
    static UINT GetUniqueBarID(CFrameWnd* pFrame, UINT nBaseID);
    // No bar of pFrame other than a dock bar has the id; FALSE for a null
    // frame or id 0.
    static BOOL IsBarIDFree(CFrameWnd* pFrame, UINT nID);
    // Whether children are moved without redrawing while a bar is sized
    // (on by default).
    static BOOL GetNoRedrawWhileSizing();
    static void SetNoRedrawWhileSizing(BOOL bNoRedraw);

    // Derived bars call it from their timer handling: timer 2 repaints the
    // pin once the cursor has left it.
    void OnTimer(UINT_PTR nIDEvent);
    // Records the child windows' places for SCBX_PROPORTIONAL_CHILDREN.
    void RecordChildLayout();

    // ---- State (the names of the saved layout's fields in comments)
    BOOL m_bShareValid = TRUE;
    CSize m_szHorzDock = CSize(0, 0);    // MRUHorzDock
    CSize m_szVertDock = CSize(0, 0);    // MRUVertDock
    CSize m_szFloat = CSize(0, 0);       // MRUFloat; also the slid-out size
    DWORD m_dwSavedDockStyle = 0;        // MRUDockingState: alignment while docking is off
    float m_fShare = 1.0f;               // PctWidth
    float m_fSavedShare = 1.0f;          // the docked share while floating
    DWORD m_dwExStyle = 0;               // ExStyle
    CRect m_rectInsetMargins = CRect(10, 10, 10, 10);
    OZWControlBarManager* m_pControlBarManager = nullptr;
    OZWGripperInfo m_gripperInfo;
    CRect m_rectCloseButton;             // client coordinates, set when the gripper is drawn
    BOOL m_bClosePressed = FALSE;
    CRect m_rectExpandButton;
    BOOL m_bExpandPressed = FALSE;
    BOOL m_bExpandEnabled = TRUE;        // FALSE while alone in its row
    BOOL m_bNotExpanded = TRUE;          // the expand glyph (else contract)
    BOOL m_bRowOrientation = TRUE;       // the arrow points left/right (else up/down)
    BOOL m_bExpandRequest = FALSE;       // the dock bar reads it when the bar is pinned
    HTHEME m_hTheme = nullptr;           // "Rebar", opened when first drawn
    CFrameWnd* m_pFrameWnd = nullptr;    // the parent given at creation
    BOOL m_bAutoHideMode = FALSE;        // AutoHide
    BOOL m_bAutoHideEntered = FALSE;
    BOOL m_bPinned = FALSE;              // AutoHidePinned
    BOOL m_bFocusInside = FALSE;
    BOOL m_bCaptionActive = FALSE;
    DWORD m_dwAutoHideSide = 0;          // LastAlignedDocking: CBRS_ALIGN_ of its strip, 0 none
    CRect m_rectPinButton;
    int m_nSlideTime = 50;               // milliseconds of one slide; 0 moves at once

    // The default size of all three placements after creation.
    static const CSize s_sizeDefault;

protected:
    // Geometry facts of the bar for the window-free helpers.
    ozwbar::BarFrame GetBarFrame() const;
    BOOL IsHorzBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    BOOL IsFloatingBar() const { return (m_dwStyle & CBRS_FLOATING) != 0 || IsFloating(); }
    BOOL HasCloseButton() const { return HasCaptionButtons() && (m_dwExStyle & SCBX_CLOSE_BUTTON) != 0; }
    BOOL HasExpandButton() const { return HasCaptionButtons() && (m_dwExStyle & SCBX_EXPAND_BUTTON) != 0; }
    BOOL HasPinButton() const { return HasCaptionButtons() && m_bAutoHideMode; }
    // The strip of the bar's auto-hide side, null when none.
    OZWAutoHideBar* GetSideStrip() const;
    // Takes the bar out of every dock bar and strip that lists it.
    void LeaveDockBarsAndStrips();
    // Draws the buttons of the gripper flat (after a press ends).
    void RedrawButtonsFlat();
    HTHEME OpenBarTheme();
    void CloseBarTheme();

    // Child records for SCBX_PROPORTIONAL_CHILDREN: the client rectangle,
    // then each child and its rectangle.
    struct ChildRecord
    {
        HWND hWnd;
        CRect rect;
    };
    std::vector<ChildRecord> m_childLayout;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcPaint();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnThemeChanged();
    afx_msg void OnAllowDocking();
    afx_msg void OnUpdateAllowDocking(CCmdUI* pCmdUI);
    afx_msg void OnHideBar();
    afx_msg void OnFloatInMainWindow();

    DECLARE_MESSAGE_MAP()
};
