// OZWControlBarMDIChildWnd: the MDI child window that holds a control bar
// floated in the main window ("Float In Main Window"). It has one dock bar
// of the toolkit (the floating dock bar's id) into which the bar is docked;
// its title is the bar's; closing it hides the bar (showing the bar again
// brings the window back); sizing it sizes the bar; its place is kept in
// the bar's dock context for the next time the bar floats there.
#pragma once

#include "frame/bars/OZWDockBar.h"
#include "frame/mdi/OZWMDIChildWnd.h"

class OZWControlBarMDIChildWnd : public OZWMDIChildWnd
{
    DECLARE_DYNCREATE(OZWControlBarMDIChildWnd)
public:
    OZWControlBarMDIChildWnd();

    // Flag 0x40: the window closes and sizes as any MDI child (the bar is
    // left alone).
    enum { kPlainWindow = 0x40 };
    DWORD m_dwBarFlags = 0;

    OZWDockBar& GetDockBar() { return m_wndDockBar; }
    // The bar docked in the window, null when none.
    CControlBar* GetDockedBar();

    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The title stays the bar's.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // A window left without its bar goes.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);

    OZWDockBar m_wndDockBar;
    BOOL m_bInLayout = FALSE;

    DECLARE_MESSAGE_MAP()
};
