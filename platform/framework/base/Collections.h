// Collections: arrays (CArray and the typed arrays), doubly linked lists
// (CList and the typed lists) and hash maps (CMap and the typed maps).
// Lists and maps hand out POSITION cookies for walking them; a POSITION stays
// valid until its own element is removed.
// A bad index or position throws CInvalidArgException instead of touching
// memory that is not the container's.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------
// Element helpers. These may be specialised for an element type.

// Equality of elements, for CList::Find and map keys.
template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

namespace kvcoll {
template <class T> struct dependent_false : std::false_type {};

template <class T> constexpr bool IsCharPointer =
    std::is_pointer_v<T> && std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, char>;

template <class T>
concept ArchiveOperators = requires(CArchive& ar, T& v, const T& cv) {
    ar << cv;
    ar >> v;
};

inline UINT MixBits(unsigned long long v)
{
    v ^= v >> 33;
    v *= 0xFF51AFD7ED558CCDull;
    v ^= v >> 33;
    return (UINT)v;
}
} // namespace kvcoll

// Hash of a map key. Integers, enumerations and pointers hash by value; CString
// and char pointers by their text (case-sensitive); other plain types by
// their bytes. Specialise it for key types that are none of these.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    using K = std::remove_cvref_t<ARG_KEY>;
    if constexpr (std::is_same_v<K, CString>)
        return AfxHashString(key.GetString(), (size_t)key.GetLength());
    else if constexpr (kvcoll::IsCharPointer<K>)
        return key ? AfxHashString(key, std::strlen(key)) : 0u;
    else if constexpr (std::is_integral_v<K> || std::is_enum_v<K>)
        return kvcoll::MixBits((unsigned long long)key);
    else if constexpr (std::is_pointer_v<K>)
        return kvcoll::MixBits((unsigned long long)(UINT_PTR)key);
    else if constexpr (std::is_floating_point_v<K>)
        return kvcoll::MixBits((unsigned long long)std::hash<K>()(key));
    else if constexpr (std::is_trivially_copyable_v<K>)
        return AfxHashString(reinterpret_cast<const char*>(&key), sizeof(K));
    else
        static_assert(kvcoll::dependent_false<K>::value, "specialise HashKey for this key type");
}

// Reading and writing elements in archives: texts and types with archive
// operators through those; other plain types as their bytes. Pointers are
// written as their bytes too (object arrays and lists write objects).
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (!std::is_pointer_v<TYPE> && kvcoll::ArchiveOperators<TYPE>) {
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    } else if constexpr (std::is_trivially_copyable_v<TYPE>) {
        const unsigned long long nBytes = (unsigned long long)nCount * sizeof(TYPE);
        unsigned char* p = reinterpret_cast<unsigned char*>(pElements);
        for (unsigned long long done = 0; done < nBytes;) {
            const UINT chunk = (UINT)std::min<unsigned long long>(nBytes - done, 0x40000000ull);
            if (ar.IsStoring())
                ar.Write(p + done, chunk);
            else if (ar.Read(p + done, chunk) != chunk)
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
            done += chunk;
        }
    } else {
        // A type with neither archive operators nor a plain layout cannot be
        // written as bytes: refuse rather than write something unreadable.
        AfxThrowNotSupportedException();
    }
}

// ---------------------------------------------------------------------------
// CArray: a growable array of elements, indexed from 0.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    typedef TYPE BASE_TYPE;
    typedef ARG_TYPE BASE_ARG_TYPE;

    CArray() = default;
    ~CArray() override = default;

    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return (INT_PTR)m_data.size(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return (INT_PTR)m_data.size() - 1; }

    // New elements are value-initialised (zero for plain types). nGrowBy is
    // kept as a hint; growth is amortised in any case.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        m_data.resize((size_t)nNewSize);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& operator[](INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    // Sets element nIndex, growing the array to reach it.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if ((size_t)nIndex >= m_data.size()) {
            TYPE copy(newElement); // newElement may be one of our own elements
            m_data.resize((size_t)nIndex + 1);
            m_data[(size_t)nIndex] = std::move(copy);
        } else {
            m_data[(size_t)nIndex] = newElement;
        }
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(newElement);
        return (INT_PTR)m_data.size() - 1;
    }
    // Appends a copy of src's elements; returns the index of the first.
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR nOldSize = GetSize();
        if (&src == this) {
            std::vector<TYPE> copy(m_data);
            m_data.insert(m_data.end(), copy.begin(), copy.end());
        } else {
            m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        }
        return nOldSize;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // Inserts nCount copies before element nIndex; an index at or past the end
    // grows the array to it first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement);
        if ((size_t)nIndex > m_data.size())
            m_data.resize((size_t)nIndex);
        m_data.insert(m_data.begin() + nIndex, (size_t)nCount, copy);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (pNewArray == nullptr || nStartIndex < 0)
            AfxThrowInvalidArgException();
        std::vector<TYPE> copy(pNewArray->m_data);
        if ((size_t)nStartIndex > m_data.size())
            m_data.resize((size_t)nStartIndex);
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    // Removes nCount elements from nIndex; the range must lie in the array.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || (size_t)nIndex > m_data.size() ||
            (size_t)nCount > m_data.size() - (size_t)nIndex)
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD_PTR)m_data.size());
        } else {
            const DWORD_PTR nCount = ar.ReadCount();
            m_data.clear();
            m_data.resize((size_t)nCount);
        }
        SerializeElements<TYPE>(ar, GetData(), GetSize());
    }

