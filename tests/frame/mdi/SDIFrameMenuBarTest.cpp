// The toolkit's single-document frame with a menu bar in place of its
// menu: the bar made from a run-time class when the window is created, the
// menu kept for it, messages and commands offered to it first, the close
// command held while it is active, the bar deleted while the frame still has
// its window. Also the frame's custom caption and its answers while the
// toolbars are customised.
#include <gtest/gtest.h>
#include "frame/mdi/OZWFrameMenuBar.h"
#include "frame/mdi/OZWFrameWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "tests/frame/mdi/MDITestRes.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

const UINT kWorkspaceCommand = 43031; // the frame takes it and does nothing

// A menu bar of the test: a bar along the frame's top that records what the
// frame hands it and takes what the test tells it to.
class TestMenuBar : public CControlBar, public IOZWFrameMenuBar
{
    DECLARE_DYNCREATE(TestMenuBar)
public:
    static inline int s_nDeleted = 0;
    static inline BOOL s_bFrameHadWindow = FALSE;
    static inline BOOL s_bFailAttach = FALSE;
    static inline TestMenuBar* s_pLast = nullptr;

    TestMenuBar() { s_pLast = this; }
    ~TestMenuBar() override
    {
        ++s_nDeleted;
        s_bFrameHadWindow = ::IsWindow(m_hFrame);
        if (s_pLast == this)
            s_pLast = nullptr;
    }

    void InitMenuBar(int x, int y, DWORD dwStyle, DWORD_PTR dwValue) override
    {
        m_ptInit = CPoint(x, y);
        m_dwInitStyle = dwStyle;
        m_dwValue = dwValue;
    }
    BOOL AttachToFrame(CFrameWnd* pFrame) override
    {
        if (s_bFailAttach)
            return FALSE;
        m_hFrame = pFrame->m_hWnd;
        m_dwStyle = CBRS_TOP;
        SetBorders(0, 0, 0, 0);
        return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_TOOLBAR);
    }
    CControlBar* GetMenuBarWindow() override { return m_hWnd != nullptr ? this : nullptr; }
    BOOL IsMenuBarActive() const override { return m_bActive; }
    BOOL OnFrameMessage(UINT message, WPARAM, LPARAM, LRESULT* pResult) override
    {
        m_frameMessages.push_back(message);
        if (message != m_nConsume)
            return FALSE;
        *pResult = 77;
        return TRUE;
    }
    BOOL PreTranslateFrameMessage(MSG* pMsg) override
    {
        m_preTranslated.push_back(pMsg->message);
        return pMsg->message == m_nPreTranslateTake;
    }
    BOOL OnFrameCommand(UINT nID, int nCode, void*, AFX_CMDHANDLERINFO*) override
    {
        if (nCode != CN_COMMAND || nID != m_nTakeCommand)
            return FALSE;
        ++m_nCommands;
        m_bCommandTaken = TRUE;
        return m_bAnswer;
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL) override { return CSize(bStretch ? 32767 : 200, 22); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    // Every point of the bar hits its tool m_nHitCode (-1: none).
    INT_PTR OnToolHitTest(CPoint, TOOLINFO* pTI) const override
    {
        if (m_nHitCode < 0)
            return -1;
        pTI->uId = (UINT_PTR)m_nHitCode;
        return 1;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN) {
            m_presses.push_back(CPoint(LOWORD(lParam), HIWORD(lParam)));
            return 0;
        }
        return CControlBar::WindowProc(message, wParam, lParam);
    }

    HWND m_hFrame = nullptr;
    CPoint m_ptInit = CPoint(-1, -1);
    DWORD m_dwInitStyle = 0;
    DWORD_PTR m_dwValue = 1;
    BOOL m_bActive = FALSE;
    UINT m_nConsume = 0;
    UINT m_nPreTranslateTake = 0;
    UINT m_nTakeCommand = 0;
    BOOL m_bAnswer = FALSE;
    int m_nCommands = 0;
    int m_nHitCode = -1;
    std::vector<CPoint> m_presses;
    std::vector<UINT> m_frameMessages;
    std::vector<UINT> m_preTranslated;
};

