// CKelvaronView: the Edit menu's clipboard, undo and find commands, routed to
// the grid that has the focus (or was clicked last); the view's own copy and
// paste of whole component rows as TAB and CR LF text; the Columns menu of
// the main grid's header with the three fit modes; and the clean-up of
// nozzles that no outlet uses.
#include "app/AppRes.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "app/QueriesAndPasteRes.h"
#include "database/records/ComponentRecords.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridClipboard.h"
#include "grids/core/GridSettings.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"
#include "platform/grid/GRApp.h"
#include "platform/grid/GRRes.h"

#include <cstdlib>

using namespace kvgrid;

namespace {

// The clipboard's text; empty when it holds none or cannot be opened.
CString ReadClipboardText(HWND hOwner)
{
    CString text;
    if (!::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(hOwner))
        return text;
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = (const char*)::GlobalLock(hData)) {
            text = p;
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    return text;
}

// Puts the text on the clipboard in place of what it held; FALSE when the
// clipboard cannot be opened (it is left as it was).
BOOL WriteClipboardText(HWND hOwner, const CString& text)
{
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (SIZE_T)text.GetLength() + 1);
    if (hMem == nullptr)
        return FALSE;
    char* p = (char*)::GlobalLock(hMem);
    memcpy(p, (LPCTSTR)text, (size_t)text.GetLength() + 1);
    ::GlobalUnlock(hMem);
    if (!::OpenClipboard(hOwner)) {
        ::GlobalFree(hMem);
        return FALSE;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_TEXT, hMem))
        ::GlobalFree(hMem);
    ::CloseClipboard();
    return TRUE;
}

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

// The keys of the components a query selects (its first column).
std::vector<long> SelectKeys(CDatabase* pDatabase, LPCTSTR lpszSql)
{
    std::vector<long> keys;
    CRecordset rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, lpszSql, CRecordset::readOnly);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        CString value;
        rs.GetFieldValue((short)0, value);
        keys.push_back(std::atol(value));
    }
    rs.Close();
    return keys;
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
    if (pGrid == static_cast<CGRGridCore*>(m_pGrid) && m_nCurrentTab != TABLE_QUERY)
        CopyRows();
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
        PasteRows();
    else
        pGrid->Paste();
}

void CKelvaronView::CopyRows()
{
    m_bRowsCopied = FALSE;
    if (!m_pGrid->TransferCurrentCell())
        return;
    CGRRangeList* pSelection = m_pGrid->GetSelectionList();
    // One cell (or only the current one) the grid copies itself.
    if (pSelection->IsEmpty() || (pSelection->GetCount() == 1 && pSelection->GetHead().IsCells() &&
                                  pSelection->GetHead().top == pSelection->GetHead().bottom &&
                                  pSelection->GetHead().left == pSelection->GetHead().right)) {
        m_pGrid->Copy();
        return;
    }
    m_pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
    const ROWCOL nAppend = m_pGrid->GetAppendRow();
    const ROWCOL nLastRow = nAppend == GR_INVALID ? m_pGrid->GetRowCount() : nAppend - 1;
    if (nLastRow < 1)
        return;
    // Every range, in the order it was selected, row by row with its shown
    // columns; whole rows (or columns, or the table) up to the last column of
    // Components.
    std::vector<std::vector<CString>> rows;
    std::vector<std::vector<int>> columns;
    BOOL bWholeRows = FALSE;
    for (CGRRange range : pSelection->List()) {
        bWholeRows = bWholeRows || range.IsRows() || range.IsTable();
        range.ExpandRange(1, 1, nLastRow, ComponentColumnCount);
        if (!range.IsValid())
            continue;
        for (ROWCOL r = range.top; r <= range.bottom && r <= nLastRow; r++) {
            if (m_pGrid->IsRowHidden(r))
                continue;
            std::vector<CString> cells;
            std::vector<int> cols;
            for (ROWCOL c = range.left; c <= range.right && c <= (ROWCOL)ComponentColumnCount; c++) {
                if (m_pGrid->IsColHidden(c))
                    continue;
                cells.push_back(m_pGrid->GetCopyTextRowCol(r, c));
                cols.push_back((int)c);
            }
            rows.push_back(cells);
            columns.push_back(cols);
        }
    }
    const CString text = BuildClipboardText(rows);
    if (text.IsEmpty() || !WriteClipboardText(m_hWnd, text))
        return;
    m_strCopiedText = text;
    m_copiedColumns = columns;
    m_bRowsCopied = bWholeRows;
}

