// CArchive: buffered binary serialisation of values, texts and objects.
#include "platform/framework/base/File.h"

#include <algorithm>
#include <string>

namespace {
// Tags before an object or class in an archive.
constexpr WORD wNullTag = 0;                // a null object pointer
constexpr WORD wNewClassTag = 0xFFFF;       // a class record follows, then the object
constexpr WORD wClassTag = 0x8000;          // (with an index) an object of a class seen before
constexpr DWORD dwBigClassTag = 0x80000000; // the same with a 32-bit index
constexpr WORD wBigObjectTag = 0x7FFF;      // a 32-bit tag follows
constexpr DWORD nMaxMapCount = 0x3FFFFFFE;  // most objects and classes in one archive

// Texts longer than this are read in pieces, so a damaged length cannot
// make the reader allocate more than the archive really holds.
constexpr size_t kStringChunk = 1 << 20;
} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* /*lpBuf*/)
    : m_pDocument(nullptr), m_pFile(pFile), m_nMode(nMode), m_bClosed(false), m_nBufPos(0), m_nBufLen(0),
      m_nObjectSchema((UINT)-1)
{
    if (pFile == nullptr)
        AfxThrowInvalidArgException();
    m_buffer.resize((size_t)std::max(nBufSize, 128));
    m_strFileName = pFile->GetFilePath();
    m_loadArray.push_back({nullptr, nullptr}); // index 0 is the null object
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    m_pFile = nullptr;
}

void CArchive::CheckStoring()
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::CheckLoading()
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (IsStoring())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::FillBuffer()
{
    m_nBufPos = 0;
    m_nBufLen = m_pFile->Read(m_buffer.data(), (UINT)m_buffer.size());
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    BYTE* pOut = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nMax) {
        if (m_nBufPos >= m_nBufLen) {
            // A large remainder goes straight from the file.
            if (nMax - nDone >= m_buffer.size()) {
                const UINT n = m_pFile->Read(pOut + nDone, nMax - nDone);
                nDone += n;
                if (n == 0)
                    break;
                continue;
            }
            FillBuffer();
            if (m_nBufLen == 0)
                break;
        }
        const size_t n = std::min<size_t>(nMax - nDone, m_nBufLen - m_nBufPos);
        std::memcpy(pOut + nDone, m_buffer.data() + m_nBufPos, n);
        m_nBufPos += n;
        nDone += (UINT)n;
    }
    return nDone;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
    if (m_nBufPos + nMax > m_buffer.size()) {
        Flush();
        if (nMax >= m_buffer.size()) {
            m_pFile->Write(pIn, nMax);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_nBufPos, pIn, nMax);
    m_nBufPos += nMax;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        if (m_nBufPos > 0) {
            const UINT n = (UINT)m_nBufPos;
            m_nBufPos = 0;
            m_pFile->Write(m_buffer.data(), n);
        }
        m_pFile->Flush();
    } else if (m_nBufPos < m_nBufLen) {
        // Give back what was read ahead, so the file is where the archive is.
        m_pFile->Seek(-(LONGLONG)(m_nBufLen - m_nBufPos), CFile::current);
        m_nBufPos = m_nBufLen = 0;
    }
}

void CArchive::Close()
{
    if (m_pFile == nullptr)
        return;
    Flush();
    m_pFile = nullptr;
    m_bClosed = true;
}

void CArchive::Abort()
{
    m_nBufPos = m_nBufLen = 0;
    m_pFile = nullptr;
    m_bClosed = true;
}

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz != nullptr)
        Write(lpsz, (UINT)std::strlen(lpsz));
}

BOOL CArchive::ReadString(CString& rString)
{
    std::string line;
    bool bAny = false;
    BYTE ch;
    while (Read(&ch, 1) == 1) {
        bAny = true;
        if (ch == '\n')
            break;
        line += (char)ch;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(std::move(line));
    return bAny;
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    UINT n = 0;
    BYTE ch;
    bool bAny = false;
    while (n + 1 < nMax && Read(&ch, 1) == 1) {
        bAny = true;
        if (ch == '\n') {
            if (n > 0 && lpsz[n - 1] == '\r')
                --n;
            lpsz[n++] = '\n';
            break;
        }
        lpsz[n++] = (char)ch;
    }
    lpsz[n] = '\0';
    return bAny ? lpsz : nullptr;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
        return;
    }
    *this << (WORD)0xFFFF;
    if (dwCount < 0xFFFFFFFF) {
        *this << (DWORD)dwCount;
    } else {
        *this << (DWORD)0xFFFFFFFF;
        *this << (ULONGLONG)dwCount;
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    return (DWORD_PTR)qwCount;
}

// ---- objects and classes -----------------------------------------------------

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        if (pOb != nullptr && m_storeMap.find(pOb) == m_storeMap.end())
            m_storeMap.emplace(pOb, (DWORD)m_storeMap.size() + 1);
    } else {
        m_loadArray.push_back({nullptr, const_cast<CObject*>(pOb)});
    }
}

namespace {
// Writes the tag of something already in the archive: an object's index, or a
// class's index with the class bit.
void WriteIndexTag(CArchive& ar, DWORD nIndex, bool bClass)
{
    if (nIndex < wBigObjectTag) {
        ar << (WORD)(bClass ? (wClassTag | nIndex) : nIndex);
    } else {
        ar << wBigObjectTag;
        ar << (DWORD)(bClass ? (dwBigClassTag | nIndex) : nIndex);
    }
}
} // namespace

