// CViewClipboard: Copy Component and Paste Component in the view the paste
// goes to. A paste from the same database makes new copies through the
// grid's add path; a paste from another open database carries each
// component with its Tapes row, its assembly items and its nozzles, using
// what the target already has.
#include "app/AppRes.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "app/QueriesAndPasteRes.h"
#include "app/Utilities.h"
#include "app/ViewClipboard.h"
#include "grids/core/ComponentPaste.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"

#include <cstdlib>

using namespace kvgrid;

namespace {

// The tab a component of this kind is pasted on in a view showing nCurrentTab:
// valves and other hydraulic items change into each other on the tab of the
// other, anything else goes to its own tab. nDatabaseNumber is set to the
// number the component takes (0: its own).
int PasteTab(const ComponentFields& record, int nCurrentTab, BYTE& nDatabaseNumber)
{
    nDatabaseNumber = 0;
    const int nTab = ComponentToTab(record.m_nDatabaseNumber, record.m_nFlags);
    // A kind without a tab of its own stays where the user is.
    if (nTab < 0)
        return nCurrentTab;
    if (nTab != nCurrentTab && ((nTab == TABLE_VALVE && nCurrentTab == TABLE_HYDRAULIC) ||
                                (nTab == TABLE_HYDRAULIC && nCurrentTab == TABLE_VALVE))) {
        nDatabaseNumber = (BYTE)GetTableDatabaseNumber(nCurrentTab);
        return nCurrentTab;
    }
    return nTab;
}

} // namespace

template <class F>
void CViewClipboard::PasteEach(const std::vector<long>& keys, CPasteProgress* pProgress, F step)
{
    for (size_t i = 0; i < keys.size(); i++) {
        if (pProgress != nullptr)
            pProgress->ShowPasteProgress(i, keys.size());
        if (!step(keys[i]))
            break;
    }
    if (pProgress != nullptr)
        pProgress->ShowPasteProgress(keys.size(), keys.size());
}

/////////////////////////////////////////////////////////////////////////////
// Copy Component

