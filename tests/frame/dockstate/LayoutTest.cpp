// A frame's layout captured, saved in the profile and applied to a new
// frame, with bars docked, floating, hidden and auto-hidden.
#include "tests/frame/dockstate/DockStateTestSupport.h"
#include "tests/support/DockLayout.h"
#include "tests/support/TestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// A bar hosting a frame: left out of the layout while it floats.
class CFrameHostBar : public CTestBar
{
public:
    BOOL IsFrameHost() const override { return TRUE; }
};

// Makes bars of type 9 again from their records.
class CMakingManager : public OZWControlBarManager
{
public:
    explicit CMakingManager(CFrameWnd* pFrame) : OZWControlBarManager(pFrame) {}
    CControlBar* CreateControlBar(OZWControlBarInfo* pInfo) override
    {
        if (pInfo->m_dwTypeID != 9)
            return nullptr;
        auto* pBar = new CTestBar;
        pBar->m_bAutoDelete = TRUE;
        if (!pBar->CreateBar(GetFrameWnd(), pInfo->m_nBarID, "made by the manager")) {
            delete pBar;
            return nullptr;
        }
        ++made;
        return pBar;
    }
    int made = 0;
};

class CLayoutFrame : public CFrameWnd, public IOZWDockStateFrame
{
public:
    OZWControlBarManager* GetControlBarManager() override { return pManager; }
    OZWControlBarManager* pManager = nullptr;
};

class LayoutTest : public ProfileTest
{
protected:
    CLayoutFrame* MakeFrame()
    {
        auto* pFrame = new CLayoutFrame;
        if (!pFrame->Create(nullptr, "Layout", WS_OVERLAPPEDWINDOW, CRect(50, 50, 650, 500))) {
            ADD_FAILURE() << "no frame";
            return nullptr;
        }
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->ShowWindow(SW_SHOWNA);
        m_frames.push_back(pFrame->m_hWnd);
        return pFrame;
    }
    CTestBar* AddBar(CFrameWnd* pFrame, UINT nID, const char* title, CTestBar* pBar = nullptr)
    {
        if (pBar == nullptr)
            pBar = new CTestBar;
        pBar->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pBar->CreateBar(pFrame, nID, title));
        return pBar;
    }
    void TearDown() override
    {
        for (HWND h : m_frames)
            if (::IsWindow(h))
                ::DestroyWindow(h);
        ProfileTest::TearDown();
    }
    static UINT ParentID(CWnd* pBar) { return (UINT)pBar->GetParent()->GetDlgCtrlID(); }
    static CTestBar* Bar(CFrameWnd* pFrame, UINT nID) { return dynamic_cast<CTestBar*>(pFrame->GetControlBar(nID)); }
    static bool HasRecord(const OZWDockState& state, UINT nID)
    {
        for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
            if (state.GetBarInfo(i)->m_nBarID == nID)
                return true;
        return false;
    }

    std::vector<HWND> m_frames;
};

} // namespace

