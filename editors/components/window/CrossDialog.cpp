#include "editors/components/window/CrossDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"

IMPLEMENT_DYNAMIC(CCrossDialog, CJoinDialog)

namespace {
const CJoinDialog::Controls kControls = {
    IDC_CROSS_MAJOR_DIAMETER,
    IDC_CROSS_MINOR_DIAMETER,
    { IDC_CROSS_MAJOR_CODE, IDC_CROSS_MAJOR_GENDER, IDC_CROSS_MAJOR_SUFFIX },
    { IDC_CROSS_MINOR_CODE, IDC_CROSS_MINOR_GENDER, IDC_CROSS_MINOR_SUFFIX },
    kvgrid::TABLE_CROSS,
    FALSE,
};
} // namespace

CCrossDialog::CCrossDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                           CEditorView* pView)
    : CJoinDialog(pGrid, pRecord, pUnitSettings, pView, kControls)
{
    OpenWindow(IDD_CROSS_EDITOR);
}

CCrossDialog::~CCrossDialog() = default;
