// Shared pieces of the picker tests: the host window and a line-type list
// set up for one test.
#pragma once

#include "pickers/core/LineTypes.h"
#include "tests/support/HostWindow.h"

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
    explicit ScopedLineTypes(LineTypeArray list) : m_saved(LineTypeList()) { LineTypeList() = std::move(list); }
    ~ScopedLineTypes() { LineTypeList() = m_saved; }

private:
    LineTypeArray m_saved;
};

} // namespace pickertest
