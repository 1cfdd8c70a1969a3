// Document templates: File New and File Open make a document with its child
// frame and view, the view's first update runs once, the template's menu
// shows while its frame is active, and a path that is open already is
// activated instead of opened again.
#include "tests/platform/framework/docview/DocViewFixture.h"

using dvtest::Pump;

namespace {

std::string WindowText(HWND hWnd)
{
    char szText[512] = {};
    ::GetWindowTextA(hWnd, szText, (int)sizeof(szText));
    return szText;
}

std::string MenuText(HMENU hMenu, int nPos)
{
    char szText[512] = {};
    ::GetMenuStringA(hMenu, (UINT)nPos, szText, (int)sizeof(szText), MF_BYPOSITION);
    return szText;
}

} // namespace

TEST_F(DocViewTest, NewDocumentGetsFrameAndViewWhoseFirstUpdateRunsOnce)
{
    CNoteDoc* pDoc = NewNote();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetDocTemplate(), m_pTemplate);
    EXPECT_STREQ(pDoc->GetTitle(), "Note1");
    EXPECT_EQ(pDoc->m_nNewCalls, 1);
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());

    POSITION pos = pDoc->GetFirstViewPosition();
    ASSERT_NE(pos, nullptr);
    CNoteView* pView = DYNAMIC_DOWNCAST(CNoteView, pDoc->GetNextView(pos));
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pos, nullptr) << "one view per new document";
    EXPECT_EQ(pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);

    CFrameWnd* pFrame = pView->GetParentFrame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CNoteFrame)));
    EXPECT_EQ(::GetParent(pFrame->m_hWnd), m_pMain->m_hWndMDIClient);
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_EQ(m_pMain->MDIGetActive(), pFrame);
    EXPECT_EQ(pFrame->GetActiveView(), pView);
    EXPECT_EQ(pView->GetTopLevelFrame(), m_pMain);

    // Idle passes and a second document do not update the first view again.
    theApp.OnIdle(0);
    Pump();
    CNoteDoc* pDoc2 = NewNote();
    ASSERT_NE(pDoc2, nullptr);
    EXPECT_STREQ(pDoc2->GetTitle(), "Note2");
    EXPECT_EQ(FirstView(pDoc2)->m_nInitialUpdates, 1);
    EXPECT_EQ(pView->m_nInitialUpdates, 1);
    EXPECT_EQ(DocumentCount(), 2);

    EXPECT_EQ(WindowText(FrameOf(pDoc2)->m_hWnd), "Note2");
    EXPECT_EQ(WindowText(m_hWndMain), "Note2 - Doc Test");
}

// A view that maximises its frame in its first update keeps it maximised,
// also while the main window is not shown yet (a program opening its first
// document at start-up); a frame left as it is shows normal.
TEST_F(DocViewTest, AFrameMaximisedByItsFirstUpdateStaysMaximised)
{
    for (bool bMainShown : {true, false}) {
        m_pMain->ShowWindow(bMainShown ? SW_SHOW : SW_HIDE);
        CNoteView::s_nFirstUpdateShow = SW_MAXIMIZE;
        CNoteDoc* pMaximised = NewNote();
        ASSERT_NE(pMaximised, nullptr);
        EXPECT_TRUE(FrameOf(pMaximised)->IsZoomed()) << (bMainShown ? "shown" : "hidden");
        SendMessageA(FrameOf(pMaximised)->m_hWnd, WM_CLOSE, 0, 0);

        CNoteView::s_nFirstUpdateShow = 0;
        CNoteDoc* pNormal = NewNote();
        ASSERT_NE(pNormal, nullptr);
        EXPECT_FALSE(FrameOf(pNormal)->IsZoomed()) << (bMainShown ? "shown" : "hidden");
        EXPECT_TRUE(FrameOf(pNormal)->GetStyle() & WS_VISIBLE);
        SendMessageA(FrameOf(pNormal)->m_hWnd, WM_CLOSE, 0, 0);
    }
    m_pMain->ShowWindow(SW_SHOW);
}

