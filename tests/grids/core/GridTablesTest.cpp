// The fixed tables of the component grid: titles, filters, sort orders and
// the Label column.
#include "grids/core/GridTables.h"

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
        { 0, "Pipe", "[Database Number] = 1 AND Flags = 0" },
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
