// The application object of tests of code that reads what the program's
// application object hands down: the user's unit settings and the
// significant digits. A test executable makes one for its whole run.
#pragma once

#include "platform/framework/Framework.h"
#include "units/OZU_DisplaySettings.h"

namespace kvtest {

class CUnitsTestApp : public CWinApp, public OZU_DisplaySettings
{
public:
    CUnitsTestApp() { OZU_DisplaySettings::SetCurrent(this); }
    ~CUnitsTestApp() override { OZU_DisplaySettings::SetCurrent(nullptr); }
    OZU_UnitSettings* GetUnitSettings() override { return &m_units; }
    int GetSignificantDigits() const override { return DefaultSignificantDigits; }

private:
    OZU_UnitSettings m_units;
};

} // namespace kvtest
