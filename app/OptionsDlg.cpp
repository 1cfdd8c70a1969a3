#include "app/OptionsDlg.h"
#include "app/KelvaronApp.h"

namespace {
const char kCharSetPath[] = "AppSettings\\Misc\\CharSet";
} // namespace

const COptionsDialog::CharSet COptionsDialog::kCharSets[14] = {
    {"Western", 0},       {"Central European", 238},   {"Japanese", 128},
    {"Korean", 129},      {"Simplified Chinese", 134}, {"Traditional Chinese", 136},
    {"Greek", 161},       {"Turkish", 162},            {"Hebrew", 177},
    {"Arabic", 178},      {"Baltic", 186},             {"Cyrillic", 204},
    {"Viet Nam", 163},    {"Thai", 222},
};

BEGIN_MESSAGE_MAP(COptionsDialog, CDialog)
    ON_BN_CLICKED(IDC_OPT_OPEN_ON_STARTUP, OnOpenOnStartup)
    ON_BN_CLICKED(IDC_OPT_SHOW_QUERY_TAB, OnShowQueryTab)
END_MESSAGE_MAP()

COptionsDialog::COptionsDialog(CWnd* pParent) : CDialog(IDD, pParent)
{
    int charSet = -1;
    if (CKelvaronApp* pApp = CKelvaronApp::Get())
        pApp->ReadSetting(kCharSetPath, &charSet, CRegistrySettings::typeInt32, sizeof(charSet));
    m_nCharSet = charSet;
}

void COptionsDialog::SetOptions(DWORD options)
{
    m_bUpdateWarning = (options & OPTION_NO_UPDATE_WARNING) ? 0 : 1;
    m_bDeleteWarning = (options & OPTION_NO_DELETE_WARNING) ? 0 : 1;
    m_bErrorReport = (options & OPTION_NO_ERROR_REPORT) ? 0 : 1;
    m_bMaximizeApp = (options & OPTION_MAXIMIZE_APP) ? 1 : 0;
    m_bMaximizeDatabase = (options & OPTION_MAXIMIZE_DATABASE) ? 1 : 0;
    m_bOpenOnStartup = (options & (OPTION_OPEN_DEFAULT | OPTION_OPEN_LAST)) ? 1 : 0;
    m_nStartupDatabase = (options & OPTION_OPEN_DEFAULT) ? 0 : ((options & OPTION_OPEN_LAST) ? 1 : 0);
    m_bShowQueryTab = (options & OPTION_SHOW_QUERY_TAB) ? 1 : 0;
    m_bExecuteSelect = (options & OPTION_EXECUTE_SELECT) ? 1 : 0;
    m_bNoCurveFromTab = (options & OPTION_NO_CURVE_FROM_TAB) ? 1 : 0;
    m_bNoUnitsFromCurve = (options & OPTION_NO_UNITS_FROM_CURVE) ? 1 : 0;
}

DWORD COptionsDialog::GetOptions() const
{
    DWORD options = 0;
    if (!m_bUpdateWarning)
        options |= OPTION_NO_UPDATE_WARNING;
    if (!m_bDeleteWarning)
        options |= OPTION_NO_DELETE_WARNING;
    if (!m_bErrorReport)
        options |= OPTION_NO_ERROR_REPORT;
    if (m_bMaximizeApp)
        options |= OPTION_MAXIMIZE_APP;
    if (m_bMaximizeDatabase)
        options |= OPTION_MAXIMIZE_DATABASE;
    if (m_bOpenOnStartup)
        options |= m_nStartupDatabase == 1 ? OPTION_OPEN_LAST : OPTION_OPEN_DEFAULT;
    if (m_bShowQueryTab)
        options |= OPTION_SHOW_QUERY_TAB;
    if (m_bExecuteSelect)
        options |= OPTION_EXECUTE_SELECT;
    if (m_bNoCurveFromTab)
        options |= OPTION_NO_CURVE_FROM_TAB;
    if (m_bNoUnitsFromCurve)
        options |= OPTION_NO_UNITS_FROM_CURVE;
    return options;
}

