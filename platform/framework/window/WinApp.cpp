// The thread and application objects: message loop and idle processing,
// start-up, profile settings in an INI file, the recent-file list, and the
// global access functions.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/base/ProfileFile.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/window/WndState.h"

#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

AFX_MODULE_STATE& ModuleState()
{
    static AFX_MODULE_STATE state;
    return state;
}

char* DupText(LPCTSTR lpsz)
{
    return lpsz ? _strdup(lpsz) : nullptr;
}

void FreeText(LPCTSTR& lpsz)
{
    free(const_cast<char*>(lpsz));
    lpsz = nullptr;
}

// Binary values as text: each byte is two letters 'A'..'P', low half first.
std::string EncodeLetterPairs(const BYTE* pData, UINT nBytes)
{
    std::string text;
    text.reserve((size_t)nBytes * 2);
    for (UINT i = 0; i < nBytes; i++) {
        text += (char)('A' + (pData[i] & 0x0F));
        text += (char)('A' + (pData[i] >> 4));
    }
    return text;
}

// FALSE for text that is not of that form (odd length, other characters).
bool DecodeLetterPairs(const CString& text, std::vector<BYTE>& bytes)
{
    const int nLen = text.GetLength();
    if (nLen == 0 || nLen % 2 != 0)
        return false;
    LPCSTR p = text;
    bytes.resize((size_t)nLen / 2);
    for (int i = 0; i < nLen; i += 2) {
        const char lo = p[i], hi = p[i + 1];
        if (lo < 'A' || lo > 'P' || hi < 'A' || hi > 'P')
            return false;
        bytes[(size_t)i / 2] = (BYTE)(((hi - 'A') << 4) | (lo - 'A'));
    }
    return true;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Globals

CString AFXAPI AfxEncodeLetterPairs(const BYTE* pData, UINT nBytes)
{
    if (pData == nullptr)
        return CString();
    return CString(EncodeLetterPairs(pData, nBytes).c_str());
}

BOOL AFXAPI AfxDecodeLetterPairs(LPCTSTR lpszText, CByteArray& bytes)
{
    bytes.RemoveAll();
    std::vector<BYTE> decoded;
    if (lpszText == nullptr || !DecodeLetterPairs(CString(lpszText), decoded))
        return FALSE;
    bytes.SetSize((INT_PTR)decoded.size());
    if (!decoded.empty())
        memcpy(bytes.GetData(), decoded.data(), decoded.size());
    return TRUE;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    return &ModuleState();
}

CWinApp* AFXAPI AfxGetApp()
{
    return ModuleState().m_pCurrentWinApp;
}

CWinThread* AFXAPI AfxGetThread()
{
    return ModuleState().m_pCurrentWinApp;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    AFX_MODULE_STATE& state = ModuleState();
    if (state.m_hCurrentInstanceHandle == nullptr)
        state.m_hCurrentInstanceHandle = ::GetModuleHandle(nullptr);
    return state.m_hCurrentInstanceHandle;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pszAppName != nullptr)
        return pApp->m_pszAppName;
    return ModuleState().m_lpszCurrentAppName ? ModuleState().m_lpszCurrentAppName : "";
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(::GetActiveWindow(), lpszText, AfxGetAppName(), nType & ~AFX_MB_NOICON);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    rString.FormatMessage((LPCTSTR)strFormat, lpsz1 ? lpsz1 : "");
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    rString.FormatMessage((LPCTSTR)strFormat, lpsz1 ? lpsz1 : "", lpsz2 ? lpsz2 : "");
}

void AFXAPI AfxEnableControlContainer() {}

BOOL AFXAPI AfxInitRichEdit()
{
    static HMODULE hRichEdit = ::LoadLibraryA("riched20.dll");
    return hRichEdit != nullptr;
}

BOOL AFXAPI AfxInitRichEdit2()
{
    return AfxInitRichEdit();
}

/////////////////////////////////////////////////////////////////////////////
// CWinThread

CWinThread::CWinThread()
{
    m_nThreadID = ::GetCurrentThreadId();
}

CWinThread::~CWinThread() = default;

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    AfxLockTempMaps();
    AfxUnlockTempMaps(TRUE);
    return (int)m_msgCur.wParam;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr)
        return FALSE; // thread messages have no handlers here
    CWnd* pMainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
        return TRUE;
    // A window outside the main window's family (a modeless dialog without
    // owner) still gets the main window's accelerators.
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr &&
        !AfxIsDescendant(pMainWnd->m_hWnd, pMsg->hwnd))
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // A mouse move without movement is no reason for another idle pass.
        if (pMsg->message == m_msgLast.message && pMsg->pt.x == m_msgLast.pt.x && pMsg->pt.y == m_msgLast.pt.y)
            return FALSE;
        m_msgLast = *pMsg;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118; // caret blink timer
}

