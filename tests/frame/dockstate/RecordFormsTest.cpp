// The records of a layout in the profile, the settings tree and an archive,
// sound and damaged.
#include "tests/frame/dockstate/DockStateTestSupport.h"

#include <memory>

namespace {

using Info = OZWControlBarInfo;

// A toolbar-like bar docked on top, a bit of everything filled in.
Info* DockedBar(UINT nID, OZWControlBarManager* pManager = nullptr)
{
    auto* p = new Info(pManager);
    p->m_nBarID = nID;
    p->m_pointPos = CPoint(4, 0);
    p->m_bDocking = TRUE;
    p->m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    p->m_rectMRUDockPos.SetRect(4, 0, 124, 24);
    p->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    p->m_ptMRUFloatPos = CPoint(200, 150);
    p->m_dwStyle = 0x2C00;
    p->m_dwExStyle = 0x20104;
    p->m_fPctWidth = 0.25f;
    p->m_szMRUFloat = CSize(150, 40);
    p->m_szMRUHorzDock = CSize(300, 26);
    p->m_szMRUVertDock = CSize(26, 300);
    p->m_dwMRUDockingState = 0x2000;
    p->m_dwDockingStyle = 0xF000;
    p->m_dwTypeID = 14946;
    p->m_strClassName = "CTestBar";
    p->m_strWindowName = "Standard";
    p->m_nResourceID = 1234;
    p->m_bAutoHide = TRUE;
    p->m_bAutoHidePinned = FALSE;
    p->m_nLastAlignedDocking = 0x1000;
    return p;
}

// A docked, visible, unplaced dock bar with one entry: left out.
Info* QuietDockBar()
{
    auto* p = new Info;
    p->m_nBarID = AFX_IDW_DOCKBAR_LEFT;
    p->m_bDockBar = TRUE;
    p->AddBarID(0);
    return p;
}

// A hidden floating dock bar holding two bars in one row.
Info* HiddenFloatingDockBar()
{
    auto* p = new Info;
    p->m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
    p->m_bDockBar = TRUE;
    p->m_bFloating = TRUE;
    p->m_bHorz = FALSE;
    p->m_bVisible = FALSE;
    p->m_pointPos = CPoint(300, 220);
    for (UINT id : { 0u, 1001u, 1002u, 0u })
        p->AddBarID(id);
    return p;
}

void ExpectSameRecord(const Info& a, const Info& b)
{
    EXPECT_EQ(a.m_nBarID, b.m_nBarID);
    EXPECT_EQ(a.m_bVisible, b.m_bVisible);
    EXPECT_EQ(a.m_bFloating, b.m_bFloating);
    EXPECT_EQ(a.m_pointPos, b.m_pointPos);
    EXPECT_EQ(a.m_bDocking, b.m_bDocking);
    EXPECT_EQ(a.m_uMRUDockID, b.m_uMRUDockID);
    EXPECT_EQ(a.m_rectMRUDockPos, b.m_rectMRUDockPos);
    EXPECT_EQ(a.m_ptMRUFloatPos, b.m_ptMRUFloatPos);
    EXPECT_EQ(a.m_dwStyle, b.m_dwStyle);
    EXPECT_EQ(a.m_dwExStyle, b.m_dwExStyle);
    EXPECT_FLOAT_EQ(a.m_fPctWidth, b.m_fPctWidth);
    EXPECT_EQ(a.m_szMRUFloat, b.m_szMRUFloat);
    EXPECT_EQ(a.m_szMRUHorzDock, b.m_szMRUHorzDock);
    EXPECT_EQ(a.m_szMRUVertDock, b.m_szMRUVertDock);
    EXPECT_EQ(a.m_dwMRUDockingState, b.m_dwMRUDockingState);
    EXPECT_EQ(a.m_dwDockingStyle, b.m_dwDockingStyle);
    EXPECT_EQ(a.m_dwTypeID, b.m_dwTypeID);
    ASSERT_EQ(a.m_arrBarID.GetSize(), b.m_arrBarID.GetSize());
    for (int i = 0; i < (int)a.m_arrBarID.GetSize(); ++i)
        EXPECT_EQ(a.GetBarID(i), b.GetBarID(i));
}

// The fields the archive leaves out.
void ExpectSameNamesAndFlags(const Info& a, const Info& b)
{
    EXPECT_EQ(a.m_strClassName, b.m_strClassName);
    EXPECT_EQ(a.m_strWindowName, b.m_strWindowName);
    EXPECT_EQ(a.m_nResourceID, b.m_nResourceID);
    EXPECT_EQ(a.m_bAutoHide, b.m_bAutoHide);
    EXPECT_EQ(a.m_bAutoHidePinned, b.m_bAutoHidePinned);
    EXPECT_EQ(a.m_nLastAlignedDocking, b.m_nLastAlignedDocking);
    EXPECT_EQ(a.m_bMDIChild, b.m_bMDIChild);
    EXPECT_EQ(memcmp(&a.m_wpMDIChild, &b.m_wpMDIChild, sizeof(WINDOWPLACEMENT)), 0);
}

// The screen size a state saves: this screen's.
CSize ThisScreen()
{
    OZWDockState state;
    return state.GetScreenSize();
}

class RecordFormsTest : public ProfileTest
{
};

} // namespace