protected:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || (size_t)nIndex >= m_data.size())
            AfxThrowInvalidArgException();
        return (size_t)nIndex;
    }

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = -1;
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
};
class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
};
class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
};
class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};
class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};
class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    INT_PTR Add(LPCSTR newElement) { return CArray::Add(CString(newElement)); }
    INT_PTR Add(const CString& newElement) { return CArray::Add(newElement); }
};
// An array of object pointers. It does not own the objects; serialising it
// writes and reads the objects themselves.
class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
public:
    void Serialize(CArchive& ar) override;
};

// An array of pointers of one type over CPtrArray or CObArray.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray)
    {
        BASE_CLASS::InsertAt(nStartIndex, pNewArray);
    }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
    TYPE* GetData() { return (TYPE*)BASE_CLASS::GetData(); }
    const TYPE* GetData() const { return (const TYPE*)BASE_CLASS::GetData(); }
};

// ---------------------------------------------------------------------------
// CList: a doubly linked list.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    typedef TYPE BASE_TYPE;
    typedef ARG_TYPE BASE_ARG_TYPE;

    // nBlockSize is kept for form: nodes are allocated one by one.
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail; on an empty list these throw CInvalidArgException.
    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }
    TYPE RemoveHead()
    {
        CNode* pNode = NonEmpty(m_pNodeHead);
        TYPE value(std::move(pNode->data));
        FreeNode(pNode);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* pNode = NonEmpty(m_pNodeTail);
        TYPE value(std::move(pNode->data));
        FreeNode(pNode);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertNode(nullptr, m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertNode(m_pNodeTail, nullptr, newElement); }
    void AddHead(const CList* pNewList)
    {
        const std::vector<TYPE> copy = CopyOf(pNewList); // the list may be this one
        for (auto it = copy.rbegin(); it != copy.rend(); ++it)
            AddHead(*it);
    }
    void AddTail(const CList* pNewList)
    {
        for (const TYPE& v : CopyOf(pNewList))
            AddTail(v);
    }
    void RemoveAll()
    {
        CNode* p = m_pNodeHead;
        while (p) {
            CNode* pNext = p->pNext;
            delete p;
            p = pNext;
        }
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    // The element at rPosition; rPosition moves to the next (previous) one,
    // null after the last (first).
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = Node(rPosition);
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = Node(rPosition);
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = Node(rPosition);
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = Node(rPosition);
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { FreeNode(Node(position)); }
    // Insert before (after) the element at position; a null position inserts
    // at the head (tail).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddHead(newElement);
        CNode* pOld = Node(position);
        return InsertNode(pOld->pPrev, pOld, newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddTail(newElement);
        CNode* pOld = Node(position);
        return InsertNode(pOld, pOld->pNext, newElement);
    }

    // The first element equal to searchValue after startAfter (from the head
    // when null), or null.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* pNode = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
        using ARG = std::remove_cvref_t<ARG_TYPE>;
        const ARG& value = searchValue;
        for (; pNode; pNode = pNode->pNext)
            if (CompareElements<TYPE, ARG>(&pNode->data, &value))
                return (POSITION)pNode;
        return nullptr;
    }
    // The position of element nIndex (0-based), or null when out of range.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* pNode = m_pNodeHead;
        while (nIndex-- > 0)
            pNode = pNode->pNext;
        return (POSITION)pNode;
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD_PTR)m_nCount);
            for (CNode* p = m_pNodeHead; p; p = p->pNext)
                SerializeElements<TYPE>(ar, &p->data, 1);
        } else {
            RemoveAll();
            DWORD_PTR nNewCount = ar.ReadCount();
            while (nNewCount--) {
                TYPE newData[1] = {};
                SerializeElements<TYPE>(ar, newData, 1);
                AddTail(newData[0]);
            }
        }
    }

