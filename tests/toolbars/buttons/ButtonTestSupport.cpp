#include "ButtonTestSupport.h"

#include <cstring>

namespace buttontest {

namespace {
DialogAnswerer* s_pAnswerer = nullptr;
}

DialogAnswerer::DialogAnswerer(int nButton, HWND hMustBeGone) : m_nButton(nButton), m_hMustBeGone(hMustBeGone)
{
    s_pAnswerer = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, HookProc, nullptr, ::GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer()
{
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    s_pAnswerer = nullptr;
}

LRESULT CALLBACK DialogAnswerer::HookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE && s_pAnswerer != nullptr) {
        HWND hWnd = (HWND)wParam;
        char className[32] = {};
        ::GetClassNameA(hWnd, className, sizeof(className));
        if (std::strcmp(className, "#32770") == 0) {
            s_pAnswerer->m_nAnswered++;
            s_pAnswerer->m_bWindowGone = s_pAnswerer->m_hMustBeGone == nullptr || !::IsWindow(s_pAnswerer->m_hMustBeGone);
            ::PostMessageA(hWnd, WM_COMMAND, (WPARAM)s_pAnswerer->m_nButton, 0);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

} // namespace buttontest
