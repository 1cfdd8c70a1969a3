// The saved layout of a frame's bars: written to the profile and read back
// it puts every bar where it was; a damaged saved layout is applied as far as
// it is sound; the archive form and the scaling to another screen.
#include "tests/platform/framework/docking/DockingFixture.h"

#include <memory>

using docktest::RowsOf;
using docktest::ScreenRect;

namespace {

constexpr UINT PLACE = AFX_DOCKSTATE_PLACEHOLDER;
using Rows = std::vector<std::vector<UINT>>;

std::string ProfileValue(const std::string& file, const std::string& section, const char* entry)
{
    char szValue[256] = {};
    ::GetPrivateProfileStringA(section.c_str(), entry, "<missing>", szValue, sizeof(szValue), file.c_str());
    return szValue;
}

void WriteValue(const std::string& file, const std::string& section, const char* entry, const char* value)
{
    ::WritePrivateProfileStringA(section.c_str(), entry, value, file.c_str());
}

// The section of the saved bar with that id, empty when none.
std::string SectionOfBar(const std::string& file, const char* profile, UINT nBarID)
{
    const int nBars = ::GetPrivateProfileIntA((std::string(profile) + "-Summary").c_str(), "Bars", 0, file.c_str());
    for (int i = 0; i < nBars; ++i) {
        const std::string section = std::string(profile) + "-Bar" + std::to_string(i);
        if ((UINT)::GetPrivateProfileIntA(section.c_str(), "BarID", 0, file.c_str()) == nBarID)
            return section;
    }
    return {};
}

} // namespace

TEST_F(DockingTest, ASavedLayoutPutsEveryBarBackWhereItWas)
{
    // A layout worth keeping: a bar floating, one hidden, one in a row of its own.
    CBlockBar* pExtra = NewBar(ID_BAR_EXTRA, "Extra", CSize(60, 22), CSize(22, 60));
    m_pFrame->DockControlBar(pExtra, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->FloatControlBar(m_pLeft, CPoint(420, 260), CBRS_ALIGN_LEFT);
    m_pFrame->ShowControlBar(m_pTop2, FALSE, FALSE);
    m_pFrame->RecalcLayout();
    const Rows topBefore = RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP));
    const Rows leftBefore = RowsOf(DockBar(AFX_IDW_DOCKBAR_LEFT));
    const Rows rightBefore = RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_EQ(leftBefore, (Rows{ { ID_BAR_LEFT | PLACE } }));
    const CRect rectTop2 = docktest::ChildRect(m_pTop2->m_hWnd);
    const CPoint ptFloating = ScreenRect(FloatingFrameOf(m_pLeft)->m_hWnd).TopLeft();
    const CRect rectClient = ClientArea();

    m_pFrame->SaveBarState("DockTest");

    // What the profile holds, in the documented names.
    EXPECT_EQ(ProfileValue(m_profile, "DockTest-Summary", "Bars"), "8");
    const std::string top2 = SectionOfBar(m_profile, "DockTest", ID_BAR_TOP2);
    ASSERT_FALSE(top2.empty());
    EXPECT_EQ(ProfileValue(m_profile, top2, "Visible"), "0");
    EXPECT_EQ(ProfileValue(m_profile, top2, "Docking"), "1");
    EXPECT_EQ(ProfileValue(m_profile, top2, "MRUDockID"), std::to_string(AFX_IDW_DOCKBAR_TOP));
    const std::string top1 = SectionOfBar(m_profile, "DockTest", ID_BAR_TOP1);
    EXPECT_EQ(ProfileValue(m_profile, top1, "Visible"), "<missing>") << "visible is the default";
    const std::string floating = SectionOfBar(m_profile, "DockTest", AFX_IDW_DOCKBAR_FLOAT);
    ASSERT_FALSE(floating.empty());
    EXPECT_EQ(ProfileValue(m_profile, floating, "Floating"), "1");
    EXPECT_EQ(ProfileValue(m_profile, floating, "Horz"), "0");
    EXPECT_EQ(ProfileValue(m_profile, floating, "Bars"), "3");
    EXPECT_EQ(ProfileValue(m_profile, floating, "Bar#1"), std::to_string(ID_BAR_LEFT));
    // An empty side tells nothing and is left out.
    EXPECT_TRUE(SectionOfBar(m_profile, "DockTest", AFX_IDW_DOCKBAR_BOTTOM).empty());

    // Everything moved about, then the saved layout loaded.
    m_pFrame->ShowControlBar(m_pTop2, TRUE, FALSE);
    m_pLeft->m_pDockContext->ToggleDocking();
    m_pFrame->DockControlBar(m_pTop1, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(pExtra, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    ASSERT_FALSE(m_pLeft->IsFloating());

    m_pFrame->LoadBarState("DockTest");
    docktest::Pump();
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP)), topBefore);
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_LEFT)), leftBefore);
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_RIGHT)), rightBefore);
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_BOTTOM)), Rows{});
    EXPECT_FALSE(m_pTop2->IsVisible());
    EXPECT_FALSE(m_pTop2->IsWindowVisible());
    EXPECT_EQ(docktest::ChildRect(m_pTop2->m_hWnd).TopLeft(), rectTop2.TopLeft());
    ASSERT_TRUE(m_pLeft->IsFloating());
    CMiniDockFrameWnd* pMini = FloatingFrameOf(m_pLeft);
    ASSERT_NE(pMini, nullptr);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(ScreenRect(pMini->m_hWnd).TopLeft(), ptFloating);
    EXPECT_EQ(ClientArea(), rectClient);
    ExpectConsistent();

    // The floating bar still knows its way back to its place.
    m_pLeft->m_pDockContext->ToggleDocking();
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_LEFT)), (Rows{ { ID_BAR_LEFT } }));
    pExtra->DestroyWindow();
    delete pExtra;
}

