// Print preview mode of a frame (bars, menu and accelerators taken away and
// given back) and the frame's context-help pieces: help messages while in
// help mode and command help.
#include "tests/platform/framework/docview/DocViewFixture.h"

#include <algorithm>
#include <utility>

using dvtest::Pump;

namespace {

// A plain frame that records the help it is asked to open.
class CHelpFrame : public CFrameWnd
{
public:
    std::vector<DWORD_PTR> m_help;
    void WinHelp(DWORD_PTR dwData, UINT) override { m_help.push_back(dwData); }
};

// A child that answers WM_HELPHITTEST with a fixed context.
LRESULT CALLBACK HelpHitProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_HELPHITTEST)
        return 0x12345;
    return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
}

// Popups that record the WM_FLOATSTATUS flags they get.
std::vector<std::pair<HWND, WPARAM>> g_floatStatus;
LRESULT CALLBACK FloatStatusProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_FLOATSTATUS)
        g_floatStatus.emplace_back(hWnd, wParam);
    return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
}

class HelpFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CHelpFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Help frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(0, 0, 400, 300)));
        m_pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 400, 300, SWP_NOACTIVATE);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HelpHitProc;
        wc.hInstance = ::GetModuleHandle(nullptr);
        wc.lpszClassName = "KvHelpHitTest";
        ::RegisterClassA(&wc);
        wc.lpfnWndProc = FloatStatusProc;
        wc.lpszClassName = "KvFloatStatusTest";
        ::RegisterClassA(&wc);
    }
    void TearDown() override
    {
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow(); // deletes the frame
        Pump();
    }

    // A child control of the frame at (x, y), 50 x 30.
    HWND Child(const char* cls, int x, int y, int nID)
    {
        return ::CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE, x, y, 50, 30, m_pFrame->m_hWnd,
                               (HMENU)(INT_PTR)nID, ::GetModuleHandle(nullptr), nullptr);
    }

    // Queues msg for hWnd at the client point (x, y) of the frame, peeks it
    // as the help loop does and hands it to ProcessHelpMsg.
    BOOL Process(UINT nMsg, HWND hWnd, int x, int y, WPARAM wParam, DWORD* pContext)
    {
        Pump();
        POINT pt = { x, y };
        ::ClientToScreen(m_pFrame->m_hWnd, &pt);
        POINT ptClient = pt;
        ::ScreenToClient(hWnd, &ptClient);
        ::PostMessage(hWnd, nMsg, wParam, MAKELPARAM(ptClient.x, ptClient.y));
        MSG msg = {};
        EXPECT_TRUE(::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
        msg.pt = pt; // where the click was, whatever the cursor did meanwhile
        const BOOL bGoOn = m_pFrame->ProcessHelpMsg(msg, pContext);
        MSG left;
        EXPECT_FALSE(::PeekMessage(&left, hWnd, nMsg, nMsg, PM_NOREMOVE)) << "the message stays queued";
        return bGoOn;
    }

    CHelpFrame* m_pFrame = nullptr;
};

} // namespace

