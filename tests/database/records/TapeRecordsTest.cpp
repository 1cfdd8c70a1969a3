// Tape rows: the tape extras record with its change notice, and the tape
// join record.
#include "tests/database/records/RecordsFixture.h"

#include "database/records/DatabaseChangeNotice.h"
#include "database/records/TapeRecords.h"

#include <algorithm>

namespace kvtest {
namespace {

// A stand-in for the design program's main window: a top-level window of
// class "Quorvex" with two children, one of which has a child of its own.
// Every window counts the change notices it receives, in arrival order.
class DesignProgramWindows
{
public:
    DesignProgramWindows()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "Quorvex";
        ::RegisterClassA(&wc);
        wc.lpszClassName = "QuorvexChild";
        ::RegisterClassA(&wc);
        s_pThis = this;
        m_top = ::CreateWindowA("Quorvex", "Design", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                                nullptr, wc.hInstance, nullptr);
        m_first = ::CreateWindowA("QuorvexChild", "", WS_CHILD, 0, 0, 10, 10, m_top, nullptr,
                                  wc.hInstance, nullptr);
        m_grandchild = ::CreateWindowA("QuorvexChild", "", WS_CHILD, 0, 0, 5, 5, m_first, nullptr,
                                       wc.hInstance, nullptr);
        m_second = ::CreateWindowA("QuorvexChild", "", WS_CHILD, 0, 0, 10, 10, m_top, nullptr,
                                   wc.hInstance, nullptr);
    }
    ~DesignProgramWindows()
    {
        ::DestroyWindow(m_top);
        s_pThis = nullptr;
    }