protected:
    static CNode* Node(POSITION position)
    {
        if (position == nullptr || position == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    static std::vector<TYPE> CopyOf(const CList* pList)
    {
        if (pList == nullptr)
            AfxThrowInvalidArgException();
        std::vector<TYPE> copy;
        for (CNode* p = pList->m_pNodeHead; p; p = p->pNext)
            copy.push_back(p->data);
        return copy;
    }
    static CNode* NonEmpty(CNode* pNode)
    {
        if (pNode == nullptr)
            AfxThrowInvalidArgException();
        return pNode;
    }
    POSITION InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
    {
        CNode* pNode = new CNode{pNext, pPrev, TYPE(newElement)};
        if (pPrev)
            pPrev->pNext = pNode;
        else
            m_pNodeHead = pNode;
        if (pNext)
            pNext->pPrev = pNode;
        else
            m_pNodeTail = pNode;
        ++m_nCount;
        return (POSITION)pNode;
    }
    void FreeNode(CNode* pNode)
    {
        if (pNode->pPrev)
            pNode->pPrev->pNext = pNode->pNext;
        else
            m_pNodeHead = pNode->pNext;
        if (pNode->pNext)
            pNode->pNext->pPrev = pNode->pPrev;
        else
            m_pNodeTail = pNode->pPrev;
        delete pNode;
        --m_nCount;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
};

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
class CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
// A list of object pointers. It does not own the objects; serialising it
// writes and reads the objects themselves.
class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};

// A list of pointers of one type over CPtrList or CObList.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(const CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(const CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};

// ---------------------------------------------------------------------------
// CMap: a hash map. The table grows as entries are added, so lookups stay
// fast for large maps; walking order is unspecified and changes when the
// table grows. An entry may be removed while walking, once GetNextAssoc has
// moved past it.

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair
    {
    public:
        explicit CAssoc(ARG_KEY keyval, UINT nHash) : CPair(keyval), pNext(nullptr), nHashValue(nHash) {}
        CAssoc* pNext;
        UINT nHashValue;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = Find(key, HashKey<ARG_KEY>(key));
        if (pAssoc == nullptr)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const { return Find(key, HashKey<ARG_KEY>(key)); }
    CPair* PLookup(ARG_KEY key) { return Find(key, HashKey<ARG_KEY>(key)); }

    // The value of key, made (value-initialised) when the key is new.
    VALUE& operator[](ARG_KEY key)
    {
        const UINT nHash = HashKey<ARG_KEY>(key);
        if (CAssoc* pAssoc = Find(key, nHash))
            return pAssoc->value;
        if (m_buckets.empty())
            m_buckets.assign(m_nHashTableSize, nullptr);
        else if ((size_t)m_nCount >= m_buckets.size() * 2)
            Rehash(m_buckets.size() * 4 + 1);
        CAssoc* pAssoc = new CAssoc(key, nHash);
        CAssoc*& rHead = m_buckets[nHash % m_buckets.size()];
        pAssoc->pNext = rHead;
        rHead = pAssoc;
        ++m_nCount;
        return pAssoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_buckets.empty())
            return FALSE;
        const UINT nHash = HashKey<ARG_KEY>(key);
        CAssoc** ppPrev = &m_buckets[nHash % m_buckets.size()];
        for (CAssoc* pAssoc = *ppPrev; pAssoc; ppPrev = &pAssoc->pNext, pAssoc = pAssoc->pNext) {
            if (pAssoc->nHashValue == nHash && KeyEquals(pAssoc->key, key)) {
                *ppPrev = pAssoc->pNext;
                delete pAssoc;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (CAssoc*& rHead : m_buckets) {
            for (CAssoc* p = rHead; p;) {
                CAssoc* pNext = p->pNext;
                delete p;
                p = pNext;
            }
            rHead = nullptr;
        }
        m_buckets.clear();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    // The entry at rNextPosition; rNextPosition moves to the next one, null
    // after the last.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* pAssoc = AssocAt(rNextPosition);
        rNextPosition = (POSITION)Next(pAssoc);
        rKey = pAssoc->key;
        rValue = pAssoc->value;
    }
    const CPair* PGetFirstAssoc() const { return First(); }
    CPair* PGetFirstAssoc() { return First(); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const
    {
        return pAssoc ? Next(static_cast<const CAssoc*>(pAssoc)) : nullptr;
    }
    CPair* PGetNextAssoc(const CPair* pAssoc)
    {
        return pAssoc ? Next(static_cast<const CAssoc*>(pAssoc)) : nullptr;
    }

    UINT GetHashTableSize() const { return m_buckets.empty() ? m_nHashTableSize : (UINT)m_buckets.size(); }
    // Sets the table size (best a prime a little above the expected count).
    // Entries already present are kept.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (hashSize == 0)
            AfxThrowInvalidArgException();
        m_nHashTableSize = hashSize;
        if (!m_buckets.empty())
            Rehash(hashSize);
        else if (bAllocNow)
            m_buckets.assign(hashSize, nullptr);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD_PTR)m_nCount);
            for (CAssoc* p = First(); p; p = Next(p)) {
                KEY* pKey = const_cast<KEY*>(&p->key);
                SerializeElements<KEY>(ar, pKey, 1);
                SerializeElements<VALUE>(ar, &p->value, 1);
            }
        } else {
            RemoveAll();
            DWORD_PTR nNewCount = ar.ReadCount();
            while (nNewCount--) {
                KEY newKey[1] = {};
                VALUE newValue[1] = {};
                SerializeElements<KEY>(ar, newKey, 1);
                SerializeElements<VALUE>(ar, newValue, 1);
                (*this)[newKey[0]] = newValue[0];
            }
        }
    }

