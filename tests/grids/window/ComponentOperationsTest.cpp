// What the component grid does with whole components, in a window over a copy
// of the sample database: storing from an editor through the grid's row or by
// key, the duplicate rules, pasting within the database, deleting with
// the rows that belong to a component, building assemblies and nozzle lists,
// and finding a component.
#include "tests/grids/window/GridWindowFixture.h"
#include "database/records/ComponentTexts.h"
#include "database/records/DatabaseChangeNotice.h"
#include "grids/core/ComponentStore.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TimerScript.h"

#include <deque>
#include <functional>

using namespace gridwindowtest;
using namespace kvgrid;

namespace {

ROWCOL CurrentRowOf(CGridWindow& grid)
{
    ROWCOL row = 0, col = 0;
    grid.GetCurrentCell(row, col);
    return row;
}

bool Contains(const std::vector<std::string>& texts, const std::string& part)
{
    for (const std::string& t : texts)
        if (t.find(part) != std::string::npos)
            return true;
    return false;
}

// Every column of a component (key left out) as the database holds it.
std::vector<std::string> Columns(const ComponentFields& record)
{
    std::vector<std::string> texts;
    for (int c = 2; c <= (int)ComponentFields::FieldCount; c++)
    {
        CString text = ComponentColumnText(record, c);
        texts.push_back(text.TrimRight().str());
    }
    return texts;
}

class ComponentOperationsTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        SetDatabaseChangeSink(&m_sink);
        // Message boxes take the answers queued for them, then m_nAnswer.
        GRGetAppState()->m_pfnMessageBox = [this](HWND, LPCTSTR text, UINT) {
            m_messages.push_back(text ? text : "");
            if (m_answers.empty())
                return m_nAnswer;
            int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        };
        m_pGrid->passThrough = true;
    }
    void TearDown() override
    {
        SetDatabaseChangeSink(nullptr);
        GridWindowTest::TearDown();
    }

    CDatabase* Db() { return m_pView->GetDatabase(); }
    CGridState& State() { return m_pView->GetGridState(); }
    void Run(const std::string& sql) { Db()->ExecuteSQL(sql.c_str()); }
    long Count(const std::string& sql) { return QueryLong("SELECT count(*) FROM " + sql); }
    std::string Description(long nKey)
    {
        return Query("SELECT RTRIM([Description]) FROM Components WHERE [Component Key] = " + std::to_string(nKey));
    }
    CRecords Record(long nKey)
    {
        CRecords rs(Db());
        EXPECT_TRUE(rs.OpenByKey(nKey)) << nKey;
        CRecords copy(rs);
        rs.CloseQuietly();
        return copy;
    }
    // The row of a component in the shown table; 0 when it has none.
    ROWCOL RowOf(long nKey)
    {
        ROWCOL append = m_pGrid->GetAppendRow();
        for (ROWCOL r = 1; r < append; r++)
            if (KeyOfRow(r) == nKey)
                return r;
        return 0;
    }
    void Select(long nKey) { ASSERT_TRUE(m_pGrid->SetCurrentCell(RowOf(nKey), COL_DESCRIPTION)); }
    void ClickHeader(long nKey) { m_pGrid->OnLButtonClickedRowCol(RowOf(nKey), 0, 0, CPoint()); }
    long NewestKey() { return QueryLong("SELECT max([Component Key]) FROM Components"); }

    // The main frame's paste of a component of this database, step by step
    // on the grid.
    bool Paste(long nKey)
    {
        if (!m_pGrid->PromptSaveRecord("Do you wish to save the changes to the current record?", FALSE))
            return false;
        CRecords record = Record(nKey);
        int table = TABLE_QUERY;
        if (record.m_nDatabaseNumber == DBNUM_PIPE)
            table = (record.m_nFlags & COMPONENT_FLAG_TAPE) ? TABLE_TAPE : TABLE_PIPE;
        for (int t = TABLE_VALVE; t < TABLE_QUERY && table == TABLE_QUERY; t++)
            if (GetTableDatabaseNumber(t) == record.m_nDatabaseNumber)
                table = t;
        if (table != m_pGrid->GetTableType())
            Show(table);
        m_pGrid->OnInfoWndMoveRecord(GR_MOVE_NEW, 0);
        m_pGrid->BeginDialogEdit(CGridWindow::editAdding);
        m_pGrid->SetCopyAssemblyItems((record.m_nFlags & COMPONENT_FLAG_ASSEMBLY) != 0);
        m_pGrid->SetCopyNozzles(record.m_nDatabaseNumber == DBNUM_OUTLET);
        CTapeExtras extras(nullptr);
        const CTapeExtras* pExtras = nullptr;
        if (table == TABLE_TAPE)
        {
            if (CTapeExtras* pFound = m_pGrid->FindTapeExtras(nKey))
            {
                State().bTapeExtrasReady = TRUE;
                State().bSkipDuplicateTest = FALSE;
                extras = *pFound;
                pExtras = &extras;
            }
        }
        bool stored = m_pGrid->CopyComponent(record, pExtras) != FALSE;
        State().bSkipDuplicateTest = TRUE;
        return stored;
    }

    // Starts building (or editing) an assembly, as the view's Edit Assembly.
    void BuildAssembly(long nKey)
    {
        State().nAssemblyKey = nKey;
        m_pGrid->SetAssemblyMode(TRUE);
    }
    std::string Items(long nAssemblyKey)
    {
        return kvtest::QueryRows(m_path, "SELECT [Item Key], [Number/Length] FROM Assemblies WHERE [Assembly Key] = " +
                                             std::to_string(nAssemblyKey) + " ORDER BY [Item Key]");
    }

    struct CountingSink : CDatabaseChangeSink
    {
        int n = 0;
        void DatabaseChanged() override { n++; }
    } m_sink;
    std::deque<int> m_answers;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Storing

