#include "platform/grid/GRApp.h"
#include "platform/grid/GRCore.h"

#include <clocale>
#include <cstdio>

void GR_FR_STATE::PrepareFindReplace()
{
    strFindUpper = strFind;
    strFindUpper.MakeUpper();
}

GR_APP_STATE::GR_APP_STATE()
{
    m_pWindowMap = new CMapPtrToWord;
}

GR_APP_STATE::~GR_APP_STATE()
{
    FreeFonts();
    delete m_pWindowMap;
}

HFONT GR_APP_STATE::GetFont(const LOGFONT& lf)
{
    char key[160];
    snprintf(key, sizeof(key), "%ld|%ld|%d|%d|%d|%d|%s", (long)lf.lfHeight, (long)lf.lfWeight, lf.lfItalic,
             lf.lfUnderline, lf.lfCharSet, lf.lfQuality, lf.lfFaceName);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it->second;
    HFONT hFont = ::CreateFontIndirectA(&lf);
    if (!hFont)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    else
        m_fonts[key] = hFont;
    return hFont;
}

void GR_APP_STATE::FreeFonts()
{
    for (auto& kv : m_fonts)
        ::DeleteObject(kv.second);
    m_fonts.clear();
}

GR_APP_STATE* GRGetAppState()
{
    static GR_APP_STATE* s_pState = new GR_APP_STATE;
    return s_pState;
}

BOOL GRInit(DWORD dwVersion, LPCTSTR, LPCTSTR)
{
    if (dwVersion > 0xA00)
        return FALSE;
    GR_APP_STATE* pState = GRGetAppState();
    if (!pState->m_nFindReplaceMsg)
        pState->m_nFindReplaceMsg = ::RegisterWindowMessageA(FINDMSGSTRINGA);
    pState->m_bInitialized = TRUE;
    return TRUE;
}

void GRTerminate(LPVOID)
{
    GR_APP_STATE* pState = GRGetAppState();
    pState->FreeFonts();
    pState->m_findReplace = GR_FR_STATE();
    pState->m_bInitialized = FALSE;
}

int GRMessageBox(HWND hWnd, LPCTSTR lpszText, UINT nType)
{
    GR_APP_STATE* pState = GRGetAppState();
    if (pState->m_pfnMessageBox)
        return pState->m_pfnMessageBox(hWnd, lpszText, nType);
    HWND hOwner = hWnd;
    if (hOwner)
    {
        HWND hTop = ::GetAncestor(hOwner, GA_ROOT);
        if (hTop)
            hOwner = hTop;
    }
    char title[MAX_PATH] = "";
    if (hOwner)
        ::GetWindowTextA(hOwner, title, (int)sizeof(title));
    return ::MessageBoxA(hOwner, lpszText, title[0] ? title : nullptr, nType);
}

/////////////////////////////////////////////////////////////////////////////
// CGRLongOperation

CGRLongOperation::CGRLongOperation() : m_dwStart(::GetTickCount())
{
}

CGRLongOperation::~CGRLongOperation()
{
    if (m_bWaitCursor)
        ::SetCursor(m_hOldCursor);
}

void CGRLongOperation::SetStatusText(UINT nID)
{
    CString s;
    if (s.LoadString(nID))
        m_strStatus = s;
}

BOOL CGRLongOperation::NeedMessages()
{
    if (::GetTickCount() - m_dwStart < 500)
        return FALSE;
    if (!m_bWaitCursor)
    {
        m_hOldCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        m_bWaitCursor = TRUE;
    }
    return TRUE;
}

BOOL CGRLongOperation::DoMessages(BOOL& bCanceled)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
        {
            m_bCanceled = TRUE;
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            m_bCanceled = TRUE;
            break;
        }
        // Input to windows other than the operation's is dropped.
        if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
            (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    bCanceled = m_bCanceled;
    return !m_bCanceled;
}

BOOL CGRLongOperation::DoMessages()
{
    BOOL b;
    return DoMessages(b);
}
