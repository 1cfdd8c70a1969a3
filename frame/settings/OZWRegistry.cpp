#include "frame/settings/OZWRegistry.h"

IMPLEMENT_DYNCREATE(OZWRegistry, CObject)

namespace {

const DWORD kNameBuffer = 2048;         // key names and classes
const DWORD kValueNameBuffer = 16384;   // the longest value name the registry allows, and more

struct RootName
{
    HKEY hKey;
    const char* name;
};

const RootName kRoots[] = {
    { HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT" },
    { HKEY_CURRENT_USER, "HKEY_CURRENT_USER" },
    { HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE" },
    { HKEY_USERS, "HKEY_USERS" },
    { HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG" },
    { HKEY_DYN_DATA, "HKEY_DYN_DATA" },
};

CString WithoutTrailingBackslashes(CString s)
{
    s.TrimRight('\\');
    return s;
}

// Deletes the key lpszName below hParent with everything under it.
LONG DeleteTree(HKEY hParent, LPCTSTR lpszName)
{
    HKEY hKey = nullptr;
    LONG lResult = ::RegOpenKeyExA(hParent, lpszName, 0, KEY_ALL_ACCESS, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    for (;;) {
        char child[256];
        DWORD cch = sizeof(child);
        lResult = ::RegEnumKeyExA(hKey, 0, child, &cch, nullptr, nullptr, nullptr, nullptr);
        if (lResult == ERROR_NO_MORE_ITEMS) {
            lResult = ERROR_SUCCESS;
            break;
        }
        if (lResult != ERROR_SUCCESS)
            break;
        lResult = DeleteTree(hKey, child);
        if (lResult != ERROR_SUCCESS)
            break;
    }
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    return ::RegDeleteKeyA(hParent, lpszName);
}

// True when a key has subkeys (or cannot be asked).
bool HasSubKeys(HKEY hParent, LPCTSTR lpszName)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hParent, lpszName, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD n = 0;
    const LONG l = ::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &n, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(hKey);
    return l != ERROR_SUCCESS || n != 0;
}

} // namespace

OZWRegistry::OZWRegistry()
{
    m_timeLastWrite = 0;
    Initialize();
}

OZWRegistry::~OZWRegistry()
{
    if (m_hKey != nullptr || m_hRegistry != nullptr)
        Close();
    Initialize();
}

void OZWRegistry::Initialize()
{
    m_strClassName.Empty();
    m_strComputerName.Empty();
    m_strKeyName.Empty();
    m_strRegistryName.Empty();
    m_lErrorCode = 0;
    m_hKey = nullptr;
    m_hRegistry = nullptr;
    m_dwMaxSubKeyLen = m_dwMaxClassLen = m_dwMaxValueNameLen = m_dwMaxValueLen = 0;
    m_dwSecurityDescriptorLen = 0;
    m_dwNumSubKeys = m_dwNumValues = 0;
    m_ftLastWriteTime = FILETIME {};
    m_bRemote = FALSE;
    m_bCloseKeyOnDisconnect = TRUE;
}

HKEY OZWRegistry::RootFromName(LPCTSTR lpszName)
{
    if (lpszName == nullptr)
        return nullptr;
    for (const RootName& r : kRoots)
        if (strcmp(r.name, lpszName) == 0)
            return r.hKey;
    return nullptr;
}

BOOL OZWRegistry::NameFromRoot(HKEY hKeyRoot, CString& strName)
{
    for (const RootName& r : kRoots) {
        if (r.hKey == hKeyRoot) {
            strName = r.name;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL OZWRegistry::Create(LPCTSTR lpszKeyName, LPCTSTR lpszClassName, DWORD dwOptions,
                         REGSAM samDesired, LPSECURITY_ATTRIBUTES pSecurity, DWORD* pdwDisposition)
{
    if (lpszKeyName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hRegistry == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    if (m_hKey != nullptr && m_hKey != m_hRegistry)
        ::RegCloseKey(m_hKey);
    m_hKey = m_hRegistry;
    m_strKeyName.Empty();
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    const CString name = WithoutTrailingBackslashes(lpszKeyName);
    const LONG l = ::RegCreateKeyExA(m_hRegistry, name, 0,
                                     const_cast<LPSTR>(lpszClassName != nullptr ? lpszClassName : ""),
                                     dwOptions, samDesired, pSecurity, &hKey, &dwDisposition);
    if (l != ERROR_SUCCESS)
        return Fail(l);
    m_hKey = hKey;
    m_strKeyName = lpszKeyName;
    if (pdwDisposition != nullptr)
        *pdwDisposition = dwDisposition;
    return Result(ERROR_SUCCESS);
}

BOOL OZWRegistry::Close()
{
    LONG lKey = ERROR_SUCCESS, lRoot = ERROR_SUCCESS;
    if (m_hKey != nullptr && m_hKey != m_hRegistry)
        lKey = ::RegCloseKey(m_hKey);
    if (m_hRegistry != nullptr && m_bCloseKeyOnDisconnect)
        lRoot = ::RegCloseKey(m_hRegistry);
    m_hKey = nullptr;
    m_hRegistry = nullptr;
    Initialize();
    m_lErrorCode = lKey != ERROR_SUCCESS ? lKey : lRoot;
    return lKey == ERROR_SUCCESS && lRoot == ERROR_SUCCESS;
}

BOOL OZWRegistry::Connect(HKEY hKeyRoot, LPCTSTR lpszComputerName, BOOL bCloseKeyOnDisconnect)
{
    if (m_hRegistry != nullptr || m_hKey != nullptr)
        Close();
    const BOOL bPreviousClose = m_bCloseKeyOnDisconnect;
    m_bCloseKeyOnDisconnect = bCloseKeyOnDisconnect;
    m_bRemote = lpszComputerName != nullptr && lpszComputerName[0] != '\0';

    LONG l = ERROR_SUCCESS;
    if (hKeyRoot == HKEY_CLASSES_ROOT || hKeyRoot == HKEY_CURRENT_USER) {
        if (m_bRemote)
            l = ERROR_INVALID_HANDLE;
        else
            m_hRegistry = m_hKey = hKeyRoot;
    } else {
        HKEY hConnected = nullptr;
        l = ::RegConnectRegistryA(m_bRemote ? lpszComputerName : nullptr, hKeyRoot, &hConnected);
        if (l == ERROR_SUCCESS)
            m_hRegistry = m_hKey = hConnected;
    }
    m_lErrorCode = l;
    if (l != ERROR_SUCCESS) {
        m_bCloseKeyOnDisconnect = bPreviousClose;
        m_bRemote = FALSE;
        return FALSE;
    }

    if (m_bRemote) {
        m_strComputerName = lpszComputerName;
    } else {
        m_strComputerName.Empty();
        char name[260];
        DWORD cch = sizeof(name);
        if (::GetComputerNameA(name, &cch))
            m_strComputerName = name;
    }
    NameFromRoot(hKeyRoot, m_strRegistryName);
    return TRUE;
}

BOOL OZWRegistry::DeleteKey(LPCTSTR lpszKeyName, BOOL bRecursive)
{
    if (lpszKeyName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    CString name = WithoutTrailingBackslashes(lpszKeyName);
    const bool bAbsolute = name.GetLength() > 0 && name[0] == '\\';
    name.TrimLeft('\\');
    // An empty name would mean the open key or the root itself.
    if (name.IsEmpty())
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hRegistry == nullptr)
        return Fail(ERROR_INVALID_HANDLE);

    // The path below the root: a relative name never falls back to the
    // root, so that a mistyped name cannot delete a key it does not name.
    CString path = name;
    const CString ownKey = WithoutTrailingBackslashes(m_strKeyName);
    if (!bAbsolute && m_hKey != m_hRegistry && !ownKey.IsEmpty())
        path = ownKey + "\\" + name;

    const int slash = path.ReverseFind('\\');
    const CString parent = slash >= 0 ? path.Left(slash) : CString();
    const CString leaf = slash >= 0 ? path.Mid(slash + 1) : path;

    HKEY hParent = m_hRegistry;
    if (!parent.IsEmpty()) {
        LONG l = ::RegOpenKeyExA(m_hRegistry, parent, 0, KEY_ALL_ACCESS, &hParent);
        if (l != ERROR_SUCCESS)
            return Fail(l);
    }
    LONG l;
    if (bRecursive) {
        l = DeleteTree(hParent, leaf);
    } else {
        HKEY hKey = nullptr;
        l = ::RegOpenKeyExA(hParent, leaf, 0, KEY_READ, &hKey);
        if (l == ERROR_SUCCESS) {
            ::RegCloseKey(hKey);
            l = HasSubKeys(hParent, leaf) ? ERROR_ACCESS_DENIED : ::RegDeleteKeyA(hParent, leaf);
        }
    }
    if (hParent != m_hRegistry)
        ::RegCloseKey(hParent);
    if (l != ERROR_SUCCESS)
        return Fail(l);

    // This object's own key may have gone with it: then it opens the
    // deleted key's parent.
    if (m_hKey != m_hRegistry && !ownKey.IsEmpty()) {
        HKEY hCheck = nullptr;
        if (::RegOpenKeyExA(m_hRegistry, ownKey, 0, KEY_READ, &hCheck) == ERROR_SUCCESS) {
            ::RegCloseKey(hCheck);
        } else {
            ::RegCloseKey(m_hKey);
            m_hKey = m_hRegistry;
            m_strKeyName.Empty();
            HKEY hNew = nullptr;
            if (!parent.IsEmpty()
                && ::RegOpenKeyExA(m_hRegistry, parent, 0, KEY_ALL_ACCESS, &hNew) == ERROR_SUCCESS) {
                m_hKey = hNew;
                m_strKeyName = parent;
            }
        }
    }
    return Result(ERROR_SUCCESS);
}

BOOL OZWRegistry::DeleteValue(LPCTSTR lpszValueName)
{
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegDeleteValueA(m_hKey, lpszValueName));
}

LONG OZWRegistry::EnumerateKeys(DWORD dwIndex, LPTSTR lpszName, LPDWORD lpdwNameSize,
                                LPTSTR lpszClass, LPDWORD lpdwClassSize)
{
    if (m_hKey == nullptr)
        return m_lErrorCode = ERROR_INVALID_HANDLE;
    m_lErrorCode = ::RegEnumKeyExA(m_hKey, dwIndex, lpszName, lpdwNameSize, nullptr, lpszClass,
                                   lpdwClassSize, &m_ftLastWriteTime);
    return m_lErrorCode;
}

BOOL OZWRegistry::EnumerateKeys(DWORD dwIndex, CString& strName, CString& strClass)
{
    char name[kNameBuffer], cls[kNameBuffer];
    DWORD cchName = kNameBuffer - 1, cchClass = kNameBuffer - 1;
    name[0] = cls[0] = '\0';
    const LONG l = EnumerateKeys(dwIndex, name, &cchName, cls, &cchClass);
    if (l != ERROR_SUCCESS && l != ERROR_MORE_DATA)
        return FALSE;
    strName = name;
    strClass = cls;
    return TRUE;
}

BOOL OZWRegistry::EnumerateKeys(DWORD dwIndex, CString& strName)
{
    char name[kNameBuffer];
    DWORD cchName = kNameBuffer - 1;
    name[0] = '\0';
    const LONG l = EnumerateKeys(dwIndex, name, &cchName);
    if (l != ERROR_SUCCESS && l != ERROR_MORE_DATA)
        return FALSE;
    strName = name;
    return TRUE;
}

BOOL OZWRegistry::EnumerateValues(DWORD dwIndex, CString& strName, DWORD* pdwType)
{
    return EnumerateValues(dwIndex, strName, pdwType, nullptr, nullptr);
}

BOOL OZWRegistry::EnumerateValues(DWORD dwIndex, CString& strName, DWORD* pdwType, LPBYTE pData,
                                  DWORD* pdwSize)
{
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    // The name buffer holds the longest name there can be, so ERROR_MORE_DATA
    // only ever means the data did not fit.
    std::vector<char> name(kValueNameBuffer + 1);
    DWORD cchName = kValueNameBuffer;
    DWORD dwType = 0;
    const LONG l = ::RegEnumValueA(m_hKey, dwIndex, name.data(), &cchName, nullptr, &dwType,
                                   pData, pdwSize);
    m_lErrorCode = l;
    if (l != ERROR_SUCCESS && l != ERROR_MORE_DATA)
        return FALSE;
    strName = name.data();
    if (pdwType != nullptr)
        *pdwType = dwType;
    return TRUE;
}

BOOL OZWRegistry::Flush()
{
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegFlushKey(m_hKey));
}

BOOL OZWRegistry::ValueSize(LPCTSTR lpszValueName, DWORD& dwType, DWORD& dwSize)
{
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    dwType = REG_NONE;
    dwSize = 0;
    return Result(::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &dwType, nullptr, &dwSize));
}

BOOL OZWRegistry::ReadValue(LPCTSTR lpszValueName, DWORD dwExpectedType, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (lpszValueName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    // The size is asked first, so that a value of any length is read whole
    // (and right after Create, before any QueryInfo).
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD dwType = REG_NONE, dwSize = 0;
        if (!ValueSize(lpszValueName, dwType, dwSize))
            return FALSE;
        if (dwType != dwExpectedType)
            return Fail(ERROR_UNSUPPORTED_TYPE);
        bytes.resize(dwSize + 2);   // room for terminators a string may lack
        DWORD dwRead = dwSize;
        const LONG l = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &dwType, bytes.data(), &dwRead);
        if (l == ERROR_MORE_DATA)
            continue;   // it grew in between
        if (l != ERROR_SUCCESS) {
            bytes.clear();
            return Fail(l);
        }
        if (dwType != dwExpectedType) {
            bytes.clear();
            return Fail(ERROR_UNSUPPORTED_TYPE);
        }
        bytes.resize(dwRead);
        return Result(ERROR_SUCCESS);
    }
    bytes.clear();
    return Fail(ERROR_MORE_DATA);
}

BOOL OZWRegistry::GetBinaryValue(LPCTSTR lpszValueName, CByteArray& bytes)
{
    std::vector<BYTE> data;
    if (!ReadValue(lpszValueName, REG_BINARY, data))
        return FALSE;
    bytes.SetSize((INT_PTR)data.size());
    if (!data.empty())
        memcpy(bytes.GetData(), data.data(), data.size());
    return TRUE;
}

BOOL OZWRegistry::GetDoubleWordValue(LPCTSTR lpszValueName, DWORD& dwValue)
{
    std::vector<BYTE> data;
    if (!ReadValue(lpszValueName, REG_DWORD, data))
        return FALSE;
    if (data.size() != sizeof(DWORD))
        return Fail(ERROR_INVALID_DATA);
    memcpy(&dwValue, data.data(), sizeof(DWORD));
    return TRUE;
}

BOOL OZWRegistry::GetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor,
                              DWORD* pdwSize)
{
    if (pDescriptor == nullptr || pdwSize == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegGetKeySecurity(m_hKey, info, pDescriptor, pdwSize));
}

BOOL OZWRegistry::GetStringValue(LPCTSTR lpszValueName, CString& strValue)
{
    strValue.Empty();
    std::vector<BYTE> data;
    if (!ReadValue(lpszValueName, REG_SZ, data))
        return FALSE;
    data.push_back(0);
    strValue = reinterpret_cast<const char*>(data.data());
    return TRUE;
}

BOOL OZWRegistry::GetStringArrayValue(LPCTSTR lpszValueName, CStringArray& strings)
{
    std::vector<BYTE> data;
    if (!ReadValue(lpszValueName, REG_MULTI_SZ, data))
        return FALSE;
    strings.RemoveAll();
    // Zero-separated strings; the final terminators end the list.
    size_t start = 0;
    for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] != 0)
            continue;
        if (i == start)
            break;
        strings.Add(CString(reinterpret_cast<const char*>(&data[start]), (int)(i - start)));
        start = i + 1;
    }
    if (start < data.size() && data.back() != 0)
        strings.Add(CString(reinterpret_cast<const char*>(&data[start]), (int)(data.size() - start)));
    return TRUE;
}

