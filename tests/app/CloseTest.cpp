// Closing databases in the running program: the database window's close
// routine for every state and answer, the application's close that asks once
// for all databases, File New and File Close through the menu commands, and
// the database window's activation, minimum size, caption buttons and place
// when the windows are tiled.
#include "app/AppRes.h"
#include "app/ChildFrm.h"
#include "app/OptionsDlg.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "tests/app/DocumentFixture.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimerScript.h"
#include "tests/support/WindowPoints.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

using programtest::Pump;
using doctest::Exists;
using doctest::SameBytes;
using kvtest::FileBytes;

namespace {

const char kTyped[] = "Typed in the grid";
const char kEdited[] = "Edited in this session";

class CloseTest : public programtest::ProgramFolderFixture
{
protected:
    void SetUp() override
    {
        ProgramFolderFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    // A fresh copy of the sample database, opened in its window, with a
    // change made through its connection.
    std::string OpenDatabase(const std::string& name)
    {
        const std::string path = CopyAndOpenSample(name);
        CKelvaronDoc* pDoc = ActiveDocument();
        EXPECT_NE(nullptr, pDoc);
        if (pDoc != nullptr) {
            EXPECT_STREQ(path.c_str(), pDoc->GetDatabasePath());
            m_atOpen[path] = FileBytes(path);
            pDoc->GetDatabase()->ExecuteSQL(
                (std::string("UPDATE Components SET [Description] = '") + kEdited +
                 "' WHERE [Component Key] = (SELECT MIN([Component Key]) FROM Components)")
                    .c_str());
        }
        return path;
    }
    // A value typed into the main grid's first row, not stored yet.
    // Starts editing the assembly of the sample's valve manifold, as the
    // user does.
    static void EditAssembly(CKelvaronView* pView)
    {
        pView->SelectTab(kvgrid::TABLE_VALVE);
        CGridWindow* pGrid = pView->GetGrid();
        ASSERT_TRUE(pGrid->SetCurrentCell(pGrid->FindKey(281), kvgrid::COL_DESCRIPTION));
        pView->SendMessage(WM_COMMAND, ID_EDIT_ASSEMBLY);
        ASSERT_TRUE(pView->IsEditingAssembly());
    }
    void TypeIntoGrid()
    {
        CGridWindow* pGrid = ActiveView()->GetGrid();
        ASSERT_NE(nullptr, pGrid);
        ASSERT_TRUE(pGrid->SetControlTextRowCol(1, kvgrid::COL_DESCRIPTION, kTyped));
        ASSERT_TRUE(pGrid->IsRecordDirty());
    }
    // Components whose description begins with the text (the grid pads
    // what it stores to the column's width).
    static std::string Count(const std::string& path, const std::string& description)
    {
        return kvtest::QueryRows(path,
                                 "SELECT COUNT(*) FROM Components WHERE [Description] LIKE '" + description + "%'");
    }
    // The window of an open database; null when it has none.
    CChildFrame* WindowOf(const std::string& path)
    {
        if (Frame() == nullptr)
            return nullptr;
        for (HWND hChild = ::GetWindow(Frame()->m_hWndMDIClient, GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            CChildFrame* pFrame = dynamic_cast<CChildFrame*>(CWnd::FromHandlePermanent(hChild));
            CKelvaronView* pView = pFrame != nullptr ? pFrame->GetDatabaseView() : nullptr;
            if (pView != nullptr && pView->GetDocument()->GetDatabasePath() == path.c_str())
                return pFrame;
        }
        return nullptr;
    }
    static std::string Text(UINT nID) { return LoadText(nID).str(); }
    // The smallest tracking size the window gives while the user sizes it
    // from its bottom-right corner (asked from inside the sizing loop of
    // its system command, which Escape then ends).
    static CSize MinimumWhileSizing(CWnd* pWnd)
    {
        CSize minimum(0, 0);
        kvtest::TimerScript script([pWnd] { pWnd->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0); });
        script.Add([&] {
            MINMAXINFO info = {};
            pWnd->SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
            minimum = CSize(info.ptMinTrackSize);
            pWnd->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        });
        script.Start();
        pWnd->SendMessage(WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, 0);
        EXPECT_FALSE(script.Overran());
        EXPECT_TRUE(script.Finished());
        return minimum;
    }
    std::map<std::string, std::string> m_atOpen;  // the bytes of each database when it was opened
};

} // namespace

// The close routine of a database window for each state and answer: what is
// asked, whether the window closes, whether the changes are kept or the
// backup is put back, and what becomes of a value typed in the grid.
TEST_F(CloseTest, CloseRoutineFollowsTheAnswers)
{
    enum Outcome { stays, kept, restored };
    struct Case
    {
        const char* name;
        bool assembly, typed;
        DWORD options;
        std::vector<int> answers;
        std::vector<UINT> asked;
        Outcome outcome;
        bool typedStored;
    };
    const Case cases[] = {
        {"assembly being built", true, false, 0, {}, {IDS_FINISH_ASSEMBLY_FIRST}, stays, false},
        {"Cancel", false, true, 0, {IDCANCEL}, {IDS_SAVE_DATABASE_CHANGES}, stays, false},
        {"Yes", false, false, 0, {IDYES}, {IDS_SAVE_DATABASE_CHANGES}, kept, false},
        {"Yes, typed value stored", false, true, 0, {IDYES, IDYES},
         {IDS_SAVE_DATABASE_CHANGES, IDS_SAVE_EDITED_COMPONENT}, kept, true},
        {"Yes, typed value dropped", false, true, 0, {IDYES, IDNO},
         {IDS_SAVE_DATABASE_CHANGES, IDS_SAVE_EDITED_COMPONENT}, kept, false},
        {"Yes, then Cancel for the typed value", false, true, 0, {IDYES, IDCANCEL},
         {IDS_SAVE_DATABASE_CHANGES, IDS_SAVE_EDITED_COMPONENT}, stays, false},
        {"Yes, typed value stored unasked", false, true, OPTION_NO_UPDATE_WARNING, {IDYES},
         {IDS_SAVE_DATABASE_CHANGES}, kept, true},
        {"No", false, true, 0, {IDNO}, {IDS_SAVE_DATABASE_CHANGES}, restored, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = OpenDatabase("Case" + std::to_string(++n) + ".sqlite");
        CKelvaronView* pView = ActiveView();
        ASSERT_NE(nullptr, pView);
        if (c.typed)
            TypeIntoGrid();
        if (c.assembly)
            EditAssembly(pView);
        m_app->SetOptions(c.options);
        CChildFrame* pFrame = WindowOf(path);
        ASSERT_NE(nullptr, pFrame);
        {
            kvtest::MessageBoxWatcher boxes;
            boxes.Answer(c.answers);
            pFrame->SendMessage(WM_CLOSE);
            Pump();
            std::vector<std::string> asked;
            for (UINT id : c.asked)
                asked.push_back(Text(id));
            EXPECT_EQ(asked, boxes.Texts());
        }
        m_app->SetOptions(0);
        const std::string backup = m_data + "~Case" + std::to_string(n) + ".sqlite";
        if (c.outcome == stays) {
            ASSERT_EQ(pFrame, WindowOf(path));
            EXPECT_TRUE(Exists(backup));
            EXPECT_EQ(c.typed, pView->GetGrid()->IsRecordDirty() != FALSE);
            // Closed without saving to go on.
            if (c.assembly)
                pView->SendMessage(WM_COMMAND, ID_FINISH_ASSEMBLY);
            kvtest::MessageBoxWatcher boxes;
            boxes.Answer({IDNO});
            pFrame->SendMessage(WM_CLOSE);
            Pump();
        }
        EXPECT_EQ(nullptr, WindowOf(path));
        EXPECT_FALSE(Exists(backup));
        if (c.outcome == kept)
            EXPECT_EQ("1", Count(path, kEdited));
        else
            EXPECT_TRUE(SameBytes(m_atOpen[path], FileBytes(path)));
        EXPECT_EQ(c.typedStored ? "1" : "0", Count(path, kTyped));
    }
}

// Closing the application asks once for all databases: Cancel leaves them
// all open, also when a typed value's question is cancelled; No puts every
// backup back (an assembly being built does not stop it); Yes keeps every
// database's changes.
TEST_F(CloseTest, ClosingTheApplicationAsksOnceForAll)
{
    const std::string first = OpenDatabase("First.sqlite");
    const std::string second = OpenDatabase("Second.sqlite");
    {
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({IDCANCEL});
        Frame()->SendMessage(WM_CLOSE);
        EXPECT_EQ(std::vector<std::string>{Text(IDS_SAVE_ALL_CHANGES)}, boxes.Texts());
    }
    TypeIntoGrid();
    {
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({IDYES, IDCANCEL});
        Frame()->SendMessage(WM_CLOSE);
        EXPECT_EQ((std::vector<std::string>{Text(IDS_SAVE_ALL_CHANGES), Text(IDS_SAVE_EDITED_COMPONENT)}),
                  boxes.Texts());
    }
    ASSERT_NE(nullptr, WindowOf(first));
    ASSERT_NE(nullptr, WindowOf(second));
    EXPECT_TRUE(Exists(m_data + "~First.sqlite"));
    EXPECT_TRUE(Exists(m_data + "~Second.sqlite"));

    EditAssembly(WindowOf(first)->GetDatabaseView());
    {
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({IDNO});
        Frame()->SendMessage(WM_CLOSE);
        Pump();
        EXPECT_EQ(std::vector<std::string>{Text(IDS_SAVE_ALL_CHANGES)}, boxes.Texts());
    }
    EXPECT_EQ(nullptr, m_app->m_pMainWnd);
    for (const std::string& path : {first, second}) {
        EXPECT_TRUE(SameBytes(m_atOpen[path], FileBytes(path)));
        EXPECT_FALSE(Exists(m_data + "~" + path.substr(m_data.size())));
    }

    ASSERT_TRUE(Start());
    const std::string third = OpenDatabase("Third.sqlite");
    kvtest::MessageBoxWatcher boxes;
    boxes.Answer({IDYES});
    Frame()->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_EQ(std::vector<std::string>{Text(IDS_SAVE_ALL_CHANGES)}, boxes.Texts());
    EXPECT_EQ("1", Count(third, kEdited));
    EXPECT_FALSE(Exists(m_data + "~Third.sqlite"));
}

// Closing the application with a component editor open in one of two
// databases: Cancel leaves the editor and both databases open; No and Yes
// close the editor with its database (its grids are gone before anything
// of the editor could reach them) and every database as answered.
TEST_F(CloseTest, ClosingTheApplicationWithAnEditorOpen)
{
    for (int answer : { IDCANCEL, IDNO, IDYES }) {
        SCOPED_TRACE(answer);
        if (m_app->m_pMainWnd == nullptr)
            ASSERT_TRUE(Start());
        const std::string first = OpenDatabase("First.sqlite");
        const std::string second = OpenDatabase("Second.sqlite");
        Frame()->SendMessage(WM_COMMAND, ID_EDIT_COMPONENT);
        Pump();
        CKelvaronView* pView = WindowOf(second)->GetDatabaseView();
        ASSERT_TRUE(pView->IsEditorOpen());
        const HWND hEditor = pView->GetEditorHost().GetOpenEditor()->GetSafeHwnd();
        ASSERT_TRUE(::IsWindow(hEditor));
        {
            kvtest::MessageBoxWatcher boxes;
            boxes.Answer({ answer });
            Frame()->SendMessage(WM_CLOSE);
            Pump();
            EXPECT_EQ(std::vector<std::string>{ Text(IDS_SAVE_ALL_CHANGES) }, boxes.Texts());
        }
        if (answer == IDCANCEL) {
            ASSERT_NE(nullptr, m_app->m_pMainWnd);
            EXPECT_TRUE(::IsWindow(hEditor));
            EXPECT_NE(nullptr, WindowOf(first));
            ASSERT_NE(nullptr, WindowOf(second));
            EXPECT_TRUE(WindowOf(second)->GetDatabaseView()->IsEditorOpen());
            // The editor goes by itself; the next round opens them afresh.
            ::DestroyWindow(hEditor);
            Pump();
            kvtest::MessageBoxWatcher boxes;
            boxes.Answer({ IDNO });
            Frame()->SendMessage(WM_CLOSE);
            Pump();
            continue;
        }
        EXPECT_EQ(nullptr, m_app->m_pMainWnd);
        EXPECT_FALSE(::IsWindow(hEditor));
        for (const std::string& path : { first, second }) {
            EXPECT_FALSE(Exists(m_data + "~" + path.substr(m_data.size())));
            if (answer == IDNO)
                EXPECT_TRUE(SameBytes(m_atOpen[path], FileBytes(path)));
            else
                EXPECT_EQ("1", Count(path, kEdited));
        }
    }
}

// File New makes the next new database from the skeleton and opens it in a
// window; File Close runs the window's close routine.
TEST_F(CloseTest, FileNewAndFileClose)
{
    kvtest::MessageBoxWatcher boxes;
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    Pump();
    const std::string made = m_data + "NewDatabase1.sqlite";
    ASSERT_NE(nullptr, ActiveDocument());
    EXPECT_STREQ(made.c_str(), ActiveDocument()->GetDatabasePath());
    EXPECT_STREQ(made.c_str(), ActiveDocument()->GetTitle());
    EXPECT_EQ(std::vector<std::string>{Text(IDS_NEW_DATABASE_TABLES)}, boxes.Texts());
    EXPECT_TRUE(Exists(m_data + "~NewDatabase1.sqlite"));

    boxes.Answer({IDYES});
    Frame()->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    Pump();
    EXPECT_EQ(nullptr, ActiveDocument());
    ASSERT_EQ(2u, boxes.Texts().size());
    EXPECT_EQ(Text(IDS_SAVE_DATABASE_CHANGES), boxes.Texts()[1]);
    EXPECT_TRUE(Exists(made));
    EXPECT_FALSE(Exists(m_data + "~NewDatabase1.sqlite"));
}

// The database window activated last is the paste target; the user cannot
// size a database window smaller than 800 x 600, but maximised it fits the
// main window's client area.
TEST_F(CloseTest, ActivationAndMinimumSize)
{
    const std::string first = OpenDatabase("First.sqlite");
    const std::string second = OpenDatabase("Second.sqlite");
    EXPECT_STREQ(second.c_str(), Frame()->GetPasteTargetPath());
    Frame()->MDIActivate(WindowOf(first));
    Pump();
    EXPECT_STREQ(first.c_str(), Frame()->GetPasteTargetPath());

    // The main window's client area is smaller than that: maximised, the
    // window takes the client area's size.
    CRect client;
    ::GetClientRect(Frame()->m_hWndMDIClient, &client);
    ASSERT_LT(client.Width(), 800);
    ASSERT_TRUE(WindowOf(first)->IsZoomed());
    CRect rect;
    WindowOf(first)->GetClientRect(&rect);
    EXPECT_LE(rect.Width(), client.Width());

    // Restored: while the user sizes it, it is held to its minimum; out of
    // that, the MDI client's arrangements may make it smaller.
    CChildFrame* pFrame = WindowOf(first);
    pFrame->MDIRestore();
    Pump();
    ASSERT_FALSE(pFrame->IsZoomed());
    EXPECT_EQ(CSize(CChildFrame::kMinWidth, CChildFrame::kMinHeight), MinimumWhileSizing(pFrame));
    MINMAXINFO info = {};
    pFrame->SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_LT(info.ptMinTrackSize.x, CChildFrame::kMinWidth);
    EXPECT_LT(info.ptMinTrackSize.y, CChildFrame::kMinHeight);
    EXPECT_EQ(800, CChildFrame::kMinWidth);
    EXPECT_EQ(600, CChildFrame::kMinHeight);
}

// Where a new database window goes in the client area: left alone when it
// lies inside at its minimum size or larger; else sized to at least the
// minimum and at most the client area and moved inside; maximised when the
// client area is smaller than the minimum.
TEST(ChildFrameFit, ANewWindowGoesInsideTheClientAreaAtLeastAtItsMinimum)
{
    const CSize minimum(800, 600);
    struct Case
    {
        const char* what;
        CRect frame;
        CSize client;
        CChildFrame::ClientFit fit;
        CRect placed;
    };
    const Case cases[] = {
        { "inside, large enough", CRect(10, 10, 900, 700), CSize(1000, 800), CChildFrame::FIT_KEEP,
          CRect(10, 10, 900, 700) },
        { "inside, too small", CRect(10, 20, 610, 420), CSize(1000, 800), CChildFrame::FIT_MOVE,
          CRect(10, 20, 810, 620) },
        { "too small near the right edge", CRect(500, 300, 800, 500), CSize(1000, 800), CChildFrame::FIT_MOVE,
          CRect(200, 200, 1000, 800) },
        { "past the bottom right", CRect(300, 300, 1100, 900), CSize(1000, 800), CChildFrame::FIT_MOVE,
          CRect(200, 200, 1000, 800) },
        { "larger than the client area", CRect(-20, -10, 1300, 1000), CSize(1000, 800), CChildFrame::FIT_MOVE,
          CRect(0, 0, 1000, 800) },
        { "client area narrower than the minimum", CRect(0, 0, 500, 400), CSize(700, 800),
          CChildFrame::FIT_MAXIMIZE, CRect(0, 0, 500, 400) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CRect placed;
        EXPECT_EQ(c.fit, CChildFrame::FitIntoClient(c.frame, c.client, minimum, placed));
        if (c.fit == CChildFrame::FIT_MOVE)
            EXPECT_EQ(c.placed, placed);
    }
}

// A database window has the caption buttons of any MDI child (minimise,
// maximise, close); its close box asks as File > Close does.
TEST_F(CloseTest, TheCaptionHasMinimiseMaximiseAndClose)
{
    const std::string path = OpenDatabase("First.sqlite");
    CChildFrame* pFrame = WindowOf(path);
    ASSERT_NE(nullptr, pFrame);
    pFrame->MDIRestore();
    Pump();
    const DWORD style = pFrame->GetStyle();
    for (DWORD bit : {(DWORD)WS_CAPTION, (DWORD)WS_SYSMENU, (DWORD)WS_MINIMIZEBOX, (DWORD)WS_MAXIMIZEBOX})
        EXPECT_EQ(bit, style & bit) << std::hex << bit;

    // The buttons are where the user points: along the caption's right end.
    CRect window;
    pFrame->GetWindowRect(&window);
    const int y = window.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
    std::set<LRESULT> hits;
    for (int x = window.right - 1; x > window.right - 6 * ::GetSystemMetrics(SM_CXSIZE); --x)
        hits.insert(pFrame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)));
    for (LRESULT hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON})
        EXPECT_EQ(1u, hits.count(hit)) << hit;

