// A small hierarchical settings store: named nodes, each with ordered
// key/value text pairs and named child nodes. A strategy object writes a
// whole tree to persistent storage and reads it back (OZWPTNStrategy.h:
// INI files or the registry). Callers make nodes through an OZWPTNFactory,
// fill them with the typed setters and call Save on the top node; to read,
// they make the top node, call Load and walk it with FindChild and the
// typed getters.
//
// Node operations return bit codes (0 is success) and change nothing when
// they fail; Save and Load return BOOL.
#pragma once

#include "platform/framework/Framework.h"

class OZWPersistentTreeNode;
class OZWPTNStrategy;

// Makes nodes and owns them: destroying the factory deletes every node it made.
class OZWPTNFactory
{
public:
    OZWPTNFactory();
    virtual ~OZWPTNFactory();
    OZWPTNFactory(const OZWPTNFactory&) = delete;
    OZWPTNFactory& operator=(const OZWPTNFactory&) = delete;

    // A node of the class (OZWPersistentTreeNode when null) created with the
    // name under the parent; null (and nothing kept) when creation fails,
    // for example when the parent has a child of that name already.
    virtual OZWPersistentTreeNode* CreateNode(LPCTSTR lpszName, OZWPersistentTreeNode* pParent,
                                              CRuntimeClass* pClass = nullptr);
    // An unnamed node of the default class, not yet created.
    virtual OZWPersistentTreeNode* CreateNode();
    // Deletes a node this factory made; FALSE for any other.
    virtual BOOL DestroyNode(OZWPersistentTreeNode* pNode);

protected:
    CPtrList m_listNodes;
};

class OZWPersistentTreeNode : public CObject
{
    DECLARE_DYNCREATE(OZWPersistentTreeNode)
public:
    // Result codes (bits; several may be joined).
    enum : UINT
    {
        codeDone = 0,
        codeAlreadyCreated = 1,
        codeNotCreated = 2,
        codeEmptyName = 4,        // empty node name, or null child
        codeEmptyKey = 8,
        codeKeyExists = 16,       // and overwriting was not allowed
        codeChildExists = 32,
        codeKeyNotFound = 64,
        codeNullData = 128,
        codeCannotEncode = 256,
        codeFailed = 65535,       // any other failure (refused attach, undecodable binary text)
    };

    class OZWPersTreeNodeKeyValuePair : public CObject
    {
    public:
        CString m_strKey;
        CString m_strValue;
    };

    OZWPersistentTreeNode();
    // Deletes its pairs and the children its Load made; other children are
    // released (they stay with their factories) and the node leaves its parent.
    ~OZWPersistentTreeNode() override;

    virtual UINT Create(LPCTSTR lpszName, OZWPersistentTreeNode* pParent);
    virtual UINT SetInt(LPCTSTR lpszKey, int nValue, BOOL bOverwrite);
    virtual UINT SetString(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite);
    virtual UINT SetBool(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite);
    // Bytes as letter pairs; text longer than 250 letters is kept in pieces
    // of 250 under key + "_BinVal" + i, with key + "_BinCount" the count.
    virtual UINT SetBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nLength, BOOL bOverwrite);
    virtual UINT RemoveKey(LPCTSTR lpszKey);
    // The getters store the default first; a missing key returns 64.
    virtual UINT GetString(LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault);
    virtual UINT GetInt(LPCTSTR lpszKey, int* pnValue, int nDefault);
    virtual UINT GetUInt(LPCTSTR lpszKey, UINT* pnValue, UINT nDefault);
    virtual UINT GetLong(LPCTSTR lpszKey, long* plValue, long lDefault);
    virtual UINT GetDWord(LPCTSTR lpszKey, DWORD* pdwValue, DWORD dwDefault);
    // TRUE exactly for the text "TRUE" in any case.
    virtual UINT GetBool(LPCTSTR lpszKey, BOOL* pbValue, BOOL bDefault);
    // A new[] block the caller delete[]s, or null; 65535 when the text is
    // empty, a piece is missing or a letter is not 'A'..'P'.
    virtual UINT GetBinary(LPCTSTR lpszKey, BYTE** ppData, UINT* pnLength);
    // Writes the node, its pairs and its children (the AND of every write).
    virtual BOOL Save(OZWPTNStrategy* pStrategy);
    // Reads the node's pairs (overwriting equal keys) and makes and reads
    // its children; FALSE when the node cannot be read.
    virtual BOOL Load(OZWPTNStrategy* pStrategy);
    virtual UINT AttachChild(OZWPersistentTreeNode* pChild);

    OZWPersistentTreeNode* FindChild(LPCTSTR lpszName) const;
    OZWPersTreeNodeKeyValuePair* FindKey(LPCTSTR lpszKey) const;
    const CString& GetName() const { return m_strName; }
    OZWPersistentTreeNode* GetParent() const { return m_pParent; }
    BOOL IsCreated() const { return m_bCreated; }
    // The names from this node up to the root, this node first.
    void GetPath(CStringArray& path) const;
    void GetChildNames(CStringArray& names) const;
    // The pairs in order.
    const CObList& GetPairs() const { return m_listPairs; }

protected:
    CString m_strName;
    OZWPersistentTreeNode* m_pParent = nullptr;
    OZWPTNFactory m_factory;
    CPtrList m_listChildren;
    CObList m_listPairs;
    BOOL m_bCreated = FALSE;

private:
    template<class T, class Convert>
    UINT GetConverted(LPCTSTR lpszKey, T* pValue, T defaultValue, Convert convert);
    void DetachChild(OZWPersistentTreeNode* pChild);
    void RemoveBinaryPieces(const CString& key, int nFrom);
};

using OZWPersTreeNodeKeyValuePair = OZWPersistentTreeNode::OZWPersTreeNodeKeyValuePair;
