// The fixed tables of the component grid: titles, filters, sort orders,
// the indexes that serve them, and the Label column.
#include "grids/core/GridTables.h"
#include "database/records/ComponentRecords.h"
#include "tests/support/ScratchDatabase.h"

#include <gtest/gtest.h>

using namespace kvgrid;

TEST(GridTables, TitlesAndFiltersOfEveryTableType)
{
    struct Case
    {
        int type;
        const char* title;
        const char* filter;
    };
    const Case cases[] = {
        { 0, "Pipe", "[Database Number] = 1 AND ([Flags] = 0 OR [Flags] IS NULL)" },
        { 1, "Tape", "" },
        { 2, "Valve", "[Database Number] = 2" },
        { 5, "Coupler", "[Database Number] = 6" },
        { 6, "Elbow / Bend", "[Database Number] = 7" },
        { 9, "Pump", "[Database Number] = 11" },
        { 11, "Outlet Conn.", "[Database Number] = 13" },
        { 12, "Wire", "[Database Number] = 21" },
        { 14, "Light", "[Database Number] = 24" },
        { 15, "Electric", "[Database Number] = 23" },
        { 16, "Component", "[Database Number] = 14" },
        { 17, "Nozzle", "[Database Number] = 15" },
        { 18, "Query", "" },
        { 19, "", "" },
        { -1, "", "" },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(CString(c.title), GetTableTitle(c.type)) << c.type;
        EXPECT_EQ(CString(c.filter), GetTableFilter(c.type)) << c.type;
    }
}

TEST(GridTables, DefaultSortOrdersAndTheirRegistryNames)
{
    EXPECT_EQ(CString("[Order],[Major1],[Reals1],[Reals4],[Description]"), GetDefaultSortOrder(TABLE_PIPE));
    EXPECT_EQ(CString("[Order],[Description],[Reals1]"), GetDefaultSortOrder(TABLE_TAPE));
    EXPECT_EQ(CString("[Order],[Major1],[Minor1],[Reals1],[Reals2],[Reals3],[Description]"),
              GetDefaultSortOrder(TABLE_ELBOW));
    EXPECT_EQ(GetDefaultSortOrder(TABLE_VALVE), GetDefaultSortOrder(TABLE_OUTLET_CONNECTION));
    EXPECT_EQ(GetDefaultSortOrder(TABLE_TAPE), GetDefaultSortOrder(TABLE_LIGHT));
    EXPECT_EQ(CString("[Order],[Description],[Reals1],[Reals2]"), GetDefaultSortOrder(TABLE_COMPONENT));
    EXPECT_EQ(CString(""), GetDefaultSortOrder(TABLE_QUERY));
    EXPECT_EQ(CString("\\ElbowsBends"), GetSortOrderValueName(TABLE_ELBOW));
    EXPECT_EQ(CString("\\MiscellaneousItems"), GetSortOrderValueName(TABLE_COMPONENT));
    // Every component table is read once, Nozzles fourth.
    bool seen[ComponentTableCount] = {};
    for (int i = 0; i < ComponentTableCount; i++)
    {
        int t = GetSortOrderTableAt(i);
        ASSERT_TRUE(IsComponentTable(t));
        EXPECT_FALSE(seen[t]);
        seen[t] = true;
    }
    EXPECT_EQ(TABLE_NOZZLE, GetSortOrderTableAt(3));
    EXPECT_EQ(-1, GetSortOrderTableAt(18));
}

TEST(GridTables, TapeSortOrdersNameTheComponentsSideOnce)
{
    EXPECT_EQ(CString("C.[Order],C.[Description],C.[Reals1]"), QualifyTapeSortOrder("[Order],[Description],[Reals1]"));
    // Names already qualified stay as they are.
    EXPECT_EQ(CString("C.[Order],T.[Reals4] DESC"), QualifyTapeSortOrder("C.[Order],T.[Reals4] DESC"));
    EXPECT_EQ(CString("C.[Weird.Name]"), QualifyTapeSortOrder("[Weird.Name]"));
}

TEST(GridTables, OnlyPlainColumnListsAreSortOrders)
{
    const char* good[] = { "[Order]", "[Order],[Major1],[Reals1]", "C.[Order], T.[Reals4] DESC",
                           "[Description] asc,[Order]" };
    const char* bad[] = { "", "   ", "Order", "[Order];DROP TABLE Components", "[Order],", "[Order] DESCENDING",
                          "[Or'der]", "[]", "[Order", "[Order] [Major1]", "1" };
    for (const char* s : good)
        EXPECT_TRUE(IsValidSortOrder(s)) << s;
    for (const char* s : bad)
        EXPECT_FALSE(IsValidSortOrder(s)) << s;
}

