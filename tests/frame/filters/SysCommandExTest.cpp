// The extended system commands: the state rules, the filters the toolkit's
// MDI frame and child make from their tables, and what the caption button,
// the caption's right double click and its context menu send.
#include <gtest/gtest.h>
#include "frame/filters/FiltersRes.h"
#include "frame/filters/SysCommandEx.h"
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "frame/support/OZWWndPlugIn.h"
#include "tests/frame/filters/FiltersTestRes.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/TestSupport.h"

#include <vector>

using namespace nsSysCommandEx;

namespace {

class CFiltersTestApp : public CWinApp
{
public:
    CFiltersTestApp() : CWinApp("Filters Test") {}
};
CFiltersTestApp theApp;

struct SentCommand
{
    HWND hTo;
    WPARAM wParam;
    CommandRecord record;
};
std::vector<SentCommand> g_sent;

// A child that records the execute and show-menu requests it gets (they
// would change its state or run a menu loop) and answers the rest as the
// toolkit's child does.
class CRecordingChild : public OZWMDIChildWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == OZWGetSysCommandExMessage() && (wParam & 0xFFF0) != kGetMenu && m_bRecord) {
            g_sent.push_back({m_hWnd, wParam, *reinterpret_cast<CommandRecord*>(lParam)});
            return 0;
        }
        return OZWMDIChildWnd::WindowProc(message, wParam, lParam);
    }

public:
    BOOL m_bRecord = TRUE;
};

class SysCommandExTest : public ::testing::Test
{
protected:
    OZWMDIFrameWnd* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;

    void SetUp() override
    {
        g_sent.clear();
        m_pFrame = new OZWMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_FILTERTEST_MAIN));
        m_hFrame = m_pFrame->m_hWnd;
        m_pFrame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE);
        m_pFrame->ShowWindow(SW_SHOW);
        kvtest::PumpMessages();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
            ::DestroyWindow(m_hFrame);
        kvtest::PumpMessages();
    }
    CRecordingChild* NewChild(DWORD dwFlags = 1)
    {
        auto* pChild = new CRecordingChild;
        EXPECT_TRUE(pChild->LoadFrame(IDR_FILTERTEST_CHILD, WS_OVERLAPPEDWINDOW | WS_VISIBLE, m_pFrame));
        pChild->EnableSysCommandEx(dwFlags);
        kvtest::PumpMessages();
        return pChild;
    }
    static OZWMsgFilter* Find(OZWMsgFilter* pRoot, int nKind) { return pRoot->FindFilter(nKind, nullptr, -1); }
    // The screen point at the middle of a caption button of a window.
    static POINT Centre(HWND hWnd, const OZWCaptionControlMsgFilter* pButton)
    {
        RECT window;
        ::GetWindowRect(hWnd, &window);
        return POINT {window.left + (pButton->m_rect.left + pButton->m_rect.right) / 2,
                      window.top + (pButton->m_rect.top + pButton->m_rect.bottom) / 2};
    }
    static LPARAM ClientParam(HWND hWnd, POINT pt)
    {
        ::ScreenToClient(hWnd, &pt);
        return MAKELPARAM(pt.x, pt.y);
    }
};

} // namespace