    std::vector<HWND> m_received;  // windows that got the notice, in order
    bool m_badParameters = false;
    HWND m_top, m_first, m_grandchild, m_second;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (s_pThis != nullptr && msg == GetDatabaseChangedMessage()) {
            s_pThis->m_received.push_back(hWnd);
            if (wParam != 0 || lParam != 0)
                s_pThis->m_badParameters = true;
            return 0;
        }
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    static DesignProgramWindows* s_pThis;
};
DesignProgramWindows* DesignProgramWindows::s_pThis = nullptr;

class TapeRecordsTest : public SkeletonTest {};

void SetTapeValues(TapeFields& t)
{
    t.m_strFlowCalcType = "ITER";
    float* reals[] = {&t.m_fTapeReals1, &t.m_fTapeReals2, &t.m_fTapeReals3, &t.m_fTapeReals4,
                      &t.m_fTapeReals5, &t.m_fTapeReals6, &t.m_fTapeRextra1, &t.m_fTapeRextra2,
                      &t.m_fTapeRextra3, &t.m_fTapeRextra4};
    for (int i = 0; i < 10; ++i)
        *reals[i] = 0.3f + 1.1f * (float)i;
}

void ExpectSameTapeFields(const TapeFields& a, const TapeFields& b)
{
    EXPECT_EQ(a.m_nPipeKey, b.m_nPipeKey);
    EXPECT_EQ(a.m_strFlowCalcType, b.m_strFlowCalcType);
    EXPECT_EQ(a.m_fTapeReals1, b.m_fTapeReals1);
    EXPECT_EQ(a.m_fTapeReals2, b.m_fTapeReals2);
    EXPECT_EQ(a.m_fTapeReals3, b.m_fTapeReals3);
    EXPECT_EQ(a.m_fTapeReals4, b.m_fTapeReals4);
    EXPECT_EQ(a.m_fTapeReals5, b.m_fTapeReals5);
    EXPECT_EQ(a.m_fTapeReals6, b.m_fTapeReals6);
    EXPECT_EQ(a.m_fTapeRextra1, b.m_fTapeRextra1);
    EXPECT_EQ(a.m_fTapeRextra2, b.m_fTapeRextra2);
    EXPECT_EQ(a.m_fTapeRextra3, b.m_fTapeRextra3);
    EXPECT_EQ(a.m_fTapeRextra4, b.m_fTapeRextra4);
}

TEST(ChangeNoticeTest, GoesToEveryDescendantOfTheDesignProgramButNotItsMainWindow)
{
    EXPECT_NE(GetDatabaseChangedMessage(), 0u);
    EXPECT_EQ(GetDatabaseChangedMessage(), ::RegisterWindowMessageA("Quorvex database changed"));
    EXPECT_EQ(SendDatabaseChangedNotice(), 0) << "no design program, nothing sent";

    DesignProgramWindows design;
    EXPECT_EQ(SendDatabaseChangedNotice(), 3);
    // Child windows come in the system's order, each before its own children.
    std::vector<HWND> got = design.m_received;
    ASSERT_EQ(got.size(), 3u);
    auto position = [&](HWND h) { return std::find(got.begin(), got.end(), h) - got.begin(); };
    EXPECT_EQ(position(design.m_grandchild), position(design.m_first) + 1) << "depth first";
    EXPECT_LT(position(design.m_second), 3);
    EXPECT_EQ(position(design.m_top), 3) << "the main window itself gets nothing";
    EXPECT_FALSE(design.m_badParameters);
}

TEST_F(TapeRecordsTest, AddForPipeInsertsTheMembersValuesAndTellsTheDesignProgram)
{
    DesignProgramWindows design;
    CTapeExtras tape(&m_db);
    EXPECT_FALSE(tape.m_bCheckCacheForDirtyFields);
    EXPECT_EQ(tape.m_nFields, 12u);

    // Not open: nothing happens.
    SetTapeValues(tape);
    EXPECT_FALSE(tape.AddForPipe(4));
    EXPECT_TRUE(design.m_received.empty());
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Tapes"), 0);

    tape.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    EXPECT_TRUE(tape.AddForPipe(4));
    EXPECT_EQ(design.m_received.size(), 3u);
    tape.Close();

    CTapeExtras reader(&m_db);
    ASSERT_TRUE(reader.OpenByPipeKey(4));
    TapeFields expected;
    SetTapeValues(expected);
    expected.m_nPipeKey = 4;
    ExpectSameTapeFields(reader, expected);
    reader.MoveNext();
    EXPECT_TRUE(reader.IsEOF()) << "one row";
    reader.Close();
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(TapeRecordsTest, AChangeSinkTakesTheAnnouncementInPlaceOfTheNotice)
{
    struct CountingSink : CDatabaseChangeSink
    {
        int nChanges = 0;
        void DatabaseChanged() override { ++nChanges; }
    } sink;
    DesignProgramWindows design;
    SetDatabaseChangeSink(&sink);
    CTapeExtras tape(&m_db);
    SetTapeValues(tape);
    tape.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    EXPECT_TRUE(tape.AddForPipe(4));
    tape.Close();
    SetDatabaseChangeSink(nullptr);
    EXPECT_EQ(1, sink.nChanges);
    EXPECT_TRUE(design.m_received.empty());
}

TEST_F(TapeRecordsTest, CreateForPipeAddsAClearedRow)
{
    CTapeExtras tape(&m_db);
    SetTapeValues(tape);
    tape.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    EXPECT_TRUE(tape.CreateForPipe(8));
    tape.Close();
    EXPECT_EQ(QueryText(m_db, "SELECT [Flow Calc Type] FROM Tapes WHERE [Pipe Key] = 8"), "    ");
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Tapes WHERE [Pipe Key] = 8 AND [Reals1] = 0 "
                              "AND [Rextra4] = 0"),
              1);
    EXPECT_FALSE(tape.OpenByPipeKey(9));
    EXPECT_FALSE(tape.IsOpen());
}

