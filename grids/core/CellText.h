// Rules for the texts typed or pasted into the component grid: the letters a
// Usage cell may hold, the width of text columns, the two halves of a Label,
// and the "~" form that makes a copied component's description unique.
#pragma once

#include "platform/framework/Framework.h"

namespace kvgrid {

// The letters a Usage cell accepts for a table type; a blank is always
// allowed. Pipe: F L M S U Z; Tape: L; Wire: N Y; an assembly row of any
// other table type: A N X Y; any other row: N Y.
CString GetAllowedUsageLetters(int nTableType, bool bAssembly);

// The outcome of checking a Usage text.
struct UsageCheck
{
    CString text;            // the corrected text, padded with blanks to the width
    CString message;         // why the text was corrected; empty when it was not
    bool droppedRepeats = false;   // a letter given twice was dropped
};

// Upper-cases the text, keeps the allowed letters in their order (each
// letter once) and drops the rest. Refused characters give message 623
// naming them (with 624 added when too many letters remain); more allowed
// letters than the width give message 625. The text is then the first
// `nWidth` letters, padded with blanks to the width.
UsageCheck CheckUsageText(const CString& text, int nTableType, bool bAssembly, int nWidth);

// The "~" form of a description for a copy: blanks trimmed on both sides;
// when the text fills the column width nWidth, its first character that is
// not "~" becomes "~", otherwise "~" is put in front; a result shorter than
// the width is padded with blanks to it. With no width known (0 or less) "~"
// is only put in front. A text already made of "~" only that fills the width
// comes back unchanged: the caller must stop asking for another form.
CString MakeUniqueDescription(const CString& text, int nWidth);

// The two halves of a Label text of twice nHalfWidth characters: the first
// nHalfWidth characters for [Major2], the rest (up to nHalfWidth) for
// [Minor2], each padded with blanks to nHalfWidth.
void SplitLabel(const CString& text, int nHalfWidth, CString& major2, CString& minor2);

} // namespace kvgrid
