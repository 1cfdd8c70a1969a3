#include "app/Utilities.h"

#include <algorithm>
#include <cstring>
#include <shlobj.h>
#include <shlwapi.h>

namespace {

// Index of the first character of the file name in the path (after the last
// backslash, slash or drive colon).
int FileNameStart(const CString& path)
{
    int start = 0;
    for (int i = 0; i < path.GetLength(); i++) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':')
            start = i + 1;
    }
    return start;
}

// Index of the dot that starts the file name's extension; -1 when none.
int ExtensionDot(const CString& path)
{
    const int dot = path.ReverseFind('.');
    return dot >= FileNameStart(path) ? dot : -1;
}

} // namespace

CString GetFileExtension(LPCSTR path)
{
    CString text(path != nullptr ? path : "");
    const int dot = ExtensionDot(text);
    return dot < 0 ? CString() : text.Mid(dot);
}

CString StripFileExtension(LPCSTR path)
{
    CString text(path != nullptr ? path : "");
    const int dot = ExtensionDot(text);
    return dot < 0 ? text : text.Left(dot);
}

BOOL FindFileExists(LPCSTR path)
{
    if (path == nullptr || *path == '\0')
        return FALSE;
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(path, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    ::FindClose(hFind);
    return TRUE;
}

CString GetModuleFolder(LPCSTR moduleName)
{
    HMODULE hModule = moduleName != nullptr ? ::GetModuleHandleA(moduleName) : nullptr;
    char path[MAX_PATH * 4] = {};
    DWORD n = ::GetModuleFileNameA(hModule, path, (DWORD)sizeof(path));
    if (n == 0 || n >= sizeof(path))
        return CString();
    char drive[_MAX_DRIVE] = {}, folder[MAX_PATH * 4] = {};
    _splitpath_s(path, drive, sizeof(drive), folder, sizeof(folder), nullptr, 0, nullptr, 0);
    CString result(drive);
    result += folder;
    if (!result.IsEmpty() && result[result.GetLength() - 1] != '\\')
        result += '\\';
    return result;
}

int OpenFileObject(CFile*& file, LPCSTR path, BOOL forReading, BOOL binary, BOOL append)
{
    CloseFileObject(file);
    UINT flags;
    if (forReading && append)
        flags = CFile::modeReadWrite | CFile::shareExclusive;
    else if (forReading)
        flags = CFile::modeRead | CFile::shareDenyWrite;
    else if (binary)
        flags = CFile::modeReadWrite | CFile::shareExclusive | CFile::modeCreate | CFile::modeNoTruncate;
    else
        flags = CFile::modeReadWrite | CFile::shareExclusive | CFile::modeCreate;
    if (binary)
        file = new CFile(path, flags | CFile::typeBinary);
    else if (forReading && append)
        file = new CFile(path, flags | CFile::typeText);
    else
        file = new CStdioFile(path, flags | CFile::typeText);
    return 1;
}

BOOL CloseFileObject(CFile*& file)
{
    if (file == nullptr)
        return TRUE;
    BOOL closed = TRUE;
    try {
        file->Close();
    } catch (CException* e) {
        // A writer whose last data could not be flushed: the caller is told.
        e->Delete();
        file->Abort();
        closed = FALSE;
    }
    delete file;
    file = nullptr;
    return closed;
}

CString TakeExceptionText(CException* e)
{
    char text[2048] = {};
    if (e == nullptr || !e->GetErrorMessage(text, sizeof(text)) || text[0] == 0)
        lstrcpynA(text, LoadText(AFX_IDP_INTERNAL_FAILURE, "The operation failed."), sizeof(text));
    if (e != nullptr)
        e->Delete();
    return text;
}

/////////////////////////////////////////////////////////////////////////////
// Paths

CString GetFileNameFromPath(LPCSTR path)
{
    CString text(path != nullptr ? path : "");
    int cut = std::max(text.ReverseFind('\\'), text.ReverseFind('/'));
    if (cut < 0)
        cut = text.ReverseFind(':');
    return cut < 0 ? text : text.Mid(cut + 1);
}

CString GetFileTitleFromPath(LPCSTR path)
{
    return GetFileNameFromPath(StripFileExtension(path));
}

CString LeftOfSubstring(LPCSTR text, LPCSTR part)
{
    CString whole(text != nullptr ? text : "");
    const int at = whole.Find(part != nullptr ? part : "");
    return at < 0 ? whole : whole.Left(at);
}

CString MakeRelativePath(LPCSTR base, LPCSTR path)
{
    CString result(path != nullptr ? path : "");
    if (base == nullptr || *base == '\0' || result.IsEmpty())
        return result;
    char relative[MAX_PATH] = {};
    if (::PathRelativePathToA(relative, base, FILE_ATTRIBUTE_NORMAL, path, FILE_ATTRIBUTE_NORMAL))
        result = relative;
    return result;
}

CString MakeAbsolutePath(LPCSTR base, LPCSTR path)
{
    CString result(path != nullptr ? path : "");
    if (base == nullptr || *base == '\0' || result.IsEmpty())
        return result;
    // The system resolves the path against the current folder: base is made
    // current for the time of it.
    char previous[MAX_PATH * 4] = {};
    const DWORD n = ::GetCurrentDirectoryA((DWORD)sizeof(previous), previous);
    if (n == 0 || n >= sizeof(previous) || !::SetCurrentDirectoryA(base))
        return result;
    char full[MAX_PATH * 4] = {};
    const DWORD length = ::GetFullPathNameA(path, (DWORD)sizeof(full), full, nullptr);
    ::SetCurrentDirectoryA(previous);
    if (length > 0 && length < sizeof(full))
        result = full;
    return result;
}

/////////////////////////////////////////////////////////////////////////////
// Files and folders

BOOL ClearReadOnly(LPCSTR path)
{
    const DWORD attributes = path != nullptr ? ::GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0)
        return TRUE;
    return ::SetFileAttributesA(path, attributes & ~(DWORD)FILE_ATTRIBUTE_READONLY);
}

