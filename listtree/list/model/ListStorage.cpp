// The list model's items, cells and columns: creating, changing, reading and
// deleting them while the focus, drop-highlight and selection indices stay
// consistent, and routing the fields the parent owns (callback markers)
// through the parent.
#include "listtree/list/model/ListModel.h"

#include <algorithm>
#include <cstring>

/////////////////////////////////////////////////////////////////////////////
// Columns

OZWListColumn* OZWListModel::GetColumnAt(int nIndex)
{
    return IsValidColumn(nIndex) ? m_columns[(size_t)nIndex] : nullptr;
}

int OZWListModel::GetMainColumn()
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->m_nSubItem == 0)
            return (int)i;
    return -1;
}

int OZWListModel::GetColumnSubItem(int nColumn)
{
    OZWListColumn* pColumn = GetColumnAt(nColumn);
    return pColumn ? pColumn->m_nSubItem : -1;
}

BOOL OZWListModel::DeleteColumn(LPCSTR lpszTitle)
{
    const int nIndex = FindColumnIndex(lpszTitle);
    return nIndex >= 0 && DeleteColumn(nIndex);
}

BOOL OZWListModel::DeleteColumn(int nIndex)
{
    if (nIndex == 0 && m_columns.size() > 1)
        return FALSE;
    EndLabelEdit(TRUE);
    HideTip();
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    if (pColumn == nullptr)
        return FALSE;
    const int nSubItem = pColumn->m_nSubItem;
    if (nSubItem >= 1) {
        for (OZWListItem* pItem : m_items) {
            if (nSubItem <= (int)pItem->m_cells.size()) {
                delete pItem->m_cells[(size_t)nSubItem - 1];
                pItem->m_cells.erase(pItem->m_cells.begin() + (nSubItem - 1));
            }
        }
    }
    if (!(m_dwListStyleEx & OZWLS_EX_KEEPDELWIDTH)) {
        for (OZWListColumn* pOther : m_columns) {
            if (pOther != pColumn && pOther->m_nSubItem == 0) {
                pOther->m_nWidth += pColumn->m_nWidth;
                break;
            }
        }
    }
    m_columns.erase(m_columns.begin() + nIndex);
    delete pColumn;
    if (nSubItem >= 1) {
        // The cells behind the deleted one moved down: their columns follow.
        --m_nSubItemCount;
        for (OZWListColumn* pOther : m_columns)
            if (pOther->m_nSubItem > nSubItem)
                --pOther->m_nSubItem;
        OnColumnDeleted(nSubItem);
    }
    if (m_nCurColumn >= (int)m_columns.size())
        m_nCurColumn = 0;
    if (m_columns.empty())
        DeleteAllItems();
    MarkAllForMeasure();
    RecalcLayout();
    InvalidateList();
    return TRUE;
}

BOOL OZWListModel::DeleteAllColumns()
{
    DeleteAllItems();
    for (OZWListColumn* pColumn : m_columns)
        delete pColumn;
    m_columns.clear();
    m_nSubItemCount = 0;
    m_nCurColumn = 0;
    RecalcLayout();
    return TRUE;
}

int OZWListModel::AddColumn(const LVCOLUMNA* pInfo)
{
    return InsertColumn(GetColumnCount(), pInfo, TRUE);
}

int OZWListModel::AddColumn(LPCSTR lpszTitle, int nFormat, int nWidth, int nSubItem, int nImage)
{
    return InsertColumn(GetColumnCount(), lpszTitle, nFormat, nWidth, nSubItem, nImage, TRUE);
}

int OZWListModel::AddColumnRecord(OZWListColumn* pColumn)
{
    return InsertColumnRecord(GetColumnCount(), pColumn, TRUE);
}

