// The toolkit's bars in the saved layout: what a bar's record holds, and a
// layout saved from one frame and applied to a new one with the same bars
// (docked at a width, floating, hidden, auto-hidden as a tab).
#include "tests/frame/bars/BarsFixture.h"

#include "frame/dockstate/OZWControlBarManager.h"
#include "frame/dockstate/OZWDockState.h"

#include <string>

using barstest::ScreenRect;

namespace {

class CTypeManager : public OZWControlBarManager
{
public:
    CTypeManager() : OZWControlBarManager(nullptr) {}
    UINT GetBarTypeID(CControlBar*) override { return 77; }
};

// The frame's slide window of an unpinned bar: floating, no caption, hidden.
void ExpectAsTab(OZWControlBar* pBar, OZWAutoHideBar& strip)
{
    EXPECT_TRUE(pBar->GetAutoHideMode());
    EXPECT_FALSE(pBar->IsPinned());
    EXPECT_TRUE(pBar->IsAutoHideRight());
    EXPECT_TRUE(strip.HasBar(pBar));
    EXPECT_TRUE(::IsWindowVisible(strip.m_hWnd));
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_FALSE(::IsWindowVisible(pBar->m_hWnd));
    CFrameWnd* pSlide = pBar->GetParentFrame();
    ASSERT_NE(nullptr, pSlide);
    EXPECT_FALSE(pSlide->GetStyle() & WS_CAPTION);
    EXPECT_FALSE(::IsWindowVisible(pSlide->m_hWnd));
}

} // namespace

TEST_F(BarsTest, ABarsRecordHoldsItsSizesStylesAndAutoHideState)
{
    CTypeManager manager;
    OZWControlBar* pBar = NewBar(100, "Fit", SCBX_GRIPPER | SCBX_CLOSE_BUTTON);
    pBar->m_pControlBarManager = &manager;
    m_pFrame->DockControlBarEx(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
    Layout();
    pBar->m_szFloat = CSize(320, 200);
    pBar->m_dwSavedDockStyle = CBRS_ALIGN_LEFT;
    pBar->SetAutoHideMode(TRUE);

    OZWControlBarInfo info;
    pBar->GetBarInfoEx(&info);
    EXPECT_EQ(100u, info.m_nBarID);
    EXPECT_EQ(pBar, info.m_pBar);
    EXPECT_TRUE(info.m_bVisible);
    EXPECT_FALSE(info.m_bFloating);
    EXPECT_EQ(CSize(320, 200), info.m_szMRUFloat);
    EXPECT_EQ(pBar->m_szHorzDock, info.m_szMRUHorzDock);
    EXPECT_EQ(250, info.m_szMRUVertDock.cx);
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, info.m_dwMRUDockingState);
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, info.m_dwDockingStyle);
    EXPECT_NEAR(pBar->m_fShare, info.m_fPctWidth, 1e-6);
    EXPECT_EQ((DWORD)CBRS_ALIGN_RIGHT, info.m_dwStyle & CBRS_ALIGN_ANY);
    EXPECT_EQ((DWORD)(SCBX_GRIPPER | SCBX_CLOSE_BUTTON), info.m_dwExStyle);
    EXPECT_TRUE(info.m_bAutoHide);
    EXPECT_TRUE(info.m_bAutoHidePinned);
    EXPECT_EQ(0u, info.m_nLastAlignedDocking);
    EXPECT_EQ(77u, info.m_dwTypeID);
    EXPECT_EQ(CString("OZWControlBar"), info.m_strClassName);
    EXPECT_EQ(CString("Fit"), info.m_strWindowName);
    EXPECT_TRUE(info.m_bDocking);
    EXPECT_EQ(CPoint(7, 0), info.m_pointPos); // after the row splitter
}

