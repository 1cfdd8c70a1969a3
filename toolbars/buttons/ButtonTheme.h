// The owner-drawn buttons' and wells' use of the theme services: themed
// drawing only when the program is themed, a visual style is active and the
// program allows themed controls; classic drawing with system colours
// otherwise.
#pragma once

#include "platform/theme/ThemeLib.h"

#include <vssym32.h>

namespace dedaride {
namespace foundation {

// TRUE when the program draws through a visual style (it is themed, a
// style is active, and themed controls are allowed).
BOOL IsThemedDrawing();

// An open theme of one window class, closed when it goes; null (classic
// drawing) when no visual style is in use or the class has none.
class ScopedTheme
{
public:
    ScopedTheme(HWND hWnd, LPCSTR pszClassList);
    ~ScopedTheme();
    ScopedTheme(const ScopedTheme&) = delete;
    ScopedTheme& operator=(const ScopedTheme&) = delete;
    HTHEME Get() const { return m_hTheme; }
    explicit operator bool() const { return m_hTheme != nullptr; }
    void DrawBackground(HDC hdc, int nPart, int nState, const RECT& rect) const;

private:
    HTHEME m_hTheme = nullptr;
};

} // namespace foundation
} // namespace dedaride