int OZWListModel::InsertColumn(int nIndex, const LVCOLUMNA* pInfo, BOOL bRedraw)
{
    if (pInfo == nullptr)
        return -1;
    CString strTitle;
    int nFormat = LVCFMT_LEFT, nWidth = -1, nImage = -1;
    if ((pInfo->mask & LVCF_TEXT) && ozwlist::IsOwned(pInfo->pszText))
        strTitle = pInfo->pszText;
    if (pInfo->mask & LVCF_FMT)
        nFormat = pInfo->fmt;
    if (pInfo->mask & LVCF_WIDTH)
        nWidth = pInfo->cx;
    if (pInfo->mask & LVCF_IMAGE)
        nImage = pInfo->iImage;
    return InsertColumn(nIndex, strTitle, nFormat, nWidth, -1, nImage, bRedraw);
}

int OZWListModel::InsertColumn(int nIndex, LPCSTR lpszTitle, int nFormat, int nWidth, int,
                               int nImage, BOOL bRedraw)
{
    auto* pColumn = new OZWListColumn;
    pColumn->m_strTitle = lpszTitle != nullptr ? lpszTitle : "";
    pColumn->m_nFormat = nFormat;
    pColumn->m_nWidth = nWidth;
    pColumn->m_nImage = nImage;
    pColumn->m_nSubItem = -1; // a new column gets its own cell
    return InsertColumnRecord(nIndex, pColumn, bRedraw);
}

int OZWListModel::InsertColumnRecord(int nIndex, OZWListColumn* pColumn, BOOL bRedraw)
{
    if (pColumn == nullptr)
        return -1;
    nIndex = std::clamp(nIndex, 0, GetColumnCount());
    EndLabelEdit(TRUE);
    HideTip();
    if (nIndex == 0) {
        pColumn->m_nFormat = LVCFMT_LEFT;
        pColumn->m_nSubItem = 0;
    }
    if (pColumn->m_nWidth < 0)
        pColumn->m_nWidth = 10;
    if (pColumn->m_nSubItem < 0 || pColumn->m_nSubItem > m_nSubItemCount) {
        // The new column shows a new cell, placed among the cells at the
        // column's position. Exactly one cell is added to every item, and
        // the columns showing the cells behind it are renumbered, so every
        // existing column keeps showing its own texts.
        const int nSubItem = std::clamp(nIndex, 1, m_nSubItemCount + 1);
        for (OZWListItem* pItem : m_items) {
            if ((int)pItem->m_cells.size() < nSubItem - 1)
                AddSubItems(pItem, nSubItem - 1);
            pItem->m_cells.insert(pItem->m_cells.begin() + (nSubItem - 1), new OZWListSubItem);
        }
        for (OZWListColumn* pOther : m_columns)
            if (pOther->m_nSubItem >= nSubItem)
                ++pOther->m_nSubItem;
        pColumn->m_nSubItem = nSubItem;
        ++m_nSubItemCount;
    }
    m_columns.insert(m_columns.begin() + nIndex, pColumn);
    OnColumnInserted(nIndex);
    if (bRedraw && m_bAutoUpdate) {
        if (m_dwListStyleEx & OZWLS_EX_LASTCOLFILLS)
            FitLastColumn();
        RecalcLayout();
        InvalidateList();
    }
    return nIndex;
}

BOOL OZWListModel::MoveColumn(int nFrom, int nTo, BOOL bRedraw)
{
    const int nCount = GetColumnCount();
    if (nFrom <= 0 || nTo <= 0 || nFrom >= nCount)
        return FALSE;
    EndLabelEdit(TRUE);
    HideTip();
    OZWListColumn* pColumn = m_columns[(size_t)nFrom];
    m_columns.erase(m_columns.begin() + nFrom);
    nTo = std::min(nTo, (int)m_columns.size());
    m_columns.insert(m_columns.begin() + nTo, pColumn);
    if (bRedraw) {
        RecalcLayout();
        InvalidateList();
    }
    return TRUE;
}