bool CArchive::WriteKnown(const void* pKey, bool bClass)
{
    const auto found = m_storeMap.find(pKey);
    if (found == m_storeMap.end()) {
        if (m_storeMap.size() >= nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        return false;
    }
    WriteIndexTag(*this, found->second, bClass);
    return true;
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (pClassRef == nullptr || pClassRef->m_wSchema == 0xFFFF)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName); // cannot be read back
    if (WriteKnown(pClassRef, true))
        return;
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_storeMap.emplace(pClassRef, (DWORD)m_storeMap.size() + 1);
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == nullptr) {
        *this << wNullTag;
        return;
    }
    if (WriteKnown(pOb, false))
        return;
    WriteClass(pOb->GetRuntimeClass());
    m_storeMap.emplace(pOb, (DWORD)m_storeMap.size() + 1);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckLoading();
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    CRuntimeClass* pClass = nullptr;
    UINT nSchema = 0;
    if (wTag == wNewClassTag) {
        pClass = CRuntimeClass::Load(*this, &nSchema);
        if (pClass == nullptr)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        const UINT nOwnSchema = pClass->m_wSchema & ~VERSIONABLE_SCHEMA;
        if (!(pClass->m_wSchema & VERSIONABLE_SCHEMA) && nOwnSchema != nSchema)
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        if (m_loadArray.size() >= nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        m_loadArray.push_back({pClass, nullptr});
        obTag = 0;
    } else if (obTag & dwBigClassTag) {
        const DWORD nIndex = obTag & ~dwBigClassTag;
        if (nIndex == 0 || nIndex >= m_loadArray.size() || m_loadArray[nIndex].pClass == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClass = m_loadArray[nIndex].pClass;
        nSchema = pClass->m_wSchema & ~VERSIONABLE_SCHEMA;
        obTag = 0;
    } else {
        // An object reference (or null): no class here.
        if (pObTag)
            *pObTag = obTag;
        if (pSchema)
            *pSchema = (UINT)-1;
        return nullptr;
    }
    if (pClassRefRequested != nullptr && !pClass->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema)
        *pSchema = nSchema;
    if (pObTag)
        *pObTag = obTag;
    return pClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClass = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClass == nullptr) {
        if (obTag == 0)
            return nullptr;
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].pObject == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = m_loadArray[obTag].pObject;
        if (pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }
    CObject* pOb = pClass->CreateObject();
    if (pOb == nullptr)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    const size_t nIndex = m_loadArray.size();
    m_loadArray.push_back({nullptr, pOb});
    const UINT nOldSchema = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // The object was never handed out: end it, and forget it here.
        m_loadArray[nIndex].pObject = nullptr;
        delete pOb;
        m_nObjectSchema = nOldSchema;
        throw;
    }
    m_nObjectSchema = nOldSchema;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

UINT CArchive::GetObjectSchema()
{
    const UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return nResult;
}

// ---- texts -------------------------------------------------------------------

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    const ULONGLONG nLength = (ULONGLONG)string.GetLength();
    if (nLength < 0xFF) {
        ar << (BYTE)nLength;
    } else {
        ar << (BYTE)0xFF;
        if (nLength < 0xFFFE) {
            ar << (WORD)nLength;
        } else {
            ar << (WORD)0xFFFF;
            if (nLength < 0xFFFFFFFF) {
                ar << (DWORD)nLength;
            } else {
                ar << (DWORD)0xFFFFFFFF;
                ar << nLength;
            }
        }
    }
    ar.Write(string.GetString(), (UINT)nLength);
    return ar;
}

namespace {
// Reads a length in the text encoding; bWide is set when the text was stored
// as UTF-16 (a 0xFFFE marker before the length).
ULONGLONG ReadStringLength(CArchive& ar, bool& bWide)
{
    bWide = false;
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE) {
        bWide = true;
        bool bAgain;
        return ReadStringLength(ar, bAgain);
    }
    if (wLength < 0xFFFF)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength < 0xFFFFFFFF)
        return dwLength;
    ULONGLONG qwLength;
    ar >> qwLength;
    return qwLength;
}

void ReadExactly(CArchive& ar, void* lpBuf, size_t nBytes)
{
    if (ar.Read(lpBuf, (UINT)nBytes) != nBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
}
} // namespace

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    bool bWide;
    const ULONGLONG nLength = ReadStringLength(ar, bWide);
    const ULONGLONG nBytes = bWide ? nLength * 2 : nLength;
    if (nLength > 0x7FFFFFFF || nBytes > 0x7FFFFFFF)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    std::string bytes;
    for (size_t nDone = 0; nDone < nBytes;) {
        const size_t n = std::min<size_t>((size_t)nBytes - nDone, kStringChunk);
        bytes.resize(nDone + n);
        ReadExactly(ar, bytes.data() + nDone, n);
        nDone += n;
    }
    if (bWide) {
        std::wstring wide(bytes.size() / 2, L'\0');
        if (!wide.empty())
            std::memcpy(wide.data(), bytes.data(), wide.size() * 2);
        string = CString(wide.c_str(), (int)wide.size());
    } else {
        string = CString(std::move(bytes));
    }
    return ar;
}
