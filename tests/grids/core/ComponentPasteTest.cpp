// Copying components between two databases without windows: a nested
// assembly with an outlet and its nozzles, a tape and an item that has gone,
// from a copy of the sample database into a new database that already holds
// some of them; every row checked; and the same with the target refusing a
// row part-way, which leaves the target without any of the component.
#include "grids/core/ComponentPaste.h"
#include "grids/core/ComponentStore.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace kvgrid;

namespace {

// Source keys of the sample database used here.
const long kZoneKit = 288;        // assembly: a valve manifold (itself an assembly) and three items
const long kManifold = 281;       // assembly of seven items
const long kSprayAssembly = 283;  // assembly of an outlet with 16 nozzles, a riser and an elbow
const long kSprayOutlet = 215;
const long kSolenoidValve = 76;   // in the manifold; the target has its twin
const long kNozzle = 182;         // a nozzle of the outlet; the target has its twin
const long kTape = 59;            // a tape with its Tapes row
const long kGone = 9999;          // named by an Assemblies row, not in the source

class ComponentPasteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string dir = kvtest::ScratchDir(kvtest::TestName());
        m_sourcePath = dir + "\\Source.sqlite";
        m_targetPath = dir + "\\Target.sqlite";
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_sourcePath));
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Skeleton.sqlite"), m_targetPath));
        ASSERT_TRUE(m_source.OpenEx(kvtest::ConnectStringFor(m_sourcePath).c_str(), CDatabase::noOdbcDialog));
        ASSERT_TRUE(m_target.OpenEx(kvtest::ConnectStringFor(m_targetPath).c_str(), CDatabase::noOdbcDialog));

        // The zone kit also holds the spray assembly, a tape and an item
        // that has gone.
        Source("INSERT INTO Assemblies VALUES (288, 283, 4)");
        Source("INSERT INTO Assemblies VALUES (288, 59, 12.5)");
        Source("INSERT INTO Assemblies VALUES (288, 9999, 1)");
        // The target holds twins of the solenoid valve (other values, its
        // description with trailing blanks) and of one nozzle, and a symbol
        // of the source's under another key.
        for (long nKey : { kSolenoidValve, kNozzle }) {
            ComponentFields c;
            ASSERT_TRUE(ReadComponent(&m_source, nKey, c));
            c.m_strDescription.TrimRight();
            kvtest::InsertRow(m_target, "Components",
                              { { "[Database Number]", std::to_string(c.m_nDatabaseNumber) },
                                { "[Description]", "'" + std::string((LPCTSTR)c.m_strDescription) + "   '" },
                                { "[Warehouse Code]", "'" + std::string((LPCTSTR)c.m_strWarehouseCode) + "'" },
                                { "[Reals1]", "99" } });
        }
        m_valveTwin = kvtest::QueryLong(m_target, "SELECT [Component Key] FROM Components WHERE [Database Number] = 2");
        m_nozzleTwin = kvtest::QueryLong(m_target, "SELECT [Component Key] FROM Components WHERE [Database Number] = 15");
        Target("INSERT INTO Symbols VALUES (40, 'Solenoid Valve')");
    }
    void TearDown() override
    {
        for (CDatabase* db : { &m_source, &m_target })
            if (db->IsOpen())
                db->Close();
    }

    void Source(const std::string& sql) { m_source.ExecuteSQL(sql.c_str()); }
    void Target(const std::string& sql) { m_target.ExecuteSQL(sql.c_str()); }
    long Count(CDatabase& db, const std::string& table) { return kvtest::QueryLong(db, "SELECT count(*) FROM " + table); }
    // The Tapes values of a pipe as texts (its key left out); "" without a row.
    std::string TapeValues(CDatabase& db, long nKey)
    {
        CTapeExtras rs(&db);
        rs.Open(CRecordset::forwardOnly, ("SELECT * FROM Tapes WHERE [Pipe Key] = " + std::to_string(nKey)).c_str(),
                CRecordset::readOnly);
        std::string out;
        if (!rs.IsEOF())
            for (int c = 2; c <= (int)TapeFields::FieldCount; c++)
                out += std::string((LPCTSTR)TapeColumnText(rs, c)) + ";";
        rs.Close();
        return out;
    }
    // The target's row counts of every table a paste writes.
    std::string Counts()
    {
        std::string out;
        for (const char* table : { "Components", "Assemblies", "Nozzles", "Tapes", "Symbols" })
            out += std::string(table) + "=" + std::to_string(Count(m_target, table)) + " ";
        return out;
    }

    // Checks that the target's component of tKey is the source's sKey, with
    // its Tapes row, items and nozzles mapped (recursively), row by row.
    void CheckPasted(CComponentPaste& paste, long sKey, long tKey, std::set<long>& seen)
    {
        if (!seen.insert(sKey).second)
            return;
        SCOPED_TRACE("source component " + std::to_string(sKey));
        ComponentFields s, t;
        ASSERT_TRUE(ReadComponent(&m_source, sKey, s));
        ASSERT_TRUE(ReadComponent(&m_target, tKey, t));
        if (sKey == kSolenoidValve || sKey == kNozzle) {
            // The twins stand for them, as they are.
            EXPECT_EQ(tKey, sKey == kSolenoidValve ? m_valveTwin : m_nozzleTwin);
            EXPECT_FLOAT_EQ(99.0f, t.m_fReals1);
            return;
        }
        for (int c = 2; c <= (int)ComponentFields::FieldCount; c++) {
            if (c == 30)
                continue;  // [Symbol File], below
            EXPECT_EQ(ComponentColumnText(s, c), ComponentColumnText(t, c)) << "column " << c;
        }
        // The symbol is the target's of the same name.
        std::string sName = kvtest::QueryText(m_source, "SELECT [Name] FROM Symbols WHERE [Key] = " +
                                                            std::to_string(s.m_nSymbolFile));
        std::string tName = kvtest::QueryText(m_target, "SELECT [Name] FROM Symbols WHERE [Key] = " +
                                                            std::to_string(t.m_nSymbolFile));
        EXPECT_EQ(sName, tName);
        if (s.m_nSymbolFile == 0)
            EXPECT_EQ(0, t.m_nSymbolFile);

        const std::string sk = std::to_string(sKey), tk = std::to_string(tKey);
        if (s.m_nFlags & COMPONENT_FLAG_TAPE) {
            EXPECT_NE("", TapeValues(m_source, sKey));
            EXPECT_EQ(TapeValues(m_source, sKey), TapeValues(m_target, tKey));
        }
        else
            EXPECT_EQ(0, Count(m_target, "Tapes WHERE [Pipe Key] = " + tk));

        // Items, in their order, each mapped; the one that has gone left out.
        std::vector<std::pair<long, std::string>> sItems, tItems;
        {
            CAssemRecords rs(&m_source);
            rs.Open(CRecordset::forwardOnly, ("SELECT * FROM Assemblies WHERE [Assembly Key] = " + sk).c_str(),
                    CRecordset::readOnly);
            for (; !rs.IsEOF(); rs.MoveNext())
                if (rs.m_nItemKey != kGone)
                    sItems.emplace_back(rs.m_nItemKey, std::to_string(rs.m_fNumberLength));
            rs.Close();
            CAssemRecords ts(&m_target);
            ts.Open(CRecordset::forwardOnly, ("SELECT * FROM Assemblies WHERE [Assembly Key] = " + tk).c_str(),
                    CRecordset::readOnly);
            for (; !ts.IsEOF(); ts.MoveNext())
                tItems.emplace_back(ts.m_nItemKey, std::to_string(ts.m_fNumberLength));
            ts.Close();
        }
        ASSERT_EQ(sItems.size(), tItems.size());
        for (size_t i = 0; i < sItems.size(); i++) {
            EXPECT_EQ(sItems[i].second, tItems[i].second);
            CheckPasted(paste, sItems[i].first, tItems[i].first, seen);
        }

        std::vector<long> sNozzles, tNozzles;
        {
            CNozzleRecs rs(&m_source);
            rs.Open(CRecordset::forwardOnly, ("SELECT * FROM Nozzles WHERE [Emitter Key] = " + sk).c_str(),
                    CRecordset::readOnly);
            for (; !rs.IsEOF(); rs.MoveNext())
                sNozzles.push_back(rs.m_nNozzleKey);
            rs.Close();
            CNozzleRecs ts(&m_target);
            ts.Open(CRecordset::forwardOnly, ("SELECT * FROM Nozzles WHERE [Emitter Key] = " + tk).c_str(),
                    CRecordset::readOnly);
            for (; !ts.IsEOF(); ts.MoveNext())
                tNozzles.push_back(ts.m_nNozzleKey);
            ts.Close();
        }
        ASSERT_EQ(sNozzles.size(), tNozzles.size());
        for (size_t i = 0; i < sNozzles.size(); i++)
            CheckPasted(paste, sNozzles[i], tNozzles[i], seen);
    }

    std::string m_sourcePath, m_targetPath;
    CDatabase m_source, m_target;
    long m_valveTwin = 0, m_nozzleTwin = 0;
};

} // namespace

