// A window plug-in: an object with its own message and command maps that
// takes part in another window's message processing without subclassing it.
// It borrows the host window's handle; the host offers each message and
// command to the plug-in first (the frames do), and the plug-in's handlers
// decide, through m_bExitHost, whether the host still sees it.
//
// The plug-in's message map has no base map: it handles exactly what its
// own map, and those of classes derived from it, list.
#pragma once

#include "platform/framework/Framework.h"

namespace dedaride {
namespace foundation {

class OZWWndPlugIn : public CWnd
{
    DECLARE_DYNAMIC(OZWWndPlugIn)
public:
    OZWWndPlugIn();
    // Lets go of the borrowed handle first: the host window survives.
    ~OZWWndPlugIn() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // FALSE (and *pResult untouched) when not plugged; otherwise the message
    // goes through the plug-in's own maps. A value given by SetReturn during
    // the dispatch is what this call returns.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // 0, and nothing done, unless plugged with m_bCallDefault set by the handler.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Fixes what the current OnWndMsg returns; returns nValue.
    virtual int SetReturn(int nValue);
    // Borrows the host's window handle; FALSE for a null host.
    virtual BOOL PlugInTo(CWnd* pHost);
    // Gives the handle back; always FALSE.
    virtual BOOL UnPlug();
    virtual BOOL IsPlugged();
    // The host's second offer of WM_INITMENUPOPUP, after its own handling
    // (its command updates may have changed the popup): nothing here.
    virtual void HandleInitMenuPopup(HMENU hMenu, LPARAM lParam) {}
    // Any message the host's thread is about to dispatch to the host or its
    // children (keyboard access of a menu bar); TRUE takes it. None here.
    virtual BOOL PreTranslateHostMessage(MSG* pMsg) { return FALSE; }
    // A host with a menu bar asks its plug-in (the menu-bar feature) to show
    // the menu of a resource id on the bar. Nothing here.
    virtual void SwitchHostMenu(UINT nMenuID) {}
    // ... and to show the maximised MDI child's buttons on the bar (bHide:
    // to hide them); TRUE when anything changed. Nothing here.
    virtual BOOL UpdateHostChildButtons(BOOL bHide) { return FALSE; }

    BOOL m_bExitHost = FALSE;     // the host must not process the current message itself
    BOOL m_bCallDefault = FALSE;  // DefWindowProc passes the message on
    BOOL m_bReturnSet = FALSE;
    int m_nReturn = 0;
    BOOL m_bPlugged = FALSE;

    DECLARE_MESSAGE_MAP()
};

} // namespace foundation
} // namespace dedaride
