// The rules for the texts a component editor loads from and stores into the
// Components columns of fixed width. Texts are UTF-8; widths and positions
// count characters, so a text is never cut inside a character.
#pragma once

#include "platform/framework/Framework.h"

#include <vector>

namespace kveditors {

// The text made exactly nWidth characters long: padded at the end with
// blanks when shorter, cut to its first nWidth characters when longer.
CString FitToWidth(const CString& text, int nWidth);

// Whether components of a [Database Number] carry a label: pipes and tapes,
// valves, hydraulic items, pumps, outlets, outlet connections, nozzles,
// wires, controllers, electric items and lights.
bool KindHasLabel(int nDatabaseNumber);

// A label is stored across [Major2] and [Minor2], split after the first
// nMajor2Width characters. JoinLabel puts it together again: [Major2] as
// wide as its column (a blank at its end belongs to the label), then
// [Minor2], with the blanks at the end of the whole removed. A [Major2]
// wider than its column, or a width not known (0), is taken as it is, its
// end blanks removed.
CString JoinLabel(const CString& major2, const CString& minor2, int nMajor2Width);
// The two parts of a label for [Major2] and [Minor2]: the label fitted to
// the two widths together, then its first nMajor2Width characters and the
// rest.
void SplitLabel(const CString& label, int nMajor2Width, int nMinor2Width, CString& major2, CString& minor2);

// The position of the entry that is the text, without regard to letter case
// or to blanks at the end of either; -1 when there is none. A code is
// matched whole: "AB" does not find "ABC".
int FindListText(const std::vector<CString>& entries, const CString& text);

} // namespace kveditors
