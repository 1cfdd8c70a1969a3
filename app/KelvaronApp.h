// The program's application object. It starts the program (profile file,
// interface language, one running editor, window class, grid library, display
// units and shared settings, the document template, the main frame and the
// first database) and owns for the whole run what every other part reaches
// through it: the option word, the program folder, the symbols and default
// database paths, the significant-digits setting, the display units, the
// language manager and the registry settings store. It also carries the File
// New, File Open, recent-file and About commands and the path helpers the
// document names its backup files with. It hands the display settings down
// to the layers below (OZU_DisplaySettings) when it is made.
#pragma once
#include "platform/framework/Framework.h"
#include "app/UILanguageManager.h"
#include "units/OZU_DisplaySettings.h"
#include "units/RegistrySettings.h"

class CKelvaronApp : public CWinApp, public OZU_DisplaySettings
{
    DECLARE_DYNAMIC(CKelvaronApp)
public:
    CKelvaronApp();
    ~CKelvaronApp() override;

    // The running application object; null when the program's application
    // object is of another class (tests) or there is none.
    static CKelvaronApp* Get() { return dynamic_cast<CKelvaronApp*>(AfxGetApp()); }

    // The window class of the main frame; a window of it is a running editor.
    static constexpr char kWindowClass[] = "Quorvex Database Editor";
    // Settings of the option word and of the paths shared with the design
    // program.
    static constexpr char kOptionsPath[] = "KelVaron Settings";
    static constexpr char kSymbolsPathSetting[] = "VisualSettings\\Hydraulic\\DbsSymbolsPath";
    static constexpr char kDatabasePathSetting[] = "VisualSettings\\HydraulicDesign\\DbsName";
    static constexpr char kSignificantDigitsSetting[] = "VisualSettings\\Misc\\SignificantDigits";

    // Start-up, each step in order; FALSE (which ends the program) when a
    // step fails. ExitInstance undoes what start-up registered.
    BOOL InitInstance() override;
    int ExitInstance() override;
    void AddToRecentFileList(LPCTSTR lpszPathName) override;

    // One typed value of the shared registry key (see CRegistrySettings):
    // TRUE when read or written.
    BOOL ReadSetting(LPCSTR keyPath, void* buffer, int type, int size);
    BOOL WriteSetting(LPCSTR keyPath, const void* buffer, int type, int size);

    // The registry settings store.
    CRegistrySettings* GetSettings() { return &m_registrySettings; }
    // The user's display units, limits and significant-digit rounding.
    OZU_UnitSettings* GetUnitSettings() override { return &m_unitSettings; }
    // The interface language.
    CUILanguageManager* GetLanguageManager() { return &m_languageManager; }
    // The framework's recent-file list (null before start-up).
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList; }

    // The number of significant digits values are shown with: the stored
    // setting when it lies in 1 .. 16, 16 for a larger one, the default 5
    // when it is missing, 0 or negative.
    int GetSignificantDigits() const override;
    // Reads "VisualSettings\Misc\SignificantDigits"; when it is missing, the
    // default 5 is used and written back. A stored value outside 1 .. 16 is
    // kept in the registry (the design program shares it) and handled by
    // GetSignificantDigits.
    void LoadSignificantDigits();
    // Reads the symbols folder, the default database and the significant
    // digits shared with the design program; a missing one gets its default
    // (the program folder + "Symbols\Database", + "Database\QUORVEX.MDB", 5),
    // which is written back.
    void LoadSettings();

    static constexpr int MaxSignificantDigits = 16;

    // The option word ("KelVaron Settings"); its bits are OPTION_... of
    // OptionsDlg.h.
    DWORD GetOptions() const { return m_dwOptions; }
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    // TRUE from the start of the application's initialisation to its end.
    BOOL IsStartingUp() const { return m_bStartingUp; }
    void SetStartingUp(BOOL bStartingUp) { m_bStartingUp = bStartingUp; }

    // The program folder: the executable's path up to and including its
    // last backslash.
    const CString& GetRootPath() const { return m_strRootPath; }
    // The default database and the symbols folder shared with the design
    // program.
    const CString& GetDefaultDatabasePath() const { return m_strDefaultDatabasePath; }
    const CString& GetSymbolsPath() const { return m_strSymbolsPath; }

    // The message that tells which palette and line-type files could not be
    // read whole (their paths; empty for a file read whole or absent), and
    // that the program's defaults take the place of what they lack; empty
    // when there is nothing to tell.
    static CString DescribeDamagedPickerFiles(LPCSTR lpszPalette, LPCSTR lpszLineTypes);

    // Shows the text in the main frame's status line (when there is one).
    void SetStatusText(LPCTSTR lpszText);

    // 1 when no running editor was found; else brings the running one to the
    // front (restoring it when minimised) and returns 0.
    int IsOnlyInstance();

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

    // The commands of the application.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    // The folder File Open starts in: the active database's, else that of
    // the database opened last; empty (the system's choice) with neither.
    CString GetOpenFolder();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnAppAbout();

protected:
    // The running executable's path ("" when it cannot be found).
    virtual CString GetExecutablePath() const;
    // A new main frame object (not yet created).
    virtual CFrameWnd* NewMainFrame();
    // The path chosen in the File Open dialog; FALSE when cancelled.
    virtual BOOL ChooseDatabaseToOpen(CString& strPath);

    // Members in the order they are made (and destroyed backwards: the
    // display units save themselves, the language manager frees its library).
    CUILanguageManager m_languageManager;
    CString m_strSymbolsPath;
    DWORD m_dwOptions = 0;
    BOOL m_bStartingUp = FALSE;
    int m_nSignificantDigits = DefaultSignificantDigits;
    CString m_strRootPath;                  // ends in a backslash
    OZU_UnitSettings m_unitSettings;        // saved when destroyed
    CString m_strDefaultDatabasePath;
    CRegistrySettings m_registrySettings;   // holds no state

    // The editor's window class is registered (by this process).
    static BOOL s_bClassRegistered;

    DECLARE_MESSAGE_MAP()
};

// The About box: the program's name, version and copyright.
class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
    enum { IDD = 200 };
};
