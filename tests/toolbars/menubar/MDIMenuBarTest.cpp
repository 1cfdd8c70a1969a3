// The MDI menu bar in place of an MDI frame's menu: it shows the active
// child's menu or the frame's own, the maximised child's icon first and its
// minimise, restore and close buttons last (doing what they say), and moves
// between the popups by mouse and keyboard. The popups are recorded instead
// of shown: a real popup's modal loop waits for a user.
#include <gtest/gtest.h>
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "tests/support/KeysDown.h"
#include "tests/support/TestSupport.h"
#include "tests/toolbars/menubar/MenuBarTestRes.h"
#include "toolbars/menubar/OZWMDIMenuBar.h"
#include "toolbars/menubar/OZWMenuBarFeature.h"
#include "toolbars/menus/OZWTBMenuBtn.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using Captions = std::vector<std::string>;

// The menu-bar feature with its popups recorded. What the user does while a
// popup is open is a script run in its place; its result is the popup's.
class RecordingFeature : public OZWMenuBarFeature
{
public:
    struct Popup
    {
        HMENU hMenu;
        UINT nFlags;
        POINT pt;
        RECT rcExclude;
        HWND hOwner;
    };
    std::vector<Popup> popups;
    std::function<UINT(int nPopup)> whileOpen;

    UINT ShowPopupMenu(HMENU hMenu, UINT nFlags, POINT pt, const RECT& rcExclude, HWND hOwner) override
    {
        popups.push_back({hMenu, nFlags, pt, rcExclude, hOwner});
        return whileOpen ? whileOpen((int)popups.size()) : 0;
    }
};

// The messages waiting are handled, and then the idle-time work (the
// frame's delayed layout) done.
void Settle()
{
    kvtest::PumpMessages();
    if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain->m_hWnd != nullptr)
        pMain->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}

// What the menu's own loop does with a message while a popup is open: the
// message filter sees it first; then the loop dispatches what was posted.
BOOL InMenuLoop(MSG msg)
{
    const BOOL bTaken = ::CallMsgFilterA(&msg, MSGF_MENU);
    kvtest::PumpMessages();
    return bTaken;
}

class MDIMenuBarTest : public ::testing::Test
{
protected:
    OZWMDIFrameWnd* frame = nullptr;
    HWND hFrame = nullptr;
    OZWMDIMenuBar* bar = nullptr;
    RecordingFeature* feature = nullptr;

