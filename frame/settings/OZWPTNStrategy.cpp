#include "frame/settings/OZWPTNStrategy.h"
#include "frame/settings/OZWRegistry.h"
#include <algorithm>
#include <vector>

namespace {

// Longest value the INI reader grows its buffer to.
const DWORD kMaxValueBuffer = 1 << 20;

} // namespace

/////////////////////////////////////////////////////////////////////////////
// OZWPTNStrategyProfile

OZWPTNStrategyProfile::OZWPTNStrategyProfile(LPCTSTR lpszFileName)
    : m_strFileName(lpszFileName != nullptr ? lpszFileName : "")
{
}

CString OZWPTNStrategyProfile::SectionName(const CStringArray& path) const
{
    CString section;
    for (INT_PTR i = path.GetSize() - 1; i >= 0; --i) {
        if (!section.IsEmpty())
            section += m_pszSeparator;
        section += path[i];
    }
    return section;
}

BOOL OZWPTNStrategyProfile::DeleteNode(const CStringArray& path)
{
    const CString section = SectionName(path);
    if (section.IsEmpty())
        return FALSE;
    return ::WritePrivateProfileStringA(section, nullptr, nullptr, m_strFileName);
}

BOOL OZWPTNStrategyProfile::WriteValue(const CStringArray& path, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    const CString section = SectionName(path);
    if (section.IsEmpty())
        return FALSE;
    return ::WritePrivateProfileStringA(section, lpszKey, lpszValue, m_strFileName);
}

BOOL OZWPTNStrategyProfile::WriteChildNames(const CStringArray& path, const CStringArray& names)
{
    const CString section = SectionName(path);
    if (section.IsEmpty())
        return FALSE;
    BOOL bResult = TRUE;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        CString key;
        key.Format("%s%d", m_pszChildPrefix, (int)(i + 1));
        bResult = ::WritePrivateProfileStringA(section, key, names[i], m_strFileName) && bResult;
    }
    return bResult;
}

BOOL OZWPTNStrategyProfile::ReadSectionKeys(LPCTSTR lpszSection, CStringArray& keys)
{
    keys.RemoveAll();
    if (lpszSection == nullptr || lpszSection[0] == '\0')
        return FALSE;
    DWORD size = (DWORD)std::min(m_nMaxBuffer, 512);
    std::vector<char> buffer;
    DWORD count = 0;
    for (;;) {
        buffer.assign(size, '\0');
        count = ::GetPrivateProfileStringA(lpszSection, nullptr, "", buffer.data(), size, m_strFileName);
        if (count != size - 2 || size >= (DWORD)m_nMaxBuffer)
            break;
        size = std::min<DWORD>(size * 2, (DWORD)m_nMaxBuffer);
    }
    for (const char* p = buffer.data(); p < buffer.data() + count && *p != '\0'; p += strlen(p) + 1)
        keys.Add(p);
    return count != 0;
}

BOOL OZWPTNStrategyProfile::ReadNode(const CStringArray& path, CStringArray& childNames,
                                     CStringArray& keys, CStringArray& values)
{
    childNames.RemoveAll();
    keys.RemoveAll();
    values.RemoveAll();
    const CString section = SectionName(path);
    if (section.IsEmpty())
        return FALSE;
    CStringArray names;
    ReadSectionKeys(section, names);
    const int prefixLength = (int)strlen(m_pszChildPrefix);
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        // The buffer grows until the whole value fits, so that long texts
        // come back as they were written.
        std::vector<char> buffer;
        DWORD size = 256;
        for (;;) {
            buffer.assign(size, '\0');
            const DWORD n = ::GetPrivateProfileStringA(section, names[i], "", buffer.data(), size,
                                                       m_strFileName);
            if (n < size - 1 || size >= kMaxValueBuffer)
                break;
            size *= 2;
        }
        const CString& key = names[i];
        if (strncmp(key, m_pszChildPrefix, prefixLength) == 0) {
            childNames.Add(buffer.data());
        } else {
            keys.Add(key);
            values.Add(buffer.data());
        }
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// OZWPTNStrategyRegistry

OZWPTNStrategyRegistry::OZWPTNStrategyRegistry(LPCTSTR lpszBaseKey, HKEY hRootKey)
    : m_strBaseKey(lpszBaseKey != nullptr ? lpszBaseKey : ""), m_hRootKey(hRootKey)
{
    if (m_strBaseKey.IsEmpty() || m_strBaseKey[m_strBaseKey.GetLength() - 1] != '\\')
        m_strBaseKey += '\\';
}

void OZWPTNStrategyRegistry::GetKeyPath(CString& strPath, const CStringArray& path)
{
    strPath = m_strBaseKey;
    for (INT_PTR i = path.GetSize() - 1; i >= 0; --i)
        strPath += path[i] + "\\";
}

BOOL OZWPTNStrategyRegistry::DeleteNode(const CStringArray& path)
{
    OZWRegistry reg;
    if (!reg.Connect(m_hRootKey, nullptr, TRUE))
        return FALSE;
    CString key;
    GetKeyPath(key, path);
    // A node never saved before has nothing to forget: that is success.
    return reg.DeleteKey(key, TRUE) || reg.m_lErrorCode == ERROR_FILE_NOT_FOUND;
}

BOOL OZWPTNStrategyRegistry::WriteValue(const CStringArray& path, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    OZWRegistry reg;
    if (!reg.Connect(m_hRootKey, nullptr, TRUE))
        return FALSE;
    CString key;
    GetKeyPath(key, path);
    if (!reg.Create(key, "", 0, KEY_ALL_ACCESS))
        return FALSE;
    return reg.SetStringValue(lpszKey, CString(lpszValue != nullptr ? lpszValue : ""));
}

BOOL OZWPTNStrategyRegistry::WriteChildNames(const CStringArray&, const CStringArray&)
{
    // Children are the node key's subkeys.
    return TRUE;
}

BOOL OZWPTNStrategyRegistry::ReadNode(const CStringArray& path, CStringArray& childNames,
                                      CStringArray& keys, CStringArray& values)
{
    childNames.RemoveAll();
    keys.RemoveAll();
    values.RemoveAll();
    OZWRegistry reg;
    if (!reg.Connect(m_hRootKey, nullptr, TRUE))
        return FALSE;
    CString key;
    GetKeyPath(key, path);
    if (!reg.Open(key, KEY_READ))
        return FALSE;
    CString name;
    for (DWORD i = 0; reg.EnumerateKeys(i, name); ++i)
        childNames.Add(name);
    for (DWORD i = 0; reg.EnumerateValues(i, name); ++i) {
        CString value;
        if (reg.GetStringValue(name, value)) {
            keys.Add(name);
            values.Add(value);
        }
    }
    return TRUE;
}
