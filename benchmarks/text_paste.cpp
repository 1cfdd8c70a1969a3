// Pasting rows of text (as a spreadsheet puts them on the clipboard) into the
// new row of the Pipe tab, through the main view's Paste, as the user does:
// - 2,000 rows into a database of 100,000 pipes, against the same paste
//   into one of 1,000 (the time per row should not grow with the table);
// - 2,000 rows into the database of 1,000 pipes, against the same rows
//   written by one prepared insert in a transaction (the database's own
//   speed): what the grid adds to each row (its checks, conversions and the
//   duplicate test).
// Each paste starts from a fresh copy of its database, opened in the
// program's own view; only the paste is timed.
//
// The databases are made in bench_data beside this program from the skeleton
// the build makes.
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "benchmarks/support/BenchDatabase.h"
#include "benchmarks/support/BenchView.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "platform/framework/window/Clipboard.h"
#include "platform/odbc/OZUStatement.h"

#include <string>

namespace {

using namespace bench;

const int kRuns = 3;
const int kRows = 2000;

// kRows pipes as text: description and warehouse code (a supplier code
// the database lacks would ask whether to add the supplier).
CString PipeText()
{
    CString text;
    for (int i = 0; i < kRows; i++) {
        CString row;
        row.Format("Pasted pipe %d\tPP-%d\r\n", i, i);
        text += row;
    }
    return text;
}

long PipeCount(CDatabase& db)
{
    return QueryNumber(db, "SELECT COUNT(*) FROM Components WHERE [Database Number] = 1 AND [Flags] = 0");
}

// Pastes the text into the new row of the Pipe tab of a fresh copy of
// `file`, which holds nPipes pipes.
double PasteThroughTheView(const std::string& file, int nPipes, const CString& text)
{
    const std::string copy = DataFile("text_paste_target.sqlite", true);
    CopyFileA(file.c_str(), copy.c_str(), FALSE);
    double ms = 0;
    {
        BenchView view(copy);
        if (!Expect(view.IsOpen(), "%s did not open", copy.c_str()))
            return 0;
        view.SelectTab(kvgrid::TABLE_PIPE);
        view.Paint();
        CGridWindow* pGrid = view.Grid();
        pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
        pGrid->SetFocus();
        pGrid->SetCurrentCell(pGrid->GetAppendRow(), kvgrid::COL_DESCRIPTION);
        if (!Expect(AfxWriteClipboardText(nullptr, text) != FALSE, "the clipboard took no text"))
            return 0;
        ms = TimeMs([&] { view.View()->GetClipboard().PasteRows(nullptr); });
        view.Paint();
    }
    CDatabase db;
    db.OpenEx(Connect(copy).c_str(), CDatabase::noOdbcDialog);
    Expect(PipeCount(db) == nPipes + kRows, "the paste left %ld pipes, not %d", PipeCount(db), nPipes + kRows);
    db.Close();
    return ms;
}

// The same rows written by one prepared insert in one transaction.
double InsertDirectly(const std::string& file, int nPipes)
{
    const std::string copy = DataFile("text_paste_target.sqlite", true);
    CopyFileA(file.c_str(), copy.c_str(), FALSE);
    double ms = 0;
    try {
        CDatabase db;
        db.OpenEx(Connect(copy).c_str(), CDatabase::noOdbcDialog);
        ms = TimeMs([&] {
            db.BeginTrans();
            OZUStatement insert(&db, "INSERT INTO Components ([Database Number], [Flags], [Description], "
                                     "[Warehouse Code]) VALUES (1, 0, ?, ?)");
            for (int i = 0; i < kRows; i++) {
                CString description, code;
                description.Format("Pasted pipe %d", i);
                code.Format("PP-%d", i);
                insert.SetText(1, description);
                insert.SetText(2, code);
                insert.Execute();
            }
            db.CommitTrans();
        });
        Expect(PipeCount(db) == nPipes + kRows, "the insert left %ld pipes, not %d", PipeCount(db), nPipes + kRows);
        db.Close();
    } catch (CException* e) {
        PrintException(e, "the insert");
    }
    return ms;
}

} // namespace

int main()
{
    CKelvaronApp app;
    const std::string small = DataFile("text_paste1k.sqlite");
    const std::string large = DataFile("text_paste100k.sqlite");
    if (!MakeOneTabDatabase(small, 1000, 20) || !MakeOneTabDatabase(large, 100000, 20))
        return 1;
    const CString text = PipeText();

    Print("Pasting %d rows of text into the Pipe tab's new row, %d runs", kRows, kRuns);
    Paired size = Interleave(kRuns, [&] { return PasteThroughTheView(large, 100000, text); },
                             [&] { return PasteThroughTheView(small, 1000, text); });
    PrintRatio("into 100,000 pipes", "into 1,000 pipes", size, 2);
    Print("  %.0f rows/s into 100,000 pipes", kRows / (size.a.Median() / 1000.0));

    Paired speed = Interleave(kRuns, [&] { return PasteThroughTheView(small, 1000, text); },
                              [&] { return InsertDirectly(small, 1000); });
    PrintRatio("pasted through the grid", "one prepared insert", speed, 0);
    Print("  %.0f rows/s pasted, %.0f rows/s inserted", kRows / (speed.a.Median() / 1000.0),
          kRows / (speed.anchor.Median() / 1000.0));
    DeleteFileA(DataFile("text_paste_target.sqlite").c_str());
    return ExitStatus();
}
