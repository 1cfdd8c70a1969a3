// The menu bar in a frame of its own: the buttons of the menus it is given,
// switching between them, mnemonics and the keyboard-selection keys.
#include <gtest/gtest.h>
#include "tests/support/KeysDown.h"
#include "tests/support/TestSupport.h"
#include "tests/toolbars/menubar/MenuBarTestRes.h"
#include "toolbars/menubar/OZWMenuBar.h"
#include "toolbars/menubar/OZWMenuBarFeature.h"
#include "toolbars/menus/OZWTBMenuBtn.h"

#include <string>
#include <vector>

CWinApp theApp("Menu Bar Tests");

namespace {

// The frame that hands the menu bar's notices to the menu tracking and
// answers its "which popup" question from a menu resource.
class CTrackingFrame : public CFrameWnd
{
public:
    OZWMenuBarMessages* pMessages = nullptr;
    HMENU hMenus[2] = {nullptr, nullptr}; // the main and document menus

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (pMessages != nullptr && pMessages->OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam), pResult))
            return TRUE;
        return CFrameWnd::OnNotify(wParam, lParam, pResult);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ::RegisterWindowMessageA("WM_OZWGETMENU")) {
            HMENU hMenu = wParam == IDR_MENUBAR_MAIN ? hMenus[0] : wParam == IDR_MENUBAR_DOC ? hMenus[1] : nullptr;
            return (LRESULT)(hMenu != nullptr ? ::GetSubMenu(hMenu, (int)lParam) : nullptr);
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// Menu tracking that records the menus it would show instead of showing
// them; while the first is "open" the user presses an arrow key.
class RecordingTracker : public OZWMenuBarMessages
{
public:
    CTrackingFrame* frame = nullptr;
    std::vector<std::string> tracked; // the texts of the first items of the menus shown
    int arrow = 0;                    // +1 right, -1 left, pressed in the first menu
    int droppedDuringTracking = -1;

    CWnd* GetFrame() override { return frame; }
    void TrackMenu(OZWMenuBar* pBar, HMENU hMenu, const NMTOOLBARA*) override
    {
        char text[64] = {};
        ::GetMenuStringA(hMenu, 0, text, sizeof(text), MF_BYPOSITION);
        tracked.push_back(text);
        droppedDuringTracking = pBar->GetDroppedIndex();
        if (tracked.size() == 1 && arrow != 0) {
            MoveToAdjacentMenu(arrow > 0);
            // The menu loop dispatches the posted prod while the menu is open.
            MSG msg;
            ASSERT_TRUE(::PeekMessage(&msg, frame->m_hWnd, OZWGetMenuProdMessage(), OZWGetMenuProdMessage(),
                                      PM_REMOVE));
            OnMenuProd();
        }
    }
    void TrackSysMenu(OZWMenuBar* pBar, HMENU, const NMTOOLBARA*) override
    {
        tracked.push_back("(system)");
        droppedDuringTracking = pBar->GetDroppedIndex();
    }
};

class MenuBarTest : public ::testing::Test
{
protected:
    CTrackingFrame* frame = nullptr;
    OZWMenuBar* bar = nullptr;

    void SetUp() override
    {
        frame = new CTrackingFrame;
        frame->hMenus[0] = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENUBAR_MAIN));
        frame->hMenus[1] = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENUBAR_DOC));
        ASSERT_TRUE(frame->Create(nullptr, "Menu bar test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 650, 450)));
        theApp.m_pMainWnd = frame;
        frame->EnableDocking(CBRS_ALIGN_ANY);
        bar = new OZWMenuBar;
        ASSERT_TRUE(bar->Create(frame, "Menu", WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, 0xE810));
        const UINT menus[] = {IDR_MENUBAR_MAIN, 9999, IDR_MENUBAR_DOC};
        ASSERT_TRUE(bar->SetMenuInfo(3, menus));
        kvtest::PumpMessages();
    }
    void TearDown() override
    {
        if (frame != nullptr && frame->GetSafeHwnd() != nullptr) {
            for (HMENU hMenu : frame->hMenus)
                ::DestroyMenu(hMenu);
            frame->pMessages = nullptr;
            frame->DestroyWindow();
        }
        theApp.m_pMainWnd = nullptr;
    }

    // The tracker takes the bar's notices and shows its menus.
    void Attach(RecordingTracker& tracker)
    {
        tracker.frame = frame;
        tracker.SetMenuBar(bar);
        frame->pMessages = &tracker;
    }

    // The captions of the shown menu buttons, in order.
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> captions;
        for (int i = 0; i < bar->GetButtonCount(); ++i) {
            auto* pButton = dynamic_cast<OZWTBMenuBtn*>(bar->GetButton(i));
            if (pButton != nullptr && !pButton->IsHidden())
                captions.push_back((LPCSTR)pButton->m_strText);
        }
        return captions;
    }
};

using Captions = std::vector<std::string>;

} // namespace