BOOL OZWRegistry::GetValue(LPCTSTR lpszValueName, CString& strValue)
{
    return GetStringValue(lpszValueName, strValue);
}

BOOL OZWRegistry::GetValue(LPCTSTR lpszValueName, CStringArray& strings)
{
    return GetStringArrayValue(lpszValueName, strings);
}

BOOL OZWRegistry::GetValue(LPCTSTR lpszValueName, DWORD& dwValue)
{
    return GetDoubleWordValue(lpszValueName, dwValue);
}

BOOL OZWRegistry::GetValue(LPCTSTR lpszValueName, CByteArray& bytes)
{
    return GetBinaryValue(lpszValueName, bytes);
}

BOOL OZWRegistry::Load(LPCTSTR lpszSubKey, LPCTSTR lpszFileName)
{
    if (lpszSubKey == nullptr || lpszFileName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hRegistry == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegLoadKeyA(m_hRegistry, lpszSubKey, lpszFileName));
}

BOOL OZWRegistry::NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree, BOOL bAsynchronous)
{
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegNotifyChangeKeyValue(m_hKey, bWatchSubtree, dwFilter, hEvent, bAsynchronous));
}

BOOL OZWRegistry::Open(LPCTSTR lpszKeyName, REGSAM samDesired)
{
    if (lpszKeyName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hRegistry == nullptr) {
        m_hRegistry = m_hKey = HKEY_CLASSES_ROOT;
        NameFromRoot(HKEY_CLASSES_ROOT, m_strRegistryName);
    }
    if (m_hKey != nullptr && m_hKey != m_hRegistry)
        ::RegCloseKey(m_hKey);
    m_hKey = m_hRegistry;
    m_strKeyName.Empty();
    HKEY hKey = nullptr;
    const LONG l = ::RegOpenKeyExA(m_hRegistry, WithoutTrailingBackslashes(lpszKeyName), 0,
                                   samDesired, &hKey);
    if (l != ERROR_SUCCESS)
        return Fail(l);
    m_hKey = hKey;
    m_strKeyName = lpszKeyName;
    QueryInfo();
    return Result(ERROR_SUCCESS);
}

