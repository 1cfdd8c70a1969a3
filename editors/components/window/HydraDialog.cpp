#include "editors/components/window/HydraDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CHydraDialog, CCurveDialog)

namespace {
const CCurveDialog::Controls kControls = {
    { IDC_HYDRAULIC_CONSTANT, IDC_HYDRAULIC_INDEX, IDC_HYDRAULIC_INTERCEPT },
    IDC_HYDRAULIC_INLET_DIAMETER,
    IDC_HYDRAULIC_OUTLET_DIAMETER,
    { IDC_HYDRAULIC_INLET_CODE, IDC_HYDRAULIC_INLET_GENDER, IDC_HYDRAULIC_INLET_SUFFIX },
    { IDC_HYDRAULIC_OUTLET_CODE, IDC_HYDRAULIC_OUTLET_GENDER, IDC_HYDRAULIC_OUTLET_SUFFIX },
    IDC_HYDRAULIC_MAXIMUM_FLOW,
    IDC_HYDRAULIC_MINIMUM_FLOW,
    kvgrid::TABLE_HYDRAULIC,
    TRUE,
};
} // namespace

CHydraDialog::CHydraDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                           CEditorView* pView)
    : CCurveDialog(pGrid, pRecord, pUnitSettings, pView, kControls)
{
    OpenWindow(IDD_HYDRAULIC_EDITOR);
}

CHydraDialog::~CHydraDialog() = default;

void CHydraDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    ExchangeFixedText(this, pDX, IDC_HYDRAULIC_FITTING_TYPE, m_values.fittingType, FITTING_TYPE_WIDTH);
    ExchangeCoefficient(pDX, 0, -99.99f, 99.99f);
    ExchangeCoefficient(pDX, 1, 0.0f, 100.0f);
    ExchangeCoefficient(pDX, 2, -9999.9f, 9999.9f);
    ExchangeInletDiameter(pDX);
    ExchangeOutletDiameter(pDX, TRUE);
    ExchangeConnections(pDX);
    ExchangeFlowRange(pDX);
}
