#include <gtest/gtest.h>

#include "units/RegistrySettings.h"
#include "tests/support/RegistryHelpers.h"

#include <clocale>
#include <cstring>
#include <string>

using kvtest::StoredText;
using kvtest::StoreRaw;
using kvtest::StoreText;

namespace {

const char kSubKey[] = "KvTest\\Registry";

class RegistrySettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { kvtest::DeleteProductSubKey("KvTest"); }
    void TearDown() override { kvtest::DeleteProductSubKey("KvTest"); }

    std::string Path(const char* name) const { return std::string(kSubKey) + "\\" + name; }

    CRegistrySettings store;
};

} // namespace

// Each type is written as the text the design program reads, and read back.
TEST_F(RegistrySettingsTest, EveryTypeIsStoredAsTextAndReadBack)
{
    int i = -42;
    ASSERT_TRUE(store.WriteSetting(Path("Int").c_str(), &i, CRegistrySettings::typeInt, sizeof(i)));
    EXPECT_EQ("-42", StoredText(kSubKey, "Int"));
    int i3 = 1234567;
    ASSERT_TRUE(store.WriteSetting(Path("Int32").c_str(), &i3, CRegistrySettings::typeInt32, 4));
    EXPECT_EQ("1234567", StoredText(kSubKey, "Int32"));
    short s = -1;
    ASSERT_TRUE(store.WriteSetting(Path("Short").c_str(), &s, CRegistrySettings::typeShort, 2));
    EXPECT_EQ("-1", StoredText(kSubKey, "Short"));
    DWORD flags = 0x80000000u;
    ASSERT_TRUE(store.WriteSetting(Path("Flags").c_str(), &flags, CRegistrySettings::typeFlags, 4));
    EXPECT_EQ("-2147483648", StoredText(kSubKey, "Flags"));
    double d = 2.5;
    ASSERT_TRUE(store.WriteSetting(Path("Double").c_str(), &d, CRegistrySettings::typeDouble, 8));
    EXPECT_EQ("2.5000000000", StoredText(kSubKey, "Double"));
    float f = 0.1f;
    ASSERT_TRUE(store.WriteSetting(Path("Float").c_str(), &f, CRegistrySettings::typeFloat, 4));
    EXPECT_EQ("0.1000000015", StoredText(kSubKey, "Float"));
    const char text[] = "C:\\Quorvex\\Symbols";
    ASSERT_TRUE(store.WriteSetting(Path("Text").c_str(), text, CRegistrySettings::typeText, 0));
    EXPECT_EQ(text, StoredText(kSubKey, "Text"));

    int i2 = 0;
    EXPECT_TRUE(store.ReadSetting(Path("Int").c_str(), &i2, CRegistrySettings::typeInt, 4));
    EXPECT_EQ(-42, i2);
    int i32 = 0;
    EXPECT_TRUE(store.ReadSetting(Path("Int32").c_str(), &i32, CRegistrySettings::typeInt32, 4));
    EXPECT_EQ(1234567, i32);
    unsigned short s2 = 0;
    EXPECT_TRUE(store.ReadSetting(Path("Short").c_str(), &s2, CRegistrySettings::typeShort, 2));
    EXPECT_EQ(0xFFFF, s2);
    DWORD flags2 = 0;
    EXPECT_TRUE(store.ReadSetting(Path("Flags").c_str(), &flags2, CRegistrySettings::typeFlags, 4));
    EXPECT_EQ(0x80000000u, flags2);
    double d2 = 0;
    EXPECT_TRUE(store.ReadSetting(Path("Double").c_str(), &d2, CRegistrySettings::typeDouble, 8));
    EXPECT_EQ(2.5, d2);
    float f2 = 0;
    EXPECT_TRUE(store.ReadSetting(Path("Float").c_str(), &f2, CRegistrySettings::typeFloat, 4));
    EXPECT_EQ(0.1f, f2);
    char text2[64] = {};
    EXPECT_TRUE(store.ReadSetting(Path("Text").c_str(), text2, CRegistrySettings::typeText, sizeof(text2)));
    EXPECT_STREQ(text, text2);
}

// A 16-bit value is read into two bytes: what follows it stays.
TEST_F(RegistrySettingsTest, AShortValueFillsTwoBytesOnly)
{
    struct Case { const char* stored; short expected; };
    const Case cases[] = { {"1234", 1234}, {"-2", -2}, {"0", 0}, {"-32768", -32768} };
    for (const Case& c : cases) {
        StoreText(kSubKey, "Short", c.stored);
        struct { short value; unsigned char after[6]; } field;
        memset(&field, 0xAB, sizeof(field));
        EXPECT_TRUE(store.ReadSetting(Path("Short").c_str(), &field.value, CRegistrySettings::typeShort, 2));
        EXPECT_EQ(c.expected, field.value) << c.stored;
        for (unsigned char b : field.after)
            EXPECT_EQ(0xAB, b) << c.stored;
    }
}

