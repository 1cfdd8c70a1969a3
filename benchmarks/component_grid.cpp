// The component grid over a database of 50,000 components: the time to open
// the Pipe table, then to switch to each other table in turn (each switch as
// the view makes it: the table's recordset opened, the columns fitted, the
// remembered row found, and the rows in view painted).
//
// The database is made once, beside this program (bench_data\grid50k.sqlite),
// from the skeleton database the build makes.
#include "app/KelvaronApp.h"
#include "benchmarks/BenchDatabase.h"
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

} // namespace

int main()
{
    CKelvaronApp app;
    std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string file = folder + "\\grid50k.sqlite";
    if (!MakeComponentDatabase(file, kComponents))
        return 1;

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
