// IOZWFrameMenuBar: what the toolkit's frames ask of the menu-bar object
// they make from a run-time class (OZWFrameWnd::CreateMenuBarObject,
// OZWMDIFrameWnd::CreateMenuBarObject). The class lives in a library above
// the frames; the frame knows it only through this interface, which the
// object's class implements beside its CObject base (the frame makes the
// object with CRuntimeClass::CreateObject and takes this interface of it).
#pragma once

#include "platform/framework/Framework.h"

class IOZWFrameMenuBar
{
public:
    virtual ~IOZWFrameMenuBar() = default;

    // The style the frames initialise the object with.
    enum { kFrameMenuBarStyle = 0x80000001 };

    // Initialises the object before it is attached: its position in the
    // frame, the style and a value of the caller's.
    virtual void InitMenuBar(int x, int y, DWORD dwStyle, DWORD_PTR dwValue) = 0;
    // Attaches the object to the frame (makes its bar there); FALSE when it
    // cannot, and the frame then deletes it.
    virtual BOOL AttachToFrame(CFrameWnd* pFrame) = 0;
    // The bar window that shows the menu; null while it has none.
    virtual CControlBar* GetMenuBarWindow() = 0;
    // Whether the bar is in its menu mode (a menu open or keyboard access
    // on); the frames do not close from the system menu then.
    virtual BOOL IsMenuBarActive() const { return FALSE; }

    // Every message of the frame's window procedure, before the frame's own
    // handling: TRUE consumes it with *pResult as the answer.
    virtual BOOL OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) { return FALSE; }
    // Every message the thread is about to dispatch to the frame or its
    // children: TRUE takes it.
    virtual BOOL PreTranslateFrameMessage(MSG* pMsg) { return FALSE; }
    // A command of the frame, before the frame's own routing. The object
    // sets m_bCommandTaken when its answer ends the routing (the frame then
    // clears the flag and returns that answer).
    virtual BOOL OnFrameCommand(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
    {
        return FALSE;
    }

    BOOL m_bCommandTaken = FALSE;
};