TEST(DockStateShare, RowShareIsKeptInMillionths)
{
    using namespace ozwdockstate;
    const int text = ShareToText(0.25f);
    EXPECT_TRUE(text == 250000 || text == 249999) << text;
    EXPECT_FLOAT_EQ(ShareFromText("250000"), 0.25f);
    EXPECT_FLOAT_EQ(ShareFromText("-5"), 0.0f);
    EXPECT_FLOAT_EQ(ShareFromText("rubbish"), 0.0f);
    EXPECT_EQ(ShareToText(0.0f), 0);
    EXPECT_EQ(ShareToText(1e30f), INT_MAX);
}

TEST_F(RecordFormsTest, ProfileRoundTripWritesDenselyNumberedSections)
{
    CTestManager manager;
    OZWDockState saved(&manager);
    Info* pQuiet = QuietDockBar();
    Info* pBar = DockedBar(1001, &manager);
    pBar->m_bMDIChild = TRUE;
    pBar->m_wpMDIChild.length = sizeof(WINDOWPLACEMENT);
    pBar->m_wpMDIChild.showCmd = SW_SHOWMAXIMIZED;
    pBar->m_wpMDIChild.rcNormalPosition = CRect(10, 20, 310, 220);
    pBar->m_dwTypeID = 7;
    pBar->m_pBarInfoEx = new CTitleInfoEx;
    static_cast<CTitleInfoEx*>(pBar->m_pBarInfoEx)->m_strTitle = "Drawing tools";
    saved.m_arrBarInfo.Add(pQuiet);
    saved.m_arrBarInfo.Add(pBar);
    saved.m_arrBarInfo.Add(HiddenFloatingDockBar());
    saved.SaveState("Layout");

    EXPECT_EQ(Ini("Layout-Summary", "Bars"), "2");
    EXPECT_EQ(Ini("Layout-Summary", "ScreenCX"), std::to_string(ThisScreen().cx));
    EXPECT_EQ(Ini("Layout-Bar0", "BarID"), "1001");
    EXPECT_EQ(Ini("Layout-Bar0", "PctWidth"), "250000");
    EXPECT_EQ(Ini("Layout-Bar0", "Title"), "Drawing tools");
    EXPECT_EQ(Ini("Layout-Bar0", "MDIChildWindowPlacement").size(), 88u);   // 44 bytes as letter pairs
    EXPECT_EQ(Ini("Layout-Bar0", "Visible"), "<none>");
    EXPECT_EQ(Ini("Layout-Bar1", "Visible"), "0");
    EXPECT_EQ(Ini("Layout-Bar1", "Floating"), "1");
    EXPECT_EQ(Ini("Layout-Bar1", "Bar#2"), "1002");
    EXPECT_EQ(Ini("Layout-Bar1", "MDIChildWindowPlacement"), "<none>");
    EXPECT_EQ(Ini("Layout-Bar2", "BarID"), "<none>");

    OZWDockState loaded(&manager);
    loaded.LoadState("Layout");
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), 2);
    ExpectSameRecord(*pBar, *loaded.GetBarInfo(0));
    ExpectSameNamesAndFlags(*pBar, *loaded.GetBarInfo(0));
    ASSERT_NE(loaded.GetBarInfo(0)->m_pBarInfoEx, nullptr);
    EXPECT_EQ(static_cast<CTitleInfoEx*>(loaded.GetBarInfo(0)->m_pBarInfoEx)->m_strTitle, "Drawing tools");
    ExpectSameRecord(*saved.GetBarInfo(2), *loaded.GetBarInfo(1));
    EXPECT_FALSE(loaded.GetBarInfo(1)->m_bAutoHide);

    // A shorter layout saved over it leaves no section of the longer one.
    OZWDockState shorter;
    shorter.m_arrBarInfo.Add(DockedBar(1005));
    shorter.SaveState("Layout");
    EXPECT_EQ(Ini("Layout-Summary", "Bars"), "1");
    EXPECT_EQ(Ini("Layout-Bar1", "BarID"), "<none>");
    EXPECT_EQ(Ini("Layout-Bar0", "Title"), "<none>");
}

