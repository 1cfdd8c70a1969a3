// The main view over a copy of the sample database, in the running program:
// its tabs and side panes, the side grids following the current row, the
// commands each working state allows (in the menus, the context menus and
// the keys), assembly building and nozzle editing, the wheel, and the
// colour and line-type pickers of the grid's cells.
#include "app/AppRes.h"
#include "app/ChildFrm.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "app/OptionsDlg.h"
#include "pickers/controls/ColourWells.h"
#include "pickers/core/LineTypes.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"
#include "grids/window/TabWnd.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/app/ViewFixture.h"
#include "tests/support/KeysDown.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimerScript.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <set>

using namespace kvgrid;

namespace {

using viewtest::ViewApp;
using viewtest::ViewTest;

const std::vector<std::string> kTabTitles = {
    "Pipes",  "Tapes",   "Valves",  "Other Hydraulics",   "Lateral Take Offs", "Couplers",
    "Elbows / Bends", "Tees", "Crosses", "Pumps", "Outlets", "Outlet Connections",
    "Wires",  "Controllers", "Lights", "Other Electrics", "Miscellaneous", "Nozzles",
};

// The colour palette open in this thread; null when none is.
OZU_PopupColorWell* FindColourPopup()
{
    OZU_PopupColorWell* pFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pPopup = dynamic_cast<OZU_PopupColorWell*>(CWnd::FromHandlePermanent(hWnd));
            if (pPopup == nullptr)
                return TRUE;
            *reinterpret_cast<OZU_PopupColorWell**>(lParam) = pPopup;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&pFound));
    return pFound;
}

} // namespace

// A database opens on the Pipes tab, with the items of the assembly below
// the grid; the option that shows the Query tab adds a nineteenth tab.
TEST_F(ViewTest, OpensWithATabPerTableAndTheQueryTabByOption)
{
    Start();
    EXPECT_EQ(kTabTitles, TabTitles());
    EXPECT_EQ(0, m_pView->GetCurrentTab());
    EXPECT_EQ(TABLE_PIPE, Grid()->GetTableType());
    EXPECT_EQ((std::vector<std::string>{ "Assembly Items" }), SidePanes());
    ROWCOL row = 0, col = 0;
    ASSERT_TRUE(Grid()->GetCurrentCell(row, col));
    EXPECT_EQ((ROWCOL)COL_DESCRIPTION, col);
    EXPECT_FALSE(CaptionStatic().IsWindowEnabled());
    EXPECT_FALSE(QueryCombo().IsWindowVisible());
    EXPECT_EQ("Pipes", m_pView->GetTabToolTip(0).str());

    Start(OPTION_SHOW_QUERY_TAB);
    std::vector<std::string> titles = kTabTitles;
    titles.push_back("Query");
    EXPECT_EQ(titles, TabTitles());
    EXPECT_TRUE(TakeMessages().empty());
}

// The second page of the side tab window follows the table: the nozzles of
// the outlets, the outlets of the nozzles, the query text.
TEST_F(ViewTest, SidePanesFollowTheTable)
{
    Start(OPTION_SHOW_QUERY_TAB);
    Select(TABLE_OUTLET);
    EXPECT_EQ((std::vector<std::string>{ "Assembly Items", "Nozzles" }), SidePanes());
    EXPECT_EQ("Nozzles", ActivePane());
    Select(TABLE_NOZZLE);
    EXPECT_EQ((std::vector<std::string>{ "Assembly Items", "Outlets" }), SidePanes());
    EXPECT_EQ("Outlets", ActivePane());
    Select(TABLE_QUERY);
    EXPECT_EQ((std::vector<std::string>{ "Assembly Items", "Query" }), SidePanes());
    EXPECT_TRUE(QueryCombo().IsWindowVisible());
    EXPECT_FALSE(NameStatic().IsWindowVisible());
    EXPECT_EQ(" Query name:", [&] { CString s; CaptionStatic().GetWindowText(s); return s.str(); }());
    // While the query pane shows, a tab's tip names its database number.
    EXPECT_EQ("Pipes : Database Number 1", m_pView->GetTabToolTip(0).str());
    EXPECT_EQ("Tapes : Database Number 1", m_pView->GetTabToolTip(1).str());
    EXPECT_EQ("Nozzles : Database Number 15", m_pView->GetTabToolTip(17).str());
    Select(TABLE_PIPE);
    EXPECT_EQ((std::vector<std::string>{ "Assembly Items" }), SidePanes());
    EXPECT_FALSE(QueryCombo().IsWindowVisible());
    EXPECT_EQ("Pipes", m_pView->GetTabToolTip(0).str());
}

