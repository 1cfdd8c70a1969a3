// The settings tree: nodes, pairs, result codes and binary values.
#include <gtest/gtest.h>
#include "frame/settings/OZWPersistentTreeNode.h"
#include "tests/frame/settings/TreeTestSupport.h"
#include <memory>

using Node = OZWPersistentTreeNode;
using kvtest::Value;

namespace {

std::vector<BYTE> Bytes(size_t n)
{
    std::vector<BYTE> b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = (BYTE)(i * 37 + 11);
    return b;
}

std::vector<BYTE> ReadBinary(Node& node, const char* key, UINT* pCode = nullptr)
{
    BYTE* p = reinterpret_cast<BYTE*>(1);
    UINT n = 99;
    const UINT code = node.GetBinary(key, &p, &n);
    if (pCode != nullptr)
        *pCode = code;
    std::vector<BYTE> out;
    if (p != nullptr) {
        out.assign(p, p + n);
        delete[] p;
    }
    return out;
}

} // namespace

TEST(TreeNode, ResultCodes)
{
    OZWPTNFactory factory;
    Node uncreated;
    Node* root = factory.CreateNode("Root", nullptr);
    ASSERT_NE(root, nullptr);
    int n = 5;
    BYTE data[1] = { 1 };
    struct Case { const char* what; UINT code; UINT expected; } cases[] = {
        { "create twice", root->Create("Again", nullptr), Node::codeAlreadyCreated },
        { "create empty name", uncreated.Create("", nullptr), Node::codeEmptyName },
        { "set on uncreated, empty key", uncreated.SetString("", "v", TRUE), Node::codeNotCreated | Node::codeEmptyKey },
        { "set", root->SetString("K", "first", FALSE), Node::codeDone },
        { "set existing without overwrite", root->SetString("K", "second", FALSE), Node::codeKeyExists },
        { "get missing int", root->GetInt("Missing", &n, 42), Node::codeKeyNotFound },
        { "binary to null", root->GetBinary("K", nullptr, nullptr), Node::codeNullData },
        { "binary from null", root->SetBinary("B", nullptr, 3, TRUE), Node::codeNullData },
        { "binary existing without overwrite",
          (root->SetBinary("B", data, 1, TRUE), root->SetBinary("B", data, 1, FALSE)), Node::codeKeyExists },
        { "remove missing", root->RemoveKey("Missing"), Node::codeKeyNotFound },
        { "attach to uncreated", uncreated.AttachChild(root), Node::codeNotCreated },
        { "attach null", root->AttachChild(nullptr), Node::codeEmptyName },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code, c.expected) << c.what;
    EXPECT_EQ(n, 42);   // the default is left in the output
    EXPECT_EQ(Value(*root, "K"), "first");
    EXPECT_EQ(root->GetName(), "Root");
}

TEST(TreeNode, TypedValuesAsText)
{
    OZWPTNFactory factory;
    Node* node = factory.CreateNode("N", nullptr);
    node->SetInt("Int", -17, TRUE);
    node->SetInt("Big", (int)0x80000001u, TRUE);
    node->SetBool("Yes", TRUE, TRUE);
    node->SetBool("No", FALSE, TRUE);
    EXPECT_EQ(Value(*node, "Int"), "-17");
    EXPECT_EQ(Value(*node, "Yes"), "True");
    EXPECT_EQ(Value(*node, "No"), "False");
    int i = 0;
    UINT u = 0;
    long l = 0;
    DWORD d = 0;
    EXPECT_EQ(node->GetInt("Int", &i, 0), 0u);
    EXPECT_EQ(i, -17);
    EXPECT_EQ(node->GetUInt("Int", &u, 0), 0u);
    EXPECT_EQ(u, (UINT)-17);
    EXPECT_EQ(node->GetLong("Int", &l, 0), 0u);
    EXPECT_EQ(l, -17);
    EXPECT_EQ(node->GetDWord("Big", &d, 0), 0u);
    EXPECT_EQ(d, 0x80000001u);
    struct { const char* text; BOOL expected; } bools[] = {
        { "True", TRUE }, { "true", TRUE }, { "TRUE", TRUE }, { "tRuE", TRUE },
        { "1", FALSE }, { "yes", FALSE }, { "", FALSE }, { "False", FALSE },
    };
    for (auto& b : bools) {
        node->SetString("Flag", b.text, TRUE);
        BOOL v = 7;
        EXPECT_EQ(node->GetBool("Flag", &v, 7), 0u);
        EXPECT_EQ(v, b.expected) << b.text;
    }
    // RemoveKey takes every pair of the key.
    EXPECT_EQ(node->RemoveKey("Flag"), 0u);
    EXPECT_EQ(node->FindKey("Flag"), nullptr);
}

