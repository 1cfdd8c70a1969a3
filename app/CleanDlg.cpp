#include "app/CleanDlg.h"

#include "app/KelvaronApp.h"
#include "app/MergeDlg.h"
#include "app/AppRes.h"

#include <algorithm>

namespace {

BOOL FileExists(const CString& path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

CString ProgressCaption(UINT nState, LPCSTR lpszFormat)
{
    CString progress, state, text;
    progress.LoadString(IDS_CLEAN_PROGRESS);
    state.LoadString(nState);
    text.Format(lpszFormat, (LPCSTR)progress, (LPCSTR)state);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CCleanDialog, CDialog)
    ON_BN_CLICKED(IDOK, OnClean)
    ON_BN_CLICKED(IDC_CLEAN_BROWSE, OnBrowse)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CCleanDialog::CCleanDialog(LPCSTR lpszPath, CWnd* pParent)
    : CDialog(IDD_CLEAN_DATABASE, pParent), m_nTotal(0), m_nCleaned(0), m_pDatabase(nullptr)
{
    if (lpszPath != nullptr && *lpszPath != 0)
        m_strPath = lpszPath;
}

CCleanDialog::~CCleanDialog()
{
    delete m_pDatabase;
}

CString CCleanDialog::BackupPath(const CString& strPath)
{
    CString path = CKelvaronApp::MakePrefixedPath("~tmp", strPath);
    // An earlier backup is kept: the next free numbered name is taken.
    for (int n = 2; !path.IsEmpty() && FileExists(path); ++n) {
        CString prefix;
        prefix.Format("~tmp%d", n);
        path = CKelvaronApp::MakePrefixedPath(prefix, strPath);
    }
    return path;
}

void CCleanDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLEAN_PATH, m_editPath);
    DDX_Control(pDX, IDC_DB_PROGRESS, m_progress);
    DDX_Control(pDX, IDOK, m_btnClean);
    DDX_Text(pDX, IDC_CLEAN_PATH, m_strPath);
    DDX_Control(pDX, IDC_CLEAN_PROGRESS_GROUP, m_groupProgress);
}

BOOL CCleanDialog::OnInitDialog()
{
    BOOL bResult = CDialog::OnInitDialog();
    if (m_pDatabase == nullptr && !m_strPath.IsEmpty() && FileExists(m_strPath))
        OpenDatabase();
    return bResult;
}

void CCleanDialog::OpenDatabase()
{
    m_pDatabase = OpenComponentDatabase(m_strPath, DBDatabase::openFile, this);
    if (m_pDatabase == nullptr)
        return;
    try {
        m_btnClean.EnableWindow(TRUE);
        m_nCleaned = 0;
        m_nTotal = m_pDatabase->CountComponentRows();
        m_progress.SetRange32(0, (int)m_nTotal);
        m_progress.SetPos(0);
        m_progress.SetStep(1);
    } catch (CException* e) {
        e->ReportError();
        e->Delete();
    }
}

void CCleanDialog::CloseDatabase()
{
    delete m_pDatabase;
    m_pDatabase = nullptr;
}

void CCleanDialog::StepProgress()
{
    ++m_nCleaned;
    if (m_progress.m_hWnd != nullptr)
        m_progress.StepIt();
}

BOOL CCleanDialog::ChooseDatabaseFile(CString& strPath)
{
    return ChooseComponentDatabase(this, strPath);
}

BOOL CCleanDialog::CopyDatabaseFile(const CString& strFrom, const CString& strTo)
{
    return ::CopyFileA(strFrom, strTo, TRUE);
}

void CCleanDialog::OnBrowse()
{
    CString path;
    if (!ChooseDatabaseFile(path))
        return;
    m_editPath.SetWindowText(path);
    m_strPath = path;
    CloseDatabase();
    m_btnClean.EnableWindow(FALSE);
    OpenDatabase();
}

void CCleanDialog::OnClean()
{
    if (m_pDatabase == nullptr || !m_pDatabase->IsOpen())
        return;
    try {
        // A copy of the file as it is now comes first: the way back.
        CString backup = BackupPath(m_strPath);
        if (backup.IsEmpty() || !CopyDatabaseFile(m_strPath, backup)) {
            CString message;
            message.Format(IDS_CLEAN_BACKUP_FAILED, (LPCSTR)(backup.IsEmpty() ? m_strPath : backup));
            if (AfxMessageBox(message, MB_YESNO | MB_ICONWARNING) != IDYES)
                return;
        }
        m_groupProgress.SetWindowText(ProgressCaption(IDS_CLEAN_CLEANING, "%s (%s...)"));
        m_nCleaned = 0;
        m_progress.SetPos(0);
        m_pDatabase->Clean();
        m_groupProgress.SetWindowText(ProgressCaption(IDS_CLEAN_DONE, "%s (%s)"));
    } catch (CException* e) {
        e->ReportError();
        e->Delete();
    }
}

void CCleanDialog::OnCancel()
{
    CloseDatabase();
    CDialog::OnCancel();
}

void CCleanDialog::OnClose()
{
    CloseDatabase();
    Default();
}
