// Caption button filters on a real window: where the list puts its buttons,
// how a button tracks a press, what it posts, and its hold timer.
#include <gtest/gtest.h>
#include "frame/filters/OZWCaptionFilters.h"
#include "tests/support/TestSupport.h"

#include <memory>
#include <vector>

namespace {

// A top-level window with a caption whose filter tree the test drives.
class CCaptionWnd : public CWnd
{
public:
    BOOL CreateCaptionWnd(DWORD dwStyle, DWORD dwExStyle = 0)
    {
        return CreateEx(dwExStyle, AfxRegisterWndClass(0), "Caption", dwStyle, 100, 100, 400, 300, nullptr,
                        nullptr);
    }
};

// An identifier above the standard ones.
const int kOwnButton = 5000;

// A button of the window's own, always shown, that records why it fired.
class CRecordingButton : public OZWCaptionControlMsgFilter
{
public:
    using OZWCaptionControlMsgFilter::OZWCaptionControlMsgFilter;
    std::vector<UINT> fired;
    BOOL GetVisibility(BOOL* pDisabled) override
    {
        if (pDisabled != nullptr)
            *pDisabled = FALSE;
        return TRUE;
    }
    void Fire(UINT nReason, int x, int y) override
    {
        fired.push_back(nReason);
        OZWCaptionControlMsgFilter::Fire(nReason, x, y);
    }
};

class CaptionFilterTest : public ::testing::Test
{
protected:
    CCaptionWnd wnd;
    void TearDown() override
    {
        if (wnd.m_hWnd != nullptr)
            wnd.DestroyWindow();
        kvtest::PumpMessages();
    }
    // The screen point at the middle of a button.
    POINT Centre(const OZWCaptionControlMsgFilter& button)
    {
        RECT window;
        ::GetWindowRect(wnd.m_hWnd, &window);
        return POINT {window.left + (button.m_rect.left + button.m_rect.right) / 2,
                      window.top + (button.m_rect.top + button.m_rect.bottom) / 2};
    }
    // The client-coordinate lParam of a screen point.
    LPARAM ClientParam(POINT screen)
    {
        ::ScreenToClient(wnd.m_hWnd, &screen);
        return MAKELPARAM(screen.x, screen.y);
    }
    // The posted system commands waiting for the window, taken off the queue.
    std::vector<MSG> TakeSysCommands()
    {
        std::vector<MSG> found;
        MSG msg;
        while (::PeekMessage(&msg, wnd.m_hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
            found.push_back(msg);
        return found;
    }
    OZWCaptionControlMsgFilter* Button(OZWCaptionControlListMsgFilter& list, int id)
    {
        return static_cast<OZWCaptionControlMsgFilter*>(list.FindFilter(id, nullptr, 0));
    }
};

} // namespace

TEST_F(CaptionFilterTest, TheListLaysOutItsButtonsFromTheRightWithGaps)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd(WS_OVERLAPPEDWINDOW));
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    ASSERT_EQ(list.GetChildCount(), 5);
    // The children in the order close, maximise, restore, minimise, help.
    const int order[] = {0, 2, 3, 1, 4};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list.GetChild(i)->GetID(), order[i]);

    const SIZE size = list.GetButtonSize();
    const RECT caption = list.GetCaptionRect();
    struct Case
    {
        int nShow;
        int ids[3]; // the shown buttons, right to left
        int gaps[3]; // the gap after each
    };
    const Case cases[] = {
        {SW_SHOWNORMAL, {0, 2, 1}, {2, 0, 2}},
        {SW_MAXIMIZE, {0, 3, 1}, {2, 0, 2}},
        {SW_MINIMIZE, {0, 2, 3}, {2, 0, 2}},
    };
    for (const Case& c : cases) {
        wnd.ShowWindow(c.nShow);
        kvtest::PumpMessages();
        list.RecalcLayout();
        const RECT now = list.GetCaptionRect();
        int x = now.right - size.cx - 2;
        for (int k = 0; k < 3; ++k) {
            const RECT& r = Button(list, c.ids[k])->m_rect;
            EXPECT_EQ(r.left, x) << c.nShow << " button " << c.ids[k];
            EXPECT_EQ(r.top, now.top + 2);
            EXPECT_EQ(r.right - r.left, size.cx);
            x -= size.cx + c.gaps[k];
        }
        for (int id = 0; id < 5; ++id) {
            if (id != c.ids[0] && id != c.ids[1] && id != c.ids[2]) {
                EXPECT_TRUE(::IsRectEmpty(&Button(list, id)->m_rect)) << c.nShow << " button " << id;
            }
        }
    }
    (void)caption;
}

