// Line types: the dash patterns made from the file's lengths, the file with
// its odd entries, and the pixel lengths of a drawn sample.
#include "pickers/core/LineTypes.h"
#include "pickers/core/NumberText.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string WriteLineTypes(const std::string& name, const std::string& content)
{
    std::string path = kvtest::ScratchDir("linetypes-" + name) + "\\Linetype.vclnt";
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

} // namespace

TEST(LineTypes, PatternFromLengths)
{
    struct Case
    {
        std::vector<double> lengths;
        std::vector<int32_t> pattern;
    };
    const Case cases[] = {
        { { 0.5, 0.25 }, { 250, 250, 250 } },                // sum 750: kept as it is
        { { 2, 1 }, { 333, 333, 333 } },                     // sum 3000: one repetition spans the sample
        { { 0, 2 }, { 1, 1000 } },                           // no closing half; a 0 becomes 1
        { {}, {} },                                          // no children: a solid line
        { { 0.1, 0.05 }, { 50, 50, 50 } },
        { { 0.3, 0.06, 0.06, 0.06 }, { 150, 60, 60, 60, 150 } },
        { { -0.5, 0.25 }, { 0, 250 } },                      // a negative length counts as 0
        { { 0.25, -1 }, { 125, 0, 125 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pattern, MakeLineTypePattern(c.lengths)) << "first length " << (c.lengths.empty() ? 0 : c.lengths[0]);
}

TEST(LineTypes, FileEntries)
{
    std::string path = WriteLineTypes("good",
                                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                      "<Linetypes>\n"
                                      "  <Linetype Name=\"Continuous\"/>\n"
                                      "  <Linetype Name=\"Dashed\"><Dash>0.5</Dash><Space> 0.25 </Space></Linetype>\n"
                                      "  <Linetype Name=\"Case\"><Dash>0.5</Dash><dash>0.9</dash><Space>0.25</Space>"
                                      "<Note>1</Note><!-- 2 --></Linetype>\n"
                                      "  <Linetype><Space>2</Space><Dash>1</Dash></Linetype>\n"
                                      "  <Linetype Name=\"Rohrleitung äußere\"><Dash>2</Dash><Space>1</Space></Linetype>\n"
                                      "  <Other Name=\"not a line type\"/>\n"
                                      "</Linetypes>\n");
    LineTypeArray list = LoadLineTypesFrom(path);
    ASSERT_EQ(5u, list.size());
    EXPECT_EQ("Continuous", list[0].name);
    EXPECT_TRUE(list[0].pattern.empty());
    EXPECT_EQ("Dashed", list[1].name);
    EXPECT_EQ((std::vector<int32_t>{ 250, 250, 250 }), list[1].pattern);
    // Names are compared exactly: the lower-case child and others are ignored.
    EXPECT_EQ((std::vector<int32_t>{ 250, 250, 250 }), list[2].pattern);
    // A nameless entry keeps its place; a Space may come first.
    EXPECT_EQ("", list[3].name);
    EXPECT_EQ((std::vector<int32_t>{ 333, 333, 333 }), list[3].pattern);
    EXPECT_EQ("Rohrleitung äußere", list[4].name);
}

TEST(LineTypes, MissingOrDamagedFileGivesNoLineTypes)
{
    struct Case
    {
        const char* name;
        const char* content;  // null: no file
        bool damaged;
    };
    const Case cases[] = {
        { "none", nullptr, false },
        { "broken", "<Linetypes><Linetype Name=\"a\"></Linetypes>", true },
        { "empty", "", true },
        { "otherroot", "<Lines><Linetype Name=\"a\"><Dash>0.5</Dash></Linetype></Lines>", true },
    };
    for (const Case& c : cases) {
        const std::string path = c.content != nullptr ? WriteLineTypes(c.name, c.content)
                                                      : kvtest::ScratchDir("linetypes-none") + "\\Linetype.vclnt";
        bool damaged = !c.damaged;
        EXPECT_TRUE(LoadLineTypesFrom(path, &damaged).empty()) << c.name;
        EXPECT_EQ(c.damaged, damaged) << c.name;
    }
    // Without a file beside the test program, the program's list is empty
    // and nothing is damaged.
    EXPECT_TRUE(LineTypeList().empty());
    EXPECT_EQ("", DamagedLineTypeFile());
}

// A length that is no number of 0 or more leaves its line type in its place
// without a pattern, drawn solid rather than in dots; the others are read,
// and the file is damaged.
TEST(LineTypes, DamagedLengthsAreDrawnSolid)
{
    const std::string path = WriteLineTypes("lengths",
                                            "<Linetypes>\n"
                                            "  <Linetype Name=\"Good\"><Dash>0.5</Dash><Space>0.25</Space></Linetype>\n"
                                            "  <Linetype Name=\"Text\"><Dash>O.5</Dash><Space>0.25</Space></Linetype>\n"
                                            "  <Linetype Name=\"Empty\"><Dash></Dash><Space>0.25</Space></Linetype>\n"
                                            "  <Linetype Name=\"Negative\"><Dash>0.5</Dash><Space>-1</Space></Linetype>\n"
                                            "  <Linetype Name=\"Tail\"><Dash>0.5mm</Dash></Linetype>\n"
                                            "</Linetypes>\n");
    bool damaged = false;
    const LineTypeArray list = LoadLineTypesFrom(path, &damaged);
    EXPECT_TRUE(damaged);
    ASSERT_EQ(5u, list.size());
    EXPECT_EQ((std::vector<int32_t>{ 250, 250, 250 }), list[0].pattern);
    for (size_t i = 1; i < list.size(); ++i) {
        EXPECT_TRUE(list[i].pattern.empty()) << list[i].name;
        EXPECT_TRUE(LineTypeDashes(list[i].pattern, 100).empty()) << list[i].name;
    }
    EXPECT_EQ("Negative", list[3].name);
}

TEST(LineTypes, DashLengthsOfADrawnSample)
{
    EXPECT_EQ((std::vector<DWORD>{ 25, 25, 25 }), LineTypeDashes({ 250, 250, 250 }, 100));
    EXPECT_EQ((std::vector<DWORD>{ 66, 66, 66 }), LineTypeDashes({ 333, 333, 333 }, 200));
    // The pen takes no zero length.
    EXPECT_EQ((std::vector<DWORD>{ 1, 100 }), LineTypeDashes({ 1, 1000 }, 100));
    EXPECT_TRUE(LineTypeDashes({}, 100).empty());
    // Nor more than sixteen.
    EXPECT_EQ(16u, LineTypeDashes(std::vector<int32_t>(20, 50), 100).size());
}

TEST(LineTypes, NamesOfStoredLineTypes)
{
    LineTypeArray list = { { "Continuous", {} }, { "Dashed", { 250, 250, 250 } } };
    EXPECT_EQ("Dashed", LineTypeName(list, 1));
    EXPECT_EQ("<Unknown>", LineTypeName(list, 2));
    EXPECT_EQ("<Unknown>", LineTypeName(list, -1));
    EXPECT_TRUE(IsKnownLineType(list, 0));
    EXPECT_FALSE(IsKnownLineType(list, -5));
}

TEST(NumberText, ReadLikeTheCLibraryInAnyLocale)
{
    EXPECT_EQ(12, kvpickers::TextToInt("12abc"));
    EXPECT_EQ(0, kvpickers::TextToInt(""));
    EXPECT_EQ(-7, kvpickers::TextToInt("  -7"));
    EXPECT_EQ(2147483647, kvpickers::TextToInt("99999999999"));
    EXPECT_DOUBLE_EQ(0.25, kvpickers::TextToDouble(" 0.25 "));
    EXPECT_DOUBLE_EQ(-1.5, kvpickers::TextToDouble("-1.5x"));
    EXPECT_DOUBLE_EQ(0.01, kvpickers::TextToDouble("1e-2"));
    EXPECT_DOUBLE_EQ(0.0, kvpickers::TextToDouble("abc"));
    EXPECT_DOUBLE_EQ(0.5, kvpickers::TextToDouble("+.5"));
}
