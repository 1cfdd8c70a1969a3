// CObject, the root of the framework's classes, and CRuntimeClass, the
// run-time class record that gives kind-of tests, creation by record or by
// class name, and the class records of archived objects.
#pragma once

#include "platform/framework/base/AfxBase.h"

class CObject;
class CArchive;
class CDumpContext;

// The schema number of a class that reads older versions of itself: with this
// bit set in IMPLEMENT_SERIAL's schema the archive accepts any stored schema
// and the object asks CArchive::GetObjectSchema which one it is reading.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                         // 0xFFFF when not serialisable
    CObject* (PASCAL* m_pfnCreateObject)(); // null when not dynamically creatable
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;            // the list of registered classes

    // A new object of this class, or null when the class cannot be created
    // dynamically (or memory runs out).
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of the given name (exact, case-sensitive), or null.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    // A new object of the registered class of the given name, or null.
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // Class records in archives: schema and name.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Enters a class record into the list searched by CRuntimeClass::FromName.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};
void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);

class CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

protected:
    CObject() = default;

public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();
};

// Debug output for Dump: text goes to the debugger's output.
class CDumpContext
{
public:
    CDumpContext() = default;
    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
    void Flush() {}
    void HexDump(LPCSTR lpszLine, BYTE* pby, int nBytes, int nWidth);

    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);
    CDumpContext& operator<<(BYTE by);
    CDumpContext& operator<<(WORD w);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(UINT u);
    CDumpContext& operator<<(LONG l);
    CDumpContext& operator<<(DWORD dw);
    CDumpContext& operator<<(LONGLONG n);
    CDumpContext& operator<<(ULONGLONG n);
    CDumpContext& operator<<(double d);

private:
    int m_nDepth = 0;
};
extern CDumpContext afxDump;

void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine);

// Down-casts. DYNAMIC_DOWNCAST gives null when the object is not of the class;
// STATIC_DOWNCAST asserts that it is (debug builds) and casts.
CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject);

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(::AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(::AfxStaticDownCast(RUNTIME_CLASS(class_name), (object))))
#define ASSERT_KINDOF(class_name, object) \
    ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))

// Declarations inside a class.
#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* PASCAL GetThisClass(); \
    virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

// Definitions, one per class in a .cpp file.
#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), (UINT)(wSchema), (pfnNew), \
        RUNTIME_CLASS(base_class_name), nullptr }; \
    static const AFX_CLASSINIT _init_##class_name(&class_name::class##class_name); \
    CRuntimeClass* PASCAL class_name::GetThisClass() { return RUNTIME_CLASS(class_name); } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) \
    { pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name))); return ar; }
