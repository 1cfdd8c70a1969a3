// OZWListEngine: the owner-drawn list engine over a window. It puts the
// list model (OZWListModel) on a window class TBase and supplies what needs
// the window: creation, painting through an off-screen DC, measuring text,
// its own scroll-bar children, mouse and keyboard input, the tip and the
// in-place editor, timers and the notifications sent to the parent.
//
// The engine is built in two forms with the same behaviour:
//   OZWListBaseC = OZWListEngine<CWnd>   a plain child window (OZWListCtrl)
//   OZWListBaseV = OZWListEngine<CView>  a view in a frame (OZWListView)
// Each form keeps its own process-wide shared colours and drawing objects.
// The forms have no message map of their own; the concrete classes list the
// engine's handlers (OZW_LIST_ENGINE_MESSAGES below).
#pragma once

#include "listtree/list/ctrl/ListEdit.h"
#include "listtree/list/ctrl/ListTip.h"
#include "listtree/list/model/ListModel.h"
#include "platform/framework/Framework.h"

#include <uxtheme.h>

template<class TBase>
class OZWListEngine : public TBase, public OZWListModel
{
public:
    OZWListEngine();
    ~OZWListEngine() override;

    // ---- Creation ---------------------------------------------------------
    // The list style bits of dwStyle (0xF3FF) and the extended list style
    // bits of the extended style (0x1FF00000) go to the list's own style
    // words; the window never carries them.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Replaces the dialog control nID of pParent by the list (same style
    // plus a border, extended style, place and id).
    virtual BOOL AttachDlgItem(UINT nID, CWnd* pParent);
    // Moves the list style bits out of the creation styles.
    virtual void SplitCreateStyles(DWORD& dwStyle, DWORD& dwExStyle);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- Attributes ---------------------------------------------------------
    virtual CFont* GetHeaderFont();
    virtual BOOL SetItemFont(CFont* pFont) { m_pItemFont = pFont; return TRUE; }
    virtual BOOL SetHeaderFont(CFont* pFont) { m_pHeaderFont = pFont; return TRUE; }
    CFont* GetItemFontPointer() const { return m_pItemFont; }
    CFont* GetHeaderFontPointer() const { return m_pHeaderFont; }
    virtual CWnd* GetNotifyWnd() { return m_pNotifyWnd; }
    virtual BOOL SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd; return TRUE; }
    // which: 0 normal, 1 small, 2 state, 3 header images.
    virtual CImageList* GetImageList(int nWhich);
    // Returns the previous list, which the engine no longer refers to.
    virtual CImageList* SetImageList(CImageList* pList, int nWhich);
    // An owned copy of a list.
    virtual CImageList* CopyImageList(CImageList* pList);
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // WM_THEMECHANGED; does nothing and answers 0.
    virtual LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    OZWListTip* GetTip() const { return m_pTip; }
    virtual CEdit* GetEditControl() { return m_pEdit; }

    // ---- Window hooks of the model ------------------------------------------
    HWND GetHwnd() override { return TBase::m_hWnd; }
    UINT GetCtrlId() override;
    LRESULT SendNotify(NMHDR* pHdr) override;
    void PostToParent(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void GetInsideRect(RECT* pRect) override;
    BOOL IsWindowFocused() override;
    BOOL IsWindowEnabledState() override;
    void MeasureRow(int nItem, BOOL bMeasure) override;
    void RedrawItem(int nItem, BOOL bLabelOnly = FALSE, BOOL bErase = FALSE,
                    BOOL bToBottom = FALSE, BOOL bUpdate = FALSE) override;
    void RedrawItems(int nFirst, int nLast) override;
    void InvalidateList(BOOL bErase = TRUE) override;
    void HideTip() override;
    void KillEditTimer() override;
    BOOL BeginLabelEdit(int nItem, int nColumn) override;
    void SetScrollBarPos(int nBar, int nPos) override;
    void ShowScrollBar(int nWhich, BOOL bShow, SCROLLINFO* pInfo) override;
    void LayoutScrollBars() override;
    void StartTypeAheadTimer() override;
    void KillTypeAheadTimer() override;
    void Beep() override;
    int GetVScrollWidth() override;
    int GetHScrollHeight() override;
    COLORREF GetSharedColor(int nWhich) override;

    // ---- OZWListClient (window part) ----------------------------------------
    BOOL EndLabelEdit(BOOL bCommit) override;
    void ClientToScreenRect(RECT* pRect) override;
    BOOL CaptureMouse(BOOL bOn) override;
    CFont* GetItemFont() override;
    UINT GetClientItemState(int, UINT) override { return 0; }

    // ---- Measuring ------------------------------------------------------------
    // A DC to measure on; *pbOwned tells the caller to delete it.
    virtual CDC* GetMeasureDC(BOOL* pbOwned);
    virtual void MeasureItem(OZWListPaintContext* pCtx);
    virtual void MeasureCell(OZWListPaintContext* pCtx, int* pnHeight);
    virtual void MeasureIcon(OZWListPaintContext* pCtx, CRect& rc);
    virtual void MeasureText(OZWListPaintContext* pCtx, CRect& rc);
    CImageList* GetViewImageList();

    // ---- Painting -------------------------------------------------------------
    virtual void DoPaint(CDC* pDC);
    virtual void PrepareCell(OZWListPaintContext* pCtx);
    virtual OZWListPaintContext* NewPaintContext(CDC* pDC);
    // An off-screen DC over rc (TRUE), or the DC itself while dragging (FALSE).
    virtual BOOL CreateMemDC(CDC* pDC, CDC*& pMemDC, const CRect& rc);
    virtual void DrawHeader(OZWListPaintContext* pCtx);
    virtual void DrawHeaderItem(int nColumn, BOOL bPressed);
    virtual void DrawHeaderImage(CDC* pDC, int nColumn, CRect& rc, UINT& nFormat);
    virtual CImageList* CreateColumnDragImage(int nColumn);
    virtual void DrawInsertMark(int x, int y, int nColumn);
    virtual void EraseInsertMark(int nTarget);
    virtual void DrawBackgroundHook(CDC* pDC, OZWListPaintContext* pCtx);
    virtual void DrawItems(OZWListPaintContext* pCtx);
    virtual void DrawRow(OZWListPaintContext* pCtx);
    virtual void DrawSubItem(OZWListPaintContext* pCtx);
    virtual void DrawSubItemImage(OZWListPaintContext* pCtx);
    virtual void DrawSubItemText(OZWListPaintContext* pCtx);
    virtual void DrawHorzGridLine(CDC* pDC, int nItem, const CRect& rcRow);
    virtual void DrawVertGridLines(CDC* pDC, int nItem, const CRect& rcRow);
    virtual void SetCellFont(OZWListPaintContext* pCtx);
    virtual CPen* GetHorzGridPen();
    virtual CPen* GetVertGridPen();

    // ---- Mouse ---------------------------------------------------------------
    // The modal divider drag; the change of the column's right edge.
    virtual int TrackColumnDivider(int x, int y, int nColumn);
    virtual void SetAutoScrollTimer(UINT nInterval);
    virtual void KillAutoScrollTimer();
    virtual void OnBeginDrag(int nFocus, int x, int y);
    virtual void OnBeginRightDrag(int nFocus, int x, int y);

    // ---- Message handlers ------------------------------------------------------
    using OZWListModel::OnKeyDown;
    using OZWListModel::OnKeyUp;
    using OZWListModel::ShowScrollBar;
    using OZWListModel::GetItemText;
    afx_msg void OnPaint();
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSysColorChange();
    afx_msg void OnEditKillFocus();
    afx_msg void OnEditUpdate();

protected:
    // The base window's creation step (CWnd: default processing; CView:
    // attaching the view to its document).
    int BaseCreate(LPCREATESTRUCT lpcs);
    void BaseDestroy();
    // Reads the per-form shared values once.
    static void ReadSharedValues(BOOL bForce);
    // The band of a row in client coordinates (empty when not visible).
    BOOL GetRowBand(int nItem, CRect& rc);
    // Repaints the column after a divider drag or a column move.
    void EndHeaderPress();
    void AutoScrollTick();
    // Kills a timer of the window and clears its id.
    void StopTimer(UINT_PTR& nTimer, UINT nID);
    // Repaints what shows the focus when the window gets or loses it.
    void RedrawForFocusChange();
    // The thumb position of a scroll command.
    int TrackPosition(CScrollBar* pBar, UINT nPos);
    void LabelEditTick();
    HTHEME OpenHeaderTheme(HWND hWnd);

public:
    HCURSOR m_hDividerCursor = nullptr;
    CFont* m_pItemFont = nullptr;
    CFont* m_pHeaderFont = nullptr;
    CImageList* m_pImageLists[4] = {};
    BOOL m_bOwnsImageLists[4] = {};
    CImageList* m_pHeaderDragImage = nullptr;
    OZWListTip* m_pTip = nullptr;
    OZWListEdit* m_pEdit = nullptr;
    CWnd* m_pNotifyWnd = nullptr;
    CScrollBar* m_pScrollBars[2] = {};
    int m_nEditColumn = 0;
    int m_nInsertMarkTarget = -1;
    BOOL m_bEditLosingFocus = FALSE;
    CDC* m_pPassMeasureDC = nullptr; // the measuring DC of the paint pass running

    // Values shared by the lists of one form.
    struct Shared
    {
        BOOL bRead = FALSE;
        COLORREF crDisabledBk = 0;
        COLORREF crNoFocusSelText = 0;
        COLORREF crCorner = 0;
        int cxVScroll = 0;
        int cyHScroll = 0;
        CPen* pHorzGridPen = nullptr;
        CPen* pVertGridPen = nullptr;
        CBrush* pHeaderBrush = nullptr;
    };
    static Shared s_shared;
};

