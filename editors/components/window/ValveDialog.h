// CValveDialog: the editor of a control valve ([Database Number] 2): the
// head loss H = KQ^n + C of its flow, its diameters, connections and flow
// range. It takes the valve curves the curve-fit bar fits, with or without
// an intercept.
#pragma once

#include "editors/components/window/CurveDialog.h"

class CValveDialog : public CCurveDialog
{
    DECLARE_DYNAMIC(CValveDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CValveDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CValveDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