namespace {
BOOL CALLBACK CollectThreadWindow(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}
} // namespace

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        // User-interface updates: every visible framework window of the
        // thread and its framework descendants are asked.
        std::vector<HWND> windows;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CollectThreadWindow, (LPARAM)&windows);
        for (HWND hWnd : windows) {
            if (!::IsWindow(hWnd) || !::IsWindowVisible(hWnd))
                continue;
            if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd))
                AfxCallWndProc(pWnd, hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
            if (::IsWindow(hWnd))
                CWnd::SendMessageToDescendants(hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    if (lCount == 1) {
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return lCount < 1;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    // User exceptions were reported where they were raised.
    if (e != nullptr && !e->IsKindOf(RUNTIME_CLASS(CUserException))) {
        UINT nIDP = (pMsg->message == WM_COMMAND && pMsg->lParam == 0) ? AFX_IDP_COMMAND_FAILURE
                                                                        : AFX_IDP_INTERNAL_FAILURE;
        char szText[512] = {};
        if (e->GetErrorMessage(szText, sizeof(szText)) && szText[0] != '\0')
            AfxMessageBox(szText, MB_ICONEXCLAMATION, nIDP);
        else
            AfxMessageBox(nIDP, MB_ICONEXCLAMATION);
    }
    if (pMsg->message == WM_CREATE)
        return -1; // the window is not made
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, nullptr);
    return 0;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG)
{
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CWinApp

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    m_pszAppName = DupText(lpszAppName);
    AFX_MODULE_STATE& state = ModuleState();
    state.m_pCurrentWinApp = this;
    m_hInstance = AfxGetInstanceHandle();
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (m_pDocManager != nullptr && m_pfnDeleteDocManager != nullptr)
        m_pfnDeleteDocManager(m_pDocManager);
    m_pDocManager = nullptr;
    FreeText(m_pszAppName);
    FreeText(m_pszExeName);
    FreeText(m_pszHelpFilePath);
    FreeText(m_pszProfileName);
    AFX_MODULE_STATE& state = ModuleState();
    if (state.m_pCurrentWinApp == this)
        state.m_pCurrentWinApp = nullptr;
    if (state.m_lpszCurrentAppName != nullptr && state.m_pCurrentWinApp == nullptr)
        state.m_lpszCurrentAppName = nullptr;
}

void CWinApp::SetCurrentHandles()
{
    AFX_MODULE_STATE& state = ModuleState();
    if (m_hInstance == nullptr)
        m_hInstance = AfxGetInstanceHandle();
    state.m_hCurrentInstanceHandle = m_hInstance;

    char szPath[MAX_PATH * 2] = {};
    ::GetModuleFileNameA(m_hInstance, szPath, (DWORD)sizeof(szPath) - 1);
    std::string path(szPath);
    size_t nSlash = path.find_last_of("\\/");
    std::string name = nSlash == std::string::npos ? path : path.substr(nSlash + 1);
    size_t nDot = name.find_last_of('.');
    std::string base = nDot == std::string::npos ? name : name.substr(0, nDot);
    size_t nPathDot = path.find_last_of('.');
    std::string pathNoExt = (nPathDot != std::string::npos && (nSlash == std::string::npos || nPathDot > nSlash))
                                ? path.substr(0, nPathDot) : path;

    if (m_pszExeName == nullptr)
        m_pszExeName = DupText(base.c_str());
    if (m_pszAppName == nullptr) {
        CString strTitle;
        if (strTitle.LoadString(AFX_IDS_APP_TITLE) && !strTitle.IsEmpty())
            m_pszAppName = DupText(strTitle);
        else
            m_pszAppName = DupText(m_pszExeName);
    }
    state.m_lpszCurrentAppName = m_pszAppName;
    if (m_pszHelpFilePath == nullptr)
        m_pszHelpFilePath = DupText((pathNoExt + ".HLP").c_str());
    if (m_pszProfileName == nullptr)
        m_pszProfileName = DupText((std::string(m_pszExeName) + ".INI").c_str());
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr)
        AfxPostQuitMessage(0); // nothing to run for
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    // Owned by the window the user is working in.
    HWND hWndOwner = nullptr;
    if (CWnd* pOwner = CWnd::GetSafeOwner(nullptr, nullptr))
        hWndOwner = pOwner->m_hWnd;
    if (hWndOwner == nullptr)
        hWndOwner = ::GetActiveWindow();
    if (hWndOwner != nullptr && !::IsWindowEnabled(hWndOwner))
        hWndOwner = ::GetActiveWindow();

    // A box without an icon gets the usual one for its buttons, unless it
    // is to have none.
    if (nType & AFX_MB_NOICON)
        nType &= ~AFX_MB_NOICON;
    else if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return ::MessageBox(hWndOwner, lpszPrompt, AfxGetAppName(), nType);
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    } else {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore ? m_hcurWaitCursorRestore : ::LoadCursor(nullptr, IDC_ARROW));
    }
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszProfileName == nullptr || lpszSection == nullptr || lpszEntry == nullptr)
        return (UINT)nDefault;
    return (UINT)kvprofile::ReadInt(m_pszProfileName, lpszSection, lpszEntry, nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    char szValue[16];
    wsprintfA(szValue, "%d", nValue);
    return WriteProfileString(lpszSection, lpszEntry, szValue);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == nullptr)
        lpszDefault = "";
    if (m_pszProfileName == nullptr || lpszSection == nullptr || lpszEntry == nullptr)
        return CString(lpszDefault);
    return kvprofile::ReadString(m_pszProfileName, lpszSection, lpszEntry, lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszProfileName == nullptr || lpszSection == nullptr)
        return FALSE;
    if (lpszEntry == nullptr)
        return kvprofile::WriteString(m_pszProfileName, lpszSection, nullptr, nullptr);
    return kvprofile::WriteString(m_pszProfileName, lpszSection, lpszEntry, lpszValue);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (ppData == nullptr || pBytes == nullptr)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    CString str = GetProfileString(lpszSection, lpszEntry, nullptr);
    std::vector<BYTE> bytes;
    if (!DecodeLetterPairs(str, bytes))
        return FALSE;
    *ppData = new BYTE[bytes.size()];
    memcpy(*ppData, bytes.data(), bytes.size());
    *pBytes = (UINT)bytes.size();
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (pData == nullptr && nBytes != 0)
        return FALSE;
    return WriteProfileString(lpszSection, lpszEntry, EncodeLetterPairs(pData, nBytes).c_str());
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > 16)
        nMaxMRU = 16; // the command ids of the list
    m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", (int)nMaxMRU);
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == nullptr)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCE(nIDResource));
}
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursor(nullptr, lpszCursorName);
}
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCE(nIDResource));
}
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIcon(nullptr, lpszIconName);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWnd* pMainWnd = AfxGetMainWnd())
        pMainWnd->WinHelp(dwData, nCmd);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
    else
        AfxPostQuitMessage(0);
}

