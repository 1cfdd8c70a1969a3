// What the tests of the whole program share: its settings and profile file
// cleared, its start-up run with a command line, and its end as the
// framework brings it about; the application with its executable's path, main
// frame and File Open answer chosen by the test, and a fixture that starts
// and ends it.
#pragma once

#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace programtest {

// Dispatches the thread's waiting messages, leaving out the end-of-loop
// message that a closed main window leaves behind.
void Pump();

// Removes the program's stored settings (the sections it writes and its
// option word).
void ClearSettings();

// The profile file the program writes while the tests run.
std::string ProfilePath();

// Runs the application's start-up with the command line (which must live as
// long as the application); then its messages. TRUE when it started.
BOOL Start(CKelvaronApp& app, std::string& commandLine);

// Closes the main window (and the databases with it, keeping their changes:
// the question for all of them is answered Yes) and ends the application as
// the framework does.
void Stop(CKelvaronApp& app);

// A main frame whose window cannot be made.
class FailingFrame : public CMainFrame
{
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

// The application with the executable's path (and so the program folder) and
// the main frame chosen by the test, and the File Open dialog answered by it.
class TestApp : public CKelvaronApp
{
public:
    CString executablePath;   // empty: the real one
    bool failingFrame = false;
    CString chosenFile;       // the File Open dialog's answer; empty: Cancel

protected:
    BOOL ChooseDatabaseToOpen(CString& strPath) override
    {
        strPath = chosenFile;
        return !chosenFile.IsEmpty();
    }
    CString GetExecutablePath() const override
    {
        return executablePath.IsEmpty() ? CKelvaronApp::GetExecutablePath() : executablePath;
    }
    CFrameWnd* NewMainFrame() override
    {
        return failingFrame ? new FailingFrame : CKelvaronApp::NewMainFrame();
    }
};

// Starts and ends a TestApp; ends it after each test.
class ProgramFixture : public ::testing::Test
{
protected:
    void TearDown() override { Stop(); }

    // Makes the application object and runs its start-up with the command line.
    BOOL Start(const std::string& commandLine = "");
    void Stop();

    CMainFrame* Frame() { return m_app ? dynamic_cast<CMainFrame*>(m_app->m_pMainWnd) : nullptr; }
    // The document and view of the active database window; null when none
    // is open.
    CKelvaronDoc* ActiveDocument();
    CKelvaronView* ActiveView();

    std::unique_ptr<TestApp> m_app;
    std::string m_commandLine;
    CString m_executablePath;
    bool m_failingFrame = false;
};

// A program in folders of the test's own (the program folder with its
// skeleton database, a data folder beside it) with the settings cleared; the
// sample database copied into the data folder and opened in its window.
class ProgramFolderFixture : public ProgramFixture
{
protected:
    void SetUp() override;
    // A fresh copy of the sample database under the name, opened through
    // File Open; its path.
    std::string CopyAndOpenSample(const std::string& name);

    std::string m_dir, m_program, m_data;
};

// The same with the profile file the program writes removed before and
// after each test.
class ProgramProfileFixture : public ProgramFolderFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::string m_profile;
};

} // namespace programtest
