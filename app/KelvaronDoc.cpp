#include "app/KelvaronDoc.h"
#include "app/KelvaronApp.h"
#include "app/OptionsDlg.h"
#include "database/records/ComponentRecords.h"

IMPLEMENT_DYNCREATE(CKelvaronDoc, CDocument)

CKelvaronDoc::CKelvaronDoc() = default;

CKelvaronDoc::~CKelvaronDoc()
{
    CloseDatabase();
}

BOOL CKelvaronDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    CKelvaronApp* pApp = CKelvaronApp::Get();
    if (pApp != nullptr && pApp->IsStartingUp())
        return OpenStartupDatabase();
    return OpenDatabase("", TRUE);
}

BOOL CKelvaronDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    return OpenDatabase(lpszPathName, FALSE) ? TRUE : FALSE;
}

BOOL CKelvaronDoc::OpenStartupDatabase()
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    if (pApp == nullptr)
        return FALSE;
    pApp->LoadSettings();
    CString path;
    const DWORD options = pApp->GetOptions();
    if (options & OPTION_OPEN_DEFAULT) {
        path = pApp->GetDefaultDatabasePath();
    } else if (options & OPTION_OPEN_LAST) {
        CRecentFileList* pRecent = pApp->GetRecentFileList();
        if (pRecent != nullptr && pRecent->GetSize() > 0)
            path = (*pRecent)[0];
    }
    if (!OpenDatabase(path, FALSE))
        return FALSE;
    SetPathName(path);
    SetTitle(GetPathName());
    return TRUE;
}

BOOL CKelvaronDoc::OpenDatabase(LPCTSTR lpszPath, BOOL bNew)
{
    if (bNew || lpszPath == nullptr || *lpszPath == '\0')
        return FALSE;
    return ConnectDatabase(lpszPath);
}

CString CKelvaronDoc::GetConnectString(LPCTSTR lpszPath)
{
    return GetComponentConnectString(lpszPath);
}

BOOL CKelvaronDoc::ConnectDatabase(LPCTSTR lpszPath)
{
    CloseDatabase();
    try
    {
        m_pDatabase = new CDatabase;
        m_pDatabase->OpenEx(GetConnectString(lpszPath), CDatabase::noOdbcDialog);
        try
        {
            m_pNominalTable = new CNominalTable(m_pDatabase);
            m_pNominalTable->Open(CRecordset::dynaset, nullptr, CRecordset::useBookmarks);
        }
        catch (CException* e)
        {
            ReportDatabaseException(e);
            delete m_pNominalTable;
            m_pNominalTable = nullptr;
        }
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        CloseDatabase();
        return FALSE;
    }
    m_strDatabasePath = lpszPath;
    return TRUE;
}

void CKelvaronDoc::CloseDatabase()
{
    if (m_pNominalTable)
    {
        m_pNominalTable->CloseQuietly();
        delete m_pNominalTable;
        m_pNominalTable = nullptr;
    }
    if (m_pDatabase)
    {
        try
        {
            if (m_pDatabase->IsOpen())
                m_pDatabase->Close();
        }
        catch (CException* e)
        {
            ReportDatabaseException(e);
        }
        delete m_pDatabase;
        m_pDatabase = nullptr;
    }
    m_strDatabasePath.Empty();
}

OZU_DiameterValue CKelvaronDoc::ConvertDiameter(const OZU_DiameterValue& value, int nUnit)
{
    if (m_pNominalTable && m_pNominalTable->IsOpen())
        return m_pNominalTable->ConvertDiameter(value, nUnit);
    OZU_DiameterValue result(value.GetValueIn(nUnit), nUnit);
    return result;
}
