// What the frames and control bars of this library ask of the docking
// library above it: dock bars, the dock contexts that drag bars, floating
// frames and the saved layout of the bars. The docking library implements
// it and installs it when a program links that library (every program that
// links it links its run-time classes, and with them the installation).
// Without it a frame makes no dock bars and a bar never leaves its place.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Geometry.h"

struct CRuntimeClass;
class CControlBar;
class CControlBarInfo;
class CDockBar;
class CDockContext;
class CFrameWnd;
class CMiniDockFrameWnd;

class CBarDocking
{
public:
    // A frame's docking: CFrameWnd's members of the same names, and the
    // class its floating frames are made of by default.
    virtual CRuntimeClass* GetFloatingFrameClass() = 0;
    virtual void EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle) = 0;
    virtual void FloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint point, DWORD dwStyle) = 0;
    virtual CMiniDockFrameWnd* CreateFloatingFrame(CFrameWnd* pFrame, DWORD dwStyle) = 0;
    virtual void LoadBarState(CFrameWnd* pFrame, LPCTSTR lpszProfileName) = 0;
    virtual void SaveBarState(const CFrameWnd* pFrame, LPCTSTR lpszProfileName) = 0;

    // A bar's docking: its dock context, made by CControlBar::EnableDocking,
    // which starts a drag or toggles the bar between docked and floating;
    // its record in the saved layout (CControlBar's GetBarInfo, SetBarInfo).
    virtual CDockContext* CreateDockContext(CControlBar* pBar) = 0;
    virtual void DeleteDockContext(CDockContext* pContext) = 0;
    virtual void StartDrag(CDockContext* pContext, CPoint point) = 0;
    virtual void ToggleDocking(CDockContext* pContext) = 0;
    virtual void GetBarInfo(CControlBar* pBar, CControlBarInfo* pInfo) = 0;
    virtual void SetBarInfo(CControlBar* pBar, CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) = 0;

    // The dock bar a bar sits in (CControlBar::m_pDockBar): whether it
    // floats, how many visible bars it holds, and taking a bar that is being
    // destroyed out of it.
    virtual BOOL IsFloating(const CDockBar* pDockBar) = 0;
    virtual int GetDockedVisibleCount(const CDockBar* pDockBar) = 0;
    virtual void RemoveFromDockBar(CControlBar* pBar) = 0;

protected:
    ~CBarDocking() = default;
};

// The installed docking, null while no docking library is linked.
CBarDocking* AFXAPI AfxGetBarDocking();
void AFXAPI AfxSetBarDocking(CBarDocking* pDocking);
