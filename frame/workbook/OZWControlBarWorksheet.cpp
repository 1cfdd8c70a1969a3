#include "frame/workbook/OZWControlBarWorksheet.h"

#include "frame/bars/OZWDockingFrame.h"
#include "frame/workbook/OZWWorkbookWnd.h"
#include "platform/theme/ThemeLib.h"

IMPLEMENT_DYNCREATE(OZWControlBarWorksheet, OZWWorksheetWnd)

BEGIN_MESSAGE_MAP(OZWControlBarWorksheet, OZWWorksheetWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

OZWControlBarWorksheet::OZWControlBarWorksheet() : m_dockBar(TRUE, TRUE) {}

OZWControlBarWorksheet::~OZWControlBarWorksheet() = default;

BOOL OZWControlBarWorksheet::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!OZWWorksheetWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL OZWControlBarWorksheet::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    // The dock bar is made in the docking frame, which keeps it among its
    // bars, and then moved in here.
    CWnd* pParentFrame = GetMDIFrame();
    if (!m_dockBar.Create(pParentFrame != nullptr ? pParentFrame : this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT,
                          AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    if (::GetParent(m_dockBar.m_hWnd) != m_hWnd)
        m_dockBar.SetParent(this);
    return TRUE;
}

BOOL OZWControlBarWorksheet::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                       CCreateContext* pContext)
{
    if (!OZWWorksheetWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    SetTabIcon(nullptr);
    return TRUE;
}

CControlBar* OZWControlBarWorksheet::GetHostedBar() const
{
    if (m_dockBar.m_hWnd == nullptr || m_dockBar.m_arrBars.GetSize() < 2)
        return nullptr;
    return m_dockBar.GetDockedControlBar(1);
}

BOOL OZWControlBarWorksheet::IsMultiBar() const
{
    return (m_dockBar.m_dwStyle & CBRS_FLOAT_MULTI) != 0;
}

void OZWControlBarWorksheet::RecalcLayout(BOOL bNotify)
{
    // Not while the window is being made.
    if (m_dockBar.m_hWnd == nullptr)
        return;
    OZWWorksheetWnd::RecalcLayout(bNotify);
    CString strTitle;
    m_dockBar.GetWindowText(strTitle);
    AfxSetWindowText(m_hWnd, strTitle);
}

void OZWControlBarWorksheet::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString strText;
    GetWindowText(strText);
    OZWWorksheetWnd::OnUpdateFrameTitle(bAddToTitle);
    AfxSetWindowText(m_hWnd, strText);
    if (m_hIcon != nullptr || m_dockBar.m_hWnd == nullptr)
        return;
    HICON hIcon = nullptr;
    for (INT_PTR i = 0; i < m_dockBar.m_arrBars.GetSize() && hIcon == nullptr; ++i) {
        CControlBar* pBar = m_dockBar.GetDockedControlBar((int)i);
        if (pBar != nullptr && pBar->m_hWnd != nullptr)
            hIcon = (HICON)pBar->SendMessage(WM_GETICON, ICON_BIG);
    }
    if (hIcon == nullptr)
        hIcon = ::LoadIcon(nullptr, IDI_WINLOGO);
    if (hIcon == nullptr)
        return;
    // The window shows the bar's icon; the tab keeps a copy of its own.
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    if (OZWWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->SetSheetIcon(this, ::CopyIcon(hIcon), TRUE);
    else
        SetTabIcon(::CopyIcon(hIcon));
}

void OZWControlBarWorksheet::OnSize(UINT nType, int cx, int cy)
{
    CControlBar* pBar = GetHostedBar();
    if (!IsMultiBar() && pBar != nullptr && pBar->IsVisible() && nType != SIZE_MINIMIZED) {
        // The bar takes the worksheet's size as its floating size.
        const OZW_AUX_DATA* pData = UXGetSysData();
        const int cxBorder = pData != nullptr ? pData->cxBorder : 1;
        const int cyBorder = pData != nullptr ? pData->cyBorder : 1;
        pBar->CalcDynamicLayout(cx + 2 * cxBorder, LM_COMMIT | LM_MRUWIDTH);
        pBar->CalcDynamicLayout(cy + 2 * cyBorder, LM_COMMIT | LM_LENGTHY | LM_MRUWIDTH);
    }
    OZWWorksheetWnd::OnSize(nType, cx, cy);
}

void OZWControlBarWorksheet::OnClose()
{
    CControlBar* pBar = GetHostedBar();
    if (IsMultiBar() || pBar == nullptr) {
        OZWWorksheetWnd::OnClose();
        return;
    }
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CFrameWnd* pDockSite = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : pFrame;
    const HWND hWnd = m_hWnd;
    const HWND hClient = ::GetParent(hWnd);
    ::SendMessage(hClient, WM_MDINEXT, 0, 0);
    // The bar goes back to its docking frame before the worksheet goes (it
    // would go with it), hidden: docked where it was docked last, else in a
    // floating frame where the worksheet was. An emptied dock bar may take
    // the worksheet along; nothing of this object is used after that.
    CRect rectWindow;
    ::GetWindowRect(hWnd, &rectWindow);
    UINT nDockBarID = pBar->m_pDockContext != nullptr ? pBar->m_pDockContext->m_uMRUDockID : 0;
    if (nDockBarID != 0 && pDockSite->GetControlBar(nDockBarID) == nullptr)
        nDockBarID = 0;
    IOZWDockingFrame* pToolkitFrame = dynamic_cast<IOZWDockingFrame*>(pDockSite);
    if ((pBar->m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
        pDockSite->FloatControlBar(pBar, rectWindow.TopLeft(), CBRS_ALIGN_TOP);
    else if (pToolkitFrame != nullptr)
        pToolkitFrame->DockControlBar(pBar, nDockBarID, nullptr);
    else
        pDockSite->DockControlBar(pBar, nDockBarID);
    pDockSite->ShowControlBar(pBar, FALSE, FALSE);
    if (::IsWindow(hWnd))
        ::SendMessage(hClient, WM_MDIDESTROY, (WPARAM)hWnd, 0);
}

void OZWControlBarWorksheet::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CControlBar* pBar = GetHostedBar();
    if (!IsMultiBar() && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        pBar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
    }
    OZWWorksheetWnd::OnWindowPosChanged(lpwndpos);
}

void OZWControlBarWorksheet::OnShowWindow(BOOL bShow, UINT nStatus)
{
    OZWWorksheetWnd::OnShowWindow(bShow, nStatus);
    if (bShow)
        ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
    if (CMDIFrameWnd* pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()); pMain != nullptr && pMain->m_hWndMDIClient)
        ::PostMessage(pMain->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}
