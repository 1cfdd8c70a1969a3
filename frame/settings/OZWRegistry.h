// One connection to a registry root (of this computer or another) and one
// open key below it: typed values, enumeration, recursive deletion and the
// hive operations. Every call keeps the Win32 result of its last registry
// call in m_lErrorCode (ERROR_INVALID_PARAMETER, 87, for refused arguments);
// nothing throws and nothing is shown to the user.
#pragma once

#include "platform/framework/Framework.h"
#include <vector>

class OZWRegistry : public CObject
{
    DECLARE_DYNCREATE(OZWRegistry)
public:
    OZWRegistry();
    ~OZWRegistry() override;

    // Empties the names, zeroes the error, the handles, the counts, lengths
    // and times; closing on disconnect is on again. Closes nothing.
    virtual void Initialize();
    // Creates (or opens) the key below the root; a trailing backslash of the
    // name is ignored. The class null is taken as "".
    virtual BOOL Create(LPCTSTR lpszKeyName, LPCTSTR lpszClassName = nullptr,
                        DWORD dwOptions = REG_OPTION_NON_VOLATILE, REGSAM samDesired = KEY_ALL_ACCESS,
                        LPSECURITY_ATTRIBUTES pSecurity = nullptr, DWORD* pdwDisposition = nullptr);
    // Closes the open key and (when closing on disconnect) the root.
    virtual BOOL Close();
    // The root of this computer (no or an empty computer name) or of another.
    // HKEY_CLASSES_ROOT and HKEY_CURRENT_USER exist only locally.
    virtual BOOL Connect(HKEY hKeyRoot, LPCTSTR lpszComputerName = nullptr,
                         BOOL bCloseKeyOnDisconnect = TRUE);
    // Deletes a key: a name starting with a backslash is a path below the
    // root, any other name a path below the open key. Recursive: with all
    // its subkeys; otherwise a key with subkeys is not deleted. An empty
    // name is refused (87). When this object's own key was deleted, it opens
    // the deleted key's parent.
    virtual BOOL DeleteKey(LPCTSTR lpszKeyName, BOOL bRecursive = FALSE);
    virtual BOOL DeleteValue(LPCTSTR lpszValueName);
    // The raw enumeration of subkeys of the open key; returns the Win32 code.
    virtual LONG EnumerateKeys(DWORD dwIndex, LPTSTR lpszName, LPDWORD lpdwNameSize,
                               LPTSTR lpszClass = nullptr, LPDWORD lpdwClassSize = nullptr);
    virtual BOOL EnumerateKeys(DWORD dwIndex, CString& strName, CString& strClass);
    virtual BOOL EnumerateKeys(DWORD dwIndex, CString& strName);
    // Values of the open key by index: the name, and when asked the type and
    // the data (a data buffer too small still gives the name: TRUE).
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, DWORD* pdwType = nullptr);
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, DWORD* pdwType, LPBYTE pData,
                                 DWORD* pdwSize);
    virtual BOOL Flush();
    // Typed reads; a value of another type is not read (ERROR_UNSUPPORTED_TYPE).
    virtual BOOL GetBinaryValue(LPCTSTR lpszValueName, CByteArray& bytes);
    virtual BOOL GetDoubleWordValue(LPCTSTR lpszValueName, DWORD& dwValue);
    virtual BOOL GetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor,
                             DWORD* pdwSize);
    // On failure the string is emptied.
    virtual BOOL GetStringValue(LPCTSTR lpszValueName, CString& strValue);
    virtual BOOL GetStringArrayValue(LPCTSTR lpszValueName, CStringArray& strings);
    virtual BOOL GetValue(LPCTSTR lpszValueName, CString& strValue);
    virtual BOOL GetValue(LPCTSTR lpszValueName, CStringArray& strings);
    virtual BOOL GetValue(LPCTSTR lpszValueName, DWORD& dwValue);
    virtual BOOL GetValue(LPCTSTR lpszValueName, CByteArray& bytes);
    virtual BOOL Load(LPCTSTR lpszSubKey, LPCTSTR lpszFileName);
    virtual BOOL NotifyChange(HANDLE hEvent, DWORD dwFilter = REG_NOTIFY_CHANGE_LAST_SET,
                              BOOL bWatchSubtree = TRUE, BOOL bAsynchronous = TRUE);
    // Opens the key below the root (HKEY_CLASSES_ROOT when no root is
    // connected); a trailing backslash of the name is ignored, the name is
    // kept as passed. Runs QueryInfo on success.
    virtual BOOL Open(LPCTSTR lpszKeyName, REGSAM samDesired = KEY_ALL_ACCESS);
    virtual BOOL QueryInfo();
    virtual BOOL QueryValue(LPCTSTR lpszValueName, DWORD* pdwType, LPBYTE pData, DWORD* pdwSize);
    virtual BOOL Replace(LPCTSTR lpszSubKey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile);
    virtual BOOL Restore(LPCTSTR lpszFileName, DWORD dwFlags = 0);
    virtual BOOL Save(LPCTSTR lpszFileName, LPSECURITY_ATTRIBUTES pSecurity = nullptr);
    virtual BOOL SetBinaryValue(LPCTSTR lpszValueName, const CByteArray& bytes);
    virtual BOOL SetDoubleWordValue(LPCTSTR lpszValueName, DWORD dwValue);
    virtual BOOL SetSecurity(SECURITY_INFORMATION* pInfo, PSECURITY_DESCRIPTOR pDescriptor);
    virtual BOOL SetStringValue(LPCTSTR lpszValueName, const CString& strValue);
    // Each string with its terminator, then one more zero.
    virtual BOOL SetStringArrayValue(LPCTSTR lpszValueName, const CStringArray& strings);
    virtual BOOL SetValue(LPCTSTR lpszValueName, DWORD dwType, const BYTE* pData, DWORD dwSize);
    virtual BOOL SetValue(LPCTSTR lpszValueName, const CString& strValue);
    virtual BOOL SetValue(LPCTSTR lpszValueName, const CStringArray& strings);
    virtual BOOL SetValue(LPCTSTR lpszValueName, DWORD dwValue);
    virtual BOOL SetValue(LPCTSTR lpszValueName, const CByteArray& bytes);
    virtual BOOL UnLoad(LPCTSTR lpszSubKey);

    // The predefined roots by name and back: an unknown name gives null; an
    // unknown root leaves the name as it is and answers FALSE.
    static HKEY RootFromName(LPCTSTR lpszName);
    static BOOL NameFromRoot(HKEY hKeyRoot, CString& strName);

    LONG m_lErrorCode = 0;
    HKEY m_hKey = nullptr;
    HKEY m_hRegistry = nullptr;
    DWORD m_dwMaxSubKeyLen = 0;
    DWORD m_dwMaxClassLen = 0;
    DWORD m_dwMaxValueNameLen = 0;
    DWORD m_dwMaxValueLen = 0;
    DWORD m_dwSecurityDescriptorLen = 0;
    FILETIME m_ftLastWriteTime {};
    CString m_strClassName;
    CString m_strComputerName;
    CString m_strKeyName;
    CString m_strRegistryName;
    DWORD m_dwNumSubKeys = 0;
    DWORD m_dwNumValues = 0;
    __time64_t m_timeLastWrite = 0;   // the last write, seconds since 1970 (0 before 1900)
    BOOL m_bRemote = FALSE;
    BOOL m_bCloseKeyOnDisconnect = TRUE;

protected:
    // A value's type and size; FALSE (error kept) when it cannot be read.
    BOOL ValueSize(LPCTSTR lpszValueName, DWORD& dwType, DWORD& dwSize);
    // Reads a whole value of the expected type into bytes.
    BOOL ReadValue(LPCTSTR lpszValueName, DWORD dwExpectedType, std::vector<BYTE>& bytes);
    BOOL Fail(LONG lError)
    {
        m_lErrorCode = lError;
        return FALSE;
    }
    BOOL Result(LONG lError)
    {
        m_lErrorCode = lError;
        return lError == ERROR_SUCCESS;
    }
};
