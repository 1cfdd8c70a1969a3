// Helpers of the document, view and frame classes: paths, texts, files.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"
#include "platform/framework/docview/ControlBar.h"
#include "platform/framework/docview/DocView.h"
#include "platform/framework/docview/DocViewUtil.h"
#include <string>

namespace {

using kvutf::Widen;

CString Narrow(const std::wstring& w)
{
    return CString(w.c_str(), (int)w.size());
}

std::wstring FullPathW(const std::wstring& path)
{
    if (path.empty())
        return path;
    DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::wstring full((size_t)n, L'\0');
    n = ::GetFullPathNameW(path.c_str(), n, &full[0], nullptr);
    if (n == 0 || n >= full.size())
        return path;
    full.resize(n);
    // Short (8.3) names of existing files become their long names, so that
    // two spellings of one file compare equal.
    DWORD nLong = ::GetLongPathNameW(full.c_str(), nullptr, 0);
    if (nLong > 0) {
        std::wstring longPath((size_t)nLong, L'\0');
        nLong = ::GetLongPathNameW(full.c_str(), &longPath[0], nLong);
        if (nLong > 0 && nLong < longPath.size()) {
            longPath.resize(nLong);
            return longPath;
        }
    }
    return full;
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t n = path.find_last_of(L"\\/");
    return n == std::wstring::npos ? std::wstring(L".") : path.substr(0, n + 1);
}

} // namespace

namespace kvdoc {

CString FullPath(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr || *lpszPath == '\0')
        return CString();
    std::wstring full = FullPathW(Widen(lpszPath));
    return full.empty() ? CString(lpszPath) : Narrow(full);
}

BOOL SamePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2)
{
    if (lpszPath1 == nullptr || lpszPath2 == nullptr || *lpszPath1 == '\0' || *lpszPath2 == '\0')
        return FALSE;
    std::wstring a = FullPathW(Widen(lpszPath1));
    std::wstring b = FullPathW(Widen(lpszPath2));
    return ::CompareStringOrdinal(a.c_str(), (int)a.size(), b.c_str(), (int)b.size(), TRUE) == CSTR_EQUAL;
}

CString FileNameOf(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr)
        return CString();
    LPCTSTR lpszName = lpszPath;
    for (LPCTSTR p = lpszPath; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    return CString(lpszName);
}

CString TempFileBeside(LPCTSTR lpszTarget)
{
    std::wstring folder = FolderOf(FullPathW(Widen(lpszTarget)));
    wchar_t szTemp[MAX_PATH + 16] = {};
    if (folder.size() >= MAX_PATH - 14) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return CString();
    }
    if (::GetTempFileNameW(folder.c_str(), L"kv", 0, szTemp) == 0)
        return CString();
    return Narrow(szTemp);
}

BOOL ReplaceWith(LPCTSTR lpszSource, LPCTSTR lpszTarget)
{
    return ::MoveFileExW(Widen(lpszSource).c_str(), Widen(lpszTarget).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
}

BOOL HasResource(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, lpszType);
    return hInst != nullptr && ::FindResourceA(hInst, lpszName, lpszType) != nullptr;
}

} // namespace kvdoc