TEST_F(CaptionFilterTest, DisabledButtonsKeepTheirPlacesAndAnAddedButtonGoesLeftOfThem)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd(WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX));
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    OZWMsgFilter::DescriptorTable none;
    list.ApplyDescriptorsAll(none, FALSE); // the frames switch the standard buttons off this way
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(list.GetChild(i)->IsEnabled());
    auto* pExtra = new CRecordingButton(nullptr, kOwnButton);
    pExtra->SetWnd(&wnd, TRUE);
    list.AddChild(pExtra);
    list.RecalcLayout();
    const SIZE size = list.GetButtonSize();
    // Close, gap, maximise, minimise (shown disabled), gap, then the extra one.
    EXPECT_NE(Button(list, 1)->m_nState & DFCS_INACTIVE, 0u);
    EXPECT_EQ(Button(list, 2)->m_nState & DFCS_INACTIVE, 0u);
    EXPECT_EQ(pExtra->m_rect.left, Button(list, 0)->m_rect.left - 3 * size.cx - 4);
    // A window without a system menu shows no standard button at all.
    wnd.ModifyStyle(WS_SYSMENU, 0);
    list.RecalcLayout();
    for (int id = 0; id < 5; ++id)
        EXPECT_TRUE(::IsRectEmpty(&Button(list, id)->m_rect));
}

TEST_F(CaptionFilterTest, TheMaximisedChildRowUsesMenuSizedButtonsOneCaptionLower)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd(WS_OVERLAPPEDWINDOW));
    OZWCapConLstMDIMaxChildMsgFilter row(&wnd, 256);
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    const SIZE size = row.GetButtonSize();
    EXPECT_EQ(size.cx, ::GetSystemMetrics(SM_CXMENUSIZE) - 2);
    EXPECT_EQ(size.cy, ::GetSystemMetrics(SM_CYMENUSIZE) - 4);
    const RECT caption = row.GetCaptionRect();
    EXPECT_EQ(row.GetFirstButtonPos(caption, size).y, caption.top + ::GetSystemMetrics(SM_CYCAPTION) + 2);
    EXPECT_EQ(list.GetFirstButtonPos(caption, size).y, caption.top + 2);
}

