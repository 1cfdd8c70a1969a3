#include "frame/mdi/OZWFrameCommon.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/dockstate/OZWDockState.h"
#include "frame/framemodel/OZWFrameModel.h"
#include "frame/mdi/OZWFrameMenuBar.h"
#include "frame/support/OZWWndPlugIn.h"
#include "platform/framework/docview/PrintPreview.h"

#include <algorithm>

using dedaride::foundation::OZWWndPlugIn;

UINT OZWGetMenuRequestMessage()
{
    static const UINT s_message = ::RegisterWindowMessageA("WM_OZWGETMENU");
    return s_message;
}

namespace ozwframe {

OZWAutoHideBar* AutoHideStripOfSide(OZWAutoHideBar (&strips)[4], DWORD dwSide)
{
    switch (dwSide) {
    case CBRS_ALIGN_LEFT:
        return &strips[0];
    case CBRS_ALIGN_TOP:
        return &strips[1];
    case CBRS_ALIGN_BOTTOM:
        return &strips[2];
    case CBRS_ALIGN_RIGHT:
        return &strips[3];
    default:
        return nullptr;
    }
}

void EnableFrameDocking(CFrameWnd* pFrame, OZWAutoHideBar (&strips)[4], DWORD dwDockStyle)
{
    // OZWFrameDocking takes them left, top, right, bottom.
    OZWAutoHideBar* ordered[4] = { &strips[0], &strips[1], &strips[3], &strips[2] };
    OZWFrameDocking::EnableDocking(pFrame, dwDockStyle, ordered);
}

void ReadFrameBarState(CFrameWnd* pFrame, OZWDockState& state, CPtrList* pCreated, LPCTSTR lpszProfileName)
{
    state.m_pCreatedBars = pCreated;
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == nullptr)
        pThread->m_pMainWnd = pFrame;
    state.LoadState(lpszProfileName);
}

void AfterFrameLayout(CFrameWnd* pFrame, CRect& rectLast)
{
    OZWFrameDocking::RedrawDockBars(pFrame);
    CRect rect;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rect);
    rectLast = rect;
}

void RefreshBarColors(CFrameWnd* pFrame)
{
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar != nullptr && pBar->m_hWnd != nullptr)
            pBar->SendMessage(WM_SYSCOLORCHANGE);
    }
}

void DeleteObjects(CPtrList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        delete static_cast<CObject*>(list.GetNext(pos));
    list.RemoveAll();
}

IOZWFrameMenuBar* CreateMenuBarObject(CFrameWnd* pFrame, int x, int y, CRuntimeClass* pClass, DWORD_PTR dwValue)
{
    if (pClass == nullptr)
        return nullptr;
    CObject* pObject = pClass->CreateObject();
    auto* pMenuBar = dynamic_cast<IOZWFrameMenuBar*>(pObject);
    if (pMenuBar == nullptr) {
        delete pObject;
        return nullptr;
    }
    pMenuBar->InitMenuBar(x, y, IOZWFrameMenuBar::kFrameMenuBarStyle, dwValue);
    if (!pMenuBar->AttachToFrame(pFrame)) {
        delete pMenuBar;
        return nullptr;
    }
    return pMenuBar;
}

BOOL RouteCommandToMenuBar(IOZWFrameMenuBar* pMenuBar, UINT nID, int nCode, void* pExtra,
                           AFX_CMDHANDLERINFO* pHandlerInfo, BOOL* pResult)
{
    if (pMenuBar == nullptr)
        return FALSE;
    pMenuBar->m_bCommandTaken = FALSE;
    const BOOL bResult = pMenuBar->OnFrameCommand(nID, nCode, pExtra, pHandlerInfo);
    if (!pMenuBar->m_bCommandTaken)
        return FALSE;
    pMenuBar->m_bCommandTaken = FALSE;
    *pResult = bResult;
    return TRUE;
}

