// CPumpDialog: the editor of a pump ([Database Number] 11): its head
// H = AQ² + BQ + C at a flow, its diameters, connections and flow range. It
// takes the pump-head curves the curve-fit bar fits.
#pragma once

#include "editors/components/window/CurveDialog.h"

class CPumpDialog : public CCurveDialog
{
    DECLARE_DYNAMIC(CPumpDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CPumpDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CPumpDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
