// OZWMDIFrameWnd: the toolkit's MDI main frame. Beyond the framework's MDI
// frame it has
// - message filters for its caption and non-client input (a root filter and
//   a table of descriptors; the filter classes are found by name);
// - a control-bar manager (the toolbar manager in the program) and the
//   saved bar layout under a profile name;
// - docking with explicit places, floating bars and bars floated as MDI
//   children of the main window;
// - menus registered by id for the toolkit's menu requests, bitmap menus
//   (the plug-in is made by class name when the program has it), and the
//   menu-bar hooks (this program has no menu bar);
// - a custom gradient caption (off unless switched on, and only without a
//   visual theme);
// - the context-help mode and command help;
// - the default docking places of docked document frames.
#pragma once

#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/dockstate/OZWDockState.h"
#include "frame/mdi/OZWFrameCommon.h"
#include "frame/msgfilter/OZWMsgFilter.h"
#include "platform/framework/Framework.h"

#include <map>
#include <vector>

class OZWControlBarManager;
class OZWMDIChildWnd;
class IOZWFrameMenuBar;

namespace dedaride {
namespace foundation {
class OZWWndPlugIn;
}
} // namespace dedaride

class OZWMDIFrameWnd : public CMDIFrameWnd, public IOZWDockingFrame, public IOZWDockStateFrame
{
    DECLARE_DYNCREATE(OZWMDIFrameWnd)
public:
    OZWMDIFrameWnd();
    ~OZWMDIFrameWnd() override;

    // Kinds of the frame's filters.
    enum FilterKind { kSysCommand = 257, kCaptionControls = 256, kMaxChildButton = 260, kMaxChildNCRDblClk = 261 };
    // Help contexts and commands of the context-help mode.
    enum { kContextHelpCommand = 57669, kDefaultHelpCommand = 57671, kHelpModePrompt = 57346 };

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    // ---- Control-bar manager and bar layout
    virtual OZWControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
    OZWControlBarManager* GetControlBarManager() override { return m_pControlBarManager; }
    // Replaces the pointer; a previous manager is not deleted.
    virtual void SetControlBarManager(OZWControlBarManager* pManager) { m_pControlBarManager = pManager; }
    // While the toolbars are being customised (the program's frame asks its
    // toolbar manager): hit tests answer HTERROR, the close command is
    // swallowed, and pending layouts are done at once on idle.
    virtual BOOL IsCustomizeMode() const { return FALSE; }
    // The bar layout in the profile under the name; loading before the
    // thread has a main window makes this frame the main window.
    void LoadBarState(LPCTSTR lpszProfileName) override;
    void SaveBarState(LPCTSTR lpszProfileName) const override;
    // Applies a dock state to the frame, and takes the frame's layout into
    // one (FALSE when it cannot): what loading and saving the layout use.
    virtual void ApplyDockState(OZWDockState& state);
    virtual BOOL TakeDockState(OZWDockState& state);