TEST_F(RecordFormsTest, DamagedProfileValuesAreAppliedAsFarAsTheyAreSound)
{
    WriteIni("Old-Summary", "Bars", "2000000000");   // far more than there are
    WriteIni("Old-Summary", "ScreenCX", "0");         // no screen size: nothing is scaled
    WriteIni("Old-Bar0", "BarID", "1001");
    WriteIni("Old-Bar0", "XPos", "700");
    WriteIni("Old-Bar0", "YPos", "30");
    WriteIni("Old-Bar0", "PctWidth", "-5");
    WriteIni("Old-Bar0", "MRUFloatCX", "-3");
    WriteIni("Old-Bar0", "MRUFloatCY", "abc");
    WriteIni("Old-Bar0", "Style", "not a number");
    WriteIni("Old-Bar0", "MDIChild", "1");
    WriteIni("Old-Bar0", "MDIChildWindowPlacement", "AAAABBBB");       // 4 bytes, not 44
    WriteIni("Old-Bar1", "XPos", "5");                                  // no bar id
    WriteIni("Old-Bar2", "BarID", "1003");
    WriteIni("Old-Bar2", "MDIChild", "1");
    WriteIni("Old-Bar2", "MDIChildWindowPlacement", "QQQQ");           // not letter pairs
    WriteIni("Old-Bar2", "Bars", "99999");
    WriteIni("Old-Bar2", "Bar#0", "1001");

    OZWDockState state;
    state.LoadState("Old");
    ASSERT_EQ(state.m_arrBarInfo.GetSize(), 2);
    const Info& first = *state.GetBarInfo(0);
    EXPECT_EQ(first.m_nBarID, 1001u);
    EXPECT_EQ(first.m_pointPos, CPoint(700, 30));
    EXPECT_FLOAT_EQ(first.m_fPctWidth, 0.0f);
    EXPECT_TRUE(first.m_bAutoHidePinned);   // the default of a missing value
    EXPECT_EQ(first.m_szMRUFloat, CSize(0, 0));
    EXPECT_EQ(first.m_dwStyle, 0u);
    EXPECT_TRUE(first.m_bMDIChild);
    EXPECT_EQ(first.m_wpMDIChild.length, 0u);   // the damaged placement is not used
    const Info& second = *state.GetBarInfo(1);
    EXPECT_EQ(second.m_nBarID, 1003u);
    EXPECT_EQ(second.m_wpMDIChild.length, 0u);
    EXPECT_LE(second.m_arrBarID.GetSize(), ozwdockstate::kMaxBars);

    OZWDockState missing;
    missing.LoadState("NoSuchLayout");
    EXPECT_EQ(missing.m_arrBarInfo.GetSize(), 0);
}

