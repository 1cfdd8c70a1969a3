// The docking library's answers to the frames and control bars below it
// (CBarDocking): its member functions are defined beside the code they use
// (FrameDocking.cpp, DockContext.cpp, DockState.cpp, DockBar.cpp), and
// DockBar.cpp installs the one instance.
#pragma once

#include "platform/framework/docview/BarDocking.h"

class CBarDockingSupport final : public CBarDocking
{
public:
    CRuntimeClass* GetFloatingFrameClass() override;
    void EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle) override;
    void FloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint point, DWORD dwStyle) override;
    CMiniDockFrameWnd* CreateFloatingFrame(CFrameWnd* pFrame, DWORD dwStyle) override;
    void LoadBarState(CFrameWnd* pFrame, LPCTSTR lpszProfileName) override;
    void SaveBarState(const CFrameWnd* pFrame, LPCTSTR lpszProfileName) override;

    CDockContext* CreateDockContext(CControlBar* pBar) override;
    void DeleteDockContext(CDockContext* pContext) override;
    void StartDrag(CDockContext* pContext, CPoint point) override;
    void ToggleDocking(CDockContext* pContext) override;
    void GetBarInfo(CControlBar* pBar, CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBar* pBar, CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    BOOL IsFloating(const CDockBar* pDockBar) override;
    int GetDockedVisibleCount(const CDockBar* pDockBar) override;
    void RemoveFromDockBar(CControlBar* pBar) override;
};
