// CString: extraction, searching, editing and formatting at their edges.
#include "FrameworkTestHelpers.h"
#include "platform/framework/base/AfxRes.h"
#include "tests/platform/framework/base/BaseTestRes.h"

#include <cstring>
#include <string>

namespace {

using fwtest::Throws;

TEST(String, MidLeftRightClipAtAndPastTheEnds)
{
    const CString s("abcdef");
    struct Case { int first; int count; const char* expected; };
    const Case mids[] = {
        {0, 6, "abcdef"}, {2, 2, "cd"}, {5, 1, "f"}, {5, 9, "f"}, {6, 1, ""}, {7, 2, ""},
        {-3, 2, "ab"}, {2, -1, ""}, {2, 0, ""}, {0, 0x7FFFFFFF, "abcdef"}, {3, 0x7FFFFFFF, "def"},
    };
    for (const Case& c : mids)
        EXPECT_STREQ(c.expected, s.Mid(c.first, c.count)) << c.first << "," << c.count;
    EXPECT_STREQ("def", s.Mid(3));
    EXPECT_STREQ("", s.Mid(6));
    EXPECT_STREQ("", s.Mid(100));
    EXPECT_STREQ("abcdef", s.Mid(-5));
    EXPECT_STREQ("ab", s.Left(2));
    EXPECT_STREQ("abcdef", s.Left(99));
    EXPECT_STREQ("", s.Left(-1));
    EXPECT_STREQ("ef", s.Right(2));
    EXPECT_STREQ("abcdef", s.Right(99));
    EXPECT_STREQ("", s.Right(-1));
}

TEST(String, FindAtAndPastTheEnd)
{
    const CString s("abcabc");
    struct Case { const char* sub; int start; int expected; };
    const Case cases[] = {
        {"abc", 0, 0}, {"abc", 1, 3}, {"abc", 4, -1}, {"c", 5, 5}, {"c", 6, -1}, {"c", 100, -1},
        {"", 0, 0}, {"", 6, 6}, {"", 7, -1}, {"abcabcx", 0, -1}, {"b", -4, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, s.Find(c.sub, c.start)) << c.sub << " from " << c.start;
    EXPECT_EQ(5, s.Find('c', 3));
    EXPECT_EQ(-1, s.Find('c', 6));
    EXPECT_EQ(-1, s.Find('x'));
    EXPECT_EQ(-1, s.Find((LPCSTR)nullptr));
    EXPECT_EQ(4, s.ReverseFind('b'));
    EXPECT_EQ(-1, s.ReverseFind('z'));
    EXPECT_EQ(1, s.FindOneOf("xcb"));
    EXPECT_EQ(-1, s.FindOneOf("xyz"));
    EXPECT_EQ(-1, CString().Find('a'));
}

TEST(String, ReplaceWithEmptyShorterAndLongerTexts)
{
    struct Case { const char* text; const char* oldText; const char* newText; int count; const char* expected; };
    const Case cases[] = {
        {"a-b-c", "-", "", 2, "abc"},
        {"a-b-c", "-", "--", 2, "a--b--c"},
        {"aaa", "a", "aa", 3, "aaaaaa"},      // the new text contains the old: no rescanning
        {"aaaa", "aa", "b", 2, "bb"},
        {"aaa", "aa", "b", 1, "ba"},
        {"abc", "", "x", 0, "abc"},           // empty old text changes nothing
        {"abc", "abcd", "x", 0, "abc"},
        {"abc", "abc", nullptr, 1, ""},
        {"", "a", "b", 0, ""},
    };
    for (const Case& c : cases) {
        CString s(c.text);
        EXPECT_EQ(c.count, s.Replace(c.oldText, c.newText)) << c.text;
        EXPECT_STREQ(c.expected, s) << c.text;
    }
    // Old and new texts pointing into the string itself.
    CString self("xyxy");
    EXPECT_EQ(2, self.Replace(self.Left(1), self));
    EXPECT_STREQ("xyxyyxyxyy", self);

    CString chars("a.b.c");
    EXPECT_EQ(2, chars.Replace('.', '/'));
    EXPECT_STREQ("a/b/c", chars);
    EXPECT_EQ(2, chars.Remove('/'));
    EXPECT_STREQ("abc", chars);
}

TEST(String, TrimWhiteSpaceCharactersAndSets)
{
    struct Case { const char* text; const char* both; const char* left; const char* right; };
    const Case cases[] = {
        {"  a b  ", "a b", "a b  ", "  a b"},
        {"\t\r\n x \n", "x", "x \n", "\t\r\n x"},
        {"   ", "", "", ""},
        {"", "", "", ""},
        {"x", "x", "x", "x"},
        {"\xC3\xA9 ", "\xC3\xA9", "\xC3\xA9 ", "\xC3\xA9"}, // a non-ASCII letter is not white space
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.both, CString(c.text).Trim()) << c.text;
        EXPECT_STREQ(c.left, CString(c.text).TrimLeft()) << c.text;
        EXPECT_STREQ(c.right, CString(c.text).TrimRight()) << c.text;
    }
    EXPECT_STREQ("abc", CString("xxabcxx").Trim('x'));
    EXPECT_STREQ("b", CString("-+-b+-").Trim("+-"));
    EXPECT_STREQ("", CString("++").Trim("+"));
    // A multi-byte character in the set trims whole characters only.
    EXPECT_STREQ("\xC3\xA9" "a", CString("\xC3\xA9" "a\xC2\xB0\xC2\xB0").TrimRight("\xC2\xB0"));
    EXPECT_STREQ("a\xC3\xA9", CString("a\xC3\xA9").TrimRight("\xC2\xA9"));
}

TEST(String, TokenizeWalksTokensAndEndsWithMinusOne)
{
    const CString s(";;one;two;;three;");
    std::string joined;
    int pos = 0;
    for (CString token = s.Tokenize(";", pos); pos != -1; token = s.Tokenize(";", pos))
        joined += std::string(token) + "|";
    EXPECT_EQ("one|two|three|", joined);

    pos = 0;
    EXPECT_STREQ("a", CString("a").Tokenize(",", pos));
    EXPECT_EQ(1, pos);
    EXPECT_STREQ("", CString("a").Tokenize(",", pos));
    EXPECT_EQ(-1, pos);
    EXPECT_STREQ("", CString("a").Tokenize(",", pos)); // stays at the end
    EXPECT_EQ(-1, pos);
}

TEST(String, ExtractSubStringTable)
{
    struct Case { const char* text; int index; char sep; bool found; const char* expected; };
    const Case cases[] = {
        {"a~b~c", 0, '~', true, "a"}, {"a~b~c", 2, '~', true, "c"}, {"a~b~c", 3, '~', false, ""},
        {"~~", 1, '~', true, ""}, {"", 0, '~', true, ""}, {"a\nb", 1, '\n', true, "b"},
        {"a~b", -1, '~', false, ""},
    };
    for (const Case& c : cases) {
        CString part("junk");
        EXPECT_EQ(c.found, AfxExtractSubString(part, c.text, c.index, c.sep) != FALSE) << c.text << " " << c.index;
        EXPECT_STREQ(c.expected, part);
    }
}

TEST(String, EditingAndIndexing)
{
    CString s("hello");
    EXPECT_EQ(6, s.Insert(0, '>'));
    EXPECT_EQ(8, s.Insert(100, "<<"));
    EXPECT_STREQ(">hello<<", s);
    EXPECT_EQ(5, s.Delete(5, 100));
    EXPECT_STREQ(">hell", s);
    EXPECT_EQ(5, s.Delete(9, 1));
    EXPECT_EQ(4, s.Delete(-2));
    EXPECT_STREQ("hell", s);
    s.SetAt(0, 'b');
    EXPECT_EQ('b', s[0]);
    EXPECT_EQ('l', s[(INT_PTR)3]);
    EXPECT_EQ('\0', s.GetAt(4)); // the terminator may be read
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)s[5]; }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)s[-1]; }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.SetAt(4, 'x'); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.Truncate(5); }));
    EXPECT_STREQ("bell", s);
}

