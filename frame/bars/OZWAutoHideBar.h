// The auto-hide strip of a frame edge and its tabs.
//
// An unpinned auto-hide bar (OZWControlBar) is a tab on the strip of its
// side. While the mouse rests on the tab the bar slides out over the frame;
// 500 ms after the mouse has left both the tab and the bar, it slides back.
// The strip is itself a control bar, docked on its side's dock bar, 24
// pixels deep, hidden while it has no tab.
//
// A tab finds its bar by the bar's window handle among the frame's bars; a
// tab whose bar is gone does nothing.
#pragma once

#include "frame/bars/OZWControlBar.h"
#include "frame/support/OZWIcon.h"

#include <vector>

class OZWAutoHideBar;

class OZWAutoHideBarBtn : public CWnd
{
    DECLARE_DYNAMIC(OZWAutoHideBarBtn)
public:
    OZWAutoHideBarBtn();
    ~OZWAutoHideBarBtn() override;

    // The tab of the bar hBar on the strip pStrip of side nSideID (dock bar
    // id), with the bar's text.
    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, OZWAutoHideBar* pStrip, UINT nSideID,
                        HWND hBar, UINT nID);
    // The bar's small icon, drawn 16 x 16.
    void SetIcon(HICON hIcon);
    CString GetText() const { return m_strText; }
    CSize GetIconSize() const { return CSize(m_cxIcon, m_cyIcon); }
    // The bar of the tab, null when it is gone.
    OZWControlBar* FindBar() const;
    HWND GetBarHandle() const { return m_hBar; }
    UINT GetSideID() const { return m_nSideID; }

    BOOL m_bTimerRunning = FALSE; // timer 1 runs while the bar is out from this tab
    BOOL m_bHot = FALSE;
    BOOL m_bSelected = FALSE;

protected:
    CString m_strText;
    UINT m_nSideID = 0;
    HWND m_hBar = nullptr;
    int m_cxIcon = 0;
    int m_cyIcon = 0;
    OZWAutoHideBar* m_pStrip = nullptr;
    OZWIcon m_icon;
    HTHEME m_hTheme = nullptr; // "Button"

    // Stops timer 1 and the hot look (the bar went in, or is gone).
    void StopTracking();

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class OZWAutoHideBar : public OZWControlBar
{
    DECLARE_DYNCREATE(OZWAutoHideBar)
public:
    OZWAutoHideBar();
    ~OZWAutoHideBar() override;

    // The strip window in pFrame (style 0x5000004E, with WS_THICKFRAME's
    // bit 0x100 when the frame sizes), id GetUniqueBarID(frame, 32768).
    virtual BOOL CreateStrip(CFrameWnd* pFrame, DWORD dwBarStyle);
    virtual int GetTabCount() const { return (int)m_tabs.size(); }

    // A tab for the bar (selected when it is the first); shown strip.
    void AddBar(OZWControlBar* pBar);
    // Takes the bar's tab away; nothing when it has none. A strip with no
    // tab hides.
    void RemoveBar(CControlBar* pBar);
    BOOL HasBar(CControlBar* pBar) const;
    void SelectTab(OZWAutoHideBarBtn* pTab);
    void LayoutTabs();
    void ShowIfNotEmpty();
    // Another bar of the frame slid out from a tab, null when none.
    OZWControlBar* FindOtherVisibleBar(CControlBar* pBar);
    OZWAutoHideBarBtn* GetTab(int i) const { return m_tabs[i]; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // As the base's, with a dock context that never starts a drag.
    void EnableDocking(DWORD dwDockStyle) override;
    CDockContext* CreateDockContext() override;
    BOOL HasCaptionButtons() const override;

    // The fonts of the strip and its tabs: the menu font, and the same
    // turned to run downwards ("verdana").
    HFONT GetHorzFont() const { return m_hFontHorz; }
    HFONT GetVertFont() const { return m_hFontVert; }
    int m_nTextHeight = 0;
    int m_nLineHeight = 0;
    int m_nTextOffset = 0;
    int m_nThickness = ozwbar::kStripThickness;
    COLORREF m_clrBackground = 0;

protected:
    std::vector<OZWAutoHideBarBtn*> m_tabs;
    HFONT m_hFontHorz = nullptr;
    HFONT m_hFontVert = nullptr;
    UINT m_nNextTabID = 1;
    void CreateFonts();
    void DeleteTabs();
    UINT SideID() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
