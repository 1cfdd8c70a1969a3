// CNozzleDialog: the editor of a nozzle ([Database Number] 15): its arc,
// the flow Q = KH^n and wetted radius R = KH^n it gives at a pressure, its
// COV and pressure range. It takes the outlet flow and wetted-radius curves
// the curve-fit bar fits.
#pragma once

#include "editors/base/window/SymbolDialog.h"
#include "editors/components/window/EditorSupport.h"

class CNozzleDialog : public OZU_SymbolDialog
{
    DECLARE_DYNAMIC(CNozzleDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CNozzleDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CNozzleDialog() override;

    kvcomponents::NozzleValues m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // A flow fit into the flow coefficients, a radius fit into the radius
    // coefficients; stored only at OK.
    afx_msg LRESULT OnDetailDlgNotify(WPARAM wParam, LPARAM lParam);

    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
