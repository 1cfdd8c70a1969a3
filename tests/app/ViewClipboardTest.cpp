// The main view's clipboard, find and column commands in the running
// program: rows copied as TAB and CR LF text paste back into the columns they
// came from, empty cells included; text from a spreadsheet fills the cells
// from the current one on, a text too long for its column refused cell by
// cell; the Columns menu and the fit modes, kept across a restart; Find next
// from the find list; Undo Record; and the clean-up of orphaned nozzles.
#include "app/AppRes.h"
#include "app/OptionsDlg.h"
#include "app/QueriesAndPasteRes.h"
#include "grids/core/GridClipboard.h"
#include "platform/framework/window/Clipboard.h"
#include "grids/core/GridSettings.h"
#include "grids/core/GridTables.h"
#include "tests/app/DataViewFixture.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cstdlib>

using namespace kvgrid;
using dataviewtest::DataViewTest;

namespace {

class ClipboardTest : public DataViewTest
{
protected:
    static std::string ClipboardText() { return AfxReadClipboardText(nullptr).str(); }
    static void SetClipboardText(const std::string& text) { ASSERT_TRUE(AfxWriteClipboardText(nullptr, text.c_str())); }
    long KeyAt(ROWCOL row)
    {
        Grid()->MoveTo(row);
        return std::atol(Grid()->GetValueRowCol(row, COL_COMPONENT_KEY));
    }
    // The columns the main grid shows now.
    std::vector<int> ShownColumns()
    {
        std::vector<int> shown;
        for (int c = 1; c <= ComponentColumnCount; c++)
            if (!Grid()->IsColHidden((ROWCOL)c))
                shown.push_back(c);
        return shown;
    }
    // n rows of pipes as text from the description on: "Pasted pipe i",
    // its warehouse code "PP-i".
    static std::string PipeRows(int n, int first = 1)
    {
        std::string text;
        for (int i = first; i < first + n; i++)
            text += "Pasted pipe " + std::to_string(i) + "\tPP-" + std::to_string(i) + "\r\n";
        return text;
    }
    // The pipes pasted whole: each "Pasted pipe i" with its code "PP-i".
    long WholePastedPipes()
    {
        return QueryLong("SELECT count(*) FROM Components WHERE [Database Number] = 1 AND RTRIM([Description]) LIKE "
                         "'Pasted pipe %' AND RTRIM([Warehouse Code]) = 'PP-' || substr(RTRIM([Description]), 13)");
    }
    long PastedRows() { return QueryLong("SELECT count(*) FROM Components WHERE [Description] LIKE 'Pasted %'"); }
    // The first stored row of the Pipe tab and its new row.
    ROWCOL NewRow()
    {
        Grid()->OnTestGridDimension(GR_MAXROWCOL, 0);
        return Grid()->GetAppendRow();
    }
    std::string Column(long key, int column)
    {
        static const char* const names[] = {
            "",           "Component Key", "Old id1",  "Old id2",  "Old id3",     "Database Number", "Description",
            "Warehouse Code", "Supplier Code", "Usage", "Major1", "Minor1",        "Major2",          "Minor2",
            "Reals1",     "Reals2",        "Reals3",   "Reals4",   "Reals5",      "Reals6",          "Reals7",
            "Reals8",     "Rextra1",       "Rextra2",  "Rextra3",  "Rextra4",     "Document Index",  "Linetype",
            "Symbol",     "Symbol Size",   "Symbol File", "Colour1", "Colour2",   "Default Nozzle",  "Item Type",
            "Flags",      "Order",
        };
        // Texts as the database compares them, without trailing blanks (the
        // grid fills text columns with blanks to their width).
        return QueryRows("SELECT RTRIM([" + std::string(names[column]) + "]) FROM Components WHERE [Component Key] = " +
                         std::to_string(key));
    }
};

// The progress of a paste, stopped at the nth question.
class StopAt : public CPasteProgress
{
public:
    explicit StopAt(size_t n) : m_nStopAt(n) {}
    void ShowPasteProgress(size_t, size_t) override {}
    void ShowRowPasteProgress(size_t nDone, size_t nCount) override { shown.emplace_back(nDone, nCount); }
    BOOL IsPasteStopped() override { return ++m_nAsked >= m_nStopAt; }
    std::vector<std::pair<size_t, size_t>> shown;

private:
    size_t m_nStopAt;
    size_t m_nAsked = 0;
};

} // namespace

