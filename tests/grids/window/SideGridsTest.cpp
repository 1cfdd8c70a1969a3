// The side grids over a scratch copy of the sample database: the items of an
// assembly, the nozzles of an outlet and the outlets of a nozzle, their rows
// and keys, quantities in the user's units, rows of deleted components, the
// removal of items and nozzles, and what their clicks start; and the frame's
// part in what the grids search and show.
#include "tests/grids/window/GridWindowFixture.h"
#include "tests/support/ScratchDatabase.h"

#include "grids/window/TabWnd.h"

#include <algorithm>
#include <cstdlib>

using namespace kvgrid;

namespace gridwindowtest {

namespace {

// A frame that records what the grids hand it.
class CRecordingFrame : public CGridFrame
{
public:
    std::vector<std::string> calls;
    void AddFindText(LPCTSTR lpszText) override { calls.push_back(std::string("find ") + lpszText); }
    void NotifyComponentChanged(CRecordset* pRecord) override
    {
        calls.push_back("component " + std::to_string(ComponentKeyOf(pRecord)));
    }
};

class SideGridsTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        m_pTabs = std::make_unique<CTabWnd>(m_pView);
        ASSERT_TRUE(m_pTabs->Create(WS_CHILD | WS_VISIBLE, CRect(0, 360, 880, 560), &m_parent, 1009));
        m_pView->calls.clear();
        TakeMessages();
    }
    void TearDown() override
    {
        if (m_pTabs && m_pTabs->GetSafeHwnd())
            m_pTabs->DestroyWindow();
        GridWindowTest::TearDown();
    }

    // Makes a side grid's window in the tab window and sets the grid up.
    void Make(CHeadGridWnd& grid, int nWidth = 700)
    {
        ASSERT_TRUE(grid.Create(0, CRect(0, 0, nWidth, 200), m_pTabs.get(), 1009));
        grid.Initialize();
        m_pTabs->AttachWnd(&grid, "Page");
        m_pTabs->SwitchTab(m_pTabs->FindTab(&grid));
    }
    static std::vector<long> Keys(CHeadGridWnd& grid)
    {
        std::vector<long> keys;
        for (ROWCOL row = 1; grid.IsDataRow(row); row++)
            keys.push_back(grid.GetRowKey(row));
        return keys;
    }
    static std::string Cell(CHeadGridWnd& grid, ROWCOL row, ROWCOL col)
    {
        return grid.GetValueRowCol(row, col).str();
    }
    void Sql(const std::string& sql) { kvtest::RunSql(*m_pView->GetDatabase(), sql); }

    std::unique_ptr<CTabWnd> m_pTabs;
};

} // namespace

// An assembly's items in the table's order, one empty row after them; a
// length (of a pipe) in the user's length unit, counts as they are.
TEST_F(SideGridsTest, ItemsOfAnAssemblyWithLengthsInTheUsersUnit)
{
    CAssemWnd items(m_pView);
    Make(items);
    items.FillGrid(281);
    EXPECT_EQ((std::vector<long>{ 76, 85, 153, 121, 137, 35, 248 }), Keys(items));
    EXPECT_EQ(8u, items.GetRowCount());
    EXPECT_EQ("Assembly Item Name", Cell(items, 0, 1));
    EXPECT_EQ("Number/Length", Cell(items, 0, 3));
    EXPECT_EQ("Solenoid valve 25 mm", Cell(items, 1, 1));
    EXPECT_EQ("SV-025", Cell(items, 1, 2));
    EXPECT_EQ("2", Cell(items, 4, 3));
    EXPECT_EQ("Poly PN10 25 mm", Cell(items, 6, 1));
    EXPECT_EQ("0.6", Cell(items, 6, 3));
    EXPECT_EQ("L", Cell(items, 6, 4));
    EXPECT_EQ("", Cell(items, 8, 1));
    EXPECT_EQ(281, items.GetShownKey());

    Units().m_Length.SetUnit(LENGTH_FT);
    items.FillGrid(281);
    EXPECT_NEAR(0.6 / 0.3048, std::atof(Cell(items, 6, 3).c_str()), 1e-4);
    EXPECT_EQ("2", Cell(items, 4, 3));

    // An assembly without items: the empty row only.
    items.FillGrid(35);
    EXPECT_EQ(1u, items.GetRowCount());
    EXPECT_TRUE(Keys(items).empty());
    EXPECT_EQ(-1, items.GetCurrentKey());
    EXPECT_TRUE(TakeMessages().empty());
}

