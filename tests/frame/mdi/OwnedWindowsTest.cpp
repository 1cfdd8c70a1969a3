// The main frame's owned windows (a modeless editor, a floating bar) stay
// above it whatever part of it the user clicks: a click on a docked bar
// activates the frame without hiding the editor the user is working with.
// A display that raises the window taking the keyboard focus (X11) is made
// to put them back above it: the frame moves them to the top of the window
// system's order after each change of focus into it and at the next idle
// time. While a floating bar or an owned window is active the frame's
// caption is drawn active; while a window of its own is not, inactive.
#include <gtest/gtest.h>
#include "frame/bars/OZWControlBar.h"
#include "frame/dockmodel/OZWBarStyles.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "tests/frame/mdi/DockingFrameFixture.h"
#include "tests/frame/mdi/MDITestRes.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPoints.h"

namespace {

class OwnedWindowsTest : public DockingFrameFixture<OZWMDIFrameWnd>
{
protected:
    OwnedWindowsTest() : DockingFrameFixture(IDR_MDITEST_MAIN) {}

    void TearDown() override
    {
        if (::IsWindow(m_hEditor))
            ::DestroyWindow(m_hEditor);
        DockingFrameFixture::TearDown();
    }

    // A modeless window owned by the frame, as the program's editors are.
    void OpenEditor(DWORD dwStyle)
    {
        m_hEditor = ::CreateWindowExA(0, "#32770", "Editor", dwStyle, 300, 200, 300, 200, m_hWnd, nullptr,
                                      nullptr, nullptr);
        ASSERT_NE(nullptr, m_hEditor);
        ::ShowWindow(m_hEditor, SW_SHOW);
        ::SetActiveWindow(m_hEditor);
        kvtest::PumpMessages();
    }

    // An edit control on a bar docked on the right, as the curve-fit bar's
    // grid is.
    HWND NewDockedEdit()
    {
        OZWControlBar* pBar = NewBar(300, "Curves", CBRS_RIGHT | CBRS_SIZE_DYNAMIC, SCBX_GRIPPER | SCBX_CAPTION);
        m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
        HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 30, 100, 20,
                                       pBar->m_hWnd, nullptr, nullptr, nullptr);
        EXPECT_NE(nullptr, hEdit);
        return hEdit;
    }

    // A click of the real mouse at a point of the screen.
    static void ClickAt(CPoint point)
    {
        const int cx = ::GetSystemMetrics(SM_CXSCREEN) - 1, cy = ::GetSystemMetrics(SM_CYSCREEN) - 1;
        INPUT input[3] = {};
        for (INPUT& in : input) {
            in.type = INPUT_MOUSE;
            in.mi.dx = point.x * 65535 / cx;
            in.mi.dy = point.y * 65535 / cy;
            in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        }
        input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
        input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
        ::SendInput(3, input, sizeof(INPUT));
        kvtest::PumpMessages();
    }

    // The colour the frame's caption is drawn in now: a point of its first
    // rows just inside the left border, left of the icon, where the
    // caption's colour starts.
    COLORREF CaptionColour()
    {
        HDC hDC = ::GetWindowDC(m_hWnd);
        const COLORREF colour =
            ::GetPixel(hDC, ::GetSystemMetrics(SM_CXFRAME) + 1, ::GetSystemMetrics(SM_CYFRAME) + 1);
        ::ReleaseDC(m_hWnd, hDC);
        return colour;
    }

    HWND m_hEditor = nullptr;
};

