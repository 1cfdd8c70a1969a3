// Sort orders, column map and fit type kept as registry text, against a
// store held in memory.
#include "grids/core/GridSettings.h"
#include "grids/core/GridTables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace kvgrid;

namespace {

class MemoryStore : public CGridSettingsStore
{
public:
    std::map<std::string, std::string> values;
    std::set<std::string> damaged;
    std::vector<std::string> writes;
    int nFailAfter = -1;   // writes allowed before every write fails (-1: none fails)

    ReadResult ReadText(LPCSTR path, CString& value) override
    {
        if (damaged.count(path))
            return readDamaged;
        auto it = values.find(path);
        if (it == values.end())
            return readMissing;
        value = it->second.c_str();
        return readOk;
    }
    BOOL WriteText(LPCSTR path, LPCSTR value) override
    {
        if (nFailAfter >= 0 && (int)writes.size() >= nFailAfter)
            return FALSE;
        writes.push_back(path);
        values[path] = value;
        return TRUE;
    }
    ReadResult ReadInt(LPCSTR path, int& value) override
    {
        CString text;
        ReadResult r = ReadText(path, text);
        if (r == readOk)
            value = std::atoi(text);
        return r;
    }
    BOOL WriteInt(LPCSTR path, int value) override
    {
        return WriteText(path, std::to_string(value).c_str());
    }
};

// Titles for the default map: a title for columns 1 to 12 of every table.
CString Title(int, int c)
{
    return c <= 12 ? CString(("T" + std::to_string(c)).c_str()) : CString();
}

const char kPipeSortPath[] = "DatabaseSettings\\SortOrder\\Pipes";
const char kTapeSortPath[] = "DatabaseSettings\\SortOrder\\Tapes";

} // namespace

TEST(GridSettings, AFirstRunWritesEveryDefaultSortOrderInOrder)
{
    MemoryStore store;
    CGridSettings settings;
    EXPECT_TRUE(settings.LoadSortOrders(store));
    ASSERT_EQ(18u, store.writes.size());
    EXPECT_EQ(kPipeSortPath, store.writes[0]);
    EXPECT_EQ("DatabaseSettings\\SortOrder\\Nozzles", store.writes[3]);
    EXPECT_EQ("DatabaseSettings\\SortOrder\\Lights", store.writes[17]);
    // Stored as it is; used on the Components side of the tape join.
    EXPECT_EQ("[Order],[Description],[Reals1]", store.values[kTapeSortPath]);
    EXPECT_EQ(CString("C.[Order],C.[Description],C.[Reals1]"), settings.GetSortOrder(TABLE_TAPE));
    EXPECT_EQ(CString(""), settings.GetSortOrder(TABLE_QUERY));
    EXPECT_EQ(CString(""), settings.GetSortOrder(-1));
    EXPECT_EQ(CString(""), settings.GetSortOrder(19));
}

TEST(GridSettings, StoredSortOrdersAreUsedUnlessDamaged)
{
    MemoryStore store;
    store.values[kPipeSortPath] = "[Description] DESC";
    store.values[kTapeSortPath] = "C.[Order],T.[Reals4]";
    store.values["DatabaseSettings\\SortOrder\\Valves"] = "[Order]; DELETE FROM Components";
    store.damaged.insert("DatabaseSettings\\SortOrder\\Pumps");
    CGridSettings settings;
    EXPECT_TRUE(settings.LoadSortOrders(store));
    EXPECT_EQ(CString("[Description] DESC"), settings.GetSortOrder(TABLE_PIPE));
    EXPECT_EQ(CString("C.[Order],T.[Reals4]"), settings.GetSortOrder(TABLE_TAPE));
    EXPECT_EQ(GetDefaultSortOrder(TABLE_VALVE), settings.GetSortOrder(TABLE_VALVE));
    EXPECT_EQ(GetDefaultSortOrder(TABLE_PUMP), settings.GetSortOrder(TABLE_PUMP));
    // A damaged value is left as it is stored.
    EXPECT_EQ("[Order]; DELETE FROM Components", store.values["DatabaseSettings\\SortOrder\\Valves"]);
    EXPECT_EQ(0u, store.values.count("DatabaseSettings\\SortOrder\\Pumps"));
}

TEST(GridSettings, AFailedWriteOfADefaultIsReported)
{
    MemoryStore store;
    store.nFailAfter = 5;
    CGridSettings settings;
    EXPECT_FALSE(settings.LoadSortOrders(store));
    settings.SetDefaultSortOrders();
    EXPECT_EQ(CString("C.[Order],C.[Description],C.[Reals1]"), settings.GetSortOrder(TABLE_TAPE));
}

