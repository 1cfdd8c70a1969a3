// The Query tab in the running program: a SELECT's rows in the grid, every
// other statement kept only after the user's yes, and the saved queries in
// their file, across a restart, edited, deleted and damaged.
#include "app/AppRes.h"
#include "app/OptionsDlg.h"
#include "app/QueriesAndPasteRes.h"
#include "grids/core/GridTables.h"
#include "grids/core/UserQueries.h"
#include "tests/app/DataViewFixture.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/TestSupport.h"

#include <fstream>

using namespace kvgrid;
using dataviewtest::DataViewTest;

namespace {

class QueryTest : public DataViewTest
{
protected:
    void StartOnQueryTab(DWORD options = 0)
    {
        Start(OPTION_SHOW_QUERY_TAB | options);
        m_pView->SelectTab(TABLE_QUERY);
        ASSERT_EQ(TABLE_QUERY, Grid()->GetTableType());
    }
    // Types the text into the query pane as the user does, in place of
    // what it held.
    void Type(const char* text)
    {
        CQueryWnd* pPane = QueryPane();
        pPane->SetSel(0, -1);
        pPane->ReplaceSel(text, TRUE);
    }
    std::string PaneText()
    {
        CString text;
        QueryPane()->GetWindowText(text);
        return text.str();
    }
    void TypeName(const char* name)
    {
        QueryCombo().SetWindowText(name);
        m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_VIEW_QUERIES, CBN_EDITCHANGE),
                             (LPARAM)QueryCombo().GetSafeHwnd());
    }
    void Choose(const char* title)
    {
        CComboBox& combo = QueryCombo();
        combo.SetCurSel(combo.FindStringExact(-1, title));
        m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_VIEW_QUERIES, CBN_SELCHANGE), (LPARAM)combo.GetSafeHwnd());
    }
    std::string ComboText()
    {
        CString text;
        QueryCombo().GetWindowText(text);
        return text.str();
    }
    std::vector<std::string> Titles()
    {
        std::vector<std::string> titles;
        CComboBox& combo = QueryCombo();
        for (int i = 0; i < combo.GetCount(); i++) {
            CString title;
            combo.GetLBText(i, title);
            titles.push_back(title.str());
        }
        return titles;
    }
    std::vector<std::pair<std::string, std::string>> FileQueries()
    {
        CQueryFile file(QueryFilePath().c_str());
        file.Load();
        std::vector<std::pair<std::string, std::string>> queries;
        for (const SavedQuery& q : file.GetQueries())
            queries.emplace_back(q.title.str(), q.sql.str());
        return queries;
    }
    // The texts of the grid's headers and its row count.
    std::string GridShape()
    {
        Grid()->OnTestGridDimension(GR_MAXROWCOL, 0);
        std::string shape = std::to_string(Grid()->GetColCount()) + " columns:";
        for (ROWCOL c = 1; c <= Grid()->GetColCount(); c++)
            shape += " " + Grid()->GetValueRowCol(0, c).str();
        ROWCOL append = Grid()->GetAppendRow();
        ROWCOL records = append == GR_INVALID ? Grid()->GetRowCount() : append - 1;
        return shape + "; " + std::to_string(records) + " rows";
    }
};

} // namespace

// The query pane is an edit field as any other: a sunken edge, the window
// colour behind the text, a scroll bar for a long query.
TEST_F(QueryTest, TheQueryPaneLooksLikeAnEditField)
{
    StartOnQueryTab();
    CQueryWnd* pPane = QueryPane();
    ASSERT_NE(nullptr, pPane);
    EXPECT_TRUE(pPane->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(pPane->GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(pPane->GetStyle() & ES_READONLY);
    // The brush its parent gives it to paint with is the window colour.
    kvtest::MemoryBitmap bitmap(4, 4);
    HBRUSH hBrush = (HBRUSH)::SendMessageA(::GetParent(pPane->GetSafeHwnd()), WM_CTLCOLOREDIT,
                                           (WPARAM)bitmap.hdc(), (LPARAM)pPane->GetSafeHwnd());
    LOGBRUSH brush = {};
    ASSERT_NE(nullptr, hBrush);
    ASSERT_NE(0, ::GetObjectA(hBrush, sizeof(brush), &brush));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), brush.lbColor);
}

