// The tree control: construction, the owner's notifications, and the list
// engine's operations it answers in the tree's terms.
#include "listtree/tree/view/TreeBaseV.h"

#include "platform/theme/ThemeLib.h"

#include <algorithm>
#include <cstring>
#include <memory>

UINT OZWTreeEndLabelEditMessage()
{
    static const UINT nMessage = ::RegisterWindowMessageA("OZWTreeCtrlNotifyEndLabelEditRegMsg");
    return nMessage;
}

BEGIN_MESSAGE_MAP(OZWTreeBaseV, OZWListView)
    ON_WM_CREATE()
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChangedMessage)
END_MESSAGE_MAP()

OZWTreeBaseV::OZWTreeBaseV() : OZWTreeCore(this) {}

OZWTreeBaseV::~OZWTreeBaseV()
{
    if (m_hTheme != nullptr)
        UXCloseThemeData(m_hTheme);
}

BOOL OZWTreeBaseV::PreCreateWindow(CREATESTRUCT& cs)
{
    // The tree's own bits come out first; the list takes what remains.
    const DWORD dwTree = (DWORD)cs.style & 0x43F;
    const DWORD dwTreeEx = cs.dwExStyle & 0x3F00000;
    cs.style &= ~(LONG)0x43F;
    cs.dwExStyle &= ~(DWORD)0x3F00000;
    if (dwTree != 0)
        ModifyStyle(0, dwTree, FALSE);
    if (dwTreeEx != 0)
        ModifyStyleEx(0, dwTreeEx, FALSE);
    return OZWListView::PreCreateWindow(cs);
}

int OZWTreeBaseV::OnCreate(LPCREATESTRUCT lpcs)
{
    if (OZWListView::OnCreate(lpcs) == -1)
        return -1;
    if (GetColumnCount() == 0)
        OZWListModel::InsertColumn(0, "", LVCFMT_LEFT, -1, -1, -1, FALSE);
    return 0;
}

