#include "app/MergeDlg.h"

#include "app/AppRes.h"

#include <algorithm>
#include <climits>
#include <shellapi.h>

BOOL ChooseComponentDatabase(CWnd* pParent, CString& strPath)
{
    CString filter;
    filter.LoadString(IDS_DB_FILE_FILTER);
    CFileDialog dialog(TRUE, "sqlite", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, pParent);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    strPath = dialog.GetPathName();
    return TRUE;
}

namespace {

// The merge's and the clean's messages, shown the way the program shows its
// own: a message box through the application object, a failure in its
// exception's own box.
class CProgramMessages : public DBMessageSink
{
public:
    int ShowMessage(LPCSTR lpszText, UINT nType) override { return AfxMessageBox(lpszText, nType); }
    void ShowError(CException* e) override { e->ReportError(); }
};

CProgramMessages s_messages;

} // namespace

DBDatabase* OpenComponentDatabase(LPCSTR lpszPath, DWORD dwFlags, DBProgressSink* pProgress)
{
    DBDatabase* pDatabase = nullptr;
    try {
        pDatabase = new DBDatabase(lpszPath, dwFlags);
        pDatabase->SetSinks(pProgress, &s_messages);
        if (pDatabase->IsOpen())
            return pDatabase;
    } catch (CException* e) {
        e->ReportError();
        e->Delete();
    }
    delete pDatabase;
    return nullptr;
}

// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CMergeDialog, CDialog)
    ON_BN_CLICKED(IDC_MERGE_SOURCE_BROWSE, OnBrowseSource)
    ON_BN_CLICKED(IDC_MERGE_TARGET_BROWSE, OnBrowseTarget)
END_MESSAGE_MAP()

CMergeDialog::CMergeDialog(LPCSTR lpszTargetPath, CWnd* pParent)
    : CDialog(IDD_MERGE_DATABASES, pParent), m_pSource(nullptr), m_pTarget(nullptr)
{
    if (lpszTargetPath != nullptr && *lpszTargetPath != 0) {
        m_strTargetPath = lpszTargetPath;
        m_pTarget = OpenComponentDatabase(lpszTargetPath, DBDatabase::openFile, this);
    }
}

CMergeDialog::~CMergeDialog()
{
    delete m_pSource;
    delete m_pTarget;
}

int CMergeDialog::ProgressTotal(long nComponents, long nPipeTypes, long nSuppliers)
{
    long long total = (long long)std::max(0L, nComponents) + std::max(0L, nPipeTypes) + std::max(0L, nSuppliers);
    return total > INT_MAX ? INT_MAX : (int)total;
}

void CMergeDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MERGE_SOURCE_PATH, m_editSource);
    DDX_Control(pDX, IDC_MERGE_TARGET_BROWSE, m_btnBrowseTarget);
    DDX_Control(pDX, IDC_MERGE_TARGET_PATH, m_editTarget);
    DDX_Control(pDX, IDC_DB_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_MERGE_SOURCE_BROWSE, m_btnBrowseSource);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDOK, m_btnMerge);
    DDX_Text(pDX, IDC_MERGE_SOURCE_PATH, m_strSourcePath);
    DDX_Text(pDX, IDC_MERGE_TARGET_PATH, m_strTargetPath);
}

void CMergeDialog::StepProgress()
{
    if (m_progress.m_hWnd != nullptr)
        m_progress.StepIt();
}

BOOL CMergeDialog::ChooseDatabaseFile(CString& strPath)
{
    return ChooseComponentDatabase(this, strPath);
}

void CMergeDialog::ShowReport(const CString& strPath)
{
    ::ShellExecuteA(m_hWnd, "open", strPath, nullptr, "C:\\", SW_SHOWMAXIMIZED);
}

void CMergeDialog::CloseSource()
{
    delete m_pSource;
    m_pSource = nullptr;
    m_strSourcePath.Empty();
    if (m_editSource.m_hWnd != nullptr)
        m_editSource.SetWindowText("");
}

void CMergeDialog::CloseTarget()
{
    delete m_pTarget;
    m_pTarget = nullptr;
    m_strTargetPath.Empty();
    if (m_editTarget.m_hWnd != nullptr)
        m_editTarget.SetWindowText("");
}

void CMergeDialog::CloseDatabases()
{
    CloseSource();
    CloseTarget();
}

void CMergeDialog::ResetMergeButton()
{
    CString text;
    text.LoadString(IDS_MERGE_BUTTON);
    m_btnMerge.SetWindowText(text);
    m_btnMerge.EnableWindow(m_pSource != nullptr && m_pSource->IsOpen() && m_pTarget != nullptr &&
                            m_pTarget->IsOpen());
}

