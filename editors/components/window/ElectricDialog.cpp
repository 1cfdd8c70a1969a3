#include "editors/components/window/ElectricDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/EditorSupport.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CElectricDialog, OZU_SymbolDialog)

BEGIN_MESSAGE_MAP(CElectricDialog, OZU_SymbolDialog)
END_MESSAGE_MAP()

CElectricDialog::CElectricDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                                 CEditorView* pView)
    : OZU_SymbolDialog(pGrid, pRecord, pUnitSettings, pView)
{
    OpenWindow(IDD_ELECTRIC_EDITOR);
}

CElectricDialog::~CElectricDialog() = default;

BOOL CElectricDialog::OnInitDialog()
{
    m_values.Load(*m_pRecord);
    if (!OZU_SymbolDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_ELECTRIC, State().bAssemblyMode);
    return TRUE;
}

void CElectricDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    ExchangeFloat(pDX, IDC_ELECTRIC_RATING, m_values.fRating, 0.1f, 5000.0f);
    ExchangeFloat(pDX, IDC_ELECTRIC_VOLTAGE, m_values.fVoltage, 0.1f, 1000.0f);
}

void CElectricDialog::OnOK()
{
    OZU_SymbolDialog::OnOK();
    FinishOK();
}
