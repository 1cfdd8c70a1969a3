// What a store and a paste cost beside the write itself, on databases whose
// Pipe tab holds 1,000 and 100,000 components:
// - finding a component's row after a store (the grid's FindKey, as the view
//   calls it after an editor's save), for the last row of the tab;
// - the duplicate test of a store (a description no component has, and one
//   a component has), per test;
// - a paste of 1,000 pipes from another database into the database holding
//   100,000 pipes, against the same paste into one holding 1,000.
// Each against the 1,000 case in the same run; the row finding and the
// duplicate test also against their goals in milliseconds.
//
// The databases are made in bench_data beside this program from the skeleton
// the build makes.
#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"
#include "benchmarks/support/BenchDatabase.h"
#include "benchmarks/support/BenchView.h"
#include "grids/core/ComponentPaste.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"

#include <memory>

namespace {

using namespace bench;

const int kRuns = 9;
const int kTests = 100;
const int kPasted = 1000;

struct Database
{
    int pipes;
    std::string file;
    std::unique_ptr<BenchView> view;
    long nLastKey = 0;   // the key in the Pipe tab's last row
};

long KeyOfRow(CGridWindow* pGrid, ROWCOL row)
{
    if (!pGrid->MoveTo(row))
        return -1;
    CString value;
    pGrid->OnGetRecordset()->GetFieldValue((short)0, value);
    return std::atol(value);
}

// FindKey of the last row's key from the first row, as after a store.
double FindLastRow(Database& d)
{
    CGridWindow* pGrid = d.view->Grid();
    pGrid->SetCurrentCell(1, kvgrid::COL_DESCRIPTION);
    ROWCOL current = 0, col = 0;
    pGrid->GetCurrentCell(current, col);
    Expect(current == 1, "the search did not start from the first row");
    ROWCOL row = 0;
    double ms = TimeMs([&] { row = pGrid->FindKey(d.nLastKey); });
    Expect(KeyOfRow(pGrid, row) == d.nLastKey, "FindKey(%ld) gave row %lu of another key", d.nLastKey,
           (unsigned long)row);
    return ms;
}

// kTests duplicate tests; the time per test.
double DuplicateTests(Database& d, bool bPresent)
{
    CDatabase* pDb = d.view->Doc()->GetDatabase();
    CString description = bPresent ? "Component 7" : "A component no one has";
    long nFound = 0;
    double ms = TimeMs([&] {
        for (int i = 0; i < kTests; i++)
            nFound = kvgrid::FindDuplicateComponent(pDb, description, bPresent ? "WH-7" : "", 1, -1);
    });
    Expect((nFound != -1) == bPresent, "the duplicate test of \"%s\" answered %ld", (LPCTSTR)description, nFound);
    return ms / kTests;
}

// The source of the pastes: kPasted pipes that neither target holds.
bool MakeSource(const std::string& file)
{
    if (!MakeOneTabDatabase(file, kPasted, 0))
        return false;
    CDatabase db;
    db.OpenEx(GetComponentConnectString(file.c_str()), CDatabase::noOdbcDialog);
    db.ExecuteSQL("UPDATE Components SET [Description] = 'Pasted ' || [Component Key] "
                  "WHERE [Description] NOT LIKE 'Pasted %'");
    db.Close();
    return true;
}

// Pastes every component of the source into a fresh copy of `target`.
double Paste(const std::string& source, const std::string& target, int nTargetPipes)
{
    std::string copy = DataFile("paste_target.sqlite", true);
    CopyFileA(target.c_str(), copy.c_str(), FALSE);
    double ms = 0;
    try {
        CDatabase from, to;
        from.OpenEx(GetComponentConnectString(source.c_str()), CDatabase::noOdbcDialog);
        to.OpenEx(GetComponentConnectString(copy.c_str()), CDatabase::noOdbcDialog);
        const std::vector<long> keys =
            QueryKeys(&from, "SELECT [Component Key] FROM Components ORDER BY [Component Key]");
        kvgrid::CComponentPaste paste(&from, &to);
        ms = TimeMs([&] {
            for (long key : keys)
                paste.Paste(key);
        });
        Expect(paste.GetAddedCount() == kPasted, "the paste added %d components of %d", paste.GetAddedCount(),
               kPasted);
        Expect(QueryNumber(to, "SELECT COUNT(*) FROM Components WHERE [Database Number] = 1 AND [Flags] = 0") ==
                   nTargetPipes + kPasted,
               "the target does not hold its pipes and the pasted ones");
        to.Close();
        from.Close();
    } catch (CException* e) {
        PrintException(e, "the paste");
    }
    return ms;
}

} // namespace

int main()
{
    CKelvaronApp app;
    Database sizes[2] = {{1000}, {100000}};
    for (Database& d : sizes) {
        d.file = DataFile("store" + std::to_string(d.pipes / 1000) + "k.sqlite");
        if (!MakeOneTabDatabase(d.file, d.pipes, 20))
            return 1;
        d.view = std::make_unique<BenchView>(d.file);
        if (!d.view->IsOpen())
            return 1;
        d.view->SelectTab(kvgrid::TABLE_PIPE);
        d.view->Paint();
        CGridWindow* pGrid = d.view->Grid();
        pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
        ROWCOL last = pGrid->GetRowCount();
        if (pGrid->GetAppendRow() == last)
            last--;
        d.nLastKey = KeyOfRow(pGrid, last);
        Expect(last == (ROWCOL)d.pipes, "the Pipe tab of %d shows %lu rows", d.pipes, (unsigned long)last);
    }

    Print("Finding the row of a component after a store (the last row of the Pipe tab), %d runs", kRuns);
    Paired find = Interleave(kRuns, [&] { return FindLastRow(sizes[1]); }, [&] { return FindLastRow(sizes[0]); });
    PrintRatio("100,000 in the tab", "1,000 in the tab", find, 0);
    PrintTime("100,000 in the tab", find.a, 20);

    Print("The duplicate test of a store, per test");
    for (bool bPresent : {false, true}) {
        Paired dup = Interleave(kRuns, [&] { return DuplicateTests(sizes[1], bPresent); },
                                [&] { return DuplicateTests(sizes[0], bPresent); });
        const char* name = bPresent ? "100,000 pipes, a twin exists" : "100,000 pipes, no twin";
        PrintRatio(name, "1,000 pipes", dup, 0);
        PrintTime(name, dup.a, 1);
    }
    for (Database& d : sizes)
        d.view.reset();

    std::string source = DataFile("paste_source_pipes.sqlite");
    if (!MakeSource(source))
        return 1;
    Print("Pasting %d pipes from another database, %d runs", kPasted, 5);
    Paired paste = Interleave(5, [&] { return Paste(source, sizes[1].file, sizes[1].pipes); },
                              [&] { return Paste(source, sizes[0].file, sizes[0].pipes); });
    PrintRatio("into 100,000 pipes", "into 1,000 pipes", paste, 0);
    DeleteFileA(DataFile("paste_target.sqlite").c_str());
    return ExitStatus();
}
