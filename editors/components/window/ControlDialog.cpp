#include "editors/components/window/ControlDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/EditorSupport.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CControlDialog, OZU_SymbolDialog)

BEGIN_MESSAGE_MAP(CControlDialog, OZU_SymbolDialog)
END_MESSAGE_MAP()

CControlDialog::CControlDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                               CEditorView* pView)
    : OZU_SymbolDialog(pGrid, pRecord, pUnitSettings, pView)
{
    OpenWindow(IDD_CONTROLLER_EDITOR);
}

CControlDialog::~CControlDialog() = default;

BOOL CControlDialog::OnInitDialog()
{
    m_values.Load(*m_pRecord);
    if (!OZU_SymbolDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_CONTROLLER, State().bAssemblyMode);
    return TRUE;
}

void CControlDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    ExchangeFloat(pDX, IDC_CONTROLLER_STATIONS, m_values.fStations, 1.0f, 1000.0f);
}

void CControlDialog::OnOK()
{
    OZU_SymbolDialog::OnOK();
    FinishOK();
}