TEST(SysCommandExRules, StateGroupsCommandsAndDockBars)
{
    const int groups[] = {0, 1, 1, 1, 1, 5, 5, 5, 5, 5, 10, 0};
    for (int state = 0; state <= 11; ++state)
        EXPECT_EQ(GetStateGroup(state), groups[state]) << state;
    EXPECT_TRUE(IsScxCommand(kExecute));
    EXPECT_TRUE(IsScxCommand(kShowMenu));
    EXPECT_FALSE(IsScxCommand(kGetMenu));
    EXPECT_FALSE(IsScxCommand(0xC00F));
    EXPECT_EQ(DockBarOfState(kDockedLeft), (UINT)AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(DockBarOfState(kDockedTop), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(DockBarOfState(kDockedRight), (UINT)AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_EQ(DockBarOfState(kDockedBottom), (UINT)AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(DockBarOfState(kDocked), 0u);
}

TEST(SysCommandExRules, TheFirstThreeMenuItemsAreCheckedByGroupTheOthersByState)
{
    struct Case
    {
        int state;
        std::vector<int> checked;
    };
    const Case cases[] = {
        {kMDIChildZoomed, {kMDIChild, kMDIChildZoomed}},
        {kMDIChildNormal, {kMDIChild, kMDIChildNormal}},
        {kDockedLeft, {kDocked, kDockedLeft}},
        {kFloating, {kFloating}},
        {kNone, {}},
    };
    for (const Case& c : cases) {
        std::vector<int> got;
        for (int item = 1; item <= 10; ++item)
            if (IsStateItemChecked(item, c.state))
                got.push_back(item);
        EXPECT_EQ(got, c.checked) << c.state;
    }
}

TEST_F(SysCommandExTest, TheFrameMakesItsFiltersFromItsTable)
{
    OZWMsgFilter* pRoot = m_pFrame->GetMsgFilter();
    // Without a docking document template: no command filter, the row of
    // the maximised child with its standard buttons off, its button and the
    // right double click.
    EXPECT_EQ(Find(pRoot, kKindSysCommand), nullptr);
    auto* pRow = dynamic_cast<OZWCapConLstMDIMaxChildMsgFilter*>(Find(pRoot, kKindCaptionControls));
    ASSERT_NE(pRow, nullptr);
    for (int id = 0; id < 5; ++id)
        EXPECT_FALSE(pRow->FindFilter(id, nullptr, 0)->IsEnabled()) << id;
    EXPECT_NE(dynamic_cast<ScxButtonMDIMaxChildMsgFilter*>(pRow->FindFilter(kKindMaxChildButton, nullptr, 0)),
              nullptr);
    EXPECT_NE(dynamic_cast<ScxNCRDBLClkMDIMaxChildMsgFilter*>(Find(pRoot, kKindMaxChildNCRDblClk)), nullptr);
}

// A frame given a menu bar leaves the maximised child's buttons to the bar:
// its caption row is switched off, the rest of its filters stay.
TEST_F(SysCommandExTest, AMenuBarSwitchesOffTheFramesCaptionRow)
{
    struct PlainBar : CControlBar
    {
        void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    } bar;
    ASSERT_TRUE(bar.CWnd::Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), m_pFrame, 0xE8FF));
    ASSERT_TRUE(m_pFrame->SetMenuBar(&bar, new dedaride::foundation::OZWWndPlugIn));
    OZWMsgFilter* pRoot = m_pFrame->GetMsgFilter();
    ASSERT_NE(Find(pRoot, kKindCaptionControls), nullptr);
    EXPECT_FALSE(Find(pRoot, kKindCaptionControls)->IsEnabled());
    EXPECT_TRUE(Find(pRoot, kKindMaxChildNCRDblClk)->IsEnabled());
    m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
}

TEST_F(SysCommandExTest, TheChildsFlagsSwitchItsFilters)
{
    struct Case
    {
        DWORD flags;
        BOOL on[5]; // 257, 256, 258, 259, 262
    };
    const Case cases[] = {
        {0x1, {1, 1, 1, 1, 1}},
        {0x3, {1, 1, 0, 1, 1}}, // the caption row is never switched off (flag 1)
        {0x5, {1, 1, 1, 0, 1}},
        {0x9, {1, 1, 1, 1, 0}},
        {0x0, {0, 1, 0, 0, 0}},
    };
    CRecordingChild* pChild = NewChild(0x1);
    const int kinds[] = {kKindSysCommand, kKindCaptionControls, kKindChildButton, kKindChildNCRDblClk,
                         kKindContextMenu};
    for (const Case& c : cases) {
        pChild->EnableSysCommandEx(c.flags);
        for (int i = 0; i < 5; ++i) {
            OZWMsgFilter* pFilter = Find(pChild->m_pMsgFilter, kinds[i]);
            ASSERT_NE(pFilter, nullptr);
            EXPECT_EQ(pFilter->IsEnabled(), c.on[i]) << std::hex << c.flags << " kind " << std::dec << kinds[i];
        }
    }
    EXPECT_TRUE(Find(pChild->m_pMsgFilter, kKindSysCommand)->IsKindOf(RUNTIME_CLASS(ScxMsgFilter)));
    EXPECT_TRUE(Find(pChild->m_pMsgFilter, kKindChildButton)->IsKindOf(RUNTIME_CLASS(ScxButtonMDIChildMsgFilter)));
}

TEST_F(SysCommandExTest, TheCaptionButtonClickExecutesAndARightPressShowsTheMenuBelowIt)
{
    CRecordingChild* pChild = NewChild();
    auto* pRow = static_cast<OZWCaptionControlListMsgFilter*>(Find(pChild->m_pMsgFilter, kKindCaptionControls));
    auto* pButton = static_cast<ScxButtonMsgFilter*>(Find(pChild->m_pMsgFilter, kKindChildButton));
    pRow->RecalcLayout();
    ASSERT_FALSE(::IsRectEmpty(&pButton->m_rect));
    // Left of the three places of the system's own buttons.
    auto* pMinimise = static_cast<OZWCaptionControlMsgFilter*>(pRow->FindFilter(1, nullptr, 0));
    EXPECT_LE(pButton->m_rect.right, pMinimise->m_rect.left);
    const POINT pt = Centre(pChild->m_hWnd, pButton);
    pChild->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(pButton->IsTracking());
    EXPECT_NE(pButton->m_pTimerWnd, nullptr); // the 400 ms hold
    pChild->SendMessage(WM_LBUTTONUP, 0, ClientParam(pChild->m_hWnd, pt));
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].hTo, pChild->m_hWnd);
    EXPECT_EQ(g_sent[0].wParam, (WPARAM)kExecute);
    EXPECT_EQ(g_sent[0].record.hWnd, pChild->m_hWnd);
    EXPECT_EQ(g_sent[0].record.nCommand, -1);
    EXPECT_EQ(g_sent[0].record.x, pt.x);

    g_sent.clear();
    pChild->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].wParam, (WPARAM)kShowMenu);
    RECT window;
    ::GetWindowRect(pChild->m_hWnd, &window);
    EXPECT_EQ(g_sent[0].record.x, window.left + pButton->m_rect.left);
    EXPECT_EQ(g_sent[0].record.y, window.top + pButton->m_rect.bottom);
    EXPECT_EQ(g_sent[0].record.dwFlags & kHasPosition, 0u);

    // Held: the menu below the button, with the position flag.
    g_sent.clear();
    pChild->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    ASSERT_NE(pButton->m_pTimerWnd, nullptr);
    ::SendMessage(pButton->m_pTimerWnd->m_hWnd, WM_TIMER, OZWCaptionControlMsgFilterTimer::kTimerID, 0);
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].wParam, (WPARAM)kShowMenu);
    EXPECT_NE(g_sent[0].record.dwFlags & kHasPosition, 0u);
    EXPECT_FALSE(pButton->IsTracking());
}

