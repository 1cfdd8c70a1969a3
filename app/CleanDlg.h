// The Clean Database Fields dialog (template 202): the user picks a database
// and cleans its Components rows (DBDatabase::Clean) with a progress bar,
// after a backup copy of the file was made beside it.
#pragma once

#include "database/merge/DBDatabase.h"
#include "platform/framework/Framework.h"

class CCleanDialog : public CDialog, public DBProgressSink
{
public:
    // The path becomes the path text; the database is opened when the
    // dialog opens.
    explicit CCleanDialog(LPCSTR lpszPath, CWnd* pParent = nullptr);
    ~CCleanDialog() override;

    // Counts one cleaned row and steps the progress bar (the clean's
    // progress).
    void StepProgress() override;

    // The backup path of a database file: its folder, "~tmp", its name;
    // when that file exists already, "~tmp2", "~tmp3"... in its place, so
    // that no earlier backup is ever overwritten. "" when the path has no
    // folder or no file name.
    static CString BackupPath(const CString& strPath);

    CEdit m_editPath;
    CProgressCtrl m_progress;
    CButton m_btnClean;
    CString m_strPath;
    CButton m_groupProgress;
    long m_nTotal;
    long m_nCleaned;
    DBDatabase* m_pDatabase;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnClean();
    afx_msg void OnBrowse();
    afx_msg void OnClose();

    // Opens the database of the path; when it opens, enables Clean and sets
    // the counts and the progress range.
    void OpenDatabase();
    void CloseDatabase();

    // The file the user chose (the open-file dialog); FALSE when cancelled.
    virtual BOOL ChooseDatabaseFile(CString& strPath);
    // Copies the database file to the backup path (which does not exist).
    virtual BOOL CopyDatabaseFile(const CString& strFrom, const CString& strTo);

    DECLARE_MESSAGE_MAP()
};
