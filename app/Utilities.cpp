#include "app/Utilities.h"

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
