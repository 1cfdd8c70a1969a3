// CWnd: a C++ object tied to a Win32 window.
//
// Handle maps: a CWnd that created, attached or subclassed a window is
// "permanent": the framework's window procedure finds it by handle and sends
// every message through its message map (WindowProc -> OnWndMsg -> handler,
// or DefWindowProc when no entry matches). FromHandle of a window that has no
// permanent object returns a temporary CWnd, owned by the framework and
// deleted when the application is idle; it never destroys its window. The
// maps are per thread.
//
// Windows are created through CreateEx, which attaches and subclasses the new
// window before its first message, so OnCreate and the rest see it. A window
// whose object should go when the window goes deletes itself in PostNcDestroy
// (called after WM_NCDESTROY, when the object no longer has a window).
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/window/CmdTarget.h"
#include <commctrl.h>
#include <shellapi.h>

class CDC;
class CFont;
class CMenu;
class CRgn;
class CScrollBar;
class CListBox;
class CFrameWnd;
class CCreateContext;
class CDataExchange;
struct _AFX_OCC_DIALOG_INFO;

/////////////////////////////////////////////////////////////////////////////
// Standard child window ids of frames

#ifndef AFX_IDW_CONTROLBAR_FIRST
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST  0xE8FF
#define AFX_IDW_TOOLBAR          0xE800
#define AFX_IDW_STATUS_BAR       0xE801
#define AFX_IDW_PREVIEW_BAR      0xE802
#define AFX_IDW_RESIZE_BAR       0xE803
#define AFX_IDW_REBAR            0xE804
#define AFX_IDW_DIALOGBAR        0xE805
#define AFX_IDW_DOCKBAR_TOP      0xE81B
#define AFX_IDW_DOCKBAR_LEFT     0xE81C
#define AFX_IDW_DOCKBAR_RIGHT    0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM   0xE81E
#define AFX_IDW_DOCKBAR_FLOAT    0xE81F
#define AFX_IDW_PANE_FIRST       0xE900
#define AFX_IDW_PANE_LAST        0xE9FF
#define AFX_IDW_HSCROLL_FIRST    0xEA00
#define AFX_IDW_VSCROLL_FIRST    0xEA10
#define AFX_IDW_SIZE_BOX         0xEA20
#define AFX_IDW_PANE_SAVE        0xEA21
#endif

// m_nFlags bits of CWnd
#define WF_TOOLTIPS          0x0001  // window is enabled for tooltips
#define WF_TEMPHIDE          0x0002  // window is temporarily hidden
#define WF_STAYDISABLED      0x0004  // window should stay disabled
#define WF_MODALLOOP         0x0008  // currently in a modal loop
#define WF_CONTINUEMODAL     0x0010  // modal loop should continue running
#define WF_NOPOPMSG          0x0040
#define WF_MODALDISABLE      0x0080
#define WF_OLECTLCONTAINER   0x0100
#define WF_TRACKINGTOOLTIPS  0x0400

// RunModalLoop flags
#define MLF_NOIDLEMSG        0x0001  // no WM_ENTERIDLE to the owner
#define MLF_NOKICKIDLE       0x0002  // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE       0x0004  // show the window when the queue first empties

// Framework window classes, registered on first use (AfxDeferRegisterClass).
#define AFX_WND_REG              0x00001
#define AFX_WNDCONTROLBAR_REG    0x00002
#define AFX_WNDMDIFRAME_REG      0x00004
#define AFX_WNDFRAMEORVIEW_REG   0x00008
#define AFX_WNDCOMMCTLS_REG      0x00010
#define AFX_WND                  "AfxWnd100s"
#define AFX_WNDCONTROLBAR        "AfxControlBar100s"
#define AFX_WNDMDIFRAME          "AfxMDIFrame100s"
#define AFX_WNDFRAMEORVIEW       "AfxFrameOrView100s"

// Icons of the standard window classes (program resources, when present).
#ifndef AFX_IDI_STD_MDIFRAME
#define AFX_IDI_STD_MDIFRAME     1
#define AFX_IDI_STD_FRAME        2
#endif

