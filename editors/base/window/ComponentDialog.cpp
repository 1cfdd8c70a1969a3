#include "editors/base/window/ComponentDialog.h"
#include "editors/base/core/EditorText.h"
#include "editors/base/window/EditorBaseRes.h"
#include "grids/window/GridWindow.h"
#include "grids/window/GridsWindowRes.h"

#include <vector>

// The unit-aware dialog base has no run-time class of its own.
IMPLEMENT_DYNAMIC(OZU_ComponentDialog, CDialog)

BEGIN_MESSAGE_MAP(OZU_ComponentDialog, OZU_BaseDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The largest cost an editor takes.
const float kMaxCost = 10000000.0f;

} // namespace

OZU_ComponentDialog::OZU_ComponentDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                                         CEditorView* pView)
    : OZU_BaseDialog(pUnitSettings), m_pView(pView), m_pGrid(pGrid), m_pRecord(pRecord)
{
    m_cbSupplier.SetView(pView);
}

OZU_ComponentDialog::~OZU_ComponentDialog()
{
    // Deleted while its window lives (not the way it is meant to go): the
    // window goes now, without a second delete.
    if (m_hWnd != nullptr) {
        m_nBusy++;
        DestroyWindow();
        m_nBusy--;
    }
}

CString OZU_ComponentDialog::FitToWidth(const CString& text, int nWidth)
{
    return kveditors::FitToWidth(text, nWidth);
}

/////////////////////////////////////////////////////////////////////////////
// Life of the window

BOOL OZU_ComponentDialog::OpenWindow(UINT nIDTemplate)
{
    m_bOpening = TRUE;
    BOOL bMade = Create(nIDTemplate, m_pView != nullptr ? m_pView->GetEditorParent() : nullptr) && IsOpen();
    m_bOpening = FALSE;
    if (bMade)
        ShowWindow(SW_SHOW);
    return bMade && IsOpen();
}

LRESULT OZU_ComponentDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The object outlives its window until the outermost of its handlers
    // has returned (a handler may wait in a message box while the window is
    // destroyed under it).
    m_nBusy++;
    LRESULT lResult = 0;
    try {
        lResult = OZU_BaseDialog::WindowProc(message, wParam, lParam);
    }
    catch (...) {
        if (--m_nBusy == 0 && m_bDeletePending)
            delete this;
        throw;
    }
    if (--m_nBusy == 0 && m_bDeletePending)
        delete this;
    return lResult;
}

void OZU_ComponentDialog::TellViewGone()
{
    // An editor that never opened was never the view's.
    if (m_bViewTold || m_bOpening)
        return;
    m_bViewTold = TRUE;
    if (m_pView != nullptr)
        m_pView->ClearCurrentDialog(this);
}

BOOL OZU_ComponentDialog::DestroyWindow()
{
    TellViewGone();
    return OZU_BaseDialog::DestroyWindow();
}

void OZU_ComponentDialog::OnDestroy()
{
    // Destroyed by the system (its owner went): the view is told all the same.
    TellViewGone();
    OZU_BaseDialog::OnDestroy();
}

void OZU_ComponentDialog::PostNcDestroy()
{
    OZU_BaseDialog::PostNcDestroy();
    if (m_bOpening)
        return; // the caller deletes an editor that did not open
    if (m_nBusy > 0)
        m_bDeletePending = TRUE;
    else
        delete this;
}

/////////////////////////////////////////////////////////////////////////////
// Helpers

int OZU_ComponentDialog::FieldLength(int nColumn) const
{
    return m_pView != nullptr ? m_pView->GetFieldLength(nColumn) : 0;
}

CString OZU_ComponentDialog::FitToColumn(const CString& text, int nColumn) const
{
    int nWidth = FieldLength(nColumn);
    return nWidth > 0 ? FitToWidth(text, nWidth) : text;
}

BOOL OZU_ComponentDialog::IsNewRow() const
{
    return m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr && m_pGrid->IsOnLastRecord();
}

BOOL OZU_ComponentDialog::IsBuildingAssembly() const
{
    return State().bAssemblyMode || State().bCopyAssemblyItems;
}