// Moving the current row refills the side grids from the database.
TEST_F(ViewTest, SideGridsFollowTheCurrentRow)
{
    Start();
    Select(TABLE_VALVE);
    GoTo(281);
    EXPECT_EQ(QueryKeys("SELECT [Item Key] FROM Assemblies WHERE [Assembly Key] = 281"), Keys(m_pView->GetAssemWnd()));
    GoTo(76);
    EXPECT_TRUE(Keys(m_pView->GetAssemWnd()).empty());

    Select(TABLE_OUTLET);
    GoTo(215);
    EXPECT_EQ(QueryKeys("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = 215"), Keys(NozzleGrid()));
    GoTo(283);
    EXPECT_TRUE(Keys(NozzleGrid()).empty());
    EXPECT_EQ(3u, Keys(m_pView->GetAssemWnd()).size());

    Select(TABLE_NOZZLE);
    GoTo(182);
    std::vector<long> users = QueryKeys("SELECT [Emitter Key] FROM Nozzles WHERE [Nozzle Key] = 182");
    std::vector<long> shown = Keys(OutletGrid());
    EXPECT_EQ(std::set<long>(users.begin(), users.end()), std::set<long>(shown.begin(), shown.end()));
    EXPECT_FALSE(shown.empty());
    EXPECT_TRUE(TakeMessages().empty());
}

// Editing an assembly allows the assembly commands only, everywhere, takes
// the Query tab away and names the assembly in red; finishing gives all back.
TEST_F(ViewTest, AssemblyModeAllowsOnlyTheAssemblyCommands)
{
    Start(OPTION_SHOW_QUERY_TAB);
    Select(TABLE_VALVE);
    GoTo(281);
    const std::set<UINT> normal = { ID_ADD_COMPONENT, ID_EDIT_COMPONENT, ID_DELETE_COMPONENT, ID_NEW_ASSEMBLY,
                                    ID_EDIT_ASSEMBLY };
    EXPECT_EQ(normal, EnabledCommands());
    EXPECT_EQ(normal, EnabledMenuCommands());
    EXPECT_EQ((std::vector<std::string>{ "Edit Component", "Add Component", "Delete Component", "Create Assembly",
                                         "&Edit Assembly", "Edit Nozzle (off)" }),
              ContextMenu(Grid()));

    Command(ID_EDIT_ASSEMBLY);
    EXPECT_TRUE(State().bAssemblyMode);
    EXPECT_EQ(281, State().nAssemblyKey);
    EXPECT_TRUE(Grid()->IsReadOnly());
    EXPECT_EQ(18, Tabs().GetItemCount());
    CString caption, name;
    CaptionStatic().GetWindowText(caption);
    NameStatic().GetWindowText(name);
    EXPECT_EQ(" Editing assembly:", caption.str());
    EXPECT_EQ("Valve manifold 25 mm", name.str());
    EXPECT_EQ(RGB(255, 0, 0), NameStatic().GetTextColor());
    EXPECT_TRUE(NameStatic().IsWindowEnabled());
    const std::set<UINT> assembly = { ID_ADD_TO_ASSEMBLY, ID_FINISH_ASSEMBLY, ID_REMOVE_FROM_ASSEMBLY };
    EXPECT_EQ(assembly, EnabledCommands());
    EXPECT_EQ(assembly, EnabledMenuCommands());
    EXPECT_EQ((std::vector<std::string>{ "&Add To Assembly", "&Finish Assembly" }), ContextMenu(Grid()));
    EXPECT_EQ((std::vector<std::string>{ "Edit Quantity", "&Remove From Assembly", "&Finish Assembly" }),
              ContextMenu(m_pView->GetAssemWnd()));

    // Refused commands and keys do nothing.
    const long rows = QueryLong("SELECT COUNT(*) FROM Components");
    Command(ID_DELETE_COMPONENT);
    Grid()->SetFocus();
    Grid()->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    Command(ID_NEW_ASSEMBLY);
    EXPECT_EQ(rows, QueryLong("SELECT COUNT(*) FROM Components"));
    EXPECT_TRUE(TakeMessages().empty());

    // Items are picked on any tab; the assembly's items stay shown.
    Select(TABLE_PIPE);
    GoTo(35);
    EXPECT_EQ(7u, Keys(m_pView->GetAssemWnd()).size());

    Command(ID_FINISH_ASSEMBLY);
    EXPECT_FALSE(State().bAssemblyMode);
    EXPECT_EQ(TABLE_VALVE, m_pView->GetCurrentTab());
    EXPECT_EQ(281, Grid()->GetCurrentKey());
    EXPECT_FALSE(Grid()->IsReadOnly());
    EXPECT_EQ(19, Tabs().GetItemCount());
    EXPECT_FALSE(NameStatic().IsWindowEnabled());
    EXPECT_EQ(normal, EnabledCommands());
}

