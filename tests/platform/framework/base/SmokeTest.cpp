#include <gtest/gtest.h>
#include <windows.h>

// The manifest makes the process's active code page UTF-8.
TEST(Platform, ActiveCodePageIsUtf8)
{
    EXPECT_EQ(65001u, GetACP());
}

TEST(Platform, StringTableIsLinked)
{
    char text[64] = {};
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), 0xE000, text, sizeof(text)), 0);
    EXPECT_STREQ("Kelvaron", text);
}
