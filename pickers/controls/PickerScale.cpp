#include "pickers/controls/PickerScale.h"
#include "units/RegistrySettings.h"

#include <windows.h>

namespace kvpickers {

float ReadScreenScale()
{
    float scale = 0.0f;
    CRegistrySettings settings;
    if (settings.ReadSetting("AppSettings\\DPIScale", &scale, CRegistrySettings::typeFloat, sizeof(scale)) &&
        scale > 0.0f)
        return scale;
    HDC hScreen = ::GetDC(nullptr);
    int dpi = hScreen ? ::GetDeviceCaps(hScreen, LOGPIXELSY) : 96;
    if (hScreen)
        ::ReleaseDC(nullptr, hScreen);
    return dpi > 0 ? dpi / 96.0f : 1.0f;
}

int ItemHeightForScale(float scale)
{
    if (scale >= 2.0f)
        return 32;
    if (scale >= 1.5f)
        return 24;
    return 16;
}

} // namespace kvpickers
