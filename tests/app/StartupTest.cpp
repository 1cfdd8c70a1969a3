// The real application object starting and ending: the settings it writes
// and reads, the database it opens at start-up, the failures that end the
// start-up, the recent files, and the Units command's effect on the grids.
#include "app/AppRes.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "app/Utilities.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/app/ViewWidgets.h"
#include "grids/window/GridWindow.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimerScript.h"

#include <gtest/gtest.h>

#include <memory>

using kvtest::StoredText;
using kvtest::StoreText;

namespace {

using programtest::Pump;

class StartupTest : public programtest::ProgramFixture
{
protected:
    void SetUp() override
    {
        ClearSettings();
        m_profile = programtest::ProfilePath();
        ::DeleteFileA(m_profile.c_str());
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = kvtest::ScratchDir(std::string("startup_") + info->name());
        m_database = m_dir + "\\Sample.sqlite";
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_database));
    }
    void TearDown() override
    {
        Stop();
        ClearSettings();
        ::DeleteFileA(m_profile.c_str());
    }
    static void ClearSettings() { programtest::ClearSettings(); }

    void WriteProfile(const char* section, const char* entry, const std::string& value)
    {
        ::CreateDirectoryA((GetModuleFolder(nullptr) + "config").GetString(), nullptr);
        ::WritePrivateProfileStringA(section, entry, value.c_str(), m_profile.c_str());
    }

    // Starts on the database (no option set) and opens a copy of it with
    // File Open, which becomes the active one.
    void StartOnTwoDatabases(CKelvaronView*& pFirst, CKelvaronView*& pSecond)
    {
        StoreText("", "KelVaron Settings", "0");
        ASSERT_TRUE(Start("\"" + m_database + "\""));
        pFirst = dynamic_cast<CKelvaronView*>(Frame()->MDIGetActive()->GetActiveView());
        ASSERT_NE(nullptr, pFirst);
        const std::string other = m_dir + "\\Other.sqlite";
        ASSERT_TRUE(kvtest::CopyFileTo(m_database, other));
        m_app->chosenFile = other.c_str();
        m_app->OnFileOpen();
        pSecond = dynamic_cast<CKelvaronView*>(Frame()->MDIGetActive()->GetActiveView());
        ASSERT_NE(nullptr, pSecond);
        ASSERT_NE(pFirst, pSecond);
    }

    std::string m_profile, m_dir, m_database;
};

} // namespace

// The first start writes the defaults of every missing setting; the next
// start reads what is stored.
TEST_F(StartupTest, FirstStartWritesDefaultsAndTheNextReadsThem)
{
    ASSERT_TRUE(Start());
    const CString root = m_app->GetRootPath();
    EXPECT_STREQ(GetModuleFolder(nullptr), root);
    EXPECT_EQ("0", StoredText("", "KelVaron Settings"));
    EXPECT_EQ((root + "Symbols\\Database").str(), StoredText("VisualSettings\\Hydraulic", "DbsSymbolsPath"));
    EXPECT_EQ((root + "Database\\QUORVEX.MDB").str(), StoredText("VisualSettings\\HydraulicDesign", "DbsName"));
    EXPECT_EQ("5", StoredText("VisualSettings\\Misc", "SignificantDigits"));
    EXPECT_STREQ(m_profile.c_str(), m_app->m_pszProfileName);

    // The main window is of the editor's class, shown, with no database.
    ASSERT_NE(nullptr, Frame());
    char className[64] = {};
    ::GetClassNameA(Frame()->m_hWnd, className, sizeof(className));
    EXPECT_STREQ(CKelvaronApp::kWindowClass, className);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_FALSE(Frame()->IsZoomed());
    EXPECT_EQ(nullptr, ActiveDocument());
    Stop();
    // The units are saved at the end; the window placement is kept.
    EXPECT_EQ("2", StoredText("Units", "Length"));
    char placement[256] = {};
    ::GetPrivateProfileStringA("MainFrame", "WP", "", placement, sizeof(placement), m_profile.c_str());
    EXPECT_EQ(2 * sizeof(WINDOWPLACEMENT), strlen(placement));

    StoreText("VisualSettings\\Misc", "SignificantDigits", "3");
    StoreText("", "KelVaron Settings", "8");
    StoreText("VisualSettings\\Hydraulic", "DbsSymbolsPath", "D:\\Shared\\Symbols");
    StoreText("Units", "Pressure", "6");
    ASSERT_TRUE(Start());
    EXPECT_EQ(3, m_app->GetSignificantDigits());
    EXPECT_EQ(8u, m_app->GetOptions());
    EXPECT_STREQ("D:\\Shared\\Symbols", m_app->GetSymbolsPath());
    EXPECT_EQ(6, m_app->GetUnitSettings()->GetUnits()->m_Pressure.GetUnit());
    EXPECT_TRUE(Frame()->IsZoomed());
}

