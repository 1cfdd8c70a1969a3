// The helpers of the utilities module that speak to the system: the file
// dialog, processes, windows, version resources, printers and icons.
#include "app/Utilities.h"

#include <tlhelp32.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The extension of the file the user chose last in BrowseForFile, with its
// dot; its filter entry is chosen when the dialog opens next.
CString s_strLastExtension;

// The 1-based number of the filter entry ("Name|*.a;*.b|...") whose
// patterns hold the extension; 0 when none does.
DWORD FilterIndexOf(const CString& filter, const CString& extension)
{
    if (extension.IsEmpty())
        return 0;
    const CString pattern = "*" + extension;
    int start = 0, part = 0;
    for (;;) {
        const int bar = filter.Find('|', start);
        const CString text = bar < 0 ? filter.Mid(start) : filter.Mid(start, bar - start);
        if (text.IsEmpty() && part % 2 == 0)
            return 0;
        if (part % 2 == 1) {
            // The patterns of an entry, separated by ";".
            int from = 0;
            for (;;) {
                const int semicolon = text.Find(';', from);
                CString one = semicolon < 0 ? text.Mid(from) : text.Mid(from, semicolon - from);
                one.Trim();
                if (one.CompareNoCase(pattern) == 0)
                    return (DWORD)(part / 2 + 1);
                if (semicolon < 0)
                    break;
                from = semicolon + 1;
            }
        }
        if (bar < 0)
            return 0;
        start = bar + 1;
        part++;
    }
}

// The group-icon directory of an icon resource, as the resource holds it.
#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE bWidth;
    BYTE bHeight;
    BYTE bColorCount;
    BYTE bReserved;
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    WORD nID;
};
struct GroupIconDir
{
    WORD idReserved;
    WORD idType;
    WORD idCount;
    GroupIconEntry idEntries[1];
};
#pragma pack(pop)

// The first 50 characters of a window's title, as FindWindowByTitle looks
// at them.
const int kTitleChars = 50;

struct TitleSearch
{
    std::wstring part;
    BOOL bFound;
};

BOOL CALLBACK FindTitle(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<TitleSearch*>(lParam);
    wchar_t title[kTitleChars + 1] = {};
    ::GetWindowTextW(hWnd, title, kTitleChars + 1);
    if (wcsstr(title, search->part.c_str()) != nullptr) {
        search->bFound = TRUE;
        return FALSE;
    }
    return TRUE;
}

// The "&Help" button among a dialog's children is hidden.
BOOL CALLBACK HideHelpButton(HWND hWnd, LPARAM)
{
    char className[16] = {}, text[32] = {};
    ::GetClassNameA(hWnd, className, (int)sizeof(className));
    ::GetWindowTextA(hWnd, text, (int)sizeof(text));
    if (lstrcmpiA(className, "Button") == 0 && lstrcmpA(text, "&Help") == 0)
        ::ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}

// The text of a value of a version resource's string table.
CString VersionString(const std::vector<BYTE>& data, const CString& table, LPCSTR name)
{
    LPVOID value = nullptr;
    UINT length = 0;
    CString path = table + name;
    if (!::VerQueryValueA(data.data(), path, &value, &length) || value == nullptr || length == 0)
        return CString();
    return CString(static_cast<const char*>(value));
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// The file dialog

BOOL BrowseForFile(LPCSTR defaultExtension, LPCSTR filter, BOOL bOpen, CString& path, BOOL bMultiSelect,
                   LPCSTR title, CWnd* pParent)
{
    DWORD flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    flags |= bOpen ? OFN_PATHMUSTEXIST : OFN_OVERWRITEPROMPT;
    if (bMultiSelect)
        flags |= OFN_ALLOWMULTISELECT;
    CFileDialog dialog(bOpen, defaultExtension, path.IsEmpty() ? nullptr : (LPCSTR)path, flags, filter, pParent, 0,
                       TRUE);
    dialog.m_ofn.nMaxFile = 1024;
    dialog.m_ofn.nMaxFileTitle = std::min<DWORD>(dialog.m_ofn.nMaxFileTitle, 1024);
    if (title != nullptr && *title != '\0')
        dialog.m_ofn.lpstrTitle = title;
    if (DWORD index = FilterIndexOf(filter != nullptr ? filter : "", s_strLastExtension))
        dialog.m_ofn.nFilterIndex = index;
    if (dialog.DoModal() != IDOK)
        return FALSE;

    CString chosen;
    POSITION pos = dialog.GetStartPosition();
    while (pos != nullptr) {
        if (!chosen.IsEmpty())
            chosen += ",";
        chosen += dialog.GetNextPathName(pos);
    }
    if (chosen.IsEmpty())
        return FALSE;
    path = chosen;
    const CString first = LeftOfSubstring(chosen, ",");
    s_strLastExtension = GetFileExtension(first);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Processes and windows

BOOL RunProcess(LPCSTR commandLine, BOOL bWait, DWORD* pExitCode)
{
    if (commandLine == nullptr || *commandLine == '\0')
        return FALSE;
    // The system may write into the command line it is given.
    std::vector<char> line(commandLine, commandLine + strlen(commandLine) + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                          &startup, &process))
        return FALSE;
    if (bWait) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        if (pExitCode != nullptr)
            *pExitCode = code;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return TRUE;
}

BOOL IsProcessRunning(LPCSTR exeName)
{
    const CString name = GetFileNameFromPath(exeName);
    if (name.IsEmpty())
        return FALSE;
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return FALSE;
    const DWORD self = ::GetCurrentProcessId();
    BOOL bFound = FALSE;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(hSnapshot, &entry); more && !bFound; more = ::Process32Next(hSnapshot, &entry))
        bFound = entry.th32ProcessID != self && name.CompareNoCase(GetFileNameFromPath(entry.szExeFile)) == 0;
    ::CloseHandle(hSnapshot);
    return bFound;
}

