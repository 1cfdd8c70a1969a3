// The path helpers of the application that the clean and the database
// tools rely on.
#include "app/KelvaronApp.h"
#include "app/Utilities.h"

#include <gtest/gtest.h>

namespace {

struct StripCase
{
    const char* path;
    int folderLength;    // StripToFolder's result
    const char* folder;  // the path afterwards
    int nameLength;      // StripToFileName's result
    const char* name;    // the path afterwards
    const char* prefixed;  // MakePrefixedPath("~tmp", path)
};

} // namespace

TEST(PathHelpers, FolderFileNameAndPrefixedPath)
{
    const StripCase cases[] = {
        {"C:\\db\\a.mdb", 6, "C:\\db\\", 5, "a.mdb", "C:\\db\\~tmpa.mdb"},
        {"C:\\a\\b\\", 5, "C:\\a\\", -1, "C:\\a\\b\\", ""},
        {"C:\\", -1, "C:\\", -1, "C:\\", ""},
        {"a.mdb", -1, "a.mdb", -1, "a.mdb", ""},
        {"", -1, "", -1, "", ""},
        {"\\\\srv\\share\\x.sqlite", 12, "\\\\srv\\share\\", 8, "x.sqlite", "\\\\srv\\share\\~tmpx.sqlite"},
    };
    for (const StripCase& c : cases) {
        CString folder = c.path, name = c.path;
        EXPECT_EQ(c.folderLength, CKelvaronApp::StripToFolder(folder)) << c.path;
        EXPECT_STREQ(c.folder, folder) << c.path;
        EXPECT_EQ(c.nameLength, CKelvaronApp::StripToFileName(name)) << c.path;
        EXPECT_STREQ(c.name, name) << c.path;
        EXPECT_STREQ(c.prefixed, CKelvaronApp::MakePrefixedPath("~tmp", c.path)) << c.path;
    }
}

namespace {

class AppTest : public ::testing::Test
{
protected:
    CKelvaronApp m_app;
};

} // namespace

TEST_F(AppTest, RootPathIsTheProgramFolder)
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    CString expected = module;
    expected = expected.Left(expected.ReverseFind('\\') + 1);
    ASSERT_FALSE(expected.IsEmpty());
    EXPECT_STREQ(expected, m_app.GetRootPath());
}
