// The component grid over a database of 50,000 components: the time to open
// the Pipe table, then to switch to each other table in turn (each switch as
// the view makes it: the table's recordset opened, the columns fitted, the
// remembered row found, and the rows in view painted).
//
// The database is made once, beside this program (bench_data\grid50k.sqlite),
// from the skeleton database the build makes.
#include "app/KelvaronApp.h"
#include "benchmarks/BenchSupport.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "grids/window/GridWindow.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

const int kComponents = 50000;
using namespace bench;

// Components of every kind in turn, each tape with its Tapes row.
bool MakeDatabase(const std::string& file)
{
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    if (!CopySkeleton(file))
        return false;
    CDatabase db;
    db.OpenEx(CKelvaronDoc::GetConnectString(file.c_str()), CDatabase::noOdbcDialog);
    // (Database Number, Flags) of the 18 component tables.
    const char* kinds = "(1,0),(1,2),(2,0),(3,0),(4,0),(6,0),(7,0),(8,0),(9,0),(11,0),(12,0),(13,0),(21,0),(22,0),"
                        "(24,0),(23,0),(14,0),(15,0)";
    std::string sql =
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(kComponents - 1) +
        "), k(idx, num, flags) AS (SELECT row_number() OVER () - 1, column1, column2 FROM (VALUES " + kinds +
        ")) INSERT INTO Components ([Database Number], [Flags], [Description], [Warehouse Code], [Supplier Code], "
        "[Usage], [Reals1], [Reals2], [Reals4], [Reals7], [Reals8], [Rextra1], [Rextra2], [Colour1], [Linetype]) "
        "SELECT k.num, k.flags, 'Component ' || n.i, 'WH-' || n.i, 'SUP ', 'M  ', 20 + (n.i % 30) * 5, "
        "21 + (n.i % 30) * 5, 60 + n.i % 40, 1.5 + (n.i % 100) / 10.0, 2.5 + (n.i % 100) / 10.0, n.i % 50, "
        "50 + n.i % 50, 255 * (n.i % 3), n.i % 4 FROM n JOIN k ON k.idx = n.i % 18";
    db.ExecuteSQL(sql.c_str());
    db.ExecuteSQL("INSERT INTO Tapes ([Pipe Key], [Flow Calc Type], [Reals1], [Reals2], [Reals4]) "
                  "SELECT [Component Key], 'PC  ', 1.2, 0.5, 0.3 FROM Components WHERE [Flags] = 2");
    db.Close();
    return true;
}

} // namespace

int main()
{
    CKelvaronApp app;
    std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string file = folder + "\\grid50k.sqlite";
    try
    {
        if (!MakeDatabase(file))
            return 1;
    }
    catch (CException* e)
    {
        char text[512] = {};
        e->GetErrorMessage(text, sizeof(text));
        std::printf("cannot make the database: %s\n", text);
        e->Delete();
        return 1;
    }

    CKelvaronDoc* pDoc = new CKelvaronDoc;
    pDoc->m_bAutoDelete = FALSE;
    if (!pDoc->ConnectDatabase(file.c_str()))
        return 1;
    CKelvaronView* pView = new CKelvaronView;
    pDoc->AddView(pView);
    pView->ReadFieldLengths();
    CWnd parent;
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    parent.CreateEx(0, cls, "grid benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 700, nullptr, nullptr);
    CGRRecordInfoWnd info;
    info.Create(WS_VISIBLE, CRect(0, 0, 980, 660), &parent, 1327);
    CGridWindow* pGrid = new CGridWindow(pView);
    pGrid->Create(WS_VISIBLE, CRect(0, 0, 1, 1), &info, 1328);
    info.AttachWnd(pGrid);
    pView->SetGrid(pGrid);

    std::printf("%d components\n", kComponents);
    auto start = Clock::now();
    pGrid->InitGrid();
    pView->SwitchGridTable(0);
    pGrid->UpdateWindow();
    auto end = Clock::now();
    std::printf("%-14s %8.1f ms (%ld rows read)\n", "open Pipe", Milliseconds(start, end), pGrid->m_nRecordsRead);
    for (int t = 1; t < kvgrid::ComponentTableCount; t++)
    {
        long read = pGrid->m_nRecordsRead;
        start = Clock::now();
        pView->SwitchGridTable(t);
        pGrid->UpdateWindow();
        end = Clock::now();
        std::printf("%-14s %8.1f ms (%ld rows read)\n", (LPCTSTR)kvgrid::GetTableTitle(t), Milliseconds(start, end),
                    pGrid->m_nRecordsRead - read);
    }
    start = Clock::now();
    pView->SwitchGridTable(0);
    pGrid->UpdateWindow();
    end = Clock::now();
    std::printf("%-14s %8.1f ms\n", "back to Pipe", Milliseconds(start, end));

    pGrid->DetachRecordBeam();
    info.AttachWnd(nullptr);
    delete pGrid;
    info.DestroyWindow();
    parent.DestroyWindow();
    pDoc->RemoveView(pView);
    delete pView;
    delete pDoc;
    return 0;
}
