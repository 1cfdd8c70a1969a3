// OZWFrameWnd: the toolkit's single-document frame, the twin of
// OZWMDIFrameWnd. It holds the toolkit's dock bars with an auto-hide strip
// on each side, floats bars in the toolkit's floating frames, docks them at
// explicit places and saves and loads the bar layout through its
// control-bar manager.
#pragma once

#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/dockstate/OZWDockState.h"
#include "platform/framework/Framework.h"

class OZWControlBarManager;

class OZWFrameWnd : public CFrameWnd, public IOZWDockingFrame, public IOZWDockStateFrame
{
    DECLARE_DYNCREATE(OZWFrameWnd)
public:
    OZWFrameWnd();
    ~OZWFrameWnd() override;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // The menu resource the frame was loaded from.
    UINT GetMenuID() const { return m_nMenuID; }

    // ---- Control-bar manager, bar layout and docking: as OZWMDIFrameWnd's
    // (the helpers of OZWFrameCommon.h and OZWFrameDocking), without bars
    // floated in the main window.
    OZWControlBarManager* GetControlBarManager() override { return m_pControlBarManager; }
    virtual void SetControlBarManager(OZWControlBarManager* pManager) { m_pControlBarManager = pManager; }
    void LoadBarState(LPCTSTR lpszProfileName) override;
    void SaveBarState(LPCTSTR lpszProfileName) const override;
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

    // The menu bar (none in this program).
    BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
    CControlBar* GetMenuBar() const { return m_pMenuBar; }

    void RecalcLayout(BOOL bNotify = TRUE) override;

    // The client area left by the bars at the last layout.
    CRect m_rectLastClient;

protected:
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg void OnWorkspaceCommand();
    afx_msg void OnUpdateWorkspaceCommand(CCmdUI* pCmdUI);
    afx_msg BOOL OnWorkspaceRange(UINT nID);

    OZWAutoHideBar m_autoHideBars[4]; // left, top, bottom, right
    OZWControlBarManager* m_pControlBarManager = nullptr;
    CControlBar* m_pMenuBar = nullptr;
    CPtrList m_loadedObjects; // objects the saved layout made, owned
    UINT m_nMenuID = 0;

    DECLARE_MESSAGE_MAP()
};
