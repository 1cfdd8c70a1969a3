// Helpers shared by the window, dialog and application tests.
#pragma once

#include "platform/framework/Framework.h"
#include "tests/platform/framework/window/WindowTestRes.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace wndtest {

// The application object of one test. Message boxes are recorded instead of
// shown, so a test can check what the user would have been told.
class TestApp : public CWinApp
{
public:
    TestApp() : CWinApp("Window Tests") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        messages.push_back(lpszPrompt ? lpszPrompt : "");
        return IDOK;
    }
    std::vector<std::string> messages;
};

// Dispatches every message waiting in the thread's queue (through the
// application's pre-translation when there is an application object).
void PumpPending();

// Runs steps one per timer tick from inside whatever message loop is
// running (a modal dialog, a property sheet). When the loop outlives the
// steps by far, onOverrun ends it so that a failing test cannot hang.
class TimerScript
{
public:
    explicit TimerScript(std::function<void()> onOverrun);
    ~TimerScript();
    void Add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    // Starts ticking (every few milliseconds).
    void Start();
    bool Finished() const { return m_steps.empty(); }
    bool Overran() const { return m_bOverran; }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::deque<std::function<void()>> m_steps;
    std::function<void()> m_onOverrun;
    UINT_PTR m_nTimer = 0;
    int m_nIdleTicks = 0;
    bool m_bOverran = false;
};

// Text of a dialog item.
std::string ItemText(CWnd* pDlg, int nID);

} // namespace wndtest
