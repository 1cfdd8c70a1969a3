#include "tests/support/MessageBoxWatcher.h"

#include <cstdio>
#include <cstring>

namespace kvtest {

// The innermost watcher answers; the ones it hides wait until it goes.
static MessageBoxWatcher* s_pWatcher = nullptr;
// The box answered last: a box is answered once, however often it is
// activated and however many watchers hook it.
static HWND s_hAnswered = nullptr;

MessageBoxWatcher::MessageBoxWatcher(std::vector<std::string>* pTexts)
    : m_pTexts(pTexts != nullptr ? pTexts : &m_texts), m_pOuter(s_pWatcher)
{
    s_pWatcher = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, HookProc, nullptr, ::GetCurrentThreadId());
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    if (s_pWatcher == this)
        s_pWatcher = m_pOuter;
}

// Whether a box shows an icon: a visible icon control holding one.
static bool ShowsIcon(HWND hBox)
{
    for (HWND hChild = ::GetWindow(hBox, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char childClass[32] = {};
        ::GetClassNameA(hChild, childClass, sizeof(childClass));
        if (_stricmp(childClass, "Static") == 0 && (::GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            (::GetWindowLongA(hChild, GWL_STYLE) & WS_VISIBLE) && ::SendMessageA(hChild, STM_GETICON, 0, 0) != 0)
            return true;
    }
    return false;
}

LRESULT CALLBACK MessageBoxWatcher::HookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE && s_pWatcher != nullptr && (HWND)wParam != s_hAnswered) {
        HWND hWnd = (HWND)wParam;
        char className[32] = {};
        ::GetClassNameA(hWnd, className, sizeof(className));
        // A message box: a dialog whose text is a static control of id -1.
        HWND hText = ::GetDlgItem(hWnd, 0xFFFF);
        char textClass[32] = {};
        if (hText != nullptr)
            ::GetClassNameA(hText, textClass, sizeof(textClass));
        if (std::strcmp(className, "#32770") == 0 && _stricmp(textClass, "Static") == 0) {
            s_hAnswered = hWnd;
            char text[2048] = {};
            ::GetWindowTextA(hText, text, sizeof(text));
            char caption[256] = {};
            ::GetWindowTextA(hWnd, caption, sizeof(caption));
            s_pWatcher->m_pTexts->push_back(text);
            s_pWatcher->m_captions.push_back(caption);
            s_pWatcher->m_icons.push_back(ShowsIcon(hWnd));
            std::fprintf(stderr, "[message box] %s\n", text);
            int answer = IDOK;
            if (s_pWatcher->m_nextAnswer < s_pWatcher->m_answers.size())
                answer = s_pWatcher->m_answers[s_pWatcher->m_nextAnswer++];
            ::PostMessageA(hWnd, WM_COMMAND, (WPARAM)answer, 0);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

} // namespace kvtest
