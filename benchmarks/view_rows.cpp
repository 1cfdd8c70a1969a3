// The main view moving its current row through 1,000 assemblies (each move
// refills the side grid of the assembly's items and paints the view), in
// databases of different sizes: the time per move should not grow with the
// number of components or of assembly rows in the database.
//
// The databases are made once, beside this program (bench_data\...), from
// the skeleton database the build makes: 1,000 valve assemblies of three to
// seven items each, and other components and assemblies around them.
#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "benchmarks/support/BenchView.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace bench;

const int kAssemblies = 1000;
// Each assembly has 3 to 7 items (by its key), so that the side grid's row
// count changes from move to move as it does in real databases.
const int kMaxItems = 7;

struct Size
{
    const char* name;
    int nComponents;         // components other than the valve assemblies
    int nOtherAssemblies;    // miscellaneous assemblies of ten items each
};

// Components of every kind but valves, then the valve assemblies, whose
// items are some of the others; then assemblies of the other components.
bool MakeDatabase(const std::string& file, const Size& size)
{
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    if (!CopySkeleton(file))
        return false;
    CDatabase db;
    db.OpenEx(CKelvaronDoc::GetConnectString(file.c_str()), CDatabase::noOdbcDialog);
    const std::string n = std::to_string(size.nComponents);
    // (Database Number, Flags) of the kinds other than valves.
    const char* kinds = "(1,0),(3,0),(4,0),(6,0),(7,0),(8,0),(9,0),(11,0),(12,0),(13,0),(21,0),(22,0),(24,0),(23,0),"
                        "(14,0),(15,0)";
    db.ExecuteSQL(("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " + n +
                   " - 1), k(idx, num, flags) AS (SELECT row_number() OVER () - 1, column1, column2 FROM (VALUES " +
                   kinds + ")) INSERT INTO Components ([Database Number], [Flags], [Description], [Warehouse Code], "
                   "[Supplier Code], [Usage], [Reals1]) SELECT k.num, k.flags, 'Component ' || n.i, 'WH-' || n.i, "
                   "'SUP ', 'M  ', 20 + n.i % 30 FROM n JOIN k ON k.idx = n.i % 16")
                      .c_str());
    db.ExecuteSQL(("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                   std::to_string(kAssemblies) +
                   " - 1) INSERT INTO Components ([Database Number], [Flags], [Description], [Warehouse Code]) "
                   "SELECT 2, 1, 'Valve assembly ' || n.i, 'ASM-' || n.i FROM n")
                      .c_str());
    db.ExecuteSQL(("WITH RECURSIVE j(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM j WHERE j < " +
                   std::to_string(kMaxItems) +
                   " - 1) INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) "
                   "SELECT C.[Component Key], 1 + (C.[Component Key] * 7 + j.j * 13) % " + n +
                   ", 1 + j.j FROM Components C, j WHERE C.[Database Number] = 2 AND j.j < 3 + C.[Component Key] % 5 "
                   "ORDER BY C.[Component Key], j.j")
                      .c_str());
    if (size.nOtherAssemblies > 0) {
        db.ExecuteSQL(("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                       std::to_string(size.nOtherAssemblies) +
                       " - 1) INSERT INTO Components ([Database Number], [Flags], [Description], [Warehouse Code]) "
                       "SELECT 14, 1, 'Kit ' || n.i, 'KIT-' || n.i FROM n")
                          .c_str());
        db.ExecuteSQL(("WITH RECURSIVE j(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM j WHERE j < 9) "
                       "INSERT INTO Assemblies ([Assembly Key], [Item Key], [Number/Length]) "
                       "SELECT C.[Component Key], 1 + (C.[Component Key] * 3 + j.j * 17) % " + n +
                       ", 1 FROM Components C, j WHERE C.[Database Number] = 14 AND C.[Flags] = 1")
                          .c_str());
    }
    db.Close();
    return true;
}

// Opens the database in a view of its own window, moves through the valve
// assemblies and prints the time per move.
bool Measure(const std::string& file, const Size& size)
{
    BenchView window(file);
    if (!window.IsOpen())
        return false;
    CKelvaronDoc* pDoc = window.Doc();
    CKelvaronView* pView = window.View();
    CGridWindow* pGrid = window.Grid();
    pView->SelectTab(kvgrid::TABLE_VALVE);
    pGrid->SetCurrentCell(1, kvgrid::COL_DESCRIPTION);
    window.Paint();

    const int nMoves = kAssemblies - 1;
    // Every item of every assembly but the first is shown once.
    CRecordset total(pDoc->GetDatabase());
    total.Open(CRecordset::forwardOnly,
               "SELECT COUNT(*) FROM Assemblies WHERE [Assembly Key] IN "
               "(SELECT [Component Key] FROM Components WHERE [Database Number] = 2)",
               CRecordset::readOnly);
    CString count;
    total.GetFieldValue((short)0, count);
    total.Close();
    const long nItemsExpected = std::atol(count) - pView->GetAssemWnd()->GetKeyCount();
    long nItemsSeen = 0;
    auto start = Clock::now();
    for (int row = 2; row <= kAssemblies; row++) {
        pGrid->SetCurrentCell((ROWCOL)row, kvgrid::COL_DESCRIPTION);
        window.Paint();
        nItemsSeen += pView->GetAssemWnd()->GetKeyCount();
    }
    auto end = Clock::now();
    const long nAssemblyRows = std::atol(count) + size.nOtherAssemblies * 10;
    std::printf("%-6s %7d components %7ld assembly rows: %6.2f ms per move (%d moves, %ld items shown)\n",
                size.name, size.nComponents + kAssemblies + size.nOtherAssemblies, nAssemblyRows,
                Milliseconds(start, end) / nMoves, nMoves, nItemsSeen);
    if (nItemsSeen != nItemsExpected)
        std::printf("the side grid showed %ld items of %ld\n", nItemsSeen, nItemsExpected);
    return nItemsSeen == nItemsExpected;
}

} // namespace

int main()
{
    CKelvaronApp app;
    std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    const Size sizes[] = {
        { "small", 5000, 0 },
        { "medium", 50000, 5000 },
        { "large", 200000, 20000 },
    };
    int status = 0;
    for (const Size& size : sizes) {
        std::string file = folder + "\\view_" + size.name + ".sqlite";
        try {
            if (!MakeDatabase(file, size) || !Measure(file, size))
                status = 1;
        }
        catch (CException* e) {
            char text[512] = {};
            e->GetErrorMessage(text, sizeof(text));
            std::printf("%s: %s\n", size.name, text);
            e->Delete();
            status = 1;
        }
    }
    return status;
}
