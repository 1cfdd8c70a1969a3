// OZWReBar and the version probes.
#include "frame/bars/OZWReBar.h"
#include "frame/bars/BarHelpers.h"
#include "frame/bars/OZWControlBar.h"
#include "platform/theme/ThemeLib.h"

#include <shlwapi.h>

IMPLEMENT_DYNAMIC(OZWReBar, CReBar)

BEGIN_MESSAGE_MAP(OZWReBar, CReBar)
    ON_WM_NCPAINT()
    ON_WM_THEMECHANGED()
END_MESSAGE_MAP()

OZWReBar::~OZWReBar()
{
    OnThemeChanged();
}

CSize OZWReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize size = CReBar::CalcFixedLayout(bStretch, bHorz);
    if (m_hWnd == nullptr)
        return size;
    UINT nInfoSize = 0;
    GetReBarBandInfoSize(nInfoSize);
    const int nBands = (int)GetBandCount();
    for (int i = nBands - 1; i >= 0; --i) {
        REBARBANDINFOA rbbi = {};
        rbbi.cbSize = nInfoSize;
        rbbi.fMask = RBBIM_CHILD;
        if (!::SendMessage(m_hWnd, RB_GETBANDINFOA, (WPARAM)i, (LPARAM)&rbbi) || rbbi.hwndChild == nullptr)
            continue;
        // Only the toolkit's bars, and only as permanent window objects.
        if (OZWControlBar* pBar = DYNAMIC_DOWNCAST(OZWControlBar, CWnd::FromHandlePermanent(rbbi.hwndChild)))
            pBar->CalcFixedLayout(FALSE, bHorz);
    }
    return size;
}

void OZWReBar::OnNcPaint()
{
    CRect rect;
    GetClientRect(&rect);
    if (UXIsOfc2003StyleEnabled()) {
        CWindowDC dc(this);
        ozwbars::FillColour(dc.GetSafeHdc(), rect, UXGetO2K3Color(2));
        return;
    }
    if (UXIsVistaClassicStyleEnabled()) {
        if (m_hTheme == nullptr)
            m_hTheme = UXOpenThemeData(UXGetSafeHwnd(), "Rebar");
        if (m_hTheme != nullptr && UXIsThemePartDefined(m_hTheme, 6, 0) >= 0) {
            CWindowDC dc(this);
            if (UXDrawThemeBackground(m_hTheme, dc.GetSafeHdc(), 6, 0, &rect, nullptr) >= 0)
                return;
        }
    }
    Default();
}

LRESULT OZWReBar::OnThemeChanged()
{
    if (m_hTheme != nullptr) {
        UXCloseThemeData(m_hTheme);
        m_hTheme = nullptr;
    }
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Version probes

DWORD GetDllVersion(LPCTSTR lpszDllName)
{
    HMODULE hModule = ::LoadLibraryA(lpszDllName);
    if (hModule == nullptr)
        return 0;
    DWORD dwVersion = 0;
    auto pfn = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(::GetProcAddress(hModule, "DllGetVersion")));
    if (pfn != nullptr) {
        DLLVERSIONINFO dvi = {};
        dvi.cbSize = sizeof(dvi);
        if (SUCCEEDED(pfn(&dvi)))
            dwVersion = MAKELONG(dvi.dwMinorVersion, dvi.dwMajorVersion);
    }
    ::FreeLibrary(hModule);
    return dwVersion;
}

BOOL IsCommonControls6()
{
    return GetDllVersion("comctl32.dll") >= MAKELONG(0, 6);
}

BOOL IsWindowsVersion6()
{
    OSVERSIONINFOA osvi = {};
    osvi.dwOSVersionInfoSize = sizeof(osvi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL bOk = ::GetVersionExA(&osvi);
#pragma GCC diagnostic pop
    return bOk && osvi.dwMajorVersion >= 6;
}

UINT ReBarBandInfoSizeFor(DWORD dwMajorVersion, DWORD dwComCtlVersion)
{
    // The whole record, or the record without its chevron fields (100 and
    // 80 bytes in a 32-bit program; more here, where handles are 64 bits).
    if (dwMajorVersion >= 6 && dwComCtlVersion >= MAKELONG(0, 6))
        return (UINT)sizeof(REBARBANDINFOA);
    return (UINT)CCSIZEOF_STRUCT(REBARBANDINFOA, cxHeader);
}

void GetReBarBandInfoSize(UINT& nSize)
{
    nSize = ReBarBandInfoSizeFor(IsWindowsVersion6() ? 6 : 5, IsCommonControls6() ? MAKELONG(0, 6) : 0);
}