int OZU_ComponentDialog::MessageBox(const CString& text, UINT nType, BOOL* pStillOpen)
{
    int nResult = AfxMessageBox(text, nType);
    if (pStillOpen != nullptr)
        *pStillOpen = IsOpen() && ::IsWindow(m_hWnd);
    return nResult;
}

void OZU_ComponentDialog::CheckFieldRule(CDataExchange* pDX, bool bBroken, UINT nMessage)
{
    if (!bBroken)
        return;
    MessageBox(LoadText(nMessage), MB_OK | MB_ICONEXCLAMATION);
    if (pDX->m_bSaveAndValidate)
        pDX->Fail();
}

BOOL OZU_ComponentDialog::SelectListText(CComboBox& combo, const CString& text)
{
    std::vector<CString> entries;
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString entry;
        combo.GetLBText(i, entry);
        entries.push_back(entry);
    }
    int nFound = kveditors::FindListText(entries, text);
    if (nFound < 0)
        return FALSE;
    combo.SetCurSel(nFound);
    return TRUE;
}

void OZU_ComponentDialog::ReadListChoice(CComboBox& combo, CString& text)
{
    if (combo.GetSafeHwnd() == nullptr)
        return;
    const int nSelected = combo.GetCurSel();
    if (nSelected >= 0)
        combo.GetLBText(nSelected, text);
}

void OZU_ComponentDialog::ShowPipeType(CTypeCombo& combo, const CString& type)
{
    if (!type.IsEmpty() && !SelectListText(combo, type))
        combo.AddPipeType(type);
}

/////////////////////////////////////////////////////////////////////////////
// Opening

