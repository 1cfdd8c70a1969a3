#include "editors/components/window/PipeDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CPipeDialog, OZU_LineDialog)

BEGIN_MESSAGE_MAP(CPipeDialog, OZU_LineDialog)
END_MESSAGE_MAP()

CPipeDialog::CPipeDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView)
    : OZU_LineDialog(pGrid, pRecord, pUnitSettings, pView)
{
    m_cbPipeType.SetView(pView);
    OpenWindow(IDD_PIPE_EDITOR);
}

CPipeDialog::~CPipeDialog() = default;

BOOL CPipeDialog::OnInitDialog()
{
    CViewColumns columns(m_pView);
    m_values.Load(*m_pRecord, columns, DisplayDiameterUnit(*m_pUnitSettings));

    if (!OZU_LineDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_PIPE, State().bAssemblyMode);
    ShowPipeType(m_cbPipeType, m_values.pipeType);
    return IsOpen();
}

void CPipeDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_LineDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PIPE_TYPE, m_cbPipeType);
    m_shown.Exchange(this, pDX, IDC_PIPE_NOMINAL_DIAMETER, m_values.nominalDiameter, &OZU_BaseDialog::DDX_Diameter);
    m_shown.Exchange(this, pDX, IDC_PIPE_ACTUAL_DIAMETER, m_values.actualDiameter, &OZU_BaseDialog::DDX_Diameter);
    ExchangeFloat(pDX, IDC_PIPE_ROUGHNESS, m_values.fRoughness, 20.0f, 200.0f);
    m_shown.Exchange(this, pDX, IDC_PIPE_ALLOWABLE_PRESSURE, m_values.allowablePressure,
                     &OZU_BaseDialog::DDX_Pressure);
}

void CPipeDialog::OnOK()
{
    OZU_LineDialog::OnOK();
    ReadListChoice(m_cbPipeType, m_values.pipeType);
    m_values.FitTexts();
    FinishOK();
}
