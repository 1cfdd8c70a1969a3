// OZWFrameWnd: the toolkit's single-document frame, the twin of
// OZWMDIFrameWnd. It holds the toolkit's dock bars with an auto-hide strip
// on each side, floats bars in the toolkit's floating frames, docks them at
// explicit places and saves and loads the bar layout through its
// control-bar manager. It can hold a menu bar in place of its menu (an
// object made from a run-time class, see OZWFrameMenuBar.h) or bitmap
// menus, and draw its own gradient caption.
#pragma once

#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/dockstate/OZWDockState.h"
#include "frame/mdi/OZWFrameCommon.h"
#include "platform/framework/Framework.h"

class OZWControlBarManager;
class OZWMsgFilter;
class IOZWFrameMenuBar;

class OZWFrameWnd : public CFrameWnd, public IOZWDockingFrame, public IOZWDockStateFrame
{
    DECLARE_DYNCREATE(OZWFrameWnd)
public:
    OZWFrameWnd();
    ~OZWFrameWnd() override;

    // Help commands of the context-help mode.
    enum { kContextHelpCommand = 57669, kDefaultHelpCommand = 57671 };

    // As the framework's, and the id becomes the frame's menu id. With a
    // menu-bar class set the window gets no menu: the menu of the id is
    // loaded and kept for the menu bar.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // The menu resource the frame was loaded from.
    UINT GetMenuID() const { return m_nMenuID; }

