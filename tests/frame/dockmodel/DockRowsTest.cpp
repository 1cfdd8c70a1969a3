// The rows of a dock bar: shares, insertion, removal and row questions.
#include "RowsNotation.h"

#include <gtest/gtest.h>

using namespace dockrowstest;

namespace {

struct ShareCase
{
    const char* name;
    const char* rows;
    // Share and valid flag of A, B, C before; 0 share means "not in the row".
    float fShares[3];
    BOOL bValid[3];
    char chActive;
    float fExpected[3];
};

} // namespace

TEST(DockRowsShares, RowSharesTable)
{
    const ShareCase cases[] = {
        { "one sized bar takes the row", "A |", { 0.3f }, { TRUE }, 0, { 1.0f } },
        { "a new bar takes what it asks, the others give in proportion", "A B C |", { 0.6f, 0.4f, 0.2f },
          { TRUE, TRUE, FALSE }, 0, { 0.48f, 0.32f, 0.2f } },
        { "a new bar asking for the whole row gets 0.95", "A B |", { 1.0f, 1.0f }, { TRUE, FALSE }, 0,
          { 0.05f, 0.95f } },
        // The settled shares need not add up to 1: the active bar keeps its
        // share and the others keep their proportions.
        { "active bar in a row whose other shares do not add up to 1", "A B |", { 0.6f, 0.4f }, { TRUE, TRUE },
          'A', { 0.6f, 0.4f } },
        { "active bar with the others at 0.5 and 0.2", "A B C |", { 0.3f, 0.5f, 0.2f }, { TRUE, TRUE, TRUE }, 'A',
          { 0.3f, 0.5f, 0.2f } },
        { "active bar taking more of a full row", "A B |", { 0.7f, 0.5f }, { TRUE, TRUE }, 'A', { 0.7f, 0.3f } },
        { "an active bar at 0.97 is not treated as active", "A B |", { 0.97f, 1.0f }, { TRUE, TRUE }, 'A',
          { 0.97f / 1.97f, 1.0f / 1.97f } },
        { "a share below the minimum is raised to it", "A B |", { 1.0f, 0.01f }, { TRUE, FALSE }, 0,
          { 0.95f, 0.05f } },
        { "no settled share: the new ones split the row", "A B |", { 0.3f, 0.3f }, { FALSE, FALSE }, 0,
          { 0.5f, 0.5f } },
    };
    for (const ShareCase& c : cases) {
        OZWDockRows rows = Rows(c.rows);
        for (int k = 0; k < 3; ++k) {
            const char ch = (char)('A' + k);
            if (rows.FindBar(BarPtr(ch)) < 0)
                continue;
            Entry(rows, ch).fShare = c.fShares[k];
            Entry(rows, ch).bShareValid = c.bValid[k];
        }
        int nSized = 0, nFixed = 0;
        rows.CalcRowShares(1, c.chActive ? BarPtr(c.chActive) : nullptr, nSized, nFixed);
        for (int k = 0; k < 3; ++k) {
            const char ch = (char)('A' + k);
            if (rows.FindBar(BarPtr(ch)) >= 0) {
                EXPECT_NEAR(c.fExpected[k], Share(rows, ch), 1e-4) << c.name << ", bar " << ch;
            }
        }
    }
}

TEST(DockRowsShares, HiddenAndFixedBarsTakeNoShare)
{
    OZWDockRows rows = Rows("A B- C! D |");
    Entry(rows, 'A').fShare = 0.5f;
    Entry(rows, 'B').fShare = 0.5f;
    Entry(rows, 'D').fShare = 0.5f;
    int nSized = 0, nFixed = 0;
    rows.CalcRowShares(1, nullptr, nSized, nFixed);
    EXPECT_EQ(2, nSized);
    EXPECT_EQ(1, nFixed);
    EXPECT_FALSE(Entry(rows, 'B').bShareValid);
    EXPECT_NEAR(0.5f, Share(rows, 'A'), 1e-6);
    EXPECT_NEAR(0.5f, Share(rows, 'D'), 1e-6);
}