TEST_F(TapeRecordsTest, FailedInsertIsReportedAndSendsNothing)
{
    m_db.ExecuteSQL("CREATE TRIGGER RefuseTape BEFORE INSERT ON Tapes WHEN NEW.[Pipe Key] = 13 "
                    "BEGIN SELECT RAISE(ABORT, 'tape row refused'); END");
    DesignProgramWindows design;
    CTapeExtras tape(&m_db);
    tape.Open(CRecordset::dynaset, nullptr, CRecordset::none);
    EXPECT_FALSE(tape.AddForPipe(13));
    EXPECT_TRUE(design.m_received.empty());
    ASSERT_EQ(m_boxes.Texts().size(), 1u);
    EXPECT_NE(m_boxes.Texts()[0].find("tape row refused"), std::string::npos) << m_boxes.Texts()[0];

    // The recordset is still usable for the next row.
    EXPECT_TRUE(tape.AddForPipe(14));
    EXPECT_EQ(design.m_received.size(), 3u);
    tape.Close();
    EXPECT_EQ(QueryLong(m_db, "SELECT COUNT(*) FROM Tapes"), 1);
}

TEST_F(TapeRecordsTest, CopiesAreNeverOpenAndKeepTheConnection)
{
    m_db.ExecuteSQL("INSERT INTO [Tapes] ([Pipe Key], [Flow Calc Type]) VALUES (3, 'ITER')");
    CTapeExtras source(&m_db);
    ASSERT_TRUE(source.OpenByPipeKey(3));
    SetTapeValues(source);

    CTapeExtras copy(source);
    EXPECT_FALSE(copy.IsOpen());
    EXPECT_EQ(copy.m_pDatabase, &m_db);
    EXPECT_FALSE(copy.m_bCheckCacheForDirtyFields);
    ExpectSameTapeFields(copy, source);

    CTapeExtras assigned(nullptr);
    assigned = source;
    EXPECT_FALSE(assigned.IsOpen());
    EXPECT_EQ(assigned.m_pDatabase, &m_db);
    ExpectSameTapeFields(assigned, source);
    source.Close();

    copy.Clear();
    EXPECT_EQ(copy.m_nPipeKey, 0);
    EXPECT_EQ(copy.m_strFlowCalcType, "    ");
    EXPECT_EQ(copy.m_fTapeRextra4, 0.0f);
    EXPECT_TRUE(copy.OpenByPipeKey(3));
    EXPECT_EQ(copy.m_strFlowCalcType, "ITER");
    copy.Close();
}

TEST_F(TapeRecordsTest, JoinListsTapesWithATapesRowAndReadsAll48Fields)
{
    AddComponent(1, DBNUM_PIPE, COMPONENT_FLAG_TAPE, 0.5f, 0.8f, "Drip 16 mm");
    AddComponent(2, DBNUM_PIPE, COMPONENT_FLAG_TAPE, 0.5f, 0.8f, "Tape without its row");
    AddComponent(3, DBNUM_PIPE, 0, 1.0f, 1.5f, "Pipe with a stray Tapes row");
    InsertRow(m_db, "[Tapes]", {{"[Pipe Key]", "1"}, {"[Flow Calc Type]", "'ITER'"}, {"[Reals1]", "0.63"},
                                {"[Reals2]", "0.5"}, {"[Reals3]", "0.2"}, {"[Reals4]", "0.3"},
                                {"[Reals5]", "10"}, {"[Reals6]", "6.5"}, {"[Rextra1]", "5"},
                                {"[Rextra2]", "40"}, {"[Rextra3]", "20"}, {"[Rextra4]", "12"}});
    InsertRow(m_db, "[Tapes]", {{"[Pipe Key]", "3"}});

    CTapeRecords join(&m_db);
    EXPECT_EQ(join.m_nFields, 48u);
    EXPECT_EQ(join.m_nDefaultType, (UINT)CRecordset::dynaset);
    join.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    ASSERT_FALSE(join.IsEOF());
    EXPECT_EQ(join.m_nComponentKey, 1);
    EXPECT_EQ(join.m_strDescription, "Drip 16 mm");
    EXPECT_EQ(join.m_nFlags, 2);
    EXPECT_EQ(join.m_fReals7, 0.5f);
    EXPECT_EQ(join.m_nOrder, 10000);
    EXPECT_EQ(join.m_nPipeKey, 1);
    EXPECT_EQ(join.m_strFlowCalcType, "ITER");
    EXPECT_EQ(join.m_fTapeReals1, 0.63f);
    EXPECT_EQ(join.m_fTapeReals2, 0.5f);
    EXPECT_EQ(join.m_fTapeReals3, 0.2f);
    EXPECT_EQ(join.m_fTapeReals4, 0.3f);
    EXPECT_EQ(join.m_fTapeReals5, 10.0f);
    EXPECT_EQ(join.m_fTapeReals6, 6.5f);
    EXPECT_EQ(join.m_fTapeRextra1, 5.0f);
    EXPECT_EQ(join.m_fTapeRextra2, 40.0f);
    EXPECT_EQ(join.m_fTapeRextra3, 20.0f);
    EXPECT_EQ(join.m_fTapeRextra4, 12.0f);
    join.MoveNext();
    EXPECT_TRUE(join.IsEOF()) << "only tapes that have their Tapes row";
    join.Close();
}

