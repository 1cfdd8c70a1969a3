// CViewClipboard: the main grid's rows copied as TAB and CR LF text through
// the clipboard, and pasted back: rows this view copied as new components in
// the columns they came from, other text from the current cell on.
#include "app/ViewClipboard.h"
#include "app/KelvaronView.h"
#include "grids/core/GridClipboard.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "platform/framework/window/Clipboard.h"
#include "platform/grid/GRRes.h"

#include <algorithm>

using namespace kvgrid;

namespace {

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

void CViewClipboard::PasteRows()
{
    CGridWindow* pGrid = m_view.m_pGrid;
    if (pGrid == nullptr)
        return;
    const CString text = AfxReadClipboardText(m_view.GetSafeHwnd());
    if (text.IsEmpty())
        return;
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
    const BOOL bNewRecords = pGrid->GetAppendRow() != GR_INVALID && nRow >= pGrid->GetAppendRow();
    // The key is the database's; a new record's fixed columns are its tab's.
    const int nFirstColumn = bNewRecords ? COL_DESCRIPTION : COL_COMPONENT_KEY + 1;
    auto shown = [pGrid](int c) { return !pGrid->IsColHidden((ROWCOL)c); };

    BOOL bLock = pGrid->LockUpdate(TRUE);
    CString error;
    BOOL bStored = TRUE;
    for (size_t i = 0; i < rows.size() && bStored; i++) {
        const ROWCOL nTarget = nRow + (ROWCOL)i;
        const ROWCOL nAppend = pGrid->GetAppendRow();
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
            pGrid->SetControlTextRowCol(nTarget, (ROWCOL)c, rows[i][j], 0);
        }
        // Each row is stored before the next one starts.
        bStored = pGrid->Update(&error);
    }
    pGrid->LockUpdate(bLock);
    pGrid->Redraw(GR_INVALIDATE);
    if (!bStored)
        AfxMessageBox(error.IsEmpty() ? LoadText(GR_IDS_FLUSH_FAILED) : error, MB_OK | MB_ICONEXCLAMATION);
}

