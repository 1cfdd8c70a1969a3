// OZWWorkbookWnd: an MDI main frame that shows its MDI children
// (worksheets) as a row of tabs along the bottom of the MDI client, as the
// sheet tabs of a spreadsheet. A click on a tab activates its worksheet;
// the active tab is drawn larger and on top; a tab whose text does not fit
// shows the whole text as a tool tip. Tabs are hidden until ShowTabs(TRUE);
// they come in a classic (3-D) and a flat style.
//
// OZWWorkbookClientWnd subclasses the MDI client: it gives up room on each
// side for the strip and a border, and tells the frame when the MDI menu
// (and with it the active child) changes, so that the tabs are redrawn.
#pragma once

#include "frame/framemodel/OZWTabStrip.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "platform/framework/Framework.h"

#include <uxtheme.h>

class OZWWorksheetWnd;

// Messages between the parts of a workbook.
enum : UINT {
    // To the workbook frame: the MDI menu or the active child changed.
    OZWWM_WORKBOOK_ACTIVECHANGED = 0x84D,
    // To the workbook client: a worksheet updated its frame menu (wParam
    // and lParam -1).
    OZWWM_WORKBOOK_SHEETMENU = 0x84E,
};

class OZWWorkbookClientWnd : public CWnd
{
    DECLARE_DYNAMIC(OZWWorkbookClientWnd)
public:
    OZWWorkbookClientWnd() = default;

    // The client area is the layout's rectangle less the insets.
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

