// The workbook frame and its worksheets: the strip follows the sheets, the
// client gives up room for it by style, a click on a tab activates its
// sheet, hidden sheets take no place, the active tab follows activation,
// tool tips show only clipped texts, the sheets' icons, and the tabs' look.
#include <gtest/gtest.h>
#include "frame/workbook/OZWWorkbookWnd.h"
#include "frame/workbook/OZWWorksheetWnd.h"
#include "tests/frame/workbook/WorkbookTestApp.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/TestSupport.h"

#include <memory>
#include <vector>

namespace {

// A worksheet that counts the activations its tab sends it.
class CTestSheet : public OZWWorksheetWnd
{
public:
    int mouseActivates = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSEACTIVATE)
            ++mouseActivates;
        return OZWWorksheetWnd::WindowProc(message, wParam, lParam);
    }
};

// The frame's protected parts the tests look at.
class CTestWorkbook : public OZWWorkbookWnd
{
public:
    using OZWWorkbookWnd::GetMDIClientRect;
};

class WorkbookTest : public wbtest::MainFrameTest<CTestWorkbook>
{
protected:
    void SetUp() override { MakeFrame(800, 600); }
    CTestSheet* NewSheet(UINT nID = IDR_WB_PLAIN, LPCSTR lpszTitle = nullptr)
    {
        auto* pSheet = new CTestSheet;
        EXPECT_TRUE(pSheet->LoadFrame(nID, WS_OVERLAPPEDWINDOW | WS_VISIBLE, m_pFrame));
        if (lpszTitle != nullptr)
            pSheet->SetWindowText(lpszTitle);
        kvtest::PumpMessages();
        return pSheet;
    }
    std::vector<POINT> Tab(OZWWorksheetWnd* pSheet)
    {
        POINT* pts = nullptr;
        int nCount = 0;
        m_pFrame->GetTabPolygon(pSheet, &pts, &nCount);
        std::vector<POINT> points(pts, pts + nCount);
        delete[] pts;
        return points;
    }
    // A point in the middle of the sheet's tab.
    CPoint InTab(OZWWorksheetWnd* pSheet)
    {
        const std::vector<POINT> p = Tab(pSheet);
        return CPoint((p[0].x + p[4].x) / 2, p[0].y + 8);
    }
    void Click(CPoint point)
    {
        m_pFrame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }
    void Release(CPoint point)
    {
        m_pFrame->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    int ClientWidth() { return m_pFrame->GetMDIClientRect().Width(); }
};

} // namespace

