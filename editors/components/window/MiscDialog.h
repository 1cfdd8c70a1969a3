// CMiscDialog: the editor of a miscellaneous item ([Database Number] 14):
// two sizes or diameters (nominal sizes).
#pragma once

#include "editors/components/window/EditorSupport.h"

class CMiscDialog : public OZU_ComponentDialog
{
    DECLARE_DYNAMIC(CMiscDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CMiscDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CMiscDialog() override;

    kvcomponents::MiscValues m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
