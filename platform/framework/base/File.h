// Files and archives: CFile (binary file over a platform handle), CStdioFile
// (text file with line reading and writing), CMemFile (a file in memory) and
// CArchive (binary serialisation of values, texts and objects into a file).
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/base/Exceptions.h"

#include <cstdio>
#include <unordered_map>
#include <vector>

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    // Opens the file; throws CFileException on failure.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }

    // Opens a file with the flags above. FALSE on failure, with the cause
    // in *pError when given (nothing is thrown).
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Closes the file; throws CFileException when the platform reports an error.
    virtual void Close();
    // Closes the file and ignores every error.
    virtual void Abort();

    // Reads up to nCount bytes; returns how many were read (0 at the end).
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or throws CFileException.
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();

    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);

    virtual CString GetFileName() const;   // "name.ext"
    virtual CString GetFileTitle() const;  // "name"
    virtual CString GetFilePath() const;   // as opened (made full)
    virtual void SetFilePath(LPCSTR lpszNewName);

    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void PASCAL Remove(LPCSTR lpszFileName);

protected:
    // Throws the CFileException of the calling thread's last platform error.
    void ThrowLastError() const;
    // Opens through the class's own Open, throwing CFileException on failure
    // (for the opening constructors).
    void OpenOrThrow(LPCSTR lpszFileName, UINT nOpenFlags);

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// A text or binary file read and written through a C run-time stream. In text
// mode (typeText) a line end is written as CR LF and CR LF reads as "\n".
class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    explicit CStdioFile(FILE* pOpenStream);
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    FILE* m_pStream;

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;
    void Abort() override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;

    // Writes the text as it is (a "\n" in it ends a line).
    virtual void WriteString(LPCSTR lpsz);
    // Reads up to nMax - 1 characters or to the end of the line, keeping the
    // "\n"; null at the end of the file.
    virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);
    // Reads the next line (any length) without its line end; FALSE at the end
    // of the file when nothing was left to read.
    virtual BOOL ReadString(CString& rString);
};

// A file held in memory, growing as it is written.
class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Reads from (and, with nGrowBytes 0, writes into) the caller's buffer
    // without copying it; a non-zero nGrowBytes lets it grow into a copy.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Ends use of the memory and returns it (the caller's buffer, or a copy the
    // caller frees with free()).
    BYTE* Detach();

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;
    void Abort() override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;

private:
    void GrowTo(size_t nNewSize);

    UINT m_nGrowBytes;
    size_t m_nPosition;
    size_t m_nBufferSize;
    size_t m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};

class CDocument;

// Binary serialisation into a CFile. Numbers are little-endian in their own
// widths; texts are length-prefixed; objects carry their class name and
// schema the first time a class appears and are written once however often
// they are referred to.
class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes (flushing what is stored) unless Close or Abort was called or
    // bNoFlushOnDelete was given. Errors in that flush are ignored: call Close
    // to see them.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_nBufPos >= m_nBufLen; }
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes. Read returns how many bytes were read (fewer at the end).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();

    // Text lines: WriteString writes the text as it is; ReadString reads to
    // the next line end (LF or CR LF, not kept). FALSE at the end.
    void WriteString(LPCSTR lpsz);
    BOOL ReadString(CString& rString);
    LPSTR ReadString(LPSTR lpsz, UINT nMax);

    // Element counts: below 0xFFFF in a WORD, larger ones after a 0xFFFF WORD.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Objects and class records.
    void WriteObject(const CObject* pOb);
    // Reads an object; with pClassRefRequested, one not of that class (or a
    // derived one) throws CArchiveException::badClass.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr,
                             UINT* pSchema = nullptr, DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // The schema of the object being read (for classes with VERSIONABLE_SCHEMA);
    // (UINT)-1 once asked or when none.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }
    // Enters an object into the archive's object table without writing it.
    void MapObject(const CObject* pOb);

    CDocument* m_pDocument;
    CString m_strFileName;

    // Values.
    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(LONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(ULONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(int i) { return WriteValue((LONG)i); }
    CArchive& operator<<(short w) { return WriteValue((WORD)w); }
    CArchive& operator<<(char ch) { return WriteValue((BYTE)ch); }
    CArchive& operator<<(signed char ch) { return WriteValue((BYTE)ch); }
    CArchive& operator<<(unsigned u) { return WriteValue((DWORD)u); }
    CArchive& operator<<(bool b) { return WriteValue((LONG)(b ? 1 : 0)); }
    CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }
    CArchive& operator<<(POINT pt) { return *this << pt.x << pt.y; }
    CArchive& operator<<(SIZE sz) { return *this << sz.cx << sz.cy; }
    CArchive& operator<<(const RECT& rc) { return *this << rc.left << rc.top << rc.right << rc.bottom; }

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(LONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(ULONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(int& i) { LONG v; ReadValue(v); i = v; return *this; }
    CArchive& operator>>(short& w) { WORD v; ReadValue(v); w = (short)v; return *this; }
    CArchive& operator>>(char& ch) { BYTE v; ReadValue(v); ch = (char)v; return *this; }
    CArchive& operator>>(signed char& ch) { BYTE v; ReadValue(v); ch = (signed char)v; return *this; }
    CArchive& operator>>(unsigned& u) { DWORD v; ReadValue(v); u = v; return *this; }
    CArchive& operator>>(bool& b) { LONG v; ReadValue(v); b = v != 0; return *this; }
    CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(nullptr); return *this; }
    CArchive& operator>>(const CObject*& pOb) { pOb = ReadObject(nullptr); return *this; }
    CArchive& operator>>(POINT& pt) { return *this >> pt.x >> pt.y; }
    CArchive& operator>>(SIZE& sz) { return *this >> sz.cx >> sz.cy; }
    CArchive& operator>>(RECT& rc) { return *this >> rc.left >> rc.top >> rc.right >> rc.bottom; }

private:
    template <class T> CArchive& WriteValue(T v) { Write(&v, sizeof(T)); return *this; }
    template <class T> CArchive& ReadValue(T& v)
    {
        if (Read(&v, sizeof(T)) != sizeof(T))
            AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
        return *this;
    }
    void CheckStoring();
    void CheckLoading();
    // Writes the tag of an object or class already written; false when it is
    // new (after checking that the table has room for it).
    bool WriteKnown(const void* pKey, bool bClass);
    void FillBuffer();
    // Table entries while loading: class records and objects by index.
    struct LoadEntry
    {
        CRuntimeClass* pClass;
        CObject* pObject;
    };

    CFile* m_pFile;
    UINT m_nMode;
    bool m_bClosed;
    std::vector<BYTE> m_buffer;
    size_t m_nBufPos;   // next byte to read or write in m_buffer
    size_t m_nBufLen;   // bytes of m_buffer holding data (load)
    UINT m_nObjectSchema;
    // Store: index of each class record and object written. Load: entries by index.
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};

// Texts in archives: a length (BYTE; 0xFF then WORD; 0xFFFF then DWORD) then
// the bytes. A text stored as UTF-16 (length marker 0xFFFE) is read back as
// UTF-8.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
