// CElectricDialog: the editor of an electric item ([Database Number] 23): its rating in
// watts and its voltage.
#pragma once

#include "editors/base/window/SymbolDialog.h"
#include "editors/components/core/ComponentValues.h"

class CElectricDialog : public OZU_SymbolDialog
{
    DECLARE_DYNAMIC(CElectricDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CElectricDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CElectricDialog() override;

    kvcomponents::ElectricValues m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
