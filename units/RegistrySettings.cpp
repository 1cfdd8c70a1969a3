#include "units/RegistrySettings.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kProductKey[] = "Software\\OZU Software\\Quorvex ACAD";
const char kSharedProductKey[] = "Software\\OZU Software\\Quorvex";

// Splits "Section\Sub\Name" into its key ("Section\Sub") and value name.
void SplitKeyPath(LPCSTR keyPath, std::string& subKey, std::string& valueName)
{
    std::string path = keyPath ? keyPath : "";
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos) {
        subKey.clear();
        valueName = path;
    } else {
        subKey = path.substr(0, slash);
        valueName = path.substr(slash + 1);
    }
}

// Opens (creating when missing) the product key and below it the sub-key.
HKEY OpenKey(const char* productKey, const std::string& subKey)
{
    HKEY product = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, productKey, 0, (LPSTR) "HKEY", REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &product, nullptr) != ERROR_SUCCESS)
        return nullptr;
    if (subKey.empty())
        return product;
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(product, subKey.c_str(), 0, (LPSTR) "HKEY", REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(product);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

// A decimal integer as "%d" reads it (leading blanks, a sign, digits; the
// rest ignored), within [low, high]. False when there is no number or it is
// out of range.
bool ParseInteger(const char* text, long long low, long long high, long long& value)
{
    errno = 0;
    char* end = nullptr;
    long long v = strtoll(text, &end, 10);
    if (end == text || errno == ERANGE || v < low || v > high)
        return false;
    value = v;
    return true;
}

// A floating-point text written under either decimal separator, read with
// the C runtime's current one.
bool ParseReal(std::string text, double& value)
{
    const char* point = localeconv()->decimal_point;
    char separator = (point && *point) ? *point : '.';
    for (char& c : text)
        if (c == '.' || c == ',')
            c = separator;
    errno = 0;
    char* end = nullptr;
    double v = strtod(text.c_str(), &end);
    if (end == text.c_str() || errno == ERANGE)
        return false;
    value = v;
    return true;
}

// A number as the C runtime writes it (its locale's decimal separator).
template <class T>
std::string FormatNumber(const char* format, T value)
{
    char text[400];
    snprintf(text, sizeof(text), format, value);
    return text;
}

// Cuts a UTF-8 text to at most maxBytes bytes without splitting a character.
size_t CutLength(const char* text, size_t length, size_t maxBytes)
{
    if (length <= maxBytes)
        return length;
    size_t n = maxBytes;
    while (n > 0 && ((unsigned char)text[n] & 0xC0) == 0x80)
        --n;
    return n;
}

} // namespace

HKEY CRegistrySettings::OpenSettingsKey(LPCSTR subKey, BOOL bCreate)
{
    std::string path = std::string(kProductKey) + "\\" + (subKey ? subKey : "");
    HKEY key = nullptr;
    LONG rc = bCreate ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, (LPSTR) "HKEY", REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, nullptr)
                      : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

BOOL CRegistrySettings::ReadSetting(LPCSTR keyPath, void* buffer, int type, int size)
{
    return AccessSetting(keyPath, buffer, type, size, FALSE);
}

BOOL CRegistrySettings::WriteSetting(LPCSTR keyPath, const void* buffer, int type, int size)
{
    return AccessSetting(keyPath, const_cast<void*>(buffer), type, size, TRUE);
}