TEST_F(RegistrySettingsTest, BinaryAndMultiText)
{
    const unsigned char bytes[5] = {0, 1, 2, 0xFE, 0xFF};
    ASSERT_TRUE(store.WriteSetting(Path("Bin").c_str(), bytes, CRegistrySettings::typeBinary, 5));
    DWORD type = 0;
    std::string raw;
    ASSERT_TRUE(kvtest::QueryRaw(kSubKey, "Bin", type, raw));
    EXPECT_EQ((DWORD)REG_BINARY, type);
    EXPECT_EQ(std::string((const char*)bytes, 5), raw);

    unsigned char back[8] = {};
    EXPECT_TRUE(store.ReadSetting(Path("Bin").c_str(), back, CRegistrySettings::typeBinary, 8));
    EXPECT_EQ(0, memcmp(bytes, back, 5));
    // More bytes stored than the buffer holds fails and leaves it untouched.
    unsigned char small[3] = {7, 7, 7};
    EXPECT_FALSE(store.ReadSetting(Path("Bin").c_str(), small, CRegistrySettings::typeBinary, 3));
    EXPECT_EQ(7, small[0]);

    ASSERT_TRUE(store.WriteSetting(Path("Multi").c_str(), "first", CRegistrySettings::typeMultiText, 0));
    ASSERT_TRUE(kvtest::QueryRaw(kSubKey, "Multi", type, raw));
    EXPECT_EQ((DWORD)REG_MULTI_SZ, type);
    EXPECT_EQ(std::string("first\0\0", 7), raw);
    char multi[32] = {};
    EXPECT_TRUE(store.ReadSetting(Path("Multi").c_str(), multi, CRegistrySettings::typeMultiText, 32));
    EXPECT_STREQ("first", multi);
}

// A value of the product key itself, and keys made by reading.
TEST_F(RegistrySettingsTest, KeyPathWithoutBackslashNamesProductValue)
{
    int v = 77;
    ASSERT_TRUE(store.WriteSetting("KvTestProductValue", &v, CRegistrySettings::typeInt32, 4));
    EXPECT_EQ("77", StoredText("", "KvTestProductValue"));
    int back = 0;
    EXPECT_TRUE(store.ReadSetting("KvTestProductValue", &back, CRegistrySettings::typeInt32, 4));
    EXPECT_EQ(77, back);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kvtest::kProductKey, 0, KEY_ALL_ACCESS, &key));
    RegDeleteValueA(key, "KvTestProductValue");
    RegCloseKey(key);
    EXPECT_FALSE(store.ReadSetting("KvTestProductValue", &back, CRegistrySettings::typeInt32, 4));
}

// Failed or meaningless reads leave the caller's value alone.
TEST_F(RegistrySettingsTest, BadStoredValuesLeaveBufferUnchanged)
{
    struct Case { const char* name; const char* stored; bool found; };
    const Case cases[] = {
        {"Missing", nullptr, false},
        {"Letters", "abc", true},
        {"Empty", "", true},
        {"TooBig", "99999999999", true},
        {"TooSmall", "-2147483649", true},
    };
    for (const Case& c : cases) {
        if (c.stored)
            StoreText(kSubKey, c.name, c.stored);
        int value = 5;
        EXPECT_EQ(c.found, store.ReadSetting(Path(c.name).c_str(), &value, CRegistrySettings::typeInt32, 4) != FALSE)
            << c.name;
        EXPECT_EQ(5, value) << c.name;
        double real = 1.25;
        store.ReadSetting(Path(c.name).c_str(), &real, CRegistrySettings::typeDouble, 8);
        if (strcmp(c.name, "TooBig") && strcmp(c.name, "TooSmall")) {
            EXPECT_EQ(1.25, real) << c.name;
        }
    }

    // A number followed by other text reads as "%d" reads it.
    StoreText(kSubKey, "Trailing", " 12abc");
    int value = 0;
    EXPECT_TRUE(store.ReadSetting(Path("Trailing").c_str(), &value, CRegistrySettings::typeInt32, 4));
    EXPECT_EQ(12, value);

    // A value of another registry type is not taken as text.
    DWORD dword = 3;
    StoreRaw(kSubKey, "Dword", REG_DWORD, &dword, sizeof(dword));
    value = 5;
    EXPECT_FALSE(store.ReadSetting(Path("Dword").c_str(), &value, CRegistrySettings::typeInt32, 4));
    EXPECT_EQ(5, value);
    char text[8] = "keep";
    EXPECT_FALSE(store.ReadSetting(Path("Dword").c_str(), text, CRegistrySettings::typeText, 8));
    EXPECT_STREQ("keep", text);
}

