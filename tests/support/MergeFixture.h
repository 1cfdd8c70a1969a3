// Shared pieces of the merge and clean tests (of the engine and of its
// dialogs): an application object that answers the program's message boxes
// from a script, copies of the skeleton seeded by SQL, merges run the way
// the merge dialog runs them, and query helpers.
#pragma once

#include "database/merge/DBDatabase.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace mergetest {

// An application object with every prompt of AfxMessageBox kept and
// answered with the next scripted answer (IDNO for questions, IDOK for the
// rest when the script is empty).
class TestApp : public CWinApp
{
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    // The program folder, as the program's application object gives it.
    CString GetRootPath() const { return kvtest::ProgramFolder().c_str(); }
    std::vector<std::string> prompts;
    std::deque<int> answers;
};

using kvtest::ConnectStringFor;
using kvtest::FileBytes;
using kvtest::MessageBoxWatcher;
using kvtest::QueryRows;
using kvtest::RunSql;
using kvtest::RunSqlOn;

// Text of a file in tests/database/merge/<relative>.
std::string FixtureText(const std::string& relative);

// The engine's messages shown the way the program shows them: through the
// application object's message box, a failure in its exception's own box.
class ProgramMessages : public DBMessageSink
{
public:
    int ShowMessage(LPCSTR lpszText, UINT nType) override { return AfxMessageBox(lpszText, nType); }
    void ShowError(CException* e) override { e->ReportError(); }
};

// A test with a source and a target database, copies of the skeleton. The
// merge report goes to the test program's folder, as the program's goes to
// its own.
class MergeTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // Shows the database's messages as the merge and clean dialogs do.
    void Attach(DBDatabase& db) { db.SetSinks(nullptr, &m_messages); }

    // Runs a merge of the source into the target as the merge dialog does
    // (target flag 0x1, source 0x11), its progress going to pProgress.
    // Returns the report text ("" when no report was written) with the two
    // database names replaced by "<source>" and "<target>".
    std::string Merge(DBProgressSink* pProgress = nullptr);

    std::string m_dir;
    std::string m_source;
    std::string m_target;
    DBDatabase::MergeOutcome m_outcome = DBDatabase::mergeNotRun;
    int m_failures = 0;  // the failures the merge told
    std::string m_reportPath;
    TestApp m_app;
    ProgramMessages m_messages;
    MessageBoxWatcher m_boxes;
};

} // namespace mergetest
