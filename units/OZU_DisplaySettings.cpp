#include "units/OZU_DisplaySettings.h"

namespace {
OZU_DisplaySettings* s_pCurrent = nullptr;
}

OZU_DisplaySettings* OZU_DisplaySettings::Current()
{
    return s_pCurrent;
}

void OZU_DisplaySettings::SetCurrent(OZU_DisplaySettings* pSettings)
{
    s_pCurrent = pSettings;
}

int OZU_DisplaySettings::CurrentSignificantDigits()
{
    return s_pCurrent ? s_pCurrent->GetSignificantDigits() : DefaultSignificantDigits;
}
