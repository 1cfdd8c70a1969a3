// Basic types, diagnostics macros and small helpers that every other part of
// the framework builds on.
#pragma once

#include <windows.h>
#include <tchar.h>
#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

// Calling-convention and linkage markers used in declarations. On this 64-bit
// target calling conventions are all the same, so they are kept only for form.
#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif
#ifndef AFX_INLINE
#define AFX_INLINE inline
#endif
#ifndef AFX_DATA
#define AFX_DATA
#endif
#ifndef AFX_EXT_CLASS
#define AFX_EXT_CLASS
#endif
#ifndef AFX_NOVTABLE
#define AFX_NOVTABLE
#endif
#ifndef AFX_STATIC
#define AFX_STATIC static
#endif
#ifndef AFX_STATIC_DATA
#define AFX_STATIC_DATA static
#endif

// Marks message handlers in class declarations; expands to nothing.
#ifndef afx_msg
#define afx_msg
#endif

#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif

// Positions in lists and maps: an opaque cookie handed out by the container.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// Diagnostics. In debug builds (_DEBUG) a failed assertion writes the file and
// line to the debugger output and breaks into an attached debugger; in other
// builds assertions cost nothing and VERIFY still evaluates its expression.
BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
void AFX_CDECL AfxTraceV(LPCSTR lpszFormat, va_list args);

#ifdef _DEBUG
#define ASSERT(f) \
    do { if (!(f)) AfxAssertFailedLine(__FILE__, __LINE__); } while (0)
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(pOb) (::AfxAssertValidObject((pOb), __FILE__, __LINE__))
#define TRACE(...) ::AfxTrace(__VA_ARGS__)
#define DEBUG_ONLY(f) (f)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#define TRACE(...) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#endif

#define TRACE0(sz) TRACE("%s", sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)
#define ASSERT_POINTER(p, type) ASSERT(((p) != nullptr) && AfxIsValidAddress((p), sizeof(type), FALSE))
#define ASSERT_NULL_OR_POINTER(p, type) ASSERT(((p) == nullptr) || AfxIsValidAddress((p), sizeof(type), FALSE))

// Allocation with file and line in debug builds of the original framework;
// here plain new.
#ifndef DEBUG_NEW
#define DEBUG_NEW new
#endif

// TRUE when the nBytes bytes at p are committed memory this process may read
// (and, with bReadWrite, write). A null pointer or a block that runs into
// memory that is not accessible gives FALSE.
BOOL AFXAPI AfxIsValidAddress(const void* p, UINT_PTR nBytes, BOOL bReadWrite = TRUE);
// TRUE when the text at p can be read: nLength bytes, or up to and including
// its terminating zero when nLength is -1.
BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int nLength = -1);

// The module whose resources (strings, dialogs, menus...) the framework loads.
// Defaults to the executable's module.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding the named resource of the given type: the resource
// module when it has it, else the executable's module.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
