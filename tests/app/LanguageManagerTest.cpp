// The interface language: the choice at start-up and its fallbacks, the
// Language menu and the stored choice, with a German library built by the
// tests (a few translated texts).
#include "app/UILanguageManager.h"
#include "app/AppRes.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

const LANGID kEnglishUS = 0x0409;
const LANGID kGerman = 0x0407;
const LANGID kSwissGerman = 0x0807;
const LANGID kFrench = 0x040C;

// A manager for a program "Editor.exe" in a folder of the test's own, with
// the operating system's answers given by the test; it records every
// language it tries to install.
class TestLanguageManager : public CUILanguageManager
{
public:
    explicit TestLanguageManager(const std::string& folder) : m_program(folder + "\\Editor.exe") {}

    BOOL TryLanguage(LANGID langid) override
    {
        tried.push_back(langid);
        return CUILanguageManager::TryLanguage(langid);
    }

    LANGID userUI = kEnglishUS, systemUI = kEnglishUS, user = kEnglishUS, system = kEnglishUS;
    std::vector<LANGID> tried;

protected:
    CString GetProgramPath() const override { return m_program.c_str(); }
    LANGID GetUserUILanguage() const override { return userUI; }
    LANGID GetSystemUILanguage() const override { return systemUI; }
    LANGID GetUserLanguage() const override { return user; }
    LANGID GetSystemLanguage() const override { return system; }

private:
    std::string m_program;
};

class LanguageManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = kvtest::ScratchDir(std::string("language_") + info->name());
        m_profile = m_folder + "\\Editor.INI";
    }
    void TearDown() override { AfxSetResourceHandle(nullptr); }

    // The German library in the Language folder, as EditorDEU.dll.
    void InstallGerman()
    {
        ::CreateDirectoryA((m_folder + "\\Language").c_str(), nullptr);
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("tests/language/EditorDEU.dll"),
                                       m_folder + "\\Language\\EditorDEU.dll"));
    }
    void StoreChoice(LANGID langid)
    {
        ::WritePrivateProfileStringA("Editor", "Language", std::to_string(langid).c_str(), m_profile.c_str());
    }
    std::string StoredChoice()
    {
        char text[32] = {};
        ::GetPrivateProfileStringA("Editor", "Language", "<none>", text, sizeof(text), m_profile.c_str());
        return text;
    }

    std::string m_folder, m_profile;
};

} // namespace

TEST_F(LanguageManagerTest, LibraryNamesFollowTheProgram)
{
    TestLanguageManager manager(m_folder);
    EXPECT_EQ(kEnglishUS, manager.GetDefaultLanguage());
    EXPECT_STREQ((m_folder + "\\Language\\EditorDEU.dll").c_str(), manager.GetLibraryPath(kGerman));
    EXPECT_STREQ((m_folder + "\\Language\\EditorFRA.dll").c_str(), manager.GetLibraryPath(kFrench));
    EXPECT_STREQ("", manager.GetLibraryPath(0));
}

// Each candidate is tried, then its primary language, then the primary
// language with its default sublanguage.
TEST_F(LanguageManagerTest, FallbackOfOneCandidate)
{
    struct Case { LANGID langid; std::vector<LANGID> tried; };
    const Case cases[] = {
        {kSwissGerman, {0x0807, 0x0007, 0x0407}},
        {kFrench, {0x040C, 0x000C}},
        {0x0007, {0x0007, 0x0407}},
        {0, {}},
    };
    for (const Case& c : cases) {
        TestLanguageManager manager(m_folder);
        EXPECT_FALSE(manager.TryLanguageWithFallback(c.langid));
        EXPECT_EQ(c.tried, manager.tried) << std::hex << c.langid;
        EXPECT_EQ(0, manager.GetLanguage());
    }
}

// No library anywhere: every candidate is tried in its order, and the
// program's own language is installed last.
TEST_F(LanguageManagerTest, CandidatesInOrderThenTheDefault)
{
    StoreChoice(kFrench);
    TestLanguageManager manager(m_folder);
    manager.userUI = 0x0410;   // Italian
    manager.systemUI = 0;      // the system cannot tell
    manager.user = 0x0C0A;     // Spanish (Spain, modern)
    manager.system = 0x0416;   // Portuguese (Brazil)
    EXPECT_TRUE(manager.LoadLanguage(m_profile.c_str(), "Editor"));
    const std::vector<LANGID> expected = {0x040C, 0x000C, 0x0410, 0x0010, 0x0C0A, 0x000A, 0x040A,
                                          0x0416, 0x0016, 0x0409};
    EXPECT_EQ(expected, manager.tried);
    EXPECT_EQ(kEnglishUS, manager.GetLanguage());
    EXPECT_EQ(AfxGetInstanceHandle(), manager.GetResourceHandle());
}