BOOL OZWListModel::GetColumn(int nIndex, LVCOLUMNA* pInfo)
{
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    if (pColumn == nullptr || pInfo == nullptr)
        return FALSE;
    if (pInfo->mask & LVCF_FMT)
        pInfo->fmt = pColumn->m_nFormat;
    if (pInfo->mask & LVCF_WIDTH)
        pInfo->cx = pColumn->m_nWidth;
    if (pInfo->mask & LVCF_TEXT)
        ozwlist::CopyText(pInfo->pszText, pInfo->cchTextMax, pColumn->m_strTitle);
    if (pInfo->mask & LVCF_SUBITEM)
        pInfo->iSubItem = pColumn->m_nSubItem;
    if (pInfo->mask & LVCF_IMAGE)
        pInfo->iImage = pColumn->m_nImage;
    return TRUE;
}

BOOL OZWListModel::SetColumn(int nIndex, const LVCOLUMNA* pInfo)
{
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    if (pColumn == nullptr || pInfo == nullptr)
        return FALSE;
    if ((pInfo->mask & LVCF_FMT) && nIndex != 0)
        pColumn->m_nFormat = pInfo->fmt;
    if ((pInfo->mask & LVCF_WIDTH) && pInfo->cx != pColumn->m_nWidth) {
        pColumn->m_nWidth = std::max(0, pInfo->cx);
        MarkAllForMeasure();
    }
    if (pInfo->mask & LVCF_TEXT)
        pColumn->m_strTitle = ozwlist::IsOwned(pInfo->pszText) ? pInfo->pszText : "";
    // Column 0 always shows the main text; others show an existing cell.
    if ((pInfo->mask & LVCF_SUBITEM) && nIndex != 0 && pInfo->iSubItem >= 0 &&
        pInfo->iSubItem <= m_nSubItemCount)
        pColumn->m_nSubItem = pInfo->iSubItem;
    if (pInfo->mask & LVCF_IMAGE)
        pColumn->m_nImage = pInfo->iImage;
    InvalidateList();
    return TRUE;
}

int OZWListModel::GetColumnLeft(int nIndex)
{
    int x = 0;
    const int nEnd = std::min(nIndex, GetColumnCount());
    for (int i = 0; i < nEnd; ++i)
        x += m_columns[(size_t)i]->m_nWidth;
    return x - m_nHorzOffset;
}

int OZWListModel::GetColumnRight(int nIndex)
{
    return GetColumnLeft(nIndex) + GetColumnWidth(nIndex);
}

BOOL OZWListModel::SetColumnWidth(int nIndex, int nWidth, BOOL bRemeasure)
{
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    if (pColumn == nullptr)
        return FALSE;
    pColumn->m_nWidth = std::max(0, nWidth);
    if (bRemeasure)
        MarkAllForMeasure();
    return TRUE;
}

int OZWListModel::GetColumnWidth(int nIndex)
{
    if (m_columns.empty()) {
        CRect rc;
        GetRowsArea(rc);
        return rc.Width();
    }
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    return pColumn ? pColumn->m_nWidth : 0;
}

BOOL OZWListModel::SetColumnFormat(int nIndex, int nFormat)
{
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    if (pColumn == nullptr)
        return FALSE;
    if (nIndex != 0)
        pColumn->m_nFormat = nFormat;
    return TRUE;
}

int OZWListModel::GetColumnFormat(int nIndex)
{
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    return pColumn ? pColumn->m_nFormat : 0;
}

BOOL OZWListModel::SetColumnTitle(int nIndex, LPCSTR lpszTitle)
{
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    if (pColumn == nullptr)
        return FALSE;
    pColumn->m_strTitle = lpszTitle != nullptr ? lpszTitle : "";
    return TRUE;
}

CString OZWListModel::GetColumnTitle(int nIndex)
{
    OZWListColumn* pColumn = GetColumnAt(nIndex);
    return pColumn ? pColumn->m_strTitle : CString();
}

BOOL OZWListModel::FindColumn(LPCSTR lpszTitle, int* pnIndex, int* pnSubItem)
{
    if (lpszTitle == nullptr)
        return FALSE;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (std::strcmp(m_columns[i]->m_strTitle, lpszTitle) == 0) {
            if (pnIndex)
                *pnIndex = (int)i;
            if (pnSubItem)
                *pnSubItem = m_columns[i]->m_nSubItem;
            return TRUE;
        }
    }
    return FALSE;
}