IMPLEMENT_DYNCREATE(TestMenuBar, CControlBar)

// A class of the right kind for nothing: no menu bar.
class NotAMenuBar : public CObject
{
    DECLARE_DYNCREATE(NotAMenuBar)
};
IMPLEMENT_DYNCREATE(NotAMenuBar, CObject)

// A frame that records the custom caption's drawing and the non-client
// messages that reach it, and can pretend a visual theme or customise mode.
class CaptionFrame : public OZWFrameWnd
{
public:
    BOOL m_bTheme = FALSE;
    BOOL m_bCustomize = FALSE;
    int m_nCaptionDrawn = 0;
    BOOL m_bVisibleWhileDefault = TRUE;
    std::vector<UINT> m_messages;

    BOOL IsVisualThemeActive() const override { return m_bTheme; }
    BOOL IsCustomizeMode() const override { return m_bCustomize; }
    void DrawCaption() override
    {
        ++m_nCaptionDrawn;
        OZWFrameWnd::DrawCaption();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return OZWFrameWnd::WindowProc(message, wParam, lParam);
    }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT || message == WM_NCACTIVATE)
            m_bVisibleWhileDefault = (GetStyle() & WS_VISIBLE) != 0;
        return OZWFrameWnd::DefWindowProc(message, wParam, lParam);
    }
};

// A frame that records the help it is asked to show.
class HelpFrame : public OZWFrameWnd
{
public:
    std::vector<DWORD_PTR> m_helpContexts;
    void WinHelp(DWORD_PTR dwData, UINT) override { m_helpContexts.push_back(dwData); }
};

class SDIFrameMenuBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestMenuBar::s_nDeleted = 0;
        TestMenuBar::s_bFailAttach = FALSE;
        TestMenuBar::s_pLast = nullptr;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        kvtest::PumpMessages();
        TestMenuBar::s_bFailAttach = FALSE;
    }
    template <class Frame = OZWFrameWnd>
    Frame* NewFrame(UINT nID, CRuntimeClass* pMenuBarClass)
    {
        auto* pFrame = new Frame;
        pFrame->SetMenuBarClass(pMenuBarClass);
        EXPECT_TRUE(pFrame->LoadFrame(nID));
        m_hWnd = pFrame->m_hWnd;
        pFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOMOVE);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->RecalcLayout();
        kvtest::PumpMessages();
        return pFrame;
    }
    static CString PopupText(HMENU hMenu, int nPos)
    {
        char text[64] = {};
        ::GetMenuStringA(hMenu, nPos, text, sizeof(text), MF_BYPOSITION);
        return text;
    }

    HWND m_hWnd = nullptr;
};

} // namespace

