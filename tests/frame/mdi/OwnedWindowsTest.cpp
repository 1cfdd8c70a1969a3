// The main frame's owned windows (a modeless editor, a floating bar) stay
// above it whatever part of it the user clicks: a click on a docked bar
// activates the frame without hiding the editor the user is working with.
// While a floating bar or an owned window is active the frame's caption is
// drawn active; while a window of its own is not, inactive.
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
