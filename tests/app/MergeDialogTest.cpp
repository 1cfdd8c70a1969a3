// The Merge Databases and Clean Database Fields dialogs in real windows,
// driven by their buttons' messages, and the main frame that forwards the
// engine's progress steps to them.
#include "app/CleanDlg.h"
#include "app/MainFrm.h"
#include "app/MergeDlg.h"
#include "app/AppRes.h"
#include "database/merge/MergeRes.h"
#include "tests/support/MergeFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <commctrl.h>

using namespace mergetest;

namespace {

// A dialog whose file dialog is replaced by a script of chosen files.
template <class Dialog>
class Scripted : public Dialog
{
public:
    using Dialog::Dialog;
    std::deque<std::string> files;

protected:
    BOOL ChooseDatabaseFile(CString& strPath) override
    {
        if (files.empty())
            return FALSE;
        strPath = files.front().c_str();
        files.pop_front();
        return TRUE;
    }
};

// ... and the shell's "open" by a record of the files opened.
class TestMergeDialog : public Scripted<CMergeDialog>
{
public:
    using Scripted<CMergeDialog>::Scripted;
    std::vector<std::string> shown;

protected:
    void ShowReport(const CString& strPath) override { shown.push_back(strPath.str()); }
};

// ... and the backup copy can be made to fail.
class TestCleanDialog : public Scripted<CCleanDialog>
{
public:
    using Scripted<CCleanDialog>::Scripted;
    bool failCopy = false;

protected:
    BOOL CopyDatabaseFile(const CString& strFrom, const CString& strTo) override
    {
        return failCopy ? FALSE : CCleanDialog::CopyDatabaseFile(strFrom, strTo);
    }
};

void Click(CWnd& dialog, int nID)
{
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(dialog.m_hWnd, nID));
}

std::string Text(CWnd& dialog, int nID)
{
    char text[512] = {};
    ::GetDlgItemTextA(dialog.m_hWnd, nID, text, sizeof(text));
    return text;
}

bool Enabled(CWnd& dialog, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, nID)) != FALSE;
}

int RangeHigh(CWnd& dialog)
{
    return (int)::SendDlgItemMessageA(dialog.m_hWnd, IDC_DB_PROGRESS, PBM_GETRANGE, FALSE, 0);
}

int Position(CWnd& dialog)
{
    return (int)::SendDlgItemMessageA(dialog.m_hWnd, IDC_DB_PROGRESS, PBM_GETPOS, 0, 0);
}

// Counts the steps a progress bar is given.
struct StepCounter
{
    static int steps;
    static WNDPROC previous;
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == PBM_STEPIT)
            ++steps;
        return ::CallWindowProcA(previous, hWnd, message, wParam, lParam);
    }
    explicit StepCounter(CWnd& dialog) : m_hWnd(::GetDlgItem(dialog.m_hWnd, IDC_DB_PROGRESS))
    {
        steps = 0;
        previous = (WNDPROC)::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)Proc);
    }
    ~StepCounter() { ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)previous); }
    HWND m_hWnd;
};
int StepCounter::steps = 0;
WNDPROC StepCounter::previous = nullptr;

// A test with the main frame as the application's main window.
class DialogTest : public MergeTest
{
protected:
    void SetUp() override
    {
        MergeTest::SetUp();
        m_app.m_pMainWnd = &m_frame;
    }
    void TearDown() override { m_app.m_pMainWnd = nullptr; }

    std::string Formatted(UINT nID, const std::string& arg)
    {
        CString text;
        text.Format(nID, arg.c_str());
        return text.str();
    }

    CMainFrame m_frame;
};

const char kSourceRows[] =
    "INSERT INTO [PipeTable] ([Type]) VALUES ('PE');\n"
    "INSERT INTO [PipeTable] ([Type]) VALUES ('PVC');\n"
    "INSERT INTO [Suppliers] ([Description], [Code]) VALUES ('Acme', 'AC');\n"
    "INSERT INTO [Components] ([Database Number], [Description]) VALUES (2, 'Valve');\n"
    "INSERT INTO [Components] ([Database Number], [Description]) VALUES (3, 'Filter');\n"
    "INSERT INTO [Components] ([Database Number], [Description]) VALUES (15, 'Jet');\n";

} // namespace

TEST(MergeProgress, TotalIsTakenWholePast65535Rows)
{
    EXPECT_EQ(6, CMergeDialog::ProgressTotal(3, 2, 1));
    EXPECT_EQ(70015, CMergeDialog::ProgressTotal(70000, 10, 5));
    EXPECT_EQ(65536, CMergeDialog::ProgressTotal(65535, 1, 0));
    EXPECT_EQ(INT_MAX, CMergeDialog::ProgressTotal(LONG_MAX, LONG_MAX, 1));
    EXPECT_EQ(0, CMergeDialog::ProgressTotal(-1, 0, 0));
}

