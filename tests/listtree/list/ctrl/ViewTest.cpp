// The list view in a frame: made by its run-time class, printing laid out
// page by page, the print preview (with a stand-in printer: a memory DC the
// size of the screen), and no printer at all.
#include "listtree/list/ctrl/ListView.h"
#include "platform/framework/docview/PrintPreview.h"
#include "tests/listtree/list/ctrl/ListWindowFixture.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxWatcher.h"

using namespace lctest;

namespace {

// A report list view that can stand a memory DC in for the printer.
class CTestListView : public OZWListView
{
    DECLARE_DYNCREATE(CTestListView)
public:
    static bool s_bStandInPrinter;
    static DWORD s_dwDialogFlags;
    int m_nThemeCalls = 0;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.style |= OZWLS_REPORT;
        return OZWListView::PreCreateWindow(cs);
    }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        const BOOL bPrinter = OZWListView::OnPreparePrinting(pInfo);
        s_dwDialogFlags = pInfo->m_pd.Flags;
        if (bPrinter || !s_bStandInPrinter)
            return bPrinter;
        HDC hScreen = ::GetDC(nullptr);
        pInfo->m_pd.hDC = ::CreateCompatibleDC(hScreen);
        ::ReleaseDC(nullptr, hScreen);
        return TRUE;
    }
    LRESULT OnThemeChanged(WPARAM, LPARAM) override
    {
        ++m_nThemeCalls;
        return 0;
    }
};
IMPLEMENT_DYNCREATE(CTestListView, OZWListView)
bool CTestListView::s_bStandInPrinter = false;
DWORD CTestListView::s_dwDialogFlags = 0;

class CCountingListCtrl : public OZWListCtrl
{
public:
    int m_nThemeCalls = 0;
    LRESULT OnThemeChanged(WPARAM, LPARAM) override
    {
        ++m_nThemeCalls;
        return 0;
    }
};

class ListViewTest : public ::testing::Test
{
protected:
    CFrameWnd* frame = nullptr;
    CTestListView* view = nullptr;

    void SetUp() override
    {
        CTestListView::s_bStandInPrinter = false;
        frame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestListView);
        ASSERT_TRUE(frame->Create(nullptr, "List view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400),
                                  nullptr, nullptr, 0, &context));
        view = static_cast<CTestListView*>(frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
        ASSERT_NE(nullptr, view);
        frame->SetActiveView(view);
        frame->RecalcLayout();
        view->AddColumn("Name", LVCFMT_LEFT, 200);
        view->AddColumn("Size", LVCFMT_RIGHT, 100);
    }
    void TearDown() override
    {
        if (frame != nullptr && ::IsWindow(frame->m_hWnd))
            frame->DestroyWindow(); // deletes the frame and its views
        kvtest::PumpMessages();
    }
    void Fill(int nCount)
    {
        view->DeleteAllItems();
        for (int i = 0; i < nCount; ++i)
            view->InsertItem(i, ("Row " + std::to_string(i)).c_str());
        view->RecalcLayout();
    }
    // A print job on the stand-in printer, as the preview runs it.
    struct Job
    {
        CDC dc;
        CPrintInfo info;
        Job()
        {
            HDC hScreen = ::GetDC(nullptr);
            dc.Attach(::CreateCompatibleDC(hScreen));
            ::ReleaseDC(nullptr, hScreen);
            dc.m_bPrinting = TRUE;
            info.m_bPreview = TRUE;
        }
    };
    // Rows of a page: the page (the screen's height) less the header.
    int RowsPerPage(int nRowHeight)
    {
        return (::GetSystemMetrics(SM_CYSCREEN) - view->GetHeaderHeight() + 1) / nRowHeight;
    }
    int PreviewPages(int nCount)
    {
        Fill(nCount);
        Job job;
        view->OnBeginPrinting(&job.dc, &job.info);
        const int nPages = (int)job.info.GetMaxPage();
        view->OnEndPrinting(&job.dc, &job.info);
        return nPages;
    }
    int PrintRowHeight()
    {
        Fill(1);
        Job job;
        view->OnBeginPrinting(&job.dc, &job.info);
        const int h = view->GetItemRecord(0)->m_nHeight;
        view->OnEndPrinting(&job.dc, &job.info);
        return h;
    }
};

} // namespace