int OZWListModel::FindColumnIndex(LPCSTR lpszTitle)
{
    int nIndex = -1;
    return FindColumn(lpszTitle, &nIndex, nullptr) ? nIndex : -1;
}

/////////////////////////////////////////////////////////////////////////////
// Item records

OZWListItem* OZWListModel::NewItem()
{
    auto* pItem = new OZWListItem;
    PrepareNewItem(pItem);
    return pItem;
}

void OZWListModel::PrepareNewItem(OZWListItem* pItem)
{
    AddSubItems(pItem, m_nSubItemCount);
}

void OZWListModel::AddSubItems(OZWListItem* pItem, int nCount)
{
    while ((int)pItem->m_cells.size() < nCount)
        pItem->m_cells.push_back(new OZWListSubItem);
}

void OZWListModel::RemoveSubItems(OZWListItem* pItem, int nSubItem)
{
    while ((int)pItem->m_cells.size() > std::max(0, nSubItem)) {
        delete pItem->m_cells.back();
        pItem->m_cells.pop_back();
    }
}

BOOL OZWListModel::RowHasCallbacks(int nItem)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr)
        return FALSE;
    if (m_dwCallbackMask != 0 || m_dwStateHook != 0)
        return TRUE;
    if (ozwlist::IsCallback(pItem->m_pszText) || pItem->m_nImage == -1)
        return TRUE;
    for (OZWListSubItem* pCell : pItem->m_cells)
        if (ozwlist::IsCallback(pCell->m_pszText))
            return TRUE;
    return FALSE;
}

void OZWListModel::MarkAllForMeasure()
{
    for (OZWListItem* pItem : m_items) {
        pItem->m_nHeight = -1;
        pItem->m_bNeedsMeasure = TRUE;
    }
}

/////////////////////////////////////////////////////////////////////////////
// The selection array

int OZWListModel::FindSelectionSlot(int nItem) const
{
    return (int)(std::lower_bound(m_selection.begin(), m_selection.end(), nItem) - m_selection.begin());
}

BOOL OZWListModel::IsInSelection(int nItem) const
{
    return std::binary_search(m_selection.begin(), m_selection.end(), nItem);
}

BOOL OZWListModel::AddToSelection(int nItem)
{
    if (m_selection.empty() || nItem > m_selection.back()) {
        m_selection.push_back(nItem);
        return TRUE;
    }
    const int nSlot = FindSelectionSlot(nItem);
    if (nSlot < (int)m_selection.size() && m_selection[(size_t)nSlot] == nItem)
        return FALSE;
    m_selection.insert(m_selection.begin() + nSlot, nItem);
    return TRUE;
}

