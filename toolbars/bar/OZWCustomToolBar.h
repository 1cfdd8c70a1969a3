// OZWCustomToolBar: the dockable, customisable toolbar. It holds an ordered
// array of button objects (toolbars/buttons: plain buttons, separators,
// buttons hosting a window such as the find box), lays them out itself in
// rows for docked and floating places (toolbars/model), paints them in the
// look the theme services report, keeps their command state up to date at
// idle time, tracks the hot button, sends their commands to its owner, and
// is customised by drag and drop: while its toolbar manager is in config
// mode (or with Alt held) buttons are selected, moved, copied, dropped on
// empty space to make a new floating toolbar, or dragged off to delete them.
//
// Every toolbar of the main frame is one of these, made by the toolbar
// manager (OZWToolBarManager), which shares its image store and drawing
// context with them.
//
// The extended style word (OZWControlBar's) means for a toolbar: 0x80
// stretch to the parent's width, 0x100 cool look (flat buttons; separators
// drawn), 0x200 gripper, 0x400 two more pixels of gripper, 0x1000 with cool
// look: transparent buttons, 0x8000 the compact (menu-bar) variant; every
// toolbar also has 0x20004 (a fixed length in its row, the themed gripper).
#pragma once

#include "frame/bars/OZWControlBar.h"
#include "toolbars/buttons/BmpMgr.h"
#include "toolbars/buttons/ToolBarButton.h"
#include "toolbars/model/DropRules.h"
#include "toolbars/model/ToolBarLayout.h"

#include <vector>

class OZWToolBarManager;
class OZWCustomToolBar;

// The toolbar's extended style bits.
#define TBX_STRETCH        0x0080UL
#define TBX_COOLLOOK       0x0100UL
#define TBX_GRIPPER        0x0200UL
#define TBX_WIDEGRIPPER    0x0400UL
#define TBX_TRANSPARENT    0x1000UL
#define TBX_COMPACT        0x8000UL
#define TBX_ALWAYS         0x20004UL

// Drop flags: buttons of this bar may not be dropped on another bar.
#define TBDROP_NOTOOTHERS  0x0001UL

// The registered message by which a floating toolbar hides at once while
// the toolbars are customised ("WM_NODELAYHIDE").
UINT OZWGetNoDelayHideMessage();

// One row of a toolbar's layout.
using ROWINFO = ozwtb::RowInfo;

// The command-state question for one button of a toolbar.
class OZWCustomToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR) override {}
};

class OZWCustomToolBar : public OZWControlBar, public OZWBtnHost
{
    DECLARE_DYNCREATE(OZWCustomToolBar)
public:
    OZWCustomToolBar();
    ~OZWCustomToolBar() override;