TEST_F(CaptionFilterTest, AClickOnAButtonPostsItsSystemCommandAndADragOutPostsNothing)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    list.RecalcLayout();
    OZWCaptionControlMsgFilter* pClose = Button(list, 0);
    const POINT pt = Centre(*pClose);
    const LPARAM screen = MAKELPARAM(pt.x, pt.y);

    EXPECT_EQ(list.FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, screen, nullptr), 7u);
    EXPECT_TRUE(pClose->IsTracking());
    EXPECT_NE(pClose->m_nState & DFCS_PUSHED, 0u);
    EXPECT_EQ(::GetCapture(), wnd.m_hWnd);
    EXPECT_EQ(list.FilterMessage(WM_LBUTTONUP, 0, ClientParam(pt), nullptr), 7u);
    EXPECT_FALSE(pClose->IsTracking());
    EXPECT_EQ(pClose->m_nState & DFCS_PUSHED, 0u);
    std::vector<MSG> posted = TakeSysCommands();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, (WPARAM)SC_CLOSE);
    EXPECT_EQ(posted[0].lParam, screen);

    // Press, move out (the pressed look goes), release outside: nothing.
    list.FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, screen, nullptr);
    const POINT away = {pt.x - 100, pt.y + 100};
    EXPECT_EQ(list.FilterMessage(WM_MOUSEMOVE, 0, ClientParam(away), nullptr), 7u);
    EXPECT_EQ(pClose->m_nState & DFCS_PUSHED, 0u);
    list.FilterMessage(WM_MOUSEMOVE, 0, ClientParam(pt), nullptr);
    EXPECT_NE(pClose->m_nState & DFCS_PUSHED, 0u);
    list.FilterMessage(WM_MOUSEMOVE, 0, ClientParam(away), nullptr);
    list.FilterMessage(WM_LBUTTONUP, 0, ClientParam(away), nullptr);
    EXPECT_TRUE(TakeSysCommands().empty());
    EXPECT_NE(::GetCapture(), wnd.m_hWnd);
    // A press elsewhere on the caption is left to the window.
    EXPECT_EQ(list.FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(away.x, away.y), nullptr), 0u);
}

TEST_F(CaptionFilterTest, RightPressesAndPressesOnDisabledButtonsAreSwallowed)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd((WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX) | WS_VISIBLE));
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    list.RecalcLayout();
    for (int id : {0, 1}) {
        const POINT pt = Centre(*Button(list, id));
        const LPARAM screen = MAKELPARAM(pt.x, pt.y);
        EXPECT_EQ(list.FilterMessage(WM_NCRBUTTONDOWN, HTCAPTION, screen, nullptr), 7u) << id;
        EXPECT_FALSE(Button(list, id)->IsTracking());
    }
    // The minimise button is disabled here: a left press does nothing either.
    const POINT pt = Centre(*Button(list, 1));
    EXPECT_EQ(list.FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y), nullptr), 7u);
    EXPECT_FALSE(Button(list, 1)->IsTracking());
    EXPECT_TRUE(TakeSysCommands().empty());
}

TEST_F(CaptionFilterTest, PaintingMessagesDrawEachButtonAndAreTaken)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    for (UINT message : {WM_NCPAINT, WM_NCACTIVATE, WM_SETTEXT, WM_SETCURSOR})
        EXPECT_EQ(list.FilterMessage(message, 0, 0, nullptr), 1u) << message;
    list.Enable(FALSE);
    EXPECT_EQ(list.FilterMessage(WM_NCPAINT, 0, 0, nullptr), 0u);
}

