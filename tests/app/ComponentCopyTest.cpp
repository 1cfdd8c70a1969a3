// Copy Component and Paste Component in the running program: the keys of the
// selected rows (or of the current row) are copied; a paste into the same
// database makes new copies, a valve pasted on the hydraulic tab becoming a
// hydraulic item; a paste into another open database carries a nested
// assembly with its items and an outlet's nozzles, using the components the
// target already has, and a failure part-way leaves nothing of the failed
// component behind and the target's grid usable.
#include "app/AppRes.h"
#include "app/KelvaronDoc.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "tests/app/DataViewFixture.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>

using namespace kvgrid;
using dataviewtest::DataViewTest;

namespace {

// The sample's assembly "Zone kit 25 mm with manifold and box" (288) holds
// the assembly "Valve manifold 25 mm" (281), which is made to hold two of
// the outlet 215 with its nozzles too.
constexpr long kZoneKit = 288;
constexpr long kManifold = 281;
constexpr long kOutlet = 215;

class ComponentCopyTest : public DataViewTest
{
protected:
    void SetUp() override
    {
        DataViewTest::SetUp();
        kvtest::RunSqlOn(m_database, "INSERT INTO Assemblies VALUES (281, 215, 2);");
    }

    void FrameCommand(UINT nID) { Frame()->SendMessage(WM_COMMAND, nID); }
    std::vector<long> CopiedKeys()
    {
        return Frame()->GetCopiedComponents().GetKeys();
    }
    // Shows the component's tab with its row current.
    void ShowComponent(CKelvaronView* pView, long nKey)
    {
        ComponentFields record;
        ASSERT_TRUE(ReadComponent(pView->GetDatabase(), nKey, record));
        pView->SelectTab(ComponentToTab(record.m_nDatabaseNumber, record.m_nFlags));
        const ROWCOL row = pView->GetGrid()->FindKey(nKey);
        ASSERT_EQ(nKey, std::atol(pView->GetGrid()->GetValueRowCol(row, COL_COMPONENT_KEY)));
    }
    // A copy of the sample without the components named (and the rows that
    // name them), opened in a second window; its view.
    CKelvaronView* OpenTarget(const std::string& keys, const std::string& moreSql = "")
    {
        m_target = m_data + "Target.sqlite";
        EXPECT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_target));
        kvtest::RunSqlOn(m_target, "DELETE FROM Components WHERE [Component Key] IN (" + keys + ");\n" +
                                       "DELETE FROM Assemblies WHERE [Assembly Key] IN (" + keys + ") OR [Item Key] IN (" +
                                       keys + ");\n" + "DELETE FROM Nozzles WHERE [Emitter Key] IN (" + keys +
                                       ") OR [Nozzle Key] IN (" + keys + ");\n" +
                                       "DELETE FROM Tapes WHERE [Pipe Key] IN (" + keys + ");\n" + moreSql);
        m_app->chosenFile = m_target.c_str();
        m_app->OnFileOpen();
        programtest::Pump();
        CKelvaronView* pView = ActiveView();
        return pView != nullptr && pView->GetDocument()->GetDatabasePath() == m_target.c_str() ? pView : nullptr;
    }
    std::string Target(const std::string& sql) { return kvtest::QueryRows(m_target, sql); }
    long TargetLong(const std::string& sql) { return std::atol(Target(sql).c_str()); }

    // What an assembly or outlet holds, by the descriptions of its items
    // and their numbers, or of its nozzles.
    static std::string ItemsSql(const std::string& description)
    {
        return "SELECT RTRIM(i.[Description]) || ' x ' || a.[Number/Length] FROM Assemblies a "
               "JOIN Components c ON c.[Component Key] = a.[Assembly Key] "
               "JOIN Components i ON i.[Component Key] = a.[Item Key] "
               "WHERE RTRIM(c.[Description]) = '" + description + "' ORDER BY 1";
    }
    static std::string NozzlesSql(const std::string& description)
    {
        return "SELECT RTRIM(i.[Description]) FROM Nozzles n "
               "JOIN Components c ON c.[Component Key] = n.[Emitter Key] "
               "JOIN Components i ON i.[Component Key] = n.[Nozzle Key] "
               "WHERE RTRIM(c.[Description]) = '" + description + "' ORDER BY 1";
    }
    std::string Description(long key)
    {
        return QueryRows("SELECT RTRIM([Description]) FROM Components WHERE [Component Key] = " + std::to_string(key));
    }

    std::string m_target;
};

} // namespace