// Before any query has run, the Query table is an empty grid and nothing is
// reported; Execute is offered once the pane has text.
TEST_F(QueryTest, TheQueryTableStartsEmptyWithoutAMessage)
{
    StartOnQueryTab();
    EXPECT_EQ("0 columns:; 0 rows", GridShape());
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FALSE(Enabled(ID_EXECUTE_QUERY));
    EXPECT_FALSE(Enabled(ID_SAVE_QUERY));
    EXPECT_FALSE(Enabled(ID_DELETE_QUERY));
    EXPECT_FALSE(Enabled(ID_RELOAD_QUERIES));
    Type("SELECT 1");
    EXPECT_TRUE(Enabled(ID_EXECUTE_QUERY));
    // The tab left and shown again: still nothing to report.
    m_pView->SelectTab(TABLE_PIPE);
    m_pView->SelectTab(TABLE_QUERY);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(QueryTest, ASelectShowsItsRowsAndAFailingOneItsDriversMessage)
{
    StartOnQueryTab();
    Type("  select [Component Key], [Description], [Reals1]\r\nFROM Components WHERE [Database Number] = 2  ");
    Command(ID_EXECUTE_QUERY);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ("3 columns: Component Key Description Reals1; " +
                  std::to_string(QueryLong("SELECT count(*) FROM Components WHERE [Database Number] = 2")) + " rows",
              GridShape());
    EXPECT_EQ(QueryRows("SELECT RTRIM([Description]) FROM Components WHERE [Database Number] = 2 "
                        "ORDER BY [Component Key] LIMIT 1"),
              std::string(Grid()->GetValueRowCol(1, 2).TrimRight()));

    Type("SELECT count(*) AS Valves FROM Components WHERE [Database Number] = 2");
    Command(ID_EXECUTE_QUERY);
    EXPECT_EQ("1 columns: Valves; 1 rows", GridShape());

    Type("SELECT [Description] FROM NoSuchTable");
    Command(ID_EXECUTE_QUERY);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("NoSuchTable")) << messages[0];
    EXPECT_EQ("0 columns:; 0 rows", GridShape());
}

// A result shows with its first row current, and the record beam names it
// at once; an empty result leaves no row current.
TEST_F(QueryTest, TheRecordBeamNamesTheFirstRowOfAResult)
{
    StartOnQueryTab();
    const long valves = QueryLong("SELECT count(*) FROM Components WHERE [Database Number] = 2");
    ASSERT_GT(valves, 1);
    Type("SELECT [Component Key], [Description] FROM Components WHERE [Database Number] = 2");
    Command(ID_EXECUTE_QUERY);
    CGRRecordInfoBeam* pBeam = Grid()->GetBeam();
    ASSERT_NE(nullptr, pBeam);
    ROWCOL row = 0, col = 0;
    ASSERT_TRUE(Grid()->GetCurrentCell(row, col));
    EXPECT_EQ(1u, row);
    EXPECT_EQ(1, pBeam->GetRecordShown());
    EXPECT_EQ(valves, pBeam->GetCountShown());

    Type("SELECT [Description] FROM Components WHERE [Database Number] = 99");
    Command(ID_EXECUTE_QUERY);
    EXPECT_EQ(0, pBeam->GetRecordShown());
    EXPECT_EQ(0, pBeam->GetCountShown());
    EXPECT_TRUE(TakeMessages().empty());
}