/////////////////////////////////////////////////////////////////////////////
// Start-up

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE& state = ModuleState();
    state.m_hCurrentInstanceHandle = hInstance ? hInstance : ::GetModuleHandle(nullptr);
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr) {
        pApp->m_hInstance = state.m_hCurrentInstanceHandle;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    if (!pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

/////////////////////////////////////////////////////////////////////////////
// CRecentFileList

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1), m_arrNames(new CString[nSize > 0 ? nSize : 1]),
      m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen)
{
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

CString& CRecentFileList::operator[](int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        AfxThrowInvalidArgException();
    return m_arrNames[nIndex];
}

const CString& CRecentFileList::operator[](int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nSize)
        AfxThrowInvalidArgException();
    return m_arrNames[nIndex];
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; i++)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0')
        return;
    char szFull[MAX_PATH * 4];
    DWORD nLen = ::GetFullPathNameA(lpszPathName, (DWORD)sizeof(szFull), szFull, nullptr);
    CString strFull = (nLen > 0 && nLen < sizeof(szFull)) ? CString(szFull) : CString(lpszPathName);

    // The entry of the same file moves to the front; otherwise the last drops.
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize - 1; iMRU++) {
        if (lstrcmpiA(m_arrNames[iMRU], strFull) == 0)
            break;
    }
    for (; iMRU > 0; iMRU--)
        m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = strFull;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    std::string path((LPCTSTR)m_arrNames[nIndex]);
    size_t nSlash = path.find_last_of('\\');
    std::string folder = nSlash == std::string::npos ? std::string() : path.substr(0, nSlash);
    std::string curDir = lpszCurDir ? std::string(lpszCurDir, (size_t)(nCurDir > 0 ? nCurDir : 0)) : std::string();
    while (!curDir.empty() && curDir.back() == '\\')
        curDir.pop_back();

    std::string display;
    if (!curDir.empty() && !folder.empty() && lstrcmpiA(folder.c_str(), curDir.c_str()) == 0) {
        display = path.substr(nSlash + 1); // in the current folder: the name alone
    } else {
        std::vector<char> buffer(path.begin(), path.end());
        buffer.push_back('\0');
        AfxAbbreviateName(buffer.data(), m_nMaxDisplayLength, bAtLeastName);
        display = buffer.data();
    }
    strName = CString(display.c_str());
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    HMENU hMenu = pCmdUI->m_pMenu ? pCmdUI->m_pMenu->GetSafeHmenu() : nullptr;
    if (m_strOriginal.IsEmpty() && hMenu != nullptr) {
        char szText[256] = {};
        ::GetMenuStringA(hMenu, pCmdUI->m_nIndex, szText, (int)sizeof(szText), MF_BYPOSITION);
        m_strOriginal = szText;
    }

    if (m_arrNames[0].IsEmpty()) {
        // No files: the placeholder, disabled.
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (hMenu == nullptr)
        return;

    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
        ::DeleteMenu(hMenu, pCmdUI->m_nID + iMRU, MF_BYCOMMAND);

    char szCurDir[MAX_PATH * 2] = {};
    int nCurDir = (int)::GetCurrentDirectoryA((DWORD)sizeof(szCurDir), szCurDir);
    if (nCurDir >= (int)sizeof(szCurDir))
        nCurDir = 0;

    const UINT nFirstID = pCmdUI->m_nID;
    for (int iMRU = 0; iMRU < m_nSize; iMRU++) {
        CString strName;
        if (!GetDisplayName(strName, iMRU, szCurDir, nCurDir))
            break;
        // '&' in a name is doubled so that it is shown, not underlined.
        std::string escaped;
        for (LPCTSTR p = strName; *p; ++p) {
            if (*p == '&')
                escaped += '&';
            escaped += *p;
        }
        char szNumber[16];
        wsprintfA(szNumber, "&%d ", iMRU + 1);
        std::string text = std::string(szNumber) + escaped;
        ::InsertMenuA(hMenu, pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, nFirstID + (UINT)iMRU, text.c_str());
    }
    pCmdUI->m_nIndex--; // the last item added
    pCmdUI->m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    pCmdUI->m_bEnableChanged = TRUE; // the items are enabled
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (int i = 0; i < m_nSize; i++) {
        CString strEntry;
        strEntry.Format((LPCTSTR)m_strEntryFormat, i + 1);
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, strEntry, nullptr);
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize; i++) {
        if (m_arrNames[i].IsEmpty())
            continue;
        CString strEntry;
        strEntry.Format((LPCTSTR)m_strEntryFormat, i + 1);
        pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i]);
    }
}