// Copy takes the keys of every selected row, in the order of the ranges, or
// the current row's alone; pasted into the same database they become new
// components, a valve pasted on the hydraulic tab a hydraulic item, and an
// assembly brings its items.
TEST_F(ComponentCopyTest, CopiedRowsArePastedAsNewComponentsOfTheSameDatabase)
{
    Start();
    m_pView->SelectTab(TABLE_VALVE);
    Grid()->SetFocus();
    const long k1 = std::atol(Grid()->GetValueRowCol(1, COL_COMPONENT_KEY));
    const long k2 = std::atol(Grid()->GetValueRowCol(2, COL_COMPONENT_KEY));
    const long k3 = std::atol(Grid()->GetValueRowCol(3, COL_COMPONENT_KEY));
    Grid()->SelectRange(CGRRange().SetRows(3, 3));
    Grid()->SelectRange(CGRRange().SetRows(1, 2));
    FrameCommand(ID_COPY_COMPONENT);
    EXPECT_EQ((std::vector<long>{ k3, k1, k2 }), CopiedKeys());
    EXPECT_EQ(m_database, Frame()->GetCopySourcePath().str());

    Grid()->SelectRange(CGRRange().SetTable(), FALSE);
    Grid()->SetCurrentCell(2, COL_DESCRIPTION);
    FrameCommand(ID_COPY_COMPONENT);
    ASSERT_EQ((std::vector<long>{ k2 }), CopiedKeys());
    EXPECT_TRUE(Enabled(ID_PASTE_COMPONENT, Frame()));

    // On the hydraulic tab the valve becomes a hydraulic item.
    m_pView->SelectTab(TABLE_HYDRAULIC);
    const long before = QueryLong("SELECT count(*) FROM Components");
    FrameCommand(ID_PASTE_COMPONENT);
    EXPECT_TRUE(TakeMessages().empty());
    ASSERT_EQ(before + 1, QueryLong("SELECT count(*) FROM Components"));
    const long copy = QueryLong("SELECT max([Component Key]) FROM Components");
    EXPECT_EQ(Description(k2), Description(copy));
    EXPECT_EQ(3, QueryLong("SELECT [Database Number] FROM Components WHERE [Component Key] = " + std::to_string(copy)));
    EXPECT_EQ(TABLE_HYDRAULIC, m_pView->GetCurrentTab());
    EXPECT_FALSE(Grid()->IsReadOnly());

    // An assembly pasted in its own database is a copy told apart by "~",
    // with the same items.
    ShowComponent(m_pView, kZoneKit);
    FrameCommand(ID_COPY_COMPONENT);
    m_pView->SelectTab(TABLE_PIPE);
    FrameCommand(ID_PASTE_COMPONENT);
    EXPECT_TRUE(TakeMessages().empty());
    const std::string kit = Description(kZoneKit);
    EXPECT_EQ(ComponentToTab(14, 1), m_pView->GetCurrentTab());
    EXPECT_EQ(1, QueryLong("SELECT count(*) FROM Components WHERE RTRIM([Description]) = '~" + kit + "'"));
    EXPECT_EQ(QueryRows(ItemsSql(kit)), QueryRows(ItemsSql("~" + kit)));
    EXPECT_FALSE(Grid()->IsReadOnly());

    // A tape's copy gets a Tapes row with the values of the tape's own.
    ShowComponent(m_pView, 60);
    FrameCommand(ID_COPY_COMPONENT);
    FrameCommand(ID_PASTE_COMPONENT);
    EXPECT_TRUE(TakeMessages().empty());
    const long tape = QueryLong("SELECT max([Component Key]) FROM Components");
    EXPECT_EQ("~" + Description(60), Description(tape));
    const std::string values = "SELECT [Flow Calc Type], Reals1, Reals2, Reals3, Reals4, Reals5, Reals6, Rextra1, "
                               "Rextra2, Rextra3, Rextra4 FROM Tapes WHERE [Pipe Key] = ";
    EXPECT_EQ(QueryRows(values + "60"), QueryRows(values + std::to_string(tape)));
    EXPECT_EQ(TABLE_TAPE, m_pView->GetCurrentTab());
}

