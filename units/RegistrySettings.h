// Typed values in the registry key that the editor shares with the design
// program, every type stored as text (raw bytes for the binary type).
#pragma once
#include <windows.h>

class CRegistrySettings
{
public:
    // Value types of ReadSetting and WriteSetting.
    enum
    {
        typeText = 0,        // NUL-terminated text, REG_SZ
        typeInt = 1,         // int, "%d"
        typeShort = 2,       // 16-bit int, "%d"
        typeInt32 = 3,       // int, "%d"
        typeFlags = 4,       // 32-bit unsigned, "%d" (bit 31 written negative)
        typeFloat = 5,       // float, "%.10f"
        typeDouble = 6,      // double, "%.10f"
        typeBinary = 7,      // raw bytes, REG_BINARY
        typeMultiText = 8,   // NUL-terminated text, REG_MULTI_SZ
    };

    // Texts longer than this are cut when written; a longer stored text fails
    // the read.
    static constexpr int MaxTextLength = 1023;

    // Reads the value named by keyPath ("Section\Sub\Name", or a bare name
    // for a value of the product key) under HKEY_CURRENT_USER
    // "Software\OZU Software\Quorvex ACAD" into buffer, in the in-memory form
    // of `type`. `size` is the size of the buffer in bytes: a text is cut to
    // size - 1 bytes (at a character boundary) and terminated, binary data
    // longer than size fails. TRUE when the value was there and of the
    // expected registry type; a numeric text that is not a number then
    // leaves the buffer unchanged. On FALSE the buffer is untouched.
    BOOL ReadSetting(LPCSTR keyPath, void* buffer, int type, int size);
    // Writes buffer as the value; creates the keys as needed. `size` is used
    // for the binary type only. TRUE when stored.
    BOOL WriteSetting(LPCSTR keyPath, const void* buffer, int type, int size);

    // The work of both.
    BOOL AccessSetting(LPCSTR keyPath, void* buffer, int type, int size, BOOL write);

    // Opens a key ("Section\Sub") below the product key, for reading or
    // writing many values through one handle: created when missing with
    // bCreate, else nullptr when missing. The caller closes it.
    static HKEY OpenSettingsKey(LPCSTR subKey, BOOL bCreate);

    // TRUE when the value named by keyPath exists under
    // "Software\OZU Software\Quorvex" (the product name without " ACAD").
    BOOL ValueExists(LPCSTR keyPath);
    // TRUE when HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\NET Framework Setup\NDP\"
    // + version opens for reading.
    static BOOL IsDotNetInstalled(LPCSTR version);
    // TRUE when HKEY_CURRENT_USER "Software\Google\GoogleEarthPlugin" opens
    // for reading.
    static BOOL IsEarthPluginInstalled();
};
