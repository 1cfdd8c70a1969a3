// The application's message loop: pre-translation from the target window up
// to the main window, idle processing, and the end of the loop when the main
// window goes.
#include "tests/platform/framework/window/WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_events;

const UINT WM_TEST_CLOSE = WM_USER + 40;

class CMainWnd : public CWnd
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F5) {
            g_events.push_back("main took F5");
            return TRUE; // an accelerator: the child never sees the key
        }
        return CWnd::PreTranslateMessage(pMsg);
    }
    afx_msg LRESULT OnTestClose(WPARAM, LPARAM)
    {
        DestroyWindow();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainWnd, CWnd)
    ON_MESSAGE(WM_TEST_CLOSE, OnTestClose)
END_MESSAGE_MAP()

class CChildWnd : public CWnd
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            g_events.push_back("child pre-translated a key");
        return FALSE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { g_events.push_back("child got key " + std::to_string(nChar)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChildWnd, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class CLoopApp : public wndtest::TestApp
{
public:
    int m_nIdleUpdates = 0;
    BOOL OnIdle(LONG lCount) override
    {
        // The first idle pass closes the main window.
        if (lCount == 0 && m_nIdleUpdates++ == 0)
            ::PostMessage(m_pMainWnd->m_hWnd, WM_TEST_CLOSE, 0, 0);
        return TestApp::OnIdle(lCount);
    }
    int ExitInstance() override
    {
        g_events.push_back("exit");
        return TestApp::ExitInstance();
    }
};

} // namespace

TEST(AppLoop, RunPreTranslatesIdlesAndEndsWhenTheMainWindowGoes)
{
    g_events.clear();
    CLoopApp app;
    CMainWnd* pMain = new CMainWnd;
    ASSERT_TRUE(pMain->CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CChildWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 50, 50), pMain, 1));
    app.m_pMainWnd = pMain;

    ::PostMessage(child.m_hWnd, WM_KEYDOWN, 'A', 1);
    ::PostMessage(child.m_hWnd, WM_KEYDOWN, VK_F5, 1);
    int nExit = app.Run();

    EXPECT_EQ(0, nExit);
    EXPECT_EQ((std::vector<std::string>{ "child pre-translated a key", "child got key 65",
                                         "child pre-translated a key", "main took F5", "exit" }),
              g_events);
    EXPECT_EQ(1, app.m_nIdleUpdates);
    EXPECT_EQ(nullptr, app.m_pMainWnd); // the main window's end cleared it
    EXPECT_EQ(nullptr, child.m_hWnd);   // the child went with its parent
    delete pMain;
}

TEST(AppLoop, MessageBoxTextsComeFromTheStringTable)
{
    wndtest::TestApp app;
    EXPECT_EQ(IDOK, AfxMessageBox(AFX_IDP_PARSE_INT));
    EXPECT_EQ(IDOK, AfxMessageBox("plain text", MB_YESNO));
    EXPECT_EQ((std::vector<std::string>{ "Please enter a whole number.", "plain text" }), app.messages);
    EXPECT_EQ(&app, AfxGetApp());
    EXPECT_STREQ("Window Tests", AfxGetAppName());
}