// Items whose components are gone show as such, one row per Assemblies row,
// and the user is told how many (unless the option keeps the grids quiet).
TEST_F(SideGridsTest, ItemsOfDeletedComponentsAreShownAndCounted)
{
    CAssemWnd items(m_pView);
    Make(items);
    Sql("INSERT INTO Assemblies VALUES (900001, 76, 1);\n"
        "INSERT INTO Assemblies VALUES (900001, 99999, 2);\n"
        "INSERT INTO Assemblies VALUES (900001, 85, 1);\n"
        "INSERT INTO Assemblies VALUES (900002, 99998, 1);\n"
        "INSERT INTO Assemblies VALUES (900002, 99997, 4);\n");
    items.FillGrid(900001);
    EXPECT_EQ((std::vector<long>{ 76, 99999, 85 }), Keys(items));
    EXPECT_EQ("<item deleted>", Cell(items, 2, 1));
    EXPECT_EQ("", Cell(items, 2, 2));
    EXPECT_EQ((std::vector<std::string>{ "This Assembly has 1 missing item" }), TakeMessages());
    // Every dangling row shows, so that each can be removed.
    items.FillGrid(900002);
    EXPECT_EQ((std::vector<long>{ 99998, 99997 }), Keys(items));
    EXPECT_EQ((std::vector<std::string>{ "This Assembly has 2 missing items" }), TakeMessages());
    m_pView->options = GRID_OPTION_QUIET_SIDE_GRIDS;
    items.FillGrid(900002);
    EXPECT_TRUE(TakeMessages().empty());
}

// Removing items takes out exactly the Assemblies rows selected: of two rows
// of one item the one with the selected quantity, of two identical rows
// one; the empty row is never taken; nothing outside assembly building.
TEST_F(SideGridsTest, RemovingItemsDeletesTheSelectedRowsOnly)
{
    CAssemWnd items(m_pView);
    Make(items);
    Sql("INSERT INTO Assemblies VALUES (900003, 121, 2);\n"
        "INSERT INTO Assemblies VALUES (900003, 121, 3);\n"
        "INSERT INTO Assemblies VALUES (900003, 76, 1);\n"
        "INSERT INTO Assemblies VALUES (900003, 76, 1);\n"
        "INSERT INTO Assemblies VALUES (900003, 35, 0.7);\n");
    // Item and ten times the quantity of each row.
    const std::string rows = "SELECT [Item Key] || ':' || CAST(ROUND([Number/Length] * 10) AS INTEGER) "
                             "FROM Assemblies WHERE [Assembly Key] = 900003";
    CGridState& state = m_pView->GetGridState();
    state.nAssemblyKey = 900003;
    items.FillGrid(900003);

    // Not while no assembly is built: the Delete key is the grid's own.
    ASSERT_TRUE(items.SetCurrentCell(2, 1));
    items.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ("121:20;121:30;76:10;76:10;35:7", kvtest::QueryRows(m_path, rows));

    state.bAssemblyMode = TRUE;
    items.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ("121:20;76:10;76:10;35:7", kvtest::QueryRows(m_path, rows));
    EXPECT_EQ((std::vector<long>{ 121, 76, 76, 35 }), Keys(items));
    // One of two identical rows, with the empty row in the selection; a
    // length goes by its stored value whatever unit it is shown in.
    Units().m_Length.SetUnit(LENGTH_FT);
    items.FillGrid(900003);
    items.SelectRange(CGRRange().SetRows(3, 5), TRUE);
    items.RemoveSelectedItems();
    EXPECT_EQ("121:20;76:10", kvtest::QueryRows(m_path, rows));
    EXPECT_EQ((std::vector<long>{ 121, 76 }), Keys(items));
    state.bAssemblyMode = FALSE;
}

