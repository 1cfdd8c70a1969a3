// The paint record of the list engine: one per paint (or measuring) pass,
// describing the cell being drawn. Made by a virtual factory of the engine so
// that the tree can add fields of its own.
#pragma once

#include "listtree/list/model/ListRecords.h"
#include <commctrl.h>

class CDC;

class OZWListPaintContext
{
public:
    explicit OZWListPaintContext(CDC* pDC) : m_pDC(pDC) {}
    virtual ~OZWListPaintContext() = default;
    OZWListPaintContext(const OZWListPaintContext&) = delete;
    OZWListPaintContext& operator=(const OZWListPaintContext&) = delete;

    LVITEMA m_item = {};             // the cell: item, sub-item, text into the engine's buffer...
    DWORD m_dwWord1 = 0;
    DWORD m_dwWord2 = 0;
    UINT m_nRowFlags = 0;            // OZWROW_GRAYED
    CDC* m_pDC = nullptr;
    CRect m_rcCell;
    int m_nColumn = 0;
    int m_nViewMode = 0;             // list style & 3
    int m_nCounter = 0;
    OZWListItem* m_pItem = nullptr;
    OZWListSubItem* m_pCell = nullptr;
    OZWListColumn* m_pColumn = nullptr;
    CFont* m_pFont = nullptr;
    COLORREF m_crText = 0;
    COLORREF m_crTextBk = 0;
    COLORREF m_crCellFill = 0;
    COLORREF m_crRowBk = 0;
};
