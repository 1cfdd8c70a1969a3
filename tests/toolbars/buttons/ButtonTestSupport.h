// Shared pieces of the button and well tests: the host window, a watcher
// that answers the colour dialog, and classic drawing on demand.
#pragma once

#include "tests/support/HostWindow.h"
#include "toolbars/buttons/ColorWell.h"

#include <uxtheme.h>

#include <vector>

namespace buttontest {

using kvtest::CHostWnd;
using kvtest::HostedTest;
using Notice = kvtest::CHostWnd::Notice;

inline void Pump()
{
    kvtest::PumpMessages();
}

inline LPARAM At(CPoint pt)
{
    return kvtest::PointParam(pt);
}

// Answers the next dialog of the given window class that becomes active on
// this thread (the colour dialog is "#32770") with a button, and records
// whether a window was still there when it came.
class DialogAnswerer
{
public:
    DialogAnswerer(int nButton, HWND hMustBeGone = nullptr);
    ~DialogAnswerer();
    int Answered() const { return m_nAnswered; }
    BOOL WindowWasGone() const { return m_bWindowGone; }

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook = nullptr;
    int m_nButton;
    HWND m_hMustBeGone;
    int m_nAnswered = 0;
    BOOL m_bWindowGone = FALSE;
};

} // namespace buttontest

namespace buttontest {

// While it lives the program draws without a visual style (classic drawing
// with system colours), whatever the prefix's theme.
class ClassicDrawing
{
public:
    ClassicDrawing() : m_old(::GetThemeAppProperties()) { ::SetThemeAppProperties(0); }
    ~ClassicDrawing() { ::SetThemeAppProperties(m_old); }

private:
    DWORD m_old;
};

} // namespace buttontest
