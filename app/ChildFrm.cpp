#include "app/ChildFrm.h"
#include "app/AppRes.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "app/OptionsDlg.h"
#include "app/state/CopiedComponents.h"
#include "grids/window/GridWindow.h"

#include <algorithm>

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
    if (!m_bPlaced)
        PlaceAtOpen();
    CMDIChildWnd::ActivateFrame(nCmdShow);
}

void CChildFrame::PlaceAtOpen()
{
    // Only a window whose view opened its database (and made its grids).
    CKelvaronView* pView = GetDatabaseView();
    if (pView == nullptr || pView->GetGrid() == nullptr)
        return;
    m_bPlaced = TRUE;
    CKelvaronApp* pApp = CKelvaronApp::Get();
    const DWORD options = pApp != nullptr ? pApp->GetOptions() : 0;
    if (options & OPTION_MAXIMIZE_DATABASE)
        ShowWindow(SW_MAXIMIZE);
    else if (options & (OPTION_OPEN_DEFAULT | OPTION_OPEN_LAST))
        SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE | SWP_SHOWWINDOW);
    // A window reaching beyond the main window's client area would give that
    // area scroll bars and hide part of the grid.
    FitIntoMDIClient();
    FitGridColumns();
}

CKelvaronView* CChildFrame::GetDatabaseView() const
{
    return dynamic_cast<CKelvaronView*>(GetActiveView());
}

void CChildFrame::OnClose()
{
    CKelvaronView* pView = GetDatabaseView();
    if (pView != nullptr && pView->GetViewState().IsAssemblyMode()) {
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
    // A component copied from this database cannot be pasted once it is
    // closed.
    CKelvaronDoc* pDoc = pView->GetDocument();
    CCopiedComponents* pCopied = CCopiedComponents::Current();
    if (pDoc != nullptr && pCopied != nullptr)
        pCopied->SourceClosed(pDoc->GetDatabasePath());
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
    // The paste target is this database.
    if (CCopiedComponents* pCopied = CCopiedComponents::Current())
        pCopied->SetTargetPath(pDoc->GetDatabasePath());
    pView->OnFrameActivated();
}

void CChildFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    // The minimum holds for the user's dragging and sizing only: the MDI
    // client's Tile and Cascade place the windows at the sizes they choose.
    if (m_bUserSizing) {
        lpMMI->ptMinTrackSize.x = kMinWidth;
        lpMMI->ptMinTrackSize.y = kMinHeight;
    }
    CMDIChildWnd::OnGetMinMaxInfo(lpMMI);
    // A maximised window wider or taller than the client area would be cut
    // off at its right and bottom edges, under the client area's border.
    if (IsZoomed()) {
        lpMMI->ptMinTrackSize.x = std::min(lpMMI->ptMinTrackSize.x, lpMMI->ptMaxSize.x);
        lpMMI->ptMinTrackSize.y = std::min(lpMMI->ptMinTrackSize.y, lpMMI->ptMaxSize.y);
    }
}

CChildFrame::ClientFit CChildFrame::FitIntoClient(const CRect& frame, const CSize& client, const CSize& minimum,
                                                  CRect& placed)
{
    placed = frame;
    const bool bInside = frame.left >= 0 && frame.top >= 0 && frame.right <= client.cx && frame.bottom <= client.cy;
    const bool bLargeEnough = frame.Width() >= minimum.cx && frame.Height() >= minimum.cy;
    if (bInside && bLargeEnough)
        return FIT_KEEP;
    if (client.cx < minimum.cx || client.cy < minimum.cy)
        return FIT_MAXIMIZE;
    // At least the minimum size, at most the client area's.
    const int width = std::clamp<int>(frame.Width(), minimum.cx, client.cx);
    const int height = std::clamp<int>(frame.Height(), minimum.cy, client.cy);
    const int left = std::clamp<int>(frame.left, 0, client.cx - width);
    const int top = std::clamp<int>(frame.top, 0, client.cy - height);
    placed = CRect(left, top, left + width, top + height);
    return FIT_MOVE;
}

void CChildFrame::FitIntoMDIClient()
{
    CWnd* pClient = GetParent();
    if (pClient == nullptr || IsZoomed() || IsIconic())
        return;
    CRect frame, client;
    GetWindowRect(&frame);
    pClient->ScreenToClient(&frame);
    pClient->GetClientRect(&client);
    CRect placed;
    switch (FitIntoClient(frame, client.Size(), CSize(kMinWidth, kMinHeight), placed)) {
    case FIT_MAXIMIZE:
        ShowWindow(SW_MAXIMIZE);
        break;
    case FIT_MOVE:
        SetWindowPos(nullptr, placed.left, placed.top, placed.Width(), placed.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case FIT_KEEP:
        break;
    }
}

BOOL CChildFrame::OnNcActivate(BOOL bActive)
{
    CKelvaronView* pView = GetDatabaseView();
    if (!bActive && pView != nullptr && pView->GetViewState().IsPopupOpen())
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
    const UINT command = nID & 0xFFF0;
    // Moving and sizing run their loop inside the system command.
    const BOOL bSizing = command == SC_SIZE || command == SC_MOVE;
    const BOOL bWasSizing = m_bUserSizing;
    if (bSizing)
        m_bUserSizing = TRUE;
    CMDIChildWnd::OnSysCommand(nID, lParam);
    m_bUserSizing = bWasSizing;
    if (command == SC_MAXIMIZE || command == SC_RESTORE)
        FitGridColumns();
}
