// OZWControlBarWorksheet: the worksheet that holds a control bar floated
// into the MDI area of a workbook. It hosts a dock bar, so that the bar is
// the worksheet's content; it takes its title and its tab's icon from the
// bar. Closing it hands the bar back to its docking frame, hidden.
#pragma once

#include "frame/bars/OZWDockBar.h"
#include "frame/workbook/OZWWorksheetWnd.h"

class OZWControlBarWorksheet : public OZWWorksheetWnd
{
    DECLARE_DYNCREATE(OZWControlBarWorksheet)
public:
    OZWControlBarWorksheet();
    ~OZWControlBarWorksheet() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The worksheet's loading, without the resource's icon: the tab shows
    // the bar's.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // The frame's layout; the caption then shows the dock bar's title (the
    // bar's own).
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The worksheet's title update, keeping the bar's title; the tab takes
    // the bar's big icon (the system's window icon when it has none).
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // The bar it hosts, null when none.
    CControlBar* GetHostedBar() const;
    OZWDockBar& GetDockBar() { return m_dockBar; }

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // Whether the dock bar takes several bars (then the worksheet is a
    // plain frame to them).
    BOOL IsMultiBar() const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    OZWDockBar m_dockBar;
};
