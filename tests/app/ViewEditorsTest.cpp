// The component editors of the main view in the running program, over a
// copy of the sample database: the ways into an edit (Edit Item, Add Item,
// an edit by key from a side grid), one editor at a time, what OK stores
// (and what it keeps), a store the grid refuses, Cancel, a kind without an
// editor, the editor going with its database window, the widths of the
// text columns, and the curve-fit bar told of the editor and of a tape.
#include "database/records/ComponentRecords.h"
#include "editors/base/window/EditorBaseRes.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/ElectricDialog.h"
#include "editors/components/window/LightDialog.h"
#include "editors/components/window/PipeDialog.h"
#include "editors/components/window/TapeDialog.h"
#include "editors/curvefit/bar/CurveFitDlgBar.h"
#include "tests/app/ViewFixture.h"

#include <algorithm>

using namespace kvgrid;

namespace {

class ViewEditorsTest : public viewtest::ViewTest
{
protected:
    OZU_ComponentDialog* Editor() { return m_pView->GetEditorHost().GetOpenEditor(); }
    void Type(int nID, const char* text)
    {
        ASSERT_NE(nullptr, Editor());
        ASSERT_NE(nullptr, Editor()->GetDlgItem(nID)) << nID;
        Editor()->SetDlgItemText(nID, text);
    }
    void Press(int nID)
    {
        ASSERT_NE(nullptr, Editor());
        Editor()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED));
        programtest::Pump();
    }
    std::string Column(long nKey, const char* column)
    {
        return kvtest::QueryRows(m_database, std::string("SELECT [") + column +
                                                 "] FROM Components WHERE [Component Key] = " +
                                                 std::to_string(nKey));
    }
    std::string Trimmed(long nKey, const char* column)
    {
        std::string text = Column(nKey, column);
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }
    // The edit is over: no editor, no edited kind, tab or key, and the grid
    // writable with no dialog edit.
    void ExpectNoEdit()
    {
        EXPECT_EQ(nullptr, Editor());
        EXPECT_EQ(-1, State().nEditorTableType);
        EXPECT_EQ(-1, State().nEditedKey);
        EXPECT_EQ(-1, m_pView->GetViewState().GetEditedTab());
        EXPECT_EQ(CGridWindow::editNone, Grid()->GetEditState());
        EXPECT_FALSE(Grid()->IsReadOnly());
        EXPECT_EQ(nullptr, Frame()->GetCurveFitBar().GetDetailDialog());
    }
    bool HasMessage(const std::vector<std::string>& messages, const char* part)
    {
        return std::any_of(messages.begin(), messages.end(),
                           [&](const std::string& m) { return m.find(part) != std::string::npos; });
    }
};

} // namespace

