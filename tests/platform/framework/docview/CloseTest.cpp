// The close sequence: each hook once and in order; a refused close leaves
// everything open; saving never damages the file on a failure.
#include "tests/platform/framework/docview/DocViewFixture.h"

using dvtest::LogOf;
using dvtest::Pump;

namespace {

const std::initializer_list<const char*> kCloseHooks = { "CanCloseFrame", "SaveModified", "OnSaveDocument",
                                                        "OnCloseDocument", "PreCloseFrame", "ViewDestroyed",
                                                        "DeleteContents", "Deleted" };

std::vector<std::string> Prefixed(const char* who, std::initializer_list<const char*> hooks)
{
    std::vector<std::string> result;
    for (const char* h : hooks)
        result.push_back(std::string(who) + "." + h);
    return result;
}

int FilesIn(const std::string& dir)
{
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            n++;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

struct CloseCase
{
    const char* name;
    bool viaFileClose;      // File Close command instead of the frame's close box
    bool modified;
    std::deque<int> answers;
    std::vector<std::string> hooks;
    bool closed;
    const char* fileAfter;
};

} // namespace

TEST_F(DocViewTest, ClosingADocumentWindowCallsEachHookOnceInOrder)
{
    const std::vector<CloseCase> cases = {
        { "unchanged", false, false, {},
          Prefixed("a.note", { "CanCloseFrame", "SaveModified", "OnCloseDocument", "PreCloseFrame", "ViewDestroyed",
                               "DeleteContents", "Deleted" }),
          true, "old" },
        { "changed, not saved", false, true, { IDNO },
          Prefixed("a.note", { "CanCloseFrame", "SaveModified", "OnCloseDocument", "PreCloseFrame", "ViewDestroyed",
                               "DeleteContents", "Deleted" }),
          true, "old" },
        { "changed, saved", false, true, { IDYES },
          Prefixed("a.note", { "CanCloseFrame", "SaveModified", "OnSaveDocument", "OnCloseDocument", "PreCloseFrame",
                               "ViewDestroyed", "DeleteContents", "Deleted" }),
          true, "new" },
        { "changed, cancelled", false, true, { IDCANCEL },
          Prefixed("a.note", { "CanCloseFrame", "SaveModified" }), false, "old" },
        { "File Close, saved", true, true, { IDYES },
          Prefixed("a.note", { "SaveModified", "OnSaveDocument", "OnCloseDocument", "PreCloseFrame", "ViewDestroyed",
                               "DeleteContents", "Deleted" }),
          true, "new" },
        { "File Close, cancelled", true, true, { IDCANCEL }, Prefixed("a.note", { "SaveModified" }), false, "old" },
    };

    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = NoteFile("a.note", "old");
        CNoteDoc* pDoc = Open(path);
        ASSERT_NE(pDoc, nullptr);
        HWND hFrame = FrameOf(pDoc)->m_hWnd;
        if (c.modified) {
            pDoc->m_text = "new";
            pDoc->SetModifiedFlag(TRUE);
        }
        theApp.m_answers = c.answers;
        theApp.m_prompts.clear();
        dvtest::g_log.clear();

        if (c.viaFileClose)
            SendMessageA(m_hWndMain, WM_COMMAND, ID_FILE_CLOSE, 0);
        else
            SendMessageA(hFrame, WM_CLOSE, 0, 0);
        Pump();

        EXPECT_EQ(LogOf(kCloseHooks), c.hooks);
        EXPECT_EQ(theApp.m_prompts.size(), c.modified ? 1u : 0u);
        EXPECT_TRUE(theApp.m_answers.empty());
        EXPECT_EQ(dvtest::ReadNote(path), c.fileAfter);
        if (c.closed) {
            EXPECT_FALSE(::IsWindow(hFrame));
            EXPECT_EQ(DocumentCount(), 0);
            EXPECT_EQ(CNoteView::s_nLive, 0);
        } else {
            // Everything as it was: the window, its view, the changes.
            EXPECT_TRUE(::IsWindow(hFrame));
            EXPECT_EQ(DocumentCount(), 1);
            EXPECT_EQ(m_pMain->MDIGetActive()->m_hWnd, hFrame);
            EXPECT_NE(FirstView(pDoc), nullptr);
            EXPECT_TRUE(pDoc->IsModified());
            EXPECT_STREQ(pDoc->m_text, "new");
            pDoc->SetModifiedFlag(FALSE);
            theApp.CloseAllDocuments(FALSE);
        }
        EXPECT_EQ(FilesIn(m_dir), 1) << "no file besides the note";
    }
}

TEST_F(DocViewTest, ClosingTheMainWindowAsksEveryDocumentBeforeClosingAny)
{
    CNoteDoc* pA = Open(NoteFile("a.note", "A"));
    CNoteDoc* pB = Open(NoteFile("b.note", "B"));
    ASSERT_NE(pA, nullptr);
    ASSERT_NE(pB, nullptr);
    pA->SetModifiedFlag(TRUE);
    pB->SetModifiedFlag(TRUE);

    // Cancel at the second question: nothing closes, nothing is asked again.
    theApp.m_answers = { IDNO, IDCANCEL };
    dvtest::g_log.clear();
    SendMessageA(m_hWndMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(LogOf(kCloseHooks), (std::vector<std::string>{ "a.note.SaveModified", "b.note.SaveModified" }));
    EXPECT_TRUE(::IsWindow(m_hWndMain));
    EXPECT_EQ(theApp.m_pMainWnd, m_pMain);
    EXPECT_EQ(DocumentCount(), 2);
    EXPECT_EQ(ChildWindowCount(), 2);
    EXPECT_EQ(Pump(), 0) << "the program goes on";

    // No to both: every document closes once, then the main window, and the
    // message loop is told to end.
    theApp.m_answers = { IDNO, IDNO };
    dvtest::g_log.clear();
    SendMessageA(m_hWndMain, WM_CLOSE, 0, 0);
    std::vector<std::string> expected = { "a.note.SaveModified", "b.note.SaveModified" };
    for (const char* who : { "a.note", "b.note" }) {
        for (const std::string& s : Prefixed(who, { "OnCloseDocument", "PreCloseFrame", "ViewDestroyed",
                                                    "DeleteContents", "Deleted" }))
            expected.push_back(s);
    }
    EXPECT_EQ(LogOf(kCloseHooks), expected);
    EXPECT_FALSE(::IsWindow(m_hWndMain));
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(CNoteDoc::s_nLive, 0);
    EXPECT_EQ(Pump(), 1) << "one quit message";
}

TEST_F(DocViewTest, FailedSaveLeavesTheFileAsItWas)
{
    std::string path = NoteFile("a.note", "kept words");
    CNoteDoc* pDoc = Open(path);
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_text = "words that fail to be written";
    pDoc->SetModifiedFlag(TRUE);
    pDoc->m_bFailWhileStoring = true;

    theApp.m_answers = { IDOK };
    EXPECT_FALSE(pDoc->DoFileSave());
    EXPECT_EQ(theApp.m_prompts.size(), 1u);
    EXPECT_EQ(dvtest::ReadNote(path), "kept words");
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(FilesIn(m_dir), 1) << "no half-written file left";

    pDoc->m_bFailWhileStoring = false;
    EXPECT_TRUE(pDoc->DoFileSave());
    EXPECT_EQ(dvtest::ReadNote(path), "words that fail to be written");
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(FilesIn(m_dir), 1);
}
