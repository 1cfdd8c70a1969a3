#include "app/KelvaronApp.h"
#include "app/AppRes.h"
#include "app/ChildFrm.h"
#include "app/FileFailuresRes.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "app/OptionsDlg.h"
#include "app/Utilities.h"
#include "database/merge/DBDatabase.h"
#include "grids/window/OZU_GridWnd.h"
#include "pickers/core/Colour.h"
#include "pickers/core/LineTypes.h"
#include "pickers/core/PickerFiles.h"
#include "platform/grid/GRApp.h"

#include <clocale>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CKelvaronApp, CWinApp)

BEGIN_MESSAGE_MAP(CKelvaronApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

BOOL CKelvaronApp::s_bClassRegistered = FALSE;

namespace {

// The design program's executable: when it has loaded this editor, the
// profile file lies in its folder.
const char kDesignProgram[] = "PELLIMO.EXE";

// Keeps the in-start-up flag set for the life of the object.
class StartUpScope
{
public:
    explicit StartUpScope(CKelvaronApp& app) : m_app(app) { m_app.SetStartingUp(TRUE); }
    ~StartUpScope() { m_app.SetStartingUp(FALSE); }

private:
    CKelvaronApp& m_app;
};

// Reads a text setting, writing the default back when it is missing. The
// buffer holds the longest text a setting can have, so no stored path is cut.
CString ReadTextSetting(CRegistrySettings& settings, LPCSTR keyPath, const CString& defaultValue)
{
    char text[CRegistrySettings::MaxTextLength + 1] = {};
    if (settings.ReadSetting(keyPath, text, CRegistrySettings::typeText, sizeof(text)))
        return CString(text);
    settings.WriteSetting(keyPath, (LPCSTR)defaultValue, CRegistrySettings::typeText, 0);
    return defaultValue;
}

} // namespace

CKelvaronApp::CKelvaronApp()
{
    CString folder = GetModuleFolder(nullptr);
    if (!folder.IsEmpty())
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

CString CKelvaronApp::GetExecutablePath() const
{
    char path[256] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, (DWORD)sizeof(path));
    return n > 0 && n < sizeof(path) ? CString(path) : CString();
}

CFrameWnd* CKelvaronApp::NewMainFrame()
{
    return new CMainFrame;
}

BOOL CKelvaronApp::InitInstance()
{
    StartUpScope startingUp(*this);
    // The palette and line-type files are read while the windows are made.
    StartReadingPickerFiles();

    // The profile file (recent files, window placement, find list, bar
    // layout, language) lies in a "config" folder: the design program's when
    // it has loaded the editor, else the editor's own. The folder is made
    // when missing, so that the profile can be written.
    CString profileName = m_pszProfileName != nullptr ? m_pszProfileName : "";
    if (profileName.IsEmpty())
        profileName = CString(m_pszExeName != nullptr ? m_pszExeName : "Kelvaron") + ".INI";
    StripToFileName(profileName);
    const CString configFolder = GetModuleFolder(kDesignProgram) + "config\\";
    ::CreateDirectoryA(configFolder, nullptr);
    free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = _strdup(configFolder + profileName);

    m_languageManager.LoadLanguage(m_pszProfileName, "");

    ::SetThreadLocale(LOCALE_SYSTEM_DEFAULT);
    AfxGetModuleState()->m_dwVersion = 0x601;

    if (!IsOnlyInstance()) {
        AfxMessageBox(IDS_ALREADY_RUNNING, MB_ICONERROR);
        return FALSE;
    }

    // The main frame's window class: a second start finds it.
    if (s_bClassRegistered) {
        ::UnregisterClassA(kWindowClass, AfxGetInstanceHandle());
        s_bClassRegistered = FALSE;
    }
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = LoadIcon(IDR_MAINFRAME);
    wc.hCursor = ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    if (!::RegisterClassA(&wc))
        return FALSE;
    s_bClassRegistered = TRUE;

    AfxEnableControlContainer();
    AfxInitRichEdit();
    Enable3dControls();
    GRInit(0xA00, nullptr, nullptr);
    if (!GRGetAppState()->m_bLocaleSet) {
        // Numbers, dates and sorting follow the user's locale; the character
        // handling stays byte-transparent, since every text is UTF-8.
        setlocale(LC_ALL, "");
        setlocale(LC_CTYPE, "C");
    }

    LoadStdProfileSettings(9);
    m_unitSettings.Load();
    // Dialogs may hold grids as controls of their own window class.
    OZU_GridWnd::RegisterClass();

    // The option word; a missing one starts at 0 and is stored.
    DWORD options = 0;
    if (!ReadSetting(kOptionsPath, &options, CRegistrySettings::typeFlags, sizeof(options))) {
        options = 0;
        WriteSetting(kOptionsPath, &options, CRegistrySettings::typeFlags, sizeof(options));
    }
    m_dwOptions = options;

    CString folder = GetExecutablePath();
    if (folder.IsEmpty() || StripToFolder(folder) < 0) {
        AfxMessageBox(IDS_NO_PROGRAM_PATH, MB_OK);
        return FALSE;
    }
    m_strRootPath = folder;
    DBDatabase::SetProgramFolder(m_strRootPath);

    LoadSettings();

    AddDocTemplate(new CMultiDocTemplate(IDR_KELVARTYPE, RUNTIME_CLASS(CKelvaronDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CKelvaronView)));

    CFrameWnd* pMainFrame = NewMainFrame();
    if (pMainFrame == nullptr || !pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE; // a frame that failed has deleted itself
    m_pMainWnd = pMainFrame;

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // The window is shown as it was left (only a whole placement counts).
    LPBYTE pPlacement = nullptr;
    UINT nBytes = 0;
    if (GetProfileBinary("MainFrame", "WP", &pPlacement, &nBytes)) {
        if (nBytes == sizeof(WINDOWPLACEMENT))
            m_nCmdShow = (int)reinterpret_cast<WINDOWPLACEMENT*>(pPlacement)->showCmd;
        delete[] pPlacement;
    }

    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    // The database window is laid out once, at the size it keeps: the MDI
    // client's scroll bars are settled before the frame shows and again
    // after its show has sized it, before anything in it is drawn.
    CMDIFrameWnd* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(m_pMainWnd);
    if (pMDIFrame != nullptr)
        pMDIFrame->SettleClientScrollBars();
    int nShow = (m_dwOptions & OPTION_MAXIMIZE_APP) ? SW_SHOWMAXIMIZED : SW_SHOW;
    if (const CMainFrame* pFrame = dynamic_cast<const CMainFrame*>(m_pMainWnd))
        nShow = pFrame->StartShowCommand(nShow);
    m_pMainWnd->ShowWindow(nShow);
    if (pMDIFrame != nullptr)
        pMDIFrame->SettleClientScrollBars();
    m_pMainWnd->UpdateWindow();
    // What could not be read of the palette and line-type files is told
    // once, now.
    const CString damaged = DescribeDamagedPickerFiles(DamagedPaletteFile().c_str(), DamagedLineTypeFile().c_str());
    if (!damaged.IsEmpty())
        AfxMessageBox(damaged, MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

int CKelvaronApp::ExitInstance()
{
    if (s_bClassRegistered) {
        ::UnregisterClassA(kWindowClass, AfxGetInstanceHandle());
        s_bClassRegistered = FALSE;
        GRTerminate(nullptr);
    }
    return CWinApp::ExitInstance();
}

void CKelvaronApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    CWinApp::AddToRecentFileList(lpszPathName);
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
    if (!ReadSetting(kSignificantDigitsSetting, &digits, CRegistrySettings::typeInt32, sizeof(digits))) {
        digits = DefaultSignificantDigits;
        WriteSetting(kSignificantDigitsSetting, &digits, CRegistrySettings::typeInt32, sizeof(digits));
    }
    m_nSignificantDigits = digits;
}

void CKelvaronApp::LoadSettings()
{
    m_strSymbolsPath = ReadTextSetting(m_registrySettings, kSymbolsPathSetting, m_strRootPath + "Symbols\\Database");
    m_strDefaultDatabasePath =
        ReadTextSetting(m_registrySettings, kDatabasePathSetting, m_strRootPath + "Database\\" + "QUORVEX.MDB");
    LoadSignificantDigits();
}

CString CKelvaronApp::DescribeDamagedPickerFiles(LPCSTR lpszPalette, LPCSTR lpszLineTypes)
{
    CString text;
    const struct
    {
        LPCSTR path;
        UINT nText;
    } files[] = {{lpszPalette, IDS_PALETTE_FILE_DAMAGED}, {lpszLineTypes, IDS_LINETYPE_FILE_DAMAGED}};
    for (const auto& file : files) {
        if (file.path == nullptr || *file.path == '\0')
            continue;
        CString line;
        line.Format(file.nText, file.path);
        text += (text.IsEmpty() ? "" : "\n\n") + line;
    }
    return text;
}

void CKelvaronApp::SetStatusText(LPCTSTR lpszText)
{
    if (CMainFrame* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd))
        pFrame->SetStatusText(lpszText);
}

int CKelvaronApp::IsOnlyInstance()
{
    HWND hRunning = ::FindWindowA(kWindowClass, nullptr);
    if (hRunning == nullptr)
        return 1;
    HWND hPopup = ::GetLastActivePopup(hRunning);
    if (::IsIconic(hRunning))
        ::ShowWindow(hRunning, SW_RESTORE);
    ::SetForegroundWindow(hPopup != nullptr ? hPopup : hRunning);
    return 0;
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

void CKelvaronApp::OnFileNew()
{
    CWinApp::OnFileNew();
}

BOOL CKelvaronApp::ChooseDatabaseToOpen(CString& strPath)
{
    // Every kind of component database the machine opens.
    const CString filter = LoadText(IDS_DB_FILE_FILTER);
    CFileDialog dialog(TRUE, ".accdb", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, m_pMainWnd, 0,
                       TRUE);
    const CString folder = GetOpenFolder();
    if (!folder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    strPath = dialog.GetPathName();
    return TRUE;
}

CString CKelvaronApp::GetOpenFolder()
{
    CString path;
    if (CMainFrame* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd))
        path = pFrame->GetActiveDatabasePath();
    if (path.IsEmpty() && m_pRecentFileList != nullptr && m_pRecentFileList->GetSize() > 0)
        path = (*m_pRecentFileList)[0];
    if (StripToFolder(path) < 0)
        return CString();
    return path;
}

void CKelvaronApp::OnFileOpen()
{
    CString path;
    if (!ChooseDatabaseToOpen(path))
        return;
    OpenDocumentFile(path);
}

BOOL CKelvaronApp::OnOpenRecentFile(UINT nID)
{
    const int nIndex = (int)nID - ID_FILE_MRU_FILE1;
    if (m_pRecentFileList == nullptr || nIndex < 0 || nIndex >= m_pRecentFileList->GetSize())
        return TRUE;
    const CString path = (*m_pRecentFileList)[nIndex];
    if (path.IsEmpty())
        return TRUE;
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

void CKelvaronApp::OnAppAbout()
{
    CAboutDlg dialog;
    dialog.DoModal();
}

CAboutDlg::CAboutDlg() : CDialog(IDD)
{
}