OZWWndPlugIn* PlugInBmpMenus(CFrameWnd* pFrame)
{
    // The bitmap-menu plug-in belongs to the toolbar library; the frame
    // makes it by its class name when the program has it.
    CObject* pObject = CRuntimeClass::CreateObject("OZWBmpMenuPlugIn");
    auto* pPlugIn = dynamic_cast<OZWWndPlugIn*>(pObject);
    if (pPlugIn == nullptr) {
        delete pObject;
        return nullptr;
    }
    pPlugIn->PlugInTo(pFrame);
    return pPlugIn;
}

void DeletePlugIn(OZWWndPlugIn*& pPlugIn)
{
    if (pPlugIn == nullptr)
        return;
    pPlugIn->UnPlug();
    delete pPlugIn;
    pPlugIn = nullptr;
}

BOOL PlugInPreTranslate(CFrameWnd* pFrame, OZWWndPlugIn* pPlugIn, MSG* pMsg)
{
    if (pPlugIn == nullptr || !pPlugIn->IsPlugged())
        return FALSE;
    CView* pView = pFrame->GetActiveView();
    if (pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CPreviewView)))
        return FALSE;
    LRESULT lResult = 0;
    pPlugIn->m_bExitHost = FALSE;
    if (pMsg->hwnd == pFrame->m_hWnd && pPlugIn->OnWndMsg(pMsg->message, pMsg->wParam, pMsg->lParam, &lResult) &&
        pPlugIn->m_bExitHost)
        return TRUE;
    return pPlugIn->PreTranslateHostMessage(pMsg);
}

BOOL PlugInWindowProc(OZWWndPlugIn* pPlugIn, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (pPlugIn == nullptr || !pPlugIn->IsPlugged())
        return FALSE;
    LRESULT lResult = 0;
    pPlugIn->m_bExitHost = FALSE;
    if (pPlugIn->OnWndMsg(message, wParam, lParam, &lResult) && (pPlugIn->m_bExitHost || message == WM_HELP)) {
        *pResult = lResult;
        return TRUE;
    }
    return FALSE;
}

BOOL IsSysClose(const MSG* pMsg)
{
    return pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_CLOSE;
}

void LayOutPendingOnIdle(CFrameWnd* pFrame, UINT nWhy)
{
    if (nWhy != MSGF_DIALOGBOX || (pFrame->m_nIdleFlags & CFrameWnd::idleLayout) == 0)
        return;
    pFrame->RecalcLayout((pFrame->m_nIdleFlags & CFrameWnd::idleNotify) != 0);
    pFrame->m_nIdleFlags &= ~(CFrameWnd::idleLayout | CFrameWnd::idleNotify);
    pFrame->UpdateWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Custom caption

CRect FrameCaptionRect(HWND hWnd, BOOL bWindows4)
{
    CaptionFacts facts;
    CRect rectWindow;
    ::GetWindowRect(hWnd, &rectWindow);
    const DWORD dwStyle = (DWORD)::GetWindowLongPtr(hWnd, GWL_STYLE);
    facts.cxWindow = rectWindow.Width();
    facts.bThickFrame = (dwStyle & WS_THICKFRAME) != 0;
    facts.bSysMenu = (dwStyle & WS_SYSMENU) != 0;
    facts.bMinimizeBox = (dwStyle & WS_MINIMIZEBOX) != 0;
    facts.bMaximizeBox = (dwStyle & WS_MAXIMIZEBOX) != 0;
    facts.bWindows4 = bWindows4;
    if (HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE)) {
        const UINT state = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
        facts.bCloseEnabled = state != (UINT)-1 && (state & (MF_DISABLED | MF_GRAYED)) == 0;
    }
    facts.cxFrame = ::GetSystemMetrics(SM_CXFRAME);
    facts.cyFrame = ::GetSystemMetrics(SM_CYFRAME);
    facts.cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    facts.cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    facts.cxSize = ::GetSystemMetrics(SM_CXSIZE);
    facts.cySize = ::GetSystemMetrics(SM_CYSIZE);
    return CRect(CaptionRect(facts));
}

