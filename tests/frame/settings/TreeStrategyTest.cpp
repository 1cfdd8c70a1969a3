// Settings trees saved to and loaded from an INI file and the registry.
#include <gtest/gtest.h>
#include "frame/settings/OZWPTNStrategy.h"
#include "frame/settings/OZWPersistentTreeNode.h"
#include "tests/frame/settings/TreeTestSupport.h"
#include "tests/support/TestSupport.h"

using Node = OZWPersistentTreeNode;
using kvtest::Value;

namespace {

CString Ini(const CString& file, const char* section, const char* key)
{
    char buffer[4096];
    ::GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof(buffer), file);
    return buffer;
}

// Root {Name, Flag, Blob (300 bytes)} with children A {X} and B {} and B's child C {Y}.
Node* BuildTree(OZWPTNFactory& factory)
{
    Node* root = factory.CreateNode("Root", nullptr);
    root->SetString("Name", "A long window name, " + CString(std::string(300, 'w').c_str()), TRUE);
    root->SetBool("Flag", TRUE, TRUE);
    std::vector<BYTE> blob(300);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = (BYTE)i;
    root->SetBinary("Blob", blob.data(), (UINT)blob.size(), TRUE);
    factory.CreateNode("A", root)->SetInt("X", 7, TRUE);
    Node* b = factory.CreateNode("B", root);
    factory.CreateNode("C", b)->SetString("Y", "why", TRUE);
    return root;
}

void ExpectSameTree(Node& loaded)
{
    EXPECT_EQ(Value(loaded, "Name").GetLength(), 320);
    EXPECT_EQ(Value(loaded, "Flag"), "True");
    BYTE* p = nullptr;
    UINT n = 0;
    ASSERT_EQ(loaded.GetBinary("Blob", &p, &n), 0u);
    EXPECT_EQ(n, 300u);
    EXPECT_EQ(p[299], 299 % 256);
    delete[] p;
    Node* a = loaded.FindChild("A");
    Node* b = loaded.FindChild("B");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Value(*a, "X"), "7");
    ASSERT_NE(b->FindChild("C"), nullptr);
    EXPECT_EQ(Value(*b->FindChild("C"), "Y"), "why");
}

} // namespace

TEST(TreeStrategy, IniFileHoldsOneSectionPerNode)
{
    const CString file = (kvtest::ScratchDir("TreeStrategyIni") + "\\tree.ini").c_str();
    OZWPTNStrategyProfile ini(file);
    {
        OZWPTNFactory factory;
        Node* root = BuildTree(factory);
        EXPECT_TRUE(root->Save(&ini));
    }
    EXPECT_EQ(Ini(file, "Root", "ptn_Child1"), "A");
    EXPECT_EQ(Ini(file, "Root", "ptn_Child2"), "B");
    EXPECT_EQ(Ini(file, "Root", "Flag"), "True");
    EXPECT_EQ(Ini(file, "Root", "Blob_BinCount"), "3");
    EXPECT_EQ(Ini(file, "Root.A", "X"), "7");
    EXPECT_EQ(Ini(file, "Root.B", "ptn_Child1"), "C");
    EXPECT_EQ(Ini(file, "Root.B.C", "Y"), "why");

    OZWPTNFactory factory;
    Node* loaded = factory.CreateNode("Root", nullptr);
    ASSERT_TRUE(loaded->Load(&ini));
    ExpectSameTree(*loaded);
    EXPECT_EQ(loaded->FindKey("ptn_Child1"), nullptr);

    // Saving again empties the node's section first: a key gone from the
    // tree is gone from the file.
    loaded->RemoveKey("Flag");
    EXPECT_TRUE(loaded->Save(&ini));
    EXPECT_EQ(Ini(file, "Root", "Flag"), "<none>");

    // Any key starting with the child prefix names a child.
    ::WritePrivateProfileStringA("Root", "ptn_ChildExtra", "Z", file);
    ::WritePrivateProfileStringA("Root.Z", "Q", "1", file);
    OZWPTNFactory factory2;
    Node* again = factory2.CreateNode("Root", nullptr);
    ASSERT_TRUE(again->Load(&ini));
    ASSERT_NE(again->FindChild("Z"), nullptr);
    EXPECT_EQ(Value(*again->FindChild("Z"), "Q"), "1");
}