// Two whole rows copied: their shown cells joined by TABs, CR LF between
// them, no line break at the end, an empty cell in its place. Pasted, they
// become two new components with every value in the column it came from.
TEST_F(ClipboardTest, CopiedRowsPasteBackIntoTheColumnsTheyCameFrom)
{
    // The second pipe has no supplier code; its last shown column is empty.
    {
        std::string db = m_database;
        kvtest::RunSqlOn(db, "UPDATE Components SET [Supplier Code] = '' WHERE [Component Key] = "
                             "(SELECT [Component Key] FROM Components WHERE [Database Number] = 1 AND [Flags] = 0 "
                             "ORDER BY [Order], [Major1], [Reals1], [Description] LIMIT 1 OFFSET 1);");
    }
    Start();
    Grid()->SetFocus();
    const long k1 = KeyAt(1), k2 = KeyAt(2);
    const std::vector<int> shown = ShownColumns();
    ASSERT_GT(shown.size(), 3u);
    Grid()->SelectRange(CGRRange().SetRows(1, 2));
    Command(ID_EDIT_COPY);
    const std::string text = ClipboardText();
    std::vector<std::vector<CString>> rows = ParseClipboardText(text.c_str());
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(std::string::npos, text.find("\r\n", text.size() - 2));
    for (size_t r = 0; r < 2; r++) {
        ASSERT_EQ(shown.size(), rows[r].size());
        for (size_t i = 0; i < shown.size(); i++)
            EXPECT_EQ(Grid()->GetCopyTextRowCol((ROWCOL)r + 1, (ROWCOL)shown[i]).str(), rows[r][i].str());
    }
    EXPECT_NE(std::string::npos, text.find("\t\t")) << text;

    const long before = QueryLong("SELECT count(*) FROM Components");
    Command(ID_EDIT_PASTE);
    EXPECT_TRUE(TakeMessages().empty());
    ASSERT_EQ(before + 2, QueryLong("SELECT count(*) FROM Components"));
    const long n1 = QueryLong("SELECT max([Component Key]) - 1 FROM Components");
    const long n2 = n1 + 1;
    for (auto [source, copy] : { std::pair<long, long>{ k1, n1 }, { k2, n2 } }) {
        SCOPED_TRACE("component " + std::to_string(source));
        for (int c : shown) {
            if (c == COL_DESCRIPTION)
                // A copy's description is told apart with "~".
                EXPECT_EQ("~" + Column(source, c), Column(copy, c));
            else if (c >= COL_DESCRIPTION)
                EXPECT_EQ(Column(source, c), Column(copy, c)) << "column " << c;
        }
        EXPECT_EQ(Column(source, COL_DATABASE_NUMBER), Column(copy, COL_DATABASE_NUMBER));
    }
}