TEST(TreeNode, BinaryValuesAsLetterPairs)
{
    OZWPTNFactory factory;
    Node* node = factory.CreateNode("N", nullptr);
    const BYTE one[] = { 0x12 };
    const BYTE two[] = { 0x00, 0xFF };
    node->SetBinary("One", one, 1, TRUE);
    node->SetBinary("Two", two, 2, TRUE);
    EXPECT_EQ(Value(*node, "One"), "CB");
    EXPECT_EQ(Value(*node, "Two"), "AAPP");
    EXPECT_EQ(ReadBinary(*node, "Two"), std::vector<BYTE>(two, two + 2));

    struct Case { const char* text; UINT code; std::vector<BYTE> bytes; } cases[] = {
        { "CBA", Node::codeDone, { 0x12 } },           // an odd trailing letter is ignored
        { "CBQA", Node::codeFailed, {} },               // 'Q' is no letter of the code
        { "cb", Node::codeFailed, {} },
        { "", Node::codeFailed, {} },
    };
    for (const Case& c : cases) {
        node->SetString("Raw", c.text, TRUE);
        UINT code = 0;
        EXPECT_EQ(ReadBinary(*node, "Raw", &code), c.bytes) << c.text;
        EXPECT_EQ(code, c.code) << c.text;
    }
    UINT code = 0;
    EXPECT_TRUE(ReadBinary(*node, "Missing", &code).empty());
    EXPECT_EQ(code, Node::codeKeyNotFound);
}

TEST(TreeNode, LongBinaryValuesAreKeptInPieces)
{
    OZWPTNFactory factory;
    Node* node = factory.CreateNode("N", nullptr);
    const auto b125 = Bytes(125), b126 = Bytes(126), b400 = Bytes(400);

    ASSERT_EQ(node->SetBinary("V", b125.data(), 125, TRUE), 0u);
    EXPECT_EQ(Value(*node, "V").GetLength(), 250);
    EXPECT_EQ(node->FindKey("V_BinCount"), nullptr);
    EXPECT_EQ(ReadBinary(*node, "V"), b125);

    ASSERT_EQ(node->SetBinary("V", b126.data(), 126, TRUE), 0u);
    EXPECT_EQ(Value(*node, "V_BinCount"), "2");
    EXPECT_EQ(Value(*node, "V_BinVal0").GetLength(), 250);
    EXPECT_EQ(Value(*node, "V_BinVal1").GetLength(), 2);
    // The short form written before is gone, so nothing stale is read.
    EXPECT_EQ(node->FindKey("V"), nullptr);
    EXPECT_EQ(ReadBinary(*node, "V"), b126);

    ASSERT_EQ(node->SetBinary("V", b400.data(), 400, TRUE), 0u);
    EXPECT_EQ(Value(*node, "V_BinCount"), "4");
    ASSERT_EQ(node->SetBinary("V", b126.data(), 126, TRUE), 0u);
    EXPECT_EQ(node->FindKey("V_BinVal2"), nullptr);   // pieces of the longer value removed
    EXPECT_EQ(ReadBinary(*node, "V"), b126);

    // Back to a short value: the pieces go, the short value is what is read.
    const BYTE small[] = { 1, 2, 3 };
    ASSERT_EQ(node->SetBinary("V", small, 3, TRUE), 0u);
    EXPECT_EQ(node->FindKey("V_BinCount"), nullptr);
    EXPECT_EQ(node->FindKey("V_BinVal0"), nullptr);
    EXPECT_EQ(ReadBinary(*node, "V"), std::vector<BYTE>(small, small + 3));

    // A lost piece makes the value unreadable instead of shifting its bytes.
    ASSERT_EQ(node->SetBinary("W", b400.data(), 400, TRUE), 0u);
    node->RemoveKey("W_BinVal1");
    UINT code = 0;
    EXPECT_TRUE(ReadBinary(*node, "W", &code).empty());
    EXPECT_EQ(code, Node::codeFailed);
}

TEST(TreeNode, ChildrenAndOwnership)
{
    auto factory = std::make_unique<OZWPTNFactory>();
    Node* root = factory->CreateNode("Root", nullptr);
    Node* a = factory->CreateNode("A", root);
    ASSERT_NE(a, nullptr);
    // A second child of the same name is refused and not kept.
    EXPECT_EQ(factory->CreateNode("A", root), nullptr);
    Node twin;
    EXPECT_EQ(twin.Create("A", root), Node::codeChildExists);
    EXPECT_FALSE(twin.IsCreated());
    Node* b = factory->CreateNode("B", root);
    EXPECT_EQ(root->FindChild("B"), b);
    EXPECT_EQ(root->FindChild("b"), nullptr);
    CStringArray names, path;
    root->GetChildNames(names);
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_EQ(names[0], "A");
    EXPECT_EQ(names[1], "B");
    Node* leaf = factory->CreateNode("Leaf", b);
    leaf->GetPath(path);
    ASSERT_EQ(path.GetSize(), 3);
    EXPECT_EQ(path[0], "Leaf");
    EXPECT_EQ(path[2], "Root");

    // A child made by another factory and destroyed first leaves its parent
    // with no dangling entry.
    {
        OZWPTNFactory other;
        ASSERT_NE(other.CreateNode("Visitor", root), nullptr);
        EXPECT_NE(root->FindChild("Visitor"), nullptr);
    }
    EXPECT_EQ(root->FindChild("Visitor"), nullptr);
    root->GetChildNames(names);
    EXPECT_EQ(names.GetSize(), 2);
    EXPECT_TRUE(factory->DestroyNode(a));
    EXPECT_FALSE(factory->DestroyNode(&twin));
    EXPECT_EQ(root->FindChild("A"), nullptr);
    factory.reset();   // deletes root, b and leaf in any order without harm
}
