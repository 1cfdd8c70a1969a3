// CCrossDialog: the editor of a cross junction ([Database Number] 9).
#pragma once

#include "editors/components/window/JoinDialog.h"

class CCrossDialog : public CJoinDialog
{
    DECLARE_DYNAMIC(CCrossDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CCrossDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CCrossDialog() override;
};