// Removing the last item offers to delete the empty assembly: Cancel goes
// on building it, OK deletes it (and it alone) and ends the building.
TEST_F(ViewTest, AnAssemblyLeftEmptyIsDeletedOnlyWhenTheUserSaysSo)
{
    kvtest::RunSqlOn(m_database, "INSERT INTO Components ([Component Key], [Database Number], [Description], [Flags]) "
                                 "VALUES (5001, 2, 'Small kit', 1);\n"
                                 "INSERT INTO Assemblies VALUES (5001, 76, 1);\n"
                                 "INSERT INTO Assemblies VALUES (5001, 85, 2);\n");
    Start();
    Select(TABLE_VALVE);
    GoTo(5001);
    Command(ID_EDIT_ASSEMBLY);
    CAssemWnd* pItems = m_pView->GetAssemWnd();
    ASSERT_EQ(2, pItems->GetKeyCount());
    pItems->SelectRange(CGRRange().SetRows(1, 2), TRUE);
    m_app->answers = { IDCANCEL };
    Command(ID_REMOVE_FROM_ASSEMBLY);
    EXPECT_EQ(0, pItems->GetKeyCount());
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_TRUE(State().bAssemblyMode);
    EXPECT_EQ(1, QueryLong("SELECT COUNT(*) FROM Components WHERE [Component Key] = 5001"));

    // Finishing an empty assembly asks the same; OK deletes it.
    const long others = QueryLong("SELECT COUNT(*) FROM Components");
    Select(TABLE_PIPE);
    GoTo(35);
    m_app->answers = { IDOK };
    Command(ID_FINISH_ASSEMBLY);
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_FALSE(State().bAssemblyMode);
    EXPECT_EQ(0, QueryLong("SELECT COUNT(*) FROM Components WHERE [Component Key] = 5001"));
    EXPECT_EQ(others - 1, QueryLong("SELECT COUNT(*) FROM Components"));
    EXPECT_EQ(TABLE_VALVE, m_pView->GetCurrentTab());
}

// An outlet assembly must hold an outlet to be finished.
TEST_F(ViewTest, AnOutletAssemblyNeedsAnOutlet)
{
    kvtest::RunSqlOn(m_database, "INSERT INTO Components ([Component Key], [Database Number], [Description], [Flags]) "
                                 "VALUES (5002, 12, 'Riser kit', 1);\n"
                                 "INSERT INTO Assemblies VALUES (5002, 239, 1);\n");
    Start();
    Select(TABLE_OUTLET);
    GoTo(5002);
    Command(ID_EDIT_ASSEMBLY);
    EXPECT_EQ("Assembly Items", ActivePane());
    Command(ID_FINISH_ASSEMBLY);
    EXPECT_EQ((std::vector<std::string>{ "An outlet must be selected for an outlet assembly." }), TakeMessages());
    EXPECT_TRUE(State().bAssemblyMode);
}

