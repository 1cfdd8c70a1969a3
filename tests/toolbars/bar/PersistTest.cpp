// A toolbar's title and buttons kept with the saved layout: the profile,
// tree and archive forms, damaged saved states, and toolbars made again
// from a saved layout.
#include "frame/settings/OZWPersistentTreeNode.h"
#include "tests/toolbars/bar/ToolBarTestSupport.h"
#include "toolbars/bar/OZWCustomToolBarInfoEx.h"
#include "toolbars/buttons/ComboBtn.h"
#include "toolbars/model/ToolBarIds.h"

using namespace toolbartest;

namespace {

const OZWBtnMapEntry kBoxMap[] = {
    {OZWBTN_CLASS(OZWComboBtn), ID_TEST_BOX, TBB_KEEPENABLED, {IDC_TEST_BOX, CBS_DROPDOWN, 0x2800C8, 0xC8, 0}},
    {nullptr, 0, 0, {0, 0, 0, 0, 0}},
};

// The letter pairs of bytes, as the profile keeps binary values.
std::string Letters(const std::vector<BYTE>& bytes)
{
    return (LPCTSTR)AfxEncodeLetterPairs(bytes.data(), (UINT)bytes.size());
}

} // namespace

TEST_F(ToolBarTest, AToolBarsButtonsGoToItsSectionAndComeBack)
{
    MakeFrameWithToolBars();
    OZWCustomToolBarInfoEx saved;
    saved.TakeFrom(Bar(IDW_TEST_BAR1));
    ASSERT_TRUE(saved.SaveState("Test-Bar0"));
    EXPECT_EQ("First", Ini("Test-Bar0", "Title"));
    // Five records of five bytes, the separator's id 0.
    const std::string buttons = Ini("Test-Bar0", "Buttons");
    CByteArray bytes;
    ASSERT_TRUE(AfxDecodeLetterPairs(buttons.c_str(), bytes));
    ASSERT_EQ(25, bytes.GetSize());
    EXPECT_EQ(0, bytes[10] | bytes[11] | bytes[12] | bytes[13]);

    OZWCustomToolBarInfoEx loaded;
    ASSERT_TRUE(loaded.LoadState("Test-Bar0", nullptr));
    OZWCustomToolBar* pOther = Bar(IDW_TEST_BAR2);
    loaded.ApplyTo(pOther);
    EXPECT_EQ(Ids(Bar(IDW_TEST_BAR1)), Ids(pOther));
    CString title;
    pOther->GetWindowText(title);
    EXPECT_EQ(CString("First"), title);
}

TEST_F(ToolBarTest, AnEmptyTitleIsNotWritten)
{
    MakeFrameWithToolBars();
    Bar(IDW_TEST_BAR2)->SetWindowText("");
    OZWCustomToolBarInfoEx saved;
    saved.TakeFrom(Bar(IDW_TEST_BAR2));
    ASSERT_TRUE(saved.SaveState("Test-Bar1"));
    EXPECT_EQ("<none>", Ini("Test-Bar1", "Title"));
    EXPECT_NE("<none>", Ini("Test-Bar1", "Buttons"));
}

TEST_F(ToolBarTest, ADamagedSavedToolBarKeepsItsDefaults)
{
    MakeFrameWithToolBars();
    const std::vector<UINT> defaults = Ids(Bar(IDW_TEST_BAR2));
    const std::vector<BYTE> sound = {0x9F, 0x7C, 0, 0, 0, 0, 0, 0, 0, 0};   // C (31903) and a separator
    std::vector<BYTE> trailing = sound;
    trailing.push_back(0x9D);
    struct Case
    {
        const char* what;
        const char* value;   // null: no value at all
        std::vector<UINT> expected;
    } cases[] = {
        {"no value", nullptr, defaults},
        {"an empty value (the user emptied it)", "", {}},
        {"a record cut short", "AB", defaults},
        {"not letter pairs", "ZZZZ", defaults},
        {"an odd number of letters", "ABC", defaults},
        {"bytes after the last record", nullptr, defaults},
        {"a sound stream", nullptr, {ID_TEST_C, 0}},
    };
    cases[5].value = _strdup(Letters(trailing).c_str());
    cases[6].value = _strdup(Letters(sound).c_str());
    for (const Case& c : cases) {
        OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR2);
        pBar->SetButtons(g_bar2, 2);
        ::WritePrivateProfileStringA("Test-Bar2", nullptr, nullptr, profile.c_str());
        if (c.value != nullptr)
            WriteIni("Test-Bar2", "Buttons", c.value);
        WriteIni("Test-Bar2", "Title", "Renamed");
        OZWCustomToolBarInfoEx loaded;
        ASSERT_TRUE(loaded.LoadState("Test-Bar2", nullptr)) << c.what;
        loaded.ApplyTo(pBar);
        EXPECT_EQ(c.expected, Ids(pBar)) << c.what;
    }
    free(const_cast<char*>(cases[5].value));
    free(const_cast<char*>(cases[6].value));
}

