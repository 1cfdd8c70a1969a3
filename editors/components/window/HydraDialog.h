// CHydraDialog: the editor of a hydraulic item ([Database Number] 3), a
// fitting with a head loss H = KQ^n + C: its fitting type, coefficients,
// diameters (the outlet may be 0: no outlet), connections and flow range.
// It takes the miscellaneous pressure-loss curves the curve-fit bar fits.
#pragma once

#include "editors/components/window/CurveDialog.h"

class CHydraDialog : public CCurveDialog
{
    DECLARE_DYNAMIC(CHydraDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CHydraDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CHydraDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