// Editing an outlet's nozzles shows the Nozzles tab, which cannot be left
// until the editing ends; only the nozzle commands run meanwhile.
TEST_F(ViewTest, NozzleModeKeepsTheNozzlesTab)
{
    Start();
    Select(TABLE_OUTLET);
    GoTo(215);
    EXPECT_TRUE(m_pView->IsCommandEnabled(ID_EDIT_NOZZLES));
    GoTo(232);   // a demand point: no nozzles
    EXPECT_FALSE(m_pView->IsCommandEnabled(ID_EDIT_NOZZLES));
    GoTo(215);
    const size_t nozzles = Keys(NozzleGrid()).size();
    Command(ID_EDIT_NOZZLES);
    EXPECT_TRUE(State().bNozzleMode);
    EXPECT_EQ(215, State().nEmitterKey);
    EXPECT_EQ(TABLE_NOZZLE, m_pView->GetCurrentTab());
    EXPECT_EQ((std::vector<std::string>{ "Assembly Items", "Nozzles", "Outlets" }), SidePanes());
    EXPECT_EQ("Nozzles", ActivePane());
    EXPECT_EQ(nozzles, Keys(NozzleGrid()).size());
    EXPECT_EQ(RGB(0, 0, 255), NameStatic().GetTextColor());
    const std::set<UINT> editing = { ID_ADD_NOZZLE, ID_EDIT_NOZZLES, ID_REMOVE_NOZZLE };
    EXPECT_EQ(editing, EnabledCommands());
    EXPECT_EQ(editing, EnabledMenuCommands());
    EXPECT_EQ((std::vector<std::string>{ "&Add Nozzle", "Finish Editing" }), ContextMenu(Grid()));
    EXPECT_EQ((std::vector<std::string>{ "Edit Item", "Finish Editing", "&Remove Nozzle" }),
              ContextMenu(NozzleGrid()));

    // A click on another tab is refused.
    CTabCtrl& tabs = Tabs();
    CRect rcTab;
    tabs.GetItemRect(0, &rcTab);
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y));
    tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y));
    EXPECT_EQ(TABLE_NOZZLE, tabs.GetCurSel());
    EXPECT_EQ(TABLE_NOZZLE, m_pView->GetCurrentTab());
    EXPECT_EQ((std::vector<std::string>{ "Please finish editing nozzles before leaving this tab." }), TakeMessages());

    // A nozzle the outlet does not have yet is added, then removed again.
    std::vector<long> has = QueryKeys("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = 215");
    long added = QueryLong("SELECT [Component Key] FROM Components WHERE [Database Number] = 15 AND [Component Key] "
                           "NOT IN (SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = 215) LIMIT 1");
    ASSERT_GT(added, 0);
    GoTo(added);
    Command(ID_ADD_NOZZLE);
    CNozzleWnd* pNozzles = NozzleGrid();
    EXPECT_EQ(nozzles + 1, Keys(pNozzles).size());
    ROWCOL last = (ROWCOL)pNozzles->GetKeyCount();
    ASSERT_EQ(added, pNozzles->GetRowKey(last));
    pNozzles->SetCurrentCell(last, 1);
    Command(ID_REMOVE_NOZZLE);
    EXPECT_EQ(has, QueryKeys("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = 215"));

    Command(ID_EDIT_NOZZLES);
    EXPECT_FALSE(State().bNozzleMode);
    EXPECT_EQ(TABLE_OUTLET, m_pView->GetCurrentTab());
    EXPECT_EQ((std::vector<std::string>{ "Assembly Items", "Nozzles" }), SidePanes());
    EXPECT_FALSE(Grid()->IsReadOnly());
    EXPECT_FALSE(NameStatic().IsWindowEnabled());
}

