// Themed drawing through the platform's visual styles.
#include "platform/theme/ThemeLib.h"
#include "platform/framework/base/String.h"
#include <string>

BOOL UXIsAppThemed()
{
    return ::IsAppThemed();
}

BOOL UXIsThemeActive()
{
    return ::IsThemeActive();
}

HWND UXGetSafeHwnd()
{
    return ::GetDesktopWindow();
}

HTHEME UXOpenThemeData(HWND hWnd, LPCSTR lpszClassList)
{
    if (lpszClassList == nullptr || !UXIsAppThemed() || !UXIsThemeActive())
        return nullptr;
    // The platform takes the class list in UTF-16.
    return ::OpenThemeData(hWnd, kvutf::Widen(lpszClassList).c_str());
}

HRESULT UXCloseThemeData(HTHEME hTheme)
{
    return hTheme != nullptr ? ::CloseThemeData(hTheme) : E_HANDLE;
}

HRESULT UXDrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                              const RECT* pRect, const RECT* pClipRect)
{
    if (hTheme == nullptr || hdc == nullptr || pRect == nullptr)
        return E_HANDLE;
    return ::DrawThemeBackground(hTheme, hdc, iPartId, iStateId, pRect, pClipRect);
}

HRESULT UXIsThemePartDefined(HTHEME hTheme, int iPartId, int iStateId)
{
    if (hTheme == nullptr)
        return E_HANDLE;
    return ::IsThemePartDefined(hTheme, iPartId, iStateId) ? S_OK : E_FAIL;
}

BOOL UXIsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId)
{
    return hTheme != nullptr && ::IsThemeBackgroundPartiallyTransparent(hTheme, iPartId, iStateId);
}

HRESULT UXDrawThemeParentBackground(HWND hWnd, HDC hdc, const RECT* pRect)
{
    if (hWnd == nullptr || hdc == nullptr)
        return E_HANDLE;
    return ::DrawThemeParentBackground(hWnd, hdc, const_cast<RECT*>(pRect));
}

HRESULT UXGetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    if (hTheme == nullptr || pColor == nullptr)
        return E_HANDLE;
    return ::GetThemeColor(hTheme, iPartId, iStateId, iPropId, pColor);
}