// Texts are cut to 1023 characters when written; a stored text never
// overruns the caller's buffer, and is cut at a character boundary.
TEST_F(RegistrySettingsTest, TextLengthLimits)
{
    std::string longText(1500, 'x');
    ASSERT_TRUE(store.WriteSetting(Path("Long").c_str(), longText.c_str(), CRegistrySettings::typeText, 0));
    EXPECT_EQ(std::string(1023, 'x'), StoredText(kSubKey, "Long"));

    char guard[300];
    memset(guard, '#', sizeof(guard));
    EXPECT_TRUE(store.ReadSetting(Path("Long").c_str(), guard, CRegistrySettings::typeText, 256));
    EXPECT_EQ(std::string(255, 'x'), std::string(guard));
    EXPECT_EQ('#', guard[256]);

    // "é" is two bytes: a buffer of 4 takes one "é" (2 bytes) and no half.
    StoreText(kSubKey, "Accents", "\xC3\xA9\xC3\xA9\xC3\xA9");
    char accents[4];
    EXPECT_TRUE(store.ReadSetting(Path("Accents").c_str(), accents, CRegistrySettings::typeText, 4));
    EXPECT_STREQ("\xC3\xA9", accents);

    // Longer than any text this store writes: the read fails.
    StoreText(kSubKey, "Huge", std::string(2000, 'y'));
    char big[4096] = "keep";
    EXPECT_FALSE(store.ReadSetting(Path("Huge").c_str(), big, CRegistrySettings::typeText, sizeof(big)));
    EXPECT_STREQ("keep", big);
}

// Numbers written under either decimal separator read back.
TEST_F(RegistrySettingsTest, RealsReadUnderEitherSeparator)
{
    struct Case { const char* stored; double expected; };
    const Case cases[] = {{"1.5000000000", 1.5}, {"1,5000000000", 1.5}, {"-0,25", -0.25}, {"3", 3.0}};
    for (const Case& c : cases) {
        StoreText(kSubKey, "Real", c.stored);
        double d = 0;
        EXPECT_TRUE(store.ReadSetting(Path("Real").c_str(), &d, CRegistrySettings::typeDouble, 8));
        EXPECT_EQ(c.expected, d) << c.stored;
        float f = 0;
        EXPECT_TRUE(store.ReadSetting(Path("Real").c_str(), &f, CRegistrySettings::typeFloat, 4));
        EXPECT_EQ((float)c.expected, f) << c.stored;
    }

    // Written with the C runtime's separator, read back under it.
    const char* previous = setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (setlocale(LC_NUMERIC, "German_Germany.1252") || setlocale(LC_NUMERIC, "de-DE")) {
        double d = 0.75;
        EXPECT_TRUE(store.WriteSetting(Path("Comma").c_str(), &d, CRegistrySettings::typeDouble, 8));
        EXPECT_EQ("0,7500000000", StoredText(kSubKey, "Comma"));
        double back = 0;
        EXPECT_TRUE(store.ReadSetting(Path("Comma").c_str(), &back, CRegistrySettings::typeDouble, 8));
        EXPECT_EQ(0.75, back);
        StoreText(kSubKey, "Point", "0.5");
        EXPECT_TRUE(store.ReadSetting(Path("Point").c_str(), &back, CRegistrySettings::typeDouble, 8));
        EXPECT_EQ(0.5, back);
    }
    setlocale(LC_NUMERIC, saved.c_str());
}

// The installation probes look for a key that opens for reading.
TEST(RegistryProbes, KeysThatOpen)
{
    const char kPlugin[] = "Software\\Google\\GoogleEarthPlugin";
    RegDeleteTreeA(HKEY_CURRENT_USER, kPlugin);
    EXPECT_FALSE(CRegistrySettings::IsEarthPluginInstalled());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kPlugin, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    RegCloseKey(key);
    EXPECT_TRUE(CRegistrySettings::IsEarthPluginInstalled());
    RegDeleteTreeA(HKEY_CURRENT_USER, kPlugin);
    EXPECT_FALSE(CRegistrySettings::IsDotNetInstalled("v0.0.0-not-a-version"));
}
