#include "editors/components/window/LTODialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CLTODialog, OZU_ComponentDialog)

BEGIN_MESSAGE_MAP(CLTODialog, OZU_ComponentDialog)
END_MESSAGE_MAP()

namespace {
const ConnectionControls kMinor = { IDC_TAKE_OFF_MINOR_CODE, IDC_TAKE_OFF_MINOR_GENDER, IDC_TAKE_OFF_MINOR_SUFFIX };
} // namespace

CLTODialog::CLTODialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView)
    : OZU_ComponentDialog(pGrid, pRecord, pUnitSettings, pView)
{
    m_cbPipeType.SetView(pView);
    OpenWindow(IDD_TAKE_OFF_EDITOR);
}

CLTODialog::~CLTODialog() = default;

BOOL CLTODialog::OnInitDialog()
{
    CViewColumns columns(m_pView);
    m_values.Load(*m_pRecord, columns, DisplayDiameterUnit(*m_pUnitSettings));

    if (!OZU_ComponentDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_TAKE_OFF, State().bAssemblyMode);
    ShowPipeType(m_cbPipeType, m_values.pipeType);
    return IsOpen();
}

void CLTODialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_ComponentDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAKE_OFF_PIPE_TYPE, m_cbPipeType);
    m_shown.Exchange(this, pDX, IDC_TAKE_OFF_LATERAL, m_values.lateralDiameter, &OZU_BaseDialog::DDX_Diameter);
    m_shown.Exchange(this, pDX, IDC_TAKE_OFF_SUBMAIN, m_values.submainDiameter, &OZU_BaseDialog::DDX_Diameter);
    ExchangeConnection(this, pDX, kMinor, m_values.minorConnection);
}

void CLTODialog::OnOK()
{
    OZU_ComponentDialog::OnOK();
    ReadListChoice(m_cbPipeType, m_values.pipeType);
    CViewColumns columns(m_pView);
    m_values.FitTexts(columns);
    FinishOK();
}
