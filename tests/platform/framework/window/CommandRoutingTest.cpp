// Command routing along a chain of command targets, the update questions of
// CCmdUI for menu items and controls, and the idle-time user-interface update.
#include "tests/platform/framework/window/WindowTestSupport.h"

#include <gtest/gtest.h>

using wndtest::TestApp;

namespace {

const UINT ID_BOTH = 0x8001;        // handled by the window and the document
const UINT ID_DOC_ONLY = 0x8002;    // handled by the document only
const UINT ID_NOBODY = 0x8003;      // no handler anywhere
const UINT ID_DISABLED = 0x8004;    // handler, but its update handler disables it
const UINT ID_PASSED_ON = 0x8005;   // the window's update handler passes the question on
const UINT ID_CHECKED = 0x8006;     // update handler checks and renames it
const UINT ID_APP_ONLY = 0x8007;    // handled by the application object

std::vector<std::string> g_calls;

class CTestDocument : public CCmdTarget
{
public:
    afx_msg void OnBoth() { g_calls.push_back("document both"); }
    afx_msg void OnDocOnly() { g_calls.push_back("document only"); }
    afx_msg void OnUpdatePassedOn(CCmdUI* pCmdUI)
    {
        g_calls.push_back("document update");
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDocument, CCmdTarget)
    ON_COMMAND(ID_BOTH, OnBoth)
    ON_COMMAND(ID_DOC_ONLY, OnDocOnly)
    ON_UPDATE_COMMAND_UI(ID_PASSED_ON, OnUpdatePassedOn)
    ON_COMMAND(ID_PASSED_ON, OnDocOnly)
END_MESSAGE_MAP()

// A window that routes what it does not handle to its document, as a view does.
class CRoutingWnd : public CWnd
{
public:
    CCmdTarget* m_pNext = nullptr;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return m_pNext != nullptr && m_pNext->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    afx_msg void OnBoth() { g_calls.push_back("window both"); }
    afx_msg void OnDisabled() { g_calls.push_back("window disabled command ran"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdatePassedOn(CCmdUI* pCmdUI)
    {
        g_calls.push_back("window update");
        pCmdUI->ContinueRouting();
    }
    afx_msg void OnChecked() {}
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(1);
        pCmdUI->SetText("Renamed");
    }
    afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM)
    {
        g_calls.push_back(wParam ? "idle update (disable)" : "idle update");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingWnd, CWnd)
    ON_COMMAND(ID_BOTH, OnBoth)
    ON_COMMAND(ID_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_PASSED_ON, OnUpdatePassedOn)
    ON_COMMAND(ID_CHECKED, OnChecked)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

class CRoutingApp : public TestApp
{
public:
    afx_msg void OnAppOnly() { g_calls.push_back("application"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingApp, TestApp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
END_MESSAGE_MAP()

struct RoutingFixture : public ::testing::Test
{
    CRoutingApp app;
    CTestDocument doc;
    CRoutingWnd wnd;

    void SetUp() override
    {
        g_calls.clear();
        wnd.m_pNext = &doc;
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "router", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    }
    void TearDown() override { wnd.DestroyWindow(); }

    void MenuCommand(UINT nID) { wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }
};

} // namespace

TEST_F(RoutingFixture, CommandGoesToTheFirstTargetOnTheRouteThatHandlesIt)
{
    MenuCommand(ID_BOTH);
    MenuCommand(ID_DOC_ONLY);
    MenuCommand(ID_NOBODY);
    EXPECT_EQ((std::vector<std::string>{ "window both", "document only" }), g_calls);
}

TEST_F(RoutingFixture, DisabledCommandDoesNotRunFromMenuOrAccelerator)
{
    MenuCommand(ID_DISABLED);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DISABLED, 1), 0); // accelerator
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(RoutingFixture, MenuItemsAreEnabledCheckedAndRenamedByTheirUpdateHandlers)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_BOTH, "Both");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hMenu, MF_STRING, ID_NOBODY, "Nobody");
    ::AppendMenuA(hMenu, MF_STRING, ID_DISABLED, "Disabled");
    ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, ID_DOC_ONLY, "Document");
    ::AppendMenuA(hMenu, MF_STRING, ID_CHECKED, "Checked");
    ::AppendMenuA(hMenu, MF_STRING, ID_PASSED_ON, "Passed on");

    AfxUpdateMenuCmdUI(&wnd, hMenu, TRUE);

