// The utilities module: paths, files and folders, processes and windows,
// version resources, printers and icons, numbers and value expressions.
#include "app/Utilities.h"
#include "app/AppRes.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimerScript.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <fstream>
#include <string>

TEST(Utilities, ExtensionOfTheFileName)
{
    struct Case { const char* path; const char* extension; const char* stripped; };
    const Case cases[] = {
        {"a.mdb", ".mdb", "a"},
        {"C:\\db\\Sample.sqlite", ".sqlite", "C:\\db\\Sample"},
        {"a.b.accdb", ".accdb", "a.b"},
        {"noext", "", "noext"},
        {"a.", ".", "a"},
        // A dot in a folder name is no extension of the file.
        {"C:\\a.b\\file", "", "C:\\a.b\\file"},
        {"C:\\a.b\\file.MDB", ".MDB", "C:\\a.b\\file"},
        {"D:.hidden", ".hidden", "D:"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.extension, GetFileExtension(c.path)) << c.path;
        EXPECT_STREQ(c.stripped, StripFileExtension(c.path)) << c.path;
    }
    EXPECT_STREQ("", GetFileExtension(nullptr));
}

TEST(Utilities, FilesAndPatternsAreFound)
{
    const std::string dir = kvtest::ScratchDir("utilities_find");
    std::ofstream(dir + "\\NewDatabase2.sqlite") << "x";
    EXPECT_TRUE(FindFileExists((dir + "\\NewDatabase2.sqlite").c_str()));
    EXPECT_TRUE(FindFileExists((dir + "\\NewDatabase*.sqlite").c_str()));
    EXPECT_TRUE(FindFileExists(dir.c_str()));
    EXPECT_FALSE(FindFileExists((dir + "\\NewDatabase1.sqlite").c_str()));
    EXPECT_FALSE(FindFileExists((dir + "\\*.mdb").c_str()));
    EXPECT_FALSE(FindFileExists(""));
    EXPECT_FALSE(FindFileExists(nullptr));
}

TEST(Utilities, ModuleFolder)
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    CString exeFolder = module;
    exeFolder = exeFolder.Left(exeFolder.ReverseFind('\\') + 1);

    // A module that is not loaded: the running executable's folder.
    EXPECT_STREQ(exeFolder, GetModuleFolder("PELLIMO.EXE"));
    EXPECT_STREQ(exeFolder, GetModuleFolder(nullptr));

    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    CString kernel = GetModuleFolder("kernel32.dll");
    EXPECT_EQ(0, kernel.CompareNoCase(CString(system) + "\\")) << kernel.GetString();
}