TEST_F(SysCommandExTest, CaptionRightDoubleClickExecutesAndRightReleaseShowsTheMenuThere)
{
    CRecordingChild* pChild = NewChild();
    pChild->SendMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, MAKELPARAM(210, 120));
    pChild->SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(-20, 130));
    pChild->SendMessage(WM_NCRBUTTONUP, HTCLIENT, MAKELPARAM(5, 5));
    ASSERT_EQ(g_sent.size(), 2u);
    EXPECT_EQ(g_sent[0].wParam, (WPARAM)kExecute);
    EXPECT_EQ(g_sent[0].record.nCommand, -1);
    EXPECT_EQ(g_sent[1].wParam, (WPARAM)kShowMenu);
    EXPECT_EQ(g_sent[1].record.x, -20);
    EXPECT_EQ(g_sent[1].record.y, 130);
    // With the double-click and menu filters switched off, nothing is sent.
    g_sent.clear();
    pChild->EnableSysCommandEx(0x1 | 0x4 | 0x8);
    pChild->SendMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, MAKELPARAM(210, 120));
    pChild->SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(210, 120));
    EXPECT_TRUE(g_sent.empty());
}

TEST_F(SysCommandExTest, TheStateMenuOfAChildChecksItsState)
{
    CRecordingChild* pChild = NewChild();
    CommandRecord record;
    record.hWnd = pChild->m_hWnd;
    // Low bits of the command are ignored.
    const LRESULT lResult = ::SendMessage(pChild->m_hWnd, OZWGetSysCommandExMessage(), kGetMenu | 0xF, (LPARAM)&record);
    EXPECT_NE(lResult, 0);
    ASSERT_NE(record.hMenu, nullptr);
    HMENU hMenu = record.hMenu;
    ASSERT_EQ(::GetMenuItemCount(hMenu), 6);
    const UINT ids[] = {kDocked, kFloating, kMDIChild};
    const UINT texts[] = {IDS_SCX_DOCKED, IDS_SCX_FLOATING, IDS_SCX_MDICHILD};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(::GetMenuItemID(hMenu, i), ids[i]);
        char text[64] = {};
        ::GetMenuStringA(hMenu, i, text, sizeof(text), MF_BYPOSITION);
        CString expected;
        expected.LoadString(texts[i]);
        EXPECT_STREQ(text, (LPCSTR)expected);
        EXPECT_EQ((::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_CHECKED) != 0, ids[i] == kMDIChild) << i;
    }
    char text[64] = {};
    ::GetMenuStringA(hMenu, 5, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "MD&I Child as");
    HMENU hAs = ::GetSubMenu(hMenu, 5);
    ASSERT_NE(hAs, nullptr);
    EXPECT_EQ(::GetMenuItemID(hAs, 2), (UINT)kMDIChildNormal);
    EXPECT_NE(::GetMenuState(hAs, kMDIChildNormal, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(::GetMenuState(hAs, kMDIChildZoomed, MF_BYCOMMAND) & MF_CHECKED, 0u);
    HMENU hDockedTo = ::GetSubMenu(hMenu, 4);
    ASSERT_NE(hDockedTo, nullptr);
    EXPECT_EQ(::GetMenuItemID(hDockedTo, 0), (UINT)kDockedTop);
    EXPECT_EQ(::GetMenuItemID(hDockedTo, 3), (UINT)kDockedRight);
    ::DestroyMenu(hMenu);

    // Without a docking document template an execute request changes nothing.
    pChild->m_bRecord = FALSE;
    record = CommandRecord();
    record.hWnd = pChild->m_hWnd;
    record.nCommand = kDocked;
    EXPECT_EQ(::SendMessage(pChild->m_hWnd, OZWGetSysCommandExMessage(), kExecute, (LPARAM)&record), 0);
    EXPECT_TRUE(::IsWindow(pChild->m_hWnd));
}

TEST_F(SysCommandExTest, AMaximisedChildHidesItsButtonAndTheFramesRowShowsItForIt)
{
    CRecordingChild* pChild = NewChild();
    auto* pChildButton = static_cast<ScxButtonMsgFilter*>(Find(pChild->m_pMsgFilter, kKindChildButton));
    auto* pRow = static_cast<OZWCaptionControlListMsgFilter*>(Find(m_pFrame->GetMsgFilter(), kKindCaptionControls));
    auto* pFrameButton = static_cast<ScxButtonMDIMaxChildMsgFilter*>(Find(pRow, kKindMaxChildButton));
    EXPECT_TRUE(pChildButton->GetVisibility(nullptr));
    EXPECT_FALSE(pFrameButton->GetVisibility(nullptr));

    pChild->ShowWindow(SW_SHOWMAXIMIZED);
    kvtest::PumpMessages();
    ASSERT_TRUE(::IsZoomed(pChild->m_hWnd));
    EXPECT_FALSE(pChildButton->GetVisibility(nullptr));
    EXPECT_EQ(pFrameButton->GetTargetChild(), pChild);
    pRow->RecalcLayout();
    ASSERT_TRUE(pFrameButton->GetVisibility(nullptr));
    ASSERT_FALSE(::IsRectEmpty(&pFrameButton->m_rect));

    // A click on it in the menu row executes for the child.
    const POINT pt = Centre(m_hFrame, pFrameButton);
    EXPECT_EQ(pRow->FilterMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y), nullptr), 0u);
    EXPECT_NE(pRow->FilterMessage(WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(pt.x, pt.y), nullptr) & 0x9u, 0u);
    m_pFrame->SendMessage(WM_LBUTTONUP, 0, ClientParam(m_hFrame, pt));
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].hTo, pChild->m_hWnd);
    EXPECT_EQ(g_sent[0].record.hWnd, pChild->m_hWnd);
    EXPECT_EQ(g_sent[0].wParam, (WPARAM)kExecute);

    // A right double click on the menu row does the same.
    g_sent.clear();
    m_pFrame->SendMessage(WM_NCRBUTTONDBLCLK, HTMENU, MAKELPARAM(pt.x, pt.y));
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].hTo, pChild->m_hWnd);

    // A child whose own button is off gets none in the row either.
    pChild->EnableSysCommandEx(0x1 | 0x2 | 0x4);
    EXPECT_FALSE(pFrameButton->GetVisibility(nullptr));
    g_sent.clear();
    m_pFrame->SendMessage(WM_NCRBUTTONDBLCLK, HTMENU, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(g_sent.empty());
}

