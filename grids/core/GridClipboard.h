// The text the component grid puts on the clipboard and takes from it, as
// other programs (spreadsheets) write and read it: the cells of a row joined
// by one TAB, rows joined by CR LF.
#pragma once

#include "platform/framework/Framework.h"

#include <functional>
#include <vector>

namespace kvgrid {

// Rows of cell texts as clipboard text: cells joined by TAB, rows by CR LF,
// no line break after the last row. Every row keeps all its cells, empty
// ones at its end too, so that the text pastes back into the columns it
// came from. A TAB or line break inside a cell becomes a blank.
CString BuildClipboardText(const std::vector<std::vector<CString>>& rows);

// Clipboard text as rows of cell texts: lines end at CR LF, CR or LF (a line
// break at the very end ends the last row and makes no row of its own);
// cells end at TAB. Empty cells are kept in their places.
std::vector<std::vector<CString>> ParseClipboardText(const CString& text);

// The byte offset of the first character of pasted text that the program
// cannot store as text: a byte sequence that is no UTF-8 character (the
// program's encoding; overlong forms and surrogates included), or a control
// character other than TAB, CR and LF (binary data read as text); -1 when
// the whole text can be stored.
int FindUnstorableText(const CString& text);
// The line (from 1) of a byte offset of text whose lines end at CR LF, CR or
// LF.
int LineOfOffset(const CString& text, int nOffset);
// The message that refuses pasted text the program cannot store, naming the
// line of its first such character; empty when the whole text can be stored.
CString RefuseUnstorableText(const CString& text);

// What a paste of text rows does to the rows of a grid: nRows rows pasted
// from row nFirstRow on (counted from 1) into a grid of nStoredRows stored
// rows, after which new rows are added when bCanAdd.
struct TextPastePlan
{
    size_t nReplaced = 0;  // stored rows whose cells take pasted text
    size_t nAdded = 0;     // rows pasted as new rows
    size_t nLeftOut = 0;   // rows with no row to go to

    // The user is asked first when the paste writes more than one row and
    // replaces stored ones: a paste into the current row alone is an edit
    // of that row, as typing is.
    bool NeedsConsent() const { return nReplaced > 0 && nReplaced + nAdded > 1; }
};
TextPastePlan PlanTextPaste(size_t nRows, size_t nFirstRow, size_t nStoredRows, bool bCanAdd);

// The grid column each cell of a pasted row goes into: from nStartColumn on,
// the shown columns (isShown) in turn, up to nLastColumn; 0 for a cell that
// has no column left.
std::vector<int> PasteTargetColumns(int nStartColumn, size_t nCells, const std::function<bool(int)>& isShown,
                                    int nLastColumn);

} // namespace kvgrid