TEST_F(DocViewTest, TemplateMenuShowsWhileItsFrameIsActive)
{
    HMENU hMenuDefault = ::GetMenu(m_hWndMain);
    ASSERT_NE(hMenuDefault, nullptr);
    ASSERT_NE(m_pTemplate->m_hMenuShared, nullptr);
    EXPECT_NE(m_pTemplate->m_hAccelTable, nullptr);

    CNoteDoc* pDoc = NewNote();
    ASSERT_NE(pDoc, nullptr);
    HMENU hMenu = ::GetMenu(m_hWndMain);
    EXPECT_EQ(hMenu, m_pTemplate->m_hMenuShared);
    // The Window popup (the last one) lists the child.
    HMENU hWindow = ::GetSubMenu(hMenu, ::GetMenuItemCount(hMenu) - 1);
    bool bListed = false;
    for (int i = 0; i < ::GetMenuItemCount(hWindow); i++)
        bListed |= MenuText(hWindow, i).find("Note1") != std::string::npos;
    EXPECT_TRUE(bListed) << "the Window menu lists the open window";

    SendMessageA(FrameOf(pDoc)->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(DocumentCount(), 0);
    EXPECT_EQ(::GetMenu(m_hWndMain), hMenuDefault);
    EXPECT_TRUE(::IsMenu(m_pTemplate->m_hMenuShared)) << "the shared menu outlives the frames";
}

TEST_F(DocViewTest, OpenReadsFileAndSetsPathTitleAndRecentFile)
{
    std::string path = NoteFile("alpha.note", "first words");
    CNoteDoc* pDoc = Open(path);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->m_nOpenCalls, 1);
    EXPECT_STREQ(pDoc->m_text, "first words");
    EXPECT_EQ(lstrcmpiA(pDoc->GetPathName(), path.c_str()), 0);
    EXPECT_STREQ(pDoc->GetTitle(), "alpha.note");
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(lstrcmpiA((*theApp.m_pRecentFileList)[0], path.c_str()), 0);
    EXPECT_EQ(FirstView(pDoc)->m_nInitialUpdates, 1);
}

TEST_F(DocViewTest, FileThatCannotBeReadLeavesNothingBehind)
{
    theApp.m_answers = { IDOK };
    std::string missing = m_dir + "\\missing.note";
    EXPECT_EQ(theApp.OpenDocumentFile(missing.c_str()), nullptr);
    ASSERT_EQ(theApp.m_prompts.size(), 1u);
    EXPECT_NE(theApp.m_prompts[0].find("missing.note"), std::string::npos) << theApp.m_prompts[0];
    EXPECT_EQ(DocumentCount(), 0);
    EXPECT_EQ(ChildWindowCount(), 0);
    EXPECT_EQ(CNoteDoc::s_nLive, 0);
    EXPECT_EQ(CNoteView::s_nLive, 0);
    EXPECT_TRUE((*theApp.m_pRecentFileList)[0].IsEmpty());
}

TEST_F(DocViewTest, OpeningAPathThatIsOpenActivatesIt)
{
    std::string pathA = NoteFile("a.note", "A");
    std::string pathB = NoteFile("b.note", "B");
    CNoteDoc* pA = Open(pathA);
    CNoteDoc* pB = Open(pathB);
    ASSERT_NE(pA, nullptr);
    ASSERT_NE(pB, nullptr);
    ASSERT_EQ(m_pMain->MDIGetActive(), FrameOf(pB));

    // The same file by another spelling: other case, a detour through "..".
    CreateDirectoryA((m_dir + "\\sub").c_str(), nullptr);
    std::string other = m_dir + "\\SUB\\..\\A.NOTE";
    dvtest::g_log.clear();
    EXPECT_EQ(theApp.OpenDocumentFile(other.c_str()), pA);
    EXPECT_EQ(DocumentCount(), 2);
    EXPECT_EQ(ChildWindowCount(), 2);
    EXPECT_EQ(pA->m_nOpenCalls, 1);
    EXPECT_EQ(m_pMain->MDIGetActive(), FrameOf(pA));
    EXPECT_EQ(dvtest::LogOf({ "Activated" }), std::vector<std::string>{ "a.note.Activated" });
}