TEST_F(BarsTest, ASavedLayoutBringsTheBarsBackDockedFloatingHiddenAndAsTabs)
{
    // Docked right at 250 pixels; floating; hidden on the left; unpinned
    // into the right strip.
    OZWControlBar* pDocked = NewBar(100, "Docked", SCBX_GRIPPER | SCBX_BORDERS);
    OZWControlBar* pFloating = NewBar(101, "Floating", 0);
    OZWControlBar* pHidden = NewBar(102, "Hidden", 0, CBRS_LEFT);
    OZWControlBar* pTab = NewBar(103, "Tab", SCBX_GRIPPER | SCBX_CLOSE_BUTTON);
    m_pFrame->DockControlBarEx(pDocked, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 250);
    m_pFrame->DockControlBarEx(pHidden, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 150);
    m_pFrame->DockControlBarEx(pTab, AFX_IDW_DOCKBAR_RIGHT, 0, -1, 1.0f, 180);
    Layout();
    m_pFrame->FloatControlBar(pFloating, CPoint(300, 250), CBRS_ALIGN_TOP);
    m_pFrame->ShowControlBar(pHidden, FALSE, FALSE);
    pTab->SetAutoHideMode(TRUE);
    pTab->SetPinned(FALSE);
    Layout();
    ExpectAsTab(pTab, m_pFrame->m_strips[2]);
    const CPoint ptFloat = ScreenRect(pFloating->GetParentFrame()).TopLeft();

    const std::string file = kvtest::ScratchDir("bars_savedlayout") + "\\profile.ini";
    ::DeleteFileA(file.c_str());
    free(const_cast<char*>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = _strdup(file.c_str());
    {
        OZWDockState state;
        ASSERT_TRUE(state.GetState(m_pFrame));
        state.SaveState("BarsTest");
    }

    // The same bars in a new frame, all docked on top as they come.
    CBarsTestFrame* pFrame2 = NewFrame();
    ASSERT_NE(nullptr, pFrame2);
    OZWControlBar* bars[4];
    const char* names[4] = { "Docked", "Floating", "Hidden", "Tab" };
    for (int i = 0; i < 4; ++i) {
        bars[i] = NewBar(100 + i, names[i], i == 0 ? SCBX_GRIPPER | SCBX_BORDERS : 0, CBRS_TOP, pFrame2);
        pFrame2->DockControlBar(bars[i], AFX_IDW_DOCKBAR_TOP, nullptr);
    }
    pFrame2->RecalcLayout();
    barstest::Pump();
    {
        OZWDockState state;
        state.LoadState("BarsTest");
        ASSERT_TRUE(state.SetState(pFrame2));
    }
    pFrame2->RecalcLayout();
    barstest::Pump();

    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT, pFrame2), bars[0]->m_pDockBar);
    EXPECT_EQ(250, ScreenRect(bars[0]).Width());
    EXPECT_TRUE(::IsWindowVisible(bars[0]->m_hWnd));
    EXPECT_EQ((DWORD)(SCBX_GRIPPER | SCBX_BORDERS), bars[0]->GetExBarStyle() & ~SCBX_PLAIN_ROW);

    EXPECT_TRUE(bars[1]->IsFloating());
    EXPECT_TRUE(::IsWindowVisible(bars[1]->m_hWnd));
    EXPECT_EQ(ptFloat, ScreenRect(bars[1]->GetParentFrame()).TopLeft());

    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT, pFrame2), bars[2]->m_pDockBar);
    EXPECT_FALSE(bars[2]->IsVisible());

    ExpectAsTab(bars[3], pFrame2->m_strips[2]);
    EXPECT_EQ(1, pFrame2->m_strips[2].GetTabCount());
    // Its tab brings it out as before.
    EXPECT_TRUE(bars[3]->ToggleVisible());
    EXPECT_TRUE(::IsWindowVisible(bars[3]->m_hWnd));
    EXPECT_EQ(ScreenRect(&pFrame2->m_strips[2]).left, ScreenRect(bars[3]->GetParentFrame()).right);
}
