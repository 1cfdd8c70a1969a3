// CTeeDialog: the editor of a tee junction ([Database Number] 8).
#pragma once

#include "editors/components/window/JoinDialog.h"

class CTeeDialog : public CJoinDialog
{
    DECLARE_DYNAMIC(CTeeDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CTeeDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CTeeDialog() override;
};