// The option word chooses the database opened at start-up: the default one,
// the last one used, or none.
TEST_F(StartupTest, StartupDatabaseFollowsTheOptions)
{
    const std::string other = m_dir + "\\Other.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(m_database, other));
    struct Case { const char* options; bool recentFile; const std::string* opened; };
    const Case cases[] = {
        {"0", true, nullptr},
        {"32", true, &m_database},
        {"64", true, &other},
        {"96", true, &m_database},
        {"64", false, nullptr},
    };
    for (const Case& c : cases) {
        StoreText("", "KelVaron Settings", c.options);
        StoreText("VisualSettings\\HydraulicDesign", "DbsName", m_database);
        ::DeleteFileA(m_profile.c_str());
        if (c.recentFile)
            WriteProfile("Recent File List", "File1", other);
        ASSERT_TRUE(Start()) << c.options;
        CKelvaronDoc* pDoc = ActiveDocument();
        if (c.opened == nullptr) {
            EXPECT_EQ(nullptr, pDoc) << c.options;
        } else {
            ASSERT_NE(nullptr, pDoc) << c.options;
            EXPECT_STREQ(c.opened->c_str(), pDoc->GetDatabasePath()) << c.options;
            EXPECT_STREQ(c.opened->c_str(), pDoc->GetTitle()) << c.options;
            EXPECT_STREQ(c.opened->c_str(), (*m_app->GetRecentFileList())[0]) << c.options;
            CKelvaronView* pView = dynamic_cast<CKelvaronView*>(Frame()->MDIGetActive()->GetActiveView());
            ASSERT_NE(nullptr, pView);
            ASSERT_NE(nullptr, pView->GetGrid());
            EXPECT_GT(pView->GetGrid()->GetRowCount(), 10u);
        }
        Stop();
    }
}

// A saved window placement that is not whole is not used.
TEST_F(StartupTest, DamagedPlacementIsIgnored)
{
    WriteProfile("MainFrame", "WP", "DAAAAAAA");
    ASSERT_TRUE(Start());
    EXPECT_EQ(SW_SHOWNORMAL, m_app->m_nCmdShow);
    EXPECT_TRUE(Frame()->IsWindowVisible());
}

// A database named on the command line is opened whatever the options say;
// one that cannot be opened ends the start-up.
TEST_F(StartupTest, CommandLineNamesTheDatabase)
{
    StoreText("", "KelVaron Settings", "0");
    ASSERT_TRUE(Start("\"" + m_database + "\""));
    ASSERT_NE(nullptr, ActiveDocument());
    EXPECT_STREQ(m_database.c_str(), ActiveDocument()->GetDatabasePath());
    Stop();

    kvtest::MessageBoxWatcher boxes;
    EXPECT_FALSE(Start("\"" + m_dir + "\\Missing.sqlite\""));
    EXPECT_FALSE(boxes.Texts().empty());
}

// A running editor is brought to the front and the new start ends, saying
// so.
TEST_F(StartupTest, SecondInstanceIsRefused)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = CKelvaronApp::kWindowClass;
    ASSERT_TRUE(::RegisterClassA(&wc));
    HWND hRunning = ::CreateWindowA(CKelvaronApp::kWindowClass, "running editor",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE, 0, 0, 400, 300, nullptr,
                                    nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hRunning);
    ASSERT_TRUE(::IsIconic(hRunning));
    {
        kvtest::MessageBoxWatcher boxes;
        EXPECT_FALSE(Start());
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ("The database editor is already running.", boxes.Texts()[0]);
    }
    EXPECT_FALSE(::IsIconic(hRunning));
    EXPECT_EQ(nullptr, m_app->m_pMainWnd);
    Stop();
    ::DestroyWindow(hRunning);
    ::UnregisterClassA(CKelvaronApp::kWindowClass, wc.hInstance);
}

// A program folder that cannot be found, or a main window that cannot be
// made, end the start-up and leave nothing registered behind.
TEST_F(StartupTest, FailuresEndTheStartupCleanly)
{
    WNDCLASSA wc;
    {
        m_executablePath = "Kelvaron.exe";
        kvtest::MessageBoxWatcher boxes;
        EXPECT_FALSE(Start());
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ("There was a problem obtaining the path of this program\nThe appliction will exit",
                  boxes.Texts()[0]);
        EXPECT_EQ(nullptr, m_app->m_pMainWnd);
        Stop();
        EXPECT_FALSE(::GetClassInfoA(::GetModuleHandleA(nullptr), CKelvaronApp::kWindowClass, &wc));
    }
    m_executablePath.Empty();
    m_failingFrame = true;
    {
        kvtest::MessageBoxWatcher boxes;
        EXPECT_FALSE(Start());
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_EQ(nullptr, m_app->m_pMainWnd);
        EXPECT_EQ(nullptr, ::FindWindowA(CKelvaronApp::kWindowClass, nullptr));
        Stop();
        EXPECT_FALSE(::GetClassInfoA(::GetModuleHandleA(nullptr), CKelvaronApp::kWindowClass, &wc));
    }
    // And a start after them works.
    m_failingFrame = false;
    EXPECT_TRUE(Start());
}

