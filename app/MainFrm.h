// The application's main window. For now it holds what the database merge
// and the field clean use of it: the Merge and Clean Fields commands that run
// their dialogs, and the progress step of the dialog that runs. The rest of the main frame (toolbars, status bar, docking, find
// list, copy and paste...) grows here with the application.
#pragma once

#include "platform/framework/Framework.h"

class CMergeDialog;
class CCleanDialog;

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // Steps the progress bar of the merge dialog while one runs, else of the
    // clean dialog while one runs, else does nothing.
    void StepProgress();

    // The dialogs that run modally from the Merge and Clean Fields commands
    // (null otherwise); not owned beyond those commands.
    CMergeDialog* m_pMergeDialog;
    CCleanDialog* m_pCleanDialog;

    // The database path of the active view's document ("" when none).
    virtual CString GetActiveDatabasePath();

protected:
    // Merge: runs the merge dialog on the active database, then brings the
    // active view up to date.
    afx_msg void OnMerge();
    // Clean Fields: runs the clean dialog on the active database.
    afx_msg void OnCleanFields();
    // After a merge: the active document's views show the database again.
    virtual void OnDatabaseMerged();

    DECLARE_MESSAGE_MAP()
};
