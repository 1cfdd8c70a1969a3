// Opening a tab to its first painted page, on databases whose Pipe tab holds
// 1,000, 10,000 and 100,000 components (every other tab 20): the time from
// choosing the Pipe tab (coming from the Valve tab) until the database window
// has painted, as the user does it, each size against the 1,000 case in the
// same run. A tab that costs the same at every size shows ratios near 1.
//
// Also the switch through all 18 tabs of the largest.
//
// The databases are made once, beside this program (bench_data\tabs*.sqlite),
// from the skeleton database the build makes.
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "benchmarks/support/BenchDatabase.h"
#include "benchmarks/support/BenchView.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"

#include <memory>

namespace {

using namespace bench;

const int kOthersEach = 20;
const int kRuns = 9;

struct Tabs
{
    int pipes;
    std::string file;
    std::unique_ptr<BenchView> view;
};

// The Pipe tab chosen from the Valve tab, painted; checks that the grid
// shows the tab's rows.
double OpenPipeTab(Tabs& t)
{
    t.view->SelectTab(kvgrid::TABLE_VALVE);
    t.view->Paint();
    double ms = TimeMs([&] {
        t.view->SelectTab(kvgrid::TABLE_PIPE);
        t.view->Paint();
    });
    CGridWindow* pGrid = t.view->Grid();
    Expect(pGrid->GetTableType() == kvgrid::TABLE_PIPE, "the Pipe tab of %d is not shown", t.pipes);
    Expect(pGrid->GetRecordset() != nullptr && pGrid->GetRecordset()->IsOpen() && !pGrid->GetRecordset()->IsEOF(),
           "the Pipe tab of %d shows no row", t.pipes);
    return ms;
}

} // namespace

int main()
{
    CKelvaronApp app;
    Tabs sizes[3] = {{1000}, {10000}, {100000}};
    for (Tabs& t : sizes) {
        t.file = DataFile("tabs" + std::to_string(t.pipes / 1000) + "k.sqlite");
        if (!MakeOneTabDatabase(t.file, t.pipes, kOthersEach))
            return 1;
        t.view = std::make_unique<BenchView>(t.file);
        if (!t.view->IsOpen())
            return 1;
    }
    Print("Opening the Pipe tab (from the Valve tab) to its first painted page, %d runs", kRuns);
    for (int i = 1; i < 3; i++) {
        Paired p = Interleave(kRuns, [&] { return OpenPipeTab(sizes[i]); }, [&] { return OpenPipeTab(sizes[0]); });
        std::string name = std::to_string(sizes[i].pipes) + " components in the tab";
        PrintRatio(name.c_str(), "1,000 in the tab", p, 1.5);
    }

    Print("Every tab of the database of 100,000 in turn");
    Tabs& large = sizes[2];
    for (int tab = 0; tab < kvgrid::ComponentTableCount; tab++) {
        double ms = TimeMs([&] {
            large.view->SelectTab(tab);
            large.view->Paint();
        });
        Print("  %-14s %8.1f ms", (LPCTSTR)kvgrid::GetTableTitle(tab), ms);
    }
    for (Tabs& t : sizes)
        t.view.reset();
    return ExitStatus();
}