TEST(Utilities, FileObjectsByMode)
{
    const std::string dir = kvtest::ScratchDir("utilities_files");
    const std::string path = dir + "\\Queries.kvq";
    CFile* file = nullptr;

    // Text writer: created and truncated, lines end in CR LF.
    std::ofstream(path) << "old content that is longer";
    ASSERT_EQ(1, OpenFileObject(file, path.c_str(), FALSE, FALSE));
    CStdioFile* writer = dynamic_cast<CStdioFile*>(file);
    ASSERT_NE(nullptr, writer);
    writer->WriteString("[Query1]\nTitle=All\n");
    EXPECT_TRUE(CloseFileObject(file));
    EXPECT_EQ(nullptr, file);

    // Text reader: reads the lines; the open file denies writing.
    ASSERT_EQ(1, OpenFileObject(file, path.c_str(), TRUE, FALSE));
    CStdioFile* reader = dynamic_cast<CStdioFile*>(file);
    ASSERT_NE(nullptr, reader);
    CString line;
    ASSERT_TRUE(reader->ReadString(line));
    EXPECT_STREQ("[Query1]", line);
    ASSERT_TRUE(reader->ReadString(line));
    EXPECT_STREQ("Title=All", line);
    EXPECT_FALSE(reader->ReadString(line));
    HANDLE hWrite = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hWrite);
    if (hWrite != INVALID_HANDLE_VALUE)
        ::CloseHandle(hWrite);

    // Opening again closes the file held first: the binary writer keeps the
    // content (no truncation) and may write.
    ASSERT_EQ(1, OpenFileObject(file, path.c_str(), FALSE, TRUE));
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(nullptr, dynamic_cast<CStdioFile*>(file));
    EXPECT_EQ(21u, (unsigned)file->GetLength());
    file->SeekToEnd();
    file->Write("!", 1);
    EXPECT_TRUE(CloseFileObject(file));

    ASSERT_EQ(1, OpenFileObject(file, path.c_str(), TRUE, TRUE));
    EXPECT_EQ(22u, (unsigned)file->GetLength());
    CloseFileObject(file);

    // A file that does not exist: the file object's exception, nothing held.
    bool thrown = false;
    try {
        OpenFileObject(file, (dir + "\\missing.kvq").c_str(), TRUE, FALSE);
    } catch (CFileException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(nullptr, file);
    EXPECT_TRUE(CloseFileObject(file));
}

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = (char)tolower((unsigned char)c);
    return text;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && Lower(text.substr(text.size() - end.size())) == Lower(end);
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(Utilities, NamesAndTitlesOfPaths)
{
    struct Case { const char* path; const char* name; const char* title; };
    const Case cases[] = {
        {"C:\\db\\Sample.sqlite", "Sample.sqlite", "Sample"},
        {"C:Sample.mdb", "Sample.mdb", "Sample"},
        {"Sample", "Sample", "Sample"},
        {"C:\\a.b\\file", "file", "file"},
        {"C:\\folder\\", "", ""},
        {"data/Queries.kvq", "Queries.kvq", "Queries"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.name, GetFileNameFromPath(c.path)) << c.path;
        EXPECT_STREQ(c.title, GetFileTitleFromPath(c.path)) << c.path;
    }

    struct Part { const char* text; const char* part; const char* left; };
    const Part parts[] = {
        {"a.dwg,b.dwg,c.dwg", ",", "a.dwg"},
        {"SELECT * FROM Pipes", " FROM", "SELECT *"},
        {"no separator", ",", "no separator"},
        {",leading", ",", ""},
    };
    for (const Part& c : parts)
        EXPECT_STREQ(c.left, LeftOfSubstring(c.text, c.part)) << c.text;
}

