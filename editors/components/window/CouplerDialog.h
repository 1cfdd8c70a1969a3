// CCouplerDialog: the editor of a coupler ([Database Number] 6). Its minor diameter may be 0, for no reduction.
#pragma once

#include "editors/components/window/JoinDialog.h"

class CCouplerDialog : public CJoinDialog
{
    DECLARE_DYNAMIC(CCouplerDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CCouplerDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CCouplerDialog() override;
};
