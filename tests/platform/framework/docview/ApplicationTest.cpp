// The small application as a whole: two documents named on the command line,
// switching between them, and File Exit through the message loop.
#include "tests/platform/framework/docview/DocViewFixture.h"

#include <cstdlib>
#include <cstring>

using dvtest::Pump;

namespace {

// Keeps every file named on the command line (the framework's own parsing
// opens only the first).
class CFilesCommandLineInfo : public CCommandLineInfo
{
public:
    std::vector<CString> m_files;
    void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast) override
    {
        if (!bFlag)
            m_files.push_back(pszParam);
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
};

bool g_bTimedOut = false;

void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD)
{
    g_bTimedOut = true;
    ::PostQuitMessage(1);
}

} // namespace

TEST_F(DocViewTest, SmallApplicationOpensTwoFilesSwitchesAndExitsCleanly)
{
    std::string pathA = NoteFile("first.note", "first");
    std::string pathB = NoteFile("second note.note", "second");
    std::string line = "\"" + pathA + "\" \"" + pathB + "\"";
    LPTSTR pOldCmdLine = theApp.m_lpCmdLine;
    theApp.m_lpCmdLine = line.data();
    std::string profile = m_dir + "\\DocTest.ini";
    LPCTSTR pOldProfile = theApp.m_pszProfileName;
    theApp.m_pszProfileName = _strdup(profile.c_str());

    // Start-up: the first file through the shell command, the rest after it.
    CFilesCommandLineInfo info;
    theApp.ParseCommandLine(info);
    theApp.m_lpCmdLine = pOldCmdLine;
    ASSERT_EQ(info.m_files.size(), 2u);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    ASSERT_TRUE(theApp.ProcessShellCommand(info));
    for (size_t i = 1; i < info.m_files.size(); i++)
        ASSERT_NE(theApp.OpenDocumentFile(info.m_files[i]), nullptr);
    ASSERT_EQ(DocumentCount(), 2);

    CMDIChildWnd* pSecond = m_pMain->MDIGetActive();
    ASSERT_NE(pSecond, nullptr);
    CNoteDoc* pDocB = DYNAMIC_DOWNCAST(CNoteDoc, pSecond->GetActiveDocument());
    ASSERT_NE(pDocB, nullptr);
    EXPECT_STREQ(pDocB->m_text, "second");

    // Switch to the other window and back, as the user would.
    m_pMain->MDINext();
    Pump();
    CMDIChildWnd* pFirst = m_pMain->MDIGetActive();
    ASSERT_NE(pFirst, pSecond);
    CNoteDoc* pDocA = DYNAMIC_DOWNCAST(CNoteDoc, pFirst->GetActiveDocument());
    ASSERT_NE(pDocA, nullptr);
    EXPECT_STREQ(pDocA->m_text, "first");
    SendMessageA(m_hWndMain, WM_COMMAND, ID_TEST_WHO, 0);
    EXPECT_EQ(CNoteView::s_pLastWho, pFirst->GetActiveView());
    m_pMain->MDIActivate(pSecond);
    Pump();
    SendMessageA(m_hWndMain, WM_COMMAND, ID_TEST_WHO, 0);
    EXPECT_EQ(CNoteView::s_pLastWho, pSecond->GetActiveView());

    // File Exit from the message loop: everything closes and the loop ends.
    m_pMain->PostMessage(WM_COMMAND, ID_APP_EXIT);
    g_bTimedOut = false;
    UINT_PTR nTimer = ::SetTimer(nullptr, 0, 20000, &EndStuckLoop);
    int nExitCode = theApp.Run();
    ::KillTimer(nullptr, nTimer);

    EXPECT_FALSE(g_bTimedOut) << "the message loop did not end by itself";
    EXPECT_EQ(nExitCode, 0);
    EXPECT_FALSE(::IsWindow(m_hWndMain));
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(DocumentCount(), 0);
    EXPECT_EQ(CNoteDoc::s_nLive, 0);
    EXPECT_EQ(CNoteView::s_nLive, 0);
    EXPECT_TRUE(theApp.m_prompts.empty()) << "nothing was modified, nothing asked";

    // The recent files were saved on the way out, newest first.
    char szFile[MAX_PATH] = {};
    ::GetPrivateProfileStringA("Recent File List", "File1", "", szFile, MAX_PATH, profile.c_str());
    EXPECT_EQ(lstrcmpiA(szFile, pathB.c_str()), 0) << szFile;
    ::GetPrivateProfileStringA("Recent File List", "File2", "", szFile, MAX_PATH, profile.c_str());
    EXPECT_EQ(lstrcmpiA(szFile, pathA.c_str()), 0) << szFile;

    free((void*)theApp.m_pszProfileName);
    theApp.m_pszProfileName = pOldProfile;
}