TEST(GridSettings, TheDefaultColumnMapShowsEachTablesColumns)
{
    CGridSettings settings;
    settings.BuildColumnMap(Title);
    struct Case
    {
        int type;
        std::set<int> visible;
    };
    const Case cases[] = {
        { TABLE_PIPE, { 6, 7, 8, 9 } },   // 27 and 31 have no title here
        { TABLE_NOZZLE, { 6, 7, 8 } },
        { TABLE_VALVE, { 6, 7, 8, 9 } },
        { TABLE_COMPONENT, { 6, 7, 8, 9 } },
    };
    for (const Case& c : cases)
    {
        const auto& columns = settings.GetTableColumns(c.type);
        EXPECT_EQ(12u, columns.size());
        for (const auto& kv : columns)
            EXPECT_EQ(c.visible.count(kv.first) ? 1 : 0, kv.second.visible) << c.type << "/" << kv.first;
    }
    EXPECT_TRUE(CGridSettings::IsDefaultVisible(TABLE_TAPE, 27));
    EXPECT_TRUE(CGridSettings::IsDefaultVisible(TABLE_PIPE, 31));
    EXPECT_FALSE(CGridSettings::IsDefaultVisible(TABLE_NOZZLE, 9));
    EXPECT_TRUE(settings.GetTableColumns(TABLE_QUERY).empty());
}

TEST(GridSettings, TheColumnMapSurvivesARestart)
{
    MemoryStore store;
    {
        CGridSettings settings;
        settings.BuildColumnMap(Title);
        settings.SetFitType(CGridSettings::fitToWindow);
        GridColumnEntry& e = settings.Entry(TABLE_ELBOW, 10);
        e.width = 140;
        e.visible = 1;
        e.title = "Major, Connection\r\n(mm)";
        settings.Entry(TABLE_PIPE, 6).visible = 0;
        EXPECT_TRUE(settings.SaveColumnMap(store));
    }
    EXPECT_EQ(1u + 18 * 48, store.writes.size());
    EXPECT_EQ("2", store.values["DatabaseSettings\\TabColumns\\FitType"]);
    EXPECT_EQ("Major, Connection\r\n(mm),1,140", store.values["DatabaseSettings\\TabColumns\\Elbow / Bend\\10"]);
    EXPECT_EQ(",0,0", store.values["DatabaseSettings\\TabColumns\\Pipe\\13"]);
    EXPECT_EQ("T1,0,0", store.values["DatabaseSettings\\TabColumns\\Outlet Conn.\\01"]);

    CGridSettings loaded;
    loaded.BuildColumnMap([](int, int) { return CString(); });
    EXPECT_TRUE(loaded.LoadColumnMap(store));
    EXPECT_EQ(CGridSettings::fitToWindow, loaded.GetFitType());
    const GridColumnEntry* e = loaded.FindEntry(TABLE_ELBOW, 10);
    ASSERT_TRUE(e);
    EXPECT_EQ(CString("Major, Connection\r\n(mm)"), e->title);
    EXPECT_EQ(140, e->width);
    EXPECT_EQ(1, e->visible);
    EXPECT_EQ(0, loaded.FindEntry(TABLE_PIPE, 6)->visible);
    // Columns written without a title make no entry.
    EXPECT_EQ(nullptr, loaded.FindEntry(TABLE_PIPE, 13));
}

TEST(GridSettings, LoadingStopsAtTheFirstMissingValue)
{
    MemoryStore store;
    {
        CGridSettings settings;
        settings.BuildColumnMap(Title);
        for (int t = 0; t < ComponentTableCount; t++)
            settings.Entry(t, 3).width = 200;
        settings.SaveColumnMap(store);
    }
    store.values.erase("DatabaseSettings\\TabColumns\\Pipe\\05");
    CGridSettings loaded;
    loaded.BuildColumnMap(Title);
    EXPECT_FALSE(loaded.LoadColumnMap(store));
    EXPECT_EQ(200, loaded.FindEntry(TABLE_PIPE, 3)->width);
    EXPECT_EQ(0, loaded.FindEntry(TABLE_TAPE, 3)->width);
    EXPECT_EQ(0, loaded.FindEntry(TABLE_NOZZLE, 3)->width);
}

TEST(GridSettings, WithoutAFitTypeNothingIsLoaded)
{
    MemoryStore store;
    store.values["DatabaseSettings\\TabColumns\\Pipe\\06"] = "Name,0,300";
    CGridSettings settings;
    settings.BuildColumnMap(Title);
    EXPECT_FALSE(settings.LoadColumnMap(store));
    EXPECT_EQ(CGridSettings::stretchToFit, settings.GetFitType());
    EXPECT_EQ(CString("T6"), settings.FindEntry(TABLE_PIPE, 6)->title);
}