BOOL OZWListModel::RemoveFromSelection(int nItem)
{
    const int nSlot = FindSelectionSlot(nItem);
    if (nSlot >= (int)m_selection.size() || m_selection[(size_t)nSlot] != nItem)
        return FALSE;
    m_selection.erase(m_selection.begin() + nSlot);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Items

BOOL OZWListModel::SetItem(LVITEMA* pInfo, BOOL bRedraw)
{
    if (pInfo == nullptr)
        return FALSE;
    const int nItem = pInfo->iItem;
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr)
        return FALSE;
    const UINT nMask = pInfo->mask;
    UINT nCallback = 0;
    BOOL bChanged = FALSE, bRemeasure = FALSE, bHiliteChanged = FALSE;

    if (nMask & LVIF_TEXT) {
        bRemeasure = TRUE;
        LPSTR* ppTarget = nullptr;
        if (pInfo->iSubItem == 0)
            ppTarget = &pItem->m_pszText;
        else if (OZWListSubItem* pCell = pItem->GetCell(pInfo->iSubItem))
            ppTarget = &pCell->m_pszText;
        if (ppTarget != nullptr) {
            if (ozwlist::IsCallback(pInfo->pszText)) {
                ozwlist::StoreText(*ppTarget, LPSTR_TEXTCALLBACKA);
                bChanged = TRUE;
            } else if (ozwlist::IsCallback(*ppTarget) && !(nMask & OZWLIF_STOREALWAYS)) {
                nCallback |= LVIF_TEXT;
            } else {
                ozwlist::StoreText(*ppTarget, pInfo->pszText);
                bChanged = TRUE;
            }
        }
    }
    if (nMask & LVIF_IMAGE) {
        bChanged = TRUE;
        if (pItem->m_nImage == -1 && !(nMask & OZWLIF_STOREALWAYS))
            nCallback |= LVIF_IMAGE;
        else
            pItem->m_nImage = pInfo->iImage;
    }
    if (nMask & LVIF_STATE) {
        const UINT nStateMask = pInfo->stateMask;
        const UINT nState = pInfo->state;
        if (nStateMask & LVIS_SELECTED)
            bChanged |= (nState & LVIS_SELECTED) ? AddToSelection(nItem) : RemoveFromSelection(nItem);
        if (nStateMask & LVIS_FOCUSED) {
            if (nState & LVIS_FOCUSED) {
                if (m_nFocusItem != nItem) {
                    m_nFocusItem = nItem;
                    bChanged = TRUE;
                }
            } else if (m_nFocusItem == nItem) {
                m_nFocusItem = -1;
                bChanged = TRUE;
            }
        }
        if (nStateMask & LVIS_DROPHILITED) {
            if (nState & LVIS_DROPHILITED) {
                if (m_nDropItem != nItem) {
                    m_nDropItem = nItem;
                    bChanged = bHiliteChanged = TRUE;
                }
            } else if (m_nDropItem == nItem) {
                m_nDropItem = -1;
                bChanged = bHiliteChanged = TRUE;
            }
        }
        const UINT nOther = nStateMask & ~(UINT)(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
        const UINT nNew = (pItem->m_nState & ~nOther) | (nState & nOther);
        if (nNew != pItem->m_nState) {
            pItem->m_nState = nNew;
            bChanged = TRUE;
        }
    }
    if (nMask & LVIF_PARAM)
        pItem->m_lParam = pInfo->lParam;
    if (nCallback != 0) {
        LVITEMA copy = *pInfo;
        copy.mask = nCallback;
        OnSetDispInfo(&copy);
    }
    if (bRemeasure)
        pItem->m_bNeedsMeasure = TRUE;
    if (bRedraw && bChanged && nItem != m_nEditItem)
        RedrawItem(nItem, FALSE, FALSE, FALSE, bHiliteChanged);
    return TRUE;
}

BOOL OZWListModel::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszText, int nImage,
                           UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEMA info = {};
    info.mask = nMask;
    info.iItem = nItem;
    info.iSubItem = nSubItem;
    info.pszText = const_cast<LPSTR>(lpszText);
    info.iImage = nImage;
    info.state = nState;
    info.stateMask = nStateMask;
    info.lParam = lParam;
    return SetItem(&info, TRUE);
}

BOOL OZWListModel::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    return SetItem(nItem, nSubItem, LVIF_TEXT, lpszText, 0, 0, 0, 0);
}

