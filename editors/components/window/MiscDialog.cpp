#include "editors/components/window/MiscDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CMiscDialog, OZU_ComponentDialog)

BEGIN_MESSAGE_MAP(CMiscDialog, OZU_ComponentDialog)
END_MESSAGE_MAP()

CMiscDialog::CMiscDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView)
    : OZU_ComponentDialog(pGrid, pRecord, pUnitSettings, pView)
{
    OpenWindow(IDD_MISC_EDITOR);
}

CMiscDialog::~CMiscDialog() = default;

BOOL CMiscDialog::OnInitDialog()
{
    CViewColumns columns(m_pView);
    m_values.Load(*m_pRecord, columns, DisplayDiameterUnit(*m_pUnitSettings));

    if (!OZU_ComponentDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_COMPONENT, State().bAssemblyMode);
    return TRUE;
}

void CMiscDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_ComponentDialog::DoDataExchange(pDX);
    m_shown.Exchange(this, pDX, IDC_MISC_SIZE1, m_values.size1, &OZU_BaseDialog::DDX_Diameter);
    m_shown.Exchange(this, pDX, IDC_MISC_SIZE2, m_values.size2, &OZU_BaseDialog::DDX_Diameter);
}

void CMiscDialog::OnOK()
{
    OZU_ComponentDialog::OnOK();
    FinishOK();
}