// Every statement that is not a plain SELECT asks first, whatever blanks,
// comments or case come before it; No leaves the database as it was.
TEST_F(QueryTest, NothingThatChangesTheDatabaseIsKeptWithoutTheUsersYes)
{
    struct Case
    {
        const char* statement;
        const char* question;  // words the question holds
        const char* check;     // SQL whose answer the statement changes
    };
    const Case cases[] = {
        { "DELETE FROM Nozzles WHERE [Emitter Key] = 215", "DELETE 16 records", "SELECT count(*) FROM Nozzles" },
        { "  \t\r\n delete\tfrom Nozzles", "DELETE 104 records", "SELECT count(*) FROM Nozzles" },
        { "-- clear them all\r\nDELETE\r\nFROM Assemblies", "DELETE 45 records", "SELECT count(*) FROM Assemblies" },
        { "/* renumber */ update Components SET [Order] = 1", "UPDATE 290 records",
          "SELECT count(*) FROM Components WHERE [Order] = 1" },
        { "INSERT INTO Symbols VALUES (99, 'New')", "INSERT 1 records", "SELECT count(*) FROM Symbols" },
        { "DROP TABLE Symbols", "(DROP)", "SELECT count(*) FROM sqlite_master WHERE name = 'Symbols'" },
        { "SELECT * INTO Copy FROM Symbols", "(SELECT)", "SELECT count(*) FROM Symbols" },
        { "CREATE TABLE Extra (a INTEGER)", "(CREATE)", "SELECT count(*) FROM sqlite_master WHERE name = 'Extra'" },
    };
    StartOnQueryTab();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        const std::string before = QueryRows(c.check);
        Type(c.statement);
        Answer({ IDNO });
        Command(ID_EXECUTE_QUERY);
        std::vector<std::string> messages = TakeMessages();
        // SQLite has no SELECT ... INTO: the driver refuses it before anything
        // is asked, and nothing changes either.
        if (std::string(c.statement).find("INTO Copy") != std::string::npos) {
            ASSERT_EQ(1u, messages.size());
            EXPECT_EQ(before, QueryRows(c.check));
            continue;
        }
        ASSERT_EQ(1u, messages.size());
        EXPECT_NE(std::string::npos, messages[0].find(c.question)) << messages[0];
        EXPECT_NE(std::string::npos, messages[0].find("cannot be undone")) << messages[0];
        EXPECT_EQ(before, QueryRows(c.check));
    }
    // Yes keeps the change.
    Type("delete FROM Nozzles WHERE [Emitter Key] = 215");
    Answer({ IDYES });
    Command(ID_EXECUTE_QUERY);
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_EQ(0, QueryLong("SELECT count(*) FROM Nozzles WHERE [Emitter Key] = 215"));
    EXPECT_EQ(88, QueryLong("SELECT count(*) FROM Nozzles"));
}

// A text of several statements runs them in turn: the SELECT fills the
// grid, the DELETE asks. A failing statement stops the ones after it, but
// for a DROP, whose failure is passed over without a word.
TEST_F(QueryTest, StatementsRunInTurnAndAFailureStopsTheRestButForADrop)
{
    StartOnQueryTab();
    Type("SELECT [Description] FROM Components WHERE [Description] LIKE '~%'~"
         "SELECT [Component Key] FROM Components WHERE [Database Number] = 15~\r\n"
         "DELETE FROM Nozzles WHERE [Emitter Key] = 215");
    Answer({ IDYES });
    Command(ID_EXECUTE_QUERY);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("DELETE 16 records"));
    EXPECT_EQ("1 columns: Component Key; " +
                  std::to_string(QueryLong("SELECT count(*) FROM Components WHERE [Database Number] = 15")) + " rows",
              GridShape());
    EXPECT_EQ(0, QueryLong("SELECT count(*) FROM Nozzles WHERE [Emitter Key] = 215"));

    Type("DROP TABLE Nothing~DELETE FROM Nozzles WHERE [Emitter Key] = 216~UPDATE Nothing SET a = 1~"
         "DELETE FROM Nozzles WHERE [Emitter Key] = 217");
    Answer({ IDYES });
    Command(ID_EXECUTE_QUERY);
    messages = TakeMessages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("DELETE 16 records"));
    EXPECT_NE(std::string::npos, messages[1].find("Nothing")) << messages[1];
    EXPECT_EQ(0, QueryLong("SELECT count(*) FROM Nozzles WHERE [Emitter Key] = 216"));
    EXPECT_EQ(16, QueryLong("SELECT count(*) FROM Nozzles WHERE [Emitter Key] = 217"));
}

