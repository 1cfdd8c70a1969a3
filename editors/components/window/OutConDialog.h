// COutConDialog: the editor of an outlet connection ([Database Number] 13),
// the piece between a pipe and an outlet: its inlet and outlet diameters
// (nominal sizes) and connections, its height above the ground, and the
// diameter and length of pipe its head loss equals.
#pragma once

#include "editors/base/window/SymbolDialog.h"
#include "editors/components/window/EditorSupport.h"

class COutConDialog : public OZU_SymbolDialog
{
    DECLARE_DYNAMIC(COutConDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    COutConDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~COutConDialog() override;

    kvcomponents::OutletConnectionValues m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