TEST_F(ComponentOperationsTest, AComponentFromItsEditorLandsInItsOwnRowInDatabaseUnits)
{
    // Shown in inches and feet: what is stored is what the editor gives.
    Units().m_Diameter.SetUnit(LENGTH_IN);
    Units().m_Length.SetUnit(LENGTH_FT);
    ApplyUnits();
    Show(TABLE_VALVE);
    const long before = Count("Components");

    // Add Component: a new valve made from valve 75; meanwhile the user
    // clicks another row.
    Select(75);
    ASSERT_TRUE(m_pGrid->PromptSaveRecord("save?", FALSE));
    CRecords added = Record(75);
    ASSERT_TRUE(m_pGrid->OnInfoWndMoveRecord(GR_MOVE_NEW, 0));
    m_pGrid->BeginDialogEdit(CGridWindow::editAdding);
    EXPECT_TRUE(m_pGrid->IsReadOnly());
    added.m_strDescription = "Gate valve 40 mm";
    added.m_strWarehouseCode = "GV-040";
    added.m_fReals1 = 40.0f;
    added.m_fRextra2 = 12.5f;
    added.m_nColour1 = 255;
    added.m_nOrder = 20;
    const long other = KeyOfRow(2);
    const std::vector<std::string> otherBefore = Columns(Record(other));
    ASSERT_TRUE(m_pGrid->SetCurrentCell(2, COL_DESCRIPTION));
    ASSERT_TRUE(m_pGrid->DuplicateComponent(added, nullptr));
    EXPECT_EQ(before + 1, Count("Components"));
    const long key = NewestKey();
    EXPECT_EQ(Columns(added), Columns(Record(key)));
    EXPECT_EQ(otherBefore, Columns(Record(other)));
    EXPECT_EQ(key, KeyOfRow(CurrentRowOf(*m_pGrid)));
    EXPECT_FALSE(m_pGrid->IsReadOnly());
    EXPECT_EQ(CGridWindow::editNone, m_pGrid->GetEditState());

    // Edit Component: the changed valve goes back into its own row.
    Select(75);
    m_pGrid->BeginDialogEdit(CGridWindow::editExisting);
    CRecords edited = Record(75);
    edited.m_fReals3 = 7.25f;
    ASSERT_TRUE(m_pGrid->SetCurrentCell(3, COL_DESCRIPTION));
    const long third = KeyOfRow(3);
    const std::vector<std::string> thirdBefore = Columns(Record(third));
    ASSERT_TRUE(m_pGrid->DuplicateComponent(edited, nullptr));
    EXPECT_EQ(before + 1, Count("Components"));
    EXPECT_EQ(Columns(edited), Columns(Record(75)));
    EXPECT_EQ(thirdBefore, Columns(Record(third)));
    EXPECT_EQ(75, KeyOfRow(CurrentRowOf(*m_pGrid)));
    // A store through the row tells the design program nothing.
    EXPECT_EQ(0, m_sink.n);
    EXPECT_TRUE(TakeMessages().empty());
}

// However the grid writes a component, its texts are stored one way: padded
// with blanks to their columns' widths, so that a query for a text finds
// every row that holds it or none. What Find and Replace see and what Copy
// puts on the clipboard is the text without those blanks.
TEST_F(ComponentOperationsTest, EveryWayTheGridWritesAComponentPadsItsTextsToTheColumnsWidths)
{
    // The valves as another program may have left them: no text padded.
    Run("UPDATE Components SET [Description] = RTRIM([Description]), [Warehouse Code] = RTRIM([Warehouse Code]), "
        "[Supplier Code] = RTRIM([Supplier Code]), [Usage] = RTRIM([Usage]), [Major2] = RTRIM([Major2]), "
        "[Minor2] = RTRIM([Minor2]) WHERE [Database Number] = 2");
    Run("UPDATE Components SET [Description] = 'Solenoid valve Qz', [Warehouse Code] = 'SV-Qz' "
        "WHERE [Component Key] = 77");
    Show(TABLE_VALVE);
    ShowColumns({ COL_DESCRIPTION, COL_WAREHOUSE_CODE });
    CTapeExtras none(nullptr);

    struct Case
    {
        const char* path;
        std::function<long()> write;  // the key of the row written
        std::string description;      // what was written, without padding
        std::string code;
        bool wholeRow;                // every column written, not only the texts given
    };
    const std::string copied = "~" + Description(79);
    const Case cases[] = {
        { "typed into cells",
          [&] {
              TypeIntoCell(RowOf(75), COL_DESCRIPTION, "Valve A");
              TypeIntoCell(RowOf(75), COL_WAREHOUSE_CODE, "VA-1");
              EXPECT_TRUE(StoreRow());
              return 75L;
          },
          "Valve A", "VA-1", false },
        { "pasted into cells",
          [&] {
              EXPECT_TRUE(m_pGrid->SetControlTextRowCol(RowOf(76), COL_DESCRIPTION, "Valve B"));
              EXPECT_TRUE(m_pGrid->SetControlTextRowCol(RowOf(76), COL_WAREHOUSE_CODE, "VB-1"));
              EXPECT_TRUE(StoreRow());
              return 76L;
          },
          "Valve B", "VB-1", false },
        { "replaced",
          [&] {
              Select(77);
              m_pGrid->OnReplaceAll("Qz", "C", TRUE);
              EXPECT_EQ(1u, TakeMessages().size());  // how many were replaced
              EXPECT_TRUE(StoreRow());
              return 77L;
          },
          "Solenoid valve C", "SV-C", false },
        { "stored by key",
          [&] {
              CRecords valve = Record(78);
              valve.m_strDescription = "Valve D";
              valve.m_strWarehouseCode = "VD-1";
              EXPECT_TRUE(m_pGrid->SaveComponent(valve, CTapeRecords(valve, none)));
              return 78L;
          },
          "Valve D", "VD-1", true },
        { "copied within the database",
          [&] {
              EXPECT_TRUE(Paste(79));
              return NewestKey();
          },
          copied, Query("SELECT [Warehouse Code] FROM Components WHERE [Component Key] = 79"), true },
        { "typed into a new row",
          [&] {
              Show(TABLE_VALVE);
              TypeIntoCell(m_pGrid->GetAppendRow(), COL_DESCRIPTION, "Valve F");
              EXPECT_TRUE(StoreRow());
              return NewestKey();
          },
          "Valve F", "", true },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.path);
        const long key = c.write();
        const std::string where = " FROM Components WHERE [Component Key] = " + std::to_string(key);
        EXPECT_EQ(kvrecords::PadToLength(c.description.c_str(), 50).str(), Query("SELECT [Description]" + where));
        EXPECT_EQ(kvrecords::PadToLength(c.code.c_str(), 32).str(), Query("SELECT [Warehouse Code]" + where));
        if (c.wholeRow)
            EXPECT_EQ("4,3,6,6,6,6,10,3",
                      Query("SELECT LENGTH([Supplier Code]) || ',' || LENGTH([Usage]) || ',' || LENGTH([Major1]) || "
                            "',' || LENGTH([Minor1]) || ',' || LENGTH([Major2]) || ',' || LENGTH([Minor2]) || ',' || "
                            "LENGTH([Default Nozzle]) || ',' || LENGTH([Item Type])" + where));
    }
    EXPECT_TRUE(TakeMessages().empty());

    // The blanks that pad a text are neither found nor replaced, nor copied.
    Show(TABLE_VALVE);
    Select(75);
    m_pGrid->OnReplaceSel("A ", TRUE, TRUE, "B");
    TakeMessages();  // what the search after the replace found
    EXPECT_TRUE(StoreRow());
    EXPECT_EQ("Valve A", Description(75));
    EXPECT_EQ(CString("Valve A"), m_pGrid->GetCopyTextRowCol(RowOf(75), COL_DESCRIPTION));
    EXPECT_EQ(CString("VA-1"), m_pGrid->GetCopyTextRowCol(RowOf(75), COL_WAREHOUSE_CODE));
}