void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int cchMax, BOOL bAtLeastName)
{
    if (lpszCanon == nullptr)
        return;
    std::string path(lpszCanon);
    if (AfxCountChars(path.c_str()) <= cchMax)
        return;

    size_t nNameStart = path.find_last_of("\\/:");
    nNameStart = nNameStart == std::string::npos ? 0 : nNameStart + 1;
    std::string name = path.substr(nNameStart);
    if (AfxCountChars(name.c_str()) > cchMax) {
        std::string result = bAtLeastName ? name : std::string();
        memcpy(lpszCanon, result.c_str(), result.size() + 1);
        return;
    }

    // The root: "C:\" or "\\server\share\".
    size_t nRootEnd = 0;
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        size_t nServer = path.find('\\', 2);
        size_t nShare = nServer == std::string::npos ? std::string::npos : path.find('\\', nServer + 1);
        nRootEnd = nShare == std::string::npos ? 0 : nShare + 1;
    } else if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) {
        nRootEnd = 3;
    }
    const std::string root = path.substr(0, nRootEnd);

    // Drop folders after the root until the rest fits: root + "..." + tail.
    for (size_t nPos = path.find_first_of("\\/", nRootEnd); nPos != std::string::npos && nPos < nNameStart;
         nPos = path.find_first_of("\\/", nPos + 1)) {
        std::string candidate = root + "..." + path.substr(nPos);
        if (AfxCountChars(candidate.c_str()) <= cchMax && candidate.size() < path.size()) {
            memcpy(lpszCanon, candidate.c_str(), candidate.size() + 1);
            return;
        }
    }
    memcpy(lpszCanon, name.c_str(), name.size() + 1);
}
