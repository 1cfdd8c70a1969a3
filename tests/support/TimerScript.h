// Drives a modal message loop (a modal dialog, a property sheet, a menu) from
// inside, for tests of code that runs one.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

namespace kvtest {

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

} // namespace kvtest
