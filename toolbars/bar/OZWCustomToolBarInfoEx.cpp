#include "toolbars/bar/OZWCustomToolBarInfoEx.h"

#include "frame/settings/OZWPersistentTreeNode.h"
#include "toolbars/bar/OZWCustomToolBar.h"

#include <memory>

namespace {
const char kTitle[] = "Title";
const char kButtons[] = "Buttons";
const char kNode[] = "ToolBarInfoEx";
} // namespace

IMPLEMENT_DYNCREATE(OZWCustomToolBarInfoEx, OZWControlBarInfoEx)

OZWCustomToolBarInfoEx::OZWCustomToolBarInfoEx() = default;

OZWCustomToolBarInfoEx::~OZWCustomToolBarInfoEx() = default;

void OZWCustomToolBarInfoEx::SetButtonsFrom(const BYTE* pData, UINT nSize)
{
    m_arrButtons.RemoveAllInfo();
    m_bHasButtons = ozwtb::ParseButtonStream(pData, nSize, m_arrButtons);
}

BOOL OZWCustomToolBarInfoEx::LoadState(LPCTSTR lpszSection, OZWDockState*)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    m_strTitle = pApp->GetProfileString(lpszSection, kTitle, nullptr);
    m_arrButtons.RemoveAllInfo();
    m_bHasButtons = FALSE;
    // Missing (the default below), empty (an emptied toolbar), or the
    // letter pairs of the stream.
    const CString text = pApp->GetProfileString(lpszSection, kButtons, "?");
    if (text.IsEmpty()) {
        m_bHasButtons = TRUE;
    }
    else {
        CByteArray bytes;
        if (AfxDecodeLetterPairs(text, bytes))
            SetButtonsFrom(bytes.GetData(), (UINT)bytes.GetSize());
    }
    return TRUE;
}

BOOL OZWCustomToolBarInfoEx::SaveState(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    if (!m_strTitle.IsEmpty())
        pApp->WriteProfileString(lpszSection, kTitle, m_strTitle);
    std::vector<BYTE> stream;
    if (!ozwtb::BuildButtonStream(m_arrButtons, stream))
        return FALSE;
    // An empty list is kept as an empty value: the toolbar was emptied.
    return pApp->WriteProfileBinary(lpszSection, kButtons, stream.empty() ? nullptr : stream.data(),
                                    (UINT)stream.size());
}

BOOL OZWCustomToolBarInfoEx::LoadState(OZWPersistentTreeNode* pParent)
{
    if (!OZWControlBarInfoEx::LoadState(pParent))
        return FALSE;
    OZWPersistentTreeNode* pNode = pParent->FindChild(kNode);
    if (pNode == nullptr)
        return FALSE;
    pNode->GetString(kTitle, m_strTitle, "");
    m_arrButtons.RemoveAllInfo();
    m_bHasButtons = FALSE;
    BYTE* pData = nullptr;
    UINT nSize = 0;
    const UINT nCode = pNode->GetBinary(kButtons, &pData, &nSize);
    if (nCode == OZWPersistentTreeNode::codeDone)
        SetButtonsFrom(pData, nSize);
    else if (nCode == OZWPersistentTreeNode::codeFailed && pNode->FindKey(kButtons) != nullptr) {
        // An empty text is an emptied toolbar; undecodable text is damage.
        CString text;
        pNode->GetString(kButtons, text, "");
        if (text.IsEmpty())
            m_bHasButtons = TRUE;
    }
    delete[] pData;
    return TRUE;
}

BOOL OZWCustomToolBarInfoEx::SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent)
{
    if (!OZWControlBarInfoEx::SaveState(pFactory, pParent) || pFactory == nullptr)
        return FALSE;
    OZWPersistentTreeNode* pNode = pFactory->CreateNode(kNode, pParent);
    if (pNode == nullptr)
        return FALSE;
    pNode->SetString(kTitle, m_strTitle, TRUE);
    std::vector<BYTE> stream;
    if (!ozwtb::BuildButtonStream(m_arrButtons, stream))
        return FALSE;
    if (stream.empty())
        pNode->SetString(kButtons, "", TRUE);
    else
        pNode->SetBinary(kButtons, stream.data(), (UINT)stream.size(), TRUE);
    return TRUE;
}

void OZWCustomToolBarInfoEx::Serialize(CArchive& ar, OZWDockState*)
{
    if (ar.IsStoring()) {
        ar << m_strTitle;
        ar << (DWORD)m_arrButtons.GetSize();
        for (INT_PTR i = 0; i < m_arrButtons.GetSize(); ++i) {
            const OZWBtnInfo* pInfo = m_arrButtons.GetInfo(i);
            if (pInfo->m_nDataLen > ozwtb::kMaxBtnData)
                AfxThrowArchiveException(CArchiveException::genericException);
            ar << (DWORD)pInfo->m_nID;
            ar << (BYTE)pInfo->m_nDataLen;
            if (pInfo->m_nDataLen > 0)
                ar.Write(pInfo->m_pData, pInfo->m_nDataLen);
        }
        return;
    }
    CString title;
    DWORD nCount = 0;
    ar >> title;
    ar >> nCount;
    // The records are read whole before any is kept.
    OZWBtnInfoArray buttons;
    for (DWORD i = 0; i < nCount; ++i) {
        DWORD nID = 0;
        BYTE nLen = 0;
        ar >> nID;
        ar >> nLen;
        BYTE data[ozwtb::kMaxBtnData];
        if (nLen > 0 && ar.Read(data, nLen) != nLen)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        buttons.Add(new OZWBtnInfo(nID, data, nLen));
    }
    m_strTitle = title;
    m_arrButtons.RemoveAllInfo();
    for (INT_PTR i = 0; i < buttons.GetSize(); ++i)
        m_arrButtons.Add(buttons.GetAt(i));
    buttons.RemoveAll();
    m_bHasButtons = TRUE;
}

void OZWCustomToolBarInfoEx::TakeFrom(OZWCustomToolBar* pToolBar)
{
    m_strTitle.Empty();
    m_arrButtons.RemoveAllInfo();
    if (pToolBar->GetSafeHwnd() != nullptr)
        pToolBar->GetWindowText(m_strTitle);
    for (int i = 0; i < pToolBar->GetButtonCount(); ++i) {
        const OZWStdBtn* pButton = pToolBar->GetButton(i);
        BYTE nSize = 0;
        BYTE* pData = nullptr;
        if (!pButton->IsSeparator())
            pButton->GetBtnData(nSize, pData);
        m_arrButtons.Add(new OZWBtnInfo(pButton->IsSeparator() ? 0 : pButton->m_nID, pData, nSize));
        delete[] pData;
    }
    m_bHasButtons = TRUE;
}

void OZWCustomToolBarInfoEx::ApplyTo(OZWCustomToolBar* pToolBar) const
{
    if (!m_strTitle.IsEmpty() && pToolBar->GetSafeHwnd() != nullptr)
        pToolBar->SetWindowText(m_strTitle);
    if (!m_bHasButtons)
        return;
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); ++i)
        ids.push_back(m_arrButtons.GetInfo(i)->m_nID);
    pToolBar->SetButtons(ids.data(), (int)ids.size());
    for (INT_PTR i = 0; i < m_arrButtons.GetSize() && i < pToolBar->GetButtonCount(); ++i) {
        const OZWBtnInfo* pInfo = m_arrButtons.GetInfo(i);
        if (pInfo->m_nID != 0 && pInfo->m_nDataLen > 0)
            pToolBar->GetButton((int)i)->SetBtnData((BYTE)pInfo->m_nDataLen, pInfo->m_pData);
    }
}
