#include "editors/components/window/JoinDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CJoinDialog, OZU_ComponentDialog)

BEGIN_MESSAGE_MAP(CJoinDialog, OZU_ComponentDialog)
END_MESSAGE_MAP()

CJoinDialog::CJoinDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                         CEditorView* pView, const Controls& controls)
    : OZU_ComponentDialog(pGrid, pRecord, pUnitSettings, pView), m_controls(controls)
{
}

CJoinDialog::~CJoinDialog() = default;

BOOL CJoinDialog::OnInitDialog()
{
    CViewColumns columns(m_pView);
    m_values.Load(*m_pRecord, columns, DisplayDiameterUnit(*m_pUnitSettings));

    if (!OZU_ComponentDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, m_controls.nKind, State().bAssemblyMode);
    return TRUE;
}

void CJoinDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_ComponentDialog::DoDataExchange(pDX);
    m_shown.Exchange(this, pDX, m_controls.nMajorDiameter, m_values.majorDiameter, &OZU_BaseDialog::DDX_Diameter);
    if (m_controls.bMinorFromZero) {
        OZU_DiameterValue limits[4];
        for (unsigned n = 0; n < 4; n++)
            m_pUnitSettings->GetDiameterLimit(n, limits[n]);
        const OZU_DiameterValue zero(0.0, LENGTH_MM);
        m_shown.Run(pDX, m_controls.nMinorDiameter, m_values.minorDiameter, [&] {
            DDX_Diameter(this, pDX, m_controls.nMinorDiameter, m_values.minorDiameter, zero,
                         limits[OZU_HARD_MAX], zero, limits[OZU_RECOMMENDED_MAX]);
        });
    }
    else {
        m_shown.Exchange(this, pDX, m_controls.nMinorDiameter, m_values.minorDiameter,
                         &OZU_BaseDialog::DDX_Diameter);
    }
    ExchangeConnection(this, pDX, m_controls.major, m_values.majorConnection);
    ExchangeConnection(this, pDX, m_controls.minor, m_values.minorConnection);
}

void CJoinDialog::OnOK()
{
    OZU_ComponentDialog::OnOK();
    m_values.FitTexts();
    FinishOK();
}
