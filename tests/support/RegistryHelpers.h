// Direct registry access for the tests of the settings store: what is really
// stored under the product key of the test prefix.
#pragma once
#include <windows.h>

#include <string>

namespace kvtest {

// HKEY_CURRENT_USER of this process redirected to a fresh key of its own, so
// that tests running in parallel in the same prefix never see each other's
// settings (every unit-settings object saves when it is destroyed).
class PrivateUserHive
{
public:
    PrivateUserHive()
    {
        m_path = "Software\\KelvaronTests\\units-" + std::to_string(GetCurrentProcessId());
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        if (RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &m_key, nullptr) == ERROR_SUCCESS)
            m_redirected = RegOverridePredefKey(HKEY_CURRENT_USER, m_key) == ERROR_SUCCESS;
    }
    ~PrivateUserHive()
    {
        if (m_redirected)
            RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        if (m_key)
            RegCloseKey(m_key);
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    }
    bool IsRedirected() const { return m_redirected; }

private:
    std::string m_path;
    HKEY m_key = nullptr;
    bool m_redirected = false;
};

constexpr const char* kProductKey = "Software\\OZU Software\\Quorvex ACAD";

// Removes a key below the product key with everything in it.
inline void DeleteProductSubKey(const std::string& subKey)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kProductKey) + "\\" + subKey).c_str());
}

// The stored value: its registry type and bytes; false when there is none.
inline bool QueryRaw(const std::string& subKey, const std::string& name, DWORD& type,
                     std::string& bytes)
{
    std::string path = kProductKey;
    if (!subKey.empty())
        path += "\\" + subKey;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char data[8192];
    DWORD size = sizeof(data);
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, (BYTE*)data, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return false;
    bytes.assign(data, size);
    return true;
}

// The stored text of a REG_SZ value without its terminator; "<none>" when
// the value is missing, "<type n>" when it is not a string.
inline std::string StoredText(const std::string& subKey, const std::string& name)
{
    DWORD type = 0;
    std::string bytes;
    if (!QueryRaw(subKey, name, type, bytes))
        return "<none>";
    if (type != REG_SZ)
        return "<type " + std::to_string(type) + ">";
    return std::string(bytes.c_str());
}

// Stores a value of any registry type directly.
inline void StoreRaw(const std::string& subKey, const std::string& name, DWORD type,
                     const void* data, DWORD size)
{
    std::string path = kProductKey;
    if (!subKey.empty())
        path += "\\" + subKey;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, name.c_str(), 0, type, (const BYTE*)data, size);
        RegCloseKey(key);
    }
}

inline void StoreText(const std::string& subKey, const std::string& name, const std::string& text)
{
    StoreRaw(subKey, name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

} // namespace kvtest