// Room left by the control bars of a frame: WM_SIZEPARENT's lParam.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;       // deferred positions, null when only measuring
    RECT rect;       // the parent client area still free
    SIZE sizeTotal;  // total size taken by the bars so far
    BOOL bStretch;   // should the bars stretch to fill the width/height
};

// Moves a child within a deferred-position batch (or at once when hDWP is null).
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// winuser.h makes GetNextWindow a macro, which would break CWnd::GetNextWindow.
#ifdef GetNextWindow
#undef GetNextWindow
inline HWND GetNextWindow(HWND hWnd, UINT wCmd) { return ::GetWindow(hWnd, wCmd); }
#endif

namespace kvwnd {
// A null test the optimiser cannot fold away, so GetSafeHwnd works through a
// null pointer as the program expects (pWnd->GetSafeHwnd() on optional windows).
inline bool IsNullObject(const void* p)
{
    asm("" : "+r"(p));
    return p == nullptr;
}
} // namespace kvwnd

/////////////////////////////////////////////////////////////////////////////
// CWnd

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd = nullptr;

    // Special insert-after values for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    CWnd();
    explicit CWnd(HWND hWnd);   // wraps a handle without attaching it
    ~CWnd() override;

    HWND GetSafeHwnd() const { return kvwnd::IsNullObject(this) ? nullptr : m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    BOOL operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Handle maps
    static CWnd* PASCAL FromHandle(HWND hWnd);          // permanent, else temporary
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd); // permanent or null
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);  // enters the handle in the permanent map
    HWND Detach();

    // Subclassing: routes an existing window's messages through this object.
    virtual void PreSubclassWindow();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                          HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Sends to every child (bDeep: and their children); bOnlyPerm: only to
    // windows that have a permanent object.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam,
                                                LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm);
    // The message being handled by the framework's window procedure.
    static const MSG* PASCAL GetCurrentMessage();

    // Text and font
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // Menus
    // Virtual, so that a frame whose menu is drawn by a bar of its own can
    // answer with that menu.
    virtual CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // Size and position
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void BringWindowToTop();
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    int GetWindowRgn(HRGN hRgn) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Painting
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    void UpdateWindow();
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void ValidateRgn(CRgn* pRgn);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    void ShowOwnedPopups(BOOL bShow = TRUE);
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();
    BOOL FlashWindow(BOOL bInvert);

    // Timers
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                      void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR nIDEvent);

    // State, focus, capture
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    static CWnd* PASCAL GetActiveWindow();
    CWnd* SetActiveWindow();
    static CWnd* PASCAL GetForegroundWindow();
    BOOL SetForegroundWindow();
    static CWnd* PASCAL GetCapture();
    CWnd* SetCapture();
    static CWnd* PASCAL GetFocus();
    CWnd* SetFocus();
    static CWnd* PASCAL GetDesktopWindow();
    void DragAcceptFiles(BOOL bAccept = TRUE);

    // Dialog items
    void CheckDlgButton(int nIDButton, UINT nCheck);
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    UINT IsDlgButtonChecked(int nIDButton) const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    // The descendant (at any depth) with the id, or null.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* PASCAL GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);

    // Scrolling
    int GetScrollPos(int nBar) const;
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    int GetScrollLimit(int nBar) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);
    int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip,
                       CRgn* prgnUpdate, LPRECT lpRectUpdate, UINT flags);
    // A sibling scroll bar control standing in for the window's own bar; null here.
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

    // Relatives
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetTopWindow() const;
    CWnd* GetLastActivePopup() const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    // The nearest parent frame window (a CFrameWnd object), or null; and the
    // outermost one. Implemented with the frame classes.
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    // The window a message box or modal dialog should be owned by: pParent's
    // top-level window, else the application's main window.
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags = CWP_ALL) const;
    static CWnd* PASCAL WindowFromPoint(POINT point);
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);
    static CWnd* PASCAL FindWindowEx(HWND hwndParent, HWND hwndChildAfter,
                                     LPCTSTR lpszClass, LPCTSTR lpszWindow);

    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Caret
    void CreateSolidCaret(int nWidth, int nHeight);
    static void PASCAL SetCaretPos(POINT point);
    void HideCaret();
    void ShowCaret();

    // Data exchange with the window's controls (see Dialog.h). UpdateData
    // returns FALSE when a check failed; the user has then been told why.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Modal loops
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Tool tips. With tool tips enabled, a mouse over the window asks
    // OnToolHitTest which tool is under it; the tip text is requested from
    // the tool's window with TTN_NEEDTEXT, which reaches the message map
    // entry ON_NOTIFY_EX(TTN_NEEDTEXT, 0, handler) for every tool (0 is the
    // tool tip control's id); the handler finds the tool in the
    // notification's idFrom (a control's handle when uFlags has TTF_IDISHWND).
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    BOOL EnableTrackingToolTips(BOOL bEnable = TRUE);
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
    void FilterToolTipMessage(MSG* pMsg);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // Layout of control bars (children with ids nIDFirst..nIDLast) and the
    // child nIDLeftOver in the rest of the client area.
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
                        UINT nFlag = reposDefault, LPRECT lpRectParam = nullptr,
                        LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    // Creates this window as a modeless dialog from a template (the
    // template's controls become its children); for windows that are not
    // CDialog objects, such as bars made from dialog templates.
    BOOL CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd);
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

    // Control-site information of dialog templates that hold ActiveX
    // controls; no sites are kept here, so FALSE.
    virtual BOOL SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* pOccDialogInfo);
    // Initialisation data of a dialog template (RT_DLGINIT: combo and list
    // box strings). TRUE when there was none or all of it applied.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);

    virtual BOOL IsFrameWnd() const;

    // Asks every child control with an id, through pTarget's command route,
    // whether it should be enabled, checked... (CCmdUI with m_pOther).
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // Message processing
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to PreTranslateMessage of the permanent objects from its
    // window up to (and including) hWndStop; TRUE when one took it.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Hands the message being handled back to the child it came from.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    // The default processing of the message being handled.
    LRESULT Default();
    // The address where the window procedure this object replaced is kept.
    virtual WNDPROC* GetSuperWndProcAddr();

    // Handlers with the default behaviour (the window's default processing,
    // unless stated). Derived classes list the ones they override in their
    // message maps.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnChildActivate();
    afx_msg void OnClose();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Hands the colour question to the control (reflection) first.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnEnterSizeMove();
    afx_msg void OnExitSizeMove();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    // WM_MENUCHAR: the result's low word is an item index, the high word an
    // MNC_ code (MNC_IGNORE by default, which beeps).
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
    afx_msg void OnPaint();
    // Hands child notifications of WM_PARENTNOTIFY to the child first.
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg LRESULT OnThemeChanged();
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);

    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    // Ends the object's tie to its window and calls PostNcDestroy.
    afx_msg void OnNcDestroy();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseLeave();
    afx_msg void OnNcPaint();
    afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);

    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();

    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseLeave();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    // Scroll messages from scroll bar controls are handed to the control
    // (reflection) first.
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

    // Owner-draw messages are handed to the control (reflection) first.
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
    afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);

