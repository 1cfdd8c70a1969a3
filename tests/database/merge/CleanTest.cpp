// The field clean: the canonical form of codes, the columns each kind of
// component keeps, and the pass over a database.
#include "tests/support/MergeFixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace mergetest;

namespace {

struct CodeCase
{
    const char* source;
    int width;
    int split;
    std::string expected;
};

// A record with every column in use, codes in lower case and without
// padding.
ComponentFields FullRecord(int kind, long flags = 0)
{
    ComponentFields r;
    r.m_nDatabaseNumber = (BYTE)kind;
    r.m_nFlags = flags;
    r.m_strDescription = "Part";
    r.m_strWarehouseCode = "w1";
    r.m_strSupplierCode = "s";
    r.m_strUsage = "u";
    r.m_strMajor1 = "major1";
    r.m_strMinor1 = "minor1";
    r.m_strMajor2 = "label1";
    r.m_strMinor2 = "label2";
    r.m_strDefaultNozzle = "n";
    r.m_strItemType = "t";
    for (float* f : {&r.m_fReals1, &r.m_fReals2, &r.m_fReals3, &r.m_fReals4, &r.m_fReals5, &r.m_fReals6,
                     &r.m_fReals7, &r.m_fReals8, &r.m_fRextra1, &r.m_fRextra2, &r.m_fRextra3, &r.m_fRextra4})
        *f = 7.0f;
    r.m_nLinetype = 3;
    r.m_nSymbol = 5;
    r.m_fSymbolSize = 2.0f;
    r.m_nSymbolFile = 9;
    r.m_nColour1 = 11;
    r.m_nColour2 = 12;
    return r;
}

// The whole record as text, for comparisons that show every difference.
std::string Describe(const ComponentFields& r)
{
    CString text;
    text.Format("codes [%s][%s][%s][%s][%s][%s][%s][%s][%s] reals %g %g %g %g %g %g %g %g extras %g %g %g %g "
                "drawing %ld %ld %g %ld %ld %ld",
                (LPCSTR)r.m_strWarehouseCode, (LPCSTR)r.m_strSupplierCode, (LPCSTR)r.m_strUsage,
                (LPCSTR)r.m_strMajor1, (LPCSTR)r.m_strMinor1, (LPCSTR)r.m_strMajor2, (LPCSTR)r.m_strMinor2,
                (LPCSTR)r.m_strDefaultNozzle, (LPCSTR)r.m_strItemType, r.m_fReals1, r.m_fReals2, r.m_fReals3,
                r.m_fReals4, r.m_fReals5, r.m_fReals6, r.m_fReals7, r.m_fReals8, r.m_fRextra1, r.m_fRextra2,
                r.m_fRextra3, r.m_fRextra4, r.m_nLinetype, r.m_nSymbol, (double)r.m_fSymbolSize, r.m_nSymbolFile,
                r.m_nColour1, r.m_nColour2);
    return text.str();
}

// What the clean clears for a kind, as words: M56 [Major1] characters 5-6,
// M2 [Major1] two blanks, m1 [Minor1], L [Major2] and [Minor2], R2..R6 the
// reals, X12 and X34 the extras, D every drawing column, S the symbol
// columns, P the point drawing defaults ([Linetype] 0, [Symbol] 1,
// [Colour2] 0).
struct KindCase
{
    int kind;
    long flags;
    const char* cleared;
};

ComponentFields Expected(const KindCase& c, BYTE width)
{
    ComponentFields r = FullRecord(c.kind, c.flags);
    // The codes in canonical form.
    r.m_strWarehouseCode = "W1" + CString(' ', width - 2);
    r.m_strSupplierCode = "S   ";
    r.m_strUsage = "U  ";
    r.m_strMajor1 = "MAJOR1";
    r.m_strMinor1 = "MINOR1";
    r.m_strDefaultNozzle = "N         ";
    r.m_strItemType = "T  ";
    std::string words = std::string(" ") + c.cleared + " ";
    auto has = [&](const char* w) { return words.find(std::string(" ") + w + " ") != std::string::npos; };
    if (has("M56"))
        r.m_strMajor1 = "MAJO  ";
    if (has("M2"))
        r.m_strMajor1 = "  ";
    if (has("m1"))
        r.m_strMinor1 = "      ";
    if (has("L"))
        r.m_strMajor2 = r.m_strMinor2 = "      ";
    float* reals[] = {nullptr, &r.m_fReals1, &r.m_fReals2, &r.m_fReals3, &r.m_fReals4, &r.m_fReals5, &r.m_fReals6};
    for (int i = 2; i <= 6; ++i)
        if (has(("R" + std::to_string(i)).c_str()))
            *reals[i] = 0.0f;
    if (has("X12"))
        r.m_fRextra1 = r.m_fRextra2 = 0.0f;
    if (has("X34"))
        r.m_fRextra3 = r.m_fRextra4 = 0.0f;
    if (has("D")) {
        r.m_nLinetype = r.m_nSymbol = r.m_nSymbolFile = r.m_nColour1 = r.m_nColour2 = 0;
        r.m_fSymbolSize = 0.0f;
    }
    if (has("S")) {
        r.m_nSymbol = r.m_nSymbolFile = 0;
        r.m_fSymbolSize = 0.0f;
    }
    if (has("P")) {
        r.m_nLinetype = 0;
        r.m_nSymbol = 1;
        r.m_nColour2 = 0;
    }
    return r;
}

} // namespace