TEST(DockRowsShares, MinimumShareFollowsTheLength)
{
    const struct
    {
        int nLength;
        float fMin;
    } cases[] = { { 360, 0.05f }, { 100, 0.18f }, { 0, 0.05f }, { -5, 0.05f }, { 10, 1.0f } };
    for (const auto& c : cases) {
        OZWDockRows rows;
        rows.UpdateMinShare(c.nLength);
        EXPECT_NEAR(c.fMin, rows.m_fMinShare, 1e-6) << c.nLength;
    }
}

TEST(DockRowsShares, AdjustBarShareReturnsTheShortfall)
{
    OZWDockRows rows = Rows("A |");
    Entry(rows, 'A').fShare = 0.3f;
    EXPECT_FLOAT_EQ(0.0f, rows.AdjustBarShare(-0.2f, 1));
    EXPECT_NEAR(0.1f, Share(rows, 'A'), 1e-6);
    EXPECT_NEAR(-0.05f, rows.AdjustBarShare(-0.1f, 1), 1e-6);
    EXPECT_FLOAT_EQ(0.05f, Share(rows, 'A'));
    EXPECT_FLOAT_EQ(0.25f, rows.AdjustBarShare(0.25f, -1));
}

TEST(DockRowsShares, ExpandAndEqualShares)
{
    OZWDockRows rows = Rows("A B C | D |");
    rows.ExpandBar(rows.FindBar(BarPtr('B')), 1);
    EXPECT_NEAR(1.0f, Share(rows, 'B'), 1e-6);
    EXPECT_FLOAT_EQ(0.05f, Share(rows, 'A'));
    EXPECT_TRUE(rows.IsLastResizableInRow(rows.FindBar(BarPtr('B'))));
    EXPECT_FALSE(rows.IsLastResizableInRow(rows.FindBar(BarPtr('A'))));
    // Every bar of the dock bar is repainted.
    EXPECT_EQ(4u, rows.m_queued.size());

    rows.ExpandBar(rows.FindBar(BarPtr('B')), 2);
    for (char c : { 'A', 'B', 'C' })
        EXPECT_NEAR(1.0f / 3.0f, Share(rows, c), 1e-6);
    EXPECT_FALSE(rows.IsLastResizableInRow(rows.FindBar(BarPtr('B'))));
}

TEST(DockRows, RowQuestions)
{
    OZWDockRows rows = Rows("A B C | D | E F- | #7 |");
    EXPECT_EQ(4, rows.GetRowCount());
    const int b = rows.FindBar(BarPtr('B'));
    EXPECT_EQ(1, rows.RowStart(b));
    EXPECT_EQ(4, rows.RowEnd(b));
    EXPECT_EQ(4, rows.RowEnd(4)); // a row end belongs to the row it ends
    EXPECT_EQ(5, rows.RowStartByNumber(1));
    EXPECT_EQ(-1, rows.RowStartByNumber(4));

    // Bars of the row: nearest back first, then the bar and those after it.
    std::string order;
    for (void* p : rows.GetRowBars(rows.FindBar(BarPtr('C'))))
        order += BarName(p);
    EXPECT_EQ("BAC", order);

    EXPECT_TRUE(rows.IsAloneInRow(rows.FindBar(BarPtr('D'))));
    EXPECT_TRUE(rows.IsAloneInRow(rows.FindBar(BarPtr('E')))); // its neighbour is hidden
    EXPECT_FALSE(rows.IsAloneInRow(rows.FindBar(BarPtr('F'))));
    EXPECT_FALSE(rows.IsAloneInRow(b));
    EXPECT_FALSE(rows.IsAloneInRow(0));
    EXPECT_EQ(5, rows.GetVisibleBarCount());
}

