// The exception family: texts, reporting and the throwing helpers.
#include "platform/framework/base/Exceptions.h"

#include <cerrno>
#include <cstdio>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {
constexpr UINT kAppTitleId = 0xE000; // the application's title in the string table

CString MessageBoxCaption()
{
    CString caption;
    if (caption.LoadString(kAppTitleId))
        return caption;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    caption = path;
    const int slash = caption.ReverseFind('\\');
    if (slash >= 0)
        caption = caption.Mid(slash + 1);
    const int dot = caption.ReverseFind('.');
    if (dot > 0)
        caption = caption.Left(dot);
    return caption;
}

// Text nCause of the table (entry 1, the general one, for unknown causes)
// with the file name put in for %s; "an unnamed file" when there is none.
template <size_t N>
BOOL FormatWithFile(const LPCSTR (&patterns)[N], int nCause, const CString& strFileName, LPSTR lpszError,
                    UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    const LPCSTR lpszPattern = (nCause >= 0 && nCause < (int)N) ? patterns[nCause] : patterns[1];
    CString text;
    text.Format(lpszPattern, strFileName.IsEmpty() ? CString("an unnamed file") : strFileName);
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, text, (int)nMaxError);
    return TRUE;
}
} // namespace

// ---- CException ------------------------------------------------------------

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::CopyErrorText(LPCSTR lpszText, LPSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    if (lpszText == nullptr || *lpszText == '\0') {
        *lpszError = '\0';
        return FALSE;
    }
    lstrcpynA(lpszError, lpszText, (int)nMaxError);
    return TRUE;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyErrorText(nullptr, lpszError, nMaxError);
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[1024];
    CString text;
    if (GetErrorMessage(szMessage, sizeof(szMessage)))
        text = szMessage;
    else if (nMessageID == 0 || !text.LoadString(nMessageID))
        text = "No error message is available.";
    const CString caption = MessageBoxCaption();
    return ::MessageBoxA(::GetActiveWindow(), text, caption, nType);
}

// ---- the simple exceptions -------------------------------------------------

BOOL CSimpleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyErrorText(GetDefaultText(), lpszError, nMaxError);
}

LPCSTR CSimpleException::GetDefaultText() const { return "An unknown error occurred."; }
LPCSTR CMemoryException::GetDefaultText() const { return "Out of memory."; }
LPCSTR CNotSupportedException::GetDefaultText() const { return "An unsupported operation was attempted."; }
LPCSTR CInvalidArgException::GetDefaultText() const { return "An invalid argument was encountered."; }
LPCSTR CResourceException::GetDefaultText() const { return "A required resource was unavailable."; }
// The user has already been told why the operation ended.
LPCSTR CUserException::GetDefaultText() const { return nullptr; }

// ---- CFileException --------------------------------------------------------

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCSTR kTexts[] = {
        "No error occurred while accessing %s.",
        "An unexpected error occurred while accessing %s.",
        "%s was not found.",
        "%s contains an invalid path.",
        "%s could not be opened because there are too many open files.",
        "Access to %s was denied.",
        "An invalid file handle was associated with %s.",
        "%s could not be removed because it is the current directory.",
        "%s could not be created because the directory is full.",
        "Seek failed on %s.",
        "A hardware input/output error was reported while accessing %s.",
        "A sharing violation occurred while accessing %s.",
        "A locking violation occurred while accessing %s.",
        "The disk is full while accessing %s.",
        "An attempt was made to access %s past its end.",
    };
    return FormatWithFile(kTexts, m_cause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch ((DWORD)lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_ACCESS: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_SECTOR_NOT_FOUND: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case EINVAL:
    case ENAMETOOLONG: return badPath;
    case EMFILE: return tooManyOpenFiles;
    case EACCES:
    case EEXIST:
    case EROFS: return accessDenied;
    case EBADF: return invalidFile;
    case ENOSPC: return diskFull;
    case ESPIPE: return badSeek;
    case EIO: return hardIO;
    case EDEADLK: return lockViolation;
    default: return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

// ---- CArchiveException -----------------------------------------------------

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCSTR kTexts[] = {
        "No error occurred while reading or writing %s.",
        "An unexpected error occurred while reading or writing %s.",
        "An attempt was made to write to %s while it was being read.",
        "An attempt was made to read %s past its end.",
        "An attempt was made to read from %s while it was being written.",
        "%s has an invalid format.",
        "%s holds an unexpected object.",
        "%s holds an object of an unsupported version.",
        "The buffer for %s is full.",
    };
    return FormatWithFile(kTexts, m_cause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

// ---- throwing helpers ------------------------------------------------------

void AFXAPI AfxThrowMemoryException()
{
    // Made in advance: when memory has run out, new may fail too.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
