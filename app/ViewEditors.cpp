// CKelvaronView: the component editors. The ways into an edit (Add Item,
// Edit Item, an edit by key from a side grid), the editor of each kind
// opened on the component, one at a time, the end of a cancelled edit, and
// the curve-fit bar told which editor takes its coefficients.
#include "app/AppRes.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "database/records/TapeRecords.h"
#include "editors/components/window/EditorFactory.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"

using namespace kvgrid;

namespace {

// The Tapes row of a tape, read into extras (open on it afterwards). A
// missing row is made when bCreate. FALSE when there is none.
BOOL FindTapeRow(CTapeExtras& extras, long nPipeKey, BOOL bCreate)
{
    try {
        if (extras.OpenByPipeKey(nPipeKey))
            return TRUE;
        if (!bCreate)
            return FALSE;
        extras.Open();
        extras.CreateForPipe(nPipeKey);
        return extras.OpenByPipeKey(nPipeKey);
    }
    catch (CException* e) {
        ReportDatabaseException(e);
        return FALSE;
    }
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// The ways in

BOOL CKelvaronView::CopyCurrentRecord(CRecords& record)
{
    ROWCOL row = 0, col = 0;
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr || !m_pGrid->GetCurrentCell(row, col) ||
        !m_pGrid->MoveTo(row))
        return FALSE;
    // The Components columns of a component row or of a tape's joined row.
    CRecordset* pRecordset = m_pGrid->OnGetRecordset();
    const ComponentFields* pFields = nullptr;
    if (auto* pRecords = dynamic_cast<CRecords*>(pRecordset))
        pFields = pRecords;
    else if (auto* pTape = dynamic_cast<CTapeRecords*>(pRecordset))
        pFields = pTape;
    if (pFields == nullptr || ComponentKeyOf(pRecordset) < 0)
        return FALSE;
    static_cast<ComponentFields&>(record) = *pFields;
    return TRUE;
}

void CKelvaronView::OnAddComponent()
{
    if (m_pGrid == nullptr || !IsCommandEnabled(ID_ADD_COMPONENT) || !SettleRecord(IDS_SAVE_CURRENT_RECORD))
        return;
    // A new component starts as a copy of the current one (or empty, on the
    // append row), of the kind of the tab.
    CRecords record(GetDatabase());
    CopyCurrentRecord(record);
    m_pGrid->OnInfoWndMoveRecord(GR_MOVE_NEW, 0);
    m_pGrid->BeginDialogEdit(CGridWindow::editAdding);
    m_pGrid->SetCopyAssemblyItems((record.m_nFlags & COMPONENT_FLAG_ASSEMBLY) != 0);
    OpenComponentDialog(record, TRUE, FALSE);
}

void CKelvaronView::OnEditComponent()
{
    if (m_pGrid == nullptr || !IsCommandEnabled(ID_EDIT_COMPONENT) || !SettleRecord(IDS_SAVE_BEFORE_DETAILS))
        return;
    CRecords record(GetDatabase());
    if (!CopyCurrentRecord(record))
        return;
    m_pGrid->BeginDialogEdit(CGridWindow::editExisting);
    OpenComponentDialog(record, TRUE, TRUE);
}

void CKelvaronView::EditComponentByKey(long nKey)
{
    if (m_pGrid == nullptr)
        return;
    // The open editor keeps its edit: the frame is only told of it again.
    if (IsEditorOpen()) {
        TellCurveFitEditor(m_pOpenDialog);
        return;
    }
    if (!SettleRecord(IDS_SAVE_EDITED_COMPONENT))
        return;
    CRecords record(GetDatabase());
    if (!record.OpenByKey(nKey))
        return;
    record.CloseQuietly();
    m_gridState.nEditedKey = nKey;
    m_pGrid->SetReadOnly(TRUE);
    OpenComponentDialog(record, FALSE, TRUE);
}

void CKelvaronView::ShowComponentInCurveFit(long nKey)
{
    if (m_pGrid == nullptr || !SettleRecord(IDS_SAVE_EDITED_COMPONENT))
        return;
    CGridFrame* pFrame = GetGridFrame();
    // The bar lets go of the record shown before before it goes.
    if (m_pCurveFitRecord != nullptr) {
        if (pFrame != nullptr)
            pFrame->NotifyComponentChanged(nullptr);
        m_pCurveFitRecord->CloseQuietly();
        delete m_pCurveFitRecord;
        m_pCurveFitRecord = nullptr;
    }
    m_pCurveFitRecord = new CRecords(GetDatabase());
    if (!m_pCurveFitRecord->OpenByKey(nKey) || pFrame == nullptr)
        return;
    // A tape's emitter coefficients are in its Tapes row: the bar is given
    // the tape joined with it.
    const CRecords& record = *m_pCurveFitRecord;
    if (record.m_nDatabaseNumber == DBNUM_PIPE && (record.m_nFlags & COMPONENT_FLAG_TAPE) != 0) {
        CTapeExtras tapeRow(GetDatabase());
        if (FindTapeRow(tapeRow, nKey, FALSE)) {
            tapeRow.CloseQuietly();
            CTapeRecords tape(record, tapeRow);
            pFrame->NotifyComponentChanged(&tape);
            return;
        }
    }
    pFrame->NotifyComponentChanged(m_pCurveFitRecord);
}

/////////////////////////////////////////////////////////////////////////////
// The editor

void CKelvaronView::OpenComponentDialog(CRecords& record, BOOL bFromGridRow, BOOL bEditExisting)
{
    if (m_pOpenDialog != nullptr || m_pGrid == nullptr) {
        TellCurveFitEditor(m_pOpenDialog);
        return;
    }
    CKelvaronApp* pApp = CKelvaronApp::Get();
    OZU_UnitSettings* pUnits = pApp != nullptr ? pApp->GetUnitSettings() : nullptr;
    m_nEditedTab = bFromGridRow ? m_nCurrentTab : -1;

    const BOOL bAdding = m_pGrid->GetEditState() == CGridWindow::editAdding;
    if (bAdding)
        TabToComponentType(m_nCurrentTab, record.m_nDatabaseNumber, record.m_nFlags);
    m_gridState.bSkipDuplicateTest = bEditExisting;

    const int nKind = kvcomponents::GetEditorKind(record);
    BOOL bReady = nKind >= 0 && pUnits != nullptr;

    // A tape edits its Tapes row too: a new one starts from the row of the
    // tape it copies (if any), an existing one without a row gets one.
    CTapeExtras tapeRow(GetDatabase());
    CTapeExtras* pTapeRow = nullptr;
    if (bReady && nKind == TABLE_TAPE) {
        if (FindTapeRow(tapeRow, record.m_nComponentKey, !bAdding))
            pTapeRow = &tapeRow;
        else if (!bAdding)
            bReady = FALSE;
    }
    // A new outlet takes the nozzles of the outlet it was made from.
    if (bReady && nKind == TABLE_OUTLET && !bEditExisting)
        m_pGrid->SetCopyNozzles(TRUE);

    OZU_ComponentDialog* pEditor =
        bReady ? kvcomponents::CreateComponentEditor(nKind, m_pGrid, &record, pTapeRow, pUnits, this) : nullptr;
    tapeRow.CloseQuietly();
    if (pEditor == nullptr) {
        AfxMessageBox(IDS_NO_COMPONENT_DATA, MB_OK | MB_ICONEXCLAMATION);
        AbandonEdit();
    }
    else {
        m_pOpenDialog = pEditor;
        m_gridState.nEditorTableType = nKind;
    }
    TellCurveFitEditor(m_pOpenDialog);
}

CWnd* CKelvaronView::GetEditorParent()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != nullptr ? pMain : this;
}

