// The worksheet that holds a control bar floated into a workbook: it shows
// the bar with its title and icon in the strip, gives the bar its size and
// place, and closing it hands the bar back hidden.
#include <gtest/gtest.h>
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/workbook/OZWControlBarWorksheet.h"
#include "frame/workbook/OZWWorkbookWnd.h"
#include "platform/theme/ThemeLib.h"
#include "tests/frame/workbook/WorkbookTestApp.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

// A bar that records the layouts committed to it.
class CRecordingBar : public OZWControlBar
{
public:
    std::vector<std::pair<int, DWORD>> commits;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        if (dwMode & LM_COMMIT)
            commits.emplace_back(nLength, dwMode);
        return OZWControlBar::CalcDynamicLayout(nLength, dwMode);
    }
};

class ControlBarWorksheetTest : public wbtest::MainFrameTest<OZWWorkbookWnd>
{
protected:
    std::vector<std::unique_ptr<CRecordingBar>> m_bars;

    void SetUp() override
    {
        MakeFrame(900, 700);
        OZWFrameDocking::EnableDocking(m_pFrame, CBRS_ALIGN_ANY);
        m_pFrame->ShowTabs(TRUE);
    }
    void TearDown() override
    {
        wbtest::MainFrameTest<OZWWorkbookWnd>::TearDown();
        m_bars.clear();
    }
    // A bar docked at the top of the workbook.
    CRecordingBar* NewBar(LPCSTR lpszTitle)
    {
        m_bars.push_back(std::make_unique<CRecordingBar>());
        CRecordingBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->Create(m_pFrame, lpszTitle, WS_CHILD | WS_VISIBLE | CBRS_SIZE_DYNAMIC | CBRS_TOP, 0,
                                 0xE900 + (UINT)m_bars.size()));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        OZWFrameDocking::DockControlBar(m_pFrame, pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
        m_pFrame->RecalcLayout();
        kvtest::PumpMessages();
        return pBar;
    }
    // The bar floated into a worksheet of its own, shown.
    OZWControlBarWorksheet* FloatInSheet(CControlBar* pBar)
    {
        auto* pSheet = dynamic_cast<OZWControlBarWorksheet*>(m_pFrame->CreateMDIFloatingFrame(CBRS_ALIGN_TOP));
        EXPECT_NE(pSheet, nullptr);
        if (pSheet == nullptr)
            return nullptr;
        EXPECT_EQ(pSheet->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT), &pSheet->GetDockBar());
        pSheet->GetDockBar().DockControlBar(pBar, nullptr);
        pSheet->RecalcLayout();
        pSheet->ShowWindow(SW_SHOW);
        kvtest::PumpMessages();
        return pSheet;
    }
    OZWWorksheetWnd* NewPlainSheet()
    {
        auto* pSheet = new OZWWorksheetWnd;
        EXPECT_TRUE(pSheet->LoadFrame(IDR_WB_PLAIN, WS_OVERLAPPEDWINDOW | WS_VISIBLE, m_pFrame));
        kvtest::PumpMessages();
        return pSheet;
    }
};

} // namespace

TEST_F(ControlBarWorksheetTest, AFloatedBarIsTheContentOfItsSheet)
{
    CRecordingBar* pBar = NewBar("Curve Fit");
    OZWControlBarWorksheet* pSheet = FloatInSheet(pBar);
    ASSERT_NE(pSheet, nullptr);
    EXPECT_EQ(pSheet->GetHostedBar(), pBar);
    EXPECT_EQ(pSheet->GetWorkbook(), m_pFrame);
    ASSERT_EQ(m_pFrame->GetSheetCount(), 1);
    EXPECT_EQ(m_pFrame->GetSheet(0), pSheet);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pSheet);
    EXPECT_EQ(pSheet->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    CString strText;
    pSheet->GetWindowText(strText);
    EXPECT_STREQ(strText, "Curve Fit");
    EXPECT_STREQ(m_pFrame->GetTabText(pSheet), "Curve Fit");
    // A bar without an icon: the tab shows the system's window icon.
    EXPECT_NE(pSheet->m_hIcon, nullptr);
}

