// Two documents in two child frames: activation reaches the views, and
// commands sent to the main frame go to the active view and its document.
#include "tests/platform/framework/docview/DocViewFixture.h"

using dvtest::LogOf;
using dvtest::Pump;

namespace {

// Records what the update route answers for one command.
class CEnableProbe : public CCmdUI
{
public:
    int m_nEnabled = -1; // -1: nobody answered
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetText(LPCTSTR) override {}
};

int EnabledState(CCmdTarget* pTarget, UINT nID)
{
    CEnableProbe probe;
    probe.m_nID = nID;
    probe.DoUpdate(pTarget, TRUE);
    return probe.m_nEnabled;
}

std::string WindowText(HWND hWnd)
{
    char szText[512] = {};
    ::GetWindowTextA(hWnd, szText, (int)sizeof(szText));
    return szText;
}

} // namespace

TEST_F(DocViewTest, CommandsGoToTheActiveViewAndItsDocument)
{
    CNoteDoc* pA = Open(NoteFile("a.note", "A"));
    CNoteDoc* pB = Open(NoteFile("b.note", "B"));
    ASSERT_NE(pA, nullptr);
    ASSERT_NE(pB, nullptr);
    CFrameWnd* pFrameA = FrameOf(pA);
    CFrameWnd* pFrameB = FrameOf(pB);
    ASSERT_EQ(m_pMain->MDIGetActive(), pFrameB);
    EXPECT_EQ(m_pMain->GetActiveFrame(), pFrameB);

    SendMessageA(m_hWndMain, WM_COMMAND, ID_TEST_WHO, 0);
    EXPECT_EQ(CNoteView::s_pLastWho, FirstView(pB));
    SendMessageA(m_hWndMain, WM_COMMAND, ID_TEST_DOC, 0);
    EXPECT_EQ(CNoteDoc::s_pLastCommandDoc, pB);

    // Switching: the view of the frame left behind hears of it first.
    dvtest::g_log.clear();
    m_pMain->MDIActivate(pFrameA);
    Pump();
    EXPECT_EQ(m_pMain->MDIGetActive(), pFrameA);
    EXPECT_EQ(LogOf({ "Activated", "Deactivated" }),
              (std::vector<std::string>{ "b.note.Deactivated", "a.note.Activated" }));
    EXPECT_EQ(::GetFocus(), FirstView(pA)->m_hWnd);
    SendMessageA(m_hWndMain, WM_COMMAND, ID_TEST_WHO, 0);
    EXPECT_EQ(CNoteView::s_pLastWho, FirstView(pA));
    SendMessageA(m_hWndMain, WM_COMMAND, ID_TEST_DOC, 0);
    EXPECT_EQ(CNoteDoc::s_pLastCommandDoc, pA);
    EXPECT_EQ(WindowText(m_hWndMain), "a.note - Doc Test");

    // The frame's own commands still reach it.
    SendMessageA(m_hWndMain, WM_COMMAND, ID_TEST_FRAME, 0);
    EXPECT_EQ(m_pMain->m_nFrameCommands, 1);

    // The next window is b again.
    m_pMain->MDINext();
    Pump();
    EXPECT_EQ(m_pMain->MDIGetActive(), pFrameB);
    SendMessageA(m_hWndMain, WM_COMMAND, ID_TEST_WHO, 0);
    EXPECT_EQ(CNoteView::s_pLastWho, FirstView(pB));
}

TEST_F(DocViewTest, ViewCommandsAreEnabledOnlyWhileAViewIsActive)
{
    EXPECT_EQ(EnabledState(m_pMain, ID_TEST_WHO), 0);
    EXPECT_EQ(EnabledState(m_pMain, ID_TEST_DOC), 0);
    EXPECT_EQ(EnabledState(m_pMain, ID_TEST_FRAME), 1);

    CNoteDoc* pDoc = NewNote();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(EnabledState(m_pMain, ID_TEST_WHO), 1);
    EXPECT_EQ(EnabledState(m_pMain, ID_TEST_DOC), 1);

    SendMessageA(FrameOf(pDoc)->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(EnabledState(m_pMain, ID_TEST_WHO), 0);
}

TEST_F(DocViewTest, SecondWindowOfADocumentIsNumberedAndClosesAlone)
{
    CNoteDoc* pDoc = Open(NoteFile("a.note", "A"));
    ASSERT_NE(pDoc, nullptr);
    CFrameWnd* pFirst = FrameOf(pDoc);
    SendMessageA(m_hWndMain, WM_COMMAND, ID_WINDOW_NEW, 0);
    ASSERT_EQ(ChildWindowCount(), 2);
    CFrameWnd* pSecond = m_pMain->MDIGetActive();
    ASSERT_NE(pSecond, pFirst);
    CNoteView* pSecondView = DYNAMIC_DOWNCAST(CNoteView, pSecond->GetActiveView());
    ASSERT_NE(pSecondView, nullptr);
    EXPECT_EQ(pSecondView->GetDocument(), pDoc);
    EXPECT_EQ(pSecondView->m_nInitialUpdates, 1);
    EXPECT_EQ(FirstView(pDoc)->m_nInitialUpdates, 1);
    EXPECT_EQ(WindowText(pFirst->m_hWnd), "a.note:1");
    EXPECT_EQ(WindowText(pSecond->m_hWnd), "a.note:2");

    // Another frame still shows the document: no question, the document stays.
    pDoc->SetModifiedFlag(TRUE);
    dvtest::g_log.clear();
    SendMessageA(pSecond->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(LogOf({ "CanCloseFrame", "SaveModified", "PreCloseFrame", "OnCloseDocument" }),
              (std::vector<std::string>{ "a.note.CanCloseFrame", "a.note.PreCloseFrame" }));
    EXPECT_EQ(ChildWindowCount(), 1);
    EXPECT_EQ(DocumentCount(), 1);
    EXPECT_EQ(WindowText(pFirst->m_hWnd), "a.note");
}

TEST_F(DocViewTest, UpdateHintsReachEveryOtherViewOfTheDocument)
{
    CNoteDoc* pDoc = Open(NoteFile("a.note", "A"));
    ASSERT_NE(pDoc, nullptr);
    SendMessageA(m_hWndMain, WM_COMMAND, ID_WINDOW_NEW, 0);
    CNoteView* pFirst = FirstView(pDoc);
    CNoteView* pSecond = DYNAMIC_DOWNCAST(CNoteView, m_pMain->MDIGetActive()->GetActiveView());
    ASSERT_NE(pSecond, nullptr);
    ASSERT_NE(pSecond, pFirst);
    // Each view's first update came with no hint.
    EXPECT_EQ(pFirst->m_hints, std::vector<LPARAM>{ 0 });
    EXPECT_EQ(pSecond->m_hints, std::vector<LPARAM>{ 0 });

    pDoc->UpdateAllViews(pFirst, 7);
    EXPECT_EQ(pFirst->m_hints, std::vector<LPARAM>{ 0 }) << "the sender is not told";
    EXPECT_EQ(pSecond->m_hints, (std::vector<LPARAM>{ 0, 7 }));
    pDoc->UpdateAllViews(nullptr, 9);
    EXPECT_EQ(pFirst->m_hints, (std::vector<LPARAM>{ 0, 9 }));
    EXPECT_EQ(pSecond->m_hints, (std::vector<LPARAM>{ 0, 7, 9 }));
}
