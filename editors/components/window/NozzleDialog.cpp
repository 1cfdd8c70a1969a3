#include "editors/components/window/NozzleDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/DetailNotify.h"
#include "editors/curvefit/CurveFitCalc.h"
#include "editors/curvefit/CurveFitNotify.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CNozzleDialog, OZU_SymbolDialog)

BEGIN_MESSAGE_MAP(CNozzleDialog, OZU_SymbolDialog)
    ON_REGISTERED_MESSAGE(WM_DETAILDLGNOTIFY, OnDetailDlgNotify)
END_MESSAGE_MAP()

CNozzleDialog::CNozzleDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                             CEditorView* pView)
    : OZU_SymbolDialog(pGrid, pRecord, pUnitSettings, pView)
{
    m_values.arc.SetValue(0.0, ANGLE_DEGREES);
    m_values.minimumPressure.SetValue(0.0, PRESSURE_M);
    m_values.maximumPressure.SetValue(0.0, PRESSURE_M);
    OpenWindow(IDD_NOZZLE_EDITOR);
}

CNozzleDialog::~CNozzleDialog() = default;

BOOL CNozzleDialog::OnInitDialog()
{
    m_values.Load(*m_pRecord);

    if (!OZU_SymbolDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_NOZZLE, State().bAssemblyMode);
    return IsOpen();
}

void CNozzleDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    NozzleValues& v = m_values;
    m_shown.Exchange(this, pDX, IDC_NOZZLE_ARC, v.arc, &OZU_BaseDialog::DDX_Angle);
    ExchangeFloat(pDX, IDC_NOZZLE_FLOW_CONSTANT, v.fFlowConstant, 0.0f, 999999.9f);
    ExchangeFloat(pDX, IDC_NOZZLE_FLOW_INDEX, v.fFlowIndex, 0.0f, 9.9f);
    ExchangeFloat(pDX, IDC_NOZZLE_RADIUS_CONSTANT, v.fRadiusConstant, 0.0f, 999.9f);
    ExchangeFloat(pDX, IDC_NOZZLE_RADIUS_INDEX, v.fRadiusIndex, 0.0f, 99.9f);
    ExchangeFloat(pDX, IDC_NOZZLE_COV, v.fCOV, 0.0f, 0.99f);
    m_shown.Exchange(this, pDX, IDC_NOZZLE_MAXIMUM_PRESSURE, v.maximumPressure, &OZU_BaseDialog::DDX_Pressure);
    m_shown.Exchange(this, pDX, IDC_NOZZLE_MINIMUM_PRESSURE, v.minimumPressure, &OZU_BaseDialog::DDX_Pressure);
    // A stored nozzle that breaks the rule is told of it when it is shown;
    // a save is refused.
    CheckMinimumNotAbove(pDX, v.minimumPressure, v.maximumPressure, PRESSURE_M, IDS_MINIMUM_PRESSURE_ABOVE);
}

void CNozzleDialog::OnOK()
{
    OZU_SymbolDialog::OnOK();
    FinishOK();
}

LRESULT CNozzleDialog::OnDetailDlgNotify(WPARAM wParam, LPARAM lParam)
{
    DetailCoefficients fitted;
    if (!ReadDetailNotify(wParam, lParam, m_nDatabaseNumber, m_nFlags, fitted))
        return 0;
    const BOOL bFlow = fitted.nCurveType == CURVE_OUTLET_FLOW;
    const int nConstant = bFlow ? IDC_NOZZLE_FLOW_CONSTANT : IDC_NOZZLE_RADIUS_CONSTANT;
    const int nIndex = bFlow ? IDC_NOZZLE_FLOW_INDEX : IDC_NOZZLE_RADIUS_INDEX;
    if (fitted.bHas[0])
        ShowCoefficient(this, nConstant, fitted.fValue[0]);
    if (fitted.bHas[1])
        ShowCoefficient(this, nIndex, fitted.fValue[1]);
    return 0;
}