// Saved queries keep their titles and text across a restart; an edited query
// saved is that query changed, not a second one; another query of the name
// typed is replaced only after the user's yes.
TEST_F(QueryTest, SavedQueriesAreChangedInPlaceAndSurviveARestart)
{
    StartOnQueryTab();
    Type("SELECT *\r\nFROM Components\r\nWHERE [Database Number] = 2");
    TypeName("Valves");
    EXPECT_TRUE(Enabled(ID_SAVE_QUERY));
    Command(ID_SAVE_QUERY);
    Type("SELECT * FROM Components WHERE [Database Number] = 15");
    TypeName("Nozzles");
    Command(ID_SAVE_QUERY);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ((std::vector<std::string>{ "Valves", "Nozzles" }), Titles());
    EXPECT_FALSE(Enabled(ID_SAVE_QUERY));
    EXPECT_TRUE(Enabled(ID_DELETE_QUERY));
    EXPECT_TRUE(Enabled(ID_RELOAD_QUERIES));

    Start(OPTION_SHOW_QUERY_TAB);
    m_pView->SelectTab(TABLE_QUERY);
    EXPECT_EQ((std::vector<std::string>{ "Valves", "Nozzles" }), Titles());
    Choose("Valves");
    EXPECT_EQ("SELECT *\r\nFROM Components\r\nWHERE [Database Number] = 2", PaneText());
    // Typing marks the title, once.
    Type("SELECT * FROM Components WHERE [Database Number] = 3");
    Type("SELECT * FROM Components WHERE [Database Number] = 2 OR [Database Number] = 3");
    EXPECT_EQ("Valves*", ComboText());
    EXPECT_TRUE(Enabled(ID_DELETE_QUERY));
    Command(ID_SAVE_QUERY);
    EXPECT_TRUE(TakeMessages().empty());
    using Q = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ((Q{ { "Valves", "SELECT * FROM Components WHERE [Database Number] = 2 OR [Database Number] = 3" },
                  { "Nozzles", "SELECT * FROM Components WHERE [Database Number] = 15" } }),
              FileQueries());
    EXPECT_EQ("Valves", ComboText());

    // Saved under the name of another query: asked; No changes nothing.
    Type("SELECT 42");
    TypeName("Nozzles");
    Answer({ IDNO });
    Command(ID_SAVE_QUERY);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("already exists"));
    EXPECT_EQ(2u, FileQueries().size());
    EXPECT_EQ("SELECT * FROM Components WHERE [Database Number] = 15", FileQueries()[1].second);
    Answer({ IDYES });
    Command(ID_SAVE_QUERY);
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_EQ((Q{ { "Valves", "SELECT * FROM Components WHERE [Database Number] = 2 OR [Database Number] = 3" },
                  { "Nozzles", "SELECT 42" } }),
              FileQueries());

    // A changed query left for another one is saved under its own title.
    Choose("Valves");
    Type("SELECT 7");
    EXPECT_EQ("Valves*", ComboText());
    Answer({ IDYES });
    Choose("Nozzles");
    messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("has been modified"));
    EXPECT_EQ((Q{ { "Valves", "SELECT 7" }, { "Nozzles", "SELECT 42" } }), FileQueries());
    EXPECT_EQ("SELECT 42", PaneText());

    // An empty name is asked for, and nothing is saved.
    Type("SELECT 8");
    TypeName("  ");
    Command(ID_SAVE_QUERY);
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_EQ(2u, FileQueries().size());
}

TEST_F(QueryTest, DeletingAndReloadingQueries)
{
    {
        CQueryFile file(QueryFilePath().c_str());
        for (const char* title : { "One", "Two", "Three", "Four" })
            file.Add({ title, CString("SELECT '") + title + "'" });
        ASSERT_TRUE(file.Save());
    }
    StartOnQueryTab();
    EXPECT_EQ((std::vector<std::string>{ "One", "Two", "Three", "Four" }), Titles());
    Choose("Two");
    EXPECT_EQ("SELECT 'Two'", PaneText());
    Command(ID_EXECUTE_QUERY);
    EXPECT_EQ("1 columns: 'Two'; 1 rows", GridShape());
    Answer({ IDNO });
    Command(ID_DELETE_QUERY);
    EXPECT_EQ(4u, FileQueries().size());
    Answer({ IDYES });
    Command(ID_DELETE_QUERY);
    EXPECT_EQ(2u, TakeMessages().size());
    using Q = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ((Q{ { "One", "SELECT 'One'" }, { "Three", "SELECT 'Three'" }, { "Four", "SELECT 'Four'" } }),
              FileQueries());
    EXPECT_EQ((std::vector<std::string>{ "One", "Three", "Four" }), Titles());
    // The rows of the query deleted went with it; the pane and name are empty.
    EXPECT_EQ("0 columns:; 0 rows", GridShape());
    EXPECT_EQ("", PaneText());
    EXPECT_EQ("", ComboText());
    EXPECT_FALSE(Enabled(ID_DELETE_QUERY));

    // Another program changes the file; Reload reads it again and keeps the
    // query chosen.
    Choose("Three");
    {
        CQueryFile file(QueryFilePath().c_str());
        file.Load();
        file.Set(file.Find("Three"), { "Three", "SELECT 3" });
        file.Add({ "Five", "SELECT 5" });
        ASSERT_TRUE(file.Save());
    }
    Command(ID_RELOAD_QUERIES);
    EXPECT_EQ((std::vector<std::string>{ "One", "Three", "Four", "Five" }), Titles());
    EXPECT_EQ("Three", ComboText());
    EXPECT_EQ("SELECT 3", PaneText());
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(QueryTest, ADamagedQueryFileIsReportedAndItsReadableQueriesOffered)
{
    {
        std::ofstream out(QueryFilePath(), std::ios::binary);
        out << "[Query1]\r\nTitle=First\r\nSQL=SELECT 1\r\n\x01\x02 broken\r\n[Query3]\r\nTitle=Third\r\nSQL=SELECT 3\r\n";
    }
    StartOnQueryTab();
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("is damaged (line 4)")) << messages[0];
    EXPECT_EQ((std::vector<std::string>{ "First", "Third" }), Titles());
    // Saving keeps the file as it was beside it, and says where.
    Type("SELECT 2");
    TypeName("Second");
    Command(ID_SAVE_QUERY);
    messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find(".damaged")) << messages[0];
    EXPECT_EQ(3u, FileQueries().size());
    EXPECT_NE("", kvtest::FileBytes(QueryFilePath() + ".damaged"));
}