BOOL OZWListModel::GetItem(LVITEMA* pInfo, BOOL bCopyText, BOOL bAskParent)
{
    if (pInfo == nullptr)
        return FALSE;
    const int nItem = pInfo->iItem;
    OZWListItem* pItem = GetItemRecord(nItem);
    if (pItem == nullptr)
        return FALSE;
    const UINT nMask = pInfo->mask;
    UINT nNeed = 0;
    if (nMask & LVIF_TEXT) {
        LPSTR* ppSource = nullptr;
        if (pInfo->iSubItem == 0)
            ppSource = &pItem->m_pszText;
        else if (OZWListSubItem* pCell = pItem->GetCell(pInfo->iSubItem))
            ppSource = &pCell->m_pszText;
        if (ppSource != nullptr) {
            if (ozwlist::IsCallback(*ppSource)) {
                nNeed |= LVIF_TEXT;
                if (!bAskParent)
                    pInfo->pszText = LPSTR_TEXTCALLBACKA;
                else if (ozwlist::IsOwned(pInfo->pszText) && pInfo->cchTextMax > 0)
                    pInfo->pszText[0] = '\0'; // the parent writes into the buffer
            } else if (!bCopyText) {
                pInfo->pszText = *ppSource;
            } else if (ozwlist::IsOwned(pInfo->pszText)) {
                ozwlist::CopyText(pInfo->pszText, pInfo->cchTextMax, *ppSource != nullptr ? *ppSource : "");
            }
        }
    }
    if (nMask & LVIF_IMAGE) {
        pInfo->iImage = pItem->m_nImage;
        if (pItem->m_nImage == -1)
            nNeed |= LVIF_IMAGE;
    }
    if (nMask & LVIF_STATE) {
        const UINT nStateMask = pInfo->stateMask;
        UINT nState = pItem->m_nState & nStateMask;
        if ((nStateMask & LVIS_SELECTED) && IsInSelection(nItem))
            nState |= LVIS_SELECTED;
        if ((nStateMask & LVIS_FOCUSED) && m_nFocusItem == nItem)
            nState |= LVIS_FOCUSED;
        if ((nStateMask & LVIS_DROPHILITED) && m_nDropItem == nItem)
            nState |= LVIS_DROPHILITED;
        pInfo->state = nState;
        if (m_dwCallbackMask != 0)
            nNeed |= LVIF_STATE;
    }
    if ((nMask & LVIF_PARAM) || nNeed != 0)
        pInfo->lParam = pItem->m_lParam;
    if (bAskParent && nNeed != 0) {
        pInfo->mask = nNeed;
        NotifyGetDispInfo(pInfo);
    }
    return TRUE;
}

int OZWListModel::GetItemText(int nItem, int nSubItem, LPSTR lpszBuffer, int nSize)
{
    if (lpszBuffer == nullptr || nSize <= 0)
        return 0;
    lpszBuffer[0] = '\0';
    LVITEMA info = {};
    info.mask = LVIF_TEXT;
    info.iItem = nItem;
    info.iSubItem = nSubItem;
    info.pszText = lpszBuffer;
    info.cchTextMax = nSize;
    if (!GetItem(&info, TRUE, TRUE))
        return 0;
    // The parent may have answered with a text of its own.
    if (info.pszText != lpszBuffer)
        return ozwlist::CopyText(lpszBuffer, nSize, ozwlist::IsOwned(info.pszText) ? info.pszText : "");
    lpszBuffer[nSize - 1] = '\0';
    return (int)std::strlen(lpszBuffer);
}

CString OZWListModel::GetItemText(int nItem, int nSubItem)
{
    GetItemText(nItem, nSubItem, m_pTextBuffer, OZWLIST_TEXTBUFFER);
    return CString(m_pTextBuffer);
}

BOOL OZWListModel::SetItemState(int nItem, UINT nState, UINT nMask)
{
    return SetItem(nItem, 0, LVIF_STATE, nullptr, 0, nState, nMask, 0);
}

UINT OZWListModel::GetItemState(int nItem, UINT nMask)
{
    LVITEMA info = {};
    info.mask = LVIF_STATE;
    info.iItem = nItem;
    info.stateMask = nMask;
    if (!GetItem(&info, FALSE, TRUE))
        return 0;
    return info.state & nMask;
}

BOOL OZWListModel::SetItemData(int nItem, LPARAM lParam)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, lParam);
}

LPARAM OZWListModel::GetItemData(int nItem)
{
    OZWListItem* pItem = GetItemRecord(nItem);
    return pItem ? pItem->m_lParam : 0;
}