// Edit Item opens the editor of the row's kind, told to the curve-fit bar;
// while it is open no second editor opens. OK stores what was typed over
// the stored row (columns the editor does not show keep their values), the
// grid shows it and the edit ends.
TEST_F(ViewEditorsTest, EditItemOpensOneEditorAndOKStoresOverTheStoredRow)
{
    kvtest::RunSqlOn(m_database, "UPDATE Components SET [Order] = 7, Colour2 = 123, [Document Index] = 3 "
                                 "WHERE [Component Key] = 1;");
    Start();
    GoTo(1);
    Command(ID_EDIT_COMPONENT);
    auto* pEditor = dynamic_cast<CPipeDialog*>(Editor());
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ(TABLE_PIPE, State().nEditorTableType);
    EXPECT_EQ(TABLE_PIPE, m_pView->GetViewState().GetEditedTab());
    EXPECT_EQ(CGridWindow::editExisting, Grid()->GetEditState());
    EXPECT_TRUE(Grid()->IsReadOnly());
    EXPECT_EQ(pEditor->GetSafeHwnd(), Frame()->GetCurveFitBar().GetDetailDialog());
    EXPECT_EQ(pEditor->GetParent(), Frame());

    // No second editor, by any way in.
    GoTo(2);
    m_pView->OnEditComponent();
    m_pView->OnAddComponent();
    m_pView->EditComponentByKey(2);
    EXPECT_EQ(pEditor, Editor());
    EXPECT_EQ(-1, State().nEditedKey);

    Type(IDC_DESCRIPTION, "PVC Class 9 40 mm heavy");
    Type(IDC_PIPE_ROUGHNESS, "120");
    Press(IDOK);
    ExpectNoEdit();
    EXPECT_EQ("PVC Class 9 40 mm heavy", Trimmed(1, "Description"));
    EXPECT_EQ(50u, Column(1, "Description").size());
    EXPECT_EQ("120.0", Column(1, "Reals3"));
    EXPECT_EQ("7", Column(1, "Order"));
    EXPECT_EQ("123", Column(1, "Colour2"));
    EXPECT_EQ("3", Column(1, "Document Index"));
    EXPECT_EQ(1, Grid()->GetCurrentKey());
    CString shown = Grid()->GetValueRowCol(Grid()->FindKey(1), COL_DESCRIPTION);
    shown.TrimRight();
    EXPECT_EQ("PVC Class 9 40 mm heavy", shown.str());
    EXPECT_TRUE(TakeMessages().empty());
}

// Cancel stores nothing and ends the edit.
TEST_F(ViewEditorsTest, CancelStoresNothing)
{
    Start();
    GoTo(1);
    const std::string before = kvtest::QueryRows(m_database, "SELECT * FROM Components WHERE [Component Key] = 1");
    Command(ID_EDIT_COMPONENT);
    ASSERT_NE(nullptr, Editor());
    Type(IDC_DESCRIPTION, "Something else");
    Press(IDCANCEL);
    ExpectNoEdit();
    EXPECT_EQ(before, kvtest::QueryRows(m_database, "SELECT * FROM Components WHERE [Component Key] = 1"));
    EXPECT_TRUE(TakeMessages().empty());
}

// Add Item on the Tapes tab opens the tape editor on a copy of the current
// tape; OK makes a new component of [Database Number] 1 with the tape bit,
// and its Tapes row with the values of the tape it was made from.
TEST_F(ViewEditorsTest, AddItemOnTheTapesTabMakesATapeWithItsTapesRow)
{
    Start();
    Select(TABLE_TAPE);
    GoTo(59);
    const long nBefore = QueryLong("SELECT MAX([Component Key]) FROM Components");
    Command(ID_ADD_COMPONENT);
    ASSERT_NE(nullptr, dynamic_cast<CTapeDialog*>(Editor()));
    EXPECT_EQ(TABLE_TAPE, State().nEditorTableType);
    EXPECT_EQ(CGridWindow::editAdding, Grid()->GetEditState());
    EXPECT_FALSE(State().bSkipDuplicateTest);
    Type(IDC_DESCRIPTION, "Drip tape copy");
    Press(IDOK);
    ExpectNoEdit();
    const long nKey = QueryLong("SELECT MAX([Component Key]) FROM Components");
    ASSERT_GT(nKey, nBefore);
    EXPECT_EQ("Drip tape copy", Trimmed(nKey, "Description"));
    EXPECT_EQ("1", Column(nKey, "Database Number"));
    EXPECT_EQ("2", Column(nKey, "Flags"));
    const char* tapeColumns = "[Flow Calc Type], Reals1, Reals2, Reals3, Reals4, Reals5, Reals6, Rextra1, Rextra2";
    EXPECT_EQ(kvtest::QueryRows(m_database, std::string("SELECT ") + tapeColumns + " FROM Tapes WHERE [Pipe Key] = 59"),
              kvtest::QueryRows(m_database, std::string("SELECT ") + tapeColumns +
                                                " FROM Tapes WHERE [Pipe Key] = " + std::to_string(nKey)));
    EXPECT_EQ(nKey, Grid()->GetCurrentKey());
    EXPECT_TRUE(TakeMessages().empty());
}

