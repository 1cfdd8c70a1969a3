// The list model's reports to its parent: WM_NOTIFY structures of the
// platform list view, built here and handed to SendNotify.
#include "listtree/list/model/ListModel.h"

#include <memory>

void OZWListModel::FillHeader(NMHDR& hdr, int nCode)
{
    hdr.hwndFrom = GetHwnd();
    hdr.idFrom = GetCtrlId();
    hdr.code = (UINT)nCode;
}

LRESULT OZWListModel::NotifyCode(int nCode)
{
    NMHDR hdr = {};
    FillHeader(hdr, nCode);
    m_lLastNotifyResult = SendNotify(&hdr);
    return m_lLastNotifyResult;
}

LRESULT OZWListModel::NotifyBeginLabelEdit(int nItem, int nSubItem)
{
    NMLVDISPINFOA info = {};
    FillHeader(info.hdr, LVN_BEGINLABELEDITA);
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    info.item.iSubItem = nSubItem;
    info.item.lParam = GetItemData(nItem);
    return SendNotify(&info.hdr);
}

BOOL OZWListModel::NotifyEndLabelEdit(int nItem, int nSubItem, CString& rText, BOOL bCommit)
{
    // The parent gets its own copy of the text, which it may change or
    // replace; the copy is freed whatever the answer.
    std::unique_ptr<char[]> buffer(new char[OZWLIST_TEXTBUFFER]);
    ozwlist::CopyText(buffer.get(), OZWLIST_TEXTBUFFER, rText);
    NMLVDISPINFOA info = {};
    FillHeader(info.hdr, LVN_ENDLABELEDITA);
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    info.item.iSubItem = nSubItem;
    info.item.lParam = GetItemData(nItem);
    if (bCommit) {
        info.item.pszText = buffer.get();
        info.item.cchTextMax = OZWLIST_TEXTBUFFER;
    }
    const LRESULT lResult = SendNotify(&info.hdr);
    const BOOL bAccepted = bCommit && lResult != 0;
    if (bAccepted && ozwlist::IsOwned(info.item.pszText)) {
        if (info.item.pszText == buffer.get())
            buffer[OZWLIST_TEXTBUFFER - 1] = '\0';
        rText = info.item.pszText;
    }
    return bAccepted;
}

void OZWListModel::NotifyDeleteItem(int nItem)
{
    NMLISTVIEW info = {};
    FillHeader(info.hdr, LVN_DELETEITEM);
    info.iItem = nItem;
    info.lParam = GetItemData(nItem);
    SendNotify(&info.hdr);
}

void OZWListModel::NotifyInsertItem(int nItem)
{
    NMLISTVIEW info = {};
    FillHeader(info.hdr, LVN_INSERTITEM);
    info.iItem = nItem;
    SendNotify(&info.hdr);
}

LRESULT OZWListModel::NotifyGetDispInfo(LVITEMA* pInfo)
{
    NMLVDISPINFOA info = {};
    FillHeader(info.hdr, LVN_GETDISPINFOA);
    info.item = *pInfo;
    const LRESULT lResult = SendNotify(&info.hdr);
    *pInfo = info.item;
    return lResult;
}

void OZWListModel::NotifyKeyDown(UINT nKey)
{
    NMLVKEYDOWN info = {};
    FillHeader(info.hdr, LVN_KEYDOWN);
    info.wVKey = (WORD)nKey;
    info.flags = 0;
    SendNotify(&info.hdr);
}

void OZWListModel::NotifyColumnClick(int nColumn)
{
    NMLISTVIEW info = {};
    FillHeader(info.hdr, LVN_COLUMNCLICK);
    info.iItem = -1;
    info.iSubItem = nColumn;
    SendNotify(&info.hdr);
}
