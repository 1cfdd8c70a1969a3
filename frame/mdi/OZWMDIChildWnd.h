// OZWMDIChildWnd: the toolkit's MDI child frame. Beyond the framework's MDI
// child it hands its caption and non-client input to its message filters,
// works with the toolkit's MDI frame over activation (a docked child frame
// of the MDI frame loses the activation to it), follows the MDI frame's menu
// bar when there is one, and destroys its own control bars cleanly.
#pragma once

#include "frame/msgfilter/OZWMsgFilter.h"
#include "platform/framework/Framework.h"

class OZWMDIFrameWnd;

class OZWMDIChildWnd : public CMDIChildWnd
{
    DECLARE_DYNCREATE(OZWMDIChildWnd)
public:
    OZWMDIChildWnd();
    ~OZWMDIChildWnd() override;

    // The framework's loading with the toolkit's menu id: with a menu bar on
    // the main frame the child names the menu the bar shows while it is
    // active; without, the template's shared menu.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    using CMDIChildWnd::OnUpdateFrameMenu;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    // The frame-menu update as activated by pWnd, with the last alternate menu.
    virtual void RefreshFrameMenu(CWnd* pWnd);
    // Switches the filters by option bits: 1 the extended system commands at
    // all, 2 off the caption buttons, 4 off the caption's right double click,
    // 8 off the caption's context menu.
    virtual void EnableSysCommandEx(DWORD dwFlags);

    // The toolkit's MDI frame of this child, null when the parent is another.
    OZWMDIFrameWnd* GetOZWMDIFrame() const;

    UINT m_nMenuID = 0;          // the menu the main frame's menu bar shows for it
    BOOL m_bUseMenuID = FALSE;   // the id is used instead of the shared menu
    HMENU m_hMenuAlt = nullptr;  // the alternate menu of the last update
    OZWMsgFilter* m_pMsgFilter;  // the root of the window's filters
    OZWMsgFilter::DescriptorTable m_filterDescriptors;

    // Kinds of the child's filters.
    enum FilterKind { kSysCommand = 257, kCaptionControls = 256, kCaptionButton = 258,
                      kCaptionNCRDblClk = 259, kContextMenu = 262 };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // What a click into the child does beyond the framework: it takes the
    // activation from a docked frame, activates its view and caption and
    // shows its menu.
    void ReactivateFromClick(BOOL bSwitchMenu);

    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnChildActivate();
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

namespace ozwframe {
// The run-time class of a filter, found by its name (the filters live in a
// library above this one); null when the program has no such class.
CRuntimeClass* FilterClass(LPCSTR lpszName);
// Destroys the control bars of a frame: their window handles are collected
// first (dock bars and the others); then each dock bar that still exists
// goes (a floating one with its floating frame), then the other bars.
void DestroyFrameBars(CFrameWnd* pFrame);
// TRUE when the main window is an MDI frame whose client holds a visible
// MDI child other than pChild.
BOOL HasOtherVisibleMDIChild(CWnd* pChild);
// The five filters of a document frame's caption (the MDI child's and the
// dockable frame's), kinds 257, 256, 258, 259 and 262; the caption button's
// class (kind 258) differs between them.
void AddDocumentFrameFilters(OZWMsgFilter::DescriptorTable& table, LPCSTR lpszButtonClass);
// Switches those filters by the frame's option bits (bit 0 the extended
// system commands; bits 1 to 3 off the button, the right double click, the
// context menu); the caption-control list keeps only the extended button.
void EnableDocumentFrameFilters(OZWMsgFilter* pRoot, const OZWMsgFilter::DescriptorTable& table, DWORD dwFlags);
} // namespace ozwframe