BOOL OZWListModel::SetItemExState(LVITEMA* pInfo, BOOL bRedraw)
{
    OZWListItem* pItem = pInfo ? GetItemRecord(pInfo->iItem) : nullptr;
    if (pItem == nullptr)
        return FALSE;
    const DWORD dwNew = (pItem->m_dwExState & ~pInfo->stateMask) | (pInfo->state & pInfo->stateMask);
    if (dwNew != pItem->m_dwExState) {
        pItem->m_dwExState = dwNew;
        if (bRedraw)
            RedrawItem(pInfo->iItem);
    }
    return TRUE;
}

BOOL OZWListModel::GetItemExState(LVITEMA* pInfo, BOOL bAskParent)
{
    OZWListItem* pItem = pInfo ? GetItemRecord(pInfo->iItem) : nullptr;
    if (pItem == nullptr)
        return FALSE;
    if (m_dwStateHook != 0) {
        if (bAskParent)
            OnGetExState(pInfo);
        return TRUE;
    }
    pInfo->state = pItem->m_dwExState & pInfo->stateMask;
    return TRUE;
}

int OZWListModel::InsertItem(const LVITEMA* pInfo)
{
    if (pInfo == nullptr)
        return -1;
    OZWListItem* pRecord = NewItem();
    const int nIndex = InsertItemRecord(pInfo->iItem, pRecord);
    LVITEMA info = *pInfo;
    info.iItem = nIndex;
    info.iSubItem = 0;
    SetItem(&info, m_bAutoUpdate);
    if (m_bAutoUpdate)
        RecalcLayout();
    return nIndex;
}

int OZWListModel::InsertItem(UINT nMask, int nItem, LPCSTR lpszText, UINT nState, UINT nStateMask,
                             int nImage, LPARAM lParam)
{
    LVITEMA info = {};
    info.mask = nMask;
    info.iItem = nItem;
    info.pszText = const_cast<LPSTR>(lpszText);
    info.state = nState;
    info.stateMask = nStateMask;
    info.iImage = nImage;
    info.lParam = lParam;
    return InsertItem(&info);
}

int OZWListModel::InsertItem(int nItem, LPCSTR lpszText, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszText, 0, 0, nImage, 0);
}

int OZWListModel::InsertItem(int nItem, LPCSTR lpszText)
{
    return InsertItem(LVIF_TEXT, nItem, lpszText, 0, 0, 0, 0);
}

int OZWListModel::InsertItemAfter(OZWListItem* pRecord, const LVITEMA* pInfo)
{
    if (pInfo == nullptr)
        return -1;
    LVITEMA info = *pInfo;
    const auto it = std::find(m_items.begin(), m_items.end(), pRecord);
    info.iItem = (pRecord != nullptr && it != m_items.end()) ? (int)(it - m_items.begin()) + 1 : 0;
    return InsertItem(&info);
}

int OZWListModel::InsertItemBefore(OZWListItem* pRecord, const LVITEMA* pInfo)
{
    if (pInfo == nullptr)
        return -1;
    LVITEMA info = *pInfo;
    // Before the record is at the record's own index.
    const auto it = std::find(m_items.begin(), m_items.end(), pRecord);
    info.iItem = (pRecord != nullptr && it != m_items.end()) ? (int)(it - m_items.begin()) : 0;
    return InsertItem(&info);
}

int OZWListModel::InsertItemRecord(int nIndex, OZWListItem* pRecord)
{
    if (pRecord == nullptr)
        return -1;
    return InsertItemRecords(nIndex, std::vector<OZWListItem*>{ pRecord });
}

