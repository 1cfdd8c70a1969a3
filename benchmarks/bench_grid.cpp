// Timing of the grid over a recordset: for tables of 1,000 and 100,000 rows,
// the time from opening the grid to its first painted page, then to page
// through to the end (Page Down, painting each page), and to jump to the end
// and back (Ctrl+End, Ctrl+Home).
#include "platform/grid/GridLib.h"
#include "benchmarks/support/Bench.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace {

using namespace bench;

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A Components-shaped table: a key, texts and reals.
class CBenchRecords : public CRecordset
{
public:
    explicit CBenchRecords(CDatabase* pdb) : CRecordset(pdb)
    {
        m_nFields = 10;
        m_nDefaultType = dynaset;
    }
    long m_nKey = 0;
    CString m_strDescription, m_strCode, m_strSupplier, m_strUsage;
    double m_d1 = 0, m_d2 = 0, m_d3 = 0, m_d4 = 0;
    long m_nFlags = 0;

    CString GetDefaultSQL() override { return "[Items]"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[Item Key]", m_nKey);
        RFX_Text(pFX, "[Description]", m_strDescription);
        RFX_Text(pFX, "[Warehouse Code]", m_strCode);
        RFX_Text(pFX, "[Supplier Code]", m_strSupplier);
        RFX_Text(pFX, "[Usage]", m_strUsage);
        RFX_Double(pFX, "[Reals1]", m_d1);
        RFX_Double(pFX, "[Reals2]", m_d2);
        RFX_Double(pFX, "[Reals3]", m_d3);
        RFX_Double(pFX, "[Reals4]", m_d4);
        RFX_Long(pFX, "[Flags]", m_nFlags);
    }
};

std::string MakeDatabase(long nRows)
{
    char dir[MAX_PATH];
    ::GetTempPathA(sizeof(dir), dir);
    std::string path = std::string(dir) + "kv_bench_grid_" + std::to_string(nRows) + ".sqlite";
    ::DeleteFileA(path.c_str());
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ::CloseHandle(h);
    CDatabase db;
    std::string connect = "Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=" + path + ";";
    db.OpenEx(connect.c_str(), CDatabase::noOdbcDialog);
    db.ExecuteSQL("CREATE TABLE Items ([Item Key] INTEGER PRIMARY KEY, [Description] VARCHAR(64), "
                  "[Warehouse Code] VARCHAR(32), [Supplier Code] VARCHAR(16), [Usage] VARCHAR(3), "
                  "[Reals1] REAL, [Reals2] REAL, [Reals3] REAL, [Reals4] REAL, [Flags] INTEGER)");
    CString sql;
    sql.Format("INSERT INTO Items SELECT x, 'Component ' || x, 'WH' || x, 'SUP' || (x % 50), 'N', "
               "x / 4.0, x / 8.0, x * 1.5, 0.25, x %% 3 FROM (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL "
               "SELECT x + 1 FROM c WHERE x < %ld) SELECT x FROM c)",
               nRows);
    db.ExecuteSQL(sql);
    db.Close();
    return connect;
}

void Run(long nRows)
{
    std::string connect = MakeDatabase(nRows);
    CDatabase db;
    db.OpenEx(connect.c_str(), CDatabase::noOdbcDialog);

    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    CWnd frame;
    frame.CreateEx(0, cls, "grid benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr, nullptr);
    CGRRecordInfoWnd info;
    info.Create(WS_VISIBLE, CRect(0, 0, 880, 660), &frame, 1);
    CGRRecordWnd grid;
    grid.Create(0, CRect(0, 0, 1, 1), &info, 2);
    grid.SetParam(new CGRDbParam);
    grid.Initialize();
    info.AttachWnd(&grid);
    Pump();

    Clock::time_point t0 = Clock::now();
    CBenchRecords rs(&db);
    rs.Open(CRecordset::dynaset);
    grid.SetRecordset(&rs);
    grid.OpenRecordset();
    grid.SetCurrentCell(1, 1);
    grid.RedrawWindow();
    Clock::time_point tFirst = Clock::now();
    long readFirst = grid.m_nRecordsRead;

    // Page by page to the end, painting each page.
    int pages = 0;
    ROWCOL row = 0, col = 0;
    while (pages < 1000000)
    {
        ROWCOL before = 0;
        grid.GetCurrentCell(before, col);
        grid.SendMessage(WM_KEYDOWN, VK_NEXT, 1);
        grid.UpdateWindow();
        pages++;
        grid.GetCurrentCell(row, col);
        if (row == before)
            break;
    }
    Clock::time_point tEnd = Clock::now();
    long readPaging = grid.m_nRecordsRead;

    // Back to the top and straight to the end and back.
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] |= 0x80;
    ::SetKeyboardState(keys);
    grid.SendMessage(WM_KEYDOWN, VK_HOME, 1);
    grid.UpdateWindow();
    Clock::time_point tJump0 = Clock::now();
    grid.SendMessage(WM_KEYDOWN, VK_END, 1);
    grid.UpdateWindow();
    Clock::time_point tJumpEnd = Clock::now();
    grid.SendMessage(WM_KEYDOWN, VK_HOME, 1);
    grid.UpdateWindow();
    Clock::time_point tJumpBack = Clock::now();
    keys[VK_CONTROL] &= ~0x80;
    ::SetKeyboardState(keys);

    printf("%8ld rows: first page %8.1f ms (%ld records read); paged to the end in %8.1f ms "
           "(%d pages, %ld records read); Ctrl+End %6.1f ms, Ctrl+Home %6.1f ms; last row %lu\n",
           nRows, Milliseconds(t0, tFirst), readFirst, Milliseconds(tFirst, tEnd), pages, readPaging - readFirst, Milliseconds(tJump0, tJumpEnd),
           Milliseconds(tJumpEnd, tJumpBack), (unsigned long)row);
    fflush(stdout);
    Expect(row >= (ROWCOL)nRows, "paging of %ld rows ended at row %lu", nRows, (unsigned long)row);

    grid.SetRecordset(nullptr);
    rs.Close();
    grid.DestroyWindow();
    info.DestroyWindow();
    frame.DestroyWindow();
    db.Close();
}

} // namespace

int main()
{
    try
    {
        Run(1000);
        Run(100000);
    }
    catch (CException* e)
    {
        char buf[512] = {};
        e->GetErrorMessage(buf, sizeof(buf));
        e->Delete();
        printf("failed: %s\n", buf);
        return 1;
    }
    return ExitStatus();
}
