// The rules for the texts of the Components columns of fixed width, by
// tables: fitting to a width, the label across [Major2] and [Minor2], the
// kinds that have a label, and the whole-entry look-up of codes.
#include "editors/base/core/EditorText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace kveditors;

TEST(EditorTextTest, FitToWidthPadsOrCutsByCharacters)
{
    struct Case
    {
        const char* text;
        int width;
        const char* fitted;
    } cases[] = {
        { "abc", 5, "abc  " },
        { "abcdef", 3, "abc" },
        { "", 2, "  " },
        { "abc", 3, "abc" },
        { "abc", 0, "" },
        { " a ", 4, " a  " },
        // UTF-8: a character is never cut in two, and counts once.
        { "Zürich", 3, "Zür" },
        { "Zürich", 8, "Zürich  " },
        { "é", 3, "é  " },
        { "日本語テキスト", 2, "日本" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.fitted), FitToWidth(c.text, c.width)) << c.text << " to " << c.width;
}

TEST(EditorTextTest, ALabelIsJoinedWithTheBlanksOfItsFirstPart)
{
    struct Case
    {
        const char* major2;
        const char* minor2;
        int width;
        const char* label;
    } cases[] = {
        { "PVC9 4", "0mm   ", 6, "PVC9 40mm" },
        // A blank at the end of [Major2] belongs to the label.
        { "ABCDE ", "FG    ", 6, "ABCDE FG" },
        { "AB ", "CD", 3, "AB CD" },
        // [Major2] stored without its padding.
        { "AB", "CD", 3, "AB CD" },
        { "", "XY", 2, "  XY" },
        { "AB    ", "      ", 6, "AB" },
        { "ü ", "x", 2, "ü x" },
        // Width not known, or wider than said: the first part's blanks go.
        { "AB ", "CD", 0, "ABCD" },
        { "ABCD ", "E", 3, "ABCDE" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.label), JoinLabel(c.major2, c.minor2, c.width))
            << "[" << c.major2 << "][" << c.minor2 << "] " << c.width;
}

TEST(EditorTextTest, ALabelIsSplitAtTheWidthOfItsFirstPart)
{
    struct Case
    {
        const char* label;
        int w12, w13;
        const char* major2;
        const char* minor2;
    } cases[] = {
        { "ABCD", 2, 2, "AB", "CD" },
        { "AB CD", 3, 2, "AB ", "CD" },
        { "A", 2, 2, "A ", "  " },
        { "ABCDEF", 2, 2, "AB", "CD" },
        { "äöüß", 2, 2, "äö", "üß" },
        { "", 3, 3, "   ", "   " },
    };
    for (const Case& c : cases) {
        CString major2, minor2;
        SplitLabel(c.label, c.w12, c.w13, major2, minor2);
        EXPECT_EQ(CString(c.major2), major2) << c.label;
        EXPECT_EQ(CString(c.minor2), minor2) << c.label;
    }
}

TEST(EditorTextTest, ALabelStoredAndLoadedAgainIsTheLabel)
{
    for (const char* label : { "ABCDE FG", "AB", "  XY", "PVC9 40mm", "x y z", "Ökö Lé" }) {
        CString major2, minor2;
        SplitLabel(label, 6, 6, major2, minor2);
        EXPECT_EQ(CString(label), JoinLabel(major2, minor2, 6)) << label;
    }
}

TEST(EditorTextTest, TheKindsWithALabel)
{
    const int withLabel[] = { 1, 2, 3, 11, 12, 13, 15, 21, 22, 23, 24 };
    for (int n = 0; n <= 30; ++n) {
        bool expected = std::find(std::begin(withLabel), std::end(withLabel), n) != std::end(withLabel);
        EXPECT_EQ(expected, KindHasLabel(n)) << n;
    }
}

TEST(EditorTextTest, ACodeFindsOnlyTheEntryThatIsIt)
{
    const std::vector<CString> entries = { " ", "Y", "N", "ABC ", "AB  ", "Ärger" };
    struct Case
    {
        const char* text;
        int found;
    } cases[] = {
        { "AB", 4 },     // not "ABC", which only begins with it
        { "ab", 4 },
        { "ABC", 3 },
        { "Y", 1 },
        { "y  ", 1 },
        { "A", -1 },
        { "", 0 },       // the blank entry
        { "ärger", 5 },
        { "Z", -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, FindListText(entries, c.text)) << "[" << c.text << "]";
    EXPECT_EQ(-1, FindListText({}, "Y"));
}