// A recent file that no longer opens leaves the list; one that opens gets
// its full path as title.
TEST_F(StartupTest, RecentFiles)
{
    const std::string missing = m_dir + "\\Gone.sqlite";
    WriteProfile("Recent File List", "File1", missing);
    WriteProfile("Recent File List", "File2", m_database);
    ASSERT_TRUE(Start());
    CRecentFileList* pList = m_app->GetRecentFileList();
    ASSERT_NE(nullptr, pList);
    EXPECT_EQ(9, pList->GetSize());
    {
        kvtest::MessageBoxWatcher boxes;
        EXPECT_TRUE(m_app->OnOpenRecentFile(ID_FILE_MRU_FILE1));
    }
    EXPECT_EQ(nullptr, ActiveDocument());
    EXPECT_STREQ(m_database.c_str(), (*pList)[0]);
    EXPECT_TRUE((*pList)[1].IsEmpty());

    EXPECT_TRUE(m_app->OnOpenRecentFile(ID_FILE_MRU_FILE1));
    ASSERT_NE(nullptr, ActiveDocument());
    EXPECT_STREQ(m_database.c_str(), ActiveDocument()->GetTitle());
    EXPECT_TRUE(m_app->OnOpenRecentFile(ID_FILE_MRU_FILE9));
}

// File Open: Cancel opens nothing; a chosen database opens with its full
// path as title and becomes the first recent file.
TEST_F(StartupTest, FileOpenShowsTheFullPath)
{
    ASSERT_TRUE(Start());
    m_app->OnFileOpen();
    EXPECT_EQ(nullptr, ActiveDocument());
    m_app->chosenFile = m_database.c_str();
    Frame()->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    ASSERT_NE(nullptr, ActiveDocument());
    EXPECT_STREQ(m_database.c_str(), ActiveDocument()->GetTitle());
    EXPECT_STREQ(m_database.c_str(), (*m_app->GetRecentFileList())[0]);
}

// Every database window is named by its database's full path, whether it
// was opened from the command line or with File Open; File Open starts in
// the active database's folder, else in that of the database opened last.
TEST_F(StartupTest, DatabaseWindowsShareOneCaptionFormAndFileOpenStartsBesideThem)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_app->GetOpenFolder().IsEmpty());
    Stop();

    ASSERT_TRUE(Start("\"" + m_database + "\""));
    ASSERT_NE(nullptr, ActiveDocument());
    EXPECT_STREQ(m_database.c_str(), ActiveDocument()->GetTitle());
    EXPECT_STREQ((m_dir + "\\").c_str(), m_app->GetOpenFolder());

    const std::string otherDir = kvtest::ScratchDir("startup_other_folder");
    const std::string other = otherDir + "\\Other.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(m_database, other));
    m_app->chosenFile = other.c_str();
    m_app->OnFileOpen();
    ASSERT_NE(nullptr, ActiveDocument());
    EXPECT_STREQ(other.c_str(), ActiveDocument()->GetTitle());
    EXPECT_STREQ((otherDir + "\\").c_str(), m_app->GetOpenFolder());
    // Both windows' captions have the same form: the full path.
    std::vector<CKelvaronView*> views;
    for (CMDIChildWnd* pChild = Frame()->MDIGetActive(); pChild != nullptr && views.size() < 2;) {
        views.push_back(dynamic_cast<CKelvaronView*>(pChild->GetActiveView()));
        ASSERT_NE(nullptr, views.back());
        CString caption;
        pChild->GetWindowText(caption);
        EXPECT_NE(-1, caption.Find((views.size() == 1 ? other : m_database).c_str())) << caption.str();
        Frame()->MDINext();
        pChild = Frame()->MDIGetActive();
    }

    // With no database open it starts where the last one was opened.
    for (CKelvaronView* pView : views)
        pView->CloseKeeping();
    Pump();
    ASSERT_EQ(nullptr, ActiveDocument());
    EXPECT_STREQ((otherDir + "\\").c_str(), m_app->GetOpenFolder());
}