    // ---- Creation
    // Creates the window (empty, at an empty rectangle) with the bar style
    // dwStyle & CBRS_ALL and the extended style dwExStyle | TBX_ALWAYS; the
    // manager is told "created".
    virtual BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                          UINT nID = AFX_IDW_TOOLBAR, LPCTSTR lpszTitle = nullptr);
    using OZWControlBar::Create;
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                CCreateContext* pContext = nullptr) override;
    // Adds toolbar resource nID with its bitmap to the image store and sets
    // its commands (separators included) as the buttons.
    BOOL LoadToolBar(UINT nResourceID);
    // Adds a bitmap of nCount images for the commands ids and sets them as
    // the buttons.
    BOOL SetBitmap(UINT nBitmapID, const UINT* pIDs, int nCount);

    // ---- Buttons
    // Removes button nIndex (and separators it leaves stranded). Without
    // bNoRecalc, an emptied user toolbar destroys itself (FALSE) and other
    // bars lay out again; with it, answers whether buttons remain.
    virtual BOOL RemoveButton(int nIndex, BOOL bNoRecalc = FALSE);
    // Inserts a button (or a separator) for command nID at nIndex (clamped).
    virtual void InsertButton(int nIndex, UINT nID, BOOL bSeparator = FALSE, BOOL bNoRecalc = FALSE);
    // The image of command nID in the image store (0 when it has none).
    virtual int GetImageIndex(UINT nID, HBITMAP* phBitmap = nullptr);
    // New standard sizes for an image size (button = image + 7).
    virtual void UpdateButtonSize(int cxImage, int cyImage);
    // Replaces every button by one per id (a separator for 0).
    virtual BOOL SetButtons(const UINT* pIDs, int nCount);
    virtual void RemoveAllButtons();
    // The button of command nID made from the button maps (the manager's,
    // else the toolbar's own), a plain button when none names it.
    virtual OZWStdBtn* CreateButton(UINT nID, CWnd* pOwner = nullptr);
    virtual OZWStdBtn* CreateSeparator(CWnd* pOwner = nullptr);

    int GetButtonCount() const { return (int)m_arrButtons.size(); }
    OZWStdBtn* GetButton(int nIndex) const;
    DWORD GetButtonStyle(int nIndex) const;
    // A changed style repaints the button.
    void SetButtonStyle(int nIndex, DWORD dwStyle);
    void HideButton(int nIndex, BOOL bHide);
    int FindButton(const OZWStdBtn* pButton) const override;
    UINT GetButtonID(int nIndex) const;
    void GetButtonRect(int nIndex, LPRECT lpRect) const;
    int GetSelectedIndex() const { return m_nSelected; }
    int GetHotIndex() const { return m_nHot; }
    // Gives inform code nCode to every button of command nID here, or
    // (bAllBars) through the manager on every toolbar.
    void InformBtn(UINT nID, int nCode, void* pData, BOOL bAllBars) override;
    // Tells the manager's notify windows about this bar (WM_BARNOTIFY code).
    void NotifyManager(int nCode);

    // ---- Layout
    virtual int WrapButtons(int nWidth, ROWINFO* pRows);
    // Evens out the rows (the customise palette does not).
    virtual void BalanceRows(int nRows, ROWINFO* pRows);
    virtual BOOL DoesBalanceRows() const { return TRUE; }
    virtual void SizeToolBar(SIZE* pSize, int nLength, BOOL bVert);
    // The size for a length and LM_ mode; LM_COMMIT lays the buttons out.
    virtual void CalcLayout(SIZE* pSize, int nLength, DWORD dwMode);
    virtual void SizeToParent();
    // In a rebar: the band holding this bar takes pSize as its minimum
    // height (and width, for a bar stretched to the rebar's width).
    virtual void UpdateRebarBand(CWnd* pReBar, SIZE* pSize);
    virtual void InvalidateButton(int nIndex);
    // The button under a client point (and its rectangle); -1 for none.
    virtual int HitTest(int x, int y, RECT* pRect = nullptr);
    virtual void UpdateButtonCmdUI(int nIndex);

    // ---- Customising (drag and drop)
    // Runs the drag of button nIndex from client point (x, y).
    virtual BOOL DragButton(int nIndex, int x, int y);
    // Inserts the command of pButton at the place rect (client coordinates)
    // designates; FALSE when the source bar was destroyed on the way.
    virtual BOOL DropButton(RECT* pRect, OZWStdBtn* pButton, BOOL bCopy, BOOL bNoSelect);
    // Ctrl is down (the palette always copies).
    virtual BOOL IsCopyModifier();
    // Buttons may be dropped here.
    virtual BOOL AcceptsDrop() { return TRUE; }
    void SelectButton(int nIndex, BOOL bRedraw = TRUE);
    void SelectButtonObject(OZWStdBtn* pButton, BOOL bRedraw = TRUE);
    void ClearSelection(BOOL bRedraw = TRUE);
    // Config mode: buttons are dragged, selected and dropped.
    void SetConfigMode(BOOL bConfig);
    DWORD GetDropFlags() const { return m_dwDropFlags; }
    void SetDropFlags(DWORD dwFlags) { m_dwDropFlags = dwFlags; }
    // Drags pButton (of srcBar at nSrcIndex, or of no bar) from (x, y) of
    // pTrackWnd and drops it where it is released: on a toolbar, on empty
    // space (a copy makes a new floating toolbar; a move deletes it), on the
    // customise dialog (nothing). Returns 1 unless a bar was destroyed.
    static BOOL DragButtonTo(OZWToolBarManager* pManager, OZWStdBtn* pButton, int nSrcIndex, int x, int y,
                             OZWCustomToolBar* pSrcBar, CWnd* pTrackWnd, BOOL bCopy);
    // The drop part of DragButtonTo, for a rectangle in screen coordinates.
    static BOOL DropButtonAt(OZWToolBarManager* pManager, OZWStdBtn* pButton, int nSrcIndex, CRect rectScreen,
                             OZWCustomToolBar* pSrcBar, BOOL bCopy);
    // A command of a toolbar button is being sent; a button is dragged with Alt.
    static BOOL IsCommandInProgress() { return s_bCommandInProgress; }
    static BOOL IsAltDrag() { return s_bAltDrag; }

    // ---- Keyboard focus (the menu bar's)
    virtual void FocusButton(OZWStdBtn* pButton, int x, int y);
    virtual void PressFocusButton(int nIndex);
    virtual void SetFocusButton(int nIndex);
    virtual void FocusButtonAtPoint(POINT* pPoint);
    virtual void EndKeyboardMode();
    virtual BOOL IsKeyboardMode() { return m_bKeyboardMode; }
    virtual int FirstFocusable();
    virtual int LastFocusable();
    virtual int FirstWindowButton();
    virtual int NextFocusable(BOOL bForward);
    virtual BOOL TrackKeyboardMouse(MSG* pMsg);
    virtual void ClearFocus();

    // ---- Sizes and looks
    virtual HFONT GetFont() { return m_hFont; }
    virtual HFONT GetVertFont() { return m_hFont; }
    virtual BOOL IsCoolLook() const { return (m_dwExStyle & TBX_COOLLOOK) != 0; }
    int GetImageWidth() const override;
    int GetImageHeight() const override;
    int GetStdButtonWidth() const override { return m_cxStdButton; }
    int GetStdButtonHeight() const override { return m_cyStdButton; }
    int GetSeparatorWidth() const override { return (GetImageWidth() + 8) / 3; }
    int GetSeparatorHeight() const override { return GetImageHeight() + 7; }
    virtual void SetTransparentColor(COLORREF clr, BOOL bUse);
    virtual BOOL GetTransparentColorFlag() const { return m_bUseTransparent; }
    void SetMenuLook(BOOL bMenuLook) { m_bMenuLook = bMenuLook; }

    // ---- Manager and images
    OZWToolBarManager* GetManager() const;
    void SetManager(OZWToolBarManager* pManager);
    // Takes a reference to pBmpMgr and lets the previous store go.
    void SetBmpMgr(OZWBmpMgr* pBmpMgr);
    // The toolbar's own button maps, used when it has no manager (the
    // second one is owned).
    void SetButtonMap(const OZWBtnMapEntry* pMap) { m_pOwnBtnMap = pMap; }
    void SetSecondButtonMap(OZWBtnMapEntry* pMap);
    // All images again (after a change of the system colours).
    void ReloadImages();

    // ---- OZWBtnHost
    CWnd* GetHostWnd() override { return this; }
    BOOL IsConfigMode() const override { return m_bConfigMode; }
    BOOL IsVertical() const override { return m_bVertMode; }
    DWORD GetExBarStyle() const override { return m_dwExStyle; }
    OZWBmpMgr* GetBmpMgr() const override { return m_pBmpMgr; }
    void RaiseMaxButtonSize(int cx, int cy) override;
    CWnd* GetNotifyOwner() override;
    void RefreshHotButton() override;
    BOOL IsCustomizePalette() const override { return FALSE; }
    BOOL TrackButtonWidth(CWnd* pWnd, CRect& rect, int nMinWidth) override;
    void RecalcHostLayout() override;

    // ---- Overrides of the control bar
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    void DelayShow(BOOL bShow) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    int AdjustSizeForGripper(CSize& size, BOOL bHorz) override;
    BOOL HasCaptionButtons() const override { return FALSE; }
    // The saved layout's extra record: title and buttons.
    BOOL SaveExtraInfo(OZWControlBarInfo* pInfo) override;
    BOOL LoadExtraInfo(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    // Rows of the last layout (for the drop rules).
    ozwtb::Layout GetLayout() const;
    ozwtb::Metrics GetMetrics() const;

protected:
    // The layout for a length and mode on a copy of the buttons; with
    // bCommit the buttons take it.
    CSize ComputeLayout(int nLength, DWORD dwMode, BOOL bCommit);
    // The borders the bar's inside loses, as a size.
    CSize InsideBorders(BOOL bHorz) const;
    // The length a vertical docked bar fits its rows to when none is given.
    int DockLength() const;
    // The room left for this bar in its row (column) of a side's dock bar:
    // the row's length less the visible bars before it; 0 when it is not
    // docked on a side.
    int RoomInDockRow(BOOL bHorz) const;
    // The length a horizontally docked bar wraps its buttons at.
    int HorzDockRoom() const;
    // The rebar the bar lies in, if any.
    CReBar* GetReBar() const;
    void MarkLayoutDirty();
    OZWBtnDrawData* GetDrawData();
    // The looks of the bar's background.
    void PaintOffice2003Background(CDC* pDC, const CRect& rectClient);
    void PaintDotNetBackground(CDC* pDC, const CRect& rectClient);
    BOOL PaintThemedBackground(CDC* pDC, const CRect& rectClient);
    void DrawDotGripper(CDC* pDC, const CRect& rect);
    // The hot button follows the cursor (cool look, an active application).
    void UpdateHotButton(CPoint point);
    void SetHotButton(int nIndex);
    // Sends the command of a pressed button to the owner.
    void SendButtonCommand(int nIndex, UINT nID);
    void RecalcFrameLayout();
    // The bar owning the manager's selection is this one.
    BOOL OwnsSelection() const;
    // Runs the steps of a drop plan for a dragged command.
    BOOL CarryOutDrop(const std::vector<ozwtb::DropStep>& steps, UINT nID, const BYTE* pData, BYTE nData,
                      BOOL bNoSelect);

    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNoDelayHide(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAddButtons(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    OZWBmpMgr* m_pBmpMgr;
    int m_nSepSize = 8;
    int m_nSelected = -1;
    int m_nHot = -1;
    int m_nFocus = -1;
    int m_nPressed = -1;
    BOOL m_bConfigMode = FALSE;
    OZWBtnDrawData* m_pDrawData = nullptr;   // own, only without a manager
    BOOL m_bVertMode = FALSE;
    BOOL m_bDirtyFloat = TRUE;
    BOOL m_bDirtyHorz = TRUE;
    BOOL m_bDirtyVert = TRUE;
    CSize m_sizeHorz;
    CSize m_sizeVert;
    CSize m_sizeFloating;
    // The room the docked layouts were made for (-1: none yet).
    int m_nHorzRoom = -1;
    int m_nVertRoom = -1;
    DWORD m_dwDropFlags = 0;
    HFONT m_hFont;
    const OZWBtnMapEntry* m_pOwnBtnMap = nullptr;
    OZWBtnMapEntry* m_pOwnBtnMap2 = nullptr;
    BOOL m_bKeyboardMode = FALSE;
    BOOL m_bMenuLook = FALSE;
    // Shown and hidden are told once the manager has heard of the creation.
    BOOL m_bCreated = FALSE;
    HTHEME m_hThemeRebar = nullptr;
    HTHEME m_hThemeMenu = nullptr;
    COLORREF m_clrTransparent = RGB(192, 192, 192);
    BOOL m_bUseTransparent = FALSE;
    int m_cxStdButton = 23;
    int m_cyStdButton = 22;
    CSize m_sizeMaxButton;
    std::vector<OZWStdBtn*> m_arrButtons;

    static BOOL s_bCommandInProgress;
    static BOOL s_bAltDrag;

    DECLARE_MESSAGE_MAP()
};