TEST(SysCommandExButton, TheButtonIsRaisedOrSunkenWithADiamondInTheMiddle)
{
    ScxButtonMsgFilter button;
    for (SIZE size : {SIZE {16, 14}, SIZE {24, 20}}) {
        for (BOOL bPressed : {FALSE, TRUE}) {
            kvtest::MemoryBitmap bitmap(size.cx, size.cy);
            bitmap.Fill(RGB(1, 2, 3));
            const RECT rect = {0, 0, size.cx, size.cy};
            button.DrawButton(bitmap.hdc(), rect, bPressed, FALSE);
            const COLORREF topLeft = ::GetPixel(bitmap.hdc(), 0, 0);
            const COLORREF bottomRight = ::GetPixel(bitmap.hdc(), size.cx - 1, size.cy - 1);
            EXPECT_EQ(topLeft, ::GetSysColor(bPressed ? COLOR_3DDKSHADOW : COLOR_3DHILIGHT)) << size.cx;
            EXPECT_EQ(bottomRight, ::GetSysColor(bPressed ? COLOR_3DHILIGHT : COLOR_3DDKSHADOW)) << size.cx;
            // The glyph's outline crosses the middle row twice, left and right
            // of the centre, with the face between.
            const int y = size.cy / 2 + (bPressed ? 1 : 0);
            int nLeft = -1, nRight = -1;
            for (int x = 2; x < size.cx - 2; ++x) {
                if (::GetPixel(bitmap.hdc(), x, y) != ::GetSysColor(COLOR_BTNTEXT))
                    continue;
                if (nLeft < 0)
                    nLeft = x;
                nRight = x;
            }
            ASSERT_GE(nLeft, 0) << size.cx << " " << bPressed;
            EXPECT_LT(nLeft, size.cx / 2);
            EXPECT_GE(nRight, size.cx / 2);
            EXPECT_EQ(::GetPixel(bitmap.hdc(), (nLeft + nRight) / 2, y), ::GetSysColor(COLOR_3DFACE));
        }
    }
}