// Text from a spreadsheet fills the shown cells from the current one on,
// empty cells included; a text too long for its column is refused with the
// grid's message, and the other cells are pasted.
TEST_F(ClipboardTest, SpreadsheetTextFillsTheCellsFromTheCurrentOneRefusingTooLongTexts)
{
    Start();
    Grid()->SetFocus();
    const long key = KeyAt(1);
    ASSERT_TRUE(Grid()->SetCurrentCell(1, COL_DESCRIPTION));
    // Pipes show the description, the warehouse code and the supplier code
    // side by side.
    const std::vector<int> shown = ShownColumns();
    ASSERT_NE(shown.end(), std::find(shown.begin(), shown.end(), COL_WAREHOUSE_CODE));
    const std::string tooLong(60, 'W');
    // Description, Warehouse Code (too long), then an empty cell.
    SetClipboardText("Pasted pipe\t" + tooLong + "\t\r\n");
    const int next = *std::find_if(shown.begin(), shown.end(), [](int c) { return c > COL_WAREHOUSE_CODE; });
    ASSERT_EQ(COL_SUPPLIER_CODE, next);
    const std::string nextBefore = Column(key, next);
    ASSERT_NE("", nextBefore);
    const std::string codeBefore = Column(key, COL_WAREHOUSE_CODE);
    Command(ID_EDIT_PASTE);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("32")) << messages[0];
    EXPECT_EQ("Pasted pipe", std::string(CString(Column(key, COL_DESCRIPTION).c_str()).TrimRight()));
    EXPECT_EQ(codeBefore, Column(key, COL_WAREHOUSE_CODE));
    // The empty cell emptied the column after the code.
    EXPECT_NE(nextBefore, Column(key, next));
}

