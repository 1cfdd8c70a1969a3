// The command line: splitting it, what its arguments ask for, and carrying
// that out at start-up.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"
#include "platform/framework/docview/ControlBar.h"
#include "platform/framework/docview/DocView.h"

/////////////////////////////////////////////////////////////////////////////
// Splitting

std::vector<CString> AFXAPI AfxSplitCommandLine(LPCTSTR lpszCommandLine)
{
    std::vector<CString> args;
    if (lpszCommandLine == nullptr)
        return args;
    const char* p = lpszCommandLine;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0')
            break;
        std::string arg;
        bool bInQuotes = false;
        while (*p != '\0' && (bInQuotes || (*p != ' ' && *p != '\t'))) {
            if (*p == '\\') {
                // Backslashes are literal unless a quote follows them: then
                // each pair gives one backslash, and an odd one escapes the quote.
                size_t nSlashes = 0;
                while (*p == '\\') {
                    ++nSlashes;
                    ++p;
                }
                if (*p == '"') {
                    arg.append(nSlashes / 2, '\\');
                    if (nSlashes % 2 == 1) {
                        arg += '"';
                        ++p;
                    }
                } else {
                    arg.append(nSlashes, '\\');
                }
            } else if (*p == '"') {
                // "" inside quotes is a literal quote.
                if (bInQuotes && p[1] == '"') {
                    arg += '"';
                    p += 2;
                } else {
                    bInQuotes = !bInQuotes;
                    ++p;
                }
            } else {
                arg += *p++;
            }
        }
        args.emplace_back(std::move(arg));
    }
    return args;
}

/////////////////////////////////////////////////////////////////////////////
// CCommandLineInfo

CCommandLineInfo::CCommandLineInfo()
    : m_nShellCommand(FileNew), m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE)
{
}

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    if (lstrcmpA(pszParam, "pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (lstrcmpA(pszParam, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (lstrcmpiA(pszParam, "Register") == 0 || lstrcmpiA(pszParam, "Regserver") == 0)
        m_nShellCommand = AppRegister;
    else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (lstrcmpA(pszParam, "dde") == 0)
        m_nShellCommand = FileDDE;
    else if (lstrcmpiA(pszParam, "Embedding") == 0) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (lstrcmpiA(pszParam, "Automation") == 0) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    } else if (lstrcmpiA(pszParam, "nologo") == 0) {
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const char* pszParam)
{
    // The first plain argument is the file; printing to a named printer
    // takes the printer, driver and port after it.
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    if (m_bRunEmbedded || m_bRunAutomated)
        m_bShowSplash = FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CWinApp

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    // The arguments the program was started with: m_lpCmdLine when the
    // start-up gave it (it holds no program name), else the process's
    // command line without its first argument.
    std::vector<CString> args;
    if (m_lpCmdLine != nullptr) {
        args = AfxSplitCommandLine(m_lpCmdLine);
    } else {
        args = AfxSplitCommandLine(::GetCommandLineA());
        if (!args.empty())
            args.erase(args.begin());
    }
    for (size_t i = 0; i < args.size(); i++) {
        const CString& arg = args[i];
        const BOOL bLast = i + 1 == args.size();
        const BOOL bFlag = arg.GetLength() > 1 && (arg[0] == '-' || arg[0] == '/');
        rCmdInfo.ParseParam(bFlag ? (LPCTSTR)arg + 1 : (LPCTSTR)arg, bFlag, bLast);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // The application's own File New when it has one.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;

    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;

    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
        // Print the file without showing the program, then end.
        m_nCmdShow = SW_HIDE;
        CDocument* pDoc = OpenDocumentFile(rCmdInfo.m_strFileName);
        if (pDoc != nullptr && m_pMainWnd != nullptr)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        return FALSE;
    }

    case CCommandLineInfo::FileDDE:
        m_nCmdShow = SW_HIDE;
        return TRUE;

    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
        // Nothing is registered with the system; the program ends.
        return FALSE;

    case CCommandLineInfo::RestartByRestartManager:
    case CCommandLineInfo::FileNothing:
    default:
        return TRUE;
    }
}
