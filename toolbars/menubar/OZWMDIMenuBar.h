// OZWMDIMenuBar: the menu bar of an MDI frame. While the active MDI child is
// maximised it shows the child's icon first (dropping the child's system
// menu) and its minimise, restore and close buttons last, as the system's
// own MDI menu does. Both buttons belong to the bar and stay first and last
// whatever the layout or customising does.
#pragma once

#include "toolbars/menubar/OZWMenuBar.h"
#include "toolbars/menus/OZWMDIMenuButtons.h"

class OZWMDIMenuBar : public OZWMenuBar
{
    DECLARE_DYNCREATE(OZWMDIMenuBar)
public:
    OZWMDIMenuBar();
    ~OZWMDIMenuBar() override;

    BOOL SetButtons(const UINT* pIDs, int nCount) override;
    void RemoveAllButtons() override;
    void ResetButtons(BOOL bNoRedraw) override;
    BOOL SaveExtraInfo(OZWControlBarInfo* pInfo) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    BOOL FilterMenuLoopMouse(const MSG* pMsg) override;
    int GetStdButtonHeight() const override;

    void SetMenuBitsAndCaption(DWORD dwBits);
    // Shows or hides the child's buttons as the active child is maximised
    // or not; TRUE when anything changed.
    BOOL UpdateCaptionButtons(BOOL bHide);

    OZWBtnCaption m_btnCaption;
    OZWCapMenuBtn m_btnSysMenu;
    DWORD m_dwLastLButtonDown = 0;

protected:
    // Takes the two member buttons out of the button array (they are never
    // deleted with it) and puts them back first and last.
    void TakeOutMembers();
    void PutBackMembers();
    OZWStdBtn* m_pDroppedMember = nullptr; // a member whose menu is open while it is out
    CMDIChildWnd* GetActiveChild() const;
    // Moves the shown caption button to the right end of a bar cxWindow wide.
    void PlaceCaptionButton(int cxWindow);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