// Whatever shows the table again (a change of units, leaving the tab and
// coming back, a merge into the database) keeps the user on the component
// they were on, in the order they chose, with the widths they gave.
TEST_F(ViewTest, TheTableComesBackOnTheSameComponentInTheUsersOrder)
{
    Start();
    struct Change
    {
        const char* name;
        std::function<void()> run;
    };
    long nAdded = 0;
    auto firstKey = [this] { return Grid()->MoveTo(1) ? ComponentKeyOf(Grid()->OnGetRecordset()) : -1; };
    const std::vector<Change> changes = {
        { "units", [&] { m_pView->OnUnitsChanged(); } },
        { "tab left and shown again",
          [&] {
              Select(TABLE_VALVE);
              Select(TABLE_PIPE);
          } },
        { "merge",
          [&] {
              // A pipe that sorts last by description arrives in the database.
              kvtest::RunSql(*m_pView->GetDatabase(),
                             "INSERT INTO Components ([Database Number], [Description], [Warehouse Code], [Flags]) "
                             "VALUES (1, 'ZZ merged pipe', 'ZZ-1', 0);");
              nAdded = kvtest::QueryLong(*m_pView->GetDatabase(),
                                         "SELECT [Component Key] FROM Components WHERE [Description] = 'ZZ merged pipe'");
              m_pView->GetDocument()->UpdateAllViews(nullptr);
          } },
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        Select(TABLE_PIPE);
        // Sorted by description, descending: "Poly PN10 20 mm" is far from
        // the row it has in the stored order.
        Grid()->SortOnHeaderDblClk(0, COL_DESCRIPTION, 0, CPoint());
        if (Grid()->Param()->IsLastSortAscending())
            Grid()->SortOnHeaderDblClk(0, COL_DESCRIPTION, 0, CPoint());
        ASSERT_EQ((ROWCOL)COL_DESCRIPTION, Grid()->Param()->GetLastSortedCol());
        ASSERT_FALSE(Grid()->Param()->IsLastSortAscending());
        Grid()->OnTrackColWidthEnd(COL_DESCRIPTION, 123);
        GoTo(34);
        ROWCOL row = 0, col = 0;
        ASSERT_TRUE(Grid()->GetCurrentCell(row, col));
        const long nFirst = firstKey();

        change.run();

        EXPECT_EQ(TABLE_PIPE, m_pView->GetCurrentTab());
        EXPECT_EQ(34, Grid()->GetCurrentKey());
        EXPECT_EQ((ROWCOL)COL_DESCRIPTION, Grid()->Param()->GetLastSortedCol());
        EXPECT_FALSE(Grid()->Param()->IsLastSortAscending());
        EXPECT_EQ(nAdded > 0 ? nAdded : nFirst, firstKey()) << nAdded;
        EXPECT_EQ(123, Grid()->GetColWidth(COL_DESCRIPTION));
    }

    // The assembly being built is current again when its tab comes back.
    Select(TABLE_VALVE);
    Grid()->SortOnHeaderDblClk(0, COL_DESCRIPTION, 0, CPoint());
    GoTo(281);
    Command(ID_EDIT_ASSEMBLY);
    Select(TABLE_PIPE);
    Select(TABLE_VALVE);
    EXPECT_EQ(281, Grid()->GetCurrentKey());
    Command(ID_FINISH_ASSEMBLY);
    EXPECT_EQ(281, Grid()->GetCurrentKey());
    EXPECT_TRUE(TakeMessages().empty());
}

// The line above the grid names the mode the view is in now and nothing
// else: empty at the start, on the other tabs after the Query tab, and once
// an assembly is finished or the nozzles of an outlet are.
TEST_F(ViewTest, TheLineAboveTheGridShowsTheCurrentModeOnly)
{
    Start(OPTION_SHOW_QUERY_TAB);
    auto line = [this] {
        CString caption, name;
        CaptionStatic().GetWindowText(caption);
        NameStatic().GetWindowText(name);
        return caption.str() + "|" + name.str();
    };
    EXPECT_EQ("|", line());
    Select(TABLE_QUERY);
    EXPECT_EQ(" Query name:", line().substr(0, 12));
    Select(TABLE_VALVE);
    EXPECT_EQ("|", line());

    GoTo(281);
    Command(ID_EDIT_ASSEMBLY);
    EXPECT_EQ(" Editing assembly:|Valve manifold 25 mm", line());
    Select(TABLE_PIPE);   // items are picked on another tab: the line stays
    EXPECT_EQ(" Editing assembly:|Valve manifold 25 mm", line());
    Command(ID_FINISH_ASSEMBLY);
    EXPECT_EQ("|", line());

    Select(TABLE_OUTLET);
    GoTo(215);
    Command(ID_EDIT_NOZZLES);
    EXPECT_EQ(" Adding nozzles to:", line().substr(0, 19));
    Command(ID_EDIT_NOZZLES);
    EXPECT_EQ("|", line());
    EXPECT_TRUE(TakeMessages().empty());
}

// A right click on the column header offers the fit modes, the current one
// checked; the side grids' menus name their Edit Item for the state.
TEST_F(ViewTest, ContextMenusFollowTheGridAndTheState)
{
    Start();
    State().bColumnMenu = TRUE;
    std::vector<std::string> columns = ContextMenu(Grid());
    // The fit modes, then the columns of the table.
    ASSERT_GT(columns.size(), 3u);
    EXPECT_NE(std::string::npos, columns[Grid()->GetFitType() - 1].find("(checked)"));
    EXPECT_FALSE(State().bColumnMenu);
    EXPECT_EQ((std::vector<std::string>{ "Edit Item", "&Remove From Assembly (off)", "&Finish Assembly (off)" }),
              ContextMenu(m_pView->GetAssemWnd()));
    Select(TABLE_OUTLET);
    EXPECT_EQ((std::vector<std::string>{ "Edit Item (off)", "Edit Nozzle (off)", "&Remove Nozzle (off)" }),
              ContextMenu(NozzleGrid()));
    Select(TABLE_NOZZLE);
    EXPECT_EQ((std::vector<std::string>{ "Edit Item" }), ContextMenu(OutletGrid()));
    EXPECT_TRUE(ContextMenu(m_pView).empty());
}

