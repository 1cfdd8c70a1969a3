// The application's profile file: texts, numbers and binary values written
// and read back, the stored form of binary values, and the recent-file list.
#include "tests/platform/framework/window/WindowTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <fstream>

using wndtest::TestApp;

namespace {

struct ProfileFixture : public ::testing::Test
{
    TestApp app;
    std::string path;

    void SetUp() override
    {
        path = kvtest::ScratchDir("window_profile") + "\\Kelvaron.INI";
        free(const_cast<char*>(app.m_pszProfileName));
        app.m_pszProfileName = _strdup(path.c_str());
    }

    // What the file holds for one entry, as text.
    std::string RawValue(LPCSTR lpszSection, LPCSTR lpszEntry)
    {
        char szValue[1024] = {};
        ::GetPrivateProfileStringA(lpszSection, lpszEntry, "<missing>", szValue, sizeof(szValue), path.c_str());
        return szValue;
    }
};

} // namespace

TEST_F(ProfileFixture, TextsAndNumbersReadBackAsWritten)
{
    const std::string longText(3000, 'x');
    ASSERT_TRUE(app.WriteProfileString("Settings", "Name", "Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln"));
    ASSERT_TRUE(app.WriteProfileString("Settings", "Long", longText.c_str()));
    ASSERT_TRUE(app.WriteProfileInt("Settings", "Negative", -12345));
    ASSERT_TRUE(app.WriteProfileInt("Other", "Language", 1033));

    EXPECT_STREQ("Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln", app.GetProfileString("Settings", "Name"));
    EXPECT_STREQ(longText.c_str(), app.GetProfileString("Settings", "Long"));
    EXPECT_EQ(-12345, (int)app.GetProfileInt("Settings", "Negative", 0));
    EXPECT_EQ(1033u, app.GetProfileInt("Other", "Language", 0));
    EXPECT_EQ("-12345", RawValue("Settings", "Negative"));

    // Missing values give the defaults.
    EXPECT_STREQ("fallback", app.GetProfileString("Settings", "Missing", "fallback"));
    EXPECT_STREQ("", app.GetProfileString("Nowhere", "Missing"));
    EXPECT_EQ(77u, app.GetProfileInt("Nowhere", "Missing", 77));

    // A null value removes the entry, a null entry the whole section.
    ASSERT_TRUE(app.WriteProfileString("Settings", "Name", nullptr));
    EXPECT_STREQ("gone", app.GetProfileString("Settings", "Name", "gone"));
    ASSERT_TRUE(app.WriteProfileString("Settings", nullptr, nullptr));
    EXPECT_EQ(5u, app.GetProfileInt("Settings", "Negative", 5));
    EXPECT_EQ(1033u, app.GetProfileInt("Other", "Language", 0));
}

TEST_F(ProfileFixture, BinaryValuesAreStoredAsLetterPairsAndReadBack)
{
    BYTE known[] = { 0x00, 0x1F, 0xA5, 0xFF };
    ASSERT_TRUE(app.WriteProfileBinary("MainFrame", "Known", known, sizeof(known)));
    EXPECT_EQ("AAPBFKPP", RawValue("MainFrame", "Known")); // low half first, 'A'..'P'

    // Every byte value, and a window placement as the program keeps it.
    BYTE all[256];
    for (int i = 0; i < 256; i++)
        all[i] = (BYTE)i;
    WINDOWPLACEMENT wp = { sizeof(wp), 0, SW_SHOWMAXIMIZED, { -1, -1 }, { -8, -8 }, { 10, 20, 810, 620 } };
    ASSERT_TRUE(app.WriteProfileBinary("MainFrame", "All", all, sizeof(all)));
    ASSERT_TRUE(app.WriteProfileBinary("MainFrame", "WP", (LPBYTE)&wp, sizeof(wp)));

    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(app.GetProfileBinary("MainFrame", "All", &pData, &nBytes));
    ASSERT_EQ(256u, nBytes);
    EXPECT_EQ(0, memcmp(all, pData, 256));
    delete[] pData;

    ASSERT_TRUE(app.GetProfileBinary("MainFrame", "WP", &pData, &nBytes));
    ASSERT_EQ(sizeof(WINDOWPLACEMENT), nBytes);
    EXPECT_EQ(0, memcmp(&wp, pData, sizeof(wp)));
    delete[] pData;
}

TEST_F(ProfileFixture, BinaryValueThatIsMissingOrDamagedIsNotRead)
{
    ASSERT_TRUE(app.WriteProfileString("MainFrame", "Odd", "ABC"));
    ASSERT_TRUE(app.WriteProfileString("MainFrame", "Foreign", "AAZZ"));
    ASSERT_TRUE(app.WriteProfileString("MainFrame", "Lower", "aa"));
    ASSERT_TRUE(app.WriteProfileString("MainFrame", "Empty", ""));
    for (LPCSTR lpszEntry : { "Odd", "Foreign", "Lower", "Empty", "Missing" }) {
        LPBYTE pData = (LPBYTE)1;
        UINT nBytes = 99;
        EXPECT_FALSE(app.GetProfileBinary("MainFrame", lpszEntry, &pData, &nBytes)) << lpszEntry;
        EXPECT_EQ(nullptr, pData) << lpszEntry;
        EXPECT_EQ(0u, nBytes) << lpszEntry;
    }
}