    void SetUp() override
    {
        frame = new OZWMDIFrameWnd;
        ASSERT_TRUE(frame->LoadFrame(IDR_MENUBAR_MAIN, WS_OVERLAPPEDWINDOW));
        hFrame = frame->m_hWnd;
        AfxGetApp()->m_pMainWnd = frame;
        const UINT childMenu[] = {IDR_MENUBAR_DOC};
        ASSERT_TRUE(frame->RegisterMenus(1, childMenu));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        bar = new OZWMDIMenuBar;
        ASSERT_TRUE(bar->Create(frame, "Menu bar", WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, 0xE8FF));
        const UINT menus[] = {IDR_MENUBAR_MAIN, IDR_MENUBAR_DOC};
        ASSERT_TRUE(bar->SetMenuInfo(2, menus));
        feature = new RecordingFeature;
        ASSERT_TRUE(frame->SetMenuBar(bar, feature));
        frame->MoveWindow(40, 40, 700, 500);
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        Settle();
    }
    void TearDown() override
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        AfxGetApp()->m_pMainWnd = nullptr;
        Settle();
    }

    OZWMDIChildWnd* NewChild(const char* title, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
    {
        auto* pChild = new OZWMDIChildWnd;
        if (!pChild->LoadFrame(IDR_MENUBAR_DOC, dwStyle | WS_VISIBLE, frame))
            return nullptr;
        pChild->SetWindowText(title);
        Settle();
        return pChild;
    }

    // The captions of the shown menu buttons, in order.
    Captions Shown() const
    {
        Captions captions;
        for (int i = 0; i < bar->GetButtonCount(); ++i) {
            const OZWStdBtn* pButton = bar->GetButton(i);
            if (pButton == &bar->m_btnSysMenu || pButton->IsHidden())
                continue;
            if (auto* pMenuButton = dynamic_cast<const OZWTBMenuBtn*>(pButton))
                captions.push_back((LPCSTR)pMenuButton->m_strText);
        }
        return captions;
    }
    int IndexOf(const char* caption) const
    {
        for (int i = 0; i < bar->GetButtonCount(); ++i) {
            auto* pButton = dynamic_cast<const OZWTBMenuBtn*>(bar->GetButton(i));
            if (pButton != nullptr && pButton != &bar->m_btnSysMenu && !pButton->IsHidden() &&
                pButton->m_strText == caption)
                return i;
        }
        return -1;
    }
    BOOL ChildButtonsShown() const
    {
        return !bar->m_btnSysMenu.IsHidden() && !bar->m_btnCaption.IsHidden();
    }
    BOOL ChildButtonsHidden() const
    {
        return bar->m_btnSysMenu.IsHidden() && bar->m_btnCaption.IsHidden();
    }
    // The middle of a part of the caption button (bar client coordinates).
    CPoint CaptionPart(int nPart) const
    {
        const OZWBtnCaption& caption = bar->m_btnCaption;
        const int x = caption.m_x + nPart * caption.m_cxPart + (nPart == OZWBtnCaption::kClose ? 2 : 0);
        return CPoint(x + caption.m_cxPart / 2, caption.m_y + caption.m_cyPart / 2);
    }
    CPoint Middle(int nIndex) const
    {
        RECT rect;
        bar->GetButtonRect(nIndex, &rect);
        return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void Click(CPoint point)
    {
        bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Settle();
    }
    // What a recorded popup was: the frame's or a child's system menu, else
    // the text of its first item.
    std::string What(HMENU hMenu, CWnd* pChild = nullptr) const
    {
        if (hMenu == ::GetSystemMenu(hFrame, FALSE))
            return "(frame)";
        if (pChild != nullptr && hMenu == ::GetSystemMenu(pChild->m_hWnd, FALSE))
            return "(child)";
        char text[64] = {};
        ::GetMenuStringA(hMenu, 0, text, sizeof(text), MF_BYPOSITION);
        return text;
    }
    Captions Popups(CWnd* pChild = nullptr) const
    {
        Captions found;
        for (const auto& popup : feature->popups)
            found.push_back(What(popup.hMenu, pChild));
        return found;
    }
};

} // namespace

TEST_F(MDIMenuBarTest, TheBarShowsTheActiveChildsMenuAndTheFramesOwnWhenNoChildIsLeft)
{
    EXPECT_EQ(::GetMenu(hFrame), nullptr);
    EXPECT_EQ(Shown(), (Captions {"&File", "&Edit"}));
    EXPECT_TRUE(ChildButtonsHidden());

    OZWMDIChildWnd* pAlpha = NewChild("Alpha");
    ASSERT_NE(pAlpha, nullptr);
    EXPECT_EQ(Shown(), (Captions {"&File", "&View", "&Window"}));
    OZWMDIChildWnd* pBeta = NewChild("Beta");
    ASSERT_NE(pBeta, nullptr);
    EXPECT_EQ(Shown(), (Captions {"&File", "&View", "&Window"}));
    // The window never gets a menu of its own beside the bar.
    EXPECT_EQ(::GetMenu(hFrame), nullptr);
    EXPECT_TRUE(ChildButtonsHidden());

    // The bar's Window menu lists the children.
    bar->DropByIndex(IndexOf("&Window"));
    ASSERT_EQ(feature->popups.size(), 1u);
    HMENU hWindow = feature->popups[0].hMenu;
    Captions items;
    for (int i = 0; i < ::GetMenuItemCount(hWindow); ++i) {
        char text[64] = {};
        ::GetMenuStringA(hWindow, i, text, sizeof(text), MF_BYPOSITION);
        items.push_back(text);
    }
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[2], "&1 Alpha");
    EXPECT_EQ(items[3].substr(0, 3), "&2 ");

    pBeta->SendMessage(WM_CLOSE);
    Settle();
    EXPECT_EQ(Shown(), (Captions {"&File", "&View", "&Window"}));
    pAlpha->SendMessage(WM_CLOSE);
    Settle();
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(Shown(), (Captions {"&File", "&Edit"}));
    EXPECT_EQ(::GetMenu(hFrame), nullptr);
}