TEST(Utilities, RelativeAndAbsolutePaths)
{
    struct Relative { const char* base; const char* path; const char* relative; };
    const Relative relatives[] = {
        {"C:\\data\\db\\Sample.sqlite", "C:\\data\\db\\Queries.kvq", ".\\Queries.kvq"},
        {"C:\\data\\db\\Sample.sqlite", "C:\\data\\symbols\\Valve.dwg", "..\\symbols\\Valve.dwg"},
        {"C:\\data\\db\\Sample.sqlite", "D:\\other\\Valve.dwg", "D:\\other\\Valve.dwg"},
        {"", "C:\\data\\Valve.dwg", "C:\\data\\Valve.dwg"},
    };
    for (const Relative& c : relatives)
        EXPECT_STREQ(c.relative, MakeRelativePath(c.base, c.path)) << c.base << " " << c.path;

    const std::string dir = kvtest::ScratchDir("utilities_absolute");
    const std::string parent = dir.substr(0, dir.rfind('\\'));
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    struct Absolute { std::string base, path, absolute; };
    const Absolute absolutes[] = {
        {dir, "Queries.kvq", dir + "\\Queries.kvq"},
        {dir, "sub\\..\\.\\Queries.kvq", dir + "\\Queries.kvq"},
        {dir, "..\\Sample.sqlite", parent + "\\Sample.sqlite"},
        {dir, "C:\\data\\Sample.sqlite", "C:\\data\\Sample.sqlite"},
        {"", "Queries.kvq", "Queries.kvq"},
        // A base that is no folder leaves the path as it is.
        {dir + "\\missing", "Queries.kvq", "Queries.kvq"},
    };
    for (const Absolute& c : absolutes)
        EXPECT_EQ(Lower(c.absolute), Lower(MakeAbsolutePath(c.base.c_str(), c.path.c_str()).str())) << c.path;
    // The current folder is the one there was.
    char after[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(current, after);
}

TEST(Utilities, FilesAreRemovedReadOnlyOrNot)
{
    const std::string dir = kvtest::ScratchDir("utilities_delete");
    const std::string path = dir + "\\Queries.kvq";
    std::ofstream(path) << "x";
    {
        kvtest::UnwritableFile readOnly(path, kvtest::UnwritableFile::readOnlyAttribute);
        EXPECT_TRUE(ClearReadOnly(path.c_str()));
        EXPECT_EQ(0u, ::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_FALSE(ClearReadOnly((dir + "\\missing.kvq").c_str()));
    EXPECT_TRUE(DeleteFileForced((dir + "\\missing.kvq").c_str()));

    // A read-only file goes; one another program holds stays.
    for (kvtest::UnwritableFile::How how : kvtest::UnwritableFile::ways) {
        std::ofstream(path) << "x";
        const bool held = how == kvtest::UnwritableFile::heldByAnotherProgram;
        {
            kvtest::UnwritableFile file(path, how);
            EXPECT_EQ(!held, DeleteFileForced(path.c_str()) != FALSE) << kvtest::UnwritableFile::Name(how);
            EXPECT_EQ(held, Exists(path)) << kvtest::UnwritableFile::Name(how);
        }
        ::DeleteFileA(path.c_str());
    }
}

TEST(Utilities, FoldersAndNamesOfTheSystem)
{
    const std::string temp = GetTempFolder().str();
    ASSERT_TRUE(EndsWith(temp, "\\")) << temp;
    EXPECT_TRUE(Exists(temp));

    // A fresh name with the extension, of no file, and no ".tmp" file left.
    for (const char* extension : {".csv", "csv"}) {
        WIN32_FIND_DATAA data;
        auto countTmp = [&] {
            int n = 0;
            HANDLE h = ::FindFirstFileA((temp + "kvt*.tmp").c_str(), &data);
            for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(h, &data))
                n++;
            if (h != INVALID_HANDLE_VALUE)
                ::FindClose(h);
            return n;
        };
        const int tmpBefore = countTmp();
        const std::string name = GetTempFileNameWithExtension(extension, "kvt").str();
        EXPECT_EQ(0u, Lower(name).find(Lower(temp) + "kvt")) << name;
        EXPECT_TRUE(EndsWith(name, ".csv")) << name;
        EXPECT_FALSE(Exists(name));
        EXPECT_EQ(tmpBefore, countTmp());
    }

    const std::string appData = GetLocalAppDataFolder().str();
    EXPECT_TRUE(EndsWith(appData, "\\Quorvex\\Standalone\\")) << appData;
    EXPECT_TRUE(Exists(appData));

    // The open file's own path, also of a file with nothing in it.
    const std::string dir = kvtest::ScratchDir("utilities_handle");
    for (const char* content : {"x", ""}) {
        const std::string path = dir + "\\Handle.kvq";
        std::ofstream(path) << content;
        HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
        EXPECT_EQ(Lower(path), Lower(GetFileNameFromHandle(hFile).str()));
        ::CloseHandle(hFile);
    }
    EXPECT_STREQ("", GetFileNameFromHandle(INVALID_HANDLE_VALUE));

    // An extension the system opens with a program, and ones it does not.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, ".kvutilitiestest", 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &hKey, nullptr));
    ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, (const BYTE*)"KvUtilitiesTest.File", 21);
    ::RegCloseKey(hKey);
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, "KvUtilitiesTest.File\\shell\\open\\command", 0,
                                               nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    const char command[] = "\"C:\\windows\\notepad.exe\" \"%1\"";
    ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, (const BYTE*)command, sizeof(command));
    ::RegCloseKey(hKey);
    const std::string program = GetOpenCommand(".kvutilitiestest").str();
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "KvUtilitiesTest.File");
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".kvutilitiestest");
    EXPECT_EQ("c:\\windows\\notepad.exe", Lower(program));
    EXPECT_STREQ("", GetOpenCommand(".kvnosuchextension"));
    EXPECT_STREQ("", GetOpenCommand(""));
}

