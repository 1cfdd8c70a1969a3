// CEditorHost: the ways into an edit, the editor of each kind opened on the
// component, the end of a cancelled edit, and the curve-fit bar told which
// editor takes its coefficients; and the view's members that hand over to it.
#include "app/ViewEditors.h"
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
// The view's members

void CKelvaronView::OnAddComponent()
{
    m_editors.OnAddComponent();
}

void CKelvaronView::OnEditComponent()
{
    m_editors.OnEditComponent();
}

void CKelvaronView::EditComponentByKey(long nKey)
{
    m_editors.EditComponentByKey(nKey);
}

void CKelvaronView::ShowComponentInCurveFit(long nKey)
{
    m_editors.ShowComponentInCurveFit(nKey);
}

void CKelvaronView::OpenComponentDialog(CRecords& record, BOOL bFromGridRow, BOOL bEditExisting)
{
    m_editors.OpenComponentDialog(record, bFromGridRow, bEditExisting);
}

BOOL CKelvaronView::SaveComponent(OZU_ComponentDialog* pEditor)
{
    return m_editors.SaveComponent(pEditor);
}

void CKelvaronView::EndEdit()
{
    m_editors.EndEdit();
}

void CKelvaronView::ClearCurrentDialog(OZU_ComponentDialog* pEditor)
{
    m_editors.ClearCurrentDialog(pEditor);
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

/////////////////////////////////////////////////////////////////////////////
// The host

CEditorHost::CEditorHost(CKelvaronView& view) : m_view(view)
{
}

/////////////////////////////////////////////////////////////////////////////
// The ways in

BOOL CEditorHost::CopyCurrentRecord(CRecords& record)
{
    CGridWindow* pGrid = m_view.m_pGrid;
    ROWCOL row = 0, col = 0;
    if (pGrid == nullptr || pGrid->GetSafeHwnd() == nullptr || !pGrid->GetCurrentCell(row, col) ||
        !pGrid->MoveTo(row))
        return FALSE;
    // The Components columns of a component row or of a tape's joined row.
    CRecordset* pRecordset = pGrid->OnGetRecordset();
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

void CEditorHost::OnAddComponent()
{
    CGridWindow* pGrid = m_view.m_pGrid;
    if (pGrid == nullptr || !m_view.IsCommandEnabled(ID_ADD_COMPONENT) ||
        !m_view.SettleRecord(IDS_SAVE_CURRENT_RECORD))
        return;
    // A new component starts as a copy of the current one (or empty, on the
    // append row), of the kind of the tab.
    CRecords record(m_view.GetDatabase());
    CopyCurrentRecord(record);
    pGrid->OnInfoWndMoveRecord(GR_MOVE_NEW, 0);
    pGrid->BeginDialogEdit(CGridWindow::editAdding);
    pGrid->SetCopyAssemblyItems((record.m_nFlags & COMPONENT_FLAG_ASSEMBLY) != 0);
    m_view.OpenComponentDialog(record, TRUE, FALSE);
}

void CEditorHost::OnEditComponent()
{
    CGridWindow* pGrid = m_view.m_pGrid;
    if (pGrid == nullptr || !m_view.IsCommandEnabled(ID_EDIT_COMPONENT) ||
        !m_view.SettleRecord(IDS_SAVE_BEFORE_DETAILS))
        return;
    CRecords record(m_view.GetDatabase());
    if (!CopyCurrentRecord(record))
        return;
    pGrid->BeginDialogEdit(CGridWindow::editExisting);
    m_view.OpenComponentDialog(record, TRUE, TRUE);
}

void CEditorHost::EditComponentByKey(long nKey)
{
    CGridWindow* pGrid = m_view.m_pGrid;
    if (pGrid == nullptr)
        return;
    // The open editor keeps its edit: the frame is only told of it again.
    if (m_view.IsEditorOpen()) {
        TellCurveFitEditor(m_pOpenDialog);
        return;
    }
    if (!m_view.SettleRecord(IDS_SAVE_EDITED_COMPONENT))
        return;
    CRecords record(m_view.GetDatabase());
    if (!record.OpenByKey(nKey))
        return;
    record.CloseQuietly();
    m_view.m_gridState.nEditedKey = nKey;
    pGrid->SetReadOnly(TRUE);
    m_view.OpenComponentDialog(record, FALSE, TRUE);
}

void CEditorHost::ReleaseCurveFitRecord()
{
    if (m_pCurveFitRecord == nullptr)
        return;
    if (CGridFrame* pFrame = m_view.GetGridFrame())
        pFrame->NotifyComponentChanged(nullptr);
    m_pCurveFitRecord->CloseQuietly();
    delete m_pCurveFitRecord;
    m_pCurveFitRecord = nullptr;
}

void CEditorHost::ShowComponentInCurveFit(long nKey)
{
    if (m_view.m_pGrid == nullptr || !m_view.SettleRecord(IDS_SAVE_EDITED_COMPONENT))
        return;
    CGridFrame* pFrame = m_view.GetGridFrame();
    // The bar lets go of the record shown before before it goes.
    ReleaseCurveFitRecord();
    m_pCurveFitRecord = new CRecords(m_view.GetDatabase());
    if (!m_pCurveFitRecord->OpenByKey(nKey) || pFrame == nullptr)
        return;
    // A tape's emitter coefficients are in its Tapes row: the bar is given
    // the tape joined with it.
    const CRecords& record = *m_pCurveFitRecord;
    if (record.m_nDatabaseNumber == DBNUM_PIPE && (record.m_nFlags & COMPONENT_FLAG_TAPE) != 0) {
        CTapeExtras tapeRow(m_view.GetDatabase());
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

void CEditorHost::OpenComponentDialog(CRecords& record, BOOL bFromGridRow, BOOL bEditExisting)
{
    CGridWindow* pGrid = m_view.m_pGrid;
    if (m_pOpenDialog != nullptr || pGrid == nullptr) {
        TellCurveFitEditor(m_pOpenDialog);
        return;
    }
    CKelvaronApp* pApp = CKelvaronApp::Get();
    OZU_UnitSettings* pUnits = pApp != nullptr ? pApp->GetUnitSettings() : nullptr;
    const int nEditedTab = bFromGridRow ? m_view.GetCurrentTab() : -1;

    const BOOL bAdding = pGrid->GetEditState() == CGridWindow::editAdding;
    if (bAdding)
        CKelvaronView::TabToComponentType(m_view.GetCurrentTab(), record.m_nDatabaseNumber, record.m_nFlags);
    m_view.m_gridState.bSkipDuplicateTest = bEditExisting;

    const int nKind = kvcomponents::GetEditorKind(record);
    BOOL bReady = nKind >= 0 && pUnits != nullptr;

    // A tape edits its Tapes row too: a new one starts from the row of the
    // tape it copies (if any), an existing one without a row gets one.
    CTapeExtras tapeRow(m_view.GetDatabase());
    CTapeExtras* pTapeRow = nullptr;
    if (bReady && nKind == TABLE_TAPE) {
        if (FindTapeRow(tapeRow, record.m_nComponentKey, !bAdding))
            pTapeRow = &tapeRow;
        else if (!bAdding)
            bReady = FALSE;
    }
    // A new outlet takes the nozzles of the outlet it was made from.
    if (bReady && nKind == TABLE_OUTLET && !bEditExisting)
        pGrid->SetCopyNozzles(TRUE);

    OZU_ComponentDialog* pEditor =
        bReady ? kvcomponents::CreateComponentEditor(nKind, pGrid, &record, pTapeRow, pUnits, &m_view) : nullptr;
    tapeRow.CloseQuietly();
    if (pEditor == nullptr) {
        AfxMessageBox(IDS_NO_COMPONENT_DATA, MB_OK | MB_ICONEXCLAMATION);
        AbandonEdit(nEditedTab);
    }
    else {
        m_pOpenDialog = pEditor;
        m_view.m_viewState.OpenEditor(nEditedTab);
        m_view.m_gridState.nEditorTableType = nKind;
    }
    TellCurveFitEditor(m_pOpenDialog);
}

void CEditorHost::TellCurveFitEditor(CWnd* pEditor)
{
    if (auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        pFrame->SetCurveFitDialog(pEditor);
}

/////////////////////////////////////////////////////////////////////////////
// The end of an edit

void CEditorHost::EndEdit()
{
    AbandonEdit(m_view.m_viewState.GetEditedTab());
}

void CEditorHost::AbandonEdit(int nEditedTab)
{
    CGridWindow* pGrid = m_view.m_pGrid;
    CGridState& state = m_view.m_gridState;
    // Nothing is stored: nothing is to be copied to it either.
    state.bCopyAssemblyItems = FALSE;
    state.bCopyNozzles = FALSE;
    state.bTapeExtrasReady = FALSE;
    if (pGrid != nullptr && pGrid->GetSafeHwnd() != nullptr) {
        if (nEditedTab != -1) {
            // A New Assembly given up leaves assembly mode: by the tab the
            // edit was started on, whichever tab shows now.
            if (IsAssemblyTab(nEditedTab) && m_view.m_viewState.IsAssemblyMode()) {
                state.nAssemblyKey = 0;
                state.nAssemblyRow = 0;
                m_view.EndAssembly();
                m_view.AddQueryTab();
            }
            pGrid->EndDialogEdit();
        }
        else {
            pGrid->SetReadOnly(m_view.m_viewState.IsAssemblyMode());
        }
    }
    state.nEditorTableType = -1;
    state.nEditedKey = -1;
    m_view.m_viewState.EndEditedTab();
}

void CEditorHost::ClearCurrentDialog(OZU_ComponentDialog* pEditor)
{
    if (pEditor != m_pOpenDialog)
        return;
    m_pOpenDialog = nullptr;
    m_view.m_viewState.CloseEditor();
    TellCurveFitEditor(nullptr);
}

void CEditorHost::CloseOpenEditor()
{
    // The editor reaches the database through the view: it goes first, and
    // nothing of it is saved.
    if (m_pOpenDialog != nullptr && m_pOpenDialog->GetSafeHwnd() != nullptr)
        m_pOpenDialog->DestroyWindow();
    if (m_pOpenDialog != nullptr)
        ClearCurrentDialog(m_pOpenDialog);
}
