// The database pickers over a copy of the sample database: what they list,
// the rows they add for a missing entry, and their failures.
#include "PickerTestSupport.h"
#include "pickers/controls/DatabaseCombos.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace pickertest;

namespace {

class CTestView : public CPickerView
{
public:
    CDatabase* pDatabase = nullptr;
    CDatabase* GetDatabase() const override { return pDatabase; }
};

const DWORD kComboStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL;

class DatabaseCombosTest : public HostedTest
{
protected:
    CDatabase db;
    CTestView view;

    void SetUp() override
    {
        HostedTest::SetUp();
        std::string path = kvtest::ScratchDir(kvtest::TestName()) + "\\Sample.sqlite";
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), path));
        ASSERT_TRUE(db.OpenEx(kvtest::ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog));
        view.pDatabase = &db;
    }
    void TearDown() override
    {
        HostedTest::TearDown();
        db.Close();
    }
    // The first column of the first row of a query, as text.
    CString Query(const char* sql)
    {
        CRecordset rs(&db);
        rs.Open(CRecordset::snapshot, sql, CRecordset::readOnly);
        CString value;
        if (!rs.IsEOF())
            rs.GetFieldValue((short)0, value);
        rs.Close();
        return value;
    }
    std::vector<CString> Items(CComboBox& combo)
    {
        std::vector<CString> items;
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString text;
            combo.GetLBText(i, text);
            items.push_back(text);
        }
        return items;
    }
};

} // namespace

TEST_F(DatabaseCombosTest, CombosListTheirTableOnceWhenMade)
{
    CSupplierCombo suppliers;
    suppliers.SetView(&view);
    ASSERT_TRUE(suppliers.Create(kComboStyle, CRect(0, 0, 200, 200), &host, 1));
    EXPECT_TRUE(suppliers.IsFilled());
    EXPECT_EQ(std::atoi(Query("SELECT count(*) FROM Suppliers")), suppliers.GetCount());
    EXPECT_EQ(Query("SELECT [Code] FROM Suppliers"), Items(suppliers).at(0));

    CTypeCombo types;
    types.SetView(&view);
    ASSERT_TRUE(types.Create(kComboStyle, CRect(0, 0, 200, 200), &host, 2));
    EXPECT_EQ(std::atoi(Query("SELECT count(*) FROM PipeTable")), types.GetCount());

    // Subclassing a combo that exists fills it too.
    HWND hPlain = ::CreateWindowA("COMBOBOX", "", kComboStyle, 0, 0, 200, 200, host.m_hWnd, (HMENU)3, nullptr, nullptr);
    CSymbolCombo symbols;
    symbols.SetView(&view);
    ASSERT_TRUE(symbols.SubclassWindow(hPlain));
    EXPECT_EQ(std::atoi(Query("SELECT count(*) FROM Symbols")), symbols.GetCount());
    EXPECT_EQ((size_t)symbols.GetCount(), symbols.GetKeys().size());
}

TEST_F(DatabaseCombosTest, SymbolsByKeyAndByName)
{
    CSymbolCombo symbols;
    symbols.SetView(&view);
    ASSERT_TRUE(symbols.Create(kComboStyle, CRect(0, 0, 200, 200), &host, 3));
    long third = std::atol(Query("SELECT [Key] FROM Symbols ORDER BY Key LIMIT 1 OFFSET 2"));
    EXPECT_EQ(2, symbols.IndexOfKey(third));
    EXPECT_EQ(-1, symbols.IndexOfKey(987654));
    CString name = Query("SELECT [Name] FROM Symbols ORDER BY Key LIMIT 1 OFFSET 3");
    EXPECT_TRUE(symbols.SelectByName(name.MakeUpper()));
    EXPECT_EQ(3, symbols.GetCurSel());
    EXPECT_FALSE(symbols.SelectByName(name.Left(3)));   // whole names only

    EXPECT_TRUE(symbols.AddSymbol("Pressure Gauge"));
    long key = std::atol(Query("SELECT [Key] FROM Symbols WHERE [Name] = 'Pressure Gauge'"));
    EXPECT_EQ(symbols.GetCount() - 1, symbols.IndexOfKey(key));
    CString selected;
    symbols.GetLBText(symbols.GetCurSel(), selected);
    EXPECT_EQ(CString("Pressure Gauge"), selected);
}