TEST_F(DialogTest, MergeWithThePresetDestinationStepsOncePerRowAndOffersItsReport)
{
    RunSqlOn(m_source, kSourceRows);
    TestMergeDialog dialog(m_target.c_str());
    ASSERT_TRUE(dialog.Create(IDD_MERGE_DATABASES));
    EXPECT_EQ(m_target, Text(dialog, IDC_MERGE_TARGET_PATH));
    EXPECT_FALSE(Enabled(dialog, IDOK));

    dialog.files = {m_source};
    Click(dialog, IDC_MERGE_SOURCE_BROWSE);
    EXPECT_TRUE(Enabled(dialog, IDOK));
    EXPECT_EQ(m_source, Text(dialog, IDC_MERGE_SOURCE_PATH));
    EXPECT_EQ(6, RangeHigh(dialog));

    m_frame.m_pMergeDialog = &dialog;
    m_app.answers = {IDYES};
    {
        StepCounter counter(dialog);
        Click(dialog, IDOK);
        EXPECT_EQ(6, StepCounter::steps);
    }
    m_frame.m_pMergeDialog = nullptr;
    EXPECT_EQ("Valve;Filter;Jet", QueryRows(m_target, "SELECT RTRIM([Description]) FROM Components ORDER BY [Component Key]"));
    ASSERT_EQ(1u, m_app.prompts.size());
    std::string report = DBDatabase::ReportFileName().str();
    ASSERT_EQ(1u, dialog.shown.size());
    EXPECT_EQ(report, dialog.shown[0].substr(dialog.shown[0].size() - report.size()));
    EXPECT_EQ(Formatted(IDS_MERGE_COMPLETE, dialog.shown[0]), m_app.prompts[0]);
    EXPECT_NE(std::string::npos, FileBytes(dialog.shown[0]).find("Added:   [Jet]"));

    // Afterwards: both paths cleared, the button reads Close and ends the
    // dialog.
    EXPECT_EQ("", Text(dialog, IDC_MERGE_SOURCE_PATH));
    EXPECT_EQ("", Text(dialog, IDC_MERGE_TARGET_PATH));
    EXPECT_EQ("Close", Text(dialog, IDOK));
    EXPECT_TRUE(Enabled(dialog, IDOK));
    EXPECT_TRUE(Enabled(dialog, IDCANCEL));
    EXPECT_EQ(0, Position(dialog));
    dialog.ShowWindow(SW_SHOW);
    Click(dialog, IDOK);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(nullptr, dialog.m_pSource);
    EXPECT_EQ(nullptr, dialog.m_pTarget);
    dialog.DestroyWindow();
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(DialogTest, SourceChosenFirstSetsTheRangeThatAnotherDestinationKeeps)
{
    RunSqlOn(m_source, kSourceRows);
    TestMergeDialog dialog("");
    ASSERT_TRUE(dialog.Create(IDD_MERGE_DATABASES));
    dialog.files = {m_source, m_target};
    Click(dialog, IDC_MERGE_SOURCE_BROWSE);
    EXPECT_FALSE(Enabled(dialog, IDOK));
    EXPECT_EQ(6, RangeHigh(dialog));
    Click(dialog, IDC_MERGE_TARGET_BROWSE);
    EXPECT_TRUE(Enabled(dialog, IDOK));
    EXPECT_EQ(6, RangeHigh(dialog));
    // Cancelling the file dialog changes nothing.
    Click(dialog, IDC_MERGE_TARGET_BROWSE);
    EXPECT_EQ(m_target, Text(dialog, IDC_MERGE_TARGET_PATH));
    EXPECT_TRUE(Enabled(dialog, IDOK));
    dialog.DestroyWindow();
}

TEST_F(DialogTest, DestinationThatCannotBeOpenedKeepsMergeDisabledAndNoReportIsOffered)
{
    RunSqlOn(m_source, kSourceRows);
    std::string missing = m_dir + "\\Missing.sqlite";
    TestMergeDialog dialog(missing.c_str());
    EXPECT_EQ(1u, m_boxes.Texts().size());  // why it could not be opened
    EXPECT_EQ(nullptr, dialog.m_pTarget);
    ASSERT_TRUE(dialog.Create(IDD_MERGE_DATABASES));
    dialog.files = {m_source};
    Click(dialog, IDC_MERGE_SOURCE_BROWSE);
    EXPECT_FALSE(Enabled(dialog, IDOK));

    // Even when asked to, nothing is merged and no report is offered (an
    // earlier merge's report may still lie in the folder).
    Click(dialog, IDOK);
    ASSERT_EQ(1u, m_app.prompts.size());
    EXPECT_EQ("Nothing was merged.", m_app.prompts[0]);
    EXPECT_TRUE(dialog.shown.empty());
    dialog.DestroyWindow();
}

TEST_F(DialogTest, AccessFileWithoutComponentTablesIsRefusedAndTheDestinationIsLeftAlone)
{
    RunSqlOn(m_target, kSourceRows);
    std::string before = FileBytes(m_target);
    TestMergeDialog dialog(m_target.c_str());
    ASSERT_TRUE(dialog.Create(IDD_MERGE_DATABASES));
    dialog.files = {kvtest::DataPath("access/nwind.mdb")};
    Click(dialog, IDC_MERGE_SOURCE_BROWSE);
    ASSERT_EQ(1u, m_boxes.Texts().size());
    EXPECT_NE(std::string::npos, m_boxes.Texts()[0].find("not a component database")) << m_boxes.Texts()[0];
    EXPECT_EQ(nullptr, dialog.m_pSource);
    EXPECT_EQ("", Text(dialog, IDC_MERGE_SOURCE_PATH));
    EXPECT_FALSE(Enabled(dialog, IDOK));
    Click(dialog, IDCANCEL);
    dialog.DestroyWindow();
    EXPECT_EQ(before, FileBytes(m_target));
}

TEST_F(DialogTest, RefusedMergeSaysNothingWasMergedAndOffersItsOwnReport)
{
    RunSqlOn(m_source, "ALTER TABLE Components ALTER COLUMN [Warehouse Code] Text(40);\n");
    TestMergeDialog dialog(m_target.c_str());
    ASSERT_TRUE(dialog.Create(IDD_MERGE_DATABASES));
    dialog.files = {m_source};
    Click(dialog, IDC_MERGE_SOURCE_BROWSE);
    m_app.answers = {IDOK, IDNO};
    Click(dialog, IDOK);
    ASSERT_EQ(2u, m_app.prompts.size());
    CString refusal;
    refusal.LoadString(IDS_MERGE_WAREHOUSE_CODE_TOO_LONG);
    EXPECT_EQ(refusal.str(), m_app.prompts[0]);
    std::string path = m_app.prompts[1].substr(m_app.prompts[1].find('(') + 1);
    path.pop_back();
    EXPECT_EQ(Formatted(IDS_MERGE_REFUSED_REPORT, path), m_app.prompts[1]);
    EXPECT_NE(std::string::npos, FileBytes(path).find(refusal.str()));
    EXPECT_TRUE(dialog.shown.empty());
    dialog.DestroyWindow();
}

TEST_F(DialogTest, ProgressStaysRightPast65535Rows)
{
    RunSqlOn(m_source, "INSERT INTO [Components] ([Database Number], [Description]) "
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 70000) "
                       "SELECT 2, 'Valve ' || i FROM n;\n"
                       "INSERT INTO [PipeTable] ([Type]) VALUES ('PE');\n");
    TestMergeDialog merge(m_target.c_str());
    ASSERT_TRUE(merge.Create(IDD_MERGE_DATABASES));
    merge.files = {m_source};
    Click(merge, IDC_MERGE_SOURCE_BROWSE);
    EXPECT_EQ(70001, RangeHigh(merge));
    // Steps across the 16-bit boundary land where they should.
    m_frame.m_pMergeDialog = &merge;
    ::SendDlgItemMessageA(merge.m_hWnd, IDC_DB_PROGRESS, PBM_SETPOS, 65530, 0);
    for (int i = 0; i < 10; ++i)
        m_frame.StepProgress();
    EXPECT_EQ(65540, Position(merge));
    m_frame.m_pMergeDialog = nullptr;
    merge.DestroyWindow();

    TestCleanDialog clean(m_source.c_str());
    ASSERT_TRUE(clean.Create(IDD_CLEAN_DATABASE));
    EXPECT_EQ(70000, clean.m_nTotal);
    EXPECT_EQ(70000, RangeHigh(clean));
    m_frame.m_pCleanDialog = &clean;
    ::SendDlgItemMessageA(clean.m_hWnd, IDC_DB_PROGRESS, PBM_SETPOS, 65535, 0);
    for (int i = 0; i < 3; ++i)
        m_frame.StepProgress();
    EXPECT_EQ(65538, Position(clean));
    EXPECT_EQ(3, clean.m_nCleaned);
    m_frame.m_pCleanDialog = nullptr;
    m_frame.StepProgress();  // no dialog runs: nothing happens
    EXPECT_EQ(3, clean.m_nCleaned);
    clean.DestroyWindow();
}