// A nested assembly pasted into another database: the components the target
// lacks are pasted (the inner assembly with its items, the outlet with its
// nozzles), the ones it has are used; every row says what it said in the
// source. Pasted again, nothing more is added.
TEST_F(ComponentCopyTest, ANestedAssemblyGoesIntoAnotherDatabaseWithItsItemsAndNozzles)
{
    const std::string outletNozzles = QueryRows("SELECT group_concat([Nozzle Key]) FROM (SELECT [Nozzle Key] FROM "
                                                "Nozzles WHERE [Emitter Key] = 215 ORDER BY 1 LIMIT 2)");
    Start();
    const std::string kit = Description(kZoneKit), manifold = Description(kManifold), outlet = Description(kOutlet);
    ShowComponent(m_pView, kZoneKit);
    FrameCommand(ID_COPY_COMPONENT);
    ASSERT_EQ((std::vector<long>{ kZoneKit }), CopiedKeys());

    // The target lacks both assemblies, a valve of the manifold, the outlet
    // and two of its nozzles.
    CKelvaronView* pTarget = OpenTarget("288, 281, 76, 215, " + outletNozzles);
    ASSERT_NE(nullptr, pTarget);
    ASSERT_EQ(m_target, Frame()->GetPasteTargetPath().str());
    const long lacking = QueryLong("SELECT count(*) FROM Components") - TargetLong("SELECT count(*) FROM Components");
    ASSERT_EQ(6, lacking);

    FrameCommand(ID_PASTE_COMPONENT);
    EXPECT_TRUE(TakeMessages().empty());
    // Exactly what was missing came, once each.
    EXPECT_EQ(QueryLong("SELECT count(*) FROM Components"), TargetLong("SELECT count(*) FROM Components"));
    for (const std::string& d : { kit, manifold, outlet })
        EXPECT_EQ(1, TargetLong("SELECT count(*) FROM Components WHERE RTRIM([Description]) = '" + d + "'")) << d;
    EXPECT_EQ(QueryRows(ItemsSql(kit)), Target(ItemsSql(kit)));
    EXPECT_EQ(QueryRows(ItemsSql(manifold)), Target(ItemsSql(manifold)));
    EXPECT_NE("", Target(ItemsSql(manifold)));
    EXPECT_EQ(QueryRows(NozzlesSql(outlet)), Target(NozzlesSql(outlet)));
    // No row names a component the target does not have.
    EXPECT_EQ(0, TargetLong("SELECT count(*) FROM Assemblies WHERE [Item Key] NOT IN "
                            "(SELECT [Component Key] FROM Components)"));
    // The target shows the pasted assembly, and its grid is usable.
    const long newKit = TargetLong("SELECT [Component Key] FROM Components WHERE RTRIM([Description]) = '" + kit + "'");
    ROWCOL row = 0, col = 0;
    ASSERT_TRUE(pTarget->GetGrid()->GetCurrentCell(row, col));
    EXPECT_EQ(newKit, std::atol(pTarget->GetGrid()->GetValueRowCol(row, COL_COMPONENT_KEY)));
    EXPECT_FALSE(pTarget->GetGrid()->IsReadOnly());
    EXPECT_FALSE(pTarget->GetGrid()->IsLockUpdate());

    // Again: the target has all of it now.
    const std::string rows = Target("SELECT count(*) FROM Components") + Target("SELECT count(*) FROM Assemblies") +
                             Target("SELECT count(*) FROM Nozzles");
    FrameCommand(ID_PASTE_COMPONENT);
    EXPECT_EQ(rows, Target("SELECT count(*) FROM Components") + Target("SELECT count(*) FROM Assemblies") +
                        Target("SELECT count(*) FROM Nozzles"));
    // Nothing in the source changed.
    EXPECT_EQ(1, QueryLong("SELECT count(*) FROM Components WHERE RTRIM([Description]) = '" + kit + "'"));
}