    int m_nInsetLeft = 0;
    int m_nInsetTop = 0;
    int m_nInsetRight = 0;
    int m_nInsetBottom = 0;

protected:
    afx_msg LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class OZWWorkbookWnd : public OZWMDIFrameWnd
{
    DECLARE_DYNCREATE(OZWWorkbookWnd)
public:
    OZWWorkbookWnd();
    ~OZWWorkbookWnd() override;

    // ---- The tab strip
    // The MDI client's window rectangle (frame client coordinates) grown by
    // the client's insets.
    virtual void GetTabStripRect(RECT* pRect);
    // Whether a click on its tab may activate the worksheet.
    virtual BOOL CanActivateSheet(OZWWorksheetWnd* pSheet);
    // A worksheet joins the end of the strip (its index is set), and leaves
    // it (the ones after it move up).
    virtual void AddSheet(OZWWorksheetWnd* pSheet);
    virtual void RemoveSheet(OZWWorksheetWnd* pSheet);
    // Whether the tab text fits its text rectangle; FALSE for no sheet or
    // no text.
    virtual BOOL IsTabTextFit(OZWWorksheetWnd* pSheet);
    // The outline of the sheet's tab: *ppPoints a new array of *pCount (7)
    // points that the caller deletes (delete[]).
    virtual void GetTabPolygon(OZWWorksheetWnd* pSheet, POINT** ppPoints, int* pCount);
    // The title of the worksheet's document, else its window text.
    virtual CString GetTabText(OZWWorksheetWnd* pSheet);
    virtual void GetTabTextRect(const POINT* pts, int nIconWidth, RECT* pRect);
    virtual void DrawTab(CDC* pDC, OZWWorksheetWnd* pSheet);
    virtual void DrawClientBorder(CDC* pDC);
    virtual void DrawTabContent(CDC* pDC, OZWWorksheetWnd* pSheet, UINT nFormat);
    // The sheet's icon while icons are shown, else null.
    virtual HICON GetSheetIcon(OZWWorksheetWnd* pSheet);
    // Gives the sheet an icon for its tab (the sheet owns it from then on;
    // an icon it had goes); bRedraw repaints the tab.
    virtual void SetSheetIcon(OZWWorksheetWnd* pSheet, HICON hIcon, BOOL bRedraw);

    void ShowTabs(BOOL bShow);
    void ShowIcons(BOOL bShow);
    // Classic or flat tabs: the client's insets follow, and the layout.
    void SetTabStyle(BOOL bFlat);
    BOOL IsShowTabs() const { return m_bShowTabs; }
    BOOL IsShowIcons() const { return m_bShowIcons; }
    BOOL IsFlatTabs() const { return m_bFlatTabs; }
    // Set while some workbook shows classic tabs (for the layout of dock bars).
    static BOOL IsClassicTabsShown() { return s_bClassicTabs; }

    int GetSheetCount() const { return (int)m_sheets.GetSize(); }
    OZWWorksheetWnd* GetSheet(int nIndex) const;
    // The part of the frame that holds the sheet's tab (bToRightEnd: to the
    // right edge of the frame), and the whole strip; frame client coordinates.
    CRect GetTabInvalidRect(OZWWorksheetWnd* pSheet, BOOL bToRightEnd);
    CRect GetStripInvalidRect();
    void InvalidateTab(OZWWorksheetWnd* pSheet, BOOL bToRightEnd = FALSE);
    // Paints the strip, its tabs and the client's border (frame client
    // coordinates); the MDI client's own area is left alone.
    void PaintStrip(CDC* pDC);
    void InvalidateStrip();
    // The sheet whose tab is at the point (frame client coordinates), null
    // when none; bSkipActive leaves the active sheet out.
    OZWWorksheetWnd* SheetFromPoint(CPoint point, BOOL bSkipActive);
    OZWWorkbookClientWnd* GetClientWnd() const { return m_pClientWnd; }
    CToolTipCtrl* GetToolTip() const { return m_pToolTip; }

    // The MDI child a control bar floated into the MDI area lives in: an
    // OZWControlBarWorksheet (m_pMDIFloatClass), made hidden from resource
    // 20514; null when it cannot be made. The caller docks the bar in its
    // dock bar (child id AFX_IDW_DOCKBAR_FLOAT) and shows it; the tab then
    // takes the bar's title and icon.
    virtual CFrameWnd* CreateMDIFloatingFrame(DWORD dwStyle);
    CRuntimeClass* m_pMDIFloatClass;

    BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    int m_nTabWidth = 100;
    int m_nTabHeight = 23;
    int m_nTabCorner = 2;
    int m_nActiveExtraWidth = 4;
    int m_nActiveExtraHeight = 2;
    int m_nMaxTabWidth = 90;
    int m_nLastActiveSheet = 0;

protected:
    // The sizes the tabs are drawn with now.
    ozwframe::TabMetrics Metrics() const;
    // The MDI client's window rectangle in frame client coordinates.
    CRect GetMDIClientRect() const;
    // The sheets before pSheet that are hidden.
    int HiddenBefore(OZWWorksheetWnd* pSheet) const;
    // Whether the sheet's tab is drawn active (the active child, or pressed).
    BOOL IsTabActive(OZWWorksheetWnd* pSheet);
    // The tab width for the sheets there are now.
    int CalcTabWidth() const;
    // The colour of the band below the client in the flat style without a
    // theme look: the highlight colour lightened.
    static COLORREF LightHighlight();
    HTHEME TabTheme();

    CObArray m_sheets;
    BOOL m_bShowTabs = FALSE;
    BOOL m_bShowIcons = TRUE;
    CFont m_font;
    OZWWorkbookClientWnd* m_pClientWnd = nullptr;
    CPen m_penHilight, m_penBlack, m_penShadow, m_penFace;
    // The free client area (less the bars) at the last layout.
    CRect m_rectLastFree;
    BOOL m_bFlatTabs = FALSE;
    HTHEME m_hTabTheme = nullptr;
    CToolTipCtrl* m_pToolTip = nullptr;
    // The text of the tip shown last (the tip control copies it).
    mutable CString m_strTipText;
    static BOOL s_bClassicTabs;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnActiveChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    // The pens of the tabs in the system's colours now.
    void MakePens();
    DECLARE_MESSAGE_MAP()
};
