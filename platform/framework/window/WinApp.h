// The thread and application objects: the message loop with idle processing,
// start-up and shut-down, the profile (INI file) settings, the recent-file
// list, and the global access functions (AfxGetApp, AfxGetMainWnd...).
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/base/AfxRes.h"

class CWinApp;
class CDocManager;
class CDocTemplate;
class CDocument;
class CCommandLineInfo;
class CRecentFileList;
class CByteArray;

/////////////////////////////////////////////////////////////////////////////
// CWinThread: a thread with a message loop

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;    // closing it ends the message loop
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = FALSE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    MSG m_msgCur = {};             // the message being pumped

    virtual CWnd* GetMainWnd();

    virtual BOOL InitInstance();
    // The message loop: pumps messages, offering each to PreTranslateMessage,
    // and calls OnIdle with a growing count while the queue is empty until it
    // returns FALSE. Ends on WM_QUIT with ExitInstance's result.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // One message: FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Idle work: count 0 updates the user interface (WM_IDLEUPDATECMDUI to
    // every framework window of the thread: control bars, frames and anything
    // else that handles it); count 1 frees temporary objects. TRUE while more
    // idle work is wanted.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that should not restart idle processing (mouse moves
    // without movement, paints, the caret timer).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    // A framework exception (or any other) thrown by a message handler ends
    // here: the user is told (unless it was a user exception) and the
    // message gets a safe result.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    virtual void Delete();

protected:
    MSG m_msgLast = {};            // last message seen by IsIdleMessage
};

/////////////////////////////////////////////////////////////////////////////
// CRecentFileList: the most-recently-used files, kept in the profile

#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList
{
public:
    // nStart: command id of the first entry (ID_FILE_MRU_FILE1); the entries
    // are stored under lpszSection with names from lpszEntryFormat ("File%d",
    // counted from 1); nSize entries at most; menu texts are abbreviated to
    // nMaxDispLen characters.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex);
    const CString& operator[](int nIndex) const;

    // Removes entry nIndex; the later ones move up.
    virtual void Remove(int nIndex);
    // Puts the path (made full) first; an entry of the same path (compared
    // without case) moves up instead of appearing twice.
    virtual void Add(LPCTSTR lpszPathName);
    // The menu text of entry nIndex: the name alone when the file lies in
    // lpszCurDir, else the path shortened to the display length. FALSE for an
    // empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the placeholder item of the menu in pCmdUI by one item per
    // entry ("&1 name", ...), or shows the placeholder disabled when empty.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;   // the placeholder's text
};

// Shortens a path to at most cchMax characters by replacing folders in the
// middle with "..."; with bAtLeastName the file name is always kept.
void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int cchMax, BOOL bAtLeastName);

/////////////////////////////////////////////////////////////////////////////
// CWinApp

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // The one application object of the program (a global). lpszAppName
    // null: the title from string AFX_IDS_APP_TITLE, else the program name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    // Texts owned by the application object, allocated with malloc (free
    // one before replacing it, e.g. m_pszProfileName with a path of choice).
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;      // program file name without extension
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszProfileName = nullptr;  // the INI file of the profile functions

    CRecentFileList* m_pRecentFileList = nullptr;

    // Documents and templates: the manager is made, used and freed by the
    // document classes, which implement the members below that use it.
    CDocManager* m_pDocManager = nullptr;
    void (*m_pfnDeleteDocManager)(CDocManager*) = nullptr; // called by ~CWinApp when set
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU);
    void CloseAllDocuments(BOOL bEndSession);
    BOOL SaveAllModified();
    int GetOpenDocumentCount();
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg BOOL OnOpenRecentFile(UINT nID);

    // Start-up and shut-down
    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;   // saves the standard profile settings
    int Run() override;
    BOOL OnIdle(LONG lCount) override;

    // The message box of AfxMessageBox: owned by the active window, titled
    // with the application's name.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // nCode 1 starts (nests) the wait cursor, -1 ends one, 0 restores it.
    virtual void DoWaitCursor(int nCode);

    // Profile: values in the INI file m_pszProfileName, by section and entry.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // A null value removes the entry; a null entry removes the section.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // Binary values are stored as text, two letters 'A'..'P' per byte (low
    // half first). GetProfileBinary gives a new[] block the caller
    // delete[]s; FALSE (and null, 0) when missing or not of that form.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // The recent-file list with nMaxMRU entries (0: none), read from the profile.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    // Resources
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    BOOL Enable3dControls() { return TRUE; }       // controls are always 3-D
    BOOL Enable3dControlsStatic() { return TRUE; }

    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    afx_msg void OnAppExit();

    // Sets m_hInstance and the texts derived from the program file.
    void SetCurrentHandles();

protected:
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Globals

// The application object, its thread (the same object), its main window.
CWinApp* AFXAPI AfxGetApp();
CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
HINSTANCE AFXAPI AfxGetInstanceHandle();
LPCTSTR AFXAPI AfxGetAppName();
void AFXAPI AfxPostQuitMessage(int nExitCode);

// State shared by the framework's parts of one module.
struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    LPCTSTR m_lpszCurrentAppName = nullptr;
    DWORD m_dwVersion = 0x0A00;   // framework version word the program may set
};
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

// Binary values as text, the one encoding of the profile and the program's
// other settings stores: each byte is two letters 'A'..'P', low half first.
// Decoding fails (FALSE, array emptied) on text of odd length, other
// characters, or no text at all.
CString AFXAPI AfxEncodeLetterPairs(const BYTE* pData, UINT nBytes);
BOOL AFXAPI AfxDecodeLetterPairs(LPCTSTR lpszText, CByteArray& bytes);

// The program's WinMain hands over to this: initialises the application
// object, runs InitInstance and, when it succeeds, the message loop.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// Message boxes through the application's DoMessageBox (plain message boxes
// when there is no application object). With a string id the text is loaded
// from the string table. A box whose type names no icon gets the usual one
// for its buttons, unless the type holds AFX_MB_NOICON (which the system
// never sees).
#define AFX_MB_NOICON 0x80000000u
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// String nIDS with %1 (and %2) replaced by the texts.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);

// ActiveX hosting needs no set-up here; the rich edit controls need their
// library loaded before a dialog with one is created.
void AFXAPI AfxEnableControlContainer();
BOOL AFXAPI AfxInitRichEdit();
BOOL AFXAPI AfxInitRichEdit2();
