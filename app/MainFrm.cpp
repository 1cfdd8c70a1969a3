#include "app/MainFrm.h"

#include "app/CleanDlg.h"
#include "app/MergeDlg.h"
#include "app/AppRes.h"

#include <memory>

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_FILE_MERGE, OnMerge)
    ON_COMMAND(ID_TOOLS_CLEAN_FIELDS, OnCleanFields)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_pMergeDialog(nullptr), m_pCleanDialog(nullptr)
{
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::StepProgress()
{
    if (m_pMergeDialog != nullptr)
        m_pMergeDialog->StepProgress();
    else if (m_pCleanDialog != nullptr)
        m_pCleanDialog->StepProgress();
}

CString CMainFrame::GetActiveDatabasePath()
{
    if (m_hWnd == nullptr)
        return CString();
    CMDIChildWnd* pChild = MDIGetActive();
    CDocument* pDoc = pChild != nullptr ? pChild->GetActiveDocument() : nullptr;
    return pDoc != nullptr ? pDoc->GetPathName() : CString();
}

void CMainFrame::OnMerge()
{
    auto pDialog = std::make_unique<CMergeDialog>(GetActiveDatabasePath(), this);
    m_pMergeDialog = pDialog.get();
    pDialog->DoModal();
    m_pMergeDialog = nullptr;
    pDialog.reset();
    OnDatabaseMerged();
}

void CMainFrame::OnCleanFields()
{
    auto pDialog = std::make_unique<CCleanDialog>(GetActiveDatabasePath(), this);
    m_pCleanDialog = pDialog.get();
    pDialog->DoModal();
    m_pCleanDialog = nullptr;
}

void CMainFrame::OnDatabaseMerged()
{
    CMDIChildWnd* pChild = m_hWnd != nullptr ? MDIGetActive() : nullptr;
    if (CDocument* pDoc = pChild != nullptr ? pChild->GetActiveDocument() : nullptr)
        pDoc->UpdateAllViews(nullptr);
}
