// Ready-made control bars: the status bar with its panes (CStatusBar), a bar
// made from a dialog template (CDialogBar), and the rebar that holds other
// bars in bands (CReBar).
#pragma once

#include "platform/framework/docview/ControlBar.h"
#include "platform/framework/base/String.h"

#include <commctrl.h>
#include <vector>

class CBitmap;

/////////////////////////////////////////////////////////////////////////////
// CStatusBar
//
// The status line at the bottom of a frame: a row of panes, each with a
// command id, a style, a width and a text. SetIndicators makes the panes from
// ids: ID_SEPARATOR is the message pane (the first one stretches over the
// room the others leave), any other id is an indicator whose string gives its
// text and width. At idle time each pane is updated through the frame's
// command route (CCmdUI: Enable shows or blanks the text, SetCheck pops the
// pane out, SetText changes it). The window text of the bar is the text of
// the message pane, so the frame's prompts (SetMessageText) land there.

#ifndef SBPS_NORMAL
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000
#define SBPS_STRETCH    0x08000000
#endif

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // dwCtrlStyle: styles of the status control (SBARS_SIZEGRIP comes by
    // itself when the frame can be sized).
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);

    // Makes one pane per id (see above); a null array makes nIDCount empty
    // panes to be set with SetPaneInfo.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // The pane of a command id, -1 when none.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    // bUpdate FALSE keeps the new text until the next update of the panes.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Paints an SBPS_OWNERDRAW pane.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The pane layout and texts to the control.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

    int m_nMinHeight = 0;   // the least height of the bar

protected:
    struct Pane
    {
        UINT nID = 0;
        UINT nStyle = 0;
        int cxText = 0;     // width of the text area
        CString strText;
        bool bPending = false; // text changed, not yet sent to the control
    };
    std::vector<Pane> m_panes;
    BOOL IsValidPane(int nIndex) const { return nIndex >= 0 && nIndex < (int)m_panes.size(); }
    int TextWidth(LPCTSTR lpsz) const;
    void SendPaneText(int nIndex);

    DECLARE_MESSAGE_MAP()
};

// The command-update object of a status pane.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
};

/////////////////////////////////////////////////////////////////////////////
// CDialogBar
//
// A bar whose content is a dialog template: the template's controls become
// the bar's children, its size the bar's size along and across its side (the
// whole length of the side when stretched). The controls' commands go to the
// frame, and at idle time each control with an id is enabled through the
// frame's command route as its update handler says.

class CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;

    // nStyle: the side (CBRS_ bits) and WS_VISIBLE; nID the bar's id. FALSE
    // when the template is missing or cannot be made.
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CSize m_sizeDefault;            // the template's size
    LPCTSTR m_lpszTemplateName = nullptr;

protected:
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CReBar
//
// A rebar control as a bar of its frame: other windows (tool bars, dialog
// bars, controls) sit in its bands; it takes the height of its rows and lays
// its frame out again when that changes.

class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();
    ~CReBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                        UINT nID = AFX_IDW_REBAR);
    // A new band holding pBar (which becomes the rebar's child), with a
    // label and a background bitmap or colours. The band is at least as
    // large as the bar asks (a control bar) or is (another window).
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);
    UINT GetBandCount() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

protected:
    BOOL AddBand(CWnd* pBar, REBARBANDINFOA& rbbi);

    DECLARE_MESSAGE_MAP()
};