TEST_F(DocViewTest, ExtensionChoosesTheTemplateAndFormShowsTheDocument)
{
    CMultiDocTemplate* pForms = new CMultiDocTemplate(IDR_TEST_FORM, RUNTIME_CLASS(CNoteDoc),
                                                      RUNTIME_CLASS(CNoteFrame), RUNTIME_CLASS(CNoteForm));
    theApp.AddDocTemplate(pForms);
    std::string path = NoteFile("page.form", "hello form");
    CNoteDoc* pDoc = Open(path);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetDocTemplate(), pForms) << "the template whose extension the file has";

    POSITION pos = pDoc->GetFirstViewPosition();
    CNoteForm* pForm = DYNAMIC_DOWNCAST(CNoteForm, pDoc->GetNextView(pos));
    ASSERT_NE(pForm, nullptr);
    EXPECT_EQ(pForm->m_nInitialUpdates, 1);
    EXPECT_EQ(pForm->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_TRUE(pForm->GetStyle() & WS_CHILD);
    EXPECT_FALSE(pForm->GetStyle() & WS_CAPTION);

    // The template's edit control is the form's child and shows the text.
    HWND hEdit = ::GetDlgItem(pForm->m_hWnd, IDC_TEST_FORM_TEXT);
    ASSERT_NE(hEdit, nullptr);
    EXPECT_EQ(WindowText(hEdit), "hello form");

    // The form's size is the template's; the frame can be fitted to it.
    CSize sizeTotal = pForm->GetTotalSize();
    EXPECT_GT(sizeTotal.cx, 100);
    EXPECT_GT(sizeTotal.cy, 30);
    pForm->ResizeParentToFit(FALSE);
    CRect rectClient;
    pForm->GetClientRect(&rectClient);
    EXPECT_EQ(rectClient.Size(), sizeTotal);

    // Reading back from the control goes into the document.
    ::SetWindowTextA(hEdit, "changed in the form");
    EXPECT_TRUE(pForm->UpdateData(TRUE));
    EXPECT_STREQ(pDoc->m_text, "changed in the form");
}

TEST_F(DocViewTest, RecentFilesShowOnFileMenuAndAMissingOneIsForgotten)
{
    std::string pathA = NoteFile("a.note", "A");
    std::string pathB = NoteFile("b.note", "B");
    ASSERT_NE(Open(pathA), nullptr);
    ASSERT_NE(Open(pathB), nullptr);
    theApp.CloseAllDocuments(FALSE);
    ASSERT_EQ(::GetMenu(m_hWndMain), m_pMain->m_hMenuDefault);

    // The placeholder becomes one item per file, newest first.
    HMENU hFile = ::GetSubMenu(::GetMenu(m_hWndMain), 0);
    SendMessageA(m_hWndMain, WM_INITMENUPOPUP, (WPARAM)hFile, MAKELPARAM(0, FALSE));
    std::vector<std::string> items;
    for (int i = 0; i < ::GetMenuItemCount(hFile); i++) {
        UINT nID = ::GetMenuItemID(hFile, i);
        if (nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_LAST)
            items.push_back(MenuText(hFile, i));
    }
    ASSERT_EQ(items.size(), 2u);
    EXPECT_NE(items[0].find("b.note"), std::string::npos) << items[0];
    EXPECT_NE(items[1].find("a.note"), std::string::npos) << items[1];

    // The second entry opens a.note.
    SendMessageA(m_hWndMain, WM_COMMAND, ID_FILE_MRU_FILE2, 0);
    ASSERT_EQ(DocumentCount(), 1);
    CMDIChildWnd* pActive = m_pMain->MDIGetActive();
    ASSERT_NE(pActive, nullptr);
    EXPECT_STREQ(pActive->GetActiveDocument()->GetTitle(), "a.note");

    // b.note has gone from the disk: choosing it says so and drops it.
    ASSERT_TRUE(DeleteFileA(pathB.c_str()));
    ASSERT_EQ(lstrcmpiA((*theApp.m_pRecentFileList)[1], pathB.c_str()), 0);
    theApp.m_answers = { IDOK };
    SendMessageA(m_hWndMain, WM_COMMAND, ID_FILE_MRU_FILE2, 0);
    EXPECT_EQ(theApp.m_prompts.size(), 1u);
    EXPECT_EQ(DocumentCount(), 1);
    EXPECT_TRUE((*theApp.m_pRecentFileList)[1].IsEmpty());
    EXPECT_EQ(lstrcmpiA((*theApp.m_pRecentFileList)[0], pathA.c_str()), 0);
}

