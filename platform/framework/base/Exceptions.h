// The exception family. Exceptions are created with new and thrown by
// pointer; whoever catches one ends it with Delete():
//     try { ... } catch (CFileException* e) { e->ReportError(); e->Delete(); }
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"

#include <exception>

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    // bAutoDelete: TRUE for exceptions made with new (Delete frees them);
    // FALSE for one that lives on the stack or in static storage.
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    ~CException() override = default;

    // Frees the exception when it was made with new; does nothing otherwise.
    void Delete();

    // The text of the error into lpszError (at most nMaxError characters with
    // the terminator). FALSE (and an empty text) when there is no text.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the error text in a message box with the given style, falling
    // back to string nMessageID (or a general text) when there is none.
    // Returns the message box's result.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;

protected:
    // Copies text into a GetErrorMessage buffer, cutting it to fit.
    static BOOL CopyErrorText(LPCSTR lpszText, LPSTR lpszError, UINT nMaxError);
};

class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

protected:
    // The standard text of this kind of exception.
    virtual LPCSTR GetDefaultText() const;
};

class CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override;
};

class CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override;
};

class CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override;
};

class CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    explicit CResourceException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override;
};

// Thrown to end an operation after the user has already been told why; the
// catcher shows nothing more.
class CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    explicit CUserException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDefaultText() const override;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCSTR lpszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    // The cause for a Win32 error code or a C run-time errno value.
    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    // Throws a CFileException for the error code; nothing when it is 0.
    static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = nullptr);
    static void PASCAL ThrowErrno(int nErrno, LPCSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull
    };

    explicit CArchiveException(int cause = CArchiveException::none, LPCSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

// Throwing helpers: each makes the exception with new and throws the pointer.
[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = nullptr);

// Ends a caught exception at the end of a CATCH block unless the block
// re-throws it (THROW_LAST or a plain throw).
class AfxExceptionAutoDelete
{
public:
    explicit AfxExceptionAutoDelete(CException* e) noexcept
        : m_pException(e), m_nUncaught(std::uncaught_exceptions()) {}
    ~AfxExceptionAutoDelete()
    {
        if (m_pException && std::uncaught_exceptions() <= m_nUncaught)
            m_pException->Delete();
    }
    void Release() noexcept { m_pException = nullptr; }
    AfxExceptionAutoDelete(const AfxExceptionAutoDelete&) = delete;
    AfxExceptionAutoDelete& operator=(const AfxExceptionAutoDelete&) = delete;

private:
    CException* m_pException;
    int m_nUncaught;
};

// The older block form of catching:
//     TRY { ... } CATCH(CFileException, e) { ... } AND_CATCH_ALL(e) { ... } END_CATCH_ALL
// A caught exception is deleted at the end of its block unless re-thrown.
#define TRY try
#define CATCH(class_name, e) \
    catch (class_name* e) { AfxExceptionAutoDelete _afxExceptionDelete(e);
#define AND_CATCH(class_name, e) \
    } catch (class_name* e) { AfxExceptionAutoDelete _afxExceptionDelete(e);
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL }
#define THROW(e) throw e
#define THROW_LAST() do { _afxExceptionDelete.Release(); throw; } while (0)