TEST(Utilities, ProcessesStartAndAreFound)
{
    DWORD code = 0;
    EXPECT_TRUE(RunProcess("cmd.exe /c exit 3", TRUE, &code));
    EXPECT_EQ(3u, code);
    EXPECT_FALSE(RunProcess("kv-no-such-program.exe", TRUE, &code));
    EXPECT_FALSE(RunProcess("", FALSE));

    // This program is not "another" process; a second copy of it is.
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string name = GetFileNameFromPath(self).str();
    EXPECT_FALSE(IsProcessRunning(name.c_str()));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string line = std::string("\"") + self + "\" --gtest_list_tests";
    ASSERT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                                 &startup, &process));
    EXPECT_TRUE(IsProcessRunning(name.c_str()));
    EXPECT_TRUE(IsProcessRunning(Lower(self).c_str()));
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    EXPECT_FALSE(IsProcessRunning(name.c_str()));
    EXPECT_FALSE(IsProcessRunning("kv-no-such-program.exe"));
    EXPECT_FALSE(IsProcessRunning(""));
}

TEST(Utilities, WindowsAreFoundByTitleOrClass)
{
    // A title of 60 characters: only its first 50 are looked at.
    const char* title = "Kelvaron utilities window, found by the first fifty - TAIL";
    HWND hWnd = ::CreateWindowExA(0, "STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    struct Case { const char* title; const char* className; BOOL found; };
    const Case cases[] = {
        {"utilities window", nullptr, TRUE},
        {"Kelvaron utilities", "NoSuchClass", TRUE},
        {"TAIL", nullptr, FALSE},
        {"no window has this title", nullptr, FALSE},
        {nullptr, "Static", TRUE},
        {"", "Static", TRUE},
        {nullptr, "KvNoSuchClass", FALSE},
        {nullptr, nullptr, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, FindWindowByTitle(c.title, c.className))
            << (c.title ? c.title : "(none)") << " " << (c.className ? c.className : "(none)");
    ::DestroyWindow(hWnd);
}

TEST(Utilities, ADialogWindowIsPreparedForTheProgram)
{
    const char* title = "Kelvaron prepared dialog";
    HWND hDialog = ::CreateWindowExA(WS_EX_CONTEXTHELP | WS_EX_DLGMODALFRAME, "#32770", title,
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 3, 5, 300, 200, nullptr,
                                     nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hDialog);
    HWND hHelp = ::CreateWindowExA(0, "Button", "&Help", WS_CHILD | WS_VISIBLE, 10, 10, 60, 20, hDialog, nullptr,
                                   nullptr, nullptr);
    HWND hOk = ::CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE, 80, 10, 60, 20, hDialog, nullptr, nullptr,
                                 nullptr);

    EXPECT_TRUE(PrepareDialogWindow(title));
    EXPECT_EQ(0, ::GetWindowLongA(hDialog, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_FALSE(::IsWindowVisible(hHelp));
    EXPECT_TRUE(::IsWindowVisible(hOk));
    EXPECT_NE(0, ::SendMessageA(hDialog, WM_GETICON, ICON_BIG, 0));
    // Centred in the work area.
    RECT work = {}, rect = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(hDialog, &rect);
    EXPECT_NEAR((work.left + work.right) / 2, (rect.left + rect.right) / 2, 1);
    EXPECT_NEAR((work.top + work.bottom) / 2, (rect.top + rect.bottom) / 2, 1);
    ::DestroyWindow(hDialog);
}

TEST(Utilities, AFileIsChosenAndItsKindIsOfferedFirstNextTime)
{
    const std::string dir = kvtest::ScratchDir("utilities_browse");
    for (const char* name : {"a.dwg", "b.dwg", "c.kvq"})
        std::ofstream(dir + "\\" + name) << "x";
    const char* filter = "Queries (*.kvq)|*.kvq|Symbols (*.dwg; *.dxf)|*.dwg; *.dxf|All files (*.*)|*.*||";
    const char* title = "Kelvaron choose a file";

    // Types text into the dialog once it shows and presses OK; records the
    // filter entry it opened with.
    int filterShown = -1;
    auto choose = [&](const std::string& typed, BOOL bOpen, BOOL bMulti, CString& path) {
        kvtest::TimerScript script([&] {
            if (HWND h = ::FindWindowA("#32770", title))
                ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
        });
        script.Add([&] {
            HWND h = ::FindWindowA("#32770", title);
            ASSERT_NE(nullptr, h);
            filterShown = (int)::SendDlgItemMessageA(h, 0x470, CB_GETCURSEL, 0, 0);
            ::SendMessageA(h, CDM_SETCONTROLTEXT, 0x480, (LPARAM)typed.c_str());
            ::SendMessageA(h, CDM_SETCONTROLTEXT, 0x47C, (LPARAM)typed.c_str());
            ::PostMessageA(h, WM_COMMAND, IDOK, 0);
        });
        script.Start();
        BOOL bChosen = BrowseForFile(".kvq", filter, bOpen, path, bMulti, title);
        EXPECT_FALSE(script.Overran());
        return bChosen;
    };

    CString path = (dir + "\\c.kvq").c_str();
    ASSERT_TRUE(choose(dir + "\\a.dwg", TRUE, FALSE, path));
    EXPECT_EQ(Lower(dir + "\\a.dwg"), Lower(path.str()));
    EXPECT_EQ(0, filterShown);
    // Opened again, the symbols' entry is chosen; two files come joined.
    path = (dir + "\\a.dwg").c_str();
    ASSERT_TRUE(choose("\"a.dwg\" \"b.dwg\"", TRUE, TRUE, path));
    EXPECT_EQ(1, filterShown);
    EXPECT_EQ(Lower(dir + "\\a.dwg," + dir + "\\b.dwg"), Lower(path.str()));
    // Saving, likewise; a query file chosen makes queries come first again.
    path.Empty();
    ASSERT_TRUE(choose(dir + "\\new.kvq", FALSE, FALSE, path));
    EXPECT_EQ(1, filterShown);
    EXPECT_EQ(Lower(dir + "\\new.kvq"), Lower(path.str()));
    ASSERT_TRUE(choose(dir + "\\c.kvq", TRUE, FALSE, path));
    EXPECT_EQ(0, filterShown);
    // Cancelled: the path stays.
    kvtest::TimerScript cancel([&] {
        if (HWND h = ::FindWindowA("#32770", title))
            ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
    });
    cancel.Add([&] { ::PostMessageA(::FindWindowA("#32770", title), WM_COMMAND, IDCANCEL, 0); });
    cancel.Start();
    path = "unchanged";
    EXPECT_FALSE(BrowseForFile(".kvq", filter, TRUE, path, FALSE, title));
    EXPECT_STREQ("unchanged", path);
}

TEST(Utilities, VersionsOfModulesAndOfTheSystem)
{
    // This program carries the program's version resource.
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    CString product, version, legal, company;
    ASSERT_TRUE(GetVersionStrings(self, product, version, legal, company));
    EXPECT_STREQ("Quorvex Database Editor", product);
    EXPECT_STREQ("1.0.0.0", version);
    EXPECT_STREQ("Copyright \u00a9 OZU Software", legal);
    EXPECT_STREQ("OZU Software", company);
    // A module loaded by its name.
    EXPECT_TRUE(GetVersionStrings("kernel32.dll", product, version, legal, company));
    EXPECT_FALSE(version.IsEmpty());

    // A file without a version resource, and a file that is not there.
    const std::string dir = kvtest::ScratchDir("utilities_version");
    std::ofstream(dir + "\\plain.dll") << "not a module";
    for (const std::string& module : {dir + "\\plain.dll", dir + "\\missing.dll"}) {
        product = version = legal = company = "old";
        EXPECT_FALSE(GetVersionStrings(module.c_str(), product, version, legal, company)) << module;
        EXPECT_TRUE(product.IsEmpty() && version.IsEmpty() && legal.IsEmpty() && company.IsEmpty());
    }

    DWORD major = 0, minor = 0, build = 0;
    GetOSVersion(major, minor, build);
    const DWORD packed = ::GetVersion();
    EXPECT_EQ((DWORD)LOBYTE(LOWORD(packed)), major);
    EXPECT_EQ((DWORD)HIBYTE(LOWORD(packed)), minor);
    EXPECT_EQ(major, GetOSMajorVersion());
    EXPECT_LT(0u, major);
}

TEST(Utilities, PrinterSetupOfANamedPrinter)
{
    HGLOBAL hNames = (HGLOBAL)1, hMode = (HGLOBAL)1;
    EXPECT_FALSE(GetPrinterSetup("Kelvaron no such printer", hNames, hMode));
    EXPECT_EQ(nullptr, hNames);
    EXPECT_EQ(nullptr, hMode);

    // Where the machine has a printer, its names follow the block's 8 bytes.
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> printers(needed);
    if (needed == 0 || !::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, printers.data(), needed, &needed, &count) ||
        count == 0)
        return;
    const auto* printer = reinterpret_cast<const PRINTER_INFO_2A*>(printers.data());
    ASSERT_TRUE(GetPrinterSetup(printer->pPrinterName, hNames, hMode));
    const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(hNames));
    EXPECT_EQ(8, names->wDriverOffset);
    EXPECT_STREQ(printer->pPrinterName, reinterpret_cast<const char*>(names) + names->wDeviceOffset);
    ::GlobalUnlock(hNames);
    ::GlobalFree(hNames);
    ::GlobalFree(hMode);
}

TEST(Utilities, IconsOfAnExactSizeAndDepth)
{
    struct Case { UINT id; int width, height, bits; bool found; };
    const Case cases[] = {
        {IDR_MAINFRAME, 16, 16, 32, true},
        {IDR_MAINFRAME, 32, 32, 32, true},
        {IDR_MAINFRAME, 48, 48, 32, false},
        {IDR_MAINFRAME, 16, 16, 8, false},
        {IDR_MAINFRAME, 16, 32, 32, false},
        {31999, 16, 16, 32, false},
    };
    for (const Case& c : cases) {
        HICON hIcon = LoadIconOfSize(c.id, c.width, c.height, c.bits);
        EXPECT_EQ(c.found, hIcon != nullptr) << c.id << " " << c.width << "x" << c.height << "x" << c.bits;
        if (hIcon == nullptr)
            continue;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(hIcon, &info));
        BITMAP bitmap = {};
        ::GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(c.width, bitmap.bmWidth);
        EXPECT_EQ(c.height, bitmap.bmHeight);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(hIcon);
    }
}

