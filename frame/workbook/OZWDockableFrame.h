// OZWDockableFrame: a document frame that lives inside a control bar
// instead of the MDI client. It docks on a side of the main frame or floats
// in a mini frame with its bar, and the docking document template can turn
// it into an MDI child and back. Towards the main MDI frame it behaves like
// an MDI child: activating it makes it the main frame's active document
// frame, its shared menu goes onto the main frame, and its title carries
// the window number. Its caption has the frames' message filters (the
// extended system commands). A press or double click on its own
// non-client area goes to the bar, or the mini frame, that holds it, so
// that dragging its caption drags the bar. On the toolkit's frame it has
// the frame's menu-bar and plug-in routing and its custom caption.
#pragma once

#include "frame/doctemplate/OZWDockingSite.h"
#include "frame/mdi/OZWFrameWnd.h"
#include "frame/msgfilter/OZWMsgFilter.h"
#include "platform/framework/Framework.h"

class OZWMDIFrameWnd;

class OZWDockableFrame : public OZWFrameWnd, public IOZWSysCommandExFrame
{
    DECLARE_DYNCREATE(OZWDockableFrame)
public:
    OZWDockableFrame();
    ~OZWDockableFrame() override;

    // Kinds of the frame's filters.
    enum FilterKind { kSysCommand = 257, kCaptionControls = 256, kCaptionButton = 258,
                      kCaptionNCRDblClk = 259, kContextMenu = 262 };

    // Switches the filters by option bits: 1 the extended system commands at
    // all, 2 off the caption button, 4 off the caption's right double click,
    // 8 off the caption's context menu. The caption-control list keeps only
    // the extended button.
    void EnableSysCommandEx(DWORD dwFlags) override;
    // Whether the bar that holds it floats.
    virtual BOOL IsFloating();
    // The template's shared menu and accelerators are taken from the
    // creation context.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // Destroys the bar that holds it (and with it this frame).
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The frame's plug-in and menu bar first (a close from the system menu
    // is held while the menu bar is active), then the window's own, then
    // its keys for the main window.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;

    // The main MDI frame: the parent frame when it is a toolkit MDI frame,
    // else the application's main window when it is one; null otherwise.
    OZWMDIFrameWnd* GetMainMDIFrame() const;
    OZWMsgFilter* GetMsgFilter() const override { return m_pRootFilter; }

    HMENU m_hMenuShared = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The bar that holds it, null when the parent is no control bar.
    CControlBar* GetHostBar() const;
    // Makes it the main frame's active document frame.
    void ActivateInMainFrame();

    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnDestroy();

    OZWMsgFilter* m_pRootFilter;
    OZWMsgFilter::DescriptorTable m_filterDescriptors;

    DECLARE_MESSAGE_MAP()
};
