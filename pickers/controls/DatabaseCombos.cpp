#include "pickers/controls/DatabaseCombos.h"
#include "pickers/controls/PickersRes.h"

/////////////////////////////////////////////////////////////////////////////
// CTableCombo

IMPLEMENT_DYNAMIC(CTableCombo, CComboBox)

BEGIN_MESSAGE_MAP(CTableCombo, CComboBox)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CTableCombo::~CTableCombo()
{
    DropRecordset();
}

void CTableCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    Fill();
}

int CTableCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    Fill();
    return 0;
}

void CTableCombo::DropRecordset()
{
    if (m_pRecordset == nullptr)
        return;
    try {
        if (m_pRecordset->IsOpen())
            m_pRecordset->Close();
    }
    catch (CException* e) {
        e->Delete();
    }
    delete m_pRecordset;
    m_pRecordset = nullptr;
}

void CTableCombo::Fill()
{
    if (m_bFilled || m_hWnd == nullptr || m_pView == nullptr)
        return;
    // A combo made by Create is subclassed before it exists as a combo and
    // could not take items yet: it is filled at its WM_CREATE instead.
    COMBOBOXINFO info = { sizeof(info) };
    if (!::GetComboBoxInfo(m_hWnd, &info))
        return;
    CDatabase* pDatabase = m_pView->GetDatabase();
    if (pDatabase == nullptr || !pDatabase->IsOpen())
        return;
    DropRecordset();
    m_pRecordset = MakeRecordset(pDatabase);
    try {
        m_pRecordset->Open(CRecordset::dynaset, Statement(), CRecordset::useBookmarks);
    }
    catch (CException* e) {
        // Not filled: the next trigger tries again.
        ReportDatabaseException(e);
        DropRecordset();
        return;
    }
    m_bFilled = TRUE;
    try {
        while (!m_pRecordset->IsBOF() && !m_pRecordset->IsEOF()) {
            AddRow();
            m_pRecordset->MoveNext();
        }
    }
    catch (CException* e) {
        ReportDatabaseException(e);
        DropRecordset();
    }
}

void CTableCombo::AddAndSelect(const CString& text)
{
    int item = AddString(text);
    if (item != CB_ERR && item != CB_ERRSPACE)
        SetCurSel(item);
}

BOOL CTableCombo::InsertRow(const CString& text, const std::function<void()>& setValues)
{
    if (m_pRecordset == nullptr || !m_pRecordset->IsOpen()) {
        ReportNotAdded(text);
        return FALSE;
    }
    try {
        m_pRecordset->AddNew();
        setValues();
        m_pRecordset->SetFieldDirty(nullptr);
        m_pRecordset->SetFieldNull(nullptr, FALSE);
        if (m_pRecordset->Update())
            return TRUE;
        ReportNotAdded(text);
    }
    catch (CException* e) {
        ReportDatabaseException(e);
    }
    try {
        m_pRecordset->CancelUpdate();
    }
    catch (CException* e) {
        e->Delete();
    }
    return FALSE;
}

void CTableCombo::ReportNotAdded(const CString& text)
{
    CString message;
    message.Format(LoadText(IDS_PICKER_NOT_ADDED, "\"%s\" could not be added to the database."), (LPCSTR)text);
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

/////////////////////////////////////////////////////////////////////////////
// CSupplierCombo

IMPLEMENT_DYNAMIC(CSupplierCombo, CTableCombo)

void CSupplierCombo::AddRow()
{
    AddString(Records()->m_strCode);
}

BOOL CSupplierCombo::AddSupplier(const CString& code)
{
    if (code.IsEmpty() || !InsertRow(code, [&] { Records()->SetDefaultsFor(code); }))
        return FALSE;
    CString message;
    message.Format(LoadText(IDS_SUPPLIER_ADDED), (LPCSTR)code);
    AfxMessageBox(message, MB_OK);
    AddAndSelect(code);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CTypeCombo

IMPLEMENT_DYNAMIC(CTypeCombo, CTableCombo)

void CTypeCombo::AddRow()
{
    AddString(Records()->m_strType);
}

CString CTypeCombo::StoredType(const CString& type)
{
    // Pipe types such as "PVC12" are longer than 4 characters: cutting them
    // to 4 would rename the component's pipe type. Only what the column
    // cannot hold is cut.
    CString stored = type.GetLength() > kTypeWidth ? type.Left(kTypeWidth) : type;
    while (stored.GetLength() < 4)
        stored += ' ';
    return stored;
}

BOOL CTypeCombo::AddPipeType(const CString& type)
{
    if (type.IsEmpty())
        return FALSE;
    CString stored = StoredType(type);
    if (!InsertRow(stored, [&] { Records()->SetDefaultsFor(stored); }))
        return FALSE;
    CString message;
    message.Format(LoadText(IDS_PIPE_TYPE_ADDED), (LPCSTR)stored);
    AfxMessageBox(message, MB_OK);
    AddAndSelect(stored);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CSymbolCombo

IMPLEMENT_DYNAMIC(CSymbolCombo, CTableCombo)

void CSymbolCombo::AddRow()
{
    AddString(Records()->m_strName);
    m_keys.push_back(Records()->m_nKey);
}

int CSymbolCombo::IndexOfKey(long nKey) const
{
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == nKey)
            return (int)i;
    return -1;
}

BOOL CSymbolCombo::SelectByName(const CString& name)
{
    int item = FindStringExact(-1, name);
    if (item == CB_ERR)
        return FALSE;
    SetCurSel(item);
    return TRUE;
}

BOOL CSymbolCombo::AddSymbol(const CString& name)
{
    // The table does not number its rows itself: the new symbol takes the
    // next free key (the list holds the keys in key order).
    long nNewKey = m_keys.empty() ? 1 : m_keys.back() + 1;
    if (!InsertRow(name, [&] {
            Records()->m_nKey = nNewKey;
            Records()->m_strName = name;
        }))
        return FALSE;
    try {
        Records()->Requery();
        Records()->MoveLast();
    }
    catch (CException* e) {
        ReportDatabaseException(e);
        return FALSE;
    }
    AddRow();
    SelectByName(name);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CNozzleCombo

IMPLEMENT_DYNAMIC(CNozzleCombo, CComboBox)

BEGIN_MESSAGE_MAP(CNozzleCombo, CComboBox)
    ON_WM_CREATE()
END_MESSAGE_MAP()

void CNozzleCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    m_bInitialised = TRUE;
}

int CNozzleCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bInitialised = TRUE;
    return 0;
}

void CNozzleCombo::FillNozzles(long nEmitterKey)
{
    CDatabase* pDatabase = m_pView != nullptr ? m_pView->GetDatabase() : nullptr;
    if (pDatabase == nullptr || !pDatabase->IsOpen())
        return;
    CString sql;
    sql.Format("SELECT * FROM Components WHERE [Component Key] IN "
               "(SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = %ld)",
               nEmitterKey);
    CRecords nozzles(pDatabase);
    try {
        nozzles.Open(CRecordset::dynaset, sql, CRecordset::none);
        while (!nozzles.IsEOF()) {
            // Listed without the blanks the description is stored with.
            CString description = nozzles.m_strDescription;
            description.TrimRight(' ');
            AddString(description);
            nozzles.MoveNext();
        }
        nozzles.Close();
    }
    catch (CException* e) {
        ReportDatabaseException(e);
        try {
            if (nozzles.IsOpen())
                nozzles.Close();
        }
        catch (CException* e2) {
            e2->Delete();
        }
    }
}