TEST_F(DialogTest, CleanMakesABackupFirstAndNeverOverwritesAnEarlierOne)
{
    RunSqlOn(m_target, "INSERT INTO [Components] ([Database Number], [Description], [Supplier Code]) VALUES (2, 'Valve', ' ab');\n"
                       "INSERT INTO [Components] ([Database Number], [Description], [Reals5]) VALUES (6, 'Coupler', 3);\n");
    std::string original = FileBytes(m_target);
    TestCleanDialog dialog(m_target.c_str());
    ASSERT_TRUE(dialog.Create(IDD_CLEAN_DATABASE));
    EXPECT_TRUE(Enabled(dialog, IDOK));
    EXPECT_EQ(2, dialog.m_nTotal);
    EXPECT_EQ(2, RangeHigh(dialog));

    m_frame.m_pCleanDialog = &dialog;
    Click(dialog, IDOK);
    std::string backup = m_dir + "\\~tmpTarget.sqlite";
    EXPECT_EQ(original, FileBytes(backup));
    EXPECT_EQ("Progress (Done)", Text(dialog, IDC_CLEAN_PROGRESS_GROUP));
    EXPECT_EQ(2, dialog.m_nCleaned);
    EXPECT_EQ(2, Position(dialog));
    EXPECT_EQ("AB  ", QueryRows(m_target, "SELECT [Supplier Code] FROM Components WHERE [Description] = 'Valve'"));
    EXPECT_EQ("0.0", QueryRows(m_target, "SELECT [Reals5] FROM Components WHERE [Description] = 'Coupler'"));

    // A second run keeps the first backup (the original) and makes another.
    std::string cleaned = FileBytes(m_target);
    Click(dialog, IDOK);
    EXPECT_TRUE(Enabled(dialog, IDOK));
    EXPECT_EQ(original, FileBytes(backup));
    EXPECT_EQ(cleaned, FileBytes(m_dir + "\\~tmp2Target.sqlite"));
    m_frame.m_pCleanDialog = nullptr;
    Click(dialog, IDCANCEL);
    EXPECT_EQ(nullptr, dialog.m_pDatabase);
    dialog.DestroyWindow();
    EXPECT_TRUE(m_app.prompts.empty());
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(DialogTest, CleanWhoseBackupFailsAndIsAnsweredNoChangesNothing)
{
    RunSqlOn(m_target, "INSERT INTO [Components] ([Database Number], [Description], [Supplier Code]) VALUES (2, 'Valve', ' ab');\n");
    std::string original = FileBytes(m_target);
    TestCleanDialog dialog("");
    ASSERT_TRUE(dialog.Create(IDD_CLEAN_DATABASE));
    EXPECT_FALSE(Enabled(dialog, IDOK));
    dialog.files = {m_target};
    Click(dialog, IDC_CLEAN_BROWSE);
    EXPECT_EQ(m_target, Text(dialog, IDC_CLEAN_PATH));
    EXPECT_TRUE(Enabled(dialog, IDOK));

    dialog.failCopy = true;
    m_app.answers = {IDNO};
    Click(dialog, IDOK);
    ASSERT_EQ(1u, m_app.prompts.size());
    EXPECT_EQ(Formatted(IDS_CLEAN_BACKUP_FAILED, m_dir + "\\~tmpTarget.sqlite"), m_app.prompts[0]);
    EXPECT_EQ("Progress", Text(dialog, IDC_CLEAN_PROGRESS_GROUP));
    dialog.SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, dialog.m_pDatabase);
    dialog.DestroyWindow();
    EXPECT_EQ(original, FileBytes(m_target));
}