TEST_F(DatabaseCombosTest, AMissingSupplierGetsADefaultRow)
{
    CSupplierCombo suppliers;
    suppliers.SetView(&view);
    ASSERT_TRUE(suppliers.Create(kComboStyle, CRect(0, 0, 200, 200), &host, 1));
    int before = suppliers.GetCount();
    kvtest::MessageBoxWatcher boxes;
    EXPECT_FALSE(suppliers.AddSupplier(""));
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(before, suppliers.GetCount());

    EXPECT_TRUE(suppliers.AddSupplier("ZZ9"));
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("\"ZZ9\" has been added"));
    EXPECT_EQ(before + 1, suppliers.GetCount());
    CString selected;
    suppliers.GetLBText(suppliers.GetCurSel(), selected);
    EXPECT_EQ(CString("ZZ9"), selected);
    EXPECT_EQ(CString("ZZ9|ZZ9|R|1.0"),
              Query("SELECT [Description] || '|' || [Code] || '|' || [Base Price] || '|' || [Multiplier D] "
                    "FROM Suppliers WHERE [Code] = 'ZZ9'"));
}

TEST_F(DatabaseCombosTest, AMissingPipeTypeGetsADefaultRowUnderItsOwnName)
{
    CTypeCombo types;
    types.SetView(&view);
    ASSERT_TRUE(types.Create(kComboStyle, CRect(0, 0, 200, 200), &host, 2));
    kvtest::MessageBoxWatcher boxes;
    struct Case
    {
        const char* given;
        const char* stored;
    };
    const Case cases[] = { { "AB", "AB  " }, { "PVC25", "PVC25" }, { "ABCDEFGH", "ABCDEF" } };
    for (const Case& c : cases) {
        EXPECT_TRUE(types.AddPipeType(c.given)) << c.given;
        CString selected;
        types.GetLBText(types.GetCurSel(), selected);
        EXPECT_EQ(CString(c.stored), selected);
        CString sql;
        sql.Format("SELECT [Gender] || [Connection] || '|' || [Fitting1] || '|' || [Fitting2] || '|' || [Rounding] "
                   "FROM PipeTable WHERE [Type] = '%s'",
                   c.stored);
        EXPECT_EQ(CString("FS|") + c.stored + "|\t    |1.0", Query(sql)) << c.given;
    }
    EXPECT_EQ(3u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("default pipe entry for \"AB  \" has been added"));
}

TEST_F(DatabaseCombosTest, WithoutTheTableNothingIsAddedAndTheUserIsTold)
{
    CTestView noDatabase;
    CSupplierCombo suppliers;
    suppliers.SetView(&noDatabase);
    ASSERT_TRUE(suppliers.Create(kComboStyle, CRect(0, 0, 200, 200), &host, 1));
    EXPECT_FALSE(suppliers.IsFilled());
    EXPECT_EQ(0, suppliers.GetCount());
    kvtest::MessageBoxWatcher boxes;
    EXPECT_FALSE(suppliers.AddSupplier("ZZ9"));
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("could not be added"));
    EXPECT_EQ(0, suppliers.GetCount());
}

TEST_F(DatabaseCombosTest, NozzlesOfAnOutletAreAddedAtEachRequest)
{
    long emitter = std::atol(Query("SELECT [Emitter Key] FROM Nozzles GROUP BY [Emitter Key] ORDER BY [Emitter Key]"));
    int nozzles = std::atoi(Query(("SELECT count(*) FROM Components WHERE [Component Key] IN (SELECT [Nozzle Key] "
                                   "FROM Nozzles WHERE [Emitter Key] = " + std::to_string(emitter) + ")").c_str()));
    ASSERT_GT(nozzles, 0);
    CNozzleCombo combo;
    combo.SetView(&view);
    ASSERT_TRUE(combo.Create(kComboStyle, CRect(0, 0, 200, 200), &host, 4));
    EXPECT_TRUE(combo.IsInitialised());
    EXPECT_EQ(0, combo.GetCount());
    combo.FillNozzles(emitter);
    EXPECT_EQ(nozzles, combo.GetCount());
    // Each description without the blanks that pad it in the database.
    for (int i = 0; i < combo.GetCount(); i++) {
        CString entry;
        combo.GetLBText(i, entry);
        EXPECT_FALSE(entry.IsEmpty());
        EXPECT_NE(' ', entry[entry.GetLength() - 1]) << entry.str();
    }
    combo.FillNozzles(emitter);
    EXPECT_EQ(2 * nozzles, combo.GetCount());
}
