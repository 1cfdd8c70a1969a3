// Where a settings tree (OZWPersistentTreeNode) is kept. Every operation
// takes a node's path: its names from the node up to the root, node first.
#pragma once

#include "platform/framework/Framework.h"

class OZWPTNStrategy
{
public:
    virtual ~OZWPTNStrategy() = default;
    // Forgets what is stored for the node (and the nodes below it).
    virtual BOOL DeleteNode(const CStringArray& path) = 0;
    virtual BOOL WriteValue(const CStringArray& path, LPCTSTR lpszKey, LPCTSTR lpszValue) = 0;
    virtual BOOL WriteChildNames(const CStringArray& path, const CStringArray& names) = 0;
    // The node's child names and its pairs (keys and values in parallel).
    virtual BOOL ReadNode(const CStringArray& path, CStringArray& childNames, CStringArray& keys,
                          CStringArray& values) = 0;
};

// A tree in an INI file: one section per node, named by the path from the
// root down joined with "." ("root.child.grandchild"), holding the node's
// pairs and "ptn_Child1" .. "ptn_ChildN" naming its children.
class OZWPTNStrategyProfile : public OZWPTNStrategy
{
public:
    explicit OZWPTNStrategyProfile(LPCTSTR lpszFileName);

    BOOL DeleteNode(const CStringArray& path) override;
    BOOL WriteValue(const CStringArray& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    BOOL WriteChildNames(const CStringArray& path, const CStringArray& names) override;
    BOOL ReadNode(const CStringArray& path, CStringArray& childNames, CStringArray& keys,
                  CStringArray& values) override;
    // The key names of a section; FALSE when it has none.
    virtual BOOL ReadSectionKeys(LPCTSTR lpszSection, CStringArray& keys);

    CString m_strFileName;
    LPCTSTR m_pszChildPrefix = "ptn_Child";
    LPCTSTR m_pszSeparator = ".";
    // The key names of a section were once read into a buffer of at most this
    // size, and the names past it were lost; every name is now read.
    int m_nMaxBuffer = 8192;

protected:
    CString SectionName(const CStringArray& path) const;
};

// A tree in the registry: one key per node below the base key, named by the
// path from the root down; pairs are string values, children are subkeys.
class OZWPTNStrategyRegistry : public OZWPTNStrategy
{
public:
    OZWPTNStrategyRegistry(LPCTSTR lpszBaseKey, HKEY hRootKey);

    BOOL DeleteNode(const CStringArray& path) override;
    BOOL WriteValue(const CStringArray& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    BOOL WriteChildNames(const CStringArray& path, const CStringArray& names) override;
    BOOL ReadNode(const CStringArray& path, CStringArray& childNames, CStringArray& keys,
                  CStringArray& values) override;
    // The base key followed by each name from the root down, each ending in
    // a backslash.
    virtual void GetKeyPath(CString& strPath, const CStringArray& path);

    CString m_strBaseKey;
    HKEY m_hRootKey;
};