TEST_F(ComponentOperationsTest, ATapeIsStoredWithItsTapesValues)
{
    Show(TABLE_TAPE);
    Select(59);
    m_pGrid->BeginDialogEdit(CGridWindow::editExisting);
    CRecords record = Record(59);
    CTapeExtras extras(Db());
    ASSERT_TRUE(extras.OpenByPipeKey(59));
    CTapeRecords tape(record, extras);
    extras.CloseQuietly();
    tape.m_fTapeReals4 = 0.33f;
    tape.m_strFlowCalcType = "FLOW";
    ASSERT_TRUE(m_pGrid->DuplicateComponent(record, &tape));
    EXPECT_EQ(1, Count("Tapes WHERE [Pipe Key] = 59"));
    EXPECT_NEAR(0.33, std::atof(Query("SELECT [Reals4] FROM Tapes WHERE [Pipe Key] = 59").c_str()), 1e-6);
    EXPECT_EQ("FLOW", Query("SELECT [Flow Calc Type] FROM Tapes WHERE [Pipe Key] = 59"));

    // A new tape gets a Tapes row of its own with the editor's values.
    const long tapes = Count("Tapes");
    ASSERT_TRUE(m_pGrid->OnInfoWndMoveRecord(GR_MOVE_NEW, 0));
    m_pGrid->BeginDialogEdit(CGridWindow::editAdding);
    record.m_strDescription = "Drip line 16 mm";
    tape.m_fTapeReals4 = 0.5f;
    ASSERT_TRUE(m_pGrid->DuplicateComponent(record, &tape));
    const long key = NewestKey();
    EXPECT_EQ(tapes + 1, Count("Tapes"));
    EXPECT_NEAR(0.5, std::atof(Query("SELECT [Reals4] FROM Tapes WHERE [Pipe Key] = " + std::to_string(key)).c_str()),
                1e-6);
    EXPECT_EQ(key, KeyOfRow(CurrentRowOf(*m_pGrid)));
}

TEST_F(ComponentOperationsTest, AStoreByKeyTellsTheDesignProgramOnceAndOnlyWhenItStored)
{
    CTapeExtras none(nullptr);
    // An existing pipe: stored, announced once.
    CRecords pipe = Record(35);
    pipe.m_fReals3 = 0.015f;
    EXPECT_TRUE(m_pGrid->SaveComponent(pipe, CTapeRecords(pipe, none)));
    EXPECT_EQ(1, m_sink.n);
    // An existing valve: stored, nothing said.
    CRecords valve = Record(76);
    valve.m_fReals3 = 3.0f;
    EXPECT_TRUE(m_pGrid->SaveComponent(valve, CTapeRecords(valve, none)));
    EXPECT_EQ(1, m_sink.n);
    EXPECT_EQ(3.0, std::atof(Query("SELECT [Reals3] FROM Components WHERE [Component Key] = 76").c_str()));
    // A store the database refuses: the user is told, the design program is not.
    Run("CREATE TRIGGER refuse BEFORE UPDATE ON Components BEGIN SELECT RAISE(ABORT, 'refused'); END");
    pipe.m_fReals3 = 0.02f;
    EXPECT_FALSE(m_pGrid->SaveComponent(pipe, CTapeRecords(pipe, none)));
    EXPECT_EQ(1, m_sink.n);
    EXPECT_TRUE(Contains(TakeMessages(), "refused"));
    EXPECT_NEAR(0.015, std::atof(Query("SELECT [Reals3] FROM Components WHERE [Component Key] = 35").c_str()), 1e-6);
}