BOOL OZU_ComponentDialog::OnInitDialog()
{
    const CRecords& record = *m_pRecord;
    m_nDatabaseNumber = record.m_nDatabaseNumber;
    m_bHasLabel = kveditors::KindHasLabel(m_nDatabaseNumber);
    CenterWindow();

    m_nFlags = record.m_nFlags;
    if (IsBuildingAssembly())
        m_nFlags |= COMPONENT_FLAG_ASSEMBLY;

    m_nComponentKey = record.m_nComponentKey;
    m_nOldId1 = record.m_nOldId1;
    m_nOldId2 = record.m_nOldId2;
    m_nOldId3 = record.m_nOldId3;
    m_strDescription = record.m_strDescription;
    m_strWarehouseCode = record.m_strWarehouseCode;
    m_strSupplierCode = record.m_strSupplierCode;
    // An assembly costs what its items cost together.
    m_fWholesaleCost = m_pRecord->GetAssemblyReal(COLUMN_REALS7);
    m_fRetailPrice = m_pRecord->GetAssemblyReal(COLUMN_REALS8);
    m_strUsage = record.m_strUsage;
    if (m_bHasLabel)
        m_strLabel = kveditors::JoinLabel(record.m_strMajor2, record.m_strMinor2, FieldLength(COLUMN_MAJOR2));

    m_strDescription.TrimRight(' ');
    m_strWarehouseCode.TrimRight(' ');
    m_strWarehouseCode.TrimLeft(' ');
    m_strSupplierCode.TrimRight(' ');
    m_strUsage.Trim(' ');

    m_cbSupplier.SetView(m_pView);
    OZU_BaseDialog::OnInitDialog();
    if (!IsOpen())
        return FALSE;

    // The costs of an assembly are its items'.
    const BOOL bExistingAssembly = !IsNewRow() && (m_nFlags & COMPONENT_FLAG_ASSEMBLY) != 0;
    if (bExistingAssembly || IsBuildingAssembly()) {
        for (int nID : { IDC_WHOLESALE_COST, IDC_RETAIL_PRICE })
            if (CWnd* pEdit = GetDlgItem(nID))
                pEdit->EnableWindow(FALSE);
    }
    if (State().bAssemblyMode) {
        if (CWnd* pOK = GetDlgItem(IDOK))
            pOK->SetWindowText(LoadText(IDS_EDITOR_CONTINUE, "Continue"));
    }

    // The supplier code is kept as it is: an entry that only begins with it
    // is another supplier. A code the table lacks gets a default row.
    if (m_cbSupplier.GetSafeHwnd() != nullptr && !SelectListText(m_cbSupplier, m_strSupplierCode))
        m_cbSupplier.AddSupplier(m_strSupplierCode);
    if (!IsOpen())
        return FALSE;

    if (CComboBox* pUsage = static_cast<CComboBox*>(GetDlgItem(IDC_USAGE))) {
        if (m_nFlags & COMPONENT_FLAG_ASSEMBLY) {
            pUsage->AddString("A");
            pUsage->AddString("X");
        }
        if (!m_strUsage.IsEmpty() && !SelectListText(*pUsage, m_strUsage)) {
            int nItem = pUsage->AddString(m_strUsage);
            if (nItem >= 0)
                pUsage->SetCurSel(nItem);
        }
    }

    if (CFont* pFont = GetFont()) {
        LOGFONT lf = {};
        if (pFont->GetLogFont(&lf)) {
            lf.lfWeight = FW_BOLD;
            m_fontBold.DeleteObject();
            if (m_fontBold.CreateFontIndirect(&lf)) {
                for (int nID : { IDC_COMPONENT_NUMBER, IDC_NUMBER_CAPTION, IDC_DESCRIPTION, IDC_DESCRIPTION_CAPTION })
                    if (CWnd* pControl = GetDlgItem(nID))
                        pControl->SetFont(&m_fontBold, TRUE);
            }
        }
    }

    CString caption;
    GetWindowText(caption);
    CString prefix = State().bSkipDuplicateTest ? LoadText(IDS_EDITOR_EDIT, "Edit") : LoadText(IDS_EDITOR_ADD, "Add");
    SetWindowText(prefix + " " + caption);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Data exchange

void OZU_ComponentDialog::ExchangeCost(CDataExchange* pDX, int nIDC, float& value, CString& shown)
{
    HWND hEdit = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        // A cost per 100 ft is the product of two single-precision numbers:
        // written out whole it shows digits nobody typed (17.987803). It is
        // shown rounded to the significant digits, as the editor's other
        // values are.
        double dShown = (double)(value * m_fPriceLoadFactor);
        if (m_pUnitSettings != nullptr)
            dShown = m_pUnitSettings->RoundToSignificant(dShown, GetSignificantDigits());
        DDX_Text(pDX, nIDC, dShown);
        CWnd::FromHandle(hEdit)->GetWindowText(shown);
        return;
    }
    CString text;
    CWnd::FromHandle(hEdit)->GetWindowText(text);
    float fShown = 0.0f;
    DDX_Text(pDX, nIDC, fShown);
    DDV_MinMaxFloat(pDX, fShown, 0.0f, kMaxCost);
    // A cost the user left as it was shown keeps its stored value: shown in
    // another unit and read back it would lose its last digits.
    if (text == shown)
        return;
    value = fShown * m_fPriceSaveFactor;
}