BOOL CRegistrySettings::AccessSetting(LPCSTR keyPath, void* buffer, int type, int size,
                                      BOOL write)
{
    if (keyPath == nullptr || buffer == nullptr || type < typeText || type > typeMultiText)
        return FALSE;
    if ((type == typeBinary || type == typeText || type == typeMultiText) && !write && size <= 0)
        return FALSE;
    if (type == typeBinary && size < 0)
        return FALSE;

    const DWORD registryType = type == typeBinary      ? REG_BINARY
                               : type == typeMultiText ? REG_MULTI_SZ
                                                       : REG_SZ;

    // The text written for the in-memory value.
    std::string text;
    if (write) {
        switch (type) {
        case typeText:
        case typeMultiText: {
            const char* s = static_cast<const char*>(buffer);
            text.assign(s, CutLength(s, strlen(s), MaxTextLength));
            break;
        }
        case typeInt:
        case typeInt32:
            text = FormatNumber("%d", *static_cast<const int*>(buffer));
            break;
        case typeShort:
            text = FormatNumber("%d", (int)*static_cast<const short*>(buffer));
            break;
        case typeFlags:
            text = FormatNumber("%d", (int)*static_cast<const DWORD*>(buffer));
            break;
        case typeFloat:
            text = FormatNumber("%.10f", (double)*static_cast<const float*>(buffer));
            break;
        case typeDouble:
            text = FormatNumber("%.10f", *static_cast<const double*>(buffer));
            break;
        default:
            break;
        }
    }

    std::string subKey, valueName;
    SplitKeyPath(keyPath, subKey, valueName);
    HKEY key = OpenKey(kProductKey, subKey);
    if (key == nullptr)
        return FALSE;

    BOOL ok = FALSE;
    if (write) {
        if (type == typeBinary) {
            ok = RegSetValueExA(key, valueName.c_str(), 0, REG_BINARY,
                                static_cast<const BYTE*>(buffer), (DWORD)size) == ERROR_SUCCESS;
        } else {
            // A multi-string ends with an empty string: two terminators.
            std::string bytes = text;
            bytes.push_back('\0');
            if (type == typeMultiText)
                bytes.push_back('\0');
            ok = RegSetValueExA(key, valueName.c_str(), 0, registryType,
                                reinterpret_cast<const BYTE*>(bytes.data()),
                                (DWORD)bytes.size()) == ERROR_SUCCESS;
        }
    } else if (type == typeBinary) {
        DWORD storedType = 0;
        DWORD bytes = (DWORD)size;
        // Read into a buffer of our own, so that a failed or mistyped read
        // leaves the caller's untouched.
        std::string data((size_t)size, '\0');
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, &storedType,
                             reinterpret_cast<BYTE*>(&data[0]), &bytes) == ERROR_SUCCESS &&
            storedType == REG_BINARY) {
            memcpy(buffer, data.data(), bytes);
            ok = TRUE;
        }
    } else {
        // One byte more than the longest text, so that the text is always
        // terminated even when the stored data is not.
        char data[MaxTextLength + 2] = {};
        DWORD storedType = 0;
        DWORD bytes = MaxTextLength + 1;
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, &storedType,
                             reinterpret_cast<BYTE*>(data), &bytes) == ERROR_SUCCESS) {
            bool typeMatches = (storedType == registryType) ||
                               (registryType == REG_SZ && storedType == REG_EXPAND_SZ);
            if (typeMatches) {
                ok = TRUE;
                long long integer = 0;
                double real = 0;
                switch (type) {
                case typeText:
                case typeMultiText: {
                    // The first string of a multi-string; a text cut to the
                    // caller's buffer.
                    size_t length = CutLength(data, strlen(data), (size_t)size - 1);
                    memcpy(buffer, data, length);
                    static_cast<char*>(buffer)[length] = '\0';
                    break;
                }
                case typeInt:
                case typeInt32:
                    if (ParseInteger(data, INT32_MIN, INT32_MAX, integer))
                        *static_cast<int*>(buffer) = (int)integer;
                    break;
                case typeShort:
                    if (ParseInteger(data, INT32_MIN, INT32_MAX, integer))
                        *static_cast<short*>(buffer) = (short)(unsigned short)(integer & 0xFFFF);
                    break;
                case typeFlags:
                    if (ParseInteger(data, INT32_MIN, UINT32_MAX, integer))
                        *static_cast<DWORD*>(buffer) = (DWORD)(integer & 0xFFFFFFFF);
                    break;
                case typeFloat:
                    if (ParseReal(data, real))
                        *static_cast<float*>(buffer) = (float)real;
                    break;
                case typeDouble:
                    if (ParseReal(data, real))
                        *static_cast<double*>(buffer) = real;
                    break;
                default:
                    break;
                }
            }
        }
    }
    RegCloseKey(key);
    return ok;
}

BOOL CRegistrySettings::ValueExists(LPCSTR keyPath)
{
    std::string subKey, valueName;
    SplitKeyPath(keyPath, subKey, valueName);
    HKEY key = OpenKey(kSharedProductKey, subKey);
    if (key == nullptr)
        return FALSE;
    BOOL exists = RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                  ERROR_SUCCESS;
    RegCloseKey(key);
    return exists;
}

namespace {
BOOL KeyOpensForReading(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(key);
    return TRUE;
}
} // namespace

BOOL CRegistrySettings::IsDotNetInstalled(LPCSTR version)
{
    return KeyOpensForReading(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\") +
                                                      (version != nullptr ? version : ""));
}

BOOL CRegistrySettings::IsEarthPluginInstalled()
{
    return KeyOpensForReading(HKEY_CURRENT_USER, "Software\\Google\\GoogleEarthPlugin");
}
