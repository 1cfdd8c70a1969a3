#include "editors/components/window/ValveDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

IMPLEMENT_DYNAMIC(CValveDialog, CCurveDialog)

namespace {
const CCurveDialog::Controls kControls = {
    { IDC_VALVE_CONSTANT, IDC_VALVE_INDEX, IDC_VALVE_INTERCEPT },
    IDC_VALVE_INLET_DIAMETER,
    IDC_VALVE_OUTLET_DIAMETER,
    { IDC_VALVE_INLET_CODE, IDC_VALVE_INLET_GENDER, IDC_VALVE_INLET_SUFFIX },
    { IDC_VALVE_OUTLET_CODE, IDC_VALVE_OUTLET_GENDER, IDC_VALVE_OUTLET_SUFFIX },
    IDC_VALVE_MAXIMUM_FLOW,
    IDC_VALVE_MINIMUM_FLOW,
    kvgrid::TABLE_VALVE,
    FALSE,
};
} // namespace

CValveDialog::CValveDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                           CEditorView* pView)
    : CCurveDialog(pGrid, pRecord, pUnitSettings, pView, kControls)
{
    OpenWindow(IDD_VALVE_EDITOR);
}

CValveDialog::~CValveDialog() = default;

void CValveDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    ExchangeInletDiameter(pDX);
    ExchangeOutletDiameter(pDX);
    ExchangeCoefficient(pDX, 0, -9.99f, 9.99f);
    ExchangeCoefficient(pDX, 1, 0.0f, 10.0f);
    ExchangeConnections(pDX);
    ExchangeCoefficient(pDX, 2, -999.9f, 999.9f);
    ExchangeFlowRange(pDX);
}