BOOL DeleteFileForced(LPCSTR path)
{
    if (!FindFileExists(path))
        return TRUE;
    try {
        ClearReadOnly(path);
        CFile::Remove(path);
    } catch (CFileException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

CString GetLocalAppDataFolder()
{
    char folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                  folder)))
        return CString();
    CString path(folder);
    if (path.IsEmpty() || path[path.GetLength() - 1] != '\\')
        path += '\\';
    for (LPCSTR level : {"Quorvex\\", "Standalone\\"}) {
        path += level;
        if (!::CreateDirectoryA(path, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return CString();
    }
    return path;
}

CString GetTempFolder()
{
    char folder[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathA((DWORD)sizeof(folder), folder);
    return n > 0 && n < sizeof(folder) ? CString(folder) : CString();
}

CString GetTempFileNameWithExtension(LPCSTR extension, LPCSTR name)
{
    const CString folder = GetTempFolder();
    if (folder.IsEmpty())
        return CString();
    CString suffix(extension != nullptr ? extension : "");
    if (!suffix.IsEmpty() && suffix[0] != '.')
        suffix = "." + suffix;
    // The system makes a unique ".tmp" file; the name with the extension in
    // its place is taken when no file has it. The ".tmp" file goes again.
    for (int attempt = 0; attempt < 100; attempt++) {
        char temp[MAX_PATH] = {};
        if (!::GetTempFileNameA(folder, name != nullptr ? name : "", 0, temp))
            return CString();
        CString candidate = StripFileExtension(temp) + suffix;
        ::DeleteFileA(temp);
        if (!FindFileExists(candidate))
            return candidate;
    }
    return CString();
}

CString GetFileNameFromHandle(HANDLE hFile)
{
    if (hFile == nullptr || hFile == INVALID_HANDLE_VALUE)
        return CString();
    char name[MAX_PATH * 4] = {};
    const DWORD n = ::GetFinalPathNameByHandleA(hFile, name, (DWORD)sizeof(name), FILE_NAME_NORMALIZED | VOLUME_NAME_NT);
    if (n == 0 || n >= sizeof(name))
        return CString();
    CString path(name);
    // The device ("\Device\HarddiskVolume1") becomes the drive it stands for.
    char drives[512] = {};
    const DWORD length = ::GetLogicalDriveStringsA((DWORD)sizeof(drives) - 1, drives);
    if (length > 0 && length < sizeof(drives)) {
        for (const char* drive = drives; *drive != '\0'; drive += strlen(drive) + 1) {
            const char letter[3] = {drive[0], ':', '\0'};
            char device[MAX_PATH] = {};
            if (!::QueryDosDeviceA(letter, device, (DWORD)sizeof(device)))
                continue;
            const int deviceLength = (int)strlen(device);
            if (deviceLength > 0 && path.GetLength() > deviceLength && path[deviceLength] == '\\' &&
                path.Left(deviceLength).CompareNoCase(device) == 0)
                return CString(letter) + path.Mid(deviceLength);
        }
    }
    // A name the system gives in its DOS form already.
    if (path.Left(4) == "\\??\\" || path.Left(4) == "\\\\?\\")
        return path.Mid(4);
    return CString();
}

CString GetOpenCommand(LPCSTR extension)
{
    if (extension == nullptr || *extension == '\0')
        return CString();
    char program[MAX_PATH * 4] = {};
    DWORD length = (DWORD)sizeof(program);
    if (FAILED(::AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, extension, "open", program, &length)))
        return CString();
    return program;
}