TEST_F(DockingTest, ADamagedSavedLayoutIsAppliedBarByBar)
{
    const std::string& f = m_profile;
    const std::string top = std::to_string(AFX_IDW_DOCKBAR_TOP);
    WriteValue(f, "Broken-Summary", "Bars", "8");
    // The top dock bar: an unknown id, a bar named twice, a kept place of a
    // bar that is also there, and an id that is no id.
    WriteValue(f, "Broken-Bar0", "BarID", top.c_str());
    WriteValue(f, "Broken-Bar0", "Bars", "7");
    const UINT topEntries[] = { 0, ID_BAR_TOP2, 12345, ID_BAR_TOP2, ID_BAR_TOP2 | PLACE, 0x7FFFFFF, 0 };
    for (int i = 0; i < 7; ++i)
        WriteValue(f, "Broken-Bar0", ("Bar#" + std::to_string(i)).c_str(), std::to_string(topEntries[i]).c_str());
    // A bar hidden, with values of the wrong kind.
    WriteValue(f, "Broken-Bar1", "BarID", std::to_string(ID_BAR_LEFT).c_str());
    WriteValue(f, "Broken-Bar1", "Visible", "0");
    WriteValue(f, "Broken-Bar1", "MRUWidth", "-5");
    WriteValue(f, "Broken-Bar1", "XPos", "abc");
    // Bar2 is missing. A bar the frame does not have.
    WriteValue(f, "Broken-Bar3", "BarID", "54321");
    // A dock bar claiming more entries than it lists.
    WriteValue(f, "Broken-Bar4", "BarID", std::to_string(AFX_IDW_DOCKBAR_BOTTOM).c_str());
    WriteValue(f, "Broken-Bar4", "Bars", "100000000");
    // A floating frame far off every screen holding the first bar.
    WriteValue(f, "Broken-Bar5", "BarID", std::to_string(AFX_IDW_DOCKBAR_FLOAT).c_str());
    WriteValue(f, "Broken-Bar5", "Floating", "1");
    WriteValue(f, "Broken-Bar5", "XPos", "-100000");
    WriteValue(f, "Broken-Bar5", "YPos", "900000");
    WriteValue(f, "Broken-Bar5", "Bars", "3");
    WriteValue(f, "Broken-Bar5", "Bar#0", "0");
    WriteValue(f, "Broken-Bar5", "Bar#1", std::to_string(ID_BAR_TOP1).c_str());
    WriteValue(f, "Broken-Bar5", "Bar#2", "0");
    // A floating frame of nothing the frame has.
    WriteValue(f, "Broken-Bar6", "BarID", std::to_string(AFX_IDW_DOCKBAR_FLOAT).c_str());
    WriteValue(f, "Broken-Bar6", "Floating", "1");
    WriteValue(f, "Broken-Bar6", "Bars", "2");
    WriteValue(f, "Broken-Bar6", "Bar#1", "777");
    // A bar record naming a dock bar's id.
    WriteValue(f, "Broken-Bar7", "BarID", std::to_string(AFX_IDW_DOCKBAR_LEFT).c_str());
    WriteValue(f, "Broken-Bar7", "Bars", "3");
    WriteValue(f, "Broken-Bar7", "Bar#1", top.c_str());

    m_pFrame->LoadBarState("Broken");
    docktest::Pump();

    ExpectConsistent();
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP)), (Rows{ { ID_BAR_TOP2 } }));
    EXPECT_EQ(m_pLeft->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_FALSE(m_pLeft->IsWindowVisible());
    EXPECT_EQ(m_pLeft->m_nMRUWidth, 32767);
    // The first bar floats, on the screen.
    CMiniDockFrameWnd* pMini = FloatingFrameOf(m_pTop1);
    ASSERT_NE(pMini, nullptr);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ASSERT_TRUE(::GetMonitorInfo(::MonitorFromWindow(pMini->m_hWnd, MONITOR_DEFAULTTONEAREST), &mi));
    CRect rectVisible;
    const CRect rectMini = ScreenRect(pMini->m_hWnd);
    EXPECT_TRUE(rectVisible.IntersectRect(&rectMini, &mi.rcWork));
    // No floating frame is left for the bar the frame lacks.
    int nFloating = 0;
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        nFloating += pBar->IsDockBar() && pBar->IsFloating() ? 1 : 0;
    }
    EXPECT_EQ(nFloating, 1);

    // No saved layout at all leaves the frame as it is.
    const Rows rowsTop = RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP));
    m_pFrame->LoadBarState("Nothing");
    EXPECT_EQ(RowsOf(DockBar(AFX_IDW_DOCKBAR_TOP)), rowsTop);
}