// The target refuses a row part-way (its nozzles): the user is told which
// component failed, the components pasted before it stay, nothing of the
// failed one is left, and the target's grid is usable.
TEST_F(ComponentCopyTest, AFailurePartWayLeavesNoHalfPastedComponent)
{
    Start();
    const std::string kit = Description(kZoneKit), tape = Description(60);
    CKelvaronView* pTarget =
        OpenTarget("288, 281, 215, 60", "CREATE TRIGGER refuse_nozzles BEFORE INSERT ON Nozzles\n"
                                        "BEGIN SELECT RAISE(ABORT, 'no nozzles wanted');\nEND;\n");
    ASSERT_NE(nullptr, pTarget);
    const long components = TargetLong("SELECT count(*) FROM Components");
    const long items = TargetLong("SELECT count(*) FROM Assemblies");
    const long tapes = TargetLong("SELECT count(*) FROM Tapes");

    // The tape first, then the assembly whose outlet brings nozzles.
    CCopiedComponents::Current()->Copy(m_database.c_str(), { 60, kZoneKit });
    FrameCommand(ID_PASTE_COMPONENT);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(0u, messages[0].find("The component \"" + kit + "\" could not be pasted into")) << messages[0];
    EXPECT_NE(std::string::npos, messages[0].find("no nozzles wanted")) << messages[0];

    EXPECT_EQ(1, TargetLong("SELECT count(*) FROM Components WHERE RTRIM([Description]) = '" + tape + "'"));
    EXPECT_EQ(components + 1, TargetLong("SELECT count(*) FROM Components"));
    EXPECT_EQ(items, TargetLong("SELECT count(*) FROM Assemblies"));
    EXPECT_EQ(tapes + 1, TargetLong("SELECT count(*) FROM Tapes"));
    for (long key : { kZoneKit, kManifold, kOutlet })
        EXPECT_EQ(0, TargetLong("SELECT count(*) FROM Components WHERE RTRIM([Description]) = '" + Description(key) +
                                "'"))
            << key;
    EXPECT_FALSE(pTarget->GetGrid()->IsReadOnly());
    EXPECT_FALSE(pTarget->GetGrid()->IsLockUpdate());
    // The progress of the paste has left the status line.
    EXPECT_EQ("Ready", Frame()->GetStatusBar().GetPaneText(0).str());
}

// The view of a database is found by its exact path; once the window of the
// copied components' database closes, there is nothing to paste.
TEST_F(ComponentCopyTest, ClosingTheSourceWindowEndsThePaste)
{
    Start();
    ShowComponent(m_pView, kOutlet);
    FrameCommand(ID_COPY_COMPONENT);
    CKelvaronView* pSource = m_pView;
    CKelvaronView* pTarget = OpenTarget("215");
    ASSERT_NE(nullptr, pTarget);
    EXPECT_EQ(pSource, Frame()->FindViewByPath(m_database.c_str()));
    EXPECT_EQ(pTarget, Frame()->FindViewByPath(m_target.c_str()));
    CString other = m_database.c_str();
    other.MakeUpper();
    EXPECT_EQ(nullptr, Frame()->FindViewByPath(other));
    EXPECT_TRUE(Enabled(ID_PASTE_COMPONENT, Frame()));

    Answer({ IDYES });
    pSource->GetParentFrame()->SendMessage(WM_CLOSE);
    programtest::Pump();
    TakeMessages();
    EXPECT_EQ(nullptr, Frame()->FindViewByPath(m_database.c_str()));
    EXPECT_FALSE(Enabled(ID_PASTE_COMPONENT, Frame()));
    // Keys of a database no window shows have nothing to paste from.
    CCopiedComponents::Current()->Copy(m_database.c_str(), { kOutlet });
    EXPECT_FALSE(Enabled(ID_PASTE_COMPONENT, Frame()));
    const std::string before = Target("SELECT count(*) FROM Components");
    FrameCommand(ID_PASTE_COMPONENT);
    EXPECT_EQ(before, Target("SELECT count(*) FROM Components"));
}

// One component pasted by key: the target's equal component's key when it
// has one (nothing added), the new key otherwise, -1 when the source has no
// such component.
TEST_F(ComponentCopyTest, PastingOneKeyGivesItsKeyInTheTarget)
{
    Start();
    CKelvaronView* pSource = m_pView;
    CKelvaronView* pTarget = OpenTarget("76");
    ASSERT_NE(nullptr, pTarget);
    const long components = TargetLong("SELECT count(*) FROM Components");
    const long valve = Frame()->PasteComponent(pSource, pTarget, 75);
    EXPECT_EQ(TargetLong("SELECT [Component Key] FROM Components WHERE RTRIM([Description]) = '" + Description(75) + "'"),
              valve);
    EXPECT_EQ(components, TargetLong("SELECT count(*) FROM Components"));

    const long added = Frame()->PasteComponent(pSource, pTarget, 76);
    EXPECT_EQ(TargetLong("SELECT max([Component Key]) FROM Components"), added);
    EXPECT_EQ(Description(76), Target("SELECT RTRIM([Description]) FROM Components WHERE [Component Key] = " +
                                      std::to_string(added)));
    EXPECT_EQ(-1, Frame()->PasteComponent(pSource, pTarget, 999999));
    EXPECT_EQ(components + 1, TargetLong("SELECT count(*) FROM Components"));
    EXPECT_TRUE(TakeMessages().empty());
}
