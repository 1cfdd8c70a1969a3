#include "tests/support/TimerScript.h"

namespace kvtest {

namespace {
TimerScript* g_pRunning = nullptr;
}

TimerScript::TimerScript(std::function<void()> onOverrun) : m_onOverrun(std::move(onOverrun)) {}

TimerScript::~TimerScript()
{
    if (m_nTimer != 0)
        ::KillTimer(nullptr, m_nTimer);
    if (g_pRunning == this)
        g_pRunning = nullptr;
}

void TimerScript::Start()
{
    g_pRunning = this;
    m_nTimer = ::SetTimer(nullptr, 0, 10, &TimerScript::OnTick);
}

void CALLBACK TimerScript::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pRunning != nullptr)
        g_pRunning->Tick();
}

void TimerScript::Tick()
{
    if (!m_steps.empty()) {
        auto step = std::move(m_steps.front());
        m_steps.pop_front();
        step();
        return;
    }
    if (++m_nIdleTicks == 200 && m_onOverrun) {
        m_bOverran = true;
        m_onOverrun();
    }
}

} // namespace kvtest
