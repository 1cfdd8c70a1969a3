#include "frame/mdi/OZWFrameWnd.h"
#include "frame/mdi/OZWFrameCommon.h"
#include "frame/mdi/OZWMDIChildWnd.h"
#include "platform/theme/ThemeLib.h"

IMPLEMENT_DYNCREATE(OZWFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(OZWFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SYSCOLORCHANGE()
    OZW_ON_WORKSPACE_COMMANDS()
END_MESSAGE_MAP()

OZWFrameWnd::OZWFrameWnd()
{
    if (OZW_AUX_DATA* pData = UXGetSysData())
        pData->UpdateSysColors();
}

OZWFrameWnd::~OZWFrameWnd()
{
    ozwframe::DeleteObjects(m_loadedObjects);
}

BOOL OZWFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nMenuID = nIDResource;
    return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

OZWAutoHideBar* OZWFrameWnd::GetAutoHideBar(DWORD dwSide)
{
    return ozwframe::AutoHideStripOfSide(m_autoHideBars, dwSide);
}

void OZWFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    ozwframe::EnableFrameDocking(this, m_autoHideBars, dwDockStyle);
}

void OZWFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    OZWFrameDocking::FloatControlBar(this, pBar, point, dwStyle);
}

void OZWFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    OZWFrameDocking::ShowControlBar(this, pBar, bShow, bDelay);
}

void OZWFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    ozwframe::LoadFrameBarState(this, m_pControlBarManager, &m_loadedObjects, lpszProfileName);
}

void OZWFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    ozwframe::SaveFrameBarState(const_cast<OZWFrameWnd*>(this), m_pControlBarManager, lpszProfileName);
}

void OZWFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    if (m_hWnd == nullptr)
        return;
    if (m_rectLastClient.IsRectEmpty())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ozwframe::AfterFrameLayout(this, m_rectLastClient);
}

void OZWFrameWnd::OnDestroy()
{
    ozwframe::DestroyFrameBars(this);
    CFrameWnd::OnDestroy();
}

void OZWFrameWnd::OnSysColorChange()
{
    if (OZW_AUX_DATA* pData = UXGetSysData())
        pData->UpdateSysColors();
    CFrameWnd::OnSysColorChange();
    ozwframe::RefreshBarColors(this);
}

void OZWFrameWnd::OnWorkspaceCommand()
{
}

void OZWFrameWnd::OnUpdateWorkspaceCommand(CCmdUI*)
{
}

BOOL OZWFrameWnd::OnWorkspaceRange(UINT)
{
    return TRUE;
}