HFONT CreateSystemCaptionFont(BOOL bItalic)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return nullptr;
    if (bItalic)
        ncm.lfCaptionFont.lfItalic = TRUE;
    return ::CreateFontIndirectA(&ncm.lfCaptionFont);
}

void PaintCaption(HDC hDC, SIZE size, CWnd* pWnd, const CaptionLook& look)
{
    const HWND hWnd = pWnd->m_hWnd;
    const BOOL bActive = look.bActive;
    const COLORREF clrStart = ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const COLORREF clrEnd = ::GetSysColor(bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    const CRect rectLocal(0, 0, size.cx, size.cy);
    HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
    if (clrEnd == 0) {
        HBRUSH hBrush = ::CreateSolidBrush(clrStart);
        ::FillRect(hDC, &rectLocal, hBrush);
        ::DeleteObject(hBrush);
    } else {
        for (const GradientStep& step : GradientSteps(rectLocal.left, rectLocal.right, 120, clrStart, clrEnd)) {
            HBRUSH hBrush = ::CreateSolidBrush(step.colour);
            HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
            ::Rectangle(hDC, step.left, rectLocal.top, step.right + 1, rectLocal.bottom + 1);
            ::SelectObject(hDC, hOld);
            ::DeleteObject(hBrush);
        }
    }
    ::SelectObject(hDC, hOldPen);

    int x = 0;
    if (pWnd->GetStyle() & WS_SYSMENU) {
        const int cxButton = ::GetSystemMetrics(SM_CXSIZE);
        HICON hIcon = (HICON)::GetClassLongPtrA(hWnd, cxButton >= 30 ? GCLP_HICON : GCLP_HICONSM);
        if (hIcon == nullptr)
            hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICON);
        const int cy = std::min(16, (int)size.cy);
        if (hIcon != nullptr)
            ::DrawIconEx(hDC, 1, (size.cy - cy) / 2, hIcon, cy, cy, 0, nullptr, DI_NORMAL);
        x = cy + 1;
    }
    x += 3;
    CString strTitle;
    pWnd->GetWindowText(strTitle);
    // The title in two pieces: up to the first '-', and from it on.
    const int nDash = strTitle.Find('-');
    const CString strFirst = nDash >= 0 ? strTitle.Left(nDash) : strTitle;
    const CString strSecond = nDash >= 0 ? strTitle.Mid(nDash) : CString();
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    const UINT nAlign = look.nAlign == 0 ? DT_LEFT : look.nAlign == 1 ? DT_CENTER : DT_RIGHT;
    CRect rectText(x, 0, size.cx, size.cy);
    HGDIOBJ hOldFont =
        ::SelectObject(hDC, look.hFont != nullptr ? (HGDIOBJ)look.hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    CDC* pDC = CDC::FromHandle(hDC);
    const CSize sizeFirst = pDC->GetTextExtent(strFirst);
    pDC->DrawText(strFirst, &rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | nAlign);
    if (!strSecond.IsEmpty() && x + sizeFirst.cx < size.cx) {
        ::SelectObject(hDC, look.hAltFont != nullptr ? (HGDIOBJ)look.hAltFont : ::GetStockObject(DEFAULT_GUI_FONT));
        CRect rectSecond(x + sizeFirst.cx, 0, size.cx, size.cy);
        pDC->DrawText(strSecond, &rectSecond, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    ::SelectObject(hDC, hOldFont);
}

BOOL DrawFrameCaption(CWnd* pWnd, const CRect& rect, const CaptionLook& look)
{
    struct Fonts
    {
        const CaptionLook& look;
        ~Fonts()
        {
            if (look.hFont != nullptr)
                ::DeleteObject(look.hFont);
            if (look.hAltFont != nullptr)
                ::DeleteObject(look.hAltFont);
        }
    } fonts{look};
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return TRUE;
    const HWND hWnd = pWnd->m_hWnd;
    HDC hWindowDC = ::GetWindowDC(hWnd);
    HDC hDC = hWindowDC != nullptr ? ::CreateCompatibleDC(hWindowDC) : nullptr;
    HBITMAP hBitmap = hDC != nullptr ? ::CreateCompatibleBitmap(hWindowDC, rect.Width(), rect.Height()) : nullptr;
    if (hDC == nullptr || hBitmap == nullptr) {
        if (hDC != nullptr)
            ::DeleteDC(hDC);
        if (hWindowDC != nullptr)
            ::ReleaseDC(hWnd, hWindowDC);
        return FALSE;
    }
    HGDIOBJ hOldBitmap = ::SelectObject(hDC, hBitmap);
    PaintCaption(hDC, rect.Size(), pWnd, look);
    ::BitBlt(hWindowDC, rect.left, rect.top, rect.Width(), rect.Height(), hDC, 0, 0, SRCCOPY);
    ::SelectObject(hDC, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    ::ReleaseDC(hWnd, hWindowDC);
    return TRUE;
}

LRESULT PaintNonClientBesideCaption(HWND hWnd, const CRect& rectCaption, WPARAM wParam, LPARAM lParam,
                                    const std::function<LRESULT(WPARAM, LPARAM)>& defaultPaint)
{
    CRect rectWindow;
    ::GetWindowRect(hWnd, &rectWindow);
    CRect rectScreen = rectCaption;
    rectScreen.OffsetRect(rectWindow.TopLeft());
    HRGN hUpdate = (LOWORD(wParam) > 1) ? (HRGN)wParam : nullptr;
    if (hUpdate != nullptr && !::RectInRegion(hUpdate, &rectScreen))
        return defaultPaint(wParam, lParam);
    HRGN hRegion = ::CreateRectRgnIndirect(&rectWindow);
    if (hUpdate != nullptr)
        ::CombineRgn(hRegion, hUpdate, nullptr, RGN_COPY);
    HRGN hCaption = ::CreateRectRgnIndirect(&rectScreen);
    ::CombineRgn(hRegion, hRegion, hCaption, RGN_DIFF);
    const LRESULT lResult = defaultPaint((WPARAM)hRegion, lParam);
    ::DeleteObject(hCaption);
    ::DeleteObject(hRegion);
    return lResult;
}

LRESULT WithoutVisibleStyle(HWND hWnd, const std::function<LRESULT()>& defaultHandling)
{
    const LONG_PTR dwStyle = ::GetWindowLongPtr(hWnd, GWL_STYLE);
    if (dwStyle & WS_VISIBLE)
        ::SetWindowLongPtr(hWnd, GWL_STYLE, dwStyle & ~(LONG_PTR)WS_VISIBLE);
    const LRESULT lResult = defaultHandling();
    if ((dwStyle & WS_VISIBLE) && ::IsWindow(hWnd))
        ::SetWindowLongPtr(hWnd, GWL_STYLE, ::GetWindowLongPtr(hWnd, GWL_STYLE) | WS_VISIBLE);
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// Context help

void RunContextHelpMode(CFrameWnd* pFrame, UINT nCommand, UINT nDefaultHelpCommand,
                        const std::function<BOOL(MSG&, DWORD*)>& processMessage)
{
    // The mode can start on an enabled frame while no window has the mouse
    // captured (a second command while it is being entered goes on).
    if (pFrame->m_bHelpMode == CFrameWnd::HELP_ACTIVE || !pFrame->IsWindowEnabled() || ::GetCapture() != nullptr)
        return;
    MSG msg;
    if (::PeekMessage(&msg, pFrame->m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE))
        return;
    const int nOldState = pFrame->m_bHelpMode;
    pFrame->m_bHelpMode = CFrameWnd::HELP_ACTIVE;
    if (nOldState == CFrameWnd::HELP_INACTIVE) {
        // The mode begins when this command comes back.
        pFrame->PostMessage(WM_COMMAND, nCommand);
        pFrame->m_bHelpMode = CFrameWnd::HELP_ENTERING;
        return;
    }

    const LRESULT nOldPrompt = pFrame->SendMessage(WM_SETMESSAGESTRING, (WPARAM)AFX_IDS_HELPMODEMESSAGE);
    pFrame->SetCapture();
    DWORD dwContext = 0;
    LONG lIdleCount = 0;
    CWinThread* pThread = AfxGetThread();
    for (;;) {
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (pThread != nullptr && pThread->OnIdle(lIdleCount++))
                continue;
            lIdleCount = 0;
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
            break;
        if (!processMessage(msg, &dwContext))
            break;
        if (::GetCapture() != pFrame->m_hWnd && pFrame->m_bHelpMode == CFrameWnd::HELP_ACTIVE)
            pFrame->SetCapture();
    }
    pFrame->m_bHelpMode = CFrameWnd::HELP_INACTIVE;
    ::ReleaseCapture();
    pFrame->SetCapture();
    ::ReleaseCapture();
    pFrame->SendMessage(WM_SETMESSAGESTRING, (WPARAM)(nOldPrompt != 0 ? nOldPrompt : AFX_IDS_IDLEMESSAGE));
    if (dwContext == (DWORD)-1)
        pFrame->SendMessage(WM_COMMAND, nDefaultHelpCommand);
    else if (dwContext != 0 && AfxGetApp() != nullptr)
        AfxGetApp()->WinHelp(dwContext);
    pFrame->PostMessage(WM_KICKIDLE);
}

BOOL ProcessFrameHelpMessage(CFrameWnd* pFrame, CControlBar* pMenuBar, MSG& msg, DWORD* pContext)
{
    if (msg.message == WM_EXITHELPMODE || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
        MSG removed;
        ::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE);
        *pContext = 0;
        return FALSE;
    }
    const bool bMouse = msg.message >= 0x0200 && msg.message <= 0x020E;
    const bool bNcMouse = msg.message >= 0x00A0 && msg.message <= 0x00A9;
    if (!bMouse && !bNcMouse)
        return pFrame->ProcessHelpMsg(msg, pContext);
    pFrame->SetCapture();
    HWND hWndHit = ::WindowFromPoint(msg.pt);
    if (hWndHit == nullptr) {
        MSG removed;
        ::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE);
        return TRUE;
    }
    if (hWndHit != pFrame->m_hWnd && !::IsChild(pFrame->m_hWnd, hWndHit))
        return pFrame->ProcessHelpMsg(msg, pContext);
    if (msg.message != WM_LBUTTONDOWN && msg.message != WM_NCLBUTTONDOWN) {
        MSG removed;
        ::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE);
        return TRUE;
    }
    // A press on the menu bar is answered by the bar's hit test; every
    // other press is the framework's.
    const LRESULT nHit = ::SendMessage(hWndHit, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
    if (pMenuBar == nullptr || pMenuBar->m_hWnd == nullptr || nHit != HTCLIENT || hWndHit != pMenuBar->m_hWnd)
        return pFrame->ProcessHelpMsg(msg, pContext);
    MSG removed;
    ::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE);
    CPoint pt = msg.pt;
    pMenuBar->ScreenToClient(&pt);
    TOOLINFO ti = {};
    const INT_PTR nTool = pMenuBar->OnToolHitTest(pt, &ti);
    if (nTool == -1)
        return TRUE;
    const int nCode = (int)ti.uId;
    if (nCode == 0) {
        pMenuBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        return TRUE;
    }
    *pContext = MenuBarHelpContext(nCode);
    return FALSE;
}

} // namespace ozwframe