// The wheel over a grid moves its current row, a row per notch.
TEST_F(ViewTest, TheWheelMovesTheCurrentRow)
{
    Start();
    ASSERT_TRUE(Grid()->SetCurrentCell(2, COL_DESCRIPTION));
    Grid()->SetFocus();
    m_pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    ROWCOL row = 0, col = 0;
    Grid()->GetCurrentCell(row, col);
    EXPECT_EQ(3u, row);
    m_pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)(2 * WHEEL_DELTA)), 0);
    Grid()->GetCurrentCell(row, col);
    EXPECT_EQ(1u, row);
}

// A press on a colour cell opens the palette under it; the colour picked
// there is stored in the pressed row.
TEST_F(ViewTest, TheColourPopupSetsTheCell)
{
    Start();
    CGridWindow* pGrid = Grid();
    ASSERT_FALSE(pGrid->IsColHidden(COL_COLOUR1));
    const ROWCOL row = 2;
    ASSERT_TRUE(pGrid->SetCurrentCell(row, COL_DESCRIPTION));
    const long key = pGrid->GetCurrentKey();
    const long before = QueryLong("SELECT [Colour1] FROM Components WHERE [Component Key] = " + std::to_string(key));
    pGrid->ScrollCellInView(row, COL_COLOUR1);
    CRect rcCell = pGrid->CalcRectFromRowCol(row, COL_COLOUR1);
    ASSERT_FALSE(rcCell.IsRectEmpty());

    OZU_PopupColorWell* pPopup = nullptr;
    kvtest::TimerScript script([] {
        if (OZU_PopupColorWell* pOpen = FindColourPopup())
            pOpen->Close();
    });
    COLORREF picked = 0;
    script.Add([&] {
        pPopup = FindColourPopup();
        ASSERT_NE(nullptr, pPopup);
        // A cell whose colour differs from the cell's.
        for (int i = 0; i < 256; i++) {
            if (pPopup->GetCellColor(i) != (COLORREF)before) {
                CRect rc = pPopup->GetCellRect(i % 16, i / 16);
                picked = pPopup->GetCellColor(i);
                pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
                break;
            }
        }
    });
    script.Start();
    pGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcCell.CenterPoint().x, rcCell.CenterPoint().y));
    EXPECT_FALSE(script.Overran());
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(nullptr, pPopup->GetSafeHwnd());
    EXPECT_EQ((long)picked, QueryLong("SELECT [Colour1] FROM Components WHERE [Component Key] = " + std::to_string(key)));
    EXPECT_NE(before, (long)picked);
    // The grid lets go of the mouse: the next press elsewhere is its own.
    EXPECT_NE(pGrid->GetSafeHwnd(), ::GetCapture());
    EXPECT_EQ(-1, pGrid->GetColourRow());
}

// The line-type popup runs under the cell; a different choice is stored.
TEST_F(ViewTest, TheLineTypePopupSetsTheCell)
{
    LineTypeArray saved = LineTypeList();
    LineTypeList().clear();
    for (const char* name : { "Solid", "Dashed", "Dotted", "Dash dot" })
        LineTypeList().push_back({ name, MakeLineTypePattern({ 1.0, 0.5 }) });
    Start();
    CGridWindow* pGrid = Grid();
    ASSERT_FALSE(pGrid->IsColHidden(COL_LINETYPE));
    const ROWCOL row = 3;
    ASSERT_TRUE(pGrid->SetCurrentCell(row, COL_DESCRIPTION));
    const long key = pGrid->GetCurrentKey();
    const std::string sql = "SELECT [Linetype] FROM Components WHERE [Component Key] = " + std::to_string(key);
    const long before = QueryLong(sql);
    pGrid->ScrollCellInView(row, COL_LINETYPE);
    CRect rcCell = pGrid->CalcRectFromRowCol(row, COL_LINETYPE);
    const int chosen = before == 2 ? 3 : 2;

    kvtest::TimerScript script([] {
        if (HWND hDialog = ::GetActiveWindow())
            ::PostMessageA(hDialog, WM_CLOSE, 0, 0);
    });
    script.Add([chosen] {
        HWND hList = ::GetDlgItem(::GetActiveWindow(), 1357);
        ASSERT_NE(nullptr, hList);
        ::SendMessageA(hList, LB_SETCURSEL, chosen, 0);
        ::PostMessageA(hList, WM_KEYDOWN, VK_RETURN, 0);
    });
    script.Start();
    pGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcCell.CenterPoint().x, rcCell.CenterPoint().y));
    EXPECT_FALSE(script.Overran());
    EXPECT_EQ(chosen, QueryLong(sql));
    EXPECT_EQ(-1, pGrid->GetLineTypeRow());
    Stop();
    LineTypeList() = saved;
}

