// The program's application object. It owns the registry settings store and
// the user's display units for the whole run, and keeps the significant-digits
// setting shared with the design program; it hands the display settings down
// to the layers below (OZU_DisplaySettings) when it is made.
#pragma once
#include "platform/framework/Framework.h"
#include "units/OZU_DisplaySettings.h"
#include "units/RegistrySettings.h"

class CKelvaronApp : public CWinApp, public OZU_DisplaySettings
{
public:
    CKelvaronApp();
    ~CKelvaronApp() override;

    // One typed value of the shared registry key (see CRegistrySettings):
    // TRUE when read or written.
    BOOL ReadSetting(LPCSTR keyPath, void* buffer, int type, int size);
    BOOL WriteSetting(LPCSTR keyPath, const void* buffer, int type, int size);

    // The registry settings store.
    CRegistrySettings* GetSettings() { return &m_registrySettings; }
    // The user's display units, limits and significant-digit rounding.
    OZU_UnitSettings* GetUnitSettings() override { return &m_unitSettings; }

    // The number of significant digits values are shown with: the stored
    // setting when it lies in 1 .. 16, 16 for a larger one, the default 5
    // when it is missing, 0 or negative.
    int GetSignificantDigits() const override;
    // Reads "VisualSettings\Misc\SignificantDigits"; when it is missing, the
    // default 5 is used and written back. A stored value outside 1 .. 16 is
    // kept in the registry (the design program shares it) and handled by
    // GetSignificantDigits.
    void LoadSignificantDigits();

    static constexpr int MaxSignificantDigits = 16;

    // The option word ("KelVaron Settings"): bit value 1 stores a pending
    // grid row without asking, 2 deletes without the confirmation question,
    // 4 keeps the side grids from reporting missing items and nozzles.
    DWORD GetOptions() const { return m_dwOptions; }
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    // TRUE from the start of the application's initialisation to its end.
    BOOL IsStartingUp() const { return m_bStartingUp; }
    void SetStartingUp(BOOL bStartingUp) { m_bStartingUp = bStartingUp; }

    // The program folder: the executable's path up to and including its
    // last backslash.
    const CString& GetRootPath() const { return m_strRootPath; }

    // Path helpers (they touch no state of the application).
    // Cuts the path after its last backslash, keeping it; a trailing
    // backslash is dropped first, so C:\a\b\ gives C:\a\. Returns the new
    // length, or -1 (path unchanged) when no backslash is left to cut at.
    static int StripToFolder(CString& path);
    // Keeps only the part after the last backslash; returns its length, or
    // -1 (path unchanged) when there is no backslash or the path ends in one.
    static int StripToFileName(CString& path);
    // The folder of the path, then the prefix, then its file name
    // (C:\db\a.mdb with prefix ~ gives C:\db\~a.mdb); empty when the path
    // has no folder or no file name.
    static CString MakePrefixedPath(LPCSTR prefix, LPCSTR path);

protected:
    int m_nSignificantDigits = DefaultSignificantDigits;
    OZU_UnitSettings m_unitSettings;        // saved when destroyed
    CRegistrySettings m_registrySettings;   // holds no state
    DWORD m_dwOptions = 0;
    BOOL m_bStartingUp = FALSE;
    CString m_strRootPath;                  // ends in a backslash
};
