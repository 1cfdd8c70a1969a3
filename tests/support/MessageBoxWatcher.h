// Answers the message boxes shown on the test's thread, for tests of code
// that reports failures in its own message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace kvtest {

// Answers every message box shown on this thread while it lives with OK (or
// the answers it is given) and keeps their texts (also the framework's error
// boxes, which do not go through the application object). Other dialogs are
// left alone. The texts
// go into a list of the caller's when one is given (to keep them in one
// order with messages recorded elsewhere). Watchers nest: the innermost one
// answers while it lives.
class MessageBoxWatcher
{
public:
    explicit MessageBoxWatcher(std::vector<std::string>* pTexts = nullptr);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // The buttons the next boxes are answered with (IDYES, IDNO, IDCANCEL...),
    // one each in turn; once they are used up, boxes are answered with OK.
    void Answer(std::vector<int> answers) { m_answers = std::move(answers); m_nextAnswer = 0; }

    const std::vector<std::string>& Texts() const { return *m_pTexts; }
    // The boxes' captions, in the same order.
    const std::vector<std::string>& Captions() const { return m_captions; }
    // Whether each box showed an icon, in the same order.
    const std::vector<bool>& Icons() const { return m_icons; }

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    std::vector<std::string> m_texts;
    std::vector<std::string>* m_pTexts;
    std::vector<std::string> m_captions;
    std::vector<bool> m_icons;
    MessageBoxWatcher* m_pOuter;
    std::vector<int> m_answers;
    size_t m_nextAnswer = 0;
};

} // namespace kvtest
