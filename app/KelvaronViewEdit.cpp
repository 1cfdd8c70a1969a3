// CKelvaronView: the Edit menu's clipboard, undo and find commands, routed to
// the grid that has the focus (or was clicked last), the main grid's rows
// copied and pasted by the view's clipboard part (CViewClipboard); the
// Columns menu of the main grid's header with the three fit modes; and the
// clean-up of nozzles that no outlet uses.
#include "app/AppRes.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "app/QueriesAndPasteRes.h"
#include "database/records/ComponentRecords.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridSettings.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"
#include "platform/grid/GRApp.h"

#include <cstdlib>

using namespace kvgrid;

namespace {

// The focus window when it is an edit control (the query pane, the combo's
// text): the clipboard commands work on its text.
HWND FocusedEdit()
{
    HWND hFocus = ::GetFocus();
    char className[16] = {};
    if (hFocus != nullptr && ::GetClassNameA(hFocus, className, sizeof(className)) > 0 &&
        lstrcmpiA(className, "Edit") == 0)
        return hFocus;
    return nullptr;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// The grid a command works on

CGRGridCore* CKelvaronView::GetFocusedGrid()
{
    HWND hFocus = ::GetFocus();
    CWnd* pGrid = GridOfWindow(hFocus);
    return pGrid != nullptr ? dynamic_cast<CGRGridCore*>(pGrid) : nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Clipboard

void CKelvaronView::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    CGRGridCore* pGrid = GetFocusedGrid();
    pCmdUI->Enable(pGrid != nullptr ? pGrid->CanCopy() : FocusedEdit() != nullptr);
}

void CKelvaronView::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    CGRGridCore* pGrid = GetFocusedGrid();
    pCmdUI->Enable(pGrid != nullptr ? pGrid->CanCut() : FocusedEdit() != nullptr);
}

void CKelvaronView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    CGRGridCore* pGrid = GetFocusedGrid();
    pCmdUI->Enable(pGrid != nullptr ? pGrid->CanPaste()
                                    : FocusedEdit() != nullptr && ::IsClipboardFormatAvailable(CF_TEXT));
}

void CKelvaronView::OnEditCopy()
{
    CGRGridCore* pGrid = GetFocusedGrid();
    if (pGrid == nullptr) {
        if (HWND hEdit = FocusedEdit())
            ::SendMessageA(hEdit, WM_COPY, 0, 0);
        return;
    }
    if (pGrid == static_cast<CGRGridCore*>(m_pGrid) && GetCurrentTab() != TABLE_QUERY)
        m_clipboard.CopyRows();
    else
        pGrid->Copy();
}

void CKelvaronView::OnEditCut()
{
    if (CGRGridCore* pGrid = GetFocusedGrid())
        pGrid->Cut();
    else if (HWND hEdit = FocusedEdit())
        ::SendMessageA(hEdit, WM_CUT, 0, 0);
}

void CKelvaronView::OnEditPaste()
{
    CGRGridCore* pGrid = GetFocusedGrid();
    if (pGrid == nullptr) {
        if (HWND hEdit = FocusedEdit())
            ::SendMessageA(hEdit, WM_PASTE, 0, 0);
        return;
    }
    if (pGrid == static_cast<CGRGridCore*>(m_pGrid))
        m_clipboard.PasteRows(dynamic_cast<CPasteProgress*>(AfxGetMainWnd()));
    else
        pGrid->Paste();
}

/////////////////////////////////////////////////////////////////////////////
// Undo

void CKelvaronView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr && m_pGrid->CanUndo());
}

void CKelvaronView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr && m_pGrid->CanRedo());
}

void CKelvaronView::OnUpdateUndoRecord(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr && m_pGrid->IsRecordDirty());
}

void CKelvaronView::OnEditUndo()
{
    if (m_pGrid != nullptr)
        m_pGrid->Undo();
}

void CKelvaronView::OnEditRedo()
{
    if (m_pGrid != nullptr)
        m_pGrid->Redo();
}

void CKelvaronView::OnUndoRecord()
{
    // The record's changes go, and with them the steps to undo or redo.
    if (m_pGrid != nullptr)
        m_pGrid->UndoRecord();
}

/////////////////////////////////////////////////////////////////////////////
// Find

void CKelvaronView::OnUpdateNeedsNoDialog(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsEditorOpen());
}

void CKelvaronView::OnEditFind()
{
    if (CGRGridCore* pGrid = dynamic_cast<CGRGridCore*>(m_pClickTarget != nullptr ? m_pClickTarget : m_pGrid);
        pGrid != nullptr && !IsEditorOpen())
        pGrid->OnShowFindReplaceDialog(TRUE);
}

void CKelvaronView::OnEditReplace()
{
    if (CGRGridCore* pGrid = dynamic_cast<CGRGridCore*>(m_pClickTarget != nullptr ? m_pClickTarget : m_pGrid);
        pGrid != nullptr && !IsEditorOpen())
        pGrid->OnShowFindReplaceDialog(FALSE);
}

void CKelvaronView::OnFindNext()
{
    if (!IsEditorOpen())
        FindNextPrev(TRUE);
}

void CKelvaronView::OnFindPrevious()
{
    if (!IsEditorOpen())
        FindNextPrev(FALSE);
}

void CKelvaronView::SetFindText(LPCTSTR lpszText)
{
    GR_FR_STATE& find = GRGetAppState()->m_findReplace;
    find.strFind = lpszText != nullptr ? lpszText : "";
    find.strFindUpper = find.strFind;
    find.strFindUpper.MakeUpper();
}