BOOL CViewClipboard::CollectComponentKeys(std::vector<long>& keys)
{
    keys.clear();
    CGridWindow* pGrid = m_view.m_pGrid;
    if (pGrid == nullptr || pGrid->GetSafeHwnd() == nullptr)
        return FALSE;

    // The grid column of the key: the recordset's field, counted from 1.
    ROWCOL nKeyColumn = 0;
    CRecordset* pRecordset = pGrid->GetRecordset();
    try {
        if (pRecordset != nullptr && pRecordset->IsOpen() && !(pRecordset->IsBOF() && pRecordset->IsEOF()))
            nKeyColumn = (ROWCOL)pRecordset->GetFieldIndexByName("Component Key") + 1;
    }
    catch (CException* e) {
        // A result without keys (a query's) has nothing to copy.
        e->Delete();
        nKeyColumn = 0;
    }
    if (nKeyColumn == 0)
        return FALSE;

    pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
    const ROWCOL nAppend = pGrid->GetAppendRow();
    const ROWCOL nLastRow = nAppend == GR_INVALID ? pGrid->GetRowCount() : nAppend - 1;
    auto collect = [&](ROWCOL nRow) {
        if (nRow < 1 || nRow > nLastRow)
            return;
        const long nKey = std::atol(pGrid->GetValueRowCol(nRow, nKeyColumn));
        if (nKey != 0)
            keys.push_back(nKey);
    };
    CGRRangeList* pSelection = pGrid->GetSelectionList();
    if (pSelection == nullptr || pSelection->IsEmpty()) {
        ROWCOL nRow = 0, nCol = 0;
        if (pGrid->GetCurrentCell(nRow, nCol))
            collect(nRow);
    }
    else {
        for (CGRRange range : pSelection->List()) {
            range.ExpandRange(1, 1, nLastRow, pGrid->GetColCount());
            if (!range.IsValid())
                continue;
            for (ROWCOL nRow = range.top; nRow <= range.bottom; nRow++)
                collect(nRow);
        }
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Paste Component

void CViewClipboard::PasteWithinDatabase(const std::vector<long>& keys, CPasteProgress* pProgress)
{
    CGridWindow* pGrid = m_view.m_pGrid;
    CDatabase* pDatabase = m_view.GetDatabase();
    if (pGrid == nullptr || pDatabase == nullptr || !pDatabase->IsOpen())
        return;
    CGridState& state = m_view.GetGridState();
    const CString prompt = LoadText(IDS_SAVE_CURRENT_RECORD);
    PasteEach(keys, pProgress, [&](long nKey) {
        if (!pGrid->PromptSaveRecord(prompt, FALSE))
            return TRUE;
        CRecords record(nullptr);
        try {
            if (!ReadComponent(pDatabase, nKey, record))
                return TRUE;
        }
        catch (CException* e) {
            AfxMessageBox(TakeExceptionText(e), MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        BYTE nDatabaseNumber = 0;
        const int nTab = PasteTab(record, m_view.GetCurrentTab(), nDatabaseNumber);
        if (nDatabaseNumber != 0)
            record.m_nDatabaseNumber = nDatabaseNumber;
        else if (nTab != m_view.GetCurrentTab())
            m_view.SelectTab(nTab);

        pGrid->OnInfoWndMoveRecord(GR_MOVE_NEW, 0);
        pGrid->BeginDialogEdit(CGridWindow::editAdding);
        pGrid->SetCopyAssemblyItems((record.m_nFlags & COMPONENT_FLAG_ASSEMBLY) != 0);
        pGrid->SetCopyNozzles(record.m_nDatabaseNumber == DBNUM_OUTLET);
        CTapeExtras extras(nullptr);
        const CTapeExtras* pExtras = nullptr;
        if (record.m_nDatabaseNumber == DBNUM_PIPE && (record.m_nFlags & COMPONENT_FLAG_TAPE) != 0) {
            if (CTapeExtras* pFound = pGrid->FindTapeExtras(nKey)) {
                state.bTapeExtrasReady = TRUE;
                state.bSkipDuplicateTest = FALSE;
                extras = *pFound;
                pExtras = &extras;
            }
            else {
                AfxMessageBox(IDS_NO_COMPONENT_DATA, MB_OK | MB_ICONEXCLAMATION);
            }
        }
        const BOOL bStored = pGrid->CopyComponent(record, pExtras);
        // Whatever the store did, the grid is editable again and takes
        // nothing more along.
        pGrid->EndDialogEdit();
        state.bCopyAssemblyItems = FALSE;
        state.bCopyNozzles = FALSE;
        state.bTapeExtrasReady = FALSE;
        return bStored;
    });
    state.bSkipDuplicateTest = TRUE;
}

long CViewClipboard::PasteFrom(CDatabase* pSource, const std::vector<long>& keys, CPasteProgress* pProgress)
{
    CGridWindow* pGrid = m_view.m_pGrid;
    CDatabase* pTarget = m_view.GetDatabase();
    if (pSource == nullptr || pTarget == nullptr || !pSource->IsOpen() || !pTarget->IsOpen() || pGrid == nullptr ||
        pGrid->GetSafeHwnd() == nullptr)
        return -1;
    // The target's pending row is settled first: the grid shows the
    // database again afterwards.
    if (!pGrid->PromptSaveRecord(LoadText(IDS_SAVE_CURRENT_RECORD), FALSE))
        return -1;
    // One paste for all the keys: an item that several of them use is
    // pasted once.
    CComponentPaste paste(pSource, pTarget);
    CWaitCursor wait;
    long nLastKey = -1;
    int nLastTab = -1;
    const BOOL bLock = pGrid->LockUpdate(TRUE);
    PasteEach(keys, pProgress, [&](long nKey) {
        ComponentFields record;
        CString description;
        try {
            if (!ReadComponent(pSource, nKey, record))
                return TRUE;
            description = record.m_strDescription;
            description.TrimRight();
            BYTE nDatabaseNumber = 0;
            const int nTab = PasteTab(record, m_view.GetCurrentTab(), nDatabaseNumber);
            const CComponentPaste::Outcome outcome = paste.Paste(nKey, nDatabaseNumber);
            if (outcome.nKey == -1)
                return TRUE;
            nLastKey = outcome.nKey;
            nLastTab = nTab;
        }
        catch (CException* e) {
            // Nothing of this component is in the target (its transaction
            // was rolled back); the ones pasted before it stay.
            CKelvaronDoc* pDoc = m_view.GetDocument();
            CString message;
            message.Format(IDS_PASTE_FAILED, (LPCTSTR)description,
                           (LPCTSTR)(pDoc != nullptr ? pDoc->GetDatabasePath() : CString()),
                           (LPCTSTR)TakeExceptionText(e));
            pGrid->LockUpdate(bLock);
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            pGrid->LockUpdate(TRUE);
            return FALSE;
        }
        return TRUE;
    });
    pGrid->SetReadOnly(m_view.GetViewState().IsAssemblyMode());
    pGrid->LockUpdate(bLock);

    // The target shows what was pasted: the tab of the last component, on
    // its row.
    if (nLastKey != -1) {
        if (nLastTab >= 0 && nLastTab != m_view.GetCurrentTab())
            m_view.SelectTab(nLastTab);
        else
            pGrid->Requery();
        pGrid->FindKey(nLastKey, TRUE);
    }
    pGrid->Redraw(GR_INVALIDATE);
    if (!paste.GetTapesWithoutValues().empty())
        AfxMessageBox(IDS_NO_COMPONENT_DATA, MB_OK | MB_ICONEXCLAMATION);
    return nLastKey;
}