// Through the grid's row a new or edited twin is stored under "~" and its
// description, whatever the duplicate-test switch holds; by key a twin is
// refused with a message while the switch asks for the test, and stored as
// it is while the switch is off (an existing component edited).
TEST_F(ComponentOperationsTest, ATwinIsRenamedThroughTheRowAndRefusedByKeyWhenTested)
{
    Run("UPDATE Components SET [Description] = 'O''Brien valve' WHERE [Component Key] = 77");
    const CString code75 = Record(75).m_strWarehouseCode, code76 = Record(76).m_strWarehouseCode,
                  code77 = Record(77).m_strWarehouseCode, code78 = Record(78).m_strWarehouseCode;
    enum Path { adding, editing, byKey };
    struct Case
    {
        const char* name;
        Path path;
        BOOL bSkipTest;         // the duplicate-test switch
        long from;              // the component the record is made from
        const char* description;
        CString code;
        bool stored;
        const char* storedAs;   // the description stored
    };
    const Case cases[] = {
        { "new twin of another valve", adding, FALSE, 76, "Solenoid valve 20 mm", code75, true, "~Solenoid valve 20 mm" },
        { "new twin with a quote", adding, FALSE, 76, "O'Brien valve", code77, true, "~O'Brien valve" },
        { "new twin in other letters' case", adding, FALSE, 75, "SOLENOID VALVE 25 MM", CString(code76).MakeLower(),
          true, "~SOLENOID VALVE 25 MM" },
        { "new, same description, other code", adding, FALSE, 76, "Solenoid valve 20 mm", "SV-999", true,
          "Solenoid valve 20 mm" },
        { "new, twin of a pipe", adding, FALSE, 76, "PVC Class 9 40 mm", "PVC9-040", true, "PVC Class 9 40 mm" },
        // The new twin above has the first "~" already.
        { "edited into a twin", editing, TRUE, 76, "Solenoid valve 20 mm", code75, true, "~~Solenoid valve 20 mm" },
        { "edited into a twin, switch off", editing, FALSE, 79, "Solenoid valve 50 mm", code78, true,
          "~Solenoid valve 50 mm" },
        { "edited into a twin with a quote", editing, TRUE, 78, "O'Brien valve", code77, true, "~~O'Brien valve" },
        { "edited, keeping its own description", editing, TRUE, 76, "Solenoid valve 25 mm", code76, true,
          "Solenoid valve 25 mm" },
        { "by key into a twin", byKey, FALSE, 76, "Solenoid valve 20 mm", code75, false, nullptr },
        { "by key into a twin with a quote", byKey, FALSE, 78, "O'Brien valve", code77, false, nullptr },
        { "by key into a twin in other letters' case", byKey, FALSE, 78, "o'brien VALVE", code77, false, nullptr },
        { "by key into a twin, no test", byKey, TRUE, 78, "O'Brien valve", code77, true, "O'Brien valve" },
    };
    Show(TABLE_VALVE);
    CTapeExtras none(nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const long before = Count("Components");
        const std::string description = Description(c.from);
        CRecords record = Record(c.from);
        record.m_strDescription = c.description;
        record.m_strWarehouseCode = c.code;
        State().bSkipDuplicateTest = c.bSkipTest;
        BOOL bStored = FALSE;
        if (c.path == byKey)
        {
            bStored = m_pGrid->SaveComponent(record, CTapeRecords(record, none));
        }
        else
        {
            Select(c.from);
            if (c.path == adding)
                m_pGrid->OnInfoWndMoveRecord(GR_MOVE_NEW, 0);
            m_pGrid->BeginDialogEdit(c.path == adding ? CGridWindow::editAdding : CGridWindow::editExisting);
            bStored = m_pGrid->DuplicateComponent(record, nullptr);
            m_pGrid->EndDialogEdit();
        }
        State().bSkipDuplicateTest = TRUE;
        EXPECT_EQ(c.stored, bStored != FALSE);
        std::vector<std::string> messages = TakeMessages();
        if (!c.stored)
        {
            EXPECT_EQ(before, Count("Components"));
            EXPECT_EQ(description, Description(c.from));
            EXPECT_TRUE(Contains(messages, std::string("The component '") + c.description + "' already exists"));
            continue;
        }
        EXPECT_TRUE(messages.empty());
        long key = c.path == adding ? NewestKey() : c.from;
        EXPECT_EQ(before + (c.path == adding ? 1 : 0), Count("Components"));
        EXPECT_EQ(c.storedAs, Description(key));
    }
}

