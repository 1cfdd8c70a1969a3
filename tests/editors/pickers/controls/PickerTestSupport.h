// Shared pieces of the picker tests: the host window, a line-type list set
// up for one test, and steps run from inside a modal loop.
#pragma once

#include "editors/pickers/core/LineTypes.h"
#include "tests/support/HostWindow.h"

#include <functional>
#include <vector>

namespace pickertest {

using kvtest::CHostWnd;
using kvtest::HostedTest;

inline void Pump()
{
    kvtest::PumpMessages();
}

inline LPARAM At(CPoint pt)
{
    return kvtest::PointParam(pt);
}

// Replaces the program's line types for as long as it lives.
class ScopedLineTypes
{
public:
    explicit ScopedLineTypes(LineTypeArray list) : m_saved(LineTypeList) { LineTypeList = std::move(list); }
    ~ScopedLineTypes() { LineTypeList = m_saved; }

private:
    LineTypeArray m_saved;
};

// Runs the steps one at a time from timer ticks of whatever message loop
// runs next (a modal dialog's), each after the messages the one before it
// caused.
void RunInModalLoop(std::vector<std::function<void()>> steps);

} // namespace pickertest