void CMergeDialog::OnBrowseSource()
{
    CString path;
    if (!ChooseDatabaseFile(path))
        return;
    CloseSource();
    m_pSource = OpenComponentDatabase(path, DBDatabase::openFile | DBDatabase::openAsReadOnly, this);
    if (m_pSource != nullptr) {
        m_strSourcePath = path;
        m_editSource.SetWindowText(path);
    }
    ResetMergeButton();
    if (m_pSource == nullptr)
        return;
    try {
        int total = ProgressTotal(m_pSource->GetComponentCount(), m_pSource->GetPipeTableCount(),
                                  m_pSource->GetSupplierCount());
        m_progress.SetRange32(0, total);
        m_progress.SetPos(0);
        m_progress.SetStep(1);
    } catch (CException* e) {
        CloseSource();
        ResetMergeButton();
        e->ReportError();
        e->Delete();
    }
}

void CMergeDialog::OnBrowseTarget()
{
    CString path;
    if (!ChooseDatabaseFile(path))
        return;
    CloseTarget();
    m_pTarget = OpenComponentDatabase(path, DBDatabase::openFile, this);
    if (m_pTarget != nullptr) {
        m_strTargetPath = path;
        m_editTarget.SetWindowText(path);
    }
    ResetMergeButton();
}

void CMergeDialog::OnOK()
{
    CString closeText, text;
    closeText.LoadString(IDS_MERGE_CLOSE);
    m_btnMerge.GetWindowText(text);
    if (text == closeText) {
        CloseDatabases();
        EndDialog(IDOK);
        return;
    }
    m_btnCancel.EnableWindow(FALSE);
    m_btnMerge.EnableWindow(FALSE);
    m_btnMerge.SetWindowText(closeText);

    DBDatabase::MergeOutcome nOutcome = DBDatabase::mergeNotRun;
    CString reportPath;
    BOOL bReportComplete = FALSE;
    int nFailures = 0;
    if (m_pSource != nullptr && m_pSource->IsOpen() && m_pTarget != nullptr && m_pTarget->IsOpen()) {
        m_pTarget->Merge(m_pSource);
        nOutcome = m_pTarget->GetMergeOutcome();
        reportPath = m_pTarget->GetReportPath();
        bReportComplete = m_pTarget->IsReportComplete();
        nFailures = m_pTarget->GetFailureCount();
        m_progress.SetPos(0);
        CloseTarget();
    }
    if (m_pSource != nullptr)
        CloseSource();

    m_btnMerge.EnableWindow(TRUE);
    m_btnCancel.EnableWindow(TRUE);
    ShowMergeResult(nOutcome, reportPath, bReportComplete, nFailures);
}

void CMergeDialog::ShowMergeResult(DBDatabase::MergeOutcome nOutcome, const CString& strReportPath,
                                   BOOL bReportComplete, int nFailures)
{
    // The report is offered only when this merge wrote it. A merge that
    // went on past failures says how many.
    UINT nWithReport = 0, nWithout = 0;
    switch (nOutcome) {
    case DBDatabase::mergeCompleted:
        nWithReport = nFailures > 0 ? IDS_MERGE_FAILURES_REPORT : IDS_MERGE_COMPLETE;
        nWithout = nFailures > 0 ? IDS_MERGE_FAILURES_NO_REPORT : IDS_MERGE_COMPLETE_NO_REPORT;
        break;
    case DBDatabase::mergeStoppedByUser:
        nWithReport = IDS_MERGE_USER_STOP_REPORT;
        nWithout = IDS_MERGE_USER_STOP_NO_REPORT;
        break;
    case DBDatabase::mergeStopped:
        nWithReport = IDS_MERGE_STOPPED_REPORT;
        nWithout = IDS_MERGE_STOPPED_NO_REPORT;
        break;
    case DBDatabase::mergeRefused:
        nWithReport = IDS_MERGE_REFUSED_REPORT;
        nWithout = IDS_MERGE_NOT_RUN;
        break;
    case DBDatabase::mergeNotRun:
        nWithout = IDS_MERGE_NOT_RUN;
        break;
    }
    const BOOL bCounted = nWithReport == IDS_MERGE_FAILURES_REPORT || nWithReport == IDS_MERGE_USER_STOP_REPORT;
    const BOOL bWell = nOutcome == DBDatabase::mergeCompleted && nFailures == 0;
    CString message;
    if (nWithReport != 0 && !strReportPath.IsEmpty() && bReportComplete) {
        if (bCounted)
            message.Format(nWithReport, nFailures, (LPCSTR)strReportPath);
        else
            message.Format(nWithReport, (LPCSTR)strReportPath);
        if (AfxMessageBox(message, MB_YESNO | (bWell ? MB_ICONQUESTION : MB_ICONEXCLAMATION)) == IDYES)
            ShowReport(strReportPath);
        return;
    }
    if (bCounted)
        message.Format(nWithout, nFailures);
    else
        message.LoadString(nWithout);
    AfxMessageBox(message, MB_OK | (bWell ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
}

void CMergeDialog::OnCancel()
{
    CloseDatabases();
    CDialog::OnCancel();
}