protected:
    WNDPROC m_pfnSuper = nullptr; // the window procedure this object replaced
    UINT m_nFlags = 0;            // WF_ bits
    int m_nModalResult = 0;       // result of the current modal loop

    // Window-class registration helper for Create of framework classes.
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AFXAPI AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    friend class CWinThread;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Window procedure, class registration and creation hooks

// The framework's window procedure: finds the permanent object of the window
// and calls its WindowProc.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
// Calls pWnd->WindowProc with the message made current; exceptions thrown by
// handlers are reported there and do not leave the window procedure.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// The next window created on this thread is attached to pWnd and subclassed
// before its first message. AfxUnhookWindowCreate ends the request; it
// returns TRUE when the window was attached.
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();

// Registers (once) a window class with the framework's default window
// procedure and returns its generated name, valid for the whole run.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                   HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
// Registers a class unless one of that name is registered already.
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
// Registers the framework's standard classes (AFX_..._REG bits).
BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister);

// Temporary objects (FromHandle wrappers) are deleted at idle unless locked.
void AFXAPI AfxLockTempMaps();
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

// Centres rectangles and checks whether one window belongs to another.
BOOL AFXAPI AfxIsDescendant(HWND hWndParent, HWND hWndChild);
HWND AFXAPI AfxGetParentOwner(HWND hWnd);