BOOL OZWRegistry::QueryInfo()
{
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    char cls[kNameBuffer];
    DWORD cchClass = kNameBuffer - 1;
    cls[0] = '\0';
    const LONG l = ::RegQueryInfoKeyA(m_hKey, cls, &cchClass, nullptr, &m_dwNumSubKeys,
                                      &m_dwMaxSubKeyLen, &m_dwMaxClassLen, &m_dwNumValues,
                                      &m_dwMaxValueNameLen, &m_dwMaxValueLen,
                                      &m_dwSecurityDescriptorLen, &m_ftLastWriteTime);
    if (l != ERROR_SUCCESS)
        return Fail(l);
    m_strClassName = cls;
    FILETIME ftLocal;
    SYSTEMTIME st;
    m_timeLastWrite = 0;
    if (::FileTimeToLocalFileTime(&m_ftLastWriteTime, &ftLocal) && ::FileTimeToSystemTime(&ftLocal, &st)
        && st.wYear >= 1900) {
        ULARGE_INTEGER t;
        t.LowPart = m_ftLastWriteTime.dwLowDateTime;
        t.HighPart = m_ftLastWriteTime.dwHighDateTime;
        m_timeLastWrite = (__time64_t)((LONGLONG)(t.QuadPart / 10000000ULL) - 11644473600LL);
    }
    return Result(ERROR_SUCCESS);
}