// With the option that runs SELECTs when chosen, a saved SELECT runs at once
// and a saved UPDATE is only loaded.
TEST_F(QueryTest, ChosenSelectsRunAtOnceByOption)
{
    {
        CQueryFile file(QueryFilePath().c_str());
        file.Add({ "Pumps", "SELECT [Description] FROM Components WHERE [Database Number] = 11" });
        file.Add({ "Renumber", "UPDATE Components SET [Order] = 5" });
        ASSERT_TRUE(file.Save());
    }
    StartOnQueryTab(OPTION_EXECUTE_SELECT);
    Choose("Pumps");
    EXPECT_EQ("1 columns: Description; " +
                  std::to_string(QueryLong("SELECT count(*) FROM Components WHERE [Database Number] = 11")) + " rows",
              GridShape());
    Choose("Renumber");
    EXPECT_EQ("UPDATE Components SET [Order] = 5", PaneText());
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(0, QueryLong("SELECT count(*) FROM Components WHERE [Order] = 5"));
}

// A query that drops a table the program needs is told once, plainly,
// naming the table; the window then keeps to the Query tab, where queries
// still run, without a word of the driver's, and it can be closed: without
// saving to have the table back, saving to keep the change.
TEST_F(QueryTest, ADroppedTableTheProgramNeedsIsToldOnceAndTheWindowCloses)
{
    for (int answer : { IDNO, IDYES }) {
        SCOPED_TRACE(answer == IDNO ? "closed without saving" : "closed saving");
        StartOnQueryTab();
        Type("DROP TABLE Components");
        Answer({ IDYES });
        Command(ID_EXECUTE_QUERY);
        std::vector<std::string> messages = TakeMessages();
        ASSERT_EQ(2u, messages.size());
        EXPECT_NE(std::string::npos, messages[0].find("(DROP)")) << messages[0];
        EXPECT_EQ("The database no longer has what the program needs to show its components:\n\nthe table "
                  "Components\n\nOnly the Query tab can be used until it is back. Closing the window without saving "
                  "the changes brings the database back as it was when it was opened.",
                  messages[1]);

        // The component tabs are not shown; the status line says why.
        for (int tab : { TABLE_PIPE, TABLE_VALVE, TABLE_NOZZLE }) {
            m_pView->SelectTab(tab);
            kvtest::PumpMessages();
            EXPECT_EQ(TABLE_QUERY, m_pView->GetCurrentTab());
            EXPECT_EQ(TABLE_QUERY, Grid()->GetTableType());
        }
        EXPECT_EQ("Only the Query tab can be shown: the database lacks what the program needs of a component "
                  "database.",
                  Frame()->GetStatusBar().GetPaneText(0).str());
        Type("SELECT [Name] FROM Symbols");
        Command(ID_EXECUTE_QUERY);
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_EQ(0u, GridShape().find("1 columns: Name;")) << GridShape();

        CFrameWnd* pWindow = m_pView->GetParentFrame();
        Answer({ answer });
        pWindow->SendMessage(WM_CLOSE);
        kvtest::PumpMessages();
        messages = TakeMessages();
        ASSERT_EQ(1u, messages.size());
        EXPECT_EQ(0u, messages[0].find("Do you wish to save your changes?")) << messages[0];
        EXPECT_EQ(nullptr, ActiveView());
        Stop();
        EXPECT_EQ(answer == IDNO ? 1 : 0, QueryLong("SELECT count(*) FROM sqlite_master WHERE name = 'Components'"));
    }
}
