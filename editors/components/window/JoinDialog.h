// CJoinDialog: what the coupler, cross and tee editors share. Each edits a
// major and a minor diameter (nominal sizes) and the connection types of
// its major and minor ends, on a template of its own.
#pragma once

#include "editors/components/window/EditorSupport.h"

class CJoinDialog : public OZU_ComponentDialog
{
    DECLARE_DYNAMIC(CJoinDialog)
public:
    ~CJoinDialog() override;

    kvcomponents::JoinValues m_values;

    // The controls of one kind's template, and the kind.
    struct Controls
    {
        int nMajorDiameter;
        int nMinorDiameter;
        kvcomponents::ConnectionControls major;
        kvcomponents::ConnectionControls minor;
        kvgrid::TableType nKind;   // its unit captions and assembly title
        // The minor diameter may be 0 (no reduction): from 0 up to the
        // settings' maximum instead of the settings' limits.
        BOOL bMinorFromZero;
    };

protected:
    CJoinDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView,
                const Controls& controls);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    const Controls& m_controls;
    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