// With a menu-bar class the window has no menu: the bar is made when the
// window is, initialised with the frames' style, sits along the top, and the
// menu of the frame's id is kept for it and answers the menu requests.
// Without one the window has its menu when the resource has one.
TEST_F(SDIFrameMenuBarTest, TheMenuBarTakesTheWindowsMenu)
{
    OZWFrameWnd* pFrame = NewFrame(IDR_SDITEST_MENU, RUNTIME_CLASS(TestMenuBar));
    ASSERT_TRUE(pFrame->HasMenuBar());
    TestMenuBar* pBar = TestMenuBar::s_pLast;
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(pBar, pFrame->GetMenuBar());
    EXPECT_EQ(static_cast<IOZWFrameMenuBar*>(pBar), pFrame->GetMenuBarObject());
    EXPECT_EQ(CPoint(0, 0), pBar->m_ptInit);
    EXPECT_EQ(0x80000001u, pBar->m_dwInitStyle);
    EXPECT_EQ(0u, pBar->m_dwValue);
    EXPECT_EQ(m_hWnd, ::GetParent(pBar->m_hWnd));
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    pFrame->ScreenToClient(&rectBar);
    EXPECT_EQ(0, rectBar.top);
    EXPECT_EQ(22, rectBar.Height());

    EXPECT_EQ(nullptr, ::GetMenu(m_hWnd));
    ASSERT_NE(nullptr, pFrame->GetMenu());
    HMENU hMenu = pFrame->GetMenu()->GetSafeHmenu();
    EXPECT_EQ(2, ::GetMenuItemCount(hMenu));
    EXPECT_STREQ("&View", PopupText(hMenu, 1));
    EXPECT_EQ(hMenu, pFrame->GetMenuForID(IDR_SDITEST_MENU));
    EXPECT_EQ(nullptr, pFrame->GetMenuForID(IDR_SDITEST_MAIN));
    EXPECT_EQ((UINT)IDR_SDITEST_MENU, pFrame->GetMenuIDInUse());
    EXPECT_EQ((LRESULT)::GetSubMenu(hMenu, 1), pFrame->SendMessage(OZWGetMenuRequestMessage(), IDR_SDITEST_MENU, 1));
    EXPECT_EQ(0, pFrame->SendMessage(OZWGetMenuRequestMessage(), IDR_SDITEST_MAIN, 0));
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_STREQ("SDI Menu Test", strTitle);

    ::DestroyWindow(m_hWnd);
    pFrame = NewFrame(IDR_SDITEST_MENU, nullptr);
    EXPECT_FALSE(pFrame->HasMenuBar());
    EXPECT_EQ(nullptr, pFrame->GetMenuBar());
    ASSERT_NE(nullptr, ::GetMenu(m_hWnd));
    EXPECT_EQ(::GetMenu(m_hWnd), pFrame->GetMenu()->GetSafeHmenu());
    EXPECT_EQ(nullptr, pFrame->GetMenuForID(IDR_SDITEST_MENU));
    EXPECT_EQ(0, pFrame->SendMessage(OZWGetMenuRequestMessage(), IDR_SDITEST_MENU, 0));

    ::DestroyWindow(m_hWnd);
    pFrame = NewFrame(IDR_SDITEST_MAIN, nullptr); // no menu resource
    EXPECT_EQ(nullptr, ::GetMenu(m_hWnd));
}

// A class that is no menu bar, or a bar that cannot attach, leaves the frame
// without one (the object deleted), its window still made.
TEST_F(SDIFrameMenuBarTest, AMenuBarThatCannotAttachIsDeleted)
{
    OZWFrameWnd* pFrame = NewFrame(IDR_SDITEST_MENU, RUNTIME_CLASS(NotAMenuBar));
    EXPECT_FALSE(pFrame->HasMenuBar());
    EXPECT_TRUE(::IsWindow(m_hWnd));

    TestMenuBar::s_bFailAttach = TRUE;
    EXPECT_EQ(nullptr, pFrame->CreateMenuBarObject(0, 0, RUNTIME_CLASS(TestMenuBar), 5));
    EXPECT_EQ(1, TestMenuBar::s_nDeleted);
    EXPECT_FALSE(pFrame->HasMenuBar());
    EXPECT_EQ(nullptr, pFrame->CreateMenuBarObject(0, 0, nullptr, 5));
}

