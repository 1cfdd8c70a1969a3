// The small note-taking application the document/view tests are made of:
// a note document (one text, serialised), a view and a form view of it, a
// child frame, a main frame with control bars, and the application object
// whose message boxes answer from a script instead of waiting for a user.
#pragma once

#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/RectTracker.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"
#include "platform/framework/docview/ControlBar.h"
#include "platform/framework/docview/DocView.h"
#include "tests/platform/framework/docview/DocViewTestRes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <deque>
#include <string>
#include <vector>

namespace dvtest {

// What the hooks of the close sequence (and a few others) did, in order,
// as "title.Hook".
extern std::vector<std::string> g_log;
void Log(const CString& who, const char* what);
// The entries of g_log that end in one of the given hooks' names.
std::vector<std::string> LogOf(std::initializer_list<const char*> hooks);

// Reads and writes note files the way the note document serialises them.
void WriteNote(const std::string& path, const char* text);
std::string ReadNote(const std::string& path);

// Handles every message waiting in the queue (WM_QUIT included, which is
// counted).
int Pump();

} // namespace dvtest

class CNoteDoc : public CDocument
{
    DECLARE_DYNCREATE(CNoteDoc)
protected:
    CNoteDoc();
public:
    ~CNoteDoc() override;

    CString m_text;
    bool m_bFailWhileStoring = false; // Serialize throws half-way through saving
    int m_nNewCalls = 0;
    int m_nOpenCalls = 0;
    static int s_nLive;

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
    BOOL SaveModified() override;
    void PreCloseFrame(CFrameWnd* pFrame) override;
    void OnCloseDocument() override;
    void DeleteContents() override;

    afx_msg void OnTestDoc();
    static CNoteDoc* s_pLastCommandDoc;

    DECLARE_MESSAGE_MAP()
};

class CNoteView : public CView
{
    DECLARE_DYNCREATE(CNoteView)
protected:
    CNoteView();
public:
    ~CNoteView() override;

    CNoteDoc* GetNoteDoc() const { return static_cast<CNoteDoc*>(GetDocument()); }
    int m_nInitialUpdates = 0;
    static int s_nLive;
    static CNoteView* s_pLastWho;
    // When not 0, the first update shows the view's frame with this command.
    static int s_nFirstUpdateShow;

    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    std::vector<LPARAM> m_hints; // of every OnUpdate

    afx_msg void OnTestWho();
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

class CNoteForm : public CFormView
{
    DECLARE_DYNCREATE(CNoteForm)
protected:
    CNoteForm();
public:
    int m_nInitialUpdates = 0;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitialUpdate() override;
};

class CNoteFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CNoteFrame)
protected:
    CNoteFrame() = default;
};

// A bar of a fixed thickness along its side; counts its idle updates.
class CTestBar : public CControlBar
{
public:
    explicit CTestBar(int nThickness) : m_nThickness(nThickness) {}
    BOOL Create(CWnd* pParent, DWORD dwBarStyle, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    int m_nThickness;
    int m_nUpdates = 0;
    CFrameWnd* m_pLastTarget = nullptr;
};

class CTestMainFrame : public CMDIFrameWnd
{
public:
    int m_nFrameCommands = 0;
    afx_msg void OnTestFrame() { m_nFrameCommands++; }
    DECLARE_MESSAGE_MAP()
};

class CDocTestApp : public CWinApp
{
public:
    CDocTestApp() : CWinApp("Doc Test") {}

    // Answers for the coming message boxes, in order; each box shown is
    // recorded. A box with no answer waiting fails the test and is cancelled.
    std::deque<int> m_answers;
    std::vector<std::string> m_prompts;
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    DECLARE_MESSAGE_MAP()
};

extern CDocTestApp theApp;

// Each test gets the note template, a shown main frame (the application's
// main window) and an empty folder; everything is closed afterwards.
class DocViewTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A note file in the test's folder holding text.
    std::string NoteFile(const char* name, const char* text);
    CNoteDoc* Open(const std::string& path);
    CNoteDoc* NewNote();
    static CNoteView* FirstView(CDocument* pDoc);
    static CFrameWnd* FrameOf(CDocument* pDoc);
    int DocumentCount() const;
    // The MDI children of the main frame.
    int ChildWindowCount() const;

    CMultiDocTemplate* m_pTemplate = nullptr;
    CTestMainFrame* m_pMain = nullptr;
    HWND m_hWndMain = nullptr;
    std::string m_dir;
};
