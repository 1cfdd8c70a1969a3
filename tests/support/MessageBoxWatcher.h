// Answers the message boxes shown on the test's thread, for tests of code
// that reports failures in its own message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kvtest {

// Answers every message box shown on this thread while it lives with OK and
// keeps their texts (also the framework's error boxes, which do not go
// through the application object). Other dialogs are left alone. The texts
// go into a list of the caller's when one is given (to keep them in one
// order with messages recorded elsewhere).
class MessageBoxWatcher
{
public:
    explicit MessageBoxWatcher(std::vector<std::string>* pTexts = nullptr);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    const std::vector<std::string>& Texts() const { return *m_pTexts; }
    // The boxes' captions, in the same order.
    const std::vector<std::string>& Captions() const { return m_captions; }

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    std::vector<std::string> m_texts;
    std::vector<std::string>* m_pTexts;
    std::vector<std::string> m_captions;
};

} // namespace kvtest
