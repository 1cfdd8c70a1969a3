#include "editors/components/window/CurveDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/DetailNotify.h"
#include "editors/curvefit/CurveFitNotify.h"

#include <cstdlib>

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CCurveDialog, OZU_SymbolDialog)

BEGIN_MESSAGE_MAP(CCurveDialog, OZU_SymbolDialog)
    ON_REGISTERED_MESSAGE(WM_DETAILDLGNOTIFY, OnDetailDlgNotify)
END_MESSAGE_MAP()

namespace {

float& Coefficient(CurveValues& values, int nIndex)
{
    switch (nIndex) {
    case 0: return values.fCoefficient1;
    case 1: return values.fCoefficient2;
    default: return values.fCoefficient3;
    }
}

} // namespace

CCurveDialog::CCurveDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                           CEditorView* pView, const Controls& controls)
    : OZU_SymbolDialog(pGrid, pRecord, pUnitSettings, pView), m_controls(controls)
{
    const int nDiameterUnit = DisplayDiameterUnit(*pUnitSettings);
    m_values.inletDiameter.SetValue(0.0, nDiameterUnit);
    m_values.outletDiameter.SetValue(0.0, nDiameterUnit);
    m_values.minimumFlow.SetValue(0.0, FLOW_M3H);
    m_values.maximumFlow.SetValue(0.0, FLOW_M3H);
}

CCurveDialog::~CCurveDialog() = default;

BOOL CCurveDialog::OnInitDialog()
{
    CViewColumns columns(m_pView);
    m_values.Load(*m_pRecord, columns, DisplayDiameterUnit(*m_pUnitSettings), m_controls.bFittingType);

    if (!OZU_SymbolDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, m_controls.nKind, State().bAssemblyMode);
    return IsOpen();
}

void CCurveDialog::ExchangeCoefficient(CDataExchange* pDX, int nIndex, float fMin, float fMax)
{
    ExchangeFloat(pDX, m_controls.nCoefficient[nIndex], Coefficient(m_values, nIndex), fMin, fMax);
}

void CCurveDialog::ExchangeInletDiameter(CDataExchange* pDX)
{
    m_shown.Exchange(this, pDX, m_controls.nInletDiameter, m_values.inletDiameter, &OZU_BaseDialog::DDX_Diameter);
}

void CCurveDialog::ExchangeOutletDiameter(CDataExchange* pDX, BOOL bFromZero)
{
    if (!bFromZero) {
        m_shown.Exchange(this, pDX, m_controls.nOutletDiameter, m_values.outletDiameter,
                         &OZU_BaseDialog::DDX_Diameter);
        return;
    }
    OZU_DiameterValue limits[4];
    for (unsigned n = 0; n < 4; n++)
        m_pUnitSettings->GetDiameterLimit(n, limits[n]);
    const OZU_DiameterValue zero(0.0, LENGTH_MM);
    m_shown.Run(pDX, m_controls.nOutletDiameter, m_values.outletDiameter, [&] {
        DDX_Diameter(this, pDX, m_controls.nOutletDiameter, m_values.outletDiameter, zero, limits[OZU_HARD_MAX],
                     zero, limits[OZU_RECOMMENDED_MAX]);
    });
}

void CCurveDialog::ExchangeConnections(CDataExchange* pDX)
{
    ExchangeConnection(this, pDX, m_controls.inlet, m_values.inletConnection);
    ExchangeConnection(this, pDX, m_controls.outlet, m_values.outletConnection);
}

void CCurveDialog::ExchangeFlowRange(CDataExchange* pDX)
{
    m_shown.Exchange(this, pDX, m_controls.nMaximumFlow, m_values.maximumFlow, &OZU_BaseDialog::DDX_LargeFlow);
    m_shown.Exchange(this, pDX, m_controls.nMinimumFlow, m_values.minimumFlow, &OZU_BaseDialog::DDX_LargeFlow);
    CheckMinimumNotAbove(pDX, m_values.minimumFlow, m_values.maximumFlow, FLOW_M3H, IDS_MINIMUM_FLOW_ABOVE);
}

void CCurveDialog::OnOK()
{
    OZU_SymbolDialog::OnOK();
    m_values.FitTexts(m_controls.bFittingType);
    FinishOK();
}

LRESULT CCurveDialog::OnDetailDlgNotify(WPARAM wParam, LPARAM lParam)
{
    DetailCoefficients fitted;
    if (!ReadDetailNotify(wParam, lParam, m_nDatabaseNumber, m_nFlags, fitted))
        return 0;
    // A fit without an intercept leaves C as it is; the user is told when
    // that C is not 0, since the stored curve then misses the points by it.
    for (int i = 0; i < 3; i++)
        if (fitted.bHas[i])
            ShowCoefficient(this, m_controls.nCoefficient[i], fitted.fValue[i]);
    if (!fitted.bHas[2] && m_controls.nCoefficient[2] != 0) {
        CString intercept;
        GetDlgItemText(m_controls.nCoefficient[2], intercept);
        intercept.Trim();
        if (!intercept.IsEmpty() && std::atof(intercept) != 0.0) {
            CString message;
            message.Format(IDS_INTERCEPT_KEPT, (LPCTSTR)intercept);
            AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
        }
    }
    return 0;
}
