// Start-up of the program to its first painted grid, against the start of a
// bare Win32 window in the same Wine prefix, as a ratio: once on the sample
// database and once on a database whose Pipe tab holds 100,000 components
// (the ratio must not grow with the database).
//
// Before the measured starts the program is started once on each database
// and closed as the user closes it (answering Yes to keeping the changes),
// so that every measured start reads the settings a normal close leaves
// (the grids' column layouts, the bar layout, the find list).
//
// A start is timed from the creation of its process until the main grid of
// its database window is visible and has no part left to paint (its first
// page is painted). The bare window is a program of its own
// (bare\bench_bare_window.exe, linked with none of the program's libraries):
// it registers a class, makes, shows and paints a window and waits for
// messages; it is timed until its window is visible and painted. The three
// kinds of start take turns.
//
// The large database is made once, beside this program
// (bench_data\startup100k.sqlite), from the skeleton database of the build.
#include "app/AppRes.h"
#include "benchmarks/support/BenchDatabase.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace bench;

const int kComponents = 100000;
const int kRuns = 7;
const char kProgramClass[] = "Quorvex Database Editor";
const char kBareClass[] = "BareBenchmarkWindow";

struct FindChild
{
    int nId;
    HWND hWnd;
};

BOOL CALLBACK FindChildById(HWND hWnd, LPARAM lParam)
{
    FindChild* pFind = reinterpret_cast<FindChild*>(lParam);
    if (GetDlgCtrlID(hWnd) == pFind->nId) {
        pFind->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The window that shows the start's first painted page: the program's main
// grid (a descendant of its main window), or the bare window itself.
HWND PaintedWindow(HWND hMain, int nChildId)
{
    if (nChildId == 0)
        return hMain;
    FindChild find = {nChildId, nullptr};
    EnumChildWindows(hMain, FindChildById, (LPARAM)&find);
    return find.hWnd;
}

// Milliseconds from the start of the process until the window that shows its
// first page is visible and painted; a negative number when it did not get
// there. The main window's title must contain expectTitle. The process is
// ended at once (TerminateProcess) unless bClose, when it is closed as the
// user closes it, keeping the changes.
double TimeStart(const std::string& commandLine, const char* windowClass, int nChildId, const std::string& expectTitle,
                 bool bClose = false)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string line = commandLine;
    auto start = Clock::now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    double ms = -1;
    HWND hWnd = nullptr;
    while (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT && Seconds(start, Clock::now()) < 120) {
        hWnd = FindWindowA(windowClass, nullptr);
        HWND hPainted = hWnd != nullptr ? PaintedWindow(hWnd, nChildId) : nullptr;
        RECT update = {};
        if (hPainted != nullptr && IsWindowVisible(hPainted) && !GetUpdateRect(hPainted, &update, FALSE)) {
            ms = Milliseconds(start, Clock::now());
            break;
        }
        Sleep(1);
    }
    if (ms >= 0) {
        char title[512] = {};
        GetWindowTextA(hWnd, title, sizeof(title));
        if (std::string(title).find(expectTitle) == std::string::npos) {
            Print("  the program did not open the database (title \"%s\")", title);
            ms = -1;
        }
    }
    if (bClose && ms >= 0) {
        // The close asks whether to keep the changes: Yes.
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
        auto closing = Clock::now();
        while (WaitForSingleObject(pi.hProcess, 10) == WAIT_TIMEOUT && Seconds(closing, Clock::now()) < 60) {
            HWND hBox = FindWindowA("#32770", nullptr);
            DWORD owner = 0;
            if (hBox != nullptr && GetWindowThreadProcessId(hBox, &owner) && owner == pi.dwProcessId)
                PostMessageA(hBox, WM_COMMAND, IDYES, 0);
        }
        if (!Expect(WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0, "the program did not close"))
            ms = -1;
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

} // namespace

int main()
{
    const std::string bareWindow = HereFolder() + "\\bare\\bench_bare_window.exe";
    const std::string program = HereFolder() + "\\..\\bin\\Kelvaron.exe";
    const std::string sample = HereFolder() + "\\..\\bin\\Database\\Sample.sqlite";
    std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string large = folder + "\\startup100k.sqlite";
    if (!MakeOneTabDatabase(large, kComponents, 20))
        return 1;

    // Each start is ended by TerminateProcess, which leaves the "~" backup
    // the program takes at open; it is removed after every start, so that
    // the next one does not stop to offer it.
    const std::string backups[] = {HereFolder() + "\\..\\bin\\Database\\~Sample.sqlite",
                                    folder + "\\~startup100k.sqlite"};
    auto removeBackups = [&backups] {
        for (const std::string& backup : backups)
            DeleteFileA(backup.c_str());
    };
    removeBackups();

    struct Case
    {
        const char* name;
        std::string commandLine;
        const char* windowClass;
        int nChildId;
        std::string title;
    };
    const Case cases[] = {
        {"bare Win32 window", "\"" + bareWindow + "\"", kBareClass, 0, "bare window"},
        {"sample database", "\"" + program + "\" \"" + sample + "\"", kProgramClass, IDC_VIEW_MAIN_GRID,
         "Sample.sqlite"},
        {"100,000 in the Pipe tab", "\"" + program + "\" \"" + large + "\"", kProgramClass, IDC_VIEW_MAIN_GRID,
         "startup100k.sqlite"},
    };
    // One start of each program closed as the user closes it: the settings
    // it leaves are read by every measured start, and the files are cached.
    for (int i = 1; i < 3; i++) {
        if (TimeStart(cases[i].commandLine, cases[i].windowClass, cases[i].nChildId, cases[i].title, true) < 0) {
            Print("%s: the first start failed", cases[i].name);
            return 1;
        }
        removeBackups();
    }

    // The runs of the three take turns, so that a busy moment of the machine
    // falls on all of them alike.
    Samples times[3];
    for (int run = 0; run < kRuns; run++) {
        for (int i = 0; i < 3; i++) {
            double ms = TimeStart(cases[i].commandLine, cases[i].windowClass, cases[i].nChildId, cases[i].title);
            removeBackups();
            if (ms < 0) {
                Print("%s: the start failed", cases[i].name);
                return 1;
            }
            times[i].Add(ms);
        }
    }
    Print("Start-up to the first painted grid (after a normal close), %d starts each", kRuns);
    const double bare = times[0].Median();
    Print("  %-44s median %9.1f ms  min %9.1f ms", cases[0].name, bare, times[0].Min());
    for (int i = 1; i < 3; i++) {
        double ratio = times[i].Median() / bare;
        Print("  %-44s median %9.1f ms  min %9.1f ms  ratio of medians %5.2f  goal <= 2.00x: %s", cases[i].name,
              times[i].Median(), times[i].Min(), ratio, ratio <= 2 ? "met" : "NOT met");
    }
    return ExitStatus();
}