TEST(Utilities, NumbersInTheUsersLocale)
{
    char point[8] = {}, group[8] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, point, sizeof(point));
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, group, sizeof(group));
    struct Case { std::string text; DWORD flags; bool parsed; double value; };
    const Case cases[] = {
        {"42", 0, true, 42},
        {std::string("12") + point + "5", NUMPRS_DECIMAL, true, 12.5},
        {std::string("12") + point + "5", 0, false, 0},
        {"-3", NUMPRS_LEADING_MINUS, true, -3},
        {"-3", 0, false, 0},
        {std::string("1") + group + "234", NUMPRS_THOUSANDS, true, 1234},
        {"  7", NUMPRS_LEADING_WHITE, true, 7},
        {"2e3", NUMPRS_EXPONENT, true, 2000},
        {"12 apples", NUMPRS_STD, false, 0},
        {"apples", NUMPRS_STD, false, 0},
        {"", NUMPRS_STD, false, 0},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(c.parsed, ParseNumber(c.text.c_str(), c.flags, value) != FALSE) << c.text;
        EXPECT_DOUBLE_EQ(c.parsed ? c.value : -1, value) << c.text;
    }
}

TEST(Utilities, RoundingSignsAndOrder)
{
    struct Round { double value; int decimals; double rounded; };
    const Round rounds[] = {
        {1.25, 1, 1.3}, {-1.25, 1, -1.3}, {0.125, 2, 0.13}, {2.5, 0, 3}, {-2.5, 0, -3},
        {1234.5, -2, 1200}, {1250, -2, 1300}, {0.4999999999999999, 0, 0}, {1e300, 5, 1e300},
    };
    for (const Round& c : rounds)
        EXPECT_DOUBLE_EQ(c.rounded, RoundToDecimals(c.value, c.decimals)) << c.value << " " << c.decimals;
    struct Half { double value, rounded; };
    for (const Half& c : {Half{0.5, 1}, Half{-0.5, -1}, Half{1.4999, 1}, Half{-7.5, -8}, Half{3, 3}})
        EXPECT_DOUBLE_EQ(c.rounded, RoundHalfAway(c.value)) << c.value;

    EXPECT_DOUBLE_EQ(-2.0, CopySign(2.0, -0.1));
    EXPECT_DOUBLE_EQ(2.0, CopySign(-2.0, 5.0));
    EXPECT_TRUE(std::signbit(CopySign(0.0, -1.0)));

    struct Whole { double value; BOOL whole; };
    for (const Whole& c : {Whole{3, TRUE}, Whole{-3, TRUE}, Whole{0, TRUE}, Whole{3.5, FALSE}, Whole{1e-9, FALSE},
                           Whole{INFINITY, FALSE}, Whole{NAN, FALSE}})
        EXPECT_EQ(c.whole, IsWholeNumber(c.value)) << c.value;

    // The order of far-apart numbers, where a - b would overflow.
    struct Order { int a, b, sign; };
    for (const Order& c : {Order{1, 2, -1}, Order{2, 1, 1}, Order{5, 5, 0}, Order{INT_MIN, 1, -1},
                           Order{INT_MAX, -1, 1}, Order{INT_MIN, INT_MAX, -1}})
        EXPECT_EQ(c.sign, (CompareInts(c.a, c.b) > 0) - (CompareInts(c.a, c.b) < 0)) << c.a << " " << c.b;
}