void CKelvaronView::PasteRows()
{
    const CString text = ReadClipboardText(m_hWnd);
    if (text.IsEmpty())
        return;
    CWaitCursor wait;
    if (m_nCurrentTab == TABLE_QUERY) {
        m_pGrid->Paste();
        return;
    }
    const std::vector<std::vector<CString>> rows = ParseClipboardText(text);
    CGRRangeList* pSelection = m_pGrid->GetSelectionList();
    const BOOL bOneCell = pSelection->IsEmpty() || (pSelection->GetCount() == 1 && pSelection->GetHead().IsCells() &&
                                                    pSelection->GetHead().top == pSelection->GetHead().bottom &&
                                                    pSelection->GetHead().left == pSelection->GetHead().right);
    // Rows this view copied go back into the columns they came from, as new
    // components; other text goes from the current cell on.
    const BOOL bOwnRows = m_bRowsCopied && text == m_strCopiedText && m_copiedColumns.size() == rows.size();
    m_bRowsCopied = FALSE;
    if (rows.empty())
        return;
    if (!bOwnRows && bOneCell && rows.size() == 1 && rows[0].size() == 1) {
        m_pGrid->Paste();
        return;
    }
    if (!m_pGrid->TransferCurrentCell())
        return;
    ROWCOL nRow = 0, nCol = 0;
    if (bOwnRows) {
        // A new record for each row.
        m_pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
        nRow = m_pGrid->GetAppendRow();
        if (nRow == GR_INVALID || !m_pGrid->SetCurrentCell(nRow, COL_DESCRIPTION))
            return;
        nCol = COL_DESCRIPTION;
    }
    else if (!m_pGrid->GetCurrentCell(nRow, nCol) || nRow < 1) {
        return;
    }
    const BOOL bNewRecords = m_pGrid->GetAppendRow() != GR_INVALID && nRow >= m_pGrid->GetAppendRow();
    // The key is the database's; a new record's fixed columns are its tab's.
    const int nFirstColumn = bNewRecords ? COL_DESCRIPTION : COL_COMPONENT_KEY + 1;
    auto shown = [this](int c) { return !m_pGrid->IsColHidden((ROWCOL)c); };

    BOOL bLock = m_pGrid->LockUpdate(TRUE);
    CString error;
    BOOL bStored = TRUE;
    for (size_t i = 0; i < rows.size() && bStored; i++) {
        const ROWCOL nTarget = nRow + (ROWCOL)i;
        const ROWCOL nAppend = m_pGrid->GetAppendRow();
        if (nAppend != GR_INVALID && nTarget > nAppend)
            break;
        const std::vector<int> targets =
            bOwnRows ? m_copiedColumns[i]
                     : PasteTargetColumns(std::max((int)nCol, nFirstColumn), rows[i].size(), shown,
                                          ComponentColumnCount);
        for (size_t j = 0; j < rows[i].size() && j < targets.size(); j++) {
            const int c = targets[j];
            if (c < nFirstColumn || c > ComponentColumnCount || !shown(c))
                continue;
            // A text the column cannot take is refused, cell by cell, with
            // the grid's own message; the other cells are pasted.
            m_pGrid->SetControlTextRowCol(nTarget, (ROWCOL)c, rows[i][j], 0);
        }
        // Each row is stored before the next one starts.
        bStored = m_pGrid->Update(&error);
    }
    m_pGrid->LockUpdate(bLock);
    m_pGrid->Redraw(GR_INVALIDATE);
    if (!bStored)
        AfxMessageBox(error.IsEmpty() ? LoadText(GR_IDS_FLUSH_FAILED) : error, MB_OK | MB_ICONEXCLAMATION);
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
    return pGrid->FindText(TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// The Columns menu and the fit modes

void CKelvaronView::AppendColumnEntries(CMenu& popup)
{
    if (m_pGrid == nullptr || m_nCurrentTab == TABLE_QUERY)
        return;
    BOOL bFirst = TRUE;
    for (const auto& entry : m_pGrid->GetSettings().GetTableColumns(m_nCurrentTab)) {
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
    if (m_pGrid == nullptr || m_nCurrentTab == TABLE_QUERY || nField == COL_DESCRIPTION)
        return;
    GridColumnEntry* pEntry = m_pGrid->GetSettings().FindEntry(m_nCurrentTab, nField);
    if (pEntry == nullptr || pEntry->title.IsEmpty())
        return;
    pEntry->visible = pEntry->visible ? 0 : 1;
    // Kept at once, so that the choice is there at the next start.
    m_pGrid->SaveColumnMap();
    SwitchGridTable(m_nCurrentTab);
}

void CKelvaronView::OnUpdateFit(CCmdUI* pCmdUI)
{
    const int nFit = pCmdUI->m_nID == ID_FIT_TO_CONTENT ? CGridSettings::fitToContent
                     : pCmdUI->m_nID == ID_FIT_TO_WINDOW ? CGridSettings::fitToWindow
                                                          : CGridSettings::stretchToFit;
    pCmdUI->Enable(m_pGrid != nullptr && m_nCurrentTab != TABLE_QUERY);
    pCmdUI->SetCheck(m_pGrid != nullptr && m_pGrid->GetFitType() == nFit ? 1 : 0);
}

void CKelvaronView::SetFitType(int nFitType)
{
    if (m_pGrid == nullptr || m_nCurrentTab == TABLE_QUERY || m_pGrid->GetFitType() == nFitType)
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
        orphans = SelectKeys(pDatabase, "SELECT [Component Key] FROM Components WHERE "
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
