#include "frame/settings/OZWPersistentTreeNode.h"
#include "frame/settings/OZWPTNStrategy.h"
#include <cstdlib>

IMPLEMENT_DYNCREATE(OZWPersistentTreeNode, CObject)

namespace {

const int kPieceLetters = 250;   // longest binary text kept under one key

CString CountKey(const CString& key)
{
    return key + "_BinCount";
}

CString PieceKey(const CString& key, int i)
{
    CString s;
    s.Format("%s%s%d", static_cast<LPCTSTR>(key), "_BinVal", i);
    return s;
}

bool IsEmpty(LPCTSTR lpsz)
{
    return lpsz == nullptr || lpsz[0] == '\0';
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// OZWPTNFactory

OZWPTNFactory::OZWPTNFactory() : m_listNodes(10) {}

OZWPTNFactory::~OZWPTNFactory()
{
    while (!m_listNodes.IsEmpty())
        delete static_cast<OZWPersistentTreeNode*>(m_listNodes.RemoveHead());
}

OZWPersistentTreeNode* OZWPTNFactory::CreateNode(LPCTSTR lpszName, OZWPersistentTreeNode* pParent,
                                                 CRuntimeClass* pClass)
{
    if (pClass == nullptr)
        pClass = RUNTIME_CLASS(OZWPersistentTreeNode);
    if (!pClass->IsDerivedFrom(RUNTIME_CLASS(OZWPersistentTreeNode)))
        return nullptr;
    auto* pNode = static_cast<OZWPersistentTreeNode*>(pClass->CreateObject());
    if (pNode == nullptr)
        return nullptr;
    if (pNode->Create(lpszName, pParent) != OZWPersistentTreeNode::codeDone) {
        delete pNode;
        return nullptr;
    }
    m_listNodes.AddTail(pNode);
    return pNode;
}

OZWPersistentTreeNode* OZWPTNFactory::CreateNode()
{
    auto* pNode = new OZWPersistentTreeNode;
    m_listNodes.AddTail(pNode);
    return pNode;
}

BOOL OZWPTNFactory::DestroyNode(OZWPersistentTreeNode* pNode)
{
    POSITION pos = m_listNodes.Find(pNode);
    if (pos == nullptr)
        return FALSE;
    m_listNodes.RemoveAt(pos);
    delete pNode;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// OZWPersistentTreeNode

OZWPersistentTreeNode::OZWPersistentTreeNode() : m_listChildren(10), m_listPairs(10) {}

OZWPersistentTreeNode::~OZWPersistentTreeNode()
{
    // Children stay with whoever made them; they must not keep a pointer to
    // this node, nor this node's parent a pointer to it.
    for (POSITION pos = m_listChildren.GetHeadPosition(); pos != nullptr;)
        static_cast<OZWPersistentTreeNode*>(m_listChildren.GetNext(pos))->m_pParent = nullptr;
    m_listChildren.RemoveAll();
    if (m_pParent != nullptr)
        m_pParent->DetachChild(this);
    while (!m_listPairs.IsEmpty())
        delete m_listPairs.RemoveHead();
    // m_factory deletes the children that Load made.
}

void OZWPersistentTreeNode::DetachChild(OZWPersistentTreeNode* pChild)
{
    POSITION pos = m_listChildren.Find(pChild);
    if (pos != nullptr)
        m_listChildren.RemoveAt(pos);
}

UINT OZWPersistentTreeNode::Create(LPCTSTR lpszName, OZWPersistentTreeNode* pParent)
{
    const UINT code = (m_bCreated ? codeAlreadyCreated : 0) | (IsEmpty(lpszName) ? codeEmptyName : 0);
    if (code != codeDone)
        return code;
    m_strName = lpszName;
    if (pParent != nullptr) {
        m_bCreated = TRUE;   // AttachChild reads the name of a created node
        const UINT attach = pParent->AttachChild(this);
        if (attach != codeDone) {
            m_bCreated = FALSE;
            m_strName.Empty();
            return (attach & codeChildExists) ? codeChildExists : codeFailed;
        }
        m_pParent = pParent;
    }
    m_bCreated = TRUE;
    return codeDone;
}

UINT OZWPersistentTreeNode::AttachChild(OZWPersistentTreeNode* pChild)
{
    if (!m_bCreated)
        return codeNotCreated;
    if (pChild == nullptr)
        return codeEmptyName;
    if (FindChild(pChild->GetName()) != nullptr)
        return codeChildExists;
    m_listChildren.AddTail(pChild);
    return codeDone;
}

OZWPersistentTreeNode* OZWPersistentTreeNode::FindChild(LPCTSTR lpszName) const
{
    if (lpszName == nullptr)
        return nullptr;
    for (POSITION pos = m_listChildren.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<OZWPersistentTreeNode*>(m_listChildren.GetNext(pos));
        if (pChild->m_strName == lpszName)
            return pChild;
    }
    return nullptr;
}

OZWPersTreeNodeKeyValuePair* OZWPersistentTreeNode::FindKey(LPCTSTR lpszKey) const
{
    if (lpszKey == nullptr)
        return nullptr;
    for (POSITION pos = m_listPairs.GetHeadPosition(); pos != nullptr;) {
        auto* pPair = static_cast<OZWPersTreeNodeKeyValuePair*>(m_listPairs.GetNext(pos));
        if (pPair->m_strKey == lpszKey)
            return pPair;
    }
    return nullptr;
}

void OZWPersistentTreeNode::GetPath(CStringArray& path) const
{
    path.RemoveAll();
    for (const OZWPersistentTreeNode* p = this; p != nullptr; p = p->m_pParent)
        path.Add(p->m_strName);
}

void OZWPersistentTreeNode::GetChildNames(CStringArray& names) const
{
    names.RemoveAll();
    for (POSITION pos = m_listChildren.GetHeadPosition(); pos != nullptr;)
        names.Add(static_cast<OZWPersistentTreeNode*>(m_listChildren.GetNext(pos))->m_strName);
}

UINT OZWPersistentTreeNode::SetString(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite)
{
    OZWPersTreeNodeKeyValuePair* pPair = FindKey(lpszKey);
    const UINT code = (!m_bCreated ? codeNotCreated : 0) | (IsEmpty(lpszKey) ? codeEmptyKey : 0)
                      | (pPair != nullptr && !bOverwrite ? codeKeyExists : 0);
    if (code != codeDone)
        return code;
    if (pPair == nullptr) {
        pPair = new OZWPersTreeNodeKeyValuePair;
        pPair->m_strKey = lpszKey;
        m_listPairs.AddTail(pPair);
    }
    pPair->m_strValue = lpszValue != nullptr ? lpszValue : "";
    return codeDone;
}

UINT OZWPersistentTreeNode::SetInt(LPCTSTR lpszKey, int nValue, BOOL bOverwrite)
{
    CString text;
    text.Format("%d", nValue);
    return SetString(lpszKey, text, bOverwrite);
}

UINT OZWPersistentTreeNode::SetBool(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite)
{
    return SetString(lpszKey, bValue ? "True" : "False", bOverwrite);
}

void OZWPersistentTreeNode::RemoveBinaryPieces(const CString& key, int nFrom)
{
    for (int i = nFrom; RemoveKey(PieceKey(key, i)) == codeDone; ++i) {
    }
}

UINT OZWPersistentTreeNode::SetBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nLength, BOOL bOverwrite)
{
    if (pData == nullptr)
        return codeNullData;
    const UINT code = (!m_bCreated ? codeNotCreated : 0) | (IsEmpty(lpszKey) ? codeEmptyKey : 0);
    if (code != codeDone)
        return code;
    const CString key = lpszKey;
    // A value kept in either form counts as existing.
    if (!bOverwrite && (FindKey(key) != nullptr || FindKey(CountKey(key)) != nullptr))
        return codeKeyExists;
    if (nLength > 0x3FFFFFFF)
        return codeCannotEncode;
    const CString text = AfxEncodeLetterPairs(pData, nLength);

    // The form written last is the only one left behind, so that a reader
    // never finds the bytes of an earlier, longer or shorter, value.
    if (text.GetLength() <= kPieceLetters) {
        RemoveKey(CountKey(key));
        RemoveBinaryPieces(key, 0);
        return SetString(key, text, TRUE);
    }
    const int nPieces = (text.GetLength() + kPieceLetters - 1) / kPieceLetters;
    RemoveKey(key);
    UINT result = SetInt(CountKey(key), nPieces, TRUE);
    if (result != codeDone)
        return result;
    for (int i = 0; i < nPieces; ++i)
        SetString(PieceKey(key, i), text.Mid(i * kPieceLetters, kPieceLetters), TRUE);
    RemoveBinaryPieces(key, nPieces);
    return codeDone;
}

UINT OZWPersistentTreeNode::RemoveKey(LPCTSTR lpszKey)
{
    if (FindKey(lpszKey) == nullptr)
        return codeKeyNotFound;
    for (POSITION pos = m_listPairs.GetHeadPosition(); pos != nullptr;) {
        POSITION here = pos;
        auto* pPair = static_cast<OZWPersTreeNodeKeyValuePair*>(m_listPairs.GetNext(pos));
        if (pPair->m_strKey == lpszKey) {
            m_listPairs.RemoveAt(here);
            delete pPair;
        }
    }
    return codeDone;
}

UINT OZWPersistentTreeNode::GetString(LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault)
{
    strValue = lpszDefault != nullptr ? lpszDefault : "";
    OZWPersTreeNodeKeyValuePair* pPair = FindKey(lpszKey);
    if (pPair == nullptr)
        return codeKeyNotFound;
    strValue = pPair->m_strValue;
    return codeDone;
}

// The typed getters: the default first, then the key's text converted.
template<class T, class Convert>
UINT OZWPersistentTreeNode::GetConverted(LPCTSTR lpszKey, T* pValue, T defaultValue, Convert convert)
{
    if (pValue == nullptr)
        return codeNullData;
    *pValue = defaultValue;
    CString text;
    const UINT code = GetString(lpszKey, text, "");
    if (code != codeDone)
        return code;
    *pValue = convert(text);
    return codeDone;
}

UINT OZWPersistentTreeNode::GetInt(LPCTSTR lpszKey, int* pnValue, int nDefault)
{
    return GetConverted(lpszKey, pnValue, nDefault, [](const CString& t) { return atoi(t); });
}

UINT OZWPersistentTreeNode::GetUInt(LPCTSTR lpszKey, UINT* pnValue, UINT nDefault)
{
    return GetConverted(lpszKey, pnValue, nDefault, [](const CString& t) { return (UINT)atoi(t); });
}

UINT OZWPersistentTreeNode::GetLong(LPCTSTR lpszKey, long* plValue, long lDefault)
{
    return GetConverted(lpszKey, plValue, lDefault, [](const CString& t) { return atol(t); });
}

UINT OZWPersistentTreeNode::GetDWord(LPCTSTR lpszKey, DWORD* pdwValue, DWORD dwDefault)
{
    return GetConverted(lpszKey, pdwValue, dwDefault, [](const CString& t) { return (DWORD)atol(t); });
}

UINT OZWPersistentTreeNode::GetBool(LPCTSTR lpszKey, BOOL* pbValue, BOOL bDefault)
{
    return GetConverted(lpszKey, pbValue, bDefault, [](CString t) {
        t.MakeUpper();
        return (BOOL)(t == "TRUE");
    });
}

UINT OZWPersistentTreeNode::GetBinary(LPCTSTR lpszKey, BYTE** ppData, UINT* pnLength)
{
    if (ppData == nullptr || pnLength == nullptr)
        return codeNullData;
    *ppData = nullptr;
    *pnLength = 0;
    const CString key = lpszKey != nullptr ? lpszKey : "";
    CString text;
    if (OZWPersTreeNodeKeyValuePair* pCount = FindKey(CountKey(key))) {
        const int nPieces = atoi(pCount->m_strValue);
        if (nPieces <= 0)
            return codeFailed;
        for (int i = 0; i < nPieces; ++i) {
            // A missing piece would shift every later byte: the value is lost.
            OZWPersTreeNodeKeyValuePair* pPiece = FindKey(PieceKey(key, i));
            if (pPiece == nullptr)
                return codeFailed;
            text += pPiece->m_strValue;
        }
    } else {
        const UINT code = GetString(key, text, "");
        if (code != codeDone)
            return code;
    }
    // An odd trailing letter is ignored.
    if (text.GetLength() % 2 != 0)
        text = text.Left(text.GetLength() - 1);
    CByteArray bytes;
    if (text.IsEmpty() || !AfxDecodeLetterPairs(text, bytes))
        return codeFailed;
    *ppData = new BYTE[(size_t)bytes.GetSize()];
    memcpy(*ppData, bytes.GetData(), (size_t)bytes.GetSize());
    *pnLength = (UINT)bytes.GetSize();
    return codeDone;
}

BOOL OZWPersistentTreeNode::Save(OZWPTNStrategy* pStrategy)
{
    if (!m_bCreated || pStrategy == nullptr)
        return FALSE;
    CStringArray path, childNames;
    GetPath(path);
    GetChildNames(childNames);
    BOOL bResult = pStrategy->DeleteNode(path);
    for (POSITION pos = m_listPairs.GetHeadPosition(); pos != nullptr;) {
        auto* pPair = static_cast<OZWPersTreeNodeKeyValuePair*>(m_listPairs.GetNext(pos));
        bResult = pStrategy->WriteValue(path, pPair->m_strKey, pPair->m_strValue) && bResult;
    }
    bResult = pStrategy->WriteChildNames(path, childNames) && bResult;
    for (POSITION pos = m_listChildren.GetHeadPosition(); pos != nullptr;)
        bResult = static_cast<OZWPersistentTreeNode*>(m_listChildren.GetNext(pos))->Save(pStrategy) && bResult;
    return bResult;
}

BOOL OZWPersistentTreeNode::Load(OZWPTNStrategy* pStrategy)
{
    if (!m_bCreated || pStrategy == nullptr)
        return FALSE;
    CStringArray path, childNames, keys, values;
    GetPath(path);
    if (!pStrategy->ReadNode(path, childNames, keys, values))
        return FALSE;
    for (INT_PTR i = 0; i < keys.GetSize() && i < values.GetSize(); ++i)
        SetString(keys[i], values[i], TRUE);
    for (INT_PTR i = 0; i < childNames.GetSize(); ++i) {
        OZWPersistentTreeNode* pChild = m_factory.CreateNode(childNames[i], this);
        if (pChild != nullptr)
            pChild->Load(pStrategy);
    }
    return TRUE;
}
