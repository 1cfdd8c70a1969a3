// CObject, CRuntimeClass and the class list used for creation by name.
#include "platform/framework/base/Object.h"
#include "platform/framework/base/File.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {
// Head of the list of registered class records. Entries are added while
// static objects are constructed, before any thread starts.
CRuntimeClass* g_pFirstClass = nullptr;
} // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};
static const AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* PASCAL CObject::GetThisClass()
{
    return &CObject::classCObject;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&)
{
}

void CObject::AssertValid() const
{
}

void CObject::Dump(CDumpContext& dc) const
{
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << (const void*)this << "\n";
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    AfxClassInit(pNewClass);
}

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    if (pNewClass == nullptr)
        return;
    for (CRuntimeClass* p = g_pFirstClass; p; p = p->m_pNextClass)
        if (p == pNewClass)
            return;
    pNewClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pNewClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == nullptr)
        return FALSE;
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* p = g_pFirstClass; p; p = p->m_pNextClass)
        if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    return nullptr;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass ? pClass->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const WORD nLen = (WORD)std::strlen(m_lpszClassName);
    ar << (WORD)(m_wSchema & ~VERSIONABLE_SCHEMA);
    ar << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0, nLen = 0;
    ar >> wSchema >> nLen;
    // Class names are identifiers; anything longer is a damaged archive.
    char szClassName[256];
    if (nLen >= sizeof(szClassName))
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    if (ar.Read(szClassName, nLen) != nLen)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    szClassName[nLen] = '\0';
    if (pwSchemaNum)
        *pwSchemaNum = wSchema;
    return FromName(szClassName);
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return (pObject != nullptr && pObject->IsKindOf(pClass)) ? pObject : nullptr;
}

CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    ASSERT(pObject == nullptr || pObject->IsKindOf(pClass));
    (void)pClass;
    return pObject;
}

void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine)
{
    if (pOb == nullptr || !AfxIsValidAddress(pOb, sizeof(CObject), FALSE)) {
        AfxAssertFailedLine(lpszFileName, nLine);
        return;
    }
    pOb->AssertValid();
}

// ---------------------------------------------------------------------------
// CDumpContext

CDumpContext afxDump;

namespace {
void DumpText(LPCSTR lpsz)
{
    ::OutputDebugStringA(lpsz ? lpsz : "(null)");
}

template <class... Args> void DumpFormat(LPCSTR fmt, Args... args)
{
    char text[64];
    std::snprintf(text, sizeof(text), fmt, args...);
    DumpText(text);
}
} // namespace

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz) { DumpText(lpsz); return *this; }
CDumpContext& CDumpContext::operator<<(const void* lp) { DumpFormat("%p", lp); return *this; }
CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (pOb == nullptr)
        DumpText("NULL");
    else
        pOb->Dump(*this);
    return *this;
}
CDumpContext& CDumpContext::operator<<(const CObject& ob) { return *this << &ob; }
CDumpContext& CDumpContext::operator<<(BYTE by) { DumpFormat("%u", (unsigned)by); return *this; }
CDumpContext& CDumpContext::operator<<(WORD w) { DumpFormat("%u", (unsigned)w); return *this; }
CDumpContext& CDumpContext::operator<<(int n) { DumpFormat("%d", n); return *this; }
CDumpContext& CDumpContext::operator<<(UINT u) { DumpFormat("%u", u); return *this; }
CDumpContext& CDumpContext::operator<<(LONG l) { DumpFormat("%ld", l); return *this; }
CDumpContext& CDumpContext::operator<<(DWORD dw) { DumpFormat("%lu", dw); return *this; }
CDumpContext& CDumpContext::operator<<(LONGLONG n) { DumpFormat("%lld", n); return *this; }
CDumpContext& CDumpContext::operator<<(ULONGLONG n) { DumpFormat("%llu", n); return *this; }
CDumpContext& CDumpContext::operator<<(double d) { DumpFormat("%g", d); return *this; }

void CDumpContext::HexDump(LPCSTR lpszLine, BYTE* pby, int nBytes, int nWidth)
{
    if (pby == nullptr || nWidth <= 0)
        return;
    for (int i = 0; i < nBytes; i += nWidth) {
        DumpText(lpszLine);
        for (int j = i; j < nBytes && j < i + nWidth; ++j)
            DumpFormat(" %02X", (unsigned)pby[j]);
        DumpText("\n");
    }
}
