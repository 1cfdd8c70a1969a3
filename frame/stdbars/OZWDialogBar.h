// OZWDialogBar: a dockable bar of the toolkit whose content is a dialog
// template. The bar's window is a modeless dialog made from the template,
// so the template's controls are the bar's children; it docks, floats,
// auto-hides and draws its gripper and caption buttons as every
// OZWControlBar. Its three remembered sizes start as the template's size.
#pragma once

#include "frame/bars/OZWControlBar.h"

class OZWDialogBar : public OZWControlBar
{
    DECLARE_DYNCREATE(OZWDialogBar)
public:
    OZWDialogBar();
    // Destroys the window first.
    ~OZWDialogBar() override;

    // The bar from the template (a resource name or MAKEINTRESOURCE id),
    // with the bar style nStyle (its CBRS_ bits and WS_VISIBLE), the
    // toolkit's extended style dwExStyle and the control id nID. FALSE when
    // the template cannot be made.
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, DWORD dwExStyle, UINT nID);
    using OZWControlBar::Create;

    BOOL SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* pOccDialogInfo) override;
    // The template's controls follow the command-update handlers of the
    // frame.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The template's id goes into the record ("ResourceID").
    using OZWControlBar::GetBarInfo;
    BOOL GetBarInfo(OZWControlBarInfo* pInfo) override;

    CSize m_sizeTemplate = CSize(0, 0);       // the window's size right after creation
    LPCTSTR m_lpszTemplateName = nullptr;
    _AFX_OCC_DIALOG_INFO* m_pOccDialogInfo = nullptr;
    LPCTSTR m_lpszCreatingTemplate = nullptr; // while the dialog is being made

protected:
    afx_msg LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
