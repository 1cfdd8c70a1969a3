// The registry key wrapper against the test prefix's registry (this
// executable's HKEY_CURRENT_USER is a private key of its own).
#include <gtest/gtest.h>
#include "frame/settings/OZWRegistry.h"

namespace {

const char* const kBase = "Software\\KelvaronTests\\Registry";

bool KeyExists(const CString& path)
{
    HKEY h;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(h);
    return true;
}

void MakeKey(const CString& path)
{
    HKEY h;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                                nullptr), ERROR_SUCCESS);
    ::RegCloseKey(h);
}

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kBase); }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kBase); }
    CString Path(const char* sub) const { return CString(kBase) + "\\" + sub; }
};

} // namespace

TEST_F(RegistryTest, ConnectsToTheRootsOfThisComputerOnly)
{
    OZWRegistry reg;
    EXPECT_FALSE(reg.Connect(HKEY_CURRENT_USER, "otherpc"));
    EXPECT_EQ(reg.m_lErrorCode, ERROR_INVALID_HANDLE);
    EXPECT_EQ(reg.m_hRegistry, nullptr);

    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    EXPECT_EQ(reg.m_hRegistry, HKEY_CURRENT_USER);
    EXPECT_EQ(reg.m_hKey, HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.m_bRemote);
    EXPECT_EQ(reg.m_strRegistryName, "HKEY_CURRENT_USER");
    EXPECT_FALSE(reg.m_strComputerName.IsEmpty());

    ASSERT_TRUE(reg.Connect(HKEY_LOCAL_MACHINE, "", FALSE));
    EXPECT_EQ(reg.m_strRegistryName, "HKEY_LOCAL_MACHINE");
    EXPECT_FALSE(reg.m_bCloseKeyOnDisconnect);
    EXPECT_TRUE(reg.Close());
    EXPECT_EQ(reg.m_hRegistry, nullptr);
    EXPECT_TRUE(reg.m_bCloseKeyOnDisconnect);
}

