#include "app/KelvaronViewCommands.h"
#include "app/AppRes.h"
#include "database/records/ComponentRecords.h"
#include "grids/core/GridTables.h"

using namespace kvgrid;

BOOL IsViewCommandEnabled(const CViewCommandState& state, UINT nID)
{
    if (state.bEditorOpen)
        return FALSE;
    if (state.bAssemblyMode)
        return nID == ID_ADD_TO_ASSEMBLY || nID == ID_FINISH_ASSEMBLY || nID == ID_REMOVE_FROM_ASSEMBLY;
    if (state.bNozzleMode)
    {
        if (state.nTab == TABLE_NOZZLE)
            return nID == ID_ADD_NOZZLE || nID == ID_EDIT_NOZZLES || nID == ID_REMOVE_NOZZLE;
        return nID == ID_EDIT_NOZZLES;
    }
    if (state.nTab == TABLE_QUERY)
        return FALSE;
    const BOOL bOnRecord = state.bHasRecord && !state.bOnAppendRow;
    CString itemType = state.strItemType;
    itemType.Trim();
    switch (nID)
    {
    case ID_ADD_COMPONENT:
        return TRUE;
    case ID_EDIT_COMPONENT:
    case ID_DELETE_COMPONENT:
        return !state.bOnAppendRow;
    case ID_NEW_ASSEMBLY:
        return (state.nTab >= TABLE_VALVE && state.nTab <= TABLE_OUTLET_CONNECTION) ||
               (state.nTab >= TABLE_CONTROLLER && state.nTab <= TABLE_COMPONENT);
    case ID_EDIT_ASSEMBLY:
        return bOnRecord && (state.nFlags & COMPONENT_FLAG_ASSEMBLY) != 0;
    case ID_EDIT_NOZZLES:
        return state.nTab == TABLE_OUTLET && bOnRecord && itemType.CompareNoCase("DEM") != 0 &&
               (state.nFlags & COMPONENT_FLAG_ASSEMBLY) == 0;
    case ID_ADD_TO_ASSEMBLY:
    case ID_FINISH_ASSEMBLY:
    case ID_REMOVE_FROM_ASSEMBLY:
    case ID_ADD_NOZZLE:
    case ID_REMOVE_NOZZLE:   // only while nozzles are edited
        return FALSE;
    default:
        return TRUE;
    }
}

int CurveTypeOfTab(int nTab)
{
    switch (nTab)
    {
    case TABLE_TAPE:
        return 2;
    case TABLE_VALVE:
        return 4;
    case TABLE_HYDRAULIC:
        return 6;
    case TABLE_PUMP:
        return 1;
    case TABLE_OUTLET:
    case TABLE_NOZZLE:
        return 2;
    default:
        return 0;
    }
}
