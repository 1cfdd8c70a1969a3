// The walk's eyes inside the Wine desktop: tells where the program's windows
// are, so that tools/walk clicks on them by what they are instead of by
// numbers read off a screenshot. Built by tools/walk with the project's
// cross compiler and run under Wine in the desktop of the walk.
//
//   walk-probe rect TEXT           the screen rectangle of the first visible
//                                  window of the program whose text or class
//                                  is TEXT (a top-level window or a child:
//                                  toolbars and bars carry their titles)
//   walk-probe top TEXT            the same among top-level windows only (a
//                                  dialog, not a form view of its class)
//   walk-probe child TEXT ID       the rectangle of the child with control
//                                  id ID of the window found by TEXT
//   walk-probe id ID               the rectangle of the first visible window
//                                  of the program with control id ID, at
//                                  any depth (the main grid, a button)
//   walk-probe tab ID N            the rectangle of item N of the first
//                                  visible tab control with control id ID
//                                  (read in the program's own memory)
//   walk-probe offwork             every visible top-level window of the
//                                  program that does not lie wholly on the
//                                  work area, one a line (nothing when all do)
//   walk-probe owned               every visible window the main window owns
//                                  (an editor, a floating bar, a dialog), one
//                                  a line: its rectangle, then its title
//
// It looks in the desktop named by the environment variable KV_DESKTOP.
// A rectangle is printed as "left top right bottom"; the exit code is 1 when
// nothing is found.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kMainWindowClass[] = "Quorvex Database Editor";

DWORD ProgramProcess()
{
    HWND hMain = ::FindWindowA(kMainWindowClass, nullptr);
    DWORD pid = 0;
    if (hMain != nullptr)
        ::GetWindowThreadProcessId(hMain, &pid);
    return pid;
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    const DWORD pid = ProgramProcess();
    for (HWND h = ::GetTopWindow(nullptr); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner == pid && ::IsWindowVisible(h))
            windows.push_back(h);
    }
    return windows;
}

bool Matches(HWND h, const char* text)
{
    char buffer[256] = {};
    ::GetWindowTextA(h, buffer, sizeof(buffer));
    if (std::strcmp(buffer, text) == 0)
        return true;
    ::GetClassNameA(h, buffer, sizeof(buffer));
    return std::strcmp(buffer, text) == 0;
}

struct Search
{
    const char* text;
    int id;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND h, LPARAM lParam)
{
    Search* search = reinterpret_cast<Search*>(lParam);
    const bool bMatch = search->text != nullptr ? Matches(h, search->text) : ::GetDlgCtrlID(h) == search->id;
    if (::IsWindowVisible(h) && bMatch) {
        search->found = h;
        return FALSE;
    }
    return TRUE;
}

// Top-level windows first (the topmost first), then their children; by
// text (or class), or by control id when text is null.
HWND Find(const char* text, int id = 0, bool bTopLevelOnly = false)
{
    const std::vector<HWND> windows = TopLevelWindows();
    for (HWND h : windows)
        if (text != nullptr && Matches(h, text))
            return h;
    if (bTopLevelOnly)
        return nullptr;
    for (HWND h : windows) {
        Search search = { text, id, nullptr };
        ::EnumChildWindows(h, MatchChild, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
    }
    return nullptr;
}

int PrintRect(HWND h)
{
    RECT r = {};
    if (h == nullptr || !::GetWindowRect(h, &r))
        return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

// An item's rectangle, asked of the tab control through a buffer in the
// program's memory (the message's pointer is read there).
int PrintTabItem(HWND hTabs, int nItem)
{
    if (hTabs == nullptr)
        return 1;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hTabs, &pid);
    HANDLE hProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (hProcess == nullptr)
        return 1;
    int result = 1;
    void* remote = ::VirtualAllocEx(hProcess, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    RECT r = {};
    SIZE_T read = 0;
    if (remote != nullptr && ::SendMessageA(hTabs, TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)remote) &&
        ::ReadProcessMemory(hProcess, remote, &r, sizeof(r), &read) && read == sizeof(r)) {
        ::MapWindowPoints(hTabs, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        result = 0;
    }
    if (remote != nullptr)
        ::VirtualFreeEx(hProcess, remote, 0, MEM_RELEASE);
    ::CloseHandle(hProcess);
    return result;
}

int OffWorkArea()
{
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (HWND h : TopLevelWindows()) {
        RECT r = {};
        ::GetWindowRect(h, &r);
        // A maximised window's borders lie beyond the work area by design.
        if (::IsIconic(h) || ::IsZoomed(h) || r.right <= r.left || r.bottom <= r.top)
            continue;
        if (r.left < work.left || r.top < work.top || r.right > work.right || r.bottom > work.bottom) {
            char title[256] = {}, cls[256] = {};
            ::GetWindowTextA(h, title, sizeof(title));
            ::GetClassNameA(h, cls, sizeof(cls));
            std::printf("\"%s\" (%s) at %ld %ld %ld %ld, work area %ld %ld %ld %ld\n", title, cls, r.left, r.top,
                        r.right, r.bottom, work.left, work.top, work.right, work.bottom);
        }
    }
    return 0;
}

int PrintOwned()
{
    HWND hMain = ::FindWindowA(kMainWindowClass, nullptr);
    if (hMain == nullptr)
        return 1;
    for (HWND h : TopLevelWindows()) {
        if (::GetWindow(h, GW_OWNER) != hMain)
            continue;
        RECT r = {};
        char title[256] = {};
        ::GetWindowRect(h, &r);
        ::GetWindowTextA(h, title, sizeof(title));
        std::printf("%ld %ld %ld %ld %s\n", r.left, r.top, r.right, r.bottom, title);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The program runs in the walk's virtual desktop (named by KV_DESKTOP):
    // its windows are seen only from a thread of that desktop.
    const char* desktop = std::getenv("KV_DESKTOP");
    if (desktop != nullptr && desktop[0] != '\0') {
        if (HDESK hDesk = ::OpenDesktopA(desktop, 0, FALSE, GENERIC_ALL))
            ::SetThreadDesktop(hDesk);
    }
    if (argc >= 3 && std::strcmp(argv[1], "rect") == 0)
        return PrintRect(Find(argv[2]));
    if (argc >= 4 && std::strcmp(argv[1], "child") == 0) {
        HWND h = Find(argv[2]);
        return PrintRect(h != nullptr ? ::GetDlgItem(h, std::atoi(argv[3])) : nullptr);
    }
    if (argc >= 3 && std::strcmp(argv[1], "top") == 0)
        return PrintRect(Find(argv[2], 0, true));
    if (argc >= 3 && std::strcmp(argv[1], "id") == 0)
        return PrintRect(Find(nullptr, std::atoi(argv[2])));
    if (argc >= 4 && std::strcmp(argv[1], "tab") == 0)
        return PrintTabItem(Find(nullptr, std::atoi(argv[2])), std::atoi(argv[3]));
    if (argc >= 2 && std::strcmp(argv[1], "offwork") == 0)
        return OffWorkArea();
    if (argc >= 2 && std::strcmp(argv[1], "owned") == 0)
        return PrintOwned();
    std::fprintf(stderr, "usage: walk-probe rect TEXT | top TEXT | child TEXT ID | id ID | tab ID N | offwork | owned\n");
    return 2;
}
