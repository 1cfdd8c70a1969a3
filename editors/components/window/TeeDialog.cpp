#include "editors/components/window/TeeDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

IMPLEMENT_DYNAMIC(CTeeDialog, CJoinDialog)

namespace {
const CJoinDialog::Controls kControls = {
    IDC_TEE_MAJOR_DIAMETER,
    IDC_TEE_MINOR_DIAMETER,
    { IDC_TEE_MAJOR_CODE, IDC_TEE_MAJOR_GENDER, IDC_TEE_MAJOR_SUFFIX },
    { IDC_TEE_MINOR_CODE, IDC_TEE_MINOR_GENDER, IDC_TEE_MINOR_SUFFIX },
    kvgrid::TABLE_TEE,
    FALSE,
};
} // namespace

CTeeDialog::CTeeDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                       CEditorView* pView)
    : CJoinDialog(pGrid, pRecord, pUnitSettings, pView, kControls)
{
    OpenWindow(IDD_TEE_EDITOR);
}

CTeeDialog::~CTeeDialog() = default;
