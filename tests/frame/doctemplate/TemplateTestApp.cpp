#include "tests/frame/doctemplate/TemplateTestApp.h"
#include "tests/support/TestSupport.h"

CTemplateApp theApp;

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
IMPLEMENT_DYNCREATE(COtherDoc, CDocument)
IMPLEMENT_DYNCREATE(CTestView, CView)
IMPLEMENT_DYNCREATE(COtherView, CView)
IMPLEMENT_DYNCREATE(CTestChildFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(OZWDockableFrame, CFrameWnd)
IMPLEMENT_DYNCREATE(CUnloadableFrame, OZWDockableFrame)
IMPLEMENT_DYNCREATE(CTestHostBar, CControlBar)

BOOL CTestMainFrame::CreateMain()
{
    if (!Create(nullptr, "Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)))
        return FALSE;
    for (int i = 0; i < 4; ++i) {
        if (!sides[i].Create("STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), this, AFX_IDW_DOCKBAR_TOP + i))
            return FALSE;
    }
    return TRUE;
}

void CTestMainFrame::GetDefaultDockingInfo(UINT& nDockBarID, CSize& size, float& fRowShare)
{
    nDockBarID = AFX_IDW_DOCKBAR_TOP + 3;   // bottom
    size = CSize(0, 150);
    fRowShare = 1.0f;
}

BOOL CTestMainFrame::IsBarIDFree(UINT nID)
{
    for (const Docked& d : docked)
        if (d.id == nID)
            return FALSE;
    return TRUE;
}

UINT CTestMainFrame::GetNextFreeBarID(UINT nFirst)
{
    while (!IsBarIDFree(nFirst))
        ++nFirst;
    return nFirst;
}

BOOL CTestMainFrame::CreateAndDockHostBar(CControlBar* pBar, LPCTSTR lpszTitle, DWORD dwStyle, UINT nID,
                                          UINT nDockBarID, const CSize& size, float fRowShare)
{
    if (refuseBars)
        return FALSE;
    CWnd* pSide = GetDlgItem((int)nDockBarID);
    if (pSide == nullptr)
        return FALSE;
    if (!pBar->Create(nullptr, lpszTitle, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), pSide, nID))
        return FALSE;
    pBar->m_dwStyle = dwStyle;
    docked.push_back({ nID, nDockBarID, dwStyle, size, fRowShare, lpszTitle });
    return TRUE;
}

void ResetApplication()
{
    if (theApp.m_pDocManager != nullptr) {
        theApp.CloseAllDocuments(TRUE);
        delete theApp.m_pDocManager;
        theApp.m_pDocManager = nullptr;
    }
    kvtest::PumpMessages();
}