TEST(ListForms, RunTimeClasses)
{
    EXPECT_STREQ("OZWListView", RUNTIME_CLASS(OZWListView)->m_lpszClassName);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(OZWListView)->m_wSchema);
    EXPECT_TRUE(RUNTIME_CLASS(OZWListView)->IsDerivedFrom(RUNTIME_CLASS(CView)));
    CObject* pMade = RUNTIME_CLASS(OZWListView)->CreateObject();
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(OZWListView, pMade));
    delete pMade;
    EXPECT_STREQ("OZWListCtrl", RUNTIME_CLASS(OZWListCtrl)->m_lpszClassName);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(OZWListCtrl)->CreateObject());
}

TEST_F(ListViewTest, AViewBehavesAsTheControl)
{
    Fill(30);
    EXPECT_EQ((DWORD)OZWLS_REPORT, view->GetListStyle() & OZWLS_VIEWMASK);
    EXPECT_EQ(0u, view->GetStyle() & OZWLS_WINDOWMASK);
    EXPECT_TRUE(view->GetScrollState() & OZWSB_VERTSHOWN);
    view->SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(1, view->GetFocusItem());
    CRect rc;
    view->GetItemRect(3, &rc, 2);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left + 2, rc.top + 2));
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.left + 2, rc.top + 2));
    EXPECT_EQ(std::vector<int>{ 3 }, view->GetSelection());
}

TEST_F(ListViewTest, ThemeChangesReachTheHookOnceInAViewAndTwiceInAControl)
{
    view->SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(1, view->m_nThemeCalls);
    CCountingListCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(WS_CHILD | OZWLS_REPORT, CRect(0, 0, 50, 50), frame, 9));
    ctrl.SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(2, ctrl.m_nThemeCalls);
    ctrl.DestroyWindow();
}

TEST_F(ListViewTest, PagesOfAPreview)
{
    const int h = PrintRowHeight();
    ASSERT_GT(h, 0);
    const int n = RowsPerPage(h);
    ASSERT_GT(n, 2);
    EXPECT_EQ(1, PreviewPages(0)) << "an empty list prints one page";
    EXPECT_EQ(1, PreviewPages(n));
    EXPECT_EQ(3, PreviewPages(3 * n)) << "exactly three pages full";
    EXPECT_EQ(4, PreviewPages(3 * n + 1));
}

TEST_F(ListViewTest, PagesAreLaidOutInAnyOrderAndTheViewIsGivenBack)
{
    const int h = PrintRowHeight();
    const int n = RowsPerPage(h);
    Fill(5 * n);
    view->SetTopIndex(7);
    CFont* pFont = view->GetItemFontPointer();
    Job job;
    view->OnBeginPrinting(&job.dc, &job.info);
    EXPECT_TRUE(view->m_bPrinting);
    EXPECT_EQ(&view->m_fontPrintItem, view->GetItemFontPointer());
    EXPECT_EQ(0, view->GetTopIndex());
    EXPECT_TRUE(view->GotoPrintPage(3, &job.dc));
    EXPECT_EQ(2 * n, view->GetTopIndex());
    EXPECT_TRUE(view->GotoPrintPage(2, &job.dc));
    EXPECT_EQ(n, view->GetTopIndex());
    EXPECT_FALSE(view->GotoPrintPage(7, &job.dc)) << "past the last page";
    // A page is drawn on the printer's DC from its first row.
    job.info.m_nCurPage = 2;
    view->OnPrepareDC(&job.dc, &job.info);
    EXPECT_EQ(MM_ANISOTROPIC, job.dc.GetMapMode());
    view->OnPrint(&job.dc, &job.info);
    view->OnEndPrinting(&job.dc, &job.info);
    EXPECT_FALSE(view->m_bPrinting);
    EXPECT_EQ(7, view->GetTopIndex());
    EXPECT_EQ(pFont, view->GetItemFontPointer());
    EXPECT_EQ(nullptr, view->m_fontPrintItem.m_hObject);
    EXPECT_FALSE(view->DeletePrintFonts()) << "no fonts left to delete";
}

