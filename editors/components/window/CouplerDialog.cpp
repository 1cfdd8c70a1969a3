#include "editors/components/window/CouplerDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

IMPLEMENT_DYNAMIC(CCouplerDialog, CJoinDialog)

namespace {
const CJoinDialog::Controls kControls = {
    IDC_COUPLER_MAJOR_DIAMETER,
    IDC_COUPLER_MINOR_DIAMETER,
    { IDC_COUPLER_MAJOR_CODE, IDC_COUPLER_MAJOR_GENDER, IDC_COUPLER_MAJOR_SUFFIX },
    { IDC_COUPLER_MINOR_CODE, IDC_COUPLER_MINOR_GENDER, IDC_COUPLER_MINOR_SUFFIX },
    kvgrid::TABLE_COUPLER,
    TRUE,
};
} // namespace

CCouplerDialog::CCouplerDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                               CEditorView* pView)
    : CJoinDialog(pGrid, pRecord, pUnitSettings, pView, kControls)
{
    OpenWindow(IDD_COUPLER_EDITOR);
}

CCouplerDialog::~CCouplerDialog() = default;
