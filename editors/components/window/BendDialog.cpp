#include "editors/components/window/BendDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CBendDialog, OZU_ComponentDialog)

BEGIN_MESSAGE_MAP(CBendDialog, OZU_ComponentDialog)
END_MESSAGE_MAP()

namespace {
const ConnectionControls kMajor = { IDC_BEND_MAJOR_CODE, IDC_BEND_MAJOR_GENDER, IDC_BEND_MAJOR_SUFFIX };
const ConnectionControls kMinor = { IDC_BEND_MINOR_CODE, IDC_BEND_MINOR_GENDER, IDC_BEND_MINOR_SUFFIX };
} // namespace

CBendDialog::CBendDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                         CEditorView* pView)
    : OZU_ComponentDialog(pGrid, pRecord, pUnitSettings, pView)
{
    OpenWindow(IDD_BEND_EDITOR);
}

CBendDialog::~CBendDialog() = default;

BOOL CBendDialog::OnInitDialog()
{
    CViewColumns columns(m_pView);
    m_values.Load(*m_pRecord, columns, DisplayDiameterUnit(*m_pUnitSettings));

    if (!OZU_ComponentDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_ELBOW, State().bAssemblyMode);
    return TRUE;
}

void CBendDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_ComponentDialog::DoDataExchange(pDX);
    m_shown.Exchange(this, pDX, IDC_BEND_ANGLE, m_values.angle, &OZU_BaseDialog::DDX_Angle);
    m_shown.Exchange(this, pDX, IDC_BEND_MAJOR_DIAMETER, m_values.majorDiameter, &OZU_BaseDialog::DDX_Diameter);
    m_shown.Exchange(this, pDX, IDC_BEND_MINOR_DIAMETER, m_values.minorDiameter, &OZU_BaseDialog::DDX_Diameter);
    ExchangeConnectionGender(this, pDX, kMinor, m_values.minorConnection);
    ExchangeConnectionSuffix(this, pDX, kMinor, m_values.minorConnection);
    ExchangeConnectionCode(this, pDX, kMinor, m_values.minorConnection);
    ExchangeConnection(this, pDX, kMajor, m_values.majorConnection);
}

void CBendDialog::OnOK()
{
    OZU_ComponentDialog::OnOK();
    m_values.FitTexts();
    FinishOK();
}