TEST_F(DialogTest, FileThatCannotBeWrittenIsOfferedNeitherForMergeNorForClean)
{
    RunSqlOn(m_source, kSourceRows);
    std::string before = FileBytes(m_target);
    kvtest::UnwritableFile unwritable(m_target, kvtest::UnwritableFile::readOnlyAttribute);
    {
        TestMergeDialog dialog(m_target.c_str());
        EXPECT_EQ(nullptr, dialog.m_pTarget);
        ASSERT_TRUE(dialog.Create(IDD_MERGE_DATABASES));
        dialog.files = {m_source};
        Click(dialog, IDC_MERGE_SOURCE_BROWSE);
        EXPECT_FALSE(Enabled(dialog, IDOK));
        dialog.DestroyWindow();
    }
    {
        TestCleanDialog dialog(m_target.c_str());
        ASSERT_TRUE(dialog.Create(IDD_CLEAN_DATABASE));
        EXPECT_FALSE(Enabled(dialog, IDOK));
        EXPECT_EQ(nullptr, dialog.m_pDatabase);
        dialog.DestroyWindow();
    }
    // Each said why.
    ASSERT_EQ(2u, m_boxes.Texts().size());
    for (const std::string& text : m_boxes.Texts()) {
        EXPECT_NE(std::string::npos, text.find(m_target)) << text;
        EXPECT_NE(std::string::npos, text.find(kvtest::UnwritableFile::Reason(kvtest::UnwritableFile::readOnlyAttribute)))
            << text;
    }
    EXPECT_EQ(before, FileBytes(m_target));
}