TEST(Utilities, InvariantTextAndUniqueSuffixes)
{
    const std::string saved = setlocale(LC_NUMERIC, nullptr);
    if (!setlocale(LC_NUMERIC, "German_Germany.1252") && !setlocale(LC_NUMERIC, "de-DE"))
        GTEST_SKIP() << "no German locale";
    char local[32] = {};
    snprintf(local, sizeof(local), "%.2f", 1.5);
    EXPECT_STREQ("1,50", local);
    EXPECT_STREQ("1.50;7;x", FormatInvariant("%.2f;%d;%s", 1.5, 7, "x"));
    // The locale is the user's again afterwards.
    snprintf(local, sizeof(local), "%.1f", 2.5);
    EXPECT_STREQ("2,5", local);
    setlocale(LC_NUMERIC, saved.c_str());

    const CString suffix = MakeUniqueSuffix();
    ASSERT_LE(3, suffix.GetLength());
    EXPECT_EQ('_', suffix[0]);
    EXPECT_EQ(std::string::npos, suffix.str().find_first_not_of("0123456789abcdef", 1)) << suffix.GetString();
}

TEST(Utilities, ValueExpressionsAreSplit)
{
    struct Case { const char* text; bool split; const char* quantity; int op; const char* operand; const char* step;
                  const char* precision; };
    const Case cases[] = {
        {"12.5", true, "12.5", VALUE_OP_NONE, "", "", ""},
        {"12 +[3]", true, "12", VALUE_OP_ADD, "3", "", ""},
        {"-5-[2.5]", true, "-5", VALUE_OP_SUBTRACT, "2.5", "", ""},
        {"4*[2]", true, "4", VALUE_OP_MULTIPLY, "2", "", ""},
        {"4/[2]", true, "4", VALUE_OP_DIVIDE, "2", "", ""},
        {"2^[10]", true, "2", VALUE_OP_POWER, "10", "", ""},
        {"3|[7]", true, "3", VALUE_OP_DIFFERENCE, "7", "", ""},
        {"7%[3]", true, "7", VALUE_OP_REMAINDER, "3", "", ""},
        {"7>[3]", true, "7", VALUE_OP_GREATER, "3", "", ""},
        {"7<[3]", true, "7", VALUE_OP_LESS, "3", "", ""},
        {"12.3~0.5", true, "12.3", VALUE_OP_NONE, "", "0.5", ""},
        {"1.2345;2", true, "1.2345", VALUE_OP_NONE, "", "", "2"},
        {"10/[3];2", true, "10", VALUE_OP_DIVIDE, "3", "", "2"},
        {"10+[3] ~ 4", true, "10", VALUE_OP_ADD, "3", "4", ""},
        {"10+[3", false, "", 0, "", "", ""},
        {"10[3]", false, "", 0, "", "", ""},
        {"10+[3]x", false, "", 0, "", "", ""},
    };
    for (const Case& c : cases) {
        ValueExpression parts;
        ASSERT_EQ(c.split, SplitValueExpression(c.text, parts) != FALSE) << c.text;
        if (!c.split)
            continue;
        EXPECT_STREQ(c.quantity, parts.strQuantity) << c.text;
        EXPECT_EQ(c.op, parts.nOperator) << c.text;
        EXPECT_STREQ(c.operand, parts.strOperand) << c.text;
        EXPECT_STREQ(c.step, parts.strStep) << c.text;
        EXPECT_STREQ(c.precision, parts.strPrecision) << c.text;
    }
}