// The Columns menu lists the table's columns (the description always
// shown); a choice hides or shows a column and is there at the next start,
// as is the fit mode.
TEST_F(ClipboardTest, TheColumnsMenuAndTheFitModeSurviveARestart)
{
    Start();
    const int field = COL_WAREHOUSE_CODE;
    ASSERT_FALSE(Grid()->IsColHidden(field));
    CMenu menu;
    CMenu* pPopup = nullptr;
    m_pView->GetGridState().bColumnMenu = TRUE;
    ASSERT_TRUE(m_pView->PrepareContextMenu(Grid(), menu, pPopup));
    EXPECT_TRUE(pPopup->GetMenuState(ID_COLUMN_FIRST + COL_DESCRIPTION, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(pPopup->GetMenuState(ID_COLUMN_FIRST + field, MF_BYCOMMAND) & MF_CHECKED);
    CString title;
    pPopup->GetMenuString(ID_COLUMN_FIRST + field, title, MF_BYCOMMAND);
    EXPECT_EQ(std::string::npos, title.str().find('\n'));

    Command(ID_COLUMN_FIRST + field);
    EXPECT_TRUE(Grid()->IsColHidden(field));
    Command(ID_COLUMN_FIRST + COL_DESCRIPTION);
    EXPECT_FALSE(Grid()->IsColHidden(COL_DESCRIPTION));
    const int otherFit = Grid()->GetFitType() == CGridSettings::fitToWindow ? CGridSettings::fitToContent
                                                                             : CGridSettings::fitToWindow;
    Command(otherFit == CGridSettings::fitToWindow ? ID_FIT_TO_WINDOW : ID_FIT_TO_CONTENT);
    EXPECT_EQ(otherFit, Grid()->GetFitType());

    Start();
    EXPECT_TRUE(Grid()->IsColHidden(field));
    EXPECT_EQ(otherFit, Grid()->GetFitType());
    Command(ID_COLUMN_FIRST + field);
    EXPECT_FALSE(Grid()->IsColHidden(field));
    EXPECT_TRUE(Enabled(ID_FIT_TO_CONTENT));
    // On the Query tab there is nothing to fit.
    Start(OPTION_SHOW_QUERY_TAB);
    m_pView->SelectTab(TABLE_QUERY);
    EXPECT_FALSE(Enabled(ID_FIT_TO_CONTENT));
}

// Find next with no text searched yet takes the newest text of the find
// list; Find previous searches upwards.
TEST_F(ClipboardTest, FindNextTakesTheNewestTextOfTheFindList)
{
    Start();
    Frame()->AddFindText("PN10");
    m_pView->SetFindText("");
    Grid()->SetFocus();
    ASSERT_TRUE(Grid()->SetCurrentCell(1, COL_DESCRIPTION));
    Command(ID_FIND_NEXT);
    ROWCOL row = 0, col = 0;
    ASSERT_TRUE(Grid()->GetCurrentCell(row, col));
    EXPECT_NE(std::string::npos, Grid()->GetValueRowCol(row, col).str().find("PN10"));
    const ROWCOL first = row;
    Command(ID_FIND_NEXT);
    Grid()->GetCurrentCell(row, col);
    EXPECT_GT(row, first);
    Command(ID_FIND_PREVIOUS);
    Grid()->GetCurrentCell(row, col);
    EXPECT_EQ(first, row);
}

// Undo Record drops the changes of the current record.
TEST_F(ClipboardTest, UndoRecordDropsTheRecordsChanges)
{
    Start();
    Grid()->SetFocus();
    const long key = KeyAt(1);
    const std::string description = Column(key, COL_DESCRIPTION);
    EXPECT_FALSE(Enabled(ID_UNDO_RECORD));
    ASSERT_TRUE(Grid()->SetControlTextRowCol(1, COL_DESCRIPTION, "Changed but not kept"));
    EXPECT_TRUE(Enabled(ID_UNDO_RECORD));
    Command(ID_UNDO_RECORD);
    EXPECT_FALSE(Enabled(ID_UNDO_RECORD));
    EXPECT_EQ(description, Column(key, COL_DESCRIPTION));
    EXPECT_NE("Changed but not kept", Grid()->GetValueRowCol(1, COL_DESCRIPTION).TrimRight().str());
}

// Links of nozzles to components that are no outlets go unasked; nozzles no
// outlet uses are counted and go only after the user's yes.
TEST_F(ClipboardTest, OrphanedNozzlesGoAfterTheUsersYes)
{
    Start();
    Command(ID_DELETE_ORPHAN_NOZZLES);
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("0 orphaned nozzles were found in the database.", messages[0]);
    EXPECT_EQ(TABLE_NOZZLE, m_pView->GetCurrentTab());
    Stop();

    // Nozzles 196 and 197 used by no outlet; a link from a valve and one
    // from a component that has gone.
    kvtest::RunSqlOn(m_database, "DELETE FROM Nozzles WHERE [Nozzle Key] IN (196, 197);\n"
                                 "INSERT INTO Nozzles VALUES (76, 182);\n"
                                 "INSERT INTO Nozzles VALUES (9999, 183);\n"
                                 "INSERT INTO Assemblies VALUES (288, 196, 1);");
    const long links = QueryLong("SELECT count(*) FROM Nozzles");
    Start();
    Answer({ IDNO });
    Command(ID_DELETE_ORPHAN_NOZZLES);
    messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("2 orphaned nozzles were found in the database.\nAre you sure you wish to delete them?", messages[0]);
    EXPECT_EQ(links - 2, QueryLong("SELECT count(*) FROM Nozzles"));
    EXPECT_EQ(2, QueryLong("SELECT count(*) FROM Components WHERE [Component Key] IN (196, 197)"));

    Answer({ IDYES });
    Command(ID_DELETE_ORPHAN_NOZZLES);
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_EQ(0, QueryLong("SELECT count(*) FROM Components WHERE [Component Key] IN (196, 197)"));
    // Nothing names them any more.
    EXPECT_EQ(0, QueryLong("SELECT count(*) FROM Assemblies WHERE [Item Key] = 196"));
}

// Pasted text that is not text in the program's encoding (binary data, text
// of another code page) is refused whole, whatever it is pasted into, before
// anything of it is stored, with a message that says so.
TEST_F(ClipboardTest, TextThatIsNoUtf8IsRefusedBeforeAnythingIsStored)
{
    struct Case
    {
        const char* name;
        std::string text;
        bool oneCell;  // one cell selected: the grid's own paste
        const char* line;
    };
    const Case cases[] = {
        { "rows with a Latin-1 letter on the third", PipeRows(2) + "Pasted pipe 3 \xE9t\xE9\tPP-3\r\n", false, "line 3" },
        { "binary data", "MZ\x90\x01\x03\x02\x04\xFF\xFE\r\n\x01", false, "line 1" },
        { "one value of another code page into one cell", "Pasted pipe \x96 1", true, "line 1" },
    };
    Start();
    Grid()->SetFocus();
    const std::string before = QueryRows("SELECT * FROM Components ORDER BY [Component Key]");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Grid()->SetCurrentCell(1, COL_DESCRIPTION));
        // The clipboard takes the bytes as they are.
        {
            const std::string& t = c.text;
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, t.size() + 1);
            memcpy(GlobalLock(h), t.c_str(), t.size() + 1);
            GlobalUnlock(h);
            SetClipboardData(CF_TEXT, h);
            CloseClipboard();
        }
        Command(ID_EDIT_PASTE);
        const std::vector<std::string> messages = TakeMessages();
        ASSERT_EQ(1u, messages.size());
        EXPECT_NE(std::string::npos, messages[0].find("not text")) << messages[0];
        EXPECT_NE(std::string::npos, messages[0].find(c.line)) << messages[0];
        EXPECT_NE(std::string::npos, messages[0].find("Nothing was pasted")) << messages[0];
        EXPECT_FALSE(Grid()->IsRecordDirty());
        EXPECT_EQ(before, QueryRows("SELECT * FROM Components ORDER BY [Component Key]"));
    }
}

