#include "app/KelvaronApp.h"

namespace {
const char kSignificantDigitsPath[] = "VisualSettings\\Misc\\SignificantDigits";
}

CKelvaronApp::CKelvaronApp()
{
}

CKelvaronApp::~CKelvaronApp()
{
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