// A press outside the main grid settles what was typed into its row: the
// user is asked, and Yes stores it, No drops it; nothing is dropped unasked.
TEST_F(ViewTest, APressOutsideTheGridSettlesTheTypedRow)
{
    Start();
    CGridWindow* pGrid = Grid();
    ASSERT_FALSE(pGrid->IsColHidden(COL_WAREHOUSE_CODE));
    const std::string code = "SELECT TRIM([Warehouse Code]) FROM Components WHERE [Component Key] = ";
    auto typeAndPress = [&](const char* text, int answer) {
        ASSERT_TRUE(pGrid->SetCurrentCell(2, COL_WAREHOUSE_CODE));
        ASSERT_TRUE(pGrid->ActivateCurrentCell());
        CGRControl* pControl = pGrid->GetCurrentCellControl();
        ASSERT_NE(nullptr, pControl);
        pControl->SetCurrentText(text);
        pControl->SetModify(TRUE);
        pGrid->OnModifyCell(2, COL_WAREHOUSE_CODE);
        // The press lands on the assembly grid, inside the side pane (the
        // pane's own centre may be its tab beam when the window is small).
        CRect rc;
        m_pView->GetAssemWnd()->GetWindowRect(&rc);
        MSG msg = {};
        msg.hwnd = m_pView->GetAssemWnd()->GetSafeHwnd();
        msg.message = WM_LBUTTONDOWN;
        msg.pt = rc.CenterPoint();
        m_app->answers = { answer };
        m_pView->PreTranslateMessage(&msg);
    };
    const long key = QueryLong("SELECT [Component Key] FROM Components WHERE TRIM([Warehouse Code]) = '" +
                               pGrid->GetValueRowCol(2, COL_WAREHOUSE_CODE).Trim().str() + "'");
    typeAndPress("KEPT-1", IDYES);
    EXPECT_EQ((std::vector<std::string>{ "Do you wish to save the changes to the current record?" }), TakeMessages());
    EXPECT_EQ("KEPT-1", kvtest::QueryRows(m_database, code + std::to_string(key)));
    // The pressed grid takes the focus.
    const HWND hItems = m_pView->GetAssemWnd()->GetSafeHwnd();
    EXPECT_TRUE(::GetFocus() == hItems || ::IsChild(hItems, ::GetFocus()));

    typeAndPress("DROPPED-1", IDNO);
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_EQ("KEPT-1", kvtest::QueryRows(m_database, code + std::to_string(key)));
    EXPECT_EQ("KEPT-1", pGrid->GetValueRowCol(2, COL_WAREHOUSE_CODE).Trim().str());
}