// A paste of several rows that replaces stored components says how many,
// and which rows, before anything is stored: No leaves them as they were,
// Yes replaces them (and adds the rows beyond the stored ones). A paste
// into the new row replaces nothing and asks nothing.
TEST_F(ClipboardTest, APasteThatReplacesStoredRowsAsksFirst)
{
    Start();
    Grid()->SetFocus();
    const ROWCOL last = NewRow() - 1;
    ASSERT_GT(last, 3u);
    const long before = QueryLong("SELECT count(*) FROM Components");
    struct Case
    {
        const char* name;
        ROWCOL row;
        int rows;
        int answer;
        std::string question;  // empty: none
        long replaced, added;
    };
    const std::string lastRow = std::to_string(last);
    const Case cases[] = {
        { "three rows from the first, No", 1, 3, IDNO,
          "Pasting these 3 rows from row 1 on replaces what 3 stored components hold (rows 1 to 3).", 0, 0 },
        { "three rows from the first, Yes", 1, 3, IDYES,
          "Pasting these 3 rows from row 1 on replaces what 3 stored components hold (rows 1 to 3).", 3, 0 },
        { "three rows from the last stored one", last, 3, IDYES,
          "Pasting these 3 rows from row " + lastRow + " on replaces what 1 stored components hold (rows " + lastRow +
              " to " + lastRow + ") and adds 2 new ones.",
          1, 2 },
        { "three rows into the new row", last + 3, 3, IDYES, "", 0, 3 },
    };
    long replacedSoFar = 0, addedSoFar = 0;
    int first = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Grid()->SetCurrentCell(c.row, COL_DESCRIPTION));
        SetClipboardText(PipeRows(c.rows, first));
        first += c.rows;
        Answer({ c.answer });
        Command(ID_EDIT_PASTE);
        const std::vector<std::string> messages = TakeMessages();
        if (c.question.empty()) {
            EXPECT_TRUE(messages.empty());
        }
        else {
            ASSERT_EQ(1u, messages.size());
            EXPECT_EQ(0u, messages[0].find(c.question)) << messages[0];
        }
        replacedSoFar += c.replaced;
        addedSoFar += c.added;
        EXPECT_EQ(before + addedSoFar, QueryLong("SELECT count(*) FROM Components"));
        EXPECT_EQ(replacedSoFar + addedSoFar, WholePastedPipes());
        EXPECT_EQ(replacedSoFar + addedSoFar, PastedRows());
        EXPECT_FALSE(Grid()->IsRecordDirty());
    }
}