TEST_F(ComponentPasteTest, ANestedAssemblyComesWithItsItemsNozzlesAndTapeMappedIntoTheTarget)
{
    odbctest::Guarded([&] {
        CComponentPaste paste(&m_source, &m_target);
        CComponentPaste::Outcome outcome = paste.Paste(kZoneKit);
        ASSERT_GT(outcome.nKey, 0);
        EXPECT_TRUE(outcome.bAdded);
        EXPECT_EQ(DBNUM_MISCELLANEOUS, outcome.nDatabaseNumber);
        EXPECT_EQ(CString("Zone kit 25 mm with manifold and box"), outcome.strDescription);

        std::set<long> seen;
        CheckPasted(paste, kZoneKit, outcome.nKey, seen);
        // Every component reached was pasted once but the two twins; the row
        // naming a component that has gone was left out.
        const long nReached = (long)seen.size();
        EXPECT_EQ(nReached - 2, paste.GetAddedCount());
        EXPECT_EQ(2 + nReached - 2, Count(m_target, "Components"));
        EXPECT_EQ(2, paste.GetMatchedCount());
        EXPECT_EQ(1, paste.GetSkippedLinkCount());
        EXPECT_TRUE(paste.GetTapesWithoutValues().empty());
        EXPECT_EQ(0, kvtest::CountDanglingComponentLinks(m_target));
        // The symbol the target had is used; the others are added by name.
        EXPECT_EQ(40, kvtest::QueryLong(m_target, "SELECT [Symbol File] FROM Components WHERE RTRIM([Description]) = "
                                                  "'Valve manifold 25 mm'"));
        EXPECT_EQ(1, Count(m_target, "Symbols WHERE [Name] = 'Solenoid Valve'"));

        // Pasted again, by this paste or another: the same component, nothing added.
        const std::string before = Counts();
        EXPECT_EQ(outcome.nKey, paste.Paste(kZoneKit).nKey);
        CComponentPaste again(&m_source, &m_target);
        CComponentPaste::Outcome second = again.Paste(kZoneKit);
        EXPECT_EQ(outcome.nKey, second.nKey);
        EXPECT_FALSE(second.bAdded);
        EXPECT_EQ(before, Counts());
        // An item pasted with the kit is the same component when pasted alone.
        EXPECT_EQ(kvtest::QueryLong(m_target, "SELECT [Component Key] FROM Components WHERE RTRIM([Description]) = "
                                              "'Pop-up spray 100 mm'"),
                  paste.Paste(kSprayOutlet).nKey);
        EXPECT_EQ(-1, paste.Paste(kGone).nKey);
        EXPECT_EQ(before, Counts());
    });
}