TEST_F(ToolBarTest, AComboBoxsWidthComesBackThroughEveryForm)
{
    MakeFrame();
    manager->SetButtonMap(kBoxMap);
    OZWCustomToolBar* pBar = manager->CreateUserToolBar("Box");
    pBar->InsertButton(0, ID_TEST_A);
    pBar->InsertButton(1, ID_TEST_BOX);
    const BYTE width[2] = {0x2C, 0x01};   // 300
    pBar->GetButton(1)->SetBtnData(2, width);
    OZWCustomToolBarInfoEx saved;
    saved.TakeFrom(pBar);

    auto widthAfter = [&](OZWCustomToolBarInfoEx& loaded) {
        OZWCustomToolBar* pTarget = manager->CreateUserToolBar("Target");
        loaded.ApplyTo(pTarget);
        const int nWidth = pTarget->GetButtonCount() == 2
                               ? static_cast<OZWWndBtn*>(static_cast<OZWComboBtn*>(pTarget->GetButton(1)))->GetWndWidth()
                               : -1;
        pTarget->DestroyWindow();
        return nWidth;
    };
    // Profile.
    ASSERT_TRUE(saved.SaveState("Box-Bar0"));
    OZWCustomToolBarInfoEx fromProfile;
    fromProfile.LoadState("Box-Bar0", nullptr);
    EXPECT_EQ(300, widthAfter(fromProfile));
    // Tree.
    OZWPTNFactory factory;
    OZWPersistentTreeNode* pRoot = factory.CreateNode("Bar-0", nullptr);
    ASSERT_NE(nullptr, pRoot);
    ASSERT_TRUE(saved.SaveState(&factory, pRoot));
    ASSERT_NE(nullptr, pRoot->FindChild("ToolBarInfoEx"));
    OZWCustomToolBarInfoEx fromTree;
    ASSERT_TRUE(fromTree.LoadState(pRoot));
    EXPECT_EQ(300, widthAfter(fromTree));
    // Archive.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        saved.Serialize(ar, nullptr);
    }
    file.SeekToBegin();
    OZWCustomToolBarInfoEx fromArchive;
    {
        CArchive ar(&file, CArchive::load);
        fromArchive.Serialize(ar, nullptr);
    }
    EXPECT_EQ(CString("Box"), fromArchive.m_strTitle);
    EXPECT_EQ(300, widthAfter(fromArchive));
}

TEST_F(ToolBarTest, ACutArchiveRaisesAndChangesNothing)
{
    MakeFrameWithToolBars();
    OZWCustomToolBarInfoEx saved;
    saved.TakeFrom(Bar(IDW_TEST_BAR1));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        saved.Serialize(ar, nullptr);
    }
    const ULONGLONG nLength = file.GetLength();
    file.SetLength(nLength - 3);
    file.SeekToBegin();
    OZWCustomToolBarInfoEx loaded;
    bool raised = false;
    try {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar, nullptr);
    } catch (CArchiveException* e) {
        raised = true;
        e->Delete();
    }
    EXPECT_TRUE(raised);
    EXPECT_FALSE(loaded.m_bHasButtons);
    loaded.ApplyTo(Bar(IDW_TEST_BAR2));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_D}), Ids(Bar(IDW_TEST_BAR2)));
}

TEST_F(ToolBarTest, ASavedLayoutsToolBarIsMadeAgainEmptyAndFilledFromItsRecord)
{
    MakeFrame();
    OZWControlBarInfo info(manager);
    info.m_dwTypeID = ozwtb::kToolBarTypeId;
    info.m_nBarID = 59430;
    OZWControlBarInfoEx* pInfoEx = manager->CreateBarInfoEx(&info);
    ASSERT_NE(nullptr, dynamic_cast<OZWCustomToolBarInfoEx*>(pInfoEx));
    info.m_pBarInfoEx = pInfoEx;
    CControlBar* pMade = manager->CreateControlBar(&info);
    OZWCustomToolBar* pBar = dynamic_cast<OZWCustomToolBar*>(pMade);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(59430, pBar->GetDlgCtrlID());
    EXPECT_EQ(0, pBar->GetButtonCount());
    EXPECT_EQ(ozwtb::kToolBarTypeId, manager->GetBarTypeID(pBar));
    // The record's buttons fill it.
    OZWCustomToolBarInfoEx* pRecord = static_cast<OZWCustomToolBarInfoEx*>(pInfoEx);
    pRecord->m_strTitle = "Mine";
    pRecord->m_arrButtons.Add(new OZWBtnInfo(ID_TEST_D, nullptr, 0));
    pRecord->m_bHasButtons = TRUE;
    EXPECT_TRUE(pBar->LoadExtraInfo(&info, frame));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_D}), Ids(pBar));
    // Other types are the base's: none.
    OZWControlBarInfo other(manager);
    other.m_dwTypeID = 5;
    EXPECT_EQ(nullptr, manager->CreateBarInfoEx(&other));
    EXPECT_EQ(nullptr, manager->CreateControlBar(&other));
}

TEST_F(ToolBarTest, TheManagersSettingsInTheSettingsTree)
{
    MakeFrameWithToolBars();
    manager->EnableLargeBtns(TRUE);
    OZWPTNFactory factory;
    OZWPersistentTreeNode* pRoot = factory.CreateNode("Frame", nullptr);
    ASSERT_TRUE(manager->SaveState(&factory, pRoot));
    int nLarge = 0;
    ASSERT_NE(nullptr, pRoot->FindChild("ToolBarMgr"));
    pRoot->FindChild("ToolBarMgr")->GetInt("LargeButtons", &nLarge, 0);
    EXPECT_EQ(1, nLarge);
    manager->EnableLargeBtns(FALSE);
    EXPECT_TRUE(manager->LoadState(pRoot));
    EXPECT_TRUE(manager->IsLargeBtnsEnabled());

    // Without the child the defaults hold, for the toolbars too.
    manager->EnableCoolLook(FALSE, 0x300);
    OZWPersistentTreeNode* pEmpty = factory.CreateNode("Empty", nullptr);
    EXPECT_TRUE(manager->LoadState(pEmpty));
    EXPECT_FALSE(manager->IsLargeBtnsEnabled());
    EXPECT_TRUE(manager->IsCoolLookEnabled());
    EXPECT_EQ(0x300u, Bar(IDW_TEST_BAR1)->GetExBarStyle() & 0x300);
    EXPECT_FALSE(manager->LoadState((OZWPersistentTreeNode*)nullptr));
}