// Commands go to the menu bar first: a command it marks as taken ends there
// with its answer (the mark cleared), others go on to the frame. A frame
// inside another frame offers them to the top frame's menu bar.
TEST_F(SDIFrameMenuBarTest, CommandsReachTheMenuBarFirst)
{
    OZWFrameWnd* pFrame = NewFrame(IDR_SDITEST_MENU, RUNTIME_CLASS(TestMenuBar));
    TestMenuBar* pBar = TestMenuBar::s_pLast;
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(pFrame->OnCmdMsg(kWorkspaceCommand, CN_COMMAND, nullptr, nullptr));

    pBar->m_nTakeCommand = kWorkspaceCommand;
    pBar->m_bAnswer = FALSE;
    EXPECT_FALSE(pFrame->OnCmdMsg(kWorkspaceCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(pBar->m_bCommandTaken);
    pBar->m_bAnswer = TRUE;
    EXPECT_TRUE(pFrame->OnCmdMsg(kWorkspaceCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(2, pBar->m_nCommands);

    // A frame inside the frame has no bar of its own: the top frame's gets
    // the command.
    auto* pInner = new OZWFrameWnd;
    ASSERT_TRUE(pInner->Create(nullptr, "Inner", WS_CHILD | WS_VISIBLE, CRect(0, 30, 200, 200), pFrame));
    EXPECT_EQ(pFrame, pInner->GetTopLevelFrame());
    pBar->m_bAnswer = FALSE;
    EXPECT_FALSE(pInner->OnCmdMsg(kWorkspaceCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(3, pBar->m_nCommands);
    pInner->DestroyWindow();
}

// Every message of the frame's window reaches the menu bar first, which may
// answer it in the frame's place; messages about to be dispatched are
// offered to it too, and while it is active the close from the system menu
// is held (the frame stays).
TEST_F(SDIFrameMenuBarTest, TheMenuBarSeesMessagesFirstAndHoldsTheCloseWhileActive)
{
    OZWFrameWnd* pFrame = NewFrame(IDR_SDITEST_MENU, RUNTIME_CLASS(TestMenuBar));
    TestMenuBar* pBar = TestMenuBar::s_pLast;
    ASSERT_NE(nullptr, pBar);

    pBar->m_nConsume = WM_SETTEXT;
    EXPECT_EQ(77, pFrame->SendMessage(WM_SETTEXT, 0, (LPARAM) "Other"));
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_STREQ("SDI Menu Test", strTitle);
    EXPECT_NE(pBar->m_frameMessages.end(),
              std::find(pBar->m_frameMessages.begin(), pBar->m_frameMessages.end(), (UINT)WM_SETTEXT));
    pBar->m_nConsume = 0;

    MSG msg = { m_hWnd, WM_KEYDOWN, VK_F10, 0 };
    pBar->m_nPreTranslateTake = WM_KEYDOWN;
    EXPECT_TRUE(pFrame->PreTranslateMessage(&msg));
    EXPECT_EQ(std::vector<UINT>{ WM_KEYDOWN }, pBar->m_preTranslated);

    MSG close = { m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0 };
    pBar->m_bActive = TRUE;
    EXPECT_TRUE(pFrame->PreTranslateMessage(&close));
    pBar->m_bActive = FALSE;
    EXPECT_FALSE(pFrame->PreTranslateMessage(&close));
}

// Closing the frame deletes its menu bar while the frame still has its
// window.
TEST_F(SDIFrameMenuBarTest, ClosingDeletesTheMenuBarBeforeTheWindowGoes)
{
    NewFrame(IDR_SDITEST_MENU, RUNTIME_CLASS(TestMenuBar));
    ASSERT_NE(nullptr, TestMenuBar::s_pLast);
    TestMenuBar::s_bFrameHadWindow = FALSE;
    ::SendMessage(m_hWnd, WM_CLOSE, 0, 0);
    kvtest::PumpMessages();
    EXPECT_FALSE(::IsWindow(m_hWnd));
    EXPECT_EQ(1, TestMenuBar::s_nDeleted);
    EXPECT_TRUE(TestMenuBar::s_bFrameHadWindow);
}

// The MDI frame offers commands to its menu bar after its active child.
TEST_F(SDIFrameMenuBarTest, TheMDIFramesMenuBarGetsCommandsItsChildLeaves)
{
    auto* pFrame = new OZWMDIFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MDITEST_MAIN));
    m_hWnd = pFrame->m_hWnd;
    IOZWFrameMenuBar* pObject = pFrame->CreateMenuBarObject(0, 0, RUNTIME_CLASS(TestMenuBar), 0);
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(pObject, pFrame->GetMenuBarObject());
    auto* pBar = static_cast<TestMenuBar*>(pObject);
    pBar->m_nTakeCommand = kWorkspaceCommand;
    EXPECT_FALSE(pFrame->OnCmdMsg(kWorkspaceCommand, CN_COMMAND, nullptr, nullptr));
    pBar->m_nTakeCommand = 0;
    EXPECT_TRUE(pFrame->OnCmdMsg(kWorkspaceCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(1, pBar->m_nCommands);
}

// The custom caption: refused while a visual theme is active; switching it
// on asks for a non-client paint and activation; a new text or activation
// is handled with the window's visible style off (the system draws no
// caption) and then the frame draws its own.
TEST_F(SDIFrameMenuBarTest, TheCustomCaptionIsDrawnByTheFrame)
{
    CaptionFrame* pFrame = NewFrame<CaptionFrame>(IDR_SDITEST_MAIN, nullptr);
    pFrame->m_bTheme = TRUE;
    pFrame->m_messages.clear();
    EXPECT_FALSE(pFrame->EnableCustomCaption(TRUE));
    EXPECT_FALSE(pFrame->IsCustomCaption());
    kvtest::PumpMessages();
    EXPECT_EQ(pFrame->m_messages.end(),
              std::find(pFrame->m_messages.begin(), pFrame->m_messages.end(), (UINT)WM_NCACTIVATE));

    pFrame->m_bTheme = FALSE;
    EXPECT_TRUE(pFrame->EnableCustomCaption(TRUE));
    EXPECT_TRUE(pFrame->IsCustomCaption());
    pFrame->m_nCaptionDrawn = 0;
    kvtest::PumpMessages();
    for (UINT message : { (UINT)WM_NCPAINT, (UINT)WM_NCACTIVATE })
        EXPECT_NE(pFrame->m_messages.end(), std::find(pFrame->m_messages.begin(), pFrame->m_messages.end(), message))
            << message;
    EXPECT_LE(2, pFrame->m_nCaptionDrawn);
    EXPECT_TRUE(pFrame->IsCustomCaption()); // the caption could be drawn off-screen

    for (UINT message : { (UINT)WM_SETTEXT, (UINT)WM_NCACTIVATE }) {
        SCOPED_TRACE(message);
        pFrame->m_nCaptionDrawn = 0;
        pFrame->m_bVisibleWhileDefault = TRUE;
        const LRESULT lResult = message == WM_SETTEXT ? pFrame->SendMessage(WM_SETTEXT, 0, (LPARAM) "New - Title")
                                                      : pFrame->SendMessage(WM_NCACTIVATE, TRUE, 0);
        EXPECT_EQ(TRUE, lResult);
        EXPECT_FALSE(pFrame->m_bVisibleWhileDefault);
        EXPECT_EQ(1, pFrame->m_nCaptionDrawn);
        EXPECT_TRUE(pFrame->IsWindowVisible());
    }
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_STREQ("New - Title", strTitle);

    EXPECT_TRUE(pFrame->EnableCustomCaption(FALSE));
    pFrame->m_nCaptionDrawn = 0;
    pFrame->m_bVisibleWhileDefault = FALSE;
    pFrame->SendMessage(WM_SETTEXT, 0, (LPARAM) "Plain");
    EXPECT_TRUE(pFrame->m_bVisibleWhileDefault);
    EXPECT_EQ(0, pFrame->m_nCaptionDrawn);
}

// While the toolbars are customised the frame answers hit tests with
// HTERROR and cannot be closed from its system menu.
TEST_F(SDIFrameMenuBarTest, CustomisingToolbarsHoldsTheFrame)
{
    CaptionFrame* pFrame = NewFrame<CaptionFrame>(IDR_SDITEST_MAIN, nullptr);
    MSG close = { m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0 };
    CRect rect;
    pFrame->GetWindowRect(&rect);
    const LPARAM lPoint = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
    for (BOOL bCustomize : { FALSE, TRUE }) {
        SCOPED_TRACE(bCustomize);
        pFrame->m_bCustomize = bCustomize;
        EXPECT_EQ(bCustomize, pFrame->PreTranslateMessage(&close));
        const LRESULT nHit = pFrame->SendMessage(WM_NCHITTEST, 0, lPoint);
        if (bCustomize)
            EXPECT_EQ(HTERROR, nHit);
        else
            EXPECT_NE(HTERROR, nHit);
    }
}

// The caption the frames draw for themselves: the gradient from the caption
// colour (at the left edge) to its gradient colour (at the right edge), the
// title in the caption-text colour after the icon, active and inactive.
TEST_F(SDIFrameMenuBarTest, TheCaptionIsAGradientUnderTheTitle)
{
    OZWFrameWnd* pFrame = NewFrame(IDR_SDITEST_MAIN, nullptr);
    pFrame->SetWindowText("Pipes - Valves");
    const CSize size(300, 18);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    ASSERT_NE(nullptr, hBitmap);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    auto isNear = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 3;
    };
    for (BOOL bActive : { TRUE, FALSE }) {
        SCOPED_TRACE(bActive);
        ozwframe::CaptionLook look;
        look.bActive = bActive;
        look.hFont = ozwframe::CreateSystemCaptionFont(FALSE);
        look.hAltFont = ozwframe::CreateSystemCaptionFont(TRUE);
        ozwframe::PaintCaption(hDC, size, pFrame, look);
        const COLORREF clrStart = ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        const COLORREF clrEnd = ::GetSysColor(bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        const COLORREF clrText = ::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
        EXPECT_EQ(clrStart, ::GetPixel(hDC, 0, 0));
        EXPECT_TRUE(isNear(clrEnd != 0 ? clrEnd : clrStart, ::GetPixel(hDC, size.cx - 1, 0)));
        int nText = 0;
        for (int x = 20; x < 100; ++x)
            for (int y = 0; y < size.cy; ++y)
                nText += ::GetPixel(hDC, x, y) == clrText ? 1 : 0;
        EXPECT_LT(0, nText);
        ::DeleteObject(look.hFont);
        ::DeleteObject(look.hAltFont);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
}

// In the context-help mode a click on the menu bar goes to the bar as a
// press when it hits a menu item (the mode goes on), and ends the mode with
// the help of the bar's close button when it hits that button.
TEST_F(SDIFrameMenuBarTest, AClickOnTheMenuBarInHelpModeOpensItsMenuOrShowsItsButtonsHelp)
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pOldMain = pThread->m_pMainWnd;
    HelpFrame* pFrame = NewFrame<HelpFrame>(IDR_SDITEST_MENU, RUNTIME_CLASS(TestMenuBar));
    pThread->m_pMainWnd = pFrame;
    TestMenuBar* pBar = TestMenuBar::s_pLast;
    ASSERT_NE(nullptr, pBar);
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    const CPoint ptScreen(rectBar.left + 30, rectBar.CenterPoint().y);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    CPoint ptClient = ptScreen;
    pBar->ScreenToClient(&ptClient);

    // A menu item: the bar gets the press, the mode goes on until Escape.
    pBar->m_nHitCode = 0;
    pFrame->SendMessage(WM_COMMAND, OZWFrameWnd::kContextHelpCommand);
    EXPECT_EQ(CFrameWnd::HELP_ENTERING, pFrame->m_bHelpMode);
    pBar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    kvtest::PumpMessages();
    EXPECT_EQ(CFrameWnd::HELP_INACTIVE, pFrame->m_bHelpMode);
    EXPECT_EQ(std::vector<CPoint>{ ptClient }, pBar->m_presses);
    EXPECT_TRUE(pFrame->m_helpContexts.empty());

    // The close button: the mode ends with that button's help.
    pBar->m_presses.clear();
    pBar->m_nHitCode = 20;
    pFrame->SendMessage(WM_COMMAND, OZWFrameWnd::kContextHelpCommand);
    pBar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    kvtest::PumpMessages();
    EXPECT_EQ(CFrameWnd::HELP_INACTIVE, pFrame->m_bHelpMode);
    EXPECT_TRUE(pBar->m_presses.empty());
    EXPECT_EQ(std::vector<DWORD_PTR>{ 0x1EF06 }, pFrame->m_helpContexts);
    EXPECT_EQ(nullptr, ::GetCapture());
    pThread->m_pMainWnd = pOldMain;
}