TEST_F(ComponentOperationsTest, PastingWithinTheDatabaseRenamesAndTakesTheRowsAlong)
{
    Show(TABLE_VALVE);
    ASSERT_TRUE(Paste(75));
    const long first = NewestKey();
    ASSERT_TRUE(Paste(75));
    const long second = NewestKey();
    EXPECT_EQ("~Solenoid valve 20 mm", Description(first));
    EXPECT_EQ("~~Solenoid valve 20 mm", Description(second));
    EXPECT_EQ(second, KeyOfRow(CurrentRowOf(*m_pGrid)));

    // An assembly takes its items, shown in the items grid.
    ASSERT_TRUE(Paste(281));
    const long assembly = NewestKey();
    EXPECT_EQ(Items(281), Items(assembly));
    EXPECT_EQ(assembly, m_assem.GetShownKey());
    EXPECT_FALSE(State().bCopyAssemblyItems);

    // An outlet its nozzles.
    ASSERT_TRUE(Paste(215));
    const long outlet = NewestKey();
    EXPECT_EQ(16, Count("Nozzles WHERE [Emitter Key] = " + std::to_string(outlet)));
    EXPECT_FALSE(State().bCopyNozzles);

    // A tape its Tapes values.
    ASSERT_TRUE(Paste(59));
    const long tape = NewestKey();
    EXPECT_EQ(kvtest::QueryRows(m_path, "SELECT [Flow Calc Type], [Reals1], [Reals2], [Reals3], [Reals4], [Reals5], "
                                        "[Reals6], [Rextra1], [Rextra2], [Rextra3], [Rextra4] FROM Tapes WHERE "
                                        "[Pipe Key] = 59"),
              kvtest::QueryRows(m_path, "SELECT [Flow Calc Type], [Reals1], [Reals2], [Reals3], [Reals4], [Reals5], "
                                        "[Reals6], [Rextra1], [Rextra2], [Rextra3], [Rextra4] FROM Tapes WHERE "
                                        "[Pipe Key] = " +
                                            std::to_string(tape)));
    EXPECT_EQ(tape, KeyOfRow(CurrentRowOf(*m_pGrid)));
    // Only the new Tapes row was announced.
    EXPECT_EQ(1, m_sink.n);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ComponentOperationsTest, APendingRowIsStoredDroppedOrKeptAsTheUserSays)
{
    Show(TABLE_VALVE);
    EXPECT_TRUE(m_pGrid->PromptSaveRecord("Save?", FALSE));
    EXPECT_TRUE(TakeMessages().empty());
    const long key = KeyOfRow(2);
    const std::string description = Description(key);

    auto change = [&](const char* text) {
        TypeIntoCell(2, COL_DESCRIPTION, text);
        ASSERT_TRUE(m_pGrid->TransferCurrentCell());
    };
    change("Changed valve");
    m_answers = { IDCANCEL };
    EXPECT_FALSE(m_pGrid->PromptSaveRecord("Save?", FALSE));
    EXPECT_NE(GR_EDITMODE_NONE, m_pGrid->GetEditMode());
    m_answers = { IDNO };
    EXPECT_TRUE(m_pGrid->PromptSaveRecord("Save?", TRUE));
    EXPECT_EQ(GR_EDITMODE_NONE, m_pGrid->GetEditMode());
    EXPECT_EQ(description, Description(key));
    EXPECT_EQ((std::vector<std::string>{ "Save?", "Save?" }), TakeMessages());

    change("Changed valve");
    m_answers = { IDYES };
    EXPECT_TRUE(m_pGrid->PromptSaveRecord("Save?", FALSE));
    EXPECT_EQ("Changed valve", Description(key));
    m_pView->options = GRID_OPTION_STORE_WITHOUT_ASKING;
    change("Changed again");
    TakeMessages();
    EXPECT_TRUE(m_pGrid->PromptSaveRecord("Save?", FALSE));
    EXPECT_EQ("Changed again", Description(key));
    EXPECT_TRUE(TakeMessages().empty());
    // A row that cannot be stored is no answer to go on with.
    change("");
    EXPECT_FALSE(m_pGrid->PromptSaveRecord("Save?", FALSE));
    EXPECT_TRUE(Contains(TakeMessages(), "The description cannot be blank."));
    EXPECT_EQ("Changed again", Description(key));
}

TEST_F(ComponentOperationsTest, AnEditorOpenMakesTheGridGreyAndReadOnly)
{
    auto interior = [&] { return m_pGrid->Param()->GetStandardStyle().GetInterior(); };
    ASSERT_TRUE(m_pGrid->SetCurrentCell(3, COL_DESCRIPTION));
    m_pGrid->BeginDialogEdit(CGridWindow::editAdding);
    EXPECT_TRUE(m_pGrid->IsReadOnly());
    EXPECT_EQ(RGB(208, 208, 208), interior());
    EXPECT_EQ(CGridWindow::editAdding, m_pGrid->GetEditState());
    EXPECT_EQ(3, m_pGrid->GetRememberedRow());
    EXPECT_FALSE(m_pGrid->ActivateCurrentCell());
    m_pGrid->EndDialogEdit();
    EXPECT_FALSE(m_pGrid->IsReadOnly());
    EXPECT_EQ(RGB(255, 255, 255), interior());
    EXPECT_EQ(CGridWindow::editNone, m_pGrid->GetEditState());
    EXPECT_EQ(0, m_pGrid->GetRememberedRow());
}

/////////////////////////////////////////////////////////////////////////////
// Deleting

TEST_F(ComponentOperationsTest, DeletingAsksAboutTheRowsItDeletes)
{
    // No valve is an item here: one question each.
    Run("DELETE FROM Assemblies");
    Show(TABLE_VALVE);
    const long rows = Count("Components WHERE [Database Number] = 2");
    // The current cell is on row 2, the selection on row 4: row 4 goes.
    ASSERT_TRUE(m_pGrid->SetCurrentCell(2, COL_DESCRIPTION));
    m_pGrid->SelectRange(CGRRange().SetRows(4, 4), TRUE);
    const long second = KeyOfRow(2), fourth = KeyOfRow(4);
    m_nAnswer = IDNO;
    m_pGrid->DeleteSelected();
    EXPECT_EQ((std::vector<std::string>{ "Do you wish to permanently delete the\n\"" + Description(fourth) + "\" item?" }),
              TakeMessages());
    EXPECT_EQ(rows, Count("Components WHERE [Database Number] = 2"));
    m_nAnswer = IDYES;
    m_pGrid->DeleteSelected();
    EXPECT_EQ(0, Count("Components WHERE [Component Key] = " + std::to_string(fourth)));
    EXPECT_EQ(1, Count("Components WHERE [Component Key] = " + std::to_string(second)));
    TakeMessages();

    // Two ranges chosen bottom-up: both go, nothing else.
    const long fifth = KeyOfRow(5), seventh = KeyOfRow(7), sixth = KeyOfRow(6);
    m_pGrid->SetSelection(nullptr);
    m_pGrid->SelectRange(CGRRange().SetRows(7, 7), TRUE);
    m_pGrid->SelectRange(CGRRange().SetRows(5, 5), TRUE);
    m_pGrid->DeleteSelected();
    EXPECT_EQ((std::vector<std::string>{ "Do you wish to permanently delete all 2 selected items?" }), TakeMessages());
    EXPECT_EQ(0, Count("Components WHERE [Component Key] IN (" + std::to_string(fifth) + "," + std::to_string(seventh) +
                       ")"));
    EXPECT_EQ(1, Count("Components WHERE [Component Key] = " + std::to_string(sixth)));
    EXPECT_EQ(rows - 3, Count("Components WHERE [Database Number] = 2"));

    // Without the question when the options say so; the last row's delete
    // leaves the beam on the row above.
    m_pView->options = GRID_OPTION_DELETE_WITHOUT_ASKING;
    m_pGrid->SetSelection(nullptr);
    const ROWCOL last = m_pGrid->GetAppendRow() - 1;
    ASSERT_TRUE(m_pGrid->SetCurrentCell(last, COL_DESCRIPTION));
    m_pGrid->DeleteSelected();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(rows - 4, Count("Components WHERE [Database Number] = 2"));
    EXPECT_EQ(last - 1, CurrentRowOf(*m_pGrid));
    EXPECT_EQ(last, m_pGrid->GetAppendRow());
    // On the append row nothing happens.
    ASSERT_TRUE(m_pGrid->SetCurrentCell(m_pGrid->GetAppendRow(), COL_DESCRIPTION));
    m_pGrid->DeleteSelected();
    EXPECT_EQ(rows - 4, Count("Components WHERE [Database Number] = 2"));
    EXPECT_EQ(0, kvtest::CountDanglingComponentLinks(*Db()));
}

