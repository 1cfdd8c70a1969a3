// CBendDialog: the editor of an elbow or bend ([Database Number] 7): its
// bend angle, its major and minor diameters (nominal sizes) and the
// connection types of both ends.
#pragma once

#include "editors/components/window/EditorSupport.h"

class CBendDialog : public OZU_ComponentDialog
{
    DECLARE_DYNAMIC(CBendDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    CBendDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~CBendDialog() override;

    kvcomponents::BendValues m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