TEST_F(WorkbookTest, SheetsJoinAndLeaveTheStripInOrder)
{
    m_pFrame->ShowTabs(TRUE);
    std::vector<CTestSheet*> sheets;
    for (int i = 0; i < 10; ++i)
        sheets.push_back(NewSheet());
    ASSERT_EQ(m_pFrame->GetSheetCount(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(m_pFrame->GetSheet(i), sheets[i]);
        EXPECT_EQ(sheets[i]->m_nIndex, i);
    }
    // The client's width shared out, below the maximum of 90.
    ASSERT_LT((ClientWidth() + 5) / 10, 90);
    EXPECT_EQ(m_pFrame->m_nTabWidth, (ClientWidth() + 5) / 10);

    sheets[3]->DestroyWindow();
    kvtest::PumpMessages();
    ASSERT_EQ(m_pFrame->GetSheetCount(), 9);
    EXPECT_EQ(m_pFrame->GetSheet(3), sheets[4]);
    EXPECT_EQ(sheets[9]->m_nIndex, 8);
    EXPECT_EQ(m_pFrame->m_nTabWidth, (ClientWidth() + 5) / 9);

    // Sheets added while the tabs are hidden share the narrower client of
    // the shown strip once it shows again.
    m_pFrame->ShowTabs(FALSE);
    sheets.push_back(NewSheet());
    m_pFrame->ShowTabs(TRUE);
    EXPECT_EQ(m_pFrame->m_nTabWidth, (ClientWidth() + 5) / 10);
    sheets.back()->DestroyWindow();
    sheets.pop_back();

    for (int i : {0, 1, 2, 4, 5, 6, 7})
        sheets[i]->DestroyWindow();
    kvtest::PumpMessages();
    ASSERT_EQ(m_pFrame->GetSheetCount(), 2);
    EXPECT_EQ(m_pFrame->m_nTabWidth, 90);
    EXPECT_EQ(sheets[9]->m_nIndex, 1);
}

TEST_F(WorkbookTest, TheClientGivesUpRoomForTheStripByStyle)
{
    struct Case
    {
        BOOL show, flat;
        int left, top, right, bottom;
    } cases[] = {
        {TRUE, FALSE, 13, 13, 13, 33},
        {TRUE, TRUE, 3, 3, 5, 30},
        {FALSE, FALSE, 0, 0, 0, 0},
        {FALSE, TRUE, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        m_pFrame->ShowTabs(c.show);
        m_pFrame->SetTabStyle(c.flat);
        CRect rectFree;
        m_pFrame->GetClientRect(&rectFree);
        const CRect client = m_pFrame->GetMDIClientRect();
        EXPECT_EQ(client.left - rectFree.left, c.left) << c.show << c.flat;
        EXPECT_EQ(client.top - rectFree.top, c.top) << c.show << c.flat;
        EXPECT_EQ(rectFree.right - client.right, c.right) << c.show << c.flat;
        EXPECT_EQ(rectFree.bottom - client.bottom, c.bottom) << c.show << c.flat;
        EXPECT_EQ(OZWWorkbookWnd::IsClassicTabsShown(), c.show && !c.flat);
        CRect rectStrip;
        m_pFrame->GetTabStripRect(&rectStrip);
        EXPECT_EQ(rectStrip, rectFree);
    }
}

TEST_F(WorkbookTest, AClickOnATabActivatesItsSheet)
{
    m_pFrame->ShowTabs(TRUE);
    CTestSheet* pFirst = NewSheet(IDR_WB_PLAIN, "First");
    CTestSheet* pSecond = NewSheet(IDR_WB_PLAIN, "Second");
    ASSERT_EQ(m_pFrame->MDIGetActive(), pSecond);

    const CPoint point = InTab(pFirst);
    Click(point);
    EXPECT_EQ(pFirst->mouseActivates, 1);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
    EXPECT_TRUE(pFirst->m_bPressed);
    Release(point);
    EXPECT_FALSE(pFirst->m_bPressed);

    // The active tab: nothing but the default handling.
    Click(InTab(pFirst));
    Release(InTab(pFirst));
    EXPECT_EQ(pFirst->mouseActivates, 1);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);

    // Below the tabs, and with the tabs hidden, a click activates nothing.
    const CPoint secondTab = InTab(pSecond);
    Click(CPoint(secondTab.x, secondTab.y + 40));
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
    m_pFrame->ShowTabs(FALSE);
    Click(InTab(pSecond));
    EXPECT_EQ(pSecond->mouseActivates, 0);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
}

TEST_F(WorkbookTest, AHiddenSheetTakesNoPlaceInTheStrip)
{
    m_pFrame->ShowTabs(TRUE);
    CTestSheet* pFirst = NewSheet();
    CTestSheet* pSecond = NewSheet();
    CTestSheet* pThird = NewSheet();
    const CRect client = m_pFrame->GetMDIClientRect();
    EXPECT_EQ(Tab(pSecond)[0].x, client.left + m_pFrame->m_nTabWidth);

    const CPoint firstPlace = InTab(pFirst);
    pFirst->ShowWindow(SW_HIDE);
    kvtest::PumpMessages();
    // The second tab moves left by one tab; a click on the first place is
    // now a click on it.
    EXPECT_EQ(Tab(pSecond)[0].x, client.left);
    EXPECT_EQ(m_pFrame->SheetFromPoint(firstPlace, FALSE), pSecond);
    m_pFrame->MDIActivate(pThird);
    Click(firstPlace);
    Release(firstPlace);
    EXPECT_EQ(pFirst->mouseActivates, 0);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pSecond);
}

TEST_F(WorkbookTest, TheActiveTabFollowsActivation)
{
    // Sheets with and without a shared menu: the change reaches the frame
    // through the menu the client puts up, or through the sheet itself.
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_WB_MENU_A));
    CTestSheet* pPlain = NewSheet();
    CTestSheet* pWithMenu = NewSheet();
    pWithMenu->m_hMenuShared = menu.m_hMenu;
    CTestSheet* pLast = NewSheet();
    EXPECT_EQ(m_pFrame->m_nLastActiveSheet, 2);
    struct Case
    {
        CTestSheet* pSheet;
        int expected;
    } cases[] = {{pPlain, 0}, {pWithMenu, 1}, {pLast, 2}, {pWithMenu, 1}};
    for (const Case& c : cases) {
        m_pFrame->MDIActivate(c.pSheet);
        kvtest::PumpMessages();
        EXPECT_EQ(m_pFrame->m_nLastActiveSheet, c.expected);
    }
    // The active tab's index follows the sheets that go before it.
    pPlain->DestroyWindow();
    kvtest::PumpMessages();
    EXPECT_EQ(m_pFrame->GetSheet(m_pFrame->m_nLastActiveSheet), m_pFrame->MDIGetActive());
    pWithMenu->m_hMenuShared = nullptr;
}

