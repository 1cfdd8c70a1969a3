// CKelvaronView: the store of the component the open editor holds. Its
// values go into the columns of its kind, in the units the database keeps
// them in (nominal diameters through the nominal-size table); the main grid
// stores the records, by the component's key for an editor opened from a
// side grid, through its row otherwise; then the rows the new component
// takes along are copied, and the side grids show what was stored.
#include "app/AppRes.h"
#include "app/KelvaronView.h"
#include "database/records/TapeRecords.h"
#include "editors/components/window/EditorFactory.h"
#include "editors/components/window/EditorSupport.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"

using namespace kvgrid;

namespace {

// The colour of the line that names the assembly being built.
const COLORREF kAssemblyColour = RGB(255, 0, 0);

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

BOOL CKelvaronView::SaveComponent(OZU_ComponentDialog* pEditor)
{
    CDatabase* pDb = GetDatabase();
    if (pEditor == nullptr || pEditor != m_pOpenDialog || m_pGrid == nullptr || pDb == nullptr)
        return FALSE;
    const int nKind = m_gridState.nEditorTableType;
    const BOOL bByKey = m_nEditedTab == -1;

    // The grid shows the table of the edited component again.
    if (!bByKey && m_nCurrentTab != m_nEditedTab)
        SelectTab(m_nEditedTab);

    if (!IsComponentTable(nKind)) {
        // No kind to store: the edit ends with nothing stored.
        m_gridState.nEditorTableType = -1;
        m_nEditedTab = -1;
        m_gridState.nEditedKey = -1;
        return TRUE;
    }

    // The stored row of the component (or of the one a new component is made
    // from) under the editor's values: the columns the editor does not show
    // keep what they hold.
    const long nSourceKey = pEditor->m_nComponentKey;
    const long nKey = bByKey ? m_gridState.nEditedKey : nSourceKey;
    CRecords record(pDb);
    FollowUp([&] { ReadComponent(pDb, nKey, record); });
    TapeFields tapeFields;
    kvcomponents::CViewColumns columns(this);
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
        bStored = m_pGrid->SaveComponent(record, tape);
        if (bStored)
            m_pGrid->SetReadOnly(m_gridState.bAssemblyMode);
    }
    else {
        // The row is stored where the grid has it, not moved by its sort.
        CRecordset* pRecordset = m_pGrid->OnGetRecordset();
        CString sort;
        if (pRecordset != nullptr) {
            sort = pRecordset->m_strSort;
            pRecordset->m_strSort.Empty();
        }
        bStored = m_pGrid->DuplicateComponent(record, &tape);
        if (pRecordset != nullptr)
            pRecordset->m_strSort = sort;
    }
    if (!bStored)
        return FALSE;

    // The stored component, and the component the grid shows now (the same,
    // unless the editor was opened from a side grid).
    const long nStoredKey = bByKey ? nKey : m_pGrid->GetCurrentKey();
    const long nCurrentKey = m_pGrid->GetCurrentKey();

    // What a new component takes along from the one it was made from (the
    // store through the row has taken it already).
    if (m_gridState.bCopyAssemblyItems && nStoredKey > 0 && nSourceKey > 0 && nSourceKey != nStoredKey) {
        FollowUp([&] {
            if (CopyAssemblyRows(pDb, nSourceKey, nStoredKey) > 0) {
                m_gridState.bCopyAssemblyItems = FALSE;
                if (m_pAssemWnd != nullptr && m_pAssemWnd->GetSafeHwnd() != nullptr)
                    m_pAssemWnd->FillGrid(nCurrentKey);
                m_pGrid->FindKey(nStoredKey);
            }
        });
    }
    if (nKind == TABLE_OUTLET && m_gridState.bCopyNozzles) {
        m_gridState.bCopyNozzles = FALSE;
        if (nStoredKey > 0 && nSourceKey > 0 && nSourceKey != nStoredKey) {
            FollowUp([&] {
                if (CopyNozzleRows(pDb, nSourceKey, nStoredKey) > 0) {
                    if (m_pNozzleWnd != nullptr && m_pNozzleWnd->GetSafeHwnd() != nullptr)
                        m_pNozzleWnd->FillNozzles(nStoredKey);
                    m_pGrid->FindKey(nStoredKey);
                }
            });
        }
    }

    m_gridState.nEditorTableType = -1;
    m_nEditedTab = -1;
    m_gridState.nEditedKey = -1;

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
        if (m_nCurrentTab == TABLE_OUTLET && m_pNozzleWnd != nullptr && m_pNozzleWnd->GetSafeHwnd() != nullptr)
            m_pNozzleWnd->FillNozzles(nCurrentKey);
    }
    if (m_nCurrentTab == TABLE_NOZZLE && m_pOutletWnd != nullptr && m_pOutletWnd->GetSafeHwnd() != nullptr)
        m_pOutletWnd->FillOutlets(nCurrentKey);
    if (m_pAssemWnd != nullptr && m_pAssemWnd->GetSafeHwnd() != nullptr)
        m_pAssemWnd->FillGrid(nCurrentKey);
    if (m_gridState.bAssemblyMode)
        SetModeLine(IDS_CREATING_ASSEMBLY, record.m_strDescription, kAssemblyColour);
    m_pGrid->SetFocus();
    return TRUE;
}
