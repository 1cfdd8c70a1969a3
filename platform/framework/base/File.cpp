// CFile, CStdioFile and CMemFile.
#include "platform/framework/base/File.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {
CString FullPath(LPCSTR lpszFileName)
{
    char buffer[MAX_PATH * 4];
    const DWORD n = ::GetFullPathNameA(lpszFileName, sizeof(buffer), buffer, nullptr);
    if (n == 0 || n >= sizeof(buffer))
        return CString(lpszFileName);
    return CString(buffer, (int)n);
}

void SetError(CFileException* pError, int cause, LONG lOsError, LPCSTR lpszFileName)
{
    if (pError == nullptr)
        return;
    pError->m_cause = cause;
    pError->m_lOsError = lOsError;
    pError->m_strFileName = lpszFileName;
}
} // namespace

// ---- CFile -------------------------------------------------------------------

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    OpenOrThrow(lpszFileName, nOpenFlags);
}

void CFile::OpenOrThrow(LPCSTR lpszFileName, UINT nOpenFlags)
{
    // Called from constructors, so Open is the constructed class's own.
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    if (lpszFileName == nullptr || *lpszFileName == '\0') {
        SetError(pError, CFileException::badPath, ERROR_INVALID_NAME, lpszFileName);
        return FALSE;
    }
    m_strFileName = FullPath(lpszFileName);

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3) {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    default:
        SetError(pError, CFileException::genericException, ERROR_INVALID_PARAMETER, m_strFileName);
        return FALSE;
    }
    DWORD dwShare = 0;
    switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareExclusive: dwShare = 0; break;
    case shareDenyWrite: dwShare = FILE_SHARE_READ; break;
    case shareDenyRead: dwShare = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default:
        SetError(pError, CFileException::genericException, ERROR_INVALID_PARAMETER, m_strFileName);
        return FALSE;
    }
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) == 0};
    DWORD dwCreate = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        dwCreate = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer) dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough) dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess) dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan) dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShare, &sa, dwCreate, dwFlags, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        const LONG lError = (LONG)::GetLastError();
        SetError(pError, CFileException::OsErrorToException(lError), lError, m_strFileName);
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::Close()
{
    BOOL bError = FALSE;
    if (m_hFile != hFileNull)
        bError = !::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (bError)
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DWORD nRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &nRead, nullptr))
        ThrowLastError();
    return (UINT)nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DWORD nWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &nWritten, nullptr))
        ThrowLastError();
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowInvalidArgException();
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, distance, &position, nFrom))
        ThrowLastError();
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        ThrowLastError();
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return (ULONGLONG)size.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
}

CString CFile::GetFileName() const
{
    const CString path = GetFilePath();
    int last = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
            last = i;
    return path.Mid(last + 1);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

void PASCAL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

void CFile::ThrowLastError() const
{
    const LONG lError = (LONG)::GetLastError();
    AfxThrowFileException(CFileException::OsErrorToException(lError), lError, m_strFileName);
}

// ---- CStdioFile ------------------------------------------------------------

CStdioFile::CStdioFile() : m_pStream(nullptr)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream)
{
    if (pOpenStream)
        m_hFile = (HANDLE)_get_osfhandle(_fileno(pOpenStream));
}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr)
{
    OpenOrThrow(lpszFileName, nOpenFlags);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream)
        Abort();
    // The platform file is opened first, so sharing and creation follow the
    // same rules as CFile; the C run-time stream is then laid over it.
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError))
        return FALSE;
    const bool bBinary = (nOpenFlags & typeBinary) != 0;
    int oflag = bBinary ? _O_BINARY : _O_TEXT;
    const char* mode = "r";
    switch (nOpenFlags & 3) {
    case modeRead: oflag |= _O_RDONLY; mode = bBinary ? "rb" : "rt"; break;
    case modeWrite: oflag |= _O_WRONLY; mode = bBinary ? "wb" : "wt"; break;
    default: oflag |= _O_RDWR; mode = bBinary ? "r+b" : "r+t"; break;
    }
    const int fd = _open_osfhandle((intptr_t)m_hFile, oflag);
    if (fd == -1) {
        CFile::Abort();
        SetError(pError, CFileException::tooManyOpenFiles, ERROR_TOO_MANY_OPEN_FILES, m_strFileName);
        return FALSE;
    }
    m_pStream = _fdopen(fd, mode);
    if (m_pStream == nullptr) {
        const int nErrno = errno;
        _close(fd); // closes the platform handle too
        m_hFile = hFileNull;
        m_bCloseOnDelete = FALSE;
        SetError(pError, CFileException::ErrnoToException(nErrno), nErrno, m_strFileName);
        return FALSE;
    }
    return TRUE;
}