TEST_F(ComponentOperationsTest, AComponentInUseIsDeletedOnlyAfterAWarningAndTakesItsRowsAlong)
{
    Show(TABLE_VALVE);
    // Valve 76 is an item of assemblies 281 and 287.
    Select(76);
    m_answers = { IDYES, IDCANCEL };
    m_pGrid->DeleteSelected();
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("This component is used by one or more assemblies.\nIf you click OK, the assemblies will no longer be "
              "able to use this component.\n\nUsed by:\n\n281:\tValve manifold 25 mm\n287:\tDrip zone head works 25 "
              "mm\n\n",
              messages[1]);
    EXPECT_EQ(2, Count("Assemblies WHERE [Item Key] = 76"));
    EXPECT_EQ(1, Count("Components WHERE [Component Key] = 76"));
    m_answers = { IDYES, IDOK };
    m_pGrid->DeleteSelected();
    EXPECT_EQ(0, Count("Components WHERE [Component Key] = 76"));
    EXPECT_EQ(0, Count("Assemblies WHERE [Item Key] = 76"));
    EXPECT_EQ(6, Count("Assemblies WHERE [Assembly Key] = 281"));
    TakeMessages();

    // An assembly nobody uses goes with its items after the one question.
    Select(282);
    m_answers = { IDYES };
    m_pGrid->DeleteSelected();
    messages = TakeMessages();
    EXPECT_EQ(1u, messages.size()) << ::testing::PrintToString(messages);
    EXPECT_EQ(0, Count("Assemblies WHERE [Assembly Key] = 282"));

    // A coupler held only by an assembly that has gone is deleted as unused.
    Show(TABLE_COUPLER);
    Run("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) VALUES (9999, 122, 1)");
    Select(122);
    m_answers = { IDYES, IDOK };
    m_pGrid->DeleteSelected();
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_EQ(0, Count("Components WHERE [Component Key] = 122"));
    EXPECT_EQ(0, Count("Assemblies WHERE [Item Key] = 122"));

    // A nozzle used by outlets: they are listed, and keep their links, which
    // the nozzle list of the outlet being given nozzles shows as deleted.
    CNozzleWnd nozzles(m_pView);
    ASSERT_TRUE(nozzles.Create(0, CRect(0, 400, 600, 560), &m_parent, 1010));
    nozzles.Initialize();
    m_pGrid->SetNozzleWnd(&nozzles);
    State().bNozzleMode = TRUE;
    State().nEmitterKey = 215;
    Show(TABLE_NOZZLE);
    const long links = Count("Nozzles WHERE [Nozzle Key] = 182");
    const long outletFlags = QueryLong("SELECT [Flags] FROM Components WHERE [Component Key] = 216");
    Select(182);
    m_answers = { IDYES, IDOK };
    m_pGrid->DeleteSelected();
    messages = TakeMessages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ(0u, messages[1].find("This nozzle is used by one or more outlets\n"));
    EXPECT_NE(std::string::npos, messages[1].find("215:\tPop-up spray 100 mm\n216:\tPop-up spray 150 mm\n"));
    EXPECT_EQ(0, Count("Components WHERE [Component Key] = 182"));
    EXPECT_LT(0, links);
    EXPECT_EQ(links, Count("Nozzles WHERE [Nozzle Key] = 182"));
    EXPECT_EQ(outletFlags, QueryLong("SELECT [Flags] FROM Components WHERE [Component Key] = 216"));
    bool shownDeleted = false;
    for (ROWCOL row = 1; nozzles.IsDataRow(row); row++)
        if (nozzles.GetRowKey(row) == 182)
            shownDeleted = nozzles.GetValueRowCol(row, 1).str() == "<nozzle deleted>";
    EXPECT_TRUE(shownDeleted);
    State().bNozzleMode = FALSE;
    m_pGrid->SetNozzleWnd(nullptr);
    nozzles.DestroyWindow();

    // An outlet its nozzle list, a tape its Tapes row.
    Show(TABLE_OUTLET);
    Select(215);
    m_answers = { IDYES };
    m_pGrid->DeleteSelected();
    EXPECT_EQ(0, Count("Nozzles WHERE [Emitter Key] = 215"));
    Show(TABLE_TAPE);
    Select(59);
    m_answers = { IDYES };
    m_pGrid->DeleteSelected();
    EXPECT_EQ(0, Count("Tapes WHERE [Pipe Key] = 59"));
    // The only links left naming a component that has gone are those of the
    // outlets to the deleted nozzle.
    EXPECT_EQ(Count("Nozzles WHERE [Nozzle Key] = 182"), kvtest::CountDanglingComponentLinks(*Db()));
}

