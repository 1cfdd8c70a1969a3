// The table record classes against a small database made from the skeleton.
#include "tests/database/records/RecordsFixture.h"
#include "tests/support/FilledRecord.h"

#include <cstring>

namespace kvtest {
namespace {

class ComponentRecordsTest : public SkeletonTest {};

void ExpectSameFields(const ComponentFields& a, const ComponentFields& b)
{
    EXPECT_EQ(a.m_nOldId1, b.m_nOldId1);
    EXPECT_EQ(a.m_nOldId2, b.m_nOldId2);
    EXPECT_EQ(a.m_nOldId3, b.m_nOldId3);
    EXPECT_EQ(a.m_nDatabaseNumber, b.m_nDatabaseNumber);
    EXPECT_EQ(a.m_strDescription, b.m_strDescription);
    EXPECT_EQ(a.m_strWarehouseCode, b.m_strWarehouseCode);
    EXPECT_EQ(a.m_strSupplierCode, b.m_strSupplierCode);
    EXPECT_EQ(a.m_strUsage, b.m_strUsage);
    EXPECT_EQ(a.m_strMajor1, b.m_strMajor1);
    EXPECT_EQ(a.m_strMinor1, b.m_strMinor1);
    EXPECT_EQ(a.m_strMajor2, b.m_strMajor2);
    EXPECT_EQ(a.m_strMinor2, b.m_strMinor2);
    const float* ra[] = {&a.m_fReals1, &a.m_fReals2, &a.m_fReals3, &a.m_fReals4, &a.m_fReals5, &a.m_fReals6,
                         &a.m_fReals7, &a.m_fReals8, &a.m_fRextra1, &a.m_fRextra2, &a.m_fRextra3, &a.m_fRextra4};
    const float* rb[] = {&b.m_fReals1, &b.m_fReals2, &b.m_fReals3, &b.m_fReals4, &b.m_fReals5, &b.m_fReals6,
                         &b.m_fReals7, &b.m_fReals8, &b.m_fRextra1, &b.m_fRextra2, &b.m_fRextra3, &b.m_fRextra4};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(*ra[i], *rb[i]) << "real " << i + 1;  // bit for bit
    EXPECT_EQ(a.m_nDocumentIndex, b.m_nDocumentIndex);
    EXPECT_EQ(a.m_nLinetype, b.m_nLinetype);
    EXPECT_EQ(a.m_nSymbol, b.m_nSymbol);
    EXPECT_EQ(a.m_fSymbolSize, b.m_fSymbolSize);
    EXPECT_EQ(a.m_nSymbolFile, b.m_nSymbolFile);
    EXPECT_EQ(a.m_nColour1, b.m_nColour1);
    EXPECT_EQ(a.m_nColour2, b.m_nColour2);
    EXPECT_EQ(a.m_strDefaultNozzle, b.m_strDefaultNozzle);
    EXPECT_EQ(a.m_strItemType, b.m_strItemType);
    EXPECT_EQ(a.m_nFlags, b.m_nFlags);
    EXPECT_EQ(a.m_nOrder, b.m_nOrder);
}

TEST_F(ComponentRecordsTest, NewRecordHoldsTheDefaults)
{
    CRecords r(&m_db);
    EXPECT_EQ(r.m_nFields, 36u);
    EXPECT_EQ(r.m_nDefaultType, (UINT)CRecordset::dynaset);
    EXPECT_TRUE(r.m_bCheckCacheForDirtyFields);
    EXPECT_EQ(r.m_strMajor1, "      ");
    EXPECT_EQ(r.m_strMinor1, "      ");
    EXPECT_EQ(r.m_strMajor2, "      ");
    EXPECT_EQ(r.m_strMinor2, "      ");
    EXPECT_EQ(r.m_strDefaultNozzle, "          ");
    EXPECT_EQ(r.m_strItemType, "   ");
    EXPECT_EQ(r.m_nColour1, 16777215);
    EXPECT_EQ(r.m_nColour2, 16777215);
    EXPECT_EQ(r.m_nOrder, 10000);
    EXPECT_EQ(r.m_strDescription, "");
    EXPECT_EQ(r.m_fReals8, 0.0f);
    EXPECT_EQ(r.GetDefaultSQL(), "[Components]");
}

TEST_F(ComponentRecordsTest, EveryColumnIsWrittenAndReadBackExactly)
{
    CRecords writer(&m_db);
    writer.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    writer.AddNew();
    CRecords values(&m_db);
    FillEveryColumn(values);
    // Every column but the key, which the database gives: a key member that
    // no longer holds its null value would be written.
    long nullKey = writer.m_nComponentKey;
    static_cast<ComponentFields&>(writer) = values;
    writer.m_nComponentKey = nullKey;
    writer.SetFieldNull(nullptr, FALSE);
    writer.SetFieldDirty(nullptr, TRUE);
    writer.SetFieldDirty(&writer.m_nComponentKey, FALSE);
    ASSERT_TRUE(writer.Update());
    writer.Close();
    long key = QueryLong(m_db, "SELECT [Component Key] FROM Components");
    ASSERT_GT(key, 0);

    CRecords reader(&m_db);
    ASSERT_TRUE(reader.OpenByKey(key));
    EXPECT_EQ(reader.m_nComponentKey, key);
    ExpectSameFields(reader, values);
    reader.Close();
}

TEST_F(ComponentRecordsTest, InsertedKeyIsThisConnectionsRowNotTheHighestKey)
{
    CRecords writer(&m_db);
    writer.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    writer.AddNew();
    writer.m_strDescription = "Ours";
    ASSERT_TRUE(writer.Update());
    writer.Close();

    // Another program adds a row with a higher key after ours.
    CDatabase other;
    ASSERT_TRUE(other.OpenEx(ConnectStringFor(m_path).c_str(), CDatabase::noOdbcDialog));
    other.ExecuteSQL("INSERT INTO [Components] ([Component Key], [Description]) VALUES (5000, 'Theirs')");
    other.Close();

    long ours = QueryLong(m_db, "SELECT [Component Key] FROM Components WHERE [Description] = 'Ours'");
    ASSERT_GT(ours, 0);
    EXPECT_EQ(ReadInsertedKey(&m_db), ours);
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(ComponentRecordsTest, CopyIsClosedAndKeepsValuesAndConnection)
{
    AddComponent(7, DBNUM_VALVE, 0, 12.5f, 20.0f, "Valve");
    CRecords source(&m_db);
    ASSERT_TRUE(source.OpenByKey(7));
    FillEveryColumn(source);
    CRecords copy(source);
    EXPECT_FALSE(copy.IsOpen());
    EXPECT_EQ(copy.m_pDatabase, &m_db);
    EXPECT_EQ(copy.m_nFields, 36u);
    EXPECT_EQ(copy.m_nComponentKey, 7);
    ExpectSameFields(copy, source);
    source.Close();
    // The copy opens later on the same connection.
    EXPECT_TRUE(copy.OpenByKey(7));
    EXPECT_EQ(copy.m_strDescription, "Valve");
    copy.Close();
}

TEST_F(ComponentRecordsTest, OpenHelpersLeaveTheSetOpenOnlyWhenARowIsFound)
{
    AddComponent(1, DBNUM_VALVE, COMPONENT_FLAG_ASSEMBLY);
    AddComponent(2, DBNUM_TEE);
    AddAssemblyRow(1, 2, 1.0f);

    CRecords r(&m_db);
    EXPECT_TRUE(r.OpenByKey(2));
    EXPECT_TRUE(r.IsOpen());
    EXPECT_EQ(r.m_nComponentKey, 2);
    // Opening by key again moves to the other key.
    EXPECT_TRUE(r.OpenByKey(1));
    EXPECT_EQ(r.m_nComponentKey, 1);
    EXPECT_FALSE(r.OpenByKey(99));
    EXPECT_FALSE(r.IsOpen());

    EXPECT_TRUE(r.OpenAssemblyItems(1));
    EXPECT_EQ(r.m_nComponentKey, 2);
    EXPECT_FALSE(r.OpenAssemblyItems(1)) << "refused while open";
    EXPECT_TRUE(r.IsOpen());
    r.Close();
    EXPECT_FALSE(r.OpenAssemblyItems(2));
    EXPECT_FALSE(r.IsOpen());

    CAssemRecords a(&m_db);
    EXPECT_TRUE(a.OpenAssembly(1));
    EXPECT_EQ(a.m_nItemKey, 2);
    EXPECT_EQ(a.m_fNumberLength, 1.0f);
    EXPECT_FALSE(a.OpenAssembly(1)) << "refused while open";
    a.Close();
    EXPECT_FALSE(a.OpenAssembly(2));
    EXPECT_FALSE(a.IsOpen());

    EXPECT_FALSE(r.IsAssemblyEmpty(1));
    EXPECT_TRUE(r.IsAssemblyEmpty(2));
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(ComponentRecordsTest, AssemblyCostIsTheSumOfItsItemsStoredCosts)
{
    // 10: a plain item; 11: an assembly whose stored cost is not the sum of
    // its items; 20: the assembly under test, holding 10 twice, 11 and a
    // deleted item 99; 30: an assembly whose only item was deleted; 40: an
    // assembly with no rows.
    AddComponent(10, DBNUM_TEE, 0, 2.5f, 4.0f);
    AddComponent(12, DBNUM_COUPLER, 0, 100.0f, 150.0f);
    AddComponent(11, DBNUM_VALVE, COMPONENT_FLAG_ASSEMBLY, 7.0f, 9.0f);
    AddAssemblyRow(11, 12, 1.0f);
    AddComponent(20, DBNUM_VALVE, COMPONENT_FLAG_ASSEMBLY | 0x40, 1000.0f, 2000.0f);
    AddAssemblyRow(20, 10, 3.0f);
    AddAssemblyRow(20, 11, 2.0f);
    AddAssemblyRow(20, 10, 0.5f);
    AddAssemblyRow(20, 99, 5.0f);
    AddComponent(30, DBNUM_VALVE, COMPONENT_FLAG_ASSEMBLY, 55.0f, 66.0f);
    AddAssemblyRow(30, 98, 1.0f);
    AddComponent(40, DBNUM_VALVE, COMPONENT_FLAG_ASSEMBLY, 55.0f, 66.0f);

    struct Case
    {
        long key;
        int column;
        float expected;
    } cases[] = {
        {20, 20, 3.0f * 2.5f + 2.0f * 7.0f + 0.5f * 2.5f},  // nested assembly: its stored cost
        {20, 21, 3.0f * 4.0f + 2.0f * 9.0f + 0.5f * 4.0f},
        {20, 19, 0.0f},
        {20, 22, 0.0f},
        {10, 20, 2.5f},  // not an assembly: its own values
        {10, 21, 4.0f},
        {10, 19, 0.0f},
        {30, 20, 0.0f},  // every item deleted
        {40, 21, 0.0f},  // no rows at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "key " << c.key << " column " << c.column);
        CRecords r(&m_db);
        ASSERT_TRUE(r.OpenByKey(c.key));
        EXPECT_EQ(r.GetAssemblyReal(c.column), c.expected);
        r.Close();
    }
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(ComponentRecordsTest, AssemblyTakesTheOutletBitOfItsFirstOutletItem)
{
    const long bit = COMPONENT_FLAG_HAS_NOZZLES;
    // 1: outlet without nozzles; 2: outlet with; 3: a tee with the bit. The
    // first outlet item is the first the query gives, in key order.
    AddComponent(1, DBNUM_OUTLET, 0);
    AddComponent(2, DBNUM_OUTLET, bit);
    AddComponent(3, DBNUM_TEE, bit);
    struct Case
    {
        const char* what;
        std::vector<long> items;
        BOOL expectedResult;
        bool expectBit;
    } cases[] = {
        {"the outlet item has the bit", {3, 2}, TRUE, true},
        {"the first outlet lacks it", {2, 1}, TRUE, false},
        {"no outlet item (a tee with the bit)", {3}, FALSE, false},
        {"no items at all", {}, FALSE, false},
    };
    long assemblyKey = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ++assemblyKey;
        AddComponent(assemblyKey, DBNUM_OUTLET, COMPONENT_FLAG_ASSEMBLY | 0x100);
        for (long item : c.items)
            AddAssemblyRow(assemblyKey, item, 1.0f);
        CRecords r(&m_db);
        EXPECT_EQ(r.MarkAssemblyFromItems(assemblyKey), c.expectedResult);
        long flags = QueryLong(m_db, "SELECT [Flags] FROM Components WHERE [Component Key] = " +
                                         std::to_string(assemblyKey));
        EXPECT_EQ(flags, COMPONENT_FLAG_ASSEMBLY | 0x100 | (c.expectBit ? bit : 0));
    }
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(ComponentRecordsTest, FilterStaysOnTheRecordsetAfterFind)
{
    AddComponent(1, DBNUM_VALVE);
    AddComponent(2, DBNUM_PUMP);
    AddComponent(3, DBNUM_VALVE);
    CRecords r(&m_db);
    r.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    ASSERT_TRUE(r.FindWithFilter("[Database Number] = 11"));
    EXPECT_EQ(r.m_nComponentKey, 2);
    EXPECT_FALSE(r.FindWithFilter("[Database Number] = 9"));

    ASSERT_TRUE(r.FindWithFilter("[Database Number] = 2"));
    EXPECT_EQ(r.m_nComponentKey, 1);
    ASSERT_TRUE(r.Requery());
    int rows = 0;
    for (; !r.IsEOF(); r.MoveNext()) {
        EXPECT_EQ(r.m_nDatabaseNumber, DBNUM_VALVE);
        ++rows;
    }
    EXPECT_EQ(rows, 2);
    EXPECT_FALSE(r.MoveNextValid()) << "at the end";
    r.Close();
}

TEST_F(ComponentRecordsTest, TapeFilterSwitchesToTheTapeJoin)
{
    AddComponent(1, DBNUM_PIPE, COMPONENT_FLAG_TAPE, 0, 0, "Tape with row");
    AddComponent(2, DBNUM_PIPE, COMPONENT_FLAG_TAPE, 0, 0, "Tape without row");
    AddComponent(3, DBNUM_PIPE, 0, 0, 0, "Pipe");
    InsertRow(m_db, "[Tapes]", {{"[Pipe Key]", "1"}, {"[Flow Calc Type]", "'ITER'"}});

    CRecords r(&m_db);
    r.m_strFilter = "C.`Database Number` = 1 AND C.`Flags` = 2";
    EXPECT_EQ(r.GetDefaultSQL(),
              "SELECT C.*, T.* FROM `Tapes` T INNER JOIN Components C ON T.`Pipe Key` = C.`Component Key`");
    r.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    ASSERT_FALSE(r.IsEOF());
    EXPECT_EQ(r.m_nComponentKey, 1);
    EXPECT_EQ(r.m_strDescription, "Tape with row");
    r.MoveNext();
    EXPECT_TRUE(r.IsEOF());
    r.Close();

    r.m_strFilter = "C.`Database Number`=1 AND C.`Flags`=2";
    EXPECT_EQ(r.GetDefaultSQL(), "[Components]");
}

TEST_F(ComponentRecordsTest, NozzleRowsOfAnOutlet)
{
    AddComponent(1, DBNUM_OUTLET);   // three nozzles
    AddComponent(2, DBNUM_OUTLET);   // one nozzle
    AddComponent(3, DBNUM_OUTLET);   // none
    for (long nozzle : {51, 52, 53})
        InsertRow(m_db, "[Nozzles]", {{"[Emitter Key]", "1"}, {"[Nozzle Key]", std::to_string(nozzle)}});
    InsertRow(m_db, "[Nozzles]", {{"[Emitter Key]", "2"}, {"[Nozzle Key]", "51"}});

    CNozzleRecs n(&m_db);
    EXPECT_EQ(n.m_nFields, 2u);
    EXPECT_TRUE(n.OpenForEmitter(1));
    EXPECT_FALSE(n.IsOpen());
    EXPECT_FALSE(n.OpenForEmitter(3));
    EXPECT_FALSE(n.IsOpen());

    // Deleting the rows of one outlet leaves the others alone; an outlet with
    // no rows is no error.
    for (long emitter : {3L, 1L, 2L}) {
        SCOPED_TRACE(emitter);
        n.DeleteForEmitter(emitter);
        EXPECT_FALSE(n.IsOpen());
        EXPECT_FALSE(n.OpenForEmitter(emitter));
    }
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Nozzles"), 0);
    EXPECT_TRUE(m_boxes.Texts().empty());

    // On an open recordset both refuse and leave it as it is.
    InsertRow(m_db, "[Nozzles]", {{"[Emitter Key]", "1"}, {"[Nozzle Key]", "51"}});
    n.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    EXPECT_FALSE(n.OpenForEmitter(1));
    n.DeleteForEmitter(1);
    EXPECT_TRUE(n.IsOpen());
    n.Close();
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Nozzles"), 1);

    n.m_nEmitterKey = 4;
    n.m_nNozzleKey = 5;
    n.Clear();
    EXPECT_EQ(n.m_nEmitterKey, 0);
    EXPECT_EQ(n.m_nNozzleKey, 0);
}

TEST_F(ComponentRecordsTest, FindSymbolByNameOrKey)
{
    InsertRow(m_db, "[Symbols]", {{"[Key]", "1"}, {"[Name]", "'Valve'"}});
    InsertRow(m_db, "[Symbols]", {{"[Key]", "2"}, {"[Name]", "'Gardener''s Tap'"}});
    InsertRow(m_db, "[Symbols]", {{"[Key]", "3"}, {"[Name]", "'Rotor'"}});

    struct Case
    {
        long key;
        const char* name;
        BOOL byName;
        BOOL useFilter;
        BOOL expected;
        long expectedKey;  // of the current row when found
    } cases[] = {
        {0, "Gardener's Tap", TRUE, TRUE, TRUE, 2},
        {0, "gardener's TAP", TRUE, TRUE, TRUE, 2},  // names compare without regard to case
        {3, "", FALSE, TRUE, TRUE, 3},
        {0, "Missing", TRUE, TRUE, FALSE, 0},
        {9, "", FALSE, TRUE, FALSE, 0},
        {0, "Rotor", TRUE, FALSE, TRUE, 3},
        {2, "", FALSE, FALSE, TRUE, 2},
        {0, "Missing", TRUE, FALSE, FALSE, 0},  // a next row that does not match is no match
        {9, "", FALSE, FALSE, FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name << "/" << c.key << " filter " << c.useFilter);
        CSymbolRecords s(&m_db);
        s.Open(CRecordset::dynaset, "SELECT * FROM Symbols", CRecordset::none);
        ASSERT_EQ(s.m_nKey, 1);
        EXPECT_EQ(s.FindSymbol(c.key, c.name, c.byName, c.useFilter), c.expected);
        if (c.expected) {
            EXPECT_EQ(s.m_nKey, c.expectedKey);
        }
        s.Close();
    }

    // The current row answers at once, without a new query.
    CSymbolRecords s(&m_db);
    s.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    EXPECT_TRUE(s.FindSymbol(0, "Valve", TRUE, TRUE));
    EXPECT_EQ(s.m_strFilter, "");
    s.Close();
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(ComponentRecordsTest, SuppliersAndPipeTypesReadTheirColumns)
{
    InsertRow(m_db, "[Suppliers]", {{"[Description]", "'Harrowdale'"}, {"[Code]", "'HIS '"},
                                    {"[Base Price]", "'R'"}, {"[Multiplier A]", "1"},
                                    {"[Multiplier B]", "0.9"}, {"[Multiplier C]", "0.85"},
                                    {"[Multiplier D]", "0.8"}});
    InsertRow(m_db, "[PipeTable]", {{"[Type]", "'PVC9'"}, {"[Gender]", "'F'"}, {"[Connection]", "'SOLV'"},
                                    {"[Fitting1]", "'A'"}, {"[Fitting2]", "'B'"}, {"[Fitting3]", "'C'"},
                                    {"[Fitting4]", "'D'"}, {"[Fitting5]", "'E'"}, {"[Bend Angle]", "90"},
                                    {"[Extra Allowance]", "0.05"}, {"[Rounding]", "6"},
                                    {"[Roll Length]", "6.5"}});
    CSupplierRecs sup(&m_db);
    EXPECT_EQ(sup.m_nFields, 7u);
    sup.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    ASSERT_FALSE(sup.IsEOF());
    EXPECT_EQ(sup.m_strDescription, "Harrowdale");
    EXPECT_EQ(sup.m_strCode, "HIS ");
    EXPECT_EQ(sup.m_strBasePrice, "R");
    EXPECT_EQ(sup.m_fMultiplierA, 1.0f);
    EXPECT_EQ(sup.m_fMultiplierB, 0.9f);
    EXPECT_EQ(sup.m_fMultiplierC, 0.85f);
    EXPECT_EQ(sup.m_fMultiplierD, 0.8f);
    sup.Close();

    CTypeRecords type(&m_db);
    EXPECT_EQ(type.m_nFields, 12u);
    type.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    ASSERT_FALSE(type.IsEOF());
    EXPECT_EQ(type.m_strType, "PVC9");
    EXPECT_EQ(type.m_strGender, "F");
    EXPECT_EQ(type.m_strConnection, "SOLV");
    EXPECT_EQ(type.m_strFitting1 + type.m_strFitting2 + type.m_strFitting3 + type.m_strFitting4 +
                  type.m_strFitting5,
              "ABCDE");
    EXPECT_EQ(type.m_fBendAngle, 90.0f);
    EXPECT_EQ(type.m_fExtraAllowance, 0.05f);
    EXPECT_EQ(type.m_fRounding, 6.0f);
    EXPECT_EQ(type.m_fRollLength, 6.5f);
    // Edited and stored through the recordset.
    type.Edit();
    type.m_fRollLength = 100.0f;
    ASSERT_TRUE(type.Update());
    type.Close();
    EXPECT_EQ(QueryText(m_db, "SELECT [Roll Length] FROM PipeTable"), "100.0");
    EXPECT_EQ(type.GetDatabaseName().IsEmpty(), FALSE);
}

TEST_F(ComponentRecordsTest, SmallTablesTakeNewRowsThroughTheirRecordsets)
{
    // Each class adds a row the way the grids, editors and merge do (AddNew,
    // the members set, Update), and the row holds what was set; the column
    // names with blanks and the slash of [Number/Length] go through the
    // statement the recordset builds.
    {
        CSupplierRecs sup(&m_db);
        sup.Open(CRecordset::dynaset, "SELECT * FROM Suppliers", CRecordset::none);
        sup.AddNew();
        sup.m_strDescription = "O'Hara Supplies";
        sup.m_strCode = "OHS ";
        sup.m_strBasePrice = "R";
        sup.m_fMultiplierA = sup.m_fMultiplierB = sup.m_fMultiplierC = 1.0f;
        sup.m_fMultiplierD = 0.85f;
        sup.SetFieldDirty(nullptr, TRUE);
        sup.SetFieldNull(nullptr, FALSE);
        ASSERT_TRUE(sup.Update());
        sup.Close();
    }
    {
        CSymbolRecords sym(&m_db);
        sym.Open(CRecordset::dynaset, nullptr, CRecordset::none);
        sym.AddNew();
        sym.m_nKey = 7;
        sym.m_strName = "Gate valve";
        ASSERT_TRUE(sym.Update());
        sym.Close();
    }
    {
        CAssemRecords rows(&m_db);
        rows.Open(CRecordset::dynaset, nullptr, CRecordset::none);
        for (long item : {21L, 22L}) {
            rows.AddNew();
            rows.m_nAssemblyKey = 20;
            rows.m_nItemKey = item;
            rows.m_fNumberLength = 2.5f;
            ASSERT_TRUE(rows.Update());
        }
        rows.Close();
    }
    {
        CNozzleRecs nozzles(&m_db);
        nozzles.Open(CRecordset::dynaset, nullptr, CRecordset::none);
        nozzles.AddNew();
        nozzles.m_nEmitterKey = 30;
        nozzles.m_nNozzleKey = 31;
        ASSERT_TRUE(nozzles.Update());
        nozzles.Close();
    }

    struct Case
    {
        const char* sql;
        const char* expected;
    } cases[] = {
        {"SELECT [Description] || '|' || [Code] || '|' || [Base Price] FROM Suppliers", "O'Hara Supplies|OHS |R"},
        {"SELECT [Multiplier A] + [Multiplier B] + [Multiplier C] FROM Suppliers", "3.0"},
        {"SELECT [Key] || '|' || [Name] FROM Symbols", "7|Gate valve"},
        {"SELECT COUNT(*) FROM Assemblies WHERE [Assembly Key] = 20 AND [Number/Length] = 2.5", "2"},
        {"SELECT SUM([Item Key]) FROM Assemblies", "43"},
        {"SELECT [Emitter Key] || '|' || [Nozzle Key] FROM Nozzles", "30|31"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QueryText(m_db, c.sql), c.expected) << c.sql;

    CSupplierRecs sup(&m_db);
    sup.Open(CRecordset::dynaset, nullptr, CRecordset::readOnly);
    ASSERT_FALSE(sup.IsEOF());
    EXPECT_EQ(sup.m_fMultiplierD, 0.85f);
    sup.Close();
    EXPECT_TRUE(m_boxes.Texts().empty());
}

} // namespace
} // namespace kvtest
