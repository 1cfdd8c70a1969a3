#include "frame/doctemplate/OZWDocTemplateUtils.h"
#include "frame/doctemplate/OZWMultiDocTemplate.h"

OZWDocTemplateUtils::OZWDocTemplateUtils(BOOL bUseFileTypeId) : m_bUseFileTypeId(bUseFileTypeId) {}

OZWDocTemplateUtils::~OZWDocTemplateUtils() = default;

CRuntimeClass* PASCAL OZWDocTemplateUtils::DockableFrameClass()
{
    return CRuntimeClass::FromName("OZWDockableFrame");
}

CString OZWDocTemplateUtils::TypeOf(CDocTemplate* pTemplate) const
{
    CString type;
    pTemplate->GetDocString(type, m_bUseFileTypeId ? CDocTemplate::regFileTypeId
                                                   : CDocTemplate::regFileTypeName);
    return type;
}

UINT OZWDocTemplateUtils::GetFrameMenuID(CFrameWnd* pFrame)
{
    return pFrame != nullptr ? pFrame->m_nIDHelp : 0;
}

BOOL OZWDocTemplateUtils::GetTemplates(CPtrList& list)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
        list.AddTail(pApp->GetNextDocTemplate(pos));
    return TRUE;
}

int OZWDocTemplateUtils::GetTemplateIndex(CDocTemplate* pTemplate, LPCTSTR lpszType)
{
    CWinApp* pApp = AfxGetApp();
    if (pTemplate == nullptr || pApp == nullptr || lpszType == nullptr)
        return -1;
    // A template of another type has no place among those of this one.
    if (TypeOf(pTemplate) != lpszType)
        return -1;
    int nIndex = -1;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
        CDocTemplate* p = pApp->GetNextDocTemplate(pos);
        if (TypeOf(p) == lpszType)
            ++nIndex;
        if (p == pTemplate)
            return nIndex;
    }
    return -1;
}

CDocTemplate* OZWDocTemplateUtils::GetTemplate(LPCTSTR lpszType, int nIndex)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszType == nullptr)
        return nullptr;
    CDocTemplate* pCandidate = nullptr;
    int nCount = -1;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr && nCount < nIndex;) {
        CDocTemplate* p = pApp->GetNextDocTemplate(pos);
        if (TypeOf(p) == lpszType) {
            pCandidate = p;
            ++nCount;
        }
    }
    return pCandidate;
}

BOOL OZWDocTemplateUtils::SingleTemplate(CPtrList& list, CDocTemplate** ppResult)
{
    *ppResult = nullptr;
    if (list.IsEmpty())
        return TRUE;
    if (list.GetCount() > 1)
        return FALSE;
    *ppResult = static_cast<CDocTemplate*>(list.GetHead());
    return TRUE;
}

BOOL OZWDocTemplateUtils::IsDockingFrameClass(CRuntimeClass* pClass)
{
    CRuntimeClass* pDockable = DockableFrameClass();
    return pClass != nullptr && pDockable != nullptr && pClass->IsDerivedFrom(pDockable);
}

CRuntimeClass* OZWDocTemplateUtils::GetFrameClass(CDocTemplate* pTemplate, BOOL bDocking)
{
    if (pTemplate == nullptr)
        return nullptr;
    if (!bDocking)
        return pTemplate->m_pFrameClass;
    if (pTemplate->IsKindOf(RUNTIME_CLASS(OZWMultiDocTemplate)))
        return static_cast<OZWMultiDocTemplate*>(pTemplate)->m_pDockFrameClass;
    return nullptr;
}

namespace {

// Removes every template for which drop(template) holds.
template<class Drop>
void RemoveWhere(CPtrList& list, Drop drop)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        POSITION here = pos;
        if (drop(static_cast<CDocTemplate*>(list.GetNext(pos))))
            list.RemoveAt(here);
    }
}

} // namespace

BOOL OZWDocTemplateUtils::FilterByViewAndFrame(CPtrList& list, CView* pView, CFrameWnd* pFrame)
{
    if (pView == nullptr || pFrame == nullptr)
        return FALSE;
    CRuntimeClass* pViewClass = pView->GetRuntimeClass();
    CRuntimeClass* pFrameClass = pFrame->GetRuntimeClass();
    const BOOL bDocking = IsDockingFrameClass(pFrameClass);
    RemoveWhere(list, [&](CDocTemplate* p) {
        return p->m_pViewClass != pViewClass || GetFrameClass(p, bDocking) != pFrameClass;
    });
    return TRUE;
}

BOOL OZWDocTemplateUtils::FilterByResource(CPtrList& list, CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    const UINT nID = GetFrameMenuID(pFrame);
    RemoveWhere(list, [nID](CDocTemplate* p) { return p->m_nIDResource != nID; });
    return TRUE;
}

BOOL OZWDocTemplateUtils::FilterByDocument(CPtrList& list, CDocument* pDoc)
{
    if (pDoc == nullptr)
        return FALSE;
    CRuntimeClass* pDocClass = pDoc->GetRuntimeClass();
    RemoveWhere(list, [pDocClass](CDocTemplate* p) { return p->m_pDocClass != pDocClass; });
    return TRUE;
}

CDocTemplate* OZWDocTemplateUtils::FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame)
{
    if (pDoc == nullptr || pView == nullptr || pFrame == nullptr)
        return nullptr;
    CPtrList list;
    GetTemplates(list);
    CDocTemplate* pResult = nullptr;
    if (SingleTemplate(list, &pResult))
        return pResult;
    FilterByViewAndFrame(list, pView, pFrame);
    if (SingleTemplate(list, &pResult))
        return pResult;
    FilterByResource(list, pFrame);
    if (SingleTemplate(list, &pResult))
        return pResult;
    FilterByDocument(list, pDoc);
    if (SingleTemplate(list, &pResult))
        return pResult;
    CDocTemplate* pOwn = pDoc->GetDocTemplate();
    if (pOwn != nullptr && list.Find(pOwn) != nullptr)
        return pOwn;
    return static_cast<CDocTemplate*>(list.GetHead());
}