BOOL CKelvaronView::FindNextPrev(BOOL bDown)
{
    GR_FR_STATE& find = GRGetAppState()->m_findReplace;
    find.bNext = bDown;
    if (find.strFind.IsEmpty()) {
        CMainFrame* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
        SetFindText(pFrame != nullptr ? pFrame->GetFindText(0) : CString());
    }
    CWnd* pTarget = m_pClickTarget != nullptr ? m_pClickTarget : m_pGrid;
    CGRGridCore* pGrid = dynamic_cast<CGRGridCore*>(pTarget);
    if (pGrid == nullptr || pTarget->GetSafeHwnd() == nullptr)
        return FALSE;
    pTarget->SetFocus();
    return pGrid->FindNextAndReport();
}

/////////////////////////////////////////////////////////////////////////////
// The Columns menu and the fit modes

void CKelvaronView::AppendColumnEntries(CMenu& popup)
{
    if (m_pGrid == nullptr || GetCurrentTab() == TABLE_QUERY)
        return;
    BOOL bFirst = TRUE;
    for (const auto& entry : m_pGrid->GetSettings().GetTableColumns(GetCurrentTab())) {
        const int nField = entry.first;
        const GridColumnEntry& column = entry.second;
        if (column.title.IsEmpty() || nField < 1 || ID_COLUMN_FIRST + nField > ID_COLUMN_LAST)
            continue;
        if (bFirst)
            popup.AppendMenu(MF_SEPARATOR);
        bFirst = FALSE;
        // A two-line title (its unit on the second line) is one line here.
        CString text = column.title;
        text.Replace("\r\n", " ");
        text.Replace('\n', ' ');
        // The description always shows.
        UINT nFlags = MF_STRING | (column.visible ? MF_CHECKED : MF_UNCHECKED) |
                      (nField == COL_DESCRIPTION ? MF_GRAYED : MF_ENABLED);
        popup.AppendMenu(nFlags, (UINT_PTR)(ID_COLUMN_FIRST + nField), text);
    }
}

void CKelvaronView::OnColumnMenu(UINT nID)
{
    const int nField = (int)nID - ID_COLUMN_FIRST;
    if (m_pGrid == nullptr || GetCurrentTab() == TABLE_QUERY || nField == COL_DESCRIPTION)
        return;
    GridColumnEntry* pEntry = m_pGrid->GetSettings().FindEntry(GetCurrentTab(), nField);
    if (pEntry == nullptr || pEntry->title.IsEmpty())
        return;
    pEntry->visible = pEntry->visible ? 0 : 1;
    // Kept at once, so that the choice is there at the next start.
    m_pGrid->SaveColumnMap();
    SwitchGridTable(GetCurrentTab());
}

void CKelvaronView::OnUpdateFit(CCmdUI* pCmdUI)
{
    const int nFit = pCmdUI->m_nID == ID_FIT_TO_CONTENT ? CGridSettings::fitToContent
                     : pCmdUI->m_nID == ID_FIT_TO_WINDOW ? CGridSettings::fitToWindow
                                                          : CGridSettings::stretchToFit;
    pCmdUI->Enable(m_pGrid != nullptr && GetCurrentTab() != TABLE_QUERY);
    pCmdUI->SetCheck(m_pGrid != nullptr && m_pGrid->GetFitType() == nFit ? 1 : 0);
}

void CKelvaronView::SetFitType(int nFitType)
{
    if (m_pGrid == nullptr || GetCurrentTab() == TABLE_QUERY || m_pGrid->GetFitType() == nFitType)
        return;
    m_pGrid->SetFitType(nFitType);
    m_pGrid->SaveColumnMap();
    m_pGrid->FitColumnWidths();
}

void CKelvaronView::OnFitToContent()
{
    SetFitType(CGridSettings::fitToContent);
}

void CKelvaronView::OnFitToWindow()
{
    SetFitType(CGridSettings::fitToWindow);
}

void CKelvaronView::OnStretchToFit()
{
    SetFitType(CGridSettings::stretchToFit);
}

/////////////////////////////////////////////////////////////////////////////
// Orphan nozzles

void CKelvaronView::OnDeleteOrphanNozzles()
{
    CDatabase* pDatabase = GetDatabase();
    if (IsEditorOpen() || pDatabase == nullptr || !pDatabase->IsOpen())
        return;
    SelectTab(TABLE_NOZZLE);
    std::vector<long> orphans;
    try {
        CWaitCursor wait;
        // Nozzle links of components that are no outlets lead nowhere.
        CChangeTransaction transaction(pDatabase);
        pDatabase->ExecuteSQL("DELETE FROM Nozzles WHERE Nozzles.[Emitter Key] NOT IN "
                              "(SELECT [Component Key] FROM Components WHERE Components.[Database Number] = 12)");
        transaction.Commit();
        orphans = QueryKeys(pDatabase, "SELECT [Component Key] FROM Components WHERE "
                                        "(Components.[Database Number])=15 AND Components.[Component Key] NOT IN "
                                        "(SELECT [Nozzle Key] FROM Nozzles)");
    }
    catch (CException* e) {
        ReportFailure(e);
        return;
    }
    CString message;
    message.Format(IDS_ORPHAN_NOZZLES, (long)orphans.size());
    if (orphans.empty()) {
        AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
        return;
    }
    message += LoadText(IDS_DELETE_THEM);
    if (AfxMessageBox(message, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    try {
        CWaitCursor wait;
        DeleteComponents(pDatabase, orphans);
    }
    catch (CException* e) {
        ReportFailure(e);
    }
    SwitchGridTable(TABLE_NOZZLE);
}