// Counts the moves of one window in the window system's order, the moves a
// display follows (the one of X11 restacks a window it shows when the
// window system moves it to the top).
class ZOrderMoves
{
public:
    explicit ZOrderMoves(HWND hWnd)
    {
        s_hWatched = hWnd;
        s_nMoves = 0;
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~ZOrderMoves()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_hWatched = nullptr;
    }
    int Take()
    {
        const int n = s_nMoves;
        s_nMoves = 0;
        return n;
    }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && pMsg->hwnd == s_hWatched && pMsg->message == WM_WINDOWPOSCHANGED &&
            !(reinterpret_cast<const WINDOWPOS*>(pMsg->lParam)->flags & SWP_NOZORDER))
            ++s_nMoves;
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static inline HWND s_hWatched = nullptr;
    static inline int s_nMoves = 0;
    HHOOK m_hHook = nullptr;
};

} // namespace

// The editor stays above the frame after clicks on a docked bar, on the
// frame's client area and on its caption, with or without the popup style.
TEST_F(OwnedWindowsTest, AnOwnedWindowStaysAboveTheFrameWhateverIsClicked)
{
    OZWControlBar* pBar = NewBar(300, "Curves", CBRS_RIGHT | CBRS_SIZE_DYNAMIC, SCBX_GRIPPER | SCBX_CAPTION);
    pBar->EnableDocking(CBRS_ALIGN_RIGHT);
    m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
    m_pFrame->RecalcLayout();
    kvtest::PumpMessages();

    CRect bar, client, frame;
    pBar->GetWindowRect(&bar);
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &client);
    m_pFrame->GetWindowRect(&frame);
    ASSERT_FALSE(bar.IsRectEmpty());
    const struct
    {
        const char* what;
        CPoint point;
    } clicks[] = {
        { "the docked bar", CPoint(bar.CenterPoint().x, bar.bottom - 20) },
        { "the client area", CPoint(client.left + 10, client.bottom - 10) },
        { "the caption", CPoint(frame.left + 60, frame.top + ::GetSystemMetrics(SM_CYFRAME) + 5) },
    };
    for (DWORD dwStyle : { (DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU), (DWORD)(WS_CAPTION | WS_SYSMENU) }) {
        for (const auto& click : clicks) {
            SCOPED_TRACE(click.what);
            SCOPED_TRACE(dwStyle);
            OpenEditor(dwStyle);
            ASSERT_EQ(m_hWnd, ::GetWindow(m_hEditor, GW_OWNER));
            ASSERT_TRUE(kvtest::LiesAbove(m_hEditor, m_hWnd));
            ClickAt(click.point);
            // The click reached the frame, which is now the active window.
            EXPECT_EQ(m_hWnd, ::GetActiveWindow());
            EXPECT_TRUE(kvtest::LiesAbove(m_hEditor, m_hWnd));
            ::DestroyWindow(m_hEditor);
            kvtest::PumpMessages();
        }
    }
}

// The frame's caption is drawn active while the frame, one of its floating
// bars or a window it owns is the active window, and inactive once a window
// that is not its own is.
TEST_F(OwnedWindowsTest, TheCaptionStaysActiveWhileAWindowOfTheFrameIsActive)
{
    OZWControlBar* pBar = NewBar(300, "Curves", CBRS_RIGHT | CBRS_SIZE_DYNAMIC, SCBX_GRIPPER | SCBX_CAPTION);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBar(pBar, CPoint(200, 200));
    kvtest::PumpMessages();
    ASSERT_TRUE(pBar->IsFloating());
    const HWND hFloat = pBar->GetParentFrame()->m_hWnd;

    ::SetActiveWindow(m_hWnd);
    kvtest::PumpMessages();
    const COLORREF active = CaptionColour();
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), active);

    // A window of no one's.
    HWND hOther = ::CreateWindowExA(0, "#32770", "Other", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 300, 200, 100,
                                    nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hOther);
    ::SetActiveWindow(hOther);
    kvtest::PumpMessages();
    EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTION), CaptionColour()) << "another window is active";
    ::DestroyWindow(hOther);
    ::SetActiveWindow(m_hWnd);
    kvtest::PumpMessages();
    EXPECT_EQ(active, CaptionColour());

    ::SetActiveWindow(hFloat);
    kvtest::PumpMessages();
    ASSERT_EQ(hFloat, ::GetActiveWindow());
    EXPECT_EQ(active, CaptionColour()) << "a floating bar is active";

    OpenEditor(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    ASSERT_EQ(m_hEditor, ::GetActiveWindow());
    EXPECT_EQ(active, CaptionColour()) << "an owned window is active";
}