TEST_F(RecordFormsTest, PositionsSavedOnAnotherScreenAreScaledInBothDirections)
{
    const CSize screen = ThisScreen();
    WriteIni("Big-Summary", "Bars", "1");
    WriteIni("Big-Summary", "ScreenCX", std::to_string(screen.cx * 2).c_str());
    WriteIni("Big-Summary", "ScreenCY", std::to_string(screen.cy * 2).c_str());
    WriteIni("Big-Bar0", "BarID", std::to_string(AFX_IDW_DOCKBAR_FLOAT).c_str());
    WriteIni("Big-Bar0", "Floating", "1");
    WriteIni("Big-Bar0", "XPos", std::to_string(screen.cx).c_str());
    WriteIni("Big-Bar0", "YPos", std::to_string(screen.cy / 2).c_str());
    OZWDockState state;
    state.LoadState("Big");
    ASSERT_EQ(state.m_arrBarInfo.GetSize(), 1);
    const CPoint pos = state.GetBarInfo(0)->m_pointPos;
    // Half way across the old screen is half way across this one (kept on it).
    EXPECT_NEAR(pos.x, screen.cx / 2, 1);
    EXPECT_NEAR(pos.y, screen.cy / 4, 1);
}

TEST(DockStateTree, SavedAndLoadedThroughTheTree)
{
    CTestManager manager;
    OZWDockState saved(&manager);
    Info* pBar = DockedBar(1001, &manager);
    pBar->m_dwTypeID = 7;
    pBar->m_pBarInfoEx = new CTitleInfoEx;
    static_cast<CTitleInfoEx*>(pBar->m_pBarInfoEx)->m_strTitle = "Tools";
    pBar->m_bMDIChild = TRUE;
    pBar->m_wpMDIChild.length = sizeof(WINDOWPLACEMENT);
    pBar->m_wpMDIChild.rcNormalPosition = CRect(1, 2, 3, 4);
    saved.m_arrBarInfo.Add(pBar);
    saved.m_arrBarInfo.Add(QuietDockBar());
    saved.m_arrBarInfo.Add(HiddenFloatingDockBar());

    OZWPTNFactory factory;
    OZWPersistentTreeNode* root = factory.CreateNode("Frame", nullptr);
    ASSERT_TRUE(saved.SaveState(&factory, root));
    EXPECT_FALSE(saved.SaveState(&factory, root));     // a second "DockState" is refused
    EXPECT_FALSE(saved.SaveState(&factory, nullptr));
    OZWPersistentTreeNode* node = root->FindChild("DockState");
    ASSERT_NE(node, nullptr);
    CString text;
    node->GetString("Bars", text, "");
    EXPECT_EQ(text, "2");
    OZWPersistentTreeNode* bar0 = node->FindChild("Bar-0");
    OZWPersistentTreeNode* bar1 = node->FindChild("Bar-1");
    ASSERT_NE(bar0, nullptr);
    ASSERT_NE(bar1, nullptr);
    EXPECT_EQ(node->FindChild("Bar-2"), nullptr);
    // A visible docked bar holds no "Visible", "Horz" or "Floating"; the
    // hidden floating dock bar does.
    EXPECT_EQ(bar0->FindKey("Visible"), nullptr);
    EXPECT_EQ(bar0->FindKey("Floating"), nullptr);
    EXPECT_EQ(bar0->FindKey("Horz"), nullptr);
    bar1->GetString("Visible", text, "");
    EXPECT_EQ(text, "False");
    bar1->GetString("Floating", text, "");
    EXPECT_EQ(text, "True");
    bar1->GetString("Horz", text, "");
    EXPECT_EQ(text, "False");
    EXPECT_EQ(bar1->FindKey("MDIChildWindowPlacement"), nullptr);
    bar0->GetString("Title", text, "");
    EXPECT_EQ(text, "Tools");

    OZWDockState loaded(&manager);
    ASSERT_TRUE(loaded.LoadState(root));
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), 2);
    ExpectSameRecord(*pBar, *loaded.GetBarInfo(0));
    ExpectSameNamesAndFlags(*pBar, *loaded.GetBarInfo(0));
    EXPECT_EQ(static_cast<CTitleInfoEx*>(loaded.GetBarInfo(0)->m_pBarInfoEx)->m_strTitle, "Tools");
    ExpectSameRecord(*saved.GetBarInfo(2), *loaded.GetBarInfo(1));

    // Damage: a lost bar node is skipped, flags read in any case, a huge
    // count and a missing "DockState" cost nothing.
    OZWPTNFactory other;
    OZWPersistentTreeNode* copy = other.CreateNode("Copy", nullptr);
    OZWPersistentTreeNode* copyNode = other.CreateNode("DockState", copy);
    copyNode->SetString("Bars", "3", TRUE);
    other.CreateNode("Bar-0", copyNode)->SetString("BarID", "1001", TRUE);
    OZWPersistentTreeNode* renamed = other.CreateNode("Bar-2", copyNode);
    renamed->SetString("BarID", "1009", TRUE);
    renamed->SetString("Visible", "TRUE", TRUE);
    renamed->SetString("Bars", "2147483647", TRUE);
    OZWDockState partial;
    ASSERT_TRUE(partial.LoadState(copy));
    ASSERT_EQ(partial.m_arrBarInfo.GetSize(), 2);
    EXPECT_EQ(partial.GetBarInfo(1)->m_nBarID, 1009u);
    EXPECT_TRUE(partial.GetBarInfo(1)->m_bVisible);
    EXPECT_LE(partial.GetBarInfo(1)->m_arrBarID.GetSize(), ozwdockstate::kMaxBars);
    OZWDockState none;
    EXPECT_FALSE(none.LoadState(other.CreateNode("Empty", nullptr)));
    EXPECT_FALSE(none.LoadState((OZWPersistentTreeNode*)nullptr));
}

