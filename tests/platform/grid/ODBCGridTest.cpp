// The grid over a recordset of a real SQLite database: reading, editing,
// adding, deleting, cancelling, refused stores, sorting and counting.
#include "GridTestSupport.h"
#include "platform/grid/GRODBCGrid.h"
#include "tests/support/TestSupport.h"

using namespace gridtest;

namespace {

class CItemRecords : public CRecordset
{
public:
    explicit CItemRecords(CDatabase* pdb) : CRecordset(pdb)
    {
        m_nFields = 4;
        m_nDefaultType = dynaset;
    }
    long m_nKey = 0;
    CString m_strDescription;
    long m_nCount = 0;
    double m_dSize = 0;

    CString GetDefaultSQL() override { return "[Items]"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[Item Key]", m_nKey);
        RFX_Text(pFX, "[Description]", m_strDescription);
        RFX_Long(pFX, "[Count]", m_nCount);
        RFX_Double(pFX, "[Size]", m_dSize);
    }
};

// A grid over table Items of a scratch database.
class ODBCGridTest : public ::testing::Test
{
protected:
    std::string m_path;
    CDatabase m_db;
    std::unique_ptr<CItemRecords> m_rs;
    CGRODBCGrid m_grid;
    MessageBoxRecorder m_boxes;

    void MakeDatabase(int nRows)
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = kvtest::ScratchDir(std::string("grid_") + info->name()) + "\\parts.sqlite";
        HANDLE h = ::CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
        ::CloseHandle(h);
        ASSERT_TRUE(m_db.OpenEx(Connect().c_str(), CDatabase::noOdbcDialog));
        m_db.ExecuteSQL("CREATE TABLE Items ([Item Key] INTEGER PRIMARY KEY, [Description] VARCHAR(64), "
                        "[Count] INTEGER, [Size] REAL)");
        m_db.BeginTrans();
        for (int n = 1; n <= nRows; n++)
        {
            CString sql;
            sql.Format("INSERT INTO Items VALUES (%d, 'Item %d', %d, %g)", n, n, n * 10, n / 4.0);
            m_db.ExecuteSQL(sql);
        }
        m_db.CommitTrans();
    }

    std::string Connect() const
    {
        return "Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=" + m_path + ";";
    }

    void OpenGrid(int nRows, DWORD dwOptions = CRecordset::none)
    {
        try
        {
            OpenGridOrThrow(nRows, dwOptions);
        }
        catch (CException* e)
        {
            char buf[512] = {};
            e->GetErrorMessage(buf, sizeof(buf));
            e->Delete();
            FAIL() << "database: " << buf;
        }
    }

    void OpenGridOrThrow(int nRows, DWORD dwOptions)
    {
        MakeDatabase(nRows);
        m_rs.reset(new CItemRecords(&m_db));
        m_rs->Open(CRecordset::dynaset, nullptr, dwOptions);
        RECT rc = { 0, 0, 500, 300 };
        m_grid.SetGridRect(TRUE, &rc);
        m_grid.OnGridInitialUpdate();
        m_grid.SetRecordset(m_rs.get());
        m_grid.OpenRecordset();
    }

    // Reads the stored rows through a recordset of its own: key -> "description|count".
    std::map<long, std::string> Stored()
    {
        std::map<long, std::string> out;
        CItemRecords rs(&m_db);
        rs.Open(CRecordset::snapshot, "SELECT * FROM Items", CRecordset::readOnly);
        while (!rs.IsEOF())
        {
            out[rs.m_nKey] = std::string(rs.m_strDescription.GetString()) + "|" + std::to_string(rs.m_nCount);
            rs.MoveNext();
        }
        rs.Close();
        return out;
    }

    void TearDown() override
    {
        m_grid.SetRecordset(nullptr);
        if (m_rs && m_rs->IsOpen())
            m_rs->Close();
        m_rs.reset();
        if (m_db.IsOpen())
            m_db.Close();
    }
};

} // namespace

