#include "frame/settings/OZWPTNStrategy.h"
#include "frame/settings/OZWRegistry.h"
#include "platform/framework/base/ProfileFile.h"

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
    return kvprofile::WriteString(m_strFileName, section, nullptr, nullptr);
}

BOOL OZWPTNStrategyProfile::WriteValue(const CStringArray& path, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    const CString section = SectionName(path);
    if (section.IsEmpty())
        return FALSE;
    return kvprofile::WriteString(m_strFileName, section, lpszKey, lpszValue);
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
        bResult = kvprofile::WriteString(m_strFileName, section, key, names[i]) && bResult;
    }
    return bResult;
}

BOOL OZWPTNStrategyProfile::ReadSectionKeys(LPCTSTR lpszSection, CStringArray& keys)
{
    return kvprofile::ReadKeys(m_strFileName, lpszSection, keys);
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
        const CString value = kvprofile::ReadString(m_strFileName, section, names[i], "");
        const CString& key = names[i];
        if (strncmp(key, m_pszChildPrefix, prefixLength) == 0) {
            childNames.Add(value);
        } else {
            keys.Add(key);
            values.Add(value);
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