TEST_F(RegistryTest, RootNamesBothWays)
{
    struct Case { HKEY root; const char* name; } cases[] = {
        { HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT" },   { HKEY_CURRENT_USER, "HKEY_CURRENT_USER" },
        { HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE" }, { HKEY_USERS, "HKEY_USERS" },
        { HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG" }, { HKEY_DYN_DATA, "HKEY_DYN_DATA" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OZWRegistry::RootFromName(c.name), c.root);
        CString name;
        EXPECT_TRUE(OZWRegistry::NameFromRoot(c.root, name));
        EXPECT_EQ(name, c.name);
    }
    EXPECT_EQ(OZWRegistry::RootFromName("hkey_current_user"), nullptr);
    CString kept = "unchanged";
    EXPECT_FALSE(OZWRegistry::NameFromRoot(HKEY_PERFORMANCE_DATA, kept));
    EXPECT_EQ(kept, "unchanged");
}

TEST_F(RegistryTest, TypedValuesRoundTripRightAfterCreate)
{
    OZWRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    DWORD disposition = 0;
    ASSERT_TRUE(reg.Create(Path("Values\\"), nullptr, 0, KEY_ALL_ACCESS, nullptr, &disposition));
    EXPECT_EQ(disposition, (DWORD)REG_CREATED_NEW_KEY);
    EXPECT_EQ(reg.m_strKeyName, Path("Values\\"));

    // Longer than the wrapper's fixed buffers, read without a QueryInfo first.
    CString longText(std::string(5000, 'x').c_str());
    CByteArray bytes;
    for (int i = 0; i < 3000; ++i)
        bytes.Add((BYTE)(i * 7));
    CStringArray strings;
    strings.Add("one");
    strings.Add("twenty-two");
    EXPECT_TRUE(reg.SetValue("Text", CString("Grüße")));
    EXPECT_TRUE(reg.SetValue("Long", longText));
    EXPECT_TRUE(reg.SetValue("Number", (DWORD)0xDEADBEEF));
    EXPECT_TRUE(reg.SetValue("Bytes", bytes));
    EXPECT_TRUE(reg.SetValue("List", strings));

    CString text, longBack;
    DWORD number = 0;
    CByteArray bytesBack;
    CStringArray stringsBack;
    EXPECT_TRUE(reg.GetValue("Text", text));
    EXPECT_EQ(text, "Grüße");
    EXPECT_TRUE(reg.GetValue("Long", longBack));
    EXPECT_EQ(longBack, longText);
    EXPECT_TRUE(reg.GetValue("Number", number));
    EXPECT_EQ(number, 0xDEADBEEF);
    EXPECT_TRUE(reg.GetValue("Bytes", bytesBack));
    ASSERT_EQ(bytesBack.GetSize(), bytes.GetSize());
    EXPECT_EQ(memcmp(bytesBack.GetData(), bytes.GetData(), 3000), 0);
    EXPECT_TRUE(reg.GetValue("List", stringsBack));
    ASSERT_EQ(stringsBack.GetSize(), 2);
    EXPECT_EQ(stringsBack[1], "twenty-two");

    // A value of another type is not read as a string; a missing one empties it.
    text = "old";
    EXPECT_FALSE(reg.GetStringValue("Number", text));
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_FALSE(reg.GetStringValue("Missing", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(reg.m_lErrorCode, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(reg.DeleteValue("Text"));
    EXPECT_FALSE(reg.GetStringValue("Text", text));
}

TEST_F(RegistryTest, StringListIsStoredWithItsTerminators)
{
    OZWRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Create(Path("List")));
    CStringArray strings;
    strings.Add("a");
    strings.Add("bc");
    ASSERT_TRUE(reg.SetStringArrayValue("L", strings));
    BYTE raw[16] = {};
    DWORD type = 0, size = sizeof(raw);
    ASSERT_TRUE(reg.QueryValue("L", &type, raw, &size));
    EXPECT_EQ(type, (DWORD)REG_MULTI_SZ);
    ASSERT_EQ(size, 6u);
    const BYTE expected[6] = { 'a', 0, 'b', 'c', 0, 0 };
    EXPECT_EQ(memcmp(raw, expected, 6), 0);
}

TEST_F(RegistryTest, NullNamesAreRefused)
{
    OZWRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Create(Path("Null")));
    CString s;
    CStringArray a;
    CByteArray b;
    DWORD d = 0;
    const std::function<BOOL()> calls[] = {
        [&] { return reg.Create(nullptr); },
        [&] { return reg.Open(nullptr); },
        [&] { return reg.DeleteKey(nullptr); },
        [&] { return reg.GetStringValue(nullptr, s); },
        [&] { return reg.GetStringArrayValue(nullptr, a); },
        [&] { return reg.GetBinaryValue(nullptr, b); },
        [&] { return reg.GetDoubleWordValue(nullptr, d); },
        [&] { return reg.QueryValue(nullptr, nullptr, nullptr, nullptr); },
        [&] { return reg.SetStringValue(nullptr, s); },
        [&] { return reg.SetStringArrayValue(nullptr, a); },
        [&] { return reg.SetBinaryValue(nullptr, b); },
        [&] { return reg.SetDoubleWordValue(nullptr, 1); },
        [&] { return reg.SetValue("x", REG_BINARY, nullptr, 0); },
        [&] { return reg.Load(nullptr, "f"); },
        [&] { return reg.Save(nullptr); },
        [&] { return reg.Restore(nullptr); },
        [&] { return reg.UnLoad(nullptr); },
        [&] { return reg.GetSecurity(OWNER_SECURITY_INFORMATION, nullptr, &d); },
    };
    for (size_t i = 0; i < std::size(calls); ++i) {
        reg.m_lErrorCode = 0;
        EXPECT_FALSE(calls[i]()) << i;
        EXPECT_EQ(reg.m_lErrorCode, ERROR_INVALID_PARAMETER) << i;
    }
}

TEST_F(RegistryTest, OpenIgnoresATrailingBackslashAndReadsTheKeysInformation)
{
    MakeKey(Path("Open\\Child1"));
    MakeKey(Path("Open\\Child2"));
    OZWRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open(Path("Open\\"), KEY_READ | KEY_WRITE));
    EXPECT_EQ(reg.m_strKeyName, Path("Open\\"));
    EXPECT_EQ(reg.m_dwNumSubKeys, 2u);
    EXPECT_GT(reg.m_timeLastWrite, 0);
    ASSERT_TRUE(reg.SetValue("V", (DWORD)5));
    CString name, cls;
    ASSERT_TRUE(reg.EnumerateKeys(0, name, cls));
    EXPECT_EQ(name, "Child1");
    ASSERT_TRUE(reg.EnumerateKeys(1, name));
    EXPECT_EQ(name, "Child2");
    EXPECT_FALSE(reg.EnumerateKeys(2, name));
    DWORD type = 0;
    ASSERT_TRUE(reg.EnumerateValues(0, name, &type));
    EXPECT_EQ(name, "V");
    EXPECT_EQ(type, (DWORD)REG_DWORD);
    EXPECT_FALSE(reg.EnumerateValues(1, name, &type));

    EXPECT_FALSE(reg.Open(Path("Missing")));
    EXPECT_EQ(reg.m_lErrorCode, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.m_hKey, reg.m_hRegistry);
}

TEST_F(RegistryTest, RecursiveDeleteRemovesEveryLevel)
{
    MakeKey(Path("Tree\\A\\A1\\A11"));
    MakeKey(Path("Tree\\A\\A2"));
    MakeKey(Path("Tree\\B"));
    OZWRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open(Path("Tree")));
    // Without recursion a key with subkeys stays.
    EXPECT_FALSE(reg.DeleteKey("A"));
    EXPECT_TRUE(KeyExists(Path("Tree\\A\\A1\\A11")));
    EXPECT_TRUE(reg.DeleteKey("B"));
    EXPECT_FALSE(KeyExists(Path("Tree\\B")));
    EXPECT_TRUE(reg.DeleteKey("A\\", TRUE));
    EXPECT_FALSE(KeyExists(Path("Tree\\A")));
    EXPECT_TRUE(KeyExists(Path("Tree")));
}

TEST_F(RegistryTest, ARelativeNameNeverDeletesAKeyOfTheSameNameAtTheRoot)
{
    // With Tree open, "Probe" names Tree\Probe; it does not exist, and the
    // key Probe directly below the root must survive.
    MakeKey(Path("Tree"));
    MakeKey("KelvaronDeleteProbe\\Inside");
    OZWRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open(Path("Tree")));
    EXPECT_FALSE(reg.DeleteKey("KelvaronDeleteProbe", TRUE));
    EXPECT_EQ(reg.m_lErrorCode, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(KeyExists("KelvaronDeleteProbe\\Inside"));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "KelvaronDeleteProbe");
}

TEST_F(RegistryTest, EmptyNamesAreRefusedAndAbsoluteNamesCanDeleteTheOpenKey)
{
    MakeKey(Path("Own\\Deeper"));
    OZWRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    EXPECT_FALSE(reg.DeleteKey("", TRUE));
    EXPECT_EQ(reg.m_lErrorCode, ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(reg.DeleteKey("\\", TRUE));
    EXPECT_EQ(reg.m_lErrorCode, ERROR_INVALID_PARAMETER);

    ASSERT_TRUE(reg.Open(Path("Own\\Deeper")));
    EXPECT_TRUE(reg.DeleteKey("\\" + Path("Own"), TRUE));
    EXPECT_FALSE(KeyExists(Path("Own")));
    // Its own key gone, the object holds the deleted key's parent.
    EXPECT_EQ(reg.m_strKeyName, CString(kBase));
    EXPECT_TRUE(reg.SetValue("StillUsable", (DWORD)1));
}
