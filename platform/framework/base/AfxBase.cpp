// Diagnostics and address checks.
#include "platform/framework/base/AfxBase.h"

#include <cstdio>
#include <string>

BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    char text[512];
    std::snprintf(text, sizeof(text), "Assertion failed: %s(%d)\n",
                  lpszFileName ? lpszFileName : "?", nLine);
    ::OutputDebugStringA(text);
    if (::IsDebuggerPresent())
        ::DebugBreak();
    return FALSE;
}

void AFX_CDECL AfxTraceV(LPCSTR lpszFormat, va_list args)
{
    if (lpszFormat == nullptr)
        return;
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, lpszFormat, copy);
    va_end(copy);
    if (n < 0)
        return;
    std::string text((size_t)n, '\0');
    std::vsnprintf(text.data(), (size_t)n + 1, lpszFormat, args);
    ::OutputDebugStringA(text.c_str());
}

namespace {
bool IsReadable(DWORD protect)
{
    if (protect & (PAGE_GUARD | PAGE_NOACCESS))
        return false;
    return (protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                       PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

bool IsWritable(DWORD protect)
{
    if (protect & (PAGE_GUARD | PAGE_NOACCESS))
        return false;
    return (protect & (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE |
                       PAGE_EXECUTE_WRITECOPY)) != 0;
}
} // namespace

BOOL AFXAPI AfxIsValidAddress(const void* p, UINT_PTR nBytes, BOOL bReadWrite)
{
    if (p == nullptr)
        return FALSE;
    UINT_PTR start = (UINT_PTR)p;
    if (nBytes == 0)
        return TRUE;
    if (start + nBytes < start)
        return FALSE; // wraps around the address space
    const UINT_PTR end = start + nBytes;
    // Walk the regions the block touches; each must be committed and accessible.
    while (start < end) {
        MEMORY_BASIC_INFORMATION mbi;
        if (::VirtualQuery((LPCVOID)start, &mbi, sizeof(mbi)) == 0)
            return FALSE;
        if (mbi.State != MEM_COMMIT)
            return FALSE;
        if (bReadWrite ? !IsWritable(mbi.Protect) : !IsReadable(mbi.Protect))
            return FALSE;
        const UINT_PTR regionEnd = (UINT_PTR)mbi.BaseAddress + mbi.RegionSize;
        if (regionEnd <= start)
            return FALSE;
        start = regionEnd;
    }
    return TRUE;
}

BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int nLength)
{
    if (lpsz == nullptr)
        return FALSE;
    if (nLength >= 0)
        return AfxIsValidAddress(lpsz, (UINT_PTR)nLength, FALSE);
    // Check page by page up to the terminating zero.
    const char* p = lpsz;
    for (;;) {
        MEMORY_BASIC_INFORMATION mbi;
        if (::VirtualQuery(p, &mbi, sizeof(mbi)) == 0 || mbi.State != MEM_COMMIT ||
            !IsReadable(mbi.Protect))
            return FALSE;
        const char* regionEnd = (const char*)mbi.BaseAddress + mbi.RegionSize;
        for (; p < regionEnd; ++p)
            if (*p == '\0')
                return TRUE;
    }
}
