// The component grid in a window over a copy of the sample database: tables
// and tabs, units, editing and its checks, new rows, sorting, settings kept
// in the registry, and the mouse and keys.
#include "tests/grids/window/GridWindowFixture.h"
#include "tests/support/KeysDown.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/TestSupport.h"
#include "pickers/core/LineTypes.h"

#include <algorithm>
#include <set>

using namespace gridwindowtest;
using namespace kvgrid;

namespace {

// The rows of the shown table (the append row left out).
long RecordCount(CGridWindow& grid)
{
    ROWCOL append = grid.GetAppendRow();
    return append == GR_INVALID ? (long)grid.GetRowCount() : (long)append - 1;
}

ROWCOL CurrentRow(CGridWindow& grid)
{
    ROWCOL row = 0, col = 0;
    grid.GetCurrentCell(row, col);
    return row;
}

std::set<int> VisibleColumns(CGridWindow& grid)
{
    std::set<int> columns;
    for (ROWCOL c = 1; c <= grid.GetColCount(); c++)
        if (!grid.IsColHidden(c))
            columns.insert((int)c);
    return columns;
}

bool Contains(const std::vector<std::string>& texts, const std::string& part)
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

} // namespace

TEST_F(GridWindowTest, EachTableShowsItsRowsColumnsAndTitle)
{
    for (int t = 0; t < ComponentTableCount; t++)
    {
        Show(t);
        SCOPED_TRACE(t);
        std::string count = t == TABLE_TAPE
                                ? "SELECT count(*) FROM Tapes T INNER JOIN Components C ON T.[Pipe Key] = "
                                  "C.[Component Key] WHERE C.[Flags] = 2"
                                : "SELECT count(*) FROM Components WHERE " + GetTableFilter(t).str();
        EXPECT_EQ(QueryLong(count), RecordCount(*m_pGrid));
        EXPECT_EQ(GetTableTitle(t), m_info.GetBeam()->GetTitle());
        EXPECT_EQ((ROWCOL)(t == TABLE_TAPE ? 48 : 36), m_pGrid->GetColCount());
    }
    Show(TABLE_PIPE);
    EXPECT_EQ((std::set<int>{ 6, 7, 8, 9, 27, 31 }), VisibleColumns(*m_pGrid));
    EXPECT_EQ(CString("Nominal Diameter\r\n(mm)"), m_pGrid->GetValueRowCol(0, 14));
    EXPECT_EQ(CString("Description"), m_pGrid->GetValueRowCol(0, 6));
    Show(TABLE_NOZZLE);
    EXPECT_EQ((std::set<int>{ 6, 7, 8 }), VisibleColumns(*m_pGrid));

    // The Tape table shows each tape's Tapes row beside it.
    Show(TABLE_TAPE);
    EXPECT_EQ(CString("Emitter Spacing"), m_pGrid->GetValueRowCol(0, 42));
    for (ROWCOL r = 1; r <= 3; r++)
    {
        long key = KeyOfRow(r);
        double spacing = std::atof(Query("SELECT [Reals4] FROM Tapes WHERE [Pipe Key] = " + std::to_string(key)).c_str());
        EXPECT_NEAR(spacing, std::atof(m_pGrid->GetValueRowCol(r, 42)), 1e-6) << key;
        EXPECT_EQ(2, std::atol(m_pGrid->GetValueRowCol(r, 35)));
    }
}

TEST_F(GridWindowTest, SwitchingTabsReturnsToEachTablesRow)
{
    ASSERT_TRUE(m_pGrid->SetCurrentCell(5, 6));
    Show(TABLE_VALVE);
    EXPECT_EQ(1u, CurrentRow(*m_pGrid));
    ASSERT_TRUE(m_pGrid->SetCurrentCell(3, 7));
    Show(TABLE_PIPE);
    EXPECT_EQ(5u, CurrentRow(*m_pGrid));
    Show(TABLE_VALVE);
    EXPECT_EQ(3u, CurrentRow(*m_pGrid));

    // Leaving the Query table remembers its row too, and nothing else changes.
    int fit = m_pGrid->GetFitType();
    m_pGrid->GetQueryRecordset()->SetSqlQuery("SELECT * FROM Suppliers");
    Show(TABLE_QUERY);
    EXPECT_EQ(QueryLong("SELECT count(*) FROM Suppliers"), RecordCount(*m_pGrid));
    ASSERT_TRUE(m_pGrid->SetCurrentCell(4, 1));
    Show(TABLE_PIPE);
    EXPECT_EQ(5u, CurrentRow(*m_pGrid));
    EXPECT_EQ(fit, m_pGrid->GetFitType());
    EXPECT_EQ(4, m_pGrid->GetRememberedRow(TABLE_QUERY));
    Show(TABLE_QUERY);
    EXPECT_EQ(4u, CurrentRow(*m_pGrid));
}

TEST_F(GridWindowTest, MovingTheRowRefillsTheSideGrids)
{
    ASSERT_TRUE(m_pGrid->SetCurrentCell(2, 6));
    ASSERT_TRUE(m_pGrid->SetCurrentCell(3, 6));
    ASSERT_FALSE(m_assem.refreshed.empty());
    EXPECT_EQ(KeyOfRow(3), m_assem.refreshed.back());
    // The append row has no items.
    int cleared = m_assem.nCleared;
    ASSERT_TRUE(m_pGrid->SetCurrentCell(m_pGrid->GetAppendRow(), 6));
    EXPECT_GT(m_assem.nCleared, cleared);
    EXPECT_EQ(-1, m_assem.GetShownKey());
    // While an assembly is built its items stay.
    m_pGrid->SetAssemblyMode(TRUE);
    size_t n = m_assem.refreshed.size();
    ASSERT_TRUE(m_pGrid->SetCurrentCell(4, 6));
    EXPECT_EQ(n, m_assem.refreshed.size());
}

