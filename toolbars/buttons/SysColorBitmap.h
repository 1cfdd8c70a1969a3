// Loads a bitmap resource whose standard greys follow the system colours: in
// a bitmap of fewer than 16 bits per pixel, black becomes the button text
// colour, grey (128) the button shadow, light grey (192) the button face and
// white the button highlight. Deeper bitmaps are loaded as they are.
#pragma once

#include "platform/framework/Framework.h"

namespace dedaride {
namespace foundation {

// FALSE when the resource is missing or the bitmap cannot be made; pBitmap
// is left as it was then.
BOOL LoadSysColorBitmap(CBitmap* pBitmap, LPCTSTR lpszResource);
inline BOOL LoadSysColorBitmap(CBitmap* pBitmap, UINT nIDResource)
{
    return LoadSysColorBitmap(pBitmap, MAKEINTRESOURCE(nIDResource));
}

} // namespace foundation
} // namespace dedaride