BOOL OZWTreeBaseV::AttachToDlgItem(UINT nID, CWnd* pParent)
{
    HWND hParent = pParent != nullptr ? pParent->m_hWnd : nullptr;
    HWND hItem = hParent != nullptr ? ::GetDlgItem(hParent, (int)nID) : nullptr;
    if (hItem == nullptr)
        return FALSE;
    const DWORD dwStyle = (DWORD)::GetWindowLongPtr(hItem, GWL_STYLE);
    DWORD dwExStyle = (DWORD)::GetWindowLongPtr(hItem, GWL_EXSTYLE);
    // Tips for cut-off labels unless the control had them switched off.
    if (!(dwStyle & TVS_NOTOOLTIPS))
        dwExStyle |= 0x800000;
    CRect rc;
    ::GetWindowRect(hItem, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    HWND hBefore = ::GetWindow(hItem, GW_HWNDPREV);
    ::DestroyWindow(hItem);
    if (!CWnd::CreateEx(dwExStyle, nullptr, nullptr, dwStyle, rc, pParent, nID, nullptr))
        return FALSE;
    ::SetWindowPos(m_hWnd, hBefore != nullptr ? hBefore : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Notifications to the owner

TVITEMA OZWTreeBaseV::ItemOf(const OZWTreeItemNode* pNode) const
{
    TVITEMA item = {};
    if (pNode != nullptr) {
        item = pNode->m_item;
        item.hItem = HandleOf(pNode);
    }
    return item;
}

void OZWTreeBaseV::FillTreeView(NMTREEVIEWA& nm, int nCode)
{
    std::memset(&nm, 0, sizeof nm);
    FillHeader(nm.hdr, nCode);
}

LRESULT OZWTreeBaseV::SendSelectionNotify(int nCode, int nNewRow, int nOldRow, UINT nAction)
{
    NMTREEVIEWA nm;
    FillTreeView(nm, nCode);
    nm.action = nAction;
    if (nOldRow >= 0)
        nm.itemOld = ItemOf(NodeOfRow(nOldRow));
    if (nNewRow >= 0)
        nm.itemNew = ItemOf(NodeOfRow(nNewRow));
    return SendNotify(&nm.hdr);
}

LRESULT OZWTreeBaseV::NotifySelChanging(int nNewRow, int nOldRow, UINT nAction)
{
    return SendSelectionNotify(TVN_SELCHANGINGA, nNewRow, nOldRow, nAction);
}

void OZWTreeBaseV::NotifySelChanged(int nNewRow, int nOldRow, UINT nAction)
{
    SendSelectionNotify(TVN_SELCHANGEDA, nNewRow, nOldRow, nAction);
}

LRESULT OZWTreeBaseV::NotifyItemExpanding(OZWTreeItemNode* pNode, UINT nCode)
{
    NMTREEVIEWA nm;
    FillTreeView(nm, TVN_ITEMEXPANDINGA);
    nm.action = nCode;
    nm.itemNew = ItemOf(pNode);
    return SendNotify(&nm.hdr);
}

void OZWTreeBaseV::NotifyItemExpanded(OZWTreeItemNode* pNode, UINT nCode)
{
    NMTREEVIEWA nm;
    FillTreeView(nm, TVN_ITEMEXPANDEDA);
    nm.action = nCode;
    nm.itemNew = ItemOf(pNode);
    nm.itemNew.state = pNode->IsExpanded() ? TVIS_EXPANDED : 0;
    SendNotify(&nm.hdr);
}

void OZWTreeBaseV::NotifyTreeDeleteItem(OZWTreeItemNode* pNode)
{
    NMTREEVIEWA nm;
    FillTreeView(nm, TVN_DELETEITEMA);
    nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemOld.hItem = HandleOf(pNode);
    nm.itemOld.lParam = pNode->m_item.lParam;
    SendNotify(&nm.hdr);
}

LRESULT OZWTreeBaseV::NotifyTreeGetDispInfo(TVITEMA* pItem)
{
    NMTVDISPINFOA info = {};
    FillHeader(info.hdr, TVN_GETDISPINFOA);
    info.item = *pItem;
    const LRESULT lResult = SendNotify(&info.hdr);
    *pItem = info.item;
    return lResult;
}

void OZWTreeBaseV::NotifyTreeSetDispInfo(TVITEMA* pItem)
{
    NMTVDISPINFOA info = {};
    FillHeader(info.hdr, TVN_SETDISPINFOA);
    info.item = *pItem;
    SendNotify(&info.hdr);
}

void OZWTreeBaseV::NotifyKeyDown(UINT nKey)
{
    NMTVKEYDOWN info = {};
    FillHeader(info.hdr, TVN_KEYDOWN);
    info.wVKey = (WORD)nKey;
    info.flags = 0;
    SendNotify(&info.hdr);
}

void OZWTreeBaseV::SendDragNotify(int nCode, int nFocus, int x, int y)
{
    if (m_dwTreeStyle & TVS_DISABLEDRAGDROP)
        return;
    NMTREEVIEWA nm;
    FillTreeView(nm, nCode);
    nm.itemNew = ItemOf(NodeOfRow(nFocus));
    nm.ptDrag.x = x;
    nm.ptDrag.y = y;
    SendNotify(&nm.hdr);
    // The drag is the owner's from here on.
    m_bItemDrag = FALSE;
}

void OZWTreeBaseV::OnBeginDrag(int nFocus, int x, int y)
{
    SendDragNotify(TVN_BEGINDRAGA, nFocus, x, y);
}

void OZWTreeBaseV::OnBeginRightDrag(int nFocus, int x, int y)
{
    SendDragNotify(TVN_BEGINRDRAGA, nFocus, x, y);
}

LRESULT OZWTreeBaseV::NotifyBeginLabelEdit(int nItem, int nSubItem)
{
    if (nSubItem != 0)
        return OZWListView::NotifyBeginLabelEdit(nItem, nSubItem);
    NMTVDISPINFOA info = {};
    FillHeader(info.hdr, TVN_BEGINLABELEDITA);
    info.item = ItemOf(NodeOfRow(nItem));
    info.item.mask |= TVIF_TEXT | TVIF_HANDLE;
    // Any non-zero answer refuses.
    return SendNotify(&info.hdr) != 0 ? 1 : 0;
}

BOOL OZWTreeBaseV::NotifyEndLabelEdit(int nItem, int nSubItem, CString& rText, BOOL bCommit)
{
    if (nSubItem != 0)
        return OZWListView::NotifyEndLabelEdit(nItem, nSubItem, rText, bCommit);
    OZWTreeItemNode* pNode = NodeOfRow(nItem);
    std::unique_ptr<char[]> buffer;
    NMTVDISPINFOA info = {};
    FillHeader(info.hdr, TVN_ENDLABELEDITA);
    info.item = ItemOf(pNode);
    info.item.mask |= TVIF_TEXT | TVIF_HANDLE;
    info.item.pszText = nullptr;
    info.item.cchTextMax = 0;
    if (bCommit) {
        buffer.reset(new char[OZWLIST_TEXTBUFFER]);
        ozwlist::CopyText(buffer.get(), OZWLIST_TEXTBUFFER, rText);
        info.item.pszText = buffer.get();
        info.item.cchTextMax = OZWLIST_TEXTBUFFER;
    }
    const BOOL bAccepted = bCommit && SendNotify(&info.hdr) != 0;
    if (!bCommit)
        SendNotify(&info.hdr);
    if (bAccepted && ozwlist::IsOwned(info.item.pszText)) {
        if (info.item.pszText == buffer.get())
            buffer[OZWLIST_TEXTBUFFER - 1] = '\0';
        rText = info.item.pszText;
    }
    // The notification window hears of the end of every label edit.
    HWND hTarget = m_pNotifyWnd != nullptr ? m_pNotifyWnd->m_hWnd : (m_hWnd ? ::GetParent(m_hWnd) : nullptr);
    if (hTarget != nullptr && pNode != nullptr)
        ::SendMessage(hTarget, OZWTreeEndLabelEditMessage(), (WPARAM)GetCtrlId(), (LPARAM)HandleOf(pNode));
    return bAccepted;
}

int OZWTreeBaseV::OnSelectionChanging(int nItem, int nOldFocus, BOOL bFromMouse)
{
    return (int)NotifySelChanging(nItem, nOldFocus, bFromMouse ? TVC_BYMOUSE : TVC_BYKEYBOARD);
}

void OZWTreeBaseV::OnSelectionChanged(int nItem, int nOldFocus, BOOL bFromMouse)
{
    NotifySelChanged(nItem, nOldFocus, bFromMouse ? TVC_BYMOUSE : TVC_BYKEYBOARD);
}

/////////////////////////////////////////////////////////////////////////////
// Rows seen by the list engine

LRESULT OZWTreeBaseV::NotifyGetDispInfo(LVITEMA* pInfo)
{
    if (FillRowText(pInfo))
        return 0;
    return OZWListView::NotifyGetDispInfo(pInfo);
}

void OZWTreeBaseV::OnSetDispInfo(LVITEMA* pInfo)
{
    if (!StoreRowText(pInfo))
        OZWListView::OnSetDispInfo(pInfo);
}

void OZWTreeBaseV::NotifyDeleteItem(int)
{
    // Rows come and go with expanding; the owner hears of items (TVN_DELETEITEM).
}

UINT OZWTreeBaseV::GetClientItemState(int nItem, UINT nMask)
{
    OZWTreeItemNode* pNode = NodeOfRow(nItem);
    return pNode != nullptr ? pNode->m_item.state & nMask : 0;
}

BOOL OZWTreeBaseV::RowHasCallbacks(int nItem)
{
    OZWTreeItemNode* pNode = NodeOfRow(nItem);
    if (pNode != nullptr) {
        const TVITEMA& item = pNode->m_item;
        if (ozwlist::IsCallback(item.pszText) || item.cChildren == I_CHILDRENCALLBACK || item.iImage == -1 ||
            item.iSelectedImage == -1)
            return TRUE;
    }
    // The label's marker is the tree's own: only the other cells count here.
    OZWListItem* pRow = GetItemRecord(nItem);
    if (pRow == nullptr)
        return FALSE;
    if (m_dwCallbackMask != 0 || m_dwStateHook != 0)
        return TRUE;
    if (m_pStore == nullptr)
        for (OZWListSubItem* pCell : pRow->m_cells)
            if (ozwlist::IsCallback(pCell->m_pszText))
                return TRUE;
    return FALSE;
}

int OZWTreeBaseV::InsertColumnRecord(int nIndex, OZWListColumn* pColumn, BOOL bRedraw)
{
    // Column 0 is the tree's.
    if (nIndex == 0 && GetColumnCount() > 0)
        nIndex = 1;
    return OZWListView::InsertColumnRecord(nIndex, pColumn, bRedraw);
}

void OZWTreeBaseV::OnColumnInserted(int nIndex)
{
    ColumnInserted(nIndex);
}

void OZWTreeBaseV::OnColumnDeleted(int nSubItem)
{
    ColumnDeleted(nSubItem);
}

/////////////////////////////////////////////////////////////////////////////
// The list's style switches keep the tree's bits in step

void OZWTreeBaseV::SetLabelWrap(BOOL bOn)
{
    OZWListView::SetLabelWrap(bOn);
    SyncStylesFromList();
}

void OZWTreeBaseV::SetHeader(BOOL bShow, BOOL bPushButtons)
{
    OZWListView::SetHeader(bShow, bPushButtons);
    SyncStylesFromList();
}

void OZWTreeBaseV::SetMultiSelect(BOOL bOn)
{
    OZWListView::SetMultiSelect(bOn);
    SyncStylesFromList();
}

void OZWTreeBaseV::SetHoverTips(BOOL bOn)
{
    OZWListView::SetHoverTips(bOn);
    SyncStylesFromList();
}

CImageList* OZWTreeBaseV::SetImageList(CImageList* pList, int nWhich)
{
    CImageList* pPrevious = OZWListView::SetImageList(pList, nWhich);
    // The indent is at least as wide as the images.
    IMAGEINFO info = {};
    if (nWhich == LVSIL_NORMAL && pList != nullptr && pList->m_hImageList != nullptr &&
        pList->GetImageInfo(0, &info)) {
        const int nWidth = info.rcImage.right - info.rcImage.left;
        if (nWidth > m_nIndent)
            SetIndent(nWidth);
    }
    return pPrevious;
}

LRESULT OZWTreeBaseV::OnThemeChanged(WPARAM, LPARAM)
{
    if (m_hTheme != nullptr) {
        UXCloseThemeData(m_hTheme);
        m_hTheme = nullptr;
    }
    return 0;
}

LRESULT OZWTreeBaseV::OnThemeChangedMessage(WPARAM wParam, LPARAM lParam)
{
    return OnThemeChanged(wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// OZWTreeView

IMPLEMENT_DYNCREATE(OZWTreeView, OZWListView)

BEGIN_MESSAGE_MAP(OZWTreeView, OZWTreeBaseV)
    ON_WM_DESTROY()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_CHAR()
END_MESSAGE_MAP()
