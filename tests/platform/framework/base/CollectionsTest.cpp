// Arrays, lists and maps: growth, insertion and removal in the middle,
// walking maps while removing, and element lifetimes.
#include "FrameworkTestHelpers.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using fwtest::Throws;

template <class ARRAY> std::vector<int> Contents(const ARRAY& a)
{
    std::vector<int> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back((int)a[i]);
    return v;
}

template <class LIST> std::vector<long> Forward(const LIST& l)
{
    std::vector<long> v;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        v.push_back(l.GetNext(pos));
    return v;
}

template <class LIST> std::vector<long> Backward(const LIST& l)
{
    std::vector<long> v;
    for (POSITION pos = l.GetTailPosition(); pos;)
        v.push_back(l.GetPrev(pos));
    return v;
}

TEST(Array, GrowsAndKeepsElementsAcrossGrowth)
{
    CArray<int, int> a;
    a.SetSize(0, 4);
    for (int i = 0; i < 10000; ++i)
        EXPECT_EQ(i, a.Add(i * 3));
    ASSERT_EQ(10000, a.GetSize());
    EXPECT_EQ(9999, a.GetUpperBound());
    for (int i = 0; i < 10000; i += 997)
        EXPECT_EQ(i * 3, a[i]);

    // SetAtGrow fills the gap with zeros; SetSize shrinks and grows.
    CDWordArray d;
    d.SetAtGrow(5, 7);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, 7}), Contents(d));
    d.SetSize(2);
    d.SetSize(4);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), Contents(d));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { d.SetSize(-1); }));

    // Adding an element of the array itself while it grows.
    CStringArray s;
    s.Add("first");
    for (int i = 0; i < 100; ++i)
        s.Add(s[0]);
    s.SetAtGrow(300, s[0]);
    EXPECT_STREQ("first", s[100]);
    EXPECT_STREQ("first", s[300]);
    EXPECT_STREQ("", s[200]);
}

TEST(Array, InsertsAndRemovesInTheMiddle)
{
    CArray<int, int> a;
    for (int i = 0; i < 5; ++i)
        a.Add(i);
    a.InsertAt(2, 9, 3);
    EXPECT_EQ((std::vector<int>{0, 1, 9, 9, 9, 2, 3, 4}), Contents(a));
    a.RemoveAt(1, 4);
    EXPECT_EQ((std::vector<int>{0, 2, 3, 4}), Contents(a));
    a.InsertAt(4, 5); // at the end
    a.InsertAt(7, 8); // past the end: the gap is filled
    EXPECT_EQ((std::vector<int>{0, 2, 3, 4, 5, 0, 0, 8}), Contents(a));

    CArray<int, int> other;
    other.Add(-1);
    other.Add(-2);
    a.InsertAt(1, &other);
    EXPECT_EQ((std::vector<int>{0, -1, -2, 2, 3, 4, 5, 0, 0, 8}), Contents(a));
    EXPECT_EQ(10, a.Append(a));
    EXPECT_EQ(20, a.GetSize());

    struct Bad { INT_PTR index; INT_PTR count; };
    for (Bad b : {Bad{-1, 1}, Bad{20, 1}, Bad{19, 2}, Bad{0, -1}, Bad{0, 21}}) {
        EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.RemoveAt(b.index, b.count); }))
            << b.index << "," << b.count;
    }
    EXPECT_EQ(20, a.GetSize());
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)a[20]; }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.SetAt(-1, 0); }));
    a.RemoveAt(0, 20);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(nullptr, a.GetData());
}

TEST(Array, TypedPointerArraysCastTheirElements)
{
    class Item : public CObject
    {
    public:
        explicit Item(int n) : m_n(n) {}
        int m_n;
    };
    Item one(1), two(2);
    CTypedPtrArray<CObArray, Item*> items;
    items.Add(&one);
    items.InsertAt(0, &two);
    EXPECT_EQ(2, items[0]->m_n);
    EXPECT_EQ(1, items.GetAt(1)->m_n);
    items.ElementAt(1) = &two;
    EXPECT_EQ(&two, items[1]);

    CTypedPtrArray<CPtrArray, int*> ints;
    int x = 5;
    ints.SetAtGrow(2, &x);
    EXPECT_EQ(nullptr, ints[0]);
    EXPECT_EQ(5, *ints[2]);
}

