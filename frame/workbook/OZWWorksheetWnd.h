// OZWWorksheetWnd: an MDI child of the workbook frame that owns one tab of
// its strip. It joins the workbook's list when it is loaded and leaves it
// when it is destroyed, keeps a small icon for its tab, and has its tab
// redrawn when its title, visibility or activation changes. A click on its
// tab reaches it as WM_MOUSEACTIVATE from the frame, which activates it.
//
// In any other MDI frame it is a plain toolkit MDI child.
#pragma once

#include "frame/mdi/OZWMDIChildWnd.h"

class OZWWorkbookWnd;

class OZWWorksheetWnd : public OZWMDIChildWnd
{
    DECLARE_DYNCREATE(OZWWorksheetWnd)
public:
    OZWWorksheetWnd() = default;
    ~OZWWorksheetWnd() override;

    // The MDI child's loading; then the sheet joins the workbook and takes
    // the 16 by 16 icon of resource nIDResource (none when there is none).
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    using OZWMDIChildWnd::OnUpdateFrameMenu;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // The workbook frame it lives in, null in another frame.
    OZWWorkbookWnd* GetWorkbook() const;
    // Replaces the tab icon; the sheet owns it from then on (null: none).
    void SetTabIcon(HICON hIcon);

    HICON m_hIcon = nullptr;  // the tab's icon, owned
    int m_nIndex = 0;         // place in the workbook's list (kept by the workbook)
    BOOL m_bPressed = FALSE;  // its tab was clicked and the button is still down

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