TEST(String, CaseComparisonAndReversalKeepUtf8Whole)
{
    CString s("Gr\xC3\xBC\xC3\x9F" "e \xC3\x84rger");
    EXPECT_STREQ("GR\xC3\x9C\xC3\x9F" "E \xC3\x84RGER", CString(s).MakeUpper());
    EXPECT_STREQ("gr\xC3\xBC\xC3\x9F" "e \xC3\xA4rger", CString(s).MakeLower());
    EXPECT_EQ(0, CString("\xC3\x84rger").CompareNoCase("\xC3\xA4RGER"));
    EXPECT_LT(CString("apple").CompareNoCase("Banana"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("_").CompareNoCase("a"), 0); // letters fold to lower case
    EXPECT_LT(CString("B").Compare("a"), 0);
    EXPECT_GT(CString("\xC3\xA9").Compare("z"), 0); // by code point
    EXPECT_EQ(0, CString("abc").Compare("abc"));
    EXPECT_EQ(0, CString().Compare(nullptr));

    EXPECT_STREQ("c\xC3\xA9" "a", CString("a\xC3\xA9" "c").MakeReverse());
    EXPECT_STREQ("\xE2\x82\xAC" "1", CString("1\xE2\x82\xAC").MakeReverse());

    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString("abc") != "abd");
    EXPECT_STREQ("ab", CString("a") + 'b');
    EXPECT_STREQ("xyz", "x" + CString("y") + "z");
}

TEST(String, FormatLargeTextsAndStringArguments)
{
    // Beyond any fixed buffer: 100,000 characters from one argument.
    const std::string big(100000, 'q');
    CString s;
    s.Format("[%s]%d", big.c_str(), 42);
    ASSERT_EQ(100004, s.GetLength());
    EXPECT_EQ('[', s[0]);
    EXPECT_STREQ("]42", s.Right(3));

    // A CString argument is passed as its text, even the string's own.
    CString name("pipe");
    name.Format("%s-%s %5.2f %lld", name, CString("x"), 3.14159, 1LL << 40);
    EXPECT_STREQ("pipe-x  3.14 1099511627776", name);
    name.AppendFormat("/%u", 7u);
    EXPECT_STREQ("pipe-x  3.14 1099511627776/7", name);

    // Exactly at the size where formatting switches strategy.
    for (int n : {254, 255, 256, 257}) {
        CString t;
        t.Format("%s", std::string((size_t)n, 'z').c_str());
        EXPECT_EQ(n, t.GetLength());
    }
    CString message;
    message.FormatMessage("%2 then %1", "first", "second");
    EXPECT_STREQ("second then first", message);
}

