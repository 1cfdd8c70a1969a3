// The frame every owner-drawn picker item is drawn in: the item's background
// (the highlight when selected), the text colours for its state, and the
// work rectangle one pixel in from the left and right; the device context's
// colours come back when it goes.
#pragma once

#include <windows.h>

namespace kvpickers {

class PickerItem
{
public:
    explicit PickerItem(const DRAWITEMSTRUCT* pDIS);
    ~PickerItem();
    PickerItem(const PickerItem&) = delete;
    PickerItem& operator=(const PickerItem&) = delete;

    HDC Hdc() const { return m_hdc; }
    // The item rectangle less a pixel on the left and on the right.
    const RECT& WorkRect() const { return m_rcWork; }
    // The colour lines are drawn in: grey for a disabled item.
    COLORREF InkColour() const { return m_ink; }
    // A geometric pen of the ink colour with these pen style bits.
    HPEN MakePen(DWORD dwStyle, DWORD dwWidth, DWORD nDashes = 0, const DWORD* pDashes = nullptr) const;

private:
    HDC m_hdc;
    COLORREF m_oldText;
    COLORREF m_oldBack;
    RECT m_rcWork;
    COLORREF m_ink;
};

} // namespace kvpickers