TEST(TreeStrategy, IniFileSectionWithManyKeysIsReadWhole)
{
    const CString file = (kvtest::ScratchDir("TreeStrategyManyKeys") + "\\tree.ini").c_str();
    OZWPTNStrategyProfile ini(file);
    OZWPTNFactory factory;
    Node* root = factory.CreateNode("Many", nullptr);
    // More key names than the 8 KB the reader once stopped at.
    for (int i = 0; i < 500; ++i) {
        CString key;
        key.Format("SomewhatLongKeyName%03d", i);
        root->SetInt(key, i, TRUE);
    }
    ASSERT_TRUE(root->Save(&ini));
    CStringArray keys;
    EXPECT_TRUE(ini.ReadSectionKeys("Many", keys));
    EXPECT_EQ(keys.GetSize(), 500);
    EXPECT_FALSE(ini.ReadSectionKeys("NoSuchSection", keys));
    EXPECT_EQ(keys.GetSize(), 0);
}

TEST(TreeStrategy, RegistryHoldsOneKeyPerNode)
{
    const char* const base = "Software\\KelvaronTests\\Tree";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, base);
    OZWPTNStrategyRegistry registry(base, HKEY_CURRENT_USER);
    EXPECT_EQ(registry.m_strBaseKey, CString(base) + "\\");
    {
        OZWPTNFactory factory;
        Node* root = BuildTree(factory);
        // The first save finds nothing to forget: that is no failure.
        EXPECT_TRUE(root->Save(&registry));
        EXPECT_TRUE(root->Save(&registry));
    }
    HKEY h;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KelvaronTests\\Tree\\Root\\B\\C", 0,
                              KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    // A value of another type is no pair of the node.
    const DWORD number = 3;
    ::RegSetValueExA(h, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    ::RegCloseKey(h);

    OZWPTNFactory factory;
    Node* loaded = factory.CreateNode("Root", nullptr);
    ASSERT_TRUE(loaded->Load(&registry));
    ExpectSameTree(*loaded);
    EXPECT_EQ(loaded->FindChild("B")->FindChild("C")->FindKey("Number"), nullptr);

    OZWPTNFactory factory2;
    Node* missing = factory2.CreateNode("NotThere", nullptr);
    EXPECT_FALSE(missing->Load(&registry));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, base);
}

namespace {

// Records the calls and fails the ones it is told to.
class FakeStrategy : public OZWPTNStrategy
{
public:
    BOOL DeleteNode(const CStringArray&) override { return TRUE; }
    BOOL WriteValue(const CStringArray&, LPCTSTR lpszKey, LPCTSTR) override
    {
        ++writes;
        return CString(lpszKey) != failKey;
    }
    BOOL WriteChildNames(const CStringArray&, const CStringArray&) override { return TRUE; }
    BOOL ReadNode(const CStringArray& path, CStringArray& children, CStringArray& keys,
                  CStringArray& values) override
    {
        children.RemoveAll();
        keys.RemoveAll();
        values.RemoveAll();
        if (path[0] == "Broken")
            return FALSE;
        if (path.GetSize() == 1) {
            children.Add("Broken");
            children.Add("Good");
            children.Add("Good");   // a duplicate name is left out
            keys.Add("K");
            values.Add("new");
        }
        return TRUE;
    }
    int writes = 0;
    CString failKey;
};

} // namespace

TEST(TreeStrategy, SaveGoesOnAfterAFailedWriteAndLoadIgnoresChildrensFailures)
{
    OZWPTNFactory factory;
    Node* root = factory.CreateNode("Root", nullptr);
    root->SetString("A", "1", TRUE);
    root->SetString("B", "2", TRUE);
    factory.CreateNode("Child", root)->SetString("C", "3", TRUE);
    FakeStrategy fake;
    fake.failKey = "A";
    EXPECT_FALSE(root->Save(&fake));
    EXPECT_EQ(fake.writes, 3);

    Node uncreated;
    EXPECT_FALSE(uncreated.Save(&fake));
    EXPECT_FALSE(root->Save(nullptr));

    root->SetString("K", "old", TRUE);
    EXPECT_TRUE(root->Load(&fake));
    EXPECT_EQ(Value(*root, "K"), "new");
    EXPECT_EQ(Value(*root, "A"), "1");      // kept
    EXPECT_NE(root->FindChild("Broken"), nullptr);
    EXPECT_NE(root->FindChild("Good"), nullptr);
    CStringArray names;
    root->GetChildNames(names);
    EXPECT_EQ(names.GetSize(), 3);          // Child, Broken, Good
}