TEST_F(DockingTest, TheArchiveFormReadsBackWhatItWroteAndRefusesATruncatedOne)
{
    m_pFrame->FloatControlBar(m_pLeft, CPoint(420, 260), CBRS_ALIGN_LEFT);
    CDockState state;
    m_pFrame->GetDockState(state);
    ASSERT_GE(state.m_arrBarInfo.GetSize(), 5);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    const ULONGLONG nLength = file.GetLength();
    file.SeekToBegin();
    CDockState loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
        ar.Close();
    }
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), state.m_arrBarInfo.GetSize());
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        const CControlBarInfo* pSaved = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        const CControlBarInfo* pRead = static_cast<CControlBarInfo*>(loaded.m_arrBarInfo[i]);
        EXPECT_EQ(pRead->m_nBarID, pSaved->m_nBarID);
        EXPECT_EQ(pRead->m_bVisible, pSaved->m_bVisible);
        EXPECT_EQ(pRead->m_bFloating, pSaved->m_bFloating);
        EXPECT_EQ(pRead->m_pointPos, pSaved->m_pointPos);
        EXPECT_EQ(pRead->m_bDocking, pSaved->m_bDocking);
        EXPECT_EQ(pRead->m_uMRUDockID, pSaved->m_uMRUDockID);
        EXPECT_EQ(pRead->m_rectMRUDockPos, pSaved->m_rectMRUDockPos);
        ASSERT_EQ(pRead->m_arrBarID.GetSize(), pSaved->m_arrBarID.GetSize());
        for (INT_PTR j = 0; j < pSaved->m_arrBarID.GetSize(); ++j)
            EXPECT_EQ(pRead->GetBarID((int)j), pSaved->GetBarID((int)j));
    }

    // Cut short: the archive exception, and the records read so far go
    // with the state.
    file.SetLength(nLength - 3);
    file.SeekToBegin();
    CDockState truncated;
    bool bThrown = false;
    try {
        CArchive ar(&file, CArchive::load);
        truncated.Serialize(ar);
    } catch (CArchiveException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_LE(truncated.m_arrBarInfo.GetSize(), state.m_arrBarInfo.GetSize());
}

TEST(DockStateScaling, PositionsSavedOnAnotherScreenAreScaledAndKeptOnThisOne)
{
    CDockState state;
    const CSize sizeDevice = state.GetScreenSize();
    ASSERT_GT(sizeDevice.cx, 100);
    CSize sizeHalf(sizeDevice.cx / 2, sizeDevice.cy / 2);
    state.SetScreenSize(sizeHalf);
    CPoint pt(sizeHalf.cx / 2, sizeHalf.cy / 2);
    state.ScalePoint(pt);
    EXPECT_NEAR(pt.x, sizeDevice.cx / 2, 2);
    EXPECT_NEAR(pt.y, sizeDevice.cy / 2, 2);
    // Off the saved screen: kept within this one.
    CPoint ptFar(sizeHalf.cx * 3, -sizeHalf.cy);
    state.ScalePoint(ptFar);
    EXPECT_LE(ptFar.x, state.m_rectClip.right);
    EXPECT_GE(ptFar.y, state.m_rectClip.top);
    // A rectangle keeps its size.
    CRect rect(10, 10, 60, 30);
    state.ScaleRectPos(rect);
    EXPECT_EQ(rect.Size(), CSize(50, 20));
    EXPECT_NEAR(rect.left, 20, 1);

    // The same screen, or none said: nothing moves.
    CSize sizeSame = sizeDevice;
    state.SetScreenSize(sizeSame);
    CPoint ptSame(-40, 5);
    state.ScalePoint(ptSame);
    EXPECT_EQ(ptSame, CPoint(-40, 5));
    CSize sizeNone(0, 0);
    state.SetScreenSize(sizeNone);
    state.ScalePoint(ptSame);
    EXPECT_EQ(ptSame, CPoint(-40, 5));
}
