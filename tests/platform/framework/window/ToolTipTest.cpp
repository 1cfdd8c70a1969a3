// Tool tips of a window: the mouse over a child control makes that control
// the tool, and the tip's request for text reaches the window's message map
// entry for the tool tip control whatever the tool, which the handler reads
// from the notification.
#include "tests/platform/framework/window/WindowTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const UINT ID_RUN_BUTTON = 55;
const UINT ID_STOP_BUTTON = 56;

class CTipOwner : public CWnd
{
public:
    int m_nAsked = 0;
    UINT m_nEntryID = 0xFFFF;
    std::string m_text;
    // The documented way: the entry's id is the tool tip control's (0), the
    // tool comes from idFrom.
    afx_msg BOOL OnNeedText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_nAsked++;
        m_nEntryID = nID;
        NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
        UINT_PTR nTool = pNMHDR->idFrom;
        if (pInfo->uFlags & TTF_IDISHWND)
            nTool = (UINT_PTR)::GetDlgCtrlID((HWND)nTool);
        m_text = nTool == ID_RUN_BUTTON ? "Runs the thing" : nTool == ID_STOP_BUTTON ? "Stops it" : "?";
        pInfo->lpszText = const_cast<char*>(m_text.c_str());
        *pResult = 0;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipOwner, CWnd)
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnNeedText)
END_MESSAGE_MAP()

BOOL CALLBACK FindToolTip(HWND hWnd, LPARAM lParam)
{
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0) {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TEST(ToolTips, MouseOverAChildMakesItTheToolAndEveryToolGetsItsText)
{
    wndtest::TestApp app;
    CTipOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr));
    HWND hRun = ::CreateWindowExA(0, "BUTTON", "Run", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, owner.m_hWnd,
                                  (HMENU)(UINT_PTR)ID_RUN_BUTTON, nullptr, nullptr);
    HWND hStop = ::CreateWindowExA(0, "BUTTON", "Stop", WS_CHILD | WS_VISIBLE, 70, 10, 50, 20, owner.m_hWnd,
                                   (HMENU)(UINT_PTR)ID_STOP_BUTTON, nullptr, nullptr);
    owner.EnableToolTips(TRUE);

    // Over the button: it is the tool.
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ((INT_PTR)ID_RUN_BUTTON, owner.OnToolHitTest(CPoint(20, 15), &ti));
    EXPECT_EQ((UINT_PTR)hRun, ti.uId);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
    EXPECT_EQ(-1, owner.OnToolHitTest(CPoint(150, 80), nullptr)); // over nothing

    MSG msg = {};
    msg.hwnd = hRun;
    msg.message = WM_MOUSEMOVE;
    msg.pt = { 20, 15 };
    owner.ClientToScreen(&msg.pt);
    EXPECT_FALSE(owner.PreTranslateMessage(&msg)); // tips never eat the message

    HWND hTip = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindToolTip, (LPARAM)&hTip);
    ASSERT_NE(nullptr, hTip);
    EXPECT_EQ(1, ::SendMessage(hTip, TTM_GETTOOLCOUNT, 0, 0));

    // The tip asks for each tool's text with the tool's handle as id; the
    // entry for the tool tip control's id answers for every tool.
    struct Ask
    {
        HWND hTool;
        const char* text;
    };
    for (const Ask& ask : { Ask{ hRun, "Runs the thing" }, Ask{ hStop, "Stops it" } }) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = hTip;
        info.hdr.idFrom = (UINT_PTR)ask.hTool;
        info.hdr.code = TTN_NEEDTEXTA;
        info.uFlags = TTF_IDISHWND;
        owner.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
        EXPECT_STREQ(ask.text, info.lpszText);
    }
    EXPECT_EQ(2, owner.m_nAsked);
    EXPECT_EQ(0u, owner.m_nEntryID) << "the tool tip control's id";

    // A tool named by a command id (no handle) is asked for the same way.
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = hTip;
    info.hdr.idFrom = ID_STOP_BUTTON;
    info.hdr.code = TTN_NEEDTEXTA;
    owner.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_STREQ("Stops it", info.lpszText);
    owner.DestroyWindow();
}
