#include "app/KelvaronApp.h"
#include "database/merge/DBDatabase.h"

namespace {
const char kSignificantDigitsPath[] = "VisualSettings\\Misc\\SignificantDigits";
}

CKelvaronApp::CKelvaronApp()
{
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(path, (int)(n < MAX_PATH ? n : 0));
    if (StripToFolder(folder) > 0)
        m_strRootPath = folder;
    // The layers below read the display settings and write the merge report
    // into the program folder.
    OZU_DisplaySettings::SetCurrent(this);
    DBDatabase::SetProgramFolder(m_strRootPath);
}

CKelvaronApp::~CKelvaronApp()
{
    if (OZU_DisplaySettings::Current() == this)
        OZU_DisplaySettings::SetCurrent(nullptr);
}

BOOL CKelvaronApp::ReadSetting(LPCSTR keyPath, void* buffer, int type, int size)
{
    return m_registrySettings.ReadSetting(keyPath, buffer, type, size);
}

BOOL CKelvaronApp::WriteSetting(LPCSTR keyPath, const void* buffer, int type, int size)
{
    return m_registrySettings.WriteSetting(keyPath, buffer, type, size);
}

int CKelvaronApp::GetSignificantDigits() const
{
    if (m_nSignificantDigits < 1)
        return DefaultSignificantDigits;
    if (m_nSignificantDigits > MaxSignificantDigits)
        return MaxSignificantDigits;
    return m_nSignificantDigits;
}

void CKelvaronApp::LoadSignificantDigits()
{
    int digits = DefaultSignificantDigits;
    if (!ReadSetting(kSignificantDigitsPath, &digits, CRegistrySettings::typeInt32, sizeof(digits))) {
        digits = DefaultSignificantDigits;
        WriteSetting(kSignificantDigitsPath, &digits, CRegistrySettings::typeInt32, sizeof(digits));
    }
    m_nSignificantDigits = digits;
}

int CKelvaronApp::StripToFolder(CString& path)
{
    CString folder = path;
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        folder.Truncate(folder.GetLength() - 1);
    int slash = folder.ReverseFind('\\');
    if (slash < 0)
        return -1;
    path = folder.Left(slash + 1);
    return path.GetLength();
}

int CKelvaronApp::StripToFileName(CString& path)
{
    int slash = path.ReverseFind('\\');
    if (slash < 0 || slash == path.GetLength() - 1)
        return -1;
    path = path.Mid(slash + 1);
    return path.GetLength();
}

CString CKelvaronApp::MakePrefixedPath(LPCSTR prefix, LPCSTR path)
{
    CString folder(path != nullptr ? path : ""), name(folder);
    if (StripToFolder(folder) < 0 || StripToFileName(name) < 0)
        return CString();
    return folder + (prefix != nullptr ? prefix : "") + name;
}