// Without a stored choice the profile's default, 1033, is the program's own
// language and wins at once.
TEST_F(LanguageManagerTest, NoStoredChoiceMeansEnglish)
{
    TestLanguageManager manager(m_folder);
    manager.userUI = kGerman;
    InstallGerman();
    EXPECT_TRUE(manager.LoadLanguage(m_profile.c_str(), "Editor"));
    EXPECT_EQ((std::vector<LANGID>{kEnglishUS}), manager.tried);
    EXPECT_EQ(kEnglishUS, manager.GetLanguage());
}

// The stored German library is installed: its texts replace the program's,
// and texts it lacks still come from the program.
TEST_F(LanguageManagerTest, LibraryTextsReplaceTheProgramsOwn)
{
    InstallGerman();
    StoreChoice(kGerman);
    {
        TestLanguageManager manager(m_folder);
        ASSERT_TRUE(manager.LoadLanguage(m_profile.c_str(), "Editor"));
        EXPECT_EQ(kGerman, manager.GetLanguage());
        EXPECT_NE(AfxGetInstanceHandle(), manager.GetResourceHandle());
        EXPECT_EQ(manager.GetResourceHandle(), AfxGetResourceHandle());
        EXPECT_STREQ("Rohre", LoadText(IDS_TAB_PIPES));
        EXPECT_STREQ("Der Datenbankeditor läuft bereits.", LoadText(IDS_ALREADY_RUNNING));
        EXPECT_STREQ("Valves", LoadText(IDS_TAB_VALVES));
    }
    // The manager gone, the program's own texts are back.
    EXPECT_STREQ("Pipes", LoadText(IDS_TAB_PIPES));
}

// A stored choice whose library is missing or broken falls through to the
// next candidates; the program's own texts stay.
TEST_F(LanguageManagerTest, MissingOrBrokenLibraryFallsThrough)
{
    ::CreateDirectoryA((m_folder + "\\Language").c_str(), nullptr);
    std::ofstream(m_folder + "\\Language\\EditorFRA.dll", std::ios::binary) << "MZ this is no library";
    for (LANGID stored : {kFrench, (LANGID)0x0410}) {
        StoreChoice(stored);
        TestLanguageManager manager(m_folder);
        manager.userUI = kFrench;
        manager.systemUI = kEnglishUS;
        EXPECT_TRUE(manager.LoadLanguage(m_profile.c_str(), "Editor"));
        EXPECT_EQ(kEnglishUS, manager.GetLanguage());
        EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
        EXPECT_STREQ("Pipes", LoadText(IDS_TAB_PIPES));
    }
    // The German library found later in the order is taken.
    InstallGerman();
    TestLanguageManager manager(m_folder);
    manager.userUI = kFrench;
    manager.systemUI = kSwissGerman;
    EXPECT_TRUE(manager.LoadLanguage(m_profile.c_str(), "Editor"));
    EXPECT_EQ(LANG_GERMAN, PRIMARYLANGID(manager.GetLanguage()));
    EXPECT_STREQ("Rohre", LoadText(IDS_TAB_PIPES));
}

