#include "tests/platform/framework/drawing/ControlTestSupport.h"

namespace kvctl {

namespace {

const UINT g_findMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);

std::function<void()> g_step;
UINT_PTR g_stepTimer = 0;
UINT_PTR g_watchdogTimer = 0;

BOOL CALLBACK CancelDialog(HWND hWnd, LPARAM)
{
    char cls[32] = {};
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") == 0)
        ::PostMessage(hWnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// A test that fails to close its dialog must not hang the run.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    ::KillTimer(nullptr, g_watchdogTimer);
    g_watchdogTimer = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelDialog, 0);
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD)
{
    ::KillTimer(nullptr, g_stepTimer);
    g_stepTimer = 0;
    auto step = std::move(g_step);
    g_step = nullptr;
    if (step)
        step();
}

} // namespace

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
    ON_CLBN_CHKCHANGE(ID_CHECKLIST, OnCheckChange)
    ON_REGISTERED_MESSAGE(g_findMessage, OnFindReplace)
    ON_WM_PAINT()
END_MESSAGE_MAP()

LRESULT CHostWnd::OnFindReplace(WPARAM, LPARAM lParam)
{
    CFindReplaceDialog* pDlg = CFindReplaceDialog::GetNotifier(lParam);
    FindReport r = { pDlg, pDlg->GetFindString(), pDlg->FindNext() != FALSE,
                     pDlg->SearchDown() != FALSE, pDlg->MatchCase() != FALSE,
                     pDlg->IsTerminating() != FALSE };
    finds.push_back(r);
    return 0;
}

void CHostWnd::OnPaint()
{
    CPaintDC dc(this);
    ++paints;
    // The paint DC is the one the window's painting finds by handle.
    if (CDC::FromHandle(dc.m_hDC) == &dc && dc.m_ps.hdc == dc.m_hDC)
        paintClip = dc.m_ps.rcPaint;
    dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(0, 128, 0));
}

void RunSoon(std::function<void()> step)
{
    g_step = std::move(step);
    g_stepTimer = ::SetTimer(nullptr, 0, 30, RunStep);
    if (g_watchdogTimer != 0)
        ::KillTimer(nullptr, g_watchdogTimer);
    g_watchdogTimer = ::SetTimer(nullptr, 0, 8000, Watchdog);
}

} // namespace kvctl
