// OZWSubItemTextStorage: the texts of a tree item's further columns, kept
// per item (by handle). Element i of an item's array is the text of
// sub-item i + 1; sub-item 0 is the label, kept in the node.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/String.h"
#include <commctrl.h>
#include <map>
#include <vector>

class OZWSubItemTextStorage
{
public:
    OZWSubItemTextStorage() = default;
    virtual ~OZWSubItemTextStorage() = default;

    // Stores the text of a column (from 1), growing the item's array.
    BOOL SetText(HTREEITEM hItem, int nColumn, LPCSTR lpszText);
    // Copies the text into the buffer (bounded and terminated, whole
    // characters only); the empty text and FALSE when there is none.
    BOOL GetText(HTREEITEM hItem, int nColumn, LPSTR lpszBuffer, int nSize) const;
    // The text of a column, empty when there is none.
    CString GetText(HTREEITEM hItem, int nColumn) const;
    // Moves a column's text to another place (the array keeps its length).
    BOOL MoveColumn(HTREEITEM hItem, int nFrom, int nTo);
    // Every item gets an empty text at the column; later ones move up.
    BOOL InsertColumn(int nColumn);
    // Every item loses its text at the column; later ones move down (the
    // list renumbers the columns behind a deleted one).
    BOOL RemoveColumn(int nColumn);
    // Drops an item's texts; FALSE when it had none.
    BOOL Remove(HTREEITEM hItem);
    int GetItemCount() const { return (int)m_texts.size(); }

private:
    std::map<HTREEITEM, std::vector<CString>> m_texts;
};