TEST_F(MenuBarTest, EachMenuGetsABitAndTheBarShowsTheButtonsOfTheMenuSwitchedTo)
{
    // The missing menu 9999 gets no bit and no buttons.
    EXPECT_EQ(bar->GetMenuBit(IDR_MENUBAR_MAIN), 1u);
    EXPECT_EQ(bar->GetMenuBit(9999), 0u);
    EXPECT_EQ(bar->GetMenuBit(IDR_MENUBAR_DOC), 2u);
    EXPECT_EQ(bar->GetButtonCount(), 5);

    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_MAIN));
    EXPECT_EQ(Shown(), (Captions {"&File", "&Edit"}));
    EXPECT_EQ(bar->GetCurMenuID(), (UINT)IDR_MENUBAR_MAIN);

    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_DOC));
    EXPECT_EQ(Shown(), (Captions {"&File", "&View", "&Window"}));

    // A menu without a bit leaves the bar as it is.
    EXPECT_FALSE(bar->SwitchMenu(9999));
    EXPECT_EQ(Shown(), (Captions {"&File", "&View", "&Window"}));
    EXPECT_EQ(bar->GetCurMenuID(), (UINT)IDR_MENUBAR_DOC);

    // Making the buttons again keeps the menu shown.
    bar->ResetButtons(TRUE);
    EXPECT_EQ(Shown(), (Captions {"&File", "&View", "&Window"}));
}

TEST_F(MenuBarTest, AMnemonicFindsTheShownButtonOnly)
{
    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_MAIN));
    EXPECT_EQ(bar->FindMnemonic('e'), 1);
    EXPECT_EQ(bar->FindMnemonic('F'), 0);
    EXPECT_EQ(bar->FindMnemonic('w'), -1);   // Window belongs to the other menu
    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_DOC));
    EXPECT_EQ(bar->FindMnemonic('w'), 4);
    EXPECT_EQ(bar->FindMnemonic('f'), 2);
    EXPECT_EQ(bar->FindMnemonic('e'), -1);
}

TEST_F(MenuBarTest, AltOrF10UpEntersKeyboardModeAndAgainLeavesIt)
{
    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_DOC));
    OZWMenuBarFeature feature;
    feature.SetMenuBar(bar);
    for (WPARAM key : {(WPARAM)VK_MENU, (WPARAM)VK_F10}) {
        SCOPED_TRACE(key);
        MSG up = {frame->m_hWnd, WM_SYSKEYUP, key, 0};
        EXPECT_TRUE(feature.PreTranslateHostMessage(&up));
        EXPECT_TRUE(bar->IsKeyboardMode());
        // The first shown menu button has the keyboard selection.
        EXPECT_EQ(bar->AdjacentIndex(TRUE), 3);
        EXPECT_TRUE(feature.PreTranslateHostMessage(&up));
        EXPECT_FALSE(bar->IsKeyboardMode());
    }
    // An Alt down in keyboard mode ends it, and its Alt up is then ignored.
    MSG up = {frame->m_hWnd, WM_SYSKEYUP, VK_MENU, 0};
    EXPECT_TRUE(feature.PreTranslateHostMessage(&up));
    MSG down = {frame->m_hWnd, WM_SYSKEYDOWN, VK_MENU, 0};
    EXPECT_TRUE(feature.PreTranslateHostMessage(&down));
    EXPECT_FALSE(bar->IsKeyboardMode());
    // (taken, so that the system does not start a menu mode of its own)
    EXPECT_TRUE(feature.PreTranslateHostMessage(&up));
    EXPECT_FALSE(bar->IsKeyboardMode());
}

TEST_F(MenuBarTest, ArrowsMoveRoundTheShownMenusInKeyboardMode)
{
    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_DOC));
    OZWMenuBarFeature feature;
    feature.SetMenuBar(bar);
    MSG up = {frame->m_hWnd, WM_SYSKEYUP, VK_F10, 0};
    ASSERT_TRUE(feature.PreTranslateHostMessage(&up));
    // Keyboard mode selects the first shown button (index 2 of the five).
    bar->DropByIndex(bar->AdjacentIndex(TRUE));
    EXPECT_EQ(bar->AdjacentIndex(TRUE), 4);
    bar->DropByIndex(bar->AdjacentIndex(TRUE));
    // Past the last menu the selection comes round to the first (the
    // frame's system menu has no button to select), and back.
    EXPECT_EQ(bar->AdjacentIndex(TRUE), 2);
    EXPECT_EQ(bar->AdjacentIndex(FALSE), 3);
    bar->DropByIndex(bar->AdjacentIndex(TRUE));
    EXPECT_TRUE(bar->IsKeyboardMode());
    EXPECT_EQ(bar->AdjacentIndex(FALSE), 4);
}