void OZU_ComponentDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_BaseDialog::DoDataExchange(pDX);

    const int nDescriptionWidth = FieldLength(COLUMN_DESCRIPTION);
    DDX_Text(pDX, IDC_DESCRIPTION, m_strDescription);
    if (nDescriptionWidth > 0)
        DDV_MaxChars(this, pDX, m_strDescription, nDescriptionWidth);
    const int nWarehouseWidth = FieldLength(COLUMN_WAREHOUSE_CODE);
    DDX_Text(pDX, IDC_WAREHOUSE_CODE, m_strWarehouseCode);
    if (nWarehouseWidth > 0)
        DDV_MaxChars(this, pDX, m_strWarehouseCode, nWarehouseWidth);

    ExchangeCost(pDX, IDC_WHOLESALE_COST, m_fWholesaleCost, m_strWholesaleShown);
    ExchangeCost(pDX, IDC_RETAIL_PRICE, m_fRetailPrice, m_strRetailShown);

    DDX_Control(pDX, IDC_SUPPLIER_CODE, m_cbSupplier);

    if (GetDlgItem(IDC_USAGE) != nullptr) {
        const int nWidth = FieldLength(COLUMN_USAGE);
        DDX_CBString(pDX, IDC_USAGE, m_strUsage);
        if (nWidth > 0)
            DDV_MaxChars(this, pDX, m_strUsage, nWidth);
    }
    if (m_bHasLabel && GetDlgItem(IDC_LABEL) != nullptr) {
        const int nWidth = FieldLength(COLUMN_MAJOR2) + FieldLength(COLUMN_MINOR2);
        DDX_Text(pDX, IDC_LABEL, m_strLabel);
        if (nWidth > 0)
            DDV_MaxChars(this, pDX, m_strLabel, nWidth);
    }

    if (!pDX->m_bSaveAndValidate) {
        if (GetDlgItem(IDC_COMPONENT_NUMBER) != nullptr) {
            CString number = m_strNumberText;
            if (!IsNewRow() && !State().bAssemblyMode)
                number.Format("%ld", m_nComponentKey);
            DDX_Text(pDX, IDC_COMPONENT_NUMBER, number);
        }
        return;
    }

    // A failure below puts the focus on the description.
    pDX->PrepareEditCtrl(IDC_DESCRIPTION);
    CString trimmed = m_strDescription;
    trimmed.Trim(' ');
    if (trimmed.IsEmpty()) {
        MessageBox(LoadText(IDS_DESCRIPTION_BLANK, "The description cannot be blank."), MB_OK | MB_ICONEXCLAMATION);
        m_bValidationFailed = TRUE;
        pDX->Fail();
    }
    // A new component may not take the description and warehouse code of
    // another of its kind. An existing one is checked by the grid's store.
    if (!State().bSkipDuplicateTest && m_pGrid != nullptr &&
        !m_pGrid->CheckDuplicate(-1, m_strDescription, m_strWarehouseCode, m_nDatabaseNumber)) {
        CString message;
        message.Format(LoadText(IDS_COMPONENT_EXISTS), (LPCTSTR)m_strDescription);
        MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        m_bValidationFailed = TRUE;
        pDX->Fail();
    }
}

/////////////////////////////////////////////////////////////////////////////
// OK and Cancel

void OZU_ComponentDialog::OnOK()
{
    m_bEditExistingBeforeOK = State().bSkipDuplicateTest;
    m_bValidationFailed = FALSE;
    if (!UpdateData(TRUE) || !IsOpen())
        m_bValidationFailed = TRUE;
    if (m_bValidationFailed)
        return;
    // The component will exist after the store: a second OK is no twin of it.
    State().bSkipDuplicateTest = TRUE;

    ReadListChoice(m_cbSupplier, m_strSupplierCode);
    m_strDescription = FitToColumn(m_strDescription, COLUMN_DESCRIPTION);
    m_strWarehouseCode = FitToColumn(m_strWarehouseCode, COLUMN_WAREHOUSE_CODE);
    m_strSupplierCode = FitToColumn(m_strSupplierCode, COLUMN_SUPPLIER_CODE);
    m_strUsage = FitToColumn(m_strUsage, COLUMN_USAGE);
    const int nLabelWidth = FieldLength(COLUMN_MAJOR2) + FieldLength(COLUMN_MINOR2);
    if (m_bHasLabel && nLabelWidth > 0)
        m_strLabel = FitToWidth(m_strLabel, nLabelWidth);
}

void OZU_ComponentDialog::FinishOK()
{
    if (m_bValidationFailed || !IsOpen())
        return;
    if (!m_pView->SaveComponent(this)) {
        // Nothing was stored: a new component is still new.
        if (IsOpen())
            State().bSkipDuplicateTest = m_bEditExistingBeforeOK;
        return;
    }
    if (IsOpen())
        DestroyWindow();
}

void OZU_ComponentDialog::OnCancel()
{
    State().bSkipDuplicateTest = TRUE;
    m_pView->EndEdit();
    OZU_BaseDialog::OnCancel();
    if (IsOpen())
        DestroyWindow();
}