TEST_F(DocViewTest, PreviewModeHidesBarsMenuAndAcceleratorsAndGivesThemBack)
{
    auto* pShown = new CTestBar(20);
    auto* pHidden = new CTestBar(15);
    pShown->m_bAutoDelete = pHidden->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pShown->Create(m_pMain, CBRS_TOP, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(pHidden->Create(m_pMain, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    m_pMain->ShowControlBar(pHidden, FALSE, FALSE);
    HMENU hMenu = ::GetMenu(m_hWndMain);
    ASSERT_NE(hMenu, nullptr);
    HACCEL hAccel = m_pMain->m_hAccelTable;

    CPrintPreviewState state;
    m_pMain->OnSetPreviewMode(TRUE, &state);
    EXPECT_TRUE(state.m_bActive);
    EXPECT_FALSE(pShown->IsWindowVisible());
    EXPECT_FALSE(pHidden->IsWindowVisible());
    EXPECT_EQ(::GetMenu(m_hWndMain), nullptr);
    EXPECT_EQ(m_pMain->m_hAccelTable, nullptr);
    // Entering again changes nothing (and forgets nothing).
    m_pMain->OnSetPreviewMode(TRUE, &state);
    ASSERT_EQ(state.hiddenBars.size(), 1u);
    EXPECT_EQ(state.hMenu, hMenu);

    m_pMain->OnSetPreviewMode(FALSE, &state);
    EXPECT_FALSE(state.m_bActive);
    EXPECT_TRUE(pShown->IsWindowVisible());
    EXPECT_FALSE(pHidden->IsWindowVisible()) << "a bar hidden before the preview stays hidden";
    EXPECT_EQ(::GetMenu(m_hWndMain), hMenu);
    EXPECT_EQ(m_pMain->m_hAccelTable, hAccel);
    // Leaving twice does not take the menu away again.
    m_pMain->OnSetPreviewMode(FALSE, &state);
    EXPECT_EQ(::GetMenu(m_hWndMain), hMenu);
}

TEST_F(DocViewTest, PreviewModeSurvivesABarDestroyedMeanwhile)
{
    auto* pBar = new CTestBar(20);
    pBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pBar->Create(m_pMain, CBRS_TOP, AFX_IDW_TOOLBAR));
    CPrintPreviewState state;
    m_pMain->OnSetPreviewMode(TRUE, &state);
    pBar->DestroyWindow(); // deletes the bar
    m_pMain->OnSetPreviewMode(FALSE, &state);
    EXPECT_EQ(m_pMain->GetControlBar(AFX_IDW_TOOLBAR), nullptr);
    EXPECT_TRUE(state.hiddenBars.empty());
}

TEST_F(HelpFrameTest, EscapeAndExitMessageEndTheModeWithoutContext)
{
    DWORD dwContext = 99;
    EXPECT_FALSE(Process(WM_KEYDOWN, m_pFrame->m_hWnd, 0, 0, VK_ESCAPE, &dwContext));
    EXPECT_EQ(dwContext, 0u);
    dwContext = 99;
    EXPECT_FALSE(Process(WM_EXITHELPMODE, m_pFrame->m_hWnd, 0, 0, 0, &dwContext));
    EXPECT_EQ(dwContext, 0u);
    // Other keys and mouse moves leave the mode running.
    EXPECT_TRUE(Process(WM_KEYDOWN, m_pFrame->m_hWnd, 0, 0, 'A', &dwContext));
    EXPECT_TRUE(Process(WM_MOUSEMOVE, m_pFrame->m_hWnd, 10, 10, 0, &dwContext));
    EXPECT_EQ(dwContext, 0u);
}

TEST_F(HelpFrameTest, AClickGivesTheContextOfWhatWasClicked)
{
    HWND hWndAnswering = Child("KvHelpHitTest", 10, 10, 0);
    HWND hWndControl = Child("BUTTON", 100, 10, 1234);
    ASSERT_NE(hWndAnswering, nullptr);
    ASSERT_NE(hWndControl, nullptr);

    DWORD dwContext = 0;
    EXPECT_FALSE(Process(WM_LBUTTONDOWN, hWndAnswering, 20, 20, MK_LBUTTON, &dwContext));
    EXPECT_EQ(dwContext, 0x12345u) << "the window's own answer to WM_HELPHITTEST";

    EXPECT_FALSE(Process(WM_LBUTTONDOWN, hWndControl, 110, 20, MK_LBUTTON, &dwContext));
    EXPECT_EQ(dwContext, HID_BASE_CONTROL + 1234) << "a control without an answer: its id";

    EXPECT_FALSE(Process(WM_LBUTTONDOWN, m_pFrame->m_hWnd, 300, 200, MK_LBUTTON, &dwContext));
    EXPECT_EQ(dwContext, 0u) << "the frame's own client area has no context";
}

TEST_F(HelpFrameTest, CommandHelpUsesTheGivenContextOrTheTrackedCommand)
{
    EXPECT_EQ(m_pFrame->SendMessage(WM_COMMANDHELP, 0, 0x777), TRUE);
    m_pFrame->m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    EXPECT_EQ(m_pFrame->SendMessage(WM_COMMANDHELP, 0, 0), FALSE) << "the idle prompt is no command";
    m_pFrame->m_nIDTracking = 32771;
    EXPECT_EQ(m_pFrame->SendMessage(WM_COMMANDHELP, 0, 0), TRUE);
    EXPECT_EQ(m_pFrame->m_help, (std::vector<DWORD_PTR>{ 0x777, HID_BASE_COMMAND + 32771 }));
}

TEST_F(HelpFrameTest, HelpModeIsEnteredOnlyFromAnIdleEnabledFrame)
{
    EXPECT_TRUE(m_pFrame->CanEnterHelpMode());
    m_pFrame->m_bHelpMode = CFrameWnd::HELP_ACTIVE;
    EXPECT_FALSE(m_pFrame->CanEnterHelpMode());
    m_pFrame->m_bHelpMode = CFrameWnd::HELP_INACTIVE;
    m_pFrame->EnableWindow(FALSE);
    EXPECT_FALSE(m_pFrame->CanEnterHelpMode());
    m_pFrame->EnableWindow(TRUE);
    m_pFrame->SetCapture();
    EXPECT_FALSE(m_pFrame->CanEnterHelpMode());
    ::ReleaseCapture();
    EXPECT_TRUE(m_pFrame->CanEnterHelpMode());
}

TEST_F(HelpFrameTest, FloatingWindowsOfTheFrameHearItsState)
{
    auto popup = [](HWND hWndOwner, DWORD dwStyle) {
        return ::CreateWindowA("KvFloatStatusTest", "", dwStyle, 0, 0, 50, 50, hWndOwner, nullptr,
                               ::GetModuleHandle(nullptr), nullptr);
    };
    HWND hWndOwned = popup(m_pFrame->m_hWnd, WS_POPUP);
    HWND hWndDisabled = popup(m_pFrame->m_hWnd, WS_POPUP | WS_DISABLED);
    HWND hWndStranger = popup(nullptr, WS_POPUP);
    // A child of the frame of the same class is no floating window.
    HWND hWndChild = ::CreateWindowA("KvFloatStatusTest", "", WS_CHILD, 0, 0, 5, 5, m_pFrame->m_hWnd,
                                     nullptr, ::GetModuleHandle(nullptr), nullptr);
    g_floatStatus.clear();
    m_pFrame->NotifyFloatingWindows(FS_ACTIVATE);
    std::vector<std::pair<HWND, WPARAM>> expected = { { hWndOwned, FS_ACTIVATE }, { hWndDisabled, FS_ACTIVATE } };
    std::sort(g_floatStatus.begin(), g_floatStatus.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(g_floatStatus, expected);
    for (HWND hWnd : { hWndOwned, hWndDisabled, hWndStranger, hWndChild })
        ::DestroyWindow(hWnd);
}