protected:
    static bool KeyEquals(const KEY& stored, ARG_KEY key)
    {
        using K = std::remove_cvref_t<ARG_KEY>;
        if constexpr (kvcoll::IsCharPointer<KEY> && kvcoll::IsCharPointer<K>) {
            if (stored == nullptr || key == nullptr)
                return stored == key;
            return std::strcmp(stored, key) == 0;
        } else {
            const K& k = key;
            return CompareElements<KEY, K>(&stored, &k) != FALSE;
        }
    }
    CAssoc* Find(ARG_KEY key, UINT nHash) const
    {
        if (m_buckets.empty())
            return nullptr;
        for (CAssoc* p = m_buckets[nHash % m_buckets.size()]; p; p = p->pNext)
            if (p->nHashValue == nHash && KeyEquals(p->key, key))
                return p;
        return nullptr;
    }
    CAssoc* First() const
    {
        for (CAssoc* p : m_buckets)
            if (p)
                return p;
        return nullptr;
    }
    CAssoc* Next(const CAssoc* pAssoc) const
    {
        if (pAssoc->pNext)
            return pAssoc->pNext;
        for (size_t i = pAssoc->nHashValue % m_buckets.size() + 1; i < m_buckets.size(); ++i)
            if (m_buckets[i])
                return m_buckets[i];
        return nullptr;
    }
    const CAssoc* AssocAt(POSITION position) const
    {
        if (position == nullptr)
            AfxThrowInvalidArgException();
        if (position == BEFORE_START_POSITION) {
            const CAssoc* pFirst = First();
            if (pFirst == nullptr)
                AfxThrowInvalidArgException();
            return pFirst;
        }
        return reinterpret_cast<const CAssoc*>(position);
    }
    void Rehash(size_t nNewSize)
    {
        std::vector<CAssoc*> buckets(nNewSize, nullptr);
        for (CAssoc* pHead : m_buckets) {
            for (CAssoc* p = pHead; p;) {
                CAssoc* pNext = p->pNext;
                CAssoc*& rHead = buckets[p->nHashValue % nNewSize];
                p->pNext = rHead;
                rHead = p;
                p = pNext;
            }
        }
        m_buckets.swap(buckets);
    }

    std::vector<CAssoc*> m_buckets;
    INT_PTR m_nCount = 0;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nBlockSize;
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_DYNAMIC(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapStringToOb : public CMap<CString, LPCSTR, CObject*, CObject*>
{
    DECLARE_DYNAMIC(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapStringToString : public CMap<CString, LPCSTR, CString, LPCSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// A map with typed keys and pointer values over one of the maps above.
template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value{};
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = (VALUE)value;
        return TRUE;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) { return (VALUE&)BASE_CLASS::operator[](key); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key{};
        typename BASE_CLASS::BASE_VALUE value{};
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = (KEY)key;
        rValue = (VALUE)value;
    }
};
