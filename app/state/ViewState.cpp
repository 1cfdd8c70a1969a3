#include "app/state/ViewState.h"
#include "database/records/ComponentFlags.h"
#include "grids/core/TableType.h"

using namespace kvgrid;

BOOL CViewState::CanLeaveTab() const
{
    return !(m_mode == ViewMode::nozzles && m_nCurrentTab == TABLE_NOZZLE);
}

BOOL CViewState::CanShowTab(int nTab) const
{
    return !m_bSchemaLost || nTab == TABLE_QUERY;
}

BOOL CViewState::IsEnabled(ViewCommand command, const CGridRow& row) const
{
    if (m_bEditorOpen)
        return FALSE;
    if (m_mode == ViewMode::assembly)
        return command == ViewCommand::addToAssembly || command == ViewCommand::finishAssembly ||
               command == ViewCommand::removeFromAssembly;
    if (m_mode == ViewMode::nozzles) {
        if (m_nCurrentTab == TABLE_NOZZLE)
            return command == ViewCommand::addNozzle || command == ViewCommand::editNozzles ||
                   command == ViewCommand::removeNozzle;
        return command == ViewCommand::editNozzles;
    }
    if (m_nCurrentTab == TABLE_QUERY)
        return FALSE;
    const BOOL bOnRecord = row.bHasRecord && !row.bOnAppendRow;
    CString itemType = row.strItemType;
    itemType.Trim();
    switch (command) {
    case ViewCommand::addComponent:
        return TRUE;
    case ViewCommand::editComponent:
    case ViewCommand::deleteComponent:
        return !row.bOnAppendRow;
    case ViewCommand::newAssembly:
        return IsAssemblyTab(m_nCurrentTab);
    case ViewCommand::editAssembly:
        return bOnRecord && (row.nFlags & COMPONENT_FLAG_ASSEMBLY) != 0;
    case ViewCommand::editNozzles:
        return m_nCurrentTab == TABLE_OUTLET && bOnRecord && itemType.CompareNoCase("DEM") != 0 &&
               (row.nFlags & COMPONENT_FLAG_ASSEMBLY) == 0;
    case ViewCommand::addToAssembly:
    case ViewCommand::finishAssembly:
    case ViewCommand::removeFromAssembly:
    case ViewCommand::addNozzle:
    case ViewCommand::removeNozzle:   // only while nozzles are edited
        return FALSE;
    }
    return FALSE;
}

BOOL CViewState::Apply(ViewCommand command, const CGridRow& row)
{
    if (!IsEnabled(command, row))
        return FALSE;
    switch (command) {
    case ViewCommand::newAssembly:
    case ViewCommand::editAssembly:
        m_mode = ViewMode::assembly;
        m_nAssemblyTab = m_nCurrentTab;
        break;
    case ViewCommand::finishAssembly:
        EndAssembly();
        break;
    case ViewCommand::editNozzles:
        m_mode = m_mode == ViewMode::nozzles ? ViewMode::normal : ViewMode::nozzles;
        break;
    default:
        break;
    }
    return TRUE;
}

int CViewState::EndAssembly()
{
    if (m_mode != ViewMode::assembly)
        return -1;
    const int nTab = m_nAssemblyTab;
    m_mode = ViewMode::normal;
    m_nAssemblyTab = -1;
    return nTab;
}

BOOL CViewState::OpenEditor(int nEditedTab)
{
    if (m_bEditorOpen)
        return FALSE;
    m_bEditorOpen = TRUE;
    m_nEditedTab = nEditedTab;
    return TRUE;
}

void CViewState::CloseEditor()
{
    m_bEditorOpen = FALSE;
    m_nEditedTab = -1;
}

void CViewState::Reset()
{
    m_mode = ViewMode::normal;
    m_nAssemblyTab = -1;
    m_bPopupOpen = FALSE;
}

int CurveTypeOfTab(int nTab)
{
    switch (nTab) {
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

int FrameCurveTypeOfTab(int nTab)
{
    return nTab == TABLE_OUTLET ? 0 : CurveTypeOfTab(nTab);
}

BOOL IsAssemblyTab(int nTab)
{
    return (nTab >= TABLE_VALVE && nTab <= TABLE_OUTLET_CONNECTION) ||
           (nTab >= TABLE_CONTROLLER && nTab <= TABLE_COMPONENT);
}