TEST(CleanRules, CodesAreLeftAlignedPaddedAndUpperCased)
{
    const CodeCase cases[] = {
        {" ab", 4, -1, "AB  "},                     // the leading blank moves to the end
        {" 25mm", 6, 4, "25M M "},                  // the first four left-aligned within four
        {"", 3, -1, "   "},
        {"toolongcode", 4, -1, "TOOLONGCODE"},      // never cut
        {"  x", 6, 4, "X     "},                    // split beyond the text: all of it is the leading part
        {"ab", 255, -1, "AB" + std::string(19, ' ')},             // at most 19 blanks per padding
        {"a", 255, 25, "A" + std::string(38, ' ')},
        {"größe", 7, -1, "GRÖßE  "},                // widths count characters
    };
    for (const CodeCase& c : cases) {
        CString result;
        DBComponentTable::NormaliseCode(result, (BYTE)c.width, c.source, c.split);
        EXPECT_EQ(c.expected, result.str()) << "'" << c.source << "' width " << c.width << " split " << c.split;
    }
}

TEST(CleanRules, EachKindKeepsOnlyTheColumnsItUses)
{
    const KindCase cases[] = {
        {0, 0, "R5 R6 X12 X34 P"},
        {1, 0, "M56 m1 R5 R6 X12 X34 S"},
        {1, COMPONENT_FLAG_TAPE, "M56 m1 R5 R6 X12 S"},  // a tape keeps its COV and minimum pressure
        {2, 0, "R6 X34 P"},
        {3, 0, "R6 X34 P"},
        {4, 0, "M56 L R3 R4 R5 R6 X12 X34 D"},
        {5, 0, "M56 m1 L R5 R6 X12 X34 S"},
        {6, 0, "L R3 R4 R5 R6 X12 X34 D"},
        {7, 0, "L R5 R6 X12 X34 D"},
        {8, 0, "L R3 R4 R5 R6 X12 X34 D"},
        {9, 0, "L R3 R4 R5 R6 X12 X34 D"},
        {10, 0, "R5 R6 X12 X34 P"},
        {11, 0, "R6 X34 P"},
        {12, 0, "m1 R3 R4 R5 R6 P"},
        {13, 0, "R6 X12 X34 P"},
        {14, 0, "M2 m1 L R3 R4 R5 R6 X12 X34 D"},
        {15, 0, "R6 P"},
        {16, 0, "R5 R6 X12 X34 P"},
        {17, 0, "M2 m1 L R3 R4 R5 R6 X12 X34 D"},
        {18, 0, "M2 m1 R5 R6 D"},
        {19, 0, "R5 R6 X12 X34 P"},
        {20, 0, "R5 R6 X12 X34 P"},
        {21, 0, "M56 m1 R2 R5 R6 X12 X34 S"},
        {22, 0, "M2 m1 R2 R3 R4 R5 R6 X12 X34 P"},
        {23, 0, "M2 m1 R3 R4 R5 R6 X12 X34 P"},
        {24, 0, "M2 m1 R3 R4 R5 R6 X34 P"},
        {30, 0, "R5 R6 X12 X34 P"},
    };
    for (const KindCase& c : cases) {
        ComponentFields r = FullRecord(c.kind, c.flags);
        DBComponentTable::CleanRecord(r, 8);
        EXPECT_EQ(Describe(Expected(c, 8)), Describe(r)) << "kind " << c.kind << " flags " << c.flags;
    }
}

