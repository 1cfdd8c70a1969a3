// Small helpers shared by the bar and dock-bar sources.
#pragma once

#include "platform/framework/Framework.h"

namespace ozwbars {

// Fills rect with one colour (through the DC's background colour, which is
// given back).
inline void FillColour(HDC hdc, const RECT& rect, COLORREF clr)
{
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    CDC::FromHandle(hdc)->FillSolidRect(&rect, clr);
}

// Whether the object's class, or a class it derives from, has this name: the
// toolbar, menu-bar and status-bar classes of the toolkit lie in layers above.
inline bool IsKindOfName(const CObject* pObject, LPCSTR lpszName)
{
    if (pObject == nullptr)
        return false;
    for (const CRuntimeClass* p = pObject->GetRuntimeClass(); p != nullptr; p = p->m_pBaseClass) {
        if (lstrcmpA(p->m_lpszClassName, lpszName) == 0)
            return true;
    }
    return false;
}

inline bool IsToolBar(const CObject* pObject)
{
    return IsKindOfName(pObject, "OZWCustomToolBar") || IsKindOfName(pObject, "OZWToolBar");
}

} // namespace ozwbars
