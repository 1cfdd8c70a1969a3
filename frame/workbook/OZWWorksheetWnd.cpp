#include "frame/workbook/OZWWorksheetWnd.h"

#include "frame/mdi/OZWMDIFrameWnd.h"
#include "frame/workbook/OZWWorkbookWnd.h"

IMPLEMENT_DYNCREATE(OZWWorksheetWnd, OZWMDIChildWnd)

BEGIN_MESSAGE_MAP(OZWWorksheetWnd, OZWMDIChildWnd)
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

OZWWorksheetWnd::~OZWWorksheetWnd()
{
    SetTabIcon(nullptr);
}

OZWWorkbookWnd* OZWWorksheetWnd::GetWorkbook() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    return dynamic_cast<OZWWorkbookWnd*>(GetMDIFrame());
}

void OZWWorksheetWnd::SetTabIcon(HICON hIcon)
{
    if (m_hIcon != nullptr && m_hIcon != hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon;
}

BOOL OZWWorksheetWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!OZWMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (OZWWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->AddSheet(this);
    // The icon of the resource, from the module that holds its icon group.
    LPCSTR lpszName = MAKEINTRESOURCEA(nIDResource);
    if (HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_GROUP_ICON);
        hInst != nullptr && ::FindResourceA(hInst, lpszName, RT_GROUP_ICON) != nullptr)
        SetTabIcon((HICON)::LoadImageA(hInst, lpszName, IMAGE_ICON, 16, 16, 0));
    return TRUE;
}

void OZWWorksheetWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    OZWMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
    // Without a shared menu (or with the menu bar's menu ids) the base puts
    // no menu through the MDI client, which would have told the workbook;
    // the client is told here instead.
    if (!bActive || (!m_bUseMenuID && m_hMenuShared != nullptr))
        return;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (GetWorkbook() != nullptr && pFrame->m_hWndMDIClient != nullptr)
        ::SendMessage(pFrame->m_hWndMDIClient, OZWWM_WORKBOOK_SHEETMENU, (WPARAM)-1, (LPARAM)-1);
}

void OZWWorksheetWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    OZWMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    OZWWorkbookWnd* pWorkbook = GetWorkbook();
    if (pWorkbook == nullptr)
        return;
    pWorkbook->InvalidateTab(this);
    // The frame's menu follows the active sheet only: a new title of a sheet
    // in the background must not put its menu on the frame.
    if (pWorkbook->MDIGetActive() == this)
        RefreshFrameMenu(this);
}

void OZWWorksheetWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    OZWMDIChildWnd::OnShowWindow(bShow, nStatus);
    if (OZWWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->InvalidateTab(this, TRUE);
}

void OZWWorksheetWnd::OnDestroy()
{
    if (OZWWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->RemoveSheet(this);
    OZWMDIChildWnd::OnDestroy();
    SetTabIcon(nullptr);
}

void OZWWorksheetWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    CMDIChildWnd::OnParentNotify(message, lParam);
    const UINT event = LOWORD(message);
    if (event != WM_LBUTTONDOWN && event != WM_RBUTTONDOWN)
        return;
    OZWMDIFrameWnd* pFrame = GetOZWMDIFrame();
    if (pFrame == nullptr || pFrame->GetActiveFrame() == this)
        return;
    pFrame->DeactivateDockedChild(FALSE);
    if (pFrame->MDIGetActive() != this)
        MDIActivate();
    ReactivateFromClick(FALSE);
}
