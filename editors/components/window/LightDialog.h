// CLightDialog: the editor of a light ([Database Number] 24): its rating in watts, its
// nominal voltage and the tolerances of the voltage above and below it, in
// per cent.
#pragma once

#include "editors/base/window/SymbolDialog.h"
#include "editors/components/core/ComponentValues.h"

class CLightDialog : public OZU_SymbolDialog
{
    DECLARE_DYNAMIC(CLightDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CLightDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CLightDialog() override;

    kvcomponents::LightValues m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
