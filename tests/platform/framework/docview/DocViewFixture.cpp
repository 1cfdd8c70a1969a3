#include "tests/platform/framework/docview/DocViewFixture.h"

CDocTestApp theApp;

namespace dvtest {

std::vector<std::string> g_log;

void Log(const CString& who, const char* what)
{
    g_log.push_back(std::string(who) + "." + what);
}

std::vector<std::string> LogOf(std::initializer_list<const char*> hooks)
{
    std::vector<std::string> result;
    for (const std::string& entry : g_log) {
        std::string hook = entry.substr(entry.rfind('.') + 1);
        for (const char* h : hooks)
            if (hook == h)
                result.push_back(entry);
    }
    return result;
}

void WriteNote(const std::string& path, const char* text)
{
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << CString(text);
    ar.Close();
    file.Close();
}

std::string ReadNote(const std::string& path)
{
    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CString text;
    ar >> text;
    return std::string(text);
}

int Pump()
{
    int nQuit = 0;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            nQuit++;
            continue;
        }
        if (!theApp.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return nQuit;
}

} // namespace dvtest

using dvtest::Log;

/////////////////////////////////////////////////////////////////////////////
// CNoteDoc

IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)

BEGIN_MESSAGE_MAP(CNoteDoc, CDocument)
    ON_COMMAND(ID_TEST_DOC, OnTestDoc)
END_MESSAGE_MAP()

int CNoteDoc::s_nLive = 0;
CNoteDoc* CNoteDoc::s_pLastCommandDoc = nullptr;

CNoteDoc::CNoteDoc() { s_nLive++; }

CNoteDoc::~CNoteDoc()
{
    Log(m_strTitle, "Deleted");
    s_nLive--;
}

void CNoteDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_text;
        if (m_bFailWhileStoring) {
            ar.Flush();
            AfxThrowArchiveException(CArchiveException::genericException);
        }
    } else {
        ar >> m_text;
    }
}

BOOL CNoteDoc::OnNewDocument()
{
    m_nNewCalls++;
    Log(m_strTitle, "OnNewDocument");
    return CDocument::OnNewDocument();
}

BOOL CNoteDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    m_nOpenCalls++;
    Log(m_strTitle, "OnOpenDocument");
    return CDocument::OnOpenDocument(lpszPathName);
}

BOOL CNoteDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    Log(m_strTitle, "OnSaveDocument");
    return CDocument::OnSaveDocument(lpszPathName);
}

BOOL CNoteDoc::CanCloseFrame(CFrameWnd* pFrame)
{
    Log(m_strTitle, "CanCloseFrame");
    return CDocument::CanCloseFrame(pFrame);
}

BOOL CNoteDoc::SaveModified()
{
    Log(m_strTitle, "SaveModified");
    return CDocument::SaveModified();
}

void CNoteDoc::PreCloseFrame(CFrameWnd* pFrame)
{
    Log(m_strTitle, "PreCloseFrame");
    CDocument::PreCloseFrame(pFrame);
}

void CNoteDoc::OnCloseDocument()
{
    Log(m_strTitle, "OnCloseDocument");
    CDocument::OnCloseDocument();
}

void CNoteDoc::DeleteContents()
{
    Log(m_strTitle, "DeleteContents");
    m_text.Empty();
}

void CNoteDoc::OnTestDoc()
{
    s_pLastCommandDoc = this;
}

/////////////////////////////////////////////////////////////////////////////
// CNoteView

IMPLEMENT_DYNCREATE(CNoteView, CView)

BEGIN_MESSAGE_MAP(CNoteView, CView)
    ON_WM_DESTROY()
    ON_COMMAND(ID_TEST_WHO, OnTestWho)
END_MESSAGE_MAP()

int CNoteView::s_nLive = 0;
CNoteView* CNoteView::s_pLastWho = nullptr;
int CNoteView::s_nFirstUpdateShow = 0;

CNoteView::CNoteView() { s_nLive++; }

CNoteView::~CNoteView()
{
    s_nLive--;
    if (s_pLastWho == this)
        s_pLastWho = nullptr;
}

void CNoteView::OnInitialUpdate()
{
    m_nInitialUpdates++;
    if (s_nFirstUpdateShow != 0)
        GetParentFrame()->ShowWindow(s_nFirstUpdateShow);
    CView::OnInitialUpdate();
}

void CNoteView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    Log(GetDocument() ? GetDocument()->GetTitle() : CString("?"), bActivate ? "Activated" : "Deactivated");
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CNoteView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    m_hints.push_back(lHint);
    CView::OnUpdate(pSender, lHint, pHint);
}

void CNoteView::OnTestWho()
{
    s_pLastWho = this;
}

void CNoteView::OnDestroy()
{
    Log(GetDocument() ? GetDocument()->GetTitle() : CString("?"), "ViewDestroyed");
    CView::OnDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// CNoteForm

IMPLEMENT_DYNCREATE(CNoteForm, CFormView)

CNoteForm::CNoteForm() : CFormView(IDD_TEST_FORM) {}

void CNoteForm::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEST_FORM_TEXT, static_cast<CNoteDoc*>(GetDocument())->m_text);
}