TEST(Utilities, ValueOperatorsStepsAndExpressions)
{
    struct Op { int op; double a, b; bool applied; double result; };
    const Op ops[] = {
        {VALUE_OP_ADD, 7, 2, true, 9},
        {VALUE_OP_SUBTRACT, 7, 2, true, 5},
        {VALUE_OP_MULTIPLY, 7, 2, true, 14},
        {VALUE_OP_DIVIDE, 7, 2, true, 3.5},
        {VALUE_OP_DIVIDE, 7, 0, false, 0},
        {VALUE_OP_POWER, 2, 10, true, 1024},
        {VALUE_OP_POWER, -8, 0.5, false, 0},
        {VALUE_OP_POWER, 10, 400, false, 0},
        {VALUE_OP_DIFFERENCE, 2, 7, true, 5},
        {VALUE_OP_DIFFERENCE, 7, 2, true, 5},
        {VALUE_OP_REMAINDER, 7, 3, true, 1},
        {VALUE_OP_REMAINDER, -7, 3, true, -1},
        {VALUE_OP_REMAINDER, 7, 0, false, 0},
        {VALUE_OP_GREATER, 2, 7, true, 7},
        {VALUE_OP_LESS, 2, 7, true, 2},
        {VALUE_OP_NONE, 2, 7, false, 0},
        {10, 2, 7, false, 0},
    };
    for (const Op& c : ops) {
        double result = -99;
        EXPECT_EQ(c.applied, ApplyValueOperator(c.op, c.a, c.b, result) != FALSE) << c.op << " " << c.a << " " << c.b;
        EXPECT_DOUBLE_EQ(c.applied ? c.result : -99, result) << c.op;
    }

    struct Snap { double value, step, snapped; };
    for (const Snap& c : {Snap{12.3, 0.5, 12.5}, Snap{12.2, 0.5, 12.0}, Snap{12.25, 0.5, 12.5}, Snap{-12.25, 0.5, -12.5},
                          Snap{7, 5, 5}, Snap{7.5, 5, 10}, Snap{7, 0, 7}, Snap{7, -2, 7}})
        EXPECT_DOUBLE_EQ(c.snapped, SnapToStep(c.value, c.step)) << c.value << " " << c.step;

    struct Expr { const char* text; bool evaluated; double value; };
    const Expr exprs[] = {
        {"12.5", true, 12.5},
        {" 10 +[ 2.5 ] ", true, 12.5},
        {"10/[4]", true, 2.5},
        {"10/[3];2", true, 3.33},
        {"1.23456;3", true, 1.235},
        {"12.3~0.5", true, 12.5},
        {"100*[1.1]~25", true, 100},
        {"10/[0]", false, 0},
        {"ten+[2]", false, 0},
        {"10+[two]", false, 0},
        {"10~half", false, 0},
        {"10;2.5", false, 0},
        {"", false, 0},
    };
    for (const Expr& c : exprs) {
        double value = -99;
        EXPECT_EQ(c.evaluated, EvaluateValueExpression(c.text, value) != FALSE) << c.text;
        EXPECT_DOUBLE_EQ(c.evaluated ? c.value : -99, value) << c.text;
    }
}
