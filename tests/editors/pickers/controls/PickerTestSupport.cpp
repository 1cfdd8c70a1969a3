#include "PickerTestSupport.h"

namespace pickertest {

namespace {

std::vector<std::function<void()>> g_steps;
UINT_PTR g_timer = 0;

void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_steps.empty()) {
        ::KillTimer(nullptr, g_timer);
        g_timer = 0;
        return;
    }
    std::function<void()> step = g_steps.front();
    g_steps.erase(g_steps.begin());
    step();
}

} // namespace

void RunInModalLoop(std::vector<std::function<void()>> steps)
{
    g_steps = std::move(steps);
    if (g_timer == 0)
        g_timer = ::SetTimer(nullptr, 0, 10, NextStep);
}

} // namespace pickertest
