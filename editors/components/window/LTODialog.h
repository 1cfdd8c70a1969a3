// CLTODialog: the editor of a lateral take-off ([Database Number] 4): the
// type of the pipe it takes off from (a pipe type of PipeTable), the
// smallest submain and the lateral diameters (nominal sizes) and the
// connection type of its minor end.
#pragma once

#include "editors/components/window/EditorSupport.h"

class CLTODialog : public OZU_ComponentDialog
{
    DECLARE_DYNAMIC(CLTODialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CLTODialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CLTODialog() override;

    kvcomponents::TakeOffValues m_values;
    CTypeCombo m_cbPipeType;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