    // The close box: Cancel keeps the window, No closes it as File > Close
    // does.
    for (int answer : {IDCANCEL, IDNO}) {
        ASSERT_EQ(pFrame, WindowOf(path));
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({answer});
        pFrame->SendMessage(WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(window.right - 5, y));
        Pump();
        EXPECT_EQ(std::vector<std::string>{Text(IDS_SAVE_DATABASE_CHANGES)}, boxes.Texts());
    }
    EXPECT_EQ(nullptr, WindowOf(path));
    EXPECT_TRUE(SameBytes(m_atOpen[path], FileBytes(path)));
}

// Window > Tile lays the database windows side by side over the client
// area, none over another, however small the client area is.
TEST_F(CloseTest, TileLaysTheWindowsSideBySide)
{
    std::vector<CChildFrame*> windows;
    for (const char* name : {"First.sqlite", "Second.sqlite", "Third.sqlite"})
        windows.push_back(WindowOf(OpenDatabase(name)));
    for (CWnd* pFrame : windows)
        ASSERT_NE(nullptr, pFrame);
    Frame()->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
    Pump();

    CRect client;
    ::GetClientRect(Frame()->m_hWndMDIClient, &client);
    std::vector<CRect> rects;
    long nArea = 0;
    for (CWnd* pFrame : windows) {
        EXPECT_FALSE(pFrame->IsZoomed());
        EXPECT_FALSE(pFrame->IsIconic());
        const CRect rect = kvtest::ChildRect(pFrame);
        CRect inside;
        inside.IntersectRect(&rect, &client);
        EXPECT_EQ(rect, inside) << "a window reaches out of the client area";
        for (const CRect& other : rects) {
            CRect common;
            EXPECT_FALSE(common.IntersectRect(&rect, &other)) << "two windows overlap";
        }
        rects.push_back(rect);
        nArea += rect.Width() * rect.Height();
    }
    // Together they cover the client area (but for the pixels a division
    // leaves over).
    EXPECT_GE(nArea, client.Width() * client.Height() * 95 / 100);
}