TEST(CleanRules, ValuesTooSmallToMatterBecomeZero)
{
    struct Case
    {
        int kind;
        float reals1, reals3;
        float expected1, expected3;
    } cases[] = {
        {2, 5e-11f, 0.0005f, 0.0f, 0.0005f},     // below 1e-10: gone; [Reals3] of a valve kept
        {2, 2e-10f, 0.002f, 2e-10f, 0.002f},
        {2, -5e-11f, 0.0f, 0.0f, 0.0f},
        {15, 1.0f, 0.0005f, 1.0f, 0.0f},         // a nozzle's [Reals3] below 0.001: gone
        {15, 1.0f, -0.0005f, 1.0f, 0.0f},
        {15, 1.0f, 0.002f, 1.0f, 0.002f},
    };
    for (const Case& c : cases) {
        ComponentFields r = FullRecord(c.kind);
        r.m_fReals1 = c.reals1;
        r.m_fReals3 = c.reals3;
        r.m_fRextra1 = 5e-11f;
        DBComponentTable::CleanRecord(r, 8);
        EXPECT_EQ(c.expected1, r.m_fReals1) << "kind " << c.kind << " reals1 " << c.reals1;
        EXPECT_EQ(c.expected3, r.m_fReals3) << "kind " << c.kind << " reals3 " << c.reals3;
        EXPECT_EQ(0.0f, r.m_fRextra1);
    }
}

namespace {

// The merge fixture, with the target cleaned as the clean dialog cleans it.
class CleanTest : public MergeTest
{
protected:
    void CleanTarget()
    {
        DBDatabase db(m_target.c_str(), DBDatabase::openFile);
        Attach(db);
        db.Clean();
    }
};

} // namespace

