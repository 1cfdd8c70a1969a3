// The grid library's application-wide state: library start and end, the
// shared find and replace state, the map of grid windows the library created
// for window classes, the fonts of styles, and long operations.
#pragma once

#include "platform/grid/GRDefs.h"

#include <functional>
#include <map>
#include <memory>

class CFindReplaceDialog;
class CWnd;
class CMapPtrToWord;

// The find and replace state all grids of the process share: one dialog at
// a time, the texts last searched and the grid they apply to.
struct GR_FR_STATE
{
    CGRGridCore* m_pActiveGrid = nullptr;     // the grid the dialog works on
    CString strFind;                          // the text searched
    CString strFindUpper;                     // its upper-case form (searches ignoring case)
    CString strReplace;
    BOOL bNext = TRUE;                        // search downwards
    BOOL bCase = FALSE;                       // match case
    BOOL bFindOnly = TRUE;                    // the dialog is a find dialog (not replace)
    CFindReplaceDialog* m_pFindReplaceDlg = nullptr;
    CWnd* m_pParentWnd = nullptr;             // the window owning the dialog
    // Derived values (the upper-case text) made ready before a search.
    void PrepareFindReplace();
};

struct GR_APP_STATE
{
    GR_APP_STATE();
    ~GR_APP_STATE();

    // Windows the library created for a window class (their objects delete
    // themselves when the window goes): window object -> 1.
    CMapPtrToWord* m_pWindowMap = nullptr;
    // Fonts made from style descriptions keep the character set they
    // describe; while clear they are made with the default character set.
    BOOL m_bUseStyleCharSet = FALSE;
    // The library has set the C runtime's locale already.
    BOOL m_bLocaleSet = FALSE;
    BOOL m_bInitialized = FALSE;
    GR_FR_STATE m_findReplace;
    UINT m_nFindReplaceMsg = 0;   // the registered message of find dialogs

    // Every message box of the library goes through this function when it is
    // set (tests and hosts that must not block); otherwise ::MessageBoxA.
    std::function<int(HWND, LPCTSTR, UINT)> m_pfnMessageBox;

    // The font of a description on a device of nLogPixelsY, kept until
    // GRTerminate.
    HFONT GetFont(const LOGFONT& lf);
    void FreeFonts();

private:
    std::map<std::string, HFONT> m_fonts;
};

// Starts the library: dwVersion is the version the program was built for
// (0xA00 and below are served); lpszResourceModule and lpszLanguage name a
// module with translated texts (null: the program's own resources).
BOOL GRInit(DWORD dwVersion = 0xA00, LPCTSTR lpszResourceModule = nullptr,
            LPCTSTR lpszLanguage = nullptr);
// Ends the library and frees what it holds.
void GRTerminate(LPVOID pReserved = nullptr);
GR_APP_STATE* GRGetAppState();
// A message box through the state's hook.
int GRMessageBox(HWND hWnd, LPCTSTR lpszText, UINT nType);

// A long operation: shows the wait cursor after a moment, keeps the status
// text and lets the user cancel with Escape while messages are processed.
class CGRLongOperation
{
public:
    CGRLongOperation();
    ~CGRLongOperation();
    void SetStatusText(LPCTSTR lpszText) { m_strStatus = lpszText; }
    void SetStatusText(UINT nID);
    // TRUE once the operation has run long enough to process messages.
    BOOL NeedMessages();
    void SetPercentDone(int nPercent) { m_nPercent = nPercent; }
    // Processes waiting messages; bCanceled is set when the user pressed
    // Escape. Returns FALSE when canceled.
    BOOL DoMessages(BOOL& bCanceled);
    BOOL DoMessages();
    BOOL IsCanceled() const { return m_bCanceled; }

private:
    DWORD m_dwStart;
    CString m_strStatus;
    int m_nPercent = 0;
    BOOL m_bCanceled = FALSE;
    HCURSOR m_hOldCursor = nullptr;
    BOOL m_bWaitCursor = FALSE;
};