TEST_F(ComponentOperationsTest, ADeleteThatFailsPartWayLeavesEveryRowInPlace)
{
    Show(TABLE_VALVE);
    Run("CREATE TRIGGER refuse BEFORE DELETE ON Components WHEN old.[Component Key] = 76 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Select(76);
    const ROWCOL row = RowOf(76);
    m_answers = { IDYES, IDOK };
    m_pGrid->DeleteSelected();
    EXPECT_TRUE(Contains(TakeMessages(), "refused"));
    EXPECT_EQ(1, Count("Components WHERE [Component Key] = 76"));
    EXPECT_EQ(2, Count("Assemblies WHERE [Item Key] = 76"));
    EXPECT_EQ(76, KeyOfRow(row));
}

/////////////////////////////////////////////////////////////////////////////
// Assemblies and nozzles

TEST_F(ComponentOperationsTest, AClickedComponentJoinsTheAssemblyWithTheQuantityAsked)
{
    BuildAssembly(282);
    EXPECT_TRUE(m_pGrid->IsReadOnly());
    const long before = Count("Assemblies WHERE [Assembly Key] = 282");

    // A pipe by length, offered 1 the first time and its quantity after.
    Show(TABLE_PIPE);
    m_pGrid->quantities = { 7.62f, 10.0f };
    ClickHeader(1);
    ClickHeader(1);
    ASSERT_EQ(2u, m_pGrid->questions.size());
    EXPECT_TRUE(m_pGrid->questions[0].bLength);
    EXPECT_EQ("PVC Class 9 40 mm", m_pGrid->questions[0].description);
    EXPECT_FLOAT_EQ(1.0f, m_pGrid->questions[0].offered);
    EXPECT_FLOAT_EQ(7.62f, m_pGrid->questions[1].offered);
    EXPECT_EQ(1, Count("Assemblies WHERE [Assembly Key] = 282 AND [Item Key] = 1"));
    EXPECT_EQ(10.0, std::atof(Query("SELECT [Number/Length] FROM Assemblies WHERE [Assembly Key] = 282 AND "
                                    "[Item Key] = 1").c_str()));
    EXPECT_EQ(2, m_sink.n);
    EXPECT_EQ(282, m_assem.GetShownKey());

    // A cancelled question adds nothing and says nothing.
    m_pGrid->questions.clear();
    ClickHeader(2);
    EXPECT_EQ(1u, m_pGrid->questions.size());
    EXPECT_EQ(0, Count("Assemblies WHERE [Assembly Key] = 282 AND [Item Key] = 2"));
    EXPECT_EQ(2, m_sink.n);

    // Nothing for the assembly's own row, the append row or a nozzle.
    m_pGrid->questions.clear();
    Show(TABLE_VALVE);
    ClickHeader(282);
    ASSERT_TRUE(m_pGrid->SetCurrentCell(m_pGrid->GetAppendRow(), COL_DESCRIPTION));
    m_pGrid->AddToAssembly(-1);
    Show(TABLE_NOZZLE);
    ClickHeader(182);
    m_pGrid->AddToAssembly(182);
    EXPECT_TRUE(m_pGrid->questions.empty());

    // A component named by key from a side grid: a count, as a new item
    // when the assembly does not hold it yet.
    m_pGrid->quantities = { 3.0f };
    m_pGrid->AddToAssembly(121);
    ASSERT_EQ(1u, m_pGrid->questions.size());
    EXPECT_FALSE(m_pGrid->questions[0].bLength);
    EXPECT_FLOAT_EQ(1.0f, m_pGrid->questions[0].offered);
    EXPECT_EQ(3.0, std::atof(Query("SELECT [Number/Length] FROM Assemblies WHERE [Assembly Key] = 282 AND "
                                   "[Item Key] = 121").c_str()));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(before + 2, Count("Assemblies WHERE [Assembly Key] = 282"));
}

TEST_F(ComponentOperationsTest, AnAssemblyHoldsOneKindOfEmitterAndNeverItself)
{
    BuildAssembly(282);
    Show(TABLE_OUTLET);
    // An outlet with nozzles makes the assembly an outlet assembly with them.
    m_pGrid->quantities = { 1.0f, 2.0f };
    ClickHeader(215);
    EXPECT_EQ(1, Count("Assemblies WHERE [Assembly Key] = 282 AND [Item Key] = 215"));
    EXPECT_EQ(COMPONENT_FLAG_HAS_NOZZLES | COMPONENT_FLAG_ASSEMBLY,
              QueryLong("SELECT Flags FROM Components WHERE [Component Key] = 282"));
    // A second outlet is refused; the one there may change its quantity.
    ClickHeader(228);
    EXPECT_EQ((std::vector<std::string>{ "You may only have one type of emitter per assembly, and \nthere is already "
                                         "an emitter in this assembly." }),
              TakeMessages());
    ClickHeader(215);
    EXPECT_EQ(2.0, std::atof(Query("SELECT [Number/Length] FROM Assemblies WHERE [Assembly Key] = 282 AND "
                                   "[Item Key] = 215").c_str()));
    EXPECT_EQ(2u, m_pGrid->questions.size());
    Run("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) VALUES (282, 229, 1)");
    Run("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) VALUES (282, 230, 1)");
    ClickHeader(231);
    EXPECT_EQ((std::vector<std::string>{ "You may only have one type of emitter per assembly, and \nthere are "
                                         "already 3 emitters in this assembly, please remove 2\nof the existing "
                                         "emitters." }),
              TakeMessages());
    EXPECT_EQ(0, Count("Assemblies WHERE [Item Key] = 231"));

    // Manifold 281 is an item of zone kit 288; a kit holding 288 is made.
    Run("INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) VALUES (290, 288, 1)");
    BuildAssembly(281);
    m_pGrid->questions.clear();
    Show(TABLE_COMPONENT);
    ClickHeader(288);
    EXPECT_EQ((std::vector<std::string>{ "'Zone kit 25 mm with manifold and box' already holds the assembly being "
                                         "built among its items, so it cannot be one of the assembly's items." }),
              TakeMessages());
    m_pGrid->AddToAssembly(290);
    EXPECT_EQ(1u, TakeMessages().size());
    EXPECT_TRUE(m_pGrid->questions.empty());
    EXPECT_EQ(0, Count("Assemblies WHERE [Assembly Key] = 281 AND [Item Key] IN (288, 290)"));
}

TEST_F(ComponentOperationsTest, ALengthTypedInFeetIsStoredInMetres)
{
    Units().m_Length.SetUnit(LENGTH_FT);
    ApplyUnits();
    BuildAssembly(282);
    Show(TABLE_PIPE);
    m_pGrid->realQuantityDialog = true;
    kvtest::TimerScript script([] {
        if (HWND hWnd = ::GetActiveWindow())
            ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    });
    std::string unit;
    script.Add([&] {
        // The quantity dialog: the window of this thread with its value edit.
        HWND hDialog = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM lParam) {
                if (!::GetDlgItem(hWnd, 1379))
                    return TRUE;
                *reinterpret_cast<HWND*>(lParam) = hWnd;
                return FALSE;
            },
            (LPARAM)&hDialog);
        ASSERT_TRUE(hDialog);
        char text[32] = {};
        ::GetDlgItemTextA(hDialog, 1350, text, sizeof(text));
        unit = text;
        ::SetDlgItemTextA(hDialog, 1379, "25");
        ::PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
    });
    script.Start();
    ClickHeader(2);
    EXPECT_FALSE(script.Overran());
    EXPECT_EQ("ft", unit);
    EXPECT_NEAR(7.62, std::atof(Query("SELECT [Number/Length] FROM Assemblies WHERE [Assembly Key] = 282 AND "
                                      "[Item Key] = 2").c_str()),
                1e-5);
}

