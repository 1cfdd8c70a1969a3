// CViewClipboard: the main grid's rows copied as TAB and CR LF text through
// the clipboard, and pasted back: rows this view copied as new components in
// the columns they came from, other text from the current cell on.
#include "app/ViewClipboard.h"
#include "app/KelvaronView.h"
#include "app/QueriesAndPasteRes.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridClipboard.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "platform/framework/window/Clipboard.h"
#include "platform/grid/GRRes.h"

#include <algorithm>

using namespace kvgrid;

namespace {

// Rows of a paste stored in one transaction.
const size_t kRowsPerCommit = 250;
// Rows between two reports of a paste's progress.
const size_t kRowsPerProgress = 50;

// Whether a selection is one cell at most (or only the current one): the
// grid copies and pastes that itself.
BOOL IsOneCell(CGRRangeList* pSelection)
{
    return pSelection->IsEmpty() || (pSelection->GetCount() == 1 && pSelection->GetHead().IsCells() &&
                                     pSelection->GetHead().top == pSelection->GetHead().bottom &&
                                     pSelection->GetHead().left == pSelection->GetHead().right);
}

} // namespace

CViewClipboard::CViewClipboard(CKelvaronView& view) : m_view(view)
{
}

void CViewClipboard::CopyRows()
{
    CGridWindow* pGrid = m_view.m_pGrid;
    if (pGrid == nullptr)
        return;
    m_bRowsCopied = FALSE;
    if (!pGrid->TransferCurrentCell())
        return;
    CGRRangeList* pSelection = pGrid->GetSelectionList();
    // One cell (or only the current one) the grid copies itself.
    if (IsOneCell(pSelection)) {
        pGrid->Copy();
        return;
    }
    pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
    const ROWCOL nAppend = pGrid->GetAppendRow();
    const ROWCOL nLastRow = nAppend == GR_INVALID ? pGrid->GetRowCount() : nAppend - 1;
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
            if (pGrid->IsRowHidden(r))
                continue;
            std::vector<CString> cells;
            std::vector<int> cols;
            for (ROWCOL c = range.left; c <= range.right && c <= (ROWCOL)ComponentColumnCount; c++) {
                if (pGrid->IsColHidden(c))
                    continue;
                cells.push_back(pGrid->GetCopyTextRowCol(r, c));
                cols.push_back((int)c);
            }
            rows.push_back(cells);
            columns.push_back(cols);
        }
    }
    const CString text = BuildClipboardText(rows);
    if (text.IsEmpty() || !AfxWriteClipboardText(m_view.GetSafeHwnd(), text))
        return;
    m_strCopiedText = text;
    m_copiedColumns = columns;
    m_bRowsCopied = bWholeRows;
}

