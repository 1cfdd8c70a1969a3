#include "platform/framework/window/Clipboard.h"

#include <cstring>

CString AfxReadClipboardText(HWND hOwner)
{
    CString text;
    if (!::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(hOwner))
        return text;
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = (const char*)::GlobalLock(hData)) {
            text = p;
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    return text;
}

BOOL AfxWriteClipboardText(HWND hOwner, const CString& text)
{
    const size_t nBytes = (size_t)text.GetLength() + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nBytes);
    if (hMem == nullptr)
        return FALSE;
    char* p = (char*)::GlobalLock(hMem);
    if (p == nullptr) {
        ::GlobalFree(hMem);
        return FALSE;
    }
    memcpy(p, (LPCTSTR)text, nBytes);
    ::GlobalUnlock(hMem);
    if (!::OpenClipboard(hOwner)) {
        ::GlobalFree(hMem);
        return FALSE;
    }
    ::EmptyClipboard();
    // The clipboard owns the memory once it takes it.
    if (!::SetClipboardData(CF_TEXT, hMem))
        ::GlobalFree(hMem);
    ::CloseClipboard();
    return TRUE;
}
