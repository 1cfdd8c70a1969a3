#include "listtree/tree/model/SubItemTextStorage.h"

#include "listtree/list/model/ListRecords.h"

#include <algorithm>

BOOL OZWSubItemTextStorage::SetText(HTREEITEM hItem, int nColumn, LPCSTR lpszText)
{
    if (nColumn < 1)
        return FALSE;
    std::vector<CString>& texts = m_texts[hItem];
    if ((int)texts.size() < nColumn)
        texts.resize((size_t)nColumn);
    texts[(size_t)nColumn - 1] = lpszText != nullptr && !ozwlist::IsCallback(lpszText) ? lpszText : "";
    return TRUE;
}

BOOL OZWSubItemTextStorage::GetText(HTREEITEM hItem, int nColumn, LPSTR lpszBuffer, int nSize) const
{
    const auto it = m_texts.find(hItem);
    if (it == m_texts.end() || nColumn < 1 || nColumn > (int)it->second.size()) {
        ozwlist::CopyText(lpszBuffer, nSize, "");
        return FALSE;
    }
    ozwlist::CopyText(lpszBuffer, nSize, it->second[(size_t)nColumn - 1]);
    return TRUE;
}

CString OZWSubItemTextStorage::GetText(HTREEITEM hItem, int nColumn) const
{
    const auto it = m_texts.find(hItem);
    if (it == m_texts.end() || nColumn < 1 || nColumn > (int)it->second.size())
        return CString();
    return it->second[(size_t)nColumn - 1];
}

BOOL OZWSubItemTextStorage::MoveColumn(HTREEITEM hItem, int nFrom, int nTo)
{
    const auto it = m_texts.find(hItem);
    if (it == m_texts.end())
        return FALSE;
    std::vector<CString>& texts = it->second;
    const int nSize = (int)texts.size();
    if (nFrom >= 1 && nFrom <= nSize) {
        CString text = texts[(size_t)nFrom - 1];
        texts.erase(texts.begin() + (nFrom - 1));
        const int nAt = std::min(std::max(nTo - 1, 0), (int)texts.size());
        texts.insert(texts.begin() + nAt, text);
    } else if (nTo >= 1 && nTo - 1 < nSize) {
        texts.insert(texts.begin() + (nTo - 1), CString());
    }
    return TRUE;
}

BOOL OZWSubItemTextStorage::InsertColumn(int nColumn)
{
    if (nColumn < 1)
        return TRUE;
    for (auto& entry : m_texts) {
        std::vector<CString>& texts = entry.second;
        if (nColumn - 1 <= (int)texts.size())
            texts.insert(texts.begin() + (nColumn - 1), CString());
    }
    return TRUE;
}

BOOL OZWSubItemTextStorage::RemoveColumn(int nColumn)
{
    for (auto& entry : m_texts) {
        std::vector<CString>& texts = entry.second;
        if (nColumn >= 1 && nColumn <= (int)texts.size())
            texts.erase(texts.begin() + (nColumn - 1));
    }
    return TRUE;
}

BOOL OZWSubItemTextStorage::Remove(HTREEITEM hItem)
{
    return m_texts.erase(hItem) != 0;
}