TEST_F(CaptionFilterTest, TheHoldActionFiresAtOnceForZeroAndAfterTheTimerOtherwise)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    auto* pButton = new CRecordingButton(nullptr, kOwnButton);
    pButton->SetWnd(&wnd, TRUE);
    list.AddChild(pButton);
    list.RecalcLayout();
    // The recording button lies left of the standard ones; any place will do.
    ::SetRect(&pButton->m_rect, 40, 6, 56, 20);
    const POINT pt = Centre(*pButton);
    const LPARAM screen = MAKELPARAM(pt.x, pt.y);

    pButton->m_nHoldInterval = 0;
    EXPECT_EQ(pButton->FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, screen, nullptr), 7u);
    EXPECT_EQ(pButton->fired, std::vector<UINT>({OZWCaptionControlMsgFilter::kHoldElapsed}));
    EXPECT_FALSE(pButton->IsTracking());
    EXPECT_EQ(pButton->m_pTimerWnd, nullptr);

    // No hold action: a press starts no timer, the release clicks.
    pButton->fired.clear();
    pButton->m_nHoldInterval = -1;
    pButton->FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, screen, nullptr);
    EXPECT_EQ(pButton->m_pTimerWnd, nullptr);
    pButton->FilterMessage(WM_LBUTTONUP, 0, ClientParam(pt), nullptr);
    EXPECT_EQ(pButton->fired, std::vector<UINT>({OZWCaptionControlMsgFilter::kClick}));

    // A hold interval: the timer's tick ends the press once; the timer
    // window, which the button lets go of inside its own tick, goes after it.
    pButton->fired.clear();
    pButton->m_nHoldInterval = 400;
    pButton->FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, screen, nullptr);
    ASSERT_NE(pButton->m_pTimerWnd, nullptr);
    const HWND hTimer = pButton->m_pTimerWnd->m_hWnd;
    ASSERT_TRUE(::IsWindow(hTimer));
    EXPECT_EQ(::GetParent(hTimer), wnd.m_hWnd);
    ::SendMessage(hTimer, WM_TIMER, OZWCaptionControlMsgFilterTimer::kTimerID, 0);
    EXPECT_EQ(pButton->fired, std::vector<UINT>({OZWCaptionControlMsgFilter::kHoldElapsed}));
    EXPECT_FALSE(pButton->IsTracking());
    EXPECT_EQ(pButton->m_pTimerWnd, nullptr);
    ::SendMessage(hTimer, WM_TIMER, OZWCaptionControlMsgFilterTimer::kTimerID, 0);
    EXPECT_EQ(pButton->fired.size(), 1u);
    kvtest::PumpMessages();
    EXPECT_FALSE(::IsWindow(hTimer));

    // Moving out of the pressed button stops the timer; back in restarts it.
    pButton->FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, screen, nullptr);
    ASSERT_NE(pButton->m_pTimerWnd, nullptr);
    pButton->FilterMessage(WM_MOUSEMOVE, 0, ClientParam(POINT {pt.x + 200, pt.y + 100}), nullptr);
    EXPECT_EQ(pButton->m_pTimerWnd, nullptr);
    pButton->FilterMessage(WM_MOUSEMOVE, 0, ClientParam(pt), nullptr);
    EXPECT_NE(pButton->m_pTimerWnd, nullptr);
    pButton->FilterMessage(WM_LBUTTONUP, 0, ClientParam(pt), nullptr);
    EXPECT_EQ(pButton->m_pTimerWnd, nullptr);
}

TEST_F(CaptionFilterTest, APressWhoseCaptureWasTakenAwayEndsWithoutSwallowingTheWindowsInput)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    list.RecalcLayout();
    OZWCaptionControlMsgFilter* pClose = Button(list, 0);
    const POINT pt = Centre(*pClose);
    list.FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y), nullptr);
    ASSERT_TRUE(pClose->IsTracking());
    ::ReleaseCapture();
    EXPECT_EQ(list.FilterMessage(WM_LBUTTONUP, 0, ClientParam(pt), nullptr), 0u);
    EXPECT_FALSE(pClose->IsTracking());
    EXPECT_TRUE(TakeSysCommands().empty());
}

TEST_F(CaptionFilterTest, ACopyOfTheListHasItsButtonsAndItsOwnTable)
{
    ASSERT_TRUE(wnd.CreateCaptionWnd(WS_OVERLAPPEDWINDOW));
    OZWCaptionControlListMsgFilter list(&wnd, 256);
    Button(list, 2)->m_nHoldInterval = 250;
    std::unique_ptr<OZWMsgFilter> pCopy(list.Clone());
    auto* pList = dynamic_cast<OZWCaptionControlListMsgFilter*>(pCopy.get());
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetChildCount(), 5);
    EXPECT_EQ(pList->GetButtonTable().GetSize(), 5);
    EXPECT_EQ(Button(*pList, 2)->m_nHoldInterval, 250);
    EXPECT_EQ(Button(*pList, 2)->GetWnd(), &wnd);
    pList->EnableStandardButtons(FALSE);
    EXPECT_FALSE(Button(*pList, 0)->IsEnabled());
    EXPECT_TRUE(Button(list, 0)->IsEnabled());
}
