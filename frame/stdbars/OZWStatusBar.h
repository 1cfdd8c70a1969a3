// OZWStatusBar: the main frame's status line, a common-controls status
// window ("msctls_statusbar32") made a control bar of the toolkit, so that
// it takes part in the frame's bar layout and looks. It holds panes (an id,
// a text width, a style and a text each); a first separator pane stretches
// over the room the others leave; the texts reach the control when they
// change (or at the next update); the frame's command-update handlers
// enable, check or set the text of panes through OZWStatusCmdUI.
#pragma once

#include "frame/bars/OZWControlBar.h"

#include <vector>

class OZWStatusBar : public OZWControlBar
{
    DECLARE_DYNCREATE(OZWStatusBar)
public:
    OZWStatusBar();
    ~OZWStatusBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // dwCtrlStyle: extra styles of the control; the size grip comes by
    // itself when the parent has a sizing border.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                          UINT nID = AFX_IDW_STATUS_BAR);
    using OZWControlBar::Create;
    using OZWControlBar::CreateEx;

    // One pane per id: a separator (0) is the message pane, a quarter of the
    // screen wide (a first one stretches, without borders); any other id
    // takes its string as text ("  " when there is none) and its width.
    // FALSE when a pane text cannot be kept.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    // bUpdate FALSE keeps the text until the next update of the panes; the
    // same text again sends nothing.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    // Lays the panes out anew (bUpdateRects) and sends the pending texts
    // (bUpdateText).
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    int GetPaneCount() const { return (int)m_panes.size(); }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    // Paints an owner-drawn pane (a derived bar's).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    int m_nMinHeight = 0;

protected:
    struct Pane
    {
        UINT nID = 0;
        int cxText = 0;
        UINT nStyle = 0;
        UINT nFlags = 0; // bit 0: the text still has to go to the control
        CString strText;
    };
    std::vector<Pane> m_panes;
    BOOL IsValidPane(int nIndex) const { return nIndex >= 0 && nIndex < (int)m_panes.size(); }
    const Pane* PaneOfId0() const;

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    friend class OZWStatusCmdUI;
};

// The command-update object of a pane.
class OZWStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
};