TEST_F(TapeRecordsTest, DynasetOfTheJoinWritesEachColumnToItsOwnTable)
{
    // The Tape tab edits through the join opened with its default type: a
    // change to a component column lands in Components, a change to a tape
    // column in Tapes, each on the row of that tape only.
    AddComponent(1, DBNUM_PIPE, COMPONENT_FLAG_TAPE, 0.5f, 0.8f, "Drip 16 mm");
    AddComponent(2, DBNUM_PIPE, COMPONENT_FLAG_TAPE, 0.6f, 0.9f, "Drip 20 mm");
    InsertRow(m_db, "[Tapes]", {{"[Pipe Key]", "1"}, {"[Reals4]", "0.3"}, {"[Flow Calc Type]", "'ITER'"}});
    InsertRow(m_db, "[Tapes]", {{"[Pipe Key]", "2"}, {"[Reals4]", "0.3"}, {"[Flow Calc Type]", "'ITER'"}});

    CTapeRecords join(&m_db);
    join.m_strSort = "C.[Description] DESC";
    join.Open();
    ASSERT_FALSE(join.IsEOF());
    ASSERT_EQ(join.m_nComponentKey, 2);
    join.Edit();
    join.m_strDescription = "Drip 20 mm heavy wall";
    join.m_fReals8 = 1.25f;
    join.m_fTapeReals4 = 0.4f;
    join.m_strFlowCalcType = "    ";
    ASSERT_TRUE(join.Update());
    join.Close();

    EXPECT_EQ(QueryText(m_db, "SELECT [Description] FROM Components WHERE [Component Key] = 2"),
              "Drip 20 mm heavy wall");
    EXPECT_EQ(QueryText(m_db, "SELECT [Description] FROM Components WHERE [Component Key] = 1"), "Drip 16 mm");
    EXPECT_EQ(QueryText(m_db, "SELECT [Flow Calc Type] FROM Tapes WHERE [Pipe Key] = 2"), "    ");
    EXPECT_EQ(QueryText(m_db, "SELECT [Flow Calc Type] FROM Tapes WHERE [Pipe Key] = 1"), "ITER");

    CTapeRecords reader(&m_db);
    reader.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    for (; !reader.IsEOF(); reader.MoveNext()) {
        SCOPED_TRACE(reader.m_nComponentKey);
        bool edited = reader.m_nComponentKey == 2;
        EXPECT_EQ(reader.m_fReals8, edited ? 1.25f : 0.8f);
        EXPECT_EQ(reader.m_fTapeReals4, edited ? 0.4f : 0.3f);
        EXPECT_EQ(reader.m_nPipeKey, reader.m_nComponentKey);
    }
    reader.Close();
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(TapeRecordsTest, DefaultSQLIsTheJoinStatement)
{
    CTapeRecords join(&m_db);
    EXPECT_EQ(join.GetDefaultSQL(),
              "SELECT C.[Component Key], C.[Old id1], C.[Old id2], C.[Old id3], C.[Database Number], "
              "C.[Description], C.[Warehouse Code], C.[Supplier Code], C.[Usage], C.[Major1], C.[Minor1], "
              "C.[Major2], C.[Minor2], C.[Reals1], C.[Reals2], C.[Reals3], C.[Reals4], C.[Reals5], "
              "C.[Reals6], C.[Reals7], C.[Reals8], C.[Rextra1], C.[Rextra2], C.[Rextra3], C.[Rextra4], "
              "C.[Document Index], C.[Linetype], C.[Symbol], C.[Symbol Size], C.[Symbol File], "
              "C.[Colour1], C.[Colour2], C.[Default Nozzle], C.[Item Type], C.[Flags], C.[Order], T.* "
              "FROM `Tapes` T INNER JOIN Components C ON T.`Pipe Key` = C.`Component Key` "
              "WHERE C.[Flags] = 2");
}

TEST_F(TapeRecordsTest, BuiltFromAComponentRecordAndClearedExtras)
{
    CRecords record(&m_db);
    record.m_nComponentKey = 42;
    record.m_strDescription = "Drip line";
    record.m_nFlags = COMPONENT_FLAG_TAPE;
    record.m_bCheckCacheForDirtyFields = FALSE;
    CTapeExtras extras(&m_db);
    SetTapeValues(extras);
    extras.Clear();

    CTapeRecords tape(record, extras);
    EXPECT_FALSE(tape.IsOpen());
    EXPECT_EQ(tape.m_nFields, 48u);
    EXPECT_EQ(tape.m_nDefaultType, (UINT)CRecordset::dynaset);
    EXPECT_EQ(tape.m_pDatabase, &m_db);
    EXPECT_FALSE(tape.m_bCheckCacheForDirtyFields);
    EXPECT_EQ(tape.m_nComponentKey, 42);
    EXPECT_EQ(tape.m_strDescription, "Drip line");
    EXPECT_EQ(tape.m_strMajor1, "      ");
    EXPECT_EQ(tape.m_nPipeKey, 0);
    EXPECT_EQ(tape.m_strFlowCalcType, "    ");
    EXPECT_EQ(tape.m_fTapeReals1, 0.0f);
}

TEST_F(TapeRecordsTest, AssignmentLeavesTheTargetsStatementAndOpenState)
{
    AddComponent(1, DBNUM_PIPE, COMPONENT_FLAG_TAPE, 0, 0, "Stored tape");
    InsertRow(m_db, "[Tapes]", {{"[Pipe Key]", "1"}});

    CTapeRecords open(&m_db);
    open.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    ASSERT_FALSE(open.IsEOF());
    CString sql = open.GetSQL();

    CTapeRecords values(nullptr);
    values.m_strDescription = "Copied values";
    values.m_nPipeKey = 77;
    SetTapeValues(values);
    open = values;
    EXPECT_TRUE(open.IsOpen());
    EXPECT_EQ(open.m_pDatabase, &m_db) << "an open set keeps its connection";
    EXPECT_EQ(open.GetSQL(), sql);
    EXPECT_EQ(open.m_strDescription, "Copied values");
    ExpectSameTapeFields(open, values);
    open.Close();

    CTapeRecords closed(nullptr);
    closed.m_nDefaultType = CRecordset::snapshot;
    closed = open;
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_EQ(closed.m_pDatabase, &m_db);
    EXPECT_EQ(closed.m_nDefaultType, (UINT)CRecordset::dynaset);
    EXPECT_EQ(closed.m_nFields, 48u);
}

} // namespace
} // namespace kvtest