CString CKelvaronView::GetSymbolFolder() const
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    return pApp != nullptr ? pApp->GetSymbolsPath() : CString();
}

void CKelvaronView::TellCurveFitEditor(CWnd* pEditor)
{
    if (auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        pFrame->SetCurveFitDialog(pEditor);
}

/////////////////////////////////////////////////////////////////////////////
// The end of an edit

void CKelvaronView::EndEdit()
{
    AbandonEdit();
}

void CKelvaronView::AbandonEdit()
{
    // Nothing is stored: nothing is to be copied to it either.
    m_gridState.bCopyAssemblyItems = FALSE;
    m_gridState.bCopyNozzles = FALSE;
    m_gridState.bTapeExtrasReady = FALSE;
    if (m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr) {
        if (m_nEditedTab != -1) {
            // A New Assembly given up leaves assembly mode: by the tab the
            // edit was started on, whichever tab shows now.
            const BOOL bAssemblyTab = (m_nEditedTab >= TABLE_VALVE && m_nEditedTab <= TABLE_OUTLET_CONNECTION) ||
                                      (m_nEditedTab >= TABLE_CONTROLLER && m_nEditedTab <= TABLE_COMPONENT);
            if (bAssemblyTab && m_gridState.bAssemblyMode) {
                m_gridState.nAssemblyKey = 0;
                m_gridState.nAssemblyRow = 0;
                EndAssembly();
                AddQueryTab();
            }
            m_pGrid->EndDialogEdit();
        }
        else {
            m_pGrid->SetReadOnly(m_gridState.bAssemblyMode);
        }
    }
    m_gridState.nEditorTableType = -1;
    m_gridState.nEditedKey = -1;
    m_nEditedTab = -1;
}

void CKelvaronView::ClearCurrentDialog(OZU_ComponentDialog* pEditor)
{
    if (pEditor != m_pOpenDialog)
        return;
    m_pOpenDialog = nullptr;
    TellCurveFitEditor(nullptr);
    m_nEditedTab = -1;
}
