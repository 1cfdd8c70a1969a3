#include "app/ChildFrm.h"
#include "app/AppRes.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "app/KelvaronViewCommands.h"
#include "app/MainFrm.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_CLOSE()
    ON_WM_MDIACTIVATE()
    ON_WM_GETMINMAXINFO()
    ON_WM_NCACTIVATE()
    ON_WM_EXITSIZEMOVE()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame() = default;

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~(LONG)0x4;
    cs.dwExStyle &= ~(DWORD)WS_EX_WINDOWEDGE;
    return CMDIChildWnd::PreCreateWindow(cs);
}

void CChildFrame::ActivateFrame(int nCmdShow)
{
    CMDIChildWnd::ActivateFrame(nCmdShow);
}

CKelvaronView* CChildFrame::GetDatabaseView() const
{
    return dynamic_cast<CKelvaronView*>(GetActiveView());
}

void CChildFrame::OnClose()
{
    CKelvaronView* pView = GetDatabaseView();
    if (pView != nullptr && pView->IsEditingAssembly()) {
        AfxMessageBox(IDS_FINISH_ASSEMBLY_FIRST, MB_ICONEXCLAMATION);
        return;
    }
    const int answer = AfxMessageBox(IDS_SAVE_DATABASE_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO)
        return;
    if (pView == nullptr)
        return;
    // The changed record of the grid is settled before anything is closed,
    // so that a Cancel there leaves everything as it is.
    if (answer == IDYES && !pView->SettleChangedRecord())
        return;
    if (CKelvaronDoc* pDoc = pView->GetDocument()) {
        // A component copied from this database cannot be pasted once it is
        // closed.
        CMainFrame* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
        if (pMainFrame != nullptr && !pDoc->GetDatabasePath().IsEmpty() &&
            pMainFrame->GetCopySourcePath().CompareNoCase(pDoc->GetDatabasePath()) == 0) {
            pMainFrame->SetCopySourcePath("");
            pMainFrame->ClearCopiedComponents();
        }
    }
    if (answer == IDYES)
        pView->CloseKeeping();
    else
        pView->CloseRestoring();
}

void CChildFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    if (!bActivate || pActivateWnd != this)
        return;
    CKelvaronView* pView = GetDatabaseView();
    CKelvaronDoc* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
    if (pDoc == nullptr)
        return;
    CMainFrame* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pMainFrame == nullptr)
        return;
    pMainFrame->SetActiveDatabasePath(pDoc->GetDatabasePath());
    // The curve-fit bar follows the table shown (an outlet's curve is not
    // preset here, unlike on a change of tab), and the component current in
    // it.
    const int nTable = pView->GetCurrentTab();
    if (nTable != kvgrid::TABLE_OUTLET) {
        if (int nCurveType = CurveTypeOfTab(nTable))
            pMainFrame->SetCurveType(nCurveType);
    }
    CGridWindow* pGrid = pView->GetGrid();
    if (pGrid != nullptr && pGrid->GetSafeHwnd() != nullptr)
        pMainFrame->NotifyComponentChanged(pGrid->GetRecordset());
}

void CChildFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = kMinWidth;
    lpMMI->ptMinTrackSize.y = kMinHeight;
    CMDIChildWnd::OnGetMinMaxInfo(lpMMI);
}

BOOL CChildFrame::OnNcActivate(BOOL bActive)
{
    CKelvaronView* pView = GetDatabaseView();
    if (!bActive && pView != nullptr && pView->IsPopupOpen())
        return TRUE;
    return CMDIChildWnd::OnNcActivate(bActive);
}

void CChildFrame::FitGridColumns()
{
    CKelvaronView* pView = GetDatabaseView();
    CGridWindow* pGrid = pView != nullptr ? pView->GetGrid() : nullptr;
    if (pGrid != nullptr && pGrid->GetSafeHwnd() != nullptr)
        pGrid->FitColumnWidths();
}

void CChildFrame::OnExitSizeMove()
{
    CMDIChildWnd::OnExitSizeMove();
    FitGridColumns();
}

void CChildFrame::OnSysCommand(UINT nID, LPARAM lParam)
{
    CMDIChildWnd::OnSysCommand(nID, lParam);
    const UINT command = nID & 0xFFF0;
    if (command == SC_MAXIMIZE || command == SC_RESTORE)
        FitGridColumns();
}