    auto IsEnabled = [&](UINT nID) { return !(::GetMenuState(hMenu, nID, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)); };
    EXPECT_TRUE(IsEnabled(ID_BOTH));
    EXPECT_FALSE(IsEnabled(ID_NOBODY));   // no handler on the route
    EXPECT_FALSE(IsEnabled(ID_DISABLED)); // its update handler says so
    EXPECT_TRUE(IsEnabled(ID_DOC_ONLY));  // a handler further down the route
    EXPECT_FALSE(IsEnabled(ID_PASSED_ON)); // the document answered after the window passed it on
    EXPECT_TRUE(::GetMenuState(hMenu, ID_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    char szText[64] = {};
    ::GetMenuStringA(hMenu, ID_CHECKED, szText, sizeof(szText), MF_BYCOMMAND);
    EXPECT_STREQ("Renamed", szText);
    EXPECT_EQ((std::vector<std::string>{ "window update", "document update" }), g_calls);
    ::DestroyMenu(hMenu);
}

TEST_F(RoutingFixture, ControlsAreUpdatedThroughTheRoute)
{
    HWND hBoth = ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10, wnd.m_hWnd,
                                   (HMENU)(UINT_PTR)ID_BOTH, nullptr, nullptr);
    HWND hNobody = ::CreateWindowExA(0, "BUTTON", "n", WS_CHILD | BS_PUSHBUTTON, 0, 20, 10, 10, wnd.m_hWnd,
                                     (HMENU)(UINT_PTR)ID_NOBODY, nullptr, nullptr);
    HWND hChecked = ::CreateWindowExA(0, "BUTTON", "c", WS_CHILD | BS_CHECKBOX, 0, 40, 10, 10, wnd.m_hWnd,
                                      (HMENU)(UINT_PTR)ID_CHECKED, nullptr, nullptr);
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hBoth));
    EXPECT_FALSE(::IsWindowEnabled(hNobody));
    EXPECT_EQ(BST_CHECKED, ::SendMessage(hChecked, BM_GETCHECK, 0, 0));
    char szText[32] = {};
    ::GetWindowTextA(hChecked, szText, sizeof(szText));
    EXPECT_STREQ("Renamed", szText);
}

TEST_F(RoutingFixture, IdleProcessingAsksVisibleFrameworkWindowsAndTheirChildren)
{
    CRoutingWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 50, 50), &wnd, 1));
    // Hidden: not asked.
    app.OnIdle(0);
    EXPECT_TRUE(g_calls.empty());

    wnd.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(app.OnIdle(0)); // more idle work follows
    EXPECT_EQ((std::vector<std::string>{ "idle update (disable)", "idle update (disable)" }), g_calls);
    EXPECT_FALSE(app.OnIdle(1));
    child.DestroyWindow();
}

TEST_F(RoutingFixture, DialogPassesUnhandledCommandsToTheApplication)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_WNDTEST_EXCHANGE));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_ONLY, 0), 0);
    // A control notification with a command-like id is not a command.
    HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_WT_TEXT);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_ONLY, EN_CHANGE), (LPARAM)hEdit);
    EXPECT_EQ((std::vector<std::string>{ "application" }), g_calls);
    dlg.DestroyWindow();
}

TEST_F(RoutingFixture, DialogsAndPropertySheetsPassCommandsToTheirOwnerThenTheApplication)
{
    // The window (with its document behind it) owns them.
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_WNDTEST_EXCHANGE, &wnd));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BOTH, 0), 0);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DOC_ONLY, 0), 0);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_ONLY, 0), 0);
    EXPECT_EQ((std::vector<std::string>{ "window both", "document only", "application" }), g_calls);

    // The update questions take the same route.
    class CEnableProbe : public CCmdUI
    {
    public:
        int m_nEnabled = -1;
        void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
    } probe;
    probe.m_nID = ID_DISABLED;
    probe.DoUpdate(&dlg, FALSE);
    EXPECT_EQ(0, probe.m_nEnabled);
    dlg.DestroyWindow();

    // A page goes through its sheet, the sheet to its owner.
    g_calls.clear();
    CPropertyPage page(IDD_WNDTEST_PAGE1);
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(&wnd));
    ASSERT_NE(page.m_hWnd, nullptr);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DOC_ONLY, 0), 0);
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BOTH, 0), 0);
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_ONLY, 0), 0);
    EXPECT_EQ((std::vector<std::string>{ "document only", "window both", "application" }), g_calls);
    sheet.DestroyWindow();
}

TEST_F(RoutingFixture, APopupStaysEnabledWhenItsFirstItemIsDisabled)
{
    // A popup is asked through the command of its first item.
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenuA(hPopup, MF_STRING, ID_DISABLED, "Disabled");
    ::AppendMenuA(hPopup, MF_STRING, ID_BOTH, "Both");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_BOTH, "Both");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, "More");

    AfxUpdateMenuCmdUI(&wnd, hMenu, TRUE);
    EXPECT_FALSE(::GetMenuState(hMenu, 1, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    // The item itself is greyed when its own popup is updated.
    AfxUpdateMenuCmdUI(&wnd, hPopup, TRUE);
    EXPECT_TRUE(::GetMenuState(hPopup, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(hMenu, 1, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    ::DestroyMenu(hMenu);
}
