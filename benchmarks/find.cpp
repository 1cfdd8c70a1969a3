// Find Next for a text that no row holds, as the find box and F3 run it, on
// databases whose Pipe tab holds 1,000 and 100,000 components: the time from
// the first row until the grid gives up and says so, the 100,000 case
// against the 1,000 case in the same run, and against its goal.
//
// A search that has not ended after kStopSeconds is stopped as the user
// stops it (Escape) and counted as that long.
//
// The databases are made in bench_data beside this program from the skeleton
// the build makes.
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "benchmarks/support/BenchDatabase.h"
#include "benchmarks/support/BenchView.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "platform/grid/GRApp.h"

#include <memory>
#include <thread>

namespace {

using namespace bench;

const int kRuns = 3;
const DWORD kStopSeconds = 30;
const char kMissing[] = "no row holds this";

int g_nMessages = 0;

int RecordMessage(HWND, LPCTSTR, UINT)
{
    g_nMessages++;
    return IDOK;
}

struct Database
{
    int pipes;
    std::unique_ptr<BenchView> view;
};

double FindMissing(Database& d)
{
    CGridWindow* pGrid = d.view->Grid();
    pGrid->SetCurrentCell(1, kvgrid::COL_DESCRIPTION);
    // The find box's text, searched downwards without regard to case.
    d.view->View()->SetFindText(kMissing);
    GRGetAppState()->m_findReplace.bCase = FALSE;
    g_nMessages = 0;
    // Escape, as the user would press it, once the search has run too long.
    HWND hGrid = pGrid->GetSafeHwnd();
    HANDLE hDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread stopper([hGrid, hDone] {
        if (WaitForSingleObject(hDone, kStopSeconds * 1000) == WAIT_TIMEOUT)
            PostMessageA(hGrid, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    BOOL bFound = TRUE;
    double ms = TimeMs([&] { bFound = d.view->View()->FindNextPrev(TRUE); });
    SetEvent(hDone);
    stopper.join();
    CloseHandle(hDone);
    PumpMessages();
    ROWCOL row = 0, col = 0;
    pGrid->GetCurrentCell(row, col);
    Expect(!bFound, "the search of %d found \"%s\"", d.pipes, kMissing);
    Expect(row == 1, "the search of %d left the first row for row %lu", d.pipes, (unsigned long)row);
    if (ms >= kStopSeconds * 1000.0)
        Print("  (the search of %d was stopped after %lu s)", d.pipes, (unsigned long)kStopSeconds);
    return ms;
}

} // namespace

int main()
{
    CKelvaronApp app;
    GRGetAppState()->m_pfnMessageBox = RecordMessage;
    Database sizes[2] = {{1000}, {100000}};
    for (Database& d : sizes) {
        std::string file = DataFile("tabs" + std::to_string(d.pipes / 1000) + "k.sqlite");
        if (!MakeOneTabDatabase(file, d.pipes, 20))
            return 1;
        d.view = std::make_unique<BenchView>(file);
        if (!d.view->IsOpen())
            return 1;
        d.view->SelectTab(kvgrid::TABLE_PIPE);
        d.view->Paint();
    }
    Print("Find Next of a text no row holds, from the first row of the Pipe tab, %d runs", kRuns);
    int nMessages100k = 0;
    Paired p = Interleave(
        kRuns,
        [&] {
            double ms = FindMissing(sizes[1]);
            nMessages100k = g_nMessages;
            return ms;
        },
        [&] { return FindMissing(sizes[0]); });
    PrintRatio("100,000 in the tab", "1,000 in the tab", p, 0);
    PrintTime("100,000 in the tab", p.a, 1000);
    Print("  the user is told that nothing was found: %s", nMessages100k == 1 ? "yes" : "no");
    for (Database& d : sizes)
        d.view.reset();
    return ExitStatus();
}
