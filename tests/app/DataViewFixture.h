// The running program, in folders of the test's own, over a copy of the
// sample database, for the tests of what the user does with the data around
// the main grid: queries, the clipboard, the Columns menu, and the copy of
// components between two open databases. Every message box is answered (OK,
// or the answers given) and its text kept.
#pragma once

#include "grids/window/GridWindow.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/app/ViewWidgets.h"
#include "tests/support/MessageBoxWatcher.h"

#include <memory>
#include <string>
#include <vector>

namespace dataviewtest {

class DataViewTest : public programtest::ProgramFolderFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program on the database with the options given.
    void Start(DWORD options = 0);
    // Opens another copy of the sample database in a second window; its view.
    CKelvaronView* OpenSecondDatabase(const std::string& name);

    CGridWindow* Grid() { return m_pView->GetGrid(); }
    CQueryWnd* QueryPane() { return viewwidgets::QueryPane(m_pView); }
    CComboBox& QueryCombo() { return viewwidgets::QueryCombo(m_pView); }
    void Command(UINT nID) { m_pView->SendMessage(WM_COMMAND, nID); }
    // Whether a command is enabled for the view (or another target), as its
    // update handler says.
    bool Enabled(UINT nID, CCmdTarget* pTarget = nullptr);
    // The texts of the message boxes shown since the last call.
    std::vector<std::string> TakeMessages();
    // Answers the next message boxes.
    void Answer(std::vector<int> answers) { m_boxes->Answer(std::move(answers)); }

    // Queries on the database file of the test.
    long QueryLong(const std::string& sql);
    std::string QueryRows(const std::string& sql);

    // The program's query file.
    std::string QueryFilePath() const { return m_program + "Queries.kvq"; }

    CKelvaronView* m_pView = nullptr;
    std::string m_database;
    std::vector<std::string> m_messages;
    std::unique_ptr<kvtest::MessageBoxWatcher> m_boxes;
};

} // namespace dataviewtest
