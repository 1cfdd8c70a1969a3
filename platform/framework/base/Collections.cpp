// Class records of the concrete collections, and serialisation of the
// object arrays and lists.
#include "platform/framework/base/Collections.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapWordToOb, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToOb, CObject)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

namespace {
// Writes the count and then each object (visitAll hands them over in order),
// or reads the count and hands each object read to add. The clear step runs
// first when loading.
template <class VisitAll, class Clear, class Add>
void SerializeObjects(CArchive& ar, DWORD_PTR nCount, VisitAll visitAll, Clear clear, Add add)
{
    if (ar.IsStoring()) {
        ar.WriteCount(nCount);
        visitAll([&](CObject* pOb) { ar << pOb; });
        return;
    }
    const DWORD_PTR nNewCount = ar.ReadCount();
    clear();
    for (DWORD_PTR i = 0; i < nNewCount; ++i) {
        CObject* pOb = nullptr;
        ar >> pOb;
        add(pOb);
    }
}
} // namespace

void CObArray::Serialize(CArchive& ar)
{
    SerializeObjects(
        ar, (DWORD_PTR)m_data.size(),
        [&](auto write) { for (CObject* pOb : m_data) write(pOb); },
        [&] { RemoveAll(); },
        [&](CObject* pOb) { m_data.push_back(pOb); });
}

void CObList::Serialize(CArchive& ar)
{
    SerializeObjects(
        ar, (DWORD_PTR)m_nCount,
        [&](auto write) { for (CNode* p = m_pNodeHead; p; p = p->pNext) write(p->data); },
        [&] { RemoveAll(); },
        [&](CObject* pOb) { AddTail(pOb); });
}