TEST_F(ComponentPasteTest, AValveCanBePastedAsAHydraulicItemAndATapeWithoutValuesGetsEmptyOnes)
{
    odbctest::Guarded([&] {
        Source("DELETE FROM Tapes WHERE [Pipe Key] = 59");
        CComponentPaste paste(&m_source, &m_target);
        CComponentPaste::Outcome tape = paste.Paste(kTape);
        EXPECT_TRUE(tape.bAdded);
        ASSERT_EQ(1u, paste.GetTapesWithoutValues().size());
        EXPECT_EQ(1, Count(m_target, "Tapes WHERE [Pipe Key] = " + std::to_string(tape.nKey) +
                                         " AND [Reals1] = 0 AND [Reals2] = 0"));

        // The solenoid valve as another hydraulic item: no twin of that kind,
        // so it is added, as a hydraulic item.
        CComponentPaste::Outcome valve = paste.Paste(kSolenoidValve, DBNUM_HYDRAULIC);
        EXPECT_TRUE(valve.bAdded);
        EXPECT_NE(m_valveTwin, valve.nKey);
        EXPECT_EQ(DBNUM_HYDRAULIC, valve.nDatabaseNumber);
        EXPECT_EQ(3, kvtest::QueryLong(m_target, "SELECT [Database Number] FROM Components WHERE [Component Key] = " +
                                                     std::to_string(valve.nKey)));
    });
}