TEST_F(WorkbookTest, ANewTitleInTheBackgroundLeavesTheActiveSheetsMenu)
{
    CMenu menuA, menuB;
    ASSERT_TRUE(menuA.LoadMenu(IDR_WB_MENU_A));
    ASSERT_TRUE(menuB.LoadMenu(IDR_WB_MENU_B));
    CTestSheet* pA = NewSheet();
    pA->m_hMenuShared = menuA.m_hMenu;
    CTestSheet* pB = NewSheet();
    pB->m_hMenuShared = menuB.m_hMenu;
    m_pFrame->MDIActivate(pA);
    m_pFrame->MDIActivate(pB);
    kvtest::PumpMessages();
    ASSERT_EQ(::GetMenu(m_hWnd), menuB.m_hMenu);

    pA->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(::GetMenu(m_hWnd), menuB.m_hMenu);
    pB->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(::GetMenu(m_hWnd), menuB.m_hMenu);

    // The frame goes before the menus do.
    ::DestroyWindow(m_hWnd);
    kvtest::PumpMessages();
}

TEST_F(WorkbookTest, ToolTipsShowOnlyTextsThatDoNotFit)
{
    m_pFrame->ShowTabs(TRUE);
    const char* kLong = "Pipes and fittings of the southern field, second part";
    CTestSheet* pShort = NewSheet(IDR_WB_PLAIN, "A");
    CTestSheet* pLong = NewSheet(IDR_WB_PLAIN, kLong);
    EXPECT_TRUE(m_pFrame->IsTabTextFit(pShort));
    EXPECT_FALSE(m_pFrame->IsTabTextFit(pLong));

    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(m_pFrame->OnToolHitTest(InTab(pShort), &ti), -1);
    ASSERT_EQ(m_pFrame->OnToolHitTest(InTab(pLong), &ti), 2);
    EXPECT_EQ(ti.hwnd, m_hWnd);
    EXPECT_EQ(ti.uId, 2u);
    EXPECT_STREQ(ti.lpszText, kLong);
    const std::vector<POINT> p = Tab(pLong);
    EXPECT_EQ(ti.rect.left, p[0].x);
    EXPECT_EQ(ti.rect.top, p[0].y);
    EXPECT_EQ(m_pFrame->OnToolHitTest(CPoint(5, 5), &ti), -1);
    ASSERT_NE(m_pFrame->GetToolTip(), nullptr);
    EXPECT_TRUE(::IsWindow(m_pFrame->GetToolTip()->m_hWnd));
}

TEST_F(WorkbookTest, SheetsOwnTheIconsOfTheirTabs)
{
    CTestSheet* pWithIcon = NewSheet(IDR_WB_SHEET);
    CTestSheet* pPlain = NewSheet(IDR_WB_PLAIN);
    ASSERT_NE(pWithIcon->m_hIcon, nullptr);
    EXPECT_EQ(pPlain->m_hIcon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(pWithIcon->m_hIcon, &info));
    BITMAP bm = {};
    ::GetObject(info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);

    EXPECT_EQ(m_pFrame->GetSheetIcon(pWithIcon), pWithIcon->m_hIcon);
    m_pFrame->ShowIcons(FALSE);
    EXPECT_EQ(m_pFrame->GetSheetIcon(pWithIcon), nullptr);
    m_pFrame->ShowIcons(TRUE);

    // A new icon replaces the loaded one, which goes; the sheet's own icon
    // goes with the sheet.
    HICON hLoaded = pWithIcon->m_hIcon;
    HICON hNew = ::CopyIcon(hLoaded);
    ASSERT_NE(hNew, nullptr);
    m_pFrame->SetSheetIcon(pWithIcon, hNew, TRUE);
    EXPECT_EQ(pWithIcon->m_hIcon, hNew);
    EXPECT_FALSE(::GetIconInfo(hLoaded, &info));
    pWithIcon->DestroyWindow();
    kvtest::PumpMessages();
    EXPECT_FALSE(::GetIconInfo(hNew, &info));
}

