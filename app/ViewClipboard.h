// CViewClipboard: the main view's copy and paste of components. Copy and
// Paste of the Edit menu carry whole rows of the main grid as TAB and CR LF
// text through the clipboard (rows this view copied go back as new
// components, in the columns they came from); Copy Component and Paste
// Component carry the keys of the selected components, and paste them into
// this view's database, from its own (new copies through the grid's add
// path) or from another open database (each with its Tapes row, its
// assembly items and its nozzles, using what the target already has). Every
// paste of components runs through one loop, which shows its progress.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"
#include "platform/framework/Framework.h"

#include <vector>

class CKelvaronView;

// Where a long paste shows how far it is, and learns that the user wants it
// stopped.
class CPasteProgress
{
public:
    virtual ~CPasteProgress() = default;
    // nDone of nCount components pasted; nDone == nCount at the end.
    virtual void ShowPasteProgress(size_t nDone, size_t nCount) = 0;
    // nDone of nCount rows of text pasted; nDone == nCount at the end.
    virtual void ShowRowPasteProgress(size_t nDone, size_t nCount) = 0;
    // TRUE when the user asked, since the last call, for the paste to stop
    // (Escape).
    virtual BOOL IsPasteStopped() = 0;
};

class CViewClipboard
{
public:
    explicit CViewClipboard(CKelvaronView& view);
    CViewClipboard(const CViewClipboard&) = delete;
    CViewClipboard& operator=(const CViewClipboard&) = delete;

    // The Edit menu's Copy and Paste on the main grid: its selected rows as
    // text; one cell (or text of one cell) the grid copies and pastes itself.
    // Text that is not text in the program's encoding is refused whole. A
    // paste of several rows that would replace stored rows asks first; rows
    // are stored whole, a batch to a transaction, with their progress shown
    // (pProgress, may be null), until the user stops the paste, which keeps
    // the rows stored before.
    void CopyRows();
    void PasteRows(CPasteProgress* pProgress);

    // Copy Component: the keys of the main grid's selected rows (the current
    // row's when none is selected), in the order of the ranges; FALSE when
    // the grid's rows have no key column (a query's result) or no rows.
    BOOL CollectComponentKeys(std::vector<long>& keys);
    // Paste Component from this view's own database: a new copy of each
    // component through the grid's add path, with its Tapes values, items
    // and nozzles.
    void PasteWithinDatabase(const std::vector<long>& keys, CPasteProgress* pProgress);
    // Paste Component from another open database, each component in one
    // transaction, an equal component of the target used as it is. A failure
    // is reported and ends the paste; the target keeps the components pasted
    // before it and nothing of the failed one. The key the last component
    // has in this database; -1 when none was pasted.
    long PasteFrom(CDatabase* pSource, const std::vector<long>& keys, CPasteProgress* pProgress);

private:
    // The one loop of a paste of components: step(key) for each key in
    // order, progress shown before each; a step that returns FALSE ends the
    // paste.
    template <class F>
    static void PasteEach(const std::vector<long>& keys, CPasteProgress* pProgress, F step);

    CKelvaronView& m_view;
    CString m_strCopiedText;   // the text the last row copy put on the clipboard
    // The grid columns of each row of that text, cell by cell.
    std::vector<std::vector<int>> m_copiedColumns;
    BOOL m_bRowsCopied = FALSE;   // the last Copy took whole rows
};