TEST_F(GridWindowTest, ValuesShowInDisplayUnitsAndAreStoredInDatabaseUnits)
{
    long key = KeyOfRow(1);
    ASSERT_EQ(50.0, std::atof(Query("SELECT [Reals1] FROM Components WHERE [Component Key] = " + std::to_string(key)).c_str()));
    std::vector<int> widths;
    for (ROWCOL c = 1; c <= 36; c++)
        widths.push_back(m_pGrid->GetColWidth(c));
    std::set<int> visible = VisibleColumns(*m_pGrid);

    Units().m_Diameter.SetUnit(LENGTH_IN);
    Units().m_Pressure.SetUnit(PRESSURE_PSI);
    ApplyUnits();
    EXPECT_EQ(CString("Nominal Diameter"), m_pGrid->GetValueRowCol(0, 14));
    EXPECT_EQ(CString("Actual Diameter\r\n(in)"), m_pGrid->GetValueRowCol(0, 15));
    EXPECT_EQ(CString("Allowable Pressure\r\n(psi)"), m_pGrid->GetValueRowCol(0, 17));
    std::vector<int> widthsAfter;
    for (ROWCOL c = 1; c <= 36; c++)
        widthsAfter.push_back(m_pGrid->GetColWidth(c));
    EXPECT_EQ(widths, widthsAfter);
    EXPECT_EQ(visible, VisibleColumns(*m_pGrid));

    // 50 mm is 2 in by the nominal table (1.9685 by the factor), shown blue.
    CGRStyle nominal = m_pGrid->LookupStyleRowCol(1, 14);
    EXPECT_EQ(CString("2"), nominal.GetValue());
    EXPECT_EQ(RGB(0, 0, 255), nominal.GetTextColor());
    EXPECT_EQ(CString("1.9685"), m_pGrid->GetValueRowCol(1, 15));
    EXPECT_NE(RGB(0, 0, 255), m_pGrid->LookupStyleRowCol(1, 16).GetTextColor());

    // Typed in the editor and pasted: converted into millimetres once.
    ShowColumns({ 14, 15, 17 });
    TypeIntoCell(1, 14, "3");
    TypeIntoCell(1, 15, "2");
    ASSERT_TRUE(m_pGrid->SetControlTextRowCol(1, 17, "142.2334"));
    ASSERT_TRUE(StoreRow());
    std::string where = " FROM Components WHERE [Component Key] = " + std::to_string(key);
    EXPECT_EQ(80.0, std::atof(Query("SELECT [Reals1]" + where).c_str()));
    EXPECT_NEAR(50.8, std::atof(Query("SELECT [Reals2]" + where).c_str()), 1e-4);
    EXPECT_NEAR(100.0, std::atof(Query("SELECT [Reals4]" + where).c_str()), 1e-2);
    EXPECT_EQ(CString("3"), m_pGrid->GetValueRowCol(1, 14));
}

TEST_F(GridWindowTest, RefusedValuesKeepTheOldValueAndSayWhy)
{
    long key = KeyOfRow(2);
    std::string where = " FROM Components WHERE [Component Key] = " + std::to_string(key);
    std::string code = Query("SELECT [Warehouse Code]" + where);
    std::string description = Query("SELECT [Description]" + where);

    // A pasted Warehouse Code one character too long.
    EXPECT_FALSE(m_pGrid->SetControlTextRowCol(2, 7, CString(std::string(33, 'W'))));
    EXPECT_EQ((std::vector<std::string>{ "Please enter up to 32 characters only." }), TakeMessages());
    EXPECT_EQ(CString(code), m_pGrid->GetValueRowCol(2, 7));

    // Text that is not a number in a converted cell: the editor keeps it.
    Units().m_Diameter.SetUnit(LENGTH_IN);
    ShowColumns({ 15 });
    TypeIntoCell(2, 15, "1,5");
    EXPECT_FALSE(m_pGrid->TransferCurrentCell());
    EXPECT_EQ((std::vector<std::string>{ "Please enter a number." }), TakeMessages());
    EXPECT_EQ(CString("1,5"), EditorText());
    m_pGrid->CancelCurrentCell();

    // A blank description is refused when the row is written.
    TypeIntoCell(2, 6, "   ");
    CString error;
    EXPECT_FALSE(StoreRow(&error));
    EXPECT_EQ(CString("The description cannot be blank."), error);
    m_pGrid->CancelRecord();
    EXPECT_EQ(description, Query("SELECT [Description]" + where));

    // A pasted Usage letter that means nothing on tapes.
    Show(TABLE_TAPE);
    CString usage = m_pGrid->GetValueRowCol(1, 9);
    EXPECT_FALSE(m_pGrid->SetControlTextRowCol(1, 9, "Q"));
    EXPECT_EQ((std::vector<std::string>{ "The \"Q\" characters have no meaning in the usage field.\n" }),
              TakeMessages());
    EXPECT_EQ(usage, m_pGrid->GetValueRowCol(1, 9));
    EXPECT_EQ(GR_EDITMODE_NONE, m_pGrid->GetEditMode());
}