TEST(String, LoadStringFromTheStringTable)
{
    CString s("unchanged");
    ASSERT_TRUE(s.LoadString(AFX_IDS_APP_TITLE));
    EXPECT_STREQ("Kelvaron", s);
    ASSERT_TRUE(s.LoadString(IDS_TEST_NON_ASCII));
    EXPECT_STREQ("m\xC2\xB3", s); // non-ASCII text arrives as UTF-8
    s = "unchanged";
    EXPECT_FALSE(s.LoadString(0x7FF3));
    EXPECT_STREQ("unchanged", s);
    // A resource id given as a text pointer loads the string.
    EXPECT_STREQ("Kelvaron", CString(MAKEINTRESOURCEA(AFX_IDS_APP_TITLE)));
    CString formatted;
    formatted.Format(AFX_IDS_APP_TITLE);
    EXPECT_STREQ("Kelvaron", formatted);
}

TEST(String, BufferAccessAndConversions)
{
    CString s("keep");
    char* p = s.GetBuffer(300);
    ASSERT_NE(nullptr, p);
    EXPECT_STREQ("keep", p);
    ::lstrcpyA(p, std::string(299, 'w').c_str());
    s.ReleaseBuffer();
    EXPECT_EQ(299, s.GetLength());

    p = s.GetBuffer(10);
    p[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_STREQ("ww", s);
    s.GetBufferSetLength(3)[2] = 'x';
    s.ReleaseBuffer(3);
    EXPECT_STREQ("wwx", s);
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.ReleaseBuffer(4); }));

    const CString text("Z\xC3\xBCrich \xE2\x82\xAC");
    BSTR bstr = text.AllocSysString();
    ASSERT_NE(nullptr, bstr);
    EXPECT_EQ(8u, ::SysStringLen(bstr));
    EXPECT_STREQ(text, CString(bstr));
    ::SysFreeString(bstr);

    EXPECT_STREQ("", CString((LPCSTR)nullptr));
    EXPECT_STREQ("---", CString('-', 3));
    EXPECT_STREQ("ab", CString("abc", 2));
    EXPECT_STREQ("\xC3\xBC", CString(L"\u00FC"));
}

TEST(String, Utf16UnitCountsMapBackToWholeCharactersOfTheUtf8Text)
{
    // A count of UTF-16 units that a wide function answers (characters that
    // fit, characters drawn) as a byte offset into the UTF-8 text: never
    // inside a character.
    struct Case { const char* text; int units; int bytes; };
    const Case cases[] = {
        { "m\xC2\xB3/h", 0, 0 },               // "m³/h": ³ is two bytes, one unit
        { "m\xC2\xB3/h", 1, 1 },
        { "m\xC2\xB3/h", 2, 3 },
        { "m\xC2\xB3/h", 4, 5 },
        { "m\xC2\xB3/h", 9, 5 },               // past the end: the length
        { "R\xC2\xB2", 1, 1 },
        { "R\xC2\xB2", 2, 3 },
        { "\xE2\x82\xAC" "5", 1, 3 },          // "€5": three bytes, one unit
        { "a\xF0\x9F\x92\xA7" "b", 1, 1 },     // a character outside the BMP: two units
        { "a\xF0\x9F\x92\xA7" "b", 2, 1 },     // between its two units: its start
        { "a\xF0\x9F\x92\xA7" "b", 3, 5 },
        { "a\xF0\x9F\x92\xA7" "b", 4, 6 },
        { "a\xB3" "b", 2, 2 },                 // a stray byte is one unit
        { "\xE2\x82" "x", 2, 2 },              // so is each byte of a cut sequence
        { "", 3, 0 },
        { "abc", -1, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" units " << c.units);
        EXPECT_EQ(c.bytes, kvutf::ByteOffset(c.text, -1, c.units));
    }
    // The count of bytes bounds the text.
    EXPECT_EQ(3, kvutf::ByteOffset("m\xC2\xB3/h", 3, 5));
    // The units of a valid text are those its wide form has.
    for (const char* text : { "m\xC2\xB3/h", "a\xF0\x9F\x92\xA7" "b", "\xE2\x82\xAC" }) {
        const std::wstring wide = kvutf::Widen(text);
        EXPECT_EQ((int)std::strlen(text), kvutf::ByteOffset(text, -1, (int)wide.size()));
        EXPECT_EQ(text, kvutf::Narrow(wide.c_str()));
    }
    EXPECT_EQ(L"m\u00B3", kvutf::Widen("m\xC2\xB3/h", 3));
}

} // namespace
