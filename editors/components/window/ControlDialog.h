// CControlDialog: the editor of a controller ([Database Number] 22): its number of
// stations.
#pragma once

#include "editors/base/window/SymbolDialog.h"
#include "editors/components/core/ComponentValues.h"

class CControlDialog : public OZU_SymbolDialog
{
    DECLARE_DYNAMIC(CControlDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CControlDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CControlDialog() override;

    kvcomponents::ControllerValues m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
