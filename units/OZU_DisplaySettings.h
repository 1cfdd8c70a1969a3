// How the program shows physical values: the user's display units and the
// number of significant digits. The application object owns both; it
// implements this and hands itself down at start-up (SetCurrent), so that
// the unit dialogs and the grids, which lie below it, can read them.
#pragma once

#include "units/OZU_UnitSettings.h"

class OZU_DisplaySettings
{
public:
    virtual ~OZU_DisplaySettings() = default;

    // The digits values are shown with when nothing else says.
    static constexpr int DefaultSignificantDigits = 5;

    // The user's display units, limits and significant-digit rounding.
    virtual OZU_UnitSettings* GetUnitSettings() = 0;
    // The number of significant digits values are shown with (1 .. 16).
    virtual int GetSignificantDigits() const = 0;

    // The settings of the running program; null before the application
    // hands them down (and in tests that have no application).
    static OZU_DisplaySettings* Current();
    static void SetCurrent(OZU_DisplaySettings* pSettings);
    // The current significant digits; the default without current settings.
    static int CurrentSignificantDigits();
};
