// The application's main window, of the window class a second start looks
// for. For now it holds the Merge and Clean Fields commands that run their
// dialogs and the progress step of the dialog that runs; the Options, Units
// and Language commands; the status-line text of the application; and the
// window placement kept in the profile. The rest of the main frame
// (toolbars, status bar, docking, find list, copy and paste...) grows here
// with the application.
#pragma once

#include "platform/framework/Framework.h"
#include "grids/window/GridView.h"

#include <vector>

class CMergeDialog;
class CCleanDialog;

class CMainFrame : public CMDIFrameWnd, public CGridFrame
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

    // Shows the text in the status line (when the frame has one).
    void SetStatusText(LPCTSTR lpszText);

    // The find list: the texts searched, newest first, at most 15. A text
    // already in the list stays where it is.
    void AddFindText(LPCTSTR lpszText) override;
    // Entry nIndex of the find list; "" outside the list.
    CString GetFindText(int nIndex) const;
    int GetFindTextCount() const { return (int)m_findList.size(); }
    static const int MaxFindTexts = 15;

    // The component now current in a grid (null: none), for the curve-fit
    // bar, and the curve type the bar offers for the tab shown; the bar
    // takes them when the frame has one.
    void NotifyComponentChanged(CRecordset* pRecord) override;
    virtual void SetCurveType(int nCurveType);

    // Copy and paste of components between databases: the database the
    // copied components come from ("" when none), their keys, and the paste
    // target, the database of the window activated last.
    const CString& GetCopySourcePath() const { return m_strCopySourcePath; }
    void SetCopySourcePath(LPCTSTR lpszPath) { m_strCopySourcePath = lpszPath != nullptr ? lpszPath : ""; }
    CDWordArray& GetCopiedComponents() { return m_copiedComponents; }
    void ClearCopiedComponents() { m_copiedComponents.RemoveAll(); }
    const CString& GetPasteTargetPath() const { return m_strPasteTargetPath; }
    void SetActiveDatabasePath(LPCTSTR lpszPath) { m_strPasteTargetPath = lpszPath != nullptr ? lpszPath : ""; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Closing the application: with a database window open, asks once for
    // all databases whether to save the changes. Yes closes every database
    // keeping its changes, No puts every backup back, Cancel leaves
    // everything open. The changed records of the grids are settled before
    // any database closes, so a Cancel there leaves them all open too.
    afx_msg void OnClose();

    // The saved window placement is applied at the first activation; the
    // placement is saved when the window goes.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnDestroy();

    // Options: the Setup Options dialog; a changed character set goes to the
    // grids of every open database.
    afx_msg void OnOptions();
    // Units: the Units dialog; on OK every open database shows its column
    // titles in the new units.
    afx_msg void OnUnits();
    // Clean Fields, Options and Units are offered while no editor is open.
    afx_msg void OnUpdateSettingsCommand(CCmdUI* pCmdUI);
    // The Language menu and its entries, filled by the language manager.
    afx_msg void OnUpdateLanguage(CCmdUI* pCmdUI);
    afx_msg void OnLanguage(UINT nID);

    // Calls f(view) for the main view of every open database.
    template <class F> void ForEachDatabaseView(F f);

    // Merge: runs the merge dialog on the active database, then brings the
    // active view up to date.
    afx_msg void OnMerge();
    // Clean Fields: runs the clean dialog on the active database.
    afx_msg void OnCleanFields();
    // After a merge: the active document's views show the database again.
    virtual void OnDatabaseMerged();

    std::vector<CString> m_findList;
    CString m_strCopySourcePath;
    CString m_strPasteTargetPath;
    CDWordArray m_copiedComponents;

    DECLARE_MESSAGE_MAP()
};