TEST_F(ControlBarWorksheetTest, TheTabShowsACopyOfTheBarsIcon)
{
    CRecordingBar* pBar = NewBar("Curve Fit");
    HICON hBarIcon = ::CopyIcon(::LoadIcon(nullptr, IDI_APPLICATION));
    pBar->SetIcon(hBarIcon, TRUE);
    OZWControlBarWorksheet* pSheet = FloatInSheet(pBar);
    ASSERT_NE(pSheet, nullptr);
    ASSERT_NE(pSheet->m_hIcon, nullptr);
    EXPECT_NE(pSheet->m_hIcon, hBarIcon);
    EXPECT_EQ((HICON)pSheet->SendMessage(WM_GETICON, ICON_BIG), hBarIcon);
    // The sheet goes; the bar's own icon stays usable.
    pSheet->SendMessage(WM_CLOSE);
    kvtest::PumpMessages();
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hBarIcon, &info));
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    ::DestroyIcon(hBarIcon);
}

TEST_F(ControlBarWorksheetTest, ClosingTheSheetHandsTheBarBackHidden)
{
    OZWWorksheetWnd* pOther = NewPlainSheet();
    CRecordingBar* pBar = NewBar("Curve Fit");
    OZWControlBarWorksheet* pSheet = FloatInSheet(pBar);
    ASSERT_NE(pSheet, nullptr);
    ASSERT_EQ(m_pFrame->MDIGetActive(), pSheet);
    const HWND hSheet = pSheet->m_hWnd;

    pSheet->SendMessage(WM_CLOSE);
    kvtest::PumpMessages();
    EXPECT_FALSE(::IsWindow(hSheet));
    EXPECT_EQ(m_pFrame->MDIGetActive(), pOther);
    ASSERT_EQ(m_pFrame->GetSheetCount(), 1);
    EXPECT_EQ(m_pFrame->GetSheet(0), pOther);
    // The bar lives on, hidden, back on the side it was docked on.
    ASSERT_TRUE(::IsWindow(pBar->m_hWnd));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(::GetDlgCtrlID(::GetParent(pBar->m_hWnd)), (int)AFX_IDW_DOCKBAR_TOP);
    OZWFrameDocking::ShowControlBar(m_pFrame, pBar, TRUE, FALSE);
    EXPECT_TRUE(pBar->IsWindowVisible());
}

TEST_F(ControlBarWorksheetTest, TheSheetGivesTheBarItsSizeAndPlace)
{
    CRecordingBar* pBar = NewBar("Curve Fit");
    OZWControlBarWorksheet* pSheet = FloatInSheet(pBar);
    ASSERT_NE(pSheet, nullptr);
    pBar->commits.clear();
    pSheet->SetWindowPos(nullptr, 40, 30, 420, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    kvtest::PumpMessages();
    CRect rectClient;
    pSheet->GetClientRect(&rectClient);
    const OZW_AUX_DATA* pData = UXGetSysData();
    const std::pair<int, DWORD> width(rectClient.Width() + 2 * pData->cxBorder, LM_COMMIT | LM_MRUWIDTH);
    const std::pair<int, DWORD> height(rectClient.Height() + 2 * pData->cyBorder, LM_COMMIT | LM_LENGTHY | LM_MRUWIDTH);
    auto it = std::find(pBar->commits.begin(), pBar->commits.end(), width);
    ASSERT_NE(it, pBar->commits.end());
    ASSERT_NE(it + 1, pBar->commits.end());
    EXPECT_EQ(*(it + 1), height);

    CRect rectWindow;
    pSheet->GetWindowRect(&rectWindow);
    ASSERT_NE(pBar->m_pDockContext, nullptr);
    EXPECT_EQ(pBar->m_pDockContext->m_ptMRUFloatPos, rectWindow.TopLeft());
}
