#include "editors/components/window/PumpDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

IMPLEMENT_DYNAMIC(CPumpDialog, CCurveDialog)

namespace {
const CCurveDialog::Controls kControls = {
    { IDC_PUMP_A, IDC_PUMP_B, IDC_PUMP_C },
    IDC_PUMP_INLET_DIAMETER,
    IDC_PUMP_OUTLET_DIAMETER,
    { IDC_PUMP_INLET_CODE, IDC_PUMP_INLET_GENDER, IDC_PUMP_INLET_SUFFIX },
    { IDC_PUMP_OUTLET_CODE, IDC_PUMP_OUTLET_GENDER, IDC_PUMP_OUTLET_SUFFIX },
    IDC_PUMP_MAXIMUM_FLOW,
    IDC_PUMP_MINIMUM_FLOW,
    kvgrid::TABLE_PUMP,
    FALSE,
};
} // namespace

CPumpDialog::CPumpDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                         CEditorView* pView)
    : CCurveDialog(pGrid, pRecord, pUnitSettings, pView, kControls)
{
    OpenWindow(IDD_PUMP_EDITOR);
}

CPumpDialog::~CPumpDialog() = default;

void CPumpDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    ExchangeCoefficient(pDX, 0, -100.0f, 10.0f);
    ExchangeCoefficient(pDX, 1, -100.0f, 100.0f);
    ExchangeCoefficient(pDX, 2, 0.0f, 999.9f);
    ExchangeInletDiameter(pDX);
    ExchangeOutletDiameter(pDX);
    ExchangeConnections(pDX);
    ExchangeFlowRange(pDX);
}