TEST_F(ODBCGridTest, ShowsFieldsAsColumnsAndRecordsAsRows)
{
    OpenGrid(20);
    EXPECT_EQ(4u, m_grid.GetColCount());
    EXPECT_EQ(CString("Item Key"), m_grid.GetValueRowCol(0, 1));
    EXPECT_EQ(CString("Description"), m_grid.GetValueRowCol(0, 2));
    EXPECT_EQ(CString("Item 3"), m_grid.GetValueRowCol(3, 2));
    EXPECT_EQ(CString("170"), m_grid.GetValueRowCol(17, 3));
    EXPECT_EQ(CString("5"), m_grid.GetValueRowCol(20, 4));
    EXPECT_EQ(21u, m_grid.GetAppendRow());
    EXPECT_EQ(CString(""), m_grid.GetValueRowCol(21, 2));
}

TEST_F(ODBCGridTest, AnEditedRowIsWrittenOnceWhenLeftAndCancelLeavesTheDatabase)
{
    OpenGrid(5);
    m_grid.SetCurrentCell(2, 2);
    Type(m_grid, "Changed");
    Key(m_grid, VK_TAB);
    Type(m_grid, "77");
    EXPECT_EQ("Item 2|20", Stored()[2]);          // nothing written while on the row
    Key(m_grid, VK_DOWN);
    auto rows = Stored();
    EXPECT_EQ("Changed|77", rows[2]);
    EXPECT_EQ("Item 3|30", rows[3]);
    Key(m_grid, VK_UP);                            // back: shows the stored record
    EXPECT_EQ(CString("Changed"), m_grid.GetValueRowCol(2, 2));
    EXPECT_EQ(CString("77"), m_grid.GetValueRowCol(2, 3));
    // A second edit, cancelled, changes nothing.
    Type(m_grid, "99");
    Key(m_grid, VK_ESCAPE);
    Key(m_grid, VK_ESCAPE);
    Key(m_grid, VK_DOWN);
    EXPECT_EQ("Changed|77", Stored()[2]);
    EXPECT_EQ(5u, Stored().size());
}

TEST_F(ODBCGridTest, TheAppendRowInsertsARecordWhoseKeyTheGridShows)
{
    OpenGrid(3);
    EXPECT_TRUE(m_grid.OnInfoWndMoveRecord(GR_MOVE_NEW, 0));
    EXPECT_TRUE(m_grid.IsOnLastRecord());
    m_grid.SetCurrentCell(4, 2);
    Type(m_grid, "New part");
    Key(m_grid, VK_TAB);
    Type(m_grid, "5");
    Key(m_grid, VK_UP);
    auto rows = Stored();
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ("New part|5", rows[4]);
    EXPECT_EQ(5u, m_grid.GetRowCount());
    EXPECT_EQ(CString("4"), m_grid.GetValueRowCol(4, 1));   // the new key, read back
    EXPECT_EQ(CString("New part"), m_grid.GetValueRowCol(4, 2));
    ASSERT_TRUE(m_grid.MoveTo(4));
    EXPECT_EQ(4, m_rs->m_nKey);
}

TEST_F(ODBCGridTest, ARefusedValueKeepsTheRowTheTextAndTheDatabase)
{
    OpenGrid(4);
    m_grid.SetCurrentCell(3, 3);
    Type(m_grid, "abc");                           // not a number for [Count]
    Key(m_grid, VK_DOWN);
    EXPECT_EQ("3,3", Cur(m_grid));
    ASSERT_FALSE(m_boxes.texts.empty());
    EXPECT_NE(std::string::npos, m_boxes.texts.back().find("Count"));
    EXPECT_EQ(CString("abc"), m_grid.GetValueRowCol(3, 3));
    EXPECT_EQ("Item 3|30", Stored()[3]);
    // Corrected, it is stored.
    m_grid.SetValueRange(CGRRange(3, 3), "31");
    EXPECT_TRUE(m_grid.SetCurrentCell(1, 1));
    EXPECT_EQ("Item 3|31", Stored()[3]);
}