TEST_F(WorkbookTest, TabsAreDrawnInEachStyle)
{
    m_pFrame->ShowTabs(TRUE);
    CTestSheet* pFirst = NewSheet();
    CTestSheet* pActive = NewSheet();
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    kvtest::MemoryBitmap canvas(rectFrame.Width(), rectFrame.Height());
    const COLORREF kPaper = RGB(12, 34, 56);
    const COLORREF face = ::GetSysColor(COLOR_3DFACE), shadow = ::GetSysColor(COLOR_3DSHADOW);

    // Classic: filled with the face colour, a black right edge.
    canvas.Fill(kPaper);
    std::vector<POINT> p = Tab(pFirst);
    m_pFrame->DrawTab(canvas.DC(), pFirst);
    EXPECT_EQ(::GetPixel(canvas.hdc(), (p[0].x + p[4].x) / 2, p[0].y + 8), face);
    EXPECT_EQ(::GetPixel(canvas.hdc(), p[5].x - 1, p[0].y + 8), RGB(0, 0, 0));

    // Flat: an inactive tab is only a separator at its right end.
    m_pFrame->SetTabStyle(TRUE);
    canvas.Fill(kPaper);
    p = Tab(pFirst);
    m_pFrame->DrawTab(canvas.DC(), pFirst);
    EXPECT_EQ(::GetPixel(canvas.hdc(), (p[0].x + p[4].x) / 2, p[0].y + 8), kPaper);
    EXPECT_EQ(::GetPixel(canvas.hdc(), p[4].x - 1, p[0].y + 8), shadow);
    // The active one is filled.
    p = Tab(pActive);
    m_pFrame->DrawTab(canvas.DC(), pActive);
    EXPECT_NE(::GetPixel(canvas.hdc(), (p[0].x + p[4].x) / 2, p[0].y + 8), kPaper);
}

TEST_F(WorkbookTest, AWorksheetInAnotherFrameIsAPlainChild)
{
    auto* pFrame = new OZWMDIFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_WB_MAIN));
    auto* pSheet = new OZWWorksheetWnd;
    ASSERT_TRUE(pSheet->LoadFrame(IDR_WB_SHEET, WS_OVERLAPPEDWINDOW | WS_VISIBLE, pFrame));
    EXPECT_EQ(pSheet->GetWorkbook(), nullptr);
    EXPECT_NE(pSheet->m_hIcon, nullptr);
    pFrame->DestroyWindow();
    kvtest::PumpMessages();
}

TEST_F(WorkbookTest, APressInsideASheetActivatesIt)
{
    CTestSheet* pFirst = NewSheet();
    CTestSheet* pSecond = NewSheet();
    // A document frame docked in the workbook has the activation.
    auto* pDocked = new CFrameWnd;
    ASSERT_TRUE(pDocked->Create(nullptr, "Docked", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), m_pFrame));
    m_pFrame->ActivateDockedFrame(pDocked, FALSE);
    ASSERT_EQ(m_pFrame->GetActiveFrame(), pDocked);

    // A press on a window inside the first sheet.
    pFirst->SendMessage(WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), MAKELPARAM(5, 5));
    EXPECT_EQ(m_pFrame->GetActiveDockedChild(), nullptr);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
    EXPECT_EQ(m_pFrame->m_nLastActiveSheet, 0);
    // Other notices change nothing.
    pSecond->SendMessage(WM_PARENTNOTIFY, MAKEWPARAM(WM_MOUSEMOVE, 0), MAKELPARAM(5, 5));
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
    pSecond->SendMessage(WM_PARENTNOTIFY, MAKEWPARAM(WM_RBUTTONDOWN, 0), MAKELPARAM(5, 5));
    EXPECT_EQ(m_pFrame->MDIGetActive(), pSecond);
}

TEST_F(WorkbookTest, TheStripIsPaintedAroundTheClientOnly)
{
    m_pFrame->ShowTabs(TRUE);
    NewSheet();
    CTestSheet* pActive = NewSheet();
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    kvtest::MemoryBitmap canvas(rectFrame.Width(), rectFrame.Height());
    const COLORREF kPaper = RGB(12, 34, 56);
    for (BOOL bFlat : {FALSE, TRUE}) {
        m_pFrame->SetTabStyle(bFlat);
        canvas.Fill(kPaper);
        m_pFrame->PaintStrip(canvas.DC());
        const CRect client = m_pFrame->GetMDIClientRect();
        const CPoint centre = client.CenterPoint();
        // The MDI client paints itself; around it the strip is painted.
        EXPECT_EQ(::GetPixel(canvas.hdc(), centre.x, centre.y), kPaper) << bFlat;
        EXPECT_NE(::GetPixel(canvas.hdc(), client.left - 2, centre.y), kPaper) << bFlat;
        // The active tab lies on top, filled.
        const std::vector<POINT> p = Tab(pActive);
        EXPECT_NE(::GetPixel(canvas.hdc(), (p[0].x + p[4].x) / 2, p[0].y + 8), kPaper) << bFlat;
    }
}
