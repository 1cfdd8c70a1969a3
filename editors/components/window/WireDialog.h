// CWireDialog: the editor of a wire ([Database Number] 21): its type (up
// to four letters), nominal size, resistance and voltage rating, with the
// plotting line of a line component.
#pragma once

#include "editors/base/window/LineDialog.h"
#include "editors/components/core/ComponentValues.h"

class CWireDialog : public OZU_LineDialog
{
    DECLARE_DYNAMIC(CWireDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CWireDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CWireDialog() override;

    kvcomponents::WireValues m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