TEST_F(ComponentPasteTest, APastedRowsTextsArePaddedToTheTargetsWidthsAsTheProgramStoresThem)
{
    odbctest::Guarded([&] {
        // The source's row as another program may have left it: no text
        // padded.
        Source("UPDATE Components SET [Description] = RTRIM([Description]), [Warehouse Code] = RTRIM([Warehouse "
               "Code]), [Supplier Code] = RTRIM([Supplier Code]), [Usage] = RTRIM([Usage]), [Major2] = RTRIM([Major2]) "
               "WHERE [Component Key] = 35");
        CComponentPaste paste(&m_source, &m_target);
        CComponentPaste::Outcome pipe = paste.Paste(35);
        ASSERT_TRUE(pipe.bAdded);
        EXPECT_EQ(CString("Poly PN10 25 mm"), pipe.strDescription);
        EXPECT_EQ("[Poly PN10 25 mm" + std::string(35, ' ') + "][PE10-025" + std::string(24, ' ') +
                      "][HIS ][L  ][PN10 2][5mm   ]",
                  kvtest::QueryText(m_target, "SELECT '[' || [Description] || '][' || [Warehouse Code] || '][' || "
                                              "[Supplier Code] || '][' || [Usage] || '][' || [Major2] || '][' || "
                                              "[Minor2] || ']' FROM Components WHERE [Component Key] = " +
                                                  std::to_string(pipe.nKey)));
    });
}

TEST_F(ComponentPasteTest, ATargetThatRefusesARowPartWayKeepsNothingOfTheComponent)
{
    odbctest::Guarded([&] {
        // The last nozzle of the outlet, deep inside the kit, cannot be given.
        Target("CREATE TRIGGER refuse BEFORE INSERT ON Nozzles WHEN (SELECT count(*) FROM Nozzles) >= 15 "
               "BEGIN SELECT RAISE(ABORT, 'refused by the target'); END");
        const std::string before = Counts();
        CComponentPaste paste(&m_source, &m_target);
        // A component pasted before the failing one stays.
        CComponentPaste::Outcome pipe = paste.Paste(35);
        EXPECT_TRUE(pipe.bAdded);
        const std::string afterPipe = Counts();
        EXPECT_NE(before, afterPipe);

        CString message;
        try {
            paste.Paste(kZoneKit);
            ADD_FAILURE() << "the paste went through";
        }
        catch (CDBException* e) {
            message = e->m_strError;
            e->Delete();
        }
        EXPECT_NE(-1, message.Find("refused by the target")) << (LPCTSTR)message;
        EXPECT_EQ(afterPipe, Counts());
        EXPECT_EQ(0, Count(m_target, "Components WHERE [Description] LIKE 'Zone kit%'"));
        EXPECT_EQ(1, paste.GetAddedCount());
        EXPECT_EQ(0, paste.GetMatchedCount());

        // Once the target takes the rows, the same paste object pastes the
        // whole kit: nothing of the failed attempt stands in its maps. The
        // pipe pasted before is in the manifold and is used, not added again.
        Target("DROP TRIGGER refuse");
        CComponentPaste::Outcome kit = paste.Paste(kZoneKit);
        ASSERT_TRUE(kit.bAdded);
        std::set<long> seen;
        CheckPasted(paste, kZoneKit, kit.nKey, seen);
        EXPECT_EQ(1, Count(m_target, "Components WHERE RTRIM([Description]) = 'Poly PN10 25 mm'"));
        EXPECT_EQ(0, kvtest::CountDanglingComponentLinks(m_target));
    });
}
