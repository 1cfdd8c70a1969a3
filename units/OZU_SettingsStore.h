// The application's settings store as the unit classes use it: one integer
// value (stored as text) per key path.
#pragma once

// Reads the integer named by keyPath into value. True when the value was
// found; a stored text that is not a number leaves value as it was.
bool OZU_ReadIntSetting(const char* keyPath, int& value);
// Writes value under keyPath; true when stored.
bool OZU_WriteIntSetting(const char* keyPath, int value);