TEST_F(GridWindowTest, UsageAndLabelAreCorrectedAsTheyAreTyped)
{
    long key = KeyOfRow(1);
    std::string where = " FROM Components WHERE [Component Key] = " + std::to_string(key);
    ShowColumns({ 12 });
    TypeIntoCell(1, 9, "fz");
    EXPECT_TRUE(m_pGrid->TransferCurrentCell());
    TypeIntoCell(1, 12, "AB");
    EXPECT_TRUE(m_pGrid->TransferCurrentCell());
    EXPECT_EQ(CString("AB          "), m_pGrid->GetValueRowCol(1, 12));
    ASSERT_TRUE(StoreRow());
    EXPECT_EQ("FZ ", Query("SELECT [Usage]" + where));
    EXPECT_EQ("AB    ", Query("SELECT [Major2]" + where));
    EXPECT_EQ("      ", Query("SELECT [Minor2]" + where));

    // A repeated letter is dropped and shown for confirmation.
    Show(TABLE_VALVE);
    TypeIntoCell(2, 9, "yyn");
    EXPECT_FALSE(m_pGrid->TransferCurrentCell());
    EXPECT_EQ(CString("YN "), EditorText());
    EXPECT_TRUE(m_pGrid->TransferCurrentCell());
    EXPECT_TRUE(TakeMessages().empty());

    // The Label shows both halves and takes twelve characters.
    Show(TABLE_PIPE);
    CGRStyle label = m_pGrid->LookupStyleRowCol(2, 12);
    long key2 = KeyOfRow(2);
    std::string where2 = " FROM Components WHERE [Component Key] = " + std::to_string(key2);
    EXPECT_EQ(CString(Query("SELECT [Major2]" + where2) + Query("SELECT [Minor2]" + where2)), label.GetValue());
    EXPECT_EQ(12, label.GetMaxLength());
    EXPECT_EQ(CString(std::to_string(key2)), m_pGrid->LookupStyleRowCol(2, 0).GetUserAttribute(GR_IDS_UA_TOOLTIPTEXT));

    // A full Label, typed and pasted: six characters to each half.
    struct LabelCase
    {
        ROWCOL row;
        bool typed;
        const char* text;
        const char* major2;
        const char* minor2;
    };
    const LabelCase labels[] = {
        { 2, true, "PVC9 40mmSDR", "PVC9 4", "0mmSDR" },
        { 3, false, "HDPE 16 PN10", "HDPE 1", "6 PN10" },
    };
    ShowColumns({ 12 });
    for (const LabelCase& c : labels)
    {
        SCOPED_TRACE(c.text);
        std::string at = " FROM Components WHERE [Component Key] = " + std::to_string(KeyOfRow(c.row));
        if (c.typed)
        {
            TypeIntoCell(c.row, 12, c.text);
            EXPECT_TRUE(m_pGrid->TransferCurrentCell());
        }
        else
        {
            EXPECT_TRUE(m_pGrid->SetControlTextRowCol(c.row, 12, c.text));
        }
        ASSERT_TRUE(StoreRow());
        EXPECT_EQ(c.major2, Query("SELECT [Major2]" + at));
        EXPECT_EQ(c.minor2, Query("SELECT [Minor2]" + at));
        EXPECT_EQ(CString(c.text), m_pGrid->GetValueRowCol(c.row, 12));
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(GridWindowTest, ANewRowTakesItsTabsKindAndAUniqueDescription)
{
    Show(TABLE_VALVE);
    long before = RecordCount(*m_pGrid);
    std::string description = Query("SELECT RTRIM([Description]) FROM Components WHERE [Component Key] = 75");
    std::string code = Query("SELECT RTRIM([Warehouse Code]) FROM Components WHERE [Component Key] = 75");
    ROWCOL append = m_pGrid->GetAppendRow();
    TypeIntoCell(append, 6, description.c_str());
    TypeIntoCell(append, 7, code.c_str());
    ASSERT_TRUE(StoreRow());
    EXPECT_EQ(before + 1, RecordCount(*m_pGrid));
    long key = QueryLong("SELECT max([Component Key]) FROM Components");
    std::string where = " FROM Components WHERE [Component Key] = " + std::to_string(key);
    EXPECT_EQ(2, QueryLong("SELECT [Database Number]" + where));
    EXPECT_EQ(0, QueryLong("SELECT [Flags]" + where));
    std::string stored = Query("SELECT [Description]" + where);
    EXPECT_EQ("~" + description, CString(stored.c_str()).TrimRight().str());

    // Descriptions with quotes are found as duplicates too.
    for (int i = 0; i < 2; i++)
    {
        append = m_pGrid->GetAppendRow();
        TypeIntoCell(append, 6, "O'Brien valve");
        ASSERT_TRUE(StoreRow());
    }
    EXPECT_EQ(1, QueryLong("SELECT count(*) FROM Components WHERE RTRIM([Description]) = 'O''Brien valve'"));
    EXPECT_EQ(1, QueryLong("SELECT count(*) FROM Components WHERE RTRIM([Description]) = '~O''Brien valve'"));
}

TEST_F(GridWindowTest, ANewTapeGetsATapesRowUnderItsOwnKey)
{
    Show(TABLE_TAPE);
    long before = RecordCount(*m_pGrid);
    long tapesBefore = QueryLong("SELECT count(*) FROM Tapes");
    ShowColumns({ 42 });
    ROWCOL append = m_pGrid->GetAppendRow();
    TypeIntoCell(append, 6, "Test tape 16 mm");
    TypeIntoCell(append, 42, "0.3");
    ASSERT_TRUE(StoreRow());
    long key = QueryLong("SELECT [Component Key] FROM Components WHERE RTRIM([Description]) = 'Test tape 16 mm'");
    ASSERT_GT(key, 0);
    std::string where = " FROM Components WHERE [Component Key] = " + std::to_string(key);
    EXPECT_EQ(1, QueryLong("SELECT [Database Number]" + where));
    EXPECT_EQ(2, QueryLong("SELECT [Flags]" + where));
    EXPECT_EQ(tapesBefore + 1, QueryLong("SELECT count(*) FROM Tapes"));
    EXPECT_EQ(1, QueryLong("SELECT count(*) FROM Tapes WHERE [Pipe Key] = " + std::to_string(key)));
    EXPECT_NEAR(0.3, std::atof(Query("SELECT [Reals4] FROM Tapes WHERE [Pipe Key] = " + std::to_string(key)).c_str()),
                1e-6);
    // The new tape shows in the Tape table.
    EXPECT_EQ(before + 1, RecordCount(*m_pGrid));
}

TEST_F(GridWindowTest, ADoubleClickOnAHeaderSortsByItsColumn)
{
    auto doubleClick = [&](ROWCOL nCol) {
        CRect rect = m_pGrid->CalcRectFromRowCol(0, nCol);
        ASSERT_FALSE(rect.IsRectEmpty());
        LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        m_pGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        m_pGrid->SendMessage(WM_LBUTTONUP, 0, at);
        m_pGrid->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        m_pGrid->SendMessage(WM_LBUTTONUP, 0, at);
    };
    doubleClick(6);
    EXPECT_EQ(CString("[Description]"), m_pGrid->GetComponentRecordset()->m_strSort);
    EXPECT_LE(m_pGrid->GetValueRowCol(1, 6).Compare(m_pGrid->GetValueRowCol(2, 6)), 0);
    EXPECT_TRUE(m_pView->calls.empty());
    doubleClick(6);
    EXPECT_EQ(CString("[Description] DESC"), m_pGrid->GetComponentRecordset()->m_strSort);
    EXPECT_GE(m_pGrid->GetValueRowCol(1, 6).Compare(m_pGrid->GetValueRowCol(2, 6)), 0);
    doubleClick(7);
    EXPECT_EQ(CString("[Warehouse Code]"), m_pGrid->GetComponentRecordset()->m_strSort);

    Show(TABLE_TAPE);
    ShowColumns({ 42 });
    m_pGrid->SetFitType(CGridSettings::fitToWindow);
    m_pGrid->FitColumnWidths();
    doubleClick(42);
    EXPECT_EQ(CString("T.[Reals4]"), m_pGrid->GetTapeRecordset()->m_strSort);
    EXPECT_LE(std::atof(m_pGrid->GetValueRowCol(1, 42)), std::atof(m_pGrid->GetValueRowCol(2, 42)));
    doubleClick(6);
    EXPECT_EQ(CString("C.[Description]"), m_pGrid->GetTapeRecordset()->m_strSort);
}

TEST_F(GridWindowTest, ClicksAndDoubleClicksStartTheViewsCommands)
{
    // Double clicks: a record edits it, the append row adds one.
    m_pGrid->OnLButtonDblClkRowCol(2, 6, 0, CPoint());
    m_pGrid->OnLButtonDblClkRowCol(m_pGrid->GetAppendRow(), 6, 0, CPoint());
    m_pView->GetGridState().bAssemblyMode = TRUE;
    m_pGrid->OnLButtonDblClkRowCol(2, 6, 0, CPoint());
    m_pView->GetGridState().bAssemblyMode = FALSE;
    m_pView->GetGridState().bNozzleMode = TRUE;
    m_pGrid->OnLButtonDblClkRowCol(2, 6, 0, CPoint());
    m_pView->GetGridState().bNozzleMode = FALSE;
    EXPECT_EQ((std::vector<std::string>{ "edit", "add", "addToAssembly", "addNozzle" }), m_pView->calls);

    // A row header click selects the Description; while an assembly is built
    // it also adds the component.
    CRect header = m_pGrid->CalcRectFromRowCol(3, 0);
    LPARAM at = MAKELPARAM(header.CenterPoint().x, header.CenterPoint().y);
    m_pGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    m_pGrid->SendMessage(WM_LBUTTONUP, 0, at);
    ROWCOL row = 0, col = 0;
    ASSERT_TRUE(m_pGrid->GetCurrentCell(row, col));
    EXPECT_EQ(3u, row);
    EXPECT_EQ(6u, col);
    EXPECT_TRUE(m_pGrid->calls.empty());
    m_pGrid->SetAssemblyMode(TRUE);
    m_pGrid->OnLButtonClickedRowCol(4, 0, 0, CPoint());
    m_pGrid->SetAssemblyMode(FALSE);
    // A nozzle header click adds the nozzle only on the Nozzle table.
    m_pView->GetGridState().bNozzleMode = TRUE;
    m_pGrid->OnLButtonClickedRowCol(4, 0, 0, CPoint());
    Show(TABLE_NOZZLE);
    m_pGrid->OnLButtonClickedRowCol(2, 0, 0, CPoint());
    EXPECT_EQ((std::vector<std::string>{ "addToAssembly -1", "addNozzle" }), m_pGrid->calls);

    // The right button tells the view whether the header was hit.
    m_pGrid->OnRButtonHitRowCol(0, 6, 0, 6, CPoint(), 0, GR_HIT_INCELL | GR_HIT_DOWN | GR_HIT_START | GR_HIT_RIGHT);
    EXPECT_TRUE(m_pView->GetGridState().bColumnMenu);
    m_pGrid->OnRButtonHitRowCol(2, 6, 2, 6, CPoint(), 0, GR_HIT_INCELL | GR_HIT_DOWN | GR_HIT_START | GR_HIT_RIGHT);
    EXPECT_FALSE(m_pView->GetGridState().bColumnMenu);
}

TEST_F(GridWindowTest, APressOnAColourCellOpensThePickerUnlessReadOnly)
{
    m_pView->calls.clear();
    long colour = std::atol(m_pGrid->GetValueRowCol(2, 31));
    m_pGrid->SetReadOnly(TRUE);
    EXPECT_TRUE(m_pGrid->OnLButtonHitRowCol(2, 31, 2, 31, CPoint(), 0, GR_HIT_PRESS));
    EXPECT_TRUE(m_pView->calls.empty());
    EXPECT_EQ(-1, m_pGrid->GetColourRow());
    m_pGrid->SetReadOnly(FALSE);
    // The picker runs while the cell is pressed (it writes its choice there);
    // then the cell is let go, and the grid does not follow the button.
    m_pView->onPicker = [this] { m_pView->calls.push_back("pressed " + std::to_string(m_pGrid->GetColourRow())); };
    EXPECT_FALSE(m_pGrid->OnLButtonHitRowCol(2, 31, 2, 31, CPoint(), 0, GR_HIT_PRESS));
    EXPECT_EQ((std::vector<std::string>{ "colour " + std::to_string(colour), "pressed 2" }), m_pView->calls);
    EXPECT_EQ(-1, m_pGrid->GetColourRow());
    // A line type likewise.
    m_pView->onPicker = [this] { m_pView->calls.push_back("pressed " + std::to_string(m_pGrid->GetLineTypeRow())); };
    long lineType = std::atol(m_pGrid->GetValueRowCol(3, 27));
    EXPECT_FALSE(m_pGrid->OnLButtonHitRowCol(3, 27, 3, 27, CPoint(), 0, GR_HIT_PRESS));
    EXPECT_EQ((std::vector<std::string>{ "lineType " + std::to_string(lineType) + " row 3", "pressed 3" }),
              std::vector<std::string>(m_pView->calls.end() - 2, m_pView->calls.end()));
    EXPECT_EQ(-1, m_pGrid->GetLineTypeRow());
    m_pView->onPicker = nullptr;
    // Read-only grids start no edit either.
    m_pGrid->SetReadOnly(TRUE);
    ASSERT_TRUE(m_pGrid->SetCurrentCell(2, 6));
    EXPECT_FALSE(m_pGrid->ActivateCurrentCell());
}

TEST_F(GridWindowTest, DeleteKeysDeleteRowsExceptOnTheQueryTableOrWhileEditing)
{
    ASSERT_TRUE(m_pGrid->SetCurrentCell(2, 6));
    m_pGrid->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    m_pGrid->ProcessKeys(nullptr, WM_KEYDOWN, VK_BACK);
    EXPECT_EQ(2u, m_pGrid->calls.size());
    // While a cell is edited the keys belong to its editor.
    ASSERT_TRUE(m_pGrid->ActivateCurrentCell());
    m_pGrid->ProcessKeys(nullptr, WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(2u, m_pGrid->calls.size());
    m_pGrid->CancelCurrentCell();
    // While an editor dialog adds or edits a component, neither rows nor
    // cells go.
    CString usage = m_pGrid->GetValueRowCol(2, 9);
    ASSERT_FALSE(usage.Trim().IsEmpty());
    m_pView->GetGridState().nEditorTableType = TABLE_PIPE;
    for (int state : { (int)CGridWindow::editAdding, (int)CGridWindow::editExisting })
    {
        m_pGrid->SetEditState(state);
        m_pGrid->SelectRange(CGRRange(2, 9, 2, 9), TRUE);
        EXPECT_TRUE(m_pGrid->ProcessKeys(nullptr, WM_KEYDOWN, VK_DELETE));
        EXPECT_EQ(2u, m_pGrid->calls.size());
        EXPECT_EQ(usage, CString(m_pGrid->GetValueRowCol(2, 9)).Trim());
    }
    m_pView->GetGridState().nEditorTableType = -1;
    m_pGrid->SetEditState(CGridWindow::editNone);
    // Nor while its rows are picked for an assembly or an outlet.
    for (BOOL CGridState::*mode : { &CGridState::bAssemblyMode, &CGridState::bNozzleMode })
    {
        m_pView->GetGridState().*mode = TRUE;
        EXPECT_TRUE(m_pGrid->ProcessKeys(nullptr, WM_KEYDOWN, VK_DELETE));
        m_pView->GetGridState().*mode = FALSE;
    }
    EXPECT_EQ(2u, m_pGrid->calls.size());
    m_pGrid->GetQueryRecordset()->SetSqlQuery("SELECT * FROM Suppliers");
    Show(TABLE_QUERY);
    m_pGrid->ProcessKeys(nullptr, WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(2u, m_pGrid->calls.size());
}

// Every component table hides its first and last columns: Ctrl+Home and
// Ctrl+End still reach the first and last cells shown.
TEST_F(GridWindowTest, CtrlHomeAndCtrlEndReachTheFirstAndLastShownCells)
{
    for (int t : { (int)TABLE_PIPE, (int)TABLE_TAPE, (int)TABLE_VALVE })
    {
        Show(t);
        SCOPED_TRACE(t);
        ASSERT_TRUE(m_pGrid->IsColHidden(1));
        ASSERT_TRUE(m_pGrid->IsColHidden(36));
        std::set<int> shown = VisibleColumns(*m_pGrid);
        ASSERT_TRUE(m_pGrid->SetCurrentCell(3, *shown.begin()));
        ROWCOL row = 0, col = 0;
        {
            kvtest::KeysDown ctrl({ VK_CONTROL });
            m_pGrid->SendMessage(WM_KEYDOWN, VK_END, 0);
        }
        m_pGrid->GetCurrentCell(row, col);
        EXPECT_EQ(m_pGrid->GetRowCount(), row);
        EXPECT_EQ((ROWCOL)*shown.rbegin(), col);
        {
            kvtest::KeysDown ctrl({ VK_CONTROL });
            m_pGrid->SendMessage(WM_KEYDOWN, VK_HOME, 0);
        }
        m_pGrid->GetCurrentCell(row, col);
        EXPECT_EQ(1u, row);
        EXPECT_EQ((ROWCOL)*shown.begin(), col);
    }
}

TEST_F(GridWindowTest, SortOrdersColumnsAndFitTypeSurviveARestart)
{
    EXPECT_EQ("[Order],[Description],[Reals1]", kvtest::StoredText("DatabaseSettings\\SortOrder", "Tapes"));
    // A drag narrower than the minimum keeps the minimum and ends fitting.
    EXPECT_FALSE(m_pGrid->OnTrackColWidthMove(6, 60));
    EXPECT_TRUE(m_pGrid->OnTrackColWidthEnd(6, 60));
    EXPECT_EQ(75, m_pGrid->GetColWidth(6));
    EXPECT_TRUE(m_pGrid->OnTrackColWidthEnd(7, 180));
    EXPECT_EQ(0, m_pGrid->GetFitType());
    EXPECT_FALSE(m_pGrid->OnTrackColWidth(10));
    m_pGrid->FitColumnWidths();
    EXPECT_EQ(180, m_pGrid->GetColWidth(7));
    DestroyGrid();
    EXPECT_EQ("0", kvtest::StoredText("DatabaseSettings\\TabColumns", "FitType"));
    EXPECT_EQ("Description,1,75", kvtest::StoredText("DatabaseSettings\\TabColumns\\Pipe", "06"));
    EXPECT_EQ("Warehouse Code,1,180", kvtest::StoredText("DatabaseSettings\\TabColumns\\Pipe", "07"));
    EXPECT_EQ(",0,0", kvtest::StoredText("DatabaseSettings\\TabColumns\\Pipe", "01"));

    // Damaged and over-long values are not used; the rest is.
    kvtest::StoreText("DatabaseSettings\\SortOrder", "Pipes", "[Order]," + std::string(300, 'x'));
    kvtest::StoreText("DatabaseSettings\\SortOrder", "Valves", "[Order]; DROP TABLE Components");
    kvtest::StoreText("DatabaseSettings\\TabColumns\\Pipe", "08", "Supplier" + std::string(400, ' ') + ",1,999");
    kvtest::StoreText("DatabaseSettings\\TabColumns\\Pipe", "09", "Usage,1,-5");
    // Far longer than any value the settings read, and after it a width
    // stored for a later table: the load goes on past the damaged value.
    kvtest::StoreText("DatabaseSettings\\TabColumns\\Pipe", "05", std::string(1500, 'x') + ",1,90");
    kvtest::StoreText("DatabaseSettings\\SortOrder", "Tees", "[Order]," + std::string(1500, 'x'));
    kvtest::StoreText("DatabaseSettings\\TabColumns\\Valve", "06", "Description,1,140");
    MakeGrid();
    EXPECT_EQ(0, m_pGrid->GetFitType());
    EXPECT_EQ(180, m_pGrid->GetColWidth(7));
    EXPECT_EQ(75, m_pGrid->GetColWidth(8));
    EXPECT_EQ(GetDefaultSortOrder(TABLE_PIPE), m_pGrid->GetSortOrder(TABLE_PIPE));
    EXPECT_EQ(GetDefaultSortOrder(TABLE_VALVE), m_pGrid->GetSortOrder(TABLE_VALVE));
    EXPECT_EQ(QueryLong("SELECT count(*) FROM Components WHERE " + GetTableFilter(TABLE_PIPE).str()),
              RecordCount(*m_pGrid));
    EXPECT_EQ(GetDefaultSortOrder(TABLE_TEE), m_pGrid->GetSortOrder(TABLE_TEE));
    Show(TABLE_VALVE);
    EXPECT_GT(RecordCount(*m_pGrid), 0);
    EXPECT_EQ(140, m_pGrid->GetColWidth(6));
}

TEST_F(GridWindowTest, ColumnsFitTheWindowOrStretchTheDescription)
{
    CRect rect = m_pGrid->GetGridRect();
    m_pGrid->SetFitType(CGridSettings::fitToWindow);
    m_pGrid->FitColumnWidths();
    int share = (rect.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - ::GetSystemMetrics(SM_CXSIZEFRAME)) / 6;
    for (int c : { 6, 7, 8, 9, 27, 31 })
        EXPECT_EQ(std::max(share, 75), m_pGrid->GetColWidth((ROWCOL)c)) << c;

    m_pGrid->SetFitType(CGridSettings::stretchToFit);
    m_pGrid->FitColumnWidths();
    int others = 0;
    for (ROWCOL c = 0; c <= m_pGrid->GetColCount(); c++)
        if (c != 6 && !m_pGrid->IsColHidden(c))
            others += m_pGrid->GetColWidth(c);
    EXPECT_EQ(rect.Width() - others - 1, m_pGrid->GetColWidth(6));

    // With every column hidden nothing is shared out.
    for (auto& kv : m_pGrid->GetSettings().GetTableColumns(TABLE_PIPE))
        m_pGrid->GetSettings().Entry(TABLE_PIPE, kv.first).visible = 0;
    Show(TABLE_PIPE);
    EXPECT_TRUE(VisibleColumns(*m_pGrid).empty());
    m_pGrid->SetFitType(CGridSettings::fitToWindow);
    m_pGrid->FitColumnWidths();
    EXPECT_EQ(0, m_pGrid->GetStoredColWidth(6));
}

// The modes that fill the window follow its width at once, whatever
// widened it (a bar beside the grid hidden or floated): no empty band opens
// before the scroll bar.
TEST_F(GridWindowTest, FilledColumnsFollowTheWindowsWidth)
{
    auto columnsWidth = [&] {
        int n = 0;
        for (ROWCOL c = 0; c <= m_pGrid->GetColCount(); c++)
            if (!m_pGrid->IsColHidden(c))
                n += m_pGrid->GetColWidth(c);
        return n;
    };
    m_pGrid->SetFitType(CGridSettings::stretchToFit);
    m_pGrid->FitColumnWidths();
    for (int cx : { 1200, 1000 })
    {
        m_info.SetWindowPos(nullptr, 0, 0, cx, 560, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(m_pGrid->GetGridRect().Width() - 1, columnsWidth()) << cx;
    }
    m_pGrid->SetFitType(CGridSettings::fitToWindow);
    m_pGrid->FitColumnWidths();
    const int before = m_pGrid->GetColWidth(6);
    m_info.SetWindowPos(nullptr, 0, 0, 1300, 560, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GT(m_pGrid->GetColWidth(6), before);

    // Widths the user left alone by dragging stay.
    m_pGrid->SetFitType(CGridSettings::fitNone);
    const int dragged = m_pGrid->GetColWidth(6);
    m_info.SetWindowPos(nullptr, 0, 0, 900, 560, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(dragged, m_pGrid->GetColWidth(6));
}

// With the columns fitted (the grid's default: to their content, the
// Description stretched), every title and every cell text in view fits its
// cell in the grid's fonts, measured on the grid's device context.
TEST_F(GridWindowTest, FittedColumnsShowEveryTextInViewWhole)
{
    m_pGrid->SetFitType(CGridSettings::stretchToFit);
    for (int table : { TABLE_PIPE, TABLE_VALVE, TABLE_NOZZLE })
    {
        Show(table);
        m_pGrid->FitColumnWidths();
        CClientDC dc(m_pGrid);
        const ROWCOL last = std::min(m_pGrid->GetLastVisibleRow(), m_pGrid->GetRowCount());
        for (ROWCOL c = 1; c <= m_pGrid->GetColCount(); c++)
        {
            if (m_pGrid->IsColHidden(c))
                continue;
            for (ROWCOL r = 0; r <= last; r++)
            {
                const CGRStyle style = m_pGrid->LookupStyleRowCol(r, c);
                CString text = style.GetDisplayText();
                text.TrimRight();
                if (text.IsEmpty())
                    continue;
                const CRect cell = CRecordingGrid::CalcTextRect(m_pGrid->CalcRectFromRowCol(r, c));
                CFont* pOld = dc.SelectObject(CFont::FromHandle(m_pGrid->GetStyleFont(style)));
                // A title breaks between its words; a cell shows one line.
                CRect need(0, 0, cell.Width(), 0);
                ::DrawTextA(dc.GetSafeHdc(), text, text.GetLength(), &need,
                            DT_CALCRECT | DT_NOPREFIX | (r == 0 ? DT_WORDBREAK : DT_SINGLELINE));
                dc.SelectObject(pOld);
                EXPECT_LE(need.Width(), cell.Width()) << "table " << table << ", row " << r << ", column " << c
                                                      << ": \"" << (LPCTSTR)text << "\"";
                EXPECT_LE(need.Height(), cell.Height()) << "table " << table << ", row " << r << ", column "
                                                        << c << ": \"" << (LPCTSTR)text << "\"";
            }
        }
    }
}

// A click on a row header selects the row; Shift selects the rows from the
// current one to the row clicked, Ctrl adds the row clicked to those
// selected.
TEST_F(GridWindowTest, RowHeadersSelectRowsWithShiftAndCtrl)
{
    auto clickHeader = [&](ROWCOL row, UINT keys) {
        const CPoint at = m_pGrid->CalcRectFromRowCol(row, 0).CenterPoint();
        m_pGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
        m_pGrid->SendMessage(WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
    };
    auto selected = [&] {
        CRowColArray rows;
        m_pGrid->GetSelectedRows(rows, TRUE, FALSE);
        return std::vector<ROWCOL>(rows.Vector());
    };
    auto currentRow = [&] {
        ROWCOL row = 0, col = 0;
        m_pGrid->GetCurrentCell(row, col);
        return row;
    };
    clickHeader(2, 0);
    EXPECT_EQ((std::vector<ROWCOL>{ 2 }), selected());
    EXPECT_EQ(2u, currentRow());
    clickHeader(5, MK_SHIFT);
    EXPECT_EQ((std::vector<ROWCOL>{ 2, 3, 4, 5 }), selected());
    EXPECT_EQ(2u, currentRow());
    clickHeader(7, MK_CONTROL);
    EXPECT_EQ((std::vector<ROWCOL>{ 2, 3, 4, 5, 7 }), selected());
    EXPECT_EQ(7u, currentRow());
    clickHeader(3, 0);
    EXPECT_EQ((std::vector<ROWCOL>{ 3 }), selected());
}

// Typing over the current cell replaces its text, whether or not a click on
// it opened its editor; F2 edits the text from its end.
TEST_F(GridWindowTest, TypingOverTheCurrentCellReplacesItsText)
{
    ASSERT_TRUE(m_pGrid->SetCurrentCell(2, 6));
    m_pGrid->SetFocus();
    CString text = m_pGrid->GetValueRowCol(2, 6);
    text.TrimRight();
    const CPoint at = m_pGrid->CalcRectFromRowCol(2, 6).CenterPoint();
    m_pGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    m_pGrid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    kvtest::PumpMessages();
    ASSERT_TRUE(m_pGrid->IsActiveCurrentCell());
    HWND hEdit = ::GetFocus();
    DWORD start = 0, end = 0;
    ::SendMessage(hEdit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ((DWORD)text.GetLength(), end);
    for (char c : std::string("ZZ"))
        ::SendMessage(hEdit, WM_CHAR, (WPARAM)c, 0);
    EXPECT_EQ("ZZ", EditorText());
    ::SendMessage(hEdit, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_FALSE(m_pGrid->IsActiveCurrentCell());

    m_pGrid->SendMessage(WM_KEYDOWN, VK_F2, 0);
    ASSERT_TRUE(m_pGrid->IsActiveCurrentCell());
    ::SendMessage(::GetFocus(), EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(start, end);
    EXPECT_EQ(EditorText().GetLength(), (int)end);
}

// A double click edits the component wherever it lands, on the current
// cell too (whose first click opens the cell's editor); a click into text
// being typed stays in the text.
TEST_F(GridWindowTest, ADoubleClickOnTheCurrentCellEditsTheComponentAsOnAnyOther)
{
    ASSERT_TRUE(m_pGrid->SetCurrentCell(2, 6));
    m_pGrid->SetFocus();
    const CPoint at = m_pGrid->CalcRectFromRowCol(2, 6).CenterPoint();
    auto clickCell = [&] {
        m_pGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        m_pGrid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        kvtest::PumpMessages();
    };
    // The second click, on the editor the first opened.
    auto clickEditor = [&] {
        HWND hEdit = ::GetFocus();
        POINT pt = at;
        ::MapWindowPoints(m_pGrid->m_hWnd, hEdit, &pt, 1);
        ::SendMessage(hEdit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::SendMessage(hEdit, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    };
    clickCell();
    ASSERT_TRUE(m_pGrid->IsActiveCurrentCell());
    clickEditor();
    EXPECT_EQ((std::vector<std::string>{ "edit" }), m_pView->calls);
    EXPECT_FALSE(m_pGrid->IsActiveCurrentCell());

    m_pView->calls.clear();
    clickCell();
    ASSERT_TRUE(m_pGrid->IsActiveCurrentCell());
    ::SendMessage(::GetFocus(), WM_CHAR, 'Z', 0);
    clickEditor();
    EXPECT_TRUE(m_pView->calls.empty());
    EXPECT_TRUE(m_pGrid->IsActiveCurrentCell());
    EXPECT_EQ("Z", EditorText());
    m_pGrid->CancelCurrentCell();
}

TEST_F(GridWindowTest, AnUnknownSupplierCodeIsAddedOnlyWhenTheUserSaysSo)
{
    long suppliers = QueryLong("SELECT count(*) FROM Suppliers");
    m_nAnswer = IDNO;
    EXPECT_FALSE(m_pGrid->SetControlTextRowCol(2, 8, "zz9"));
    EXPECT_TRUE(Contains(TakeMessages(), "was not matched"));
    EXPECT_EQ(suppliers, QueryLong("SELECT count(*) FROM Suppliers"));

    m_nAnswer = IDYES;
    EXPECT_TRUE(m_pGrid->SetControlTextRowCol(2, 8, "zz9"));
    EXPECT_EQ(suppliers + 1, QueryLong("SELECT count(*) FROM Suppliers"));
    EXPECT_EQ("R", Query("SELECT [Base Price] FROM Suppliers WHERE RTRIM([Code]) = 'ZZ9'"));
    EXPECT_EQ(1.0, std::atof(Query("SELECT [Multiplier C] FROM Suppliers WHERE RTRIM([Code]) = 'ZZ9'").c_str()));
    EXPECT_EQ(CString("ZZ9 "), m_pGrid->GetValueRowCol(2, 8));
    // A known code (in any case, blanks aside) is taken as it is.
    TakeMessages();
    std::string known = Query("SELECT [Code] FROM Suppliers");
    CString lower = CString(known.c_str()).MakeLower();
    EXPECT_TRUE(m_pGrid->SetControlTextRowCol(3, 8, lower));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(GridWindowTest, ColourCellsAndAssemblyHeadersAreDrawnByTheGrid)
{
    // Draws one cell into a bitmap and reads a pixel of it.
    auto pixelOf = [&](ROWCOL nRow, ROWCOL nCol, CPoint at) {
        HDC screen = ::GetDC(nullptr);
        HDC hdc = ::CreateCompatibleDC(screen);
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, 100, 40);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(hdc, bmp);
        CGRStyle style = m_pGrid->LookupStyleRowCol(nRow, nCol);
        m_pGrid->OnDrawItem(CDC::FromHandle(hdc), nRow, nCol, CRect(0, 0, 100, 40), style);
        COLORREF pixel = ::GetPixel(hdc, at.x, at.y);
        ::SelectObject(hdc, old);
        ::DeleteObject(bmp);
        ::DeleteDC(hdc);
        return pixel;
    };
    COLORREF colour = (COLORREF)std::atol(m_pGrid->GetValueRowCol(2, 31));
    EXPECT_EQ(colour, pixelOf(2, 31, CPoint(50, 20)));
    m_pGrid->SetReadOnly(TRUE);
    EXPECT_EQ(RGB(208, 208, 208), pixelOf(2, 31, CPoint(2, 2)));
    m_pGrid->SetReadOnly(FALSE);
    // The append row is the library's.
    EXPECT_NE(colour, pixelOf(m_pGrid->GetAppendRow(), 31, CPoint(50, 20)));

    Show(TABLE_VALVE);
    ROWCOL assembly = 0, plain = 0;
    for (ROWCOL r = 1; r <= (ROWCOL)RecordCount(*m_pGrid); r++)
    {
        long flags = std::atol(m_pGrid->GetValueRowCol(r, 35));
        ((flags & 1) ? assembly : plain) = r;
    }
    ASSERT_TRUE(assembly && plain);
    EXPECT_EQ(RGB(143, 188, 143), pixelOf(assembly, 0, CPoint(50, 20)));
    EXPECT_NE(RGB(143, 188, 143), pixelOf(plain, 0, CPoint(50, 20)));

    // A query over the components draws them alike.
    m_pGrid->GetQueryRecordset()->SetSqlQuery("SELECT * FROM Components WHERE [Database Number] = 2");
    Show(TABLE_QUERY);
    ASSERT_EQ(CString("Colour1"), m_pGrid->GetFieldName(31));
    assembly = plain = 0;
    for (ROWCOL r = 1; r <= (ROWCOL)RecordCount(*m_pGrid); r++)
        ((std::atol(m_pGrid->GetValueRowCol(r, 35)) & 1) ? assembly : plain) = r;
    ASSERT_TRUE(assembly && plain);
    COLORREF queried = (COLORREF)std::atol(m_pGrid->GetValueRowCol(assembly, 31));
    EXPECT_EQ(queried, pixelOf(assembly, 31, CPoint(50, 20)));
    EXPECT_EQ(RGB(143, 188, 143), pixelOf(assembly, 0, CPoint(50, 20)));
    EXPECT_NE(RGB(143, 188, 143), pixelOf(plain, 0, CPoint(50, 20)));
}

TEST_F(GridWindowTest, LineTypeCellsDrawTheProgramsLineTypes)
{
    LineTypeArray saved = LineTypeList();
    LineTypeList() = { { "Continuous", {} }, { "Dashed", { 250, 250, 250 } } };
    // The ink along the middle of a 100-pixel line-type cell holding `value`.
    auto inkAlong = [&](long value) {
        HDC screen = ::GetDC(nullptr);
        HDC hdc = ::CreateCompatibleDC(screen);
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, 100, 40);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(hdc, bmp);
        CGRStyle style = m_pGrid->LookupStyleRowCol(3, 27);
        style.SetValue(value);
        m_pGrid->OnDrawItem(CDC::FromHandle(hdc), 3, 27, CRect(0, 0, 100, 40), style);
        std::vector<bool> ink;
        for (int x = 0; x < 100; x++)
            ink.push_back(::GetPixel(hdc, x, 20) == ::GetSysColor(COLOR_WINDOWTEXT));
        ::SelectObject(hdc, old);
        ::DeleteObject(bmp);
        ::DeleteDC(hdc);
        return ink;
    };
    // Dashes of 25 pixels from x = 2.
    std::vector<bool> dashed = inkAlong(1);
    EXPECT_TRUE(dashed[10]);
    EXPECT_FALSE(dashed[40]);
    EXPECT_TRUE(dashed[60]);
    // The empty pattern is a solid line from 2 to 4 pixels inside the right edge.
    std::vector<bool> solid = inkAlong(0);
    EXPECT_EQ(94, std::count(solid.begin(), solid.end(), true));
    // A line type beyond the list shows "<Unknown>", no line.
    std::vector<bool> unknown = inkAlong(2);
    EXPECT_LT(std::count(unknown.begin(), unknown.end(), true), 60);
    EXPECT_FALSE(unknown[3]);
    LineTypeList() = saved;
}

TEST_F(GridWindowTest, FontsCharacterSetsAndAutoFill)
{
    HFONT beamFont = (HFONT)m_info.GetBeam()->SendMessage(WM_GETFONT);
    m_pGrid->LoadStandardFont(0);
    EXPECT_FALSE(m_pGrid->IsRightToLeft());
    EXPECT_EQ(beamFont, (HFONT)m_info.GetBeam()->SendMessage(WM_GETFONT));
    m_pGrid->LoadStandardFont(HEBREW_CHARSET);
    EXPECT_TRUE(m_pGrid->IsRightToLeft());
    EXPECT_EQ(HEBREW_CHARSET, m_pGrid->StandardStyle().GetFont().GetCharSet());
    EXPECT_DOUBLE_EQ(8.0, m_pGrid->StandardStyle().GetFont().GetSize());
    m_pGrid->LoadStandardFont(ARABIC_CHARSET);
    EXPECT_TRUE(m_pGrid->IsRightToLeft());
    m_pGrid->LoadStandardFont(ANSI_CHARSET);
    EXPECT_FALSE(m_pGrid->IsRightToLeft());

    // Filling over the Description or Warehouse Code is refused.
    UINT flags = 0;
    CPoint pt;
    CGRRange description(2, 6, 4, 6), codes(2, 7, 3, 8), usage(2, 9, 4, 9), rows;
    rows.SetRows(2, 3);
    EXPECT_FALSE(m_pGrid->OnStartAutoFillSelection(description, flags, pt));
    EXPECT_FALSE(m_pGrid->OnStartAutoFillSelection(codes, flags, pt));
    EXPECT_FALSE(m_pGrid->OnStartAutoFillSelection(rows, flags, pt));
    EXPECT_TRUE(m_pGrid->OnStartAutoFillSelection(usage, flags, pt));
}

// Pipes whose [Flags] another program left NULL are pipes like the others:
// on the Pipe tab, and read with the column's default, 0.
TEST_F(GridWindowTest, PipesWithNullFlagsAreOnThePipeTab)
{
    const long pipes = QueryLong("SELECT count(*) FROM Components WHERE [Database Number] = 1 AND [Flags] = 0");
    ASSERT_GT(pipes, 2);
    const long first = QueryLong("SELECT MIN([Component Key]) FROM Components WHERE [Database Number] = 1 AND "
                                 "[Flags] = 0");
    m_pView->GetDatabase()->ExecuteSQL(("UPDATE Components SET [Flags] = NULL WHERE [Database Number] = 1 AND "
                                        "[Flags] = 0 AND ([Component Key] % 2 = 1 OR [Component Key] = " +
                                        std::to_string(first) + ")")
                                           .c_str());
    ASSERT_GT(QueryLong("SELECT count(*) FROM Components WHERE [Flags] IS NULL"), 0);
    DestroyGrid();
    MakeGrid();
    Show(TABLE_PIPE);
    EXPECT_EQ(pipes, RecordCount(*m_pGrid));
    CRecords record(m_pView->GetDatabase());
    ASSERT_TRUE(record.OpenByKey(first));
    EXPECT_EQ(0, record.m_nFlags);
    EXPECT_EQ(TABLE_PIPE, ComponentToTab(record.m_nDatabaseNumber, record.m_nFlags));
    record.Close();
    EXPECT_TRUE(TakeMessages().empty());
}
