#include "editors/components/window/EditorFactory.h"
#include "editors/base/window/LineDialog.h"
#include "editors/base/window/SymbolDialog.h"
#include "editors/components/window/BendDialog.h"
#include "editors/components/window/ControlDialog.h"
#include "editors/components/window/CouplerDialog.h"
#include "editors/components/window/CrossDialog.h"
#include "editors/components/window/ElectricDialog.h"
#include "editors/components/window/HydraDialog.h"
#include "editors/components/window/LightDialog.h"
#include "editors/components/window/LTODialog.h"
#include "editors/components/window/MiscDialog.h"
#include "editors/components/window/NozzleDialog.h"
#include "editors/components/window/OutConDialog.h"
#include "editors/components/window/OutletDialog.h"
#include "editors/components/window/PipeDialog.h"
#include "editors/components/window/PumpDialog.h"
#include "editors/components/window/TapeDialog.h"
#include "editors/components/window/TeeDialog.h"
#include "editors/components/window/ValveDialog.h"
#include "editors/components/window/WireDialog.h"
#include "grids/core/GridTables.h"

using namespace kvgrid;

namespace kvcomponents {

int GetEditorKind(const ComponentFields& record)
{
    return ComponentToTab(record.m_nDatabaseNumber, record.m_nFlags);
}

OZU_ComponentDialog* CreateComponentEditor(int nKind, CGridWindow* pGrid, CRecords* pRecord,
                                           CTapeExtras* pTapeExtras, OZU_UnitSettings* pUnitSettings,
                                           CEditorView* pView)
{
    OZU_ComponentDialog* pEditor = nullptr;
    switch (nKind) {
    case TABLE_PIPE:
        pEditor = new CPipeDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_TAPE:
        pEditor = new CTapeDialog(pGrid, pRecord, pTapeExtras, pUnitSettings, pView);
        break;
    case TABLE_VALVE:
        pEditor = new CValveDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_HYDRAULIC:
        pEditor = new CHydraDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_TAKE_OFF:
        pEditor = new CLTODialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_COUPLER:
        pEditor = new CCouplerDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_ELBOW:
        pEditor = new CBendDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_TEE:
        pEditor = new CTeeDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_CROSS:
        pEditor = new CCrossDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_PUMP:
        pEditor = new CPumpDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_OUTLET:
        pEditor = new COutletDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_OUTLET_CONNECTION:
        pEditor = new COutConDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_WIRE:
        pEditor = new CWireDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_CONTROLLER:
        pEditor = new CControlDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_LIGHT:
        pEditor = new CLightDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_ELECTRIC:
        pEditor = new CElectricDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_COMPONENT:
        pEditor = new CMiscDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    case TABLE_NOZZLE:
        pEditor = new CNozzleDialog(pGrid, pRecord, pUnitSettings, pView);
        break;
    default:
        return nullptr;
    }
    // An editor whose window could not be made is not the view's: it goes.
    if (!pEditor->IsOpen()) {
        delete pEditor;
        return nullptr;
    }
    return pEditor;
}

namespace {

CommonValues CommonOf(const OZU_ComponentDialog& editor)
{
    CommonValues common;
    common.nComponentKey = editor.m_nComponentKey;
    common.nOldId1 = editor.m_nOldId1;
    common.nOldId2 = editor.m_nOldId2;
    common.nOldId3 = editor.m_nOldId3;
    common.description = editor.m_strDescription;
    common.warehouseCode = editor.m_strWarehouseCode;
    common.supplierCode = editor.m_strSupplierCode;
    common.usage = editor.m_strUsage;
    common.label = editor.m_strLabel;
    common.fWholesaleCost = editor.m_fWholesaleCost;
    common.fRetailPrice = editor.m_fRetailPrice;
    common.nFlags = editor.m_nFlags;
    return common;
}

// The kind's own columns; FALSE when the editor is not of the kind.
BOOL StoreKindValues(OZU_ComponentDialog& editor, int nKind, CComponentColumns& columns, ComponentFields& record,
                     TapeFields& tape)
{
    switch (nKind) {
    case TABLE_PIPE:
        if (auto* p = dynamic_cast<CPipeDialog*>(&editor)) {
            p->m_values.Store(columns, record);
            return TRUE;
        }
        break;
    case TABLE_TAPE:
        if (auto* p = dynamic_cast<CTapeDialog*>(&editor)) {
            p->m_values.Store(columns, record, tape);
            return TRUE;
        }
        break;
    case TABLE_VALVE:
    case TABLE_HYDRAULIC:
    case TABLE_PUMP: {
        const bool bKind = nKind == TABLE_VALVE       ? dynamic_cast<CValveDialog*>(&editor) != nullptr
                           : nKind == TABLE_HYDRAULIC ? dynamic_cast<CHydraDialog*>(&editor) != nullptr
                                                      : dynamic_cast<CPumpDialog*>(&editor) != nullptr;
        if (bKind) {
            static_cast<CCurveDialog&>(editor).m_values.Store(columns, record, nKind == TABLE_HYDRAULIC);
            return TRUE;
        }
        break;
    }
    case TABLE_OUTLET:
        if (auto* p = dynamic_cast<COutletDialog*>(&editor)) {
            p->m_values.Store(columns, record);
            return TRUE;
        }
        break;
    case TABLE_OUTLET_CONNECTION:
        if (auto* p = dynamic_cast<COutConDialog*>(&editor)) {
            p->m_values.Store(columns, record);
            return TRUE;
        }
        break;
    case TABLE_NOZZLE:
        if (auto* p = dynamic_cast<CNozzleDialog*>(&editor)) {
            p->m_values.Store(record);
            return TRUE;
        }
        break;
    case TABLE_TAKE_OFF:
        if (auto* p = dynamic_cast<CLTODialog*>(&editor)) {
            p->m_values.Store(columns, record);
            return TRUE;
        }
        break;
    case TABLE_COUPLER:
    case TABLE_TEE:
    case TABLE_CROSS: {
        const bool bKind = nKind == TABLE_COUPLER ? dynamic_cast<CCouplerDialog*>(&editor) != nullptr
                           : nKind == TABLE_TEE   ? dynamic_cast<CTeeDialog*>(&editor) != nullptr
                                                  : dynamic_cast<CCrossDialog*>(&editor) != nullptr;
        if (bKind) {
            static_cast<CJoinDialog&>(editor).m_values.Store(columns, record);
            return TRUE;
        }
        break;
    }
    case TABLE_ELBOW:
        if (auto* p = dynamic_cast<CBendDialog*>(&editor)) {
            p->m_values.Store(columns, record);
            return TRUE;
        }
        break;
    case TABLE_WIRE:
        if (auto* p = dynamic_cast<CWireDialog*>(&editor)) {
            p->m_values.Store(record);
            return TRUE;
        }
        break;
    case TABLE_CONTROLLER:
        if (auto* p = dynamic_cast<CControlDialog*>(&editor)) {
            p->m_values.Store(record);
            return TRUE;
        }
        break;
    case TABLE_LIGHT:
        if (auto* p = dynamic_cast<CLightDialog*>(&editor)) {
            p->m_values.Store(record);
            return TRUE;
        }
        break;
    case TABLE_ELECTRIC:
        if (auto* p = dynamic_cast<CElectricDialog*>(&editor)) {
            p->m_values.Store(record);
            return TRUE;
        }
        break;
    case TABLE_COMPONENT:
        if (auto* p = dynamic_cast<CMiscDialog*>(&editor)) {
            p->m_values.Store(columns, record);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

BOOL FillComponentRecords(OZU_ComponentDialog& editor, int nKind, CComponentColumns& columns,
                          ComponentFields& record, TapeFields& tape)
{
    const int nDatabaseNumber = GetTableDatabaseNumber(nKind);
    if (nDatabaseNumber == 0)
        return FALSE;
    ComponentFields filled = record;
    TapeFields filledTape = tape;
    StoreCommon(CommonOf(editor), nDatabaseNumber, columns, filled);
    if (!StoreKindValues(editor, nKind, columns, filled, filledTape))
        return FALSE;
    if (auto* pLine = dynamic_cast<OZU_LineDialog*>(&editor))
        StoreLine(pLine->m_nLinetype, (long)pLine->m_crLineColour, filled);
    else if (auto* pSymbol = dynamic_cast<OZU_SymbolDialog*>(&editor))
        StoreSymbol(pSymbol->m_nSymbol, pSymbol->m_fSymbolSize, pSymbol->m_nSymbolFile,
                    (long)pSymbol->m_crSymbolColour, filled);
    record = filled;
    tape = filledTape;
    return TRUE;
}

} // namespace kvcomponents