void CStdioFile::Close()
{
    int nResult = 0;
    if (m_pStream != nullptr)
        nResult = fclose(m_pStream); // also closes the platform handle
    const int nErrno = errno;
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (nResult != 0)
        CFileException::ThrowErrno(nErrno ? nErrno : EIO, m_strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr)
        fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr || m_pStream == nullptr)
        AfxThrowInvalidArgException();
    const size_t n = fread(lpBuf, 1, nCount, m_pStream);
    if (n == 0 && ferror(m_pStream)) {
        clearerr(m_pStream);
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
    }
    return (UINT)n;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr || m_pStream == nullptr)
        AfxThrowInvalidArgException();
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        CFileException::ThrowErrno(errno ? errno : ENOSPC, m_strFileName);
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz == nullptr || m_pStream == nullptr)
        AfxThrowInvalidArgException();
    if (fputs(lpsz, m_pStream) == EOF)
        CFileException::ThrowErrno(errno ? errno : ENOSPC, m_strFileName);
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0 || m_pStream == nullptr)
        AfxThrowInvalidArgException();
    LPSTR lpszResult = fgets(lpsz, (int)std::min<UINT>(nMax, 0x7FFFFFFF), m_pStream);
    if (lpszResult == nullptr && ferror(m_pStream)) {
        clearerr(m_pStream);
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
    }
    return lpszResult;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    if (m_pStream == nullptr)
        AfxThrowInvalidArgException();
    std::string line;
    char chunk[512];
    bool bAny = false;
    while (fgets(chunk, sizeof(chunk), m_pStream) != nullptr) {
        bAny = true;
        line += chunk;
        if (!line.empty() && line.back() == '\n')
            break;
    }
    if (ferror(m_pStream)) {
        clearerr(m_pStream);
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
    }
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(std::move(line));
    return bAny;
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (m_pStream == nullptr || nFrom > end)
        AfxThrowInvalidArgException();
    const int origin = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    if (_fseeki64(m_pStream, lOff, origin) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    if (m_pStream == nullptr)
        AfxThrowInvalidArgException();
    const long long pos = _ftelli64(m_pStream);
    if (pos < 0)
        AfxThrowFileException(CFileException::invalidFile, errno, m_strFileName);
    return (ULONGLONG)pos;
}

ULONGLONG CStdioFile::GetLength() const
{
    if (m_pStream == nullptr)
        AfxThrowInvalidArgException();
    fflush(m_pStream); // what is buffered belongs to the length too
    return CFile::GetLength();
}

// ---- CMemFile --------------------------------------------------------------

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    Close();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    // A fixed buffer is read as it stands; a growable one is written from empty.
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

BOOL CMemFile::Open(LPCSTR, UINT, CFileException* pError)
{
    SetError(pError, CFileException::genericException, ERROR_NOT_SUPPORTED, nullptr);
    return FALSE;
}

void CMemFile::Close()
{
    if (m_bAutoDelete && m_lpBuffer)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::Abort()
{
    Close();
}

void CMemFile::GrowTo(size_t nNewSize)
{
    if (nNewSize <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    size_t nNewBufferSize = m_nBufferSize;
    while (nNewBufferSize < nNewSize)
        nNewBufferSize = std::max(nNewBufferSize + m_nGrowBytes, nNewBufferSize + nNewBufferSize / 2);
    BYTE* lpNew;
    if (m_bAutoDelete) {
        lpNew = static_cast<BYTE*>(std::realloc(m_lpBuffer, nNewBufferSize));
    } else {
        // The caller's buffer cannot be reallocated: continue in a copy of our own.
        lpNew = static_cast<BYTE*>(std::malloc(nNewBufferSize));
        if (lpNew && m_nFileSize)
            std::memcpy(lpNew, m_lpBuffer, m_nFileSize);
    }
    if (lpNew == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
    m_bAutoDelete = TRUE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const size_t n = std::min<size_t>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return (UINT)n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const size_t nEnd = m_nPosition + nCount;
    GrowTo(nEnd);
    if (m_nPosition > m_nFileSize) // written after a seek past the end: the gap reads as zeros
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::Flush()
{
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = nFrom == begin ? 0 : nFrom == current ? (LONGLONG)m_nPosition
                  : nFrom == end   ? (LONGLONG)m_nFileSize
                                   : -1;
    if (base < 0)
        AfxThrowInvalidArgException();
    const LONGLONG newPos = base + lOff;
    if (newPos < 0)
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
    m_nPosition = (size_t)newPos;
    return (ULONGLONG)m_nPosition;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > m_nFileSize) {
        GrowTo((size_t)dwNewLen);
        std::memset(m_lpBuffer + m_nFileSize, 0, (size_t)dwNewLen - m_nFileSize);
    }
    m_nFileSize = (size_t)dwNewLen;
    if (m_nPosition > m_nFileSize)
        m_nPosition = m_nFileSize;
}