TEST_F(ListViewTest, APrintedPageEndsWithItsLastWholeRow)
{
    const int h = PrintRowHeight();
    const int n = RowsPerPage(h);
    Fill(3 * n);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    kvtest::MemoryBitmap page(cx, cy);
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = page.hdc();
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    info.m_bPreview = TRUE;
    page.DC()->FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    view->OnBeginPrinting(&dc, &info);
    info.m_nCurPage = 1;
    view->OnPrepareDC(&dc, &info);
    view->OnPrint(&dc, &info);
    view->OnEndPrinting(&dc, &info);
    dc.m_hDC = dc.m_hAttribDC = nullptr;
    const int nTop = view->GetHeaderHeight();
    const CRect lastRow(0, nTop + (n - 1) * h, cx, nTop + n * h);
    const CRect below(0, nTop + n * h, cx, cy);
    EXPECT_LT(page.Count(lastRow, RGB(255, 255, 255)), lastRow.Width() * lastRow.Height()) << "the last whole row";
    EXPECT_EQ(below.Width() * below.Height(), page.Count(below, RGB(255, 255, 255))) << "no part of the next row";
}

TEST_F(ListViewTest, ARowTallerThanThePageGetsAPageOfItsOwn)
{
    view->SetLabelWrap(TRUE);
    Fill(3);
    std::string tall;
    for (int i = 0; i < 400; ++i)
        tall += "line\n";
    view->SetItemText(0, 0, tall.c_str());
    Job job;
    view->OnBeginPrinting(&job.dc, &job.info);
    EXPECT_EQ(2u, job.info.GetMaxPage());
    view->OnEndPrinting(&job.dc, &job.info);
}

TEST_F(ListViewTest, PreviewShowsThePagesInPlaceOfTheView)
{
    const int h = PrintRowHeight();
    Fill(2 * RowsPerPage(h) + 3);
    CTestListView::s_bStandInPrinter = true;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ((DWORD)(PD_NOPAGENUMS | PD_NOSELECTION), CTestListView::s_dwDialogFlags & (PD_NOPAGENUMS | PD_NOSELECTION));
    auto* preview = DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView());
    ASSERT_NE(nullptr, preview);
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_EQ(preview->m_hWnd, ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(3u, preview->GetPageCount());
    EXPECT_EQ(1u, preview->GetCurrentPage());
    // The page shows white with the rows' text on it.
    CRect client;
    preview->GetClientRect(&client);
    kvtest::MemoryBitmap bitmap(client.Width(), client.Height());
    preview->OnDraw(bitmap.DC());
    const CRect page = preview->GetPageRect();
    ASSERT_FALSE(page.IsRectEmpty());
    EXPECT_EQ(RGB(255, 255, 255), bitmap.At(page.right - 3, page.bottom - 3));
    const int nWhite = bitmap.Count(page, RGB(255, 255, 255));
    EXPECT_LT(nWhite, page.Width() * page.Height()) << "something is drawn on the page";
    EXPECT_NE(RGB(255, 255, 255), bitmap.At(client.right - 2, client.bottom - 2)) << "around the page";

    preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(3u, preview->GetCurrentPage());
    EXPECT_NE(nullptr, preview->GetPagePicture(3));
    preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(2u, preview->GetCurrentPage());
    preview->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    kvtest::PumpMessages();
    EXPECT_EQ(view, frame->GetActiveView());
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_EQ(view->m_hWnd, ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
    EXPECT_FALSE(view->m_bPrinting);
}

TEST_F(ListViewTest, WithoutAPrinterThePreviewSaysSo)
{
    Fill(10);
    kvtest::MessageBoxWatcher boxes;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("printer"));
    EXPECT_EQ(view, frame->GetActiveView());
    EXPECT_FALSE(view->m_bPrinting);
}

TEST_F(ListViewTest, AListControlDoesNotTakePrintCommands)
{
    kvtest::MessageBoxWatcher boxes;
    OZWListCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(WS_CHILD | OZWLS_REPORT, CRect(0, 0, 50, 50), frame, 9));
    EXPECT_FALSE(ctrl.OnCmdMsg(ID_FILE_PRINT, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(ctrl.OnCmdMsg(ID_FILE_PRINT_PREVIEW, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(view->OnCmdMsg(ID_FILE_PRINT_PREVIEW, CN_COMMAND, nullptr, nullptr) ||
                boxes.Texts().size() == 1u);
    ctrl.DestroyWindow();
}

TEST_F(ListViewTest, ClosingTheFrameDuringAPreviewEndsTheJob)
{
    Fill(50);
    CTestListView::s_bStandInPrinter = true;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()));
    EXPECT_TRUE(view->m_bPrinting);
    frame->DestroyWindow();
    frame = nullptr;
    kvtest::PumpMessages();
}