TEST_F(ProfileFixture, RecentFileListKeepsTheLatestFirstWithoutDuplicates)
{
    app.LoadStdProfileSettings(3);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    app.AddToRecentFileList("C:\\data\\a.mdb");
    app.AddToRecentFileList("C:\\data\\b.mdb");
    app.AddToRecentFileList("C:\\DATA\\A.MDB"); // the same file moves up
    app.AddToRecentFileList("C:\\data\\c.mdb");
    app.AddToRecentFileList("C:\\data\\d.mdb"); // the oldest drops off
    app.AddToRecentFileList("");                // ignored
    CRecentFileList& list = *app.m_pRecentFileList;
    ASSERT_EQ(3, list.GetSize());
    EXPECT_STREQ("C:\\data\\d.mdb", list[0]);
    EXPECT_STREQ("C:\\data\\c.mdb", list[1]);
    EXPECT_STRCASEEQ("C:\\data\\a.mdb", list[2]);

    // Saved at exit, read at the next start.
    app.SaveStdProfileSettings();
    EXPECT_EQ("C:\\data\\d.mdb", RawValue("Recent File List", "File1"));
    app.LoadStdProfileSettings(3);
    EXPECT_STREQ("C:\\data\\d.mdb", (*app.m_pRecentFileList)[0]);
    EXPECT_STRCASEEQ("C:\\data\\a.mdb", (*app.m_pRecentFileList)[2]);

    // A removed entry closes the gap, and is gone from the file once saved.
    app.m_pRecentFileList->Remove(0);
    EXPECT_STREQ("C:\\data\\c.mdb", (*app.m_pRecentFileList)[0]);
    EXPECT_STREQ("", (*app.m_pRecentFileList)[2]);
    app.SaveStdProfileSettings();
    EXPECT_EQ("<missing>", RawValue("Recent File List", "File3"));
}

TEST_F(ProfileFixture, RecentFileMenuShowsOneNumberedItemPerFile)
{
    app.LoadStdProfileSettings(4);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_FILE_OPEN, "&Open");
    ::AppendMenuA(hMenu, MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
    ::AppendMenuA(hMenu, MF_STRING, ID_APP_EXIT, "E&xit");

    // No files: the placeholder, disabled.
    AfxUpdateMenuCmdUI(&app, hMenu, FALSE);
    EXPECT_EQ(3, ::GetMenuItemCount(hMenu));
    EXPECT_TRUE(::GetMenuState(hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    app.AddToRecentFileList("C:\\data\\first.mdb");
    app.AddToRecentFileList("C:\\data\\R&D.mdb");
    AfxUpdateMenuCmdUI(&app, hMenu, FALSE);
    ASSERT_EQ(4, ::GetMenuItemCount(hMenu));
    char szText[128] = {};
    ::GetMenuStringA(hMenu, 1, szText, sizeof(szText), MF_BYPOSITION);
    EXPECT_STREQ("&1 C:\\data\\R&&D.mdb", szText);
    EXPECT_EQ(ID_FILE_MRU_FILE1, ::GetMenuItemID(hMenu, 1));
    ::GetMenuStringA(hMenu, 2, szText, sizeof(szText), MF_BYPOSITION);
    EXPECT_STREQ("&2 C:\\data\\first.mdb", szText);
    EXPECT_EQ(ID_FILE_MRU_FILE2, ::GetMenuItemID(hMenu, 2));
    EXPECT_FALSE(::GetMenuState(hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(ID_APP_EXIT, ::GetMenuItemID(hMenu, 3));

    // Updating again does not add the items twice.
    AfxUpdateMenuCmdUI(&app, hMenu, FALSE);
    EXPECT_EQ(4, ::GetMenuItemCount(hMenu));
    ::DestroyMenu(hMenu);
}

TEST(RecentFileList, LongPathsAreShortenedInTheMiddle)
{
    struct Case
    {
        const char* path;
        int nMax;
        BOOL bAtLeastName;
        const char* expected;
    } cases[] = {
        { "C:\\short\\a.mdb", 30, TRUE, "C:\\short\\a.mdb" },
        { "C:\\one\\two\\three\\four\\database.mdb", 30, TRUE, "C:\\...\\three\\four\\database.mdb" },
        { "C:\\one\\two\\three\\four\\database.mdb", 20, TRUE, "C:\\...\\database.mdb" },
        { "C:\\one\\two\\three\\four\\database.mdb", 10, TRUE, "database.mdb" },
        { "C:\\one\\two\\three\\four\\database.mdb", 10, FALSE, "" },
        { "\\\\server\\share\\folder\\deeper\\file.mdb", 30, TRUE, "\\\\server\\share\\...\\file.mdb" },
    };
    for (const Case& c : cases) {
        char buffer[MAX_PATH];
        strcpy(buffer, c.path);
        AfxAbbreviateName(buffer, c.nMax, c.bAtLeastName);
        EXPECT_STREQ(c.expected, buffer) << c.path << " " << c.nMax;
    }
}