// A double click on a data row edits its component, or adds it to the
// assembly being built; on the empty row or the header it starts nothing.
// A click on a row header makes the row's first cell current, and a move of
// the user's shows the component in the curve-fit bar.
TEST_F(SideGridsTest, ClicksAndMovesStartTheViewsCommands)
{
    CNozzleWnd nozzles(m_pView);
    Make(nozzles);
    nozzles.FillNozzles(215);
    ASSERT_EQ(16, nozzles.GetKeyCount());
    EXPECT_TRUE(m_pView->calls.empty());
    const long second = nozzles.GetRowKey(2);

    nozzles.OnLButtonDblClkRowCol(2, 1, 0, CPoint());
    m_pView->GetGridState().bAssemblyMode = TRUE;
    nozzles.OnLButtonDblClkRowCol(2, 2, 0, CPoint());
    nozzles.OnLButtonDblClkRowCol(17, 1, 0, CPoint());
    nozzles.OnLButtonDblClkRowCol(0, 1, 0, CPoint());
    m_pView->GetGridState().bAssemblyMode = FALSE;
    EXPECT_EQ((std::vector<std::string>{ "editByKey " + std::to_string(second), "addToAssembly " + std::to_string(second) }),
              m_pView->calls);

    m_pView->calls.clear();
    nozzles.OnLButtonClickedRowCol(3, 0, 0, CPoint());
    ROWCOL row = 0, col = 0;
    ASSERT_TRUE(nozzles.GetCurrentCell(row, col));
    EXPECT_EQ(3u, row);
    EXPECT_EQ(1u, col);
    EXPECT_EQ(nozzles.GetRowKey(3), nozzles.GetCurrentKey());
    EXPECT_EQ((std::vector<std::string>{ "curveFit " + std::to_string(nozzles.GetRowKey(3)) }), m_pView->calls);
    // The empty row is no component.
    m_pView->calls.clear();
    ASSERT_TRUE(nozzles.SetCurrentCell(17, 1));
    EXPECT_EQ(-1, nozzles.GetCurrentKey());
    EXPECT_TRUE(m_pView->calls.empty());
    // Refilling moves nothing the user sees.
    nozzles.FillNozzles(216);
    EXPECT_TRUE(m_pView->calls.empty());
    // The grid never opens a cell's editor.
    EXPECT_EQ(0, nozzles.SendMessage(GRM_ACTIVATECELL));
    EXPECT_FALSE(nozzles.IsActiveCurrentCell());
}

// An outlet's nozzles (usage not shown), their removal, and the outlets
// that use a nozzle (usage shown).
TEST_F(SideGridsTest, NozzlesOfAnOutletAndOutletsOfANozzle)
{
    CNozzleWnd nozzles(m_pView);
    COutletWnd outlets(m_pView);
    Make(nozzles);
    Make(outlets);
    EXPECT_TRUE(nozzles.IsColHidden(4));
    EXPECT_FALSE(outlets.IsColHidden(4));
    EXPECT_EQ("Nozzle", Cell(nozzles, 0, 1));
    EXPECT_EQ("Outlet", Cell(outlets, 0, 1));

    outlets.FillOutlets(182);
    const std::string users = kvtest::QueryRows(
        m_path, "SELECT [Component Key] FROM Components WHERE [Component Key] IN "
                "(SELECT [Emitter Key] FROM Nozzles WHERE [Nozzle Key] = 182) ORDER BY [Order],[Description]");
    std::string shown;
    for (long key : Keys(outlets))
        shown += (shown.empty() ? "" : ";") + std::to_string(key);
    EXPECT_EQ(users, shown);
    ASSERT_GE(outlets.GetKeyCount(), 1);
    EXPECT_EQ(Query("SELECT RTRIM([Description]) FROM Components WHERE [Component Key] = " +
                    std::to_string(outlets.GetRowKey(1))),
              Cell(outlets, 1, 1));
    // A nozzle no outlet uses: nothing, and no message.
    outlets.FillOutlets(-5);
    EXPECT_EQ(0, outlets.GetKeyCount());

    // An outlet with one nozzle twice and another once.
    Sql("INSERT INTO Nozzles VALUES (232, 182);\n"
        "INSERT INTO Nozzles VALUES (232, 182);\n"
        "INSERT INTO Nozzles VALUES (232, 183);\n"
        "UPDATE Components SET [Flags] = 4 WHERE [Component Key] = 232;\n");
    nozzles.FillNozzles(232);
    EXPECT_EQ((std::vector<long>{ 182, 182, 183 }), Keys(nozzles));
    ASSERT_TRUE(nozzles.SetCurrentCell(1, 1));
    nozzles.RemoveSelectedNozzles(232);
    EXPECT_EQ((std::vector<long>{ 183 }), Keys(nozzles));
    EXPECT_EQ(4, QueryLong("SELECT [Flags] FROM Components WHERE [Component Key] = 232"));
    ASSERT_TRUE(nozzles.SetCurrentCell(1, 1));
    nozzles.RemoveSelectedNozzles(232);
    EXPECT_TRUE(Keys(nozzles).empty());
    EXPECT_EQ(0, QueryLong("SELECT [Flags] FROM Components WHERE [Component Key] = 232"));
    EXPECT_TRUE(TakeMessages().empty());
}

