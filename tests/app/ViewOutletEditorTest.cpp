// The outlet editor in the running program, over a copy of the sample
// database: an outlet stored as a demand point loses its own nozzles, by
// whichever way its editor was opened, and a new outlet made from another
// takes that outlet's nozzles along.
#include "editors/base/window/EditorBaseRes.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/OutletDialog.h"
#include "tests/app/ViewFixture.h"

using namespace kvgrid;

namespace {

// A pop-up spray with 16 nozzles, and the outlet assembly that holds it.
constexpr long kOutlet = 215;
constexpr long kOutletAssembly = 283;

class ViewOutletEditorTest : public viewtest::ViewTest
{
protected:
    COutletDialog* Outlet() { return dynamic_cast<COutletDialog*>(m_pView->GetEditorHost().GetOpenEditor()); }
    // A choice in the arc-type list, told to the editor as a click tells it.
    void ChooseArcType(const char* text)
    {
        CComboBox* pList = static_cast<CComboBox*>(Outlet()->GetDlgItem(IDC_OUTLET_ARC_TYPE));
        ASSERT_NE(nullptr, pList);
        ASSERT_NE(CB_ERR, pList->SelectString(-1, text));
        Outlet()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OUTLET_ARC_TYPE, CBN_SELCHANGE),
                              (LPARAM)pList->GetSafeHwnd());
    }
    void PressOK()
    {
        Outlet()->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        programtest::Pump();
    }
    long Nozzles(long nKey)
    {
        return QueryLong("SELECT COUNT(*) FROM Nozzles WHERE [Emitter Key] = " + std::to_string(nKey));
    }
};

} // namespace

// From its row on the Outlets tab: the user is asked, and the stored demand
// point has no nozzles left, in the database or in the side grid.
TEST_F(ViewOutletEditorTest, AnOutletStoredAsADemandPointLosesItsNozzles)
{
    Start();
    Select(TABLE_OUTLET);
    GoTo(kOutlet);
    ASSERT_EQ(16u, Keys(NozzleGrid()).size());
    Command(ID_EDIT_COMPONENT);
    ASSERT_NE(nullptr, Outlet());
    ChooseArcType("Demand Point");
    EXPECT_EQ(std::vector<std::string>{ "Making this outlet a demand point will remove its associated "
                                        "nozzles.\nDo you wish to continue?\n" },
              TakeMessages());
    PressOK();
    EXPECT_EQ(nullptr, m_pView->GetEditorHost().GetOpenEditor());
    EXPECT_EQ("DEM", kvtest::QueryRows(m_database, "SELECT [Item Type] FROM Components WHERE [Component Key] = 215"));
    EXPECT_EQ(0, Nozzles(kOutlet));
    EXPECT_EQ(0, QueryLong("SELECT Flags FROM Components WHERE [Component Key] = 215") & COMPONENT_FLAG_HAS_NOZZLES);
    EXPECT_TRUE(Keys(NozzleGrid()).empty());
    EXPECT_TRUE(TakeMessages().empty());
}

// Opened by key from the outlet assembly that holds it, the outlet loses its
// own nozzles, not those of the assembly the grid shows.
TEST_F(ViewOutletEditorTest, AnOutletEditedFromItsAssemblyLosesItsOwnNozzlesOnly)
{
    kvtest::RunSqlOn(m_database, "INSERT INTO Nozzles VALUES (283, 182);");
    Start();
    Select(TABLE_OUTLET);
    GoTo(kOutletAssembly);
    m_pView->EditComponentByKey(kOutlet);
    ASSERT_NE(nullptr, Outlet());
    ChooseArcType("Demand Point");
    PressOK();
    EXPECT_EQ(nullptr, m_pView->GetEditorHost().GetOpenEditor());
    EXPECT_EQ(0, Nozzles(kOutlet));
    EXPECT_EQ(1, Nozzles(kOutletAssembly));
    EXPECT_EQ(kOutletAssembly, Grid()->GetCurrentKey());
}

// Add Item on an outlet: the new outlet shows the nozzles of the one it is
// made from in its default-nozzle list, and is stored with them.
TEST_F(ViewOutletEditorTest, ANewOutletTakesTheNozzlesOfTheOutletItIsMadeFrom)
{
    Start();
    Select(TABLE_OUTLET);
    GoTo(kOutlet);
    Command(ID_ADD_COMPONENT);
    ASSERT_NE(nullptr, Outlet());
    CComboBox* pNozzles = static_cast<CComboBox*>(Outlet()->GetDlgItem(IDC_OUTLET_DEFAULT_NOZZLE));
    ASSERT_NE(nullptr, pNozzles);
    EXPECT_EQ(16, pNozzles->GetCount());
    Outlet()->SetDlgItemText(IDC_DESCRIPTION, "Pop-up spray 100 mm copy");
    Outlet()->SetDlgItemText(IDC_WAREHOUSE_CODE, "OUT-SP100C");
    PressOK();
    EXPECT_EQ(nullptr, m_pView->GetEditorHost().GetOpenEditor());
    const long nNew = QueryLong("SELECT [Component Key] FROM Components WHERE Description LIKE 'Pop-up spray 100 mm copy%'");
    ASSERT_GT(nNew, 0);
    EXPECT_EQ(QueryKeys("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = 215 ORDER BY 1"),
              QueryKeys("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = " + std::to_string(nNew) +
                        " ORDER BY 1"));
    EXPECT_EQ(16, Nozzles(kOutlet));
    EXPECT_TRUE(TakeMessages().empty());
}
