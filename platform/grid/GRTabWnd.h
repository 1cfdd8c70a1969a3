// CGRTabWnd: a window that shows one of several child windows (panes) at a
// time, chosen by the tabs of its beam, a strip along its bottom. A tab is
// added with AttachWnd and removed with RemoveTab, which destroys the pane's
// window (its object stays with its owner, which may create it again).
// Picking a tab makes the beam send GRM_TABSWITCH (wParam the tab) to the
// tab window, whose handling calls OnTabSwitch.
#pragma once

#include "platform/grid/GRBeamFrame.h"

#include <vector>

class CGRTabBeam : public CWnd
{
    DECLARE_DYNCREATE(CGRTabBeam)
public:
    CGRTabBeam();
    ~CGRTabBeam() override;

    // Fonts of the tabs: 0 the others, 1 the current tab's. A font set here
    // belongs to the caller; null goes back to the beam's own font.
    CFont* GetBeamFont(int nWhich);
    void SetBeamFont(int nWhich, CFont* pFont, BOOL bRedraw = TRUE);

    // The tab at a point of the beam (-1 none) and a tab's rectangle.
    int HitTab(CPoint pt);
    CRect GetTabRect(int nTab);
    int CalcHeight();

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    class CGRTabWnd* TabWnd() const;
    void CreateOwnFonts();

    CFont* m_pFonts[2] = { nullptr, nullptr };
    CFont m_ownFonts[2];
};

class CGRTabWnd : public CGRBeamFrameWnd
{
    DECLARE_DYNCREATE(CGRTabWnd)
public:
    explicit CGRTabWnd(CRuntimeClass* pBeamClass = nullptr);

    // Adds a tab showing pWnd (made a child of the tab window when it is
    // not); the first tab becomes the current one. Returns the tab's index.
    int AttachWnd(CWnd* pWnd, LPCTSTR lpszLabel);
    // Removes a tab and destroys its window; the tab before it becomes
    // current when it was current.
    BOOL RemoveTab(int nTab);
    // Shows tab nTab's window and hides the others.
    BOOL SwitchTab(int nTab);
    // The beam's request (GRM_TABSWITCH) to show tab nTab.
    virtual LRESULT OnTabSwitch(WPARAM nTab, LPARAM lParam);

    int GetTabCount() const { return (int)m_tabs.size(); }
    int GetActiveTab() const { return m_nActive; }
    CWnd* GetTabWnd(int nTab) const;
    CString GetTabLabel(int nTab) const;
    void SetTabLabel(int nTab, LPCTSTR lpszLabel);
    CGRTabBeam* GetBeam() { return static_cast<CGRTabBeam*>(m_pBeamWnd); }

protected:
    CWnd* GetPaneWnd() const override { return GetTabWnd(m_nActive); }
    int CalcBeamHeight() override { return GetBeam()->CalcHeight(); }
    void InvalidateBeam();

    afx_msg LRESULT OnTabSwitchMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    struct Tab
    {
        CWnd* pWnd;
        CString strLabel;
    };
    std::vector<Tab> m_tabs;
    int m_nActive = -1;

    friend class CGRTabBeam;
};
