#include "tests/platform/framework/window/WindowTestSupport.h"

namespace wndtest {

void PumpPending()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam); // leave it for the caller to see
            break;
        }
        CWinThread* pThread = AfxGetThread();
        if (pThread == nullptr || !pThread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

std::string ItemText(CWnd* pDlg, int nID)
{
    CString text;
    pDlg->GetDlgItemText(nID, text);
    return std::string((LPCTSTR)text);
}

} // namespace wndtest
