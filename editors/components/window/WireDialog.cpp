#include "editors/components/window/WireDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/EditorSupport.h"
#include "grids/core/GridsCoreRes.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CWireDialog, OZU_LineDialog)

BEGIN_MESSAGE_MAP(CWireDialog, OZU_LineDialog)
END_MESSAGE_MAP()

CWireDialog::CWireDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView)
    : OZU_LineDialog(pGrid, pRecord, pUnitSettings, pView)
{
    OpenWindow(IDD_WIRE_EDITOR);
}

CWireDialog::~CWireDialog() = default;

BOOL CWireDialog::OnInitDialog()
{
    m_values.Load(*m_pRecord);
    if (!OZU_LineDialog::OnInitDialog())
        return FALSE;
    OZU_LengthUnit lengthUnit;
    m_pUnitSettings->GetLengthUnit(lengthUnit);
    SetControlText(this, IDC_WIRE_RESISTANCE_UNIT,
                   lengthUnit.IsMetric() ? LoadText(IDS_UNIT_OHM_PER_100M, "ohm/100m")
                                         : LoadText(IDS_UNIT_OHM_PER_1000FT, "ohm/1000ft"));
    return TRUE;
}

void CWireDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_LineDialog::DoDataExchange(pDX);
    ExchangeFixedText(this, pDX, IDC_WIRE_TYPE, m_values.wireType, WIRE_TYPE_CHARS);
    ExchangeFloat(pDX, IDC_WIRE_NOMINAL_SIZE, m_values.fNominalSize, 0.03f, 1000.0f);
    ExchangeFloat(pDX, IDC_WIRE_RESISTANCE, m_values.fResistance, 0.0f, 100.0f);
    ExchangeFloat(pDX, IDC_WIRE_VOLTAGE, m_values.fVoltage, 0.1f, 1000.0f);
}

void CWireDialog::OnOK()
{
    OZU_LineDialog::OnOK();
    m_values.FitTexts();
    FinishOK();
}
