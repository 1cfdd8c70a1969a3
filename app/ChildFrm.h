// The MDI child window that holds one database's view. Its close routine is
// where the user decides what happens to the edits of the database: keep
// them (the backup taken at open is deleted), or put the backup back. It
// also tells the main frame which database is active, keeps a minimum size,
// and refits the grid's columns after the window is resized.
#pragma once

#include "platform/framework/Framework.h"

class CKelvaronView;

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;

    // The smallest size the window can be dragged to.
    static constexpr int kMinWidth = 800;
    static constexpr int kMinHeight = 600;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int nCmdShow = -1) override;

    // The database's view in this window (null when there is none).
    CKelvaronView* GetDatabaseView() const;

protected:
    // The close routine (the window's close box and system menu, and File
    // Close): while an assembly is being built it says to finish it first;
    // otherwise it asks whether to save the changes. Yes closes keeping them,
    // No closes putting the backup back, Cancel leaves everything open.
    afx_msg void OnClose();
    // On activation the main frame's paste target becomes this database.
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    // While the view's line-type popup runs, the window's caption stays
    // active.
    afx_msg BOOL OnNcActivate(BOOL bActive);
    // After a resize, and after maximising or restoring, the main grid's
    // columns are fitted again.
    afx_msg void OnExitSizeMove();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    void FitGridColumns();

    DECLARE_MESSAGE_MAP()
};