// The Language menu lists the program's language and each library found;
// a choice is stored and the user is asked, in the chosen language, to
// restart, while the running texts stay as they are.
TEST_F(LanguageManagerTest, MenuListsLanguagesAndStoresTheChoice)
{
    CMenu bar;
    ASSERT_TRUE(bar.CreatePopupMenu());
    bar.AppendMenu(MF_STRING, 32811, "&Language");
    CCmdUI state;
    state.m_pMenu = &bar;
    state.m_nIndex = 0;
    state.m_nID = 32811;

    TestLanguageManager manager(m_folder);
    ASSERT_TRUE(manager.LoadLanguage(m_profile.c_str(), "Editor"));
    manager.UpdateLanguageMenu(&state, CUILanguageManager::FirstCommandId);
    HMENU hPopup = ::GetSubMenu(bar.GetSafeHmenu(), 0);
    ASSERT_NE(nullptr, hPopup);
    ASSERT_EQ(1, ::GetMenuItemCount(hPopup));
    EXPECT_EQ(CUILanguageManager::FirstCommandId, ::GetMenuItemID(hPopup, 0));
    EXPECT_TRUE(::GetMenuState(hPopup, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_STREQ(CUILanguageManager::GetLanguageName(kEnglishUS), CString([&] {
                     char text[256] = {};
                     ::GetMenuStringA(hPopup, 0, text, sizeof(text), MF_BYPOSITION);
                     return std::string(text);
                 }().c_str()));

    // With the German library the menu grows; the popup is replaced.
    InstallGerman();
    state.m_pSubMenu = CMenu::FromHandle(hPopup);
    state.m_nID = CUILanguageManager::FirstCommandId;
    manager.UpdateLanguageMenu(&state, CUILanguageManager::FirstCommandId);
    EXPECT_FALSE(::IsMenu(hPopup));
    hPopup = ::GetSubMenu(bar.GetSafeHmenu(), 0);
    ASSERT_EQ(2, ::GetMenuItemCount(hPopup));
    ASSERT_EQ(2, manager.GetLanguages().GetSize());
    EXPECT_EQ(kGerman, manager.GetLanguages()[1]);
    EXPECT_FALSE(::GetMenuState(hPopup, 1, MF_BYPOSITION) & MF_CHECKED);
    char name[256] = {};
    ::GetMenuStringA(hPopup, 1, name, sizeof(name), MF_BYPOSITION);
    EXPECT_STREQ(CUILanguageManager::GetLanguageName(kGerman), name);

    // An id outside the list changes nothing.
    kvtest::MessageBoxWatcher boxes;
    manager.OnLanguage(CUILanguageManager::FirstCommandId + 2, FALSE, m_profile.c_str(), "Editor");
    EXPECT_EQ("<none>", StoredChoice());
    EXPECT_TRUE(boxes.Texts().empty());

    manager.OnLanguage(CUILanguageManager::FirstCommandId + 1, FALSE, m_profile.c_str(), "Editor");
    EXPECT_EQ("1031", StoredChoice());
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ(0u, boxes.Texts()[0].find("Bitte starten Sie ")) << boxes.Texts()[0];
    EXPECT_EQ(kEnglishUS, manager.GetLanguage());
    EXPECT_STREQ("Pipes", LoadText(IDS_TAB_PIPES));

    // Choosing the language in use asks for nothing; it takes back the
    // choice that waited for a restart.
    manager.OnLanguage(CUILanguageManager::FirstCommandId, FALSE, m_profile.c_str(), "Editor");
    EXPECT_EQ(std::to_string(kEnglishUS), StoredChoice());
    EXPECT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ(kEnglishUS, manager.GetLanguage());
    manager.OnLanguage(CUILanguageManager::FirstCommandId + 1, FALSE, m_profile.c_str(), "Editor");
    EXPECT_EQ(2u, boxes.Texts().size());

    // The next start takes the stored choice.
    TestLanguageManager next(m_folder);
    EXPECT_TRUE(next.LoadLanguage(m_profile.c_str(), "Editor"));
    EXPECT_EQ(kGerman, next.GetLanguage());
    next.ResetLanguage(m_profile.c_str());
    EXPECT_EQ(kEnglishUS, next.GetLanguage());
    EXPECT_STREQ("Pipes", LoadText(IDS_TAB_PIPES));
}

TEST_F(LanguageManagerTest, LanguageNamesAndFileLanguages)
{
    EXPECT_FALSE(CUILanguageManager::GetLanguageName(kGerman).IsEmpty());
    EXPECT_STRNE(CUILanguageManager::GetLanguageName(kGerman), CUILanguageManager::GetLanguageName(kFrench));
    EXPECT_STREQ("65535 - ???", CUILanguageManager::GetLanguageName(0xFFFF));

    InstallGerman();
    EXPECT_EQ(kGerman, CUILanguageManager::GetFileLanguage((m_folder + "\\Language\\EditorDEU.dll").c_str()));
    EXPECT_EQ(0, CUILanguageManager::GetFileLanguage((m_folder + "\\Editor.INI").c_str()));
    EXPECT_EQ(0, CUILanguageManager::GetFileLanguage(""));
}