TEST_F(DocViewTest, FormScrollsWhenItsWindowIsSmallerThanTheForm)
{
    CMultiDocTemplate* pForms = new CMultiDocTemplate(IDR_TEST_FORM, RUNTIME_CLASS(CNoteDoc),
                                                      RUNTIME_CLASS(CNoteFrame), RUNTIME_CLASS(CNoteForm));
    theApp.AddDocTemplate(pForms);
    CNoteDoc* pDoc = Open(NoteFile("page.form", "text"));
    ASSERT_NE(pDoc, nullptr);
    POSITION pos = pDoc->GetFirstViewPosition();
    CNoteForm* pForm = DYNAMIC_DOWNCAST(CNoteForm, pDoc->GetNextView(pos));
    ASSERT_NE(pForm, nullptr);
    HWND hEdit = ::GetDlgItem(pForm->m_hWnd, IDC_TEST_FORM_TEXT);
    auto editPos = [&] {
        CRect rect;
        ::GetWindowRect(hEdit, &rect);
        ::MapWindowPoints(nullptr, pForm->m_hWnd, (LPPOINT)&rect, 2);
        return rect.TopLeft();
    };
    const CPoint ptHome = editPos();
    const CSize sizeTotal = pForm->GetTotalSize();

    // Smaller than the form: both scroll bars, and scrolling moves the controls.
    CFrameWnd* pFrame = pForm->GetParentFrame();
    pFrame->SetWindowPos(nullptr, 0, 0, sizeTotal.cx / 2 + 40, sizeTotal.cy / 2 + 60, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_TRUE(pForm->GetStyle() & WS_HSCROLL);
    EXPECT_TRUE(pForm->GetStyle() & WS_VSCROLL);
    pForm->ScrollToPosition(CPoint(20, 10));
    EXPECT_EQ(pForm->GetScrollPosition(), CPoint(20, 10));
    EXPECT_EQ(editPos(), ptHome - CSize(20, 10));

    // Large enough again: no scroll bars, everything back in place.
    pForm->ResizeParentToFit(FALSE);
    EXPECT_FALSE(pForm->GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(pForm->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(pForm->GetScrollPosition(), CPoint(0, 0));
    EXPECT_EQ(editPos(), ptHome);
}

TEST_F(DocViewTest, FileDialogFilterListsTheTemplatesThenAllFiles)
{
    CMultiDocTemplate* pForms = new CMultiDocTemplate(IDR_TEST_FORM, RUNTIME_CLASS(CNoteDoc),
                                                      RUNTIME_CLASS(CNoteFrame), RUNTIME_CLASS(CNoteForm));
    theApp.AddDocTemplate(pForms);
    CPtrList templates;
    POSITION pos = theApp.GetFirstDocTemplatePosition();
    while (pos != nullptr)
        templates.AddTail(theApp.GetNextDocTemplate(pos));

    int nDefault = 0;
    EXPECT_STREQ(CDocManager::BuildFilter(templates, nullptr, &nDefault),
                 "Notes (*.note)|*.note|Forms (*.form)|*.form|All Files (*.*)|*.*||");
    EXPECT_EQ(nDefault, 1);
    // The template asking comes first.
    EXPECT_STREQ(CDocManager::BuildFilter(templates, pForms, &nDefault),
                 "Forms (*.form)|*.form|Notes (*.note)|*.note|All Files (*.*)|*.*||");
    EXPECT_EQ(nDefault, 1);
}