TEST(GridSettings, DamagedAndUntitledValuesAreSkipped)
{
    MemoryStore store;
    {
        CGridSettings settings;
        settings.BuildColumnMap(Title);
        settings.SaveColumnMap(store);
    }
    store.values["DatabaseSettings\\TabColumns\\FitType"] = "7";
    store.values["DatabaseSettings\\TabColumns\\Pipe\\06"] = ",1,500";
    store.values["DatabaseSettings\\TabColumns\\Pipe\\07"] = "No numbers";
    store.values["DatabaseSettings\\TabColumns\\Pipe\\08"] = "Name,1,-40";
    store.values["DatabaseSettings\\TabColumns\\Pipe\\09"] = "Name,x,40";
    store.damaged.insert("DatabaseSettings\\TabColumns\\Pipe\\10");
    store.values["DatabaseSettings\\TabColumns\\Pipe\\11"] = "New title,1,90";
    CGridSettings loaded;
    loaded.BuildColumnMap(Title);
    EXPECT_TRUE(loaded.LoadColumnMap(store));
    EXPECT_EQ(CGridSettings::stretchToFit, loaded.GetFitType());
    for (int c : { 6, 7, 8, 9, 10 })
    {
        const GridColumnEntry* e = loaded.FindEntry(TABLE_PIPE, c);
        EXPECT_EQ(CString(("T" + std::to_string(c)).c_str()), e->title) << c;
        EXPECT_EQ(0, e->width) << c;
    }
    EXPECT_EQ(CString("New title"), loaded.FindEntry(TABLE_PIPE, 11)->title);
    EXPECT_EQ(90, loaded.FindEntry(TABLE_PIPE, 11)->width);
}

TEST(GridSettings, SavingStopsAtTheFirstFailedWrite)
{
    MemoryStore store;
    store.nFailAfter = 10;
    CGridSettings settings;
    settings.BuildColumnMap(Title);
    EXPECT_FALSE(settings.SaveColumnMap(store));
    EXPECT_EQ(10u, store.writes.size());
}

// A start reads the column map of the table it shows only; another table is
// read when it is first shown, with the tables before it, so that a missing
// value ends the reading where a whole read ends it. Saving writes back what
// the tables never shown hold.
TEST(GridSettings, TablesAreReadWhenFirstShownAndAllOfThemSaved)
{
    MemoryStore store;
    {
        CGridSettings settings;
        settings.BuildColumnMap(Title);
        for (int t = 0; t < ComponentTableCount; t++)
            settings.Entry(t, 3).width = 100 + t;
        settings.SaveColumnMap(store);
    }
    struct CountingStore : MemoryStore
    {
        std::vector<std::string> reads;
        ReadResult ReadText(LPCSTR path, CString& value) override
        {
            reads.push_back(path);
            return MemoryStore::ReadText(path, value);
        }
    } counting;
    counting.values = store.values;
    counting.values.erase("DatabaseSettings\\TabColumns\\Hydraulic\\07");

    CGridSettings loaded;
    loaded.BuildColumnMap(Title);
    ASSERT_TRUE(loaded.StartColumnMapLoad(counting));
    EXPECT_EQ(1u, counting.reads.size());  // the fit type
    // The Query table's columns, which the grid takes from the first table
    // shown, are not stored: they read nothing.
    loaded.RemoveTableColumns(TABLE_QUERY);
    loaded.Entry(TABLE_QUERY, 3).width = 7;
    EXPECT_EQ(7, loaded.GetTableColumns(TABLE_QUERY).at(3).width);
    EXPECT_EQ(1u, counting.reads.size());
    EXPECT_EQ(100, loaded.FindEntry(TABLE_PIPE, 3)->width);
    EXPECT_EQ(1u + 48, counting.reads.size());
    for (size_t i = 1; i < counting.reads.size(); i++)
        EXPECT_EQ(0u, counting.reads[i].find("DatabaseSettings\\TabColumns\\Pipe\\")) << counting.reads[i];
    // The Valve table (2) brings the Tape table (1) with it; the missing
    // value of the Hydraulic table (3) ends the reading there.
    EXPECT_EQ(102, loaded.GetTableColumns(TABLE_VALVE).at(3).width);
    EXPECT_EQ(101, loaded.FindEntry(TABLE_TAPE, 3)->width);
    EXPECT_EQ(103, loaded.FindEntry(TABLE_HYDRAULIC, 3)->width);
    EXPECT_EQ(0, loaded.FindEntry(TABLE_NOZZLE, 3)->width);

    // A load started and never taken further keeps every stored table.
    CGridSettings untouched;
    untouched.BuildColumnMap(Title);
    ASSERT_TRUE(untouched.StartColumnMapLoad(store));
    MemoryStore saved;
    EXPECT_TRUE(untouched.SaveColumnMap(saved));
    EXPECT_EQ(store.values, saved.values);
}