TEST_F(MDIMenuBarTest, TheChildsButtonsStayFirstAndLastAndOnceWhateverTheBarDoes)
{
    auto check = [&](const char* what) {
        SCOPED_TRACE(what);
        int nIcon = 0, nCaption = 0;
        for (int i = 0; i < bar->GetButtonCount(); ++i) {
            nIcon += bar->GetButton(i) == &bar->m_btnSysMenu;
            nCaption += bar->GetButton(i) == &bar->m_btnCaption;
        }
        EXPECT_EQ(nIcon, 1);
        EXPECT_EQ(nCaption, 1);
        EXPECT_EQ(bar->GetButton(0), &bar->m_btnSysMenu);
        EXPECT_EQ(bar->GetButton(bar->GetButtonCount() - 1), &bar->m_btnCaption);
    };
    check("made");
    EXPECT_EQ(bar->GetButtonCount(), 7);
    bar->ResetButtons(TRUE);
    check("made again");
    const UINT menus[] = {IDR_MENUBAR_DOC, IDR_MENUBAR_MAIN};
    ASSERT_TRUE(bar->SetMenuInfo(2, menus));
    check("given other menus");
    OZWControlBarInfo info;
    bar->SaveExtraInfo(&info);
    check("saved");
    bar->RemoveAllButtons();
    check("emptied");
    EXPECT_EQ(bar->GetButtonCount(), 2);
}

