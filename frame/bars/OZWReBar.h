// OZWReBar: the framework's rebar with the toolkit's looks. Its non-client
// area is painted in the Office 2003 colour or with the "Rebar" theme part;
// its layout lets every toolkit bar it hosts in a band bring its own sizes
// up to date first.
//
// Beside it the version probes that decide the size of the band records sent
// to the rebar control: the longer record only where both the system and the
// common controls are of version 6 or later.
#pragma once

#include "platform/framework/Framework.h"

#include <uxtheme.h>

class OZWReBar : public CReBar
{
    DECLARE_DYNAMIC(OZWReBar)
public:
    OZWReBar() = default;
    ~OZWReBar() override;

    // The framework's size; before it is returned each band's toolkit bar
    // (from the last band to the first) computes its own.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    HTHEME m_hTheme = nullptr; // "Rebar", opened when first drawn

    afx_msg void OnNcPaint();
    afx_msg LRESULT OnThemeChanged();
    DECLARE_MESSAGE_MAP()
};

// The version of a library by its DllGetVersion: major * 65536 + minor; 0
// when the library, the export or the call fails.
DWORD GetDllVersion(LPCTSTR lpszDllName);
// comctl32.dll is of version 6.0 or later.
BOOL IsCommonControls6();
// The system's major version is 6 or later.
BOOL IsWindowsVersion6();
// The size of the rebar's band record: the whole record when both hold,
// else the record without its chevron fields (100 and 80 bytes in a 32-bit
// program).
void GetReBarBandInfoSize(UINT& nSize);
// The same rule for a system major version and a comctl32 version.
UINT ReBarBandInfoSizeFor(DWORD dwMajorVersion, DWORD dwComCtlVersion);