TEST_F(ComponentOperationsTest, ANozzleClickedIsGivenToTheOutletOnce)
{
    State().nEmitterKey = 228;
    m_pGrid->SetNozzleMode(TRUE);
    State().bNozzleMode = TRUE;
    Show(TABLE_NOZZLE);
    ClickHeader(182);
    EXPECT_EQ(1, Count("Nozzles WHERE [Emitter Key] = 228 AND [Nozzle Key] = 182"));
    EXPECT_EQ("Spray nozz", Query("SELECT [Default Nozzle] FROM Components WHERE [Component Key] = 228"));
    EXPECT_EQ(COMPONENT_FLAG_HAS_NOZZLES, QueryLong("SELECT Flags FROM Components WHERE [Component Key] = 228"));
    EXPECT_EQ(1, m_sink.n);
    // A second nozzle keeps the default; the same one again changes nothing.
    ClickHeader(183);
    ClickHeader(182);
    EXPECT_EQ(2, Count("Nozzles WHERE [Emitter Key] = 228"));
    EXPECT_EQ("Spray nozz", Query("SELECT [Default Nozzle] FROM Components WHERE [Component Key] = 228"));
    EXPECT_EQ(2, m_sink.n);
    EXPECT_TRUE(TakeMessages().empty());
}

/////////////////////////////////////////////////////////////////////////////
// Find

TEST_F(ComponentOperationsTest, FindKeySelectsTheRowOfExactlyThatKey)
{
    Show(TABLE_PIPE);
    ASSERT_TRUE(m_pGrid->SetCurrentCell(5, 7));
    // Key 2: its digits are in key 12 and 20 and in many descriptions.
    ROWCOL row = m_pGrid->FindKey(2);
    EXPECT_EQ(2, KeyOfRow(row));
    EXPECT_EQ(row, CurrentRowOf(*m_pGrid));
    EXPECT_EQ(1u, m_pGrid->FindKey(KeyOfRow(1)));
    // A key the table does not show leaves the current cell.
    ASSERT_TRUE(m_pGrid->SetCurrentCell(5, 7));
    EXPECT_EQ(5u, m_pGrid->FindKey(75));
    ROWCOL r = 0, c = 0;
    m_pGrid->GetCurrentCell(r, c);
    EXPECT_EQ(5u, r);
    EXPECT_EQ(7u, c);
}

TEST_F(ComponentOperationsTest, APickedColourOrLineTypeIsStoredInThePressedRow)
{
    const long key = KeyOfRow(2);
    m_pGrid->SetColourCell(12);
    EXPECT_NE(12, QueryLong("SELECT [Colour1] FROM Components WHERE [Component Key] = " + std::to_string(key)));
    // The pickers choose while the cell is pressed.
    m_pView->onPicker = [this] { m_pGrid->SetColourCell(12); };
    m_pGrid->OnLButtonHitRowCol(2, COL_COLOUR1, 2, COL_COLOUR1, CPoint(), 0, GR_HIT_PRESS);
    EXPECT_EQ(12, QueryLong("SELECT [Colour1] FROM Components WHERE [Component Key] = " + std::to_string(key)));
    m_pView->onPicker = [this] { m_pGrid->SetLineTypeCell(3); };
    m_pGrid->OnLButtonHitRowCol(3, COL_LINETYPE, 3, COL_LINETYPE, CPoint(), 0, GR_HIT_PRESS);
    EXPECT_EQ(3, QueryLong("SELECT [Linetype] FROM Components WHERE [Component Key] = " + std::to_string(KeyOfRow(3))));
    EXPECT_EQ(GR_EDITMODE_NONE, m_pGrid->GetEditMode());
    // Once the picker is closed the cell takes nothing more.
    m_pView->onPicker = nullptr;
    m_pGrid->SetColourCell(13);
    EXPECT_EQ(12, QueryLong("SELECT [Colour1] FROM Components WHERE [Component Key] = " + std::to_string(key)));
}