TEST_F(ODBCGridTest, DeletedRowsLeaveTheDatabaseAndTheRowsBelowMoveUp)
{
    OpenGrid(6);
    m_grid.SetCurrentCell(2, 2);
    m_grid.DeleteRows(2, 3);
    EXPECT_TRUE(m_boxes.texts.empty());
    auto rows = Stored();
    EXPECT_EQ(4u, rows.size());
    EXPECT_EQ(0u, rows.count(2));
    EXPECT_EQ(0u, rows.count(3));
    EXPECT_EQ(CString("Item 4"), m_grid.GetValueRowCol(2, 2));
    EXPECT_EQ(5u, m_grid.GetAppendRow());
    EXPECT_EQ("2,2", Cur(m_grid));
}

TEST_F(ODBCGridTest, SortsThroughTheRecordset)
{
    OpenGrid(5);
    CGRSortInfoArray sort;
    sort.SetSize(1);
    sort[0].nRC = 3;
    sort[0].bAscending = FALSE;
    m_grid.SortRows(CGRRange().SetTable(), sort);
    EXPECT_EQ(CString("[Count] DESC"), m_rs->m_strSort);
    EXPECT_EQ(CString("Item 5"), m_grid.GetValueRowCol(1, 2));
    EXPECT_EQ(CString("Item 1"), m_grid.GetValueRowCol(5, 2));
    EXPECT_EQ(3u, m_grid.Param()->GetLastSortedCol());
    EXPECT_FALSE(m_grid.Param()->IsLastSortAscending());
}

TEST_F(ODBCGridTest, AReadOnlyRecordsetOffersNoEditsAndNoAppendRow)
{
    OpenGrid(3, CRecordset::readOnly);
    EXPECT_EQ(3u, m_grid.GetRowCount());
    EXPECT_EQ(GR_INVALID, m_grid.GetAppendRow());
    m_grid.SetCurrentCell(1, 2);
    EXPECT_FALSE(m_grid.ActivateCurrentCell());
    EXPECT_FALSE(m_grid.SetValueRange(CGRRange(1, 2), "x"));
    EXPECT_EQ("Item 1|10", Stored()[1]);
}

TEST_F(ODBCGridTest, OpensAndPaintsALargeTableReadingOnlyWhatItShows)
{
    OpenGrid(3000);
    HDC hScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hScreen, 500, 300);
    ::ReleaseDC(nullptr, hScreen);
    ::SelectObject(hdc, hbm);
    m_grid.OnGridDraw(CDC::FromHandle(hdc));
    EXPECT_LT(m_grid.m_nRecordsRead, 40);
    EXPECT_LT(m_grid.m_nMoves, 200);
    m_grid.SetCurrentCell(1, 1);
    {
        KeysDown ctrl({ VK_CONTROL });
        Key(m_grid, VK_END);
    }
    EXPECT_EQ(3000, m_grid.GetBrowseParam()->m_nRecordCount);
    EXPECT_LT(m_grid.m_nMoves, 200);
    m_grid.m_nRecordsRead = 0;
    m_grid.OnGridDraw(CDC::FromHandle(hdc));
    EXPECT_LT(m_grid.m_nRecordsRead, 40);
    EXPECT_EQ(CString("Item 3000"), m_grid.GetValueRowCol(3000, 2));
    {
        KeysDown ctrl({ VK_CONTROL });
        Key(m_grid, VK_HOME);
    }
    EXPECT_EQ(CString("Item 1"), m_grid.GetValueRowCol(1, 2));
    ::DeleteDC(hdc);
    ::DeleteObject(hbm);
}

namespace {

// A grid that searches its cells one by one, for comparison.
class CCellSearchGrid : public CGRODBCGrid
{
protected:
    int FindInSource(ROWCOL&, ROWCOL&, CGRLongOperation&) override { return -1; }
};

} // namespace