BOOL FindWindowByTitle(LPCSTR title, LPCSTR className)
{
    if (title != nullptr && *title != '\0') {
        // Titles are compared in characters, not in bytes of their UTF-8.
        TitleSearch search = {kvutf::Widen(title), FALSE};
        ::EnumWindows(FindTitle, reinterpret_cast<LPARAM>(&search));
        return search.bFound;
    }
    return className != nullptr && *className != '\0' && ::FindWindowA(className, nullptr) != nullptr;
}

BOOL PrepareDialogWindow(LPCSTR title)
{
    // The dialog is shown by a call of the system that has not returned yet:
    // it is looked for a thousand times, 10 ms apart.
    HWND hDialog = nullptr;
    for (int attempt = 0; attempt <= 1000; attempt++) {
        hDialog = ::FindWindowA("#32770", title);
        if (hDialog != nullptr)
            break;
        ::Sleep(10);
    }
    if (hDialog == nullptr)
        return FALSE;
    const LONG_PTR exStyle = ::GetWindowLongPtrA(hDialog, GWL_EXSTYLE);
    ::SetWindowLongPtrA(hDialog, GWL_EXSTYLE, exStyle & ~(LONG_PTR)WS_EX_CONTEXTHELP);
    ::SetWindowPos(hDialog, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(128))) {
        ::SendMessageA(hDialog, WM_SETICON, ICON_BIG, (LPARAM)hIcon);
        ::SendMessageA(hDialog, WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    }
    CWnd::FromHandle(hDialog)->CenterWindow();
    ::EnumChildWindows(hDialog, HideHelpButton, 0);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// The system

BOOL GetVersionStrings(LPCSTR module, CString& productName, CString& fileVersion, CString& legalNotice,
                       CString& companyName)
{
    productName.Empty();
    fileVersion.Empty();
    legalNotice.Empty();
    companyName.Empty();
    if (module == nullptr || *module == '\0')
        return FALSE;
    // A loaded module is read from its own file.
    char file[MAX_PATH * 4] = {};
    HMODULE hModule = ::GetModuleHandleA(module);
    const DWORD n = hModule != nullptr ? ::GetModuleFileNameA(hModule, file, (DWORD)sizeof(file)) : 0;
    if (n == 0 || n >= sizeof(file))
        lstrcpynA(file, module, (int)sizeof(file));
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(file, &handle);
    if (size == 0)
        return FALSE;
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoA(file, 0, size, data.data()))
        return FALSE;
    struct Translation
    {
        WORD wLanguage;
        WORD wCodePage;
    }* pTranslation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<LPVOID*>(&pTranslation),
                          &length) ||
        pTranslation == nullptr || length < sizeof(Translation))
        return FALSE;
    CString table;
    table.Format("\\StringFileInfo\\%04X%04X\\", pTranslation->wLanguage, pTranslation->wCodePage);
    productName = VersionString(data, table, "ProductName");
    fileVersion = VersionString(data, table, "FileVersion");
    legalNotice = VersionString(data, table, "LegalCopyright");
    companyName = VersionString(data, table, "CompanyName");
    return TRUE;
}

CString GetIndexedString(int index)
{
    if (index < 0 || index > 14)
        return CString();
    CString text;
    text.LoadString((UINT)(231 + index));
    return text;
}