// Each move of the keyboard focus into the frame (to the frame, its client
// area, a control of a docked bar), whether it activates the frame or not,
// moves its owned windows to the top again, in the order they had, above
// the frame and without keeping them on top of all windows.
TEST_F(OwnedWindowsTest, AFocusMovingIntoTheFrameRestacksItsOwnedWindows)
{
    HWND hPoints = NewDockedEdit();
    ASSERT_NE(nullptr, hPoints);
    HWND hOther = ::CreateWindowExA(0, "#32770", "Find", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 200, 100,
                                    m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hOther);
    OpenEditor(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    ASSERT_TRUE(kvtest::LiesAbove(m_hEditor, hOther));

    const struct
    {
        const char* what;
        HWND hFocus;
    } targets[] = {
        { "the frame", m_hWnd },
        { "the client area", m_pFrame->m_hWndMDIClient },
        { "a control of a docked bar", hPoints },
    };
    for (bool bFromEditor : { true, false }) {
        for (const auto& target : targets) {
            SCOPED_TRACE(target.what);
            SCOPED_TRACE(bFromEditor ? "from the active editor" : "within the active frame");
            if (bFromEditor) {
                ::SetActiveWindow(m_hEditor);
                kvtest::PumpMessages();
                ASSERT_EQ(m_hEditor, ::GetActiveWindow());
            } else {
                // The focus first on another window of the frame.
                ::SetFocus(target.hFocus == hPoints ? m_pFrame->m_hWndMDIClient : hPoints);
                kvtest::PumpMessages();
            }
            ZOrderMoves moves(m_hEditor);
            ::SetFocus(target.hFocus);
            kvtest::PumpMessages();
            ASSERT_EQ(m_hWnd, ::GetAncestor(::GetFocus(), GA_ROOT));
            EXPECT_LT(0, moves.Take());
            EXPECT_TRUE(kvtest::LiesAbove(m_hEditor, hOther));
            EXPECT_TRUE(kvtest::LiesAbove(hOther, m_hWnd));
            EXPECT_FALSE(::GetWindowLongA(m_hEditor, GWL_EXSTYLE) & WS_EX_TOPMOST);
            EXPECT_FALSE(::GetWindowLongA(hOther, GWL_EXSTYLE) & WS_EX_TOPMOST);
        }
    }
    ::DestroyWindow(hOther);
}

// The display's own events (the mapping of the frame, which raises it with
// the focus in it) come after the messages of an activation or a change of
// focus: the owned windows are moved to the top once more at the next idle
// time, and not at the idle times after that.
TEST_F(OwnedWindowsTest, TheOwnedWindowsAreRestackedAtTheIdleTimeAfterAChangeOfFocus)
{
    HWND hPoints = NewDockedEdit();
    ASSERT_NE(nullptr, hPoints);
    OpenEditor(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    ::SetActiveWindow(m_hWnd);
    kvtest::PumpMessages();
    ASSERT_EQ(m_hWnd, ::GetActiveWindow());

    ZOrderMoves moves(m_hEditor);
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_LT(0, moves.Take()) << "the idle time after the activation";
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(0, moves.Take()) << "a later idle time";

    ::SetFocus(hPoints);
    kvtest::PumpMessages();
    ASSERT_EQ(hPoints, ::GetFocus());
    moves.Take();
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_LT(0, moves.Take()) << "the idle time after a change of focus";
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(0, moves.Take()) << "a later idle time";
    EXPECT_TRUE(kvtest::LiesAbove(m_hEditor, m_hWnd));
}