namespace {

struct PosCase
{
    const char* before;
    int nRow, nColumn;
    DWORD dwFlags;
    const char* after;
};

} // namespace

TEST(DockRowsInsert, ByPositionTable)
{
    const DWORD FromEnd = OZWDockPos::RowsFromEnd, ColsFromEnd = OZWDockPos::ColumnsFromEnd,
                NewRow = OZWDockPos::NewRow;
    const PosCase cases[] = {
        { "", 0, 0, 0, "X |" },
        { "", 3, 2, FromEnd, "X |" },
        { "A | B |", 0, 0, 0, "X A | B |" },
        { "A | B |", 1, 5, 0, "A | B X |" },
        { "A B C |", 0, 2, 0, "A B X C |" },
        { "A B- C |", 0, 2, 0, "A B C X |" }, // columns count visible bars
        { "A | B |", -1, 0, 0, "X | A | B |" },
        { "A | B |", -3, 0, 0, "X | | | A | B |" },
        { "A | B |", 2, 0, 0, "A | B | X |" },  // one row beyond: a new last row
        { "A | B |", 4, 0, 0, "A | B | | | X |" },
        { "A | B |", 0, 0, FromEnd, "A | X B |" },
        { "A | B |", -1, 0, FromEnd, "X A | B |" },
        { "A | B |", 1, 0, FromEnd, "A | B | X |" },
        { "A | B |", 3, 0, FromEnd, "A | B | | | X |" },
        { "A | B |", -2, 0, FromEnd, "X | A | B |" }, // before the first row
        { "A | B |", -3, 0, FromEnd, "X | | A | B |" },
        { "A B | C |", 0, 0, NewRow, "X | A B | C |" },
        { "A B C |", 0, 1, ColsFromEnd, "A B C X |" },
        { "A B C |", 0, 0, ColsFromEnd, "A B X C |" },
        { "A B C |", 0, -2, ColsFromEnd, "X A B C |" },
        { "A B C |", 0, -7, ColsFromEnd, "X A B C |" },
        { "A | | B |", 1, 0, 0, "A | X | B |" }, // an empty row takes the bar
    };
    for (const PosCase& c : cases) {
        OZWDockRows rows = Rows(std::string(c.before));
        OZWDockPos pos;
        pos.nRow = c.nRow;
        pos.nColumn = c.nColumn;
        pos.dwFlags = c.dwFlags;
        const int i = rows.InsertBarAtPos(Bar('X'), pos);
        EXPECT_EQ(c.after, Text(rows)) << c.before << " row " << c.nRow << " col " << c.nColumn << " flags "
                                       << c.dwFlags;
        EXPECT_EQ(i, rows.FindBar(BarPtr('X'))) << c.before;
    }
}

TEST(DockRowsInsert, OwnRowBarsKeepTheirRowAlone)
{
    const struct
    {
        const char* before;
        int nIndex;
        bool bOwnRow;
        const char* after;
    } cases[] = {
        { "A B |", 2, true, "A | X | B |" },
        { "A B |", 1, true, "X | A B |" },
        { "A B |", 3, true, "A B | X |" },
        { "A* | B |", 2, false, "A* | X | B |" },
        { "A B* |", 2, false, "A X | B* |" },
        { "A #9 |", 2, true, "A | X | #9 |" },
    };
    for (const auto& c : cases) {
        OZWDockRows rows = Rows(c.before);
        const int i = rows.InsertBarAtIndex(c.nIndex, Bar('X', 1.0f, c.bOwnRow ? SCBX_OWN_ROW : 0));
        std::string text = Text(rows);
        // The notation prints no flags.
        std::string expected = c.after;
        expected.erase(std::remove(expected.begin(), expected.end(), '*'), expected.end());
        EXPECT_EQ(expected, text) << c.before;
        EXPECT_EQ(i, rows.FindBar(BarPtr('X')));
    }
}

