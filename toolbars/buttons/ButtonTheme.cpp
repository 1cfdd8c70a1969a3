#include "toolbars/buttons/ButtonTheme.h"

namespace dedaride {
namespace foundation {

BOOL IsThemedDrawing()
{
    // The program may switch themed controls off for itself.
    return UXIsAppThemed() && UXIsThemeActive() && (::GetThemeAppProperties() & STAP_ALLOW_CONTROLS) != 0;
}

ScopedTheme::ScopedTheme(HWND hWnd, LPCSTR pszClassList)
{
    if (IsThemedDrawing())
        m_hTheme = UXOpenThemeData(hWnd, pszClassList);
}

ScopedTheme::~ScopedTheme()
{
    if (m_hTheme)
        UXCloseThemeData(m_hTheme);
}

void ScopedTheme::DrawBackground(HDC hdc, int nPart, int nState, const RECT& rect) const
{
    if (m_hTheme)
        UXDrawThemeBackground(m_hTheme, hdc, nPart, nState, &rect, nullptr);
}

} // namespace foundation
} // namespace dedaride
