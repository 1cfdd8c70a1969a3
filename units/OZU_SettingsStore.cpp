#include "units/OZU_SettingsStore.h"
#include "units/RegistrySettings.h"

// The store keeps no state of its own, so one made here serves as well as the
// application's, also while the application object is being destroyed.
bool OZU_ReadIntSetting(const char* keyPath, int& value)
{
    CRegistrySettings store;
    return store.ReadSetting(keyPath, &value, CRegistrySettings::typeInt32, sizeof(value)) != FALSE;
}

bool OZU_WriteIntSetting(const char* keyPath, int value)
{
    CRegistrySettings store;
    return store.WriteSetting(keyPath, &value, CRegistrySettings::typeInt32, sizeof(value)) != FALSE;
}