namespace {

std::vector<BYTE> Store(OZWDockState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    const UINT n = (UINT)file.GetLength();
    std::vector<BYTE> bytes(n);
    file.SeekToBegin();
    file.Read(bytes.data(), n);
    return bytes;
}

void Load(OZWDockState& state, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    state.Serialize(ar);
}

} // namespace

TEST(DockStateArchive, RoundTripOfEveryKindOfRecord)
{
    CTestManager manager;
    OZWDockState saved(&manager);
    Info* pTitled = DockedBar(1001, &manager);
    pTitled->m_dwTypeID = 7;
    pTitled->m_pBarInfoEx = new CTitleInfoEx;
    static_cast<CTitleInfoEx*>(pTitled->m_pBarInfoEx)->m_strTitle = "Tools";
    Info* pUndocked = DockedBar(1002);
    pUndocked->m_bDocking = FALSE;
    pUndocked->m_uMRUDockID = 0;
    pUndocked->m_rectMRUDockPos.SetRectEmpty();
    pUndocked->m_ptMRUFloatPos = CPoint(0, 0);
    Info* pOneEntry = QuietDockBar();
    saved.m_arrBarInfo.Add(pTitled);
    saved.m_arrBarInfo.Add(pUndocked);
    saved.m_arrBarInfo.Add(pOneEntry);
    saved.m_arrBarInfo.Add(HiddenFloatingDockBar());
    const std::vector<BYTE> bytes = Store(saved);

    OZWDockState loaded(&manager);
    Load(loaded, bytes);
    EXPECT_EQ(loaded.GetVersion(), 2u);
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), 4);
    for (int i = 0; i < 4; ++i)
        ExpectSameRecord(*saved.GetBarInfo(i), *loaded.GetBarInfo(i));
    ASSERT_NE(loaded.GetBarInfo(0)->m_pBarInfoEx, nullptr);
    EXPECT_EQ(static_cast<CTitleInfoEx*>(loaded.GetBarInfo(0)->m_pBarInfoEx)->m_strTitle, "Tools");
    // The archive keeps no names and no auto-hide state.
    EXPECT_EQ(loaded.GetBarInfo(0)->m_strWindowName, "");
    EXPECT_FALSE(loaded.GetBarInfo(0)->m_bAutoHide);
}

