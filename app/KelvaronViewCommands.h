// The main view's rules that need no window: which component commands its
// working state allows, and which curve the curve-fit bar offers for a tab.
#pragma once

#include "platform/framework/Framework.h"

// The working state of the main view and what its main grid is on.
struct CViewCommandState
{
    BOOL bEditorOpen = FALSE;    // a component editor is open
    BOOL bAssemblyMode = FALSE;  // an assembly is being built or edited
    BOOL bNozzleMode = FALSE;    // the nozzles of an outlet are being edited
    int nTab = 0;                // the selected tab (table type)
    BOOL bHasRecord = FALSE;     // the main grid is on a record
    BOOL bOnAppendRow = FALSE;   // ... or on its empty row for a new one
    long nFlags = 0;             // [Flags] of the record
    CString strItemType;         // [Item Type] of the record
};

// Whether a component command (ID_ADD_COMPONENT, ID_EDIT_COMPONENT, ...)
// may run in the state. With an editor open none may; while an assembly is
// built only Add To, Remove From and Finish Assembly; while nozzles are
// edited Edit Nozzles (to finish), and on the Nozzles tab Add and Remove
// Nozzle; otherwise what the grid's record allows.
BOOL IsViewCommandEnabled(const CViewCommandState& state, UINT nID);

// The curve type the curve-fit bar offers for a tab (1 to 6); 0 for a tab
// that names none.
int CurveTypeOfTab(int nTab);