TEST(List, InsertsAndRemovesInTheMiddle)
{
    CList<long, long> l(10);
    for (long i = 1; i <= 5; ++i)
        l.AddTail(i);
    POSITION third = l.FindIndex(2);
    ASSERT_NE(nullptr, third);
    l.InsertBefore(third, 20);
    l.InsertAfter(third, 30);
    EXPECT_EQ((std::vector<long>{1, 2, 20, 3, 30, 4, 5}), Forward(l));
    EXPECT_EQ((std::vector<long>{5, 4, 30, 3, 20, 2, 1}), Backward(l));

    l.RemoveAt(third);
    EXPECT_EQ((std::vector<long>{1, 2, 20, 30, 4, 5}), Forward(l));
    EXPECT_EQ((std::vector<long>{5, 4, 30, 20, 2, 1}), Backward(l));

    // Removing the head and tail keeps both ends linked.
    l.RemoveAt(l.GetHeadPosition());
    l.RemoveAt(l.GetTailPosition());
    EXPECT_EQ((std::vector<long>{2, 20, 30, 4}), Forward(l));
    EXPECT_EQ((std::vector<long>{4, 30, 20, 2}), Backward(l));
    EXPECT_EQ(4, l.GetCount());

    l.InsertBefore(nullptr, 0);
    l.InsertAfter(nullptr, 99);
    EXPECT_EQ(0, l.GetHead());
    EXPECT_EQ(99, l.GetTail());
    EXPECT_EQ(0, l.RemoveHead());
    EXPECT_EQ(99, l.RemoveTail());

    // Find from the start and after a position.
    l.AddTail(20);
    POSITION first = l.Find(20);
    ASSERT_NE(nullptr, first);
    POSITION second = l.Find(20, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(nullptr, l.Find(20, second));
    EXPECT_EQ(nullptr, l.FindIndex(l.GetCount()));
    EXPECT_EQ(nullptr, l.FindIndex(-1));

    while (!l.IsEmpty())
        l.RemoveHead();
    EXPECT_EQ(nullptr, l.GetHeadPosition());
    EXPECT_EQ(nullptr, l.GetTailPosition());
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { l.RemoveHead(); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)l.GetTail(); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { l.RemoveAt(nullptr); }));
}

TEST(List, StringAndTypedPointerLists)
{
    CStringList names;
    names.AddTail("b");
    names.AddHead("a");
    CStringList more;
    more.AddTail("c");
    more.AddTail("d");
    names.AddTail(&more);
    names.AddHead(&more);
    std::string all;
    for (POSITION pos = names.GetHeadPosition(); pos;)
        all += names.GetNext(pos);
    EXPECT_EQ("cdabcd", all);
    names.AddTail(&names); // a list appended to itself doubles once
    EXPECT_EQ(12, names.GetCount());
    EXPECT_STREQ("d", names.GetTail());
    EXPECT_NE(nullptr, names.Find("b"));
    EXPECT_EQ(nullptr, names.Find("B"));

    int a = 1, b = 2;
    CTypedPtrList<CPtrList, int*> ptrs;
    ptrs.AddTail(&a);
    ptrs.AddTail(&b);
    EXPECT_EQ(&a, ptrs.GetHead());
    EXPECT_EQ(2, *ptrs.RemoveTail());
    EXPECT_EQ(1, ptrs.GetCount());
}

