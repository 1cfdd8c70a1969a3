#include "pickers/controls/PickerItem.h"

namespace kvpickers {

PickerItem::PickerItem(const DRAWITEMSTRUCT* pDIS) : m_hdc(pDIS->hDC)
{
    BOOL bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    BOOL bDisabled = (pDIS->itemState & ODS_DISABLED) != 0;
    m_oldText = ::GetTextColor(m_hdc);
    m_oldBack = ::GetBkColor(m_hdc);
    RECT rcItem = pDIS->rcItem;
    if (bSelected) {
        ::SetTextColor(m_hdc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        ::SetBkColor(m_hdc, ::GetSysColor(COLOR_HIGHLIGHT));
        ::FillRect(m_hdc, &rcItem, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    else {
        HBRUSH hBack = ::CreateSolidBrush(m_oldBack);
        ::FillRect(m_hdc, &rcItem, hBack);
        ::DeleteObject(hBack);
    }
    if (bDisabled)
        ::SetTextColor(m_hdc, ::GetSysColor(COLOR_GRAYTEXT));
    m_rcWork = rcItem;
    m_rcWork.left += 1;
    m_rcWork.right -= 1;
    m_ink = ::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
}

PickerItem::~PickerItem()
{
    ::SetTextColor(m_hdc, m_oldText);
    ::SetBkColor(m_hdc, m_oldBack);
}

HPEN PickerItem::MakePen(DWORD dwStyle, DWORD dwWidth, DWORD nDashes, const DWORD* pDashes) const
{
    LOGBRUSH lb = { BS_SOLID, m_ink, 0 };
    return ::ExtCreatePen(PS_GEOMETRIC | dwStyle, dwWidth, &lb, nDashes, pDashes);
}

} // namespace kvpickers