void CNoteForm::OnInitialUpdate()
{
    m_nInitialUpdates++;
    CFormView::OnInitialUpdate();
}

IMPLEMENT_DYNCREATE(CNoteFrame, CMDIChildWnd)

/////////////////////////////////////////////////////////////////////////////
// CTestBar

BOOL CTestBar::Create(CWnd* pParent, DWORD dwBarStyle, UINT nID)
{
    m_dwStyle = dwBarStyle & CBRS_ALL;
    SetBorders(0, 0, 0, 0);
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
}

CSize CTestBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bHorz)
        return CSize(bStretch ? 32767 : 100, m_nThickness);
    return CSize(m_nThickness, bStretch ? 32767 : 100);
}

void CTestBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    m_nUpdates++;
    m_pLastTarget = pTarget;
}

/////////////////////////////////////////////////////////////////////////////
// CTestMainFrame and the application

BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_TEST_FRAME, OnTestFrame)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDocTestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

int CDocTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    m_prompts.push_back(lpszPrompt ? lpszPrompt : "");
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << (lpszPrompt ? lpszPrompt : "");
        return IDCANCEL;
    }
    int nAnswer = m_answers.front();
    m_answers.pop_front();
    return nAnswer;
}

/////////////////////////////////////////////////////////////////////////////
// DocViewTest

void DocViewTest::SetUp()
{
    dvtest::g_log.clear();
    theApp.m_answers.clear();
    theApp.m_prompts.clear();
    CNoteView::s_pLastWho = nullptr;
    CNoteView::s_nFirstUpdateShow = 0;
    CNoteDoc::s_pLastCommandDoc = nullptr;
    delete theApp.m_pRecentFileList;
    theApp.m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4);

    m_pTemplate = new CMultiDocTemplate(IDR_TEST_NOTE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CNoteFrame),
                                        RUNTIME_CLASS(CNoteView));
    theApp.AddDocTemplate(m_pTemplate);

    m_pMain = new CTestMainFrame;
    ASSERT_TRUE(m_pMain->LoadFrame(IDR_TEST_MAINFRAME));
    m_hWndMain = m_pMain->m_hWnd;
    theApp.m_pMainWnd = m_pMain;
    m_pMain->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE);
    m_pMain->ShowWindow(SW_SHOW);
    m_pMain->UpdateWindow();
    dvtest::Pump();

    m_dir = kvtest::ScratchDir(std::string("docview_") +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

void DocViewTest::TearDown()
{
    // Whatever the test left open closes without questions.
    if (::IsWindow(m_hWndMain)) {
        POSITION pos = theApp.GetFirstDocTemplatePosition();
        while (pos != nullptr) {
            CDocTemplate* pTemplate = theApp.GetNextDocTemplate(pos);
            POSITION posDoc = pTemplate->GetFirstDocPosition();
            while (posDoc != nullptr)
                pTemplate->GetNextDoc(posDoc)->SetModifiedFlag(FALSE);
        }
        theApp.CloseAllDocuments(FALSE);
        ::DestroyWindow(m_hWndMain);
    }
    dvtest::Pump();
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    delete theApp.m_pDocManager;
    theApp.m_pDocManager = nullptr;
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(CNoteDoc::s_nLive, 0) << "documents left behind";
    EXPECT_EQ(CNoteView::s_nLive, 0) << "views left behind";
    EXPECT_TRUE(theApp.m_answers.empty()) << "message boxes that never came";
    theApp.m_answers.clear();
}

std::string DocViewTest::NoteFile(const char* name, const char* text)
{
    std::string path = m_dir + "\\" + name;
    dvtest::WriteNote(path, text);
    return path;
}

CNoteDoc* DocViewTest::Open(const std::string& path)
{
    CDocument* pDoc = theApp.OpenDocumentFile(path.c_str());
    return pDoc != nullptr ? DYNAMIC_DOWNCAST(CNoteDoc, pDoc) : nullptr;
}

CNoteDoc* DocViewTest::NewNote()
{
    CDocument* pDoc = m_pTemplate->OpenDocumentFile(nullptr);
    return pDoc != nullptr ? DYNAMIC_DOWNCAST(CNoteDoc, pDoc) : nullptr;
}

CNoteView* DocViewTest::FirstView(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    return pos != nullptr ? DYNAMIC_DOWNCAST(CNoteView, pDoc->GetNextView(pos)) : nullptr;
}

CFrameWnd* DocViewTest::FrameOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    return pos != nullptr ? pDoc->GetNextView(pos)->GetParentFrame() : nullptr;
}

int DocViewTest::DocumentCount() const
{
    return theApp.GetOpenDocumentCount();
}

int DocViewTest::ChildWindowCount() const
{
    int n = 0;
    for (HWND h = ::GetWindow(m_pMain->m_hWndMDIClient, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        n++;
    return n;
}