// Add Item on an assembly's row makes a new assembly with the items of the
// one it was made from; on an ordinary row nothing is copied.
TEST_F(ViewEditorsTest, AddItemOnAnAssemblyTakesItsItemsAlong)
{
    Start();
    Select(TABLE_CONTROLLER);
    struct Case
    {
        long nFrom;
        const char* description;
        bool bItems;
    } cases[] = { { 290, "Controller kit copy", true }, { 262, "Controller copy", false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        GoTo(c.nFrom);
        Command(ID_ADD_COMPONENT);
        ASSERT_NE(nullptr, Editor());
        EXPECT_EQ(c.bItems, State().bCopyAssemblyItems != FALSE);
        Type(IDC_DESCRIPTION, c.description);
        Press(IDOK);
        ExpectNoEdit();
        const long nKey = QueryLong("SELECT MAX([Component Key]) FROM Components");
        EXPECT_EQ(c.description, Trimmed(nKey, "Description"));
        const std::string items = "SELECT [Item Key], [Number/Length] FROM Assemblies WHERE [Assembly Key] = ";
        if (c.bItems) {
            EXPECT_EQ(kvtest::QueryRows(m_database, items + std::to_string(c.nFrom) + " ORDER BY 1"),
                      kvtest::QueryRows(m_database, items + std::to_string(nKey) + " ORDER BY 1"));
            EXPECT_EQ(QueryKeys(items + std::to_string(nKey)).size(), Keys(m_pView->GetAssemWnd()).size());
        }
        else {
            EXPECT_EQ("", kvtest::QueryRows(m_database, items + std::to_string(nKey)));
        }
    }
    EXPECT_TRUE(TakeMessages().empty());
}

// An item of an assembly edited from the assembly grid is stored by its
// key: the main grid stays on the assembly and is writable afterwards.
TEST_F(ViewEditorsTest, AnEditByKeyStoresTheItemAndLeavesTheGridOnItsRow)
{
    Start();
    Select(TABLE_CONTROLLER);
    GoTo(290);
    m_pView->EditComponentByKey(268);
    ASSERT_NE(nullptr, dynamic_cast<CElectricDialog*>(Editor()));
    EXPECT_EQ(-1, m_pView->GetViewState().GetEditedTab());
    EXPECT_EQ(268, State().nEditedKey);
    EXPECT_EQ(TABLE_ELECTRIC, State().nEditorTableType);
    EXPECT_TRUE(Grid()->IsReadOnly());
    Type(IDC_DESCRIPTION, "Transformer renamed");
    Type(IDC_ELECTRIC_VOLTAGE, "12");
    Press(IDOK);
    ExpectNoEdit();
    EXPECT_EQ("Transformer renamed", Trimmed(268, "Description"));
    EXPECT_EQ("12.0", Column(268, "Reals2"));
    EXPECT_EQ("23", Column(268, "Database Number"));
    EXPECT_EQ(TABLE_CONTROLLER, m_pView->GetCurrentTab());
    EXPECT_EQ(290, Grid()->GetCurrentKey());
    EXPECT_EQ(QueryKeys("SELECT [Item Key] FROM Assemblies WHERE [Assembly Key] = 290"),
              Keys(m_pView->GetAssemWnd()));

    // Cancelled, an edit by key leaves the grid's row as it was.
    m_pView->EditComponentByKey(268);
    ASSERT_NE(nullptr, Editor());
    Press(IDCANCEL);
    ExpectNoEdit();
    EXPECT_EQ(290, Grid()->GetCurrentKey());
    EXPECT_TRUE(TakeMessages().empty());
}

// A component edited while another tab is shown is stored in its own table,
// which is shown again.
TEST_F(ViewEditorsTest, SavingShowsTheEditedTableAgain)
{
    Start();
    GoTo(3);
    Command(ID_EDIT_COMPONENT);
    ASSERT_NE(nullptr, Editor());
    Select(TABLE_VALVE);
    ASSERT_EQ(TABLE_VALVE, m_pView->GetCurrentTab());
    Type(IDC_DESCRIPTION, "PVC Class 9 65 mm blue");
    Press(IDOK);
    ExpectNoEdit();
    EXPECT_EQ(TABLE_PIPE, m_pView->GetCurrentTab());
    EXPECT_EQ(TABLE_PIPE, Grid()->GetTableType());
    EXPECT_EQ(3, Grid()->GetCurrentKey());
    EXPECT_EQ("PVC Class 9 65 mm blue", Trimmed(3, "Description"));
}

// A store the grid refuses (the database refuses the row) stores nothing
// and keeps the editor open on the edit; a second OK with another
// description stores it.
TEST_F(ViewEditorsTest, AStoreTheGridRefusesKeepsTheEditorOpen)
{
    kvtest::RunSqlOn(m_database, "CREATE TRIGGER refuse BEFORE UPDATE ON Components "
                                 "WHEN new.[Warehouse Code] LIKE 'PVC9-050%' BEGIN\n"
                                 "SELECT RAISE(ABORT, 'refused');\n"
                                 "END;\n");
    Start();
    GoTo(1);
    const std::string before = kvtest::QueryRows(m_database, "SELECT * FROM Components WHERE [Component Key] = 1");
    Command(ID_EDIT_COMPONENT);
    OZU_ComponentDialog* pEditor = Editor();
    ASSERT_NE(nullptr, pEditor);
    Type(IDC_DESCRIPTION, "PVC Class 9 50 mm");
    Type(IDC_WAREHOUSE_CODE, "PVC9-050");
    Press(IDOK);
    ASSERT_EQ(pEditor, Editor());
    EXPECT_TRUE(pEditor->IsOpen());
    EXPECT_TRUE(HasMessage(TakeMessages(), "refused"));
    EXPECT_EQ(before, kvtest::QueryRows(m_database, "SELECT * FROM Components WHERE [Component Key] = 1"));
    EXPECT_EQ(TABLE_PIPE, State().nEditorTableType);
    EXPECT_EQ(TABLE_PIPE, m_pView->GetViewState().GetEditedTab());
    EXPECT_EQ(CGridWindow::editExisting, Grid()->GetEditState());

    Type(IDC_DESCRIPTION, "PVC Class 9 40 mm");
    Type(IDC_WAREHOUSE_CODE, "PVC9-040B");
    Press(IDOK);
    ExpectNoEdit();
    EXPECT_EQ("PVC9-040B", Trimmed(1, "Warehouse Code"));
    EXPECT_EQ(1, QueryLong("SELECT COUNT(*) FROM Components WHERE TRIM(Description) = 'PVC Class 9 50 mm'"));
}

// A component of a number no editor takes says so and leaves no edit.
TEST_F(ViewEditorsTest, AComponentNoEditorTakesSaysSo)
{
    kvtest::RunSqlOn(m_database, "UPDATE Components SET [Database Number] = 5 WHERE [Component Key] = 262;");
    Start();
    m_pView->EditComponentByKey(262);
    ExpectNoEdit();
    EXPECT_EQ(std::vector<std::string>{ "Unable to load component data" }, TakeMessages());
}

// A tape that has lost its Tapes row gets one, and its editor opens; what
// OK stores goes into that row.
TEST_F(ViewEditorsTest, ATapeWithoutItsTapesRowGetsOne)
{
    kvtest::RunSqlOn(m_database, "DELETE FROM Tapes WHERE [Pipe Key] = 59;");
    Start();
    m_pView->EditComponentByKey(59);
    ASSERT_NE(nullptr, dynamic_cast<CTapeDialog*>(Editor()));
    EXPECT_EQ(1, QueryLong("SELECT COUNT(*) FROM Tapes WHERE [Pipe Key] = 59"));
    // Stored by key, the tape's values go into that row.
    Type(IDC_TAPE_DEFAULT_PRESSURE, "10");
    Type(IDC_TAPE_MAXIMUM_PRESSURE, "12");
    Type(IDC_TAPE_COEFFICIENT1, "0.75");
    Type(IDC_TAPE_DISCHARGE_RATE, "250");
    Press(IDOK);
    ExpectNoEdit();
    EXPECT_EQ("0.75,12.0,10.0,2.5", kvtest::QueryRows(m_database, "SELECT ROUND(Reals1, 4), Rextra2, Reals5, Reals6 FROM Tapes "
                                                             "WHERE [Pipe Key] = 59"));
    EXPECT_EQ(1, QueryLong("SELECT COUNT(*) FROM Tapes WHERE [Pipe Key] = 59"));
    EXPECT_TRUE(TakeMessages().empty());
}

// The editor goes with its database window: nothing of it is stored, and
// nothing is left pointing at the view.
TEST_F(ViewEditorsTest, ClosingTheDatabaseWindowClosesTheEditor)
{
    Start();
    GoTo(1);
    const std::string before = kvtest::QueryRows(m_database, "SELECT * FROM Components WHERE [Component Key] = 1");
    Command(ID_EDIT_COMPONENT);
    ASSERT_NE(nullptr, Editor());
    HWND hEditor = Editor()->GetSafeHwnd();
    Type(IDC_DESCRIPTION, "Never stored");
    CMDIChildWnd* pChild = Frame()->MDIGetActive();
    ASSERT_NE(nullptr, pChild);
    pChild->SendMessage(WM_CLOSE);
    programtest::Pump();
    EXPECT_FALSE(::IsWindow(hEditor));
    EXPECT_EQ(nullptr, Frame()->MDIGetActive());
    EXPECT_EQ(nullptr, Frame()->GetCurveFitBar().GetDetailDialog());
    m_pView = nullptr;
    EXPECT_EQ(before, kvtest::QueryRows(m_database, "SELECT * FROM Components WHERE [Component Key] = 1"));
}

// Ending the program with an editor open stores nothing of it.
TEST_F(ViewEditorsTest, EndingTheProgramWithAnEditorOpenStoresNothingOfIt)
{
    Start();
    Select(TABLE_TAPE);
    GoTo(59);
    const std::string before = kvtest::QueryRows(m_database, "SELECT * FROM Components WHERE [Component Key] = 59");
    Command(ID_EDIT_COMPONENT);
    ASSERT_NE(nullptr, Editor());
    HWND hEditor = Editor()->GetSafeHwnd();
    Type(IDC_DESCRIPTION, "Never stored");
    Stop();
    EXPECT_FALSE(::IsWindow(hEditor));
    EXPECT_EQ(before, kvtest::QueryRows(m_database, "SELECT * FROM Components WHERE [Component Key] = 59"));
}

// The editors' text widths are the database's column sizes, for the ten
// text columns only.
TEST_F(ViewEditorsTest, FieldLengthsAreTheColumnSizes)
{
    Start();
    const std::pair<int, int> widths[] = { { 6, 50 }, { 7, 32 }, { 8, 4 },   { 9, 3 },   { 10, 6 }, { 11, 6 },
                                           { 12, 6 }, { 13, 6 }, { 33, 10 }, { 34, 3 },  { 1, 0 },  { 5, 0 },
                                           { 14, 0 }, { 32, 0 }, { 35, 0 },  { 36, 0 } };
    for (auto [nColumn, nWidth] : widths)
        EXPECT_EQ(nWidth, m_pView->GetFieldLength(nColumn)) << nColumn;
}

// A tape shown in the curve-fit bar comes with its Tapes row, where its
// emitter coefficients are.
TEST_F(ViewEditorsTest, ATapeShownInTheCurveFitBarComesWithItsTapesRow)
{
    Start();
    CCurveFitDlgBar& bar = Frame()->GetCurveFitBar();
    m_pView->ShowComponentInCurveFit(59);
    ASSERT_NE(nullptr, bar.GetCurrentRecord());
    EXPECT_EQ(59, bar.GetCurrentRecord()->m_nComponentKey);
    ASSERT_NE(nullptr, bar.GetRelatedRecord());
    EXPECT_EQ(59, bar.GetRelatedRecord()->m_nPipeKey);
    EXPECT_FLOAT_EQ((float)std::atof(kvtest::QueryRows(m_database, "SELECT Reals1 FROM Tapes WHERE [Pipe Key] = 59")
                                         .c_str()),
                    bar.GetRelatedRecord()->m_fTapeReals1);

    m_pView->ShowComponentInCurveFit(1);
    ASSERT_NE(nullptr, bar.GetCurrentRecord());
    EXPECT_EQ(1, bar.GetCurrentRecord()->m_nComponentKey);
    // A key without a row leaves the bar with no component.
    m_pView->ShowComponentInCurveFit(99999);
    EXPECT_EQ(nullptr, bar.GetCurrentRecord());
}

// New Assembly opens the editor of the row's kind for the new assembly:
// "Continue" stores it as an assembly, and the view names it in red while
// its items are added; Cancel leaves assembly building.
TEST_F(ViewEditorsTest, NewAssemblyStoresTheAssemblyAndNamesIt)
{
    Start();
    Select(TABLE_CONTROLLER);
    GoTo(262);
    Command(ID_NEW_ASSEMBLY);
    ASSERT_NE(nullptr, Editor());
    CString title, ok;
    Editor()->GetWindowText(title);
    Editor()->GetDlgItemText(IDOK, ok);
    EXPECT_EQ("Creating a new control assembly...", title.str());
    EXPECT_EQ("Continue", ok.str());
    Type(IDC_DESCRIPTION, "Controller kit 4 station");
    Press(IDOK);
    EXPECT_EQ(nullptr, Editor());
    const long nKey = QueryLong("SELECT MAX([Component Key]) FROM Components");
    EXPECT_EQ("Controller kit 4 station", Trimmed(nKey, "Description"));
    EXPECT_EQ(1, std::atol(Column(nKey, "Flags").c_str()) & COMPONENT_FLAG_ASSEMBLY);
    EXPECT_EQ("22", Column(nKey, "Database Number"));
    EXPECT_TRUE(State().bAssemblyMode);
    EXPECT_EQ(nKey, State().nAssemblyKey);
    CString caption, name;
    CaptionStatic().GetWindowText(caption);
    NameStatic().GetWindowText(name);
    EXPECT_EQ(" Creating assembly:", caption.str());
    EXPECT_EQ("Controller kit 4 station", name.str());
    EXPECT_EQ(RGB(255, 0, 0), NameStatic().GetTextColor());
    EXPECT_TRUE(NameStatic().IsWindowEnabled());
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ViewEditorsTest, ACancelledNewAssemblyEndsAssemblyBuilding)
{
    Start();
    Select(TABLE_LIGHT);
    GoTo(275);
    const long nBefore = QueryLong("SELECT COUNT(*) FROM Components");
    Command(ID_NEW_ASSEMBLY);
    ASSERT_NE(nullptr, dynamic_cast<CLightDialog*>(Editor()));
    EXPECT_TRUE(State().bAssemblyMode);
    Press(IDCANCEL);
    ExpectNoEdit();
    EXPECT_FALSE(State().bAssemblyMode);
    EXPECT_FALSE(NameStatic().IsWindowEnabled());
    EXPECT_EQ(nBefore, QueryLong("SELECT COUNT(*) FROM Components"));
    EXPECT_TRUE(m_pView->IsCommandEnabled(ID_EDIT_COMPONENT));
}
