// Start-up of the program to its first painted grid, against the start of a
// bare Win32 window in the same Wine prefix, as a ratio: once on the sample
// database and once on a database of 100,000 components (the ratio must not
// grow with the database).
//
// Each run starts a process and waits until its main window is shown and its
// thread answers a message: the program is then past its start-up, whose last
// step shows and paints the main window with the database window and its
// grid. The bare
// window is this benchmark itself started with "--bare": it registers a
// class, makes, shows and paints a window and waits for messages. The time
// of each is the median of several runs.
//
// The large database is made once, beside this program
// (bench_data\startup100k.sqlite), from the skeleton database of the build.
#include "app/KelvaronDoc.h"
#include "benchmarks/BenchDatabase.h"

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

LRESULT CALLBACK BareWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

// The bare window: what any Win32 program does before it waits for input.
int RunBareWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BareWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kBareClass;
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA(wc.lpszClassName, "bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              800, 600, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

// Milliseconds from the start of the process until its window of
// windowClass is shown and its thread answers a message (it is then past its
// start-up, whose last steps show and paint the window); a negative number
// when it did not get there. The window's title must contain expectTitle.
double TimeStart(const std::string& commandLine, const char* windowClass, const std::string& expectTitle)
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
        if (hWnd != nullptr && IsWindowVisible(hWnd)) {
            DWORD_PTR result = 0;
            if (SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_BLOCK, 120000, &result))
                ms = Milliseconds(start, Clock::now());
            break;
        }
        Sleep(1);
    }
    if (ms >= 0) {
        char title[512] = {};
        GetWindowTextA(hWnd, title, sizeof(title));
        if (std::string(title).find(expectTitle) == std::string::npos) {
            std::printf("  the program did not open the database (title \"%s\")\n", title);
            ms = -1;
        }
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--bare")
        return RunBareWindow();

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string program = HereFolder() + "\\..\\bin\\Kelvaron.exe";
    const std::string sample = HereFolder() + "\\..\\bin\\Database\\Sample.sqlite";
    std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string large = folder + "\\startup100k.sqlite";
    if (!MakeComponentDatabase(large, kComponents))
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

    // One start first, so that every measured start finds the files cached.
    TimeStart("\"" + program + "\" \"" + sample + "\"", kProgramClass, "");
    removeBackups();

    // The runs of the three take turns, so that a busy moment of the machine
    // falls on all of them alike.
    struct Case { const char* name; std::string commandLine; const char* windowClass; std::string title; };
    const Case cases[] = {
        {"bare Win32 window", "\"" + std::string(self) + "\" --bare", kBareClass, "bare window"},
        {"sample database", "\"" + program + "\" \"" + sample + "\"", kProgramClass, "Sample.sqlite"},
        {"100,000 components", "\"" + program + "\" \"" + large + "\"", kProgramClass, "startup100k.sqlite"},
    };
    std::vector<double> times[3];
    for (int run = 0; run < kRuns; run++) {
        for (int i = 0; i < 3; i++) {
            double ms = TimeStart(cases[i].commandLine, cases[i].windowClass, cases[i].title);
            removeBackups();
            if (ms < 0) {
                std::printf("%s: the start failed\n", cases[i].name);
                return 1;
            }
            times[i].push_back(ms);
        }
    }
    const double bare = Median(times[0]);
    int status = 0;
    std::printf("%-22s %8.1f ms (median of %d starts)\n", cases[0].name, bare, kRuns);
    for (int i = 1; i < 3; i++)
        std::printf("%-22s %8.1f ms  ratio %5.2f\n", cases[i].name, Median(times[i]), Median(times[i]) / bare);
    return status;
}
