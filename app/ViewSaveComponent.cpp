// CKelvaronView: the store of the component the open editor holds. Its
// values go into the columns of its kind, in the units the database keeps
// them in (nominal diameters through the nominal-size table); the main grid
// stores the records, by the component's key for an editor opened from a
// side grid, through its row otherwise; then the rows the new component
// takes along are copied, and the side grids show what was stored.
#include "app/AppRes.h"
#include "app/KelvaronView.h"
#include "app/ViewEditors.h"
#include "database/records/TapeRecords.h"
#include "editors/components/window/EditorFactory.h"
#include "editors/components/window/EditorSupport.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"

using namespace kvgrid;

namespace {

// Runs a database step of the store's follow-up; a failure is reported and
// the rest goes on (the component itself is stored).
template <class F>
void FollowUp(F&& step)
{
    try {
        step();
    }
    catch (CException* e) {
        ReportDatabaseException(e);
    }
}

} // namespace

BOOL CEditorHost::SaveComponent(OZU_ComponentDialog* pEditor)
{
    CDatabase* pDb = m_view.GetDatabase();
    CGridWindow* pGrid = m_view.m_pGrid;
    CGridState& state = m_view.m_gridState;
    CViewState& viewState = m_view.m_viewState;
    CAssemWnd* pItems = m_view.m_pAssemWnd;
    CNozzleWnd* pNozzles = m_view.m_pNozzleWnd;
    COutletWnd* pOutlets = m_view.m_pOutletWnd;
    if (pEditor == nullptr || pEditor != m_pOpenDialog || pGrid == nullptr || pDb == nullptr)
        return FALSE;
    const int nKind = state.nEditorTableType;
    const int nEditedTab = viewState.GetEditedTab();
    const BOOL bByKey = nEditedTab == -1;

    // The grid shows the table of the edited component again.
    if (!bByKey && m_view.GetCurrentTab() != nEditedTab)
        m_view.SelectTab(nEditedTab);

    if (!IsComponentTable(nKind)) {
        // No kind to store: the edit ends with nothing stored.
        state.nEditorTableType = -1;
        viewState.EndEditedTab();
        state.nEditedKey = -1;
        return TRUE;
    }

    // The stored row of the component (or of the one a new component is made
    // from) under the editor's values: the columns the editor does not show
    // keep what they hold.
    const long nSourceKey = pEditor->m_nComponentKey;
    const long nKey = bByKey ? state.nEditedKey : nSourceKey;
    CRecords record(pDb);
    FollowUp([&] { ReadComponent(pDb, nKey, record); });
    TapeFields tapeFields;
    kvcomponents::CViewColumns columns(&m_view);
    if (!kvcomponents::FillComponentRecords(*pEditor, nKind, columns, record, tapeFields)) {
        AfxMessageBox(IDS_NO_COMPONENT_DATA, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    record.m_nComponentKey = nKey;
    CTapeExtras tapeRow(nullptr);
    static_cast<TapeFields&>(tapeRow) = tapeFields;
    CTapeRecords tape(record, tapeRow);

    // The store. A refusal or failure (the user has been told) stores
    // nothing and keeps the edit as it is: the editor stays open.
    BOOL bStored = FALSE;
    if (bByKey) {
        bStored = pGrid->SaveComponent(record, tape);
        if (bStored)
            pGrid->SetReadOnly(state.bAssemblyMode);
    }
    else {
        // The row is stored where the grid has it, not moved by its sort.
        CRecordset* pRecordset = pGrid->OnGetRecordset();
        CString sort;
        if (pRecordset != nullptr) {
            sort = pRecordset->m_strSort;
            pRecordset->m_strSort.Empty();
        }
        bStored = pGrid->DuplicateComponent(record, &tape);
        if (pRecordset != nullptr)
            pRecordset->m_strSort = sort;
    }
    if (!bStored)
        return FALSE;

    // The stored component, and the component the grid shows now (the same,
    // unless the editor was opened from a side grid).
    const long nStoredKey = bByKey ? nKey : pGrid->GetCurrentKey();
    const long nCurrentKey = pGrid->GetCurrentKey();

    // What a new component takes along from the one it was made from (the
    // store through the row has taken it already).
    if (state.bCopyAssemblyItems && nStoredKey > 0 && nSourceKey > 0 && nSourceKey != nStoredKey) {
        FollowUp([&] {
            if (CopyAssemblyRows(pDb, nSourceKey, nStoredKey) > 0) {
                state.bCopyAssemblyItems = FALSE;
                if (pItems != nullptr && pItems->GetSafeHwnd() != nullptr)
                    pItems->FillGrid(nCurrentKey);
                pGrid->FindKey(nStoredKey);
            }
        });
    }
    if (nKind == TABLE_OUTLET && state.bCopyNozzles) {
        state.bCopyNozzles = FALSE;
        if (nStoredKey > 0 && nSourceKey > 0 && nSourceKey != nStoredKey) {
            FollowUp([&] {
                if (CopyNozzleRows(pDb, nSourceKey, nStoredKey) > 0) {
                    if (pNozzles != nullptr && pNozzles->GetSafeHwnd() != nullptr)
                        pNozzles->FillNozzles(nStoredKey);
                    pGrid->FindKey(nStoredKey);
                }
            });
        }
    }

    state.nEditorTableType = -1;
    viewState.EndEditedTab();
    state.nEditedKey = -1;

    // A demand point has no nozzles: the stored outlet loses them, whichever
    // way it was opened.
    CString itemType = record.m_strItemType;
    itemType.Trim();
    if (record.m_nDatabaseNumber == DBNUM_OUTLET && itemType == kvcomponents::kArcDemandPoint && nStoredKey > 0) {
        FollowUp([&] {
            CNozzleRecs nozzles(pDb);
            nozzles.DeleteForEmitter(nStoredKey);
            ClearNozzleFlagWhenNone(pDb, nStoredKey);
        });
        if (m_view.GetCurrentTab() == TABLE_OUTLET && pNozzles != nullptr && pNozzles->GetSafeHwnd() != nullptr)
            pNozzles->FillNozzles(nCurrentKey);
    }
    if (m_view.GetCurrentTab() == TABLE_NOZZLE && pOutlets != nullptr && pOutlets->GetSafeHwnd() != nullptr)
        pOutlets->FillOutlets(nCurrentKey);
    if (pItems != nullptr && pItems->GetSafeHwnd() != nullptr)
        pItems->FillGrid(nCurrentKey);
    if (viewState.IsAssemblyMode())
        m_view.SetModeLine(CKelvaronView::ModeLine::creatingAssembly, record.m_strDescription);
    pGrid->SetFocus();
    return TRUE;
}