TEST_F(MDIMenuBarTest, AMaximisedChildsButtonsComeFirstAndLastAndDoWhatTheySay)
{
    struct Case
    {
        int part;
        const char* name;
    } cases[] = {
        {OZWBtnCaption::kRestore, "restore"},
        {OZWBtnCaption::kMinimize, "minimise"},
        {OZWBtnCaption::kClose, "close"},
    };
    HICON hIcon = ::LoadIcon(nullptr, IDI_WARNING);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OZWMDIChildWnd* pChild = NewChild("Alpha");
        ASSERT_NE(pChild, nullptr);
        const HWND hChild = pChild->m_hWnd;
        pChild->SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
        EXPECT_TRUE(ChildButtonsHidden());
        pChild->ShowWindow(SW_SHOWMAXIMIZED);
        Settle();
        ASSERT_TRUE(::IsZoomed(hChild));

        // The icon first, the caption button last and flush right.
        ASSERT_TRUE(ChildButtonsShown());
        EXPECT_EQ(bar->GetButton(0), &bar->m_btnSysMenu);
        EXPECT_EQ(bar->GetButton(bar->GetButtonCount() - 1), &bar->m_btnCaption);
        EXPECT_EQ(bar->m_btnSysMenu.m_hIcon, hIcon);
        EXPECT_EQ(bar->m_btnCaption.m_dwWndStyle, (DWORD)(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        CRect client;
        bar->GetClientRect(&client);
        EXPECT_EQ(bar->m_btnCaption.m_x + bar->m_btnCaption.m_cx, client.right - 2);
        EXPECT_LT(bar->m_btnSysMenu.m_x, bar->GetButton(IndexOf("&File"))->m_x);
        EXPECT_EQ(Shown(), (Captions {"&File", "&View", "&Window"}));

        Click(CaptionPart(c.part));
        EXPECT_TRUE(ChildButtonsHidden());
        if (c.part == OZWBtnCaption::kClose) {
            EXPECT_FALSE(::IsWindow(hChild));
            EXPECT_EQ(Shown(), (Captions {"&File", "&Edit"}));
            continue;
        }
        ASSERT_TRUE(::IsWindow(hChild));
        EXPECT_FALSE(::IsZoomed(hChild));
        EXPECT_EQ(::IsIconic(hChild) != FALSE, c.part == OZWBtnCaption::kMinimize);
        // Maximised again, the buttons come back.
        pChild->ShowWindow(SW_SHOWMAXIMIZED);
        Settle();
        EXPECT_TRUE(ChildButtonsShown());
        pChild->SendMessage(WM_CLOSE);
        Settle();
        EXPECT_TRUE(ChildButtonsHidden());
    }
}

TEST_F(MDIMenuBarTest, TheButtonsFollowTheActiveChildWhileTheChildrenAreMaximised)
{
    HICON hAlphaIcon = ::LoadIcon(nullptr, IDI_WARNING), hBetaIcon = ::LoadIcon(nullptr, IDI_QUESTION);
    ASSERT_NE(hAlphaIcon, hBetaIcon);
    OZWMDIChildWnd* pAlpha = NewChild("Alpha");
    // Beta has no minimise box: its minimise part is shown inactive and takes no press.
    OZWMDIChildWnd* pBeta = NewChild("Beta", WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX);
    ASSERT_TRUE(pAlpha != nullptr && pBeta != nullptr);
    pAlpha->SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hAlphaIcon);
    pBeta->SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hBetaIcon);
    frame->MDIActivate(pAlpha);
    frame->MDIMaximize(pAlpha);
    Settle();
    ASSERT_TRUE(ChildButtonsShown());
    EXPECT_EQ(bar->m_btnSysMenu.m_hIcon, hAlphaIcon);

    frame->MDIActivate(pBeta);
    Settle();
    ASSERT_EQ(frame->MDIGetActive(), pBeta);
    ASSERT_TRUE(::IsZoomed(pBeta->m_hWnd));
    ASSERT_TRUE(ChildButtonsShown());
    EXPECT_EQ(bar->m_btnSysMenu.m_hIcon, hBetaIcon);
    EXPECT_EQ(bar->m_btnCaption.m_dwWndStyle, (DWORD)(WS_SYSMENU | WS_MAXIMIZEBOX));
    Click(CaptionPart(OZWBtnCaption::kMinimize));
    EXPECT_TRUE(::IsZoomed(pBeta->m_hWnd));

    // Closing Beta leaves Alpha active and maximised, with its own icon.
    Click(CaptionPart(OZWBtnCaption::kClose));
    ASSERT_EQ(frame->MDIGetActive(), pAlpha);
    ASSERT_TRUE(::IsZoomed(pAlpha->m_hWnd));
    EXPECT_TRUE(ChildButtonsShown());
    EXPECT_EQ(bar->m_btnSysMenu.m_hIcon, hAlphaIcon);
    EXPECT_EQ(bar->m_btnCaption.m_dwWndStyle, (DWORD)(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    // Restoring it takes the buttons away.
    frame->MDIRestore(pAlpha);
    Settle();
    EXPECT_TRUE(ChildButtonsHidden());
}

TEST_F(MDIMenuBarTest, TheIconDropsTheChildsSystemMenuAndTheSecondPressOfADoubleClickKeepsItOpen)
{
    OZWMDIChildWnd* pChild = NewChild("Alpha");
    ASSERT_NE(pChild, nullptr);
    pChild->ShowWindow(SW_SHOWMAXIMIZED);
    Settle();
    ASSERT_TRUE(ChildButtonsShown());
    const CPoint icon = Middle(0), file = Middle(IndexOf("&File"));
    std::vector<BOOL> taken;
    feature->whileOpen = [&](int nPopup) -> UINT {
        if (nPopup == 1) {
            // The second press of a double click on the icon.
            taken.push_back(InMenuLoop({bar->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(icon.x, icon.y)}));
            // A press on another menu closes this one and opens that.
            taken.push_back(InMenuLoop({bar->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(file.x, file.y)}));
        }
        return 0;
    };
    Click(icon);
    EXPECT_EQ(Popups(pChild), (Captions {"(child)", "&Close"}));
    EXPECT_EQ(taken, (std::vector<BOOL> {TRUE, TRUE}));
    // The child's system menu opens under the icon.
    RECT rect;
    bar->GetButtonRect(0, &rect);
    ::MapWindowPoints(bar->m_hWnd, nullptr, (POINT*)&rect, 2);
    EXPECT_EQ(feature->popups[0].pt.x, rect.left);
    EXPECT_EQ(feature->popups[0].pt.y, rect.bottom);
    EXPECT_EQ(bar->GetDroppedIndex(), -1);
    EXPECT_EQ(bar->m_btnSysMenu.GetStyle() & TBB_PRESSED, 0u);
}

TEST_F(MDIMenuBarTest, ArrowsInAnOpenMenuGoRoundTheMenusTheChildsAndTheFramesSystemMenus)
{
    OZWMDIChildWnd* pChild = NewChild("Alpha");
    ASSERT_NE(pChild, nullptr);
    pChild->ShowWindow(SW_SHOWMAXIMIZED);
    Settle();
    ASSERT_TRUE(ChildButtonsShown());
    struct Case
    {
        char mnemonic;
        int arrow;
        Captions popups;
    } cases[] = {
        {'v', +1, {"&Zoom", "&Cascade", "(frame)", "(child)", "&Close", "&Zoom"}},
        {'f', -1, {"&Close", "(child)", "(frame)", "&Cascade", "&Zoom", "&Close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mnemonic);
        feature->popups.clear();
        const WPARAM vk = c.arrow > 0 ? VK_RIGHT : VK_LEFT;
        feature->whileOpen = [&](int nPopup) -> UINT {
            if (nPopup < (int)c.popups.size())
                InMenuLoop({hFrame, WM_KEYDOWN, vk, 0});
            return 0;
        };
        MSG alt = {hFrame, WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)c.mnemonic};
        EXPECT_TRUE(feature->PreTranslateHostMessage(&alt));
        EXPECT_EQ(Popups(pChild), c.popups);
        // The menus are over: no button is left pressed.
        EXPECT_EQ(bar->GetDroppedIndex(), -1);
        for (int i = 0; i < bar->GetButtonCount(); ++i)
            EXPECT_EQ(bar->GetButton(i)->GetStyle() & TBB_PRESSED, 0u) << i;
    }
    // The frame's system menu is tracked for the command it returns, which
    // then goes to the frame; it opens at the frame's icon.
    const auto& sys = feature->popups[2];
    EXPECT_EQ(sys.nFlags & TPM_RETURNCMD, (UINT)TPM_RETURNCMD);
    RECT window;
    ::GetWindowRect(hFrame, &window);
    EXPECT_EQ(sys.pt.x, window.left + ::GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(feature->popups[0].nFlags & TPM_RETURNCMD, 0u);
}

TEST_F(MDIMenuBarTest, ACommandOfTheFramesSystemMenuGoesToTheFrame)
{
    feature->whileOpen = [](int) -> UINT { return SC_MINIMIZE; };
    bar->ShowSystemMenu();
    ASSERT_EQ(feature->popups.size(), 1u);
    Settle();
    EXPECT_TRUE(::IsIconic(hFrame));
}

namespace {

// Keys as the keyboard makes them: hardware input, taken by the program's
// message loop (which offers each message to the windows' PreTranslateMessage).
void RunMessageLoop()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxGetApp()->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void Press(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
    RunMessageLoop();
}

// A real menu loop started by mistake would wait for a user for ever: it
// is ended after two seconds, and the test fails.
BOOL g_bStrayMenu = FALSE;
void CALLBACK EndStrayMenu(HWND, UINT, UINT_PTR, DWORD)
{
    g_bStrayMenu = TRUE;
    ::EndMenu();
}

} // namespace

TEST_F(MDIMenuBarTest, AltF10ArrowsEnterAndEscapeDriveTheBarFromTheKeyboard)
{
    g_bStrayMenu = FALSE;
    const UINT_PTR guard = ::SetTimer(nullptr, 0, 2000, EndStrayMenu);
    frame->SetForegroundWindow();
    frame->SetActiveWindow();
    frame->SetFocus();
    RunMessageLoop();
    ASSERT_TRUE(::GetFocus() == hFrame || ::IsChild(hFrame, ::GetFocus()));
    const int file = IndexOf("&File"), edit = IndexOf("&Edit");
    auto selected = [&]() {
        for (int i = 0; i < bar->GetButtonCount(); ++i)
            if (bar->GetButton(i)->GetStyle() & TBB_HOT)
                return i;
        return -1;
    };

    // Alt alone selects the first menu without opening it.
    Press(VK_MENU);
    ASSERT_TRUE(bar->IsKeyboardMode());
    EXPECT_EQ(selected(), file);
    Press(VK_RIGHT);
    EXPECT_EQ(selected(), edit);
    Press(VK_RIGHT);
    EXPECT_EQ(selected(), file);
    Press(VK_LEFT);
    EXPECT_EQ(selected(), edit);
    EXPECT_TRUE(feature->popups.empty());
    // Down opens the selected menu and ends the selection mode.
    Press(VK_DOWN);
    EXPECT_EQ(Popups(), (Captions {"&Copy"}));
    EXPECT_FALSE(bar->IsKeyboardMode());

    // F10 too; Escape leaves the mode with nothing opened.
    Press(VK_F10);
    ASSERT_TRUE(bar->IsKeyboardMode());
    Press(VK_ESCAPE);
    EXPECT_FALSE(bar->IsKeyboardMode());
    // Alt again leaves it.
    Press(VK_MENU);
    ASSERT_TRUE(bar->IsKeyboardMode());
    Press(VK_MENU);
    EXPECT_FALSE(bar->IsKeyboardMode());
    // A mnemonic opens its menu; Enter opens the selected one.
    Press(VK_MENU);
    Press('F');
    EXPECT_EQ(Popups(), (Captions {"&Copy", "&New"}));
    Press(VK_F10);
    Press(VK_RIGHT);
    Press(VK_RETURN);
    EXPECT_EQ(Popups(), (Captions {"&Copy", "&New", "&Copy"}));
    EXPECT_FALSE(bar->IsKeyboardMode());
    // The frame losing the activation ends the mode.
    Press(VK_MENU);
    ASSERT_TRUE(bar->IsKeyboardMode());
    frame->SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_FALSE(bar->IsKeyboardMode());
    ::KillTimer(nullptr, guard);
    EXPECT_FALSE(g_bStrayMenu);
}

TEST_F(MDIMenuBarTest, InKeyboardModeTheMouseMovesTheSelectionAndAClickElsewhereEndsIt)
{
    g_bStrayMenu = FALSE;
    const UINT_PTR guard = ::SetTimer(nullptr, 0, 2000, EndStrayMenu);
    frame->SetForegroundWindow();
    frame->SetFocus();
    RunMessageLoop();
    const int file = IndexOf("&File"), edit = IndexOf("&Edit");
    auto mouse = [&](CPoint point, CWnd* pWnd, DWORD dwFlags) {
        pWnd->ClientToScreen(&point);
        kvtest::SendMouseInput(point, dwFlags);
        RunMessageLoop();
    };
    mouse(CPoint(5, 5), CWnd::FromHandle(frame->m_hWndMDIClient), 0);
    Press(VK_MENU);
    ASSERT_TRUE(bar->IsKeyboardMode());
    EXPECT_NE(bar->GetButton(file)->GetStyle() & TBB_HOT, 0u);
    mouse(Middle(edit), bar, 0);
    EXPECT_TRUE(bar->IsKeyboardMode());
    EXPECT_NE(bar->GetButton(edit)->GetStyle() & TBB_HOT, 0u);
    EXPECT_EQ(bar->GetButton(file)->GetStyle() & TBB_HOT, 0u);
    mouse(CPoint(20, 20), CWnd::FromHandle(frame->m_hWndMDIClient), MOUSEEVENTF_LEFTDOWN);
    mouse(CPoint(20, 20), CWnd::FromHandle(frame->m_hWndMDIClient), MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(bar->IsKeyboardMode());
    EXPECT_TRUE(feature->popups.empty());
    ::KillTimer(nullptr, guard);
    EXPECT_FALSE(g_bStrayMenu);
}

TEST_F(MDIMenuBarTest, APopupOpenedByItsMnemonicSelectsItsFirstItemAndTheSystemMenuKeepsItsCommands)
{
    struct Seen
    {
        BOOL keyDown = FALSE;        // VK_DOWN posted to select the first item
        UINT closeState = 0;         // the close command's state after the popup's set-up
    } seen[2];
    feature->whileOpen = [&](int nPopup) -> UINT {
        const auto& popup = feature->popups.back();
        frame->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.hMenu, 0);
        MSG msg;
        seen[nPopup - 1].keyDown = ::PeekMessageA(&msg, hFrame, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) && msg.wParam == VK_DOWN;
        seen[nPopup - 1].closeState = ::GetMenuState(popup.hMenu, SC_CLOSE, MF_BYCOMMAND);
        if (nPopup == 1)
            InMenuLoop({hFrame, WM_KEYDOWN, VK_LEFT, 0});
        return 0;
    };
    MSG alt = {hFrame, WM_SYSCOMMAND, SC_KEYMENU, 'f'};
    EXPECT_TRUE(feature->PreTranslateHostMessage(&alt));
    ASSERT_EQ(Popups(), (Captions {"&New", "(frame)"}));
    EXPECT_TRUE(seen[0].keyDown);
    EXPECT_TRUE(seen[1].keyDown);
    // The frame's system menu is set up as a system menu: its commands are
    // not greyed by the frame's command updates.
    EXPECT_EQ(seen[1].closeState & (MF_GRAYED | MF_DISABLED), 0u);
}

TEST_F(MDIMenuBarTest, ACommandOfTheChildsSystemMenuGoesToTheChild)
{
    OZWMDIChildWnd* pChild = NewChild("Alpha");
    ASSERT_NE(pChild, nullptr);
    const HWND hChild = pChild->m_hWnd;
    pChild->ShowWindow(SW_SHOWMAXIMIZED);
    Settle();
    ASSERT_TRUE(ChildButtonsShown());
    // The child's system menu is tracked for the command chosen, which goes
    // to the child: the frame (the popup's owner) would take it for itself.
    feature->whileOpen = [](int) -> UINT { return SC_MINIMIZE; };
    Click(Middle(0));
    ASSERT_EQ(Popups(pChild), (Captions {"(child)"}));
    EXPECT_EQ(feature->popups[0].nFlags & TPM_RETURNCMD, (UINT)TPM_RETURNCMD);
    EXPECT_EQ(feature->popups[0].hOwner, hChild);
    Settle();
    EXPECT_TRUE(::IsIconic(hChild));
    EXPECT_FALSE(::IsIconic(hFrame));
    EXPECT_TRUE(ChildButtonsHidden());
}

TEST_F(MDIMenuBarTest, ADoubleClickOnTheIconRunsTheChildsDefaultSystemCommand)
{
    OZWMDIChildWnd* pChild = NewChild("Alpha");
    ASSERT_NE(pChild, nullptr);
    const HWND hChild = pChild->m_hWnd;
    pChild->ShowWindow(SW_SHOWMAXIMIZED);
    Settle();
    ASSERT_TRUE(ChildButtonsShown());
    const CPoint icon = Middle(0);
    bar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(icon.x, icon.y));
    Settle();
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_TRUE(ChildButtonsHidden());
}

TEST_F(MDIMenuBarTest, WhileTheFramesSystemMenuIsOpenAClickOnItsIconClosesItAndADoubleClickRunsItsDefault)
{
    // The frame's icon, at the top left inside the sizing border.
    RECT window;
    ::GetWindowRect(hFrame, &window);
    CPoint icon(window.left + ::GetSystemMetrics(SM_CXFRAME) + 2, window.top + ::GetSystemMetrics(SM_CYFRAME) + 2);
    frame->ScreenToClient(&icon);
    std::vector<BOOL> taken;
    std::vector<MSG> posted;
    feature->whileOpen = [&](int) -> UINT {
        for (UINT message : {(UINT)WM_LBUTTONDOWN, (UINT)WM_LBUTTONDBLCLK}) {
            MSG msg = {hFrame, message, MK_LBUTTON, MAKELPARAM(icon.x, icon.y)};
            taken.push_back(::CallMsgFilterA(&msg, MSGF_MENU));
        }
        MSG msg;
        while (::PeekMessageA(&msg, hFrame, 0, 0, PM_REMOVE))
            if (msg.message == WM_CANCELMODE || msg.message == WM_SYSCOMMAND)
                posted.push_back(msg);
        return 0;
    };
    bar->ShowSystemMenu();
    EXPECT_EQ(taken, (std::vector<BOOL> {TRUE, TRUE}));
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[0].message, (UINT)WM_CANCELMODE);
    EXPECT_EQ(posted[1].message, (UINT)WM_CANCELMODE);
    EXPECT_EQ(posted[2].message, (UINT)WM_SYSCOMMAND);
    EXPECT_EQ(posted[2].wParam, (WPARAM)SC_CLOSE);
}