// Keys typed in the query pane stay there (no accelerator sees them), but
// Ctrl+A selects its whole text.
TEST_F(ViewTest, TheQueryPaneKeepsItsKeys)
{
    Start(OPTION_SHOW_QUERY_TAB);
    Select(TABLE_QUERY);
    CQueryWnd* pPane = QueryPane();
    ASSERT_NE(nullptr, pPane->GetSafeHwnd());
    // As the user types it.
    for (char ch : std::string("SELECT * FROM Components"))
        pPane->SendMessage(WM_CHAR, (WPARAM)(unsigned char)ch, 1);
    programtest::Pump();
    pPane->SetFocus();
    pPane->SetSel(0, 0);
    MSG msg = {};
    msg.hwnd = pPane->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = 'A';
    {
        kvtest::KeysDown control({ VK_CONTROL });
        EXPECT_TRUE(m_pView->PreTranslateMessage(&msg));
    }
    int start = 0, end = 0;
    pPane->GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(24, end);
    // The text typed comes back with the Query tab.
    EXPECT_TRUE(m_pView->GetQueryPane().GetState().IsModified());
    Select(TABLE_PIPE);
    EXPECT_EQ(nullptr, QueryPane()->GetSafeHwnd());
    Select(TABLE_QUERY);
    CString text;
    QueryPane()->GetWindowText(text);
    EXPECT_EQ("SELECT * FROM Components", text.str());
    // Ctrl+C of the pane is the pane's own, not the grid's copy.
    msg.hwnd = QueryPane()->GetSafeHwnd();
    QueryPane()->SetFocus();
    msg.wParam = 'C';
    kvtest::KeysDown control({ VK_CONTROL });
    EXPECT_TRUE(m_pView->PreTranslateMessage(&msg));
}

// Where a new database window goes in the main window's client area: left
// where it lies inside, else moved and shrunk into it, or maximised when the
// area is smaller than the window's minimum size.
TEST(ChildFrameFitTest, ANewWindowIsBroughtInsideTheClientArea)
{
    struct Case { CRect frame; CSize client; CChildFrame::ClientFit fit; CRect placed; };
    const CSize minimum(800, 600);
    const Case cases[] = {
        {CRect(0, 0, 800, 600), CSize(1000, 700), CChildFrame::FIT_KEEP, CRect(0, 0, 800, 600)},
        {CRect(200, 100, 1000, 700), CSize(1000, 700), CChildFrame::FIT_KEEP, CRect(200, 100, 1000, 700)},
        {CRect(300, 150, 1100, 750), CSize(1000, 700), CChildFrame::FIT_MOVE, CRect(200, 100, 1000, 700)},
        {CRect(-20, -10, 780, 590), CSize(1000, 700), CChildFrame::FIT_MOVE, CRect(0, 0, 800, 600)},
        {CRect(0, 0, 1200, 900), CSize(1000, 700), CChildFrame::FIT_MOVE, CRect(0, 0, 1000, 700)},
        {CRect(0, 0, 800, 600), CSize(800, 600), CChildFrame::FIT_KEEP, CRect(0, 0, 800, 600)},
        {CRect(0, 0, 800, 600), CSize(690, 620), CChildFrame::FIT_MAXIMIZE, CRect(0, 0, 800, 600)},
        {CRect(0, 0, 800, 600), CSize(900, 500), CChildFrame::FIT_MAXIMIZE, CRect(0, 0, 800, 600)},
        {CRect(0, 0, 800, 600), CSize(0, 0), CChildFrame::FIT_MAXIMIZE, CRect(0, 0, 800, 600)},
    };
    for (const Case& c : cases) {
        CRect placed;
        EXPECT_EQ(c.fit, CChildFrame::FitIntoClient(c.frame, c.client, minimum, placed))
            << c.frame.left << "," << c.frame.top << " in " << c.client.cx << "x" << c.client.cy;
        EXPECT_EQ(c.placed, placed) << c.frame.left << "," << c.frame.top << " in " << c.client.cx << "x"
                                    << c.client.cy;
    }
}

// The database window opened at start-up lies inside the main window's
// client area (here smaller than the window's minimum size, so it is
// maximised), with or without the option that maximises it: the area shows
// no scroll bars and the whole view is seen.
TEST_F(ViewTest, TheDatabaseWindowFitsTheMainWindow)
{
    for (DWORD options : {(DWORD)0, (DWORD)OPTION_MAXIMIZE_DATABASE}) {
        Start(options);
        programtest::Pump();
        CMDIChildWnd* pChild = Frame()->MDIGetActive();
        ASSERT_NE(nullptr, pChild);
        const HWND hClient = Frame()->m_hWndMDIClient;
        CRect client;
        ::GetClientRect(hClient, &client);
        ASSERT_LT(client.Width(), CChildFrame::kMinWidth);
        EXPECT_TRUE(pChild->IsZoomed()) << options;
        CRect view;
        pChild->GetClientRect(&view);
        ::MapWindowPoints(pChild->m_hWnd, hClient, (POINT*)&view, 2);
        EXPECT_EQ(client, view) << options;
        EXPECT_FALSE(::GetWindowLongA(hClient, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) << options;
    }
}
