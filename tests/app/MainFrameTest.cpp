// The main frame in the running program: its status line (the message pane
// with its prompts, the lock indicators), the close of the application and
// what it writes, the window placement kept in the profile, the curve-fit
// bar shown and hidden by its command, and where the windows it opens land.
#include "app/AppRes.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/DockLayout.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimerScript.h"
#include "tests/support/WindowPoints.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using programtest::Pump;

namespace {

class MainFrameTest : public programtest::ProgramProfileFixture
{
protected:
    // Starts the program on a fresh copy of the sample database.
    std::string StartOnDatabase(const std::string& name = "Parts.sqlite")
    {
        const std::string path = m_data + name;
        EXPECT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), path));
        EXPECT_TRUE(Start("\"" + path + "\""));
        return path;
    }

    OZWStatusBar* StatusBar() { return dynamic_cast<OZWStatusBar*>(Frame()->GetMessageBar()); }
    // The text a pane of the status line shows.
    std::string Shown(int nPane)
    {
        char text[256] = {};
        StatusBar()->SendMessage(SB_GETTEXTA, (WPARAM)nPane, (LPARAM)text);
        return text;
    }
    // What the message pane shows for a prompt id.
    std::string Prompt(UINT nID)
    {
        Frame()->SendMessage(WM_SETMESSAGESTRING, nID);
        return Shown(0);
    }
    std::string Profile(const char* section, const char* entry)
    {
        char text[512] = {};
        ::GetPrivateProfileStringA(section, entry, "<none>", text, sizeof(text), m_profile.c_str());
        return text;
    }
    BOOL HasSection(const char* section)
    {
        char names[4096] = {};
        ::GetPrivateProfileSectionNamesA(names, sizeof(names), m_profile.c_str());
        for (const char* p = names; *p != '\0'; p += strlen(p) + 1)
            if (_stricmp(p, section) == 0)
                return TRUE;
        return FALSE;
    }
    // Sets the toggled state of the lock keys as the thread sees it.
    static void SetLocks(bool caps, bool num, bool scroll)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CAPITAL] = caps ? 1 : 0;
        keys[VK_NUMLOCK] = num ? 1 : 0;
        keys[VK_SCROLL] = scroll ? 1 : 0;
        ::SetKeyboardState(keys);
    }
    void IdleUpdate() { Frame()->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE); }
    int LayoutBars() { return ::GetPrivateProfileIntA("KelvaronMDI-Summary", "Bars", 0, m_profile.c_str()); }
    // The section of the saved layout's first record whose key has the value.
    std::string LayoutSection(const char* key, int nValue)
    {
        for (int i = 0; i < LayoutBars(); i++) {
            const std::string section = "KelvaronMDI-Bar" + std::to_string(i);
            if (::GetPrivateProfileIntA(section.c_str(), key, 0, m_profile.c_str()) == nValue)
                return section;
        }
        return std::string();
    }
    // The record written once more at the end of the saved layout.
    void RepeatLayoutRecord(const std::string& section)
    {
        std::vector<char> keys(16384);
        ::GetPrivateProfileSectionA(section.c_str(), keys.data(), (DWORD)keys.size(), m_profile.c_str());
        const int nBars = LayoutBars();
        ::WritePrivateProfileSectionA(("KelvaronMDI-Bar" + std::to_string(nBars)).c_str(), keys.data(),
                                      m_profile.c_str());
        ::WritePrivateProfileStringA("KelvaronMDI-Summary", "Bars", std::to_string(nBars + 1).c_str(),
                                     m_profile.c_str());
    }
};

} // namespace