TEST(DockRowsInsert, AsFirstRow)
{
    OZWDockRows empty = Rows("");
    EXPECT_EQ(1, empty.InsertBarAsFirstRow(Bar('X')));
    EXPECT_EQ("X |", Text(empty));

    OZWDockRows rows = Rows("A B | C |");
    EXPECT_EQ(1, rows.InsertBarAsFirstRow(Bar('X')));
    EXPECT_EQ("X | A B | C |", Text(rows));

    OZWDockRows places = Rows("#4 | C |");
    places.InsertBarAsFirstRow(Bar('X'));
    EXPECT_EQ("X | #4 | C |", Text(places));
}

TEST(DockRowsRemove, RemovalTable)
{
    const struct
    {
        const char* before;
        char chBar;
        bool bPlaceholder;
        const char* after;
        bool bWasAlone;
    } cases[] = {
        { "A B | C |", 'A', false, "B | C |", false },
        { "A B | C |", 'C', false, "A B |", true },
        { "A | C |", 'A', false, "C |", true },
        { "A B | C |", 'B', true, "A #2 | C |", false },
        { "A | C |", 'A', true, "#1 | C |", true },
        // One place per bar: a second one is not kept.
        { "#1 | A B |", 'A', true, "#1 | B |", false },
        { "#1 | A |", 'A', true, "#1 |", true },
        // A removal collapses the doubled row end it leaves.
        { "A | B | |", 'B', false, "A | |", true },
    };
    for (const auto& c : cases) {
        OZWDockRows rows = Rows(c.before);
        const bool bAlone = rows.RemoveEntry(rows.FindBar(BarPtr(c.chBar)), c.bPlaceholder);
        EXPECT_EQ(c.after, Text(rows)) << c.before << " less " << c.chBar;
        EXPECT_EQ(c.bWasAlone, bAlone) << c.before << " less " << c.chBar;
        EXPECT_TRUE(rows.m_entries.front().IsRowEnd());
        EXPECT_TRUE(rows.m_entries.back().IsRowEnd());
    }
}

TEST(DockRowsRemove, RemovingAnAbsentEntryChangesNothing)
{
    OZWDockRows rows = Rows("A | B |");
    EXPECT_FALSE(rows.RemoveEntry(rows.FindBar(BarPtr('Q')), false));
    EXPECT_FALSE(rows.RemoveEntry(0, false));
    EXPECT_FALSE(rows.RemoveEntry(99, true));
    EXPECT_EQ("A | B |", Text(rows));
}

TEST(DockRowsRemove, AGoneBarLeavesTheRepaintQueue)
{
    OZWDockRows rows = Rows("A B | C |");
    rows.Queue(BarPtr('B'));
    rows.Queue(BarPtr('C'));
    rows.RemoveEntry(rows.FindBar(BarPtr('B')), false);
    ASSERT_EQ(1u, rows.m_queued.size());
    EXPECT_EQ(BarPtr('C'), rows.m_queued[0]);
}

TEST(DockRowsInsert, PlaceholderTakesTheBarBack)
{
    OZWDockRows rows = Rows("A | #2 C |");
    EXPECT_EQ(3, rows.ReplacePlaceholder(Bar('B')));
    EXPECT_EQ("A | B C |", Text(rows));
    EXPECT_EQ(-1, rows.ReplacePlaceholder(Bar('D')));
}

TEST(DockRows, QueueingFromAnIndexFollowsTheSide)
{
    // On a top dock bar the rows from the index on move; on a bottom one the rows before it.
    OZWDockRows top = Rows("A | B | C |", 0x2000);
    top.QueueFrom(3);
    ASSERT_EQ(2u, top.m_queued.size());
    EXPECT_EQ(BarPtr('B'), top.m_queued[0]);

    OZWDockRows bottom = Rows("A | B | C |", 0x8000);
    bottom.QueueFrom(3);
    ASSERT_EQ(1u, bottom.m_queued.size());
    EXPECT_EQ(BarPtr('A'), bottom.m_queued[0]);
}