TEST(DockStateArchive, ByteLayoutOfARecord)
{
    OZWDockState saved;
    Info* p = QuietDockBar();
    p->m_nBarID = 0x11;
    p->m_pointPos = CPoint(3, 4);
    p->m_dwStyle = 0x55;
    p->m_fPctWidth = 0.5f;
    saved.m_arrBarInfo.Add(p);
    const std::vector<BYTE> bytes = Store(saved);
    auto dword = [&](size_t at) { return (DWORD)(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24); };
    const CSize screen = ThisScreen();
    EXPECT_EQ(dword(0), 2u);                       // version
    EXPECT_EQ((LONG)dword(4), screen.cx);
    EXPECT_EQ((LONG)dword(8), screen.cy);
    EXPECT_EQ(bytes[12] | bytes[13] << 8, 1);      // count as a WORD
    size_t at = 14;
    EXPECT_EQ(dword(at), 0x11u);                   // bar id
    EXPECT_EQ(dword(at + 4), 1u);                  // visible
    EXPECT_EQ(dword(at + 8), 0u);                  // floating
    EXPECT_EQ(dword(at + 16), 3u);                 // x
    EXPECT_EQ(dword(at + 20), 4u);                 // y
    EXPECT_EQ(dword(at + 24), 32767u);             // MRU width
    EXPECT_EQ(dword(at + 28), 0u);                 // not docking: no MRU fields follow
    EXPECT_EQ(dword(at + 32), 0x55u);              // style
    // ... then the share as text, the sizes and the last fields; the ids end it.
    EXPECT_EQ(dword(bytes.size() - 8), 1u);        // one contained id
    EXPECT_EQ(dword(bytes.size() - 4), 0u);
}

TEST(DockStateArchive, VersionOneHasNoScreenSizeAndNoMRUFields)
{
    OZWDockState saved;
    saved.m_dwVersion = 1;
    Info* p = DockedBar(1001);
    saved.m_arrBarInfo.Add(p);
    std::vector<BYTE> bytes = Store(saved);
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 1);        // the count follows the version at once
    OZWDockState loaded;
    Load(loaded, bytes);
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), 1);
    const Info& back = *loaded.GetBarInfo(0);
    EXPECT_EQ(back.m_pointPos, p->m_pointPos);
    EXPECT_FALSE(back.m_bDocking);
    EXPECT_EQ(back.m_nMRUWidth, 32767);
    EXPECT_EQ(back.m_dwStyle, p->m_dwStyle);
    EXPECT_EQ(loaded.GetVersion(), 2u);
}

TEST(DockStateArchive, ATruncatedArchiveRaisesTheArchiveException)
{
    OZWDockState saved;
    saved.m_arrBarInfo.Add(DockedBar(1001));
    saved.m_arrBarInfo.Add(HiddenFloatingDockBar());
    const std::vector<BYTE> bytes = Store(saved);
    for (size_t cut : { (size_t)6, (size_t)20, bytes.size() / 2, bytes.size() - 1 }) {
        OZWDockState loaded;
        CRuntimeClass* caught = nullptr;
        try {
            Load(loaded, std::vector<BYTE>(bytes.begin(), bytes.begin() + (long)cut));
        } catch (CException* e) {
            caught = e->GetRuntimeClass();
            e->Delete();
        }
        EXPECT_EQ(caught, RUNTIME_CLASS(CArchiveException)) << cut;
        EXPECT_LE(loaded.m_arrBarInfo.GetSize(), 2);   // what was read goes with the state
    }
    // A damaged count of ids is refused, not allocated.
    std::vector<BYTE> damaged = bytes;
    const size_t lastCount = damaged.size() - 4 * 5;   // the floating dock bar's count of 4 ids
    damaged[lastCount + 3] = 0x7F;
    OZWDockState loaded;
    EXPECT_THROW({
        try {
            Load(loaded, damaged);
        } catch (CException* e) {
            e->Delete();
            throw 1;
        }
    }, int);
}

TEST(ControlBarManager, BaseAnswersNothingKnown)
{
    CFrameWnd frame;
    OZWControlBarManager manager(&frame);
    EXPECT_EQ(manager.GetFrameWnd(), &frame);
    EXPECT_STREQ(manager.GetRuntimeClass()->m_lpszClassName, "OZWControlBarManager");
    OZWPTNFactory factory;
    EXPECT_FALSE(manager.LoadState((OZWPersistentTreeNode*)nullptr));
    EXPECT_FALSE(manager.SaveState(&factory, nullptr));
    EXPECT_TRUE(manager.SaveState(&factory, factory.CreateNode("N", nullptr)));
    EXPECT_EQ(manager.GetBarTypeID(nullptr), 0u);
    Info info;
    EXPECT_EQ(manager.CreateBarInfoEx(&info), nullptr);
    EXPECT_EQ(manager.CreateControlBar(&info), nullptr);
}
