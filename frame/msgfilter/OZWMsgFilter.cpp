#include "frame/msgfilter/OZWMsgFilter.h"

IMPLEMENT_DYNCREATE(OZWMsgFilter, CObject)
IMPLEMENT_DYNCREATE(OZWNcMsgFilter, OZWMsgFilter)

OZWMsgFilter::DescriptorTable::~DescriptorTable()
{
    RemoveAll();
}

OZWMsgFilter::Descriptor* OZWMsgFilter::DescriptorTable::Add(const Descriptor& d)
{
    Descriptor* p = d.Clone();
    m_items.push_back(p);
    return p;
}

void OZWMsgFilter::DescriptorTable::RemoveAll()
{
    for (Descriptor* p : m_items)
        delete p;
    m_items.clear();
}

OZWMsgFilter::OZWMsgFilter(CWnd* pWnd, int nID) : m_nID(nID), m_pWnd(pWnd)
{
}

OZWMsgFilter::OZWMsgFilter(const OZWMsgFilter& other)
    : CObject(), m_nID(other.m_nID), m_bEnabled(other.m_bEnabled), m_bAutoDelete(TRUE), m_pWnd(other.m_pWnd)
{
    for (OZWMsgFilter* pChild : other.m_children)
        if (pChild != nullptr)
            m_children.push_back(pChild->Clone());
    SetWnd(m_pWnd, TRUE);
}

OZWMsgFilter::~OZWMsgFilter()
{
    if (m_bAutoDelete)
        for (OZWMsgFilter* pChild : m_children)
            delete pChild;
    m_children.clear();
}

OZWMsgFilter* OZWMsgFilter::Clone() const
{
    return new OZWMsgFilter(*this);
}

void OZWMsgFilter::SetWnd(CWnd* pWnd, BOOL bRecurse)
{
    m_pWnd = pWnd;
    if (bRecurse)
        for (size_t i = 0; i < m_children.size(); ++i)
            if (m_children[i] != nullptr)
                m_children[i]->SetWnd(pWnd, TRUE);
}

UINT OZWMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_bEnabled)
        return 0;
    return ProcessMessage(message, wParam, lParam, pResult);
}

UINT OZWMsgFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ProcessChildren(message, wParam, lParam, pResult);
}

UINT OZWMsgFilter::ProcessChildren(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_bEnabled)
        return 0;
    UINT total = 0;
    // The count is read again on every step: a filter may add children.
    for (size_t i = 0; i < m_children.size(); ++i) {
        OZWMsgFilter* pChild = m_children[i];
        if (pChild == nullptr || !pChild->m_bEnabled)
            continue;
        total |= pChild->FilterMessage(message, wParam, lParam, pResult);
        if (total & StopSiblings)
            break;
    }
    return total;
}

OZWMsgFilter* OZWMsgFilter::GetChild(int i) const
{
    if (i < 0 || i >= (int)m_children.size())
        AfxThrowInvalidArgException();
    return m_children[(size_t)i];
}

void OZWMsgFilter::AddChild(OZWMsgFilter* pFilter)
{
    if (pFilter != nullptr)
        m_children.push_back(pFilter);
}

OZWMsgFilter* OZWMsgFilter::FindFilter(int nID, CRuntimeClass* pClass, int nDepth)
{
    for (size_t i = 0; i < m_children.size(); ++i)
        if (m_children[i] != nullptr && m_children[i]->m_nID == nID)
            return m_children[i];
    if (nDepth != 0) {
        for (size_t i = 0; i < m_children.size(); ++i) {
            if (m_children[i] == nullptr)
                continue;
            if (OZWMsgFilter* pFound = m_children[i]->FindFilter(nID, nullptr, nDepth - 1))
                return pFound;
        }
    }
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(OZWMsgFilter)))
        return nullptr;
    CObject* pObject = pClass->CreateObject();
    OZWMsgFilter* pFilter = dynamic_cast<OZWMsgFilter*>(pObject);
    if (pFilter == nullptr) {
        delete pObject;
        return nullptr;
    }
    pFilter->SetWnd(m_pWnd, TRUE);
    pFilter->m_nID = nID;
    m_children.push_back(pFilter);
    return pFilter;
}

OZWMsgFilter* OZWMsgFilter::ApplyDescriptor(const Descriptor& d, BOOL bEnable)
{
    OZWMsgFilter* pParent = d.nParentID == -1 ? this : FindFilter(d.nParentID, nullptr, -1);
    if (pParent == nullptr)
        return nullptr;
    OZWMsgFilter* pFilter = pParent->FindFilter(d.nID, bEnable ? d.pClass : nullptr, -1);
    if (pFilter != nullptr && (bEnable || (d.dwFlags & 1) == 0))
        pFilter->m_bEnabled = bEnable;
    return pFilter;
}

void OZWMsgFilter::ApplyDescriptors(const DescriptorTable& table, const BOOL* pEnable)
{
    for (int i = 0; i < table.GetSize(); ++i)
        if (table[i] != nullptr)
            ApplyDescriptor(*table[i], pEnable[i]);
}

void OZWMsgFilter::ApplyDescriptorsAll(const DescriptorTable& table, BOOL bEnable)
{
    for (int i = 0; i < table.GetSize(); ++i)
        if (table[i] != nullptr)
            ApplyDescriptor(*table[i], bEnable);
}

UINT OZWGetSysCommandExMessage()
{
    static const UINT s_message = ::RegisterWindowMessageA("Dedaride::WM_SYSCOMMANDEX");
    return s_message;
}

BOOL OZWFilterFirst(OZWMsgFilter* pRoot, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const UINT bits = OZWFilterInform(pRoot, message, wParam, lParam);
    if ((bits & OZWMsgFilter::Consumed) == 0)
        return FALSE;
    *pResult = (LRESULT)bits;
    return TRUE;
}

UINT OZWFilterInform(OZWMsgFilter* pRoot, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pRoot != nullptr ? pRoot->FilterMessage(message, wParam, lParam, nullptr) : 0;
}