// A long paste shows its progress and stops when asked: the rows stored
// before the stop are kept whole, across the batches it stores them in,
// and nothing after them; the user is told how far it went.
TEST_F(ClipboardTest, AStoppedPasteKeepsTheWholeRowsStoredBeforeTheStop)
{
    Start();
    Grid()->SetFocus();
    const long before = QueryLong("SELECT count(*) FROM Components");
    const ROWCOL newRow = NewRow();
    ASSERT_TRUE(Grid()->SetCurrentCell(newRow, COL_DESCRIPTION));
    SetClipboardText(PipeRows(600));
    StopAt progress(310);
    m_pView->GetClipboard().PasteRows(&progress);
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("The paste was stopped after 310 of 600 rows. Those rows are stored; the others were not pasted.",
              messages[0]);
    EXPECT_EQ(before + 310, QueryLong("SELECT count(*) FROM Components"));
    EXPECT_EQ(310, WholePastedPipes());
    EXPECT_EQ(0, QueryLong("SELECT count(*) FROM Components WHERE RTRIM([Description]) = 'Pasted pipe 311'"));
    // Every 50 rows, and the end.
    ASSERT_FALSE(progress.shown.empty());
    EXPECT_EQ((std::pair<size_t, size_t>(50, 600)), progress.shown.front());
    EXPECT_EQ((std::pair<size_t, size_t>(600, 600)), progress.shown.back());
    // The grid shows what the database holds, and takes the next paste.
    EXPECT_EQ(newRow + 310, NewRow());
    EXPECT_NE(std::string::npos, Grid()->GetValueRowCol(newRow + 309, COL_DESCRIPTION).str().find("Pasted pipe 310"));
    EXPECT_FALSE(Grid()->IsRecordDirty());
}

// Escape pressed during a paste stops it after the row being stored; the
// status line shows the idle text again.
TEST_F(ClipboardTest, EscapeStopsAPasteOfTheEditMenu)
{
    Start();
    Grid()->SetFocus();
    const long before = QueryLong("SELECT count(*) FROM Components");
    ASSERT_TRUE(Grid()->SetCurrentCell(NewRow(), COL_DESCRIPTION));
    SetClipboardText(PipeRows(20));
    Grid()->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    Command(ID_EDIT_PASTE);
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(0u, messages[0].find("The paste was stopped after 1 of 20 rows.")) << messages[0];
    EXPECT_EQ(before + 1, QueryLong("SELECT count(*) FROM Components"));
    EXPECT_EQ(1, WholePastedPipes());
    EXPECT_EQ("Ready", Frame()->GetStatusBar().GetPaneText(0).str());
}

// A row the grid refuses (no description) ends the paste: the cell says
// why, then the paste says which row it was and what became of the rows;
// the rows before it are stored, it and the rows after it are not, and the
// grid keeps nothing of it as a pending change.
TEST_F(ClipboardTest, ARefusedRowEndsThePasteKeepingTheRowsBeforeIt)
{
    Start();
    Grid()->SetFocus();
    const long before = QueryLong("SELECT count(*) FROM Components");
    ASSERT_TRUE(Grid()->SetCurrentCell(NewRow(), COL_DESCRIPTION));
    SetClipboardText(PipeRows(3) + "\tPP-4\r\n" + PipeRows(2, 5));
    Command(ID_EDIT_PASTE);
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("The description cannot be blank.", messages[0]);
    EXPECT_EQ("Row 4 of the pasted text could not be stored:\n\nThe description cannot be blank.\n\nThe 3 rows "
              "before it are stored; it and the rows after it were not pasted.",
              messages[1]);
    EXPECT_FALSE(Grid()->IsRecordDirty());
    EXPECT_EQ(before + 3, QueryLong("SELECT count(*) FROM Components"));
    EXPECT_EQ(3, WholePastedPipes());
    EXPECT_EQ(0, QueryLong("SELECT count(*) FROM Components WHERE RTRIM([Warehouse Code]) IN ('PP-4', 'PP-5')"));
}