TEST_F(LayoutTest, ALayoutSavedAndAppliedToANewFrameGivesTheSameLayout)
{
    CLayoutFrame* pOld = MakeFrame();
    ASSERT_NE(pOld, nullptr);
    CTestBar* pTop = AddBar(pOld, 1001, "Top");
    CTestBar* pLeft = AddBar(pOld, 1002, "Left");
    CTestBar* pFloat = AddBar(pOld, 1003, "Floating");
    auto* pPlain = new CPlainBar;
    pPlain->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pPlain->Create(nullptr, "Plain", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), pOld, 1004));
    pOld->DockControlBar(pTop, AFX_IDW_DOCKBAR_TOP);
    pOld->DockControlBar(pLeft, AFX_IDW_DOCKBAR_LEFT);
    pOld->FloatControlBar(pFloat, CPoint(300, 200));
    pOld->ShowControlBar(pLeft, FALSE, FALSE);
    pTop->m_fShare = 0.5f;
    pLeft->m_dwExStyle = 0x100;
    pLeft->m_bAutoHide = TRUE;
    pLeft->m_bPinned = FALSE;
    pOld->RecalcLayout();

    {
        OZWDockState state;
        ASSERT_TRUE(state.GetState(pOld));
        EXPECT_FALSE(HasRecord(state, 1004));   // a plain framework bar is never captured
        EXPECT_TRUE(HasRecord(state, 1001));
        EXPECT_TRUE(HasRecord(state, AFX_IDW_DOCKBAR_FLOAT));
        state.SaveState("Layout");
    }
    pOld->DestroyWindow();
    kvtest::PumpMessages();

    // The new frame has the first two bars; the third comes back by its class.
    CLayoutFrame* pNew = MakeFrame();
    ASSERT_NE(pNew, nullptr);
    AddBar(pNew, 1001, "Top");
    AddBar(pNew, 1002, "Left");
    CPtrList created;
    OZWDockState state;
    state.m_pCreatedBars = &created;
    state.LoadState("Layout");
    ASSERT_TRUE(state.SetState(pNew));
    pNew->RecalcLayout();
    kvtest::PumpMessages();

    CTestBar* pTopAgain = Bar(pNew, 1001);
    CTestBar* pLeftAgain = Bar(pNew, 1002);
    CTestBar* pFloatAgain = Bar(pNew, 1003);
    ASSERT_NE(pTopAgain, nullptr);
    ASSERT_NE(pLeftAgain, nullptr);
    ASSERT_NE(pFloatAgain, nullptr);
    EXPECT_EQ(ParentID(pTopAgain), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(ParentID(pLeftAgain), (UINT)AFX_IDW_DOCKBAR_LEFT);
    EXPECT_FALSE(pLeftAgain->IsVisible());
    EXPECT_TRUE(pTopAgain->IsVisible());
    EXPECT_FLOAT_EQ(pTopAgain->m_fShare, 0.5f);
    EXPECT_EQ(pLeftAgain->m_dwExStyle, 0x100u);
    EXPECT_TRUE(pLeftAgain->m_bAutoHide);
    EXPECT_FALSE(pLeftAgain->m_bPinned);
    ASSERT_EQ(created.GetCount(), 1);
    EXPECT_EQ(created.GetHead(), pFloatAgain);
    EXPECT_TRUE(pFloatAgain->IsFloating());
    CString title;
    pFloatAgain->GetWindowText(title);
    EXPECT_EQ(title, "Floating");
    pFloatAgain->m_bAutoDelete = TRUE;   // the frame's list of made bars would own it
}

TEST_F(LayoutTest, ABarThatCannotBeFoundOrMadeLeavesTheLayoutQuietly)
{
    WriteIni("Gone-Summary", "Bars", "3");
    WriteIni("Gone-Bar0", "BarID", "2001");
    WriteIni("Gone-Bar0", "ClassName", "NoSuchBarClass");
    WriteIni("Gone-Bar1", "BarID", "2002");
    WriteIni("Gone-Bar1", "ClassName", "CPlainBar");   // registered, but no toolkit bar
    WriteIni("Gone-Bar2", "BarID", "1001");
    WriteIni("Gone-Bar2", "Visible", "0");
    CLayoutFrame* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CTestBar* pBar = AddBar(pFrame, 1001, "Kept");
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    OZWDockState state;
    state.LoadState("Gone");
    ASSERT_EQ(state.m_arrBarInfo.GetSize(), 3);
    ASSERT_TRUE(state.SetState(pFrame));
    ASSERT_EQ(state.m_arrBarInfo.GetSize(), 1);
    EXPECT_EQ(state.GetBarInfo(0)->m_nBarID, 1001u);
    pFrame->RecalcLayout();
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_EQ(pFrame->GetControlBar(2001), nullptr);
    EXPECT_EQ(pFrame->GetControlBar(2002), nullptr);
    EXPECT_FALSE(state.SetState(nullptr));
    EXPECT_FALSE(state.GetState(nullptr));
}

