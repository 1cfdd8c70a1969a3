// The records of the list engine: one OZWListItem per row, holding its main
// text and a cell (OZWListSubItem) per sub-item column, and one OZWListColumn
// per column. Texts are owned zero-terminated heap strings, the callback
// marker (LPSTR_TEXTCALLBACK: the parent supplies the text on request), or
// null.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/base/String.h"
#include <commctrl.h>
#include <vector>

namespace ozwlist {

inline bool IsCallback(LPCSTR p) { return p == LPSTR_TEXTCALLBACKA; }
// An owned text (neither null nor the callback marker).
inline bool IsOwned(LPCSTR p) { return p != nullptr && !IsCallback(p); }
// Frees an owned text and sets the pointer to null.
void FreeText(LPSTR& p);
// Replaces p by a copy of text (null stays null, the marker stays the marker).
void StoreText(LPSTR& p, LPCSTR text);
// Copies text into buffer (size bytes): at most size - 1 bytes, never
// splitting a UTF-8 character, always terminated. Returns the bytes copied.
int CopyText(LPSTR buffer, int size, LPCSTR text);
// The byte count of text's longest prefix of at most nMax bytes that ends
// on a UTF-8 character boundary.
int PrefixOnBoundary(LPCSTR text, int nLength, int nMax);

} // namespace ozwlist

// A cell of a sub-item column.
class OZWListSubItem
{
public:
    OZWListSubItem() = default;
    virtual ~OZWListSubItem();
    OZWListSubItem(const OZWListSubItem&) = delete;
    OZWListSubItem& operator=(const OZWListSubItem&) = delete;

    LPSTR m_pszText = LPSTR_TEXTCALLBACKA; // a new cell asks the parent for its text
    DWORD m_dwWord = 0;
    CRect m_rcText;                        // measured text rectangle, relative to the row
};

// One row.
class OZWListItem
{
public:
    OZWListItem() = default;
    virtual ~OZWListItem();
    OZWListItem(const OZWListItem&) = delete;
    OZWListItem& operator=(const OZWListItem&) = delete;

    // The cell of sub-item k (k >= 1), or null.
    OZWListSubItem* GetCell(int nSubItem) const
    {
        return nSubItem >= 1 && nSubItem <= (int)m_cells.size() ? m_cells[(size_t)nSubItem - 1] : nullptr;
    }

    std::vector<OZWListSubItem*> m_cells; // the cell of sub-item k is at k - 1
    LPSTR m_pszText = nullptr;
    UINT m_nState = 0;        // without the focused, selected and drop-highlighted bits
    int m_nImage = 0;         // -1: the parent supplies the image
    LPARAM m_lParam = 0;
    int m_nHeight = 0;        // measured height, -1 when not measured
    DWORD m_dwExState = 0;    // written by the tree layer, stored only
    BOOL m_bNeedsMeasure = TRUE;
    CRect m_rcLabel;          // relative to the row's top-left corner
    CRect m_rcIcon;
    CRect m_rcStateIcon;
};

// One column.
class OZWListColumn
{
public:
    UINT m_nMask = 0;
    int m_nFormat = LVCFMT_LEFT; // LVCFMT_LEFT/RIGHT/CENTER, + 0x1000: header image right of the text
    int m_nWidth = 0;
    CString m_strTitle;
    DWORD m_dwReserved = 0;
    int m_nSubItem = -1;         // the cell this column shows: 0 the main text, k cell k
    int m_nImage = -1;           // header image, -1 none

    // The DrawText alignment of the column's texts (DT_LEFT, DT_RIGHT or
    // DT_CENTER); DT_LEFT without a column.
    static UINT AlignFlags(const OZWListColumn* pColumn)
    {
        const int nAlign = pColumn != nullptr ? (pColumn->m_nFormat & LVCFMT_JUSTIFYMASK) : LVCFMT_LEFT;
        return nAlign == LVCFMT_RIGHT ? DT_RIGHT : nAlign == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    }
};

// Header image to the right of the title (column format bit).
enum : int { OZWLVCFMT_IMAGE_RIGHT = 0x1000 };