// The status line: the message pane across the bottom and the Caps, Num and
// Scroll Lock indicators; "Ready" when the program is idle.
TEST_F(MainFrameTest, TheStatusLineHasTheMessagePaneAndTheLockIndicators)
{
    StartOnDatabase();
    OZWStatusBar* pBar = StatusBar();
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(AFX_IDW_STATUS_BAR, pBar->GetDlgCtrlID());
    EXPECT_TRUE(pBar->IsWindowVisible());
    CRect rcBar, rcClient;
    pBar->GetWindowRect(&rcBar);
    Frame()->GetClientRect(&rcClient);
    Frame()->ClientToScreen(&rcClient);
    EXPECT_EQ(rcClient.bottom, rcBar.bottom);
    EXPECT_EQ(rcClient.Width(), rcBar.Width());
    const UINT ids[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(ids[i], pBar->GetItemID(i)) << i;
    EXPECT_EQ(4, (int)pBar->SendMessage(SB_GETPARTS, 0, 0));
    EXPECT_EQ("Ready", Shown(0));

    // The lock indicators show while their key is on.
    SetLocks(true, false, true);
    IdleUpdate();
    EXPECT_EQ("CAP", Shown(1));
    EXPECT_EQ("", Shown(2));
    EXPECT_EQ("SCRL", Shown(3));
    SetLocks(false, true, false);
    IdleUpdate();
    EXPECT_EQ("", Shown(1));
    EXPECT_EQ("NUM", Shown(2));
    EXPECT_EQ("", Shown(3));
    SetLocks(false, false, false);

    // The application's status texts go to the message pane.
    Frame()->SetStatusText("Reading the database");
    EXPECT_EQ("Reading the database", Shown(0));
}

// The prompts of the message pane: a command's own prompt, the idle and
// help-mode prompts, the full path of a recent file, and the show or hide
// prompt of a toolbar that exists (none for one that does not).
TEST_F(MainFrameTest, MenuPromptsShowInTheMessagePane)
{
    const std::string path = StartOnDatabase();
    EXPECT_EQ("Show or hide the curve-fit bar", Prompt(ID_CURVE_FIT));
    EXPECT_EQ("Ready", Prompt(AFX_IDS_IDLEMESSAGE));
    EXPECT_EQ(LoadText(AFX_IDS_HELPMODEMESSAGE).str(), Prompt(AFX_IDS_HELPMODEMESSAGE));
    EXPECT_FALSE(Shown(0).empty());

    // The recent-file list holds the database opened at start-up.
    ASSERT_NE(nullptr, m_app->m_pRecentFileList);
    EXPECT_EQ(path, Prompt(ID_FILE_MRU_FILE1));
    EXPECT_EQ("", Prompt(ID_FILE_MRU_FILE1 + 5));

    // The Query toolbar starts hidden.
    CControlBar* pBar = Frame()->GetControlBar(59400);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ("Show Query toolbar.", Prompt(59400));
    EXPECT_EQ("", Prompt(59401));
    // A toolbar command shows a hidden bar and hides a shown one.
    Frame()->SendMessage(WM_COMMAND, 59400);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ("Hide Query toolbar.", Prompt(59400));
    Frame()->SendMessage(WM_COMMAND, 59400);
    EXPECT_FALSE(pBar->IsWindowVisible());
}

// Cancel at the question for all databases leaves them open and writes
// nothing; Yes closes them and writes the find list and the bar layout.
TEST_F(MainFrameTest, ACancelledCloseWritesNothing)
{
    StartOnDatabase();
    Frame()->AddFindText("Drip");
    Frame()->AddFindText("Valve");
    ::DeleteFileA(m_profile.c_str());
    {
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({ IDCANCEL });
        Frame()->SendMessage(WM_CLOSE);
        Pump();
        EXPECT_EQ(std::vector<std::string>{ LoadText(IDS_SAVE_ALL_CHANGES).str() }, boxes.Texts());
    }
    ASSERT_NE(nullptr, Frame());
    EXPECT_NE(nullptr, ActiveDocument());
    EXPECT_FALSE(HasSection("FindList"));
    EXPECT_FALSE(HasSection("KelvaronMDI-Summary"));
    EXPECT_FALSE(HasSection("MainFrame"));

    kvtest::MessageBoxWatcher boxes;
    boxes.Answer({ IDYES });
    Frame()->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_EQ(nullptr, m_app->m_pMainWnd);
    EXPECT_EQ("Valve", Profile("FindList", "Item1"));
    EXPECT_EQ("Drip", Profile("FindList", "Item2"));
    EXPECT_TRUE(HasSection("KelvaronMDI-Summary"));
    EXPECT_TRUE(HasSection("MainFrame"));
}

// With no database open nothing is asked: the find list is written and the
// program ends.
TEST_F(MainFrameTest, ClosingWithNoDatabaseAsksNothing)
{
    ASSERT_TRUE(Start());
    ASSERT_EQ(nullptr, ActiveDocument());
    Frame()->AddFindText("Sprinkler");
    kvtest::MessageBoxWatcher boxes;
    Frame()->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(nullptr, m_app->m_pMainWnd);
    EXPECT_EQ("Sprinkler", Profile("FindList", "Item1"));
}

// The window placement: saved when the window goes and put back at the next
// start; a stored placement of the wrong size or off every screen is left
// alone and the window opens where the system puts it.
TEST_F(MainFrameTest, ThePlacementComesBackUnlessItIsBad)
{
    WINDOWPLACEMENT wp = { sizeof(wp) };
    wp.showCmd = SW_SHOWNORMAL;

    struct Case
    {
        const char* what;
        RECT rect;
        UINT nBytes;
        bool used;
    } cases[] = {
        { "whole, on the screen", { 40, 30, 700, 520 }, sizeof(WINDOWPLACEMENT), true },
        { "four bytes short", { 40, 30, 700, 520 }, sizeof(WINDOWPLACEMENT) - 4, false },
        { "off every screen", { 30000, 30000, 30600, 30400 }, sizeof(WINDOWPLACEMENT), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Start());
        wp.rcNormalPosition = c.rect;
        // Written as the program keeps it, once its own placement is saved.
        m_app->m_pMainWnd->DestroyWindow();
        Pump();
        m_app->WriteProfileBinary("MainFrame", "WP", reinterpret_cast<LPBYTE>(&wp), c.nBytes);
        Stop();
        ASSERT_TRUE(Start());
        CRect rc;
        Frame()->GetWindowRect(&rc);
        if (c.used)
            EXPECT_EQ(CRect(c.rect), rc);
        else
            EXPECT_NE(CRect(40, 30, 700, 520), rc);
        Stop();
        // What the window goes with is written whole.
        ASSERT_TRUE(Start());
        LPBYTE pData = nullptr;
        UINT nBytes = 0;
        Frame()->DestroyWindow();
        Pump();
        ASSERT_TRUE(m_app->GetProfileBinary("MainFrame", "WP", &pData, &nBytes));
        EXPECT_EQ(sizeof(WINDOWPLACEMENT), nBytes);
        delete[] pData;
        Stop();
    }
}

namespace {

// The first time the main frame (the top-level window with an MDI client)
// is shown: whether the database window's grid was there then.
struct FirstFrameShow
{
    bool bActivated = false;
    bool bShown = false;
    bool bGridThere = false;
    // The sizes at which the main grid and its frame (the record beam, with
    // the same id) were painted, each size once.
    std::map<HWND, std::vector<CSize>> paintedSizes;
};
FirstFrameShow g_firstShow;

void NotePaint(HWND hWnd, UINT message)
{
    if (message != WM_PAINT || ::GetDlgCtrlID(hWnd) != IDC_VIEW_MAIN_GRID)
        return;
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    std::vector<CSize>& sizes = g_firstShow.paintedSizes[hWnd];
    if (sizes.empty() || sizes.back() != rc.Size())
        sizes.push_back(rc.Size());
}

LRESULT CALLBACK WatchPaintMessages(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == PM_REMOVE) {
        const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
        NotePaint(pMsg->hwnd, pMsg->message);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CALLBACK FindMainGrid(HWND hWnd, LPARAM lParam)
{
    if (::GetDlgCtrlID(hWnd) != IDC_VIEW_MAIN_GRID)
        return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
}

LRESULT CALLBACK WatchFrameShow(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION)
        NotePaint(p->hwnd, p->message);
    // The program's frame is first activated while its database window is
    // made (the form's first control takes the focus); the hidden frame is
    // activated so here too.
    if (nCode == HC_ACTION && p->message == WM_MDICREATE && !g_firstShow.bActivated) {
        g_firstShow.bActivated = true;
        ::SetActiveWindow(::GetParent(p->hwnd));
    }
    if (nCode == HC_ACTION && p->message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(p->lParam)->flags & SWP_SHOWWINDOW) && !g_firstShow.bShown &&
        ::GetParent(p->hwnd) == nullptr && ::FindWindowExA(p->hwnd, nullptr, "MDIClient", nullptr) != nullptr) {
        g_firstShow.bShown = true;
        ::EnumChildWindows(p->hwnd, FindMainGrid, reinterpret_cast<LPARAM>(&g_firstShow.bGridThere));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

} // namespace

// A start on a database with a saved placement shows the frame once, with
// the database window built in it at the size it keeps (so that it is not
// laid out and drawn again when the start's messages come), where it was
// left and as it was left (maximised or not).
TEST_F(MainFrameTest, AStartShowsTheFrameBuiltWhereItWasLeft)
{
    for (UINT nShow : { (UINT)SW_SHOWNORMAL, (UINT)SW_SHOWMAXIMIZED }) {
        SCOPED_TRACE(nShow);
        ASSERT_TRUE(Start());
        m_app->m_pMainWnd->DestroyWindow();
        Pump();
        WINDOWPLACEMENT wp = { sizeof(wp) };
        wp.showCmd = nShow;
        wp.rcNormalPosition = { 40, 30, 700, 520 };
        m_app->WriteProfileBinary("MainFrame", "WP", reinterpret_cast<LPBYTE>(&wp), sizeof(wp));
        Stop();

        g_firstShow = FirstFrameShow();
        HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchFrameShow, nullptr, ::GetCurrentThreadId());
        HHOOK hPaintHook = ::SetWindowsHookExA(WH_GETMESSAGE, WatchPaintMessages, nullptr, ::GetCurrentThreadId());
        StartOnDatabase();
        Pump();
        ::UnhookWindowsHookEx(hHook);
        ::UnhookWindowsHookEx(hPaintHook);
        EXPECT_TRUE(g_firstShow.bShown);
        EXPECT_TRUE(g_firstShow.bGridThere);
        EXPECT_FALSE(g_firstShow.paintedSizes.empty());
        for (const auto& painted : g_firstShow.paintedSizes)
            EXPECT_EQ(1u, painted.second.size());
        EXPECT_TRUE(Frame()->IsWindowVisible());
        EXPECT_EQ(nShow == SW_SHOWMAXIMIZED, Frame()->IsZoomed() != FALSE);
        WINDOWPLACEMENT now = { sizeof(now) };
        Frame()->GetWindowPlacement(&now);
        EXPECT_EQ(CRect(40, 30, 700, 520), CRect(now.rcNormalPosition));
        Stop();
    }
}

// The curve-fit bar starts docked on the right, pinned, in auto-hide mode;
// unpinned it becomes a tab of the right strip, and the next start, after a
// close, brings it back so; pinned again it comes back docked.
TEST_F(MainFrameTest, TheCurveFitBarComesBackAsItWasLeft)
{
    for (bool unpin : { true, false }) {
        SCOPED_TRACE(unpin);
        StartOnDatabase();
        CCurveFitDlgBar& bar = Frame()->GetCurveFitBar();
        ASSERT_NE(nullptr, bar.m_hWnd);
        EXPECT_TRUE(bar.GetAutoHideMode());
        EXPECT_EQ(unpin, bar.IsPinned() != FALSE);
        if (unpin) {
            EXPECT_EQ(Frame()->GetControlBar(AFX_IDW_DOCKBAR_RIGHT), bar.m_pDockBar);
            EXPECT_TRUE(bar.IsWindowVisible());
            bar.SetPinned(FALSE);
        } else {
            EXPECT_TRUE(bar.IsAutoHideRight());
            EXPECT_TRUE(Frame()->GetAutoHideBar(CBRS_ALIGN_RIGHT)->IsWindowVisible());
            bar.SetPinned(TRUE);
        }
        Pump();
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({ IDYES });
        Frame()->SendMessage(WM_CLOSE);
        Pump();
        ASSERT_EQ(nullptr, m_app->m_pMainWnd);
        Stop();
    }
    StartOnDatabase();
    CCurveFitDlgBar& bar = Frame()->GetCurveFitBar();
    EXPECT_TRUE(bar.IsPinned());
    EXPECT_EQ(Frame()->GetControlBar(AFX_IDW_DOCKBAR_RIGHT), bar.m_pDockBar);
    EXPECT_FALSE(Frame()->GetAutoHideBar(CBRS_ALIGN_RIGHT)->IsWindowVisible());
}

// The layout with the curve-fit bar unpinned comes back as it was at every
// start, also when the saved layout names a bar or a floating frame twice:
// the bar a tab of the right strip in its one slide window, each toolbar in
// one dock bar once, and no empty floating frame kept or saved.
TEST_F(MainFrameTest, AnUnpinnedLayoutComesBackWholeAtEveryStartAlsoWhenDamaged)
{
    struct Case
    {
        const char* what;
        UINT nID;   // the bar whose record is repeated; 0: none
    };
    const Case cases[] = {
        { "as saved", 0 },
        { "the slide window's record twice", AFX_IDW_DOCKBAR_FLOAT },
        { "the curve-fit bar's record twice", CMainFrame::kCurveFitBarBaseID },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::DeleteFileA(m_profile.c_str());
        ASSERT_TRUE(Start());
        Frame()->GetCurveFitBar().SetPinned(FALSE);
        Pump();
        Stop();
        if (c.nID != 0) {
            const std::string section = LayoutSection("BarID", (int)c.nID);
            ASSERT_FALSE(section.empty());
            RepeatLayoutRecord(section);
        }
        // As saved, twice: what the first start brings back is saved again.
        for (int nStart = 0; nStart < (c.nID == 0 ? 2 : 1); nStart++) {
            SCOPED_TRACE(nStart);
            ASSERT_TRUE(Start());
            CCurveFitDlgBar& bar = Frame()->GetCurveFitBar();
            EXPECT_FALSE(bar.IsPinned());
            EXPECT_TRUE(bar.IsAutoHideRight());
            EXPECT_TRUE(Frame()->GetAutoHideBar(CBRS_ALIGN_RIGHT)->IsWindowVisible());
            EXPECT_EQ(std::vector<int>{ 1 }, kvtest::FloatingFrameBars(Frame()));
            EXPECT_EQ(std::vector<int>{ 1 }, kvtest::DockBarListings(Frame(), &bar));
            for (UINT nID : { IDW_TOOLBAR_FILE, IDW_TOOLBAR_FIND, IDW_TOOLBAR_COMPONENT, IDW_TOOLBAR_QUERY }) {
                CControlBar* pToolBar = Frame()->GetControlBar(nID);
                EXPECT_EQ(std::vector<int>{ 1 }, kvtest::DockBarListings(Frame(), pToolBar)) << nID;
            }
            Stop();
        }
    }
}

// A toolbar floated in the main window comes back in its one MDI window,
// also when the saved layout names that window twice: no empty window is
// left in the main window.
TEST_F(MainFrameTest, AToolbarFloatingInTheMainWindowComesBackInOneWindow)
{
    ASSERT_TRUE(Start());
    CControlBar* pBar = Frame()->GetControlBar(IDW_TOOLBAR_COMPONENT);
    ASSERT_TRUE(Frame()->FloatControlBarInMDIChild(pBar, CPoint(-1, -1), CBRS_ALIGN_TOP));
    Pump();
    Stop();
    const std::string window = LayoutSection("MDIChild", 1);
    ASSERT_FALSE(window.empty());
    RepeatLayoutRecord(window);

    ASSERT_TRUE(Start());
    pBar = Frame()->GetControlBar(IDW_TOOLBAR_COMPONENT);
    std::vector<std::string> windows;
    for (HWND h = ::GetWindow(Frame()->m_hWndMDIClient, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char title[64] = {};
        ::GetWindowTextA(h, title, sizeof(title));
        windows.push_back(title);
    }
    EXPECT_EQ(std::vector<std::string>{ "Component" }, windows);
    EXPECT_EQ(std::vector<int>{ 1 }, kvtest::FloatingFrameBars(Frame()));
    EXPECT_EQ(std::vector<int>{ 1 }, kvtest::DockBarListings(Frame(), pBar));
}

// Every window the program opens lands wholly on the work area and, when it
// is not the main window, above it: the main window, a toolbar and the
// curve-fit bar floated towards the screen's corners, the Customize sheet
// and the dialogs of the frame's commands.
TEST_F(MainFrameTest, EveryWindowLandsOnTheWorkAreaAboveTheMainWindow)
{
    StartOnDatabase();
    const HWND hMain = Frame()->m_hWnd;
    const CRect work = kvtest::WorkAreaOf(hMain);
    EXPECT_TRUE(kvtest::LiesWithin(kvtest::ScreenRect(hMain), work)) << kvtest::ScreenRect(hMain);

    struct Float
    {
        const char* what;
        CControlBar* pBar;
        CPoint point;
    };
    const Float floats[] = {
        { "Component toolbar at the bottom right", Frame()->GetControlBar(IDW_TOOLBAR_COMPONENT),
          CPoint(work.right - 20, work.bottom - 20) },
        { "curve-fit bar at the bottom right", &Frame()->GetCurveFitBar(), CPoint(work.right - 40, work.bottom - 40) },
        { "curve-fit bar at the top left", &Frame()->GetCurveFitBar(), CPoint(work.left - 30, work.top - 30) },
    };
    for (const Float& f : floats) {
        SCOPED_TRACE(f.what);
        ASSERT_NE(nullptr, f.pBar);
        Frame()->FloatControlBar(f.pBar, f.point);
        Pump();
        ASSERT_TRUE(f.pBar->IsFloating());
        const HWND hFloat = f.pBar->GetParentFrame()->m_hWnd;
        EXPECT_TRUE(::IsWindowVisible(hFloat));
        EXPECT_TRUE(kvtest::LiesWithin(kvtest::ScreenRect(hFloat), work)) << kvtest::ScreenRect(hFloat);
        EXPECT_TRUE(kvtest::LiesAbove(hFloat, hMain));
    }

    const UINT commands[] = { ID_CUSTOMIZE, ID_TOOLS_OPTIONS, ID_TOOLS_UNITS, ID_TOOLS_CLEAN_FIELDS };
    for (UINT nCommand : commands) {
        SCOPED_TRACE(nCommand);
        HWND hShown = nullptr;
        kvtest::TimerScript script([] {
            if (HWND hActive = ::GetActiveWindow())
                ::PostMessageA(hActive, WM_COMMAND, IDCANCEL, 0);
        });
        script.Add([&] {
            hShown = ::GetActiveWindow();
            ASSERT_NE(hMain, hShown);
            EXPECT_TRUE(kvtest::LiesWithin(kvtest::ScreenRect(hShown), work)) << kvtest::ScreenRect(hShown);
            EXPECT_TRUE(kvtest::LiesAbove(hShown, hMain));
            ::PostMessageA(hShown, WM_COMMAND, IDCANCEL, 0);
        });
        script.Start();
        Frame()->SendMessage(WM_COMMAND, nCommand);
        EXPECT_FALSE(script.Overran());
        EXPECT_NE(nullptr, hShown);
    }
}

// Tools > Curve Fit shows and hides the curve-fit bar where it is: pinned,
// in its dock bar; unpinned, slid out whole beside its tab and back in,
// and the bar it showed pins back into its dock bar.
TEST_F(MainFrameTest, CurveFitShowsAndHidesTheBarPinnedOrNot)
{
    StartOnDatabase();
    CCurveFitDlgBar& bar = Frame()->GetCurveFitBar();
    bar.m_nSlideTime = 0;
    CControlBar* pRight = Frame()->GetControlBar(AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_TRUE(bar.IsPinned());
    ASSERT_TRUE(bar.IsWindowVisible());
    for (bool bShown : { false, true }) {
        Frame()->SendMessage(WM_COMMAND, ID_CURVE_FIT);
        Frame()->RecalcLayout();
        Pump();
        EXPECT_EQ(bShown, bar.IsWindowVisible() != FALSE);
        EXPECT_EQ(pRight, bar.m_pDockBar);
    }

    bar.SetPinned(FALSE);
    Pump();
    ASSERT_FALSE(bar.IsWindowVisible());
    CRect strip;
    Frame()->GetAutoHideBar(CBRS_ALIGN_RIGHT)->GetWindowRect(&strip);
    Frame()->SendMessage(WM_COMMAND, ID_CURVE_FIT);
    Pump();
    CWnd* pSlide = bar.GetParentFrame();
    ASSERT_NE(Frame(), pSlide);
    EXPECT_TRUE(pSlide->IsWindowVisible());
    EXPECT_TRUE(bar.IsWindowVisible());
    CRect slid, inside;
    pSlide->GetWindowRect(&slid);
    bar.GetWindowRect(&inside);
    // Whole, beside the tab: as high as the strip, the bar's width wide.
    EXPECT_EQ(strip.left, slid.right);
    EXPECT_NEAR(strip.top, slid.top, 4);
    EXPECT_NEAR(strip.bottom, slid.bottom, 4);
    EXPECT_GE(slid.Width(), 200);
    EXPECT_GE(inside.Height(), slid.Height() - 8);
    EXPECT_TRUE(bar.IsVisible());

    Frame()->SendMessage(WM_COMMAND, ID_CURVE_FIT);
    Pump();
    EXPECT_FALSE(pSlide->IsWindowVisible());
    EXPECT_FALSE(bar.IsPinned());

    // Shown again and pinned: back in the dock bar, shown.
    Frame()->SendMessage(WM_COMMAND, ID_CURVE_FIT);
    Pump();
    bar.SetPinned(TRUE);
    Frame()->RecalcLayout();
    Pump();
    EXPECT_TRUE(bar.IsPinned());
    EXPECT_EQ(pRight, bar.m_pDockBar);
    EXPECT_TRUE(bar.IsWindowVisible());
}

// The program ships no help file: F1 and Help > Contents each say so in one
// plain box naming the file, instead of the help viewers' own errors.
TEST_F(MainFrameTest, HelpWithoutAHelpFileSaysSoOnce)
{
    ASSERT_TRUE(Start());
    for (UINT nID : { (UINT)ID_HELP, (UINT)ID_HELP_CONTENTS }) {
        kvtest::MessageBoxWatcher boxes;
        Frame()->SendMessage(WM_COMMAND, nID);
        Pump();
        ASSERT_EQ(1u, boxes.Texts().size()) << nID;
        EXPECT_EQ(0u, boxes.Texts()[0].find("No help can be shown: the help file ")) << boxes.Texts()[0];
        EXPECT_NE(std::string::npos, boxes.Texts()[0].find("\\Help\\RuDezare.")) << boxes.Texts()[0];
    }
}
