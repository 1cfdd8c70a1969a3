// Usage letters, the Label halves and unique descriptions.
#include "grids/core/CellText.h"
#include "grids/core/GridTables.h"

#include <gtest/gtest.h>

using namespace kvgrid;

TEST(CellText, UsageLettersAreCheckedAndCorrected)
{
    struct Case
    {
        int type;
        bool assembly;
        const char* in;
        const char* text;
        const char* message;   // empty: none
        bool dropped;
    };
    const char* refusedQ = "The \"Q\" characters have no meaning in the usage field.\n";
    const Case cases[] = {
        { TABLE_PIPE, false, "fz", "FZ ", "", false },
        { TABLE_VALVE, false, "yyn", "YN ", "", true },
        { TABLE_VALVE, false, "YN", "YN ", "", false },
        { TABLE_VALVE, true, "ax", "AX ", "", false },
        { TABLE_VALVE, false, "ax", "   ", "The \"AX\" characters have no meaning in the usage field.\n", false },
        { TABLE_TAPE, false, "Q", "   ", refusedQ, false },
        { TABLE_TAPE, false, "l", "L  ", "", false },
        { TABLE_WIRE, true, "a", "   ", "The \"A\" characters have no meaning in the usage field.\n", false },
        { TABLE_PIPE, false, "FLMS", "FLM", "Too many letters in usage field, only 3 allowed.\n", false },
        { TABLE_PIPE, false, "FLMSQ", "FLM",
          "The \"Q\" characters have no meaning in the usage field.\nAlso, only 3 characters are allowed.", false },
        { TABLE_PIPE, false, "F L", "F L", "", false },
        { TABLE_PIPE, false, "", "   ", "", false },
    };
    for (const Case& c : cases)
    {
        UsageCheck r = CheckUsageText(c.in, c.type, c.assembly, 3);
        SCOPED_TRACE(c.in);
        EXPECT_EQ(CString(c.text), r.text);
        EXPECT_EQ(CString(c.message), r.message);
        EXPECT_EQ(c.dropped, r.droppedRepeats);
    }
}

TEST(CellText, UniqueDescriptionsForCopies)
{
    struct Case
    {
        const char* in;
        int width;
        const char* out;
    };
    const Case cases[] = {
        { "ABC", 10, "~ABC      " },
        { "ABCDEFGHIJ", 10, "~BCDEFGHIJ" },
        { "~BCDEFGHIJ", 10, "~~CDEFGHIJ" },
        { "  ABC  ", 10, "~ABC      " },
        { "ABCDEFGHI", 10, "~ABCDEFGHI" },
        // Nothing left to replace: the text comes back as it was.
        { "~~~~~~~~~~", 10, "~~~~~~~~~~" },
        // No width known.
        { "ABC", 0, "~ABC" },
        // Characters, not bytes.
        { "Ø25 ÅB", 6, "~25 ÅB" },
        { "Ø25", 6, "~Ø25  " },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.out), MakeUniqueDescription(c.in, c.width)) << c.in;
}

TEST(CellText, LabelHalves)
{
    CString major2, minor2;
    SplitLabel("AB", 6, major2, minor2);
    EXPECT_EQ(CString("AB    "), major2);
    EXPECT_EQ(CString("      "), minor2);
    SplitLabel("PVC9 40mm", 6, major2, minor2);
    EXPECT_EQ(CString("PVC9 4"), major2);
    EXPECT_EQ(CString("0mm   "), minor2);
    SplitLabel("ABCDEFGHIJKLMNO", 6, major2, minor2);
    EXPECT_EQ(CString("GHIJKL"), minor2);
}
