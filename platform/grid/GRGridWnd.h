// Grid windows: the window side of a grid (CGRGridWndBase hands every message
// to the grid core), the plain grid window CGRGridWnd, and the record
// information window with its beam, which frames a grid over records and
// shows the current record's number with buttons to move between records.
#pragma once

#include "platform/grid/GRBeamFrame.h"
#include "platform/grid/GRCore.h"

// The window of a grid. Its messages go to the grid core (m_pGridCore):
// painting, sizing, scrolling, mouse, keys, focus, tool tips, the find
// dialog's messages and GRM_ACTIVATECELL.
class CGRGridWndBase : public CWnd
{
    DECLARE_DYNAMIC(CGRGridWndBase)
public:
    CGRGridWndBase();
    ~CGRGridWndBase() override;

    // A child grid window. Scroll bars, the tab stop and clipping of
    // children are added to dwStyle.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;
    // Sets the grid up once (the grid core's OnGridInitialUpdate) for this
    // window. Called after Create, or after subclassing a dialog's control.
    void Initialize();
    // Called when the window is shown first in a dialog or view (the
    // framework's WM_INITIALUPDATE): initialises the grid when needed.
    virtual void OnInitialUpdate();

    CGRGridCore* GetGridCore() const { return m_pGridCore; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void UpdateToolTip(CPoint pt);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg LRESULT OnActivateCellMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFindReplaceMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CGRGridCore* m_pGridCore = nullptr;
    HWND m_hToolTip = nullptr;
    ROWCOL m_nTipRow = GR_INVALID;
    ROWCOL m_nTipCol = GR_INVALID;
    CString m_strTip;
    CSize m_sizeClient{ 0, 0 };   // the client size of the last WM_SIZE
};

// A grid window with a grid of its own.
class CGRGridWnd : public CGRGridWndBase, public CGRGridCore
{
    DECLARE_DYNAMIC(CGRGridWnd)
public:
    CGRGridWnd();
    ~CGRGridWnd() override;

protected:
    DECLARE_MESSAGE_MAP()
};

// The strip under a grid over records: buttons to the first, previous, next
// and last record and to the append row, the current record's number and
// the record count, and a title.
class CGRRecordInfoBeam : public CWnd
{
    DECLARE_DYNCREATE(CGRRecordInfoBeam)
public:
    CGRRecordInfoBeam();
    ~CGRRecordInfoBeam() override;

    void SetTitle(LPCTSTR lpszTitle);
    const CString& GetTitle() const { return m_strTitle; }
    // The number shown (0: none), the count, whether the count is final
    // and whether the append row is current.
    void SetRecordInfo(long nRecord, long nCount, BOOL bCountFinal, BOOL bNewRecord);
    long GetRecordShown() const { return m_nRecord; }
    long GetCountShown() const { return m_nCount; }
    // The text between the buttons ("Record 3 of 10").
    CString GetRecordText() const;
    // The beam's height for its font.
    int CalcHeight();

    // The button under a point: GR_MOVE_... or -1.
    int HitButton(CPoint pt);
    CRect GetButtonRect(int nMove);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSetFontMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFontMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void Layout();

    CString m_strTitle;
    long m_nRecord = 0;
    long m_nCount = 0;
    BOOL m_bCountFinal = TRUE;
    BOOL m_bNewRecord = FALSE;
    HFONT m_hFont = nullptr;
    CRect m_rcButtons[6];
    CRect m_rcText;
    CRect m_rcTitle;
};

// The frame of a grid over records: the grid fills it above the record
// beam. Usually made by subclassing a placeholder control of a form, with
// the grid created as its child and attached.
class CGRRecordInfoWnd : public CGRBeamFrameWnd
{
    DECLARE_DYNCREATE(CGRRecordInfoWnd)
public:
    explicit CGRRecordInfoWnd(CRuntimeClass* pBeamClass = nullptr);

    // The grid window shown in the frame (a CGRGridWndBase).
    void AttachWnd(CWnd* pWnd);
    CWnd* GetAttachedWnd() const { return m_pAttached; }
    CGRRecordInfoBeam* GetBeam() { return static_cast<CGRRecordInfoBeam*>(m_pBeamWnd); }
    // Shows the attached grid's current record and count on the beam.
    void UpdateRecordInfo();

protected:
    CWnd* GetPaneWnd() const override { return m_pAttached; }
    int CalcBeamHeight() override { return GetBeam()->CalcHeight(); }

    CWnd* m_pAttached = nullptr;
};

// Data exchange of a dialog holding a grid: when the dialog's values are
// saved, the grid's current cell stores its pending edit; an edit that is not
// valid keeps the dialog open (the exchange fails with the focus on the grid).
void AFXAPI DDV_GRGridWnd(CDataExchange* pDX, CGRGridWndBase* pGridWnd);
