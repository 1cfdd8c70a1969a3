// Message filters: a tree of small objects bound to one window that see
// chosen messages of the window before its default handling. A frame owns
// the root filter and a table of descriptors naming the filters it wants
// (kind, parent kind, class, flags); applying the table creates, switches on
// or switches off the filters. Each filter may consume a message (bit 0 of
// the result), and may stop later sibling filters from seeing it (bit 3).
#pragma once

#include "platform/framework/Framework.h"

#include <vector>

class OZWMsgFilter : public CObject
{
    DECLARE_DYNCREATE(OZWMsgFilter)
public:
    // Result bits of FilterMessage, ORed over the filters that ran.
    enum ResultBits : UINT {
        Consumed = 0x1,     // the window skips its default handling
        MouseTaken = 0x6,   // set with Consumed by filters that took a mouse message
        StopSiblings = 0x8, // no later sibling filter sees the message
    };

    // One filter a window wants: the kind (the identifier the filter gets),
    // the kind of the filter it sits under (-1: the root), its class, and
    // flags (bit 0: never switched off through a descriptor).
    struct Descriptor
    {
        Descriptor(int id = -1, int parentId = -1, CRuntimeClass* pClassIn = nullptr, DWORD flags = 0)
            : nID(id), nParentID(parentId), pClass(pClassIn), dwFlags(flags)
        {
        }
        virtual ~Descriptor() = default;
        virtual Descriptor* Clone() const { return new Descriptor(*this); }

        int nID;
        int nParentID;
        CRuntimeClass* pClass;
        DWORD dwFlags;
    };

    // The descriptors of a window; owns them.
    class DescriptorTable
    {
    public:
        DescriptorTable() = default;
        ~DescriptorTable();
        DescriptorTable(const DescriptorTable&) = delete;
        DescriptorTable& operator=(const DescriptorTable&) = delete;

        // Adds a copy of d; returns the stored descriptor.
        Descriptor* Add(const Descriptor& d);
        int GetSize() const { return (int)m_items.size(); }
        Descriptor* GetAt(int i) const { return m_items[(size_t)i]; }
        Descriptor* operator[](int i) const { return GetAt(i); }
        void RemoveAll();

    private:
        std::vector<Descriptor*> m_items;
    };

    explicit OZWMsgFilter(CWnd* pWnd = nullptr, int nID = -1);
    // A copy with the same kind, state and window, and a copy of each child.
    OZWMsgFilter(const OZWMsgFilter& other);
    OZWMsgFilter& operator=(const OZWMsgFilter&) = delete;
    // Deletes the children (while m_bAutoDelete is set).
    ~OZWMsgFilter() override;

    virtual OZWMsgFilter* Clone() const;
    virtual CWnd* GetWnd() const { return m_pWnd; }
    // Binds the filter (and with bRecurse its subtree) to pWnd.
    virtual void SetWnd(CWnd* pWnd, BOOL bRecurse);
    // The entry the window calls: 0 while disabled, else ProcessMessage.
    virtual UINT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The filter's own handling; the base passes the message to the children.
    virtual UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The enabled children in order, until one answers StopSiblings.
    virtual UINT ProcessChildren(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The first child of kind nID; with nDepth != 0 (-1: any depth) also
    // in the subtrees; with pClass and none found, a new child of that class
    // made here. Null otherwise.
    virtual OZWMsgFilter* FindFilter(int nID, CRuntimeClass* pClass, int nDepth);
    // Creates (when enabling) and switches the filter a descriptor names;
    // returns it, or null when it or its parent does not exist.
    virtual OZWMsgFilter* ApplyDescriptor(const Descriptor& d, BOOL bEnable);
    // ApplyDescriptor for each descriptor in order, with its own value.
    virtual void ApplyDescriptors(const DescriptorTable& table, const BOOL* pEnable);
    virtual void ApplyDescriptorsAll(const DescriptorTable& table, BOOL bEnable);

    int GetID() const { return m_nID; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void Enable(BOOL bEnable) { m_bEnabled = bEnable; }
    int GetChildCount() const { return (int)m_children.size(); }
    OZWMsgFilter* GetChild(int i) const;
    // Adds a filter as the last child (the filter becomes owned).
    void AddChild(OZWMsgFilter* pFilter);

    int m_nID;
    BOOL m_bEnabled = TRUE;
    BOOL m_bAutoDelete = TRUE;

protected:
    std::vector<OZWMsgFilter*> m_children;
    CWnd* m_pWnd;
};

// The base of the filters that work on non-client messages.
class OZWNcMsgFilter : public OZWMsgFilter
{
    DECLARE_DYNCREATE(OZWNcMsgFilter)
public:
    explicit OZWNcMsgFilter(CWnd* pWnd = nullptr, int nID = -1) : OZWMsgFilter(pWnd, nID) {}
    OZWNcMsgFilter(const OZWNcMsgFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new OZWNcMsgFilter(*this); }
};

// The registered message of the extended system commands ("Dedaride::
// WM_SYSCOMMANDEX"), registered on first use.
UINT OZWGetSysCommandExMessage();

// What a window does with the messages it routes through its filters:
// offers one before its default handling (TRUE, with the filters' bits in
// *pResult, when a filter consumed it), or tells them of one after it.
BOOL OZWFilterFirst(OZWMsgFilter* pRoot, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
UINT OZWFilterInform(OZWMsgFilter* pRoot, UINT message, WPARAM wParam, LPARAM lParam);
