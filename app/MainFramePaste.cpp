// CMainFrame: Copy Component and Paste Component. The keys of the selected
// components of one database are kept; a paste into the same database makes
// new copies through the grid's add path, a paste into another open database
// carries each component with its Tapes row, its assembly items and its
// nozzles, using what the target already has.
#include "app/AppRes.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "app/QueriesAndPasteRes.h"
#include "app/Utilities.h"
#include "grids/core/ComponentPaste.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"

#include <cstdlib>
#include <vector>

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

// The copied keys as they are now: a paste adds none to them.
std::vector<long> KeysOf(const CDWordArray& keys)
{
    std::vector<long> result;
    for (INT_PTR i = 0; i < keys.GetSize(); i++)
        result.push_back((long)keys.GetAt(i));
    return result;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Finding the view of a database

CKelvaronView* CMainFrame::FindViewByPath(const CString& path)
{
    CWinApp* pApp = AfxGetApp();
    for (POSITION tpos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; tpos != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(tpos);
        for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos != nullptr;) {
            CKelvaronDoc* pDoc = dynamic_cast<CKelvaronDoc*>(pTemplate->GetNextDoc(dpos));
            if (pDoc == nullptr || pDoc->GetDatabasePath() != path)
                continue;
            for (POSITION vpos = pDoc->GetFirstViewPosition(); vpos != nullptr;) {
                if (CKelvaronView* pView = dynamic_cast<CKelvaronView*>(pDoc->GetNextView(vpos)))
                    return pView;
            }
        }
    }
    return nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Copy Component

void CMainFrame::OnUpdateCopyComponent(CCmdUI* pCmdUI)
{
    CKelvaronView* pView = GetActiveDatabaseView();
    pCmdUI->Enable(pView == nullptr || !pView->IsEditorOpen());
}

void CMainFrame::OnCopyComponent()
{
    CKelvaronView* pView = GetActiveDatabaseView();
    if (pView == nullptr || pView->IsEditorOpen())
        return;
    CGridWindow* pGrid = pView->GetGrid();
    if (pGrid == nullptr || pGrid->GetSafeHwnd() == nullptr)
        return;

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

    m_copiedComponents.RemoveAll();
    if (nKeyColumn == 0)
        return;
    pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
    const ROWCOL nAppend = pGrid->GetAppendRow();
    const ROWCOL nLastRow = nAppend == GR_INVALID ? pGrid->GetRowCount() : nAppend - 1;
    auto collect = [&](ROWCOL nRow) {
        if (nRow < 1 || nRow > nLastRow)
            return;
        const long nKey = std::atol(pGrid->GetValueRowCol(nRow, nKeyColumn));
        if (nKey != 0)
            m_copiedComponents.Add((DWORD)nKey);
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
    m_strCopySourcePath = pView->GetDocument() != nullptr ? pView->GetDocument()->GetDatabasePath() : CString();
}

/////////////////////////////////////////////////////////////////////////////
// Paste Component

void CMainFrame::ShowPasteProgress(size_t nDone, size_t nCount)
{
    if (nCount < 2)
        return;
    if (nDone >= nCount) {
        SetStatusText(LoadText(AFX_IDS_IDLEMESSAGE, "Ready"));
        return;
    }
    CString text;
    text.Format(IDS_PASTING_COMPONENTS, (int)nDone + 1, (int)nCount);
    SetStatusText(text);
    // Shown now: the paste keeps the message loop waiting.
    if (m_wndStatusBar.m_hWnd != nullptr)
        m_wndStatusBar.UpdateWindow();
}

void CMainFrame::OnUpdatePasteComponent(CCmdUI* pCmdUI)
{
    CKelvaronView* pView = GetActiveDatabaseView();
    // Whatever way the source's window went, there is nothing to paste
    // from then on.
    pCmdUI->Enable(m_copiedComponents.GetSize() > 0 && !m_strCopySourcePath.IsEmpty() &&
                   FindViewByPath(m_strCopySourcePath) != nullptr && (pView == nullptr || !pView->IsEditorOpen()));
}

void CMainFrame::OnPasteComponent()
{
    if (m_copiedComponents.GetSize() == 0 || m_strCopySourcePath.IsEmpty())
        return;
    CWaitCursor wait;
    if (m_strCopySourcePath == m_strPasteTargetPath) {
        if (CKelvaronView* pView = FindViewByPath(m_strPasteTargetPath); pView != nullptr && !pView->IsEditorOpen())
            PasteWithinDatabase(pView);
        return;
    }
    CKelvaronView* pSource = FindViewByPath(m_strCopySourcePath);
    CKelvaronView* pTarget = FindViewByPath(m_strPasteTargetPath);
    if (pSource == nullptr || pTarget == nullptr || pTarget->IsEditorOpen())
        return;
    PasteBetweenDatabases(pSource, pTarget);
}

void CMainFrame::PasteWithinDatabase(CKelvaronView* pView)
{
    CGridWindow* pGrid = pView->GetGrid();
    CDatabase* pDatabase = pView->GetDatabase();
    if (pGrid == nullptr || pDatabase == nullptr || !pDatabase->IsOpen())
        return;
    CGridState& state = pView->GetGridState();
    const CString prompt = LoadText(IDS_SAVE_CURRENT_RECORD);
    const std::vector<long> keys = KeysOf(m_copiedComponents);
    for (size_t i = 0; i < keys.size(); i++) {
        const long nKey = keys[i];
        ShowPasteProgress(i, keys.size());
        if (!pGrid->PromptSaveRecord(prompt, FALSE))
            continue;
        CRecords record(nullptr);
        try {
            if (!ReadComponent(pDatabase, nKey, record))
                continue;
        }
        catch (CException* e) {
            AfxMessageBox(TakeExceptionText(e), MB_OK | MB_ICONEXCLAMATION);
            break;
        }
        BYTE nDatabaseNumber = 0;
        const int nTab = PasteTab(record, pView->GetCurrentTab(), nDatabaseNumber);
        if (nDatabaseNumber != 0) {
            record.m_nDatabaseNumber = nDatabaseNumber;
        }
        else if (nTab != pView->GetCurrentTab()) {
            pView->SelectTab(nTab);
        }

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
        if (!bStored)
            break;
    }
    state.bSkipDuplicateTest = TRUE;
    ShowPasteProgress(keys.size(), keys.size());
}

long CMainFrame::PasteComponent(CKelvaronView* pSource, CKelvaronView* pTarget, long nKey)
{
    if (pSource == nullptr || pTarget == nullptr || pSource->GetDatabase() == nullptr ||
        pTarget->GetDatabase() == nullptr)
        return -1;
    CComponentPaste paste(pSource->GetDatabase(), pTarget->GetDatabase());
    long nPasted = -1;
    PasteInto(paste, pSource, pTarget, { nKey }, &nPasted);
    return nPasted;
}

void CMainFrame::PasteBetweenDatabases(CKelvaronView* pSource, CKelvaronView* pTarget)
{
    CDatabase* pSourceDb = pSource->GetDatabase();
    CDatabase* pTargetDb = pTarget->GetDatabase();
    if (pSourceDb == nullptr || pTargetDb == nullptr || !pSourceDb->IsOpen() || !pTargetDb->IsOpen())
        return;
    // One paste for all the keys: an item that several of them use is
    // pasted once.
    CComponentPaste paste(pSourceDb, pTargetDb);
    PasteInto(paste, pSource, pTarget, KeysOf(m_copiedComponents), nullptr);
}

void CMainFrame::PasteInto(CComponentPaste& paste, CKelvaronView* pSource, CKelvaronView* pTarget,
                           const std::vector<long>& keys, long* pLastKey)
{
    CGridWindow* pGrid = pTarget->GetGrid();
    if (pGrid == nullptr || pGrid->GetSafeHwnd() == nullptr)
        return;
    // The target's pending row is settled first: the grid shows the
    // database again afterwards.
    if (!pGrid->PromptSaveRecord(LoadText(IDS_SAVE_CURRENT_RECORD), FALSE))
        return;
    CWaitCursor wait;
    const size_t nTapesBefore = paste.GetTapesWithoutValues().size();
    long nLastKey = -1;
    int nLastTab = -1;
    const BOOL bLock = pGrid->LockUpdate(TRUE);
    for (size_t i = 0; i < keys.size(); i++) {
        const long nKey = keys[i];
        ShowPasteProgress(i, keys.size());
        ComponentFields record;
        CString description;
        try {
            if (!ReadComponent(pSource->GetDatabase(), nKey, record))
                continue;
            description = record.m_strDescription;
            description.TrimRight();
            BYTE nDatabaseNumber = 0;
            const int nTab = PasteTab(record, pTarget->GetCurrentTab(), nDatabaseNumber);
            const CComponentPaste::Outcome outcome = paste.Paste(nKey, nDatabaseNumber);
            if (outcome.nKey == -1)
                continue;
            nLastKey = outcome.nKey;
            nLastTab = nTab;
        }
        catch (CException* e) {
            // Nothing of this component is in the target (its transaction
            // was rolled back); the ones pasted before it stay.
            CString message;
            message.Format(IDS_PASTE_FAILED, (LPCTSTR)description, (LPCTSTR)pTarget->GetDocument()->GetDatabasePath(),
                           (LPCTSTR)TakeExceptionText(e));
            pGrid->LockUpdate(bLock);
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            pGrid->LockUpdate(TRUE);
            break;
        }
    }
    ShowPasteProgress(keys.size(), keys.size());
    pGrid->SetReadOnly(pTarget->GetGridState().bAssemblyMode);
    pGrid->LockUpdate(bLock);

    // The target shows what was pasted: the tab of the last component, on
    // its row.
    if (nLastKey != -1) {
        if (nLastTab >= 0 && nLastTab != pTarget->GetCurrentTab())
            pTarget->SelectTab(nLastTab);
        else
            pGrid->Requery();
        pGrid->FindKey(nLastKey, TRUE);
    }
    pGrid->Redraw(GR_INVALIDATE);
    if (paste.GetTapesWithoutValues().size() > nTapesBefore)
        AfxMessageBox(IDS_NO_COMPONENT_DATA, MB_OK | MB_ICONEXCLAMATION);
    if (pLastKey != nullptr)
        *pLastKey = nLastKey;
}