// The engine's entries of a concrete class's message map.
#define OZW_LIST_ENGINE_MESSAGES() \
    ON_WM_PAINT() \
    ON_WM_CREATE() \
    ON_WM_ERASEBKGND() \
    ON_WM_SETCURSOR() \
    ON_WM_MOUSEMOVE() \
    ON_WM_CANCELMODE() \
    ON_WM_LBUTTONDOWN() \
    ON_WM_LBUTTONUP() \
    ON_WM_LBUTTONDBLCLK() \
    ON_WM_DESTROY() \
    ON_WM_SIZE() \
    ON_WM_HSCROLL() \
    ON_WM_VSCROLL() \
    ON_WM_TIMER() \
    ON_WM_KEYDOWN() \
    ON_WM_CHAR() \
    ON_WM_SYSKEYDOWN() \
    ON_WM_ENABLE() \
    ON_WM_GETDLGCODE() \
    ON_WM_RBUTTONDOWN() \
    ON_WM_RBUTTONUP() \
    ON_WM_SETFOCUS() \
    ON_WM_KILLFOCUS() \
    ON_WM_MOUSEWHEEL() \
    ON_WM_SYSCOLORCHANGE() \
    ON_EN_KILLFOCUS(OZWLIST_EDIT_ID, OnEditKillFocus) \
    ON_EN_UPDATE(OZWLIST_EDIT_ID, OnEditUpdate)

typedef OZWListEngine<CWnd> OZWListBaseC;
typedef OZWListEngine<CView> OZWListBaseV;

extern template class OZWListEngine<CWnd>;
extern template class OZWListEngine<CView>;