TEST(Map, WalksEveryEntryOnceAndAllowsRemovalWhileWalking)
{
    CMap<DWORD, DWORD, DWORD, DWORD> m;
    for (DWORD i = 0; i < 5000; ++i)
        m.SetAt(i * 7, i);
    ASSERT_EQ(5000, m.GetCount());

    std::set<DWORD> seen;
    POSITION pos = m.GetStartPosition();
    while (pos) {
        DWORD key, value;
        m.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key, value * 7);
        EXPECT_TRUE(seen.insert(key).second) << "key walked twice: " << key;
        if (key % 2 == 0) {
            EXPECT_TRUE(m.RemoveKey(key)); // the entry just returned
        }
    }
    EXPECT_EQ(5000u, seen.size());
    EXPECT_EQ(2500, m.GetCount());

    for (DWORD i = 0; i < 5000; ++i) {
        DWORD value = 12345;
        const bool odd = ((i * 7) % 2) != 0;
        EXPECT_EQ(odd, m.Lookup(i * 7, value) != FALSE) << i;
        if (odd) {
            EXPECT_EQ(i, value);
        }
    }
    EXPECT_FALSE(m.RemoveKey(0));
    m[3] = 33;
    EXPECT_EQ(33u, m[3]);
    EXPECT_EQ(0u, m[4]); // made on first use
    m.RemoveAll();
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_EQ(nullptr, m.GetStartPosition());
}

TEST(Map, KeyedByStringPointerAndWord)
{
    CMapStringToString texts;
    texts.SetAt("Pipe", "P");
    texts["Valve"] = "V";
    CString value;
    EXPECT_TRUE(texts.Lookup(CString("Pi") + "pe", value)); // equal text, other storage
    EXPECT_STREQ("P", value);
    EXPECT_FALSE(texts.Lookup("pipe", value)); // keys are case-sensitive
    EXPECT_TRUE(texts.RemoveKey("Valve"));
    EXPECT_EQ(1, texts.GetCount());

    CMapPtrToWord owned;
    int objects[3];
    for (int i = 0; i < 3; ++i)
        owned.SetAt(&objects[i], (WORD)(i + 1));
    WORD w = 0;
    EXPECT_TRUE(owned.Lookup(&objects[2], w));
    EXPECT_EQ(3, w);
    EXPECT_FALSE(owned.Lookup(&w, w));

    CTypedPtrMap<CMapStringToPtr, CString, int*> byName;
    byName.SetAt("a", &objects[0]);
    byName["b"] = &objects[1];
    int* p = nullptr;
    EXPECT_TRUE(byName.Lookup("b", p));
    EXPECT_EQ(&objects[1], p);
    std::map<std::string, int*> walked;
    for (POSITION pos = byName.GetStartPosition(); pos;) {
        CString key;
        byName.GetNextAssoc(pos, key, p);
        walked[std::string(key)] = p;
    }
    EXPECT_EQ((std::map<std::string, int*>{{"a", &objects[0]}, {"b", &objects[1]}}), walked);

    CMap<CString, LPCSTR, int, int> counts;
    counts.InitHashTable(3);
    for (const char* word : {"x", "y", "x", "z", "x"})
        counts[word]++;
    int n = 0;
    EXPECT_TRUE(counts.Lookup("x", n));
    EXPECT_EQ(3, n);
    const auto* pair = counts.PLookup("z");
    ASSERT_NE(nullptr, pair);
    EXPECT_STREQ("z", pair->key);
    EXPECT_EQ(1, pair->value);
    int total = 0;
    for (const auto* q = counts.PGetFirstAssoc(); q; q = counts.PGetNextAssoc(q))
        total += q->value;
    EXPECT_EQ(5, total);
}

// Counts live instances, to show that containers end what they hold.
struct Tracked
{
    static int s_live;
    Tracked() { ++s_live; }
    Tracked(const Tracked&) { ++s_live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --s_live; }
    bool operator==(const Tracked&) const { return true; }
};
int Tracked::s_live = 0;

TEST(Containers, DestroyTheirElements)
{
    {
        CArray<Tracked> a;
        a.SetSize(10);
        a.RemoveAt(2, 3);
        CList<Tracked> l;
        l.AddTail(Tracked());
        l.AddTail(Tracked());
        l.RemoveHead();
        CMap<int, int, Tracked, const Tracked&> m;
        m[1];
        m[2];
        m.RemoveKey(1);
        EXPECT_EQ(7 + 1 + 1, Tracked::s_live);
    }
    EXPECT_EQ(0, Tracked::s_live);
}

} // namespace