// Setup Options take effect at once in every open database window: the
// Query tab comes and goes, and the character set reaches the main grid,
// the side grids and the side tabs.
TEST_F(StartupTest, OptionsApplyAtOnceToEveryOpenDatabase)
{
    CKelvaronView* pView = nullptr;
    CKelvaronView* pOtherView = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartOnTwoDatabases(pView, pOtherView));
    pOtherView->SelectTab(10);   // Outlets: the nozzles grid shows too
    for (CKelvaronView* pShown : { pView, pOtherView })
        EXPECT_EQ(18, viewwidgets::Tabs(pShown).GetItemCount());

    // The dialog, once it runs: "Show query tab." set or cleared, a
    // character set chosen, OK.
    auto runOptions = [&](bool bQueryTab, int nCharSetIndex) {
        kvtest::TimerScript script([] {
            if (HWND hDialog = ::FindWindowA("#32770", "Setup Options"))
                ::EndDialog(hDialog, IDCANCEL);
        });
        script.Add([&] {
            HWND hDialog = ::FindWindowA("#32770", "Setup Options");
            ASSERT_NE(nullptr, hDialog);
            ::CheckDlgButton(hDialog, IDC_OPT_SHOW_QUERY_TAB, bQueryTab ? BST_CHECKED : BST_UNCHECKED);
            ::SendDlgItemMessageA(hDialog, IDC_OPT_CHARSET, CB_SETCURSEL, (WPARAM)nCharSetIndex, 0);
            ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDialog, IDOK));
        });
        script.Start();
        Frame()->SendMessage(WM_COMMAND, ID_TOOLS_OPTIONS);
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(script.Overran());
    };

    runOptions(true, 11);   // Cyrillic
    for (CKelvaronView* pShown : { pView, pOtherView }) {
        EXPECT_EQ(19, viewwidgets::Tabs(pShown).GetItemCount());
        EXPECT_EQ(RUSSIAN_CHARSET, pShown->GetGrid()->StandardStyle().GetFont().GetCharSet());
        EXPECT_EQ(RUSSIAN_CHARSET, pShown->GetAssemWnd()->StandardStyle().GetFont().GetCharSet());
    }
    CNozzleWnd* pNozzles = viewwidgets::SidePane<CNozzleWnd>(pOtherView);
    ASSERT_NE(nullptr, pNozzles);
    EXPECT_EQ(RUSSIAN_CHARSET, pNozzles->StandardStyle().GetFont().GetCharSet());

    // Taken away again, also from the window showing it.
    pView->SelectTab(18);
    runOptions(false, 0);   // Western
    for (CKelvaronView* pShown : { pView, pOtherView }) {
        EXPECT_EQ(18, viewwidgets::Tabs(pShown).GetItemCount());
        EXPECT_EQ(ANSI_CHARSET, pShown->GetAssemWnd()->StandardStyle().GetFont().GetCharSet());
    }
    EXPECT_EQ(0, pView->GetCurrentTab());
}

// Units: the US preset confirmed in the dialog retitles the grids of the open
// databases in the new units.
TEST_F(StartupTest, UnitsCommandRetitlesTheGrids)
{
    CKelvaronView* pView = nullptr;
    CKelvaronView* pOtherView = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartOnTwoDatabases(pView, pOtherView));
    CGridWindow* pGrid = pView->GetGrid();
    ASSERT_NE(nullptr, pGrid);
    CGridWindow* pOtherGrid = pOtherView->GetGrid();
    ASSERT_NE(nullptr, pOtherGrid);
    const int kActualDiameter = 15;
    CString before = pGrid->GetColumnMapTitle(0, kActualDiameter);
    EXPECT_NE(-1, before.Find("(mm)")) << before.GetString();

    // The dialog is answered with US, then OK, once it runs.
    kvtest::TimerScript script([] {
        if (HWND hDialog = ::FindWindowA("#32770", "Units"))
            ::EndDialog(hDialog, IDCANCEL);
    });
    auto click = [](int nID) {
        HWND hDialog = ::FindWindowA("#32770", "Units");
        ASSERT_NE(nullptr, hDialog);
        ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDialog, nID));
    };
    script.Add([&] { click(IDC_UNITS_US); });
    script.Add([&] { click(IDOK); });
    script.Start();
    Frame()->SendMessage(WM_COMMAND, ID_TOOLS_UNITS);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(script.Overran());

    // Every open database is retitled, not only the active one.
    for (CGridWindow* pShown : {pGrid, pOtherGrid}) {
        CString after = pShown->GetColumnMapTitle(0, kActualDiameter);
        EXPECT_NE(-1, after.Find("(in)")) << after.GetString();
    }
    EXPECT_EQ("1", StoredText("Units", "Diameter"));
}