TEST(GridTables, LabelColumnTables)
{
    const int with[] = { 0, 1, 2, 3, 9, 10, 11, 12, 13, 14, 15, 17 };
    const int without[] = { 4, 5, 6, 7, 8, 16, 18, -1 };
    for (int t : with)
        EXPECT_TRUE(HasLabelColumn(t)) << t;
    for (int t : without)
        EXPECT_FALSE(HasLabelColumn(t)) << t;
}

// The kind of a new component of each tab, and the tab of a component, both
// ways.
TEST(GridTables, TabsAndComponentKindsBothWays)
{
    struct Case
    {
        int tab;
        int databaseNumber;
        long flagsBefore;
        long flagsAfter;
    };
    const Case cases[] = {
        { 0, 1, 7, 0 },    { 1, 1, 0, 2 },   { 2, 2, 1, 0 },   { 3, 3, 0, 0 },   { 4, 4, 0, 0 },
        { 5, 6, 0, 0 },    { 6, 7, 0, 0 },   { 7, 8, 0, 0 },   { 8, 9, 0, 0 },   { 9, 11, 0, 0 },
        { 10, 12, 4, 4 },  { 10, 12, 5, 0 }, { 10, 12, 1, 0 }, { 11, 13, 0, 0 }, { 12, 21, 0, 0 },
        { 13, 22, 0, 0 },  { 14, 24, 0, 0 }, { 15, 23, 0, 0 }, { 16, 14, 0, 0 }, { 17, 15, 4, 0 },
        { 18, 0, 4, 0 },   { 19, 0, 2, 0 },  { -1, 0, 2, 0 },
    };
    for (const Case& c : cases)
    {
        BYTE number = 99;
        long flags = c.flagsBefore;
        TabToComponentType(c.tab, number, flags);
        EXPECT_EQ(c.databaseNumber, (int)number) << c.tab;
        EXPECT_EQ(c.flagsAfter, flags) << c.tab << " " << c.flagsBefore;
        if (IsComponentTable(c.tab))
            EXPECT_EQ(c.tab, ComponentToTab(number, flags)) << c.tab;
    }
    // A pipe is a tape by its tape bit, whatever else [Flags] holds.
    EXPECT_EQ(TABLE_TAPE, ComponentToTab(1, 3));
    EXPECT_EQ(TABLE_PIPE, ComponentToTab(1, 1));
    for (int number : { 0, 5, 10, 16, 17, 18, 19, 20, 25, 255 })
        EXPECT_EQ(-1, ComponentToTab(number, 0)) << number;
}

// A tab reads its rows in its order, the key last, a page at a time: an
// index of the skeleton gives them in that order, so that no tab sorts its
// rows first (the right part of an order, the keys among rows of equal
// values, may still be sorted within those few rows).
TEST(GridTables, AnIndexServesEveryTabsFilterAndOrder)
{
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(GetComponentConnectString(kvtest::CopySkeleton(kvtest::TestName()).c_str()),
                          CDatabase::noOdbcDialog));
    for (int t = 0; t < ComponentTableCount; t++)
    {
        std::string sql;
        if (t == TABLE_TAPE)
            sql = "SELECT T.rowid, C.[Component Key] FROM Tapes T INNER JOIN Components C ON "
                  "T.[Pipe Key] = C.[Component Key] WHERE C.[Flags] = 2 ORDER BY " +
                  QualifyTapeSortOrder(GetDefaultSortOrder(t)).str() + ", T.rowid, C.[Component Key]";
        else
            sql = "SELECT [Component Key] FROM Components WHERE " + GetTableFilter(t).str() + " ORDER BY " +
                  GetDefaultSortOrder(t).str() + ", [Component Key]";
        std::string plan = kvtest::QueryPlan(db, sql);
        EXPECT_NE(std::string::npos, plan.find("INDEX Components in")) << GetTableTitle(t).str() << ": " << plan;
        EXPECT_EQ(std::string::npos, plan.find("TEMP B-TREE FOR ORDER BY")) << GetTableTitle(t).str() << ": " << plan;
    }
    db.Close();
}
