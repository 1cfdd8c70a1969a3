// The component grid's clipboard text: built from rows of cells, read back
// into rows of cells, and the columns a pasted row goes into.
#include "grids/core/GridClipboard.h"

#include <gtest/gtest.h>

using namespace kvgrid;

namespace {

using Rows = std::vector<std::vector<CString>>;

std::string Show(const Rows& rows)
{
    std::string out;
    for (const auto& row : rows) {
        out += "[";
        for (size_t i = 0; i < row.size(); i++)
            out += (i ? "|" : "") + std::string((LPCTSTR)row[i]);
        out += "]";
    }
    return out;
}

} // namespace

TEST(GridClipboard, RowsBecomeTabAndLineBreakTextThatReadsBackTheSame)
{
    struct Case
    {
        const char* name;
        Rows rows;
        const char* text;
    };
    const Case cases[] = {
        { "two rows", { { "Valve", "V1", "AB" }, { "Pipe", "P2", "CD" } }, "Valve\tV1\tAB\r\nPipe\tP2\tCD" },
        { "empty cells in the middle and at the end",
          { { "Valve", "", "AB", "", "" }, { "", "P2", "", "", "x" } },
          "Valve\t\tAB\t\t\r\n\tP2\t\t\tx" },
        { "one cell", { { "only" } }, "only" },
        { "an empty row", { { "a", "b" }, { "", "" }, { "c", "d" } }, "a\tb\r\n\t\r\nc\td" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CString(c.text), BuildClipboardText(c.rows));
        EXPECT_EQ(Show(c.rows), Show(ParseClipboardText(c.text)));
    }
    // Tabs and line breaks inside a cell would start another cell or row.
    EXPECT_EQ(CString("a b\tc d e"), BuildClipboardText({ { "a\tb", "c\r\nd\ne" } }));
    EXPECT_EQ(CString(""), BuildClipboardText({}));
}

TEST(GridClipboard, TextFromOtherProgramsIsReadIntoRowsAndCellsKeepingEmptyOnes)
{
    struct Case
    {
        const char* name;
        const char* text;
        const char* rows;
    };
    const Case cases[] = {
        { "a spreadsheet's rows end in a line break", "a\tb\r\nc\td\r\n", "[a|b][c|d]" },
        { "line feeds only", "a\tb\nc\td\n", "[a|b][c|d]" },
        { "carriage returns only", "a\rb", "[a][b]" },
        { "empty cells kept", "\tx\t\t\r\n\t\t", "[|x||][||]" },
        { "a blank line between rows", "a\r\n\r\nb", "[a][][b]" },
        { "one value", "25.5", "[25.5]" },
        { "nothing", "", "" },
        { "a line break only", "\r\n", "[]" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(std::string(c.rows), Show(ParseClipboardText(c.text)));
    }
}

TEST(GridClipboard, PastedCellsGoIntoTheShownColumnsInTurnUpToTheLastOne)
{
    // Columns 7 and 9 hidden.
    auto shown = [](int c) { return c != 7 && c != 9; };
    EXPECT_EQ((std::vector<int>{ 6, 8, 10, 11 }), PasteTargetColumns(6, 4, shown, 36));
    EXPECT_EQ((std::vector<int>{ 35, 36, 0, 0 }), PasteTargetColumns(35, 4, shown, 36));
    EXPECT_EQ((std::vector<int>{ 8, 10 }), PasteTargetColumns(7, 2, shown, 36));
    EXPECT_EQ((std::vector<int>{ 0 }), PasteTargetColumns(37, 1, shown, 36));
    EXPECT_TRUE(PasteTargetColumns(6, 0, shown, 36).empty());
}

// Pasted text the program cannot store as text is found before anything is
// stored: bytes that are no UTF-8 character, and control characters that
// binary data brings; text of any script, with TABs and line breaks, passes.
TEST(GridClipboard, TextThatCannotBeStoredIsFound)
{
    struct Case
    {
        const char* text;
        int at;
    };
    const Case cases[] = {
        { "Pipe 20 mm\tPVC\r\nValve ½\" – Düse Ø 25\n", -1 },
        { "日本語 🌱", -1 },
        { "", -1 },
        { "ab\xFF" "cd", 2 },            // a byte no character begins with
        { "ab\xC3", 2 },                 // cut off
        { "ab\xC3(", 2 },                // no continuation byte
        { "\xC0\xAF", 0 },               // an overlong '/'
        { "\xE0\x80\xAF", 0 },           // an overlong '/', in three bytes
        { "x\xED\xA0\x80", 1 },          // a surrogate
        { "\xF4\x90\x80\x80", 0 },       // beyond U+10FFFF
        { "MZ\x90\x01\x02", 2 },         // binary data: a C1 control
        { "abc\x01" "def", 3 },          // a control character
        { "abc\x7F", 3 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.at, FindUnstorableText(c.text)) << c.text;
}

// The line of a character of pasted text, whatever the text's line breaks.
TEST(GridClipboard, TheLineOfAnOffsetCountsEveryKindOfLineBreakOnce)
{
    struct Case
    {
        const char* text;
        int offset, line;
    };
    const Case cases[] = {
        { "abc", 1, 1 },       { "a\r\nb\r\nc", 6, 3 }, { "a\r\nb", 2, 1 },  // inside CR LF: still the first line
        { "a\nb\rc", 4, 3 },   { "\r\n\r\nx", 4, 3 },   { "a", 5, 1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, LineOfOffset(c.text, c.offset)) << c.text << " at " << c.offset;
}

// What a paste of text rows does to the grid's rows, and when the user is
// asked first: only when more than one row is written and a stored one is
// replaced.
TEST(GridClipboard, APastesRowsReplaceStoredOnesAddNewOnesOrHaveNoRow)
{
    struct Case
    {
        const char* name;
        size_t rows, first, stored;
        bool canAdd;
        size_t replaced, added, leftOut;
        bool ask;
    };
    const Case cases[] = {
        { "100,000 rows on row 1 of 58", 100000, 1, 58, true, 58, 99942, 0, true },
        { "within the stored rows", 3, 2, 58, true, 3, 0, 0, true },
        { "one row on the current one", 1, 5, 58, true, 1, 0, 0, false },
        { "into the new row", 40, 59, 58, true, 0, 40, 0, false },
        { "from the last stored row", 3, 58, 58, true, 1, 2, 0, true },
        { "no new rows taken", 5, 57, 58, false, 2, 0, 3, true },
        { "an empty table", 2, 1, 0, true, 0, 2, 0, false },
        { "past the new row", 2, 70, 58, true, 0, 0, 2, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextPastePlan plan = PlanTextPaste(c.rows, c.first, c.stored, c.canAdd);
        EXPECT_EQ(c.replaced, plan.nReplaced);
        EXPECT_EQ(c.added, plan.nAdded);
        EXPECT_EQ(c.leftOut, plan.nLeftOut);
        EXPECT_EQ(c.ask, plan.NeedsConsent());
    }
}