    // ---- Docking
    // A dock bar of the toolkit on each side the style names, made in the
    // order top, bottom, left, right, each with its auto-hide strip (docked
    // first on its side, hidden until it holds a tab); a side that has its
    // dock bar gets nothing new. The floating frames are the toolkit's, and
    // bars floated in the main window live in OZWControlBarMDIChildWnd.
    void EnableDocking(DWORD dwDockStyle) override;
    // The auto-hide strip of a side (CBRS_ALIGN_LEFT, _TOP, _RIGHT, _BOTTOM).
    OZWAutoHideBar* GetAutoHideBar(DWORD dwSide) override;
    // The toolkit's docking, with the framework's defaults (no rectangle:
    // a new row at the end, or the place kept for the bar).
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override
    {
        IOZWDockingFrame::DockControlBar(pBar, nDockBarID, lpRect);
    }
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr) override
    {
        IOZWDockingFrame::DockControlBar(pBar, pDockBar, lpRect);
    }
    using IOZWDockingFrame::DockControlBarEx;
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr) override
    {
        IOZWDockingFrame::ReDockControlBar(pBar, pDockBar, lpRect);
    }
    // Floats the bar in a floating frame of the toolkit at the screen point
    // (kept so that 10 pixels of it stay on the nearest work area).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override;
    // Shows or hides the bar; a bar already so is left alone (no layout).
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
    // Floats the bar as an MDI child window of this frame with its top-left
    // at the screen point (negative: the next cascade place, from (30, 30)
    // on by 20 right and 23 down); a bar alone in such a window already
    // moves with it.
    BOOL FloatControlBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle) override;
    // A new MDI child window for floated bars (null when it cannot be made).
    virtual CFrameWnd* CreateMDIFloatFrame();
    CFrameWnd* CreateMDIFloatingFrame(DWORD dwStyle) override;
    CRuntimeClass* m_pMDIFloatClass = nullptr;

    // ---- Menus
    // Loads each menu and keeps it under its id for the toolkit's menu
    // requests; FALSE at the first that cannot be loaded (those before it
    // stay).
    BOOL RegisterMenus(int nCount, const UINT* pIDs);
    // The menu for a resource id: the menu bar's current one when its id
    // matches, else the shared menu of the multi-document template of that
    // id, else a registered one; null when none.
    virtual HMENU GetMenuForID(UINT nID);
    // Bitmap menus: the first flag makes the frame plug in the bitmap-menu
    // plug-in when it is created.
    void EnableBmpMenus(BOOL bEnable, BOOL bSecond);
    virtual void SetBmpMenuColors(COLORREF clr = 0xC0C0C0, BOOL bUse = FALSE);
    virtual COLORREF GetBmpMenuColor() const { return m_clrBmpMenu; }
    BOOL AreBmpMenusEnabled() const { return m_bBmpMenus; }
    dedaride::foundation::OZWWndPlugIn* GetPlugIn() const { return m_pPlugIn; }
    // Puts a menu bar (a control bar of this frame, made and filled by the
    // caller, not owned) in place of the window's menu: the menu leaves the
    // window but stays loaded for the bar's popups, the menu-bar feature
    // (made by its class name) takes the plug-in's place and the bar shows
    // the frame's own menu. pFeature: a feature of the caller's (owned by
    // the frame from then on). FALSE when the program has no menu-bar
    // feature.
    virtual BOOL SetMenuBar(CControlBar* pMenuBar, dedaride::foundation::OZWWndPlugIn* pFeature = nullptr);
    // The menu bar (none in this program).
    BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
    CControlBar* GetMenuBar() const { return m_pMenuBar; }
    // The menu-bar object made from a run-time class (none in this program).
    virtual IOZWFrameMenuBar* GetMenuBarObject() const { return m_pMenuBarObject; }
    // Makes the frame's menu-bar object of the class (see OZWFrameMenuBar.h);
    // null without a class or when it cannot be attached.
    virtual IOZWFrameMenuBar* CreateMenuBarObject(int x, int y, CRuntimeClass* pClass, DWORD_PTR dwValue);
    // Shows the menu of an id on the menu bar (0 or -1: the frame's own).
    virtual void SwitchMenuBarMenu(UINT nMenuID);
    // Shows the maximised child's buttons on the menu bar.
    virtual void UpdateMenuBarChildButtons();
    // Lets the menu bar's Window menu list the MDI children.
    virtual void LinkWindowMenu();
    virtual HMENU GetDefaultMenu();

    // ---- Docked child frames (none in this program)
    // The docked child frame that has the activation, null when none.
    CFrameWnd* GetActiveDockedChild() const { return m_pActiveDockedChild; }
    // Drops the recorded docked child frame (with bActivateClient, the MDI
    // client's active child is activated again).
    virtual void DeactivateDockedChild(BOOL bActivateClient);
    // Activates another docked document frame (a visible dockable frame
    // other than pSkip): the active one again, else the first that shows a
    // view of a document; TRUE when one was found.
    virtual BOOL ActivateOtherDockedFrame(CFrameWnd* pSkip);
    // Makes a docked document frame the active document frame: the MDI
    // child (or the docked frame) that had the activation loses it, its view
    // first. Nothing happens when pFrame is active already, unless bForce.
    // Null: no docked frame is active any more; the active MDI child's
    // caption shows active again.
    virtual void ActivateDockedFrame(CFrameWnd* pFrame, BOOL bForce);

    // ---- Caption
    // The custom gradient caption: only on Windows 4 or later without a
    // visual theme; FALSE when it cannot be switched on.
    BOOL EnableCustomCaption(BOOL bEnable);
    BOOL IsCustomCaption() const { return m_bCustomCaption; }
    virtual HFONT CreateCaptionFont();
    virtual HFONT CreateAltCaptionFont();
    virtual void DrawCaption();
    int m_nCaptionAlign = 0; // 0 left, 1 centred, other right

    // ---- Filters
    // Switches the frame's filters (bit 0: the extended system commands).
    virtual void EnableSysCommandEx(DWORD dwFlags);
    // The caption-control list filter found under kind nKind at any depth
    // gets its own buttons switched off.
    static void InstallCaptionControlList(OZWMsgFilter* pRoot, int nKind);
    OZWMsgFilter* GetMsgFilter() const { return m_pMsgFilter; }

    // ---- Default places of docked document frames
    virtual void GetNextDockingPlace(UINT& nDockBarID, int placement[3], float& fShare, int& nHeight);

    // ---- Framework overrides
    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // One queued message of the help mode (still queued): TRUE while the
    // mode goes on; *pContext the help context when it ends with one.
    virtual BOOL ProcessHelpMessage(MSG& msg, DWORD* pContext);

    // The rectangle of the client area at the last layout.
    CRect m_rectLastClient;
    // Where the next bar floated in the main window goes.
    CPoint m_ptNextMDIFloat = CPoint(30, 30);
    // The frame stays shown active while one of its own popups is active.
    BOOL m_bStayActive = FALSE;
    BOOL m_bKeepActive = TRUE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    // The caption rectangle in window coordinates.
    CRect GetCaptionRect() const;
    // Non-client painting with the custom caption: the default painting
    // without the caption, then the caption.
    LRESULT OnNcPaintCustom(WPARAM wParam, LPARAM lParam);
    // Runs while the frame's activation changes: passes it to the active view.
    virtual void OnFrameActivation(BOOL bActive, BOOL bMinimized);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSysColorChange();
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg LRESULT OnGetMenuRequest(WPARAM wParam, LPARAM lParam);
    // A bar's context menu: "Allow Docking" greyed while the bar floats in
    // the main window; "Float In Main Window" for a bar that may.
    afx_msg LRESULT OnBarContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommandHelpEx(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg void OnWorkspaceCommand();
    afx_msg void OnUpdateWorkspaceCommand(CCmdUI* pCmdUI);
    afx_msg BOOL OnWorkspaceRange(UINT nID);

    OZWControlBarManager* m_pControlBarManager = nullptr;
    OZWAutoHideBar m_autoHideBars[4]; // left, top, bottom, right
    OZWMsgFilter* m_pMsgFilter = nullptr;
    OZWMsgFilter::DescriptorTable m_filterDescriptors;
    OZWMsgFilter::Descriptor* m_pCaptionControlsDescriptor = nullptr;
    std::vector<UINT> m_dockingPlaces;
    int m_nDockingPlace = 0;
    std::map<UINT, HMENU> m_menuMap;
    CPtrList m_loadedObjects; // objects the saved layout made, owned
    UINT m_nMenuID = 0;       // the frame's own menu resource
    CControlBar* m_pMenuBar = nullptr;
    IOZWFrameMenuBar* m_pMenuBarObject = nullptr;
    HMENU m_hMenuBarMenu = nullptr;
    UINT m_nMenuBarMenuID = 0;
    dedaride::foundation::OZWWndPlugIn* m_pPlugIn = nullptr;
    BOOL m_bBmpMenus = FALSE;
    BOOL m_bBmpMenus2 = FALSE;
    COLORREF m_clrBmpMenu = 0xC0C0C0;
    BOOL m_bUseBmpMenuColor = FALSE;
    CFrameWnd* m_pActiveDockedChild = nullptr;
    BOOL m_bCustomCaption = FALSE;
    BOOL m_bCaptionActive = FALSE;
    BOOL m_bInActivation = FALSE;
    BOOL m_bWindows4 = TRUE;

    DECLARE_MESSAGE_MAP()
};
