// CTapeDialog: the editor of a tape ([Database Number] 1 with the tape bit
// of [Flags]): a pipe with emitters built in. Besides a pipe's values it
// edits the tape's Tapes row: its pressures and their tolerances, the
// specific discharge rate and the four emitter coefficients, which are the
// emitter's (constant, index, barb factor, spacing) when the flow is
// iterated and a formula's (constant, length, pressure and slope factors)
// when not. It takes the emitter constant and index the curve-fit bar fits.
#pragma once

#include "database/records/TapeRecords.h"
#include "editors/base/window/LineDialog.h"
#include "editors/components/window/EditorSupport.h"

class CTapeDialog : public OZU_LineDialog
{
    DECLARE_DYNAMIC(CTapeDialog)
public:
    // Opens the editor on the component record and its Tapes row (read
    // while it opens; null: a tape without one). IsOpen tells whether the
    // window was made.
    CTapeDialog(CGridWindow* pGrid, CRecords* pRecord, CTapeExtras* pTapeExtras, OZU_UnitSettings* pUnitSettings,
                CEditorView* pView);
    ~CTapeDialog() override;

    kvcomponents::TapeValues m_values;
    // The component record and its Tapes row, joined: the editor's copy.
    CTapeRecords m_tapeRecord;
    CTypeCombo m_cbPipeType;
    CButton m_btnIteration;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // The coefficients' captions of the mode, and the spacing's unit shown
    // only when iterated.
    void ShowModeCaptions(BOOL bIteration);

    afx_msg void OnIteration();
    afx_msg LRESULT OnDetailDlgNotify(WPARAM wParam, LPARAM lParam);

    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