void CViewClipboard::PasteRows(CPasteProgress* pProgress)
{
    CGridWindow* pGrid = m_view.m_pGrid;
    if (pGrid == nullptr)
        return;
    const CString text = AfxReadClipboardText(m_view.GetSafeHwnd());
    if (text.IsEmpty())
        return;
    // Text the program cannot store as text (binary data, another encoding)
    // is refused before anything of it is stored.
    const CString refusal = RefuseUnstorableText(text);
    if (!refusal.IsEmpty()) {
        m_bRowsCopied = FALSE;
        AfxMessageBox(refusal, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CWaitCursor wait;
    if (m_view.GetCurrentTab() == TABLE_QUERY) {
        pGrid->Paste();
        return;
    }
    const std::vector<std::vector<CString>> rows = ParseClipboardText(text);
    CGRRangeList* pSelection = pGrid->GetSelectionList();
    const BOOL bOneCell = IsOneCell(pSelection);
    // Rows this view copied go back into the columns they came from, as new
    // components; other text goes from the current cell on.
    const BOOL bOwnRows = m_bRowsCopied && text == m_strCopiedText && m_copiedColumns.size() == rows.size();
    m_bRowsCopied = FALSE;
    if (rows.empty())
        return;
    if (!bOwnRows && bOneCell && rows.size() == 1 && rows[0].size() == 1) {
        pGrid->Paste();
        return;
    }
    if (!pGrid->TransferCurrentCell())
        return;
    ROWCOL nRow = 0, nCol = 0;
    if (bOwnRows) {
        // A new record for each row.
        pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
        nRow = pGrid->GetAppendRow();
        if (nRow == GR_INVALID || !pGrid->SetCurrentCell(nRow, COL_DESCRIPTION))
            return;
        nCol = COL_DESCRIPTION;
    }
    else if (!pGrid->GetCurrentCell(nRow, nCol) || nRow < 1) {
        return;
    }
    // What the paste does to the stored rows, told before it starts.
    pGrid->OnTestGridDimension(GR_MAXROWCOL, 0);
    const ROWCOL nAppendRow = pGrid->GetAppendRow();
    const size_t nStoredRows = nAppendRow != GR_INVALID ? nAppendRow - 1 : pGrid->GetRowCount();
    const TextPastePlan plan = PlanTextPaste(rows.size(), nRow, nStoredRows, nAppendRow != GR_INVALID);
    if (plan.NeedsConsent()) {
        CString question;
        if (plan.nAdded > 0)
            question.Format(IDS_PASTE_REPLACES_AND_ADDS, (int)rows.size(), (int)nRow, (int)plan.nReplaced, (int)nRow,
                            (int)(nRow + plan.nReplaced - 1), (int)plan.nAdded);
        else
            question.Format(IDS_PASTE_REPLACES, (int)rows.size(), (int)nRow, (int)plan.nReplaced, (int)nRow,
                            (int)(nRow + plan.nReplaced - 1));
        if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    const BOOL bNewRecords = nAppendRow != GR_INVALID && nRow >= nAppendRow;
    // The key is the database's; a new record's fixed columns are its tab's.
    const int nFirstColumn = bNewRecords ? COL_DESCRIPTION : COL_COMPONENT_KEY + 1;
    auto shown = [pGrid](int c) { return !pGrid->IsColHidden((ROWCOL)c); };
    // Stores row i of the text; FALSE, with the reason in error, when the
    // grid refuses the row (nothing of it is stored then).
    auto pasteRow = [&](size_t i, CString& error) {
        const ROWCOL nTarget = nRow + (ROWCOL)i;
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
            pGrid->SetControlTextRowCol(nTarget, (ROWCOL)c, rows[i][j], 0);
        }
        return pGrid->Update(&error);
    };

    const size_t nCount = plan.nReplaced + plan.nAdded;
    const BOOL bLock = pGrid->LockUpdate(TRUE);
    CString error;
    BOOL bStored = TRUE, bStopped = FALSE;
    size_t nDone = 0;
    try {
        // Each row is stored whole before the next one starts; the rows go
        // to the database in batches, each in one transaction, so that a
        // paste stopped or cut short keeps whole rows only.
        while (nDone < nCount && bStored && !bStopped) {
            CChangeTransaction transaction(m_view.GetDatabase());
            for (const size_t nEnd = std::min(nCount, nDone + kRowsPerCommit); nDone < nEnd;) {
                bStored = pasteRow(nDone, error);
                if (!bStored)
                    break;
                nDone++;
                if (pProgress == nullptr || nCount < 2)
                    continue;
                if (nDone % kRowsPerProgress == 0)
                    pProgress->ShowRowPasteProgress(nDone, nCount);
                if (nDone < nCount && pProgress->IsPasteStopped()) {
                    bStopped = TRUE;
                    break;
                }
            }
            transaction.Commit();
        }
    }
    catch (CException* e) {
        // The batch the database refused is undone whole; the grid shows
        // the database as it is.
        pGrid->CancelRecord();
        pGrid->Requery();
        pGrid->LockUpdate(bLock);
        pGrid->Redraw(GR_INVALIDATE);
        if (pProgress != nullptr)
            pProgress->ShowRowPasteProgress(nCount, nCount);
        CKelvaronView::ReportFailure(e);
        return;
    }
    pGrid->LockUpdate(bLock);
    pGrid->Redraw(GR_INVALIDATE);
    if (pProgress != nullptr && nCount >= 2)
        pProgress->ShowRowPasteProgress(nCount, nCount);
    if (!bStored) {
        if (error.IsEmpty())
            error = LoadText(GR_IDS_FLUSH_FAILED);
        // A row of a longer paste is given up whole: the grid keeps no half
        // of it as a pending change.
        if (nCount > 1) {
            pGrid->CancelRecord();
            CString message;
            message.Format(IDS_PASTE_ROW_REFUSED, (int)nDone + 1, (LPCTSTR)error, (int)nDone);
            error = message;
        }
        AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
    }
    else if (bStopped) {
        CString message;
        message.Format(IDS_PASTE_STOPPED, (int)nDone, (int)nCount);
        AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
    }
}