TEST_F(CleanTest, CleanWritesTheCanonicalFormIntoEveryRow)
{
    RunSqlOn(m_target,
             "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code], "
             "[Supplier Code], [Major1], [Minor1], [Reals5], [Linetype], [Symbol]) VALUES "
             "(1, 1, 'Pipe', 'ab', ' ab', ' 25mm', 'x', 4, 3, 7);\n"
             "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags], [Rextra3], "
             "[Reals1]) VALUES (2, 1, 'Tape', 2, 0.5, 0.00000000005);\n"
             "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Reals3], [Item Type]) "
             "VALUES (3, 15, 'Jet', 0.0005, NULL);\n");
    {
        DBDatabase db(m_target.c_str(), DBDatabase::openFile);
        Attach(db);
        ASSERT_TRUE(db.IsOpen());
        EXPECT_EQ(3, db.CountComponentRows());
        db.Clean();
    }
    // [Warehouse Code] is 32 wide: a two-letter code grows by 19 blanks.
    EXPECT_EQ("AB" + std::string(19, ' ') + ",AB  ,25M   ,      ,0.0,3,0",
              QueryRows(m_target, "SELECT [Warehouse Code], [Supplier Code], [Major1], [Minor1], [Reals5], "
                                  "[Linetype], [Symbol] FROM Components WHERE [Component Key] = 1"));
    EXPECT_EQ("0.5,0.0", QueryRows(m_target, "SELECT [Rextra3], [Reals1] FROM Components WHERE [Component Key] = 2"));
    EXPECT_EQ("0.0,   ,1", QueryRows(m_target, "SELECT [Reals3], [Item Type], [Symbol] FROM Components WHERE "
                                               "[Component Key] = 3"));

    // Cleaning again changes nothing but the [Warehouse Code]s that the
    // first pass could not pad to the full width.
    const char* everyOtherColumn =
        "SELECT [Component Key], [Database Number], [Description], [Supplier Code], [Usage], [Major1], [Minor1], "
        "[Major2], [Minor2], [Reals1], [Reals2], [Reals3], [Reals4], [Reals5], [Reals6], [Reals7], [Reals8], "
        "[Rextra1], [Rextra2], [Rextra3], [Rextra4], [Linetype], [Symbol], [Symbol Size], [Symbol File], "
        "[Colour1], [Colour2], [Default Nozzle], [Item Type], [Flags], [Order] FROM Components ORDER BY 1";
    std::string before = QueryRows(m_target, everyOtherColumn);
    CleanTarget();
    EXPECT_EQ(before, QueryRows(m_target, everyOtherColumn));
    EXPECT_EQ("AB" + std::string(30, ' '), QueryRows(m_target, "SELECT [Warehouse Code] FROM Components WHERE [Component Key] = 1"));
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(CleanTest, CleanOfAnEmptyTableDoesNothing)
{
    DBDatabase db(m_target.c_str(), DBDatabase::openFile);
    Attach(db);
    ASSERT_TRUE(db.IsOpen());
    EXPECT_EQ(0, db.CountComponentRows());
    db.Clean();
    EXPECT_EQ("0", QueryRows(m_target, "SELECT COUNT(*) FROM Components"));
}

TEST(CleanRules, SizeTextsOutsideAsciiAreCutByCharacters)
{
    // [Major1] of a kind whose fifth and sixth characters are blanked, and
    // of kinds that keep or drop it: every result is whole UTF-8 text.
    const struct
    {
        int kind;
        const char* major1;
        const char* expected;
    } cases[] = {
        {1, "25MØ", "25MØ  "},
        {1, "Ø25MM", "Ø25M  "},
        {4, "ø25mm", "Ø25M  "},
        {21, "ÄÖÜßÉÈ", "ÄÖÜß  "},
        {5, "ø", "Ø     "},
        {2, "äbcdéf", "ÄBCDÉF"},
        {14, "ÄÖÜ", "  "},
    };
    for (const auto& c : cases) {
        ComponentFields r = FullRecord(c.kind);
        r.m_strMajor1 = c.major1;
        DBComponentTable::CleanRecord(r, 8);
        EXPECT_EQ(std::string(c.expected), r.m_strMajor1.str()) << "kind " << c.kind << " '" << c.major1 << "'";
    }
}

TEST_F(CleanTest, CleanWritesOnlyWhatItChangesAndKeepsTheRestAsStored)
{
    // A pipe whose [Reals7] is no single and whose [Major2] and [Reals8]
    // are null: the clean changes none of them, so they stay as stored, not
    // rounded or given a value; once clean, a row is not written again (its
    // [Warehouse Code] is already as wide as the column).
    RunSqlOn(m_target,
             "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code], "
             "[Supplier Code], [Reals7], [Major2], [Reals8]) VALUES (1, 1, 'Pipe', 'W' || printf('%31s', ''), 'ab', "
             "0.1, NULL, NULL);\n");
    CleanTarget();
    EXPECT_EQ("AB  ,1,1,1", QueryRows(m_target, "SELECT [Supplier Code], [Reals7] = 0.1, [Major2] IS NULL, "
                                                "[Reals8] IS NULL FROM Components"));
    RunSqlOn(m_target, "CREATE TRIGGER [No writes] BEFORE UPDATE ON [Components] "
                       "BEGIN SELECT RAISE(ABORT, 'written'); END;\n");
    DBDatabase db(m_target.c_str(), DBDatabase::openFile);
    Attach(db);
    EXPECT_NO_THROW(db.Clean());
}

TEST_F(CleanTest, CleanThatFailsOnARowLeavesEveryRowOfItsBatchAsItWas)
{
    RunSqlOn(m_target,
             "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Supplier Code]) VALUES "
             "(1, 1, 'One', 'a'), (2, 1, 'Two', 'b'), (3, 1, 'Three', 'c');\n"
             "CREATE TRIGGER [Refuse three] BEFORE UPDATE ON [Components] WHEN OLD.[Component Key] = 3 "
             "BEGIN SELECT RAISE(ABORT, 'refused'); END;\n");
    bool bThrown = false;
    try {
        CleanTarget();
    } catch (CException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ("a,b,c", QueryRows(m_target, "SELECT GROUP_CONCAT([Supplier Code]) FROM "
                                           "(SELECT [Supplier Code] FROM Components ORDER BY 1)"));
}

TEST_F(CleanTest, CleanReachesRowsWhoseKeysLieFarApart)
{
    // The rows are read a range of keys at a time: rows in ranges far
    // apart, up to the largest key, are all cleaned.
    RunSqlOn(m_target,
             "INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Supplier Code]) VALUES "
             "(-5, 1, 'Below', 'a'), (1, 1, 'One', 'b'), (4096, 1, 'Page', 'c'), (9000, 1, 'Far', 'd'), "
             "(2147483647, 1, 'Last', 'e');\n");
    CleanTarget();
    EXPECT_EQ("A   |B   |C   |D   |E   ", QueryRows(m_target, "SELECT GROUP_CONCAT([Supplier Code], '|') FROM "
                                                              "(SELECT [Supplier Code] FROM Components ORDER BY 1)"));
}