BOOL COptionsDialog::OnInitDialog()
{
    if (CKelvaronApp* pApp = CKelvaronApp::Get())
        SetOptions(pApp->GetOptions());
    CDialog::OnInitDialog(); // the controls, then the values into them

    for (const CharSet& entry : kCharSets) {
        int index = m_charSet.AddString(entry.name);
        if (index >= 0)
            m_charSet.SetItemData(index, (DWORD_PTR)entry.value);
    }
    m_charSet.SetCurSel(-1);
    for (int i = 0; i < m_charSet.GetCount(); i++) {
        if ((int)m_charSet.GetItemData(i) == m_nCharSet) {
            m_charSet.SetCurSel(i);
            break;
        }
    }
    GetDlgItem(IDC_OPT_DEFAULT_DATABASE)->EnableWindow(m_bOpenOnStartup);
    GetDlgItem(IDC_OPT_LAST_DATABASE)->EnableWindow(m_bOpenOnStartup);
    GetDlgItem(IDC_OPT_EXECUTE_SELECT)->EnableWindow(m_bShowQueryTab);
    return TRUE;
}

void COptionsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPT_CHARSET, m_charSet);
    DDX_Check(pDX, IDC_OPT_NO_UPDATE_WARNING, m_bUpdateWarning);
    DDX_Check(pDX, IDC_OPT_NO_DELETE_WARNING, m_bDeleteWarning);
    DDX_Check(pDX, IDC_OPT_NO_ERROR_REPORT, m_bErrorReport);
    DDX_Check(pDX, IDC_OPT_MAXIMIZE_APP, m_bMaximizeApp);
    DDX_Check(pDX, IDC_OPT_MAXIMIZE_DATABASE, m_bMaximizeDatabase);
    DDX_Check(pDX, IDC_OPT_OPEN_ON_STARTUP, m_bOpenOnStartup);
    DDX_Radio(pDX, IDC_OPT_DEFAULT_DATABASE, m_nStartupDatabase);
    DDX_Check(pDX, IDC_OPT_SHOW_QUERY_TAB, m_bShowQueryTab);
    DDX_Check(pDX, IDC_OPT_EXECUTE_SELECT, m_bExecuteSelect);
    DDX_Check(pDX, IDC_OPT_NO_CURVE_FROM_TAB, m_bNoCurveFromTab);
    DDX_Check(pDX, IDC_OPT_NO_UNITS_FROM_CURVE, m_bNoUnitsFromCurve);
    if (pDX->m_bSaveAndValidate && m_charSet.GetSafeHwnd() != nullptr) {
        const int index = m_charSet.GetCurSel();
        if (index >= 0) {
            m_nCharSet = (int)m_charSet.GetItemData(index);
            if (CKelvaronApp* pApp = CKelvaronApp::Get())
                pApp->WriteSetting(kCharSetPath, &m_nCharSet, CRegistrySettings::typeInt32, sizeof(m_nCharSet));
        }
    }
}

void COptionsDialog::OnOK()
{
    CDialog::OnOK();
    const DWORD options = GetOptions();
    if (CKelvaronApp* pApp = CKelvaronApp::Get()) {
        pApp->SetOptions(options);
        pApp->WriteSetting(CKelvaronApp::kOptionsPath, &options, CRegistrySettings::typeFlags, sizeof(options));
    }
}

void COptionsDialog::OnOpenOnStartup()
{
    const BOOL checked = IsDlgButtonChecked(IDC_OPT_OPEN_ON_STARTUP) == BST_CHECKED;
    GetDlgItem(IDC_OPT_DEFAULT_DATABASE)->EnableWindow(checked);
    GetDlgItem(IDC_OPT_LAST_DATABASE)->EnableWindow(checked);
}

void COptionsDialog::OnShowQueryTab()
{
    CWnd* pExecute = GetDlgItem(IDC_OPT_EXECUTE_SELECT);
    if (IsDlgButtonChecked(IDC_OPT_SHOW_QUERY_TAB) == BST_CHECKED) {
        pExecute->EnableWindow(TRUE);
        CheckDlgButton(IDC_OPT_EXECUTE_SELECT, BST_CHECKED);
    } else {
        pExecute->EnableWindow(FALSE);
    }
}
