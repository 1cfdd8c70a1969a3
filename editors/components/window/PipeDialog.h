// CPipeDialog: the editor of a pipe ([Database Number] 1 without the tape
// bit): its type (a pipe type of PipeTable), nominal and actual diameters,
// roughness and allowable pressure, with the plotting line of a line
// component.
#pragma once

#include "editors/base/window/LineDialog.h"
#include "editors/components/window/EditorSupport.h"

class CPipeDialog : public OZU_LineDialog
{
    DECLARE_DYNAMIC(CPipeDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CPipeDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CPipeDialog() override;

    kvcomponents::PipeValues m_values;
    CTypeCombo m_cbPipeType;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