TEST_F(LayoutTest, TheFramesManagerMakesBarsOfTypesItKnows)
{
    WriteIni("Made-Summary", "Bars", "1");
    WriteIni("Made-Bar0", "BarID", "3001");
    WriteIni("Made-Bar0", "TypeID", "9");
    CLayoutFrame* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CMakingManager manager(pFrame);
    pFrame->pManager = &manager;
    OZWDockState state;   // takes the manager from the frame
    state.LoadState("Made");
    ASSERT_TRUE(state.SetState(pFrame));
    EXPECT_EQ(state.m_pManager, &manager);
    EXPECT_EQ(manager.made, 1);
    ASSERT_NE(Bar(pFrame, 3001), nullptr);
}

TEST_F(LayoutTest, AFrameHostFloatingInAMiniFrameIsNotCaptured)
{
    CLayoutFrame* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CTestBar* pHost = AddBar(pFrame, 1005, "Host", new CFrameHostBar);
    CTestBar* pDocked = AddBar(pFrame, 1006, "Docked", new CFrameHostBar);
    pFrame->FloatControlBar(pHost, CPoint(200, 200));
    pFrame->DockControlBar(pDocked, AFX_IDW_DOCKBAR_RIGHT);
    OZWDockState state;
    ASSERT_TRUE(state.GetState(pFrame));
    EXPECT_FALSE(HasRecord(state, 1005));
    EXPECT_FALSE(HasRecord(state, AFX_IDW_DOCKBAR_FLOAT));
    EXPECT_TRUE(HasRecord(state, 1006));   // docked, it is part of the layout
}

namespace {

// The profile sections of a saved layout, changed as damage would change them.
class DamagedLayoutTest : public LayoutTest
{
public:
    using ProfileTest::WriteIni;
    std::string Section(int nIndex) const { return "Damaged-Bar" + std::to_string(nIndex); }
    int Bars() const { return std::stoi(Ini("Damaged-Summary", "Bars")); }
    // The index of the nth record (from 0) of the bar id.
    int Find(UINT nID, int nth = 0) const
    {
        for (int i = 0; i < Bars(); ++i)
            if (Ini(Section(i).c_str(), "BarID") == std::to_string(nID) && nth-- == 0)
                return i;
        ADD_FAILURE() << "no record of " << nID;
        return 0;
    }
    // The record copied to the end of the layout.
    void Repeat(int nIndex) const
    {
        char buffer[8192] = {};
        ::GetPrivateProfileSectionA(Section(nIndex).c_str(), buffer, sizeof(buffer), m_file.c_str());
        const int n = Bars();
        ::WritePrivateProfileSectionA(Section(n).c_str(), buffer, m_file.c_str());
        WriteIni("Damaged-Summary", "Bars", std::to_string(n + 1).c_str());
    }
    // The bar id added to the end of a dock bar's list, in a row of its own.
    void List(int nIndex, UINT nID) const
    {
        const std::string section = Section(nIndex);
        const int n = std::stoi(Ini(section.c_str(), "Bars"));
        WriteIni(section.c_str(), ("Bar#" + std::to_string(n)).c_str(), std::to_string(nID).c_str());
        WriteIni(section.c_str(), ("Bar#" + std::to_string(n + 1)).c_str(), "0");
        WriteIni(section.c_str(), "Bars", std::to_string(n + 2).c_str());
    }
};

} // namespace