    // ---- Control-bar manager, bar layout and docking: as OZWMDIFrameWnd's
    // (the helpers of OZWFrameCommon.h and OZWFrameDocking), without bars
    // floated in the main window.
    OZWControlBarManager* GetControlBarManager() override { return m_pControlBarManager; }
    virtual void SetControlBarManager(OZWControlBarManager* pManager) { m_pControlBarManager = pManager; }
    // While the toolbars are being customised (a program's frame asks its
    // toolbar manager): hit tests answer HTERROR, the close command is
    // swallowed, and pending layouts are done at once on idle.
    virtual BOOL IsCustomizeMode() const { return FALSE; }
    void LoadBarState(LPCTSTR lpszProfileName) override;
    void SaveBarState(LPCTSTR lpszProfileName) const override;
    // Applies a dock state to the frame, and takes the frame's layout into
    // one (FALSE when it cannot): what loading and saving the layout use.
    virtual void ApplyDockState(OZWDockState& state);
    virtual BOOL TakeDockState(OZWDockState& state);
    void EnableDocking(DWORD dwDockStyle) override;
    OZWAutoHideBar* GetAutoHideBar(DWORD dwSide) override;
    // With the framework's defaults.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override
    {
        IOZWDockingFrame::DockControlBar(pBar, nDockBarID, lpRect);
    }
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr) override
    {
        IOZWDockingFrame::DockControlBar(pBar, pDockBar, lpRect);
    }
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr) override
    {
        IOZWDockingFrame::ReDockControlBar(pBar, pDockBar, lpRect);
    }
    using IOZWDockingFrame::DockControlBarEx;
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override;
    // Shows or hides the bar; its floating frame follows.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;

    // ---- Menu bar and menus
    // The class of the menu-bar object the frame makes when its window is
    // created (set before LoadFrame); null: the window has its menu.
    void SetMenuBarClass(CRuntimeClass* pClass) { m_pMenuBarClass = pClass; }
    CRuntimeClass* GetMenuBarClass() const { return m_pMenuBarClass; }
    // Makes the frame's menu-bar object of the class (a previous one is
    // deleted); null without a class or when it cannot be attached.
    virtual IOZWFrameMenuBar* CreateMenuBarObject(int x, int y, CRuntimeClass* pClass, DWORD_PTR dwValue);
    IOZWFrameMenuBar* GetMenuBarObject() const { return m_pMenuBarObject; }
    // Whether the frame has a menu-bar object, and the bar that shows it.
    BOOL HasMenuBar() const { return m_pMenuBarObject != nullptr; }
    CControlBar* GetMenuBar() const;
    // The menu kept for the menu bar when there is one, else the window's.
    CMenu* GetMenu() const override;
    // The kept menu when nID is its id; null otherwise.
    virtual HMENU GetMenuForID(UINT nID);
    // The menu id in use: the kept menu's with a menu bar, else the id the
    // frame was loaded with.
    virtual UINT GetMenuIDInUse() const;
    // Bitmap menus (without a menu bar): the first flag makes the frame plug
    // in the bitmap-menu plug-in when it is created.
    void EnableBmpMenus(BOOL bEnable, BOOL bSecond);
    virtual void SetMenuBarColor(COLORREF clr = 0xC0C0C0, BOOL bUse = FALSE);
    virtual COLORREF GetMenuBarColor() const { return m_clrMenuBar; }
    dedaride::foundation::OZWWndPlugIn* GetPlugIn() const { return m_pPlugIn; }
    // The frame's menu update as a frame that is activated (bActive) or
    // loses the activation to pActivateWnd; here the framework's update.
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;

    // ---- Caption
    // The custom gradient caption: only on Windows 4 or later without a
    // visual theme; FALSE when it cannot be switched on. Switching posts a
    // non-client paint and a non-client activation.
    BOOL EnableCustomCaption(BOOL bEnable);
    BOOL IsCustomCaption() const { return m_bCustomCaption; }
    // Whether a visual theme draws the windows' frames.
    virtual BOOL IsVisualThemeActive() const;
    virtual HFONT CreateCaptionFont();
    virtual HFONT CreateAltCaptionFont();
    virtual void DrawCaption();
    int m_nCaptionAlign = 0; // 0 left, 1 centred, other right

    // The message filters of the frame's caption and non-client input, if
    // it has any (none here).
    virtual OZWMsgFilter* GetMsgFilter() const { return nullptr; }

    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The client area left by the bars at the last layout.
    CRect m_rectLastClient;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The frame's processing of a message once the plug-in and the menu bar
    // have let it pass.
    LRESULT FrameWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A message of the window procedure offered to the plug-in, then to the
    // menu-bar object: TRUE when the frame must answer *pResult at once.
    BOOL OfferToMenuBar(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message about to be dispatched, offered to the plug-in and the menu
    // bar (not in print preview); a close from the system menu is taken
    // while the menu bar is active. TRUE when taken.
    BOOL PreTranslateForMenuBar(MSG* pMsg);
    // Non-client painting: the custom caption when on, else the default;
    // the frame's filters are told after.
    LRESULT PaintNonClient(WPARAM wParam, LPARAM lParam);
    // Non-client activation with the custom caption (the default otherwise).
    LRESULT NcActivateWithCaption(WPARAM wParam, LPARAM lParam);
    // A new window text: with the custom caption drawn by the frame (the
    // system draws none meanwhile); otherwise the default, the filters told.
    LRESULT SetTextWithCaption(WPARAM wParam, LPARAM lParam);
    // The caption rectangle in window coordinates.
    CRect GetCaptionRect() const;
    void DeleteMenuBarObject();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg LRESULT OnGetMenuRequest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg void OnWorkspaceCommand();
    afx_msg void OnUpdateWorkspaceCommand(CCmdUI* pCmdUI);
    afx_msg BOOL OnWorkspaceRange(UINT nID);

    OZWAutoHideBar m_autoHideBars[4]; // left, top, bottom, right
    IOZWFrameMenuBar* m_pMenuBarObject = nullptr;
    BOOL m_bCustomCaption = FALSE;
    BOOL m_bCaptionActive = FALSE;
    OZWControlBarManager* m_pControlBarManager = nullptr;
    BOOL m_bBmpMenus = FALSE;
    BOOL m_bBmpMenus2 = FALSE;
    CRuntimeClass* m_pMenuBarClass = nullptr;
    dedaride::foundation::OZWWndPlugIn* m_pPlugIn = nullptr;
    HMENU m_hMenuBarMenu = nullptr; // the menu kept for the menu bar
    UINT m_nMenuBarMenuID = 0;
    COLORREF m_clrMenuBar = 0xC0C0C0;
    BOOL m_bUseMenuBarColor = FALSE;
    BOOL m_bWindows4 = TRUE;
    CPtrList m_loadedObjects; // objects the saved layout made, owned
    UINT m_nMenuID = 0;

    DECLARE_MESSAGE_MAP()
};