int OZWListModel::InsertItemRecords(int nIndex, const std::vector<OZWListItem*>& records)
{
    const int nCount = (int)records.size();
    if (nCount == 0)
        return -1;
    nIndex = std::clamp(nIndex, 0, GetItemCount());
    m_items.insert(m_items.begin() + nIndex, records.begin(), records.end());
    auto shift = [nIndex, nCount](int& n) {
        if (n >= nIndex)
            n += nCount;
    };
    shift(m_nFocusItem);
    shift(m_nDropItem);
    shift(m_nAnchorItem);
    shift(m_nEditItem);
    shift(m_nPendingEditItem);
    for (auto it = m_selection.rbegin(); it != m_selection.rend() && *it >= nIndex; ++it)
        *it += nCount;
    if (m_nFocusItem == -1) {
        m_nFocusItem = 0;
        m_nAnchorItem = 0;
        AddToSelection(0);
    }
    for (OZWListItem* pRecord : records)
        if ((int)pRecord->m_cells.size() < m_nSubItemCount && GetColumnCount() >= 2)
            AddSubItems(pRecord, m_nSubItemCount);
    return nIndex;
}

BOOL OZWListModel::DeleteItems(int nIndex, int nCount)
{
    const int nTotal = GetItemCount();
    if (!IsValidItem(nIndex) || nCount <= 0)
        return FALSE;
    nCount = std::min(nCount, nTotal - nIndex);
    const int nLast = nIndex + nCount - 1;
    // An editor over a row that goes is cancelled first.
    if (m_nEditItem >= nIndex && m_nEditItem <= nLast)
        EndLabelEdit(FALSE);
    RedrawItem(std::max(0, nIndex - 1), FALSE, FALSE, TRUE, FALSE);
    // One notification per item, each while the item still exists, so a
    // parent can free what it keeps for every one of them.
    for (int i = nIndex; i <= nLast && i < GetItemCount(); ++i)
        NotifyDeleteItem(i);
    if (nIndex >= GetItemCount())
        return TRUE; // the parent emptied the list meanwhile
    nCount = std::min(nCount, GetItemCount() - nIndex);
    for (int i = nIndex; i < nIndex + nCount; ++i)
        delete m_items[(size_t)i];
    m_items.erase(m_items.begin() + nIndex, m_items.begin() + nIndex + nCount);
    const int nNewCount = GetItemCount();
    const int nLastDeleted = nIndex + nCount - 1;
    m_nTopIndex = std::clamp(m_nTopIndex, 0, std::max(0, nNewCount - 1));
    auto follow = [&](int& n) {
        if (n < 0)
            return;
        if (nIndex < n || n >= nNewCount) {
            if (nLastDeleted < n)
                n -= nCount;
            else
                n = nIndex - 1;
        }
    };
    follow(m_nFocusItem);
    follow(m_nDropItem);
    follow(m_nAnchorItem);
    if (m_nEditItem > nLastDeleted)
        m_nEditItem -= nCount;
    if (m_nPendingEditItem >= nIndex)
        m_nPendingEditItem = -1;
    for (size_t k = m_selection.size(); k-- > 0 && m_selection[k] >= nIndex;) {
        if (m_selection[k] <= nLastDeleted)
            m_selection.erase(m_selection.begin() + (ptrdiff_t)k);
        else
            m_selection[k] -= nCount;
    }
    if (m_selection.empty() && m_nFocusItem >= 0)
        AddToSelection(m_nFocusItem);
    RecalcLayout();
    return TRUE;
}

BOOL OZWListModel::DeleteItemRecord(OZWListItem* pRecord)
{
    const auto it = std::find(m_items.begin(), m_items.end(), pRecord);
    if (pRecord == nullptr || it == m_items.end())
        return FALSE;
    return DeleteItems((int)(it - m_items.begin()), 1);
}

BOOL OZWListModel::DeleteAllItems()
{
    KillEditTimer();
    if (m_nEditItem != -1)
        EndLabelEdit(FALSE);
    for (int i = 0; i < GetItemCount(); ++i)
        NotifyDeleteItem(i);
    for (OZWListItem* pItem : m_items)
        delete pItem;
    m_items.clear();
    m_selection.clear();
    m_nTopIndex = 0;
    m_nFocusItem = -1;
    m_nDropItem = -1;
    m_nAnchorItem = -1;
    m_nPendingEditItem = -1;
    RecalcLayout();
    InvalidateList();
    return TRUE;
}
