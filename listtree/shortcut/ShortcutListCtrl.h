// OZWShortcutListCtrl: a vertical bar of large (or small) icons with their
// labels. Items light up under the mouse and look pressed while clicked;
// the list scrolls with two arrow buttons drawn inside it; items are
// reordered by dragging them between items with OLE drag and drop, within
// this process only (the payload carries the process's drag GUID); a
// context menu switches between large and small icons.
#pragma once

#include "listtree/list/ctrl/ListCtrl.h"
#include "platform/framework/window/OleDragDrop.h"

// Notifications of the shortcut list besides NM_CLICK.
enum : UINT
{
    OZWSLN_DROPPED = 1100, // an item was dropped into the list (plain NMHDR)
    OZWSLN_ITEMCLICK = 1101, // an item's icon or label was clicked (OZWSLNOTIFY)
};

// The record of OZWSLN_ITEMCLICK.
struct OZWSLNOTIFY
{
    NMHDR hdr;
    int iItem; // -1 without an item
};

// Item states of the shortcut list.
enum : UINT
{
    OZWSLIS_HOT = 0x400,
    OZWSLIS_PRESSED = 0x800,
    OZWSLIS_HOTMASK = 0xC00,
};

// Hit-test results of the scroll buttons.
enum : int
{
    OZWSLHT_UPBUTTON = -10,
    OZWSLHT_DOWNBUTTON = -11,
};

class OZWShortcutListCtrl : public OZWListCtrl
{
    DECLARE_DYNCREATE(OZWShortcutListCtrl)
public:
    OZWShortcutListCtrl();
    ~OZWShortcutListCtrl() override;

    // An arrow button drawn inside the list.
    class ScrollButton
    {
    public:
        explicit ScrollButton(int nDirection) : m_nDirection(nDirection) {}
        virtual ~ScrollButton() = default;
        virtual void Draw(CDC* pDC);
        BOOL IsPressed() const { return (m_nFlags & 1) != 0; }
        CRect m_rect;
        UINT m_nFlags = 0;    // 1: pressed
        int m_nDirection = 0; // 1 up, 0 down
    };

    // The list as a drop target.
    class ListDropTarget : public COleDropTarget
    {
    public:
        DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        void OnDragLeave(CWnd* pWnd) override;
        BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
        void EraseMark();
        OZWShortcutListCtrl* m_pOwner = nullptr;
        CRect m_rcLastMark;
        GUID m_guid = {};
    };

    // The clipboard format of a dragged item and the process's drag GUID.
    static CLIPFORMAT GetClipboardFormat();
    static const GUID& GetProcessGuid();
    // Bytes of the payload: the GUID, then the item description.
    enum { PayloadSize = sizeof(GUID) + sizeof(LVITEMA) };

    // ---- Operations ---------------------------------------------------------
    using OZWListCtrl::RedrawItem;
    virtual void RedrawItem(int nItem, BOOL bIgnored, BOOL bA, BOOL bB);
    virtual void DrawInsertMark(CDC* pDC, const CRect& rc, int nPosition);
    virtual void DrawScrollButtons(OZWListPaintContext* pCtx, int nScrollPos);
    virtual BOOL PrepareDragData(COleDataSource* pSource, LVITEMA* pItem);
    virtual void OnContextMenuPrepare(CMenu* pMenu);
    virtual ListDropTarget* NewDropTarget();
    virtual ScrollButton* NewUpButton();
    virtual ScrollButton* NewDownButton();
    virtual void ScrollDown();
    virtual void ScrollUp();
    // Triangles of the insert mark (three points each, heap, freed by the caller).
    virtual POINT* GetLeftArrow(const CRect& rc, int nPosition);
    virtual POINT* GetRightArrow(const CRect& rc, int nPosition);
    virtual UINT GetHotState(int nItem);
    virtual void SetHotState(int nItem, UINT nBits);
    virtual LRESULT NotifyItem(UINT nCode, const LVITEMA* pItem);

    // Where the buttons are; whether each shows.
    ScrollButton* GetUpButton() const { return m_pUpButton; }
    ScrollButton* GetDownButton() const { return m_pDownButton; }
    BOOL IsUpButtonShown();
    BOOL IsDownButtonShown();
    // The gap under a point while dragging: the insert position (-1 before
    // the first item or in an empty list, -2 after the last, else the index
    // of the item below) and the band of the gap; FALSE over an item.
    BOOL GetGapAt(CPoint point, int* pnPosition, CRect* pBand, int* pnItemAbove);
    // Drops a payload at a point of the list: TRUE when it went in.
    BOOL DropPayload(HGLOBAL hPayload, CPoint point);
    ListDropTarget* GetDropTarget() const { return m_pDropTarget; }
    int GetHotItem() const { return m_nHotItem; }

    // ---- The list engine's operations it overrides ------------------------------
    int GetRowSpacing() override { return 12; }
    BOOL SetTextColor(COLORREF cr) override;
    void RemeasureAll() override;
    BOOL DeleteItems(int nIndex, int nCount) override;
    BOOL DeleteAllItems() override;
    void LayoutScrollBars() override;
    int HitTest(int x, int y, UINT* pFlags, int* pnColumn) override;
    void DrawItems(OZWListPaintContext* pCtx) override;
    void DrawSubItemImage(OZWListPaintContext* pCtx) override;
    void DrawSubItemText(OZWListPaintContext* pCtx) override;
    // Large icons: the label under the icon, centred, as wide as the bar.
    void MeasureText(OZWListPaintContext* pCtx, CRect& rc) override;

    int m_nHotItem = -1;
    UINT_PTR m_nHoverTimer = 0;
    int m_nLastWheelDelta = 0;
    ListDropTarget* m_pDropTarget = nullptr;
    ScrollButton* m_pUpButton = nullptr;
    ScrollButton* m_pDownButton = nullptr;
    CPoint m_ptDown{ -1, -1 };
    BOOL m_bThemedColors = FALSE;

    enum { HoverTimerId = 0xF0F0, HoverInterval = 250 };

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnLargeIcons();
    afx_msg void OnSmallIcons();

    void ApplyColors();
    void RestartHoverTimer();
    // The icon and label rectangles of a row in client coordinates.
    void GetItemParts(int nItem, const CRect& rcBand, CRect& rcIcon, CRect& rcLabel);
    // Starts the OLE drag of an item; the item goes from this list when it
    // was moved (found by its record, wherever it is by then).
    void StartDrag(int nItem);

    DECLARE_MESSAGE_MAP()
};