BOOL OZWRegistry::QueryValue(LPCTSTR lpszValueName, DWORD* pdwType, LPBYTE pData, DWORD* pdwSize)
{
    if (lpszValueName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegQueryValueExA(m_hKey, lpszValueName, nullptr, pdwType, pData, pdwSize));
}

BOOL OZWRegistry::Replace(LPCTSTR lpszSubKey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile)
{
    if (lpszSubKey == nullptr || lpszNewFile == nullptr || lpszOldFile == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegReplaceKeyA(m_hKey, lpszSubKey, lpszNewFile, lpszOldFile));
}

BOOL OZWRegistry::Restore(LPCTSTR lpszFileName, DWORD dwFlags)
{
    if (lpszFileName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegRestoreKeyA(m_hKey, lpszFileName, dwFlags));
}

BOOL OZWRegistry::Save(LPCTSTR lpszFileName, LPSECURITY_ATTRIBUTES pSecurity)
{
    if (lpszFileName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegSaveKeyA(m_hKey, lpszFileName, pSecurity));
}

BOOL OZWRegistry::SetBinaryValue(LPCTSTR lpszValueName, const CByteArray& bytes)
{
    if (lpszValueName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    static const BYTE kEmpty = 0;
    const BYTE* p = bytes.GetSize() > 0 ? bytes.GetData() : &kEmpty;
    return SetValue(lpszValueName, REG_BINARY, p, (DWORD)bytes.GetSize());
}

BOOL OZWRegistry::SetDoubleWordValue(LPCTSTR lpszValueName, DWORD dwValue)
{
    if (lpszValueName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetValue(lpszValueName, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(DWORD));
}

BOOL OZWRegistry::SetSecurity(SECURITY_INFORMATION* pInfo, PSECURITY_DESCRIPTOR pDescriptor)
{
    if (pInfo == nullptr || pDescriptor == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegSetKeySecurity(m_hKey, *pInfo, pDescriptor));
}

BOOL OZWRegistry::SetStringValue(LPCTSTR lpszValueName, const CString& strValue)
{
    if (lpszValueName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    // Narrow text: the size in bytes is the length plus the terminator.
    return SetValue(lpszValueName, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCTSTR>(strValue)),
                    (DWORD)strValue.GetLength() + 1);
}

BOOL OZWRegistry::SetStringArrayValue(LPCTSTR lpszValueName, const CStringArray& strings)
{
    if (lpszValueName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    std::vector<BYTE> data;
    for (INT_PTR i = 0; i < strings.GetSize(); ++i) {
        const CString& s = strings[i];
        const char* p = s;
        data.insert(data.end(), p, p + s.GetLength());
        data.push_back(0);
    }
    data.push_back(0);
    return SetValue(lpszValueName, REG_MULTI_SZ, data.data(), (DWORD)data.size());
}

BOOL OZWRegistry::SetValue(LPCTSTR lpszValueName, DWORD dwType, const BYTE* pData, DWORD dwSize)
{
    if (lpszValueName == nullptr || pData == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegSetValueExA(m_hKey, lpszValueName, 0, dwType, pData, dwSize));
}

BOOL OZWRegistry::SetValue(LPCTSTR lpszValueName, const CString& strValue)
{
    return SetStringValue(lpszValueName, strValue);
}

BOOL OZWRegistry::SetValue(LPCTSTR lpszValueName, const CStringArray& strings)
{
    return SetStringArrayValue(lpszValueName, strings);
}

BOOL OZWRegistry::SetValue(LPCTSTR lpszValueName, DWORD dwValue)
{
    return SetDoubleWordValue(lpszValueName, dwValue);
}

BOOL OZWRegistry::SetValue(LPCTSTR lpszValueName, const CByteArray& bytes)
{
    return SetBinaryValue(lpszValueName, bytes);
}

BOOL OZWRegistry::UnLoad(LPCTSTR lpszSubKey)
{
    if (lpszSubKey == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_hKey == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    return Result(::RegUnLoadKeyA(m_hKey, lpszSubKey));
}
