// The Merge Databases dialog (template 214): the user picks a source and a
// destination database and merges the one into the other, with a progress
// bar and, afterwards, the offer to open the merge report.
#pragma once

#include "database/merge/DBDatabase.h"
#include "platform/framework/Framework.h"

class CMergeDialog : public CDialog, public DBProgressSink
{
public:
    // With a destination path, a database is opened on it at once (a file
    // that cannot be opened is reported and leaves no destination).
    explicit CMergeDialog(LPCSTR lpszTargetPath, CWnd* pParent = nullptr);
    ~CMergeDialog() override;

    // Steps the progress bar by its step (the merge's progress).
    void StepProgress() override;

    // The progress total of a merge from a source with these row counts:
    // one step per component, pipe type and supplier. The bar takes it
    // whole (a 32-bit range), however many rows there are.
    static int ProgressTotal(long nComponents, long nPipeTypes, long nSuppliers);

    CEdit m_editSource;
    CButton m_btnBrowseTarget;
    CEdit m_editTarget;
    CProgressCtrl m_progress;
    CButton m_btnBrowseSource;
    CButton m_btnCancel;
    CButton m_btnMerge;
    CString m_strSourcePath;
    CString m_strTargetPath;
    DBDatabase* m_pSource;
    DBDatabase* m_pTarget;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnBrowseSource();
    afx_msg void OnBrowseTarget();

    void CloseSource();
    void CloseTarget();
    void CloseDatabases();
    // "Merge" on the button, enabled when both databases are open.
    void ResetMergeButton();
    // Tells the user how the merge went (how many items failed, when any
    // did) and offers its report.
    void ShowMergeResult(DBDatabase::MergeOutcome nOutcome, const CString& strReportPath, BOOL bReportComplete,
                         int nFailures);

    // The file the user chose (the open-file dialog); FALSE when cancelled.
    virtual BOOL ChooseDatabaseFile(CString& strPath);
    // Opens the report for the user (the shell's "open").
    virtual void ShowReport(const CString& strPath);

    DECLARE_MESSAGE_MAP()
};

// Shared by the merge and clean dialogs.
// The open-file dialog for a component database; FALSE when cancelled.
BOOL ChooseComponentDatabase(CWnd* pParent, CString& strPath);
// A database opened with the flags, reporting its progress to pProgress and
// showing its messages as the program's own message boxes; null (after
// telling the user why) when the file cannot be opened as a component
// database.
DBDatabase* OpenComponentDatabase(LPCSTR lpszPath, DWORD dwFlags, DBProgressSink* pProgress);
