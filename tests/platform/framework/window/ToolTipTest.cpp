// Tool tips of a window: the mouse over a child control makes that control
// the tool, and the tip's text request reaches the window's message map under
// the control's id.
#include "tests/platform/framework/window/WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

const UINT ID_TOOL_BUTTON = 55;

class CTipOwner : public CWnd
{
public:
    UINT m_nAskedID = 0;
    afx_msg BOOL OnNeedText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_nAskedID = nID;
        NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
        pInfo->lpszText = const_cast<char*>("Runs the thing");
        *pResult = 0;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipOwner, CWnd)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnNeedText)
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

TEST(ToolTips, MouseOverAChildMakesItTheToolAndItsIdNamesTheText)
{
    wndtest::TestApp app;
    CTipOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr));
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "Run", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, owner.m_hWnd,
                                     (HMENU)(UINT_PTR)ID_TOOL_BUTTON, nullptr, nullptr);
    owner.EnableToolTips(TRUE);

    // Over the button: it is the tool.
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ((INT_PTR)ID_TOOL_BUTTON, owner.OnToolHitTest(CPoint(20, 15), &ti));
    EXPECT_EQ((UINT_PTR)hButton, ti.uId);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
    EXPECT_EQ(-1, owner.OnToolHitTest(CPoint(150, 80), nullptr)); // over nothing

    MSG msg = {};
    msg.hwnd = hButton;
    msg.message = WM_MOUSEMOVE;
    msg.pt = { 20, 15 };
    owner.ClientToScreen(&msg.pt);
    EXPECT_FALSE(owner.PreTranslateMessage(&msg)); // tips never eat the message

    HWND hTip = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindToolTip, (LPARAM)&hTip);
    ASSERT_NE(nullptr, hTip);
    EXPECT_EQ(1, ::SendMessage(hTip, TTM_GETTOOLCOUNT, 0, 0));

    // The tip asks for its text with the button's handle as tool id.
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = hTip;
    info.hdr.idFrom = (UINT_PTR)hButton;
    info.hdr.code = TTN_NEEDTEXTA;
    info.uFlags = TTF_IDISHWND;
    owner.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_EQ(ID_TOOL_BUTTON, owner.m_nAskedID);
    EXPECT_STREQ("Runs the thing", info.lpszText);
    owner.DestroyWindow();
}
