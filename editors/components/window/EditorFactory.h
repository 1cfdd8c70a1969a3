// The editor of each kind of component, and what an editor holds as the
// columns of its component.
//
// The kind of a component is the table type of its tab (0 pipe to 17
// nozzle), told by its [Database Number] and, for number 1, the tape bit of
// its [Flags].
#pragma once

#include "database/records/ComponentRecords.h"
#include "editors/base/window/ComponentDialog.h"
#include "editors/components/core/ComponentValues.h"

class CGridWindow;

namespace kvcomponents {

// The kind of the editor a record opens in; -1 for a [Database Number] no
// editor takes.
int GetEditorKind(const ComponentFields& record);

// Opens the editor of a kind on a record: the window is made and shown, and
// the editor reads the record while it opens (a tape also its Tapes row,
// which may be null). Null when the kind has no editor or the window could
// not be made (nothing is left open then).
OZU_ComponentDialog* CreateComponentEditor(int nKind, CGridWindow* pGrid, CRecords* pRecord,
                                           CTapeExtras* pTapeExtras, OZU_UnitSettings* pUnitSettings,
                                           CEditorView* pView);

// Writes what an editor of a kind holds into the columns of its component
// (and of its Tapes row, for a tape): the values every component has, the
// kind's own, and the plotting line or symbol. Columns the kind does not use
// keep what the records hold. FALSE, with nothing written, when the editor
// is not one of that kind.
BOOL FillComponentRecords(OZU_ComponentDialog& editor, int nKind, CComponentColumns& columns,
                          ComponentFields& record, TapeFields& tape);

} // namespace kvcomponents
