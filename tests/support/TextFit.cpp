#include "tests/support/TextFit.h"

namespace kvtest {

namespace {

// The size a text takes in a window's font: on one line, or broken into
// lines of at most nWidth pixels.
RECT TextRect(HWND hWnd, const std::string& text, UINT uFormat, int nWidth)
{
    HDC hdc = ::GetDC(hWnd);
    HGDIOBJ hOld = ::SelectObject(hdc, (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0));
    RECT rect = { 0, 0, nWidth, 0 };
    ::DrawTextA(hdc, text.c_str(), (int)text.size(), &rect, uFormat | DT_CALCRECT | DT_EXPANDTABS);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(hWnd, hdc);
    return rect;
}

std::string WindowText(HWND hWnd)
{
    char buffer[1024] = {};
    ::GetWindowTextA(hWnd, buffer, sizeof(buffer));
    return buffer;
}

} // namespace

std::string TextFit::Describe(HWND hCtrl) const
{
    return "control " + std::to_string(::GetDlgCtrlID(hCtrl)) + " \"" + WindowText(hCtrl) + "\" needs " +
           std::to_string(nNeedX) + " x " + std::to_string(nNeedY) + " pixels, has " + std::to_string(nHaveX) +
           " x " + std::to_string(nHaveY);
}

TextFit MeasureTextFit(HWND hCtrl)
{
    TextFit fit;
    char className[64] = {};
    ::GetClassNameA(hCtrl, className, sizeof(className));
    const std::string text = WindowText(hCtrl);
    if (text.empty())
        return fit;
    RECT client;
    ::GetClientRect(hCtrl, &client);
    const DWORD dwStyle = (DWORD)::GetWindowLongA(hCtrl, GWL_STYLE);
    fit.nHaveX = client.right - client.left;
    fit.nHaveY = client.bottom - client.top;

    if (_stricmp(className, "Static") == 0)
    {
        const DWORD type = dwStyle & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE)
            return fit;
        const UINT prefix = (dwStyle & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        const bool bOneLine = type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE || (dwStyle & SS_CENTERIMAGE);
        const RECT r = TextRect(hCtrl, text, prefix | (bOneLine ? DT_SINGLELINE : DT_WORDBREAK), fit.nHaveX);
        fit.nNeedX = r.right - r.left;
        fit.nNeedY = r.bottom - r.top;
        fit.bMeasured = true;
        return fit;
    }
    if (_stricmp(className, "Button") == 0)
    {
        if (dwStyle & (BS_ICON | BS_BITMAP))
            return fit;
        int nBesideX = 0, nBesideY = 0;
        switch (dwStyle & BS_TYPEMASK)
        {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            nBesideX = 6;
            nBesideY = 4;
            break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            nBesideX = ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
            break;
        case BS_GROUPBOX:
            nBesideX = 14;
            break;
        default:
            return fit;
        }
        const bool bMultiLine = (dwStyle & BS_MULTILINE) != 0;
        const RECT r = TextRect(hCtrl, text, bMultiLine ? DT_WORDBREAK : DT_SINGLELINE, fit.nHaveX - nBesideX);
        fit.nNeedX = (r.right - r.left) + nBesideX;
        fit.nNeedY = (r.bottom - r.top) + nBesideY;
        fit.bMeasured = true;
    }
    return fit;
}

} // namespace kvtest