TEST(CleanBackup, PathIsTheFileNamePrefixedInItsFolder)
{
    EXPECT_STREQ("C:\\data\\~tmpParts.sqlite", CCleanDialog::BackupPath("C:\\data\\Parts.sqlite"));
    EXPECT_STREQ("", CCleanDialog::BackupPath("Parts.sqlite"));
    EXPECT_STREQ("", CCleanDialog::BackupPath("C:\\data\\"));
}

TEST_F(DialogTest, MainFrameCommandsRunTheDialogsModally)
{
    // A frame window lives on the heap: it goes with its window.
    static CMainFrame* s_frame;
    static bool s_sawMerge, s_sawClean;
    s_frame = new CMainFrame;
    ASSERT_TRUE(s_frame->Create(nullptr, "Kelvaron"));
    m_app.m_pMainWnd = s_frame;
    s_sawMerge = s_sawClean = false;
    // Once the dialog runs, note that the frame knows it and cancel it.
    auto tick = [](HWND, UINT, UINT_PTR, DWORD) {
        CDialog* running = s_frame->m_pMergeDialog != nullptr
                               ? static_cast<CDialog*>(s_frame->m_pMergeDialog)
                               : static_cast<CDialog*>(s_frame->m_pCleanDialog);
        if (running == nullptr || running->m_hWnd == nullptr)
            return;
        (s_frame->m_pMergeDialog != nullptr ? s_sawMerge : s_sawClean) = true;
        running->PostMessage(WM_COMMAND, IDCANCEL, 0);
    };
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, tick);
    s_frame->SendMessage(WM_COMMAND, ID_FILE_MERGE, 0);
    EXPECT_TRUE(s_sawMerge);
    EXPECT_EQ(nullptr, s_frame->m_pMergeDialog);
    s_frame->SendMessage(WM_COMMAND, ID_TOOLS_CLEAN_FIELDS, 0);
    EXPECT_TRUE(s_sawClean);
    EXPECT_EQ(nullptr, s_frame->m_pCleanDialog);
    ::KillTimer(nullptr, timer);
    m_app.m_pMainWnd = &m_frame;
    s_frame->DestroyWindow();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ;
}

// A merge that goes on past failures does not end as a plain success: the
// end message says how many items failed and offers the report that lists
// them.
TEST_F(DialogTest, AMergeWithFailuresSaysHowManyAndOffersItsReport)
{
    RunSqlOn(m_source, kSourceRows);
    RunSqlOn(m_target, "CREATE TRIGGER full BEFORE INSERT ON Components WHEN NEW.[Database Number] <> 3\n"
                       "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;\n");
    TestMergeDialog dialog(m_target.c_str());
    ASSERT_TRUE(dialog.Create(IDD_MERGE_DATABASES));
    dialog.files = {m_source};
    Click(dialog, IDC_MERGE_SOURCE_BROWSE);
    m_frame.m_pMergeDialog = &dialog;
    m_app.answers = {IDOK, IDOK, IDNO};
    Click(dialog, IDOK);
    m_frame.m_pMergeDialog = nullptr;
    EXPECT_EQ("Filter", QueryRows(m_target, "SELECT RTRIM([Description]) FROM Components"));
    ASSERT_EQ(3u, m_app.prompts.size());
    EXPECT_EQ(0u, m_app.prompts[0].find("[Valve] was not merged")) << m_app.prompts[0];
    EXPECT_EQ(0u, m_app.prompts[1].find("[Jet] was not merged")) << m_app.prompts[1];
    CString end;
    end.Format(IDS_MERGE_FAILURES_REPORT, 2, (m_app.GetRootPath() + DBDatabase::ReportFileName()).GetString());
    EXPECT_EQ(end.str(), m_app.prompts[2]);
    EXPECT_TRUE(dialog.shown.empty());
    dialog.DestroyWindow();
    EXPECT_TRUE(m_boxes.Texts().empty());
}
