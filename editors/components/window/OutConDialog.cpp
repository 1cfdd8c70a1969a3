#include "editors/components/window/OutConDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(COutConDialog, OZU_SymbolDialog)

BEGIN_MESSAGE_MAP(COutConDialog, OZU_SymbolDialog)
END_MESSAGE_MAP()

namespace {
const ConnectionControls kInlet = { IDC_OUTCON_INLET_CODE, IDC_OUTCON_INLET_GENDER, IDC_OUTCON_INLET_SUFFIX };
const ConnectionControls kOutlet = { IDC_OUTCON_OUTLET_CODE, IDC_OUTCON_OUTLET_GENDER, IDC_OUTCON_OUTLET_SUFFIX };
} // namespace

COutConDialog::COutConDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                             CEditorView* pView)
    : OZU_SymbolDialog(pGrid, pRecord, pUnitSettings, pView)
{
    const int nDiameterUnit = DisplayDiameterUnit(*pUnitSettings);
    m_values.inletDiameter.SetValue(0.0, nDiameterUnit);
    m_values.outletDiameter.SetValue(0.0, nDiameterUnit);
    m_values.equivalentDiameter.SetValue(0.0, LENGTH_MM);
    m_values.height.SetValue(0.0, LENGTH_M);
    m_values.equivalentLength.SetValue(0.0, LENGTH_M);
    OpenWindow(IDD_OUTLET_CONNECTION_EDITOR);
}

COutConDialog::~COutConDialog() = default;

BOOL COutConDialog::OnInitDialog()
{
    CViewColumns columns(m_pView);
    m_values.Load(*m_pRecord, columns, DisplayDiameterUnit(*m_pUnitSettings));

    if (!OZU_SymbolDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_OUTLET_CONNECTION, State().bAssemblyMode);
    return IsOpen();
}

void COutConDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    OutletConnectionValues& v = m_values;
    m_shown.Exchange(this, pDX, IDC_OUTCON_EQUIVALENT_DIAMETER, v.equivalentDiameter, &OZU_BaseDialog::DDX_Diameter);
    m_shown.Exchange(this, pDX, IDC_OUTCON_HEIGHT, v.height, &OZU_BaseDialog::DDX_Length);
    m_shown.Exchange(this, pDX, IDC_OUTCON_EQUIVALENT_LENGTH, v.equivalentLength, &OZU_BaseDialog::DDX_Length);
    m_shown.Exchange(this, pDX, IDC_OUTCON_INLET_DIAMETER, v.inletDiameter, &OZU_BaseDialog::DDX_Diameter);
    m_shown.Exchange(this, pDX, IDC_OUTCON_OUTLET_DIAMETER, v.outletDiameter, &OZU_BaseDialog::DDX_Diameter);
    ExchangeConnection(this, pDX, kInlet, v.inletConnection);
    ExchangeConnectionCode(this, pDX, kOutlet, v.outletConnection);
    ExchangeConnectionSuffix(this, pDX, kOutlet, v.outletConnection);
    ExchangeConnectionGender(this, pDX, kOutlet, v.outletConnection);
}

void COutConDialog::OnOK()
{
    OZU_SymbolDialog::OnOK();
    m_values.FitTexts();
    FinishOK();
}