// A grid over a set that keeps its keys finds a text through the data
// source: the same cells, in both directions, as the search cell by cell,
// over the columns shown, from any cell; the record being edited is
// searched as it shows; and a search that finds nothing says so.
TEST_F(ODBCGridTest, FindsThroughTheDataSourceWhatTheCellsHold)
{
    MakeDatabase(2600);
    m_db.ExecuteSQL("UPDATE Items SET [Description] = 'Last of them' WHERE [Item Key] = 7");
    m_rs.reset(new CItemRecords(&m_db));
    m_rs->m_strSort = "[Count] DESC";
    ASSERT_TRUE(m_rs->Open(CRecordset::dynaset));
    ASSERT_TRUE(m_rs->IsKeyed());
    CItemRecords cellRows(&m_db);
    cellRows.m_strSort = "[Count] DESC";
    cellRows.Open(CRecordset::dynaset);
    CCellSearchGrid cells;
    RECT rc = { 0, 0, 500, 300 };
    for (CGRODBCGrid* pGrid : { static_cast<CGRODBCGrid*>(&m_grid), static_cast<CGRODBCGrid*>(&cells) })
    {
        pGrid->SetGridRect(TRUE, &rc);
        pGrid->OnGridInitialUpdate();
    }
    m_grid.SetRecordset(m_rs.get());
    m_grid.OpenRecordset();
    cells.SetRecordset(&cellRows);
    cells.OpenRecordset();

    struct Case
    {
        const char* text;
        BOOL bCase;
        BOOL bDown;
        ROWCOL row, col;
        BOOL bHideDescription;
    };
    const Case cases[] = {
        { "item 25", FALSE, TRUE, 1, 1, FALSE },     // the Description of the first rows
        { "item 25", TRUE, TRUE, 1, 1, FALSE },      // case kept: nowhere
        { "Item 1999", TRUE, TRUE, 3, 2, FALSE },    // far down
        { "LAST OF", FALSE, TRUE, 1, 1, FALSE },     // the last rows
        { "2.5", FALSE, TRUE, 1, 4, FALSE },         // a number
        { "99", FALSE, TRUE, 100, 3, FALSE },        // the next cell of the start row
        { "99", FALSE, FALSE, 2000, 2, FALSE },      // upwards
        { "Item 26", FALSE, FALSE, 2590, 1, FALSE }, // upwards from near the end
        { "0", FALSE, TRUE, 2600, 4, FALSE },        // from the last cell: nothing after it
        { "Item 1", FALSE, TRUE, 1, 1, TRUE },       // a hidden column is not searched
    };
    for (const Case& c : cases)
    {
        for (CGRODBCGrid* pGrid : { static_cast<CGRODBCGrid*>(&m_grid), static_cast<CGRODBCGrid*>(&cells) })
        {
            pGrid->HideCols(2, 2, c.bHideDescription);
            pGrid->SetCurrentCell(c.row, c.col);
        }
        GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
        fr.strFind = c.text;
        fr.bCase = c.bCase;
        fr.bNext = c.bDown;
        ROWCOL row = 0, col = 0, cellRow = 0, cellCol = 0;
        BOOL bFound = m_grid.FindText(TRUE);
        m_grid.GetCurrentCell(row, col);
        BOOL bCellFound = cells.FindText(TRUE);
        cells.GetCurrentCell(cellRow, cellCol);
        EXPECT_EQ(bCellFound, bFound) << c.text;
        EXPECT_EQ(cellRow, row) << c.text;
        EXPECT_EQ(cellCol, col) << c.text;
    }
    for (CGRODBCGrid* pGrid : { static_cast<CGRODBCGrid*>(&m_grid), static_cast<CGRODBCGrid*>(&cells) })
        pGrid->HideCols(2, 2, FALSE);

    // A record edited and not stored yet is searched as it shows.
    m_grid.SetCurrentCell(1500, 2);
    Type(m_grid, "Needle");
    m_grid.SetCurrentCell(1500, 3);
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    fr.strFind = "needle";
    fr.bCase = FALSE;
    fr.bNext = FALSE;
    EXPECT_TRUE(m_grid.FindNextAndReport());
    ROWCOL row = 0, col = 0;
    m_grid.GetCurrentCell(row, col);
    EXPECT_EQ(1500u, row);
    EXPECT_EQ(2u, col);
    EXPECT_TRUE(m_boxes.texts.empty());

    fr.strFind = "Not there";
    fr.bNext = TRUE;
    EXPECT_FALSE(m_grid.FindNextAndReport());
    ASSERT_EQ(1u, m_boxes.texts.size());
    EXPECT_EQ("Cannot find \"Not there\".", m_boxes.texts[0]);
    cells.SetRecordset(nullptr);
    cellRows.Close();
}
