// The settings file kept in memory answers as the system's profile functions
// answer on the same file, follows its own writes and notices the file
// changed behind it.
#include "platform/framework/base/ProfileFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

std::string MakeFile(const char* name, const char* text)
{
    std::string path = kvtest::ScratchDir("ProfileFile") + "\\" + name;
    DeleteFileA(path.c_str());
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string SystemString(const std::string& file, const char* section, const char* key)
{
    char buffer[512] = {};
    GetPrivateProfileStringA(section, key, "<default>", buffer, sizeof(buffer), file.c_str());
    return buffer;
}

const char kText[] = "; a comment\r\n"
                     "[Main]\r\n"
                     "Name = Pipe and tape  \r\n"
                     "Quoted=\"with quotes\"\r\n"
                     "Half=\"open\r\n"
                     "Empty=\r\n"
                     "NoValue\r\n"
                     "Twice=first\r\n"
                     "twice=second\r\n"
                     "Hex=0x1F\r\n"
                     "Negative= -12\r\n"
                     "Words=twelve\r\n"
                     "Spaced=  42 apples\r\n"
                     "[other section]\r\n"
                     "Key=in the other\r\n"
                     "[main]\r\n"
                     "Late=in a second Main\r\n";

} // namespace

TEST(ProfileFile, AnswersAsTheSystemDoes)
{
    std::string file = MakeFile("read.ini", kText);
    struct Case
    {
        const char* section;
        const char* key;
    };
    const Case cases[] = {
        {"Main", "Name"},   {"MAIN", "name"},  {"Main", "Quoted"},        {"Main", "Half"},
        {"Main", "Empty"},  {"Main", "NoValue"}, {"Main", "Twice"},       {"Main", "Hex"},
        {"Main", "Missing"}, {"Missing", "Name"}, {"Other Section", "KEY"}, {"Main", "Late"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SystemString(file, c.section, c.key),
                  kvprofile::ReadString(file.c_str(), c.section, c.key, "<default>").str())
            << c.section << "/" << c.key;
    for (const char* key : {"Hex", "Negative", "Words", "Spaced", "Empty", "NoValue", "Missing", "Name"})
        EXPECT_EQ((int)GetPrivateProfileIntA("Main", key, 77, file.c_str()),
                  kvprofile::ReadInt(file.c_str(), "Main", key, 77))
            << key;
    CStringArray keys;
    EXPECT_TRUE(kvprofile::ReadKeys(file.c_str(), "other section", keys));
    ASSERT_EQ(1, keys.GetSize());
    EXPECT_EQ("Key", keys[0].str());
    EXPECT_FALSE(kvprofile::ReadKeys(file.c_str(), "Missing", keys));
    EXPECT_EQ("<default>", kvprofile::ReadString((file + ".none").c_str(), "Main", "Name", "<default>").str());
}

TEST(ProfileFile, FollowsItsOwnWritesAndTheFileChangedBehindIt)
{
    std::string file = MakeFile("write.ini", kText);
    const char* path = file.c_str();
    EXPECT_EQ("Pipe and tape", kvprofile::ReadString(path, "Main", "Name", "").str());

    // Written here: the file and the copy agree.
    EXPECT_TRUE(kvprofile::WriteString(path, "Main", "Name", "  Valve "));
    EXPECT_TRUE(kvprofile::WriteString(path, "New", "Count", "3"));
    EXPECT_TRUE(kvprofile::WriteString(path, "Main", "Twice", nullptr));
    EXPECT_TRUE(kvprofile::WriteString(path, "other section", nullptr, nullptr));
    for (auto [section, key] : {std::pair{"Main", "Name"}, {"New", "Count"}, {"Main", "Twice"}, {"other section", "Key"}})
        EXPECT_EQ(SystemString(file, section, key), kvprofile::ReadString(path, section, key, "<default>").str())
            << section << "/" << key;
    EXPECT_EQ(3, kvprofile::ReadInt(path, "New", "Count", 0));

    // Written behind its back, and the file replaced by a shorter one.
    WritePrivateProfileStringA("Main", "Name", "Pump", path);
    EXPECT_EQ("Pump", kvprofile::ReadString(path, "Main", "Name", "").str());
    MakeFile("write.ini", "[Main]\r\nName=Wire\r\n");
    EXPECT_EQ("Wire", kvprofile::ReadString(path, "Main", "Name", "").str());
    EXPECT_EQ("<default>", kvprofile::ReadString(path, "New", "Count", "<default>").str());
}