// Backspace and Delete in the nozzles of an outlet are the view's Remove
// Nozzle while nozzles are being assigned, and the grid's own otherwise
// (also in assembly building); in the outlets of a nozzle always the grid's.
TEST_F(SideGridsTest, DeleteKeysRemoveNozzlesOnlyWhileTheyAreAssigned)
{
    CNozzleWnd nozzles(m_pView);
    COutletWnd outlets(m_pView);
    Make(nozzles);
    Make(outlets);
    nozzles.FillNozzles(215);
    outlets.FillOutlets(182);
    ASSERT_GE(nozzles.GetKeyCount(), 1);
    ASSERT_GE(outlets.GetKeyCount(), 1);
    struct Case
    {
        CHeadGridWnd* pGrid;
        BOOL CGridState::*pMode;
        UINT nKey;
        bool bRemoves;
    } cases[] = {
        { &nozzles, &CGridState::bNozzleMode, VK_DELETE, true },
        { &nozzles, &CGridState::bNozzleMode, VK_BACK, true },
        { &nozzles, &CGridState::bAssemblyMode, VK_DELETE, false },
        { &nozzles, nullptr, VK_DELETE, false },
        { &outlets, &CGridState::bNozzleMode, VK_DELETE, false },
        { &outlets, &CGridState::bAssemblyMode, VK_BACK, false },
    };
    CGridState& state = m_pView->GetGridState();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pGrid == &nozzles ? "nozzles" : "outlets") + " key " + std::to_string(c.nKey));
        if (c.pMode != nullptr)
            state.*c.pMode = TRUE;
        ASSERT_TRUE(c.pGrid->SetCurrentCell(1, 1));
        m_pView->calls.clear();
        c.pGrid->SendMessage(WM_KEYDOWN, c.nKey, 0);
        EXPECT_EQ(c.bRemoves, std::count(m_pView->calls.begin(), m_pView->calls.end(), "removeNozzle") == 1);
        state.bNozzleMode = state.bAssemblyMode = FALSE;
    }
    EXPECT_TRUE(TakeMessages().empty());
}

// Nozzles that are gone show as such, and are counted unless nozzles are
// being given to the outlet; a link already gone does not stop the removal
// of the others.
TEST_F(SideGridsTest, DeletedNozzlesAreShownAndRemovable)
{
    CNozzleWnd nozzles(m_pView);
    Make(nozzles);
    Sql("INSERT INTO Nozzles VALUES (232, 99991);\n"
        "INSERT INTO Nozzles VALUES (232, 182);\n"
        "INSERT INTO Nozzles VALUES (232, 99992);\n");
    nozzles.FillNozzles(232);
    EXPECT_EQ((std::vector<long>{ 99991, 182, 99992 }), Keys(nozzles));
    EXPECT_EQ("<nozzle deleted>", Cell(nozzles, 1, 1));
    EXPECT_EQ((std::vector<std::string>{ "This Outlet has 2 missing Nozzles" }), TakeMessages());
    m_pView->GetGridState().bNozzleMode = TRUE;
    nozzles.FillNozzles(232);
    EXPECT_TRUE(TakeMessages().empty());

    // The first selected link vanishes before the removal: the others go.
    Sql("DELETE FROM Nozzles WHERE [Nozzle Key] = 99992;\n");
    nozzles.SelectRange(CGRRange().SetRows(1, 3), TRUE);
    nozzles.RemoveSelectedNozzles(232);
    EXPECT_TRUE(Keys(nozzles).empty());
    EXPECT_EQ(0, QueryLong("SELECT COUNT(*) FROM Nozzles WHERE [Emitter Key] = 232"));
    m_pView->GetGridState().bNozzleMode = FALSE;
}

// Column 1 takes the width the others leave; it never goes below a minimum.
TEST_F(SideGridsTest, TheNameColumnTakesTheWidthLeft)
{
    CAssemWnd items(m_pView);
    Make(items, 900);
    const int width = items.GetGridRect().Width();
    EXPECT_EQ(23, items.GetColWidth(0));
    EXPECT_EQ(width - 489, items.GetColWidth(1));
    EXPECT_EQ(200, items.GetColWidth(2));
    EXPECT_EQ(65, items.GetColWidth(4));
    items.MoveWindow(0, 0, 300, 200);
    EXPECT_GT(items.GetColWidth(1), 0);
}

// The main grid hands the frame the component it moves to, and the side
// grids (and the main grid) the texts they search.
TEST_F(SideGridsTest, TheFrameHearsOfMovesAndSearches)
{
    CRecordingFrame frame;
    m_pView->pFrame = &frame;
    ASSERT_TRUE(m_pGrid->SetCurrentCell(3, COL_DESCRIPTION));
    ASSERT_FALSE(frame.calls.empty());
    EXPECT_EQ("component " + std::to_string(KeyOfRow(3)), frame.calls.back());

    frame.calls.clear();
    CNozzleWnd nozzles(m_pView);
    Make(nozzles);
    nozzles.FillNozzles(215);
    nozzles.OnFindNext("Spray", TRUE, FALSE);
    EXPECT_EQ("find Spray", frame.calls.back());
    m_pGrid->OnFindNext("Poly", TRUE, FALSE);
    EXPECT_EQ("find Poly", frame.calls.back());
    m_pView->pFrame = nullptr;
}

} // namespace gridwindowtest