TEST_F(MenuBarTest, AMnemonicDropsItsMenuUnderTheButton)
{
    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_DOC));
    RecordingTracker tracker;
    Attach(tracker);
    MSG alt = {frame->m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, 'v'};
    EXPECT_TRUE(tracker.PreTranslateMessage(&alt));
    EXPECT_EQ(tracker.tracked, (Captions {"&Zoom"}));
    EXPECT_EQ(tracker.droppedDuringTracking, 3);
    // The menu is over: no button is left pressed.
    EXPECT_EQ(bar->GetDroppedIndex(), -1);
    EXPECT_EQ(bar->GetButton(3)->GetStyle() & TBB_PRESSED, 0u);
    // A character that is no shown menu's mnemonic is left to the system.
    MSG other = {frame->m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, 'e'};
    EXPECT_FALSE(tracker.PreTranslateMessage(&other));
    EXPECT_EQ(tracker.tracked.size(), 1u);
}

TEST_F(MenuBarTest, AnArrowInAnOpenMenuClosesItAndOpensTheNextRoundTheBar)
{
    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_DOC));
    struct Case
    {
        char mnemonic;
        int arrow;
        Captions tracked;
    } cases[] = {
        {'f', +1, {"&Close", "&Zoom"}},
        // Before the first menu and after the last comes the frame's system menu.
        {'f', -1, {"&Close", "(system)"}},
        {'w', +1, {"&Cascade", "(system)"}},
        {'w', -1, {"&Cascade", "&Zoom"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.mnemonic) + (c.arrow > 0 ? " right" : " left"));
        RecordingTracker tracker;
        tracker.arrow = c.arrow;
        Attach(tracker);
        MSG alt = {frame->m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)c.mnemonic};
        EXPECT_TRUE(tracker.PreTranslateMessage(&alt));
        EXPECT_EQ(tracker.tracked, c.tracked);
        EXPECT_EQ(bar->GetDroppedIndex(), -1);
        frame->pMessages = nullptr;
    }
}

TEST_F(MenuBarTest, F10BoundInTheFramesAcceleratorsWithTheSameShiftIsLeftToThem)
{
    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_DOC));
    OZWMenuBarFeature feature;
    ASSERT_TRUE(feature.PlugInTo(frame));
    feature.SetMenuBar(bar);
    struct Case
    {
        ACCEL accel;
        bool shift;
        bool entersKeyboardMode;
    } cases[] = {
        {{FVIRTKEY, VK_F10, 57600}, false, false},
        {{FVIRTKEY | FSHIFT, VK_F10, 57600}, false, true},
        {{FVIRTKEY | FSHIFT, VK_F10, 57600}, true, false},
        {{FVIRTKEY, VK_F9, 57600}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.accel.key) + (c.shift ? " shift" : ""));
        ACCEL accel = c.accel;
        frame->m_hAccelTable = ::CreateAcceleratorTableA(&accel, 1);
        {
            kvtest::KeysDown shift(c.shift ? std::initializer_list<int> {VK_SHIFT} : std::initializer_list<int> {});
            MSG up = {frame->m_hWnd, WM_SYSKEYUP, VK_F10, 0};
            EXPECT_EQ(feature.PreTranslateHostMessage(&up) != FALSE, c.entersKeyboardMode);
        }
        EXPECT_EQ(bar->IsKeyboardMode() != FALSE, c.entersKeyboardMode);
        bar->EndKeyboardMode();
        ::DestroyAcceleratorTable(frame->m_hAccelTable);
        frame->m_hAccelTable = nullptr;
    }
    feature.UnPlug();
}

TEST_F(MenuBarTest, AnAltCharacterThatAControlBesideTheFocusTakesIsLeftToIt)
{
    ASSERT_TRUE(bar->SwitchMenu(IDR_MENUBAR_DOC));
    RecordingTracker tracker;
    Attach(tracker);
    // A panel of the frame with an edit box and a check box "&Vertical".
    HWND hPanel = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 100, 300, 60, frame->m_hWnd, nullptr,
                                    nullptr, nullptr);
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, hPanel, nullptr, nullptr,
                                   nullptr);
    ::CreateWindowExA(0, "BUTTON", "&Vertical", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, 0, 30, 100, 20, hPanel, nullptr,
                      nullptr, nullptr);
    ::SetFocus(hEdit);
    ASSERT_EQ(::GetFocus(), hEdit);
    kvtest::KeysDown alt({VK_MENU});
    MSG character = {hEdit, WM_SYSCHAR, 'v', 0};
    EXPECT_FALSE(tracker.PreTranslateMessage(&character));
    EXPECT_TRUE(tracker.tracked.empty());
    // With the focus on the frame the bar takes it and opens View.
    frame->SetFocus();
    character.hwnd = frame->m_hWnd;
    EXPECT_TRUE(tracker.PreTranslateMessage(&character));
    EXPECT_EQ(tracker.tracked, (Captions {"&Zoom"}));
    frame->pMessages = nullptr;
    ::DestroyWindow(hPanel);
}