// A layout in which a bar or a floating frame is named twice brings every bar
// back once: docked in one dock bar, or floating in one frame, and no floating
// frame is left behind empty.
TEST_F(DamagedLayoutTest, ABarNamedTwiceComesBackOnceAndNoFloatingFrameIsLeftEmpty)
{
    struct Case
    {
        const char* what;
        void (*damage)(const DamagedLayoutTest&);
    };
    const Case cases[] = {
        { "the floating frame's record twice",
          [](const DamagedLayoutTest& t) { t.Repeat(t.Find(AFX_IDW_DOCKBAR_FLOAT)); } },
        { "the floating bar's record twice", [](const DamagedLayoutTest& t) { t.Repeat(t.Find(1003)); } },
        { "the docked bar's record twice", [](const DamagedLayoutTest& t) { t.Repeat(t.Find(1001)); } },
        { "the top dock bar's record twice",
          [](const DamagedLayoutTest& t) { t.Repeat(t.Find(AFX_IDW_DOCKBAR_TOP)); } },
        { "the docked bar listed twice in its dock bar",
          [](const DamagedLayoutTest& t) { t.List(t.Find(AFX_IDW_DOCKBAR_TOP), 1001); } },
        { "the docked bar listed in the left dock bar too", [](const DamagedLayoutTest& t) {
              t.WriteIni(t.Section(t.Bars()).c_str(), "BarID", std::to_string(AFX_IDW_DOCKBAR_LEFT).c_str());
              t.WriteIni(t.Section(t.Bars()).c_str(), "Bars", "2");
              t.WriteIni(t.Section(t.Bars()).c_str(), "Bar#0", "0");
              t.WriteIni(t.Section(t.Bars()).c_str(), "Bar#1", "1001");
              t.WriteIni("Damaged-Summary", "Bars", std::to_string(t.Bars() + 1).c_str());
          } },
        { "the floating bar listed in the top dock bar too",
          [](const DamagedLayoutTest& t) { t.List(t.Find(AFX_IDW_DOCKBAR_TOP), 1003); } },
        { "the docked bar listed in the floating frame too",
          [](const DamagedLayoutTest& t) { t.List(t.Find(AFX_IDW_DOCKBAR_FLOAT), 1001); } },
        { "every record twice", [](const DamagedLayoutTest& t) {
              for (int i = 0, n = t.Bars(); i < n; ++i)
                  t.Repeat(i);
          } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::DeleteFileA(m_file.c_str());
        CLayoutFrame* pOld = MakeFrame();
        ASSERT_NE(pOld, nullptr);
        pOld->DockControlBar(AddBar(pOld, 1001, "Docked"), AFX_IDW_DOCKBAR_TOP);
        pOld->DockControlBar(AddBar(pOld, 1002, "Beside"), AFX_IDW_DOCKBAR_TOP);
        pOld->FloatControlBar(AddBar(pOld, 1003, "Floating"), CPoint(300, 200));
        pOld->RecalcLayout();
        {
            OZWDockState state;
            ASSERT_TRUE(state.GetState(pOld));
            state.SaveState("Damaged");
        }
        pOld->DestroyWindow();
        kvtest::PumpMessages();
        c.damage(*this);

        CLayoutFrame* pNew = MakeFrame();
        ASSERT_NE(pNew, nullptr);
        CTestBar* pBars[] = { AddBar(pNew, 1001, "Docked"), AddBar(pNew, 1002, "Beside"),
                              AddBar(pNew, 1003, "Floating") };
        pNew->DockControlBar(pBars[0], AFX_IDW_DOCKBAR_TOP);
        pNew->DockControlBar(pBars[1], AFX_IDW_DOCKBAR_TOP);
        pNew->DockControlBar(pBars[2], AFX_IDW_DOCKBAR_TOP);
        {
            OZWDockState state;
            state.LoadState("Damaged");
            ASSERT_TRUE(state.SetState(pNew));
        }
        pNew->RecalcLayout();
        kvtest::PumpMessages();
        for (CTestBar* pBar : pBars) {
            EXPECT_EQ(std::vector<int>{ 1 }, kvtest::DockBarListings(pNew, pBar)) << pBar->GetDlgCtrlID();
            ASSERT_NE(nullptr, pBar->m_pDockBar);
            EXPECT_EQ(pBar->GetParent(), pBar->m_pDockBar);
        }
        EXPECT_TRUE(pBars[2]->IsFloating());
        // One floating frame, with the floating bar (and any bar that came
        // back floating with it).
        const std::vector<int> floating = kvtest::FloatingFrameBars(pNew);
        ASSERT_EQ(1u, floating.size());
        EXPECT_GT(floating[0], 0);
        pNew->DestroyWindow();
        kvtest::PumpMessages();
    }
}
