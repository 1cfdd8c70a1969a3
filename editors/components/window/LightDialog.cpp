#include "editors/components/window/LightDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/EditorSupport.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CLightDialog, OZU_SymbolDialog)

BEGIN_MESSAGE_MAP(CLightDialog, OZU_SymbolDialog)
END_MESSAGE_MAP()

CLightDialog::CLightDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                           CEditorView* pView)
    : OZU_SymbolDialog(pGrid, pRecord, pUnitSettings, pView)
{
    OpenWindow(IDD_LIGHT_EDITOR);
}

CLightDialog::~CLightDialog() = default;

BOOL CLightDialog::OnInitDialog()
{
    m_values.Load(*m_pRecord);
    if (!OZU_SymbolDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_LIGHT, State().bAssemblyMode);
    return TRUE;
}

void CLightDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    ExchangeFloat(pDX, IDC_LIGHT_RATING, m_values.fRating, 0.1f, 5000.0f);
    ExchangeFloat(pDX, IDC_LIGHT_TOLERANCE_ABOVE, m_values.fToleranceAbove, 0.0f, 100.0f);
    ExchangeFloat(pDX, IDC_LIGHT_TOLERANCE_BELOW, m_values.fToleranceBelow, 0.0f, 100.0f);
    ExchangeFloat(pDX, IDC_LIGHT_VOLTAGE, m_values.fVoltage, 0.1f, 1000.0f);
}

void CLightDialog::OnOK()
{
    OZU_SymbolDialog::OnOK();
    FinishOK();
}