BOOL GetPrinterSetup(LPCSTR printerName, HGLOBAL& hDevNames, HGLOBAL& hDevMode)
{
    hDevNames = nullptr;
    hDevMode = nullptr;
    if (printerName == nullptr || *printerName == '\0')
        return FALSE;
    HANDLE hPrinter = nullptr;
    if (!::OpenPrinterA(const_cast<LPSTR>(printerName), &hPrinter, nullptr))
        return FALSE;
    BOOL bDone = FALSE;
    DWORD needed = 0;
    ::GetPrinterA(hPrinter, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    const LONG modeSize = ::DocumentPropertiesA(nullptr, hPrinter, const_cast<LPSTR>(printerName), nullptr, nullptr, 0);
    if (needed > 0 && ::GetPrinterA(hPrinter, 2, info.data(), needed, &needed) && modeSize > 0) {
        const auto* printer = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
        hDevMode = ::GlobalAlloc(GHND, (SIZE_T)modeSize);
        auto* pMode = hDevMode != nullptr ? static_cast<DEVMODEA*>(::GlobalLock(hDevMode)) : nullptr;
        if (pMode != nullptr) {
            bDone = ::DocumentPropertiesA(nullptr, hPrinter, const_cast<LPSTR>(printerName), pMode, nullptr,
                                          DM_OUT_BUFFER) == IDOK;
            ::GlobalUnlock(hDevMode);
        }
        // DEVNAMES: the three offsets and the default flag, then the driver,
        // device and port names, each ended by a zero.
        const CString names[3] = {printer->pDriverName ? printer->pDriverName : "",
                                  printer->pPrinterName ? printer->pPrinterName : printerName,
                                  printer->pPortName ? printer->pPortName : ""};
        SIZE_T size = sizeof(DEVNAMES);
        for (const CString& name : names)
            size += name.GetLength() + 1;
        hDevNames = bDone ? ::GlobalAlloc(GHND, size) : nullptr;
        auto* pNames = hDevNames != nullptr ? static_cast<DEVNAMES*>(::GlobalLock(hDevNames)) : nullptr;
        bDone = pNames != nullptr;
        if (pNames != nullptr) {
            WORD* offsets[3] = {&pNames->wDriverOffset, &pNames->wDeviceOffset, &pNames->wOutputOffset};
            char* text = reinterpret_cast<char*>(pNames);
            WORD offset = sizeof(DEVNAMES);
            for (int i = 0; i < 3; i++) {
                *offsets[i] = offset;
                memcpy(text + offset, (LPCSTR)names[i], names[i].GetLength() + 1);
                offset = (WORD)(offset + names[i].GetLength() + 1);
            }
            pNames->wDefault = 0;
            ::GlobalUnlock(hDevNames);
        }
    }
    ::ClosePrinter(hPrinter);
    if (!bDone) {
        for (HGLOBAL* h : {&hDevNames, &hDevMode}) {
            if (*h != nullptr)
                ::GlobalFree(*h);
            *h = nullptr;
        }
    }
    return bDone;
}

void GetOSVersion(DWORD& major, DWORD& minor, DWORD& build)
{
    major = minor = build = 0;
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&info))
        return;
#pragma GCC diagnostic pop
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
    build = info.dwBuildNumber;
}

DWORD GetOSMajorVersion()
{
    DWORD major = 0, minor = 0, build = 0;
    GetOSVersion(major, minor, build);
    return major;
}

HICON LoadIconOfSize(UINT id, int width, int height, int bits)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hGroup = ::FindResourceA(hInstance, MAKEINTRESOURCEA(id), (LPCSTR)RT_GROUP_ICON);
    HGLOBAL hGroupData = hGroup != nullptr ? ::LoadResource(hInstance, hGroup) : nullptr;
    const auto* dir = hGroupData != nullptr ? static_cast<const GroupIconDir*>(::LockResource(hGroupData)) : nullptr;
    const DWORD groupSize = hGroup != nullptr ? ::SizeofResource(hInstance, hGroup) : 0;
    if (dir == nullptr || groupSize < offsetof(GroupIconDir, idEntries))
        return nullptr;
    const WORD count = (WORD)std::min<size_t>(dir->idCount, (groupSize - offsetof(GroupIconDir, idEntries)) /
                                                                sizeof(GroupIconEntry));
    for (WORD i = 0; i < count; i++) {
        const GroupIconEntry& entry = dir->idEntries[i];
        // A size of 0 in the directory stands for 256.
        const int entryWidth = entry.bWidth != 0 ? entry.bWidth : 256;
        const int entryHeight = entry.bHeight != 0 ? entry.bHeight : 256;
        if (entryWidth != width || entryHeight != height || entry.wBitCount != bits)
            continue;
        HRSRC hIcon = ::FindResourceA(hInstance, MAKEINTRESOURCEA(entry.nID), (LPCSTR)RT_ICON);
        HGLOBAL hIconData = hIcon != nullptr ? ::LoadResource(hInstance, hIcon) : nullptr;
        auto* image = hIconData != nullptr ? static_cast<PBYTE>(::LockResource(hIconData)) : nullptr;
        if (image == nullptr)
            return nullptr;
        return ::CreateIconFromResourceEx(image, ::SizeofResource(hInstance, hIcon), TRUE, 0x00030000, width, height,
                                          LR_DEFAULTCOLOR);
    }
    return nullptr;
}
